// The front-end's end on SIGTERM, SIGINT and SIGHUP (a kill, Ctrl+C in its terminal, a
// logout). The signal is only noted where it arrives; the program then ends through its own
// end (EndProgram) once control is back in the event loop, so the work in hand is done first:
// a save being written has its copies renamed into place, or removed when it fails, and no
// staged copy is left behind. An open message box or dialog is closed as its close box would.
// At the end the windows go, a running engine is stopped with its run window, and the base
// folder's locks are freed with their descriptors; then the program ends by the same signal,
// as its parent expects. A signal ignored when the program was started (nohup) stays ignored.
#pragma once

namespace kalvano::shell {

// Notes these signals from now on. Needs the application object.
void EndOnSignals();

// The exit status that EndProgram is given for the signal `signal`.
constexpr int EndStatusOfSignal(int signal) { return 128 + signal; }

// When a noted signal ended the program, ends the process by that signal; returns otherwise.
// Called last, once the program's windows and locks are gone.
void EndAsSignalled();

}  // namespace kalvano::shell
