// A year of varied weather through a building of unlike zones: no zone state, load category
// or energy sum ever becomes NaN or infinite, in conditioned and passive runs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "zones_bench.h"

namespace {

struct Lcg {
  uint32_t x = 12345u;
  float next() {  // 0..1
    x = x * 1664525u + 1013904223u;
    return static_cast<float>(x >> 8) / 16777216.0f;
  }
};

void unlikeZones(zt::Bench& b) {
  // 1: office, DX cooling, gas heat, natural ventilation, economiser, hot water
  zt::ZoneInput& a = b.zone[1];
  a.people = 20;
  a.lightKw = 3;
  a.equipKw = 2;
  a.occ = a.lite = a.hw = a.vent = zt::kOn;
  a.hwGal = 60;
  a.oaCfm = 300;
  a.natVent = 'Y';
  a.vnat = 1500;
  a.econ = 'Y';
  a.glassU = 0.6f;
  a.glassArea = 250;
  a.wallArea = 1014.9f;
  // 2: no gains at all, variable air volume, resistance heat, demand-controlled air
  zt::ZoneInput& c = b.zone[2];
  c.icool = 1;
  c.iheat = 2;
  c.oaCfm = 0.15f;
  c.oaCode = "PA ";
  c.vent = zt::kDcv;
  c.occ = zt::kOn;
  // 3: evaporative cooling, heat pump, roof and large glass, little mass, leaky
  zt::ZoneInput& d = b.zone[3];
  d.icool = 9;
  d.iheat = 3;
  d.people = 4;
  d.equipKw = 1;
  d.occ = d.lite = zt::kOn;
  d.mass = 0;
  d.ach = 3;
  d.roofU = 0.08f;
  d.roofArea = 1000;
  d.glassU = 1.0f;
  d.glassArea = 600;
  d.wallArea = 664.9f;
  // 4: heat-pump cooling type with gas heat, double duct, hot water, tall and small
  zt::ZoneInput& f = b.zone[4];
  f.icool = 7;
  f.people = 2;
  f.hwGal = 40;
  f.hw = f.occ = zt::kOn;
  f.floor = 150;
  f.height = 25;
  f.wallArea = 800;
  f.glassU = 0.5f;
  f.glassArea = 100;
  // 5: constant volume multizone with natural ventilation in a passive-style schedule
  zt::ZoneInput& g = b.zone[5];
  g.icool = 3;
  g.people = 50;
  g.occ = zt::kOn;
  g.natVent = 'Y';
  g.vnat = 400;
  g.oaCfm = 500;
  g.vent = zt::kOn;
}

void expectFinite(zt::Bench& b, int hour) {
  kv::ENACC& e = b.e();
  for (int z = 1; z <= b.b().NZ; ++z) {
    const float v[] = {e.TZONE(z),  e.TMASS(z),  e.DPZONE(z), e.WMASS(z),   e.RHZONE(z),  e.TMRT(z),
                       e.TZLAST(z), e.OACFM(z),  e.QZTOT(z),  e.QZSENS(z),  e.CFMMAX(z),  e.DESGAIN(z),
                       e.ZMARK(z),  e.ZPKCLG(z), e.ZPKHV(z),  e.CFMHTG(z),  e.GAINMAX(z), e.GAINMIN(z),
                       e.SHRZ(z),   e.RSHRZ(z),  e.FCHRS(z),  e.CDHHI(z),   e.CDHLO(z)};
    for (float x : v) ASSERT_TRUE(std::isfinite(x)) << "zone " << z << " hour " << hour;
  }
  const float sums[] = {e.QCLOAD, e.QCPEAK, e.QHLOAD, e.QHPEAK, e.QHEAT,  e.EFAN,   e.SYSON,
                        e.CFMSUM, e.ELKW,   e.FUELHR, e.ELTEQ,  e.QHTG,   e.ECLG,   e.QHW,
                        e.TDESIN, e.SOLARM, e.ECLGY,  e.SHSITE, e.WHSITE, e.SHCOST, e.WHCOST,
                        e.CLCOST, e.GASM,   e.ELECM,  e.HWFUEL, e.DLSAVE};
  for (float x : sums) ASSERT_TRUE(std::isfinite(x)) << "hour " << hour;
  for (int k = 1; k <= kv::kLoadCategories; ++k) {
    ASSERT_TRUE(std::isfinite(e.QCAT(k)) && std::isfinite(e.QCLGM(k)) && std::isfinite(e.QHTGM(k)))
        << "category " << k << " hour " << hour;
  }
}

TEST(ZoneLongRun, a_year_of_varied_weather_leaves_every_value_finite) {
  for (int runType : {2, 3, 4}) {
    SCOPED_TRACE(runType);
    zt::Bench bench(runType);
    unlikeZones(bench);
    for (int m = 1; m <= 12; ++m)
      bench.s->wxmon.TDBM(m) = 50.0f - 25.0f * std::cos((m - 0.5f) * 3.14159265f / 6.0f);
    bench.setUp(5);
    kv::ENACC& e = bench.e();
    e.DAYWT = 31.0f / 7.0f;
    Lcg rnd;
    float dbDay = 30.0f;
    for (int h = 0; h < 8760; ++h) {
      const int ihr = h % 24 + 1;
      const int day = h / 24;
      bench.month = std::min(12, day / 31 + 1);
      e.ISEAS = (bench.month + 2) / 3;
      if (ihr == 1) {
        e.IDOW = day % 7 + 1;
        e.NONWRK = e.IDOW > 5 ? 1 : 0;
        dbDay = bench.s->wxmon.TDBM(bench.month) + 30.0f * (rnd.next() - 0.5f);
      }
      zt::Weather w;
      const float x = std::cos((ihr - 15) * 3.14159265f / 12.0f);
      w.DB = dbDay + 12.0f * x + 6.0f * (rnd.next() - 0.5f);
      if (rnd.next() < 0.01f) w.DB = rnd.next() < 0.5f ? -30.0f : 115.0f;  // extremes
      w.DP = w.DB - 40.0f * rnd.next();
      w.TDAY = dbDay;
      w.WV = 30.0f * rnd.next();
      w.PB = 24.0f + 6.0f * rnd.next();
      w.NIGHT = ihr < 7 || ihr > 19;
      w.sol = w.NIGHT ? 0.0f : 300.0f * std::max(x, 0.0f) * rnd.next();
      w.DAYRANK = 1 + static_cast<int>(30.99f * rnd.next());
      bench.hour(w, ihr);
      expectFinite(bench, h);
      if (HasFatalFailure()) return;
    }
    EXPECT_GT(e.CHROK(1) + e.CHRHI(1) + e.CHRLO(1), 0.0f);
  }
}

}  // namespace
