#include "engine/calendar/wether.h"

#include <algorithm>
#include <cmath>

#include "engine/core/psychro.h"
#include "engine/core/random.h"
#include "engine/core/report.h"
#include "runcalendar.h"

namespace kv {

namespace {

constexpr double kDrawNext = 0.111;  // any positive argument draws the next number

float psyWetBulb(float db, float dp, float p) {
  float wb, pv, w, h, v, rh;
  PSY2(db, wb, p, dp, pv, w, h, v, rh);
  return wb;
}

float psyDewPoint(float db, float wb, float p) {
  float dp, pv, w, h, v, rh;
  PSY1(db, wb, p, dp, pv, w, h, v, rh);
  return dp;
}

MonthStats statsOf(const WXMON& x, int32_t month) {
  MonthStats m;
  m.tdbm = x.TDBM(month);
  m.tdbs = x.TDBS(month);
  m.tmxm = x.TMXM(month);
  m.tmxs = x.TMXS(month);
  m.tdpm = x.TDPM(month);
  m.tdps = x.TDPS(month);
  m.wndm = x.WNDM(month);
  return m;
}

// Set-up steps 1 to 7, 9 and 10: calendar tables, station pressure, the generator's bounds,
// a recorded file's station header, the time correction and the cleared annual sums.
void setUp(EngineState& s, CalendarRun& run, Chars<8>& STNID) {
  RUNPAR& rp = s.runpar;
  WXMON& wx = s.wxmon;
  rp.TMAXH.fill(-999.0f);
  rp.TMINH.fill(999.0f);

  const float lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int i = 1; i <= 12; ++i) run.monthLength(i) = lengths[i - 1];
  run.monthLength(2) = static_cast<float>(simulatedFebruaryDays(s));
  run.twoDigitYear = rp.IYEAR % 100;

  float cumulative = 0;
  run.startMonth = 12;
  for (int i = 1; i <= 12; ++i) {
    cumulative += run.monthLength(i);
    if (cumulative >= static_cast<float>(rp.IDAY1)) {
      run.startMonth = i;
      break;
    }
  }

  run.pressure = 29.92f - 5.031f * wx.ELEV / 5000.0f;

  DesignBounds& b = run.bounds;
  float hiMax = 0, loMin = 0, hiDp = 0;
  for (int i = 1; i <= 12; ++i) {
    const float expMax = wx.TMXM(i) + 2.11f * wx.TMXS(i);
    const float expMin =
        2.0f * (wx.TDBM(i) - 2.11f * wx.TDBS(i)) - (wx.TMXM(i) - 2.11f * wx.TMXS(i));
    const float expDp = wx.TDPM(i) + 2.11f * wx.TDPS(i);
    if (i == 1 || expMax >= hiMax) {
      hiMax = expMax;
      b.monthOfMax = i;
    }
    if (i == 1 || expMin <= loMin) {
      loMin = expMin;
      b.monthOfMin = i;
    }
    if (i == 1 || expDp >= hiDp) hiDp = expDp;
  }
  if (wx.TDSWB >= 65.0f) hiDp = psyDewPoint(wx.TDSMX, wx.TDSWB, run.pressure);
  b.dpHigh = hiDp;
  b.tdsmn = wx.TDSMN;
  b.tdsmx = wx.TDSMX;
  b.tdswb = wx.TDSWB;
  b.pressure = run.pressure;
  b.daysPerMonth = wx.NDPM;

  if (rp.IWFMT == 1 || rp.IWFMT == 4) readRecordedHeader(s, STNID);
  wx.TCORR = (wx.XLONG - wx.XMER) / 15.0f;
  run.lat = latitudeOf(wx.XLAT);

  run.y = YearSums{};
  run.draw = DayDraw{};
  run.wave = HourWave{};
  run.next = DaySet{};
  run.next.dpEarly = run.next.dpMean = run.next.dpLate = wx.TDPM(1);
  run.next.rank = 15;
  s.hrwthr.DAYRANK = 15;
}

// Monthly mean clearness and the month's share of the long-term insolation (month loop,
// step 2).
void monthClearness(EngineState& s, CalendarRun& run, int32_t length) {
  float h0sum = 0;
  for (int d = 1; d <= length; ++d) {
    h0sum += sunDay(static_cast<float>(d) + run.daysBefore, run.lat).h0;
  }
  const float l = static_cast<float>(length);
  run.ktm = l * s.wxmon.SOLM(run.MONTH) / h0sum;
  run.y.longTerm += l * s.wxmon.SOLM(run.MONTH);
}

// The generator's daily step: today takes yesterday's next-day set, the next day is drawn.
void generateDay(EngineState& s, CalendarRun& run, bool lastOfMonth) {
  const DesignAir air{psyWetBulb, psyDewPoint};
  auto drawNext = [&] {
    const double start = run.draw.started == 0 ? RAND1(s, kDrawNext) : 0.0;
    STCURV(run.draw, run.ktm, statsOf(s.wxmon, run.statMonth), run.MONTH, run.bounds, air, start,
           run.next);
  };
  if (!run.generatorPrimed) {
    run.generatorPrimed = true;
    drawNext();
  }
  if (lastOfMonth) run.statMonth = run.MONTH % 12 + 1;
  run.today = run.next;
  run.dayDbMin = run.today.tmin;
  run.dayDbMax = run.today.tmax;
  run.dayDpLow = run.today.dpEarly;
  run.dayDpMean = run.today.dpMean;
  run.dayDpHigh = run.today.dpLate;
  s.hrwthr.TDAY = run.today.tmean;
  s.hrwthr.DAYRANK = run.today.rank;
  run.depression = run.today.tmean - run.today.dpMean;
  drawNext();
}

// Sun of the day, sunrise and sunset on the clock, the first hour after sunrise (day loop,
// steps 5 to 7).
void sunOfDay(EngineState& s, CalendarRun& run, bool generated) {
  run.sun = sunDay(run.dayOfYear, run.lat);
  if (generated) {
    SKY(run.today.kt, run.sun.noonAltitude, run.sun.sunriseSolar, run.sun.h0, run.sun.acon,
        s.hrwthr.CC, run.b1, run.b2);
  }
  const float c = run.sun.eqt - s.wxmon.TCORR;
  run.sunrise = run.sun.sunriseSolar - c;
  run.sunset = 24.0f - run.sunrise - 2.0f * c;
  run.m.possibleSun += (run.sunset - run.sunrise) * run.WEIGHT;
  const int whole = static_cast<int>(run.sunrise);
  run.firstHour = static_cast<float>(whole) == run.sunrise ? whole : static_cast<int>(run.sunrise + 1.0f);
}

int32_t sunriseHhmm(float sunrise) {
  const int whole = static_cast<int>(sunrise);
  return 100 * whole + static_cast<int>(60.0f * (sunrise - static_cast<float>(whole)));
}

// The sun position of the hour area, and back.
void putSun(HRWTHR& w, const SunPosition& p) {
  w.SINALT = p.sinalt;
  w.ALTRAD = p.altrad;
  w.COSALT = p.cosalt;
  w.TANALT = p.tanalt;
  w.ALT = p.alt;
  w.COSAZM = p.cosazm;
  w.AZM = p.azm;
  w.SINAZM = p.sinazm;
}

SunPosition sunOf(const HRWTHR& w) {
  SunPosition p;
  p.sinalt = w.SINALT;
  p.altrad = w.ALTRAD;
  p.cosalt = w.COSALT;
  p.tanalt = w.TANALT;
  p.alt = w.ALT;
  p.cosazm = w.COSAZM;
  p.azm = w.AZM;
  p.sinazm = w.SINAZM;
  return p;
}

// Sun and radiation of an hour of generated weather: its radiation is drawn for the sun at
// h:00, so that is the sun of the hour.
void generatedSunHour(EngineState& s, CalendarRun& run, int h, float c) {
  HRWTHR& w = s.hrwthr;
  const float fh = static_cast<float>(h);
  w.NIGHT = (fh > run.sunrise && fh < run.sunset) ? 0 : 1;
  if (w.NIGHT != 0) return;
  putSun(w, sunPosition(solarTimeOfHour(c, h), run.sun, run.lat));
  const double r = needsDraw(w.SINALT) ? RAND1(s, kDrawNext) : 0.0;
  const HourRadiation rad = hourRadiation(w.SINALT, r, w.CC, run.b1, run.b2, run.sun.etr, run.sun.acon);
  w.DN = rad.dn;
  w.DFH = rad.dfh;
  w.DH = rad.dh;
  run.dDirect += rad.dirh;
  run.dDiffuse += rad.dfh;
}

// Sun and radiation of an hour of recorded weather. A recorded file gives for hour h the
// radiation of the hour that ends at h:00 (local standard time), so the sun of the hour is
// the one at the middle of its sunlit part: of the whole hour, of the part after sunrise or
// of the part before sunset. An hour that is sunlit only in part is a day hour when the file
// gives it global radiation. In an hour without sun the file's direct normal value is not
// taken (no beam comes from below the horizon).
void recordedSunHour(EngineState& s, CalendarRun& run, int h, float c, Chars<8>& STNID) {
  HRWTHR& w = s.hrwthr;
  const float fh = static_cast<float>(h);
  const float from = std::max(fh - 1.0f, run.sunrise);
  const float to = std::min(fh, run.sunset);
  const bool lit = from < to;
  const bool partly = lit && (from > fh - 1.0f || to < fh);
  const SunPosition before = sunOf(w);
  if (lit) putSun(w, sunPosition(solarTimeAt(c, (from + to) / 2.0f), run.sun, run.lat));
  w.NIGHT = lit ? 0 : 1;

  recordedHour(s, run.rec, run.MONTH, run.dayOfMonth, h, run.pressure, run.sun.etr, STNID);
  if (partly && !(w.DH > 0.0f)) {
    putSun(w, before);  // night: the sun keeps the values of the last daylight hour
    w.ALT = w.AZM = 0.0f;
    w.NIGHT = 1;
  }
  if (w.NIGHT != 0) w.DN = 0.0f;
  run.dDirect += w.DN * w.SINALT;
  run.dDiffuse += w.DFH;
}

void hour(EngineState& s, CalendarRun& run, int h, bool generated, Chars<8>& STNID) {
  HRWTHR& w = s.hrwthr;
  w.HOUR = static_cast<float>(h);
  const float c = run.sun.eqt - s.wxmon.TCORR;

  w.DN = w.DH = w.DFH = 0.0f;
  w.ALT = w.AZM = 0.0f;
  if (generated) {
    generatedSunHour(s, run, h, c);
  } else {
    recordedSunHour(s, run, h, c, STNID);
  }

  if (generated) {
    const HourWeather hw =
        TEMPER(run.wave, h, run.firstHour, run.today, run.next, run.depression, RAND1(s, kDrawNext));
    w.DB = hw.db;
    w.DP = hw.dp;
    w.PB = hw.pb;
    w.WV = hw.wv;
  }

  float pv, wr, en, vol;
  PSY2(w.DB, w.WB, w.PB, w.DP, pv, wr, en, vol, w.RH);
  w.W = wr;
  w.H = en;
  w.V = vol;

  if (s.runpar.IHRLY == 1) writeHourRow(s, run);

  if (!generated) {
    recordedExtremes(s, run.ext, h, run.monthStart);
    run.monthStart = false;
  }

  run.m.hourDb(h) += w.DB;
  run.m.hourRh(h) += w.RH;
  run.dRh += w.RH;
  run.dPb += w.PB;
  run.dWind += w.WV;

  if (w.NIGHT == 0) {
    run.dTotal += w.DH;
    if (w.DN >= 50.0f) ++run.sunnyHours;
    if (w.DH >= run.y.dhMax) {
      run.y.dhMax = w.DH;
      run.y.dhMonth = run.MONTH;
      run.y.dhDay = run.dayOfMonth;
      run.y.dhHour = h;
    }
  }

  if (s.hooks.ENERGY) s.hooks.ENERGY(s, run.MONTH, run.WEIGHT);
}

// Day end (day loop, steps 10 to 15).
void endOfDay(EngineState& s, CalendarRun& run, bool lastOfMonth) {
  HRWTHR& w = s.hrwthr;
  if (s.hooks.DAYEND) s.hooks.DAYEND(s, run.MONTH, run.DOW);

  const float dayMax = run.dayDbMax, dayMin = run.dayDbMin;
  const float dpHigh = run.dayDpHigh, dpLow = run.dayDpLow;
  w.TDAY = (dayMax + dayMin) / 2.0f;
  const float dpMean = (dpHigh + dpLow) / 2.0f;
  const float wt = run.WEIGHT;

  // Degree days against 20 bases; the month's own at 65 F or 18 C.
  const float tday = run.si ? (w.TDAY - 32.0f) / 1.8f : w.TDAY;
  for (int i = 1; i <= 20; ++i) {
    const float base = run.si ? static_cast<float>(4 + i) : static_cast<float>(39 + 2 * i);
    const float d = base - tday;
    if (d > 0.0f) {
      run.y.hdd(i) += d * wt;
    } else {
      run.y.cdd(i) += -d * wt;
    }
  }
  const float own = (run.si ? 18.0f : 65.0f) - tday;
  if (own > 0.0f) {
    run.m.hdd += own * wt;
  } else {
    run.m.cdd += -own * wt;
  }

  if (dayMax > run.y.tmax) {
    run.y.tmax = dayMax;
    run.y.tmaxMonth = run.MONTH;
    run.y.tmaxDay = run.dayOfMonth;
  }
  if (dayMin < run.y.tmin) {
    run.y.tmin = dayMin;
    run.y.tminMonth = run.MONTH;
    run.y.tminDay = run.dayOfMonth;
  }

  run.m.sunshine = static_cast<int32_t>(static_cast<float>(run.m.sunshine) +
                                        static_cast<float>(run.sunnyHours) * wt + 0.5f);
  DayRow row;
  row.dow = run.DOW;
  row.month = run.MONTH;
  row.dayOfMonth = run.dayOfMonth;
  row.sunriseHhmm = sunriseHhmm(run.sunrise);
  row.tmin = dayMin;
  row.tmean = w.TDAY;
  row.tmax = dayMax;
  row.dpLow = dpLow;
  row.dpMean = run.dayDpMean;
  row.dpHigh = dpHigh;
  row.rh = run.dRh / 24.0f;
  row.pb = run.dPb / 24.0f;
  row.wind = run.dWind / 24.0f;
  row.direct = run.dDirect;
  row.diffuse = run.dDiffuse;
  row.clearness = run.dTotal / run.sun.h0;
  row.cc = w.CC;
  writeDayRow(s, run, row);
  if (run.DOW == 7 && !lastOfMonth) s.files.listing.line(" ");

  MonthSums& m = run.m;
  m.tday += w.TDAY * wt;
  m.tday2 += w.TDAY * w.TDAY * wt;
  m.tmax += dayMax * wt;
  m.tmax2 += dayMax * dayMax * wt;
  m.dp += dpMean * wt;
  m.dp2 += dpMean * dpMean * wt;
  m.pb += row.pb * wt;
  m.direct += run.dDirect * wt;
  m.diffuse += run.dDiffuse * wt;
  m.total += run.dTotal * wt;
  m.h0 += run.sun.h0 * wt;
  m.wind += row.wind * wt;
  run.y.measured += run.dTotal * wt;
}

}  // namespace

void WETHER(EngineState& s, Chars<8>& STNID, const Chars<2>& UNITS) {
  CalendarRun run;
  run.si = UNITS.view() == "SI";
  setUp(s, run, STNID);
  const bool generated = s.runpar.IWFMT == 0;

  s.files.monitor.line("******** ENERGY SIMULATIONS BEGINNING ********");
  const ClockReading clock = readClock(s);
  run.clockHour = clock.hour;
  run.clockMinute = clock.minute;
  writeListingHead(s, run, STNID);
  if (s.runpar.IHRLY == 1) writeHourlyWeatherHead(s, run, STNID);

  HRWTHR& w = s.hrwthr;
  const RUNPAR& rp = s.runpar;
  kalvano::calendar::DaySampler days(rp.IDAY1, rp.IDAY2, s.wxmon.NDPM,
                                     static_cast<int>(run.monthLength(2)));
  while (days.NextMonth()) {
    const int32_t month = days.Month();
    run.MONTH = month;
    run.daysBefore = days.DaysBefore();
    monthClearness(s, run, days.Length());
    run.simDays = days.Days();
    run.WEIGHT = days.Weight();
    run.statMonth = month;
    if (month >= run.startMonth) writeMonthHead(s, run);

    run.m = MonthSums{};
    run.monthStart = true;
    w.DAY = days.Position();
    while (days.NextDay()) {
      w.DAY = days.Position();
      run.dayOfMonth = days.DayOfMonth();
      run.dayOfYear = days.DayOfYear();
      w.JDAY = days.Jday();
      run.lastJday = w.JDAY;
      if (!days.Simulated()) continue;  // before the run's first day
      run.m.days += run.WEIGHT;
      const bool lastOfMonth = days.LastOfMonth();
      if (generated) generateDay(s, run, lastOfMonth);
      sunOfDay(s, run, generated);

      run.dDirect = run.dDiffuse = run.dTotal = run.dRh = run.dPb = run.dWind = 0.0f;
      run.sunnyHours = 0;
      for (int h = 1; h <= 24; ++h) hour(s, run, h, generated, STNID);
      if (!generated) {  // the day's extremes are those of its hours
        run.dayDbMin = run.ext.dbMin;
        run.dayDbMax = run.ext.dbMax;
        run.dayDpLow = run.ext.dpMin;
        run.dayDpHigh = run.ext.dpMax;
        run.dayDpMean = (run.ext.dpMin + run.ext.dpMax) / 2.0f;
      }
      endOfDay(s, run, lastOfMonth);
    }
    // A month with no simulated day gets neither summary nor month end.
    if (days.MonthSimulated()) {
      writeMonthSummary(s, run);
      run.y.sunshine += run.m.sunshine;
      if (s.hooks.MONEND) s.hooks.MONEND(s, month);
    }
  }

  if (s.hooks.YREND) s.hooks.YREND(s);
  s.runpar.NPAGE += 1;
  writeSection8(s, run);
  writeWeatherSummary(s, run, STNID);
  writeClosingBox(s);
}

}  // namespace kv
