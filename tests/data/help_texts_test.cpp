// The installed help texts and the weather-format examples: every text a window names is
// there, and each example holds records that the recorded-weather reader takes in its layout.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>

#include "data_files.h"

using namespace kalvano::datatest;

namespace {

TEST(HelpTexts, EveryNamedTextIsInstalledWithCrLfLines) {
  const char* names[] = {"mainhlp1.txt", "mainhlp2.txt", "license.txt", "help1.txt",
                         "help2.txt",    "help3.txt",    "help4.txt",   "help5.txt",
                         "help6.txt",    "help7.txt",    "help8.txt",   "help9.txt",
                         "help10.txt",   "tmy2.txt",     "wyec2.txt",   "iwec.txt",
                         "custom.txt"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    RawLines f = readRaw(dataPath(std::string("helpinfo/") + name));
    ASSERT_TRUE(f.opened);
    EXPECT_TRUE(f.allCrlf);
    EXPECT_GE(f.lines.size(), 5u);
  }
}

// The Learning text describes the runs the program offers: the run-choice window's two
// runs by their captions, and the error check as the Analysis menu's "Error Check Only",
// which the run-choice window does not offer.
TEST(HelpTexts, LearningNamesTheRunsWhereTheProgramOffersThem) {
  RawLines f = readRaw(dataPath("helpinfo/help1.txt"));
  ASSERT_TRUE(f.opened);
  std::string text;
  for (const std::string& line : f.lines) text += line + " ";
  // Words folded to single blanks, so that a caption may be wrapped.
  std::string folded;
  for (char c : text) {
    if (c == ' ' && !folded.empty() && folded.back() == ' ') continue;
    folded += c;
  }
  for (const char* shown : {"\"Run with conventional Heating and Air Conditioning\"",
                            "\"Comfort analysis with no HVAC (Passive Analysis)\"",
                            "Analysis menu", "\"Error Check Only\"", "\"Execute Run\"",
                            "\"Review Results\""}) {
    EXPECT_NE(folded.find(shown), std::string::npos) << shown;
  }
  // The error check is named only together with the menu that offers it.
  std::string lower;
  for (char c : folded) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (std::size_t at = lower.find("error check"); at != std::string::npos; at = lower.find("error check", at + 1)) {
    EXPECT_EQ(folded.compare(at, 16, "Error Check Only"), 0) << folded.substr(at, 40);
  }
}

// The fixed columns of one hourly record (first column of the layout's month field etc.).
struct RecordColumns {
  std::size_t month, day, hour, global, dryBulb, dewPoint, pressure, pressureWidth, wind,
      windWidth;
};

void expectRecords(const std::vector<std::string>& records, const RecordColumns& c) {
  int expectedHour = 1;
  for (const std::string& r : records) {
    SCOPED_TRACE(r);
    EXPECT_EQ(number(cols(r, c.month, 2)), 1.0);
    EXPECT_EQ(number(cols(r, c.day, 2)), 1.0);
    EXPECT_EQ(number(cols(r, c.hour, 2)), expectedHour++);
    auto g = number(cols(r, c.global, 4));
    auto db = number(cols(r, c.dryBulb, 4));
    auto dp = number(cols(r, c.dewPoint, 4));
    auto pb = number(cols(r, c.pressure, c.pressureWidth));
    auto wv = number(cols(r, c.wind, c.windWidth));
    ASSERT_TRUE(g && db && dp && pb && wv);
    EXPECT_GE(*g, 0.0);
    EXPECT_GE(*db, *dp);             // tenths of a degree C
    EXPECT_GT(*db, -500.0);
    EXPECT_LT(*db, 500.0);
    EXPECT_GT(*pb, 800.0);           // mbar, or tenths of a mbar
    EXPECT_GE(*wv, 0.0);
  }
  EXPECT_EQ(expectedHour, 25);
}

TEST(WeatherFormatExamples, Tmy2AndCustomHoldTheSameDayTwoColumnsApart) {
  RawLines tmy2 = readRaw(dataPath("helpinfo/tmy2.txt"));
  RawLines custom = readRaw(dataPath("helpinfo/custom.txt"));
  ASSERT_TRUE(tmy2.opened && custom.opened);
  ASSERT_EQ(tmy2.lines.size(), 25u);
  ASSERT_EQ(custom.lines.size(), 25u);
  // The header in the columns the engine reads for each layout.
  const std::string& h = tmy2.lines[0];
  const std::string& hc = custom.lines[0];
  EXPECT_EQ(cols(h, 2, 5), "12839");
  EXPECT_EQ(cols(hc, 7, 5), "12839");
  EXPECT_EQ(cols(h, 8, 25), cols(hc, 14, 25));
  EXPECT_EQ(number(cols(h, 34, 3)), -5.0);
  EXPECT_EQ(number(cols(hc, 46, 4)), -5.0);
  EXPECT_EQ(cols(h, 38, 1), "N");
  EXPECT_EQ(cols(hc, 54, 1), "N");
  EXPECT_EQ(number(cols(h, 39, 3)), number(cols(hc, 55, 3)));
  EXPECT_EQ(number(cols(h, 42, 3)), number(cols(hc, 58, 3)));
  EXPECT_EQ(cols(h, 46, 1), "W");
  EXPECT_EQ(cols(hc, 62, 1), "W");
  EXPECT_EQ(number(cols(h, 47, 4)), number(cols(hc, 63, 4)));
  EXPECT_EQ(number(cols(h, 51, 3)), number(cols(hc, 67, 3)));
  EXPECT_EQ(number(cols(h, 54, 6)), number(cols(hc, 71, 6)));
  std::vector<std::string> t(tmy2.lines.begin() + 1, tmy2.lines.end());
  std::vector<std::string> c(custom.lines.begin() + 1, custom.lines.end());
  expectRecords(t, {4, 6, 8, 18, 68, 74, 85, 4, 96, 3});
  expectRecords(c, {6, 8, 10, 20, 70, 76, 87, 4, 98, 3});
  for (std::size_t i = 0; i < t.size(); ++i) EXPECT_EQ("  " + t[i], c[i]);
}

TEST(WeatherFormatExamples, Wyec2RecordsInTheWyec2Columns) {
  RawLines f = readRaw(dataPath("helpinfo/wyec2.txt"));
  ASSERT_TRUE(f.opened);
  ASSERT_EQ(f.lines.size(), 24u);
  for (const std::string& r : f.lines) EXPECT_EQ(cols(r, 1, 5), "94792");
  expectRecords(f.lines, {9, 11, 13, 19, 90, 95, 84, 5, 104, 4});
}

// Counts numbers the way the free-format scanner finds them: every run of digits counts,
// even inside a word.
std::size_t scannerNumbers(const std::string& line) {
  std::size_t n = 0;
  bool in = false;
  for (char ch : line) {
    bool digit = std::isdigit(static_cast<unsigned char>(ch)) != 0;
    if (digit && !in) ++n;
    in = digit || (in && ch == '.');
  }
  return n;
}

TEST(WeatherFormatExamples, FreeFormatHeadersHoldFewerThanEightNumbers) {
  RawLines f = readRaw(dataPath("helpinfo/iwec.txt"));
  ASSERT_TRUE(f.opened);
  std::size_t k = 0;
  while (k < f.lines.size() && scannerNumbers(f.lines[k]) < 8) ++k;
  EXPECT_GE(k, 1u);  // at least one header line
  ASSERT_EQ(f.lines.size() - k, 24u);
  int hour = 1;
  for (; k < f.lines.size(); ++k) {
    std::vector<double> v = numbersOf(f.lines[k]);
    ASSERT_EQ(v.size(), 8u) << f.lines[k];
    double h = v[3] >= 100 ? std::floor(v[3] / 100) : v[3];
    EXPECT_EQ(h, hour++);
    EXPECT_GE(v[4], v[5]);  // dry bulb not below dew point, F
    EXPECT_GE(v[6], 0.0);
  }
}

}  // namespace
