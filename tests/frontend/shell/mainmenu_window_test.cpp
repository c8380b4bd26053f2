// The main menu window: captions, the enabling that its controls show, New Project, Exit and
// the help items.
#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>

#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/warning.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

class MainMenuWindow : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    Model().AppDir = base.dir().string();
    Model().ProjectFile = "New_Project";
  }
};

using M = MenuItem;

TEST_F(MainMenuWindow, carries_the_captions_and_shortcuts_of_its_steps_and_menus) {
  mainmenu& menu = MainMenu();
  const struct {
    M item;
    const char* caption;
  } steps[] = {
      {M::projectinformation, "1. Project Information"},
      {M::weatherdata, "2. Weather Data Selection"},
      {M::economicsdata, "3. Economic Parameters"},
      {M::buildingsketch, "4. Building Sketch Routine"},
      {M::zonedescription, "5. Zone Description Parameters"},
      {M::executerun, "6. Execute Energy Analysis"},
      {M::Picture1, "Retrieve a sample Kalvano project, SampleProject.inp"},
      {M::Picture2, "Retrieve output results from any previous project, anyfile.ot1"},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(qobject_cast<QLabel*>(menu.Control(s.item))->text(), s.caption);
  }
  const struct {
    M item;
    const char* caption;
    const char* shortcut;
  } items[] = {
      {M::filemenu, "&File", ""},
      {M::newitem, "&New Project", "Ctrl+N"},
      {M::retrieveitem, "&Retrieve Old Project", "Ctrl+R"},
      {M::saveinput, "Save &Project File", "Ctrl+S"},
      {M::exititem, "E&xit", "Ctrl+X"},
      {M::runmenu, "&Analysis", ""},
      {M::runenergy1, "&Error Check Only", "Ctrl+E"},
      {M::runenergy2, "&Abbreviated Run", ""},
      {M::runenergy3, "Run with   A/C ", "Ctrl+A"},
      {M::runenergy4, "Run w/out A/C (&Passive)", "Ctrl+P"},
      {M::viewmenu, "&View Output", ""},
      {M::view6, "Tabular Results (Current)", ""},
      {M::view7, "Space Comfort Conditions", ""},
      {M::view8, "Weather Summary", ""},
      {M::view10, "Graphical Results (Current)", ""},
      {M::view12, "Retrieve Previous Output File", ""},
      {M::dtbase, "Database", ""},
      {M::dbase1, "Wall/Roof/Floor Catalog", ""},
      {M::dbase2, "Window && Skylight Catalog", ""},  // "&&" shows one "&"
      {M::dbase3, "HVAC System Types", ""},
      {M::Helpmenu, "&Help", ""},
      {M::contentitem, "Content", ""},
      {M::introductionitem, "Introduction to KAL-VANO", ""},
      {M::learningitem, "Learning KAL-VANO", ""},
      {M::Licenseitem, "License Agreement", ""},
      {M::aboutitem, "About KAL-VANO", ""},
  };
  for (const auto& i : items) {
    auto* action = qobject_cast<QAction*>(menu.Control(i.item));
    ASSERT_NE(action, nullptr) << MenuItemName(i.item);
    EXPECT_EQ(action->text(), i.caption);
    EXPECT_EQ(action->shortcut().toString(), i.shortcut) << MenuItemName(i.item);
  }
  const QStringList frames = [&] {
    QStringList titles;
    for (auto* box : menu.findChildren<QGroupBox*>()) titles << box->title();
    return titles;
  }();
  EXPECT_TRUE(frames.contains("  Main Menu"));
  EXPECT_TRUE(frames.contains("  First Time User?"));
}

TEST_F(MainMenuWindow, controls_show_the_created_state_with_windowless_items_disabled) {
  mainmenu& menu = MainMenu();
  for (std::size_t i = 0; i < kMenuItemCount; ++i) {
    const auto item = static_cast<M>(i);
    EXPECT_EQ(menu.ControlEnabled(item), ShownEnabled(CreatedEnabling(), item))
        << MenuItemName(item);
    EXPECT_EQ(menu.ControlVisible(item), !ItemHidden(item)) << MenuItemName(item);
  }
  EXPECT_FALSE(menu.ControlEnabled(M::runmenu));
  EXPECT_TRUE(menu.ControlEnabled(M::exititem));
  EXPECT_TRUE(menu.ControlEnabled(M::projectinformation));
  EXPECT_FALSE(menu.ControlEnabled(M::weatherdata));  // its window comes later
}

TEST_F(MainMenuWindow, activation_sets_caption_and_current_folder_and_enables_the_run) {
  mainmenu& menu = MainMenu();
  std::filesystem::current_path("/");
  Model().StepFlags = {0, 1, 1, 0, 1, 1};
  menu.Form_Activate();
  EXPECT_EQ(std::filesystem::current_path(), base.dir());
  EXPECT_EQ(menu.windowTitle(), "-- New_Project.inp");
  EXPECT_TRUE(menu.Enabling()[M::runmenu]);
  EXPECT_TRUE(menu.ControlEnabled(M::runmenu));
  EXPECT_TRUE(menu.Enabling()[M::executerun]);
  EXPECT_FALSE(menu.Enabling()[M::zonedescription]);

  Model().ProjectLoaded = 1;
  Model().ProjectFile = "/p/house.inp";
  Model().StepFlags = {};
  menu.Form_Activate();
  EXPECT_EQ(menu.windowTitle(), "-- /p/house.inp");
  EXPECT_TRUE(menu.Enabling()[M::runmenu]);  // activation never disables
}

TEST_F(MainMenuWindow, new_project_answered_no_changes_nothing) {
  mainmenu& menu = MainMenu();
  Model().StepFlags = {0, 1, 1, 1, 1, 1};
  menu.Form_Activate();
  boxes.answers = {MsgAnswer::No};
  menu.newitem_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text,
            "Your current data will be lost if you have not saved it.  Do you still want to "
            "start a new project?");
  EXPECT_EQ(boxes.asked[0].title, "Warning...");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_EQ(Model().ProjectFile, "New_Project");
  EXPECT_EQ(Model().StepFlags[3], 1);
  EXPECT_TRUE(menu.Enabling()[M::runmenu]);
}

TEST_F(MainMenuWindow, new_project_answered_yes_resets_the_project_and_disables_the_run) {
  mainmenu& menu = MainMenu();
  Model().StepFlags = {0, 1, 1, 1, 1, 1};
  Model().ResultsViewable = 1;
  Model().ProjectData[1] = "Old project";
  menu.Form_Activate();
  boxes.answers = {MsgAnswer::Yes};
  menu.newitem_Click();
  const auto& m = Model();
  EXPECT_EQ(m.ProjectFile, "NewProject.inp");
  EXPECT_EQ(m.LastProjectFile, "New_Project");
  EXPECT_EQ(m.ProjectData[1], "");
  EXPECT_EQ(m.StepFlags, (std::array<int16_t, 6>{}));
  EXPECT_EQ(m.ResultsViewable, 0);
  EXPECT_EQ(menu.windowTitle(), "-- NewProject.inp");
  for (M item : {M::zonedescription, M::Image5, M::runmenu, M::Image6, M::executerun}) {
    EXPECT_FALSE(menu.Enabling()[item]) << MenuItemName(item);
    EXPECT_FALSE(menu.ControlEnabled(item)) << MenuItemName(item);
  }
}

TEST_F(MainMenuWindow, new_project_asks_even_when_nothing_was_done) {
  MainMenu().newitem_Click();
  EXPECT_EQ(boxes.asked.size(), 1U);
}

TEST_F(MainMenuWindow, exit_fills_the_exit_dialog_labels_and_shows_it) {
  mainmenu& menu = MainMenu();
  Model().LastProjectFile = "/p/house.inp";
  menu.exititem_Click();
  warning& dialog = ExitDialog();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), "KALVANOec");
  EXPECT_EQ(dialog.Label1()->text(), "Save input changes to:");
  EXPECT_EQ(dialog.Label2()->text(), "/p/house.inp ?");

  Model().InputSaved = 1;
  menu.exititem_Click();
  EXPECT_EQ(dialog.Label1()->text(), "Do you want to save your input ?");
  EXPECT_EQ(dialog.Label2()->text(), "/p/house.inp ?");
}

TEST_F(MainMenuWindow, closing_from_the_window_manager_acts_as_file_exit) {
  mainmenu& menu = MainMenu();
  menu.show();
  EXPECT_FALSE(menu.close());
  EXPECT_TRUE(menu.isVisible());
  EXPECT_TRUE(ExitDialog().isVisible());
  EXPECT_EQ(ExitDialog().Label1()->text(), "Save input changes to:");
  EXPECT_TRUE(endRequests.empty());
}

TEST_F(MainMenuWindow, project_items_and_pictures_open_their_windows) {
  std::filesystem::create_directories(base.path("sample"));
  mainmenu& menu = MainMenu();
  emit qobject_cast<ClickLabel*>(menu.Control(M::Image1))->clicked();
  EXPECT_TRUE(ProjectInfoLoaded());
  ProjectInfoWindow().cancel_Click();
  qobject_cast<QAction*>(menu.Control(M::retrieveitem))->trigger();
  EXPECT_TRUE(RetrieveDialog().isVisible());
  RetrieveDialog().cancelbutton_Click();
  emit qobject_cast<ClickLabel*>(menu.Control(M::Picture1))->clicked();
  EXPECT_TRUE(SampleDialog().isVisible());
  EXPECT_FALSE(menu.isEnabled());
  SampleDialog().cancelbutton_Click();
  EXPECT_TRUE(menu.isEnabled());
  qobject_cast<QAction*>(menu.Control(M::saveinput))->trigger();
  ASSERT_EQ(boxes.asked.size(), 1U);  // no weather step yet
  EXPECT_EQ(boxes.asked[0].title, "Weather Data");
}

TEST_F(MainMenuWindow, help_items_show_their_file_in_the_viewer_with_their_caption) {
  const struct {
    void (mainmenu::*click)();
    const char* file;
    const char* caption;
  } cases[] = {
      {&mainmenu::introductionitem_Click, "helpinfo/mainhlp2.txt", "INTRODUCTION TO KAL-VANO EC"},
      {&mainmenu::learningitem_Click, "helpinfo/help1.txt", "Learning KAL-VANO"},
      {&mainmenu::Licenseitem_Click, "helpinfo/license.txt", "License agreement for KAL-VANO"},
      {&mainmenu::aboutitem_Click, "helpinfo/mainhlp1.txt", "KAL-VANO EC"},
  };
  for (const auto& c : cases) {
    base.write(c.file, std::string("Text of ") + c.file + "\r\nline two \xB0\r\n");
    (MainMenu().*c.click)();
    Learning& viewer = LearningWindow();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), c.caption);
    EXPECT_EQ(viewer.Text(), QString("Text of ") + c.file + "\nline two " + QChar(0xB0) + "\n");
  }
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_TRUE(MainMenu().isEnabled());
}

TEST_F(MainMenuWindow, a_missing_help_file_is_reported_and_no_viewer_is_shown) {
  base.remove("helpinfo/license.txt");
  MainMenu().Licenseitem_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].title, "Kalvano Error #  53");
  EXPECT_EQ(boxes.asked[0].text.rfind("Bad file name, or some files are missing", 0), 0U);
  EXPECT_NE(boxes.asked[0].text.find("license.txt"), std::string::npos);
  EXPECT_FALSE(LearningWindow().isVisible());
}

}  // namespace
}  // namespace kalvano::shell
