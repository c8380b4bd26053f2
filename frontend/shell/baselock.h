// The front-end's locks on its base folder. Each is an exclusive advisory lock (flock) on a
// lock file, taken without waiting through runlock::Take: only a regular file of the base
// folder is ever locked, no link is followed, and the descriptor is closed on exec, so no
// program that the front-end starts holds it. Two of them: the run lock temp/run.lock keeps
// one run at a time (run/runfolderlock.h), and the front-end lock keeps one front-end at a
// time, held from start-up to the end of the program, since the front-end keeps its working
// state in shared files of the base folder (the recorded weather, the sketch matrix, the zone
// files, the data bases). The system releases a lock when its holder ends, however it ends,
// so a killed front-end leaves no stale lock behind. GUI-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/file_error.h"

namespace kalvano::shell {

// The message of the lock file `name` (as the user reads it: "temp/run.lock") that keeps
// `keeps` ("one run at a time in this base folder"), when its name is taken by `kind` ("a
// folder", "a named pipe", "a symbolic link"...).
std::string NotALockFileMessage(std::string_view name, std::string_view keeps, std::string_view kind);

// Takes the lock of the lock file `path` without waiting, making the file when it is missing:
// its descriptor, or -1 when another process holds the lock. A lock file that cannot be
// opened throws model::FileError naming `path`; so does a name taken by something that is not
// a file, with NotALockFileMessage(name, keeps, ...), which says to remove it.
int TakeLockFile(const std::string& path, std::string_view name, std::string_view keeps);

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

// This front-end's hold on its base folder, taken before anything there is read or written
// and kept until the program ends.
class BaseFolderHold {
 public:
  // Takes the front-end lock of the base folder `appDir` without waiting. It needs no display,
  // so that it comes before the application and its first window.
  explicit BaseFolderHold(const std::string& appDir);
  ~BaseFolderHold();
  BaseFolderHold(const BaseFolderHold&) = delete;
  BaseFolderHold& operator=(const BaseFolderHold&) = delete;

  bool Held() const { return fd_ >= 0; }
  // Why the base folder is not held when no other front-end holds it: its lock could not be
  // made or taken. None when another front-end holds it.
  const std::optional<model::FileError>& Fault() const { return fault_; }
  // When the base folder is not held: tells the user why, in one box through Messages(), and
  // returns the status to exit with.
  int Refuse() const;

 private:
  int fd_ = -1;
  std::string appDir_;
  std::optional<model::FileError> fault_;
};

}  // namespace kalvano::shell
