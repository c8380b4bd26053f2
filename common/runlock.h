// One run at a time in a run folder. A run holds two exclusive advisory locks (flock): that of
// the run folder itself (temp/), through a descriptor of the folder, and that of the folder's
// lock file (files::kRunLock in temp/), taken in this order. Removing or replacing the lock
// file cannot undo the folder's lock, so a second run is kept out all the same; where the
// system locks no folder (some network file systems), the lock file stands alone. A holder
// of either lock keeps the other's taker out. The front-end takes them before it writes the
// first run file and starts its engine while holding them; the engine takes the same locks at
// start and ends at once when another process holds one. The system releases a lock when the
// last descriptor of its holder is closed, so a process that dies leaves no stale lock behind.
// The front-end's hold on its base folder (frontend.lock) is taken the same way.
//
// Hand-over: the front-end's descriptors are inherited by its engine (not closed on exec), and
// the variable kHandOverVariable names their numbers: the lock file's, then, after a comma,
// the folder's ("5,6"; "5" alone where the system locks no folder). The engine accepts them
// when the folder's is open on the run folder itself and holds its lock (the parent's, shared
// through the inherited descriptor), or, without one, when the lock file's is open on the run
// folder's lock file and holds its lock and the folder is free; anything else counts for
// nothing, and the engine asks for the locks itself.
#pragma once

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include "regularfile.h"

namespace kalvano::runlock {

inline constexpr const char* kHandOverVariable = "KALVANO_RUN_LOCK_FD";

namespace detail {

// Whether `path` names something that is there and is no regular file.
inline bool NotAFile(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

// A descriptor number from `text`, all of it; -1 when it is none.
inline int Descriptor(std::string_view text) {
  int fd = -1;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), fd);
  return ec == std::errc() && end == text.data() + text.size() && fd >= 0 ? fd : -1;
}

}  // namespace detail

// The errno of a lock file whose name is taken by something that is not a regular file.
inline constexpr int kNotAFile = regularfile::kNotAFile;

// What takes the name `path` when it is no regular file: "a folder", "a named pipe", "a
// device", "a socket", "a symbolic link", or "something else".
inline std::string_view NotAFileKind(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "something else";
  if (S_ISDIR(st.st_mode)) return "a folder";
  if (S_ISFIFO(st.st_mode)) return "a named pipe";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "a device";
  if (S_ISSOCK(st.st_mode)) return "a socket";
  if (S_ISLNK(st.st_mode)) return "a symbolic link";
  return "something else";
}

// The folder of the lock file `path`: "." for a bare name.
inline std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Whether the descriptor `fd` is open on the file that `path` names now, the name itself
// (not a link's target): the lock file may have been removed, or replaced, since.
inline bool IsLockFile(int fd, const std::string& path) {
  struct stat byFd {};
  struct stat byName {};
  return ::fstat(fd, &byFd) == 0 && ::lstat(path.c_str(), &byName) == 0 &&
         byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

// Whether the descriptor `fd` is open on the folder that `dir` leads to now: the folder may
// have been moved away, and another made in its place, since.
inline bool IsFolder(int fd, const std::string& dir) {
  struct stat byFd {};
  struct stat byName {};
  return ::fstat(fd, &byFd) == 0 && S_ISDIR(byFd.st_mode) &&
         ::stat(dir.empty() ? "." : dir.c_str(), &byName) == 0 && byFd.st_dev == byName.st_dev &&
         byFd.st_ino == byName.st_ino;
}

// Takes the lock of the folder `dir` itself without waiting, as `how` (LOCK_EX or LOCK_SH):
// its descriptor, closed on exec; or -1 with errno EWOULDBLOCK when another process holds it,
// another errno when the folder cannot be opened or the system locks no folder.
inline int LockFolder(const std::string& dir, int how) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  if (::flock(fd, how | LOCK_NB) == 0) return fd;
  const int err = errno == EINTR ? EWOULDBLOCK : errno;
  ::close(fd);
  errno = err;
  return -1;
}

// Opens the lock file `path` (made when missing, never truncated or written) and takes its
// exclusive lock without waiting; the lock file alone, not its folder. Returns the descriptor,
// closed on exec; or -1 with errno set: EWOULDBLOCK when another open of the file holds the
// lock, kNotAFile when the name is taken by something that is not a regular file, the open's
// error otherwise. Nothing but a regular file is opened: a named pipe would make the open
// wait, and a symbolic link, even one that leads nowhere, is never followed, so no lock file
// is made outside the run folder.
inline int TakeFile(const std::string& path) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (detail::NotAFile(path)) {
      errno = kNotAFile;
      return -1;
    }
    const int fd = ::open(path.c_str(),
                          O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) {
      // Something other than a file may have come in its place since it was looked at.
      const int err = errno;
      errno = detail::NotAFile(path) ? kNotAFile : err;
      return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      errno = kNotAFile;
      return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int err = errno == EINTR ? EWOULDBLOCK : errno;
      ::close(fd);
      errno = err;
      return -1;
    }
    if (IsLockFile(fd, path)) return fd;
    ::close(fd);  // the file was replaced while it was locked: lock the new one
  }
  errno = EWOULDBLOCK;
  return -1;
}

// A hold on a folder: the lock of the folder itself and that of its lock file, each through a
// descriptor of its own, closed on exec. Given up when the hold ends.
class Lock {
 public:
  Lock() = default;
  ~Lock() { Release(); }
  Lock(Lock&& other) noexcept
      : folder_(std::exchange(other.folder_, -1)), file_(std::exchange(other.file_, -1)), error_(other.error_) {}
  Lock& operator=(Lock&& other) noexcept {
    if (this != &other) {
      Release();
      folder_ = std::exchange(other.folder_, -1);
      file_ = std::exchange(other.file_, -1);
      error_ = other.error_;
    }
    return *this;
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  bool Held() const { return folder_ >= 0 || file_ >= 0; }
  // Why it is not held: EWOULDBLOCK when another process holds the folder or its lock file,
  // kNotAFile when the lock file's name is taken by something that is not a regular file, the
  // system's error when the lock file cannot be opened; 0 when nothing was asked for.
  int Error() const { return Held() ? 0 : error_; }
  // The descriptor on the lock file; -1 when that is not held.
  int File() const { return file_; }
  // The descriptor on the folder; -1 when the system locks no folder, or it is not held.
  int Folder() const { return folder_; }

  // The value of kHandOverVariable that hands these locks down: "" when nothing is held.
  std::string HandOver() const {
    if (file_ < 0) return {};
    return std::to_string(file_) + (folder_ >= 0 ? "," + std::to_string(folder_) : std::string());
  }

  // Whether the locks held are still those of the lock file `path` and its folder: the lock
  // file has not been removed or replaced since, nor the folder moved away.
  bool StillTheFolders(const std::string& path) const {
    return file_ >= 0 && IsLockFile(file_, path) && (folder_ < 0 || IsFolder(folder_, FolderOf(path)));
  }

  // Gives both locks up (closes their descriptors: a process that inherited them keeps them).
  void Release() {
    if (file_ >= 0) ::close(file_);
    if (folder_ >= 0) ::close(folder_);
    file_ = -1;
    folder_ = -1;
  }

 private:
  friend Lock Take(const std::string& path, bool makeFile);
  friend Lock Inherited(const std::string& path);

  int folder_ = -1;
  int file_ = -1;
  int error_ = 0;
};

// Takes the lock file `path` and its folder without waiting: the folder's lock first, so
// that, while another process holds it, nothing is made or changed whatever became of that
// process's lock file; then the lock file's (through TakeFile). Where the system locks no
// folder, the lock file alone. When `makeFile` is false and there is no lock file, the folder
// alone is taken and none is made. Not held when either lock is another's, or the lock file
// cannot be taken: Error() says why.
inline Lock Take(const std::string& path, bool makeFile = true) {
  Lock lock;
  lock.folder_ = LockFolder(FolderOf(path), LOCK_EX);
  if (lock.folder_ < 0 && errno == EWOULDBLOCK) {
    lock.error_ = EWOULDBLOCK;
    return lock;
  }
  struct stat st {};
  if (!makeFile && ::lstat(path.c_str(), &st) != 0 && errno == ENOENT) return lock;
  lock.file_ = TakeFile(path);
  if (lock.file_ < 0) {
    lock.error_ = errno;
    lock.Release();
  }
  return lock;
}

// The locks handed down by the parent through kHandOverVariable, for the lock file `path` and
// its folder: held when the folder's descriptor is open on that folder and holds its lock, the
// lock file's kept beside it while it still is the folder's; or, with no folder's descriptor
// named, when the lock file's is open on the lock file and holds its lock, and the folder's
// lock can be taken here (or the system locks no folder). Not held otherwise; no descriptor
// that the parent named is closed then.
inline Lock Inherited(const std::string& path) {
  Lock lock;
  const char* text = std::getenv(kHandOverVariable);
  if (text == nullptr) return lock;
  const std::string_view value(text);
  const std::size_t comma = value.find(',');
  const int file = detail::Descriptor(value.substr(0, comma));
  const int folder = comma == std::string_view::npos ? -2 : detail::Descriptor(value.substr(comma + 1));
  if (file < 0 || folder == -1) return lock;
  // Each flock succeeds at once for the lock its descriptor already holds, and fails when
  // another holds it.
  const auto holdsLockFile = [&] { return IsLockFile(file, path) && ::flock(file, LOCK_EX | LOCK_NB) == 0; };
  const std::string dir = FolderOf(path);
  if (folder >= 0) {
    if (!IsFolder(folder, dir) || ::flock(folder, LOCK_EX | LOCK_NB) != 0) return lock;
    lock.folder_ = folder;
    if (holdsLockFile()) lock.file_ = file;
  } else {
    if (!holdsLockFile()) return lock;
    lock.folder_ = LockFolder(dir, LOCK_EX);
    if (lock.folder_ < 0 && errno == EWOULDBLOCK) return lock;
    lock.file_ = file;
  }
  for (const int fd : {lock.folder_, lock.file_}) {
    if (fd >= 0) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  return lock;
}

}  // namespace kalvano::runlock
