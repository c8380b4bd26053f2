// The beam on south, west and horizontal surfaces against an independent computation of the
// sun's position: the recorded direct normal of Miami times the cosine of the incidence
// angle, the angle taken from the dot product of the sun's direction and the surface normal.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "engine/calendar/recorded.h"
#include "engine/calendar/solar.h"
#include "surfaces_fixture.h"
#include "tests/reference_data.h"

namespace {

using kv::testing::kRad;

// Sun direction in east, north, up components at a standard (clock) time, from the
// Fourier series for declination and equation of time (Spencer).
struct SunVector {
  double e = 0, n = 0, u = 0;
  double solarHour = 0;
};

SunVector sunAt(int dayOfYear, double clockHour, double latDeg, double lonWestDeg, double meridianWestDeg) {
  const double g = 2.0 * 3.14159265358979323846 / 365.0 * (dayOfYear - 1 + (clockHour - 12.0) / 24.0);
  const double eqtMin = 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) -
                                  0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g));
  const double decl = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g) +
                      0.000907 * std::sin(2 * g) - 0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
  const double solarHour = clockHour + eqtMin / 60.0 - (lonWestDeg - meridianWestDeg) / 15.0;
  const double w = (solarHour - 12.0) * 15.0 * kRad;
  const double phi = latDeg * kRad;
  SunVector v;
  v.solarHour = solarHour;
  v.e = -std::cos(decl) * std::sin(w);
  v.n = std::cos(phi) * std::sin(decl) - std::sin(phi) * std::cos(decl) * std::cos(w);
  v.u = std::sin(phi) * std::sin(decl) + std::cos(phi) * std::cos(decl) * std::cos(w);
  return v;
}

struct Hour {
  int month, day, hour, doy;
  float dn;
};

// The records of the given dates with direct sun.
std::vector<Hour> sunnyHours(kv::StationHeader& st) {
  std::ifstream in(kalvano::testref::referenceFile("weather/12839.tm2"), std::ios::binary);
  std::string line;
  std::vector<Hour> out;
  if (!std::getline(in, line)) return out;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (kv::readStationHeader(line, 1, st) != 0) return out;
  struct Date {
    int month, day, doy;
  };
  const Date dates[] = {{2, 10, 41}, {3, 21, 80}, {5, 5, 125}, {6, 21, 172}, {8, 15, 227}, {11, 3, 307}, {12, 21, 355}};
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    kv::WeatherRecord r;
    float etr = 0.0f;
    char station[5];
    if (kv::readFixedRecord(line, 1, 0.5f, r, etr, station) != 0) continue;
    for (const Date& d : dates)
      if (r.month == d.month && r.day == d.day && r.dn > 20.0f) out.push_back({r.month, r.day, r.hour, d.doy, r.dn});
  }
  return out;
}

// South and west walls and a flat roof.
struct ThreeSurfaces : kv::testing::SurfaceFixture {
  ThreeSurfaces() {
    s->bldg.LASTSURF(1) = 3;
    surface(1, 180.0f, 3.0f, 100.0f, 0.0f);
    surface(2, 270.0f, 3.0f, 100.0f, 0.0f);
    surface(3, 0.0f, 6.0f, 100.0f, 0.0f);
    tilt(3, 0.0f);
  }
};

TEST(SurfacePhysics, beam_is_direct_normal_times_cosine_of_incidence) {
  kv::StationHeader st;
  const std::vector<Hour> hours = sunnyHours(st);
  ASSERT_GT(hours.size(), 40u);
  ASSERT_NEAR(st.latitude, 25.8f, 0.01f);

  // The sun fields as the calendar fills them, from its own formulas, for the same hours.
  const kv::Latitude lat = kv::latitudeOf(st.latitude);
  const float tcorr = (st.longitude - st.meridian) / 15.0f;

  int checked = 0, westLit = 0, southLit = 0;
  for (const Hour& hr : hours) {
    const SunVector v = sunAt(hr.doy, hr.hour, st.latitude, st.longitude, st.meridian);
    const double altDeg = std::asin(v.u) / kRad;
    const double azmDeg = std::atan2(v.e, v.n) / kRad;
    // At least 2 h from solar noon: the calendar holds its noon sun 8.1 deg off south.
    if (altDeg < 5.0 || std::fabs(v.solarHour - 12.0) < 2.0) continue;

    const double expect[3] = {hr.dn * std::max(-v.n, 0.0),   // south wall, normal (0, -1, 0)
                              hr.dn * std::max(-v.e, 0.0),   // west wall, normal (-1, 0, 0)
                              hr.dn * std::max(v.u, 0.0)};   // roof, normal (0, 0, 1)

    // 1. Sun fields from the independent position: the surface geometry alone is tested.
    ThreeSurfaces f;
    f.sun(altDeg, std::fmod(azmDeg + 360.0, 360.0), hr.dn, 0.0f, 0.0f);
    for (int n = 1; n <= 3; ++n)
      EXPECT_NEAR(f.hour(n).Ib, expect[n - 1], 0.002 * hr.dn + 0.01)
          << "surface " << n << " on " << hr.month << "/" << hr.day << " at " << hr.hour;

    // 2. Sun fields from the calendar's formulas: within their accuracy (declination and
    // equation of time by short series), about a degree.
    ThreeSurfaces g;
    const kv::SunDay day = kv::sunDay(static_cast<float>(hr.doy), lat);
    const float t = kv::solarTimeOfHour(day.eqt - tcorr, hr.hour);
    const kv::SunPosition p = kv::sunPosition(t, day, lat);
    kv::HRWTHR& w = g.s->hrwthr;
    w.NIGHT = 0;
    w.SINALT = p.sinalt;
    w.COSALT = p.cosalt;
    w.TANALT = p.tanalt;
    w.ALT = p.alt;
    w.ALTRAD = p.altrad;
    w.COSAZM = p.cosazm;
    w.SINAZM = p.sinazm;
    w.AZM = p.azm;
    w.DN = hr.dn;
    for (int n = 1; n <= 3; ++n)
      EXPECT_NEAR(g.hour(n).Ib, expect[n - 1], 0.02 * hr.dn + 0.01)
          << "surface " << n << " on " << hr.month << "/" << hr.day << " at " << hr.hour;

    ++checked;
    if (expect[1] > 20.0) ++westLit;
    if (expect[0] > 20.0) ++southLit;
  }
  EXPECT_GT(checked, 30);
  EXPECT_GT(westLit, 8);
  EXPECT_GT(southLit, 8);
}

}  // namespace
