// Runs against projects that hold a record of the weather library. With the recorded Miami TMY2
// year, the engine's monthly validation check compares the library's statistics (its input
// values) with those of the year it simulated, so the differences are near 0. With a generated
// year, cities of the TMY3 daily summaries carry their statistics into the run unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine_run.h"
#include "project_builder.h"
#include "tests/reference_data.h"

using namespace kalvano::datatest;
namespace km = kalvano::model;

namespace {

// The numbers after the "=" of a validation row: dry-bulb mean and deviation, maximum and
// deviation, dew-point mean and deviation, pressure, solar, clearness, wind.
std::vector<double> rowValues(const std::string& line) {
  std::vector<double> out;
  std::istringstream ss(line.substr(line.find('=') + 1));
  double v = 0;
  while (ss >> v) out.push_back(v);
  return out;
}

struct Validation {
  std::vector<double> input, year, difference;
};

// The validation blocks of the weather listing, in month order.
std::vector<Validation> validations(const std::string& listing) {
  std::vector<Validation> out;
  std::istringstream ss(listing);
  std::string line;
  while (std::getline(ss, line)) {
    if (line.rfind(" VALIDATION CHECK OF WEATHER STATISTICS FOR ", 0) == 0) out.emplace_back();
    if (out.empty()) continue;
    if (line.rfind(" INPUT VAL =", 0) == 0) out.back().input = rowValues(line);
    if (line.rfind(" THIS YEAR =", 0) == 0) out.back().year = rowValues(line);
    if (line.rfind(" DIFFERENCE=", 0) == 0) out.back().difference = rowValues(line);
  }
  return out;
}

// The eight monthly rows of a city's library record.
std::vector<std::vector<double>> libraryRows(const std::string& city) {
  RawLines f = readRaw(dataPath("weather/weth.asc"));
  for (std::size_t k = 0; k + 10 <= f.lines.size(); k += 10) {
    if (f.lines[k + 1].rfind("\"" + city + ",", 0) != 0) continue;
    std::vector<std::vector<double>> rows;
    for (std::size_t r = 0; r < 8; ++r) {
      rows.emplace_back();
      for (std::size_t m = 0; m < 12; ++m) {
        rows.back().push_back(*number(cols(f.lines[k + 2 + r], 1 + 6 * m, 6)));
      }
    }
    return rows;
  }
  return {};
}

TEST(RecordedWeather, MiamiYearShowsValidationDifferencesNearZeroAgainstTheLibrary) {
  namespace fs = std::filesystem;
  const Sample s{"MiamiOffice.inp", km::kInchPound, 24, "Miami", "MiamiOffice", "One zone",
                 2.0, 10.0, 20, 15, {"Office", ""}, 1};
  const fs::path base = freshBase("miami");
  const fs::path project = writeProject(s, base);
  ASSERT_FALSE(project.empty());
  installEngineData(base);
  fs::copy_file(kalvano::testref::referenceFile("weather/12839.tm2"),
                base / kalvano::files::kTempDir / kalvano::files::kRecordedWeather);
  RunSetup setup;
  setup.runType = 2;
  setup.weatherFormat = 1;
  writeRunFiles(base, project, setup);
  const EngineRun run = runEngine(base);
  fs::remove_all(base);
  EXPECT_EQ(run.status, 0) << run.monitor;
  EXPECT_TRUE(run.errors().empty());

  const std::vector<std::vector<double>> lib = libraryRows("Miami");
  ASSERT_EQ(lib.size(), 8u);
  const std::vector<Validation> months = validations(run.listing);
  ASSERT_EQ(months.size(), 12u) << run.monitor;
  for (std::size_t m = 0; m < 12; ++m) {
    SCOPED_TRACE("month " + std::to_string(m + 1));
    const Validation& v = months[m];
    ASSERT_EQ(v.input.size(), 10u);
    ASSERT_EQ(v.year.size(), 10u);
    ASSERT_EQ(v.difference.size(), 10u);
    // The input values are the library's record (rows 1-6, solar, wind).
    for (int c = 0; c < 6; ++c) EXPECT_NEAR(v.input[c], lib[c][m], 0.051) << "column " << c;
    EXPECT_NEAR(v.input[7], lib[6][m], 0.51);
    EXPECT_NEAR(v.input[9], lib[7][m], 0.051);
    // Temperatures and their deviations differ by the library's rounding to 0.1 at most.
    for (int c = 0; c < 6; ++c) EXPECT_LE(std::fabs(v.difference[c]), 0.055) << "column " << c;
    EXPECT_LE(std::fabs(v.difference[9]), 0.055) << "wind";
    // Solar: the engine sums the hours it finds the sun up, so the twilight hours of the
    // file fall out of its sum; they are under 1.5 % of the day's insolation.
    EXPECT_LE(std::fabs(v.difference[7]), 0.015 * v.input[7]) << "solar";
  }
}

// Cities of several climates, taken from the library by their city keys as the weather window
// takes them: a generated year shows the library's record as its input values, month by month,
// and the generated dry-bulb means of the 31-day months come out at the record's means and its
// monthly solar within 10 % of the record's. Des Moines, New Orleans and Philadelphia are
// stations of states the library gained last; Shemya lies west of the date line on Aleutian
// time, where a longitude on the wrong side of the line leaves the generated year sunless.
TEST(RecordedWeather, GeneratedYearsOfLibraryCitiesShowTheirRecordsAsInputValues) {
  namespace fs = std::filesystem;
  struct City {
    const char* key;
    const char* project;
  };
  const City cities[] = {{"Fargo Hector Intl AP", "FargoOffice.inp"},
                         {"Phoenix Sky Harbor Intl AP", "PhoenixOffice.inp"},
                         {"San Juan Intl Arpt", "SanJuanOffice.inp"},
                         {"Des Moines Intl AP", "DesMoinesOffice.inp"},
                         {"New Orleans Intl Arpt", "NewOrleansOffice.inp"},
                         {"Philadelphia Intl AP", "PhiladelphiaOffice.inp"},
                         {"Shemya AFB", "ShemyaOffice.inp"}};
  const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const City& c : cities) {
    SCOPED_TRACE(c.key);
    const Sample s{c.project, km::kInchPound, 24, c.key, "Office", "One zone",
                   2.0, 10.0, 20, 15, {"Office", ""}, 1};
    const fs::path base = freshBase("library-city");
    const fs::path project = writeProject(s, base);
    ASSERT_FALSE(project.empty());
    installEngineData(base);
    RunSetup setup;
    setup.runType = 2;
    writeRunFiles(base, project, setup);
    const EngineRun run = runEngine(base);
    fs::remove_all(base);
    EXPECT_EQ(run.status, 0) << run.monitor;
    EXPECT_TRUE(run.errors().empty());

    const std::vector<std::vector<double>> lib = libraryRows(c.key);
    ASSERT_EQ(lib.size(), 8u);
    const std::vector<Validation> months = validations(run.listing);
    ASSERT_EQ(months.size(), 12u) << run.monitor;
    for (std::size_t m = 0; m < 12; ++m) {
      SCOPED_TRACE("month " + std::to_string(m + 1));
      const Validation& v = months[m];
      ASSERT_EQ(v.input.size(), 10u);
      ASSERT_EQ(v.year.size(), 10u);
      for (int c6 = 0; c6 < 6; ++c6) EXPECT_NEAR(v.input[c6], lib[c6][m], 0.051) << c6;
      EXPECT_NEAR(v.input[7], lib[6][m], 0.51);
      EXPECT_NEAR(v.input[9], lib[7][m], 0.051);
      if (days[m] == 31) {
        EXPECT_NEAR(v.year[0], lib[0][m], 0.051) << "dry-bulb mean";
      }
      EXPECT_NEAR(v.year[7], lib[6][m], 0.1 * lib[6][m]) << "solar";
    }
  }
}

}  // namespace
