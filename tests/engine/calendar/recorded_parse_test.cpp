// Record layouts of recorded weather files: every field lands in its columns and units.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/calendar/recorded.h"
#include "recorded_fixtures.h"

namespace kv {
namespace {

using testing::fileLines;
using testing::weatherFile;

// Independent unit conversions (public factors, double precision).
double cToF(double tenthsC) { return tenthsC / 10.0 * 9.0 / 5.0 + 32.0; }
double whToBtu(double whm2) { return whm2 * 3.412142 / 10.76391; }  // Wh/m2 -> Btu/ft2
double mbarToInHg(double mbar) { return mbar / 33.8639; }
double msToMph(double tenths) { return tenths / 10.0 / 0.44704; }

struct FixedCase {
  const char* what;
  int line;  // 1-based line of 12839.tm2
  int month, day, hour;
  double etrWh, ghWh, dnWh, difWh, skyTenths, dbTenths, dpTenths, pbMbar, wvTenths;
};

// Values read off the file by hand at the documented TMY2 columns.
const FixedCase kMiami[] = {
    {"first record, night", 2, 1, 1, 1, 0, 0, 0, 0, 7, 200, 150, 1017, 67},
    {"1 February 14:00", 759, 2, 1, 14, 993, 636, 589, 217, 7, 233, 128, 1019, 21},
    {"2 July 10:00", 4379, 7, 2, 10, 1016, 696, 658, 187, 4, 300, 217, 1017, 41},
    {"2 July 11:00", 4380, 7, 2, 11, 1185, 828, 666, 231, 7, 306, 228, 1018, 46},
    {"last record, hour 24", 8761, 12, 31, 24, 0, 0, 0, 0, 6, 222, 158, 1023, 59},
};

void expectFields(const FixedCase& c, const WeatherRecord& r, float etr, float sinalt) {
  EXPECT_EQ(r.month, c.month);
  EXPECT_EQ(r.day, c.day);
  EXPECT_EQ(r.hour, c.hour);
  EXPECT_NEAR(r.dh, whToBtu(c.ghWh), 1e-3 * whToBtu(c.ghWh) + 1e-4);
  EXPECT_NEAR(r.dn, whToBtu(c.dnWh), 1e-3 * whToBtu(c.dnWh) + 1e-4);
  EXPECT_NEAR(r.dfh, whToBtu(c.difWh), 1e-3 * whToBtu(c.difWh) + 1e-4);
  const double etrWanted = whToBtu(c.etrWh) / std::max(sinalt, 0.01f);
  EXPECT_NEAR(etr, etrWanted, 1e-3 * etrWanted + 1e-4);
  EXPECT_NEAR(r.cc, c.skyTenths / 10.0, 1e-6);
  EXPECT_NEAR(r.db, cToF(c.dbTenths), 1e-4);
  EXPECT_NEAR(r.dp, cToF(c.dpTenths), 1e-4);
  EXPECT_NEAR(r.pb, mbarToInHg(c.pbMbar), 1e-3);
  EXPECT_NEAR(r.wv, msToMph(c.wvTenths), 2e-3);
}

TEST(RecordedTmy2, ReadsEveryFieldOfTheMiamiFileInEngineUnits) {
  const auto lines = fileLines(weatherFile("12839.tm2"));
  ASSERT_EQ(lines.size(), 8761u);
  for (const FixedCase& c : kMiami) {
    SCOPED_TRACE(c.what);
    WeatherRecord r;
    float etr = -1.0f;
    char station[5] = {'x', 'x', 'x', 'x', 'x'};
    const float sinalt = 0.5f;
    ASSERT_EQ(readFixedRecord(lines[static_cast<std::size_t>(c.line - 1)], 1, sinalt, r, etr, station), 0);
    expectFields(c, r, etr, sinalt);
    EXPECT_EQ(station[0], 'x') << "only the WYEC2 layout sets the station";
  }
}

TEST(RecordedTmy2, ReadsAllRecordsOfTheYearInOrder) {
  const auto lines = fileLines(weatherFile("12839.tm2"));
  WeatherRecord r;
  float etr = 0;
  char station[5];
  int count = 0, prevKey = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    ASSERT_EQ(readFixedRecord(lines[i], 1, 0.3f, r, etr, station), 0) << "line " << i + 1;
    const int key = (r.month * 100 + r.day) * 100 + r.hour;
    EXPECT_GT(key, prevKey) << "line " << i + 1;
    prevKey = key;
    ++count;
  }
  EXPECT_EQ(count, 8760);
}

TEST(RecordedCustom, IsTheTmy2RecordTwoColumnsToTheRight) {
  const auto lines = fileLines(weatherFile("12839.tm2"));
  char station[5];
  for (std::size_t i = 1; i < lines.size(); i += 97) {
    WeatherRecord a, b;
    float etrA = 0, etrB = 0;
    ASSERT_EQ(readFixedRecord(lines[i], 1, 0.7f, a, etrA, station), 0);
    ASSERT_EQ(readFixedRecord("  " + lines[i], 4, 0.7f, b, etrB, station), 0);
    EXPECT_EQ(a.year, b.year);
    EXPECT_EQ((a.month * 100 + a.day) * 100 + a.hour, (b.month * 100 + b.day) * 100 + b.hour);
    testing::expectSameWeather(a, b);
    EXPECT_EQ(etrA, etrB);
    // Read with the TMY2 columns, the shifted record is not the same weather.
    WeatherRecord c;
    float etrC = 0;
    if (readFixedRecord("  " + lines[i], 1, 0.7f, c, etrC, station) == 0) {
      EXPECT_NE(a.db, c.db);
    }
  }
}

// The worked examples of the TMY2 conversions, on a record built from blanks and the fields.
std::string tmy2Record(const char* db, const char* dp, const char* pb, const char* wv) {
  std::string s = " 62010112" + std::string(90, ' ');
  s.replace(67, 4, db);
  s.replace(73, 4, dp);
  s.replace(84, 4, pb);
  s.replace(95, 3, wv);
  return s;
}

TEST(RecordedTmy2, ConvertsTheWorkedExamples) {
  WeatherRecord r;
  float etr = 0;
  char station[5];
  ASSERT_EQ(readFixedRecord(tmy2Record(" 250", " -56", "1013", " 45"), 1, 0.0f, r, etr, station), 0);
  EXPECT_FLOAT_EQ(r.db, 77.0f);
  EXPECT_NEAR(r.dp, 21.92f, 1e-5);
  EXPECT_NEAR(r.wv, 10.07f, 0.005);
  EXPECT_NEAR(r.pb, 29.91f, 0.005);
  EXPECT_EQ(r.hour, 12);
}

TEST(RecordedWyec2, ReadsTheWyec2ColumnsAndUnits) {
  // The CWEEDS record with its century digits (columns 7-8) taken out is a WYEC2 record.
  const auto cweeds = fileLines(weatherFile("cweed_sample.WY2"));
  ASSERT_EQ(cweeds.size(), 26304u);
  struct Row {
    int line, month, day, hour;
    double etr, gh, dn, dif, pb, db, dp, wv, sky;
  } rows[] = {
      {1, 1, 1, 1, 0, 0, 0, 0, 10137, -90, -130, 42, 7},
      {5000, 7, 27, 8, 2306, 610, 79, 572, 10120, 191, 159, 42, 8},
  };
  for (const Row& c : rows) {
    SCOPED_TRACE(c.line);
    std::string s = cweeds[static_cast<std::size_t>(c.line - 1)];
    s.erase(6, 2);
    WeatherRecord r;
    float etr = 0;
    char station[5] = {};
    const float sinalt = 0.4f;
    ASSERT_EQ(readFixedRecord(s, 2, sinalt, r, etr, station), 0);
    EXPECT_EQ(std::string(station, 5), "94792");
    EXPECT_EQ(r.year, 96);
    EXPECT_EQ(r.month, c.month);
    EXPECT_EQ(r.day, c.day);
    EXPECT_EQ(r.hour, c.hour);
    // kJ/m2 is 3.6 times Wh/m2; pressure in tenths of mbar.
    EXPECT_NEAR(r.dh, whToBtu(c.gh / 3.6), 1e-3 * c.gh + 1e-4);
    EXPECT_NEAR(r.dn, whToBtu(c.dn / 3.6), 1e-3 * c.dn + 1e-4);
    EXPECT_NEAR(r.dfh, whToBtu(c.dif / 3.6), 1e-3 * c.dif + 1e-4);
    EXPECT_NEAR(etr, whToBtu(c.etr / 3.6) / sinalt, 1e-3 * c.etr + 1e-4);
    EXPECT_NEAR(r.pb, mbarToInHg(c.pb / 10.0), 1e-3);
    EXPECT_NEAR(r.db, cToF(c.db), 1e-4);
    EXPECT_NEAR(r.dp, cToF(c.dp), 1e-4);
    EXPECT_NEAR(r.wv, msToMph(c.wv), 2e-3);
    EXPECT_NEAR(r.cc, c.sky / 10.0, 1e-6);
  }
}

TEST(RecordedWyec2, RejectsEveryRecordWithAFourDigitYear) {
  const auto cweeds = fileLines(weatherFile("cweed_sample.WY2"));
  char station[5];
  for (std::size_t i = 0; i < cweeds.size(); ++i) {
    WeatherRecord r;
    float etr = 0;
    ASSERT_EQ(readFixedRecord(cweeds[i], 2, 0.5f, r, etr, station), kWxFourDigitYear) << "line " << i + 1;
  }
}

TEST(RecordedFixed, TellsEachMalformedRecordApart) {
  const std::string good = tmy2Record(" 250", " -56", "1013", " 45");
  struct Case {
    const char* what;
    std::string line;
    int code, error;
  } cases[] = {
      {"text in the dry bulb", tmy2Record(" 2x0", " -56", "1013", " 45"), 1, kWxNotNumeric},
      {"text in the hour", " 620101x2" + good.substr(9), 1, kWxNotNumeric},
      {"record cut before the wind", good.substr(0, 90), 1, kWxShortRecord},
      {"month 13", " 62130112" + good.substr(9), 1, kWxDateRange},
      {"hour 25", " 62010125" + good.substr(9), 1, kWxDateRange},
      {"day 0", " 62010012" + good.substr(9), 1, kWxDateRange},
  };
  char station[5];
  for (const Case& c : cases) {
    WeatherRecord r;
    float etr = 0;
    EXPECT_EQ(readFixedRecord(c.line, c.code, 0.5f, r, etr, station), c.error) << c.what;
  }
  // Hour 0 is a valid hour (the calendar places it).
  WeatherRecord r;
  float etr = 0;
  EXPECT_EQ(readFixedRecord(" 62010200" + good.substr(9), 1, 0.5f, r, etr, station), 0);
  EXPECT_EQ(r.hour, 0);
}

TEST(RecordedFixed, KeepsTheDateReadBeforeABadField) {
  WeatherRecord r;
  r.year = 61;
  r.month = 5;
  r.day = 6;
  r.hour = 7;
  float etr = 0;
  char station[5];
  ASSERT_EQ(readFixedRecord(" 62031x04", 1, 0.5f, r, etr, station), kWxNotNumeric);
  EXPECT_EQ(r.year, 62);
  EXPECT_EQ(r.month, 3);
  EXPECT_EQ(r.day, 6) << "the day field failed: it keeps its value";
  EXPECT_EQ(r.hour, 7);
}

TEST(RecordedFixed, BlankLinesAreNoRecords) {
  EXPECT_TRUE(isBlankRecord(""));
  EXPECT_TRUE(isBlankRecord("   \t "));
  EXPECT_FALSE(isBlankRecord(" 0"));
}

TEST(RecordedHeader, ReadsTheMiamiStation) {
  const auto lines = fileLines(weatherFile("12839.tm2"));
  StationHeader h;
  ASSERT_EQ(readStationHeader(lines[0], 1, h), 0);
  EXPECT_EQ(std::string(h.station, 5), "12839");
  EXPECT_EQ(std::string(h.location, 25), "MIAMI                  FL");
  EXPECT_FLOAT_EQ(h.latitude, 25.0f + 48.0f / 60.0f);
  EXPECT_FLOAT_EQ(h.longitude, 80.0f + 16.0f / 60.0f);
  EXPECT_FLOAT_EQ(h.meridian, 75.0f);
  EXPECT_FLOAT_EQ(h.elevation, 2.0f * 3.281f);
}

TEST(RecordedHeader, ReadsTheCustomColumnsAndTheHemispheres) {
  std::string s(76, ' ');
  auto put = [&](int col, const char* text) { s.replace(static_cast<std::size_t>(col - 1), std::strlen(text), text); };
  put(7, "94610");
  put(14, "PERTH");
  put(46, "  +8");
  put(54, "S");
  put(55, " 31");
  put(58, " 57");
  put(62, "E");
  put(63, " 115");
  put(67, " 58");
  put(71, "    20");
  StationHeader h;
  ASSERT_EQ(readStationHeader(s, 4, h), 0);
  EXPECT_EQ(std::string(h.station, 5), "94610");
  EXPECT_EQ(std::string(h.location, 25), "PERTH                    ");
  EXPECT_FLOAT_EQ(h.latitude, -(31.0f + 57.0f / 60.0f));
  EXPECT_FLOAT_EQ(h.longitude, -(115.0f + 58.0f / 60.0f));
  EXPECT_FLOAT_EQ(h.meridian, -120.0f);
  EXPECT_FLOAT_EQ(h.elevation, 20.0f * 3.281f);
  EXPECT_EQ(readStationHeader(" 12839 MIAMI                  FL  -x N 25 48 W  80 16     2", 1, h),
            kWxNotNumeric);
}

// Layout 3: free-format values and the sky split.
TEST(RecordedIwec, ReadsValuesSeparatedByBlanksCommasAndTabs) {
  double v[8];
  int n = 0;
  ASSERT_EQ(readFreeValues("1995, 1,2\t1300 ", v, n), 0);
  ASSERT_EQ(n, 4);
  ASSERT_EQ(readFreeValues(" 71.5 -3.25E1 +420. 7 99 99", v, n), 0);
  ASSERT_EQ(n, 8);
  EXPECT_EQ(v[3], 1300.0);
  EXPECT_EQ(v[4], 71.5);
  EXPECT_EQ(v[5], -32.5);
  EXPECT_EQ(v[6], 420.0);
  EXPECT_EQ(v[7], 7.0);
  n = 0;
  EXPECT_EQ(readFreeValues("1995 1 2 3 N/A 60 0 5", v, n), kWxNotNumeric);
  n = 0;
  EXPECT_EQ(readFreeValues("1995 1 2 3 - 60 0 5", v, n), kWxNotNumeric);
}

TEST(RecordedIwec, CompletesTheRecord) {
  struct Case {
    const char* what;
    double vals[8];
    float sinalt;
    int hour;
    float dp;
  } cases[] = {
      {"hour written as hundreds", {1995, 6, 1, 1300, 80, 60, 500, 10}, 0.9f, 13, 60.0f},
      {"dew point equal to the dry bulb", {1995, 6, 1, 13, 70, 70, 500, 10}, 0.9f, 13, 69.5f},
      {"dew point above the dry bulb", {1995, 6, 1, 13, 70, 72, 500, 10}, 0.9f, 13, 69.5f},
  };
  for (const Case& c : cases) {
    WeatherRecord r;
    float prev = 0.2f;
    ASSERT_EQ(completeIwecRecord(c.vals, 29.5f, 400.0f, c.sinalt, prev, r), 0) << c.what;
    EXPECT_EQ(r.hour, c.hour) << c.what;
    EXPECT_FLOAT_EQ(r.dp, c.dp) << c.what;
    EXPECT_FLOAT_EQ(r.pb, 29.5f) << c.what;
    EXPECT_FLOAT_EQ(r.wv, 10.0f) << c.what;
  }
}

TEST(RecordedIwec, SplitsDaylightRadiationAndCarriesTheCloudCover) {
  const double day[8] = {1995, 6, 1, 12, 80, 60, 600, 10};
  WeatherRecord r;
  float prev = 0.2f;
  const float etr = 420.0f, sinalt = 0.8f;
  ASSERT_EQ(completeIwecRecord(day, 29.9f, etr, sinalt, prev, r), 0);
  const float dh = 600.0f * 0.317f;
  const float kt = dh / (etr * sinalt);  // about 0.566
  const float x = 1.83f - 2.8f * kt;
  const float fd = 0.9511f - 0.1604f * kt + 4.388f * kt * kt - 16.638f * kt * kt * kt +
                   12.336f * kt * kt * kt * kt;
  EXPECT_FLOAT_EQ(r.dh, dh);
  EXPECT_NEAR(r.cc, (x + 0.2f) / 2.0f, 1e-6);
  EXPECT_FLOAT_EQ(prev, r.cc);
  EXPECT_NEAR(r.dfh, fd * dh, 1e-3);
  EXPECT_NEAR(r.dn, (dh - fd * dh) / sinalt, 1e-3);
  EXPECT_NEAR(r.dh, r.dfh + r.dn * sinalt, 1e-3);

  // Clearness above 0.85 is held at 0.85: no cloud, diffuse fraction 0.165.
  const double bright[8] = {1995, 6, 1, 12, 80, 60, 1500, 10};  // the highest global value taken
  float prev2 = 0.0f;
  ASSERT_EQ(completeIwecRecord(bright, 29.9f, etr, sinalt, prev2, r), 0);
  EXPECT_FLOAT_EQ(r.cc, 0.0f);
  EXPECT_NEAR(r.dfh, 0.165f * 1500.0f * 0.317f, 1e-3);

  // Night: no radiation, the cloud cover of the last daylight hour stays.
  const double night[8] = {1995, 6, 1, 23, 70, 60, 0, 5};
  r.cc = 0.35f;
  float prev3 = 0.35f;
  ASSERT_EQ(completeIwecRecord(night, 29.9f, etr, 0.0f, prev3, r), 0);
  EXPECT_EQ(r.dh, 0.0f);
  EXPECT_EQ(r.dn, 0.0f);
  EXPECT_EQ(r.dfh, 0.0f);
  EXPECT_EQ(r.cc, 0.35f);
  EXPECT_EQ(prev3, 0.35f);

  const double bad[8] = {1995, 14, 1, 23, 70, 60, 0, 5};
  EXPECT_EQ(completeIwecRecord(bad, 29.9f, etr, 0.0f, prev3, r), kWxDateRange);
}

TEST(RecordedLeapDay, FindsTheMonthAndDayOfEachLayout) {
  int m = 0, d = 0;
  EXPECT_TRUE(recordMonthDay(" 88022913", 1, m, d));
  EXPECT_EQ(m * 100 + d, 229);
  EXPECT_TRUE(recordMonthDay("   88022913", 4, m, d));
  EXPECT_EQ(m * 100 + d, 229);
  EXPECT_TRUE(recordMonthDay("94792A88022913", 2, m, d));
  EXPECT_EQ(m * 100 + d, 229);
  EXPECT_TRUE(recordMonthDay("1988 2 29 13 50 40 300 4", 3, m, d));
  EXPECT_EQ(m * 100 + d, 229);
  EXPECT_FALSE(recordMonthDay("STATION 1988 HEADER", 3, m, d));
  EXPECT_FALSE(recordMonthDay("", 1, m, d));
}

}  // namespace
}  // namespace kv
