// The sun of a recorded hour: a recorded file gives, for hour h, the radiation of the hour
// that ends at h:00 local standard time. Over a year of two stations the direct part on the
// horizontal that the calendar rebuilds from the file's direct normal value must match the
// file's own global minus diffuse, mornings and afternoons alike.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "calendar_fixture.h"
#include "recorded_fixtures.h"
#include "sun_reference.h"

namespace {

using kv::testing::fileLines;
using kv::testing::miami;

struct Hour {
  int jday;
  float hour, dn, dh, dfh, sinalt, alt;
  int night;
};
std::vector<Hour>& seen() {
  static std::vector<Hour> v;
  return v;
}
void recordHour(kv::EngineState& s, int32_t, float) {
  const kv::HRWTHR& w = s.hrwthr;
  seen().push_back({w.JDAY, w.HOUR, w.DN, w.DH, w.DFH, w.SINALT, w.ALT, w.NIGHT});
}

std::vector<std::string> splitCsv(const std::string& line) {
  std::vector<std::string> f;
  std::stringstream in(line);
  std::string x;
  while (std::getline(in, x, ',')) f.push_back(x);
  return f;
}

// An hourly weather year in the EnergyPlus layout (comma-separated; station on the first
// line, records after 8 header lines) written out as a TMY2 file: the station header, then
// one record per hour with the fields the engine reads, at their TMY2 columns. The other
// columns keep those of a Miami record.
std::string epwAsTmy2(const std::string& path) {
  const std::vector<std::string> lines = fileLines(path);
  const std::vector<std::string> loc = splitCsv(lines.at(0));  // LOCATION,city,state,...
  const double lat = std::stod(loc.at(6)), lon = std::stod(loc.at(7));
  const int zone = static_cast<int>(std::lround(std::stod(loc.at(8))));
  const int elev = static_cast<int>(std::lround(std::stod(loc.at(9))));
  auto degMin = [](double a, int& d, int& m) {
    const int minutes = static_cast<int>(std::lround(std::fabs(a) * 60.0));
    d = minutes / 60;
    m = minutes % 60;
  };
  int latD, latM, lonD, lonM;
  degMin(lat, latD, latM);
  degMin(lon, lonD, lonM);
  char head[80];
  std::snprintf(head, sizeof head, " %5.5s %-23.23s%2.2s %3d %c%3d%3d %c%4d%3d%6d", loc.at(5).c_str(),
                loc.at(1).c_str(), loc.at(2).c_str(), zone, lat < 0 ? 'S' : 'N', latD, latM,
                lon < 0 ? 'W' : 'E', lonD, lonM, elev);
  std::string out = std::string(head) + "\n";
  const std::string templ = miami().at(1);
  for (std::size_t i = 8; i < lines.size(); ++i) {
    const std::vector<std::string> f = splitCsv(lines[i]);
    if (f.size() < 23) continue;
    auto num = [&](int field) { return std::stod(f.at(static_cast<std::size_t>(field - 1))); };
    std::string r = templ;
    auto put = [&r](int from, int to, long v) {
      const int width = to - from + 1;
      char buf[16];
      std::snprintf(buf, sizeof buf, "%*ld", width, v);
      r.replace(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(width), buf, static_cast<std::size_t>(width));
    };
    auto zeroPad = [&r](int from, long v) {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%02ld", v);
      r.replace(static_cast<std::size_t>(from - 1), 2, buf, 2);
    };
    zeroPad(2, static_cast<long>(num(1)) % 100);
    zeroPad(4, static_cast<long>(num(2)));
    zeroPad(6, static_cast<long>(num(3)));
    zeroPad(8, static_cast<long>(num(4)));
    put(10, 13, std::lround(num(11)));        // extraterrestrial horizontal, Wh/m2
    put(14, 17, std::lround(num(12)));        // extraterrestrial normal
    put(18, 21, std::lround(num(14)));        // global horizontal
    put(24, 27, std::lround(num(15)));        // direct normal
    put(30, 33, std::lround(num(16)));        // diffuse horizontal
    put(60, 61, std::lround(num(23)));        // total sky cover, tenths
    put(68, 71, std::lround(num(7) * 10));    // dry bulb, 0.1 C
    put(74, 77, std::lround(num(8) * 10));    // dew point, 0.1 C
    put(85, 88, std::lround(num(10) / 100));  // pressure, mbar
    put(96, 98, std::lround(num(22) * 10));   // wind speed, 0.1 m/s
    out += r + "\n";
  }
  return out;
}

struct Station {
  const char* name;
  std::string tmy2;  // the file's text
  float lat, lonWest, meridianWest;
};

// The tab-separated fields of the rows of eweth$.hry.
std::vector<std::vector<std::string>> hourRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::stringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> f;
    std::stringstream ls(line);
    std::string x;
    while (std::getline(ls, x, '\t')) f.push_back(x);
    if (f.size() == 14 && f[0].size() == 7 && f[0][3] == '-') rows.push_back(f);
  }
  return rows;
}

TEST(RecordedSun, direct_horizontal_rebuilt_from_the_direct_normal_matches_the_file_all_day) {
  const Station stations[] = {
      {"Miami TMY2", kvtest::slurp(kv::testing::weatherFile("12839.tm2")), 25.8f, 80.267f, 75.0f},
      {"Denver TMY3",
       epwAsTmy2(kalvano::testref::referenceFile("climate/USA_CO_Denver.Intl.AP.725650_TMY3.epw")), 39.833f,
       104.65f, 105.0f},
  };
  for (const Station& st : stations) {
    SCOPED_TRACE(st.name);
    kvtest::Options o;
    o.year = 1995;
    o.hourly = 1;
    kvtest::CalendarRun run(kvtest::kHot, o);
    const kvtest::fs::path file = run.dir / "station.tm2";
    kvtest::spit(file, st.tmy2);
    run.s->runpar.IWFMT = 1;
    ASSERT_TRUE(run.s->files.weather.open(file.string()));
    run.s->hooks.ENERGY = recordHour;
    seen().clear();
    run.run();
    ASSERT_EQ(seen().size(), 8760u);
    EXPECT_NEAR(run.s->wxmon.XLAT, st.lat, 0.01);

    // Hours with a global irradiance above 100 W/m2; morning and afternoon by the reference
    // sun at the middle of the hour.
    const float threshold = 100.0f / 3.152585f;
    double global = 0, absGap = 0, gapAm = 0, gapPm = 0;
    int n = 0, nAm = 0, nPm = 0;
    for (const Hour& h : seen()) {
      if (!(h.dh > threshold)) continue;
      const double gap = static_cast<double>(h.dn) * h.sinalt - (h.dh - h.dfh);
      const kvtest::RefSun ref =
          kvtest::noaaSun(1995, h.jday, h.hour - 0.5, st.lat, -st.lonWest, -st.meridianWest / 15.0);
      ++n;
      global += h.dh;
      absGap += std::fabs(gap);
      (ref.azimuth < 180.0 ? gapAm : gapPm) += gap;
      ++(ref.azimuth < 180.0 ? nAm : nPm);
    }
    ASSERT_GT(n, 3000);
    const double meanGlobal = global / n;
    EXPECT_LT(absGap / n, 0.03 * meanGlobal) << "mean absolute gap " << absGap / n;
    const double am = gapAm / nAm, pm = gapPm / nPm;
    std::printf("%s: %d hours, mean global %.1f, mean absolute gap %.2f, morning %.2f, afternoon %.2f Btu/h ft2\n",
                st.name, n, meanGlobal, absGap / n, am, pm);
    EXPECT_LT(std::fabs(am - pm), 0.01 * meanGlobal) << "morning " << am << " afternoon " << pm;

    // Every hour the file gives radiation to is a day hour, with the sun's altitude printed.
    int printedDirect = 0;
    for (const auto& r : hourRows(run.file("eweth$.hry"))) {
      const bool direct = std::stod(r[7]) != 0.0 || std::stod(r[8]) != 0.0;
      if (!direct) continue;
      ++printedDirect;
      EXPECT_GT(std::stod(r[5]), 0.0) << r[0] << " hour " << r[1] << " " << r[5] << " " << r[7] << " " << r[8] << " " << r[9] << " " << r[10];
    }
    EXPECT_GT(printedDirect, 3000);
  }
}

}  // namespace
