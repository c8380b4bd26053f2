// The front-end's number text: how numbers are written into project files and captions,
// and how a text is read as a number. Always in the C locale, whatever the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kalvano::model {

// Sign position ("-" or a blank), then the shortest decimal form of the value rounded to
// 7 significant digits: no zero before the point, no trailing zeros, no trailing point
// (150 -> " 150", 0.5 -> " .5", -0.7 -> "-.7", 0 -> " 0").
std::string NumberText(float value);

// The same form for a double value rounded to 15 significant digits.
std::string NumberTextDouble(double value);

// The real form of the project file: the number text followed by one blank (" .25 ").
std::string PrintedNumber(float value);

// The integer form of the project file: sign position, digits, one blank (" 3 ", "-15 ").
std::string IntegerForm(long value);

// Right-aligns a text in `width` characters; a longer text is returned whole.
std::string RightAlign(std::string_view text, std::size_t width);

// The numeric value of a text: its leading number, blanks skipped; 0 when it begins with
// no number ("12.5abc" -> 12.5, "abc" -> 0). A number beyond the range of a double gives
// an infinite value of its sign ("1e400"), one too small for it 0.
double Val(std::string_view text);

// Val taken to the nearest whole number, halves to the even neighbour (2.5 -> 2). A value
// that no long holds (or an infinite one) is the overflow error (FileError 6).
long ValRoundEven(std::string_view text);

// ASCII letter case, the same under every locale.
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Parses a text that must hold one number and nothing else (surrounding blanks allowed);
// returns false when it does not.
bool ParseNumber(std::string_view text, double& value);

}  // namespace kalvano::model
