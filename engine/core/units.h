// Inch-pound to SI factors of the engine's SI report forms, in single precision as the
// reports use them. The engine computes in inch-pound units and converts only what it writes.
#pragma once

namespace kv {

inline float toC(float f) { return (f - 32.0f) / 1.8f; }  // F to C
inline constexpr float kGJperMBtu = 1.055056f;      // also MJ per kBtu, MJ/h per kBtu/h
inline constexpr float kKWperKBtuh = 0.2930711f;    // also W per Btu/h
inline constexpr float kSqFtPerSqM = 10.76391f;
inline constexpr float kM2PerFt2 = 0.09290304f;
inline constexpr float kKJm2PerBtuFt2 = 11.35653f;  // also MJ/m2 per kBtu/ft2
inline constexpr float kMpsPerMph = 0.44704f;
inline constexpr float kKPaPerInHg = 3.37685f;
inline constexpr float kLsPerCfm = 0.4719f;

}  // namespace kv
