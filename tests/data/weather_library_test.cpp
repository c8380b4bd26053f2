// The installed weather library: its record layout as the library window reads it, its
// coverage and the plausibility of every record, and its statistics against a computation of
// our own from the recorded typical years.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include "data_files.h"
#include "tests/reference_data.h"

using namespace kalvano::datatest;

namespace {

struct LibRecord {
  std::string code, stateField, cityString, station;
  std::vector<double> stationValues;  // latitude, longitude, meridian, elevation
  double rows[8][12] = {};
};

std::vector<std::string> commaFields(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : line) {
    if (c == ',') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  out.push_back(cur);
  return out;
}

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
    // Degrees west are positive: the states and Caribbean islands lie west of 60 degrees;
    // Guam lies east of the date line's other side, at about -145.
    const double longitude = r.stationValues[1], meridian = r.stationValues[2];
    if (state == "Guam") {
      EXPECT_LT(longitude, -140.0);
    } else {
      EXPECT_GT(longitude, 60.0);
    }
    EXPECT_EQ(std::fmod(meridian, 15.0), 0.0);  // meridian in degrees, not hours
    // The clock stays within 2.5 hours of the sun: Alaska keeps one clock (135 W) out to St
    // Lawrence Island (171.7 W), and Shemya (174.1 E, written 185.9 W) Aleutian time (150 W).
    EXPECT_LT(std::fabs(meridian - longitude), 37.5);
    for (int m = 0; m < 12; ++m) {
      EXPECT_GE(r.rows[2][m], r.rows[0][m]);  // daily maxima above daily means
      EXPECT_GE(r.rows[0][m], r.rows[4][m]);  // dew point not above dry bulb
      EXPECT_GT(r.rows[1][m], 0.0);
      EXPECT_GE(r.rows[6][m], 0.0);
      EXPECT_EQ(r.rows[6][m], std::round(r.rows[6][m]));  // solar without decimals
      EXPECT_GT(r.rows[7][m], 0.0);
    }
  }
}

// The state name of a record: the city string's text between ", " and the mark.
std::string stateOf(const LibRecord& r) {
  const std::string text = trim(r.cityString);
  const std::size_t comma = text.find(", ");
  const std::size_t mark = text.find_first_of("#*@!");
  if (comma == std::string::npos || mark == std::string::npos || mark < comma + 3) return {};
  return text.substr(comma + 2, mark - 1 - (comma + 2));
}

std::string cityOf(const LibRecord& r) { return r.cityString.substr(0, r.cityString.find(',')); }

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// A word of a city key as the naming rules write it: capitalised ("Falls", "O'Neill",
// "McGregor", "(AWOS)"), a number, one of the small words kept in lower case, or, in capitals,
// an abbreviation the rules know. A station name left in the TMY3 list's capitals, or with its
// backquotes, backslashes and brackets, is not readable.
bool readableWord(const std::string& word) {
  static const std::set<std::string> small = {"of", "at", "de", "or", "d'Alene"};
  static const std::set<std::string> abbreviations = {
      "AAF", "AFB",  "AMOS", "ANGB", "ARB", "ASC",  "ASOS", "AUT",  "AWOS", "FAA", "FCWOS", "MCAF",
      "MCAS", "NAAS", "NAF", "NAS",  "NASA", "NDB", "NWS",  "USAF", "USCG", "WFO", "WSFO",  "WSO"};
  std::string w = word;
  if (w.size() > 2 && w.front() == '(' && w.back() == ')') w = w.substr(1, w.size() - 2);
  if (w.empty() || small.count(w)) return !w.empty();
  if (w.find_first_of("`\\[]") != std::string::npos) return false;
  std::size_t capitals = 0, letters = 0;
  for (char c : w) {
    if (std::isalpha(static_cast<unsigned char>(c))) {
      ++letters;
      if (std::isupper(static_cast<unsigned char>(c))) ++capitals;
    }
  }
  if (letters >= 3 && capitals == letters) return abbreviations.count(w) > 0;
  return std::isupper(static_cast<unsigned char>(w[0])) || std::isdigit(static_cast<unsigned char>(w[0]));
}

TEST(WeatherLibrary, CoversTheStatesInAlphabeticalBlocksWithUniqueCities) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  EXPECT_GE(lib.size(), 1010u);
  std::vector<std::string> states;
  std::set<std::string> citiesOfState;
  std::string previousCity;
  for (const LibRecord& r : lib) {
    SCOPED_TRACE(r.cityString);
    const std::string state = stateOf(r), city = cityOf(r);
    if (states.empty() || state != states.back()) {
      if (!states.empty()) {
        EXPECT_LT(states.back(), state) << "states out of order";
      }
      states.push_back(state);
      citiesOfState.clear();
      previousCity.clear();
    }
    EXPECT_TRUE(citiesOfState.insert(city).second) << "city twice in " << state;
    EXPECT_LE(upper(previousCity), upper(city)) << "cities out of order in " << state;
    previousCity = city;
    // The city key is what the user looks for: a name, no trailing blank, no mark, readable
    // words with one blank between them.
    EXPECT_FALSE(city.empty());
    EXPECT_EQ(trim(city), city);
    EXPECT_EQ(city.find_first_of("#*@![]\""), std::string::npos);
    EXPECT_EQ(city.find("  "), std::string::npos);
    std::istringstream words(city);
    for (std::string w; words >> w;) {
      for (std::size_t a = 0, b = 0; a <= w.size(); a = b + 1) {
        b = std::min(w.find_first_of("/-", a), w.size());
        EXPECT_TRUE(readableWord(w.substr(a, b - a))) << "in " << city;
      }
    }
    EXPECT_EQ(r.code.size(), 2u);
  }
  // Every state and the three territories, one block each, under their full names.
  const std::vector<std::string> expected = {
      "Alabama", "Alaska", "Arizona", "Arkansas", "California", "Colorado", "Connecticut",
      "Delaware", "Florida", "Georgia", "Guam", "Hawaii", "Idaho", "Illinois", "Indiana", "Iowa",
      "Kansas", "Kentucky", "Louisiana", "Maine", "Maryland", "Massachusetts", "Michigan",
      "Minnesota", "Mississippi", "Missouri", "Montana", "Nebraska", "Nevada", "New Hampshire",
      "New Jersey", "New Mexico", "New York", "North Carolina", "North Dakota", "Ohio",
      "Oklahoma", "Oregon", "Pennsylvania", "Puerto Rico", "Rhode Island", "South Carolina",
      "South Dakota", "Tennessee", "Texas", "Utah", "Vermont", "Virgin Islands", "Virginia",
      "Washington", "West Virginia", "Wisconsin", "Wyoming"};
  EXPECT_EQ(states, expected);
}

// Stations of the daily summaries left out of the library, their data being doubtful or
// wrong (data/SOURCES.md), with their positions in the summaries.
struct LeftOut {
  const char* usaf;
  double latitude, longitude;
  const char* why;
};
const LeftOut kLeftOut[] = {
    {"726560", 46.283, 96.150, "Fergus Falls MN: Pierre SD's data"},
    {"726626", 45.150, 87.150, "Antigo WI: longitude 154 km off, Eastern time"},
    {"727473", 46.267, 92.567, "Crane Lake MN: latitude 222 km off"},
    {"722255", 32.517, 84.950, "Columbus GA: Central time, sun on Eastern time"},
    {"725477", 41.983, 95.383, "Denison IA: 35 m/s mean winds"},
    {"703884", 55.200, 132.833, "Hydaburg AK: a July of 55-65 C maxima"},
    {"703407", 61.717, 157.150, "Sleetmute AK: an April as warm as July"}};

// None of them has a record, by station number and position.
TEST(WeatherLibrary, LeavesOutTheStationsOfDoubtfulData) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  RawLines list = readRaw(kalvano::testref::referenceFile("tmy3-daily/stations.csv"));
  for (const LeftOut& s : kLeftOut) {
    SCOPED_TRACE(s.why);
    // The position as the summaries give it.
    bool listed = false;
    for (const std::string& line : list.lines) {
      const std::vector<std::string> f = commaFields(line);
      if (f.size() < 5 || f[0] != s.usaf) continue;
      listed = true;
      EXPECT_NEAR(*number(f[3]), s.latitude, 1e-9);
      EXPECT_NEAR(*number(f[4]), s.longitude, 1e-9);
    }
    EXPECT_TRUE(listed);
    for (const LibRecord& r : lib) {
      EXPECT_FALSE(r.station == std::string(s.usaf).substr(0, 5) &&
                   std::fabs(r.stationValues[0] - s.latitude) < 0.006 &&
                   std::fabs(r.stationValues[1] - s.longitude) < 0.006)
          << r.cityString;
    }
  }
}

// Every monthly value inside the range its row can take in the United States and its
// territories (F, Btu/sq.ft day, mph), from the Arctic coast to the tropics.
TEST(WeatherLibrary, EveryRecordHoldsPlausibleMonthlyValues) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  struct Range {
    double low, high;
  };
  // Deviations reach 26 F in the winters of interior Alaska. Solar is bounded below by
  // latitude, further down.
  const Range rows[8] = {{-30, 105}, {0, 30}, {-20, 120}, {0, 30},
                         {-40, 85},  {0, 30}, {0, 3000}, {0, 50}};
  for (const LibRecord& r : lib) {
    SCOPED_TRACE(r.cityString);
    const bool mountWashington = cityOf(r) == "Mount Washington";
    // Four January days of dew points near -73 C (the summaries' README) widen its
    // dew-point deviation.
    const bool minchumina = cityOf(r) == "Minchumina";
    ASSERT_EQ(r.stationValues.size(), 4u);
    const double latitude = r.stationValues[0];
    EXPECT_GT(std::fabs(latitude), 10.0);
    EXPECT_LT(std::fabs(latitude), 72.0);
    // Feet: the Imperial Valley lies below sea level, Mount Washington above 6000 ft.
    EXPECT_GT(r.stationValues[3], -300.0);
    EXPECT_LT(r.stationValues[3], 10000.0);
    for (int m = 0; m < 12; ++m) {
      for (int row = 0; row < 8; ++row) {
        const double v = r.rows[row][m];
        if (row == 7 && mountWashington) {
          EXPECT_GT(v, 15.0) << "month " << m + 1;  // its summit wind is real
          continue;
        }
        if (row == 5 && minchumina) {
          EXPECT_LT(v, 40.0) << "month " << m + 1;
          continue;
        }
        EXPECT_GE(v, rows[row].low) << "row " << row + 1 << " month " << m + 1;
        EXPECT_LT(v, rows[row].high) << "row " << row + 1 << " month " << m + 1;
      }
      // Solar: a day without sun only in the polar night, north of 66 N from November to
      // January (Barrow's December is 0, and that is right); south of 50 N at least 100.
      const bool polarNight = latitude > 66.0 && (m == 10 || m == 11 || m == 0);
      if (!polarNight) {
        EXPECT_GT(r.rows[6][m], 0.0) << "solar, month " << m + 1;
      }
      if (latitude < 50.0) {
        EXPECT_GT(r.rows[6][m], 100.0) << "solar, month " << m + 1;
      }
      EXPECT_GT(r.rows[2][m], r.rows[0][m]);  // the daily maximum above the daily mean
      EXPECT_LT(r.rows[2][m] - r.rows[0][m], 30.0);
      // No month stands more than 20 F warmer than the mean of the months either side: a month
      // of Fahrenheit figures read as Celsius would (the real spring and autumn steps of the
      // northern plains reach 17 F).
      const double around = (r.rows[0][(m + 11) % 12] + r.rows[0][(m + 1) % 12]) / 2;
      EXPECT_LT(r.rows[0][m] - around, 20.0) << "month " << m + 1;
    }
  }
}

// Monthly statistics computed here from an hourly file, independently of the library's
// generator: daily mean dry bulb and dew point as (max + min) / 2 of the day's hours, means and
// n - 1 deviations over the days, solar as the daily sum of global horizontal, wind as the
// mean hourly speed.
struct Monthly {
  double v[8][12] = {};
};

// One hour of a recorded year in the library's units: F, Btu/sq.ft, mph.
struct Hour {
  int month = 0, day = 0;
  double db = 0, dp = 0, solar = 0, wind = 0;
};

// Wh/m2 to Btu/sq.ft and 0.1 m/s to mph: the recorded-weather reader's factors.
constexpr double kWhPerBtu = 3.152585;
constexpr double kTenthsMsPerMph = 4.47;

double fahrenheit(double c) { return c * 1.8 + 32.0; }

// Station values as the library holds them: latitude, longitude west, meridian (degrees
// west), elevation in feet.
struct Station {
  double latitude = 0, longitude = 0, meridian = 0, elevationFt = 0;
};

// TMY2: fixed columns of the header and of every record.
std::vector<Hour> hoursOfTmy2(const RawLines& f, Station& st) {
  std::vector<Hour> out;
  if (f.lines.empty()) return out;
  const std::string& h = f.lines[0];
  st.latitude = *number(cols(h, 40, 2)) + *number(cols(h, 43, 2)) / 60.0;
  st.longitude = *number(cols(h, 48, 3)) + *number(cols(h, 52, 2)) / 60.0;
  st.meridian = -*number(cols(h, 34, 3)) * 15.0;
  st.elevationFt = std::floor(*number(cols(h, 56, 4)) * 3.2808 + 0.5);
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
    out.push_back({static_cast<int>(*month), static_cast<int>(*day), fahrenheit(*db / 10.0),
                   fahrenheit(*dp / 10.0), *ghi / kWhPerBtu, *ws / kTenthsMsPerMph});
  }
  return out;
}

// EPW: the LOCATION line, then eight header lines in all and one comma-separated hour a line
// (month 2, day 3, dry bulb 7, dew point 8, global horizontal 14, wind 22, counted from 1).
std::vector<Hour> hoursOfEpw(const RawLines& f, Station& st) {
  std::vector<Hour> out;
  if (f.lines.size() < 9) return out;
  const std::vector<std::string> loc = commaFields(f.lines[0]);
  st.latitude = *number(loc.at(6));
  st.longitude = -*number(loc.at(7));
  st.meridian = -*number(loc.at(8)) * 15.0;
  st.elevationFt = std::floor(*number(loc.at(9)) * 3.2808 + 0.5);
  for (std::size_t k = 8; k < f.lines.size(); ++k) {
    const std::vector<std::string> r = commaFields(f.lines[k]);
    if (r.size() < 22) continue;
    out.push_back({static_cast<int>(*number(r[1])), static_cast<int>(*number(r[2])),
                   fahrenheit(*number(r[6])), fahrenheit(*number(r[7])),
                   *number(r[13]) / kWhPerBtu, *number(r[21]) * 10.0 / kTenthsMsPerMph});
  }
  return out;
}

// NREL TMY3 CSV: a station line, a line of column names, then one hour a line with the date
// as MM/DD/YYYY; the columns are found by their names.
std::vector<Hour> hoursOfTmy3Csv(const RawLines& f, Station& st) {
  std::vector<Hour> out;
  if (f.lines.size() < 3) return out;
  const std::vector<std::string> head = commaFields(f.lines[0]);
  st.latitude = *number(head.at(4));
  st.longitude = -*number(head.at(5));
  st.meridian = -*number(head.at(3)) * 15.0;
  st.elevationFt = std::floor(*number(head.at(6)) * 3.2808 + 0.5);
  const std::vector<std::string> names = commaFields(f.lines[1]);
  auto column = [&](const std::string& name) {
    auto it = std::find(names.begin(), names.end(), name);
    EXPECT_NE(it, names.end()) << name;
    return static_cast<std::size_t>(it - names.begin());
  };
  const std::size_t ghi = column("GHI (W/m^2)"), db = column("Dry-bulb (C)"),
                    dp = column("Dew-point (C)"), ws = column("Wspd (m/s)");
  for (std::size_t k = 2; k < f.lines.size(); ++k) {
    const std::vector<std::string> r = commaFields(f.lines[k]);
    if (r.size() < names.size()) continue;
    out.push_back({static_cast<int>(*number(r[0].substr(0, 2))),
                   static_cast<int>(*number(r[0].substr(3, 2))), fahrenheit(*number(r[db])),
                   fahrenheit(*number(r[dp])), *number(r[ghi]) / kWhPerBtu,
                   *number(r[ws]) * 10.0 / kTenthsMsPerMph});
  }
  return out;
}

Monthly statisticsOf(const std::vector<Hour>& hours) {
  struct Day {
    double dbMax = -1e9, dbMin = 1e9, dpMax = -1e9, dpMin = 1e9, solar = 0, wind = 0;
    int hours = 0;
  };
  std::map<std::pair<int, int>, Day> days;
  for (const Hour& h : hours) {
    Day& d = days[{h.month, h.day}];
    d.dbMax = std::max(d.dbMax, h.db);
    d.dbMin = std::min(d.dbMin, h.db);
    d.dpMax = std::max(d.dpMax, h.dp);
    d.dpMin = std::min(d.dpMin, h.dp);
    d.solar += h.solar;
    d.wind += h.wind;
    ++d.hours;
  }
  Monthly out;
  for (int m = 1; m <= 12; ++m) {
    std::vector<double> series[3];
    double solar = 0, wind = 0;
    int hourCount = 0;
    for (const auto& [key, d] : days) {
      if (key.first != m) continue;
      EXPECT_EQ(d.hours, 24) << m << "/" << key.second;
      series[0].push_back((d.dbMax + d.dbMin) / 2);
      series[1].push_back(d.dbMax);
      series[2].push_back((d.dpMax + d.dpMin) / 2);
      solar += d.solar;
      wind += d.wind;
      hourCount += d.hours;
    }
    const double n = static_cast<double>(series[0].size());
    if (n < 2) {
      ADD_FAILURE() << "month " << m << " has " << n << " days";
      continue;
    }
    for (int s = 0; s < 3; ++s) {
      double sum = 0, sq = 0;
      for (double x : series[s]) sum += x;
      const double mean = sum / n;
      for (double x : series[s]) sq += (x - mean) * (x - mean);
      out.v[2 * s][m - 1] = mean;
      out.v[2 * s + 1][m - 1] = std::sqrt(sq / (n - 1));
    }
    out.v[6][m - 1] = solar / n;
    out.v[7][m - 1] = wind / hourCount;
  }
  return out;
}

#ifdef KALVANO_TMY3_DAILY_CSV
// Every station of the TMY3 daily summaries has one record, found by its station number and
// position, whose station values and statistics are computed here again from the days: a day's
// mean dry bulb and dew point (max + min) / 2 in F, means and n - 1 deviations over the days,
// solar the mean daily sum in Btu/sq.ft, wind the mean of the daily means in mph. The six
// stations that are also recorded years keep the record of their recorded year; the stations
// left out have none. A longitude may be written a turn further west (Shemya).
TEST(WeatherLibrary, StatisticsAgreeWithTheDailySummariesOfEveryStation) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  RawLines stations = readRaw(kalvano::testref::referenceFile("tmy3-daily/stations.csv"));
  RawLines daily = readRaw(KALVANO_TMY3_DAILY_CSV);
  ASSERT_EQ(stations.lines.size(), 1021u);  // a header and the 1020 TMY3 stations
  ASSERT_EQ(daily.lines.size(), 1 + 365 * (stations.lines.size() - 1));
  struct Day {
    int month;
    double db, dbMax, dp, solar, wind;
  };
  std::map<std::string, std::vector<Day>> days;
  for (std::size_t k = 1; k < daily.lines.size(); ++k) {
    const std::vector<std::string> f = commaFields(daily.lines[k]);
    ASSERT_EQ(f.size(), 10u) << daily.lines[k];
    auto v = [&](std::size_t i) { return *number(f[i]); };
    days[f[0]].push_back({static_cast<int>(v(1)), (fahrenheit(v(3)) + fahrenheit(v(4))) / 2,
                          fahrenheit(v(3)), (fahrenheit(v(5)) + fahrenheit(v(6))) / 2,
                          v(7) / kWhPerBtu, v(8) * 10.0 / kTenthsMsPerMph});
  }
  const std::set<std::string> recorded = {"703165", "722020", "723170",
                                          "724940", "725300", "725650"};
  std::set<std::string> leftOut;
  for (const LeftOut& s : kLeftOut) leftOut.insert(s.usaf);
  std::size_t checked = 0;
  for (std::size_t k = 1; k < stations.lines.size(); ++k) {
    const std::vector<std::string> s = commaFields(stations.lines[k]);
    ASSERT_GE(s.size(), 7u);
    SCOPED_TRACE(s[0] + " " + s[1]);
    const double lat = *number(s[3]), lon = *number(s[4]), tz = *number(s[6]);
    const LibRecord* rec = nullptr;
    for (const LibRecord& r : lib) {
      if (r.station == s[0].substr(0, 5) && r.stationValues.size() == 4 &&
          std::fabs(r.stationValues[0] - lat) < 0.006 &&
          std::fabs(std::remainder(r.stationValues[1] - lon, 360.0)) < 0.006) {
        EXPECT_EQ(rec, nullptr) << "two records";
        rec = &r;
      }
    }
    if (recorded.count(s[0]) || leftOut.count(s[0])) continue;
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->stationValues[2], tz * 15.0);
    EXPECT_EQ(rec->stationValues[3], std::floor(*number(s[5]) * 3.2808 + 0.5));
    for (int m = 1; m <= 12; ++m) {
      std::vector<double> series[3];
      double solar = 0, wind = 0;
      for (const Day& d : days[s[0]]) {
        if (d.month != m) continue;
        series[0].push_back(d.db);
        series[1].push_back(d.dbMax);
        series[2].push_back(d.dp);
        solar += d.solar;
        wind += d.wind;
      }
      const double n = static_cast<double>(series[0].size());
      ASSERT_GE(n, 28.0);
      for (int r = 0; r < 3; ++r) {
        double sum = 0, sq = 0;
        for (double x : series[r]) sum += x;
        const double mean = sum / n;
        for (double x : series[r]) sq += (x - mean) * (x - mean);
        EXPECT_NEAR(rec->rows[2 * r][m - 1], mean, 0.051) << "row " << 2 * r + 1 << " month " << m;
        EXPECT_NEAR(rec->rows[2 * r + 1][m - 1], std::sqrt(sq / (n - 1)), 0.051)
            << "row " << 2 * r + 2 << " month " << m;
      }
      EXPECT_NEAR(rec->rows[6][m - 1], solar / n, 0.501) << "solar, month " << m;
      EXPECT_NEAR(rec->rows[7][m - 1], wind / n, 0.051) << "wind, month " << m;
    }
    ++checked;
  }
  EXPECT_EQ(checked, stations.lines.size() - 1 - recorded.size() - leftOut.size());
}
#endif

struct RecordedSite {
  const char* location;  // the library record's city and state
  const char* file;      // under the reference data
  std::vector<Hour> (*read)(const RawLines&, Station&);
};

TEST(WeatherLibrary, StatisticsAgreeWithTheRecordedYearsInEachSourceFormat) {
  bool ok = false;
  std::vector<LibRecord> lib = readLibrary(ok);
  ASSERT_TRUE(ok);
  const RecordedSite sites[] = {
      {"Miami, Florida", "weather/12839.tm2", hoursOfTmy2},
      {"Denver, Colorado", "climate/USA_CO_Denver.Intl.AP.725650_TMY3.epw", hoursOfEpw},
      {"Greensboro, North Carolina", "climate/723170TYA.CSV", hoursOfTmy3Csv},
  };
  for (const RecordedSite& site : sites) {
    SCOPED_TRACE(site.location);
    const LibRecord* rec = nullptr;
    for (const LibRecord& r : lib) {
      if (r.cityString.rfind(site.location, 0) == 0) rec = &r;
    }
    ASSERT_NE(rec, nullptr);
    RawLines f = readRaw(kalvano::testref::referenceFile(site.file));
    ASSERT_TRUE(f.opened);
    Station st;
    const std::vector<Hour> hours = site.read(f, st);
    ASSERT_EQ(hours.size(), 8760u);
    ASSERT_EQ(rec->stationValues.size(), 4u);
    EXPECT_NEAR(rec->stationValues[0], st.latitude, 0.006);
    EXPECT_NEAR(rec->stationValues[1], st.longitude, 0.006);
    EXPECT_EQ(rec->stationValues[2], st.meridian);
    EXPECT_EQ(rec->stationValues[3], st.elevationFt);
    const Monthly m = statisticsOf(hours);
    for (int row = 0; row < 8; ++row) {
      const double tol = row == 6 ? 0.5 + 1e-3 : 0.05 + 1e-3;
      for (int month = 0; month < 12; ++month) {
        EXPECT_NEAR(rec->rows[row][month], m.v[row][month], tol)
            << "row " << row + 1 << " month " << month + 1;
      }
    }
  }
}

}  // namespace
