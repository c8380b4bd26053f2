// A load-model state at the end of a simulated year, filled by hand as the hourly model and
// the month ends would leave it, with its report in a fresh folder and the clock fixed
// (10 DEC 2026, 9:05), for the tests of the year-end report.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/core/fixfmt.h"
#include "engine/core/state.h"

namespace kvtest {

// Index of the first line that begins with prefix, or -1.
inline int findLine(const std::vector<std::string>& lines, const std::string& prefix, int from = 0) {
  for (int i = from; i < static_cast<int>(lines.size()); ++i)
    if (lines[i].compare(0, prefix.size(), prefix) == 0) return i;
  return -1;
}

// The number in columns from..to (1-based) of a line; blanks past its end.
inline float fieldAt(const std::string& line, int from, int to) {
  return kv::readF(line, from, to - from + 1);
}

struct YearRun {
  fs::path dir;
  std::unique_ptr<kv::EngineState> s;

  explicit YearRun(const std::string& name, const char* units = "IP", int zones = 2)
      : dir(freshDir(name)), s(makeState(dir)) {
    kv::EngineState& st = *s;
    st.chtab.UNITS.set(units);
    st.files.report.open((dir / "sim$.out").string());
    const kv::ClockReading c = kv::readClock(st);  // the main program's run date
    st.runpar.IRDA = c.day;
    st.runpar.IRMO = c.month;
    st.runpar.IRYR = c.year;
    st.mainpg.IHOUR = c.hour;
    st.mainpg.IMIN = c.minute;
    st.runpar.IYEAR = 2024;
    st.runpar.IRUN = 3;
    st.runpar.NPAGE = 7;
    st.prjtxt.PNAME.set("Sample Office");
    st.prjtxt.PLOC.set("Denver CO");
    st.prjtxt.PSCHM.set("BASE");
    st.prjtxt.PTYPE.set("Office");
    fillBuilding(zones);
    fillYear();
  }
  ~YearRun() { fs::remove_all(dir); }

  std::string report() {
    s->files.report.close();
    return slurp(dir / "sim$.out");
  }

  void fillBuilding(int zones) {
    kv::BLDG& b = s->bldg;
    kv::ENACC& e = s->enacc;
    b.NZ = zones;
    b.FLRAREA = 0;
    for (int z = 1; z <= zones; ++z) {
      b.IZONE(z) = static_cast<int16_t>(z);
      s->prjtxt.ZNAME(z).set(z == 1 ? "Open office" : "Zone " + std::to_string(z));
      b.FLRZ(z) = 2500.0f + 500.0f * z;
      b.CSTSF(z) = 1.5f;
      b.CST1(z) = 1800.0f;
      b.CSTM(z) = 60.0f;
      e.VOLUME(z) = b.FLRZ(z) * 10.0f;
      e.ZPKCLG(z) = 60000.0f + 12000.0f * z;
      e.ZPKHV(z) = -30000.0f - 5000.0f * z;
      e.CFMHTG(z) = 900.0f + 50.0f * z;
      e.CFMMAX(z) = 2400.0f + 300.0f * z;
      e.OACFM(z) = 150.0f;
      e.RSHRZ(z) = 0.91f;
      e.SHRZ(z) = 0.82f;
      e.FCHRS(z) = 120.0f + 10.0f * z;
      b.FLRAREA += b.FLRZ(z);
    }
    e.ZAREA = b.FLRAREA;
    b.BCOST = 120.0f;
    b.ECON(1) = 20.0f;   // economic life
    b.ECON(4) = 0.05f;   // discount rate
    b.ECON(5) = 0.03f;   // cost escalation
    b.ECON(7) = 0.04f;   // electricity escalation
    b.ECON(9) = 0.05f;   // gas escalation (equal to the discount rate)
    e.WALLCOST = 42000.0f;
    e.GLASCOST = 18500.0f;
  }

  void fillYear() {
    kv::ENACC& e = s->enacc;
    const bool si = s->chtab.UNITS.view() == "SI";
    // The set-up's impact factors by row (plant coal, oil, gas; heating coal, oil, gas).
    const float em[6][3] = {{0.00115f, 7.283E-6f, 9.03E-7f}, {0.00078f, 5.6E-6f, 9.03E-7f},
                            {0.000515f, 3.521E-9f, 9.03E-7f}, {0.1008f, 6.384E-4f, 8.61E-5f},
                            {0.0799f, 5.756E-4f, 9.254E-5f}, {0.061f, 4.171E-7f, 1.069E-4f}};
    for (int r = 1; r <= 6; ++r)
      for (int p = 1; p <= 3; ++p) e.EMFAC(p, r) = em[r - 1][p - 1] * (si ? 0.9072f : 1.0f);
    e.ELECPR = 0.08f;
    e.GASPR = 6.0f;
    e.SHEATY = 310.4f;
    e.HLOADY = 250.0f;
    e.SOLARY = 50.0f;
    e.HWY = 42.5f;
    e.CLOADY = 420.0f;
    e.FANKWHY = 21000.0f;
    e.ELECY = 260000.0f;
    e.ECOSTY = 24500.0f;
    e.GASY = 352.9f;
    e.CMPHRSY = 1234.6f;
    e.SYSHRSY = 3050.2f;
    e.PKKWSUM = 1020.5f;
    e.DEMCHGY = 3700.0f;
    e.ECLGY = 61000.0f;
    e.ELTKWHY = 95000.0f;
    e.ERCPKWHY = 80000.0f;
    e.OLKWHM = 300.0f;
    e.DLSAVE = 4200.0f;
    e.SHSITE = 310.4f;
    e.WHSITE = 42.5f;
    e.SHSRC = 310.4f;
    e.WHSRC = 42.5f;
    e.SHCOST = 1862.0f;
    e.WHCOST = 255.0f;
    e.CLCOST = 4880.0f;
    // Categories: at the heating peak (kBtuh; 5, 7, 9, 11 are 0 there), at the cooling peak,
    // and over the year (MBtu).
    const float qw[11] = {-18.0f, -22.5f, -30.0f, 4.0f, 0, 0.5f, 0, -25.0f, 0, -12.0f, 0};
    const float qc[11] = {9.0f, 11.5f, 6.0f, 28.0f, 45.0f, 7.5f, 5.0f, 14.0f, 12.0f, 3.0f, 2.5f};
    const float ah[11] = {-40.0f, -55.0f, -70.0f, 20.0f, 60.0f, 12.0f, 0, -80.0f, 0, -35.0f, 0};
    const float ac[11] = {30.0f, 25.0f, -8.0f, 110.0f, 150.0f, 30.0f, 20.0f, 15.0f, 25.0f,
                          5.0f, 6.0f};
    for (int c = 1; c <= 11; ++c) {
      e.QCATW(c) = qw[c - 1];
      e.QCATC(c) = qc[c - 1];
      e.QHTGY(c) = ah[c - 1];
      e.QCLGY(c) = ac[c - 1];
    }
    e.HPKLOAD = -110000.0f;
    e.CPKLOAD = 150000.0f;
    e.HPKDB = -2.0f;
    e.CPKDB = 95.0f;
    e.HPKDAY = 14;
    e.HPKMON = 1;
    e.HPKHR = 7;
    e.HPKAMPM.set("A.M.");
    e.CPKDAY = 22;
    e.CPKMON = 7;
    e.CPKHR = 4;
    e.CPKAMPM.set("P.M.");
    e.SHRPK = 0.84f;
    for (int h = 1; h <= 24; ++h) {
      const bool day = h >= 7 && h <= 18;
      e.SPKEL(h) = day ? 80.0f + 5.0f * (h - 7) : 12.0f;
      e.SPKGAS(h) = day ? 20.0f : 0.0f;
      e.WPKEL(h) = day ? 45.0f : 10.0f;
      e.WPKGAS(h) = h <= 8 ? 400.0f : 150.0f;
      for (int q = 1; q <= 4; ++q) {
        e.SEASPR(h, 1, q) = (q == 1 || q == 4) && day ? 120.0f : 0.0f;
        e.SEASPR(h, 2, q) = day ? 15.0f : 0.0f;
        e.SEASPR(h, 3, q) = (q == 2 || q == 3) && day ? 40.0f + h : 0.0f;
        e.SEASPR(h, 4, q) = day ? 55.0f : 9.0f;
      }
    }
  }
};

}  // namespace kvtest
