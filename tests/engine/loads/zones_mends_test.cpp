// The zone dew point curve and the guards of the load ratios.
#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
