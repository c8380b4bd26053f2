#include "engine/loads/hourheads.h"

#include <string_view>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/core/state.h"

namespace kv {

void CHRMOD(int16_t N, Chars<3>& TEXT) {
  char work[3] = {'-', '-', '-'};
  int m = N < 0 ? -static_cast<int>(N) : N;  // a negative number shows its digits
  for (int i = 1; i <= 3; ++i) {
    work[3 - i] = static_cast<char>('0' + m % 10);
    m /= 10;
    if (m == 0) break;
  }
  TEXT.set(std::string_view(work, 3));
}

namespace {

// The three-letter name of month m of the run date; blanks when there is no such month.
std::string_view monthName(const EngineState& s, int m) {
  if (m < 1 || m > 12) return "   ";
  return s.chtab.MONNAM(m).view();
}

// The set-up's "Date of Run" fields: day, blank, month, year, ", ", hour, ":", minute.
Line& dateOfRun(const EngineState& s, Line& ln) {
  const RUNPAR& r = s.runpar;
  return ln.text("Date of Run:").I(r.IRDA, 3).X(1).A(monthName(s, r.IRMO), 3).I(r.IRYR, 5)
      .text(", ").I(s.enacc.CLKHR, 2).text(":").I(s.enacc.CLKMIN, 2);
}

// The degree sign of the unit lines (Latin-1).
constexpr std::string_view kDeg = "\xB0";

}  // namespace

void writeEnergyHeads(EngineState& s) {
  OutFile& f = s.files.hrEnergy;
  const PRJTXT& p = s.prjtxt;
  const ENACC& e = s.enacc;
  const char sep = e.SEP;
  const bool si = reportsInSI(s);
  Line ln;
  ln.text("*** PROJECT: ").A(p.PNAME.first(38)).T(55).text("LOCATION: ").A(p.PLOC.first(35));
  f.line(ln.view());
  ln.clear();
  ln.T(5).text("PLAN: ").A(p.PSCHM.first(7)).text("  TYPE: ").A(p.PTYPE.first(12));
  ln.T(41).text("Year:").I(s.runpar.IYEAR, 5).T(55);
  f.line(dateOfRun(s, ln).view());

  ln.clear();
  if (si) {
    f.line(ln.T(5).text("HOURLY WEATHER AND ENERGY VALUES: (SI Units)").view());
    ln.clear();
    ln.rep(sep, 5).text("Sun Angles and Horizontal Insolation").rep(sep, 8)
        .text("Solar (Direct/Diffuse) on Vertical Walls (W/m^2)");
  } else {
    ln.T(5).text("HOURLY WEATHER AND ENERGY VALUES: (IP Units)").rep(sep, 5)
        .text("Sun Angles and Horizontal Insolation").rep(sep, 8)
        .text("Solar (Direct/Diffuse) on Vertical Walls (Btuh/ft^2)");
  }
  f.line(ln.view());

  ln.clear();
  ln.T(3).text("Date");
  for (std::string_view h : {"Time", "DB", "DP", "RH", "Altitude", "Azimuth", "DN", "DFH", "DH", "WV", "PB", "CC"})
    ln.ch(sep).text(h);
  for (int k = 1; k <= 4; ++k) ln.ch(sep).text("Direct").ch(sep).text("Diff.");
  for (std::string_view h : {"Htg.", "Clg.", "Ltg.", "Recp.", "Fans", "H.W."}) ln.ch(sep).text(h);
  f.line(ln.view());

  ln.clear();
  ln.rep(sep, 2);
  if (si) {
    for (std::string_view u : {"(C)", "(C)", "(%)", "(Deg.)", "(Deg.)", "(W/m^2)", "(W/m^2)", "(W/m^2)",
                               "(m/s)", "(kPa)", "(%)"})
      ln.ch(sep).text(u);
  } else {
    for (std::string_view u : {"(F)", "(F)", "(%)", "(Deg.)", "(Deg.)", "(Btu/sf", "(Btu/sf", "(Btu/sf",
                               "(mph)", "(\"Hg.)", "(%)"})
      ln.ch(sep).text(u);
  }
  for (int k = 1; k <= 4; ++k)
    for (int twice = 0; twice < 2; ++twice) ln.ch(sep).I(e.IORNT(k), 3).text("-deg");
  const std::string_view heat = si ? "(MJ)" : "(kBtu)";
  ln.ch(sep).text(heat);
  for (int k = 0; k < 4; ++k) ln.ch(sep).text("(kWh)");
  ln.ch(sep).text(heat);
  f.line(ln.view());
}

void writeTempHeads(EngineState& s) {
  OutFile& f = s.files.hrTemps;
  const ENACC& e = s.enacc;
  const char sep = e.SEP;
  const int nz = s.bldg.NZ;
  Line ln;
  ln.rep(sep, 2).text("Outdr").ch(sep).text("Outdr").ch(sep).text("Outdr");
  for (int z = 1; z <= nz; ++z)
    for (int k = 0; k < 3; ++k) ln.ch(sep).A(s.prjtxt.ZNAME(z).first(6));
  f.line(ln.view());
  ln.clear();
  ln.T(3).text("Date").ch(sep).text(" HR").ch(sep).text("O-DB").ch(sep).text("O-DP").ch(sep).text("O-RH");
  for (int z = 1; z <= nz; ++z) {
    const std::string_view tag = e.ZTAG(z).view();
    ln.ch(sep).text("DB").text(tag).ch(sep).text("DP").text(tag).ch(sep).text("RH").text(tag);
  }
  f.line(ln.view());
}

void writeEnergyKeyHeader(EngineState& s) {
  OutFile& f = s.files.hrEnergy;
  const PRJTXT& p = s.prjtxt;
  const bool si = reportsInSI(s);
  Line ln;
  auto put = [&]() {
    f.line(ln.view());
    ln.clear();
  };
  ln.text("#*** PROJECT: ").A(p.PNAME.first(65));
  put();
  ln.text("#").T(6).text("LOCATION: ").A(p.PLOC.first(40));
  put();
  ln.text("#").T(6).text("PLAN: ").A(p.PSCHM.view(), 8).text("   TYPE: ").A(p.PTYPE.view(), 20);
  put();
  ln.text("#").T(6);
  dateOfRun(s, ln);
  put();
  ln.text("#").T(6).text("Weather Year:");
  put();
  ln.T(6).I(s.runpar.IYEAR, 5);
  put();
  ln.text("#").T(6).text("HOURLY WEATHER AND ENERGY VALUES:");
  put();
  put();
  ln.text("#*** KEY FOLLOWS:");
  put();
  ln.text("#").T(6).text("Number of zones:");
  put();
  ln.T(6).I(s.bldg.NZ, 5);
  put();
  ln.text("# Zone no.   Zone Name");
  put();
  for (int z = 1; z <= s.bldg.NZ; ++z) {
    ln.I(s.bldg.IZONE(z), 5).X(2).A(s.prjtxt.ZNAME(z).view(), 30);
    put();
  }
  put();
  ln.text(si ? "# Thermal & Energy Values:" : "#  Thermal & Energy Values:");
  put();
  ln.text("# Mon Day Tim").T(12).text("  DB   DP   RH").T(26).text("   DN  DFH   DH    WV   PB   CC")
      .text("  (Outdoor Ambient)");
  put();
  ln.text("#").T(12).text(si ? " (C)  (C)  (%)" : " (F)  (F)  (%)").T(26);
  if (si) ln.text("    (kJ/sq.m.)   (m/s)  kPa (Fr.)");
  else ln.text("   (Btu/sq.ft.)  (mph) ").text("\"").text("Hg. (Fr)");
  put();
  put();
  ln.text("# Zone").T(9).text("Sens./Lat.Loads").T(26).text("O.A. rate").T(37)
      .text("DBmax/DBmin/DBact/DP      Total  LD slope");
  put();
  ln.text("# num").T(9).text(si ? "     (Watts)     " : "   (Btus/hour)   ").T(26)
      .text(si ? " (L/Sec) " : "(c.f.m.) ").T(37);
  const std::string_view t = si ? "C)" : "F)";
  for (int k = 0; k < 4; ++k) ln.text("(").text(kDeg).text(t).text(k < 3 ? "  " : "");
  if (si) ln.text("    Watts   (W/").text(kDeg).text("C) ");
  else ln.text("    Btuh   (Btuh/").text(kDeg).text("F)");
  put();
  put();
  ln.text("#").T(5).text(si ? "  Htg.  Clg.  Ltg.  Recp.  Fans   H.W." : "  Htg.   Clg.  Ltg.  Recp.  Fans   H.W.");
  put();
  ln.text("#").T(5).text(si ? "  (MJ) (kWh) (kWh)  (kWh)  (kWh)  (MJ)" : " (kBtu) (kWh) (kWh)  (kWh)  (kWh) (kBtu)");
  put();
}

}  // namespace kv
