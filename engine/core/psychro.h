// Moist-air properties in inch-pound units, single precision: degrees F, inches of mercury,
// pounds of water per pound of dry air, Btu per pound of dry air, cubic feet per pound,
// relative humidity in percent. No state.
#pragma once

namespace kv {

// From dry bulb and wet bulb (WB is set to DB when it is not below DB).
void PSY1(float DB, float& WB, float P, float& DP, float& PV, float& W, float& H, float& V, float& RH);
// From dry bulb and dew point.
void PSY2(float DB, float& WB, float P, float DP, float& PV, float& W, float& H, float& V, float& RH);
// PSY2 without the wet bulb (whose search is most of PSY2's cost), for the callers that do
// not use it: the same values otherwise.
void moistAirState(float DB, float P, float DP, float& PV, float& W, float& H, float& V, float& RH);
// Wet bulb from dry bulb, dew point, enthalpy and pressure.
float WBF(float DB, float DP, float H, float P);
// Dew point from the vapour pressure.
float DPF(float PV);
// Saturation vapour pressure at T: over ice below 32 F, over water at and above it.
float PVSF(float T);

}  // namespace kv
