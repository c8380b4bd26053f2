#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/loads/annual.h"
#include "engine/loads/energy.h"
#include "engine/loads/stages.h"
#include "yrend_fixture.h"

using kvtest::fieldAt;
using kvtest::findLine;
using kvtest::linesOf;
using kvtest::YearRun;

namespace {

std::vector<std::string> yearReport(YearRun& r) {
  kv::YREND(*r.s);
  return linesOf(r.report());
}

}  // namespace

TEST(YrEnd, present_worth_factor_matches_the_textbook_tables) {
  struct Row {
    float esc, disc, years;
    double expected;
  };
  const Row rows[] = {
      // uniform series (P/A, i, N)
      {0.0f, 0.10f, 10.0f, 6.1446},
      {0.0f, 0.05f, 20.0f, 12.4622},
      {0.0f, 0.08f, 30.0f, 11.2578},
      {0.0f, 0.12f, 5.0f, 3.6048},
      {0.0f, 0.03f, 25.0f, 17.4131},
      // geometric series (P/A1, g, i, N) times (1 + g): the first amount is already escalated
      {0.05f, 0.10f, 10.0f, 1.05 * 7.4398},
      {0.03f, 0.08f, 20.0f, 1.03 * 12.2500},
      // escalation equal to the discount rate: one amount per year
      {0.04f, 0.04f, 25.0f, 25.0},
      {0.0f, 0.0f, 12.5f, 12.5},
  };
  for (const Row& r : rows)
    EXPECT_NEAR(kv::PWIF(r.esc, r.disc, r.years), r.expected, 2e-4 * r.expected)
        << r.esc << " " << r.disc << " " << r.years;
  // A discount rate of -1 has no present worth: 0, not a non-finite factor.
  EXPECT_EQ(kv::PWIF(0.0f, -1.0f, 10.0f), 0.0f);
  EXPECT_EQ(kv::PWIF(0.5f, -1.0f, 10.5f), 0.0f);
}

TEST(YrEnd, golden_report_inch_pound_and_si) {
  for (const char* units : {"IP", "SI"}) {
    YearRun r(std::string("golden_") + units, units);
    kv::YREND(*r.s);
    const std::string name = std::string(units) == "SI" ? "yrend_si_sim_.out" : "yrend_ip_sim_.out";
    kvtest::expectGolden(r.report(), name);
  }
}

TEST(YrEnd, cost_analysis_follows_from_the_economics_by_hand) {
  for (const char* units : {"IP", "SI"}) {
    YearRun r(std::string("cost_") + units, units);
    const std::vector<std::string> L = yearReport(r);
    const int t = findLine(L, "VII.  C O S T   A N A L Y S I S :");
    ASSERT_GE(t, 0);
    EXPECT_EQ(L[t].substr(114), ".... PAGE 11 ....");  // IV, V, VI, VII after page 7
    EXPECT_EQ(L[findLine(L, "         YEAR BUILDING", t)].substr(41), " 2024");
    EXPECT_EQ(L[findLine(L, "         LIFE CYCLE", t)].substr(58), " 2026");

    // By hand: the building was evaluated from 2024, the costs are present worth in 2026.
    const double area = 3000 + 3500, xCost = std::pow(1.03, -2), xElec = std::pow(1.04, -2);
    const double xGas = std::pow(1.05, -2);
    const double tons = (72000 + 84000) / 1000.0 / 12.0;
    const double construction = 120 * area * xCost;
    const double lighting = 1.5 * area * xCost;
    const double hvac = tons * 1800 * xCost;
    const double pwCost = (1.03 / 0.02) * (1 - std::pow(1.03 / 1.05, 20));
    const double pwElec = (1.04 / 0.01) * (1 - std::pow(1.04 / 1.05, 20));
    const double maint = pwCost * tons * 60 * xCost;
    const double gas = 20 * 352.9 * 6.0 * xGas;  // gas escalates at the discount rate
    const double elec = pwElec * 24500 * xElec;
    const double first = construction + lighting + hvac + 42000 + 18500;
    const double om = gas + elec + maint;
    const double perArea = std::string(units) == "SI" ? area * 0.0929 : area;
    struct Row {
      const char* label;
      double amount;
    };
    const Row rows[] = {{"CONSTRUCTION", construction}, {"LIGHTING", lighting},
                        {"HVAC", hvac},                 {"WALLS", 42000},
                        {"WINDOWS", 18500},             {"TOTAL 1ST COST", first},
                        {"GAS", gas},                   {"ELEC", elec},
                        {"MAINT", maint},               {"TOTAL PW OF O & M", om},
                        {"TOTAL PRESENT WORTH", first + om}};
    for (const Row& row : rows) {
      const std::string label = row.label;
      const int col = (label == "GAS" || label == "ELEC" || label == "MAINT") ? 20 : 10;
      const int i = findLine(L, std::string(col - 1, ' ') + label, t);
      ASSERT_GE(i, 0) << label;
      EXPECT_NEAR(fieldAt(L[i], 31, 40), row.amount, 1.0 + 2e-5 * row.amount) << units << label;
      EXPECT_NEAR(fieldAt(L[i], 41, 52), row.amount / perArea, 0.006 + 2e-5 * row.amount / perArea)
          << units << label;
    }
  }
}

TEST(YrEnd, total_row_is_the_sum_of_the_month_rows) {
  YearRun r("tot");
  kv::EngineState& s = *r.s;
  kv::ENACC& e = s.enacc;
  // Start the year from nothing: MONEND builds the annual sums month by month.
  for (float* v : {&e.SHEATY, &e.HLOADY, &e.SOLARY, &e.HWY, &e.CLOADY, &e.FANKWHY, &e.ELECY,
                   &e.ECOSTY, &e.GASY, &e.CMPHRSY, &e.SYSHRSY, &e.PKKWSUM, &e.DEMCHGY,
                   &e.ECLGY, &e.ELTKWHY, &e.ERCPKWHY, &e.OLKWHM})
    *v = 0.0f;
  s.runpar.IDAY2 = 365;
  e.DAYWT = 31.0f / 7.0f;
  struct Month {
    float heat, hload, solar, hw, cool, ecl, fan, lteq, cfl, sys, gas, elec, pk;
  };
  const Month months[] = {
      {95.2e6f, 80.1e6f, 9.3e6f, 4133.7f, 0.0f, 0.0f, 1520.4f, 14012.6f, 0.0f, 300.7f, 5260.0f,
       211.3f, 92.34f},
      {71.9e6f, 60.6e6f, 8.8e6f, 3801.2f, 1.2e6f, 80.4f, 1402.9f, 13540.3f, 10.6f, 280.3f,
       4100.0f, 190.8f, 95.06f},
      {12.4e6f, 10.0e6f, 2.1e6f, 3702.6f, 30.5e6f, 4210.7f, 1803.3f, 14120.4f, 120.9f, 310.9f,
       800.0f, 4500.2f, 140.55f},
  };
  for (int m = 1; m <= 3; ++m) {
    const Month& v = months[m - 1];
    kv::ZEROMONTH(s);
    e.HEATM = v.heat;
    e.HLOADM = v.hload;
    e.SOLARM = v.solar;
    e.HWMON = v.hw;
    e.CLOADM = v.cool;
    e.ECLGM = v.ecl;
    e.FANKWH = v.fan;
    e.LTEQKWH = v.lteq;
    e.CFLHRS = v.cfl;
    e.SYSHRS = v.sys;
    e.GASM = v.gas;
    e.ELECM = v.elec;
    e.PKKWM = v.pk;
    // The hourly model's annual sums of the same hours.
    e.ECLGY += v.ecl;
    e.ELTKWHY += 0.6f * v.lteq;
    e.ERCPKWHY += 0.4f * v.lteq;
    s.hrwthr.JDAY = 31 * m - 3;
    kv::MONEND(s, m);
  }
  const std::vector<std::string> L = yearReport(r);
  const int jan = findLine(L, "JAN");
  const int tot = findLine(L, "TOT");
  ASSERT_GE(jan, 0);
  ASSERT_EQ(tot, jan + 4);  // three month rows and the "=" line
  EXPECT_EQ(L[tot - 1], std::string(132, '='));
  struct Col {
    const char* what;
    int from, to, totFrom, totTo;
    double tol;  // per month: the rounding of the printed month rows
  };
  const Col cols[] = {
      {"space heating", 4, 12, 4, 12, 0.05},  {"hot water", 22, 30, 22, 30, 0.05},
      {"cooling", 31, 39, 31, 39, 0.5},       {"fans", 40, 48, 40, 48, 0.5},
      {"lights", 49, 57, 49, 57, 0.5},        {"compressor", 58, 64, 58, 64, 1.0},
      {"system", 65, 71, 65, 71, 1.0},        {"gas", 72, 79, 72, 79, 0.5},
      {"peak kW", 88, 94, 88, 94, 0.05},      {"electricity", 95, 103, 95, 103, 0.5},
  };
  for (const Col& c : cols) {
    double sum = 0;
    for (int m = 0; m < 3; ++m) sum += fieldAt(L[jan + m], c.from, c.to);
    EXPECT_NEAR(fieldAt(L[tot], c.totFrom, c.totTo), sum, 3 * c.tol + 0.051) << c.what;
  }
  // The cost row: gas cost, demand charges, the year's electricity cost and the bill.
  const int cost = tot + 1;
  ASSERT_EQ(L[cost].substr(0, 3), "($)");
  for (auto [from, to, tfrom, tto] : {std::array<int, 4>{80, 87, 80, 87},
                                      std::array<int, 4>{104, 112, 104, 112},
                                      std::array<int, 4>{113, 121, 113, 121}}) {
    double sum = 0;
    for (int m = 0; m < 3; ++m) sum += fieldAt(L[jan + m], from, to);
    EXPECT_NEAR(fieldAt(L[cost], tfrom, tto), sum, 2.0) << from;
  }
}

TEST(YrEnd, zero_denominators_print_zero) {
  YearRun r("zero", "IP", 1);
  kv::EngineState& s = *r.s;
  s.bldg.FLRAREA = 0;
  s.enacc.ZAREA = 0;
  s.enacc.CPKLOAD = 0;
  s.enacc.ZPKCLG(1) = 0;
  s.enacc.VOLUME(1) = 0;
  for (int c = 1; c <= 11; ++c) s.enacc.QCATC(c) = s.enacc.QCLGY(c) = 0;
  s.enacc.CLOADY = 0;
  const std::string text = (kv::YREND(s), r.report());
  const std::vector<std::string> L = linesOf(text);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
  const int cost = findLine(L, "($)");
  EXPECT_EQ(L[cost].substr(121, 7), "   0.00");  // cost per area
  const int site = findLine(L, "WHOLE-BLDG");
  EXPECT_EQ(L[site].substr(49, 7), "    0.0");  // site intensity
  EXPECT_EQ(L[site].substr(103, 7), "    0.0");  // source intensity
  const int roof = findLine(L, "ROOF");
  EXPECT_EQ(L[roof].substr(53, 6), "   0.0");  // peak cooling percent with no cooling at all
  EXPECT_EQ(L[roof + 15].substr(43, 20), "(      0. s.ft./TON)");
  const int zone = findLine(L, "   1 Open office");
  EXPECT_EQ(L[zone].substr(109, 5), "  0.0");  // air changes of a zone without volume
  const int totals = findLine(L, "TOTAL OF ALL ZONES:");
  EXPECT_EQ(L[totals].substr(109, 5), "  0.0");
  const int constr = findLine(L, "         CONSTRUCTION");
  EXPECT_EQ(L[constr].substr(40, 12), "        0.00");
}

TEST(YrEnd, load_categories_mass_effect_and_percentages) {
  YearRun r("cats");
  const std::vector<std::string> L = yearReport(r);
  const int roof = findLine(L, "ROOF");
  ASSERT_GE(roof, 0);
  // Annual cooling: the eleven sum to 408 of the 420 MBtu, the mass effect holds 12.
  const int mass = roof + 11;
  ASSERT_EQ(L[mass].substr(0, 11), "MASS EFFECT");
  EXPECT_FLOAT_EQ(fieldAt(L[mass], 114, 124), 12.0f);
  // Annual heating: -250 - (-188) = -62.
  EXPECT_FLOAT_EQ(fieldAt(L[mass], 97, 107), -62.0f);
  // Peak cooling: 150 - 143.5 (all eleven positive) = 6.5.
  EXPECT_FLOAT_EQ(fieldAt(L[mass], 43, 53), 6.5f);
  // Peak heating: -110 + 107.5 (only the losses count) = -2.5.
  EXPECT_FLOAT_EQ(fieldAt(L[mass], 26, 36), -2.5f);

  // Percentages. Annual cooling gains share the positive sum 428 (mass effect included);
  // the negative windows-transmission value is taken against 420 + 8.
  const double pc = 30 + 25 + 110 + 150 + 30 + 20 + 15 + 25 + 5 + 6 + 12;
  EXPECT_NEAR(fieldAt(L[roof], 125, 130), 30 * 100 / pc, 0.05);
  EXPECT_NEAR(fieldAt(L[roof + 2], 125, 130), -8 * 100 / (420.0 + 8), 0.05);
  // Annual heating: losses share 280 + 62 = 342; a gain is taken against 250 + gain.
  EXPECT_NEAR(fieldAt(L[roof], 108, 113), -40 * 100 / 342.0, 0.05);
  EXPECT_NEAR(fieldAt(L[roof + 4], 108, 113), 60 * 100 / (250.0 + 60), 0.05);
  // Peak heating: a gain at the heating peak against 110 + gain.
  EXPECT_NEAR(fieldAt(L[roof + 3], 37, 42), 4 * 100 / (4 + 110.0), 0.05);
}

TEST(YrEnd, emissions_use_the_corrected_factors_and_scale_in_si) {
  // Gas 352.9 MBtu and 260 000 kWh: about 122 lb of CO2 per MBtu of gas and 1.03 lb per kWh
  // of plant electricity for gas-fired plants.
  std::vector<std::string> ip, si;
  {
    YearRun r("emis_ip", "IP");
    ip = yearReport(r);
  }
  {
    YearRun r("emis_si", "SI");
    si = linesOf((kv::YREND(*r.s), r.report()));
  }
  const int g = findLine(ip, "GAS ");
  ASSERT_GE(g, 0);
  EXPECT_NEAR(fieldAt(ip[g], 21, 33), 352.9 * 0.061, 1e-4);
  EXPECT_NEAR(fieldAt(ip[g], 34, 46), 352.9 * 4.171e-7, 1e-5);
  EXPECT_NEAR(fieldAt(ip[g], 47, 59), 352.9 * 1.069e-4, 1e-5);
  EXPECT_NEAR(fieldAt(ip[g], 92, 104), 260000 * 0.000515, 1e-3);
  EXPECT_NEAR(fieldAt(ip[g + 2], 21, 33), 352.9 * 0.1008, 1e-3);  // COAL heating
  EXPECT_NEAR(fieldAt(ip[g + 2], 92, 104), 260000 * 0.00115, 1e-3);
  EXPECT_NEAR(fieldAt(ip[g + 1], 34, 46), 352.9 * 5.756e-4, 1e-5);  // OIL heating SO2
  EXPECT_NEAR(fieldAt(ip[g + 1], 105, 117), 260000 * 5.6e-6, 1e-5);
  // Pounds of CO2 per MBtu of gas: 2000 x 0.061 = 122.
  EXPECT_NEAR(2000 * fieldAt(ip[g], 21, 33) / 352.9, 122.0, 0.01);
  EXPECT_NE(findLine(ip, "HEATING FUEL"), -1);
  EXPECT_EQ(ip[findLine(ip, "HEATING FUEL")].substr(34, 18), "SHORT TONS OF:    ");
  EXPECT_EQ(si[findLine(si, "HEATING FUEL")].substr(34, 18), "METRIC TONNES OF: ");
  const int gs = findLine(si, "GAS ");
  for (int row = 0; row < 3; ++row)
    for (int col : {21, 34, 47, 92, 105, 118})
      EXPECT_NEAR(fieldAt(si[gs + row], col, col + 12), 0.9072 * fieldAt(ip[g + row], col, col + 12),
                  2e-5 + 1e-6 * fieldAt(ip[g + row], col, col + 12))
          << row << " " << col;
}

TEST(YrEnd, inch_pound_and_si_reports_agree_after_conversion) {
  std::vector<std::string> ip, si;
  {
    YearRun r("agree_ip", "IP");
    ip = yearReport(r);
  }
  {
    YearRun r("agree_si", "SI");
    si = yearReport(r);
  }
  struct Field {
    const char* line;
    int offset, from, to;
    double factor, tol;
  };
  const Field fields[] = {
      {"TOT", 0, 4, 12, 1.055056, 0.1},           // space heating
      {"TOT", 0, 72, 79, 1.055056, 0.1},          // gas
      {"TOT", 0, 31, 39, 1.0, 0.0},               // cooling kWh
      {"($)", 0, 122, 128, 10.76391, 0.06},       // cost per area
      {"Site", 0, 16, 25, 1.055056, 0.1},         // heating site energy
      {"Site", 0, 56, 65, 1.055056, 0.1},         // lighting
      {"WHOLE-BLDG", 0, 35, 42, 1.055056, 1.0},   // site energy
      {"WHOLE-BLDG", 0, 104, 110, 11.35653, 0.6}, // source intensity
      {"ROOF", 0, 26, 36, 0.2930711, 0.01},       // peak heating
      {"ROOF", 0, 114, 124, 1.055056, 0.012},     // annual cooling
      {"ROOF", 0, 37, 42, 1.0, 0.0},              // percentages do not change
      {"   1 Open office", 0, 28, 36, 0.0929, 0.5},    // floor area
      {"   1 Open office", 0, 38, 46, 0.2930711, 0.1}, // heating load
      {"   1 Open office", 0, 56, 64, 0.4719, 0.5},    // heating air
      {"   1 Open office", 0, 65, 73, 0.0631, 0.05},   // hot-water flow
      {"   1 Open office", 0, 115, 123, 6.4516, 3.8},  // duct area
      {"   1 Open office", 0, 94, 100, 1.0, 0.0},      // tons are tons
  };
  for (const Field& f : fields) {
    const int a = findLine(ip, f.line), b = findLine(si, f.line);
    ASSERT_GE(a, 0) << f.line;
    ASSERT_GE(b, 0) << f.line;
    const double want = fieldAt(ip[a + f.offset], f.from, f.to) * f.factor;
    EXPECT_NEAR(fieldAt(si[b + f.offset], f.from, f.to), want, f.tol + 1e-5 * std::fabs(want))
        << f.line << " " << f.from;
  }
  // The design dry bulbs in C, the central-plant line one column to the left in SI.
  const int dbIP = findLine(ip, "  OUTDOOR DESIGN DB"), dbSI = findLine(si, "  OUTDOOR DESIGN DB");
  EXPECT_EQ(ip[dbIP].substr(30, 5), "  -2.");
  EXPECT_EQ(si[dbSI].substr(30, 5), " -19.");
  EXPECT_EQ(si[dbSI].substr(47, 5), "  35.");
}

TEST(YrEnd, sections_and_page_numbers_follow_the_run_type) {
  struct Row {
    int irun;
    bool six;
    const char* lastPage;
  };
  const Row rows[] = {{3, true, ".... PAGE 11 ...."}, {1, false, ".... PAGE 10 ...."},
                      {4, false, ".... PAGE 10 ...."}};
  for (const Row& row : rows) {
    YearRun r("pages" + std::to_string(row.irun));
    r.s->runpar.IRUN = row.irun;
    const std::vector<std::string> L = yearReport(r);
    const int iv = findLine(L, "IV.  D E S I G N"), v = findLine(L, "V.  P E A K");
    const int vi = findLine(L, "VI.  S E A S O N A L"), vii = findLine(L, "VII.  C O S T");
    ASSERT_GT(iv, 0);
    EXPECT_GT(v, iv);
    EXPECT_EQ(vi >= 0, row.six);
    if (row.six) {
      EXPECT_GT(vi, v);
      EXPECT_GT(vii, vi);
    }
    EXPECT_GT(vii, v);
    EXPECT_EQ(L[iv - 1], "\f");
    EXPECT_EQ(L[iv].substr(114), ".... PAGE  8 ....");
    EXPECT_EQ(L[vii].substr(114), row.lastPage);
    EXPECT_EQ(r.s->runpar.NPAGE, row.six ? 11 : 10);
  }
}

TEST(YrEnd, zone_rows_leave_an_empty_line_after_every_fifth_zone) {
  YearRun r("twelve", "IP", 12);
  const std::vector<std::string> L = yearReport(r);
  const int first = findLine(L, "   1 Open office");
  ASSERT_GE(first, 0);
  EXPECT_EQ(L[first + 5], "");
  EXPECT_EQ(L[first + 6].substr(0, 4), "   6");
  EXPECT_EQ(L[first + 11], "");
  EXPECT_EQ(L[first + 12].substr(0, 4), "  11");
  EXPECT_EQ(L[first + 14], std::string(131, '='));
  // A zone without a heating load shows its outdoor air as heating air.
  YearRun z("noheat", "IP", 1);
  z.s->enacc.ZPKHV(1) = 0;
  const std::vector<std::string> M = yearReport(z);
  const int row = findLine(M, "   1 Open office");
  EXPECT_FLOAT_EQ(fieldAt(M[row], 56, 64), 150.0f);
  EXPECT_FLOAT_EQ(fieldAt(M[row], 38, 46), 0.0f);
}

TEST(YrEnd, plot_curves_start_at_hour_one_and_close_on_it) {
  YearRun r("plot");
  kv::ENACC& e = r.s->enacc;
  for (int h = 1; h <= 24; ++h) {
    e.SPKEL(h) = h == 1 ? 0.4f : 60.0f;  // rounds to 0 at hour 1 with 30 / 60 as the scale
    e.WPKEL(h) = 0.0f;
    e.SPKGAS(h) = 0.0f;
    e.WPKGAS(h) = h == 1 ? 100.0f : 50.0f;
  }
  const std::vector<std::string> L = yearReport(r);
  const int key = findLine(L, "         KEY :  A = SUMMER ELECTRIC");
  ASSERT_GE(key, 0);
  // Rows 30 (top) .. 1 follow the "=" line under the key; grid column x is line column x + 7.
  auto at = [&](int x, int y) { return L[key + 1 + (31 - y)][static_cast<std::size_t>(x + 6)]; };
  EXPECT_EQ(L[key + 1 + 30 + 1], "       " + std::string(120, '='));
  EXPECT_EQ(at(1, 1), ' ');    // A's hour-1 height 0 leaves column 1 blank
  EXPECT_EQ(at(1, 30), 'D');   // D starts at its full height
  EXPECT_EQ(at(2, 6), 'A');    // A climbs from 0 to 30 over columns 2..6:
  EXPECT_EQ(at(3, 12), 'A');   // y = ((x - 1) * 30 + 2) / 5
  EXPECT_EQ(at(6, 30), 'A');
  EXPECT_EQ(at(2, 28), 'D');   // D falls from 30 towards 15: y = 30 + ((x - 1) * -15 + 2) / 5
  EXPECT_EQ(at(6, 16), 'D');
  EXPECT_EQ(at(60, 15), 'D');  // D holds 15 through the day
  // The hour-24 segment, columns 117..120, runs back to the hour-1 values.
  EXPECT_EQ(at(117, 18), 'D');
  EXPECT_EQ(at(120, 27), 'D');
  EXPECT_EQ(at(117, 25), 'A');
  EXPECT_EQ(at(120, 7), 'A');
  EXPECT_EQ(L[key + 1 + 30][6], '-');
  EXPECT_EQ(L[key + 1 + 30][127], '-');
  const std::string stars = L[key + 1 + 32];
  EXPECT_EQ(stars[7], '*');
  EXPECT_EQ(stars[122], '*');
  EXPECT_EQ(stars.size(), 123u);
}

TEST(YrEnd, seasonal_rows_in_si_are_kw) {
  std::vector<std::string> ip, si;
  {
    YearRun r("seas_ip", "IP");
    ip = yearReport(r);
  }
  {
    YearRun r("seas_si", "SI");
    si = yearReport(r);
  }
  const int a = findLine(ip, "      PROFILES FOR SEASON FROM JAN TO MAR :");
  const int b = findLine(si, "      PROFILES FOR SEASON FROM JAN TO MAR :");
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  EXPECT_EQ(ip[a + 1].substr(0, 17), "        S (kBtuh)");
  EXPECT_EQ(si[b + 1].substr(0, 17), "        S (kW   )");
  EXPECT_EQ(ip[a + 3], " ");
  EXPECT_EQ(ip[a + 4].substr(0, 17), "        W (kBtuh)");
  EXPECT_EQ(si[b + 7].substr(0, 17), "        A (kW   )");
  // Hour 7 is the seventh field: 120 kBtuh of space heating.
  EXPECT_FLOAT_EQ(fieldAt(ip[a + 1], 20 + 6 * 9, 28 + 6 * 9), 120.0f);
  EXPECT_NEAR(fieldAt(si[b + 1], 20 + 6 * 9, 28 + 6 * 9), 120.0 * 0.2930711, 0.05);
  EXPECT_FLOAT_EQ(fieldAt(si[b + 10], 20 + 6 * 9, 28 + 6 * 9), 55.0f);  // O is kW in both
  EXPECT_NE(findLine(ip, "      PROFILES FOR SEASON FROM OCT TO DEC :"), -1);
}

TEST(YrEnd, construction_year_equal_to_the_run_year_escalates_nothing) {
  YearRun r("sameyear");
  r.s->runpar.IYEAR = 2026;
  const std::vector<std::string> L = yearReport(r);
  const int c = findLine(L, "         CONSTRUCTION");
  ASSERT_GE(c, 0);
  EXPECT_FLOAT_EQ(fieldAt(L[c], 31, 40), 120.0f * 6500.0f);
  EXPECT_FLOAT_EQ(fieldAt(L[c + 3], 31, 40), 42000.0f);  // walls as they are
}

TEST(YrEnd, site_and_source_line_by_hand) {
  YearRun r("source");
  const std::vector<std::string> L = yearReport(r);
  const int w = findLine(L, "WHOLE-BLDG PERFORMANCE:  Site Line");
  ASSERT_GE(w, 0);
  // Site: 260 000 kWh x 0.003413 + 352.9 MBtu of gas over 6500 ft2 of zones.
  const double site = 260000 * 0.003413 + 352.9;
  EXPECT_NEAR(fieldAt(L[w], 35, 42), site, 0.5);
  EXPECT_NEAR(fieldAt(L[w], 50, 56), site / 6500 * 1000, 0.05);
  // Source: the heating sums as they are, electricity end uses times 3.07647.
  const double electric = (61000 + 21000 + 95000 + 300 + 80000) * 0.003413;
  const double source = 310.4 + 42.5 + electric * 3.07647;
  EXPECT_NEAR(fieldAt(L[w], 89, 96), source, 0.5);
  EXPECT_NEAR(fieldAt(L[w], 104, 110), source / 6500 * 1000, 0.05);
  // The disaggregation's lighting holds the last month's outdoor lighting, receptacles not.
  const int site2 = findLine(L, "Site MBtus =");
  EXPECT_NEAR(fieldAt(L[site2], 56, 65), 95300 * 0.003413, 0.05);
  EXPECT_NEAR(fieldAt(L[site2], 66, 75), 80000 * 0.003413, 0.05);
  EXPECT_NEAR(fieldAt(L[site2], 124, 131), 4200 * 0.08, 0.5);  // daylight savings in $
}
