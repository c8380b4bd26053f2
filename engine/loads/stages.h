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
// The hour's building sums and zone state are finite; EngineStop with status 6 naming the
// month, day, hour, zone and quantity otherwise (hourcheck.cpp).
void HOURCHECK(EngineState& s, int32_t MONTH);
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

struct LSHELF;

// One daylit window in one hour, as DALITE8 reads it (ft, ft2, Btu/h ft2, fc).
struct DaylightWindow {
  float BEAM = 0;    // beam on the window plane, unshaded
  float DH = 0;      // total horizontal
  float DFH = 0;     // diffuse horizontal
  float GRFL = 0;    // daylight ground reflectance
  float CC = 0;      // cloud cover, 0..1
  float SD = 1;      // diffuse shading factor of the surface pass
  float Y = 0;       // sky ratio of the surface pass
  float DLDEP = 0;   // the zone's daylit depth
  float WWIDTH = 0;  // wall width: (wall area + glass area) / zone height
  float DSHD = 0;    // overhang projection of the window
  float TDIFF = 1;   // diffuse shade transmittance
  float HTOP = 0;    // window top height
  float HSILL = 0;   // sill height
  float AWIND = 0;   // glass area
  float FCTGT = 0;   // the zone's target illuminance
  float VTWIN = 0;   // daylight transmittance of the window type
  float P1 = 0, P2 = 0, P3 = 0, P4 = 0;  // DOVH, DSHLF, RSHLF, TSHLF of the window
  char IDEV = ' ';   // daylighting device: blank, "H"/"O" overhang, "L" light shelf
};

// Mean daylight illuminance EW (fc) that one window brings to the zone's daylit depth,
// with the device coefficients of the light-shelf table t (dalite.cpp).
void DALITE8(const DaylightWindow& w, const LSHELF& t, float& EW);

}  // namespace kv
