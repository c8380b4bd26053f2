// The profile pickers' core without a window: the check of 24 hourly values in both
// variants, the temperature library and its conversion to degrees C, what the temperature
// picker shows when it opens, and the limit of marked profiles per kind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/zones/profilecore.h"

namespace kalvano::zones {
namespace {

// `n` copies of `value`, each preceded by `gap`.
std::string Values(int n, const std::string& value, const std::string& gap = " ") {
  std::string text;
  for (int i = 0; i < n; ++i) text += gap + value;
  return text;
}

struct CheckCase {
  const char* name;
  std::string text;
  bool useProfile;   // valid in the use-profile picker
  bool temperature;  // valid in the temperature picker
};

TEST(ProfileCheck, counts_runs_of_non_blanks_and_takes_a_minus_only_for_set_points) {
  const std::vector<CheckCase> cases{
      {"24 zeros", Values(24, "0"), true, true},
      {"extra blanks between", Values(24, "0", "   "), true, true},
      {"leading and trailing blanks", "    " + Values(24, "0") + "     ", true, true},
      {"first value at the first character", "0" + Values(23, "0"), true, true},
      {"decimals", Values(23, "50") + " 12.5", true, true},
      {"23 values", Values(23, "0"), false, false},
      {"25 values", Values(25, "0"), false, false},
      {"empty", "", false, false},
      {"blanks only", "      ", false, false},
      {"a letter", Values(23, "0") + " a", false, false},
      {"a letter inside a value", Values(23, "0") + " 1x", false, false},
      {"a comma", Values(23, "0") + " 1,5", false, false},
      {"a tab between values", Values(23, "0") + "\t0", false, false},
      {"minus among the values", Values(23, "70") + " -2.5", false, true},
      {"a stray carriage return", Values(24, "0") + "\r", false, false},
  };
  for (const CheckCase& c : cases) {
    EXPECT_EQ(ValidProfileText(c.text, ProfileRule::UseProfile), c.useProfile) << c.name;
    EXPECT_EQ(ValidProfileText(c.text, ProfileRule::Temperature), c.temperature) << c.name;
  }
}

TEST(ProfileCheck, installed_libraries_with_crlf_ends_are_valid_profiles) {
  const std::string dir = std::string(KALVANO_SOURCE_DIR) + "/data/profiles/";
  for (int kind = 1; kind <= 4; ++kind) {
    const std::string file = dir + "bprof" + std::to_string(kind) + ".dat";
    ASSERT_NE(model::ReadWholeFile(file).find("\r\n"), std::string::npos) << file;
    const std::vector<std::string> lines = model::ReadFileLines(file);
    ASSERT_GE(lines.size(), 43u) << file;
    for (std::size_t n = 1; n <= 42; ++n) {
      EXPECT_TRUE(ValidProfileText(lines[n], ProfileRule::UseProfile)) << file << " line " << n + 1;
    }
  }
  model::ProjectModel m;
  m.AppDir = std::string(KALVANO_SOURCE_DIR) + "/data";
  const std::vector<std::string> lines = ReadTemperatureLibrary(m);
  for (std::size_t n = 1; n <= 12; ++n) {
    EXPECT_TRUE(ValidProfileText(lines[n], ProfileRule::Temperature)) << "line " << n + 1;
    EXPECT_TRUE(ValidProfileText(SiTemperatureLine(lines[n]), ProfileRule::Temperature)) << n;
  }
}

TEST(TemperatureLibrary, si_line_rounds_each_set_point_and_pads_it_to_two_characters) {
  struct Case {
    std::string fahrenheit, celsius;
  };
  const std::vector<Case> cases{
      {"32", " 0 "},
      {"33", " 1 "},       //  0.56 rounds to 1
      {"31", "-1 "},       // -0.56 rounds to -1
      {"-40", "-40 "},
      {"113", " 45 "},
      {"  212    50 ", " 100  10 "},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SiTemperatureLine(c.fahrenheit), c.celsius) << c.fahrenheit;
  }
  // 24 values of 70: each " 21" followed by one blank, however the values were spaced.
  std::string expected70;
  for (int i = 0; i < 24; ++i) expected70 += " 21 ";
  EXPECT_EQ(SiTemperatureLine(Values(24, "70")), expected70);
  EXPECT_EQ(SiTemperatureLine(Values(24, "70", "   ") + "  "), expected70);
  // At most 24 values are taken.
  EXPECT_EQ(SiTemperatureLine(Values(24, "70") + " 32 32"), expected70);
}

class TemperatureFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("kalvano_templib_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "profiles");
    m.AppDir = dir_.string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& bytes) const {
    std::ofstream(dir_ / "profiles" / "bprof5.dat", std::ios::binary) << bytes;
  }
  // A header and `n` profile lines, line k holding 24 values 60 + k, ended by CR LF.
  static std::string Library(int n) {
    std::string bytes = "TEMPERATURE PROFILES (F)\r\n";
    for (int k = 1; k <= n; ++k) bytes += Values(24, std::to_string(60 + k)) + "\r\n";
    return bytes;
  }
  std::filesystem::path dir_;
  model::ProjectModel m;
};

TEST_F(TemperatureFolder, library_needs_a_header_and_twelve_profiles) {
  try {
    ReadTemperatureLibrary(m);
    ADD_FAILURE() << "a missing library was read";
  } catch (const model::FileError& e) {
    EXPECT_EQ(e.number(), model::kErrFileNotFound);
  }
  Write(Library(11));
  try {
    ReadTemperatureLibrary(m);
    ADD_FAILURE() << "a library of 12 lines was read";
  } catch (const model::FileError& e) {
    EXPECT_EQ(e.number(), model::kErrPastEndOfFile);
  }
  Write(Library(12) + "a further line\r\n");
  const std::vector<std::string> lines = ReadTemperatureLibrary(m);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[1], Values(24, "61"));
  EXPECT_EQ(lines[12], Values(24, "72"));
}

TEST_F(TemperatureFolder, picker_rows_keep_edited_marked_profiles_and_highlight_the_zones_own) {
  Write(Library(12));
  const std::vector<std::string> library = ReadTemperatureLibrary(m);
  m.CurrentZone = 2;
  m.TempProfNo[3] = " 3";
  m.TempProfile[3] = Values(24, "77");
  m.TempProfNo[7] = " 7";
  m.TempProfile[7] = Values(24, "66");

  // The kind was never edited: every row comes from the library, none highlighted.
  TemperatureRows rows = TemperaturePickerRows(m, library);
  for (int k = 1; k <= 12; ++k) {
    EXPECT_EQ(rows.text[k], library[k]) << k;
    EXPECT_FALSE(rows.yellow[k]) << k;
  }

  // Edited: the marked profiles keep the project's text and are highlighted.
  m.ProfKindEdited[5] = 1;
  rows = TemperaturePickerRows(m, library);
  EXPECT_EQ(rows.text[3], Values(24, "77"));
  EXPECT_EQ(rows.text[7], Values(24, "66"));
  EXPECT_EQ(rows.text[4], library[4]);
  for (int k = 1; k <= 12; ++k) EXPECT_EQ(rows.yellow[k], k == 3 || k == 7) << k;

  // In SI the library rows are converted, the project's texts are not.
  m.UnitSystem = model::kSI;
  rows = TemperaturePickerRows(m, library);
  EXPECT_EQ(rows.text[3], Values(24, "77"));
  EXPECT_EQ(rows.text[9], SiTemperatureLine(library[9]));  // 69 F -> 21 C
  EXPECT_EQ(rows.text[9].substr(0, 8), " 21  21 ");

  // The zone's four set-point profiles; an empty, zero or unknown number highlights nothing.
  m.ProfKindEdited[5] = 0;
  const std::vector<std::pair<std::array<std::string, 4>, std::vector<int>>> zones{
      {{" 1", " 2", " 3", " 4"}, {1, 2, 3, 4}},
      {{"9", "", " 0", " 15"}, {9}},
      {{" 5", " 10", "11", "12"}, {5, 10, 11, 12}},
  };
  for (const auto& [fields, yellow] : zones) {
    for (int s = 0; s < 4; ++s) m.ZoneData[2][16 + s] = fields[static_cast<std::size_t>(s)];
    rows = TemperaturePickerRows(m, library);
    for (int k = 1; k <= 12; ++k) {
      const bool expected = std::find(yellow.begin(), yellow.end(), k) != yellow.end();
      EXPECT_EQ(rows.yellow[k], expected) << fields[0] << " row " << k;
    }
  }
}

TEST(ProfileLimit, a_kind_takes_twenty_marked_profiles) {
  model::ProfileColumn marks;
  for (int k = 1; k <= 19; ++k) marks[k] = " " + std::to_string(k);
  EXPECT_EQ(MarkedProfileCount(marks, 1), 19);
  EXPECT_FALSE(WouldExceedProfileLimit(marks, 1, 30));  // the 20th
  marks[45] = " 45";                                      // counted like the file writer does
  EXPECT_EQ(MarkedProfileCount(marks, 1), 20);
  EXPECT_TRUE(WouldExceedProfileLimit(marks, 1, 30));    // a 21st
  EXPECT_FALSE(WouldExceedProfileLimit(marks, 1, 5));    // marked already
  EXPECT_FALSE(WouldExceedProfileLimit(marks, 1, 45));
  // Temperature profiles beyond 12 are not written, so they do not count.
  EXPECT_EQ(MarkedProfileCount(marks, 5), 12);
  EXPECT_FALSE(WouldExceedProfileLimit(marks, 5, 13));
}

TEST(ProfileMarks, a_used_profile_carries_a_blank_and_its_number) {
  model::ProfileColumn marks;
  marks[7] = " 7";
  marks[8] = "8";
  marks[9] = " 10";
  EXPECT_EQ(ProfileMark(22), " 22");
  EXPECT_TRUE(IsMarked(marks, 7));
  EXPECT_FALSE(IsMarked(marks, 8));
  EXPECT_FALSE(IsMarked(marks, 9));
  EXPECT_FALSE(IsMarked(marks, 0));
  EXPECT_FALSE(IsMarked(marks, 51));
}

}  // namespace
}  // namespace kalvano::zones
