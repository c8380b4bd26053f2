#include "engine/core/state.h"
#include "engine/loads/energy.h"

namespace kv {

void YREND(EngineState& /*s*/) {}

}  // namespace kv
