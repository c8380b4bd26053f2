// The engine's reader of the project file tavik$.inp, from the line after the header line
// to the end of the building matrix: project texts, weather block and design temperatures,
// economics and demand charges, wall/roof and window types, use profiles, zones with their
// surfaces, and the zone heights of the building sketch.
//
// The file is read strictly in order. Every input error is written to the monitor log as an
// "** ERROR **" line and counted in BLDG.NERR; each section adds its count to the run's total
// (MAINPG.NERRT) after its completion line. A file that ends before the building matrix, a
// field that is not a number and a table that overflows its capacity are input errors too:
// the reader stays in step with the file (or, at an early end, stops reading) and the main
// program stops the run after the input phase.
#pragma once

#include "engine/core/state.h"

namespace kv {

// The whole project file after its header line (the main program reads that line and calls
// this through its readProject hook). A file that ends where a line is still needed ends the
// reading with ProjectFileEnded, after its error line has been written and counted.
void RDPROJ(EngineState& s);

// The project file ended where a line was still needed (made with alreadyLogged = true).
class ProjectFileEnded : public InputFault {
 public:
  using InputFault::InputFault;
};

}  // namespace kv
