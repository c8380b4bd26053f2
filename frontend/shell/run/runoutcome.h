// How a run attempt ended, turned into what the run window says and enables, without a
// widget: the engine's exit status, its report and its monitor log decide.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvano::shell {

// How the engine process ended.
struct EngineEnd {
  enum class Kind {
    Exited,      // ended by itself with `status`
    Crashed,     // ended by a signal (`signal`, 0 when unknown)
    NotStarted,  // could not be started: `reason`
    Cancelled    // stopped by the user's Cancel
  };
  Kind kind = Kind::Exited;
  int status = 0;
  int signal = 0;
  std::string reason;
  std::string standardError;  // the end of what the engine wrote to standard error
};

struct RunOutcome {
  std::string statusLine;       // '\n' where the line breaks
  bool reviewEnabled = false;   // "Review Results"
  bool cancelEnabled = true;    // "Cancel"
  bool resultsExist = false;    // the run's results can be gathered (ResultsExist := 1)
  bool showMonitor = false;     // the monitor log is shown in the help viewer
  std::string errorText;        // not empty: a "Simulation Error" box with this text, in the
                                // file system's encoding (it names files and folders)
};

// The elapsed seconds with the mask "####.##": rounded to two decimals, no leading zero,
// trailing zeros dropped, the point always written (0.5 ".5", 12 "12.", 1234.567 "1234.57").
std::string ElapsedText(double seconds);

// The outcome of a run of `runType` that ended as `end`, at the clock time `timeText`
// after `elapsed` seconds. `tempDir` is the run folder, whose report (a line beginning
// "III." marks a completed simulation; RemoveEngineOutputs ran before the engine started,
// so a report there is this run's) and monitor log are read. Whenever the engine did not
// end with status 0, the last lines it wrote to standard error are shown too.
RunOutcome DecideRunOutcome(const EngineEnd& end, int runType, const std::string& tempDir,
                            std::string_view timeText, double elapsed);

// The outcome of an attempt that stopped before the engine (a check, the dates, a file).
RunOutcome NotStartedOutcome();

// What an exit status of the engine means, in a few words ("an unreadable recorded-weather
// record" for 2 ... "another run is using this base folder" for 7); empty for the others.
std::string_view ExitStatusMeaning(int status);
// The sentence that tells how an engine ended that stopped abnormally (by a signal, or with
// a status other than 0 or 1, or 0 without its report): a stop by the user or the system
// (SIGTERM, SIGKILL, SIGINT) is told as a stop, a fault of the program (SIGSEGV, SIGABRT,
// SIGBUS, SIGFPE, SIGILL) as a crash.
std::string AbnormalEndText(const EngineEnd& end);

// The last `count` lines of a text file (fewer when it is shorter, none when it is missing
// or no regular file).
std::string LastLines(const std::string& path, int count);
// The last `count` lines of a text, or of its lines, each ended by '\n'.
std::string LastLinesOf(std::string_view text, int count);
std::string LastLinesOf(const std::vector<std::string>& lines, int count);

// Removes from the run folder `tempDir` every output of an earlier run that the run window
// and Review Results read: the engine's report, its log, the weather listing, the comfort
// report with its pages and the three hourly files, so that none of them is ever taken for
// the coming run's. One that is there and cannot be removed (a folder in its place, say)
// throws model::FileError naming it.
void RemoveEngineOutputs(const std::string& tempDir);

inline constexpr std::string_view kSimulationErrorTitle = "Simulation Error";

}  // namespace kalvano::shell
