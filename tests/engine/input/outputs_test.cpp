// The built program when its outputs cannot be written: a full disk, a name taken by a
// folder, a read-only run folder, and the outputs an earlier run left behind. Every such run
// ends with status 5 and the file and the reason on standard error, and no output claims
// a success.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "../core/testutil.h"
#include "engine/input/kvan64main.h"
#include "runfiles.h"
#include "runlock.h"
#include "tests/pipe_watchdog.h"

namespace {

using namespace kvtest;
namespace files = kalvano::files;

constexpr std::string_view kOutputs[] = {
    files::kEngineReport,  files::kMonitorLog,   files::kWeatherListing, files::kComfortReport, files::kWeatherSummary,
    files::kHourlyEnergy,  files::kDebugTrace,   files::kHourlyWeather,  files::kHourlyTemps,
};

constexpr const char* kSuccess = "Program ended successfully";

// A base folder with the office project ready for a run of `runType`.
struct OfficeRun : RunBase {
  explicit OfficeRun(const std::string& name, int runType = 1, int hourly = 0)
      : RunBase(name, runOptionsText(runType, 0, hourly)) {
    spit(temp / std::string(files::kRunInput), officeProject());
    spit(temp / std::string(files::kLightShelf), lightShelfTable());
  }
};

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

TEST(Kvan64Outputs, a_name_taken_by_a_folder_ends_the_run_with_status_5) {
  for (std::string_view name : kOutputs) {
    SCOPED_TRACE(std::string(name));
    OfficeRun b("out-folder", 3, 1);
    fs::create_directory(b.temp / std::string(name));
    const ProgramRun run = runProgramIn(b.temp);
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(run.err, "kvan64: CANNOT CREATE " + std::string(name) + ": Is a directory\n");
    EXPECT_TRUE(fs::is_directory(b.temp / std::string(name)));  // the user's folder stays
    if (name != files::kMonitorLog) {
      const std::string mon = b.file(files::kMonitorLog);
      EXPECT_TRUE(holds(mon, " ** OUTPUT ERROR ** CANNOT CREATE " + std::string(name) + ": Is a directory\r\n")) << mon;
      EXPECT_FALSE(holds(mon, kSuccess));
    }
  }
}

// A disk that fills during a year's run: the first file that cannot be written to its end
// (the log while the input is read, the weather listing during the year, or the hourly
// spreadsheet) is the one named.
TEST(Kvan64Outputs, a_full_disk_ends_the_run_with_status_5_and_the_reason) {
  const struct {
    long limit;
    int hourly;
    std::string_view file;
  } cases[] = {
      {2000, 0, files::kMonitorLog},
      {20000, 0, files::kWeatherListing},
      {70000, 0, files::kWeatherListing},  // fails as it is closed, before the closing box
      {300000, 1, files::kHourlyEnergy},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    OfficeRun b("out-full", 3, c.hourly);
    const ProgramRun run = runProgramIn(b.temp, c.limit);
    if (run.limitRefused) GTEST_SKIP() << "this system refuses a file-size limit (setrlimit RLIMIT_FSIZE)";
    EXPECT_EQ(run.status, 5) << run.err;
    EXPECT_EQ(run.err, "kvan64: CANNOT WRITE " + std::string(c.file) + ": File too large\n");
    const std::string mon = b.file(files::kMonitorLog);
    EXPECT_FALSE(holds(mon, kSuccess));
    if (c.file != files::kMonitorLog) {
      EXPECT_TRUE(holds(mon, " ** OUTPUT ERROR ** CANNOT WRITE ")) << mon;
    }
  }
}

// A read-only run folder: nothing can be created. Outputs an earlier run left there are
// emptied when they can be, never kept as this run's. As root, the base folder is the user
// nobody's and the engine runs as nobody, whom the folder's permissions bind.
TEST(Kvan64Outputs, a_read_only_run_folder_ends_the_run_with_status_5) {
  for (bool stale : {false, true}) {
    SCOPED_TRACE(stale);
    OfficeRun b("out-readonly", 3);
    const std::string old = "EARLIER RUN\r\n$$ Program ended successfully $$\r\n";
    if (stale) {
      spit(b.temp / std::string(files::kMonitorLog), old);
      spit(b.temp / std::string(files::kEngineReport), old);
    }
    ProgramOptions asUser;
    asUser.program = handToUnprivileged(b.root);
    asUser.unprivileged = true;
    if (asUser.program.empty()) GTEST_SKIP() << "running as root, and the folder cannot be given to the user nobody";
    fs::permissions(b.temp, fs::perms::owner_read | fs::perms::owner_exec);
    const ProgramRun run = runProgramIn(b.temp, asUser);
    fs::permissions(b.temp, fs::perms::owner_all);
    if (run.unprivilegedRefused) GTEST_SKIP() << "running as root, and the engine cannot run there as the user nobody";
    EXPECT_EQ(run.status, 5);
    if (stale) {
      // The old files could be emptied, but no new file created.
      EXPECT_EQ(run.err, "kvan64: CANNOT CREATE " + std::string(files::kWeatherListing) + ": Permission denied\n");
      EXPECT_FALSE(holds(b.file(files::kEngineReport), "EARLIER RUN"));
      const std::string mon = b.file(files::kMonitorLog);
      EXPECT_FALSE(holds(mon, "EARLIER RUN")) << mon;
      EXPECT_TRUE(holds(mon, " ** OUTPUT ERROR ** CANNOT CREATE tavik$.wth: Permission denied")) << mon;
    } else {
      EXPECT_EQ(run.err, "kvan64: CANNOT CREATE " + std::string(files::kMonitorLog) + ": Permission denied\n");
      EXPECT_FALSE(fs::exists(b.temp / std::string(files::kMonitorLog)));
    }
  }
}

// A run that stops at its input errors leaves none of an earlier run's outputs.
TEST(Kvan64Outputs, outputs_of_an_earlier_run_are_removed_at_start) {
  OfficeRun b("out-stale");
  spit(b.temp / std::string(files::kRunInput), "KAL-VANO  .83774665  4  IP\r\n");  // ends too early
  for (std::string_view name : kOutputs) spit(b.temp / std::string(name), "EARLIER RUN\r\n");
  const ProgramRun run = runProgramIn(b.temp);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  for (std::string_view name : kOutputs) EXPECT_FALSE(holds(b.file(name), "EARLIER RUN")) << name;
  EXPECT_TRUE(holds(b.file(files::kMonitorLog), "** ERROR **"));
  EXPECT_FALSE(holds(b.file(files::kMonitorLog), kSuccess));
}

// One run at a time in a run folder: a second engine started where a run holds the lock ends
// at once with status 7 and touches no file, also when the run's lock file was removed or
// replaced meanwhile (the run holds the folder itself); the engine of the run that holds it
// (its parent hands the locks down) runs.
TEST(Kvan64RunLock, a_second_engine_in_a_locked_run_folder_ends_with_status_7) {
  enum Hand { kNone, kHolder, kHolderFileAlone, kOtherFile, kUnlockedOpen, kOtherFolder };
  enum Change { kKept, kRemoved, kReplaced };
  const struct {
    const char* what;
    bool held;      // another process holds the run folder's locks
    Hand hand;      // the descriptors named as the parent's locks
    Change change;  // what became of the lock file since
    int status;
  } cases[] = {
      {"no run holds the lock", false, kNone, kKept, 0},
      {"another run holds the lock", true, kNone, kKept, 7},
      {"another run holds the lock, its lock file removed", true, kNone, kRemoved, 7},
      {"another run holds the lock, its lock file replaced", true, kNone, kReplaced, 7},
      {"the parent hands its locks down", true, kHolder, kKept, 0},
      {"the parent hands its locks down, its lock file removed", true, kHolder, kRemoved, 0},
      {"the parent hands the lock file's alone", true, kHolderFileAlone, kKept, 7},
      {"a descriptor of another file is named", true, kOtherFile, kKept, 7},
      {"an open of the lock file that does not hold it is named", true, kUnlockedOpen, kKept, 7},
      {"another folder is named as the run folder", true, kOtherFolder, kKept, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OfficeRun b("run-lock");
    for (std::string_view name : kOutputs) spit(b.temp / std::string(name), "EARLIER RUN\r\n");
    const std::string lockPath = (b.temp / std::string(files::kRunLock)).string();
    kalvano::runlock::Lock holder;
    if (c.held) holder = kalvano::runlock::Take(lockPath);
    ASSERT_EQ(c.held, holder.Held());
    int named = -1;
    int namedFolder = -1;
    if (c.hand == kHolder || c.hand == kHolderFileAlone) named = holder.File();
    if (c.hand == kHolder) namedFolder = holder.Folder();
    if (c.hand == kOtherFile) named = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (c.hand == kUnlockedOpen) named = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (c.hand == kOtherFolder) {
      named = holder.File();
      namedFolder = ::open(b.temp.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    if (c.change != kKept) fs::remove(lockPath);
    if (c.change == kReplaced) spit(lockPath, "");
    const auto before = folderState(b.temp);
    const ProgramRun run = runProgramIn(b.temp, 0, named, namedFolder);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.status == 7) {
      EXPECT_EQ(run.err,
                "kvan64: another run is using this run folder (run.lock is locked); nothing was changed\n");
      EXPECT_EQ(folderState(b.temp), before);
    } else {
      EXPECT_EQ(run.err, "");
      EXPECT_FALSE(holds(b.file(files::kEngineReport), "EARLIER RUN"));
    }
    if (named >= 0 && named != holder.File()) ::close(named);
    if (namedFolder >= 0 && namedFolder != holder.Folder()) ::close(namedFolder);
  }
}

// The lock lasts one run: in one process, runs in one folder follow each other.
TEST(Kvan64RunLock, the_lock_ends_with_the_run) {
  OfficeRun b("run-lock-again");
  for (int i = 0; i < 2; ++i) {
    auto s = makeState(b.temp);
    EXPECT_NE(kv::KVAN64(*s), 7);
  }
  EXPECT_TRUE(kalvano::runlock::Take((b.temp / std::string(files::kRunLock)).string()).Held());
}

// A number the reader cannot take stops the program at the end of the input: status 1, the
// error counted in the report, and no simulation.
TEST(Kvan64Program, numbers_outside_their_range_never_reach_the_simulation) {
  const struct {
    const char* from;
    const char* to;
  } cases[] = {
      {"U-Factor   .1 ", "U-Factor   0 "},     {"U-Factor   .06 ", "U-Factor  "},
      {"U-Factor   .49 ", "U-Factor  "},       {"OA CFM    CP20", "OA CFM    CP1E38"},
      {"Inf. Rate  .5 ", "Inf. Rate  32767 "}, {"WallOrien  330 ", "WallOrien  -1E38 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    OfficeRun b("range", 3);
    std::string project = officeProject();
    const std::size_t at = project.find(c.from);
    ASSERT_NE(at, std::string::npos);
    project.replace(at, std::string(c.from).size(), c.to);
    spit(b.temp / std::string(files::kRunInput), project);
    EXPECT_EQ(runProgramIn(b.temp).status, 1);
    EXPECT_TRUE(holds(b.file(files::kEngineReport), "      1 ERRORS EXIST IN INPUT DATA."));
    EXPECT_FALSE(holds(b.file(files::kMonitorLog), "ENERGY SIMULATIONS BEGINNING"));
  }
}

// A named pipe in the place of an input or an output never holds the run: an input is read as
// missing (the log names it and standard error says why, and the user's pipe stays); an output
// is removed at start, as an earlier run's output is, and written afresh.
TEST(Kvan64Outputs, a_named_pipe_in_a_files_place_never_holds_the_run) {
  struct Case {
    std::string where;  // under the base folder
    int status;
    bool input;
  };
  const Case cases[] = {
      {"temp/" + std::string(files::kRunInput), 1, true},
      {"temp/" + std::string(files::kRunOptions), 1, true},
      {"temp/" + std::string(files::kLightShelf), 1, true},
      {"btype/tcool.dat", 1, true},
      {"temp/" + std::string(files::kWeatherListing), 0, false},
      {"temp/" + std::string(files::kHourlyTemps), 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    OfficeRun b("out-pipe", 3, 1);
    const fs::path pipe = b.root / c.where;
    fs::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    // A reader at the pipe's far end, as another program could hold it: an open then succeeds
    // at once, and only the check of what was opened refuses it.
    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    ProgramRun run;
    {
      kalvano::test::PipeWatchdog guard({pipe.string()});
      run = runProgramIn(b.temp);
      EXPECT_FALSE(guard.Fired()) << "the run waited on the pipe";
    }
    ::close(reader);
    EXPECT_EQ(run.status, c.status) << run.err << b.file(files::kMonitorLog);
    struct stat st {};
    ASSERT_EQ(::lstat(pipe.c_str(), &st), 0);
    if (c.input) {
      EXPECT_EQ(run.err, "kvan64: " + (c.where.rfind("temp/", 0) == 0 ? pipe.filename().string() : "../" + c.where) +
                             " is not a regular file: it is read as missing\n");
      EXPECT_TRUE(S_ISFIFO(st.st_mode));  // the user's pipe stays
    } else {
      EXPECT_TRUE(S_ISREG(st.st_mode));
    }
  }
}

}  // namespace
