// A one-zone building with one surface, filled by hand the way the set-up and the hour
// preparation leave it, for the surface-pass and daylighting tests.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/core/state.h"
#include "engine/loads/stages.h"
#include "engine/loads/surfaces.h"

namespace kv::testing {

inline constexpr double kRad = 3.14159265358979323846 / 180.0;

// Wall type 1 and window type 1 of every fixture.
struct SurfaceFixture {
  std::unique_ptr<EngineState> s = std::make_unique<EngineState>();

  SurfaceFixture() {
    BLDG& b = s->bldg;
    ENACC& a = s->enacc;
    b.NZ = 1;
    b.NASM = 1;
    b.NGLS = 1;
    b.LASTSURF(1) = 1;
    b.UWAL(1) = 0.2f;
    b.ABSWAL(1) = 0.5f;
    b.LAGWAL(1) = 0.0f;
    b.DECWAL(1) = 1.0f;
    b.UWIN(1) = 0.5f;
    b.SHGC(1) = 0.6f;
    b.EMWIN(1) = 0.84f;
    b.VTWIN(1) = 0.7f;
    b.DLFLG(1) = 'N';
    b.ZHGT(1) = 10.0f;
    for (auto& t : s->wxmon.TDBM) t = 70.0f;
    for (int z = 1; z <= kZones; ++z) a.TZONE(z) = 70.0f;
    // Still air: the film values of the hour preparation at a wind of 0 mph.
    a.RFILM1 = 1.0f / 1.45f;
    a.RFILM2 = 1.0f / 1.9f;
    a.GFILM = 1.46f / (1.9f + 1.46f);
    a.IHRC = 5;
    a.IHR = 12;
    s->hrwthr.DB = 40.0f;
    s->hrwthr.NIGHT = 1;
    surface(1, 180.0f, 3.0f, 100.0f, 0.0f);
  }

  // Surface n of the given orientation (deg), exposure, opaque and glass area; vertical,
  // nothing shading it, its history at 50 F.
  void surface(int n, float orient, float expos, float awall, float awind) {
    BLDG& b = s->bldg;
    ENACC& a = s->enacc;
    b.IWALL(n) = 1;
    b.IWIND(n) = 1;
    b.AWALL(n) = awall;
    b.AWIND(n) = awind;
    b.ORIENT(n) = orient;
    b.EXPOS(n) = expos;
    tilt(n, 90.0f);
    b.SWBFLG(n) = ' ';
    for (int k = 1; k <= 3; ++k) {
      b.SHDC(k, n) = 'N';
      b.SHDV(k, n) = 0.0f;
    }
    b.TDIFF(n) = 1.0f;
    b.IDEV(n) = ' ';
    a.COSOR(n) = static_cast<float>(std::cos(orient * kRad));
    a.SINOR(n) = static_cast<float>(std::sin(orient * kRad));
    a.GLFAC(n) = 1.0f - (0.92f - b.EMWIN(1)) - b.SHGC(1);
    const int e = expos > 6.0f ? 7 : static_cast<int>(expos);
    const float t1[7] = {0.07f, 0.22f, 0.15f, 0.18f, 100.0f, 0.0f, 0.0f};
    const float t2[7] = {0.18f, 0.55f, 0.06f, 0.06f, 100.0f, 0.0f, 0.0f};
    a.EXPF1(n) = t1[e - 1];
    a.EXPF2(n) = t2[e - 1];
    history(n, 50.0f);
  }

  void tilt(int n, float deg) {
    s->bldg.SINTLT(n) = static_cast<float>(std::sin(deg * kRad));
    s->bldg.COSTLT(n) = static_cast<float>(std::cos(deg * kRad));
  }

  void history(int n, float t) {
    s->enacc.TSURF(n) = t;
    for (int c = 1; c <= 24; ++c) s->enacc.TSAHIST(c, n) = t;
  }

  // A daylight hour with the sun at the given altitude and azimuth (deg from north, east
  // positive), the sun fields filled as the calendar fills them.
  void sun(double altDeg, double azmDeg, float dn, float dfh, float dh) {
    HRWTHR& w = s->hrwthr;
    w.NIGHT = 0;
    w.ALT = static_cast<float>(altDeg);
    w.AZM = static_cast<float>(azmDeg);
    w.ALTRAD = static_cast<float>(altDeg * kRad);
    w.SINALT = static_cast<float>(std::sin(altDeg * kRad));
    w.COSALT = static_cast<float>(std::cos(altDeg * kRad));
    w.TANALT = static_cast<float>(std::tan(altDeg * kRad));
    w.SINAZM = static_cast<float>(std::sin(azmDeg * kRad));
    w.COSAZM = static_cast<float>(std::cos(azmDeg * kRad));
    w.DN = dn;
    w.DFH = dfh;
    w.DH = dh;
  }

  void shade(int n, int k, char code, float value) {
    s->bldg.SHDC(k, n) = code;
    s->bldg.SHDV(k, n) = value;
  }

  SurfaceHour hour(int n = 1, int z = 1, int month = 1) {
    SurfaceHour h;
    surfaceHour(*s, z, n, month, h);
    return h;
  }
};

// A file written by the engine, read back whole.
inline std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace kv::testing
