#include "engine/input/decfac.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

struct DecCase {
  float u;
  float lag;
  double expected;  // the same formulas evaluated in double precision
};

TEST(DECFAC, ordinary_walls_match_the_layer_solution_within_single_precision) {
  const DecCase cases[] = {
      {0.06f, 8.0f, 0.29255596}, {0.1f, 5.0f, 0.53020281}, {0.2f, 3.0f, 0.75812181},
      {0.35f, 1.0f, 0.96438338}, {0.05f, 12.0f, 0.14680083}, {0.08f, 24.0f, 0.03712144},
      {0.5f, 2.0f, 0.83473917},
      // U above 1/0.85: the layer resistance is taken as 0.1.
      {2.0f, 4.0f, 0.12893895},
  };
  for (const auto& c : cases) {
    float decr = 0.0f;
    DECFAC(c.u, decr, c.lag);
    EXPECT_NEAR(decr, c.expected, 2e-5 + 2e-4 * c.expected) << "U=" << c.u << " lag=" << c.lag;
    EXPECT_GT(decr, 0.0f);
    EXPECT_LE(decr, 1.0f);
  }
}

TEST(DECFAC, no_time_lag_means_no_damping_whatever_the_U_factor) {
  for (float u : {0.0f, 0.1f, 5.0f}) {
    for (float lag : {0.0f, -3.0f}) {
      float decr = 0.25f;
      DECFAC(u, decr, lag);
      EXPECT_EQ(decr, 1.0f);
    }
  }
}

TEST(DECFAC, zero_U_factor_leaves_the_value_the_caller_passed) {
  float decr = 0.0f;
  DECFAC(0.0f, decr, 6.0f);
  EXPECT_EQ(decr, 0.0f);
}

TEST(DECFAC, U_of_exactly_one_over_the_films_is_taken_as_the_thinnest_layer) {
  float atLimit = -1.0f;
  float beyond = -1.0f;
  DECFAC(1.0f / 0.85f, atLimit, 3.0f);
  DECFAC(1.5f, beyond, 3.0f);
  EXPECT_TRUE(atLimit > 0.0f && atLimit <= 1.0f);
  // Both use a layer resistance of 0.1; only U in the last step differs.
  EXPECT_NEAR(atLimit * (1.0f / 0.85f), beyond * 1.5f, 1e-5);
}

TEST(DECFAC, the_ratio_is_never_reported_above_one) {
  for (float u : {0.05f, 0.1f, 0.3f, 0.8f, 1.0f}) {
    for (float lag : {0.001f, 0.01f, 0.1f, 0.5f}) {
      float decr = 0.0f;
      DECFAC(u, decr, lag);
      EXPECT_LE(decr, 1.0f) << u << " " << lag;
      EXPECT_GT(decr, 0.5f) << u << " " << lag;
    }
  }
}

TEST(FGFUNC, gives_amplitude_and_lag_of_each_harmonic) {
  const float hi = 1.0f / 0.68f;
  const float ho = 1.0f / 0.17f;
  float amp = 0.0f;
  float lag = -1.0f;
  FGFUNC(2.0f, 1.5f, hi, ho, amp, lag, 1.0f);
  EXPECT_NEAR(amp, 0.22791050, 1e-5);
  EXPECT_NEAR(lag, 1.68527493, 1e-4);
  // The second harmonic leaves the lag alone.
  float lag2 = -1.0f;
  FGFUNC(2.0f, 1.5f, hi, ho, amp, lag2, 2.0f);
  EXPECT_NEAR(amp, 0.20238247, 1e-5);
  EXPECT_EQ(lag2, -1.0f);
}

// However small the U-factor and long the lag, neither harmonic overflows and the factor
// stays a damping ratio.
TEST(DECFAC, every_positive_U_factor_and_lag_gives_a_finite_factor_in_zero_to_one) {
  const float us[] = {1e-20f, 1e-10f, 1e-6f, 1e-3f, 0.01f, 0.05f, 0.3f, 1.0f / 0.85f, 2.0f, 10.0f};
  for (float u : us) {
    for (int lag = 0; lag <= 24; ++lag) {
      float decr = -1.0f;
      DECFAC(u, decr, static_cast<float>(lag));
      EXPECT_TRUE(std::isfinite(decr)) << "U=" << u << " lag=" << lag;
      EXPECT_GT(decr, 0.0f) << "U=" << u << " lag=" << lag;
      EXPECT_LE(decr, 1.0f) << "U=" << u << " lag=" << lag;
    }
  }
  // The thick layer that overflowed in single precision keeps its amplitude and lag.
  const float hi = 1.0f / 0.68f;
  const float ho = 1.0f / 0.17f;
  for (float r : {1000.0f, 1e10f}) {
    float amp = -1.0f;
    float lag = -1.0f;
    FGFUNC(r, 0.9f, hi, ho, amp, lag, 1.0f);
    EXPECT_TRUE(std::isfinite(amp) && amp >= 0.0f && amp < 1e-30f) << r << " " << amp;
    EXPECT_TRUE(std::isfinite(lag)) << r;
  }
}

}  // namespace
}  // namespace kv
