// Month-end pricing shared by the month's row and its tests (dayend.cpp).
#pragma once

namespace kv {

struct EngineState;

// Demand charge of a month whose peak demand is PEAK kW, from BLDG's NDEM tiers (cumulative
// limits DEMKW, rates DEMCST): each tier prices the demand between the previous limit and its
// own; demand above the last limit is priced at the last rate. 0 without tiers.
float DEMCHG(const EngineState& s, float PEAK);

}  // namespace kv
