#include "engine/input/decfac.h"

#include <cmath>

namespace kv {

namespace {
constexpr float kInsideFilm = 0.68f;   // h ft2 F/Btu
constexpr float kOutsideFilm = 0.17f;
constexpr float kFilms = 0.85f;        // both films together
constexpr float kMinLayer = 0.1f;      // smallest layer resistance
constexpr float kHalfOmega = 0.1309f;  // pi/24, rounded as the correlation was fitted
constexpr float kMaxThickness = 174.0f;
constexpr float kDegPerRad = 57.3f;
constexpr float kDegPerHour = 15.0f;
}  // namespace

void FGFUNC(float R, float D, float HI, float HO, float& AMP, float& LAG, float N) {
  const float f = HI / HO;
  const float s = std::sqrt(kHalfOmega * D) * std::sqrt(N);
  float p = s * R;
  if (p > kMaxThickness) p = kMaxThickness;
  const float q = s / HI;
  const float c = std::cos(p);
  const float sn = std::sin(p);
  const float ep = std::exp(p);
  const float em = std::exp(-p);
  const float ch = (ep + em) / 2.0f;
  const float sh = (ep - em) / 2.0f;
  const float g1 = c * ch + sn * sh;
  const float g2 = c * ch - sn * sh;
  const float g3 = sn * ch;
  const float g4 = c * sh;
  const float a = 2.0f * f * q * g4 + (f + 1.0f) * g1 + g3 / q;
  const float b = (f + 1.0f) * g2 + g4 / q - 2.0f * f * q * g3;
  AMP = std::sqrt(2.0f / (a * a + b * b));
  if (N <= 1.0f) LAG = std::atan2(a - b, a + b) * kDegPerRad / kDegPerHour;
}

void DECFAC(float U, float& DECR, float TLAG) {
  if (TLAG <= 0.0f) {
    DECR = 1.0f;
    return;
  }
  if (U == 0.0f) return;
  float r = 1.0f / U - kFilms;
  // A U-factor of exactly 1/0.85 leaves no layer at all; it is treated like a thinner one.
  if (r <= 0.0f) r = kMinLayer;
  const float d = std::pow(TLAG, 1.13f) / std::pow(0.55f * r, 1.724f);
  const float hi = 1.0f / kInsideFilm;
  const float ho = 1.0f / kOutsideFilm;
  float amp[2] = {0.0f, 0.0f};
  float lag = 0.0f;
  FGFUNC(r, d, hi, ho, amp[0], lag, 1.0f);
  FGFUNC(r, d, hi, ho, amp[1], lag, 2.0f);
  DECR = ((amp[0] + amp[1]) / 2.0f) * hi / U;
  if (DECR > 1.0f) DECR = 1.0f;
}

}  // namespace kv
