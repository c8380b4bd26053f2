// Files written whole or not at all: the content is built in memory, written to a temporary
// file in the target's folder and renamed over the target only when the whole write
// succeeded. A failed write leaves the earlier file intact.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvano::model {

class AtomicFile {
 public:
  explicit AtomicFile(std::string path) : path_(std::move(path)) {}
  const std::string& path() const { return path_; }
  // Appends one line ended by CR LF.
  void line(std::string_view text);
  // Appends text without ending the line.
  void text(std::string_view text) { content_.append(text); }
  const std::string& content() const { return content_; }
  // Writes the content to the target; throws FileError on failure.
  void commit() const;

 private:
  std::string path_;
  std::string content_;
};

// Writes several files so that either all of them are replaced or none is: every content
// goes to a temporary file first, and the renames follow only when all were written.
void CommitAll(const std::vector<const AtomicFile*>& files);

// Reads a whole file as bytes; throws FileError on failure.
std::string ReadWholeFile(const std::string& path);

// Splits bytes into lines (LF or CR LF ends; a last line without an end is kept).
std::vector<std::string> SplitLines(const std::string& bytes);

}  // namespace kalvano::model
