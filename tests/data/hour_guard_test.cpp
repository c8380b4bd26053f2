// The guard after each simulated hour: a quantity that is not a finite number stops the run
// with status 6, naming where it appeared, before it reaches any report. No input reaches
// it, so the test puts the NaN in through the engine's test seam.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "engine_run.h"
#include "project_builder.h"

using namespace kalvano::datatest;

namespace {

struct Injection {
  const char* what;
  void (*inject)(kv::EngineState&);
  const char* message;
};

// Day 3 of January, 2 P.M., only.
bool atTheHour(const kv::EngineState& s) { return s.enacc.IDAY == 3 && s.enacc.IHR == 14; }

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(HourGuard, a_quantity_that_is_not_finite_stops_the_run_with_status_6) {
  namespace fs = std::filesystem;
  const Injection cases[] = {
      {"zone temperature",
       [](kv::EngineState& s) {
         if (atTheHour(s)) s.enacc.TZONE(2) = kNaN;
       },
       "the hourly air temperature of zone %ZONE2% is not a number on month 1, day 3, hour 14"},
      {"cooling load",
       [](kv::EngineState& s) {
         if (atTheHour(s)) s.enacc.QCLOAD = std::numeric_limits<float>::infinity();
       },
       "the hourly cooling load of the building is infinite on month 1, day 3, hour 14"},
      {"load category",
       [](kv::EngineState& s) {
         if (atTheHour(s)) s.enacc.QCAT(7) = kNaN;
       },
       "the hourly load of category 7 of the building is not a number on month 1, day 3, hour 14"},
  };
  for (const Injection& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path base = freshBase("hourguard");
    installEngineData(base);
    fs::copy_file(dataPath("sample/SampleProject.inp"), base / "SampleProject.inp");
    RunSetup setup;
    setup.runType = 3;
    setup.endDay = 31;
    writeRunFiles(base, base / "SampleProject.inp", setup);
    testing::internal::CaptureStderr();
    const EngineRun run = runEngine(base, c.inject);
    const std::string err = testing::internal::GetCapturedStderr();
    std::string message = c.message;
    const std::size_t z = message.find("%ZONE2%");
    if (z != std::string::npos) message.replace(z, 7, std::to_string(run.state->bldg.IZONE(2)));
    EXPECT_EQ(run.status, 6);
    EXPECT_EQ(run.linesWith(" STOP " + message).size(), 1u) << run.monitor;
    EXPECT_NE(err.find("kvan64: " + message), std::string::npos) << err;
    EXPECT_EQ(run.monitor.find("Program ended successfully"), std::string::npos);
    EXPECT_EQ(run.report.find("nan"), std::string::npos);
    fs::remove_all(base);
  }
}

}  // namespace
