#include "engine/core/psychro.h"

#include <cmath>

namespace kv {

float PVSF(float T) {
  // Hyland and Wexler's saturation pressure (the ASHRAE Handbook's formulation): over ice
  // below 32 F, over water at and above it; absolute temperature in K. Its logarithm in Pa
  // less that of the Pa in an inch of mercury gives inches of mercury directly.
  const float tk = (T - 32.0f) / 1.8f + 273.15f;
  if (tk <= 0.0f) return 0.0001f;  // no vapour at or below absolute zero: the floor below
  constexpr float kLnPaPerInHg = 8.1275194f;
  float lnP;
  if (T < 32.0f) {
    lnP = -5.6745359e3f / tk + 6.3925247f +
          tk * (-9.6778430e-3f + tk * (6.2215701e-7f + tk * (2.0747825e-9f - 9.4840240e-13f * tk))) +
          4.1635019f * std::log(tk);
  } else {
    lnP = -5.8002206e3f / tk + 1.3914993f + tk * (-4.8640239e-2f + tk * (4.1764768e-5f - 1.4452093e-8f * tk)) +
          6.5459673f * std::log(tk);
  }
  float PWS = std::exp(lnP - kLnPaPerInHg);
  if (PWS <= 0.0f) PWS = 0.0001f;
  return PWS;
}

float DPF(float PV) {
  const float a = std::log(PV);
  const float a2 = a * a;
  if (PV > 0.1836f) return 79.047f + 30.579f * a + 1.8893f * a2;
  return 71.98f + 24.873f * a + 0.8927f * a2;
}

float WBF(float DB, float DP, float H, float P) {
  if (H < 0.001f || !(DP + 1.0f < DB)) return (DB + DP) / 2.0f;
  const float b = std::log(H);
  const float b2 = b * b;
  const float b3 = b2 * b;
  float T;
  if (H > 11.758f) {
    T = 30.9185f - 39.682f * b + 20.5841f * b2 - 1.758f * b3;
  } else {
    T = 0.6041f + 3.4841f * b + 1.3601f * b2 + 0.97307f * b3;
  }
  const float d = std::fabs(P - 29.92f);
  if (!(d < 0.22f && H > 0.01f)) {
    float s = -d / 2.0f;
    int prev = -1;
    // The search halves in on the saturated enthalpy; it is bounded so that a pressure at
    // or below the vapour pressure cannot make it run forever.
    for (int guard = 0; guard < 1000; ++guard) {
      const float PWS = PVSF(T);
      const float WS = 0.622f * PWS / (P - PWS);
      const float HS = (0.444f * T + 1061.0f) * WS + 0.24f * T;
      if (std::fabs(s) < 0.1f || std::fabs(HS - H) < 0.03f) break;
      const int dir = HS < H ? 1 : -1;
      if (dir != prev) s = -0.4f * s;
      T = T + s;
      prev = dir;
    }
  }
  if (T < DP) return (DB + DP) / 2.0f;
  return T;
}

void moistAirState(float DB, float P, float DP, float& PV, float& W, float& H, float& V, float& RH) {
  PV = PVSF(DP);
  RH = 100.0f * PV / PVSF(DB);
  W = 0.622f * PV / (P - PV);
  V = 0.754f * (DB + 459.7f) * (1.0f + 7000.0f * W / 4360.0f) / P;
  H = (0.444f * DB + 1061.0f) * W + 0.24f * DB;
}

void PSY2(float DB, float& WB, float P, float DP, float& PV, float& W, float& H, float& V, float& RH) {
  moistAirState(DB, P, DP, PV, W, H, V, RH);
  WB = WBF(DB, DP, H, P);
  if (WB > DB) WB = DB;
}

void PSY1(float DB, float& WB, float P, float& DP, float& PV, float& W, float& H, float& V, float& RH) {
  const float PWB = PVSF(WB);
  const float PDB = PVSF(DB);
  if (!(WB < DB)) {
    // A wet bulb above the dry bulb means saturated air at the dry bulb (taking the
    // pressure at the given wet bulb would give more than 100 % humidity).
    WB = DB;
    PV = PDB;
  } else {
    const float WSW = 0.622f * PWB / (P - PWB);
    if (WB > 32.0f) {
      const float tD = (DB - 32.0f) / 1.8f;
      const float tW = (WB - 32.0f) / 1.8f;
      const float X = (0.4409f * WSW + 0.2402f) * (tD - tW) / (0.4409f * tD + 597.31f - tW);
      const float r = (WSW - X) / 0.622f;
      PV = P * r / (r + 1.0f);
    } else {
      PV = PWB - 0.0005704f * P * (DB - WB) / 1.8f;
    }
  }
  W = 0.622f * PV / (P - PV);
  V = 0.754f * (DB + 459.7f) * (1.0f + 7000.0f * W / 4360.0f) / P;
  H = (0.444f * DB + 1061.0f) * W + 0.24f * DB;
  if (PV <= 0.0001f) PV = 0.0001f;
  DP = DPF(PV);
  if (DP > DB) DP = DB;
  RH = 100.0f * PV / PDB;
}

}  // namespace kv
