// The load model's entries that the calendar calls: ENERGY every simulated hour (its first
// call, with month 1 and weight 1.0, is the set-up), DAYEND after every simulated day,
// MONEND after every month with simulated days and YREND once at the end.
#pragma once

#include <cstdint>

namespace kv {

struct EngineState;

void ENERGY(EngineState& s, int32_t MONTH, float WEIGHT);
// DOW receives the new day of the week, 1 = Monday .. 7 = Sunday.
void DAYEND(EngineState& s, int32_t MONTH, int32_t& DOW);
void MONEND(EngineState& s, int32_t MONTH);
void YREND(EngineState& s);

}  // namespace kv
