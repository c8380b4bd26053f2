// A year through the main program, the calendar and the load model's entries: what the hourly
// rows, the month ends and the comfort report make true of the run's files.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "engine/calendar/wether.h"
#include "engine/input/kvan64main.h"
#include "engine/loads/energy.h"
#include "runfiles.h"
#include "sums_fixture.h"

using namespace kvtest;
namespace files = kalvano::files;

namespace {

struct Base : RunBase {
  Base(const std::string& name, int hourly, const char* units)
      : RunBase(name, runOptionsText(3, 0, hourly), units) {}
  std::vector<std::string> lines(std::string_view name) const { return linesOf(file(name)); }
};

void twoZones(kv::EngineState& s) {
  s.prjtxt.PNAME.set("Run Office");
  s.mainpg.STNID.set("23062");
  s.bldg.NZ = 2;
  s.bldg.IZONE(1) = 1;
  s.bldg.IZONE(2) = 2;
  s.prjtxt.ZNAME(1).set("North");
  s.prjtxt.ZNAME(2).set("South");
  s.bldg.FLRAREA = 1000;
  s.bldg.DAYSWK = 5;
  for (int k = 1; k <= 5; ++k) s.bldg.NOPROF(k, 1) = 1;
  for (int z = 1; z <= 2; ++z) {
    s.bldg.FLRZ(z) = 500;
    s.bldg.ZHGT(z) = 10;
    s.bldg.LTYPE(z) = 1;
    s.bldg.ICOOL(z) = 1;
    s.bldg.IHEAT(z) = 1;
    for (int k = 1; k <= 8; ++k) s.bldg.IPROF(k, z) = 1;
  }
}

// An hourly row begins with its key: day (I3), "-", the month name, the separator.
bool isRow(const std::string& l) {
  return l.size() > 8 && l[3] == '-' && std::isupper(static_cast<unsigned char>(l[4])) && l[7] == '\t';
}

int runYear(const Base& b) {
  auto s = makeState(b.temp);
  s->hooks.readProject = &twoZones;
  s->hooks.WETHER = &kv::WETHER;
  s->hooks.ENERGY = &kv::ENERGY;
  s->hooks.DAYEND = &kv::DAYEND;
  s->hooks.MONEND = &kv::MONEND;
  s->hooks.YREND = &kv::YREND;
  return kv::KVAN64(*s);
}

const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

}  // namespace

TEST(SumsRun, a_year_writes_twelve_month_rows_progress_lines_and_quarterly_zone_pages) {
  for (const char* units : {"IP", "SI"}) {
    Base b("sums_run", 0, units);
    ASSERT_EQ(runYear(b), 0) << units;
    // Progress lines in month order.
    std::vector<std::string> progress;
    for (const std::string& l : b.lines(files::kMonitorLog))
      if (l.size() == 46 && l.substr(35) == " Completed.") progress.push_back(l.substr(32, 3));
    EXPECT_EQ(progress, std::vector<std::string>(std::begin(kMonths), std::end(kMonths))) << units;
    // Month rows: the fifth line below the first "MON" line and on, one per month.
    const std::vector<std::string> report = b.lines(files::kEngineReport);
    std::size_t mon = 0;
    while (mon < report.size() && report[mon].rfind("MON", 0) != 0) ++mon;
    ASSERT_LT(mon + 17, report.size()) << units;
    for (int m = 0; m < 12; ++m) {
      const std::string& row = report[mon + 5 + static_cast<std::size_t>(m)];
      EXPECT_EQ(row.substr(0, 3), kMonths[m]) << units;
      EXPECT_EQ(row.size(), 128u) << units;
    }
    // Comfort report: zone pages in the quarters' first months, page heads after page breaks.
    const std::vector<std::string> flt = b.lines(files::kComfortReport);
    int zoneBlocks = 0, pages = 0, through = 0;
    for (std::size_t i = 0; i < flt.size(); ++i) {
      if (flt[i].rfind(" ZONE", 0) == 0) ++zoneBlocks;
      if (flt[i].rfind(" AVERAGE Indoor", 0) == 0) ++through;
      if (flt[i] == "\f") {
        ++pages;
        ASSERT_LT(i + 1, flt.size());
        EXPECT_EQ(flt[i + 1].substr(0, 8), "*** PROJ");
      }
    }
    EXPECT_EQ(zoneBlocks, 8) << units;
    EXPECT_EQ(pages, 3) << units;
    EXPECT_EQ(through, 12) << units;
    // Hourly output off: the load model writes nothing to either spreadsheet.
    EXPECT_TRUE(b.lines(files::kHourlyTemps).empty()) << units;
    EXPECT_TRUE(b.lines(files::kHourlyEnergy).empty()) << units;
  }
}

TEST(SumsRun, hourly_output_gives_one_row_per_simulated_hour_with_a_fixed_field_count) {
  Base b("sums_run_hourly", 1, "IP");
  ASSERT_EQ(runYear(b), 0);
  const std::vector<std::string> temps = b.lines(files::kHourlyTemps);
  const std::vector<std::string> energy = b.lines(files::kHourlyEnergy);
  std::size_t rows = 0;
  for (const std::string& l : temps) {
    if (!isRow(l)) continue;  // the main program's and the set-up's heads
    ++rows;
    EXPECT_EQ(splitOn(l, '\t').size(), 5u + 3u * 2u);
  }
  std::size_t energyRows = 0;
  for (const std::string& l : energy) {
    if (!isRow(l)) continue;
    ++energyRows;
    EXPECT_EQ(splitOn(l, '\t').size(), 27u);
  }
  EXPECT_GT(rows, 24u * 7u * 12u);
  EXPECT_EQ(rows, energyRows);
}
