#include "frontend/shell/run/runfolderlock.h"

#include <cerrno>
#include <unistd.h>

#include "frontend/model/file_error.h"
#include "runfiles.h"
#include "runlock.h"

namespace kalvano::shell {

std::string NotALockFileMessage(std::string_view kind) {
  const bool folder = kind == "a folder";
  return "temp/" + std::string(files::kRunLock) +
         ", the lock file that keeps one run at a time in this base folder, is " +
         std::string(kind) + ", not a file.  Remove " + (folder ? "that folder" : "it") +
         ", then try again.";
}

bool RunFolderLock::Take(const std::string& tempDir) {
  if (Held()) return true;
  const std::string path = tempDir + "/" + std::string(files::kRunLock);
  fd_ = runlock::Take(path);
  if (fd_ >= 0) {
    path_ = path;
    return true;
  }
  if (errno == EWOULDBLOCK) return false;
  if (errno == runlock::kNotAFile) {
    throw model::FileError::OnFile(model::kErrPathFileAccess, path,
                           NotALockFileMessage(runlock::NotAFileKind(path)));
  }
  throw model::FileErrorFromSystem(errno, path);
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
