#include "frontend/zones/zonesystems.h"

#include <cmath>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/zones/hvacdata.h"

namespace kalvano::zones {

namespace {

using model::MsgIcon;
using model::Val;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Share of the first cost per ton that a system with gas heat costs in maintenance.
double GasMaintenanceShare(int n) { return n <= 3 ? 0.037 : (n == 4 ? 0.04 : 0.045); }

}  // namespace

bool ChooseCoolingSystem(model::ProjectModel& m, int n, ZoneFieldTexts& zone,
                         model::MessageBoxes& boxes) {
  std::vector<HvacSystem> systems;
  try {
    systems = ReadHvacDatabase(HvacDatabasePath(m), m.UnitSystem);
  } catch (const model::FileError& e) {
    model::ReportFileError(boxes, e);
    return false;
  }
  const ZoneFieldTexts before = zone;
  if (n >= 1 && n <= static_cast<int>(systems.size())) {
    const HvacSystem& s = systems[At(n - 1)];
    zone[26] = TrimBlanks(s.stpres);
    zone[27] = TrimBlanks(s.seer);
    zone[29] = TrimBlanks(s.fcost);
    zone[30] = TrimBlanks(s.mcost);
    if (Val(zone[21]) == 1 && n != 8 && n != 9) {
      const double first = Val(zone[29]) + 200;
      zone[29] = TrimBlanks(model::NumberText(static_cast<float>(first)));
      zone[30] = model::RightAlign(
          model::NumberText(model::RoundTo(first * GasMaintenanceShare(n), 2)), 5);
    }
  }
  zone[20] = model::NumberText(static_cast<float>(n));
  model::ZoneEditState& e = m.ZoneEdit;
  e.LastEditedField = 20;
  for (int f : {20, 26, 27, 29, 30}) {
    if (zone[At(f)] != before[At(f)]) e.FieldChanged[At(m.CurrentZone)][At(f)] = 1;
  }
  return true;
}

std::string HeatingEfficiency(const std::vector<std::string>& lines, int index) {
  const std::size_t line = At(index + 1);  // two header lines, then types 1..3
  if (index < 1 || index > 3 || line >= lines.size()) return {};
  const std::string& text = lines[line];
  return text.size() > 15 ? text.substr(15, 4) : std::string();
}

bool ChooseHeating(model::ProjectModel& m, int index, ZoneFieldTexts& zone,
                   model::MessageBoxes& boxes) {
  const std::string path = m.AppDir + "/btype/theat.dat";
  std::vector<std::string> lines;
  try {
    lines = model::ReadFileLines(path);
  } catch (const model::FileError& e) {
    model::ReportFileError(boxes, e);
    return false;
  }
  const ZoneFieldTexts before = zone;
  if (static_cast<std::size_t>(index) + 2 <= lines.size()) {
    zone[28] = HeatingEfficiency(lines, index);
  }
  const int cooling = static_cast<int>(Val(zone[20]));
  if (cooling != 8 && cooling != 9) {
    const bool wasGas = Val(zone[21]) == 1;
    if (index != 1 && wasGas) {
      zone[29] = model::NumberText(static_cast<float>(Val(zone[29]) - 200));
    } else if (index == 1 && !wasGas) {
      zone[29] = model::NumberText(static_cast<float>(Val(zone[29]) + 200));
    }
    zone[30] = model::RightAlign(
        model::NumberText(model::RoundTo(Val(zone[29]) * GasMaintenanceShare(cooling), 2)), 5);
  }
  zone[21] = model::NumberText(static_cast<float>(index));
  model::ZoneEditState& e = m.ZoneEdit;
  e.LastEditedField = 21;
  for (int f : {21, 28, 29, 30}) {
    if (zone[At(f)] != before[At(f)]) e.FieldChanged[At(m.CurrentZone)][At(f)] = 1;
  }
  return true;
}

std::string ToggledSwitch(std::string_view caption) {
  if (caption == " Yes" || caption == "Yes") return "No";
  if (caption.empty() || caption == " " || caption == " No" || caption == "No") return "Yes";
  return std::string(caption);
}

bool SwitchOn(std::string_view caption) { return caption == " Yes" || caption == "Yes"; }

void ClearSwitchFlags(model::ZoneEditState& edit, int zone) {
  if (zone < 0 || zone > model::kMaxZones) return;
  edit.NatVentChanged[At(zone)] = 0;
  edit.DaylightChanged[At(zone)] = 0;
  edit.EconChanged[At(zone)] = 0;
}

bool HasFieldsToCopy(const model::ProjectModel& m) {
  const auto& flags = m.ZoneEdit.FieldChanged[At(m.CurrentZone)];
  for (int f = 4; f <= model::kZoneFields; ++f) {
    if (f != 5 && flags[At(f)] == 1) return true;
  }
  return false;
}

void CopyZoneFields(model::ProjectModel& m, const ZoneFormTexts& form,
                    const std::vector<int>& targets) {
  model::ZoneEditState& e = m.ZoneEdit;
  const std::size_t c = At(m.CurrentZone);
  for (int z : targets) {
    if (z < 1 || z > model::kMaxZones) continue;
    const std::size_t t = At(z);
    for (int f = 4; f <= model::kZoneFields; ++f) {
      if (e.FieldChanged[c][At(f)] == 1) m.ZoneData[t][At(f)] = form.zone[At(f)];
    }
    if (e.NatVentChanged[c] == 1) m.ZoneNatVent[t] = form.natvent;
    if (e.DaylightChanged[c] == 1) m.ZoneDaylight[t] = form.dayt;
    if (e.EconChanged[c] == 1) m.ZoneEconCycle[t] = form.econcycle;
  }
  e.FieldChanged[c].fill(0);
  ClearSwitchFlags(e, m.CurrentZone);
}

std::vector<int> AllZones(const model::ProjectModel& m) {
  std::vector<int> zones;
  for (int z = 1; z <= m.ZoneCount && z <= model::kMaxZones; ++z) zones.push_back(z);
  return zones;
}

std::optional<WindowFractions> CheckWindowFractions(const std::array<std::string, 4>& boxes,
                                                    model::MessageBoxes& messages) {
  WindowFractions f;
  bool any = false;
  for (std::size_t e = 0; e < 4; ++e) {
    if (boxes[e].empty() || boxes[e] == " ") continue;
    // "o.4" is no fraction at all, not a fraction 0.
    double v = 0;
    if (!model::ParseNumber(boxes[e], v)) {
      model::WarnNotNumeric(messages);
      return std::nullopt;
    }
    if (!(v >= 0 && v <= 1)) {
      messages.show(kFractionRange, kFractionRangeTitle, MsgIcon::Exclamation);
      return std::nullopt;
    }
    f.entered[e] = true;
    f.value[e] = v;
    any = true;
  }
  if (!any) {
    messages.show(kNoWindowData, kNoWindowDataTitle, MsgIcon::Exclamation);
    return std::nullopt;
  }
  return f;
}

void SizeWindows(model::ProjectModel& m, const WindowFractions& fractions,
                 const std::vector<int>& targets) {
  const auto size = [&](int z) {
    const std::size_t t = At(z);
    const int count = std::min<int>(m.SurfaceCount[t], model::kMaxSurfaces);
    for (int r = 1; r <= count; ++r) {
      if (m.SurfExposure[t][At(r)] > 5) continue;
      for (std::size_t e = 0; e < 4; ++e) {
        if (!fractions.entered[e] || m.SurfOrient[t][At(r)] != 90 * static_cast<int>(e)) continue;
        float area = model::RoundTo(m.SurfWallArea[t][At(r)] * fractions.value[e], 1);
        if (area < 1.0f) area = 0;
        m.SurfWinArea[t][At(r)] = area;
        break;
      }
    }
  };
  for (int z : targets) {
    if (z >= 1 && z <= model::kMaxZones && z != m.CurrentZone) size(z);
  }
  if (m.CurrentZone < 1 || m.CurrentZone > model::kMaxZones) return;
  size(m.CurrentZone);
  const std::size_t c = At(m.CurrentZone);
  const int count = std::min<int>(m.SurfaceCount[c], model::kMaxSurfaces);
  for (int r = 1; r <= count; ++r) {
    m.ZoneEdit.RowWinArea[At(r)] = model::NumberText(m.SurfWinArea[c][At(r)]);
  }
}

CopyZonesLayout CopyZonesLayoutFor(int zoneCount) {
  CopyZonesLayout l;
  if (zoneCount <= kZonesPerColumn) return l;
  l.columns = (zoneCount + kZonesPerColumn - 1) / kZonesPerColumn;
  l.widthTwips = 3000 * l.columns;
  return l;
}

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

}  // namespace kalvano::zones
