// RAND1: the engine's random-number generator, a multiplicative congruential generator on
// decimal fractions (the fractional part of 23 S). A run seeded with the same value repeats
// its sequence bit for bit.
#pragma once

namespace kv {

struct EngineState;
struct RANDST;
struct ClockReading;

// X < 0 seeds the state with -X; X = 0 seeds it from the clock; X > 0 draws the next
// number. Returns a number in [0, 1), which is also the new state.
double RAND1(EngineState& s, double X);
// The same on an explicit state; clock is used only when X = 0.
double RAND1(RANDST& r, double X, const ClockReading& clock);

}  // namespace kv
