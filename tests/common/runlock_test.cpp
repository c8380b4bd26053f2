// The run folder's lock file, whatever someone put in its place: only a regular file of the run
// folder is ever locked. Nothing waits on a named pipe, no link is followed (so no lock file
// is made outside the run folder), and a lock file removed or replaced is no longer the
// folder's. The folder's own lock keeps a second run out all the same, and is handed down to
// an engine only through the right descriptors.
#include "runlock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
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
    runlock::Lock lock = runlock::Take(f.lock());
    EXPECT_FALSE(watchdog.Fired()) << "the lock waited on a named pipe";
    EXPECT_EQ(lock.Held(), c.taken);
    if (lock.Held()) {
      EXPECT_TRUE(runlock::IsLockFile(lock.File(), f.lock()));
      lock.Release();
    } else {
      EXPECT_EQ(lock.Error(), runlock::kNotAFile);
      EXPECT_EQ(lock.File(), -1);
      EXPECT_EQ(lock.Folder(), -1) << "the folder stays held by a lock that was not taken";
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

// A lock stays the folder's only while its file is the one the folder's name leads to, in the
// folder the run folder's name leads to.
TEST(RunLock, a_lock_file_removed_or_replaced_is_no_longer_the_folders) {
  struct Case {
    const char* what;
    void (*change)(const Folder&);
    bool stillTheFile;
    bool stillTheFolders;
  };
  const Case cases[] = {
      {"untouched", [](const Folder&) {}, true, true},
      {"removed", [](const Folder& f) { fs::remove(f.lock()); }, false, false},
      {"removed and made again",
       [](const Folder& f) {
         fs::remove(f.lock());
         std::ofstream(f.lock()) << "";
       },
       false, false},
      {"replaced by a link to itself",
       [](const Folder& f) {
         fs::rename(f.lock(), f.dir / "elsewhere/held");
         fs::create_symlink(f.dir / "elsewhere/held", f.lock());
       },
       false, false},
      {"the run folder moved away, and a new one made with the same lock file",
       [](const Folder& f) {
         fs::rename(f.dir / "temp", f.dir / "moved");
         fs::create_directory(f.dir / "temp");
         fs::create_hard_link(f.dir / "moved/run.lock", f.lock());
       },
       true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folder f;
    const runlock::Lock lock = runlock::Take(f.lock());
    ASSERT_TRUE(lock.Held());
    c.change(f);
    EXPECT_EQ(runlock::IsLockFile(lock.File(), f.lock()), c.stillTheFile);
    EXPECT_EQ(lock.StillTheFolders(f.lock()), c.stillTheFolders);
  }
}

// Whether the descriptor `fd` is closed on exec.
bool ClosedOnExec(int fd) { return (::fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0; }

// The folder's lock is taken before the lock file's, and either keeps a second taker out:
// removing or replacing the lock file of a run that holds its folder lets no second run in,
// and that run makes nothing.
TEST(RunLock, a_run_holds_its_folder_whatever_becomes_of_its_lock_file) {
  struct Case {
    const char* what;
    void (*change)(const Folder&);
    bool fileAfter;  // a lock file is there after the second taker was refused
  };
  const Case cases[] = {
      {"untouched", [](const Folder&) {}, true},
      {"the lock file removed", [](const Folder& f) { fs::remove(f.lock()); }, false},
      {"the lock file replaced by a new one",
       [](const Folder& f) {
         fs::remove(f.lock());
         std::ofstream(f.lock()) << "";
       },
       true},
      {"the lock file moved away",
       [](const Folder& f) { fs::rename(f.lock(), f.dir / "elsewhere/run.lock"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folder f;
    runlock::Lock first = runlock::Take(f.lock());
    ASSERT_TRUE(first.Held());
    ASSERT_GE(first.Folder(), 0) << "this system locks no folder";
    ASSERT_GE(first.File(), 0);
    // Neither descriptor is inherited by a program that the holder starts.
    EXPECT_TRUE(ClosedOnExec(first.Folder()));
    EXPECT_TRUE(ClosedOnExec(first.File()));
    EXPECT_TRUE(runlock::IsFolder(first.Folder(), (f.dir / "temp").string()));
    c.change(f);
    const runlock::Lock second = runlock::Take(f.lock());
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.Error(), EWOULDBLOCK);
    EXPECT_EQ(fs::exists(f.lock()), c.fileAfter) << "the refused taker made a lock file";
    const runlock::Lock noFile = runlock::Take(f.lock(), false);
    EXPECT_EQ(noFile.Error(), EWOULDBLOCK);
    // Given up, the folder is free for the next run at once.
    first.Release();
    const runlock::Lock next = runlock::Take(f.lock());
    EXPECT_TRUE(next.Held());
  }
}

TEST(RunLock, a_holder_of_either_lock_keeps_the_other_taker_out) {
  {
    SCOPED_TRACE("the folder's lock alone is held");
    Folder f;
    const int folder = runlock::LockFolder((f.dir / "temp").string(), LOCK_EX);
    ASSERT_GE(folder, 0);
    EXPECT_EQ(runlock::Take(f.lock()).Error(), EWOULDBLOCK);
    EXPECT_FALSE(fs::exists(f.lock())) << "a lock file was made in a folder another run holds";
    ::close(folder);
  }
  {
    SCOPED_TRACE("the lock file's lock alone is held");
    Folder f;
    const int file = runlock::TakeFile(f.lock());
    ASSERT_GE(file, 0);
    EXPECT_EQ(runlock::Take(f.lock()).Error(), EWOULDBLOCK);
    // The refused taker gave the folder's lock back.
    const int folder = runlock::LockFolder((f.dir / "temp").string(), LOCK_EX);
    EXPECT_GE(folder, 0);
    ::close(folder);
    ::close(file);
  }
  {
    SCOPED_TRACE("no lock file, and none to be made: the folder alone");
    Folder f;
    runlock::Lock lock = runlock::Take(f.lock(), false);
    EXPECT_TRUE(lock.Held());
    EXPECT_GE(lock.Folder(), 0);
    EXPECT_EQ(lock.File(), -1);
    EXPECT_FALSE(fs::exists(f.lock()));
    EXPECT_EQ(runlock::Take(f.lock()).Error(), EWOULDBLOCK);
    EXPECT_FALSE(fs::exists(f.lock()));
    lock.Release();
    EXPECT_TRUE(runlock::Take(f.lock()).Held());
  }
}

// The engine accepts its parent's locks only through descriptors on the run folder itself and
// on its lock file that hold their locks; anything else counts for nothing. Each case hands
// down copies (dup) of descriptors of this process, as a child inherits them.
TEST(RunLock, the_hand_over_is_accepted_only_for_the_run_folders_locks) {
  struct Descriptors {
    int file;    // the holder's lock file
    int folder;  // the holder's folder
    int otherFolder;
    int unlockedFolder;  // an open of the run folder that holds no lock
    int unlockedFile;    // an open of the lock file that holds no lock
  };
  struct Case {
    const char* what;
    std::string (*value)(const Descriptors&);
    bool accepted;
    bool fileKept;  // the lock file's descriptor is held beside the folder's
  };
  const Case cases[] = {
      {"both locks", [](const Descriptors& d) { return std::to_string(d.file) + "," + std::to_string(d.folder); },
       true, true},
      {"the lock file's alone, the folder held by its parent",
       [](const Descriptors& d) { return std::to_string(d.file); }, false, false},
      {"another folder named as the run folder",
       [](const Descriptors& d) { return std::to_string(d.file) + "," + std::to_string(d.otherFolder); }, false,
       false},
      {"an open of the run folder that holds no lock",
       [](const Descriptors& d) { return std::to_string(d.file) + "," + std::to_string(d.unlockedFolder); }, false,
       false},
      {"the two swapped",
       [](const Descriptors& d) { return std::to_string(d.folder) + "," + std::to_string(d.file); }, false, false},
      {"the lock file named as the folder",
       [](const Descriptors& d) { return std::to_string(d.file) + "," + std::to_string(d.file); }, false, false},
      {"an open of the lock file that holds no lock, with the folder's",
       [](const Descriptors& d) { return std::to_string(d.unlockedFile) + "," + std::to_string(d.folder); }, true,
       false},
      {"no number after the comma", [](const Descriptors& d) { return std::to_string(d.file) + ","; }, false,
       false},
      {"a third number",
       [](const Descriptors& d) {
         return std::to_string(d.file) + "," + std::to_string(d.folder) + "," + std::to_string(d.folder);
       },
       false, false},
      {"no number", [](const Descriptors&) { return std::string("x"); }, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folder f;
    const runlock::Lock parent = runlock::Take(f.lock());
    ASSERT_GE(parent.Folder(), 0);
    ASSERT_GE(parent.File(), 0);
    const Descriptors d{::dup(parent.File()), ::dup(parent.Folder()),
                        ::open((f.dir / "elsewhere").c_str(), O_RDONLY | O_DIRECTORY),
                        ::open((f.dir / "temp").c_str(), O_RDONLY | O_DIRECTORY),
                        ::open(f.lock().c_str(), O_RDONLY)};
    ::setenv(runlock::kHandOverVariable, c.value(d).c_str(), 1);
    {
      const runlock::Lock child = runlock::Inherited(f.lock());
      EXPECT_EQ(child.Held(), c.accepted);
      if (c.accepted) {
        EXPECT_EQ(child.Folder(), d.folder);
        EXPECT_EQ(child.File(), c.fileKept ? d.file : -1);
        // Accepted, the descriptors are closed on exec again: the engine's own children hold nothing.
        EXPECT_TRUE(ClosedOnExec(child.Folder()));
        if (c.fileKept) {
          EXPECT_TRUE(ClosedOnExec(child.File()));
        }
      } else {
        // A refused hand-over leaves the locks with their holder.
        EXPECT_EQ(runlock::Take(f.lock()).Error(), EWOULDBLOCK);
      }
    }
    ::unsetenv(runlock::kHandOverVariable);
    // Closed by the lock that accepted them, not twice.
    for (const int fd : {d.file, d.folder, d.otherFolder, d.unlockedFolder, d.unlockedFile}) {
      if (::fcntl(fd, F_GETFD) != -1) ::close(fd);
    }
  }
}

// A parent that holds the lock file where the folder is free (no folder lock handed down, as
// where the system locks no folder): the engine accepts the lock file's and takes the
// folder's itself; with neither named, it takes nothing.
TEST(RunLock, a_lock_file_handed_down_alone_brings_the_free_folder_with_it) {
  Folder f;
  const int file = runlock::TakeFile(f.lock());
  ASSERT_GE(file, 0);
  ::setenv(runlock::kHandOverVariable, std::to_string(file).c_str(), 1);
  {
    const runlock::Lock child = runlock::Inherited(f.lock());
    EXPECT_TRUE(child.Held());
    EXPECT_EQ(child.File(), file);
    EXPECT_GE(child.Folder(), 0);
    const int probe = runlock::LockFolder((f.dir / "temp").string(), LOCK_SH);
    EXPECT_EQ(probe, -1) << "the folder is free while the engine runs";
    if (probe >= 0) ::close(probe);
  }
  ::unsetenv(runlock::kHandOverVariable);
  EXPECT_FALSE(runlock::Inherited(f.lock()).Held());
  EXPECT_TRUE(runlock::Take(f.lock()).Held()) << "the accepted lock was not given up with its hold";
}

}  // namespace
