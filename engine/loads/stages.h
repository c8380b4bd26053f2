// The stages of the load model's hourly call and the routines they share. ENERGY (energy.cpp)
// runs them in this order; each stage lives in its own file.
#pragma once

#include <cstdint>

namespace kv {

struct EngineState;

// First ENERGY call: completes and checks the building model, writes the hourly-file heads,
// zeroes every accumulator (setup.cpp).
void LOADSETUP(EngineState& s);
// Hour and day values, weather-derived values, month bookkeeping, per-zone preparation
// (hourprep.cpp).
void HOURPREP(EngineState& s, int32_t MONTH, float WEIGHT);
// Surface pass: conduction, solar and daylight of every surface, summed per zone (surfaces.cpp).
void SURFACES(EngineState& s, int32_t MONTH);
// Zone pass: zone balance, load categories, energy by end use (zones.cpp).
void ZONES(EngineState& s, int32_t MONTH);
// Hourly rows of the spreadsheets when hourly output is on (hourrows.cpp).
void HOURROWS(EngineState& s, int32_t MONTH);
// Hourly sums, day profiles and peaks (hoursums.cpp).
void HOURSUMS(EngineState& s, int32_t MONTH);

// Cooling efficiency of the hour by system type, Btu per kWh (syscop.cpp).
void SYSCOP(float DB, float WB, float TDAY, float LOAD, float CAP, int32_t ITYPE, float RATED,
            float& EFF);

// Zeroes the month's sums that MONEND reports and the zones' monthly comfort counters; the
// hour preparation calls it at the first hour of each month (dayend.cpp).
void ZEROMONTH(EngineState& s);
// The abbreviated weather line of tavik$.hry for detail levels 1 to 4 with hourly output on
// (nothing otherwise); the hour preparation calls it before the zone lines (hourrows.cpp).
void HOURWXLINE(EngineState& s, int32_t MONTH);

}  // namespace kv
