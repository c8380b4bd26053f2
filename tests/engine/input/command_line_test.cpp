// The built program started by hand: outside a run folder, before the run files are written,
// with --help, or with an argument it does not take. It says so on one line, and a folder
// without run options gets its log and nothing else.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "../core/testutil.h"
#include "engine/input/kvan64main.h"
#include "runfiles.h"
#include "runlock.h"

namespace {

using namespace kvtest;
namespace files = kalvano::files;

const std::string kMissingLine =
    "kvan64: the run options file tavik$.tmp is missing in this folder. " + std::string(kv::kUsage) + "\n";
constexpr std::string_view kMissingLog = "   ** ERROR ** RUN OPTIONS FILE tavik$.tmp IS MISSING.\r\n";

std::set<std::string> namesIn(const fs::path& dir) {
  std::set<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// An empty folder, as the checkout or a home folder is to the engine.
struct EmptyFolder {
  fs::path dir = freshDir("cli-empty");
  EmptyFolder() = default;
  EmptyFolder(const EmptyFolder&) = delete;
  EmptyFolder& operator=(const EmptyFolder&) = delete;
  ~EmptyFolder() { fs::remove_all(dir); }
};

TEST(Kvan64CommandLine, an_empty_folder_gets_one_line_and_only_the_log) {
  EmptyFolder f;
  const ProgramRun run = runProgramIn(f.dir);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, kMissingLine);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(namesIn(f.dir), std::set<std::string>{std::string(files::kMonitorLog)});
  EXPECT_EQ(slurp(f.dir / std::string(files::kMonitorLog)), kMissingLog);
}

// A run folder whose run options are not there (yet): the outputs of an earlier run go, the log
// says why, and no other output or lock file is made; its inputs stay as they were.
TEST(Kvan64CommandLine, a_run_folder_without_run_options_keeps_its_inputs_and_makes_only_the_log) {
  RunBase b("cli-nooptions", runOptionsText(3));
  fs::remove(b.temp / std::string(files::kRunOptions));
  for (std::string_view name : {files::kEngineReport, files::kMonitorLog, files::kHourlyEnergy}) {
    spit(b.temp / std::string(name), "EARLIER RUN\r\n");
  }
  const std::set<std::string> inputs{std::string(files::kSeparator), std::string(files::kRunInput)};
  const ProgramRun run = runProgramIn(b.temp);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, kMissingLine);
  std::set<std::string> expected = inputs;
  expected.insert(std::string(files::kMonitorLog));
  EXPECT_EQ(namesIn(b.temp), expected);
  EXPECT_EQ(b.file(files::kMonitorLog), kMissingLog);
}

// A folder where nothing can be made: the log cannot be written either, and standard error
// says both, the missing run options first.
TEST(Kvan64CommandLine, a_read_only_folder_without_run_options_ends_with_status_5) {
  EmptyFolder f;
  const fs::path dir = f.dir / "temp";
  fs::create_directory(dir);
  ProgramOptions asUser;
  asUser.program = handToUnprivileged(f.dir);
  asUser.unprivileged = true;
  if (asUser.program.empty()) GTEST_SKIP() << "running as root, and the folder cannot be given to the user nobody";
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  const ProgramRun run = runProgramIn(dir, asUser);
  fs::permissions(dir, fs::perms::owner_all);
  if (run.unprivilegedRefused) GTEST_SKIP() << "running as root, and the engine cannot run there as the user nobody";
  EXPECT_EQ(run.status, 5);
  EXPECT_EQ(run.err, kMissingLine + "kvan64: CANNOT CREATE monitor.txt: Permission denied\n");
  EXPECT_TRUE(fs::is_empty(dir));
}

// A run that holds the folder is left alone, run options or not, and lock file or not (it
// may have been removed while the run holds the folder): status 7, nothing touched.
TEST(Kvan64CommandLine, a_held_run_folder_without_run_options_is_left_alone) {
  for (const bool lockFileRemoved : {false, true}) {
    SCOPED_TRACE(lockFileRemoved ? "its lock file removed" : "its lock file there");
    RunBase b("cli-held", runOptionsText(3));
    fs::remove(b.temp / std::string(files::kRunOptions));
    spit(b.temp / std::string(files::kEngineReport), "EARLIER RUN\r\n");
    const std::string lockPath = (b.temp / std::string(files::kRunLock)).string();
    kalvano::runlock::Lock holder = kalvano::runlock::Take(lockPath);
    ASSERT_TRUE(holder.Held());
    if (lockFileRemoved) fs::remove(lockPath);
    const auto before = folderState(b.temp);
    const ProgramRun run = runProgramIn(b.temp);
    holder.Release();
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(folderState(b.temp), before);
  }
}

// --help prints the usage and runs nothing; any other argument is refused and runs nothing.
// Both in a folder ready for a run, which stays as it was.
TEST(Kvan64CommandLine, help_prints_the_usage_and_other_arguments_are_refused_touching_no_file) {
  const std::string usage = std::string(kv::kUsage) + "\n";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;
  } cases[] = {
      {{"--help"}, 0, usage, ""},
      {{"-h"}, 0, usage, ""},
      {{"--run"}, 1, "", "kvan64: it takes no arguments (\"--run\" was given); nothing was changed. " + usage},
      {{"tavik$.inp"}, 1, "", "kvan64: it takes no arguments (\"tavik$.inp\" was given); nothing was changed. " + usage},
      {{"--help", "x"}, 1, "", "kvan64: it takes no arguments (\"--help\" was given); nothing was changed. " + usage},
      {{""}, 1, "", "kvan64: it takes no arguments (\"\" was given); nothing was changed. " + usage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front());
    RunBase b("cli-args", runOptionsText(1));
    spit(b.temp / std::string(files::kEngineReport), "EARLIER RUN\r\n");
    const auto before = folderState(b.temp);
    ProgramOptions o;
    o.args = c.args;
    const ProgramRun run = runProgramIn(b.temp, o);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(folderState(b.temp), before);
  }
  EmptyFolder f;
  ProgramOptions help;
  help.args = {"--help"};
  EXPECT_EQ(runProgramIn(f.dir, help).status, 0);
  EXPECT_TRUE(fs::is_empty(f.dir));
}

}  // namespace
