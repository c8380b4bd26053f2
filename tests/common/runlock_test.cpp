// The run folder's lock file, whatever someone put in its place: only a regular file of the run
// folder is ever locked. Nothing waits on a named pipe, no link is followed (so no lock file
// is made outside the run folder), and a lock file removed or replaced is no longer the
// folder's.
#include "runlock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "tests/pipe_watchdog.h"

namespace {

namespace fs = std::filesystem;
using namespace kalvano;

struct Folder {
  Folder() {
    std::string tmpl = (fs::temp_directory_path() / "kvlockXXXXXX").string();
    dir = ::mkdtemp(tmpl.data());
    fs::create_directories(dir / "temp");
    fs::create_directories(dir / "elsewhere");
  }
  ~Folder() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string lock() const { return (dir / "temp" / "run.lock").string(); }
  fs::path dir;
};

TEST(RunLock, only_a_regular_file_in_the_run_folder_is_locked) {
  struct Case {
    const char* what;
    void (*make)(const Folder&);
    bool taken;
  };
  const Case cases[] = {
      {"no lock file yet", [](const Folder&) {}, true},
      {"a lock file", [](const Folder& f) { std::ofstream(f.lock()) << ""; }, true},
      {"a named pipe", [](const Folder& f) { ::mkfifo(f.lock().c_str(), 0644); }, false},
      {"a symbolic link to a named pipe",
       [](const Folder& f) {
         ::mkfifo((f.dir / "elsewhere/pipe").c_str(), 0644);
         fs::create_symlink(f.dir / "elsewhere/pipe", f.lock());
       },
       false},
      {"a symbolic link that leads nowhere",
       [](const Folder& f) { fs::create_symlink(f.dir / "elsewhere/run.lock", f.lock()); }, false},
      {"a symbolic link to a file",
       [](const Folder& f) {
         std::ofstream(f.dir / "elsewhere/file") << "";
         fs::create_symlink(f.dir / "elsewhere/file", f.lock());
       },
       false},
      {"a folder", [](const Folder& f) { fs::create_directories(f.lock()); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folder f;
    c.make(f);
    kalvano::test::PipeWatchdog watchdog({f.lock(), (f.dir / "elsewhere/pipe").string()});
    const int fd = runlock::Take(f.lock());
    const int err = errno;
    EXPECT_FALSE(watchdog.Fired()) << "the lock waited on a named pipe";
    EXPECT_EQ(fd >= 0, c.taken);
    if (fd >= 0) {
      EXPECT_TRUE(runlock::IsLockFile(fd, f.lock()));
      ::close(fd);
    } else {
      EXPECT_EQ(err, runlock::kNotAFile);
    }
    // Nothing was made, or locked, outside the run folder.
    EXPECT_FALSE(fs::exists(f.dir / "elsewhere/run.lock"));
    const std::string held = (f.dir / "elsewhere/file").string();
    if (fs::exists(held)) {
      const int other = ::open(held.c_str(), O_RDONLY);
      EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
      ::close(other);
    }
  }
  // What the messages call what took the name.
  Folder f;
  ::mkfifo(f.lock().c_str(), 0644);
  EXPECT_EQ(runlock::NotAFileKind(f.lock()), "a named pipe");
  fs::remove(f.lock());
  fs::create_symlink("nowhere", f.lock());
  EXPECT_EQ(runlock::NotAFileKind(f.lock()), "a symbolic link");
  fs::remove(f.lock());
  fs::create_directories(f.lock());
  EXPECT_EQ(runlock::NotAFileKind(f.lock()), "a folder");
}

// A lock stays the folder's only while its file is the one the folder's name leads to.
TEST(RunLock, a_lock_file_removed_or_replaced_is_no_longer_the_folders) {
  struct Case {
    const char* what;
    void (*change)(const Folder&);
    bool still;
  };
  const Case cases[] = {
      {"untouched", [](const Folder&) {}, true},
      {"removed", [](const Folder& f) { fs::remove(f.lock()); }, false},
      {"removed and made again",
       [](const Folder& f) {
         fs::remove(f.lock());
         std::ofstream(f.lock()) << "";
       },
       false},
      {"replaced by a link to itself",
       [](const Folder& f) {
         fs::rename(f.lock(), f.dir / "elsewhere/held");
         fs::create_symlink(f.dir / "elsewhere/held", f.lock());
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folder f;
    const int fd = runlock::Take(f.lock());
    ASSERT_GE(fd, 0);
    c.change(f);
    EXPECT_EQ(runlock::IsLockFile(fd, f.lock()), c.still);
    ::close(fd);
  }
}

}  // namespace
