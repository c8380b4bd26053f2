// Step 5 of the main menu: the zone table and the zone list's rows made from the sketch.
#include "frontend/shell/zoneentry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/session.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

// One surface row of a zone file: the 14 lines in field order.
struct Row {
  std::string wallId = " 1 ", area = " 100 ", orient = " 90 ", exposure = " 3 ", shade = "N";
  std::string windowId = " 1 ", winArea = " 20 ", slope = " 90 ", swb = "B", blind = " 0 ";
  std::string diff = " 1 ", sill = " 3 ", top = " 8 ", refl = " .2 ";
  std::string Text() const {
    std::string out;
    for (const std::string* v : {&wallId, &area, &orient, &exposure, &shade, &windowId,
                                 &winArea, &slope, &swb, &blind, &diff, &sill, &top, &refl})
      out += *v + "\r\n";
    return out;
  }
};

// A catalogue of `entries` entries: id i, "Type i", U-factor ".5", cost "10".
std::string Catalogue(int entries) {
  std::string out;
  for (int i = 1; i <= entries; ++i) {
    out += std::to_string(i) + "\r\nType " + std::to_string(i) + "\r\n.5\r\n.6\r\n2\r\n.9\r\n10\r\n";
  }
  return out;
}

class ZoneEntryTest : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    m.AppDir = base.dir().string();
    base.write("profiles/bprof6.dat", Catalogue(15));
    base.write("profiles/bprof7.dat", Catalogue(15));
    std::string temps = "TEMPERATURE PROFILES (F)\r\n";
    for (int j = 1; j <= 12; ++j) temps += " 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68\r\n";
    base.write("profiles/bprof5.dat", temps);
    m.StepFlags[1] = 1;
    m.Resketched = 1;
    m.ZonesEntered = 0;
    m.BldTypeNo = 3;
    m.FloorArea = 2070;
    m.BldOrient = " 90";
    AddZone("11", "West", 1070, 200, {Row{}, Row{}});
  }

  void AddZone(const std::string& code, const std::string& name, float area, float perPerson,
               const std::vector<Row>& rows) {
    const auto z = static_cast<std::size_t>(++m.ZoneCount);
    m.ZoneCode[z] = code;
    m.ZoneSketchName[z] = name;
    m.ZoneFloorArea[z] = area;
    m.ZonePeople[z] = perPerson;
    m.SurfaceCount[z] = static_cast<int16_t>(rows.size());
    std::string text;
    for (const Row& r : rows) text += r.Text();
    base.write("temp/temp" + code + ".zon", text);
  }

  bool Run() { return ZoneEntry(m, grid, boxes); }

  model::ProjectModel& m = Model();
  ZoneGrid grid;
};

TEST_F(ZoneEntryTest, refuses_without_project_information_and_above_33_surfaces) {
  m.StepFlags[1] = 0;
  EXPECT_FALSE(Run());
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kNoProjectInfoForZones);
  EXPECT_EQ(boxes.asked[0].title, "Error");

  m.StepFlags[1] = 1;
  AddZone("12", "Big hall", 500, 100, std::vector<Row>(33));
  EXPECT_TRUE(Run()) << "33 surfaces pass";
  EXPECT_EQ(m.SurfaceCount[2], 33);

  boxes.asked.clear();
  m.SurfaceCount[2] = 34;
  m.Resketched = 1;
  grid = {};
  EXPECT_FALSE(Run());
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text,
            "The number of exterior surfaces in zone Big hall has exceeded the maximum of 33.  "
            "Return to the sketch and simplify the zone.");
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Exclamation);
  EXPECT_EQ(grid.at(1, 0), "") << "nothing is changed";
}

TEST_F(ZoneEntryTest, fills_the_grid_and_empties_the_rows_after_the_zones_up_to_98) {
  AddZone("12", "East", 1000, 200, {Row{}});
  for (int r = 1; r < kZoneGridRows; ++r) grid.cells[static_cast<std::size_t>(r)] = {"x", "y", "z"};
  ASSERT_TRUE(Run());
  EXPECT_EQ(grid.cells[1], (std::array<std::string, 3>{"11", "West", " 1"}));
  EXPECT_EQ(grid.cells[2], (std::array<std::string, 3>{"12", "East", " 2"}));
  for (int r = 3; r <= 98; ++r) EXPECT_EQ(grid.at(r, 0) + grid.at(r, 1) + grid.at(r, 2), "") << r;
  EXPECT_EQ(grid.at(99, 0), "x") << "rows 99 and 100 are not the step's";
  EXPECT_EQ(m.ZoneData[2][1], "12");
  EXPECT_EQ(m.ZoneData[2][2], "East");
  EXPECT_EQ(m.ZoneData[2][3], " 1000");
  EXPECT_EQ(m.ProjectData[8], " 2070");
  EXPECT_EQ(m.ProjectData[7], " 90");
  EXPECT_EQ(m.Resketched, 0);
  EXPECT_EQ(m.ZonesEntered, 1);
}

TEST_F(ZoneEntryTest, first_description_loads_catalogues_schedules_people_and_surfaces) {
  AddZone("12", "East", 1000, 200, {Row{}});
  ASSERT_TRUE(Run());
  for (int k = 1; k <= 15; ++k) {
    const bool kept = k == 1 || k == 8 || k == 14;
    EXPECT_EQ(m.WallId[static_cast<std::size_t>(k)], kept ? model::NumberText(float(k)) : "") << k;
    EXPECT_EQ(m.WinId[static_cast<std::size_t>(k)], model::NumberText(float(k))) << k;
  }
  EXPECT_EQ(m.WallDesc[8], "Type 8");
  EXPECT_EQ(m.WallU[8], ".5") << "inch-pound values stay as the catalogue writes them";
  EXPECT_EQ(m.ZoneData[1][5], " 6") << "1070 / 200 + .7 = 6.05";
  EXPECT_EQ(m.ZoneData[2][5], " 5");
  EXPECT_EQ(m.OccProfNo[3], " 3");
  EXPECT_EQ(m.OccProfile[3], test::BaseFolder::ProfileLine(1, 3));
  EXPECT_EQ(m.LiteProfile[3], test::BaseFolder::ProfileLine(4, 3));
  EXPECT_EQ(m.TempProfNo[4], " 4");
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(m.ProfKindEdited[static_cast<std::size_t>(k)], 1);
    EXPECT_EQ(m.ProfKindOpened[static_cast<std::size_t>(k)], 1);
  }
  EXPECT_EQ(m.SurfaceCount[1], 2);
  EXPECT_EQ(m.SurfWallArea[1][2], 100.0f);
  EXPECT_EQ(m.SurfShade[1][2], "N");
  EXPECT_EQ(m.SurfSWB[1][2], "B");
  EXPECT_FLOAT_EQ(m.SurfGrndRefl[1][2], 0.2f);
}

TEST_F(ZoneEntryTest, si_converts_catalogue_u_factors_costs_and_temperatures) {
  m.UnitSystem = model::kSI;
  ASSERT_TRUE(Run());
  EXPECT_EQ(m.WallU[1], " 2.839");
  EXPECT_EQ(m.WinU[2], " 2.839");
  EXPECT_EQ(m.WallCost[1], " 107.64");
  std::string twenty;
  for (int h = 0; h < 24; ++h) twenty += " 20 ";
  EXPECT_EQ(m.TempProfile[1], twenty);
}

TEST(TemperatureLine, converts_24_values_and_passes_over_leading_blanks) {
  std::string sixtyEight, twenty;
  for (int h = 0; h < 24; ++h) {
    sixtyEight += h == 0 ? "68" : " 68";
    twenty += " 20 ";
  }
  EXPECT_EQ(TemperatureLineToSI(sixtyEight), twenty);
  // A line written with a sign position begins with a blank: no empty first value (-18).
  EXPECT_EQ(TemperatureLineToSI(" " + sixtyEight), twenty);
  EXPECT_EQ(TemperatureLineToSI("32 212 50"), " 0  100  10 ");
  EXPECT_EQ(TemperatureLineToSI(sixtyEight + " 99 99"), twenty) << "24 values at most";
}

TEST_F(ZoneEntryTest, a_kind_whose_editor_was_opened_keeps_its_profiles) {
  m.ProfKindOpened[2] = 1;
  m.HwProfNo[3] = " 3";
  m.HwProfile[3] = "own values";
  ASSERT_TRUE(Run());
  EXPECT_EQ(m.HwProfile[3], "own values");
  EXPECT_EQ(m.OccProfile[3], test::BaseFolder::ProfileLine(1, 3));
}

TEST_F(ZoneEntryTest, surface_rows_end_at_a_cut_and_round_orientation_and_blind_to_even) {
  Row halves;
  halves.orient = "92.5";
  halves.blind = "4.5";
  Row odd;
  odd.orient = "93.5";
  odd.blind = "5.5";
  std::string text = halves.Text() + odd.Text();
  text += " 1\r\n 100\r\n 0\r\n";  // row 3 cut after its orientation
  base.write("temp/temp11.zon", text);
  ASSERT_TRUE(Run());
  EXPECT_EQ(m.SurfaceCount[1], 2);
  EXPECT_EQ(m.SurfOrient[1][1], 92);
  EXPECT_EQ(m.SurfBlind[1][1], 4);
  EXPECT_EQ(m.SurfOrient[1][2], 94);
  EXPECT_EQ(m.SurfBlind[1][2], 6);
  EXPECT_EQ(m.SurfOrient[1][3], 0) << "values read for the cut row stay";
}

TEST_F(ZoneEntryTest, re_sketch_keeps_unchanged_walls_and_replaces_changed_ones) {
  m.ZonesEntered = 1;
  m.SurfaceCount[1] = 2;
  for (std::size_t r = 1; r <= 2; ++r) {
    m.SurfWallArea[1][r] = 100.2f;
    m.SurfOrient[1][r] = 90;
    m.SurfWindowId[1][r] = 7;
    m.SurfShade[1][r] = "H";
  }
  Row same;
  same.area = "100.4";
  same.windowId = " 2 ";
  Row moved;
  moved.area = "100.6";
  moved.windowId = " 3 ";
  moved.sill = " 4 ";
  base.write("temp/temp11.zon", same.Text() + moved.Text());
  ASSERT_TRUE(Run());
  EXPECT_FLOAT_EQ(m.SurfWallArea[1][1], 100.2f);
  EXPECT_EQ(m.SurfWindowId[1][1], 7);
  EXPECT_EQ(m.SurfShade[1][1], "H");
  EXPECT_FLOAT_EQ(m.SurfWallArea[1][2], 100.6f);
  EXPECT_EQ(m.SurfWindowId[1][2], 3);
  EXPECT_EQ(m.SurfShade[1][2], "N");
  EXPECT_EQ(m.SurfSillHt[1][2], 4.0f);
  EXPECT_EQ(m.WallId[1], "") << "a later description reads no catalogue";
}

TEST_F(ZoneEntryTest, a_missing_zone_file_stops_with_the_access_error) {
  base.remove("temp/temp11.zon");
  EXPECT_FALSE(Run());
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kZoneDataAccessError);
  EXPECT_EQ(boxes.asked[0].title, "Zone data access Error");
  EXPECT_EQ(m.Resketched, 1);
  EXPECT_EQ(m.ZonesEntered, 0);
}

// Mends: no building type, no floor area per person, catalogues shorter than 15 entries or
// with an id that is not a type id.
TEST_F(ZoneEntryTest, without_a_building_type_the_first_description_changes_nothing) {
  m.BldTypeNo = 0;
  EXPECT_FALSE(Run());
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Select building type from menu");
  EXPECT_EQ(boxes.asked[0].title, "Building Type");
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Information);
  EXPECT_EQ(m.ZoneData[1][1], "");
  EXPECT_EQ(grid.at(1, 0), "");
  EXPECT_EQ(m.Resketched, 1);
}

TEST_F(ZoneEntryTest, no_floor_area_per_person_gives_no_people) {
  m.ZonePeople[1] = 0;
  ASSERT_TRUE(Run());
  EXPECT_EQ(m.ZoneData[1][5], " 0");
}

TEST_F(ZoneEntryTest, catalogues_of_fewer_entries_are_read_to_their_end) {
  base.write("profiles/bprof6.dat", Catalogue(8) + "\r\n");
  base.write("profiles/bprof7.dat", Catalogue(2));
  ASSERT_TRUE(Run());
  EXPECT_EQ(m.WallId[8], " 8");
  EXPECT_EQ(m.WinId[2], " 2");
  EXPECT_EQ(m.WinId[3], "");
  EXPECT_EQ(m.SurfaceCount[1], 2);
}

TEST_F(ZoneEntryTest, a_catalogue_id_that_is_no_type_id_is_a_wrong_format) {
  for (const char* id : {"abc", "51", "2.5", "0"}) {
    base.write("profiles/bprof7.dat", Catalogue(1) + id + "\r\nX\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");
    boxes.asked.clear();
    EXPECT_FALSE(Run()) << id;
    ASSERT_EQ(boxes.asked.size(), 1u) << id;
    EXPECT_EQ(boxes.asked[0].text, model::FileErrorMessage(62)) << id;
    EXPECT_EQ(boxes.asked[0].title, "Kalvano Error #  62") << id;
    EXPECT_EQ(m.ZonesEntered, 0) << id;
  }
}

}  // namespace
}  // namespace kalvano::shell
