// The run window's day numbers and the engine's calendar agree on the days simulated: the
// front-end writes the run files of a period as Execute Run does, the engine runs them, and
// the dates of its hourly weather rows are counted.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "engine_run.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/run/runcore.h"
#include "project_builder.h"
#include "tests/reference_data.h"

using namespace kalvano::datatest;
namespace km = kalvano::model;
namespace fs = std::filesystem;

namespace {

// The Miami TMY2 year; with `leapDay` a 29 February made of 28 February's hours follows
// the 28th.
void InstallTmy2(const fs::path& base, bool leapDay) {
  std::istringstream in(slurpFile(kalvano::testref::referenceFile("weather/12839.tm2")));
  std::string out, feb29, line;
  bool inserted = false;
  while (std::getline(in, line)) {
    const bool feb28 = line.size() > 7 && line.compare(3, 4, "0228") == 0;
    if (leapDay && !feb28 && !feb29.empty() && !inserted) {
      out += feb29;
      inserted = true;
    }
    out += line + "\n";
    if (feb28) feb29 += line.substr(0, 5) + "29" + line.substr(7) + "\n";
  }
  std::ofstream(base / "temp" / "tavik$.tmy", std::ios::binary) << out;
}

// The distinct dates of the hourly weather rows (" 31-DEC") in the order met, and the last.
struct Dates {
  std::size_t count = 0;
  std::string first, last;
};
Dates HourlyDates(const fs::path& base) {
  std::istringstream in(slurpFile(base / "temp" / "eweth$.hry"));
  std::string line;
  std::set<std::string> seen;
  Dates d;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    if (tab != 7 || line[3] != '-') continue;
    const std::string date = line.substr(0, 7);
    if (seen.insert(date).second) ++d.count;
    if (d.first.empty()) d.first = date;
    d.last = date;
  }
  return d;
}

// The sample project as retrieved in base folder `base`, with a run of type 3 requested.
std::unique_ptr<km::ProjectModel> SampleToRun(const fs::path& base) {
  auto m = std::make_unique<km::ProjectModel>();
  m->AppDir = base.string();
  m->ProjectFile = std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleProject.inp";
  km::ReadInputFile(*m, m->ProjectFile);
  m->ProjectLoaded = 1;
  m->RunType = 3;
  return m;
}

}  // namespace

TEST(RunCalendar, the_front_ends_day_numbers_are_the_days_the_engine_simulates) {
  struct Case {
    const char* what;
    int format;  // 0 generated, 1 TMY2
    bool leapDay;
    const char* begin;
    const char* end;
    int days;
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {"generated weather in 2024", 0, false, "1-Jan", "31-Dec", 366, "  1-JAN", " 31-DEC"},
      {"TMY2 without 29 February in 2024", 1, false, "1-Mar", "31-Dec", 306, "  1-MAR", " 31-DEC"},
      {"TMY2 with 29 February in 2024", 1, true, "1-Mar", "31-Dec", 306, "  1-MAR", " 31-DEC"},
      {"TMY2 with 29 February, the year through", 1, true, "1-Jan", "31-Dec", 366, "  1-JAN",
       " 31-DEC"},
      {"TMY2 without 29 February, to 30 June", 1, false, "1-Mar", "30-Jun", 122, "  1-MAR",
       " 30-JUN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path base = freshBase("calendar");
    installEngineData(base);
    if (c.format != 0) InstallTmy2(base, c.leapDay);
    auto m = SampleToRun(base);
    m->WeatherFileChosen = c.format != 0 ? 1 : 0;
    m->Run.WeatherFormat = static_cast<int16_t>(c.format);
    kalvano::shell::RunRequest r;
    r.recordedWeather = c.format != 0;
    r.yearText = "2024";
    r.beginText = c.begin;
    r.endText = c.end;
    r.hourly = true;
    const auto prepared = kalvano::shell::PrepareRunFiles(*m, r);
    ASSERT_EQ(prepared.fault, kalvano::shell::RunFault::None) << prepared.text;
    const EngineRun run = runEngine(base);
    ASSERT_EQ(run.status, 0) << run.monitor;
    const Dates d = HourlyDates(base);
    fs::remove_all(base);
    EXPECT_EQ(d.count, static_cast<std::size_t>(c.days));
    EXPECT_EQ(d.first, c.first);
    EXPECT_EQ(d.last, c.last);
  }
}

TEST(RunCalendar, a_year_the_calendar_does_not_take_is_refused_before_any_file_is_written) {
  struct Case {
    const char* year;
    bool accepted;
  };
  const Case cases[] = {{"1e11", false}, {"40000", false}, {"-5", false}, {"abc", false},
                        {"", false},     {"2100", false},  {"2026", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("[") + c.year + "]");
    const fs::path base = freshBase("year");
    auto m = SampleToRun(base);
    const km::ProjectModel before = *m;
    kalvano::shell::RunRequest r;
    r.yearText = c.year;
    const auto prepared = kalvano::shell::PrepareRunFiles(*m, r);
    const bool written = fs::exists(base / "temp" / "tavik$.inp") || fs::exists(base / "temp" / "tavik$.tmp");
    if (c.accepted) {
      EXPECT_EQ(prepared.fault, kalvano::shell::RunFault::None) << prepared.text;
      EXPECT_TRUE(written);
      EXPECT_EQ(m->Run.AnalysisYear, c.year);
      EXPECT_EQ(m->Run.Jan1Weekday, 5);  // 1 January 2026 is a Thursday
    } else {
      EXPECT_EQ(prepared.fault, kalvano::shell::RunFault::Validation);
      EXPECT_EQ(prepared.title, kalvano::shell::kYearTitle);
      EXPECT_EQ(prepared.text, kalvano::shell::kYearText);
      EXPECT_TRUE(prepared.yearBox.empty()) << "the box keeps what was typed";
      EXPECT_FALSE(written);
      EXPECT_EQ(m->Run.AnalysisYear, before.Run.AnalysisYear);
      EXPECT_EQ(m->ProjectData, before.ProjectData);
      EXPECT_EQ(m->WeatherSeed, before.WeatherSeed);
      EXPECT_EQ(m->Run.LastRunType, before.Run.LastRunType);
    }
    fs::remove_all(base);
  }
}
