// Whole runs through the run window with the real input echo and the real engine: Review
// Results leaves the user's report as the echo followed by the engine's report, weather
// listing and comfort report, and the page captions of the whole report count its pages
// without a gap or a repeat.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
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
#include "frontend/shell/runsim.h"
#include "shell_test_support.h"

namespace kalvano::reports {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string AsReportLines(const std::string& bytes) {
  std::string out;
  for (const std::string& line : model::SplitLines(bytes)) out += line + "\r\n";
  return out;
}

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
    const fs::path installed(KALVANO_BASE_DIR);
    for (const char* f : {"kvan64", "btype/tcool.dat", "btype/theat.dat", "temp/tab.sym",
                          "temp/ltshlf.dat"}) {
      fs::copy_file(installed / f, base.path(f), fs::copy_options::overwrite_existing);
    }
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
      for (int waited = 0; waited < 60000 && w.IsEngineRunning(); waited += 20) QTest::qWait(20);
      QTest::qWait(50);
      ASSERT_TRUE(w.Command3()->isEnabled()) << w.runstatus()->text().toStdString();
      const std::string echo = Slurp(base.path("temp/tavik$.out"));
      ASSERT_FALSE(echo.empty());
      const std::string sim = Slurp(base.path("temp/sim$.out"));
      const std::string wth = Slurp(base.path("temp/tavik$.wth"));
      const std::string flt = Slurp(base.path("temp/tavik$.flt"));
      QTest::mouseClick(w.Command3(), Qt::LeftButton);
      QTest::qWait(20);
      const std::string report = Slurp(base.path("temp/tavik$.out"));
      EXPECT_EQ(report, echo + AsReportLines(sim) + AsReportLines(wth) + AsReportLines(flt));
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

}  // namespace
}  // namespace kalvano::reports
