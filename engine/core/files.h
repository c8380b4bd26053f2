// The engine's text files: a buffered line writer (every line ends with CR LF) for the
// reports, the log and the hourly spreadsheets, and a read-only line reader that accepts
// LF and CR LF and never creates a missing file. Bytes pass unchanged (Latin-1).
//
// The writer checks every write, flush and close: the first failure (a full disk, a file
// size limit) closes the file and throws OutputFault, which ends the run with status 5.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "regularfile.h"

namespace kv {

// The error number of a file whose name is taken by a named pipe, a socket or (for reading) a
// device: something the run must neither wait on nor read as a file.
inline constexpr int kNotAFile = kalvano::regularfile::kNotAFile;

// An output that cannot be created or written. what() is "CANNOT CREATE sim$.out: <reason>"
// or "CANNOT WRITE ...", the reason being the system's text for the error number.
class OutputFault : public std::runtime_error {
 public:
  OutputFault(bool creating, const std::string& path, int err);
  const std::string& path() const { return path_; }
  int error() const { return err_; }

 private:
  std::string path_;
  int err_;
};

class OutFile {
 public:
  OutFile() = default;
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;
  ~OutFile() { abandon(); }

  // Creates or empties the file. False when it cannot be opened (error() says why).
  bool open(const std::string& path);
  // The same, throwing OutputFault when it cannot be opened.
  void create(const std::string& path);
  bool isOpen() const { return f_ != nullptr; }
  const std::string& path() const { return path_; }
  // The error number of the last failure of this file, 0 when none.
  int error() const { return err_; }

  // Writes one line and its CR LF. Writing to a closed file does nothing.
  void line(std::string_view text) {
    if (!f_) return;
    if (used_ + text.size() + 2 > kBuf) flushBuffer();
    if (text.size() + 2 > kBuf) {
      put(text.data(), text.size());
      put("\r\n", 2);
      return;
    }
    std::char_traits<char>::copy(buf_ + used_, text.data(), text.size());
    used_ += text.size();
    buf_[used_++] = '\r';
    buf_[used_++] = '\n';
  }
  void emptyLine() { line({}); }
  // Hands the buffered lines to the system. Throws OutputFault when that fails.
  void flush();
  // Writes what is buffered and closes the file; throws OutputFault when either fails.
  void close();
  // Closes without a check (after a failure elsewhere, or in the destructor): what is
  // buffered is written as far as it goes.
  void abandon();

 private:
  static constexpr std::size_t kBuf = 1 << 16;
  void flushBuffer();
  void put(const char* data, std::size_t n);
  [[noreturn]] void fail(int err);
  std::FILE* f_ = nullptr;
  std::string path_;
  std::size_t used_ = 0;
  int err_ = 0;
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
