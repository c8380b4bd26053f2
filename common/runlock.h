// One run at a time in a run folder. A run holds an exclusive advisory lock (flock) on the
// lock file of its run folder (files::kRunLock in temp/). The front-end takes it before it
// writes the first run file and starts its engine while holding it; the engine takes the same
// lock at start and ends at once when another process holds it. The system releases the lock
// when the last descriptor of its holder is closed, so a process that dies leaves no stale
// lock behind.
//
// Hand-over: the front-end's descriptor is inherited by its engine (not closed on exec), and
// the variable kHandOverVariable names its number. The engine accepts that descriptor when it
// is open on the run folder's lock file and its lock is the one the parent holds; anything
// else counts for nothing, and the engine asks for the lock itself.
#pragma once

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>
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

// Whether the descriptor `fd` is open on the file that `path` names now, the name itself
// (not a link's target): the lock file may have been removed, or replaced, since.
inline bool IsLockFile(int fd, const std::string& path) {
  struct stat byFd {};
  struct stat byName {};
  return ::fstat(fd, &byFd) == 0 && ::lstat(path.c_str(), &byName) == 0 &&
         byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

// Opens the lock file `path` (made when missing, never truncated or written) and takes its
// exclusive lock without waiting. Returns the descriptor, closed on exec; or -1 with errno
// set: EWOULDBLOCK when another open of the file holds the lock, kNotAFile when the name is
// taken by something that is not a regular file, the open's error otherwise. Nothing but a
// regular file is opened: a named pipe would make the open wait, and a symbolic link, even
// one that leads nowhere, is never followed, so no lock file is made outside the run folder.
inline int Take(const std::string& path) {
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

// The lock handed down by the parent: the descriptor that kHandOverVariable names, when it is
// open on the lock file `path` and holds its lock (the parent's lock, shared through the
// inherited descriptor). Returns it, or -1 when there is none.
inline int Inherited(const std::string& path) {
  const char* text = std::getenv(kHandOverVariable);
  if (text == nullptr) return -1;
  const std::string_view digits(text);
  int fd = -1;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), fd);
  if (ec != std::errc() || end != digits.data() + digits.size() || fd < 0) return -1;
  if (!IsLockFile(fd, path)) return -1;
  // Succeeds at once for the lock this descriptor already holds; fails when another holds it.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return -1;
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  return fd;
}

}  // namespace kalvano::runlock
