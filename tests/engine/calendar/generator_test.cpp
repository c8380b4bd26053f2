#include "engine/calendar/generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kv;

namespace {
float curve(int n, float x) {
  const float c[7][4] = {{0.01905f, 0.341502f, -0.85036f, 1.1565f},
                         {0.01961f, 0.496269f, -0.45519f, 0.723633f},
                         {0.0199f, 0.799791f, -0.165837f, 0.142146f},
                         {0.0502f, 1.51222f, -1.47016f, 0.741052f},
                         {0.0811f, 2.1f, -2.38892f, 1.06174f},
                         {0.2574f, 2.35f, -3.59065f, 1.8382f},
                         {0.6015f, 1.06215f, -1.52761f, 0.716076f}};
  const float* k = c[n - 1];
  return k[0] + k[1] * x + k[2] * x * x + k[3] * x * x * x;
}

float noWetBulb(float, float, float) { return 0.0f; }
float noDewPoint(float, float, float) { return 0.0f; }
// Stand-ins that make the design-day rule visible: a wet bulb far above the design one,
// and a dew point that marks where it came from.
float hotWetBulb(float db, float, float) { return db; }
float markedDewPoint(float db, float wb, float p) { return db - wb + p; }

MonthStats stats(float tdbm, float tdbs, float tmxm, float tmxs, float tdpm, float tdps, float wind) {
  MonthStats m;
  m.tdbm = tdbm; m.tdbs = tdbs; m.tmxm = tmxm; m.tmxs = tmxs; m.tdpm = tdpm; m.tdps = tdps;
  m.wndm = wind;
  return m;
}

DesignBounds wideBounds(int daysPerMonth) {
  DesignBounds b;
  b.tdsmn = -200; b.tdsmx = 300; b.tdswb = 60; b.dpHigh = 300; b.pressure = 29.0f;
  b.monthOfMax = 7; b.monthOfMin = 1; b.daysPerMonth = daysPerMonth;
  return b;
}
}  // namespace

TEST(Ktcurv, monthly_clearness_picks_and_interpolates_the_curves) {
  struct Row {
    float ktm;
    int rank;
    float want;
  };
  const float x = 10.0f / 30.0f;  // rank 11
  const Row rows[] = {
      {0.25f, 11, (curve(2, x) - curve(1, x)) * 0.5f + curve(1, x)},
      {0.30f, 11, curve(2, x)},
      {0.35f, 11, (curve(3, x) - curve(2, x)) * 0.5f + curve(2, x)},
      {0.80f, 11, curve(7, x)},
      {0.90f, 11, curve(7, x)},
      {0.10f, 11, 0.5f * curve(1, x)},
      {0.20f, 1, curve(1, 0.0f)},
      {0.60f, 31, curve(5, 1.0f)},
  };
  for (const Row& r : rows) {
    ClearnessCurve c;
    float kt = -1;
    KTCURV(3, r.ktm, r.rank, kt, c);
    EXPECT_NEAR(kt, r.want, 2e-6f) << r.ktm;
  }
}

TEST(Ktcurv, the_curve_choice_holds_for_the_month) {
  ClearnessCurve c;
  float first, again, next;
  KTCURV(4, 0.3f, 16, first, c);
  KTCURV(4, 0.7f, 16, again, c);  // same month: the 0.3 curve stands
  KTCURV(5, 0.7f, 16, next, c);
  EXPECT_EQ(first, again);
  EXPECT_FLOAT_EQ(next, curve(6, 0.5f));
}

TEST(Stcurv, zero_deviations_give_the_monthly_means_every_day) {
  DayDraw d;
  DaySet next;
  next.dpLate = 40.0f;
  const MonthStats m = stats(50, 0, 60, 0, 40, 0, 10);
  const DesignAir air{noWetBulb, noDewPoint};
  for (int day = 0; day < 31; ++day) {
    STCURV(d, 0.5f, m, 3, wideBounds(31), air, 0.3, next);
    EXPECT_FLOAT_EQ(next.tmax, 60);
    EXPECT_FLOAT_EQ(next.tmean, 50);
    EXPECT_FLOAT_EQ(next.tmin, 40);
    EXPECT_FLOAT_EQ(next.dpMean, 40);
  }
}

TEST(Stcurv, rank_walk_is_cyclic_for_whole_months_and_tabled_for_sampled_ones) {
  const MonthStats m = stats(50, 5, 60, 5, 40, 4, 10);
  const DesignAir air{noWetBulb, noDewPoint};
  {
    DayDraw d;
    DaySet next;
    // Start draw 0.5: rank index int(31 x 0.5 + 1) = 16, then the walk moves on by one.
    std::vector<int> seen;
    for (int k = 0; k < 17; ++k) {
      STCURV(d, 0.5f, m, 1, wideBounds(31), air, 0.5, next);
      seen.push_back(d.rankIndex);
    }
    EXPECT_EQ(seen.front(), 17);
    EXPECT_EQ(seen[14], 31);
    EXPECT_EQ(seen[15], 1);
  }
  struct Row {
    int daysPerMonth;
    std::vector<int> indexes;
  };
  const Row rows[] = {
      {7, {1, 5, 9, 12, 18, 25, 30, 1, 5}},
      {14, {4, 5, 11, 17, 18, 20, 22, 23, 24, 25, 26, 27, 30, 31, 4}},
      {21, {1, 2, 4, 5, 6, 7, 12, 13, 14, 16, 17, 18, 19, 21, 22, 23, 25, 27, 28, 30, 31, 1}},
  };
  for (const Row& r : rows) {
    DayDraw d;
    DaySet next;
    std::vector<int> seen;
    for (std::size_t k = 0; k < r.indexes.size(); ++k) {
      STCURV(d, 0.5f, m, 1 + static_cast<int>(k) / r.daysPerMonth, wideBounds(r.daysPerMonth), air,
             0.9, next);
      seen.push_back(d.rankIndex);
    }
    EXPECT_EQ(seen, r.indexes) << r.daysPerMonth;
  }
}

TEST(Stcurv, a_whole_month_reproduces_mean_and_deviation) {
  const MonthStats m = stats(50, 6, 61, 5, 38, 7, 10);
  const DesignAir air{noWetBulb, noDewPoint};
  DayDraw d;
  DaySet next;
  next.dpLate = 38;
  double sum = 0, sq = 0, sumMax = 0, sumWind = 0;
  for (int day = 0; day < 31; ++day) {
    STCURV(d, 0.5f, m, 4, wideBounds(31), air, 0.123, next);
    sum += next.tmean;
    sq += double(next.tmean) * next.tmean;
    sumMax += next.tmax;
    sumWind += next.wind;
  }
  double devSq = 0;
  for (float v : kNormalDeviate) devSq += double(v) * v;
  const double mean = sum / 31;
  EXPECT_NEAR(mean, 50.0, 1e-4);
  EXPECT_NEAR(sumMax / 31, 61.0, 1e-4);
  EXPECT_NEAR(sumWind / 31, 10.0, 1e-4);
  EXPECT_NEAR(std::sqrt((sq - 31 * mean * mean) / 30), 6.0 * std::sqrt(devSq / 30), 1e-3);
}

TEST(Stcurv, hottest_rank_of_the_hottest_month_is_the_design_day) {
  // Rank index 5 carries daily-maximum rank 31. Start draw 3/31 gives index 4, the walk 5.
  const MonthStats m = stats(80, 4, 90, 3, 70, 3, 8);
  DesignBounds b = wideBounds(31);
  b.tdsmx = 95; b.dpHigh = 75; b.tdswb = 78; b.monthOfMax = 7;
  DayDraw d;
  DaySet next;
  STCURV(d, 0.5f, m, 7, b, DesignAir{hotWetBulb, markedDewPoint}, 3.0 / 31.0 + 1e-9, next);
  ASSERT_EQ(d.rankIndex, 5);
  EXPECT_EQ(next.tmax, 95.0f);
  // Wet bulb of (95, 75) is above 78: the late dew point comes from the design wet bulb.
  EXPECT_FLOAT_EQ(next.dpLate, markedDewPoint(95, 78, 29.0f));
  EXPECT_FLOAT_EQ(next.dpMean, (next.dpEarly + next.dpLate) / 2);

  // The same day with a design wet bulb of 65 or less keeps the highest dew point.
  b.tdswb = 65;
  DayDraw d2;
  DaySet next2;
  STCURV(d2, 0.5f, m, 7, b, DesignAir{hotWetBulb, markedDewPoint}, 3.0 / 31.0 + 1e-9, next2);
  EXPECT_EQ(next2.dpLate, 75.0f);
  // In another month the hottest rank is just the statistics' value.
  b.tdsmx = 100;
  DayDraw d3;
  DaySet next3;
  STCURV(d3, 0.5f, m, 6, b, DesignAir{hotWetBulb, markedDewPoint}, 3.0 / 31.0 + 1e-9, next3);
  EXPECT_FLOAT_EQ(next3.tmax, 90.0f + 3.0f * 2.11f);
}

TEST(Temper, dew_point_stays_below_dry_bulb_and_pressure_moves_slowly) {
  DaySet today, tomorrow;
  today.tmin = 40; today.tmax = 60; today.tmean = 50;
  today.dpEarly = 38; today.dpLate = 58; today.dpMean = 48;
  today.pressure = 29.5f; today.wind = 10;
  tomorrow = today;
  tomorrow.tmin = 30; tomorrow.dpEarly = 45; tomorrow.pressure = 28.0f;
  HourWave w;
  float prev = today.pressure;
  for (int day = 0; day < 3; ++day) {
    for (int h = 1; h <= 24; ++h) {
      const HourWeather hw = TEMPER(w, h, 7, today, tomorrow, 30.0f, 0.5);
      EXPECT_LE(hw.dp, hw.db) << h;
      EXPECT_LE(std::fabs(hw.pb - prev), 0.1f + 1e-5f) << h;
      prev = hw.pb;
      if (day > 0 && h == 7) {
        EXPECT_FLOAT_EQ(hw.db, today.tmin);  // lowest in the first hour after sunrise
      }
      if (h == 15) {
        EXPECT_FLOAT_EQ(hw.db, 60.0f);  // highest at 15:00
      }
      EXPECT_FLOAT_EQ(hw.wv, 10.0f);  // draw 0.5: rank 16, deviate 0
    }
    today = tomorrow;
    today.tmax = 60;
  }
}

TEST(Temper, a_sunrise_at_three_in_the_afternoon_never_divides_by_zero) {
  DaySet today;
  today.tmin = -30; today.tmax = -20; today.dpEarly = -35; today.dpLate = -25;
  today.pressure = 29.9f; today.wind = 5;
  HourWave w;
  for (int day = 0; day < 2; ++day) {
    for (int h = 1; h <= 24; ++h) {
      const HourWeather hw = TEMPER(w, h, 15, today, today, 5.0f, 0.2);
      ASSERT_TRUE(std::isfinite(hw.db) && std::isfinite(hw.dp) && std::isfinite(hw.pb)) << h;
    }
  }
}
