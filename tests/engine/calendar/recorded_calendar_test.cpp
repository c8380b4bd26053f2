// The calendar with recorded weather: a full year of the Miami TMY2 file through WETHER, the
// hourly weather file and the monthly validation rows against a reading of the file that
// shares no code with the engine's reader; and the calendar's own recorded-weather rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "calendar_fixture.h"
#include "recorded_fixtures.h"

namespace {

using kv::testing::miami;

// One hour of the Miami file in engine units (double precision, public factors).
struct FileHour {
  int month, day, hour;
  double db, dp, pb, wv, gh, dn, dif;
};

std::vector<FileHour> miamiHours() {
  std::vector<FileHour> v;
  for (std::size_t i = 1; i < miami().size(); ++i) {
    const std::string& l = miami()[i];
    auto col = [&](int from, int to) {
      return std::stod(l.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1)));
    };
    v.push_back({static_cast<int>(col(4, 5)), static_cast<int>(col(6, 7)), static_cast<int>(col(8, 9)),
                 col(68, 71) / 10.0 * 1.8 + 32.0, col(74, 77) / 10.0 * 1.8 + 32.0, col(85, 88) * 0.0295300,
                 col(96, 98) / 10.0 * 2.236936, col(18, 21) * 0.3169983, col(24, 27) * 0.3169983,
                 col(30, 33) * 0.3169983});
  }
  return v;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> fieldsOf(const std::string& row) {
  std::vector<std::string> f;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = row.find('\t', start);
    f.push_back(row.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return f;
    start = tab + 1;
  }
}

double colValue(const std::string& line, int from, int to) {
  return std::stod(line.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1)));
}

kvtest::Options miamiYear() {
  kvtest::Options o;
  o.year = 1962;
  o.hourly = 1;
  return o;
}

void useWeather(kvtest::CalendarRun& run, int code, const std::string& path) {
  run.s->runpar.IWFMT = code;
  ASSERT_TRUE(run.s->files.weather.open(path));
}

TEST(RecordedCalendar, MiamiYearReproducesEveryHourInTheHourlyWeatherFile) {
  kvtest::CalendarRun run(kvtest::kHot, miamiYear());
  useWeather(run, 1, kv::testing::weatherFile("12839.tm2"));
  run.run();
  EXPECT_EQ(run.station.view(), "12839   ");
  EXPECT_EQ(run.s->prjtxt.PLOC.trimmed(), "MIAMI                  FL");

  const auto hours = miamiHours();
  std::vector<std::vector<std::string>> rows;
  for (const std::string& l : splitLines(run.file("eweth$.hry"))) {
    const auto f = fieldsOf(l);
    if (f.size() == 14 && f[0].size() == 7 && f[0][3] == '-') rows.push_back(f);
  }
  ASSERT_EQ(rows.size(), hours.size());
  const char* months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& r = rows[i];
    const FileHour& h = hours[i];
    SCOPED_TRACE("hour row " + std::to_string(i + 1) + ": " + r[0] + " " + r[1]);
    ASSERT_EQ(std::stoi(r[0].substr(0, 3)), h.day);
    ASSERT_EQ(r[0].substr(4), months[h.month - 1]);
    ASSERT_EQ(std::stoi(r[1]), h.hour);
    EXPECT_NEAR(std::stod(r[2]), h.db, 0.0501);
    EXPECT_NEAR(std::stod(r[4]), h.dp, 0.0501);
    // A direct normal value in an hour without global radiation (a few at sunset) is no beam.
    EXPECT_NEAR(std::stod(r[7]), h.gh > 0.0 ? h.dn : 0.0, 0.5 + 1e-3 * h.dn);
    EXPECT_NEAR(std::stod(r[9]), h.dif, 0.5 + 1e-3 * h.dif);
    EXPECT_NEAR(std::stod(r[10]), h.gh, 0.5 + 1e-3 * h.gh);
    EXPECT_NEAR(std::stod(r[12]), h.wv, 0.0501 + 2e-4 * h.wv);
    EXPECT_NEAR(std::stod(r[13]), h.pb, 0.0051 + 1e-4 * h.pb);
  }
  EXPECT_EQ(run.file("tavik$.wth").find("## Problem"), std::string::npos);
}

TEST(RecordedCalendar, MiamiMonthlySummaryMatchesTheFile) {
  kvtest::CalendarRun run(kvtest::kHot, miamiYear());
  useWeather(run, 1, kv::testing::weatherFile("12839.tm2"));
  run.run();
  const auto lines = splitLines(run.file("tavik$.wth"));
  std::vector<std::string> thisYear;
  for (const std::string& l : lines) {
    if (l.rfind(" THIS YEAR =", 0) == 0) thisYear.push_back(l);
  }
  ASSERT_EQ(thisYear.size(), 12u);

  // Daily extremes and means from the file.
  const auto hours = miamiHours();
  for (int m = 1; m <= 12; ++m) {
    SCOPED_TRACE("month " + std::to_string(m));
    double sumT = 0, sumT2 = 0, sumX = 0, sumX2 = 0, sumD = 0, sumD2 = 0, sumP = 0, sumW = 0;
    int days = 0;
    for (std::size_t i = 0; i < hours.size(); i += 24) {
      if (hours[i].month != m) continue;
      double tmax = -1e9, tmin = 1e9, dmax = -1e9, dmin = 1e9, p = 0, w = 0;
      for (std::size_t k = i; k < i + 24; ++k) {
        tmax = std::max(tmax, hours[k].db);
        tmin = std::min(tmin, hours[k].db);
        dmax = std::max(dmax, hours[k].dp);
        dmin = std::min(dmin, hours[k].dp);
        p += hours[k].pb / 24.0;
        w += hours[k].wv / 24.0;
      }
      const double t = (tmax + tmin) / 2.0, d = (dmax + dmin) / 2.0;
      sumT += t, sumT2 += t * t, sumX += tmax, sumX2 += tmax * tmax, sumD += d, sumD2 += d * d;
      sumP += p, sumW += w;
      ++days;
    }
    const double n = days;
    auto sd = [&](double s, double s2) { return std::sqrt((s2 - n * (s / n) * (s / n)) / (n - 1)); };
    const std::string& row = thisYear[static_cast<std::size_t>(m - 1)];
    EXPECT_NEAR(colValue(row, 13, 18), sumT / n, 0.051);
    EXPECT_NEAR(colValue(row, 19, 26), sd(sumT, sumT2), 0.006);
    EXPECT_NEAR(colValue(row, 27, 40), sumX / n, 0.051);
    EXPECT_NEAR(colValue(row, 41, 48), sd(sumX, sumX2), 0.006);
    EXPECT_NEAR(colValue(row, 49, 62), sumD / n, 0.051);
    EXPECT_NEAR(colValue(row, 63, 70), sd(sumD, sumD2), 0.006);
    EXPECT_NEAR(colValue(row, 71, 86), sumP / n, 0.006);
    EXPECT_NEAR(colValue(row, 113, 121), sumW / n, 0.051);
  }
}

// Writes lines as a weather file in the run's folder and opens it as unit 4.
void useWeatherLines(kvtest::CalendarRun& run, int code, const std::vector<std::string>& lines) {
  const auto path = run.dir / "tavik$.tmy";
  {
    std::ofstream out(path, std::ios::binary);
    for (const auto& l : lines) out << l << "\r\n";
  }
  useWeather(run, code, path.string());
}

TEST(RecordedCalendar, HourlyExtremesOfAMonthIncludeItsFirstDay) {
  // December 1 made the hottest and coldest day of the month at every hour.
  std::vector<std::string> lines = miami();
  const std::size_t dec1 = 1 + 334 * 24;
  for (std::size_t i = dec1; i < dec1 + 24; ++i) lines[i].replace(67, 4, i % 2 == 0 ? " 400" : "-100");
  kvtest::Options o = miamiYear();
  o.hourly = 0;
  kvtest::CalendarRun run(kvtest::kHot, o);
  useWeatherLines(run, 1, lines);
  run.run();
  for (int h = 1; h <= 24; ++h) {
    double hi = -1e9, lo = 1e9;
    for (int d = 1; d <= 31; ++d) {
      const std::string& l = lines[dec1 + static_cast<std::size_t>((d - 1) * 24 + h - 1)];
      const double db = std::stod(l.substr(67, 4)) / 10.0 * 1.8 + 32.0;
      hi = std::max(hi, db);
      lo = std::min(lo, db);
    }
    EXPECT_NEAR(run.s->runpar.TMAXH(h), hi, 1e-4) << "hour " << h;
    EXPECT_NEAR(run.s->runpar.TMINH(h), lo, 1e-4) << "hour " << h;
  }
  EXPECT_FLOAT_EQ(run.s->runpar.TMAXH(2), 104.0f);
  EXPECT_FLOAT_EQ(run.s->runpar.TMINH(1), 14.0f);
}

// An IWEC file of 1 January to 31 March, with or without 29 February.
std::vector<std::string> iwecQuarter(int year, bool leapDay) {
  std::vector<std::string> v{"IWEC TEST STATION", "YEAR MONTH DAY HOUR DB DP GH WS"};
  const int days[3] = {31, leapDay ? 29 : 28, 31};
  for (int m = 1; m <= 3; ++m) {
    for (int d = 1; d <= days[m - 1]; ++d) {
      for (int h = 1; h <= 24; ++h) {
        const int gh = (h >= 9 && h <= 16) ? 400 : 0;
        v.push_back(std::to_string(year) + " " + std::to_string(m) + " " + std::to_string(d) + " " +
                    std::to_string(h * 100) + " " + std::to_string(50 + h) + " " + std::to_string(30 + d % 7) +
                    " " + std::to_string(gh) + " " + std::to_string(4 + h % 5));
      }
    }
  }
  return v;
}

TEST(RecordedCalendar, FebruaryHas29DaysOnlyWhenTheFileHoldsTheLeapDay) {
  struct Case {
    const char* what;
    int year;
    bool fileHasLeapDay;
    bool simulates29;
  } cases[] = {
      {"leap year, file with 29 February", 1996, true, true},
      {"leap year, file without it", 1996, false, false},
      {"common year, file without it", 1995, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    kvtest::Options o;
    o.year = c.year;
    o.day2 = c.simulates29 ? 91 : 90;  // 31 March
    kvtest::CalendarRun run(kvtest::kCold, o);
    useWeatherLines(run, 3, iwecQuarter(c.year, c.fileHasLeapDay));
    run.run();
    const std::string listing = run.file("tavik$.wth");
    EXPECT_EQ(listing.find("## Problem"), std::string::npos);
    EXPECT_EQ(listing.find("  2/29 ") != std::string::npos, c.simulates29);
    EXPECT_NE(listing.find("  3/31 "), std::string::npos);
    EXPECT_EQ(kvtest::calls().monend, (std::vector<int>{1, 2, 3}));
  }
}

// KV_UPDATE_GOLDEN=1 rewrites the golden files from the current output (review the diff).
void expectRecordedGolden(const std::string& got, const std::string& name) {
  const auto path = std::filesystem::path(KALVANO_TEST_DIR) / "golden" / name;
  if (std::getenv("KV_UPDATE_GOLDEN")) kvtest::spit(path, got);
  EXPECT_EQ(got, kvtest::slurp(path)) << name;
}

// Three January days of the Miami file with hourly output: the weather reports of a short
// recorded run (station header, hourly records, day extremes from the hours).
TEST(RecordedCalendar, ShortMiamiRunMatchesTheGoldenFiles) {
  kvtest::Options o = miamiYear();
  o.day2 = 3;
  kvtest::CalendarRun run(kvtest::kHot, o);
  useWeatherLines(run, 1, std::vector<std::string>(miami().begin(), miami().begin() + 1 + 4 * 24));
  run.run();
  expectRecordedGolden(run.file("tavik$.wth"), "recorded_ip_tavik_.wth");
  expectRecordedGolden(run.file("eweth$.hry"), "recorded_ip_eweth_.hry");
  expectRecordedGolden(run.file("eweth$.sum"), "recorded_ip_eweth_.sum");
}

}  // namespace
