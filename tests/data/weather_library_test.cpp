// The installed weather library: its record layout as the library window reads it, and its
// Miami statistics against a computation of our own from the recorded TMY2 year.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "data_files.h"

using namespace kalvano::datatest;

namespace {

struct LibRecord {
  std::string code, stateField, cityString, station;
  std::vector<double> stationValues;  // latitude, longitude, meridian, elevation
  double rows[8][12] = {};
};

// Splits line 2 into the quoted city string, the quoted station and the numbers after them.
bool parseStationLine(const std::string& line, LibRecord& r) {
  if (line.size() < 41 || line[0] != '"') return false;
  std::size_t close = line.find('"', 1);
  if (close == std::string::npos) return false;
  r.cityString = line.substr(1, close - 1);
  std::size_t s1 = line.find('"', close + 1);
  std::size_t s2 = s1 == std::string::npos ? s1 : line.find('"', s1 + 1);
  if (s2 == std::string::npos || s1 != close + 2) return false;
  r.station = line.substr(s1 + 1, s2 - s1 - 1);
  r.stationValues = numbersOf(line.substr(s2 + 1));
  return true;
}

std::vector<LibRecord> readLibrary(bool& layoutOk) {
  layoutOk = true;
  RawLines f = readRaw(dataPath("weather/weth.asc"));
  std::vector<LibRecord> out;
  if (!f.opened || !f.allCrlf || f.lines.size() % 10 != 0) {
    layoutOk = false;
    return out;
  }
  for (std::size_t k = 0; k < f.lines.size(); k += 10) {
    LibRecord r;
    const std::string& l1 = f.lines[k];
    // "XX","NNNNNNN": two quoted fields, the second exactly seven characters.
    if (l1.size() != 14 || l1[0] != '"' || l1[3] != '"' || l1[4] != ',' || l1[5] != '"' ||
        l1[13] != '"') {
      ADD_FAILURE() << "state line: " << l1;
      layoutOk = false;
      continue;
    }
    r.code = l1.substr(1, 2);
    r.stateField = l1.substr(6, 7);
    if (!parseStationLine(f.lines[k + 1], r)) {
      ADD_FAILURE() << "station line: " << f.lines[k + 1];
      layoutOk = false;
      continue;
    }
    for (int row = 0; row < 8; ++row) {
      const std::string& l = f.lines[k + 2 + static_cast<std::size_t>(row)];
      if (l.size() != 72) layoutOk = false;
      for (int m = 0; m < 12; ++m) {
        auto v = number(cols(l, static_cast<std::size_t>(1 + 6 * m), 6));
        if (!v) {
          layoutOk = false;
          continue;
        }
        r.rows[row][m] = *v;
      }
    }
    out.push_back(r);
  }
  return out;
}

TEST(WeatherLibrary, RecordsOfTenLinesGroupedByStateWithMarkedLocations) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  ASSERT_GE(lib.size(), 6u);
  std::set<std::string> closedStates;
  std::string previous;
  for (const LibRecord& r : lib) {
    SCOPED_TRACE(r.cityString);
    // A state block is never split: once left, a state name field does not come back.
    if (r.stateField != previous) {
      EXPECT_EQ(closedStates.count(r.stateField), 0u);
      if (!previous.empty()) closedStates.insert(previous);
      previous = r.stateField;
    }
    // The closing quote stands in column 39, or 41 for a text of 35 characters or more.
    std::string text = trim(r.cityString);
    EXPECT_EQ(r.cityString.size(), text.size() >= 35 ? 39u : 37u);
    // City, state, one blank and the mark.
    std::size_t comma = text.find(", ");
    ASSERT_NE(comma, std::string::npos);
    std::size_t markAt = text.find_first_of("#*@!");
    ASSERT_NE(markAt, std::string::npos);
    EXPECT_EQ(text[markAt - 1], ' ');
    std::string state = text.substr(comma + 2, markAt - 1 - (comma + 2));
    EXPECT_EQ(r.stateField, (state + "       ").substr(0, 7));
    EXPECT_EQ(r.station.size(), 5u);
    ASSERT_EQ(r.stationValues.size(), 4u);
    EXPECT_GT(r.stationValues[1], 60.0);  // degrees west are positive
    EXPECT_EQ(std::fmod(r.stationValues[2], 15.0), 0.0);  // meridian in degrees
    EXPECT_GE(r.stationValues[2], 60.0);
    for (int m = 0; m < 12; ++m) {
      EXPECT_GE(r.rows[2][m], r.rows[0][m]);  // daily maxima above daily means
      EXPECT_GE(r.rows[0][m], r.rows[4][m]);  // dew point not above dry bulb
      EXPECT_GT(r.rows[1][m], 0.0);
      EXPECT_GT(r.rows[6][m], 0.0);
      EXPECT_EQ(r.rows[6][m], std::round(r.rows[6][m]));  // solar without decimals
      EXPECT_GT(r.rows[7][m], 0.0);
    }
  }
}

// Monthly statistics from the TMY2 hourly file, read by its fixed columns: daily mean dry bulb
// and dew point as (max + min) / 2, means and n - 1 deviations over the days, solar as the
// daily sum of global horizontal, wind as the mean hourly speed.
struct Monthly {
  double v[8][12] = {};
};

Monthly statisticsFromTmy2(const std::string& path, std::string& header) {
  RawLines f = readRaw(path);
  EXPECT_TRUE(f.opened);
  Monthly out;
  if (f.lines.empty()) return out;
  header = f.lines[0];
  struct Day {
    double dbMax = -1e9, dbMin = 1e9, dpMax = -1e9, dpMin = 1e9, solar = 0, wind = 0;
    int hours = 0;
  };
  std::map<std::pair<int, int>, Day> days;
  for (std::size_t k = 1; k < f.lines.size(); ++k) {
    const std::string& l = f.lines[k];
    auto month = number(cols(l, 4, 2));
    auto day = number(cols(l, 6, 2));
    auto ghi = number(cols(l, 18, 4));
    auto db = number(cols(l, 68, 4));
    auto dp = number(cols(l, 74, 4));
    auto ws = number(cols(l, 96, 3));
    if (!(month && day && ghi && db && dp && ws)) {
      ADD_FAILURE() << "record " << k;
      continue;
    }
    Day& d = days[{static_cast<int>(*month), static_cast<int>(*day)}];
    const double dbF = *db / 10.0 * 1.8 + 32.0;
    const double dpF = *dp / 10.0 * 1.8 + 32.0;
    d.dbMax = std::max(d.dbMax, dbF);
    d.dbMin = std::min(d.dbMin, dbF);
    d.dpMax = std::max(d.dpMax, dpF);
    d.dpMin = std::min(d.dpMin, dpF);
    d.solar += *ghi / 3.152585;  // Wh/m2 to Btu/sq.ft, the recorded-weather reader's factor
    d.wind += *ws / 4.47;        // 0.1 m/s to mph, likewise
    ++d.hours;
  }
  for (int m = 1; m <= 12; ++m) {
    std::vector<double> series[3];
    double solar = 0, wind = 0;
    int hours = 0;
    for (const auto& [key, d] : days) {
      if (key.first != m) continue;
      EXPECT_EQ(d.hours, 24);
      series[0].push_back((d.dbMax + d.dbMin) / 2);
      series[1].push_back(d.dbMax);
      series[2].push_back((d.dpMax + d.dpMin) / 2);
      solar += d.solar;
      wind += d.wind;
      hours += d.hours;
    }
    const double n = static_cast<double>(series[0].size());
    for (int s = 0; s < 3; ++s) {
      double sum = 0, sq = 0;
      for (double x : series[s]) sum += x;
      const double mean = sum / n;
      for (double x : series[s]) sq += (x - mean) * (x - mean);
      out.v[2 * s][m - 1] = mean;
      out.v[2 * s + 1][m - 1] = std::sqrt(sq / (n - 1));
    }
    out.v[6][m - 1] = solar / n;
    out.v[7][m - 1] = wind / hours;
  }
  return out;
}

TEST(WeatherLibrary, MiamiStatisticsAgreeWithTheRecordedYear) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  const LibRecord* miami = nullptr;
  for (const LibRecord& r : lib) {
    if (r.cityString.rfind("Miami, Florida", 0) == 0) miami = &r;
  }
  ASSERT_NE(miami, nullptr);
  std::string header;
  Monthly m = statisticsFromTmy2(sharedPath("data/weather/12839.tm2"), header);
  // Station: latitude N 25 48, longitude W 80 16, time zone -5, elevation 2 m.
  ASSERT_GE(header.size(), 59u);
  EXPECT_NEAR(miami->stationValues[0], 25.0 + 48.0 / 60.0, 0.006);
  EXPECT_NEAR(miami->stationValues[1], 80.0 + 16.0 / 60.0, 0.006);
  EXPECT_EQ(miami->stationValues[2], -*number(cols(header, 34, 3)) * 15.0);
  EXPECT_EQ(miami->stationValues[3], std::floor(*number(cols(header, 56, 4)) * 3.2808 + 0.5));
  for (int row = 0; row < 8; ++row) {
    const double tol = row == 6 ? 0.5 + 1e-3 : 0.05 + 1e-3;
    for (int month = 0; month < 12; ++month) {
      EXPECT_NEAR(miami->rows[row][month], m.v[row][month], tol)
          << "row " << row + 1 << " month " << month + 1;
    }
  }
}

}  // namespace
