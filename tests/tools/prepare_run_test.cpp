// The command-line run tool as a user runs it: the built kalvano-prepare-run, then the built
// kvan64, in scratch base folders copied from the build's base folder. Paths as typed
// (relative, absolute, with blanks and accents), the year reaching the report, every value
// refused, every file fault named, and a base folder that a front-end or a run holds: each
// refusal and fault ends with its status and leaves every file of the base folder as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "frontend/shell/baselock.h"
#include "frontend/shell/run/runfolderlock.h"
#include "runfiles.h"
#include "tests/folder_listing.h"
#include "tests/unprivileged.h"

namespace {

namespace fs = std::filesystem;
namespace files = kalvano::files;
namespace test = kalvano::test;

const fs::path kTool = KALVANO_PREPARE_RUN_PROGRAM;
const fs::path kBuildBase = KALVANO_BASE_DIR;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spit(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

std::map<std::string, std::string> Snapshot(const fs::path& folder) { return test::FolderListing(folder); }

// A program's end: its status (-1 when it did not exit by itself) and what it wrote.
struct Ended {
  int status = -2;
  std::string out, err;
};

// The statuses of a child that could not start its program in its folder.
constexpr int kNoFolder = 125;
constexpr int kNoProgram = 127;

// Runs `argv` in `folder` and waits for it; `unprivileged`: as an ordinary user when this
// process is root (tests/unprivileged.h), so that a read-only folder binds it.
Ended Run(const std::vector<std::string>& argv, const fs::path& folder, bool unprivileged = false) {
  int outPipe[2], errPipe[2];
  Ended e;
  if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) return e;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(outPipe[1], 1);
    ::dup2(errPipe[1], 2);
    if (unprivileged && test::RunningAsRoot() && !test::BecomeUnprivileged()) ::_exit(test::kCannotDropPrivileges);
    if (::chdir(folder.c_str()) != 0) ::_exit(kNoFolder);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(kNoProgram);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  auto drain = [](int fd, std::string& into) {
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) into.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
  };
  drain(outPipe[0], e.out);
  drain(errPipe[0], e.err);
  int status = 0;
  ::waitpid(pid, &status, 0);
  e.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return e;
}

// The tool started in `folder` with `args`.
Ended Tool(const fs::path& folder, const std::vector<std::string>& args, bool unprivileged = false) {
  std::vector<std::string> argv{kTool.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  return Run(argv, folder, unprivileged);
}

// The engine run in the run folder of `base`, as the README says: (cd BASE/temp && ../kvan64).
Ended Engine(const fs::path& base) {
  return Run({"../" + std::string(files::kEngineProgram)}, base / files::kTempDir);
}

// A scratch folder of this test, removed at its end.
class PrepareRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root = fs::temp_directory_path() /
           ("kprep_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(root);
    fs::create_directories(root);
    ASSERT_TRUE(fs::exists(kTool)) << kTool;
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(root, ec)) {
      if (e.is_directory(ec)) fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(root, ec);
  }

  // A base folder at `where` (under the scratch folder), copied from the build's: the
  // installed data, kvan64 and temp/, with the lock files that a front-end and a run leave.
  fs::path MakeBase(const fs::path& where) const {
    const fs::path base = root / where;
    fs::create_directories(base);
    for (const auto& e : fs::directory_iterator(kBuildBase)) {
      const std::string name = e.path().filename().string();
      if (name == "kalvano-ec" || name == "temp") continue;
      fs::copy(e.path(), base / name, fs::copy_options::recursive);
    }
    fs::create_directory(base / files::kTempDir);
    for (const char* installed : {"tab.sym", "ltshlf.dat", "tavik$.unt"}) {
      fs::copy_file(kBuildBase / files::kTempDir / installed, base / files::kTempDir / installed);
    }
    Spit(base / "frontend.lock", "");
    Spit(base / files::kTempDir / files::kRunLock, "");
    return base;
  }
  // A base folder that holds the run files of an earlier run of the sample.
  fs::path PreparedBase(const fs::path& where) const {
    const fs::path base = MakeBase(where);
    const Ended earlier = Tool(root, {base.string(), (base / "sample/SampleProject.inp").string()});
    EXPECT_EQ(earlier.status, 0) << earlier.err;
    return base;
  }

  fs::path root;
};

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Relative and absolute paths, with blanks and accents, each taken from the folder the tool is
// started in; the year reaches the run files and the report.
TEST_F(PrepareRun, a_project_runs_from_the_paths_as_typed_in_the_year_given) {
  struct Case {
    const char* what;
    std::string base;     // under the scratch folder
    std::string project;  // under the scratch folder, copied from the sample
    std::string start;    // the folder the tool is started in, under the scratch folder
    bool absolute;        // BASE and PROJECT typed as full paths
    std::vector<std::string> more;
    int year;
  };
  const Case cases[] = {
      {"the README's example, typed in the checkout", "build/base", "build/base/sample/SampleProject.inp", "",
       false, {}, 2026},
      {"full paths", "build/base", "build/base/sample/SampleProject.inp", "elsewhere", true, {"2028"}, 2028},
      {"a project beside the base folder", "build/base", "projects/office.inp", "build", false, {"2024"}, 2024},
      {"blanks and accents", "Données de l'été/base folder", "Projets à côté/Büro 1.inp", "Données de l'été",
       false, {"1999", "--hourly"}, 1999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root);
    const fs::path base = MakeBase(c.base);
    fs::create_directories((root / c.project).parent_path());
    if (!fs::exists(root / c.project)) fs::copy_file(kBuildBase / "sample/SampleProject.inp", root / c.project);
    const fs::path start = root / c.start;
    fs::create_directories(start);
    std::vector<std::string> args;
    if (c.absolute) {
      args = {base.string(), (root / c.project).string()};
    } else {
      args = {fs::relative(base, start).string(), fs::relative(root / c.project, start).string()};
    }
    args.insert(args.end(), c.more.begin(), c.more.end());
    const Ended tool = Tool(start, args);
    ASSERT_EQ(tool.status, 0) << tool.err;
    EXPECT_EQ(tool.err, "");
    EXPECT_EQ(tool.out, "Run files written to " + (base / files::kTempDir).string() + "\n");
    const bool leap = c.year % 4 == 0;
    const std::string options = Slurp(base / files::kTempDir / files::kRunOptions);
    EXPECT_TRUE(Holds(options, std::string("Run end   :  ") + (leap ? "366" : "365") + "\r\n")) << options;

    const Ended engine = Engine(base);
    EXPECT_EQ(engine.status, 0) << engine.err;
    const std::string report = Slurp(base / files::kTempDir / files::kEngineReport);
    const std::string year = std::to_string(c.year);
    EXPECT_TRUE(Holds(report, "Weather Year: " + year)) << c.year;
    EXPECT_TRUE(Holds(report, "YEAR BUILDING EVALUATION BEGINS: " + year)) << c.year;
    EXPECT_FALSE(Holds(report, "Weather Year: " + std::to_string(c.year == 2026 ? 2028 : 2026)));
    EXPECT_TRUE(Holds(Slurp(base / files::kTempDir / files::kMonitorLog), "Program ended successfully"));
  }
}

// Every value the run window would refuse is refused naming it, with status 2, before
// anything is read or written: the earlier run files stay.
TEST_F(PrepareRun, a_bad_year_or_run_type_is_refused_naming_it_and_nothing_is_written) {
  const fs::path base = PreparedBase("base");
  const std::string project = (base / "sample/SampleSchool.inp").string();
  struct Case {
    std::vector<std::string> args;
    std::string said;
  } cases[] = {
      {{"1800"}, "year 1800 refused"},
      {{"0"}, "year 0 refused"},
      {{"-5"}, "year -5 refused"},
      {{"20260"}, "year 20260 refused"},
      {{"1900"}, "year 1900 refused"},
      {{"2100"}, "year 2100 refused"},
      {{"twenty"}, "year twenty refused"},
      {{"2026", "--run-type", "0"}, "run type 0 refused"},
      {{"--run-type", "5"}, "run type 5 refused"},
      {{"--run-type", "9", "2026"}, "run type 9 refused"},
      {{"--run-type", "-1"}, "run type -1 refused"},
      {{"--run-type", "abc"}, "run type abc refused"},
      {{"--run-type"}, "--run-type needs a run type, 1 to 4"},
      {{"2026", "2027"}, "one argument too many: 2027"},
      {{"--hourl"}, "unknown option --hourl"},
  };
  const auto before = Snapshot(base);
  for (const Case& c : cases) {
    std::vector<std::string> args{base.string(), project};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Ended tool = Tool(root, args);
    SCOPED_TRACE(c.said);
    EXPECT_EQ(tool.status, 2);
    EXPECT_TRUE(Holds(tool.err, "kalvano-prepare-run: " + c.said)) << tool.err;
    EXPECT_EQ(tool.out, "");
    EXPECT_EQ(Snapshot(base), before);
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{base.string()}, std::vector<std::string>{"", project}}) {
    const Ended usage = Tool(base, args);
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.err.rfind("usage: kalvano-prepare-run BASE PROJECT.inp [YEAR]", 0), 0u) << usage.err;
    EXPECT_EQ(Snapshot(base), before);
  }
}

// Each fault names the file or folder at fault with its own message, ends with status 1 and
// changes nothing: no lock file is made outside a base folder, and no run file, zone file or
// sketch is replaced unless all of them are.
TEST_F(PrepareRun, a_file_fault_names_its_file_and_changes_nothing) {
  struct Case {
    const char* what;
    std::string base;  // under the scratch folder
    void (*spoil)(const fs::path& base);
    std::string named;  // under the scratch folder
    std::string said;
    bool unprivileged = false;
  };
  const Case cases[] = {
      {"a missing base folder", "nothere", nullptr, "nothere", "There is no such base folder."},
      {"an empty base folder", "empty", [](const fs::path& b) { fs::create_directories(b); }, "empty/temp",
       "This is no base folder: it has no run folder temp."},
      {"a read-only temp/", "base",
       [](const fs::path& b) { fs::permissions(b / "temp", fs::perms::owner_write, fs::perm_options::remove); },
       "base/temp/tavik$.inp", "Permission denied.", true},
      {"tavik$.tmp taken by a folder", "base", [](const fs::path& b) {
         fs::remove(b / "temp/tavik$.tmp");
         fs::create_directory(b / "temp/tavik$.tmp");
       },
       "base/temp/tavik$.tmp", "(error 75)"},
      {"a zone file taken by a folder", "base", [](const fs::path& b) { fs::create_directory(b / "temp/temp12.zon"); },
       "base/temp/temp12.zon", "(error 75)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root);
    fs::create_directories(root);
    const fs::path base = root / c.base;
    const fs::path project = root / "office.inp";
    fs::copy_file(kBuildBase / "sample/SampleProject.inp", project);
    if (c.base == "base") {
      PreparedBase(c.base);
      // Another project's run files, zone files and sketch are there before.
      Ended other = Tool(root, {base.string(), (base / "sample/SampleSchool.inp").string(), "2030"});
      ASSERT_EQ(other.status, 0) << other.err;
      fs::remove(base / "temp/temp12.zon");
    }
    if (c.spoil) c.spoil(base);
    if (c.unprivileged && test::RunningAsRoot()) {
      ASSERT_TRUE(test::GiveToUnprivileged(root));
    }
    const auto before = Snapshot(root);
    const Ended tool = Tool(root, {base.string(), project.string()}, c.unprivileged);
    if (c.unprivileged && test::RunningAsRoot() &&
        (tool.status == test::kCannotDropPrivileges || tool.status == kNoFolder || tool.status == kNoProgram))
      GTEST_SKIP() << "the user nobody cannot run the tool in its scratch folder (status " << tool.status << ")";
    EXPECT_EQ(tool.status, 1);
    EXPECT_EQ(tool.err.rfind("kalvano-prepare-run: " + (root / c.named).string() + ": ", 0), 0u) << tool.err;
    EXPECT_TRUE(Holds(tool.err, c.said)) << tool.err;
    EXPECT_FALSE(Holds(tool.err, "office.inp")) << tool.err;
    EXPECT_EQ(tool.out, "");
    EXPECT_EQ(Snapshot(root), before);
  }
}

// A base folder that a front-end holds, or whose run folder a run holds, is refused with a
// status of its own, changing nothing; once free, the same command writes the run files.
TEST_F(PrepareRun, a_base_folder_in_use_is_refused_and_left_as_it_was) {
  const fs::path base = PreparedBase("base");
  const std::vector<std::string> args{base.string(), (base / "sample/SampleSchool.inp").string(), "2027"};
  const auto before = Snapshot(base);
  {
    // This process holds the base folder as kalvano-ec does.
    const kalvano::shell::BaseFolderHold frontEnd(base.string());
    ASSERT_TRUE(frontEnd.Held());
    const Ended tool = Tool(root, args);
    EXPECT_EQ(tool.status, 3);
    EXPECT_EQ(tool.err, "kalvano-prepare-run: a front-end is using this base folder (" + base.string() +
                            "); nothing was changed\n");
    EXPECT_EQ(Snapshot(base), before);
  }
  {
    // ... and its run folder as a run does.
    kalvano::shell::RunFolderLock run;
    ASSERT_TRUE(run.Take((base / files::kTempDir).string()));
    const Ended tool = Tool(root, args);
    EXPECT_EQ(tool.status, 3);
    EXPECT_EQ(tool.err, "kalvano-prepare-run: a run is using this run folder (" +
                            (base / files::kTempDir).string() + "); nothing was changed\n");
    EXPECT_EQ(Snapshot(base), before);
  }
  const Ended tool = Tool(root, args);
  EXPECT_EQ(tool.status, 0) << tool.err;
  EXPECT_NE(Snapshot(base), before);
}

// A project that holds more than the simulation takes is refused as the run window refuses
// it, naming each count over its limit, before anything is written; a project at the limits
// is written.
TEST_F(PrepareRun, a_project_beyond_the_simulation_limits_is_refused_naming_each_overflow) {
  const std::string sample = Slurp(kBuildBase / "sample/SampleProject.inp");
  // `sample` with `lines` (each ended by CR LF) inserted before the line `before`.
  auto insert = [&sample](const std::string& before, const std::string& lines) {
    std::string edited = sample;
    const std::size_t at = edited.find("\r\n" + before + "\r\n");
    EXPECT_NE(at, std::string::npos) << before;
    edited.insert(at + 2, lines);
    return edited;
  };
  // Wall types with ids from..to (the sample holds 1, 8 and 14).
  auto wallTypes = [](int from, int to) {
    std::string lines;
    for (int id = from; id <= to; ++id) {
      if (id == 8 || id == 14) continue;
      lines += "ID. #      " + std::to_string(id) + "\r\nDescript. Wall " + std::to_string(id) +
               "\r\nU-Factor  .064\r\nSolar Abs .60\r\nTime Lag  2\r\nDec. Fact .90\r\nIns. Cost 12.00\r\n";
    }
    return lines;
  };
  // Occupancy profiles 25 and up, one after the sample's profile 24, `n` in all.
  auto occupancy = [](int n) {
    std::string lines;
    for (int k = 25; k < 24 + n; ++k) {
      lines += " " + std::to_string(k) + "\r\n" + std::string(24 * 4, ' ') + "\r\n";
    }
    return lines;
  };
  // Zones 13 and up, each a copy of the sample's zone 12 with its first `rows` surface rows,
  // `n` zones in all (the sample's two zones hold 5 surfaces each).
  auto zones = [&sample](int n, int rows) {
    const std::size_t from = sample.find("Zone No.  12\r\n");
    const std::size_t to = sample.find("9999\r\nBUILDING MATRIX\r\n");
    std::string zone = sample.substr(from, to - from);
    std::size_t cut = 0;
    for (int line = 0; line < 33 + 14 * rows; ++line) cut = zone.find("\r\n", cut) + 2;
    zone = zone.substr(zone.find("\r\n"), cut - zone.find("\r\n")) + "9999\r\n";
    std::string lines;
    for (int code = 13; code < 11 + n; ++code) lines += "Zone No.  " + std::to_string(code) + zone;
    return lines;
  };
  struct Case {
    const char* what;
    std::string project;
    std::vector<std::string> named;  // empty: the project fits and is written
  };
  const Case cases[] = {
      {"21 wall types", insert("9999\r\nWINDOW PROPERTIES", wallTypes(2, 21)), {"21 wall and roof types (at most 20)"}},
      {"20 wall types", insert("9999\r\nWINDOW PROPERTIES", wallTypes(2, 20)), {}},
      {"21 occupancy profiles", insert("99\r\nHW", occupancy(21)), {"21 occupancy profiles (at most 20)"}},
      {"99 zones", insert("BUILDING MATRIX", zones(99, 1)), {"99 zones (at most 98)"}},
      {"81 zones of 5 surfaces", insert("BUILDING MATRIX", zones(81, 5)),
       {"405 exterior surfaces in all zones (at most 400)"}},
      {"80 zones of 5 surfaces", insert("BUILDING MATRIX", zones(80, 5)), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root);
    const fs::path base = PreparedBase("base");
    const fs::path project = root / "large.inp";
    Spit(project, c.project);
    const auto before = Snapshot(base);
    const Ended tool = Tool(root, {base.string(), project.string()});
    if (c.named.empty()) {
      EXPECT_EQ(tool.status, 0) << tool.err;
      EXPECT_EQ(tool.err, "");
      continue;
    }
    EXPECT_EQ(tool.status, 1);
    EXPECT_EQ(tool.err.rfind("kalvano-prepare-run: " + project.string() +
                                 ": The simulation cannot take this project. It holds:\n",
                             0),
              0u)
        << tool.err;
    for (const std::string& named : c.named) EXPECT_TRUE(Holds(tool.err, named)) << tool.err;
    EXPECT_EQ(tool.out, "");
    EXPECT_EQ(Snapshot(base), before);
  }
}

// A project file whose station line the engine would read otherwise is refused naming the
// value, and the base folder stays as it was.
TEST_F(PrepareRun, a_station_line_read_otherwise_is_refused_naming_the_value) {
  const fs::path base = PreparedBase("base");
  std::string sample = Slurp(base / "sample/SampleProject.inp");
  const std::string station = "72530    42  87.9    90   659";
  ASSERT_TRUE(Holds(sample, station));
  sample.replace(sample.find(station), station.size(), "72530    42 4.2.1    90   659");
  Spit(root / "edited.inp", sample);
  const auto before = Snapshot(base);
  const Ended tool = Tool(root, {base.string(), (root / "edited.inp").string()});
  EXPECT_EQ(tool.status, 1);
  EXPECT_EQ(tool.err.rfind("kalvano-prepare-run: " + (root / "edited.inp").string() +
                               ": KAL-VANO is unable to open your input file: the simulation would not read "
                               "the longitude \"4.2.1\" on its station line as written",
                           0),
            0u)
      << tool.err;
  EXPECT_TRUE(Holds(tool.err, "(station line, line 16) (error 62)")) << tool.err;
  EXPECT_EQ(Snapshot(base), before);
}

}  // namespace
