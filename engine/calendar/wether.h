// The simulation calendar: walks the year month by month, day by day and hour by hour,
// makes every hour's weather, sun and moist-air values in HRWTHR, calls the load model's
// entries through the state's hooks and writes the weather listing tavik$.wth, the hourly
// weather spreadsheet eweth$.hry, report section VIII, eweth$.sum and the monitor's first
// and last lines.
#pragma once

#include "engine/calendar/generator.h"
#include "engine/calendar/solar.h"
#include "engine/calendar/wthrd.h"
#include "engine/core/state.h"

namespace kv {

// STNID: station identifier (a recorded file's header may replace it); UNITS: "SI" selects
// SI reports.
void WETHER(EngineState& s, Chars<8>& STNID, const Chars<2>& UNITS);

// The values of one simulated day that the listing shows (inch-pound).
struct DayRow {
  int32_t dow = 0, month = 0, dayOfMonth = 0, sunriseHhmm = 0;
  float tmin = 0, tmean = 0, tmax = 0;
  float dpLow = 0, dpMean = 0, dpHigh = 0;
  float rh = 0, pb = 0, direct = 0, diffuse = 0, clearness = 0, cc = 0, wind = 0;
};

// Weighted sums of one month (reset at the month's start).
struct MonthSums {
  float days = 0;  // days represented: sum of WEIGHT
  float tday = 0, tday2 = 0, tmax = 0, tmax2 = 0, dp = 0, dp2 = 0;
  float pb = 0, direct = 0, diffuse = 0, total = 0, h0 = 0, wind = 0;
  float hdd = 0, cdd = 0;  // the month's own degree days (65 F or 18 C base)
  float possibleSun = 0;   // hours
  int32_t sunshine = 0;    // hours, rounded every day
  Arr1<float, 24> hourDb, hourRh;  // unweighted sums by hour of the day
};

// The year's sums and extremes.
struct YearSums {
  Arr1<float, 20> hdd, cdd;
  float measured = 0, longTerm = 0;  // insolation, Btu/ft2
  int32_t sunshine = 0;
  float tmax = -999, tmin = 999, dhMax = 0;
  int32_t tmaxMonth = 0, tmaxDay = 0, tminMonth = 0, tminDay = 0;
  int32_t dhMonth = 0, dhDay = 0, dhHour = 0;
  // Simulated statistics by (row, month) for eweth$.sum, rows as the weather block's.
  Arr2<float, 8, 12> stats;
  Arr1<int32_t, 12> monthDone;  // 1 when the month had simulated days
};

// The calendar's own state for the one call of WETHER.
struct CalendarRun {
  bool si = false;
  Arr1<float, 12> monthLength;
  int32_t startMonth = 1;
  int32_t twoDigitYear = 0;
  int16_t clockHour = 0, clockMinute = 0;  // clock of the set-up, for the listing head
  float pressure = 29.92f;                 // station pressure, inHg
  Latitude lat;
  DesignBounds bounds;

  int32_t MONTH = 1, statMonth = 1, simDays = 0;
  float WEIGHT = 1, daysBefore = 0, ktm = 0;
  int32_t dayOfMonth = 0, DOW = 0, firstHour = 0, lastJday = 0;
  float dayOfYear = 0, sunrise = 0, sunset = 0;

  // Generated weather.
  DayDraw draw;
  DaySet today, next;
  HourWave wave;
  bool generatorPrimed = false;
  float depression = 0, b1 = 0, b2 = 0;
  SunDay sun;

  // The day's extremes: the generator's values, or the hours of a recorded day. The dew
  // point's low, mean and high are those the listing shows.
  float dayDbMin = 0, dayDbMax = 0, dayDpLow = 0, dayDpMean = 0, dayDpHigh = 0;

  // Day sums.
  float dDirect = 0, dDiffuse = 0, dTotal = 0, dRh = 0, dPb = 0, dWind = 0;
  int32_t sunnyHours = 0;

  MonthSums m;
  YearSums y;

  // Recorded weather.
  RecordedWeather rec;
  DayExtremes ext;
  bool monthStart = false;  // the month's first simulated hour is still to come
};

// Writers of the weather reports (inch-pound values, converted when run.si).
void writeListingHead(EngineState& s, const CalendarRun& run, const Chars<8>& STNID);
void writeHourlyWeatherHead(EngineState& s, const CalendarRun& run, const Chars<8>& STNID);
void writeMonthHead(EngineState& s, const CalendarRun& run);
void writeHourRow(EngineState& s, const CalendarRun& run);
void writeDayRow(EngineState& s, const CalendarRun& run, const DayRow& d);
// The month's summary; also stores its statistics for eweth$.sum.
void writeMonthSummary(EngineState& s, CalendarRun& run);
void writeSection8(EngineState& s, const CalendarRun& run);
void writeWeatherSummary(EngineState& s, const CalendarRun& run, const Chars<8>& STNID);
void writeClosingBox(EngineState& s);

// Standard deviation from weighted sums over D days represented: 0 when D is 1 or less or
// rounding makes the variance negative.
float monthDeviation(float sum, float sumSquares, int32_t D);

}  // namespace kv
