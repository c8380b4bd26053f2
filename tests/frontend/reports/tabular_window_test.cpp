// The tabular viewer and the hourly window, offscreen, on a real report of the office sample.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/reports/hourly.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

class TabularWindow : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    model::ProjectModel m;
    ASSERT_EQ(RunSample(m, base.path("run"), SampleRun{}, 6), 0);
    m.HourlyOutput = 1;
    m.ResultsExist = 1;
    m.ResultsViewable = 1;
    shell::Model() = m;
  }
  std::vector<bool> ViewButtons(tabular& viewer) {
    std::vector<bool> on;
    for (int i = 0; i <= 10; ++i) on.push_back(viewer.Summary(i)->isEnabled());
    return on;
  }
};

TEST_F(TabularWindow, each_view_button_shows_its_page_and_greys_only_itself) {
  tabular& viewer = TabularViewer();
  viewer.show();
  struct Case {
    int index;
    const char* title;
    const char* holds;
    bool next;
  };
  for (const Case c : {Case{0, "Project Data", "I.  P R O J E C T", false},
                       Case{1, "Zone Data", "II.  Z O N E", true},
                       Case{2, "Monthly Summaries", "III.  M O N T H L Y", false},
                       Case{3, "Design Data for HVAC Zones", "IV.  D E S I G N", false},
                       Case{4, "Peak Demand Profiles", "V.  P E A K", false},
                       Case{5, "Cost Analysis", "VII.  C O S T", false},
                       Case{6, "Weather Summary", "VIII.  E N D", true},
                       Case{10, "Space Comfort Conditions", "IX.   S P A C E", true}}) {
    SCOPED_TRACE(c.title);
    viewer.Summary_Click(c.index);
    EXPECT_EQ(viewer.windowTitle().toStdString(), std::string(c.title) + " -- SampleProject.inp");
    EXPECT_NE(viewer.PageText().find(c.holds), std::string::npos);
    EXPECT_TRUE(viewer.Text1()->toPlainText().contains(c.holds));
    std::vector<bool> expected(11, true);
    expected[static_cast<std::size_t>(c.index)] = false;
    EXPECT_EQ(ViewButtons(viewer), expected);
    EXPECT_EQ(viewer.zone(1)->isEnabled(), c.next);
    EXPECT_FALSE(viewer.zone(2)->isEnabled());
  }
  EXPECT_TRUE(boxes.asked.empty());

  // Typing changes no text.
  const QString before = viewer.Text1()->toPlainText();
  viewer.Text1()->setFocus();
  QTest::keyClicks(viewer.Text1(), "typed");
  QTest::keyClick(viewer.Text1(), Qt::Key_Backspace);
  EXPECT_EQ(viewer.Text1()->toPlainText(), before);
  // The page's columns line up: the fixed-pitch font at 8.25 points.
  EXPECT_EQ(viewer.Text1()->font().family().toStdString(), shell::FixedPitchFont().family().toStdString());
  EXPECT_DOUBLE_EQ(viewer.Text1()->font().pointSizeF(), 8.25);
}

TEST_F(TabularWindow, paging_buttons_follow_the_view_named_by_the_caption) {
  tabular& viewer = TabularViewer();
  viewer.Summary_Click(6);  // weather: two pages
  ASSERT_TRUE(viewer.zone(1)->isEnabled());
  QTest::mouseClick(viewer.zone(1), Qt::LeftButton);
  EXPECT_TRUE(viewer.PageText().starts_with(" DAILY WEATHER SUMMARIES FOR JULY"));
  EXPECT_FALSE(viewer.zone(1)->isEnabled());
  EXPECT_TRUE(viewer.zone(2)->isEnabled());
  QTest::mouseClick(viewer.zone(2), Qt::LeftButton);
  EXPECT_TRUE(viewer.PageText().starts_with("VIII."));
  EXPECT_TRUE(viewer.zone(1)->isEnabled());
  EXPECT_FALSE(viewer.zone(2)->isEnabled());
  EXPECT_TRUE(viewer.Summary(6)->isEnabled()) << "paging enables the views again";

  viewer.Summary_Click(1);  // six zones: two zone pages
  ASSERT_EQ(shell::Model().Pages.ZonePageCount, 2);
  QTest::mouseClick(viewer.zone(1), Qt::LeftButton);
  EXPECT_TRUE(viewer.PageText().starts_with("*** PROJECT"));
  EXPECT_FALSE(viewer.zone(1)->isEnabled());
  EXPECT_TRUE(viewer.zone(2)->isEnabled());

  viewer.Summary_Click(10);  // comfort: "Next >>" to the last page, no further
  const int pages = shell::Model().Pages.ComfortPageCount;
  ASSERT_GT(pages, 1);
  for (int i = 1; i < pages; ++i) QTest::mouseClick(viewer.zone(1), Qt::LeftButton);
  EXPECT_EQ(viewer.Paging().ComfortPageIndex, pages - 1);
  EXPECT_FALSE(viewer.zone(1)->isEnabled());
  EXPECT_FALSE(viewer.PageText().empty());
}

TEST_F(TabularWindow, a_failed_view_leaves_the_page_and_caption_shown) {
  tabular& viewer = TabularViewer();
  viewer.Summary_Click(2);
  const QString caption = viewer.windowTitle();
  const QString text = viewer.Text1()->toPlainText();
  // The report loses its comfort section: the weather extract has no end.
  const std::string report = base.read("run/temp/tavik$.out");
  base.write("run/temp/tavik$.out", report.substr(0, report.find("IX.   ")));
  model::RecordResults(shell::Model());
  viewer.Summary_Click(6);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, model::FileErrorMessage(model::kErrPastEndOfFile));
  EXPECT_EQ(shell::Model().ResultsViewable, 0);
  EXPECT_EQ(viewer.windowTitle(), caption);
  EXPECT_EQ(viewer.Text1()->toPlainText(), text);
}

TEST_F(TabularWindow, hourly_output_is_offered_only_with_hourly_files) {
  shell::Model().HourlyOutput = 0;
  tabular& viewer = TabularViewer();
  EXPECT_FALSE(viewer.Summary(9)->isEnabled());
  for (int i : {0, 2, 6, 10}) {
    viewer.Summary_Click(i);
    EXPECT_FALSE(viewer.Summary(9)->isEnabled()) << i;
  }
  // "Graphical" and "Save Output" wait for their windows.
  EXPECT_FALSE(viewer.graphical()->isEnabled());
  EXPECT_FALSE(viewer.save()->isEnabled());
}

TEST_F(TabularWindow, main_menu_asks_about_unsaved_results) {
  std::vector<int> saveOpened;
  shell::RegisterWindowOpener(shell::window::saveoutput,
                              [&saveOpened](int arg) { saveOpened.push_back(arg); });
  tabular& viewer = TabularViewer();
  viewer.show();
  viewer.Summary_Click(2);

  boxes.answers = {shell::MsgAnswer::Cancel};
  viewer.Summary_Click(8);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "The simulation results have not been saved.  Do you want to save them?");
  EXPECT_EQ(boxes.asked[0].title, "Save Output");
  EXPECT_EQ(boxes.asked[0].buttons, shell::MsgButtons::YesNoCancel);
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Information);  // a question about saving
  std::vector<bool> allButMenu(11, true);
  allButMenu[8] = false;
  EXPECT_EQ(ViewButtons(viewer), allButMenu);
  EXPECT_TRUE(saveOpened.empty());

  boxes.answers = {shell::MsgAnswer::Yes};
  viewer.Summary_Click(8);
  EXPECT_EQ(saveOpened, std::vector<int>{1}) << "the save-output dialog, its Run disabled";
  EXPECT_TRUE(viewer.Summary(8)->isEnabled());
  EXPECT_TRUE(TabularViewerLoaded());

  boxes.answers = {shell::MsgAnswer::No};
  viewer.Summary_Click(8);
  EXPECT_FALSE(TabularViewerLoaded());
  EXPECT_TRUE(shell::MainMenu().isVisible());
}

TEST_F(TabularWindow, graphical_and_save_output_open_their_windows_when_they_exist) {
  std::vector<int> charts, saves;
  shell::RegisterWindowOpener(shell::window::graphs, [&charts](int arg) { charts.push_back(arg); });
  shell::RegisterWindowOpener(shell::window::saveoutput, [&saves](int arg) { saves.push_back(arg); });
  tabular& viewer = TabularViewer();
  ASSERT_TRUE(viewer.save()->isEnabled());
  QTest::mouseClick(viewer.save(), Qt::LeftButton);
  EXPECT_EQ(saves, std::vector<int>{1});
  EXPECT_FALSE(viewer.save()->isEnabled());
  ASSERT_TRUE(viewer.graphical()->isEnabled());
  QTest::mouseClick(viewer.graphical(), Qt::LeftButton);
  EXPECT_EQ(charts, std::vector<int>{7}) << "the energy breakdown chart";
  EXPECT_FALSE(TabularViewerLoaded());
}

TEST_F(TabularWindow, the_save_output_dialog_opens_without_run_and_its_cancel_gives_the_buttons_back) {
  shell::RegisterWindowOpener(shell::window::saveoutput, &shell::OpenSaveOutput);
  tabular& viewer = TabularViewer();
  viewer.show();
  viewer.Summary_Click(2);
  boxes.answers = {shell::MsgAnswer::Cancel};
  viewer.Summary_Click(8);
  ASSERT_FALSE(viewer.Summary(8)->isEnabled());
  QTest::mouseClick(viewer.save(), Qt::LeftButton);
  ASSERT_TRUE(shell::SaveOutputDialogExists());
  shell::saveoutform& dialog = shell::SaveOutputDialog();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.nosave()->isEnabled());
  EXPECT_FALSE(viewer.save()->isEnabled());
  dialog.cancelbuttton_Click();
  EXPECT_TRUE(viewer.save()->isEnabled());
  EXPECT_TRUE(viewer.Summary(8)->isEnabled());
}

TEST_F(TabularWindow, the_registry_opens_the_viewer_on_a_tabular_choice) {
  shell::RegisterWindowOpener(shell::window::tabular, &OpenTabularViewer);
  ASSERT_TRUE(shell::OpenWindow(shell::window::tabular, shell::kTabularComfortPages));
  tabular& viewer = TabularViewer();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(viewer.windowTitle().startsWith("Space Comfort Conditions -- "));
  EXPECT_TRUE(viewer.zone(1)->isEnabled());
  ASSERT_TRUE(shell::OpenWindow(shell::window::tabular, shell::kTabularWeather));
  EXPECT_TRUE(viewer.windowTitle().startsWith("Weather Summary -- "));
  ASSERT_TRUE(shell::OpenWindow(shell::window::tabular, 3));
  EXPECT_TRUE(viewer.windowTitle().startsWith("Monthly Summaries -- "));
  EXPECT_FALSE(viewer.zone(1)->isEnabled());
  EXPECT_EQ(viewer.Label2()->text().toStdString(), shell::Model().OutputFile);
}

TEST_F(TabularWindow, after_a_passive_run_and_an_si_run_every_view_shows_its_page) {
  shell::RegisterWindowOpener(shell::window::tabular, &OpenTabularViewer);
  for (const SampleRun& run : {SampleRun{"SampleProject.inp", 4, 365, false},
                              SampleRun{"SampleSchool.inp", 3, 365, true}}) {
    SCOPED_TRACE(run.sample + " run type " + std::to_string(run.runType));
    UnloadTabularViewer();
    model::ProjectModel m;
    ASSERT_EQ(RunSample(m, base.path("run"), run), 0);
    shell::Model() = m;
    if (run.runType == 4) {
      // Review Results after a passive run: the comfort pages.
      ASSERT_TRUE(shell::OpenWindow(shell::window::tabular, shell::kTabularComfortPages));
      EXPECT_TRUE(TabularViewer().isVisible());
      EXPECT_TRUE(TabularViewer().PageText().starts_with("IX."));
    }
    tabular& viewer = TabularViewer();
    for (int i : {0, 1, 2, 3, 4, 5, 6, 10}) {
      const std::string before = viewer.PageText();
      viewer.Summary_Click(i);
      EXPECT_FALSE(viewer.PageText().empty()) << i;
      EXPECT_NE(viewer.PageText(), before) << i;
    }
    EXPECT_EQ(viewer.Summary(9)->isEnabled(), run.hourly);
    EXPECT_TRUE(boxes.asked.empty());
  }
}

// A stand-in spreadsheet program on PATH that records its working folder and arguments.
class HourlySpreadsheets : public TabularWindow {
 protected:
  void SetUp() override {
    TabularWindow::SetUp();
    const fs::path bin = base.path("bin");
    fs::create_directories(bin);
    record_ = base.path("record.txt");
    const fs::path program = bin / "localc";
    base.write("bin/localc", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" +
                                 record_.string() + ".part'\nmv '" + record_.string() + ".part' '" +
                                 record_.string() + "'\n");
    fs::permissions(program, fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    previousPath_ = path ? path : "";
    ::setenv("PATH", (bin.string() + ":" + previousPath_).c_str(), 1);
    model::FindExcelPath(shell::Model());
    ASSERT_EQ(shell::Model().ExcelPath, program.string());
  }
  void TearDown() override {
    ::setenv("PATH", previousPath_.c_str(), 1);
    TabularWindow::TearDown();
  }
  // The stand-in's record once it has run (it runs detached).
  std::vector<std::string> Record() {
    for (int i = 0; i < 500 && !fs::exists(record_); ++i) QTest::qWait(20);
    const std::vector<std::string> lines = LinesOf(Slurp(record_));
    fs::remove(record_);
    return lines;
  }
  fs::path record_;
  std::string previousPath_;
};

TEST_F(HourlySpreadsheets, display_it_now_starts_the_program_on_the_chosen_file_in_temp) {
  tabular& viewer = TabularViewer();
  viewer.show();
  viewer.Summary_Click(9);
  EXPECT_FALSE(viewer.isVisible());
  Hourly& hourly = HourlyWindow();
  ASSERT_TRUE(hourly.isVisible());
  EXPECT_EQ(hourly.windowTitle().toStdString(), "KALVANO Hourly Data Output -- SampleProject.inp");
  // The note names what opens the file, once each, and no program this system never starts.
  const QString note = hourly.Note()->text();
  EXPECT_TRUE(note.startsWith("NOTE:  This feature will function only if you have a program installed "
                              "on your computer that opens the hourly file: "));
  for (const char* program : {"LibreOffice Calc", "Gnumeric", "xdg-open"}) EXPECT_EQ(note.count(program), 1) << program;
  EXPECT_FALSE(note.contains("Excel"));

  const fs::path temp = fs::canonical(base.path("run/temp"));
  QTest::mouseClick(hourly.HryDisplay(1), Qt::LeftButton);
  EXPECT_EQ(hourly.HourlyFileChoice(), 2);
  QTest::mouseClick(hourly.Action(0), Qt::LeftButton);
  EXPECT_EQ(Record(), (std::vector<std::string>{temp.string(), (temp / "etemp$.hry").string()}));
  EXPECT_EQ(hourly.HourlyFileChoice(), 0);
  EXPECT_FALSE(hourly.HryDisplay(1)->isChecked());
  EXPECT_TRUE(boxes.asked.empty());

  // A second press needs a new choice.
  QTest::mouseClick(hourly.Action(0), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "You must first select a display option");
  EXPECT_EQ(boxes.asked[0].title, "Display Option");
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Information);
  QTest::qWait(200);
  EXPECT_FALSE(fs::exists(record_)) << "nothing started";

  QTest::mouseClick(hourly.HryDisplay(0), Qt::LeftButton);
  QTest::mouseClick(hourly.Action(0), Qt::LeftButton);
  EXPECT_EQ(Record(), (std::vector<std::string>{temp.string(), (temp / "tavik$.hry").string()}));

  // Return to the viewer.
  QTest::mouseClick(hourly.Action(1), Qt::LeftButton);
  EXPECT_TRUE(TabularViewer().isVisible());
}

TEST_F(HourlySpreadsheets, an_hourly_file_another_run_replaced_is_not_opened) {
  Hourly& hourly = HourlyWindow();
  hourly.show();
  base.write("run/temp/etemp$.hry", "another run's hourly temperatures\r\n");
  QTest::mouseClick(hourly.HryDisplay(1), Qt::LeftButton);
  QTest::mouseClick(hourly.Action(0), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::kResultsReplacedTitle);
  EXPECT_EQ(boxes.asked[0].text, model::kResultsReplacedText);
  EXPECT_EQ(hourly.HourlyFileChoice(), 0);
  QTest::qWait(200);
  EXPECT_FALSE(fs::exists(record_)) << "nothing started";
  // The files still the current results' open.
  const fs::path temp = fs::canonical(base.path("run/temp"));
  QTest::mouseClick(hourly.HryDisplay(0), Qt::LeftButton);
  QTest::mouseClick(hourly.Action(0), Qt::LeftButton);
  EXPECT_EQ(Record(), (std::vector<std::string>{temp.string(), (temp / "tavik$.hry").string()}));
}

// No spreadsheet program on the program path at start-up: the box names the programs looked
// for and the real folder of the hourly files.
TEST_F(HourlySpreadsheets, without_a_spreadsheet_program_display_it_now_reports_the_access_error) {
  fs::create_directories(base.path("nothing"));
  ::setenv("PATH", base.path("nothing").c_str(), 1);
  shell::Model().ExcelPath.clear();
  model::FindExcelPath(shell::Model());
  ASSERT_EQ(shell::Model().ExcelPath, "");
  Hourly& hourly = HourlyWindow();
  hourly.show();
  QTest::mouseClick(hourly.HryDisplay(2), Qt::LeftButton);
  QTest::mouseClick(hourly.Action(0), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, "EXCEL Access Error");
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Critical);
  const std::string& text = boxes.asked[0].text;
  EXPECT_TRUE(text.starts_with("This function cannot be performed.  Either no program that opens the hourly "
                               "file could be started"))
      << text;
  for (const char* program : {"LibreOffice Calc (localc)", "Gnumeric (gnumeric)", "(xdg-open)"}) {
    EXPECT_NE(text.find(program), std::string::npos) << program;
  }
  EXPECT_TRUE(text.ends_with("\n\n" + fs::canonical(base.path("run/temp")).string())) << text;
  for (const char* gone : {"Excel", "yourdirectoryname", "\\temp"}) EXPECT_EQ(text.find(gone), std::string::npos) << gone;
  EXPECT_EQ(hourly.HourlyFileChoice(), 0);
  // Cancel clears the choice too.
  QTest::mouseClick(hourly.HryDisplay(2), Qt::LeftButton);
  QTest::mouseClick(hourly.Action(2), Qt::LeftButton);
  EXPECT_EQ(hourly.HourlyFileChoice(), 0);
  EXPECT_TRUE(hourly.isVisible());
}

}  // namespace
}  // namespace kalvano::reports::test
