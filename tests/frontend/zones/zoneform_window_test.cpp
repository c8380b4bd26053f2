// The zone description window offscreen: opening a zone, scrolling and typing surface rows,
// the key filters of the cells, OK with its checks, Cancel and the unit captions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

#include "frontend/model/numtext.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"
#include "frontend/shell/zoneentry.h"
#include "frontend/zones/zoneform.h"
#include "frontend/zones/zonename.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

using shell::MsgAnswer;

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

class ZoneWindow : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    shell::ClearWindowOpeners();
    shell::RegisterWindowOpener(shell::window::zonename,
                                [this](int row) { listShownAt.push_back(row); });
    shell::Model() = test::ThreeZoneProject();
  }
  void TearDown() override {
    UnloadZoneForm();
    UnloadZoneList();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell::ClearWindowOpeners();
    ShellTest::TearDown();
  }
  zoneform& Open(int row) {
    EXPECT_TRUE(OpenZoneForm(row));
    return *ZoneFormWindow();
  }
  // Types a text into a cell as the user does, key by key.
  static void Type(zoneform& w, int column, int line, const char* text) {
    QTest::keyClicks(w.cell(column, line), text);
  }
  static void TypeRowOnLine(zoneform& w, int line, const char* wall, const char* area,
                            const char* window, const char* winArea) {
    Type(w, colWallId, line, wall);
    Type(w, colWallArea, line, area);
    Type(w, colOrient, line, "180");
    Type(w, colExposure, line, "1");
    Type(w, colShade, line, "n n n");
    Type(w, colWindowId, line, window);
    Type(w, colWinArea, line, winArea);
    Type(w, colSWB, line, "w");
  }
  // The real zone list in place of the recorder, filled as step 5 fills it.
  zonename& OpenRealList() {
    shell::RegisterWindowOpener(shell::window::zonename, &OpenZoneList);
    shell::RegisterWindowOpener(shell::window::zoneform, [](int row) { OpenZoneForm(row); });
    shell::WriteZoneGridRows(shell::Model(), shell::ZoneListGrid());
    OpenZoneList(0);
    return *ZoneListWindow();
  }
  static void DoubleClickRow(zonename& list, int row) {
    QTableWidget* grid = list.MSFlexGrid1();
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }
  std::vector<int> listShownAt;
};

TEST_F(ZoneWindow, a_new_user_adds_two_rows_below_the_stored_ones_and_stores_the_zone) {
  DoubleClickRow(OpenRealList(), 2);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(ZoneFormWindow(), nullptr);
  EXPECT_EQ(ZoneListWindow(), nullptr);
  zoneform& w = *ZoneFormWindow();
  EXPECT_EQ(Text(w.zone(2)), "Zone 2");
  EXPECT_EQ(Text(w.cell(colWallArea, 1)), " 101");
  EXPECT_EQ(Text(w.cell(colWallArea, 11)), " 111");  // row 12 is not on the first page

  w.envscroll()->setValue(3);  // rows 3..13
  EXPECT_EQ(Text(w.cell(colWallArea, 10)), " 112");
  EXPECT_EQ(Text(w.cell(colWallArea, 11)), "");
  TypeRowOnLine(w, 11, "3", "130", "2", "13");
  w.envscroll()->setValue(4);  // rows 4..14
  EXPECT_EQ(Text(w.cell(colWallArea, 10)), "130");
  EXPECT_EQ(Text(w.cell(colShade, 10)), "N N N");
  TypeRowOnLine(w, 11, "1", "140", "2", "14");
  w.envscroll()->setValue(1);
  EXPECT_EQ(Text(w.cell(colWallArea, 1)), " 101");

  QTest::mouseClick(w.okey(), Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(ZoneFormWindow(), nullptr);
  ASSERT_NE(ZoneListWindow(), nullptr);
  EXPECT_EQ(ZoneListWindow()->MSFlexGrid1()->currentRow(), 2);
  EXPECT_EQ(ZoneListWindow()->Cell(2, 0), "12");
  const model::ProjectModel& m = shell::Model();
  ASSERT_EQ(m.SurfaceCount[2], 14);
  for (int r = 1; r <= 12; ++r) EXPECT_FLOAT_EQ(m.SurfWallArea[2][r], 100.0f + r) << r;
  EXPECT_FLOAT_EQ(m.SurfWallArea[2][13], 130);
  EXPECT_FLOAT_EQ(m.SurfWallArea[2][14], 140);
  EXPECT_EQ(m.SurfWallId[2][14], 1);
  EXPECT_EQ(m.SurfWindowId[2][14], 2);
  EXPECT_EQ(m.SurfOrient[2][13], 180);
  EXPECT_EQ(m.SurfShade[2][13], "N N N");
  EXPECT_EQ(m.SurfSWB[2][14], "W");
  EXPECT_EQ(m.ZoneOpened[2], 1);
  EXPECT_EQ(m.ZoneLoaded[2], 1);

  // Zone 3: an edit and Cancel store nothing; reopening starts at the top with the stored rows.
  const model::ProjectModel before = shell::Model();
  ZoneListWindow()->MSFlexGrid1()->setCurrentCell(3, 0);
  QTest::mouseClick(ZoneListWindow()->OK(), Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(ZoneFormWindow(), nullptr);
  zoneform& w3 = *ZoneFormWindow();
  w3.envscroll()->setValue(2);
  Type(w3, colWallArea, 1, "9");
  w3.zone(4)->setText("77");
  TypeRowOnLine(w3, 2, "3", "55", "2", "5");
  QTest::mouseClick(w3.cancel(), Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(ZoneListWindow(), nullptr);
  EXPECT_EQ(ZoneListWindow()->MSFlexGrid1()->currentRow(), 3);
  const model::ProjectModel& after = shell::Model();
  EXPECT_EQ(after.SurfaceCount[3], before.SurfaceCount[3]);
  EXPECT_EQ(after.SurfWallArea[3], before.SurfWallArea[3]);
  EXPECT_EQ(after.ZoneData[3], before.ZoneData[3]);
  EXPECT_EQ(after.ZoneOpened[3], 0);
  DoubleClickRow(*ZoneListWindow(), 3);
  ASSERT_NE(ZoneFormWindow(), nullptr);
  zoneform& again = *ZoneFormWindow();
  EXPECT_EQ(again.envscroll()->value(), 1);
  EXPECT_EQ(Text(again.cell(colWallArea, 1)), " 51");
  EXPECT_EQ(Text(again.cell(colWallArea, 2)), " 52");
  EXPECT_EQ(Text(again.cell(colWallArea, 3)), "");
}

TEST_F(ZoneWindow, a_row_past_the_zones_opens_nothing_even_with_a_code_left_in_it) {
  shell::Model().ZoneCode[4] = "14";  // left behind by a larger sketch
  zonename& list = OpenRealList();
  list.MSFlexGrid1()->setCurrentCell(4, 0);
  list.OK_Click();
  EXPECT_EQ(ZoneFormWindow(), nullptr);
  EXPECT_EQ(ZoneListWindow(), &list);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Zone does not exist.  Select another zone.");
  EXPECT_EQ(boxes.beeps, 1);
  EXPECT_EQ(shell::Model().CurrentZone, 0);
}

TEST_F(ZoneWindow, scrolling_shows_the_rows_of_the_position_and_empty_rows_as_empty) {
  model::ProjectModel& m = shell::Model();
  m.SurfaceCount[2] = 13;
  for (int r = 1; r <= 13; ++r) test::SetStoredRow(m, 2, r);
  zoneform& w = Open(2);
  w.envscroll()->setValue(3);
  for (int k = 1; k <= 11; ++k) EXPECT_EQ(Text(w.cell(colWallArea, k)), model::NumberText(102.0f + k)) << k;
  w.envscroll()->setValue(4);
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(Text(w.cell(colWallArea, k)), model::NumberText(103.0f + k)) << k;
  for (int c = 0; c < kSurfaceColumns; ++c) EXPECT_EQ(Text(w.cell(c, 11)), "") << c;
  // Farther down every line is empty: no line keeps an older text.
  w.envscroll()->setValue(12);
  EXPECT_EQ(Text(w.cell(colWallArea, 2)), " 113");
  for (int k = 3; k <= 11; ++k) EXPECT_EQ(Text(w.cell(colShade, k)), "") << k;

  w.envscroll()->setValue(6);
  w.cell(colSillHt, 2)->clear();
  Type(w, colSillHt, 2, "3.5");
  EXPECT_EQ(m.ZoneEdit.RowSillHt[7], "3.5");
  w.cell(colSillHt, 3)->setText("99");     // a text set by the program writes no row
  EXPECT_EQ(m.ZoneEdit.RowSillHt[8], " 0");
  EXPECT_EQ(w.TopOffset(), 5);
}

// The exterior-shade cells show the codes the sketch writes whole, from their first
// character to their last, under their heading.
TEST_F(ZoneWindow, exterior_shade_cells_show_the_sketch_codes_whole) {
  model::ProjectModel& m = shell::Model();
  const char* codes[] = {" N0. N0. N0.", " R1. L1. F1.", " T   T   N0.", " N0. R1. F.5"};
  m.SurfaceCount[2] = 4;
  for (int r = 1; r <= 4; ++r) {
    test::SetStoredRow(m, 2, r);
    m.SurfShade[2][r] = codes[r - 1];
  }
  zoneform& w = Open(2);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  for (int k = 1; k <= 4; ++k) {
    SCOPED_TRACE(codes[k - 1]);
    QLineEdit* cell = w.cell(colShade, k);
    ASSERT_EQ(Text(cell), codes[k - 1]);
    // Where the box starts its text, and the text's end there: inside the box's frame.
    cell->setCursorPosition(0);
    const int start = cell->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    EXPECT_GT(start, 0);
    EXPECT_LE(start + QFontMetrics(cell->font()).horizontalAdvance(cell->text()), cell->width() - 4);
    EXPECT_EQ(cell->width(), w.heading(colShade)->width());
  }
}

TEST_F(ZoneWindow, rows_past_the_first_page_are_held_and_reached_by_scrolling) {
  model::ProjectModel& m = shell::Model();
  m.SurfaceCount[2] = 33;
  for (int r = 1; r <= 33; ++r) test::SetStoredRow(m, 2, r);
  zoneform& w = Open(2);
  EXPECT_EQ(Text(w.cell(colWallArea, 11)), " 111");
  w.envscroll()->setValue(23);
  EXPECT_EQ(Text(w.cell(colWallArea, 1)), " 123");
  EXPECT_EQ(Text(w.cell(colWallArea, 11)), " 133");
  EXPECT_EQ(w.envscroll()->maximum(), 23);
  EXPECT_EQ(w.envscroll()->pageStep(), 5);
}

TEST_F(ZoneWindow, opening_shows_the_fields_and_enables_them_by_their_switches) {
  model::ProjectModel& m = shell::Model();
  m.ZoneNatVent[1] = " yes";
  m.ZoneDaylight[1] = "YES";
  m.ZoneEconCycle[1] = "yes";
  m.ProjectData[0] = "Office";
  m.ProjectData[1] = "Test project";
  m.ZoneData[1][6] = "";
  zoneform& w = Open(1);
  EXPECT_EQ(w.natvent()->text(), "Yes");
  EXPECT_EQ(w.dayt()->text(), "No");
  EXPECT_EQ(w.Econcycle()->text(), "Yes");
  EXPECT_TRUE(w.zone(22)->isEnabled());
  EXPECT_FALSE(w.zone(24)->isEnabled());
  EXPECT_FALSE(w.zone(25)->isEnabled());
  EXPECT_EQ(w.builtype()->text(), "Office");
  EXPECT_EQ(w.builname()->text(), "Test project");
  EXPECT_EQ(Text(w.zone(6)), " 4");  // the building type's profile
  EXPECT_EQ(w.windowTitle(), "Zone Description -- New_Project");
  // Every menu is in use; Properties only where the type table can be opened.
  for (int i = 0; i < w.menuCount(); ++i) {
    EXPECT_EQ(w.menu(i)->menuAction()->isEnabled(), i != 4) << i;
  }
  EXPECT_TRUE(w.undo()->isEnabled());
  EXPECT_TRUE(w.Frame1()->isEnabled());
  EXPECT_TRUE(w.Frame2()->isEnabled());

  // A row of the list that is no zone opens nothing.
  UnloadZoneForm();
  EXPECT_FALSE(OpenZoneForm(4));
  EXPECT_EQ(ZoneFormWindow(), nullptr);
  EXPECT_EQ(boxes.asked.back().text, "Zone does not exist.  Select another zone.");
}

TEST_F(ZoneWindow, keys_typed_into_cells_pass_their_column_filter) {
  zoneform& w = Open(3);
  model::ProjectModel& m = shell::Model();
  Type(w, colShade, 3, "l1");
  EXPECT_EQ(Text(w.cell(colShade, 3)), "L1");
  EXPECT_EQ(m.ZoneEdit.RowShade[3], "L1");
  Type(w, colShade, 3, ",");
  EXPECT_EQ(Text(w.cell(colShade, 3)), "L1");
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "You should type either a number or the shading code (F, L, R, T, or N).");
  Type(w, colSWB, 3, "sx");
  EXPECT_EQ(m.ZoneEdit.RowSWB[3], "S");
  EXPECT_EQ(boxes.asked.back().text, "Error.  Type S, or W, or B, or s, or w, or b");
  Type(w, colWallId, 3, "7");
  EXPECT_EQ(Text(w.cell(colWallId, 3)), "");
  EXPECT_EQ(boxes.asked.back().text, kWallIdNotInCatalog);
  Type(w, colBlind, 3, "2");
  EXPECT_EQ(boxes.asked.back().text, "Please enter 0, 1 or 5.");
  Type(w, colWinArea, 3, "-");
  EXPECT_EQ(boxes.asked.back().text, "You should use numerical value.");
  EXPECT_EQ(Text(w.cell(colWinArea, 3)), "");
  EXPECT_EQ(boxes.beeps, 3);
  QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20AC)));
  QApplication::sendEvent(w.cell(colSlope, 3), &euro);  // a character beyond Latin-1
  EXPECT_EQ(boxes.asked.back().text, "You should use numerical value.");
  EXPECT_EQ(boxes.beeps, 4);
  EXPECT_EQ(Text(w.cell(colSlope, 3)), "");
}

TEST_F(ZoneWindow, a_click_on_an_id_picks_the_row_of_its_line) {
  zoneform& w = Open(2);
  QTest::mouseClick(w.cell(colWallId, 2), Qt::LeftButton);
  EXPECT_EQ(shell::Model().ZoneEdit.PickRowWall, 2);
  w.envscroll()->setValue(6);
  QTest::mouseClick(w.cell(colWallId, 2), Qt::LeftButton);
  EXPECT_EQ(shell::Model().ZoneEdit.PickRowWall, 7);
  QTest::mouseClick(w.cell(colWindowId, 4), Qt::LeftButton);
  EXPECT_EQ(shell::Model().ZoneEdit.PickRowWindow, 9);
  QTest::mouseClick(w.cell(colExposure, 5), Qt::LeftButton);
  EXPECT_EQ(shell::Model().ZoneEdit.SurfFocusRow, 5);
}

TEST_F(ZoneWindow, ok_marks_a_refused_cell_red_and_keeps_the_window_open) {
  zoneform& w = Open(2);
  w.cell(colWallId, 2)->clear();
  Type(w, colWallId, 2, "19");  // a second digit after a 1 goes unchecked
  w.okey_Click();
  ASSERT_EQ(ZoneFormWindow(), &w);
  EXPECT_EQ(boxes.asked.back().text, kWallNotInCatalog);
  EXPECT_EQ(w.cell(colWallId, 2)->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(w.cell(colWallId, 1)->palette().color(QPalette::Text), QColor(0, 0, 128));
  EXPECT_TRUE(listShownAt.empty());
  // Typing into the id box gives it the entry colour again.
  QTest::keyClick(w.cell(colWallId, 2), Qt::Key_Backspace);
  EXPECT_EQ(w.cell(colWallId, 2)->palette().color(QPalette::Text), QColor(0, 0, 128));
}

TEST_F(ZoneWindow, a_fraction_answered_yes_shows_the_computed_area) {
  zoneform& w = Open(2);
  w.cell(colWinArea, 1)->clear();
  Type(w, colWinArea, 1, ".5");
  boxes.answers.push_back(MsgAnswer::Yes);
  w.okey_Click();
  EXPECT_EQ(Text(w.cell(colWinArea, 1)), " 50.5");
  EXPECT_EQ(ZoneFormWindow(), &w);
  w.okey_Click();
  EXPECT_FLOAT_EQ(shell::Model().SurfWinArea[2][1], 50.5f);
}

TEST_F(ZoneWindow, daylighting_without_a_depth_keeps_the_window_open) {
  model::ProjectModel& m = shell::Model();
  m.ZoneDaylight[2] = "Yes";
  m.ZoneData[2][24] = "0";
  zoneform& w = Open(2);
  w.okey_Click();
  EXPECT_EQ(ZoneFormWindow(), &w);
  EXPECT_EQ(m.ZoneOpened[2], 0);
  EXPECT_TRUE(listShownAt.empty());
  w.zone(24)->setText("12");
  w.okey_Click();
  EXPECT_EQ(m.ZoneOpened[2], 1);
  EXPECT_EQ(m.ZoneData[2][24], "12");
}

TEST_F(ZoneWindow, closing_the_window_acts_as_cancel) {
  zoneform& w = Open(2);
  Type(w, colWallArea, 1, "5");
  w.close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ZoneFormWindow(), nullptr);
  EXPECT_EQ(listShownAt, std::vector<int>{2});
  EXPECT_FLOAT_EQ(shell::Model().SurfWallArea[2][1], 101);
  for (int r = 1; r <= 33; ++r) EXPECT_EQ(shell::Model().ZoneEdit.RowWallArea[r], "") << r;
}

TEST_F(ZoneWindow, si_projects_show_the_si_captions) {
  const std::vector<std::pair<const char*, const char*>> si = {
      {"Label33", "  Wall     Area    (sq.m.)"}, {"Label38", " Glass  Area (sq.m.)"},
      {"Label42", "   Sill      Ht.      (m.)"},  {"Label3", "kg/sq.m."},
      {"Label13", "Ltr/day /person"},             {"Label48", " Cost  $/sq.m."},
      {"Label17", "Watt/ sq.m."},                 {"Label50", "Nat. Vent. L/s/sq.m."},
      {"Label49", "Daylighting   Depth (m)"},     {"Label53", "  Target       Lux"},
      {"Label54", " Cool.  COP"}};
  zoneform& ip = Open(1);
  EXPECT_EQ(ip.caption("Label33")->text(), "  Wall     Area    (sq.ft)");
  EXPECT_EQ(ip.caption("Label54")->text(), " Cool. SEER");
  UnloadZoneForm();
  shell::Model().UnitSystem = model::kSI;
  zoneform& w = Open(1);
  for (const auto& [name, text] : si) {
    ASSERT_NE(w.caption(name), nullptr) << name;
    EXPECT_EQ(w.caption(name)->text().toStdString(), text) << name;
  }
  EXPECT_EQ(w.caption("Label32")->text(), "Wall  ID.   No.");
}

}  // namespace
}  // namespace kalvano::zones
