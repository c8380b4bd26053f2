#include "frontend/zones/zonefields.h"

#include <cmath>

#include "frontend/model/numtext.h"

namespace kalvano::zones {

FieldEntry EntryOf(int field) {
  switch (field) {
    case 1: return FieldEntry::Locked;
    case 2: return FieldEntry::Text;
    case 6: case 8: case 10: case 15: case 16: case 17: case 18: case 19:
      return FieldEntry::Profile;
    case 9: return FieldEntry::Ventilation;
    case 11: return FieldEntry::Lighting;
    case 20: case 21: return FieldEntry::Hvac;
    default: return FieldEntry::Numeric;
  }
}

bool NumericKey(char32_t key) {
  return (key >= U'0' && key <= U'9') || key == U'.' || key == 8 || key == 9 || key == 13;
}

int ProfileKindOfField(int field) {
  switch (field) {
    case 6: return 1;
    case 8: return 2;
    case 10: return 3;
    case 15: return 4;
    default: return 0;
  }
}

int FieldOfProfileKind(int kind) {
  switch (kind) {
    case 1: return 6;
    case 2: return 8;
    case 3: return 10;
    case 4: return 15;
    default: return 0;
  }
}

int16_t ProfileNumberOf(std::string_view field) {
  const double v = std::nearbyint(model::Val(field));
  return v >= -32768 && v <= 32767 ? static_cast<int16_t>(v) : int16_t{0};
}

VentilationBox SplitVentilation(std::string_view field) {
  const std::string_view code = field.substr(0, 2);
  if (code == "CP") return {0, std::string(field.substr(2))};
  if (code == "CS") return {1, std::string(field.substr(2))};
  if (code == "PA") return {2, std::string(field.substr(2))};
  return {0, std::string(field)};
}

std::string VentilationRate(std::string_view box) {
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < box.size(); ++i) {
    if (box[i] == ' ' && box[i + 1] != ' ') start = i + 1;
  }
  return std::string(box.substr(start));
}

std::string VentilationField(int box, std::string_view rate) {
  static constexpr std::string_view kCodes[] = {"CP", "CS", "PA"};
  return std::string(kCodes[box >= 0 && box <= 2 ? box : 0]) + std::string(rate);
}

std::string PeopleAfterAreaKey(const model::ProjectModel& m) {
  const auto z = static_cast<std::size_t>(m.CurrentZone);
  const float perPerson = m.ZonePeople[z];
  if (perPerson > 1.0F) {
    const double people = std::floor(static_cast<double>(m.ZoneFloorArea[z]) / perPerson + 0.7);
    return model::NumberTextDouble(people);
  }
  return m.ZoneData[z][5];
}

std::vector<int> UndoFields(int k) {
  if (k <= 0 || k > model::kZoneFields) return {};
  if (k == 20) return {20, 26, 27, 29, 30};
  if (k == 21) return {21, 28};
  return {k};
}

std::string NaturalVentilationDefault(int16_t unitSystem) {
  return unitSystem == model::kSI ? "20" : "4";
}

}  // namespace kalvano::zones
