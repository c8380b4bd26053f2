// The run's output files as a whole: removed at start, opened, closed with every write
// checked. A failure is an OutputFault (exit status 5).
#pragma once

namespace kv {

struct EngineState;

// Removes the outputs an earlier run left in the run folder, so that a run that stops early
// never leaves a report or log that is not its own. A name taken by a folder stays; opening
// it then fails.
void RemoveStaleOutputs(EngineState& s);
// Creates every output, the monitor log first (so that a later failure can be logged there).
// Throws OutputFault at the first that cannot be created.
void OpenOutputs(EngineState& s);
// Writes and closes every output but the monitor log; throws OutputFault at the first failure.
void CloseOutputsButMonitor(EngineState& s);
// The same, then the monitor log.
void CloseOutputs(EngineState& s);
// Closes every output without a check (after a failure).
void AbandonOutputs(EngineState& s);

}  // namespace kv
