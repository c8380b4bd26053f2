// The whole input echo: golden reports of the two installed samples and of a fixture
// project, the marks that the report readers look for, a missing profile and failing files.
#include "frontend/reports/inputecho.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "echo_fixture.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/bldtype.h"
#include "frontend/shell/zoneentry.h"

namespace kalvano::reports {
namespace {

using test::LinesOf;
namespace fs = std::filesystem;

class InputEchoTest : public test::EchoTest {
 protected:
  // The office sample made into a fixture whose section II holds the cases of the zone
  // echo: zone 1 of 1000 sq.ft. with outdoor air "PA20", a heat pump heated by gas, a
  // profile of 1, 100 and 50, a wall at 270 degrees in a building at 180, a roof without a
  // window and a below-ground floor; zone 2 of floor area 0; zone 3 internal, the zone
  // last painted; daylighting on; a two-level sketch.
  std::unique_ptr<model::ProjectModel> Fixture(int16_t units) {
    auto m = std::make_unique<model::ProjectModel>();
    Retrieve(*m, test::Installed("sample/SampleProject.inp"));
    SetRun(*m);
    m->UnitSystem = units;
    m->ProjectData[1] = "Caf\xE9 annex";  // a Latin-1 letter keeps the columns
    m->ProjectData[7] = m->BldOrient = " 180";
    m->FloorArea = 1500;
    m->DaylightUsed = 1;
    m->PaintZone = 3;
    m->Run.SkippedMonthCount = 2;
    m->Run.SkippedMonths[1] = "July";
    m->Run.SkippedMonths[2] = "August";
    m->DemChgCount = 2;
    m->DemChgKw = {"", "100", "200"};
    m->DemChgCost = {"", "8.5", "6"};
    m->OccProfNo[30] = " 30";
    m->OccProfile[30] = "1 100 50 0 0 0 0 20 20 20 80 80 80 80 80 80 80 80 80 80 80 80 20 0";

    m->ZoneCount = 3;
    auto& f = m->ZoneData[1];
    f[1] = "11";
    f[2] = "Caf\xE9";
    f[3] = " 1000";
    f[5] = " 5";
    f[6] = " 30";
    f[9] = "PA20";
    f[20] = "7";
    f[21] = "1";
    f[28] = " .8";
    m->ZoneFloorArea[1] = 1000;
    m->SurfaceCount[1] = 3;
    m->SurfOrient[1][1] = 270;
    m->SurfExposure[1][2] = 6;
    m->SurfWallId[1][2] = 8;
    m->SurfWallArea[1][2] = 1000;
    m->SurfWindowId[1][2] = 0;
    m->SurfWinArea[1][2] = 0;
    m->SurfExposure[1][3] = 7;
    m->SurfWallId[1][3] = 14;
    m->SurfWallArea[1][3] = 1000;
    m->SurfWindowId[1][3] = 0;
    m->SurfWinArea[1][3] = 0;

    m->ZoneData[2] = m->ZoneData[1];
    m->ZoneData[2][1] = "12";
    m->ZoneData[2][3] = " 0";
    m->ZoneFloorArea[2] = 0;
    m->ZoneCode[2] = "12";

    m->ZoneData[3] = m->ZoneData[1];
    m->ZoneData[3][1] = "13";
    m->ZoneData[3][2] = "Core";
    m->ZoneData[3][3] = " 500";
    m->ZoneData[3][6] = " 24";
    m->ZoneData[3][9] = "17";  // no code: a rate per person
    m->ZoneData[3][20] = "12";  // no such cooling type
    m->ZoneData[3][21] = "2";
    m->ZoneFloorArea[3] = 500;
    m->ZoneCode[3] = "13";
    m->ZoneNatVent[3] = m->ZoneDaylight[3] = m->ZoneEconCycle[3] = "Yes";
    m->SurfaceCount[3] = 0;

    base.write("sketch/bld_mtx.all",
               "Grid Size   : 2\r\nNo. of Flrs : 1\r\nRoom Height : 12\r\nFloor Area  : 1000\r\n"
               "No. of Flrs : 2\r\nRoom Height : 10.5\r\nFloor Area  : 500\r\n");
    return m;
  }

  std::string Echo(model::ProjectModel& m) {
    WriteInputEcho(m, boxes);
    EXPECT_EQ(ReportPageNo(), 0);
    return Report();
  }
};

TEST_F(InputEchoTest, golden_reports_of_the_samples_and_the_fixture) {
  {
    model::ProjectModel m;
    Retrieve(m, test::Installed("sample/SampleProject.inp"));
    SetRun(m);
    test::ExpectGolden(Echo(m), "office_ip.out");
  }
  {
    model::ProjectModel m;
    Retrieve(m, test::Installed("sample/SampleSchool.inp"));
    ASSERT_EQ(m.UnitSystem, model::kSI);
    SetRun(m);
    m.Run.WeatherFormat = 1;
    m.Run.Jan1Weekday = 2;
    m.Run.SkippedMonthCount = 1;
    m.Run.SkippedMonths[1] = "July";
    test::ExpectGolden(Echo(m), "school_si.out");
  }
  test::ExpectGolden(Echo(*Fixture(model::kInchPound)), "fixture_ip.out");
  test::ExpectGolden(Echo(*Fixture(model::kSI)), "fixture_si.out");
  EXPECT_TRUE(boxes.asked.empty());
}

// The zone cases of the fixture, line by line.
TEST_F(InputEchoTest, fixture_zone_cases) {
  auto m = Fixture(model::kInchPound);
  const auto lines = LinesOf(Echo(*m));
  auto find = [&lines](const std::string& start, std::size_t from = 0) {
    for (std::size_t i = from; i < lines.size(); ++i)
      if (lines[i].compare(0, start.size(), start) == 0) return i;
    return lines.size();
  };
  auto zoneLine = [&](const std::string& code) { return find("    ZONE  " + code); };
  ASSERT_LT(zoneLine("11"), lines.size());
  EXPECT_EQ(zoneLine("12"), lines.size()) << "a zone of floor area 0 is left out";
  ASSERT_LT(zoneLine("13"), lines.size());

  const std::size_t z1 = zoneLine("11");
  EXPECT_EQ(lines[z1].substr(10, 8), "11  Caf\xE9");
  EXPECT_EQ(lines[z1].substr(69, 17), "CEIL.HT.=   10 FT") << "the last level's height";
  const std::size_t values = z1 + 5;
  EXPECT_EQ(lines[values].substr(33, 12), "DX HEAT PUMP");
  EXPECT_EQ(lines[values].substr(81, 3), "GAS");
  EXPECT_EQ(lines[values].substr(94, 9), "HEAT PUMP");
  EXPECT_EQ(lines[values + 1].substr(93, 8), "(   2.4)");
  EXPECT_EQ(lines[values + 1].substr(81, 8), "(    .8)");
  const std::size_t occ = find("        OCCUPANCY", z1);
  EXPECT_EQ(lines[occ + 1].substr(22, 12), "   1   1  .5");
  const std::size_t vent = find("        VENTILATION: % O.A.", z1);
  EXPECT_LT(vent, lines.size());

  const std::size_t wall = find("    B  1 Steel", z1);
  ASSERT_LT(wall, lines.size());
  EXPECT_EQ(lines[wall].substr(44, 4), " 450") << "270 in a building at 180";
  const std::size_t ground = find("    B  14", z1);
  EXPECT_EQ(lines[ground].substr(50, 8), "U-GROUND");
  const std::size_t cap = find("         Total Design Cap.= 200 CFM", z1);
  EXPECT_LT(cap, lines.size()) << "PA 20 in 1000 sq.ft.";
  const std::size_t roof = find("         Roof UA= 48 ", z1);
  EXPECT_LT(roof, find("    ZONE  13")) << "the roof adds only its opaque part";

  // Zone 3: internal, the painted zone (no form feed), an unknown cooling type names
  // nothing, a bare ventilation rate is per person.
  const std::size_t z3 = zoneLine("13");
  EXPECT_EQ(lines[z3 + 5].substr(33, 20), std::string(20, ' '));
  EXPECT_EQ(lines[z3 + 5].substr(81, 10), "ELEC. RES.");
  const std::size_t internal = find("        INTERNAL ZONE - NO EXTERNAL WALL DATA.", z3);
  ASSERT_LT(internal, lines.size());
  EXPECT_EQ(lines[internal + 3], "    CODE COMPLIANCE CHECKING INFORMATION:")
      << "no form feed before the painted zone's compliance block";
  EXPECT_EQ(find("         Roof UA=", z3), lines.size());
  EXPECT_EQ(find("         Env  UA=", z3), lines.size());
  EXPECT_LT(find("         Total Design Cap.= 85 CFM", z3), lines.size()) << "5 people at 17";
  EXPECT_EQ(std::count(lines.begin() + static_cast<long>(z1), lines.begin() + static_cast<long>(z3), "\f"), 1)
      << "zone 1 has its form feed";

  // Two light-shelf pages, the first one continued; floors of both levels.
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.find("(Continued)") == 54; }),
            1);
  const std::size_t bldg = find("        FLOOR AREA");
  EXPECT_EQ(lines[bldg + 4].substr(109), " 3 ") << "1 + 2 floors";
}

TEST_F(InputEchoTest, no_division_by_zero_in_the_compliance_blocks) {
  auto m = Fixture(model::kInchPound);
  m->FloorArea = 0;
  for (std::size_t z = 1; z <= 3; ++z) {
    m->SurfaceCount[z] = 0;
    m->ZoneData[z][5] = " 0";
  }
  const std::string report = Echo(*m);
  for (const char* bad : {"Inf", "nan", "NaN", "*****"}) EXPECT_EQ(report.find(bad), std::string::npos) << bad;
  const auto lines = LinesOf(report);
  const auto bldgEnd = std::find(lines.begin(), lines.end(),
                                 "II.  Z O N E - B Y - Z O N E   P R O P E R T I E S");
  for (const char* left : {"Roof UA=", "Wall UA=", "Env  UA=", "LPD (LtgPwrDens)",
                           "Rate per person", "Rate per FlrArea"}) {
    EXPECT_TRUE(std::none_of(lines.begin(), bldgEnd,
                             [left](const std::string& l) { return l.find(left) != std::string::npos; }))
        << left;
  }
}

TEST_F(InputEchoTest, an_exposure_below_1_names_nothing_rather_than_the_row_before) {
  auto m = Fixture(model::kInchPound);
  m->SurfExposure[1][3] = 0;
  const auto lines = LinesOf(Echo(*m));
  const auto row = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.compare(0, 9, "    B  14") == 0;
  });
  ASSERT_NE(row, lines.end());
  EXPECT_EQ(row->substr(50, 8), std::string(8, ' ')) << *row;
}

TEST_F(InputEchoTest, zones_99_and_100_have_their_own_sums) {
  auto m = Fixture(model::kInchPound);
  for (std::size_t z : {99, 100}) {
    m->ZoneData[z] = m->ZoneData[1];
    m->ZoneData[z][1] = std::to_string(z);
    m->ZoneCode[z] = std::to_string(z);
    m->ZoneFloorArea[z] = 1000;
    m->SurfaceCount[z] = 1;
    m->SurfWallId[z][1] = 8;
    m->SurfWallArea[z][1] = z == 99 ? 100 : 200;
    m->SurfExposure[z][1] = 6;
  }
  m->ZoneCount = 100;
  const auto lines = LinesOf(Echo(*m));
  std::vector<std::string> roofs;
  for (const std::string& l : lines) {
    if (l.compare(0, 17, "         Roof UA=") == 0) roofs.push_back(l.substr(0, 40));
  }
  ASSERT_EQ(roofs.size(), 4u) << "building, zone 1, zones 99 and 100";
  EXPECT_EQ(roofs[2], "         Roof UA= 4.8        Roof A= 100");
  EXPECT_EQ(roofs[3], "         Roof UA= 9.6        Roof A= 200");
}

TEST_F(InputEchoTest, marks_of_the_report_readers_stand_in_their_columns) {
  for (int16_t units : {model::kInchPound, model::kSI}) {
    auto m = Fixture(units);
    const auto lines = LinesOf(Echo(*m));
    std::size_t weather = 0;
    int titleI = 0, titleII = 0, zones = 0, headers = 0, pages = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& l = lines[i];
      if (l.size() >= 10 && l.substr(3, 7) == "WEATHER" && weather == 0) weather = i;
      if (l.compare(0, 3, "I. ") == 0) ++titleI;
      if (l.compare(0, 4, "II. ") == 0) ++titleII;
      if (l.size() >= 8 && l.substr(4, 4) == "ZONE") ++zones;
      if (l.compare(0, 13, "*** PROJECT: ") == 0) ++headers;
      if (l.find("... PAGE ") == 114) ++pages;
    }
    ASSERT_GT(weather, 0u);
    if (units == model::kSI) {
      EXPECT_EQ(lines[weather + 13].substr(11, 5), "SQ.M.");
    }
    EXPECT_EQ(titleI, 1);
    EXPECT_EQ(titleII, 1);
    EXPECT_EQ(zones, 2);
    EXPECT_EQ(headers, pages) << "every page begun has its header";
    EXPECT_EQ(pages, 2 + 2 + 1 + 2) << "economics, catalogue, two light-shelf pages, I, two zones";
  }
}

TEST_F(InputEchoTest, lines_end_in_cr_lf_and_the_cooling_table_is_copied_line_for_line) {
  base.write("btype/tcool.dat", "first line\nsecond\r\n  third  \n");
  model::ProjectModel m;
  Retrieve(m, test::Installed("sample/SampleProject.inp"));
  SetRun(m);
  const std::string report = Echo(m);
  ASSERT_FALSE(report.empty());
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (report[i] == '\n') {
      EXPECT_TRUE(i > 0 && report[i - 1] == '\r') << i;
    }
    if (report[i] == '\r') {
      EXPECT_TRUE(i + 1 < report.size() && report[i + 1] == '\n') << i;
    }
  }
  EXPECT_NE(report.find("\r\nfirst line\r\nsecond\r\n  third  \r\n\r\n" + std::string(132, '=')),
            std::string::npos);
}

TEST_F(InputEchoTest, a_missing_profile_ends_the_echo_with_status_5) {
  const char* kinds[] = {"Occupancy", "Hot Water", "Ventilation", "Lights"};
  const std::size_t fields[] = {6, 8, 10, 15};
  for (int k = 1; k <= 4; ++k) {
    auto m = Fixture(model::kInchPound);
    m->ZoneData[3][fields[k - 1]] = " 77";
    boxes.asked.clear();
    const auto lines = LinesOf(Echo(*m));
    ASSERT_EQ(boxes.asked.size(), 1u) << k;
    EXPECT_EQ(boxes.asked[0].title, std::string(kinds[k - 1]) + " profile missing!");
    EXPECT_EQ(boxes.asked[0].text, "The profile number for " + std::string(kinds[k - 1]) +
                                       " has not been clicked in zone 13.  Return to zone "
                                       "description and check profiles.");
    EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Exclamation);
    EXPECT_EQ(m->Run.RunStatus, 5);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.back().find("Profile i.d. is"), std::string::npos)
        << k << ": the report ends with the group's first line: " << lines.back();
  }
  // A missing thermostat profile is no error.
  auto m = Fixture(model::kInchPound);
  m->ZoneData[3][17] = " 9";
  boxes.asked.clear();
  const std::string report = Echo(*m);
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(m->Run.RunStatus, 0);
  EXPECT_NE(report.find("THERMOSTAT (NORMAL OCCUPIED DAYS):"), std::string::npos);
}

TEST_F(InputEchoTest, failing_files_reach_the_caller_as_file_errors) {
  struct Case {
    const char* what;
    int number;
  };
  const Case cases[] = {{"tcool", 53}, {"ltshlf", 62}, {"sketch", 53}};
  for (const Case& c : cases) {
    auto m = Fixture(model::kInchPound);
    const std::string what = c.what;
    if (what == "tcool") base.remove("btype/tcool.dat");
    if (what == "sketch") base.remove("sketch/bld_mtx.all");
    if (what == "ltshlf") {
      const auto lines = LinesOf(test::Slurp(test::Installed("temp/ltshlf.dat")));
      std::string cut;
      for (std::size_t i = 0; i < 65; ++i) cut += lines[i] + "\r\n";
      base.write("temp/ltshlf.dat", cut);
    }
    try {
      WriteInputEcho(*m, boxes);
      ADD_FAILURE() << c.what << " raised nothing";
    } catch (const model::FileError& e) {
      EXPECT_EQ(e.number(), c.number) << c.what;
    }
    EXPECT_EQ(ReportPageNo(), 0) << c.what;
    EXPECT_FALSE(Report().empty()) << c.what << ": the report keeps what was written";
    fs::copy_file(test::Installed("btype/tcool.dat"), base.path("btype/tcool.dat"),
                  fs::copy_options::overwrite_existing);
    fs::copy_file(test::Installed("temp/ltshlf.dat"), base.path("temp/ltshlf.dat"),
                  fs::copy_options::overwrite_existing);
  }
  EXPECT_EQ(model::FileErrorMessage(62),
            "KAL-VANO is unable to open your input file because it has a wrong format.  Check "
            "your input file.");
}

// A project made from a building type, its zones described from fixture zone files, then
// echoed: every zone finds its profiles.
TEST_F(InputEchoTest, a_project_from_a_building_type_described_and_echoed) {
  for (const char* dir : {"btype", "profiles"}) {
    for (const auto& entry : fs::directory_iterator(test::Installed(dir))) {
      fs::copy_file(entry.path(), base.path(std::string(dir) + "/" + entry.path().filename().string()),
                    fs::copy_options::overwrite_existing);
    }
  }
  model::ProjectModel& m = shell::Model();
  m.AppDir = base.dir().string();
  m.TodayText = "10 Dec 2026";
  shell::ProjectBoxes projectBoxes;
  shell::LoadBuildingType(m, 24, projectBoxes);
  ASSERT_EQ(m.BldTypeNo, 24);
  m.StepFlags[1] = 1;
  m.Resketched = 1;
  m.ZonesEntered = 0;
  m.ZoneCount = 2;
  m.FloorArea = 2000;
  const std::string row = " 1\r\n 400\r\n 0\r\n 3\r\nN\r\n 1\r\n 80\r\n 90\r\nB\r\n 0\r\n 1\r\n 3\r\n 8\r\n .2\r\n";
  const std::string roof = " 8\r\n 1000\r\n 0\r\n 6\r\nN\r\n 0\r\n 0\r\n 0\r\nB\r\n 0\r\n 1\r\n 0\r\n 0\r\n .2\r\n";
  for (std::size_t z = 1; z <= 2; ++z) {
    m.ZoneCode[z] = "1" + std::to_string(z);
    m.ZoneSketchName[z] = "Zone " + std::to_string(z);
    m.ZoneFloorArea[z] = 1000;
    m.SurfaceCount[z] = 2;
    base.write("temp/temp" + m.ZoneCode[z] + ".zon", row + roof);
  }
  base.write("sketch/bld_mtx.all", "No. of Flrs : 1\r\nRoom Height : 10\r\n");
  ASSERT_TRUE(shell::ZoneEntry(m, shell::ZoneListGrid(), boxes));
  SetRun(m);
  const std::string report = Echo(m);
  EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().title;
  EXPECT_EQ(m.Run.RunStatus, 0);
  const auto lines = LinesOf(report);
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.compare(0, 10, "    ZONE  ") == 0; }),
            2);
  EXPECT_NE(report.find("Steel-framed wall"), std::string::npos) << "the catalogue's wall 1";
}

}  // namespace
}  // namespace kalvano::reports
