// No way along the run road ends without a window: the run window hides the main menu, and
// every way out of it and of the result windows it leads to (the close box after any ending
// of a run and during one, a result reader that refuses, the result windows' own close
// boxes and buttons) ends with the main menu shown and usable. The real windows and readers,
// with a stand-in engine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "chart_report_builder.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/warning.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;
using shell::MsgAnswer;
using shell::test::WaitFor;

// A report that every chart reader and extract reads: the echo's part as the charts need
// it. `withRoof` false leaves out the load table, `withDesign` false section IV's title.
std::string ReadableReport(bool withRoof = true, bool withDesign = true) {
  ChartReport r = ReadableYear();
  r.roof = withRoof;
  std::string bytes = r.bytes();
  if (!withDesign) bytes.erase(bytes.find("IV. "), bytes.find("\r\n", bytes.find("IV. ")) + 2 - bytes.find("IV. "));
  return bytes;
}

class RunRoadWindows : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
    m.ProjectLoaded = 1;
    m.InputSaved = 1;
    m.StepFlags = {0, 1, 1, 1, 1, 1};
    // The result windows, as the program registers them.
    shell::RegisterWindowOpener(shell::window::tabular, &OpenTabularViewer);
    shell::RegisterWindowOpener(shell::window::graphs, [](int chart) { return ShowChart(chart); });
    shell::RegisterWindowOpener(shell::window::saveoutput, &shell::OpenSaveOutput);
  }
  void TearDown() override {
    if (shell::RunWindowLoaded() && shell::RunWindow().IsEngineRunning()) {
      shell::RunWindow().Command2_Click();
      WaitFor([] { return !shell::RunWindow().IsEngineRunning(); });
    }
    if (shell::RunWindowLoaded()) delete &shell::RunWindow();
    ReportsTest::TearDown();
  }

  // The echo begins the report with `bytes`.
  void Echo(std::string bytes) {
    shell::SetInputEchoWriter([bytes](model::ProjectModel& model) {
      std::ofstream(model.AppDir + "/temp/tavik$.out", std::ios::binary) << bytes;
    });
  }
  // Installs the stand-in engine as kvan64 and tells it what to do.
  void InstallEngine(const std::string& mode) {
    fs::copy_file(KALVANO_STANDIN_ENGINE, base.path("kvan64"), fs::copy_options::overwrite_existing);
    base.write("temp/standin.txt", mode + "\n");
    base.remove("temp/standin.log");
  }
  // Opens the run window through the Analysis menu and starts the run with the mouse.
  shell::runsim& Start(int runType) {
    shell::MainMenu().runenergy_Click(runType);
    shell::runsim& w = shell::RunWindow();
    // The run window hides the main menu as it becomes active.
    EXPECT_TRUE(WaitFor([] { return !shell::MainMenu().isVisible(); }, 2000));
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    return w;
  }
  // Runs to the end of the attempt.
  shell::runsim& RunToEnd(int runType) {
    shell::runsim& w = Start(runType);
    EXPECT_TRUE(WaitFor([&w] {
      return !w.IsEngineRunning() && !w.Command1()->isEnabled() && !w.ProgressBar1()->isVisible();
    }));
    QTest::qWait(50);
    return w;
  }
  // A completed run, then Review Results.
  void Review(int runType) {
    shell::runsim& w = RunToEnd(runType);
    ASSERT_TRUE(w.Command3()->isEnabled()) << w.runstatus()->text().toStdString();
    QTest::mouseClick(w.Command3(), Qt::LeftButton);
    QTest::qWait(20);
  }
  // The process id that the stand-in engine wrote down.
  pid_t EnginePid() {
    EXPECT_TRUE(WaitFor([this] { return base.read("temp/standin.log").find("pid=") != std::string::npos; }));
    const std::string log = base.read("temp/standin.log");
    return std::stoi(log.substr(log.find("pid=") + 4));
  }
  // A run whose report every reader reads, then Review Results.
  void ReviewWhole(int runType) {
    InstallEngine("whole");
    Echo(WholeEchoPart(ReadableReport()));
    Review(runType);
  }
  // The results gathered were `damaged`.
  void Gathered(const std::string& damaged) {
    base.write("temp/tavik$.out", damaged);
    model::RecordResults(shell::Model());
  }
  // From the energy breakdown chart of a reviewed run, the button `button` of the chart asks
  // for a view that refuses the report `damaged`: the chart stays, and its close box leads on.
  void RefusedFromChart(const std::string& damaged, const char* button) {
    ReviewWhole(3);
    ASSERT_NE(SourceWindow(), nullptr);
    Gathered(damaged);
    QTest::mouseClick(SourceWindow()->button(button), Qt::LeftButton);
    EXPECT_EQ(LastMessage(), EndOfFile());
    EXPECT_EQ(PeakWindow(), nullptr);
    EXPECT_FALSE(TabularViewerLoaded());
    ASSERT_NE(SourceWindow(), nullptr);
    EXPECT_TRUE(SourceWindow()->isVisible());
    boxes.answers = {MsgAnswer::No};
    SourceWindow()->close();
  }
  // The last message shown, or "".
  std::string LastMessage() const { return boxes.asked.empty() ? std::string() : boxes.asked.back().text; }
  static std::string EndOfFile() { return model::FileErrorMessage(model::kErrPastEndOfFile); }
};

TEST_F(RunRoadWindows, every_way_out_ends_with_the_main_menu_shown_and_usable) {
  struct Case {
    const char* path;
    std::function<void()> walk;
  };
  const Case cases[] = {
      {"the run window's close box after a completed run",
       [this] {
         shell::runsim& w = RunToEnd(3);
         ASSERT_FALSE(w.Command2()->isEnabled());  // Cancel is off: the close box is the way out
         w.close();
         EXPECT_EQ(shell::Model().RunType, 0);
         EXPECT_EQ(shell::Model().ResultsExist, 0) << "results never gathered are not offered for saving";
       }},
      {"the run window's close box after a failed run",
       [this] {
         InstallEngine("exit 2");
         shell::runsim& w = RunToEnd(3);
         EXPECT_EQ(boxes.asked.back().title, "Simulation Error");
         w.close();
       }},
      {"the run window's close box while the engine runs",
       [this] {
         InstallEngine("hang");
         shell::runsim& w = Start(3);
         const pid_t pid = EnginePid();
         ASSERT_TRUE(w.IsEngineRunning());
         w.close();
         ASSERT_TRUE(WaitFor([] { return !shell::RunWindowLoaded(); }, 10000));
         EXPECT_EQ(::kill(pid, 0), -1) << "the engine is stopped";
         EXPECT_EQ(shell::Model().RunType, 0);
       }},
      {"Cancel after a failed run",
       [this] {
         InstallEngine("exit 2");
         QTest::mouseClick(RunToEnd(3).Command2(), Qt::LeftButton);
       }},
      {"a zone without a profile, found by the echo",
       [] {
         shell::SetInputEchoWriter([](model::ProjectModel& model) { model.Run.RunStatus = 5; });
         shell::MainMenu().runenergy_Click(3);
         QTest::mouseClick(shell::RunWindow().Command1(), Qt::LeftButton);
       }},
      {"Review Results when the energy breakdown reader refuses the report",
       [this] {
         Review(3);
         EXPECT_EQ(LastMessage(), EndOfFile());
         EXPECT_EQ(SourceWindow(), nullptr);
       }},
      {"Review Results of a passive run when the comfort reader refuses its report",
       [this] {
         shell::runsim& w = RunToEnd(4);
         base.write("temp/tavik$.flt", "");
         QTest::mouseClick(w.Command3(), Qt::LeftButton);
         EXPECT_EQ(LastMessage(), kComfortErrorText);
         EXPECT_FALSE(TabularViewerLoaded());
       }},
      {"the energy breakdown chart's close box, results not to be saved",
       [this] {
         ReviewWhole(3);
         ASSERT_NE(SourceWindow(), nullptr);
         ASSERT_TRUE(SourceWindow()->isVisible());
         EXPECT_FALSE(shell::MainMenu().isVisible());
         boxes.answers = {MsgAnswer::No};
         SourceWindow()->close();
         EXPECT_EQ(SourceWindow(), nullptr);
       }},
      {"a chart button whose reader refuses keeps the chart, then its close box",
       [this] { RefusedFromChart(ReadableReport(false), "peakheat"); }},
      {"a chart's Tabular whose extract refuses keeps the chart, then its close box",
       [this] { RefusedFromChart(ReadableReport(true, false), "Command5"); }},
      {"the comfort pages' close box, results not to be saved",
       [this] {
         ReviewWhole(4);
         ASSERT_TRUE(TabularViewerLoaded());
         ASSERT_TRUE(TabularViewer().isVisible());
         boxes.answers = {MsgAnswer::No};
         TabularViewer().close();
         EXPECT_FALSE(TabularViewerLoaded());
       }},
      {"the hourly window's close box goes back to the viewer, then the viewer's close box",
       [this] {
         ReviewWhole(4);
         ASSERT_TRUE(TabularViewerLoaded());
         TabularViewer().Summary_Click(9);
         ASSERT_TRUE(HourlyWindow().isVisible());
         EXPECT_FALSE(TabularViewer().isVisible());
         HourlyWindow().close();
         ASSERT_TRUE(TabularViewerLoaded());
         EXPECT_TRUE(TabularViewer().isVisible());
         boxes.answers = {MsgAnswer::No};
         TabularViewer().close();
       }},
      {"the viewer's Graphical when the chart reader refuses keeps the viewer, then its close box",
       [this] {
         ReviewWhole(4);
         ASSERT_TRUE(TabularViewerLoaded());
         Gathered(ReadableReport(true, false));
         QTest::mouseClick(TabularViewer().graphical(), Qt::LeftButton);
         EXPECT_EQ(LastMessage(), EndOfFile());
         ASSERT_TRUE(TabularViewerLoaded());
         EXPECT_TRUE(TabularViewer().isVisible());
         boxes.answers = {MsgAnswer::No};
         TabularViewer().close();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    InstallEngine("ok");
    Echo("ECHO\r\n");
    boxes.asked.clear();
    boxes.answers.clear();
    // A saved project without unsaved results: the Analysis menu opens the run window.
    model::ProjectModel& m = shell::Model();
    m.InputSaved = 1;
    m.ResultsExist = 0;
    m.OutputSaved = 1;
    shell::ShowModeless(&shell::MainMenu());
    c.walk();
    QTest::qWait(20);
    EXPECT_TRUE(shell::MainMenu().isVisible());
    EXPECT_TRUE(shell::MainMenu().isEnabled());
    EXPECT_FALSE(shell::RunWindowLoaded());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (shell::RunWindowLoaded()) delete &shell::RunWindow();
    UnloadCharts();
    UnloadHourly();
    UnloadTabularViewer();
    if (shell::SaveOutputDialogExists()) shell::SaveOutputDialog().hide();
  }
}

// The question about unsaved results, from the energy breakdown chart's Main Menu and from
// the exit dialog's No: asked while the results are in temp/ as gathered, never again once
// the front-end has told that they are gone from there, however it found out.
TEST_F(RunRoadWindows, unsaved_results_are_asked_about_only_while_they_are_in_temp) {
  const std::string fromChart = "The simulation results have not been saved.  Do you want to save them?";
  const std::string fromExit = "The last simulation results has not been saved.  Do you wish to save them?";
  auto byChart = [] { QTest::mouseClick(SourceWindow()->button("peakheat"), Qt::LeftButton); };
  auto bySave = [this] {
    QTest::mouseClick(SourceWindow()->save(), Qt::LeftButton);
    ASSERT_TRUE(shell::SaveOutputDialogExists());
    shell::saveoutform& dialog = shell::SaveOutputDialog();
    dialog.Picker()->SetFolder(base.dir().string());
    dialog.outputname()->setText("kept.ot1");
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
    EXPECT_FALSE(base.exists("kept.ot1"));
    QTest::mouseClick(dialog.cancelbuttton(), Qt::LeftButton);
  };
  struct Case {
    const char* what;
    std::function<void()> found;  // how the front-end learns that the report was replaced
    bool asked;
  };
  const Case cases[] = {
      {"the results as gathered", {}, true},
      {"the report replaced, found by a chart button", byChart, false},
      {"the report replaced, found by Save Output", bySave, false},
  };
  for (const Case& c : cases) {
    for (const bool exit : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (exit ? ", Exit" : ", Main Menu"));
      // A saved project without unsaved results: the Analysis menu opens the run window.
      model::ProjectModel& m = shell::Model();
      m.InputSaved = 1;
      m.ResultsExist = 0;
      m.OutputSaved = 1;
      shell::ShowModeless(&shell::MainMenu());
      ReviewWhole(3);
      ASSERT_NE(SourceWindow(), nullptr);
      if (c.found) {
        base.write("temp/tavik$.out", "written by another program\r\n");
        c.found();
        ASSERT_FALSE(boxes.asked.empty());
        EXPECT_EQ(boxes.asked.back().title, "Results replaced");
      }
      boxes.asked.clear();
      boxes.answers = {MsgAnswer::No};
      endRequests.clear();
      if (exit) {
        shell::MainMenu().exititem_Click();
        QTest::mouseClick(shell::ExitDialog().Command1(), Qt::LeftButton);
        EXPECT_EQ(endRequests, std::vector<int>{0});
      } else {
        ASSERT_NE(SourceWindow(), nullptr);
        QTest::mouseClick(SourceWindow()->Command1(), Qt::LeftButton);
        EXPECT_EQ(SourceWindow(), nullptr);
        EXPECT_TRUE(shell::MainMenu().isVisible());
      }
      std::vector<std::string> asked;
      for (const auto& box : boxes.asked) asked.push_back(box.text);
      EXPECT_EQ(asked, c.asked ? std::vector<std::string>{exit ? fromExit : fromChart} : std::vector<std::string>{});
      if (shell::RunWindowLoaded()) delete &shell::RunWindow();
      UnloadCharts();
      if (shell::SaveOutputDialogExists()) shell::SaveOutputDialog().hide();
      shell::ExitDialog().hide();
    }
  }
}

}  // namespace
}  // namespace kalvano::reports::test
