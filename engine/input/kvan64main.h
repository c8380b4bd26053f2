// The engine's main program and its own input: the column separator, the run options, the
// two system data bases, the project file's first line and the light-shelf table.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

struct EngineState;

// Runs the engine once in s.runDir (empty = the current folder) and returns the exit
// status: 0 after a completed run or error check without errors, 1 when the input had
// errors, 2-4 for the stops of the recorded weather (EngineStop), 5 when an output cannot be
// created or written (OutputFault: the file and the reason on standard error and, when it
// can still be written, in the monitor log), 7 when another run holds the run folder's lock
// (the reason on standard error, no file touched). Outputs of an earlier run are removed
// first.
// Hooks that are not set are skipped: without readProject the input ends after the first
// line of the project file, without ENERGY the set-up call is left out, without WETHER the
// run ends before the simulation; the monitor log says so.
int KVAN64(EngineState& s);

// Its steps, callable one by one (tests, and the project reader for the first line).
void ReadSeparator(EngineState& s);           // tab.sym: missing or empty = TAB
void ReadRunOptions(EngineState& s);          // tavik$.tmp, with its monitor line
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
