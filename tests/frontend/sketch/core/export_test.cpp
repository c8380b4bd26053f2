// The sketch export: painted levels become zones with their floor areas and surface records
// (walls by side with their shading, roofs, ground floors), the two listings and the zone
// files, written all together or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"
#include "frontend/sketch/sketchexport.h"

namespace kalvano::sketch {
namespace {

namespace fs = std::filesystem;

constexpr int kRows = 8, kCols = 10;

// A level painted from a picture whose first string is the top row of the drawing.
SketchLevel Level(const std::vector<std::string>& picture, float grid = 10, float height = 10,
                  float floors = 1) {
  SketchLevel level = BlankLevel(kRows, kCols);
  level.SetHeader(kGridSize, grid);
  level.SetHeader(kRoomHeight, height);
  level.SetHeader(kFloors, floors);
  for (std::size_t i = 0; i < picture.size(); ++i) {
    for (std::size_t c = 0; c < picture[i].size(); ++c) {
      level.SetCell(kRows - static_cast<int>(i), static_cast<int>(c) + 1, DecodeCell(picture[i][c]));
    }
  }
  return level;
}

Sketch Of(std::vector<SketchLevel> levels) {
  Sketch s;
  s.gridRows = kRows;
  s.gridCols = kCols;
  s.levels = std::move(levels);
  return s;
}

// The wall id, area, orientation, exposure and shade of a record.
std::string Brief(const SurfaceRecord& r) { return r[0] + "|" + r[1] + "|" + r[2] + "|" + r[3] + "|" + r[4]; }

std::vector<std::string> Briefs(const ExportedZone& z) {
  std::vector<std::string> out;
  for (const SurfaceRecord& r : z.records) out.push_back(Brief(r));
  return out;
}

const ExportedZone& Zone(const ExportResult& r, const std::string& code) {
  for (const ExportedZone& z : r.zones) {
    if (z.code == code) return z;
  }
  throw std::runtime_error("no zone " + code);
}

constexpr const char* kOpen = " N0. N0. N0.";

TEST(AngleSine, is_the_sine_of_the_angle_over_the_facing_wall_to_one_decimal) {
  EXPECT_EQ(AngleSine(10, 10), 0.7f);
  EXPECT_EQ(AngleSine(10, 20), 0.4f);
  EXPECT_EQ(AngleSine(100, 1), 1.0f);
}

TEST(SketchExport, a_single_zone_gives_four_walls_a_roof_and_its_ground_floor) {
  const ExportResult r = ExportSketchZones(
      Of({Level({"", "", "00111", "00111"})}), 10, " 0", model::kInchPound);
  ASSERT_EQ(r.status, ExportResult::kDone) << r.message;
  ASSERT_EQ(r.zones.size(), 1u);
  const ExportedZone& z = r.zones[0];
  EXPECT_EQ(z.code, "11");
  EXPECT_EQ(z.name, "Zone 1-1");
  EXPECT_EQ(z.area, 600.0f);
  EXPECT_EQ(r.floorArea, 600.0f);
  // Ten cell sides merge into four walls.
  EXPECT_EQ(Briefs(z), (std::vector<std::string>{
                           std::string(" 1  | 300 | 0 |2   |") + kOpen,
                           std::string(" 1  | 200 | 270 |2   |") + kOpen,
                           std::string(" 1  | 300 | 180 |2   |") + kOpen,
                           std::string(" 1  | 200 | 90 |2   |") + kOpen,
                           std::string(" 8  | 600 | 0 |6   |") + kOpen,
                           std::string(" 14 | 300 | 0 |7   |") + kOpen,
                           std::string(" 14 | 300 | 0 |71  |") + kOpen,
                       }));
  // The whole record of a wall and of the roof.
  EXPECT_EQ(z.records[0], (SurfaceRecord{" 1  ", " 300 ", " 0 ", "2   ", kOpen, " 1  ", "0.0 ", "90",
                                         "B", " 0 ", " 0 ", " 2.5 ", " 7.5 ", "0.0"}));
  EXPECT_EQ(z.records[4][7], "0");
  // The zone file byte for byte: 14 CR LF lines per record, "end", and "9999" when it is the
  // last zone's file.
  std::ifstream in(std::string(KALVANO_SOURCE_DIR) + "/tests/frontend/sketch/core/golden/temp11.zon",
                   std::ios::binary);
  const std::string golden{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::size_t crlf = 0;
  for (std::size_t at = golden.find("\r\n"); at != std::string::npos; at = golden.find("\r\n", at + 2)) ++crlf;
  ASSERT_EQ(crlf, 7u * 14u + 2u) << "the golden file lost its CR LF line ends";
  EXPECT_EQ(ExportedZoneFileText(z, true), golden);
  EXPECT_EQ(ExportedZoneFileText(z, false), golden.substr(0, golden.size() - 6));
}

TEST(SketchExport, zones_side_by_side_share_no_wall) {
  const Sketch sketch = Of({Level({"", "", "0001122", "0001122", "0001122"})});
  const ExportResult ip = ExportSketchZones(sketch, 10, " 0", model::kInchPound);
  ASSERT_EQ(ip.status, ExportResult::kDone);
  ASSERT_EQ(ip.zones.size(), 2u);
  EXPECT_EQ(ip.zones[0].code, "11");
  EXPECT_EQ(ip.zones[1].code, "12");
  EXPECT_EQ(ip.zones[0].area, 600.0f);
  EXPECT_EQ(ip.zones[1].area, 600.0f);
  EXPECT_EQ(ip.floorArea, 1200.0f);
  EXPECT_EQ(Briefs(ip.zones[0]), (std::vector<std::string>{
                                     std::string(" 1  | 200 | 0 |2   |") + kOpen,
                                     std::string(" 1  | 300 | 270 |2   |") + kOpen,
                                     std::string(" 1  | 200 | 180 |2   |") + kOpen,
                                     std::string(" 8  | 600 | 0 |6   |") + kOpen,
                                     std::string(" 14 | 210 | 0 |7   |") + kOpen,
                                     std::string(" 14 | 390 | 0 |72  |") + kOpen,
                                 }));
  for (const SurfaceRecord& rec : ip.zones[1].records) EXPECT_NE(rec[2], " 270 ");
  // SI: other sill, window top and strip depth.
  const ExportResult si = ExportSketchZones(sketch, 10, " 0", model::kSI);
  const ExportedZone& z = si.zones[0];
  EXPECT_EQ(z.records[0][11], " .75 ");
  EXPECT_EQ(z.records[0][12], " 2.25 ");
  // The perimeter strip: 7 wall edges x grid 10 x a strip depth of 1 (3 in inch-pound gave
  // 210 above); the interior part is the rest of the 600.
  EXPECT_EQ(Brief(z.records[4]), std::string(" 14 | 70 | 0 |7   |") + kOpen);
  EXPECT_EQ(Brief(z.records[5]), std::string(" 14 | 530 | 0 |76  |") + kOpen);
}

TEST(SketchExport, roofs_cover_what_no_level_above_covers) {
  const ExportResult r = ExportSketchZones(
      Of({Level({"", "", "0011112200", "0011112200"}, 10, 10),
          Level({"", "", "0000111100", "0000111100"}, 10, 12)}),
      10, " 0", model::kInchPound);
  ASSERT_EQ(r.status, ExportResult::kDone);
  ASSERT_EQ(r.zones.size(), 3u);
  auto roofs = [](const ExportedZone& z) {
    std::vector<std::string> out;
    for (const SurfaceRecord& rec : z.records) {
      if (rec[3] == "6   ") out.push_back(rec[1]);
    }
    return out;
  };
  EXPECT_EQ(roofs(Zone(r, "11")), (std::vector<std::string>{" 400 "}));  // 4 cells uncovered
  EXPECT_TRUE(roofs(Zone(r, "12")).empty());                            // wholly covered
  EXPECT_EQ(roofs(Zone(r, "21")), (std::vector<std::string>{" 800 "}));  // the top level
  // Walls are as high as their own level; only level 1 has ground floors.
  EXPECT_EQ(Brief(Zone(r, "11").records[0]), std::string(" 1  | 400 | 0 |2   |") + kOpen);
  EXPECT_EQ(Brief(Zone(r, "21").records[0]).substr(0, 16), " 1  | 480 | 0 |2");
  for (const SurfaceRecord& rec : Zone(r, "21").records) EXPECT_NE(rec[0], " 14 ");
  // Below the top, a zone's roof follows its walls.
  const ExportedZone& z11 = Zone(r, "11");
  EXPECT_EQ(z11.records[z11.records.size() - 3][3], "6   ");
}

TEST(SketchExport, facing_wings_and_diagonal_neighbours_shade_a_wall) {
  // A U: two wings one empty cell apart on a base.
  const ExportResult r = ExportSketchZones(
      Of({Level({"", "", "0101", "0111"})}), 10, " 0", model::kInchPound);
  ASSERT_EQ(r.status, ExportResult::kDone);
  const ExportedZone& z = r.zones[0];
  std::vector<std::string> shaded;
  for (const SurfaceRecord& rec : z.records) {
    if (rec[4] != kOpen) shaded.push_back(rec[2] + rec[4]);
  }
  // The right side of the left wing faces the right wing (h 10, 10 away) and has the base
  // down to its right; the left side of the right wing the mirror of it; the base between
  // the wings has a wing up to either side.
  EXPECT_EQ(shaded, (std::vector<std::string>{" 90  N0. L1. F.7", " 270  R1. N0. F.7", " 0  R1. L1. N0."}));
}

TEST(SketchExport, a_level_of_three_floors_counts_them_in_area_and_height_but_not_in_the_ground_floor) {
  const ExportResult r = ExportSketchZones(
      Of({Level({"", "", "00111", "00111"}, 10, 10, 3)}), 10, " 0", model::kInchPound);
  const ExportedZone& z = r.zones[0];
  EXPECT_EQ(z.area, 1800.0f);
  EXPECT_EQ(Briefs(z), (std::vector<std::string>{
                           std::string(" 1  | 900 | 0 |2   |") + kOpen,
                           std::string(" 1  | 600 | 270 |2   |") + kOpen,
                           std::string(" 1  | 900 | 180 |2   |") + kOpen,
                           std::string(" 1  | 600 | 90 |2   |") + kOpen,
                           std::string(" 8  | 600 | 0 |6   |") + kOpen,
                           std::string(" 14 | 300 | 0 |7   |") + kOpen,
                           std::string(" 14 | 300 | 0 |71  |") + kOpen,
                       }));
}

// The counts the sketch window shows: a zone's area on one floor, rounded after each cell; its
// floor area over the floors its level stands for; the building's floor area, which is the
// export's; the stories of all levels.
TEST(SketchCounts, are_the_areas_the_export_writes_and_the_floors_of_every_level) {
  const Sketch s = Of({Level({"", "", "00111", "0022"}, 10, 10, 3), Level({"", "", "001"}, 10, 10, 2)});
  EXPECT_EQ(ZoneArea(s.Level(1), 1, 10), 300.0f);
  EXPECT_EQ(ZoneArea(s.Level(1), 3, 10), 0.0f);
  EXPECT_EQ(ZoneFloorArea(s.Level(1), 1, 10), 900.0f);
  EXPECT_EQ(ZoneFloorArea(s.Level(1), 2, 10), 600.0f);
  EXPECT_EQ(ZoneFloorArea(s.Level(2), 1, 10), 200.0f);
  EXPECT_EQ(SketchFloorArea(s, 10), 1700.0f);
  EXPECT_EQ(SketchStories(s), 5.0f);
  const ExportResult r = ExportSketchZones(s, 10, " 0", model::kInchPound);
  ASSERT_EQ(r.status, ExportResult::kDone);
  EXPECT_EQ(r.floorArea, SketchFloorArea(s, 10));
  // 3 cells of size 1.05: 3.3 on one floor (not 3.3075), 9.9 over three floors.
  const Sketch small = Of({Level({"111"}, 1.05f, 10, 3)});
  EXPECT_EQ(ZoneArea(small.Level(1), 1, 1.05f), 3.3f);
  EXPECT_EQ(ZoneFloorArea(small.Level(1), 1, 1.05f), 9.9f);
  EXPECT_EQ(ExportSketchZones(small, 1.05f, " 0", model::kInchPound).floorArea, 9.9f);
  EXPECT_EQ(SketchFloorArea(Of({}), 10), 0.0f);
  EXPECT_EQ(SketchStories(Of({})), 0.0f);
}

TEST(SketchExport, listing_and_zone_file_texts) {
  const ExportResult r = ExportSketchZones(
      Of({Level({"", "", "00111", "00111"}), Level({"", "", "00222"})}), 10, " 15", model::kInchPound);
  ASSERT_EQ(r.status, ExportResult::kDone);
  EXPECT_EQ(r.znameText, "11   Zone 1-1\r\n22   Zone 1-2\r\n99\r\n");
  EXPECT_EQ(r.zareaText, "Zone..Area \r\n11    600\r\n22    300\r\n 15\r\n99\r\n");
  EXPECT_EQ(r.orientation, " 15");
  const std::string first = ExportedZoneFileText(r.zones[0], false);
  const std::string last = ExportedZoneFileText(r.zones[1], true);
  EXPECT_EQ(first.substr(0, 50), " 1  \r\n 300 \r\n 0 \r\n2   \r\n N0. N0. N0.\r\n 1  \r\n0.0 \r\n");
  EXPECT_EQ(first.substr(first.size() - 12), "\r\n0.0\r\nend\r\n");
  EXPECT_EQ(last.substr(last.size() - 18), "\r\n0.0\r\nend\r\n9999\r\n");
  std::size_t lines = 0;
  for (char c : first) lines += c == '\n' ? 1 : 0;
  EXPECT_EQ(lines, r.zones[0].records.size() * 14 + 1);
}

TEST(SketchExport, sketches_the_project_cannot_hold_are_refused) {
  // Level 1 zone 12 and level 11 zone 2 would share the code 112.
  std::vector<SketchLevel> levels(11, Level({}));
  levels[0] = Level({"", "", "00C"});
  levels[10] = Level({"", "", "002"});
  const ExportResult same = ExportSketchZones(Of(levels), 10, " 0", model::kInchPound);
  EXPECT_EQ(same.status, ExportResult::kRefused);
  EXPECT_EQ(same.message,
            "Level 1 zone 12 and level 11 zone 2 would both be zone 112.  Paint one of them with "
            "another zone number.");
  EXPECT_TRUE(same.zones.empty());
  // Four levels: three of 25 zones and a top level of 25, 24 or 23 (zones 24 and 25 are the
  // last two cells of its third row). The project holds at most 98 zones.
  const SketchLevel full = Level({"123456789A", "BCDEFGHIJK", "LMNOP"});
  struct Case {
    int emptied;  // zones taken off the top level
    int zones;
    bool refused;
  };
  for (const Case& c : {Case{0, 100, true}, Case{1, 99, true}, Case{2, 98, false}}) {
    SCOPED_TRACE(c.zones);
    SketchLevel top = full;
    for (int k = 0; k < c.emptied; ++k) top.SetCell(kRows - 2, 5 - k, 0);
    const ExportResult r = ExportSketchZones(Of({full, full, full, top}), 10, " 0", model::kInchPound);
    if (c.refused) {
      EXPECT_EQ(r.status, ExportResult::kRefused);
      EXPECT_NE(r.message.find("98"), std::string::npos) << r.message;
      EXPECT_TRUE(r.zones.empty());
      EXPECT_TRUE(r.znameText.empty());
    } else {
      EXPECT_EQ(r.status, ExportResult::kDone) << r.message;
      EXPECT_EQ(r.zones.size(), static_cast<std::size_t>(c.zones));
    }
  }
}

// A base folder with temp/ and sketch/ for the commit.
class CommitSketch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kalvano-sketch-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "temp");
    fs::create_directories(dir_ / "sketch");
    m.AppDir = dir_.string();
    std::ofstream(dir_ / "sketch/bld_mtx.all", std::ios::binary) << "before";
    for (int z = 1; z <= 5; ++z) {
      m.ZoneCode[static_cast<std::size_t>(z)] = "1" + std::to_string(z);
      m.ZoneSketchName[static_cast<std::size_t>(z)] = "old";
      m.ZoneFloorArea[static_cast<std::size_t>(z)] = 50;
      m.SurfaceCount[static_cast<std::size_t>(z)] = 4;
    }
    m.ZoneCount = 5;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string Read(const std::string& rel) const {
    std::ifstream in(dir_ / rel, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
  model::ProjectModel m;
};

TEST_F(CommitSketch, a_core_zone_keeps_its_place_with_no_surfaces_and_old_zones_go) {
  // Level 2's zone 2 lies inside zone 1 and under level 3: it has no exterior surface.
  const Sketch sketch = Of({Level({"", "011100", "011100", "011100"}),
                            Level({"", "011100", "012100", "011100"}),
                            Level({"", "011100", "011100", "011100"})});
  const ExportResult r = ExportSketchZones(sketch, 10, " 0", model::kInchPound);
  ASSERT_EQ(r.status, ExportResult::kDone);
  CommitExport(m, r);
  ASSERT_EQ(m.ZoneCount, 4);
  EXPECT_EQ(m.ZoneCode[3], "22");
  EXPECT_EQ(m.SurfaceCount[3], 0);
  EXPECT_EQ(Read("temp/temp22.zon"), "end\r\n");
  EXPECT_GT(m.SurfaceCount[4], 0);  // zone 31's count stays its own
  EXPECT_EQ(m.ZoneCode[4], "31");
  EXPECT_EQ(m.SurfaceCount[4], static_cast<int16_t>(r.zones[3].records.size()));
  EXPECT_EQ(m.ZoneCode[5], "");
  EXPECT_EQ(m.ZoneSketchName[5], "");
  EXPECT_EQ(m.ZoneFloorArea[5], 0.0f);
  EXPECT_EQ(m.SurfaceCount[5], 0);
  EXPECT_EQ(m.FloorArea, r.floorArea);
  EXPECT_EQ(Read("sketch/bld_mtx.all"), SketchFileText(sketch));
  EXPECT_EQ(Read("temp/zname.tmp"), r.znameText);
  const std::string last = Read("temp/temp31.zon");
  EXPECT_EQ(last.substr(last.size() - 11), "end\r\n9999\r\n");
}

TEST_F(CommitSketch, a_failed_write_changes_no_file_and_no_zone) {
  const ExportResult r = ExportSketchZones(Of({Level({"", "", "00111"})}), 10, " 0", model::kInchPound);
  fs::remove_all(dir_ / "temp");
  std::ofstream(dir_ / "temp", std::ios::binary) << "a file where the folder was";
  EXPECT_THROW(CommitExport(m, r), model::FileError);
  EXPECT_EQ(Read("sketch/bld_mtx.all"), "before");
  EXPECT_EQ(m.ZoneCount, 5);
  EXPECT_EQ(m.ZoneSketchName[1], "old");
  EXPECT_EQ(m.SurfaceCount[5], 4);
}

}  // namespace
}  // namespace kalvano::sketch
