// A small building for the set-up and hour-preparation tests: one zone (number 11) with one
// wall of 400 ft2 facing east holding a quarter of glass, two wall types, one window type,
// one profile of each kind, and the files of a run in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/core/state.h"
#include "engine/loads/stages.h"
#include "runfiles.h"

namespace loadtest {

using namespace kvtest;
namespace files = kalvano::files;

struct SetupFixture {
  fs::path dir;
  std::unique_ptr<kv::EngineState> s;

  explicit SetupFixture(const std::string& name) : dir(freshDir("loads_" + name)), s(makeState(dir)) {
    kv::EngineState& st = *s;
    kv::RUNPAR& r = st.runpar;
    r.IRYR = 2026;
    r.IRMO = 12;
    r.IRDA = 10;
    r.IRUN = 3;
    r.IDOW1 = 1;
    r.IDAY1 = 1;
    r.IDAY2 = 365;
    r.IYEAR = 1997;
    r.MONFLG.fill(1);
    st.chtab.UNITS.set("IP");
    for (int m = 1; m <= 12; ++m) st.wxmon.TDBM(m) = 50.0f;
    st.wxmon.TCOMF(1) = 68.0f;
    st.wxmon.TCOMF(2) = 78.0f;
    st.prjtxt.PNAME.set("Test Office Building");
    st.prjtxt.PLOC.set("MIAMI, FL");
    st.prjtxt.PSCHM.set("A-1");
    st.prjtxt.PTYPE.set("Office");

    kv::BLDG& b = st.bldg;
    b.DAYSWK = 5.0f;
    b.HOLDYS = 10.0f;
    b.FLRAREA = 1000.0f;
    b.ECON(6) = 0.085f;
    b.ECON(8) = 0.6f;
    b.NASM = 2;
    b.IDWAL(1) = 1;
    b.IDWAL(2) = 2;
    b.CSTWAL(1) = 12.5f;
    b.CSTWAL(2) = 8.0f;
    b.UWAL(1) = 0.1f;
    b.UWAL(2) = 0.06f;
    b.NGLS = 1;
    b.IDWIN(1) = 1;
    b.UWIN(1) = 0.49f;
    b.SHGC(1) = 0.7f;
    b.EMWIN(1) = 0.9f;
    b.CSTWIN(1) = 25.0f;
    for (int k = 1; k <= 5; ++k) {
      b.NOPROF(k, 1) = 1;
      for (int h = 1; h <= 24; ++h) b.PROF(k, 1, h) = 1.0f;
    }
    // Cooling system 1 and 7; heating types gas, electric, heat pump.
    for (int c : {1, 5, 7, 9}) {
      b.CSSEER(c) = 14.0f;
      b.CSTSUP(c) = 55.0f;
      b.CSFCST(1, c) = 2600.0f;
      b.CSFCST(2, c) = 2400.0f;
      b.CSMCST(1, c) = 52.4f;
      b.CSMCST(2, c) = 45.0f;
    }
    const float cop[3] = {0.8f, 1.0f, 2.26f}, fac[3] = {1000.0f, 3413.0f, 3413.0f}, sup[3] = {105, 100, 95};
    for (int h = 1; h <= 3; ++h) {
      b.HTCOP(h) = cop[h - 1];
      b.HTFAC(h) = fac[h - 1];
      b.HTTSUP(h) = sup[h - 1];
    }

    b.NZ = 1;
    zone(1, 11, 1000.0f);
    b.LASTSURF(1) = 1;
    surface(1, 400.0f, 0.25f, 90.0f);
  }
  ~SetupFixture() {
    s.reset();
    fs::remove_all(dir);
  }

  void zone(int z, int number, float area) {
    kv::BLDG& b = s->bldg;
    b.IZONE(z) = static_cast<int16_t>(number);
    s->prjtxt.ZNAME(z).set("Zone " + std::to_string(number));
    b.FLRZ(z) = area;
    b.ZHGT(z) = 10.0f;
    b.XMASS(z) = 40.0f;
    b.XINF(z) = 0.5f;
    b.ICOOL(z) = 1;
    b.IHEAT(z) = 1;
    b.LTYPE(z) = 1;
    b.ZLOAD(1, z) = 10.0f;
    b.ZLOAD(2, z) = 15.0f;
    b.ZLOAD(3, z) = 200.0f;
    b.ZLOAD(4, z) = 1.5f;
    b.EQUIP(z) = 0.75f;
    for (int k = 1; k <= 8; ++k) b.IPROF(k, z) = 1;
    b.DLFLG(z) = 'N';
    b.ECFLG(z) = 'Y';
    b.NVFLG(z) = 'N';
  }
  void surface(int i, float wall, float glass, float orient, float expos = 1.0f, char swb = 'B') {
    kv::BLDG& b = s->bldg;
    b.IWALL(i) = 1;
    b.AWALL(i) = wall;
    b.IWIND(i) = glass != 0.0f ? 1 : 0;
    b.AWIND(i) = glass;
    b.ORIENT(i) = orient;
    b.EXPOS(i) = expos;
    b.SWBFLG(i) = swb;
    b.SINTLT(i) = 1.0f;
  }

  // Opens the output files of the load model, runs the call and closes them again.
  template <class F>
  void withFiles(F call) {
    kv::RunFiles& f = s->files;
    f.report.open((dir / std::string(files::kEngineReport)).string());
    f.monitor.open((dir / std::string(files::kMonitorLog)).string());
    f.hrEnergy.open((dir / std::string(files::kHourlyEnergy)).string());
    f.trace.open((dir / std::string(files::kDebugTrace)).string());
    f.hrTemps.open((dir / std::string(files::kHourlyTemps)).string());
    call(*s);
    f.report.close();
    f.monitor.close();
    f.hrEnergy.close();
    f.trace.close();
    f.hrTemps.close();
  }
  void setup() { withFiles([](kv::EngineState& st) { kv::LOADSETUP(st); }); }
  std::string file(std::string_view name) const { return slurp(dir / std::string(name)); }
  std::string report() const { return file(files::kEngineReport); }
  std::string monitor() const { return file(files::kMonitorLog); }
};

}  // namespace loadtest
