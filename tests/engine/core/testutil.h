// Helpers of the engine tests: a state whose files live in a fresh temporary folder and
// whose clock is fixed (10 DEC 2026, 9:05).
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

#include "engine/core/state.h"

namespace kvtest {

namespace fs = std::filesystem;

inline fs::path freshDir(const std::string& name) {
  fs::path p = fs::temp_directory_path() / ("kvtest_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

inline std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void spit(const fs::path& p, const std::string& bytes) {
  std::ofstream o(p, std::ios::binary);
  o << bytes;
}

inline kv::ClockReading fixedClock() {
  kv::ClockReading c;
  c.year = 2026;
  c.month = 12;
  c.day = 10;
  c.hour = 9;
  c.minute = 5;
  return c;
}

inline std::unique_ptr<kv::EngineState> makeState(const fs::path& dir) {
  auto s = std::make_unique<kv::EngineState>();
  s->runDir = dir.string();
  s->hooks.clock = &fixedClock;
  return s;
}

}  // namespace kvtest
