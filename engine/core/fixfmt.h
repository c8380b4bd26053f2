// Fixed-column formats of the engine's files, in one place.
//
// Writing: a Line is built item by item, as its layout reads:
//   Line ln;  ln.T(5).text("SCHEME: ").A(s.PRJTXT.PSCHM.view(), 8).X(2).I(n, 5).F(x, 8, 2);
//   file.line(ln.view());
// Items: text (a literal, as it stands), Iw, Fw.d (rounded half away from zero, a 0 before
// the point when the field has room, a trailing point for Fw.0), Aw (a longer text gives its
// first w bytes, a shorter one is right-aligned), nX (n blanks), Tn (continue at column n;
// a later item overwrites what stands there). A number that does not fit gets w asterisks.
// X and T only move the position: the line ends after its last written byte.
// Nothing allocates; a field costs a few integer operations.
//
// Reading: fields are taken by column from a line; columns past the end of the line read
// as blanks, blanks inside a numeric field are ignored, an all-blank field reads as 0, and a
// real field without a decimal point takes its last d digits as decimals.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kv {

class Line {
 public:
  static constexpr int kMax = 4096;  // the widest hourly row; bytes beyond are dropped

  Line() = default;
  void clear() { len_ = pos_ = 0; }
  std::string_view view() const { return {buf_, static_cast<std::size_t>(len_)}; }
  std::string str() const { return std::string(view()); }
  int length() const { return len_; }
  int column() const { return pos_ + 1; }  // the column the next item starts in

  Line& text(std::string_view s);
  Line& I(std::int64_t v, int w);
  Line& F(double v, int w, int d);
  Line& A(std::string_view s, int w);
  Line& A(std::string_view s) { return text(s); }
  Line& X(int n);
  Line& T(int col);
  Line& ch(char c) { return text(std::string_view(&c, 1)); }
  Line& rep(char c, int n);  // n copies of c (rows of asterisks, hyphens)

 private:
  void write(const char* p, int n);  // n bytes at the current column
  void fill(char c, int n);          // n copies of c at the current column
  Line& padded(char* p, int n, int w);
  char buf_[kMax];
  int len_ = 0;
  int pos_ = 0;
};

// Conversion of one field that is not a number: the run-time's input conversion error.
class FieldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The w bytes of line from column col (1-based), blank-filled past the end of the line.
std::string_view fieldText(std::string_view line, int col, int w, char* scratch);
std::string fieldString(std::string_view line, int col, int w);

// Iw: blanks ignored, all blanks 0. Throws FieldError for anything that is not an integer.
std::int32_t readI(std::string_view line, int col, int w);
// Fw.d into single precision: blanks ignored, all blanks 0, no point means the last d
// digits are decimals; an exponent (E or D) is accepted. Throws FieldError.
float readF(std::string_view line, int col, int w, int d = 0);
// The same for a field given as its bytes.
std::int32_t parseI(std::string_view field);
float parseF(std::string_view field, int d = 0);
// Double-precision variant (REAL*8 fields).
double parseD(std::string_view field, int d = 0);

}  // namespace kv
