#include "engine/core/state.h"
#include "engine/loads/energy.h"

namespace kv {

void DAYEND(EngineState& s, int32_t /*MONTH*/, int32_t& DOW) {
  ENACC& e = s.enacc;
  e.IDOW = e.IDOW % 7 + 1;
  DOW = e.IDOW;
}

void MONEND(EngineState& /*s*/, int32_t /*MONTH*/) {}

}  // namespace kv
