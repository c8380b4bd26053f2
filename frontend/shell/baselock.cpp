#include "frontend/shell/baselock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "frontend/model/helpers.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/messagebox.h"
#include "runlock.h"

namespace kalvano::shell {

std::string NotALockFileMessage(std::string_view name, std::string_view keeps, std::string_view kind) {
  const bool folder = kind == "a folder";
  return std::string(name) + ", the lock file that keeps " + std::string(keeps) + ", is " +
         std::string(kind) + ", not a file.  Remove " + (folder ? "that folder" : "it") +
         ", then try again.";
}

runlock::Lock TakeLock(const std::string& path, std::string_view name, std::string_view keeps) {
  runlock::Lock lock = runlock::Take(path);
  if (lock.Held() || lock.Error() == EWOULDBLOCK) return lock;
  if (lock.Error() == runlock::kNotAFile) {
    throw model::FileError::OnFile(model::kErrPathFileAccess, path,
                                   NotALockFileMessage(name, keeps, runlock::NotAFileKind(path)));
  }
  throw model::FileErrorFromSystem(lock.Error(), path);
}

std::string BaseFolderInUseMessage(std::string_view folder) {
  return "Another front-end is using this base folder:\n\n" + model::BoxName(folder) +
         "\n\nOne base folder serves one front-end at a time: use that front-end, or start this "
         "one from a copy of the base folder.";
}

namespace {

std::string LockFilePath(const std::string& appDir) {
  return appDir.empty() ? std::string(kFrontEndLock) : appDir + "/" + std::string(kFrontEndLock);
}

// Whether another process holds the lock of the lock file `path`. Nothing is made, no link is
// followed, and nothing but a regular file is locked.
bool LockFileHeld(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  const bool held = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                    ::flock(fd, LOCK_SH | LOCK_NB) != 0 && (errno == EWOULDBLOCK || errno == EINTR);
  ::close(fd);
  return held;
}

}  // namespace

bool FrontEndHolds(const std::string& appDir) {
  const int folder = runlock::LockFolder(appDir, LOCK_SH);
  if (folder < 0 && errno == EWOULDBLOCK) return true;
  if (folder >= 0) ::close(folder);
  return LockFileHeld(LockFilePath(appDir));
}

BaseFolderHold::BaseFolderHold(const std::string& appDir)
    : appDir_(appDir), path_(LockFilePath(appDir)) {
  // While another front-end holds the folder, nothing here is made or changed, whatever
  // became of that front-end's lock file.
  try {
    struct stat st {};
    const bool missing = ::lstat(path_.c_str(), &st) != 0 && errno == ENOENT;
    lock_ = TakeLock(path_, kFrontEndLock, "one front-end at a time in this base folder");
    madeFile_ = lock_.Held() && missing;
  } catch (const model::FileError& error) {
    fault_ = error;
  }
}

BaseFolderHold::~BaseFolderHold() = default;

void BaseFolderHold::Withdraw() {
  // Still locked by this hold, no other front-end can have come to use the file meanwhile.
  if (lock_.File() >= 0 && madeFile_ && runlock::IsLockFile(lock_.File(), path_)) ::unlink(path_.c_str());
  lock_.Release();
}

int BaseFolderHold::Refuse() const {
  if (fault_) {
    ReportFileFault(*fault_);
    return kStartFileFaultStatus;
  }
  Messages().showNaming(BaseFolderInUseMessage(appDir_), kBaseFolderInUseTitle, MsgIcon::Exclamation);
  return kBaseFolderInUseStatus;
}

}  // namespace kalvano::shell
