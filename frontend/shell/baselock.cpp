#include "frontend/shell/baselock.h"

#include <cerrno>
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

int TakeLockFile(const std::string& path, std::string_view name, std::string_view keeps) {
  const int fd = runlock::Take(path);
  if (fd >= 0) return fd;
  if (errno == EWOULDBLOCK) return -1;
  if (errno == runlock::kNotAFile) {
    throw model::FileError::OnFile(model::kErrPathFileAccess, path,
                                   NotALockFileMessage(name, keeps, runlock::NotAFileKind(path)));
  }
  throw model::FileErrorFromSystem(errno, path);
}

std::string BaseFolderInUseMessage(std::string_view folder) {
  return "Another front-end is using this base folder:\n\n" + model::BoxName(folder) +
         "\n\nOne base folder serves one front-end at a time: use that front-end, or start this "
         "one from a copy of the base folder.";
}

BaseFolderHold::BaseFolderHold(const std::string& appDir) : appDir_(appDir) {
  const std::string path =
      appDir.empty() ? std::string(kFrontEndLock) : appDir + "/" + std::string(kFrontEndLock);
  try {
    fd_ = TakeLockFile(path, kFrontEndLock, "one front-end at a time in this base folder");
  } catch (const model::FileError& error) {
    fault_ = error;
  }
}

BaseFolderHold::~BaseFolderHold() {
  if (fd_ >= 0) ::close(fd_);
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
