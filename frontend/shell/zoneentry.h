// Step 5 of the main menu without a widget: the sketch's zones become the project's zone
// table and the rows of the zone list. On the first description after a sketch the wall and
// window tables come from the two catalogues, the default schedules from the profile
// libraries, the number of people from the floor area per person and every zone's surfaces
// from its zone file; after a re-sketch the changed surfaces are merged into the rows.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"

namespace kalvano::shell {

// The zone list's grid: rows 0..100, columns 0 zone code, 1 zone name, 2 zone number. Row
// 0 holds the headings that the zone list sets itself; rows 1..98 are written here.
inline constexpr int kZoneGridRows = 101;
inline constexpr int kZoneGridFilledRows = 98;
struct ZoneGrid {
  std::array<std::array<std::string, 3>, kZoneGridRows> cells;
  const std::string& at(int row, int col) const {
    return cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(col));
  }
};

// The grid that the zone list of the running program shows.
ZoneGrid& ZoneListGrid();
// Writes rows 1..ZoneCount of the grid: zone code, sketch name and the row number as text.
void WriteZoneGridRows(const model::ProjectModel& m, ZoneGrid& grid);

inline constexpr std::string_view kNoProjectInfoForZones =
    "Zone data cannot be edited because you have not entered the Project Information data.  "
    "Please click the Project Information button.";
inline constexpr std::string_view kZoneDataAccessError =
    "You have not drawn your building, or you have not named the building zone(s).  Please "
    "return to the sketch program.";
inline constexpr std::string_view kZoneDataAccessTitle = "Zone data access Error";
inline constexpr std::string_view kSelectBuildingType = "Select building type from menu";
inline constexpr std::string_view kBuildingTypeTitle = "Building Type";
// The refusal of a zone with too many surfaces names the zone's sketch name.
std::string TooManySurfaces(std::string_view sketchName);

// Reads the wall and roof catalogue (kind 1) or the window and skylight catalogue (kind 2)
// into the project's type table, as the first description after a sketch does: its first 15
// entries by their ids, U-factors and costs converted in an SI project. A catalogue that is
// not whole entries of 7 lines, or an id that is no type id, throws model::FileError (62).
void ReadTypeCatalogue(model::ProjectModel& m, int kind);

// Runs step 5 on the model and the grid. Shows its own messages; returns true when the
// zone list is to be shown, false when the step stopped (nothing shown, or a message).
bool ZoneEntry(model::ProjectModel& m, ZoneGrid& grid, model::MessageBoxes& boxes);

// A temperature line of the library in Fahrenheit as an SI line: each of the first 24
// values as the number text of (v - 32) / 1.8 rounded to whole degrees, right-aligned in 2
// characters and followed by one blank.
std::string TemperatureLineToSI(std::string_view line);

}  // namespace kalvano::shell
