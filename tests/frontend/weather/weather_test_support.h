// A small weather library for the weather tests: two states, three records (Anniston and
// Auburn in Alabama, Denver in Colorado), each with eight rows of twelve monthly values.
#pragma once

#include <string>

namespace kalvano::weather::test {

// Eight rows of twelve right-aligned values, base + row + month; `lastRow` replaces every
// value of the eighth row when given.
inline std::string Rows(int base, const char* lastRow = nullptr) {
  std::string rows;
  for (int row = 0; row < 8; ++row) {
    for (int m = 0; m < 12; ++m) {
      std::string f = std::to_string(base + row + m);
      if (row == 7 && lastRow != nullptr) f = lastRow;
      rows += std::string(6 - f.size(), ' ') + f;
    }
    rows += "\r\n";
  }
  return rows;
}

inline std::string Library(const char* lastRow = nullptr) {
  return "\"AL\",\"Alabama\"\r\n\"Anniston, Alabama *                   \" \"72228\" 33.58  85.85  90  610 \r\n" +
         Rows(40, lastRow) +
         "\"AL\",\"Alabama\"\r\n\"Auburn, Alabama *                     \" \"72229\" 32.6  85.4  90  774 \r\n" +
         Rows(45, lastRow) +
         "\"CO\",\"Colorad\"\r\n\"Denver, Colorado *                    \" \"72565\" 39.8  104.9  105  5285 \r\n" +
         Rows(30, lastRow);
}

}  // namespace kalvano::weather::test
