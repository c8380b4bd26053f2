// The run's GUI-free decisions: where a run request leads, what the run window says when
// the engine has ended, how Review Results gathers the reports, and the saved output set.
#include <gtest/gtest.h>

#include <clocale>
#include <csignal>

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/results_record.h"
#include "frontend/model/project_model.h"
#include "frontend/shell/run/reportassembler.h"
#include "frontend/shell/run/rundispatch.h"
#include "frontend/shell/run/runoutcome.h"
#include "frontend/shell/run/savedoutput.h"
#include "shell_test_support.h"
#include "tests/pipe_watchdog.h"

namespace {

using namespace kalvano::shell;
using kalvano::model::ProjectModel;
using test::BaseFolder;
using test::ScriptedBoxes;

// ---------------------------------------------------------------------------------------
// RunDispatch

struct DispatchCase {
  const char* what;
  int resketched, sketchOpen, inputSaved, resultsExist, outputSaved, lastRunType;
  std::vector<MsgAnswer> answers;
  RunStep step;
  bool readHeader;
  const char* pattern;
  std::string_view prompt;
  std::vector<std::string_view> asked;  // texts of the boxes, in order
  int runTypeAfter;                     // -1: the index
};

TEST(RunDispatch, decides_from_the_flags_and_the_answers) {
  const DispatchCase cases[] = {
      {"saved project, unsaved results: the run window at once", 0, 0, 1, 1, 0, 3, {},
       RunStep::RunWindow, false, "", "", {}, -1},
      {"unsaved input, No: the save-input dialog", 0, 0, 0, 0, 0, 0, {MsgAnswer::No},
       RunStep::SaveInput, false, "", "", {kRunWithoutSavingQuestion}, -1},
      {"unsaved input, Yes, no results: header read, run window", 0, 0, 0, 0, 0, 0,
       {MsgAnswer::Yes}, RunStep::RunWindow, true, "", "", {kRunWithoutSavingQuestion}, -1},
      {"unsaved input, Yes, results saved: run window", 0, 0, 0, 1, 1, 3, {MsgAnswer::Yes},
       RunStep::RunWindow, true, "", "", {kRunWithoutSavingQuestion}, -1},
      {"unsaved results of a run with A/C: *.ot*", 0, 0, 0, 1, 0, 3, {MsgAnswer::Yes},
       RunStep::SaveOutput, false, "*.ot*", kSavePreviousResults, {kRunWithoutSavingQuestion}, -1},
      {"unsaved results of a passive run: *.fl*", 0, 0, 0, 1, 0, 4, {MsgAnswer::Yes},
       RunStep::SaveOutput, false, "*.fl*", kSavePreviousPassive, {kRunWithoutSavingQuestion}, -1},
      {"unsaved results of an unknown run type: list and prompt kept", 0, 0, 0, 1, 0, 5,
       {MsgAnswer::Yes}, RunStep::SaveOutput, false, "", "", {kRunWithoutSavingQuestion}, -1},
      {"sketch opened, No: given up, no run pending", 0, 1, 1, 0, 0, 0, {MsgAnswer::No},
       RunStep::Nothing, false, "", "", {kSketchedZonesQuestion}, 0},
      {"sketch opened, Yes: goes on", 0, 2, 0, 0, 0, 0, {MsgAnswer::Yes, MsgAnswer::Yes},
       RunStep::RunWindow, true, "", "", {kSketchedZonesQuestion, kRunWithoutSavingQuestion}, -1},
  };
  for (int index = 1; index <= 4; ++index) {
    for (const DispatchCase& c : cases) {
      ProjectModel m;
      m.Resketched = static_cast<int16_t>(c.resketched);
      m.SketchOpenCount = static_cast<int16_t>(c.sketchOpen);
      m.InputSaved = static_cast<int16_t>(c.inputSaved);
      m.ResultsExist = static_cast<int16_t>(c.resultsExist);
      m.OutputSaved = static_cast<int16_t>(c.outputSaved);
      m.Run.LastRunType = static_cast<int16_t>(c.lastRunType);
      ScriptedBoxes boxes;
      boxes.answers.assign(c.answers.begin(), c.answers.end());
      const RunDecision d = RunDispatch(m, index, boxes);
      EXPECT_EQ(d.step, c.step) << c.what << " index " << index;
      EXPECT_EQ(d.readHeader, c.readHeader) << c.what;
      EXPECT_EQ(d.pattern, c.pattern) << c.what;
      EXPECT_EQ(d.prompt, c.prompt) << c.what;
      ASSERT_EQ(boxes.asked.size(), c.asked.size()) << c.what;
      for (std::size_t i = 0; i < c.asked.size(); ++i) EXPECT_EQ(boxes.asked[i].text, c.asked[i]);
      EXPECT_EQ(m.RunType, c.runTypeAfter < 0 ? index : c.runTypeAfter) << c.what;
    }
  }
}

TEST(RunDispatch, a_resketched_building_refuses_every_index_before_any_question) {
  for (int index = 1; index <= 4; ++index) {
    ProjectModel m;
    m.Resketched = 1;
    m.SketchOpenCount = 1;
    ScriptedBoxes boxes;
    EXPECT_EQ(RunDispatch(m, index, boxes).step, RunStep::Nothing);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              "The building has been re-sketched. Please examine the zone descriptions before "
              "executing.");
    EXPECT_EQ(boxes.asked[0].title, "Error");
    EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.RunType, 0);
  }
}

// ---------------------------------------------------------------------------------------
// RunOutcome

TEST(RunOutcome, elapsed_time_with_the_mask) {
  struct Case { double seconds; const char* want; };
  for (Case c : {Case{0.5, ".5"}, {12, "12."}, {1234.567, "1234.57"}, {1.5, "1.5"},
                 {0.004, "."}, {86399.999, "86400."}, {59.25, "59.25"}}) {
    EXPECT_EQ(ElapsedText(c.seconds), c.want) << c.seconds;
  }
}

TEST(RunOutcome, elapsed_time_keeps_its_point_under_a_comma_locale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
  const std::string twelve = ElapsedText(12), half = ElapsedText(1234.567);
  std::setlocale(LC_ALL, before.c_str());
  EXPECT_EQ(twelve, "12.");
  EXPECT_EQ(half, "1234.57");
}

EngineEnd Ended(EngineEnd::Kind kind, int status = 0, int signal = 0, std::string reason = {}) {
  EngineEnd e;
  e.kind = kind;
  e.status = status;
  e.signal = signal;
  e.reason = std::move(reason);
  return e;
}

TEST(RunOutcome, the_way_the_engine_ended_decides_the_status_line_and_buttons) {
  using Kind = EngineEnd::Kind;
  struct Case {
    const char* what;
    EngineEnd end;
    int runType;
    bool report;  // sim$.out holds section III
    const char* status;
    bool review, cancel, results, monitor, box;
  };
  const Case cases[] = {
      {"completed", Ended(Kind::Exited, 0), 3, true,
       "Simulation Completed at 10:00:00\nTotal time = 1.5 Sec.", true, false, true, false, false},
      {"completed passive", Ended(Kind::Exited, 0), 4, true,
       "Simulation Completed at 10:00:00\nTotal time = 1.5 Sec.", true, false, true, false, false},
      {"status 0 without section III", Ended(Kind::Exited, 0), 3, false,
       "Simulation Stopped at 10:00:00\nThe engine stopped abnormally", false, true, false, false, true},
      {"error check, clean", Ended(Kind::Exited, 0), 1, false,
       "Error Check Completed at 10:00:00\nTotal time = 1.5 Sec.", false, true, false, true, false},
      {"error check with errors", Ended(Kind::Exited, 1), 1, false,
       "Error Check Completed at 10:00:00\nTotal time = 1.5 Sec.", false, true, false, true, false},
      {"input errors", Ended(Kind::Exited, 1), 3, true,
       "Simulation Stopped at 10:00:00\nErrors in the input: see monitor.txt", false, true, false, true, false},
      {"weather status 2", Ended(Kind::Exited, 2), 3, true,
       "Simulation Stopped at 10:00:00\nThe engine stopped abnormally", false, true, false, false, true},
      {"weather status 4", Ended(Kind::Exited, 4), 4, true,
       "Simulation Stopped at 10:00:00\nThe engine stopped abnormally", false, true, false, false, true},
      {"output failure 5", Ended(Kind::Exited, 5), 3, false,
       "Simulation Stopped at 10:00:00\nThe engine stopped abnormally", false, true, false, false, true},
      {"crash", Ended(Kind::Crashed, 0, 6), 3, true,
       "Simulation Stopped at 10:00:00\nThe engine stopped abnormally", false, true, false, false, true},
      {"not started", Ended(Kind::NotStarted, 0, 0, "No such file"), 3, false,
       "Simulation Not Started", false, true, false, false, true},
      {"cancelled", Ended(Kind::Cancelled), 3, true, "Simulation Cancelled at 10:00:00", false, true,
       false, false, false},
  };
  BaseFolder base;
  base.write("temp/monitor.txt", "line 1\r\nline 2\r\n** STOP 2500 unreadable record\r\n");
  for (const Case& c : cases) {
    base.write("temp/sim$.out", c.report ? "\f\r\nIII.  ENERGY ANALYSIS\r\n" : "\f\r\nI.  INPUT\r\n");
    const RunOutcome o =
        DecideRunOutcome(c.end, c.runType, base.path("temp").string(), "10:00:00", 1.5);
    EXPECT_EQ(o.statusLine, c.status) << c.what;
    EXPECT_EQ(o.reviewEnabled, c.review) << c.what;
    EXPECT_EQ(o.cancelEnabled, c.cancel) << c.what;
    EXPECT_EQ(o.resultsExist, c.results) << c.what;
    EXPECT_EQ(o.showMonitor, c.monitor) << c.what;
    EXPECT_EQ(!o.errorText.empty(), c.box) << c.what;
  }
  const RunOutcome status2 = DecideRunOutcome(Ended(Kind::Exited, 2), 3, base.path("temp").string(), "t", 1);
  EXPECT_NE(status2.errorText.find("exit status 2"), std::string::npos) << status2.errorText;
  EXPECT_NE(status2.errorText.find("** STOP 2500 unreadable record"), std::string::npos);
  const RunOutcome crash = DecideRunOutcome(Ended(Kind::Crashed, 0, 6), 3, base.path("temp").string(), "t", 1);
  EXPECT_NE(crash.errorText.find("signal 6"), std::string::npos) << crash.errorText;
  const RunOutcome missing =
      DecideRunOutcome(Ended(Kind::NotStarted, 0, 0, "/b/kvan64: No such file"), 3, "", "t", 1);
  EXPECT_NE(missing.errorText.find("/b/kvan64: No such file"), std::string::npos);
}

// Each abnormal end in a plain sentence: every exit status the engine gives, in the words of
// its documentation, and a stop told apart from a crash.
TEST(RunOutcome, every_abnormal_end_is_told_in_a_plain_sentence) {
  using Kind = EngineEnd::Kind;
  const struct {
    EngineEnd end;
    const char* said;
  } cases[] = {
      {Ended(Kind::Exited, 2),
       "The simulation engine stopped with exit status 2 (an unreadable recorded-weather record)."},
      {Ended(Kind::Exited, 3),
       "The simulation engine stopped with exit status 3 (too many weather-date problems)."},
      {Ended(Kind::Exited, 4),
       "The simulation engine stopped with exit status 4 (the recorded weather file ends before the "
       "analysis period)."},
      {Ended(Kind::Exited, 5),
       "The simulation engine stopped with exit status 5 (an output file could not be written)."},
      {Ended(Kind::Exited, 6),
       "The simulation engine stopped with exit status 6 (a simulated value was not a finite number)."},
      {Ended(Kind::Exited, 7),
       "The simulation engine stopped with exit status 7 (another run is using this base folder)."},
      {Ended(Kind::Exited, 9), "The simulation engine stopped with exit status 9."},
      {Ended(Kind::Exited, 0), "The simulation engine ended without writing its report."},
      {Ended(Kind::Crashed, 0, SIGTERM), "The simulation engine was stopped (signal 15)."},
      {Ended(Kind::Crashed, 0, SIGKILL), "The simulation engine was stopped (signal 9)."},
      {Ended(Kind::Crashed, 0, SIGINT), "The simulation engine was stopped (signal 2)."},
      {Ended(Kind::Crashed, 0, SIGSEGV), "The simulation engine crashed (signal 11)."},
      {Ended(Kind::Crashed, 0, SIGABRT), "The simulation engine crashed (signal 6)."},
      {Ended(Kind::Crashed, 0, SIGBUS), "The simulation engine crashed (signal 7)."},
      {Ended(Kind::Crashed, 0, SIGFPE), "The simulation engine crashed (signal 8)."},
      {Ended(Kind::Crashed, 0, SIGILL), "The simulation engine crashed (signal 4)."},
      {Ended(Kind::Crashed, 0, SIGHUP), "The simulation engine ended on a signal (signal 1)."},
  };
  BaseFolder base;
  base.write("temp/monitor.txt", "last line\r\n");
  for (const auto& c : cases) {
    const RunOutcome o = DecideRunOutcome(c.end, 3, base.path("temp").string(), "t", 1);
    EXPECT_EQ(o.errorText, std::string(c.said) + "\n\nThe last lines of monitor.txt:\nlast line\n");
  }
}

// ---------------------------------------------------------------------------------------
// Review Results' gathering

TEST(ReportAssembler, appends_the_engine_reports_in_order_with_CR_LF) {
  BaseFolder base;
  base.write("temp/tavik$.out", "ECHO\r\n\f\r\n");
  base.write("temp/sim$.out", "III. S1\nS2\n");
  base.write("temp/tavik$.wth", "W\r\n");
  base.write("temp/tavik$.flt", "IX. F");
  AppendEngineReports(base.dir().string());
  EXPECT_EQ(base.read("temp/tavik$.out"), "ECHO\r\n\f\r\nIII. S1\r\nS2\r\nW\r\nIX. F\r\n");
}

TEST(ReportAssembler, a_missing_report_leaves_the_users_report_as_it_was) {
  BaseFolder base;
  base.write("temp/tavik$.out", "ECHO\r\n");
  base.write("temp/sim$.out", "III.\r\n");
  base.write("temp/tavik$.wth", "W\r\n");
  EXPECT_THROW(AppendEngineReports(base.dir().string()), kalvano::model::FileError);
  EXPECT_EQ(base.read("temp/tavik$.out"), "ECHO\r\n");
}

// The program's own files in temp/ are read at names no one chose: a named pipe, a folder or
// a link to a device standing at one of them is refused without waiting, asking the user to
// remove it (not to choose another name), and the files the read would have made stay as they
// were. The readers: Review Results gathering the engine's reports, the charts' read of the
// report, and Save Output copying the hourly files.
TEST(FixedNameReads, anything_but_a_file_at_a_fixed_name_is_refused_asking_to_remove_it) {
  namespace fs = std::filesystem;
  const std::string remove = ", not a file, where the program keeps a file of its own.  Remove it, then try again.";
  struct Node {
    const char* what;
    void (*make)(const BaseFolder&, const fs::path&);
    std::string message;
  };
  const Node nodes[] = {
      {"a named pipe", [](const BaseFolder&, const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
       "This name is a named pipe" + remove},
      {"a folder", [](const BaseFolder&, const fs::path& p) { fs::create_directory(p); },
       "This name is a folder, not a file, where the program keeps a file of its own.  Remove that folder, then "
       "try again."},
      {"a link to a device",
       [](const BaseFolder& base, const fs::path& p) {
         fs::create_directories(base.path("scratch"));
         fs::create_symlink("/dev/null", base.path("scratch/null"));
         fs::create_symlink(base.path("scratch/null"), p);
       },
       "This name is a symbolic link" + remove},
  };
  struct Reader {
    const char* what;
    const char* name;  // the fixed name in temp/
    void (*read)(const BaseFolder&);
  };
  const Reader readers[] = {
      {"Review Results", "sim$.out", [](const BaseFolder& b) { AppendEngineReports(b.dir().string()); }},
      {"the charts", "tavik$.out",
       [](const BaseFolder& b) {
         ProjectModel m;
         m.AppDir = b.dir().string();
         kalvano::model::ReadCurrentReport(m);
       }},
      {"Save Output's hourly files", "etemp$.hry",
       [](const BaseFolder& b) { CopySavedOutput(b.dir().string(), b.path("out/t.ot1").string(), true); }},
  };
  for (const Reader& r : readers) {
    for (const Node& n : nodes) {
      SCOPED_TRACE(std::string(r.what) + ", " + n.what);
      BaseFolder base;
      fs::create_directories(base.path("out"));
      for (const char* name : {"tavik$.out", "sim$.out", "tavik$.wth", "tavik$.flt", "tavik$.hry", "etemp$.hry",
                               "eweth$.hry"}) {
        base.write(std::string("temp/") + name, "III.\r\n");
      }
      const fs::path at = base.path(std::string("temp/") + r.name);
      fs::remove(at);
      n.make(base, at);
      kalvano::test::PipeWatchdog watchdog({at.string()});
      try {
        r.read(base);
        ADD_FAILURE() << "read";
      } catch (const kalvano::model::FileError& e) {
        EXPECT_EQ(e.number(), kalvano::model::kErrPathFileAccess);
        EXPECT_EQ(kalvano::model::FileErrorBoxText(e), n.message + "\n\n" + kalvano::model::BoxName(at.string()));
      }
      EXPECT_FALSE(watchdog.Fired()) << "the read waited on the named pipe";
      if (std::string(r.name) != "tavik$.out") {
        EXPECT_EQ(base.read("temp/tavik$.out"), "III.\r\n");
      }
      EXPECT_TRUE(fs::is_empty(base.path("out")));
    }
  }
}

// ---------------------------------------------------------------------------------------
// SavedOutputSet

TEST(SavedOutputSet, the_name_check) {
  struct Case { const char* typed; bool ok; };
  for (Case c : {Case{"trial.ot1", true}, {"trial.OT2", true}, {"trial.fl3", true},
                 {"trial.FL0", true}, {"trial.Ot1", false}, {"trial.ot10", false},
                 {"trial.ot", false}, {"ab", false}, {"", false}, {".ot1", true},
                 {"trialot1", false}, {"x.txt", false}}) {
    EXPECT_EQ(OutputNameValid(c.typed), c.ok) << c.typed;
  }
}

TEST(SavedOutputSet, names_of_the_members_in_a_folder_whose_name_holds_a_point) {
  const std::string temp = "/b/temp/";
  auto set = SavedOutputSet("/b", "/runs.v1/trial.OT2", true);
  ASSERT_EQ(set.size(), 5u);
  const std::pair<std::string, std::string> want[] = {
      {temp + "tavik$.out", "/runs.v1/trial.ot2"},
      {temp + "tavik$.flt", "/runs.v1/trial-ot2.flt"},
      {temp + "tavik$.hry", "/runs.v1/trial-ot2-Energy.hry"},
      {temp + "etemp$.hry", "/runs.v1/trial-ot2-Temp.hry"},
      {temp + "eweth$.hry", "/runs.v1/trial-ot2-Weth.hry"},
  };
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(set[i].from, want[i].first);
    EXPECT_EQ(set[i].to, want[i].second);
  }
  set = SavedOutputSet("/b", "/runs.v1/trial.fl3", false);
  ASSERT_EQ(set.size(), 2u);
  EXPECT_EQ(set[0].to, "/runs.v1/trial.ot3");
  EXPECT_EQ(set[1].to, "/runs.v1/trial-ot3.flt");
}

// A set saved without hourly files removes the hourly copies an earlier set left under its
// name, files and links only: a named pipe of such a name is no copy, and stays as it was.
TEST(SavedOutputSet, without_hourly_files_the_earlier_copies_go_and_a_pipe_of_their_name_stays) {
  BaseFolder base;
  base.write("temp/tavik$.out", "REPORT\r\n");
  base.write("temp/tavik$.flt", "COMFORT\r\n");
  std::filesystem::create_directories(base.path("out"));
  base.write("out/t-ot1-Energy.hry", "OLD\r\n");
  ASSERT_EQ(::mkfifo(base.path("out/t-ot1-Temp.hry").c_str(), 0644), 0);
  base.write("elsewhere.hry", "KEPT\r\n");
  std::filesystem::create_symlink(base.path("elsewhere.hry"), base.path("out/t-ot1-Weth.hry"));
  CopySavedOutput(base.dir().string(), base.path("out/t.ot1").string(), false);
  EXPECT_EQ(base.read("out/t.ot1"), "REPORT\r\n");
  EXPECT_FALSE(base.exists("out/t-ot1-Energy.hry"));
  EXPECT_EQ(std::filesystem::symlink_status(base.path("out/t-ot1-Temp.hry")).type(),
            std::filesystem::file_type::fifo);
  EXPECT_FALSE(std::filesystem::is_symlink(base.path("out/t-ot1-Weth.hry")));
  EXPECT_EQ(base.read("elsewhere.hry"), "KEPT\r\n");
}

TEST(SavedOutputSet, copies_replace_existing_files_and_a_missing_member_writes_nothing) {
  BaseFolder base;
  base.write("temp/tavik$.out", "REPORT\r\n");
  base.write("temp/tavik$.flt", "COMFORT\r\n");
  std::filesystem::create_directories(base.path("out"));
  base.write("out/t-ot1.flt", "old");
  const std::string target = base.path("out/t.ot1").string();
  CopySavedOutput(base.dir().string(), target, false);
  EXPECT_EQ(base.read("out/t.ot1"), "REPORT\r\n");
  EXPECT_EQ(base.read("out/t-ot1.flt"), "COMFORT\r\n");

  base.remove("temp/tavik$.flt");
  base.write("temp/tavik$.out", "NEW\r\n");
  base.write("out/t.ot1", "EARLIER\r\n");
  try {
    CopySavedOutput(base.dir().string(), target, true);
    ADD_FAILURE() << "saved without its comfort report";
  } catch (const kalvano::model::FileError& e) {
    EXPECT_EQ(e.number(), kalvano::model::kErrFileNotFound);
    EXPECT_EQ(e.detail(), base.path("temp/tavik$.flt").string());
  }
  EXPECT_EQ(base.read("out/t.ot1"), "EARLIER\r\n");
  EXPECT_EQ(base.read("out/t-ot1.flt"), "COMFORT\r\n");
  EXPECT_FALSE(base.exists("out/t-ot1-Energy.hry"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(base.path("out")),
                          std::filesystem::directory_iterator()),
            2);
}

}  // namespace
