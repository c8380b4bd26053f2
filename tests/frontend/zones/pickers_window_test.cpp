// The zone window's profile pickers offscreen: picking, editing and storing use profiles
// (occupancy, hot water, ventilation, lighting) and temperature profiles, and what their OK
// writes back into the zone window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"
#include "frontend/shell/startupcore.h"
#include "frontend/shell/widgets.h"
#include "frontend/zones/occupprof.h"
#include "frontend/zones/profilepickers.h"
#include "frontend/zones/temperature.h"
#include "frontend/zones/zoneform.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

using shell::MsgAnswer;
using shell::MsgButtons;

constexpr const char* kInvalidUse =
    "The profile you selected has an invalid entry or an insufficient number of values. Please "
    "make necessary corrections";
constexpr const char* kNotSelectedUse =
    "The profile you have just edited is not selected.  Save the new data before leaving?";
constexpr const char* kWrongCountTemp =
    "The profile you selected has less or more than 24 values. Please make necessary corrections";
constexpr const char* kNotSelectedTemp =
    "The profile you have just editted is not selected.  Save the new data before leaving?";
constexpr const char* kSharedWarning =
    "The profile / property has been used.  If you change its value, you will also change the "
    "value of the profile / property you have previously used.";

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

// 24 values `value`, each preceded by one blank.
std::string Values(int n, const std::string& value) {
  std::string text;
  for (int i = 0; i < n; ++i) text += " " + value;
  return text;
}

// The zone window on zone 2 with 42 named occupancy and lighting profiles (profile n holds
// 24 values n), the building type 4.
class PickerTest : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    shell::ClearWindowOpeners();
    shell::RegisterWindowOpener(shell::window::zonename, [](int) {});
    model::ProjectModel& m = shell::Model() = test::ThreeZoneProject();
    m.AppDir = base.dir().string();
    m.ProjectFile = "office.inp";
    m.ProjectData[1] = "Small office";
    for (int n = 1; n <= 42; ++n) {
      m.BldTypeName[n] = "Type " + std::to_string(n);
      m.OccProfile[n] = Values(24, std::to_string(n));
      m.LiteProfile[n] = Values(24, std::to_string(100 - n));
    }
    base.install("profiles/bprof5.dat");
  }
  void TearDown() override {
    UnloadOccupProf();
    UnloadTemperature();
    UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell::ClearWindowOpeners();
    ShellTest::TearDown();
  }
  zoneform& Zone() {
    if (ZoneFormWindow() == nullptr) {
      EXPECT_TRUE(OpenZoneForm(2));
    }
    return *ZoneFormWindow();
  }
  // What the zone window does when its profile field is clicked, then the picker opens.
  occupprof& OpenUse(int kind = 1) {
    model::ProjectModel& m = shell::Model();
    const int field = UseProfileField(kind);
    Zone();
    m.ZoneEdit.LastEditedField = static_cast<int16_t>(field);
    m.ZoneEdit.ProfPickerKind = static_cast<int16_t>(kind);
    m.ZoneEdit.PickerProfileNo = static_cast<int16_t>(model::Val(m.ZoneData[2][field]));
    m.ProfKindOpened[kind] = 1;
    model::ProfileKindRef p = model::ProfileKind(m, kind);
    for (int n = 1; n <= 42; ++n) m.ZoneEdit.ProfUndoCopy[n] = p.values[n];
    p.marks[m.BldTypeNo] = ProfileMark(m.BldTypeNo);
    ShowUseProfilePicker();
    QApplication::processEvents();
    EXPECT_NE(OccupProfWindow(), nullptr);
    return *OccupProfWindow();
  }
  temperature& OpenTemp() {
    model::ProjectModel& m = shell::Model();
    Zone();
    m.ProfKindOpened[5] = 1;
    m.ZoneEdit.ProfPickerKind = 5;
    EXPECT_TRUE(ShowTemperaturePicker());
    QApplication::processEvents();
    EXPECT_NE(TemperatureWindow(), nullptr);
    return *TemperatureWindow();
  }
  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  int Asked(const char* text) const {
    int n = 0;
    for (const auto& a : boxes.asked) n += a.text == text ? 1 : 0;
    return n;
  }
};

// ---- The use-profile picker -------------------------------------------------------------

TEST_F(PickerTest, use_picker_opens_with_the_kinds_caption_rows_and_used_profiles_highlighted) {
  shell::Model().LiteProfNo[30] = " 30";
  occupprof& w = OpenUse(4);
  EXPECT_EQ(w.windowTitle(), "Lighting Profiles (percentage) -- office.inp");
  EXPECT_EQ(w.WindowKind(), 4);
  EXPECT_EQ(w.occ(1)->text(), "Type 1");
  EXPECT_EQ(Text(w.Text1(21)), Values(24, "79"));
  for (int i = 1; i <= kUsePickerRows; ++i) {
    EXPECT_EQ(IsYellow(w.Text1(i)), i == 4) << i;
    EXPECT_EQ(IsYellow(w.occ(i)), i == 4) << i;
  }
  EXPECT_EQ(w.Text1(1)->font().family(), shell::FixedPitchFont().family());
  EXPECT_EQ(w.Label1()->font().family(), shell::FixedPitchFont().family());

  // Scrolling shows profiles 10..30, the used one highlighted, the others white.
  w.profscroll()->setValue(9);
  EXPECT_EQ(w.ListOffset(), 9);
  EXPECT_EQ(w.occ(1)->text(), "Type 10");
  EXPECT_EQ(Text(w.Text1(21)), Values(24, "70"));
  EXPECT_TRUE(IsYellow(w.Text1(21)));
  EXPECT_FALSE(IsYellow(w.Text1(1)));
  EXPECT_EQ(w.Text1(1)->palette().color(QPalette::Base), QColor(255, 255, 255));

  // Coming back to the window puts the list back to its top without a stale highlight.
  w.Form_Activate();
  EXPECT_EQ(w.ListOffset(), 0);
  EXPECT_EQ(w.profscroll()->value(), 0);
  EXPECT_EQ(w.occ(21)->text(), "Type 21");
  EXPECT_TRUE(IsYellow(w.Text1(4)));
  EXPECT_FALSE(IsYellow(w.Text1(21)));
}

// Every row shows its building type's whole name, with the installed names as start-up
// reads them: the longest of them too, on whichever row the list puts it.
TEST_F(PickerTest, use_picker_rows_show_the_installed_type_names_whole) {
  model::ProjectModel& m = shell::Model();
  for (int n = 1; n <= 42; ++n) {
    const std::vector<std::string> lines = model::ReadFileLines(
        std::string(KALVANO_SOURCE_DIR) + "/data/btype/bdtype" + std::to_string(n) + ".dat");
    m.BldTypeName[n] = shell::BuildTypeLabel(lines.at(0));
  }
  occupprof& w = OpenUse();
  for (int offset : {0, w.profscroll()->maximum()}) {
    w.profscroll()->setValue(offset);
    for (int i = 1; i <= kUsePickerRows; ++i) {
      const QLabel* name = w.occ(i);
      SCOPED_TRACE(name->text().toStdString());
      EXPECT_FALSE(name->text().isEmpty());
      EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->contentsRect().width());
    }
  }
}

TEST_F(PickerTest, a_pick_on_the_scrolled_list_writes_its_number_into_the_zone_field) {
  occupprof& w = OpenUse(1);
  w.profscroll()->setValue(21);
  EXPECT_EQ(w.occ(1)->text(), "Type 22");
  Click(w.occ(1));
  EXPECT_TRUE(IsYellow(w.Text1(1)));
  EXPECT_EQ(shell::Model().OccProfNo[22], " 22");
  Click(w.okey());
  QApplication::processEvents();
  EXPECT_EQ(OccupProfWindow(), nullptr);
  const model::ProjectModel& m = shell::Model();
  EXPECT_EQ(Text(Zone().zone(6)), " 22");
  EXPECT_EQ(m.ZoneEdit.FieldChanged[2][6], 1);
  EXPECT_EQ(m.OccProfNo[22], " 22");
  EXPECT_EQ(m.OccProfile[22], Values(24, "22"));
  EXPECT_EQ(m.OccProfNo[4], " 4");
  EXPECT_EQ(m.ProfKindEdited[1], 1);
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(PickerTest, ok_without_a_pick_writes_the_former_number_with_its_blank) {
  shell::Model().ZoneData[2][6] = "5";
  OpenUse(1);
  EXPECT_EQ(Text(Zone().zone(6)), "5");
  Click(OccupProfWindow()->okey());
  EXPECT_EQ(Text(Zone().zone(6)), " 5");
  EXPECT_EQ(shell::Model().ZoneEdit.FieldChanged[2][6], 1);
  // The same text again is no change (the zone window stored the field before opening).
  shell::Model().ZoneData[2][6] = " 5";
  shell::Model().ZoneEdit.FieldChanged[2][6] = 0;
  OpenUse(1);
  Click(OccupProfWindow()->okey());
  EXPECT_EQ(Text(Zone().zone(6)), " 5");
  EXPECT_EQ(shell::Model().ZoneEdit.FieldChanged[2][6], 0);
}

TEST_F(PickerTest, undo_last_takes_back_a_pick_on_any_row) {
  for (int row : {1, 2, 15}) {
    SCOPED_TRACE(row);
    Zone().zone(6)->setText(" 6");
    shell::Model().ZoneEdit.FieldChanged[2][6] = 0;
    occupprof& w = OpenUse(1);
    EXPECT_EQ(w.NoPick(), 0);  // whatever the last opening left
    Click(w.occ(row));
    Click(w.undo());
    EXPECT_FALSE(IsYellow(w.Text1(row)));
    EXPECT_FALSE(IsYellow(w.occ(row)));
    EXPECT_EQ(w.NoPick(), 1);
    Click(w.okey());
    EXPECT_EQ(Text(Zone().zone(6)), " 6");
    EXPECT_EQ(shell::Model().ZoneEdit.FieldChanged[2][6], 0);
  }
  // A later pick counts again.
  occupprof& w = OpenUse(1);
  Click(w.occ(2));
  Click(w.undo());
  Click(w.occ(3));
  Click(w.okey());
  EXPECT_EQ(Text(Zone().zone(6)), " 3");
}

TEST_F(PickerTest, undo_last_gives_the_row_its_text_from_the_opening_back) {
  occupprof& w = OpenUse(1);
  Click(w.occ(7));
  w.Text1(7)->end(false);
  QTest::keyClicks(w.Text1(7), "1");
  EXPECT_EQ(Text(w.Text1(7)), Values(24, "7") + "1");
  Click(w.undo());
  EXPECT_EQ(Text(w.Text1(7)), Values(24, "7"));
}

TEST_F(PickerTest, the_used_profile_warning_comes_once_per_activation) {
  occupprof& w = OpenUse(1);
  Click(w.Text1(4));  // the building type's profile
  Click(w.Text1(4));
  QTest::keyClicks(w.Text1(4), "0");
  EXPECT_EQ(Asked(kSharedWarning), 1);
  EXPECT_EQ(boxes.asked.front().title, "Warning");
  Click(w.Text1(5));  // not highlighted: no warning
  EXPECT_EQ(Asked(kSharedWarning), 1);
  w.Form_Activate();
  Click(w.Text1(4));
  EXPECT_EQ(Asked(kSharedWarning), 2);
}

TEST_F(PickerTest, a_refused_key_is_left_out_with_its_message) {
  occupprof& w = OpenUse(1);
  QTest::keyClicks(w.Text1(9), "a-");
  EXPECT_EQ(Text(w.Text1(9)), Values(24, "9"));
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text, "You should use numerical value.");
  EXPECT_EQ(boxes.asked[0].title, "Error");
  EXPECT_EQ(boxes.beeps, 2);
}

// One edit of a used profile's values box, then OK: OK checks what it stores.
struct EditCase {
  const char* name;
  std::vector<std::string> steps;  // "cut" and "paste" (the box's whole text), "<" Backspace, else keys
  std::string text;                // the box and the model after the steps
  bool stored;
};

TEST_F(PickerTest, what_ok_checks_is_what_it_stores) {
  const std::string four = Values(24, "4");
  const std::vector<EditCase> cases{
      {"a final Backspace leaving 23 values", {"cut", "paste", "<"}, Values(24, "4").substr(0, 47),
       false},
      {"a final digit completing the 24th value", {"cut", "paste", "<", "9"},
       Values(23, "4") + " 9", true},
      {"a digit added to the last value", {"5"}, four + "5", true},
      {"a cut of the whole text", {"cut"}, "", false},
      {"a paste after a cut", {"cut", "paste"}, four, true},
      {"a 25th value", {" 1"}, four + " 1", false},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    boxes.asked.clear();
    shell::Model().OccProfile[4] = four;
    occupprof& w = OpenUse(1);
    QLineEdit* box = w.Text1(4);
    Click(box);
    for (const std::string& step : c.steps) {
      if (step == "cut") {
        box->selectAll();
        w.cut()->trigger();
      } else if (step == "paste") {
        box->end(false);
        w.paste()->trigger();
      } else if (step == "<") {
        QTest::keyClick(box, Qt::Key_Backspace);
      } else {
        box->end(false);
        QTest::keyClicks(box, step.c_str());
      }
    }
    EXPECT_EQ(Text(box), c.text);
    EXPECT_EQ(shell::Model().OccProfile[4], c.text);
    Click(w.okey());
    if (c.stored) {
      EXPECT_EQ(Asked(kInvalidUse), 0);
      EXPECT_EQ(OccupProfWindow(), nullptr);
      EXPECT_EQ(shell::Model().OccProfile[4], c.text);
    } else {
      ASSERT_EQ(Asked(kInvalidUse), 1);
      EXPECT_EQ(boxes.asked.back().title, "Error...");
      EXPECT_EQ(boxes.asked.back().icon, model::MsgIcon::None);
      EXPECT_EQ(boxes.asked.back().buttons, MsgButtons::Ok);
      EXPECT_EQ(OccupProfWindow(), &w);  // the window stays open
      UnloadOccupProf();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }
}

TEST_F(PickerTest, ok_checks_the_other_used_profiles_of_the_kind_too) {
  model::ProjectModel& m = shell::Model();
  m.OccProfNo[40] = " 40";
  m.OccProfile[40] = Values(24, "1") + " -2";  // off the list's page
  occupprof& w = OpenUse(1);
  Click(w.okey());
  EXPECT_EQ(Asked(kInvalidUse), 1);
  EXPECT_EQ(OccupProfWindow(), &w);
  EXPECT_EQ(m.ProfKindEdited[1], 0);
}

TEST_F(PickerTest, an_edited_profile_that_is_not_picked_is_stored_only_when_the_user_says_so) {
  for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
    SCOPED_TRACE(answer == MsgAnswer::Yes ? "Yes" : "No");
    model::ProjectModel& m = shell::Model();
    m.OccProfNo[7].clear();
    m.OccProfile[7] = Values(24, "7");
    Zone().zone(6)->setText(" 6");
    occupprof& w = OpenUse(1);
    w.Text1(7)->end(false);
    QTest::keyClicks(w.Text1(7), "1");
    boxes.asked.clear();
    boxes.answers = {answer};
    Click(w.okey());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, kNotSelectedUse);
    EXPECT_EQ(boxes.asked[0].title, "Select Profile");
    EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Exclamation);
    EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(OccupProfWindow(), nullptr);
    // The text typed is in the model either way; only Yes marks it and picks it.
    EXPECT_EQ(m.OccProfile[7], Values(24, "7") + "1");
    EXPECT_EQ(m.OccProfNo[7], answer == MsgAnswer::Yes ? " 7" : "");
    EXPECT_EQ(Text(Zone().zone(6)), answer == MsgAnswer::Yes ? " 7" : " 6");
  }
}

TEST_F(PickerTest, a_kind_never_gets_a_twenty_first_used_profile) {
  model::ProjectModel& m = shell::Model();
  for (int n = 1; n <= 20; ++n) m.OccProfNo[n] = ProfileMark(n);
  occupprof& w = OpenUse(1);
  m.ZoneEdit.PickerProfileNo = 6;
  Click(w.occ(21));
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, std::string(kProfileLimitText));
  EXPECT_EQ(boxes.asked[0].title, "Select Profile");
  EXPECT_EQ(m.OccProfNo[21], "");
  EXPECT_FALSE(IsYellow(w.Text1(21)));
  EXPECT_EQ(m.ZoneEdit.PickerProfileNo, 6);
  Click(w.occ(12));  // used already: fine
  EXPECT_EQ(m.ZoneEdit.PickerProfileNo, 12);
  EXPECT_EQ(boxes.asked.size(), 1u);

  // Saving an edited profile that is not used yet would be a 21st: the OK is refused.
  w.Text1(21)->end(false);
  QTest::keyClicks(w.Text1(21), "1");
  boxes.asked.clear();
  boxes.answers = {MsgAnswer::Yes};
  Click(w.okey());
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text, kNotSelectedUse);
  EXPECT_EQ(boxes.asked[1].text, std::string(kProfileLimitText));
  EXPECT_EQ(OccupProfWindow(), &w);
  EXPECT_EQ(m.OccProfNo[21], "");
  EXPECT_EQ(m.ProfKindEdited[1], 0);
  // Answered No, the OK goes through without it.
  boxes.answers = {MsgAnswer::No};
  Click(w.okey());
  EXPECT_EQ(OccupProfWindow(), nullptr);
  EXPECT_EQ(m.OccProfNo[21], "");
  EXPECT_EQ(MarkedProfileCount(m.OccProfNo, 1), 20);
  EXPECT_EQ(Text(Zone().zone(6)), " 12");
}

// Opening the picker from the zone field adds the building type's profile to the kind only
// while there is room for it: with 20 used already it stays out, and OK leaves 20. A zone on
// the building type's profile is told then to pick one of the project's.
TEST_F(PickerTest, opening_the_picker_never_adds_a_twenty_first_used_profile) {
  model::ProjectModel& m = shell::Model();
  for (int n = 5; n <= 24; ++n) m.OccProfNo[n] = ProfileMark(n);  // not type 4's
  Zone().zone_Click(6);  // the zone's profile 6 is used
  ASSERT_NE(OccupProfWindow(), nullptr);
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(m.OccProfNo[4], "");
  EXPECT_FALSE(IsYellow(OccupProfWindow()->Text1(4)));
  EXPECT_TRUE(IsYellow(OccupProfWindow()->Text1(5)));
  Click(OccupProfWindow()->okey());
  EXPECT_EQ(OccupProfWindow(), nullptr);
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(MarkedProfileCount(m.OccProfNo, 1), 20);
  EXPECT_EQ(m.OccProfNo[4], "");

  Zone().zone(6)->setText(" 4");
  Zone().zone_Click(6);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, std::string(kProfileLimitText));
  EXPECT_EQ(boxes.asked[0].title, "Select Profile");
  EXPECT_EQ(m.OccProfNo[4], "");
  Click(OccupProfWindow()->occ(5));
  Click(OccupProfWindow()->okey());
  EXPECT_EQ(MarkedProfileCount(m.OccProfNo, 1), 20);
  EXPECT_EQ(Text(Zone().zone(6)), " 5");
}

TEST_F(PickerTest, coming_back_from_another_window_of_the_program_reactivates_the_picker) {
  occupprof& w = OpenUse(1);
  const auto activate = [](QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window, 2000);
  };
  if (!activate(&w)) GTEST_SKIP() << "the platform does not activate windows";
  // Back from a message box of the picker itself: nothing is reset.
  w.profscroll()->setValue(10);
  auto* own = new QMessageBox(QMessageBox::NoIcon, "Error", "text", QMessageBox::Ok, &w);
  own->show();
  ASSERT_TRUE(activate(own));
  ASSERT_TRUE(activate(&w));
  EXPECT_EQ(w.ListOffset(), 10);
  own->hide();
  delete own;
  // Back from the zone window: the list is at its top again.
  ASSERT_TRUE(activate(&Zone()));
  ASSERT_TRUE(activate(&w));
  EXPECT_EQ(w.ListOffset(), 0);
  EXPECT_EQ(w.profscroll()->value(), 0);
}

TEST_F(PickerTest, walk_through_from_the_zone_field_with_the_surface_table_scrolled) {
  zoneform& z = Zone();
  const model::ZoneEditState before = shell::Model().ZoneEdit;
  z.envscroll()->setValue(10);  // rows 10..20 on screen
  Click(z.zone(6));
  ASSERT_NE(OccupProfWindow(), nullptr);
  occupprof& w = *OccupProfWindow();
  EXPECT_EQ(w.windowTitle(), "Occupancy Profiles (percentage) -- office.inp");
  w.profscroll()->setValue(5);
  Click(w.occ(3));  // profile 8
  Click(w.Text1(3));
  w.Text1(3)->end(false);
  QTest::keyClick(w.Text1(3), Qt::Key_Backspace);
  QTest::keyClicks(w.Text1(3), "5");
  Click(w.okey());
  EXPECT_EQ(OccupProfWindow(), nullptr);
  const model::ProjectModel& m = shell::Model();
  EXPECT_EQ(Text(z.zone(6)), " 8");
  EXPECT_EQ(m.OccProfNo[8], " 8");
  EXPECT_EQ(m.OccProfile[8], Values(23, "8") + " 5");
  for (int c = 0; c < kSurfaceColumns; ++c) {
    EXPECT_EQ(RowColumn(m.ZoneEdit, c), RowColumn(before, c)) << "column " << c;
  }
  EXPECT_EQ(Text(z.cell(colWallArea, 1)), " 110");  // still at row 10

  // Field 17 opens the temperature picker with the zone's profiles.
  shell::Model().ZoneData[2][17] = " 2";
  z.zone(17)->setText(" 2");
  Click(z.zone(17));
  ASSERT_NE(TemperatureWindow(), nullptr);
  EXPECT_TRUE(IsYellow(TemperatureWindow()->Text1(2)));
}

// ---- The temperature picker ---------------------------------------------------------------

TEST_F(PickerTest, temperature_picks_write_the_slot_numbers_into_the_zone_at_once) {
  temperature& w = OpenTemp();
  EXPECT_EQ(w.windowTitle(), "Temperature Profiles (degree F) -- office.inp");
  EXPECT_EQ(w.btype()->text(), "Small office");
  EXPECT_EQ(w.temp(7)->text(), " 7 User's Summer - Unocc");
  Click(w.temp(5));
  Click(w.temp(9));
  EXPECT_EQ(w.SlotChoice(1), 9);
  Click(w.okey());
  EXPECT_EQ(TemperatureWindow(), nullptr);
  const model::ProjectModel& m = shell::Model();
  zoneform& z = Zone();
  EXPECT_EQ(Text(z.zone(16)), "9");
  EXPECT_EQ(m.ZoneData[2][16], "9");
  EXPECT_EQ(m.ZoneEdit.FieldChanged[2][16], 1);
  for (int f = 17; f <= 19; ++f) {
    EXPECT_EQ(Text(z.zone(f)), " " + std::to_string(f)) << f;
    EXPECT_EQ(m.ZoneData[2][f], " " + std::to_string(f)) << f;
    EXPECT_EQ(m.ZoneEdit.FieldChanged[2][f], 0) << f;
  }
  // Both highlighted profiles are the project's now, with the library's values.
  const std::vector<std::string> library = ReadTemperatureLibrary(m);
  EXPECT_EQ(m.TempProfNo[5], " 5");
  EXPECT_EQ(m.TempProfile[5], library[5]);
  EXPECT_EQ(m.TempProfNo[9], " 9");
  EXPECT_EQ(m.TempProfNo[1], "");
  EXPECT_EQ(m.ProfKindEdited[5], 1);
}

TEST_F(PickerTest, temperature_undo_keeps_the_highlighted_texts_but_writes_no_zone_numbers) {
  temperature& w = OpenTemp();
  Click(w.temp(5));
  Click(w.temp(2));
  Click(w.Undo());
  EXPECT_FALSE(IsYellow(w.Text1(2)));
  EXPECT_EQ(w.NoPick(), 1);
  Click(w.okey());
  const model::ProjectModel& m = shell::Model();
  EXPECT_EQ(m.TempProfNo[5], " 5");
  EXPECT_EQ(m.TempProfNo[2], "");
  for (int f = 16; f <= 19; ++f) {
    EXPECT_EQ(Text(Zone().zone(f)), " " + std::to_string(f)) << f;
    EXPECT_EQ(m.ZoneData[2][f], " " + std::to_string(f)) << f;
    EXPECT_EQ(m.ZoneEdit.FieldChanged[2][f], 0) << f;
  }
  // The next opening picks again.
  EXPECT_EQ(OpenTemp().NoPick(), 0);
}

TEST_F(PickerTest, temperature_ok_takes_a_pasted_minus_and_refuses_a_wrong_count) {
  model::ProjectModel& m = shell::Model();
  m.ProfKindEdited[5] = 1;
  m.TempProfNo[6] = " 6";
  m.TempProfile[6] = " -2.5" + Values(23, "70");
  temperature& w = OpenTemp();
  EXPECT_EQ(Text(w.Text1(6)), m.TempProfile[6]);
  // Copy "-2.5" from profile 6 and paste it over the first value of profile 5.
  Click(w.Text1(6));
  w.Text1(6)->setSelection(1, 4);
  w.copy()->trigger();
  Click(w.Text1(5));
  w.Text1(5)->setSelection(1, 2);
  w.paste()->trigger();
  const std::string pasted = " -2.5" + Text(w.Text1(5)).substr(5);
  EXPECT_EQ(Text(w.Text1(5)), pasted);
  Click(w.temp(5));

  // A highlighted profile of 23 values stops the OK, whatever else is right.
  Click(w.Text1(1));
  Click(w.temp(1));
  w.Text1(1)->end(false);
  QTest::keyClick(w.Text1(1), Qt::Key_Backspace);
  QTest::keyClick(w.Text1(1), Qt::Key_Backspace);
  boxes.asked.clear();
  boxes.beeps = 0;
  Click(w.okey());
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kWrongCountTemp);
  EXPECT_EQ(boxes.asked[0].title, "Error...");
  EXPECT_EQ(boxes.asked[0].icon, model::MsgIcon::Exclamation);
  EXPECT_EQ(boxes.asked[0].beepsBefore, 1);
  EXPECT_EQ(TemperatureWindow(), &w);
  EXPECT_EQ(m.TempProfNo[5], "");
  EXPECT_EQ(m.TempProfNo[1], "");

  QTest::keyClicks(w.Text1(1), "85");
  Click(w.okey());
  EXPECT_EQ(TemperatureWindow(), nullptr);
  EXPECT_EQ(m.TempProfNo[5], " 5");
  EXPECT_EQ(m.TempProfile[5], pasted);
  EXPECT_EQ(m.TempProfNo[1], " 1");
}

TEST_F(PickerTest, temperature_keys_take_no_minus_and_do_not_touch_the_model) {
  model::ProjectModel& m = shell::Model();
  temperature& w = OpenTemp();
  w.Text1(3)->end(false);
  QTest::keyClicks(w.Text1(3), "-1");
  EXPECT_EQ(Text(w.Text1(3)).substr(Text(w.Text1(3)).size() - 3), "851");
  EXPECT_EQ(Asked("You should use numerical value."), 1);
  EXPECT_EQ(m.TempProfile[3], "");
}

TEST_F(PickerTest, temperature_edited_profile_that_is_not_picked_is_asked_about) {
  for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
    SCOPED_TRACE(answer == MsgAnswer::Yes ? "Yes" : "No");
    model::ProjectModel& m = shell::Model();
    m.TempProfNo[10].clear();
    temperature& w = OpenTemp();
    w.Text1(10)->end(false);
    QTest::keyClicks(w.Text1(10), "0");
    boxes.asked.clear();
    boxes.answers = {answer};
    Click(w.okey());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, kNotSelectedTemp);
    EXPECT_EQ(boxes.asked[0].title, "Select Profile");
    EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(m.TempProfNo[10], answer == MsgAnswer::Yes ? " 10" : "");
    // Profile 10 belongs to the winter occupied slot, zone field 17.
    EXPECT_EQ(m.ZoneData[2][17], answer == MsgAnswer::Yes ? "10" : " 17");
  }
}

TEST_F(PickerTest, the_shared_profile_warning_comes_once_per_profile_for_the_whole_run) {
  model::ProjectModel& m = shell::Model();
  m.ZoneData[2][16] = " 5";
  m.ZoneData[2][17] = " 6";
  temperature& w = OpenTemp();
  Click(w.Text1(5));
  Click(w.Text1(5));
  QTest::keyClicks(w.Text1(5), "1");
  EXPECT_EQ(Asked(kSharedWarning), 1);
  UnloadTemperature();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  temperature& again = OpenTemp();
  Click(again.Text1(5));
  EXPECT_EQ(Asked(kSharedWarning), 1);
  Click(again.Text1(6));
  EXPECT_EQ(Asked(kSharedWarning), 2);
}

TEST_F(PickerTest, temperature_picker_opens_from_the_library_and_the_model) {
  model::ProjectModel& m = shell::Model();
  const std::vector<std::string> library = ReadTemperatureLibrary(m);
  for (int f = 16; f <= 19; ++f) m.ZoneData[2][f] = " " + std::to_string(f - 15);
  m.ProfKindEdited[5] = 1;
  m.TempProfNo[3] = " 3";
  m.TempProfile[3] = Values(24, "77");
  temperature& w = OpenTemp();
  for (int k = 1; k <= 12; ++k) {
    EXPECT_EQ(IsYellow(w.Text1(k)), k <= 4) << k;
    EXPECT_EQ(IsYellow(w.temp(k)), k <= 4) << k;
    EXPECT_EQ(Text(w.Text1(k)), k == 3 ? Values(24, "77") : library[k]) << k;
    EXPECT_EQ(m.ZoneEdit.TempProfUndoCopy[k], Text(w.Text1(k))) << k;
  }
  EXPECT_EQ(w.Text1(1)->font().family(), shell::FixedPitchFont().family());
  UnloadTemperature();

  // In SI the library line of 70s shows 24 values " 21", each followed by a blank.
  m.UnitSystem = model::kSI;
  ASSERT_EQ(library[6], Values(24, "70"));
  temperature& si = OpenTemp();
  EXPECT_EQ(si.windowTitle(), "Temperature Profiles (degree C) -- office.inp");
  std::string celsius;
  for (int i = 0; i < 24; ++i) celsius += " 21 ";
  EXPECT_EQ(Text(si.Text1(6)), celsius);
  EXPECT_EQ(m.ZoneEdit.TempProfUndoCopy[6], celsius);
  EXPECT_EQ(Text(si.Text1(3)), Values(24, "77"));
}

TEST_F(PickerTest, an_unreadable_temperature_library_leaves_the_picker_as_it_was) {
  temperature& w = OpenTemp();
  Click(w.temp(7));
  const std::string before = Text(w.Text1(2));
  struct Case {
    const char* name;
    const char* bytes;  // nullptr: no file
    int error;
  };
  const std::vector<Case> cases{
      {"missing", nullptr, model::kErrFileNotFound},
      {"12 lines", "header\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n 6\r\n 7\r\n 8\r\n 9\r\n 10\r\n 11\r\n",
       model::kErrPastEndOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    base.remove("profiles/bprof5.dat");
    if (c.bytes != nullptr) base.write("profiles/bprof5.dat", c.bytes);
    boxes.asked.clear();
    EXPECT_FALSE(ShowTemperaturePicker());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, model::FileErrorMessage(c.error));
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(c.error));
    EXPECT_EQ(TemperatureWindow(), &w);
    EXPECT_TRUE(IsYellow(w.Text1(7)));
    EXPECT_EQ(w.SlotChoice(3), 7);
    EXPECT_EQ(Text(w.Text1(2)), before);
  }
}

TEST_F(PickerTest, pickers_work_without_a_zone_window) {
  model::ProjectModel& m = shell::Model();
  m.CurrentZone = 2;
  m.ZoneEdit.ProfPickerKind = 2;
  ShowUseProfilePicker();
  ASSERT_NE(OccupProfWindow(), nullptr);
  Click(OccupProfWindow()->occ(3));
  Click(OccupProfWindow()->okey());
  EXPECT_EQ(m.HwProfNo[3], " 3");
  m.ZoneEdit.ProfPickerKind = 5;
  ASSERT_TRUE(ShowTemperaturePicker());
  Click(TemperatureWindow()->temp(4));
  Click(TemperatureWindow()->okey());
  EXPECT_EQ(m.TempProfNo[4], " 4");
  EXPECT_EQ(m.ZoneData[2][19], " 19");  // only the zone window writes the slots
}

}  // namespace
}  // namespace kalvano::zones
