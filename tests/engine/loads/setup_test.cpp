// The set-up's values: the worked examples of window fractions, orientations, weekday,
// hot-water profiles, the zone-area check, the detail level and the system defaults.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/loads/energy.h"
#include "setup_fixture.h"

namespace {

using loadtest::SetupFixture;

TEST(Setup, window_fractions_become_areas_and_walls_their_net_opaque_area) {
  struct Row {
    float wall, glass, netWall, glassArea;
  };
  const Row rows[] = {{400, 0.25f, 300, 100}, {400, 1.0f, 0, 400}, {400, 60, 340, 60}, {0, 30, 0, 30},
                    {0, 0.25f, 0, 0}};  // a fraction of a surface without wall area is no glass
  for (const Row& r : rows) {
    SetupFixture f("fraction");
    f.s->bldg.AWALL(1) = r.wall;
    f.s->bldg.AWIND(1) = r.glass;
    f.setup();
    EXPECT_FLOAT_EQ(f.s->bldg.AWALL(1), r.netWall) << r.wall << " " << r.glass;
    EXPECT_FLOAT_EQ(f.s->bldg.AWIND(1), r.glassArea);
    EXPECT_EQ(f.s->bldg.NERR, 0);
  }
}

TEST(Setup, type_ids_become_slots_and_each_unknown_wall_counts) {
  SetupFixture f("slots");
  kv::BLDG& b = f.s->bldg;
  b.NZ = 1;
  b.LASTSURF(1) = 3;
  f.surface(2, 100, 0, 180);
  f.surface(3, 100, 0, 270);
  b.IWALL(1) = 2;
  b.IWALL(2) = 5;
  b.IWALL(3) = 5;
  f.setup();
  EXPECT_EQ(b.IWALL(1), 2);
  EXPECT_EQ(b.IWALL(2), 1);
  EXPECT_EQ(b.IWALL(3), 1);
  EXPECT_EQ(b.IWIND(1), 1);
  EXPECT_EQ(b.NERR, 2);
}

TEST(Setup, surface_sums_follow_the_season_letter_and_exposure) {
  SetupFixture f("sums");
  kv::BLDG& b = f.s->bldg;
  b.LASTSURF(1) = 4;
  f.surface(2, 200, 0, 180, 7, 'S');   // summer only: area sums, nothing else
  f.surface(3, 100, 0, 270, 6, 'W');   // winter only, not exterior
  f.surface(4, 50, 0, 0, 2, ' ');      // blank letter counts as both
  f.setup();
  const kv::ENACC& e = f.s->enacc;
  EXPECT_FLOAT_EQ(e.AREAS(1), 300 + 200 + 50);
  EXPECT_FLOAT_EQ(e.AREAW(1), 300 + 100 + 50);
  EXPECT_FLOAT_EQ(e.AEXT(1), 400 + 50);
  EXPECT_FLOAT_EQ(e.UAGLAS(1), 0.49f * 100);
  EXPECT_FLOAT_EQ(e.WALLCOST, 12.5f * (300 + 100 + 50));
  EXPECT_FLOAT_EQ(e.GLASCOST, 25.0f * 100);
  EXPECT_FLOAT_EQ(e.EXPF1(2), 0.0f);
  EXPECT_FLOAT_EQ(e.EXPF2(1), 0.18f);
  EXPECT_FLOAT_EQ(e.EXPF1(4), 0.22f);
  // Glass factor 1 - (0.92 - 0.9) - 0.7, inside its bounds.
  EXPECT_NEAR(e.GLFAC(1), 0.28f, 1e-6);
  EXPECT_FLOAT_EQ(e.COSOR(1), std::cos(90.0f / 57.3f));
  // Enclosure estimate 2 x 1000 + 4.2 x sqrt(1000) x 10, less the surfaces of the zone.
  const float encl = 2000.0f + 4.2f * std::sqrt(1000.0f) * 10.0f;
  EXPECT_FLOAT_EQ(e.AENCL(1), encl);
  EXPECT_FLOAT_EQ(e.AINT(1), encl - (400 + 100 + 50));
}

TEST(Setup, glass_of_a_zero_id_is_ignored_and_a_covered_zone_keeps_a_small_mass_area) {
  SetupFixture f("cover");
  kv::BLDG& b = f.s->bldg;
  b.AWALL(1) = 5000.0f;
  b.IWIND(1) = 0;
  b.AWIND(1) = 30.0f;
  f.setup();
  EXPECT_EQ(b.AWIND(1), 0.0f);
  EXPECT_EQ(b.AWALL(1), 5000.0f);
  EXPECT_FLOAT_EQ(f.s->enacc.AINT(1), 0.1f);
}

TEST(Setup, climate_statistics_and_orientation_heads) {
  {
    SetupFixture f("climate");
    f.setup();
    EXPECT_EQ(f.s->enacc.MCOLD, 1);
    EXPECT_NEAR(f.s->enacc.GRNDAMP, 0.0f, 1e-5);  // twelve single-precision twelfths
    EXPECT_NEAR(f.s->enacc.GRNDMEAN, 53.0f, 1e-4);
  }
  {
    SetupFixture f("climate2");
    const float tdb[12] = {40, 38, 38, 50, 60, 70, 80, 80, 70, 60, 50, 40};
    for (int m = 1; m <= 12; ++m) f.s->wxmon.TDBM(m) = tdb[m - 1];
    f.setup();
    EXPECT_EQ(f.s->enacc.MCOLD, 2);  // the first of two equal minima
    float mean = 0;
    for (float t : tdb) mean += t / 12.0f;
    EXPECT_FLOAT_EQ(f.s->enacc.GRNDAMP, (80.0f - mean) * 0.7f);
  }
  struct Row {
    std::vector<float> orient;
    int expect[4];
  };
  const Row rows[] = {{{90, 180, 270, 90, -1}, {0, 90, 180, 270}},
                      {{90, 270}, {0, 0, 90, 270}},
                      {{0, 45, 135, 225, 315}, {45, 135, 225, 315}},
                      {{300, 200, 100, 50, 10}, {50, 100, 200, 300}}};
  for (const Row& r : rows) {
    SetupFixture f("orient");
    kv::BLDG& b = f.s->bldg;
    b.LASTSURF(1) = static_cast<int16_t>(r.orient.size());
    for (std::size_t i = 0; i < r.orient.size(); ++i) {
      const int n = static_cast<int>(i) + 1;
      f.surface(n, 100, 0, r.orient[i] < 0 ? 0 : r.orient[i]);
      if (r.orient[i] < 0) b.SINTLT(n) = 0.0f;  // a roof
    }
    f.setup();
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(f.s->enacc.IORNT(k), r.expect[k - 1]) << k;
  }
}

TEST(Setup, weekday_workweek_and_economics) {
  struct Row {
    int dow1, day1, idow, mstart;
  };
  const Row rows[] = {{1, 1, 7, 1}, {3, 10, 4, 1}, {2, 1, 1, 1}, {7, 366, 7, 12}, {1, 60, 3, 3}};
  for (const Row& r : rows) {
    SetupFixture f("dow");
    f.s->runpar.IDOW1 = r.dow1;
    f.s->runpar.IDAY1 = r.day1;
    f.s->bldg.DAYSWK = 5.5f;
    f.s->bldg.NDEM = 3;
    f.s->bldg.DEMKW(1) = 100;
    f.s->bldg.DEMKW(2) = 200;
    f.s->bldg.DEMKW(3) = 50;
    f.setup();
    const kv::ENACC& e = f.s->enacc;
    EXPECT_EQ(e.IDOW, r.idow) << r.dow1 << " " << r.day1;
    EXPECT_EQ(e.MSTART, r.mstart);
    EXPECT_EQ(e.NWDAYS, 5);
    EXPECT_FLOAT_EQ(e.WDFRAC, 0.5f);
    EXPECT_FLOAT_EQ(e.HOLFAC, 1.0f - 10.0f / 260.0f);
    EXPECT_FLOAT_EQ(e.GASPR, 6.0f);
    EXPECT_FLOAT_EQ(e.ELECPR, 0.085f);
    EXPECT_FLOAT_EQ(f.s->bldg.DEMKW(3), 350.0f);
    EXPECT_EQ(e.CPKHR, 3);
    EXPECT_EQ(e.CPKAMPM.view(), "P.M.");
    EXPECT_EQ(e.HPKHR, 7);
    EXPECT_EQ(e.HPKAMPM.view(), "A.M.");
    EXPECT_EQ(e.MLAST, 0);
    EXPECT_EQ(e.IFIRST, 1);
  }
}

TEST(Setup, comfort_band_in_report_units) {
  struct Row {
    const char* units;
    float lo, hi, tlo, thi;
    int ilo, ihi;
  };
  const Row rows[] = {{"IP", 0, 0, 68, 79, 68, 79},
                      {"IP", 67.6f, 78.4f, 67.6f, 78.4f, 68, 78},
                      {"SI", 20, 26, 68, 78.8f, 20, 26}};
  for (const Row& r : rows) {
    SetupFixture f("comfort");
    f.s->chtab.UNITS.set(r.units);
    f.s->wxmon.TCOMF(1) = r.lo;
    f.s->wxmon.TCOMF(2) = r.hi;
    f.setup();
    EXPECT_FLOAT_EQ(f.s->enacc.TCMFLO, r.tlo);
    EXPECT_FLOAT_EQ(f.s->enacc.TCMFHI, r.thi);
    EXPECT_EQ(f.s->enacc.ICMFLO, r.ilo);
    EXPECT_EQ(f.s->enacc.ICMFHI, r.ihi);
  }
}

TEST(Setup, detail_level_from_its_file) {
  struct Row {
    const char* content;  // nullptr: no file
    int level;
  };
  const Row rows[] = {{nullptr, 0}, {"         7\r\n", 7}, {"7\n", 7}, {"abc\r\n", 0}, {"", 0}};
  for (const Row& r : rows) {
    SetupFixture f("detail");
    if (r.content) kvtest::spit(f.dir / "detail.hry", r.content);
    f.setup();
    EXPECT_EQ(f.s->enacc.IDETL, r.level) << (r.content ? r.content : "(none)");
  }
}

TEST(Setup, hot_water_profiles_are_normalised_once_per_profile) {
  struct Row {
    float value, expect;
  };
  for (const Row& r : {Row{0.0f, 0.0f}, Row{1.0f, 1.0f / 24.0f}, Row{2.0f, 1.0f / 24.0f}}) {
    SetupFixture f("hw");
    kv::BLDG& b = f.s->bldg;
    for (int h = 1; h <= 24; ++h) b.PROF(2, 1, h) = r.value;
    b.NZ = 2;  // both zones share the profile
    f.zone(2, 12, 100.0f);
    b.LASTSURF(2) = 1;
    b.FLRAREA = 2000;
    f.setup();
    for (int h = 1; h <= 24; ++h) EXPECT_NEAR(b.PROF(2, 1, h), r.expect, 1e-7) << h;
  }
}

TEST(Setup, building_area_is_reset_only_beyond_one_percent) {
  struct Row {
    float building, after;
  };
  for (const Row& r : {Row{1000 / 1.01f, 1000 / 1.01f}, Row{1000 / 1.02f, 1000}, Row{2000, 2000}}) {
    SetupFixture f("area");
    f.s->bldg.FLRAREA = r.building;
    f.setup();
    EXPECT_FLOAT_EQ(f.s->bldg.FLRAREA, r.after);
    EXPECT_FLOAT_EQ(f.s->enacc.ZAREA, 1000);
  }
}

TEST(Setup, zone_values_and_design_air) {
  SetupFixture f("zone");
  kv::BLDG& b = f.s->bldg;
  b.LTYPE(1) = 3;
  b.DLFLG(1) = 'Y';
  b.DLDEP(1) = 15;
  b.VNAT(1) = 0.5f;
  b.ECFLG(1) = 'N';
  f.setup();
  const kv::ENACC& e = f.s->enacc;
  EXPECT_FLOAT_EQ(e.VOLUME(1), 10000);
  EXPECT_FLOAT_EQ(b.VNAT(1), 500);
  EXPECT_FLOAT_EQ(e.INFCFM(1), 10000 * 0.5f / 60);
  EXPECT_FLOAT_EQ(e.MASSCAP(1), 40 * 0.21f * 1000);
  EXPECT_FLOAT_EQ(e.ZCAP(1), 10000 * 0.018f + 40 * 0.21f * 1000 * 0.1f);
  EXPECT_FLOAT_EQ(e.DLFRAC(1), 400.0f / 10 * 15 / 1000);
  EXPECT_FLOAT_EQ(b.ZLOAD(4, 1), 1.8f);
  const float gain = (10 * 250 + (1.8f + 0.75f) * 3413) * 0.8f;
  EXPECT_FLOAT_EQ(e.DESGAIN(1), gain);
  EXPECT_FLOAT_EQ(e.CFMMAX(1), gain / (20 * 1.08f));
  EXPECT_FLOAT_EQ(e.CPKLOAD, gain + 200 * 10);
  EXPECT_FLOAT_EQ(e.TDESIN, 72);
  EXPECT_FLOAT_EQ(e.TZONE(1), 72);
  EXPECT_FLOAT_EQ(e.TMASS(1), 72) << "the mass starts at the zone temperature, as the zone pass reads it";
  EXPECT_FLOAT_EQ(e.DPZONE(1), 52);
  EXPECT_GT(e.WMASS(1), 0.0f);
  EXPECT_FLOAT_EQ(e.ZMARK(1), -1);
  EXPECT_FLOAT_EQ(e.ECONT(1), 0);
  EXPECT_FLOAT_EQ(b.COOLEF(1), 14000);
  EXPECT_FLOAT_EQ(e.TSUPC(1), 55);
  EXPECT_FLOAT_EQ(e.HEFF1(1), 800);
  EXPECT_FLOAT_EQ(e.TSUPH(1), 105);
  EXPECT_FLOAT_EQ(b.CST1(1), 2600);  // gas heat: class 1
  EXPECT_FLOAT_EQ(b.CSTM(1), 52.4f);
  EXPECT_EQ(f.s->enacc.ZTAG(1).view(), "-11");

  SetupFixture p("passive");
  p.s->runpar.IRUN = 4;
  for (int m = 1; m <= 12; ++m) p.s->wxmon.TDBM(m) = 70;
  p.setup();
  EXPECT_FLOAT_EQ(p.s->enacc.CFMMAX(1), 200);
  EXPECT_FLOAT_EQ(p.s->enacc.TDESIN, 76);
  EXPECT_FLOAT_EQ(p.s->enacc.TMASS(1), 76);
}

TEST(Setup, heat_pump_system_heats_with_the_heat_pump) {
  struct Row {
    int cool, heat;
    float cop;  // the zone's own COP
    float copAfter, heff1, heff2, tsuph, firstCost;
  };
  const Row rows[] = {
      {7, 1, 0.9f, 2.26f, 1000 * 0.9f, 3413 * 2.26f, 95, 2400},  // gas zone: heat pump for space
      {7, 2, 0.0f, 2.26f, 3413 * 1.0f, 3413 * 2.26f, 95, 2400},
      {7, 3, 3.0f, 3.0f, 3413 * 3.0f, 3413 * 3.0f, 95, 2400},    // its own COP stays
      {1, 3, 0.0f, 2.26f, 3413 * 2.26f, 3413 * 2.26f, 95, 2400},
      {1, 2, 0.0f, 1.0f, 3413, 3413, 100, 2400},
  };
  for (const Row& r : rows) {
    SetupFixture f("hp");
    kv::BLDG& b = f.s->bldg;
    b.ICOOL(1) = static_cast<int16_t>(r.cool);
    b.IHEAT(1) = static_cast<int16_t>(r.heat);
    b.HCOP(1) = r.cop;
    f.setup();
    SCOPED_TRACE(std::to_string(r.cool) + "/" + std::to_string(r.heat));
    EXPECT_FLOAT_EQ(b.HCOP(1), r.copAfter);
    EXPECT_FLOAT_EQ(f.s->enacc.HEFF1(1), r.heff1);
    EXPECT_FLOAT_EQ(f.s->enacc.HEFF2(1), r.heff2);
    EXPECT_FLOAT_EQ(f.s->enacc.TSUPH(1), r.tsuph);
    EXPECT_FLOAT_EQ(b.CST1(1), r.firstCost);
    EXPECT_EQ(b.IHEAT(1), r.heat);  // the zone's heating type itself is kept
  }
}

TEST(Setup, profile_numbers_become_positions) {
  SetupFixture f("prof");
  kv::BLDG& b = f.s->bldg;
  b.NOPROF(5, 2) = 7;
  b.NOPROF(5, 3) = 9;
  b.IPROF(6, 1) = 9;
  b.IPROF(8, 1) = 7;
  f.setup();
  EXPECT_EQ(b.IPROF(1, 1), 1);
  EXPECT_EQ(b.IPROF(6, 1), 3);
  EXPECT_EQ(b.IPROF(8, 1), 2);
  EXPECT_EQ(b.NERR, 0);

  SetupFixture g("prof0");
  g.s->bldg.NOPROF(3, 2) = 0;
  g.s->bldg.IPROF(3, 1) = 0;  // a number 0 never matches, even an empty slot
  g.setup();
  EXPECT_EQ(g.s->bldg.IPROF(3, 1), 1);
  EXPECT_EQ(g.s->bldg.NERR, 1);
}

TEST(Setup, the_first_call_is_the_set_up_and_later_calls_leave_it_alone) {
  SetupFixture f("energy");
  f.withFiles([](kv::EngineState& s) {
    kv::ENERGY(s, 1, 1.0f);
    EXPECT_EQ(s.enacc.IFIRST, 1);
    const float net = s.bldg.AWALL(1);
    s.hrwthr.HOUR = 1;
    s.hrwthr.DAY = 1;
    kv::ENERGY(s, 1, 1.0f);
    EXPECT_EQ(s.bldg.AWALL(1), net);
  });
  EXPECT_FLOAT_EQ(f.s->bldg.AWALL(1), 300);
}

}  // namespace
