// Line-oriented byte text shared by both programs. Exchange files are Latin-1 bytes: a
// std::string holds them unchanged, so no conversion can shift a column. Writers end every
// line with CR LF; readers accept LF and CR LF and never keep a stray CR in a value.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace kalvano::text {

inline constexpr std::string_view kCrlf = "\r\n";

// Reads one line without its end (LF, or CR LF). Returns false at end of file when nothing
// was read; a last line without an end is still returned.
inline bool readLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Writes one line followed by CR LF.
inline void writeLine(std::ostream& out, std::string_view line) {
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  out.write(kCrlf.data(), static_cast<std::streamsize>(kCrlf.size()));
}

}  // namespace kalvano::text
