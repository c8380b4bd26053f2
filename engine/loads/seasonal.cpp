// The report's last two sections: the seasonal average working-day profiles (VI) and the
// life-cycle cost analysis (VII), with the present-worth factor of an escalating series.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/core/state.h"
#include "engine/core/units.h"
#include "engine/loads/annual.h"
#include "engine/loads/sums.h"

namespace kv {

namespace {

// The annual report's own square-foot factor (four digits).
constexpr float kM2PerFt2Short = 0.0929f;


// (1 + r) to the whole power n, by repeated products as single precision does it.
float escalation(float r, int32_t n) {
  const float base = 1.0f + r;
  float x = 1.0f;
  const int32_t m = n < 0 ? -n : n;
  for (int32_t i = 0; i < m; ++i) x *= base;
  if (n < 0) x = x == 0.0f ? 0.0f : 1.0f / x;
  return std::isfinite(x) ? x : 0.0f;
}

}  // namespace

float PWIF(float ESC, float DISC, float YEARS) {
  if (ESC == DISC) return YEARS;
  const float f = (1.0f + ESC) / (DISC - ESC) *
                  (1.0f - std::pow((1.0f + ESC) / (1.0f + DISC), YEARS));
  return std::isfinite(f) ? f : 0.0f;
}

void SEASONS(EngineState& s) {
  const ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.report;
  AnnualPageTitle(s,
            "VI.  S E A S O N A L   A V E R A G E   H O U R L Y   D E M A N D   "
            "P R O F I L E S :",
            6, 84, false);
  Line ln;
  ln.T(7).text("KEY:").T(12).text("S = SPACE HEATING").X(5).text("W = WATER HEATING").X(5);
  ln.text("A = AIR CONDITIONING").X(5).text("O = OTHER ELECTRICAL (LIGHTS, FANS AND EQUIPMENT)");
  f.line(ln.view());
  constexpr char kKey[4] = {'S', 'W', 'A', 'O'};
  for (int q = 1; q <= 4; ++q) {
    f.emptyLine();
    ln.clear();
    ln.T(7).text("PROFILES FOR SEASON FROM ").text(s.chtab.MONNAM(3 * q - 2).view());
    ln.text(" TO ").text(s.chtab.MONNAM(3 * q).view()).text(" :");
    f.line(ln.view());
    for (int k = 1; k <= 4; ++k) {
      if (k > 1) f.line(" ");
      const bool heat = k <= 2;
      const float conv = heat && si ? kKWperKBtuh : 1.0f;
      const std::string_view unit = heat && !si ? "kBtuh" : "kW   ";
      for (int half = 0; half < 2; ++half) {
        ln.clear();
        if (half == 0) ln.T(9).ch(kKey[k - 1]).text(" (").text(unit).text(")");
        ln.T(20);
        for (int h = 1; h <= 12; ++h) ln.F(e.SEASPR(half * 12 + h, k, q) * conv, 9, 1);
        f.line(ln.view());
      }
    }
  }
}

void COSTAN(EngineState& s, const ZoneCostSums& sums) {
  const ENACC& e = s.enacc;
  const BLDG& b = s.bldg;
  const bool si = reportsInSI(s);
  OutFile& f = s.files.report;
  AnnualPageTitle(s, "VII.  C O S T   A N A L Y S I S :", 7, 33, true);

  const float life = b.ECON(1);
  const float disc = b.ECON(4), costEsc = b.ECON(5), elecEsc = b.ECON(7), gasEsc = b.ECON(9);
  const int32_t built = s.runpar.IYEAR;
  const int32_t runYear = s.runpar.IRYR;
  const int32_t years = built - runYear;

  Line ln;
  f.emptyLine();
  f.emptyLine();
  f.line(ln.T(10).text("YEAR BUILDING EVALUATION BEGINS:").I(built, 5).view());
  f.emptyLine();
  ln.clear();
  ln.T(10).text("PROJECT ECONOMIC LIFE ASSUMED IS").F(life, 6, 1).text(" YEARS.");
  f.line(ln.view());
  f.emptyLine();
  ln.clear();
  ln.T(10).text("LIFE CYCLE COSTS ARE IN TERMS OF PRESENT WORTH IN").I(runYear, 5);
  f.line(ln.view());
  f.emptyLine();
  ln.clear();
  f.line(ln.T(34).text("TOTAL").T(45).text(si ? " $/Sq.m." : " $/Sq.Ft.").view());
  ln.clear();
  f.line(ln.T(31).rep('=', 10).T(45).rep('=', 10).view());

  const float xCost = escalation(costEsc, years);
  const float construction = b.BCOST * b.FLRAREA * xCost;
  const float lighting = sums.lighting * xCost;
  const float hvac = sums.hvac * xCost;
  const float maintYear = sums.maint * xCost;
  const float walls = e.WALLCOST, windows = e.GLASCOST;
  const float maint = PWIF(costEsc, disc, life) * maintYear;
  const float gas = PWIF(gasEsc, disc, life) * (e.GASY * e.GASPR * escalation(gasEsc, years));
  const float elec = PWIF(elecEsc, disc, life) * (e.ECOSTY * escalation(elecEsc, years));
  const float first = construction + lighting + hvac + walls + windows;
  const float om = gas + elec + maint;
  const float total = first + om;
  const float area = b.FLRAREA * (si ? kM2PerFt2Short : 1.0f);

  auto row = [&](int col, std::string_view label, bool dollar, float amount) {
    ln.clear();
    ln.T(col).text(label);
    if (dollar) ln.T(30).text("$");
    ln.T(31).F(amount, 10, 0).F(reportRatio(amount, area), 12, 2);
    f.line(ln.view());
  };
  auto equals = [&] {
    ln.clear();
    f.line(ln.T(31).rep('=', 24).view());
  };
  f.emptyLine();
  row(10, "CONSTRUCTION", true, construction);
  row(10, "LIGHTING", false, lighting);
  row(10, "HVAC", false, hvac);
  row(10, "WALLS", false, walls);
  row(10, "WINDOWS", false, windows);
  equals();
  row(10, "TOTAL 1ST COST", true, first);
  f.emptyLine();
  ln.clear();
  f.line(ln.T(10).text("PRESENT WORTH OF").view());
  ln.clear();
  f.line(ln.T(10).text("FUTURE ENERGY COSTS").view());
  row(20, "GAS", false, gas);
  row(20, "ELEC", false, elec);
  row(20, "MAINT", false, maint);
  equals();
  f.emptyLine();
  row(10, "TOTAL PW OF O & M", false, om);
  equals();
  f.emptyLine();
  row(10, "TOTAL PRESENT WORTH", true, total);
  equals();
}

}  // namespace kv
