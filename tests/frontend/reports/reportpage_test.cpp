// The report's page module and the echo's page routines that use it alone.
#include "frontend/reports/reportpage.h"

#include <gtest/gtest.h>

#include <string>

#include "echo_fixture.h"
#include "frontend/reports/inputecho.h"

namespace kalvano::reports {
namespace {

TEST(ReportPage, at_column_pads_or_first_ends_a_line_that_already_reaches_it) {
  struct Case {
    const char* before;
    int column;
    const char* bytes;  // ended lines
    const char* line;   // the current line afterwards
  };
  const Case cases[] = {
      {"", 1, "", ""},
      {"", 5, "", "    "},
      {"abc", 5, "", "abc "},
      {"abcd", 5, "", "abcd"},            // the line ends in column 4: column 5 is next
      {"abcde", 5, "abcde\r\n", "    "},  // it reaches column 5: a new line
      {"abcdefgh", 5, "abcdefgh\r\n", "    "},
  };
  for (const Case& c : cases) {
    ReportPage page;
    page.Put(c.before).At(c.column);
    EXPECT_EQ(page.Bytes(), c.bytes) << c.before << " at " << c.column;
    EXPECT_EQ(page.CurrentLine(), c.line) << c.before << " at " << c.column;
  }
}

TEST(ReportPage, masks_right_align_and_never_cut_and_numbers_print_with_their_blanks) {
  struct Case {
    std::string text;
    int width;
    const char* out;
  };
  const Case masks[] = {{"2.5", 6, "   2.5"}, {"", 4, "    "}, {"123456", 4, "123456"},
                        {" 20", 2, " 20"},     {"abcd", 4, "abcd"}};
  for (const Case& c : masks) {
    ReportPage page;
    page.Masked(c.text, c.width);
    EXPECT_EQ(page.CurrentLine(), c.out) << c.text << " in " << c.width;
  }
  ReportPage page;
  page.Number(0.5f).Number(4).Number(-2);
  EXPECT_EQ(page.CurrentLine(), " .5  4 -2 ");
}

TEST(ReportPage, rules_dash_lines_and_form_feeds_are_whole_lines) {
  ReportPage page;
  page.Put("x").Rule().DashLine(2).DashLine(1).DashLine(0).FormFeed();
  const auto lines = test::LinesOf(page.Bytes());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "x");
  EXPECT_EQ(lines[1], std::string(132, '='));
  EXPECT_EQ(lines[2], "    " + std::string(126, '='));
  EXPECT_EQ(lines[3], "    " + std::string(126, '-'));
  EXPECT_EQ(lines[4], "    ");
  EXPECT_EQ(lines[5], "\f");
}

TEST(EchoPages, page_captions_of_pages_3_and_10_end_in_columns_129_and_130) {
  model::ProjectModel m;
  ReportPage page;
  InputEcho echo(m, page, [] { return std::string("09:05:00"); });
  for (int i = 1; i <= 10; ++i) echo.NewPage();
  const auto lines = test::LinesOf(page.Bytes());
  ASSERT_EQ(lines.size(), 20u) << "each caption is followed by a blank line";
  EXPECT_EQ(lines[4], std::string(114, ' ') + "... PAGE  3 ...");
  EXPECT_EQ(lines[4].size(), 129u);
  EXPECT_EQ(lines[18], std::string(114, ' ') + "... PAGE  10 ...");
  EXPECT_EQ(lines[18].size(), 130u);
  EXPECT_EQ(lines[19], "");
  EXPECT_EQ(ReportPageNo(), 10) << "while an echo is written";
}

TEST(EchoPages, page_header_places_the_project_items_and_the_time) {
  model::ProjectModel m;
  m.ProjectData = {"Office", "Caf\xE9", "Small", "Chicago", "Schematic", "1", "2026"};
  m.TodayText = "10 Dec 2026";
  ReportPage page;
  InputEcho(m, page, [] { return std::string("09:05:00"); }).WritePageHeader();
  const auto lines = test::LinesOf(page.Bytes());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "*** PROJECT: Caf\xE9" + std::string(70, ' ') + "LOCATION: Chicago");
  EXPECT_EQ(lines[1].substr(87), "Design Phase: Schematic");
  EXPECT_EQ(lines[2], "    SCHEME: 1" + std::string(21, ' ') + "TYPE: Office" +
                          std::string(13, ' ') + "Weather Year: 2026" + std::string(10, ' ') +
                          "Date of Run: 10 Dec 2026, 09:05:00");
}

TEST(EchoPages, run_header_by_skipped_months_weather_format_and_weeks) {
  struct Case {
    std::vector<std::string> skipped;
    int weatherFormat;
    int weekday;
    std::vector<std::string> tail;  // the lines after "SUMMARY OF SIMULATION PERIOD:" and its blank
  };
  const std::string at50(49, ' ');
  const std::string at30(29, ' ');
  const Case cases[] = {
      {{}, 0, 5,
       {at50 + "Simulation period is: 1-Jan-2026 to 31-Dec-2026.",
        at50 + "Weeks per month simulated will be 4.", "",
        at50 + "Year 2026 begins on Thursday."}},
      {{"July"}, 2, 1,
       {at50 + "This run uses real weather data recorded",
        at50 + "for the period of 1-Jan-2026 to 31-Dec-2026.",
        at50 + "Weeks per month simulated will be 4.", at30 + "Unoccupied months are: July.", "",
        at50 + "Year 2026 begins on Sunday."}},
      {{"June", "July", "August"}, -1, 8,
       {at50 + "Weeks per month simulated will be 4.",
        at30 + "Unoccupied months are: June, July, August.", "", at50 + "Year 2026 begins on ."}},
  };
  for (const Case& c : cases) {
    model::ProjectModel m;
    m.Run.RunPeriod = {"", "1-Jan-2026", "31-Dec-2026"};
    m.Run.AnalysisYear = "2026";
    m.Run.Jan1Weekday = static_cast<int16_t>(c.weekday);
    m.Run.WeatherFormat = static_cast<int16_t>(c.weatherFormat);
    m.Run.SkippedMonthCount = static_cast<int16_t>(c.skipped.size());
    for (std::size_t i = 0; i < c.skipped.size(); ++i) m.Run.SkippedMonths[i + 1] = c.skipped[i];
    ReportPage page;
    InputEcho(m, page, {}).WriteRunHeader();
    const auto lines = test::LinesOf(page.Bytes());
    ASSERT_GE(lines.size(), 5u + c.tail.size());
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], std::string(132, '='));
    EXPECT_EQ(lines[3], at50 + "SUMMARY OF SIMULATION PERIOD:");
    const std::vector<std::string> tail(lines.begin() + 5, lines.end());
    EXPECT_EQ(tail, c.tail) << c.skipped.size() << " skipped, weather " << c.weatherFormat;
  }
}

}  // namespace
}  // namespace kalvano::reports
