#include "frontend/sketch/sketchexport.h"

#include <cmath>
#include <map>
#include <optional>
#include <utility>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/zone_file.h"
#include "runfiles.h"

namespace kalvano::sketch {

namespace {

constexpr int kMaxSegments = 3300;  // surface rows of one level
constexpr const char* kWallExposure = "2   ";
constexpr const char* kRoofExposure = "6   ";
constexpr const char* kFloorExposure = "7   ";

// A candidate surface of one level: a side of a cell, a roof or a ground floor.
struct Segment {
  int zone = 0;
  int side = 1;   // 1 toward the top of the drawing, 2 right, 3 bottom, 4 left
  int first = 0;  // a diagonal walk found a wing: 1 for the first walk, 2 for the second
  int second = 0;
  float front = 0;  // sine of the angle to the wall faced, 0 when none
  std::string exposure = kWallExposure;
  int length = 1;  // cell edges or cells

  bool SameSurface(const Segment& o) const {
    return zone == o.zone && side == o.side && first == o.first && second == o.second &&
           front == o.front && exposure == o.exposure;
  }
  bool IsWall() const { return exposure != kRoofExposure && exposure != kFloorExposure; }
};

struct UnitConstants {
  float strip, sill, top;
};

UnitConstants ConstantsFor(int unitSystem) {
  if (unitSystem == model::kSI) return {1.0f, 0.75f, 2.25f};
  return {3.0f, 2.5f, 7.5f};
}

// The cells of a level with row 1 the top row of the drawing, as the level file lists them.
class TopDown {
 public:
  explicit TopDown(const SketchLevel& level) : level_(level) {}
  int Rows() const { return level_.Rows(); }
  int Cols() const { return level_.Cols(); }
  bool Inside(int r, int c) const { return r >= 1 && r <= Rows() && c >= 1 && c <= Cols(); }
  int operator()(int r, int c) const { return level_.Cell(Rows() - r + 1, c); }

 private:
  const SketchLevel& level_;
};

// Walks from (r, c) by (dr, dc) until it leaves the grid; the number of steps to the first
// painted cell, 0 when none.
int StepsToPainted(const TopDown& cells, int r, int c, int dr, int dc) {
  for (int k = 1;; ++k) {
    const int rr = r + k * dr, cc = c + k * dc;
    if (!cells.Inside(rr, cc)) return 0;
    if (cells(rr, cc) != 0) return k;
  }
}

std::string ShadeText(const Segment& s) {
  std::string text = std::string(ShadeCode(s.first)) + std::string(ShadeCode(s.second));
  if (s.front <= 0) return text + " N0.";
  if (s.front >= 1) return text + " F1.";
  const std::string value = model::NumberText(s.front);
  return text + " F" + value.substr(1);
}

std::string Tab6(const std::string& code) {
  std::string text = code;
  if (text.size() < 5) text.resize(5, ' ');
  return text;
}

struct LevelWork {
  std::array<int, kZones + 1> cells{};
  std::array<int, kZones + 1> roofCells{};
  std::vector<Segment> rows;
  int topZone = 0;
};

// Steps 1 to 9 of one level: the scan of its cells, the merge, the roofs and floors and the
// order of the rows. False when the level yields more rows than the scan holds.
bool ScanLevel(const Sketch& sketch, std::size_t index, float gridSize, double h, LevelWork& w) {
  const SketchLevel& level = sketch.levels[index];
  const bool top = index + 1 == sketch.levels.size();
  const TopDown cells(level);
  for (int r = 1; r <= cells.Rows(); ++r) {
    for (int c = 1; c <= cells.Cols(); ++c) {
      const int z = cells(r, c);
      if (z == 0) continue;
      ++w.cells[static_cast<std::size_t>(z)];
      if (z > w.topZone) w.topZone = z;
    }
  }
  struct Side {
    int dr, dc;                 // toward the neighbour
    int d1r, d1c, d2r, d2c;     // the two diagonal walks
  };
  static constexpr std::array<Side, 4> kSides{{
      {-1, 0, -1, -1, -1, 1},  // top: up-left, up-right
      {0, 1, -1, 1, 1, 1},     // right: up-right, down-right
      {1, 0, 1, 1, 1, -1},     // bottom: down-right, down-left
      {0, -1, 1, -1, -1, -1},  // left: down-left, up-left
  }};
  const TopDown* upper = nullptr;
  std::optional<TopDown> upperCells;
  if (!top) upperCells.emplace(sketch.levels[index + 1]);
  if (upperCells) upper = &*upperCells;
  for (int r = 1; r <= cells.Rows(); ++r) {
    for (int c = 1; c <= cells.Cols(); ++c) {
      const int z = cells(r, c);
      if (z == 0) continue;
      for (int side = 1; side <= 4; ++side) {
        const Side& s = kSides[static_cast<std::size_t>(side - 1)];
        Segment seg;
        seg.zone = z;
        seg.side = side;
        if (!cells.Inside(r + s.dr, c + s.dc)) {
          w.rows.push_back(seg);
        } else if (cells(r + s.dr, c + s.dc) == 0) {
          if (StepsToPainted(cells, r, c, s.d1r, s.d1c) > 0) seg.first = 1;
          if (StepsToPainted(cells, r, c, s.d2r, s.d2c) > 0) seg.second = 2;
          const int k = StepsToPainted(cells, r, c, s.dr, s.dc);
          if (k >= 2) seg.front = AngleSine(h, double(gridSize) * (k - 1));
          w.rows.push_back(seg);
        }
        if (w.rows.size() > static_cast<std::size_t>(kMaxSegments)) return false;
      }
      if (upper != nullptr && (*upper)(r, c) == 0) ++w.roofCells[static_cast<std::size_t>(z)];
    }
  }
  // Rows of the same surface merge into the first of them; the last row takes a merged
  // row's place.
  std::vector<Segment>& rows = w.rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::size_t j = i + 1;
    while (j < rows.size()) {
      if (rows[j].SameSurface(rows[i])) {
        rows[i].length += rows[j].length;
        rows[j] = rows.back();
        rows.pop_back();
      } else {
        ++j;
      }
    }
  }
  for (int z = 1; z <= w.topZone; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    if (w.cells[zi] == 0) continue;
    if (w.roofCells[zi] > 0 || top) {
      Segment roof;
      roof.zone = z;
      roof.exposure = kRoofExposure;
      roof.length = w.roofCells[zi] > 0 ? w.roofCells[zi] : 1;
      rows.push_back(roof);
    }
    if (index == 0) {
      Segment floor;
      floor.zone = z;
      floor.exposure = kFloorExposure;
      rows.push_back(floor);
    }
  }
  if (rows.size() > static_cast<std::size_t>(kMaxSegments)) return false;
  // Selection sort by zone: the first of the smallest zones below row i's comes to row i.
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    std::size_t best = i;
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      if (rows[j].zone < rows[best].zone) best = j;
    }
    if (best != i) std::swap(rows[i], rows[best]);
  }
  // Below the top level a zone's roof goes behind its walls.
  if (!top) {
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
      if (rows[i].exposure == kRoofExposure && rows[i + 1].zone == rows[i].zone &&
          rows[i + 1].exposure != kFloorExposure) {
        std::swap(rows[i], rows[i + 1]);
      }
    }
  }
  return true;
}

SurfaceRecord Record(const std::string& wallId, float area, int orientation,
                     const std::string& exposure, const std::string& shade,
                     const UnitConstants& k) {
  const int code = static_cast<int>(model::Val(exposure));
  return {wallId,
          model::PrintedNumber(area),
          model::PrintedNumber(static_cast<float>(orientation)),
          exposure,
          shade,
          " 1  ",
          "0.0 ",
          code >= 6 ? "0" : "90",
          "B",
          model::PrintedNumber(0),
          model::PrintedNumber(0),
          model::PrintedNumber(k.sill),
          model::PrintedNumber(k.top),
          "0.0"};
}

}  // namespace

float AngleSine(double h, double d) { return model::RoundTo(std::sin(std::atan(h / d)), 1); }

ExportResult ExportSketchZones(const Sketch& sketch, float gridSize, const std::string& orientation,
                               int unitSystem) {
  ExportResult out;
  const UnitConstants k = ConstantsFor(unitSystem);
  const double sq = double(gridSize) * gridSize;
  const std::size_t levelCount = sketch.levels.size();
  out.orientation = orientation;
  model::AtomicFile zname({});
  model::AtomicFile zarea({});
  if (levelCount == 0) return out;

  // Codes are level and zone texts side by side: level 1 zone 12 and level 11 zone 2 would
  // both be 112. Such a sketch, or one of more zones than a simulation holds, is refused.
  std::map<std::string, std::pair<int, int>> codes;
  int zoneTotal = 0;
  for (std::size_t i = 0; i < levelCount; ++i) {
    const int level = static_cast<int>(i + 1);
    for (int z = 1; z <= kZones; ++z) {
      if (sketch.levels[i].CellCount(z) == 0) continue;
      ++zoneTotal;
      const std::string code = LevelText(level) + LevelText(z);
      const auto [at, fresh] = codes.emplace(code, std::make_pair(level, z));
      if (!fresh) {
        out.status = ExportResult::kRefused;
        out.message = "Level " + std::to_string(at->second.first) + " zone " +
                      std::to_string(at->second.second) + " and level " + std::to_string(level) +
                      " zone " + std::to_string(z) + " would both be zone " + code +
                      ".  Paint one of them with another zone number.";
        return out;
      }
    }
  }
  if (zoneTotal > kMaxSketchZones) {
    out.status = ExportResult::kRefused;
    out.message = "The sketch holds " + std::to_string(zoneTotal) +
                  " zones, more than the 98 a simulation can take.  Paint some of them as one zone.";
    return out;
  }

  // The zone files and the sketch file hold only finite numbers.
  const auto refuseTooLarge = [&out] {
    out = ExportResult{};
    out.status = ExportResult::kRefused;
    out.message = kSketchTooLarge;
    return out;
  };
  for (const SketchLevel& level : sketch.levels) {
    for (int item = 1; item <= kHeaderLines; ++item) {
      if (!std::isfinite(level.Header(item))) return refuseTooLarge();
    }
  }

  // Every area worked out must be one the zone files write as a plain number: finite and
  // below the 10^15 from which a number text takes an exponent.
  bool writable = true;
  const auto checked = [&writable](float a) {
    writable = writable && std::fabs(a) < 1e15f;
    return a;
  };

  double height = 0;
  for (const SketchLevel& level : sketch.levels) height += level.LevelHeight();
  double below = 0;
  for (std::size_t i = 0; i < levelCount; ++i) {
    const SketchLevel& level = sketch.levels[i];
    const int L = static_cast<int>(i + 1);
    const bool top = i + 1 == levelCount;
    const double h = height - below;
    below += level.LevelHeight();
    const float floors = level.Header(kFloors);
    LevelWork w;
    if (!ScanLevel(sketch, i, gridSize, h, w)) {
      out.status = ExportResult::kFailed;
      out.message = kDrawError;
      return out;
    }

    // The zone table.
    std::array<float, kZones + 1> area{};
    std::array<std::size_t, kZones + 1> slot{};
    for (int z = 1; z <= w.topZone; ++z) {
      const auto zi = static_cast<std::size_t>(z);
      if (w.cells[zi] == 0) continue;
      ExportedZone zone;
      zone.code = LevelText(L) + LevelText(z);
      zone.name = level.Name(z);
      zone.area = ZoneFloorArea(level, z, gridSize);
      area[zi] = zone.area;
      zname.line(Tab6(zone.code) + zone.name);
      slot[zi] = out.zones.size();
      out.zones.push_back(std::move(zone));
    }
    if (top) zname.line("99");
    if (L == 1) zarea.line("Zone..Area ");
    for (int z = 1; z <= w.topZone; ++z) {
      const auto zi = static_cast<std::size_t>(z);
      if (area[zi] > 0) zarea.line(Tab6(out.zones[slot[zi]].code) + model::NumberText(area[zi]));
    }
    if (top) {
      zarea.line(orientation);
      zarea.line("99");
    }

    // The perimeter strip of each zone, at most the zone's floor (one floor of the level).
    std::array<double, kZones + 1> perimeter{};
    for (const Segment& s : w.rows) {
      const auto zi = static_cast<std::size_t>(s.zone);
      if (!s.IsWall()) continue;
      perimeter[zi] += double(s.length) * gridSize * k.strip;
      const double oneFloor = floors > 0 ? area[zi] / floors : area[zi];
      if (perimeter[zi] > oneFloor) perimeter[zi] = oneFloor;
    }

    // The records.
    for (const Segment& s : w.rows) {
      const auto zi = static_cast<std::size_t>(s.zone);
      std::vector<SurfaceRecord>& records = out.zones[slot[zi]].records;
      const int orient = (s.side - 1) * 90;
      const std::string shade = ShadeText(s);
      const double oneFloor = floors > 0 ? area[zi] / floors : area[zi];
      if (s.exposure == kFloorExposure) {
        const float perim = checked(model::RoundTo(perimeter[zi], 1));
        if (perim > 0) records.push_back(Record(" 14 ", perim, orient, s.exposure, shade, k));
        const double ratio = perimeter[zi] > 1.2 ? oneFloor / perimeter[zi] : 0;
        if (ratio > 1) {
          int code = 71;
          for (int step = 2; step <= 6; ++step) code += ratio > step ? 1 : 0;
          const float inner = checked(model::RoundTo(oneFloor - perimeter[zi], 1));
          if (inner > 0) {
            records.push_back(Record(" 14 ", inner, orient, std::to_string(code) + "  ", shade, k));
          }
        }
      } else if (s.exposure == kRoofExposure) {
        const float roof =
            checked(top ? model::RoundTo(oneFloor, 1) : model::RoundTo(double(s.length) * sq, 1));
        if (roof > 0) records.push_back(Record(" 8  ", roof, orient, s.exposure, shade, k));
      } else {
        const float wall =
            checked(model::RoundTo(double(s.length) * gridSize * level.LevelHeight(), 1));
        if (wall > 0) records.push_back(Record(" 1  ", wall, orient, s.exposure, shade, k));
      }
    }
  }
  out.floorArea = SketchFloorArea(sketch, gridSize);
  checked(out.floorArea);
  for (const ExportedZone& zone : out.zones) checked(zone.area);
  if (!writable) return refuseTooLarge();
  out.znameText = zname.content();
  out.zareaText = zarea.content();
  out.matrixText = SketchFileText(sketch);
  return out;
}

std::string ExportedZoneFileText(const ExportedZone& zone, bool last) {
  std::vector<std::string> values;
  values.reserve(zone.records.size() * 14);
  for (const SurfaceRecord& r : zone.records) values.insert(values.end(), r.begin(), r.end());
  return model::ZoneFileText(values, last);
}

void CommitExport(model::ProjectModel& m, const ExportResult& result) {
  std::vector<model::AtomicFile> outputs;
  outputs.reserve(result.zones.size() + 3);
  outputs.emplace_back(model::AppPath(m, std::string(files::kTempDir) + "/zname.tmp"), model::NameKind::Fixed)
      .text(result.znameText);
  outputs.emplace_back(model::AppPath(m, std::string(files::kTempDir) + "/zarea.tmp"), model::NameKind::Fixed)
      .text(result.zareaText);
  for (std::size_t i = 0; i < result.zones.size(); ++i) {
    outputs.emplace_back(model::ZoneFilePath(m, result.zones[i].code), model::NameKind::Fixed)
        .text(ExportedZoneFileText(result.zones[i], i + 1 == result.zones.size()));
  }
  if (!result.matrixText.empty()) {
    outputs.emplace_back(model::AppPath(m, files::kBuildingMatrix)).text(result.matrixText);
  }
  std::vector<const model::AtomicFile*> all;
  for (const model::AtomicFile& f : outputs) all.push_back(&f);
  model::CommitAll(all);

  const auto count = static_cast<int>(result.zones.size());
  for (int z = 1; z <= model::kMaxZones; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    if (z <= count) {
      const ExportedZone& zone = result.zones[zi - 1];
      m.ZoneCode[zi] = zone.code;
      m.ZoneSketchName[zi] = zone.name;
      m.ZoneFloorArea[zi] = zone.area;
      m.SurfaceCount[zi] = static_cast<int16_t>(zone.records.size());
    } else {
      m.ZoneCode[zi].clear();
      m.ZoneSketchName[zi].clear();
      m.ZoneFloorArea[zi] = 0;
      m.SurfaceCount[zi] = 0;
    }
  }
  m.ZoneCount = static_cast<int16_t>(count);
  m.FloorArea = result.floorArea;
  m.BldOrient = result.orientation;
}

}  // namespace kalvano::sketch
