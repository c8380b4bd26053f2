// A sketched building becomes a project the engine accepts: the sketch's zones are exported
// into an installed sample project, the zone-description step reads their zone files back
// into the surface rows, and the run file passes the engine's error check with the sketch's
// zones and floor areas.
#include <gtest/gtest.h>

#include <QProcess>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/zone_file.h"
#include "frontend/shell/run/runcore.h"
#include "frontend/shell/zoneentry.h"
#include "frontend/sketch/sketchexport.h"
#include "shell_test_support.h"

namespace kalvano::sketch {
namespace {

namespace fs = std::filesystem;

class SketchProject : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    shell::test::InstallRealEngine(base);
    // The installed catalogues and profile libraries, which the first description reads.
    const fs::path installed(KALVANO_BASE_DIR);
    for (const auto& entry : fs::directory_iterator(installed / "profiles")) {
      fs::copy_file(entry.path(), base.path("profiles/" + entry.path().filename().string()),
                    fs::copy_options::overwrite_existing);
    }
  }
};

// Two levels and three zones: zones 1 and 2 side by side on level 1, zone 1 of level 2 over
// part of them.
Sketch ThreeZones(float grid, float height) {
  Sketch s;
  s.gridRows = 60;
  s.gridCols = 80;
  SketchLevel one = BlankLevel(60, 80);
  SketchLevel two = BlankLevel(60, 80);
  for (SketchLevel* level : {&one, &two}) {
    level->SetHeader(kGridSize, grid);
    level->SetHeader(kRoomHeight, height);
  }
  for (int r = 20; r <= 25; ++r) {
    for (int c = 10; c <= 17; ++c) one.SetCell(r, c, c <= 13 ? 1 : 2);
    for (int c = 12; c <= 15; ++c) two.SetCell(r, c, 1);
  }
  one.SetName(1, "Offices");
  one.SetName(2, "Lab");
  two.SetName(1, "Upper offices");
  s.levels = {one, two};
  return s;
}

// The building type of a sample, the number that ends its type text ("Office building 24").
int16_t BuildingType(const model::ProjectModel& m) {
  const std::vector<std::string> words = model::SplitWords(m.ProjectData[0]);
  return words.empty() ? 0 : static_cast<int16_t>(model::Val(words.back()));
}

// The zone codes and floor areas of the engine's input file.
std::vector<std::pair<std::string, double>> InputZones(const std::string& input) {
  std::vector<std::pair<std::string, double>> zones;
  for (const std::string& line : model::SplitLines(input)) {
    if (line.rfind("Zone No.", 0) == 0) zones.emplace_back(model::SplitWords(line.substr(8)).at(0), 0);
    if (line.rfind("Flr. Area", 0) == 0 && !zones.empty()) zones.back().second = model::Val(line.substr(9));
  }
  return zones;
}

TEST_F(SketchProject, a_sketched_building_passes_the_engine_error_check_with_its_zones) {
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    SCOPED_TRACE(sample);
    shell::ResetSession();
    model::ProjectModel& m = shell::test::RunnableSample(base, sample);
    const bool si = m.UnitSystem == model::kSI;
    const Sketch sketch = ThreeZones(si ? 3 : 10, si ? 3.5f : 10);
    const ExportResult r = ExportSketchZones(sketch, si ? 3 : 10, " 0", m.UnitSystem);
    ASSERT_EQ(r.status, ExportResult::kDone) << r.message;
    ASSERT_EQ(r.zones.size(), 3u);
    CommitExport(m, r);

    // The zone-description step after a new sketch.
    m.Resketched = 1;
    m.ZonesEntered = 0;
    m.BldTypeNo = BuildingType(m);
    ASSERT_TRUE(shell::ZoneEntry(m, shell::ZoneListGrid(), boxes))
        << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);
    for (const char* wall : {" 1", " 8", " 14"}) {
      EXPECT_FALSE(m.WallId[static_cast<std::size_t>(model::Val(wall))].empty()) << wall;
    }
    EXPECT_FALSE(m.WinId[1].empty());
    for (int z = 1; z <= 3; ++z) {
      const auto zi = static_cast<std::size_t>(z);
      const ExportedZone& zone = r.zones[zi - 1];
      EXPECT_EQ(m.ZoneData[zi][1], zone.code);
      EXPECT_EQ(m.ZoneData[zi][2], zone.name);
      EXPECT_EQ(model::Val(m.ZoneData[zi][3]), zone.area);
      ASSERT_EQ(m.SurfaceCount[zi], static_cast<int16_t>(zone.records.size())) << zone.code;
      for (std::size_t row = 1; row <= zone.records.size(); ++row) {
        EXPECT_EQ(m.SurfWallArea[zi][row], model::Val(zone.records[row - 1][1]));
        EXPECT_EQ(m.SurfExposure[zi][row], model::Val(zone.records[row - 1][3]));
        EXPECT_EQ(m.SurfShade[zi][row], zone.records[row - 1][4]);
      }
      // The sample holds two zones: the third takes the first zone's systems and schedules,
      // as "All Zones" copies them.
      for (std::size_t f = 4; f <= model::kZoneFields; ++f) {
        if (m.ZoneData[zi][f].empty()) m.ZoneData[zi][f] = m.ZoneData[1][f];
      }
      if (m.ZoneNatVent[zi].empty()) m.ZoneNatVent[zi] = m.ZoneNatVent[1];
      if (m.ZoneDaylight[zi].empty()) m.ZoneDaylight[zi] = m.ZoneDaylight[1];
      if (m.ZoneEconCycle[zi].empty()) m.ZoneEconCycle[zi] = m.ZoneEconCycle[1];
    }

    shell::RunChoices choices;
    choices.runType = 1;
    choices.jan1Weekday = shell::Jan1Weekday(2026);
    shell::WriteRunFiles(m, choices);
    QProcess engine;
    engine.setWorkingDirectory(QString::fromStdString(base.path("temp").string()));
    engine.start(QString::fromStdString(base.path("kvan64").string()), {});
    ASSERT_TRUE(engine.waitForFinished(120000));
    const std::string monitor = base.read("temp/monitor.txt");
    EXPECT_EQ(engine.exitCode(), 0) << monitor << base.read("temp/sim$.out") << engine.readAllStandardError().toStdString();
    EXPECT_NE(monitor.find("Results:     0 ERRORS DETECTED."), std::string::npos) << monitor;

    const auto zones = InputZones(base.read("temp/tavik$.inp"));
    ASSERT_EQ(zones.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(zones[i].first, r.zones[i].code);
      // The run file holds inch-pound values.
      EXPECT_NEAR(zones[i].second, si ? r.zones[i].area * 10.76391 : r.zones[i].area, 1.0);
    }
  }
}

// The zone files of both writers, the project reader's and the sketch export's, read back
// the same way by the zone-description step.
TEST_F(SketchProject, zone_files_of_the_project_reader_and_of_the_export_read_alike) {
  model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
  // The project reader's file of the sample's first zone.
  const std::string fromReader = base.read("temp/temp" + m.ZoneCode[1] + ".zon");
  ASSERT_EQ(fromReader.substr(fromReader.size() - 5), "end\r\n");
  const int readerRows = m.SurfaceCount[1];
  // The export's file of the same rows, as the last zone of a sketch.
  ExportedZone zone;
  zone.code = m.ZoneCode[1];
  for (int row = 1; row <= readerRows; ++row) {
    std::vector<std::string> lines = model::SplitLines(fromReader);
    SurfaceRecord rec;
    for (std::size_t f = 0; f < 14; ++f) rec[f] = lines[static_cast<std::size_t>((row - 1) * 14) + f];
    zone.records.push_back(rec);
  }
  const std::string fromExport = ExportedZoneFileText(zone, true);
  EXPECT_EQ(fromExport, fromReader + "9999\r\n");
  for (const std::string& text : {fromReader, fromExport}) {
    model::AtomicFile f(model::ZoneFilePath(m, m.ZoneCode[1]));
    f.text(text);
    f.commit();
    m.Resketched = 1;
    m.ZonesEntered = 0;
    m.BldTypeNo = BuildingType(m);
    m.SurfaceCount[1] = 0;
    ASSERT_TRUE(shell::ZoneEntry(m, shell::ZoneListGrid(), boxes))
        << (boxes.asked.empty() ? std::string() : boxes.asked.back().text);
    EXPECT_EQ(m.SurfaceCount[1], readerRows);
  }
}

}  // namespace
}  // namespace kalvano::sketch
