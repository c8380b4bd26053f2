#include "engine/core/report.h"

#include "engine/core/fixfmt.h"
#include "engine/core/state.h"

namespace kv {

namespace {

constexpr std::string_view kSectionNames[8] = {
    "Weather Data             ", "Economics Parameters     ", "KW Demand Rate Schedule  ",
    "Wall and Roof Assemblies ", "Window Assemblies        ", "Use Profiles Data        ",
    "Zone Descriptions        ", "Daylighting Data Base    ",
};

std::string_view sectionName(int32_t k) {
  if (k < 1 || k > 8) throw IndexError(k, 1, 8);
  return kSectionNames[k - 1];
}

}  // namespace

void FORM(EngineState& s, int32_t MODE, int32_t K, int32_t NERR) {
  OutFile& f = s.files.monitor;
  Line ln;
  if (MODE == 2) {
    ln.T(10).text("Input Completed for ").text(sectionName(K));
    f.line(ln.view());
    ln.clear();
    ln.T(15).text("Results: ").I(NERR, 5).text(" ERRORS DETECTED.");
    f.line(ln.view());
    f.emptyLine();
  } else {
    ln.T(5).text("**** Processing Input For ").text(sectionName(K));
    f.line(ln.view());
  }
}

void UPCASE(char CIN, char& COUT) { COUT = (CIN >= 'a' && CIN <= 'z') ? static_cast<char>(CIN - 'a' + 'A') : CIN; }

char UPCASE(char CIN) {
  char c;
  UPCASE(CIN, c);
  return c;
}

bool reportsInSI(const EngineState& s) { return s.chtab.UNITS.view() == "SI"; }

void WriteBanner(EngineState& s) {
  OutFile& f = s.files.report;
  Line ln;
  f.line(ln.rep('*', 80).view());
  f.emptyLine();
  ln.clear();
  f.line(ln.T(20).text("** K A L - V A N O -- Simulation Engine 6.4 **").view());
  ln.clear();
  f.line(ln.T(20).text("          for KAL-VANO Version EC").view());
  f.emptyLine();
  ln.clear();
  f.line(ln.T(20).text("Hour-by-hour building energy simulation").view());
  ln.clear();
  f.line(ln.rep('*', 80).view());
}

void PageHeaderBlock(EngineState& s, OutFile& f) {
  const PRJTXT& p = s.prjtxt;
  const RUNPAR& r = s.runpar;
  Line ln;
  ln.text("*** PROJECT: ").A(p.PNAME.first(65)).T(88).text("LOCATION: ").A(p.PLOC.first(30));
  f.line(ln.view());
  ln.clear();
  ln.T(5).text("DESCRIPTION: ").A(p.PDESC.first(65)).T(88).text("DESIGN PHASE: ").A(p.PPHASE.first(20));
  f.line(ln.view());
  ln.clear();
  ln.T(5).text("SCHEME: ").A(p.PSCHM.view()).T(35).text("TYPE: ").A(p.PTYPE.view());
  ln.T(63).text("Weather Year:").I(r.IYEAR, 5);
  ln.T(88).text("Date of Run:").I(r.IRDA, 3).X(1).A(s.chtab.MONNAM(r.IRMO).view()).X(1).I(r.IRYR, 5);
  ln.text(", ").I(s.mainpg.IHOUR, 2).text(":").I(s.mainpg.IMIN, 2);
  f.line(ln.view());
}

void WriteEndOfInput(EngineState& /*s*/, OutFile& f, std::string_view textField, int32_t errors) {
  Line ln;
  f.emptyLine();
  ln.T(3).text("***END OF INPUT PROCESSING FOR ").A(textField, 70);
  f.line(ln.view());
  ln.clear();
  ln.T(6).I(errors, 7).text(" ERRORS EXIST IN INPUT DATA.");
  f.line(ln.view());
  f.emptyLine();
}

void WriteEndOfPreprocessing(OutFile& f) {
  Line ln;
  f.emptyLine();
  f.line(ln.T(40).text("** END OF INPUT DATA INTEGRITY PREPROCESSING **").view());
  f.emptyLine();
  f.emptyLine();
}

void WriteSection3Head(EngineState& s) {
  OutFile& f = s.files.report;
  Line ln;
  f.line("\f");
  ln.text("III.  M O N T H L Y   S U M M A R I E S   O F   ")
      .text("W H O L E   B U I L D I N G   E N E R G Y   U S E  (Rel. 6.4):")
      .T(115)
      .text(".... PAGE")
      .I(s.runpar.NPAGE, 3)
      .text(" ....");
  f.line(ln.view());
  ln.clear();
  f.line(ln.T(7).rep('-', 92).view());
  PageHeaderBlock(s, f);
  f.emptyLine();
  ln.clear();
  ln.text("MON   SPACE    SOLAR    H.W.     COOLING  FAN")
      .T(52)
      .text("LIGHT    A.C.   SYST.   GAS     GAS     PEAK   ELEC     TOTAL")
      .T(117)
      .text("TOTAL   COST");
  f.line(ln.view());
  ln.clear();
  ln.T(7)
      .text("HEATING  HEATING  HEATING  ENERGY   ")
      .text("ENERGY   and      COMPR  OPER.   FUEL    FUEL    ELEC   ENERGY")
      .T(108)
      .text("ELEC     UTIL    PER");
  f.line(ln.view());
  ln.clear();
  ln.T(7)
      .text("ENERGY   FRACT.   ENERGY")
      .T(43)
      .text("REQD.    APPL.    HOURS  HOURS   USE     COST    DEMAND ")
      .text("USE")
      .T(108)
      .text("COST     BILL    AREA");
  f.line(ln.view());
  ln.clear();
  if (reportsInSI(s)) {
    ln.T(7)
        .text("  (GJ)    (SHF)     (GJ)")
        .T(35)
        .text("(kWh)    (kWh)    (kWh)   (Hrs)  (Hrs)   (GJ)     ($)")
        .T(92)
        .text("(KW)   (kWh)      ($)      ($)  ($/Sq.m.)");
  } else {
    ln.T(7)
        .text("(MBtu)    (SHF)    (MBtu)")
        .T(35)
        .text("(kWh)    (kWh)    (kWh)   (Hrs)  (Hrs)  (MBtu)    ($)")
        .T(92)
        .text("(KW)   (kWh)      ($)      ($)  ($/Sq.Ft.)");
  }
  f.line(ln.view());
  ln.clear();
  f.line(ln.rep('=', 131).view());
}

void WritePreprocessingZone(EngineState& s, int i) {
  Line ln;
  ln.text("  *** PREPROCESSING ZONE").I(s.bldg.IZONE(i), 3).text("  ").A(s.prjtxt.ZNAME(i).view());
  s.files.monitor.line(ln.view());
}

void WriteBeginSimulation(EngineState& s) {
  s.files.monitor.emptyLine();
  s.files.monitor.line(" ** BEGINNING HOURLY SIMULATIONS, Please stand by **");
  s.files.monitor.emptyLine();
}

namespace {

void hourlyHeader(EngineState& s, OutFile& f, std::string_view title) {
  const PRJTXT& p = s.prjtxt;
  const RUNPAR& r = s.runpar;
  Line ln;
  ln.text("*** PROJECT: ").A(p.PNAME.first(38)).T(55).text("LOCATION: ").A(p.PLOC.first(35));
  f.line(ln.view());
  ln.clear();
  ln.T(5).text("PLAN: ").A(p.PSCHM.first(7)).text("  TYPE: ").A(p.PTYPE.first(12));
  ln.T(41).text("Year:").I(r.IYEAR, 5);
  ln.T(55).text("Date of Run:").I(r.IRDA, 3).X(1).A(s.chtab.MONNAM(r.IRMO).view()).I(r.IRYR, 5);
  ln.text(", ").I(s.mainpg.IHOUR, 2).text(":").I(s.mainpg.IMIN, 2);
  f.line(ln.view());
  ln.clear();
  f.line(ln.T(5).text(title).view());
}

}  // namespace

void WriteHourlyHeaders(EngineState& s) {
  const bool si = reportsInSI(s);
  hourlyHeader(s, s.files.hrWeather,
               si ? "HOURLY WEATHER AND SOLAR DATA: (SI Units)" : "HOURLY WEATHER AND SOLAR DATA: (IP Units)");
  hourlyHeader(s, s.files.hrTemps,
               si ? "HOURLY OUTDOOR/INDOOR TEMPERATURES AND RH: (SI Units)"
                  : "HOURLY OUTDOOR/INDOOR TEMPERATURES AND RH: (IP Units)");
}

}  // namespace kv
