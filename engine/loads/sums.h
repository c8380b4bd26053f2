// Helpers of the hourly rows, the month end and the year-end report, shared with their tests.
#pragma once

#include <cmath>
#include <cstdint>

namespace kv {

// INT (truncation toward zero) of a value bound for an integer field of a report or an hourly
// row; a value beyond any field width, or one that is not a number, stays beyond every width
// so that its field prints as asterisks.
inline std::int64_t reportInt(float v) {
  if (std::isnan(v) || v >= 1.0e15f) return INT64_MAX;
  if (v <= -1.0e15f) return INT64_MIN + 1;
  return static_cast<std::int64_t>(v);
}

// a / b for a report field: 0 when b is 0 or the quotient is not a finite number.
inline float reportRatio(float a, float b) {
  if (b == 0.0f) return 0.0f;
  const float q = a / b;
  return std::isfinite(q) ? q : 0.0f;
}

struct EngineState;

// Demand charge of a month whose peak demand is PEAK kW, from BLDG's NDEM tiers (cumulative
// limits DEMKW, rates DEMCST): each tier prices the demand between the previous limit and its
// own; demand above the last limit is priced at the last rate. 0 without tiers.
float DEMCHG(const EngineState& s, float PEAK);

}  // namespace kv
