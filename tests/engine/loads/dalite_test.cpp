#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/state.h"
#include "engine/input/kvan64main.h"
#include "engine/loads/stages.h"

namespace {

// Exterior sky illuminance, fc, of a diffuse horizontal of 1 Btu/h ft2 under a clear sky.
constexpr float kSkyFc = 1.0f / 0.317f * 136.0f / 10.764f;

// The device values of the installed table: overhangs of 2, 4 and 6 ft in rows 2..4, shelves
// of 1.5 to 8.5 ft in rows 5..19.
void deviceValues(kv::LSHELF& t) {
  for (int r = 2; r <= 4; ++r) t.LSV1(r) = 2.0f * static_cast<float>(r - 1);
  for (int r = 5; r <= 19; ++r) t.LSV2(r) = 1.5f + 0.5f * static_cast<float>(r - 5);
}

// A table whose coefficient in every row and block is 10 x the depth ratio: a point at
// depth ratio x receives x / 10 of the exterior illuminance.
std::unique_ptr<kv::LSHELF> linearTable() {
  auto t = std::make_unique<kv::LSHELF>();
  const float bp[6] = {0.286f, 0.857f, 1.43f, 2.0f, 2.57f, 9.76f};
  for (int r = 1; r <= 19; ++r)
    for (int c = 1; c <= 6; ++c)
      for (int b = 1; b <= 3; ++b) t->LST(r, c, b) = 10.0f * bp[c - 1];
  deviceValues(*t);
  return t;
}

// A 4 ft high window of 4 ft2 on a wall 1 ft wide: glass factor 1. Sky light only, the
// exterior illuminance 100 fc.
kv::DaylightWindow skyWindow() {
  kv::DaylightWindow w;
  w.DFH = 100.0f / kSkyFc;
  w.Y = 1.0f;
  w.WWIDTH = 1.0f;
  w.HTOP = 10.0f;
  w.HSILL = 6.0f;
  w.AWIND = 4.0f;
  w.VTWIN = 1.0f;
  w.FCTGT = 1.0e6f;
  return w;
}

TEST(Daylight, points_across_the_daylit_depth) {
  struct Row {
    float depth;
    float meanRatio;  // mean depth ratio of the points (0 for points beyond the table)
  };
  const Row rows[] = {
      {10.0f, 1.0f},                      // one point at 10 ft / 10 ft
      {11.9f, 1.19f},                     // still one point
      {12.0f, 1.2f},                      // INT(12 / 8) = 1 point, 12 ft is not above 12
      {13.0f, (0.65f + 1.3f) / 2.0f},     // 13 ft > 12: two points 6.5 ft apart
      {20.0f, 1.5f},                      // 2 points of 10 ft
      {30.0f, 2.0f},                      // 3 points of 10 ft
      {100.0f, 0.833333f * 66.0f / 12.0f},  // 12 points of 8.33 ft; the last one (x = 10) adds 0
  };
  const auto t = linearTable();
  for (const Row& r : rows) {
    kv::DaylightWindow w = skyWindow();
    w.DLDEP = r.depth;
    float ew = -1.0f;
    kv::DALITE8(w, *t, ew);
    EXPECT_NEAR(ew, 10.0f * r.meanRatio, 2e-3f) << r.depth;
  }
}

TEST(Daylight, each_point_is_capped_before_the_mean) {
  const auto t = linearTable();
  kv::DaylightWindow w = skyWindow();
  w.DLDEP = 30.0f;  // points receive 10, 20 and 30 fc
  w.FCTGT = 15.0f;
  float ew = 0.0f;
  kv::DALITE8(w, *t, ew);
  EXPECT_NEAR(ew, (10.0f + 15.0f + 15.0f) / 3.0f, 1e-4f);
}

TEST(Daylight, window_without_height_gives_no_daylight) {
  const auto t = linearTable();
  for (float sill : {10.0f, 10.5f, 14.0f}) {  // sill at or above the top of the window
    kv::DaylightWindow w = skyWindow();
    w.DLDEP = 10.0f;
    w.HSILL = sill;
    w.BEAM = 200.0f;
    float ew = -1.0f;
    kv::DALITE8(w, *t, ew);
    EXPECT_EQ(ew, 0.0f) << sill;
  }
}

TEST(Daylight, overcast_sky_drops_the_beam_and_dims_the_sky) {
  auto t = std::make_unique<kv::LSHELF>();
  for (int c = 1; c <= 5; ++c) {
    t->LST(1, c, 1) = 50.0f;
    t->LST(1, c, 2) = 10.0f;
    t->LST(1, c, 3) = 20.0f;
  }
  struct Row {
    float cc, beam, ew;
  };
  const float beamFc = 100.0f / 0.317f * 103.0f / 10.764f;
  const Row rows[] = {
      {0.0f, 0.0f, 10.0f},                           // clear: the sky's 100 fc at 10 %
      {0.0f, 100.0f, 10.0f + beamFc * 0.5f},         // the beam at 50 %
      {0.5f, 100.0f, (136.0f - 15.95f) / 136.0f * 10.0f + beamFc * 0.5f},
      {0.6f, 0.0f, (136.0f - 19.14f) / 136.0f * 20.0f},  // overcast block, no beam
      {0.6f, 100.0f, (136.0f - 19.14f) / 136.0f * 20.0f},
  };
  for (const Row& r : rows) {
    kv::DaylightWindow w = skyWindow();
    w.DLDEP = 10.0f;
    w.CC = r.cc;
    w.BEAM = r.beam;
    float ew = 0.0f;
    kv::DALITE8(w, *t, ew);
    EXPECT_NEAR(ew, r.ew, 0.05f) << r.cc << " " << r.beam;
  }
}

TEST(Daylight, diffuse_shading_counts_only_without_a_device) {
  const auto t = linearTable();
  struct Row {
    const char* what;
    char dev;
    float p1, dshd, beam, sd, ew;
  };
  const Row rows[] = {
      {"plain window, sky", ' ', 0.0f, 0.0f, 0.0f, 0.5f, 5.0f},
      {"plain window, beam", ' ', 0.0f, 0.0f, 100.0f, 0.5f, 5.0f + 0.1f * 100.0f / 0.317f * 103.0f / 10.764f},
      {"overhang", 'H', 2.0f, 2.0f, 0.0f, 0.5f, 10.0f},
      {"light shelf under an overhang", 'L', 0.0f, 2.0f, 0.0f, 0.5f, 10.0f},
  };
  for (const Row& r : rows) {
    kv::DaylightWindow w = skyWindow();
    w.DLDEP = 10.0f;
    w.DFH = 50.0f / kSkyFc;  // sky 50 fc and ground 50 fc
    w.DH = 50.0f / kSkyFc / 0.5f / 0.5f;
    w.GRFL = 0.5f;
    w.IDEV = r.dev;
    w.P1 = r.p1;
    w.DSHD = r.dshd;
    w.P3 = 0.9f;  // shelf glazing factor 1
    w.P4 = 0.6f;
    w.BEAM = r.beam;
    w.SD = r.sd;
    float ew = 0.0f;
    kv::DALITE8(w, *t, ew);
    EXPECT_NEAR(ew, r.ew, 2e-3f) << r.what;
  }
}

TEST(Daylight, device_row_is_the_nearest_and_the_earlier_on_a_tie) {
  auto t = std::make_unique<kv::LSHELF>();
  for (int r = 1; r <= 19; ++r)
    for (int c = 1; c <= 5; ++c) t->LST(r, c, 2) = static_cast<float>(r);
  deviceValues(*t);
  struct Row {
    char dev;
    float p1, p2;
    int row;
  };
  const Row rows[] = {{' ', 4.0f, 0.0f, 1},  {'H', 2.0f, 0.0f, 2},   {'H', 3.0f, 0.0f, 2},
                      {'H', 3.1f, 0.0f, 3},  {'O', 6.0f, 0.0f, 4},   {'H', 50.0f, 0.0f, 4},
                      {'H', 200.0f, 0.0f, 1}, {'L', 0.0f, 2.2f, 6},  {'L', 0.0f, 2.25f, 6},
                      {'L', 0.0f, 8.5f, 19}, {'L', 0.0f, 20.0f, 19}, {'X', 2.0f, 0.0f, 1}};
  for (const Row& r : rows) {
    kv::DaylightWindow w = skyWindow();
    w.DLDEP = 10.0f;
    w.IDEV = r.dev;
    w.P1 = r.p1;
    w.P2 = r.p2;
    w.P3 = 0.9f;
    w.P4 = 0.6f;
    float ew = 0.0f;
    kv::DALITE8(w, *t, ew);
    EXPECT_NEAR(ew, static_cast<float>(r.row), 1e-4f) << r.dev << " " << r.p1 << " " << r.p2;
  }
}

TEST(Daylight, light_shelf_glazing_factor) {
  const auto t = linearTable();
  struct Row {
    char dev;
    float p3, p4, vt, factor;
  };
  const Row rows[] = {{'L', 0.9f, 0.3f, 0.5f, 5.0f / 7.0f},  // (3 + 2) / 7, no daylight transmittance
                      {'L', 0.9f, 0.6f, 0.2f, 1.0f},
                      {' ', 0.9f, 0.3f, 0.5f, 0.5f}};       // plain window: its transmittance
  for (const Row& r : rows) {
    kv::DaylightWindow w = skyWindow();
    w.DLDEP = 10.0f;
    w.IDEV = r.dev;
    w.P2 = 3.0f;
    w.P3 = r.p3;
    w.P4 = r.p4;
    w.VTWIN = r.vt;
    w.TDIFF = 0.8f;
    float ew = 0.0f;
    kv::DALITE8(w, *t, ew);
    EXPECT_NEAR(ew, 10.0f * r.factor * 0.8f, 1e-4f) << r.dev << " " << r.p4;
  }
}

// Worked examples with the installed table: a plain window one point deep, and a 3 ft light
// shelf three points deep (the deepest point between the last column and the table's end).
TEST(Daylight, installed_table_worked_examples) {
  auto s = std::make_unique<kv::EngineState>();
  s->runDir = std::string(KALVANO_SOURCE_DIR) + "/data/temp";
  kv::ReadLightShelves(*s);
  ASSERT_EQ(s->bldg.NERR, 0);
  struct Row {
    const char* what;
    char dev;
    float p2, dshd, cc, depth, htop, target, ew;
  };
  const Row rows[] = {
      {"plain", ' ', 0.0f, 0.0f, 0.2f, 10.0f, 7.0f, 300.0f, 118.6895f},
      {"shelf", 'L', 3.0f, 2.0f, 0.2f, 30.0f, 8.0f, 300.0f, 99.98385f},
      {"shelf, overcast", 'L', 3.0f, 2.0f, 0.8f, 30.0f, 8.0f, 300.0f, 25.59432f},
      {"shelf, capped", 'L', 3.0f, 2.0f, 0.2f, 30.0f, 8.0f, 80.0f, 77.41249f},
  };
  for (const Row& r : rows) {
    kv::DaylightWindow w;
    w.BEAM = 150.0f;
    w.DH = 120.0f;
    w.DFH = 30.0f;
    w.GRFL = 0.2f;
    w.CC = r.cc;
    w.SD = 0.8f;
    w.Y = 1.1f;
    w.DLDEP = r.depth;
    w.WWIDTH = 12.0f;
    w.DSHD = r.dshd;
    w.TDIFF = 1.0f;
    w.HTOP = r.htop;
    w.HSILL = 3.0f;
    w.AWIND = 20.0f;
    w.FCTGT = r.target;
    w.VTWIN = 0.7f;
    w.P2 = r.p2;
    w.P3 = r.dev == 'L' ? 0.9f : 0.0f;
    w.P4 = r.dev == 'L' ? 0.7f : 0.0f;
    w.IDEV = r.dev;
    float ew = 0.0f;
    kv::DALITE8(w, s->lshelf, ew);
    EXPECT_NEAR(ew, r.ew, r.ew * 2e-5f) << r.what;
  }
}

}  // namespace
