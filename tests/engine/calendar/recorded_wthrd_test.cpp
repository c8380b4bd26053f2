// WTHRD and the calendar's recorded-weather date check, on small files built from the real
// Miami TMY2 year and on hand-written IWEC, Custom and faulty fixtures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/calendar/wthrd.h"
#include "recorded_fixtures.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

using testing::fileLines;
using testing::weatherFile;
using testing::miami;

// Index in miami() of the record of (month, day, hour) of the non-leap year (header = 0).
std::size_t miamiIndex(int month, int day, int hour) {
  static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  return static_cast<std::size_t>((before[month - 1] + day - 1) * 24 + hour);
}

class RecordedRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kv_recorded_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    s_ = std::make_unique<EngineState>();
    s_->runpar.IYEAR = 1962;
    s_->files.listing.open((dir_ / "tavik$.wth").string());
  }
  void TearDown() override {
    s_.reset();
    fs::remove_all(dir_);
  }

  // Writes the weather file (LF or CR LF ends) and opens it as the run's unit 4.
  void weather(const std::vector<std::string>& lines, int code, bool crlf = false) {
    const fs::path p = dir_ / "tavik$.tmy";
    {
      std::ofstream out(p, std::ios::binary);
      for (const auto& l : lines) out << l << (crlf ? "\r\n" : "\n");
    }
    s_->runpar.IWFMT = code;
    ASSERT_TRUE(s_->files.weather.open(p.string()));
  }
  std::vector<std::string> listing() {
    s_->files.listing.flush();
    return fileLines((dir_ / "tavik$.wth").string());
  }
  // One hour through the date check; the status of an EngineStop, or 0.
  int hour(int month, int day, int h, float etrDay = 400.0f) {
    try {
      recordedHour(*s_, rw_, month, day, h, 29.92f, etrDay, stnid_);
    } catch (const EngineStop& e) {
      stopReason_ = e.what();
      return e.status();
    }
    return 0;
  }
  WeatherRecord parsed(std::size_t index) {
    WeatherRecord r;
    float etr = 0;
    char station[5];
    EXPECT_EQ(readFixedRecord(miami()[index], 1, 0.0f, r, etr, station), 0);
    return r;
  }
  void expectHourIs(std::size_t index) {
    const HRWTHR& w = s_->hrwthr;
    WeatherRecord got;
    got.db = w.DB;
    got.dp = w.DP;
    got.pb = w.PB;
    got.wv = w.WV;
    got.dn = w.DN;
    got.dfh = w.DFH;
    got.dh = w.DH;
    got.cc = w.CC;
    SCOPED_TRACE("record line " + std::to_string(index + 1));
    testing::expectSameWeather(got, parsed(index));
  }
  // The Miami header and its records from line `from` (1-based record index) for `n` records.
  static std::vector<std::string> miamiPart(std::size_t from, std::size_t n) {
    std::vector<std::string> v{miami()[0]};
    for (std::size_t i = from; i < from + n; ++i) v.push_back(miami()[i]);
    return v;
  }

  fs::path dir_;
  std::unique_ptr<EngineState> s_;
  RecordedWeather rw_;
  Chars<8> stnid_;
  std::string stopReason_;  // what the main program writes after " STOP " in the monitor log
};

TEST_F(RecordedRun, EveryHourOfJanuaryGetsItsOwnRecord) {
  weather(miamiPart(1, 31 * 24), 1, /*crlf=*/true);
  readRecordedHeader(*s_, stnid_);
  for (int d = 1; d <= 31; ++d) {
    for (int h = 1; h <= 24; ++h) {
      ASSERT_EQ(hour(1, d, h), 0);
      if (h == 13 || h == 1) expectHourIs(miamiIndex(1, d, h));
    }
  }
  EXPECT_TRUE(listing().empty());
  EXPECT_EQ(rw_.problems, 0);
  EXPECT_EQ(rw_.work.recordCount, 31 * 24);
}

TEST_F(RecordedRun, TheHeaderReplacesTheStationData) {
  weather(miamiPart(1, 2), 1);
  s_->prjtxt.PLOC.set("PROJECT PLACE");
  readRecordedHeader(*s_, stnid_);
  EXPECT_EQ(stnid_.view(), "12839   ");
  EXPECT_EQ(s_->prjtxt.PLOC.view(), "MIAMI                  FL" + std::string(17, ' '));
  EXPECT_FLOAT_EQ(s_->wxmon.XLAT, 25.8f);
  EXPECT_FLOAT_EQ(s_->wxmon.XLONG, 80.0f + 16.0f / 60.0f);
  EXPECT_FLOAT_EQ(s_->wxmon.XMER, 75.0f);
  EXPECT_FLOAT_EQ(s_->wxmon.ELEV, 6.562f);
  ASSERT_EQ(hour(1, 1, 1), 0);
  expectHourIs(1);
}

TEST_F(RecordedRun, CustomFileIsReadTwoColumnsToTheRight) {
  std::string head(76, ' ');
  head.replace(6, 5, "12839");
  head.replace(13, 8, "MIAMI FL");
  head.replace(45, 4, "  -5");
  head.replace(53, 7, "N 25 48");
  head.replace(61, 8, "W  80 16");
  head.replace(70, 6, "     2");
  std::vector<std::string> lines{head};
  for (std::size_t i = 1; i <= 48; ++i) lines.push_back("  " + miami()[i]);
  weather(lines, 4);
  readRecordedHeader(*s_, stnid_);
  EXPECT_EQ(stnid_.view(), "12839   ");
  EXPECT_EQ(s_->prjtxt.PLOC.trimmed(), "MIAMI FL");
  EXPECT_FLOAT_EQ(s_->wxmon.XLAT, 25.8f);
  EXPECT_FLOAT_EQ(s_->wxmon.XMER, 75.0f);
  for (int h = 1; h <= 24; ++h) ASSERT_EQ(hour(1, 1, h), 0);
  ASSERT_EQ(hour(1, 2, 13), 0);
  expectHourIs(miamiIndex(1, 2, 13));
  EXPECT_TRUE(listing().empty());
}

TEST_F(RecordedRun, DaysBeforeTheRunBeginAreReadOver) {
  weather(miamiPart(1, 10 * 24), 1);
  readRecordedHeader(*s_, stnid_);
  ASSERT_EQ(hour(1, 5, 1), 0);
  expectHourIs(miamiIndex(1, 5, 1));
  EXPECT_TRUE(listing().empty());
}

TEST_F(RecordedRun, AMissingHourRepeatsThePreviousHourAndIsOneProblem) {
  auto lines = miamiPart(1, 3 * 24);
  lines.erase(lines.begin() + static_cast<long>(miamiIndex(1, 2, 5)));
  weather(lines, 1);
  readRecordedHeader(*s_, stnid_);
  for (int d = 1; d <= 3; ++d) {
    for (int h = 1; h <= 24; ++h) {
      ASSERT_EQ(hour(1, d, h), 0);
      if (d == 2 && h == 5) expectHourIs(miamiIndex(1, 2, 4));
      if (d == 2 && h == 6) expectHourIs(miamiIndex(1, 2, 6));
    }
  }
  expectHourIs(miamiIndex(1, 3, 24));
  const auto l = listing();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], "## Problem in Weather Data: Expected Date= 62  1  2  5 Actual Date= 62  1  2  6");
  EXPECT_EQ(rw_.problems, 1);
}

TEST_F(RecordedRun, AGapOfADayIsReportedOnceAndNeverReadsPastIt) {
  auto lines = miamiPart(1, 5 * 24);
  lines.erase(lines.begin() + static_cast<long>(miamiIndex(1, 3, 1)),
              lines.begin() + static_cast<long>(miamiIndex(1, 4, 1)));
  weather(lines, 1);
  readRecordedHeader(*s_, stnid_);
  for (int d = 1; d <= 4; ++d) {
    for (int h = 1; h <= 24; ++h) {
      ASSERT_EQ(hour(1, d, h), 0);
      if (d == 3) expectHourIs(miamiIndex(1, 2, 24));
      if (d == 4) expectHourIs(miamiIndex(1, 4, h));
    }
  }
  const auto l = listing();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], "## Problem in Weather Data: Expected Date= 62  1  3  1 Actual Date= 62  1  4  1");
}

TEST_F(RecordedRun, TheTwentiethDateProblemStopsWith3030) {
  auto lines = miamiPart(1, 3 * 24);
  // Take out every other hour of 2 January from 1:00: twelve gaps, then eight on 3 January.
  std::vector<std::string> cut{lines[0]};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const bool jan2 = i >= miamiIndex(1, 2, 1) && i <= miamiIndex(1, 2, 24);
    const bool jan3 = i >= miamiIndex(1, 3, 1) && i <= miamiIndex(1, 3, 16);
    if ((jan2 || jan3) && (i - miamiIndex(1, 2, 1)) % 2 == 0) continue;
    cut.push_back(lines[i]);
  }
  weather(cut, 1);
  readRecordedHeader(*s_, stnid_);
  int status = 0, stoppedAt = 0;
  for (int d = 1; d <= 3 && status == 0; ++d) {
    for (int h = 1; h <= 24 && status == 0; ++h) {
      status = hour(1, d, h);
      stoppedAt = d * 100 + h;
    }
  }
  EXPECT_EQ(status, 3);
  EXPECT_EQ(stoppedAt, 315) << "the 20th gap is 3 January 15:00";
  const auto l = listing();
  ASSERT_EQ(l.size(), 20u);
  EXPECT_EQ(l[19], "## Problem in Weather Data: Expected Date= 62  1  3 15 Actual Date= 62  1  3 16");
  EXPECT_EQ(stopReason_.rfind("3030: ", 0), 0u);
}

TEST_F(RecordedRun, AFileShortByADayStopsWithStatus4) {
  weather(miamiPart(1, 30 * 24), 1);
  readRecordedHeader(*s_, stnid_);
  for (int d = 1; d <= 30; ++d)
    for (int h = 1; h <= 24; ++h) ASSERT_EQ(hour(1, d, h), 0);
  EXPECT_EQ(hour(1, 31, 1), 4);
  const auto l = listing();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_EQ(l[0], "## Weather file ended before the analysis period: Expected Date= 62  1 31  1");
  EXPECT_NE(stopReason_.find("ended before the end of the analysis period"), std::string::npos);
}

TEST_F(RecordedRun, AnUnreadableRecordStopsWith2500AndNamesItsLine) {
  auto lines = miamiPart(1, 2 * 24);
  std::string& bad = lines[miamiIndex(1, 2, 3)];
  bad[69] = 'X';  // inside the dry bulb field
  weather(lines, 1);
  readRecordedHeader(*s_, stnid_);
  int status = 0;
  for (int i = 0; i < 48 && status == 0; ++i) status = hour(1, 1 + i / 24, 1 + i % 24);
  EXPECT_EQ(status, 2);
  const auto l = listing();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], " Weather file has bad record at   62   1   2   3 Error #    1");
  EXPECT_EQ(l[1], " Previous good data were from   62   1   2   2 on line   28");
  EXPECT_EQ(stopReason_.rfind("2500: ", 0), 0u);
  EXPECT_NE(stopReason_.find("line 28"), std::string::npos);
}

TEST_F(RecordedRun, BlankLinesBetweenRecordsAreSkipped) {
  auto lines = miamiPart(1, 24);
  lines.insert(lines.begin() + 5, "");
  lines.insert(lines.begin() + 9, "    ");
  lines.push_back("");
  weather(lines, 1);
  readRecordedHeader(*s_, stnid_);
  for (int h = 1; h <= 24; ++h) ASSERT_EQ(hour(1, 1, h), 0);
  expectHourIs(24);
  EXPECT_EQ(rw_.work.recordCount, 24);
  EXPECT_TRUE(listing().empty());
}

TEST_F(RecordedRun, AFourDigitYearWyec2FileIsRejectedAtItsFirstRecord) {
  std::ifstream in(weatherFile("cweed_sample.WY2"), std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  for (int i = 0; i < 30 && kalvano::text::readLine(in, line); ++i) lines.push_back(line);
  weather(lines, 2);
  EXPECT_EQ(hour(1, 1, 1), 2);
  const auto l = listing();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0].substr(0, 31), " Weather file has bad record at");
  EXPECT_EQ(l[0].substr(l[0].size() - 13), " Error #    4");
  EXPECT_NE(stopReason_.find("4-digit year"), std::string::npos);
}

TEST_F(RecordedRun, Wyec2RecordsGiveTheStationIdentifier) {
  std::ifstream in(weatherFile("cweed_sample.WY2"), std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  for (int i = 0; i < 48 && kalvano::text::readLine(in, line); ++i) {
    line.erase(6, 2);  // the WYEC2 layout: a 2-digit year
    lines.push_back(line);
  }
  weather(lines, 2);
  s_->runpar.IYEAR = 1996;
  for (int h = 1; h <= 24; ++h) ASSERT_EQ(hour(1, 1, h), 0);
  EXPECT_EQ(stnid_.view(), "94792   ");
  EXPECT_NEAR(s_->hrwthr.DB, -17.7 * 1.8 + 32.0, 1e-4);  // 1 January 1996, 24:00: -17.7 C
  EXPECT_TRUE(listing().empty());
}

// IWEC fixtures: header lines, hours 1..24 or 0..23, blanks first and commas later.
std::vector<std::string> iwecDays(int month, int firstDay, int days, bool hoursFromZero,
                                  bool hundreds) {
  std::vector<std::string> v{"IWEC TEST STATION 123456 LAT 45.0", "YEAR MO DY HR DB DP GH WS"};
  for (int d = firstDay; d < firstDay + days; ++d) {
    for (int k = 0; k < 24; ++k) {
      const int h = hoursFromZero ? k : k + 1;
      const bool first = v.size() == 2;
      const std::string sep = first ? " " : ",";
      v.push_back("1995" + sep + std::to_string(month) + sep + std::to_string(d) + sep +
                  std::to_string(hundreds ? h * 100 : h) + sep + std::to_string(40 + k) + ".5" + sep +
                  "30" + sep + std::to_string(k >= 8 && k <= 16 ? 300 : 0) + sep + "5");
    }
  }
  return v;
}

TEST_F(RecordedRun, IwecRecordsAfterHeaderLinesWithCommasAndHundreds) {
  weather(iwecDays(3, 1, 2, false, true), 3);
  s_->hrwthr.SINALT = 0.0f;
  for (int d = 1; d <= 2; ++d) {
    for (int h = 1; h <= 24; ++h) {
      s_->hrwthr.SINALT = (h >= 9 && h <= 17) ? 0.6f : 0.0f;
      ASSERT_EQ(hour(3, d, h), 0) << d << " " << h;
      EXPECT_FLOAT_EQ(s_->hrwthr.DB, 39.5f + static_cast<float>(h));
      EXPECT_FLOAT_EQ(s_->hrwthr.PB, 29.92f);
      if (h == 12) {
        EXPECT_FLOAT_EQ(s_->hrwthr.DH, 300.0f * 0.317f);
      }
      if (h == 20) {
        EXPECT_EQ(s_->hrwthr.DH, 0.0f);
      }
    }
  }
  EXPECT_TRUE(listing().empty());
}

TEST_F(RecordedRun, IwecHourZeroIsTheEndOfThePreviousDay) {
  // Hours 0..23: the file's first record (1 March 0:00) is skipped; 2 March 0:00 is 1 March 24:00.
  weather(iwecDays(3, 1, 3, true, false), 3);
  for (int d = 1; d <= 2; ++d) {
    for (int h = 1; h <= 24; ++h) {
      ASSERT_EQ(hour(3, d, h), 0) << d << " " << h;
      EXPECT_FLOAT_EQ(s_->hrwthr.DB, h == 24 ? 40.5f : 40.5f + static_cast<float>(h));
    }
  }
  EXPECT_TRUE(listing().empty());
}

TEST_F(RecordedRun, IwecRecordSplitOverTwoLines) {
  weather({"HEADER", "1995 3 1 1 50.5 30 0 5", "1995,3,1,2", "51.5,30,0,6"}, 3);
  ASSERT_EQ(hour(3, 1, 1), 0);
  ASSERT_EQ(hour(3, 1, 2), 0);
  EXPECT_FLOAT_EQ(s_->hrwthr.DB, 51.5f);
  EXPECT_FLOAT_EQ(s_->hrwthr.WV, 6.0f);
}

TEST_F(RecordedRun, IwecFileWithoutABlankSeparatedRecordStopsWithAMessage) {
  weather({"HEADER", "1995,3,1,1,50.5,30,0,5", "1995,3,1,2,51.5,30,0,6"}, 3);
  EXPECT_EQ(hour(3, 1, 1), 4);
  const auto l = listing();
  ASSERT_EQ(l.size(), 1u);
  EXPECT_NE(l[0].find("no line has eight numbers"), std::string::npos);
  EXPECT_NE(stopReason_.find("no weather record"), std::string::npos);
}

TEST_F(RecordedRun, IwecValueThatIsNoNumberStopsWith2500) {
  weather({"HEADER", "1995 3 1 1 50.5 30 0 5", "1995 3 1 2 51.5 n/a 0 6"}, 3);
  ASSERT_EQ(hour(3, 1, 1), 0);
  EXPECT_EQ(hour(3, 1, 2), 2);
  const auto l = listing();
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], " Weather file has bad record at 1995   3   1   2 Error #    1");
  EXPECT_EQ(l[1], " Previous good data were from 1995   3   1   1 on line    3");
}

TEST_F(RecordedRun, LeapDayIsSimulatedOnlyWhenTheFileHoldsIt) {
  auto withLeap = iwecDays(2, 28, 2, false, false);  // 28 and 29 February
  auto without = iwecDays(2, 27, 2, false, false);   // 27 and 28 February
  struct Case {
    const char* what;
    std::vector<std::string>* lines;
    int year, code, days;
  } cases[] = {
      {"leap year, file with 29 February", &withLeap, 1996, 3, 29},
      {"leap year, file without it", &without, 1996, 3, 28},
      {"common year, file with it", &withLeap, 1995, 3, 28},
  };
  for (const Case& c : cases) {
    weather(*c.lines, c.code);
    EXPECT_EQ(februaryDays(c.code, c.year, recordedFileHasLeapDay(*s_)), c.days) << c.what;
    s_->files.weather.close();
  }
  EXPECT_EQ(februaryDays(0, 1996, false), 29);
  EXPECT_EQ(februaryDays(0, 1900, false), 29) << "no century rule";
  EXPECT_EQ(februaryDays(0, 1995, true), 28);

  weather(miamiPart(1, 24), 1);
  EXPECT_FALSE(recordedFileHasLeapDay(*s_));
  // The look does not move the calendar's place in the file.
  readRecordedHeader(*s_, stnid_);
  ASSERT_EQ(hour(1, 1, 1), 0);
  expectHourIs(1);
}

TEST_F(RecordedRun, ATypicalYearWithoutLeapDayRunsThroughMarchInALeapYear) {
  // The Miami year has no 29 February: with the weather year 1964, February keeps 28 days and
  // 1 March follows 28 February without a date problem.
  weather(miamiPart(miamiIndex(2, 28, 1), 48), 1);
  s_->runpar.IYEAR = 1964;
  ASSERT_EQ(februaryDays(1, 1964, recordedFileHasLeapDay(*s_)), 28);
  readRecordedHeader(*s_, stnid_);
  for (int h = 1; h <= 24; ++h) ASSERT_EQ(hour(2, 28, h), 0);
  for (int h = 1; h <= 24; ++h) ASSERT_EQ(hour(3, 1, h), 0);
  expectHourIs(miamiIndex(3, 1, 24));
  EXPECT_TRUE(listing().empty());
}

TEST_F(RecordedRun, AnEmptyFileOrABadHeaderStops) {
  weather({}, 1);
  try {
    readRecordedHeader(*s_, stnid_);
    FAIL() << "an empty file must stop the run";
  } catch (const EngineStop& e) {
    EXPECT_EQ(e.status(), 4);
  }
  s_->files.weather.close();
  weather({" 12839 MIAMI                  FL  -5 N 2x 48 W  80 16     2"}, 1);
  try {
    readRecordedHeader(*s_, stnid_);
    FAIL() << "a bad header must stop the run";
  } catch (const EngineStop& e) {
    EXPECT_EQ(e.status(), 2);
  }
}

TEST_F(RecordedRun, AMissingFileStopsWithStatus4) {
  s_->runpar.IWFMT = 1;  // tavik$.tmy was not there to open
  EXPECT_EQ(hour(1, 1, 1), 4);
  EXPECT_NE(stopReason_.find("missing"), std::string::npos);
}

// A full year of the Miami file through the date check: every hour lands, and the monthly means
// match a reading of the file that shares no code with the reader.
TEST_F(RecordedRun, TheMiamiYearMatchesAnIndependentReadingMonthByMonth) {
  weather(miami(), 1);
  s_->runpar.IYEAR = 1962;
  ASSERT_EQ(februaryDays(1, 1962, recordedFileHasLeapDay(*s_)), 28);
  readRecordedHeader(*s_, stnid_);
  const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  struct Sums {
    double db = 0, dp = 0, pb = 0, wv = 0, dh = 0, dn = 0, dfh = 0;
    int n = 0;
  };
  Sums engine[12], file[12];
  for (int m = 1; m <= 12; ++m) {
    for (int d = 1; d <= days[m - 1]; ++d) {
      for (int h = 1; h <= 24; ++h) {
        ASSERT_EQ(hour(m, d, h), 0);
        Sums& e = engine[m - 1];
        const HRWTHR& w = s_->hrwthr;
        e.db += w.DB, e.dp += w.DP, e.pb += w.PB, e.wv += w.WV, e.dh += w.DH, e.dn += w.DN,
            e.dfh += w.DFH, ++e.n;
      }
    }
  }
  for (std::size_t i = 1; i < miami().size(); ++i) {
    const std::string& l = miami()[i];
    auto col = [&](int from, int to) { return std::stod(l.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1))); };
    Sums& f = file[static_cast<int>(col(4, 5)) - 1];
    f.db += col(68, 71) / 10.0 * 9.0 / 5.0 + 32.0;
    f.dp += col(74, 77) / 10.0 * 9.0 / 5.0 + 32.0;
    f.pb += col(85, 88) * 0.0295300;            // mbar to inHg
    f.wv += col(96, 98) / 10.0 * 2.236936;      // m/s to mph
    f.dh += col(18, 21) * 0.3169983;            // Wh/m2 to Btu/ft2
    f.dn += col(24, 27) * 0.3169983;
    f.dfh += col(30, 33) * 0.3169983;
    ++f.n;
  }
  for (int m = 0; m < 12; ++m) {
    SCOPED_TRACE("month " + std::to_string(m + 1));
    const Sums& e = engine[m];
    const Sums& f = file[m];
    ASSERT_EQ(e.n, f.n);
    const double n = e.n;
    EXPECT_NEAR(e.db / n, f.db / n, 1e-4);
    EXPECT_NEAR(e.dp / n, f.dp / n, 1e-4);
    EXPECT_NEAR(e.pb / n, f.pb / n, 1e-3);
    EXPECT_NEAR(e.wv / n, f.wv / n, 2e-4 * f.wv / n);  // the reader divides by 4.47
    EXPECT_NEAR(e.dh / n, f.dh / n, 1e-3 * f.dh / n);
    EXPECT_NEAR(e.dn / n, f.dn / n, 1e-3 * f.dn / n);
    EXPECT_NEAR(e.dfh / n, f.dfh / n, 1e-3 * f.dfh / n);
  }
  EXPECT_TRUE(listing().empty());
  // The file is used up exactly at the end of the year.
  EXPECT_EQ(hour(12, 31, 25), 4);
}

TEST_F(RecordedRun, HourlyExtremesStartAtTheMonthsFirstHour) {
  DayExtremes day;
  s_->runpar.TMAXH.fill(-999.0f);
  s_->runpar.TMINH.fill(999.0f);
  // First simulated day of the month is its hottest and coldest at every hour.
  for (int h = 1; h <= 24; ++h) {
    s_->hrwthr.DB = 70.0f + static_cast<float>(h);
    s_->hrwthr.DP = 50.0f - static_cast<float>(h);
    recordedExtremes(*s_, day, h, h == 1);
  }
  EXPECT_FLOAT_EQ(day.dbMax, 94.0f);
  EXPECT_FLOAT_EQ(day.dbMin, 71.0f);
  EXPECT_FLOAT_EQ(day.dpMax, 49.0f);
  EXPECT_FLOAT_EQ(day.dpMin, 26.0f);
  // A milder second day.
  for (int h = 1; h <= 24; ++h) {
    s_->hrwthr.DB = 72.0f;
    s_->hrwthr.DP = 40.0f;
    recordedExtremes(*s_, day, h, false);
  }
  EXPECT_FLOAT_EQ(day.dbMax, 72.0f);
  EXPECT_FLOAT_EQ(day.dbMin, 72.0f);
  for (int h = 1; h <= 24; ++h) {
    EXPECT_FLOAT_EQ(s_->runpar.TMAXH(h), std::max(70.0f + static_cast<float>(h), 72.0f)) << h;
    EXPECT_FLOAT_EQ(s_->runpar.TMINH(h), std::min(70.0f + static_cast<float>(h), 72.0f)) << h;
  }
  // The next month starts afresh.
  s_->hrwthr.DB = 60.0f;
  recordedExtremes(*s_, day, 1, true);
  EXPECT_FLOAT_EQ(s_->runpar.TMAXH(1), 60.0f);
  EXPECT_FLOAT_EQ(s_->runpar.TMAXH(2), -39.0f);
  EXPECT_FLOAT_EQ(s_->runpar.TMINH(2), 159.0f);
}

}  // namespace
}  // namespace kv
