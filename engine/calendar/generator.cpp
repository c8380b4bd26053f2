#include "engine/calendar/generator.h"

#include <algorithm>
#include <cmath>

namespace kv {

const Arr1<float, 31> kNormalDeviate{{
    -2.11f,  -1.7f,   -1.401f, -1.211f, -1.057f, -0.925f, -0.808f, -0.7f,  -0.6f,  -0.506f, -0.415f,
    -0.33f,  -0.245f, -0.162f, -0.083f, 0.0f,    0.083f,  0.162f,  0.245f, 0.33f,  0.415f,  0.506f,
    0.6f,    0.7f,    0.808f,  0.925f,  1.057f,  1.211f,  1.401f,  1.7f,   2.11f}};

const Arr2<int, 31, 6> kRankPermutation{{
    {11, 18, 27, 24, 29, 3, 2, 4, 9, 26, 14, 23, 19, 16, 21, 20,
     22, 15, 10, 17, 5, 1, 6, 8, 12, 7, 31, 30, 28, 13, 25},
    {24, 29, 12, 21, 31, 30, 23, 5, 14, 11, 2, 1, 7, 16, 25, 10,
     8, 3, 4, 9, 18, 6, 13, 26, 20, 22, 15, 17, 27, 19, 28},
    {20, 29, 13, 26, 31, 30, 21, 12, 14, 11, 2, 1, 3, 15, 25, 9,
     5, 7, 6, 4, 19, 8, 10, 23, 22, 27, 16, 18, 28, 17, 24},
    {12, 27, 16, 25, 28, 30, 26, 15, 18, 11, 2, 1, 3, 13, 14, 10,
     6, 9, 5, 4, 24, 7, 8, 20, 23, 31, 17, 19, 29, 21, 22},
    {22, 15, 17, 10, 4, 3, 7, 1, 2, 11, 30, 31, 28, 14, 9, 27,
     29, 26, 19, 20, 13, 24, 21, 8, 6, 5, 25, 23, 16, 18, 12},
    {12, 5, 17, 8, 23, 10, 27, 26, 21, 30, 31, 25, 9, 20, 29, 1,
     6, 28, 19, 13, 18, 22, 4, 7, 3, 14, 11, 2, 16, 24, 15},
}};

namespace {
const Arr1<int, 7> kSampled7{{1, 5, 9, 12, 18, 25, 30}};
const Arr1<int, 14> kSampled14{{4, 5, 11, 17, 18, 20, 22, 23, 24, 25, 26, 27, 30, 31}};
const Arr1<int, 21> kSampled21{{1,  2,  4,  5,  6,  7,  12, 13, 14, 16, 17,
                                     18, 19, 21, 22, 23, 25, 27, 28, 30, 31}};

struct Cubic {
  float c1, c2, c3, c4;
  float operator()(float x) const { return c1 + c2 * x + c3 * x * x + c4 * x * x * x; }
};
// One curve per monthly mean clearness 0.2, 0.3 .. 0.8.
const Arr1<Cubic, 7> kClearnessCurves{{
    {0.01905f, 0.341502f, -0.85036f, 1.1565f},
    {0.01961f, 0.496269f, -0.45519f, 0.723633f},
    {0.0199f, 0.799791f, -0.165837f, 0.142146f},
    {0.0502f, 1.51222f, -1.47016f, 0.741052f},
    {0.0811f, 2.1f, -2.38892f, 1.06174f},
    {0.2574f, 2.35f, -3.59065f, 1.8382f},
    {0.6015f, 1.06215f, -1.52761f, 0.716076f},
}};

float deviate(int rank) { return kNormalDeviate(rank); }
int rankFromDraw(double r) { return static_cast<int>(31.0 * r + 1.0); }
}  // namespace

int sampledRankIndex(int row, int counter) {
  switch (row) {
    case 1: return kSampled7(counter);
    case 2: return kSampled14(counter);
    case 3: return kSampled21(counter);
    default: throw IndexError(row, 1, 3);
  }
}

void KTCURV(int MONTH, float KTMEAN, int IRANK, float& KT, ClearnessCurve& curve) {
  if (MONTH != curve.month) {
    curve.month = MONTH;
    const float k = std::clamp(KTMEAN, 0.2f, 0.8f);
    const int j = static_cast<int>(10.0f * k);
    curve.upper = j;
    curve.lower = std::max(j - 1, 1);
    curve.fraction = 10.0f * k - static_cast<float>(j);
    if (curve.fraction == 0.0f) curve.upper = curve.lower;
  }
  const float x = static_cast<float>(IRANK - 1) / 30.0f;
  const float up = kClearnessCurves(curve.upper)(x);
  const float lo = kClearnessCurves(curve.lower)(x);
  KT = (up - lo) * curve.fraction + lo;
  if (KTMEAN < 0.2f) KT = 5.0f * KTMEAN * up;
}

void STCURV(DayDraw& draw, float ktm, const MonthStats& m, int month, const DesignBounds& b,
            const DesignAir& air, double startDraw, DaySet& next) {
  if (draw.started == 0) {
    draw.started = 1;
    draw.row = b.daysPerMonth / 7;
    draw.rankIndex = rankFromDraw(startDraw);
  }
  if (b.daysPerMonth > 21) {
    draw.rankIndex = draw.rankIndex % 31 + 1;
  } else {
    draw.counter = draw.counter % b.daysPerMonth + 1;
    draw.rankIndex = sampledRankIndex(draw.row, draw.counter);
  }
  const int i = draw.rankIndex;

  KTCURV(month, ktm, rankOf(1, i), next.kt, draw.curve);

  const int r2 = rankOf(2, i);
  float tmax = std::min(m.tmxm + m.tmxs * deviate(r2), b.tdsmx);
  if (r2 == 31 && month == b.monthOfMax) tmax = b.tdsmx;

  const int r3 = rankOf(3, i);
  next.rank = r3 <= 2 ? 1 : r3;
  float tmean = m.tdbm + m.tdbs * deviate(r3);
  float tmin = std::max(2.0f * tmean - tmax, b.tdsmn);
  if (r3 < 3 && month == b.monthOfMin) tmin = b.tdsmn;
  tmean = (tmax + tmin) / 2.0f;

  const float dpMean = std::min(m.tdpm + m.tdps * deviate(rankOf(4, i)), tmean);
  const float early = std::min((dpMean + next.dpLate) / 2.0f, tmin);
  float late = std::min(std::min(2.0f * dpMean - early, b.dpHigh), tmax);

  if (month == b.monthOfMax && tmax == b.tdsmx) {
    late = b.dpHigh;
    if (b.tdswb > 65.0f && air.wetBulb(tmax, late, b.pressure) > b.tdswb) {
      late = air.dewPoint(tmax, b.tdswb, b.pressure);
    }
  }

  next.tmin = tmin;
  next.tmean = tmean;
  next.tmax = tmax;
  next.dpEarly = early;
  next.dpLate = late;
  next.dpMean = (early + late) / 2.0f;
  next.pressure = b.pressure + 0.17f * deviate(rankOf(5, i));
  next.wind = (1.0f + 0.31f * deviate(rankOf(6, i))) * m.wndm;
}

HourWeather TEMPER(HourWave& w, int h, int s, const DaySet& today, const DaySet& tomorrow,
                   float depression, double windDraw) {
  float x = 0.0f;
  if (w.started == 0) {
    w.started = 1;
    x = 9.0f;
    w.dbMid = (today.tmax + today.tmin) / 2.0f;
    w.dbAmp = today.tmax - w.dbMid;
    w.dpMid = (today.dpLate + today.dpEarly) / 2.0f;
    w.dpAmp = today.dpLate - w.dpMid;
    w.period = std::max(static_cast<float>(s + 9), 1.0f);
    w.prevPressure = today.pressure;
  } else if (h < s) {
    x = static_cast<float>(h + 9);
  } else if (h == s) {
    // Rising half-wave from the minimum to 15:00. A sunrise at 15:00 or later (polar
    // night far west of the meridian) still gets a period of one hour.
    w.dbMid = (today.tmax + today.tmin) / 2.0f;
    w.dbAmp = w.dbMid - today.tmax;
    w.dpMid = (today.dpLate + today.dpEarly) / 2.0f;
    w.dpAmp = w.dpMid - today.dpLate;
    w.period = std::max(static_cast<float>(15 - h), 1.0f);
  } else if (h == 15) {
    w.dbMid = (today.tmax + tomorrow.tmin) / 2.0f;
    w.dbAmp = today.tmax - w.dbMid;
    w.dpMid = (today.dpLate + tomorrow.dpEarly) / 2.0f;
    w.dpAmp = today.dpLate - w.dpMid;
    w.period = std::max(static_cast<float>(s + 9), 1.0f);
  } else {
    x = static_cast<float>(h < 15 ? h - s : h - 15);
  }

  HourWeather out;
  const float c = std::cos(3.1416f * x / w.period);
  out.db = w.dbMid + w.dbAmp * c;
  out.dp = std::min(w.dpMid + w.dpAmp * c, out.db);

  float pb = today.pressure -
             0.003f * depression * std::cos(3.1416f * static_cast<float>(h - s) / 12.0f);
  if (pb < w.prevPressure - 0.1f) pb = w.prevPressure - 0.1f;
  if (pb > w.prevPressure + 0.1f) pb = w.prevPressure + 0.1f;
  w.prevPressure = pb;
  out.pb = pb;

  out.wv = (1.0f + 0.35f * deviate(rankFromDraw(windDraw))) * today.wind;
  return out;
}

}  // namespace kv
