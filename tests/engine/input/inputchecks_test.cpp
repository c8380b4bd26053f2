// Every input check of the project reader, with its exact monitor text and count.
#include <gtest/gtest.h>

#include <functional>

#include "project_fixture.h"

namespace kv::testing {
namespace {

struct CheckCase {
  const char* name;
  std::function<void(Lines&)> change;
  std::vector<std::string> expectedLines;  // each must stand in the monitor log
  int errors;                              // the run's error total
  int warnings;                            // "*** WARNING" lines
};

class InputCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(InputCheck, logs_its_exact_text_and_counts_it) {
  const CheckCase& c = GetParam();
  Lines lines = loadFixture("office.inp");
  c.change(lines);
  const auto r = readProject(lines);
  for (const auto& l : c.expectedLines) EXPECT_TRUE(r.hasLine(l)) << l << "\n---\n" << r.monitor;
  EXPECT_EQ(r.errors, c.errors) << r.monitor;
  EXPECT_EQ(r.count("** ERROR **"), c.errors);
  EXPECT_EQ(r.count("*** WARNING"), c.warnings);
}

void replaceLine(Lines& l, const std::string& from, const std::string& to) { l[find(l, from)] = to; }

const CheckCase kChecks[] = {
    {"wall_section_keyword",
     [](Lines& l) { replaceLine(l, "WALL AND ROOF", "Walls and roofs"); },
     {"   ** ERROR ** Wall IS WRONG KEYWORD;  SHOULD BE WALL"}, 1, 0},
    {"window_section_keyword",
     [](Lines& l) { replaceLine(l, "WINDOW PROPERTIES", "GLASS TYPES"); },
     {"   ** ERROR ** GLAS IS WRONG KEYWORD;  SHOULD BE WIND"}, 1, 0},
    {"profile_section_keyword",
     [](Lines& l) { replaceLine(l, "PROFILES", "Profiles"); },
     {"   ** ERROR ** Prof IS WRONG KEYWORD;  SHOULD BE PROF"}, 1, 0},
    {"zone_section_keyword",
     [](Lines& l) { replaceLine(l, "ZONES", "Zones"); },
     {"   ** ERROR ** Zone IS WRONG KEYWORD;  SHOULD BE ZONE"}, 1, 0},
    {"duplicate_wall_id",
     [](Lines& l) { setValue(l, "ID. #     ", " 1 ", 2); },
     {"", "    ** ERROR **  I.D. NUMBER    1. IS A DUPLICATE IN WALL SECTION."}, 1, 0},
    {"duplicate_window_id",
     [](Lines& l) { setValue(l, "ID. #     ", " 2 ", 3); },
     {"    ** ERROR **  I.D. NUMBER    2. IS A DUPLICATE IN WIND SECTION."}, 1, 0},
    {"lighting_type_above_6",
     [](Lines& l) { setValue(l, "Lite Type ", " 7 "); },
     {"   ** ERROR ** LIGHTING TYPE     7 OF ZONE    11 IS NOT 1 TO 6."}, 1, 0},
    {"lighting_type_0",
     [](Lines& l) { setValue(l, "Lite Type ", " 0 ", 3); },
     {"   ** ERROR ** LIGHTING TYPE     0 OF ZONE    21 IS NOT 1 TO 6."}, 1, 0},
    {"exposure_below_1",
     [](Lines& l) { setValue(l, "Surf Exp. ", " 0 "); },
     {"   ** ERROR ** EXPOSURE CODE     0.0 OF WALL NO.   1 IS BELOW 1."}, 1, 0},
    {"exposure_of_the_sketch_underground_codes_is_valid",
     [](Lines& l) { setValue(l, "Surf Exp. ", " 71 "); }, {}, 0, 0},
    {"time_lag_above_24",
     [](Lines& l) { setValue(l, "Time Lag  ", " 25 "); },
     {"   ** ERROR ** TIME LAG     25.00 OF WALL TYPE I.D.     1 IS OUTSIDE 0 TO 24 HOURS."}, 1, 0},
    {"time_lag_negative",
     [](Lines& l) { setValue(l, "Time Lag  ", "-1 ", 2); },
     {"   ** ERROR ** TIME LAG     -1.00 OF WALL TYPE I.D.     2 IS OUTSIDE 0 TO 24 HOURS."}, 1, 0},
    {"time_lag_rounding_to_24_is_valid",
     [](Lines& l) { setValue(l, "Time Lag  ", " 24.4 "); }, {}, 0, 0},
    {"light_shelf_window_type_not_found",
     [](Lines& l) { setValue(l, "Window ID ", " 9 ", 3); },
     {"   ** ERROR ** LIGHT SHELF ON WALL NO.   3: WINDOW TYPE I.D.     9 CANNOT BE FOUND."}, 1,
     0},
    {"occupied_days_below_1",
     [](Lines& l) { setValue(l, "Occ. Days ", " .5 "); },
     {"   ** ERROR ** OCCUPIED DAYS PER WEEK    0.50 ARE FEWER THAN 1."}, 1, 0},
    {"zone_without_floor_area_is_left_out_with_a_warning",
     [](Lines& l) { setValue(l, "Flr. Area ", " 0 ", 2); },
     {"zone   2 read successfully.      ",
      "     *** WARNING; zone   2 has no floor area and is left out."},
     0, 1},
    {"letters_in_a_number_line",
     [](Lines& l) { setValue(l, "Flr. Area ", "abc"); },
     {"   ** ERROR ** LINE     99 OF THE PROJECT FILE: A NUMBER EXPECTED, FOUND \"Flr. Area abc\"."},
     1, 1},
    {"letters_in_a_weather_row",
     [](Lines& l) { l[find(l, "DB Max ")].replace(13, 6, "  7x.2"); },
     {"   ** ERROR ** LINE     20 OF THE PROJECT FILE: A NUMBER EXPECTED, FOUND \"7x.2\"."},
     1, 0},
    // A month value refused is quoted as its field, also in the later months past column 60.
    {"letters_in_a_later_month_quote_its_field",
     [](Lines& l) { l[find(l, "DB Max ")].replace(67, 6, "  8o.4"); },
     {"   ** ERROR ** LINE     20 OF THE PROJECT FILE: A NUMBER EXPECTED, FOUND \"8o.4\"."},
     1, 0},
    {"a_temperature_out_of_range_quotes_its_field",
     [](Lines& l) { l[find(l, "DB Ave ")].replace(73, 6, " 151.0"); },
     {"   ** ERROR ** LINE     18 OF THE PROJECT FILE: A TEMPERATURE OF -100 TO 150 F EXPECTED, FOUND \"151.0\"."},
     1, 0},
    {"a_deviation_out_of_range_quotes_its_field",
     [](Lines& l) { l[find(l, "Ave Std")].replace(55, 6, "   101"); },
     {"   ** ERROR ** LINE     19 OF THE PROJECT FILE: A STANDARD DEVIATION OF 0 TO 100 EXPECTED, FOUND \"101\"."},
     1, 0},
    {"a_solar_value_out_of_range_quotes_its_field",
     [](Lines& l) { l[find(l, "SOLAR  ")].replace(61, 6, "  5001"); },
     {"   ** ERROR ** LINE     24 OF THE PROJECT FILE: A DAILY SOLAR RADIATION OF 0 TO 5000 BTU/SQFT EXPECTED, "
      "FOUND \"5001\"."},
     1, 0},
    {"a_wind_speed_out_of_range_quotes_its_field",
     [](Lines& l) { l[find(l, "WIND   ")].replace(73, 6, "  -0.5"); },
     {"   ** ERROR ** LINE     25 OF THE PROJECT FILE: A WIND SPEED OF 0 TO 150 MPH EXPECTED, FOUND \"-0.5\"."},
     1, 0},
    // A station value out of range is quoted as its field, past column 60 of the line.
    {"an_elevation_out_of_range_quotes_its_field",
     [](Lines& l) { l[find(l, "MIAMI, FL   ")].replace(73, 6, " 99999"); },
     {"   ** ERROR ** LINE     16 OF THE PROJECT FILE: AN ELEVATION OF -2000 TO 30000 FT EXPECTED, FOUND \"99999\"."},
     1, 0},
    {"a_latitude_out_of_range_quotes_its_field",
     [](Lines& l) { l[find(l, "MIAMI, FL   ")].replace(55, 6, "  95.8"); },
     {"   ** ERROR ** LINE     16 OF THE PROJECT FILE: A LATITUDE OF -90 TO 90 DEGREES EXPECTED, FOUND \"95.8\"."},
     1, 0},
    {"profile_number_with_letters",
     [](Lines& l) { l[findExact(l, "Occ") + 1] = "one"; },
     {"   ** ERROR ** LINE     75 OF THE PROJECT FILE: A PROFILE NUMBER EXPECTED, FOUND \"one\"."},
     1, 0},
    {"a_type_id_of_0_repeats_the_empty_slots",
     [](Lines& l) { setValue(l, "ID. #     ", " 0 ", 2); },
     {"    ** ERROR **  I.D. NUMBER    0. IS A DUPLICATE IN WALL SECTION."}, 1, 0},
    {"three_equal_wall_ids_are_two_duplicates",
     [](Lines& l) {
       Lines copy(l.begin() + static_cast<long>(find(l, "ID. #     ", 2)),
                  l.begin() + static_cast<long>(find(l, "ID. #     ", 2) + 7));
       l.insert(l.begin() + static_cast<long>(find(l, "ID. #     ", 2)), copy.begin(), copy.end());
       setValue(l, "ID. #     ", " 1 ", 2);
       setValue(l, "ID. #     ", " 1 ", 3);
     },
     {"    ** ERROR **  I.D. NUMBER    1. IS A DUPLICATE IN WALL SECTION."}, 2, 0},
    {"letters_in_a_type_id",
     [](Lines& l) { setValue(l, "ID. #     ", " 1x "); },
     {"   ** ERROR ** LINE     42 OF THE PROJECT FILE: A WHOLE NUMBER EXPECTED, FOUND \"ID. #      1x \"."},
     1, 0},
    {"type_id_beyond_5_digits",
     [](Lines& l) { setValue(l, "ID. #     ", " 100000 ", 3); },
     {"   ** ERROR ** LINE     58 OF THE PROJECT FILE: A WHOLE NUMBER OF AT MOST 5 DIGITS EXPECTED, "
      "FOUND \"ID. #      100000 \"."},
     1, 0},
    {"a_decimal_in_a_profile_choice",
     [](Lines& l) { setValue(l, "Occ. Prof ", " 1.5 "); },
     {"   ** ERROR ** LINE    102 OF THE PROJECT FILE: A WHOLE NUMBER EXPECTED, FOUND \"Occ. Prof  1.5 \"."},
     1, 0},
    {"letters_in_the_weather_year",
     [](Lines& l) { setValue(l, "Con. Year ", " 19x7 "); },
     {"   ** ERROR ** LINE      8 OF THE PROJECT FILE: A NUMBER EXPECTED, FOUND \"Con. Year  19x7 \"."},
     1, 0},
    {"a_weather_year_without_an_integer_value",
     [](Lines& l) { setValue(l, "Con. Year ", " 9e9 "); },
     {"   ** ERROR ** LINE      8 OF THE PROJECT FILE: A YEAR EXPECTED, FOUND \"Con. Year  9e9 \"."},
     1, 0},
    {"a_zone_number_out_of_range",
     [](Lines& l) { setValue(l, "Zone No.  ", " 99999999 ", 2); },
     {"   ** ERROR ** LINE    159 OF THE PROJECT FILE: A ZONE NUMBER EXPECTED, FOUND \"Zone No.   99999999 \"."},
     1, 0},
    {"a_profile_number_beyond_5_digits",
     [](Lines& l) { l[findExact(l, "Occ") + 1] = "123456"; },
     {"   ** ERROR ** LINE     75 OF THE PROJECT FILE: A PROFILE NUMBER EXPECTED, FOUND \"123456\"."},
     1, 0},
    {"letters_in_a_room_height_of_the_sketch",
     [](Lines& l) { replaceLine(l, "Room Height", "Room Height : 1O "); },
     {"   ** ERROR ** LINE    287 OF THE PROJECT FILE: A ROOM HEIGHT EXPECTED, FOUND \"Room Height : 1O \"."},
     1, 0},
    {"two_errors_in_one_zone_count_two",
     [](Lines& l) {
       setValue(l, "Lite Type ", " 9 ");
       setValue(l, "Surf Exp. ", " -1 ");
     },
     {"   ** ERROR ** LIGHTING TYPE     9 OF ZONE    11 IS NOT 1 TO 6.",
      "   ** ERROR ** EXPOSURE CODE    -1.0 OF WALL NO.   1 IS BELOW 1."},
     2, 0},
    {"a_zone_left_out_has_its_faults_ignored",
     [](Lines& l) {
       setValue(l, "Flr. Area ", " 0 ", 2);
       setValue(l, "Lite Type ", " 0 ", 2);
       setValue(l, "Surf Exp. ", " 0 ", 3);
       setValue(l, "Window ID ", " 9 ", 3);
     },
     {"     *** WARNING; zone   2 has no floor area and is left out."}, 0, 1},
    {"two_zones_left_out_give_two_warnings_for_the_same_slot",
     [](Lines& l) {
       setValue(l, "Flr. Area ", " 0 ", 2);
       setValue(l, "Flr. Area ", " 0 ", 3);
     },
     {"     *** WARNING; zone   2 has no floor area and is left out."}, 0, 2},
    {"time_lag_rounding_above_24",
     [](Lines& l) { setValue(l, "Time Lag  ", " 24.5 "); },
     {"   ** ERROR ** TIME LAG     24.50 OF WALL TYPE I.D.     1 IS OUTSIDE 0 TO 24 HOURS."}, 1, 0},
    {"occupied_days_0",
     [](Lines& l) { setValue(l, "Occ. Days ", " 0 "); },
     {"   ** ERROR ** OCCUPIED DAYS PER WEEK    0.00 ARE FEWER THAN 1."}, 1, 0},
    {"occupied_days_of_1_are_valid",
     [](Lines& l) { setValue(l, "Occ. Days ", " 1 "); }, {}, 0, 0},
    {"lighting_types_1_and_6_are_valid",
     [](Lines& l) {
       setValue(l, "Lite Type ", " 1 ");
       setValue(l, "Lite Type ", " 6 ", 2);
     },
     {}, 0, 0},
    {"an_exposure_of_6_or_more_is_valid",
     [](Lines& l) { setValue(l, "Surf Exp. ", " 76 "); }, {}, 0, 0},
    {"switch_N_leaves_the_rate_line_to_the_wall_section",
     [](Lines& l) { replaceLine(l, "DemCharge ", "DemCharge  N"); }, {}, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(ProjectReader, InputCheck, ::testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

// A run reported in SI names the elevation's range in metres as well; the value quoted is the
// run file's, in feet, as the front-end wrote it apart from the values before it.
TEST(StationRange, an_si_run_names_the_elevation_range_in_metres_too) {
  Lines lines = loadFixture("office.inp");
  std::string& station = lines[find(lines, "MIAMI, FL   ")];
  station = station.substr(0, 73) + "   405035";
  const auto r = readProject(lines, 3, true, [](EngineState& s) { s.chtab.UNITS.set("SI"); });
  EXPECT_TRUE(r.hasLine("   ** ERROR ** LINE     16 OF THE PROJECT FILE: AN ELEVATION OF -2000 TO 30000 FT "
                        "(-609.6 TO 9144 M) EXPECTED, FOUND \"405035\".")) << r.monitor;
  EXPECT_EQ(r.errors, 1);
}

TEST(ProjectReader, a_left_out_zone_gives_its_slot_and_surfaces_to_the_next_zone) {
  Lines lines = loadFixture("office.inp");
  setValue(lines, "Flr. Area ", " 0 ", 2);
  const auto r = readProject(lines);
  ASSERT_EQ(r.s->bldg.NZ, 2);
  EXPECT_EQ(r.s->bldg.IZONE(2), 21);
  EXPECT_EQ(r.s->bldg.LASTSURF(2), 3);
  EXPECT_EQ(r.s->bldg.ZHGT(2), 12.0f);
  EXPECT_TRUE(r.hasLine("Completed zone input for   2 zones. "));
}

TEST(ProjectReader, switch_N_reads_no_rates) {
  Lines lines = loadFixture("office.inp");
  replaceLine(lines, "DemCharge ", "DemCharge  n");
  const auto r = readProject(lines);
  EXPECT_EQ(r.s->bldg.NDEM, 0);
  EXPECT_EQ(r.s->bldg.NASM, 2);
  EXPECT_EQ(r.count("KW Demand Rate Schedule"), 0);
}

TEST(ProjectReader, demand_rates_keep_whole_pairs_only) {
  Lines lines = loadFixture("office.inp");
  replaceLine(lines, "DemChgRate", "DemChgRate 100 5.5 200 6.5 300");
  const auto r = readProject(lines);
  EXPECT_EQ(r.s->bldg.NDEM, 2);
  EXPECT_EQ(r.s->bldg.DEMKW(3), 0.0f);
}

// Numbers outside what their use can take: each is an error that names the line, the field
// (through the line's own text) and the range; the value stored is 0.
TEST(ProjectReader, numbers_outside_their_range_are_input_errors) {
  const struct {
    const char* label;
    int n;  // the n-th line with this label
    const char* value;
    const char* expected;
  } cases[] = {
      {"U-Factor  ", 1, " 0 ",
       "   ** ERROR ** LINE     44 OF THE PROJECT FILE: A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F FOR WALL TYPE "
       "I.D.     1 EXPECTED, FOUND \"U-Factor   0 \"."},
      {"U-Factor  ", 1, "",
       "   ** ERROR ** LINE     44 OF THE PROJECT FILE: A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F FOR WALL TYPE "
       "I.D.     1 EXPECTED, FOUND \"U-Factor  \"."},
      {"U-Factor  ", 2, " 0 ",
       "   ** ERROR ** LINE     51 OF THE PROJECT FILE: A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F FOR WALL TYPE "
       "I.D.     2 EXPECTED, FOUND \"U-Factor   0 \"."},
      {"U-Factor  ", 2, "",
       "   ** ERROR ** LINE     51 OF THE PROJECT FILE: A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F FOR WALL TYPE "
       "I.D.     2 EXPECTED, FOUND \"U-Factor  \"."},
      {"U-Factor  ", 3, " -.5 ",
       "   ** ERROR ** LINE     60 OF THE PROJECT FILE: A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F FOR WINDOW TYPE "
       "I.D.     1 EXPECTED, FOUND \"U-Factor   -.5 \"."},
      {"U-Factor  ", 4, "",
       "   ** ERROR ** LINE     67 OF THE PROJECT FILE: A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F FOR WINDOW TYPE "
       "I.D.     2 EXPECTED, FOUND \"U-Factor  \"."},
      {"OA CFM    ", 1, "CP1E38",
       "   ** ERROR ** LINE    105 OF THE PROJECT FILE: AN OUTDOOR AIR RATE OF 0 TO 100000 (CFM OR PERCENT) "
       "EXPECTED, FOUND \"OA CFM    CP1E38\"."},
      {"OA CFM    ", 1, "CS200000",
       "   ** ERROR ** LINE    105 OF THE PROJECT FILE: AN OUTDOOR AIR RATE OF 0 TO 100000 (CFM OR PERCENT) "
       "EXPECTED, FOUND \"OA CFM    CS200000\"."},
      {"Inf. Rate ", 1, " 32767 ",
       "   ** ERROR ** LINE    120 OF THE PROJECT FILE: AN INFILTRATION RATE OF 0 TO 100 AIR CHANGES PER HOUR "
       "EXPECTED, FOUND \"Inf. Rate  32767 \"."},
      {"WallOrien ", 1, " -1E38 ",
       "   ** ERROR ** LINE    132 OF THE PROJECT FILE: AN ORIENTATION OF -360 TO 720 DEGREES EXPECTED, FOUND "
       "\"WallOrien  -1E38 \"."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.label) + c.value);
    Lines lines = loadFixture("office.inp");
    setValue(lines, c.label, c.value, c.n);
    const auto r = readProject(lines);
    EXPECT_TRUE(r.hasLine(c.expected)) << r.monitor;
    EXPECT_EQ(r.errors, 1) << r.monitor;
  }
  // The edges themselves are taken.
  Lines edges = loadFixture("office.inp");
  setValue(edges, "U-Factor  ", " .001 ");
  setValue(edges, "Inf. Rate ", " 100 ");
  setValue(edges, "WallOrien ", " -360 ");
  setValue(edges, "WallOrien ", " 720 ", 2);
  const auto r = readProject(edges);
  EXPECT_EQ(r.errors, 0) << r.monitor;
  EXPECT_EQ(r.s->bldg.XINF(1), 100.0f);
}

struct OaCase {
  const char* text;
  float people;
  float area;
  float expected;
};

TEST(ProjectReader, outdoor_air_codes) {
  const OaCase cases[] = {
      {"CP20", 10, 1000, 200.0f}, {"CS.15", 10, 1000, 150.0f}, {"PA30", 10, 1000, 0.3f},
      {" 20", 10, 1000, 200.0f},  {"cp20", 10, 1000, 0.0f},
  };
  for (const auto& c : cases) {
    Lines lines = loadFixture("office.inp");
    setValue(lines, "OA CFM    ", c.text);
    setValue(lines, "No.People ", " " + std::to_string(static_cast<int>(c.people)) + " ");
    setValue(lines, "Flr. Area ", " " + std::to_string(static_cast<int>(c.area)) + " ");
    const auto r = readProject(lines);
    EXPECT_FLOAT_EQ(r.s->bldg.ZLOAD(3, 1), c.expected) << c.text;
    EXPECT_EQ(r.errors, 0) << c.text;
  }
}

struct TurnCase {
  const char* building;
  const char* wall;
  float expected;
};

TEST(ProjectReader, tilted_surfaces_turn_with_the_building) {
  const TurnCase cases[] = {{" 45 ", " 330 ", 15.0f}, {"-45 ", " 30 ", 345.0f}, {" 0 ", " 0 ", 0.0f}};
  for (const auto& c : cases) {
    Lines lines = loadFixture("office.inp");
    setValue(lines, "Orient.   ", c.building);
    setValue(lines, "WallOrien ", c.wall);
    const auto r = readProject(lines);
    EXPECT_FLOAT_EQ(r.s->bldg.ORIENT(1), c.expected) << c.building << c.wall;
  }
}

TEST(ProjectReader, leap_year_and_weekday_of_1_January) {
  struct {
    const char* year;
    int weekday;  // from the run options; outside 1..7 = computed from the year
    int day2;
    int expectedDay2;
    int expectedWeekday;
  } cases[] = {{" 1996 ", 0, 365, 366, 2}, {" 1997 ", 0, 365, 365, 4}, {" 2001 ", 0, 365, 365, 2},
               {" 1977 ", 0, 365, 365, 7}, {" 1978 ", 9, 365, 365, 1}, {" 2000 ", 0, 200, 200, 7},
               {" 1996 ", 3, 366, 366, 3}};
  for (const auto& c : cases) {
    Lines lines = loadFixture("office.inp");
    setValue(lines, "Con. Year ", c.year);
    const auto r = readProject(lines, 3, true, [&](EngineState& s) {
      s.runpar.IDOW1 = c.weekday;
      s.runpar.IDAY2 = c.day2;
    });
    EXPECT_EQ(r.s->runpar.IDAY2, c.expectedDay2) << c.year;
    EXPECT_EQ(r.s->runpar.IDOW1, c.expectedWeekday) << c.year;
  }
}

TEST(ProjectReader, a_light_shelf_with_a_small_diffuse_value_keeps_it) {
  Lines lines = loadFixture("office.inp");
  setValue(lines, "DiffTrans ", " .8 ", 3);
  const auto r = readProject(lines);
  EXPECT_EQ(r.s->bldg.DSHLF(3), 0.0f);
  EXPECT_FLOAT_EQ(r.s->bldg.TDIFF(3), 0.8f);
}

}  // namespace
}  // namespace kv::testing
