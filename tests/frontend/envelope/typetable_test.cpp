// The zone window's type table: the catalogue joined with the project's types, choosing a
// type for a surface row, "Undo Select", OK storing edited rows, the key filter, and the walk
// from a zone window's surface row to a chosen type and back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <string>

#include "envelope_test_support.h"
#include "frontend/envelope/typetable.h"
#include "frontend/envelope/wallwin.h"
#include "frontend/shell/openers.h"
#include "frontend/zones/zonecore.h"
#include "frontend/zones/zoneform.h"
#include "tests/frontend/zones/zones_test_support.h"

namespace kalvano::envelope {
namespace {

std::string Entries(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) {
    text += std::to_string(k) + "\r\nType " + std::to_string(k) + "\r\n0.5\r\n.7\r\n3\r\n.5\r\n1.0\r\n";
  }
  return text;
}

TEST(TypeTableCore, the_catalogue_and_the_project_types_make_one_table) {
  model::ProjectModel m;
  m.UnitSystem = model::kSI;
  TypeTable si = LoadPropertyTable(m, 1, Entries(12));
  EXPECT_EQ(si.Cell(2, 1), " 2.839");
  EXPECT_EQ(si.Cell(6, 1), " 10.76");
  m.UnitSystem = model::kInchPound;
  m.WallId[3] = " 3";
  m.WallDesc[3] = "Project wall";
  const TypeTable t = LoadPropertyTable(m, 1, Entries(12));
  EXPECT_EQ(t.Cell(2, 1), "0.5");
  EXPECT_EQ(t.Cell(1, 3), "Project wall");
  EXPECT_TRUE(IsProjectRow(m, t, 3));
  EXPECT_FALSE(IsProjectRow(m, t, 4));
  for (int r = 13; r <= 26; ++r) {
    EXPECT_EQ(t.Cell(0, r), " " + std::to_string(r));
    EXPECT_EQ(t.Cell(1, r), "");
  }
  EXPECT_EQ(t.Cell(0, 27), "");
}

TEST(TypeTableCore, choosing_undoing_and_the_twenty_type_limit) {
  model::ProjectModel m;
  shell::test::ScriptedBoxes boxes;
  m.ZoneEdit.PickRowWall = 5;
  m.WallId[6] = " 6";
  m.WallDesc[6] = "Type 6";
  TypeTable t = LoadPropertyTable(m, 1, Entries(10));
  ASSERT_EQ(ChooseRow(m, t, 4, boxes), Choice::kChosen);
  EXPECT_EQ(m.ZoneEdit.RowWallId[5], " 4");
  EXPECT_EQ(m.WallDesc[4], "Type 4");
  EXPECT_TRUE(IsProjectRow(m, t, 4));
  EXPECT_TRUE(boxes.asked.empty());
  // A yellow row warns on every choice.
  ChooseRow(m, t, 6, boxes);
  ChooseRow(m, t, 6, boxes);
  EXPECT_EQ(boxes.asked.size(), 2u);
  // Undo gives the chosen position back what it held before the choice, not nothing.
  t.Cell(1, 6) = "Edited type 6";
  ChooseRow(m, t, 6, boxes);
  EXPECT_EQ(m.WallDesc[6], "Edited type 6");
  UndoSelect(m, t);
  EXPECT_EQ(m.WallDesc[6], "Type 6");
  EXPECT_EQ(m.WallId[6], " 6");
  EXPECT_EQ(m.WallDesc[4], "Type 4");  // only the last choice
  UndoSelect(m, t);                     // only once
  EXPECT_EQ(m.WallDesc[4], "Type 4");
  // A 21st wall type is refused, an existing one may still be chosen.
  for (int p = 30; p < 48; ++p) m.WallId[static_cast<std::size_t>(p)] = " " + std::to_string(p);
  ASSERT_EQ(ProjectTypeCount(m, 1), 20);
  EXPECT_EQ(ChooseRow(m, t, 7, boxes), Choice::kRefused);
  EXPECT_EQ(boxes.asked.back().text, TooManyTypes(1));
  EXPECT_EQ(boxes.asked.back().title, "Select wall ID");
  EXPECT_TRUE(m.WallId[7].empty());
  EXPECT_EQ(ChooseRow(m, t, 4, boxes), Choice::kChosen);
}

class TypeTableWindowTest : public test::EnvelopeTest {
 protected:
  void SetUp() override {
    test::EnvelopeTest::SetUp();
    base.write("profiles/bprof6.dat", Entries(12));
    base.write("profiles/bprof7.dat", Entries(5));
  }
  void TearDown() override {
    delete TypeTableWindow();
    zones::UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell::ClearWindowOpeners();
    test::EnvelopeTest::TearDown();
  }
};

TEST_F(TypeTableWindowTest, keys_scrolling_and_ok) {
  model::ProjectModel& m = shell::Model();
  ASSERT_TRUE(OpenTypeTable(1));
  wallwin& w = *TypeTableWindow();
  EXPECT_TRUE(w.windowTitle().startsWith("WALL PROPERTIES -- "));
  w.envscroll()->setValue(12);
  EXPECT_EQ(w.id(0)->text(), "12");
  EXPECT_EQ(w.id(14)->text(), " 26");
  // A minus is refused everywhere, a blank only in the lag column.
  QTest::keyClicks(w.Cell(2, 0), "-");
  EXPECT_EQ(boxes.asked.back().text, "You should use numerical value.");
  EXPECT_EQ(w.Cell(2, 0)->text(), "0.5");
  QTest::keyClicks(w.Cell(3, 0), " 9");
  EXPECT_EQ(w.Cell(3, 0)->text(), ".7 9");
  const std::size_t asked = boxes.asked.size();
  QTest::keyClicks(w.Cell(4, 0), " ");
  EXPECT_EQ(boxes.asked.size(), asked + 1);
  EXPECT_EQ(w.Cell(4, 0)->text(), "3");
  // Row 12 edited but not chosen: No leaves the project as it was.
  boxes.answers.push_back(shell::MsgAnswer::No);
  w.OK_Click();
  EXPECT_EQ(boxes.asked.back().text,
            "The wall data you have just editted are not selected.  Save the new data before leaving?");
  EXPECT_TRUE(m.WallId[12].empty());
  // Yes stores it at its own position.
  ASSERT_TRUE(OpenTypeTable(1));
  wallwin& again = *TypeTableWindow();
  QTest::keyClicks(again.Cell(1, 1), "x");
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  again.OK_Click();
  EXPECT_EQ(m.WallDesc[2], "Type 2x");
}

TEST_F(TypeTableWindowTest, a_surface_row_gets_its_type_from_the_table_and_the_zone_keeps_its_scroll) {
  model::ProjectModel& m = shell::Model();
  m = zones::test::ThreeZoneProject(16);
  m.AppDir = base.dir().string();
  base.write("profiles/bprof6.dat", Entries(12));
  base.write("profiles/bprof7.dat", Entries(5));
  shell::RegisterWindowOpener(shell::window::wallwin, [](int kind) { OpenTypeTable(kind); });
  ASSERT_TRUE(zones::OpenZoneForm(2));
  zones::zoneform& zone = *zones::ZoneFormWindow();
  zone.envscroll()->setValue(5);  // row 14 on line 10
  const auto before = m.ZoneEdit.RowWallId;
  QTest::mouseDClick(zone.cell(zones::colWallId, 10), Qt::LeftButton);
  ASSERT_NE(TypeTableWindow(), nullptr);
  EXPECT_EQ(zone.envscroll()->value(), 1);  // opening resets the zone window's scroll
  EXPECT_EQ(m.ZoneEdit.PickRowWall, 14);
  EXPECT_EQ(m.PropTableOpened[1], 1);
  zone.envscroll()->setValue(6);  // scrolled again while the table is open
  TypeTableWindow()->id_Click(3);  // type 4
  TypeTableWindow()->OK_Click();
  EXPECT_EQ(m.ZoneEdit.RowWallId[14], " 4");
  for (int r = 1; r <= model::kMaxSurfaces; ++r) {
    if (r != 14) {
      EXPECT_EQ(m.ZoneEdit.RowWallId[static_cast<std::size_t>(r)], before[static_cast<std::size_t>(r)]) << r;
    }
  }
  // Shown on row 14's own line at the zone window's scroll.
  EXPECT_EQ(zone.cell(zones::colWallId, 14 - 5)->text(), " 4");
  zone.okey_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m.SurfWallId[2][14], 4);
}

TEST_F(TypeTableWindowTest, pictures_of_both_tables) {
  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  for (int kind : {1, 2}) {
    ASSERT_TRUE(OpenTypeTable(kind));
    TypeTableWindow()->grab().save(QString::fromStdString(
        (folder / (kind == 1 ? "wallwin_walls.png" : "wallwin_windows.png")).string()));
    delete TypeTableWindow();
  }
}

}  // namespace
}  // namespace kalvano::envelope
