// The tabular views of real reports: kvan64 runs the installed samples and the report is
// assembled as Review Results assembles it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/reports/tabextract.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

class TabExtractRun : public ReportsTest {
 protected:
  fs::path Base() const { return base.path("run"); }
  std::string Temp(const std::string& name) const { return Slurp(Base() / "temp" / name); }
  model::ProjectModel m;
};

struct Boundary {
  const char* name;
  TabView (*write)(model::ProjectModel&, model::MessageBoxes&);
  const char* file;    // extract
  const char* start;   // its first line begins so ("" = the report's first line)
  const char* end;     // the report line after its last begins so
};

const Boundary kBoundaries[] = {
    {"WriteTabProj", WriteTabProj, "tabproj.txt", "", "II."},
    {"WriteTabZone", WriteTabZone, "tabzone.txt", "II.", "III."},
    {"WriteTabSum", WriteTabSum, "tabsum.txt", "III.", "IV. "},
    {"WriteTabHvac", WriteTabHvac, "tabhvac.txt", "IV. ", "V. "},
    {"WriteTabProf", WriteTabProf, "tabprof.txt", "V. ", "VII."},
    {"WriteTabCost", WriteTabCost, "tabcost.txt", "VII.", "VIII"},
    {"WriteTabWeather", WriteTabWeather, "tabweat.txt", "VIII.", "IX."},
};

TEST_F(TabExtractRun, extracts_of_real_reports_run_from_their_title_to_the_next_title) {
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    for (int runType : {3, 4}) {
      SCOPED_TRACE(std::string(sample) + " run type " + std::to_string(runType));
      SampleRun run;
      run.sample = sample;
      run.runType = runType;
      ASSERT_EQ(RunSample(m, Base(), run), 0);
      const std::vector<std::string> report = LinesOf(Temp("tavik$.out"));
      for (const Boundary& b : kBoundaries) {
        SCOPED_TRACE(b.name);
        const TabView view = b.write(m, boxes);
        ASSERT_TRUE(view.shown);
        const std::vector<std::string> extract = LinesOf(Temp(b.file));
        ASSERT_FALSE(extract.empty());
        // The extract is the run of report lines from the first that begins with the start
        // title up to the first later one that begins with the end title.
        const auto first = std::string_view(b.start).empty()
                               ? report.begin()
                               : std::find_if(report.begin(), report.end(), [&](const std::string& l) {
                                   return l.starts_with(b.start);
                                 });
        ASSERT_NE(first, report.end());
        const auto after = first + static_cast<std::ptrdiff_t>(extract.size());
        ASSERT_LT(after - report.begin(), static_cast<std::ptrdiff_t>(report.size()));
        EXPECT_TRUE(std::equal(extract.begin(), extract.end(), first));
        EXPECT_EQ(extract.front(), *first);
        EXPECT_TRUE(after->starts_with(b.end)) << *after;
        EXPECT_TRUE(std::none_of(extract.begin() + 1, extract.end(), [&](const std::string& l) {
          return l.starts_with(b.end);
        }));
        if (b.write != WriteTabZone && b.write != WriteTabWeather) {
          EXPECT_EQ(view.text, Temp(b.file));
        }
      }
      // The comfort pages hold the comfort report whole.
      const TabView comfort = ShowComfortReport(m, boxes);
      ASSERT_TRUE(comfort.shown);
      std::string pages;
      for (int p = 1; p <= m.Pages.ComfortPageCount; ++p) {
        const std::string page = Slurp(ComfortPagePath(m, p));
        if (p > 1) {
          EXPECT_TRUE(page.starts_with("*** PROJ")) << p;
        }
        pages += page;
      }
      EXPECT_GT(m.Pages.ComfortPageCount, 1);
      EXPECT_EQ(pages, Temp("tavik$.flt"));
      EXPECT_TRUE(boxes.asked.empty());
    }
  }
}

TEST_F(TabExtractRun, weather_pages_of_a_year_split_at_july_and_of_six_months_stay_one) {
  SampleRun run;
  ASSERT_EQ(RunSample(m, Base(), run), 0);
  TabView view = WriteTabWeather(m, boxes);
  ASSERT_TRUE(view.shown);
  const std::string second = Temp("2wth.txt");
  EXPECT_TRUE(second.starts_with(" DAILY WEATHER SUMMARIES FOR JULY")) << second.substr(0, 80);
  EXPECT_EQ(Temp("1wth.txt") + second, Temp("tabweat.txt"));
  // The listing head's averages and the month heads' solar column hold "DAILY" elsewhere.
  EXPECT_NE(Temp("1wth.txt").find("AVERAGE DAILY"), std::string::npos);
  EXPECT_EQ(view.next, true);

  run.endDay = 181;  // January to June
  ASSERT_EQ(RunSample(m, Base(), run), 0);
  view = WriteTabWeather(m, boxes);
  ASSERT_TRUE(view.shown);
  EXPECT_EQ(view.text, Temp("tabweat.txt"));
  EXPECT_FALSE(fs::exists(Base() / "temp" / "2wth.txt"));
  EXPECT_EQ(view.next, false);
}

}  // namespace
}  // namespace kalvano::reports::test
