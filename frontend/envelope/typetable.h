// The type table of the zone window without a widget: the catalogue of walls and roofs (or
// windows and skylights) joined with the project's own types, rows chosen for a surface row,
// "Undo Select", and the edited rows stored on OK.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"

namespace kalvano::envelope {

inline constexpr int kTypeRows = 30;   // rows 1..30 held
inline constexpr int kShownRows = 26;  // rows 1..26 reachable on screen
inline constexpr int kMaxProjectTypes = 20;  // types of a kind a simulation holds

struct TypeTable {
  int kind = 1;  // 1 walls and roofs, 2 windows and skylights
  // Column 0 id, 1 description, 2 U-factor, 3..5 the three properties, 6 cost; rows 1..30.
  std::array<std::array<std::string, kTypeRows + 1>, 7> rows{};
  std::array<int16_t, kTypeRows + 1> edited{};
  int choiceMade = 0;  // 0 none pending, else the kind of the last choice
  int chosenRow = 0;
  std::array<std::string, 7> beforeChoice{};  // the project type at chosenRow before it

  const std::string& Cell(int column, int row) const;
  std::string& Cell(int column, int row);
};

// The project's type columns of a kind (id, description, U, three properties, cost).
std::array<model::TypeColumn*, 7> KindColumns(model::ProjectModel& m, int kind);

// Builds the table: the catalogue's first 30 entries (U-factor and cost converted in SI),
// the empty ids of rows 1..26 numbered (" 13"), and the project's types over the catalogue
// entries of their position. Throws model::FileError for a catalogue cut short.
TypeTable LoadPropertyTable(model::ProjectModel& m, int kind, std::string_view catalogText);
// The table built from the catalogue file `path`, as the type table window reads it: a file
// that ends in the middle of an entry is refused as cut short, naming it
// (model::CatalogueFileEntries); otherwise as LoadPropertyTable.
TypeTable ReadPropertyTable(model::ProjectModel& m, int kind, const std::string& path);

// Whether row r is shown as a project type (yellow): its description is the project type's
// at the same position.
bool IsProjectRow(model::ProjectModel& m, const TypeTable& t, int r);

// The project types of the kind that exist (positions 1..50 with an id).
int ProjectTypeCount(model::ProjectModel& m, int kind);

// The refusal of a 21st type of a kind.
std::string TooManyTypes(int kind);
std::string KindWord(int kind);

enum class Choice { kNone, kChosen, kRefused };
// Chooses row r for the surface row being picked: its id goes into the zone's editing row
// and the row into the project's types at position r. A yellow row warns first (`boxes`).
Choice ChooseRow(model::ProjectModel& m, TypeTable& t, int r, model::MessageBoxes& boxes);

// Takes the last choice back: the chosen position gets what it held before the choice.
void UndoSelect(model::ProjectModel& m, TypeTable& t);

enum class KeyVerdict { kTake, kDrop, kWarn };
// The key filter of a cell of column 1..6 (description to cost) in table row r. A row without
// an id takes no key and says nothing (kDrop); otherwise the row is marked edited, even when
// its key is then refused: the numeric columns take digits, the point, backspace, tab and
// enter ('\b', '\t', '\r'), and a blank except in column 4; anything else is kWarn.
KeyVerdict FilterKey(TypeTable& t, int column, int r, char key);

// Stores row r at its own position; false (with `TooManyTypes` shown) when it would be a
// 21st type.
bool StoreRow(model::ProjectModel& m, TypeTable& t, int r, model::MessageBoxes& boxes);

}  // namespace kalvano::envelope
