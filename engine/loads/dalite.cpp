// Daylight of one window: the exterior beam, sky and ground illuminances carried onto the
// work plane by the percentage coefficients of the light-shelf table, averaged over points
// spread across the zone's daylit depth.
#include <algorithm>
#include <cmath>

#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

namespace {

// Work-plane depth over window-head height at the table's columns 1..6.
constexpr float kDepthRatio[6] = {0.286f, 0.857f, 1.43f, 2.0f, 2.57f, 9.76f};

// The table row of the window's device: blank 1; overhangs 2..4; light shelves 5..19, the
// row nearest to the device's two values (the earlier row on a tie).
int deviceRow(const DaylightWindow& w, const LSHELF& t) {
  int lo = 0, hi = -1;
  if (w.IDEV == 'H' || w.IDEV == 'O') {
    lo = 2;
    hi = 4;
  } else if (w.IDEV == 'L') {
    lo = 5;
    hi = 19;
  }
  int row = 1;
  float best = 100.0f;
  for (int r = lo; r <= hi; ++r) {
    const float d = std::fabs(w.P1 - t.LSV1(r)) + std::fabs(w.P2 - t.LSV2(r));
    if (d < best) {
      best = d;
      row = r;
      if (d == 0.0f) break;
    }
  }
  return row;
}

// Coefficient of block b at depth ratio x, whose first breakpoint at or beyond x is j.
float coefficient(const LSHELF& t, int row, int j, float x, int b) {
  if (j == 1) return t.LST(row, 1, b);
  const float c0 = t.LST(row, j - 1, b);
  const float c1 = t.LST(row, j, b);
  const float x0 = kDepthRatio[j - 2];
  const float x1 = kDepthRatio[j - 1];
  return c0 + (c1 - c0) * (x - x0) / (x1 - x0);
}

}  // namespace

void DALITE8(const DaylightWindow& w, const LSHELF& t, float& EW) {
  EW = 0.0f;
  const int row = deviceRow(w, t);

  // Exterior illuminances, fc: Btu/h ft2 to W/m2, to lux by the luminous efficacy, to fc.
  const float sky = 136.0f - 31.9f * w.CC;
  const float eb = w.BEAM / 0.317f * 103.0f / 10.764f;
  float es = w.DFH * w.Y / 0.317f * sky / 10.764f;
  float eg = w.DH / 0.317f * 0.5f * w.GRFL * sky / 10.764f;
  if (w.P1 == 0.0f && w.DSHD == 0.0f) {
    es *= w.SD;
    eg *= w.SD;
  }

  // Points across the daylit depth, about 8 ft apart, never more than 12 ft.
  const float depth = w.DLDEP;
  int n = 1;
  float step = depth;
  if (depth >= 12.0f) {
    n = static_cast<int>(std::min(depth / 8.0f, 1.0e6f));
    step = depth / static_cast<float>(n);
    if (step > 12.0f) {
      n += 1;
      step = depth / static_cast<float>(n);
    }
  }

  // A window without height (or a sill above its top) lets no daylight in.
  const float h = w.HTOP - w.HSILL;
  if (!(h > 0.0f)) return;
  const float fw = w.AWIND / h / w.WWIDTH;
  const float f = row > 4 ? ((3.0f * w.P3 / 0.9f) + (4.0f * w.P4 / 0.6f)) / 7.0f * fw * w.TDIFF
                          : fw * w.TDIFF * w.VTWIN;

  const float dx = step / w.HTOP;
  float x = 0.0f;
  for (int k = 1; k <= n; ++k) {
    x += dx;
    int j = 0;
    for (int c = 1; c <= 6 && j == 0; ++c)
      if (kDepthRatio[c - 1] >= x) j = c;
    if (j == 0) {
      if (dx > 0.0f) break;  // every later point lies deeper still and adds 0
      continue;
    }
    float e;
    if (w.CC > 0.5f) {
      e = (eg + es) * coefficient(t, row, j, x, 3) / 100.0f;
    } else {
      e = (eb * coefficient(t, row, j, x, 1) + (eg + es) * coefficient(t, row, j, x, 2)) / 100.0f;
    }
    EW += std::min(e * f, w.FCTGT) / static_cast<float>(n);
  }
}

}  // namespace kv
