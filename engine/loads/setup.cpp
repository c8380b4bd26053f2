// The load model's set-up (ENERGY's first call): completes and checks the building model for
// the hourly computation, writes the heads of the hourly spreadsheets, seeds the peak records
// and zeroes the accumulators. Every problem it finds is counted in BLDG's NERR, so that the
// main program's error gate stops the run; after an error it goes on with slot 1 in place of
// the missing type or profile, so every later step indexes valid slots.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/core/fixfmt.h"
#include "engine/core/psychro.h"
#include "engine/core/report.h"
#include "engine/core/state.h"
#include "engine/core/units.h"
#include "engine/input/kvan64main.h"
#include "engine/loads/hourheads.h"
#include "engine/loads/stages.h"
#include "runfiles.h"

namespace kv {

namespace {

constexpr float kLTFAC[6] = {1.0f, 1.0f, 1.2f, 1.2f, 1.0f, 1.2f};
constexpr float kEXPTB1[7] = {0.07f, 0.22f, 0.15f, 0.18f, 100.0f, 0.0f, 0.0f};
constexpr float kEXPTB2[7] = {0.18f, 0.55f, 0.06f, 0.06f, 100.0f, 0.0f, 0.0f};
constexpr float kEMFAC[6][3] = {{0.00115f, 7.283E-6f, 9.03E-7f}, {0.00078f, 5.6E-6f, 9.03E-7f},
                                {0.000515f, 3.521E-9f, 9.03E-7f}, {0.1008f, 6.384E-4f, 8.61E-5f},
                                {0.0799f, 5.756E-4f, 9.254E-5f},  {0.061f, 4.171E-7f, 1.069E-4f}};

// Areas in the messages: m2 for SI projects, ft2 otherwise.
float shownArea(const EngineState& s, float ft2) { return reportsInSI(s) ? ft2 * kM2PerFt2 : ft2; }

// A set-up error of the checks that guard the values the load model indexes or divides by.
void setupError(EngineState& s, const Line& ln) { LogInputError(s, ln.view()); }

void comfortAndDetail(EngineState& s) {
  ENACC& e = s.enacc;
  const bool si = reportsInSI(s);
  const float lo = s.wxmon.TCOMF(1), hi = s.wxmon.TCOMF(2);
  if (hi == 0.0f) {
    e.TCMFHI = 79.0f;
    e.TCMFLO = 68.0f;
  } else if (si) {
    e.TCMFHI = hi * 1.8f + 32.0f;
    e.TCMFLO = lo * 1.8f + 32.0f;
  } else {
    e.TCMFHI = hi;
    e.TCMFLO = lo;
  }

  // Detail level: one integer in columns 1-10 of detail.hry; absent or unreadable = 0.
  InFile f;
  if (f.open(runPath(s.runDir, kalvano::files::kDetailLevel))) {
    std::string line;
    if (f.readLine(line)) {
      try {
        e.IDETL = readI(line, 1, 10);
      } catch (const FieldError&) {
        // an unreadable level leaves it unchanged
      }
    }
    f.close();
  }

  e.QPSENS = 250.0f;
  e.QPLAT = 200.0f;
  if (si) {
    e.ICMFLO = static_cast<int32_t>((e.TCMFLO - 32.0f) / 1.8f + 0.5f);
    e.ICMFHI = static_cast<int32_t>((e.TCMFHI - 32.0f) / 1.8f + 0.5f);
  } else {
    e.ICMFLO = static_cast<int32_t>(e.TCMFLO + 0.5f);
    e.ICMFHI = static_cast<int32_t>(e.TCMFHI + 0.5f);
  }
}

void climate(EngineState& s) {
  ENACC& e = s.enacc;
  const WXMON& w = s.wxmon;
  float mean = 0.0f, tmin = w.TDBM(1), tmax = w.TDBM(1);
  e.MCOLD = 1;
  for (int m = 1; m <= 12; ++m) {
    mean += w.TDBM(m) / 12.0f;
    if (w.TDBM(m) < tmin) {
      tmin = w.TDBM(m);
      e.MCOLD = m;
    }
    if (w.TDBM(m) > tmax) tmax = w.TDBM(m);
  }
  e.GRNDAMP = (tmax - mean) * 0.7f;
  e.GRNDMEAN = mean + 3.0f;
}

// Up to four distinct orientations of the non-horizontal surfaces, ascending.
void orientations(EngineState& s) {
  ENACC& e = s.enacc;
  const BLDG& b = s.bldg;
  e.IORNT.fill(0);
  const int last = b.NZ > 0 ? b.LASTSURF(b.NZ) : 0;
  for (int i = 1; i <= last; ++i) {
    if (b.SINTLT(i) == 0.0f) continue;
    const int32_t o = static_cast<int32_t>(b.ORIENT(i));
    bool held = false;
    for (int k = 1; k <= 4; ++k) held = held || e.IORNT(k) == o;
    if (held) continue;
    for (int k = 1; k <= 4; ++k) {
      if (e.IORNT(k) == 0) {
        e.IORNT(k) = o;
        break;
      }
    }
  }
  for (int i = 1; i <= 3; ++i)
    for (int j = i + 1; j <= 4; ++j)
      if (e.IORNT(j) < e.IORNT(i)) std::swap(e.IORNT(j), e.IORNT(i));
}

void calendarAndEconomics(EngineState& s) {
  ENACC& e = s.enacc;
  BLDG& b = s.bldg;
  e.MLAST = 0;
  // Weekday of the first simulated day, 1 = Monday, from the weekday of 1 January
  // (1 = Sunday) and the first day of the run.
  int r = (s.runpar.IDOW1 + s.runpar.IDAY1 - 3) % 7;
  if (r < 0) r += 7;
  e.IDOW = r + 1;
  e.NONWRK = 0;
  e.NWDAYS = static_cast<int32_t>(b.DAYSWK);
  e.WDFRAC = b.DAYSWK - static_cast<float>(e.NWDAYS);
  // Fewer than one occupied day a week is an input error of the project reader; the
  // holiday factor then stays 1 instead of dividing by zero.
  e.HOLFAC = e.NWDAYS >= 1 ? 1.0f - b.HOLDYS / (static_cast<float>(e.NWDAYS) * 52.0f) : 1.0f;
  e.CPKHR = 3;
  e.CPKAMPM.set("P.M.");
  e.CPKDAY = 1;
  e.CPKMON = 1;
  e.HPKHR = 7;
  e.HPKAMPM.set("A.M.");
  e.HPKDAY = 1;
  e.HPKMON = 1;
  e.HPKLOAD = 0.0f;
  e.CPKNEW = 1;
  e.HPKNEW = 1;
  e.GASPR = b.ECON(8) * 10.0f;
  e.ELECPR = b.ECON(6);
  // Outdoor lighting: there is no input for it, so its daily energy stays 0.

  const int n = std::min(b.NDEM, kDemandSlots);
  for (int i = 2; i <= n; ++i) b.DEMKW(i) = b.DEMKW(i) + b.DEMKW(i - 1);

  e.NWHRS = 0;
  e.WALLCOST = 0.0f;
  e.GLASCOST = 0.0f;
  e.MSTART = std::clamp((s.runpar.IDAY1 + 30) / 30, 1, 12);
}

void surfaces(EngineState& s) {
  ENACC& e = s.enacc;
  BLDG& b = s.bldg;
  const float tstart = s.wxmon.TDBM(e.MSTART);
  for (int z = 1; z <= b.NZ; ++z) {
    e.VOLUME(z) = b.FLRZ(z) * b.ZHGT(z);
    b.VNAT(z) = b.FLRZ(z) * b.VNAT(z);
    e.AREAS(z) = e.AREAW(z) = e.AEXT(z) = e.AINT(z) = e.UAGLAS(z) = 0.0f;
    const int first = z == 1 ? 1 : b.LASTSURF(z - 1) + 1;
    for (int i = first; i <= b.LASTSURF(z); ++i) {
      if (b.AWALL(i) == 0.0f && b.AWIND(i) == 0.0f) continue;
      e.TSURF(i) = tstart;
      for (int h = 1; h <= 24; ++h) e.TSAHIST(h, i) = tstart;
      e.COSOR(i) = std::cos(b.ORIENT(i) / 57.3f);
      e.SINOR(i) = std::sin(b.ORIENT(i) / 57.3f);

      // Wall type.
      int slot = 0;
      for (int g = 1; g <= b.NASM && slot == 0; ++g)
        if (b.IDWAL(g) == b.IWALL(i)) slot = g;
      if (slot == 0) {
        const int id = b.IWALL(i);
        b.IWALL(i) = 1;
        if (b.AWALL(i) != 0.0f) {
          s.files.report.emptyLine();
          Line ln;
          ln.T(5).text("** ERROR **   IN").I(b.NASM, 5).text(" ASSEMBLIES WALL I.D.").I(id, 5)
              .text(" CANNOT BE FOUND.");
          s.files.report.line(ln.view());
          b.NERR += 1;
        } else if (b.NASM == 0) {
          Line ln;
          ln.text("NO WALL OR ROOF TYPES ARE DEFINED, BUT WALL NO.").I(i, 4).text(" NEEDS ONE.");
          setupError(s, ln);
        }
      } else {
        b.IWALL(i) = static_cast<int16_t>(slot);
      }

      // Window type.
      slot = 0;
      for (int g = 1; g <= b.NGLS && slot == 0; ++g)
        if (b.IDWIN(g) == b.IWIND(i)) slot = g;
      if (slot == 0) {
        const int id = b.IWIND(i);
        b.IWIND(i) = 1;
        if (b.AWIND(i) != 0.0f) {
          if (id > 0) {
            s.files.monitor.emptyLine();
            Line ln;
            ln.T(5).text("** ERROR **   IN").I(b.NGLS, 5).text(" WINDOW TYPES GLASS I.D.").I(id, 5)
                .text(" CANNOT BE FOUND.");
            s.files.monitor.line(ln.view());
            b.NERR += 1;
          } else {
            s.files.report.emptyLine();
            Line ln;
            ln.T(5).text("*** WARNING; In wall number").I(i, 4).text(" glass i.d.=0")
                .text(" appears but has an area of").F(shownArea(s, b.AWIND(i)), 5, 1);
            s.files.report.line(ln.view());
            ln.clear();
            s.files.report.line(ln.T(5).text("*** This glass area is being ignored.").view());
            b.AWIND(i) = 0.0f;
            if (b.NGLS == 0) {
              Line en;
              en.text("NO WINDOW TYPES ARE DEFINED, BUT WALL NO.").I(i, 4).text(" HAS GLASS.");
              setupError(s, en);
            }
          }
        }
      } else {
        b.IWIND(i) = static_cast<int16_t>(slot);
      }
      const int g = b.IWIND(i);
      e.GLFAC(i) = std::clamp(1.0f - (0.92f - b.EMWIN(g)) - b.SHGC(g), 0.05f, 1.0f);

      // Window fraction to area; gross wall area to net opaque area.
      // A glass fraction on a surface without wall area is a fraction of nothing: no glass.
      if (b.AWALL(i) == 0.0f && b.AWIND(i) <= 1.0f) b.AWIND(i) = 0.0f;
      if (b.AWALL(i) != 0.0f) {
        if (b.AWIND(i) <= 1.0f) b.AWIND(i) = b.AWIND(i) * b.AWALL(i);
        b.AWALL(i) = b.AWALL(i) - b.AWIND(i);
        if (b.AWALL(i) < 0.0f) {
          s.files.monitor.emptyLine();
          Line ln;
          ln.T(5).text("** ERROR **  WALL NO.").I(i, 4).text(" IS SMALLER THAN THE").text(" WINDOW AREA ON SAME WALL.");
          s.files.monitor.line(ln.view());
          ln.clear();
          ln.T(16).text("WALL=").F(shownArea(s, b.AWALL(i)), 10, 0).text(" WINDOW=").F(shownArea(s, b.AWIND(i)), 10, 0);
          s.files.monitor.line(ln.view());
          b.NERR += 1;
        }
      }

      // Exposure: codes below 1 were reported by the project reader; they take code 1 here.
      const float xp = b.EXPOS(i);
      const int ex = !(xp >= 1.0f) ? 1 : (xp >= 7.0f ? 7 : static_cast<int>(xp));
      e.EXPF1(i) = kEXPTB1[ex - 1];
      e.EXPF2(i) = kEXPTB2[ex - 1];

      // Summer / winter / both: any letter but "S" or "W" (blank too) counts as both.
      const char swb = b.SWBFLG(i);
      const float wall = b.AWALL(i), glass = b.AWIND(i);
      if (swb != 'W') e.AREAS(z) += wall;
      if (swb != 'S') e.AREAW(z) += wall;
      if (swb == 'S') continue;
      e.WALLCOST += wall * b.CSTWAL(b.IWALL(i));
      e.GLASCOST += glass * b.CSTWIN(g);
      if (ex < 6) e.AEXT(z) += wall + glass;
      e.AINT(z) += wall + glass;
      e.UAGLAS(z) += b.UWIN(g) * glass;
    }
  }
}

void zoneSystems(EngineState& s) {
  ENACC& e = s.enacc;
  BLDG& b = s.bldg;
  for (int z = 1; z <= b.NZ; ++z) {
    const int no = b.IZONE(z);
    const float flr = b.FLRZ(z), hgt = b.ZHGT(z);
    e.AENCL(z) = 2.0f * flr + 4.2f * std::sqrt(std::max(flr, 0.0f)) * hgt;
    e.AINT(z) = std::max(e.AENCL(z) - e.AINT(z), 0.1f);

    if (!(hgt > 0.0f)) {
      Line ln;
      ln.text("ZONE").I(no, 6).text(" HAS NO HEIGHT: THE BUILDING SKETCH DOES NOT NAME IT.");
      setupError(s, ln);
    }
    const float perim = hgt > 0.0f ? e.AEXT(z) / hgt : 0.0f;
    if (b.DLFLG(z) == 'N') b.DLDEP(z) = 0.0f;
    e.DLFRAC(z) = flr > 0.0f ? std::min(perim * b.DLDEP(z) / flr, 1.0f) : 0.0f;

    if (b.ICOOL(z) < 1 || b.ICOOL(z) > 9) {
      Line ln;
      ln.text("COOLING TYPE").I(b.ICOOL(z), 6).text(" OF ZONE").I(no, 6).text(" IS NOT 1 TO 9.");
      setupError(s, ln);
      b.ICOOL(z) = 1;
    }
    if (b.IHEAT(z) < 1 || b.IHEAT(z) > 3) {
      Line ln;
      ln.text("HEATING TYPE").I(b.IHEAT(z), 6).text(" OF ZONE").I(no, 6).text(" IS NOT 1 TO 3.");
      setupError(s, ln);
      b.IHEAT(z) = 1;
    }
    const int c = b.ICOOL(z);
    int h = b.IHEAT(z);

    if (b.COOLEF(z) == 0.0f) b.COOLEF(z) = b.CSSEER(c);
    b.COOLEF(z) = b.COOLEF(z) * 1000.0f;
    e.TSUPC(z) = b.CSTSUP(c);

    if (b.HCOP(z) == 0.0f) b.HCOP(z) = b.HTCOP(h);
    e.HEFF1(z) = b.HTFAC(h) * b.HCOP(z);
    e.HEFF2(z) = e.HEFF1(z);
    e.TSUPH(z) = b.HTTSUP(h);
    if (c == 7) {
      // The heat-pump system heats with its heat pump, whatever the zone's heating type.
      e.TSUPH(z) = b.HTTSUP(3);
      if (h != 3) b.HCOP(z) = b.HTCOP(3);
      e.HEFF2(z) = b.HTFAC(3) * b.HCOP(z);
      h = 3;
    }
    const int k = std::min(h, 2);
    if (b.CST1(z) == 0.0f) b.CST1(z) = b.CSFCST(k, c);
    if (b.CSTM(z) == 0.0f) b.CSTM(z) = b.CSMCST(k, c);

    if (!(b.COOLEF(z) > 0.0f)) {
      Line ln;
      ln.text("THE COOLING SEER OF ZONE").I(no, 6).text(" IS 0: NEITHER THE ZONE NOR COOLING TYPE").I(c, 3)
          .text(" GIVES ONE.");
      setupError(s, ln);
    }
    if (!(e.HEFF1(z) > 0.0f) || !(e.HEFF2(z) > 0.0f)) {
      Line ln;
      ln.text("THE HEATING FACTOR TIMES COP OF ZONE").I(no, 6).text(" IS 0: SEE HEATING TYPE").I(h, 3)
          .text(" AND THE ZONE'S COP.");
      setupError(s, ln);
    }
    if (!(e.TSUPC(z) < 75.0f)) {
      Line ln;
      ln.text("THE COOLING SUPPLY-AIR TEMPERATURE").F(e.TSUPC(z), 7, 1).text(" OF ZONE").I(no, 6)
          .text(" IS NOT BELOW 75 F.");
      setupError(s, ln);
    }
    if (!(e.TSUPH(z) > 72.0f)) {
      Line ln;
      ln.text("THE HEATING SUPPLY-AIR TEMPERATURE").F(e.TSUPH(z), 7, 1).text(" OF ZONE").I(no, 6)
          .text(" IS NOT ABOVE 72 F.");
      setupError(s, ln);
    }
  }
}

void zoneLoads(EngineState& s) {
  ENACC& e = s.enacc;
  BLDG& b = s.bldg;
  e.TDESIN = s.wxmon.TDBM(e.MSTART) > 65.0f ? 76.0f : 72.0f;
  e.CPKLOAD = 0.0f;
  e.ZAREA = 0.0f;
  for (int z = 1; z <= b.NZ; ++z) {
    const float flr = b.FLRZ(z);
    e.ZAREA += flr;
    e.TZONE(z) = e.TDESIN;
    e.TZONE2(z) = e.TDESIN;
    e.TMASS(z) = e.TDESIN;  // the zone's second temperature: the lumped mass the zone pass reads
    e.DPZONE(z) = e.TDESIN - 20.0f;
    float wb = 0, pv = 0, w = 0, hh = 0, v = 0, rh = 0;
    PSY2(e.TDESIN, wb, 29.0f, e.DPZONE(z), pv, w, hh, v, rh);
    e.WMASS(z) = v > 0.0f ? w * e.VOLUME(z) / v : 0.0f;
    e.MASSCAP(z) = std::max(b.XMASS(z) * 0.21f * flr, 100.0f);
    e.ZCAP(z) = e.VOLUME(z) * 0.018f + e.MASSCAP(z) * 0.1f;

    // Profile numbers to positions in their kind's list.
    for (int k = 1; k <= 8; ++k) {
      const int kind = std::min(k, 5);
      const int16_t number = b.IPROF(k, z);
      int pos = 0;
      for (int j = 1; j <= kProfiles && pos == 0; ++j)
        if (number != 0 && b.NOPROF(kind, j) == number) pos = j;
      if (pos == 0) {
        s.files.monitor.emptyLine();
        Line ln;
        ln.T(5).text("** ERROR **  PROFILE NO.").I(number, 3).text(" IN ZONE").I(b.IZONE(z), 4).text(" IS")
            .text(" NOT AMONG THE LIST OF PROFILE NUMBERS, WHICH ARE:");
        s.files.monitor.line(ln.view());
        ln.clear();
        ln.T(30);
        for (int j = 1; j <= kProfiles; ++j) ln.I(b.NOPROF(kind, j), 3);
        s.files.monitor.line(ln.view());
        b.NERR += 1;
        pos = 1;
      }
      b.IPROF(k, z) = static_cast<int16_t>(pos);
    }

    e.INFCFM(z) = e.VOLUME(z) * b.XINF(z) / 60.0f;
    // Lighting types outside 1..6 were reported by the project reader; they keep factor 1.
    const int lt = b.LTYPE(z);
    b.ZLOAD(4, z) = b.ZLOAD(4, z) * (lt >= 1 && lt <= 6 ? kLTFAC[lt - 1] : 1.0f);
    e.DESGAIN(z) = (b.ZLOAD(1, z) * 250.0f + (b.ZLOAD(4, z) + b.EQUIP(z)) * 3413.0f) * 0.8f;
    const float oa = b.ZLOAD(3, z);
    if (s.runpar.IRUN == 4 || !(e.TSUPC(z) < 75.0f)) {
      // Passive run; or a supply temperature already reported as an error.
      e.CFMMAX(z) = oa;
    } else {
      e.CFMMAX(z) = std::max(e.DESGAIN(z) / ((75.0f - e.TSUPC(z)) * 1.08f), oa);
    }
    Line ln;
    ln.text(" Zone").I(z, 3).text(" Supply temp = ").F(e.TSUPC(z), 6, 1).text(" CFM-max = ").F(e.CFMMAX(z), 9, 0);
    s.files.monitor.line(ln.view());
    e.CPKLOAD += e.DESGAIN(z) + e.QPLAT * b.ZLOAD(1, z);
    e.ZMARK(z) = -1.0f;
    e.ECONT(z) = b.ECFLG(z) == 'Y' ? 55.0f : 0.0f;
  }

  // Hot-water profiles hold the fraction of the day's draw in each hour.
  for (int z = 1; z <= b.NZ; ++z) {
    const int j = b.IPROF(2, z);
    float sum = 0.0f;
    for (int h = 1; h <= 24; ++h) sum += b.PROF(2, j, h);
    if (sum < 0.01f) sum = 1.0f;
    for (int h = 1; h <= 24; ++h) b.PROF(2, j, h) = b.PROF(2, j, h) / sum;
  }

  if (e.ZAREA * 0.99f > b.FLRAREA) {
    s.files.monitor.emptyLine();
    Line ln;
    ln.T(5).text("** WARNING **  THE TOTAL ZONE AREAS OF").F(shownArea(s, e.ZAREA), 10, 0)
        .text(" EXCEED THE BUILDING AREA OF").F(shownArea(s, b.FLRAREA), 10, 0);
    s.files.monitor.line(ln.view());
    ln.clear();
    ln.T(20).text("BUILDING FLOOR AREA").text(" WILL BE RESET TO TOTAL ZONE AREA.");
    s.files.monitor.line(ln.view());
    b.FLRAREA = e.ZAREA;
  }
}

// The accumulators the reports read start from zero.
void zeroSums(ENACC& e) {
  e.ECLGY = e.ELTKWHY = e.ERCPKWHY = e.DLSAVE = 0.0f;
  e.SHSITE = e.WHSITE = e.SHSRC = e.WHSRC = 0.0f;
  e.SHCOST = e.WHCOST = e.CLCOST = e.HWFUEL = e.HTHRSUM = 0.0f;
  e.PKKWY = e.PKFUY = 0.0f;
  e.ELDAY1.fill(0.0f);
  e.ELDAY2.fill(0.0f);
  e.FUDAY1.fill(0.0f);
  e.FUDAY2.fill(0.0f);
  e.SEASPR.fill(0.0f);
  e.QCATC.fill(0.0f);
  e.QCATW.fill(0.0f);
  e.CDHHI.fill(0.0f);
  e.CDHLO.fill(0.0f);
  e.CHRHI.fill(0.0f);
  e.CHRLO.fill(0.0f);
  e.CHROK.fill(0.0f);
  e.FCHRS.fill(0.0f);
}

}  // namespace

void LOADSETUP(EngineState& s) {
  ENACC& e = s.enacc;
  e.IFIRST = 1;
  for (int z = 1; z <= s.bldg.NZ; ++z) CHRMOD(s.bldg.IZONE(z), e.ZTAG(z));

  for (int r = 1; r <= 6; ++r)
    for (int p = 1; p <= 3; ++p) e.EMFAC(p, r) = kEMFAC[r - 1][p - 1] * (reportsInSI(s) ? 0.9072f : 1.0f);

  comfortAndDetail(s);
  climate(s);
  orientations(s);

  const ClockReading c = readClock(s);
  e.CLKHR = c.hour;
  e.CLKMIN = c.minute;
  if (s.runpar.IHRLY == 1) {
    if (e.IDETL == 0) {
      e.SEP = s.runpar.SEPCH;
      writeEnergyHeads(s);
      writeTempHeads(s);
    } else {
      writeEnergyKeyHeader(s);
    }
  }

  calendarAndEconomics(s);
  surfaces(s);
  zoneSystems(s);
  zoneLoads(s);
  zeroSums(e);
}

}  // namespace kv
