// The front-end's locks on its base folder. Each is an exclusive advisory lock (flock), taken
// without waiting, on a descriptor closed on exec, so that no program the front-end starts
// holds it. Two of them: the run lock of temp/ and temp/run.lock keeps one run at a time
// (run/runfolderlock.h), and the front-end's hold keeps one front-end at a time, from start-up
// to the end of the program, since the front-end keeps its working state in shared files of
// the base folder (the recorded weather, the sketch matrix, the zone files, the data bases).
// The hold is the lock of the base folder itself, which no removed or replaced file undoes,
// with the lock of its lock file frontend.lock beside it, both taken as the run lock is
// (runlock::Take: only a regular file of the base folder, no link followed). Where the system
// locks no folder (some network file systems), the lock file stands alone. The system
// releases a lock when its holder ends, however it ends, so a killed front-end leaves no stale
// lock behind. GUI-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/file_error.h"
#include "runlock.h"

namespace kalvano::shell {

// The message of the lock file `name` (as the user reads it: "temp/run.lock") that keeps
// `keeps` ("one run at a time in this base folder"), when its name is taken by `kind` ("a
// folder", "a named pipe", "a symbolic link"...).
std::string NotALockFileMessage(std::string_view name, std::string_view keeps, std::string_view kind);

// Takes the lock file `path` and its folder without waiting (runlock::Take), making the file
// when it is missing: the hold, not held when another process holds either lock. A lock file
// that cannot be opened throws model::FileError naming `path`; so does a name taken by
// something that is not a file, with NotALockFileMessage(name, keeps, ...), which says to
// remove it.
runlock::Lock TakeLock(const std::string& path, std::string_view name, std::string_view keeps);

// The front-end lock, in the base folder.
inline constexpr std::string_view kFrontEndLock = "frontend.lock";

// The front-end's exit statuses when it cannot start: a file fault (an installed file missing,
// the lock file not to be made or taken by something that is not a file), or its base folder
// used by another front-end.
inline constexpr int kStartFileFaultStatus = 1;
inline constexpr int kBaseFolderInUseStatus = 2;

inline constexpr std::string_view kBaseFolderInUseTitle = "Base folder in use";
// The message of a front-end started in the base folder `folder` that another one uses.
std::string BaseFolderInUseMessage(std::string_view folder);

// Whether a front-end holds the base folder `appDir` now, for a program that must not work in
// a base folder that a front-end uses. It makes nothing: each lock is taken and given back at
// once. A folder that cannot be opened, or a lock file that is missing or no regular file,
// counts as not held.
bool FrontEndHolds(const std::string& appDir);

// This front-end's hold on its base folder, taken before anything there is read or written
// and kept until the program ends.
class BaseFolderHold {
 public:
  // Takes the base folder `appDir` without waiting: the lock of the folder, then that of its
  // lock file, made when missing. It needs no display, so that it comes before the
  // application and its first window.
  explicit BaseFolderHold(const std::string& appDir);
  ~BaseFolderHold();
  BaseFolderHold(const BaseFolderHold&) = delete;
  BaseFolderHold& operator=(const BaseFolderHold&) = delete;

  bool Held() const { return lock_.Held(); }
  // Not held because another front-end holds the folder (else a fault of the lock file).
  bool InUse() const { return !Held() && !fault_; }
  // Why the lock file could not be taken, when that is why the folder is not held.
  const std::optional<model::FileError>& Fault() const { return fault_; }
  // When the base folder is not held: tells the user why, in one box through Messages(), and
  // returns the status to exit with.
  int Refuse() const;
  // Gives the hold up when the program refused to start there (no base folder): the lock file
  // goes too when this hold made it and it is still the one held, so that nothing is left.
  void Withdraw();

 private:
  runlock::Lock lock_;
  bool madeFile_ = false;
  std::string appDir_;
  std::string path_;
  std::optional<model::FileError> fault_;
};

}  // namespace kalvano::shell
