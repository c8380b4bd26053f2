#include <gtest/gtest.h>


#include <cstdlib>
#include <string>

#include "../core/testutil.h"
#include "engine/core/report.h"
#include "engine/input/kvan64main.h"
#include "runfiles.h"

namespace {

using namespace kvtest;
namespace files = kalvano::files;


using Base = RunBase;

// Calls seen by the fake hooks of one test.
struct Seen {
  int energy = 0, wether = 0, errors = 0, setupErrors = 0, daylight = 0;
  bool fault = false, loggedFault = false, stop = false;
};
Seen seen;

void fakeProject(kv::EngineState& s) {
  s.prjtxt.PNAME.set("Test Office");
  s.prjtxt.PSCHM.set("S-1");
  s.prjtxt.PTYPE.set("Office");
  s.prjtxt.PLOC.set("DENVER, CO");
  s.runpar.IYEAR = 1997;
  s.mainpg.STNID.set("23062");
  s.bldg.NZ = 1;
  s.bldg.IZONE(1) = 11;
  s.prjtxt.ZNAME(1).set("Lobby");
  s.mainpg.IDAYLT = seen.daylight;
  for (int i = 0; i < seen.errors; ++i) kv::LogInputError(s, "TEST ERROR.");
  if (seen.fault) throw kv::InputFault("THE PROJECT FILE ENDS EARLY.");
  if (seen.loggedFault) {
    kv::LogInputError(s, "OWN MESSAGE.");
    throw kv::InputFault("project file ended", true);
  }
}
void fakeEnergy(kv::EngineState& s, int32_t month, float weight) {
  EXPECT_EQ(month, 1);
  EXPECT_EQ(weight, 1.0f);
  ++seen.energy;
  s.bldg.NERR += seen.setupErrors;
}
void fakeWether(kv::EngineState&, kv::Chars<8>& stnid, const kv::Chars<2>& units) {
  EXPECT_EQ(stnid.view(), "23062   ");
  EXPECT_EQ(units.view(), "IP");
  ++seen.wether;
  if (seen.stop) throw kv::EngineStop(2, "2500 UNREADABLE WEATHER RECORD");
}

int run(const Base& b) {
  auto s = makeState(b.temp);
  s->hooks.readProject = &fakeProject;
  s->hooks.ENERGY = &fakeEnergy;
  s->hooks.WETHER = &fakeWether;
  return kv::KVAN64(*s);
}

TEST(Kvan64, clean_run_writes_banner_heads_and_hands_over_to_the_calendar) {
  seen = {};
  Base b("clean", runOptionsText(3));
  EXPECT_EQ(run(b), 0);
  EXPECT_EQ(seen.energy, 1);
  EXPECT_EQ(seen.wether, 1);
  expectGolden(b.file(files::kEngineReport), "clean_sim.out");
  expectGolden(b.file(files::kMonitorLog), "clean_monitor.txt");
  // Hourly output off: the spreadsheets exist without heads; generated weather opens no file.
  EXPECT_TRUE(fs::exists(b.temp / std::string(files::kHourlyWeather)));
  EXPECT_EQ(b.file(files::kHourlyTemps), "");
  EXPECT_FALSE(fs::exists(b.temp / std::string(files::kRecordedWeather)));
}

TEST(Kvan64, error_check_run_stops_after_the_set_up) {
  seen = {};
  Base b("check", runOptionsText(1));
  EXPECT_EQ(run(b), 0);
  EXPECT_EQ(seen.energy, 1);
  EXPECT_EQ(seen.wether, 0);
  const std::string rep = b.file(files::kEngineReport);
  EXPECT_NE(rep.find("** END OF INPUT DATA INTEGRITY PREPROCESSING **"), std::string::npos);
  EXPECT_EQ(rep.find("III."), std::string::npos);
}

TEST(Kvan64, input_errors_end_the_run_with_status_1_and_say_so_in_the_report) {
  seen = {};
  seen.errors = 2;
  Base b("errors", runOptionsText(3, 0, 1));
  EXPECT_EQ(run(b), 1);
  EXPECT_EQ(seen.energy, 0);
  expectGolden(b.file(files::kEngineReport), "errors_sim.out");
  const std::string mon = b.file(files::kMonitorLog);
  const std::string tail = "           2 ERRORS EXIST IN INPUT DATA.\r\n\r\n    **** Processing Input For Daylighting Data Base    \r\n";
  ASSERT_GE(mon.size(), tail.size());
  EXPECT_EQ(mon.substr(mon.size() - tail.size()), tail);
  EXPECT_EQ(b.file(files::kHourlyWeather), "");  // no heads after input errors
}

TEST(Kvan64, set_up_errors_and_faults_give_status_1) {
  seen = {};
  seen.setupErrors = 1;
  {
    Base b("setup", runOptionsText(3));
    EXPECT_EQ(run(b), 1);
    EXPECT_EQ(seen.wether, 0);
    const std::string rep = b.file(files::kEngineReport);
    EXPECT_NE(rep.find("  ***END OF INPUT PROCESSING FOR " + std::string(62, ' ') + "S-1     \r\n"), std::string::npos);
    EXPECT_NE(rep.find("      1 ERRORS EXIST IN INPUT DATA."), std::string::npos);
  }
  seen = {};
  seen.fault = true;
  {
    Base b("fault", runOptionsText(3));
    EXPECT_EQ(run(b), 1);
    EXPECT_NE(b.file(files::kMonitorLog).find("   ** ERROR ** THE PROJECT FILE ENDS EARLY.\r\n"), std::string::npos);
  }
  seen = {};
  seen.loggedFault = true;
  {
    Base b("logged", runOptionsText(3));
    EXPECT_EQ(run(b), 1);
    const std::string mon = b.file(files::kMonitorLog);
    EXPECT_EQ(mon.find("project file ended"), std::string::npos);  // written once, by the thrower
    EXPECT_NE(mon.find("   ** ERROR ** OWN MESSAGE.\r\n"), std::string::npos);
    EXPECT_NE(mon.find("      1 ERRORS EXIST IN INPUT DATA."), std::string::npos);
  }
}

TEST(Kvan64, recorded_weather_file_is_needed_only_for_recorded_formats) {
  seen = {};
  {
    Base b("tmy", runOptionsText(3, 1));
    EXPECT_EQ(run(b), 1);
    EXPECT_NE(b.file(files::kMonitorLog).find("** ERROR ** RECORDED WEATHER FILE tavik$.tmy IS MISSING."), std::string::npos);
    EXPECT_FALSE(fs::exists(b.temp / std::string(files::kRecordedWeather)));
  }
  {
    Base b("tmyok", runOptionsText(3, 1));
    spit(b.temp / std::string(files::kRecordedWeather), "record\r\n");
    EXPECT_EQ(run(b), 0);
  }
}

TEST(Kvan64, hourly_output_gets_spreadsheet_heads_and_stops_give_their_status) {
  seen = {};
  seen.stop = true;
  Base b("hourly", runOptionsText(3, 0, 1));
  EXPECT_EQ(run(b), 2);
  EXPECT_EQ(b.file(files::kHourlyWeather).substr(0, 24), "*** PROJECT: Test Office");
  EXPECT_NE(b.file(files::kHourlyTemps).find("HOURLY OUTDOOR/INDOOR TEMPERATURES AND RH: (IP Units)"), std::string::npos);
  EXPECT_NE(b.file(files::kMonitorLog).find(" STOP 2500 UNREADABLE WEATHER RECORD\r\n"), std::string::npos);
}

TEST(Kvan64, daylighting_reads_the_light_shelves_and_advances_the_page_count) {
  seen = {};
  seen.daylight = 1;
  Base b("dayl", runOptionsText(3));
  EXPECT_EQ(run(b), 1);  // ltshlf.dat is missing: an input error, not a crash
  EXPECT_NE(b.file(files::kMonitorLog).find("** ERROR ** LIGHT-SHELF TABLE ltshlf.dat IS MISSING."), std::string::npos);
  std::string table;
  for (int blk = 0; blk < 3; ++blk) {
    table += "h\r\nh\r\nh\r\n";
    for (int r = 0; r < 19; ++r) table += "ROW          1       2       3       4       5       6       7\r\n";
  }
  Base c("dayl2", runOptionsText(3));
  spit(c.temp / std::string(files::kLightShelf), table);
  EXPECT_EQ(run(c), 0);
  EXPECT_NE(c.file(files::kEngineReport).find(".... PAGE  4 ...."), std::string::npos);  // 1 + 2 + 1
  EXPECT_NE(c.file(files::kMonitorLog).find("Input Completed for Daylighting Data Base"), std::string::npos);
}

// Run options whose period holds no day that the calendar simulates: an input error (status
// 1, the reason in the monitor log), never a run that ends with an empty year.
TEST(Kvan64, a_period_without_a_simulated_day_is_an_input_error) {
  struct Case {
    int begin, end, weeks, hourly;
    const char* error;  // the monitor's line, nullptr when the period runs
  };
  const Case cases[] = {
      {274, 15, 4, 0, "THE RUN PERIOD, DAY 274 TO DAY 15 OF THE YEAR, HOLDS NO SIMULATED DAY: IT ENDS BEFORE IT BEGINS."},
      {182, 181, 2, 0, "THE RUN PERIOD, DAY 182 TO DAY 181 OF THE YEAR, HOLDS NO SIMULATED DAY: IT ENDS BEFORE IT BEGINS."},
      // 1 July ends the run within one weight of 29 June, the last day computed in June.
      {182, 182, 2, 0, "THE RUN PERIOD, DAY 182 TO DAY 182 OF THE YEAR, HOLDS NO SIMULATED DAY WITH 2 WEEKS PER MONTH."},
      {33, 33, 1, 0, "THE RUN PERIOD, DAY 33 TO DAY 33 OF THE YEAR, HOLDS NO SIMULATED DAY WITH 1 WEEK PER MONTH."},
      // Days outside the year are taken as the whole year; hourly output simulates every day.
      {0, 400, 1, 0, nullptr},
      {182, 182, 1, 1, nullptr},
      {182, 182, 4, 0, nullptr},
      {33, 33, 2, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.begin) + " to " + std::to_string(c.end) + ", " + std::to_string(c.weeks) +
                 " weeks, hourly " + std::to_string(c.hourly));
    seen = {};
    Base b("period", "Run type  : 3\r\nWthr type : 0\r\n1st day   : 0\r\nRun begin : " + std::to_string(c.begin) +
                         "\r\nRun end   : " + std::to_string(c.end) + "\r\nHourly out: " +
                         std::to_string(c.hourly) + "\r\nSkip month: \r\nComfort   : 68        78\r\n");
    spit(b.temp / std::string(files::kRunInput), "KAL-VANO   .83774665 " + std::to_string(c.weeks) + "  IP\r\n");
    const int status = run(b);
    const std::string mon = b.file(files::kMonitorLog);
    if (c.error == nullptr) {
      EXPECT_EQ(status, 0) << mon;
      EXPECT_EQ(seen.wether, 1);
      EXPECT_EQ(mon.find("** ERROR **"), std::string::npos) << mon;
      continue;
    }
    EXPECT_EQ(status, 1);
    EXPECT_EQ(seen.wether, 0);
    EXPECT_NE(mon.find("   ** ERROR ** " + std::string(c.error) + "\r\n"), std::string::npos) << mon;
    EXPECT_NE(b.file(files::kEngineReport).find("      1 ERRORS EXIST IN INPUT DATA."), std::string::npos);
  }
}

// The built program, run in the base's temp folder like the front-end runs it: its exit
// status, or -1 when it did not exit by itself (a crash).
int runProgram(const Base& b) { return runProgramIn(b.temp).status; }

// An error check of a whole project: the program reads every section and ends without errors.
TEST(Kvan64Program, checks_a_whole_project_without_errors) {
  Base b("program-check", runOptionsText(1));
  spit(b.temp / std::string(files::kRunInput), officeProject());
  spit(b.temp / std::string(files::kLightShelf), lightShelfTable());
  EXPECT_EQ(runProgram(b), 0) << b.file(files::kMonitorLog);
  const std::string mon = b.file(files::kMonitorLog);
  EXPECT_NE(mon.find("Completed zone input for   3 zones. \r\n"), std::string::npos) << mon;
  EXPECT_EQ(mon.find("** ERROR **"), std::string::npos) << mon;
  EXPECT_NE(b.file(files::kEngineReport).find("** END OF INPUT DATA INTEGRITY PREPROCESSING **"),
            std::string::npos);
}

// Malformed project files end the program with status 1 and the error in the log, never a
// crash or a hang.
TEST(Kvan64Program, malformed_project_files_end_with_status_1) {
  const std::string office = officeProject();
  const std::size_t matrix = office.find("BUILDING MATRIX");
  std::string longLines;
  for (std::size_t i = 0, j; i < office.size(); i = j + 1) {
    j = office.find('\n', i);
    if (j == std::string::npos) break;
    std::string line = office.substr(i, j - i);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line.resize(300, '7');
    longLines += line + "\r\n";
  }
  const struct {
    const char* name;
    std::string text;
    int errors;  // the count the report gives; 0 = many
  } cases[] = {
      {"empty", "", 1},
      {"header only", "KAL-VANO  .83774665  4  IP\r\n", 1},
      {"cut in the weather block", office.substr(0, office.find("DB Max")), 1},
      {"cut in the wall types", office.substr(0, office.find("Time Lag")), 1},
      {"cut in the profiles", office.substr(0, office.find("Temp")), 1},
      {"cut in a zone", office.substr(0, office.find("Heat COP")), 1},
      {"cut before the matrix", office.substr(0, matrix), 1},
      {"garbage", "KAL-VANO  .83774665  4  IP\r\n\x01\xff garbage\r\n9999\r\nBUIL\r\n", 1},
      {"letters in numbers",
       office.substr(0, office.find("FloorArea")) + "FloorArea  3x00\r\n" + office.substr(office.find("Con. Cost")),
       1},
      {"lines of 300 characters", longLines, 0},
  };
  for (const auto& c : cases) {
    Base b("program-bad", runOptionsText(1));
    spit(b.temp / std::string(files::kRunInput), c.text);
    spit(b.temp / std::string(files::kLightShelf), lightShelfTable());
    EXPECT_EQ(runProgram(b), 1) << c.name;
    const std::string mon = b.file(files::kMonitorLog);
    EXPECT_NE(mon.find("** ERROR **"), std::string::npos) << c.name << "\n" << mon;
    const std::string rep = b.file(files::kEngineReport);
    EXPECT_NE(rep.find(" ERRORS EXIST IN INPUT DATA."), std::string::npos) << c.name;
    if (c.errors > 0) {
      EXPECT_NE(rep.find("      " + std::to_string(c.errors) + " ERRORS EXIST IN INPUT DATA."), std::string::npos)
          << c.name << "\n" << mon;
    }
  }
}

// The built program, run in a fixture folder like the front-end runs it.
TEST(Kvan64Program, runs_in_its_folder_and_writes_every_output_file) {
  Base b("program", runOptionsText(3));
  fs::remove(b.root / "btype" / "tcool.dat");
  spit(b.temp / std::string(files::kRunInput), officeProject());
  EXPECT_EQ(runProgram(b), 1);  // the project's daylighting needs the missing light-shelf table
  for (auto name : {files::kEngineReport, files::kMonitorLog, files::kWeatherListing, files::kComfortReport,
                    files::kWeatherSummary, files::kHourlyEnergy, files::kDebugTrace, files::kHourlyWeather,
                    files::kHourlyTemps}) {
    EXPECT_TRUE(fs::exists(b.temp / std::string(name))) << name;
  }
  EXPECT_FALSE(fs::exists(b.root / "btype" / "tcool.dat"));  // a missing input is never created
  EXPECT_FALSE(fs::exists(b.temp / std::string(files::kRecordedWeather)));
  const std::string mon = b.file(files::kMonitorLog);
  EXPECT_NE(mon.find("btype/tcool.dat is missing.             \r\n"), std::string::npos);
  EXPECT_NE(mon.find("btype/theat.dat read successfully.      \r\n"), std::string::npos);
  EXPECT_EQ(b.file(files::kEngineReport).substr(0, 82), std::string(80, '*') + "\r\n");
}

// The installed sample as the run input, with the installed data bases and light-shelf table.
void InstallSample(const Base& b) {
  const fs::path installed(KALVANO_BASE_DIR);
  for (auto name : {"tcool.dat", "theat.dat"})
    fs::copy_file(installed / "btype" / name, b.root / "btype" / name, fs::copy_options::overwrite_existing);
  fs::copy_file(installed / "temp" / std::string(files::kLightShelf), b.temp / std::string(files::kLightShelf));
  fs::copy_file(installed / "sample" / "SampleProject.inp", b.temp / std::string(files::kRunInput),
                fs::copy_options::overwrite_existing);
}

// A whole year of the installed sample with the installed data bases, as the main script runs it.
TEST(Kvan64Program, simulates_the_installed_sample_for_a_year) {
  Base b("program-sample", runOptionsText(3, 0, 1));
  InstallSample(b);
  EXPECT_EQ(runProgram(b), 0) << b.file(files::kMonitorLog);
  const std::string mon = b.file(files::kMonitorLog);
  EXPECT_NE(mon.find("zone   2 read successfully."), std::string::npos);
  EXPECT_NE(mon.find("  *** PREPROCESSING ZONE 12  Office East"), std::string::npos);
  EXPECT_NE(mon.find("DEC Completed."), std::string::npos) << mon;
  EXPECT_EQ(mon.find("RUN ABORTED"), std::string::npos) << mon;
}

// The program on run options written by hand whose period ends before it begins: status 1
// and the reason in its log, no monthly table.
TEST(Kvan64Program, a_period_without_a_simulated_day_ends_with_status_1) {
  Base b("program-period", "Run type  : 3\r\nWthr type : 0\r\n1st day   : 0\r\nRun begin : 274\r\n"
                           "Run end   : 15\r\nHourly out: 0\r\nSkip month: \r\nComfort   : 68        78\r\n");
  InstallSample(b);
  EXPECT_EQ(runProgram(b), 1);
  const std::string mon = b.file(files::kMonitorLog);
  EXPECT_NE(mon.find("   ** ERROR ** THE RUN PERIOD, DAY 274 TO DAY 15 OF THE YEAR, HOLDS NO SIMULATED DAY: IT "
                     "ENDS BEFORE IT BEGINS.\r\n"),
            std::string::npos)
      << mon;
  EXPECT_EQ(b.file(files::kEngineReport).find("III."), std::string::npos);
}

}  // namespace
