// The View Output menu with stand-in result windows: what every item and the "previous
// output" picture open with and without current results, where the saved-output picker
// starts, and the menu's own message when something outside the report readers fails.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "frontend/model/file_error.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/selectview.h"
#include "frontend/shell/session.h"
#include "frontend/shell/run/viewoutput.h"
#include "shell_test_support.h"
#include "../../model/whole_report_fixture.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

class ViewOutputMenu : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    Model().AppDir = base.dir().string();
    RegisterStandIns();
  }
  void TearDown() override {
    ClearWindowOpeners();
    test::ShellTest::TearDown();
  }

  // Chooses the item as the user does: the menu entry, the picture, or (for the submenu
  // headings and the hidden items, which take no click) the handler itself.
  void Choose(const std::string& control) {
    mainmenu& menu = MainMenu();
    if (control == "Picture2") {
      QTest::mouseClick(qobject_cast<QWidget*>(menu.Control(MenuItem::Picture2)), Qt::LeftButton);
    } else if (control.starts_with("view(")) {
      menu.view_Click(std::stoi(control.substr(5)));
    } else {
      QAction* item = menu.findChild<QAction*>(QString::fromStdString(control));
      ASSERT_NE(item, nullptr) << control;
      item->trigger();
    }
  }

  // Result windows that record their opening.
  void RegisterStandIns() {
    for (std::string_view name : {window::tabular, window::graphs, window::saveoutput}) {
      RegisterWindowOpener(name, [this, name](int arg) {
        opened.push_back(std::string(name) + " " + std::to_string(arg));
      });
    }
  }

  bool PickerShown() const { return ViewOutputPickerExists() && ViewOutputPicker().isVisible(); }

  std::vector<std::string> opened;  // "<window> <arg>" of every result window opened
};

TEST_F(ViewOutputMenu, every_item_opens_its_view_with_results_and_the_picker_without) {
  struct Case {
    const char* control;
    int exist, saved;          // ResultsExist, OutputSaved
    const char* answer;        // to the unsaved-run question; nullptr: not asked
    const char* withResults;   // what opens with ResultsViewable 1: "<window> <arg>",
    const char* without;       // "picker", "picker as is" or "" (nothing)
    int viewChoice, tableChoice, graphChoice;  // afterwards (they were 0, 5, 4)
  };
  const Case cases[] = {
      {"Table(1)", 1, 0, nullptr, "tabular 1", "picker", 6, 1, 4},
      {"Table(2)", 1, 0, nullptr, "tabular 2", "picker", 6, 2, 4},
      {"Table(3)", 1, 0, nullptr, "tabular 3", "picker", 6, 3, 4},
      {"Table(4)", 1, 0, nullptr, "tabular 4", "picker", 6, 4, 4},
      {"Table(5)", 1, 0, nullptr, "tabular 5", "picker", 6, 5, 4},
      {"Table(6)", 1, 0, nullptr, "tabular 6", "picker", 6, 6, 4},
      // The viewer numbers the weather summary and the comfort pages the other way round.
      {"Table(7)", 1, 0, nullptr, "tabular 8", "picker", 6, 7, 4},
      {"Table(8)", 1, 1, nullptr, "tabular 7", "picker", 6, 8, 4},
      {"graph(1)", 1, 0, nullptr, "graphs 1", "picker", 10, 5, 1},
      {"graph(2)", 1, 0, nullptr, "graphs 2", "picker", 10, 5, 2},
      {"graph(3)", 1, 0, nullptr, "graphs 3", "picker", 10, 5, 3},
      {"graph(4)", 1, 0, nullptr, "graphs 4", "picker", 10, 5, 4},
      {"graph(5)", 1, 0, nullptr, "graphs 5", "picker", 10, 5, 5},
      {"graph(6)", 1, 0, nullptr, "graphs 6", "picker", 10, 5, 6},
      {"graph(7)", 0, 0, nullptr, "graphs 7", "picker", 10, 5, 7},
      // The submenu headings do nothing; the hidden comfort item shows the current comfort
      // pages, the hidden weather item the picker as it was left.
      {"view(6)", 1, 0, nullptr, "", "", 6, 5, 4},
      {"view(10)", 1, 0, nullptr, "", "", 10, 5, 4},
      {"view(7)", 1, 0, nullptr, "tabular 7", "tabular 7", 7, 5, 4},
      {"view(8)", 1, 0, nullptr, "picker as is", "picker as is", 8, 5, 4},
      // Retrieve, by the menu or the picture: unsaved results are offered for saving first,
      // in the save-output dialog on the report sets ("saveoutput 2").
      {"view(12)", 1, 1, nullptr, "picker", "picker", 12, 5, 4},
      {"view(12)", 0, 0, nullptr, "picker", "picker", 12, 5, 4},
      {"view(12)", 1, 0, "Yes", "saveoutput 2", "saveoutput 2", 12, 5, 4},
      {"view(12)", 1, 0, "No", "picker", "picker", 12, 5, 4},
      {"Picture2", 1, 0, "Yes", "saveoutput 2", "saveoutput 2", 12, 5, 4},
      {"Picture2", 1, 0, "No", "picker", "picker", 12, 5, 4},
      {"Picture2", 1, 1, nullptr, "picker", "picker", 12, 5, 4},
  };
  model::ProjectModel& m = Model();
  base.write("a.ot1", "saved report");
  base.write("b.fl1", "saved comfort");
  base.write("c.txt", "no output");
  fs::create_directories(base.path("elsewhere"));
  for (const Case& c : cases) {
    for (int viewable : {1, 0}) {
      SCOPED_TRACE(std::string(c.control) + " ResultsViewable " + std::to_string(viewable));
      m.ResultsViewable = static_cast<int16_t>(viewable);
      m.ResultsExist = static_cast<int16_t>(c.exist);
      m.OutputSaved = static_cast<int16_t>(c.saved);
      m.ViewChoice = 0;
      m.TableChoice = 5;
      m.GraphChoice = 4;
      // The picker left hidden on another folder and every file.
      selectview& left = ViewOutputPicker();
      left.hide();
      left.Picker()->SetPattern("*");
      left.Picker()->SetFolder(base.path("elsewhere").string());
      opened.clear();
      boxes.asked.clear();
      if (c.answer != nullptr) {
        boxes.answers.push_back(std::string(c.answer) == "Yes" ? MsgAnswer::Yes : MsgAnswer::No);
      }

      Choose(c.control);

      const std::string expected = viewable == 1 ? c.withResults : c.without;
      if (expected == "picker" || expected == "picker as is") {
        EXPECT_TRUE(opened.empty());
        ASSERT_TRUE(PickerShown());
        FilePicker* picker = ViewOutputPicker().Picker();
        if (expected == "picker") {
          EXPECT_EQ(picker->Folder(), base.dir().string());
          ASSERT_EQ(picker->File1()->count(), 1);
          EXPECT_EQ(picker->File1()->item(0)->text(), "a.ot1");
        } else {
          EXPECT_EQ(picker->Folder(), base.path("elsewhere").string());
        }
      } else {
        EXPECT_FALSE(PickerShown());
        EXPECT_EQ(opened, expected.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{expected});
      }
      if (c.answer != nullptr) {
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, kUnsavedRunQuestion);
        EXPECT_EQ(boxes.asked[0].title, "Save output");
        EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNo);
      } else {
        EXPECT_TRUE(boxes.asked.empty()) << boxes.asked[0].text;
      }
      EXPECT_EQ(m.ViewChoice, c.viewChoice);
      EXPECT_EQ(m.TableChoice, c.tableChoice);
      EXPECT_EQ(m.GraphChoice, c.graphChoice);
      EXPECT_EQ(m.ResultsViewable, viewable);
    }
  }
}

TEST_F(ViewOutputMenu, the_picker_starts_in_the_folder_of_the_last_retrieve_or_output_save) {
  struct Case {
    int projectLoaded, outputSaved;
    const char* retrieve;    // the folder the retrieve dialog last used ("" none)
    const char* saveOutput;  // the folder the save-output dialog last used
    const char* start;       // where the picker starts ("" the base folder)
  };
  const Case cases[] = {
      {0, 1, "", "", ""},
      {0, 1, "projects", "outputs", ""},
      {1, 1, "projects", "outputs", "projects"},
      // While the last results are unsaved, the save-output folder wins.
      {1, 0, "projects", "outputs", "outputs"},
      {0, 0, "projects", "outputs", "outputs"},
      {1, 0, "projects", "", "projects"},
      // A folder removed since is passed over.
      {1, 1, "gone", "", ""},
      {1, 0, "projects", "gone", "projects"},
  };
  fs::create_directories(base.path("projects"));
  fs::create_directories(base.path("outputs"));
  base.write("projects/p.ot1", "saved in projects");
  base.write("outputs/o.ot2", "saved in outputs");
  base.write("b.ot3", "saved in the base folder");
  model::ProjectModel& m = Model();
  m.ResultsViewable = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.projectLoaded) + " " + std::to_string(c.outputSaved) + " " +
                 c.retrieve + " " + c.saveOutput);
    const auto folder = [this](const char* rel) {
      return *rel == '\0' ? std::string() : base.path(rel).string();
    };
    m.ProjectLoaded = static_cast<int16_t>(c.projectLoaded);
    m.OutputSaved = static_cast<int16_t>(c.outputSaved);
    LastFolders().retrieve = folder(c.retrieve);
    LastFolders().saveOutput = folder(c.saveOutput);
    if (ViewOutputPickerExists()) ViewOutputPicker().hide();
    MainMenu().Table_Click(4);
    ASSERT_TRUE(PickerShown());
    const std::string start = *c.start == '\0' ? base.dir().string() : folder(c.start);
    EXPECT_EQ(ViewOutputPicker().Picker()->Folder(), start);
    EXPECT_EQ(ViewOutputPicker().Picker()->File1()->count(), 1);
  }
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(ViewOutputMenu, a_failure_outside_the_readers_beeps_and_says_the_output_file_does_not_exist) {
  struct Case {
    const char* what;
    const char* control;
    int viewable;
    const char* answer;  // to the unsaved-run question; nullptr: not asked
  };
  const Case cases[] = {
      {"no chart window", "graph(3)", 1, nullptr},
      {"the viewer fails", "Table(2)", 1, nullptr},
      {"the chart window throws", "graph(5)", 1, nullptr},
      {"no save-output dialog", "Picture2", 1, "Yes"},
      {"the base folder is gone", "graph(2)", 0, nullptr},
      {"the base folder is gone", "view(12)", 0, "No"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " " + c.control);
    ResetSession();
    ClearWindowOpeners();
    RegisterStandIns();
    boxes.asked.clear();
    boxes.beeps = 0;
    model::ProjectModel& m = Model();
    m.AppDir = base.dir().string();
    const std::string what = c.what;
    if (what == "no chart window") RegisterWindowOpener(window::graphs, {});
    if (what == "no save-output dialog") RegisterWindowOpener(window::saveoutput, {});
    if (what == "the viewer fails") {
      RegisterWindowOpener(window::tabular, [this](int) {
        throw model::FileError(model::kErrPathFileAccess, base.path("temp/tabzone.txt").string());
      });
    }
    if (what == "the chart window throws") {
      RegisterWindowOpener(window::graphs, [](int) { throw std::out_of_range("bar 10"); });
    }
    if (what == "the base folder is gone") m.AppDir = base.path("gone").string();
    m.ResultsViewable = static_cast<int16_t>(c.viewable);
    m.ResultsExist = 1;
    m.OutputSaved = 0;
    if (c.answer != nullptr) {
      boxes.answers.push_back(std::string(c.answer) == "Yes" ? MsgAnswer::Yes : MsgAnswer::No);
    }

    Choose(c.control);

    ASSERT_FALSE(boxes.asked.empty());
    const auto& last = boxes.asked.back();
    EXPECT_EQ(last.text, kOutputMissing);
    EXPECT_EQ(last.title, "Error");
    EXPECT_EQ(last.icon, MsgIcon::Exclamation);
    EXPECT_EQ(last.beepsBefore, 1);
    // Only this message (after the unsaved-run question).
    EXPECT_EQ(boxes.asked.size(), c.answer != nullptr ? 2u : 1u);
    EXPECT_FALSE(PickerShown());
  }
}

TEST_F(ViewOutputMenu, a_saved_output_waits_while_another_run_holds_the_base_folder) {
  model::ProjectModel& m = Model();
  m.ResultsViewable = 0;
  m.ResultsExist = 0;
  const std::string current = "current echo of a run in progress\r\n";
  base.write("temp/tavik$.out", current);
  const std::string saved = model::test::WholeReport();
  base.write("trial.ot1", saved);
  RunFolderLock otherRun;
  ASSERT_TRUE(otherRun.Take(base.path("temp").string()));

  Choose("view(12)");
  ASSERT_TRUE(PickerShown());
  selectview& picker = ViewOutputPicker();
  picker.Text1()->setText("trial.ot1");
  QTest::mouseClick(picker.OK(), Qt::LeftButton);

  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kRestoreLockedText);
  EXPECT_EQ(boxes.asked[0].title, kRunLockedTitle);
  EXPECT_TRUE(PickerShown());
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(base.read("temp/tavik$.out"), current);

  // Once the other run has ended, the same OK restores it.
  otherRun.Release();
  boxes.asked.clear();
  QTest::mouseClick(picker.OK(), Qt::LeftButton);
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(base.read("temp/tavik$.out"), saved);
  EXPECT_EQ(opened, std::vector<std::string>{"graphs 7"});
}

// A large saved output (the front-end reads up to 64 MB) is read and restored off the GUI
// thread: the windows are served (a timer due at once fires) before OK has returned, under
// the busy pointer.
TEST_F(ViewOutputMenu, a_large_saved_output_is_restored_while_the_windows_are_served) {
  Model().ResultsViewable = 0;
  // A whole report whose weather summary fills 32 MB.
  model::test::WholeReportParts parts;
  const std::string line(78, '-');
  parts.eight = model::test::WeatherListing(parts.months);
  parts.eight.insert(parts.eight.end(), (std::size_t{32} << 20) / (line.size() + 2), line);
  const std::string saved = model::test::WholeReport(parts);
  base.write("large.ot1", saved);
  Choose("view(12)");
  selectview& picker = ViewOutputPicker();
  picker.Text1()->setText("large.ot1");
  bool returned = false;
  std::string seen = "never";
  QTimer::singleShot(0, [&returned, &seen] {
    const QCursor* pointer = QApplication::overrideCursor();
    seen = returned ? "after OK" : pointer != nullptr && pointer->shape() == Qt::WaitCursor ? "busy" : "idle";
  });
  QTest::mouseClick(picker.OK(), Qt::LeftButton);
  returned = true;
  QTest::qWait(0);
  EXPECT_EQ(seen, "busy");
  // And it was restored as the current results.
  EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
  EXPECT_EQ(base.read("temp/tavik$.out"), saved);
}

}  // namespace
}  // namespace kalvano::shell
