// Small helpers of the installed-data tests: read an installed file as raw lines, cut
// fixed columns, and parse numbers in the C locale.
#pragma once

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace kalvano::datatest {

inline std::string dataPath(std::string_view rel) {
  return std::string(KALVANO_SOURCE_DIR) + "/data/" + std::string(rel);
}

struct RawLines {
  bool opened = false;
  bool allCrlf = true;  // every line ended with CR LF, none with a lone LF or without an end
  std::vector<std::string> lines;
};

// Reads a file as bytes, splitting at LF and dropping the CR of CR LF.
inline RawLines readRaw(const std::string& path) {
  RawLines r;
  std::ifstream in(path, std::ios::binary);
  if (!in) return r;
  r.opened = true;
  std::ostringstream ss;
  ss << in.rdbuf();
  const std::string all = ss.str();
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t nl = all.find('\n', pos);
    if (nl == std::string::npos) {
      r.allCrlf = false;
      r.lines.push_back(all.substr(pos));
      break;
    }
    std::string line = all.substr(pos, nl - pos);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    } else {
      r.allCrlf = false;
    }
    r.lines.push_back(line);
    pos = nl + 1;
  }
  return r;
}

// Columns col..col+width-1 (1-based) of a line; columns past its end read as blanks.
inline std::string cols(const std::string& line, std::size_t col, std::size_t width) {
  std::string out(width, ' ');
  for (std::size_t i = 0; i < width; ++i) {
    std::size_t k = col - 1 + i;
    if (k < line.size()) out[i] = line[k];
  }
  return out;
}

inline std::string trim(std::string_view s) {
  std::size_t a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  std::size_t b = s.find_last_not_of(' ');
  return std::string(s.substr(a, b - a + 1));
}

// The whole trimmed text as a number, or nothing when it is not exactly one number.
inline std::optional<double> number(std::string_view text) {
  std::string t = trim(text);
  if (t.empty()) return std::nullopt;
  const char* b = t.data();
  const char* e = t.data() + t.size();
  if (*b == '+') ++b;
  double v = 0;
  auto [p, ec] = std::from_chars(b, e, v);
  if (ec != std::errc() || p != e) return std::nullopt;
  return v;
}

// The blank-separated tokens of a line that are numbers, in order.
inline std::vector<double> numbersOf(const std::string& line) {
  std::vector<double> out;
  std::istringstream ss(line);
  std::string tok;
  while (ss >> tok) {
    if (auto v = number(tok)) out.push_back(*v);
  }
  return out;
}

inline bool hasDigitOrPeriod(std::string_view s) {
  for (char c : s) {
    if ((c >= '0' && c <= '9') || c == '.') return true;
  }
  return false;
}

}  // namespace kalvano::datatest
