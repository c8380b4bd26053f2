#include "frontend/model/numtext.h"

#include "frontend/model/file_error.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace kalvano::model {
namespace {

// Decimal digits (without trailing zeros) and exponent of `value` rounded to `digits`
// significant digits; value = 0.d1d2d3... x 10^(exp + 1).
struct Decimal {
  std::string digits;
  int exp = 0;
};

Decimal decompose(double magnitude, int digits) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                           digits - 1);
  std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
  Decimal d;
  std::size_t epos = s.find('e');
  for (char c : s.substr(0, epos))
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  std::string_view es = s.substr(epos + 1);
  if (!es.empty() && es.front() == '+') es.remove_prefix(1);
  std::from_chars(es.data(), es.data() + es.size(), d.exp);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

std::string numberText(double value, int digits) {
  if (value == 0 || std::isnan(value)) return " 0";
  std::string out(1, value < 0 ? '-' : ' ');
  if (std::isinf(value)) return out + "Inf";
  Decimal d = decompose(std::fabs(value), digits);
  if (d.exp >= 15 || d.exp < -10) {
    // Far outside what the files hold: exponent form, as "1.5E+20".
    out += d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    out += d.exp < 0 ? "E-" : "E+";
    int e = std::abs(d.exp);
    if (e < 10) out += '0';
    out += std::to_string(e);
    return out;
  }
  if (d.exp >= 0) {
    auto intLen = static_cast<std::size_t>(d.exp) + 1;
    if (d.digits.size() <= intLen) {
      out += d.digits + std::string(intLen - d.digits.size(), '0');
    } else {
      out += d.digits.substr(0, intLen) + "." + d.digits.substr(intLen);
    }
  } else {
    out += "." + std::string(static_cast<std::size_t>(-d.exp - 1), '0') + d.digits;
  }
  return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Collects the leading number of a text, blanks skipped, into C-locale form. Returns the
// number of characters of `text` used.
std::size_t leadingNumber(std::string_view text, std::string& num) {
  std::size_t i = 0;
  auto skip = [&] {
    while (i < text.size() && isBlank(text[i])) ++i;
  };
  auto digits = [&] {
    bool any = false;
    for (;;) {
      skip();
      if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        num.push_back(text[i++]);
        any = true;
      } else {
        return any;
      }
    }
  };
  skip();
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') num.push_back('-');
    ++i;
  }
  bool mant = digits();
  skip();
  if (i < text.size() && text[i] == '.') {
    num.push_back('.');
    ++i;
    mant = digits() || mant;
  }
  if (!mant) {
    num.clear();
    return 0;
  }
  std::size_t beforeExp = i;
  std::size_t numBeforeExp = num.size();
  skip();
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    ++i;
    num.push_back('e');
    skip();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) num.push_back(text[i++]);
    if (!digits()) {
      num.resize(numBeforeExp);
      i = beforeExp;
    }
  } else {
    i = beforeExp;
  }
  return i;
}

// A collected number too large or too small for a double: its decimal exponent (the
// position of its first significant digit, plus the written exponent) tells which.
bool overflows(const std::string& num) {
  long position = 0;
  bool inFraction = false, significant = false;
  std::size_t i = num.front() == '-' ? 1 : 0;
  for (; i < num.size() && num[i] != 'e'; ++i) {
    if (num[i] == '.') {
      inFraction = true;
    } else if (!significant && num[i] == '0') {
      if (inFraction) --position;
    } else {
      significant = true;
      if (!inFraction) ++position;
    }
  }
  if (!significant) return false;
  long exponent = 0;
  bool negative = false;
  for (++i; i < num.size(); ++i) {
    if (num[i] == '-') {
      negative = true;
    } else if (num[i] >= '0' && num[i] <= '9' && exponent < 100000) {
      exponent = exponent * 10 + (num[i] - '0');
    }
  }
  return position + (negative ? -exponent : exponent) > 0;
}

// The value of a collected number; one beyond the range of a double is infinite (a
// number that small is 0).
double parseCollected(const std::string& num) {
  double v = 0;
  const bool minus = !num.empty() && num.front() == '-';
  const char* b = num.data() + (minus ? 1 : 0);
  auto res = std::from_chars(b, num.data() + num.size(), v);
  if (res.ec == std::errc::result_out_of_range)
    v = overflows(num) ? std::numeric_limits<double>::infinity() : 0.0;
  return minus ? -v : v;
}

}  // namespace

std::string NumberText(float value) { return numberText(static_cast<double>(value), 7); }

std::string NumberTextDouble(double value) { return numberText(value, 15); }

std::string PrintedNumber(float value) { return NumberText(value) + " "; }

std::string IntegerForm(long value) {
  std::string out(1, value < 0 ? '-' : ' ');
  out += std::to_string(value < 0 ? -value : value);
  return out + " ";
}

std::string RightAlign(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), ' ') + std::string(text);
}

double Val(std::string_view text) {
  std::string num;
  leadingNumber(text, num);
  return num.empty() ? 0.0 : parseCollected(num);
}

long ValRoundEven(std::string_view text) {
  double v = Val(text);
  double r = std::round(v);
  if (std::fabs(v - std::trunc(v)) == 0.5) r = 2.0 * std::round(v / 2.0);
  // Only a value inside the range of long is converted (2^63 itself is outside it).
  constexpr double kLimit = 9223372036854775808.0;
  if (!(r >= -kLimit && r < kLimit)) throw FileError(kErrOverflow, std::string(text));
  return static_cast<long>(r);
}

bool ParseNumber(std::string_view text, double& value) {
  std::string num;
  std::size_t used = leadingNumber(text, num);
  if (num.empty()) return false;
  for (std::size_t i = used; i < text.size(); ++i)
    if (!isBlank(text[i])) return false;
  value = parseCollected(num);
  return true;
}

}  // namespace kalvano::model
