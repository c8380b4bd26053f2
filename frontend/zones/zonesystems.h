// The zone window's system and option commands without a widget: the cooling-system choice
// from the HVAC data base, the daylighting and economiser switches, the copy of changed zone
// fields to other zones and the window sizer, and the layout of the copy-to-zones window.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"
#include "frontend/zones/zonecore.h"

namespace kalvano::zones {

inline constexpr std::string_view kNoValuesChanged =
    "No values have been changed.  No data are copied to the other zones.";
inline constexpr std::string_view kCopyDataTitle = "Copy Data";
inline constexpr std::string_view kFractionRange =
    "Window fractions must be between 0 and 1, please re-enter.";
inline constexpr std::string_view kFractionRangeTitle = "Fraction Error!";
inline constexpr std::string_view kNoWindowData =
    "No window data have been entered.  No data are being copied.";
inline constexpr std::string_view kNoWindowDataTitle = "Copy Window Data";

using ZoneFieldTexts = std::array<std::string, model::kZoneFields + 1>;

// ---- Cooling system -------------------------------------------------------------------

// The zone fields of cooling system n (1..9) of the HVAC data base (AppDir/btype/tcool.dat)
// as the zone window shows them in `zone`: 20 the system number, 26 the static pressure, 27
// the SEER (COP in SI), 29 and 30 the first and maintenance costs per ton, each value as the
// data base holds it without its blanks. With gas heating (field 21 = 1) a system other than
// 8 and 9 costs 200 more per ton and its maintenance is a share of that first cost. The
// fields whose text changed are flagged in the current zone, and field 20 becomes the field
// edited last. A data base that cannot be read is reported (ReportFileError) and nothing
// changes: the result is false. A system the data base lacks changes field 20 only.
bool ChooseCoolingSystem(model::ProjectModel& m, int n, ZoneFieldTexts& zone,
                         model::MessageBoxes& boxes);

// ---- Heating type ---------------------------------------------------------------------

// The heating efficiency text of heating type `index` (1 gas, 2 electric resistance, 3 heat
// pump): columns 16 to 19 of line index + 2 of the heating data base (AppDir/btype/theat.dat).
// Empty when the file has no such line.
std::string HeatingEfficiency(const std::vector<std::string>& lines, int index);

// Heating type `index` chosen from the Heating Type menu: field 21 the type, field 28 its
// efficiency from the heating data base, and, unless the cooling system (field 20) is 8 or 9,
// the first cost per ton 200 lower when gas is given up and 200 higher when gas is taken up,
// and the maintenance cost recomputed as a share of the first cost. The fields whose text
// changed are flagged in the current zone, and field 21 becomes the field edited last. A
// data base that cannot be read is reported (ReportFileError) and nothing changes: the
// result is false.
bool ChooseHeating(model::ProjectModel& m, int index, ZoneFieldTexts& zone,
                   model::MessageBoxes& boxes);

// ---- Switches -------------------------------------------------------------------------

// A Yes/No switch after a click: " Yes" and "Yes" become "No"; "", " ", " No" and "No" become
// "Yes"; any other caption stays.
std::string ToggledSwitch(std::string_view caption);
// Whether a switch caption reads "Yes" (" Yes" too).
bool SwitchOn(std::string_view caption);
// Clears the toggled marks of a zone's three switches.
void ClearSwitchFlags(model::ZoneEditState& edit, int zone);

// ---- Copy of changed fields -----------------------------------------------------------

// Whether the current zone has changed fields to copy: any of fields 4 and 6..30. Fields 1 to
// 3 (number, name and floor area, which the sketch owns) are never copied, and field 5
// (people) alone is not worth a copy.
bool HasFieldsToCopy(const model::ProjectModel& m);
// Copies the current zone's changed fields 4..30 and its toggled switches, as the zone window
// shows them, into every zone of `targets`, then clears the current zone's marks.
void CopyZoneFields(model::ProjectModel& m, const ZoneFormTexts& form,
                    const std::vector<int>& targets);
// Zones 1..ZoneCount.
std::vector<int> AllZones(const model::ProjectModel& m);

// ---- Window sizer ---------------------------------------------------------------------

// The glazing fractions of the four elevations (north, east, south, west: facing 90 x e).
struct WindowFractions {
  std::array<bool, 4> entered{};
  std::array<double, 4> value{};
};
// Reads the four fraction boxes: a text that is neither empty nor one blank is entered and
// must be a number in 0..1. A text that is no number, a fraction out of range, or no fraction
// at all, is refused with its message; the result is then empty.
std::optional<WindowFractions> CheckWindowFractions(const std::array<std::string, 4>& boxes,
                                                    model::MessageBoxes& messages);
// Gives every wall of the zones of `targets`, and of the current zone, that faces an
// elevation with a fraction (exposure 1..5, orientation 0, 90, 180 or 270) the window area
// wall area x fraction rounded to 0.1, or 0 below 1.0; then writes the current zone's window
// areas into its editing rows.
void SizeWindows(model::ProjectModel& m, const WindowFractions& fractions,
                 const std::vector<int>& targets);

// ---- Copy-to-zones window -------------------------------------------------------------

inline constexpr int kZonesPerColumn = 10;
struct CopyZonesLayout {
  int columns = 1;
  int widthTwips = 4000;  // 4000 for up to 10 zones, else 3000 per column
};
CopyZonesLayout CopyZonesLayoutFor(int zoneCount);
// Column (0-based) and line (0-based) of zone z's box.
inline int ZoneBoxColumn(int z) { return (z - 1) / kZonesPerColumn; }
inline int ZoneBoxLine(int z) { return (z - 1) % kZonesPerColumn; }
// Twips (1440 per logical inch) as pixels of a screen of `dpi` logical dots per inch.
int TwipsToPixels(int twips, double dpi);

}  // namespace kalvano::zones
