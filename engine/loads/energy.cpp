#include "engine/loads/energy.h"

#include "engine/core/state.h"

namespace kv {

// So far the entries keep only the day of the week, which the weather listing shows; the
// zone loads, sums and reports join them here.

void ENERGY(EngineState& s, int32_t /*MONTH*/, float /*WEIGHT*/) {
  ENACC& e = s.enacc;
  if (e.IFIRST != 0) return;
  e.IFIRST = 1;
  // Weekday of the first simulated day, 1 = Monday, from the weekday of 1 January
  // (1 = Sunday) and the first day of the run.
  int r = (s.runpar.IDOW1 + s.runpar.IDAY1 - 3) % 7;
  if (r < 0) r += 7;
  e.IDOW = r + 1;
}

void DAYEND(EngineState& s, int32_t /*MONTH*/, int32_t& DOW) {
  ENACC& e = s.enacc;
  e.IDOW = e.IDOW % 7 + 1;
  DOW = e.IDOW;
}

void MONEND(EngineState& /*s*/, int32_t /*MONTH*/) {}

void YREND(EngineState& /*s*/) {}

}  // namespace kv
