// The zone list: its grid, the way back to the main menu and the opening of a zone.
#include "frontend/zones/zonename.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "frontend/model/numtext.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/projectio.h"
#include "frontend/shell/session.h"
#include "frontend/shell/zoneentry.h"
#include "frontend/zones/zonelistcore.h"
#include "shell_test_support.h"

namespace kalvano::zones {
namespace {

using shell::MenuItem;

class ZoneListTest : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    shell::ClearWindowOpeners();
    shell::RegisterWindowOpener(shell::window::zonename, &OpenZoneList);
    m.AppDir = base.dir().string();
  }
  void TearDown() override {
    UnloadZoneList();
    shell::ClearWindowOpeners();
    shell::test::ShellTest::TearDown();
  }

  void AddZone(const std::string& code, float area, int16_t opened) {
    const auto z = static_cast<std::size_t>(++m.ZoneCount);
    m.ZoneCode[z] = code;
    m.ZoneSketchName[z] = "Zone " + code;
    m.ZoneFloorArea[z] = area;
    m.ZoneOpened[z] = opened;
    shell::ZoneListGrid().cells[z] = {code, "Zone " + code, model::NumberText(float(z))};
  }

  zonename& Open() {
    OpenZoneList();
    EXPECT_NE(ZoneListWindow(), nullptr);
    return *ZoneListWindow();
  }

  model::ProjectModel& m = shell::Model();
};

TEST_F(ZoneListTest, shows_captions_headings_and_the_rows_of_the_grid) {
  m.ProjectFile = "office.inp";
  m.ProjectData[1] = "Office";
  m.ProjectData[3] = "Chicago";
  AddZone("11", 500, 1);
  zonename& list = Open();
  EXPECT_EQ(list.windowTitle(), "ZONE NAMES -- office.inp");
  EXPECT_EQ(list.proname()->text(), "Office");
  EXPECT_EQ(list.proloc()->text(), "Chicago");
  EXPECT_EQ(list.MSFlexGrid1()->columnCount(), 3);
  EXPECT_EQ(list.MSFlexGrid1()->rowCount(), 101);
  EXPECT_EQ(list.Cell(0, 0), "Zone Number");
  EXPECT_EQ(list.Cell(0, 1), "Zone Name");
  EXPECT_EQ(list.Cell(0, 2), "Zone Sequence");
  EXPECT_EQ(list.Cell(1, 0), "11");
  EXPECT_EQ(list.Cell(1, 1), "Zone 11");
  EXPECT_EQ(list.Cell(1, 2), " 1");
  EXPECT_EQ(list.back()->text(), "<< Menu");
  EXPECT_EQ(list.OK()->text(), "OK >>");
  EXPECT_TRUE(list.OK()->isVisible());
  EXPECT_FALSE(list.OK()->isEnabled()) << "no zone description window yet";
}

TEST_F(ZoneListTest, back_asks_once_about_unopened_zones_and_no_keeps_the_list) {
  AddZone("10", 100, 1);
  AddZone("11", 200, 0);
  AddZone("12", 300, 0);
  AddZone("13", 400.5f, 0);
  zonename& list = Open();
  list.back_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text,
            "You have just sketched your building, but you have not opened zone(s) :  11, 12, "
            "13.   Do you really want to go to Main Menu ?");
  EXPECT_EQ(boxes.asked[0].title, "Warning");
  EXPECT_EQ(boxes.asked[0].buttons, shell::MsgButtons::YesNo);
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_EQ(ZoneListWindow(), &list) << "No keeps the list open";
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(m.StepFlags[5], 0);
  EXPECT_EQ(m.ProjectData[8], " 1000.5") << "the total stays";
  EXPECT_EQ(shell::ProjectInfoWindow().BoxText(8), " 1000.5");
  EXPECT_EQ(m.ZoneLoaded[4], 1);

  boxes.answers.push_back(shell::MsgAnswer::Yes);
  list.back_Click();
  EXPECT_EQ(m.StepFlags[5], 1);
  EXPECT_EQ(ZoneListWindow(), nullptr);
  EXPECT_TRUE(shell::MainMenu().isVisible());
}

TEST_F(ZoneListTest, back_without_zones_sets_zero_floor_area_and_the_step) {
  m.FloorArea = 5000;
  zonename& list = Open();
  list.back_Click();
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(m.FloorArea, 0.0f);
  EXPECT_EQ(m.ProjectData[8], " 0");
  EXPECT_EQ(m.StepFlags[5], 1);
  EXPECT_EQ(ZoneListWindow(), nullptr);
  EXPECT_TRUE(shell::MainMenu().Enabling()[MenuItem::zonedescription]);
  EXPECT_TRUE(shell::MainMenu().Enabling()[MenuItem::Image5]);
}

// From the keyboard: typed characters change nothing, the arrow keys move the selection,
// Tab leaves the list for its buttons and Enter opens the selected zone as "OK >>" does.
TEST_F(ZoneListTest, the_keyboard_moves_through_the_list_and_enter_opens_a_zone) {
  std::vector<int> opened;
  shell::RegisterWindowOpener(shell::window::zoneform, [&](int row) { opened.push_back(row); });
  AddZone("11", 100, 1);
  AddZone("12", 100, 1);
  AddZone("13", 100, 1);
  zonename& list = Open();
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
  QTableWidget* grid = list.MSFlexGrid1();
  grid->setFocus();
  grid->setCurrentCell(1, 0);
  struct Step {
    const char* keys;  // typed text, or empty for `key`
    Qt::Key key;
    int row;  // the current row after it
  };
  const Step steps[] = {
      {"99x", Qt::Key_unknown, 1}, {"", Qt::Key_Delete, 1},   {"", Qt::Key_F2, 1},
      {"", Qt::Key_Down, 2},       {"", Qt::Key_Down, 3},     {"", Qt::Key_Up, 2},
      {"", Qt::Key_End, 2},        {"", Qt::Key_Backspace, 2}, {" ", Qt::Key_unknown, 2},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.keys[0] != 0 ? s.keys : QTest::toString(s.key));
    if (s.keys[0] != 0) {
      QTest::keyClicks(grid, s.keys);
    } else {
      QTest::keyClick(grid, s.key);
    }
    EXPECT_EQ(grid->currentRow(), s.row);
    EXPECT_TRUE(grid->hasFocus());
  }
  for (int r = 1; r <= 3; ++r) EXPECT_EQ(list.Cell(r, 0), std::to_string(10 + r));
  EXPECT_EQ(grid->findChildren<QLineEdit*>().size(), 0) << "no editor was opened";
  EXPECT_TRUE(opened.empty());
  // Tab goes on to the buttons, Shift+Tab comes back.
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_FALSE(grid->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(grid->hasFocus());
  // Enter opens the selected zone.
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(opened, std::vector<int>{2});
  EXPECT_EQ(m.CurrentZone, 2);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(ZoneListTest, ok_opens_an_existing_zone_through_the_zone_description_opener) {
  std::vector<int> opened;
  shell::RegisterWindowOpener(shell::window::zoneform, [&](int row) { opened.push_back(row); });
  AddZone("11", 100, 1);
  zonename& list = Open();
  EXPECT_TRUE(list.OK()->isEnabled());
  list.MSFlexGrid1()->setCurrentCell(2, 0);
  list.OK_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Zone does not exist.  Select another zone.");
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(ZoneListWindow(), &list);

  list.MSFlexGrid1()->setCurrentCell(1, 1);
  list.OK_Click();
  EXPECT_EQ(opened, std::vector<int>{1});
  EXPECT_EQ(m.CurrentZone, 1);
  EXPECT_EQ(ZoneListWindow(), nullptr);

  // The zone description returns to the list with its zone's row selected.
  shell::OpenWindow(shell::window::zonename, 1);
  ASSERT_NE(ZoneListWindow(), nullptr);
  EXPECT_EQ(ZoneListWindow()->MSFlexGrid1()->currentRow(), 1);
}

TEST_F(ZoneListTest, step_5_is_enabled_only_with_a_zone_list_to_open) {
  shell::mainmenu& menu = shell::MainMenu();
  menu.EnableItems({MenuItem::zonedescription, MenuItem::Image5});
  EXPECT_TRUE(menu.ControlEnabled(MenuItem::zonedescription));
  EXPECT_TRUE(menu.ControlEnabled(MenuItem::Image5));
  shell::ClearWindowOpeners();
  menu.EnableItems({});
  EXPECT_FALSE(menu.ControlEnabled(MenuItem::zonedescription));
}

// Retrieve the inch-pound sample, step 5, the list of its zones, "<< Menu"; the zone list is
// saved as build/screens/zonename.png.
TEST_F(ZoneListTest, walk_through_from_the_sample_project_to_the_zone_list_and_back) {
  const std::filesystem::path sample =
      std::filesystem::path(KALVANO_SOURCE_DIR) / "data" / "sample" / "SampleProject.inp";
  shell::RetrieveProject(m, sample.string(), "SampleProject.inp");
  ASSERT_EQ(m.ZoneCount, 2);
  shell::mainmenu& menu = shell::MainMenu();
  menu.show();
  menu.EnableItems({MenuItem::zonedescription, MenuItem::Image5});
  menu.Image5_Click();
  ASSERT_NE(ZoneListWindow(), nullptr);
  zonename& list = *ZoneListWindow();
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(list.Cell(1, 0), "11");
  EXPECT_EQ(list.Cell(1, 1), "Office West");
  EXPECT_EQ(list.Cell(2, 0), "12");
  EXPECT_EQ(list.Cell(2, 1), "Office East");
  EXPECT_EQ(list.Cell(2, 2), " 2");
  EXPECT_EQ(list.Cell(3, 0), "");

  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  const QPixmap picture = list.grab();
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save(QString::fromStdString((folder / "zonename.png").string())));

  list.back_Click();
  EXPECT_TRUE(boxes.asked.empty()) << "every zone of a retrieved project counts as opened";
  EXPECT_EQ(ZoneListWindow(), nullptr);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(m.StepFlags[5], 1);
  EXPECT_EQ(m.ProjectData[8], " 3200");
}

}  // namespace
}  // namespace kalvano::zones
