#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "calendar_fixture.h"

using namespace kvtest;

namespace {

// Three January days in Phoenix with hourly output: every weather report of a short run.
void goldenRun(const char* units, const std::string& tag) {
  Options o;
  o.day2 = 3;
  o.hourly = 1;
  o.units = units;
  CalendarRun r(kHot, o);
  r.run();
  for (const char* name : {"tavik$.wth", "sim$.out", "eweth$.sum", "eweth$.hry", "monitor.txt"}) {
    std::string file = name;
    if (file.find('$') != std::string::npos) file.replace(file.find('$'), 1, "_");
    expectGolden(r.file(name), tag + "_" + file);
  }
}

}  // namespace

TEST(WeatherReports, match_the_golden_files_in_inch_pound_units) { goldenRun("IP", "ip"); }

TEST(WeatherReports, match_the_golden_files_in_si_units) { goldenRun("SI", "si"); }
