// A load-model state with its output files in a fresh folder, filled by hand as the zone pass
// would leave it, for the tests of the hourly rows, the hourly sums and the month end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/core/state.h"

namespace kvtest {

inline std::vector<std::string> splitOn(const std::string& line, char sep) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : line) {
    if (c == sep) {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

struct LoadsRun {
  fs::path dir;
  std::unique_ptr<kv::EngineState> s;

  LoadsRun(const std::string& name, const char* units = "IP") : dir(freshDir(name)), s(makeState(dir)) {
    s->chtab.UNITS.set(units);
    kv::RunFiles& f = s->files;
    f.report.open((dir / "sim$.out").string());
    f.monitor.open((dir / "monitor.txt").string());
    f.comfort.open((dir / "tavik$.flt").string());
    f.hrEnergy.open((dir / "tavik$.hry").string());
    f.hrTemps.open((dir / "etemp$.hry").string());
    s->runpar.IRDA = 10;
    s->runpar.IRMO = 12;
    s->runpar.IRYR = 2026;
    s->runpar.IYEAR = 2026;
    s->mainpg.IHOUR = 9;
    s->mainpg.IMIN = 5;
    s->prjtxt.PNAME.set("Sample Office");
    s->prjtxt.PLOC.set("Phoenix AZ");
    s->prjtxt.PSCHM.set("BASE");
    s->prjtxt.PTYPE.set("Office");
    for (int m = 1; m <= 12; ++m) s->runpar.MONFLG(m) = 1;
    kv::ENACC& e = s->enacc;
    e.IFIRST = 1;
    e.SEP = '\t';
    e.CPKAMPM.set("P.M.");
    e.HPKAMPM.set("A.M.");
    e.DAYWT = 1.0f;
    e.ISEAS = 1;
  }
  ~LoadsRun() { fs::remove_all(dir); }

  // Closes every file and returns one of them (by its name in the folder).
  std::string file(const std::string& name) {
    kv::RunFiles& f = s->files;
    for (kv::OutFile* o : {&f.report, &f.monitor, &f.comfort, &f.hrEnergy, &f.hrTemps}) o->close();
    return slurp(dir / name);
  }
};

}  // namespace kvtest
