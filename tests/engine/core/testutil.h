// Helpers of the engine tests: a state whose files live in a fresh temporary folder and
// whose clock is fixed (10 DEC 2026, 9:05).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/core/state.h"
#include "runfiles.h"
#include "runlock.h"
#include "tests/unprivileged.h"

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
  std::string out;   // what it wrote to standard output
  bool limitRefused = false;         // the file-size limit could not be set
  bool unprivilegedRefused = false;  // the run as the user nobody could not be set up
};

struct ProgramOptions {
  long fileLimit = 0;  // > 0: no file the program writes may grow beyond that many bytes (a full disk)
  int handDown = -1;   // >= 0: that descriptor is inherited and named as the run folder's lock file's (runlock.h)
  int handDownFolder = -1;  // >= 0: that one too, named after it as the run folder's
  std::vector<std::string> args;  // its arguments
  fs::path program;               // the program; the built kvan64 when empty
  bool unprivileged = false;      // as root: run as the user "nobody" (see handToUnprivileged)
};

inline fs::path builtProgram() { return fs::path(KALVANO_BASE_DIR) / std::string(kalvano::files::kEngineProgram); }

// As root, gives the base folder `base` to the user "nobody", with a copy of the engine in it
// (where a base folder holds it, so that nobody can reach it wherever the build is), so that
// the folder's permissions bind a run with ProgramOptions::unprivileged. Returns the program
// to run: the built one when not root, empty when the folder cannot be given.
inline fs::path handToUnprivileged(const fs::path& base) {
  if (!kalvano::test::RunningAsRoot()) return builtProgram();
  const fs::path copy = base / std::string(kalvano::files::kEngineProgram);
  std::error_code ec;
  fs::copy_file(builtProgram(), copy, fs::copy_options::overwrite_existing, ec);
  if (ec || !kalvano::test::GiveToUnprivileged(base)) return {};
  return copy;
}

inline ProgramRun runProgramIn(const fs::path& dir, const ProgramOptions& o) {
  ProgramRun out;
  const fs::path exe = o.program.empty() ? builtProgram() : o.program;
  EXPECT_TRUE(fs::exists(exe)) << exe;
  std::vector<std::string> args{exe.string()};
  args.insert(args.end(), o.args.begin(), o.args.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int errPipe[2], outPipe[2];
  if (::pipe(errPipe) != 0) return out;
  if (::pipe(outPipe) != 0) {
    ::close(errPipe[0]);
    ::close(errPipe[1]);
    return out;
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    for (int fd : {errPipe[0], errPipe[1], outPipe[0], outPipe[1]}) ::close(fd);
    return out;
  }
  if (pid == 0) {
    ::close(errPipe[0]);
    ::close(outPipe[0]);
    ::dup2(errPipe[1], 2);
    ::dup2(outPipe[1], 1);
    if (o.fileLimit > 0) {
      const rlimit lim{static_cast<rlim_t>(o.fileLimit), static_cast<rlim_t>(o.fileLimit)};
      if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(97);
    }
    if (o.handDown >= 0) {
      ::fcntl(o.handDown, F_SETFD, 0);
      std::string named = std::to_string(o.handDown);
      if (o.handDownFolder >= 0) {
        ::fcntl(o.handDownFolder, F_SETFD, 0);
        named += "," + std::to_string(o.handDownFolder);
      }
      ::setenv(kalvano::runlock::kHandOverVariable, named.c_str(), 1);
    }
    if (o.unprivileged && kalvano::test::RunningAsRoot() && !kalvano::test::BecomeUnprivileged()) _exit(96);
    if (::chdir(dir.c_str()) != 0) _exit(99);
    ::execv(exe.c_str(), argv.data());
    _exit(98);
  }
  ::close(errPipe[1]);
  ::close(outPipe[1]);
  char buf[4096];
  for (ssize_t n; (n = ::read(errPipe[0], buf, sizeof buf)) > 0;) out.err.append(buf, static_cast<std::size_t>(n));
  for (ssize_t n; (n = ::read(outPipe[0], buf, sizeof buf)) > 0;) out.out.append(buf, static_cast<std::size_t>(n));
  ::close(errPipe[0]);
  ::close(outPipe[0]);
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return out;
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  out.limitRefused = o.fileLimit > 0 && out.status == 97;
  // As root, the user nobody may also be unable to reach the folder or the program (a
  // temporary folder under a private one).
  out.unprivilegedRefused = o.unprivileged && kalvano::test::RunningAsRoot() &&
                            (out.status == 96 || out.status == 98 || out.status == 99);
  return out;
}

inline ProgramRun runProgramIn(const fs::path& dir, long fileLimit = 0, int handDown = -1, int handDownFolder = -1) {
  ProgramOptions o;
  o.fileLimit = fileLimit;
  o.handDown = handDown;
  o.handDownFolder = handDownFolder;
  return runProgramIn(dir, o);
}

// Every entry of a folder with its bytes and its time of last change.
inline std::map<std::string, std::pair<std::string, long long>> folderState(const fs::path& dir) {
  std::map<std::string, std::pair<std::string, long long>> state;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    struct stat st {};
    ::lstat(e.path().c_str(), &st);
    state[e.path().filename().string()] = {slurp(e.path()), st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
  }
  return state;
}

inline std::unique_ptr<kv::EngineState> makeState(const fs::path& dir) {
  auto s = std::make_unique<kv::EngineState>();
  s->runDir = dir.string();
  s->hooks.clock = &fixedClock;
  return s;
}

}  // namespace kvtest
