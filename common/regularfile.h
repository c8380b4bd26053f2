// Opening a file that must be a regular one, without ever waiting on it. A named pipe opened
// for reading waits for a writer (and for writing, for a reader), and a device may act on
// being opened: a name is looked at first, opened without waiting all the same (it may change
// hands in between), and what was opened is checked again. Both programs read their files
// through this.
#pragma once

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace kalvano::regularfile {

// The error number of a name taken by a named pipe, a socket or a device; a folder gives EISDIR.
inline constexpr int kNotAFile = EMEDIUMTYPE;

namespace detail {

inline bool Acceptable(mode_t mode, bool deviceToo) { return S_ISREG(mode) || (deviceToo && S_ISCHR(mode)); }
inline int Refusal(mode_t mode) { return S_ISDIR(mode) ? EISDIR : kNotAFile; }

}  // namespace detail

// Opens `path` with `flags` (O_RDONLY, or O_WRONLY | O_CREAT | O_TRUNC and the like; made
// with mode 0644), closed on exec. Only a regular file is taken, or a character device too
// where `deviceToo` says so. Returns a descriptor whose reads and writes block as ordinary
// ones do, or -1 with errno set: EISDIR for a folder, kNotAFile for anything else that is no
// regular file, the system's error otherwise.
inline int Open(const std::string& path, int flags, bool deviceToo = false) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !detail::Acceptable(st.st_mode, deviceToo)) {
    errno = detail::Refusal(st.st_mode);
    return -1;
  }
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  const int err = ::fstat(fd, &st) != 0                     ? errno
                  : !detail::Acceptable(st.st_mode, deviceToo) ? detail::Refusal(st.st_mode)
                                                               : 0;
  if (err != 0) {
    ::close(fd);
    errno = err;
    return -1;
  }
  const int fileFlags = ::fcntl(fd, F_GETFL);
  if (fileFlags >= 0) ::fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK);
  return fd;
}

}  // namespace kalvano::regularfile
