#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_layout.h"
#include "frontend/model/weather_stats.h"
#include "runfiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace kalvano::model {
namespace L = layout;

std::string InputHeaderLine(std::string_view seed, int weeksPerMonth, std::string_view tag) {
  std::string s(seed.substr(0, std::min<std::size_t>(seed.size(), 10)));
  s.resize(10, ' ');
  return std::string(L::kFileLabel) + s + IntegerForm(weeksPerMonth) + " " + std::string(tag);
}

std::string NormalizeOutdoorAir(std::string_view field) {
  std::string code(field.substr(0, std::min<std::size_t>(field.size(), 2)));
  for (char& c : code) c = AsciiUpper(c);
  if (code == "CP" || code == "CS" || code == "PA") return code + std::string(field.substr(2));
  return "CP" + std::string(field);
}

bool SwitchOn(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  return i != std::string_view::npos && AsciiUpper(text[i]) == 'Y';
}

namespace {

// How a converted value is written (see the unit-converting writers' table).
enum class Form { B, P, R6, R5, R4, S };
enum class Op { Mul, Div, FToC, CToF };
struct Rule {
  Op op;
  double f;
  int decimals;
  Form form;
};

// A number goes into the file only when it is finite: a value that overflowed its
// conversion fails the save (overflow) instead of writing "Inf".
float writable(float r) {
  if (!std::isfinite(r)) throw FileError(kErrOverflow, "a number that is not finite");
  return r;
}

std::string printed(float r) { return PrintedNumber(writable(r)); }

std::string formText(float r, Form form) {
  writable(r);
  switch (form) {
    case Form::B: return " " + NumberText(r);
    case Form::P: return NumberText(r);
    case Form::R6: return RightAlign(NumberText(r), 6);
    case Form::R5: return RightAlign(NumberText(r), 5);
    case Form::R4: return RightAlign(NumberText(r), 4);
    case Form::S: return printed(r);
  }
  return {};
}

std::string apply(const Rule& rule, double v) {
  double w = v;
  switch (rule.op) {
    case Op::Mul: w = v * rule.f; break;
    case Op::Div: w = v / rule.f; break;
    case Op::FToC: w = (v - 32) / 1.8; break;
    case Op::CToF: w = v * 1.8 + 32; break;
  }
  return formText(RoundTo(w, rule.decimals), rule.form);
}

std::string withoutSignPosition(const std::string& number) {
  return !number.empty() && number.front() == ' ' ? number.substr(1) : number;
}

struct Conversions {
  bool toSI;
  Rule floorArea, conCost;
  int elevationDecimals;
  Rule desTemp, gasCost, waterCost, typeU, typeCost, tempProfile;
  std::array<std::optional<Rule>, 31> zoneField;
  Rule oaPerPerson, oaPerArea, surfArea, surfHeight, gridLength, gridArea;
  std::string_view natVentLabel;
};

Conversions toInchPound() {
  Conversions c{false,
                {Op::Mul, 10.76391, 1, Form::B},
                {Op::Div, 10.76391, 1, Form::B},
                0,
                {Op::CToF, 0, 1, Form::R6},
                {Op::Div, 9.478181, 2, Form::B},
                {Op::Div, 0.264172, 2, Form::B},
                {Op::Mul, 0.1761102, 3, Form::B},
                {Op::Div, 10.76391, 2, Form::B},
                {Op::CToF, 0, 0, Form::R4},
                {},
                {Op::Div, 0.47194744, 1, Form::P},
                {Op::Div, 5.0799972, 3, Form::P},
                {Op::Mul, 10.76391, 1, Form::P},
                {Op::Mul, 3.28084, 1, Form::P},
                {Op::Div, 0.3048, 1, Form::S},
                {Op::Div, 0.09290304, 1, Form::S},
                "CFM/sqft. "};
  c.zoneField[3] = Rule{Op::Mul, 10.76391, 1, Form::P};
  c.zoneField[4] = Rule{Op::Mul, 0.2048161, 1, Form::P};
  c.zoneField[7] = Rule{Op::Mul, 0.264172, 1, Form::P};
  c.zoneField[12] = Rule{Op::Div, 10.76391, 2, Form::P};
  c.zoneField[13] = Rule{Op::Div, 10.76391, 2, Form::P};
  c.zoneField[14] = Rule{Op::Div, 10.76391, 2, Form::P};
  c.zoneField[22] = Rule{Op::Div, 5.0799972, 1, Form::P};
  c.zoneField[24] = Rule{Op::Mul, 3.28084, 1, Form::P};
  c.zoneField[25] = Rule{Op::Mul, 0.09290304, 0, Form::P};
  c.zoneField[26] = Rule{Op::Div, 248.8, 1, Form::P};
  c.zoneField[27] = Rule{Op::Mul, 3.412141, 1, Form::P};
  return c;
}

Conversions toSI() {
  Conversions c{true,
                {Op::Mul, 0.09290304, 0, Form::B},
                {Op::Div, 0.09290304, 0, Form::B},
                1,
                {Op::FToC, 0, 1, Form::R5},
                {Op::Div, 0.1055054762, 2, Form::B},
                {Op::Div, 3.7854125, 2, Form::B},
                {Op::Mul, 5.6782628, 3, Form::P},
                {Op::Div, 0.09290304, 2, Form::P},
                {Op::FToC, 0, 1, Form::R5},
                {},
                {Op::Mul, 0.47194744, 1, Form::P},
                {Op::Mul, 5.0799972, 3, Form::P},
                {Op::Mul, 0.09290304, 1, Form::P},
                {Op::Mul, 0.3048, 1, Form::P},
                {Op::Mul, 0.3048, 2, Form::S},
                {Op::Mul, 0.09290304, 1, Form::S},
                "Litre/sec "};
  c.zoneField[3] = Rule{Op::Mul, 0.09290304, 0, Form::P};
  c.zoneField[4] = Rule{Op::Mul, 4.882428, 1, Form::P};
  c.zoneField[7] = Rule{Op::Mul, 3.7854125, 1, Form::P};
  c.zoneField[12] = Rule{Op::Mul, 10.76391, 2, Form::P};
  c.zoneField[13] = Rule{Op::Mul, 10.76391, 2, Form::P};
  c.zoneField[14] = Rule{Op::Mul, 10.76391, 2, Form::P};
  c.zoneField[22] = Rule{Op::Mul, 5.0799972, 1, Form::P};
  c.zoneField[24] = Rule{Op::Mul, 0.3048, 1, Form::P};
  c.zoneField[25] = Rule{Op::Mul, 10.7639104, 0, Form::P};
  c.zoneField[26] = Rule{Op::Mul, 248.8, 1, Form::P};
  c.zoneField[27] = Rule{Op::Div, 3.412141, 1, Form::P};
  return c;
}

const Conversions& siConversions() {
  static const Conversions kToSI = toSI();
  return kToSI;
}

// The design temperatures must be recomputed before an as-held write: the first is
// missing in a loaded project, or they are marked stale.
bool designTempsStale(const ProjectModel& m) {
  return (m.DesTemps[1].empty() && m.ProjectLoaded == 1) || m.DesTempsValid == 0;
}

std::string labelled(std::string_view label, std::string_view value) {
  return std::string(label) + std::string(value);
}

std::string itemOrZero(const std::string& item) { return item.empty() ? "0.0" : item; }

void writeWeather(ProjectModel& m, AtomicFile& out, const Conversions* cv) {
  out.line("WEATHER");
  if (!cv) {
    for (int i = 1; i <= kWeatherLines; ++i) out.line(m.WeatherBlock[i]);
    return;
  }
  WeatherStatsToIP(m);
  if (cv->toSI) {
    if (designTempsStale(m)) ComputeDesignTemps(m);
    WeatherStatsToSI(m);
  } else if (m.DesTemps[1].empty()) {
    ComputeDesignTemps(m);
  }
  out.line(m.WeatherBlock[1]);
  const std::string& station = m.WeatherBlock[2];
  if (station.size() < 6) throw FileError(5, "weather line 2 is shorter than 6 characters");
  std::string line2 = station.substr(0, station.size() - 6);
  if (line2.size() < 75) line2.resize(75, ' ');
  out.line(line2 + formText(RoundTo(m.Wx.WxElevation, cv->elevationDecimals), Form::B));
  out.line(m.WeatherBlock[3]);
  static constexpr std::array<std::string_view, 8> labels{
      "DB Ave ", "Ave std", "DB Max ", "Max std", "DP Ave ", "DP std ", "SOLAR  ", "WIND   "};
  const std::array<const WeatherStats::Months*, 8> rows{
      &m.Wx.WxDbAve, &m.Wx.WxDbAveStd, &m.Wx.WxDbMax, &m.Wx.WxDbMaxStd,
      &m.Wx.WxDpAve, &m.Wx.WxDpStd,    &m.Wx.WxSolar, &m.Wx.WxWind};
  for (std::size_t r = 0; r < 8; ++r) {
    std::string line(labels[r]);
    for (std::size_t mo = 1; mo <= 12; ++mo)
      line += formText(RoundTo(Val((*rows[r])[mo]), r == 6 ? 0 : 1), Form::R6);
    out.line(line);
  }
}

void writeTypes(AtomicFile& out, std::string_view keyword,
                const std::array<std::string_view, 7>& labels,
                const std::array<const TypeColumn*, 7>& columns, const Conversions* cv) {
  out.line(keyword);
  for (int id = 1; id <= kFileTypeIds; ++id) {
    if ((*columns[0])[id].empty()) continue;
    for (std::size_t k = 0; k < 7; ++k) {
      const std::string& held = (*columns[k])[id];
      std::string value = held;
      if (cv && k == 2) value = apply(cv->typeU, Val(held));
      if (cv && k == 6) value = apply(cv->typeCost, Val(held));
      out.line(labelled(labels[k], value));
    }
  }
  out.line(L::kEndOfList);
}

std::string convertTempProfile(const std::string& values, const Rule& rule) {
  std::string line;
  for (const std::string& v : SplitWords(values)) line += apply(rule, Val(v));
  return line;
}

void writeProfiles(ProjectModel& m, AtomicFile& out, const Conversions* cv) {
  out.line("PROFILES");
  for (int kind = 1; kind <= 5; ++kind) {
    out.line(L::kProfileKindLines[static_cast<std::size_t>(kind)]);
    ProfileKindRef p = ProfileKind(m, kind);
    int last = kind == 5 ? kTempProfiles : kMaxProfileNo;
    for (int n = 1; n <= last; ++n) {
      if (p.marks[n].empty()) continue;
      out.line(p.marks[n]);
      out.line(cv && kind == 5 ? convertTempProfile(p.values[n], cv->tempProfile)
                               : p.values[n]);
    }
    out.line(L::kEndOfProfiles);
  }
}

std::string convertOutdoorAir(const std::string& field, const Conversions& cv) {
  std::string text = NormalizeOutdoorAir(field);
  std::string code = text.substr(0, 2);
  if (code == "PA") return text;
  const Rule& rule = code == "CS" ? cv.oaPerArea : cv.oaPerPerson;
  return code + withoutSignPosition(apply(rule, Val(std::string_view(text).substr(2))));
}

void writeZones(ProjectModel& m, AtomicFile& out, const Conversions* cv) {
  out.line("ZONES");
  for (int z = 1; z <= std::min<int>(m.ZoneCount, kMaxZones); ++z) {
    if (m.ZoneCode[z].empty()) continue;
    auto& data = m.ZoneData[z];
    for (const L::ZoneLine& zl : L::kZoneLines) {
      std::string value;
      std::string_view label = zl.label;
      switch (zl.field) {
        case L::kNatVent: value = m.ZoneNatVent[z]; break;
        case L::kDaylight:
          value = m.ZoneDaylight[z];
          if (SwitchOn(value)) m.DaylightUsed = 1;
          break;
        case L::kEconCycle: value = m.ZoneEconCycle[z]; break;
        default: {
          std::string& field = data[static_cast<std::size_t>(zl.field)];
          if (zl.field == L::kOutdoorAirField) {
            if (cv) {
              value = convertOutdoorAir(field, *cv);
            } else {
              field = NormalizeOutdoorAir(field);
              value = field;
            }
          } else if (cv && cv->zoneField[static_cast<std::size_t>(zl.field)]) {
            value = apply(*cv->zoneField[static_cast<std::size_t>(zl.field)], Val(field));
          } else {
            value = field;
          }
          if (cv && zl.field == 22) label = cv->natVentLabel;
        }
      }
      out.line(labelled(label, value));
    }
    for (int r = 1; r <= std::min<int>(m.SurfaceCount[z], kMaxSurfaces); ++r) {
      auto real = [&](float v, const Rule* rule) {
        return cv && rule ? apply(*rule, v) : printed(v);
      };
      const Rule* area = cv ? &cv->surfArea : nullptr;
      // A window area of 1.0 or less is a fraction of the wall (the engine's reading), which
      // no unit conversion changes.
      const float win = m.SurfWinArea[z][r];
      const Rule* winArea = win > 0.0f && win <= 1.0f ? nullptr : area;
      const Rule* height = cv ? &cv->surfHeight : nullptr;
      const std::array<std::string, 14> values{
          IntegerForm(m.SurfWallId[z][r]),   real(m.SurfWallArea[z][r], area),
          IntegerForm(m.SurfOrient[z][r]),   IntegerForm(m.SurfExposure[z][r]),
          m.SurfShade[z][r],                 IntegerForm(m.SurfWindowId[z][r]),
          real(win, winArea),                printed(m.SurfSlope[z][r]),
          m.SurfSWB[z][r],                   IntegerForm(m.SurfBlind[z][r]),
          printed(m.SurfDiffTrans[z][r]),    real(m.SurfSillHt[z][r], height),
          real(m.SurfWinTop[z][r], height),  printed(m.SurfGrndRefl[z][r])};
      for (std::size_t k = 0; k < 14; ++k) out.line(labelled(L::kSurfaceLabels[k], values[k]));
    }
    out.line(L::kEndOfList);
  }
}

// Copies the sketch level by level, converting the lengths and areas of each level's
// header lines.
void convertMatrix(const std::vector<std::string>& lines, AtomicFile& out,
                   const Conversions& cv, int gridRows) {
  std::size_t i = 0;
  while (i < lines.size()) {
    for (int h = 1; h <= 6; ++h) {
      if (i >= lines.size()) return;
      if (!cv.toSI && i + 1 == lines.size()) return;
      const std::string& l = lines[i++];
      std::string line = l.substr(0, std::min<std::size_t>(l.size(), 13));
      std::string_view from15 = l.size() > 14 ? std::string_view(l).substr(14) : "";
      if (h == 1 || h == 4) line += apply(cv.gridLength, Val(from15));
      else if (h == 5 || h == 6) line += apply(cv.gridArea, Val(from15));
      else if (l.size() > 13) line += l.substr(13);
      out.line(line);
    }
    int names = 0;
    while (i < lines.size() && lines[i].rfind("Zone", 0) == 0) {
      out.line(lines[i++]);
      ++names;
    }
    int rows = names == 10 ? 31 : (cv.toSI ? gridRows : 60);
    for (int r = 0; r < rows && i < lines.size(); ++r) out.line(lines[i++]);
  }
}

void buildBody(ProjectModel& m, AtomicFile& out, const Conversions* cv,
               const std::vector<std::string>& matrix) {
  for (int i = 0; i < kProjectItems; ++i) {
    const std::string& item = m.ProjectData[i];
    std::string value = itemOrZero(item);
    if (cv && !item.empty() && i == 8) value = apply(cv->floorArea, Val(item));
    if (cv && !item.empty() && i == 9) value = apply(cv->conCost, Val(item));
    out.line(labelled(L::kProjectLabels[static_cast<std::size_t>(i)], value));
  }
  writeWeather(m, out, cv);
  if (!cv && designTempsStale(m)) {
    WeatherStatsToIP(m);
    ComputeDesignTemps(m);
  }
  std::string des = "DesTemps  ";
  for (int k = 1; k <= 3; ++k)
    des += (cv ? apply(cv->desTemp, Val(m.DesTemps[k])) : m.DesTemps[k]) + " ";
  out.line(des);
  out.line("ECONOMICS");
  for (int i = 0; i < kEconItems; ++i) {
    const std::string& item = m.EconData[i];
    std::string value = itemOrZero(item);
    if (cv && !item.empty() && i == 7) value = apply(cv->gasCost, Val(item));
    if (cv && !item.empty() && i == 9) value = apply(cv->waterCost, Val(item));
    out.line(labelled(L::kEconLabels[static_cast<std::size_t>(i)], value));
  }
  int rows = std::clamp<int>(m.DemChgCount, 0, kMaxDemandRows);
  if (rows == 0) {
    out.line("DemCharge  N");
  } else {
    out.line("DemCharge " + m.DemChgSwitch);
    std::string rate = "DemChgRate";
    for (int j = 1; j <= rows; ++j) rate += " " + m.DemChgKw[j] + " " + m.DemChgCost[j];
    out.line(rate);
  }
  writeTypes(out, "WALL AND ROOF PROPERTIES", L::kWallLabels,
             {&m.WallId, &m.WallDesc, &m.WallU, &m.WallAbs, &m.WallLag, &m.WallDecr,
              &m.WallCost},
             cv);
  writeTypes(out, "WINDOW PROPERTIES", L::kWindowLabels,
             {&m.WinId, &m.WinDesc, &m.WinU, &m.WinShgc, &m.WinEmiss, &m.WinDlTrans,
              &m.WinCost},
             cv);
  writeProfiles(m, out, cv);
  writeZones(m, out, cv);
  out.line("BUILDING MATRIX");
  if (cv) {
    convertMatrix(matrix, out, *cv, m.GridRows);
  } else {
    for (const std::string& l : matrix) out.line(l);
  }
}

const Conversions* conversionsOf(BodyWriter body) {
  static const Conversions ip = toInchPound();
  switch (body) {
    case BodyWriter::AsHeld: return nullptr;
    case BodyWriter::ToInchPound: return &ip;
    case BodyWriter::ToSI: return &siConversions();
  }
  return nullptr;
}

bool writeBody(ProjectModel& m, AtomicFile& out, BodyWriter body) {
  // A missing sketch fails the save before anything is replaced.
  const std::vector<std::string> matrix = ReadFileLines(AppPath(m, files::kBuildingMatrix));
  buildBody(m, out, conversionsOf(body), matrix);
  out.commit();
  if (m.EndAfterSave != 1) return false;
  m.ProjectLoaded = 1;
  KillTempZoneFiles(m);
  return true;
}

}  // namespace

std::string DesignTempForRun(double value, int unitSystem) {
  return unitSystem == kSI ? apply(toInchPound().desTemp, value) : DecimalText(value);
}

std::string OutdoorAirInSI(std::string_view field) {
  return convertOutdoorAir(std::string(field), siConversions());
}

std::string FloorAreaInSI(std::string_view area) {
  return apply(siConversions().floorArea, Val(area));
}

bool WriteInputFile(ProjectModel& m, AtomicFile& out) { return writeBody(m, out, BodyWriter::AsHeld); }

bool WriteInputFileIP(ProjectModel& m, AtomicFile& out) {
  return writeBody(m, out, BodyWriter::ToInchPound);
}

bool WriteInputFileSI(ProjectModel& m, AtomicFile& out) { return writeBody(m, out, BodyWriter::ToSI); }

void BuildInputBody(ProjectModel& m, AtomicFile& out, BodyWriter body,
                    const std::vector<std::string>& matrix) {
  buildBody(m, out, conversionsOf(body), matrix);
}

bool WriteProjectFile(ProjectModel& m, const std::string& path, std::string_view tag,
                      BodyWriter body) {
  AtomicFile out(ResolvePath(m, path));
  out.line(InputHeaderLine(m.WeatherSeed, m.WeeksPerMonth, tag));
  switch (body) {
    case BodyWriter::AsHeld: return WriteInputFile(m, out);
    case BodyWriter::ToInchPound: return WriteInputFileIP(m, out);
    case BodyWriter::ToSI: return WriteInputFileSI(m, out);
  }
  return false;
}

std::string ResolvePath(const ProjectModel& m, const std::string& name) {
  if (!name.empty() && name.front() == '/') return name;
  return AppPath(m, name);
}

}  // namespace kalvano::model
