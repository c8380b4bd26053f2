// Moist air against the ASHRAE Handbook's formulation, written here from its published
// equations in SI units and double precision: Hyland and Wexler's saturation pressure over
// ice and over water, and the psychrometric equation that defines the thermodynamic wet bulb.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/core/psychro.h"

namespace {

constexpr double kPaPerInHg = 3386.389;

// Saturation pressure, Pa, at t degrees C: over ice from -100 to 0 C, over water above.
double saturationPa(double tC, bool overIce) {
  const double T = tC + 273.15;
  if (overIce) {
    const double c[7] = {-5.6745359e3, 6.3925247, -9.6778430e-3, 6.2215701e-7,
                         2.0747825e-9, -9.4840240e-13, 4.1635019};
    return std::exp(c[0] / T + c[1] + c[2] * T + c[3] * T * T + c[4] * std::pow(T, 3) +
                    c[5] * std::pow(T, 4) + c[6] * std::log(T));
  }
  const double c[6] = {-5.8002206e3, 1.3914993, -4.8640239e-2, 4.1764768e-5, -1.4452093e-8, 6.5459673};
  return std::exp(c[0] / T + c[1] + c[2] * T + c[3] * T * T + c[4] * std::pow(T, 3) + c[5] * std::log(T));
}

double toC(double f) { return (f - 32.0) / 1.8; }

// Saturation pressure in inHg at t degrees F, over ice below freezing.
double saturationInHg(double tF) { return saturationPa(toC(tF), tF < 32.0) / kPaPerInHg; }

// Dew (frost) point, F, of a vapour pressure in inHg: the reference pressure inverted.
double dewPointF(double pvInHg) {
  double lo = -150.0, hi = 250.0;
  for (int i = 0; i < 100; ++i) {
    const double mid = (lo + hi) / 2.0;
    (saturationInHg(mid) > pvInHg ? hi : lo) = mid;
  }
  return (lo + hi) / 2.0;
}

// Thermodynamic wet bulb, F, of air at dry bulb t (F) with humidity ratio W at pressure P
// (inHg): the wet bulb t* whose psychrometric equation gives W, over water above 32 F and
// over ice below.
double wetBulbF(double t, double W, double P) {
  auto humidity = [&](double ts) {
    const double ps = saturationInHg(ts);
    const double Ws = 0.621945 * ps / (P - ps);
    if (ts >= 32.0) return ((1093.0 - 0.556 * ts) * Ws - 0.240 * (t - ts)) / (1093.0 + 0.444 * t - ts);
    return ((1220.0 - 0.04 * ts) * Ws - 0.240 * (t - ts)) / (1220.0 + 0.444 * t - 0.48 * ts);
  };
  double lo = -150.0, hi = t;
  for (int i = 0; i < 100; ++i) {
    const double mid = (lo + hi) / 2.0;
    (humidity(mid) > W ? hi : lo) = mid;
  }
  return (lo + hi) / 2.0;
}

TEST(PsychroReference, the_reference_formulation_gives_the_handbook_table) {
  // Saturation pressures of the Handbook's table (kPa) at whole degrees C.
  struct Row {
    double tC, kPa;
    bool ice;
  };
  const Row rows[] = {{-40, 0.012845, true}, {-20, 0.10326, true}, {-10, 0.25990, true}, {0, 0.61121, false},
                      {20, 2.3388, false},  {30, 4.2460, false},  {40, 7.3835, false},  {50, 12.350, false},
                      {100, 101.42, false}};
  for (const Row& r : rows) EXPECT_NEAR(saturationPa(r.tC, r.ice) / 1000.0 / r.kPa, 1.0, 2e-4) << r.tC;
}

TEST(PsychroReference, saturation_pressure_follows_the_handbook_over_ice_and_water) {
  for (float t : {-40.0f, -20.0f, 0.0f, 20.0f, 32.0f, 50.0f, 70.0f, 85.0f, 100.0f, 120.0f}) {
    SCOPED_TRACE(t);
    const double ref = saturationInHg(t);
    EXPECT_NEAR(kv::PVSF(t) / ref, 1.0, 1e-4);  // well inside 0.5 %: single precision
  }
  EXPECT_NEAR(kv::PVSF(212.0f), 101.42 * 1000.0 / kPaPerInHg, 0.002);
}

TEST(PsychroReference, saturation_pressure_rises_smoothly_through_freezing_and_85_F) {
  // No step anywhere from -60 to 212 F: each 0.05 F raises the pressure by less than 0.5 %;
  // at 32 F the change from ice to water is 0.01 %.
  float prev = kv::PVSF(-60.0f);
  for (int i = 1; i <= 5440; ++i) {
    const float t = -60.0f + 0.05f * static_cast<float>(i);
    const float p = kv::PVSF(t);
    ASSERT_GT(p, prev) << t;
    ASSERT_LT(p / prev, 1.005f) << t;
    prev = p;
  }
  EXPECT_NEAR(kv::PVSF(31.9999f) / kv::PVSF(32.0f), 1.0f, 2e-4f);
  EXPECT_NEAR(kv::PVSF(84.9999f) / kv::PVSF(85.0f), 1.0f, 2e-5f);
  EXPECT_EQ(kv::PVSF(-500.0f), 0.0001f);  // below absolute zero: the floor
}

TEST(PsychroReference, dew_point_of_a_saturation_pressure_comes_back) {
  // The dew-point fits return the temperature within 0.2 F from -15 to 120 F, but for 0.22 F
  // just above the switch between them (32.5 to 33.3 F). Below -15 F the fit under freezing
  // drifts: 0.3 F at -20 F, 1.1 F at -40 F.
  for (int i = -400; i <= 1200; ++i) {
    const float t = static_cast<float>(i) / 10.0f;
    SCOPED_TRACE(t);
    EXPECT_NEAR(dewPointF(kv::PVSF(t)), t, 2e-3);  // the reference inverts PVSF
    const float back = kv::DPF(kv::PVSF(t));
    if (t < -15.0f) {
      EXPECT_NEAR(back, t, 1.1);
    } else if (t >= 32.5f && t <= 33.3f) {
      EXPECT_NEAR(back, t, 0.22);
    } else {
      EXPECT_NEAR(back, t, 0.2);
    }
  }
}

TEST(PsychroReference, wet_bulb_of_PSY2_against_the_psychrometric_equation) {
  // The wet bulb's fit (the saturation temperature of the air's enthalpy at standard
  // pressure, searched at others) is within 0.2 F of the thermodynamic wet bulb from 50 to
  // 70 F dry bulb, within 1.1 F from 5 to 120 F; below 5 F dry air has so little enthalpy
  // that the fit fails, and where the enthalpy is under 0.001 Btu/lb the wet bulb is the
  // mean of dry bulb and dew point.
  double worstMid = 0, worstWide = 0;
  for (float P : {29.92f, 25.0f}) {
    for (int db = -40; db <= 120; db += 5) {
      for (int rh = 10; rh <= 100; rh += 10) {
        const float DB = static_cast<float>(db);
        const double pv = saturationInHg(DB) * rh / 100.0;
        const float DP = static_cast<float>(dewPointF(pv));
        float WB, PV, W, H, V, RH;
        kv::PSY2(DB, WB, P, DP, PV, W, H, V, RH);
        SCOPED_TRACE(testing::Message() << "P " << P << " DB " << db << " RH " << rh << " DP " << DP);
        EXPECT_NEAR(RH, rh, 0.002 * rh);
        const double Wref = 0.621945 * pv / (P - pv);
        EXPECT_NEAR(W, Wref, 3e-4 * Wref + 1e-7);
        EXPECT_LE(WB, DB);
        const double err = std::fabs(WB - wetBulbF(DB, Wref, P));
        if (db >= 50 && db <= 70) worstMid = std::max(worstMid, err);
        if (db >= 5) worstWide = std::max(worstWide, err);
        if (H < 0.001f) {
          EXPECT_EQ(WB, (DB + DP) / 2.0f);
        }
      }
    }
  }
  EXPECT_LE(worstMid, 0.2);
  EXPECT_LE(worstWide, 1.1);
}

}  // namespace
