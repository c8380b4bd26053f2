// End of the year: the closing rows of the monthly table, the end-use disaggregation, the
// whole-building site and source line, the environmental impacts, the peak and annual loads
// by category with the mass effect and the central plant, the design data per zone (IV),
// the peak-day profiles with their plot (V); then the seasonal profiles (VI, run type 3
// only) and the cost analysis (VII).
//
// Every figure is worked out in inch-pound units; an SI report converts a copy just before
// it is written. A zero denominator (floor area, tons, zone volume, percentage base) gives
// 0 in the printed field.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/core/state.h"
#include "engine/core/units.h"
#include "engine/loads/annual.h"
#include "engine/loads/energy.h"
#include "engine/loads/sums.h"

namespace kv {

namespace {

// The annual report's own square-foot factor (four digits).
constexpr float kM2PerFt2Short = 0.0929f;

constexpr float kMBtuPerKWh = 0.003413f;
constexpr float kM2TonPerFt2Ton = 0.09290304f;
constexpr float kLsPerGpm = 0.0631f;
constexpr float kCm2PerIn2 = 6.4516f;
constexpr float kSourceRatio = 3.07647f;

constexpr int kCats = 12;  // the eleven hourly categories and the mass effect
constexpr std::string_view kCatName[kCats] = {
    "ROOF",
    "WALLS",
    "WINDOWS TRANSMISSION",
    "WINDOWS SOLAR",
    "LIGHTS AND EQUIPMENT",
    "PEOPLE SENSIBLE",
    "PEOPLE LATENT",
    "VENTILATION (SENSIBLE)",
    "VENTILATION (LATENT)",
    "INFILTRATION (SENSIBLE)",
    "INFILTRATION (LATENT)",
    "MASS EFFECT",
};
constexpr std::string_view kFuel[3] = {"GAS ", "OIL ", "COAL"};

std::string_view monthName(const EngineState& s, int32_t m) {
  if (m < 1 || m > 12) return "   ";
  return s.chtab.MONNAM(m).view();
}

void dashes(OutFile& f, int from, int n) {
  Line ln;
  f.line(ln.T(from).rep('-', n).view());
}

void rule(OutFile& f, char c, int n) {
  Line ln;
  f.line(ln.rep(c, n).view());
}

// Section III: the "TOT" and "($)" rows, the disaggregation, the whole-building line.
void closingRows(EngineState& s) {
  const ENACC& e = s.enacc;
  const BLDG& b = s.bldg;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.report;
  Line ln;

  // Lighting and appliances: interior lighting, the last month's outdoor lighting, receptacles.
  const float olk = e.OLKWHM;
  const float ltApp = e.ELTKWHY + olk + e.ERCPKWHY;
  const float shf = (e.HLOADY > 0.0f && e.SOLARY > 0.0f) ? e.SOLARY / (e.HLOADY + e.SOLARY) : 0.0f;
  float heat = e.SHEATY, hw = e.HWY, gas = e.GASY;
  if (si) {
    heat *= kGJperMBtu;
    hw *= kGJperMBtu;
    gas *= kGJperMBtu;
  }
  rule(f, '=', 132);
  ln.text("TOT").F(heat, 9, 1).F(shf, 9, 2).F(hw, 9, 1).F(e.ECLGY, 9, 0).F(e.FANKWHY, 9, 0);
  ln.F(ltApp, 9, 0).F(e.CMPHRSY, 7, 0).F(e.SYSHRSY, 7, 0).F(gas, 8, 1).X(8).F(e.PKKWSUM, 7, 1);
  ln.F(e.ELECY, 9, 0);
  f.line(ln.view());

  const float ltCost = ltApp * e.ELECPR;
  const float fanCost = e.FANKWHY * e.ELECPR;
  const float gasCost = e.GASY * e.GASPR;
  const float elecEnergyCost = e.ELECY * e.ELECPR;
  const float dlCost = e.DLSAVE * e.ELECPR;
  const float bill = gasCost + e.ECOSTY;
  float perArea = reportRatio(bill, b.FLRAREA);
  if (si) perArea *= kSqFtPerSqM;
  ln.clear();
  ln.text("($)").F(e.SHCOST, 9, 0).X(9).F(e.WHCOST, 9, 0).F(e.CLCOST, 9, 0).F(fanCost, 9, 0);
  ln.F(ltCost, 9, 0).X(22).F(gasCost, 8, 0).F(e.DEMCHGY, 7, 0).F(elecEnergyCost, 9, 0);
  ln.F(e.ECOSTY, 9, 0).F(bill, 9, 0).F(perArea, 7, 2);
  f.line(ln.view());

  // End uses, MBtu.
  const float coolMB = e.ECLGY * kMBtuPerKWh;
  const float fanMB = e.FANKWHY * kMBtuPerKWh;
  const float lightMB = (e.ELTKWHY + olk) * kMBtuPerKWh;
  const float rcpMB = e.ERCPKWHY * kMBtuPerKWh;
  float use[6] = {e.SHSITE, e.WHSITE, coolMB, fanMB, lightMB, rcpMB};
  if (si)
    for (float& u : use) u *= kGJperMBtu;
  f.emptyLine();
  ln.clear();
  ln.text("DISAGGREGATION:").T(19).text("Heating").T(28).text("H. Water").T(39).text("Cooling");
  ln.T(52).text("Fans").T(60).text("Lights  Receptacles").T(86).text("| Outdoor Light kWh=");
  ln.F(olk, 9, 0);
  f.line(ln.view());
  ln.clear();
  ln.text(si ? "Site GJoules =" : "Site MBtus =").T(16);
  for (float u : use) ln.F(u, 10, 1);
  ln.T(86).text("| Daylight Savings =").F(e.DLSAVE, 9, 0).text(" kWh or $").F(dlCost, 8, 0);
  f.line(ln.view());

  // Whole building, site and source.
  float site = e.ELECY * kMBtuPerKWh + e.GASY;
  float siteI = reportRatio(site, e.ZAREA) * 1000.0f;
  float src = e.SHSRC + e.WHSRC + (coolMB + fanMB + lightMB + rcpMB) * kSourceRatio;
  float srcI = reportRatio(src, e.ZAREA) * 1000.0f;
  if (si) {
    site *= kGJperMBtu;
    src *= kGJperMBtu;
    siteI *= kKJm2PerBtuFt2;
    srcI *= kKJm2PerBtuFt2;
  }
  ln.clear();
  ln.text("WHOLE-BLDG PERFORMANCE:  Site Line").F(site, 8, 0).text(si ? " GJ   (" : " MBtu (");
  ln.F(siteI, 7, 1);
  ln.text(si ? " MJ/sq.m.)    ...... Source Line" : " kBtu/sq.ft.) ...... Source Line");
  ln.F(src, 8, 0).text(si ? " GJ   (" : " MBtu (").F(srcI, 7, 1);
  ln.text(si ? " MJ/sq.m.)" : " kBtu/sq.ft.)");
  f.line(ln.view());
  rule(f, '=', 132);
  if (!si) f.emptyLine();
}

// Environmental impacts. EMFAC(p, r) holds the factors by row as the set-up fills them:
// rows 1..3 the power plant's coal, oil and gas, rows 4..6 on-site heating with coal, oil
// and gas, p = CO2, SO2, NOx (short tons per kWh or per MBtu; metric tonnes in SI).
void impacts(EngineState& s) {
  const ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.report;
  const std::string_view title = si ? "METRIC TONNES OF:   " : "SHORT TONS OF:      ";
  Line ln;
  auto twoRuns = [&] {
    ln.clear();
    f.line(ln.rep('-', 59).T(72).rep('-', 60).view());
  };
  f.emptyLine();
  f.line("E N V I R O N M E N T A L   I M P A C T S   *** ");
  f.line("ANNUAL Greenhouse Gas Emissions in TONS of Carbon Dioxide (CO-2), Sulphur Dioxide "
         "(SO-2), and Nitrous Oxides (NOx):");
  ln.text("ON-SITE HEATING (FOSSIL FUEL):").T(72).text("ELECTRIC POWER PLANT EMISSIONS:");
  f.line(ln.view());
  twoRuns();
  ln.clear();
  ln.text("HEATING FUEL").T(35).text(title.substr(0, 18)).T(72).text("PLANT FUEL").T(106);
  ln.text(title.substr(0, 18));
  f.line(ln.view());
  ln.clear();
  ln.text("OPTION*").T(23).text("     CO-2         SO-2         NOx").T(72).text("OPTION*");
  ln.T(94).text("     CO-2         SO-2         NOx");
  f.line(ln.view());
  twoRuns();
  for (int r = 1; r <= 3; ++r) {
    ln.clear();
    ln.text(kFuel[r - 1]).T(21);
    for (int p = 1; p <= 3; ++p) ln.F(e.GASY * e.EMFAC(p, 7 - r), 13, 5);
    ln.T(72).text(kFuel[r - 1]).T(92);
    for (int p = 1; p <= 3; ++p) ln.F(e.ELECY * e.EMFAC(p, 4 - r), 13, 5);
    f.line(ln.view());
  }
  ln.clear();
  ln.text("* Use only one fuel.  These are options.").T(72);
  ln.text("Hydro/Nuclear/Other .........Zero Emissions.........");
  f.line(ln.view());
  rule(f, '=', 131);
}

// Percent of a category value. The base of a value on the usual side is the sum of the
// values on that side; a value on the other side is taken against the total it offsets.
float pct(float v, float base) { return reportRatio(v * 100.0f, base); }

void loadTable(EngineState& s) {
  const ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  const int nz = s.bldg.NZ;
  OutFile& f = s.files.report;

  float pkH[kCats + 1], pkC[kCats + 1], anH[kCats + 1], anC[kCats + 1];
  for (int c = 1; c <= kLoadCategories; ++c) {
    pkH[c] = e.QCATW(c);
    pkC[c] = e.QCATC(c);
    anH[c] = e.QHTGY(c);
    anC[c] = e.QCLGY(c);
  }
  const float pkHeat = e.HPKLOAD / 1000.0f;  // kBtuh, negative
  const float pkCool = e.CPKLOAD / 1000.0f;
  const float anCool = e.CLOADY;              // MBtu
  const float anHeatSum = e.HLOADY;           // MBtu, positive
  const float anHeat = -anHeatSum;

  // The mass effect: what the eleven categories leave of each total.
  float sAC = 0, sPC = 0, sAH = 0, sPH = 0;
  for (int c = 1; c <= kLoadCategories; ++c) {
    sAC += anC[c];
    if (pkC[c] > 0.0f) sPC += pkC[c];
    sAH += anH[c];
    if (pkH[c] < 0.0f) sPH += -pkH[c];
  }
  anC[12] = anCool - sAC;
  pkC[12] = pkCool - sPC;
  anH[12] = -anHeatSum - sAH;
  pkH[12] = pkHeat + sPH;

  float PC = 0, PP = 0, NA = 0, NP = 0;
  for (int c = 1; c <= kCats; ++c) {
    if (anC[c] > 0.0f) PC += anC[c];
    if (pkC[c] > 0.0f) PP += pkC[c];
    if (anH[c] < 0.0f) NA += -anH[c];
    if (pkH[c] < 0.0f) NP += -pkH[c];
  }
  PC = std::fmax(PC, 0.01f);
  PP = std::fmax(PP, 0.01f);
  NA = std::fmax(NA, 0.01f);
  NP = std::fmax(NP, 0.01f);

  float pAC[kCats + 1], pPC[kCats + 1], pAH[kCats + 1], pPH[kCats + 1];
  for (int c = 1; c <= kCats; ++c) {
    pAC[c] = anC[c] >= 0.0f ? pct(anC[c], PC) : pct(anC[c], anCool - anC[c]);
    pPC[c] = pkC[c] >= 0.0f ? pct(pkC[c], PP) : pct(pkC[c], pkCool - pkC[c]);
    pAH[c] = anH[c] <= 0.0f ? pct(anH[c], NA) : pct(anH[c], anHeatSum + anH[c]);
    pPH[c] = pkH[c] <= 0.0f ? pct(pkH[c], NP) : pct(pkH[c], pkH[c] - pkHeat);
  }

  const float kPk = si ? kKWperKBtuh : 1.0f;
  const float kAn = si ? kGJperMBtu : 1.0f;
  Line ln;
  f.emptyLine();
  f.line("P E A K   A N D   A N N U A L   H E A T I N G / C O O L I N G   L O A D S  "
         "(For CENTRAL PLANT):");
  rule(f, '-', 95);
  ln.text("P E A K   G A I N / L O S S").T(72).text("A N N U A L   G A I N / L O S S");
  f.line(ln.view());
  ln.clear();
  f.line(ln.rep('-', 59).T(72).rep('-', 59).view());
  ln.clear();
  ln.text("LOAD CATEGORIES").T(30).text(si ? "PEAK GAIN/LOSS (kW)" : "PEAK GAIN/LOSS         (kBtuh)");
  ln.T(72).text("LOAD CATEGORIES").T(101);
  ln.text(si ? "ANNUAL GAIN/LOSS (GJ)" : "ANNUAL GAIN/LOSS       (MBtu)");
  f.line(ln.view());
  ln.clear();
  ln.rep('-', 24).T(30).rep('-', 30).T(72).rep('-', 24).T(101).rep('-', 30);
  f.line(ln.view());
  ln.clear();
  ln.T(30).text("HEATING  %TOT    COOLING  %TOT").T(101).text("HEATING  %TOT    COOLING  %TOT");
  f.line(ln.view());
  f.emptyLine();
  for (int c = 1; c <= kCats; ++c) {
    ln.clear();
    ln.text(kCatName[c - 1]).T(26).F(pkH[c] * kPk, 11, 2).F(pPH[c], 6, 1);
    ln.F(pkC[c] * kPk, 11, 2).F(pPC[c], 6, 1);
    ln.T(72).text(kCatName[c - 1]).T(97).F(anH[c] * kAn, 11, 2).F(pAH[c], 6, 1);
    ln.F(anC[c] * kAn, 11, 2).F(pAC[c], 6, 1);
    f.line(ln.view());
  }
  ln.clear();
  ln.rep('-', 24).T(30).rep('-', 13).T(45).rep('-', 15).T(72).rep('-', 24).T(101).rep('-', 13);
  ln.T(116).rep('-', 15);
  f.line(ln.view());

  // Central plant.
  float tons = pkCool / 12.0f;
  float sqftTon = reportRatio(e.ZAREA, tons);
  float heatAir = 0, coolAir = 0, vent = 0;
  for (int z = 1; z <= nz; ++z) {
    heatAir += e.CFMHTG(z);
    coolAir += e.CFMMAX(z);
    vent = std::fmax(vent, e.FCHRS(z));
  }
  float hdb = e.HPKDB, cdb = e.CPKDB;
  float pH = pkHeat, pC = pkCool, aH = anHeat, aC = anCool;
  if (si) {
    pH *= kKWperKBtuh;
    pC *= kKWperKBtuh;
    aH *= kGJperMBtu;
    aC *= kGJperMBtu;
    sqftTon *= kM2TonPerFt2Ton;
    heatAir *= kLsPerCfm;
    coolAir *= kLsPerCfm;
    hdb = toC(hdb);
    cdb = toC(cdb);
  }
  const int col = si ? 43 : 44;
  ln.clear();
  ln.text(si ? "CENTRAL PLANT LOAD" : " CENTRAL PLANT LOAD").X(7);
  ln.F(pH, 11, 2).text(si ? " kW   " : " kBtuh").F(pC, 11, 2).text(si ? " kW   " : " kBtuh");
  ln.T(72).text("TOTAL ANNUAL LOADS").X(7);
  ln.F(aH, 11, 2).text(si ? " GJ   " : " MBtu ").F(aC, 11, 2).text(si ? " GJ   " : " MBtu ");
  f.line(ln.view());
  ln.clear();
  ln.T(col).text("(").F(tons, 9, 1).text("  TONS)");
  ln.T(72).text(si ? "VENT (ECONOMIZER) COOLING" : "VENT COOLING").T(114).F(vent, 9, 0);
  ln.T(128).text("HRS");
  f.line(ln.view());
  ln.clear();
  ln.T(col).text("(").F(sqftTon, 8, 0).text(si ? " Sq.m./TON)" : " s.ft./TON)");
  f.line(ln.view());
  ln.clear();
  ln.T(44).text("( SYSTEM SHR =").F(e.SHRPK, 5, 2).text(")");
  f.line(ln.view());
  f.emptyLine();
  ln.clear();
  f.line(ln.text("DESIGN CONDITIONS:").T(34).text("HEATING").T(51).text("COOLING").view());
  const std::string_view air = si ? "L/S  " : "CFM  ";
  const std::string_view deg = si ? "DEG C" : "DEG F";
  ln.clear();
  ln.text("  TOTAL AIR SUPPLY").T(27).F(heatAir, 9, 0).T(39).text(air).F(coolAir, 9, 0);
  ln.T(56).text(air);
  f.line(ln.view());
  ln.clear();
  ln.text("  OUTDOOR DESIGN DB").T(31).F(hdb, 5, 0).T(39).text(deg).T(48).F(cdb, 5, 0);
  ln.T(56).text(deg);
  f.line(ln.view());
  ln.clear();
  ln.text("  PEAK LOAD DATE/TIME").T(si ? 29 : 30);
  ln.I(e.HPKDAY, 3).X(1).A(monthName(s, e.HPKMON), 3).I(e.HPKHR, 4).X(1).A(e.HPKAMPM.view(), 4);
  ln.X(1).I(e.CPKDAY, 3).X(1).A(monthName(s, e.CPKMON), 3).I(e.CPKHR, 4).X(1);
  ln.A(e.CPKAMPM.view(), 4).X(1);
  f.line(ln.view());
}

// Section IV; returns the zones' first-cost and maintenance sums for the cost analysis.
ZoneCostSums zoneDesign(EngineState& s) {
  const ENACC& e = s.enacc;
  const BLDG& b = s.bldg;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.report;
  ZoneCostSums costs;

  AnnualPageTitle(s, "IV.  D E S I G N   D A T A   F O R   H V A C   Z O N E S:", 6, 57, false);
  f.emptyLine();
  Line ln;
  ln.T(32).text("Floor").T(41).text(".......DESIGN HEATING LOAD........").T(77);
  ln.text("..........DESIGN COOLING LOAD..........").T(126).text("ECONO.");
  f.line(ln.view());
  ln.clear();
  ln.text("ZONE").T(32).text("Area").T(43).text("Load").T(49).text("Elec Htg").T(59);
  ln.text("Air Htg").T(69).text("HW Htg").T(79).text("Load").T(85).text("SHR(ratio)").T(97);
  ln.text("Cap.").T(103).text("Sup.Air").T(112).text("AC/").T(116).text("Duct Area").T(128);
  ln.text("CLG");
  f.line(ln.view());
  ln.clear();
  ln.text(" NO.  ZONE NAME").T(31).text(si ? " (sq.m.)" : "(sq.ft.)").T(41);
  ln.text(si ? "  (kW) " : "(kBtuh)").T(51).text("(kW)").T(60).text(si ? "(L/S)" : "(CFM)");
  ln.T(69).text(si ? "(L/S)" : "(GPM)").T(77).text(si ? "  (kW) " : "(kBtuh)").T(85);
  ln.text("Rm.  Coil").T(96).text("(TONS)").T(104).text(si ? "(L/S)" : "(CFM)").T(112);
  ln.text("Hr.").T(117).text(si ? "(Sq.Cm.)" : "(Sq.In.)").T(127).text("(Hrs)");
  f.line(ln.view());
  rule(f, '*', 131);

  float sHt = 0, sElec = 0, sHAir = 0, sHw = 0, sCl = 0, sTons = 0, sCAir = 0, sDuct = 0;
  float sCAirIP = 0, sVol = 0, econ = 0;
  for (int z = 1; z <= b.NZ; ++z) {
    float cl = e.ZPKCLG(z) / 1000.0f;
    const float tons = cl / 12.0f;
    float ht = e.ZPKHV(z) / 1000.0f;
    float hAir = ht == 0.0f ? e.OACFM(z) : e.CFMHTG(z);
    float elec = -ht / 3.413f;
    float hw = -ht / 10.0f;
    float cAir = e.CFMMAX(z);
    float duct = cAir * 144.0f / 700.0f;
    const float ach = reportRatio(cAir * 60.0f, e.VOLUME(z));
    float area = b.FLRZ(z);
    costs.lighting += b.CSTSF(z) * b.FLRZ(z);
    costs.hvac += tons * b.CST1(z);
    costs.maint += tons * b.CSTM(z);
    sCAirIP += cAir;
    sVol += e.VOLUME(z);
    if (si) {
      ht *= kKWperKBtuh;
      cl *= kKWperKBtuh;
      hAir *= kLsPerCfm;
      cAir *= kLsPerCfm;
      hw *= kLsPerGpm;
      duct *= kCm2PerIn2;
      area *= kM2PerFt2Short;
    }
    ln.clear();
    ln.I(b.IZONE(z), 4).X(1).A(s.prjtxt.ZNAME(z).view(), 20).T(28).F(area, 9, 0).T(38);
    ln.F(ht, 9, 1).F(elec, 9, 1).F(hAir, 9, 0).F(hw, 9, 1).F(cl, 9, 1).X(1);
    ln.F(e.RSHRZ(z), 5, 2).F(e.SHRZ(z), 5, 2).F(tons, 7, 1).F(cAir, 9, 0).F(ach, 5, 1);
    ln.F(duct, 9, 0).F(e.FCHRS(z), 7, 0);
    f.line(ln.view());
    if (z % 5 == 0) f.emptyLine();
    sHt += ht;
    sElec += elec;
    sHAir += hAir;
    sHw += hw;
    sCl += cl;
    sTons += tons;
    sCAir += cAir;
    sDuct += duct;
    econ = std::fmax(econ, e.FCHRS(z));
  }
  rule(f, '=', 131);
  ln.clear();
  ln.text("TOTAL OF ALL ZONES:").T(28).F(b.FLRAREA * (si ? kM2PerFt2Short : 1.0f), 9, 0).T(38);
  ln.F(sHt, 9, 1).F(sElec, 9, 1).F(sHAir, 9, 0).F(sHw, 9, 1).F(sCl, 9, 1).T(92);
  ln.F(sTons, 9, 1).F(sCAir, 9, 0).F(reportRatio(sCAirIP * 60.0f, sVol), 5, 1).F(sDuct, 9, 0);
  ln.F(econ, 7, 0);
  f.line(ln.view());
  return costs;
}

void profileTable(OutFile& f, std::string_view title, const float* v) {
  Line ln;
  f.line(ln.T(10).text(title).view());
  for (int half = 0; half < 2; ++half) {
    ln.clear();
    ln.T(10);
    for (int h = 0; h < 12; ++h) ln.F(v[half * 12 + h], 9, 0);
    f.line(ln.view());
  }
}

// Section V: the four peak-day profiles and their character plot.
void peakProfiles(EngineState& s) {
  const ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.report;
  AnnualPageTitle(s, "V.  P E A K   D E M A N D   P R O F I L E S :", 5, 45, false);

  // Curves A..D: summer electric, summer gas, winter electric, winter gas.
  float v[4][24];
  const float kGas = si ? kGJperMBtu : 1.0f;
  for (int h = 1; h <= 24; ++h) {
    v[0][h - 1] = e.SPKEL(h);
    v[1][h - 1] = e.SPKGAS(h) * kGas;
    v[2][h - 1] = e.WPKEL(h);
    v[3][h - 1] = e.WPKGAS(h) * kGas;
  }
  if (si) f.emptyLine();
  profileTable(f, "SUMMER ELECTRIC (KW EACH HR)-", v[0]);
  f.emptyLine();
  profileTable(f, si ? "SUMMER GAS   (MJ/hr EACH HR)-" : "SUMMER GAS   (kBtuh EACH HR)-", v[1]);
  f.emptyLine();
  profileTable(f, "WINTER ELECTRIC (KW EACH HR)-", v[2]);
  f.emptyLine();
  profileTable(f, si ? "WINTER GAS   (MJ/hr EACH HR)-" : "WINTER GAS   (kBtuh EACH HR)-", v[3]);

  Line ln;
  f.emptyLine();
  f.line(ln.T(7).text("PLOTS FOR ENERGY DEMAND FOR PEAK SUMMER AND WINTER DAYS").view());
  f.emptyLine();
  ln.clear();
  ln.T(10).text("KEY :  A = SUMMER ELECTRIC").X(5).text("B = SUMMER GAS").X(5);
  ln.text("C = WINTER ELECTRIC").X(5).text("D = WINTER GAS");
  f.line(ln.view());
  ln.clear();
  f.line(ln.T(8).rep('=', 120).view());

  constexpr int kW = 120, kH = 30;
  char grid[kH][kW];
  for (auto& row : grid)
    for (char& c : row) c = ' ';
  auto put = [&](int x, int y, char c) {
    if (x >= 1 && x <= kW && y >= 1 && y <= kH) grid[y - 1][x - 1] = c;
  };
  float emax = 0, gmax = 0;
  for (int h = 0; h < 24; ++h) {
    emax = std::fmax(emax, std::fmax(v[0][h], v[2][h]));
    gmax = std::fmax(gmax, std::fmax(v[1][h], v[3][h]));
  }
  const float efac = emax > 0.05f ? 30.0f / emax : 1.0f;
  const float gfac = gmax > 0.05f ? 30.0f / gmax : 1.0f;
  auto height = [](float x) -> int {
    const float y = x + 0.5f;
    if (!(y > -1.0e6f && y < 1.0e6f)) return 0;
    return static_cast<int>(y);
  };
  constexpr char kLetter[4] = {'A', 'B', 'C', 'D'};
  for (int k = 0; k < 4; ++k) {
    const float fac = (k == 0 || k == 2) ? efac : gfac;
    int prev = 0;
    for (int j = 1; j <= 24; ++j) {
      const int x0 = 5 * j - 3;
      const int x1 = std::min(x0 + 4, kW);
      int y0 = prev;
      if (j == 1) {
        y0 = height(fac * v[k][0]);
        if (y0 != 0) put(1, y0, kLetter[k]);
      }
      const int y1 = height(fac * v[k][j == 24 ? 0 : j]);
      for (int x = x0; x <= x1; ++x) {
        const int y = ((x - x0 + 1) * (y1 - y0) + 2) / 5 + y0;
        if (y != 0) put(x, y, kLetter[k]);
      }
      prev = y1;
    }
  }
  for (int y = kH; y >= 1; --y) {
    ln.clear();
    ln.T(7).text("-").text(std::string_view(grid[y - 1], kW)).text("-");
    f.line(ln.view());
  }
  ln.clear();
  f.line(ln.T(8).rep('=', 120).view());
  ln.clear();
  for (int x = 8; x <= 123; x += 5) ln.T(x).text("*");
  f.line(ln.view());
  ln.clear();
  ln.T(4);
  for (int h = 1; h <= 24; ++h) ln.I(h, 5);
  f.line(ln.view());
  ln.clear();
  f.line(ln.T(50).text("TIME OF DAY (HRS AFTER MIDNIGHT)").view());
}

}  // namespace

void AnnualPageTitle(EngineState& s, std::string_view title, int dashFrom, int dashTo,
                     bool blankBeforeBlock) {
  OutFile& f = s.files.report;
  s.runpar.NPAGE += 1;
  f.line("\f");
  Line ln;
  ln.text(title).T(115).text(".... PAGE").I(s.runpar.NPAGE, 3).text(" ....");
  f.line(ln.view());
  dashes(f, dashFrom, dashTo - dashFrom + 1);
  if (blankBeforeBlock) f.emptyLine();
  PageHeaderBlock(s, f);
}

void YREND(EngineState& s) {
  closingRows(s);
  impacts(s);
  loadTable(s);
  const ZoneCostSums costs = zoneDesign(s);
  peakProfiles(s);
  if (s.runpar.IRUN == 3) SEASONS(s);
  COSTAN(s, costs);
}

}  // namespace kv
