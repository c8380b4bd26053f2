// The one check of a whole report: whole reports of several shapes are taken, and every way a
// report can be cut short, emptied or put together from two projects is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "frontend/model/file_error.h"
#include "frontend/model/report_pages.h"
#include "frontend/model/whole_report.h"
#include "whole_report_fixture.h"

namespace kalvano::model::test {
namespace {

std::size_t FirstBeginning(const ReportLines& L, std::string_view mark) {
  for (std::size_t i = 0; i < L.size(); ++i)
    if (L[i].starts_with(mark)) return i;
  ADD_FAILURE() << "no line begins with " << mark;
  return L.size();
}

ReportLines Without(ReportLines L, std::size_t from, std::size_t count) {
  L.erase(L.begin() + static_cast<std::ptrdiff_t>(from), L.begin() + static_cast<std::ptrdiff_t>(from + count));
  return L;
}

WholeReportParts Zones(std::vector<int> zones) {
  WholeReportParts p;
  p.zones = std::move(zones);
  return p;
}

WholeReportParts Months(std::vector<int> months) {
  WholeReportParts p;
  p.months = std::move(months);
  return p;
}

std::string Lf(const ReportLines& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

TEST(WholeReport, whole_reports_of_every_shape_are_taken) {
  struct Case {
    const char* what;
    std::function<std::string()> report;
  };
  const Case cases[] = {
      {"a year of two zones", [] { return WholeReport(); }},
      {"lines ended by LF alone", [] { return Lf(WholeReportLines()); }},
      {"one zone", [] { return WholeReport(Zones({1})); }},
      {"ninety-eight zones", [] {
         WholeReportParts p;
         p.zones.clear();
         for (int z = 1; z <= 98; ++z) p.zones.push_back(z);
         return WholeReport(p);
       }},
      {"April to June", [] { return WholeReport(Months({3, 4, 5})); }},
      {"February and March: no quarter page", [] { return WholeReport(Months({1, 2})); }},
      {"blank lines after the end", [] { return WholeReport() + "\r\n  \r\n"; }},
      {"a passive run's title of section IX", [] {
         ReportLines L = WholeReportLines();
         L[FirstBeginning(L, "IX.")] = "IX.   F L O A T I N G   S P A C E   T E M P E R A T U R E S  (w/o  A/C):";
         return Crlf(L);
       }},
      {"a zone number too wide for the comfort heading", [] {
         ReportLines L = WholeReportLines(Zones({1012}));
         for (std::string& l : L)
           if (l.starts_with(" ZONE1012")) l.replace(5, 4, "***");
         return Crlf(L);
       }},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WholeReportFault(c.report()), "") << c.what;
    EXPECT_TRUE(IsWholeReport(c.report())) << c.what;
  }
}

TEST(WholeReport, a_report_cut_anywhere_in_section_nine_is_refused) {
  const ReportLines whole = WholeReportLines();
  const std::size_t nine = FirstBeginning(whole, "IX.");
  // Cut before every line from the title of section IX to the last one.
  for (std::size_t cut = nine; cut < whole.size(); ++cut) {
    const ReportLines part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_FALSE(IsWholeReport(Crlf(part))) << "cut before line " << cut + 1 << " \"" << whole[cut] << "\"";
  }
  // And inside the last line.
  std::string cutInLine = Crlf(whole);
  cutInLine.resize(cutInLine.size() - 10);
  EXPECT_FALSE(IsWholeReport(cutInLine));
}

TEST(WholeReport, reports_that_miss_what_a_reader_needs_are_refused) {
  const ReportLines whole = WholeReportLines();
  struct Case {
    const char* what;
    std::string report;
    std::string fault;  // the start of what WholeReportFault says
  };
  ReportLines marks;
  for (const std::string& l : whole) {
    for (std::string_view t : {"I.", "II.", "III.", "IV. ", "V. ", "VII.", "VIII", "IX."})
      if (l.starts_with(t)) marks.push_back(l);
  }
  ReportLines bannerAndMarks = ReportHead();
  Append(bannerAndMarks, marks);
  const auto emptied = [&whole](std::string_view title, std::string_view next) {
    const std::size_t at = FirstBeginning(whole, title);
    return Crlf(Without(whole, at + 1, FirstBeginning(whole, next) - at - 1));
  };
  const auto replaced = [&whole](std::string_view begins, const std::string& by) {
    ReportLines L = whole;
    for (std::string& l : L)
      if (l.starts_with(begins)) l = by;
    return Crlf(L);
  };
  const auto twoProjects = [] {
    // Sections I to VIII of a project of zones 11 and 12, section IX of one of 11 and 13.
    ReportLines L = WholeReportLines();
    const ReportLines other = WholeReportLines(Zones({11, 13}));
    L.resize(FirstBeginning(L, "IX."));
    L.insert(L.end(), other.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(other, "IX.")), other.end());
    return Crlf(L);
  };
  const auto moreZonesInNine = [] {
    ReportLines L = WholeReportLines();
    const ReportLines other = WholeReportLines(Zones({11, 12, 13}));
    L.resize(FirstBeginning(L, "IX."));
    L.insert(L.end(), other.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(other, "IX.")), other.end());
    return Crlf(L);
  };
  const auto monthsApart = [] {
    // Section III of a year, section IX of its first half.
    ReportLines L = WholeReportLines();
    const ReportLines half = WholeReportLines(Months({0, 1, 2, 3, 4, 5}));
    L.resize(FirstBeginning(L, "IX."));
    L.insert(L.end(), half.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(half, "IX.")), half.end());
    return Crlf(L);
  };
  const Case cases[] = {
      {"an empty file", "", "no banner"},
      {"the banner only", Crlf(ReportHead()), "no section I."},
      {"the banner and the section titles only", Crlf(bannerAndMarks), "section I. is empty"},
      {"no banner", Crlf(Without(whole, 0, 4)), "no banner"},
      {"section III missing", replaced("III.", "3. MONTHLY"), "no section III."},
      {"section VIII missing", replaced("VIII", "8. WEATHER"), "no section VIII"},
      {"the sections out of order",
       [&whole] {
         ReportLines L = whole;
         std::swap(L[FirstBeginning(L, "IV. ")], L[FirstBeginning(L, "V. ")]);
         return Crlf(L);
       }(),
       "no section"},
      {"section I empty", emptied("I.", "II."), "section I. is empty"},
      {"section II empty", emptied("II.", "III."), "section II. is empty"},
      {"section IV empty", emptied("IV. ", "V. "), "section IV.  is empty"},
      {"section V empty", emptied("V. ", "VII."), "section V.  is empty"},
      {"section VII empty", emptied("VII.", "VIII"), "section VII. is empty"},
      {"section VIII empty", emptied("VIII", "IX."), "section VIII is empty"},
      {"section II without zones", replaced("    ZONE", "    ROOM 11"), "section II lists no zone"},
      {"section III without its monthly table", replaced("MON", "MNTH"), "section III has no monthly table"},
      {"the monthly table without its rule",
       [&whole] {
         ReportLines L = whole;
         L.erase(L.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(L, "DEC") + 1));
         L.erase(L.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(L, "TOT")),
                 L.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(L, "($)") + 1));
         return Crlf(L);
       }(),
       "section III has no monthly table"},
      {"thirteen month rows",
       [&whole] {
         ReportLines L = whole;
         L.insert(L.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(L, "DEC") + 1), "JAN     28.8");
         return Crlf(L);
       }(),
       "section III has JAN after DEC"},
      {"months left out of the table", WholeReport(Months({0, 2, 6, 11})), "section III has MAR after JAN"},
      {"section IX of another project's zones", twoProjects(), "section IX has no block of zone 12 for JAN"},
      {"section IX with a zone that section II does not list", moreZonesInNine(),
       "section IX has a zone block of no listed zone for JAN"},
      {"section IX of other months", monthsApart(), "section IX has no zone page for JUL"},
      {"section IX without its title", replaced("IX.", "9. COMFORT"), "no section IX."},
      {"the last line without its end", Crlf(whole).substr(0, Crlf(whole).size() - 2), "the report ends inside a line"},
      {"lines after the end of the comfort report", Crlf(whole) + "Meeting notes\r\n",
       "lines follow the end of the comfort report"},
      {"two reports one after the other", Crlf(whole) + Crlf(whole), "lines follow the end"},
  };
  for (const Case& c : cases) {
    const std::string fault = WholeReportFault(c.report);
    EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << c.what << ": " << fault;
  }
}

// Sections III to VIII hold what their readers take, every figure as the engine prints it,
// and no report holds a control byte that neither the echo nor the engine writes.
TEST(WholeReport, sections_three_to_eight_hold_what_their_readers_take) {
  WholeReportParts parts;
  parts.zones = ZonesUpTo(98);
  const ReportLines whole = WholeReportLines(parts);
  ASSERT_EQ(WholeReportFault(Crlf(whole)), "");
  const std::size_t eight = FirstBeginning(whole, "VIII"), nine = FirstBeginning(whole, "IX.");
  const std::size_t roof = FirstBeginning(whole, "ROOF"), site = FirstBeginning(whole, "Site");
  const auto changed = [&whole](std::size_t at, const std::function<void(std::string&)>& change) {
    ReportLines L = whole;
    change(L[at]);
    return Crlf(L);
  };
  const auto dropped = [&whole](std::string_view begins) {
    return Crlf(Without(whole, FirstBeginning(whole, begins), 1));
  };
  const auto field = [](std::size_t from, std::string_view text) {
    return [from, text](std::string& line) { line.replace(from - 1, text.size(), text); };
  };
  struct Case {
    const char* what;
    std::string report;
    std::string fault;  // the start of what WholeReportFault says
  };
  const Case cases[] = {
      {"4 KB of NUL bytes in section VIII", changed(eight + 5, [](std::string& l) { l += std::string(4096, '\0'); }),
       "a control byte (0)"},
      {"a tab in a load figure", changed(roof, field(26, "      \t42.0")), "section III has a load table"},
      {"an escape in section I", changed(FirstBeginning(whole, "I.") + 4, field(1, "\x1b")), "a control byte (27)"},
      {"section VIII cut to 10 lines", Crlf(Without(whole, eight + 10, nine - eight - 10)),
       "section VIII has no daily weather summary for APR"},
      {"a load figure 12345678E-5", changed(roof, field(26, "12345678E-5")), "section III has a load table"},
      {"a load figure without its decimals", changed(roof + 1, field(114, "        42.")), "section III has a load table"},
      {"a month's heating 1234567E2", changed(FirstBeginning(whole, "MAR"), field(4, "1234567E2")),
       "section III has a month row"},
      {"a month's bill with a second point", changed(FirstBeginning(whole, "MAY"), field(113, "   50.0.")),
       "section III has a month row"},
      {"a total cut off its line", changed(FirstBeginning(whole, "($)"), [](std::string& l) { l.resize(100); }),
       "section III has totals"},
      {"a site figure 1.5E+02", changed(site, field(36, "   1.5E+02")), "section III has site energy"},
      {"no site row", dropped("Site"), "section III has no site energy"},
      {"the load table cut", Crlf(Without(whole, roof + 5, 10)), "section III has"},
      {"no central plant", changed(roof + 13, field(1, "XCENTRAL")), "section III has a load table"},
      {"section IV without its total", dropped("TOTAL OF ALL ZONES"), "section IV has no total"},
      {"section V without its winter gas", dropped("         WINTER GAS"), "section V has no peak demand"},
      {"section VII without its present worth", dropped("         TOTAL PRESENT WORTH"), "section VII has no total"},
      {"section VIII without March", dropped(" DAILY WEATHER SUMMARIES FOR MARCH"),
       "section VIII has no daily weather summary for MAR"},
  };
  for (const Case& c : cases) {
    const std::string fault = WholeReportFault(c.report);
    EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << c.what << ": " << fault;
  }
  // Form feeds are the engine's own, and asterisks its mark of a number too wide; a TAB may
  // come with a project's own text, typed into its file by hand.
  EXPECT_EQ(WholeReportFault(changed(eight + 4, [](std::string& l) { l = "\f" + l; })), "");
  EXPECT_EQ(WholeReportFault(changed(FirstBeginning(whole, "I.") + 4, field(1, "\t"))), "");
  EXPECT_EQ(WholeReportFault(changed(roof, field(26, "***********"))), "");
}

// What the readers take beyond the sections' own lines: the unit system of the echo's weather
// page, which the engine's figures must be in; the months of the run period that the head
// states; and no more pages than the tabular viewer shows.
TEST(WholeReport, the_units_the_months_and_the_pages_are_those_every_reader_takes) {
  const ReportLines whole = WholeReportLines();
  const std::size_t weather = FirstBeginning(whole, "   WEATHER");
  // The head's period statement and section VIII's days a month, for the months given.
  const auto stated = [](const std::string& period, std::vector<int> months, int daysPerMonth = 31) {
    WholeReportParts p;
    p.months = std::move(months);
    p.eight = {"     SIMULATION PERIOD:   " + std::to_string(daysPerMonth) + " DAYS PER MONTH"};
    Append(p.eight, WeatherListing(p.months));
    ReportLines L = WholeReportLines(p);
    const ReportLines head = {std::string(49, ' ') + period, std::string(49, ' ') + "Year 2026 begins on Thursday."};
    L.insert(L.begin() + 4, head.begin(), head.end());
    return Crlf(L);
  };
  const auto months = [](int from, int to) {
    std::vector<int> m;
    for (int i = from; i <= to; ++i) m.push_back(i);
    return m;
  };
  // Page headers added between the months of section IX, up to `pages` comfort pages.
  const auto comfortPages = [&whole](std::size_t pages) {
    const ReportLines nine(whole.begin() + static_cast<std::ptrdiff_t>(FirstBeginning(whole, "IX.")), whole.end());
    const std::size_t headers = pages - ComfortPageStarts(nine).size();
    ReportLines L = WholeReportLines();
    const std::size_t at = FirstBeginning(L, " AVERAGE Indoor Comfort Conditions For All Zones ThroughFEB:");
    for (std::size_t i = 0; i < headers; ++i) {
      const ReportLines header = PageHeader();
      L.insert(L.begin() + static_cast<std::ptrdiff_t>(at), header.begin(), header.end());
    }
    return Crlf(L);
  };
  struct Case {
    const char* what;
    std::string report;
    std::string fault;  // empty: taken
  };
  const Case cases[] = {
      {"no weather page", Crlf(Without(whole, weather, 1)), "no weather page in its input echo"},
      {"a blank line of the weather page removed", Crlf(Without(whole, weather + 5, 1)),
       "no solar caption 13 lines below the title of its weather page"},
      {"an SI weather page over inch-pound figures",
       [&] {
         ReportLines L = whole;
         const ReportLines si = WeatherPage(true);
         std::copy(si.begin(), si.end(), L.begin() + static_cast<std::ptrdiff_t>(weather));
         return Crlf(L);
       }(),
       "section III has site energy in inch-pound units under an SI echo"},
      {"a year stated and run", stated("Simulation period is: 1-Jan-2026 to 31-Dec-2026.", WholeYear()), ""},
      {"recorded weather of 15 February to 20 November",
       stated("for the period of 15-Feb-2026 to 20-Nov-2026.", months(1, 10)), ""},
      {"a year stated, January left out", stated("Simulation period is: 1-Jan-2026 to 31-Dec-2026.", months(1, 11)),
       "section III has the months FEB to DEC, not those of the run period at its head"},
      {"a year stated, December left out", stated("Simulation period is: 1-Jan-2026 to 31-Dec-2026.", months(0, 10)),
       "section III has the months JAN to NOV"},
      // One week a month samples 29 and 31 January before day 30: January is not simulated.
      {"30 January on, one week a month", stated("Simulation period is: 30/1-2026 to 31-Mar-2026.", months(1, 2), 7),
       ""},
      {"30 January on, one week a month, with January",
       stated("Simulation period is: 30/1-2026 to 31-Mar-2026.", months(0, 2), 7),
       "section III has the months JAN to MAR"},
      {"a period that is no date", stated("Simulation period is:  to .", WholeYear()),
       "the run period at its head is not one the engine ran"},
      {"a period that ends before it begins", stated("Simulation period is: 1-Mar-2026 to 1-Feb-2026.", WholeYear()),
       "the run period at its head is not one the engine ran"},
      {"a period of another year", stated("Simulation period is: 1-Jan-2025 to 31-Dec-2025.", WholeYear()),
       "the run period at its head is not one the engine ran"},
      {"a period without section VIII's days a month",
       [&] {
         ReportLines L = WholeReportLines();
         L.insert(L.begin() + 4, std::string(49, ' ') + "Simulation period is: 1-Jan-2026 to 31-Dec-2026.");
         L.insert(L.begin() + 5, std::string(49, ' ') + "Year 2026 begins on Thursday.");
         return Crlf(L);
       }(),
       "section VIII does not state the days it simulated a month"},
      {"99 comfort pages", comfortPages(99), ""},
      {"100 comfort pages", comfortPages(100), "section IX makes more than 99 comfort pages"},
      {"100 zone pages",
       [] {
         WholeReportParts p;
         p.listZones = false;
         for (int i = 0; i < 5 * 99; ++i) p.two.push_back("*** PROJECT: Fixture office");
         p.two.push_back(ZoneHeading(11));
         p.two.push_back(ZoneHeading(12));
         return WholeReport(p);
       }(),
       "section II makes more than 99 zone pages"},
  };
  for (const Case& c : cases) {
    const std::string fault = WholeReportFault(c.report);
    if (c.fault.empty()) {
      EXPECT_EQ(fault, "") << c.what;
    } else {
      EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << c.what << ": " << fault;
    }
  }
}

TEST(WholeReport, the_check_records_where_the_readers_parts_stand) {
  const ReportLines whole = WholeReportLines(Months({3, 4, 5}));
  const WholeReportCheck check = CheckWholeReport(Crlf(whole));
  ASSERT_EQ(check.fault, "");
  const ReportLayout& at = check.layout;
  EXPECT_EQ(at.sections[2].at, FirstBeginning(whole, "III."));
  EXPECT_EQ(at.sections[6].end, FirstBeginning(whole, "IX."));
  EXPECT_EQ(at.firstMonth, FirstBeginning(whole, "APR"));
  EXPECT_EQ(at.monthRule, FirstBeginning(whole, "JUN") + 1);
  EXPECT_EQ(at.site, FirstBeginning(whole, "Site"));
  EXPECT_EQ(at.roof, FirstBeginning(whole, "ROOF"));
  EXPECT_EQ(at.months, (std::vector<std::size_t>{3, 4, 5}));
  EXPECT_EQ(at.units, FirstBeginning(whole, "   WEATHER") + 13);
  EXPECT_EQ(at.unitSystem, 1);
}

TEST(WholeReport, a_report_that_is_not_whole_is_the_wrong_format_error_naming_its_file) {
  EXPECT_NO_THROW(RequireWholeReport(WholeReport(), "/runs/trial.ot1"));
  try {
    RequireWholeReport(Crlf(ReportHead()), "/runs/trial.ot1");
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.number(), kErrPastEndOfFile);
    EXPECT_EQ(e.detail(), "/runs/trial.ot1");
  }
}

}  // namespace
}  // namespace kalvano::model::test
