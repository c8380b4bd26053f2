#include "frontend/model/helpers.h"
#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"

#include <gtest/gtest.h>

#include <limits>

#include <clocale>
#include <locale>

namespace kalvano::model {
namespace {

struct FloatCase {
  float value;
  const char* text;
};
const FloatCase kFloatCases[] = {
    {150.0f, " 150"},     {0.5f, " .5"},         {12.25f, " 12.25"},   {-0.7f, "-.7"},
    {0.0f, " 0"},         {-0.0f, " 0"},         {0.25f, " .25"},      {3.0f, " 3"},
    {-15.0f, "-15"},      {0.1f, " .1"},         {10763.9f, " 10763.9"}, {1234567.0f, " 1234567"},
    {12345678.0f, " 12345680"}, {0.001f, " .001"}, {2.839f, " 2.839"}, {1.0f / 3.0f, " .3333333"},
    {95.0f, " 95"},       {-40.5f, "-40.5"},     {100000.0f, " 100000"}, {1.5e20f, " 1.5E+20"},
};

struct DoubleCase {
  double value;
  const char* text;
};
const DoubleCase kDoubleCases[] = {
    {45.2, " 45.2"},          {0.5, " .5"},           {10.0, " 10"},
    {(45.0 - 32) / 1.8, " 7.22222222222222"},         {-1.0 / 1.8, "-.555555555555556"},
    {17034.0, " 17034"},      {0.0, " 0"},            {-3.5, "-3.5"},
};

struct ValCase {
  const char* text;
  double value;
};
const ValCase kValCases[] = {
    {"12.5abc", 12.5}, {"  -3", -3},     {"abc", 0},   {"", 0},       {" 1 2", 12},
    {"1e3", 1000},     {".5", 0.5},      {"CP20", 0},  {" 95.2 ", 95.2}, {"-.7 ", -0.7},
    {"+4", 4},         {"7.", 7},        {"1E", 1},    {"-", 0},     {" 10763.9", 10763.9},
};

struct DayCase {
  const char* dayMonth;
  int year;
  int day;
};
const DayCase kDayCases[] = {
    {"1-Jan-", 2005, 1},    {"1-Jan-", 1900, 1},   {"31-Dec-", 2000, 366},
    {"31-Dec-", 1900, 365}, {"15-Oct-", 2005, 288}, {"29-Feb-", 2004, 60},
    {"1-Mar-", 2004, 61},   {"1-mar-", 2005, 60},  {"31-December-", 2001, 365},
};

void checkTables() {
  for (const auto& c : kFloatCases) EXPECT_EQ(NumberText(c.value), c.text) << c.value;
  for (const auto& c : kDoubleCases) EXPECT_EQ(NumberTextDouble(c.value), c.text) << c.value;
  for (const auto& c : kValCases) EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
  for (const auto& c : kDayCases)
    EXPECT_EQ(DayOfYear(c.dayMonth, c.year), c.day) << c.dayMonth << c.year;
  double parsed = 0;
  EXPECT_TRUE(ParseNumber(" 2.5 ", parsed));
  EXPECT_DOUBLE_EQ(parsed, 2.5);
  EXPECT_FALSE(ParseNumber("2,5", parsed));
}

TEST(NumberText, writes_and_reads_numbers_as_the_project_file_does) { checkTables(); }

TEST(NumberText, integer_and_real_forms_keep_sign_position_and_trailing_blank) {
  EXPECT_EQ(IntegerForm(3), " 3 ");
  EXPECT_EQ(IntegerForm(-15), "-15 ");
  EXPECT_EQ(IntegerForm(0), " 0 ");
  EXPECT_EQ(PrintedNumber(0.0f), " 0 ");
  EXPECT_EQ(PrintedNumber(0.25f), " .25 ");
  EXPECT_EQ(PrintedNumber(-0.7f), "-.7 ");
  EXPECT_EQ(RightAlign(" 95", 6), "    95");
  EXPECT_EQ(RightAlign(" 1234567", 6), " 1234567");
}

TEST(NumberText, halves_round_to_the_even_neighbour) {
  EXPECT_EQ(ValRoundEven(" 2.5 "), 2);
  EXPECT_EQ(ValRoundEven("3.5"), 4);
  EXPECT_EQ(ValRoundEven("-2.5"), -2);
  EXPECT_EQ(ValRoundEven(" 4 "), 4);
  EXPECT_EQ(ValRoundEven("2.6"), 3);
}

// Numbers beyond a double are infinite, and a whole number is taken only when a long holds
// it: the conversion is checked before it is made.
TEST(NumberText, out_of_range_values_are_infinite_or_an_overflow) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Val("1e400"), inf);
  EXPECT_EQ(Val("-1e400"), -inf);
  EXPECT_EQ(Val(" 1 5e 999"), inf);  // blanks inside count for nothing
  EXPECT_EQ(Val(std::string(400, '9')), inf);
  EXPECT_EQ(Val("1e-400"), 0.0);
  EXPECT_EQ(Val("0.000e99999"), 0.0);
  EXPECT_EQ(Val("." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(Val("1e300"), 1e300);
  EXPECT_EQ(ValRoundEven("9.2e18"), 9200000000000000000L);
  EXPECT_EQ(ValRoundEven("-9.223372036854775808e18"), std::numeric_limits<long>::min());
  for (const char* text : {"1e300", "-1e300", "9.223372036854775808e18", "1e19", "1e400",
                           "-1e400"}) {
    try {
      ValRoundEven(text);
      ADD_FAILURE() << text << " gave a number";
    } catch (const FileError& e) {
      EXPECT_EQ(e.number(), kErrOverflow) << text;
    }
  }
}

// The user's locale must not change any number in a file: under a German locale (decimal
// comma) every table gives the same results. A machine without that locale fails here.
TEST(NumberText, gives_the_same_results_under_a_german_locale) {
  const char* set = std::setlocale(LC_ALL, "de_DE.UTF-8");
  ASSERT_NE(set, nullptr) << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
  std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
  checkTables();
  std::locale::global(previous);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace kalvano::model
