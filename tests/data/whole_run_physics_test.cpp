// What a reviewer checks of a whole year of the Chicago office sample: the seasons of the
// heating and cooling, the month rows against the hours they sum, the weekends, the dates of
// the building's peaks and the units of the energy by heating type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "whole_run.h"

using namespace kalvano::datatest;

namespace {

constexpr const char* kOffice = "SampleProject.inp";

std::vector<std::string> fields(const std::string& line, char sep) {
  std::vector<std::string> out(1);
  for (char c : line) {
    if (c == sep) out.emplace_back();
    else out.back() += c;
  }
  return out;
}

// Weekday of day-of-year d in 2026, 1 = Monday .. 7 = Sunday (1 January 2026 is a Thursday).
int weekday2026(int dayOfYear) { return (dayOfYear - 1 + 3) % 7 + 1; }

int dayOfYear(int month, int day) {
  static const int start[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  return start[month - 1] + day;
}

// The month rows of section III, by month 1..12.
std::vector<std::string> monthRows(const std::string& report) {
  static const char* names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  std::vector<std::string> rows;
  const std::vector<std::string> lines = kvtest::linesOf(report);
  int next = 0;
  for (const std::string& l : lines) {
    if (next < 12 && l.rfind(names[next], 0) == 0 && l.size() > 120) {
      rows.push_back(l);
      ++next;
    }
  }
  return rows;
}

float col(const std::string& row, int from, int to) { return std::stof(row.substr(from - 1, to - from + 1)); }

}  // namespace

TEST(WholeRunPhysics, chicago_heats_in_winter_and_cools_in_summer) {
  auto r = runSampleYear(kOffice, 3, 0, surfacesAllYear);
  ASSERT_EQ(r->run.status, 0);
  ASSERT_EQ(r->watch.months.size(), 12u);
  const std::vector<MonthRecord>& m = r->watch.months;
  auto heat = [&](int k) { return m[static_cast<std::size_t>(k - 1)].HLOADM; };
  auto cool = [&](int k) { return m[static_cast<std::size_t>(k - 1)].CLOADM; };
  for (int w : {1, 2, 12}) {
    for (int s : {6, 7, 8}) {
      EXPECT_GT(heat(w), 5.0f * heat(s) + 1.0f) << "heating load, month " << w << " against " << s;
      EXPECT_GT(cool(s), 2.0f * cool(w) + 1.0f) << "cooling load, month " << s << " against " << w;
    }
  }
  // The coldest month needs the most heating, the hottest the most cooling.
  float hmax = 0, cmax = 0;
  int hm = 0, cm = 0;
  for (int k = 1; k <= 12; ++k) {
    if (heat(k) > hmax) hmax = heat(k), hm = k;
    if (cool(k) > cmax) cmax = cool(k), cm = k;
  }
  EXPECT_TRUE(hm == 1 || hm == 12 || hm == 2) << hm;
  EXPECT_TRUE(cm >= 6 && cm <= 8) << cm;
}


// With hourly output on, every simulated hour has one row in each spreadsheet; the end uses
// of a row are the hour's values, and the month rows of section III are their weighted sums
// where the two are the same quantity: cooling and fan energy, lights and appliances of the
// working hours, hot-water and space-heating energy of gas heating (heating factor 1000).
TEST(WholeRunPhysics, month_rows_are_the_weighted_sums_of_the_hourly_rows) {
  auto r = runSampleYear(kOffice, 3, 1, surfacesAllYear);
  ASSERT_EQ(r->run.status, 0);
  const std::vector<HourRecord>& hrs = r->watch.hours;
  ASSERT_EQ(hrs.size(), 8760u);

  std::vector<std::string> rows;
  for (const std::string& l : kvtest::linesOf(r->hourly))
    if (l.size() > 8 && l[3] == '-' && l[7] == '\t') rows.push_back(l);
  ASSERT_EQ(rows.size(), hrs.size());
  std::size_t temps = 0;
  for (const std::string& l : kvtest::linesOf(r->temps))
    if (l.size() > 8 && l[3] == '-' && l[7] == '\t') ++temps;
  EXPECT_EQ(temps, hrs.size());

  struct Sums {
    double heat = 0, hw = 0, cool = 0, fan = 0, lteq = 0;
  } sum[13];
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const HourRecord& h = hrs[i];
    const std::vector<std::string> f = fields(rows[i], '\t');
    ASSERT_EQ(f.size(), 27u) << rows[i];
    ASSERT_EQ(std::stoi(f[0].substr(0, 3)), h.day) << rows[i];
    ASSERT_EQ(std::stoi(f[1]), h.hour) << rows[i];
    const float vals[6] = {h.QHTG, h.ECLG, h.ELTG, h.ERCP, h.EFAN, h.QHW};
    for (int k = 0; k < 6; ++k) {
      const float got = std::stof(f[21 + static_cast<std::size_t>(k)]);
      ASSERT_NEAR(got, vals[k], 0.5f + 1e-4f * std::fabs(vals[k])) << "field " << 22 + k << ": " << rows[i];
    }
    Sums& m = sum[h.month];
    const double w = h.daywt;
    m.heat += h.QHTG * w / 1000.0;
    m.hw += h.QHW * w / 1000.0;
    m.cool += h.ECLG * w;
    m.fan += h.EFAN * w;
    if (h.nonwrk == 0) m.lteq += (h.ELTG + h.ERCP) * w;
  }

  const std::vector<std::string> mrows = monthRows(r->run.report);
  ASSERT_EQ(mrows.size(), 12u) << r->run.report;
  for (int k = 1; k <= 12; ++k) {
    SCOPED_TRACE(mrows[static_cast<std::size_t>(k - 1)]);
    const std::string& row = mrows[static_cast<std::size_t>(k - 1)];
    const Sums& m = sum[k];
    EXPECT_NEAR(col(row, 4, 12), m.heat, 0.05 + 1e-4 * m.heat) << "space heating, MBtu";
    EXPECT_NEAR(col(row, 22, 30), m.hw, 0.05 + 1e-4 * m.hw) << "water heating, MBtu";
    EXPECT_NEAR(col(row, 31, 39), m.cool, 0.5 + 1e-4 * m.cool) << "cooling, kWh";
    EXPECT_NEAR(col(row, 40, 48), m.fan, 0.5 + 1e-4 * m.fan) << "fans, kWh";
    EXPECT_NEAR(col(row, 49, 57), m.lteq, 0.5 + 1e-4 * m.lteq) << "lights and appliances, kWh";
  }
}

// The office works Monday to Friday (2026 begins on a Thursday): weekend hours are
// non-working, with no lights, equipment or people, and only they are.
TEST(WholeRunPhysics, weekends_are_non_working_and_have_no_internal_gains) {
  auto r = runSampleYear(kOffice, 3, 1, surfacesAllYear);
  ASSERT_EQ(r->run.status, 0);
  double weekdayGains = 0;
  int weekendHours = 0;
  for (const HourRecord& h : r->watch.hours) {
    const int dow = weekday2026(dayOfYear(h.month, h.day));
    ASSERT_EQ(h.idow, dow) << h.month << "/" << h.day;
    ASSERT_EQ(h.nonwrk, dow >= 6 ? 1 : 0) << h.month << "/" << h.day << " " << h.hour;
    if (dow >= 6) {
      ++weekendHours;
      EXPECT_EQ(h.ELTG + h.ERCP, 0.0f) << h.month << "/" << h.day << " " << h.hour;
      EXPECT_EQ(h.ELTEQ, 0.0f);
    } else {
      weekdayGains += h.ELTG + h.ERCP;
    }
  }
  EXPECT_EQ(weekendHours, 104 * 24);
  EXPECT_GT(weekdayGains, 0.0);
  // In the spreadsheet too: Saturday 3 January has no lights and no equipment.
  for (const std::string& l : kvtest::linesOf(r->hourly)) {
    if (l.rfind("  3-JAN\t", 0) != 0) continue;
    const std::vector<std::string> f = fields(l, '\t');
    ASSERT_EQ(f.size(), 27u);
    EXPECT_EQ(std::stof(f[23]), 0.0f) << l;
    EXPECT_EQ(std::stof(f[24]), 0.0f) << l;
  }
}

TEST(WholeRunPhysics, building_peaks_fall_in_summer_and_winter) {
  auto r = runSampleYear(kOffice, 3, 0, surfacesAllYear);
  ASSERT_EQ(r->run.status, 0);
  const kv::ENACC& e = r->run.state->enacc;
  EXPECT_GE(e.CPKMON, 6);
  EXPECT_LE(e.CPKMON, 8);
  EXPECT_TRUE(e.HPKMON == 12 || e.HPKMON <= 2) << e.HPKMON;
  EXPECT_GT(e.CPKDB, 80.0f);
  EXPECT_LT(e.HPKDB, 20.0f);
  EXPECT_GT(e.CPKLOAD, 0.0f);
  EXPECT_LT(e.HPKLOAD, 0.0f);
}

// Gas heating is counted in kBtu of gas, electric heating and heat pumps in kWh: the year's
// gas is the space- and water-heating energy of a gas building, and nothing in an electric
// one, whose electricity holds that energy at 3413 Btu per kWh.
TEST(WholeRunPhysics, energy_by_end_use_is_gas_or_electricity_by_heating_type) {
  for (int type : {1, 2, 3}) {
    SCOPED_TRACE("heating type " + std::to_string(type));
    auto edit = [type](std::string& text) {
      surfacesAllYear(text);
      std::size_t p = 0;
      while ((p = text.find("Heat.Type 1", p)) != std::string::npos) {
        text[p + 10] = static_cast<char>('0' + type);
        ++p;
      }
    };
    auto r = runSampleYear(kOffice, 3, 0, edit);
    ASSERT_EQ(r->run.status, 0) << r->run.monitor;
    const kv::ENACC& e = r->run.state->enacc;
    ASSERT_GT(e.SHEATY, 1.0f);
    ASSERT_GT(e.HWY, 0.1f);
    double other = 0;  // cooling, fans, lights and appliances, kWh
    for (const MonthRecord& m : r->watch.months) other += m.ECLGM + m.FANKWH + m.LTEQKWH;
    if (type == 1) {
      EXPECT_NEAR(e.GASY, e.SHEATY + e.HWY, 1e-3 * e.GASY);
      EXPECT_NEAR(e.ELECY, other, 1e-3 * e.ELECY);
      for (const HourRecord& h : r->watch.hours) {
        ASSERT_NEAR(h.FUELHR, h.QHTG + h.QHW, 1e-3f + 1e-4f * h.FUELHR);
        ASSERT_NEAR(h.ELKW - h.EFAN - h.ELTEQ, h.ECLG, 1e-3f + 1e-4f * h.ELKW);
      }
    } else {
      EXPECT_EQ(e.GASY, 0.0f);
      const double heatKwh = (e.SHEATY + e.HWY) * 1.0e6 / 3413.0;
      EXPECT_NEAR(e.ELECY, other + heatKwh, 1e-3 * e.ELECY);
      for (const HourRecord& h : r->watch.hours) {
        ASSERT_EQ(h.FUELHR, 0.0f);
        ASSERT_NEAR(h.ELKW - h.EFAN - h.ELTEQ, h.ECLG + (h.QHTG + h.QHW) / 3.413f, 1e-3f + 1e-4f * h.ELKW);
      }
    }
  }
}

// The office with an evaporative cooler in both zones: the cooler runs only while a zone
// would float above its cooling set point and never cools it below its heating set point, so
// the occupied hours below that set point are no more than with the office's own coils.
TEST(WholeRunPhysics, evaporative_cooling_keeps_the_office_inside_its_thermostat_band) {
  struct Tally {
    int evaporative = 0, evaporativeBelow = 0, occupied = 0, occupiedBelow = 0;
    std::vector<float> freeHours = std::vector<float>(kv::kZones + 1, 0.0f);
  };
  auto year = [](const char* coolType, Tally& t) {
    auto watch = [&t](const kv::EngineState& s, const HourRecord& r) {
      const kv::ENACC& e = s.enacc;
      const kv::BLDG& b = s.bldg;
      for (int z = 1; z <= b.NZ; ++z) {
        const bool free = e.FCHRS(z) != t.freeHours[static_cast<std::size_t>(z)];
        t.freeHours[static_cast<std::size_t>(z)] = e.FCHRS(z);
        const float heat = b.PROF(5, r.nonwrk ? b.IPROF(8, z) : b.IPROF(6, z), r.hour);
        const bool below = e.TZONE(z) < heat - 1e-3f;
        if (free && s.hrwthr.DB >= e.ECONT(z) && b.ICOOL(z) == 9) {  // not the economiser
          ++t.evaporative;
          if (below) ++t.evaporativeBelow;
        }
        if (r.nonwrk == 0 && b.PROF(1, b.IPROF(1, z), r.hour) > 0.0f) {
          ++t.occupied;
          if (below) ++t.occupiedBelow;
        }
      }
    };
    const std::string type = std::string("Cool.Type ") + coolType;
    auto r = runSampleYear(
        kOffice, 3, 0,
        [&type](std::string& text) {
          for (std::size_t p = text.find("Cool.Type 1"); p != std::string::npos; p = text.find("Cool.Type 1", p + 1))
            text.replace(p, type.size(), type);
        },
        watch);
    ASSERT_EQ(r->run.status, 0);
  };
  Tally coil, evaporative;
  year("1", coil);
  year("9", evaporative);
  ASSERT_GT(evaporative.occupied, 4000);
  EXPECT_GT(evaporative.evaporative, 100);
  EXPECT_EQ(evaporative.evaporativeBelow, 0);
  const double coilShare = static_cast<double>(coil.occupiedBelow) / coil.occupied;
  const double evapShare = static_cast<double>(evaporative.occupiedBelow) / evaporative.occupied;
  EXPECT_LE(evapShare, coilShare + 0.01) << "coils " << coilShare << ", evaporative " << evapShare;
  std::printf("occupied hours below the heating set point: coils %.3f, evaporative %.3f; evaporative hours %d\n",
              coilShare, evapShare, evaporative.evaporative);
}
