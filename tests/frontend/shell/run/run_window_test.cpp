// The run window with stand-in engines: starting the engine (mouse and keyboard), its
// progress while the window stays live, each way a run ends, Cancel, Review Results, and the
// run-choice window's hand-over to the run dispatch.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QFontMetrics>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fstream>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/reports/inputecho.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/runoptions.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/widgets.h"
#include "shell_test_support.h"
#include "tests/pipe_watchdog.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

using test::WaitFor;

class RunWindowTest : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    model::ProjectModel& m = test::RunnableSample(base, "SampleProject.inp");
    m.ProjectLoaded = 1;
    m.InputSaved = 1;
    m.StepFlags = {0, 1, 1, 1, 1, 1};
    // The input echo begins the report.
    SetInputEchoWriter([](model::ProjectModel& model) {
      std::ofstream(model.AppDir + "/temp/tavik$.out", std::ios::binary) << "ECHO\r\n";
    });
    InstallEngine("ok");
  }
  void TearDown() override {
    test::StopRunWindowEngine();
    ClearWindowOpeners();
    test::ShellTest::TearDown();
  }
  // Installs the stand-in engine as kvan64 and tells it what to do.
  void InstallEngine(const std::string& mode) {
    fs::copy_file(KALVANO_STANDIN_ENGINE, base.path("kvan64"), fs::copy_options::overwrite_existing);
    base.write("temp/standin.txt", mode + "\n");
  }
  // Opens the run window through the Analysis menu with a run of type `runType`.
  runsim& Open(int runType = 3) {
    MainMenu().runenergy_Click(runType);
    EXPECT_TRUE(RunWindowLoaded());
    return RunWindow();
  }
  // Starts the run with the mouse and waits for its end.
  runsim& RunToEnd(int runType = 3) {
    runsim& w = Open(runType);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&w] { return !w.IsEngineRunning() && !w.Command1()->isEnabled() &&
                                      !w.ProgressBar1()->isVisible(); }));
    QTest::qWait(50);
    return w;
  }
  std::string Status(runsim& w) { return w.runstatus()->text().toStdString(); }
  // Presses Execute Run and waits until the stand-in engine runs: its process id.
  pid_t StartEngine(runsim& w) {
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    if (!WaitFor([this] { return base.read("temp/standin.log").find("pid=") != std::string::npos; })) return -1;
    const std::string log = base.read("temp/standin.log");
    return std::stoi(log.substr(log.find("pid=") + 4));
  }
};

TEST_F(RunWindowTest, execute_run_by_mouse_and_by_keyboard_runs_the_engine_in_temp) {
  for (bool keyboard : {false, true}) {
    SCOPED_TRACE(keyboard ? "keyboard" : "mouse");
    Model().ResultsExist = 0;
    Model().Pages.ZonePagesSplit = 1;
    base.write("temp/1.flt", "old comfort page");
    const fs::path here = fs::current_path();
    runsim& w = Open();
    EXPECT_FALSE(w.ProgressBar1()->isVisible());
    if (keyboard) {
      w.Command1()->setFocus();
      QTest::keyClick(w.Command1(), Qt::Key_Space);
    } else {
      QTest::mouseClick(w.Command1(), Qt::LeftButton);
    }
    ASSERT_TRUE(w.IsEngineRunning());
    EXPECT_TRUE(w.ProgressBar1()->isVisible());
    EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
    EXPECT_NE(Status(w).find("Simulation Started at "), std::string::npos);
    // The window goes on answering events while the engine runs: the progress moves.
    ASSERT_TRUE(WaitFor([&w] { return w.ProgressValue() > 30; }, 5000));
    ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }));
    QTest::qWait(50);
    const std::string status = Status(w);
    EXPECT_EQ(status.rfind("Simulation Completed at ", 0), 0u) << status;
    const std::size_t total = status.find("\nTotal time = ");
    ASSERT_NE(total, std::string::npos) << status;
    EXPECT_EQ(status.substr(status.size() - 5), " Sec.");
    const double seconds = std::stod(status.substr(total + 14));
    EXPECT_GE(seconds, 1.4);
    EXPECT_LT(seconds, 30);
    EXPECT_TRUE(w.Command3()->isEnabled());
    EXPECT_FALSE(w.Command2()->isEnabled());
    EXPECT_FALSE(w.Command1()->isEnabled());
    EXPECT_FALSE(w.ProgressBar1()->isVisible());
    EXPECT_EQ(w.windowModality(), Qt::NonModal);
    // The results exist once Review Results has gathered them.
    EXPECT_EQ(Model().ResultsExist, 0);
    EXPECT_EQ(Model().Pages.ZonePagesSplit, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(base.exists("temp/1.flt"));
    EXPECT_EQ(fs::current_path(), here);
    const std::string log = base.read("temp/standin.log");
    EXPECT_NE(log.find("args=0\n"), std::string::npos) << log;
    EXPECT_NE(log.find("cwd=" + fs::canonical(base.path("temp")).string() + "\n"), std::string::npos)
        << log;
    delete &w;
  }
}

TEST_F(RunWindowTest, every_way_the_engine_stops_is_told_and_gathers_no_results) {
  struct Case {
    const char* mode;
    int runType;
    const char* statusStart;
    const char* statusEnd;
    bool box;      // a "Simulation Error" box
    bool monitor;  // the monitor log in the help viewer
  };
  const Case cases[] = {
      {"exit 1", 3, "Simulation Stopped at ", "\nErrors in the input: see monitor.txt", false, true},
      {"exit 2", 3, "Simulation Stopped at ", "\nThe engine stopped abnormally", true, false},
      {"exit 3", 4, "Simulation Stopped at ", "\nThe engine stopped abnormally", true, false},
      {"exit 4", 3, "Simulation Stopped at ", "\nThe engine stopped abnormally", true, false},
      {"abort", 3, "Simulation Stopped at ", "\nThe engine stopped abnormally", true, false},
      {"noreport", 3, "Simulation Stopped at ", "\nThe engine stopped abnormally", true, false},
      {"silent", 3, "Simulation Stopped at ", "\nThe engine stopped abnormally", true, false},
      {"exit 1", 1, "Error Check Completed at ", " Sec.", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " run type " + std::to_string(c.runType));
    InstallEngine(c.mode);
    // An earlier run's complete report is never taken for this run's.
    base.write("temp/sim$.out", "\f\r\nIII.  MONTHLY SUMMARIES OF AN EARLIER RUN\r\n");
    boxes.asked.clear();
    if (LearningWindow().isVisible()) LearningWindow().hide();
    LearningWindow().setWindowState(Qt::WindowNoState);
    Model().ResultsExist = 1;  // an earlier run's, gone with the new echo
    Model().Run.RunPeriod = {"1-Jan", "31-Dec", ""};
    runsim& w = RunToEnd(c.runType);
    const std::string status = Status(w);
    EXPECT_EQ(status.rfind(c.statusStart, 0), 0u) << status;
    ASSERT_GE(status.size(), std::string(c.statusEnd).size()) << status;
    EXPECT_EQ(status.substr(status.size() - std::string(c.statusEnd).size()), c.statusEnd) << status;
    EXPECT_EQ(status.find("Simulation Completed"), std::string::npos);
    EXPECT_FALSE(w.Command3()->isEnabled());
    EXPECT_TRUE(w.Command2()->isEnabled());
    EXPECT_EQ(Model().ResultsExist, 0);
    EXPECT_EQ(Model().RunType, 0);
    const bool box = !boxes.asked.empty() && boxes.asked.back().title == "Simulation Error";
    EXPECT_EQ(box, c.box);
    if (box) {
      EXPECT_EQ(boxes.asked.back().icon, MsgIcon::Exclamation);
      if (std::string(c.mode) == "abort") {
        EXPECT_NE(boxes.asked.back().text.find("signal"), std::string::npos);
      } else if (std::string(c.mode) == "silent") {
        EXPECT_NE(boxes.asked.back().text.find("ended without writing its report"), std::string::npos);
      } else if (std::string(c.mode) != "noreport") {
        EXPECT_NE(boxes.asked.back().text.find("A STAND-IN FAILURE"), std::string::npos);
      }
    }
    EXPECT_EQ(LearningWindow().isVisible(), c.monitor);
    if (c.monitor) {
      EXPECT_EQ(LearningWindow().windowTitle().toStdString(), "monitor.txt -- " + Model().ProjectFile);
      EXPECT_TRUE(LearningWindow().Text().contains("A STAND-IN FAILURE"));
      // Opened as every other use of the viewer opens it.
      EXPECT_TRUE(LearningWindow().windowState() & Qt::WindowMaximized);
    }
    delete &w;
  }
}

TEST_F(RunWindowTest, cancel_stops_an_engine_that_never_ends) {
  InstallEngine("hang");
  runsim& w = Open();
  const pid_t pid = StartEngine(w);
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(WaitFor([&w] { return w.ProgressValue() > 40; }, 5000));
  ASSERT_TRUE(w.IsEngineRunning());
  QTest::mouseClick(w.Command2(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(Status(w).rfind("Simulation Cancelled at ", 0), 0u) << Status(w);
  EXPECT_TRUE(RunWindowLoaded());  // the window stays; Cancel again leaves it
  EXPECT_FALSE(w.Command3()->isEnabled());
  EXPECT_TRUE(w.Command2()->isEnabled());
  EXPECT_EQ(::kill(pid, 0), -1);  // no process is left behind
  EXPECT_EQ(Model().RunType, 0);
  QTest::mouseClick(w.Command2(), Qt::LeftButton);
  QTest::qWait(20);
  EXPECT_FALSE(RunWindowLoaded());
  EXPECT_TRUE(MainMenu().isVisible());
}

TEST_F(RunWindowTest, the_grace_after_cancel_says_the_engine_is_stopping) {
  InstallEngine("stubborn");
  runsim& w = Open();
  ASSERT_GT(StartEngine(w), 0);
  EXPECT_NE(Status(w).find("Please Stand By"), std::string::npos) << Status(w);
  QTest::mouseClick(w.Command2(), Qt::LeftButton);
  QTest::qWait(200);
  ASSERT_TRUE(w.IsEngineRunning());  // it takes no notice of the request to terminate
  EXPECT_EQ(Status(w).rfind("Stopping the simulation at ", 0), 0u) << Status(w);
  EXPECT_EQ(Status(w).find("Please Stand By"), std::string::npos);
  ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(Status(w).rfind("Simulation Cancelled at ", 0), 0u) << Status(w);
}

TEST_F(RunWindowTest, the_end_of_the_engines_standard_error_is_shown_when_it_fails) {
  InstallEngine("chatter 5");
  runsim& w = RunToEnd();
  ASSERT_FALSE(boxes.asked.empty());
  const std::string& box = boxes.asked.back().text;
  EXPECT_NE(box.find("exit status 5"), std::string::npos) << box;
  EXPECT_NE(box.find("The engine reported:\nkvan64 stand-in: line 193 of its complaint\n"), std::string::npos)
      << box;
  EXPECT_NE(box.find("line 200 of its complaint\n"), std::string::npos) << box;
  EXPECT_EQ(box.find("line 192 of"), std::string::npos) << box;
  delete &w;
  // A completed run shows none.
  InstallEngine("ok");
  boxes.asked.clear();
  runsim& ok = RunToEnd();
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(Status(ok).rfind("Simulation Completed at ", 0), 0u);
}

TEST_F(RunWindowTest, the_programs_end_stops_a_running_engine) {
  InstallEngine("hang");
  runsim& w = Open();
  const pid_t pid = StartEngine(w);
  ASSERT_GT(pid, 0);
  ASSERT_EQ(::kill(pid, 0), 0);
  ResetSession();  // what the program does after its event loop has ended
  EXPECT_NE(::kill(pid, 0), 0);
  // The run's busy pointer goes with the program.
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

TEST_F(RunWindowTest, execute_run_in_a_base_folder_another_run_holds_changes_nothing) {
  RunFolderLock other;  // another front-end's run
  ASSERT_TRUE(other.Take(base.path("temp").string()));
  model::ProjectModel& m = Model();
  m.ResultsExist = 1;  // an earlier run's results, still there
  m.Run.RunPeriod = {"1-Jan", "31-Dec", ""};
  m.HourlyOutput = 0;
  const std::string seedBefore = m.WeatherSeed;
  const int lastRunType = m.Run.LastRunType;
  runsim& w = Open(4);
  w.hourlyoutput()->setChecked(true);
  const QString idle = w.runstatus()->text();
  auto files = [this] {
    std::map<std::string, std::string> held;
    for (const auto& e : fs::directory_iterator(base.path("temp"))) held[e.path().filename()] = base.read("temp/" + e.path().filename().string());
    return held;
  };
  const auto before = files();
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kRunLockedText);
  EXPECT_EQ(boxes.asked[0].title, kRunLockedTitle);
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(files(), before);
  EXPECT_FALSE(w.IsEngineRunning());
  // The window and the model are as they were.
  EXPECT_TRUE(w.Command1()->isEnabled());
  EXPECT_FALSE(w.Command3()->isEnabled());
  EXPECT_TRUE(w.Command2()->isEnabled());
  EXPECT_EQ(w.runstatus()->text().left(idle.size() - 8), idle.left(idle.size() - 8));
  EXPECT_TRUE(w.Timer1()->isActive());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(m.ResultsExist, 1);
  EXPECT_EQ(m.HourlyOutput, 0);
  EXPECT_EQ(m.WeatherSeed, seedBefore);
  EXPECT_EQ(m.Run.LastRunType, lastRunType);
  EXPECT_EQ(m.RunType, 4);
  // Once the other run has ended, Execute Run runs.
  other.Release();
  boxes.asked.clear();
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }));
  QTest::qWait(50);
  EXPECT_EQ(Status(w).rfind("Simulation Completed at ", 0), 0u) << Status(w);
  for (const auto& box : boxes.asked) ADD_FAILURE() << box.title << ": " << box.text;
}

// The base folder is held from Execute Run until the results are appended, or until the run
// ends without them.
TEST_F(RunWindowTest, the_run_holds_its_base_folder_until_its_results_are_appended_or_given_up) {
  auto held = [this] {
    RunFolderLock probe;
    return !probe.Take(base.path("temp").string());
  };
  struct Case {
    const char* what;
    const char* mode;
    std::function<void(runsim&, const test::BaseFolder&)> after;  // what the user does once the engine has ended
    bool heldAfter;
  };
  const Case cases[] = {
      {"completed, waiting for Review Results", "ok", [](runsim&, const test::BaseFolder&) {}, true},
      {"results appended", "ok", [](runsim& w, const test::BaseFolder&) { w.Command3_Click(); }, false},
      {"appending failed", "ok",
       [](runsim& w, const test::BaseFolder& b) {
         b.remove("temp/tavik$.flt");
         w.Command3_Click();
       },
       true},
      {"appending failed, then Cancel", "ok",
       [](runsim& w, const test::BaseFolder& b) {
         b.remove("temp/tavik$.flt");
         w.Command3_Click();
         w.Command2_Click();
       },
       false},
      {"completed, window closed", "ok", [](runsim& w, const test::BaseFolder&) { w.close(); }, false},
      {"the engine failed", "exit 2", [](runsim&, const test::BaseFolder&) {}, false},
      {"the engine crashed", "abort", [](runsim&, const test::BaseFolder&) {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InstallEngine(c.mode);
    Model().InputSaved = 1;  // Review Results clears it; the run window opens at once
    runsim& w = Open();
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    EXPECT_TRUE(held());
    ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }));
    QTest::qWait(50);
    c.after(w, base);
    QTest::qWait(20);
    EXPECT_EQ(held(), c.heldAfter);
    if (RunWindowLoaded()) delete &RunWindow();
    EXPECT_FALSE(held());  // a window taken apart gives the folder up
  }
  // Cancel during the run: held until the engine has ended.
  InstallEngine("stubborn");
  runsim& w = Open();
  ASSERT_GT(StartEngine(w), 0);
  w.Command2_Click();
  EXPECT_TRUE(held());
  ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }, 10000));
  EXPECT_FALSE(held());
  // A check that stops the run before any file is written.
  w.Command2_Click();
  Model().InputSaved = 1;
  runsim& again = Open();
  again.week_Click(3);
  QTest::mouseClick(again.Command1(), Qt::LeftButton);
  EXPECT_FALSE(held());
}

TEST_F(RunWindowTest, an_engine_that_cannot_be_started_is_named) {
  struct Case { const char* what; void (*prepare)(const test::BaseFolder&); };
  const Case cases[] = {
      {"missing", [](const test::BaseFolder& b) { b.remove("kvan64"); }},
      {"not executable",
       [](const test::BaseFolder& b) {
         fs::permissions(b.path("kvan64"), fs::perms::owner_read | fs::perms::owner_write);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InstallEngine("ok");
    c.prepare(base);
    boxes.asked.clear();
    runsim& w = RunToEnd();
    EXPECT_EQ(Status(w), "Simulation Not Started");
    ASSERT_FALSE(boxes.asked.empty());
    EXPECT_EQ(boxes.asked.back().title, "Simulation Error");
    EXPECT_NE(boxes.asked.back().text.find(base.path("kvan64").string()), std::string::npos)
        << boxes.asked.back().text;
    EXPECT_FALSE(w.Command3()->isEnabled());
    EXPECT_EQ(Model().ResultsExist, 0);
    delete &w;
  }
}

// Each refusal before the engine: its message, the pointer restored, nothing started, and
// Execute Run offered again; the box corrected, the next press runs.
TEST_F(RunWindowTest, after_a_refusal_execute_run_runs_the_corrected_choice) {
  struct Case {
    const char* refusal;
    std::string_view title;
    std::function<void(runsim&)> spoil, correct;
  };
  const Case cases[] = {
      {"the year abc", kYearTitle, [](runsim& w) { w.Text1(2)->setText("abc"); },
       [](runsim& w) { w.Text1(2)->setText("2026"); }},
      // Clicking the highlighted count clears it.
      {"no weeks per month", kLengthTitle, [](runsim& w) { w.week_Click(3); },
       [](runsim& w) { w.week_Click(3); }},
      {"a period that is no date", kDatesTitle, [](runsim& w) { w.Text1(0)->setText("32-Jan"); },
       [](runsim& w) { w.Text1(0)->setText("1-Jan"); }},
      {"a period that ends before it begins", kPeriodTitle, [](runsim& w) { w.Text1(1)->setText("15-Jan"); w.Text1(0)->setText("1-Oct"); },
       [](runsim& w) { w.Text1(0)->setText("1-Jan"); }},
      // With 1 week a month the engine simulates 2, 7, 11 ... 29 July, and 1 July ends the run
      // within a weight of 28 June.
      {"a period without a simulated day", kPeriodTitle,
       [](runsim& w) {
         w.week_Click(0);
         w.Text1(0)->setText("1-Jul");
         w.Text1(1)->setText("1-Jul");
       },
       [](runsim& w) { w.week_Click(3); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    boxes.asked.clear();
    boxes.beeps = 0;
    for (const char* file : {"temp/standin.log", "temp/tavik$.tmp", "temp/tavik$.inp"}) base.remove(file);
    runsim& w = Open();
    c.spoil(w);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, c.title);
    EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
    EXPECT_EQ(Status(w), "Simulation Not Started");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(w.IsEngineRunning());
    EXPECT_FALSE(base.exists("temp/standin.log"));
    EXPECT_FALSE(base.exists("temp/tavik$.tmp"));
    EXPECT_FALSE(base.exists("temp/tavik$.inp"));
    EXPECT_FALSE(w.Command3()->isEnabled());
    EXPECT_TRUE(w.Command2()->isEnabled());
    // The run is still pending, and Execute Run takes it again.
    EXPECT_TRUE(w.Command1()->isEnabled());
    EXPECT_EQ(Model().RunType, 3);
    c.correct(w);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning() && !w.ProgressBar1()->isVisible(); }));
    QTest::qWait(50);
    EXPECT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(Status(w).rfind("Simulation Completed at ", 0), 0u) << Status(w);
    EXPECT_NE(base.read("temp/standin.log").find("pid="), std::string::npos);
    EXPECT_EQ(base.read("temp/tavik$.tmp").rfind("Run type  :  3\r\n", 0), 0u);
    EXPECT_EQ(Model().Run.AnalysisYear, "2026");
    EXPECT_FALSE(w.Command1()->isEnabled());
    w.close();
    EXPECT_EQ(Model().RunType, 0);
  }
}

// While a check refuses the run, no start is announced: the status line keeps the time of
// the press until the engine has started.
TEST_F(RunWindowTest, the_status_line_tells_of_a_start_only_once_the_engine_has_started) {
  struct StatusAtBox : test::ScriptedBoxes {
    std::vector<std::string> status;  // the status line while each box was up
    MsgAnswer ask(std::string_view text, std::string_view title, MsgIcon icon, MsgButtons buttons) override {
      status.push_back(RunWindowLoaded() ? RunWindow().runstatus()->text().toStdString() : "");
      return ScriptedBoxes::ask(text, title, icon, buttons);
    }
  };
  struct Case {
    const char* refusal;
    std::string_view title;
    std::function<void(runsim&)> spoil;
  };
  const Case cases[] = {
      {"the year abc", kYearTitle, [](runsim& w) { w.Text1(2)->setText("abc"); }},
      {"a period that ends before it begins", kPeriodTitle, [](runsim& w) { w.Text1(1)->setText("1-Jan"); w.Text1(0)->setText("1-Dec"); }},
      {"no weather file picked", kWeatherFileTitle,
       [](runsim& w) {
         Model().WeatherFileChosen = 0;
         w.weather(1)->setChecked(true);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    StatusAtBox atBox;
    SetMessages(&atBox);
    base.remove("temp/standin.log");
    runsim& w = Open();
    c.spoil(w);
    QTest::mousePress(w.Command1(), Qt::LeftButton);
    EXPECT_EQ(Status(w).rfind(kRunStatusIdle, 0), 0u) << "pressed: " << Status(w);
    QTest::mouseRelease(w.Command1(), Qt::LeftButton);
    SetMessages(&boxes);
    ASSERT_EQ(atBox.asked.size(), 1u);
    EXPECT_EQ(atBox.asked[0].title, c.title);
    EXPECT_EQ(atBox.status[0].rfind(kRunStatusIdle, 0), 0u) << atBox.status[0];
    EXPECT_EQ(atBox.status[0].find("Simulation Started"), std::string::npos) << atBox.status[0];
    EXPECT_FALSE(base.exists("temp/standin.log"));
    delete &w;
  }
  // A run that starts says so while its engine runs.
  InstallEngine("hang");
  runsim& w = Open();
  ASSERT_GT(StartEngine(w), 0);
  EXPECT_EQ(Status(w).rfind("Simulation Started at ", 0), 0u) << Status(w);
  EXPECT_NE(Status(w).find("   Please Stand By"), std::string::npos) << Status(w);
}

// The engine names files in the file system's encoding on its standard error, and its log is
// Latin-1 as every run file: the "Simulation Error" box shows each as it is.
TEST_F(RunWindowTest, the_simulation_error_box_shows_a_folder_name_with_accents_as_it_is) {
  test::BaseFolder named{"gw \xC3\xA9 \xC3\x81 x/base"};  // "gw é Á x/base"
  model::ProjectModel& m = test::RunnableSample(named, "SampleProject.inp");
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  m.StepFlags = {0, 1, 1, 1, 1, 1};
  fs::copy_file(KALVANO_STANDIN_ENGINE, named.path("kvan64"));
  named.write("temp/standin.txt", "named 5\n");
  runsim& w = Open();
  const QString text = test::FirstQtBoxText([&w] {
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    WaitFor([&w] { return !w.IsEngineRunning() && !w.ProgressBar1()->isVisible(); });
  });
  const QString folder = QString::fromUtf8(fs::canonical(named.path("temp")).string());
  EXPECT_TRUE(text.contains("kvan64 stand-in: cannot write " + folder + "/sim$.out")) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("PREPROCESSING ZONE  1  Entrée"))) << text.toStdString();
  EXPECT_TRUE(text.contains("exit status 5")) << text.toStdString();
  delete &w;
}

TEST_F(RunWindowTest, the_window_opens_with_the_last_runs_choices_and_keeps_edits) {
  model::ProjectModel& m = Model();
  m.ResultsExist = 1;
  m.Run.RunPeriod[0] = "15-Oct";
  m.Run.RunPeriod[1] = "30-Nov";
  m.Run.ComfortLower = 70.5f;
  m.Run.ComfortUpper = 77;
  m.WeeksPerMonth = 2;
  runsim& w = Open();
  EXPECT_EQ(w.Text1(0)->text(), "15-Oct");
  EXPECT_EQ(w.Text1(1)->text(), "30-Nov");
  EXPECT_EQ(w.Tlower()->text(), " 70.5");
  EXPECT_EQ(w.Tupper()->text(), " 77");
  EXPECT_TRUE(w.Highlighted(w.week(1)));
  EXPECT_FALSE(w.Highlighted(w.week(3)));
  EXPECT_TRUE(w.weather(0)->isChecked());
  // The recorded-weather picker is not part of the program: the choice is shown disabled.
  EXPECT_TRUE(w.weather(1)->isVisible());
  EXPECT_FALSE(w.weather(1)->isEnabled());
  EXPECT_FALSE(MainMenu().isVisible());
  // An activation (a message box closing in front) keeps an edited design temperature.
  w.destemp(1)->setText("99");
  w.Form_Activate();
  EXPECT_EQ(w.destemp(1)->text(), "99");
  EXPECT_EQ(w.windowTitle().toStdString(), "Run Energy Simulation -- " + m.ProjectFile);
  delete &w;

  RegisterWindowOpener(window::selectweth, [](int) {});
  runsim& again = Open();
  EXPECT_TRUE(again.weather(1)->isEnabled());
}

TEST_F(RunWindowTest, review_results_appends_the_engine_reports_and_opens_the_first_view) {
  struct Case { int runType; const char* opened; };
  for (Case c : {Case{3, "graphs"}, {4, "tabular"}, {3, nullptr}}) {
    SCOPED_TRACE(c.runType);
    ClearWindowOpeners();
    SetInputEchoWriter([](model::ProjectModel& model) {
      std::ofstream(model.AppDir + "/temp/tavik$.out", std::ios::binary) << "ECHO\r\n";
    });
    std::string opened;
    int arg = -1;
    if (c.opened) {
      for (std::string_view name : {window::graphs, window::tabular}) {
        RegisterWindowOpener(name, [&opened, &arg, name](int a) {
          opened = std::string(name);
          arg = a;
        });
      }
    }
    MainMenu().hide();
    Model().OutputSaved = 1;
    Model().InputSaved = 1;
    Model().Pages = {1, 2, 3, 1, 4};  // the last report's pages
    runsim& w = RunToEnd(c.runType);
    ASSERT_TRUE(w.Command3()->isEnabled()) << Status(w);
    // The View Output menu, off before, is on once the results are reviewed.
    qobject_cast<QAction*>(MainMenu().Control(MenuItem::viewmenu))->setEnabled(false);
    QTest::mouseClick(w.Command3(), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_FALSE(RunWindowLoaded());
    EXPECT_TRUE(MainMenu().ControlEnabled(MenuItem::viewmenu));
    EXPECT_EQ(base.read("temp/tavik$.out"),
              "ECHO\r\n\f\r\nIII.  MONTHLY SUMMARIES\r\nrow 1\r\n\f\r\nVIII. WEATHER\r\n"
              "\f\r\nIX.  COMFORT\r\nzone 1\r\n");
    const model::ProjectModel& m = Model();
    EXPECT_EQ(m.OutputSaved, 0);
    EXPECT_EQ(m.ResultsViewable, 1);
    EXPECT_EQ(m.InputSaved, 0);
    EXPECT_EQ(m.RunType, 0);
    EXPECT_EQ(m.ResultsExist, 1);
    EXPECT_EQ(m.LastProjectFile, m.ProjectFile);
    EXPECT_EQ(m.Pages.ZonePagesSplit, 0) << "the new report is cut into pages afresh";
    EXPECT_EQ(m.Pages.WeatherPagesSplit, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (c.opened) {
      EXPECT_EQ(opened, c.opened);
      EXPECT_EQ(arg, 7);
    } else {
      EXPECT_TRUE(MainMenu().isVisible());
    }
  }
}

TEST_F(RunWindowTest, each_run_choice_closes_the_window_and_asks_the_dispatch_once) {
  for (int run : {3, 4}) {
    SCOPED_TRACE(run);
    RunOptions& choice = ShowRunOptions();
    QPointer<RunOptions> alive(&choice);
    Model().InputSaved = 0;
    boxes.asked.clear();
    boxes.answers = {MsgAnswer::No};  // "run without saving?" No: the save-input dialog
    QTest::mouseClick(run == 3 ? choice.Command1() : choice.Command2(), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_TRUE(alive.isNull());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(Model().RunType, run);
    EXPECT_TRUE(SaveDialog().isVisible());
    SaveDialog().hide();
  }
  RunOptions& choice = ShowRunOptions();
  QPointer<RunOptions> alive(&choice);
  EXPECT_EQ(choice.windowTitle(), "Kalvano run Options");
  // Each caption has room in its button: two average characters on either side at least.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&choice));
  for (QPushButton* button : {choice.Command1(), choice.Command2(), choice.Command3()}) {
    const QFontMetrics metrics = button->fontMetrics();
    EXPECT_GE(button->width() - metrics.horizontalAdvance(button->text()), 4 * metrics.averageCharWidth())
        << button->text().toStdString();
  }
  // Step 6 again while it is open shows the one window again.
  choice.hide();
  MainMenu().executerun_Click();
  EXPECT_EQ(&ShowRunOptions(), &choice);
  EXPECT_TRUE(choice.isVisible());
  int windows = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) windows += qobject_cast<RunOptions*>(w) != nullptr ? 1 : 0;
  EXPECT_EQ(windows, 1);
  boxes.asked.clear();
  QTest::mouseClick(choice.Command3(), Qt::LeftButton);
  QTest::qWait(20);
  EXPECT_TRUE(alive.isNull());
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(RunWindowTest, a_zone_without_a_profile_stops_at_the_echo_before_the_engine) {
  SetInputEchoWriter([](model::ProjectModel& model) { model.Run.RunStatus = 5; });
  runsim& w = Open();
  QPointer<runsim> alive(&w);
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  QTest::qWait(50);
  EXPECT_TRUE(alive.isNull());
  EXPECT_FALSE(base.exists("temp/standin.log"));
  EXPECT_TRUE(MainMenu().isVisible());
  EXPECT_EQ(Model().RunType, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RunWindowTest, review_results_without_a_comfort_report_keeps_the_window_for_another_try) {
  runsim& w = RunToEnd();
  ASSERT_TRUE(w.Command3()->isEnabled());
  base.remove("temp/tavik$.flt");
  MainMenu().hide();
  QTest::mouseClick(w.Command3(), Qt::LeftButton);
  QTest::qWait(20);
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_NE(boxes.asked.back().text.find("tavik$.flt"), std::string::npos) << boxes.asked.back().text;
  EXPECT_EQ(base.read("temp/tavik$.out"), "ECHO\r\n");
  EXPECT_EQ(Model().ResultsViewable, 0);
  EXPECT_EQ(Model().ResultsExist, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ASSERT_TRUE(RunWindowLoaded());
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.Command3()->isEnabled());
  // Cancel gives the run up and leads back to the main menu.
  ASSERT_TRUE(w.Command2()->isEnabled());
  QTest::mouseClick(w.Command2(), Qt::LeftButton);
  QTest::qWait(20);
  EXPECT_FALSE(RunWindowLoaded());
  EXPECT_TRUE(MainMenu().isVisible());
  EXPECT_EQ(Model().RunType, 0);
}

TEST_F(RunWindowTest, a_run_waiting_for_the_input_save_goes_on_after_it) {
  Model().InputSaved = 0;
  Model().ResultsExist = 0;
  boxes.answers = {MsgAnswer::No};  // save the input first
  MainMenu().runenergy_Click(4);
  saveinputform& dialog = SaveDialog();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_FALSE(RunWindowLoaded());
  fs::create_directories(base.path("work"));
  dialog.Picker()->SetFolder(base.path("work").string());
  dialog.inputname()->setText("house");
  QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
  EXPECT_TRUE(base.exists("work/house.inp"));
  ASSERT_TRUE(RunWindowLoaded());
  EXPECT_TRUE(RunWindow().isVisible());
  EXPECT_EQ(Model().RunType, 4);
}

TEST_F(RunWindowTest, a_year_the_calendar_does_not_take_is_refused_with_the_windows_own_message) {
  runsim& w = Open();
  w.Text1(2)->setText("40000");
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, kYearTitle);
  EXPECT_EQ(boxes.asked[0].text, kYearText);
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_EQ(Status(w), "Simulation Not Started");
  EXPECT_EQ(w.Text1(2)->text(), "40000");
  EXPECT_FALSE(base.exists("temp/tavik$.inp"));
  EXPECT_FALSE(base.exists("temp/tavik$.tmp"));
  EXPECT_FALSE(base.exists("temp/standin.log"));
  EXPECT_TRUE(w.Command2()->isEnabled());
}

TEST_F(RunWindowTest, only_a_run_whose_engine_starts_takes_a_weather_seed) {
  model::ProjectModel& m = Model();
  const std::string first = SeedText(runsim::SeedDraw());
  // A year refused, then an engine that cannot be started: neither takes the seed.
  runsim& refused = Open();
  refused.Text1(2)->setText("abc");
  QTest::mouseClick(refused.Command1(), Qt::LeftButton);
  ASSERT_EQ(Status(refused), "Simulation Not Started");
  refused.Command2_Click();
  base.remove("kvan64");
  runsim& missing = RunToEnd();
  ASSERT_EQ(Status(missing), "Simulation Not Started");
  missing.Command2_Click();
  EXPECT_EQ(SeedText(runsim::SeedDraw()), first);
  // The first run that starts takes it; the next run the next value of the sequence.
  InstallEngine("ok");
  RunToEnd().close();
  EXPECT_EQ(m.WeatherSeed, first);
  const std::string second = SeedText(runsim::SeedDraw());
  EXPECT_NE(second, first);
  RunToEnd().close();
  EXPECT_EQ(m.WeatherSeed, second);
}

}  // namespace
}  // namespace kalvano::shell

namespace kalvano::shell {
namespace {

// Execute Run writes the run files and the report's echo under fixed names in temp/. Anything
// but a regular file in such a place (a named pipe, a link to a device, a folder) is refused,
// naming it and saying what stands there: nothing waits on it, the engine is not started, the
// run folder's lock is free, and the window is ready for another Execute Run.
TEST_F(RunWindowTest, a_run_file_name_taken_by_no_file_is_refused_naming_it_and_nothing_waits) {
  SetInputEchoWriter([](model::ProjectModel& model) { reports::WriteInputEcho(model, Messages()); });
  base.install("btype/tcool.dat");  // the echo copies it
  fs::create_directories(base.path("scratch"));
  fs::create_symlink("/dev/null", base.path("scratch/null"));
  const std::string remove = ", not a file, where the program keeps a file of its own.  Remove ";
  struct Node {
    const char* what;
    std::function<void(const fs::path&)> make;
    std::string message;
  };
  const Node nodes[] = {
      {"a named pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
       "This name is a named pipe" + remove + "it, then try again."},
      {"a link to a device", [this](const fs::path& p) { fs::create_symlink(base.path("scratch/null"), p); },
       "This name is a symbolic link" + remove + "it, then try again."},
      {"a folder", [](const fs::path& p) { fs::create_directories(p / "inside"); },
       "This name is a folder" + remove + "that folder, then try again."},
  };
  for (const char* name : {"tavik$.inp", "tavik$.tmp", "tavik$.out"}) {
    for (const Node& node : nodes) {
      SCOPED_TRACE(std::string(name) + ", " + node.what);
      const fs::path path = base.path("temp") / name;
      fs::remove_all(path);
      base.remove("temp/standin.log");
      node.make(path);
      const fs::file_type type = fs::symlink_status(path).type();
      boxes.asked.clear();
      runsim& w = Open();
      {
        kalvano::test::PipeWatchdog watchdog({path.string()});
        QTest::mouseClick(w.Command1(), Qt::LeftButton);
        EXPECT_FALSE(watchdog.Fired()) << "Execute Run waited on the pipe";
      }
      ASSERT_EQ(boxes.asked.size(), 1u);
      EXPECT_EQ(boxes.asked[0].text, node.message + "\n\n" + path.string());
      EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPathFileAccess));
      EXPECT_EQ(fs::symlink_status(path).type(), type);
      EXPECT_FALSE(w.IsEngineRunning());
      EXPECT_FALSE(base.exists("temp/standin.log")) << "the engine was started";
      RunFolderLock probe;
      EXPECT_TRUE(probe.Take(base.path("temp").string())) << "the run folder is still held";
      probe.Release();
      EXPECT_EQ(Status(w), "Simulation Not Started");
      EXPECT_EQ(QApplication::overrideCursor(), nullptr);
      EXPECT_TRUE(w.Command1()->isEnabled());
      EXPECT_TRUE(w.Command2()->isEnabled());
      EXPECT_FALSE(w.Command3()->isEnabled());
      w.close();
      fs::remove_all(path);
    }
  }
  // With the names free again, Execute Run runs.
  boxes.asked.clear();
  runsim& w = Open();
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning() && !w.ProgressBar1()->isVisible(); }));
  QTest::qWait(50);
  EXPECT_EQ(Status(w).rfind("Simulation Completed at ", 0), 0u) << Status(w);
  for (const auto& box : boxes.asked) ADD_FAILURE() << box.title << ": " << box.text;
  EXPECT_NE(base.read("temp/tavik$.out").find("SUMMARY OF SIMULATION PERIOD:"), std::string::npos);
}

}  // namespace
}  // namespace kalvano::shell
