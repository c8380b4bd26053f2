// The start-up window: initialisation, unit choice, Continue and closing.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include "frontend/shell/mainform.h"
#include "frontend/shell/mainmenu.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

using StartupWindow = test::ShellTest;

mainform* NewStartup() {
  auto* window = new mainform;
  SetStartupWindow(window);
  return window;
}

TEST_F(StartupWindow, first_activation_sets_the_start_up_state_from_the_installed_files) {
  base.write("temp/tavik$.unt", "1\r\n");
  mainform* w = NewStartup();
  ASSERT_TRUE(w->Form_Activate());
  const auto& m = Model();
  EXPECT_EQ(std::filesystem::path(m.AppDir), std::filesystem::current_path());
  EXPECT_EQ(m.ProjectFile, "New_Project");
  EXPECT_EQ(m.OutputFile, "Untitled.ot1");
  EXPECT_EQ(m.WeeksPerMonth, 4);
  EXPECT_EQ(m.GridRows, 60);
  EXPECT_EQ(m.GridCols, 80);
  EXPECT_EQ(m.BldTypeName[1], "01 Building type 1");
  EXPECT_EQ(m.BldTypeName[42], "42 Building type 42");
  EXPECT_EQ(m.BldTypeName[43], "");
  EXPECT_EQ(m.OccProfile[1], test::BaseFolder::ProfileLine(1, 1));
  EXPECT_EQ(m.HwProfile[24], test::BaseFolder::ProfileLine(2, 24));
  EXPECT_EQ(m.VentProfile[30], test::BaseFolder::ProfileLine(3, 30));
  EXPECT_EQ(m.LiteProfile[42], test::BaseFolder::ProfileLine(4, 42));
  EXPECT_EQ(m.LiteProfile[43], "");
  EXPECT_GE(m.CurrentYear, 2024);
  EXPECT_FALSE(m.TodayText.empty());
  EXPECT_EQ(m.UnitSystem, 1);
  EXPECT_TRUE(w->unitnum(1)->isChecked());
  EXPECT_FALSE(w->unitnum(2)->isChecked());
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_TRUE(endRequests.empty());
}

TEST_F(StartupWindow, clears_every_profile_mark_and_runs_its_initialisation_once) {
  mainform* w = NewStartup();
  Model().OccProfNo[50] = "50";
  Model().TempProfNo[1] = "1";
  ASSERT_TRUE(w->Form_Activate());
  EXPECT_EQ(Model().OccProfNo[50], "");
  EXPECT_EQ(Model().TempProfNo[1], "");
  Model().ProjectFile = "kept.inp";
  w->Form_Activate();
  EXPECT_EQ(Model().ProjectFile, "kept.inp");
}

TEST_F(StartupWindow, a_missing_or_unreadable_unit_default_selects_si_silently) {
  for (const char* content : {static_cast<const char*>(nullptr), "", "2\r\n", "0", "abc"}) {
    test::ScriptedBoxes fresh;
    SetMessages(&fresh);
    ResetSession();
    if (content == nullptr) base.remove("temp/tavik$.unt");
    else base.write("temp/tavik$.unt", content);
    mainform* w = NewStartup();
    ASSERT_TRUE(w->Form_Activate());
    EXPECT_EQ(Model().UnitSystem, 2);
    EXPECT_TRUE(w->unitnum(2)->isChecked());
    EXPECT_FALSE(w->unitnum(1)->isChecked());
    EXPECT_TRUE(fresh.asked.empty());
  }
  SetMessages(&boxes);
}

TEST_F(StartupWindow, a_missing_installed_file_is_reported_by_name_and_ends_the_program) {
  for (const char* file : {"btype/bdtype12.dat", "profiles/bprof4.dat"}) {
    test::BaseFolder other;
    other.remove(file);
    std::filesystem::current_path(other.dir());
    test::ScriptedBoxes fresh;
    SetMessages(&fresh);
    endRequests.clear();
    ResetSession();
    mainform* w = NewStartup();
    EXPECT_FALSE(w->Form_Activate());
    ASSERT_EQ(fresh.asked.size(), 1U) << file;
    EXPECT_EQ(fresh.asked[0].title, "Kalvano Error #  53");
    EXPECT_EQ(fresh.asked[0].text,
              "Bad file name, or some files are missing, or your input is not complete. "
              "Re-check your program input data.\n\n" + other.path(file).string());
    EXPECT_EQ(fresh.asked[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(endRequests, std::vector<int>{1});
    std::filesystem::current_path(base.dir());
    ResetSession();
  }
  SetMessages(&boxes);
}

TEST_F(StartupWindow, a_unit_click_answered_yes_stores_the_default) {
  base.write("temp/tavik$.unt", "2\r\n");
  mainform* w = NewStartup();
  ASSERT_TRUE(w->Form_Activate());
  boxes.answers = {MsgAnswer::Yes};
  QTest::mouseClick(w->unitnum(1), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, "Set I-P Units as the default?");
  EXPECT_EQ(boxes.asked[0].title, "Set Units");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Question);
  EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(base.read("temp/tavik$.unt"), "1\r\n");
  EXPECT_EQ(Model().UnitSystem, 1);
  EXPECT_TRUE(w->unitnum(1)->isChecked());
  EXPECT_FALSE(w->unitnum(2)->isChecked());
}

TEST_F(StartupWindow, a_unit_click_answered_no_leaves_the_file_yet_the_choice_holds) {
  base.write("temp/tavik$.unt", "1\r\n");
  mainform* w = NewStartup();
  ASSERT_TRUE(w->Form_Activate());
  boxes.answers = {MsgAnswer::No};
  QTest::mouseClick(w->unitnum(2), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, "Set SI Units as the default?");
  EXPECT_EQ(base.read("temp/tavik$.unt"), "1\r\n");
  QTest::mouseClick(w->continueButton(), Qt::LeftButton);
  EXPECT_EQ(Model().UnitSystem, 2);
}

TEST_F(StartupWindow, clicking_the_selected_option_asks_again_and_yes_rewrites_the_file) {
  base.write("temp/tavik$.unt", "2");
  mainform* w = NewStartup();
  ASSERT_TRUE(w->Form_Activate());
  boxes.answers = {MsgAnswer::Yes};
  QTest::mouseClick(w->unitnum(2), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, "Set SI Units as the default?");
  EXPECT_EQ(base.read("temp/tavik$.unt"), "2\r\n");
  EXPECT_TRUE(w->unitnum(2)->isChecked());
}

TEST_F(StartupWindow, a_unit_default_that_cannot_be_written_is_reported) {
  std::filesystem::remove_all(base.path("temp"));
  mainform* w = NewStartup();
  ASSERT_TRUE(w->Form_Activate());
  boxes.answers = {MsgAnswer::Yes};
  QTest::mouseClick(w->unitnum(1), Qt::LeftButton);
  ASSERT_EQ(boxes.asked.size(), 2U);
  EXPECT_EQ(boxes.asked[1].title, "Kalvano Error #  76");
  EXPECT_EQ(Model().UnitSystem, 1);
}

TEST_F(StartupWindow, continue_opens_the_main_menu_with_its_caption_and_disables_itself) {
  mainform* w = NewStartup();
  w->show();
  ASSERT_TRUE(w->Form_Activate());
  w->continue_Click();
  // The caption that Continue sets, before the main menu's own activation replaces it.
  EXPECT_EQ(MainMenu().windowTitle(), "-- New_Project");
  EXPECT_TRUE(MainMenu().isVisible());
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isEnabled());
  // It stays behind the main menu and the step windows: a click on it cannot raise it.
  ASSERT_NE(w->windowHandle(), nullptr);
  EXPECT_TRUE(w->windowHandle()->flags().testFlag(Qt::WindowStaysOnBottomHint));
  EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnBottomHint));
  EXPECT_FALSE(MainMenu().windowHandle()->flags().testFlag(Qt::WindowStaysOnBottomHint));
}

TEST_F(StartupWindow, continue_without_a_unit_asks_for_one_and_stays) {
  mainform* w = NewStartup();
  ASSERT_TRUE(w->Form_Activate());
  w->findChild<QButtonGroup*>()->setExclusive(false);
  w->unitnum(1)->setChecked(false);
  w->unitnum(2)->setChecked(false);
  w->continue_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, "Please select Units");
  EXPECT_EQ(boxes.asked[0].title, "Select Units");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(w->isEnabled());
}

TEST_F(StartupWindow, closing_before_work_began_ends_the_program_at_once) {
  mainform* w = NewStartup();
  w->show();
  ASSERT_TRUE(w->Form_Activate());
  w->close();
  EXPECT_EQ(endRequests, std::vector<int>{0});
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(StartupWindow, closing_after_a_step_was_done_is_refused_and_shows_the_main_menu) {
  mainform* w = NewStartup();
  w->show();
  ASSERT_TRUE(w->Form_Activate());
  w->continue_Click();
  MainMenu().hide();
  Model().StepFlags[1] = 1;
  EXPECT_FALSE(w->close());
  EXPECT_TRUE(w->isVisible());
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text,
            "You may only exit from the File menu on the Main menu screen, press OK");
  EXPECT_EQ(boxes.asked[0].title, "Exit Warning");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(MainMenu().isVisible());
  EXPECT_TRUE(endRequests.empty());
}

TEST_F(StartupWindow, keeps_its_frame_centred_whatever_its_size) {
  mainform* w = NewStartup();
  w->show();
  for (QSize size : {QSize(1000, 700), QSize(760, 520)}) {
    w->resize(size);
    QCoreApplication::processEvents();
    const QPoint centre = w->Frame1()->geometry().center();
    EXPECT_LE(std::abs(centre.x() - w->rect().center().x()), 2) << size.width();
    EXPECT_LE(std::abs(centre.y() - w->rect().center().y()), 2) << size.height();
  }
}

TEST_F(StartupWindow, shows_its_captions) {
  mainform* w = NewStartup();
  EXPECT_EQ(w->windowTitle(), "KAL-VANO EC (Energy Compliance)");
  EXPECT_EQ(w->Frame1()->title(), "Start-up Menu");
  EXPECT_EQ(w->unitnum(1)->text(), "I-P Units");
  EXPECT_EQ(w->unitnum(2)->text(), "SI Units");
  EXPECT_EQ(w->continueButton()->text(), "Continue >>");
  for (const char* name : {"Label4", "Label6"}) {
    auto* label = w->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), "KAL-VANO  ec");
  }
  EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "[90.1-2007 ASHRAE Standard Defaults]");
  EXPECT_EQ(w->findChild<QLabel*>("Label7")->text(),
            "(Energy Compliance for Buildings, Professional Edition 6.5)");
}

}  // namespace
}  // namespace kalvano::shell
