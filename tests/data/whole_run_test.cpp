// Whole-year runs of the installed samples: every value the load model keeps stays finite
// after every hour, in every run type that simulates; a passive run has no loads and no
// heating or cooling energy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "whole_run.h"

using namespace kalvano::datatest;

namespace {

struct Case {
  const char* file;
  int runType;
  bool allYear = false;  // surfaces all year instead of the samples' warm months only
};

}  // namespace

TEST(WholeRun, every_hour_of_a_generated_year_leaves_the_load_model_finite) {
  const Case cases[] = {{"SampleProject.inp", 2}, {"SampleProject.inp", 3}, {"SampleProject.inp", 4},
                        {"SampleSchool.inp", 2},  {"SampleSchool.inp", 3},  {"SampleSchool.inp", 4},
                        {"SampleProject.inp", 3, true}, {"SampleProject.inp", 4, true},
                        {"SampleSchool.inp", 3, true},  {"SampleSchool.inp", 4, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " run type " + std::to_string(c.runType) + (c.allYear ? " B" : ""));
    auto r = runSampleYear(c.file, c.runType, 0, c.allYear ? surfacesAllYear : nullptr);
    ASSERT_EQ(r->run.status, 0) << r->run.monitor;
    EXPECT_EQ(r->watch.hours.size(), 8760u);
    EXPECT_EQ(r->watch.months.size(), 12u);
    EXPECT_EQ(r->watch.firstBad, "");
    const kv::ENACC& e = r->run.state->enacc;
    std::printf("%s%s run %d: heating %.2f MBtu, heating load %.2f MBtu, cooling %.0f kWh, "
                "cooling load %.2f MBtu, fans %.0f kWh, gas %.2f MBtu, elec %.0f kWh\n",
                c.file, c.allYear ? " (B)" : "", c.runType, e.SHEATY, e.HLOADY, e.ECLGY, e.CLOADY, e.FANKWHY, e.GASY, e.ELECY);
  }
}

TEST(WholeRun, a_passive_year_has_no_loads_and_no_heating_or_cooling_energy) {
  for (const char* file : {"SampleProject.inp", "SampleSchool.inp"}) {
    SCOPED_TRACE(file);
    int loaded = 0;
    float lo = 1e9f, hi = -1e9f;
    auto r = runSampleYear(file, 4, 0, surfacesAllYear, [&](const kv::EngineState& s, const HourRecord& h) {
      if (h.QCLOAD != 0 || h.QHLOAD != 0 || h.QHEAT != 0 || h.QHTG != 0 || h.ECLG != 0 || h.zoneLoads != 0)
        ++loaded;
      for (int z = 1; z <= s.bldg.NZ; ++z) {
        lo = std::min(lo, s.enacc.TZONE(z));
        hi = std::max(hi, s.enacc.TZONE(z));
      }
    });
    ASSERT_EQ(r->run.status, 0);
    EXPECT_EQ(loaded, 0) << "hours with a load or heating/cooling energy";
    const kv::ENACC& e = r->run.state->enacc;
    for (float v : {e.SHEATY, e.HLOADY, e.CLOADY, e.ECLGY, e.HTHRSUM, e.SHSITE, e.SHCOST, e.CLCOST, e.CMPHRSY})
      EXPECT_EQ(v, 0.0f);
    for (int k = 1; k <= kv::kLoadCategories; ++k) {
      EXPECT_EQ(e.QCLGM(k), 0.0f);
      EXPECT_EQ(e.QHTGM(k), 0.0f);
    }
    // The zones float beyond the conditioned run's set points (60 F unoccupied heating,
    // 85 F unoccupied cooling) and the comfort counters of the occupied hours run.
    EXPECT_LT(lo, 60.0f);
    EXPECT_GT(hi, 85.0f);
    EXPECT_GT(e.CUMHLO, 0.0f);
    EXPECT_GT(e.CUMHOK, 0.0f);
    EXPECT_GT(e.CUMHHI, 0.0f);
  }
}
