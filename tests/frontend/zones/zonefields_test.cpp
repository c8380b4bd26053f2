// The zone window's field rules without a widget: entry rules, the ventilation-rate texts,
// the people that follow the floor area, Undo's fields and the heating choice with its
// efficiency from the installed heating data base and its cost rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/zones/zonefields.h"
#include "frontend/zones/zonesystems.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

TEST(ZoneFieldRules, each_field_has_its_entry_rule) {
  const struct {
    int field;
    FieldEntry entry;
  } cases[] = {
      {1, FieldEntry::Locked},   {2, FieldEntry::Text},        {3, FieldEntry::Numeric},
      {5, FieldEntry::Numeric},  {6, FieldEntry::Profile},     {7, FieldEntry::Numeric},
      {8, FieldEntry::Profile},  {9, FieldEntry::Ventilation}, {10, FieldEntry::Profile},
      {11, FieldEntry::Lighting}, {14, FieldEntry::Numeric},   {15, FieldEntry::Profile},
      {16, FieldEntry::Profile}, {19, FieldEntry::Profile},    {20, FieldEntry::Hvac},
      {21, FieldEntry::Hvac},    {22, FieldEntry::Numeric},    {30, FieldEntry::Numeric},
  };
  for (const auto& c : cases) EXPECT_EQ(EntryOf(c.field), c.entry) << c.field;
  for (char32_t key : {U'0', U'9', U'.', char32_t{8}, char32_t{9}, char32_t{13}}) {
    EXPECT_TRUE(NumericKey(key)) << static_cast<int>(key);
  }
  for (char32_t key : {U'-', U' ', U'a', U',', U'e', U'\u00e9'}) {
    EXPECT_FALSE(NumericKey(key)) << static_cast<int>(key);
  }
  EXPECT_EQ(ProfileNumberOf(" 22"), 22);
  EXPECT_EQ(ProfileNumberOf("2.5"), 2);
  EXPECT_EQ(ProfileNumberOf(""), 0);
  EXPECT_EQ(ProfileNumberOf("99999999"), 0);
}

TEST(ZoneFieldRules, ventilation_texts_by_their_code) {
  const struct {
    const char* field;
    int box;
    const char* text;
  } split[] = {
      {"PA15", 2, "15"}, {"CP20", 0, "20"}, {"CS0.15", 1, "0.15"},
      {"20", 0, "20"},   {"", 0, ""},       {" 7.5", 0, " 7.5"},
  };
  for (const auto& c : split) {
    const VentilationBox v = SplitVentilation(c.field);
    EXPECT_EQ(v.box, c.box) << c.field;
    EXPECT_EQ(v.text, c.text) << c.field;
  }
  const struct {
    const char* box;
    const char* rate;
  } rates[] = {{"15", "15"}, {"  15", "15"}, {"1 2", "2"}, {"15  ", "15  "}, {" 7 ", "7 "}};
  for (const auto& c : rates) EXPECT_EQ(VentilationRate(c.box), c.rate) << c.box;
  EXPECT_EQ(VentilationField(0, "20"), "CP20");
  EXPECT_EQ(VentilationField(1, "0.15"), "CS0.15");
  EXPECT_EQ(VentilationField(2, "15"), "PA15");
}

TEST(ZoneFieldRules, people_follow_the_floor_area_and_undo_restores_related_fields) {
  model::ProjectModel m = test::ThreeZoneProject();
  m.CurrentZone = 2;
  m.ZoneFloorArea[2] = 1070;
  m.ZonePeople[2] = 200;  // floor area per person
  EXPECT_EQ(PeopleAfterAreaKey(m), " 6");  // 5.35 + 0.7, rounded down
  m.ZonePeople[2] = 1.0F;
  EXPECT_EQ(PeopleAfterAreaKey(m), m.ZoneData[2][5]);

  EXPECT_EQ(UndoFields(20), (std::vector<int>{20, 26, 27, 29, 30}));
  EXPECT_EQ(UndoFields(21), (std::vector<int>{21, 28}));
  EXPECT_EQ(UndoFields(4), (std::vector<int>{4}));
  EXPECT_TRUE(UndoFields(0).empty());
  EXPECT_EQ(NaturalVentilationDefault(model::kSI), "20");
  EXPECT_EQ(NaturalVentilationDefault(model::kInchPound), "4");
}

class Heating : public ::testing::Test {
 protected:
  void SetUp() override {
    base.install("btype/theat.dat");
    m = test::ThreeZoneProject();
    m.AppDir = base.dir().string();
    m.CurrentZone = 1;
  }
  ZoneFieldTexts Zone(const char* cooling, const char* heating, const char* firstCost) {
    ZoneFieldTexts z;
    z[20] = cooling;
    z[21] = heating;
    z[28] = " .8";
    z[29] = firstCost;
    z[30] = " 99";
    return z;
  }
  shell::test::BaseFolder base;
  shell::test::ScriptedBoxes boxes;
  model::ProjectModel m;
};

TEST_F(Heating, efficiency_comes_from_columns_16_to_19_of_the_installed_data_base) {
  const std::vector<std::string> lines = model::ReadFileLines(base.path("btype/theat.dat"));
  EXPECT_EQ(HeatingEfficiency(lines, 1), "0.80");
  EXPECT_EQ(HeatingEfficiency(lines, 2), "1.00");
  EXPECT_EQ(HeatingEfficiency(lines, 3), "2.26");
  EXPECT_EQ(HeatingEfficiency({"a", "b"}, 1), "");
  EXPECT_EQ(HeatingEfficiency({"a", "b", "short"}, 1), "");
}

TEST_F(Heating, the_cost_rule_follows_gas_and_the_cooling_system) {
  const struct {
    const char* cooling;
    const char* before;
    int chosen;
    const char* first;
    const char* maintenance;
  } cases[] = {
      {" 3", " 1", 2, " 1300", " 48.1"},   // gas given up: 200 less, 3.7 %
      {" 3", " 2", 1, " 1700", " 62.9"},    // gas taken up: 200 more
      {" 3", " 1", 1, " 1500", " 55.5"},    // gas again: recomputed from the same cost
      {" 4", " 3", 2, " 1500", "   60"},   // no gas either way: 4 %
      {" 5", " 2", 3, " 1500", " 67.5"},   // 4.5 %
  };
  for (const auto& c : cases) {
    ZoneFieldTexts z = Zone(c.cooling, c.before, " 1500");
    m.ZoneEdit.FieldChanged[1].fill(0);
    ASSERT_TRUE(ChooseHeating(m, c.chosen, z, boxes));
    EXPECT_EQ(z[21], model::NumberText(static_cast<float>(c.chosen)));
    EXPECT_EQ(z[29], c.first) << c.cooling << c.before << c.chosen;
    EXPECT_EQ(z[30], c.maintenance) << c.cooling << c.before << c.chosen;
    EXPECT_EQ(m.ZoneEdit.FieldChanged[1][30], 1);
    EXPECT_EQ(m.ZoneEdit.LastEditedField, 21);
  }
}

TEST_F(Heating, a_window_unit_or_evaporative_cooling_changes_only_type_and_efficiency) {
  for (const char* cooling : {" 8", " 9"}) {
    ZoneFieldTexts z = Zone(cooling, " 1", " 1500");
    m.ZoneEdit.FieldChanged[1].fill(0);
    ASSERT_TRUE(ChooseHeating(m, 3, z, boxes));
    EXPECT_EQ(z[21], " 3");
    EXPECT_EQ(z[28], "2.26");
    EXPECT_EQ(z[29], " 1500");
    EXPECT_EQ(z[30], " 99");
    for (int f = 1; f <= model::kZoneFields; ++f) {
      EXPECT_EQ(m.ZoneEdit.FieldChanged[1][f], f == 21 || f == 28 ? 1 : 0) << f;
    }
  }
}

TEST_F(Heating, a_missing_data_base_is_reported_and_changes_nothing) {
  base.remove("btype/theat.dat");
  ZoneFieldTexts z = Zone(" 3", " 1", " 1500");
  const ZoneFieldTexts before = z;
  EXPECT_FALSE(ChooseHeating(m, 2, z, boxes));
  EXPECT_EQ(z, before);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
}

}  // namespace
}  // namespace kalvano::zones
