// The engine's main program and its own input: the column separator, the run options, the
// two system data bases, the project file's first line and the light-shelf table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

struct EngineState;

// How the engine is started: the line that --help prints, which also ends the line that says
// a folder holds no run options.
inline constexpr std::string_view kUsage =
    "Usage: kvan64 (no arguments), started in a base folder's temp/ after the run files are written "
    "(by kalvano-ec's run window or kalvano-prepare-run)";

// The command line: the engine takes no arguments. --help (or -h) alone prints kUsage on
// standard output and gives status 0; any other argument is refused on standard error with
// status 1. Neither touches a file. Nothing when there is no argument: the run goes on.
std::optional<int> CommandLine(int argc, const char* const argv[]);

// Runs the engine once in s.runDir (empty = the current folder) and returns the exit
// status: 0 after a completed run or error check without errors, 1 when the input had
// errors or the folder holds no run options (then standard error says so in one line, and
// monitor.txt is the only file written), 2-4 for the stops of the recorded weather
// (EngineStop), 5 when an output cannot be created or written (OutputFault: the file and the
// reason on standard error and, when it can still be written, in the monitor log), 7 when
// another run holds the run folder's lock (the reason on standard error, no file touched).
// Outputs of an earlier run are removed first.
// Hooks that are not set are skipped: without readProject the input ends after the first
// line of the project file, without ENERGY the set-up call is left out, without WETHER the
// run ends before the simulation; the monitor log says so.
int KVAN64(EngineState& s);

// Its steps, callable one by one (tests, and the project reader for the first line).
void ReadSeparator(EngineState& s);           // tab.sym: missing or empty = TAB
void ReadRunOptions(EngineState& s);          // tavik$.tmp, with its monitor line
void LogMissingRunOptions(EngineState& s);    // its input error when there is none
void ReadCoolingDb(EngineState& s);           // ../btype/tcool.dat, with its monitor line
void ReadHeatingDb(EngineState& s);           // ../btype/theat.dat, with its monitor line
void ReadHeaderLine(EngineState& s);          // the project file's first line and its checks
void ApplyRunOptionChecks(EngineState& s, int32_t weeks);
void ReadLightShelves(EngineState& s);        // ltshlf.dat into LSHELF
// One "** ERROR **" line in the monitor log, counted in BLDG's NERR.
void LogInputError(EngineState& s, std::string_view text);
// One "** WARNING **" line in the monitor log (not counted).
void LogWarning(EngineState& s, std::string_view text);

}  // namespace kv
