// Files written whole or not at all: the content is built in memory (or copied from another
// file), written to a temporary file in the target's folder and renamed over the target only
// when the whole write succeeded. A failed write leaves the earlier file intact. A target
// that the user may not write, or anything but a regular file in its place (a folder, a
// named pipe, a device, a socket), is refused as the path/file access error (75) naming it and
// left as it is; a target that is a symbolic link stays a link: the file it points to is
// replaced, from a temporary file beside it, and what stands at the end of its links is held
// to the same rule. A loop of links is refused as such. A file at one of the program's own
// fixed names in its run folder (NameKind::Fixed) is never a link: a link there is refused.
// Two names of one save that lead to the same file are refused, naming both, before anything
// is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frontend/model/file_error.h"

namespace kalvano::model {

class AtomicFile {
 public:
  explicit AtomicFile(std::string path, NameKind kind = NameKind::Chosen)
      : path_(std::move(path)), kind_(kind) {}
  const std::string& path() const { return path_; }
  NameKind kind() const { return kind_; }
  // Appends one line ended by CR LF.
  void line(std::string_view text);
  // Appends text without ending the line.
  void text(std::string_view text) { content_.append(text); }
  const std::string& content() const { return content_; }
  // Writes the content to the target; throws FileError on failure.
  void commit() const;

 private:
  std::string path_;
  NameKind kind_;
  std::string content_;
};

// Writes several files so that either all of them are replaced or none is: every content
// goes to a temporary file first, and the renames follow only when all were written.
void CommitAll(const std::vector<const AtomicFile*>& files);

// One file copied byte for byte.
struct FileCopy {
  std::string from;
  std::string to;
  NameKind kind = NameKind::Chosen;      // of `to`
  NameKind fromKind = NameKind::Chosen;  // of `from`
};

// Copies several files the same way: each source is copied to a temporary file beside its
// target, and the renames follow only when all copies were written. A missing source, one
// that is no regular file, and a folder in a target's place are refused before anything is
// written; a failed write removes every temporary file and reports the write's own reason
// (a full disk as such). A target that is one of the sources is refused like two targets that
// are one file. Throws FileError naming the file.
void CopyAll(const std::vector<FileCopy>& copies);

// The check every save makes before it writes anything, for a writer that cannot go through
// AtomicFile (a printer's file): `path`, followed to the end of its links, is a new name or a
// regular file that the user may write (at a fixed name, no link either). Throws FileError
// naming `path` otherwise.
void CheckSaveTarget(const std::string& path, NameKind kind = NameKind::Chosen);

// Opens `path` for reading without ever waiting on it. Only a regular file (also at the end
// of a symbolic link) is opened: a folder, a named pipe, a device or a socket is refused as
// the path/file access error (75) naming it (told as NotAFileError tells it for a name of
// `kind`: at one of the program's fixed names, the user is asked to remove what stands
// there), and a named pipe or a device is never opened, so nothing stalls on one. Returns the
// descriptor (closed on exec); throws FileError.
int OpenRegularFile(const std::string& path, NameKind kind = NameKind::Chosen);

// The largest file the front-end reads: far above any real project (about 1 MB).
inline constexpr std::size_t kMaxReadBytes = std::size_t{64} << 20;

// Reads a whole regular file as bytes (opened by OpenRegularFile); throws FileError on
// failure. A file larger than `maxBytes` is refused as too big (out of memory, 7) before
// anything is read, and so is a read that runs out of memory. A name of `kind` is opened as
// OpenRegularFile opens it.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes = kMaxReadBytes);
std::string ReadWholeFile(const std::string& path, NameKind kind, std::size_t maxBytes = kMaxReadBytes);

// Splits bytes into lines (LF or CR LF ends; a last line without an end is kept).
std::vector<std::string> SplitLines(std::string_view bytes);
// The same lines as views into `bytes`.
std::vector<std::string_view> SplitLineViews(std::string_view bytes);

// The lines of a whole file: ReadWholeFile, then SplitLines, with running out of memory
// reported as the out-of-memory file error (7).
std::vector<std::string> ReadFileLines(const std::string& path);
// The same for a reader to which a file that cannot be read is as good as an empty one:
// no lines, whatever the failure.
std::vector<std::string> ReadFileLinesOrNone(const std::string& path);

}  // namespace kalvano::model
