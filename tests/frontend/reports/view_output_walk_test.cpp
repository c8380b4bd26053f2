// The View Output menu walked as a user walks it, with the real engine: a run is reviewed,
// its output saved, a new project started, and the saved output picked from the View Output
// menu shows the same chart, zone pages, comfort pages and hourly files as before the save.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <string>

#include "frontend/model/helpers.h"
#include "frontend/reports/charts.h"
#include "frontend/reports/hourly.h"
#include "frontend/reports/inputecho.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/run/selectview.h"
#include "frontend/shell/run/viewoutput.h"
#include "frontend/shell/warning.h"
#include "shell_test_support.h"
#include "../model/whole_report_fixture.h"

namespace kalvano::reports {
namespace {

namespace fs = std::filesystem;

// What the peak chart shows: its title, project name, location and total caption, and the
// label and length of every bar. (The window caption adds the current project's file name.)
struct PeakView {
  std::string caption;
  std::array<std::string, 9> labels{};
  std::array<double, 9> bars{};
  bool operator==(const PeakView&) const = default;
};

PeakView Peak() {
  PeakView v;
  peak* w = PeakWindow();
  if (w == nullptr || !w->isVisible()) return v;
  if (const auto* d = std::get_if<LoadChartData>(&w->canvas()->data())) {
    v.caption = d->title + "|" + d->head.projectName + "|" + d->head.location + "|" + d->totalCaption;
    v.labels = d->valcat;
    v.bars = d->bar;
  }
  return v;
}

class ViewOutputWalk : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    shell::test::InstallRealEngine(base);
  }
  void TearDown() override {
    UnloadCharts();
    UnloadHourly();
    UnloadTabularViewer();
    shell::ClearWindowOpeners();
    shell::test::ShellTest::TearDown();
  }

  // The program's openers, as it registers them at start-up.
  static void RegisterOpeners() {
    shell::SetInputEchoWriter(
        [](model::ProjectModel& model) { WriteInputEcho(model, shell::Messages()); });
    shell::RegisterWindowOpener(shell::window::tabular, &OpenTabularViewer);
    shell::RegisterWindowOpener(shell::window::graphs, [](int chart) { return ShowChart(chart); });
    shell::RegisterWindowOpener(shell::window::saveoutput, &shell::OpenSaveOutput);
  }

  // Runs the project with A/C and hourly output through the run window and reviews it.
  void RunAndReview() {
    shell::MainMenu().runenergy_Click(3);
    ASSERT_TRUE(shell::RunWindowLoaded());
    shell::runsim& w = shell::RunWindow();
    w.hourlyoutput()->setChecked(true);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    shell::test::WaitFor([&w] { return !w.IsEngineRunning(); });
    QTest::qWait(50);
    ASSERT_TRUE(w.Command3()->isEnabled()) << w.runstatus()->text().toStdString();
    QTest::mouseClick(w.Command3(), Qt::LeftButton);
    QTest::qWait(20);
    ASSERT_EQ(shell::Model().ResultsViewable, 1);
  }

  // Picks `name` in the open saved-output picker by a double click on its file list entry.
  void PickSaved(const std::string& name, const std::string& picture = {}) {
    ASSERT_TRUE(shell::ViewOutputPickerExists());
    shell::selectview& picker = shell::ViewOutputPicker();
    ASSERT_TRUE(picker.isVisible());
    QListWidget* files = picker.Picker()->File1();
    const auto found = files->findItems(QString::fromStdString(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << "the picker lists " << files->count() << " files in "
                               << picker.Picker()->Folder();
    // Only the saved reports are offered.
    for (int i = 0; i < files->count(); ++i) {
      EXPECT_NE(files->item(i)->text().indexOf(".ot"), -1) << files->item(i)->text().toStdString();
    }
    if (!picture.empty()) {
      files->setCurrentItem(found.front());
      picker.grab().save(QString::fromStdString((shell::test::PictureFolder() / picture).string()));
    }
    emit files->itemDoubleClicked(found.front());
    QTest::qWait(20);
  }

  std::string ZonePages() {
    tabular& viewer = TabularViewer();
    viewer.Summary_Click(1);
    return viewer.PageText();
  }
};

TEST_F(ViewOutputWalk, a_saved_output_comes_back_through_the_view_output_menu) {
  fs::create_directories(shell::test::PictureFolder());
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    SCOPED_TRACE(sample);
    const std::string tag = sample[6] == 'P' ? "ip" : "si";
    for (const char* f : {"trial.ot1", "trial-ot1.flt", "trial-ot1-Energy.hry",
                          "trial-ot1-Temp.hry", "trial-ot1-Weth.hry"}) {
      base.remove(f);
    }
    model::ProjectModel& m = shell::test::RunnableSample(base, sample);
    RegisterOpeners();
    m.ProjectLoaded = 1;
    m.InputSaved = 1;
    shell::mainmenu& menu = shell::MainMenu();
    menu.show();
    ASSERT_TRUE(menu.ControlEnabled(shell::MenuItem::view10));
    ASSERT_TRUE(menu.ControlEnabled(shell::MenuItem::Picture2));
    RunAndReview();
    if (HasFatalFailure()) return;

    // The results as first looked at.
    menu.graph_Click(2);
    const PeakView before = Peak();
    ASSERT_FALSE(before.caption.empty());
    ASSERT_NE(before.bars, PeakView{}.bars);
    menu.Table_Click(2);
    const std::string zones = TabularViewer().PageText();
    ASSERT_NE(zones.find("ZONE"), std::string::npos);
    TabularViewer().Summary_Click(10);
    const std::string comfort = TabularViewer().PageText();
    const std::string energyHourly = base.read("temp/tavik$.hry");
    ASSERT_FALSE(energyHourly.empty());

    // Saved as trial.ot1 in the base folder, then a new project.
    ASSERT_TRUE(shell::OpenWindow(shell::window::saveoutput, 1));
    shell::saveoutform& save = shell::SaveOutputDialog();
    EXPECT_FALSE(save.nosave()->isEnabled());
    save.Picker()->SetFolder(base.dir().string());
    save.outputname()->setText("trial.ot1");
    QTest::mouseClick(save.okbutton(), Qt::LeftButton);
    ASSERT_TRUE(base.exists("trial.ot1"));
    ASSERT_TRUE(base.exists("trial-ot1-Energy.hry"));
    UnloadCharts();
    UnloadTabularViewer();
    boxes.answers.push_back(shell::MsgAnswer::Yes);
    menu.newitem_Click();
    ASSERT_EQ(m.ResultsViewable, 0);
    base.write("temp/tavik$.hry", "not this run\r\n");

    // View Output, Graphical Results, Peak Cooling Load: the picker, then the chart.
    menu.graph_Click(2);
    PickSaved("trial.ot1", "viewoutput_picker_" + tag + ".png");
    EXPECT_FALSE(shell::ViewOutputPickerExists() && shell::ViewOutputPicker().isVisible());
    const PeakView after = Peak();
    EXPECT_EQ(after, before);
    EXPECT_EQ(PeakWindow()->windowTitle().toStdString(), "Peak Cooling Loads -- " + m.ProjectFile);
    PeakWindow()->grab().save(QString::fromStdString(
        (shell::test::PictureFolder() / ("viewoutput_restored_peak_" + tag + ".png")).string()));
    EXPECT_EQ(m.HourlyOutput, 1);
    EXPECT_EQ(base.read("temp/tavik$.hry"), energyHourly);

    // From the chart to the tables of the same run.
    PeakWindow()->Tabular_Click();
    ASSERT_TRUE(TabularViewerLoaded());
    EXPECT_EQ(ZonePages(), zones);
    TabularViewer().Summary_Click(10);
    EXPECT_EQ(TabularViewer().PageText(), comfort);
    ASSERT_TRUE(TabularViewer().Summary(9)->isEnabled());
    TabularViewer().Summary_Click(9);
    EXPECT_TRUE(HourlyWindow().isVisible());
    UnloadHourly();
    UnloadCharts();
    UnloadTabularViewer();

    // A restored output leaves the results not viewable: the tables ask for the picker
    // again, and both choices made show.
    EXPECT_EQ(m.ResultsViewable, 0);
    menu.Table_Click(2);
    PickSaved("trial.ot1");
    ASSERT_TRUE(TabularViewerLoaded());
    EXPECT_EQ(TabularViewer().PageText(), zones);
    EXPECT_EQ(Peak(), before);
    for (shell::MenuItem item : {shell::MenuItem::view6, shell::MenuItem::view10,
                                 shell::MenuItem::view12}) {
      EXPECT_TRUE(menu.ControlEnabled(item)) << shell::MenuItemName(item);
    }
    EXPECT_FALSE(menu.ControlVisible(shell::MenuItem::view8));

    // Exit asks nothing about results.
    const std::size_t askedBefore = boxes.asked.size();
    menu.exititem_Click();
    shell::ExitDialog().Command1_Click();
    EXPECT_EQ(boxes.asked.size(), askedBefore);
    ASSERT_EQ(endRequests.size(), 1u);
    EXPECT_EQ(endRequests.back(), 0);
    endRequests.clear();
    UnloadCharts();
    UnloadTabularViewer();
    shell::ResetSession();
  }
}

TEST_F(ViewOutputWalk, retrieve_offers_to_save_unsaved_results_first) {
  model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
  RegisterOpeners();
  m.ResultsExist = 1;
  m.OutputSaved = 0;
  // After a passive run, in a folder that holds a report set and a comfort output.
  m.Run.LastRunType = 4;
  m.ProjectLoaded = 0;
  base.write("prev.ot1", "report");
  base.write("prev.fl1", "comfort");
  shell::mainmenu& menu = shell::MainMenu();
  // Yes: the save-output dialog without its Run button, on the report sets.
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  menu.Picture2_Click();
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().text, shell::kUnsavedRunQuestion);
  EXPECT_EQ(boxes.asked.back().title, "Save output");
  ASSERT_TRUE(shell::SaveOutputDialogExists());
  EXPECT_TRUE(shell::SaveOutputDialog().isVisible());
  EXPECT_FALSE(shell::SaveOutputDialog().nosave()->isEnabled());
  QListWidget* files = shell::SaveOutputDialog().Picker()->File1();
  ASSERT_EQ(files->count(), 1);
  EXPECT_EQ(files->item(0)->text(), "prev.ot1");
  EXPECT_FALSE(shell::ViewOutputPickerExists());
  shell::SaveOutputDialog().hide();
  // No: the picker, on the report sets.
  boxes.answers.push_back(shell::MsgAnswer::No);
  menu.view_Click(12);
  ASSERT_TRUE(shell::ViewOutputPickerExists());
  EXPECT_TRUE(shell::ViewOutputPicker().isVisible());
  EXPECT_EQ(m.ViewChoice, 12);
}

TEST_F(ViewOutputWalk, what_the_picker_does_with_each_name_typed) {
  struct Case {
    const char* typed;
    const char* outcome;  // "refused", "no report" (error 62) or "restored"
  };
  const Case cases[] = {
      {"trial.ot", "refused"}, {"ab", "refused"}, {"", "refused"},
      {"notes.ot1", "no report"},
      // Saved without its first hourly file: restored without hourly files and without a word.
      {"trial.ot2", "restored"},
  };
  // Whole reports, told apart by a line of their monthly summaries and their zones.
  model::test::WholeReportParts current, saved;
  current.three = {"CURRENT ROW"};
  saved.three = {"SAVED ROW"};
  saved.zones = {21};
  const std::string kCurrent = model::test::WholeReport(current);
  const std::string kSaved = model::test::WholeReport(saved);
  const std::string kCurrentComfort = model::test::SectionNineOf(kCurrent);
  model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
  ASSERT_FALSE(m.ProjectFile.empty());
  RegisterOpeners();
  base.write("notes.ot1", "no comfort section here\r\n");
  base.write("trial.ot2", kSaved);
  base.write("trial-ot2-Temp.hry", "saved temps\r\n");
  base.write("trial-ot2-Weth.hry", "saved weather\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    base.write("temp/tavik$.out", kCurrent);
    base.write("temp/tavik$.flt", kCurrentComfort);
    base.write("temp/etemp$.hry", "current temps\r\n");
    m.ResultsViewable = 0;
    m.OutputSaved = 1;
    m.GraphChoice = 0;
    m.HourlyOutput = 1;
    UnloadTabularViewer();
    boxes.asked.clear();
    boxes.beeps = 0;
    // View Output, Tabular Results, Monthly Summaries: no results, so the picker.
    shell::MainMenu().Table_Click(3);
    ASSERT_TRUE(shell::ViewOutputPickerExists());
    // A successful OK unloads the picker.
    const QPointer<shell::selectview> picker = &shell::ViewOutputPicker();
    ASSERT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->Picker()->Folder(), base.dir().string());

    picker->Text1()->setText(c.typed);
    QTest::mouseClick(picker->OK(), Qt::LeftButton);
    QTest::qWait(20);

    const std::string outcome = c.outcome;
    if (outcome == "restored") {
      EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
      EXPECT_TRUE(picker.isNull() || !picker->isVisible());
      EXPECT_EQ(base.read("temp/tavik$.out"), kSaved);
      EXPECT_EQ(base.read("temp/tavik$.flt"), model::test::SectionNineOf(kSaved));
      EXPECT_EQ(m.HourlyOutput, 0);
      EXPECT_EQ(base.read("temp/etemp$.hry"), "current temps\r\n");
      ASSERT_TRUE(TabularViewerLoaded());
      EXPECT_TRUE(TabularViewer().isVisible());
      EXPECT_EQ(TabularViewer().windowTitle().toStdString(), "Monthly Summaries -- " + m.ProjectFile);
      EXPECT_NE(TabularViewer().PageText().find("SAVED ROW"), std::string::npos);
      continue;
    }
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(base.read("temp/tavik$.out"), kCurrent);
    EXPECT_EQ(base.read("temp/tavik$.flt"), kCurrentComfort);
    EXPECT_FALSE(TabularViewerLoaded() && TabularViewer().isVisible());
    if (outcome == "refused") {
      EXPECT_EQ(boxes.asked[0].text, shell::kNoSuchOutput);
      EXPECT_EQ(boxes.asked[0].title, "Error");
      EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
      EXPECT_TRUE(picker->Text1()->text().isEmpty());
      EXPECT_TRUE(picker->isVisible());
    } else {
      // Told as a saved output's wrong format, not an input file's.
      EXPECT_EQ(boxes.asked[0].text.rfind(model::kSavedOutputWrongFormat, 0), 0u) << boxes.asked[0].text;
      EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPastEndOfFile));
      EXPECT_FALSE(picker->isVisible());
    }
    picker->hide();
  }
}

// A report reader that fails says why itself; the menu adds nothing to it.
TEST_F(ViewOutputWalk, a_reader_that_cannot_read_the_report_gives_its_own_message_only) {
  model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
  RegisterOpeners();
  base.remove("temp/tavik$.out");
  m.ResultsViewable = 1;
  shell::MainMenu().graph_Click(2);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
  EXPECT_EQ(m.ResultsViewable, 0);
  EXPECT_EQ(PeakWindow(), nullptr);
}

}  // namespace
}  // namespace kalvano::reports
