#include "engine/core/random.h"

#include <cmath>

#include "engine/core/state.h"

namespace kv {

namespace {
constexpr double kScale = 100000000.0;
constexpr double kLow = 0.000009999999747378752;     // 1.0E-5 in single precision
constexpr double kReduce = 0.10000000149011612;      // 0.1 in single precision
static_assert(kLow == static_cast<double>(1.0e-5f));
static_assert(kReduce == static_cast<double>(0.1f));
}  // namespace

double RAND1(RANDST& r, double X, const ClockReading& clock) {
  double S = r.S;
  if (X < 0.0) {
    S = -X;
  } else if (X == 0.0) {
    S = 1000.0 * clock.hundredths + 100.0 * clock.second + 10.0 * clock.minute + clock.hour;
    S = S * kReduce;
  }
  // A seed that is no finite number (a scanned run of 40 digits overflows) can never be
  // brought below 1: it leaves the generator unseeded rather than spinning forever.
  if (!std::isfinite(S)) S = 0.0;
  while (!(S < 1.0)) S = S * kReduce;
  for (;;) {
    const double T = S * kScale;
    const double U = 23.0 * T;
    const double K = std::trunc(U / kScale);
    S = (U - K * kScale) / kScale;
    if (S < kLow) S = std::fabs(S * 10000.0);
    if (S < 1.0) break;
    S = S * kReduce;
  }
  r.S = S;
  return S;
}

double RAND1(EngineState& s, double X) {
  const ClockReading c = X == 0.0 ? readClock(s) : ClockReading{};
  return RAND1(s.randst, X, c);
}

}  // namespace kv
