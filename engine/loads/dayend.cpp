// End of a simulated day and of a simulated month: the weekday, the outdoor lighting, the
// peak-day profiles; the month's row of report section III with its demand charge and costs,
// the monitor's progress line, the annual sums, the seasonal profiles and the comfort report.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/core/state.h"
#include "engine/core/units.h"
#include "engine/loads/energy.h"
#include "engine/loads/stages.h"
#include "engine/loads/sums.h"
#include "runcalendar.h"

namespace kv {

namespace {



// round(100 x part / total) by adding 0.5 and truncating; 0 when there are no hours.
std::int64_t percentOf(float part, float total) {
  if (!(total > 0.0f)) return 0;
  return reportInt(100.0f * part / total + 0.5f);
}


void criteriaText(Line& ln, const ENACC& e) {
  ln.T(33).text("Cold(<").I(e.ICMFLO, 2).text(") ---- Comfortable(").I(e.ICMFLO, 2).text("-");
  ln.I(e.ICMFHI, 2).text(") ---- Hot(>").I(e.ICMFHI, 2).text(")<---(Operative Temperature)");
}

// From column 24: the cold, comfortable and hot hours with their shares, and the total.
void hourGroups(Line& ln, float cold, float ok, float hot) {
  const float total = cold + ok + hot;
  ln.T(24);
  for (float h : {cold, ok, hot}) ln.F(h, 13, 0).text("(").I(percentOf(h, total), 3).text("%)");
  ln.text("   (").F(total, 6, 0).text(" Occupied Hours)");
}

// One row of a zone's day block: a 10-character label and 24 values F4.0.
void dayRow(OutFile& f, std::string_view label, const float* v) {
  Line ln;
  ln.text(label);
  for (int h = 0; h < 24; ++h) ln.F(v[h], 4, 0);
  f.line(ln.view());
}

// The hottest or the coldest day of zone z: outdoor, indoor, radiant, operative, humidity.
void dayBlock(EngineState& s, int z, bool hot) {
  const ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.comfort;
  f.line(hot ? " HOTTEST Day This Month:" : " COLDEST Day This Month:");
  const Arr1<float, 24>& db = hot ? e.HOTDB : e.COLDDB;
  const Arr2<float, 24, kLoadZones>& tz = hot ? e.HOTTZ : e.COLDTZ;
  const Arr2<float, 24, kLoadZones>& mrt = hot ? e.HOTMRT : e.COLDMRT;
  const Arr2<float, 24, kLoadZones>& top = hot ? e.HOTTOP : e.COLDTOP;
  const Arr2<float, 24, kLoadZones>& rh = hot ? e.HOTRH : e.COLDRH;
  float v[24];
  auto temps = [&](auto get) {
    for (int h = 1; h <= 24; ++h) v[h - 1] = si ? toC(get(h)) : get(h);
  };
  temps([&](int h) { return db(h); });
  dayRow(f, "  Outdoor=", v);
  temps([&](int h) { return tz(h, z); });
  dayRow(f, "  Indoor =", v);
  temps([&](int h) { return mrt(h, z); });
  dayRow(f, "  Rm. MRT=", v);
  temps([&](int h) { return top(h, z); });
  dayRow(f, "  Op.Temp=", v);
  for (int h = 1; h <= 24; ++h) v[h - 1] = rh(h, z);
  dayRow(f, "  Room RH=", v);
}

// The zone pages of a quarter's first month.
void comfortPages(EngineState& s, int32_t MONTH) {
  const ENACC& e = s.enacc;
  OutFile& f = s.files.comfort;
  Line ln;
  if (MONTH != 1) {
    f.emptyLine();
    f.line("\f");
    PageHeaderBlock(s, f);
  }
  f.line(ln.T(5).text("Floating space temperatures and comfort conditions:").view());
  f.emptyLine();
  ln.clear();
  ln.text("*** COMFORT CONDITIONS FOR ").A(s.chtab.MONNAM(MONTH).view()).text(" ***");
  f.line(ln.view());
  f.emptyLine();
  ln.clear();
  ln.text(" Time=").T(10);
  for (int h = 1; h <= 24; ++h) ln.I(h, 4);
  f.line(ln.view());
  for (int z = 1; z <= s.bldg.NZ; ++z) {
    f.emptyLine();
    ln.clear();
    ln.text(" ZONE").I(s.bldg.IZONE(z), 3).text(" - Temperatures and Relative Humidities:  [ ");
    ln.A(s.prjtxt.ZNAME(z).view(), 20).text("]");
    f.line(ln.view());
    dayBlock(s, z, true);
    dayBlock(s, z, false);
    ln.clear();
    ln.text(" COMFORT Criteria:");
    criteriaText(ln, e);
    f.line(ln.view());
    ln.clear();
    ln.T(10).text("Hrs This Month");
    hourGroups(ln, e.CHRLO(z), e.CHROK(z), e.CHRHI(z));
    f.line(ln.view());
  }
}

// The all-zone cumulative blocks, every month.
void comfortCumulative(EngineState& s, int32_t MONTH) {
  ENACC& e = s.enacc;
  const int nz = s.bldg.NZ;
  if (nz > 0) {
    const float n = static_cast<float>(nz);
    for (int z = 1; z <= nz; ++z) {
      e.CUMHLO += e.CHRLO(z) / n;
      e.CUMHOK += e.CHROK(z) / n;
      e.CUMHHI += e.CHRHI(z) / n;
      e.CUMDHLO += e.CDHLO(z) / n;
      e.CUMDHHI += e.CDHHI(z) / n;
      e.CUMDHTOT += (e.CDHLO(z) + e.CDHHI(z)) / n;
    }
  }
  OutFile& f = s.files.comfort;
  Line ln;
  f.emptyLine();
  ln.text(" AVERAGE Indoor Comfort Conditions For All Zones Through")
      .A(s.chtab.MONNAM(MONTH).view())
      .text(":");
  f.line(ln.view());
  ln.clear();
  ln.text("  Cumulative Hours This Year:");
  criteriaText(ln, e);
  f.line(ln.view());
  ln.clear();
  hourGroups(ln, e.CUMHLO, e.CUMHOK, e.CUMHHI);
  f.line(ln.view());
  f.emptyLine();
  ln.clear();
  ln.text("  Cumulative Degree-Hours:").T(33).text("Too Cold(<").I(e.ICMFLO, 2).text(") --");
  ln.text(" Too Hot(>").I(e.ICMFHI, 2).text(") -- Total Discomfort");
  f.line(ln.view());
  const float k = reportsInSI(s) ? 1.8f : 1.0f;
  ln.clear();
  ln.T(26).F(e.CUMDHLO / k, 17, 0).F(e.CUMDHHI / k, 17, 0).F(e.CUMDHTOT / k, 17, 0);
  f.line(ln.view());
}

}  // namespace

float DEMCHG(const EngineState& s, float PEAK) {
  const BLDG& b = s.bldg;
  const int n = b.NDEM;
  float d = 0.0f;
  if (n <= 0) return d;
  for (int i = 1; i <= n; ++i) {
    const float x = PEAK < b.DEMKW(i) ? PEAK : b.DEMKW(i);
    if (i == 1)
      d = x * b.DEMCST(1);
    else
      d += (x - b.DEMKW(i - 1)) * b.DEMCST(i);
    if (!(b.DEMKW(i) < PEAK)) return d;
  }
  d += (PEAK - b.DEMKW(n)) * b.DEMCST(n);
  return d;
}

void ZEROMONTH(EngineState& s) {
  ENACC& e = s.enacc;
  e.SYSHRS = e.CFLHRS = e.FANKWH = e.LTEQKWH = 0;
  e.HWMON = e.HLOADM = e.HEATM = e.CLOADM = 0;
  e.PKKWM = e.PKFUM = 0;
  e.OLKWHM = 0;
  e.SOLARM = e.ECLGM = e.GASM = e.ELECM = e.ELTKWHM = e.ERCPKWHM = 0;
  for (int j = 1; j <= kLoadCategories; ++j) e.QCLGM(j) = e.QHTGM(j) = 0;
  for (int z = 1; z <= kLoadZones; ++z) {
    e.CDHHI(z) = e.CDHLO(z) = 0;
    e.CHRHI(z) = e.CHRLO(z) = e.CHROK(z) = 0;
  }
}

void DAYEND(EngineState& s, int32_t /*MONTH*/, int32_t& DOW) {
  ENACC& e = s.enacc;
  e.IDOW = e.IDOW % 7 + 1;
  DOW = e.IDOW;

  e.OLKWHM += e.OLKWHD * e.DAYWT;

  if (e.CPKNEW == 1) {
    for (int h = 1; h <= 24; ++h) {
      e.SPKEL(h) = e.ELDAY1(h);
      e.SPKGAS(h) = e.FUDAY1(h);
    }
    e.CPKNEW = 0;
  }
  if (e.HPKNEW == 1) {
    for (int h = 1; h <= 24; ++h) {
      e.WPKEL(h) = e.ELDAY2(h);
      e.WPKGAS(h) = e.FUDAY2(h);
    }
    e.HPKNEW = 0;
  }
  // The non-working flag of the next hours is the hour preparation's (from the weekday).
}

void MONEND(EngineState& s, int32_t MONTH) {
  ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  const std::string_view mon = s.chtab.MONNAM(MONTH).view();

  // 1. Close the month's sums (in place).
  e.HEATM *= 1.0e-6f;
  e.HLOADM *= 1.0e-6f;
  e.SOLARM *= 1.0e-6f;
  e.CLOADM *= 1.0e-6f;
  e.HWMON /= 1000.0f;
  const float gas = e.GASM * e.DAYWT / 1000.0f;
  e.GASCSTM = gas * e.GASPR;
  e.LTEQKWH += e.OLKWHM;
  e.ELECM = e.ELECM * e.DAYWT + e.LTEQKWH + e.FANKWH;

  // 2. Demand charge of the month's peak.
  e.DEMCHGM = DEMCHG(s, e.PKKWM);
  e.DEMCHGY += e.DEMCHGM;

  // 3. Costs. A project without floor area has no cost per area.
  e.ECOSTM = e.ELECM * e.ELECPR + e.DEMCHGM;
  const float bill = e.GASCSTM + e.ECOSTM;
  float perArea = s.bldg.FLRAREA > 0.0f ? bill / s.bldg.FLRAREA : 0.0f;

  // 4. Solar heating fraction; whole hours.
  const float shf = e.HLOADM > 0.0f ? e.SOLARM / (e.HLOADM + e.SOLARM) : 0.0f;
  const std::int64_t cmpHrs = reportInt(e.CFLHRS);
  const std::int64_t sysHrs = reportInt(e.SYSHRS);

  // 5. The row's SI copies.
  float heat = e.HEATM, hw = e.HWMON, gasOut = gas;
  if (si) {
    heat *= kGJperMBtu;
    hw *= kGJperMBtu;
    gasOut *= kGJperMBtu;
    perArea *= kSqFtPerSqM;
  }

  // 6. The month's row of section III.
  Line ln;
  ln.A(mon, 3).F(heat, 9, 1).F(shf, 9, 2).F(hw, 9, 1).F(e.ECLGM, 9, 0).F(e.FANKWH, 9, 0);
  ln.F(e.LTEQKWH, 9, 0).I(cmpHrs, 7).I(sysHrs, 7).F(gasOut, 8, 0).F(e.GASCSTM, 8, 0);
  ln.F(e.PKKWM, 7, 1).F(e.ELECM, 9, 0).F(e.ECOSTM, 9, 0).F(bill, 9, 0).F(perArea, 7, 2);
  s.files.report.line(ln.view());

  // 7. Progress line.
  ln.clear();
  s.files.monitor.line(ln.T(33).A(mon, 3).text(" Completed.").view());
  s.files.monitor.flush();  // the log shows the run's progress while it runs

  // 8. Annual sums, inch-pound and unrounded.
  e.PKKWSUM += e.PKKWM;
  e.HLOADY += e.HLOADM;
  e.SHEATY += e.HEATM;
  e.HWY += e.HWMON;
  e.CLOADY += e.CLOADM;
  e.FANKWHY += e.FANKWH;
  e.ECOSTY += e.ECOSTM;
  e.SOLARY += e.SOLARM;
  e.GASY += gas;
  e.ELECY += e.ELECM;
  e.CMPHRSY += e.CFLHRS;
  e.SYSHRSY += e.SYSHRS;
  for (int k = 1; k <= kLoadCategories; ++k) {
    e.QCLGY(k) += e.QCLGM(k);
    e.QHTGY(k) += e.QHTGM(k);
  }

  // 9. Close the season at its last month, or at the run's last month.
  const int32_t seas = (MONTH + 2) / 3;
  const bool lastMonth = kalvano::calendar::EndsRun(s.runpar.IDAY2, s.hrwthr.JDAY, e.DAYWT);
  if (lastMonth || MONTH % 3 == 0) {
    const float hrs = static_cast<float>(e.NWHRS);
    for (int k = 1; k <= 4; ++k) {
      float days = k <= 2 ? hrs * 1000.0f / 24.0f : hrs / 24.0f;
      if (days < 1.0f) days = 1.0f;
      for (int h = 1; h <= 24; ++h) e.SEASPR(h, k, seas) /= days;
    }
    e.NWHRS = 0;
  }

  // 10, 11. Comfort report.
  if (MONTH == 1 || MONTH == 4 || MONTH == 7 || MONTH == 10) comfortPages(s, MONTH);
  comfortCumulative(s, MONTH);
}

}  // namespace kv
