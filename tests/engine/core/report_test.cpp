#include "engine/core/report.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/core/files.h"
#include "testutil.h"

namespace {

using namespace kvtest;

const fs::path kGolden = fs::path(KALVANO_TEST_DIR) / "golden";

// A state with a project and the run date 10 DEC 2026, 9:05.
std::unique_ptr<kv::EngineState> projectState(const fs::path& dir) {
  auto s = makeState(dir);
  s->prjtxt.PNAME.set("Office Building With A Rather Long Project Name Beyond Thirty-Eight");
  s->prjtxt.PDESC.set("Three storeys, open plan");
  s->prjtxt.PLOC.set("DENVER, CO");
  s->prjtxt.PPHASE.set("Schematic design phase, first round");
  s->prjtxt.PSCHM.set("12345678");
  s->prjtxt.PTYPE.set("Office Large");
  s->runpar.IYEAR = 1997;
  s->runpar.IRYR = 2026;
  s->runpar.IRMO = 12;
  s->runpar.IRDA = 10;
  s->mainpg.IHOUR = 9;
  s->mainpg.IMIN = 5;
  return s;
}

// KV_UPDATE_GOLDEN=1 rewrites the golden files from the current output (review the diff).
void expectGolden(const fs::path& got, const char* name) {
  if (std::getenv("KV_UPDATE_GOLDEN")) spit(kGolden / name, slurp(got));
  const std::string want = slurp(kGolden / name);
  ASSERT_FALSE(want.empty()) << name;
  EXPECT_EQ(slurp(got), want) << name;
}

TEST(ReportTexts, banner_block_and_section_head_match_their_golden_lines) {
  auto dir = freshDir("report");
  auto s = projectState(dir);
  ASSERT_TRUE(s->files.report.open((dir / "sim.out").string()));
  kv::WriteBanner(*s);
  s->runpar.NPAGE = 7;
  s->chtab.UNITS.set("IP");
  kv::WriteSection3Head(*s);
  s->chtab.UNITS.set("si");  // lower case selects the inch-pound texts
  kv::WriteSection3Head(*s);
  s->chtab.UNITS.set("SI");
  kv::WriteSection3Head(*s);
  kv::WriteEndOfInput(*s, s->files.report, s->prjtxt.PSCHM.view(), 3);
  kv::WriteEndOfPreprocessing(s->files.report);
  s->files.report.close();
  expectGolden(dir / "sim.out", "report.txt");
  fs::remove_all(dir);
}

TEST(ReportTexts, project_block_columns) {
  auto dir = freshDir("block");
  auto s = projectState(dir);
  ASSERT_TRUE(s->files.report.open((dir / "b.out").string()));
  kv::PageHeaderBlock(*s, s->files.report);
  s->files.report.close();
  const std::string all = slurp(dir / "b.out");
  const auto l3 = all.substr(all.rfind("    SCHEME"));
  // 1-based columns of the third line.
  auto col = [&](int from, int to) { return l3.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1)); };
  EXPECT_EQ(col(5, 12), "SCHEME: ");
  EXPECT_EQ(col(13, 20), "12345678");
  EXPECT_EQ(col(35, 40), "TYPE: ");
  EXPECT_EQ(col(63, 75), "Weather Year:");
  EXPECT_EQ(col(76, 80), " 1997");
  EXPECT_EQ(col(88, 99), "Date of Run:");
  EXPECT_EQ(col(100, 119), " 10 DEC  2026,  9: 5");
  EXPECT_EQ(col(120, 121), "\r\n");
  // The project name is cut at 65 characters in the block.
  EXPECT_NE(all.find("*** PROJECT: Office Building With A Rather Long Project Name Beyond T"), std::string::npos);
  EXPECT_EQ(all.find("Eight"), std::string::npos);
  fs::remove_all(dir);
}

TEST(ReportTexts, monitor_progress_lines_and_hourly_headers_match_golden) {
  auto dir = freshDir("monitor");
  auto s = projectState(dir);
  ASSERT_TRUE(s->files.monitor.open((dir / "monitor.txt").string()));
  ASSERT_TRUE(s->files.hrWeather.open((dir / "w.hry").string()));
  ASSERT_TRUE(s->files.hrTemps.open((dir / "t.hry").string()));
  kv::FORM(*s, 1, 1, 0);
  kv::FORM(*s, 2, 4, 0);
  kv::FORM(*s, 2, 8, 12);
  kv::WriteEndOfInput(*s, s->files.monitor, s->prjtxt.PNAME.view(), 0);
  s->bldg.IZONE(1) = 112;
  s->prjtxt.ZNAME(1).set("Lobby");
  kv::WritePreprocessingZone(*s, 1);
  kv::WriteBeginSimulation(*s);
  s->chtab.UNITS.set("IP");
  kv::WriteHourlyHeaders(*s);
  s->chtab.UNITS.set("SI");
  kv::WriteHourlyHeaders(*s);
  s->files.monitor.close();
  s->files.hrWeather.close();
  s->files.hrTemps.close();
  expectGolden(dir / "monitor.txt", "monitor.txt");
  expectGolden(dir / "w.hry", "eweth.hry");
  expectGolden(dir / "t.hry", "etemp.hry");
  EXPECT_THROW(kv::FORM(*s, 1, 9, 0), kv::IndexError);
  fs::remove_all(dir);
}

TEST(ReportTexts, upcase_changes_lower_case_letters_only) {
  EXPECT_EQ(kv::UPCASE('y'), 'Y');
  EXPECT_EQ(kv::UPCASE('Y'), 'Y');
  EXPECT_EQ(kv::UPCASE('1'), '1');
  EXPECT_EQ(kv::UPCASE('\xE9'), '\xE9');
}

}  // namespace

namespace {

TEST(ReportTexts, FORM_start_lines_name_all_eight_sections) {
  auto dir = kvtest::freshDir("form");
  auto s = kvtest::makeState(dir);
  ASSERT_TRUE(s->files.monitor.open((dir / "m.txt").string()));
  for (int k = 1; k <= 8; ++k) kv::FORM(*s, 1, k, 0);
  s->files.monitor.close();
  const char* want =
      "    **** Processing Input For Weather Data             \r\n"
      "    **** Processing Input For Economics Parameters     \r\n"
      "    **** Processing Input For KW Demand Rate Schedule  \r\n"
      "    **** Processing Input For Wall and Roof Assemblies \r\n"
      "    **** Processing Input For Window Assemblies        \r\n"
      "    **** Processing Input For Use Profiles Data        \r\n"
      "    **** Processing Input For Zone Descriptions        \r\n"
      "    **** Processing Input For Daylighting Data Base    \r\n";
  EXPECT_EQ(kvtest::slurp(dir / "m.txt"), want);
  kvtest::fs::remove_all(dir);
}

}  // namespace
