#include "frontend/shell/run/runcore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kalvano::shell::Jan1Weekday;
using kalvano::shell::RunChoices;
using kalvano::shell::RunOptionsText;

namespace {
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}
}  // namespace

TEST(RunOptions, weekday_of_first_january) {
  struct Case { int year, weekday; };
  // The calendar's weekday: before 1978 and after 2100 a formula over 1980 would miss it.
  for (Case c : {Case{1980, 3}, {2000, 7}, {2001, 2}, {2005, 7}, {2026, 5}, {1979, 2}, {1978, 1},
                 {1975, 4}, {2101, 7}, {2100, 6}})
    EXPECT_EQ(Jan1Weekday(c.year), c.weekday) << c.year;
}

TEST(RunOptions, eight_labelled_lines_in_the_engine_columns) {
  RunChoices c;
  c.runType = 3;
  c.jan1Weekday = 7;
  c.beginDay = 1;
  c.endDay = 365;
  c.hourlyOutput = 1;
  c.comfortLower = 20;
  c.comfortUpper = 27.5f;
  const auto l = lines(RunOptionsText(c));
  ASSERT_EQ(l.size(), 8u);
  EXPECT_EQ(l[0], "Run type  :  3");
  EXPECT_EQ(l[1], "Wthr type :  0");
  EXPECT_EQ(l[2], "1st day   :  7 ");
  EXPECT_EQ(l[3], "Run begin :  1");
  EXPECT_EQ(l[4], "Run end   :  365");
  EXPECT_EQ(l[5], "Hourly out:  1 ");
  EXPECT_EQ(l[6], "Skip month: ");
  // 20 fills columns 13-16, 17-22 are blank, 27.5 starts in column 23.
  EXPECT_EQ(l[7], "Comfort   :  20        27.5 ");
}

TEST(RunOptions, skipped_months_and_recorded_weather_flag) {
  RunChoices c;
  c.skippedMonths = {1, 12};
  c.weatherFormat = 2;
  const auto l = lines(RunOptionsText(c));
  EXPECT_EQ(l[6], "Skip month:  1   12  ");
  EXPECT_EQ(l[6].size(), 21u);
  // The format code in the engine's field, and a flag from column 29, outside it.
  EXPECT_EQ(l[1], "Wthr type :  2               1 ");
  EXPECT_EQ(l[1].find(" 1 ", 14), 28u);  // column 29
}

// ---------------------------------------------------------------------------------------
// Execute Run's checks and run files, from the run window's controls.

#include <filesystem>
#include <memory>
#include <optional>

#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "shell_test_support.h"

namespace {

using kalvano::model::ProjectModel;
using kalvano::shell::PrepareRunFiles;
using kalvano::shell::RunFault;
using kalvano::shell::RunRequest;

class RunFiles : public ::testing::Test {
 protected:
  // A sample project as retrieved, with a run of type 3 requested.
  std::unique_ptr<ProjectModel> Sample(const char* file) {
    auto m = std::make_unique<ProjectModel>();
    m->AppDir = base.dir().string();
    m->ProjectFile = std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + file;
    kalvano::model::ReadInputFile(*m, m->ProjectFile);
    m->ProjectLoaded = 1;
    m->RunType = 3;
    return m;
  }
  std::vector<std::string> Lines(const char* rel) { return lines(base.read(rel)); }
  // A TMY2 file of the station header and one record a day; with or without 29 February.
  void WriteTmy2(bool leapDay) {
    std::string text = " 94846 CHICAGO  IL  -6 N 41 59 W  87 54   190\r\n";
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        if (month == 2 && day == 29 && !leapDay) continue;
        char rec[16];
        std::snprintf(rec, sizeof rec, " 24%02d%02d01", month, day);
        text += std::string(rec) + std::string(90, '0') + "\r\n";
      }
    }
    base.write("temp/tavik$.tmy", text);
  }
  kalvano::shell::test::BaseFolder base;
};

double FieldValue(const std::vector<std::string>& l, std::string_view label) {
  for (const std::string& line : l) {
    if (line.rfind(label, 0) == 0) return kalvano::model::Val(std::string_view(line).substr(10));
  }
  ADD_FAILURE() << "no line " << label;
  return 0;
}

std::vector<double> DesTempsOf(const std::vector<std::string>& l) {
  for (const std::string& line : l) {
    if (line.rfind("DesTemps", 0) != 0) continue;
    std::vector<double> v;
    for (const std::string& w : kalvano::model::SplitWords(line.substr(8))) {
      v.push_back(kalvano::model::Val(w));
    }
    return v;
  }
  return {};
}

}  // namespace

TEST_F(RunFiles, golden_lines_of_both_run_files) {
  struct Case {
    const char* what;
    const char* sample;
    void (*set)(RunRequest&);
    const char* file;
    std::size_t line;
    const char* want;
  };
  const Case cases[] = {
      {"repeated weather sequence", "SampleProject.inp",
       [](RunRequest& r) { r.repeatSequence = true; }, "temp/tavik$.inp", 0,
       "KAL-VANO  .83774665  4  IP"},
      {"a drawn seed", "SampleProject.inp", [](RunRequest& r) { r.draw = 0.123456789; r.weeks = 2; },
       "temp/tavik$.inp", 0, "KAL-VANO   .12345678 2  IP"},
      {"SI tag above inch-pound values", "SampleSchool.inp",
       [](RunRequest& r) { r.repeatSequence = true; }, "temp/tavik$.inp", 0,
       "KAL-VANO  .83774665  4  SI"},
      {"no skipped month", "SampleProject.inp", [](RunRequest&) {}, "temp/tavik$.tmp", 6,
       "Skip month: "},
      {"months 1 and 12", "SampleProject.inp",
       [](RunRequest& r) { r.skipped[1] = r.skipped[12] = true; }, "temp/tavik$.tmp", 6,
       "Skip month:  1   12  "},
      {"comfort 20 and 27.5", "SampleSchool.inp",
       [](RunRequest& r) { r.lowerText = "20"; r.upperText = "27.5"; }, "temp/tavik$.tmp", 7,
       "Comfort   :  20        27.5 "},
      {"long comfort limits keep their columns", "SampleProject.inp",
       [](RunRequest& r) { r.lowerText = "-68.123456"; r.upperText = "79.987654321"; },
       "temp/tavik$.tmp", 7, "Comfort   : -68.1235   79.9877 "},
      {"year 98 is 2098: its weekday", "SampleProject.inp",
       [](RunRequest& r) { r.yearText = "98"; }, "temp/tavik$.tmp", 2, "1st day   :  4 "},
      {"hourly output", "SampleProject.inp", [](RunRequest& r) { r.hourly = true; },
       "temp/tavik$.tmp", 5, "Hourly out:  1 "},
      {"the requested run type", "SampleProject.inp", [](RunRequest&) {}, "temp/tavik$.tmp", 0,
       "Run type  :  3"},
  };
  for (const Case& c : cases) {
    auto m = Sample(c.sample);
    RunRequest r;
    r.yearText = "2026";
    c.set(r);
    const auto out = PrepareRunFiles(*m, r);
    ASSERT_EQ(out.fault, RunFault::None) << c.what << ": " << out.text;
    const std::string bytes = base.read(c.file);
    const auto l = lines(bytes);
    ASSERT_GT(l.size(), c.line) << c.what;
    EXPECT_EQ(l[c.line], c.want) << c.what;
  }
}

TEST_F(RunFiles, an_SI_project_reaches_the_engine_in_inch_pound_values) {
  auto m = Sample("SampleSchool.inp");
  ASSERT_EQ(PrepareRunFiles(*m, RunRequest{}).fault, RunFault::None);
  const auto l = Lines("temp/tavik$.inp");
  EXPECT_EQ(l[0].substr(24, 2), "SI");
  EXPECT_NEAR(FieldValue(l, "FloorArea"), 1440 * 10.7639, 1.0);
}

TEST_F(RunFiles, year_98_is_2098_in_the_box_the_model_and_the_period) {
  auto m = Sample("SampleProject.inp");
  RunRequest r;
  r.yearText = "98";
  r.beginText = "15-Oct";
  m->Pages.WeatherPagesSplit = 1;
  const auto out = PrepareRunFiles(*m, r);
  EXPECT_EQ(m->Pages.WeatherPagesSplit, 0);
  ASSERT_EQ(out.fault, RunFault::None);
  EXPECT_EQ(out.yearBox, "2098");
  EXPECT_EQ(m->Run.AnalysisYear, "2098");
  EXPECT_EQ(m->ProjectData[6], "2098");
  EXPECT_EQ(m->Run.RunPeriod[1], "15-Oct-2098");
  EXPECT_EQ(m->Run.RunPeriod[2], "31-Dec-2098");
  EXPECT_EQ(m->Run.Jan1Weekday, 4);
  EXPECT_EQ(Lines("temp/tavik$.tmp")[3], "Run begin :  288");
}

TEST_F(RunFiles, every_month_may_be_skipped_and_each_is_named) {
  auto m = Sample("SampleProject.inp");
  RunRequest r;
  for (int i = 1; i <= 12; ++i) r.skipped[static_cast<std::size_t>(i)] = true;
  ASSERT_EQ(PrepareRunFiles(*m, r).fault, RunFault::None);
  EXPECT_EQ(m->Run.SkippedMonthCount, 12);
  EXPECT_EQ(m->Run.SkippedMonths[1], "January");
  EXPECT_EQ(m->Run.SkippedMonths[12], "December");
  r.skipped = {};
  r.skipped[6] = true;
  ASSERT_EQ(PrepareRunFiles(*m, r).fault, RunFault::None);
  EXPECT_EQ(m->Run.SkippedMonthCount, 1);
  EXPECT_EQ(m->Run.SkippedMonths[1], "June");
  EXPECT_EQ(m->Run.SkippedMonths[2], "");
}

TEST_F(RunFiles, edited_design_temperatures_reach_the_run_file_of_a_project_not_yet_checked) {
  struct Case {
    const char* sample;
    std::array<std::string, 4> boxes;
    std::vector<double> want;  // inch-pound
  };
  const Case cases[] = {
      {"SampleProject.inp", {"", " 95", " 78", " 10"}, {95, 78, 10}},
      {"SampleSchool.inp", {"", " 35", " 20", "-10"}, {95, 68, 14}},
  };
  for (const Case& c : cases) {
    auto m = Sample(c.sample);
    m->DesTempsValid = 0;  // the writer would compute them afresh
    RunRequest r;
    r.desTemps = c.boxes;
    ASSERT_EQ(PrepareRunFiles(*m, r).fault, RunFault::None);
    const auto got = DesTempsOf(Lines("temp/tavik$.inp"));
    ASSERT_EQ(got.size(), 3u) << c.sample;
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(got[i], c.want[i], 0.15) << c.sample << i;
  }
}

TEST_F(RunFiles, a_missing_choice_stops_with_its_message_before_anything_is_written) {
  struct Case {
    const char* what;
    void (*set)(RunRequest&, ProjectModel&);
    std::string_view title, text;
  };
  using namespace kalvano::shell;
  const Case cases[] = {
      {"recorded, no period and no file",
       [](RunRequest& r, ProjectModel& m) { r.recordedWeather = true; r.beginText = ""; m.WeatherFileChosen = 0; },
       kPeriodTitle, kPeriodText},
      {"recorded, no end",
       [](RunRequest& r, ProjectModel& m) { r.recordedWeather = true; r.endText = "  "; m.WeatherFileChosen = 1; },
       kPeriodTitle, kPeriodText},
      {"recorded, no file",
       [](RunRequest& r, ProjectModel& m) { r.recordedWeather = true; m.WeatherFileChosen = 0; },
       kWeatherFileTitle, kWeatherFileText},
      {"no week count", [](RunRequest& r, ProjectModel&) { r.weeks = 0; }, kLengthTitle, kLengthText},
      {"generated weather: the period is not tested for emptiness",
       [](RunRequest& r, ProjectModel&) { r.beginText = ""; }, kDatesTitle, kDatesText},
  };
  for (const Case& c : cases) {
    auto m = Sample("SampleProject.inp");
    RunRequest r;
    c.set(r, *m);
    const auto out = PrepareRunFiles(*m, r);
    EXPECT_EQ(out.title, c.title) << c.what;
    EXPECT_EQ(out.text, c.text) << c.what;
    EXPECT_FALSE(base.exists("temp/tavik$.tmp")) << c.what;
  }
  EXPECT_EQ(kWeatherFileText.back(), ' ');
}

TEST_F(RunFiles, a_project_beyond_the_engine_is_refused_naming_each_overflow) {
  auto m = Sample("SampleProject.inp");
  for (int z = 1; z <= 99; ++z) m->ZoneCode[z] = "Z" + std::to_string(z);
  m->ZoneCount = 99;
  for (int id = 1; id <= 21; ++id) m->WinId[id] = " " + std::to_string(id);
  const auto out = PrepareRunFiles(*m, RunRequest{});
  EXPECT_EQ(out.fault, RunFault::Capacity);
  EXPECT_EQ(out.title, kalvano::shell::kCapacityTitle);
  EXPECT_NE(out.text.find("99 zones (at most 98)"), std::string::npos) << out.text;
  EXPECT_NE(out.text.find("21 window types (at most 20)"), std::string::npos) << out.text;
  EXPECT_EQ(out.text.find("wall and roof"), std::string::npos) << out.text;
  EXPECT_FALSE(base.exists("temp/tavik$.inp"));
  EXPECT_FALSE(base.exists("temp/tavik$.tmp"));
}

TEST_F(RunFiles, day_numbers_follow_the_engine_calendar) {
  struct Case {
    const char* what;
    int format;      // 0 generated, 1 TMY2
    bool leapRecord;
    const char* year;
    const char* begin;
    const char* end;
    int beginDay, endDay;  // -1: the date message
  };
  const Case cases[] = {
      {"generated 2024", 0, false, "2024", "1-Jan", "31-Dec", 1, 366},
      {"generated 2023", 0, false, "2023", "1-Mar", "31-Dec", 60, 365},
      {"TMY2 2024 without 29 February", 1, false, "2024", "1-Mar", "31-Dec", 60, 365},
      {"TMY2 2024 with 29 February", 1, true, "2024", "1-Mar", "31-Dec", 61, 366},
      {"29 February of a 28-day February", 0, false, "2023", "29-Feb", "31-Dec", -1, -1},
      {"29 February of a TMY2 year without it", 1, false, "2024", "29-Feb", "31-Dec", -1, -1},
      {"no month", 0, false, "2024", "1-Jan", "31-Foo", -1, -1},
  };
  for (const Case& c : cases) {
    auto m = Sample("SampleProject.inp");
    WriteTmy2(c.leapRecord);
    m->WeatherFileChosen = c.format != 0 ? 1 : 0;
    m->Run.WeatherFormat = static_cast<int16_t>(c.format);
    RunRequest r;
    r.recordedWeather = c.format != 0;
    r.yearText = c.year;
    r.beginText = c.begin;
    r.endText = c.end;
    const auto out = PrepareRunFiles(*m, r);
    if (c.beginDay < 0) {
      EXPECT_EQ(out.fault, RunFault::Dates) << c.what;
      EXPECT_EQ(out.text, kalvano::shell::kDatesText) << c.what;
      continue;
    }
    ASSERT_EQ(out.fault, RunFault::None) << c.what;
    const auto l = Lines("temp/tavik$.tmp");
    EXPECT_EQ(l[3], "Run begin : " + kalvano::model::NumberText(static_cast<float>(c.beginDay))) << c.what;
    EXPECT_EQ(l[4], "Run end   : " + kalvano::model::NumberText(static_cast<float>(c.endDay))) << c.what;
    EXPECT_EQ(l[1].substr(0, 14), c.format ? "Wthr type :  1" : "Wthr type :  0") << c.what;
  }
}

// A period in which the engine simulates no day is refused before anything is written, with
// the reason; the engine's own sampling decides, for the weeks a month chosen. With 1 week a
// month the engine simulates 2, 7, 11 ... 29 July and 2, 6, 10 ... 26 February; with 2 weeks
// 1, 3, 6 ... 30 July; and a run ends after the month whose last computed day lies within one
// weight of its last day (June's 28th, 29th or 30th for 1 July). Skipped months are simulated
// all the same (unoccupied); hourly output and recorded weather simulate every day.
TEST_F(RunFiles, a_period_holding_no_simulated_day_is_refused_before_anything_is_written) {
  using kalvano::shell::kPeriodEndsFirstText;
  using kalvano::shell::kPeriodTitle;
  using kalvano::shell::NoSimulatedDayText;
  struct Case {
    const char* begin;
    const char* end;
    const char* refusedWeeks;  // the weeks a month (of 1 to 4) with which no day is simulated
    bool endsFirst = false;
    bool skipAll = false, hourly = false, recorded = false;
    const char* year = "2026";
  };
  const Case cases[] = {
      {"1-Oct", "15-Jan", "1234", true},
      {"1-Jul", "30-Jun", "1234", true},
      {"1-Dec", "1-Jan", "1234", true},
      {"30-Jun", "1-Jul", "12"},
      {"1-Jul", "1-Jul", "123"},
      {"31-Jan", "1-Feb", "12"},
      {"2-Feb", "2-Feb", "1"},
      {"31-Dec", "31-Dec", "12"},
      {"31-Dec", "31-Dec", "12", false, false, false, false, "2024"},
      // Controls: they run as before.
      {"15-Feb", "20-Nov", ""},
      {"1-Dec", "31-Dec", ""},
      {"15-Feb", "20-Nov", "", false, true},
      {"1-Jul", "1-Jul", "", false, false, true},
      {"1-Jul", "1-Jul", "", false, false, false, true},
      {"1-Oct", "15-Jan", "1234", true, false, false, true},
  };
  for (const Case& c : cases) {
    for (int weeks = 1; weeks <= 4; ++weeks) {
      if (c.recorded && weeks != 4) continue;  // recorded weather fixes 4 weeks a month
      const std::string what = std::string(c.begin) + " to " + c.end + " " + c.year + ", " +
                               std::to_string(weeks) + " weeks" + (c.skipAll ? ", all skipped" : "") +
                               (c.hourly ? ", hourly" : "") + (c.recorded ? ", recorded" : "");
      base.remove("temp/tavik$.inp");
      base.remove("temp/tavik$.tmp");
      auto m = Sample("SampleProject.inp");
      WriteTmy2(false);
      m->WeatherFileChosen = c.recorded ? 1 : 0;
      m->Run.WeatherFormat = c.recorded ? 1 : 0;
      RunRequest r;
      r.recordedWeather = c.recorded;
      r.beginText = c.begin;
      r.endText = c.end;
      r.yearText = c.year;
      r.weeks = weeks;
      r.hourly = c.hourly;
      for (int month = 1; month <= 12; ++month) r.skipped[static_cast<std::size_t>(month)] = c.skipAll;
      const auto out = PrepareRunFiles(*m, r);
      if (std::string_view(c.refusedWeeks).find(static_cast<char>('0' + weeks)) == std::string_view::npos) {
        EXPECT_EQ(out.fault, RunFault::None) << what << ": " << out.text;
        EXPECT_TRUE(base.exists("temp/tavik$.tmp")) << what;
        continue;
      }
      EXPECT_EQ(out.fault, RunFault::Period) << what;
      EXPECT_EQ(out.title, kPeriodTitle) << what;
      EXPECT_EQ(out.text, c.endsFirst ? std::string(kPeriodEndsFirstText) : NoSimulatedDayText(weeks)) << what;
      EXPECT_FALSE(base.exists("temp/tavik$.inp")) << what;
      EXPECT_FALSE(base.exists("temp/tavik$.tmp")) << what;
    }
  }
  EXPECT_EQ(NoSimulatedDayText(2),
            "No simulated day falls in the simulation period with 2 weeks a month: the simulation "
            "then computes 14 days spread over each month, and none of them lies in this period. "
            "Please enter a longer period, or choose more weeks per month.");
  EXPECT_NE(NoSimulatedDayText(1).find(" with 1 week a month: the simulation then computes 7 days "),
            std::string::npos);
}

TEST(RunSeed, a_blank_a_point_and_at_most_eight_digits_never_zero) {
  using kalvano::shell::SeedText;
  struct Case { double draw; const char* want; };
  for (Case c : {Case{0.5, " .5"}, {0.123456789, " .12345678"}, {0.0, " .00000001"},
                 {1e-12, " .00000001"}, {0.999999999, " .99999999"}, {0.00012, " .00012"}}) {
    EXPECT_EQ(SeedText(c.draw), c.want) << c.draw;
  }
}

TEST(RunSeed, the_year_box_takes_a_whole_number_of_the_calendars_years_two_digits_in_the_2000s) {
  using kalvano::shell::RunYear;
  struct Case { const char* text; std::optional<int> year; };
  const Case cases[] = {
      {"98", 2098}, {"5", 2005}, {"00", 2000}, {"1999", 1999}, {" 2026 ", 2026}, {"1901", 1901},
      {"2099", 2099},
      // Refused: no whole number, or a year the calendar does not take.
      {"", std::nullopt}, {"   ", std::nullopt}, {"x", std::nullopt}, {"abc", std::nullopt},
      {"1e11", std::nullopt}, {"40000", std::nullopt}, {"-5", std::nullopt}, {"+2026", std::nullopt},
      {"20.5", std::nullopt}, {"2026abc", std::nullopt}, {"20 26", std::nullopt},
      {"1900", std::nullopt}, {"2100", std::nullopt}, {"0999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RunYear(c.text), c.year) << "[" << c.text << "]";
}

TEST_F(RunFiles, generated_weather_after_a_recorded_file_is_format_0_in_the_model_and_the_files) {
  auto m = Sample("SampleProject.inp");
  WriteTmy2(false);
  m->WeatherFileChosen = 0;
  m->Run.WeatherFormat = 1;  // the picker's choice, left when generated weather was chosen again
  ASSERT_EQ(PrepareRunFiles(*m, RunRequest{}).fault, RunFault::None);
  EXPECT_EQ(m->Run.WeatherFormat, 0);
  EXPECT_EQ(Lines("temp/tavik$.tmp")[1], "Wthr type :  0");
}
