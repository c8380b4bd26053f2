// Internal gains of the zone pass: daylight-reduced lighting and its savings, and the
// month's hot-day and cold-day snapshots.
#include <gtest/gtest.h>

#include "zones_bench.h"

namespace {

TEST(ZoneGains, daylight_dims_the_lights_of_the_daylit_fraction_by_day_only) {
  struct Row {
    const char* name;
    char flag;
    int night;
    float fc, target, lightKw;  // lighting kW left for the hour
  };
  // 10 kW of lights, 2 kW of equipment, 60 % of the floor daylit.
  const Row rows[] = {
      {"half the target", 'Y', 0, 25.0f, 50.0f, 10.0f * (1.0f - 0.5f * 0.6f)},
      {"more than the target", 'Y', 0, 80.0f, 50.0f, 10.0f * (1.0f - 0.6f)},
      {"at night", 'Y', 1, 25.0f, 50.0f, 10.0f},
      {"no daylighting", 'N', 0, 25.0f, 50.0f, 10.0f},
      {"target below 1 fc", 'Y', 0, 25.0f, 0.5f, 10.0f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    zt::Bench bench(2);
    zt::ZoneInput& z = bench.zone[1];
    z.lightKw = 10;
    z.equipKw = 2;
    z.occ = z.lite = zt::kOn;
    bench.setUp(1);
    kv::ENACC& e = bench.e();
    bench.b().DLFLG(1) = r.flag;
    bench.b().FCTGT(1) = r.target;
    e.DLFRAC(1) = 0.6f;
    e.DAYWT = 2.0f;
    zt::Weather wx;
    wx.NIGHT = r.night;
    wx.fc = r.fc;
    bench.hour(wx, 11);
    EXPECT_NEAR(e.ELTG, r.lightKw, 1e-4);
    EXPECT_NEAR(e.ERCP, 2.0f, 1e-6);
    EXPECT_NEAR(e.ELTEQ, r.lightKw + 2.0f, 1e-4);
    EXPECT_NEAR(e.QCAT(5), r.lightKw + 2.0f, 1e-4);
    EXPECT_NEAR(e.ELTKWHY, r.lightKw * 2.0f, 1e-4);
    EXPECT_NEAR(e.ERCPKWHM, 4.0f, 1e-5);
    EXPECT_NEAR(e.DLSAVE, (10.0f - r.lightKw) * 2.0f, 1e-4);
  }
}

TEST(ZoneGains, a_non_working_hour_has_no_gains_and_the_unoccupied_set_points) {
  zt::Bench bench(2);
  zt::ZoneInput& z = bench.zone[1];
  z.people = 10;
  z.lightKw = 10;
  z.occ = z.lite = zt::kOn;
  bench.setUp(1);
  kv::ENACC& e = bench.e();
  e.NONWRK = 1;
  zt::Weather wx;
  wx.DB = wx.TDAY = 20.0f;
  wx.DP = 10.0f;
  for (int h = 1; h <= 24; ++h) bench.hour(wx, h);
  EXPECT_EQ(e.ELTEQ, 0.0f);
  EXPECT_EQ(e.QCAT(5), 0.0f);
  EXPECT_NEAR(e.TZONE(1), 60.0f, 1e-3);  // the unoccupied heating set point
  EXPECT_EQ(e.CHROK(1) + e.CHRLO(1) + e.CHRHI(1), 0.0f) << "comfort counts working hours";
}

TEST(ZoneGains, hot_and_cold_day_snapshots_take_the_hour_of_the_ranked_or_extreme_day) {
  struct Row {
    int dayrank;
    float db, tmax, tmin;
    bool hot, cold;
  };
  const Row rows[] = {{31, 70.0f, 99.0f, 0.0f, true, false},  {1, 70.0f, 99.0f, 0.0f, false, true},
                      {15, 70.0f, 70.0f, 0.0f, true, false},  {15, 70.0f, 99.0f, 70.0f, false, true},
                      {15, 70.0f, 99.0f, 0.0f, false, false}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.dayrank << " " << r.tmax << " " << r.tmin);
    zt::Bench bench(4);
    bench.setUp(1);
    kv::ENACC& e = bench.e();
    bench.s->runpar.TMAXH(9) = r.tmax;
    bench.s->runpar.TMINH(9) = r.tmin;
    zt::Weather wx;
    wx.DB = r.db;
    wx.DAYRANK = r.dayrank;
    bench.hour(wx, 9);
    EXPECT_EQ(e.HOTDB(9), r.hot ? r.db : 0.0f);
    EXPECT_EQ(e.HOTTZ(9, 1), r.hot ? e.TZONE(1) : 0.0f);
    EXPECT_EQ(e.HOTTOP(9, 1), r.hot ? e.TZLAST(1) : 0.0f);
    EXPECT_EQ(e.HOTMRT(9, 1), r.hot ? e.TMRT(1) : 0.0f);
    EXPECT_EQ(e.HOTRH(9, 1), r.hot ? e.RHZONE(1) : 0.0f);
    EXPECT_EQ(e.COLDDB(9), r.cold ? r.db : 0.0f);
    EXPECT_EQ(e.COLDTZ(9, 1), r.cold ? e.TZONE(1) : 0.0f);
    EXPECT_EQ(e.COLDRH(9, 1), r.cold ? e.RHZONE(1) : 0.0f);
  }
}

}  // namespace
