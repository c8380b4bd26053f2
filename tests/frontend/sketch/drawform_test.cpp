// The sketch window offscreen, its mouse handlers driven in drawing coordinates: painting,
// erasing, the recount from the picture, the level fields, adding and removing levels, the
// dialogs, and the two ways out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/printing.h"
#include "frontend/shell/run/rundispatch.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/windowing.h"
#include "frontend/sketch/drawform.h"
#include "frontend/sketch/sketchdialogs.h"
#include "frontend/sketch/sketchexport.h"
#include "shell_test_support.h"

namespace kalvano::sketch {
namespace {

namespace fs = std::filesystem;

class SketchWindowTest : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    const fs::path installed(KALVANO_BASE_DIR);
    fs::copy_file(installed / "sketch/bld_mtx2.000", base.path("sketch/bld_mtx2.000"),
                  fs::copy_options::overwrite_existing);
    fs::copy_file(installed / "sketch/bld_mtx2.000", base.path("sketch/bld_mtx.all"),
                  fs::copy_options::overwrite_existing);
    model::ProjectModel& m = shell::Model();
    m.AppDir = base.dir().string();
    m.ProjectFile = "/home/ann/proj/office.inp";
  }
  void TearDown() override {
    delete SketchWindow();
    shell::ClearWindowOpeners();
    shell::test::ShellTest::TearDown();
  }

  DrawForm& Open() {
    OpenSketchWindow();
    EXPECT_NE(SketchWindow(), nullptr);
    return *SketchWindow();
  }
  // A press, a move and a release, as a drag from (x0, y0) to (x1, y1).
  static void Drag(DrawForm& w, double x0, double y0, double x1, double y1) {
    w.Form_MouseDown(1, 0, x0, y0);
    w.Form_MouseMove(1, 0, x1, y1);
    w.Form_MouseUp(1, 0, x1, y1);
  }
  static int Cells(const DrawForm& w, int zone) {
    int n = 0;
    for (int r = 1; r <= 60; ++r)
      for (int c = 1; c <= 80; ++c) n += w.Cell(r, c) == zone ? 1 : 0;
    return n;
  }
};

TEST_F(SketchWindowTest, a_rectangle_paints_its_cells_and_the_recount_gives_their_area) {
  DrawForm& w = Open();
  EXPECT_EQ(w.PaintZone(), 1);
  EXPECT_EQ(w.gridsize()->text(), " 2");
  w.Form_MouseDown(1, 0, 0, 0);
  w.Form_MouseMove(1, 0, 30, 20);
  EXPECT_EQ(w.Coordinates(1)->text(), "Dim: > 6, ^ 4");
  EXPECT_EQ(w.Coordinates(0)->text(), "X,Y= 6, 4");
  QRect band;
  ASSERT_TRUE(w.Rubber(band));  // the rubber band is drawn over the picture, not into it
  EXPECT_EQ(w.Picture().pixelColor(100 + 15, 599 - 15), QColor(255, 255, 255));
  w.Form_MouseUp(1, 0, 30, 20);
  EXPECT_EQ(Cells(w, 1), 6);
  EXPECT_EQ(w.Cell(1, 1), 1);
  EXPECT_EQ(w.Cell(2, 3), 1);
  EXPECT_EQ(w.zone_area()->text(), "Zn area= 24");
  // A zero-size rectangle adds nothing; presses outside the drawing do nothing.
  Drag(w, 100, 100, 100, 100);
  Drag(w, 820, 100, 850, 140);
  Drag(w, 100, -5, 140, 30);
  EXPECT_EQ(Cells(w, 1), 6);
  const QString before = w.Coordinates(0)->text();
  w.Form_MouseMove(0, 0, 900, 700);
  EXPECT_EQ(w.Coordinates(0)->text(), before);
}

TEST_F(SketchWindowTest, grid_fill_erases_painted_cells_and_a_rectangle_takes_cells_from_another_zone) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 40, 20);  // zone 1: 4 x 2 cells
  ASSERT_EQ(Cells(w, 1), 8);
  w.MatrixButton_Click();
  // A press on a cell of the paint zone's own colour erases it; the drag erases on.
  w.Form_MouseDown(1, 0, 5, 5);
  w.Form_MouseMove(1, 0, 15, 5);
  w.Form_MouseMove(1, 0, 25, 5);
  w.Form_MouseUp(1, 0, 25, 5);
  EXPECT_EQ(Cells(w, 1), 5);
  EXPECT_EQ(w.Cell(1, 1), 0);
  // A press on an empty cell paints it.
  w.Form_MouseDown(1, 0, 105, 105);
  w.Form_MouseUp(1, 0, 105, 105);
  EXPECT_EQ(w.Cell(11, 11), 1);
  // Zone 3 picked on its name box; its rectangle covers zone 1's top row.
  w.boxbutton_Click();
  w.znname_Click(2);
  EXPECT_EQ(w.PaintZone(), 3);
  Drag(w, 0, 10, 40, 30);
  EXPECT_EQ(Cells(w, 3), 8);
  EXPECT_EQ(w.Cell(2, 4), 3);
  EXPECT_EQ(w.Cell(1, 4), 1);
  // A press on a colour swatch picks its zone.
  w.Form_MouseDown(1, 0, -93, 496 - 16 * 4 - 8);
  w.Form_MouseUp(1, 0, -93, 496 - 16 * 4 - 8);
  EXPECT_EQ(w.PaintZone(), 5);
  EXPECT_EQ(shell::Model().PaintZone, 5);
}

TEST_F(SketchWindowTest, a_guideline_leaves_the_zones_of_its_cells) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 30, 30);
  w.Guidelines_Click();
  w.znname_Click(6);
  Drag(w, 0, 0, 20, 20);
  EXPECT_EQ(Cells(w, 1), 9);
  EXPECT_EQ(Cells(w, 7), 0);
}

TEST_F(SketchWindowTest, level_fields_and_the_recount) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 30, 10);  // 3 cells
  struct Case {
    const char* typed;
    const char* area;  // the zone area shown afterwards, empty when the recount does not run
  };
  for (const Case& c : {Case{"12a.5", "Zn area= 468.8"}, Case{"1.05", "Zn area= 3.3"},
                        Case{"0", ""}, Case{"", ""}}) {
    SCOPED_TRACE(c.typed);
    w.zone_area()->setText("unchanged");
    w.gridsize()->clear();
    QTest::keyClicks(w.gridsize(), c.typed);
    if (std::string(c.typed).empty()) {
      w.gridsize()->setText("x");
      QTest::keyClick(w.gridsize(), Qt::Key_Backspace);
    }
    EXPECT_EQ(w.zone_area()->text().toStdString(), *c.area ? c.area : "unchanged");
  }
  // Letters never reach the fields. Floors are a whole number: a typed point beeps and the
  // fraction after it is refused, so "2.5" is 2 floors, never 25.
  struct FloorsCase {
    const char* typed;
    const char* shown;
    float floors;
    int beeps;
  };
  for (const FloorsCase& c : {FloorsCase{"2.5x", "2", 2, 1}, FloorsCase{"12.75", "12", 12, 1},
                              FloorsCase{"3", "3", 3, 0}, FloorsCase{"1.", "1", 1, 1}}) {
    SCOPED_TRACE(c.typed);
    boxes.beeps = 0;
    w.num_floors()->clear();
    QTest::keyClicks(w.num_floors(), c.typed);
    EXPECT_EQ(w.num_floors()->text().toStdString(), c.shown);
    EXPECT_EQ(boxes.beeps, c.beeps);
    w.WriteLevelFile();
    EXPECT_EQ(w.CurrentSketch().levels[0].Header(kFloors), c.floors);
  }
  // After the refused fraction, a backspace lets digits in again.
  w.num_floors()->clear();
  QTest::keyClicks(w.num_floors(), "2.5");
  QTest::keyClick(w.num_floors(), Qt::Key_Backspace);
  QTest::keyClicks(w.num_floors(), "4");
  EXPECT_EQ(w.num_floors()->text(), "4");
  w.ceiling_ht()->clear();
  QTest::keyClicks(w.ceiling_ht(), "9.5");
  EXPECT_EQ(w.ceiling_ht()->text(), "9.5");
  w.WriteLevelFile();
  EXPECT_EQ(w.CurrentSketch().levels[0].Header(kFloors), 4.0f);
  EXPECT_EQ(w.CurrentSketch().levels[0].Header(kRoomHeight), 9.5f);
}

TEST_F(SketchWindowTest, levels_are_added_on_top_and_removed_from_the_top) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 40, 20);
  w.znname(1)->setText("Lobby");
  w.num_floors()->clear();
  QTest::keyClicks(w.num_floors(), "3");
  w.ceiling_ht()->clear();
  QTest::keyClicks(w.ceiling_ht(), "12.5");
  // Up from the only level: Yes adds a copy of it.
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  w.HScroll1_Change(2);
  ASSERT_EQ(boxes.asked.back().text, "Maximum number of floors exceeded!  Do you wish to add another floor?");
  EXPECT_EQ(w.LevelCount(), 2);
  EXPECT_EQ(w.CurrentLevel(), 2);
  EXPECT_EQ(w.Level()->text(), "Level= 2");
  EXPECT_EQ(Cells(w, 1), 8);
  EXPECT_EQ(w.znname(1)->text(), "Lobby");
  // Default names follow the level, also the installed sketch's "Zone 1-3".
  EXPECT_EQ(w.znname(0)->text(), " Zone 2-1");
  EXPECT_EQ(w.znname(2)->text(), " Zone 2-3");
  EXPECT_EQ(w.CurrentSketch().levels[0].Name(2), "Lobby");
  // The header of the top level comes along.
  EXPECT_EQ(w.num_floors()->text(), " 3");
  EXPECT_EQ(w.ceiling_ht()->text(), " 12.5");
  w.WriteLevelFile();
  EXPECT_EQ(w.CurrentSketch().levels[1].Header(kFloors), 3.0f);
  EXPECT_EQ(w.CurrentSketch().levels[1].Header(kRoomHeight), 12.5f);
  EXPECT_EQ(w.CurrentSketch().levels[1].Header(kGridSize), 2.0f);
  // No leaves the top level current.
  boxes.answers.push_back(shell::MsgAnswer::No);
  w.HScroll1_Change(3);
  EXPECT_EQ(w.LevelCount(), 2);
  EXPECT_EQ(w.CurrentLevel(), 2);
  // Erase All on the top level: No only clears it, and its emptied zones get default names.
  w.Form_MouseDown(1, 0, 5, 5);
  w.Form_MouseUp(1, 0, 5, 5);
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  boxes.answers.push_back(shell::MsgAnswer::No);
  w.erase_dwg_Click();
  EXPECT_EQ(w.LevelCount(), 2);
  EXPECT_EQ(Cells(w, 1), 0);
  Drag(w, 50, 50, 60, 60);
  EXPECT_EQ(w.znname(1)->text(), " Zone 2-2");
  // Yes removes it and shows the level below.
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  w.erase_dwg_Click();
  EXPECT_EQ(boxes.asked.back().title, "Remove Top Floor?  Building Height to be Reduced!");
  EXPECT_EQ(w.LevelCount(), 1);
  EXPECT_EQ(w.CurrentLevel(), 1);
  EXPECT_EQ(Cells(w, 1), 8);
  // On the only level Yes only clears it.
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  w.erase_dwg_Click();
  EXPECT_EQ(w.LevelCount(), 1);
  EXPECT_EQ(w.CurrentLevel(), 1);
  EXPECT_EQ(Cells(w, 1), 0);
  // Cancel to the first question changes nothing.
  Drag(w, 0, 0, 10, 10);
  w.erase_dwg_Click();
  EXPECT_EQ(Cells(w, 1), 1);
}

// "FlrArea=", "Stories=" and "Zn area=" after painting, erasing a rectangle, painting over a
// zone, adding levels and walking the levels down and up: always the sketch's own counts, and
// the floor area always the one its export gives the project.
TEST_F(SketchWindowTest, the_read_outs_are_the_counts_of_the_sketch) {
  DrawForm& w = Open();
  auto up = [this, &w] {
    boxes.answers.push_back(shell::MsgAnswer::Yes);  // a level is added above the top one
    w.HScroll1_Change(w.CurrentLevel() + 1);
  };
  auto down = [&w] { w.HScroll1_Change(w.CurrentLevel() - 1); };
  struct Step {
    const char* what;
    std::function<void()> act;
    int level;
    const char* floorArea;
    const char* stories;
    const char* zoneArea;  // of the paint zone on the level shown
  };
  const Step steps[] = {
      {"zone 1 painted, 12 cells", [&w] { Drag(w, 0, 0, 40, 30); }, 1, "FlrArea= 48", "Stories= 1", "Zn area= 48"},
      {"a rectangle of 2 cells erased",
       [&w] {
         w.Erase_area_Click();
         Drag(w, 0, 0, 20, 10);
       },
       1, "FlrArea= 40", "Stories= 1", "Zn area= 40"},
      {"zone 2 painted over 6 cells of zone 1",
       [&w] {
         w.znname_Click(1);
         Drag(w, 20, 0, 60, 30);
       },
       1, "FlrArea= 64", "Stories= 1", "Zn area= 48"},
      {"the level stands for 2 floors",
       [&w] {
         w.num_floors()->clear();
         QTest::keyClicks(w.num_floors(), "2");
       },
       1, "FlrArea= 128", "Stories= 2", "Zn area= 48"},
      {"level 2 added", up, 2, "FlrArea= 256", "Stories= 4", "Zn area= 48"},
      {"level 3 added", up, 3, "FlrArea= 384", "Stories= 6", "Zn area= 48"},
      {"level 3 cleared and one cell of zone 2 painted",
       [this, &w] {
         boxes.answers.push_back(shell::MsgAnswer::Ok);
         boxes.answers.push_back(shell::MsgAnswer::No);  // the top level is kept
         w.erase_dwg_Click();
         Drag(w, 100, 100, 110, 110);
       },
       3, "FlrArea= 264", "Stories= 6", "Zn area= 4"},
      {"down to level 2", down, 2, "FlrArea= 264", "Stories= 6", "Zn area= 48"},
      {"down to level 1", down, 1, "FlrArea= 264", "Stories= 6", "Zn area= 48"},
      {"up to level 2", up, 2, "FlrArea= 264", "Stories= 6", "Zn area= 48"},
      {"up to level 3", up, 3, "FlrArea= 264", "Stories= 6", "Zn area= 4"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    ASSERT_EQ(w.CurrentLevel(), step.level);
    EXPECT_EQ(w.BldgArea()->text().toStdString(), step.floorArea);
    EXPECT_EQ(w.Stories()->text().toStdString(), step.stories);
    EXPECT_EQ(w.zone_area()->text().toStdString(), step.zoneArea);
    // The same numbers from the sketch model and from the export.
    w.WriteLevelFile();
    const Sketch& sketch = w.CurrentSketch();
    const float grid = sketch.Level(1).Header(kGridSize);
    EXPECT_EQ(w.BldgArea()->text().toStdString(), "FlrArea=" + model::NumberText(SketchFloorArea(sketch, grid)));
    EXPECT_EQ(w.Stories()->text().toStdString(), "Stories=" + model::NumberText(SketchStories(sketch)));
    EXPECT_EQ(w.zone_area()->text().toStdString(),
              "Zn area=" + model::NumberText(ZoneArea(sketch.Level(step.level), w.PaintZone(), grid)));
    EXPECT_EQ(ExportSketchZones(sketch, grid, "0", model::kInchPound).floorArea, SketchFloorArea(sketch, grid));
  }
  EXPECT_EQ(w.LevelCount(), 3);
}

// Answers as the scripted boxes do, but only after the question has been open a while, as a
// modal box is: what arrives meanwhile (a scroll bar's auto-repeat among it) is handled under
// the open question.
struct SlowBoxes : shell::test::ScriptedBoxes {
  shell::MsgAnswer ask(std::string_view text, std::string_view title, shell::MsgIcon icon,
                       shell::MsgButtons buttons) override {
    ++open;
    maxOpen = std::max(maxOpen, open);
    QTest::qWait(700);
    --open;
    return ScriptedBoxes::ask(text, title, icon, buttons);
  }
  int open = 0, maxOpen = 0;
};

// The middle of one of the level scroll bar's arrows, in its own pixels.
QPoint ArrowPoint(const QScrollBar& bar, bool right) {
  QStyleOptionSlider opt;
  opt.initFrom(&bar);
  opt.subControls = QStyle::SC_All;
  opt.orientation = bar.orientation();
  opt.minimum = bar.minimum();
  opt.maximum = bar.maximum();
  opt.sliderPosition = bar.sliderPosition();
  opt.sliderValue = bar.value();
  opt.singleStep = bar.singleStep();
  opt.pageStep = bar.pageStep();
  return bar.style()
      ->subControlRect(QStyle::CC_ScrollBar, &opt,
                       right ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine, &bar)
      .center();
}

// Real presses on the level arrows, each held past the scroll bar's auto-repeat delay and
// then let go: one press moves one level or asks one question, asked once even while it is
// open; Yes adds one level, No and the bottom level change nothing.
TEST_F(SketchWindowTest, a_held_level_arrow_moves_one_level_or_asks_once) {
  struct Case {
    const char* what;
    int levels;  // levels of the sketch
    bool right;
    shell::MsgAnswer answer;
    int questions, levelCount, level;
    const char* stories;
  };
  const Case cases[] = {
      {"up from the only level, Yes", 1, true, shell::MsgAnswer::Yes, 1, 2, 2, "Stories= 2"},
      {"up from the only level, No", 1, true, shell::MsgAnswer::No, 1, 1, 1, "Stories= 1"},
      {"down from level 1", 1, false, shell::MsgAnswer::Yes, 0, 1, 1, "Stories= 1"},
      {"up to an existing level", 3, true, shell::MsgAnswer::Yes, 0, 3, 2, "Stories= 3"},
  };
  SlowBoxes slow;
  shell::SetMessages(&slow);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Sketch sketch;
    for (int i = 0; i < c.levels; ++i) sketch.levels.push_back(BlankLevel(60, 80));
    base.write("sketch/bld_mtx.all", SketchFileText(sketch));
    slow.asked.clear();
    slow.maxOpen = 0;
    slow.answers = {c.answer};
    DrawForm& w = Open();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QScrollBar& bar = *w.HScroll1();
    const QPoint arrow = ArrowPoint(bar, c.right);
    QTest::mousePress(&bar, Qt::LeftButton, {}, arrow);
    QTest::qWait(1200);  // the auto-repeat starts after half a second
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, arrow);
    QTest::qWait(100);
    EXPECT_EQ(static_cast<int>(slow.asked.size()), c.questions);
    EXPECT_LE(slow.maxOpen, 1);
    for (const auto& q : slow.asked) EXPECT_EQ(q.title, "Maximum Levels Exceeded");
    EXPECT_EQ(w.LevelCount(), c.levelCount);
    EXPECT_EQ(w.CurrentLevel(), c.level);
    EXPECT_EQ(w.Level()->text().toStdString(), "Level= " + std::to_string(c.level));
    EXPECT_EQ(w.znname(0)->text().toStdString(), " Zone " + std::to_string(c.level) + "-1");
    EXPECT_EQ(w.znname(24)->text().toStdString(), " Zone " + std::to_string(c.level) + "-25");
    EXPECT_EQ(w.Stories()->text().toStdString(), c.stories);
    // The scroll bar shows the level on screen, also after No.
    EXPECT_EQ(bar.value(), c.level);
    delete SketchWindow();
  }
  shell::SetMessages(&boxes);
}

// The sketch window is larger than many screens: it opens fitted into the screen's available
// area, and "<< Back" stays reachable.
TEST_F(SketchWindowTest, opens_fitted_into_a_smaller_screen_with_back_reachable) {
  shell::FitWindowsOnScreen();
  DrawForm& w = Open();
  shell::FitWindowsOnScreen(false);
  const QRect area = w.screen()->availableGeometry();
  ASSERT_LT(area.width(), 1080) << "the test needs a screen narrower than the window";
  EXPECT_TRUE(area.contains(w.frameGeometry()));
  EXPECT_TRUE(area.contains(QRect(w.Exit()->mapToGlobal(QPoint(0, 0)), w.Exit()->size())));
  EXPECT_TRUE(w.Exit()->isVisible());
}

TEST_F(SketchWindowTest, a_99th_level_is_refused) {
  Sketch many;
  for (int i = 0; i < kMaxLevels; ++i) many.levels.push_back(BlankLevel(60, 80));
  base.write("sketch/bld_mtx.all", SketchFileText(many));
  DrawForm& w = Open();
  ASSERT_EQ(w.LevelCount(), 98);
  for (int v = 2; v <= 98; ++v) w.HScroll1_Change(v);
  ASSERT_EQ(w.CurrentLevel(), 98);
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  w.HScroll1_Change(99);
  EXPECT_EQ(w.LevelCount(), 98);
  EXPECT_EQ(w.CurrentLevel(), 98);
  EXPECT_EQ(boxes.asked.back().buttons, shell::MsgButtons::Ok);
}

TEST_F(SketchWindowTest, back_makes_the_drawing_the_projects_zones_and_cancel_changes_nothing) {
  DrawForm& w = Open();
  Drag(w, 100, 100, 130, 120);
  w.znname_Click(1);
  Drag(w, 130, 100, 160, 120);
  const std::string before = base.read("sketch/bld_mtx.all");
  // Cancel, answered Cancel, stays; answered OK, leaves the sketch file as it was.
  w.finish_Click();
  ASSERT_NE(SketchWindow(), nullptr);
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  w.finish_Click();
  QTest::qWait(10);
  EXPECT_EQ(SketchWindow(), nullptr);
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), before);

  DrawForm& again = Open();
  Drag(again, 100, 100, 130, 120);
  again.znname_Click(1);
  Drag(again, 130, 100, 160, 120);
  QTest::mouseClick(again.Exit(), Qt::LeftButton);
  QTest::qWait(10);
  EXPECT_EQ(SketchWindow(), nullptr);
  const model::ProjectModel& m = shell::Model();
  ASSERT_EQ(m.ZoneCount, 2);
  EXPECT_EQ(m.ZoneCode[1], "11");
  EXPECT_EQ(m.ZoneCode[2], "12");
  EXPECT_EQ(m.ZoneFloorArea[1], 24.0f);
  EXPECT_EQ(m.ZoneFloorArea[2], 24.0f);
  EXPECT_EQ(m.FloorArea, 48.0f);
  EXPECT_TRUE(base.exists("temp/temp11.zon"));
  const Sketch saved = SplitSketchFile(base.read("sketch/bld_mtx.all"), 60, 80);
  EXPECT_EQ(saved.levels[0].CellCount(1), 6);
  EXPECT_EQ(saved.levels[0].CellCount(2), 6);
}

TEST_F(SketchWindowTest, a_refused_export_keeps_the_window_open_and_writes_nothing) {
  Sketch eleven;
  for (int i = 0; i < 11; ++i) eleven.levels.push_back(BlankLevel(60, 80));
  eleven.levels[0].SetCell(5, 5, 12);
  eleven.levels[10].SetCell(5, 5, 2);
  base.write("sketch/bld_mtx.all", SketchFileText(eleven));
  DrawForm& w = Open();
  w.Exit_Click();
  ASSERT_NE(SketchWindow(), nullptr);
  EXPECT_EQ(boxes.asked.back().text,
            "Level 1 zone 12 and level 11 zone 2 would both be zone 112.  Paint one of them with another zone number.");
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), SketchFileText(eleven));
  EXPECT_FALSE(base.exists("temp/zname.tmp"));
}

TEST_F(SketchWindowTest, a_failed_export_shows_the_draw_error_and_changes_nothing) {
  model::ProjectModel& m = shell::Model();
  m.ZoneCount = 1;
  m.ZoneCode[1] = "11";
  m.ZoneSketchName[1] = "Before";
  m.ZoneFloorArea[1] = 50;
  m.SurfaceCount[1] = 4;
  const std::string before = base.read("sketch/bld_mtx.all");
  DrawForm& w = Open();
  Drag(w, 0, 0, 50, 30);
  // The export's files cannot be written: a file stands where the temp folder was.
  fs::remove_all(base.path("temp"));
  base.write("temp", "a file where the folder was");
  QTest::mouseClick(w.Exit(), Qt::LeftButton);
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().text, "Draw Error, Click OK to recover");
  EXPECT_EQ(boxes.asked.back().title, "Sketch subroutine error");
  EXPECT_EQ(boxes.asked.back().buttons, shell::MsgButtons::Ok);
  // The window stays open with the drawing; the project keeps its zones and sketch file.
  ASSERT_EQ(SketchWindow(), &w);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Cells(w, 1), 15);
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), before);
  EXPECT_EQ(m.ZoneCount, 1);
  EXPECT_EQ(m.ZoneSketchName[1], "Before");
  EXPECT_EQ(m.ZoneFloorArea[1], 50);
  EXPECT_EQ(m.SurfaceCount[1], 4);
  // With the folder back, "<< Back" goes through.
  base.remove("temp");
  fs::create_directories(base.path("temp"));
  QTest::mouseClick(w.Exit(), Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(SketchWindow(), nullptr);
  EXPECT_EQ(m.ZoneFloorArea[1], 60);
}

TEST_F(SketchWindowTest, a_missing_sketch_file_is_reported_and_no_window_opens) {
  base.remove("sketch/bld_mtx.all");
  OpenSketchWindow();
  EXPECT_EQ(SketchWindow(), nullptr);
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().title.rfind("Kalvano Error # ", 0), 0u);
}

TEST_F(SketchWindowTest, the_save_dialog_offers_the_project_files_name) {
  struct Case {
    const char* project;
    const char* sketchName;
    const char* pictureName;
  };
  DrawForm& w = Open();
  for (const Case& c : {Case{"/home/ann/proj/office.inp", "office.wri", "office.jpg"},
                        Case{"plan.INP", "plan.wri", "plan.jpg"},
                        Case{"office.dat", "office.dat.wri", "office.dat.jpg"}}) {
    SCOPED_TRACE(c.project);
    shell::Model().ProjectFile = c.project;
    SaveForm& save = ShowSaveForm(&w);
    EXPECT_EQ(save.FilenameBox()->text().toStdString(), c.sketchName);
    save.Option1_Click(2);
    EXPECT_EQ(save.FilenameBox()->text().toStdString(), c.pictureName);
    save.Option1_Click(1);
    save.hide();
  }
}

TEST(SketchFileBase, is_the_project_files_name_without_inp) {
  EXPECT_EQ(SketchFileBase("/home/ann/proj/office.inp"), "office");
  EXPECT_EQ(SketchFileBase("plan.INP"), "plan");
  EXPECT_EQ(SketchFileBase("office.dat"), "office.dat");
}

TEST_F(SketchWindowTest, sketch_and_picture_files_save_the_drawing_on_screen_and_load_back) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 50, 30);
  SaveForm& save = ShowSaveForm(&w);
  EXPECT_EQ(save.FilenameBox()->text(), "office.wri");
  save.Picker()->SetFolder(base.dir().string());
  save.OKButton_Click();
  ASSERT_TRUE(base.exists("office.wri"));
  const Sketch file = SplitSketchFile(base.read("office.wri"), 60, 80);
  EXPECT_EQ(file.levels[0].CellCount(1), 15);
  EXPECT_EQ(file, w.CurrentSketch());
  // The project's sketch file is not touched.
  EXPECT_EQ(SplitSketchFile(base.read("sketch/bld_mtx.all"), 60, 80).levels[0].CellCount(1), 0);

  SaveForm& picture = ShowSaveForm(&w);
  picture.Option1_Click(2);
  EXPECT_EQ(picture.FilenameBox()->text(), "office.jpg");
  picture.Picker()->SetFolder(base.dir().string());
  picture.OKButton_Click();
  const QImage decoded(QString::fromStdString(base.path("office.jpg").string()));
  EXPECT_EQ(decoded.size(), w.Picture().size());

  // Loading with nothing selected: "File Error", the drawing stays.
  w.erase_dwg_Click();  // Cancel
  LoadForm& load = ShowLoadForm(&w);
  load.Picker()->SetFolder(base.dir().string());
  load.Picker()->File1()->setCurrentItem(nullptr);
  load.OKButton_Click();
  EXPECT_EQ(boxes.asked.back().text, "File Error");
  EXPECT_EQ(boxes.asked.back().title, "Editor");
  EXPECT_EQ(Cells(w, 1), 15);
  // Loading office.wri after erasing brings the drawing back; Cancel then leaves the
  // project's sketch file as it was.
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  boxes.answers.push_back(shell::MsgAnswer::No);
  w.erase_dwg_Click();
  ASSERT_EQ(Cells(w, 1), 0);
  LoadForm& again = ShowLoadForm(&w);
  again.Picker()->SetFolder(base.dir().string());
  const auto found = again.Picker()->File1()->findItems("office.wri", Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  again.Picker()->File1()->setCurrentItem(found.front());
  again.OKButton_Click();
  EXPECT_EQ(Cells(w, 1), 15);
  const std::string before = base.read("sketch/bld_mtx.all");
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  w.finish_Click();
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), before);
}

// The reading end of a named pipe, so that a save that wrongly wrote into the pipe goes on and
// its bytes are counted, instead of waiting for ever for a reader.
class PipeReader {
 public:
  explicit PipeReader(std::string pipe)
      : pipe_(std::move(pipe)), thread_([this] {
          const int fd = ::open(pipe_.c_str(), O_RDONLY | O_CLOEXEC);
          char buf[4096];
          for (ssize_t n; fd >= 0 && ((n = ::read(fd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR));)
            if (n > 0) bytes_ += static_cast<std::size_t>(n);
          if (fd >= 0) ::close(fd);
          done_ = true;
        }) {}
  ~PipeReader() { Finish(); }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;
  // Ends the reading (a writer that comes and goes lets the reader's open go on); returns the
  // bytes that were written into the pipe.
  std::size_t Finish() {
    while (!done_) {
      const int fd = ::open(pipe_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) ::close(fd);
      std::this_thread::yield();
    }
    if (thread_.joinable()) thread_.join();
    return bytes_;
  }

 private:
  std::string pipe_;
  std::atomic<std::size_t> bytes_{0};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// Makes `node` a node of the null device (mknod needs root: false without it).
bool MakeDeviceNode(const fs::path& node) {
  return ::geteuid() == 0 && ::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
}

// The sketch file and the picture are saved as every other file: a device at the end of the
// name's links, a named pipe of the name, or a loop of links, is refused with the dialog's
// "File Error" naming the name and saying why under it, never written into, and the dialog
// stays open.
TEST_F(SketchWindowTest, a_sketch_or_picture_saved_onto_a_device_or_a_pipe_is_refused_naming_it) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 50, 30);
  const bool device = MakeDeviceNode(base.path("char.dev"));
  if (device) fs::create_symlink(base.path("char.dev"), base.path("device.jpg"));
  ASSERT_EQ(::mkfifo(base.path("pipe.jpg").c_str(), 0644), 0);
  if (device) fs::create_symlink(base.path("char.dev"), base.path("device.wri"));
  ASSERT_EQ(::mkfifo(base.path("pipe.wri").c_str(), 0644), 0);
  fs::create_symlink("loop.wri", base.path("loop.wri"));
  for (const char* name : {"device.jpg", "pipe.jpg", "device.wri", "pipe.wri", "loop.wri"}) {
    SCOPED_TRACE(name);
    if (std::string(name).starts_with("device") && !device) continue;  // mknod needs root
    const bool picturing = std::string(name).ends_with(".jpg");
    const fs::path node = base.path(name);
    const std::string why = std::string(name).starts_with("device") ? "This name is a device, not a file.  Choose another name."
                            : std::string(name).starts_with("pipe") ? "This name is a named pipe, not a file.  Choose another name."
                                                                    : std::string(model::kLinkLoopMessage);
    struct stat was {}, is {};
    ASSERT_EQ(::lstat(node.c_str(), &was), 0);
    PipeReader reader(base.path(picturing ? "pipe.jpg" : "pipe.wri").string());
    boxes.asked.clear();
    SaveForm& picture = ShowSaveForm(&w);
    picture.Option1_Click(picturing ? 2 : 1);
    picture.Picker()->SetFolder(base.dir().string());
    picture.FilenameBox()->setText(name);
    picture.OKButton_Click();
    EXPECT_EQ(reader.Finish(), 0u) << "the picture went into the pipe";
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, "File Error\n\n" + model::BoxName(node.string()) + "\n\n" + why);
    EXPECT_EQ(boxes.asked[0].title, "Paint");
    EXPECT_TRUE(picture.isVisible());
    ASSERT_EQ(::lstat(node.c_str(), &is), 0);
    EXPECT_EQ(is.st_mode, was.st_mode);
    EXPECT_EQ(is.st_rdev, was.st_rdev);
    EXPECT_EQ(is.st_ino, was.st_ino);
    picture.hide();
  }
  for (const auto& e : fs::directory_iterator(base.dir()))
    EXPECT_NE(e.path().filename().string().front(), '.') << "a temporary file was left";
}

// Printing to a file is held to the same rule: a named pipe chosen as the file is refused
// naming it, and nothing is printed into it.
TEST_F(SketchWindowTest, printing_to_a_pipe_is_refused_naming_it) {
  DrawForm& w = Open();
  const fs::path pipe = base.path("printed.pdf");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  shell::SetPrinterChooser([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pipe.string()));
    return true;
  });
  PipeReader reader(pipe.string());
  w.PrintItem_Click();
  shell::SetPrinterChooser({});
  EXPECT_EQ(reader.Finish(), 0u) << "the page went into the pipe";
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "This name is a named pipe, not a file.  Choose another name.\n\n" + pipe.string());
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPathFileAccess));
  EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
}

TEST_F(SketchWindowTest, copy_and_tutorial_show_the_drawing_and_the_help_text) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 50, 30);
  // Copy To Clipboard: the picture as it is on screen.
  QApplication::clipboard()->clear();
  w.ToItem_Click();
  const QImage copied = QApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), w.Picture().convertToFormat(QImage::Format_RGB32));
  // Drawing Tutorial: help10.txt under the project's caption, the sketch staying open.
  base.write("helpinfo/help10.txt", "Sketch help.\r\n");
  w.tutorial_Click();
  EXPECT_TRUE(shell::LearningWindow().isVisible());
  EXPECT_EQ(shell::LearningWindow().windowTitle(), "BUILDING SKETCH -- /home/ann/proj/office.inp");
  EXPECT_TRUE(shell::LearningWindow().Text().contains("Sketch help."));
  EXPECT_TRUE(w.isVisible());
}

// The text pdftotext reads from a PDF file.
std::string PdfText(const fs::path& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
  if (!p.waitForFinished(60000)) return {};
  return p.readAllStandardOutput().toStdString();
}

// File > Print asks for the printer through the print dialog, as the tabular viewer does (a
// PDF file proposed where no printer is set up), and prints what the window shows: the
// drawing with the level fields, the zone names and the north arrow, on one page.
TEST_F(SketchWindowTest, print_asks_for_the_printer_and_prints_the_drawing_with_its_names) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 50, 30);
  w.znname(0)->setText("Lobby");
  w.znname(1)->setText("Lab");
  int asked = 0;
  QString proposed;
  bool answer = false;
  shell::SetPrinterChooser([&](QPrinter& printer, QWidget* parent) {
    ++asked;
    proposed = printer.outputFileName();
    EXPECT_EQ(parent, &w);
    return answer;
  });
  const bool printers = !QPrinterInfo::availablePrinters().isEmpty();
  // Cancelled: nothing printed.
  w.PrintItem_Click();
  EXPECT_EQ(asked, 1);
  if (!printers) {
    EXPECT_EQ(proposed.toStdString(), base.path("temp/sketch.pdf").string());
  }
  EXPECT_FALSE(base.exists("temp/sketch.pdf"));
  // Chosen: the PDF file, one page.
  const fs::path pdf = base.path("printed.pdf");
  shell::SetPrinterChooser([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return true;
  });
  w.PrintItem_Click();
  shell::SetPrinterChooser({});
  const std::string bytes = base.read("printed.pdf");
  ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
  std::size_t pages = 0;
  for (std::size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1)) {
    if (bytes.compare(at, 12, "/Type /Pages") != 0) ++pages;
  }
  EXPECT_EQ(pages, 1u);
  const std::string text = PdfText(pdf);
  for (const char* shown : {"Lobby", "Lab", "Zone 1-3", "Zone 1-25", "Level= 1", "Grid Size", "Rotation", "Zn area= 60"}) {
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
  }
  // The north arrow's "N" on a line of its own.
  EXPECT_TRUE(std::regex_search(text, std::regex("(^|\n) *N *(\n|$)"))) << text;
  // The painted cells come as the picture.
  EXPECT_NE(bytes.find("/Subtype /Image"), std::string::npos);
}

TEST(DrawingPoint, widget_pixels_map_onto_drawing_units) {
  // A canvas of 900 x 600 pixels shows one drawing unit per pixel.
  EXPECT_EQ(DrawingPoint(QSize(900, 600), QPointF(100, 600)), QPointF(0, 0));
  EXPECT_EQ(DrawingPoint(QSize(900, 600), QPointF(900, 0)), QPointF(800, 600));
  // Twice as large: two pixels per unit, y upward.
  EXPECT_EQ(DrawingPoint(QSize(1800, 1300), QPointF(400, 1000)), QPointF(100, 100));
}

TEST_F(SketchWindowTest, the_main_menu_opens_a_new_sketch_on_the_blank_one) {
  shell::RegisterWindowOpener(shell::window::sketch, [](int) { return OpenSketchWindow(); });
  base.write("sketch/bld_mtx.all", "not a sketch");
  shell::Model().UnitSystem = model::kSI;
  shell::mainmenu& menu = shell::MainMenu();
  EXPECT_TRUE(menu.ControlEnabled(shell::MenuItem::buildingsketch));
  menu.buildingsketch_Click();
  ASSERT_NE(SketchWindow(), nullptr);
  EXPECT_EQ(SketchWindow()->gridsize()->text(), " 1");   // a new SI sketch
  EXPECT_EQ(SketchWindow()->ceiling_ht()->text(), " 3.5");
  EXPECT_EQ(shell::Model().Resketched, 1);
  EXPECT_EQ(shell::Model().SketchOpenCount, 1);
  EXPECT_TRUE(menu.ControlEnabled(shell::MenuItem::zonedescription) ||
              !shell::ItemWindowBuilt(shell::MenuItem::zonedescription));
}

// A sketch file that cannot be read: the window says so and stays shut, and the run is not
// held back as if the building had been re-sketched.
TEST_F(SketchWindowTest, a_sketch_that_cannot_be_read_leaves_the_run_as_it_was) {
  shell::RegisterWindowOpener(shell::window::sketch, [](int) { return OpenSketchWindow(); });
  model::ProjectModel& m = shell::Model();
  base.write("sketch/bld_mtx.all", "");
  m.SketchOpenCount = 1;  // not the first opening: the blank sketch is not copied in
  m.Resketched = 0;
  shell::MainMenu().buildingsketch_Click();
  EXPECT_EQ(SketchWindow(), nullptr);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(m.Resketched, 0);
  EXPECT_EQ(m.SketchOpenCount, 1);
}

// An empty sketch file, or one cut in half, opens no drawing: the box says what the file is
// and names it, and the project (its steps, its zones, its sketch file) stays as it was.
TEST_F(SketchWindowTest, an_empty_or_cut_sketch_file_says_so_naming_it_and_changes_nothing) {
  shell::RegisterWindowOpener(shell::window::sketch, [](int) { return OpenSketchWindow(); });
  model::ProjectModel& m = shell::Model();
  shell::mainmenu& menu = shell::MainMenu();
  m.SketchOpenCount = 1;  // not the first opening: the blank sketch is not copied in
  m.StepFlags[4] = 0;
  m.OrientEdited = 1;
  m.ZoneOpened[1] = 1;
  const bool zonesEnabled = menu.ControlEnabled(shell::MenuItem::zonedescription);
  const std::string path = base.path("sketch/bld_mtx.all").string();
  const std::string whole = base.read("sketch/bld_mtx.all");
  for (const auto& [bytes, said] : {std::pair<std::string, std::string>{"", "because it is empty"},
                                    {whole.substr(0, whole.size() / 2), "because it is cut short"}}) {
    SCOPED_TRACE(said);
    base.write("sketch/bld_mtx.all", bytes);
    boxes.asked.clear();
    menu.buildingsketch_Click();
    EXPECT_EQ(SketchWindow(), nullptr);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_NE(boxes.asked[0].text.find(said), std::string::npos) << boxes.asked[0].text;
    EXPECT_NE(boxes.asked[0].text.find(model::BoxName(path)), std::string::npos) << boxes.asked[0].text;
    EXPECT_EQ(base.read("sketch/bld_mtx.all"), bytes);
    EXPECT_EQ(m.StepFlags[4], 0);
    EXPECT_EQ(m.OrientEdited, 1);
    EXPECT_EQ(m.ZoneOpened[1], 1);
    EXPECT_EQ(m.SketchOpenCount, 1);
    EXPECT_EQ(menu.ControlEnabled(shell::MenuItem::zonedescription), zonesEnabled);
  }
}

// A sketch file cut in half, loaded from the sketch window: the box names it and says it is
// cut; the drawing on screen and the project's sketch file stay.
TEST_F(SketchWindowTest, loading_a_cut_sketch_file_says_so_and_keeps_the_drawing) {
  DrawForm& w = Open();
  Drag(w, 0, 0, 50, 30);
  const std::string cut = base.read("sketch/bld_mtx.all").substr(0, 3000);
  base.write("cut.wri", cut);
  const std::string before = base.read("sketch/bld_mtx.all");
  LoadForm& load = ShowLoadForm(&w);
  load.Picker()->SetFolder(base.dir().string());
  const auto found = load.Picker()->File1()->findItems("cut.wri", Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  load.Picker()->File1()->setCurrentItem(found.front());
  boxes.asked.clear();
  load.OKButton_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_NE(boxes.asked[0].text.find("because it is cut short"), std::string::npos) << boxes.asked[0].text;
  EXPECT_NE(boxes.asked[0].text.find(model::BoxName(base.path("cut.wri").string())), std::string::npos);
  EXPECT_EQ(Cells(w, 1), 15);
  EXPECT_EQ(base.read("sketch/bld_mtx.all"), before);
}

// The sketch opened from the main menu, painted on and left, then a run asked for: a sketch
// whose drawing reverts leaves the run as it was before the sketch opened; a sketch whose
// zones were exported stops the run until the zones have been looked at.
TEST_F(SketchWindowTest, a_sketch_left_unchanged_does_not_block_the_run) {
  shell::RegisterWindowOpener(shell::window::sketch, [](int) { return OpenSketchWindow(); });
  model::ProjectModel& m = shell::Model();
  struct Case {
    const char* way;
    int16_t before;  // Resketched when the sketch opens
    std::function<void(DrawForm&)> leave;
    std::size_t questions;
    int16_t after;
  };
  // The window system's close request, as the close box sends it: answered Cancel the sketch
  // stays, answered OK its drawing reverts and it closes.
  const auto closeBox = [this](DrawForm& w) {
    QCloseEvent refused;
    QCoreApplication::sendEvent(w.windowHandle(), &refused);
    ASSERT_EQ(SketchWindow(), &w);
    EXPECT_EQ(shell::Model().Resketched, 1);
    boxes.answers.push_back(shell::MsgAnswer::Ok);
    QCloseEvent request;
    QCoreApplication::sendEvent(w.windowHandle(), &request);
  };
  const Case cases[] = {
      {"the close box", 0, closeBox, 2, 0},
      {"Cancel Changes, Return", 0,
       [this](DrawForm& w) {
         boxes.answers.push_back(shell::MsgAnswer::Ok);
         w.finish_Click();
       },
       1, 0},
      {"the close box after an earlier sketch was exported", 1, closeBox, 2, 1},
      {"<< Back", 0, [](DrawForm& w) { QTest::mouseClick(w.Exit(), Qt::LeftButton); }, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.way);
    m.Resketched = c.before;
    m.InputSaved = 1;
    shell::MainMenu().buildingsketch_Click();
    ASSERT_NE(SketchWindow(), nullptr);
    DrawForm& w = *SketchWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Drag(w, 100, 100, 130, 120);
    EXPECT_EQ(m.Resketched, 1);
    boxes.asked.clear();
    c.leave(w);
    QTest::qWait(10);
    ASSERT_EQ(SketchWindow(), nullptr);
    EXPECT_EQ(boxes.asked.size(), c.questions);
    EXPECT_EQ(m.Resketched, c.after);
    // The run: stopped only while the zones wait to be looked at.
    boxes.asked.clear();
    boxes.answers = {shell::MsgAnswer::Yes};  // run although zones were sketched
    shell::MainMenu().runenergy_Click(3);
    ASSERT_FALSE(boxes.asked.empty());
    const bool stopped = boxes.asked[0].text == shell::kResketchedBeforeRun;
    EXPECT_EQ(stopped, c.after == 1);
    EXPECT_EQ(shell::RunWindowLoaded(), !stopped);
    if (shell::RunWindowLoaded()) shell::RunWindow().Command2_Click();
    QTest::qWait(10);
  }
}

}  // namespace
}  // namespace kalvano::sketch

namespace kalvano::sketch {
namespace {

TEST_F(SketchWindowTest, pictures_of_a_painted_level_in_both_unit_systems) {
  const fs::path folder = shell::test::PictureFolder();
  fs::create_directories(folder);
  for (int units : {model::kInchPound, model::kSI}) {
    shell::Model().UnitSystem = static_cast<int16_t>(units);
    DrawForm& w = Open();
    Drag(w, 100, 100, 300, 250);
    w.znname_Click(1);
    Drag(w, 300, 100, 450, 250);
    w.znname_Click(9);
    Drag(w, 100, 250, 450, 330);
    w.znname(0)->setText("Offices");
    w.Form_MouseMove(0, 0, 455, 335);
    w.resize(1200, 860);
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.size(), w.size());
    shot.save(QString::fromStdString((folder / (units == model::kSI ? "sketch_si.png" : "sketch_ip.png")).string()));
    delete SketchWindow();
  }
}

}  // namespace
}  // namespace kalvano::sketch
