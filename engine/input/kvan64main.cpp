// KVAN64, the engine's main program: one run, straight through. It takes the run date,
// opens the run's files, reads the separator, the run options and the two system data
// bases, reads the project file, the light-shelf table when daylighting is used, writes the
// report and spreadsheet heads, calls the load model's set-up and hands over to the calendar.
#include "engine/input/kvan64main.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/core/fixfmt.h"
#include "engine/core/outputs.h"
#include "engine/core/report.h"
#include "engine/core/state.h"
#include "runcalendar.h"
#include "runfiles.h"
#include "runlock.h"

namespace kv {

namespace calendar = kalvano::calendar;
namespace files = kalvano::files;

namespace {

// The run folder's lock for the length of one run (the folder's and its lock file's,
// runlock.h): the one the parent handed down, or taken here. Where no run will be
// (`mayCreate` false), a lock file is taken only when it is there already, since a run may
// hold it; none is made, and the folder's lock alone keeps a run's files out of reach. A lock
// file that cannot be made (a read-only run folder) protects nothing: the run goes on, and its
// outputs' own failures name the reason. A lock file's name taken by something that is not a
// file (a folder, a named pipe, a symbolic link) is neither waited on nor followed: the run
// cannot hold its folder and does not start.
class RunFolderLock {
 public:
  RunFolderLock(const std::string& path, bool mayCreate) : lock_(kalvano::runlock::Inherited(path)) {
    if (!lock_.Held()) lock_ = kalvano::runlock::Take(path, mayCreate);
  }
  bool busy() const { return lock_.Error() == EWOULDBLOCK; }
  bool notAFile() const { return lock_.Error() == kalvano::runlock::kNotAFile; }

 private:
  kalvano::runlock::Lock lock_;
};

void takeClockTime(EngineState& s) {
  const ClockReading c = readClock(s);
  s.mainpg.IHOUR = c.hour;
  s.mainpg.IMIN = c.minute;
}

void closeInputs(EngineState& s) {
  s.files.weather.close();
  s.files.project.close();
}

// An output that cannot be created or written: the reason on standard error and, when the
// monitor log is not the file that failed, there too.
int outputFailed(EngineState& s, const OutputFault& e) {
  std::fprintf(stderr, "kvan64: %s\n", e.what());
  closeInputs(s);
  OutFile& mon = s.files.monitor;
  if (mon.isOpen() && mon.path() != e.path()) {
    try {
      mon.line(std::string(" ** OUTPUT ERROR ** ") + e.what());
      mon.close();
    } catch (const OutputFault&) {
      // The log cannot be written either: standard error has said it.
    }
  }
  AbandonOutputs(s);
  return kStatusOutputFailed;
}

// Whether nothing at all goes by the run options' name (a link that leads nowhere included):
// the engine was started outside a run folder, or before the run files were written.
bool runOptionsMissing(const EngineState& s) {
  struct stat st {};
  return ::stat(runPath(s.runDir, files::kRunOptions).c_str(), &st) != 0 && errno == ENOENT;
}

// No run options: no run. Standard error says so in one line with the usage, and the monitor
// log says so too (a front-end shows its last lines); no other output is made. Outputs of an
// earlier run go, as at the start of every run.
int withoutRunOptions(EngineState& s) {
  std::fprintf(stderr, "kvan64: the run options file %s is missing in this folder. %s\n",
               std::string(files::kRunOptions).c_str(), std::string(kUsage).c_str());
  RemoveStaleOutputs(s);
  try {
    s.files.monitor.create(runPath(s.runDir, files::kMonitorLog));
    LogMissingRunOptions(s);
    s.files.monitor.close();
  } catch (const OutputFault& e) {
    return outputFailed(s, e);
  }
  return 1;
}

// The run period, once the project has given the year: a period in which the calendar
// simulates no day is an input error, never a run that ends with an empty year.
void checkRunPeriod(EngineState& s) {
  const RUNPAR& r = s.runpar;
  const int february =
      s.hooks.februaryDays ? s.hooks.februaryDays(s) : calendar::FebruaryDays(0, r.IYEAR, false);
  if (calendar::HoldsSimulatedDay(r.IDAY1, r.IDAY2, s.wxmon.NDPM, february)) return;
  std::string text = "THE RUN PERIOD, DAY " + std::to_string(r.IDAY1) + " TO DAY " + std::to_string(r.IDAY2) +
                     " OF THE YEAR, HOLDS NO SIMULATED DAY";
  if (r.IDAY2 < r.IDAY1) {
    text += ": IT ENDS BEFORE IT BEGINS.";
  } else {
    const int32_t weeks = s.mainpg.NWEEKS;
    text += " WITH " + std::to_string(weeks) + (weeks == 1 ? " WEEK" : " WEEKS") + " PER MONTH.";
  }
  LogInputError(s, text);
}

// Project file: the first line here, the rest through the project reader.
void readProjectFile(EngineState& s) {
  MAINPG& m = s.mainpg;
  BLDG& b = s.bldg;
  b.NERR = 0;
  if (!s.files.project.open(runPath(s.runDir, files::kRunInput))) {
    FORM(s, 1, 1, b.NERR);
    LogInputError(s, "THE PROJECT FILE " + std::string(files::kRunInput) + " IS MISSING.");
  } else {
    try {
      FORM(s, 1, 1, b.NERR);
      ReadHeaderLine(s);
      if (s.hooks.readProject) {
        s.hooks.readProject(s);
      } else {
        s.files.monitor.line("   Project reader not built: the input ends after the first line.");
      }
      checkRunPeriod(s);
    } catch (const InputFault& e) {
      if (!e.alreadyLogged()) LogInputError(s, e.what());
    } catch (const FieldError& e) {
      LogInputError(s, "PROJECT FILE LINE " + std::to_string(s.files.project.lineNumber()) + ": " + e.what());
    } catch (const IndexError& e) {
      LogInputError(s, "PROJECT FILE LINE " + std::to_string(s.files.project.lineNumber()) + ": " + e.what());
    }
  }
  s.files.project.close();
  m.NERRT += b.NERR;
  FORM(s, 2, 7, b.NERR);
  WriteEndOfInput(s, s.files.monitor, s.prjtxt.PNAME.view(), m.NERRT);
  b.NERR = 0;
  FORM(s, 1, 8, b.NERR);
}

// Steps 7-21: the input, the set-up and the simulation. 1 when the input had errors.
int runPhases(EngineState& s) {
  MAINPG& m = s.mainpg;
  BLDG& b = s.bldg;
  RUNPAR& r = s.runpar;

  // 7-9. Run options and the system data bases. Errors here count for the whole run.
  b.NERR = 0;
  ReadRunOptions(s);
  ReadCoolingDb(s);
  ReadHeatingDb(s);
  // Recorded weather: opened only for the recorded formats, and then it must exist.
  if (r.IWFMT >= 1 && r.IWFMT <= 4 && !s.files.weather.open(runPath(s.runDir, files::kRecordedWeather))) {
    LogInputError(s, "RECORDED WEATHER FILE " + std::string(files::kRecordedWeather) + " IS MISSING.");
  }
  m.NERRT += b.NERR;

  // 10. The project file.
  readProjectFile(s);

  // 11. Errors in the input: the report says how many, and nothing more is done.
  if (m.NERRT > 0) {
    WriteEndOfInput(s, s.files.report, s.prjtxt.PSCHM.view(), m.NERRT);
    return 1;
  }

  // 12. Light-shelf table, when a zone uses daylighting.
  if (m.IDAYLT == 1) {
    r.NPAGE += 2;
    ReadLightShelves(s);
    m.NERRT += b.NERR;
    FORM(s, 2, 8, b.NERR);
    b.NERR = 0;
  }

  // 13-14. Clock again; heads of the hourly spreadsheets.
  takeClockTime(s);
  if (r.IHRLY == 1) WriteHourlyHeaders(s);

  // 15-17. The load model's set-up.
  s.files.monitor.line("Calling Energy Set Up.        ");
  if (s.hooks.ENERGY) {
    s.hooks.ENERGY(s, 1, 1.0f);
  } else {
    s.files.monitor.line("   Load model not built: no set-up.");
  }
  for (int i = 1; i <= b.NZ; ++i) WritePreprocessingZone(s, i);
  m.NERRT += b.NERR;

  // 18-19. Errors from the set-up, or an error check only.
  if (m.NERRT != 0) {
    WriteEndOfInput(s, s.files.report, s.prjtxt.PSCHM.view(), m.NERRT);
    b.NERR = 0;
    return 1;
  }
  WriteEndOfPreprocessing(s.files.report);
  WriteEndOfPreprocessing(s.files.monitor);
  if (r.IRUN != 1) {
    // 20-21. Section III head, then the simulation.
    r.NPAGE += 1;
    WriteSection3Head(s);
    WriteBeginSimulation(s);
    if (s.hooks.WETHER) {
      s.hooks.WETHER(s, m.STNID, s.chtab.UNITS);
    } else {
      s.files.monitor.line("   Simulation calendar not built: the run ends after the input phase.");
    }
  }
  return 0;
}

}  // namespace

std::optional<int> CommandLine(int argc, const char* const argv[]) {
  if (argc <= 1) return std::nullopt;
  const std::string_view arg(argv[1]);
  if (argc == 2 && (arg == "--help" || arg == "-h")) {
    std::printf("%s\n", std::string(kUsage).c_str());
    return 0;
  }
  std::fprintf(stderr, "kvan64: it takes no arguments (\"%s\" was given); nothing was changed. %s\n",
               argv[1], std::string(kUsage).c_str());
  return 1;
}

int KVAN64(EngineState& s) {
  MAINPG& m = s.mainpg;
  BLDG& b = s.bldg;
  RUNPAR& r = s.runpar;
  int status = 0;

  // One run at a time in a run folder: a run in progress keeps its files, untouched.
  const bool noOptions = runOptionsMissing(s);
  const std::string lockPath = runPath(s.runDir, files::kRunLock);
  const RunFolderLock lock(lockPath, !noOptions);
  if (lock.busy()) {
    std::fprintf(stderr, "kvan64: another run is using this run folder (%s is locked); nothing was changed\n",
                 std::string(files::kRunLock).c_str());
    return kStatusRunLocked;
  }
  if (lock.notAFile()) {
    const std::string kind(kalvano::runlock::NotAFileKind(lockPath));
    std::fprintf(stderr,
                 "kvan64: CANNOT CREATE %s: it is %s, not a file; remove it and run again (nothing "
                 "was changed)\n",
                 std::string(files::kRunLock).c_str(), kind.c_str());
    return kStatusOutputFailed;
  }
  if (noOptions) return withoutRunOptions(s);

  // Before anything is read: no output of an earlier run may be taken for this run's.
  RemoveStaleOutputs(s);

  // 1-2. Run date and time; every month simulated.
  const ClockReading c = readClock(s);
  r.IRYR = c.year;
  r.IRMO = c.month;
  r.IRDA = c.day;
  m.IHOUR = c.hour;
  m.IMIN = c.minute;
  r.MONFLG.fill(1);

  try {
    try {
      // 3-6. Separator, output files, banner.
      ReadSeparator(s);
      OpenOutputs(s);
      m.IDAYLT = 0;
      b.NDEM = 0;
      r.NPAGE = 1;
      WriteBanner(s);
      status = runPhases(s);
    } catch (const OutputFault&) {
      throw;
    } catch (const EngineStop& e) {
      Line ln;
      ln.text(" STOP ").text(e.what());
      s.files.monitor.line(ln.view());
      status = e.status();
      if (status == kStatusNotFinite) std::fprintf(stderr, "kvan64: %s\n", e.what());
    } catch (const std::exception& e) {
      // A fault of the program itself (an index out of its bounds, say): never a silent end.
      s.files.monitor.line(std::string(" ** RUN ABORTED ** ") + e.what());
      status = 1;
    }
    // 22.
    closeInputs(s);
    CloseOutputs(s);
  } catch (const OutputFault& e) {
    return outputFailed(s, e);
  }
  return status;
}

}  // namespace kv
