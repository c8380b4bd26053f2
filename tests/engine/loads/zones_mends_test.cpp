// The zone dew point curve, the guards of the load ratios, and a floating zone: no load
// booked inside its thermostat band, a dew point never above its air.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/loads/zones.h"
#include "zones_bench.h"

namespace {

TEST(ZoneDewPoint, saturated_air_gives_back_its_temperature_on_both_curves) {
  struct Row {
    float t, psia, tzone;  // saturation temperature, its vapour pressure (over ice below 32 F)
  };
  // Below 32 F zone air the ice-side curve; else the water-side curve, which hands back to
  // the ice side when it gives less than 32 F.
  const Row rows[] = {{20.0f, 0.050489f, 25.0f}, {28.0f, 0.073706f, 30.0f}, {31.9f, 0.088236f, 31.0f},
                      {31.9f, 0.088236f, 70.0f}, {32.5f, 0.090454f, 70.0f}, {40.0f, 0.121724f, 70.0f},
                      {55.0f, 0.214101f, 75.0f}, {70.0f, 0.363277f, 80.0f}, {90.0f, 0.698888f, 100.0f}};
  for (const Row& r : rows) {
    EXPECT_NEAR(kv::zoneDewPoint(r.psia, r.tzone), r.t, 0.1) << r.t << " in air of " << r.tzone;
  }
}

TEST(ZoneDewPoint, the_two_curves_meet_at_freezing) {
  const float p = 0.088649f;  // saturation at 32 F
  EXPECT_NEAR(kv::zoneDewPoint(p, 31.0f), 32.0f, 0.05f);
  // Just above freezing both curves give the same dew point (no jump at the switch).
  for (float f : {1.005f, 1.01f, 1.02f}) {
    EXPECT_NEAR(kv::zoneDewPoint(p * f, 31.0f), kv::zoneDewPoint(p * f, 50.0f), 0.1f) << f;
  }
}

TEST(ZoneLoadRatio, a_design_gain_of_zero_or_below_gives_one_for_a_cooling_load) {
  struct Row {
    float L, desgain, ratio;
  };
  const Row rows[] = {{500.0f, 1000.0f, 0.5f}, {500.0f, 0.0f, 1.0f}, {500.0f, -300.0f, 1.0f},
                      {0.0f, 0.0f, 0.0f},      {-50.0f, 0.0f, 0.0f}, {-50.0f, -300.0f, 0.0f}};
  for (const Row& r : rows) {
    EXPECT_EQ(kv::coolRatio(r.L, r.desgain), r.ratio) << r.L << " " << r.desgain;
  }
}

// A zone whose cooling peak came with a sensible load of 0 or below: fans, evaporative
// supply and demand-controlled air run at full ratio, nothing divides by the design gain.
TEST(ZoneLoadRatio, zone_with_a_non_positive_design_gain_runs_its_fans_at_full_air) {
  for (float desgain : {0.0f, -500.0f}) {
    for (int icool : {1, 6, 9}) {
      SCOPED_TRACE(testing::Message() << "DESGAIN " << desgain << " cooling type " << icool);
      zt::Bench bench(2);
      zt::ZoneInput& z = bench.zone[1];
      z.people = 5;
      z.equipKw = 6;
      z.occ = z.lite = zt::kOn;
      z.icool = icool;
      z.oaCfm = 200;
      z.vent = zt::kDcv;
      bench.setUp(1);
      kv::ENACC& e = bench.e();
      e.DESGAIN(1) = desgain;
      e.ZPKCLG(1) = 1e9f;  // a peak no hour beats: the design gain stays
      e.CFMMAX(1) = 1000.0f;
      zt::Weather wx;
      wx.DB = wx.TDAY = 100.0f;
      wx.DP = 60.0f;
      int cooling = 0;
      for (int h = 1; h <= 24; ++h) {
        bench.hour(wx, h);
        EXPECT_TRUE(std::isfinite(e.TZONE(1)) && std::isfinite(e.WMASS(1)) && std::isfinite(e.EFAN) &&
                    std::isfinite(e.DPZONE(1)) && std::isfinite(e.OACFM(1)));
        EXPECT_EQ(e.DESGAIN(1), desgain);
        if (e.QZSENS(1) > 0.0f) {
          ++cooling;
          EXPECT_FLOAT_EQ(e.EFAN, 0.75f * 1000.0f * 0.5f / 4131.4f);
          EXPECT_FLOAT_EQ(e.CFMSUM, 1000.0f);
          EXPECT_FLOAT_EQ(e.SYSON, e.EFAN);
        }
      }
      EXPECT_GT(cooling, 0);
    }
  }
}

// A zone that floats inside its thermostat band books no heating, whichever way its total load
// is summed. The hour: a zone whose heating set point is -40 F floats at 68.1 F above a cooler
// mass (sensible load L = -1116 Btuh) with 1000 cfm of warmer, drier outdoor air: sensible
// 1691 Btuh, so L + QVS > 0 and the coil's sum is taken, whose enthalpy total is only 222 Btuh:
// L + QVTOT = -894 Btuh.
TEST(FloatingZone, a_zone_above_its_heating_set_point_books_no_heating_on_the_coil_path) {
  zt::Bench bench(2);
  zt::ZoneInput& z = bench.zone[1];
  z.wallArea = 0.0f;  // no wall, no infiltration, no gains: the load is the mass exchange
  z.ach = 0.0f;
  z.mass = 94.3f;     // air capacitance 2160 Btu/F: the outdoor air moves the zone half way
  z.oaCfm = 1000.0f;
  z.vent = zt::kOn;
  bench.setUp(1);
  kv::BLDG& b = bench.b();
  constexpr int kNoHeat = 5;
  for (int h = 1; h <= 24; ++h) b.PROF(5, kNoHeat, h) = -40.0f;
  b.IPROF(6, 1) = b.IPROF(8, 1) = kNoHeat;
  kv::ENACC& e = bench.e();
  e.TZONE(1) = 67.05f;
  e.TMASS(1) = 66.3053f;
  e.DPZONE(1) = 50.0f;
  e.GAINMIN(1) = -2000.0f;  // colder hours came before: the gain limiter leaves L alone
  const float zpkhv = e.ZPKHV(1);
  zt::Weather wx;
  wx.DB = 69.666f;
  wx.DP = 48.9234f;
  wx.TDAY = 72.0f;
  bench.hour(wx, 7);

  // No heating: neither the zone's load nor the building's sums, peaks, categories or energy.
  EXPECT_EQ(e.QZTOT(1), 0.0f);
  EXPECT_EQ(e.QZSENS(1), 0.0f);
  EXPECT_EQ(e.QHLOAD, 0.0f);
  EXPECT_EQ(e.QHPEAK, 0.0f);
  EXPECT_EQ(e.QHEAT, 0.0f);
  EXPECT_EQ(e.ZMARK(1), -1.0f);
  EXPECT_EQ(e.ZPKHV(1), zpkhv);
  for (int k = 1; k <= kv::kLoadCategories; ++k) {
    EXPECT_EQ(e.QHTGM(k), 0.0f) << k;
    EXPECT_EQ(e.QCLGM(k), 0.0f) << k;
    if (k != 5) {
      EXPECT_EQ(e.QCAT(k), 0.0f) << k;
    }
  }
  EXPECT_EQ(e.SEASPR(7, 1, 1), 0.0f);
  EXPECT_EQ(e.SHSITE, 0.0f);
  EXPECT_EQ(e.SHCOST, 0.0f);
  EXPECT_EQ(e.FUELHR, 0.0f);
  EXPECT_EQ(e.SOLARM, 0.0f);
  // Nor cooling; the rest of the hour as it was: the zone floats at 68.1 F with its outdoor
  // air, the mass warms by the 1116 Btuh it takes from the air, the moisture balance is that
  // of the outdoor air, and the fan moves the outdoor air.
  EXPECT_EQ(e.QCLOAD, 0.0f);
  EXPECT_EQ(e.ECLG, 0.0f);
  EXPECT_EQ(e.FCHRS(1), 0.0f);
  EXPECT_NEAR(e.TZONE(1), 68.1f, 0.001f);
  EXPECT_EQ(e.OACFM(1), 1000.0f);
  EXPECT_NEAR(e.TMASS(1), 66.3053f + 1116.0f / e.MASSCAP(1), 0.001f);
  EXPECT_NEAR(e.DPZONE(1), 49.520f, 0.001f);
  EXPECT_NEAR(e.RHZONE(1), 51.399f, 0.001f);
  EXPECT_NEAR(e.WMASS(1), 5.56736f, 1e-5f);
  EXPECT_FLOAT_EQ(e.CFMSUM, 1000.0f);
  EXPECT_FLOAT_EQ(e.EFAN, 0.75f * 1000.0f * 0.5f / 4131.4f);
}

// A vented free-floating zone whose air cools faster than its dew point may fall keeps its dew
// point at most at its dry bulb (relative humidity at most 100 %); otherwise the dew point
// follows its limits: at most 2 F below the last hour's.
TEST(FloatingZone, a_vented_zone_cooling_fast_keeps_its_dew_point_at_most_its_dry_bulb) {
  zt::Bench bench(4);  // no heating or cooling
  zt::ZoneInput& z = bench.zone[1];
  z.mass = 60.0f;  // a heavy zone: its mass keeps the air warm while the outdoor air cools it
  z.natVent = 'Y';
  z.vnat = 5000.0f;
  z.people = 20.0f;
  z.occ = zt::kOn;
  bench.setUp(1);
  kv::ENACC& e = bench.e();
  zt::Weather warm;
  warm.DB = warm.TDAY = 84.0f;
  warm.DP = 74.0f;
  for (int h = 0; h < 72; ++h) bench.hour(warm, h % 24 + 1);  // humid, at the cap 2 F below the air
  ASSERT_NEAR(e.DPZONE(1), e.TZONE(1) - 2.0f, 0.5f);
  zt::Weather cold;
  cold.DB = 40.0f;
  cold.DP = 30.0f;
  cold.TDAY = 70.0f;
  int fastDrops = 0;
  for (int h = 1; h <= 12; ++h) {
    const float told = e.TZONE(1), dpold = e.DPZONE(1);
    bench.hour(cold, h);
    SCOPED_TRACE(testing::Message() << "hour " << h << ": air " << told << " -> " << e.TZONE(1)
                                    << ", dew point " << dpold << " -> " << e.DPZONE(1));
    if (told - e.TZONE(1) > 2.0f) ++fastDrops;
    EXPECT_LE(e.DPZONE(1), e.TZONE(1));
    EXPECT_LE(e.RHZONE(1), 100.0f);
    EXPECT_GE(e.DPZONE(1), std::min(dpold - 2.0f, e.TZONE(1)));
  }
  EXPECT_GE(fastDrops, 2);
}

}  // namespace
