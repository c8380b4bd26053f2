#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/loads/energy.h"
#include "engine/loads/stages.h"
#include "sums_fixture.h"

using namespace kvtest;

namespace {

// A July afternoon of a two-zone building as the hour's stages leave it.
void fillHour(kv::EngineState& s) {
  kv::HRWTHR& w = s.hrwthr;
  w.DB = 95.4f;
  w.DP = 55.0f;
  w.RH = 49.9f;
  w.ALT = 60.5f;
  w.AZM = 245.0f;
  w.DN = 250.4f;
  w.DFH = 30.6f;
  w.DH = 240.0f;
  w.WV = 7.5f;
  w.PB = 30.0f;
  w.CC = 0.5f;
  kv::ENACC& e = s.enacc;
  e.IDAY = 15;
  e.IHR = 14;
  const int dir[4] = {0, 120, 35, 0}, dif[4] = {20, 25, 30, 22};
  for (int k = 1; k <= 4; ++k) {
    e.IDIRV(k) = dir[k - 1];
    e.IDIFV(k) = dif[k - 1];
  }
  e.QHTG = 0.0f;
  e.ECLG = 12.4f;
  e.ELTG = 8.6f;
  e.ERCP = 5.0f;
  e.EFAN = 2.5f;
  e.QHW = 4.0f;
  s.bldg.NZ = 2;
  e.TZONE(1) = 75.0f;
  e.DPZONE(1) = 52.0f;
  e.RHZONE(1) = 49.9f;
  e.TZONE(2) = 78.2f;
  e.DPZONE(2) = 60.0f;
  e.RHZONE(2) = 61.0f;
  s.runpar.IHRLY = 1;
}

}  // namespace

TEST(HourlyRows, level_zero_rows_in_inch_pound_units) {
  LoadsRun run("hr_ip", "IP");
  fillHour(*run.s);
  kv::HOURROWS(*run.s, 7);
  const std::vector<std::string> energy = linesOf(run.file("tavik$.hry"));
  const std::vector<std::string> temps = linesOf(run.file("etemp$.hry"));
  ASSERT_EQ(energy.size(), 1u);
  ASSERT_EQ(temps.size(), 1u);
  EXPECT_EQ(energy[0],
            " 15-JUL\t 14\t  95.4\t  55.0\t   50\t  60.5\t 245.0\t  250\t   31\t  240\t  7.5\t 30.00\t  50"
            "\t    0\t  20\t  120\t  25\t   35\t  30\t    0\t  22"
            "\t    0.\t   12.\t    9.\t     5.\t    3.\t    4.");
  // The zone's humidity is truncated (49.9 -> 49), the outdoor one rounded (49.9 -> 50).
  EXPECT_EQ(temps[0], " 15-JUL\t 14\t  95.4\t  55.0\t  50\t   75.0\t   52.0\t   49\t   78.2\t   60.0\t   61");
}

TEST(HourlyRows, level_zero_rows_in_si_units_and_solar_on_walls_replaced_for_the_hour) {
  LoadsRun run("hr_si", "SI");
  kv::EngineState& s = *run.s;
  fillHour(s);
  s.enacc.QHTG = 10.0f;
  kv::HOURROWS(s, 7);
  const std::vector<std::string> f = splitOn(linesOf(run.file("tavik$.hry")).at(0), '\t');
  ASSERT_EQ(f.size(), 27u);
  const std::vector<std::string> want = {
      " 15-JUL", " 14",   "  35.2", "  12.8", "   50", "  60.5", " 245.0", "  790", "   97",
      "  757",   "  3.4", "101.31", "  50",   "    0", "  63",   "  379",  "  79",  "  110",
      "  95",    "    0", "  69",   "   11.", "   12.", "    9.", "     5.", "    3.", "    4."};
  EXPECT_EQ(f, want);
  EXPECT_EQ(s.enacc.IDIRV(2), 379);
  EXPECT_EQ(s.enacc.IDIFV(4), 69);
  const std::vector<std::string> t = splitOn(linesOf(run.file("etemp$.hry")).at(0), '\t');
  const std::vector<std::string> wantT = {" 15-JUL", " 14",     "  35.2", "  12.8",  "  50",    "   23.9",
                                          "   11.1", "   49",   "   25.7", "   15.6", "   61"};
  EXPECT_EQ(t, wantT);
}

TEST(HourlyRows, a_day_of_rows_opens_as_a_table_with_one_field_count_per_file) {
  for (const char* units : {"IP", "SI"}) {
    LoadsRun run("hr_table", units);
    kv::EngineState& s = *run.s;
    fillHour(s);
    s.bldg.NZ = 5;
    kv::WriteHourlyHeaders(s);  // the main program's lines of etemp$.hry
    for (int h = 1; h <= 24; ++h) {
      s.enacc.IHR = h;
      s.hrwthr.DB = 60.0f + static_cast<float>(h);
      s.enacc.QHTG = h == 5 ? 1.0e9f : 3.0f;  // too wide: asterisks, the row goes on
      kv::HOURROWS(s, 1);
    }
    const std::vector<std::string> e = linesOf(run.file("tavik$.hry"));
    const std::vector<std::string> t = linesOf(run.file("etemp$.hry"));
    ASSERT_EQ(e.size(), 24u) << units;
    ASSERT_EQ(t.size(), 3u + 24u) << units;
    for (int h = 0; h < 24; ++h) {
      EXPECT_EQ(splitOn(e[static_cast<std::size_t>(h)], '\t').size(), 27u) << units << h;
      const std::vector<std::string> row = splitOn(t[3u + static_cast<std::size_t>(h)], '\t');
      EXPECT_EQ(row.size(), 5u + 3u * 5u) << units << h;
      EXPECT_EQ(kv::parseI(row[1]), h + 1);
    }
    EXPECT_EQ(splitOn(e[4], '\t')[21], "******");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t[static_cast<std::size_t>(i)].find('\t'), std::string::npos);
  }
}

TEST(HourlyRows, with_hourly_output_off_the_load_model_writes_no_rows_or_lines) {
  for (int level : {0, 1, 4, 5}) {
    LoadsRun run("hr_off");
    kv::EngineState& s = *run.s;
    fillHour(s);
    s.runpar.IHRLY = 0;
    s.enacc.IDETL = level;
    kv::HOURWXLINE(s, 7);
    kv::HOURROWS(s, 7);
    EXPECT_EQ(run.file("tavik$.hry"), "") << level;
    EXPECT_EQ(run.file("etemp$.hry"), "") << level;
  }
}

TEST(HourlyRows, detail_levels_write_the_weather_line_and_the_energy_line) {
  struct Row {
    int level;
    bool weather;
  };
  const Row rows[] = {{1, true}, {4, true}, {5, false}, {6, false}, {9, false}};
  const std::string energyIP = "        0.   12.    9.     5.    3.    4.";
  const std::string weatherIP = "  7  15  14  95.4  55.0  50.   250.    31.   240.  7.5  30.00  0.5";
  for (const Row& r : rows) {
    LoadsRun run("hr_levels");
    kv::EngineState& s = *run.s;
    fillHour(s);
    s.enacc.IDETL = r.level;
    kv::HOURWXLINE(s, 7);
    kv::HOURROWS(s, 7);
    const std::vector<std::string> lines = linesOf(run.file("tavik$.hry"));
    const std::vector<std::string> want =
        r.weather ? std::vector<std::string>{"", weatherIP, energyIP} : std::vector<std::string>{energyIP};
    EXPECT_EQ(lines, want) << r.level;
    EXPECT_EQ(run.file("etemp$.hry"), "") << r.level;
  }
  // SI weather line: C, kJ/m2, m/s, kPa; cloud cover stays a fraction.
  LoadsRun run("hr_levels_si", "SI");
  kv::EngineState& s = *run.s;
  fillHour(s);
  s.enacc.IDETL = 2;
  s.enacc.QHW = 10.0f;
  kv::HOURWXLINE(s, 7);
  kv::HOURROWS(s, 7);
  const std::vector<std::string> lines = linesOf(run.file("tavik$.hry"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "  7  15  14  35.2  12.8  50.  2844.   348.  2726.  3.4 101.31  0.5");
  EXPECT_EQ(lines[2], "        0.   12.    9.     5.    3.   11.");
}

TEST(HourlyRows, integer_fields_truncate_and_values_beyond_any_width_print_asterisks) {
  LoadsRun run("hr_int", "IP");
  kv::EngineState& s = *run.s;
  fillHour(s);
  s.hrwthr.RH = std::nanf("");
  s.hrwthr.CC = -0.019f;     // INT(-1.9) = -1
  s.hrwthr.DN = 3.0e20f;     // far beyond I5
  s.enacc.RHZONE(1) = 99.99f;
  kv::HOURROWS(s, 7);
  const std::vector<std::string> e = splitOn(linesOf(run.file("tavik$.hry")).at(0), '\t');
  EXPECT_EQ(e.at(4), "*****");
  EXPECT_EQ(e.at(7), "*****");
  EXPECT_EQ(e.at(12), "  -1");
  EXPECT_EQ(e.size(), 27u);
  const std::vector<std::string> t = splitOn(linesOf(run.file("etemp$.hry")).at(0), '\t');
  EXPECT_EQ(t.at(4), "****");
  EXPECT_EQ(t.at(7), "   99");
}
