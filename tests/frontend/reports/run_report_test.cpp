// Whole runs through the run window with the real input echo and the real engine: Review
// Results leaves the user's report as the echo followed by the engine's report, weather
// listing and comfort report, and the page captions of the whole report count its pages
// without a gap or a repeat.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/reports/inputecho.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "shell_test_support.h"

namespace kalvano::reports {
namespace {

namespace fs = std::filesystem;

// The page numbers of the report's page captions ("PAGE" from column 115), in order.
std::vector<int> PageNumbers(const std::string& report) {
  std::vector<int> pages;
  for (const std::string& line : model::SplitLines(report)) {
    const std::size_t at = line.find("PAGE", 110);
    if (at == std::string::npos || at < 114) continue;
    pages.push_back(std::stoi(line.substr(at + 4)));
  }
  return pages;
}

class RunReport : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    shell::test::InstallRealEngine(base);
  }
  void TearDown() override {
    shell::ClearWindowOpeners();
    shell::test::ShellTest::TearDown();
  }
};

TEST_F(RunReport, review_results_gives_one_report_whose_pages_are_numbered_in_order) {
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    for (int runType : {3, 4}) {
      SCOPED_TRACE(std::string(sample) + " run type " + std::to_string(runType));
      model::ProjectModel& m = shell::test::RunnableSample(base, sample);
      shell::SetInputEchoWriter(
          [](model::ProjectModel& model) { WriteInputEcho(model, shell::Messages()); });
      m.ProjectLoaded = 1;
      m.InputSaved = 1;
      shell::MainMenu().runenergy_Click(runType);
      ASSERT_TRUE(shell::RunWindowLoaded());
      shell::runsim& w = shell::RunWindow();
      w.hourlyoutput()->setChecked(true);
      QTest::mouseClick(w.Command1(), Qt::LeftButton);
      shell::test::WaitFor([&w] { return !w.IsEngineRunning(); });
      QTest::qWait(50);
      ASSERT_TRUE(w.Command3()->isEnabled()) << w.runstatus()->text().toStdString();
      const std::string echo = base.read("temp/tavik$.out");
      ASSERT_FALSE(echo.empty());
      const std::string sim = base.read("temp/sim$.out");
      const std::string wth = base.read("temp/tavik$.wth");
      const std::string flt = base.read("temp/tavik$.flt");
      QTest::mouseClick(w.Command3(), Qt::LeftButton);
      QTest::qWait(20);
      const std::string report = base.read("temp/tavik$.out");
      EXPECT_EQ(report, echo + shell::test::AsReportLines(sim) + shell::test::AsReportLines(wth) + shell::test::AsReportLines(flt));
      EXPECT_EQ(shell::Model().ResultsViewable, 1);

      const std::vector<int> pages = PageNumbers(report);
      ASSERT_GT(pages.size(), 5u);
      EXPECT_EQ(pages.front(), 2);  // the banner page carries no caption
      std::string listed;
      for (int p : pages) listed += " " + std::to_string(p);
      for (std::size_t i = 1; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i], pages[i - 1] + 1) << "after caption " << i << ":" << listed;
      }
    }
  }
}

TEST_F(RunReport, generated_weather_chosen_after_a_recorded_file_is_what_the_echo_says) {
  model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
  shell::SetInputEchoWriter([](model::ProjectModel& model) { WriteInputEcho(model, shell::Messages()); });
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  // The recorded-weather picker, as a stand-in that picks a TMY2 file.
  shell::RegisterWindowOpener(shell::window::selectweth, [](int) {
    shell::Model().Run.WeatherFormat = 1;
    shell::Model().WeatherFileChosen = 1;
  });
  shell::MainMenu().runenergy_Click(3);
  ASSERT_TRUE(shell::RunWindowLoaded());
  shell::runsim& w = shell::RunWindow();
  w.weather(1)->click();
  ASSERT_EQ(m.Run.WeatherFormat, 1);
  // Back to generated weather: the model, the run files and the echo say so.
  w.weather(0)->click();
  EXPECT_EQ(m.Run.WeatherFormat, 0);
  EXPECT_EQ(m.WeatherFileChosen, 0);
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  shell::test::WaitFor([&w] { return !w.IsEngineRunning(); });
  QTest::qWait(50);
  const std::string echo = base.read("temp/tavik$.out");
  EXPECT_NE(echo.find("Simulation period is: 1-Jan-2026 to 31-Dec-2026."), std::string::npos);
  EXPECT_EQ(echo.find("real weather data"), std::string::npos);
  EXPECT_EQ(model::SplitLines(base.read("temp/tavik$.tmp")).at(1), "Wthr type :  0");
  delete &w;
}

}  // namespace
}  // namespace kalvano::reports
