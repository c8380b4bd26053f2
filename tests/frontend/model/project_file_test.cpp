#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "project_fixture.h"
#include "test_support.h"
#include "tests/unprivileged.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace kalvano::model {
namespace {
using test::FillSmallProject;
using test::FixturePath;
using test::NewModel;
using test::TempBase;

class ProjectFile : public ::testing::Test {
 protected:
  ProjectFile() : m(NewModel(base.dir())) {
    base.write("sketch/bld_mtx.all", TempBase::slurp(FixturePath("bld_mtx_one_level.all")));
    FillSmallProject(*m);
  }
  std::string save(const std::string& name, std::string_view tag = "IP",
                   BodyWriter body = BodyWriter::AsHeld) {
    EXPECT_FALSE(WriteProjectFile(*m, name, tag, body));
    return base.read(name);
  }
  TempBase base;
  std::unique_ptr<ProjectModel> m;
};

std::vector<std::string> linesOf(const std::string& bytes) { return SplitLines(bytes); }

int expectError(ProjectModel& m, const std::string& path) {
  try {
    ReadInputFile(m, path);
  } catch (const FileError& e) {
    return e.number();
  }
  return 0;
}

TEST(InputHeaderLine, puts_seed_weeks_and_tag_in_their_columns) {
  EXPECT_EQ(InputHeaderLine(" .7055475", 4, "IP"), "KAL-VANO   .7055475  4  IP");
  EXPECT_EQ(InputHeaderLine(".83774665", 2, "SI"), "KAL-VANO  .83774665  2  SI");
  EXPECT_EQ(InputHeaderLine("", 1, "IP"), "KAL-VANO             1  IP");
  EXPECT_EQ(InputHeaderLine(" .001234567", 3, "IP").substr(20, 3), " 3 ");
}

TEST_F(ProjectFile, writes_the_small_project_byte_for_byte) {
  std::string written = save("house.inp");
  std::string golden = FixturePath("small_project_ip.inp");
  if (std::getenv("KALVANO_UPDATE_GOLDEN")) {
    std::filesystem::copy_file(base.path("house.inp"), golden,
                               std::filesystem::copy_options::overwrite_existing);
  }
  EXPECT_EQ(written, TempBase::slurp(golden));
  // The writer normalised the outdoor-air codes in the model and noted the daylighting.
  EXPECT_EQ(m->ZoneData[1][9], "CP20");
  EXPECT_EQ(m->ZoneData[2][9], "CS.15");
  EXPECT_EQ(m->DaylightUsed, 1);
}

TEST_F(ProjectFile, round_trip_is_stable_after_the_first_write) {
  std::string first = save("a.inp");
  ReadInputFile(*m, "a.inp");
  std::string second = save("b.inp");
  ReadInputFile(*m, "b.inp");
  std::string third = save("c.inp");
  EXPECT_EQ(second, third);
  auto l1 = linesOf(first), l2 = linesOf(second);
  ASSERT_EQ(l1.size(), l2.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < l1.size(); ++i)
    if (l1[i] != l2[i]) changed.push_back(l1[i].substr(0, 10) + "|" + l2[i]);
  // The design temperatures lose their blanks on reading, so does the shade text.
  EXPECT_EQ(changed, (std::vector<std::string>{"DesTemps  |DesTemps  91.9 79.4 45.8 ",
                                               "Ext. Shd. |Ext. Shd. T0.5"}));
}

TEST_F(ProjectFile, reading_restores_the_model_and_its_derived_values) {
  m->ProjectData[2] = "Caf\xE9 at 20 \xB0" "C";  // Latin-1 bytes pass unchanged
  save("a.inp");
  auto fresh = NewModel(base.dir());
  fresh->WallId[5] = " 5";      // a type of the previous project
  fresh->OccProfile[7] = "lib";  // library values stay
  fresh->GridRows = 40;
  ReadInputFile(*fresh, "a.inp");
  ProjectModel& r = *fresh;
  EXPECT_EQ(r.WeatherSeed, " .7055475 ");
  EXPECT_EQ(r.WeeksPerMonth, 2);
  EXPECT_EQ(r.UnitSystem, kInchPound);
  EXPECT_EQ(r.ProjectData[1], "Test House");
  EXPECT_EQ(r.ProjectData[11], "0.0");
  EXPECT_EQ(r.ProjectData[2], "Caf\xE9 at 20 \xB0" "C");
  EXPECT_EQ(r.BldOrient, "0");
  EXPECT_EQ(r.FloorArea, 1120.0f);
  EXPECT_EQ(r.WeatherBlock[11], m->WeatherBlock[11]);
  EXPECT_EQ(r.DesTemps[2], "79.4");
  EXPECT_EQ(r.DesTempsValid, 1);
  EXPECT_EQ(r.EconData[10], "0.0");
  EXPECT_EQ(r.DemChgSwitch, "Y");
  EXPECT_EQ(r.DemChgCount, 2);
  EXPECT_EQ(r.DemChgKw[2], "200");
  EXPECT_EQ(r.DemChgCost[2], "6.5");
  EXPECT_EQ(r.WallId[8], " 8");
  EXPECT_EQ(r.WallDesc[8], "Built-up roof, R-19");
  EXPECT_EQ(r.WallId[5], "");
  EXPECT_EQ(r.WallId[30], "");
  EXPECT_EQ(r.WinU[1], ".62");
  EXPECT_EQ(r.TempProfNo[1], "1");
  EXPECT_EQ(r.TempProfile[1], m->TempProfile[1]);
  EXPECT_EQ(r.OccProfNo[7], "");
  EXPECT_EQ(r.OccProfile[7], "lib");
  EXPECT_EQ(r.GridRows, 40);
  EXPECT_EQ(r.ZoneCount, 2);
  EXPECT_EQ(r.ZoneCode[2], "12");
  EXPECT_EQ(r.ZoneSketchName[2], "Store");
  EXPECT_EQ(r.ZoneFloorArea[1], 640.0f);
  EXPECT_EQ(r.ZonePeople[1], 80.0f);  // 640 ft2 / 8 people
  EXPECT_EQ(r.ZonePeople[2], 120.0f);
  EXPECT_EQ(r.ZoneDaylight[2], " Yes");
  EXPECT_EQ(r.DaylightUsed, 1);
  EXPECT_EQ(r.SurfaceCount[1], 2);
  EXPECT_EQ(r.SurfWallArea[1][1], 320.0f);
  EXPECT_EQ(r.SurfShade[1][1], "T0.5");
  EXPECT_EQ(r.SurfWinArea[2][1], 40.25f);
  EXPECT_EQ(r.SurfBlind[2][1], 5);
  EXPECT_EQ(r.SurfGrndRefl[2][1], 0.2f);
  EXPECT_EQ(r.ProjectLoaded + r.ZonesEntered + r.WeatherEntered + r.StepFlags[5], 4);
  EXPECT_EQ(r.ProfKindOpened[5], 1);
  EXPECT_EQ(base.read("temp/temp12.zon"),
            " 1 \r\n 240 \r\n 270 \r\n 2 \r\nF.25\r\n 1 \r\n 40.25 \r\n 90 \r\nS\r\n 5 \r\n"
            " 2.5 \r\n 3 \r\n 7 \r\n .2 \r\nend\r\n");
  EXPECT_EQ(base.read("sketch/bld_mtx.all"),
            TempBase::slurp(FixturePath("bld_mtx_one_level.all")));
}

TEST_F(ProjectFile, writer_edge_cases_follow_the_layout) {
  for (auto& item : m->ProjectData) item.clear();
  m->DemChgCount = 0;
  m->DemChgSwitch = "Y";
  for (auto* c : {&m->WallId, &m->WinId}) c->fill("");
  for (int k = 1; k <= 5; ++k) ProfileKind(*m, k).marks.fill("");
  m->ZoneCount = 3;
  m->ZoneCode[1].clear();  // skipped
  m->SurfaceCount[2] = 0;
  m->ZoneCode[3] = "13";
  m->ZoneData[3][1] = "13";
  m->ZoneData[3][9] = "";
  auto lines = linesOf(save("e.inp"));
  EXPECT_EQ(lines[1], "Bld. Type 0.0");
  EXPECT_EQ(lines[12], "An Hldays 0.0");
  EXPECT_EQ(lines[38], "DemCharge  N");
  EXPECT_EQ(lines[39], "WALL AND ROOF PROPERTIES");
  EXPECT_EQ(lines[40], "9999");
  EXPECT_EQ(lines[41], "WINDOW PROPERTIES");
  EXPECT_EQ(lines[42], "9999");
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 43, lines.begin() + 55),
            (std::vector<std::string>{"PROFILES", "Occ", "99", "HW", "99", "Vent", "99", "Lite",
                                      "99", "Temp", "99", "ZONES"}));
  EXPECT_EQ(lines[55], "Zone No.  12");
  EXPECT_EQ(lines[55 + 33], "9999");
  EXPECT_EQ(lines[55 + 34], "Zone No.  13");
  EXPECT_EQ(lines[55 + 34 + 8], "OA CFM    CP");
  EXPECT_EQ(lines[55 + 34 + 33], "9999");
  EXPECT_EQ(lines[55 + 34 + 34], "BUILDING MATRIX");
}

TEST(OutdoorAir, codes_are_upper_cased_and_a_bare_rate_gets_cp) {
  struct Case {
    const char* held;
    const char* stored;
  };
  const Case cases[] = {{"CP20", "CP20"}, {"cp20", "CP20"}, {"20", "CP20"}, {"", "CP"},
                        {"CS.15", "CS.15"}, {"cs.15", "CS.15"}, {"PA30", "PA30"},
                        {"Pa30", "PA30"}, {"X5", "CPX5"}};
  for (const auto& c : cases) EXPECT_EQ(NormalizeOutdoorAir(c.held), c.stored) << c.held;
}

TEST(DaylightSwitch, is_on_when_its_first_non_blank_letter_is_y) {
  for (const char* on : {"Yes", " Yes", "YES", "yes", "  y"}) EXPECT_TRUE(SwitchOn(on)) << on;
  for (const char* off : {"No", "", "   ", " N", "xYes"}) EXPECT_FALSE(SwitchOn(off)) << off;
}

TEST_F(ProjectFile, end_after_save_is_returned_to_the_caller) {
  m->EndAfterSave = 1;
  base.write("temp/temp11.zon", "end\r\n");
  EXPECT_TRUE(WriteProjectFile(*m, "x.inp", "IP", BodyWriter::AsHeld));
  EXPECT_EQ(m->ProjectLoaded, 1);
  EXPECT_FALSE(base.exists("temp/temp11.zon"));
  EXPECT_TRUE(base.exists("x.inp"));
}

TEST_F(ProjectFile, a_failed_save_leaves_the_earlier_file_intact) {
  std::string before = save("p.inp");
  m->ProjectData[1] = "Changed";
  std::filesystem::remove(base.path("sketch/bld_mtx.all"));
  try {
    WriteProjectFile(*m, "p.inp", "IP", BodyWriter::AsHeld);
    ADD_FAILURE() << "the save should fail without the sketch";
  } catch (const FileError& e) {
    EXPECT_EQ(e.number(), kErrFileNotFound);
  }
  EXPECT_EQ(base.read("p.inp"), before);
  for (const auto& entry : std::filesystem::directory_iterator(base.dir()))
    EXPECT_EQ(entry.path().filename().string().find(".p.inp."), std::string::npos)
        << "a temporary file was left behind";
}

TEST_F(ProjectFile, the_header_gives_seed_weeks_and_unit_system) {
  struct Case {
    const char* line;
    const char* seed;
    int weeks;
    int16_t units;
  };
  const Case cases[] = {
      {"KAL-VANO  .83774665  4  SI", ".83774665 ", 4, kSI},
      {"KAL-VANO   .7055475  2  IP", " .7055475 ", 2, kInchPound},
      {"KAL-VANO  SI         3  IP", "SI        ", 3, kInchPound},  // SI only in 1-22
      {"KAL-VANO  .5        2.5 IP", ".5        ", 2, kInchPound},  // halves to even
      {"KAL-VANO  .5         3 SI", ".5         3 SI", 3, kSI},
  };
  std::vector<std::string> body = linesOf(save("h.inp"));
  for (const auto& c : cases) {
    std::string bytes = std::string(c.line) + "\r\n";
    for (std::size_t i = 1; i < body.size(); ++i) bytes += body[i] + "\r\n";
    base.write("h2.inp", bytes);
    m->UnitSystem = c.units == kSI ? kInchPound : kSI;
    ReadInputFile(*m, "h2.inp");
    EXPECT_EQ(m->WeatherSeed, std::string(c.seed).substr(0, 10)) << c.line;
    EXPECT_EQ(m->WeeksPerMonth, c.weeks) << c.line;
    EXPECT_EQ(m->UnitSystem, c.units) << c.line;
    m->ProjectFile = base.path("h2.inp");
    m->WeatherSeed.clear();
    m->WeeksPerMonth = 0;
    ReadProjectHeader(*m);
    EXPECT_EQ(m->WeatherSeed, std::string(c.seed).substr(0, 10)) << c.line;
    EXPECT_EQ(m->WeeksPerMonth, c.weeks) << c.line;
  }
  m->ProjectFile = base.path("missing.inp");
  m->LastRandom = 0.5337f;
  ReadProjectHeader(*m);
  EXPECT_EQ(m->WeatherSeed, ".5337");
  EXPECT_EQ(m->WeeksPerMonth, 4);
}

TEST_F(ProjectFile, reader_handles_missing_design_temperatures_and_demand_rows) {
  auto lines = linesOf(save("d.inp"));
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("DesTemps", 0) == 0 || lines[i].rfind("DemChgRate", 0) == 0) continue;
    if (lines[i].rfind("DemCharge ", 0) == 0) lines[i] = "DemCharge  N";
    bytes += lines[i] + "\n";  // LF only: accepted as well
  }
  base.write("d2.inp", bytes);
  ReadInputFile(*m, "d2.inp");
  EXPECT_EQ(m->DesTemps[1], "");
  EXPECT_EQ(m->DesTempsValid, 0);
  EXPECT_EQ(m->DemChgSwitch, " N");
  EXPECT_EQ(m->DemChgCount, 0);
  EXPECT_EQ(m->EconData[0], "25");
  EXPECT_EQ(m->WallId[1], " 1");
  // The next as-held write recomputes the design temperatures from the weather.
  auto again = linesOf(save("d3.inp"));
  EXPECT_NE(again[25], "DesTemps     ");
  EXPECT_EQ(again[25].rfind("DesTemps   9", 0), 0u) << again[25];
}

// Each cut of the file before its building matrix is the wrong-format error, and leaves the
// model and the files derived from it as they were.
TEST_F(ProjectFile, a_file_cut_short_anywhere_is_the_wrong_format_error) {
  auto lines = linesOf(save("full.inp"));
  base.write("temp/temp11.zon", "old\r\n");
  std::string sketchBefore = base.read("sketch/bld_mtx.all");
  m->ProjectData[1] = "Before";
  std::size_t matrix = 0;
  while (lines[matrix] != "BUILDING MATRIX") ++matrix;
  for (std::size_t cut = 0; cut <= matrix; ++cut) {
    std::string bytes;
    for (std::size_t i = 0; i < cut; ++i) bytes += lines[i] + "\r\n";
    base.write("cut.inp", bytes);
    EXPECT_EQ(expectError(*m, "cut.inp"), kErrPastEndOfFile) << "cut after line " << cut;
  }
  EXPECT_EQ(m->ProjectData[1], "Before");
  EXPECT_EQ(m->ProjectLoaded, 0);
  EXPECT_EQ(base.read("temp/temp11.zon"), "old\r\n");
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), sketchBefore);
  EXPECT_EQ(expectError(*m, "nothere.inp"), kErrFileNotFound);
}

TEST_F(ProjectFile, bad_indexes_codes_and_counts_are_refused) {
  auto lines = linesOf(save("ok.inp"));
  auto variant = [&](auto edit) {
    std::vector<std::string> l = lines;
    edit(l);
    std::string bytes;
    for (const auto& s : l) bytes += s + "\r\n";
    base.write("bad.inp", bytes);
    return expectError(*m, "bad.inp");
  };
  auto find = [&](std::vector<std::string>& l, const std::string& start) {
    for (std::size_t i = 0; i < l.size(); ++i)
      if (l[i].rfind(start, 0) == 0) return i;
    return l.size();
  };
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "ID. #")] = "ID. #      51"; }), kErrSubscript);
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "ID. #")] = "ID. #     -1"; }), kErrSubscript);
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "PROFILES") + 2] = "51"; }), kErrSubscript);
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "Zone No.")] = "Zone No.  1a"; }),
            kErrPastEndOfFile);
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "Zone No.")] = "Zone No.  ../1"; }),
            kErrPastEndOfFile);
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "Zone No.")] = "Zone No.   11"; }),
            kErrPastEndOfFile);
  // No people (or a negative count) gives one unit of floor area per person.
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "No.People")] = "No.People  0 "; }), 0);
  EXPECT_EQ(m->ZonePeople[1], 1.0f);
  EXPECT_EQ(variant([&](auto& l) { l[find(l, "No.People")] = "No.People -2"; }), 0);
  EXPECT_EQ(m->ZonePeople[1], 1.0f);
  // Zone 11 with 33 surface rows is read; a 34th row is refused.
  auto rows = [&](int count) {
    return variant([&](auto& l) {
      std::size_t row = find(l, "Wall ID.");
      std::vector<std::string> one(l.begin() + static_cast<long>(row),
                                   l.begin() + static_cast<long>(row) + 14);
      for (int k = 2; k < count; ++k)
        l.insert(l.begin() + static_cast<long>(row), one.begin(), one.end());
    });
  };
  EXPECT_EQ(rows(34), kErrPastEndOfFile);
  EXPECT_EQ(rows(33), 0);
  EXPECT_EQ(m->SurfaceCount[1], 33);
  // A 101st zone (100 are fine).
  auto zones = [&](int count) {
    return variant([&](auto& l) {
      std::size_t first = find(l, "Zone No.");
      std::size_t second = find(l, "BUILDING MATRIX");
      std::vector<std::string> all;
      std::vector<std::string> zone(l.begin() + static_cast<long>(first),
                                    l.begin() + static_cast<long>(first) + 33);
      zone.push_back("9999");
      for (int z = 1; z <= count; ++z) {
        zone[0] = "Zone No.  " + std::to_string(100 + z);
        all.insert(all.end(), zone.begin(), zone.end());
      }
      l.erase(l.begin() + static_cast<long>(first), l.begin() + static_cast<long>(second));
      l.insert(l.begin() + static_cast<long>(first), all.begin(), all.end());
    });
  };
  EXPECT_EQ(zones(100), 0);
  EXPECT_EQ(m->ZoneCount, 100);
  EXPECT_TRUE(base.exists("temp/temp200.zon"));
  EXPECT_EQ(zones(101), kErrPastEndOfFile);
}

// A station line whose values the engine would read otherwise than this program (which takes
// each from its six columns) is refused naming the value and the line, and the model, the zone
// files and the sketch stay as they were. Values the engine reads as written are taken.
TEST_F(ProjectFile, a_station_line_read_otherwise_is_refused_naming_the_value) {
  struct Case {
    const char* what;
    const char* tag;
    const char* values;  // columns 56 on of the station line
    const char* refused;  // the value named, empty when the file is read
  };
  const Case cases[] = {
      {"a sign behind the number", "IP", "   33-  87.9    90   659", "latitude \"33-\""},
      {"a second decimal point", "IP", "  41.9 4.2.1    90   659", "longitude \"4.2.1\""},
      {"six characters running into the value before", "IP", "  41.987.900    90   659",
       "longitude \"87.900\""},
      {"a six-character elevation after the meridian", "IP", "  39.8 104.7   1051649.9",
       "elevation \"1649.9\""},
      {"a number after the elevation", "IP", "  41.9  87.9    90   659 12", "elevation \"659 12\""},
      {"no elevation", "IP", "  41.9  87.9    90", "elevation \"\""},
      {"values as the writers write them", "IP", "    42  87.9    90   659", ""},
      {"six-character values that begin with a minus sign", "IP", "-41.98-87.90   -90  -659", ""},
      {"an elevation run by the converting writer", "IP", "  39.8 104.7   105    5413", ""},
      {"a six-character elevation of an SI project", "SI", "  39.8 104.7   1051649.9", ""},
  };
  auto lines = linesOf(save("ok.inp"));
  std::size_t station = 0;
  while (lines[station] != "WEATHER") ++station;
  station += 2;
  ASSERT_EQ(station, 15u);  // line 16
  base.write("temp/temp11.zon", "old\r\n");
  const std::string sketchBefore = base.read("sketch/bld_mtx.all");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> l = lines;
    l[0].replace(l[0].size() - 2, 2, c.tag);
    l[station] = l[station].substr(0, 55) + c.values;
    std::string bytes;
    for (const auto& line : l) bytes += line + "\r\n";
    base.write("station.inp", bytes);
    auto copy = std::make_unique<ProjectModel>(*m);
    copy->ProjectData[1] = "Before";
    const std::string refused = c.refused;
    try {
      ReadInputFile(*copy, "station.inp");
      EXPECT_EQ(refused, "") << "read";
      EXPECT_EQ(copy->WeatherBlock[2], l[station]);
    } catch (const FileError& e) {
      EXPECT_EQ(e.number(), kErrPastEndOfFile);
      EXPECT_NE(refused, "") << FileErrorMessage(e);
      EXPECT_NE(FileErrorMessage(e).find("the " + refused + " on its station line"), std::string::npos)
          << FileErrorMessage(e);
      EXPECT_EQ(e.detail(), "station line, line 16");
      EXPECT_EQ(copy->ProjectData[1], "Before");
      EXPECT_EQ(copy->WeatherBlock[2], m->WeatherBlock[2]);
      EXPECT_EQ(base.read("temp/temp11.zon"), "old\r\n");
      EXPECT_EQ(base.read("sketch/bld_mtx.all"), sketchBefore);
    }
  }
}

}  // namespace
}  // namespace kalvano::model

namespace kalvano::model {
namespace {

TEST_F(ProjectFile, system_failures_reach_the_caller_as_their_error_numbers) {
  save("ok.inp");
  auto tryWrite = [&](const std::string& path) {
    try {
      WriteProjectFile(*m, path, "IP", BodyWriter::AsHeld);
    } catch (const FileError& e) {
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(tryWrite("nofolder/x.inp"), kErrPathNotFound);
  // Without a temp folder the zone files cannot be written: nothing changes.
  std::string sketch = base.read("sketch/bld_mtx.all");
  std::filesystem::remove_all(base.path("temp"));
  m->ProjectData[1] = "Kept";
  EXPECT_EQ(expectError(*m, "ok.inp"), kErrPathNotFound);
  EXPECT_EQ(m->ProjectData[1], "Kept");
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), sketch);
  // A read-only folder. As root, the base folder is the user nobody's and the save runs as
  // nobody, whom the folder's permissions bind.
  std::filesystem::create_directories(base.path("locked"));
  if (kalvano::test::RunningAsRoot() && !kalvano::test::GiveToUnprivileged(base.dir())) {
    GTEST_SKIP() << "running as root, and the folder cannot be given to the user nobody";
  }
  std::filesystem::permissions(base.path("locked"), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
  const int locked = kalvano::test::AsUnprivileged([&] { return tryWrite("locked/x.inp"); });
  if (locked == kalvano::test::kCannotDropPrivileges) {
    GTEST_SKIP() << "running as root, and this system refuses to become the user nobody";
  }
  EXPECT_EQ(locked, kErrPermissionDenied);
}

}  // namespace
}  // namespace kalvano::model
