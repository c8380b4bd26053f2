// The sketch's zones and surfaces: each painted zone of each level becomes a zone of the
// project, with its code, name and floor area (all the floors the level stands for), and its
// exterior walls by side, roofs and ground floors, with the shading of facing wings, become
// the surface rows of its zone file. Everything is worked out in memory first; the files and
// the zone table change only when all of it succeeded. GUI-free.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "frontend/model/project_model.h"
#include "frontend/sketch/sketchmodel.h"

namespace kalvano::sketch {

// Round(sine of the angle whose tangent is h / d, 1 decimal): the front obstruction of a
// wall facing another wall d away when the building above this level is h high.
float AngleSine(double h, double d);

// One surface row of a zone file: wall id, area, orientation, exposure code, shade text,
// window id, glass area, slope, S/W/B, venetian blind, diffuse transmittance, sill height,
// window top, ground reflectance, as the file holds them.
using SurfaceRecord = std::array<std::string, 14>;

struct ExportedZone {
  std::string code;  // level text & zone text ("11", "212")
  std::string name;  // the zone's name in the sketch
  float area = 0;    // floor area of all floors the level stands for
  std::vector<SurfaceRecord> records;
};

struct ExportResult {
  enum Status { kDone, kRefused, kFailed };
  Status status = kDone;
  std::string message;  // why it was refused or failed
  std::vector<ExportedZone> zones;  // the zone table, in order
  float floorArea = 0;
  std::string orientation;  // the building orientation text, handed on as BldOrient
  std::string znameText;    // temp/zname.tmp
  std::string zareaText;    // temp/zarea.tmp
  std::string matrixText;   // sketch/bld_mtx.all
};

inline constexpr const char* kDrawError = "Draw Error, Click OK to recover";
inline constexpr const char* kDrawErrorTitle = "Sketch subroutine error";
// The refusal of a sketch whose sizes give an area (or a header value) too large to write.
inline constexpr const char* kSketchTooLarge =
    "The sketch's areas are too large to be written.  Please check the grid size, the number "
    "of floors and the ceiling height.";
// The most zones a project's simulation holds.
inline constexpr int kMaxSketchZones = 98;

// Works out the zones of `sketch`: `gridSize` is the cell size of the level on screen,
// `orientation` the text of the window's orientation box, `unitSystem` 1 inch-pound or 2 SI.
// Refused (nothing to write) when two zones would get the same code, when there are more
// than 98 zones, or when a header value or an area is not finite; failed when a level yields
// more surface rows than the scan holds.
ExportResult ExportSketchZones(const Sketch& sketch, float gridSize, const std::string& orientation,
                               int unitSystem);

// The text of a zone's file: its records, "end", and "9999" after the last zone.
std::string ExportedZoneFileText(const ExportedZone& zone, bool last);

// Writes temp/zname.tmp, temp/zarea.tmp, every zone's temp/temp<code>.zon and
// sketch/bld_mtx.all, all of them or none (throws model::FileError), and then sets the zone
// table: ZoneCount, ZoneCode, ZoneSketchName, ZoneFloorArea, SurfaceCount (cleared above
// the new count), FloorArea and BldOrient.
void CommitExport(model::ProjectModel& m, const ExportResult& result);

}  // namespace kalvano::sketch
