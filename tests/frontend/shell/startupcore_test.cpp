// The start-up window's work without a widget: type labels, library profiles, date text and
// the default unit system.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "frontend/model/helpers.h"
#include "frontend/shell/startupcore.h"
#include "shell_test_support.h"
#include "tests/pipe_watchdog.h"

namespace kalvano::shell {
namespace {

using test::BaseFolder;

TEST(BuildTypeLabel, moves_the_two_character_code_to_the_front) {
  const struct {
    const char* firstLine;
    const char* label;
  } cases[] = {
      {"Office building 24", "24 Office building"},
      {"Hospital 15", "15 Hospital"},
      {"X 01", "01 X"},
      {"abc", "bc "},  // three characters: code "bc", name empty
      {"ab", ""},      // too short to hold a code
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildTypeLabel(c.firstLine), c.label) << c.firstLine;
}

TEST(TodayText, writes_day_month_abbreviation_and_year_without_leading_zeros) {
  const struct {
    int y, m, d;
    const char* text;
  } cases[] = {
      {2026, 3, 5, "5 Mar 2026"},
      {2026, 12, 31, "31 Dec 2026"},
      {2027, 1, 1, "1 Jan 2027"},
      {2024, 9, 10, "10 Sep 2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(TodayText(c.y, c.m, c.d), c.text);
}

TEST(UnitsFromDefaultLine, selects_inch_pound_only_for_a_leading_number_of_one) {
  const struct {
    const char* line;
    int units;
  } cases[] = {
      {"1", 1}, {"1.0", 1}, {"1 ", 1}, {" 1", 1}, {"+1", 1}, {"1abc", 1}, {"01", 1},
      {"2", 2}, {"0", 2},   {"abc", 2}, {"", 2},  {"10", 2}, {"-1", 2},   {"1.5", 2},
      {".", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(UnitsFromDefaultLine(c.line), c.units) << c.line;
}

TEST(DefaultUnitsFile, missing_or_empty_file_selects_si_and_a_write_is_one_crlf_line) {
  BaseFolder base;
  const auto file = DefaultUnitsFile(base.dir());
  EXPECT_EQ(ReadDefaultUnits(file), 2);  // no file
  base.write("temp/tavik$.unt", "");
  EXPECT_EQ(ReadDefaultUnits(file), 2);
  base.write("temp/tavik$.unt", "1\r\n");
  EXPECT_EQ(ReadDefaultUnits(file), 1);

  WriteDefaultUnits(file, 2);
  EXPECT_EQ(base.read("temp/tavik$.unt"), "2\r\n");
  WriteDefaultUnits(file, 1);
  EXPECT_EQ(base.read("temp/tavik$.unt"), "1\r\n");

  EXPECT_THROW(WriteDefaultUnits(base.path("missing/tavik$.unt"), 1), model::FileError);
}

// The unit default is one of the program's own files: a named pipe, a link or a folder in its
// place is refused, naming it, and left as it was; nothing waits on the pipe.
TEST(DefaultUnits, anything_but_a_file_in_its_place_is_refused_and_nothing_waits) {
  BaseFolder base;
  const auto file = DefaultUnitsFile(base.dir());
  const std::string path = file.string();
  std::filesystem::create_directories(base.path("scratch"));
  std::filesystem::create_symlink("/dev/null", base.path("scratch/null"));
  struct Case {
    const char* what;
    std::function<void()> make;
    std::string message;
  };
  const std::string remove = ", not a file, where the program keeps a file of its own.  Remove it, then try again.";
  const Case cases[] = {
      {"a named pipe", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, "This name is a named pipe" + remove},
      {"a link to a device", [&] { std::filesystem::create_symlink(base.path("scratch/null"), path); },
       "This name is a symbolic link" + remove},
      {"a folder", [&] { std::filesystem::create_directories(path); },
       "This name is a folder, not a file, where the program keeps a file of its own.  Remove that folder, then "
       "try again."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(path);
    c.make();
    const auto type = std::filesystem::symlink_status(path).type();
    kalvano::test::PipeWatchdog watchdog({path});
    try {
      WriteDefaultUnits(file, 1);
      ADD_FAILURE() << "written";
    } catch (const model::FileError& e) {
      EXPECT_EQ(model::FileErrorBoxText(e), c.message + "\n\n" + path);
    }
    EXPECT_EQ(ReadDefaultUnits(file), 2);
    EXPECT_FALSE(watchdog.Fired()) << "waited on the pipe";
    EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
  }
}

TEST(UnitDefaultQuestion, names_the_clicked_option) {
  EXPECT_EQ(UnitDefaultQuestion(1), "Set I-P Units as the default?");
  EXPECT_EQ(UnitDefaultQuestion(2), "Set SI Units as the default?");
}

TEST(LoadStartupTables, reads_every_type_label_and_library_profile) {
  BaseFolder base;
  StartupTables tables;
  ASSERT_FALSE(LoadStartupTables(base.dir(), tables).has_value());
  EXPECT_EQ(tables.typeNames[0], "01 Building type 1");
  EXPECT_EQ(tables.typeNames[41], "42 Building type 42");
  for (int k = 1; k <= 4; ++k) {
    for (int n : {1, 24, 42}) {
      EXPECT_EQ(tables.profiles[static_cast<std::size_t>(k - 1)][static_cast<std::size_t>(n - 1)],
                BaseFolder::ProfileLine(k, n));
    }
  }
}

TEST(LoadStartupTables, reads_the_installed_data_of_the_base_folder) {
  StartupTables tables;
  const auto fault = LoadStartupTables(KALVANO_BASE_DIR, tables);
  ASSERT_FALSE(fault.has_value()) << fault->file;
  for (int n = 1; n <= kBuildingTypes; ++n) {
    const std::string& label = tables.typeNames[static_cast<std::size_t>(n - 1)];
    const std::string code = (n < 10 ? "0" : "") + std::to_string(n) + " ";
    EXPECT_EQ(label.rfind(code, 0), 0U) << label;
    EXPECT_GT(label.size(), code.size()) << label;
    for (const auto& kind : tables.profiles) {
      EXPECT_FALSE(kind[static_cast<std::size_t>(n - 1)].empty()) << n;
    }
  }
}

TEST(LoadStartupTables, ignores_lines_after_line_43_of_a_profile_library) {
  BaseFolder base;
  std::string lines = base.read("profiles/bprof3.dat") + "extra line\r\nanother\r\n";
  base.write("profiles/bprof3.dat", lines);
  StartupTables tables;
  ASSERT_FALSE(LoadStartupTables(base.dir(), tables).has_value());
  EXPECT_EQ(tables.profiles[2][41], BaseFolder::ProfileLine(3, 42));
}

TEST(LoadStartupTables, reads_lf_only_files_without_keeping_a_carriage_return) {
  BaseFolder base;
  base.write("btype/bdtype7.dat", "Warehouse 07\n");
  base.write("profiles/bprof1.dat", [] {
    std::string lines = "heading\n";
    for (int n = 1; n <= 42; ++n) lines += BaseFolder::ProfileLine(1, n) + "\n";
    return lines;
  }());
  StartupTables tables;
  ASSERT_FALSE(LoadStartupTables(base.dir(), tables).has_value());
  EXPECT_EQ(tables.typeNames[6], "07 Warehouse");
  EXPECT_EQ(tables.profiles[0][41], BaseFolder::ProfileLine(1, 42));
}

TEST(LoadStartupTables, names_the_first_missing_or_short_file) {
  const struct {
    const char* file;
    const char* bytes;  // nullptr: the file is removed
  } cases[] = {
      {"btype/bdtype17.dat", nullptr},
      {"btype/bdtype42.dat", ""},
      {"btype/bdtype3.dat", "ab\r\n"},
      {"profiles/bprof1.dat", nullptr},
      {"profiles/bprof4.dat", "heading only\r\n"},
  };
  for (const auto& c : cases) {
    BaseFolder base;
    if (c.bytes == nullptr) base.remove(c.file);
    else base.write(c.file, c.bytes);
    StartupTables tables;
    const auto fault = LoadStartupTables(base.dir(), tables);
    ASSERT_TRUE(fault.has_value()) << c.file;
    EXPECT_EQ(fault->file, base.path(c.file));
  }
}

TEST(LoadStartupTables, a_library_of_42_lines_is_one_profile_short) {
  BaseFolder base;
  std::string lines = "heading\r\n";
  for (int n = 1; n <= 41; ++n) lines += BaseFolder::ProfileLine(2, n) + "\r\n";
  base.write("profiles/bprof2.dat", lines);
  StartupTables tables;
  const auto fault = LoadStartupTables(base.dir(), tables);
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->file, base.path("profiles/bprof2.dat"));
}

}  // namespace
}  // namespace kalvano::shell
