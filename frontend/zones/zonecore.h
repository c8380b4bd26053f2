// The zone editor without a widget: opening a zone from the zone list, the surface table's
// lines over the 33 editing rows, the key classes of the surface columns, the shading-code
// parse, the checks of the zone window's OK and the store of the zone into the project.
// The zone window holds the controls and forwards to these.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/project_model.h"
#include "frontend/shell/messagebox.h"
#include "frontend/zones/zonelistcore.h"

namespace kalvano::zones {

// The 14 columns of a surface row, in the order of the surface table.
enum SurfaceColumn : int {
  colWallId = 0, colWallArea, colOrient, colExposure, colShade, colWindowId, colWinArea,
  colSlope, colSWB, colBlind, colDiffTrans, colSillHt, colWinTop, colGrndRefl
};
inline constexpr int kSurfaceColumns = 14;
inline constexpr int kVisibleLines = 11;  // lines of the surface table on screen
inline constexpr int kScrollTop = 1;      // the table's scroll bar runs 1..23
inline constexpr int kScrollBottom = 23;
inline constexpr int kScrollPage = 5;

// The editing texts of one column, rows 1..33.
model::ZoneEditState::RowTexts& RowColumn(model::ZoneEditState& edit, int column);
const model::ZoneEditState::RowTexts& RowColumn(const model::ZoneEditState& edit, int column);

// Empties the 14 editing texts of rows 1..33.
void ClearSurfaceRows(model::ZoneEditState& edit);

// The editing row that visible line 1..11 shows at a scroll offset (scroll value - 1).
inline int RowOfLine(int topOffset, int line) { return topOffset + line; }
// The visible line that shows a row at a scroll offset, 0 when the row is off the page.
int LineOfRow(int topOffset, int row);
// The row whose wall or window id a click or double click on a line picks: the line's row
// once the table was scrolled, else the line number itself.
int PickRow(int topOffset, int tableScrolled, int line);

// ---- Opening a zone -------------------------------------------------------------------

// Whether a zone-list row is a zone: 1..ZoneCount with a zone code. Otherwise a beep and
// kZoneDoesNotExist, and false.
bool CheckZoneRow(const model::ProjectModel& m, int row, model::MessageBoxes& boxes);

// A Yes/No switch as the zone window shows it: "Yes", " Yes", " yes" and "yes" are "Yes",
// every other text is "No".
std::string NormalisedSwitch(std::string_view text);

// Opens the zone of a zone-list row for editing. A row that is not a zone is refused by
// CheckZoneRow, and nothing changes. Otherwise the zone becomes CurrentZone, its empty profile fields (6, 8,
// 10, 15) get the building type's number, its switches are normalised, its edited flags
// and the field edited last are cleared, and the editing rows are emptied and then hold
// its stored surface rows (a row with a zero wall id, exposure or window id stays empty).
bool OpenZone(model::ProjectModel& m, int row, model::MessageBoxes& boxes);

// ---- Keys of the surface columns ------------------------------------------------------

inline constexpr char kKeyBackspace = 8;
inline constexpr char kKeyTab = 9;
inline constexpr char kKeyEnter = 13;

enum class KeyClass {
  NumericWithBlank,     // digits, point, blank, Backspace, Enter, Tab
  NumericWithoutBlank,  // the same without the blank
  WallIdKeys,           // numeric with blank; a first digit must be a wall type id
  WindowIdKeys,         // the same against the window type ids
  ShadeKeys,            // shading codes F, L, R, T, N (upper-cased) and numbers
  SWBKeys,              // S, W or B (upper-cased)
  BlindKeys,            // 0, 1 or 5
};
KeyClass ColumnKeys(int column);

inline constexpr std::string_view kWallIdNotInCatalog =
    "Error.  Wall ID number is not in the wall catalog.  Select the wall ID number again.";
inline constexpr std::string_view kWindowIdNotInCatalog =
    "Error.  Window ID number is not in the window catalog.  Select the window ID number "
    "again.";
inline constexpr std::string_view kShadeLetter = "You should type either F or L or R or T or N.";
inline constexpr std::string_view kShadeKey =
    "You should type either a number or the shading code (F, L, R, T, or N).";
inline constexpr std::string_view kSWBKey = "Error.  Type S, or W, or B, or s, or w, or b";
inline constexpr std::string_view kBlindKey = "Please enter 0, 1 or 5.";

// The key a box of the class lets through: the key itself, its upper-case form, or 0 when
// it is refused, after the class's beep and message. `boxText` is the box's text before the
// key (an id box starting with "1" takes a second digit unchecked).
char FilterSurfaceKey(KeyClass keys, char key, std::string_view boxText,
                      const model::ProjectModel& m, model::MessageBoxes& boxes);

// ---- OK and store ---------------------------------------------------------------------

// What the zone window holds besides the surface rows: its 30 field texts (1..30) and the
// captions of its three switches.
struct ZoneFormTexts {
  std::array<std::string, model::kZoneFields + 1> zone;
  std::string natvent, dayt, econcycle;
};

// The number of valid shading codes in a shade text; a row passes with exactly 3.
int ShadingCodeCount(std::string_view shade);

inline constexpr std::string_view kWallNotInCatalog =
    "One of your wall ID number is not in the catalog.  Please double click the ID number and "
    "select the right ID.";
inline constexpr std::string_view kWindowNotInCatalog =
    "One of your window ID number is not in the catalog.  Please double click the ID number "
    "and select the right ID.";
inline constexpr std::string_view kShadingWrong =
    "The shading has wrong values.  Please check your input.";
inline constexpr std::string_view kWindowLargerThanWall =
    "Your window area is larger than the wall area.  Please correct your input.";
inline constexpr std::string_view kFractionQuestion =
    "Your window area is less than 1.0.  Is this intended to be a fraction of the wall area?  "
    "If you answer 'Yes', the actual window area will be computed.  If you answer 'No', the "
    "area will be as entered.";
inline constexpr std::string_view kDaylightZero =
    "Daylighting depth or target footcandles cannot be 0 if daylight is used.  Please correct "
    "your input.";
// The refusal of a whole-number cell that does not fit a 16-bit integer.
std::string OutOfRangeMessage(int column, int row);

// Stores the zone window's texts and editing rows into zone CurrentZone: fields (an empty
// one as "0"), switches, and the leading rows whose wall id, window id and exposure are
// non-zero (their count is SurfaceCount). With daylighting on and a zero depth or target it
// shows kDaylightZero instead, stores nothing and returns false.
bool StoreZoneInputs(model::ProjectModel& m, const ZoneFormTexts& form,
                     model::MessageBoxes& boxes);

// The floor area per person of a zone: field 3 / field 5, or 1.0 when field 5 is not positive.
float PeoplePerArea(std::string_view floorArea, std::string_view people);

// The zone window's own state that OK reads and changes.
struct OkState {
  int topOffset = 0;               // scroll value - 1
  int16_t fractionAlertShown = 0;  // the fractional-area question was asked
};

enum class CellColour { Red, Blue };
struct CellMark {
  int column = 0;
  int line = 0;  // visible line 1..11
  CellColour colour = CellColour::Blue;
};

struct OkResult {
  bool stored = false;          // the zone was stored: the window goes back to the list
  bool rowsChanged = false;     // editing rows were rewritten: the table is drawn again
  std::vector<CellMark> marks;  // text colours for boxes of the visible page
};

// The zone window's OK: checks the surface rows (16-bit whole numbers, type ids, shading
// codes, window against wall area, fractional window areas) and, when they pass, stores
// the zone, marks it opened and loaded, clears its edited flags, sets its people density and
// empties the editing rows. A failed check shows its message and stores nothing of the rows.
OkResult OkeyClick(model::ProjectModel& m, const ZoneFormTexts& form, OkState& state,
                   shell::MessageBoxes& boxes);

}  // namespace kalvano::zones
