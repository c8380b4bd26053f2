#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/core/fixfmt.h"
#include "engine/core/random.h"
#include "engine/input/kvan64main.h"
#include "runfiles.h"

namespace {

using namespace kvtest;
namespace files = kalvano::files;

std::string optionsFile(const std::string& skip, int runType = 3, int weather = 0, int hourly = 0) {
  return "Run type  : " + std::to_string(runType) + "\r\nWthr type : " + std::to_string(weather) +
         "\r\n1st day   : 0\r\nRun begin : 32\r\nRun end   : 59\r\nHourly out: " + std::to_string(hourly) +
         "\r\nSkip month: " + skip + "\r\nComfort   : 68.5      78\r\n";
}

struct RunFolder {
  fs::path root, temp;
  std::unique_ptr<kv::EngineState> s;
  explicit RunFolder(const std::string& name) {
    root = freshDir(name);
    temp = root / "temp";
    fs::create_directories(temp);
    fs::create_directories(root / "btype");
    s = makeState(temp);
    EXPECT_TRUE(s->files.monitor.open((temp / "monitor.txt").string()));
  }
  ~RunFolder() { fs::remove_all(root); }
  std::string monitor() {
    s->files.monitor.close();
    return slurp(temp / "monitor.txt");
  }
};

TEST(RunOptions, eight_lines_are_read_by_columns) {
  RunFolder f("opts");
  spit(f.temp / std::string(files::kRunOptions), optionsFile("6 7", 2, 3, 1));
  kv::ReadRunOptions(*f.s);
  const auto& r = f.s->runpar;
  EXPECT_EQ(r.IRUN, 2);
  EXPECT_EQ(r.IWFMT, 3);
  EXPECT_EQ(r.IDOW1, 0);
  EXPECT_EQ(r.IDAY1, 32);
  EXPECT_EQ(r.IDAY2, 59);
  EXPECT_EQ(r.IHRLY, 1);
  EXPECT_EQ(f.s->wxmon.TCOMF(1), 68.5f);
  EXPECT_EQ(f.s->wxmon.TCOMF(2), 78.0f);
  EXPECT_EQ(f.s->bldg.NERR, 0);
  EXPECT_EQ(f.monitor(), "tavik$.tmp read successfully.           \r\n");
}

TEST(RunOptions, skip_month_line_clears_month_flags) {
  struct Case {
    const char* skip;
    std::vector<int> skipped;
    bool warned;
  } cases[] = {{"", {}, false}, {"6 7", {6, 7}, false}, {"3.9", {3}, false}, {"13 2 0", {2}, true}};
  for (const auto& c : cases) {
    RunFolder f("skip");
    f.s->runpar.MONFLG.fill(1);
    spit(f.temp / std::string(files::kRunOptions), optionsFile(c.skip));
    kv::ReadRunOptions(*f.s);
    for (int m = 1; m <= 12; ++m) {
      const bool skipped = std::find(c.skipped.begin(), c.skipped.end(), m) != c.skipped.end();
      EXPECT_EQ(f.s->runpar.MONFLG(m), skipped ? 0 : 1) << c.skip << " month " << m;
    }
    const std::string mon = f.monitor();
    EXPECT_EQ(mon.find("SKIP MONTH 13 IS NOT A MONTH 1..12; IGNORED.") != std::string::npos, c.warned) << mon;
    EXPECT_EQ(f.s->bldg.NERR, 0);  // a warning, not an input error
  }
}

TEST(RunOptions, missing_short_or_unreadable_file_is_an_input_error_in_the_log) {
  {
    RunFolder f("nofile");
    kv::ReadRunOptions(*f.s);
    EXPECT_EQ(f.s->bldg.NERR, 1);
    EXPECT_EQ(f.monitor(), "   ** ERROR ** RUN OPTIONS FILE tavik$.tmp IS MISSING.\r\n");
    EXPECT_FALSE(fs::exists(f.temp / std::string(files::kRunOptions)));
  }
  {
    RunFolder f("short");
    spit(f.temp / std::string(files::kRunOptions), "Run type  : 3\r\nWthr type : 0\r\n");
    kv::ReadRunOptions(*f.s);
    EXPECT_EQ(f.s->bldg.NERR, 1);
    EXPECT_NE(f.monitor().find("** ERROR ** RUN OPTIONS FILE tavik$.tmp ENDS BEFORE LINE 3."), std::string::npos);
  }
  {
    RunFolder f("letters");
    spit(f.temp / std::string(files::kRunOptions), "Run type  : x\r\n");
    kv::ReadRunOptions(*f.s);
    EXPECT_EQ(f.s->bldg.NERR, 1);
    EXPECT_NE(f.monitor().find("** ERROR ** RUN OPTIONS FILE tavik$.tmp LINE 1: not a number"), std::string::npos);
  }
  for (auto [run, weather] : {std::pair{0, 0}, std::pair{5, 0}, std::pair{3, 5}, std::pair{3, -1}}) {
    RunFolder f("codes");
    spit(f.temp / std::string(files::kRunOptions), optionsFile("", run, weather));
    kv::ReadRunOptions(*f.s);
    EXPECT_EQ(f.s->bldg.NERR, 1) << run << " " << weather;
    EXPECT_EQ(f.monitor().find("read successfully"), std::string::npos);
  }
  {
    // The error check alone is written as the bare run type.
    RunFolder f("check");
    spit(f.temp / std::string(files::kRunOptions), "1\r\n");
    kv::ReadRunOptions(*f.s);
    EXPECT_EQ(f.s->runpar.IRUN, 1);
    EXPECT_EQ(f.s->bldg.NERR, 0);
  }
}

const char* kCool =
    "COOLING SYSTEMS\r\nheader two\r\nheader three\r\n"
    "1 Variable Air Volume 3.0 747 10.0 2.9 55 12.8 1800 40 E\r\n 1500 35 G\r\n"
    "5 Roof Top Units 1.0 249 13.0 3.8 57 13.9 1200 30 E\r\n 1100 25 G\r\n";

TEST(SystemDataBases, tcool_pairs_fill_the_cooling_table_by_system_number) {
  RunFolder f("cool");
  spit(f.root / "btype" / "tcool.dat", kCool);
  kv::ReadCoolingDb(*f.s);
  const auto& b = f.s->bldg;
  EXPECT_EQ(b.CSSEER(1), 10.0f);
  EXPECT_EQ(b.CSTSUP(1), 55.0f);
  EXPECT_EQ(b.CSFCST(2, 1), 1800.0f);
  EXPECT_EQ(b.CSMCST(2, 1), 40.0f);
  EXPECT_EQ(b.CSFCST(1, 1), 1500.0f);
  EXPECT_EQ(b.CSMCST(1, 1), 35.0f);
  EXPECT_EQ(b.CSSEER(5), 13.0f);
  EXPECT_EQ(b.CSFCST(1, 5), 1100.0f);
  EXPECT_EQ(b.CSSEER(2), 0.0f);
  EXPECT_EQ(f.monitor(), "btype/tcool.dat read successfully.      \r\n");
}

TEST(SystemDataBases, tcool_faults_are_logged_never_written_out_of_range) {
  {
    RunFolder f("cool25");
    spit(f.root / "btype" / "tcool.dat",
         std::string("h\r\nh\r\nh\r\n25 Bad 1 2 3 4 5 6 7 8 E\r\n 9 9 G\r\n") + "2 Double Duct 1 2 11 4 56 6 7 8 E\r\n 3 4 G\r\n");
    kv::ReadCoolingDb(*f.s);
    EXPECT_EQ(f.s->bldg.CSSEER(2), 11.0f);
    const std::string mon = f.monitor();
    EXPECT_NE(mon.find("** WARNING ** btype/tcool.dat SYSTEM NUMBER 25 IS NOT 1..20; ITS ENTRY IS IGNORED."),
              std::string::npos);
    EXPECT_NE(mon.find("btype/tcool.dat read successfully."), std::string::npos);
  }
  {
    RunFolder f("coolcut");
    spit(f.root / "btype" / "tcool.dat", std::string(kCool) + "7 DX Res. Heat Pump 1 2 9 4 56 6 7 8 E\r\n");
    kv::ReadCoolingDb(*f.s);
    EXPECT_EQ(f.s->bldg.CSSEER(5), 13.0f);  // the complete entries stay
    EXPECT_EQ(f.monitor(), "btype/tcool.dat is incomplete.          \r\n");
  }
  {
    RunFolder f("coolempty");
    spit(f.root / "btype" / "tcool.dat", "");
    kv::ReadCoolingDb(*f.s);
    EXPECT_EQ(f.monitor(), "btype/tcool.dat is incomplete.          \r\n");
  }
  {
    RunFolder f("coolnone");
    kv::ReadCoolingDb(*f.s);
    EXPECT_EQ(f.monitor(), "btype/tcool.dat is missing.             \r\n");
    EXPECT_FALSE(fs::exists(f.root / "btype" / "tcool.dat"));
  }
}

TEST(SystemDataBases, theat_lines_fill_the_heating_table_by_position) {
  RunFolder f("heat");
  spit(f.root / "btype" / "theat.dat", "HEATING\nname COP factor supply\nGas 0.8 1.0 105\nElec. Resistance 1.00 1.0 100\n");
  kv::ReadHeatingDb(*f.s);
  const auto& b = f.s->bldg;
  EXPECT_EQ(b.HTCOP(1), 0.8f);
  EXPECT_EQ(b.HTTSUP(1), 105.0f);
  EXPECT_EQ(b.HTCOP(2), 1.0f);  // the point of "Elec." does not make it 0.1
  EXPECT_EQ(b.HTFAC(2), 1.0f);
  EXPECT_EQ(b.HTTSUP(2), 100.0f);
  EXPECT_EQ(b.HTCOP(3), 0.0f);
  EXPECT_EQ(f.monitor(), "btype/theat.dat read successfully.      \r\n");
  RunFolder g("heatnone");
  kv::ReadHeatingDb(*g.s);
  EXPECT_EQ(g.monitor(), "btype/theat.dat is missing.             \r\n");
  EXPECT_FALSE(fs::exists(g.root / "btype" / "theat.dat"));
}

TEST(HeaderLine, seed_weeks_and_units_with_the_run_option_checks) {
  struct Case {
    const char* line;
    int weather, hourly, day1, day2;
    int wantDpm, wantDay1, wantDay2;
    const char* units;
  } cases[] = {
      {"KAL-VANO   .83774665 4  IP", 0, 0, 32, 59, 31, 32, 59, "IP"},
      {"KAL-VANO   .5        2  SI", 0, 0, 0, 400, 14, 1, 365, "SI"},
      {"KAL-VANO   .5        2  SI", 0, 1, 1, 366, 31, 1, 366, "SI"},
      {"KAL-VANO   .5        2  ip", 1, 0, -3, 366, 31, 1, 365, "ip"},
      {"KAL-VANO   .5        3  IP", 3, 0, 1, 366, 31, 1, 366, "IP"},
      {"KAL-VANO   .5        7  IP", 0, 0, 1, 0, 31, 1, 365, "IP"},
      {"KAL-VANO   .5        1  IP", 0, 0, 1, 365, 7, 1, 365, "IP"},
  };
  for (const auto& c : cases) {
    RunFolder f("header");
    spit(f.temp / "p.inp", std::string(c.line) + "\r\nBld. Type Office\r\n");
    ASSERT_TRUE(f.s->files.project.open((f.temp / "p.inp").string()));
    f.s->runpar.IWFMT = c.weather;
    f.s->runpar.IHRLY = c.hourly;
    f.s->runpar.IDAY1 = c.day1;
    f.s->runpar.IDAY2 = c.day2;
    kv::ReadHeaderLine(*f.s);
    EXPECT_EQ(f.s->wxmon.NDPM, c.wantDpm) << c.line;
    EXPECT_EQ(f.s->runpar.IDAY1, c.wantDay1) << c.line;
    EXPECT_EQ(f.s->runpar.IDAY2, c.wantDay2) << c.line;
    EXPECT_EQ(f.s->chtab.UNITS.view(), c.units) << c.line;
    std::string next;
    ASSERT_TRUE(f.s->files.project.readLine(next));  // the reader goes on with line 2
    EXPECT_EQ(next, "Bld. Type Office");
  }
}

TEST(HeaderLine, seeds_the_generator_with_the_negated_single_precision_seed) {
  RunFolder f("seed");
  spit(f.temp / "p.inp", "KAL-VANO   .83774665 4  IP\r\n");
  ASSERT_TRUE(f.s->files.project.open((f.temp / "p.inp").string()));
  kv::ReadHeaderLine(*f.s);
  EXPECT_EQ(static_cast<float>(f.s->mainpg.SEED), 0.8377467f);
  kv::RANDST ref;
  kv::RAND1(ref, -static_cast<double>(0.8377467f), kv::ClockReading{});
  EXPECT_EQ(f.s->randst.S, ref.S);
  EXPECT_EQ(kv::RAND1(*f.s, 0.111), 0.16799360513687134);  // the second draw of the sequence
}

TEST(LightShelves, three_blocks_of_nineteen_rows_with_one_implied_decimal) {
  RunFolder f("shelf");
  std::string text;
  for (int b = 1; b <= 3; ++b) {
    text += "block\r\nhead\r\nhead\r\n";
    for (int r = 1; r <= 19; ++r) {
      kv::Line ln;
      ln.A("ROW" + std::to_string(r), 8).I(r, 8).text("     2.5").I(100 * b + r, 8).text("    12.5").rep(' ', 8).text("       1").text("       7");
      text += std::string(ln.view()) + "\r\n";
    }
  }
  spit(f.temp / std::string(files::kLightShelf), text);
  kv::ReadLightShelves(*f.s);
  const auto& t = f.s->lshelf;
  EXPECT_EQ(f.s->bldg.NERR, 0);
  EXPECT_EQ(t.LSLBL(4).view(), "    ROW4");
  EXPECT_FLOAT_EQ(t.LSV1(4), 0.4f);   // "4" in an F8.1 field
  EXPECT_FLOAT_EQ(t.LSV2(4), 2.5f);
  EXPECT_FLOAT_EQ(t.LST(4, 1, 2), 20.4f);
  EXPECT_FLOAT_EQ(t.LST(4, 2, 3), 12.5f);
  EXPECT_FLOAT_EQ(t.LST(4, 3, 1), 0.0f);
  EXPECT_FLOAT_EQ(t.LST(19, 5, 3), 0.7f);
  EXPECT_FLOAT_EQ(t.LST(19, 6, 3), 0.0f);

  RunFolder g("shelfnone");
  kv::ReadLightShelves(*g.s);
  EXPECT_EQ(g.s->bldg.NERR, 1);
  EXPECT_NE(g.monitor().find("** ERROR ** LIGHT-SHELF TABLE ltshlf.dat IS MISSING."), std::string::npos);
}

TEST(Separator, tab_sym_gives_the_first_character_and_a_missing_file_a_tab) {
  RunFolder f("sep");
  kv::ReadSeparator(*f.s);
  EXPECT_EQ(f.s->runpar.SEPCH, '\t');
  EXPECT_FALSE(fs::exists(f.temp / std::string(files::kSeparator)));
  spit(f.temp / std::string(files::kSeparator), ";\r\n");
  kv::ReadSeparator(*f.s);
  EXPECT_EQ(f.s->runpar.SEPCH, ';');
}

}  // namespace

namespace {

TEST(HeaderLine, a_zero_seed_seeds_the_generator_from_the_clock) {
  kvtest::fs::path dir = kvtest::freshDir("seed0");
  auto s = kvtest::makeState(dir);
  kvtest::spit(dir / "p.inp", "KAL-VANO   0         4  IP\r\n");
  ASSERT_TRUE(s->files.project.open((dir / "p.inp").string()));
  kv::ReadHeaderLine(*s);
  kv::RANDST ref;
  kv::RAND1(ref, 0.0, kvtest::fixedClock());  // 9:05:00.00
  EXPECT_EQ(s->randst.S, ref.S);
  EXPECT_NE(s->randst.S, 0.0);
  kvtest::fs::remove_all(dir);
}

}  // namespace
