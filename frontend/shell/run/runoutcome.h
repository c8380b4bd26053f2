// How a run attempt ended, turned into what the run window says and enables, without a
// widget: the engine's exit status, its report and its monitor log decide.
#pragma once

#include <string>
#include <string_view>

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
};

struct RunOutcome {
  std::string statusLine;       // '\n' where the line breaks
  bool reviewEnabled = false;   // "Review Results"
  bool cancelEnabled = true;    // "Cancel"
  bool resultsExist = false;    // the run's results can be gathered (ResultsExist := 1)
  bool showMonitor = false;     // the monitor log is shown in the help viewer
  std::string errorText;        // not empty: a "Simulation Error" box with this text
};

// The elapsed seconds with the mask "####.##": rounded to two decimals, no leading zero,
// trailing zeros dropped, the point always written (0.5 ".5", 12 "12.", 1234.567 "1234.57").
std::string ElapsedText(double seconds);

// The outcome of a run of `runType` that ended as `end`, at the clock time `timeText`
// after `elapsed` seconds. `tempDir` is the run folder, whose report (a line beginning
// "III." marks a completed simulation) and monitor log are read.
RunOutcome DecideRunOutcome(const EngineEnd& end, int runType, const std::string& tempDir,
                            std::string_view timeText, double elapsed);

// The outcome of an attempt that stopped before the engine (a check, the dates, a file).
RunOutcome NotStartedOutcome();

// The last `count` lines of a text file (fewer when it is shorter, none when it is missing).
std::string LastLines(const std::string& path, int count);

inline constexpr std::string_view kSimulationErrorTitle = "Simulation Error";

}  // namespace kalvano::shell
