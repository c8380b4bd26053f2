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

inline const fs::path kLoadsGolden = fs::path(KALVANO_TEST_DIR) / "golden";

// KV_UPDATE_GOLDEN=1 rewrites the golden files from the current output (review the diff).
inline void expectGolden(const std::string& got, const std::string& name) {
  if (std::getenv("KV_UPDATE_GOLDEN")) spit(kLoadsGolden / name, got);
  EXPECT_EQ(got, slurp(kLoadsGolden / name)) << name;
}

// Lines of a CR LF file, without their line ends.
inline std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t p = 0;
  while (p < bytes.size()) {
    std::size_t e = bytes.find("\r\n", p);
    if (e == std::string::npos) e = bytes.size();
    out.push_back(bytes.substr(p, e - p));
    p = e + 2;
  }
  return out;
}

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
