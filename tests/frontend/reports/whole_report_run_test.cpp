// Whole reports as the engine writes them: kvan64 runs the samples in every run type, over
// partial periods, with skipped months, with one to four simulated weeks a month, and the
// 98-zone project; each report is assembled as Review Results assembles it. Every one is a
// whole report and every reader reads it; the 98-zone report damaged in section VIII is not,
// nor are the samples' reports damaged where every reader would not read them alike. The
// engine runs once for the whole suite.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/report_pages.h"
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

// Reports of the samples damaged where the check once looked past them: each is refused, and
// then by every reader alike, or it is taken and read by every reader as the whole report is.
TEST_F(WholeReportRuns, damaged_reports_are_refused_by_every_reader_or_read_as_the_check_read_them) {
  SampleRun office, school;
  office.sample = "SampleProject.inp";
  school.sample = "SampleSchool.inp";
  const std::vector<std::string> ip = model::SplitLines(reports_.at(Describe({"run type", office})).bytes);
  const std::vector<std::string> si = model::SplitLines(reports_.at(Describe({"run type", school})).bytes);
  using Lines = std::vector<std::string>;
  const auto joined = [](const Lines& L) {
    std::string out;
    for (const std::string& l : L) out += l + "\r\n";
    return out;
  };
  const auto at = [](const Lines& L, std::string_view begins, std::size_t from = 0) {
    while (from < L.size() && !L[from].starts_with(begins)) ++from;
    return from;
  };
  const auto all = [](std::string_view month) {
    return " AVERAGE Indoor Comfort Conditions For All Zones Through" + std::string(month) + ":";
  };
  // The report's own page header, `count` times between January's and February's all-zone
  // blocks of section IX.
  const auto headers = [&](int count) {
    Lines L = ip;
    const std::size_t nine = at(L, "IX."), header = at(L, "*** PROJECT", nine);
    const Lines page(L.begin() + static_cast<std::ptrdiff_t>(header),
                     L.begin() + static_cast<std::ptrdiff_t>(header + 3));
    for (int i = 0; i < count; ++i) {
      L.insert(L.begin() + static_cast<std::ptrdiff_t>(at(L, all("FEB"), nine)), page.begin(), page.end());
    }
    return L;
  };
  const Lines nineIp(ip.begin() + static_cast<std::ptrdiff_t>(at(ip, "IX.")), ip.end());
  const std::size_t pages = model::ComfortPageStarts(nineIp).size();
  const std::size_t weatherIp = at(ip, "   WEATHER INPUT DATA"), weatherSi = at(si, "   WEATHER INPUT DATA");
  ASSERT_LT(weatherSi + 13, si.size());
  ASSERT_TRUE(si[weatherSi + 13].find("SQ.M.") != std::string::npos);
  const struct {
    const char* what;
    Lines report;
    std::string fault;  // the start of what the check says; empty: taken
  } cases[] = {
      {"February's row of section III and its all-zone comfort block left out",
       [&] {
         Lines L = ip;
         const std::size_t nine = at(L, "IX.");
         L.erase(L.begin() + static_cast<std::ptrdiff_t>(at(L, all("FEB"), nine)),
                 L.begin() + static_cast<std::ptrdiff_t>(at(L, all("MAR"), nine)));
         L.erase(L.begin() + static_cast<std::ptrdiff_t>(at(L, "FEB", at(L, "III."))));
         return L;
       }(),
       "section III has MAR after JAN"},
      {"a run period stated from February over a year's table",
       [&] {
         Lines L = ip;
         std::string& period = L[at(L, std::string(49, ' ') + "Simulation period is:")];
         const std::size_t jan = period.find("1-Jan-2026");
         EXPECT_NE(jan, std::string::npos) << period;
         if (jan != std::string::npos) period.replace(jan, 10, "1-Feb-2026");
         return L;
       }(),
       "section III has the months JAN to DEC, not those of the run period"},
      {"a blank line of the SI echo's weather page removed",
       [&] {
         Lines L = si;
         L.erase(L.begin() + static_cast<std::ptrdiff_t>(weatherSi + 5));
         return L;
       }(),
       "no solar caption"},
      {"the SI echo's solar caption made inch-pound",
       [&] {
         Lines L = si;
         L[weatherSi + 12] = "        AVERAGE DAILY SOLAR BTUS PER";
         L[weatherSi + 13] = "          SQ.FT." + L[weatherSi + 13].substr(16);
         return L;
       }(),
       "section III has site energy in SI units under an inch-pound echo"},
      {"no weather page in the echo",
       [&] {
         Lines L = ip;
         L.erase(L.begin() + static_cast<std::ptrdiff_t>(weatherIp));
         return L;
       }(),
       "no weather page"},
      {"page headers between the months of section IX, for 100 comfort pages",
       headers(static_cast<int>(model::kMaxViewerPages + 1 - pages)),
       "section IX makes more than 99 comfort pages"},
      {"three page headers between the months of section IX", headers(3), ""},
  };

  // What the readers make of the whole report.
  Current(joined(ip));
  std::vector<std::string> charts;
  for (int chart : {kPeakHeatingChart, kPeakCoolingChart, kAnnualHeatingChart, kAnnualCoolingChart})
    charts.push_back(ChartText(*ReadLoadChart(m, boxes, chart)));
  for (int chart : {kMonthlyEnergyChart, kMonthlyCostChart})
    charts.push_back(ChartText(*ReadMonthlyChart(m, boxes, chart)));
  charts.push_back(ChartText(*ReadSourceEnergy(m, boxes)));
  ASSERT_TRUE(ShowComfortReport(m, boxes).shown);
  const int comfortPages = m.Pages.ComfortPageCount;
  ASSERT_EQ(comfortPages, static_cast<int>(pages));
  ASSERT_TRUE(boxes.asked.empty());

  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string bytes = joined(c.report);
    const std::string fault = model::WholeReportFault(bytes);
    Current(bytes);
    boxes.asked.clear();
    std::vector<std::string> read;
    std::size_t refused = 0;
    const auto take = [&](const auto& chart) {
      if (chart) read.push_back(ChartText(*chart));
      else ++refused;
    };
    for (int chart : {kPeakHeatingChart, kPeakCoolingChart, kAnnualHeatingChart, kAnnualCoolingChart})
      take(ReadLoadChart(m, boxes, chart));
    for (int chart : {kMonthlyEnergyChart, kMonthlyCostChart}) take(ReadMonthlyChart(m, boxes, chart));
    take(ReadSourceEnergy(m, boxes));
    std::size_t shown = 0;
    for (auto extract : {WriteTabProj, WriteTabZone, WriteTabSum, WriteTabHvac, WriteTabProf, WriteTabCost,
                         WriteTabWeather, ShowComfortReport}) {
      shown += extract(m, boxes).shown ? 1 : 0;
    }
    if (!c.fault.empty()) {
      EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << fault;
      EXPECT_EQ(refused, 7u);
      EXPECT_EQ(shown, 0u);
      EXPECT_EQ(boxes.asked.size(), 15u);  // one box for each reader
      EXPECT_EQ(m.ResultsViewable, 0);
      continue;
    }
    EXPECT_EQ(fault, "");
    EXPECT_EQ(read, charts);
    EXPECT_EQ(shown, 8u);
    EXPECT_EQ(m.Pages.ComfortPageCount, comfortPages + 3);
    EXPECT_TRUE(boxes.asked.empty());
  }
}

}  // namespace
}  // namespace kalvano::reports::test
