// Small whole reports for the tests of everything that reads the current results: the
// echo's head with its banner and its weather page (inch-pound), the sections I to IX each
// with its page header and a line, section II's zone headings, section III's monthly table
// and section IX's comfort report laid out as the engine writes them for the zones and
// months chosen. Tests that need their own lines in a section (a load table, weather pages,
// zone blocks) put them into the section's body. Header-only.
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

// The echo's weather page from its title to its solar caption, 13 lines below, which names
// the unit system: "SQ.FT. OF HORIZONTAL SURFACE" from column 11, or in SI "SQ.M. OF
// HORIZONTAL SURFACE" from column 12.
inline ReportLines WeatherPage(bool si = false) {
  ReportLines L = {"   WEATHER INPUT DATA ....", std::string(48, ' ') + "JAN   FEB   MAR"};
  for (int i = 0; i < 10; ++i) L.push_back(i % 3 == 2 ? "" : "        AVERAGE ....");
  L.push_back(si ? "        AVERAGE DAILY SOLAR WATT PER" : "        AVERAGE DAILY SOLAR BTUS PER");
  L.push_back(si ? "           SQ.M. OF HORIZONTAL SURFACE         90   114   167"
                 : "          SQ.FT. OF HORIZONTAL SURFACE          560   791  1091");
  return L;
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

// A month row of section III as the engine prints it, every field in its place.
inline std::string MonthTableRow(const char* name) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%s%9.1f%9.2f%9.1f%8.0f.%8.0f.%8.0f.%7d%7d%7.0f.%7.0f.%7.1f%8.0f.%8.0f.%8.0f.%7.2f", name,
                28.8, 0.15, 1.2, 1476.0, 120.0, 3000.0, 100, 200, 12.0, 100.0, 10.5, 4000.0, 400.0, 500.0, 1.25);
  return buf;
}

// What section III holds after the rows of its monthly table, as the engine prints it: the
// rule, the "TOT" and "($)" lines, the site end-use row and the whole-building line, and the
// load table from its "ROOF" row to the peak times (an inch-pound report's).
inline ReportLines SectionThreeTail() {
  ReportLines L = {std::string(132, '=')};
  char buf[200];
  std::snprintf(buf, sizeof buf, "TOT%9.1f%9.2f%9.1f%8.0f.%8.0f.%8.0f.", 119.5, 0.15, 14.4, 17712.0, 1440.0, 36000.0);
  L.push_back(buf);
  std::snprintf(buf, sizeof buf, "($)%8.0f.%9s%8.0f.%8.0f.%8.0f.%8.0f.%22s%7.0f.%6.0f.%8.0f.%8.0f.%8.0f.%7.2f", 1435.0, "",
                10.0, 120.0, 12.0, 300.0, "", 1200.0, 60.0, 3000.0, 4800.0, 6000.0, 1.25);
  L.push_back(buf);
  L.push_back("");
  std::snprintf(buf, sizeof buf, "Site MBtus =   %10.1f%10.1f%10.1f%10.1f%10.1f%10.1f", 310.4, 42.5, 208.2, 71.7,
                324.2, 273.5);
  L.push_back(buf);
  std::snprintf(buf, sizeof buf,
                "WHOLE-BLDG PERFORMANCE:  Site Line%7.0f. MBtu (%7.1f kBtu/sq.ft.) ...... Source Line%7.0f. MBtu "
                "(%7.1f kBtu/sq.ft.)",
                1230.0, 55.5, 3000.0, 120.5);
  L.push_back(buf);
  L.push_back(std::string(132, '='));
  L.push_back("");
  static constexpr const char* kCategories[] = {
      "ROOF", "WALLS", "WINDOWS TRANSMISSION", "WINDOWS SOLAR", "LIGHTS AND EQUIPMENT", "PEOPLE SENSIBLE",
      "PEOPLE LATENT", "VENTILATION (SENSIBLE)", "VENTILATION (LATENT)", "INFILTRATION (SENSIBLE)",
      "INFILTRATION (LATENT)", "MASS EFFECT"};
  for (const char* c : kCategories) {
    std::snprintf(buf, sizeof buf, "%-25s%11.2f%6.1f%11.2f%6.1f%12s%-25s%11.2f%6.1f%11.2f%6.1f", c, -10.25, 5.0, 20.5,
                  10.0, "", c, -2.5, 5.0, 4.25, 10.0);
    L.push_back(buf);
  }
  L.push_back(std::string(24, '-'));
  std::snprintf(buf, sizeof buf, " CENTRAL PLANT LOAD       %11.2f kBtuh%11.2f kBtuh%11sTOTAL ANNUAL LOADS       %11.2f MBtu %11.2f MBtu ",
                -110.46, 150.79, "", -250.5, 420.25);
  L.push_back(buf);
  L.push_back("                                           (     12.6  TONS)");
  L.push_back("                                           (     250. s.ft./TON)");
  L.push_back("                                           ( SYSTEM SHR = 0.85)");
  L.push_back("");
  L.push_back("DESIGN CONDITIONS:               HEATING          COOLING");
  L.push_back("  TOTAL AIR SUPPLY           5000.     CFM      6000. CFM");
  L.push_back("  OUTDOOR DESIGN DB             -2.     DEG F       95. DEG F");
  L.push_back("  PEAK LOAD DATE/TIME         14 JAN   7 A.M.  21 JUL   3 P.M. ");
  return L;
}

// Section III's monthly table: its heading, four more heading lines, a row for each month
// (0..11), then what follows the rows (SectionThreeTail).
inline ReportLines MonthlyTable(const std::vector<int>& months) {
  ReportLines L = {"MON   SPACE    SOLAR", "      HEATING  HEATING", "      ENERGY   FRACT.", "      (MBtu)",
                   std::string(131, '=')};
  for (int m : months) L.push_back(MonthTableRow(kMonthNames[static_cast<std::size_t>(m)]));
  Append(L, SectionThreeTail());
  return L;
}

// Section VIII's weather listing of the months run (0..11): each month's daily summary
// heading and a day.
inline ReportLines WeatherListing(const std::vector<int>& months) {
  static constexpr const char* kFull[] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                          "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
  ReportLines L;
  for (int m : months) {
    L.push_back(std::string(" DAILY WEATHER SUMMARIES FOR ") + kFull[static_cast<std::size_t>(m)] + "   2026");
    L.push_back(" THU  1/ 1   0721  7:      20.1    28.4    35.2");
  }
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
  ReportLines four = {"  11 Office West               1600.     -69.5", std::string(131, '='),
                      "TOTAL OF ALL ZONES:            1600.     -69.5"};
  ReportLines five = {"         SUMMER ELECTRIC (KW EACH HR)-", "         12.     14.", "",
                      "         SUMMER GAS   (kBtuh EACH HR)-", "          0.      0.", "",
                      "         WINTER ELECTRIC (KW EACH HR)-", "         10.     11.", "",
                      "         WINTER GAS   (kBtuh EACH HR)-", "         40.     42.", "",
                      "      PLOTS FOR ENERGY DEMAND FOR PEAK SUMMER AND WINTER DAYS",
                      std::string(49, ' ') + "TIME OF DAY (HRS AFTER MIDNIGHT)"};
  ReportLines seven = {"    LIFE-CYCLE COSTS .....", "         TOTAL PRESENT WORTH    $   123456.       12.34"};
  ReportLines eight;  // empty: the weather listing of the months run
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
  Append(L, Section(kTitleEight, p.eight.empty() ? WeatherListing(p.months) : p.eight));
  Append(L, ComfortSection(p.zones, p.months));
  return L;
}

inline ReportLines WholeReportLines(const WholeReportParts& p = {}) {
  ReportLines L = ReportHead();
  Append(L, WeatherPage());
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
