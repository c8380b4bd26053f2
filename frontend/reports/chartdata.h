// The result charts' readers: each cuts its values out of the finished report
// temp/tavik$.out and returns them, with the captions, labels and the full scale of its
// chart, as a plain struct that the chart window draws from. GUI-free.
//
// Fields are cut where the engine prints them and kept as text right-aligned in the width
// the chart keeps for them (8 characters for a load value, and so on), whole when the
// number needs more.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_model.h"
#include "frontend/model/results_record.h"

namespace kalvano::reports {

// The charts by the numbers of the View Output menu's graph items (and of the shell's
// window::graphs opener).
enum ChartKind : int {
  kPeakHeatingChart = 1,
  kPeakCoolingChart = 2,
  kAnnualHeatingChart = 3,
  kAnnualCoolingChart = 4,
  kMonthlyEnergyChart = 5,
  kMonthlyCostChart = 6,
  kSourceEnergyChart = 7,
};

// A report field's number and a chart's number text are the front-end's own: the leading
// number of a text, blanks ignored (0 when there is none), and the shortest decimal form
// with a sign position and no zero before the point (" .35"), 15 significant digits for a
// double and 7 for a single-precision value. Both are locale-free. No field the engine
// writes reaches 10^15; a damaged report's larger number ("9.9E+99" fits seven columns)
// is refused as an overflow, since no chart can scale or label it.
double Number(std::string_view text);
inline std::string NumberText(double value) { return model::NumberTextDouble(value); }
inline std::string NumberText(float value) { return model::NumberText(value); }
// The full scale of a chart whose largest magnitude is `big` (0 or more).
double ChartScaleOf(double big);

// What every reader finds first: the unit system of the report (1 inch-pound, 2 SI) and
// the project name and location of section III's project line.
struct ChartHead {
  int units = 1;
  std::string projectName;  // as cut, blanks included
  std::string location;
};

// The four load charts (peak and annual heating and cooling loads by load component).
struct LoadChartData {
  int chart = kPeakCoolingChart;
  ChartHead head;
  std::array<std::string, 16> value{};  // entries 1 to 14, after the sums
  std::array<std::string, 9> valcat{};  // value label of each bar
  std::array<double, 9> bar{};          // the value each bar is drawn to
  double scale = 0.1;
  std::string title;         // "Peak Cooling Loads"
  std::string caption;       // window caption: title " -- " ProjectFile
  std::string unitsLabel;    // "kBtuh", " kW ", "MBtu", "GJoules"
  std::string totalCaption;  // "Total Peak Cooling Loads = ..."
  std::array<std::string, 2> plus{}, minus{};  // axis values at half and full scale
};

// The two monthly line charts.
struct MonthlyChartData {
  int chart = kMonthlyEnergyChart;
  ChartHead head;
  int first = 1, last = 0;  // month rows first..last (1 = January)
  // Entries by month 1..12 and, for the cost chart, the totals at last + 1. Energy chart:
  // heating (8), cooling kWh (9); cost chart: gas (8), electricity (9), total bill (9).
  std::array<std::array<std::string, 14>, 3> field{};
  int lines = 2;                                    // 2 energy, 3 cost
  std::array<std::array<double, 13>, 3> point{};    // the value each line passes at month m
  double scale = 1;
  std::string caption;                 // window caption
  std::string unitLabel;               // "MBtu" / "GJoules"; empty on the cost chart
  std::array<std::string, 2> legend{};        // "Heating Energy", "Cooling Energy"
  std::array<std::string, 2> totalCaptions{}; // "Total Heating Energy", ...
  std::string totheat, totcool, label8;
  std::array<std::string, 4> axis{};   // at one to four quarters of the scale
  bool line5 = false;                  // the third legend sample (cost chart)
};

// The energy breakdown chart.
struct SourceChartData {
  ChartHead head;
  std::array<std::string, 7> value{};  // entries 1 to 6, as the labels show them
  std::array<double, 6> bar{};
  std::array<std::string, 4> kwh{};    // "( 29299 )" under the electric end uses
  std::string kwhUnit = "kWh";
  double intensity = 0;
  double scale = 0.1;
  std::array<std::string, 4> axis{};
  std::string valueUnit;  // "MBtu" / "GJoules"
  std::string euf;        // the intensity with its unit
  std::string caption;    // "Breakdown of Annual Energy -- " ProjectFile
};

using ReportLines = std::vector<std::string>;

// The readers on a whole report: each takes its figures, its unit system and each monthly
// row's month from what the whole report check validated (model::ReportLayout), and from
// nothing else. A layout without a unit system is reading past the end of the report, and
// month rows that are not the layout's months, or overflow a table, are an index out of
// range (model::FileError).
LoadChartData CutLoadChart(const model::CurrentReport& report, int chart, const model::ProjectModel& m);
MonthlyChartData CutMonthlyChart(const model::CurrentReport& report, int chart, const model::ProjectModel& m);
SourceChartData CutSourceEnergy(const model::CurrentReport& report, const model::ProjectModel& m);

// The readers on temp/tavik$.out. A failure is shown through ReportFileError, sets
// ResultsViewable to 0 and gives nothing.
std::optional<LoadChartData> ReadLoadChart(model::ProjectModel& m, model::MessageBoxes& boxes, int chart);
std::optional<MonthlyChartData> ReadMonthlyChart(model::ProjectModel& m, model::MessageBoxes& boxes,
                                                 int chart);
std::optional<SourceChartData> ReadSourceEnergy(model::ProjectModel& m, model::MessageBoxes& boxes);

// The structs written out as text, one entry a line (for review and golden files).
std::string ChartText(const LoadChartData& d);
std::string ChartText(const MonthlyChartData& d);
std::string ChartText(const SourceChartData& d);

}  // namespace kalvano::reports
