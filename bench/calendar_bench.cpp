// A full year of generated weather through the calendar: sun, sky, generator, moist air,
// the listing and the year-end reports, with the hourly weather spreadsheet on or off.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/calendar/wether.h"
#include "engine/core/random.h"
#include "engine/loads/energy.h"

namespace {

void fillSite(kv::EngineState& s, int hourly) {
  const float tdbm[12] = {27, 31, 40, 51, 62, 72, 76, 74, 67, 55, 43, 31};
  const float tmxm[12] = {33, 38, 48, 60, 71, 81, 85, 83, 76, 63, 49, 37};
  const float tdpm[12] = {18, 22, 29, 37, 47, 57, 62, 61, 54, 42, 31, 22};
  const float solm[12] = {550, 800, 1100, 1450, 1750, 1900, 1850, 1650, 1300, 950, 600, 450};
  kv::WXMON& w = s.wxmon;
  for (int i = 1; i <= 12; ++i) {
    w.TDBM(i) = tdbm[i - 1];
    w.TDBS(i) = 6;
    w.TMXM(i) = tmxm[i - 1];
    w.TMXS(i) = 6;
    w.TDPM(i) = tdpm[i - 1];
    w.TDPS(i) = 7;
    w.SOLM(i) = solm[i - 1];
    w.WNDM(i) = 10;
    w.WXLBL(i > 8 ? 8 : i).set("Row");
  }
  w.XLAT = 41.9f;
  w.XLONG = 87.9f;
  w.XMER = 90.0f;
  w.ELEV = 673.0f;
  w.NDPM = 31;
  w.TDSMX = 91;
  w.TDSWB = 74;
  w.TDSMN = -4;
  kv::RUNPAR& r = s.runpar;
  r.IDOW1 = 2;
  r.IDAY1 = 1;
  r.IDAY2 = 365;
  r.IYEAR = 2001;
  r.IHRLY = hourly;
  r.IRYR = 2026;
  r.IRMO = 12;
  r.IRDA = 10;
  s.prjtxt.PLOC.set("CHICAGO, IL");
  s.chtab.UNITS.set("IP");
  s.hooks.ENERGY = kv::ENERGY;
  s.hooks.DAYEND = kv::DAYEND;
  s.hooks.MONEND = kv::MONEND;
  s.hooks.YREND = kv::YREND;
}

void BM_GeneratedYear(benchmark::State& state) {
  const int hourly = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<kv::EngineState>();
    fillSite(*s, hourly);
    kv::RunFiles& f = s->files;
    for (kv::OutFile* o : {&f.report, &f.monitor, &f.listing, &f.wsummary, &f.hrWeather}) o->open("/dev/null");
    kv::RAND1(*s, -0.8377467);
    kv::Chars<8> station;
    station.set("94846");
    state.ResumeTiming();
    kv::WETHER(*s, station, s->chtab.UNITS);
    for (kv::OutFile* o : {&f.report, &f.monitor, &f.listing, &f.wsummary, &f.hrWeather}) o->close();
  }
  state.SetItemsProcessed(state.iterations() * 8760);
}
BENCHMARK(BM_GeneratedYear)->Arg(0)->Arg(1)->ArgName("hourly")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
