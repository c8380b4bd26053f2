#include "frontend/shell/run/runfolderlock.h"

#include <unistd.h>

#include "frontend/shell/baselock.h"
#include "runfiles.h"
#include "runlock.h"

namespace kalvano::shell {

bool RunFolderLock::Take(const std::string& tempDir) {
  if (Held()) return true;
  const std::string path = tempDir + "/" + std::string(files::kRunLock);
  fd_ = TakeLockFile(path, "temp/" + std::string(files::kRunLock),
                     "one run at a time in this base folder");
  if (fd_ >= 0) path_ = path;
  return Held();
}

bool RunFolderLock::StillTheFolders() const {
  return Held() && runlock::IsLockFile(fd_, path_);
}

void RunFolderLock::Release() {
  // Closed, not unlocked: an engine that shares the descriptor keeps the lock while it runs.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace kalvano::shell
