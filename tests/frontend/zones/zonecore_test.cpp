// The zone editor's core: opening a zone, the table's lines, the key classes of the surface
// columns, the shading parse, OK with its checks and the store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/model/numtext.h"
#include "frontend/zones/zonecore.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

using model::ProjectModel;
using shell::MsgAnswer;
using shell::test::ScriptedBoxes;

ProjectModel ThreeZones(int rows = 2) {
  ProjectModel m = test::ThreeZoneProject(rows);
  m.SurfaceCount[3] = 0;
  return m;
}

// The texts the zone window would show for the current zone.
ZoneFormTexts FormOf(const ProjectModel& m) {
  ZoneFormTexts f;
  const int z = m.CurrentZone;
  for (int i = 1; i <= model::kZoneFields; ++i) f.zone[i] = m.ZoneData[z][i];
  f.natvent = m.ZoneNatVent[z];
  f.dayt = m.ZoneDaylight[z];
  f.econcycle = m.ZoneEconCycle[z];
  return f;
}

// Sets editing row `row` to a complete surface.
void TypeRow(ProjectModel& m, int row, const std::string& wall, const std::string& wallArea,
             const std::string& window, const std::string& winArea,
             const std::string& shade = "N N N", const std::string& exposure = "1") {
  auto& e = m.ZoneEdit;
  e.RowWallId[row] = wall;
  e.RowWallArea[row] = wallArea;
  e.RowOrient[row] = "90";
  e.RowExposure[row] = exposure;
  e.RowShade[row] = shade;
  e.RowWindowId[row] = window;
  e.RowWinArea[row] = winArea;
  e.RowSWB[row] = "S";
}

struct OpenedZone : ::testing::Test {
  ProjectModel m = ThreeZones();
  ScriptedBoxes boxes;
  OkState state;
  void SetUp() override { ASSERT_TRUE(OpenZone(m, 2, boxes)); }
  OkResult Ok() { return OkeyClick(m, FormOf(m), state, boxes); }
  std::string LastMessage() const { return boxes.asked.empty() ? "" : boxes.asked.back().text; }
};

TEST(OpenZoneTest, switch_texts_are_normalised_to_yes_or_no) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Yes", "Yes"}, {" Yes", "Yes"}, {" yes", "Yes"}, {"yes", "Yes"},
      {"YES", "No"},  {"y", "No"},     {"", "No"},      {"No", "No"}};
  for (const auto& [text, expected] : cases) {
    ProjectModel m = ThreeZones();
    m.ZoneEconCycle[1] = m.ZoneNatVent[1] = m.ZoneDaylight[1] = text;
    ScriptedBoxes boxes;
    ASSERT_TRUE(OpenZone(m, 1, boxes));
    EXPECT_EQ(m.ZoneEconCycle[1], expected) << "'" << text << "'";
    EXPECT_EQ(m.ZoneNatVent[1], expected) << "'" << text << "'";
    EXPECT_EQ(m.ZoneDaylight[1], expected) << "'" << text << "'";
  }
}

TEST(OpenZoneTest, empty_profile_fields_get_the_building_type) {
  for (const std::string text : {"0", "", "abc", "7"}) {
    ProjectModel m = ThreeZones();
    for (int f : {6, 8, 10, 15}) m.ZoneData[1][f] = text;
    m.ZoneData[1][7] = "0";
    ScriptedBoxes boxes;
    ASSERT_TRUE(OpenZone(m, 1, boxes));
    const std::string expected = text == "7" ? "7" : " 4";
    for (int f : {6, 8, 10, 15}) EXPECT_EQ(m.ZoneData[1][f], expected) << f << " '" << text << "'";
    EXPECT_EQ(m.ZoneData[1][7], "0");  // other fields are shown as they are
    EXPECT_EQ(m.CurrentZone, 1);
  }
}

TEST(OpenZoneTest, only_rows_of_a_zone_open) {
  for (int row : {0, 4, 98, -1, 101}) {
    ProjectModel m = ThreeZones();
    m.ZoneCode[4] = "99";  // a code left behind by a smaller sketch
    m.CurrentZone = 1;
    ScriptedBoxes boxes;
    EXPECT_FALSE(OpenZone(m, row, boxes)) << row;
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, "Zone does not exist.  Select another zone.");
    EXPECT_EQ(boxes.asked[0].title, "Error");
    EXPECT_EQ(boxes.beeps, 1);
    EXPECT_EQ(m.CurrentZone, 1) << row;
  }
  ProjectModel m = ThreeZones();
  m.ZoneCode[2].clear();
  ScriptedBoxes boxes;
  EXPECT_FALSE(OpenZone(m, 2, boxes));
}

TEST(OpenZoneTest, stored_rows_are_copied_and_another_zones_rows_are_gone) {
  ProjectModel m = ThreeZones(33);
  m.SurfWindowId[2][5] = 0;  // not copied although wall and exposure are set
  m.SurfShade[2][33] = "L1 R1 T1";
  ScriptedBoxes boxes;
  m.ZoneEdit.RowWallId[5] = "9";   // left from another zone
  m.ZoneEdit.RowShade[33] = "x";
  m.ZoneEdit.FieldChanged[2][4] = 1;
  m.ZoneEdit.LastEditedField = 12;
  ASSERT_TRUE(OpenZone(m, 2, boxes));
  const auto& e = m.ZoneEdit;
  EXPECT_EQ(e.RowWallId[1], " 3");
  EXPECT_EQ(e.RowWallArea[1], " 101");
  EXPECT_EQ(e.RowOrient[1], " 90");
  EXPECT_EQ(e.RowShade[1], "N N N");
  EXPECT_EQ(e.RowSWB[1], "S");
  EXPECT_EQ(e.RowBlind[1], " 0");
  EXPECT_EQ(e.RowWinArea[1], " 10");
  for (int c = 0; c < kSurfaceColumns; ++c) EXPECT_EQ(RowColumn(e, c)[5], "") << c;
  EXPECT_EQ(e.RowWallArea[33], " 133");
  EXPECT_EQ(e.RowShade[33], "L1 R1 T1");
  EXPECT_EQ(e.FieldChanged[2][4], 0);
  EXPECT_EQ(e.LastEditedField, 0);

  ASSERT_TRUE(OpenZone(m, 3, boxes));  // zone 3 has no surfaces
  for (int r = 1; r <= 33; ++r) {
    for (int c = 0; c < kSurfaceColumns; ++c) ASSERT_EQ(RowColumn(m.ZoneEdit, c)[r], "");
  }
}

TEST(SurfaceTableTest, lines_show_the_rows_of_the_scroll_position) {
  // Scroll value v shows rows v .. v + 10.
  EXPECT_EQ(RowOfLine(2, 1), 3);
  EXPECT_EQ(RowOfLine(2, 11), 13);
  EXPECT_EQ(RowOfLine(3, 11), 14);
  EXPECT_EQ(RowOfLine(22, 1), 23);
  EXPECT_EQ(RowOfLine(22, 11), 33);
  EXPECT_EQ(RowOfLine(5, 2), 7);  // an edit on line 2 at value 6
  EXPECT_EQ(LineOfRow(5, 7), 2);
  EXPECT_EQ(LineOfRow(5, 5), 0);
  EXPECT_EQ(LineOfRow(5, 17), 0);
  EXPECT_EQ(LineOfRow(0, 11), 11);
  EXPECT_EQ(PickRow(5, 1, 2), 7);
  EXPECT_EQ(PickRow(5, 0, 2), 2);
  EXPECT_EQ(PickRow(0, 1, 2), 2);
}

struct KeyCase {
  int column;
  char key;
  const char* boxText;
  char expected;          // 0 = refused
  const char* message;    // the refusal's message, "" for none
  bool beep;
};

TEST(SurfaceKeysTest, each_column_lets_through_refuses_or_upper_cases_keys) {
  const std::string numeric = "You should use numerical value.";
  const std::vector<KeyCase> cases = {
      {colShade, 'l', "", 'L', "", false},
      {colShade, 'F', "", 'F', "", false},
      {colShade, '5', "L", '5', "", false},
      {colShade, ' ', "L", ' ', "", false},
      {colShade, ',', "L1", 0, "You should type either a number or the shading code (F, L, R, T, or N).", false},
      {colShade, 'x', "", 0, "You should type either F or L or R or T or N.", false},
      {colSWB, 's', "", 'S', "", false},
      {colSWB, 'b', "", 'B', "", false},
      {colSWB, 'W', "", 'W', "", false},
      {colSWB, 8, "S", 8, "", false},
      {colSWB, 'x', "", 0, "Error.  Type S, or W, or B, or s, or w, or b", false},
      {colSWB, '1', "", 0, "Error.  Type S, or W, or B, or s, or w, or b", false},
      {colWallId, '7', "", 0, "Error.  Wall ID number is not in the wall catalog.  Select the wall ID number again.", true},
      {colWallId, '3', "", '3', "", false},
      {colWallId, '2', "1", '2', "", false},
      {colWallId, ' ', "", ' ', "", false},
      {colWallId, 'a', "", 0, numeric.c_str(), true},
      {colWindowId, '2', "", '2', "", false},
      {colWindowId, '3', "", 0, "Error.  Window ID number is not in the window catalog.  Select the window ID number again.", true},
      {colWindowId, '9', "1", '9', "", false},
      {colExposure, ' ', "", 0, numeric.c_str(), true},
      {colExposure, '3', "", '3', "", false},
      {colWallArea, ' ', "1", ' ', "", false},
      {colBlind, '2', "", 0, "Please enter 0, 1 or 5.", true},
      {colBlind, '5', "", '5', "", false},
      {colBlind, '1', "", '1', "", false},
      {colDiffTrans, '7', "", '7', "", false},
      {colDiffTrans, ' ', "", ' ', "", false},
      {colDiffTrans, 'x', "", 0, numeric.c_str(), true},
      {colOrient, 13, "", 13, "", false},
  };
  ProjectModel m = ThreeZones();
  for (const KeyCase& c : cases) {
    ScriptedBoxes boxes;
    const char got = FilterSurfaceKey(ColumnKeys(c.column), c.key, c.boxText, m, boxes);
    EXPECT_EQ(got, c.expected) << "column " << c.column << " key '" << c.key << "'";
    if (std::string(c.message).empty()) {
      EXPECT_TRUE(boxes.asked.empty()) << "column " << c.column << " key '" << c.key << "'";
    } else {
      ASSERT_EQ(boxes.asked.size(), 1u) << "column " << c.column << " key '" << c.key << "'";
      EXPECT_EQ(boxes.asked[0].text, c.message);
      EXPECT_EQ(boxes.asked[0].title, "Error");
    }
    EXPECT_EQ(boxes.beeps, c.beep ? 1 : 0) << "column " << c.column << " key '" << c.key << "'";
  }
  // The catalog refusal is an information box; an id found only past position 26 is not in it.
  ScriptedBoxes boxes;
  EXPECT_EQ(FilterSurfaceKey(KeyClass::WallIdKeys, '7', "", m, boxes), 0);
  EXPECT_EQ(boxes.asked.at(0).icon, model::MsgIcon::Information);
}

TEST(SurfaceKeysTest, a_minus_sign_is_refused_in_every_numeric_column) {
  ProjectModel m = ThreeZones();
  for (int column : {colWallId, colWallArea, colOrient, colExposure, colWindowId, colWinArea,
                     colSlope, colBlind, colDiffTrans, colSillHt, colWinTop, colGrndRefl}) {
    ScriptedBoxes boxes;
    EXPECT_EQ(FilterSurfaceKey(ColumnKeys(column), '-', "", m, boxes), 0) << column;
    EXPECT_EQ(boxes.asked.size(), 1u) << column;
  }
}

TEST(ShadingParseTest, three_codes_pass) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"L0.5 R0.5 T1", 3}, {"N N N", 3},   {"L1,5 R2 T3", 3}, {"  L1   R1  T1  ", 3},
      {"0.5", 0},          {"", 0},        {"L1 R1", 2},      {"L1 X2 T3", 2},
      {"F1 L1 R1 T1", 4},  {"L1a R1 T1", 2}};
  for (const auto& [text, count] : cases) EXPECT_EQ(ShadingCodeCount(text), count) << text;
}

TEST_F(OpenedZone, shading_codes_are_checked_on_ok) {
  for (const std::string shade : {"0.5", "L1 R1", "L1 X2 T3"}) {
    m.ZoneEdit.RowShade[2] = shade;
    boxes.asked.clear();
    const OkResult r = Ok();
    EXPECT_FALSE(r.stored) << shade;
    ASSERT_EQ(boxes.asked.size(), 1u) << shade;
    EXPECT_EQ(boxes.asked[0].text, "The shading has wrong values.  Please check your input.");
    EXPECT_EQ(boxes.asked[0].title, "Shading error");
    ASSERT_EQ(r.marks.size(), 5u);  // wall and window ids blue, the shade red
    EXPECT_EQ(r.marks.back().column, colShade);
    EXPECT_EQ(r.marks.back().line, 2);
    EXPECT_EQ(r.marks.back().colour, CellColour::Red);
  }
  m.ZoneEdit.RowShade[2] = "L1,5 R2 T3";
  EXPECT_TRUE(Ok().stored);
  EXPECT_EQ(m.SurfShade[2][2], "L1,5 R2 T3");
}

TEST_F(OpenedZone, an_empty_shade_in_row_one_skips_the_surface_checks) {
  m.ZoneEdit.RowShade[1].clear();
  m.ZoneEdit.RowWallId[2] = "9";
  m.ZoneEdit.RowWinArea[2] = "500";
  EXPECT_TRUE(Ok().stored);
  EXPECT_EQ(m.SurfWallId[2][2], 9);
  EXPECT_FLOAT_EQ(m.SurfWinArea[2][2], 500);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(OpenedZone, a_table_scrolled_to_empty_rows_still_checks_the_rows) {
  state.topOffset = 22;  // the visible page shows rows 23..33, all empty
  m.ZoneEdit.RowWallId[2] = "9";
  const OkResult r = Ok();
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(LastMessage(), kWallNotInCatalog);
  EXPECT_TRUE(r.marks.empty());  // no box of the page shows the row
}

TEST_F(OpenedZone, type_ids_are_looked_up_in_the_first_26_types) {
  m.ZoneEdit.RowWallId[2] = " 7";  // wall type 7 sits at position 30 only
  TypeRow(m, 3, "1", "80", "2", "20");
  OkResult r = Ok();
  EXPECT_EQ(m.SurfaceCount[2], 2);  // a refused OK counts no new row into the zone
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(LastMessage(),
            "One of your wall ID number is not in the catalog.  Please double click the ID "
            "number and select the right ID.");
  EXPECT_EQ(boxes.asked.back().title, "Error");
  EXPECT_EQ(boxes.beeps, 1);
  ASSERT_EQ(r.marks.size(), 2u);  // row 1 blue, row 2 red; row 3 not looked at
  EXPECT_EQ(r.marks[1].column, colWallId);
  EXPECT_EQ(r.marks[1].line, 2);
  EXPECT_EQ(r.marks[1].colour, CellColour::Red);
  EXPECT_EQ(m.SurfWallId[2][2], 3);  // nothing stored

  m.ZoneEdit.RowWallId[2] = "1";
  m.ZoneEdit.RowWindowId[2] = "5";
  r = Ok();
  EXPECT_EQ(LastMessage(), kWindowNotInCatalog);
  m.ZoneEdit.RowWindowId[2] = "12";
  EXPECT_TRUE(Ok().stored);
  EXPECT_EQ(m.SurfWindowId[2][2], 12);
}

TEST_F(OpenedZone, a_window_larger_than_its_wall_is_refused) {
  m.ZoneEdit.RowWinArea[1] = "101";  // equal to the wall area
  m.ZoneEdit.RowWinArea[2] = "102.5";
  const OkResult r = Ok();
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(LastMessage(), "Your window area is larger than the wall area.  Please correct your input.");
  EXPECT_EQ(boxes.asked.back().title, "Wall and window area");
  std::vector<int> red;
  for (const CellMark& mk : r.marks) {
    if (mk.colour == CellColour::Red) {
      EXPECT_EQ(mk.line, 2);
      red.push_back(mk.column);
    }
  }
  EXPECT_EQ(red, (std::vector<int>{colWallArea, colWinArea}));
  m.ZoneEdit.RowWinArea[2] = "102";
  EXPECT_TRUE(Ok().stored);
}

TEST_F(OpenedZone, a_fractional_window_area_answered_yes_becomes_an_area) {
  TypeRow(m, 2, "3", "120", "2", ".25");
  boxes.answers.push_back(MsgAnswer::Yes);
  const OkResult r = Ok();
  EXPECT_FALSE(r.stored);
  EXPECT_TRUE(r.rowsChanged);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kFractionQuestion);
  EXPECT_EQ(boxes.asked[0].title, "Window area alert");
  EXPECT_EQ(boxes.asked[0].buttons, shell::MsgButtons::YesNo);
  EXPECT_EQ(m.ZoneEdit.RowWinArea[2], " 30");
  EXPECT_EQ(r.marks.back().column, colWinArea);
  EXPECT_EQ(r.marks.back().colour, CellColour::Blue);
  EXPECT_TRUE(Ok().stored);
  EXPECT_EQ(boxes.asked.size(), 1u);
  EXPECT_FLOAT_EQ(m.SurfWinArea[2][2], 30);
  EXPECT_EQ(state.fractionAlertShown, 0);
}

TEST_F(OpenedZone, a_fraction_of_a_wall_is_the_single_precision_number_text) {
  TypeRow(m, 1, "3", "100", "2", ".3");
  TypeRow(m, 2, "3", "7", "2", ".1");
  boxes.answers.push_back(MsgAnswer::Yes);
  Ok();
  EXPECT_EQ(m.ZoneEdit.RowWinArea[1], " 30");
  EXPECT_EQ(m.ZoneEdit.RowWinArea[2], " .7");
}

TEST_F(OpenedZone, a_fractional_window_area_answered_no_is_stored_as_entered) {
  TypeRow(m, 2, "3", "120", "2", ".25");
  const OkResult r = Ok();  // the scripted answer is No
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(m.ZoneEdit.RowWinArea[2], ".25");
  EXPECT_TRUE(Ok().stored);
  EXPECT_EQ(boxes.asked.size(), 1u);  // not asked again
  EXPECT_FLOAT_EQ(m.SurfWinArea[2][2], 0.25f);
}

TEST_F(OpenedZone, a_window_area_of_zero_is_never_asked_about) {
  TypeRow(m, 2, "3", "120", "2", "0");
  EXPECT_TRUE(Ok().stored);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(OpenedZone, a_row_without_a_window_ends_the_surface_list) {
  TypeRow(m, 2, "5", "120", "0", "0", "N N N", "3");
  TypeRow(m, 3, "9", "50", "7", "80", "bad");  // neither checked nor stored
  EXPECT_TRUE(Ok().stored);
  EXPECT_EQ(m.SurfaceCount[2], 1);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(OpenedZone, ok_stores_the_zone_and_marks_it_opened) {
  TypeRow(m, 3, "1", "80", "12", "20", "L1 R1 T1");
  m.ZoneEdit.RowOrient[1] = "90.5";
  m.ZoneEdit.RowOrient[2] = "91.5";
  m.ZoneEdit.RowBlind[3] = "1";
  m.ZoneEdit.RowGrndRefl[3] = ".2";
  m.ZoneEdit.FieldChanged[2][7] = 1;
  ZoneFormTexts form = FormOf(m);
  form.zone[3] = "1000";
  form.zone[5] = "8";
  form.zone[12] = "";
  form.natvent = "";
  form.econcycle = "Yes";
  const OkResult r = OkeyClick(m, form, state, boxes);
  ASSERT_TRUE(r.stored);
  EXPECT_EQ(m.SurfaceCount[2], 3);
  EXPECT_EQ(m.SurfOrient[2][1], 90);
  EXPECT_EQ(m.SurfOrient[2][2], 92);
  EXPECT_EQ(m.SurfWindowId[2][3], 12);
  EXPECT_EQ(m.SurfBlind[2][3], 1);
  EXPECT_EQ(m.SurfShade[2][3], "L1 R1 T1");
  EXPECT_FLOAT_EQ(m.SurfGrndRefl[2][3], 0.2f);
  EXPECT_FLOAT_EQ(m.ZonePeople[2], 125);
  EXPECT_FLOAT_EQ(m.ZoneFloorArea[2], 1000);
  EXPECT_EQ(m.ZoneData[2][12], "0");
  EXPECT_EQ(m.ZoneNatVent[2], "No");
  EXPECT_EQ(m.ZoneEconCycle[2], "Yes");
  EXPECT_EQ(m.ZoneOpened[2], 1);
  EXPECT_EQ(m.ZoneLoaded[2], 1);
  EXPECT_EQ(m.ZoneEdit.FieldChanged[2][7], 0);
  EXPECT_EQ(m.ZoneEdit.RowWallId[1], "");  // the editing rows are emptied
  EXPECT_EQ(m.ZoneOpened[1], 0);
}

TEST(PeopleTest, floor_area_per_person) {
  EXPECT_FLOAT_EQ(PeoplePerArea("1000", "8"), 125);
  EXPECT_FLOAT_EQ(PeoplePerArea("1000", "0"), 1);
  EXPECT_FLOAT_EQ(PeoplePerArea("1000", ""), 1);
  EXPECT_FLOAT_EQ(PeoplePerArea("1000", "-3"), 1);
}

TEST_F(OpenedZone, daylighting_without_depth_stops_ok_before_anything_is_stored) {
  TypeRow(m, 3, "1", "80", "12", "20");
  ZoneFormTexts form = FormOf(m);
  form.dayt = "Yes";
  form.zone[24] = "0";
  form.zone[25] = "50";
  form.natvent = "Yes";
  const OkResult r = OkeyClick(m, form, state, boxes);
  EXPECT_FALSE(r.stored);
  EXPECT_EQ(LastMessage(),
            "Daylighting depth or target footcandles cannot be 0 if daylight is used.  Please "
            "correct your input.");
  EXPECT_EQ(m.SurfaceCount[2], 2);
  EXPECT_EQ(m.ZoneNatVent[2], "No");
  EXPECT_EQ(m.ZoneOpened[2], 0);
  EXPECT_EQ(m.ZoneEdit.RowWallId[3], "1");  // the rows stay for the correction
  EXPECT_EQ(m.ZoneData[2][24], "0");        // the fields were copied before the checks
}

TEST_F(OpenedZone, whole_numbers_that_do_not_fit_16_bits_are_refused) {
  struct Case {
    int column;
    const char* text;
  };
  for (const Case& c : {Case{colWallId, "99999"}, Case{colOrient, "32767.5"},
                        Case{colExposure, "40000"}, Case{colWindowId, "1e30"},
                        Case{colBlind, "100000"}}) {
    OpenZone(m, 2, boxes);
    boxes.asked.clear();
    RowColumn(m.ZoneEdit, c.column)[2] = c.text;
    const OkResult r = Ok();
    EXPECT_FALSE(r.stored) << c.text;
    EXPECT_EQ(LastMessage(), OutOfRangeMessage(c.column, 2)) << c.text;
    ASSERT_EQ(r.marks.size(), 1u);
    EXPECT_EQ(r.marks[0].column, c.column);
    EXPECT_EQ(r.marks[0].line, 2);
    EXPECT_EQ(r.marks[0].colour, CellColour::Red);
  }
  EXPECT_EQ(OutOfRangeMessage(colOrient, 2),
            "The orientation of surface row 2 is out of range (-32768 to 32767).  Please "
            "correct your input.");
  // On the way to another window the store saturates instead of overflowing.
  OpenZone(m, 2, boxes);
  m.ZoneEdit.RowOrient[1] = "99999";
  m.ZoneEdit.RowWallId[2] = "-1e9";
  ASSERT_TRUE(StoreZoneInputs(m, FormOf(m), boxes));
  EXPECT_EQ(m.SurfOrient[2][1], 32767);
  EXPECT_EQ(m.SurfWallId[2][2], -32768);
}

}  // namespace
}  // namespace kalvano::zones
