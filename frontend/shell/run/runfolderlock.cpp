#include "frontend/shell/run/runfolderlock.h"

#include "frontend/shell/baselock.h"
#include "runfiles.h"

namespace kalvano::shell {

bool RunFolderLock::Take(const std::string& tempDir) {
  if (Held()) return true;
  const std::string path = tempDir + "/" + std::string(files::kRunLock);
  lock_ = TakeLock(path, "temp/" + std::string(files::kRunLock), "one run at a time in this base folder");
  if (Held()) path_ = path;
  return Held();
}

bool RunFolderLock::StillTheFolders() const {
  return Held() && lock_.StillTheFolders(path_);
}

void RunFolderLock::Release() {
  // Closed, not unlocked: an engine that shares the descriptors keeps the locks while it runs.
  lock_.Release();
}

}  // namespace kalvano::shell
