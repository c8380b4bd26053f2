// The building-type defaults: the value rule of a line, the SI conversions, and loading an
// installed type file into the model in both unit systems.
#include <gtest/gtest.h>

#include <filesystem>

#include "frontend/model/file_error.h"
#include "frontend/shell/bldtype.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

TEST(TypeValueText, keeps_short_lines_whole_and_cuts_long_ones_to_twenty_characters) {
  struct Case {
    std::string line, want;
  } cases[] = {
      {"Chicago", "Chicago"},
      {"8 chars ", "8 chars "},                         // shorter than 20: used whole
      {"", ""},
      {"Twenty-five characters !!", "Twenty-five characte"},
      {"Short text          tail after col 20", "Short text"},  // cut, then trailing blanks
      {"                    after twenty", ""},                // first 20 blank: empty
      {"exactly twenty chars", "exactly twenty chars"},
  };
  for (const Case& c : cases) EXPECT_EQ(TypeValueText(c.line), c.want) << c.line;
}

TEST(TypeConversions, convert_the_worked_examples_and_the_outdoor_air_codes) {
  EXPECT_EQ(ConvertedValue("5", 10.76391, 2, 6), " 53.82");      // construction cost
  EXPECT_EQ(ConvertedValue("50", 10.7639104, 0, 4), " 538");     // target illuminance
  EXPECT_EQ(ConvertedValue("5.00", 3.7854125, 2, 6, true), "  1.32");  // water cost
  EXPECT_EQ(ConvertedValue("0.5", 1, 1, 3), " .5");              // no zero before the point
  EXPECT_EQ(ConvertedValue("123456", 10, 0, 4), " 1234560");     // a longer text stays whole
  struct Case {
    std::string in, want;
  } air[] = {
      {"CP20", "CP9.4"},   // litres per second per person, code kept in characters 1-2
      {"20", "CP9.4"},     // no code counts as "CP"
      {"cp17", "CP8"},
      {"CS.15", "CS.762"}, // litres per second per square metre, 3 decimals
      {"PA20", "PA20"},    // a percentage stays
  };
  for (const Case& c : air) EXPECT_EQ(OutdoorAirToSI(c.in), c.want) << c.in;
}

TEST(TypeCaptions, name_the_forty_two_types_in_menu_order) {
  const auto& captions = BuildingTypeCaptions();
  EXPECT_EQ(captions[1], "Auditorium");
  EXPECT_EQ(captions[24], "Office building");
  EXPECT_EQ(captions[42], "Workshop");
  EXPECT_EQ(BuildingTypeFile(7), "btype/bdtype7.dat");
}

// The installed office type (24) loaded into a fresh model.
class TypeLoad : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    m = std::make_unique<model::ProjectModel>();
    m->AppDir = base.dir().string();
    m->CurrentYear = 2026;
    m->ProjectLoaded = 1;
    std::filesystem::copy_file(std::string(KALVANO_SOURCE_DIR) + "/data/btype/bdtype24.dat",
                               base.path("btype/bdtype24.dat"),
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::unique_ptr<model::ProjectModel> m;
  ProjectBoxes boxes;
};

TEST_F(TypeLoad, fills_items_economics_and_zones_in_both_unit_systems) {
  // Zone field 4..30 of the installed file: inch-pound text and its SI form.
  struct Field {
    std::size_t field;
    std::string ip, si;
  } fields[] = {
      {4, "20", " 97.6"},  {6, "24", "24"},     {7, "1", "  3.8"},   {9, "CP17", "CP8"},
      {12, "2.5", " 26.9"}, {13, "1", " 10.8"}, {14, "0.75", "  8.1"}, {22, "0", "    0"},
      {23, "0.5", "0.5"},  {24, "15", "  4.6"}, {25, "50", " 538"},  {26, "3.5", " 870.8"},
      {27, "14", "   4.1"}, {28, "0.80", "0.80"}, {30, "52.4", "52.4"},
  };
  for (int16_t units : {model::kInchPound, model::kSI}) {
    SCOPED_TRACE(units);
    const bool si = units == model::kSI;
    m = std::make_unique<model::ProjectModel>();
    m->AppDir = base.dir().string();
    m->CurrentYear = 2026;
    m->UnitSystem = units;
    boxes = {};
    LoadBuildingType(*m, 24, boxes);
    const ProjectBoxes want{"Office building 24", "New_Project", "ASHRAE 90.1 defaults",
                            "Chicago, Illinois",  "Schematic design", "1", "2026", "0",
                            si ? "  4645" : "50000", si ? " 2152.78" : "200", "5", "10"};
    EXPECT_EQ(boxes, want);
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(m->ProjectData[i], want[i]) << i;
    EXPECT_EQ(m->EconData[0], "25");
    EXPECT_EQ(m->EconData[7], si ? " 11.37" : "1.20");
    EXPECT_EQ(m->EconData[8], "0.03");
    EXPECT_EQ(m->EconData[9], si ? "  1.32" : "5.00");
    EXPECT_EQ(m->DemChgSwitch, "N");
    for (const Field& f : fields) {
      EXPECT_EQ(m->ZoneData[1][f.field], si ? f.si : f.ip) << "field " << f.field;
      EXPECT_EQ(m->ZoneData[98][f.field], si ? f.si : f.ip) << "field " << f.field;
    }
    EXPECT_FLOAT_EQ(m->ZonePeople[1], si ? 18.6f : 200.0f);
    EXPECT_EQ(m->ZoneData[1][5], "");  // people go to ZonePeople only
    EXPECT_EQ(m->ZoneNatVent[99], "No");
    EXPECT_EQ(m->ZoneEconCycle[1], "Yes");
    EXPECT_EQ(m->BldTypeNo, 24);
    EXPECT_EQ(m->BldTypeChosen, 1);
    EXPECT_EQ(m->ProjectLoaded, 0);
  }
}

// In SI the floor area is converted as the SI writer converts it (square metres, whole
// numbers, one blank before the number text), next to the converted cost and outdoor air.
TEST_F(TypeLoad, si_floor_area_cost_and_outdoor_air_of_several_types) {
  struct Case {
    int type;
    std::string area, cost, outdoorAir;
  } cases[] = {
      {1, "  2787", " 2152.78", "CP2.4"},     // 30000 ft2, 200 $/ft2, CP5
      {15, "  22297", " 4305.56", "CP11.8"},  // 240000 ft2, 400 $/ft2, CP25
      {24, "  4645", " 2152.78", "CP8"},      // 50000 ft2 (4645.152 m2), CP17
      {36, "  6875", " 2045.14", "CP7.1"},    // 74000 ft2, 190 $/ft2, CP15
      {41, "  4831", " 861.11", "CS.305"},    // 52000 ft2, 80 $/ft2, CS.06
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    std::filesystem::copy_file(std::string(KALVANO_SOURCE_DIR) + "/data/btype/" +
                                   BuildingTypeFile(c.type).substr(6),
                               base.path(BuildingTypeFile(c.type)),
                               std::filesystem::copy_options::overwrite_existing);
    m = std::make_unique<model::ProjectModel>();
    m->AppDir = base.dir().string();
    m->UnitSystem = model::kSI;
    boxes = {};
    LoadBuildingType(*m, c.type, boxes);
    EXPECT_EQ(boxes[8], c.area);
    EXPECT_EQ(m->ProjectData[8], c.area);
    EXPECT_EQ(boxes[9], c.cost);
    EXPECT_EQ(m->ZoneData[1][9], c.outdoorAir);
  }
  // A typed floor area is kept as typed in SI too.
  boxes = {};
  boxes[8] = "1200";
  LoadBuildingType(*m, 24, boxes);
  EXPECT_EQ(boxes[8], "1200");
}

TEST_F(TypeLoad, reaches_zones_one_to_ninety_eight_and_switches_to_ninety_nine) {
  m->ZoneData[99][4] = "keep";
  m->ZoneData[100][4] = "keep";
  m->ZoneNatVent[100] = "keep";
  LoadBuildingType(*m, 24, boxes);
  EXPECT_EQ(m->ZoneData[98][4], "20");
  EXPECT_EQ(m->ZoneData[99][4], "keep");
  EXPECT_EQ(m->ZoneDaylight[99], "No");
  EXPECT_EQ(m->ZoneData[100][4], "keep");
  EXPECT_EQ(m->ZoneNatVent[100], "keep");
  // No zone being edited: the profile numbers go into the unused slot 0.
  for (std::size_t f : {6, 8, 10, 15}) EXPECT_EQ(m->ZoneData[0][f], " 24") << f;
  m->CurrentZone = 3;
  LoadBuildingType(*m, 24, boxes);
  EXPECT_EQ(m->ZoneData[3][15], " 24");
}

TEST_F(TypeLoad, keeps_typed_location_orientation_and_floor_area_but_replaces_a_zero_area) {
  struct Case {
    std::string location, orient, area;
    std::string wantLocation, wantOrient, wantArea;
  } cases[] = {
      {"", "", "", "Chicago, Illinois", "0", "50000"},
      {"Boston", "45", "1200", "Boston", "45", "1200"},
      {"Boston", "45", "0", "Boston", "45", "50000"},
  };
  for (const Case& c : cases) {
    boxes = {};
    boxes[3] = c.location;
    boxes[7] = c.orient;
    boxes[8] = c.area;
    boxes[6] = "1999";
    LoadBuildingType(*m, 24, boxes);
    EXPECT_EQ(boxes[3], c.wantLocation);
    EXPECT_EQ(boxes[7], c.wantOrient);
    EXPECT_EQ(boxes[8], c.wantArea);
    EXPECT_EQ(m->ProjectData[8], c.wantArea);
    EXPECT_EQ(boxes[6], "2026");  // always the current year
  }
}

TEST_F(TypeLoad, a_faulty_file_stops_the_load_and_keeps_what_was_stored) {
  m->BldTypeNo = 5;
  m->BldTypeChosen = 1;
  m->ZoneData[0][6] = " 5";
  struct Case {
    const char* name;
    std::string contents;  // empty: no file at all
    int error;
  } cases[] = {
      {"missing", "", model::kErrFileNotFound},
      {"ends early", "Short type\r\nName\r\nDesc\r\n", model::kErrPastEndOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    base.remove("btype/bdtype30.dat");
    if (!c.contents.empty()) base.write("btype/bdtype30.dat", c.contents);
    m->ProjectLoaded = 1;
    try {
      LoadBuildingType(*m, 30, boxes);
      ADD_FAILURE() << "no error";
    } catch (const model::FileError& e) {
      EXPECT_EQ(e.number(), c.error);
    }
    EXPECT_EQ(m->ProjectLoaded, 0);
    EXPECT_EQ(m->BldTypeNo, 5);
    EXPECT_EQ(m->BldTypeChosen, 1);
    EXPECT_EQ(m->ZoneData[0][6], " 5");
  }
  EXPECT_EQ(m->ProjectData[0], "Short type");  // stored before the file ended
  EXPECT_EQ(m->ProjectData[2], "Desc");

  // A people value that is no number is a type mismatch; the fields before it stay.
  std::string text = base.read("btype/bdtype24.dat");
  const std::size_t people = text.find("\r\n200\r\n24\r\n1\r\n");
  ASSERT_NE(people, std::string::npos);
  text.replace(people, 7, "\r\nmany\r\n");
  base.write("btype/bdtype30.dat", text);
  try {
    LoadBuildingType(*m, 30, boxes);
    ADD_FAILURE() << "no error";
  } catch (const model::FileError& e) {
    EXPECT_EQ(e.number(), model::kErrTypeMismatch);
  }
  EXPECT_EQ(m->ZoneData[1][4], "20");
  EXPECT_EQ(m->BldTypeNo, 5);
}

}  // namespace
}  // namespace kalvano::shell
