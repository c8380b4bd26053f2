// Small reports for the chart readers, laid out as the engine lays out the lines they read:
// the echoed weather page's title and solar caption, section III's title and project line,
// the monthly table, the site-energy row and the source intensity, and the load-category
// table with its design-temperature and peak-time lines. Every number is printed in the
// engine's field (its columns and decimals). The reports are whole (the readers take no
// other): the echo's banner, every section with its page header, one zone, and the comfort
// report of the months of the monthly table.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../model/whole_report_fixture.h"

namespace kalvano::reports::test {

// A line of 132 blanks with fields put into it.
class ReportLine {
 public:
  ReportLine() : text_(132, ' ') {}
  // `value` printed in columns from..to (1-based), right-aligned with `decimals`.
  // A value without decimals ends with its point, as the engine prints it ("1476.").
  ReportLine& num(std::size_t from, std::size_t to, double value, int decimals) {
    char buf[64];
    if (decimals == 0) {
      std::snprintf(buf, sizeof buf, "%*.0f.", static_cast<int>(to - from), value);
    } else {
      std::snprintf(buf, sizeof buf, "%*.*f", static_cast<int>(to - from + 1), decimals, value);
    }
    return put(from, buf);
  }
  ReportLine& put(std::size_t from, const std::string& s) {
    if (text_.size() < from - 1 + s.size()) text_.resize(from - 1 + s.size(), ' ');
    text_.replace(from - 1, s.size(), s);
    return *this;
  }
  std::string str() const {
    std::string t = text_;
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
  }

 private:
  std::string text_;
};

struct MonthRow {
  std::string name;  // "JAN"
  double heating = 0, coolingKwh = 0, gas = 0, electricity = 0, bill = 0;
};

struct ChartReport {
  bool si = false;
  std::string project = "Chart test office";
  std::string location = "Springfield";
  // Load-category rows 1..14 (row 13 a rule): peak heating, peak cooling, annual heating,
  // annual cooling.
  std::array<std::array<double, 4>, 15> loads{};
  std::string hoursHeat = "   -2.   DEG F ", hoursCool = "   95.   DEG F ";
  std::string dateHeat = " 14 JAN   7 A.M. ", dateCool = " 21 JUL   3 P.M. ";
  std::vector<MonthRow> months;
  std::array<double, 6> site{};  // the six end uses
  double intensity = 55.5;
  // Markers that can be left out.
  bool weather = true, section3 = true, mon = true, site_ = true, roof = true;

  std::string bytes() const;
};

// A report of twelve months with every table filled, which every chart reader reads.
inline ChartReport ReadableYear() {
  ChartReport r;
  static const char* kNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  for (int i = 0; i < 12; ++i) r.months.push_back({kNames[i], 10.0 + i, 100.0 * i, 1.0, 2.0, 3.0});
  for (std::size_t i = 1; i <= 14; ++i) r.loads[i] = {-1.0 * static_cast<double>(i), 2, -3, 4};
  r.site = {10, 20, 30, 40, 50, 60};
  return r;
}

// The echo's part of a report (up to section III): what the input echo writes before the
// engine's reports are appended.
inline std::string WholeEchoPart(const std::string& report) { return report.substr(0, report.find("\r\nIII.") + 2); }

inline std::string ChartReport::bytes() const {
  namespace fixture = model::test;
  std::vector<std::string> L = fixture::ReportHead();
  auto add = [&L](const std::string& s) { L.push_back(s); };
  add("I.  P R O J E C T   A N D   B U I L D I N G   D A T A");
  fixture::Append(L, fixture::PageHeader(project));
  add("");
  std::vector<std::string> head = fixture::WeatherPage(si);
  if (!weather) head.erase(head.begin());
  L.insert(L.end(), head.begin(), head.end());
  add("");
  add("II.  Z O N E - B Y - Z O N E   P R O P E R T I E S");
  fixture::Append(L, fixture::PageHeader(project));
  add("");
  add(fixture::ZoneHeading(1));
  add("");
  if (section3) add("III.  M O N T H L Y   E N E R G Y   S U M M A R Y");
  add("");
  add(ReportLine().put(1, "*** PROJECT: " + project).put(88, "LOCATION: " + location).str());
  add("");
  if (mon) add("MON  SPACE HEATING         COOLING");
  for (int i = 0; i < 4; ++i) add("---");
  double tHeat = 0, tCool = 0, tGas = 0, tElec = 0, tBill = 0;
  for (const MonthRow& r : months) {
    add(ReportLine()
            .put(1, r.name)
            .num(4, 12, r.heating, 1)
            .num(31, 39, r.coolingKwh, 0)
            .num(80, 87, r.gas, 0)
            .num(104, 112, r.electricity, 0)
            .num(113, 121, r.bill, 0)
            .num(122, 128, 1.25, 2)
            .str());
    tHeat += r.heating, tCool += r.coolingKwh, tGas += r.gas, tElec += r.electricity, tBill += r.bill;
  }
  add(std::string(130, '='));
  add(ReportLine().put(1, "TOT").num(4, 12, tHeat, 1).num(31, 39, tCool, 0).str());
  add(ReportLine().put(1, "($)").num(80, 87, tGas, 0).num(104, 112, tElec, 0).num(113, 121, tBill, 0).str());
  add("");
  if (site_) {
    ReportLine s;
    s.put(1, si ? "Site GJoules =" : "Site MBtus =");
    for (std::size_t i = 0; i < 6; ++i) s.num(16 + 10 * i, 25 + 10 * i, site[i], 1);
    add(s.str());
  }
  add(ReportLine().put(1, "WHOLE-BLDG PERFORMANCE:  Site Line").put(103, "(").num(104, 110, intensity, 1).str());
  add("");
  if (roof) {
    static const char* kRows[] = {"ROOF", "WALLS", "WINDOWS TRANSMISSION", "WINDOWS SOLAR",
                                  "LIGHTS AND EQUIPMENT", "PEOPLE SENSIBLE", "PEOPLE LATENT",
                                  "VENTILATION (SENSIBLE)", "VENTILATION (LATENT)",
                                  "INFILTRATION (SENSIBLE)", "INFILTRATION (LATENT)", "MASS EFFECT"};
    for (std::size_t i = 1; i <= 14; ++i) {
      if (i == 13) {
        add(std::string(130, '-'));
        continue;
      }
      ReportLine l;
      l.put(1, i == 14 ? (si ? "CENTRAL PLANT LOAD" : " CENTRAL PLANT LOAD") : kRows[i - 1]);
      // The central-plant line of an inch-pound report stands one column further right in
      // its peak block.
      const std::size_t shift = (i == 14 && !si) ? 1 : 0;
      l.num(26 + shift, 36 + shift, loads[i][0], 2).num(43 + shift, 53 + shift, loads[i][1], 2);
      l.num(97, 107, loads[i][2], 2).num(114, 124, loads[i][3], 2);
      add(l.str());
    }
    for (int i = 0; i < 6; ++i) add("");
    add(ReportLine().put(1, "  OUTDOOR DESIGN DB").put(30, hoursHeat).put(46, hoursCool).str());
    // The engine starts the dates one column further left in an SI report.
    const std::size_t left = si ? 1 : 0;
    add(ReportLine().put(1, "  PEAK LOAD DATE/TIME").put(30 - left, dateHeat).put(47 - left, dateCool).str());
  }
  add("");
  const fixture::WholeReportParts bodies;
  const std::pair<const char*, std::vector<std::string>> rest[] = {
      {fixture::kTitleFour, bodies.four}, {fixture::kTitleFive, bodies.five}, {fixture::kTitleSeven, bodies.seven}};
  for (const auto& [title, body] : rest) fixture::Append(L, fixture::Section(title, body));
  std::vector<int> run;
  for (const MonthRow& r : months)
    for (int m = 0; m < 12; ++m)
      if (r.name == fixture::kMonthNames[static_cast<std::size_t>(m)]) run.push_back(m);
  fixture::Append(L, fixture::Section(fixture::kTitleEight, fixture::WeatherListing(run)));
  fixture::Append(L, fixture::ComfortSection({1}, run));
  return fixture::Crlf(L);
}

}  // namespace kalvano::reports::test
