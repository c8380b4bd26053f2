// The zone balance against hand-computed steady states: one zone with walls only, no gains,
// constant outdoor air, no sun and no wind.
#include <gtest/gtest.h>

#include "zones_bench.h"

namespace {

constexpr float kOutdoor = 20.0f;

zt::Bench wallsOnly(int runType, float wallU, float ach) {
  zt::Bench bench(runType);
  bench.zone[1].wallU = wallU;
  bench.zone[1].ach = ach;
  bench.setUp(1);
  return bench;
}

TEST(ZonePhysics, settled_heating_load_is_wall_conduction_plus_infiltration) {
  struct Row {
    float wallU, ach, outdoor;
  };
  const Row rows[] = {{0.10f, 0.5f, 20.0f}, {0.25f, 0.5f, 20.0f}, {0.10f, 1.5f, 0.0f}, {0.05f, 0.0f, 40.0f}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "U " << r.wallU << " ach " << r.ach << " DB " << r.outdoor);
    zt::Bench bench = wallsOnly(2, r.wallU, r.ach);
    zt::Weather wx;
    wx.DB = wx.TDAY = r.outdoor;
    wx.DP = r.outdoor - 10.0f;
    for (int h = 0; h < 24 * 5; ++h) bench.hour(wx, h % 24 + 1);
    // By hand: the wall's U-factor with the calm-air outside film in place of the 0.17 of its
    // rating, the infiltration from the air changes, the stack term of the multiplier and the
    // volumetric heat of air (1.08 Btuh per cfm and F).
    const double theat = 70.0;
    const double uWall = 1.0 / (1.0 / r.wallU - 0.17 + 1.0 / 1.45);
    const double cfm = (0.25 + 0.00833 * std::fabs(r.outdoor - theat)) * 1000.0 * 10.0 * r.ach / 60.0;
    const double expected = (uWall * 1264.9 + 1.08 * cfm) * (r.outdoor - theat);
    kv::ENACC& e = bench.e();
    EXPECT_NEAR(e.TZONE(1), theat, 1e-3);
    EXPECT_NEAR(e.QZTOT(1), expected, std::fabs(expected) * 1e-3);
    EXPECT_NEAR(e.QHLOAD, expected, std::fabs(expected) * 1e-3);
    EXPECT_EQ(e.QCLOAD, 0.0f);
    // Settled mass: it takes the wall's share of the loss and no more.
    EXPECT_NEAR(1.47 * e.AINT(1) * (e.TMASS(1) - theat), 0.6 * uWall * 1264.9 * (r.outdoor - theat),
                std::fabs(expected) * 1e-3);
    // Gas heat: the load over factor 1000 and the furnace COP, in kBtu.
    EXPECT_NEAR(e.QHTG, -expected / (1000.0 * 0.8), std::fabs(expected) * 1e-6);
    EXPECT_NEAR(e.TDESIN, theat, 1e-3);
  }
}

TEST(ZonePhysics, passive_zone_floats_to_the_outdoor_air) {
  zt::Bench bench = wallsOnly(4, 0.1f, 0.5f);
  zt::Weather wx;
  wx.DB = wx.TDAY = kOutdoor;
  wx.DP = 10.0f;
  float told = bench.e().TZONE(1);
  for (int h = 0; h < 24 * 10; ++h) {
    bench.hour(wx, h % 24 + 1);
    const float tz = bench.e().TZONE(1);
    ASSERT_LE(tz, told + 1e-4f) << h;  // falls towards the outdoor air, never past it
    ASSERT_GE(tz, kOutdoor - 1e-3f) << h;
    ASSERT_EQ(bench.e().QZTOT(1), 0.0f);
    told = tz;
  }
  EXPECT_NEAR(bench.e().TZONE(1), kOutdoor, 0.05);
  EXPECT_NEAR(bench.e().TMASS(1), kOutdoor, 0.05);
  EXPECT_EQ(bench.e().QHLOAD, 0.0f);
  EXPECT_EQ(bench.e().QHTG, 0.0f);
}

}  // namespace
