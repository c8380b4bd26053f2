// The zone window's AC Type menu, switches and copy frames, and the copy-to-zones window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <fstream>
#include <iterator>
#include <map>

#include "frontend/shell/session.h"
#include "frontend/zones/copytozone.h"
#include "frontend/zones/zoneform.h"
#include "frontend/zones/zonesystems.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

class ZoneSystemsWindow : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    base.install("btype/tcool.dat");
    shell::Model() = test::ThreeZoneProject(16);
    shell::Model().AppDir = base.dir().string();
  }
  void TearDown() override {
    delete CopyToZoneWindow();
    UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ShellTest::TearDown();
  }
  zoneform& Open(int zone) {
    EXPECT_TRUE(OpenZoneForm(zone));
    return *ZoneFormWindow();
  }
};

TEST_F(ZoneSystemsWindow, ac_type_fills_the_system_fields_from_the_data_base) {
  zoneform& w = Open(2);
  auto* acTypes = qobject_cast<QMenu*>(w.ac(1)->parent());
  ASSERT_NE(acTypes, nullptr);
  EXPECT_EQ(acTypes->menuAction(), w.menu(1)->actions().value(0));
  EXPECT_EQ(w.ac(9)->text(), "9. Evaporative Cooling");
  w.zone(21)->setText("1");
  w.ac(2)->trigger();  // Double Duct: $2600 and $50 per ton, with gas heat +200
  EXPECT_EQ(Text(w.zone(20)), " 2");
  EXPECT_EQ(Text(w.zone(26)), "4.0");
  EXPECT_EQ(Text(w.zone(27)), "13");
  EXPECT_EQ(Text(w.zone(29)), "2800");
  EXPECT_EQ(Text(w.zone(30)), " 103.6");
  const auto& flags = shell::Model().ZoneEdit.FieldChanged[2];
  for (int f : {20, 26, 27, 29, 30}) EXPECT_EQ(flags[f], 1) << f;
  EXPECT_TRUE(boxes.asked.empty());

  base.remove("btype/tcool.dat");
  w.ac(4)->trigger();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
  EXPECT_EQ(Text(w.zone(20)), " 2");
}

TEST_F(ZoneSystemsWindow, the_switches_toggle_and_daylighting_enables_its_fields) {
  for (const char* before : {"No", ""}) {
    shell::Model().ZoneDaylight[1] = before;
    zoneform& w = Open(1);
    w.dayt()->setText(before);
    w.dayt_Click();
    EXPECT_EQ(w.dayt()->text(), "Yes");
    EXPECT_TRUE(w.zone(24)->isEnabled());
    EXPECT_TRUE(w.zone(25)->isEnabled());
    EXPECT_EQ(shell::Model().ZoneEdit.DaylightChanged[1], 1);
    EXPECT_EQ(shell::Model().ZoneEdit.LastEditedField, 31);
    w.dayt_Click();
    EXPECT_EQ(w.dayt()->text(), "No");
    EXPECT_FALSE(w.zone(24)->isEnabled());
    w.Econcycle_Click();
    EXPECT_EQ(w.Econcycle()->text(), "Yes");
    EXPECT_EQ(shell::Model().ZoneEdit.EconChanged[1], 1);
    UnloadZoneForm();
  }
}

TEST_F(ZoneSystemsWindow, copies_refuse_when_only_field_five_changed) {
  zoneform& w = Open(2);
  shell::Model().ZoneEdit.FieldChanged[2][5] = 1;
  shell::Model().ZoneEdit.FieldChanged[2][3] = 1;
  w.copyzone(0)->click();
  w.copyall(0)->click();
  ASSERT_EQ(boxes.asked.size(), 2u);
  for (const auto& a : boxes.asked) {
    EXPECT_EQ(a.text, "No values have been changed.  No data are copied to the other zones.");
    EXPECT_EQ(a.title, "Copy Data");
  }
  EXPECT_EQ(CopyToZoneWindow(), nullptr);
}

TEST_F(ZoneSystemsWindow, all_zones_copies_changed_fields_and_switches_and_clears_the_flags) {
  model::ProjectModel& m = shell::Model();
  zoneform& w = Open(2);
  w.zone(21)->setText("2");
  w.ac(5)->trigger();
  w.zone(1)->setText("99");
  m.ZoneEdit.FieldChanged[2][1] = 1;
  w.Econcycle_Click();
  w.copyall(0)->click();
  for (int z = 1; z <= 3; ++z) {
    SCOPED_TRACE(z);
    EXPECT_EQ(m.ZoneData[z][20], " 5");
    EXPECT_EQ(m.ZoneData[z][29], "1500");
    EXPECT_EQ(m.ZoneData[z][1], " 1");
    EXPECT_EQ(m.ZoneEconCycle[z], "Yes");
  }
  for (int f = 1; f <= model::kZoneFields; ++f) EXPECT_EQ(m.ZoneEdit.FieldChanged[2][f], 0);
  EXPECT_EQ(m.ZoneEdit.EconChanged[2], 0);
}

TEST_F(ZoneSystemsWindow, selected_zones_copy_to_the_ticked_zones_only) {
  model::ProjectModel& m = shell::Model();
  zoneform& w = Open(2);
  w.ac(8)->trigger();
  w.copyzone(0)->click();
  copytozone* c = CopyToZoneWindow();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->zname(3)->text(), "13. Zone 3");
  c->zname(3)->setChecked(true);
  c->okey_Click();
  EXPECT_EQ(m.ZoneData[3][20], " 8");
  EXPECT_EQ(m.ZoneData[1][20], " 20");
  EXPECT_EQ(m.ZoneEdit.FieldChanged[2][20], 0);
}

TEST_F(ZoneSystemsWindow, the_window_sizer_shows_new_areas_on_the_lines_of_their_rows) {
  model::ProjectModel& m = shell::Model();
  zoneform& w = Open(2);
  w.envscroll()->setValue(6);  // line 1 shows row 6, which faces 180
  w.ElevArea(2)->setText("0.5");
  w.copyall(1)->click();
  EXPECT_FLOAT_EQ(m.SurfWinArea[2][6], 53.0f);
  EXPECT_FLOAT_EQ(m.SurfWinArea[3][2], 26.0f);
  EXPECT_EQ(Text(w.cell(colWinArea, 1)), " 53");
  EXPECT_EQ(Text(w.cell(colWinArea, 2)), " 10");  // row 7 faces 270: no fraction
  EXPECT_EQ(m.ZoneEdit.RowWinArea[2], " 51");

  // Selected zones: the current zone is sized although its box is not ticked.
  w.ElevArea(2)->setText("0.25");
  w.copyzone(1)->click();
  ASSERT_NE(CopyToZoneWindow(), nullptr);
  CopyToZoneWindow()->okey_Click();
  EXPECT_FLOAT_EQ(m.SurfWinArea[2][6], 26.5f);
  EXPECT_FLOAT_EQ(m.SurfWinArea[3][2], 26.0f);
}

// A fraction out of range or no number at all, next to a valid one, is refused before any
// area changes: by "All Zones", by "Selected Zones" (no copy window), and by the copy
// window's OK when the box was changed after it opened (the window stays for another choice).
TEST_F(ZoneSystemsWindow, a_refused_window_sizer_changes_no_area) {
  model::ProjectModel& m = shell::Model();
  enum class Path { kAllZones, kSelectedZones, kCopyWindowOk };
  struct Case {
    const char* fraction;
    Path path;
  };
  const Case cases[] = {{"1.01", Path::kAllZones},      {"-0.1", Path::kAllZones},
                        {"o.4", Path::kAllZones},       {"1.01", Path::kSelectedZones},
                        {"-0.1", Path::kSelectedZones}, {"o.4", Path::kSelectedZones},
                        {"1.01", Path::kCopyWindowOk},  {"-0.1", Path::kCopyWindowOk},
                        {"o.4", Path::kCopyWindowOk}};
  zoneform& w = Open(2);
  w.envscroll()->setValue(6);
  const auto areas = m.SurfWinArea;
  const auto rows = m.ZoneEdit.RowWinArea;
  const std::string line1 = Text(w.cell(colWinArea, 1));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fraction) + " " + std::to_string(static_cast<int>(c.path)));
    boxes.asked.clear();
    w.ElevArea(2)->setText("0.5");
    w.ElevArea(0)->setText(c.path == Path::kCopyWindowOk ? "0.2" : c.fraction);
    if (c.path == Path::kAllZones) {
      w.copyall(1)->click();
    } else {
      w.copyzone(1)->click();
    }
    if (c.path == Path::kCopyWindowOk) {
      ASSERT_NE(CopyToZoneWindow(), nullptr);
      CopyToZoneWindow()->zname(3)->setChecked(true);
      w.ElevArea(0)->setText(c.fraction);
      CopyToZoneWindow()->okey_Click();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      EXPECT_NE(CopyToZoneWindow(), nullptr);
      delete CopyToZoneWindow();
    } else {
      EXPECT_EQ(CopyToZoneWindow(), nullptr);
    }
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, std::string(c.fraction) == "o.4"
                                       ? "You should use numerical value."
                                       : "Window fractions must be between 0 and 1, please re-enter.");
    EXPECT_EQ(m.SurfWinArea, areas);
    EXPECT_EQ(m.ZoneEdit.RowWinArea, rows);
    EXPECT_EQ(Text(w.cell(colWinArea, 1)), line1);
  }
}

// An area typed into a row since the zone was opened, and not yet stored, stays when the
// sizer gives only another elevation a fraction, whichever button asked for the sizing; the
// walls the sizer sizes are the ones shown.
TEST_F(ZoneSystemsWindow, the_window_sizer_keeps_the_rows_typed_since_the_zone_opened) {
  model::ProjectModel& m = shell::Model();
  for (bool selected : {false, true}) {
    SCOPED_TRACE(selected ? "Selected Zones" : "All Zones");
    m = test::ThreeZoneProject(16);
    m.AppDir = base.dir().string();
    zoneform& w = Open(2);
    // Line 1 shows row 1, which faces 90 (east); line 2 row 2, facing 180 (south).
    w.cell(colWinArea, 1)->selectAll();
    QTest::keyClicks(w.cell(colWinArea, 1), "55");
    w.cell(colWallArea, 2)->selectAll();
    QTest::keyClicks(w.cell(colWallArea, 2), "200");
    w.ElevArea(2)->setText("0.4");
    if (selected) {
      w.copyzone(1)->click();
      ASSERT_NE(CopyToZoneWindow(), nullptr);
      CopyToZoneWindow()->okey_Click();
    } else {
      w.copyall(1)->click();
    }
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(Text(w.cell(colWinArea, 1)), " 55");
    EXPECT_EQ(m.ZoneEdit.RowWinArea[1], " 55");
    EXPECT_EQ(Text(w.cell(colWinArea, 2)), " 80");
    EXPECT_FLOAT_EQ(m.SurfWinArea[2][2], 80.0f);
    UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(ZoneSystemsWindow, copy_to_zones_for_25_zones_has_three_columns_and_is_saved_as_png) {
  model::ProjectModel& m = shell::Model();
  m.ZoneCount = 25;
  for (int z = 1; z <= 25; ++z) {
    m.ZoneCode[z] = std::to_string(z);
    m.ZoneSketchName[z] = "Zone " + std::to_string(z);
  }
  Open(2);
  OpenCopyToZone();
  copytozone* c = CopyToZoneWindow();
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->zoneCount(), 25);
  EXPECT_EQ(c->WidthTwips(), 9000);
  EXPECT_EQ(c->width(), TwipsToPixels(9000, c->logicalDpiX()));
  std::map<int, int> perColumn;
  for (int z = 1; z <= 25; ++z) ++perColumn[c->zname(z)->x()];
  ASSERT_EQ(perColumn.size(), 3u);
  EXPECT_EQ(perColumn.begin()->second, 10);
  EXPECT_EQ(std::next(perColumn.begin())->second, 10);
  EXPECT_EQ(perColumn.rbegin()->second, 5);
  EXPECT_EQ(c->zname(11)->y(), c->zname(1)->y());
  EXPECT_GT(c->okey()->y(), c->zname(10)->y());

  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  const QPixmap picture = c->grab();
  ASSERT_FALSE(picture.isNull());
  EXPECT_TRUE(picture.save(QString::fromStdString((folder / "copytozone.png").string())));
}

}  // namespace
}  // namespace kalvano::zones
