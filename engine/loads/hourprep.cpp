// The first stage of every hourly call: hour and day values, the non-working flag of the
// hour, the weather-derived values of the surface and zone passes, the month bookkeeping,
// the debug trace and the per-zone preparation.
#include <cmath>

#include "engine/core/fixfmt.h"
#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

namespace {

// Non-working flag of the hour. A skipped month is non-working throughout. In the other
// months the weekday decides: the days after the whole occupied days are off, and the day
// of the fractional occupied day is off when there is no such fraction, or off in the
// afternoon when the fraction is more than 0.4 of a day. Holidays stay in HOLFAC.
int32_t nonWorking(const EngineState& s, int32_t month) {
  const ENACC& e = s.enacc;
  if (s.runpar.MONFLG(month) != 1) return 1;
  const int32_t partDay = e.NWDAYS + 1;
  if (e.IDOW > partDay) return 1;
  if (e.IDOW == partDay && (e.WDFRAC == 0.0f || (e.WDFRAC > 0.4f && e.IHR > 12))) return 1;
  return 0;
}

}  // namespace

void HOURPREP(EngineState& s, int32_t MONTH, float WEIGHT) {
  ENACC& e = s.enacc;
  const HRWTHR& w = s.hrwthr;

  e.IHR = static_cast<int32_t>(w.HOUR);
  e.GRNDDAY = static_cast<float>(w.JDAY) - static_cast<float>(e.MCOLD - 1) * 30.4f;
  e.IDAY = static_cast<int32_t>(w.DAY);
  e.NONWRK = nonWorking(s, MONTH);

  e.WDENS = w.V > 0.0f ? w.W / w.V : 0.0f;
  e.INFMULT = 0.25f + 0.02165f * w.WV + 0.00833f * std::fabs(w.DB - e.TDESIN);

  if (e.IDETL > 5) {
    Line ln;
    ln.text(" Date=").I(MONTH, 3).I(e.IDAY, 3).I(e.IHR, 3).text(" DN").F(w.DN, 5, 0).text(" DFH").F(w.DFH, 5, 0)
        .text(" DH").F(w.DH, 5, 0).text(" DB").F(w.DB, 5, 1).text(" DP").F(w.DP, 5, 1).text(" RH").F(w.RH, 5, 1)
        .text(" WV").F(w.WV, 5, 1).text(" PB").F(w.PB, 5, 2).text(" CC").F(w.CC, 4, 1);
    s.files.trace.line(ln.view());
  }

  e.QHTG = e.ECLG = e.ELTG = e.ERCP = e.QHW = 0.0f;
  e.TEVAP = 0.2f * w.DB + 0.8f * w.WB;
  e.IHRC = e.IHRC % 24 + 1;
  e.DTHW = 140.0f - s.wxmon.TDBM(MONTH);

  if (MONTH != e.MLAST) {
    e.MLAST = MONTH;
    e.DAYWT = e.HOLFAC * WEIGHT;
    e.ISEAS = (MONTH + 2) / 3;
    e.DAYWT6 = e.DAYWT / 1000000.0f;
    ZEROMONTH(s);
  }

  HOURWXLINE(s, MONTH);

  const float h1 = 1.45f + 0.262f * w.WV - 0.00125f * w.WV * w.WV;
  e.RFILM1 = 1.0f / h1;
  const float h2 = 1.9f + 0.33f * w.WV;
  e.RFILM2 = 1.0f / h2;
  e.GFILM = 1.46f / (h2 + 1.46f);

  for (int z = 1; z <= s.bldg.NZ; ++z) {
    e.TZLAST(z) = e.TZONE(z);
    e.QOPZ(z) = e.QROOFZ(z) = e.QTSZ(z) = e.QWAZ(z) = e.QWSZ(z) = 0.0f;
    e.SOPZ(z) = e.SALLZ(z) = e.FCDLZ(z) = 0.0f;
  }
  e.IDIRV.fill(0);
  e.IDIFV.fill(0);
  e.QCAT.fill(0.0f);
}

}  // namespace kv
