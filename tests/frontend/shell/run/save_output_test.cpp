// The save-output dialog: the saved output set under the names the user gives, the name
// check, a failing copy, the way out of the program, a pending run, and Cancel.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/rundispatch.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/run/savedoutput.h"
#include "shell_test_support.h"
#include "../../model/whole_report_fixture.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

class SaveOutputTest : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    model::ProjectModel& m = test::RunnableSample(base, "SampleProject.inp");
    m.ResultsExist = 1;
    m.HourlyOutput = 1;
    m.Run.LastRunType = 3;
    fs::create_directories(base.path("runs.v1"));
    // The results of a run, gathered.
    base.write("temp/tavik$.out", kReport);
    base.write("temp/tavik$.flt", kComfort);
    base.write("temp/tavik$.hry", "ENERGY\r\n");
    base.write("temp/etemp$.hry", "TEMP\r\n");
    base.write("temp/eweth$.hry", "WETH\r\n");
    model::RecordResults(m);
  }
  const std::string kReport = model::test::WholeReport();
  const std::string kComfort = model::test::SectionNineOf(kReport);
  // Opens the dialog on the folder runs.v1 and saves under `typed`.
  saveoutform& SaveAs(const std::string& typed, bool runEnabled = false) {
    saveoutform& dialog = SaveOutputDialog();
    dialog.Open({}, {}, runEnabled);
    dialog.Picker()->SetFolder(base.path("runs.v1").string());
    dialog.outputname()->setText(QString::fromStdString(typed));
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
    return dialog;
  }
  std::string Out(const std::string& name) { return base.read("runs.v1/" + name); }
};

TEST_F(SaveOutputTest, the_names_of_the_set_in_a_folder_whose_name_holds_a_point) {
  struct Case {
    const char* typed;
    std::vector<std::string> written;
  };
  const Case cases[] = {
      {"trial.OT2",
       {"trial.ot2", "trial-ot2.flt", "trial-ot2-Energy.hry", "trial-ot2-Temp.hry", "trial-ot2-Weth.hry"}},
      {"trial.fl3",
       {"trial.ot3", "trial-ot3.flt", "trial-ot3-Energy.hry", "trial-ot3-Temp.hry", "trial-ot3-Weth.hry"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Model().OutputSaved = 0;
    Model().ResultsExist = 1;
    Model().Pages.ZonePagesSplit = 1;
    saveoutform& dialog = SaveAs(c.typed);
    const std::string contents[] = {kReport, kComfort, "ENERGY\r\n", "TEMP\r\n", "WETH\r\n"};
    for (std::size_t i = 0; i < c.written.size(); ++i) EXPECT_EQ(Out(c.written[i]), contents[i]);
    EXPECT_EQ(Model().OutputSaved, 1);
    EXPECT_EQ(Model().OutputFile, base.path("runs.v1").string() + "/" + c.typed);
    EXPECT_EQ(Model().ResultsExist, 0);
    EXPECT_EQ(Model().Pages.ZonePagesSplit, 0) << "the zone pages are cut afresh";
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.outputname()->text().isEmpty());
    EXPECT_TRUE(boxes.asked.empty());
  }
  // Saving again replaces every member; without hourly output only two are written, and the
  // earlier set's hourly copies go, so that they are never taken for this set's.
  model::test::WholeReportParts parts;
  parts.three = {"SECOND"};
  const std::string second = model::test::WholeReport(parts);
  base.write("temp/tavik$.out", second);
  Model().HourlyOutput = 0;
  model::RecordResults(Model());
  SaveAs("trial.ot2");
  EXPECT_EQ(Out("trial.ot2"), second);
  for (const char* hourly : {"trial-ot2-Energy.hry", "trial-ot2-Temp.hry", "trial-ot2-Weth.hry"}) {
    EXPECT_FALSE(base.exists(std::string("runs.v1/") + hourly)) << hourly;
  }
  EXPECT_EQ(Out("trial-ot3-Energy.hry"), "ENERGY\r\n");  // another name's stay
}

TEST_F(SaveOutputTest, a_name_without_an_ot_or_fl_extension_and_a_digit_is_refused) {
  for (const char* typed : {"trial.ot10", "trial.ot", "ab", ""}) {
    SCOPED_TRACE(typed);
    boxes.asked.clear();
    saveoutform& dialog = SaveAs(typed);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, kOutputNameMessage);
    EXPECT_EQ(boxes.asked[0].title, "Error");
    EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.asked[0].beepsBefore, boxes.beeps);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.outputname()->text().isEmpty());
    EXPECT_EQ(Model().OutputSaved, 0);
  }
  EXPECT_TRUE(fs::is_empty(base.path("runs.v1")));
}

TEST_F(SaveOutputTest, a_missing_comfort_report_writes_nothing_and_keeps_the_window) {
  base.remove("temp/tavik$.flt");
  saveoutform& dialog = SaveAs("trial.ot1");
  EXPECT_TRUE(fs::is_empty(base.path("runs.v1")));
  EXPECT_FALSE(base.exists("runs.v1/trial-ot1-Energy.hry"));
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, "Results replaced");
  EXPECT_EQ(Model().OutputSaved, 0);
  // The results are no longer whole in temp: there is nothing left to ask about saving.
  EXPECT_EQ(Model().ResultsExist, 0);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.outputname()->text().toStdString(), base.path("runs.v1/trial.ot1").string());
}

// A name that is, at the end of its links, no regular file (a device, a named pipe), for the
// report or any other member of the set: the save is refused naming the member, nothing of
// the set is written, the node stays as it was, and the window stays open as before a save.
TEST_F(SaveOutputTest, a_set_member_that_is_a_device_or_a_pipe_is_refused_and_left_as_it_was) {
  const bool root = ::geteuid() == 0;
  fs::create_directories(base.path("nodes"));
  if (root) {  // a node of the null device, in the scratch folder
    ASSERT_EQ(::mknod(base.path("nodes/char.dev").c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
  }
  struct Case {
    const char* what;
    const char* node;    // made in runs.v1
    bool device;         // a link to the device node; else a named pipe
  };
  const Case cases[] = {
      {"the report, a link to a device", "z.ot1", true},
      {"the report, a named pipe", "z.ot1", false},
      {"an hourly copy, a named pipe", "z-ot1-Temp.hry", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.device && !root) continue;  // mknod needs root
    const fs::path node = base.path("runs.v1") / c.node;
    if (c.device) {
      fs::create_symlink(base.path("nodes/char.dev"), node);
    } else {
      ASSERT_EQ(::mkfifo(node.c_str(), 0644), 0);
    }
    struct stat before {}, after {};
    ASSERT_EQ(::stat(node.c_str(), &before), 0);
    boxes.asked.clear();
    Model().OutputSaved = 0;
    Model().ResultsExist = 1;
    saveoutform& dialog = SaveAs("z.ot1");
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, std::string(c.device ? "This name is a device" : "This name is a named pipe") +
                                       ", not a file.  Choose another name.\n\n" + node.string());
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPathFileAccess));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Model().OutputSaved, 0);
    EXPECT_EQ(Model().ResultsExist, 1);
    ASSERT_EQ(::stat(node.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_rdev, before.st_rdev);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(c.device, fs::is_symlink(node));
    // Nothing else in the folder: no member, no temporary file.
    std::vector<fs::path> names;
    for (const auto& e : fs::directory_iterator(base.path("runs.v1"))) names.push_back(e.path());
    EXPECT_EQ(names, std::vector<fs::path>{node});
    fs::remove(node);
  }
}

// Two members of the set under one file: the comfort copy (or an hourly copy) a link to the
// report copy, saved again under the same name. Each copy would be written over the other and
// a report lost while the save is told done: the save is refused naming both names, no file
// changes, and the window stays open as before a save.
TEST_F(SaveOutputTest, a_member_linked_to_another_member_is_refused_naming_both) {
  struct Case {
    const char* what;
    const char* link;  // in runs.v1, to z.ot1
  };
  const Case cases[] = {
      {"the comfort copy", "z-ot1.flt"},
      {"an hourly copy", "z-ot1-Weth.hry"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(base.path("runs.v1"));
    fs::create_directories(base.path("runs.v1"));
    base.write("runs.v1/z.ot1", "AN EARLIER REPORT\r\n");
    fs::create_symlink("z.ot1", base.path("runs.v1") / c.link);
    boxes.asked.clear();
    Model().OutputSaved = 0;
    Model().ResultsExist = 1;
    saveoutform& dialog = SaveAs("z.ot1");
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, std::string(model::kSameFileMessage) + "\n\n" +
                                       base.path("runs.v1/z.ot1").string() + "\n" +
                                       (base.path("runs.v1") / c.link).string());
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPathFileAccess));
    EXPECT_EQ(Out("z.ot1"), "AN EARLIER REPORT\r\n");
    EXPECT_TRUE(fs::is_symlink(base.path("runs.v1") / c.link));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(base.path("runs.v1"))) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{c.link, "z.ot1"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Model().OutputSaved, 0);
    EXPECT_EQ(Model().ResultsExist, 1);
    dialog.hide();
  }
}

TEST_F(SaveOutputTest, a_save_on_the_way_out_ends_the_program_after_the_copies) {
  Model().SaveOutOnExit = 1;
  QPointer<saveoutform> dialog = &SaveOutputDialog();
  dialog->Open({}, {}, true);
  EXPECT_FALSE(dialog->nosave()->isEnabled());
  dialog->Picker()->SetFolder(base.path("runs.v1").string());
  dialog->outputname()->setText("last.ot1");
  QTest::keyClick(dialog->outputname(), Qt::Key_Return);
  EXPECT_EQ(Out("last.ot1"), kReport);
  EXPECT_EQ(endRequests, std::vector<int>{0});
  QTest::qWait(20);
  EXPECT_TRUE(dialog.isNull());
}

// Cancel and the window's close box give up the same, and both unload the dialog, however
// often it was opened and left before.
TEST_F(SaveOutputTest, cancel_abandons_the_exit_the_pending_run_and_the_saved_state) {
  const struct {
    const char* way;
    void (*leave)(saveoutform&);
  } ways[] = {
      {"Cancel", [](saveoutform& d) { QTest::mouseClick(d.cancelbuttton(), Qt::LeftButton); }},
      {"the close box",
       [](saveoutform& d) {
         QCloseEvent request;  // as the window system sends it
         QCoreApplication::sendEvent(d.windowHandle(), &request);
       }},
  };
  for (int round = 1; round <= 2; ++round) {
    for (const auto& w : ways) {
      SCOPED_TRACE(std::string(w.way) + ", round " + std::to_string(round));
      Model().SaveOutOnExit = 1;
      Model().OutputSaved = 1;
      Model().RunType = 3;
      QPointer<saveoutform> dialog = &SaveOutputDialog();
      dialog->Open("prompt", {}, true);
      ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.data()));
      QSignalSpy cancelled(dialog.data(), &saveoutform::cancelled);
      w.leave(*dialog);
      EXPECT_EQ(cancelled.count(), 1);
      EXPECT_EQ(Model().SaveOutOnExit, 0);
      EXPECT_EQ(Model().OutputSaved, 0);
      EXPECT_EQ(Model().RunType, 0);
      QTest::qWait(20);
      EXPECT_TRUE(dialog.isNull());
      EXPECT_TRUE(endRequests.empty());
    }
  }
  // A later save does not open the run window unasked.
  SaveAs("later.ot1");
  EXPECT_FALSE(RunWindowLoaded());
}

TEST_F(SaveOutputTest, a_pending_run_goes_on_to_the_run_window) {
  // After the save.
  Model().RunType = 3;
  SaveAs("before.ot1", true);
  EXPECT_TRUE(RunWindowLoaded());
  EXPECT_TRUE(RunWindow().isVisible());
  delete &RunWindow();
  // With Run: nothing is copied and no flag changes.
  Model().ResultsExist = 1;
  Model().OutputSaved = 0;
  saveoutform& dialog = SaveOutputDialog();
  dialog.Open(kSavePreviousResults, "*.ot*", true);
  EXPECT_EQ(dialog.Text1()->toPlainText().toStdString(), kSavePreviousResults);
  ASSERT_TRUE(dialog.nosave()->isEnabled());
  QTest::mouseClick(dialog.nosave(), Qt::LeftButton);
  EXPECT_TRUE(RunWindowLoaded());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(dialog.Text1()->toPlainText().isEmpty());
  EXPECT_EQ(Model().ResultsExist, 1);
  EXPECT_EQ(Model().OutputSaved, 0);
}

TEST_F(SaveOutputTest, the_dispatch_lists_comfort_outputs_after_a_passive_run) {
  base.write("old.ot1", "");
  base.write("old.fl1", "");
  model::ProjectModel& m = Model();
  m.ProjectLoaded = 0;
  m.InputSaved = 0;
  m.OutputSaved = 0;
  m.LastProjectFile = "New_Project";
  struct Case { int lastRun; const char* listed; std::string_view prompt; };
  for (Case c : {Case{4, "old.fl1", kSavePreviousPassive}, {3, "old.ot1", kSavePreviousResults}}) {
    SCOPED_TRACE(c.lastRun);
    m.Run.LastRunType = static_cast<int16_t>(c.lastRun);
    m.ResultsExist = 1;
    boxes.answers = {MsgAnswer::Yes};  // run without saving the input
    MainMenu().runenergy_Click(3);
    saveoutform& dialog = SaveOutputDialog();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.nosave()->isEnabled());
    EXPECT_EQ(dialog.Text1()->toPlainText().toStdString(), c.prompt);
    QListWidget* files = dialog.Picker()->File1();
    ASSERT_EQ(files->count(), 1);
    EXPECT_EQ(files->item(0)->text(), c.listed);
    // The first name: the project's, with ".ot1".
    EXPECT_EQ(dialog.outputname()->text(), "New_Project.ot1");
    dialog.cancelbuttton_Click();
    QTest::qWait(20);
  }
}

}  // namespace
}  // namespace kalvano::shell

namespace kalvano::shell {
namespace {

TEST_F(SaveOutputTest, the_registered_opener_disables_run_for_a_results_window) {
  OpenSaveOutput(1);
  EXPECT_TRUE(SaveOutputDialog().isVisible());
  EXPECT_FALSE(SaveOutputDialog().nosave()->isEnabled());
  OpenSaveOutput(0);
  EXPECT_TRUE(SaveOutputDialog().nosave()->isEnabled());
}

}  // namespace
}  // namespace kalvano::shell
