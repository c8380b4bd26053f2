#include "engine/core/fixfmt.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace kv {

namespace {

constexpr std::uint64_t kPow10[] = {1ull,
                                    10ull,
                                    100ull,
                                    1000ull,
                                    10000ull,
                                    100000ull,
                                    1000000ull,
                                    10000000ull,
                                    100000000ull,
                                    1000000000ull,
                                    10000000000ull,
                                    100000000000ull,
                                    1000000000000ull,
                                    10000000000000ull,
                                    100000000000000ull,
                                    1000000000000000ull,
                                    10000000000000000ull,
                                    100000000000000000ull,
                                    1000000000000000000ull};

int digitCount(std::uint64_t v) {
  int n = 1;
  while (v >= 10) {
    v /= 10;
    ++n;
  }
  return n;
}

// Writes the decimal digits of v ending just before end; returns the first digit's place.
char* putDigits(char* end, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) {
    *--end = static_cast<char>('0' + v % 10);
    v /= 10;
  }
  return end;
}

}  // namespace

void Line::write(const char* p, int n) {
  if (n <= 0 || pos_ >= kMax) return;
  if (pos_ > len_) std::memset(buf_ + len_, ' ', static_cast<std::size_t>(pos_ - len_));
  const int m = n < kMax - pos_ ? n : kMax - pos_;
  if (m <= 16) {
    for (int i = 0; i < m; ++i) buf_[pos_ + i] = p[i];
  } else {
    std::memcpy(buf_ + pos_, p, static_cast<std::size_t>(m));
  }
  pos_ += m;
  if (pos_ > len_) len_ = pos_;
}

void Line::fill(char c, int n) {
  if (n <= 0 || pos_ >= kMax) return;
  if (pos_ > len_) std::memset(buf_ + len_, ' ', static_cast<std::size_t>(pos_ - len_));
  const int m = n < kMax - pos_ ? n : kMax - pos_;
  std::memset(buf_ + pos_, c, static_cast<std::size_t>(m));
  pos_ += m;
  if (pos_ > len_) len_ = pos_;
}

Line& Line::text(std::string_view s) {
  write(s.data(), static_cast<int>(s.size()));
  return *this;
}

Line& Line::rep(char c, int n) {
  fill(c, n);
  return *this;
}

Line& Line::X(int n) {
  pos_ += n;
  if (pos_ > kMax) pos_ = kMax;
  return *this;
}

Line& Line::T(int col) {
  pos_ = col < 1 ? 0 : (col - 1 > kMax ? kMax : col - 1);
  return *this;
}

Line& Line::A(std::string_view s, int w) {
  if (w <= 0) return *this;
  const int n = static_cast<int>(s.size());
  if (n >= w) return text(s.substr(0, static_cast<std::size_t>(w)));
  rep(' ', w - n);
  return text(s);
}

Line& Line::I(std::int64_t v, int w) {
  if (w <= 0) return *this;
  char tmp[64];
  char* end = tmp + sizeof tmp;
  const bool neg = v < 0;
  const std::uint64_t a = neg ? 0ull - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  char* p = putDigits(end, a, digitCount(a));
  if (neg) *--p = '-';
  const int n = static_cast<int>(end - p);
  if (n > w) return rep('*', w);
  return padded(p, n, w);
}

Line& Line::F(double v, int w, int d) {
  if (w <= 0) return *this;
  if (d < 0 || d > 18 || !std::isfinite(v)) return rep('*', w);
  // Scale in extended precision: exact for every float and for doubles up to 4 decimals,
  // so the rounding (half away from zero) sees the value as stored.
  std::uint64_t r = 0;
  if (d <= 4 && static_cast<double>(static_cast<float>(v)) == v && std::fabs(v) < 1e13) {
    // A single-precision value times at most 10^4 is exact in double precision.
    const double t = std::fabs(v) * static_cast<double>(kPow10[d]);
    r = static_cast<std::uint64_t>(t);
    if (t - static_cast<double>(r) >= 0.5) ++r;
  } else {
    const long double t = std::fabs(static_cast<long double>(v)) * static_cast<long double>(kPow10[d]);
    if (t >= 1e18L) return rep('*', w);
    r = static_cast<std::uint64_t>(t);
    if (t - static_cast<long double>(r) >= 0.5L) ++r;
  }
  const bool neg = v < 0 && r != 0;  // a value that rounds to zero prints without a sign
  const std::uint64_t ip = r / kPow10[d];
  const std::uint64_t fp = r % kPow10[d];
  const int nInt = ip == 0 ? 0 : digitCount(ip);
  const int need = (neg ? 1 : 0) + nInt + 1 + d;
  if (need > w) return rep('*', w);
  const bool lead0 = nInt == 0 && need < w;
  char tmp[64];
  char* end = tmp + sizeof tmp;
  char* p = putDigits(end, fp, d);
  *--p = '.';
  if (nInt > 0) p = putDigits(p, ip, nInt);
  if (lead0) *--p = '0';
  if (neg) *--p = '-';
  return padded(p, static_cast<int>(end - p), w);
}

// The n bytes at p right-aligned in a field of w (n <= w); p lies at the end of a scratch
// buffer with room for the padding in front when w is small.
Line& Line::padded(char* p, int n, int w) {
  if (w - n <= 16) {
    for (int i = n; i < w; ++i) *--p = ' ';
    write(p, w);
  } else {
    fill(' ', w - n);
    write(p, n);
  }
  return *this;
}

std::string_view fieldText(std::string_view line, int col, int w, char* scratch) {
  for (int i = 0; i < w; ++i) {
    const long k = static_cast<long>(col) - 1 + i;
    scratch[i] = (k >= 0 && k < static_cast<long>(line.size())) ? line[static_cast<std::size_t>(k)] : ' ';
  }
  return {scratch, static_cast<std::size_t>(w < 0 ? 0 : w)};
}

std::string fieldString(std::string_view line, int col, int w) {
  std::string s(static_cast<std::size_t>(w < 0 ? 0 : w), ' ');
  fieldText(line, col, w, s.data());
  return s;
}

namespace {

[[noreturn]] void bad(std::string_view field) {
  throw FieldError("not a number: \"" + std::string(field) + "\"");
}

// Collects the non-blank bytes of a field (at most 63).
int squeeze(std::string_view field, char* out) {
  int n = 0;
  for (char c : field) {
    if (c == ' ') continue;
    if (n >= 63) bad(field);
    out[n++] = c;
  }
  out[n] = '\0';
  return n;
}

// Normalises a real field into text that std::from_chars takes: sign, digits with a point,
// optional exponent. Returns its length; 0 for an all-blank field.
int normaliseReal(std::string_view field, int d, char* out) {
  char s[64];
  const int n = squeeze(field, s);
  if (n == 0) return 0;
  int i = 0, o = 0;
  if (s[i] == '+' || s[i] == '-') {
    if (s[i] == '-') out[o++] = '-';
    ++i;
  }
  char mant[64];
  int nm = 0, pointAt = -1;
  for (; i < n; ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      mant[nm++] = c;
    } else if (c == '.' && pointAt < 0) {
      pointAt = nm;
    } else {
      break;
    }
  }
  if (nm == 0) {
    if (i == n) return o == 0 ? 0 : (out[0] = '0', out[1] = '\0', 1);  // a lone sign or point reads as 0
    bad(field);
  }
  // Exponent: E, D (either case) with optional sign, or a sign alone.
  int expSign = 1, expo = 0;
  bool hasExp = false;
  if (i < n) {
    if (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd') ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
      if (s[i] == '-') expSign = -1;
      ++i;
    }
    if (i == n) bad(field);
    for (; i < n; ++i) {
      if (s[i] < '0' || s[i] > '9') bad(field);
      if (expo < 10000) expo = expo * 10 + (s[i] - '0');
    }
    hasExp = true;
  }
  if (pointAt < 0) pointAt = nm - d;  // implied decimals
  // Mantissa as "digits" times 10^(pointAt - nm).
  for (int k = 0; k < nm; ++k) out[o++] = mant[k];
  int e = (pointAt - nm) + (hasExp ? expSign * expo : 0);
  out[o++] = 'e';
  auto res = std::to_chars(out + o, out + o + 12, e);
  o = static_cast<int>(res.ptr - out);
  out[o] = '\0';
  return o;
}

}  // namespace

std::int32_t parseI(std::string_view field) {
  char s[64];
  const int n = squeeze(field, s);
  if (n == 0) return 0;
  int i = 0;
  bool neg = false;
  if (s[0] == '+' || s[0] == '-') {
    neg = s[0] == '-';
    i = 1;
  }
  if (i == n) return 0;
  std::int64_t v = 0;
  for (; i < n; ++i) {
    if (s[i] < '0' || s[i] > '9') bad(field);
    v = v * 10 + (s[i] - '0');
    if (v > 2147483648LL) bad(field);
  }
  v = neg ? -v : v;
  if (v > 2147483647LL) bad(field);
  return static_cast<std::int32_t>(v);
}

float parseF(std::string_view field, int d) {
  char buf[96];
  const int n = normaliseReal(field, d, buf);
  if (n == 0) return 0.0f;
  float v = 0.0f;
  auto res = std::from_chars(buf, buf + n, v, std::chars_format::scientific);
  if (res.ec == std::errc::result_out_of_range) bad(field);
  if (res.ec != std::errc() || res.ptr != buf + n) bad(field);
  return v;
}

double parseD(std::string_view field, int d) {
  char buf[96];
  const int n = normaliseReal(field, d, buf);
  if (n == 0) return 0.0;
  double v = 0.0;
  auto res = std::from_chars(buf, buf + n, v, std::chars_format::scientific);
  if (res.ec != std::errc() || res.ptr != buf + n) bad(field);
  return v;
}

std::int32_t readI(std::string_view line, int col, int w) {
  char scratch[256];
  if (w > 256) w = 256;
  return parseI(fieldText(line, col, w, scratch));
}

float readF(std::string_view line, int col, int w, int d) {
  char scratch[256];
  if (w > 256) w = 256;
  return parseF(fieldText(line, col, w, scratch), d);
}

}  // namespace kv
