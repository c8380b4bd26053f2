// Whole reports as the engine writes them: kvan64 runs the samples in every run type, over
// partial periods, with skipped months, with one to four simulated weeks a month, and the
// 98-zone project; each report is assembled as Review Results assembles it. Every one is a
// whole report and every reader reads it; the 98-zone report damaged in section VIII is not.
// The engine runs once for the whole suite.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/results_record.h"
#include "frontend/model/whole_report.h"
#include "frontend/reports/chartdata.h"
#include "frontend/reports/tabextract.h"
#include "../model/test_support.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

struct RunCase {
  const char* name;
  SampleRun run;
};

std::vector<RunCase> Cases() {
  std::vector<RunCase> cases;
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    for (int type : {1, 2, 3, 4}) {
      SampleRun run;
      run.sample = sample;
      run.runType = type;
      cases.push_back({"run type", run});
    }
    SampleRun partial;
    partial.sample = sample;
    partial.beginDay = 46;  // 15 February
    partial.endDay = 324;   // 20 November
    cases.push_back({"15 February to 20 November", partial});
    SampleRun december = partial;
    december.beginDay = 335;
    december.endDay = 365;
    cases.push_back({"December alone", december});
    SampleRun skipped;
    skipped.sample = sample;
    skipped.skippedMonths = {1, 7, 12};
    cases.push_back({"January, July and December skipped", skipped});
    for (int weeks = 1; weeks <= 4; ++weeks) {
      SampleRun run;
      run.sample = sample;
      run.weeksPerMonth = weeks;
      run.runType = weeks % 2 == 0 ? 4 : 3;
      cases.push_back({"weeks a month", run});
    }
  }
  SampleRun school98;
  school98.sample = "school98.inp";
  school98.project = School98();
  cases.push_back({"98 zones", school98});
  return cases;
}

std::string Describe(const RunCase& c) {
  std::string d = c.run.sample + " " + c.name + ": type " + std::to_string(c.run.runType) + ", days " +
                  std::to_string(c.run.beginDay) + " to " + std::to_string(c.run.endDay);
  if (c.run.weeksPerMonth > 0) d += ", " + std::to_string(c.run.weeksPerMonth) + " weeks a month";
  return d;
}

// The assembled report of every case, by its description, from one round of engine runs.
class WholeReportRuns : public ReportsTest {
 protected:
  static void SetUpTestSuite() {
    model::test::TempBase scratch;
    for (const RunCase& c : Cases()) {
      model::ProjectModel m;
      const fs::path run = fs::path(scratch.dir()) / "run";
      const int status = RunSample(m, run, c.run);
      reports_[Describe(c)] = {status, Slurp(run / "temp" / "tavik$.out")};
    }
  }
  static void TearDownTestSuite() { reports_.clear(); }

  struct Report {
    int status = 0;
    std::string bytes;
  };
  static std::map<std::string, Report> reports_;

  // Puts `bytes` into a base folder's temp as the current results, with the comfort report
  // that View Output rebuilds from it.
  void Current(const std::string& bytes) {
    m = model::ProjectModel{};
    m.AppDir = base.dir().string();
    m.ProjectFile = "Report.inp";
    m.ResultsViewable = 1;
    base.write("temp/tavik$.out", bytes);
    const std::size_t nine = bytes.find("\nIX.");
    base.write("temp/tavik$.flt", nine == std::string::npos ? std::string() : bytes.substr(nine + 1));
    model::RecordResults(m);
  }
  model::ProjectModel m;
};

std::map<std::string, WholeReportRuns::Report> WholeReportRuns::reports_;

TEST_F(WholeReportRuns, every_report_the_engine_writes_is_whole_and_every_reader_reads_it) {
  for (const RunCase& c : Cases()) {
    const std::string what = Describe(c);
    SCOPED_TRACE(what);
    const Report& r = reports_.at(what);
    ASSERT_EQ(r.status, 0);
    if (c.run.runType == 1) {
      // An error check writes no results: nothing to review.
      EXPECT_EQ(model::WholeReportFault(r.bytes), "no section III.");
      continue;
    }
    ASSERT_EQ(model::WholeReportFault(r.bytes), "");
    Current(r.bytes);
    for (auto extract : {WriteTabProj, WriteTabZone, WriteTabSum, WriteTabHvac, WriteTabProf, WriteTabCost,
                         WriteTabWeather, ShowComfortReport}) {
      EXPECT_TRUE(extract(m, boxes).shown);
    }
    for (int chart : {kPeakHeatingChart, kPeakCoolingChart, kAnnualHeatingChart, kAnnualCoolingChart})
      EXPECT_TRUE(ReadLoadChart(m, boxes, chart)) << chart;
    const auto energy = ReadMonthlyChart(m, boxes, kMonthlyEnergyChart);
    ASSERT_TRUE(energy);
    EXPECT_TRUE(ReadMonthlyChart(m, boxes, kMonthlyCostChart));
    EXPECT_TRUE(ReadSourceEnergy(m, boxes));
    // The chart's months are those of the monthly table.
    const std::vector<std::size_t> months = model::CheckWholeReport(r.bytes).layout.months;
    ASSERT_FALSE(months.empty());
    EXPECT_EQ(energy->first, static_cast<int>(months.front()) + 1);
    EXPECT_EQ(energy->last, static_cast<int>(months.back()) + 1);
    EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
    EXPECT_EQ(m.ResultsViewable, 1);
  }
}

TEST_F(WholeReportRuns, the_98_zone_report_damaged_in_section_eight_is_refused_and_never_charted) {
  SampleRun school98;
  school98.sample = "school98.inp";
  const std::string whole = reports_.at(Describe({"98 zones", school98})).bytes;
  ASSERT_EQ(model::WholeReportFault(whole), "");
  const std::vector<std::string> lines = model::SplitLines(whole);
  std::size_t eight = 0, nine = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (eight == 0 && lines[i].starts_with("VIII")) eight = i;
    if (nine == 0 && lines[i].starts_with("IX.")) nine = i;
  }
  ASSERT_GT(nine, eight + 40);
  const auto joined = [](const std::vector<std::string>& L) {
    std::string out;
    for (const std::string& l : L) out += l + "\r\n";
    return out;
  };
  std::vector<std::string> cut = lines;
  cut.erase(cut.begin() + static_cast<std::ptrdiff_t>(eight + 40), cut.begin() + static_cast<std::ptrdiff_t>(nine));
  std::vector<std::string> nul = lines;
  nul[eight + 20] += std::string(4096, '\0');
  const struct {
    const char* what;
    std::string report;
  } cases[] = {{"section VIII cut to 40 lines", joined(cut)}, {"4 KB of NUL bytes in section VIII", joined(nul)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NE(model::WholeReportFault(c.report), "");
    Current(c.report);
    boxes.asked.clear();
    EXPECT_FALSE(ReadSourceEnergy(m, boxes));
    EXPECT_FALSE(ReadMonthlyChart(m, boxes, kMonthlyEnergyChart));
    EXPECT_FALSE(WriteTabWeather(m, boxes).shown);
    EXPECT_EQ(boxes.asked.size(), 3u);
    EXPECT_EQ(m.ResultsViewable, 0);
  }
}

}  // namespace
}  // namespace kalvano::reports::test
