// Small whole reports for the tests of everything that reads the current results: the
// echo's head with its banner, the sections I to IX each with its page header and a line,
// section II's zone headings, section III's monthly table and section IX's comfort report
// laid out as the engine writes them for the zones and months chosen. Tests that need their
// own lines in a section (a load table, weather pages, zone blocks) put them into the
// section's body. Header-only.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "frontend/model/whole_report.h"

namespace kalvano::model::test {

using ReportLines = std::vector<std::string>;

inline constexpr std::array<const char*, 12> kMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

inline std::vector<int> WholeYear() { return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; }

inline std::string Crlf(const ReportLines& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

inline void Append(ReportLines& to, const ReportLines& lines) { to.insert(to.end(), lines.begin(), lines.end()); }

// The head of the user's report as the echo writes it: a rule, a blank line, the banner.
inline ReportLines ReportHead() {
  return {std::string(132, '='), "", std::string(19, ' ') + std::string(kReportBanner), ""};
}

// A page header of the echo and the engine.
inline ReportLines PageHeader(const std::string& project = "Fixture office") {
  return {"*** PROJECT: " + project, "    DESCRIPTION: fixture", "    SCHEME: 1"};
}

// Section II's zone heading of zone `number`.
inline std::string ZoneHeading(int number) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "    ZONE  %-3d Zone %d", number, number);
  return buf;
}

// Section III's monthly table: its heading, four more heading lines, a row for each month
// (0..11) and the rule under them, then the totals.
inline ReportLines MonthlyTable(const std::vector<int>& months) {
  ReportLines L = {"MON   SPACE    SOLAR", "      HEATING  HEATING", "      ENERGY   FRACT.", "      (MBtu)",
                   std::string(131, '=')};
  for (int m : months) L.push_back(std::string(kMonthNames[static_cast<std::size_t>(m)]) + "     28.8     0.15");
  L.push_back(std::string(132, '='));
  L.push_back("TOT    119.5");
  L.push_back("($)    1435.");
  return L;
}

// Section IX as the engine writes it for the zones (their numbers) and the months run
// (0..11): its title, a page header, the zone pages of each quarter's first month and the
// all-zone block of every month. Its last line is the last month's degree hours.
inline ReportLines ComfortSection(const std::vector<int>& zones, const std::vector<int>& months) {
  ReportLines L = {"IX.   S P A C E   T E M P E R A T U R E S   &   RH:", "      " + std::string(45, '-')};
  Append(L, PageHeader());
  const auto day = [&L](const char* which) {
    L.push_back(std::string(" ") + which + " Day This Month:");
    for (const char* row : {"  Outdoor=", "  Indoor =", "  Rm. MRT=", "  Op.Temp=", "  Room RH="})
      L.push_back(std::string(row) + " 47. 44. 43.");
  };
  for (int m : months) {
    const std::string name = kMonthNames[static_cast<std::size_t>(m)];
    if (m % 3 == 0) {
      if (m != 0) {
        L.push_back("");
        L.push_back("\f");
        Append(L, PageHeader());
      }
      L.push_back("    Floating space temperatures and comfort conditions:");
      L.push_back("");
      L.push_back("*** COMFORT CONDITIONS FOR " + name + " ***");
      L.push_back("");
      L.push_back(" Time=      1   2   3");
      for (int z : zones) {
        char heading[96];
        std::snprintf(heading, sizeof heading, " ZONE%3d - Temperatures and Relative Humidities:  [ Zone %d ]", z, z);
        L.push_back("");
        L.push_back(heading);
        day("HOTTEST");
        day("COLDEST");
        L.push_back(" COMFORT Criteria:              Cold(<68) ---- Comfortable(68-79) ---- Hot(>79)");
        L.push_back("         Hrs This Month         164.( 43%)         216.( 57%)           0.(  0%)");
      }
    }
    L.push_back("");
    L.push_back(" AVERAGE Indoor Comfort Conditions For All Zones Through" + name + ":");
    L.push_back("  Cumulative Hours This Year:   Cold(<68) ---- Comfortable(68-79) ---- Hot(>79)");
    L.push_back("                                164.( 43%)         216.( 57%)           0.(  0%)");
    L.push_back("");
    L.push_back("  Cumulative Degree-Hours:      Too Cold(<68) -- Too Hot(>79) -- Total Discomfort");
    L.push_back("                                      536.               0.             536.");
  }
  return L;
}

// The bodies of the sections of a small whole report; each section is written as its title,
// its page header, a blank line and its body.
struct WholeReportParts {
  std::vector<int> zones = {11, 12};
  std::vector<int> months = WholeYear();
  ReportLines one = {"    BUILDING DATA ....."};
  ReportLines two;    // after the zone list
  bool listZones = true;  // section II begins with a zone heading for each zone
  ReportLines three;  // after the monthly table
  ReportLines four = {"  11 Office West               1600.     -69.5"};
  ReportLines five = {"         SUMMER ELECTRIC (KW EACH HR)-"};
  ReportLines seven = {"    LIFE-CYCLE COSTS ....."};
  ReportLines eight = {" DAILY WEATHER SUMMARIES FOR JANUARY   2026"};
};

inline constexpr const char* kTitleOne = "I.  P R O J E C T   A N D   B U I L D I N G   D A T A";
inline constexpr const char* kTitleTwo = "II.  Z O N E - B Y - Z O N E   P R O P E R T I E S";
inline constexpr const char* kTitleThree = "III.  M O N T H L Y   S U M M A R I E S";
inline constexpr const char* kTitleFour = "IV.  D E S I G N   D A T A   F O R   H V A C   Z O N E S:";
inline constexpr const char* kTitleFive = "V.  P E A K   D E M A N D   P R O F I L E S :";
inline constexpr const char* kTitleSeven = "VII.  C O S T   A N A L Y S I S :";
inline constexpr const char* kTitleEight = "VIII.  E N D   O F   Y E A R   W E A T H E R   S U M M A R Y :";

// A section: its title, a page header, a blank line and its body.
inline ReportLines Section(const std::string& title, const ReportLines& body) {
  ReportLines L = {title};
  Append(L, PageHeader());
  L.push_back("");
  Append(L, body);
  return L;
}

// The sections III to IX of a whole report: what follows an echo of sections I and II.
inline ReportLines SectionsThreeToNine(const WholeReportParts& p = {}) {
  ReportLines three = MonthlyTable(p.months);
  Append(three, p.three);
  ReportLines L = Section(kTitleThree, three);
  Append(L, Section(kTitleFour, p.four));
  Append(L, Section(kTitleFive, p.five));
  Append(L, Section(kTitleSeven, p.seven));
  Append(L, Section(kTitleEight, p.eight));
  Append(L, ComfortSection(p.zones, p.months));
  return L;
}

inline ReportLines WholeReportLines(const WholeReportParts& p = {}) {
  ReportLines L = ReportHead();
  Append(L, Section(kTitleOne, p.one));
  ReportLines two;
  if (p.listZones)
    for (int z : p.zones) two.push_back(ZoneHeading(z));
  Append(two, p.two);
  Append(L, Section(kTitleTwo, two));
  Append(L, SectionsThreeToNine(p));
  return L;
}

// The zones 1..n.
inline std::vector<int> ZonesUpTo(int n) {
  std::vector<int> zones;
  for (int z = 1; z <= n; ++z) zones.push_back(z);
  return zones;
}

inline std::string WholeReport(const WholeReportParts& p = {}) { return Crlf(WholeReportLines(p)); }

// Section IX of a report, from its title line to the end, as the comfort report holds it.
inline std::string SectionNineOf(const std::string& report) {
  const std::size_t at = report.starts_with("IX.") ? 0 : report.find("\nIX.");
  return at == std::string::npos ? std::string() : report.substr(at == 0 ? 0 : at + 1);
}

}  // namespace kalvano::model::test
