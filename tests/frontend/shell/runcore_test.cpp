#include "frontend/shell/runcore.h"

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
  for (Case c : {Case{1980, 3}, {2000, 7}, {2001, 2}, {2005, 7}, {2026, 5}, {1979, 2}, {1978, 1}})
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
