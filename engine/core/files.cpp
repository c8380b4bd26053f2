#include "engine/core/files.h"

namespace kv {

bool OutFile::open(const std::string& path) {
  close();
  f_ = std::fopen(path.c_str(), "wb");
  path_ = path;
  used_ = 0;
  return f_ != nullptr;
}

void OutFile::flushBuffer() {
  if (f_ && used_ > 0) std::fwrite(buf_, 1, used_, f_);
  used_ = 0;
}

void OutFile::flush() {
  flushBuffer();
  if (f_) std::fflush(f_);
}

void OutFile::close() {
  if (!f_) return;
  flushBuffer();
  std::fclose(f_);
  f_ = nullptr;
}

bool InFile::open(const std::string& path) {
  close();
  f_ = std::fopen(path.c_str(), "rb");  // read-only: a missing file stays missing
  path_ = path;
  lineNo_ = 0;
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
