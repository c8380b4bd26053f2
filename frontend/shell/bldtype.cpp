#include "frontend/shell/bldtype.h"

#include <cstddef>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"

namespace kalvano::shell {

namespace {

struct Conversion {
  double factor;  // the inch-pound value is multiplied (or divided) by it
  int decimals;
  std::size_t width;
  bool divide = false;
};

// SI conversions of the zone fields 4..30 (factor 0: stored as read; field 9 apart).
std::array<Conversion, model::kZoneFields + 1> ZoneConversions() {
  std::array<Conversion, model::kZoneFields + 1> c{};
  c[4] = {4.882428, 1, 5};
  c[5] = {0.09290304, 1, 5};
  c[7] = {3.7854125, 1, 5};
  c[12] = c[13] = c[14] = {0.09290304, 1, 5, true};
  c[22] = {5.0799972, 1, 5};
  c[24] = {0.3048, 1, 5};
  c[25] = {10.7639104, 0, 4};
  c[26] = {248.8, 1, 6};
  c[27] = {3.412141, 1, 6, true};
  return c;
}

// The lines of a type file read one after the other; reading past its end is the
// wrong-format error.
class TypeLines {
 public:
  explicit TypeLines(const std::string& path)
      : lines_(model::ReadFileLines(path)) {}
  const std::string& next() {
    if (pos_ >= lines_.size()) throw model::FileError(model::kErrPastEndOfFile, "the file ends early");
    return lines_[pos_++];
  }

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

}  // namespace

const std::array<std::string_view, kBuildingTypes + 1>& BuildingTypeCaptions() {
  static const std::array<std::string_view, kBuildingTypes + 1> kCaptions{
      "",
      "Auditorium",
      "Automotive facility",
      "Bank building",
      "Convention center",
      "Court house",
      "Dining: bar lounge/ leisure",
      "Dining: Cafeteria/ fast food",
      "Dining: Family",
      "Dormitory",
      "Exercise center",
      "Fire station",
      "Grocery store",
      "Gymnasium",
      "Healthcare/ clinic/ nursing home",
      "Hospital",
      "Hotel",
      "Laundromat",
      "Library",
      "Manufacturing facility/ plant",
      "Motel",
      "Motion picture theater",
      "Museum",
      "Nursing Home",
      "Office building",
      "Parking garage",
      "Penitentiary",
      "Performing arts theater",
      "Police station",
      "Post office",
      "Religious building",
      "Residential: single/ multi-family",
      "Restaurant: Bar lounge/ leisure",
      "Restaurant: Cafeteria/ fast food",
      "Restaurant: Family",
      "Retail store/ showroom",
      "School/ Elementary",
      "School/ Secondary/ University",
      "Sports arena",
      "Town hall",
      "Transportation/ bus/ airport",
      "Warehouse",
      "Workshop"};
  return kCaptions;
}

std::string BuildingTypeFile(int n) { return "btype/bdtype" + std::to_string(n) + ".dat"; }

std::string TypeValueText(std::string_view line) {
  if (line.size() < 20) return std::string(line);
  std::string_view cut = line.substr(0, 20);
  const std::size_t last = cut.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(cut.substr(0, last + 1));
}

std::string ConvertedValue(std::string_view value, double factor, int decimals,
                           std::size_t width, bool divide) {
  const double x = model::Val(value);
  const float v = model::RoundTo(divide ? x / factor : x * factor, decimals);
  return model::RightAlign(model::NumberText(v), width);
}

std::string OutdoorAirToSI(std::string_view value) { return model::OutdoorAirInSI(value); }

void LoadBuildingType(model::ProjectModel& m, int n, ProjectBoxes& boxes) {
  if (n < 1 || n > kBuildingTypes) throw model::FileError(model::kErrSubscript, "building type");
  const bool si = m.UnitSystem == model::kSI;
  m.ProjectLoaded = 0;
  TypeLines in(model::AppPath(m, BuildingTypeFile(n)));

  for (std::size_t i = 0; i < model::kProjectItems; ++i) {
    const std::string& line = in.next();
    const std::string value = i == 0 ? line : TypeValueText(line);
    std::string& box = boxes[i];
    switch (i) {
      case 3:
      case 7:
        if (box.empty()) box = value;
        break;
      case 6: box = std::to_string(m.CurrentYear); break;
      case 8:
        if (box.empty() || box == "0") box = si ? model::FloorAreaInSI(value) : value;
        break;
      case 9: box = si ? ConvertedValue(value, 10.76391, 2, 6) : value; break;
      default: box = value;
    }
    m.ProjectData[i] = box;
  }

  for (std::size_t i = 0; i < model::kEconItems; ++i) {
    std::string value = TypeValueText(in.next());
    if (si && i == 7) value = ConvertedValue(value, 0.1055054762, 2, 6, true);
    if (si && i == 9) value = ConvertedValue(value, 3.7854125, 2, 6, true);
    m.EconData[i] = value;
  }
  m.DemChgSwitch = in.next().substr(0, 1);
  for (int skip = 25; skip <= 27; ++skip) in.next();

  static const auto kZone = ZoneConversions();
  for (std::size_t f = 4; f <= model::kZoneFields; ++f) {
    std::string value = TypeValueText(in.next());
    if (si && f == 9) {
      value = OutdoorAirToSI(value);
    } else if (si && kZone[f].factor != 0) {
      value = ConvertedValue(value, kZone[f].factor, kZone[f].decimals, kZone[f].width,
                             kZone[f].divide);
    }
    if (f == 5) {
      double people = 0;
      if (!model::ParseNumber(value, people)) throw model::FileError(model::kErrTypeMismatch, value);
      for (int z = 1; z <= 98; ++z) m.ZonePeople[z] = static_cast<float>(people);
    } else {
      for (int z = 1; z <= 98; ++z) m.ZoneData[z][f] = value;
    }
  }
  for (auto* column : {&m.ZoneNatVent, &m.ZoneDaylight, &m.ZoneEconCycle}) {
    const std::string value = in.next().substr(0, 5);
    for (int z = 1; z <= 99; ++z) (*column)[z] = value;
  }

  m.BldTypeNo = static_cast<int16_t>(n);
  m.BldTypeChosen = 1;
  if (m.CurrentZone >= 0 && m.CurrentZone <= model::kMaxZones) {
    const std::string profile = " " + std::to_string(n);
    auto& current = m.ZoneData[static_cast<std::size_t>(m.CurrentZone)];
    for (std::size_t f : {6, 8, 10, 15}) current[f] = profile;
  }
}

}  // namespace kalvano::shell
