// The run window's hold on its run folder: one run at a time per base folder. The lock is
// taken when Execute Run starts, before the first run file is written, handed down to the
// engine, and given up once the run's results are appended or the run ends without results.
// It is the lock of the run folder itself with that of its lock file (runlock.h). GUI-free.
#pragma once

#include <string>
#include <string_view>

#include "runlock.h"

namespace kalvano::shell {

class RunFolderLock {
 public:
  RunFolderLock() = default;
  ~RunFolderLock() { Release(); }
  RunFolderLock(const RunFolderLock&) = delete;
  RunFolderLock& operator=(const RunFolderLock&) = delete;

  // Takes the lock of the run folder `tempDir` without waiting. False when another process
  // holds it (the folder's lock or its lock file's). A lock file that cannot be opened throws
  // model::FileError naming it; so does a name taken by something that is not a file (a
  // folder, a named pipe, a symbolic link), with a message that says to remove it. Taking a
  // lock already held keeps it.
  bool Take(const std::string& tempDir);

  // Gives the lock up. An engine that inherited it keeps it until it has ended.
  void Release();

  bool Held() const { return lock_.Held(); }
  // The locks the engine inherits (none when not held).
  const runlock::Lock& Handed() const { return lock_; }

  // Whether the lock held is still the run folder's: its lock file has not been removed or
  // replaced since it was taken, nor the folder moved away (else another run may have taken
  // the folder meanwhile).
  bool StillTheFolders() const;

 private:
  runlock::Lock lock_;
  std::string path_;
};

// Review Results when the run's lock is no longer the base folder's.
inline constexpr std::string_view kLockLostTitle = "Review Results";
inline constexpr std::string_view kLockLostText =
    "This run's results cannot be trusted: the base folder's lock file temp/run.lock was "
    "removed or replaced while the run ran, so another run may have written over its files in "
    "temp.  Nothing was added to the report.  Press Cancel and run the project again.";

inline constexpr std::string_view kRunLockedTitle = "Run in progress";
inline constexpr std::string_view kRestoreLockedText =
    "Another run is using this base folder. One base folder runs one simulation at a time: "
    "choose the output again when the other run has ended.";
inline constexpr std::string_view kRunLockedText =
    "Another run is using this base folder. One base folder runs one simulation at a time: "
    "press Execute Run again when the other run has ended.";

}  // namespace kalvano::shell
