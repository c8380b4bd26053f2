// The restore of a saved output without windows: which names it takes, what it leaves in
// the run folder and the model, and which views it says to show (the menu items themselves
// are tried in viewoutput_menu_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "frontend/model/atomic_file.h"
#include "frontend/model/project_model.h"
#include "frontend/model/results_record.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/viewoutput.h"
#include "../../model/whole_report_fixture.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

TEST(ViewDispatchArgs, the_tabular_viewer_numbers_weather_and_comfort_the_other_way_round) {
  for (int t = 1; t <= 6; ++t) EXPECT_EQ(TabularArgFor(t), t);
  EXPECT_EQ(TabularArgFor(7), 8);
  EXPECT_EQ(TabularArgFor(8), 7);
  EXPECT_EQ(PickerPattern(6), "*.ot*");
  EXPECT_EQ(PickerPattern(12), "*.ot*");
  EXPECT_EQ(PickerPattern(7), "*.fl*");
}

TEST(SavedOutputName, two_characters_and_a_digit_decide_for_each_choice) {
  struct Case {
    int viewChoice;
    const char* typed;
    bool valid;
  };
  for (const Case& c : {Case{12, "trial.ot2", true}, Case{12, "trialot1", true},
                        Case{6, "TRIAL.OT9", true}, Case{10, "trial.ot", false},
                        Case{12, "ab", false}, Case{12, "", false}, Case{12, "ot1", true},
                        Case{12, "trial.fl1", false}, Case{7, "trial.fl1", true},
                        Case{7, "trial.FL3", true}, Case{7, "trial.ot1", false},
                        Case{8, "anything", true}, Case{8, "ab", false}}) {
    EXPECT_EQ(SavedOutputNameValid(c.viewChoice, c.typed), c.valid) << c.viewChoice << " " << c.typed;
  }
}

// A base folder with a current run in temp and an output saved beside it.
class Restore : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kalvano-restore-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "temp");
    fs::create_directories(dir_ / "out");
    m.AppDir = dir_.string();
    Write("temp/tavik$.out", kCurrent);
    Write("temp/tavik$.flt", kCurrentComfort);
    Write("temp/tavik$.hry", "current energy\r\n");
    Write("temp/etemp$.hry", "current temps\r\n");
    Write("temp/eweth$.hry", "current weather\r\n");
    m.Pages.ZonePagesSplit = 1;
    m.Pages.WeatherPagesSplit = 1;
    m.OutputFile = "current.ot1";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& rel, const std::string& bytes) {
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& rel) const {
    std::ifstream in(dir_ / rel, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string Folder() const { return (dir_ / "out").string(); }
  void SaveTrial(const std::string& name, bool hourly) {
    Write("out/" + name, kSaved);
    if (!hourly) return;
    const std::string stem = "out/" + name.substr(0, name.size() - 4) + "-ot" + name.back();
    Write(stem + "-Energy.hry", "saved energy\r\n");
    Write(stem + "-Temp.hry", "saved temps\r\n");
    Write(stem + "-Weth.hry", "saved weather\r\n");
  }

  // Whole reports: the current one in temp, and a saved one of other zones whose section I
  // holds "IX." inside a line.
  static model::test::WholeReportParts Parts(const std::string& one, std::vector<int> zones) {
    model::test::WholeReportParts p;
    p.one = {one, "   IX. not at the start"};
    p.zones = std::move(zones);
    return p;
  }
  static inline const std::string kHead = model::test::Crlf(model::test::ReportHead());
  static inline const std::string kCurrent = model::test::WholeReport(Parts("CURRENT", {11, 12}));
  static inline const std::string kCurrentComfort = model::test::SectionNineOf(kCurrent);
  static inline const std::string kSaved = model::test::WholeReport(Parts("SAVED", {21, 22, 23}));

  fs::path dir_;
  model::ProjectModel m;
};

TEST_F(Restore, a_saved_output_with_hourly_files_becomes_the_current_output) {
  SaveTrial("trial.ot2", true);
  m.ViewChoice = 12;
  m.TableChoice = 3;
  m.GraphChoice = 2;
  const RestoreOutcome out = RestoreSavedOutput(m, Folder(), "trial.ot2");
  ASSERT_EQ(out.status, RestoreOutcome::kRestored);
  EXPECT_EQ(out.path, Folder() + "/trial.ot2");
  EXPECT_EQ(Read("temp/tavik$.out"), kSaved);
  // The comfort report is the report from its "IX." line to its end.
  EXPECT_EQ(Read("temp/tavik$.flt"), kSaved.substr(kSaved.find("\r\nIX.   ") + 2));
  EXPECT_EQ(Read("temp/tavik$.hry"), "saved energy\r\n");
  EXPECT_EQ(Read("temp/etemp$.hry"), "saved temps\r\n");
  EXPECT_EQ(Read("temp/eweth$.hry"), "saved weather\r\n");
  EXPECT_EQ(m.HourlyOutput, 1);
  EXPECT_EQ(m.OutputFile, out.path);
  EXPECT_EQ(m.Pages.ZonePagesSplit, 0);
  EXPECT_EQ(m.Pages.WeatherPagesSplit, 0);
  // A retrieve shows the energy breakdown first.
  EXPECT_EQ(m.TableChoice, 0);
  EXPECT_EQ(m.GraphChoice, 0);
  EXPECT_EQ(out.table, 0);
  EXPECT_EQ(out.chart, 7);
  // The restored output is the current results of this front-end from now on.
  EXPECT_EQ(model::ReadCurrentReport(m), kSaved);
  for (const char* name : {"tavik$.flt", "tavik$.hry", "etemp$.hry", "eweth$.hry"})
    EXPECT_NO_THROW(model::CheckResultFile(m, model::ResultPath(m, name))) << name;
}

TEST_F(Restore, without_its_first_hourly_file_the_output_comes_without_hourly_files) {
  SaveTrial("trial.ot2", true);
  fs::remove(dir_ / "out/trial-ot2-Energy.hry");
  m.ViewChoice = 12;
  m.HourlyOutput = 1;
  ASSERT_EQ(RestoreSavedOutput(m, Folder(), "trial.ot2").status, RestoreOutcome::kRestored);
  EXPECT_EQ(m.HourlyOutput, 0);
  EXPECT_EQ(Read("temp/etemp$.hry"), "current temps\r\n");  // not copied
  EXPECT_EQ(Read("temp/eweth$.hry"), "current weather\r\n");
  EXPECT_EQ(Read("temp/tavik$.out"), kSaved);
}

TEST_F(Restore, the_views_asked_for_are_the_views_shown) {
  struct Case {
    int viewChoice, tableChoice, graphChoice;
    int table, chart;
  };
  for (const Case& c : {Case{6, 3, 0, 3, 0}, Case{10, 0, 2, 0, 2}, Case{6, 2, 2, 2, 2},
                        Case{10, 2, 2, 2, 2}, Case{12, 4, 5, 0, 7}, Case{6, 0, 0, 0, 7}}) {
    SaveTrial("trial.ot1", false);
    m.ViewChoice = static_cast<int16_t>(c.viewChoice);
    m.TableChoice = static_cast<int16_t>(c.tableChoice);
    m.GraphChoice = static_cast<int16_t>(c.graphChoice);
    m.Pages.ZonePagesSplit = 1;
    m.Pages.WeatherPagesSplit = 1;
    const RestoreOutcome out = RestoreSavedOutput(m, Folder(), "trial.ot1");
    ASSERT_EQ(out.status, RestoreOutcome::kRestored);
    // Whatever was asked for, the new report's pages are cut afresh.
    EXPECT_EQ(m.Pages.ZonePagesSplit, 0) << c.viewChoice;
    EXPECT_EQ(m.Pages.WeatherPagesSplit, 0) << c.viewChoice;
    EXPECT_EQ(out.table, c.table) << c.viewChoice << " " << c.tableChoice << " " << c.graphChoice;
    EXPECT_EQ(out.chart, c.chart) << c.viewChoice << " " << c.tableChoice << " " << c.graphChoice;
  }
}

TEST_F(Restore, names_a_restore_refuses_or_finds) {
  SaveTrial("trialot1", false);
  SaveTrial("trial.ot2", true);
  m.ViewChoice = 12;
  // No tag, or too short: refused, nothing changed.
  for (const char* typed : {"trial.ot", "ab", ""}) {
    EXPECT_EQ(RestoreSavedOutput(m, Folder(), typed).status, RestoreOutcome::kNameRefused) << typed;
    EXPECT_EQ(Read("temp/tavik$.out"), kCurrent);
  }
  // Two characters and a digit are enough.
  EXPECT_EQ(RestoreSavedOutput(m, Folder(), "trialot1").status, RestoreOutcome::kRestored);
  // A full path is used as typed, whatever the folder.
  m.ViewChoice = 12;
  const RestoreOutcome full = RestoreSavedOutput(m, "/nowhere", Folder() + "/trial.ot2");
  ASSERT_EQ(full.status, RestoreOutcome::kRestored);
  EXPECT_EQ(full.path, Folder() + "/trial.ot2");
  // The save writes the tag in lower case: "trial.OT2" finds trial.ot2 and its hourly files.
  Write("temp/tavik$.hry", "current energy\r\n");
  m.ViewChoice = 12;
  const RestoreOutcome upper = RestoreSavedOutput(m, Folder(), "trial.OT2");
  ASSERT_EQ(upper.status, RestoreOutcome::kRestored);
  EXPECT_EQ(upper.path, Folder() + "/trial.ot2");
  EXPECT_EQ(m.HourlyOutput, 1);
  EXPECT_EQ(Read("temp/tavik$.hry"), "saved energy\r\n");
  // A name of three characters passes but was never written by a save: it comes without
  // hourly files, and the output saved as "out.ot1" beside the folder keeps its own.
  Write("out/ot1", kSaved);
  Write("out-ot1-Energy.hry", "beside energy\r\n");
  Write("out-ot1-Temp.hry", "beside temps\r\n");
  Write("out-ot1-Weth.hry", "beside weather\r\n");
  Write("temp/tavik$.hry", "current energy\r\n");
  m.ViewChoice = 12;
  ASSERT_EQ(RestoreSavedOutput(m, Folder(), "ot1").status, RestoreOutcome::kRestored);
  EXPECT_EQ(m.HourlyOutput, 0);
  EXPECT_EQ(Read("temp/tavik$.hry"), "current energy\r\n");
}

TEST_F(Restore, a_file_that_is_no_report_or_missing_changes_nothing_in_the_run_folder) {
  Write("out/notes.ot1", "I. something\r\nVIII. but no comfort section\r\n");
  Write("out/empty.ot1", "");
  // Meeting notes with an "IX." line.
  Write("out/meeting.ot1", "Notes of the meeting\r\nIX. Next steps\r\n- the roof\r\n- the boiler\r\n");
  // A report cut before its comfort section, one cut inside it, and one whose head is not the
  // banner.
  const std::size_t nine = kSaved.find("\r\nIX.   ") + 2;
  Write("out/cut.ot1", kSaved.substr(0, nine));
  Write("out/cutnine.ot1", kSaved.substr(0, kSaved.find(" ZONE 22", nine)));
  Write("out/headless.ot1", kSaved.substr(kHead.size()));
  // Every section title, one out of its order.
  std::vector<std::string> lines = model::SplitLines(kSaved);
  const auto title = [&lines](std::string_view begins) {
    return std::find_if(lines.begin(), lines.end(), [begins](const std::string& l) { return l.starts_with(begins); });
  };
  std::iter_swap(title("IV. "), title("V. "));
  Write("out/swapped.ot1", model::test::Crlf(lines));
  // The banner and the section titles alone.
  std::string marks = kHead;
  for (const std::string& line : model::SplitLines(kSaved))
    for (std::string_view title : {"I.", "II.", "III.", "IV. ", "V. ", "VII.", "VIII", "IX."})
      if (line.starts_with(title)) marks += line + "\r\n";
  Write("out/marks.ot1", marks);
  m.ViewChoice = 12;
  m.GraphChoice = 3;
  for (const char* typed : {"notes.ot1", "empty.ot1", "missing.ot1", "meeting.ot1", "cut.ot1",
                            "cutnine.ot1", "headless.ot1", "swapped.ot1", "marks.ot1"}) {
    const RestoreOutcome out = RestoreSavedOutput(m, Folder(), typed);
    ASSERT_EQ(out.status, RestoreOutcome::kFailed) << typed;
    ASSERT_TRUE(out.error.has_value());
    EXPECT_EQ(out.error->number(), std::string(typed) == "missing.ot1" ? model::kErrFileNotFound
                                                                       : model::kErrPastEndOfFile)
        << typed;
    EXPECT_EQ(Read("temp/tavik$.out"), kCurrent);
    EXPECT_EQ(Read("temp/tavik$.flt"), kCurrentComfort);
    EXPECT_EQ(Read("temp/tavik$.hry"), "current energy\r\n");
    EXPECT_EQ(m.OutputFile, "current.ot1");
    EXPECT_EQ(m.Pages.ZonePagesSplit, 1);
    EXPECT_EQ(m.GraphChoice, 3);
  }
}

// A run of another front-end holds the base folder from its first run file to its Review
// Results: a restore then would put a saved report under that run's echo, so it replaces
// nothing until the run has ended.
TEST_F(Restore, while_a_run_holds_the_base_folder_nothing_is_replaced) {
  SaveTrial("trial.ot1", true);
  m.ViewChoice = 12;
  {
    RunFolderLock run;
    ASSERT_TRUE(run.Take((dir_ / "temp").string()));
    const RestoreOutcome out = RestoreSavedOutput(m, Folder(), "trial.ot1");
    EXPECT_EQ(out.status, RestoreOutcome::kRunInProgress);
    EXPECT_EQ(Read("temp/tavik$.out"), kCurrent);
    EXPECT_EQ(Read("temp/tavik$.flt"), kCurrentComfort);
    EXPECT_EQ(Read("temp/tavik$.hry"), "current energy\r\n");
    EXPECT_EQ(m.OutputFile, "current.ot1");
  }
  EXPECT_EQ(RestoreSavedOutput(m, Folder(), "trial.ot1").status, RestoreOutcome::kRestored);
  EXPECT_EQ(Read("temp/tavik$.out"), kSaved);
}

TEST_F(Restore, a_comfort_output_is_named_and_the_comfort_report_rebuilt_from_the_current_report) {
  Write("out/trial.fl1", "comfort saved");
  Write("temp/tavik$.flt", "an older comfort report\r\n");
  model::RecordResults(m);
  m.ViewChoice = 7;
  const RestoreOutcome out = RestoreSavedOutput(m, Folder(), "trial.fl1");
  ASSERT_EQ(out.status, RestoreOutcome::kRestored);
  EXPECT_EQ(m.OutputFile, Folder() + "/trial.fl1");
  EXPECT_EQ(Read("temp/tavik$.out"), kCurrent);
  EXPECT_EQ(Read("temp/tavik$.flt"), kCurrentComfort);
  EXPECT_EQ(out.table + out.chart, 0);
  EXPECT_EQ(m.Pages.ZonePagesSplit, 1);  // the report is the same
  EXPECT_NO_THROW(model::CheckResultFile(m, model::ResultPath(m, "tavik$.flt")));

  // The report in temp is another run's now: the comfort report is not rebuilt from it.
  Write("temp/tavik$.out", kSaved);
  m.OutputFile = "current.ot1";
  EXPECT_EQ(RestoreSavedOutput(m, Folder(), "trial.fl1").status, RestoreOutcome::kReplaced);
  EXPECT_EQ(Read("temp/tavik$.flt"), kCurrentComfort);
  EXPECT_EQ(m.OutputFile, "current.ot1");
}

}  // namespace
}  // namespace kalvano::shell
