#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "surfaces_fixture.h"

namespace fs = std::filesystem;
using kv::testing::SurfaceFixture;

namespace {

// A daylit zone whose lights are on at noon, and a light-shelf table whose coefficients are
// the same at every depth (row r: r percent).
void makeDaylit(SurfaceFixture& f) {
  kv::BLDG& b = f.s->bldg;
  b.DLFLG(1) = 'Y';
  b.ZLOAD(4, 1) = 2.0f;
  b.IPROF(4, 1) = 1;
  b.PROF(4, 1, 12) = 1.0f;
  b.FCTGT(1) = 50.0f;
  b.DLDEP(1) = 10.0f;
  for (int n = 1; n <= 3; ++n) {
    b.HTOP(n) = 7.0f;
    b.HSILL(n) = 3.0f;
  }
  for (int r = 1; r <= 19; ++r)
    for (int c = 1; c <= 6; ++c)
      for (int k = 1; k <= 3; ++k) f.s->lshelf.LST(r, c, k) = static_cast<float>(r);
}

TEST(SurfacePass, night_hour_gives_conduction_only) {
  SurfaceFixture f;
  makeDaylit(f);
  f.surface(1, 180.0f, 1.0f, 100.0f, 20.0f);  // asphalt in front: no pavement heat at night
  f.s->enacc.IORNT(3) = 180;
  kv::HRWTHR& w = f.s->hrwthr;
  w.DN = 200.0f;  // stale sun values must not count at night
  w.DFH = 40.0f;
  w.DH = 160.0f;
  w.SINALT = 0.5f;
  w.COSALT = 0.866f;
  w.COSAZM = -1.0f;
  kv::SURFACES(*f.s, 1);

  const kv::ENACC& a = f.s->enacc;
  EXPECT_NEAR(a.QOPZ(1), -362.341f, 0.01f);   // U' 100 ft2 (50 - 70)
  EXPECT_NEAR(a.QWAZ(1), -252.067f, 0.01f);   // glass conduction at 40 F outdoors
  EXPECT_EQ(a.QTSZ(1), 0.0f);
  EXPECT_EQ(a.QWSZ(1), 0.0f);
  EXPECT_EQ(a.QROOFZ(1), 0.0f);
  EXPECT_EQ(a.FCDLZ(1), 0.0f);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(a.IDIRV(k), 0);
    EXPECT_EQ(a.IDIFV(k), 0);
  }
  EXPECT_NEAR(a.SOPZ(1), 6753.61f, 0.05f);
  EXPECT_NEAR(a.SALLZ(1), 7982.20f, 0.05f);
  EXPECT_EQ(a.TSAHIST(5, 1), 40.0f);  // sol-air = outdoor air
  EXPECT_NEAR(a.TSURF(1), 50.0f - 10.0f / 24.0f, 1e-4f);
  EXPECT_EQ(a.TSAHIST(4, 1), 50.0f);
}

TEST(SurfacePass, daylight_window_gains_by_hand) {
  SurfaceFixture f;
  f.surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
  f.sun(30.0, 180.0, 200.0f, 40.0f, 160.0f);
  const kv::SurfaceHour h = f.hour();
  EXPECT_NEAR(h.cosi, 0.866025f, 1e-5f);
  EXPECT_NEAR(h.Ib, 173.205f, 0.01f);
  EXPECT_NEAR(h.Y, 1.163203f, 1e-5f);
  EXPECT_NEAR(h.Id, 58.5281f, 0.01f);   // sky + half the ground at grass reflectance
  EXPECT_NEAR(h.It, 231.733f, 0.01f);
  EXPECT_EQ(h.K, 1.0f);
  EXPECT_NEAR(h.Qt, 2780.80f, 0.05f);
  EXPECT_NEAR(h.Qa, 386.663f, 0.01f);
  EXPECT_NEAR(h.Qwc, -252.067f, 0.01f);
  EXPECT_NEAR(h.Tgi, 74.5763f, 0.001f);
  EXPECT_NEAR(h.Tsa, 119.908f, 0.001f);
  EXPECT_EQ(h.To, 40.0f);
}

// Beam and diffuse factors of exterior shading; the sun at 30 degrees altitude.
TEST(SurfacePass, exterior_shading_cases) {
  struct Shade {
    char code;
    float value;
  };
  struct Row {
    const char* what;
    float orient, tiltDeg, azm;
    Shade slot[3];
    float sb, sd;
  };
  const Row rows[] = {
      {"no shade", 180, 90, 180, {{'N', 0.3f}, {'N', 0}, {'N', 0}}, 1.0f, 1.0f},
      {"code with value 0", 180, 90, 180, {{'T', 0}, {'F', 0}, {'N', 0}}, 1.0f, 1.0f},
      {"fixed fraction", 180, 90, 180, {{'F', 0.3f}, {'N', 0}, {'N', 0}}, 0.7f, 0.7f},
      {"fixed fraction, sun behind", 0, 90, 180, {{'F', 0.3f}, {'N', 0}, {'N', 0}}, 0.7f, 0.7f},
      {"overhang, sun ahead", 180, 90, 180, {{'T', 0.5f}, {'N', 0}, {'N', 0}}, 0.711325f, 0.855662f},
      {"deep overhang", 180, 90, 180, {{'T', 2.0f}, {'N', 0}, {'N', 0}}, 0.0f, 0.5f},
      {"overhang, sun behind", 0, 90, 180, {{'T', 0.5f}, {'N', 0}, {'N', 0}}, 1.0f, 0.7f},
      {"overhang, sun 89 deg off", 180, 90, 91, {{'T', 0.5f}, {'N', 0}, {'N', 0}}, 0.5f, 0.7f},
      {"overhang across north (350/20)", 350, 90, 20, {{'T', 0.5f}, {'N', 0}, {'N', 0}}, 0.666667f, 0.833333f},
      {"overhang across north (20/350)", 20, 90, 350, {{'T', 0.5f}, {'N', 0}, {'N', 0}}, 0.666667f, 0.833333f},
      {"left fin, sun on its side", 180, 90, 240, {{'L', 0.4f}, {'N', 0}, {'N', 0}}, 0.6f, 0.6f},
      {"left fin, sun on the other side", 180, 90, 150, {{'L', 0.4f}, {'N', 0}, {'N', 0}}, 1.0f, 0.6f},
      {"left fin past north", 340, 30, 80, {{'L', 0.4f}, {'N', 0}, {'N', 0}}, 0.6f, 0.6f},
      {"left fin, sun behind", 0, 90, 180, {{'L', 0.4f}, {'N', 0}, {'N', 0}}, 1.0f, 0.7f},
      {"right fin, sun on its side", 180, 90, 120, {{'R', 0.4f}, {'N', 0}, {'N', 0}}, 0.6f, 0.6f},
      {"right fin, sun on the other side", 180, 90, 200, {{'R', 0.4f}, {'N', 0}, {'N', 0}}, 1.0f, 0.6f},
      {"fraction and overhang", 180, 90, 180, {{'F', 0.2f}, {'N', 0}, {'T', 0.5f}}, 0.569060f, 0.684530f},
      {"overhang and two fins", 180, 90, 150, {{'T', 0.5f}, {'L', 0.4f}, {'R', 0.5f}}, 0.333333f, 0.25f},
  };
  for (const Row& r : rows) {
    SurfaceFixture f;
    f.surface(1, r.orient, 3.0f, 100.0f, 10.0f);
    f.tilt(1, r.tiltDeg);
    for (int k = 1; k <= 3; ++k) f.shade(1, k, r.slot[k - 1].code, r.slot[k - 1].value);
    f.sun(30.0, r.azm, 200.0f, 40.0f, 160.0f);
    const kv::SurfaceHour h = f.hour();
    EXPECT_NEAR(h.SB, r.sb, 2e-6f) << r.what;
    EXPECT_NEAR(h.SD, r.sd, 2e-6f) << r.what;
    EXPECT_NEAR(h.Ibs, h.Ib * h.SB, 1e-3f) << r.what;
  }
}

TEST(SurfacePass, unknown_shade_letter_is_reported_and_acts_as_right_fin) {
  const fs::path dir = fs::temp_directory_path() / "kv_surf_shade";
  fs::create_directories(dir);
  SurfaceFixture f;
  ASSERT_TRUE(f.s->files.report.open((dir / "sim$.out").string()));
  f.shade(1, 2, 'X', 0.4f);
  f.sun(30.0, 120.0, 200.0f, 40.0f, 160.0f);
  kv::SurfaceHour h;
  kv::surfaceHour(*f.s, 1, 1, 1, h);
  EXPECT_NEAR(h.SB, 0.6f, 1e-6f);
  EXPECT_NEAR(h.SD, 0.6f, 1e-6f);
  f.sun(30.0, 300.0, 200.0f, 40.0f, 160.0f);  // sun behind: no message, diffuse x 0.7
  kv::surfaceHour(*f.s, 1, 1, 1, h);
  EXPECT_NEAR(h.SD, 0.7f, 1e-6f);
  f.s->files.report.close();
  EXPECT_EQ(kv::testing::slurp(dir / "sim$.out"),
            "\r\n *** FATAL ERROR ***   THE SHADE POSITION INDICATOR ( X )  IS NOT VALID IN WALL NUMBER   1\r\n");
  fs::remove_all(dir);
}

TEST(SurfacePass, season_letter_skips_the_surface_whole) {
  struct Row {
    char letter;
    float monthMean;
    bool counted;
  };
  const Row rows[] = {{'S', 50.0f, false}, {'S', 64.9f, false}, {'S', 65.0f, true},  {'S', 80.0f, true},
                      {'W', 80.0f, false}, {'W', 65.0f, false}, {'W', 64.9f, true},  {'B', 50.0f, true},
                      {'B', 80.0f, true},  {' ', 80.0f, true}};
  for (const Row& r : rows) {
    SurfaceFixture f;
    f.surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
    f.s->bldg.SWBFLG(1) = r.letter;
    f.s->wxmon.TDBM(3) = r.monthMean;
    kv::SURFACES(*f.s, 3);
    const kv::ENACC& a = f.s->enacc;
    const std::string tag = std::string(1, r.letter) + " at " + std::to_string(r.monthMean);
    if (r.counted) {
      EXPECT_NE(a.QOPZ(1), 0.0f) << tag;
      EXPECT_NE(a.QWAZ(1), 0.0f) << tag;
      EXPECT_EQ(a.TSAHIST(5, 1), 40.0f) << tag;
    } else {
      EXPECT_EQ(a.QOPZ(1), 0.0f) << tag;
      EXPECT_EQ(a.QWAZ(1), 0.0f) << tag;
      EXPECT_EQ(a.SOPZ(1), 0.0f) << tag;
      EXPECT_EQ(a.SALLZ(1), 0.0f) << tag;
      EXPECT_EQ(a.TSAHIST(5, 1), 50.0f) << tag;  // the ring waits for the season
      EXPECT_EQ(a.TSURF(1), 50.0f) << tag;
    }
  }
}

TEST(SurfacePass, surface_without_area_is_skipped) {
  SurfaceFixture f;
  f.surface(1, 180.0f, 3.0f, 0.0f, 0.0f);
  f.s->bldg.IWALL(1) = 0;  // never looked at
  kv::SURFACES(*f.s, 1);
  EXPECT_EQ(f.s->enacc.SALLZ(1), 0.0f);
  EXPECT_EQ(f.s->enacc.TSAHIST(5, 1), 50.0f);
}

TEST(SurfacePass, roof_sol_air_is_7F_below_a_wall_with_the_same_irradiance) {
  SurfaceFixture f;
  f.s->bldg.LASTSURF(1) = 2;
  f.surface(1, 180.0f, 3.0f, 100.0f, 0.0f);
  f.surface(2, 180.0f, 6.0f, 100.0f, 0.0f);
  f.tilt(1, 0.0f);  // both flat, so no ground term: the same irradiance
  f.tilt(2, 0.0f);
  f.sun(40.0, 200.0, 220.0f, 35.0f, 175.0f);
  const kv::SurfaceHour wall = f.hour(1);
  const kv::SurfaceHour roof = f.hour(2);
  EXPECT_GT(wall.It, 100.0f);
  EXPECT_EQ(wall.It, roof.It);
  EXPECT_NEAR(wall.Tsa - roof.Tsa, 7.0f, 1e-4f);
}

TEST(SurfacePass, roof_inside_film_follows_the_heat_flow) {
  struct Row {
    float history, db;
    float q, tsi;  // inside film 0.61 when heat flows up and out, 0.92 when it flows down
  };
  const Row rows[] = {{50.0f, 40.0f, -367.510f, 67.7582f}, {100.0f, 100.0f, 522.045f, 74.8028f}};
  for (const Row& r : rows) {
    SurfaceFixture f;
    f.surface(1, 0.0f, 6.0f, 100.0f, 0.0f);
    f.tilt(1, 0.0f);
    f.history(1, r.history);
    f.s->hrwthr.DB = r.db;
    kv::SURFACES(*f.s, 1);
    EXPECT_NEAR(f.s->enacc.QOPZ(1), r.q, 0.01f) << r.db;
    EXPECT_NEAR(f.s->enacc.QROOFZ(1), r.q, 0.01f) << r.db;
    EXPECT_NEAR(f.s->enacc.SOPZ(1) / 100.0f, r.tsi, 1e-3f) << r.db;
  }
}

// With a decrement of 1 the conduction shows the lagged sol-air temperature directly:
// Q = U' A (T_lag - T_zone). Slot j holds 100 + j.
TEST(SurfacePass, time_lag_reads_the_ring) {
  struct Row {
    int slot;
    float lag;
    float tlag;
  };
  const Row rows[] = {{5, 0.0f, 105.0f},  {5, 3.0f, 102.0f},  {1, 3.0f, 122.0f}, {24, 24.0f, 124.0f},
                      {2, 1.0f, 101.0f},  {1, 1.9f, 124.0f},  {12, 23.5f, 113.0f}, {24, 0.0f, 124.0f}};
  for (const Row& r : rows) {
    SurfaceFixture f;
    f.s->bldg.LAGWAL(1) = r.lag;
    f.s->enacc.IHRC = r.slot;
    for (int c = 1; c <= 24; ++c) f.s->enacc.TSAHIST(c, 1) = 100.0f + static_cast<float>(c);
    kv::SURFACES(*f.s, 1);
    const float up = 1.0f / (1.0f / 0.2f - 0.17f + 1.0f / 1.45f);
    EXPECT_NEAR(f.s->enacc.QOPZ(1) / (up * 100.0f) + 70.0f, r.tlag, 1e-3f) << r.slot << " " << r.lag;
    EXPECT_EQ(f.s->enacc.TSAHIST(r.slot, 1), 40.0f);
  }
  EXPECT_EQ(kv::lagSlot(3, 0.0f), 3);
  EXPECT_EQ(kv::lagSlot(3, 5.0f), 22);
  // Whatever the lag, the ring index stays inside the ring.
  for (int c = 1; c <= 24; ++c) {
    for (int lag = -30; lag <= 60; ++lag) {
      const int j = kv::lagSlot(c, static_cast<float>(lag));
      EXPECT_GE(j, 1) << c << " " << lag;
      EXPECT_LE(j, 24) << c << " " << lag;
    }
  }
  EXPECT_EQ(kv::lagSlot(1, 30.0f), 19);
}

// Two days of hours: with no lag each hour of the second day sees the sol-air temperature
// of the same hour the day before, and the running mean is the mean of the last 24 hours.
TEST(SurfacePass, lag_zero_is_the_same_hour_the_day_before) {
  SurfaceFixture f;
  f.s->bldg.DECWAL(1) = 1.0f;
  const float up = 1.0f / (1.0f / 0.2f - 0.17f + 1.0f / 1.45f);
  float sumDay2 = 0.0f;
  for (int hr = 1; hr <= 48; ++hr) {
    f.s->enacc.IHRC = (hr - 1) % 24 + 1;
    f.s->enacc.QOPZ(1) = 0.0f;
    const float db = 30.0f + static_cast<float>(hr % 24) + (hr > 24 ? 10.0f : 0.0f);
    f.s->hrwthr.DB = db;
    kv::SURFACES(*f.s, 1);
    const float tlag = f.s->enacc.QOPZ(1) / (up * 100.0f) + 70.0f;
    if (hr <= 24) {
      EXPECT_NEAR(tlag, 50.0f, 1e-3f) << hr;
    } else {
      EXPECT_NEAR(tlag, db - 10.0f, 1e-3f) << hr;
      sumDay2 += db;
    }
  }
  EXPECT_NEAR(f.s->enacc.TSURF(1), sumDay2 / 24.0f, 1e-3f);
}

TEST(SurfacePass, underground_depth_and_ground_temperature) {
  struct Row {
    float expos, day, tg;
  };
  // Depth (E mod 10) x 3.27 ft: 7 -> 22.89 ft, 71 -> 3.27 ft, 77 -> 22.89 ft.
  const Row rows[] = {{7.0f, 0.0f, 60.9484f}, {71.0f, 0.0f, 54.3977f}, {77.0f, 0.0f, 60.9484f},
                      {7.0f, 200.0f, 59.0391f}, {71.0f, 57.25f, 49.8619f}};
  for (const Row& r : rows) {
    SurfaceFixture f;
    f.surface(1, 180.0f, r.expos, 100.0f, 0.0f);
    f.s->enacc.GRNDMEAN = 60.0f;
    f.s->enacc.GRNDAMP = 15.0f;
    f.s->enacc.GRNDDAY = r.day;
    f.sun(40.0, 180.0, 250.0f, 40.0f, 200.0f);  // the sun does not reach it
    kv::SURFACES(*f.s, 1);
    const kv::ENACC& a = f.s->enacc;
    EXPECT_NEAR(a.TSURF(1), r.tg, 2e-3f) << r.expos << " " << r.day;
    EXPECT_NEAR(a.QOPZ(1), 0.2f * 100.0f * (r.tg - 70.0f), 0.05f) << r.expos;  // no film
    EXPECT_EQ(a.TSAHIST(5, 1), 50.0f);
    EXPECT_EQ(a.IDIRV(1) + a.IDIRV(2) + a.IDIRV(3) + a.IDIRV(4), 0);
  }
}

// Over a year the ground swings by the surface amplitude damped by exp(-0.1198 depth), and
// is coldest 34.5 + 6.958 depth days after the coldest month begins.
TEST(SurfacePass, underground_amplitude_and_delay_with_depth) {
  struct Row {
    float expos, depth;
  };
  for (const Row& r : {Row{71.0f, 3.27f}, Row{7.0f, 22.89f}, Row{73.0f, 9.81f}}) {
    SurfaceFixture f;
    f.surface(1, 180.0f, r.expos, 100.0f, 0.0f);
    f.s->enacc.GRNDMEAN = 55.0f;
    f.s->enacc.GRNDAMP = 20.0f;
    float lo = 1e9f, hi = -1e9f, dayLo = 0.0f;
    for (int d = 0; d < 365; ++d) {
      f.s->enacc.GRNDDAY = static_cast<float>(d);
      kv::SURFACES(*f.s, 1);
      const float t = f.s->enacc.TSURF(1);
      if (t < lo) {
        lo = t;
        dayLo = static_cast<float>(d);
      }
      hi = std::max(hi, t);
    }
    EXPECT_NEAR((hi - lo) / 2.0f, 20.0f * std::exp(-0.1198f * r.depth), 0.01f) << r.expos;
    EXPECT_NEAR((hi + lo) / 2.0f, 55.0f, 0.01f) << r.expos;
    EXPECT_NEAR(dayLo, 34.5f + 6.958f * r.depth, 1.0f) << r.expos;
  }
}

TEST(SurfacePass, underground_window_gets_ground_conduction_only) {
  SurfaceFixture f;
  makeDaylit(f);
  f.surface(1, 180.0f, 7.0f, 100.0f, 20.0f);
  f.s->enacc.GRNDMEAN = 60.0f;
  f.sun(40.0, 180.0, 250.0f, 40.0f, 200.0f);
  kv::SURFACES(*f.s, 1);
  const kv::ENACC& a = f.s->enacc;
  EXPECT_EQ(a.QTSZ(1), 0.0f);
  EXPECT_EQ(a.FCDLZ(1), 0.0f);
  const float uw = 1.0f / (1.0f / 0.5f - 0.146f + 1.0f / 1.9f);
  EXPECT_NEAR(a.QWAZ(1), uw * 20.0f * (60.0f - 70.0f), 0.01f);
}

TEST(SurfacePass, angle_factor_of_glass) {
  struct Row {
    float cosi, k;
  };
  const Row rows[] = {{-0.5f, 0.0f},       {0.05f, 0.0f},      {0.0523360f, 0.206615f}, {0.0871557f, 0.294657f},
                      {0.173648f, 0.487215f}, {0.342020f, 0.766418f}, {0.5f, 0.928216f},  {0.73f, 1.014670f},
                      {0.7301f, 1.0f},     {1.0f, 1.0f}};
  for (const Row& r : rows) EXPECT_NEAR(kv::angleFactor(r.cosi), r.k, 2e-5f) << r.cosi;

  // The factor applies to the window's beam only: the sun on the horizon 60 deg off south.
  SurfaceFixture f;
  f.surface(1, 180.0f, 3.0f, 100.0f, 10.0f);
  f.sun(0.0, 120.0, 200.0f, 0.0f, 0.0f);
  kv::SURFACES(*f.s, 1);
  EXPECT_NEAR(f.s->enacc.QTSZ(1), 0.928216f * 100.0f * 10.0f * 0.6f, 0.02f);
}

TEST(SurfacePass, hot_pavement_and_water) {
  struct Row {
    float expos, orient, to;
  };
  const Row rows[] = {{1.0f, 180.0f, 46.1572f}, {2.0f, 0.0f, 42.5821f}, {3.0f, 180.0f, 40.0f},
                      {4.0f, 180.0f, 40.0f},    {5.0f, 180.0f, 40.0f},  {6.0f, 180.0f, 40.0f}};
  for (const Row& r : rows) {
    SurfaceFixture f;
    f.surface(1, r.orient, r.expos, 100.0f, 0.0f);
    f.sun(30.0, 180.0, 200.0f, 40.0f, 160.0f);
    EXPECT_NEAR(f.hour().To, r.to, 1e-3f) << r.expos;
  }
  SurfaceFixture f;
  f.surface(1, 180.0f, 5.0f, 100.0f, 0.0f);
  f.sun(25.0, 180.0, 0.0f, 40.0f, 160.0f);
  const kv::SurfaceHour h = f.hour();
  EXPECT_NEAR(h.rhoS, 0.15f, 1e-6f);  // altitude index INT(2.5 + 1.3) = 3
  EXPECT_NEAR(h.rhoD, 0.15f, 1e-6f);
  EXPECT_NEAR(h.Id, 77.0018f, 0.001f);
}

TEST(SurfacePass, own_ground_reflectance_changes_daylight_only) {
  SurfaceFixture a, b;
  for (SurfaceFixture* f : {&a, &b}) {
    makeDaylit(*f);
    f->surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
    f->sun(30.0, 180.0, 200.0f, 40.0f, 160.0f);
  }
  b.s->bldg.GREFL(1) = 0.8f;
  const kv::SurfaceHour ha = a.hour(), hb = b.hour();
  EXPECT_EQ(ha.Id, hb.Id);
  EXPECT_EQ(ha.Qt, hb.Qt);
  EXPECT_EQ(ha.Qa, hb.Qa);
  EXPECT_NEAR(ha.rhoD, 0.06f, 1e-7f);
  EXPECT_NEAR(hb.rhoD, 0.8f, 1e-7f);
  EXPECT_GT(hb.Ew, ha.Ew);
}

TEST(SurfacePass, orientation_peaks_take_the_largest_unshaded_beam) {
  SurfaceFixture f;
  f.s->bldg.LASTSURF(1) = 4;
  f.surface(1, 180.0f, 3.0f, 100.0f, 0.0f);
  f.surface(2, 180.0f, 3.0f, 100.0f, 0.0f);
  f.shade(2, 1, 'F', 0.5f);
  f.surface(3, 270.0f, 3.0f, 100.0f, 0.0f);
  f.surface(4, 180.0f, 6.0f, 100.0f, 0.0f);  // a roof never counts
  f.tilt(4, 45.0f);
  kv::ENACC& a = f.s->enacc;
  a.IORNT(1) = 0;
  a.IORNT(2) = 90;
  a.IORNT(3) = 180;
  a.IORNT(4) = 270;
  f.sun(30.0, 200.0, 250.0f, 40.0f, 160.0f);
  kv::SURFACES(*f.s, 1);
  EXPECT_EQ(a.IDIRV(1), 0);
  EXPECT_EQ(a.IDIRV(2), 0);
  EXPECT_EQ(a.IDIRV(3), 203);  // 203.45
  EXPECT_EQ(a.IDIFV(3), 57);   // 56.52 unshaded
  EXPECT_EQ(a.IDIRV(4), 74);   // 74.05
  EXPECT_EQ(a.IDIFV(4), 40);   // 40.28
}

TEST(SurfacePass, surfaces_sum_into_their_own_zone) {
  SurfaceFixture f;
  kv::BLDG& b = f.s->bldg;
  b.NZ = 2;
  b.LASTSURF(1) = 2;
  b.LASTSURF(2) = 3;
  f.surface(2, 90.0f, 3.0f, 100.0f, 0.0f);
  f.surface(3, 0.0f, 6.0f, 100.0f, 0.0f);
  f.s->enacc.TZONE(2) = 60.0f;
  kv::SURFACES(*f.s, 1);
  const kv::ENACC& a = f.s->enacc;
  EXPECT_NEAR(a.QOPZ(1), 2.0f * -362.341f, 0.02f);
  EXPECT_EQ(a.QROOFZ(1), 0.0f);
  EXPECT_LT(a.QOPZ(2), 0.0f);
  EXPECT_GT(a.QOPZ(2), -362.0f);  // the warmer-side zone at 60 F loses less
  EXPECT_EQ(a.QROOFZ(2), a.QOPZ(2));
}

TEST(SurfacePass, daylight_needs_a_lit_daylit_zone_and_is_capped_at_the_target) {
  struct Row {
    const char* what;
    char flag;
    float kw, prof, target;
    int night;
    bool lit;
  };
  const Row rows[] = {{"daylit", 'Y', 2.0f, 1.0f, 50.0f, 0, true},
                      {"flag N", 'N', 2.0f, 1.0f, 50.0f, 0, false},
                      {"no lights", 'Y', 0.0f, 1.0f, 50.0f, 0, false},
                      {"lights off this hour", 'Y', 2.0f, 0.0f, 50.0f, 0, false},
                      {"target below 1 fc", 'Y', 2.0f, 1.0f, 0.9f, 0, false},
                      {"night", 'Y', 2.0f, 1.0f, 50.0f, 1, false}};
  for (const Row& r : rows) {
    SurfaceFixture f;
    makeDaylit(f);
    f.surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
    f.sun(30.0, 180.0, 200.0f, 40.0f, 160.0f);
    f.s->hrwthr.NIGHT = r.night;
    kv::BLDG& b = f.s->bldg;
    b.DLFLG(1) = r.flag;
    b.ZLOAD(4, 1) = r.kw;
    b.PROF(4, 1, 12) = r.prof;
    b.FCTGT(1) = r.target;
    kv::SURFACES(*f.s, 1);
    if (r.lit) {
      EXPECT_GT(f.s->enacc.FCDLZ(1), 1.0f) << r.what;
    } else {
      EXPECT_EQ(f.s->enacc.FCDLZ(1), 0.0f) << r.what;
    }
  }

  // Two windows of one zone: their sum, but never above the target.
  for (float target : {500.0f, 30.0f}) {
    SurfaceFixture f;
    makeDaylit(f);
    f.s->bldg.FCTGT(1) = target;
    f.s->bldg.LASTSURF(1) = 2;
    f.surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
    f.surface(2, 180.0f, 3.0f, 100.0f, 20.0f);
    f.sun(30.0, 180.0, 200.0f, 40.0f, 160.0f);
    const float one = f.hour(1).Ew;
    kv::SURFACES(*f.s, 1);
    EXPECT_GT(one, 20.0f);  // 21.2 fc by hand
    EXPECT_NEAR(f.s->enacc.FCDLZ(1), std::min(2.0f * one, target), 1e-3f) << target;
  }
}

TEST(SurfacePass, window_with_sill_at_or_above_its_top_adds_no_daylight) {
  for (float sill : {7.0f, 9.0f}) {
    SurfaceFixture f;
    makeDaylit(f);
    f.s->bldg.LASTSURF(1) = 2;
    f.surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
    f.surface(2, 180.0f, 3.0f, 100.0f, 20.0f);
    f.s->bldg.HSILL(2) = sill;  // top at 7 ft
    f.sun(30.0, 180.0, 200.0f, 40.0f, 160.0f);
    const float good = f.hour(1).Ew;
    EXPECT_EQ(f.hour(2).Ew, 0.0f) << sill;
    kv::SURFACES(*f.s, 1);
    EXPECT_NEAR(f.s->enacc.FCDLZ(1), good, 1e-5f) << sill;
  }
}

TEST(SurfacePass, trace_lines_above_detail_level_5) {
  const fs::path dir = fs::temp_directory_path() / "kv_surf_trace";
  fs::create_directories(dir);
  for (int level : {5, 6}) {
    SurfaceFixture f;
    f.surface(1, 180.0f, 3.0f, 100.0f, 20.0f);
    f.s->enacc.IDETL = level;
    ASSERT_TRUE(f.s->files.trace.open((dir / "tavik$.tst").string()));
    kv::SURFACES(*f.s, 1);
    f.s->files.trace.close();
    const std::string want =
        level > 5 ? "   TIM   ZN      DB   TEave      AW     TSI      AG     TGI     SOL      GT\r\n"
                    "    12    1    40.0    49.6   100.0    67.5    20.0    61.4     0.0     3.0\r\n"
                  : "";
    EXPECT_EQ(kv::testing::slurp(dir / "tavik$.tst"), want) << level;
  }
  fs::remove_all(dir);
}

}  // namespace
