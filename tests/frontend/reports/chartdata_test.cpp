// The chart readers on small reports laid out as the engine lays them out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart_report_builder.h"
#include "frontend/model/file_error.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/results_record.h"
#include "frontend/reports/chartdata.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

TEST(ChartScale, follows_the_rule_with_its_floor_and_the_amended_rule_below_1) {
  const struct {
    double big, scale;
  } cases[] = {{350, 400}, {300, 400}, {95, 100},  {1234.5, 2000}, {7, 7},   {7.5, 8},
               {3000, 4000}, {0.35, 0.4}, {0.3, 0.3}, {0.95, 1},   {0.035, 0.1}, {0, 0.1},
               {0.05, 0.1}, {1, 1},      {9.5, 10}, {12345.6, 20000}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ChartScaleOf(c.big), c.scale) << c.big;
}

TEST(ChartNumbers, number_and_number_text_as_the_labels_use_them) {
  EXPECT_EQ(NumberText(0.35), " .35");
  EXPECT_EQ(NumberText(-0.5), "-.5");
  EXPECT_EQ(NumberText(12345.67), " 12345.67");
  EXPECT_EQ(NumberText(10000.01 + 2345.66), " 12345.67");
  EXPECT_EQ(NumberText(0.0), " 0");
  EXPECT_EQ(NumberText(500.0f), " 500");
  EXPECT_EQ(NumberText(0.4f), " .4");
  EXPECT_DOUBLE_EQ(Number("  -12 345.6x"), -12345.6);
  EXPECT_DOUBLE_EQ(Number("   "), 0);
  EXPECT_DOUBLE_EQ(Number(" DEG"), 0);
}

class ChartReaders : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    m.AppDir = base.dir().string();
    m.ProjectFile = "Office.inp";
    m.ResultsViewable = 1;
  }
  // Puts the report into temp as the current results.
  void Write(const ChartReport& r) {
    base.write("temp/tavik$.out", r.bytes());
    model::RecordResults(m);
  }
  static ChartReport Year() {
    ChartReport r;
    static const char* kNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int i = 0; i < 12; ++i)
      r.months.push_back({kNames[i], 10.0 * (12 - i) + 0.3, 1000.0 * i, 100.0 + i, 200.0 + i, 400.0 + 2 * i});
    for (std::size_t i = 1; i <= 14; ++i)
      r.loads[i] = {-10.0 * static_cast<double>(i) - 0.25, 5.0 * static_cast<double>(i) + 0.75,
                    -2.0 * static_cast<double>(i) - 0.5, 1.5 * static_cast<double>(i) + 0.25};
    r.site = {310.4, 42.5, 208.2, 71.7, 324.2, 273.5};
    return r;
  }
  model::ProjectModel m;
};

TEST_F(ChartReaders, load_values_are_cut_whole_from_the_engine_fields) {
  ChartReport r = Year();
  r.loads[1][0] = -12345.67;  // beyond -9999.99: keeps its sign
  r.loads[14] = {-110.46, 150.79, -250.5, 420.25};
  for (bool si : {false, true}) {
    r.si = si;
    Write(r);
    const auto heat = ReadLoadChart(m, boxes, kPeakHeatingChart);
    ASSERT_TRUE(heat);
    EXPECT_EQ(heat->head.units, si ? 2 : 1);
    EXPECT_EQ(heat->value[1], "-12345.67");
    EXPECT_DOUBLE_EQ(heat->bar[0], -12345.6);  // drawn from the first 8 characters
    EXPECT_EQ(heat->valcat[0], "-12345.67");
    EXPECT_EQ(heat->value[11], " -110.46");  // the central-plant total, whole in IP and SI
    // The peak date is cut where the engine writes it in either unit system, with its blank.
    EXPECT_EQ(heat->totalCaption, std::string("Total Peak Heating Loads =  -110.46") +
                                      (si ? " kW @ " : " kBtuh @ ") + "   -2.   DEG F  on 14 JAN   7 A.M. ");
    const auto cool = ReadLoadChart(m, boxes, kPeakCoolingChart);
    ASSERT_TRUE(cool);
    EXPECT_EQ(cool->value[2], "   10.75");
    EXPECT_EQ(cool->value[14], "  150.79");
    EXPECT_EQ(cool->totalCaption, std::string("Total Peak Cooling Loads =   150.79") +
                                      (si ? " kW @ " : " kBtuh @ ") + "   95.   DEG F on 21 JUL   3 P.M.");
    EXPECT_EQ(cool->unitsLabel, si ? " kW " : "kBtuh");
    const auto ann = ReadLoadChart(m, boxes, kAnnualCoolingChart);
    ASSERT_TRUE(ann);
    EXPECT_EQ(ann->totalCaption, std::string("Total Annual Cooling Loads =   420.25") + (si ? " GJoules." : " MBtu."));
    EXPECT_EQ(ann->head.projectName, "Chart test office                  ");  // 35 columns, as cut
    EXPECT_EQ(ann->head.location, "Springfield");
    EXPECT_EQ(ann->caption, "Annual Cooling Loads -- Office.inp");
  }
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(ChartReaders, infiltration_and_ventilation_sum_mass_effect_and_scale) {
  ChartReport r = Year();
  for (std::size_t i = 1; i <= 14; ++i) r.loads[i] = {0, 0, 0, 0};
  // Rows 8 to 11 sum to 123456.78 kBtuh: 10 characters, drawn from its first 8.
  r.loads[8][1] = 100000.01;
  r.loads[9][1] = 20000.33;
  r.loads[10][1] = 3456.43;
  r.loads[11][1] = 0.01;
  r.loads[12][1] = -50.5;
  r.loads[13][1] = 999;  // row 13 is never read
  Write(r);
  const auto d = ReadLoadChart(m, boxes, kPeakCoolingChart);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->value[8], " 123456.78");
  EXPECT_DOUBLE_EQ(d->bar[7], 123456);
  EXPECT_EQ(d->valcat[7], " 123456.78");
  EXPECT_EQ(d->value[9], "  -50.50");
  EXPECT_DOUBLE_EQ(d->scale, 200000);
  EXPECT_EQ(d->plus[0], " 100000");
  EXPECT_EQ(d->minus[1], "-200000");
}

TEST_F(ChartReaders, all_negative_bars_scale_from_the_largest_magnitude) {
  ChartReport r = Year();
  for (std::size_t i = 1; i <= 14; ++i) r.loads[i][0] = -30.0 * static_cast<double>(i);
  Write(r);
  const auto d = ReadLoadChart(m, boxes, kPeakHeatingChart);
  ASSERT_TRUE(d);
  for (double b : d->bar) EXPECT_LT(b, 0);
  // The largest magnitude is the infiltration and ventilation sum, 8+9+10+11 rows: 1140.
  EXPECT_DOUBLE_EQ(d->bar[7], -1140);
  EXPECT_DOUBLE_EQ(d->scale, 2000);
}

TEST_F(ChartReaders, no_heating_and_no_cooling_give_the_scale_1) {
  ChartReport r = Year();
  for (MonthRow& row : r.months) row.heating = row.coolingKwh = 0;
  Write(r);
  const auto d = ReadMonthlyChart(m, boxes, kMonthlyEnergyChart);
  ASSERT_TRUE(d);
  EXPECT_DOUBLE_EQ(d->scale, 1);
  EXPECT_EQ(d->axis[0], " .25");
}

TEST_F(ChartReaders, monthly_energy_cuts_the_engine_fields_and_converts_cooling) {
  ChartReport r = Year();
  r.months.resize(1);
  r.months[0] = {"JAN", 151.37, 12345, 40, 500, 900};
  for (bool si : {false, true}) {
    r.si = si;
    Write(r);
    const auto d = ReadMonthlyChart(m, boxes, kMonthlyEnergyChart);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->first, 1);
    EXPECT_EQ(d->last, 1);
    EXPECT_EQ(d->field[0][1], "   151.4");  // space heating with its decimal
    EXPECT_DOUBLE_EQ(d->point[0][1], 151.4);
    EXPECT_EQ(d->totcool, si ? " 44.4  GJoules" : " 42.1  MBtu");
    EXPECT_EQ(d->totheat, std::string("   151.4  ") + (si ? "GJoules" : "MBtu"));
    EXPECT_DOUBLE_EQ(d->scale, 200);
    EXPECT_EQ(d->caption, "Monthly Heating and Cooling Energy -- Office.inp");
  }
}

TEST_F(ChartReaders, monthly_costs_cut_electricity_and_bill_apart) {
  ChartReport r = Year();
  r.months.erase(r.months.begin(), r.months.begin() + 3);  // the run starts in April
  Write(r);
  const auto d = ReadMonthlyChart(m, boxes, kMonthlyCostChart);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->first, 4);
  EXPECT_EQ(d->last, 12);
  EXPECT_EQ(d->field[1][4], "     203.");
  EXPECT_EQ(d->field[2][4], "     406.");
  EXPECT_DOUBLE_EQ(d->point[2][12], 422);
  EXPECT_DOUBLE_EQ(d->scale, 500);
  EXPECT_EQ(d->axis[0], "$ 125");
  EXPECT_EQ(d->totheat, " $     963.");  // gas 103..111
  EXPECT_EQ(d->label8, "Total Costs = $     3726.");
  EXPECT_TRUE(d->line5);
}

TEST_F(ChartReaders, source_energy_values_units_and_kwh) {
  ChartReport r = Year();
  r.site = {310.4, 42.5, 208.2, 71.7, 100, 273.5};
  Write(r);
  auto d = ReadSourceEnergy(m, boxes);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->value[1], "  310.4");
  EXPECT_EQ(d->value[2], "    42.5");
  EXPECT_EQ(d->value[5], "  100.0");
  EXPECT_EQ(d->kwh[2], "( 29299 )");
  EXPECT_EQ(d->kwhUnit, "kWh");
  EXPECT_DOUBLE_EQ(d->scale, 400);
  EXPECT_EQ(d->axis[3], " 400");
  EXPECT_EQ(d->euf, " 55.5 kBtu/sq.ft.");
  EXPECT_EQ(d->valueUnit, "MBtu");
  // SI: cooling 2 GJ (555 kWh) and fans 5 GJ (1388 kWh): all four in MWh.
  r.si = true;
  r.site = {1, 1, 2, 5, 0.5, 0.2};
  Write(r);
  d = ReadSourceEnergy(m, boxes);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->kwhUnit, "MWh");
  EXPECT_EQ(d->kwh[0], "( 0 )");
  EXPECT_EQ(d->kwh[1], "( 1 )");
  EXPECT_EQ(d->valueUnit, "GJoules");
  EXPECT_EQ(d->euf, " 55.5 MJ/sq.m.");
  // All zero: the floor of the scale, no failure.
  r.site = {};
  Write(r);
  d = ReadSourceEnergy(m, boxes);
  ASSERT_TRUE(d);
  EXPECT_DOUBLE_EQ(d->scale, 0.1);
  EXPECT_EQ(m.ResultsViewable, 1);
}

TEST_F(ChartReaders, a_missing_marker_is_the_end_of_file_error) {
  const struct {
    const char* name;
    bool ChartReport::*marker;
    int chart;
  } cases[] = {
      {"WEATHER", &ChartReport::weather, kSourceEnergyChart},
      {"WEATHER", &ChartReport::weather, kPeakCoolingChart},
      {"ROOF", &ChartReport::roof, kAnnualHeatingChart},
      {"MON", &ChartReport::mon, kMonthlyEnergyChart},
      {"III.", &ChartReport::section3, kMonthlyCostChart},
      {"Site", &ChartReport::site_, kSourceEnergyChart},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChartReport r = Year();
    r.*c.marker = false;
    Write(r);
    m.ResultsViewable = 1;
    boxes.asked.clear();
    bool got = true;
    if (c.chart <= kAnnualCoolingChart) got = ReadLoadChart(m, boxes, c.chart).has_value();
    else if (c.chart == kSourceEnergyChart) got = ReadSourceEnergy(m, boxes).has_value();
    else got = ReadMonthlyChart(m, boxes, c.chart).has_value();
    EXPECT_FALSE(got);
    EXPECT_EQ(m.ResultsViewable, 0);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, model::FileErrorBoxText(model::FileError(model::kErrPastEndOfFile)));
  }
}

// Lines of the echo that begin as the charts' tables do ("MON", "ROOF", "Site") stand after
// the weather page but before section III: the charts read the tables the whole report check
// validated, and chart the same figures as without those lines.
TEST_F(ChartReaders, lines_of_the_echo_that_begin_as_a_table_does_are_not_charted) {
  const ChartReport r = Year();
  Write(r);
  const auto energy = ReadMonthlyChart(m, boxes, kMonthlyEnergyChart);
  const auto load = ReadLoadChart(m, boxes, kPeakCoolingChart);
  const auto source = ReadSourceEnergy(m, boxes);
  ASSERT_TRUE(energy && load && source);
  std::vector<std::string> L = model::SplitLines(r.bytes());
  const auto two = std::find_if(L.begin(), L.end(), [](const std::string& l) { return l.starts_with("II."); });
  ASSERT_NE(two, L.end());
  L.insert(two + 4, {"MONDAY TO FRIDAY SCHEDULE", "", "", "", "", "", "", "ROOF 1  ASPHALT SHINGLES",
                     "Site survey notes", ""});
  std::string bytes;
  for (const std::string& l : L) bytes += l + "\r\n";
  base.write("temp/tavik$.out", bytes);
  model::RecordResults(m);
  const auto energy2 = ReadMonthlyChart(m, boxes, kMonthlyEnergyChart);
  const auto load2 = ReadLoadChart(m, boxes, kPeakCoolingChart);
  const auto source2 = ReadSourceEnergy(m, boxes);
  ASSERT_TRUE(energy2 && load2 && source2);
  EXPECT_EQ(ChartText(*energy2), ChartText(*energy));
  EXPECT_EQ(ChartText(*load2), ChartText(*load));
  EXPECT_EQ(ChartText(*source2), ChartText(*source));
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(ChartReaders, a_month_row_lands_at_the_month_the_check_found_for_it) {
  // A table without its February row is no whole report's; given a layout that places its
  // rows at January and March on, the monthly cutters put each row at its own month.
  ChartReport r = Year();
  r.months.erase(r.months.begin() + 1);
  EXPECT_EQ(model::WholeReportFault(r.bytes()), "section III has MAR after JAN in its monthly table");
  model::ReportLayout layout = model::CheckWholeReport(Year().bytes()).layout;
  layout.months.erase(layout.months.begin() + 1);
  --layout.monthRule, --layout.site, --layout.roof;
  const model::CurrentReport skipped{model::SplitLines(r.bytes()), layout};
  for (int chart : {kMonthlyEnergyChart, kMonthlyCostChart}) {
    const MonthlyChartData d = CutMonthlyChart(skipped, chart, m);
    EXPECT_EQ(d.first, 1);
    EXPECT_EQ(d.last, 12);
    EXPECT_EQ(d.field[0][2], "");
    // March's heating (100.3) and gas cost (102), not February's.
    EXPECT_EQ(Number(d.field[0][3]), chart == kMonthlyEnergyChart ? 100.3 : 102);
    EXPECT_EQ(Number(d.field[0][12]), chart == kMonthlyEnergyChart ? 10.3 : 111);
  }
}

TEST_F(ChartReaders, thirteen_month_rows_overflow_the_tables) {
  ChartReport r = Year();
  r.months.push_back({"JAN", 1, 1, 1, 1, 1});
  // The cutters keep within their tables (given the thirteen rows where the twelve of a
  // whole report stand)...
  const model::CurrentReport thirteen{model::SplitLines(r.bytes()), model::CheckWholeReport(Year().bytes()).layout};
  for (int chart : {kMonthlyEnergyChart, kMonthlyCostChart}) {
    try {
      CutMonthlyChart(thirteen, chart, m);
      ADD_FAILURE() << "thirteen rows cut for chart " << chart;
    } catch (const model::FileError& e) {
      EXPECT_EQ(e.number(), model::kErrSubscript);
    }
  }
  // ...and the readers take no such report: a monthly table of thirteen rows is no whole
  // report's.
  Write(r);
  for (int chart : {kMonthlyEnergyChart, kMonthlyCostChart}) {
    boxes.asked.clear();
    EXPECT_FALSE(ReadMonthlyChart(m, boxes, chart));
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, model::FileErrorBoxText(model::FileError(model::kErrPastEndOfFile)));
  }
  EXPECT_EQ(m.ResultsViewable, 0);
}

}  // namespace
}  // namespace kalvano::reports::test
