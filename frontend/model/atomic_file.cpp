#include "frontend/model/atomic_file.h"

#include "frontend/model/file_error.h"
#include "regularfile.h"
#include "textio.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvano::model {

namespace fs = std::filesystem;

void AtomicFile::line(std::string_view t) {
  content_.append(t);
  content_.append(text::kCrlf);
}

namespace {

// The file that a save to `path` replaces: `path` itself, or, when it is a symbolic link,
// the file at the end of its chain of links (which need not exist yet). A chain that never
// ends, or a name in a folder that is such a chain, is refused as a loop of links named
// `path`; so is any link at a fixed name.
fs::path realTarget(const std::string& path, NameKind kind) {
  fs::path p(path);
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0) {
      if (errno == ELOOP) throw FileErrorFromSystem(ELOOP, path);
      return p;
    }
    if (!S_ISLNK(st.st_mode)) return p;
    if (kind == NameKind::Fixed) throw NotAFileError(path, kind);
    if (hops == 40) throw FileErrorFromSystem(ELOOP, path);
    std::error_code ec;
    fs::path link = fs::read_symlink(p, ec);
    if (ec) throw FileErrorFromSystem(ec.value(), path);
    p = link.is_absolute() ? link : p.parent_path() / link;
  }
}

// An existing target that the user may not write is refused before anything is written, and
// so is anything in the target's place that is no regular file: a folder (the rename over it
// would fail after other files of the same save were already replaced), and a named pipe, a
// device or a socket, which a save would put a file in place of.
void checkWritable(const fs::path& target, const std::string& path, NameKind kind) {
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return;  // a new file
  if (!S_ISREG(st.st_mode)) throw NotAFileError(path, kind);
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
    throw FileErrorFromSystem(errno, path);
}

// Writes all `size` bytes at `p`; 0, or the errno of the write that failed (a full disk
// says ENOSPC, a file-size limit EFBIG).
int writeAll(int fd, const char* p, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

// Fills a new temporary file beside `target` through `fill` (which returns 0 or the errno
// of its failure, and may throw); returns its name. Failures are reported on `path`, the
// name the caller knows.
template <typename Fill>
std::string stage(const fs::path& target, const std::string& path, Fill fill) {
  std::string tmpl = (target.parent_path().empty() ? fs::path(".") : target.parent_path()) /
                     ("." + target.filename().string() + ".XXXXXX");
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) throw FileErrorFromSystem(errno, path);
  int err = 0;
  try {
    err = fill(fd);
  } catch (...) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    throw;
  }
  if (err != 0) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    throw FileErrorFromSystem(err, path);
  }
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st {};
  mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    int err = errno;
    ::unlink(tmpl.c_str());
    throw FileErrorFromSystem(err, path);
  }
  return tmpl;
}

// One name of a save: where it is written, and whose name it is.
struct Member {
  std::string path;
  NameKind kind;
};

// The folder entry that a rename onto `target` replaces: its folder, known by device and
// inode (whatever links lead to it), and its name there. Two targets with one entry are one
// file, whether or not it exists yet.
struct Entry {
  dev_t dev = 0;
  ino_t ino = 0;
  std::string name;
  bool operator==(const Entry&) const = default;
};
std::optional<Entry> entryOf(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return std::nullopt;  // the write will say why
  return Entry{st.st_dev, st.st_ino, target.filename().string()};
}

// Refuses a save in which two names lead to the same file (one member would be written over
// the other), or in which a name leads to a file that the save copies from (it would be
// replaced while it is still the source of another member).
void refuseSameFile(const std::vector<Member>& members, const std::vector<fs::path>& targets,
                    const std::vector<std::string>& sources) {
  std::vector<std::optional<Entry>> entries;
  for (const fs::path& target : targets) entries.push_back(entryOf(target));
  for (std::size_t i = 0; i < targets.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (entries[i] && entries[i] == entries[j]) throw SameFileError(members[j].path, members[i].path);
    }
    struct stat target {};
    if (::stat(targets[i].c_str(), &target) != 0) continue;
    for (const std::string& source : sources) {
      struct stat st {};
      if (::stat(source.c_str(), &st) == 0 && st.st_dev == target.st_dev && st.st_ino == target.st_ino)
        throw SameFileError(source, members[i].path);
    }
  }
}

// Stages every file (`stageOne(i, target)` returns the temporary file's name), then renames
// them all over their targets; a failure removes every temporary file. `sources` are the
// files that the staging reads, which no target may be.
template <typename StageOne>
void replaceAll(const std::vector<Member>& members, const std::vector<std::string>& sources,
                StageOne stageOne) {
  std::vector<fs::path> targets;
  for (const Member& m : members) {
    targets.push_back(realTarget(m.path, m.kind));
    checkWritable(targets.back(), m.path, m.kind);
  }
  refuseSameFile(members, targets, sources);
  std::vector<std::string> staged;
  try {
    for (std::size_t i = 0; i < members.size(); ++i) staged.push_back(stageOne(i, targets[i]));
    // Once more before the first rename: a node put in a target's place while the files were
    // written stays, and so does every other target.
    for (std::size_t i = 0; i < members.size(); ++i) checkWritable(targets[i], members[i].path, members[i].kind);
  } catch (...) {
    for (const std::string& s : staged) ::unlink(s.c_str());
    throw;
  }
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (::rename(staged[i].c_str(), targets[i].c_str()) != 0) {
      int err = errno;
      for (std::size_t j = i; j < staged.size(); ++j) ::unlink(staged[j].c_str());
      throw FileErrorFromSystem(err, members[i].path);
    }
  }
}

}  // namespace

void CommitAll(const std::vector<const AtomicFile*>& files) {
  std::vector<Member> members;
  for (const AtomicFile* f : files) members.push_back({f->path(), f->kind()});
  replaceAll(members, {}, [&files](std::size_t i, const fs::path& target) {
    const std::string& content = files[i]->content();
    return stage(target, files[i]->path(),
                 [&content](int fd) { return writeAll(fd, content.data(), content.size()); });
  });
}

void CopyAll(const std::vector<FileCopy>& copies) {
  std::vector<Member> members;
  std::vector<std::string> sources;
  for (const FileCopy& c : copies) {
    // Every source must be there, and be a file, before anything is written.
    ::close(OpenRegularFile(c.from, c.fromKind));
    members.push_back({c.to, c.kind});
    sources.push_back(c.from);
  }
  replaceAll(members, sources, [&copies](std::size_t i, const fs::path& target) {
    const FileCopy& c = copies[i];
    const int in = OpenRegularFile(c.from, c.fromKind);
    try {
      std::string name = stage(target, c.to, [&c, in](int out) {
        char buf[65536];
        for (;;) {
          ssize_t n = ::read(in, buf, sizeof buf);
          if (n < 0 && errno == EINTR) continue;
          if (n < 0) throw FileErrorFromSystem(errno, c.from);
          if (n == 0) return 0;
          if (const int err = writeAll(out, buf, static_cast<std::size_t>(n)); err != 0) return err;
        }
      });
      ::close(in);
      return name;
    } catch (...) {
      ::close(in);
      throw;
    }
  });
}

void AtomicFile::commit() const { CommitAll({this}); }

void CheckSaveTarget(const std::string& path, NameKind kind) {
  checkWritable(realTarget(path, kind), path, kind);
}

int OpenRegularFile(const std::string& path, NameKind kind) {
  const int fd = regularfile::Open(path, O_RDONLY);
  if (fd >= 0) return fd;
  if (errno == EISDIR || errno == regularfile::kNotAFile) throw NotAFileError(path, kind);
  throw FileErrorFromSystem(errno, path);
}

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  return ReadWholeFile(path, NameKind::Chosen, maxBytes);
}

std::string ReadWholeFile(const std::string& path, NameKind kind, std::size_t maxBytes) {
  const int fd = OpenRegularFile(path, kind);
  auto fail = [&](FileError error) {
    ::close(fd);
    return error;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw fail(FileErrorFromSystem(errno, path));
  if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) > maxBytes)
    throw fail(FileError::OnFile(kErrOutOfMemory, path));
  std::string bytes;
  try {
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
      ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0) {
        if (errno == EINTR) continue;
        throw fail(FileErrorFromSystem(errno, path));
      }
      if (n == 0) break;
      // A file that grows while it is read is held to the same bound.
      if (bytes.size() + static_cast<std::size_t>(n) > maxBytes)
        throw fail(FileError::OnFile(kErrOutOfMemory, path));
      bytes.append(buf, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    throw fail(FileError::OnFile(kErrOutOfMemory, path));
  }
  ::close(fd);
  return bytes;
}

std::vector<std::string_view> SplitLineViews(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  const std::vector<std::string_view> views = SplitLineViews(bytes);
  return {views.begin(), views.end()};
}

std::vector<std::string> ReadFileLines(const std::string& path) {
  std::string bytes = ReadWholeFile(path);
  try {
    return SplitLines(bytes);
  } catch (const std::bad_alloc&) {
    throw FileError::OnFile(kErrOutOfMemory, path);
  }
}

std::vector<std::string> ReadFileLinesOrNone(const std::string& path) {
  try {
    return ReadFileLines(path);
  } catch (const FileError&) {
    return {};
  }
}

}  // namespace kalvano::model
