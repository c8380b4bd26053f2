// The tabular views cut from the report: the extracts, the zone, weather and comfort pages
// and the paging of the viewer, on small fixtures of the report's layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/model/results_record.h"
#include "frontend/reports/tabextract.h"
#include "report_runs.h"
#include "reports_test_support.h"
#include "../model/whole_report_fixture.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

std::string Crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

// The pages p = 1, 2, ... while their files exist, with a page-path function.
template <class PathOf>
std::vector<std::string> PagesOf(const model::ProjectModel& m, int count, PathOf pathOf) {
  std::vector<std::string> pages;
  for (int p = 1; p <= count; ++p) pages.push_back(Slurp(pathOf(m, p)));
  return pages;
}

std::string Joined(const std::vector<std::string>& pages) {
  std::string all;
  for (const std::string& p : pages) all += p;
  return all;
}

class TabExtract : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    m.AppDir = base.dir().string();
    m.ProjectFile = "Office.inp";
    WriteReport(model::test::WholeReport());
  }
  // Puts the report into temp as the current results.
  void WriteReport(const std::string& bytes) {
    base.write("temp/tavik$.out", bytes);
    model::RecordResults(m);
  }
  // Puts a comfort report into temp as the current results' (beside a whole report).
  void WriteComfort(const std::string& bytes) {
    base.write("temp/tavik$.flt", bytes);
    model::RecordResults(m);
  }
  std::string Temp(const std::string& name) { return base.read("temp/" + name); }

  model::ProjectModel m;
};

// The lines the engine writes between the input echo and section III: its banner, framed by
// two lines of asterisks, and the end of its input checks.
const char* kEngineBanner =
    "********************************************************************************\r\n"
    "\r\n"
    "                   ** K A L - V A N O -- Simulation Engine 6.4 **\r\n"
    "                             for KAL-VANO Version EC\r\n"
    "\r\n"
    "                   Hour-by-hour building energy simulation\r\n"
    "********************************************************************************\r\n"
    "\r\n"
    "                                       ** END OF INPUT DATA INTEGRITY PREPROCESSING **\r\n"
    "\r\n"
    "\r\n"
    "\f\r\n";

// A whole report whose section II holds `zones` zones, followed by the engine's banner when
// `banner`.
std::string ZoneReport(int zones, bool banner = false) {
  model::test::WholeReportParts parts;
  parts.zones = model::test::ZonesUpTo(zones);
  return EchoFixture(zones) + (banner ? kEngineBanner : "") + model::test::Crlf(model::test::SectionsThreeToNine(parts));
}

TEST_F(TabExtract, zone_pages_hold_every_line_of_section_two_once_four_zones_a_page_first) {
  struct Case {
    int zones, pages;
    bool banner;  // the engine's banner follows the zones, as in a run's report
  };
  for (const Case c : {Case{4, 1, false}, Case{5, 2, false}, Case{9, 2, false}, Case{10, 3, false},
                       Case{1, 1, true}, Case{4, 1, true}, Case{5, 2, true}, Case{9, 2, true}}) {
    SCOPED_TRACE(std::to_string(c.zones) + (c.banner ? " with the banner" : ""));
    WriteReport(ZoneReport(c.zones, c.banner));
    m.Pages = {};
    const TabView view = WriteTabZone(m, boxes);
    ASSERT_TRUE(view.shown);
    EXPECT_EQ(m.Pages.ZonePageCount, c.pages);
    EXPECT_EQ(m.Pages.ZonePageNo, 1);
    EXPECT_EQ(m.Pages.ZonePagesSplit, 1);
    const std::string extract = Temp("tabzone.txt");
    ASSERT_TRUE(extract.starts_with("II.  Z O N E"));
    EXPECT_EQ(Joined(PagesOf(m, c.pages, ZonePagePath)), extract);
    EXPECT_EQ(view.text, Temp("1.txt"));
    EXPECT_EQ(view.caption, "Zone Data -- Office.inp");
    EXPECT_EQ(view.previous, false);
    EXPECT_EQ(view.next, c.pages > 1);
    // Each later page begins with its first zone's project header line; the first page holds
    // the first four zones, a later page five.
    for (int p = 2; p <= c.pages; ++p)
      EXPECT_TRUE(Slurp(ZonePagePath(m, p)).starts_with("*** PROJECT: Fixture office")) << p;
    const std::string first = Slurp(ZonePagePath(m, 1));
    EXPECT_NE(first.find("    ZONE  " + std::to_string(std::min(c.zones, 4)) + " "), std::string::npos);
    EXPECT_EQ(first.find("    ZONE  5 "), std::string::npos);
    // Every page holds a zone; the banner ends the last one.
    for (int p = 1; p <= c.pages; ++p) EXPECT_NE(Slurp(ZonePagePath(m, p)).find("    ZONE  "), std::string::npos) << p;
    if (c.banner) {
      EXPECT_NE(Slurp(ZonePagePath(m, c.pages)).find("** END OF INPUT DATA INTEGRITY PREPROCESSING **"),
                std::string::npos);
    }
  }
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(TabExtract, split_zone_pages_are_shown_again_without_a_new_split) {
  WriteReport(ZoneReport(10));
  ASSERT_TRUE(WriteTabZone(m, boxes).shown);
  const std::string two = Temp("2.txt");
  base.write("temp/tavik$.out", ZoneReport(4));  // a split would now make a single page
  m.Pages.ZonePageNo = 2;
  const TabView view = WriteTabZone(m, boxes);
  ASSERT_TRUE(view.shown);
  EXPECT_EQ(view.text, two);
  EXPECT_EQ(m.Pages.ZonePageCount, 3);
  EXPECT_EQ(view.previous, true);
  EXPECT_EQ(view.next, true);
  m.Pages.ZonePageNo = 3;
  EXPECT_EQ(WriteTabZone(m, boxes).next, false);
  EXPECT_TRUE(boxes.asked.empty());
  // A page file changed since the split is not this front-end's page: it is not shown.
  base.write("temp/2.txt", "page two as another program left it\r\n");
  m.Pages.ZonePageNo = 2;
  EXPECT_FALSE(WriteTabZone(m, boxes).shown);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::kResultsReplacedTitle);
}

// A comfort report of the engine's layout: four head lines, then zone blocks, a project
// page header before each page after the first.
struct ComfortFixture {
  std::vector<std::string> lines{"IX.   S P A C E   T E M P E R A T U R E S   &   RH:", "", "head 3",
                                 "head 4"};
  void zone(int z, int rows) {
    lines.push_back(" ZONE " + std::to_string(z) + " - Temperatures and Relative Humidities:");
    for (int i = 1; i < rows; ++i) lines.push_back("   row " + std::to_string(i));
  }
  void header() { lines.push_back("*** PROJECT: Fixture office"); }
};

TEST_F(TabExtract, comfort_pages_end_at_project_headers_and_at_zone_headings_past_448_lines) {
  struct Case {
    const char* name;
    ComfortFixture report;
    std::vector<std::size_t> starts;  // first line of each page
  };
  std::vector<Case> cases;
  {
    Case c{"a page of 448 lines keeps the next zone heading", {}, {0}};
    c.report.zone(1, 444);  // 4 + 444 = 448 lines written
    c.report.zone(2, 10);
    cases.push_back(c);
  }
  {
    Case c{"a page of 449 lines ends before the next zone heading", {}, {0, 449}};
    c.report.zone(1, 445);
    c.report.zone(2, 10);
    cases.push_back(c);
  }
  {
    Case c{"project headers begin pages whatever their length", {}, {0, 9, 15}};
    c.report.zone(1, 5);
    c.report.header();
    c.report.zone(2, 5);
    c.report.header();  // the last line begins a page of its own
    cases.push_back(c);
  }
  {
    Case c{"one short page", {}, {0}};
    c.report.zone(1, 20);
    cases.push_back(c);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Crlf(c.report.lines);
    WriteComfort(bytes);
    const TabView view = ShowComfortReport(m, boxes);
    ASSERT_TRUE(view.shown);
    ASSERT_EQ(m.Pages.ComfortPageCount, static_cast<int>(c.starts.size()));
    const std::vector<std::string> pages = PagesOf(m, m.Pages.ComfortPageCount, ComfortPagePath);
    EXPECT_EQ(Joined(pages), bytes);
    for (std::size_t p = 0; p < c.starts.size(); ++p)
      EXPECT_TRUE(pages[p].starts_with(c.report.lines[c.starts[p]] + "\r\n")) << p;
    EXPECT_EQ(view.text, pages[0]);
    EXPECT_EQ(view.caption, "Space Comfort Conditions -- Office.inp");
    EXPECT_EQ(view.next, c.starts.size() > 1);
    EXPECT_EQ(view.previous, false);
  }
}

TEST_F(TabExtract, weather_pages_split_at_the_seventh_daily_heading_in_columns_two_to_six) {
  std::vector<std::string> lines{"", "  AVERAGE DAILY (the listing head)", "DAILY in column 1"};
  const std::vector<std::string> months{"JANUARY", "FEBRUARY", "MARCH",     "APRIL",
                                        "MAY",     "JUNE",     "JULY",      "AUGUST"};
  for (const std::string& month : months) {
    lines.push_back(" DAILY WEATHER SUMMARIES FOR " + month);
    lines.push_back(" DAY   DAILY SOLAR");
    lines.push_back("   1   12.5");
  }
  model::test::WholeReportParts parts;
  parts.months = {0, 1, 2, 3, 4, 5, 6, 7};  // the months the listing holds
  parts.eight = lines;
  const std::string section = Crlf(model::test::Section(model::test::kTitleEight, lines));
  WriteReport(model::test::WholeReport(parts));
  const TabView view = WriteTabWeather(m, boxes);
  ASSERT_TRUE(view.shown);
  EXPECT_EQ(Temp("tabweat.txt"), section);
  EXPECT_EQ(Temp("1wth.txt") + Temp("2wth.txt"), section);
  EXPECT_TRUE(Temp("2wth.txt").starts_with(" DAILY WEATHER SUMMARIES FOR JULY\r\n"));
  EXPECT_EQ(view.text, Temp("1wth.txt"));
  EXPECT_EQ(view.next, true);
  EXPECT_EQ(view.previous, false);
  EXPECT_EQ(m.Pages.WeatherPagesSplit, 1);

  // Six months: one page, "Next >>" off.
  lines.resize(lines.size() - 6);
  parts.months.resize(6);
  parts.eight = lines;
  WriteReport(model::test::WholeReport(parts));
  const TabView six = WriteTabWeather(m, boxes);
  EXPECT_EQ(six.text, Crlf(model::test::Section(model::test::kTitleEight, lines)));
  EXPECT_EQ(six.next, false);
}

TEST_F(TabExtract, a_missing_title_or_report_fails_through_the_file_error_report) {
  WriteReport("II.\r\nIII.\r\nVIII.  E N D\r\n DAILY WEATHER SUMMARIES FOR JANUARY\r\n");
  m.ResultsViewable = 1;
  EXPECT_FALSE(WriteTabWeather(m, boxes).shown);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, model::FileErrorMessage(model::kErrPastEndOfFile));
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPastEndOfFile));
  EXPECT_EQ(m.ResultsViewable, 0);

  base.remove("temp/tavik$.out");
  m.ResultsViewable = 1;
  EXPECT_FALSE(WriteTabSum(m, boxes).shown);
  EXPECT_EQ(boxes.asked.back().text, model::FileErrorMessage(model::kErrFileNotFound));
  EXPECT_EQ(m.ResultsViewable, 0);

  WriteReport(model::test::WholeReport());
  base.remove("temp/tavik$.flt");
  EXPECT_FALSE(ShowComfortReport(m, boxes).shown);
  EXPECT_EQ(boxes.asked.back().text, "No space temperature file available");
  EXPECT_EQ(boxes.asked.back().title, "Space Temp Error");
  EXPECT_EQ(boxes.asked.back().icon, model::MsgIcon::Exclamation);
}

TEST_F(TabExtract, comfort_paging_stays_within_the_pages_made) {
  ComfortFixture report;
  report.zone(1, 5);
  report.header();
  report.zone(2, 5);
  report.header();
  report.zone(3, 5);
  WriteComfort(Crlf(report.lines));
  ViewerPaging viewer;
  m.ResultsExist = 1;
  const TabView first = ShowTableChoice(m, viewer, 8, boxes);
  ASSERT_EQ(m.Pages.ComfortPageCount, 3);
  const std::string caption = first.caption;
  struct Step {
    bool next;
    int index;
    bool nextOn, previousOn;
  };
  for (const Step s : {Step{true, 1, true, true}, Step{true, 2, false, true},
                       Step{true, 2, false, true}, Step{false, 1, true, true},
                       Step{false, 0, true, false}, Step{false, 0, true, false}}) {
    const TabView view = PageClick(m, viewer, caption, s.next, boxes);
    ASSERT_TRUE(view.shown);
    EXPECT_EQ(viewer.ComfortPageIndex, s.index);
    EXPECT_EQ(view.text, Slurp(ComfortPagePath(m, s.index + 1)));
    EXPECT_EQ(view.next, s.nextOn);
    EXPECT_EQ(view.previous, s.previousOn);
    EXPECT_TRUE(view.enableViews);
  }

  // One page: "Next >>" is off from the start.
  WriteComfort(Crlf({"IX.", "", "", "", " ZONE 1 - Temperatures"}));
  EXPECT_EQ(ShowTableChoice(m, viewer, 8, boxes).next, false);
  EXPECT_EQ(viewer.ComfortPageIndex, 0);
  PageClick(m, viewer, caption, true, boxes);
  EXPECT_EQ(viewer.ComfortPageIndex, 0);

  // A page file gone: the page before it becomes the end.
  ShowTableChoice(m, viewer, 8, boxes);
  WriteComfort(Crlf(report.lines));
  ShowTableChoice(m, viewer, 8, boxes);
  base.remove("temp/2.flt");
  const TabView gone = PageClick(m, viewer, caption, true, boxes);
  EXPECT_FALSE(gone.shown);
  EXPECT_EQ(gone.next, false);
  EXPECT_EQ(gone.previous, true);
  EXPECT_EQ(m.Pages.ComfortPageCount, 1);
  EXPECT_EQ(viewer.ComfortPageIndex, 0);
}

TEST_F(TabExtract, weather_paging_turns_the_two_pages_and_moves_the_zone_page_on) {
  model::test::WholeReportParts parts;
  parts.zones = model::test::ZonesUpTo(10);
  parts.months = {0, 1, 2, 3, 4, 5, 6, 7};  // the months the listing holds
  parts.eight.clear();
  for (const char* month : {"JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY", "AUGUST"}) {
    parts.eight.push_back(std::string(" DAILY WEATHER SUMMARIES FOR ") + month);
    parts.eight.push_back("   1   12.5");
  }
  WriteReport(EchoFixture(10) + model::test::Crlf(model::test::SectionsThreeToNine(parts)));
  ASSERT_TRUE(WriteTabZone(m, boxes).shown);
  ASSERT_EQ(WriteTabWeather(m, boxes).next, true);
  const std::string one = Temp("1wth.txt"), two = Temp("2wth.txt");
  ASSERT_TRUE(two.starts_with(" DAILY WEATHER SUMMARIES FOR JULY"));
  ViewerPaging viewer;
  const std::string caption = ViewCaption(kWeatherTitle, m);
  const TabView next = PageClick(m, viewer, caption, true, boxes);
  EXPECT_EQ(next.text, two);
  EXPECT_EQ(next.next, false);
  EXPECT_EQ(next.previous, true);
  EXPECT_TRUE(next.enableViews);
  EXPECT_EQ(m.Pages.ZonePageNo, 2);
  const TabView back = PageClick(m, viewer, caption, false, boxes);
  EXPECT_EQ(back.text, one);
  EXPECT_EQ(back.next, true);
  EXPECT_EQ(back.previous, false);
  EXPECT_EQ(m.Pages.ZonePageNo, 1);

  // A page that is gone is a file error; nothing changes.
  base.remove("temp/2wth.txt");
  const TabView gone = PageClick(m, viewer, caption, true, boxes);
  EXPECT_FALSE(gone.shown);
  EXPECT_FALSE(gone.next.has_value());
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().text, model::FileErrorMessage(model::kErrFileNotFound));

  // Zone paging goes through the zone pages and their buttons.
  const std::string zones = ViewCaption(kZoneDataTitle, m);
  m.Pages.ZonePageNo = 1;
  const TabView z2 = PageClick(m, viewer, zones, true, boxes);
  EXPECT_EQ(z2.text, Temp("2.txt"));
  EXPECT_EQ(z2.next, true);
  EXPECT_EQ(z2.previous, true);
  PageClick(m, viewer, zones, true, boxes);
  const TabView last = PageClick(m, viewer, zones, true, boxes);
  EXPECT_EQ(m.Pages.ZonePageNo, 3);
  EXPECT_EQ(last.next, false);
  // Another view: the zone page number moves, nothing is shown.
  EXPECT_FALSE(PageClick(m, viewer, ViewCaption(kCostTitle, m), false, boxes).shown);
  EXPECT_EQ(m.Pages.ZonePageNo, 2);
}

// The viewer shows pages 1 to 99: a longer report, as a restored saved output may bring, is
// refused with the report's wrong-format message before any page is written.
TEST_F(TabExtract, a_report_of_more_than_99_pages_is_refused_and_no_count_wraps) {
  const auto pageFiles = [this](std::string_view suffix) {
    int n = 0;
    for (const auto& f : fs::directory_iterator(base.path("temp"))) {
      const std::string name = f.path().filename().string();
      n += name.ends_with(suffix) && name != "tavik$.flt" && name != "tavik$.out" ? 1 : 0;
    }
    return n;
  };
  // Section II: after its first line, every fifth "***" line begins a page.
  for (const int pages : {99, 100}) {
    SCOPED_TRACE(pages);
    // The page header is its first "***" line, a zone heading each later one.
    model::test::WholeReportParts parts;
    parts.listZones = false;
    parts.zones = model::test::ZonesUpTo(5 * (pages - 1) - 1);
    for (int z : parts.zones) parts.two.push_back("*** ZONE  " + std::to_string(z));
    WriteReport(model::test::WholeReport(parts));
    m.Pages = {};
    m.Pages.ZonePageCount = 7;
    m.ResultsViewable = 1;
    boxes.asked.clear();
    const TabView view = WriteTabZone(m, boxes);
    if (pages == 99) {
      EXPECT_TRUE(view.shown);
      EXPECT_EQ(m.Pages.ZonePageCount, 99);
      EXPECT_EQ(pageFiles(".txt") - 1, 99);  // and the extract
      continue;
    }
    EXPECT_FALSE(view.shown);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, model::FileErrorMessage(model::kErrPastEndOfFile));
    EXPECT_EQ(m.Pages.ZonePageCount, 7);
    EXPECT_EQ(m.Pages.ZonePagesSplit, 0);
    EXPECT_EQ(m.ResultsViewable, 0);
  }

  // The comfort report: 33,000 project headers would have made 33,002 pages. (The report of
  // 100 zone pages is no whole report: the current report is a whole one again.)
  WriteReport(model::test::WholeReport());
  for (const int headers : {98, 33000}) {
    SCOPED_TRACE(headers);
    for (const auto& f : fs::directory_iterator(base.path("temp"))) {
      if (f.path().extension() == ".flt") fs::remove(f.path());
    }
    ComfortFixture report;
    for (int k = 0; k < headers; ++k) {
      report.header();
      report.zone(1, 2);
    }
    WriteComfort(Crlf(report.lines));
    ViewerPaging viewer;
    boxes.asked.clear();
    const TabView view = ShowTableChoice(m, viewer, 8, boxes);
    if (headers == 98) {
      EXPECT_TRUE(view.shown);
      EXPECT_EQ(m.Pages.ComfortPageCount, 99);
      EXPECT_EQ(pageFiles(".flt"), 99);
      continue;
    }
    EXPECT_FALSE(view.shown);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, "No space temperature file available");
    EXPECT_EQ(pageFiles(".flt"), 0);
    EXPECT_EQ(m.Pages.ComfortPageCount, 0);
    // "Next >>" has nowhere to go.
    const TabView next = PageClick(m, viewer, "Space Comfort Conditions -- Office.inp", true, boxes);
    EXPECT_EQ(viewer.ComfortPageIndex, 0);
    EXPECT_NE(next.next, std::optional<bool>(true));
  }
}

}  // namespace
}  // namespace kalvano::reports::test
