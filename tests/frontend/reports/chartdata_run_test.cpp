// The chart readers on real reports: kvan64 runs the inch-pound and the SI sample and the
// report is assembled as Review Results assembles it, with the echoed weather page's head.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "chart_report_builder.h"
#include "echo_fixture.h"
#include "frontend/reports/chartdata.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

// The numbers of a line, read independently of the readers' columns: the words between
// blanks that are numbers.
std::vector<double> NumbersOf(const std::string& line) {
  std::vector<double> out;
  std::istringstream in(line);
  std::string w;
  while (in >> w) {
    char* end = nullptr;
    const double v = std::strtod(w.c_str(), &end);
    if (end != w.c_str() && *end == '\0') out.push_back(v);
  }
  return out;
}

int FindLine(const std::vector<std::string>& L, const std::string& begins, int from = 0) {
  for (int i = from; i < static_cast<int>(L.size()); ++i)
    if (L[static_cast<std::size_t>(i)].starts_with(begins)) return i;
  return -1;
}

class ChartRun : public ReportsTest {
 protected:
  // Runs the sample and returns the assembled report's lines.
  std::vector<std::string> Run(const char* sample) {
    SampleRun run;
    run.sample = sample;
    run.runType = 3;
    EXPECT_EQ(RunSample(m, base.path("run"), run), 0);
    const fs::path report = base.path("run") / "temp" / "tavik$.out";
    std::vector<std::string> L = LinesOf(Slurp(report));
    const bool si = m.UnitSystem == model::kSI;
    const std::vector<std::string> weather = model::test::WeatherPage(si);
    L.insert(L.begin() + FindLine(L, "II."), weather.begin(), weather.end());
    std::string bytes;
    for (const std::string& l : L) bytes += l + "\r\n";
    std::ofstream(report, std::ios::binary) << bytes;
    model::RecordResults(m);
    return L;
  }
  model::ProjectModel m;
};

TEST_F(ChartRun, readers_take_the_numbers_the_report_prints) {
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    SCOPED_TRACE(sample);
    const std::vector<std::string> L = Run(sample);
    const bool si = m.UnitSystem == model::kSI;
    const std::string tag = si ? "si" : "ip";

    // The load table. A category row holds peak heating, its percent, peak cooling, its
    // percent, then annual heating, percent, annual cooling, percent; the central-plant line
    // the four totals alone.
    const int roof = FindLine(L, "ROOF");
    ASSERT_GT(roof, 0);
    std::string golden;
    for (int chart : {kPeakHeatingChart, kPeakCoolingChart, kAnnualHeatingChart, kAnnualCoolingChart}) {
      const auto d = ReadLoadChart(m, boxes, chart);
      ASSERT_TRUE(d) << chart;
      EXPECT_EQ(d->head.units, si ? 2 : 1);
      golden += ChartText(*d) + "\n";
      for (std::size_t row : {1, 2, 3, 4, 5, 6, 7, 12, 14}) {
        const std::vector<double> n = NumbersOf(L[static_cast<std::size_t>(roof) + row - 1]);
        ASSERT_GE(n.size(), 4u) << L[static_cast<std::size_t>(roof) + row - 1];
        const std::size_t k = row == 14 ? 1 : 2;  // numbers per value
        const double expect = chart == kPeakHeatingChart    ? n[0]
                              : chart == kPeakCoolingChart  ? n[k]
                              : chart == kAnnualHeatingChart ? n[n.size() - 2 * k]
                                                             : n[n.size() - k];
        const std::size_t entry = row == 12 ? 9 : row == 14 ? 11 : row;
        EXPECT_DOUBLE_EQ(Number(d->value[entry]), expect) << "row " << row << " chart " << chart;
      }
    }
    // The monthly table.
    const int mon = FindLine(L, "MON");
    ASSERT_GT(mon, 0);
    const auto energy = ReadMonthlyChart(m, boxes, kMonthlyEnergyChart);
    const auto cost = ReadMonthlyChart(m, boxes, kMonthlyCostChart);
    ASSERT_TRUE(energy);
    ASSERT_TRUE(cost);
    EXPECT_EQ(energy->first, 1);
    EXPECT_EQ(energy->last, 12);
    golden += ChartText(*energy) + "\n" + ChartText(*cost) + "\n";
    for (int i = 1; i <= 12; ++i) {
      const std::vector<double> n = NumbersOf(L[static_cast<std::size_t>(mon + 4 + i)]);
      ASSERT_GE(n.size(), 5u);
      EXPECT_DOUBLE_EQ(Number(energy->field[0][i]), n[0]) << i;
    }
    // The site row and the intensity.
    const auto source = ReadSourceEnergy(m, boxes);
    ASSERT_TRUE(source);
    golden += ChartText(*source);
    const int site = FindLine(L, "Site");
    const std::vector<double> n = NumbersOf(L[static_cast<std::size_t>(site)]);
    ASSERT_GE(n.size(), 6u) << L[static_cast<std::size_t>(site)];
    for (std::size_t i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(Number(source->value[i + 1]), n[i]) << i;
    EXPECT_EQ(source->head.projectName.substr(0, 1), L[static_cast<std::size_t>(FindLine(L, "III.") + 2)].substr(13, 1));
    // Every field cut holds exactly one number in the engine's format: its decimals and
    // nothing of a neighbouring field.
    const std::regex twoDecimals(R"( *-?\d+\.\d\d)"), oneDecimal(R"( *-?\d+\.\d)"),
        whole(R"( *-?\d+\.?)");
    for (int chart : {kPeakHeatingChart, kPeakCoolingChart, kAnnualHeatingChart, kAnnualCoolingChart}) {
      const auto d = ReadLoadChart(m, boxes, chart);
      ASSERT_TRUE(d);
      for (std::size_t i : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 14})
        EXPECT_TRUE(std::regex_match(d->value[i], twoDecimals)) << chart << " [" << d->value[i] << "]";
    }
    for (int i = 1; i <= 12; ++i) {
      EXPECT_TRUE(std::regex_match(energy->field[0][i], oneDecimal)) << "[" << energy->field[0][i] << "]";
      EXPECT_TRUE(std::regex_match(energy->field[1][i], whole)) << "[" << energy->field[1][i] << "]";
    }
    for (int i = 1; i <= 13; ++i)
      for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(std::regex_match(cost->field[c][i], whole)) << "[" << cost->field[c][i] << "]";
    for (std::size_t i = 1; i <= 6; ++i)
      EXPECT_TRUE(std::regex_match(source->value[i], oneDecimal)) << "[" << source->value[i] << "]";
    EXPECT_TRUE(boxes.asked.empty());
    ExpectGolden(golden, "charts_" + tag + ".txt");
  }
}

}  // namespace
}  // namespace kalvano::reports::test
