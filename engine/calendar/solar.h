// Sun and sky of the simulated days: the daily sun values, sunrise and the day's
// extraterrestrial insolation, the hourly sun position, the day's cloud cover and
// extinction coefficients, and the hourly split of generated radiation.
// Irradiances are Btu/h ft2, insolation Btu/ft2, angles radians unless named in degrees.
// All arithmetic is single precision, as the weather sequence depends on it.
#pragma once

namespace kv {

// Pi one single-precision step below the nearest float: the value the sun formulas use.
inline constexpr float kSunPi = 3.1415925025939941f;

// Daily sun values for DAY (day of the year, 1 = 1 January): declination, its sine, the
// equation of time (hours), the extraterrestrial normal irradiance and the clear-sky constant.
void SOLAR(float DAY, float& DECL, float& SINDEC, float& EQT, float& ETR, float& ACON);

// Sine, cosine and tangent of the latitude, taken once per run.
struct Latitude {
  float phi = 0.0f;  // radians
  float sinPhi = 0.0f;
  float cosPhi = 1.0f;
  float tanPhi = 0.0f;
};
Latitude latitudeOf(float degrees);

// The sun of one day: SOLAR's values plus sunrise and the day's extraterrestrial insolation.
struct SunDay {
  float decl = 0.0f, sindec = 0.0f, cosdec = 1.0f, eqt = 0.0f, etr = 0.0f, acon = 0.0f;
  float sunriseAngle = 0.0f;  // radians from midnight: 0 sun up all day, pi down all day
  float sunriseSolar = 0.0f;  // solar hours from midnight
  float h0 = 1.0f;            // extraterrestrial horizontal insolation, at least 1
  float noonAltitude = 0.0f;  // radians
};
SunDay sunDay(float dayOfYear, const Latitude& lat);

// Sun position at solar time t (hours) of a daylight hour.
struct SunPosition {
  float sinalt = 0.0f, altrad = 0.0f, cosalt = 1.0f, tanalt = 0.0f, alt = 0.0f;
  float cosazm = 0.0f, azm = 0.0f, sinazm = 0.0f;
};
SunPosition sunPosition(float t, const SunDay& day, const Latitude& lat);

// Solar time (hours, 0 to below 24) of the clock time `clock` (hours of local standard time),
// c = equation of time minus the time correction. A time past 24 h wraps to the morning, so
// the sun's side of the sky is right.
float solarTimeAt(float c, float clock);
// The same at h:00.
inline float solarTimeOfHour(float c, int h) { return solarTimeAt(c, static_cast<float>(h)); }

// Day's cloud cover CC and the extinction coefficients of clear (B1) and cloudy (B2) hours
// from the day's clearness KT, the noon altitude ALT, sunrise in solar hours, H0 and ACON.
void SKY(float KT, float ALT, float SUNRISE, float HDAY, float ACON, float& CC, float& B1,
         float& B2);

// Generated radiation of one daylight hour. `draw` is the random number of the hour's
// clear-or-cloudy choice; it is taken only when the sun is at least 0.01 high, which
// needsDraw() tells the caller before it draws.
struct HourRadiation {
  float dn = 0.0f;   // direct normal
  float dfh = 0.0f;  // diffuse horizontal
  float dirh = 0.0f; // direct horizontal
  float dh = 0.0f;   // total horizontal
};
inline bool needsDraw(float sinalt) { return !(sinalt < 0.01f); }
HourRadiation hourRadiation(float sinalt, double draw, float cc, float b1, float b2,
                            float etr, float acon);

}  // namespace kv
