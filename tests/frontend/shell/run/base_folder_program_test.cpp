// One front-end per base folder, with the real programs in scratch base folders: real
// kalvano-ec processes started by the same path and through a link to the folder, one killed,
// its lock file removed or replaced while it works, something other than a file in the lock
// file's place, and one started outside a base folder; this process as the first front-end,
// holding its base folder as kalvano-ec does, running the sample to the end with the real
// kvan64 while a second kalvano-ec is refused; and a whole front-end ended by a signal in the
// middle of Save Output. Every front-end refused is told once, ends with its status and changes
// no file of the folder.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "frontend/reports/inputecho.h"
#include "frontend/shell/baselock.h"
#include "frontend/shell/run/savedoutput.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "processes.h"
#include "runfiles.h"
#include "shell_test_support.h"
#include "tests/folder_listing.h"
#include "tests/pipe_watchdog.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

using test::Child;
using test::WaitFor;

// What a folder holds, with each entry's size and time of last change.
std::map<std::string, std::string> Listing(const fs::path& folder) {
  return kalvano::test::FolderListing(folder, kalvano::test::ListTimes::Yes);
}

// The process that holds the lock (flock) of `file`, as the system lists it; 0 when none does.
pid_t LockHolder(const fs::path& file) {
  struct stat st {};
  if (::lstat(file.c_str(), &st) != 0) return 0;
  char device[32];
  std::snprintf(device, sizeof device, "%02x:%02x:", major(st.st_dev), minor(st.st_dev));
  const std::string id = device + std::to_string(st.st_ino);
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    std::istringstream words(line);
    std::string number, kind, mode, access, file_;
    pid_t pid = 0;
    words >> number >> kind >> mode >> access >> pid >> file_;
    if (kind == "FLOCK" && file_ == id) return pid;
  }
  return 0;
}

// The files that process `pid` holds open.
std::vector<fs::path> OpenFiles(pid_t pid) {
  std::vector<fs::path> open;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
    std::error_code linkEc;
    open.push_back(fs::read_symlink(e.path(), linkEc));
  }
  return open;
}

class BaseFolderProgram : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    test::InstallRealEngine(base);
    folder = fs::canonical(base.dir());
    fs::create_directory_symlink(folder, scratch.path("link"));
  }
  void TearDown() override {
    test::StopRunWindowEngine();
    test::ShellTest::TearDown();
  }

  // The real front-end started in `where`, its boxes written out instead of shown.
  static Child FrontEnd(const fs::path& where) {
    return test::Spawn({KALVANO_FRONTEND_PROGRAM}, where, {{"KALVANO_PRINT_MESSAGES", "1"}});
  }
  // A front-end that ends by itself: its exit status, then every box it showed. One that goes
  // on running is ended: "status -1".
  static std::vector<std::string> Ended(Child c) {
    if (!WaitFor([&c] { return !test::ProcessRuns(c.pid); })) ::kill(c.pid, SIGKILL);
    std::vector<std::string> lines;
    const int status = test::Finish(c, lines);
    std::vector<std::string> said{"status " + std::to_string(status)};
    for (const std::string& line : lines) {
      if (line.rfind("box ", 0) == 0) said.push_back(line);
    }
    return said;
  }
  // What a front-end started while the base folder is held says, started by its path and
  // through the link to it.
  std::vector<std::string> RefusedTwice() {
    std::vector<std::string> said = Ended(FrontEnd(folder));
    for (std::string& line : Ended(FrontEnd(scratch.path("link")))) said.push_back("link " + line);
    return said;
  }
  std::vector<std::string> InUse() const {
    const std::string refusal =
        "box Base folder in use: Another front-end is using this base folder:||" + folder.string() +
        "||One base folder serves one front-end at a time: use that front-end, or start this "
        "one from a copy of the base folder.";
    return {"status 2", refusal, "link status 2", "link " + refusal};
  }
  fs::path Lock() const { return folder / "frontend.lock"; }

  fs::path folder;            // the base folder, as the system spells it
  test::BaseFolder scratch;   // a folder of its own, with a link to the base folder
};

TEST_F(BaseFolderProgram, a_second_front_end_is_refused_and_a_killed_one_leaves_no_lock) {
  Child first = FrontEnd(folder);
  ASSERT_TRUE(WaitFor([&] { return LockHolder(Lock()) == first.pid || !test::ProcessRuns(first.pid); }));
  ASSERT_EQ(LockHolder(Lock()), first.pid);
  const auto before = Listing(folder);
  EXPECT_EQ(RefusedTwice(), InUse());
  EXPECT_EQ(Listing(folder), before);
  EXPECT_TRUE(test::ProcessRuns(first.pid));
  EXPECT_EQ(LockHolder(Lock()), first.pid);

  ::kill(first.pid, SIGKILL);
  std::vector<std::string> lines;
  test::Finish(first, lines);
  Child next = FrontEnd(folder);
  EXPECT_TRUE(WaitFor([&] { return LockHolder(Lock()) == next.pid || !test::ProcessRuns(next.pid); }));
  EXPECT_EQ(LockHolder(Lock()), next.pid);
  ::kill(next.pid, SIGTERM);
  test::Finish(next, lines);
}

TEST_F(BaseFolderProgram, a_lock_file_removed_or_replaced_lets_no_second_front_end_in) {
  struct Case {
    const char* what;
    void (*change)(const fs::path& lock);
  };
  const Case cases[] = {
      {"removed", [](const fs::path& lock) { fs::remove(lock); }},
      {"removed, then made again by hand", [](const fs::path& lock) {
         fs::remove_all(lock);
         std::ofstream(lock) << "";
       }},
      {"a folder in its place", [](const fs::path& lock) {
         fs::remove_all(lock);
         fs::create_directory(lock);
       }},
  };
  Child first = FrontEnd(folder);
  ASSERT_TRUE(WaitFor([&] { return LockHolder(Lock()) == first.pid || !test::ProcessRuns(first.pid); }));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.change(Lock());
    const auto before = Listing(folder);
    EXPECT_EQ(RefusedTwice(), InUse());
    EXPECT_EQ(Listing(folder), before);
    EXPECT_TRUE(test::ProcessRuns(first.pid));
    EXPECT_EQ(LockHolder(folder), first.pid);
    EXPECT_TRUE(FrontEndHolds(folder.string()));
  }
  ::kill(first.pid, SIGKILL);
  std::vector<std::string> lines;
  test::Finish(first, lines);
  EXPECT_FALSE(FrontEndHolds(folder.string()));
}

TEST_F(BaseFolderProgram, one_started_outside_a_base_folder_says_so_and_leaves_nothing_there) {
  struct Case {
    const char* what;
    void (*fill)(const fs::path& dir);
  };
  const Case cases[] = {
      {"an empty folder", [](const fs::path&) {}},
      {"a home folder", [](const fs::path& dir) {
         std::ofstream(dir / "notes.txt") << "mine\n";
         fs::create_directory(dir / "Documents");
       }},
      {"a folder with a lock file left from before",
       [](const fs::path& dir) { std::ofstream(dir / "frontend.lock") << ""; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const test::BaseFolder scratchRoot;
    const fs::path dir = scratchRoot.path("elsewhere");
    fs::create_directory(dir);
    c.fill(dir);
    const auto before = Listing(dir);
    EXPECT_EQ(Ended(FrontEnd(dir)),
              (std::vector<std::string>{
                  "status 1", "box Kalvano Error #  53: Bad file name, or some files are missing, or "
                              "your input is not complete. Re-check your program input data.||" +
                                  (dir / "btype" / "bdtype1.dat").string()}));
    EXPECT_EQ(Listing(dir), before);
  }
}

TEST_F(BaseFolderProgram, the_first_front_end_runs_the_sample_to_the_end_while_a_second_is_refused) {
  // This process is the first front-end: it holds its base folder as kalvano-ec does.
  const BaseFolderHold hold(folder.string());
  ASSERT_TRUE(hold.Held());
  model::ProjectModel& m = test::RunnableSample(base, "SampleProject.inp");
  SetInputEchoWriter([](model::ProjectModel& model) { reports::WriteInputEcho(model, Messages()); });
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  m.LastProjectFile = m.ProjectFile;
  const auto before = Listing(folder);
  EXPECT_EQ(RefusedTwice(), InUse());
  EXPECT_EQ(Listing(folder), before);

  MainMenu().runenergy_Click(3);
  ASSERT_TRUE(RunWindowLoaded());
  runsim& w = RunWindow();
  QTest::mouseClick(w.Command1(), Qt::LeftButton);
  // The engine does not hold the base folder: it ends when its front-end does.
  pid_t engine = 0;
  WaitFor([&] {
    const auto engines = test::ChildProcesses(::getpid(), "kvan64");
    if (!engines.empty()) engine = engines[0];
    return engine != 0 || !w.IsEngineRunning();
  });
  if (engine != 0 && ::kill(engine, SIGSTOP) == 0) {
    for (const fs::path& file : OpenFiles(engine)) {
      EXPECT_NE(file, Lock());
      EXPECT_NE(file, folder);
    }
    ::kill(engine, SIGCONT);
  }
  ASSERT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }));
  QTest::qWait(50);
  EXPECT_EQ(w.runstatus()->text().toStdString().rfind("Simulation Completed at ", 0), 0u)
      << w.runstatus()->text().toStdString();
  QTest::mouseClick(w.Command3(), Qt::LeftButton);
  EXPECT_EQ(m.ResultsExist, 1);
  EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
  EXPECT_EQ(LockHolder(Lock()), ::getpid());
}

// The hidden files of a folder: a save's staged copies.
std::vector<std::string> HiddenFiles(const fs::path& dir) {
  std::vector<std::string> hidden;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    if (e.path().filename().string().front() == '.') hidden.push_back(e.path().filename().string());
  }
  return hidden;
}

TEST_F(BaseFolderProgram, a_signal_in_the_middle_of_save_output_ends_the_front_end_as_exit_does) {
  const fs::path out = scratch.path("out");
  fs::create_directory(out);
  const std::vector<SavedMember> set = SavedOutputSet(folder.string(), (out / "x.ot1").string(), true);
  const std::string runLock = (folder / files::kTempDir / files::kRunLock).string();
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    for (const SavedMember& member : set) std::ofstream(member.to) << "earlier " << member.to << "\n";
    // A whole front-end, as kalvano-ec is, its saves slowed down.
    Child c = test::Spawn({KALVANO_FRONTEND_DRIVER, folder.string(),
                           std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleProject.inp", "3",
                           "--hourly", "--review", "--save-output", (out / "x.ot1").string()},
                          folder,
                          {{"LD_PRELOAD", KALVANO_SLOW_STAGE_LIBRARY}, {"KALVANO_SLOW_STAGE_MS", "300"}});
    std::vector<std::string> said;
    for (std::string line; test::ReadLine(c, line) && line.rfind("reviewed", 0) != 0;) {
      if (line == "ready") {
        EXPECT_EQ(::write(c.in, "go\n", 3), 3);
      }
    }
    // Signalled once the save has staged its first copy.
    const bool staging = WaitFor([&] { return !HiddenFiles(out).empty() || !test::ProcessRuns(c.pid); });
    EXPECT_TRUE(staging && test::ProcessRuns(c.pid)) << "the front-end saved nothing";
    ::kill(c.pid, signal);
    for (std::string line; test::ReadLine(c, line);) {
      if (line.rfind("saved", 0) == 0 || line.rfind("box ", 0) == 0) said.push_back(line);
    }
    ::close(c.out);
    ::close(c.in);
    int status = 0;
    ::waitpid(c.pid, &status, 0);
    // The save was written to its end, then the program ended by the signal.
    EXPECT_EQ(said, std::vector<std::string>{"saved 1"});
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(HiddenFiles(out), std::vector<std::string>{});
    for (const SavedMember& member : set) {
      std::ifstream from(member.from, std::ios::binary), to(member.to, std::ios::binary);
      EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(to), {}) ==
                  std::string(std::istreambuf_iterator<char>(from), {}))
          << member.to << " is not the copy of " << member.from;
    }
    // Its locks are free.
    EXPECT_EQ(LockHolder(folder), 0);
    EXPECT_EQ(LockHolder(Lock()), 0);
    EXPECT_EQ(LockHolder(runLock), 0);
  }
}

TEST_F(BaseFolderProgram, a_lock_file_name_taken_by_something_else_is_refused_naming_it) {
  struct Case {
    const char* what;
    void (*make)(const fs::path& lock, const fs::path& elsewhere);
    const char* kind;
    const char* remove;
  };
  const Case cases[] = {
      {"a named pipe", [](const fs::path& lock, const fs::path&) { ::mkfifo(lock.c_str(), 0644); },
       "a named pipe", "it"},
      {"a folder", [](const fs::path& lock, const fs::path&) { fs::create_directory(lock); },
       "a folder", "that folder"},
      {"a symbolic link to a file",
       [](const fs::path& lock, const fs::path& elsewhere) {
         std::ofstream(elsewhere / "file") << "";
         fs::create_symlink(elsewhere / "file", lock);
       },
       "a symbolic link", "it"},
      {"a symbolic link that leads nowhere",
       [](const fs::path& lock, const fs::path& elsewhere) {
         fs::create_symlink(elsewhere / "frontend.lock", lock);
       },
       "a symbolic link", "it"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const test::BaseFolder elsewhere;
    c.make(Lock(), elsewhere.dir());
    const auto before = Listing(folder);
    const auto elsewhereBefore = Listing(elsewhere.dir());
    kalvano::test::PipeWatchdog watchdog({Lock().string()});
    EXPECT_EQ(Ended(FrontEnd(folder)),
              (std::vector<std::string>{
                  "status 1", "box Kalvano Error #  75: frontend.lock, the lock file that keeps one "
                              "front-end at a time in this base folder, is " + std::string(c.kind) +
                              ", not a file.  Remove " + c.remove + ", then try again.||" +
                              Lock().string()}));
    EXPECT_FALSE(watchdog.Fired()) << "the front-end waited on a named pipe";
    EXPECT_EQ(Listing(folder), before);
    EXPECT_EQ(Listing(elsewhere.dir()), elsewhereBefore);
    fs::remove(Lock());
  }
}

}  // namespace
}  // namespace kalvano::shell
