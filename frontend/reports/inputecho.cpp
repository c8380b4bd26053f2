#include "frontend/reports/inputecho.h"

#include <array>
#include <cmath>
#include <ctime>
#include <vector>

#include "common/freescan.h"
#include "common/stationrange.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/run/reportassembler.h"
#include "runfiles.h"

namespace kalvano::reports {

namespace {

using model::NumberText;
using model::RoundTo;
using model::Val;

int& PageNumber() {
  static int page = 0;
  return page;
}

TimeOfDayClock& Clock() {
  static TimeOfDayClock clock;
  return clock;
}

std::string SystemTimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

// Mid(text, start, length) with 1-based start: what the text holds of that range.
std::string Mid(std::string_view text, std::size_t start, std::size_t length = std::string::npos) {
  if (start < 1 || start > text.size()) return {};
  return std::string(text.substr(start - 1, length));
}

// A rounded value as a number text.
std::string Rounded(double value, int decimals) { return NumberText(RoundTo(value, decimals)); }

// The entry of a 0..50 table for an id that may lie outside it (then empty).
const std::string& Entry(const model::TypeColumn& column, int id) {
  static const std::string kNone;
  return id >= 0 && id <= model::kMaxTypeId ? column[static_cast<std::size_t>(id)] : kNone;
}

// The name of a value in a table of names 1..n; a value outside it names nothing.
template <std::size_t N>
std::string NameOf(const std::array<const char*, N>& names, double value) {
  if (value != std::floor(value) || value < 1 || value > static_cast<double>(N)) return {};
  return names[static_cast<std::size_t>(value) - 1];
}

constexpr std::array<const char*, 9> kCoolingNames{
    "V.A.V. SYSTEM", "DBL.DUCT SYSTEM", "MLT.ZONE SYSTEM", "FAN COIL UNITS", "ROOF TOP SGL.ZONE",
    "DX SPLIT SYSTEM", "DX HEAT PUMP", "DX WINDOW RES.", "EVAP. COOLER"};
constexpr std::array<const char*, 3> kHeatingNames{"GAS", "ELEC. RES.", "HEAT PUMP"};
constexpr std::array<const char*, 6> kLightingNames{"FLUORESCENT", "INCANDESCENT", "H.P.S",
                                                    "L.P.S",       "HALOGEN",      "MERCURY"};
constexpr std::array<const char*, 7> kExposureWords{"ASPHALT", "CONCRETE", "GRASS", "TREES",
                                                    "WATER",   "ROOF",     "U-GROUND"};
constexpr std::array<const char*, 5> kProfileKindNames{"Occupancy", "Hot Water", "Ventilation",
                                                       "Lights", "Temperatures"};
constexpr std::array<const char*, 7> kWeekdayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};

std::string ExposureWord(int exposure) {
  if (exposure < 1) return {};
  return kExposureWords[static_cast<std::size_t>(exposure > 6 ? 7 : exposure) - 1];
}

// The 24 hourly values of a profile text: runs of non-blank characters, at most 24; hours
// the text does not reach are empty.
std::array<std::string, 24> HourValues(std::string_view text) {
  std::array<std::string, 24> hours;
  std::size_t n = 0;
  std::size_t p = 0;
  while (n < hours.size()) {
    p = text.find_first_not_of(' ', p);
    if (p == std::string_view::npos) break;
    const std::size_t e = text.find(' ', p);
    hours[n++] = std::string(text.substr(p, e == std::string_view::npos ? e : e - p));
    if (e == std::string_view::npos) break;
    p = e;
  }
  return hours;
}

// The envelope sums of a zone or of the building.
struct Envelope {
  double roofUA = 0, roofArea = 0, roofGlass = 0, wallUA = 0, wallArea = 0, wallGlass = 0;
  void Add(const Envelope& e) {
    roofUA += e.roofUA;
    roofArea += e.roofArea;
    roofGlass += e.roofGlass;
    wallUA += e.wallUA;
    wallArea += e.wallArea;
    wallGlass += e.wallGlass;
  }
  Envelope RoundedToTenths() const {
    return {RoundTo(roofUA, 1), RoundTo(roofArea, 1), RoundTo(roofGlass, 1),
            RoundTo(wallUA, 1), RoundTo(wallArea, 1), RoundTo(wallGlass, 1)};
  }
};

// The figures of one compliance block, building or zone.
struct Compliance {
  Envelope env;
  double watts = 0, area = 0, vent = 0, occupants = 0;
  bool zone = false;
};

// The outdoor-air field as the engine reads it: the code ("CP", "CS", "PA"; a field
// without one is a rate per person) and the rate after it.
struct OutdoorAir {
  std::string code;
  double rate = 0;
};
OutdoorAir ReadOutdoorAir(std::string_view field) {
  const std::string normal = model::NormalizeOutdoorAir(field);
  return {normal.substr(0, 2), Val(Mid(normal, 3))};
}

}  // namespace

void SetEchoClock(TimeOfDayClock clock) { Clock() = std::move(clock); }

int ReportPageNo() { return PageNumber(); }

std::string ProfileMissingTitle(int kind) {
  return std::string(kProfileKindNames.at(static_cast<std::size_t>(kind - 1))) +
         " profile missing!";
}

std::string ProfileMissingText(int kind, const std::string& zoneCode) {
  return "The profile number for " +
         std::string(kProfileKindNames.at(static_cast<std::size_t>(kind - 1))) +
         " has not been clicked in zone " + zoneCode +
         ".  Return to zone description and check profiles.";
}

InputEcho::InputEcho(const model::ProjectModel& m, ReportPage& out, TimeOfDayClock clock)
    : m_(m), out_(out), clock_(clock ? std::move(clock) : TimeOfDayClock(SystemTimeOfDay)) {}

void InputEcho::PrintRule() { out_.Rule(); }

void InputEcho::PrintDashLine(int kind) { out_.DashLine(kind); }

void InputEcho::WriteReportBanner() {
  PrintRule();
  out_.Blank();
  out_.At(20)
      .Put(shell::kReportBanner)
      .End()
      .Blank();
  out_.At(50).Put("*** Simulation Engine Version 64 ***").End().Blank();
  for (const char* line :
       {"Kalvano building energy analysis", "The Kalvano project",
        "Free software: you may use, copy and modify it", "under the licence of its source code.",
        "Contact: the Kalvano project's issue tracker", " ",
        "Provided as is, without warranty of any kind."}) {
    out_.At(50).Put(line).End();
  }
  out_.Blank();
}

void InputEcho::WriteRunHeader() {
  const model::RunData& run = m_.Run;
  out_.Blank();
  PrintRule();
  out_.Blank();
  out_.At(50).Put("SUMMARY OF SIMULATION PERIOD:").End().Blank();
  if (run.WeatherFormat > 0) {
    out_.At(50).Put("This run uses real weather data recorded").End();
    out_.At(50).Put("for the period of " + run.RunPeriod[1] + " to " + run.RunPeriod[2] + ".").End();
  } else if (run.WeatherFormat == 0) {
    out_.At(50).Put("Simulation period is: " + run.RunPeriod[1] + " to " + run.RunPeriod[2] + ".").End();
  }
  const std::string weeks = NumberText(m_.WeeksPerMonth);
  out_.At(50).Put("Weeks per month simulated will be " + weeks.substr(weeks.size() - 1) + ".").End();
  if (run.SkippedMonthCount >= 1) {
    out_.At(30).Put("Unoccupied months are: ");
    const int count = std::min<int>(run.SkippedMonthCount, 12);
    for (int i = 1; i <= count; ++i) {
      out_.Put(run.SkippedMonths[static_cast<std::size_t>(i)]).Put(i < count ? ", " : ".");
    }
    out_.End();
  }
  out_.Blank();
  const std::string weekday = NameOf(kWeekdayNames, run.Jan1Weekday);
  out_.At(50).Put("Year " + run.AnalysisYear + " begins on " + weekday + ".").End();
}

void InputEcho::NewPage() {
  PageNumber() = ++pageNo_;
  out_.At(115).Put("... PAGE " + model::IntegerForm(pageNo_) + "...").End().Blank();
}

void InputEcho::WritePageHeader() {
  const auto& p = m_.ProjectData;
  out_.Put("*** PROJECT: " + p[1]).At(88).Put("LOCATION: " + p[3]).End();
  out_.Put("    DESCRIPTION: " + p[2]).At(88).Put("Design Phase: " + p[4]).End();
  out_.Put("    SCHEME: " + p[5]).At(35).Put("TYPE: " + p[0]).At(60).Put("Weather Year: " + p[6]);
  out_.At(88).Put("Date of Run: " + m_.TodayText + ", " + clock_()).End();
}

void InputEcho::WriteWeatherInputReport() {
  PageNumber() = ++pageNo_;
  PrintRule();
  out_.Blank();
  out_.Put(" DATE: ").At(16).Put(m_.TodayText + ", " + clock_()).End().Blank();
  out_.Put(" ANALYSIS FOR: ");
  for (std::size_t i = 1; i <= 4; ++i) out_.At(16).Put(m_.ProjectData[i]).End();
  out_.Blank();
  PrintRule();
  const std::string& station = m_.WeatherBlock[2];
  out_.At(4).Put("LOCATION: " + Mid(m_.ProjectData[3], 1, 32));
  out_.At(47).Put(Mid(station, 57, 5) + " DEG. N. LAT.");
  out_.At(90).Put(Mid(station, 63, 5) + " DEG. W. LONGITUDE").End();
  out_.At(47).Put(Mid(station, 69, 5) + " DEG. TIME ZONE");
  // The elevation where the simulation reads it: from column 74 as the weather window writes
  // it, from column 76 in a project saved in the other unit system.
  out_.At(91).Masked(Rounded(Val(freescan::StationField(station, kalvano::station::kElevation)), 1), 8);
  out_.Put(Units(" FT. ABOVE SEA LEVEL", " M.  ABOVE SEA LEVEL")).End();
  out_.Blank();
  out_.At(4).Put("WEATHER INPUT DATA ....").End();
  out_.At(49).Put("JAN   FEB   MAR   APR   MAY   JUN   JUL   AUG   SEP   OCT   NOV   DEC").End();
  out_.At(49).Put("---   ---   ---   ---   ---   ---   ---   ---   ---   ---   ---   ---").End();
  auto row = [this](int column, const char* caption, int line) {
    out_.At(column).Put(caption).At(47).Put(Mid(m_.WeatherBlock[static_cast<std::size_t>(line)], 9)).End();
  };
  row(9, "AVERAGE DRY BULB TEMPERATURES....", 4);
  row(19, "STANDARD DEVIATIONS....", 5);
  out_.Blank();
  row(9, "AVERAGE DAILY MAX TEMPERATURES....", 6);
  row(19, "STANDARD DEVIATIONS....", 7);
  out_.Blank();
  row(9, "AVERAGE DEWPOINT TEMPERATURES....", 8);
  row(19, "STANDARD DEVIATIONS....", 9);
  out_.Blank();
  if (SI()) {
    out_.At(9).Put("AVERAGE DAILY SOLAR WATT PER").End();
    row(12, "SQ.M. OF HORIZONTAL SURFACE", 10);
  } else {
    out_.At(9).Put("AVERAGE DAILY SOLAR BTUS PER").End();
    row(11, "SQ.FT. OF HORIZONTAL SURFACE", 10);
  }
  out_.Blank();
  row(9, "AVERAGE WIND VELOCITY ....", 11);
  out_.Blank();
  PrintRule();
}

void InputEcho::WriteEconomicsReport() {
  NewPage();
  WritePageHeader();
  PrintRule();
  out_.Blank(2);
  out_.At(5).Put("ECONOMIC DATA ...").End();
  out_.At(80).Put("ELECTRIC").At(96).Put("GAS").At(113).Put("WATER").End();
  out_.At(9).Put("PROJECT LIFE  HVAC LIFE  SOLAR LIFE  DISCOUNT  BLDG. & MAINT COST");
  out_.At(75).Put(" $ PER  ESCALA-  $ PER  ESCALA-  $ PER  ESCALA-").End();
  out_.At(9).Put("   (YRS)        (YRS)       (YRS)      RATE         ESCALATION    ");
  out_.At(75).Put(Units(" KWH     TION    THERM   TION  1000 GAL  TION  ",
                        " KWH     TION     GJ     TION  1000 LIT  TION  ")).End();
  const std::string dashes(113, '-');
  out_.At(9).Put(dashes).End();
  constexpr std::array<int, model::kEconItems> kColumns{13, 25, 37, 47, 63, 75, 83, 92, 99, 106, 115};
  for (std::size_t i = 0; i < kColumns.size(); ++i) out_.At(kColumns[i]).Put(m_.EconData[i]);
  out_.End().Blank();
  out_.At(9).Put("ECONOMIC MODEL BEGINS IN YEAR " + m_.ProjectData[6]).End();
  out_.At(9).Put(dashes).End().Blank(2);
  PrintRule();
  out_.Blank();
  out_.At(5).Put("ELECTRIC DEMAND CHARGE SCHEDULE ...").End().Blank(2);
  if (m_.DemChgCount != 0) {
    out_.At(5).Put("KW INCREMENT").At(24).Put("COST PER KW ($)").End();
    out_.At(5).Put("------------").At(24).Put("---------------").End();
    const int rows = std::min<int>(m_.DemChgCount, model::kMaxDemandRows);
    for (int i = 1; i <= rows; ++i) {
      const auto r = static_cast<std::size_t>(i);
      out_.At(7).Put(m_.DemChgKw[r] + " kW").At(27).Put("$" + m_.DemChgCost[r] + "/kW").End();
    }
    out_.At(5).Put("----------------------------------").End();
  } else {
    out_.At(5)
        .Put("A demand rate schedule was not entered.  Electric costs will be based on " +
             m_.EconData[5] + " per kWh.")
        .End();
  }
  out_.Blank(3);
  PrintRule();
  out_.Blank();
  AppendTcoolTable();
}

void InputEcho::AppendTcoolTable() {
  const std::vector<std::string> lines = model::SplitLines(
      model::ReadWholeFile(model::AppPath(m_, files::kCoolingDbFromBase)));
  for (const std::string& line : lines) out_.Put(line).End();
  out_.Blank();
  PrintRule();
}

void InputEcho::PrintTypeRows(const model::TypeColumn* const (&c)[7]) {
  for (std::size_t id = 1; id <= static_cast<std::size_t>(model::kFileTypeIds); ++id) {
    if ((*c[0])[id].empty()) continue;
    out_.At(10).Put((*c[0])[id]).At(17).Put((*c[1])[id]);
    out_.At(52).Masked((*c[2])[id], 6).At(63).Masked((*c[3])[id], 5);
    out_.At(73).Masked((*c[4])[id], 5).At(85).Masked((*c[5])[id], 5);
    out_.At(99).Masked((*c[6])[id], 6).End();
  }
  out_.Blank(2);
}

void InputEcho::PrintMaterialRows() {
  PrintTypeRows({&m_.WallId, &m_.WallDesc, &m_.WallU, &m_.WallAbs, &m_.WallLag, &m_.WallDecr,
                 &m_.WallCost});
}

void InputEcho::PrintWindowRows() {
  PrintTypeRows({&m_.WinId, &m_.WinDesc, &m_.WinU, &m_.WinShgc, &m_.WinEmiss, &m_.WinDlTrans,
                 &m_.WinCost});
}

void InputEcho::WriteCatalogReport() {
  const std::string dashes(114, '-');
  NewPage();
  WritePageHeader();
  PrintRule();
  out_.Blank();
  out_.At(5).Put("MATERIAL DESCRIPTIONS CATALOG:").End();
  out_.At(5).Put(dashes).End();
  out_.At(9).Put("MATL").At(53).Put("U-").At(63).Put("SOLAR").At(74).Put("TIME");
  out_.At(83).Put("DECREMENT").At(99).Put("COST").End();
  out_.At(10).Put("ID").At(17).Put("NAME").At(51).Put("FACTOR").At(60).Put("ABSORPTIVITY");
  out_.At(74).Put("LAG").At(84).Put("FACTOR").At(97).Put(Units("($/SQ.FT)", "($/SQ.M.)")).End();
  out_.At(5).Put(dashes).End().Blank();
  PrintMaterialRows();
  PrintRule();
  out_.Blank();
  out_.At(5).Put("WINDOW DESCRIPTIONS CATALOG:").End();
  out_.At(5).Put(dashes).End();
  out_.At(9).Put("WINDOW").At(53).Put("U-").At(61).Put("SOLAR HT.").At(84).Put("DAYLIGHT");
  out_.At(99).Put("COST").End();
  out_.At(10).Put("ID").At(17).Put("NAME").At(51).Put("FACTOR").At(61).Put("GN. COEF.");
  out_.At(71).Put("EMISSIVITY").At(85).Put("TRANS.").At(97).Put(Units("($/SQ.FT.)", "($/SQ.M.)")).End();
  out_.At(5).Put(dashes).End().Blank();
  PrintWindowRows();
  PrintRule();
}

void InputEcho::WriteLightShelfReport() {
  if (m_.DaylightUsed != 1) return;
  NewPage();
  WritePageHeader();
  PrintRule();
  out_.Blank();
  const std::vector<std::string> lines = model::SplitLines(model::ReadWholeFile(
      model::AppPath(m_, std::string(files::kTempDir) + "/" + std::string(files::kLightShelf)), model::NameKind::Fixed));
  std::size_t next = 0;
  auto copy = [&](int count) {
    for (int i = 0; i < count; ++i) {
      if (next >= lines.size())
        throw model::FileError(model::kErrPastEndOfFile, "the light-shelf table ends early");
      out_.At(5).Put(lines[next++]).End();
    }
  };
  copy(22);
  copy(22);
  out_.Blank();
  out_.At(55).Put("(Continued)").End();
  out_.FormFeed();
  NewPage();
  WritePageHeader();
  PrintRule();
  out_.Blank();
  copy(22);
  out_.Blank();
  PrintRule();
  out_.FormFeed();
}

InputEcho::Missing InputEcho::WriteProjectEcho() {
  const model::ProjectModel& m = m_;
  const bool si = SI();

  // The sketch's levels: all their floors, and the room height of the last one.
  double totalFloors = 0;
  int lastRoomHeight = 0;
  {
    const std::vector<std::string> lines =
        model::SplitLines(model::ReadWholeFile(model::AppPath(m, files::kBuildingMatrix)));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].compare(0, 11, "No. of Flrs") != 0) continue;
      totalFloors += Val(Mid(lines[i], 14));
      if (++i >= lines.size())
        throw model::FileError(model::kErrPastEndOfFile, "the sketch file ends early");
      lastRoomHeight = static_cast<int>(model::ValRoundEven(Mid(lines[i], 14)));
    }
  }

  NewPage();
  out_.Put("I.  P R O J E C T   A N D   B U I L D I N G   D A T A").End();
  out_.Put("    -------------------------------------------------").End();
  WritePageHeader();
  out_.Blank();
  out_.At(5).Put("BUILDING DATA .....").End().Blank();
  out_.At(9).Put("FLOOR AREA").At(22).Put("CONST. COST").At(36).Put("OCC. DAYS").At(48).Put("ANNUAL");
  out_.At(62).Put("EXTERIOR LIGHTING KW and HRS PER DAY..").At(108).Put("NO. OF").End();
  out_.At(10).Put(si ? "(SQ.M.)" : "(SQ.FT.)").At(23).Put(si ? "($/SQ.M.)" : "($/SQ.FT.)");
  out_.At(36).Put("PER WEEK").At(48).Put("HOLIDAYS");
  out_.At(62).Put("KW1--Hrs/Day    KW2--Hrs/Day    KW3--Hrs/Day").At(108).Put("FLOORS").End();
  PrintDashLine(2);
  out_.Blank();
  out_.At(9).Masked(Rounded(m.FloorArea, 1), 11);
  out_.At(22).Masked(Rounded(Val(m.ProjectData[9]), 2), 12);
  out_.At(36).Masked(Rounded(Val(m.ProjectData[10]), 1), 10);
  out_.At(48).Masked(Rounded(Val(m.ProjectData[11]), 1), 8);
  out_.At(59).Put("    0.0    0.0      0.0    0.0      0.0   0.0");
  out_.At(110).Number(static_cast<float>(totalFloors)).End();
  PrintDashLine(2);
  out_.Blank();
  out_.At(5).Put("CODE COMPLIANCE CHECKING INFORMATION:").End().Blank();

  // Envelope, lighting and ventilation sums of the zones in use.
  std::array<Envelope, model::kMaxZones + 1> zoneEnv{};
  std::array<double, model::kMaxZones + 1> zoneVent{};
  Compliance bldg;
  const int zoneCount = std::min<int>(m.ZoneCount, model::kMaxZones);
  for (int z = 1; z <= zoneCount; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    if (m.ZoneFloorArea[zi] == 0) continue;
    const auto& data = m.ZoneData[zi];
    Envelope& e = zoneEnv[zi];
    const int rows = std::min<int>(m.SurfaceCount[zi], model::kMaxSurfaces);
    for (int r = 1; r <= rows; ++r) {
      const auto ri = static_cast<std::size_t>(r);
      const double a = m.SurfWallArea[zi][ri];
      const double g = m.SurfWinArea[zi][ri];
      const double uw = Val(Entry(m.WallU, m.SurfWallId[zi][ri]));
      const double ug = Val(Entry(m.WinU, m.SurfWindowId[zi][ri]));
      const int exposure = m.SurfExposure[zi][ri];
      if (exposure > 6) continue;
      double& area = exposure == 6 ? e.roofArea : e.wallArea;
      double& ua = exposure == 6 ? e.roofUA : e.wallUA;
      double& glass = exposure == 6 ? e.roofGlass : e.wallGlass;
      area += a;
      ua += (a - g) * uw;
      if (m.SurfWindowId[zi][ri] > 0) ua += g * ug;
      glass += g;
    }
    bldg.env.Add(e);
    bldg.watts += Val(data[3]) * Val(data[13]);
    const OutdoorAir air = ReadOutdoorAir(data[9]);
    const double factor = air.code == "CS"   ? Val(data[3])
                          : air.code == "PA" ? Val(data[3]) / 100
                                             : Val(data[5]);
    zoneVent[zi] = air.rate * factor;
    bldg.vent += zoneVent[zi];
    bldg.occupants += Val(data[5]);
  }
  bldg.env = bldg.env.RoundedToTenths();
  bldg.watts = RoundTo(bldg.watts, 1);
  bldg.vent = RoundTo(bldg.vent, 1);
  bldg.area = RoundTo(m.FloorArea, 0);

  // One compliance block; a line whose divisor is 0 is left out.
  auto compliance = [this, si](const Compliance& c) {
    const Envelope& e = c.env;
    auto n = [](double v) { return static_cast<float>(v); };
    out_.At(7).Put("Total Envelope:").End();
    if (si) {
      out_.At(10).Put("UA(Watts/deg.K)").At(30).Put("Area(sq.m.)").At(50).Put("U-ave(Watts/sq.m./deg.K)").End();
    } else {
      out_.At(10).Put("UA(Btu/hr/deg.F)").At(30).Put("Area(sq.ft.)").At(50).Put("U-ave(Btu/hr/sq.ft./deg.F)").End();
    }
    out_.At(10).Put("----------------").At(30).Put("------------").At(50).Put("--------------------------").End();
    if (e.roofArea > 0) {
      out_.At(10).Put("Roof UA=").Number(n(e.roofUA)).At(30).Put("Roof A=").Number(n(e.roofArea));
      out_.At(50).Put("Ur=").Number(RoundTo(e.roofUA / e.roofArea, 3)).End();
      out_.At(30).Put("Glass A=").Number(n(e.roofGlass));
      out_.At(50).Put("% Glass=").Number(RoundTo(e.roofGlass * 100 / e.roofArea, 1)).End();
    }
    if (e.wallArea > 0) {
      out_.At(10).Put("Wall UA=").Number(n(e.wallUA)).At(30).Put("Wall A=").Number(n(e.wallArea));
      out_.At(50).Put("Uw=").Number(RoundTo(e.wallUA / e.wallArea, 3)).End();
      out_.At(30).Put("Glass A=").Number(n(e.wallGlass));
      out_.At(50).Put("% Glass=").Number(RoundTo(e.wallGlass * 100 / e.wallArea, 1)).End();
    }
    const double envArea = e.roofArea + e.wallArea;
    if (envArea > 0) {
      const double envUA = e.roofUA + e.wallUA;
      out_.At(10).Put("Env  UA=").Number(n(envUA)).At(30).Put("Env  A=").Number(n(envArea));
      out_.At(50).Put("Uo=").Number(RoundTo(envUA / envArea, 3)).End();
    }
    out_.Blank();
    out_.At(7).Put("Lighting:").End();
    out_.At(10).Put(c.zone ? "Total Zone Watts =" : "Total Bldg Watts =").Number(n(c.watts)).End();
    out_.At(10).Put(c.zone ? "Zone Floor Area  =" : "Bldg Floor Area  =").Number(n(c.area));
    out_.Put(si ? "Sq.m." : "Sq.Ft.").End();
    if (c.area > 0) {
      out_.At(10).Put("LPD (LtgPwrDens) =").Number(RoundTo(c.watts / c.area, 2));
      out_.Put(si ? "W/sq.m." : "W/sq.ft.").End();
    }
    out_.Blank();
    out_.At(7).Put("Ventilation Rate:").End();
    out_.At(10).Put("Total Design Cap.=").Number(n(c.vent)).Put(si ? "L/s" : "CFM").End();
    out_.At(10).Put("Total Occupancy  =").Number(n(c.occupants)).Put("people").End();
    if (c.occupants > 0) {
      out_.At(10).Put("Rate per person  =").Number(RoundTo(c.vent / c.occupants, 2));
      out_.Put(si ? "L/s/person" : "CFM/person").End();
    }
    if (c.area > 0) {
      out_.At(10).Put("Rate per FlrArea =").Number(RoundTo(c.vent / c.area, 3));
      out_.Put(si ? "L/s/sq.m." : "CFM/sq.ft.").End();
    }
    out_.Blank();
    PrintDashLine(2);
  };
  compliance(bldg);

  out_.Put("II.  Z O N E - B Y - Z O N E   P R O P E R T I E S").End();
  out_.Put("     ---------------------------------------------").End();

  const std::array<const model::ProfileColumn*, 5> marks{nullptr, &m.OccProfNo, &m.HwProfNo,
                                                         &m.VentProfNo, &m.LiteProfNo};
  const std::array<const model::ProfileColumn*, 5> values{nullptr, &m.OccProfile, &m.HwProfile,
                                                          &m.VentProfile, &m.LiteProfile};
  for (int z = 1; z <= zoneCount; ++z) {
    const auto zi = static_cast<std::size_t>(z);
    if (m.ZoneFloorArea[zi] == 0) continue;
    const auto& f = m.ZoneData[zi];
    NewPage();
    WritePageHeader();
    out_.Blank();
    PrintDashLine(2);

    out_.At(5).Put("ZONE").At(11).Put(f[1]).At(15).Put(f[2]);
    out_.At(39).Put("NATURAL VENT.=").At(54).Put(m.ZoneNatVent[zi]).At(59).Put(f[22]).Put(si ? "L/S" : "CFM");
    out_.At(70).Put("CEIL.HT.=").At(80).Masked(Rounded(lastRoomHeight, 1), 4).Put(si ? " M." : " FT");
    out_.At(90).Put("INF.RATE=").At(100).Put(f[23] + " AC/HR");
    out_.At(114).Put("DAYLIGHTING=" + m.ZoneDaylight[zi]).End();
    out_.Blank();
    out_.At(9).Put("FLOOR AREA").At(22).Put("INT. MASS").At(34).Put("HVAC SYSTEM TYPE").At(54).Put("ECONO-");
    out_.At(64).Put("SYSTEM COST").At(80).Put("H.W. FUEL").At(93).Put("SPACE HEAT");
    out_.At(107).Put("LIGHTING SYSTEM & COST").End();
    out_.At(10).Put(si ? "(SQ.M.)" : "(SQ.FT.)").At(21).Put(si ? "(KG/SQ.M.)" : "(LB/SQ.FT.)");
    out_.At(34).Put(si ? "(COP & FAN S.P.)" : "(SEER & FAN S.P.)").At(54).Put("MIZER").At(66).Put("($/TON)");
    out_.At(80).Put("(C.O.P.)").At(94).Put("(C.O.P.)").At(107).Put("TYPE").At(121).Put(si ? "$/SQ.M." : "$/SQ.FT.").End();
    PrintDashLine(2);

    const double coolType = Val(f[20]);
    const std::string cooling = NameOf(kCoolingNames, coolType);
    const std::string heating = NameOf(kHeatingNames, Val(f[21]));
    const std::string spaceHeat = coolType == 7 ? "HEAT PUMP" : heating;
    const std::string lighting = NameOf(kLightingNames, Val(f[11]));
    out_.At(6).Masked(Rounded(Val(f[3]), 1), 10).At(22).Masked(Rounded(Val(f[4]), 1), 6);
    out_.At(34).Put(cooling).At(54).Put(m.ZoneEconCycle[zi]);
    out_.At(62).Put("1st COST =").Masked(Rounded(Val(f[29]), 1), 7);
    out_.At(82).Put(heating).At(95).Put(spaceHeat).At(107).Put(lighting);
    out_.At(121).Masked(Rounded(Val(f[12]), 2), 9).End();
    const std::string heatCop = Rounded(Val(f[28]), 2);
    const std::string spaceCop =
        spaceHeat == "HEAT PUMP" && heating != "HEAT PUMP" ? "   2.4" : heatCop;
    out_.At(27).Put(std::string(si ? "(COP = " : "(SEER= ") + f[27] + ", " + "S.P.= " + f[26] + " w.g.)");
    out_.At(62).Put("Ann.Maint=" + f[30]);
    out_.At(82).Put("(").Masked(heatCop, 6).Put(")");
    out_.At(94).Put("(").Masked(spaceCop, 6).Put(")").End();
    PrintDashLine(2);
    out_.Blank();
    out_.At(9).Put("**** 24 HOUR ZONE PROFILES ****").End().Blank();

    const OutdoorAir air = ReadOutdoorAir(f[9]);
    for (int k = 1; k <= 4; ++k) {
      static constexpr std::array<int, 5> kValueField{0, 5, 7, 9, 13};
      static constexpr std::array<int, 5> kProfileField{0, 6, 8, 10, 15};
      static constexpr std::array<const char*, 5> kKindWord{"", "Occ", "HW", "Vent", "Lite"};
      const auto ki = static_cast<std::size_t>(k);
      std::string caption;
      switch (k) {
        case 1: caption = "OCCUPANCY: NO OF PEOPLE "; break;
        case 2: caption = si ? "HOT WATER: LITRE/PERSON " : "HOT WATER: GALLON/PERSON "; break;
        case 3:
          caption = "VENTILATION: ";
          caption += air.code == "CS"   ? (si ? "L/S.SQ.M." : "CFM/SQ.FT.")
                     : air.code == "PA" ? "% O.A."
                                        : (si ? "L/S.PERSON" : "CFM/PERSON");
          break;
        default: caption = si ? "ELECTRIC WATTS/SQ.M." : "ELECTRIC WATTS/SQ.FT."; break;
      }
      out_.At(9).Put(caption).At(34).Put("=");
      if (k < 4) {
        out_.At(36).Put(" " + f[static_cast<std::size_t>(kValueField[ki])]);
        out_.At(54).Put("Profile i.d. is ").At(74).Put(kKindWord[ki]).End();
      } else {
        const std::string watts = Rounded(Val(f[13]) + Val(f[14]), 2);
        out_.At(36).Put(" " + watts.substr(watts.front() == ' ' ? 1 : 0));
        out_.At(54).Put(std::string("Profile i.d. is  ") + kKindWord[ki]).End();
      }
      const double wanted = Val(f[static_cast<std::size_t>(kProfileField[ki])]);
      int found = 0;
      for (int i = 1; i <= 42 && found == 0; ++i) {
        if (Val((*marks[ki])[static_cast<std::size_t>(i)]) == wanted) found = i;
      }
      if (found == 0) return {k, z};
      const std::string& text = (*values[ki])[static_cast<std::size_t>(found)];
      out_.At(23);
      if (k == 3 && found == 16) {
        out_.Put(text);
      } else {
        for (const std::string& hour : HourValues(text)) {
          const double v = Val(hour);
          out_.Masked(v <= 1 ? Rounded(v, 0) : Rounded(v / 100, 2), 4);
        }
      }
      out_.End().Blank();
    }

    out_.At(9).Put("THERMOSTAT (NORMAL OCCUPIED DAYS):").End();
    for (int field = 16; field <= 19; ++field) {
      const double wanted = Val(f[static_cast<std::size_t>(field)]);
      int found = 0;
      for (std::size_t i = 1; i <= model::kTempProfiles && found == 0; ++i) {
        if (!m.TempProfNo[i].empty() && Val(m.TempProfNo[i]) == wanted) found = static_cast<int>(i);
      }
      if (found == 0) continue;
      out_.At(14).Put(field == 16 || field == 18 ? "UPPER=" : "LOWER=").At(23);
      for (const std::string& hour : HourValues(m.TempProfile[static_cast<std::size_t>(found)])) {
        out_.Masked(Rounded(Val(hour), 0), 4);
      }
      out_.End();
      if (field == 17) {
        out_.Blank();
        out_.At(9).Put("THERMOSTAT (UNOCCUPIED WEEKENDS/HOLIDAYS):").End();
      }
    }

    out_.Blank();
    out_.At(9).Put("MATERIAL DATA:").End();
    out_.At(36).Put("OPAQUE").End();
    out_.At(6).Put("I.D.   NAME");
    out_.At(37).Put("AREA    ORIENT  GROUND   SHADES    WINDOW I.D., Name, Overhang Symbol, & Area");
    out_.At(122).Put("SLOPE").End();
    PrintDashLine(2);
    const int rows = std::min<int>(m.SurfaceCount[zi], model::kMaxSurfaces);
    std::string exposureWord;
    for (int r = 1; r <= rows; ++r) {
      const auto ri = static_cast<std::size_t>(r);
      const int wallId = m.SurfWallId[zi][ri];
      const int windowId = m.SurfWindowId[zi][ri];
      const double area = m.SurfWallArea[zi][ri];
      const double glass = m.SurfWinArea[zi][ri];
      out_.At(5).Put(m.SurfSWB[zi][ri]).At(7).Put(NumberText(float(wallId)));
      out_.At(10).Put(Mid(Entry(m.WallDesc, wallId), 1, 25));
      out_.At(35).Masked(Rounded(area - glass, 2), 7);
      out_.At(45).Put(Rounded(m.SurfOrient[zi][ri] + Val(m.BldOrient), 0));
      out_.At(51).Put(ExposureWord(m.SurfExposure[zi][ri]));
      out_.At(60).Put(m.SurfShade[zi][ri]).At(74).Put(NumberText(float(windowId)));
      out_.At(79).Put(Entry(m.WinDesc, windowId)).At(112).Put(NumberText(float(glass)));
      out_.At(122).Put(NumberText(m.SurfSlope[zi][ri])).End();
    }
    if (rows < 1) out_.At(9).Put("INTERNAL ZONE - NO EXTERNAL WALL DATA.").End();
    PrintDashLine(2);
    out_.At(82).Put("SYMBOL NOTE:  H=Overhang,  L=Lightshelf").End();
    if (z != m.PaintZone) out_.FormFeed();

    out_.At(5).Put("CODE COMPLIANCE CHECKING INFORMATION:").End().Blank();
    Compliance zone;
    zone.zone = true;
    zone.env = zoneEnv[zi].RoundedToTenths();
    zone.watts = RoundTo(Val(f[3]) * Val(f[13]), 1);
    zone.area = Val(f[3]);
    zone.occupants = Val(f[5]);
    zone.vent = RoundTo(zoneVent[zi], 1);
    compliance(zone);
  }
  return {};
}

void WriteInputEcho(model::ProjectModel& m, model::MessageBoxes& boxes) {
  const std::string path =
      model::AppPath(m, std::string(files::kTempDir) + "/" + std::string(files::kUserReport));
  // The report is one of the program's own files: whatever stands in its place that is no
  // regular file (a named pipe, a device, a folder, a link) is refused before a page is made,
  // and the pages are written whole, never into what the name leads to.
  model::CheckSaveTarget(path, model::NameKind::Fixed);
  ReportPage out;
  InputEcho echo(m, out, Clock());
  PageNumber() = 0;
  auto finish = [&] {
    PageNumber() = 0;
    model::AtomicFile file(path, model::NameKind::Fixed);
    file.text(out.Bytes());
    file.commit();
  };
  try {
    echo.WriteReportBanner();
    echo.WriteRunHeader();
    out.FormFeed();
    echo.WriteWeatherInputReport();
    out.FormFeed();
    echo.WriteEconomicsReport();
    out.FormFeed();
    echo.WriteCatalogReport();
    out.FormFeed();
    echo.WriteLightShelfReport();
    const InputEcho::Missing missing = echo.WriteProjectEcho();
    if (missing.kind != 0) {
      finish();
      boxes.show(ProfileMissingText(missing.kind, m.ZoneCode[static_cast<std::size_t>(missing.zone)]),
                 ProfileMissingTitle(missing.kind), model::MsgIcon::Exclamation);
      m.Run.RunStatus = 5;
      return;
    }
  } catch (...) {
    // The pages made so far are left as the report, as far as they can be written; the
    // failure that stopped them is the one reported.
    try {
      finish();
    } catch (const model::FileError&) {
    }
    throw;
  }
  finish();
}

}  // namespace kalvano::reports
