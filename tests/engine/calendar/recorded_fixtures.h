// Shared by the recorded-weather tests: the reference weather files and record comparison.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/calendar/recorded.h"
#include "tests/reference_data.h"
#include "textio.h"

namespace kv::testing {

// A recorded weather file of the reference data, by name; a missing file fails the test.
inline std::string weatherFile(const std::string& name) {
  return kalvano::testref::referenceFile("weather/" + name);
}

inline std::vector<std::string> fileLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (kalvano::text::readLine(in, line)) lines.push_back(line);
  return lines;
}

// The Miami TMY2 year: the header, then 8760 records.
inline const std::vector<std::string>& miami() {
  static const std::vector<std::string> lines = fileLines(weatherFile("12839.tm2"));
  return lines;
}

// The hour's weather values of two records are the same.
inline void expectSameWeather(const WeatherRecord& a, const WeatherRecord& b) {
  EXPECT_EQ(a.db, b.db);
  EXPECT_EQ(a.dp, b.dp);
  EXPECT_EQ(a.pb, b.pb);
  EXPECT_EQ(a.wv, b.wv);
  EXPECT_EQ(a.dn, b.dn);
  EXPECT_EQ(a.dfh, b.dfh);
  EXPECT_EQ(a.dh, b.dh);
  EXPECT_EQ(a.cc, b.cc);
}

}  // namespace kv::testing
