// Runs the engine on a project file as a user does: the project is read back by the model's
// project reader, its run files are written by the model's writers as the run window writes
// them (an SI project converted to inch-pound values), and the engine runs in the base
// folder's temp/ with the installed system data bases, separator and light-shelf table,
// wired as kvan64 wires itself, with the project reader in place.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#include "data_files.h"
#include "engine/calendar/wether.h"
#include "engine/core/state.h"
#include "engine/input/kvan64main.h"
#include "engine/input/readproject.h"
#include "engine/loads/energy.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "frontend/shell/run/runcore.h"
#include "runfiles.h"

namespace kalvano::datatest {

struct EngineRun {
  int status = -1;
  std::unique_ptr<kv::EngineState> state;  // as the run left it
  std::string monitor;  // monitor.txt
  std::string report;   // sim$.out
  std::string listing;  // tavik$.wth
  std::string input;    // tavik$.inp, as the engine read it
  std::vector<std::string> monitorLines;
  // The monitor lines that hold `text`.
  std::vector<std::string> linesWith(const std::string& text) const {
    std::vector<std::string> out;
    for (const std::string& l : monitorLines) {
      if (l.find(text) != std::string::npos) out.push_back(l);
    }
    return out;
  }
  std::vector<std::string> errors() const { return linesWith("** ERROR **"); }
};

struct RunSetup {
  int runType = 1;        // 1 error check, 2 abbreviated, 3 with air conditioning, 4 passive
  int weatherFormat = 0;  // 0 generated; 1 TMY2 (the recorded file must be in temp/)
  int jan1Weekday = 5;    // 2026 begins on a Thursday (1 = Sunday)
  int beginDay = 1, endDay = 365;
};

inline std::string slurpFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The installed files the engine reads besides the run files, copied into `base`.
inline void installEngineData(const std::filesystem::path& base) {
  namespace fs = std::filesystem;
  fs::create_directories(base / "btype");
  fs::create_directories(base / "temp");
  for (const char* f : {"btype/tcool.dat", "btype/theat.dat", "temp/tab.sym", "temp/ltshlf.dat"}) {
    fs::copy_file(dataPath(f), base / f, fs::copy_options::overwrite_existing);
  }
}

// Reads `project` (a file under `base`) into a fresh model and writes temp/tavik$.inp and
// temp/tavik$.tmp from it as the run window does, with the comfort band in the project's
// units.
inline void writeRunFiles(const std::filesystem::path& base, const std::filesystem::path& project,
                          const RunSetup& r) {
  namespace km = kalvano::model;
  auto m = std::make_unique<km::ProjectModel>();
  m->AppDir = base.string();
  m->ProjectFile = project.string();
  km::ReadInputFile(*m, m->ProjectFile);
  km::ReadProjectHeader(*m);
  kalvano::shell::RunChoices c;
  c.runType = r.runType;
  c.weatherFormat = r.weatherFormat;
  c.jan1Weekday = r.jan1Weekday;
  c.beginDay = r.beginDay;
  c.endDay = r.endDay;
  if (m->UnitSystem == km::kSI) {
    c.comfortLower = 20;
    c.comfortUpper = 26;
  }
  kalvano::shell::WriteRunFiles(*m, c);
}

// One run of the engine in base/temp; `afterZones` is the engine's test seam after the zone
// pass of each hour.
inline EngineRun runEngine(const std::filesystem::path& base, void (*afterZones)(kv::EngineState&) = nullptr) {
  auto s = std::make_unique<kv::EngineState>();
  s->runDir = (base / files::kTempDir).string();
  s->hooks.readProject = kv::RDPROJ;
  s->hooks.WETHER = kv::WETHER;
  s->hooks.ENERGY = kv::ENERGY;
  s->hooks.DAYEND = kv::DAYEND;
  s->hooks.MONEND = kv::MONEND;
  s->hooks.YREND = kv::YREND;
  s->hooks.afterZones = afterZones;
  EngineRun out;
  out.status = kv::KVAN64(*s);
  out.state = std::move(s);
  const std::filesystem::path temp = base / files::kTempDir;
  out.monitor = slurpFile(temp / files::kMonitorLog);
  out.report = slurpFile(temp / files::kEngineReport);
  out.listing = slurpFile(temp / files::kWeatherListing);
  out.input = slurpFile(temp / files::kRunInput);
  std::istringstream ss(out.monitor);
  std::string line;
  while (std::getline(ss, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.monitorLines.push_back(line);
  }
  return out;
}

// The project file `project` under `base`, run through the engine.
inline EngineRun runProject(const std::filesystem::path& base, const std::filesystem::path& project,
                            const RunSetup& r) {
  installEngineData(base);
  writeRunFiles(base, project, r);
  return runEngine(base);
}

}  // namespace kalvano::datatest
