#include "frontend/model/atomic_file.h"

#include "frontend/model/file_error.h"
#include "textio.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvano::model {

void AtomicFile::line(std::string_view t) {
  content_.append(t);
  content_.append(text::kCrlf);
}

namespace {

// Writes `content` to a new temporary file beside `path`; returns its name.
std::string stage(const std::string& path, const std::string& content) {
  std::filesystem::path target(path);
  std::string tmpl = (target.parent_path().empty() ? std::filesystem::path(".")
                                                   : target.parent_path()) /
                     ("." + target.filename().string() + ".XXXXXX");
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) throw FileErrorFromSystem(errno, path);
  const char* p = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      throw FileErrorFromSystem(err, path);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st {};
  mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    throw FileErrorFromSystem(err, path);
  }
  return tmpl;
}

}  // namespace

void CommitAll(const std::vector<const AtomicFile*>& files) {
  std::vector<std::string> staged;
  try {
    for (const AtomicFile* f : files) staged.push_back(stage(f->path(), f->content()));
  } catch (...) {
    for (const std::string& s : staged) ::unlink(s.c_str());
    throw;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (::rename(staged[i].c_str(), files[i]->path().c_str()) != 0) {
      int err = errno;
      for (std::size_t j = i; j < staged.size(); ++j) ::unlink(staged[j].c_str());
      throw FileErrorFromSystem(err, files[i]->path());
    }
  }
}

void AtomicFile::commit() const { CommitAll({this}); }

std::string ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) throw FileErrorFromSystem(errno, path);
  std::string bytes;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      throw FileErrorFromSystem(err, path);
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::istringstream in(bytes);
  std::vector<std::string> lines;
  std::string line;
  while (text::readLine(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace kalvano::model
