// The surface pass of the hour: sun, sky, ground and outdoor air on every surface of every
// zone, turned into opaque conduction (sol-air temperature with time lag and decrement),
// window conduction and solar, daylight, and inside surface temperatures, summed per zone.
#include "engine/loads/surfaces.h"

#include <algorithm>
#include <cmath>

#include "engine/core/fixfmt.h"
#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

namespace {

constexpr float kDegPerRad = 57.29578f;

// Ground reflectance of water by sun-altitude index 1..10.
constexpr float kWaterRefl[10] = {0.6f, 0.4f, 0.15f, 0.06f, 0.04f, 0.03f, 0.02f, 0.02f, 0.02f, 0.02f};

// INT() of a value that may be out of the integer range (never undefined behaviour).
int truncInt(float v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::clamp(v, -1.0e9f, 1.0e9f));
}

int positiveMod(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}

// " *** FATAL ERROR ***" line of a shade letter other than N, F, T, L and R.
void reportBadShade(EngineState& s, char letter, int n) {
  Line ln;
  ln.text(" *** FATAL ERROR ***   THE SHADE POSITION INDICATOR").text(" ( ").ch(letter)
      .text(" )  IS NOT VALID IN WALL NUMBER").I(n, 4);
  s.files.report.emptyLine();
  s.files.report.line(ln.view());
}

// Exterior shading of surface n by its three shade slots.
void shade(EngineState& s, int n, SurfaceHour& h) {
  const BLDG& b = s.bldg;
  const HRWTHR& w = s.hrwthr;
  for (int k = 1; k <= 3; ++k) {
    const float v = b.SHDV(k, n);
    char c = b.SHDC(k, n);
    if (v == 0.0f || c == 'N') continue;
    if (c == 'F') {
      h.SB *= 1.0f - v;
      h.SD *= 1.0f - v;
      continue;
    }
    if (h.cosi <= 0.0f) {
      h.SD *= 0.7f;
      continue;
    }
    if (c == 'T') {
      // The angle between the window's normal and the sun's azimuth, folded into 0..180.
      float d = std::fmod(std::fabs(b.ORIENT(n) - w.AZM), 360.0f);
      if (d > 180.0f) d = 360.0f - d;
      if (d > 88.0f) {
        h.SB *= 1.0f - v;
        h.SD *= 0.7f;
      } else {
        const float p = std::max(1.0f - v * w.TANALT / std::cos(d / kDegPerRad), 0.0f);
        h.SB *= p;
        h.SD *= (p + 1.0f) / 2.0f;
      }
      continue;
    }
    if (c != 'L' && c != 'R') {
      reportBadShade(s, c, n);
      c = 'R';
    }
    float e = 0.0f;
    if (c == 'L') {
      float a = b.ORIENT(n) + 20.0f;
      if (a > 360.0f) a -= 360.0f;
      e = w.AZM - a;
    } else {
      float a = b.ORIENT(n) - 20.0f;
      if (a < 0.0f) a += 360.0f;
      e = a - w.AZM;
    }
    if ((e > 0.0f && e < 90.0f) || e < -270.0f) h.SB *= 1.0f - v;
    h.SD *= 1.0f - v;
  }
}

// Incidence, shading and irradiance of a surface above ground in daylight; also the
// orientation peaks and the hot-pavement correction of the outdoor temperature.
void solar(EngineState& s, int n, int expo, SurfaceHour& h) {
  const BLDG& b = s.bldg;
  ENACC& a = s.enacc;
  const HRWTHR& w = s.hrwthr;
  h.cosi = (w.COSAZM * a.COSOR(n) + w.SINAZM * a.SINOR(n)) * w.COSALT * b.SINTLT(n) +
           w.SINALT * b.COSTLT(n);
  shade(s, n, h);

  h.Ib = std::max(h.cosi, 0.0f) * w.DN;
  h.Ibs = h.Ib * h.SB;
  h.Y = h.cosi < -0.2f ? 0.45f : 0.55f + 0.437f * h.cosi + 0.313f * h.cosi * h.cosi;
  h.rhoS = a.EXPF1(n);
  h.rhoD = a.EXPF2(n);
  if (expo == 5) {
    const int i = std::clamp(truncInt(w.ALT / 10.0f + 1.3f), 1, 10);
    h.rhoS = h.rhoD = kWaterRefl[i - 1];
    h.Id = h.cosi > 0.0f ? (h.rhoS * w.DH + w.DFH) * h.Y * h.SD : w.DFH * h.Y * h.SD;
  } else {
    h.Id = (h.Y * w.DFH + 0.5f * w.DH * h.rhoS * b.SINTLT(n)) * h.SD;
    if (b.GREFL(n) != 0.0f) h.rhoD = b.GREFL(n);
  }
  h.It = h.Ibs + h.Id;

  if (expo < 6) {
    const int o = truncInt(b.ORIENT(n));
    for (int k = 1; k <= 4; ++k) {
      if (a.IORNT(k) != o) continue;
      a.IDIRV(k) = std::max(a.IDIRV(k), truncInt(h.Ib + 0.5f));
      a.IDIFV(k) = std::max(a.IDIFV(k), truncInt(h.Id + 0.5f));
    }
  }

  if (expo == 1 || expo == 2) {
    float dT = (1.0f - h.rhoS) * 0.06f * w.DH * h.SD * a.RFILM1;
    if (h.cosi < 0.0f) dT *= 0.5f;
    h.To = w.DB + dT;
  }
}

// Opaque conduction of a wall or roof by its sol-air temperature, time lag and decrement.
void opaque(EngineState& s, int z, int n, int expo, SurfaceHour& h) {
  const BLDG& b = s.bldg;
  ENACC& a = s.enacc;
  const int t = b.IWALL(n);
  const float u = b.UWAL(t);
  const float dec = b.DECWAL(t);
  const float tz = a.TZONE(z);

  h.Tsa = h.It * b.ABSWAL(t) * a.RFILM1 + h.To;
  const float up = 1.0f / (1.0f / u - 0.17f + a.RFILM1);
  if (expo == 6) h.Tsa -= 7.0f;

  const int c = a.IHRC;
  a.TSURF(n) += (h.Tsa - a.TSAHIST(c, n)) / 24.0f;
  const float tlag = a.TSAHIST(lagSlot(c, b.LAGWAL(t)), n);
  const float tm = a.TSURF(n);

  if (expo != 6) {
    const float etd = (tlag - tm) * dec + tm - tz;
    h.Q = up * b.AWALL(n) * etd;
    h.Tsi = up * 0.68f * etd + tz;
  } else {
    // Roof: the inside film of heat flowing up (0.61) unless the flow is downward.
    constexpr float kRi[2] = {0.61f, 0.92f};
    float um = 0.0f, etd = 0.0f, ri = 0.0f;
    for (int m = 0; m < 2; ++m) {
      ri = kRi[m];
      um = 1.0f / (1.0f / u - 0.196f + a.RFILM1 - 0.68f + ri);
      const float df = up * 0.68f * dec / (ri * um);
      etd = (tlag - tm) * df + tm - tz;
      if (m == 0 && etd < 0.0f) break;
    }
    h.Q = um * b.AWALL(n) * etd;
    h.Tsi = ri * um * etd + tz;
  }
  a.TSAHIST(c, n) = h.Tsa;
}

// A surface below ground: the ground temperature at its depth, no film, no history.
void underground(EngineState& s, int z, int n, SurfaceHour& h) {
  const BLDG& b = s.bldg;
  ENACC& a = s.enacc;
  const float e = b.EXPOS(n);
  const float depth = (e - 10.0f * std::trunc(e / 10.0f)) * 3.27f;
  const float tg = a.GRNDMEAN - std::exp(-0.1198f * depth) * a.GRNDAMP *
                                    std::cos(0.01721f * (a.GRNDDAY - 34.5f - 6.958f * depth));
  h.To = tg;
  a.TSURF(n) = tg;
  const float tz = a.TZONE(z);
  const float etd = tg - tz;
  const float up = b.UWAL(b.IWALL(n));
  h.Q = up * b.AWALL(n) * etd;
  h.Tsi = up * 0.68f * etd + tz;
}

// The window: daylight, conduction, inside glass temperature and solar gains.
void window(EngineState& s, int z, int n, SurfaceHour& h) {
  const BLDG& b = s.bldg;
  const ENACC& a = s.enacc;
  const HRWTHR& w = s.hrwthr;
  const int g = b.IWIND(n);
  const float area = b.AWIND(n);
  const float tz = a.TZONE(z);

  if (w.NIGHT == 0 && b.DLFLG(z) != 'N' && b.ZLOAD(4, z) != 0.0f &&
      b.PROF(4, b.IPROF(4, z), a.IHR) != 0.0f && b.FCTGT(z) >= 1.0f) {
    DaylightWindow d;
    d.BEAM = h.Ib;
    d.DH = w.DH;
    d.DFH = w.DFH;
    d.GRFL = h.rhoD;
    d.CC = w.CC;
    d.SD = h.SD;
    d.Y = h.Y;
    d.DLDEP = b.DLDEP(z);
    d.WWIDTH = (b.AWALL(n) + area) / b.ZHGT(z);
    d.DSHD = b.DSHD(n);
    d.TDIFF = b.TDIFF(n);
    d.HTOP = b.HTOP(n);
    d.HSILL = b.HSILL(n);
    d.AWIND = area;
    d.FCTGT = b.FCTGT(z);
    d.VTWIN = b.VTWIN(g);
    d.P1 = b.DOVH(n);
    d.P2 = b.DSHLF(n);
    d.P3 = b.RSHLF(n);
    d.P4 = b.TSHLF(n);
    d.IDEV = b.IDEV(n);
    DALITE8(d, s.lshelf, h.Ew);
    h.daylit = true;
  }

  const float shgc = b.SHGC(g);
  const float uw = 1.0f / (1.0f / b.UWIN(g) - 0.146f + a.RFILM2);
  h.Qwc = uw * area * (h.To - tz);
  if (w.NIGHT != 0) {
    h.Tgi = uw * 0.68f * (h.To - tz) + tz;
    return;
  }
  h.Tgi = ((h.To - tz) * uw + a.GFILM * a.GLFAC(n) * h.It * shgc) * 0.68f + tz;
  h.K = angleFactor(h.cosi);
  h.Qt = (h.K * h.Ibs + h.Id) * area * shgc;
  h.Qa = area * a.GLFAC(n) * a.GFILM * h.It * shgc;
}

void traceLine(EngineState& s, int z, int n, const SurfaceHour& h) {
  Line hd;
  hd.text("   TIM   ZN      DB   TEave      AW     TSI      AG ").text("    TGI     SOL      GT");
  s.files.trace.line(hd.view());
  const BLDG& b = s.bldg;
  Line ln;
  ln.text(" ").I(s.enacc.IHR, 5).I(z, 5).F(s.hrwthr.DB, 8, 1).F(s.enacc.TSURF(n), 8, 1)
      .F(b.AWALL(n), 8, 1).F(h.Tsi, 8, 1).F(b.AWIND(n), 8, 1).F(h.Tgi, 8, 1).F(h.It, 8, 1)
      .F(b.EXPOS(n), 8, 1);
  s.files.trace.line(ln.view());
}

}  // namespace

int lagSlot(int c, float lag) { return positiveMod(c - truncInt(lag) + 23, 24) + 1; }

float angleFactor(float cosi) {
  if (cosi <= 0.05f) return 0.0f;
  if (cosi > 0.73f) return 1.0f;
  const float th = std::acos(cosi) * kDegPerRad;
  return 1.033645f - 0.0093969f * th + 0.000413072f * th * th - 0.00000476238f * th * th * th;
}

bool surfaceHour(EngineState& s, int z, int n, int32_t MONTH, SurfaceHour& h) {
  const BLDG& b = s.bldg;
  const HRWTHR& w = s.hrwthr;
  h = SurfaceHour{};
  if (b.AWALL(n) == 0.0f && b.AWIND(n) == 0.0f) return false;
  const char season = b.SWBFLG(n);
  if (season == 'S' || season == 'W') {
    const bool warm = s.wxmon.TDBM(MONTH) >= 65.0f;
    if (warm == (season == 'W')) return false;
  }

  h.To = w.DB;
  if (b.EXPOS(n) >= 7.0f) {
    underground(s, z, n, h);
  } else {
    const int expo = truncInt(b.EXPOS(n));
    if (w.NIGHT == 0) solar(s, n, expo, h);
    opaque(s, z, n, expo, h);
  }
  if (b.AWIND(n) != 0.0f) window(s, z, n, h);
  return true;
}

void SURFACES(EngineState& s, int32_t MONTH) {
  const BLDG& b = s.bldg;
  ENACC& a = s.enacc;
  int first = 1;
  for (int z = 1; z <= b.NZ; ++z) {
    const int last = b.LASTSURF(z);
    for (int n = first; n <= last; ++n) {
      SurfaceHour h;
      if (!surfaceHour(s, z, n, MONTH, h)) continue;
      a.QTSZ(z) += h.Qt;
      a.QWAZ(z) += h.Qa + h.Qwc;
      a.QWSZ(z) += h.Qt + h.Qa;
      a.QOPZ(z) += h.Q;
      if (b.EXPOS(n) >= 6.0f && b.EXPOS(n) < 7.0f) a.QROOFZ(z) += h.Q;
      a.SOPZ(z) += h.Tsi * b.AWALL(n);
      a.SALLZ(z) += h.Tsi * b.AWALL(n) + h.Tgi * b.AWIND(n);
      if (h.daylit) a.FCDLZ(z) = std::min(a.FCDLZ(z) + h.Ew, b.FCTGT(z));
      if (a.IDETL > 5) traceLine(s, z, n, h);
    }
    first = last + 1;
  }
}

}  // namespace kv
