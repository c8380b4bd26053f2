// A new user's road from a building type to a simulated building, walked with the real
// engine: a new project of a building type gets its weather from an installed sample, the
// building is sketched on two levels by mouse events, "<< Back" makes the drawing the
// project's zones, the zone-description step opens every zone and stores it with OK, the
// project is saved, and the saved project passes the engine's error check and runs a month
// whose report lists the sketched zones with their floor areas.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/run/runcore.h"
#include "frontend/shell/saveinput.h"
#include "frontend/sketch/drawform.h"
#include "frontend/zones/zoneform.h"
#include "frontend/zones/zonename.h"
#include "shell_test_support.h"

namespace kalvano::sketch {
namespace {

namespace fs = std::filesystem;

class SketchWalk : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    shell::test::InstallRealEngine(base);
    const fs::path installed(KALVANO_BASE_DIR);
    for (const char* folder : {"profiles", "btype"}) {
      for (const auto& entry : fs::directory_iterator(installed / folder)) {
        if (!entry.is_regular_file()) continue;
        fs::copy_file(entry.path(), base.path(std::string(folder) + "/" + entry.path().filename().string()),
                      fs::copy_options::overwrite_existing);
      }
    }
    fs::copy_file(installed / "sketch/bld_mtx2.000", base.path("sketch/bld_mtx2.000"),
                  fs::copy_options::overwrite_existing);
    fs::create_directories(base.path("work"));
    model::ProjectModel& m = shell::Model();
    m.AppDir = base.dir().string();
    m.CurrentYear = 2026;
    // The program's openers, as it registers them at start-up.
    shell::ClearWindowOpeners();
    shell::RegisterWindowOpener(shell::window::zonename, &zones::OpenZoneList);
    shell::RegisterWindowOpener(shell::window::zoneform, [](int row) { zones::OpenZoneForm(row); });
    shell::RegisterWindowOpener(shell::window::sketch, [](int) { return OpenSketchWindow(); });
  }
  void TearDown() override {
    zones::UnloadZoneForm();
    zones::UnloadZoneList();
    delete SketchWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell::ClearWindowOpeners();
    shell::test::ShellTest::TearDown();
  }

  // A mouse event on the sketch canvas at a point of the drawing.
  static void Mouse(DrawForm& w, QEvent::Type type, double x, double y, Qt::MouseButtons held) {
    DrawCanvas* canvas = w.Canvas();
    const double s = canvas->Scale();
    const QPointF pixel((x - kDrawLeft) * s, (kDrawHeight - y) * s);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pixel, canvas->mapToGlobal(pixel), button, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
  }
  // A drag with the left button from one drawing point to another, through the middle.
  static void Drag(DrawForm& w, double x0, double y0, double x1, double y1) {
    Mouse(w, QEvent::MouseButtonPress, x0, y0, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, (x0 + x1) / 2, (y0 + y1) / 2, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, x1, y1, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, x1, y1, Qt::NoButton);
  }
  static void Retype(QLineEdit* box, const char* text) {
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
  }
};

// The zones of the engine's zone table in its report: number, name and floor area of each
// line that starts with a zone number of `codes`.
struct ReportZone {
  std::string code, name;
  double area;
};
std::vector<ReportZone> ReportZones(const std::string& report, const std::vector<std::string>& codes) {
  std::vector<ReportZone> found;
  for (const std::string& line : model::SplitLines(report)) {
    if (line.size() < 37) continue;
    const std::vector<std::string> number = model::SplitWords(line.substr(0, 4));
    if (number.size() != 1) continue;
    for (const std::string& code : codes) {
      if (number[0] != code) continue;
      std::string name = line.substr(5, 20);
      while (!name.empty() && name.back() == ' ') name.pop_back();
      found.push_back({code, name, model::Val(line.substr(27, 9))});
    }
  }
  return found;
}

TEST_F(SketchWalk, a_sketched_new_project_is_described_saved_checked_and_run) {
  model::ProjectModel& m = shell::Model();
  shell::mainmenu& menu = shell::MainMenu();
  menu.show();

  // File, New Project.
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  menu.newitem_Click();
  m.AppDir = base.dir().string();
  m.CurrentYear = 2026;
  // The weather of the installed sample, as the weather step stores it.
  {
    auto sample = std::make_unique<model::ProjectModel>();
    sample->AppDir = base.path("samplework").string();
    fs::create_directories(base.path("samplework/temp"));
    fs::create_directories(base.path("samplework/sketch"));
    model::ReadInputFile(*sample, std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleProject.inp");
    m.WeatherBlock = sample->WeatherBlock;
    m.Wx = sample->Wx;
    m.DesTemps = sample->DesTemps;
    m.DesTempsValid = sample->DesTempsValid;
    m.ProjectData[3] = sample->ProjectData[3];
    m.StepFlags[2] = 1;
    m.WeatherEntered = 1;
  }
  // Step 1: an office building.
  menu.projectinformation_Click();
  QApplication::processEvents();
  shell::projectinfo& info = shell::ProjectInfoWindow();
  info.Form_Activate();
  info.building(24)->trigger();
  ASSERT_EQ(m.BldTypeNo, 24);
  info.SetBoxText(3, m.ProjectData[3]);
  info.SetBoxText(1, "Sketched office");
  QTest::mouseClick(info.ok(), Qt::LeftButton);
  ASSERT_EQ(m.StepFlags[1], 1) << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);

  // Step 4: the sketch, on the blank one.
  menu.buildingsketch_Click();
  DrawForm* opened = SketchWindow();
  ASSERT_NE(opened, nullptr);
  DrawForm& w = *opened;
  ASSERT_TRUE(w.isVisible());
  Retype(w.gridsize(), "10");
  // Level 1: zone 1 and, picked on its swatch, zone 2 beside it; 4 x 6 cells each.
  Drag(w, 100, 200, 140, 260);
  Mouse(w, QEvent::MouseButtonPress, -92, 473, Qt::LeftButton);
  Mouse(w, QEvent::MouseButtonRelease, -92, 473, Qt::NoButton);
  ASSERT_EQ(w.PaintZone(), 2);
  Drag(w, 140, 200, 180, 260);
  EXPECT_EQ(w.zone_area()->text(), "Zn area= 2400");
  Retype(w.znname(0), "Offices");
  Retype(w.znname(1), "Lab");
  // Level 2, a copy of level 1, erased and painted with zone 1 over the middle.
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  w.HScroll1()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  QTest::qWait(10);
  ASSERT_EQ(w.LevelCount(), 2);
  ASSERT_EQ(w.CurrentLevel(), 2);
  boxes.answers.push_back(shell::MsgAnswer::Ok);
  boxes.answers.push_back(shell::MsgAnswer::No);
  w.erase_dwg_Click();
  QTest::mouseClick(w.znname(0), Qt::LeftButton);
  Drag(w, 120, 200, 160, 260);
  Retype(w.znname(0), "Upper offices");
  EXPECT_EQ(w.znname(1)->text(), " Zone 2-2");
  QTest::mouseClick(w.Exit(), Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(SketchWindow(), nullptr) << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);

  struct Expected {
    std::string code, name;
    float area;
  };
  const std::vector<Expected> expected{{"11", "Offices", 2400}, {"12", "Lab", 2400}, {"21", "Upper offices", 2400}};
  ASSERT_EQ(m.ZoneCount, 3);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(m.ZoneCode[i + 1], expected[i].code);
    EXPECT_EQ(m.ZoneSketchName[i + 1], expected[i].name);
    EXPECT_EQ(m.ZoneFloorArea[i + 1], expected[i].area);
  }

  // Step 5: the zone list; every zone opened and stored with OK.
  boxes.asked.clear();
  menu.zonedescription_Click();
  ASSERT_NE(zones::ZoneListWindow(), nullptr) << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);
  for (int row = 1; row <= 3; ++row) {
    SCOPED_TRACE(row);
    zones::zonename* list = zones::ZoneListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Cell(row, 0), expected[static_cast<std::size_t>(row - 1)].code);
    list->MSFlexGrid1()->setCurrentCell(row, 0);
    QTest::mouseClick(list->OK(), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    zones::zoneform* form = zones::ZoneFormWindow();
    ASSERT_NE(form, nullptr);
    QTest::mouseClick(form->okey(), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(zones::ZoneFormWindow(), nullptr) << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);
    EXPECT_EQ(m.ZoneOpened[static_cast<std::size_t>(row)], 1);
  }
  ASSERT_NE(zones::ZoneListWindow(), nullptr);
  QTest::mouseClick(zones::ZoneListWindow()->back(), Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(zones::ZoneListWindow(), nullptr) << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);

  // File, Save Project File.
  boxes.asked.clear();
  menu.saveinput_Click();
  ASSERT_TRUE(boxes.asked.empty()) << boxes.asked.back().text;
  shell::saveinputform& save = shell::SaveDialog();
  save.Picker()->SetFolder(base.path("work").string());
  save.inputname()->setText("sketched");
  QTest::mouseClick(save.okbutton(), Qt::LeftButton);
  const std::string saved = base.path("work/sketched.inp").string();
  ASSERT_TRUE(fs::exists(saved)) << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);
  ASSERT_EQ(m.InputSaved, 1);

  // The saved project, read back, as the engine gets it: first the error check, then January.
  model::ReadInputFile(m, saved);
  ASSERT_EQ(m.ZoneCount, 3);
  struct Run {
    int runType, endDay;
  };
  for (const Run& run : {Run{1, 365}, Run{3, 31}}) {
    SCOPED_TRACE(run.runType);
    shell::RunChoices choices;
    choices.runType = run.runType;
    choices.endDay = run.endDay;
    choices.jan1Weekday = shell::Jan1Weekday(2026);
    shell::WriteRunFiles(m, choices);
    base.remove("temp/sim$.out");
    QProcess engine;
    engine.setWorkingDirectory(QString::fromStdString(base.path("temp").string()));
    engine.start(QString::fromStdString(base.path("kvan64").string()), {});
    ASSERT_TRUE(engine.waitForFinished(300000));
    const std::string monitor = base.read("temp/monitor.txt");
    const std::string report = base.read("temp/sim$.out");
    ASSERT_EQ(engine.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(engine.exitCode(), 0) << monitor << report;
    EXPECT_NE(monitor.find("0 ERRORS DETECTED."), std::string::npos) << monitor;
    if (run.runType == 1) continue;
    const std::vector<ReportZone> listed = ReportZones(report, {"11", "12", "21"});
    ASSERT_EQ(listed.size(), 3u) << report;
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(listed[i].code, expected[i].code);
      EXPECT_EQ(listed[i].name, expected[i].name);
      EXPECT_NEAR(listed[i].area, expected[i].area, 0.5);
    }
  }
}

}  // namespace
}  // namespace kalvano::sketch
