// Energy by end use of the zone pass: space heating by heating type, hot water, cooling
// through the system efficiency, their costs and site and source energy.
#include <gtest/gtest.h>

#include "zones_bench.h"

namespace {

constexpr float kWeight = 31.0f / 7.0f;  // one simulated week stands for a 31-day month

struct HeatRow {
  const char* name;
  int iheat, icool;
  bool gas;
  double perBtu;  // input per Btu of load: kBtu for gas, kWh for electricity
  double cop;     // the COP the heating input sum divides by
};

const HeatRow kHeatRows[] = {
    {"gas furnace", 1, 6, true, 1.0 / (1000.0 * 0.80), 0.80},
    {"electric resistance", 2, 6, false, 1.0 / 3413.0, 1.00},
    {"heat pump", 3, 6, false, 1.0 / (3413.0 * 2.26), 2.26},
    {"gas furnace with a heat-pump cooling type", 1, 7, false, 1.0 / (3413.0 * 2.26), 2.26},
};

TEST(ZoneEnergy, space_heating_by_heating_type_in_kbtu_or_kwh_with_costs_and_site_energy) {
  for (const HeatRow& r : kHeatRows) {
    SCOPED_TRACE(r.name);
    zt::Bench bench(2);
    bench.zone[1].iheat = r.iheat;
    bench.zone[1].icool = r.icool;
    bench.setUp(1);
    kv::ENACC& e = bench.e();
    e.DAYWT = kWeight;
    zt::Weather wx;
    wx.DB = wx.TDAY = 0.0f;
    wx.DP = -10.0f;
    bench.hour(wx, 8);
    const double q = -e.QZTOT(1);
    ASSERT_GT(q, 1000.0);
    const double input = q * r.perBtu;
    const double tol = input * 1e-5;
    EXPECT_NEAR(e.QHEAT, -q / r.cop, q * 1e-5);
    EXPECT_NEAR(e.SEASPR(8, 1, 1), q / r.cop, q * 1e-5);
    if (r.gas) {
      EXPECT_NEAR(e.FUELHR, input, tol);
      EXPECT_NEAR(e.GASM, input, tol);
      EXPECT_NEAR(e.QHTG, input, tol);
      EXPECT_EQ(e.ELKW, 0.0f);
      EXPECT_NEAR(e.SHSITE, input / 1000.0 * kWeight, tol);
      EXPECT_NEAR(e.SHSRC, input / 1000.0 * kWeight, tol);
      EXPECT_NEAR(e.SHCOST, e.GASPR * input / 1000.0 * kWeight, tol);
    } else {
      EXPECT_NEAR(e.ELKW, input, tol);
      EXPECT_NEAR(e.ELECM, input, tol);
      EXPECT_NEAR(e.QHTG, input * 3.413, tol * 4);
      EXPECT_EQ(e.FUELHR, 0.0f);
      EXPECT_NEAR(e.SHSITE, input * 0.003413 * kWeight, tol);
      EXPECT_NEAR(e.SHSRC, input * 0.0105 * kWeight, tol);
      EXPECT_NEAR(e.SHCOST, e.ELECPR * input * kWeight, tol);
    }
    EXPECT_NEAR(e.HTHRSUM, e.QHTG, tol * 4);
  }
}

TEST(ZoneEnergy, hot_water_by_heating_type_only_in_working_hours) {
  struct Row {
    int iheat;
    int nonwrk;
    double kbtu, kwh;  // fuel of the hour: gas kBtu or electricity kWh
  };
  // 100 gallons a day, 1/24 of it in the hour, heated by 140 F less the month's 30 F.
  const double qhw = 100.0 * 8.33 * 110.0 / 24.0;
  const Row rows[] = {{1, 0, qhw / 800.0, 0.0},
                      {2, 0, 0.0, qhw / 3413.0},
                      {3, 0, 0.0, qhw / (3413.0 * 2.26)},
                      {1, 1, 0.0, 0.0},
                      {2, 1, 0.0, 0.0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "heating type " << r.iheat << " non-working " << r.nonwrk);
    zt::Bench bench(4);  // a passive run: no space heating or cooling
    bench.zone[1].iheat = r.iheat;
    bench.zone[1].hwGal = 100.0f;
    bench.zone[1].hw = zt::kOn;
    bench.setUp(1);
    kv::ENACC& e = bench.e();
    e.DAYWT = kWeight;
    e.NONWRK = r.nonwrk;
    zt::Weather wx;
    bench.hour(wx, 10);
    EXPECT_NEAR(e.FUELHR, r.kbtu, 1e-4);
    EXPECT_NEAR(e.ELKW, r.kwh, 1e-5);
    // The hour's hot-water heating: the heat over the heating type's COP, in kBtu.
    const double cop = zt::kHtCop[r.iheat - 1];
    const double qhwHour = r.nonwrk ? 0.0 : qhw / (1000.0 * cop);
    EXPECT_NEAR(e.QHW, qhwHour, 1e-5);
    EXPECT_NEAR(e.HWFUEL, qhwHour * kWeight, 1e-4);
    const double cost = r.kbtu * e.GASPR / 1000.0 + r.kwh * e.ELECPR;
    EXPECT_NEAR(e.WHCOST, cost * kWeight, 1e-5);
    const double site = r.kbtu / 1000.0 + r.kwh * 0.003413;
    EXPECT_NEAR(e.WHSITE, site * kWeight, 1e-6);
    EXPECT_NEAR(e.WHSRC, (r.kbtu / 1000.0 + r.kwh * 0.0105) * kWeight, 1e-6);
    EXPECT_EQ(e.SHSITE, 0.0f);
  }
}

TEST(ZoneEnergy, cooling_electricity_is_the_load_over_the_hour_efficiency) {
  for (int icool : {1, 5, 6, 9}) {
    SCOPED_TRACE(icool);
    zt::Bench bench(2);
    zt::ZoneInput& z = bench.zone[1];
    z.icool = icool;
    z.people = 10;
    z.lightKw = 8;
    z.occ = z.lite = zt::kOn;
    bench.setUp(1);
    kv::ENACC& e = bench.e();
    e.DAYWT = kWeight;
    zt::Weather wx;
    wx.DB = 96.0f;
    wx.TDAY = 85.0f;
    wx.DP = 72.0f;
    float sum = 0.0f;
    for (int h = 1; h <= 12; ++h) {
      bench.hour(wx, h);
      const float t = e.QZTOT(1);
      float eff = 0.0f;
      kv::SYSCOP(wx.DB, bench.s->hrwthr.WB, wx.TDAY, t, e.ZPKCLG(1), icool, bench.b().COOLEF(1), eff);
      EXPECT_NEAR(e.ECLG, t / eff, 1e-5 * t);
      EXPECT_FLOAT_EQ(e.ELKW, e.ECLG);
      EXPECT_FLOAT_EQ(e.QCLOAD, t);
      sum += e.ECLG;
    }
    EXPECT_GT(e.QZTOT(1), 0.0f);
    EXPECT_NEAR(e.ECLGY, sum * kWeight, sum * 1e-5);
    EXPECT_NEAR(e.ECLGM, sum * kWeight, sum * 1e-5);
    EXPECT_NEAR(e.CLCOST, e.ELECPR * sum * kWeight, sum * 1e-5);
    float profile = 0.0f;
    for (int h = 1; h <= 12; ++h) profile += e.SEASPR(h, 3, 1);
    EXPECT_NEAR(profile, sum, sum * 1e-5);
  }
}

}  // namespace
