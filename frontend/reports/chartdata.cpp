#include "frontend/reports/chartdata.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/results_record.h"
#include "frontend/reports/tabextract.h"

namespace kalvano::reports {

namespace {

[[noreturn]] void PastEnd() { throw model::FileError(model::kErrPastEndOfFile); }

const std::string& LineAt(const ReportLines& report, std::size_t i) {
  if (i >= report.size()) PastEnd();
  return report[i];
}

// Columns from..to (1-based) of a line, as far as the line reaches.
std::string Columns(std::string_view line, std::size_t from, std::size_t to) {
  if (line.size() < from) return {};
  return std::string(line.substr(from - 1, to - from + 1));
}

// The engine's field in columns from..to, right-aligned in `width` characters (whole when
// the number needs more).
std::string Field(std::string_view line, std::size_t from, std::size_t to, std::size_t width) {
  std::string text = Columns(line, from, to);
  const std::size_t lead = text.find_first_not_of(' ');
  text = lead == std::string::npos ? std::string() : text.substr(lead);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// The report head: the unit system that the echoed weather page's solar caption names.
void HeadScan(const model::CurrentReport& report, ChartHead& head) {
  if (report.layout.unitSystem == 0) PastEnd();
  head.units = report.layout.unitSystem;
}

// Section III's project line, two lines below its title.
void ProjectLine(const model::CurrentReport& report, ChartHead& head) {
  const std::string& line = LineAt(report.lines, report.layout.project);
  head.projectName = Columns(line, 14, 48);
  head.location = Columns(line, 98, 134);
}

std::string First8(const std::string& text) { return text.substr(0, std::min<std::size_t>(8, text.size())); }

struct LoadFamily {
  int chart;
  std::string_view title, unitsIp, unitsSi, totalHead, totalIp, totalSi;
  bool peak, heating;
};

constexpr LoadFamily kLoadFamily[] = {
    {kPeakHeatingChart, "Peak Heating Loads", "kBtuh", " kW ", "Total Peak Heating Loads = ", " kBtuh @ ",
     " kW @ ", true, true},
    {kPeakCoolingChart, "Peak Cooling Loads", "kBtuh", " kW ", "Total Peak Cooling Loads = ", " kBtuh @ ",
     " kW @ ", true, false},
    {kAnnualHeatingChart, "Annual Heating Loads", "MBtu", "GJoules", "Total Annual Heating Loads = ",
     " MBtu.", " GJoules.", false, true},
    {kAnnualCoolingChart, "Annual Cooling Loads", "MBtu", "GJoules", "Total Annual Cooling Loads = ",
     " MBtu.", " GJoules.", false, false},
};

const LoadFamily& FamilyOf(int chart) {
  for (const LoadFamily& f : kLoadFamily)
    if (f.chart == chart) return f;
  throw model::FileError(model::kErrSubscript);
}

std::string ScaleText(double v) { return NumberText(static_cast<float>(v)); }

template <typename Data, typename Cut>
std::optional<Data> ReadChart(model::ProjectModel& m, model::MessageBoxes& boxes, Cut cut) {
  try {
    return cut(model::ReadCurrentReportLines(m));
  } catch (const model::FileError& e) {
    model::ReportFileError(boxes, e);
  } catch (const model::ResultsReplaced&) {
    model::ReportResultsReplaced(m, boxes);
  }
  m.ResultsViewable = 0;
  return std::nullopt;
}

}  // namespace

double Number(std::string_view text) {
  const double value = model::Val(text);
  if (!(std::fabs(value) < 1e15)) throw model::FileError(model::kErrOverflow);
  return value;
}

double ChartScaleOf(double big) {
  double scale = 0;
  if (big >= 1) {
    const std::string s = NumberText(big);
    std::size_t n = 0;
    for (char c : s) {
      if (c == '.') break;
      if (c != ' ') ++n;
    }
    int d = s[1] - '0';
    if (d == 0) d = 1;
    const double place = std::pow(10.0, static_cast<double>(n) - 1);
    scale = std::floor(big / place) == big ? big : (d + 1) * place;
  } else if (big > 0) {
    // Below 1: the first significant digit d at its place value; (d + 1) times the place,
    // or the value itself when it is d times the place.
    const std::string s = NumberText(big);  // " .035"
    const std::size_t point = s.find('.');
    std::size_t j = point + 1;
    while (j < s.size() && s[j] == '0') ++j;
    if (j < s.size()) {
      const int d = s[j] - '0';
      const double place = std::pow(10.0, -static_cast<double>(j - point));
      const bool exact = s.find_first_not_of('0', j + 1) == std::string::npos;
      scale = exact ? big : (d + 1) * place;
    }
  }
  return std::max(scale, 0.1);
}

LoadChartData CutLoadChart(const model::CurrentReport& whole, int chart, const model::ProjectModel& m) {
  const LoadFamily& f = FamilyOf(chart);
  LoadChartData d;
  d.chart = chart;
  HeadScan(whole, d.head);
  ProjectLine(whole, d.head);
  const bool si = d.head.units == 2;
  const ReportLines& report = whole.lines;
  const std::size_t roof = whole.layout.roof;
  // The engine's columns of the four fields; the central-plant line (row 14) of an
  // inch-pound report stands one column further right in its peak block.
  const std::size_t from = f.peak ? (f.heating ? 26 : 43) : (f.heating ? 97 : 114);
  for (std::size_t i = 1; i <= 14; ++i) {
    const std::string& line = LineAt(report, roof + i - 1);
    if (i == 13) continue;
    const std::size_t shift = (i == 14 && f.peak && !si) ? 1 : 0;
    d.value[i] = Field(line, from + shift, from + shift + 10, 8);
  }
  const std::string& hours = LineAt(report, roof + 20);
  const std::string& dates = LineAt(report, roof + 21);
  const std::string hour = f.heating ? Columns(hours, 30, 44) : Columns(hours, 46, 60);
  // The engine writes the peak dates one column further left in an SI report; either way
  // each date is cut with the blank before it.
  const std::size_t dateFrom = (f.heating ? 30 : 47) - (si ? 1 : 0);
  const std::string date = Columns(dates, dateFrom, dateFrom + 16);

  for (std::size_t i = 9; i <= 11; ++i) d.value[8] = NumberText(Number(d.value[i]) + Number(d.value[8]));
  d.value[9] = d.value[12];
  d.value[11] = d.value[14];

  double max = 0, min = 0;
  for (std::size_t b = 1; b <= 9; ++b) {
    const double whole = Number(d.value[b]);
    const double first8 = Number(First8(d.value[b]));
    d.valcat[b - 1] = NumberText(f.peak ? whole : first8);
    d.bar[b - 1] = first8;
    if (whole >= 0) max = std::max(max, whole);
    else min = std::min(min, whole);
  }
  d.scale = ChartScaleOf(max > -min ? max : -min);

  d.title = std::string(f.title);
  d.caption = ViewCaption(f.title, m);
  d.unitsLabel = std::string(si ? f.unitsSi : f.unitsIp);
  const std::string& total = chart == kPeakCoolingChart ? d.value[14] : d.value[11];
  d.totalCaption = std::string(f.totalHead) + total + std::string(si ? f.totalSi : f.totalIp);
  if (f.peak) d.totalCaption += hour + " on" + date;
  for (int i = 1; i <= 2; ++i) {
    d.plus[static_cast<std::size_t>(i - 1)] = ScaleText(i * (d.scale / 2));
    d.minus[static_cast<std::size_t>(i - 1)] = ScaleText(i * (-d.scale / 2));
  }
  return d;
}

namespace {

struct MonthField {
  std::size_t from, to, width;
};
// Energy chart: space heating (F9.1) and cooling energy in kWh; cost chart: gas cost,
// electricity cost and total bill (F9.0).
constexpr MonthField kEnergyFields[] = {{4, 12, 8}, {31, 39, 9}};
constexpr MonthField kCostFields[] = {{80, 87, 8}, {104, 112, 9}, {113, 121, 9}};

}  // namespace

MonthlyChartData CutMonthlyChart(const model::CurrentReport& whole, int chart, const model::ProjectModel& m) {
  const bool cost = chart == kMonthlyCostChart;
  MonthlyChartData d;
  d.chart = cost ? kMonthlyCostChart : kMonthlyEnergyChart;
  d.lines = cost ? 3 : 2;
  HeadScan(whole, d.head);
  ProjectLine(whole, d.head);
  const bool si = d.head.units == 2;
  const ReportLines& report = whole.lines;
  // Each row's month is the one the whole report check found for it: the rows stand at
  // their months' indices 1..12.
  const std::vector<std::size_t>& months = whole.layout.months;
  if (months.empty()) PastEnd();
  std::size_t row = whole.layout.firstMonth;
  const MonthField* fields = cost ? kCostFields : kEnergyFields;
  for (std::size_t i = 0; !LineAt(report, row).starts_with("="); ++i, ++row) {
    if (i >= months.size() || months[i] >= 12) throw model::FileError(model::kErrSubscript);
    const std::size_t k = months[i] + 1;
    for (int c = 0; c < d.lines; ++c)
      d.field[c][k] = Field(report[row], fields[c].from, fields[c].to, fields[c].width);
  }
  if (row != whole.layout.firstMonth + months.size()) throw model::FileError(model::kErrSubscript);
  const std::string& totals = LineAt(report, row + (cost ? 2 : 1));
  d.first = static_cast<int>(months.front()) + 1;
  d.last = static_cast<int>(months.back()) + 1;
  const int k = d.last;
  const double toEnergy = si ? 3.6 / 1e3 : 3413.0 / 1e6;
  for (int i = d.first; i <= k; ++i) {
    for (int c = 0; c < d.lines; ++c) d.point[c][i] = Number(d.field[c][i]);
    if (!cost) d.point[1][i] = static_cast<float>(d.point[1][i] * toEnergy);
  }
  double big = 0;
  if (cost) {
    for (int i = d.first; i <= k; ++i) big = std::max(big, d.point[2][i]);
  } else {
    for (int i = d.first; i <= k; ++i) big = std::max({big, d.point[0][i], d.point[1][i]});
  }
  if (big <= 0) big = 1;
  d.scale = ChartScaleOf(big);
  const double step = d.scale / 4;
  if (cost) {
    for (int c = 0; c < 3; ++c) d.field[c][k + 1] = Field(totals, fields[c].from, fields[c].to, fields[c].width);
    d.totheat = " $ " + d.field[0][k + 1];
    d.totcool = " $ " + d.field[1][k + 1];
    d.label8 = "Total Costs = $ " + d.field[2][k + 1];
    d.line5 = true;
    for (int i = 1; i <= 4; ++i) d.axis[static_cast<std::size_t>(i - 1)] = "$" + ScaleText(i * step);
    d.legend = {"Gas Cost", "Elec. Cost"};
    d.totalCaptions = {"Total Gas Costs", "Total Elec. Costs"};
    d.caption = ViewCaption("Monthly Utility Costs", m);
  } else {
    const std::string heatTotal = Field(totals, fields[0].from, fields[0].to, fields[0].width);
    const double coolTotal = Number(Field(totals, fields[1].from, fields[1].to, fields[1].width));
    const double tenths = std::floor(coolTotal * 10 * (si ? 3.6 / 1e3 : 3413.0 / 1e6) + 0.5);
    d.unitLabel = si ? "GJoules" : "MBtu";
    d.totheat = heatTotal + "  " + d.unitLabel;
    d.totcool = ScaleText(tenths / 10) + "  " + d.unitLabel;
    for (int i = 1; i <= 4; ++i) d.axis[static_cast<std::size_t>(i - 1)] = ScaleText(i * step);
    d.legend = {"Heating Energy", "Cooling Energy"};
    d.totalCaptions = {"Total Heating Energy", "Total Cooling Energy"};
    d.caption = ViewCaption("Monthly Heating and Cooling Energy", m);
  }
  return d;
}

SourceChartData CutSourceEnergy(const model::CurrentReport& whole, const model::ProjectModel& m) {
  SourceChartData d;
  HeadScan(whole, d.head);
  ProjectLine(whole, d.head);
  const bool si = d.head.units == 2;
  const ReportLines& report = whole.lines;
  const std::size_t site = whole.layout.site;
  const std::string& line = LineAt(report, site);
  static constexpr std::size_t kWidth[] = {7, 8, 7, 7, 7, 7};
  for (std::size_t i = 1; i <= 6; ++i)
    d.value[i] = Field(line, 16 + 10 * (i - 1), 25 + 10 * (i - 1), kWidth[i - 1]);
  d.intensity = static_cast<float>(Number(Columns(LineAt(report, site + 1), 104, 110)));

  double max = 0;
  for (std::size_t i = 1; i <= 6; ++i) {
    d.bar[i - 1] = Number(d.value[i]);
    max = std::max(max, d.bar[i - 1]);
  }
  // The electric end uses in kWh; in an SI report in MWh for all four when the largest
  // passes 1000 kWh.
  std::array<double, 4> kwh{};
  for (std::size_t i = 3; i <= 6; ++i) kwh[i - 3] = si ? d.bar[i - 1] * 277.7778 : d.bar[i - 1] * 1e6 / 3413;
  const bool mwh = si && *std::max_element(kwh.begin(), kwh.end()) > 1000;
  for (std::size_t i = 0; i < 4; ++i)
    d.kwh[i] = "(" + NumberText(std::trunc(mwh ? kwh[i] / 1000 : kwh[i])) + " )";
  if (mwh) d.kwhUnit = "MWh";
  d.scale = ChartScaleOf(max);
  for (int i = 1; i <= 4; ++i) d.axis[static_cast<std::size_t>(i - 1)] = ScaleText(i * (d.scale / 4));
  d.valueUnit = si ? "GJoules" : "MBtu";
  d.euf = NumberText(static_cast<float>(d.intensity)) + (si ? " MJ/sq.m." : " kBtu/sq.ft.");
  d.caption = ViewCaption("Breakdown of Annual Energy", m);
  return d;
}

std::optional<LoadChartData> ReadLoadChart(model::ProjectModel& m, model::MessageBoxes& boxes, int chart) {
  return ReadChart<LoadChartData>(m, boxes,
                                  [&](const model::CurrentReport& r) { return CutLoadChart(r, chart, m); });
}

std::optional<MonthlyChartData> ReadMonthlyChart(model::ProjectModel& m, model::MessageBoxes& boxes,
                                                 int chart) {
  return ReadChart<MonthlyChartData>(m, boxes,
                                     [&](const model::CurrentReport& r) { return CutMonthlyChart(r, chart, m); });
}

std::optional<SourceChartData> ReadSourceEnergy(model::ProjectModel& m, model::MessageBoxes& boxes) {
  return ReadChart<SourceChartData>(m, boxes,
                                    [&](const model::CurrentReport& r) { return CutSourceEnergy(r, m); });
}

namespace {

void Put(std::string& out, std::string_view name, std::string_view value) {
  out += name;
  out += ": [";
  out += value;
  out += "]\n";
}

void PutHead(std::string& out, const ChartHead& h, std::string_view caption) {
  Put(out, "caption", caption);
  Put(out, "units", std::to_string(h.units));
  Put(out, "proname", h.projectName);
  Put(out, "proloc", h.location);
}

}  // namespace

std::string ChartText(const LoadChartData& d) {
  std::string out;
  PutHead(out, d.head, d.caption);
  for (std::size_t i = 1; i <= 14; ++i) Put(out, "value(" + std::to_string(i) + ")", d.value[i]);
  for (std::size_t b = 0; b < 9; ++b) {
    Put(out, "valcat(" + std::to_string(b) + ")", d.valcat[b]);
    Put(out, "bar " + std::to_string(b + 1), NumberText(d.bar[b]));
  }
  Put(out, "scale", ScaleText(d.scale));
  for (std::size_t i = 0; i < 2; ++i) {
    Put(out, "pluslb(" + std::to_string(i + 1) + ")", d.plus[i]);
    Put(out, "minlb(" + std::to_string(i + 1) + ")", d.minus[i]);
  }
  Put(out, "Label4", d.unitsLabel);
  Put(out, "Totheat", d.totalCaption);
  return out;
}

std::string ChartText(const MonthlyChartData& d) {
  std::string out;
  PutHead(out, d.head, d.caption);
  Put(out, "months", std::to_string(d.first) + ".." + std::to_string(d.last));
  const int top = d.chart == kMonthlyCostChart ? d.last + 1 : d.last;
  for (int c = 0; c < d.lines; ++c)
    for (int i = d.first; i <= top; ++i) {
      const std::string at = "(" + std::to_string(c) + "," + std::to_string(i) + ")";
      Put(out, "field" + at, d.field[c][i]);
      if (i <= d.last) Put(out, "point" + at, NumberText(d.point[c][i]));
    }
  Put(out, "scale", ScaleText(d.scale));
  for (std::size_t i = 0; i < 4; ++i) Put(out, "Label3(" + std::to_string(i + 1) + ")", d.axis[i]);
  Put(out, "Label4(0)", d.unitLabel);
  Put(out, "Label6(0)", d.legend[0]);
  Put(out, "Label6(1)", d.legend[1]);
  Put(out, "Label7(0)", d.totalCaptions[0]);
  Put(out, "Label7(1)", d.totalCaptions[1]);
  Put(out, "totheat", d.totheat);
  Put(out, "totcool", d.totcool);
  Put(out, "Label8", d.label8);
  return out;
}

std::string ChartText(const SourceChartData& d) {
  std::string out;
  PutHead(out, d.head, d.caption);
  for (std::size_t i = 1; i <= 6; ++i) Put(out, "Label3(" + std::to_string(i - 1) + ")", d.value[i]);
  for (std::size_t i = 0; i < 4; ++i) Put(out, "kwh(" + std::to_string(i) + ")", d.kwh[i]);
  Put(out, "kwh(4)", d.kwhUnit);
  Put(out, "scale", ScaleText(d.scale));
  for (std::size_t i = 0; i < 4; ++i) Put(out, "Label4(" + std::to_string(i + 1) + ")", d.axis[i]);
  Put(out, "Label2(6)", d.valueUnit);
  Put(out, "euf", d.euf);
  return out;
}

}  // namespace kalvano::reports
