// The hour preparation: hour values, the non-working flag, weather-derived values, the month
// bookkeeping, the trace and weather lines, and the per-zone start of the hour.
#include <gtest/gtest.h>

#include <cmath>

#include "setup_fixture.h"

namespace {

using loadtest::SetupFixture;
namespace files = kalvano::files;

// A set-up building with one hour of weather.
struct Hour : SetupFixture {
  explicit Hour(const char* name) : SetupFixture(name) {
    setup();
    kv::HRWTHR& w = s->hrwthr;
    w.DB = 85.25f;
    w.WB = 75.0f;
    w.DP = 70.0f;
    w.PB = 29.92f;
    w.W = 0.0158f;
    w.V = 14.1f;
    w.RH = 60.0f;
    w.WV = 7.5f;
    w.DAY = 15.0f;
    w.HOUR = 13.0f;
    w.DN = 250.4f;
    w.DFH = 30.0f;
    w.DH = 200.0f;
    w.CC = 0.5f;
    w.JDAY = 196;
  }
  void prep(int month, float weight = 1.0f) {
    withFiles([&](kv::EngineState& st) { kv::HOURPREP(st, month, weight); });
  }
};

TEST(HourPrep, hour_values_and_weather_derived_values) {
  Hour f("values");
  f.s->hrwthr.DAY = 15.9f;
  f.s->hrwthr.HOUR = 13.7f;
  f.prep(7);
  const kv::ENACC& e = f.s->enacc;
  EXPECT_EQ(e.IHR, 13);
  EXPECT_EQ(e.IDAY, 15);
  EXPECT_FLOAT_EQ(e.GRNDDAY, 196.0f);  // coldest month January
  EXPECT_FLOAT_EQ(e.WDENS, 0.0158f / 14.1f);
  EXPECT_FLOAT_EQ(e.INFMULT, 0.25f + 0.02165f * 7.5f + 0.00833f * (85.25f - 72.0f));
  EXPECT_FLOAT_EQ(e.TEVAP, 0.2f * 85.25f + 0.8f * 75.0f);
  EXPECT_FLOAT_EQ(e.DTHW, 90.0f);
  const float h2 = 1.9f + 0.33f * 7.5f;
  EXPECT_FLOAT_EQ(e.RFILM1, 1.0f / (1.45f + 0.262f * 7.5f - 0.00125f * 56.25f));
  EXPECT_FLOAT_EQ(e.RFILM2, 1.0f / h2);
  EXPECT_FLOAT_EQ(e.GFILM, 1.46f / (h2 + 1.46f));
}

TEST(HourPrep, films_at_still_air_and_ground_day_from_the_coldest_month) {
  Hour f("still");
  f.s->hrwthr.WV = 0.0f;
  f.s->enacc.MCOLD = 2;
  f.prep(1);
  EXPECT_FLOAT_EQ(f.s->enacc.RFILM1, 1.0f / 1.45f);
  EXPECT_FLOAT_EQ(f.s->enacc.RFILM2, 1.0f / 1.9f);
  EXPECT_FLOAT_EQ(f.s->enacc.GFILM, 1.46f / 3.36f);
  EXPECT_FLOAT_EQ(f.s->enacc.GRNDDAY, 196.0f - 30.4f);
}

TEST(HourPrep, the_call_counter_runs_on_from_hour_to_hour) {
  Hour f("ihrc");
  for (int call = 1; call <= 50; ++call) {
    f.prep(1);
    EXPECT_EQ(f.s->enacc.IHRC, (call - 1) % 24 + 1);
  }
}

TEST(HourPrep, non_working_hours_follow_the_weekday_and_the_skipped_months) {
  struct Row {
    float days;  // occupied days per week
    int idow, hour, flag;
    int monthFlag;
    int nonwrk;
  };
  const Row rows[] = {
      {5, 1, 10, 1, 1, 0},   {5, 5, 23, 1, 1, 0},   {5, 6, 10, 1, 1, 1},  {5, 7, 1, 1, 1, 1},
      {5.5f, 6, 12, 1, 1, 0}, {5.5f, 6, 13, 1, 1, 1}, {5.5f, 7, 9, 1, 1, 1}, {5.3f, 6, 20, 1, 1, 0},
      {5.3f, 7, 20, 1, 1, 1}, {7, 7, 12, 1, 1, 0},   {6, 7, 1, 1, 1, 1},   {6.5f, 7, 13, 1, 1, 1},
      {5, 1, 10, 1, 0, 1},   {7, 3, 12, 1, 0, 1},  // a skipped month is non-working in every hour
  };
  for (const Row& r : rows) {
    Hour f("nonwrk");
    kv::ENACC& e = f.s->enacc;
    e.NWDAYS = static_cast<int32_t>(r.days);
    e.WDFRAC = r.days - static_cast<float>(e.NWDAYS);
    e.IDOW = r.idow;
    f.s->hrwthr.HOUR = static_cast<float>(r.hour);
    f.s->runpar.MONFLG(3) = static_cast<int16_t>(r.monthFlag);
    f.prep(3);
    EXPECT_EQ(e.NONWRK, r.nonwrk) << r.days << " day " << r.idow << " hour " << r.hour << " flag " << r.monthFlag;
  }
}

TEST(HourPrep, a_new_month_sets_its_weight_and_quarter_and_clears_its_sums) {
  const int seasons[12] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
  for (int m = 1; m <= 12; ++m) {
    Hour f("season");
    f.prep(m);
    EXPECT_EQ(f.s->enacc.ISEAS, seasons[m - 1]) << m;
    EXPECT_EQ(f.s->enacc.MLAST, m);
  }
  Hour f("weight");
  const float holfac = f.s->enacc.HOLFAC;
  f.prep(1, 31.0f / 7.0f);
  EXPECT_NEAR(f.s->enacc.DAYWT, holfac * 4.4286f, 1e-4);
  EXPECT_FLOAT_EQ(f.s->enacc.DAYWT6, f.s->enacc.DAYWT / 1000000.0f);
  // Later hours of the month keep the month's values and sums.
  f.s->enacc.ECLGM = 5.0f;
  f.s->enacc.CHRHI(1) = 3.0f;
  f.prep(1, 1.0f);
  EXPECT_NEAR(f.s->enacc.DAYWT, holfac * 4.4286f, 1e-4);
  EXPECT_EQ(f.s->enacc.ECLGM, 5.0f);
  EXPECT_EQ(f.s->enacc.CHRHI(1), 3.0f);
  // The next month starts afresh; whole months weigh the holiday factor alone.
  f.prep(2, 1.0f);
  EXPECT_FLOAT_EQ(f.s->enacc.DAYWT, holfac);
  EXPECT_EQ(f.s->enacc.ECLGM, 0.0f);
  EXPECT_EQ(f.s->enacc.CHRHI(1), 0.0f);
}

TEST(HourPrep, zones_start_the_hour_from_their_temperature_with_empty_sums) {
  Hour f("zones");
  kv::ENACC& e = f.s->enacc;
  e.TZONE(1) = 74.5f;
  e.QOPZ(1) = e.QTSZ(1) = e.SALLZ(1) = e.FCDLZ(1) = 9.0f;
  e.IDIRV(2) = 100;
  e.IDIFV(4) = 30;
  e.QCAT(11) = 5.0f;
  e.QHTG = e.ECLG = e.ELTG = e.ERCP = e.QHW = 1.0f;
  f.prep(1);
  EXPECT_EQ(e.TZLAST(1), 74.5f);
  EXPECT_EQ(e.QOPZ(1), 0.0f);
  EXPECT_EQ(e.QTSZ(1), 0.0f);
  EXPECT_EQ(e.SALLZ(1), 0.0f);
  EXPECT_EQ(e.FCDLZ(1), 0.0f);
  EXPECT_EQ(e.IDIRV(2), 0);
  EXPECT_EQ(e.IDIFV(4), 0);
  EXPECT_EQ(e.QCAT(11), 0.0f);
  EXPECT_EQ(e.QHTG + e.ECLG + e.ELTG + e.ERCP + e.QHW, 0.0f);
}

TEST(HourPrep, trace_and_weather_lines_by_detail_level) {
  struct Row {
    int level, hourly;
    bool trace, weather;
  };
  const Row rows[] = {{0, 1, false, false}, {3, 1, false, true}, {3, 0, false, false},
                      {5, 1, false, false}, {6, 0, true, false}, {9, 1, true, false}};
  for (const Row& r : rows) {
    Hour f("lines");
    f.s->enacc.IDETL = r.level;
    f.s->runpar.IHRLY = r.hourly;
    f.prep(7);
    SCOPED_TRACE(std::to_string(r.level) + "/" + std::to_string(r.hourly));
    EXPECT_EQ(f.file(files::kDebugTrace),
              r.trace ? " Date=  7 15 13 DN 250. DFH  30. DH 200. DB 85.3 DP 70.0 RH 60.0 WV  7.5 PB29.92 CC 0.5\r\n"
                      : "");
    EXPECT_EQ(f.file(files::kHourlyEnergy),
              r.weather ? "\r\n  7  15  13  85.3  70.0  60.   250.    30.   200.  7.5  29.92  0.5\r\n" : "");
  }
  Hour si("sil");
  si.s->chtab.UNITS.set("SI");
  si.s->enacc.IDETL = 1;
  si.s->runpar.IHRLY = 1;
  si.prep(7);
  // 29.6 C, 21.1 C, kJ/m2 by 11.35653, m/s, kPa; the trace stays inch-pound.
  EXPECT_EQ(si.file(files::kHourlyEnergy), "\r\n  7  15  13  29.6  21.1  60.  2844.   341.  2271.  3.4 101.04  0.5\r\n");
}

}  // namespace
