#include "frontend/shell/projinfocore.h"

#include "frontend/model/numtext.h"

namespace kalvano::shell {

namespace {
bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }
}  // namespace

KeyRefusal FilterKey(int index, char32_t key, std::string_view text, int projectLoaded) {
  if (index == 0 && projectLoaded == 0) return KeyRefusal::SelectType;
  if (index >= 6 && index <= 11) {
    const bool accepted = key == kBackspace || key == kEnter || key == ' ' || key == '.' ||
                          IsDigit(key);
    if (!accepted) return KeyRefusal::NotNumeric;
  }
  if (index == 10) {
    if ((text.empty() || text.back() == ' ') && (key == '8' || key == '9')) {
      return KeyRefusal::DaysFirst;
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string_view::npos && text[first] == '7' && key >= '1' && key <= '9') {
      return KeyRefusal::DaysAfterSeven;
    }
  }
  if (index >= 7 && index <= 11 && text.size() > 10 && key != kBackspace) {
    return KeyRefusal::TooLong;
  }
  if (key > 0xFF) return KeyRefusal::NotLatin1;
  return KeyRefusal::None;
}

OkRefusal CheckProjectInfo(const ProjectBoxes& boxes) {
  const std::string& year = boxes[6];
  if (!year.empty() && !IsDigit(year.back())) return OkRefusal::ConstructionYear;
  if (model::Val(boxes[10]) > 7) return OkRefusal::OccupiedDays;
  return OkRefusal::None;
}

Refusal RefusalMessage(KeyRefusal refusal) {
  switch (refusal) {
    case KeyRefusal::SelectType: return {"Select building type from menu", "Building Type", false};
    case KeyRefusal::NotNumeric: return {"You should use numerical value.", "Error", true};
    case KeyRefusal::DaysFirst:
      return {"Error. The maximum occupied days are 7 days per-week.", "Error", true};
    case KeyRefusal::DaysAfterSeven:
      return {"Error.  The maximum occupied days are 7 days per-week.", "Error", true};
    case KeyRefusal::TooLong:
    case KeyRefusal::NotLatin1: return {"", "", true};
    case KeyRefusal::None: break;
  }
  return {"", "", false};
}

Refusal RefusalMessage(OkRefusal refusal) {
  switch (refusal) {
    case OkRefusal::ConstructionYear: return {"You should put the construction year.", "Error", true};
    case OkRefusal::OccupiedDays:
      return {"The maximum occupied days are 7 days per-week.", "Error", true};
    case OkRefusal::None: break;
  }
  return {"", "", false};
}

}  // namespace kalvano::shell
