#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/weather_stats.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kalvano::model {
namespace {
using test::NewModel;

// A monthly row as the weather window builds it: label, then 12 values in 6 characters.
std::string Row(const std::string& label, const std::vector<double>& values) {
  std::string row = label;
  for (std::size_t i = 0; i < 12; ++i)
    row += RightAlign(NumberText(RoundTo(values[i % values.size()], 1)), 6);
  return row;
}

void FillBlock(ProjectModel& m, const std::string& elevation,
               const std::array<double, 8>& monthly) {
  m.WeatherBlock[1] = "WMO#  Lat. Long.  STM.  Elev  MIAMI, FL";
  m.WeatherBlock[2] = "722020                                                  25.8  80.3   5.0" +
                      RightAlign(elevation, 9);
  m.WeatherBlock[3] =
      "          Jan   Feb   Mar   Apr   May   Jun   Jul   Aug   Sep   Oct   Nov   Dec";
  const char* labels[] = {"DB Ave ", "Ave Std", "DB Max ", "Max Std",
                          "DP Ave ", "DP Std ", "SOLAR  ", "WIND   "};
  for (int r = 0; r < 8; ++r) m.WeatherBlock[r + 4] = Row(labels[r], {monthly[r]});
}

TEST(WeatherRows, are_cut_into_fields_with_their_leading_blanks) {
  WeatherStats::Months out;
  std::string row = "DB Ave   45.2  50.1   5.2  -3.5 100.0  61.3  61.3  61.3  61.3  61.3  61.3"
                    "  61.3";
  EXPECT_EQ(CutWeatherRow(row, out, nullptr), 12);
  EXPECT_EQ(out[1], " 45.2");
  EXPECT_EQ(out[2], " 50.1");
  EXPECT_EQ(out[3], "  5.2");
  EXPECT_EQ(out[4], " -3.5");
  EXPECT_EQ(out[5], "100.0");
  EXPECT_EQ(out[12], " 61.3");
  // A short row fills only the first months; the others keep their texts.
  out.fill("old");
  EXPECT_EQ(CutWeatherRow("DP Std    1.1   2.2", out, nullptr), 2);
  EXPECT_EQ(out[2], "  2.2");
  EXPECT_EQ(out[3], "old");
  // Values past the twelfth are ignored.
  EXPECT_EQ(CutWeatherRow(row + "  99.9", out, nullptr), 12);
}

TEST(WeatherStats, an_inch_pound_model_keeps_the_row_texts) {
  auto m = NewModel();
  FillBlock(*m, "7", {75.2, 3.1, 82.4, 2.5, 65.3, 4.0, 1500, 10});
  WeatherStatsToIP(*m);
  EXPECT_EQ(m->Wx.WxElevation, 7.0f);
  EXPECT_EQ(m->Wx.WxDbAve[1], " 75.2");
  EXPECT_EQ(m->Wx.WxDbAveStd[12], "  3.1");
  EXPECT_EQ(m->Wx.WxSolar[6], " 1500");
  EXPECT_EQ(m->Wx.WxWind[3], "   10");
}

TEST(WeatherStats, an_si_model_is_converted_to_inch_pound_rounded_to_a_tenth) {
  auto m = NewModel();
  m->UnitSystem = kSI;
  FillBlock(*m, "1000", {7.3, 2.5, 7.2, -1, 0, 0.5, 17034, 4.5});
  WeatherStatsToIP(*m);
  EXPECT_EQ(m->Wx.WxElevation, 3280.0f);  // 3280.84 ft, truncated
  EXPECT_EQ(m->Wx.WxDbAve[1], " 45.1");
  EXPECT_EQ(m->Wx.WxDbAveStd[1], " 4.5");
  EXPECT_EQ(m->Wx.WxDbMax[2], " 45");      // 44.96
  EXPECT_EQ(m->Wx.WxDbMaxStd[3], "-1.8");
  EXPECT_EQ(m->Wx.WxDpAve[4], " 32");
  EXPECT_EQ(m->Wx.WxDpStd[5], " .9");
  EXPECT_EQ(m->Wx.WxSolar[6], " 1499.9");
  EXPECT_EQ(m->Wx.WxWind[7], " 10.1");
}

TEST(WeatherStats, inch_pound_values_are_converted_to_si) {
  auto m = NewModel();
  FillBlock(*m, "3280", {50, 9, 45, 1, 33, 2, 1500, 10});
  WeatherStatsToIP(*m);
  WeatherStatsToSI(*m);
  EXPECT_EQ(m->Wx.WxElevation, 1000.0f);
  EXPECT_EQ(m->Wx.WxDbAve[1], " 10");
  EXPECT_EQ(m->Wx.WxDbAveStd[2], " 5");
  EXPECT_EQ(m->Wx.WxDbMax[3], " 7.22222222222222");  // not rounded
  EXPECT_EQ(m->Wx.WxDbMaxStd[4], " .555555555555556");
  EXPECT_EQ(m->Wx.WxDpAve[5], " .555555555555556");
  EXPECT_EQ(m->Wx.WxSolar[6], " 17034");  // 17034.79, truncated
  EXPECT_EQ(m->Wx.WxWind[7], " 4.5");
}

TEST(Psychrometrics, gives_the_saturation_pressure_on_both_branches) {
  EXPECT_NEAR(Psychrometrics(32), 0.177, 0.001);
  EXPECT_NEAR(Psychrometrics(95), 1.661, 0.002);
  EXPECT_NEAR(Psychrometrics(85), 1.205, 0.01);
  EXPECT_NEAR(Psychrometrics(85.01f), 1.205, 0.01);
  EXPECT_GT(Psychrometrics(-200), 0.0f);
}

TEST(ComputeDesignTemps, empty_rows_give_zero_design_temperatures) {
  auto m = NewModel();
  WeatherStatsToIP(*m);
  ComputeDesignTemps(*m);
  EXPECT_EQ(m->DesTemps[1], " 0");
  EXPECT_EQ(m->DesTemps[2], " 0");
  EXPECT_EQ(m->DesTemps[3], " 0");
}

TEST(ComputeDesignTemps, takes_the_extremes_at_two_point_one_one_deviations) {
  struct Case {
    int16_t units;
    std::string elevation;
    std::array<double, 8> monthly;
    std::string summer, winter;
    double wetLow, wetHigh;
  };
  const Case cases[] = {
      // S = 90 + 2.11 * 2 = 94.2; W = 2 (80 - 6.33) - (90 - 4.22) = 61.6.
      {kInchPound, "0", {80, 3, 90, 2, 70, 2, 1500, 10}, " 94.2", " 61.6", 75.0, 77.0},
      {kInchPound, "5000", {80, 3, 90, 2, 70, 2, 1500, 10}, " 94.2", " 61.6", 74.2, 80.0},
      // The same climate in SI: 26.6667 C is 80 F and so on.
      {kSI, "0", {26.66667, 1.666667, 32.22222, 1.111111, 21.11111, 1.111111, 17034, 4.5},
       " 34.6", " 16.3", (75.0 - 32) / 1.8, (77.0 - 32) / 1.8},
  };
  for (const auto& c : cases) {
    auto m = NewModel();
    m->UnitSystem = c.units;
    FillBlock(*m, c.elevation, c.monthly);
    WeatherStatsToIP(*m);
    ComputeDesignTemps(*m);
    EXPECT_EQ(m->DesTemps[1], c.summer) << c.elevation;
    EXPECT_EQ(m->DesTemps[3], c.winter) << c.elevation;
    double wet = Val(m->DesTemps[2]);
    EXPECT_GE(wet, c.wetLow) << c.elevation;
    EXPECT_LE(wet, c.wetHigh) << c.elevation;
    EXPECT_EQ(NumberTextDouble(Round1(wet)), m->DesTemps[2]);
  }
}

TEST(ComputeDesignTemps, the_wet_bulb_never_exceeds_the_coincident_dry_bulb) {
  auto m = NewModel();
  FillBlock(*m, "0", {70, 0, 80, 0, 69.96, 0, 1500, 10});
  WeatherStatsToIP(*m);
  ComputeDesignTemps(*m);
  EXPECT_LE(Val(m->DesTemps[2]), 70.0);
  EXPECT_GE(Val(m->DesTemps[2]), 69.9);
}

}  // namespace
}  // namespace kalvano::model
