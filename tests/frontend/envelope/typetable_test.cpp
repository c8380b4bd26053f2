// The zone window's type table: the catalogue joined with the project's types, choosing a
// type for a surface row, "Undo Select", OK storing edited rows, the key filter, and the walk
// from a zone window's surface row to a chosen type and back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <string>

#include "envelope_test_support.h"
#include "frontend/envelope/typetable.h"
#include "frontend/envelope/wallwin.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/learning.h"
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
  // At most 30 entries are held: 27 to 30 beyond the screen's 26 rows, the 31st nowhere.
  const TypeTable full = LoadPropertyTable(m, 1, Entries(31));
  EXPECT_EQ(full.Cell(1, 30), "Type 30");
  for (const auto& column : full.rows) {
    for (const std::string& cell : column) EXPECT_EQ(cell.find("31"), std::string::npos) << cell;
  }
}

// The key filter of the table's cells: a row without an id takes no key and says nothing;
// a key in any other row marks it edited, even when the key is refused.
TEST(TypeTableCore, the_key_filter_of_each_column) {
  model::ProjectModel m;
  const TypeTable loaded = LoadPropertyTable(m, 1, Entries(12));
  struct Case {
    int column, row;
    char key;
    KeyVerdict verdict;
    bool edited;
  };
  const Case cases[] = {
      {1, 27, 'a', KeyVerdict::kDrop, false},  // rows 27 to 30 are not numbered
      {2, 28, '5', KeyVerdict::kDrop, false},  {1, 1, '-', KeyVerdict::kTake, true},
      {2, 1, '-', KeyVerdict::kWarn, true},    {6, 1, '-', KeyVerdict::kWarn, true},
      {3, 1, ' ', KeyVerdict::kTake, true},    {4, 1, ' ', KeyVerdict::kWarn, true},
      {4, 1, '.', KeyVerdict::kTake, true},    {5, 1, 'e', KeyVerdict::kWarn, true},
      {4, 1, '\b', KeyVerdict::kTake, true},   {6, 26, '7', KeyVerdict::kTake, true},
  };
  for (const Case& c : cases) {
    TypeTable t = loaded;
    EXPECT_EQ(FilterKey(t, c.column, c.row, c.key), c.verdict) << c.column << " " << c.row << " " << c.key;
    EXPECT_EQ(t.edited[static_cast<std::size_t>(c.row)], c.edited ? 1 : 0) << c.column << " " << c.row;
  }
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

TEST_F(TypeTableWindowTest, keys_and_scrolling) {
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
}

// OK stores an edited row that is a project type (chosen now or before) without a question,
// and asks about an edited row that is not: No leaves the project as it was, Yes stores the
// row at its own position. Project rows are yellow.
TEST_F(TypeTableWindowTest, ok_stores_edited_rows_and_asks_only_about_unchosen_ones) {
  model::ProjectModel& m = shell::Model();
  struct Case {
    const char* name;
    int chosenLine;  // -1 none
    int typedLine;
    shell::MsgAnswer answer;
    bool asked;
    int position;
    std::string stored;  // the description at `position` after OK ("" nothing stored)
  };
  const Case cases[] = {
      {"chosen row", 3, 3, shell::MsgAnswer::No, false, 4, "Type 4x"},
      {"project row", -1, 2, shell::MsgAnswer::No, false, 3, "Project wallx"},
      {"new row, No", -1, 11, shell::MsgAnswer::No, true, 12, ""},
      {"new row, Yes", -1, 11, shell::MsgAnswer::Yes, true, 12, "Type 12x"},
  };
  // The scripted answers, with a look at the table while the question is open.
  struct WatchingBoxes : shell::MessageBoxes {
    shell::test::ScriptedBoxes& answers;
    std::function<void()> onAsk;
    explicit WatchingBoxes(shell::test::ScriptedBoxes& a) : answers(a) {}
    void beep() override { answers.beep(); }
    void show(std::string_view text, std::string_view title, shell::MsgIcon icon) override {
      answers.show(text, title, icon);
    }
    shell::MsgAnswer ask(std::string_view text, std::string_view title, shell::MsgIcon icon,
                         shell::MsgButtons buttons) override {
      if (onAsk) onAsk();
      return answers.ask(text, title, icon, buttons);
    }
  } watch(boxes);
  shell::SetMessages(&watch);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m = model::ProjectModel{};
    m.AppDir = base.dir().string();
    m.WallId[3] = " 3";
    m.WallDesc[3] = "Project wall";
    boxes.asked.clear();
    ASSERT_TRUE(OpenTypeTable(1));
    wallwin* w = TypeTableWindow();
    EXPECT_TRUE(w->Yellow(2));
    EXPECT_TRUE(w->id(2)->styleSheet().contains("rgb(255,255,0)"));
    EXPECT_FALSE(w->Yellow(3));
    if (c.chosenLine >= 0) {
      w->id_Click(c.chosenLine);
      EXPECT_TRUE(w->Yellow(c.chosenLine));
    }
    QTest::keyClicks(w->Cell(1, c.typedLine), "x");
    boxes.answers.push_back(c.answer);
    // When asked, the row in question already shows its text in red, and only that row.
    watch.onAsk = [&] {
      for (int line = 0; line < kWallwinRows; ++line) {
        const bool red = line == c.typedLine;
        EXPECT_EQ(w->id(line)->styleSheet().contains("color: rgb(255,0,0)"), red) << line;
        for (int col = 1; col < 7; ++col) {
          EXPECT_EQ(w->Cell(col, line)->styleSheet().contains("color: rgb(255,0,0)"), red) << line << " " << col;
        }
      }
    };
    w->OK_Click();
    watch.onAsk = nullptr;
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TypeTableWindow(), nullptr);
    EXPECT_EQ(boxes.asked.size(), c.asked ? 1u : 0u);
    if (c.asked && !boxes.asked.empty()) {
      EXPECT_EQ(boxes.asked[0].text,
                "The wall data you have just editted are not selected.  Save the new data before leaving?");
    }
    const std::size_t p = static_cast<std::size_t>(c.position);
    EXPECT_EQ(m.WallDesc[p], c.stored);
    EXPECT_EQ(m.WallId[p].empty(), c.stored.empty());
    boxes.answers.clear();
  }
  shell::SetMessages(&boxes);
}

// A refused store keeps the table open with what was typed; a later OK asks again and may
// drop the row.
TEST_F(TypeTableWindowTest, ok_keeps_the_table_and_its_edits_when_a_21st_type_is_refused) {
  model::ProjectModel& m = shell::Model();
  m.WallId[3] = " 3";
  m.WallDesc[3] = "Project wall";
  for (int p = 30; p < 49; ++p) m.WallId[static_cast<std::size_t>(p)] = " " + std::to_string(p);
  ASSERT_EQ(ProjectTypeCount(m, 1), 20);
  ASSERT_TRUE(OpenTypeTable(1));
  wallwin* w = TypeTableWindow();
  QTest::keyClicks(w->Cell(1, 2), "x");   // row 3, a project type
  QTest::keyClicks(w->Cell(1, 11), "y");  // row 12, new
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  w->OK_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[0].text,
            "The wall data you have just editted are not selected.  Save the new data before leaving?");
  EXPECT_EQ(boxes.asked[1].text, TooManyTypes(1));
  EXPECT_EQ(boxes.asked[1].title, "Select wall ID");
  ASSERT_EQ(TypeTableWindow(), w);
  EXPECT_EQ(w->Cell(1, 11)->text(), "Type 12y");
  EXPECT_EQ(w->Table().Cell(1, 12), "Type 12y");
  EXPECT_EQ(m.WallDesc[3], "Project wallx");
  EXPECT_TRUE(m.WallId[12].empty());
  // The stored row is not asked about again; No drops the refused row and closes.
  boxes.answers.push_back(shell::MsgAnswer::No);
  w->OK_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(boxes.asked.size(), 3u);
  EXPECT_EQ(TypeTableWindow(), nullptr);
  EXPECT_TRUE(m.WallId[12].empty());
  EXPECT_EQ(ProjectTypeCount(m, 1), 20);
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

// The window id's double click and both Properties items open the table of their kind for
// the surface row picked; a window type chosen there reaches that row.
TEST_F(TypeTableWindowTest, the_window_id_and_the_properties_menu_open_the_table_of_their_kind) {
  model::ProjectModel& m = shell::Model();
  m = zones::test::ThreeZoneProject(16);
  m.AppDir = base.dir().string();
  shell::RegisterWindowOpener(shell::window::wallwin, [](int kind) { OpenTypeTable(kind); });
  ASSERT_TRUE(zones::OpenZoneForm(2));
  zones::zoneform& zone = *zones::ZoneFormWindow();
  struct Case {
    const char* how;
    int kind;
    const char* caption;
  };
  const Case cases[] = {{"window id", 2, "WINDOW PROPERTIES -- "},
                        {"wprof(1)", 1, "WALL PROPERTIES -- "},
                        {"wprof(2)", 2, "WINDOW PROPERTIES -- "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    m.PropTableOpened = {};
    if (std::string(c.how) == "window id") {
      QTest::mouseDClick(zone.cell(zones::colWindowId, 3), Qt::LeftButton);
      EXPECT_EQ(m.ZoneEdit.PickRowWindow, 3);
    } else {
      auto* item = zone.findChild<QAction*>(c.how);
      ASSERT_NE(item, nullptr);
      EXPECT_TRUE(item->isEnabled());
      item->trigger();
    }
    ASSERT_NE(TypeTableWindow(), nullptr);
    EXPECT_TRUE(TypeTableWindow()->windowTitle().startsWith(c.caption));
    EXPECT_EQ(TypeTableWindow()->findChild<QLabel*>("Label1(3)")->text(), c.kind == 1 ? "Solar Abs." : "SHGC");
    EXPECT_EQ(m.PropTableOpened[static_cast<std::size_t>(c.kind)], 1);
    EXPECT_EQ(m.ZoneEdit.CatalogKind, c.kind);
    TypeTableWindow()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // A window type chosen for row 3.
  QTest::mouseDClick(zone.cell(zones::colWindowId, 3), Qt::LeftButton);
  TypeTableWindow()->id_Click(4);
  TypeTableWindow()->OK_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m.ZoneEdit.RowWindowId[3], " 5");
  EXPECT_EQ(m.WinDesc[5], "Type 5");
  EXPECT_EQ(zone.cell(zones::colWindowId, 3)->text(), " 5");
  zone.okey_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m.SurfWindowId[2][3], 5);
  EXPECT_EQ(m.SurfWindowId[2][4], 2);
}

// A catalogue that cannot be read opens no table; a missing help text is reported and shows
// no viewer. The table is loaded once per opening: coming back from the tutorial keeps what
// was typed.
TEST_F(TypeTableWindowTest, unreadable_catalogues_and_help_texts_are_reported_and_typing_is_kept) {
  struct Case {
    int kind;
    const char* catalogue;
    const char* help;
    const char* helpCaption;
  };
  const Case cases[] = {{1, "profiles/bprof6.dat", "helpinfo/help7.txt", "WALL AND ROOF PROPERTIES -- New_Project"},
                        {2, "profiles/bprof7.dat", "helpinfo/help8.txt",
                         "WINDOW AND SKYLIGHT PROPERTIES -- New_Project"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::string installed = base.read(c.catalogue);
    base.remove(c.catalogue);
    boxes.asked.clear();
    EXPECT_FALSE(OpenTypeTable(c.kind));
    EXPECT_EQ(TypeTableWindow(), nullptr);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
    base.write(c.catalogue, Entries(32));
    EXPECT_FALSE(OpenTypeTable(c.kind));
    EXPECT_EQ(boxes.asked.size(), 2u);
    base.write(c.catalogue, installed);

    ASSERT_TRUE(OpenTypeTable(c.kind));
    wallwin* w = TypeTableWindow();
    QTest::keyClicks(w->Cell(1, 0), "x");
    w->help_Click();
    EXPECT_EQ(boxes.asked.size(), 3u);
    EXPECT_EQ(boxes.asked.back().title, model::FileErrorTitle(model::kErrFileNotFound));
    EXPECT_FALSE(shell::LearningWindow().isVisible());
    base.write(c.help, "Help text.\r\n");
    w->help_Click();
    EXPECT_TRUE(shell::LearningWindow().isVisible());
    EXPECT_EQ(shell::LearningWindow().windowTitle().toStdString(), c.helpCaption);
    shell::LearningWindow().close();
    QApplication::setActiveWindow(w);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
    QApplication::processEvents();
    EXPECT_EQ(w->Cell(1, 0)->text(), "Type 1x");
    EXPECT_EQ(w->Table().Cell(1, 1), "Type 1x");
    base.remove(c.help);
    delete w;
  }
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
