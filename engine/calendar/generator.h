// Stochastic weather generator: day values drawn by rank from the monthly statistics, one
// day ahead (STCURV with KTCURV for the clearness), and hourly values from them (TEMPER).
// Temperatures F, pressure inHg, wind mph; single precision throughout.
#pragma once

#include "engine/core/arrays.h"

namespace kv {

// The 31 standard-normal deviates of the ranks of a month.
extern const Arr1<float, 31> kNormalDeviate;
// Ranks by (rank index, table): tables 1 clearness, 2 daily maximum, 3 daily mean,
// 4 dew point, 5 pressure, 6 wind.
extern const Arr2<int, 31, 6> kRankPermutation;
inline int rankOf(int table, int rankIndex) { return kRankPermutation(rankIndex, table); }
// Rank indexes of the sampled calendars, row = days per month / 7 (1..3).
int sampledRankIndex(int row, int counter);

// One month's column of the statistics.
struct MonthStats {
  float tdbm = 0, tdbs = 0;  // daily mean dry bulb and its standard deviation
  float tmxm = 0, tmxs = 0;  // daily maximum and its standard deviation
  float tdpm = 0, tdps = 0;  // dew point and its standard deviation
  float wndm = 0;            // mean wind
};

// Values of the calendar's set-up that bound the generated days.
struct DesignBounds {
  float tdsmn = 0;     // design minimum dry bulb
  float tdsmx = 0;     // design maximum dry bulb
  float tdswb = 0;     // design wet bulb
  float dpHigh = 0;    // highest dew point
  float pressure = 0;  // station pressure
  int monthOfMax = 0;  // month of the highest expected daily maximum
  int monthOfMin = 0;  // month of the lowest expected daily minimum
  int daysPerMonth = 31;
};

// The values of one generated day.
struct DaySet {
  float tmin = 0, tmean = 0, tmax = 0;
  float dpEarly = 0, dpMean = 0, dpLate = 0;
  float kt = 0, pressure = 0, wind = 0;
  int rank = 15;  // rank of the mean temperature
};

// KTCURV's curve choice, kept for the month of its last choice.
struct ClearnessCurve {
  int month = 0;  // IFLAG
  int upper = 1, lower = 1;
  float fraction = 0.0f;
};
void KTCURV(int MONTH, float KTMEAN, int IRANK, float& KT, ClearnessCurve& curve);

// STCURV's carried values between days.
struct DayDraw {
  int started = 0;  // first-call flag
  int row = 0;
  int counter = 0;  // sampled-calendar counter
  int rankIndex = 0;
  ClearnessCurve curve;
};

// The design-day check needs the wet bulb of a dry bulb and dew point (PSY2) and the dew
// point of a dry bulb and wet bulb (PSY1) at the station pressure.
struct DesignAir {
  float (*wetBulb)(float db, float dp, float p);
  float (*dewPoint)(float db, float wb, float p);
};

// Draws the next day into `next`. next.dpLate holds the previous day's late dew point on
// entry. `startDraw` (a random number in [0, 1)) sets the starting rank on the first call
// only; callers draw it when draw.started is 0.
void STCURV(DayDraw& draw, float ktm, const MonthStats& m, int month, const DesignBounds& b,
            const DesignAir& air, double startDraw, DaySet& next);

// TEMPER's carried half-waves and pressure.
struct HourWave {
  int started = 0;
  float dbMid = 0, dbAmp = 0, dpMid = 0, dpAmp = 0, period = 1;
  float prevPressure = 0;
};

struct HourWeather {
  float db = 0, dp = 0, pb = 0, wv = 0;
};

// One generated hour h (1..24); s = first hour after sunrise. `windDraw` is the hour's random
// number for the wind scatter.
HourWeather TEMPER(HourWave& w, int h, int s, const DaySet& today, const DaySet& tomorrow,
                   float depression, double windDraw);

}  // namespace kv
