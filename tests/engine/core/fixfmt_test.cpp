#include "engine/core/fixfmt.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using kv::Line;

namespace {

struct FCase {
  double v;
  int w, d;
  const char* want;
};

TEST(FixedFormat, F_rounds_places_the_point_and_overflows_to_asterisks) {
  const FCase cases[] = {
      {0.5, 8, 2, "    0.50"},  {0.5, 4, 2, "0.50"},      {0.5, 3, 2, ".50"},
      {-0.5, 4, 2, "-.50"},     {-0.5, 5, 2, "-0.50"},    {3.0, 4, 0, "  3."},
      {2.5, 3, 0, " 3."},       {-2.5, 4, 0, " -3."},     {0.125f, 5, 2, " 0.13"},
      {1.005, 5, 2, " 1.00"},   {123.456, 5, 2, "*****"}, {123.456, 6, 2, "123.46"},
      {-0.001, 6, 2, "  0.00"}, {1e30, 8, 2, "********"}, {12345.0, 6, 0, "12345."},
      {12345.0, 5, 0, "*****"}, {0.0, 5, 1, "  0.0"},     {-1234.5f, 7, 1, "-1234.5"},
      {9.96, 4, 1, "10.0"},     {9.96, 3, 1, "***"},      {72.35f, 6, 1, "  72.3"},
  };
  for (const auto& c : cases) {
    Line ln;
    ln.F(c.v, c.w, c.d);
    EXPECT_EQ(ln.view(), c.want) << c.v << " F" << c.w << "." << c.d;
  }
}

TEST(FixedFormat, I_and_A_align_right_and_overflow) {
  struct ICase {
    std::int64_t v;
    int w;
    const char* want;
  } cases[] = {{5, 3, "  5"}, {-15, 3, "-15"}, {-150, 3, "***"}, {0, 1, "0"}, {123456, 5, "*****"}};
  for (const auto& c : cases) {
    Line ln;
    EXPECT_EQ(ln.I(c.v, c.w).view(), c.want) << c.v;
  }
  Line a;
  EXPECT_EQ(a.A("ABC", 5).view(), "  ABC");
  Line b;
  EXPECT_EQ(b.A("ABCDEF", 3).view(), "ABC");
}

TEST(FixedFormat, T_and_X_position_without_trailing_blanks) {
  Line ln;
  ln.text("AB").T(10).text("C").X(5);
  EXPECT_EQ(ln.view(), "AB       C");
  Line over;
  over.text("ABCDE").T(2).text("x");
  EXPECT_EQ(over.view(), "AxCDE");
  Line gap;
  gap.X(3).I(7, 2).rep('-', 3);
  EXPECT_EQ(gap.view(), "    7---");
}

TEST(FixedFormat, reads_fields_blank_ignoring_with_implied_decimals) {
  EXPECT_EQ(kv::readI("  1 2 ", 1, 6), 12);
  EXPECT_EQ(kv::readI("          ", 1, 10), 0);
  EXPECT_EQ(kv::readI("ab", 5, 10), 0);  // past the end of the line: blanks
  EXPECT_EQ(kv::readI("Run type  : 3", 12, 10), 3);
  EXPECT_EQ(kv::readI(" -42", 1, 4), -42);
  EXPECT_FLOAT_EQ(kv::readF("12345", 1, 5, 2), 123.45f);
  EXPECT_FLOAT_EQ(kv::readF("  1.5", 1, 5, 2), 1.5f);
  EXPECT_FLOAT_EQ(kv::readF(" -3", 1, 3, 1), -0.3f);
  EXPECT_FLOAT_EQ(kv::readF("1.5E3", 1, 5), 1500.0f);
  EXPECT_FLOAT_EQ(kv::readF("  12    ", 1, 10), 12.0f);
  EXPECT_FLOAT_EQ(kv::readF("xx 7 5", 3, 4, 1), 7.5f);
  EXPECT_EQ(kv::readF("0.1", 1, 3), 0.1f);  // correctly rounded to single precision
  EXPECT_THROW(kv::readF("abc", 1, 3), kv::FieldError);
  EXPECT_THROW(kv::readI("1.5", 1, 3), kv::FieldError);
  EXPECT_THROW(kv::readI("7x", 1, 2), kv::FieldError);
}

}  // namespace
