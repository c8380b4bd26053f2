// The weather-format examples are records that the engine's recorded-weather reader takes:
// each is the recorded weather file of a one-day run in its format, and the day's listing
// shows the lowest and highest dry bulb of the example's own records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine_run.h"
#include "project_builder.h"

using namespace kalvano::datatest;
namespace km = kalvano::model;

namespace {

// Dry bulbs (F) of an example's records: tenths of a degree C in fixed columns, or the fifth
// value (F) of each free-format line of eight numbers.
std::vector<double> dryBulbs(const std::string& file, std::size_t column) {
  RawLines f = readRaw(dataPath("helpinfo/" + file));
  std::vector<double> out;
  for (const std::string& l : f.lines) {
    if (column == 0) {
      const std::vector<double> v = numbersOf(l);
      if (v.size() == 8) out.push_back(v[4]);
    } else if (auto t = number(cols(l, column, 4)); t && l.size() > 100) {
      out.push_back(*t / 10.0 * 1.8 + 32.0);
    }
  }
  return out;
}

TEST(WeatherFormatExamples, EachIsReadByTheEngineAsTheRecordedWeatherOfAOneDayRun) {
  namespace fs = std::filesystem;
  struct Case {
    const char* file;
    int format;
    std::size_t dryBulbColumn;  // 0: free format
  };
  const Case cases[] = {{"tmy2.txt", 1, 68}, {"wyec2.txt", 2, 90}, {"iwec.txt", 3, 0},
                        {"custom.txt", 4, 70}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::vector<double> db = dryBulbs(c.file, c.dryBulbColumn);
    ASSERT_EQ(db.size(), 24u);
    const Sample s{"Example.inp", km::kInchPound, 24, "Miami", "Example", "One zone",
                   2.0, 10.0, 20, 15, {"Office", ""}, 1};
    const fs::path base = freshBase("example");
    const fs::path project = writeProject(s, base);
    ASSERT_FALSE(project.empty());
    installEngineData(base);
    fs::copy_file(dataPath(std::string("helpinfo/") + c.file),
                  base / kalvano::files::kTempDir / kalvano::files::kRecordedWeather);
    RunSetup setup;
    setup.runType = 2;
    setup.weatherFormat = c.format;
    setup.endDay = 1;
    writeRunFiles(base, project, setup);
    const EngineRun run = runEngine(base);
    fs::remove_all(base);
    EXPECT_EQ(run.status, 0) << run.monitor;
    EXPECT_TRUE(run.errors().empty());
    // " Thu  1/ 1   7:11    55.0    62.1    69.1 ...": sunrise, then minimum, mean, maximum.
    const std::size_t at = run.listing.find(" Thu  1/ 1 ");
    ASSERT_NE(at, std::string::npos) << run.monitor;
    std::istringstream row(run.listing.substr(at, run.listing.find('\n', at) - at));
    std::string weekday, date, day, sunrise;
    double lowest = 0, mean = 0, highest = 0;
    row >> weekday >> date >> day >> sunrise >> lowest >> mean >> highest;
    EXPECT_NEAR(lowest, *std::min_element(db.begin(), db.end()), 0.051);
    EXPECT_NEAR(highest, *std::max_element(db.begin(), db.end()), 0.051);
  }
}

}  // namespace
