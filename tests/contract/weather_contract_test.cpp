// The project's weather between the weather window and the engine: a library record shown in
// the project's units, accepted as the project's weather block and written as the run file
// (as held for an inch-pound project, converted for an SI one), is read by the engine into
// the record's station values and monthly statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "frontend/model/weather_stats.h"
#include "frontend/weather/weatherlib.h"
#include "tests/engine/input/project_fixture.h"

namespace {

namespace fs = std::filesystem;
using kalvano::model::BodyWriter;
using kalvano::model::ProjectModel;
using kalvano::weather::LibraryRecord;

// Miami as the library holds it (inch-pound: F, Btu/sq.ft day, mph, feet).
LibraryRecord Miami() {
  LibraryRecord r;
  r.stateCode = "FL";
  r.stateField = "Florida";
  r.cityString = "Miami, Florida *";
  r.station = "12839";
  r.latitude = 25.8;
  r.longitude = 80.3;
  r.meridian = 75;
  r.elevation = 7;
  r.months = {{{67.2, 68.5, 71.7, 75.2, 78.7, 81.4, 82.6, 82.8, 81.9, 78.3, 73.6, 69.1},
               {4.1, 4.0, 3.5, 2.6, 1.9, 1.4, 1.2, 1.2, 1.3, 2.3, 3.4, 4.0},
               {75.2, 76.5, 79.1, 82.4, 85.3, 87.6, 89.0, 89.0, 87.8, 84.5, 80.4, 76.7},
               {3.6, 3.5, 3.0, 2.4, 1.9, 1.6, 1.4, 1.4, 1.5, 2.1, 2.9, 3.5},
               {58.6, 59.4, 61.6, 64.3, 68.4, 72.0, 72.9, 73.5, 73.2, 69.6, 65.1, 60.3},
               {7.2, 6.8, 6.6, 5.3, 3.9, 2.2, 1.6, 1.5, 1.8, 3.9, 5.6, 6.9},
               {1180, 1430, 1710, 1980, 2040, 1890, 1930, 1820, 1610, 1470, 1240, 1100},
               {9.5, 10.0, 10.5, 10.4, 9.4, 8.1, 7.6, 7.5, 8.3, 9.4, 9.6, 9.2}}};
  return r;
}

// The engine's monthly rows in the library's row order.
float EngineMonth(const kv::WXMON& w, int row, int month) {
  switch (row) {
    case 0: return w.TDBM(month);
    case 1: return w.TDBS(month);
    case 2: return w.TMXM(month);
    case 3: return w.TMXS(month);
    case 4: return w.TDPM(month);
    case 5: return w.TDPS(month);
    case 6: return w.SOLM(month);
    default: return w.WNDM(month);
  }
}

class WeatherContract : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = kv::testing::freshDir();
    fs::create_directories(base_ / "temp");
    fs::create_directories(base_ / "sketch");
  }
  void TearDown() override { fs::remove_all(base_); }

  // `block` accepted as the project's weather, as the weather window's OK does, and written as
  // the run window writes the run file (as held for an inch-pound project, converted for an SI
  // one), read by the engine.
  kv::testing::ReadResult ReadByTheEngine(ProjectModel& m, const std::array<std::string, 12>& block,
                                          const std::string& location) {
    m.ProjectData[3] = location;
    for (int i = 1; i <= kalvano::model::kWeatherLines; ++i) m.WeatherBlock[i] = block[static_cast<std::size_t>(i)];
    kalvano::model::WeatherStatsToIP(m);
    kalvano::model::ComputeDesignTemps(m);
    const bool si = m.UnitSystem == kalvano::model::kSI;
    kalvano::model::WriteProjectFile(m, "temp/tavik$.inp", si ? "SI" : "IP",
                                     si ? BodyWriter::ToInchPound : BodyWriter::AsHeld);
    return kv::testing::readProject(kv::testing::splitLines(kv::testing::slurp(base_ / "temp" / "tavik$.inp")));
  }

  fs::path base_;
};

TEST_F(WeatherContract, the_engine_reads_the_accepted_weather_as_the_library_holds_it) {
  struct Case {
    const char* what;
    const char* sample;       // an installed sample: SampleProject is inch-pound, SampleSchool SI
    std::string city;
    const char* station;
    double latitude;
  };
  const Case cases[] = {
      {"inch-pound", "SampleProject.inp", "Miami", "12839", 25.8},
      {"SI", "SampleSchool.inp", "Miami", "12839", 25.8},
      // The location cut to end by column 50, a short station number and a southern latitude
      // keep the station values in the engine's columns.
      {"inch-pound, long location", "SampleProject.inp", std::string(40, 'M'), "722", -33.9},
      {"SI, long location", "SampleSchool.inp", std::string(40, 'M'), "722", -33.9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto m = std::make_unique<ProjectModel>();
    m->AppDir = base_.string();
    kalvano::model::ReadInputFile(*m, std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + c.sample);
    const bool si = m->UnitSystem == kalvano::model::kSI;
    ASSERT_EQ(si, std::string(c.what).rfind("SI", 0) == 0);

    // The record as the weather window shows it, accepted with OK.
    LibraryRecord record = Miami();
    record.cityString = c.city + ", Florida *";
    record.station = c.station;
    record.latitude = c.latitude;
    const kalvano::weather::WeatherEntry entry = kalvano::weather::EntryOf(record, m->UnitSystem);
    std::string location, refusal;
    const auto block = kalvano::weather::WeatherBlockLines(entry, kalvano::weather::Mark(record.cityString), m->UnitSystem,
                                                           location, refusal);
    ASSERT_TRUE(refusal.empty()) << refusal;
    const auto r = ReadByTheEngine(*m, block, location);
    ASSERT_EQ(r.errors, 0) << r.monitor;
    const kv::EngineState& s = *r.s;
    // The engine keeps 42 characters of the location.
    std::string kept = location.substr(0, 42);
    kept.erase(kept.find_last_not_of(' ') + 1);
    EXPECT_EQ(s.prjtxt.PLOC.trimmed(), kept);
    EXPECT_EQ(s.mainpg.STNID.trimmed(), c.station);
    EXPECT_FLOAT_EQ(s.wxmon.XLAT, static_cast<float>(c.latitude));
    EXPECT_FLOAT_EQ(s.wxmon.XLONG, 80.3f);
    EXPECT_FLOAT_EQ(s.wxmon.XMER, 75.0f);
    // Metres back to feet lose at most a foot.
    EXPECT_NEAR(s.wxmon.ELEV, 7.0f, si ? 1.0f : 0.0f);
    // Inch-pound values arrive as the library holds them; SI values lose only what their
    // shown decimals lose (0.1 C, 1 kJ/sq.m, 0.1 m/s) and the file's decimals.
    const double tolerance[8] = {0.15, 0.15, 0.15, 0.15, 0.15, 0.15, 0.6, 0.2};
    for (int row = 0; row < 8; ++row) {
      for (int month = 1; month <= 12; ++month) {
        const double held = record.months[static_cast<std::size_t>(row)][static_cast<std::size_t>(month - 1)];
        EXPECT_NEAR(EngineMonth(s.wxmon, row, month), held, si ? tolerance[row] : 1e-4)
            << "row " << row + 1 << ", month " << month;
      }
    }
    // The design temperatures that follow the block, in inch-pound.
    const float design[3] = {s.wxmon.TDSMX, s.wxmon.TDSWB, s.wxmon.TDSMN};
    for (std::size_t k = 1; k <= 3; ++k) {
      const double shown = kalvano::model::Val(m->DesTemps[k]);
      EXPECT_NEAR(design[k - 1], si ? shown * 1.8 + 32 : shown, 0.1) << "design temperature " << k;
    }
  }
}

// The station values stand side by side in the station line, which the engine scans as
// free-format numbers. Taken from the window's boxes through the block writer into the
// engine's reader, in either unit system, every text is either refused with its box named or
// read by the engine as the value the window takes from it: a sign behind a number, a second
// decimal point and a value that runs into the one before it are refused in every box.
TEST_F(WeatherContract, station_texts_reach_the_engine_as_the_window_shows_them_or_are_refused) {
  struct Case {
    const char* latitude;
    const char* longitude;
    const char* meridian;
    const char* elevation;
    const char* refusedIP;  // the box refused in an inch-pound project; empty: accepted
    const char* refusedSI;  // and in an SI one
  };
  const Case cases[] = {
      // Six characters: the latitude follows the station number's own columns; the others
      // run into the value before them unless a minus sign starts them. An SI project's run
      // file holds the elevation converted to feet, set apart from the meridian.
      {"33.945", "118.40", "120", "7", "longitude", "longitude"},
      {"33.9", "118.40", "120", "7", "longitude", "longitude"},
      {"33.945", "-118.4", "120.00", "7", "time meridian", "time meridian"},
      {"41.9", "87.9", "82.5", "1234.5", "elevation", ""},
      {"41.9", "87.9", "90", "1234.5", "elevation", ""},
      {"33.945", "-118.4", "-120.0", "7", "", ""},
      {"-33.95", "-118.4", "120.0", "-200.5", "", ""},
      {"33.945", "118.4", "120.0", "1234.", "", ""},
      // A sign behind the number, in every box.
      {"33-", "87.9", "90", "600", "latitude", "latitude"},
      {"33", "87.9-", "90", "600", "longitude", "longitude"},
      {"33", "87.9", "90-", "600", "time meridian", "time meridian"},
      {"33", "87.9", "90", "600-", "elevation", "elevation"},
      {"3-3", "87.9", "90", "600", "latitude", "latitude"},
      {"33", "--87", "90", "600", "longitude", "longitude"},
      // A second decimal point, in every box.
      {"4.2.1", "87.9", "90", "600", "latitude", "latitude"},
      {"33", "87.9.5", "90", "600", "longitude", "longitude"},
      {"33", "87.9", "9.0.5", "600", "time meridian", "time meridian"},
      {"33", "87.9", "90", "60.0.1", "elevation", "elevation"},
      // No number at all.
      {"33", "-", "90", "600", "longitude", "longitude"},
      {"33", "87.9", ".", "600", "time meridian", "time meridian"},
      // A point with no digits after it changes no value: the engine reads what the window shows.
      {"33", "87.9.", "4.0.0", "600.", "", ""},
      // Signed and plain values.
      {"-4.2", "-87.9", "-90", "-6", "", ""},
      {"41.98", "87.92", "90", "659", "", ""},
      {".5", "87.", "90", "0", "", ""},
  };
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(sample) + ": " + c.latitude + " " + c.longitude + " " + c.meridian + " " +
                   c.elevation);
      auto m = std::make_unique<ProjectModel>();
      m->AppDir = base_.string();
      kalvano::model::ReadInputFile(*m, std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + sample);
      const bool si = m->UnitSystem == kalvano::model::kSI;
      kalvano::weather::WeatherEntry entry = kalvano::weather::EntryOf(Miami(), m->UnitSystem);
      entry.latitude = c.latitude;
      entry.longitude = c.longitude;
      entry.meridian = c.meridian;
      entry.elevation = c.elevation;
      std::string location, refusal;
      const auto block = kalvano::weather::WeatherBlockLines(entry, "*", m->UnitSystem, location, refusal);
      const std::string refusedBox = si ? c.refusedSI : c.refusedIP;
      if (!refusedBox.empty()) {
        const std::array<const char*, 4> texts{c.latitude, c.longitude, c.meridian, c.elevation};
        const std::array<const char*, 4> boxes{"latitude", "longitude", "time meridian", "elevation"};
        const std::size_t box = static_cast<std::size_t>(
            std::find(boxes.begin(), boxes.end(), refusedBox) - boxes.begin());
        EXPECT_EQ(refusal, "The " + refusedBox + " " + texts[box] +
                               " would not be read as entered in the project's weather data, where the station "
                               "values stand side by side.  Please enter a number with any minus sign in front, at "
                               "most one decimal point and at most five characters unless it begins with a minus "
                               "sign.");
        EXPECT_EQ(block[2], "");
        continue;
      }
      ASSERT_TRUE(refusal.empty()) << refusal;
      const auto r = ReadByTheEngine(*m, block, location);
      ASSERT_EQ(r.errors, 0) << r.monitor;
      EXPECT_FLOAT_EQ(r.s->wxmon.XLAT, static_cast<float>(kalvano::model::Val(c.latitude)));
      EXPECT_FLOAT_EQ(r.s->wxmon.XLONG, static_cast<float>(kalvano::model::Val(c.longitude)));
      EXPECT_FLOAT_EQ(r.s->wxmon.XMER, static_cast<float>(kalvano::model::Val(c.meridian)));
      // An SI elevation reaches the engine in whole feet.
      const double elevation = kalvano::model::Val(c.elevation);
      if (si) {
        EXPECT_NEAR(r.s->wxmon.ELEV, elevation * 3.28084, 1.0);
      } else {
        EXPECT_FLOAT_EQ(r.s->wxmon.ELEV, static_cast<float>(elevation));
      }
    }
  }
}

// A station value is either refused by the window's OK, naming the box and the range that a
// run accepts in the unit shown, or read by the engine without an input error: the window's
// range is the engine's, and an SI elevation's is the metres whose whole feet, as the run file
// holds them, lie in it.
TEST_F(WeatherContract, station_values_beyond_the_engines_range_are_refused_in_the_unit_shown) {
  // Outcome in an inch-pound and in an SI project: 'r' refused as out of range, 'm' refused as
  // a text the engine would read otherwise (six characters running into the value before),
  // '-' read by the engine.
  struct Case {
    const char* box;  // "latitude", "longitude", "time meridian" or "elevation"
    const char* typed;
    char ip, si;
  };
  const Case cases[] = {
      {"latitude", "90", '-', '-'},        {"latitude", "90.1", 'r', 'r'},      {"latitude", "-90.1", 'r', 'r'},
      {"longitude", "-360", '-', '-'},     {"longitude", "360.5", 'r', 'r'},    {"time meridian", "-360.5", 'r', 'r'},
      {"elevation", "30000", '-', 'r'},    {"elevation", "30001", 'r', 'r'},    {"elevation", "-2000", '-', 'r'},
      {"elevation", "-2001", 'r', 'r'},    {"elevation", "9144.3", 'm', '-'},   {"elevation", "9144.4", 'm', 'r'},
      {"elevation", "-609.6", '-', '-'},   {"elevation", "-609.7", '-', 'r'},   {"elevation", "99999", 'r', 'r'},
      {"elevation", "123456", 'm', 'r'},
  };
  const std::array<const char*, 4> boxes{"latitude", "longitude", "time meridian", "elevation"};
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(sample) + ": " + c.box + " " + c.typed);
      auto m = std::make_unique<ProjectModel>();
      m->AppDir = base_.string();
      kalvano::model::ReadInputFile(*m, std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + sample);
      const bool si = m->UnitSystem == kalvano::model::kSI;
      kalvano::weather::WeatherEntry entry = kalvano::weather::EntryOf(Miami(), m->UnitSystem);
      const std::size_t box = static_cast<std::size_t>(std::find_if(boxes.begin(), boxes.end(), [&c](const char* b) {
                                                         return std::string(b) == c.box;
                                                       }) - boxes.begin());
      std::array<std::string*, 4> texts{&entry.latitude, &entry.longitude, &entry.meridian, &entry.elevation};
      *texts[box] = c.typed;
      std::string location, refusal;
      const auto block = kalvano::weather::WeatherBlockLines(entry, "*", m->UnitSystem, location, refusal);
      const char outcome = si ? c.si : c.ip;
      if (outcome == 'm') {
        EXPECT_NE(refusal.find("would not be read as entered"), std::string::npos) << refusal;
        continue;
      }
      if (outcome == 'r') {
        const std::array<const char*, 4> ranges{"-90 to 90 (degrees)", "-360 to 360 (degrees)", "-360 to 360 (degrees)",
                                                 si ? "-609.6 to 9144.3 (m)" : "-2000 to 30000 (ft)"};
        EXPECT_EQ(refusal, std::string("The ") + c.box + " " + c.typed +
                               " is outside the range that the simulation accepts, which runs from " + ranges[box] +
                               ".  Please correct the value.");
        EXPECT_EQ(block[2], "");
        continue;
      }
      ASSERT_TRUE(refusal.empty()) << refusal;
      const auto r = ReadByTheEngine(*m, block, location);
      EXPECT_EQ(r.errors, 0) << r.monitor;
    }
  }
}

// A month value at the ends of its row's range or just beyond it, in either unit system, is
// either refused by the window's OK, naming the box and the range of its row in the unit shown,
// or read by the engine with no input error. A value that the window refuses for the run's
// range, put into the block as it stands, stops the run on that range: the window's range is
// the run's, narrowed only where a field holds no more (no temperature below -99.9 F). A value
// that the month check takes may still give a design temperature (derived by OK from the
// whole block) beyond the run's temperature range: OK refuses the block then, and the run
// would stop on that design temperature.
TEST_F(WeatherContract, month_values_beyond_a_runs_range_are_refused_in_the_unit_shown) {
  // Outcome of the month check in an inch-pound and in an SI project: 'r' refused for the
  // run's range, 'f' refused for the field's limits, '-' taken.
  struct Case {
    const char* base;  // "Miami", or "10" for every value 10
    int row;           // 0-based
    const char* typed;
    char ip, si;
  };
  const Case cases[] = {
      {"Miami", 0, "-99.9", '-', 'r'}, {"Miami", 0, "-100", 'f', 'r'},  {"Miami", 0, "150", '-', 'r'},
      {"Miami", 0, "150.1", 'r', 'r'}, {"Miami", 0, "-73.3", '-', '-'}, {"Miami", 0, "-73.4", '-', 'r'},
      {"Miami", 0, "65.5", '-', '-'},  {"Miami", 0, "65.6", '-', 'r'},  {"Miami", 2, "150.1", 'r', 'r'},
      {"Miami", 2, "65.6", '-', 'r'},  {"Miami", 4, "-73.4", '-', 'r'}, {"Miami", 4, "65.5", '-', '-'},
      {"Miami", 4, "-99.9", '-', 'r'}, {"Miami", 4, "150", '-', 'r'},   {"Miami", 1, "0", '-', '-'},
      {"Miami", 1, "-0.1", 'r', 'r'},  {"Miami", 1, "100", '-', 'r'},   {"Miami", 1, "100.1", 'r', 'r'},
      {"Miami", 1, "55.5", '-', '-'},  {"Miami", 1, "55.6", '-', 'r'},  {"Miami", 3, "55.6", '-', 'r'},
      {"Miami", 5, "100", '-', 'r'},   {"Miami", 6, "0", '-', '-'},     {"Miami", 6, "5000", '-', '-'},
      {"Miami", 6, "5001", 'r', '-'},  {"Miami", 6, "-1", 'r', '-'},    {"Miami", 6, "-6", 'r', '-'},
      {"Miami", 6, "-7", 'r', 'r'},    {"Miami", 6, "56787", 'r', '-'}, {"Miami", 6, "56788", 'r', 'r'},
      {"Miami", 7, "0", '-', '-'},     {"Miami", 7, "-0.1", 'r', 'r'},  {"Miami", 7, "150", '-', 'r'},
      {"Miami", 7, "150.1", 'r', 'r'}, {"Miami", 7, "67", '-', '-'},    {"Miami", 7, "67.1", '-', 'r'},
      // Design temperatures at the ends of the run's range: the summer dry bulb from a maximum's
      // deviation, the winter dry bulb from a mean (IP: 149.9 and 150.1 F, -99.9 and -100.1 F).
      {"10", 3, "66.3", '-', 'r'},     {"10", 3, "66.4", '-', 'r'},     {"10", 0, "-34.4", '-', '-'},
      {"10", 0, "-34.5", '-', '-'},    {"10", 3, "26.3", '-', '-'},     {"10", 3, "26.4", '-', '-'},
      {"10", 0, "-21.1", '-', '-'},    {"10", 0, "-21.2", '-', '-'},
  };
  const char* const kEngineRanges[8] = {"A TEMPERATURE OF -100 TO 150 F", "A STANDARD DEVIATION OF 0 TO 100",
                                        "A TEMPERATURE OF -100 TO 150 F", "A STANDARD DEVIATION OF 0 TO 100",
                                        "A TEMPERATURE OF -100 TO 150 F", "A STANDARD DEVIATION OF 0 TO 100",
                                        "A DAILY SOLAR RADIATION OF 0 TO 5000 BTU/SQFT", "A WIND SPEED OF 0 TO 150 MPH"};
  const char* const kRangesIP[8] = {"-99.9 to 150 (Deg. F)",  "0 to 100 (Deg. F)",      "-99.9 to 150 (Deg. F)",
                                    "0 to 100 (Deg. F)",      "-99.9 to 150 (Deg. F)",  "0 to 100 (Deg. F)",
                                    "0 to 5000 (Btu/sq.ft.)", "0 to 150 (Miles/hr.)"};
  const char* const kRangesSI[8] = {"-73.3 to 65.5 (Deg. C)", "0 to 55.5 (Deg. C)", "-73.3 to 65.5 (Deg. C)",
                                    "0 to 55.5 (Deg. C)",     "-73.3 to 65.5 (Deg. C)", "0 to 55.5 (Deg. C)",
                                    "-6 to 56787 (kJ/sq.m.)", "0 to 67 (m/sec.)"};
  constexpr std::size_t kMonth = 6;  // July
  int taken = 0, designRefused = 0;
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(sample) + ": " + c.base + ", row " + std::to_string(c.row + 1) + ", " + c.typed);
      const auto row = static_cast<std::size_t>(c.row);
      auto m = std::make_unique<ProjectModel>();
      m->AppDir = base_.string();
      kalvano::model::ReadInputFile(*m, std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + sample);
      const bool si = m->UnitSystem == kalvano::model::kSI;
      kalvano::weather::WeatherEntry shown = kalvano::weather::EntryOf(Miami(), m->UnitSystem);
      if (std::string(c.base) == "10") {
        for (auto& months : shown.months) months.fill("10");
        shown.source.reset();
      }
      kalvano::weather::WeatherEntry entry = shown;
      entry.months[row][kMonth] = c.typed;
      std::string location, refusal;
      const auto block = kalvano::weather::WeatherBlockLines(entry, "*", m->UnitSystem, location, refusal);
      const char outcome = si ? c.si : c.ip;
      // The value put into the block that OK makes of the base, as it stands.
      auto asItStands = kalvano::weather::WeatherBlockLines(shown, "*", m->UnitSystem, location, refusal);
      ASSERT_EQ(refusal, "");
      asItStands[row + 4].replace(7 + 6 * kMonth, 6, kalvano::model::RightAlign(c.typed, 6));
      kalvano::weather::WeatherBlockLines(entry, "*", m->UnitSystem, location, refusal);
      if (outcome == '-' && refusal.empty()) {
        ++taken;
        EXPECT_EQ(asItStands, block);
        const auto r = ReadByTheEngine(*m, block, location);
        EXPECT_EQ(r.errors, 0) << r.monitor;
        continue;
      }
      const auto r = ReadByTheEngine(*m, asItStands, location);
      if (outcome == '-') {
        ++designRefused;
        EXPECT_NE(refusal.find(" design dry bulb that follows from the monthly values"), std::string::npos) << refusal;
        EXPECT_NE(refusal.find((si ? "-73.3 to 65.5 (Deg. C)" : "-100 to 150 (Deg. F)")), std::string::npos)
            << refusal;
        EXPECT_EQ(r.errors, 1) << r.monitor;
        EXPECT_EQ(r.count("A TEMPERATURE OF -100 TO 150 F EXPECTED, FOUND \"DesTemps"), 1) << r.monitor;
        continue;
      }
      EXPECT_EQ(refusal, "Row " + std::to_string(c.row + 1) + ", month 7: " + c.typed +
                             " does not fit the project's weather data, whose values in this row run from " +
                             (si ? kRangesSI : kRangesIP)[row] + ".  Please correct the value.");
      EXPECT_EQ(block[4], "");
      if (outcome == 'f') {
        EXPECT_EQ(r.count(" EXPECTED, FOUND \"" + std::string(c.typed) + "\""), 0) << r.monitor;
      } else {
        // The month's field (in SI its inch-pound copy), beside any design temperature.
        const std::string found = std::string(kEngineRanges[row]) + " EXPECTED, FOUND \"";
        EXPECT_EQ(r.count(found) - r.count(found + "DesTemps"), 1) << r.monitor;
        if (!si) {
          EXPECT_EQ(r.count(found + c.typed + "\""), 1) << r.monitor;
        }
      }
    }
  }
  // Both roads are taken.
  EXPECT_GT(taken, 10);
  EXPECT_GT(designRefused, 4);
}

}  // namespace
