// Whole-year runs of the installed sample projects with the load model's entries watched:
// after every hourly call the state is searched for values that are not finite and the hour's
// values are recorded; at every month end the month's sums are recorded before and after the
// month closes them. The clock is fixed so the reports do not depend on the day of the run.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../engine/core/testutil.h"
#include "data_files.h"
#include "engine_run.h"
#include "engine/calendar/wether.h"
#include "engine/core/state.h"
#include "engine/input/kvan64main.h"
#include "engine/input/readproject.h"
#include "engine/loads/energy.h"
#include "runfiles.h"

namespace kalvano::datatest {

// One simulated hour as the load model left it.
struct HourRecord {
  int month = 0, day = 0, hour = 0, idow = 0, nonwrk = 0;
  float daywt = 0;
  float QHTG = 0, ECLG = 0, ELTG = 0, ERCP = 0, EFAN = 0, QHW = 0;  // the spreadsheet's end uses
  float QCLOAD = 0, QHLOAD = 0, QHEAT = 0, FUELHR = 0, ELKW = 0, ELTEQ = 0;
  float zoneLoads = 0;  // sum of |QZTOT| over the zones
  float DB = 0;
};

// One month: the accumulators as the hours left them, and as MONEND closed them.
struct MonthRecord {
  int month = 0;
  float daywt = 0;
  float HEATM = 0, HLOADM = 0, CLOADM = 0, ECLGM = 0, FANKWH = 0, LTEQKWH = 0, HWMON = 0;
  float GASM = 0, ELECM = 0, PKKWM = 0;  // before MONEND
  float closedHEATM = 0, closedELECM = 0;  // after MONEND (MBtu, kWh)
};

struct Watch {
  std::string firstBad;  // where the first value that is not finite was met
  long calls = 0;
  std::vector<HourRecord> hours;
  std::vector<MonthRecord> months;
  std::function<void(const kv::EngineState&, const HourRecord&)> perHour;  // optional check
};

// The hooks are plain function pointers: the watched entries find their record here (tests
// run one after another in one thread).
inline Watch*& currentWatch() {
  static Watch* w = nullptr;
  return w;
}

// Name of the first value of the load model's state that is not finite, or "".
inline std::string nonFinite(const kv::EngineState& s) {
  const kv::ENACC& e = s.enacc;
  const int nz = s.bldg.NZ;
  std::string bad;
  auto one = [&](const char* name, float v, int i = 0) {
    if (bad.empty() && !std::isfinite(v)) bad = std::string(name) + (i ? "(" + std::to_string(i) + ")" : "");
  };
#define KV_S(f) one(#f, e.f)
#define KV_Z(f) for (int z = 1; z <= nz; ++z) one(#f, e.f(z), z)
#define KV_C(f) for (int k = 1; k <= kv::kLoadCategories; ++k) one(#f, e.f(k), k)
  KV_Z(TZONE); KV_Z(TZONE2); KV_Z(DPZONE); KV_Z(WMASS); KV_Z(TMASS); KV_Z(RHZONE); KV_Z(TMRT);
  KV_Z(OACFM); KV_Z(TZLAST); KV_Z(GAINMAX); KV_Z(GAINMIN); KV_Z(ZPKCLG); KV_Z(SHRZ); KV_Z(RSHRZ);
  KV_Z(ZPKHV); KV_Z(CFMHTG); KV_Z(QZTOT); KV_Z(QZSENS); KV_Z(FCHRS); KV_Z(CDHHI); KV_Z(CDHLO);
  KV_Z(CHRHI); KV_Z(CHRLO); KV_Z(CHROK); KV_Z(DESGAIN); KV_Z(CFMMAX); KV_Z(ZMARK);
  KV_Z(QOPZ); KV_Z(QROOFZ); KV_Z(QTSZ); KV_Z(QWAZ); KV_Z(QWSZ); KV_Z(SOPZ); KV_Z(SALLZ); KV_Z(FCDLZ);
  KV_C(QCAT); KV_C(QCATH); KV_C(QCATC); KV_C(QCATW); KV_C(QCLGM); KV_C(QHTGM);
  KV_S(TDESIN); KV_S(INFMULT); KV_S(WDENS); KV_S(TEVAP);
  KV_S(QHTG); KV_S(ECLG); KV_S(ELTG); KV_S(ERCP); KV_S(QHW);
  KV_S(QCLOAD); KV_S(QCPEAK); KV_S(QHLOAD); KV_S(QHPEAK); KV_S(QHEAT); KV_S(EFAN); KV_S(SYSON);
  KV_S(CFMSUM); KV_S(ELKW); KV_S(FUELHR); KV_S(ELTEQ); KV_S(ELTEQW);
  KV_S(SOLARM); KV_S(ECLGM); KV_S(GASM); KV_S(ELECM); KV_S(ELTKWHM); KV_S(ERCPKWHM);
  KV_S(ECLGY); KV_S(ELTKWHY); KV_S(ERCPKWHY); KV_S(DLSAVE); KV_S(SHSITE); KV_S(WHSITE);
  KV_S(SHSRC); KV_S(WHSRC); KV_S(SHCOST); KV_S(WHCOST); KV_S(CLCOST); KV_S(HWFUEL); KV_S(HTHRSUM);
  KV_S(PKKWM); KV_S(PKKWY); KV_S(PKFUM); KV_S(PKFUY); KV_S(SYSHRS); KV_S(CFLHRS); KV_S(FANKWH);
  KV_S(LTEQKWH); KV_S(HWMON); KV_S(HLOADM); KV_S(HEATM); KV_S(CLOADM); KV_S(SHRPK);
  KV_S(CPKLOAD); KV_S(HPKLOAD); KV_S(CPKDB); KV_S(HPKDB);
  KV_S(SHEATY); KV_S(HLOADY); KV_S(SOLARY); KV_S(HWY); KV_S(CLOADY); KV_S(FANKWHY); KV_S(ELECY);
  KV_S(ECOSTY); KV_S(GASY); KV_S(CMPHRSY); KV_S(SYSHRSY); KV_S(PKKWSUM); KV_S(DEMCHGY);
#undef KV_S
#undef KV_Z
#undef KV_C
  for (int h = 1; h <= 24 && bad.empty(); ++h)
    for (int k = 1; k <= 4; ++k)
      for (int q = 1; q <= 4; ++q) one("SEASPR", e.SEASPR(h, k, q), h);
  return bad;
}

inline void watchedEnergy(kv::EngineState& s, int32_t MONTH, float WEIGHT) {
  kv::ENERGY(s, MONTH, WEIGHT);
  Watch* w = currentWatch();
  const kv::ENACC& e = s.enacc;
  if (w == nullptr) return;
  ++w->calls;
  if (w->firstBad.empty()) {
    const std::string bad = nonFinite(s);
    if (!bad.empty()) {
      w->firstBad = bad + " at month " + std::to_string(MONTH) + " day " + std::to_string(e.IDAY) +
                    " hour " + std::to_string(e.IHR) + " (call " + std::to_string(w->calls) + ")";
    }
  }
  if (e.IHR < 1) return;  // the set-up call
  HourRecord r;
  r.month = MONTH;
  r.day = e.IDAY;
  r.hour = e.IHR;
  r.idow = e.IDOW;
  r.nonwrk = e.NONWRK;
  r.daywt = e.DAYWT;
  r.QHTG = e.QHTG;
  r.ECLG = e.ECLG;
  r.ELTG = e.ELTG;
  r.ERCP = e.ERCP;
  r.EFAN = e.EFAN;
  r.QHW = e.QHW;
  r.QCLOAD = e.QCLOAD;
  r.QHLOAD = e.QHLOAD;
  r.QHEAT = e.QHEAT;
  r.FUELHR = e.FUELHR;
  r.ELKW = e.ELKW;
  r.ELTEQ = e.ELTEQ;
  for (int z = 1; z <= s.bldg.NZ; ++z) r.zoneLoads += std::fabs(e.QZTOT(z));
  r.DB = s.hrwthr.DB;
  w->hours.push_back(r);
  if (w->perHour) w->perHour(s, r);
}

inline void watchedMonend(kv::EngineState& s, int32_t MONTH) {
  const kv::ENACC& e = s.enacc;
  MonthRecord m;
  m.month = MONTH;
  m.daywt = e.DAYWT;
  m.HEATM = e.HEATM;
  m.HLOADM = e.HLOADM;
  m.CLOADM = e.CLOADM;
  m.ECLGM = e.ECLGM;
  m.FANKWH = e.FANKWH;
  m.LTEQKWH = e.LTEQKWH;
  m.HWMON = e.HWMON;
  m.GASM = e.GASM;
  m.ELECM = e.ELECM;
  m.PKKWM = e.PKKWM;
  kv::MONEND(s, MONTH);
  m.closedHEATM = e.HEATM;
  m.closedELECM = e.ELECM;
  if (Watch* w = currentWatch()) w->months.push_back(m);
}

struct WholeRun {
  EngineRun run;
  Watch watch;
  std::string hourly;  // tavik$.hry
  std::string temps;   // etemp$.hry
};

// The run options of a whole year with hourly output on or off; the comfort band in the
// project's units (68-79 F, 20-26 C).
inline std::string wholeYearOptions(int runType, int hourly, bool si) {
  return "Run type  : " + std::to_string(runType) +
         "\r\nWthr type : 0\r\n1st day   :  5\r\nRun begin : 1\r\nRun end   : 365\r\nHourly out:  " +
         std::to_string(hourly) + "\r\nSkip month: \r\nComfort   : " + (si ? " 20        26" : " 68        79") +
         "\r\n";
}

// The installed samples mark every surface "S" (present in the warm months only, those
// with a mean dry bulb of 65 F or more); the sketch marks its surfaces "B" (all year). This
// edit gives a sample the sketch's surfaces.
inline void surfacesAllYear(std::string& text) {
  const std::string from = "S/W/B     S", to = "S/W/B     B";
  for (std::size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + 1))
    text.replace(p, from.size(), to);
}

// Copies installed sample `file` into a fresh base folder, applies `edit` to its text (a
// variant of the sample), writes the run files and runs a whole year in-process.
inline std::unique_ptr<WholeRun> runSampleYear(
    const std::string& file, int runType, int hourly = 0,
    const std::function<void(std::string&)>& edit = nullptr,
    std::function<void(const kv::EngineState&, const HourRecord&)> perHour = nullptr) {
  namespace fs = std::filesystem;
  auto out = std::make_unique<WholeRun>();
  const fs::path base = fs::temp_directory_path() /
                        ("kvwhole_" + std::to_string(::getpid()) + "_" + file + std::to_string(runType));
  fs::remove_all(base);
  fs::create_directories(base / "sketch");
  std::string text = slurpFile(dataPath("sample/" + file));
  if (edit) edit(text);
  std::ofstream(base / file, std::ios::binary) << text;
  installEngineData(base);
  RunSetup setup;
  setup.runType = runType;
  writeRunFiles(base, base / file, setup);
  const fs::path temp = base / files::kTempDir;
  const bool si = text.substr(0, text.find('\r')).find("SI") != std::string::npos;
  std::ofstream(temp / files::kRunOptions, std::ios::binary) << wholeYearOptions(runType, hourly, si);

  auto s = std::make_unique<kv::EngineState>();
  s->runDir = temp.string();
  s->hooks.readProject = kv::RDPROJ;
  s->hooks.WETHER = kv::WETHER;
  s->hooks.ENERGY = watchedEnergy;
  s->hooks.DAYEND = kv::DAYEND;
  s->hooks.MONEND = watchedMonend;
  s->hooks.YREND = kv::YREND;
  s->hooks.clock = kvtest::fixedClock;
  out->watch.perHour = std::move(perHour);
  currentWatch() = &out->watch;
  out->run.status = kv::KVAN64(*s);
  currentWatch() = nullptr;
  out->run.state = std::move(s);
  out->run.monitor = slurpFile(temp / files::kMonitorLog);
  out->run.report = slurpFile(temp / files::kEngineReport);
  out->hourly = slurpFile(temp / files::kHourlyEnergy);
  out->temps = slurpFile(temp / files::kHourlyTemps);
  fs::remove_all(base);
  return out;
}

}  // namespace kalvano::datatest
