#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

void SURFACES(EngineState& /*s*/, int32_t /*MONTH*/) {}

}  // namespace kv
