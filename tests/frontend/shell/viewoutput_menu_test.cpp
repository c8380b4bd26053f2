// The View Output menu's own failure: an item whose view cannot be opened beeps and says that
// the output file does not exist, and the picker starts where the user last saved output.
#include <gtest/gtest.h>

#include <QAction>

#include <filesystem>

#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/selectview.h"
#include "frontend/shell/viewoutput.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

using ViewOutputMenu = test::ShellTest;

TEST_F(ViewOutputMenu, a_view_that_cannot_open_gives_the_missing_output_message) {
  Model().AppDir = base.dir().string();
  Model().ResultsViewable = 1;
  ClearWindowOpeners();
  MainMenu().graph_Click(3);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kOutputMissing);
  EXPECT_EQ(boxes.asked[0].title, "Error");
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_FALSE(ViewOutputPickerExists());
}

TEST_F(ViewOutputMenu, the_menu_items_open_their_views_and_the_picker_starts_in_the_last_output_folder) {
  model::ProjectModel& m = Model();
  m.AppDir = base.dir().string();
  std::vector<int> tables, charts;
  RegisterWindowOpener(window::tabular, [&tables](int arg) { tables.push_back(arg); });
  RegisterWindowOpener(window::graphs, [&charts](int arg) { charts.push_back(arg); });
  mainmenu& menu = MainMenu();
  m.ResultsViewable = 1;
  menu.findChild<QAction*>("Table(7)")->trigger();
  menu.findChild<QAction*>("Table(8)")->trigger();
  menu.findChild<QAction*>("graph(5)")->trigger();
  EXPECT_EQ(tables, (std::vector<int>{8, 7}));
  EXPECT_EQ(charts, (std::vector<int>{5}));

  std::filesystem::create_directories(base.path("outputs"));
  LastFolders().saveOutput = base.path("outputs").string();
  m.ResultsViewable = 0;
  m.OutputSaved = 0;
  menu.findChild<QAction*>("graph(2)")->trigger();
  ASSERT_TRUE(ViewOutputPickerExists());
  EXPECT_EQ(ViewOutputPicker().Picker()->Folder(), base.path("outputs").string());
  EXPECT_EQ(m.ViewChoice, 10);
  EXPECT_EQ(m.GraphChoice, 2);
  EXPECT_EQ(charts.size(), 1u);  // no chart without results
  ClearWindowOpeners();
}

}  // namespace
}  // namespace kalvano::shell
