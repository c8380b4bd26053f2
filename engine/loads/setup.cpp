#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

void LOADSETUP(EngineState& s) {
  ENACC& e = s.enacc;
  // Weekday of the first simulated day, 1 = Monday, from the weekday of 1 January
  // (1 = Sunday) and the first day of the run.
  int r = (s.runpar.IDOW1 + s.runpar.IDAY1 - 3) % 7;
  if (r < 0) r += 7;
  e.IDOW = r + 1;
}

}  // namespace kv
