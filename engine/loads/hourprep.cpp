#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

void HOURPREP(EngineState& /*s*/, int32_t /*MONTH*/, float /*WEIGHT*/) {}

}  // namespace kv
