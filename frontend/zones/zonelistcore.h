// The zone list's work without a widget: its caption and headings, and the way back to the
// main menu (the floor-area total and the warning about zones that were never opened).
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "frontend/model/project_model.h"
#include "frontend/shell/messagebox.h"

namespace kalvano::zones {

inline constexpr std::string_view kZoneDoesNotExist = "Zone does not exist.  Select another zone.";
inline constexpr std::string_view kZoneListNote =
    "NOTE:  Double Click on the Zone Number, or Click on the Zone Number and then click OK for "
    "further input, or Press Menu to go to Main Menu.";

// "ZONE NAMES -- " and the project file.
std::string ZoneListCaption(std::string_view projectFile);

// The headings of the grid's columns and the texts whose width sizes each column.
struct ZoneGridColumn {
  std::string_view heading;
  std::string_view sizingText;
};
const std::array<ZoneGridColumn, 3>& ZoneGridColumns();

// The question asked on the way back when zones were never opened; `list` reads "11, 12, 13".
std::string UnopenedZonesQuestion(std::string_view list);

// The first half of the way back: FloorArea and ProjectData(8) become the sum of the zones'
// floor areas, every zone is marked loaded. Returns the codes of the zones never opened,
// joined by ", ".
std::string TotalZoneFloorAreas(model::ProjectModel& m);

// The second half: when a zone was never opened, asks (after a beep) whether to go on; on
// Yes, or when every zone was opened, sets StepFlags(5) and returns true. `unopened` is the
// result of TotalZoneFloorAreas.
bool MayLeaveZoneList(model::ProjectModel& m, std::string_view unopened,
                      shell::MessageBoxes& boxes);

}  // namespace kalvano::zones
