// The engine's text files: a buffered line writer (every line ends with CR LF) for the
// reports, the log and the hourly spreadsheets, and a read-only line reader that accepts
// LF and CR LF and never creates a missing file. Bytes pass unchanged (Latin-1).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace kv {

class OutFile {
 public:
  OutFile() = default;
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;
  ~OutFile() { close(); }

  // Creates or empties the file. False when it cannot be opened.
  bool open(const std::string& path);
  bool isOpen() const { return f_ != nullptr; }
  const std::string& path() const { return path_; }

  // Writes one line and its CR LF. Writing to a closed file does nothing.
  void line(std::string_view text) {
    if (!f_) return;
    if (used_ + text.size() + 2 > kBuf) flushBuffer();
    if (text.size() + 2 > kBuf) {
      std::fwrite(text.data(), 1, text.size(), f_);
      std::fwrite("\r\n", 1, 2, f_);
      return;
    }
    std::char_traits<char>::copy(buf_ + used_, text.data(), text.size());
    used_ += text.size();
    buf_[used_++] = '\r';
    buf_[used_++] = '\n';
  }
  void emptyLine() { line({}); }
  void flush();
  void close();

 private:
  static constexpr std::size_t kBuf = 1 << 16;
  void flushBuffer();
  std::FILE* f_ = nullptr;
  std::string path_;
  std::size_t used_ = 0;
  char buf_[kBuf];
};

class InFile {
 public:
  InFile() = default;
  InFile(const InFile&) = delete;
  InFile& operator=(const InFile&) = delete;
  ~InFile() { close(); }

  // Opens an existing file for reading only; false (and nothing created) when it is missing.
  bool open(const std::string& path);
  bool isOpen() const { return f_ != nullptr; }
  const std::string& path() const { return path_; }
  // The next line without its LF or CR LF; false at the end of the file.
  bool readLine(std::string& line);
  // Lines read so far.
  long lineNumber() const { return lineNo_; }
  void close();

 private:
  std::FILE* f_ = nullptr;
  std::string path_;
  long lineNo_ = 0;
};

// A path in the run folder: dir empty means the current folder.
std::string runPath(std::string_view dir, std::string_view name);

}  // namespace kv
