#include "frontend/shell/zoneentry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/bldtype.h"
#include "runfiles.h"

namespace kalvano::shell {

namespace {

using model::FileError;
using model::MsgIcon;
using model::ProjectModel;

constexpr std::size_t kCatalogueEntries = 15;
constexpr std::size_t kEntryLines = 7;
constexpr double kUToSI = 5.678;
constexpr double kCostToSI = 10.764;

// A catalogue entry whose id is no whole number from 1 to 50, or that the file cuts short.
struct WrongCatalogue : FileError {
  WrongCatalogue() : FileError(model::kErrPastEndOfFile, "wrong catalogue format") {}
};

std::vector<std::string> FileLines(const ProjectModel& m, std::string_view relative,
                                   model::NameKind kind = model::NameKind::Chosen) {
  return model::SplitLines(model::ReadWholeFile(model::AppPath(m, relative), kind));
}

std::string Trimmed(std::string_view text) {
  const std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  const std::size_t e = text.find_last_not_of(' ');
  return std::string(text.substr(b, e - b + 1));
}

// A number text right-aligned in 6 characters, converted to SI by `factor`.
std::string ToSI(const std::string& text, double factor, int decimals) {
  return model::RightAlign(model::NumberText(model::RoundTo(factor * model::Val(text), decimals)),
                           6);
}

struct CatalogueColumns {
  model::TypeColumn *id, *desc, *u, *c2, *c3, *c4, *cost;
};

// Reads up to 15 entries of 7 lines, or to the end of the file.
void ReadCatalogue(const ProjectModel& m, std::string_view file, const CatalogueColumns& t,
                   int16_t units, bool keepOnlyWallIds) {
  const std::string path = model::AppPath(m, file);
  const std::string bytes = model::ReadWholeFile(path);
  const std::size_t entries = model::CatalogueFileEntries(bytes, kEntryLines, path);
  const std::vector<std::string> lines = model::SplitLines(bytes);
  std::size_t pos = 0;
  for (std::size_t entry = 0; entry < kCatalogueEntries && entry < entries; ++entry) {
    double id = 0;
    if (!model::ParseNumber(lines[pos], id) || id != std::floor(id) || id < 1 ||
        id > model::kMaxTypeId) {
      throw WrongCatalogue();
    }
    const auto k = static_cast<std::size_t>(id);
    (*t.id)[k] = model::NumberText(static_cast<float>(k));
    (*t.desc)[k] = lines[pos + 1];
    (*t.u)[k] = Trimmed(lines[pos + 2]);
    (*t.c2)[k] = Trimmed(lines[pos + 3]);
    (*t.c3)[k] = Trimmed(lines[pos + 4]);
    (*t.c4)[k] = Trimmed(lines[pos + 5]);
    (*t.cost)[k] = Trimmed(lines[pos + 6]);
    if (units == model::kSI) {
      (*t.u)[k] = ToSI((*t.u)[k], kUToSI, 3);
      (*t.cost)[k] = ToSI((*t.cost)[k], kCostToSI, 2);
    }
    if (keepOnlyWallIds && k != 1 && k != 8 && k != 14) (*t.id)[k].clear();
    pos += kEntryLines;
  }
}

void ReadDefaultSchedules(ProjectModel& m) {
  for (int kind = 1; kind <= 5; ++kind) {
    const auto k = static_cast<std::size_t>(kind);
    if (m.ProfKindOpened[k] == 1) continue;
    const std::vector<std::string> lines =
        FileLines(m, std::string(files::kProfilesDir) + "/bprof" + std::to_string(kind) + ".dat");
    model::ProfileKindRef p = model::ProfileKind(m, kind);
    if (kind <= 4) {
      const auto type = static_cast<std::size_t>(m.BldTypeNo);
      if (type >= lines.size()) throw FileError(model::kErrPastEndOfFile, "profile library");
      p.marks[type] = model::NumberText(static_cast<float>(type));
      p.values[type] = lines[type];
    } else {
      if (lines.size() < 5) throw FileError(model::kErrPastEndOfFile, "temperature library");
      for (std::size_t j = 1; j <= 4; ++j) {
        p.marks[j] = model::NumberText(static_cast<float>(j));
        p.values[j] = m.UnitSystem == model::kSI ? TemperatureLineToSI(lines[j]) : lines[j];
      }
    }
    m.ProfKindEdited[k] = 1;
    m.ProfKindOpened[k] = 1;
  }
}

// The 14 values of one surface row as the zone file holds them, one per line.
struct SurfaceValues {
  int16_t wallId = 0;
  float wallArea = 0;
  int16_t orient = 0, exposure = 0;
  std::string shade;
  int16_t windowId = 0;
  float winArea = 0, slope = 0;
  std::string swb;
  int16_t blind = 0;
  float diffTrans = 0, sillHt = 0, winTop = 0, grndRefl = 0;
};

// Reads the zone file's lines field by field; a field that cannot be read (the end of the
// file, an integer field that holds no number) ends the reading.
class ZoneFileReader {
 public:
  explicit ZoneFileReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // Field f (1..14) into `v`; false when it cannot be read.
  bool Read(int f, SurfaceValues& v) {
    if (pos_ >= lines_.size()) return false;
    const std::string& line = lines_[pos_++];
    auto integer = [&line](int16_t& out) {
      double d = 0;
      if (!model::ParseNumber(line, d)) return false;
      d = std::nearbyint(d);
      if (d < std::numeric_limits<int16_t>::min() || d > std::numeric_limits<int16_t>::max())
        return false;
      out = static_cast<int16_t>(d);
      return true;
    };
    auto rounded = [&line] {
      return static_cast<int16_t>(std::clamp(std::nearbyint(model::Val(line)), -32768.0, 32767.0));
    };
    auto real = [&line] { return static_cast<float>(model::Val(line)); };
    switch (f) {
      case 1: return integer(v.wallId);
      case 2: v.wallArea = real(); return true;
      case 3: v.orient = rounded(); return true;
      case 4: return integer(v.exposure);
      case 5: v.shade = line; return true;
      case 6: return integer(v.windowId);
      case 7: v.winArea = real(); return true;
      case 8: v.slope = real(); return true;
      case 9: v.swb = Trimmed(line); return true;
      case 10: v.blind = rounded(); return true;
      case 11: v.diffTrans = real(); return true;
      case 12: v.sillHt = real(); return true;
      case 13: v.winTop = real(); return true;
      default: v.grndRefl = real(); return true;
    }
  }

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

// Field f of `v` into surface row (z, r) of the model.
void Store(ProjectModel& m, int z, int r, int f, const SurfaceValues& v) {
  const auto zi = static_cast<std::size_t>(z);
  const auto ri = static_cast<std::size_t>(r);
  switch (f) {
    case 1: m.SurfWallId[zi][ri] = v.wallId; break;
    case 2: m.SurfWallArea[zi][ri] = v.wallArea; break;
    case 3: m.SurfOrient[zi][ri] = v.orient; break;
    case 4: m.SurfExposure[zi][ri] = v.exposure; break;
    case 5: m.SurfShade[zi][ri] = v.shade; break;
    case 6: m.SurfWindowId[zi][ri] = v.windowId; break;
    case 7: m.SurfWinArea[zi][ri] = v.winArea; break;
    case 8: m.SurfSlope[zi][ri] = v.slope; break;
    case 9: m.SurfSWB[zi][ri] = v.swb; break;
    case 10: m.SurfBlind[zi][ri] = v.blind; break;
    case 11: m.SurfDiffTrans[zi][ri] = v.diffTrans; break;
    case 12: m.SurfSillHt[zi][ri] = v.sillHt; break;
    case 13: m.SurfWinTop[zi][ri] = v.winTop; break;
    default: m.SurfGrndRefl[zi][ri] = v.grndRefl; break;
  }
}

std::vector<std::string> ZoneFileLines(const ProjectModel& m, int z) {
  return FileLines(m, std::string(files::kTempDir) + "/temp" + m.ZoneCode[static_cast<std::size_t>(z)] + ".zon",
                   model::NameKind::Fixed);
}

void FirstDescription(ProjectModel& m) {
  ReadTypeCatalogue(m, 1);
  ReadTypeCatalogue(m, 2);
  ReadDefaultSchedules(m);
  for (int z = 1; z <= m.ZoneCount; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    const double perPerson = m.ZonePeople[zi];
    const double people =
        perPerson > 0 ? std::floor(double(m.ZoneFloorArea[zi]) / perPerson + 0.7) : 0.0;
    m.ZoneData[zi][5] = model::NumberText(static_cast<float>(people));

    ZoneFileReader in(ZoneFileLines(m, z));
    int r = 1;
    for (; r <= model::kMaxSurfaces; ++r) {
      SurfaceValues v;
      bool whole = true;
      for (int f = 1; f <= 14 && whole; ++f) {
        whole = in.Read(f, v);
        if (whole) Store(m, z, r, f, v);
      }
      if (!whole) break;
    }
    m.SurfaceCount[zi] = static_cast<int16_t>(r - 1);
  }
}

void LaterDescription(ProjectModel& m) {
  for (int z = 1; z <= m.ZoneCount; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    ZoneFileReader in(ZoneFileLines(m, z));
    for (int r = 1; r <= m.SurfaceCount[zi] && r <= model::kMaxSurfaces; ++r) {
      const auto ri = static_cast<std::size_t>(r);
      SurfaceValues v;
      bool whole = true;
      for (int f = 1; f <= 5 && whole; ++f) whole = in.Read(f, v);
      if (!whole) break;  // this row and the ones after it stay as they were
      const bool changed =
          std::floor(double(m.SurfWallArea[zi][ri]) + 0.5) != std::floor(double(v.wallArea) + 0.5) ||
          m.SurfOrient[zi][ri] != v.orient;
      for (int f = 6; f <= 14 && whole; ++f) whole = in.Read(f, v);
      if (!whole) break;
      if (changed) {
        for (int f = 1; f <= 14; ++f) Store(m, z, r, f, v);
      }
    }
  }
}

}  // namespace

void ReadTypeCatalogue(ProjectModel& m, int kind) {
  if (kind == 1) {
    ReadCatalogue(m, "profiles/bprof6.dat",
                  {&m.WallId, &m.WallDesc, &m.WallU, &m.WallAbs, &m.WallLag, &m.WallDecr,
                   &m.WallCost},
                  m.UnitSystem, true);
  } else {
    ReadCatalogue(m, "profiles/bprof7.dat",
                  {&m.WinId, &m.WinDesc, &m.WinU, &m.WinShgc, &m.WinEmiss, &m.WinDlTrans,
                   &m.WinCost},
                  m.UnitSystem, false);
  }
}

ZoneGrid& ZoneListGrid() {
  static ZoneGrid grid;
  return grid;
}

void WriteZoneGridRows(const model::ProjectModel& m, ZoneGrid& grid) {
  for (int z = 1; z <= m.ZoneCount && z < kZoneGridRows; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    grid.cells[zi] = {m.ZoneCode[zi], m.ZoneSketchName[zi],
                      model::NumberText(static_cast<float>(z))};
  }
}

std::string TooManySurfaces(std::string_view sketchName) {
  return "The number of exterior surfaces in zone " + std::string(sketchName) +
         " has exceeded the maximum of 33.  Return to the sketch and simplify the zone.";
}

std::string TemperatureLineToSI(std::string_view line) {
  // Blanks before the first value are passed over, so that a line written with a sign
  // position does not begin with an empty value.
  const std::size_t start = line.find_first_not_of(' ');
  line = start == std::string_view::npos ? std::string_view() : line.substr(start);
  std::vector<std::string> values;
  std::string value;
  char previous = ' ';
  for (std::size_t i = 0; i < line.size() && values.size() < 24; ++i) {
    const char c = line[i];
    const bool first = i == 0;
    if (c == ' ' && (first || previous != ' ')) {
      values.push_back(value);
      value.clear();
    } else {
      value.push_back(c);
      if (i + 1 == line.size()) {
        values.push_back(value);
        value.clear();
      }
    }
    previous = c;
  }
  std::string out;
  for (const std::string& v : values) {
    out += model::RightAlign(model::NumberText(model::RoundTo((model::Val(v) - 32) / 1.8, 0)), 2);
    out += ' ';
  }
  return out;
}

bool ZoneEntry(ProjectModel& m, ZoneGrid& grid, model::MessageBoxes& boxes) {
  if (m.StepFlags[1] == 0 && m.ProjectLoaded == 0) {
    boxes.show(kNoProjectInfoForZones, "Error", MsgIcon::Exclamation);
    return false;
  }
  for (int z = 1; z <= m.ZoneCount; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    if (m.SurfaceCount[zi] > model::kMaxSurfaces) {
      boxes.show(TooManySurfaces(m.ZoneSketchName[zi]), "Error", MsgIcon::Exclamation);
      return false;
    }
  }
  // The first description takes the building type's schedules and people: without a type
  // it has nothing to take them from.
  if (m.Resketched == 1 && m.ZonesEntered == 0 &&
      (m.BldTypeNo < 1 || m.BldTypeNo > kBuildingTypes)) {
    boxes.show(kSelectBuildingType, kBuildingTypeTitle, MsgIcon::Information);
    return false;
  }

  WriteZoneGridRows(m, grid);
  for (int z = 1; z <= m.ZoneCount && z < kZoneGridRows; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    m.ZoneData[zi][1] = m.ZoneCode[zi];
    m.ZoneData[zi][2] = m.ZoneSketchName[zi];
    m.ZoneData[zi][3] = model::NumberText(m.ZoneFloorArea[zi]);
  }
  for (int row = m.ZoneCount + 1; row <= kZoneGridFilledRows; ++row) {
    grid.cells[static_cast<std::size_t>(row)] = {};
  }

  if (m.Resketched == 1) {
    m.ProjectData[8] = model::NumberText(m.FloorArea);
    m.ProjectData[7] = m.BldOrient;
    try {
      if (m.ZonesEntered == 0) {
        FirstDescription(m);
      } else {
        LaterDescription(m);
      }
    } catch (const WrongCatalogue& e) {
      model::ReportFileError(boxes, e);
      return false;
    } catch (const FileError&) {
      boxes.show(kZoneDataAccessError, kZoneDataAccessTitle, MsgIcon::Exclamation);
      return false;
    }
  }
  m.Resketched = 0;
  m.ZonesEntered = 1;
  return true;
}

}  // namespace kalvano::shell
