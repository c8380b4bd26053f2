// Recorded weather through the engine's main program: each way a recorded file can end a run
// gives its exit status, its message in the weather listing and its STOP line in the monitor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../core/testutil.h"
#include "engine/calendar/wether.h"
#include "engine/input/kvan64main.h"
#include "recorded_fixtures.h"
#include "runfiles.h"

namespace {

namespace files = kalvano::files;
using kv::testing::miami;

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

// A project of Miami: the project reader is not part of this test.
void miamiProject(kv::EngineState& s) {
  s.prjtxt.PNAME.set("Recorded weather test");
  s.prjtxt.PLOC.set("MIAMI, FL");
  s.mainpg.STNID.set("12839");
  s.runpar.IYEAR = 1962;
  kv::WXMON& w = s.wxmon;
  w.XLAT = 25.8f;
  w.XLONG = 80.3f;
  w.XMER = 75.0f;
  w.ELEV = 7.0f;
  for (int m = 1; m <= 12; ++m) {
    w.TDBM(m) = 75.0f;
    w.TDBS(m) = 3.0f;
    w.TMXM(m) = 82.0f;
    w.TMXS(m) = 3.0f;
    w.TDPM(m) = 65.0f;
    w.TDPS(m) = 4.0f;
    w.SOLM(m) = 1500.0f;
    w.WNDM(m) = 9.0f;
  }
  w.TDSMX = 91.0f;
  w.TDSWB = 77.0f;
  w.TDSMN = 45.0f;
}

// The load model's day end returns the weekday; the rest of it is not part of this test.
int weekday = 0;
void nextWeekday(kv::EngineState&, int32_t, int32_t& DOW) {
  weekday = weekday % 7 + 1;
  DOW = weekday;
}

struct RunResult {
  int status;
  std::string listing, monitor;
};

RunResult runWith(const std::string& name, int code, const std::string& weather) {
  const kvtest::fs::path root = kvtest::freshDir("recorded_" + name);
  const kvtest::fs::path temp = root / "temp";
  kvtest::fs::create_directories(temp);
  kvtest::fs::create_directories(root / "btype");
  kvtest::spit(root / "btype" / "tcool.dat", "h\r\nh\r\nh\r\n1 Variable Air Volume 3 747 10 2.9 55 12.8 1800 40 E\r\n 1500 35 G\r\n");
  kvtest::spit(root / "btype" / "theat.dat", "h\r\nh\r\nGas 0.8 1 105\r\n");
  kvtest::spit(temp / std::string(files::kSeparator), "\t");
  kvtest::spit(temp / std::string(files::kRunOptions),
               "Run type  : 3\r\nWthr type : " + std::to_string(code) +
                   "\r\n1st day   : 2\r\nRun begin : 1\r\nRun end   : 365\r\nHourly out: 0\r\n"
                   "Skip month: \r\nComfort   : 68        78\r\n");
  kvtest::spit(temp / std::string(files::kRunInput), "KAL-VANO   .83774665 4  IP\r\n");
  kvtest::spit(temp / std::string(files::kRecordedWeather), weather);
  auto s = kvtest::makeState(temp);
  s->hooks.readProject = &miamiProject;
  s->hooks.WETHER = &kv::WETHER;
  s->hooks.DAYEND = &nextWeekday;
  RunResult r{kv::KVAN64(*s), kvtest::slurp(temp / std::string(files::kWeatherListing)),
              kvtest::slurp(temp / std::string(files::kMonitorLog))};
  kvtest::fs::remove_all(root);
  return r;
}

std::vector<std::string> miamiDays(int days) {
  return {miami().begin(), miami().begin() + 1 + days * 24};
}

TEST(RecordedRunStatus, EachWayAWeatherFileEndsARunHasItsStatusAndMessages) {
  std::vector<std::string> badRecord = miamiDays(40);
  badRecord[100][70] = '?';
  std::vector<std::string> gaps = miamiDays(60);
  for (int i = 0; i < 20; ++i) gaps.erase(gaps.begin() + 50 + i * 40);  // 20 single-hour gaps
  std::vector<std::string> hotRecord = miamiDays(40);
  hotRecord[100].replace(67, 4, " 700");  // 70.0 C, 158 F: beyond any dry bulb
  const std::string iwec = "STATION\r\n1995 1 1 1 60 50 0 5\r\n";
  const std::vector<std::string> cweeds =
      kv::testing::fileLines(kv::testing::weatherFile("cweed_sample.WY2"));

  struct Case {
    const char* what;
    int code;
    std::string weather;
    int status;
    const char* listing;  // in the weather listing
    const char* monitor;  // in the monitor log
  } cases[] = {
      {"the whole Miami year", 1, joined(miami()), 0, "VALIDATION CHECK OF WEATHER STATISTICS FOR DECEMBER",
       "$$ Program ended successfully $$"},
      {"a file short by a day", 1, joined(miamiDays(364)), 4,
       "## Weather file ended before the analysis period: Expected Date= 62 12 31  1",
       " STOP weather file tavik$.tmy ended before the end of the analysis period"},
      {"an unreadable record", 1, joined(badRecord), 2,
       " Weather file has bad record at   62   1   5   4 Error #    1\r\n"
       " Previous good data were from   62   1   5   3 on line  101\r\n",
       " STOP 2500: weather file tavik$.tmy has a bad record on line 101"},
      {"twenty gaps", 1, joined(gaps), 3, "## Problem in Weather Data", " STOP 3030: 20 problems"},
      {"a WYEC2 file with a 4-digit year", 2,
       joined(std::vector<std::string>(cweeds.begin(), cweeds.begin() + 48)), 2, "Error #    4",
       "4-digit year"},
      {"a TMY2 dry bulb of 158 F", 1, joined(hotRecord), 2, "Error #    5",
       " STOP 2500: weather file tavik$.tmy has a bad record on line 101 (error 5: a value is outside the "
       "range of its field)"},
      {"an IWEC nan", 3, iwec + "1995 1 1 2 nan 50 0 5\r\n", 2, "Error #    1",
       " STOP 2500: weather file tavik$.tmy has a bad record on line 3 (error 1"},
      {"an IWEC inf", 3, iwec + "1995 1 1 2 60 50 0 -inf\r\n", 2, "Error #    1",
       " STOP 2500: weather file tavik$.tmy has a bad record on line 3 (error 1"},
      {"an IWEC wind of 1e11", 3, iwec + "1995 1 1 2 60 50 0 1e11\r\n", 2, "Error #    5",
       " STOP 2500: weather file tavik$.tmy has a bad record on line 3 (error 5"},
      {"an IWEC month of 1e10", 3, iwec + "1995 1e10 1 2 60 50 0 5\r\n", 2,
       " Weather file has bad record at 1995   0   1   2 Error #    3",
       " STOP 2500: weather file tavik$.tmy has a bad record on line 3 (error 3"},
      {"an IWEC file of comma-separated values", 3, "STATION\r\n1995,1,1,1,60,50,0,5\r\n", 4,
       "no line has eight numbers", " STOP weather file tavik$.tmy (IWEC) holds no line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RunResult r = runWith(std::to_string(c.status) + "_" + std::to_string(c.code), c.code, c.weather);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.listing.find(c.listing), std::string::npos) << r.listing.substr(r.listing.size() > 600 ? r.listing.size() - 600 : 0);
    EXPECT_NE(r.monitor.find(c.monitor), std::string::npos) << r.monitor;
    if (c.status == 3) {
      std::size_t n = 0;
      for (std::size_t p = r.listing.find("## Problem"); p != std::string::npos; p = r.listing.find("## Problem", p + 1)) ++n;
      EXPECT_EQ(n, 20u);
    }
    if (c.status != 0) {
      EXPECT_EQ(r.monitor.find("$$ Program ended successfully $$"), std::string::npos);
    }
  }
}

}  // namespace
