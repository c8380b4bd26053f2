// The record of the current results: what temp/ held when the results were gathered or
// restored, and the pages cut from them since. Bytes that are not the recorded ones, files
// put in their place, and anything never recorded are refused; the same bytes written again
// are the same results.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "frontend/model/file_error.h"
#include "frontend/model/results_record.h"
#include "test_support.h"
#include "whole_report_fixture.h"

namespace kalvano::model::test {
namespace {

namespace fs = std::filesystem;

class ResultsRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.AppDir = base.dir();
    report = WholeReport();
    base.write("temp/tavik$.out", report);
    base.write("temp/tavik$.flt", SectionNineOf(report));
    base.write("temp/tavik$.hry", "hourly energy\r\n");
    base.write("temp/etemp$.hry", "hourly temperatures\r\n");
    base.write("temp/eweth$.hry", "hourly weather\r\n");
  }
  std::string Path(const std::string& name) { return ResultPath(m, name); }
  // How reading `name` as a file of the current results ends: "read", "replaced" or the
  // file error's number.
  std::string Reads(const std::string& name) {
    try {
      ReadResultFile(m, Path(name));
      return "read";
    } catch (const ResultsReplaced&) {
      return "replaced";
    } catch (const FileError& e) {
      return std::to_string(e.number());
    }
  }

  TempBase base;
  ProjectModel m;
  std::string report;
};

TEST_F(ResultsRecordTest, nothing_recorded_is_nothing_to_read) {
  EXPECT_TRUE(m.Results.Empty());
  EXPECT_THROW(ReadCurrentReport(m), ResultsReplaced);
  EXPECT_THROW(CheckResultFile(m, Path("tavik$.flt")), ResultsReplaced);
}

TEST_F(ResultsRecordTest, the_files_of_temp_are_checked_against_what_was_recorded) {
  struct Case {
    const char* what;
    std::function<void()> change;
    std::string file;  // the file read afterwards
    std::string reads;
  };
  const Case cases[] = {
      {"nothing changed", [] {}, "tavik$.out", "read"},
      {"the same bytes written again, later",
       [this] {
         ::usleep(20000);
         base.write("temp/tavik$.flt", SectionNineOf(report));
       },
       "tavik$.flt", "read"},
      {"another run's report of the same size",
       [this] {
         std::string other = report;
         other[other.find("Zone 11")] = 'z';
         base.write("temp/tavik$.out", other);
       },
       "tavik$.out", "replaced"},
      {"one byte more", [this] { base.write("temp/tavik$.out", report + " "); }, "tavik$.out", "replaced"},
      {"the comfort report removed: the file error of a missing file",
       [this] { fs::remove(base.path("temp/tavik$.flt")); }, "tavik$.flt", "53"},
      {"a page never written by this front-end", [this] { base.write("temp/1.txt", "a page"); }, "1.txt", "replaced"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(base.path("temp"));
    fs::create_directory(base.path("temp"));
    SetUp();
    RecordResults(m);
    c.change();
    EXPECT_EQ(Reads(c.file), c.reads);
  }
}

TEST_F(ResultsRecordTest, a_pipe_or_a_folder_in_a_file_s_place_is_refused_without_waiting) {
  RecordResults(m);
  fs::remove(base.path("temp/tavik$.flt"));
  fs::create_directory(base.path("temp/tavik$.flt"));
  EXPECT_THROW(CheckResultFile(m, Path("tavik$.flt")), ResultsReplaced);
  fs::remove(base.path("temp/etemp$.hry"));
  ASSERT_EQ(::mkfifo(base.path("temp/etemp$.hry").c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(MarkOfFile(Path("etemp$.hry")).kind, FileMark::kOther);
  EXPECT_THROW(CheckResultFile(m, Path("etemp$.hry")), ResultsReplaced);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(ResultsRecordTest, files_missing_when_recorded_must_still_be_missing) {
  fs::remove(base.path("temp/tavik$.hry"));
  RecordResults(m);
  EXPECT_NO_THROW(CheckResultFile(m, Path("tavik$.hry")));
  base.write("temp/tavik$.hry", "another run's hours\r\n");
  EXPECT_THROW(CheckResultFile(m, Path("tavik$.hry")), ResultsReplaced);
}

TEST_F(ResultsRecordTest, pages_noted_are_read_until_new_results_are_recorded) {
  RecordResults(m);
  base.write("temp/1.txt", "zone page 1\r\n");
  NoteResultFile(m, Path("1.txt"), "zone page 1\r\n");
  EXPECT_EQ(Reads("1.txt"), "read");
  base.write("temp/1.txt", "another front-end's zone page 1\r\n");
  EXPECT_EQ(Reads("1.txt"), "replaced");
  base.write("temp/1.txt", "zone page 1\r\n");
  EXPECT_EQ(Reads("1.txt"), "read");
  RecordResults(m);  // new results: their pages are cut afresh
  EXPECT_EQ(Reads("1.txt"), "replaced");
}

TEST_F(ResultsRecordTest, the_current_report_must_be_recorded_and_whole) {
  RecordResults(m);
  EXPECT_EQ(ReadCurrentReport(m), report);
  // A report recorded as it was gathered but not whole is the wrong format, named.
  const std::string cut = report.substr(0, report.size() / 2);
  base.write("temp/tavik$.out", cut);
  RecordResults(m);
  try {
    ReadCurrentReport(m);
    FAIL() << "a cut report was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.number(), kErrPastEndOfFile);
    EXPECT_EQ(e.detail(), Path("tavik$.out"));
  }
}

}  // namespace
}  // namespace kalvano::model::test
