// Every tabular extract and chart reader on reports that end too early: an empty report (the
// reproducer of the one crash a fuzzing campaign of the readers found, kept as a fixture), a
// report of one line, and a whole report cut just before each line a reader looks for. Each
// reader shows its end-of-file message and gives nothing; none reads past the report's end,
// and none takes a report that is not whole. A number no chart can take is refused as well.
// Plain C++, so that it runs in the sanitizer build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../chart_report_builder.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/results_record.h"
#include "frontend/reports/chartdata.h"
#include "frontend/reports/tabextract.h"
#include "../../model/test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines Split(const std::string& bytes) { return model::SplitLines(bytes); }

std::string Join(const Lines& lines, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count && i < lines.size(); ++i) out += lines[i] + "\r\n";
  return out;
}

// A whole report in the order the echo and the engine write it, with every line a reader
// looks for: the echoed weather page, the sections II to IX with their titles, section III's
// project line, monthly table and site row, the load table with its peak lines, the daily
// weather heading and the comfort report with its page headers and zone blocks.
Lines WholeReport() { return Split(ReadableYear().bytes()); }

std::size_t FirstBeginning(const Lines& L, std::string_view mark, std::size_t from = 0) {
  for (std::size_t i = from; i < L.size(); ++i)
    if (L[i].starts_with(mark)) return i;
  ADD_FAILURE() << "no line begins with " << mark;
  return L.size();
}

// One reader: it runs on temp/tavik$.out (the comfort pages on temp/tavik$.flt) and tells
// whether it gave a view or a chart.
struct Reader {
  const char* name;
  std::function<bool(model::ProjectModel&, model::MessageBoxes&)> run;
  bool comfort = false;  // its failure message is the comfort report's own
};

std::vector<Reader> Readers() {
  auto extract = [](TabView (*f)(model::ProjectModel&, model::MessageBoxes&)) {
    return [f](model::ProjectModel& m, model::MessageBoxes& b) { return f(m, b).shown; };
  };
  auto loads = [](int chart) {
    return [chart](model::ProjectModel& m, model::MessageBoxes& b) { return ReadLoadChart(m, b, chart).has_value(); };
  };
  auto monthly = [](int chart) {
    return [chart](model::ProjectModel& m, model::MessageBoxes& b) { return ReadMonthlyChart(m, b, chart).has_value(); };
  };
  return {
      {"WriteTabProj", extract(&WriteTabProj)},
      {"WriteTabZone", extract(&WriteTabZone)},
      {"WriteTabSum", extract(&WriteTabSum)},
      {"WriteTabHvac", extract(&WriteTabHvac)},
      {"WriteTabProf", extract(&WriteTabProf)},
      {"WriteTabCost", extract(&WriteTabCost)},
      {"WriteTabWeather", extract(&WriteTabWeather)},
      {"ShowComfortReport", extract(&ShowComfortReport), true},
      {"peak heating", loads(kPeakHeatingChart)},
      {"peak cooling", loads(kPeakCoolingChart)},
      {"annual heating", loads(kAnnualHeatingChart)},
      {"annual cooling", loads(kAnnualCoolingChart)},
      {"monthly energy", monthly(kMonthlyEnergyChart)},
      {"monthly costs", monthly(kMonthlyCostChart)},
      {"energy breakdown",
       [](model::ProjectModel& m, model::MessageBoxes& b) { return ReadSourceEnergy(m, b).has_value(); }},
  };
}

class ShortReports : public ::testing::Test {
 protected:
  // Puts `report` in temp/tavik$.out and its section IX, as the comfort report, in
  // temp/tavik$.flt; both empty when it has none.
  void Install(const std::string& report) {
    base.write("temp/tavik$.out", report);
    base.write("temp/tavik$.flt", model::test::SectionNineOf(report));
  }
  // A fresh model of the office whose current results are what temp holds now.
  void RecordTemp(model::ProjectModel& m) const {
    m.AppDir = base.dir();
    m.ProjectFile = "Office.inp";
    m.ResultsViewable = 1;
    model::RecordResults(m);
  }
  // Runs the reader on a fresh model that has recorded what temp holds as its results, and
  // checks how it ended.
  void Check(const Reader& r, bool mustRead, const std::string& what) {
    SCOPED_TRACE(std::string(r.name) + " on " + what);
    model::ProjectModel m;
    RecordTemp(m);
    model::test::RecordingBoxes boxes;
    const bool read = r.run(m, boxes);
    if (mustRead) {
      EXPECT_TRUE(read);
      EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
      return;
    }
    EXPECT_FALSE(read);
    ASSERT_EQ(boxes.shown.size(), 1u);
    if (r.comfort) {
      EXPECT_EQ(boxes.shown[0].text, kComfortErrorText);
    } else {
      EXPECT_EQ(boxes.shown[0].text, model::FileErrorMessage(model::kErrPastEndOfFile));
      EXPECT_EQ(m.ResultsViewable, 0);
    }
  }
  model::test::TempBase base;
};

TEST_F(ShortReports, an_empty_report_gives_every_reader_its_end_of_file_message) {
  const fs::path fixture = fs::path(KALVANO_TEST_DIR) / "fixtures" / "empty-report.out";
  ASSERT_TRUE(fs::exists(fixture));
  Install(model::test::TempBase::slurp(fixture.string()));
  for (const Reader& r : Readers()) Check(r, false, "an empty report");
}

TEST_F(ShortReports, a_report_of_one_line_gives_every_reader_its_end_of_file_message) {
  Install(WholeReport().front() + "\r\n");
  for (const Reader& r : Readers()) Check(r, false, "one line");
}

TEST_F(ShortReports, a_report_cut_anywhere_gives_every_reader_its_message) {
  const Lines whole = WholeReport();
  const std::vector<Reader> readers = Readers();
  // The whole report gives every view and chart.
  Install(Join(whole, whole.size()));
  for (const Reader& r : readers) Check(r, true, "the whole report");
  // Cut just before each section title, before each line the chart readers look for, and
  // inside the comfort report: no reader takes what is left, not even one whose own lines
  // all came before the cut.
  std::vector<std::size_t> cuts;
  for (std::string_view mark : {"II.", "III.", "MON", "TOT", "($)", "Site", "WHOLE-BLDG", "IV. ",
                                "ROOF", "V. ", "VII.", "VIII", "IX.", " ZONE", " AVERAGE"}) {
    cuts.push_back(FirstBeginning(whole, mark));
  }
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (whole[i].find("WEATHER INPUT") != std::string::npos) cuts.push_back(i);
    if (whole[i].find("OF HORIZONTAL SURFACE") != std::string::npos) cuts.push_back(i);
  }
  const std::size_t roof = FirstBeginning(whole, "ROOF");
  cuts.push_back(roof + 20);  // the peak hours
  cuts.push_back(roof + 21);  // the peak dates
  cuts.push_back(FirstBeginning(whole, "IX.") + 27);
  cuts.push_back(whole.size() - 1);  // the last month's degree hours
  for (std::size_t cut : cuts) {
    Install(Join(whole, cut));
    const std::string what = "a report cut before line " + std::to_string(cut + 1) + " \"" + whole[cut] + "\"";
    for (const Reader& r : readers) Check(r, false, what);
  }
}

// A damaged or hand-made report may hold a number no single-precision chart value can take
// ("9.9E+99" fits a seven-column field). It is no number as the engine prints it: the chart
// readers refuse the report as the wrong format instead of converting it; a report of
// ordinary numbers is read as before.
TEST_F(ShortReports, a_number_beyond_single_precision_is_refused_by_the_chart_readers) {
  const Lines whole = WholeReport();
  const std::vector<Reader> readers = Readers();
  struct Case {
    const char* what;
    std::string_view line;      // the first line beginning so
    std::size_t offset;         // lines below it
    std::size_t from, to;       // the field's columns, 1-based
    std::vector<const char*> refusing;
  };
  const std::vector<Case> cases = {
      {"a month's cooling", "MON", 5, 31, 39, {"monthly energy"}},
      {"a month's electricity cost", "MON", 5, 104, 112, {"monthly costs"}},
      {"the energy intensity", "WHOLE-BLDG", 0, 104, 110, {"energy breakdown"}},
      {"a site energy", "Site", 0, 16, 25, {"energy breakdown"}},
      {"the peak heating roof load", "ROOF", 0, 26, 36, {"peak heating"}},
      {"the peak cooling roof load", "ROOF", 0, 43, 53, {"peak cooling"}},
      {"the annual heating roof load", "ROOF", 0, 97, 107, {"annual heating"}},
      {"the annual cooling roof load", "ROOF", 0, 114, 124, {"annual cooling"}},
  };
  for (const Case& c : cases) {
    for (const char* huge : {"9.9E+99", "-9E+99"}) {
      Lines L = whole;
      std::string& line = L[FirstBeginning(L, c.line) + c.offset];
      if (line.size() < c.to) line.resize(c.to, ' ');
      std::string field(c.to - c.from + 1, ' ');
      field.replace(field.size() - std::strlen(huge), std::strlen(huge), huge);
      line.replace(c.from - 1, field.size(), field);
      Install(Join(L, L.size()));
      for (const Reader& r : readers) {
        const bool refused = std::find(c.refusing.begin(), c.refusing.end(), std::string_view(r.name)) != c.refusing.end();
        if (!refused) continue;
        SCOPED_TRACE(std::string(r.name) + ": " + c.what + " of " + huge);
        model::ProjectModel m;
        RecordTemp(m);
        model::test::RecordingBoxes boxes;
        EXPECT_FALSE(r.run(m, boxes));
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, model::FileErrorMessage(model::kErrPastEndOfFile));
      }
    }
  }
}

}  // namespace
}  // namespace kalvano::reports::test
