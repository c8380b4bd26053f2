#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/core/fixfmt.h"
#include "engine/core/report.h"
#include "engine/loads/energy.h"
#include "engine/loads/stages.h"
#include "engine/loads/sums.h"
#include "sums_fixture.h"

using namespace kvtest;

namespace {

constexpr int kLastDay[12] = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// A two-tier demand schedule as the set-up leaves it (cumulative limits), prices and area.
void economics(kv::EngineState& s) {
  s.bldg.NDEM = 2;
  s.bldg.DEMKW(1) = 50;
  s.bldg.DEMKW(2) = 150;
  s.bldg.DEMCST(1) = 5.0f;
  s.bldg.DEMCST(2) = 7.5f;
  s.bldg.FLRAREA = 25000;
  s.enacc.ELECPR = 0.08f;
  s.enacc.GASPR = 6.0f;
  s.runpar.IDAY2 = 365;
}

// The month's sums as the hourly model leaves them, from a fixed pseudo-random sequence.
void fillMonth(kv::EngineState& s, int m, unsigned& seed) {
  auto next = [&seed](float lo, float hi) {
    seed = seed * 1103515245u + 12345u;
    return lo + (hi - lo) * static_cast<float>((seed >> 8) & 0xFFFF) / 65535.0f;
  };
  kv::ENACC& e = s.enacc;
  kv::ZEROMONTH(s);
  const float winter = std::fabs(6.5f - static_cast<float>(m)) / 5.5f;  // 1 in Jan/Dec
  e.HOLFAC = 0.96f;
  e.DAYWT = e.HOLFAC * 31.0f / 7.0f;
  e.HEATM = winter > 0.5f ? next(10.0f, 90.0f) * 1.0e6f * winter : 0.0f;
  e.HLOADM = e.HEATM * 0.8f;
  e.SOLARM = e.HLOADM > 0 ? next(1.0f, 20.0f) * 1.0e6f : next(0.0f, 5.0f) * 1.0e6f;
  e.HWMON = next(2000.0f, 9000.0f);
  e.CLOADM = next(1.0f, 300.0f) * 1.0e6f * (1.0f - winter);
  e.ECLGM = e.CLOADM / 9000.0f;
  e.FANKWH = next(500.0f, 4000.0f);
  e.LTEQKWH = next(20000.0f, 40000.0f);
  e.OLKWHM = next(100.0f, 400.0f);
  e.CFLHRS = next(0.0f, 400.0f) * (1.0f - winter);
  e.SYSHRS = next(200.0f, 320.0f);
  e.GASM = e.HEATM / 1000.0f / e.DAYWT + next(100.0f, 900.0f);
  e.ELECM = e.ECLGM / e.DAYWT + next(100.0f, 2000.0f);
  e.PKKWM = next(30.0f, 260.0f);
  s.hrwthr.JDAY = kLastDay[m - 1];
  e.ISEAS = (m + 2) / 3;
}

// Comfort counters and hot/cold days of two zones; zone 2 is unoccupied in May.
void fillComfort(kv::EngineState& s, int m) {
  kv::ENACC& e = s.enacc;
  for (int h = 1; h <= 24; ++h) {
    const float swing = 10.0f * std::sin(3.14159f * (static_cast<float>(h) - 9.0f) / 12.0f);
    const float season = 30.0f * std::sin(3.14159f * (static_cast<float>(m) - 4.0f) / 6.0f);
    e.HOTDB(h) = 70.0f + season + swing + 8.0f;
    e.COLDDB(h) = 60.0f + season + swing - 8.0f;
    for (int z = 1; z <= 2; ++z) {
      const float dz = static_cast<float>(z) * 1.5f;
      e.HOTTZ(h, z) = 74.0f + swing * 0.3f + dz;
      e.HOTMRT(h, z) = 75.5f + swing * 0.2f + dz;
      e.HOTTOP(h, z) = 0.33f * e.HOTTZ(h, z) + 0.67f * e.HOTMRT(h, z);
      e.HOTRH(h, z) = 45.0f + swing + dz;
      e.COLDTZ(h, z) = 69.0f + swing * 0.3f - dz;
      e.COLDMRT(h, z) = 67.5f + swing * 0.2f - dz;
      e.COLDTOP(h, z) = 0.33f * e.COLDTZ(h, z) + 0.67f * e.COLDMRT(h, z);
      e.COLDRH(h, z) = 35.0f + swing - dz;
    }
  }
  for (int z = 1; z <= 2; ++z) {
    const float k = static_cast<float>(z);
    e.CHRLO(z) = m <= 3 || m >= 11 ? 20.0f * k + m : 0.0f;
    e.CHRHI(z) = m >= 6 && m <= 9 ? 15.0f * k + m : 0.0f;
    e.CHROK(z) = 230.0f - e.CHRLO(z) - e.CHRHI(z);
    e.CDHLO(z) = e.CHRLO(z) * 2.5f;
    e.CDHHI(z) = e.CHRHI(z) * 3.25f;
  }
  if (m == 5) e.CHRLO(2) = e.CHROK(2) = e.CHRHI(2) = 0;
}

void building(kv::EngineState& s, bool si) {
  economics(s);
  s.bldg.NZ = 2;
  s.bldg.IZONE(1) = 1;
  s.bldg.IZONE(2) = 2;
  s.prjtxt.ZNAME(1).set("Open Office");
  s.prjtxt.ZNAME(2).set("Conference Rooms East");
  s.enacc.ICMFLO = si ? 20 : 68;
  s.enacc.ICMFHI = si ? 26 : 79;
  s.runpar.NPAGE = 3;
}

// A year of month ends: section III's head and twelve rows, the monitor lines, the comfort
// report.
void runYear(LoadsRun& run, bool si) {
  kv::EngineState& s = *run.s;
  building(s, si);
  kv::WriteSection3Head(s);
  unsigned seed = 12345u;
  for (int m = 1; m <= 12; ++m) {
    fillMonth(s, m, seed);
    fillComfort(s, m);
    kv::MONEND(s, m);
  }
}

std::string field(const std::string& line, int from, int to) { return kv::fieldString(line, from, to - from + 1); }

}  // namespace

TEST(MonthEnd, demand_charge_prices_each_tier_and_the_demand_above_the_last) {
  struct Row {
    std::vector<std::pair<float, float>> tiers;  // cumulative limit, rate
    float peak, charge;
  };
  const Row rows[] = {
      {{}, 120.0f, 0.0f},
      {{{100, 5}}, 150.0f, 100 * 5 + 50 * 5},  // T x R + (P - T) x R
      {{{100, 5}}, 80.0f, 400.0f},
      {{{100, 5}}, 100.0f, 500.0f},
      {{{50, 5}, {150, 7.5f}}, 30.0f, 150.0f},
      {{{50, 5}, {150, 7.5f}}, 100.0f, 250.0f + 50 * 7.5f},
      {{{50, 5}, {150, 7.5f}}, 150.0f, 250.0f + 100 * 7.5f},
      {{{50, 5}, {150, 7.5f}}, 200.0f, 250.0f + 100 * 7.5f + 50 * 7.5f},
      {{{10, 2}, {30, 3}, {60, 4}}, 45.0f, 20.0f + 60.0f + 60.0f},
      {{{10, 2}, {30, 3}, {60, 4}}, 0.0f, 0.0f},
  };
  for (const Row& r : rows) {
    LoadsRun run("me_demand");
    kv::EngineState& s = *run.s;
    s.bldg.NDEM = static_cast<int>(r.tiers.size());
    for (std::size_t i = 0; i < r.tiers.size(); ++i) {
      s.bldg.DEMKW(static_cast<int>(i) + 1) = r.tiers[i].first;
      s.bldg.DEMCST(static_cast<int>(i) + 1) = r.tiers[i].second;
    }
    EXPECT_FLOAT_EQ(kv::DEMCHG(s, r.peak), r.charge) << r.tiers.size() << " tiers, peak " << r.peak;
    // The month end prices its peak the same way and adds it to the year and the cost.
    s.enacc.PKKWM = r.peak;
    s.enacc.ELECPR = 0.1f;
    s.enacc.ELECM = 1000.0f;
    s.enacc.DAYWT = 1.0f;
    s.runpar.IDAY2 = 365;
    kv::MONEND(s, 2);
    EXPECT_FLOAT_EQ(s.enacc.DEMCHGM, r.charge);
    EXPECT_FLOAT_EQ(s.enacc.DEMCHGY, r.charge);
    EXPECT_FLOAT_EQ(s.enacc.ECOSTM, 100.0f + r.charge);
  }
}

TEST(MonthEnd, month_rows_of_section_three_match_the_golden_report_in_inch_pound_units) {
  LoadsRun run("me_gold_ip", "IP");
  runYear(run, false);
  expectGolden(run.file("sim$.out"), "ip_months_sim_.out");
}

TEST(MonthEnd, month_rows_of_section_three_match_the_golden_report_in_si_units) {
  LoadsRun run("me_gold_si", "SI");
  runYear(run, true);
  expectGolden(run.file("sim$.out"), "si_months_sim_.out");
}

// The report readers take the monthly table by the columns below. The writer puts space
// heating in 4-12, electricity cost in 104-112 and the total bill in 113-121: one column
// further left or right than the readers cut. This test pins down what each reader column
// holds so the readers can be fitted to it.
TEST(MonthEnd, monthly_table_read_at_the_report_readers_columns) {
  for (const char* name : {"ip_months_sim_.out", "si_months_sim_.out"}) {
    const std::vector<std::string> lines = linesOf(slurp(fs::path(KALVANO_TEST_DIR) / "golden" / name));
    std::size_t mon = 0;
    while (mon < lines.size() && lines[mon].rfind("MON", 0) != 0) ++mon;
    ASSERT_LT(mon + 5 + 12, lines.size() + 1) << name;
    const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    EXPECT_EQ(lines[mon + 4].rfind("=", 0), 0u) << "the line above the first row";
    for (int m = 0; m < 12; ++m) {
      const std::string& row = lines[mon + 5 + static_cast<std::size_t>(m)];
      EXPECT_EQ(row.substr(0, 3), months[m]) << name;
      // Space heating: reader 4-11, writer 4-12 (F9.1): the reader sees the value without
      // its tenths digit, i.e. the whole part followed by the point.
      const std::string heatW = field(row, 4, 12), heatR = field(row, 4, 11);
      EXPECT_EQ(heatR, heatW.substr(0, 8)) << name << " " << months[m];
      EXPECT_EQ(heatR.back(), '.') << name << " " << months[m];
      EXPECT_EQ(kv::parseF(heatR), std::trunc(kv::parseF(heatW))) << name << " " << months[m];
      // Cooling energy 31-39 and gas cost 80-87: same columns on both sides.
      for (const std::string& f : {field(row, 31, 39), field(row, 80, 87)}) {
        EXPECT_EQ(f.back(), '.') << name << " " << months[m];
        EXPECT_EQ(f.find_first_not_of(" 0123456789."), std::string::npos) << f;
      }
      // Electricity cost: reader 105-113, writer 104-112. The reader drops the writer's first
      // column (blank below 10 000 000) and takes the total bill's first column (blank below
      // 100 000 000): the same number while both stay below those sizes.
      const std::string ecostW = field(row, 104, 112), ecostR = field(row, 105, 113);
      EXPECT_EQ(ecostW[0], ' ');
      EXPECT_EQ(row[112], ' ');
      EXPECT_EQ(kv::parseF(ecostR), kv::parseF(ecostW)) << name << " " << months[m];
      // Total bill: reader 114-122, writer 113-121; column 122 starts the cost per area (F7.2,
      // blank below 1000).
      const std::string billW = field(row, 113, 121), billR = field(row, 114, 122);
      EXPECT_EQ(billW[0], ' ');
      EXPECT_EQ(row[121], ' ');
      EXPECT_EQ(kv::parseF(billR), kv::parseF(billW)) << name << " " << months[m];
      // The bill is the gas cost plus the electricity cost, to the rounding of the fields.
      EXPECT_NEAR(kv::parseF(billW), kv::parseF(field(row, 80, 87)) + kv::parseF(ecostW), 1.0)
          << name << " " << months[m];
    }
  }
}

TEST(MonthEnd, row_fields_in_their_columns_and_si_converts_only_energy_gas_and_cost_per_area) {
  std::string rows[2];
  for (int k = 0; k < 2; ++k) {
    LoadsRun run("me_cols", k == 0 ? "IP" : "SI");
    kv::EngineState& s = *run.s;
    economics(s);
    kv::ENACC& e = s.enacc;
    e.DAYWT = 2.0f;
    e.HEATM = 12.5e6f;       // 12.5 MBtu
    e.HLOADM = 30.0e6f;
    e.SOLARM = 10.0e6f;      // fraction 0.25
    e.HWMON = 4000.0f;       // 4 MBtu
    e.ECLGM = 1234.4f;
    e.FANKWH = 500.0f;
    e.LTEQKWH = 9000.0f;
    e.OLKWHM = 100.0f;       // lighting and appliances 9100
    e.CFLHRS = 99.99f;       // 99 whole hours
    e.SYSHRS = 250.7f;
    e.GASM = 10000.0f;       // x 2 / 1000 = 20 MBtu, $120
    e.ELECM = 1000.0f;       // x 2 + 9100 + 500 = 11600 kWh, $928
    e.PKKWM = 100.0f;        // $625 demand
    kv::MONEND(s, 3);
    rows[k] = linesOf(run.file("sim$.out")).at(0);
  }
  const std::string& ip = rows[0];
  EXPECT_EQ(ip,
            "MAR     12.5     0.25      4.0    1234.     500.    9100.     99    250     20.    120."
            "  100.0   11600.    1553.    1673.   0.07");
  const std::string& si = rows[1];
  EXPECT_EQ(field(si, 4, 12), "     13.2");   // 12.5 x 1.055056
  EXPECT_EQ(field(si, 13, 21), field(ip, 13, 21));
  EXPECT_EQ(field(si, 22, 30), "      4.2");   // 4 x 1.055056
  EXPECT_EQ(field(si, 31, 71), field(ip, 31, 71));
  EXPECT_EQ(field(si, 72, 79), "     21.");    // 20 x 1.055056
  EXPECT_EQ(field(si, 80, 121), field(ip, 80, 121));
  EXPECT_EQ(field(si, 122, 128), "   0.72");   // 0.06692 x 10.76391
}

TEST(MonthEnd, zero_floor_area_and_zero_heating_load_print_zero) {
  LoadsRun run("me_zero");
  kv::EngineState& s = *run.s;
  s.enacc.DAYWT = 1.0f;
  s.enacc.ELECPR = 0.1f;
  s.enacc.ELECM = 100.0f;
  s.enacc.SOLARM = 5.0e6f;  // solar without a heating load
  s.bldg.FLRAREA = 0.0f;
  s.runpar.IDAY2 = 365;
  kv::MONEND(s, 4);
  const std::string row = linesOf(run.file("sim$.out")).at(0);
  EXPECT_EQ(field(row, 13, 21), "     0.00");
  EXPECT_EQ(field(row, 122, 128), "   0.00");
}

TEST(MonthEnd, progress_line_names_the_month_from_column_33) {
  LoadsRun run("me_monitor");
  kv::EngineState& s = *run.s;
  s.runpar.IDAY2 = 365;
  for (int m : {1, 12}) kv::MONEND(s, m);
  const std::vector<std::string> lines = linesOf(run.file("monitor.txt"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(32, ' ') + "JAN Completed.");
  EXPECT_EQ(lines[1], std::string(32, ' ') + "DEC Completed.");
}

TEST(MonthEnd, annual_sums_take_the_unconverted_unrounded_month_values) {
  kv::ENACC got[2];
  for (int k = 0; k < 2; ++k) {
    LoadsRun run("me_annual", k == 0 ? "IP" : "SI");
    kv::EngineState& s = *run.s;
    building(s, k == 1);
    unsigned seed = 99u;
    float heat = 0, hl = 0, sol = 0, hw = 0, cl = 0, fan = 0, gas = 0, cmp = 0, sys = 0, pk = 0;
    for (int m = 1; m <= 2; ++m) {
      fillMonth(s, m, seed);
      const kv::ENACC& e = s.enacc;
      heat += e.HEATM * 1e-6f;
      hl += e.HLOADM * 1e-6f;
      sol += e.SOLARM * 1e-6f;
      hw += e.HWMON / 1000.0f;
      cl += e.CLOADM * 1e-6f;
      fan += e.FANKWH;
      gas += e.GASM * e.DAYWT / 1000.0f;
      cmp += e.CFLHRS;
      sys += e.SYSHRS;
      pk += e.PKKWM;
      kv::MONEND(s, m);
    }
    const kv::ENACC& e = s.enacc;
    EXPECT_FLOAT_EQ(e.SHEATY, heat);
    EXPECT_FLOAT_EQ(e.HLOADY, hl);
    EXPECT_FLOAT_EQ(e.SOLARY, sol);
    EXPECT_FLOAT_EQ(e.HWY, hw);
    EXPECT_FLOAT_EQ(e.CLOADY, cl);
    EXPECT_FLOAT_EQ(e.FANKWHY, fan);
    EXPECT_FLOAT_EQ(e.GASY, gas);
    EXPECT_FLOAT_EQ(e.CMPHRSY, cmp);
    EXPECT_FLOAT_EQ(e.SYSHRSY, sys);
    EXPECT_FLOAT_EQ(e.PKKWSUM, pk);
    EXPECT_GT(e.DEMCHGY, 0.0f);
    got[k] = e;
  }
  EXPECT_EQ(got[0].ELECY, got[1].ELECY);
  EXPECT_EQ(got[0].ECOSTY, got[1].ECOSTY);
  EXPECT_EQ(got[0].GASY, got[1].GASY);
  EXPECT_EQ(got[0].SHEATY, got[1].SHEATY);
}

TEST(MonthEnd, seasons_close_at_quarter_ends_and_at_the_run_end) {
  struct Row {
    int month, lastDay, jday;
    bool closes;
  };
  const Row rows[] = {
      {1, 365, 31, false}, {2, 365, 59, false}, {3, 365, 90, true},  {6, 365, 181, true},
      {2, 59, 59, true},  // a run ending in February closes the first quarter
      {7, 200, 200, true}, {11, 365, 334, false}, {12, 365, 365, true},
  };
  for (const Row& r : rows) {
    LoadsRun run("me_season");
    kv::EngineState& s = *run.s;
    kv::ENACC& e = s.enacc;
    s.runpar.IDAY2 = r.lastDay;
    s.hrwthr.JDAY = r.jday;
    e.DAYWT = 0.96f;
    e.NWHRS = 48;  // two working days: heat kinds divide by 2000, the others by 2
    const int q = (r.month + 2) / 3;
    for (int k = 1; k <= 4; ++k) e.SEASPR(10, k, q) = 4000.0f;
    kv::MONEND(s, r.month);
    EXPECT_EQ(e.NWHRS, r.closes ? 0 : 48) << r.month;
    EXPECT_EQ(e.SEASPR(10, 1, q), r.closes ? 2.0f : 4000.0f) << r.month;
    EXPECT_EQ(e.SEASPR(10, 2, q), r.closes ? 2.0f : 4000.0f) << r.month;
    EXPECT_EQ(e.SEASPR(10, 3, q), r.closes ? 2000.0f : 4000.0f) << r.month;
    EXPECT_EQ(e.SEASPR(10, 4, q), r.closes ? 2000.0f : 4000.0f) << r.month;
  }
  // No working hours: the divisor is raised to 1.
  LoadsRun run("me_season0");
  kv::EngineState& s = *run.s;
  s.runpar.IDAY2 = 365;
  s.enacc.SEASPR(1, 3, 4) = 7.0f;
  kv::MONEND(s, 12);
  EXPECT_EQ(s.enacc.SEASPR(1, 3, 4), 7.0f);
}

TEST(ComfortReport, matches_the_golden_report_in_inch_pound_units) {
  LoadsRun run("cf_gold_ip", "IP");
  runYear(run, false);
  expectGolden(run.file("tavik$.flt"), "ip_tavik_.flt");
}

TEST(ComfortReport, matches_the_golden_report_in_si_units) {
  LoadsRun run("cf_gold_si", "SI");
  runYear(run, true);
  expectGolden(run.file("tavik$.flt"), "si_tavik_.flt");
}

TEST(ComfortReport, zone_pages_only_in_the_quarters_first_months_and_cumulative_blocks_every_month) {
  LoadsRun run("cf_pages", "IP");
  runYear(run, false);
  const std::vector<std::string> lines = linesOf(run.file("tavik$.flt"));
  const std::string avg = " AVERAGE Indoor Comfort Conditions For All Zones Through";
  std::vector<std::string> pages, through;
  int zones = 0, breaks = 0;
  for (const std::string& l : lines) {
    if (l.rfind("*** COMFORT CONDITIONS FOR ", 0) == 0) pages.push_back(l.substr(27, 3));
    if (l.rfind(avg, 0) == 0) through.push_back(l.substr(avg.size()));
    if (l.rfind(" ZONE", 0) == 0) ++zones;
    if (l == "\f") ++breaks;
  }
  EXPECT_EQ(pages, (std::vector<std::string>{"JAN", "APR", "JUL", "OCT"}));
  EXPECT_EQ(through, (std::vector<std::string>{"JAN:", "FEB:", "MAR:", "APR:", "MAY:", "JUN:", "JUL:",
                                               "AUG:", "SEP:", "OCT:", "NOV:", "DEC:"}));
  EXPECT_EQ(zones, 8);
  EXPECT_EQ(breaks, 3);  // April, July, October; January continues the title page
  EXPECT_EQ(lines[0].substr(0, 8), "    Floa");
}

TEST(ComfortReport, si_converts_temperatures_and_degree_hours_but_not_hours_or_percentages) {
  std::vector<std::string> got[2];
  for (int k = 0; k < 2; ++k) {
    LoadsRun run("cf_si", k == 0 ? "IP" : "SI");
    runYear(run, k == 1);
    got[k] = linesOf(run.file("tavik$.flt"));
  }
  ASSERT_EQ(got[0].size(), got[1].size());
  int hours = 0, degree = 0, temps = 0;
  for (std::size_t i = 0; i < got[0].size(); ++i) {
    const std::string& ip = got[0][i];
    const std::string& si = got[1][i];
    if (ip.rfind("  Room RH=", 0) == 0 || ip.rfind("         Hrs", 0) == 0 ||
        (i > 0 && got[0][i - 1].rfind("  Cumulative Hours", 0) == 0)) {
      EXPECT_EQ(si, ip) << i;
      ++hours;
    }
    if (ip.rfind("  Indoor =", 0) == 0) {
      for (int c = 11; c <= 103; c += 4)
        EXPECT_NEAR(kv::parseF(field(si, c, c + 3)), (kv::parseF(field(ip, c, c + 3)) - 32) / 1.8f, 1.0) << i;
      ++temps;
    }
    if (i > 0 && got[0][i - 1].rfind("  Cumulative Degree-Hours:", 0) == 0) {
      for (int c = 26; c <= 60; c += 17)
        EXPECT_NEAR(kv::parseF(field(si, c, c + 16)), kv::parseF(field(ip, c, c + 16)) / 1.8f, 1.0) << i;
      ++degree;
    }
  }
  EXPECT_GT(hours, 12);
  EXPECT_EQ(degree, 12);
  EXPECT_EQ(temps, 16);
}

TEST(ComfortReport, zero_occupied_hours_give_zero_percentages) {
  LoadsRun run("cf_zero", "IP");
  kv::EngineState& s = *run.s;
  building(s, false);
  s.bldg.NZ = 1;
  kv::MONEND(s, 1);
  const std::vector<std::string> lines = linesOf(run.file("tavik$.flt"));
  int seen = 0;
  for (const std::string& l : lines) {
    const bool zoneHours = l.rfind("         Hrs This Month", 0) == 0;
    const bool allHours = l.rfind(std::string(23, ' '), 0) == 0 && l.find("Occupied Hours") != std::string::npos;
    if (zoneHours || allHours) {
      EXPECT_EQ(l.substr(23), "           0.(  0%)           0.(  0%)           0.(  0%)   (    0. Occupied Hours)");
      ++seen;
    }
  }
  EXPECT_EQ(seen, 2);
}

TEST(DayEnd, weekday_wraps_outdoor_lighting_adds_by_weight_and_peak_days_are_kept_once) {
  LoadsRun run("de_day");
  kv::EngineState& s = *run.s;
  kv::ENACC& e = s.enacc;
  e.IDOW = 7;
  e.OLKWHD = 12.0f;
  e.DAYWT = 4.25f;
  e.CPKNEW = 1;  // the first day is kept as both peak days
  e.HPKNEW = 1;
  for (int h = 1; h <= 24; ++h) {
    e.ELDAY1(h) = e.ELDAY2(h) = static_cast<float>(h);
    e.FUDAY1(h) = e.FUDAY2(h) = 100.0f + h;
  }
  int32_t dow = 0;
  kv::DAYEND(s, 1, dow);
  EXPECT_EQ(dow, 1);
  EXPECT_EQ(e.IDOW, 1);
  EXPECT_FLOAT_EQ(e.OLKWHM, 51.0f);
  EXPECT_EQ(e.CPKNEW, 0);
  EXPECT_EQ(e.HPKNEW, 0);
  EXPECT_EQ(e.SPKEL(5), 5.0f);
  EXPECT_EQ(e.SPKGAS(5), 105.0f);
  EXPECT_EQ(e.WPKEL(24), 24.0f);
  EXPECT_EQ(e.WPKGAS(24), 124.0f);
  // A later day without new peaks leaves the profiles alone.
  for (int h = 1; h <= 24; ++h) e.ELDAY1(h) = e.ELDAY2(h) = e.FUDAY1(h) = e.FUDAY2(h) = 0.0f;
  kv::DAYEND(s, 1, dow);
  EXPECT_EQ(dow, 2);
  EXPECT_FLOAT_EQ(e.OLKWHM, 102.0f);
  EXPECT_EQ(e.SPKEL(5), 5.0f);
  EXPECT_EQ(e.WPKGAS(24), 124.0f);
}

// The hour preparation alone decides the non-working flag (from the weekday, the occupied
// days and the month flag); the day end only advances the weekday.
TEST(DayEnd, leaves_the_non_working_flag_to_the_hour_preparation) {
  for (int before : {0, 1}) {
    LoadsRun run("de_nonwrk");
    kv::EngineState& s = *run.s;
    kv::ENACC& e = s.enacc;
    e.IDOW = 5;
    e.NWDAYS = 5;
    e.IHR = 24;
    e.NONWRK = before;
    s.runpar.MONFLG(3) = 1;
    int32_t dow = 0;
    kv::DAYEND(s, 3, dow);
    EXPECT_EQ(dow, 6);
    EXPECT_EQ(e.NONWRK, before);
  }
}
