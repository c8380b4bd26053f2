// The hourly rows of the spreadsheets tavik$.hry (weather and whole-building energy) and
// etemp$.hry (outdoor and zone temperatures) at detail level 0, the energy line of the
// detail levels above 0, and the abbreviated weather line of levels 1 to 4. The heads are
// written by the set-up; the zone lines and traces by the zone pass. Every line is built in
// a stack buffer and written through the file's buffer: nothing allocates per hour.
#include <cmath>
#include <cstdint>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/core/state.h"
#include "engine/core/units.h"
#include "engine/loads/stages.h"
#include "engine/loads/sums.h"

namespace kv {

namespace {

constexpr float kWm2perBtuhft2 = 3.1546f;

// The start of both rows: day of the month, "-", month name, the hour, and the outdoor dry
// bulb, dew point and relative humidity (its field rhWidth wide).
void rowStart(EngineState& s, Line& ln, int32_t MONTH, int rhWidth) {
  const ENACC& e = s.enacc;
  const HRWTHR& w = s.hrwthr;
  const bool si = reportsInSI(s);
  const char sep = e.SEP;
  ln.I(e.IDAY, 3).text("-").A(s.chtab.MONNAM(MONTH).view(), 3).ch(sep).I(e.IHR, 3);
  ln.ch(sep).F(si ? toC(w.DB) : w.DB, 6, 1);
  ln.ch(sep).F(si ? toC(w.DP) : w.DP, 6, 1);
  ln.ch(sep).I(reportInt(w.RH + 0.5f), rhWidth);
}

void energyRow(EngineState& s, int32_t MONTH) {
  ENACC& e = s.enacc;
  const HRWTHR& w = s.hrwthr;
  const bool si = reportsInSI(s);
  const char sep = e.SEP;
  Line ln;
  rowStart(s, ln, MONTH, 5);
  ln.ch(sep).F(w.ALT, 6, 1);
  ln.ch(sep).F(w.AZM, 6, 1);
  const float rad = si ? kWm2perBtuhft2 : 1.0f;
  for (float v : {w.DN, w.DFH, w.DH}) ln.ch(sep).I(reportInt(v * rad + 0.5f), 5);
  ln.ch(sep).F(si ? w.WV * kMpsPerMph : w.WV, 5, 1);
  ln.ch(sep).F(si ? w.PB * kKPaPerInHg : w.PB, 6, 2);
  ln.ch(sep).I(reportInt(w.CC * 100.0f), 4);
  for (int k = 1; k <= 4; ++k) {
    if (si) {  // the SI values replace the stored ones for the rest of the hour
      e.IDIRV(k) = static_cast<int32_t>(reportInt(static_cast<float>(e.IDIRV(k)) * kWm2perBtuhft2 + 0.5f));
      e.IDIFV(k) = static_cast<int32_t>(reportInt(static_cast<float>(e.IDIFV(k)) * kWm2perBtuhft2 + 0.5f));
    }
    ln.ch(sep).I(e.IDIRV(k), 5).ch(sep).I(e.IDIFV(k), 4);
  }
  const float heat = si ? kGJperMBtu : 1.0f;
  ln.ch(sep).F(e.QHTG * heat, 6, 0);
  ln.ch(sep).F(e.ECLG, 6, 0);
  ln.ch(sep).F(e.ELTG, 6, 0);
  ln.ch(sep).F(e.ERCP, 7, 0);
  ln.ch(sep).F(e.EFAN, 6, 0);
  ln.ch(sep).F(e.QHW * heat, 6, 0);
  s.files.hrEnergy.line(ln.view());
}

void temperatureRow(EngineState& s, int32_t MONTH) {
  const ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  const char sep = e.SEP;
  Line ln;
  rowStart(s, ln, MONTH, 4);
  for (int z = 1; z <= s.bldg.NZ; ++z) {
    ln.ch(sep).F(si ? toC(e.TZONE(z)) : e.TZONE(z), 7, 1);
    ln.ch(sep).F(si ? toC(e.DPZONE(z)) : e.DPZONE(z), 7, 1);
    ln.ch(sep).I(reportInt(e.RHZONE(z)), 5);
  }
  s.files.hrTemps.line(ln.view());
}

// The energy line of the detail levels above 0.
void energyLine(EngineState& s) {
  const ENACC& e = s.enacc;
  const float heat = reportsInSI(s) ? kGJperMBtu : 1.0f;
  Line ln;
  ln.T(5).F(e.QHTG * heat, 6, 0).F(e.ECLG, 6, 0).F(e.ELTG, 6, 0).F(e.ERCP, 7, 0);
  ln.F(e.EFAN, 6, 0).F(e.QHW * heat, 6, 0);
  s.files.hrEnergy.line(ln.view());
}

}  // namespace

void HOURROWS(EngineState& s, int32_t MONTH) {
  if (s.runpar.IHRLY != 1) return;
  if (s.enacc.IDETL == 0) {
    energyRow(s, MONTH);
    temperatureRow(s, MONTH);
  } else {
    energyLine(s);
  }
}

void HOURWXLINE(EngineState& s, int32_t MONTH) {
  const ENACC& e = s.enacc;
  if (s.runpar.IHRLY != 1 || e.IDETL < 1 || e.IDETL > 4) return;
  const HRWTHR& w = s.hrwthr;
  const bool si = reportsInSI(s);
  const float rad = si ? kKJm2PerBtuFt2 : 1.0f;
  Line ln;
  ln.I(MONTH, 3).I(e.IDAY, 4).I(e.IHR, 4);
  ln.F(si ? toC(w.DB) : w.DB, 6, 1).F(si ? toC(w.DP) : w.DP, 6, 1).F(w.RH, 5, 0);
  ln.F(w.DN * rad, 7, 0).F(w.DFH * rad, 7, 0).F(w.DH * rad, 7, 0);
  ln.F(si ? w.WV * kMpsPerMph : w.WV, 5, 1).F(si ? w.PB * kKPaPerInHg : w.PB, 7, 2);
  ln.F(w.CC, 5, 1);
  s.files.hrEnergy.emptyLine();
  s.files.hrEnergy.line(ln.view());
}

}  // namespace kv
