// One surface in one hour: what the surface pass computes for it, open to the tests.
// SURFACES (stages.h) walks the zones and their surfaces, calls surfaceHour for each and
// sums what it leaves into the zone's surface sums.
#pragma once

#include <cstdint>

namespace kv {

struct EngineState;

// Everything one surface does in one hour, inch-pound (Btu/h ft2, F, Btuh, fc).
struct SurfaceHour {
  float cosi = 0.0f;         // cosine of the incidence angle (0 at night and underground)
  float SB = 1.0f, SD = 1.0f;  // beam and diffuse shading factors
  float Y = 0.0f;            // sky ratio
  float rhoS = 0.0f;         // solar ground reflectance
  float rhoD = 0.0f;         // daylight ground reflectance
  float Ib = 0.0f;           // beam on the surface, unshaded
  float Ibs = 0.0f;          // beam on the surface, shaded
  float Id = 0.0f;           // sky and ground diffuse on the surface, shaded
  float It = 0.0f;           // total, Ibs + Id
  float To = 0.0f;           // outdoor temperature the surface sees (pavement, ground)
  float Tsa = 0.0f;          // sol-air temperature stored in the history
  float Q = 0.0f;            // opaque conduction
  float Tsi = 0.0f;          // inside surface temperature of the opaque part
  float Qwc = 0.0f;          // window conduction
  float K = 0.0f;            // angle factor of the window's beam
  float Qt = 0.0f;           // window transmitted solar
  float Qa = 0.0f;           // window absorbed solar that goes inward
  float Tgi = 0.0f;          // inside glass temperature (0 without a window)
  bool daylit = false;       // DALITE8 was called for the window this hour
  float Ew = 0.0f;           // the window's daylight illuminance, fc
};

// Surface n of zone z in the hour of MONTH. False when the surface is skipped (no area, or
// out of its season) and then h is left at its start values. Advances the surface's
// sol-air history and running mean, updates IDIRV/IDIFV and reports a bad shade letter.
bool surfaceHour(EngineState& s, int z, int n, int32_t MONTH, SurfaceHour& h);

// Slot 1..24 of the sol-air history that a time lag of `lag` hours reads in slot c (read
// before slot c is overwritten, so a lag of 0 gives the value of 24 hours earlier).
int lagSlot(int c, float lag);

// Share of the beam that a window passes at incidence cosine cosi.
float angleFactor(float cosi);

}  // namespace kv
