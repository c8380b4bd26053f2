#include "frontend/zones/zonecore.h"
#include "frontend/zones/zonesystems.h"

#include <cmath>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"

namespace kalvano::zones {

namespace {

using model::MsgIcon;
using model::NumberText;
using model::Val;
using RowTexts = model::ZoneEditState::RowTexts;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNumericKey(char c, bool blank) {
  return IsDigit(c) || c == '.' || c == kKeyBackspace || c == kKeyEnter || c == kKeyTab ||
         (blank && c == ' ');
}

// The columns whose cells are stored as 16-bit whole numbers.
constexpr std::array<int, 5> kWholeColumns = {colWallId, colOrient, colExposure, colWindowId,
                                              colBlind};

// A text's numeric value rounded to a whole number, halves to the even neighbour; false
// when it does not fit a 16-bit integer, and `out` then holds the nearest end of the range.
bool RoundedInt16(std::string_view text, int16_t& out) {
  const double v = Val(text);
  double r = std::round(v);
  if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
  if (!(r >= -32768.0)) {
    out = -32768;
    return false;
  }
  if (r > 32767.0) {
    out = 32767;
    return false;
  }
  out = static_cast<int16_t>(r);
  return true;
}

int16_t ToInt16(std::string_view text) {
  int16_t v = 0;
  RoundedInt16(text, v);
  return v;
}

float ToSingle(std::string_view text) { return static_cast<float>(Val(text)); }

// A row counts as a surface while its wall id, window id and exposure are all non-zero.
bool IsSurfaceRow(const model::ZoneEditState& e, int row) {
  return Val(e.RowWallId[At(row)]) != 0 && Val(e.RowWindowId[At(row)]) != 0 &&
         Val(e.RowExposure[At(row)]) != 0;
}

// The leading surface rows of the editing copy.
int LeadingSurfaceRows(const model::ZoneEditState& e) {
  int count = 0;
  while (count < model::kMaxSurfaces && IsSurfaceRow(e, count + 1)) ++count;
  return count;
}

// Whether a type id text equals one of the ids at positions 1..26 of a type table.
bool InTypeTable(const model::TypeColumn& ids, double id) {
  for (int k = 1; k <= model::kFileTypeIds; ++k) {
    if (!ids[At(k)].empty() && Val(ids[At(k)]) == id) return true;
  }
  return false;
}

bool ValidShadeToken(std::string_view token) {
  if (token.empty()) return false;
  const char first = token.front();
  if (first != 'F' && first != 'L' && first != 'R' && first != 'T' && first != 'N') return false;
  for (std::size_t k = 1; k < token.size(); ++k) {
    const char c = token[k];
    if (!IsDigit(c) && c != ' ' && c != ',' && c != '.') return false;
  }
  return true;
}

const char* ColumnName(int column) {
  switch (column) {
    case colWallId: return "wall ID number";
    case colOrient: return "orientation";
    case colExposure: return "surface exposure";
    case colWindowId: return "window ID number";
    case colBlind: return "venetian blind";
    default: return "value";
  }
}

void Mark(OkResult& r, int topOffset, int column, int row, CellColour colour) {
  const int line = LineOfRow(topOffset, row);
  if (line != 0) r.marks.push_back({column, line, colour});
}

}  // namespace

RowTexts& RowColumn(model::ZoneEditState& e, int column) {
  switch (column) {
    case colWallId: return e.RowWallId;
    case colWallArea: return e.RowWallArea;
    case colOrient: return e.RowOrient;
    case colExposure: return e.RowExposure;
    case colShade: return e.RowShade;
    case colWindowId: return e.RowWindowId;
    case colWinArea: return e.RowWinArea;
    case colSlope: return e.RowSlope;
    case colSWB: return e.RowSWB;
    case colBlind: return e.RowBlind;
    case colDiffTrans: return e.RowDiffTrans;
    case colSillHt: return e.RowSillHt;
    case colWinTop: return e.RowWinTop;
    default: return e.RowGrndRefl;
  }
}

const RowTexts& RowColumn(const model::ZoneEditState& e, int column) {
  return RowColumn(const_cast<model::ZoneEditState&>(e), column);
}

void ClearSurfaceRows(model::ZoneEditState& e) {
  for (int c = 0; c < kSurfaceColumns; ++c) RowColumn(e, c).fill(std::string());
}

int LineOfRow(int topOffset, int row) {
  const int line = row - topOffset;
  return line >= 1 && line <= kVisibleLines ? line : 0;
}

int PickRow(int topOffset, int tableScrolled, int line) {
  return tableScrolled == 1 ? topOffset + line : line;
}

std::string NormalisedSwitch(std::string_view text) {
  return text == "Yes" || text == " Yes" || text == " yes" || text == "yes" ? "Yes" : "No";
}

bool CheckZoneRow(const model::ProjectModel& m, int row, model::MessageBoxes& boxes) {
  if (row >= 1 && row <= m.ZoneCount && row <= model::kMaxZones && !m.ZoneCode[At(row)].empty()) {
    return true;
  }
  boxes.beep();
  boxes.show(kZoneDoesNotExist, "Error", MsgIcon::Exclamation);
  return false;
}

bool OpenZone(model::ProjectModel& m, int row, model::MessageBoxes& boxes) {
  if (!CheckZoneRow(m, row, boxes)) return false;
  m.CurrentZone = static_cast<int16_t>(row);
  const std::size_t z = At(row);
  auto& fields = m.ZoneData[z];
  for (int i : {6, 8, 10, 15}) {
    if (Val(fields[At(i)]) == 0) fields[At(i)] = NumberText(m.BldTypeNo);
  }
  m.ZoneEconCycle[z] = NormalisedSwitch(m.ZoneEconCycle[z]);
  m.ZoneNatVent[z] = NormalisedSwitch(m.ZoneNatVent[z]);
  m.ZoneDaylight[z] = NormalisedSwitch(m.ZoneDaylight[z]);

  model::ZoneEditState& e = m.ZoneEdit;
  e.FieldChanged[z].fill(0);
  ClearSwitchFlags(e, row);
  e.LastEditedField = 0;
  ClearSurfaceRows(e);
  const int count = std::min<int>(m.SurfaceCount[z], model::kMaxSurfaces);
  for (int j = 1; j <= count; ++j) {
    const std::size_t r = At(j);
    if (m.SurfWallId[z][r] == 0 || m.SurfExposure[z][r] == 0 || m.SurfWindowId[z][r] == 0) {
      continue;
    }
    e.RowWallId[r] = NumberText(m.SurfWallId[z][r]);
    e.RowWallArea[r] = NumberText(m.SurfWallArea[z][r]);
    e.RowOrient[r] = NumberText(m.SurfOrient[z][r]);
    e.RowExposure[r] = NumberText(m.SurfExposure[z][r]);
    e.RowShade[r] = m.SurfShade[z][r];
    e.RowWindowId[r] = NumberText(m.SurfWindowId[z][r]);
    e.RowWinArea[r] = NumberText(m.SurfWinArea[z][r]);
    e.RowSlope[r] = NumberText(m.SurfSlope[z][r]);
    e.RowSWB[r] = m.SurfSWB[z][r];
    e.RowBlind[r] = NumberText(m.SurfBlind[z][r]);
    e.RowDiffTrans[r] = NumberText(m.SurfDiffTrans[z][r]);
    e.RowSillHt[r] = NumberText(m.SurfSillHt[z][r]);
    e.RowWinTop[r] = NumberText(m.SurfWinTop[z][r]);
    e.RowGrndRefl[r] = NumberText(m.SurfGrndRefl[z][r]);
  }
  return true;
}

KeyClass ColumnKeys(int column) {
  switch (column) {
    case colWallId: return KeyClass::WallIdKeys;
    case colWindowId: return KeyClass::WindowIdKeys;
    case colExposure: return KeyClass::NumericWithoutBlank;
    case colShade: return KeyClass::ShadeKeys;
    case colSWB: return KeyClass::SWBKeys;
    case colBlind: return KeyClass::BlindKeys;
    default: return KeyClass::NumericWithBlank;
  }
}

char FilterSurfaceKey(KeyClass keys, char key, std::string_view boxText,
                      const model::ProjectModel& m, model::MessageBoxes& boxes) {
  const auto refuse = [&boxes](std::string_view text, MsgIcon icon, bool beep) -> char {
    if (beep) boxes.beep();
    boxes.show(text, "Error", icon);
    return 0;
  };
  const auto notNumeric = [&boxes]() -> char {
    model::RefuseNotNumeric(boxes);
    return 0;
  };
  switch (keys) {
    case KeyClass::NumericWithBlank:
    case KeyClass::NumericWithoutBlank:
      return IsNumericKey(key, keys == KeyClass::NumericWithBlank) ? key : notNumeric();
    case KeyClass::WallIdKeys:
    case KeyClass::WindowIdKeys: {
      if (!IsNumericKey(key, true)) return notNumeric();
      if (!IsDigit(key) && key != '.') return key;
      if (!boxText.empty() && boxText.front() == '1') return key;
      const bool wall = keys == KeyClass::WallIdKeys;
      if (InTypeTable(wall ? m.WallId : m.WinId, Val(std::string(1, key)))) return key;
      return refuse(wall ? kWallIdNotInCatalog : kWindowIdNotInCatalog, MsgIcon::Information,
                    true);
    }
    case KeyClass::ShadeKeys: {
      const char upper = model::AsciiUpper(key);
      if (upper == 'F' || upper == 'L' || upper == 'N' || upper == 'R' || upper == 'T') {
        return upper;
      }
      if (IsLetter(key)) return refuse(kShadeLetter, MsgIcon::Exclamation, false);
      return IsNumericKey(key, true) ? key : refuse(kShadeKey, MsgIcon::Exclamation, false);
    }
    case KeyClass::SWBKeys: {
      const char upper = model::AsciiUpper(key);
      if (upper == 'S' || upper == 'W' || upper == 'B') return upper;
      if (key == kKeyBackspace || key == ' ' || key == 6 || key == 10) return key;
      return refuse(kSWBKey, MsgIcon::Exclamation, false);
    }
    case KeyClass::BlindKeys:
      if (key == kKeyEnter || key == kKeyBackspace || key == '.' || key == ' ' ||
          key == kKeyTab || key == '0' || key == '1' || key == '5') {
        return key;
      }
      return refuse(kBlindKey, MsgIcon::Exclamation, true);
  }
  return 0;
}

int ShadingCodeCount(std::string_view s) {
  int count = 0;
  std::string token;
  char prev = ' ';
  for (std::size_t k = 0; k < s.size(); ++k) {
    const char c = s[k];
    const bool last = k + 1 == s.size();
    if (c == ' ' && prev == ' ') {
      // runs of blanks collapse
    } else if (c == ' ' || last) {
      if (c != ' ') token += c;
      if (!token.empty()) {
        if (ValidShadeToken(token)) ++count;
        token.clear();
      }
    } else {
      token += c;
    }
    prev = c;
  }
  return count;
}

std::string OutOfRangeMessage(int column, int row) {
  return std::string("The ") + ColumnName(column) + " of surface row " + std::to_string(row) +
         " is out of range (-32768 to 32767).  Please correct your input.";
}

float PeoplePerArea(std::string_view floorArea, std::string_view people) {
  const double n = Val(people);
  return n > 0 ? static_cast<float>(Val(floorArea) / n) : 1.0f;
}

bool StoreZoneInputs(model::ProjectModel& m, const ZoneFormTexts& form,
                     model::MessageBoxes& boxes) {
  if (form.dayt == "Yes" && (Val(form.zone[24]) == 0 || Val(form.zone[25]) == 0)) {
    boxes.beep();
    boxes.show(kDaylightZero, "Error", MsgIcon::Exclamation);
    return false;
  }
  const std::size_t z = At(m.CurrentZone);
  for (int i = 1; i <= model::kZoneFields; ++i) {
    const std::string& text = form.zone[At(i)];
    m.ZoneData[z][At(i)] = text.empty() ? "0" : text;
  }
  m.ZoneNatVent[z] = form.natvent.empty() ? "No" : form.natvent;
  m.ZoneDaylight[z] = form.dayt.empty() ? "No" : form.dayt;
  m.ZoneEconCycle[z] = form.econcycle;

  const model::ZoneEditState& e = m.ZoneEdit;
  const int count = LeadingSurfaceRows(e);
  for (int i = 1; i <= count; ++i) {
    const std::size_t r = At(i);
    m.SurfWallId[z][r] = ToInt16(e.RowWallId[r]);
    m.SurfWallArea[z][r] = ToSingle(e.RowWallArea[r]);
    m.SurfOrient[z][r] = ToInt16(e.RowOrient[r]);
    m.SurfExposure[z][r] = ToInt16(e.RowExposure[r]);
    m.SurfShade[z][r] = e.RowShade[r];
    m.SurfWindowId[z][r] = ToInt16(e.RowWindowId[r]);
    m.SurfWinArea[z][r] = ToSingle(e.RowWinArea[r]);
    m.SurfSlope[z][r] = ToSingle(e.RowSlope[r]);
    m.SurfSWB[z][r] = e.RowSWB[r];
    m.SurfBlind[z][r] = ToInt16(e.RowBlind[r]);
    m.SurfDiffTrans[z][r] = ToSingle(e.RowDiffTrans[r]);
    m.SurfSillHt[z][r] = ToSingle(e.RowSillHt[r]);
    m.SurfWinTop[z][r] = ToSingle(e.RowWinTop[r]);
    m.SurfGrndRefl[z][r] = ToSingle(e.RowGrndRefl[r]);
  }
  m.SurfaceCount[z] = static_cast<int16_t>(count);
  return true;
}

OkResult OkeyClick(model::ProjectModel& m, const ZoneFormTexts& form, OkState& state,
                   shell::MessageBoxes& boxes) {
  OkResult result;
  const std::size_t z = At(m.CurrentZone);
  m.ZoneFloorArea[z] = ToSingle(form.zone[3]);
  for (int i = 1; i <= model::kZoneFields; ++i) m.ZoneData[z][At(i)] = form.zone[At(i)];

  model::ZoneEditState& e = m.ZoneEdit;
  const int count = LeadingSurfaceRows(e);
  const int top = state.topOffset;
  const auto fail = [&](std::string_view text, std::string_view title, bool beep) {
    if (beep) boxes.beep();
    boxes.show(text, title, MsgIcon::Exclamation);
    return result;
  };

  // Whole-number cells must fit the stored 16-bit integers, whatever else is checked.
  for (int i = 1; i <= count; ++i) {
    for (int column : kWholeColumns) {
      int16_t value = 0;
      if (!RoundedInt16(RowColumn(e, column)[At(i)], value)) {
        Mark(result, top, column, i, CellColour::Red);
        return fail(OutOfRangeMessage(column, i), "Error", true);
      }
    }
  }

  if (!e.RowShade[1].empty()) {
    for (int i = 1; i <= count; ++i) {
      if (!InTypeTable(m.WallId, Val(e.RowWallId[At(i)]))) {
        Mark(result, top, colWallId, i, CellColour::Red);
        return fail(kWallNotInCatalog, "Error", true);
      }
      Mark(result, top, colWallId, i, CellColour::Blue);
    }
    for (int i = 1; i <= count; ++i) {
      if (!InTypeTable(m.WinId, Val(e.RowWindowId[At(i)]))) {
        Mark(result, top, colWindowId, i, CellColour::Red);
        return fail(kWindowNotInCatalog, "Error", true);
      }
      Mark(result, top, colWindowId, i, CellColour::Blue);
    }
    for (int i = 1; i <= count; ++i) {
      if (ShadingCodeCount(e.RowShade[At(i)]) != 3) {
        Mark(result, top, colShade, i, CellColour::Red);
        return fail(kShadingWrong, "Shading error", false);
      }
    }
    for (int i = 1; i <= count; ++i) {
      if (Val(e.RowWinArea[At(i)]) > Val(e.RowWallArea[At(i)])) {
        Mark(result, top, colWallArea, i, CellColour::Red);
        Mark(result, top, colWinArea, i, CellColour::Red);
        return fail(kWindowLargerThanWall, "Wall and window area", false);
      }
    }
    if (state.fractionAlertShown != 1) {
      const auto isFraction = [&e](int row) {
        const double w = Val(e.RowWinArea[At(row)]);
        return w < 1.0 && w != 0;
      };
      int asked = 0;
      for (int i = 1; i <= count && asked == 0; ++i) {
        if (isFraction(i)) asked = i;
      }
      if (asked != 0) {
        Mark(result, top, colWinArea, asked, CellColour::Red);
        state.fractionAlertShown = 1;
        const shell::MsgAnswer answer = boxes.ask(kFractionQuestion, "Window area alert",
                                                  MsgIcon::Exclamation, shell::MsgButtons::YesNo);
        if (answer == shell::MsgAnswer::Yes) {
          for (int j = 1; j <= count; ++j) {
            std::string& area = e.RowWinArea[At(j)];
            if (area.empty()) break;
            if (!isFraction(j)) continue;
            area = NumberText(static_cast<float>(Val(e.RowWallArea[At(j)]) * Val(area)));
            result.rowsChanged = true;
            Mark(result, top, colWinArea, j, CellColour::Blue);
          }
        } else {
          Mark(result, top, colWinArea, asked, CellColour::Blue);
        }
        return result;
      }
    }
  }

  if (!StoreZoneInputs(m, form, boxes)) return result;
  ClearSurfaceRows(e);
  result.rowsChanged = true;
  m.ZoneLoaded[z] = 1;
  m.ZoneOpened[z] = 1;
  e.FieldChanged[z].fill(0);
  ClearSwitchFlags(e, m.CurrentZone);
  m.ZonePeople[z] = PeoplePerArea(m.ZoneData[z][3], m.ZoneData[z][5]);
  state.fractionAlertShown = 0;
  result.stored = true;
  return result;
}

}  // namespace kalvano::zones
