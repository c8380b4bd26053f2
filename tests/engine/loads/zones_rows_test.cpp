// The zone lines of the hourly spreadsheet and of the trace, by detail level.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/fixfmt.h"
#include "zones_bench.h"

namespace {

namespace fs = std::filesystem;

class ZoneRows : public testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("kv_zone_rows_" + std::to_string(::getpid()));
  zt::Bench bench{2};

  void SetUp() override {
    fs::create_directories(dir);
    bench.zone[2].wallU = 0.2f;
    bench.b().IZONE(1) = 11;  // zone numbers, as the key header lists them
    bench.b().IZONE(2) = 12;
    bench.setUp(2);
    zt::Weather wx = outdoor();
    for (int h = 0; h < 48; ++h) bench.hour(wx, h % 24 + 1);  // settled heating
  }
  void TearDown() override { fs::remove_all(dir); }

  static zt::Weather outdoor() {
    zt::Weather wx;
    wx.DB = wx.TDAY = 20.0f;
    wx.DP = 10.0f;
    return wx;
  }

  // One more hour (the 8th) with the files open; the lines of both files.
  void runHour(int detail, int hourly, std::vector<std::string>& hry, std::vector<std::string>& tst) {
    bench.e().IDETL = detail;
    bench.s->runpar.IHRLY = hourly;
    bench.s->files.hrEnergy.open((dir / "tavik$.hry").string());
    bench.s->files.trace.open((dir / "tavik$.tst").string());
    bench.e().IDAY = 3;
    bench.hour(outdoor(), 8);
    bench.s->files.hrEnergy.close();
    bench.s->files.trace.close();
    hry = lines(dir / "tavik$.hry");
    tst = lines(dir / "tavik$.tst");
  }

  static std::vector<std::string> lines(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string all = ss.str();
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < all.size()) {
      const std::size_t end = all.find("\r\n", at);
      EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
      if (end == std::string::npos) break;
      out.push_back(all.substr(at, end - at));
      at = end + 2;
    }
    return out;
  }
};

TEST_F(ZoneRows, levels_one_to_four_write_one_zone_row_per_zone_in_report_units_under_its_number) {
  for (const char* units : {"IP", "SI"}) {
    SCOPED_TRACE(units);
    const bool si = std::string(units) == "SI";
    bench.s->chtab.UNITS.set(units);
    std::vector<std::string> hry, tst;
    runHour(3, 1, hry, tst);
    EXPECT_TRUE(tst.empty());
    ASSERT_EQ(hry.size(), 2u);
    kv::ENACC& e = bench.e();
    const double lf = si ? 0.2930711 : 1.0;
    auto t = [si](double x) { return si ? (x - 32.0) / 1.8 : x; };
    for (int z = 1; z <= 2; ++z) {
      const std::string& ln = hry[z - 1];
      SCOPED_TRACE(ln);
      ASSERT_EQ(ln.size(), 77u);
      EXPECT_EQ(ln[0], ' ');
      EXPECT_EQ(kv::readI(ln, 2, 4), 10 + z);  // the zone number, not its position
      EXPECT_NEAR(kv::readF(ln, 6, 11, 1), e.QZSENS(z) * lf, 0.051);
      EXPECT_NEAR(kv::readF(ln, 17, 8, 1), 0.0, 0.051);  // no latent in this heating hour
      EXPECT_NEAR(kv::readF(ln, 25, 7, 1), 0.0, 0.051);  // no outdoor air
      EXPECT_NEAR(kv::readF(ln, 32, 7, 1), t(78.0), 0.051);
      EXPECT_NEAR(kv::readF(ln, 39, 7, 1), t(70.0), 0.051);
      EXPECT_NEAR(kv::readF(ln, 46, 7, 1), t(e.TZONE(z)), 0.051);
      EXPECT_NEAR(kv::readF(ln, 53, 7, 1), t(e.DPZONE(z)), 0.051);
      EXPECT_NEAR(kv::readF(ln, 60, 9, 1), e.QZTOT(z) * lf, 0.051);
      // Settled at the heating set point: one degree more costs the mass film and the air's
      // capacitance.
      const double slope = 1.47 * e.AINT(z) + e.ZCAP(z);
      EXPECT_NEAR(kv::readF(ln, 69, 9, 1), slope * lf * (si ? 1.8 : 1.0), 0.2);
    }
  }
}

TEST_F(ZoneRows, no_zone_rows_without_hourly_output_or_at_level_zero) {
  for (auto [detail, hourly] : {std::pair{0, 1}, std::pair{0, 0}, std::pair{2, 0}, std::pair{5, 1}}) {
    SCOPED_TRACE(testing::Message() << detail << " " << hourly);
    std::vector<std::string> hry, tst;
    runHour(detail, hourly, hry, tst);
    EXPECT_TRUE(hry.empty());
    if (detail < 5) {
      EXPECT_TRUE(tst.empty());
    }
  }
}

TEST_F(ZoneRows, level_five_traces_three_lines_per_zone) {
  std::vector<std::string> hry, tst;
  runHour(5, 0, hry, tst);
  ASSERT_EQ(tst.size(), 6u);
  for (int z = 0; z < 2; ++z) {
    EXPECT_EQ(tst[3 * z].substr(0, 6), " TM  8");
    EXPECT_EQ(tst[3 * z].substr(6, 5), "  20.");
    EXPECT_NE(tst[3 * z].find("CFMV  Told-Tbal-TI  70."), std::string::npos) << tst[3 * z];
    EXPECT_NE(tst[3 * z].find("  70.DP"), std::string::npos) << "zone at the heating set point";
    EXPECT_NE(tst[3 * z + 1].find("#Tot"), std::string::npos);
    EXPECT_EQ(tst[3 * z + 2].size(), 64u);
  }
}

TEST_F(ZoneRows, level_six_traces_the_loads_and_writes_the_zone_trace_line_to_the_spreadsheet) {
  std::vector<std::string> hry, tst;
  runHour(6, 0, hry, tst);
  ASSERT_EQ(tst.size(), 4u);
  EXPECT_EQ(tst[0].substr(0, 37), " Mon/Day=   1   3   8 I/O Temps=  70.");
  EXPECT_EQ(tst[0].size(), 49u + 9u * 9u);
  kv::ENACC& e = bench.e();
  EXPECT_NEAR(kv::readF(tst[0], 50, 9), e.QZTOT(1), 0.51);
  EXPECT_EQ(tst[1].substr(0, 49), std::string(42, ' ') + " Loads=");
  EXPECT_EQ(tst[1].size(), 49u + 3u * 9u);
  ASSERT_EQ(hry.size(), 2u);
  EXPECT_EQ(hry[0].substr(0, 32), " ZN= 1 tup= 78. tbot= 70. ti= 70");
  EXPECT_EQ(hry[1].substr(0, 6), " ZN= 2");
}

}  // namespace
