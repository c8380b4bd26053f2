// The exit dialog: "No" with and without unsaved results, "Cancel", and "OK".
#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "frontend/model/project_file.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/warning.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

class ExitDialogTest : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    Model().AppDir = base.dir().string();
    // A project with a file of its own: its temporary zone files are to be deleted.
    Model().ProjectLoaded = 1;
    base.write("temp/temp1A.zon", "1\r\n");
    base.write("temp/temp2B.zon", "2\r\n");
    MainMenu().exititem_Click();
  }
  bool ZoneFilesKept() const {
    return base.exists("temp/temp1A.zon") && base.exists("temp/temp2B.zon");
  }
};

TEST_F(ExitDialogTest, shows_its_buttons) {
  warning& dialog = ExitDialog();
  EXPECT_EQ(dialog.okey()->text(), "OK");
  EXPECT_EQ(dialog.Command1()->text(), "No");
  EXPECT_EQ(dialog.cancel()->text(), "Cancel");
}

TEST_F(ExitDialogTest, no_without_results_deletes_the_zone_files_and_ends_the_program) {
  QPointer<warning> dialog = &ExitDialog();
  QTest::mouseClick(dialog->Command1(), Qt::LeftButton);
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_FALSE(base.exists("temp/temp1A.zon"));
  EXPECT_FALSE(base.exists("temp/temp2B.zon"));
  EXPECT_EQ(endRequests, std::vector<int>{0});
}

TEST_F(ExitDialogTest, no_with_saved_results_ends_the_program_without_a_question) {
  Model().ResultsExist = 1;
  Model().OutputSaved = 1;
  ExitDialog().Command1_Click();
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(endRequests, std::vector<int>{0});
}

TEST_F(ExitDialogTest, no_with_unsaved_results_asks_and_no_gives_them_up) {
  Model().ResultsExist = 1;
  boxes.answers = {MsgAnswer::No};
  ExitDialog().Command1_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text,
            "The last simulation results has not been saved.  Do you wish to save them?");
  EXPECT_EQ(boxes.asked[0].title, "Save output");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::None);
  EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_FALSE(base.exists("temp/temp1A.zon"));
  EXPECT_EQ(endRequests, std::vector<int>{0});
}

TEST_F(ExitDialogTest, no_with_unsaved_results_then_cancel_keeps_running_with_the_dialog_closed) {
  Model().ResultsExist = 1;
  QPointer<warning> dialog = &ExitDialog();
  boxes.answers = {MsgAnswer::Cancel};
  dialog->Command1_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_TRUE(endRequests.empty());
  EXPECT_TRUE(ZoneFilesKept());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Model().SaveOutOnExit, 0);
}

TEST_F(ExitDialogTest, no_with_unsaved_results_then_yes_hands_the_end_to_the_output_save) {
  Model().ResultsExist = 1;
  boxes.answers = {MsgAnswer::Yes};
  ExitDialog().Command1_Click();
  EXPECT_EQ(Model().SaveOutOnExit, 1);
  EXPECT_TRUE(endRequests.empty());
  EXPECT_TRUE(ZoneFilesKept());
  // The save-output dialog is open, without its Run button: its save ends the program.
  ASSERT_TRUE(SaveOutputDialogExists());
  EXPECT_TRUE(SaveOutputDialog().isVisible());
  EXPECT_FALSE(SaveOutputDialog().nosave()->isEnabled());
}

TEST_F(ExitDialogTest, cancel_closes_the_dialog_and_changes_nothing) {
  QPointer<warning> dialog = &ExitDialog();
  QTest::mouseClick(dialog->cancel(), Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Label1()->text(), "");  // closed: the next Exit fills it afresh
  EXPECT_TRUE(endRequests.empty());
  EXPECT_TRUE(ZoneFilesKept());
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(ExitDialogTest, a_fresh_project_keeps_its_zone_files_on_the_way_out) {
  // Nothing was loaded, saved, sketched or edited: there is nothing of the project to delete.
  Model().ProjectLoaded = 0;
  ExitDialog().Command1_Click();
  EXPECT_TRUE(ZoneFilesKept());
  EXPECT_EQ(endRequests, std::vector<int>{0});
}

TEST_F(ExitDialogTest, ok_is_enabled_with_and_without_a_project_file) {
  for (int16_t loaded : {0, 1}) {
    ExitDialog().close();
    Model().ProjectLoaded = loaded;
    MainMenu().exititem_Click();
    EXPECT_TRUE(ExitDialog().okey()->isEnabled()) << loaded;
  }
}

class ExitDialogOk : public ExitDialogTest {
 protected:
  void SetUp() override {
    ExitDialogTest::SetUp();
    base.write("sketch/bld_mtx.all", "Grid Size  : 60\r\n");
    Model().ProjectFile = base.path("house.inp").string();
    Model().WeatherSeed = ".5";
    Model().WeeksPerMonth = 2;
    Model().ProjectData[1] = "House";
  }
  std::string FirstLine() const {
    const std::string text = base.read("house.inp");
    return text.substr(0, text.find("\r\n"));
  }
};

TEST_F(ExitDialogOk, writes_the_project_back_with_the_current_unit_tag_and_ends) {
  Model().UnitSystem = 2;
  QTest::mouseClick(ExitDialog().okey(), Qt::LeftButton);
  ASSERT_TRUE(base.exists("house.inp"));
  EXPECT_EQ(FirstLine(), model::InputHeaderLine(".5", 2, "SI"));
  EXPECT_NE(base.read("house.inp").find("House"), std::string::npos);
  EXPECT_FALSE(base.exists("temp/temp1A.zon"));
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(endRequests, std::vector<int>{0});
}

TEST_F(ExitDialogOk, with_unsaved_results_writes_the_input_first_then_asks) {
  Model().UnitSystem = 1;
  Model().ResultsExist = 1;
  boxes.answers = {MsgAnswer::Cancel};
  ExitDialog().okey_Click();
  ASSERT_TRUE(base.exists("house.inp"));
  EXPECT_EQ(FirstLine(), model::InputHeaderLine(".5", 2, "IP"));
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].title, "Save output");
  EXPECT_TRUE(endRequests.empty());
  EXPECT_FALSE(ExitDialog().isVisible());
}

TEST_F(ExitDialogOk, a_failed_write_is_reported_and_the_program_goes_on) {
  Model().ProjectFile = base.path("no/such/folder/house.inp").string();
  ExitDialog().okey_Click();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].title.rfind("Kalvano Error # ", 0), 0U);
  EXPECT_TRUE(endRequests.empty());
  EXPECT_TRUE(ZoneFilesKept());
}

}  // namespace
}  // namespace kalvano::shell
