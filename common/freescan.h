// The free-format line scan that the engine reads its scanned lines with (FREAD), shared so
// that the front-end can tell how the engine will read a line it writes. One line of 132
// columns gives up to 32 numbers and 20 texts of at most 42 characters, in order of
// appearance; letters and digits of one token are pulled apart (CP20 gives the text CP and the
// number 20), a sign belongs to the number after it, and numbers accumulate in single
// precision. Never fails; allocates nothing.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace kalvano::freescan {

inline constexpr int kColumns = 132;
inline constexpr int kMaxNumbers = 32;
inline constexpr int kMaxTexts = 20;
inline constexpr int kTextLength = 42;

namespace detail {

// Scans one line; `number(double)` receives each number and `text(std::string_view)` each text.
template <class Number, class Text>
class Scanner {
 public:
  Scanner(std::string_view line, Number& number, Text& text) : number_(number), text_(text) {
    for (int i = 0; i < kColumns; ++i) {
      line_[i] = i < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(i)] : ' ';
    }
  }

  void run() {
    for (col_ = 0; col_ < kColumns; ++col_) {
      look_ = false;
      const char c = line_[col_];
      if (c == '\'') {
        quote_ = !quote_;
      } else if (quote_) {
        append();
      } else if (isSeparator(c)) {
        separator();
      } else {
        classify(col_);
      }
    }
    if (nbuf_ > 0) {
      storeText();
    } else {
      endNumber();
    }
  }

 private:
  static constexpr int kBuf = 80;
  static constexpr int kMinus = 11, kPlus = 12, kPoint = 13, kQuote = 14;

  // Position of c in "0123456789-+.'" (1..14), 0 for any other character.
  static int classOf(char c) {
    if (c >= '0' && c <= '9') return c - '0' + 1;
    switch (c) {
      case '-': return kMinus;
      case '+': return kPlus;
      case '.': return kPoint;
      case '\'': return kQuote;
      default: return 0;
    }
  }

  static bool isSeparator(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' || u > '~';
  }

  char at(int p) const { return p < kColumns ? line_[p] : ' '; }

  void append() {
    if (nbuf_ < kBuf) buf_[nbuf_++] = line_[col_];
  }

  void resetPoint() {
    div_ = 1.0f;
    mult_ = 10.0f;
    step_ = 1.0f;
  }

  void classify(int p) {
    const char c = at(p);
    const int cls = classOf(c);
    last_ = cls;
    if (cls == 0) {
      append();
    } else if (cls <= 10) {
      if (look_) {
        storeText();
        return;
      }
      ++ndig_;
      div_ = div_ * step_;
      v_ = mult_ * v_ + static_cast<float>(cls - 1) / div_;
    } else if (cls == kMinus || cls == kPlus) {
      if (look_) {
        // A second sign right after "text, sign": the text ends and the scan goes on with
        // the sign in its own column.
        storeText();
        return;
      }
      if (ndig_ == 0 && nbuf_ == 0) {
        sign_ = cls == kMinus ? -1 : 1;
      } else {
        separator();
      }
    } else if (cls == kPoint) {
      mult_ = 1.0f;
      step_ = 10.0f;
    }
    // kQuote: only reached by the look-ahead; nothing to do.
  }

  void separator() {
    if (nbuf_ == 0) {
      endNumber();
    } else if (last_ == kMinus || last_ == kPlus) {
      pendSign_ = last_ == kMinus ? -1 : 1;
      look_ = true;
      classify(col_ + 1);
    } else {
      storeText();
    }
  }

  void storeText() {
    if (ntxt_ >= kMaxTexts) return;
    ++ntxt_;
    text_(std::string_view(buf_, static_cast<std::size_t>(nbuf_ < kTextLength ? nbuf_ : kTextLength)));
    nbuf_ = 0;
    endNumber();
  }

  void endNumber() {
    if (ndig_ == 0) {
      if (look_) sign_ = pendSign_;
      // A point met without digits (one that stood inside a text) does not carry over to
      // the next number; a pending sign does.
      resetPoint();
      return;
    }
    if (nnum_ >= kMaxNumbers) return;
    ++nnum_;
    number_(static_cast<double>(static_cast<float>(sign_) * v_));
    v_ = 0.0f;
    sign_ = last_ == kMinus ? -1 : 1;
    ndig_ = 0;
    resetPoint();
  }

  Number& number_;
  Text& text_;
  char line_[kColumns];
  char buf_[kBuf];
  int nbuf_ = 0;
  int nnum_ = 0;
  int ntxt_ = 0;
  float v_ = 0.0f;
  int ndig_ = 0;
  int sign_ = 1;
  float div_ = 1.0f, mult_ = 10.0f, step_ = 1.0f;
  bool quote_ = false;
  int last_ = 0;
  int pendSign_ = 1;
  bool look_ = false;
  int col_ = 0;
};

}  // namespace detail

// Scans `line`, taken as 132 columns (a shorter line is blank-padded, a longer one cut):
// `number(double)` is called for each number and `text(std::string_view)` for each text, in
// the order they stand, at most 32 and 20 times.
template <class Number, class Text>
void Scan(std::string_view line, Number&& number, Text&& text) {
  detail::Scanner<std::remove_reference_t<Number>, std::remove_reference_t<Text>>(line, number, text).run();
}

// The station values of a project's weather data, in the order the station line holds them
// from column kStationColumn on: four fields of kStationField columns, side by side, in the
// kStationWidth columns that the engine scans.
inline constexpr std::array<std::string_view, 4> kStationNames{"latitude", "longitude",
                                                               "time meridian", "elevation"};
inline constexpr std::size_t kStationColumn = 56;
inline constexpr std::size_t kStationField = 6;
inline constexpr std::size_t kStationWidth = 50;

// Station value `k` (0 latitude .. 3 elevation) as the station line holds it: six columns
// each from kStationColumn on, the elevation running on to the end of what the engine scans,
// as the unit-converting writers set it further right than the weather window does (from
// column 76, not 74). Shorter where the line ends before; empty where it ends before the field.
inline std::string_view StationField(std::string_view line, std::size_t k) {
  const std::size_t from = kStationColumn - 1 + k * kStationField;
  const std::size_t width = k < 3 ? kStationField : kStationWidth - 3 * kStationField;
  return from < line.size() ? line.substr(from, width) : std::string_view();
}

namespace detail {

// The first of `expected` that the scan does not read from `fields` as that value (a text
// read among them counts against the first, a number too many against the last), or none
// when it reads them all and nothing else. The scan sums the digits in single precision, so
// its value may differ from the expected one in the last bits of a float.
template <std::size_t N>
std::optional<std::size_t> FirstMisread(std::string_view fields, const std::array<double, N>& expected) {
  std::array<double, kMaxNumbers> numbers{};
  std::size_t count = 0;
  bool text = false;
  Scan(fields, [&](double v) { numbers[count++] = v; }, [&text](std::string_view) { text = true; });
  if (text) return 0;
  for (std::size_t k = 0; k < N; ++k) {
    if (k >= count) return k;
    const double read = numbers[k];
    const double value = static_cast<float>(expected[k]);
    if (!(std::fabs(read - value) <= 1e-6 * std::max(std::fabs(read), std::fabs(value)))) return k;
  }
  if (count > N) return N - 1;
  return std::nullopt;
}

}  // namespace detail

// The station value (0 latitude .. 3 elevation) that the engine would not read as `values`
// says, or none. `fields` are the four values as the station line that the engine scans holds
// them, side by side, and `values` what the program takes each of them for. Each field is
// read first between other values (a 1 on either side of it, and after the last), which it
// must leave as they are: a sign behind the number, a second decimal point, six characters
// that run into the value before, or anything else that the scan reads otherwise shows there
// and names the field; then the fields as they stand.
inline std::optional<std::size_t> StationMisread(const std::array<double, 4>& values,
                                                 const std::array<std::string, 4>& fields) {
  constexpr std::string_view kOne = "     1";
  std::string written;
  for (std::size_t k = 0; k < values.size(); ++k) {
    written += fields[k];
    std::string probe;
    std::array<double, 5> expected{};
    for (std::size_t j = 0; j < values.size(); ++j) {
      probe += j == k ? fields[k] : std::string(kOne);
      expected[j] = j == k ? values[k] : 1;
    }
    probe += kOne;
    expected[4] = 1;
    if (detail::FirstMisread(probe, expected)) return k;
  }
  return detail::FirstMisread(written, values);
}

}  // namespace kalvano::freescan
