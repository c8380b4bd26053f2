// The chart windows: which window a chart opens in, the button states, the way back to the
// main menu, and an offscreen walk through the charts of real runs with a pixel check of
// every bar.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QTest>

#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "chart_report_builder.h"
#include "frontend/model/file_error.h"
#include "frontend/reports/charts.h"
#include "frontend/shell/session.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

const std::array<QColor, 9> kBars = {QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
                                     QColor(128, 0, 0),   QColor(128, 0, 128), QColor(128, 128, 0),
                                     QColor(255, 0, 0),   QColor(128, 128, 128), QColor(0, 0, 255)};

class ChartWindows : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    model::ProjectModel& m = shell::Model();
    m.AppDir = base.dir().string();
    m.ProjectFile = "Office.inp";
    m.ResultsViewable = 1;
    ChartReport r;
    static const char* kNames[] = {"JAN", "FEB", "MAR"};
    for (int i = 0; i < 3; ++i) r.months.push_back({kNames[i], 10.0 + i, 1000.0 * i, 5, 6, 11});
    for (std::size_t i = 1; i <= 14; ++i) r.loads[i] = {-5.0 * i, 3.0 * i, -1.0 * i, 2.0 * i};
    r.site = {10, 2, 3, 4, 5, 6};
    report = r;
    base.write("temp/tavik$.out", r.bytes());
    model::RecordResults(m);
  }
  ChartReport report;
};

TEST_F(ChartWindows, the_chart_windows_and_the_viewer_open_centred_on_the_screen) {
  for (int chart : {kPeakHeatingChart, kMonthlyEnergyChart, kSourceEnergyChart}) {
    ASSERT_TRUE(ShowChart(chart)) << chart;
  }
  for (ChartWindow* w : std::initializer_list<ChartWindow*>{PeakWindow(), MonthlyWindow(), SourceWindow()}) {
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(shell::test::CentredOnScreen(*w)) << w->windowTitle().toStdString();
  }
  ASSERT_TRUE(OpenTabularViewer(3));
  EXPECT_TRUE(shell::test::CentredOnScreen(TabularViewer()));
}

TEST_F(ChartWindows, load_chart_buttons_follow_the_chart_shown) {
  ASSERT_TRUE(ShowChart(kPeakCoolingChart));
  peak* w = PeakWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Peak Cooling Loads -- Office.inp");
  auto states = [w] {
    std::string s;
    for (const char* n : {"peakheat", "peakcool", "annuheat", "annucool"}) s += w->button(n)->isEnabled() ? '1' : '0';
    return s;
  };
  EXPECT_EQ(states(), "1011");
  w->annuheat_Click();
  EXPECT_EQ(PeakWindow(), w);  // the same window draws the other load charts
  EXPECT_EQ(states(), "1101");
  // Monthly HC opens the monthly window and unloads this one.
  QTest::mouseClick(w->button("monenergy"), Qt::LeftButton);
  EXPECT_EQ(PeakWindow(), nullptr);
  ASSERT_NE(MonthlyWindow(), nullptr);
  EXPECT_FALSE(MonthlyWindow()->button("monenergy")->isEnabled());
  EXPECT_TRUE(MonthlyWindow()->button("utility")->isEnabled());
  MonthlyWindow()->utility_Click();
  EXPECT_EQ(MonthlyWindow()->windowTitle(), "Monthly Utility Costs -- Office.inp");
  EXPECT_TRUE(MonthlyWindow()->button("monenergy")->isEnabled());
  // Activation redraws the chart shown from its data, without reading the report again.
  fs::remove(base.path("temp/tavik$.out"));
  MonthlyWindow()->Form_Activate();
  EXPECT_EQ(MonthlyWindow()->windowTitle(), "Monthly Utility Costs -- Office.inp");
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(ChartWindows, a_report_that_fails_to_read_shows_no_window) {
  ChartReport r = report;
  r.roof = false;
  base.write("temp/tavik$.out", r.bytes());
  model::RecordResults(shell::Model());
  EXPECT_FALSE(ShowChart(kPeakHeatingChart));
  EXPECT_EQ(PeakWindow(), nullptr);
  EXPECT_EQ(shell::Model().ResultsViewable, 0);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, model::FileErrorBoxText(model::FileError(model::kErrPastEndOfFile)));
}

TEST_F(ChartWindows, main_menu_asks_about_unsaved_results) {
  std::vector<int> saveOpened;
  shell::RegisterWindowOpener(shell::window::saveoutput, [&saveOpened](int arg) { saveOpened.push_back(arg); });
  model::ProjectModel& m = shell::Model();
  m.ResultsExist = 1;
  m.OutputSaved = 0;
  ASSERT_TRUE(ShowChart(kSourceEnergyChart));
  source* w = SourceWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->button("Command4")->isEnabled());
  // Yes: the save-output dialog with "Run" disabled; the chart stays.
  boxes.answers = {shell::MsgAnswer::Yes};
  w->Command1_Click();
  EXPECT_EQ(saveOpened, std::vector<int>{1});
  EXPECT_EQ(SourceWindow(), w);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "The simulation results have not been saved.  Do you want to save them?");
  EXPECT_EQ(boxes.asked[0].title, "Save Output");
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Information);  // a question about saving
  // Cancel: the chart stays with "Main Menu" enabled.
  boxes.answers = {shell::MsgAnswer::Cancel};
  w->Command1()->setEnabled(false);
  w->Command1_Click();
  EXPECT_EQ(SourceWindow(), w);
  EXPECT_TRUE(w->Command1()->isEnabled());
  // No: back to the main menu.
  boxes.answers = {shell::MsgAnswer::No};
  w->Command1_Click();
  EXPECT_EQ(SourceWindow(), nullptr);
  // Saved results: back at once.
  m.OutputSaved = 1;
  ASSERT_TRUE(ShowChart(kPeakHeatingChart));
  boxes.asked.clear();
  PeakWindow()->Command1_Click();
  EXPECT_EQ(PeakWindow(), nullptr);
  EXPECT_TRUE(boxes.asked.empty());
  // Save Output from a chart: the dialog with "Run" disabled, the button disabled.
  ASSERT_TRUE(ShowChart(kMonthlyEnergyChart));
  MonthlyWindow()->save_Click();
  EXPECT_EQ(saveOpened, (std::vector<int>{1, 1}));
  EXPECT_FALSE(MonthlyWindow()->save()->isEnabled());
}

// The centre of every bar drawn in its colour, where the bar is taller than 3 pixels.
template <typename Data>
void CheckBars(ChartWindow& w, const Data& d, int bars, double base, double full, double x0, double pitch,
               double width) {
  const QImage img = w.canvas()->grab().toImage();
  for (int b = 0; b < bars; ++b) {
    const double h = full / d.scale * d.bar[static_cast<std::size_t>(b)];
    const QPointF top = w.canvas()->ToPixels(x0 + pitch * b + width / 2, base - h / 2);
    const double px = std::abs(w.canvas()->ToPixels(0, h).y());
    if (px < 3) continue;
    EXPECT_EQ(img.pixelColor(top.toPoint()), kBars[static_cast<std::size_t>(b)]) << "bar " << b + 1;
  }
}

TEST_F(ChartWindows, walk_through_the_charts_of_real_runs) {
  std::vector<int> opened;
  shell::RegisterWindowOpener(shell::window::graphs, [](int chart) { ShowChart(chart); });
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    SCOPED_TRACE(sample);
    model::ProjectModel& m = shell::Model();
    SampleRun run;
    run.sample = sample;
    ASSERT_EQ(RunSample(m, base.path("run"), run), 0);
    const fs::path file = base.path("run") / "temp" / "tavik$.out";
    std::vector<std::string> L = LinesOf(Slurp(file));
    const std::vector<std::string> weather = model::test::WeatherPage(m.UnitSystem == model::kSI);
    std::size_t at = 0;
    while (at < L.size() && !L[at].starts_with("II.")) ++at;
    L.insert(L.begin() + static_cast<std::ptrdiff_t>(at), weather.begin(), weather.end());
    std::string bytes;
    for (const std::string& l : L) bytes += l + "\r\n";
    std::ofstream(file, std::ios::binary) << bytes;
    model::RecordResults(m);
    const std::string tag = m.UnitSystem == model::kSI ? "si" : "ip";
    const fs::path pictures = shell::test::PictureFolder();
    fs::create_directories(pictures);
    auto picture = [&](QWidget& w, const std::string& name) {
      w.grab().save(QString::fromStdString((pictures / ("chart_" + tag + "_" + name + ".png")).string()));
    };

    // Review Results opens the breakdown chart.
    ASSERT_TRUE(shell::OpenWindow(shell::window::graphs, shell::kGraphEnergyBreakdown));
    ASSERT_NE(SourceWindow(), nullptr);
    const auto src = std::get<SourceChartData>(SourceWindow()->canvas()->data());
    CheckBars(*SourceWindow(), src, 6, 5000, 3500, 2000, 1000, 500);
    picture(*SourceWindow(), "source");
    QTest::mouseClick(SourceWindow()->button("peakheat"), Qt::LeftButton);
    ASSERT_NE(PeakWindow(), nullptr);
    EXPECT_EQ(SourceWindow(), nullptr);
    for (const char* b : {"peakheat", "peakcool", "annuheat", "annucool"}) {
      if (PeakWindow()->button(b)->isEnabled()) QTest::mouseClick(PeakWindow()->button(b), Qt::LeftButton);
      const auto d = std::get<LoadChartData>(PeakWindow()->canvas()->data());
      CheckBars(*PeakWindow(), d, 9, 3500, 1900, 1500, 800, 400);
      picture(*PeakWindow(), b);
    }
    QTest::mouseClick(PeakWindow()->button("monenergy"), Qt::LeftButton);
    ASSERT_NE(MonthlyWindow(), nullptr);
    picture(*MonthlyWindow(), "monthly_energy");
    QTest::mouseClick(MonthlyWindow()->button("utility"), Qt::LeftButton);
    picture(*MonthlyWindow(), "monthly_costs");
    QTest::mouseClick(MonthlyWindow()->button("source"), Qt::LeftButton);
    ASSERT_NE(SourceWindow(), nullptr);
    EXPECT_EQ(MonthlyWindow(), nullptr);
    m.ResultsExist = 0;
    QTest::mouseClick(SourceWindow()->Command1(), Qt::LeftButton);
    EXPECT_EQ(SourceWindow(), nullptr);
    EXPECT_TRUE(boxes.asked.empty());
  }
}

}  // namespace
}  // namespace kalvano::reports::test
