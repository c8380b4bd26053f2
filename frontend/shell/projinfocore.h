// What the project information window decides without a widget: which typed keys its boxes
// refuse, and whether "OK" may store the boxes.
#pragma once

#include <string>
#include <string_view>

#include "frontend/shell/bldtype.h"

namespace kalvano::shell {

// Why a key typed into a box is discarded.
enum class KeyRefusal {
  None,            // the key passes
  SelectType,      // box 0 of a project without a file: "Select building type from menu"
  NotNumeric,      // boxes 6..11 take digits, ".", blank, Backspace and Enter only
  DaysFirst,       // box 10: 8 or 9 as the first digit
  DaysAfterSeven,  // box 10: a digit 1..9 after a leading 7
  TooLong,         // boxes 7..11 hold at most 11 typed characters
  NotLatin1        // a character beyond Latin-1, which no project file holds
};

inline constexpr char kBackspace = 8;
inline constexpr char kEnter = 13;

// The key filter of box `index` for a key (its character code) typed into a box holding
// `text`. A character beyond Latin-1 is refused by every box: boxes 6..11 answer it as any
// other character that is no digit, the others with a beep.
KeyRefusal FilterKey(int index, char32_t key, std::string_view text, int projectLoaded);

// Why "OK" keeps the window open.
enum class OkRefusal {
  None,
  ConstructionYear,  // box 6 not empty and not ending in a digit
  OccupiedDays       // the number at the start of box 10 above 7
};
OkRefusal CheckProjectInfo(const ProjectBoxes& boxes);

// Message, title and beep of each refusal.
struct Refusal {
  std::string_view text;
  std::string_view title;
  bool beep;
};
Refusal RefusalMessage(KeyRefusal refusal);  // TooLong, NotLatin1: a beep only
Refusal RefusalMessage(OkRefusal refusal);

// The index of the box that Undo Last restores next after restoring `lastEdited`.
inline int NextUndoBox(int lastEdited) { return lastEdited > 0 ? lastEdited - 1 : 0; }

// The unit labels of the floor area and the construction cost.
inline std::string_view AreaUnit(int unitSystem) { return unitSystem == 2 ? "sq.m." : "sq.ft"; }
inline std::string_view CostUnit(int unitSystem) {
  return unitSystem == 2 ? "$/sq.m." : "$/sq.ft";
}

}  // namespace kalvano::shell
