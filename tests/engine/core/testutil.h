// Helpers of the engine tests: a state whose files live in a fresh temporary folder and
// whose clock is fixed (10 DEC 2026, 9:05).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>
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

// KV_UPDATE_GOLDEN=1 rewrites the golden file (in the test folder's golden/) from the
// current output; review the diff.
inline void expectGolden(const std::string& got, const std::string& name) {
  const fs::path file = fs::path(KALVANO_TEST_DIR) / "golden" / name;
  if (std::getenv("KV_UPDATE_GOLDEN")) spit(file, got);
  EXPECT_EQ(got, slurp(file)) << name;
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
