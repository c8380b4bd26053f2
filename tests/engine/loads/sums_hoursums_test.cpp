#include <gtest/gtest.h>

#include <cmath>

#include "engine/loads/energy.h"
#include "engine/loads/stages.h"
#include "sums_fixture.h"

using namespace kvtest;

namespace {

// One hour of a building as the zone pass leaves it.
struct Hour {
  int ihr = 12;
  float day = 5.5f;
  float db = 90.0f;
  float qcload = 0, qcpeak = 0, qhload = 0, qhpeak = 0, qheat = 0;
  float efan = 0, elteq = 0, elkw = 0, fuel = 0, qhw = 0, syson = 0;
};

void setHour(kv::EngineState& s, const Hour& h) {
  kv::ENACC& e = s.enacc;
  e.IHR = h.ihr;
  e.IDAY = static_cast<int>(h.day);
  s.hrwthr.DAY = h.day;
  s.hrwthr.DB = h.db;
  e.QCLOAD = h.qcload;
  e.QCPEAK = h.qcpeak;
  e.QHLOAD = h.qhload;
  e.QHPEAK = h.qhpeak;
  e.QHEAT = h.qheat;
  e.EFAN = h.efan;
  e.ELTEQ = h.elteq;
  e.ELKW = h.elkw;
  e.FUELHR = h.fuel;
  e.QHW = h.qhw;
  e.SYSON = h.syson;
}

}  // namespace

TEST(HourSums, peak_hours_print_as_clock_hours_with_am_pm) {
  struct Row {
    int ihr, clock;
    const char* ampm;
  };
  const Row rows[] = {{1, 1, "A.M."}, {11, 11, "A.M."}, {12, 12, "P.M."},
                      {13, 1, "P.M."}, {23, 11, "P.M."}, {24, 12, "P.M."}};
  for (const Row& r : rows) {
    LoadsRun run("hs_clock");
    kv::EngineState& s = *run.s;
    Hour c;
    c.ihr = r.ihr;
    c.qcload = c.qcpeak = 5000;
    setHour(s, c);
    kv::HOURSUMS(s, 7);
    EXPECT_EQ(s.enacc.CPKHR, r.clock) << r.ihr;
    EXPECT_EQ(s.enacc.CPKAMPM.view(), r.ampm) << r.ihr;
    EXPECT_EQ(s.enacc.CPKMON, 7);
    Hour h;
    h.ihr = r.ihr;
    h.qhload = h.qhpeak = -5000;
    setHour(s, h);
    kv::HOURSUMS(s, 1);
    EXPECT_EQ(s.enacc.HPKHR, r.clock) << r.ihr;
    EXPECT_EQ(s.enacc.HPKAMPM.view(), r.ampm) << r.ihr;
    EXPECT_EQ(s.enacc.HPKMON, 1);
  }
}

TEST(HourSums, equal_peaks_keep_the_earlier_hour_and_a_larger_one_moves_the_peak) {
  LoadsRun run("hs_equal");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.CPKLOAD = 1000;  // the set-up's seed
  struct Step {
    int ihr;
    float day, cool, heat;
    int wantCoolHr, wantHeatHr;
  };
  // 9 A.M. sets both peaks, 2 P.M. equals them (kept at 9), 4 P.M. exceeds the cooling peak
  // only; 5 P.M. a smaller heating load leaves the heating peak alone.
  const Step steps[] = {{9, 3.4f, 20000, -8000, 9, 9},
                        {14, 3.6f, 20000, -8000, 9, 9},
                        {16, 3.7f, 20001, -7999, 4, 9},
                        {17, 3.7f, 100, -8000, 4, 9}};
  for (const Step& st : steps) {
    Hour h;
    h.ihr = st.ihr;
    h.day = st.day;
    h.qcload = h.qcpeak = st.cool;
    h.qhload = h.qhpeak = st.heat;
    setHour(s, h);
    kv::HOURSUMS(s, 3);
    EXPECT_EQ(e.CPKHR, st.wantCoolHr) << st.ihr;
    EXPECT_EQ(e.HPKHR, st.wantHeatHr) << st.ihr;
  }
  EXPECT_EQ(e.CPKLOAD, 20001.0f);
  EXPECT_EQ(e.CPKAMPM.view(), "P.M.");
  EXPECT_EQ(e.HPKLOAD, -8000.0f);
  EXPECT_EQ(e.HPKAMPM.view(), "A.M.");
  EXPECT_EQ(e.CPKDAY, 3);
  EXPECT_EQ(e.HPKDAY, 3);
}

TEST(HourSums, a_cooling_load_below_the_seed_keeps_the_seed_dated_january_first) {
  LoadsRun run("hs_seed");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.CPKLOAD = 50000;
  e.CPKNEW = 0;
  e.CPKHR = 3;
  for (int ihr = 1; ihr <= 24; ++ihr) {
    Hour h;
    h.ihr = ihr;
    h.qcload = h.qcpeak = 1000.0f * ihr;
    setHour(s, h);
    for (int j = 1; j <= 11; ++j) e.QCAT(j) = 100.0f * j;
    kv::HOURSUMS(s, 8);
  }
  EXPECT_EQ(e.CPKLOAD, 50000.0f);
  EXPECT_EQ(e.CPKHR, 3);
  EXPECT_EQ(e.CPKDAY, 1);
  EXPECT_EQ(e.CPKMON, 1);
  EXPECT_EQ(e.CPKAMPM.view(), "P.M.");
  EXPECT_EQ(e.CPKNEW, 0);
  for (int j = 1; j <= 11; ++j) EXPECT_EQ(e.QCATC(j), 0.0f);
  // Full-load hours against the seed: sum of 1000 h / 50000 over the day.
  EXPECT_NEAR(e.CFLHRS, 300000.0f / 50000.0f, 1e-4);
}

TEST(HourSums, zero_cooling_peak_adds_no_full_load_hours) {
  LoadsRun run("hs_zero");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.CPKLOAD = 0;  // a building without design gains or people
  e.DAYWT = 2.0f;
  Hour h;
  h.qcload = h.qcpeak = 4000;
  setHour(s, h);
  kv::HOURSUMS(s, 6);
  EXPECT_EQ(e.CFLHRS, 0.0f);
  EXPECT_TRUE(std::isfinite(e.CFLHRS));
  EXPECT_EQ(e.CPKLOAD, 4000.0f);
  // The next hour divides by the peak as it stood before it: 2 x 2000 / 4000.
  h.ihr = 13;
  h.qcload = h.qcpeak = 2000;
  setHour(s, h);
  kv::HOURSUMS(s, 6);
  EXPECT_FLOAT_EQ(e.CFLHRS, 1.0f);
}

TEST(HourSums, peak_components_in_kbtuh_with_lights_in_btuh_and_no_internal_or_latent_parts_at_the_heating_peak) {
  LoadsRun run("hs_cat");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.CPKLOAD = 100;
  for (int j = 1; j <= 11; ++j) e.QCAT(j) = 1000.0f * j;
  e.QCAT(5) = 2.0f;  // kW
  Hour c;
  c.qcload = c.qcpeak = 40000;
  setHour(s, c);
  kv::HOURSUMS(s, 7);
  EXPECT_FLOAT_EQ(e.QCATC(1), 1.0f);
  EXPECT_FLOAT_EQ(e.QCATC(5), 6.826f);
  EXPECT_FLOAT_EQ(e.QCATC(11), 11.0f);
  EXPECT_FLOAT_EQ(e.SHRPK, (40000.0f - 7000.0f - 9000.0f - 11000.0f) / 40000.0f);
  Hour h;
  h.qhload = h.qhpeak = -30000;
  setHour(s, h);
  kv::HOURSUMS(s, 1);
  for (int j : {5, 7, 9, 11}) EXPECT_EQ(e.QCATW(j), 0.0f) << j;
  for (int j : {1, 2, 3, 4, 6, 8, 10}) EXPECT_FLOAT_EQ(e.QCATW(j), static_cast<float>(j)) << j;
  EXPECT_EQ(e.SHRPK, (40000.0f - 7000.0f - 9000.0f - 11000.0f) / 40000.0f);  // unchanged
}

TEST(HourSums, monthly_sums_are_weighted_and_lights_of_non_working_days_only_count_as_demand) {
  LoadsRun run("hs_weight");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.HOLFAC = 0.96f;
  e.DAYWT = e.HOLFAC * (31.0f / 7.0f);
  e.CPKLOAD = 1.0e9f;
  e.IDOW = 6;
  e.NWDAYS = 5;
  struct Row {
    int nonwrk;
    float wantLteq;
  };
  const Row rows[] = {{1, 0.0f}, {0, 10.0f}};
  for (const Row& r : rows) {
    e.NONWRK = r.nonwrk;
    e.LTEQKWH = e.FANKWH = e.HWMON = e.HLOADM = e.HEATM = e.CLOADM = e.SYSHRS = 0;
    e.PKKWM = 0;
    Hour h;
    h.efan = 3;
    h.elteq = 10;
    h.elkw = 7;
    h.qhw = 2;
    h.syson = 0.2f;
    h.qhload = -1000;
    h.qhpeak = -10;
    h.qheat = -500;
    h.qcload = 300;
    setHour(s, h);
    kv::HOURSUMS(s, 1);
    const float w = e.DAYWT;
    EXPECT_FLOAT_EQ(e.LTEQKWH, r.wantLteq * w) << r.nonwrk;
    EXPECT_FLOAT_EQ(e.FANKWH, 3 * w);
    EXPECT_FLOAT_EQ(e.HWMON, 2 * w);
    EXPECT_FLOAT_EQ(e.HLOADM, 1000 * w);
    EXPECT_FLOAT_EQ(e.HEATM, 500 * w);
    EXPECT_FLOAT_EQ(e.CLOADM, 300 * w);
    EXPECT_FLOAT_EQ(e.SYSHRS, w);
    EXPECT_FLOAT_EQ(e.ELKW, 20.0f);  // demand counts the lights on any day
    EXPECT_FLOAT_EQ(e.PKKWM, 20.0f);
  }
  // Weekend hours add nothing to the working-day profiles.
  EXPECT_EQ(e.NWHRS, 0);
  EXPECT_EQ(e.SEASPR(12, 4, 1), 0.0f);
  // A system measure of 0.1 is not an operating hour.
  e.SYSHRS = 0;
  Hour idle;
  idle.syson = 0.1f;
  setHour(s, idle);
  kv::HOURSUMS(s, 1);
  EXPECT_EQ(e.SYSHRS, 0.0f);
}

TEST(HourSums, working_day_profiles_and_demand_and_fuel_peaks) {
  LoadsRun run("hs_prof");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.IDOW = 2;
  e.NWDAYS = 5;
  e.ISEAS = 3;
  const float fans[] = {1, 4, 2};
  const float fuel[] = {5, 3, 9};
  for (int i = 0; i < 3; ++i) {
    Hour h;
    h.ihr = 8 + i;
    h.efan = fans[i];
    h.elteq = 1;
    h.qhw = 0.5f;
    h.fuel = fuel[i];
    setHour(s, h);
    kv::HOURSUMS(s, 8);
    EXPECT_EQ(e.ELDAY1(8 + i), fans[i] + 1);
    EXPECT_EQ(e.ELDAY2(8 + i), fans[i] + 1);
    EXPECT_EQ(e.FUDAY1(8 + i), fuel[i]);
    EXPECT_EQ(e.FUDAY2(8 + i), fuel[i]);
  }
  EXPECT_EQ(e.NWHRS, 3);
  EXPECT_EQ(e.SEASPR(9, 2, 3), 500.0f);
  EXPECT_EQ(e.SEASPR(9, 4, 3), 5.0f);
  EXPECT_EQ(e.PKKWM, 5.0f);
  EXPECT_EQ(e.PKKWY, 5.0f);
  EXPECT_EQ(e.PKFUM, 9.0f);
  EXPECT_EQ(e.PKFUY, 9.0f);
}

TEST(HourSums, a_day_with_a_morning_and_a_larger_afternoon_peak_keeps_the_afternoon_and_copies_its_profiles_once) {
  LoadsRun run("hs_day");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.CPKLOAD = 100;
  e.CPKNEW = 0;
  e.HPKNEW = 0;
  e.IDOW = 1;
  for (int ihr = 1; ihr <= 24; ++ihr) {
    Hour h;
    h.ihr = ihr;
    h.elkw = static_cast<float>(ihr);
    h.fuel = 2.0f * ihr;
    h.qcload = h.qcpeak = (ihr == 10) ? 30000.0f : (ihr == 15 ? 45000.0f : 1000.0f);
    setHour(s, h);
    kv::HOURSUMS(s, 7);
    if (ihr == 10) {
      EXPECT_EQ(e.SPKEL(10), 0.0f);  // nothing copied before the day's end
    }
  }
  EXPECT_EQ(e.CPKHR, 3);
  EXPECT_EQ(e.CPKAMPM.view(), "P.M.");
  int32_t dow = 0;
  kv::DAYEND(s, 7, dow);
  EXPECT_EQ(e.CPKNEW, 0);
  for (int h = 1; h <= 24; ++h) {
    EXPECT_EQ(e.SPKEL(h), static_cast<float>(h));
    EXPECT_EQ(e.SPKGAS(h), 2.0f * h);
    EXPECT_EQ(e.WPKEL(h), 0.0f);  // no new heating peak that day
  }
}

TEST(HourSums, an_hour_the_preparation_has_not_set_leaves_every_sum_alone) {
  for (int ihr : {0, 25}) {
    LoadsRun run("hs_unset");
    kv::EngineState& s = *run.s;
    Hour h;
    h.ihr = ihr;
    h.efan = 5;
    h.qcload = h.qcpeak = 9000;
    setHour(s, h);
    kv::HOURSUMS(s, 1);
    EXPECT_EQ(s.enacc.FANKWH, 0.0f) << ihr;
    EXPECT_EQ(s.enacc.PKKWM, 0.0f) << ihr;
    EXPECT_EQ(s.enacc.CPKLOAD, 0.0f) << ihr;
  }
}
