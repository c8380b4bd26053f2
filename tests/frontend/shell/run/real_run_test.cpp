// Whole runs of the installed samples with the real engine, driven through the main menu and
// the run window as a user does: a run with air conditioning and a passive run of the
// inch-pound and the SI sample with hourly output, Review Results, saving the output, and
// the error check of a clean and of a faulty project.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <string>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/whole_report.h"
#include "frontend/reports/inputecho.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

using test::AsReportLines;
using test::WaitFor;

class RealRun : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    test::InstallRealEngine(base);
    fs::create_directories(base.path("out"));
  }
  void TearDown() override {
    ClearWindowOpeners();
    test::ShellTest::TearDown();
  }
  model::ProjectModel& Load(const std::string& sample) {
    model::ProjectModel& m = test::RunnableSample(base, sample);
    SetInputEchoWriter([](model::ProjectModel& model) { reports::WriteInputEcho(model, Messages()); });
    m.ProjectLoaded = 1;
    m.InputSaved = 1;
    m.LastProjectFile = m.ProjectFile;
    return m;
  }
  // Opens the run window for `runType`, starts it by mouse or keyboard and waits for its end.
  runsim& Run(int runType, bool hourly, bool keyboard) {
    MainMenu().runenergy_Click(runType);
    EXPECT_TRUE(RunWindowLoaded());
    runsim& w = RunWindow();
    w.hourlyoutput()->setChecked(hourly);
    if (keyboard) {
      w.Command1()->setFocus();
      QTest::keyClick(w.Command1(), Qt::Key_Space);
    } else {
      QTest::mouseClick(w.Command1(), Qt::LeftButton);
    }
    EXPECT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }));
    QTest::qWait(50);
    return w;
  }
  std::string Temp(const char* name) { return base.read(std::string("temp/") + name); }
};

TEST_F(RealRun, both_samples_run_with_and_without_air_conditioning_and_their_output_is_saved) {
  struct Case { const char* sample; int runType; bool keyboard; };
  const Case cases[] = {{"SampleProject.inp", 3, false}, {"SampleProject.inp", 4, true},
                        {"SampleSchool.inp", 3, true}, {"SampleSchool.inp", 4, false}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.sample) + " run type " + std::to_string(c.runType));
    Load(c.sample);
    base.write("temp/1.flt", "an earlier run's comfort page");
    runsim& w = Run(c.runType, true, c.keyboard);
    const std::string status = w.runstatus()->text().toStdString();
    ASSERT_EQ(status.rfind("Simulation Completed at ", 0), 0u) << status;
    EXPECT_NE(status.find("\nTotal time = "), std::string::npos);
    EXPECT_FALSE(base.exists("temp/1.flt"));
    EXPECT_TRUE(base.exists("temp/tavik$.hry"));
    ASSERT_TRUE(w.Command3()->isEnabled());

    const std::string echo = Temp("tavik$.out");
    const std::string sim = Temp("sim$.out"), wth = Temp("tavik$.wth"), flt = Temp("tavik$.flt");
    QTest::mouseClick(w.Command3(), Qt::LeftButton);
    QTest::qWait(20);
    const std::string report = Temp("tavik$.out");
    EXPECT_EQ(report, echo + AsReportLines(sim) + AsReportLines(wth) + AsReportLines(flt));
    EXPECT_EQ(model::WholeReportFault(report), "");
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n");
    EXPECT_EQ(report.find("\r\r"), std::string::npos);
    const model::ProjectModel& m = Model();
    EXPECT_EQ(m.OutputSaved, 0);
    EXPECT_EQ(m.ResultsViewable, 1);
    EXPECT_EQ(m.InputSaved, 0);
    EXPECT_EQ(m.RunType, 0);
    EXPECT_EQ(m.ResultsExist, 1);
    EXPECT_EQ(m.Run.LastRunType, c.runType);

    // The output saved: the report byte for byte, and the hourly files.
    ++n;
    const std::string name = "trial" + std::to_string(n) + ".ot" + std::to_string(n);
    saveoutform& dialog = SaveOutputDialog();
    dialog.Open({}, {}, false);
    dialog.Picker()->SetFolder(base.path("out").string());
    dialog.outputname()->setText(QString::fromStdString(name));
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
    const std::string stem = "out/trial" + std::to_string(n) + "-ot" + std::to_string(n);
    EXPECT_EQ(base.read("out/" + name), report);
    EXPECT_EQ(base.read(stem + ".flt"), flt);
    EXPECT_TRUE(base.exists(stem + "-Energy.hry"));
    EXPECT_TRUE(base.exists(stem + "-Temp.hry"));
    EXPECT_TRUE(base.exists(stem + "-Weth.hry"));
    EXPECT_EQ(Model().OutputSaved, 1);
  }
}

TEST_F(RealRun, error_check_only_writes_the_whole_options_file_and_shows_the_log) {
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    SCOPED_TRACE(sample);
    Load(sample);
    LearningWindow().hide();
    runsim& w = Run(1, false, false);
    const std::string status = w.runstatus()->text().toStdString();
    EXPECT_EQ(status.rfind("Error Check Completed at ", 0), 0u) << status;
    EXPECT_NE(status.find("\nTotal time = "), std::string::npos) << status;
    const auto options = model::SplitLines(Temp("tavik$.tmp"));
    ASSERT_EQ(options.size(), 8u);
    EXPECT_EQ(options[0], "Run type  :  1");
    const auto input = model::SplitLines(Temp("tavik$.inp"));
    const bool si = std::string(sample) == "SampleSchool.inp";
    EXPECT_EQ(input[0].substr(24, 2), si ? "SI" : "IP");
    if (si) {
      for (const std::string& line : input) {
        if (line.rfind("FloorArea", 0) == 0) {
          EXPECT_NEAR(model::Val(line.substr(10)), 1440 * 10.7639, 1.0);  // inch-pound
        }
      }
    }
    EXPECT_TRUE(LearningWindow().isVisible());
    EXPECT_TRUE(LearningWindow().Text().contains("ERRORS DETECTED"));
    EXPECT_FALSE(LearningWindow().Text().contains("** ERROR **"));
    EXPECT_FALSE(w.Command3()->isEnabled());
    EXPECT_EQ(Model().RunType, 0);
    w.Command2_Click();
  }
}

TEST_F(RealRun, a_faulty_project_shows_its_error_and_never_completes) {
  for (int runType : {1, 3}) {
    SCOPED_TRACE(runType);
    model::ProjectModel& m = Load("SampleProject.inp");
    // A second wall type with the first one's I.D.
    int first = 0;
    for (int id = 1; id <= model::kFileTypeIds && first == 0; ++id) {
      if (!m.WallId[id].empty()) first = id;
    }
    ASSERT_NE(first, 0);
    for (int id = first + 1; id <= model::kFileTypeIds; ++id) {
      if (!m.WallId[id].empty()) {
        m.WallId[id] = m.WallId[first];
        break;
      }
    }
    LearningWindow().hide();
    runsim& w = Run(runType, false, false);
    const std::string status = w.runstatus()->text().toStdString();
    EXPECT_EQ(status.find("Simulation Completed"), std::string::npos) << status;
    EXPECT_EQ(status.rfind(runType == 1 ? "Error Check Completed at " : "Simulation Stopped at ", 0), 0u)
        << status;
    EXPECT_TRUE(LearningWindow().isVisible());
    EXPECT_TRUE(LearningWindow().Text().contains("** ERROR **  I.D. NUMBER"));
    EXPECT_FALSE(w.Command3()->isEnabled());
    EXPECT_EQ(Model().ResultsExist, 0);
    w.Command2_Click();
  }
}

}  // namespace
}  // namespace kalvano::shell
