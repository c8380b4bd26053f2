#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "engine/core/psychro.h"
#include "engine/core/random.h"
#include "engine/core/state.h"

namespace {

// ---- RAND1 ----

double draw(kv::RANDST& r, double x) { return kv::RAND1(r, x, kv::ClockReading{}); }

TEST(Rand1, a_single_precision_seed_gives_the_fixed_sequence) {
  // The seed text ".83774665" scans to 0.8377467 (single precision) and is negated.
  const double seed = static_cast<double>(0.8377467f);
  kv::RANDST r;
  const double want[] = {0.26817363500595093, 0.16799360513687134, 0.86385291814804077,
                         0.86861711740493774, 0.97819370031356812, 0.49845510721206665};
  EXPECT_EQ(draw(r, -seed), want[0]);
  for (int i = 1; i < 6; ++i) EXPECT_EQ(draw(r, 0.111), want[i]) << "draw " << i + 1;

  // The same text read as a double drifts visibly by the third draw.
  kv::RANDST d;
  draw(d, -0.83774665);
  draw(d, 0.111);
  EXPECT_GT(std::fabs(draw(d, 0.111) - want[2]), 1e-4);
}

TEST(Rand1, normalises_lifts_and_stays_at_zero) {
  kv::RANDST a, b;
  // -12.5 is divided by the single-precision 0.1 until below 1: 0.12500000372529033.
  EXPECT_EQ(draw(a, -12.5), draw(b, -0.12500000372529033));
  EXPECT_EQ(draw(a, 0.111), draw(b, 0.111));
  kv::RANDST lift;
  EXPECT_NEAR(draw(lift, -(1.000002 / 23.0)), 0.02, 1e-6);  // 0.000002 lifted by 10000
  kv::RANDST inf;
  EXPECT_EQ(draw(inf, -HUGE_VAL), 0.0);  // never hangs
  kv::RANDST zero;
  EXPECT_EQ(draw(zero, 0.111), 0.0);
  EXPECT_EQ(draw(zero, 0.111), 0.0);
  // A zero argument seeds from the clock: 1000 x hundredths + 100 x second + 10 x minute + hour.
  kv::RANDST c1, c2;
  kv::ClockReading clk;
  clk.hour = 9;
  clk.minute = 5;
  clk.second = 7;
  clk.hundredths = 3;
  EXPECT_EQ(kv::RAND1(c1, 0.0, clk), draw(c2, -(3759.0 * 0.10000000149011612)));
}

TEST(Rand1, state_seam_uses_the_fixed_clock) {
  auto s = std::make_unique<kv::EngineState>();
  s->hooks.clock = [] {
    kv::ClockReading c;
    c.hour = 1;
    return c;
  };
  kv::RANDST ref;
  EXPECT_EQ(kv::RAND1(*s, 0.0), draw(ref, -0.10000000149011612));
}

// ---- Psychrometrics ----

TEST(Psychrometrics, PSY2_at_saturation_and_at_a_table_point) {
  float WB, PV, W, H, V, RH;
  kv::PSY2(70.0f, WB, 29.92f, 70.0f, PV, W, H, V, RH);
  EXPECT_EQ(RH, 100.0f);
  EXPECT_EQ(WB, 70.0f);
  // 75 F with a 55.1 F dew point: about 50 % RH, W 0.0093, h 28.1 Btu/lb, WB 62.6 F.
  kv::PSY2(75.0f, WB, 29.92f, 55.1f, PV, W, H, V, RH);
  EXPECT_NEAR(RH, 50.0f, 1.5f);
  EXPECT_NEAR(W, 0.0093f, 0.0003f);
  EXPECT_NEAR(H, 28.1f, 0.3f);
  EXPECT_NEAR(WB, 62.6f, 0.6f);
  EXPECT_NEAR(V, 13.68f, 0.05f);
}

TEST(Psychrometrics, PSY1_from_wet_bulb) {
  float WB = 62.6f, DP, PV, W, H, V, RH;
  kv::PSY1(75.0f, WB, 29.92f, DP, PV, W, H, V, RH);
  EXPECT_NEAR(RH, 50.0f, 2.0f);
  EXPECT_NEAR(W, 0.0093f, 0.0003f);
  EXPECT_NEAR(DP, 55.1f, 0.8f);
  WB = 80.0f;  // above the dry bulb: saturated at the dry bulb, never above 100 %
  kv::PSY1(75.0f, WB, 29.92f, DP, PV, W, H, V, RH);
  EXPECT_EQ(WB, 75.0f);
  EXPECT_EQ(RH, 100.0f);
  EXPECT_NEAR(DP, 75.0f, 0.5f);
  WB = 25.0f;  // the ice branch
  kv::PSY1(30.0f, WB, 29.92f, DP, PV, W, H, V, RH);
  EXPECT_GT(PV, 0.0f);
  EXPECT_LT(DP, 25.0f);
}

TEST(Psychrometrics, WBF_mean_closed_form_and_search) {
  EXPECT_EQ(kv::WBF(70.0f, 69.5f, 25.0f, 29.92f), 69.75f);  // dew point within 1 F
  EXPECT_EQ(kv::WBF(70.0f, 40.0f, 0.0005f, 29.92f), 55.0f);  // H below 0.001
  float WB, PV, W, H, V, RH;
  kv::PSY2(75.0f, WB, 25.0f, 55.1f, PV, W, H, V, RH);
  const float wb25 = kv::WBF(75.0f, 55.1f, H, 25.0f);
  const float wbStd = kv::WBF(75.0f, 55.1f, H, 29.92f);
  EXPECT_NE(wb25, wbStd);
  // The search ends on a saturated enthalpy close to H at that pressure.
  const float pws = kv::PVSF(wb25);
  const float ws = 0.622f * pws / (25.0f - pws);
  EXPECT_NEAR((0.444f * wb25 + 1061.0f) * ws + 0.24f * wb25, H, 0.6f);
}

}  // namespace
