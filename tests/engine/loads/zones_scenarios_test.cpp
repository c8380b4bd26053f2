// Scenario fixtures of the zone pass: small one-zone buildings run hour by hour, with the
// invariants every hour must keep and what each scenario must show at its end.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "zones_bench.h"

namespace {

using Check = std::function<void(zt::Bench&)>;
using WeatherAt = std::function<zt::Weather(int)>;

struct Scenario {
  std::string name;
  int runType;
  std::function<void(zt::ZoneInput&)> zone;
  WeatherAt weather;
  int hours;
  Check eachHour;  // after every hour
  Check atEnd;
};

// A day swinging between lo and hi, warmest at 15 h, with dew point dp.
WeatherAt swing(float lo, float hi, float dp) {
  return [=](int h) {
    zt::Weather w;
    const float x = std::cos((static_cast<float>(h % 24 + 1) - 15.0f) * 3.14159265f / 12.0f);
    w.DB = lo + (hi - lo) * 0.5f * (1.0f + x);
    w.TDAY = 0.5f * (lo + hi);
    w.DP = dp;
    w.NIGHT = (h % 24 + 1) < 7 || (h % 24 + 1) > 19;
    w.sol = w.NIGHT ? 0.0f : 150.0f * std::max(x, 0.0f);
    return w;
  };
}

WeatherAt constant(float db, float dp) {
  return [=](int) {
    zt::Weather w;
    w.DB = w.TDAY = db;
    w.DP = dp;
    return w;
  };
}

void office(zt::ZoneInput& z) {
  z.people = 10;
  z.lightKw = 2;
  z.equipKw = 1;
  z.occ = z.lite = zt::kOn;
  z.glassU = 0.5f;
  z.glassArea = 200;
  z.wallArea = 1064.9f;
}

bool finite(float x) { return std::isfinite(x); }

void expectZoneFinite(kv::ENACC& e, int z) {
  const float v[] = {e.TZONE(z), e.TMASS(z), e.DPZONE(z), e.WMASS(z), e.RHZONE(z), e.TMRT(z),
                     e.TZLAST(z), e.OACFM(z), e.QZTOT(z), e.QZSENS(z), e.CFMMAX(z), e.DESGAIN(z),
                     e.ZMARK(z), e.ZPKCLG(z), e.GAINMAX(z), e.GAINMIN(z), e.FCHRS(z)};
  for (float x : v) ASSERT_TRUE(finite(x)) << "zone " << z;
}

std::vector<Scenario> scenarios() {
  std::vector<Scenario> list;
  // A passive run: no loads and no heating or cooling energy while the zone floats and the
  // comfort counters of the occupied hours run.
  {
    auto lo = std::make_shared<float>(1e9f), hi = std::make_shared<float>(-1e9f);
    list.push_back({"passive office with natural ventilation and outdoor air", 4,
                    [](zt::ZoneInput& z) {
                      office(z);
                      z.natVent = 'Y';
                      z.vnat = 800;
                      z.oaCfm = 100;
                      z.vent = zt::kOn;
                    },
                    swing(40, 95, 45), 72,
                    [lo, hi](zt::Bench& b) {
                      kv::ENACC& e = b.e();
                      EXPECT_EQ(e.QZTOT(1), 0.0f);
                      EXPECT_EQ(e.QCLOAD, 0.0f);
                      EXPECT_EQ(e.QHLOAD, 0.0f);
                      EXPECT_EQ(e.QHEAT, 0.0f);
                      EXPECT_EQ(e.ECLG, 0.0f);
                      EXPECT_EQ(e.QHTG, 0.0f);
                      *lo = std::min(*lo, e.TZONE(1));
                      *hi = std::max(*hi, e.TZONE(1));
                    },
                    [lo, hi](zt::Bench& b) {
                      kv::ENACC& e = b.e();
                      EXPECT_GT(*hi - *lo, 5.0f) << "the zone floats";
                      EXPECT_FLOAT_EQ(e.CHRHI(1) + e.CHRLO(1) + e.CHROK(1), 72.0f);
                      EXPECT_EQ(e.SHSITE, 0.0f);
                      EXPECT_EQ(e.ECLGY, 0.0f);
                      EXPECT_EQ(e.CLCOST + e.SHCOST, 0.0f);
                      for (int k = 1; k <= kv::kLoadCategories; ++k)
                        EXPECT_EQ(e.QCLGM(k) + e.QHTGM(k), 0.0f) << k;
                    }});
  }
  // Sudden outdoor jumps: the thermostat clamps, the 4 F step limit holds.
  list.push_back({"walls only under outdoor jumps", 2, [](zt::ZoneInput&) {},
                  [](int h) {
                    zt::Weather w;
                    w.DB = w.TDAY = h < 5 ? 70.0f : h < 40 ? -20.0f : 110.0f;
                    w.DP = h < 40 ? -25.0f : 60.0f;
                    return w;
                  },
                  80, nullptr,
                  [](zt::Bench& b) { EXPECT_NEAR(b.e().TZONE(1), 78.0f, 1e-3); }});
  // Natural ventilation of an office on warm days.
  list.push_back({"office with natural ventilation", 2,
                  [](zt::ZoneInput& z) {
                    office(z);
                    z.natVent = 'Y';
                    z.vnat = 3000;
                  },
                  swing(55, 100, 50), 96, nullptr, nullptr});
  // Economiser: below 55 F outdoors the outdoor air carries a cooling load for free.
  for (char econ : {'Y', 'N'}) {
    list.push_back({std::string("large gains at 50 F, economiser ") + econ, 2,
                    [econ](zt::ZoneInput& z) {
                      office(z);
                      z.lightKw = 40;
                      z.econ = econ;
                      z.oaCfm = 30;
                      z.vent = zt::kOn;
                    },
                    constant(50, 30), 48, nullptr,
                    [econ](zt::Bench& b) {
                      kv::ENACC& e = b.e();
                      if (econ == 'Y') {
                        EXPECT_EQ(e.QZTOT(1), 0.0f);
                        EXPECT_EQ(e.ECLGY, 0.0f);
                        EXPECT_FLOAT_EQ(e.FCHRS(1), 48.0f);
                      } else {
                        EXPECT_GT(e.QZTOT(1), 0.0f);
                        EXPECT_GT(e.ECLGY, 0.0f);
                        EXPECT_EQ(e.FCHRS(1), 0.0f);
                      }
                    }});
  }
  // Evaporative cooling takes no latent heat from infiltration; a DX zone does.
  for (int icool : {9, 6}) {
    list.push_back({"hot humid day, cooling type " + std::to_string(icool), 2,
                    [icool](zt::ZoneInput& z) {
                      office(z);
                      z.icool = icool;
                      z.ach = 1.0f;
                    },
                    swing(85, 100, 75), 48,
                    [](zt::Bench& b) {
                      if (b.s->bldg.ICOOL(1) == 9) {
                        EXPECT_EQ(b.e().QCAT(11), 0.0f);
                      }
                    },
                    [icool](zt::Bench& b) {
                      kv::ENACC& e = b.e();
                      EXPECT_GT(e.QCLGM(10), 0.0f) << "infiltration sensible gain";
                      EXPECT_GT(e.QCLGM(7), 0.0f) << "people latent in cooling hours";
                      if (icool == 9) {
                        EXPECT_EQ(e.QCLGM(11), 0.0f);
                      } else {
                        EXPECT_GT(e.QCLGM(11), 0.0f);
                      }
                    }});
  }
  // A dry warm day: the evaporative supply carries the load as free cooling.
  list.push_back({"dry warm day, evaporative cooling", 2,
                  [](zt::ZoneInput& z) {
                    office(z);
                    z.icool = 9;
                  },
                  constant(86, 35), 24, nullptr,
                  [](zt::Bench& b) {
                    EXPECT_GT(b.e().FCHRS(1), 0.0f);
                    EXPECT_LT(b.e().ECLGY, 1e-3f);
                  }});
  // A mild day: the zone floats between its set points; the evaporative cooler runs only in
  // the hours it would float above the cooling set point (it once cooled such a zone by 4 F
  // an hour far below its heating set point).
  list.push_back({"mild day, evaporative cooling", 2,
                  [](zt::ZoneInput& z) {
                    office(z);
                    z.icool = 9;
                  },
                  swing(57, 63, 45), 48,
                  [](zt::Bench& b) { EXPECT_GE(b.e().TZONE(1), 70.0f - 1e-3f); },
                  [](zt::Bench& b) { EXPECT_LT(b.e().FCHRS(1), 24.0f); }});
  // A hot, very dry day with large gains: the cooler could bring the supply air far below the
  // heating set point; the zone settles at it.
  {
    auto cooled = std::make_shared<int>(0);
    list.push_back({"hot dry day, large gains, evaporative cooling", 2,
                    [](zt::ZoneInput& z) {
                      office(z);
                      z.lightKw = 40;
                      z.icool = 9;
                    },
                    constant(90, 0), 48,
                    [cooled](zt::Bench& b) {
                      kv::ENACC& e = b.e();
                      EXPECT_LT(e.TEVAP, 70.0f);
                      EXPECT_GE(e.TZONE(1), 70.0f - 1e-3f);
                      if (e.TZONE(1) < 70.0f + 1e-3f) ++*cooled;
                    },
                    [cooled](zt::Bench& b) {
                      EXPECT_GT(b.e().FCHRS(1), 40.0f);
                      EXPECT_GT(*cooled, 30) << "settled at the heating set point";
                    }});
  }
  // Heating hours carry no latent category, not even with people, outdoor air and moist air.
  list.push_back({"occupied office on a cold day with outdoor air", 2,
                  [](zt::ZoneInput& z) {
                    office(z);
                    z.people = 30;
                    z.oaCfm = 300;
                    z.vent = zt::kOn;
                  },
                  // 58 hours: the last one is in the early morning, at the heating set point
                  // (in the evening the gains keep the zone floating above it, without load).
                  swing(5, 25, 0), 58,
                  [](zt::Bench& b) {
                    kv::ENACC& e = b.e();
                    if (e.QZTOT(1) < 0.0f) {
                      EXPECT_EQ(e.QCAT(7), 0.0f);
                      EXPECT_EQ(e.QCAT(9), 0.0f);
                      EXPECT_EQ(e.QCAT(11), 0.0f);
                    }
                  },
                  [](zt::Bench& b) {
                    kv::ENACC& e = b.e();
                    EXPECT_LT(e.QHLOAD, 0.0f);
                    EXPECT_GT(e.QHTGM(6), 0.0f) << "people sensible offsets heating";
                    EXPECT_LT(e.QHTGM(8), 0.0f) << "ventilation sensible loss";
                    EXPECT_EQ(e.QHTGM(7), 0.0f);
                    EXPECT_EQ(e.QHTGM(9), 0.0f);
                    EXPECT_EQ(e.QHTGM(11), 0.0f);
                  }});
  // Demand-controlled outdoor air follows the load, not the profile's 0.016.
  {
    auto seen = std::make_shared<std::vector<float>>();
    list.push_back({"demand-controlled outdoor air", 2,
                    [](zt::ZoneInput& z) {
                      office(z);
                      z.oaCfm = 400;
                      z.vent = zt::kDcv;
                    },
                    swing(60, 98, 50), 48,
                    [seen](zt::Bench& b) {
                      const float oa = b.e().OACFM(1);
                      EXPECT_GE(oa, 0.0f);
                      EXPECT_LE(oa, 400.0f);
                      seen->push_back(oa);
                    },
                    [seen](zt::Bench&) {
                      int distinct = 0, full = 0;
                      for (std::size_t i = 0; i < seen->size(); ++i) {
                        if (i == 0 || (*seen)[i] != (*seen)[i - 1]) ++distinct;
                        if ((*seen)[i] == 400.0f) ++full;
                      }
                      EXPECT_GT(distinct, 10);
                      EXPECT_GT(full, 0) << "the ratio reaches 1 at full load";
                      for (float oa : *seen) EXPECT_NE(oa, 0.016f * 400.0f);
                    }});
  }
  return list;
}

TEST(ZoneScenarios, every_hour_keeps_the_zone_invariants_and_each_scenario_shows_its_case) {
  for (const Scenario& sc : scenarios()) {
    SCOPED_TRACE(sc.name);
    zt::Bench bench(sc.runType);
    sc.zone(bench.zone[1]);
    bench.setUp(1);
    kv::ENACC& e = bench.e();
    for (int h = 0; h < sc.hours; ++h) {
      SCOPED_TRACE(testing::Message() << "hour " << h);
      const float told = e.TZONE(1);
      bench.hour(sc.weather(h), h % 24 + 1);
      ASSERT_LE(std::fabs(e.TZONE(1) - told), 4.0f + 1e-4f);
      expectZoneFinite(e, 1);
      EXPECT_GT(e.RHZONE(1), 0.0f);
      EXPECT_LE(e.RHZONE(1), 100.0f + 1e-3f);
      // A cooling load is reported only with the zone at its cooling set point.
      if (sc.runType != 4 && e.QZTOT(1) > 0.0f) {
        EXPECT_GE(e.TZONE(1), 78.0f - 1e-3f);
      }
      // A heating load likewise only with the zone at its heating set point (or below it,
      // while the hourly step limit holds it back).
      if (sc.runType != 4 && e.QZTOT(1) < 0.0f) {
        EXPECT_LE(e.TZONE(1), 70.0f + 1e-3f);
      }
      EXPECT_GE(e.QCLOAD, 0.0f);
      EXPECT_LE(e.QHLOAD, 0.0f);
      if (sc.eachHour) sc.eachHour(bench);
      if (HasFatalFailure()) return;
    }
    if (sc.atEnd) sc.atEnd(bench);
  }
}

}  // namespace
