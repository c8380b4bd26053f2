// The hourly loop allocates nothing: a whole run of the installed sample makes the same heap
// allocations whether it simulates one month or a year, with or without the hourly files.
// This binary counts every operator new of the process (alloc_counter.cpp).
#include <gtest/gtest.h>

#include <string>

#include "../core/testutil.h"
#include "engine/calendar/wether.h"
#include "engine/input/kvan64main.h"
#include "engine/input/readproject.h"
#include "engine/loads/energy.h"
#include "runfiles.h"

// Operator new calls of the process so far (alloc_counter.cpp).
long AllocationCount();

namespace {

using namespace kvtest;
namespace files = kalvano::files;

// Runs the installed sample office through the main program in-process; returns the
// allocations the run made.
long allocationsOfRun(int lastDay, int hourly) {
  const fs::path root = freshDir("alloc");
  const fs::path installed(KALVANO_BASE_DIR);
  fs::create_directories(root / "btype");
  fs::create_directories(root / "temp");
  for (auto name : {"tcool.dat", "theat.dat"}) fs::copy_file(installed / "btype" / name, root / "btype" / name);
  fs::copy_file(installed / "temp" / std::string(files::kLightShelf), root / "temp" / std::string(files::kLightShelf));
  fs::copy_file(installed / "sample" / "SampleProject.inp", root / "temp" / std::string(files::kRunInput));
  spit(root / "temp" / std::string(files::kSeparator), "\t");
  spit(root / "temp" / std::string(files::kRunOptions),
       "Run type  : 3\r\nWthr type : 0\r\n1st day   : 5\r\nRun begin : 1\r\nRun end   : " +
           std::to_string(lastDay) + "\r\nHourly out: " + std::to_string(hourly) +
           "\r\nSkip month: \r\nComfort   : 68        78\r\n");
  auto s = makeState(root / "temp");
  s->hooks.readProject = &kv::RDPROJ;
  s->hooks.WETHER = &kv::WETHER;
  s->hooks.ENERGY = &kv::ENERGY;
  s->hooks.DAYEND = &kv::DAYEND;
  s->hooks.MONEND = &kv::MONEND;
  s->hooks.YREND = &kv::YREND;
  const long before = AllocationCount();
  EXPECT_EQ(kv::KVAN64(*s), 0) << slurp(root / "temp" / std::string(files::kMonitorLog));
  const long made = AllocationCount() - before;
  const std::string log = slurp(root / "temp" / std::string(files::kMonitorLog));
  EXPECT_NE(log.find(lastDay > 334 ? "DEC Completed." : "JAN Completed."), std::string::npos) << log;
  EXPECT_EQ(log.find("RUN ABORTED"), std::string::npos) << log;
  s.reset();
  fs::remove_all(root);
  return made;
}

TEST(HourlyLoop, allocates_nothing_per_simulated_hour_day_or_month) {
  for (int hourly : {0, 1}) {
    const long month = allocationsOfRun(31, hourly);
    const long quarter = allocationsOfRun(90, hourly);
    const long year = allocationsOfRun(365, hourly);
    EXPECT_GT(month, 0) << "the counter sees the set-up's allocations";
    EXPECT_EQ(quarter, month) << "hourly output " << hourly;
    EXPECT_EQ(year, month) << "hourly output " << hourly;
  }
}

}  // namespace
