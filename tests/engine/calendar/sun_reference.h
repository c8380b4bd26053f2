// An independent sun for the calendar's tests: the solar position equations that NOAA's
// solar calculator publishes (after Meeus, "Astronomical Algorithms"), in double precision,
// good to about 0.01 degree between 1800 and 2100. The altitude is geometric (no refraction),
// as the engine's is.
#pragma once

#include <cmath>

namespace kvtest {

struct RefSun {
  double altitude;     // degrees above the horizon
  double azimuth;      // degrees from north through east, 0..360
  double declination;  // degrees
};

// The sun at `clock` hours of local standard time on day `dayOfYear` (1 = 1 January) of
// `year`, at latitude `latDeg` (north positive), longitude `lonEastDeg` (east positive) and
// time zone `zoneHours` (east of Greenwich positive).
inline RefSun noaaSun(int year, int dayOfYear, double clock, double latDeg, double lonEastDeg,
                      double zoneHours) {
  constexpr double kPi = 3.14159265358979323846;
  auto rad = [](double d) { return d * kPi / 180.0; };
  auto deg = [](double r) { return r * 180.0 / kPi; };
  // Julian day number of 1 January (Gregorian calendar), then the day and time in UT.
  const int y = year + 4799;
  const long jdn = 1 + (153 * 10 + 2) / 5 + 365L * y + y / 4 - y / 100 + y / 400 - 32045;
  const double jd = static_cast<double>(jdn) - 0.5 + (dayOfYear - 1) + (clock - zoneHours) / 24.0;
  const double T = (jd - 2451545.0) / 36525.0;  // Julian centuries since J2000.0

  const double L0 = std::fmod(280.46646 + T * (36000.76983 + T * 0.0003032), 360.0);
  const double M = 357.52911 + T * (35999.05029 - 0.0001537 * T);
  const double e = 0.016708634 - T * (0.000042037 + 0.0000001267 * T);
  const double C = std::sin(rad(M)) * (1.914602 - T * (0.004817 + 0.000014 * T)) +
                   std::sin(rad(2 * M)) * (0.019993 - 0.000101 * T) + std::sin(rad(3 * M)) * 0.000289;
  const double omega = 125.04 - 1934.136 * T;
  const double lambda = L0 + C - 0.00569 - 0.00478 * std::sin(rad(omega));
  const double eps0 = 23.0 + (26.0 + (21.448 - T * (46.815 + T * (0.00059 - T * 0.001813))) / 60.0) / 60.0;
  const double eps = eps0 + 0.00256 * std::cos(rad(omega));
  const double decl = deg(std::asin(std::sin(rad(eps)) * std::sin(rad(lambda))));

  const double v = std::pow(std::tan(rad(eps / 2.0)), 2);
  const double eqtMinutes =
      4.0 * deg(v * std::sin(2 * rad(L0)) - 2 * e * std::sin(rad(M)) +
                4 * e * v * std::sin(rad(M)) * std::cos(2 * rad(L0)) -
                0.5 * v * v * std::sin(4 * rad(L0)) - 1.25 * e * e * std::sin(2 * rad(M)));
  const double trueSolarMinutes =
      std::fmod(clock * 60.0 + eqtMinutes + 4.0 * lonEastDeg - 60.0 * zoneHours + 2880.0, 1440.0);
  const double hourAngle = trueSolarMinutes / 4.0 - 180.0;

  const double phi = rad(latDeg), d = rad(decl), h = rad(hourAngle);
  const double cosZenith = std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h);
  const double zenith = std::acos(std::fmax(-1.0, std::fmin(1.0, cosZenith)));
  double azimuth = deg(std::atan2(-std::cos(d) * std::sin(h),
                                  std::sin(d) * std::cos(phi) - std::cos(d) * std::sin(phi) * std::cos(h)));
  if (azimuth < 0.0) azimuth += 360.0;
  return {90.0 - deg(zenith), azimuth, decl};
}

}  // namespace kvtest
