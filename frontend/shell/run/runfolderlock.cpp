#include "frontend/shell/run/runfolderlock.h"

#include <cerrno>
#include <unistd.h>

#include "frontend/model/file_error.h"
#include "runfiles.h"
#include "runlock.h"

namespace kalvano::shell {

bool RunFolderLock::Take(const std::string& tempDir) {
  if (Held()) return true;
  const std::string path = tempDir + "/" + std::string(files::kRunLock);
  fd_ = runlock::Take(path);
  if (fd_ >= 0) return true;
  if (errno == EWOULDBLOCK) return false;
  throw model::FileErrorFromSystem(errno, path);
}

void RunFolderLock::Release() {
  // Closed, not unlocked: an engine that shares the descriptor keeps the lock while it runs.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace kalvano::shell
