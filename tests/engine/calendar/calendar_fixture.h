// A small engine state for calendar runs: a site's monthly statistics, run options, the
// weather output files in a fresh folder, a fixed clock, and load-model entries that record
// their calls (the day end returns the weekday as the load model does).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/calendar/wether.h"
#include "engine/core/random.h"

namespace kvtest {

struct Site {
  const char* location;
  const char* station;
  float lat, lon, mer, elev;
  float tdbm[12], tdbs[12], tmxm[12], tmxs[12], tdpm[12], tdps[12], solm[12], wndm[12];
  float tdsmx, tdswb, tdsmn;
};

// Fairbanks-like interior Alaska: long cold winters.
inline const Site kCold{"FAIRBANKS, AK", "26411", 64.8f, 147.9f, 135.0f, 440.0f,
    {-7.9f, -2.5f, 11.0f, 32.0f, 49.7f, 60.5f, 62.5f, 56.6f, 45.0f, 24.6f, 5.0f, -3.5f},
    {14, 13, 10, 7, 5, 4, 4, 4, 5, 8, 12, 13},
    {1.1f, 8.6f, 24.1f, 43.1f, 60.4f, 71.3f, 72.6f, 66.0f, 54.7f, 32.4f, 11.8f, 4.5f},
    {13, 12, 10, 7, 6, 5, 5, 5, 5, 8, 11, 12},
    {-15, -10, -3, 16, 29, 41, 47, 44, 33, 17, -3, -12},
    {13, 12, 10, 8, 6, 5, 4, 4, 5, 8, 11, 12},
    {40, 200, 600, 1150, 1600, 1800, 1550, 1100, 650, 280, 80, 20},
    {3, 4, 5, 6, 7, 7, 6, 6, 6, 5, 3, 3},
    95.0f, 62.0f, -150.0f};

// Phoenix-like desert: hot summers.
inline const Site kHot{"PHOENIX, AZ", "23183", 33.4f, 112.0f, 105.0f, 1106.0f,
    {56, 60, 65, 72, 81, 91, 95, 94, 88, 76, 63, 55},
    {4, 5, 5, 5, 4, 4, 3, 3, 3, 4, 5, 4},
    {67, 71, 77, 85, 95, 104, 106, 104, 100, 89, 76, 66},
    {5, 5, 6, 6, 5, 4, 4, 4, 4, 5, 5, 5},
    {32, 32, 32, 31, 34, 39, 56, 58, 50, 40, 33, 31},
    {8, 8, 8, 8, 8, 9, 7, 6, 8, 8, 8, 8},
    {1050, 1400, 1850, 2300, 2600, 2700, 2450, 2300, 2050, 1650, 1200, 1000},
    {5, 6, 6.8f, 7, 7, 7, 7.5f, 7, 6.5f, 6, 5.5f, 5},
    115.0f, 70.0f, 20.0f};

// A fjord town east of its time meridian, inside the Arctic circle: polar day and night
// with the clock ahead of the sun, so the sun rises before midnight on the clock in June.
inline const Site kPolarEast{"ARCTIC FJORD, NORWAY", "01025", 69.7f, -18.9f, -15.0f, 30.0f,
    {24, 24, 28, 34, 42, 50, 55, 53, 45, 36, 29, 25},
    {8, 8, 7, 5, 4, 4, 3, 3, 4, 5, 7, 8},
    {29, 29, 33, 39, 47, 56, 61, 58, 50, 40, 33, 30},
    {8, 8, 7, 6, 5, 5, 4, 4, 4, 5, 7, 8},
    {18, 18, 21, 26, 33, 42, 48, 47, 40, 31, 23, 19},
    {8, 8, 7, 6, 5, 4, 4, 4, 4, 5, 7, 8},
    {0, 60, 350, 950, 1500, 1700, 1450, 900, 430, 130, 10, 0},
    {11, 11, 10, 9, 9, 9, 8, 8, 9, 10, 10, 11},
    75.0f, 60.0f, -10.0f};

// An Arctic coast far west of its time meridian: polar night, polar day, and in January a
// sunrise after 14:00 on the clock.
inline const Site kPolar{"ARCTIC COAST, AK", "27502", 71.3f, 166.0f, 135.0f, 30.0f,
    {-13, -15, -13, 1, 21, 34, 40, 38, 31, 15, 0, -10},
    {10, 10, 9, 8, 6, 4, 4, 3, 4, 7, 9, 9},
    {-6, -8, -6, 8, 27, 39, 47, 44, 35, 21, 6, -3},
    {10, 10, 9, 8, 6, 5, 5, 4, 4, 7, 9, 9},
    {-20, -22, -20, -6, 15, 30, 35, 34, 27, 10, -6, -17},
    {10, 10, 9, 8, 6, 4, 4, 3, 4, 7, 9, 9},
    {0, 80, 450, 1200, 1700, 1900, 1500, 850, 400, 120, 5, 0},
    {12, 12, 12, 12, 12, 11, 12, 13, 14, 14, 13, 12},
    80.0f, 60.0f, -150.0f};

// What the load model's entries saw.
struct Calls {
  int energy = 0, dayend = 0, yrend = 0;
  std::vector<int> monend;
  std::vector<int> days;   // JDAY of each simulated day
  std::vector<float> weights;  // WEIGHT of each simulated day
  std::vector<float> tday;     // the day's mean dry bulb as the day end sees it
  float lastWeight = 0;
  int dow = 0;
  // Hourly invariants of HRWTHR that every hour must keep.
  int dpAboveDb = 0, pressureJumps = 0, sunAtNight = 0, badRank = 0, badRh = 0, nonFinite = 0;
  float lastPb = 0;
};
inline Calls& calls() {
  static Calls c;
  return c;
}
inline void recEnergy(kv::EngineState& s, int32_t, float w) {
  Calls& c = calls();
  const kv::HRWTHR& h = s.hrwthr;
  if (h.DP > h.DB) ++c.dpAboveDb;
  if (c.energy > 0 && std::fabs(h.PB - c.lastPb) > 0.1f + 1e-4f) ++c.pressureJumps;
  if (h.NIGHT == 1 && (h.DN != 0 || h.DH != 0 || h.ALT != 0)) ++c.sunAtNight;
  if (h.DAYRANK < 1 || h.DAYRANK > 31) ++c.badRank;
  if (h.RH < 0 || h.RH > 100.01f) ++c.badRh;
  for (float v : {h.DB, h.WB, h.DP, h.PB, h.W, h.H, h.V, h.RH, h.WV, h.DN, h.DH, h.DFH, h.AZM, h.CC}) {
    if (!std::isfinite(v)) ++c.nonFinite;
  }
  c.lastPb = h.PB;
  ++c.energy;
  c.lastWeight = w;
}
inline void recDayend(kv::EngineState& s, int32_t, int32_t& DOW) {
  Calls& c = calls();
  ++c.dayend;
  c.days.push_back(s.hrwthr.JDAY);
  c.weights.push_back(c.lastWeight);
  c.tday.push_back(s.hrwthr.TDAY);
  c.dow = c.dow % 7 + 1;
  DOW = c.dow;
}
inline void recMonend(kv::EngineState&, int32_t m) { calls().monend.push_back(m); }
inline void recYrend(kv::EngineState&) { ++calls().yrend; }

struct Options {
  int year = 2001;
  int daysPerMonth = 31;
  int day1 = 1, day2 = 365;
  int hourly = 0;
  double seed = 0.8377467;
  const char* units = "IP";
};

class CalendarRun {
 public:
  CalendarRun(const Site& site, const Options& o) : s(std::make_unique<kv::EngineState>()) {
    dir = freshDir("calendar_" + std::to_string(counter()++));
    kv::WXMON& w = s->wxmon;
    for (int i = 1; i <= 12; ++i) {
      w.TDBM(i) = site.tdbm[i - 1]; w.TDBS(i) = site.tdbs[i - 1];
      w.TMXM(i) = site.tmxm[i - 1]; w.TMXS(i) = site.tmxs[i - 1];
      w.TDPM(i) = site.tdpm[i - 1]; w.TDPS(i) = site.tdps[i - 1];
      w.SOLM(i) = site.solm[i - 1]; w.WNDM(i) = site.wndm[i - 1];
    }
    const char* labels[8] = {"DB Mean", "DB Std ", "DB Max ", "Max Std", "DP Mean", "DP Std ", "Solar  ", "Wind   "};
    for (int r = 1; r <= 8; ++r) w.WXLBL(r).set(labels[r - 1]);
    w.XLAT = site.lat; w.XLONG = site.lon; w.XMER = site.mer; w.ELEV = site.elev;
    w.NDPM = o.daysPerMonth;
    w.TDSMX = site.tdsmx; w.TDSWB = site.tdswb; w.TDSMN = site.tdsmn;
    kv::RUNPAR& r = s->runpar;
    r.IWFMT = 0; r.IDOW1 = 2; r.IDAY1 = o.day1; r.IDAY2 = o.day2; r.IYEAR = o.year;
    r.IHRLY = o.hourly; r.IRYR = 2026; r.IRMO = 12; r.IRDA = 10; r.NPAGE = 7; r.SEPCH = '\t';
    r.MONFLG.fill(1);  // every month occupied, as the main program starts them
    s->prjtxt.PLOC.set(site.location);
    s->prjtxt.PNAME.set("Calendar test building");
    s->prjtxt.PDESC.set("Weather reports");
    s->prjtxt.PPHASE.set("Design");
    s->prjtxt.PSCHM.set("1");
    s->prjtxt.PTYPE.set("Office");
    s->chtab.UNITS.set(o.units);
    s->mainpg.IHOUR = 9; s->mainpg.IMIN = 5;
    station.set(site.station);
    s->hooks.ENERGY = recEnergy;
    s->hooks.DAYEND = recDayend;
    s->hooks.MONEND = recMonend;
    s->hooks.YREND = recYrend;
    s->hooks.clock = fixedClock;
    kv::RunFiles& f = s->files;
    f.report.open((dir / "sim$.out").string());
    f.monitor.open((dir / "monitor.txt").string());
    f.listing.open((dir / "tavik$.wth").string());
    f.wsummary.open((dir / "eweth$.sum").string());
    f.hrWeather.open((dir / "eweth$.hry").string());
    kv::RAND1(*s, -o.seed);
  }

  void run() {
    calls() = Calls{};
    kv::WETHER(*s, station, s->chtab.UNITS);
    kv::RunFiles& f = s->files;
    f.report.close(); f.monitor.close(); f.listing.close(); f.wsummary.close(); f.hrWeather.close();
  }

  std::string file(const char* name) const { return slurp(dir / name); }

  ~CalendarRun() { fs::remove_all(dir); }

  std::unique_ptr<kv::EngineState> s;
  fs::path dir;
  kv::Chars<8> station;

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
};

}  // namespace kvtest
