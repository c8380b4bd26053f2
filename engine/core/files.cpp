#include "engine/core/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "regularfile.h"

namespace kv {

namespace {

std::string faultText(bool creating, const std::string& path, int err) {
  const std::string reason = err == kNotAFile ? "not a regular file" : std::strerror(err);
  return std::string(creating ? "CANNOT CREATE " : "CANNOT WRITE ") + path + ": " + reason;
}

// A file of the run through the shared regular-file open: never waited on, and for writing
// a character device is taken too (a disk that is full stands as /dev/full). Returns the
// stream, or nullptr with errno set.
std::FILE* openRegular(const std::string& path, int flags, const char* mode) {
  const bool writing = (flags & O_ACCMODE) != O_RDONLY;
  const int fd = kalvano::regularfile::Open(path, flags, writing);
  if (fd < 0) return nullptr;
  std::FILE* f = ::fdopen(fd, mode);
  if (f == nullptr) {
    const int err = errno;
    ::close(fd);
    errno = err;
  }
  return f;
}

}  // namespace

OutputFault::OutputFault(bool creating, const std::string& path, int err)
    : std::runtime_error(faultText(creating, path, err)), path_(path), err_(err) {}

bool OutFile::open(const std::string& path) {
  abandon();
  errno = 0;
  f_ = openRegular(path, O_WRONLY | O_CREAT | O_TRUNC, "wb");
  path_ = path;
  used_ = 0;
  err_ = f_ ? 0 : (errno != 0 ? errno : EIO);
  return f_ != nullptr;
}

void OutFile::create(const std::string& path) {
  if (!open(path)) throw OutputFault(true, path, err_);
}

void OutFile::fail(int err) {
  err_ = err != 0 ? err : EIO;
  used_ = 0;
  std::fclose(f_);  // what it says no longer matters: the first failure is the one reported
  f_ = nullptr;
  throw OutputFault(false, path_, err_);
}

void OutFile::put(const char* data, std::size_t n) {
  errno = 0;
  if (std::fwrite(data, 1, n, f_) != n) fail(errno);
}

void OutFile::flushBuffer() {
  if (f_ && used_ > 0) {
    const std::size_t n = used_;
    used_ = 0;
    put(buf_, n);
  }
  used_ = 0;
}

void OutFile::flush() {
  if (!f_) return;
  flushBuffer();
  errno = 0;
  if (std::fflush(f_) != 0) fail(errno);
}

void OutFile::close() {
  if (!f_) return;
  flush();
  errno = 0;
  const int rc = std::fclose(f_);
  f_ = nullptr;
  if (rc != 0) {
    err_ = errno != 0 ? errno : EIO;
    throw OutputFault(false, path_, err_);
  }
}

void OutFile::abandon() {
  if (f_) {
    if (used_ > 0) std::fwrite(buf_, 1, used_, f_);  // as far as it goes
    std::fclose(f_);
  }
  f_ = nullptr;
  used_ = 0;
}

bool InFile::open(const std::string& path) {
  close();
  errno = 0;
  f_ = openRegular(path, O_RDONLY, "rb");  // read-only: a missing file stays missing
  path_ = path;
  lineNo_ = 0;
  if (f_ == nullptr && errno == kNotAFile) {
    // Read as a missing file; the log's message names the file, this says why.
    std::fprintf(stderr, "kvan64: %s is not a regular file: it is read as missing\n", path.c_str());
  }
  return f_ != nullptr;
}

bool InFile::readLine(std::string& line) {
  line.clear();
  if (!f_) return false;
  int c = getc_unlocked(f_);
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    line.push_back(static_cast<char>(c));  // no allocation once the string has grown
    c = getc_unlocked(f_);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++lineNo_;
  return true;
}

void InFile::close() {
  if (f_) std::fclose(f_);
  f_ = nullptr;
}

std::string runPath(std::string_view dir, std::string_view name) {
  std::string p;
  if (!dir.empty()) {
    p.assign(dir);
    if (p.back() != '/') p.push_back('/');
  }
  p.append(name);
  return p;
}

}  // namespace kv
