#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

void HOURPREP(EngineState& s, int32_t /*MONTH*/, float /*WEIGHT*/) {
  ENACC& e = s.enacc;
  e.IHR = static_cast<int32_t>(s.hrwthr.HOUR);
  e.IDAY = static_cast<int32_t>(s.hrwthr.DAY);
  e.IHRC = e.IHRC % 24 + 1;
}

}  // namespace kv
