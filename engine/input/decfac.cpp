#include "engine/input/decfac.h"

#include <cmath>
#include <limits>

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
constexpr float kMinDecrement = std::numeric_limits<float>::min();
}  // namespace

namespace {

// One harmonic in the precision T.
template <typename T>
void harmonic(T R, T D, T HI, T HO, T& AMP, T& LAG, T N) {
  const T f = HI / HO;
  const T s = std::sqrt(T(kHalfOmega) * D) * std::sqrt(N);
  T p = s * R;
  if (p > T(kMaxThickness)) p = T(kMaxThickness);
  const T q = s / HI;
  const T c = std::cos(p);
  const T sn = std::sin(p);
  const T ep = std::exp(p);
  const T em = std::exp(-p);
  const T ch = (ep + em) / T(2);
  const T sh = (ep - em) / T(2);
  const T g1 = c * ch + sn * sh;
  const T g2 = c * ch - sn * sh;
  const T g3 = sn * ch;
  const T g4 = c * sh;
  const T a = T(2) * f * q * g4 + (f + T(1)) * g1 + g3 / q;
  const T b = (f + T(1)) * g2 + g4 / q - T(2) * f * q * g3;
  AMP = std::sqrt(T(2) / (a * a + b * b));
  if (N <= T(1)) LAG = std::atan2(a - b, a + b) * T(kDegPerRad) / T(kDegPerHour);
}

}  // namespace

void FGFUNC(float R, float D, float HI, float HO, float& AMP, float& LAG, float N) {
  float lag = LAG;
  harmonic<float>(R, D, HI, HO, AMP, lag, N);
  if (std::isfinite(AMP) && AMP > 0.0f && std::isfinite(lag)) {
    LAG = lag;
    return;
  }
  // A layer so thick that single precision overflows (exp of the thickness, or its square):
  // the same formulas in double precision, whose range holds every thickness up to the cap.
  double amp = 0.0;
  double lagD = LAG;
  harmonic<double>(R, D, HI, HO, amp, lagD, N);
  AMP = static_cast<float>(amp);
  LAG = static_cast<float>(lagD);
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
  // A wall that damps the swing beyond what single precision holds still passes a trace of it.
  if (!(DECR >= kMinDecrement)) DECR = kMinDecrement;
}

}  // namespace kv
