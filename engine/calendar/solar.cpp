#include "engine/calendar/solar.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {
constexpr float kDayAngle = 0.0172143f;  // 2 pi / 365
constexpr float kSolsticeDay = 172.0f;
constexpr float kSinObliquity = 0.398721f;
constexpr float kTwoPi = 6.283185f;
constexpr float kHoursPerRadian = 3.8197f;
constexpr float kDegPerRadLatitude = 57.29578f;
constexpr float kDegPerRad = 57.3f;
}  // namespace

void SOLAR(float DAY, float& DECL, float& SINDEC, float& EQT, float& ETR, float& ACON) {
  const float g = (DAY - 1.0f) * kDayAngle;
  SINDEC = kSinObliquity * std::cos((DAY - kSolsticeDay) * kDayAngle);
  DECL = std::asin(SINDEC);
  const float sg = std::sin(g);
  const float cg = std::cos(g);
  const float s2g = std::sin(2.0f * g);
  const float c2g = std::cos(2.0f * g);
  EQT = -0.1236f * sg + 0.0043f * cg - 0.1538f * s2g - 0.0608f * c2g;
  ETR = 433.78f + 14.794f * cg + 0.9219f * cg * cg;
  ACON = 369.6f + 24.5245f * cg - 2.302f * cg * cg;
}

Latitude latitudeOf(float degrees) {
  Latitude l;
  l.phi = degrees / kDegPerRadLatitude;
  l.sinPhi = std::sin(l.phi);
  l.cosPhi = std::cos(l.phi);
  l.tanPhi = std::tan(l.phi);
  return l;
}

SunDay sunDay(float dayOfYear, const Latitude& lat) {
  SunDay d;
  SOLAR(dayOfYear, d.decl, d.sindec, d.eqt, d.etr, d.acon);
  d.cosdec = std::sqrt(1.0f - d.sindec * d.sindec);
  const float x = std::tan(d.decl) * lat.tanPhi;
  if (x > 0.99f) {
    d.sunriseAngle = 0.0f;
  } else if (x < -0.99f) {
    d.sunriseAngle = kSunPi;
  } else {
    d.sunriseAngle = std::acos(x);
  }
  const float a = d.sunriseAngle;
  d.h0 = ((kSunPi - a) * lat.sinPhi * d.sindec + std::sin(a) * lat.cosPhi * d.cosdec) * d.etr *
         24.0f / kSunPi;
  d.h0 = std::max(d.h0, 1.0f);
  d.sunriseSolar = kHoursPerRadian * a;
  d.noonAltitude = kSunPi / 2.0f - lat.phi + d.decl;
  return d;
}

SunPosition sunPosition(float t, const SunDay& day, const Latitude& lat) {
  SunPosition p;
  const float c = std::cos(kSunPi * t / 12.0f);
  p.sinalt = std::max(day.sindec * lat.sinPhi - day.cosdec * lat.cosPhi * c, 0.0f);
  p.altrad = std::asin(p.sinalt);
  p.cosalt = std::max(std::cos(p.altrad), 0.00001f);
  p.tanalt = p.sinalt / p.cosalt;
  p.alt = kDegPerRad * p.altrad;
  // Azimuth from its sine (positive before solar noon: the sun east of the meridian) and
  // cosine, both times the cosine of the altitude: it passes smoothly through south at noon
  // and through north at midnight.
  const float sinPart = day.cosdec * std::sin(kSunPi * t / 12.0f);
  const float cosPart = lat.sinPhi * day.cosdec * c + lat.cosPhi * day.sindec;
  float azimuth = std::atan2(sinPart, cosPart);
  if (azimuth < 0.0f) azimuth += kTwoPi;
  p.azm = kDegPerRad * azimuth;
  p.sinazm = std::sin(azimuth);
  p.cosazm = std::cos(azimuth);
  return p;
}

float solarTimeAt(float c, float clock) {
  float t = c + clock;
  if (t < 0.0f) t += 24.0f;
  if (t >= 24.0f) t -= 24.0f;
  return t;
}

namespace {
// Transmission of the whole day's beam for the branches that use one value for all hours.
float oneTransmission(float f, float kt, float hday, float dayLength, float acon) {
  return f * hday / dayLength / (0.61f * (kt + 0.5f - 0.5f * kt * kt)) * 0.98f / acon;
}

float extinction(float s, float t) { return std::max(-s * std::log(std::max(t / s, 0.001f)), 0.1f); }
}  // namespace

void SKY(float KT, float ALT, float SUNRISE, float HDAY, float ACON, float& CC, float& B1,
         float& B2) {
  const float dayLength = 2.0f * (12.0f - SUNRISE);
  const float s = std::max(std::sin(ALT), 0.01f);
  if (KT >= 0.3f && KT <= 0.65f) {
    CC = 1.83f - 2.8f * KT;
    const float t1 = HDAY * 0.498f / dayLength / 0.576f / ACON;
    const float t2 = HDAY * 0.101f / dayLength / 0.47f / ACON;
    B1 = extinction(s, t1);
    B2 = extinction(s, t2);
    return;
  }
  float f = 0.0f;
  if (KT < 0.3f) {
    CC = 1.0f;
    f = KT * KT * (2.41262f * KT + 0.30339f - 1.78315f * KT * KT);
  } else if (KT < 0.77f) {
    CC = 0.0f;
    f = KT * KT * (2.41262f * KT + 0.30339f - 1.78315f * KT * KT);
  } else {
    CC = 0.0f;
    f = KT - 0.12f;
  }
  const float t = oneTransmission(f, KT, HDAY, dayLength, ACON);
  B1 = extinction(s, t);
  B2 = B1;
}

HourRadiation hourRadiation(float sinalt, double draw, float cc, float b1, float b2, float etr,
                            float acon) {
  HourRadiation r;
  if (!needsDraw(sinalt)) return r;
  const float m = (draw > static_cast<double>(cc) ? b1 : b2) / sinalt;
  if (m >= 10.0f) return r;
  r.dn = 1.05f * acon * std::exp(-m);
  const float tau = r.dn / etr;
  float k = 0.315f - 0.29f * tau;
  if (tau < 0.4f) k = 13.3798f * tau * tau * tau - 10.679f * tau * tau + 2.415f * tau + 0.094f;
  k = 1.05f * k;
  r.dfh = k * etr * sinalt;
  r.dirh = r.dn * sinalt;
  r.dh = r.dirh + r.dfh;
  return r;
}

}  // namespace kv
