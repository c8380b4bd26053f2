// Error-check runs (run type 1) of a whole project through the main program, the project
// reader and the set-up: a clean project passes the set-up's checks, and a project with one
// defect that only the set-up finds stops at the error gate with status 1.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/calendar/wether.h"
#include "engine/input/kvan64main.h"
#include "engine/input/readproject.h"
#include "engine/loads/energy.h"
#include "runfiles.h"

namespace {

using namespace kvtest;
namespace files = kalvano::files;

const fs::path kSource = fs::path(KALVANO_TEST_DIR) / ".." / ".." / "..";

std::vector<std::string> projectLines() {
  std::vector<std::string> out;
  std::string text = slurp(kSource / "tests" / "engine" / "input" / "fixtures" / "office.inp"), cur;
  for (char c : text) {
    if (c == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  return out;
}

// Replaces the value (from column 11) of the n-th line that starts with label.
void setValue(std::vector<std::string>& lines, const std::string& label, const std::string& value, int n = 1) {
  for (auto& l : lines) {
    if (l.compare(0, label.size(), label) == 0 && --n == 0) {
      l = l.substr(0, 10) + value;
      return;
    }
  }
  FAIL() << "no line " << label;
}

struct CheckRun {
  fs::path root, temp;
  int status = -1;
  std::string report, monitor, energy, temps, trace;

  CheckRun(const std::string& name, const std::vector<std::string>& project, int runType = 1, int hourly = 0,
           const char* detail = nullptr) {
    root = freshDir("setuprun_" + name);
    temp = root / "temp";
    fs::create_directories(temp);
    fs::create_directories(root / "btype");
    for (const char* db : {"tcool.dat", "theat.dat"})
      fs::copy_file(kSource / "data" / "btype" / db, root / "btype" / db);
    fs::copy_file(kSource / "data" / "temp" / "ltshlf.dat", temp / std::string(files::kLightShelf));
    spit(temp / std::string(files::kSeparator), "\t");
    spit(temp / std::string(files::kRunOptions),
         "Run type  : " + std::to_string(runType) +
             "\r\nWthr type : 0\r\n1st day   : 0\r\nRun begin : 1\r\nRun end   : 365\r\n"
             "Hourly out: " + std::to_string(hourly) + "\r\nSkip month: \r\nComfort   : 68        78\r\n");
    if (detail) spit(temp / std::string(files::kDetailLevel), detail);
    std::string inp;
    for (const auto& l : project) inp += l + "\r\n";
    spit(temp / std::string(files::kRunInput), inp);
    auto s = makeState(temp);
    s->hooks.readProject = &kv::RDPROJ;
    s->hooks.ENERGY = &kv::ENERGY;
    s->hooks.DAYEND = &kv::DAYEND;
    s->hooks.MONEND = &kv::MONEND;
    s->hooks.YREND = &kv::YREND;
    s->hooks.WETHER = &kv::WETHER;
    status = kv::KVAN64(*s);
    report = slurp(temp / std::string(files::kEngineReport));
    monitor = slurp(temp / std::string(files::kMonitorLog));
    energy = slurp(temp / std::string(files::kHourlyEnergy));
    temps = slurp(temp / std::string(files::kHourlyTemps));
    trace = slurp(temp / std::string(files::kDebugTrace));
  }
  ~CheckRun() { fs::remove_all(root); }
};

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

const std::string kPreprocessed =
    "\r\n" + std::string(39, ' ') + "** END OF INPUT DATA INTEGRITY PREPROCESSING **\r\n\r\n\r\n";

TEST(SetupRun, a_clean_project_passes_the_error_check) {
  CheckRun r("clean", projectLines());
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(endsWith(r.report, kPreprocessed)) << r.report;
  EXPECT_TRUE(endsWith(r.monitor, kPreprocessed)) << r.monitor;
  EXPECT_EQ(r.monitor.find("** ERROR"), std::string::npos) << r.monitor;
  // The set-up's own lines: one per zone, and the zone areas (4500 ft2) exceed the building's.
  EXPECT_NE(r.monitor.find("Calling Energy Set Up.        \r\n Zone  1 Supply temp =   55.0 CFM-max = "),
            std::string::npos);
  EXPECT_NE(r.monitor.find("\r\n\r\n    ** WARNING **  THE TOTAL ZONE AREAS OF     4500. EXCEED THE BUILDING AREA OF"
                           "     3000.\r\n                   BUILDING FLOOR AREA WILL BE RESET TO TOTAL ZONE AREA.\r\n"
                           "  *** PREPROCESSING ZONE 11  Office North"),
            std::string::npos)
      << r.monitor;
  EXPECT_EQ(r.report.find("III."), std::string::npos);
}

TEST(SetupRun, one_defect_found_by_the_set_up_stops_the_run_at_the_gate) {
  struct Row {
    const char* name;
    std::function<void(std::vector<std::string>&)> defect;
    std::string message;  // in the monitor log, or in the report when inReport
    bool inReport;
  };
  const Row rows[] = {
      {"unknown wall type", [](auto& l) { setValue(l, "Wall ID.", " 5 "); },
       "\r\n\r\n    ** ERROR **   IN    2 ASSEMBLIES WALL I.D.    5 CANNOT BE FOUND.\r\n", true},
      {"unknown window type", [](auto& l) { setValue(l, "Window ID", " 4 "); },
       "\r\n\r\n    ** ERROR **   IN    2 WINDOW TYPES GLASS I.D.    4 CANNOT BE FOUND.\r\n", false},
      {"unknown profile", [](auto& l) { setValue(l, "Occ. Prof", " 3 "); },
       "\r\n\r\n    ** ERROR **  PROFILE NO.  3 IN ZONE  11 IS NOT AMONG THE LIST OF PROFILE NUMBERS, WHICH ARE:\r\n",
       false},
      {"cooling type 12", [](auto& l) { setValue(l, "Cool.Type", " 12 ", 2); },
       "\r\n   ** ERROR ** COOLING TYPE    12 OF ZONE    12 IS NOT 1 TO 9.\r\n", false},
      {"zone missing from the sketch", [](auto& l) { setValue(l, "Zone No.", " 31 ", 3); },
       "\r\n   ** ERROR ** ZONE    31 HAS NO HEIGHT: THE BUILDING SKETCH DOES NOT NAME IT.\r\n", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto lines = projectLines();
    row.defect(lines);
    CheckRun r("defect", lines);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE((row.inReport ? r.report : r.monitor).find(row.message), std::string::npos) << r.monitor;
    // The report ends with the end-of-input lines naming the scheme and the one error.
    EXPECT_TRUE(endsWith(r.report, "\r\n  ***END OF INPUT PROCESSING FOR " + std::string(62, ' ') +
                                       "A-1     \r\n" + std::string(5, ' ') +
                                       "      1 ERRORS EXIST IN INPUT DATA.\r\n\r\n"))
        << r.report;
    EXPECT_EQ(r.report.find("PREPROCESSING **"), std::string::npos);
    // The monitor log ends with the zones' preprocessing lines, and no end-of-preprocessing.
    EXPECT_TRUE(endsWith(r.monitor, "  *** PREPROCESSING ZONE 21  Upper Lab           \r\n") ||
                endsWith(r.monitor, "  *** PREPROCESSING ZONE 31  Upper Lab           \r\n"))
        << r.monitor;
  }
}

// A whole year through the calendar: the set-up's heads stand in both spreadsheets and every
// hour is prepared without a fault.
TEST(SetupRun, a_simulation_run_prepares_every_hour_under_the_set_up_heads) {
  CheckRun r("year", projectLines(), 3, 1);
  EXPECT_EQ(r.status, 0) << r.monitor;
  EXPECT_EQ(r.monitor.find("RUN ABORTED"), std::string::npos);
  EXPECT_EQ(r.energy.substr(0, 24), "*** PROJECT: Test Office");
  EXPECT_NE(r.energy.find("\r\n    HOURLY WEATHER AND ENERGY VALUES: (IP Units)\t\t\t\t\tSun Angles"), std::string::npos);
  // Orientations turned by the building's 45 degrees: 330, 30 (a sloped roof), 150 and 270.
  EXPECT_NE(r.energy.find("\t 15-deg\t 15-deg\t 75-deg\t 75-deg\t195-deg\t195-deg\t315-deg\t315-deg\t"),
            std::string::npos)
      << r.energy;
  // The main program's three lines, then the set-up's two.
  const std::string heads = "\r\n    HOURLY OUTDOOR/INDOOR TEMPERATURES AND RH: (IP Units)\r\n"
                            "\t\tOutdr\tOutdr\tOutdr\tOffice\tOffice\tOffice\tOffice\tOffice\tOffice\tUpper \tUpper \tUpper \r\n"
                            "  Date\t HR\tO-DB\tO-DP\tO-RH\tDB-11\tDP-11\tRH-11\tDB-12\tDP-12\tRH-12\tDB-21\tDP-21\tRH-21\r\n";
  EXPECT_NE(r.temps.find(heads), std::string::npos) << r.temps;
}

// With detail level 6 every simulated hour leaves its weather trace line, hourly output or not.
TEST(SetupRun, every_simulated_hour_is_prepared_once) {
  CheckRun r("trace", projectLines(), 3, 0, "6");
  EXPECT_EQ(r.status, 0);
  int lines = 0;
  for (std::size_t p = r.trace.find(" Date="); p != std::string::npos; p = r.trace.find(" Date=", p + 1)) ++lines;
  EXPECT_EQ(lines, 365 * 24);
  EXPECT_EQ(r.trace.substr(0, 18), " Date=  1  1  1 DN");
  // Without hourly output the energy file holds only the zone pass's trace line of each
  // zone and hour.
  int zoneLines = 0, other = 0;
  for (std::size_t i = 0, j; i < r.energy.size(); i = j + 2) {
    j = r.energy.find("\r\n", i);
    if (j == std::string::npos) break;
    (r.energy.compare(i, 4, " ZN=") == 0 ? zoneLines : other) += 1;
  }
  EXPECT_EQ(zoneLines, 3 * 365 * 24);
  EXPECT_EQ(other, 0);
}

}  // namespace
