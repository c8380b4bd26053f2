#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "calendar_fixture.h"
#include "engine/core/fixfmt.h"
#include "engine/core/psychro.h"

using namespace kvtest;

namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

// One month's validation rows of the listing.
struct Validation {
  int month = 0;
  float input[10]{}, year[10]{};
};

std::vector<Validation> validations(const std::string& listing) {
  static const int cols[10][2] = {{13, 6},  {19, 8},  {27, 14}, {41, 8},   {49, 14},
                                  {63, 8},  {71, 16}, {87, 14}, {101, 12}, {113, 9}};
  const char* names[12] = {"JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY",
                           "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
  std::vector<Validation> out;
  for (const std::string& l : lines(listing)) {
    if (l.rfind(" VALIDATION CHECK OF WEATHER STATISTICS FOR ", 0) == 0) {
      Validation v;
      const std::string name = l.substr(44, 9);
      for (int m = 0; m < 12; ++m) {
        if (name.rfind(names[m], 0) == 0) v.month = m + 1;
      }
      out.push_back(v);
    } else if (l.rfind(" INPUT VAL =", 0) == 0 || l.rfind(" THIS YEAR =", 0) == 0) {
      float* dst = l[1] == 'I' ? out.back().input : out.back().year;
      for (int i = 0; i < 10; ++i) dst[i] = kv::readF(l, cols[i][0], cols[i][1]);
    }
  }
  return out;
}

double deviateSpread() {
  double sq = 0;
  for (float d : kv::kNormalDeviate) sq += double(d) * d;
  return std::sqrt(sq / 30.0);
}

// Largest sum of k deviates' magnitudes: the most that k omitted ranks can move a mean.
double omittedBound(int k) {
  const double top[] = {2.11, 1.7, 1.401};
  double b = 0;
  for (int i = 0; i < k; ++i) b += top[i];
  return b;
}

// Months of the design-day ranks: the highest expected daily maximum and the lowest
// expected daily minimum (later months win ties).
int monthOfMax(const Site& s) {
  int best = 1;
  for (int i = 1; i <= 12; ++i) {
    if (s.tmxm[i - 1] + 2.11f * s.tmxs[i - 1] >= s.tmxm[best - 1] + 2.11f * s.tmxs[best - 1]) best = i;
  }
  return best;
}
int monthOfMin(const Site& s) {
  auto expMin = [&](int i) {
    return 2.0f * (s.tdbm[i - 1] - 2.11f * s.tdbs[i - 1]) - (s.tmxm[i - 1] - 2.11f * s.tmxs[i - 1]);
  };
  int best = 1;
  for (int i = 1; i <= 12; ++i) {
    if (expMin(i) <= expMin(best)) best = i;
  }
  return best;
}

}  // namespace

class FullYear : public ::testing::TestWithParam<const Site*> {};

TEST_P(FullYear, monthly_statistics_reproduce_the_input) {
  const Site& site = *GetParam();
  CalendarRun r(site, Options{});
  r.run();
  const std::string listing = r.file("tavik$.wth");
  const std::vector<Validation> v = validations(listing);
  ASSERT_EQ(v.size(), 12u);
  EXPECT_EQ(listing.find("nan"), std::string::npos);
  // No overflow in the month pages (the head prints the design range, here far out).
  EXPECT_EQ(listing.find('*', listing.find(" DAILY WEATHER")), std::string::npos);
  EXPECT_EQ(r.file("sim$.out").find("*****"), std::string::npos);
  const double spread = deviateSpread();
  const kv::WXMON& wx = r.s->wxmon;
  for (const Validation& m : v) {
    SCOPED_TRACE(m.month);
    EXPECT_FLOAT_EQ(m.input[0], std::round(wx.TDBM(m.month) * 10) / 10);
    // The two design months carry the design-day ranks; every other month is unclamped.
    const bool designMonth = m.month == monthOfMax(site) || m.month == monthOfMin(site);
    const int length = m.month == 2 ? 28 : (m.month == 4 || m.month == 6 || m.month == 9 || m.month == 11) ? 30 : 31;
    const int missed = 31 - length;
    const double sdIn = wx.TDBS(m.month), mxSdIn = wx.TMXS(m.month);
    if (!designMonth) {
      // Mean: exact for a whole rank cycle; otherwise within the omitted deviates.
      const double meanTol = 0.051 + sdIn * omittedBound(missed) / length;
      EXPECT_NEAR(m.year[0], wx.TDBM(m.month), meanTol);
      EXPECT_NEAR(m.year[2], wx.TMXM(m.month), 0.051 + mxSdIn * omittedBound(missed) / length);
      if (missed == 0) {
        EXPECT_NEAR(m.year[1], sdIn * spread, 0.011);
        EXPECT_NEAR(m.year[3], mxSdIn * spread, 0.011);
      } else {
        EXPECT_NEAR(m.year[1], sdIn, 0.2 * sdIn + 0.01);
      }
    }
    // Wind and pressure follow their ranks too (a fixed spread around the means).
    // Hourly wind scatter averages out to a few percent over a month.
    EXPECT_NEAR(m.year[9], wx.WNDM(m.month), 0.06 + wx.WNDM(m.month) * (0.05 + 0.31 * omittedBound(missed) / length));
    EXPECT_NEAR(m.year[6], m.input[6], 0.03 + 0.17 * omittedBound(missed) / length);
    EXPECT_GE(m.year[1], 0.0f);
  }

  // The days' own means, unrounded: a whole rank cycle gives the input mean to float
  // rounding and the deviates' spread times the input deviation; a shorter month misses
  // 31 - L ranks, whose deviates bound its offset.
  const Calls& c = calls();
  ASSERT_EQ(c.tday.size(), 365u);
  const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::size_t first = 0;
  for (int month = 1; month <= 12; ++month) {
    const int length = lengths[month - 1];
    double sum = 0, sq = 0;
    for (int d = 0; d < length; ++d) sum += c.tday[first + d];
    const double mean = sum / length;
    for (int d = 0; d < length; ++d) sq += (c.tday[first + d] - mean) * (c.tday[first + d] - mean);
    first += length;
    if (month == monthOfMax(site) || month == monthOfMin(site)) continue;
    SCOPED_TRACE(::testing::Message() << "days of month " << month);
    const double in = wx.TDBM(month), sd = wx.TDBS(month);
    if (length == 31) {
      EXPECT_NEAR(mean, in, 2e-6 * (std::fabs(in) + 10.0));
      EXPECT_NEAR(std::sqrt(sq / 30.0), sd * spread, 1e-4 * (sd + 1.0));
    } else {
      EXPECT_LE(std::fabs(mean - in), sd * omittedBound(31 - length) / length + 1e-4);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sites, FullYear, ::testing::Values(&kCold, &kHot, &kPolar, &kPolarEast),
                         [](const auto& info) {
                           return std::string(info.param == &kCold        ? "cold"
                                              : info.param == &kHot       ? "hot"
                                              : info.param == &kPolarEast ? "polar_east"
                                                                          : "polar");
                         });

TEST(Calendar, calls_the_load_model_at_every_hour_day_and_month) {
  CalendarRun r(kHot, Options{});
  r.run();
  const Calls& c = calls();
  EXPECT_EQ(c.dayend, 365);
  EXPECT_EQ(c.energy, 365 * 24);
  EXPECT_EQ(c.monend, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(c.yrend, 1);
  EXPECT_EQ(c.days.front(), 1);
  EXPECT_EQ(c.days.back(), 365);
  // The listing shows the weekday that the day end returned: 1 = Sun.
  EXPECT_NE(r.file("tavik$.wth").find(" Sun  1/ 1"), std::string::npos);
}

TEST(Calendar, same_seed_repeats_the_weather_and_another_seed_changes_it) {
  Options o;
  o.hourly = 1;
  CalendarRun a(kCold, o), b(kCold, o);
  a.run();
  b.run();
  EXPECT_EQ(a.file("eweth$.hry"), b.file("eweth$.hry"));
  EXPECT_EQ(a.file("tavik$.wth"), b.file("tavik$.wth"));
  o.seed = 0.3141593;
  CalendarRun c(kCold, o);
  c.run();
  EXPECT_NE(a.file("eweth$.hry"), c.file("eweth$.hry"));
  EXPECT_NE(a.file("tavik$.wth"), c.file("tavik$.wth"));
  // Same statistics: a whole-month cycle draws every rank once whatever its start, so the
  // 31-day months keep their dry-bulb means and deviations.
  const std::vector<Validation> va = validations(a.file("tavik$.wth"));
  const std::vector<Validation> vc = validations(c.file("tavik$.wth"));
  ASSERT_EQ(va.size(), 12u);
  ASSERT_EQ(vc.size(), 12u);
  for (int month : {1, 3, 5, 7, 8, 10, 12}) {
    SCOPED_TRACE(month);
    const Validation& x = va[month - 1];
    const Validation& y = vc[month - 1];
    EXPECT_NEAR(x.year[0], y.year[0], 0.11);  // means F6.1: at most a last-digit flip
    EXPECT_NEAR(x.year[1], y.year[1], 0.011);
    EXPECT_NEAR(x.year[2], y.year[2], 0.11);
    EXPECT_NEAR(x.year[3], y.year[3], 0.011);
  }
}

TEST(Calendar, sampled_days_follow_the_day_counter_in_single_precision) {
  struct Row {
    int year, daysPerMonth, month;
    std::vector<int> days;  // days of the month simulated
  };
  const Row rows[] = {
      {2001, 7, 1, {2, 7, 11, 16, 20, 25, 29}},
      {2001, 7, 2, {2, 6, 10, 14, 18, 22, 26}},
      {2004, 7, 2, {2, 6, 10, 15, 19, 23, 27}},
      {2001, 7, 4, {2, 7, 11, 15, 19, 24, 28}},
      // Leap February at two weeks a month: 29/14 summed in single precision reaches
      // 12.999999 on the seventh day, so day 13 is simulated, not 14.
      {2004, 14, 2, {1, 3, 5, 7, 9, 11, 13, 16, 18, 20, 22, 24, 26, 28}},
      {2001, 21, 3, {1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16, 18, 19, 21, 22, 24, 25, 27, 28, 30, 31}},
  };
  for (const Row& row : rows) {
    Options o;
    o.year = row.year;
    o.daysPerMonth = row.daysPerMonth;
    o.day2 = row.year % 4 == 0 ? 366 : 365;
    CalendarRun r(kHot, o);
    r.run();
    const Calls& c = calls();
    const int before = row.month == 1 ? 0 : row.month == 2 ? 31 : row.month == 3 ? 31 + (row.year % 4 == 0 ? 29 : 28) : 90;
    std::vector<int> got;
    float weight = 0;
    for (std::size_t i = 0; i < c.days.size(); ++i) {
      const int d = c.days[i] - before;
      const int length = row.month == 2 ? (row.year % 4 == 0 ? 29 : 28) : row.month == 4 ? 30 : 31;
      if (d >= 1 && d <= length) {
        got.push_back(d);
        weight = c.weights[i];
      }
    }
    SCOPED_TRACE(::testing::Message() << row.year << " " << row.daysPerMonth << " month " << row.month);
    EXPECT_EQ(got, row.days);
    const int length = row.month == 2 ? (row.year % 4 == 0 ? 29 : 28) : row.month == 4 ? 30 : 31;
    EXPECT_FLOAT_EQ(weight, float(length) / float(row.daysPerMonth));
  }
}

TEST(Calendar, a_day_range_simulates_only_its_days_and_months) {
  Options o;
  o.day1 = 40;
  o.day2 = 75;
  CalendarRun r(kCold, o);
  r.run();
  const Calls& c = calls();
  ASSERT_FALSE(c.days.empty());
  EXPECT_EQ(c.days.front(), 40);
  EXPECT_EQ(c.days.back(), 75);
  EXPECT_EQ(c.energy, 36 * 24);
  EXPECT_EQ(c.monend, (std::vector<int>{2, 3}));
  EXPECT_EQ(c.yrend, 1);
  const std::string listing = r.file("tavik$.wth");
  std::size_t heads = 0;
  for (std::size_t p = listing.find(" DAILY WEATHER SUMMARIES FOR "); p != std::string::npos;
       p = listing.find(" DAILY WEATHER SUMMARIES FOR ", p + 1)) {
    ++heads;
  }
  EXPECT_EQ(heads, 2u);
  EXPECT_EQ(listing.find("JANUARY   2001"), std::string::npos);
  // Months without simulated days keep zeros in the summary file.
  const std::string sum = r.file("eweth$.sum");
  EXPECT_NE(sum.find("DB Mean   0.0"), std::string::npos);
}

TEST(Calendar, skipped_months_are_simulated_like_any_other) {
  Options o;
  o.hourly = 1;
  CalendarRun a(kHot, o), b(kHot, o);
  ASSERT_EQ(a.s->runpar.MONFLG(7), 1);
  for (int m : {1, 7, 12}) b.s->runpar.MONFLG(m) = 0;
  a.run();
  const Calls withAll = calls();
  b.run();
  for (const char* name : {"tavik$.wth", "sim$.out", "eweth$.sum", "eweth$.hry"}) {
    EXPECT_EQ(a.file(name), b.file(name)) << name;
  }
  EXPECT_EQ(calls().energy, withAll.energy);
  EXPECT_EQ(calls().monend, withAll.monend);
}

TEST(Calendar, polar_months_print_no_undefined_cells) {
  for (const Site* site : {&kPolarEast, &kPolar}) {
    Options o;
    o.hourly = 1;
    CalendarRun r(*site, o);
    r.run();
    for (const char* name : {"tavik$.wth", "sim$.out", "eweth$.sum", "eweth$.hry"}) {
      const std::string text = r.file(name);
      EXPECT_EQ(text.find("nan"), std::string::npos) << site->location << " " << name;
      EXPECT_EQ(text.find("*****"), std::string::npos) << site->location << " " << name;
    }
  }
  Options o;
  o.hourly = 1;
  CalendarRun r(kPolar, o);
  r.run();
  // December: no possible sunshine, no sun at all.
  const std::string listing = r.file("tavik$.wth");
  const std::size_t dec = listing.find("VALIDATION CHECK OF WEATHER STATISTICS FOR DECEMBER");
  ASSERT_NE(dec, std::string::npos);
  const std::size_t solr = listing.rfind("Ave Solr=", dec);
  EXPECT_EQ(listing.substr(solr + 9, 25), "       0.     0. (or  0.0");
  EXPECT_NE(listing.find("POSSIBLE SUN =   0 HRS.;  ACTUAL SUN =   0 HRS. OR   0. % SUNSHINE", dec),
            std::string::npos);
}


TEST(Calendar, monthly_deviation_is_never_undefined) {
  struct Row {
    float sum, squares;
    int D;
    float want;
  };
  const Row rows[] = {
      {5 * 40.1f, 5 * 40.1f * 40.1f, 5, 0.0f},  // constant series: rounding may go negative
      {31 * 77.7f, 31 * 77.7f * 77.7f, 31, 0.0f},
      {50.0f, 2500.0f, 1, 0.0f},                 // one day represented
      {0.0f, 0.0f, 0, 0.0f},
      {6.0f, 14.0f, 3, 1.0f},                    // 1, 2, 3
  };
  for (const Row& r : rows) {
    const float sd = kv::monthDeviation(r.sum, r.squares, r.D);
    EXPECT_TRUE(std::isfinite(sd));
    EXPECT_NEAR(sd, r.want, 1e-3f) << r.sum << " " << r.D;
  }
}

TEST(Calendar, sampled_days_weigh_the_sums_like_whole_months) {
  // Days without scatter, design values at the months' own extremes: every simulated day of
  // a month is alike, so seven days weighted by L / 7 must give the whole month's sums.
  Site flat = kCold;
  for (int i = 0; i < 12; ++i) flat.tdbs[i] = flat.tmxs[i] = flat.tdps[i] = 0;
  flat.tdsmx = 72.6f;                     // July, the month of the highest maximum
  flat.tdsmn = 2 * -7.9f - 1.1f;          // January, the month of the lowest minimum
  Options whole, sampled;
  sampled.daysPerMonth = 7;
  CalendarRun a(flat, whole), b(flat, sampled);
  a.run();
  b.run();
  // Degree days, 20 heating and 20 cooling sums: alike to the single-precision sums' last
  // whole degree-day.
  auto degreeDays = [](const std::string& report) {
    std::vector<float> v;
    for (const std::string& l : lines(report)) {
      if (l.rfind("   HTG = ", 0) != 0 && l.rfind("   CLG = ", 0) != 0) continue;
      for (int i = 0; i < 20; ++i) v.push_back(kv::readF(l, 10 + 6 * i, 6));
    }
    return v;
  };
  const std::vector<float> da = degreeDays(a.file("sim$.out")), db = degreeDays(b.file("sim$.out"));
  ASSERT_EQ(da.size(), 40u);
  ASSERT_EQ(db.size(), 40u);
  for (int i = 0; i < 40; ++i) EXPECT_NEAR(da[i], db[i], 1.0f) << i;
  const std::vector<Validation> va = validations(a.file("tavik$.wth"));
  const std::vector<Validation> vb = validations(b.file("tavik$.wth"));
  ASSERT_EQ(va.size(), 12u);
  ASSERT_EQ(vb.size(), 12u);
  for (int m = 0; m < 12; ++m) {
    EXPECT_FLOAT_EQ(va[m].year[0], vb[m].year[0]) << m + 1;
    EXPECT_NEAR(vb[m].year[1], 0.0f, 0.05f) << m + 1;
  }
}

TEST(Calendar, hourly_file_units_follow_the_values) {
  for (const char* units : {"SI", "IP", "ip"}) {
    Options o;
    o.hourly = 1;
    o.day2 = 1;
    o.units = units;
    CalendarRun r(kHot, o);
    r.run();
    const std::string hry = r.file("eweth$.hry");
    const bool si = std::string(units) == "SI";
    EXPECT_EQ(hry.find("\t(\xB0" "C)") != std::string::npos, si) << units;
    EXPECT_EQ(hry.find("\t(\xB0" "F)") != std::string::npos, !si) << units;
    EXPECT_EQ(hry.find("(kPa)") != std::string::npos, si) << units;
    EXPECT_EQ(hry.find("\t   96.") != std::string::npos, si) << units;  // station pressure in kPa
  }
}

TEST(Calendar, report_cutters_find_section_eight_and_the_month_pages) {
  Options o;
  o.day2 = 40;
  CalendarRun r(kHot, o);
  r.run();
  const std::vector<std::string> report = lines(r.file("sim$.out"));
  int viii = 0;
  for (const std::string& l : report) viii += l.rfind("VIII", 0) == 0 ? 1 : 0;
  EXPECT_EQ(viii, 1);
  int heads = 0;
  for (const std::string& l : lines(r.file("tavik$.wth"))) {
    if (l.find("DAILY") != std::string::npos && l.rfind(" DAILY WEATHER SUMMARIES FOR ", 0) == 0) ++heads;
  }
  EXPECT_EQ(heads, 2);
}

TEST(Calendar, runs_without_the_load_model_wired) {
  Options o;
  o.day2 = 10;
  CalendarRun r(kHot, o);
  r.s->hooks = kv::Hooks{};
  r.s->hooks.clock = fixedClock;
  r.run();
  const std::string listing = r.file("tavik$.wth");
  EXPECT_NE(listing.find("\r\n      1/ 1   7:36"), std::string::npos);
  EXPECT_NE(r.file("sim$.out").find("VIII."), std::string::npos);
}

TEST_P(FullYear, every_hour_keeps_the_weather_consistent) {
  CalendarRun r(*GetParam(), Options{});
  r.run();
  const Calls& c = calls();
  EXPECT_EQ(c.energy, 365 * 24);
  EXPECT_EQ(c.dpAboveDb, 0);
  EXPECT_EQ(c.pressureJumps, 0);
  EXPECT_EQ(c.sunAtNight, 0);
  EXPECT_EQ(c.badRank, 0);
  EXPECT_EQ(c.badRh, 0);
  EXPECT_EQ(c.nonFinite, 0);
}

TEST(Calendar, a_month_whose_sampled_days_precede_the_run_gets_only_its_page_head) {
  Options o;
  o.daysPerMonth = 7;
  o.day1 = 31;  // January's sampled days are 2 .. 29
  CalendarRun r(kHot, o);
  r.run();
  const std::string listing = r.file("tavik$.wth");
  EXPECT_NE(listing.find(" DAILY WEATHER SUMMARIES FOR JANUARY   2001"), std::string::npos);
  EXPECT_EQ(listing.find("STATISTICS FOR JANUARY"), std::string::npos);
  ASSERT_FALSE(calls().monend.empty());
  EXPECT_EQ(calls().monend.front(), 2);
  EXPECT_EQ(calls().days.front(), 31 + 2);
}

TEST(Calendar, sampled_calendars_shift_the_means_by_their_chosen_ranks) {
  // A sampled month draws the same rank indexes every month, so its mean moves from the
  // input by the standard deviation times the mean deviate of those indexes' ranks.
  for (int daysPerMonth : {7, 14, 21}) {
    double bias = 0, biasMax = 0;
    for (int k = 1; k <= daysPerMonth; ++k) {
      const int i = kv::sampledRankIndex(daysPerMonth / 7, k);
      bias += kv::kNormalDeviate(kv::rankOf(3, i));
      biasMax += kv::kNormalDeviate(kv::rankOf(2, i));
    }
    bias /= daysPerMonth;
    biasMax /= daysPerMonth;
    Options o;
    o.daysPerMonth = daysPerMonth;
    CalendarRun r(kHot, o);
    r.run();
    const kv::WXMON& wx = r.s->wxmon;
    for (const Validation& m : validations(r.file("tavik$.wth"))) {
      if (m.month == monthOfMax(kHot) || m.month == monthOfMin(kHot) || m.month == 12) continue;
      SCOPED_TRACE(::testing::Message() << daysPerMonth << " days, month " << m.month);
      EXPECT_NEAR(m.year[0], wx.TDBM(m.month) + wx.TDBS(m.month) * bias, 0.051);
      EXPECT_NEAR(m.year[2], wx.TMXM(m.month) + wx.TMXS(m.month) * biasMax, 0.051);
    }
  }
}

TEST(Calendar, a_blank_line_closes_each_week_except_on_the_months_last_day) {
  struct Row {
    int daysPerMonth, saturdays, lastOfMonth;
  };
  // The day end here numbers the days 1..7 from 1 January (7 = "Sat"). Whole months: 52
  // week ends, one of them (30 September, day 273) a month's last day. Seven days a month:
  // the seventh is always the last.
  const Row rows[] = {{31, 52, 1}, {7, 12, 12}};
  for (const Row& row : rows) {
    Options o;
    o.daysPerMonth = row.daysPerMonth;
    CalendarRun r(kHot, o);
    r.run();
    const std::vector<std::string> ls = lines(r.file("tavik$.wth"));
    int saturdays = 0, lastOfMonth = 0, blanks = 0;
    for (std::size_t i = 1; i + 1 < ls.size(); ++i) {
      if (ls[i] == " ") {
        ++blanks;
        EXPECT_EQ(ls[i - 1].substr(0, 4), " Sat") << i;
      }
      if (ls[i].rfind(" Sat", 0) != 0) continue;
      ++saturdays;
      if (ls[i + 1].rfind(" -----", 0) == 0) {
        ++lastOfMonth;
      } else {
        EXPECT_EQ(ls[i + 1], " ") << i;
      }
    }
    SCOPED_TRACE(row.daysPerMonth);
    EXPECT_EQ(saturdays, row.saturdays);
    EXPECT_EQ(lastOfMonth, row.lastOfMonth);
    EXPECT_EQ(blanks, row.saturdays - row.lastOfMonth);
  }
}

TEST(Calendar, a_month_that_stands_for_one_day_prints_zero_deviations) {
  Options o;
  o.day1 = o.day2 = 45;
  CalendarRun r(kCold, o);
  r.run();
  EXPECT_EQ(calls().days, std::vector<int>{45});
  EXPECT_EQ(calls().monend, std::vector<int>{2});
  const std::string listing = r.file("tavik$.wth");
  EXPECT_EQ(listing.find("nan"), std::string::npos);
  const std::vector<Validation> v = validations(listing);
  ASSERT_EQ(v.size(), 1u);
  EXPECT_EQ(v[0].month, 2);
  for (int i : {1, 3, 5}) EXPECT_EQ(v[0].year[i], 0.0f) << i;
  EXPECT_NE(listing.find(" THIS YEAR =", listing.find("STATISTICS FOR FEBRUARY")), std::string::npos);
  const std::string sum = r.file("eweth$.sum");
  EXPECT_EQ(sum.find("nan"), std::string::npos);
  EXPECT_NE(sum.find("DB Std    0.0   0.0"), std::string::npos);
}

TEST(Calendar, a_run_end_within_a_passed_over_days_span_ends_the_year_there) {
  // Seven days a month: January's last sampled day, the 29th, stands for 31/7 days and so
  // reaches past day 31. A run of day 31 alone passes it over and ends with January: no
  // simulated day, no month end, but the year end and section VIII.
  Options o;
  o.daysPerMonth = 7;
  o.day1 = o.day2 = 31;
  CalendarRun r(kHot, o);
  r.run();
  EXPECT_TRUE(calls().days.empty());
  EXPECT_EQ(calls().energy, 0);
  EXPECT_TRUE(calls().monend.empty());
  EXPECT_EQ(calls().yrend, 1);
  const std::string listing = r.file("tavik$.wth");
  EXPECT_NE(listing.find(" DAILY WEATHER SUMMARIES FOR JANUARY"), std::string::npos);
  EXPECT_EQ(listing.find(" DAILY WEATHER SUMMARIES FOR FEBRUARY"), std::string::npos);
  EXPECT_EQ(listing.find("VALIDATION CHECK"), std::string::npos);
  const std::string report = r.file("sim$.out");
  EXPECT_NE(report.find("VIII."), std::string::npos);
  EXPECT_EQ(report.find("nan"), std::string::npos);
  // A run end one sampled day later is reached: February's second day is simulated.
  o.day2 = 40;
  CalendarRun later(kHot, o);
  later.run();
  EXPECT_EQ(calls().days, (std::vector<int>{33, 37}));
}

TEST(Calendar, the_hottest_rank_of_the_hottest_month_is_the_design_day) {
  // Hot site: July has the highest expected maximum (106 + 2.11 x 4). Its day of maximum
  // rank 31 reaches the design maximum, 115 F, and with a design wet bulb of 70 F (65 or
  // more) its late dew point is the dew point of 115 F dry bulb and 70 F wet bulb.
  CalendarRun r(kHot, Options{});
  r.run();
  ASSERT_EQ(monthOfMax(kHot), 7);
  const float p = 29.92f - 5.031f * kHot.elev / 5000.0f;
  float wb = kHot.tdswb, dp, pv, w, h, v, rh;
  kv::PSY1(kHot.tdsmx, wb, p, dp, pv, w, h, v, rh);
  int designDays = 0;
  for (const std::string& l : lines(r.file("tavik$.wth"))) {
    if (l.size() < 125 || l.substr(4, 4) != "  7/") continue;
    const float tmax = kv::readF(l, 34, 8);
    EXPECT_LE(tmax, kHot.tdsmx);
    if (tmax != kHot.tdsmx) continue;
    ++designDays;
    EXPECT_NEAR(kv::readF(l, 61, 8), dp, 0.051) << l;
  }
  EXPECT_EQ(designDays, 1);
}
