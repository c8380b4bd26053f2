// The zone window's fields offscreen: what each field does with keys and clicks, the
// Heating Type, Lighting, Surface Exp. and Profiles menus, natural ventilation, "Undo Last",
// the tutorial and the ventilation-rate dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <fstream>
#include <iterator>

#include "frontend/model/helpers.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/session.h"
#include "frontend/zones/venrate.h"
#include "frontend/zones/zonefields.h"
#include "frontend/zones/zoneform.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

class ZoneFields : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    base.install("btype/tcool.dat");
    base.install("btype/theat.dat");
    shell::Model() = test::ThreeZoneProject(16);
    shell::Model().AppDir = base.dir().string();
  }
  void TearDown() override {
    UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ShellTest::TearDown();
  }
  zoneform& Open(int zone) {
    EXPECT_TRUE(OpenZoneForm(zone));
    return *ZoneFormWindow();
  }
  QAction* Item(zoneform& w, const char* name) { return w.findChild<QAction*>(name); }
  const std::array<int16_t, model::kZoneFields + 1>& Flags(int zone) {
    return shell::Model().ZoneEdit.FieldChanged[static_cast<std::size_t>(zone)];
  }
};

TEST_F(ZoneFields, keys_follow_each_fields_entry_rule) {
  const struct {
    int field;
    char key;
    bool typed;
    const char* message;
    const char* title;
  } cases[] = {
      {1, 'x', false, nullptr, nullptr},
      {1, '7', false, nullptr, nullptr},
      {2, 'x', true, nullptr, nullptr},
      {4, '7', true, nullptr, nullptr},
      {4, 'a', false, "You should use numerical value.", "Error"},
      {23, '-', false, "You should use numerical value.", "Error"},
      {13, ' ', false, "You should use numerical value.", "Error"},
      {8, 'x', false, "Select Profile from Pull-down Menu", "Profiles"},
      {17, '3', false, "Select Profile from Pull-down Menu", "Profiles"},
      {11, '2', false, "Select Lighting type from Pull-down Menu", "Lighting Type"},
      {21, '1', false, "Select HVAC system from Pull-down Menu", "HVAC System"},
  };
  zoneform& w = Open(1);
  for (const auto& c : cases) {
    boxes.asked.clear();
    boxes.beeps = 0;
    const std::string before = Text(w.zone(c.field));
    w.zone(c.field)->setCursorPosition(static_cast<int>(before.size()));
    QTest::keyClick(w.zone(c.field), c.key);
    EXPECT_EQ(Text(w.zone(c.field)), c.typed ? before + c.key : before) << c.field << c.key;
    if (c.message == nullptr) {
      EXPECT_TRUE(boxes.asked.empty()) << c.field;
      EXPECT_EQ(boxes.beeps, 0) << c.field;
      continue;
    }
    ASSERT_EQ(boxes.asked.size(), 1u) << c.field;
    EXPECT_EQ(boxes.asked[0].text, c.message);
    EXPECT_EQ(boxes.asked[0].title, c.title);
    EXPECT_EQ(boxes.asked[0].beepsBefore, 1) << c.field;
  }
  EXPECT_EQ(w.UndoFieldIndex(), 21);  // the last field a key went down in
}

TEST_F(ZoneFields, a_change_of_text_flags_the_field_and_a_click_does_not) {
  zoneform& w = Open(1);
  QTest::mouseClick(w.zone(4), Qt::LeftButton);
  QTest::mouseClick(w.zone(7), Qt::LeftButton);
  EXPECT_EQ(Flags(1)[4], 0);
  EXPECT_EQ(Flags(1)[7], 0);
  EXPECT_EQ(shell::Model().ZoneEdit.LastEditedField, 7);
  QTest::keyClick(w.zone(4), '5');
  EXPECT_EQ(Flags(1)[4], 1);
  EXPECT_EQ(Flags(1)[7], 0);
}

TEST_F(ZoneFields, a_key_in_the_floor_area_refills_the_people_from_the_area_per_person) {
  model::ProjectModel& m = shell::Model();
  m.ZoneFloorArea[1] = 1070;
  m.ZonePeople[1] = 200;
  zoneform& w = Open(1);
  QTest::keyClick(w.zone(3), '0');
  EXPECT_EQ(Text(w.zone(5)), " 6");
  m.ZonePeople[1] = 0.5F;
  QTest::keyClick(w.zone(3), '0');
  EXPECT_EQ(Text(w.zone(5)), m.ZoneData[1][5]);
}

TEST_F(ZoneFields, heating_menu_fills_type_efficiency_and_costs_and_undo_takes_it_back) {
  zoneform& w = Open(1);
  QAction* heating = w.menu(1)->actions().value(1);
  ASSERT_NE(heating->menu(), nullptr);
  EXPECT_TRUE(heating->isEnabled());
  EXPECT_EQ(heating->menu()->actions().value(1)->text(), "2. Elec. Resistance");
  w.zone(20)->setText(" 3");
  w.zone(21)->setText(" 1");
  w.zone(29)->setText(" 1500");
  Item(w, "heat(2)")->trigger();
  EXPECT_EQ(Text(w.zone(21)), " 2");
  EXPECT_EQ(Text(w.zone(28)), "1.00");
  EXPECT_EQ(Text(w.zone(29)), " 1300");
  EXPECT_EQ(Text(w.zone(30)), " 48.1");
  EXPECT_EQ(w.UndoFieldIndex(), 21);
  w.undo()->click();
  EXPECT_EQ(Text(w.zone(21)), " 21");  // the stored zone's fields
  EXPECT_EQ(Text(w.zone(28)), " 28");
  EXPECT_EQ(Text(w.zone(29)), " 1300");  // not part of the heating's undo

  base.remove("btype/theat.dat");
  Item(w, "heat(1)")->trigger();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
  EXPECT_EQ(Text(w.zone(21)), " 21");
}

TEST_F(ZoneFields, undo_after_a_key_in_the_cooling_field_restores_the_system_fields) {
  zoneform& w = Open(2);
  w.undo()->click();  // nothing to undo yet
  QTest::keyClick(w.zone(20), '5');
  boxes.asked.clear();
  w.ac(2)->trigger();
  ASSERT_NE(Text(w.zone(26)), " 26");
  w.zone(4)->setText("44");  // not the field Undo restores
  w.undo()->click();
  for (int f : {20, 26, 27, 29, 30}) EXPECT_EQ(Text(w.zone(f)), " " + std::to_string(f)) << f;
  EXPECT_EQ(Text(w.zone(4)), "44");
  w.undo()->click();  // repeatable
  EXPECT_EQ(Text(w.zone(20)), " 20");
}

TEST_F(ZoneFields, lighting_and_surface_menus_fill_their_boxes) {
  zoneform& w = Open(2);
  Item(w, "light(3)")->trigger();
  EXPECT_EQ(Text(w.zone(11)), "  3");
  EXPECT_EQ(Flags(2)[11], 1);
  EXPECT_EQ(shell::Model().ZoneEdit.LastEditedField, 11);

  Item(w, "surface(4)")->trigger();  // no exposure box in use yet: nothing
  EXPECT_EQ(Text(w.cell(colExposure, 2)), " 1");
  w.envscroll()->setValue(4);  // rows 4..14 on the lines
  QTest::mouseClick(w.cell(colExposure, 2), Qt::LeftButton);
  Item(w, "surface(4)")->trigger();  // "5. Water"
  EXPECT_EQ(Text(w.cell(colExposure, 2)), " 5");
  EXPECT_EQ(shell::Model().ZoneEdit.RowExposure[5], " 5");
}

TEST_F(ZoneFields, natural_ventilation_switch_sets_the_default_rate) {
  const struct {
    int16_t units;
    const char* rate;
  } cases[] = {{model::kSI, "20"}, {model::kInchPound, "4"}};
  for (const auto& c : cases) {
    shell::Model().UnitSystem = c.units;
    zoneform& w = Open(1);
    EXPECT_FALSE(w.zone(22)->isEnabled());
    QTest::mouseClick(w.natvent(), Qt::LeftButton);
    EXPECT_EQ(w.natvent()->text(), "Yes");
    EXPECT_TRUE(w.zone(22)->isEnabled());
    EXPECT_EQ(Text(w.zone(22)), c.rate);
    EXPECT_EQ(shell::Model().ZoneEdit.NatVentChanged[1], 1);
    EXPECT_EQ(shell::Model().ZoneEdit.LastEditedField, 31);
    w.zone(22)->setText("7");
    w.natvent_Click();
    EXPECT_EQ(w.natvent()->text(), "No");
    EXPECT_FALSE(w.zone(22)->isEnabled());
    EXPECT_EQ(Text(w.zone(22)), "7");
    UnloadZoneForm();
  }
}

TEST_F(ZoneFields, profile_fields_prepare_their_picker) {
  model::ProjectModel& m = shell::Model();
  m.BldTypeNo = 4;
  m.HwProfile[3] = "hot water three";
  zoneform& w = Open(1);
  w.zone(8)->setText("3");
  w.zone(4)->setText("44");
  QTest::mouseClick(w.zone(8), Qt::LeftButton);
  EXPECT_EQ(m.ZoneEdit.ProfPickerKind, 2);
  EXPECT_EQ(m.ZoneEdit.PickerProfileNo, 3);
  EXPECT_EQ(m.ProfKindOpened[2], 1);
  EXPECT_EQ(m.ZoneEdit.ProfUndoCopy[3], "hot water three");
  EXPECT_EQ(m.HwProfNo[4], " 4");  // the building type's profile is now the project's
  EXPECT_EQ(m.HwProfNo[3], "");
  EXPECT_EQ(m.ZoneData[1][4], "44");  // the zone as typed was stored first

  Item(w, "profile(4)")->trigger();
  EXPECT_EQ(m.ZoneEdit.ProfPickerKind, 4);
  EXPECT_EQ(m.ZoneEdit.LastEditedField, 15);
  EXPECT_EQ(m.LiteProfNo[4], " 4");
  Item(w, "profile(5)")->trigger();
  EXPECT_EQ(m.ZoneEdit.ProfPickerKind, 5);
  EXPECT_EQ(m.ProfKindOpened[5], 1);
}

TEST_F(ZoneFields, a_pickers_refresh_writes_the_pick_and_keeps_what_was_typed_meanwhile) {
  model::ProjectModel& m = shell::Model();
  zoneform& w = Open(2);
  w.envscroll()->setValue(10);
  w.zone(7)->clear();
  QTest::mouseClick(w.zone(6), Qt::LeftButton);  // stores the zone: field 7 as "0"
  EXPECT_EQ(m.ZoneData[2][7], "0");
  QTest::keyClicks(w.zone(4), "9");  // typed while the picker is open
  m.ZoneEdit.FieldChanged[2].fill(0);
  m.ZoneEdit.PickerProfileNo = 22;
  m.ZoneData[2][12] = " 12.5";  // as another window may have stored it
  w.RefreshZoneForm(6, 0);
  EXPECT_EQ(Text(w.zone(6)), " 22");
  EXPECT_EQ(Text(w.zone(4)), " 49");
  EXPECT_EQ(Text(w.zone(7)), "0");
  EXPECT_EQ(Text(w.zone(12)), " 12.5");
  EXPECT_EQ(Text(w.cell(colWallArea, 1)), " 110");  // row 10 on line 1, still scrolled
  for (int f = 1; f <= model::kZoneFields; ++f) EXPECT_EQ(Flags(2)[f], f == 6 ? 1 : 0) << f;

  m.ZoneEdit.PickerProfileNo = 5;
  w.RefreshZoneForm(6, 1);  // "Undo Last" took the pick back
  EXPECT_EQ(Text(w.zone(6)), " 6");

  std::array<int16_t, 5> chosen{0, 9, 0, 0, 12};
  w.RefreshZoneForm(0, 0, chosen);
  EXPECT_EQ(Text(w.zone(16)), "9");
  EXPECT_EQ(Text(w.zone(19)), "12");
  EXPECT_EQ(m.ZoneData[2][16], "9");
  EXPECT_EQ(Text(w.zone(17)), " 17");
  EXPECT_EQ(Flags(2)[16], 1);
  EXPECT_EQ(Flags(2)[17], 0);
}

TEST_F(ZoneFields, tutorial_shows_the_zone_help_or_reports_its_absence) {
  zoneform& w = Open(1);
  Item(w, "tutorial")->trigger();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
  boxes.asked.clear();
  base.write("helpinfo/help4.txt", "Zone help.\r\n");
  Item(w, "tutorial")->trigger();
  EXPECT_TRUE(boxes.asked.empty());
  shell::Learning& viewer = shell::LearningWindow();
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_EQ(viewer.windowTitle(), "ZONE DESCRIPTION -- New_Project");
  EXPECT_TRUE(viewer.Text().startsWith("Zone help."));
}

// ---- The ventilation-rate dialog ------------------------------------------------------

class VentilationRate : public ZoneFields {
 protected:
  venrate& OpenDialog(zoneform& w, const char* field) {
    w.zone(9)->setText(field);
    QTest::mouseClick(w.zone(9), Qt::LeftButton);
    venrate* d = w.VentilationDialog();
    EXPECT_NE(d, nullptr);
    return *d;
  }
};

TEST_F(VentilationRate, opens_on_the_box_of_the_fields_code_and_ok_writes_code_and_rate) {
  const struct {
    const char* field;
    int box;
    const char* shown;
    const char* written;
  } cases[] = {
      {"PA15", 2, "15", "PA15"},
      {"20", 0, "20", "CP20"},
      {"CS0.15", 1, "0.15", "CS0.15"},
      {"CP 7", 0, " 7", "CP7"},
  };
  zoneform& w = Open(1);
  for (const auto& c : cases) {
    venrate& d = OpenDialog(w, c.field);
    EXPECT_EQ(d.ActiveBox(), c.box) << c.field;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Text(d.ven(i)), i == c.box ? c.shown : "") << c.field;
    d.Command1()->click();
    EXPECT_EQ(Text(w.zone(9)), c.written);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.VentilationDialog(), nullptr);
  }
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(VentilationRate, typing_makes_a_box_active_and_enter_acts_as_ok) {
  zoneform& w = Open(1);
  venrate& d = OpenDialog(w, "CP20");
  QTest::keyClicks(d.ven(1), "0.2");
  EXPECT_EQ(d.ActiveBox(), 1);
  QTest::keyClick(d.ven(1), 'x');
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "You should use numerical value.");
  QTest::keyClick(d.ven(1), ' ');
  EXPECT_EQ(Text(d.ven(1)), "0.2");
  QTest::keyClick(d.ven(1), Qt::Key_Return);
  EXPECT_EQ(Text(w.zone(9)), "CS0.2");
  EXPECT_EQ(Flags(1)[9], 1);
}

TEST_F(VentilationRate, an_empty_box_clicked_leaves_no_rate_and_cancel_writes_nothing) {
  zoneform& w = Open(1);
  venrate& d = OpenDialog(w, "PA15");
  shell::Model().ZoneEdit.FieldChanged[1][9] = 0;
  QTest::mouseClick(d.ven(0), Qt::LeftButton);
  EXPECT_EQ(d.ActiveBox(), -1);
  d.Command1()->click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Please enter the ventilation rate");
  EXPECT_EQ(boxes.asked[0].title, "Error");
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_EQ(w.VentilationDialog(), &d);  // stays open
  QTest::mouseClick(d.ven(2), Qt::LeftButton);
  d.ven(2)->setText("30");
  d.Command2()->click();
  EXPECT_EQ(Text(w.zone(9)), "PA15");
  EXPECT_EQ(Flags(1)[9], 0);
}

TEST_F(VentilationRate, a_key_in_field_nine_opens_it_and_closing_it_frees_the_zone_window) {
  zoneform& w = Open(1);
  w.zone(9)->setText("CS0.15");
  QTest::keyClick(w.zone(9), '3');
  ASSERT_NE(w.VentilationDialog(), nullptr);
  EXPECT_EQ(Text(w.zone(9)), "CS0.15");
  EXPECT_EQ(Text(w.VentilationDialog()->ven(1)), "0.15");
  EXPECT_EQ(w.VentilationDialog()->windowModality(), Qt::WindowModal);
  w.VentilationDialog()->close();  // as the window manager closes it
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(w.VentilationDialog(), nullptr);
  EXPECT_TRUE(w.isEnabled());
}

TEST_F(VentilationRate, unit_captions_follow_the_unit_system) {
  const struct {
    int16_t units;
    const char* perPerson;
    const char* perArea;
  } cases[] = {{model::kInchPound, "CFM/person", "CFM/sq.ft"},
               {model::kSI, "L/s per person", "L/s per sq.m."}};
  for (const auto& c : cases) {
    shell::Model().UnitSystem = c.units;
    zoneform& w = Open(1);
    venrate& d = OpenDialog(w, "20");
    EXPECT_EQ(Text(d.Text3(0)), c.perPerson);
    EXPECT_EQ(Text(d.Text3(1)), c.perArea);
    EXPECT_EQ(Text(d.Text3(2)), "% outside air");
    UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
}  // namespace kalvano::zones
