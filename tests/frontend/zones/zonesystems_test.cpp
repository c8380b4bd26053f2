// The zone window's system and option commands without a widget: the cooling-system choice,
// the switches, the copy of changed fields, the window sizer and the copy-to-zones layout.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "frontend/model/numtext.h"
#include "frontend/zones/hvacdata.h"
#include "frontend/zones/zonesystems.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

namespace fs = std::filesystem;
using shell::test::ScriptedBoxes;
constexpr std::string_view kNotNumeric = "You should use numerical value.";

// A base folder whose data base holds `systems`, written from an inch-pound project.
struct HvacBase {
  fs::path dir = fs::temp_directory_path() / ("zonesystems_" + std::to_string(::getpid()));
  explicit HvacBase(const std::vector<HvacSystem>& systems) {
    fs::create_directories(dir / "btype");
    WriteHvacDatabase((dir / "btype/tcool.dat").string(), systems, model::kInchPound);
  }
  ~HvacBase() { fs::remove_all(dir); }
};

std::vector<HvacSystem> Systems() {
  std::vector<HvacSystem> s(kHvacSystems);
  for (std::size_t i = 0; i < s.size(); ++i) {
    s[i] = {"Cooler", "1.25", "10", "55", "1800", "45"};
  }
  s[7].fcost = "700";
  s[7].mcost = "10";
  s[2].fcost = "12345";  // five digits
  s[2].seer = "10.75";
  return s;
}

struct ChoiceCase {
  int16_t units;
  int system;
  std::string heating;  // field 21
  std::string f26, f27, f29, f30;
};

TEST(CoolingChoice, takes_each_value_whole_from_the_columns_of_the_data_base) {
  HvacBase base(Systems());
  const std::vector<ChoiceCase> cases{
      {model::kInchPound, 2, "1", "1.25", "10", "2000", "   74"},  // gas: +200, 3.7 %
      {model::kInchPound, 2, "2", "1.25", "10", "1800", "45"},
      {model::kInchPound, 4, "1", "1.25", "10", "2000", "   80"},
      {model::kInchPound, 6, "1", "1.25", "10", "2000", "   90"},
      {model::kInchPound, 8, "1", "1.25", "10", "700", "10"},  // keeps the file's costs
      {model::kInchPound, 3, "3", "1.25", "10.75", "12345", "45"},
      {model::kSI, 1, "2", "311", "2.93", "1800", "45"},  // 1.25 in = 311 Pa, COP " 2.93"
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.system);
    model::ProjectModel m = test::ThreeZoneProject();
    m.AppDir = base.dir.string();
    m.UnitSystem = c.units;
    m.CurrentZone = 2;
    ZoneFieldTexts zone = m.ZoneData[2];
    zone[21] = c.heating;
    ScriptedBoxes boxes;
    ASSERT_TRUE(ChooseCoolingSystem(m, c.system, zone, boxes));
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(zone[20], model::NumberText(static_cast<float>(c.system)));
    EXPECT_EQ(zone[26], c.f26);
    EXPECT_EQ(zone[27], c.f27);
    EXPECT_EQ(zone[29], c.f29);
    EXPECT_EQ(zone[30], c.f30);
    EXPECT_EQ(zone[28], m.ZoneData[2][28]);
    EXPECT_EQ(m.ZoneEdit.LastEditedField, 20);
    for (int f : {20, 26, 27, 29, 30}) EXPECT_EQ(m.ZoneEdit.FieldChanged[2][f], 1) << f;
    EXPECT_EQ(m.ZoneEdit.FieldChanged[2][28], 0);
  }
}

TEST(CoolingChoice, the_system_already_shown_flags_no_field) {
  HvacBase base(Systems());
  model::ProjectModel m = test::ThreeZoneProject();
  m.AppDir = base.dir.string();
  m.CurrentZone = 1;
  ZoneFieldTexts zone = m.ZoneData[1];
  zone[21] = "2";
  ScriptedBoxes boxes;
  ASSERT_TRUE(ChooseCoolingSystem(m, 5, zone, boxes));
  m.ZoneEdit.FieldChanged[1].fill(0);
  ASSERT_TRUE(ChooseCoolingSystem(m, 5, zone, boxes));
  for (int f = 1; f <= model::kZoneFields; ++f) EXPECT_EQ(m.ZoneEdit.FieldChanged[1][f], 0) << f;
}

TEST(CoolingChoice, an_unreadable_data_base_is_reported_and_leaves_the_fields) {
  std::vector<HvacSystem> ten = Systems();
  ten.push_back(ten[0]);
  HvacBase overfull(ten);
  for (bool missing : {true, false}) {
    model::ProjectModel m = test::ThreeZoneProject();
    m.AppDir = missing ? "/nonexistent-kalvano-base" : overfull.dir.string();
    m.CurrentZone = 1;
    ZoneFieldTexts zone = m.ZoneData[1];
    ScriptedBoxes boxes;
    EXPECT_FALSE(ChooseCoolingSystem(m, 2, zone, boxes));
    EXPECT_EQ(zone, m.ZoneData[1]);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title,
              model::FileErrorTitle(missing ? model::kErrPathNotFound : model::kErrSubscript));
    EXPECT_EQ(m.ZoneEdit.FieldChanged[1][20], 0);
  }
  // A system the data base lacks changes the system number only.
  std::vector<HvacSystem> seven = Systems();
  seven.resize(7);
  HvacBase shorter(seven);
  model::ProjectModel m = test::ThreeZoneProject();
  m.AppDir = shorter.dir.string();
  m.CurrentZone = 1;
  ZoneFieldTexts zone = m.ZoneData[1];
  zone[21] = "1";
  ScriptedBoxes boxes;
  EXPECT_TRUE(ChooseCoolingSystem(m, 9, zone, boxes));
  EXPECT_EQ(zone[20], " 9");
  for (int f : {26, 27, 29, 30}) EXPECT_EQ(zone[f], m.ZoneData[1][f]) << f;
}

TEST(ZoneSwitches, toggle_between_yes_and_no) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"Yes", "No"}, {" Yes", "No"}, {"No", "Yes"}, {" No", "Yes"},
      {"", "Yes"},   {" ", "Yes"},   {"maybe", "maybe"}};
  for (const auto& [before, after] : cases) EXPECT_EQ(ToggledSwitch(before), after) << before;
  EXPECT_TRUE(SwitchOn(" Yes"));
  EXPECT_FALSE(SwitchOn("yes"));
}

TEST(ZoneCopy, copies_changed_fields_and_switches_but_never_the_zone_identity) {
  model::ProjectModel m = test::ThreeZoneProject();
  m.CurrentZone = 2;
  ZoneFormTexts form;
  form.zone = m.ZoneData[2];
  auto& flags = m.ZoneEdit.FieldChanged[2];
  // Field 5 alone, or with the zone's number, name and floor area, is nothing to copy.
  for (int f : {5, 1, 2, 3}) {
    flags[f] = 1;
    EXPECT_FALSE(HasFieldsToCopy(m)) << f;
  }
  for (int f : {1, 2, 3, 5, 26}) form.zone[f] = "new " + std::to_string(f);
  form.dayt = "Yes";
  form.econcycle = "Yes";  // shown, but not toggled
  flags[26] = 1;
  m.ZoneEdit.DaylightChanged[2] = 1;
  EXPECT_TRUE(HasFieldsToCopy(m));
  CopyZoneFields(m, form, AllZones(m));
  for (int z = 1; z <= 3; ++z) {
    SCOPED_TRACE(z);
    EXPECT_EQ(m.ZoneData[z][26], "new 26");
    EXPECT_EQ(m.ZoneData[z][5], "new 5");  // with another field
    EXPECT_EQ(m.ZoneData[z][1], " 1");
    EXPECT_EQ(m.ZoneData[z][2], "Zone " + std::to_string(z));
    EXPECT_EQ(m.ZoneData[z][3], " 3");
    EXPECT_EQ(m.ZoneDaylight[z], "Yes");
    EXPECT_EQ(m.ZoneEconCycle[z], "No");
  }
  for (int f = 1; f <= model::kZoneFields; ++f) EXPECT_EQ(flags[f], 0);
  EXPECT_EQ(m.ZoneEdit.DaylightChanged[2], 0);
}

TEST(WindowSizer, sizes_walls_facing_an_elevation_with_a_fraction) {
  struct Case {
    int orient, exposure;
    float wall, before;
    std::array<std::string, 4> boxes;
    float after;
  };
  const std::vector<Case> cases{
      {180, 1, 100, 10, {"", "", "0.4", ""}, 40},
      {170, 1, 100, 10, {"", "", "0.4", ""}, 10},   // not an elevation
      {180, 1, 2, 10, {"", "", "0.4", ""}, 0},      // 0.8 is below 1.0
      {0, 1, 15, 10, {"0.05", "", "", ""}, 0},      // 0.75
      {0, 1, 20, 10, {"0.05", "", "", ""}, 1.0f},
      {45, 1, 100, 10, {"1", "1", "1", "1"}, 10},
      {90, 6, 100, 10, {"", "0.5", "", ""}, 10},    // a roof
      {90, 5, 100, 10, {"", "1", "", ""}, 100},
      {270, 1, 100, 10, {" ", "", "", "0"}, 0},
      {270, 1, 100, 10, {"0.5", "0.5", "0.5", " "}, 10},  // west has no fraction
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.orient << " " << c.wall);
    model::ProjectModel m = test::ThreeZoneProject(1);
    m.CurrentZone = 1;
    m.SurfaceCount[2] = 1;
    m.SurfOrient[2][1] = static_cast<int16_t>(c.orient);
    m.SurfExposure[2][1] = static_cast<int16_t>(c.exposure);
    m.SurfWallArea[2][1] = c.wall;
    m.SurfWinArea[2][1] = c.before;
    ScriptedBoxes boxes;
    const auto f = CheckWindowFractions(c.boxes, boxes);
    ASSERT_TRUE(f.has_value());
    SizeWindows(m, *f, {2});
    EXPECT_FLOAT_EQ(m.SurfWinArea[2][1], c.after);
  }
}

TEST(WindowSizer, refuses_fractions_out_of_range_and_empty_boxes) {
  const std::vector<std::pair<std::array<std::string, 4>, std::string_view>> cases{
      {{"1.01", "", "", ""}, kFractionRange},
      {{"", "-0.1", "", ""}, kFractionRange},
      {{"0.5", "", "", "1.2"}, kFractionRange},
      {{" ", " ", " ", " "}, kNoWindowData},
      {{"", "", "", ""}, kNoWindowData},
      {{"", "", "o.4", ""}, kNotNumeric},       // no fraction 0
      {{"0.5", "", "0.4x", ""}, kNotNumeric},
  };
  for (const auto& [texts, message] : cases) {
    ScriptedBoxes boxes;
    EXPECT_FALSE(CheckWindowFractions(texts, boxes).has_value());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, message);
    EXPECT_EQ(boxes.asked[0].title, message == kFractionRange  ? kFractionRangeTitle
                                    : message == kNotNumeric ? std::string_view("Error")
                                                             : kNoWindowDataTitle);
  }
  ScriptedBoxes boxes;
  EXPECT_TRUE(CheckWindowFractions({"1", "0", "", ""}, boxes).has_value());
  EXPECT_TRUE(boxes.asked.empty());
}

TEST(WindowSizer, sizes_the_current_zone_without_its_tick_and_refreshes_its_rows) {
  model::ProjectModel m = test::ThreeZoneProject(4);  // zone 2 faces 90, 180, 270, 0
  m.CurrentZone = 2;
  ScriptedBoxes boxes;
  const auto f = CheckWindowFractions({"0.5", "0.5", "0.5", "0.5"}, boxes);
  ASSERT_TRUE(f.has_value());
  SizeWindows(m, *f, {});
  EXPECT_FLOAT_EQ(m.SurfWinArea[2][1], 50.5f);   // 101 x 0.5
  EXPECT_EQ(m.ZoneEdit.RowWinArea[1], " 50.5");
  EXPECT_EQ(m.ZoneEdit.RowWinArea[4], " 52");
  EXPECT_EQ(m.ZoneEdit.RowWinArea[5], "");
  EXPECT_FLOAT_EQ(m.SurfWinArea[3][2], 10.0f);   // not ticked: untouched
  SizeWindows(m, *f, {3});
  EXPECT_FLOAT_EQ(m.SurfWinArea[3][2], 26.0f);   // 52 x 0.5
}

TEST(CopyToZonesLayout, stands_boxes_in_columns_of_ten) {
  EXPECT_EQ(CopyZonesLayoutFor(3).widthTwips, 4000);
  EXPECT_EQ(CopyZonesLayoutFor(10).columns, 1);
  EXPECT_EQ(CopyZonesLayoutFor(11).widthTwips, 6000);
  const CopyZonesLayout l = CopyZonesLayoutFor(25);
  EXPECT_EQ(l.columns, 3);
  EXPECT_EQ(l.widthTwips, 9000);
  EXPECT_EQ(ZoneBoxColumn(10), 0);
  EXPECT_EQ(ZoneBoxColumn(21), 2);
  EXPECT_EQ(ZoneBoxLine(25), 4);
  EXPECT_EQ(TwipsToPixels(9000, 96), 600);
  EXPECT_EQ(TwipsToPixels(1440, 120), 120);
}

}  // namespace
}  // namespace kalvano::zones
