// The project information window: the building-type menu in both unit systems, the key
// filter of its boxes, Undo Last, and "OK" and "Cancel" with what they give the main menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <filesystem>

#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/projectinfo.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

class ProjectInfoWindow_ : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    Model().AppDir = base.dir().string();
    Model().CurrentYear = 2026;
    Model().ProjectFile = "New_Project";
    for (const auto& entry : fs::directory_iterator(std::string(KALVANO_SOURCE_DIR) + "/data/btype")) {
      fs::copy_file(entry.path(), base.dir() / "btype" / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
  // Opens the window from the main menu's step 1 and lets its activation run.
  projectinfo& Open() {
    MainMenu().projectinformation_Click();
    QApplication::processEvents();
    ProjectInfoWindow().Form_Activate();
    return ProjectInfoWindow();
  }
  static std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }
};

TEST_F(ProjectInfoWindow_, shows_its_captions_menu_and_units) {
  for (int16_t units : {model::kInchPound, model::kSI}) {
    Model().UnitSystem = units;
    projectinfo& w = Open();
    EXPECT_EQ(w.windowTitle(), "Project Information -- New_Project");
    EXPECT_EQ(w.Label12()->text(), units == model::kSI ? "sq.m." : "sq.ft");
    EXPECT_EQ(w.Label13()->text(), units == model::kSI ? "$/sq.m." : "$/sq.ft");
    EXPECT_EQ(w.findChild<QLabel*>("Label1")->text(), "Orientation            :");
    EXPECT_EQ(w.findChild<QLabel*>("project(9)")->text(), "Occ. Days /week :");
    EXPECT_EQ(w.btype()->title(), "Building Type");
    EXPECT_EQ(w.building(1)->text(), "Auditorium");
    EXPECT_EQ(w.building(42)->text(), "Workshop");
    EXPECT_EQ(w.undobutton()->text(), "Undo Last");
    w.cancel_Click();
    QApplication::processEvents();
  }
}

TEST_F(ProjectInfoWindow_, every_installed_building_type_loads_in_both_unit_systems) {
  for (int16_t units : {model::kInchPound, model::kSI}) {
    Model().UnitSystem = units;
    projectinfo& w = Open();
    for (int n = 1; n <= kBuildingTypes; ++n) {
      w.building(n)->trigger();
      EXPECT_EQ(Model().BldTypeNo, n);
      EXPECT_EQ(Text(w.projectid(6)), "2026");
      EXPECT_EQ(Model().ProjectData[0], Text(w.projectid(0)));
      EXPECT_FALSE(Text(w.projectid(0)).empty()) << n;
    }
    EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
    w.cancel_Click();
    QApplication::processEvents();
  }
}

TEST_F(ProjectInfoWindow_, office_type_fills_boxes_and_model_converted_in_si) {
  struct Case {
    int16_t units;
    std::string area, cost, gas, outdoorAir;
    float people;
  } cases[] = {
      {model::kInchPound, "50000", "200", "1.20", "CP17", 200.0f},
      // 50000 ft2 is 4645.152 m2, written as the SI project file writes floor areas.
      {model::kSI, "  4645", " 2152.78", " 11.37", "CP8", 18.6f},
  };
  for (const Case& c : cases) {
    Model() = model::ProjectModel{};
    Model().AppDir = base.dir().string();
    Model().CurrentYear = 2026;
    Model().UnitSystem = c.units;
    projectinfo& w = Open();
    w.building(24)->trigger();
    EXPECT_EQ(Text(w.projectid(0)), "Office building 24");
    EXPECT_EQ(Text(w.projectid(3)), "Chicago, Illinois");
    EXPECT_EQ(Text(w.projectid(8)), c.area);
    EXPECT_EQ(Model().ProjectData[8], c.area);
    EXPECT_EQ(Text(w.projectid(9)), c.cost);
    EXPECT_EQ(Model().ProjectData[9], c.cost);
    EXPECT_EQ(Model().EconData[7], c.gas);
    EXPECT_EQ(Model().ZoneData[12][9], c.outdoorAir);
    EXPECT_FLOAT_EQ(Model().ZonePeople[12], c.people);
    EXPECT_EQ(Model().BldTypeChosen, 1);
    w.cancel_Click();  // the load stays in the model
    QApplication::processEvents();
    EXPECT_EQ(Model().ProjectData[9], c.cost);
    EXPECT_EQ(Model().StepFlags[1], 0);
  }
}

TEST_F(ProjectInfoWindow_, a_missing_type_file_is_reported_and_keeps_the_type) {
  projectinfo& w = Open();
  w.building(24)->trigger();
  base.remove("btype/bdtype3.dat");
  w.building(3)->trigger();
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text.rfind("Bad file name, or some files are missing", 0), 0U);
  EXPECT_EQ(Model().BldTypeNo, 24);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ProjectInfoWindow_, building_type_menu_is_disabled_for_a_project_from_a_file) {
  Model().ProjectLoaded = 1;
  EXPECT_FALSE(Open().btype()->isEnabled());
}

TEST_F(ProjectInfoWindow_, box_zero_asks_for_the_menu_while_no_file_is_loaded) {
  projectinfo& w = Open();
  QTest::keyClicks(w.projectid(0), "ab");
  QTest::mouseClick(w.projectid(0), Qt::LeftButton);
  EXPECT_EQ(Text(w.projectid(0)), "");
  ASSERT_EQ(boxes.asked.size(), 3U);
  for (const auto& a : boxes.asked) {
    EXPECT_EQ(a.text, "Select building type from menu");
    EXPECT_EQ(a.title, "Building Type");
    EXPECT_EQ(a.icon, MsgIcon::Information);
  }
  EXPECT_EQ(boxes.beeps, 0);
}

TEST_F(ProjectInfoWindow_, typed_keys_pass_the_filter_of_each_box) {
  projectinfo& w = Open();
  struct Case {
    int box;
    const char* keys;
    std::string want;
    std::vector<std::string> messages;
    int beeps;
  } cases[] = {
      {10, "8", "", {"Error. The maximum occupied days are 7 days per-week."}, 1},
      {10, "50", "50", {}, 0},
      {10, "71", "7", {"Error.  The maximum occupied days are 7 days per-week."}, 1},
      {10, "7.", "7.", {}, 0},
      {6, "20-26", "2026", {"You should use numerical value."}, 1},
      {7, "123456789012", "12345678901", {}, 1},  // an eleventh character, not a twelfth
      {2, "Two storeys, brick", "Two storeys, brick", {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    w.projectid(c.box)->clear();
    boxes.asked.clear();
    boxes.beeps = 0;
    QTest::keyClicks(w.projectid(c.box), c.keys);
    EXPECT_EQ(Text(w.projectid(c.box)), c.want);
    std::vector<std::string> messages;
    for (const auto& a : boxes.asked) messages.push_back(a.text);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(boxes.beeps, c.beeps);
    EXPECT_EQ(w.LastEditedBox(), c.box);
  }
  EXPECT_EQ(Model().OrientEdited, 1);  // box 7 was typed in
}

// No project file holds a character beyond Latin-1: typed, it is refused like any other key
// a box does not take; pasted, it is left out of the pasted text.
TEST_F(ProjectInfoWindow_, boxes_keep_only_latin1_characters_typed_or_pasted) {
  projectinfo& w = Open();
  QLineEdit* name = w.projectid(1);
  name->setFocus();
  QTest::keyClicks(name, "Haus");
  const QString euro(QChar(0x20AC));
  QTest::sendKeyEvent(QTest::Click, name, static_cast<Qt::Key>(0x20AC), euro, Qt::NoModifier);
  EXPECT_EQ(name->text(), "Haus");
  EXPECT_EQ(boxes.beeps, 1);
  EXPECT_TRUE(boxes.asked.empty());
  // A numeric box answers it as any other character that is no digit.
  QTest::sendKeyEvent(QTest::Click, w.projectid(9), static_cast<Qt::Key>(0x20AC), euro,
                      Qt::NoModifier);
  EXPECT_EQ(w.projectid(9)->text(), "");
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, "You should use numerical value.");

  QApplication::clipboard()->setText(QString::fromUtf8("B\u00FCro \u20AC5"));
  name->end(false);
  QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(name->text(), QString::fromUtf8("HausB\u00FCro 5"));
  name->clear();
  name->paste();
  EXPECT_EQ(name->text(), QString::fromUtf8("B\u00FCro 5"));
  EXPECT_EQ(w.BoxText(1), "B\xFCro 5");  // stored as the Latin-1 bytes of the file
  w.OK_Click();
  EXPECT_EQ(Model().ProjectData[1], "B\xFCro 5");
}

TEST_F(ProjectInfoWindow_, ok_refuses_a_bad_year_or_too_many_days_and_stores_otherwise) {
  projectinfo& w = Open();
  w.building(24)->trigger();
  struct Case {
    std::string year, days;
    const char* message;  // nullptr: accepted
  } cases[] = {
      {"2026", "50", "The maximum occupied days are 7 days per-week."},
      {"2026a", "5", "You should put the construction year."},
      {"", "7", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.year + "|" + c.days);
    boxes.asked.clear();
    w.SetBoxText(6, c.year);
    w.SetBoxText(10, c.days);
    w.SetBoxText(1, "My office");
    QTest::mouseClick(w.ok(), Qt::LeftButton);
    if (c.message != nullptr) {
      ASSERT_EQ(boxes.asked.size(), 1U);
      EXPECT_EQ(boxes.asked[0].text, c.message);
      EXPECT_EQ(boxes.asked[0].title, "Error");
      EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
      EXPECT_TRUE(ProjectInfoLoaded());
      EXPECT_EQ(Model().StepFlags[1], 0);
      EXPECT_EQ(Model().ProjectData[1], "New_Project");  // nothing stored
    } else {
      EXPECT_TRUE(boxes.asked.empty());
      EXPECT_FALSE(ProjectInfoLoaded());
      EXPECT_EQ(Model().StepFlags[1], 1);
      EXPECT_EQ(Model().ProjectData[1], "My office");
      EXPECT_EQ(Model().ProjectData[6], "");
      EXPECT_EQ(Model().ProjectData[10], "7");
      EXPECT_TRUE(MainMenu().isVisible());
    }
  }
}

TEST_F(ProjectInfoWindow_, ok_enables_the_zone_step_and_the_run_as_the_project_allows) {
  struct Case {
    int16_t loaded, sketched;
    bool zones, run;
  } cases[] = {{0, 0, false, false}, {0, 1, true, false}, {1, 0, true, true}};
  for (const Case& c : cases) {
    ResetSession();
    Model().AppDir = base.dir().string();
    Model().ProjectLoaded = c.loaded;
    Model().StepFlags[4] = c.sketched;
    Open().OK_Click();
    const MenuEnabling& state = MainMenu().Enabling();
    EXPECT_EQ(state[MenuItem::zonedescription], c.zones) << c.loaded << c.sketched;
    EXPECT_EQ(state[MenuItem::Image5], c.zones);
    EXPECT_EQ(state[MenuItem::runmenu], c.run);
    EXPECT_EQ(state[MenuItem::executerun], c.run);
    EXPECT_EQ(Model().StepFlags[1], 1);
  }
}

TEST_F(ProjectInfoWindow_, undo_restores_from_the_last_edited_box_downwards) {
  Model().ProjectData[8] = "1200";
  Model().ProjectData[9] = "95";
  Model().StepFlags[1] = 1;
  projectinfo& w = Open();
  w.undobutton_Click();  // right after opening nothing changes
  EXPECT_EQ(Text(w.projectid(0)), "");
  QTest::keyClicks(w.projectid(9), "5");
  QTest::keyClicks(w.projectid(8), "0");
  w.projectid(9)->setFocus();
  QTest::keyClicks(w.projectid(9), "1");
  EXPECT_EQ(Text(w.projectid(9)), "9551");
  w.undobutton_Click();
  EXPECT_EQ(Text(w.projectid(9)), "95");
  EXPECT_EQ(Text(w.projectid(8)), "12000");
  w.undobutton_Click();
  EXPECT_EQ(Text(w.projectid(8)), "1200");
  EXPECT_EQ(Model().ProjectData[9], "95");  // Undo never touches the model
}

TEST_F(ProjectInfoWindow_, cancel_restores_the_boxes_and_stores_nothing) {
  Model().ProjectData[1] = "Stored";
  Model().StepFlags[1] = 1;
  projectinfo& w = Open();
  QTest::keyClicks(w.projectid(1), " typed");
  w.cancel_Click();
  EXPECT_EQ(Model().ProjectData[1], "Stored");
  EXPECT_FALSE(ProjectInfoLoaded());
  EXPECT_TRUE(MainMenu().isVisible());
}

TEST_F(ProjectInfoWindow_, a_new_sketch_shows_its_orientation_and_area_on_activation) {
  Model().Resketched = 1;
  Model().BldOrient = "45";
  Model().FloorArea = 1440;
  Model().StepFlags[1] = 1;
  projectinfo& w = Open();
  EXPECT_EQ(Text(w.projectid(7)), "45");
  EXPECT_EQ(Text(w.projectid(8)), " 1440");
}

TEST_F(ProjectInfoWindow_, tutorial_shows_the_help_text_of_the_step) {
  base.write("helpinfo/help2.txt", "Project information help.\r\n");
  Open().tutorial_Click();
  EXPECT_EQ(LearningWindow().windowTitle(), "PROJECT INFORMATION -- New_Project");
  EXPECT_TRUE(LearningWindow().isVisible());
}

}  // namespace
}  // namespace kalvano::shell
