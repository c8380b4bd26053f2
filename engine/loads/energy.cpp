#include "engine/loads/energy.h"

#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

void ENERGY(EngineState& s, int32_t MONTH, float WEIGHT) {
  if (s.enacc.IFIRST != 1) {
    LOADSETUP(s);
    s.enacc.IFIRST = 1;
    return;
  }
  HOURPREP(s, MONTH, WEIGHT);
  SURFACES(s, MONTH);
  ZONES(s, MONTH);
  if (s.hooks.afterZones) s.hooks.afterZones(s);
  HOURCHECK(s, MONTH);
  if (s.runpar.IHRLY == 1) HOURROWS(s, MONTH);
  HOURSUMS(s, MONTH);
}

}  // namespace kv
