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
#include <string_view>
#include <vector>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/core/state.h"
#include "runfiles.h"
#include "runlock.h"

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

// The run options file of a whole year of generated weather unless said otherwise.
inline std::string runOptionsText(int runType, int weather = 0, int hourly = 0) {
  return "Run type  : " + std::to_string(runType) + "\r\nWthr type : " + std::to_string(weather) +
         "\r\n1st day   : 0\r\nRun begin : 1\r\nRun end   : 365\r\nHourly out: " + std::to_string(hourly) +
         "\r\nSkip month: \r\nComfort   : 68        78\r\n";
}

// A base folder for a run in its temp/: the separator, the run options and the first line of
// a project file (units "IP" or "SI"); btype/ with one cooling system and one heating type.
struct RunBase {
  fs::path root, temp;
  RunBase(const std::string& name, const std::string& options, const std::string& units = "IP") {
    root = freshDir(name);
    temp = root / "temp";
    fs::create_directories(temp);
    fs::create_directories(root / "btype");
    spit(root / "btype" / "tcool.dat",
         "h\r\nh\r\nh\r\n1 Variable Air Volume 3 747 10 2.9 55 12.8 1800 40 E\r\n 1500 35 G\r\n");
    spit(root / "btype" / "theat.dat", "h\r\nh\r\nGas 0.8 1 105\r\n");
    spit(temp / std::string(kalvano::files::kSeparator), "\t");
    spit(temp / std::string(kalvano::files::kRunOptions), options);
    spit(temp / std::string(kalvano::files::kRunInput), "KAL-VANO   .83774665 4  " + units + "\r\n");
  }
  RunBase(const RunBase&) = delete;
  RunBase& operator=(const RunBase&) = delete;
  ~RunBase() { fs::remove_all(root); }
  std::string file(std::string_view name) const { return slurp(temp / std::string(name)); }
};

// The office project of the input tests' fixtures, with daylighting.
inline std::string officeProject() { return slurp(fs::path(KALVANO_SOURCE_DIR) / "tests/engine/input/fixtures/office.inp"); }

// The light-shelf table that a project with daylighting needs in its run folder.
inline std::string lightShelfTable() {
  std::string table;
  for (int blk = 0; blk < 3; ++blk) {
    table += "h\r\nh\r\nh\r\n";
    for (int r = 0; r < 19; ++r) table += "ROW          1       2       3       4       5       6       7\r\n";
  }
  return table;
}

// One run of the built program in `dir`, as the front-end runs it.
struct ProgramRun {
  int status = -2;   // exit status; -1 when it did not exit by itself (a crash), -2 not started
  std::string err;   // what it wrote to standard error
  bool limitRefused = false;  // the file-size limit could not be set
};

// fileLimit > 0: no file the program writes may grow beyond that many bytes (a full disk).
// handDown >= 0: that descriptor is inherited and named as the run folder's lock (runlock.h).
inline ProgramRun runProgramIn(const fs::path& dir, long fileLimit = 0, int handDown = -1) {
  ProgramRun out;
  const fs::path exe = fs::path(KALVANO_BASE_DIR) / std::string(kalvano::files::kEngineProgram);
  EXPECT_TRUE(fs::exists(exe)) << exe;
  int pipeFd[2];
  if (::pipe(pipeFd) != 0) return out;
  const pid_t pid = ::fork();
  if (pid < 0) return out;
  if (pid == 0) {
    ::close(pipeFd[0]);
    ::dup2(pipeFd[1], 2);
    if (fileLimit > 0) {
      const rlimit lim{static_cast<rlim_t>(fileLimit), static_cast<rlim_t>(fileLimit)};
      if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(97);
    }
    if (handDown >= 0) {
      ::fcntl(handDown, F_SETFD, 0);
      ::setenv(kalvano::runlock::kHandOverVariable, std::to_string(handDown).c_str(), 1);
    }
    if (::chdir(dir.c_str()) != 0) _exit(99);
    ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    _exit(98);
  }
  ::close(pipeFd[1]);
  char buf[4096];
  for (ssize_t n; (n = ::read(pipeFd[0], buf, sizeof buf)) > 0;) out.err.append(buf, static_cast<std::size_t>(n));
  ::close(pipeFd[0]);
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return out;
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  out.limitRefused = fileLimit > 0 && out.status == 97;
  return out;
}

inline std::unique_ptr<kv::EngineState> makeState(const fs::path& dir) {
  auto s = std::make_unique<kv::EngineState>();
  s->runDir = dir.string();
  s->hooks.clock = &fixedClock;
  return s;
}

}  // namespace kvtest
