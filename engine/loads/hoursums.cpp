// Last stage of the hour: folds the hour into the working-day profiles, the demand and fuel
// peaks, the day's demand profiles, the month's weighted sums and the building's cooling and
// heating peaks. A peak moves only for a strictly larger load (strictly smaller heating load),
// so the first hour with the extreme value keeps it.
#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

namespace {

// Clock hour 1..12 of hour IHR (1..24): 12 stays 12 ("P.M."), 24 becomes 12 ("P.M.").
int32_t clockHour(int32_t ihr) { return ihr > 12 ? ihr - 12 : ihr; }

}  // namespace

void HOURSUMS(EngineState& s, int32_t MONTH) {
  ENACC& e = s.enacc;
  const HRWTHR& w = s.hrwthr;
  const int32_t h = e.IHR;
  // An hourly call whose hour the preparation has not set (IHR still 0) has nothing to fold
  // into the day's profiles and peaks.
  if (h < 1 || h > 24) return;

  // Working-day profiles of the quarter.
  if (e.IDOW <= e.NWDAYS) {
    e.NWHRS += 1;
    e.SEASPR(h, 2, e.ISEAS) += e.QHW * 1000.0f;
    e.SEASPR(h, 4, e.ISEAS) += e.EFAN + e.ELTEQ;
  }

  // Building electric demand of the hour, its peaks and the fuel peaks.
  e.ELKW += e.EFAN + e.ELTEQ;
  if (e.ELKW > e.PKKWM) e.PKKWM = e.ELKW;
  if (e.ELKW > e.PKKWY) e.PKKWY = e.ELKW;
  if (e.FUELHR > e.PKFUM) e.PKFUM = e.FUELHR;
  if (e.FUELHR > e.PKFUY) e.PKFUY = e.FUELHR;

  // The day's demand profiles (DAYEND keeps those of a peak day).
  e.ELDAY1(h) = e.ELKW;
  e.ELDAY2(h) = e.ELKW;
  e.FUDAY1(h) = e.FUELHR;
  e.FUDAY2(h) = e.FUELHR;

  // Weighted monthly sums.
  const float wt = e.DAYWT;
  if (e.SYSON > 0.1f) e.SYSHRS += wt;
  e.FANKWH += wt * e.EFAN;
  if (e.NONWRK == 0) e.LTEQKWH += wt * e.ELTEQ;
  e.HWMON += wt * e.QHW;
  e.HLOADM -= wt * e.QHLOAD;
  e.HEATM -= wt * e.QHEAT;
  e.CLOADM += wt * e.QCLOAD;

  // The hour's load categories, lights and equipment in Btuh.
  for (int j = 1; j <= kLoadCategories; ++j) e.QCATH(j) = e.QCAT(j);
  e.QCATH(5) = e.QCAT(5) * 3413.0f;

  // Building cooling peak. Equivalent full-load hours use the peak as it stood before this
  // hour; a zero peak (a building without design gains) adds none.
  if (e.QCLOAD > 0.0f) {
    if (e.CPKLOAD > 0.0f) e.CFLHRS += wt * e.QCLOAD / e.CPKLOAD;
    if (e.QCPEAK > e.CPKLOAD) {
      e.CPKNEW = 1;
      e.CPKLOAD = e.QCPEAK;
      e.CPKHR = clockHour(h);
      e.CPKAMPM.set(h >= 12 ? "P.M." : "A.M.");
      e.CPKDAY = static_cast<int32_t>(w.DAY);
      e.CPKMON = MONTH;
      e.CPKDB = w.DB;
      for (int j = 1; j <= kLoadCategories; ++j) e.QCATC(j) = e.QCATH(j) / 1000.0f;
      e.SHRPK = (e.QCPEAK - e.QCATH(7) - e.QCATH(9) - e.QCATH(11)) / e.QCPEAK;
    }
  }

  // Building heating peak: internal gains and latent parts do not count.
  if (e.QHLOAD < 0.0f && e.QHPEAK < e.HPKLOAD) {
    e.HPKNEW = 1;
    e.HPKLOAD = e.QHPEAK;
    e.HPKHR = clockHour(h);
    e.HPKAMPM.set(h < 12 ? "A.M." : "P.M.");
    e.HPKDAY = static_cast<int32_t>(w.DAY);
    e.HPKMON = MONTH;
    e.HPKDB = w.DB;
    e.QCATH(5) = 0.0f;
    e.QCATH(7) = 0.0f;
    e.QCATH(9) = 0.0f;
    e.QCATH(11) = 0.0f;
    for (int j = 1; j <= kLoadCategories; ++j) e.QCATW(j) = e.QCATH(j) / 1000.0f;
  }
}

}  // namespace kv
