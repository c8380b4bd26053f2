#include "engine/core/fread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Scan {
  std::vector<double> nums;
  std::vector<std::string> texts;
};

Scan scan(std::string_view line) {
  int32_t nn = -1, nt = -1;
  kv::FreadTexts txt;
  kv::FreadNums num;
  num.fill(99.0);
  kv::FREAD(line, nn, nt, txt, num);
  Scan r;
  for (int i = 1; i <= nn; ++i) r.nums.push_back(num(i));
  for (int i = 1; i <= nt; ++i) r.texts.emplace_back(txt(i).trimmed());
  for (int i = nn + 1; i <= 32; ++i) EXPECT_EQ(num(i), 0.0) << line;
  for (int i = nt + 1; i <= 20; ++i) EXPECT_EQ(txt(i).view(), std::string(42, ' ')) << line;
  return r;
}

struct Case {
  const char* line;
  std::vector<double> nums;
  std::vector<std::string> texts;
};

TEST(Fread, splits_lines_as_the_scanner_rules_say) {
  const Case cases[] = {
      {"", {}, {}},
      {"OA CFM    CP20", {20}, {"OA", "CFM", "CP"}},
      {"Skip month: 1 12", {1, 12}, {"Skip", "month:"}},
      {"5- 3", {5, -3}, {}},
      {"1,5", {15}, {","}},
      {"1\t2", {1, 2}, {}},
      {"'NEW YORK 2' 7", {7}, {"NEW YORK 2"}},
      {"'NEW'YORK", {}, {"NEWYORK"}},
      {"'' 4", {4}, {}},
      {"WINSTON-SALEM", {}, {"WINSTON-SALEM"}},
      {"AB-5", {-5}, {"AB"}},
      {"- AB 5", {-5}, {"AB"}},
      {"-AB 5", {-5}, {"AB"}},
      {"12-5", {12, -5}, {}},
      {"12+5", {12, 5}, {}},
      {"A1B2", {12}, {"AB"}},
      {"1.5E3", {static_cast<double>(1.53f)}, {"E"}},
      {"  -2.5  +3 .25", {-2.5, 3, 0.25}, {}},
      {"1 2\xB0" "3", {1, 2, 3}, {}},
      // A point inside a text does not make the next number a fraction.
      {"Elec. Resistance 1.00  1.5", {1.0, 1.5}, {"Elec", "Resistance"}},
      {"No. 7", {7}, {"No"}},
      // Signs after a text, where the scanner is free to choose: the scan ends sanely.
      {"AB--5", {-5}, {"AB"}},
      {"AB-+5", {5}, {"AB"}},
  };
  for (const auto& c : cases) {
    const Scan r = scan(c.line);
    EXPECT_EQ(r.nums, c.nums) << c.line;
    EXPECT_EQ(r.texts, c.texts) << c.line;
  }
}

TEST(Fread, keeps_single_precision_so_the_seed_has_seven_digits) {
  const Scan r = scan("KAL-VANO   .83774665 4  IP");
  ASSERT_EQ(r.nums.size(), 2u);
  EXPECT_EQ(static_cast<float>(r.nums[0]), 0.8377467f);
  EXPECT_NE(r.nums[0], 0.83774665);
  EXPECT_EQ(r.nums[1], 4.0);
  EXPECT_EQ(r.texts, (std::vector<std::string>{"KAL-VANO", "IP"}));
}

TEST(Fread, drops_what_exceeds_its_limits) {
  std::string line;
  for (int i = 1; i <= 33; ++i) line += std::to_string(i % 10) + " ";
  Scan r = scan(line);
  EXPECT_EQ(r.nums.size(), 32u);
  EXPECT_EQ(r.nums.back(), 2.0);  // the 32nd; the 33rd (3) is lost

  const std::string fifty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwx";
  r = scan(fifty);
  ASSERT_EQ(r.texts.size(), 1u);
  EXPECT_EQ(r.texts[0], fifty.substr(0, 42));

  std::string many;
  for (int i = 0; i < 21; ++i) many += "T ";
  many += "9";
  r = scan(many);
  EXPECT_EQ(r.texts.size(), 20u);
  EXPECT_TRUE(r.nums.empty());  // once a 21st text has begun, no number is stored

  // Only 132 columns count.
  r = scan(std::string(131, ' ') + "12");
  EXPECT_EQ(r.nums, std::vector<double>{1});
}

}  // namespace
