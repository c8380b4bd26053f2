// A year through the main program, the calendar and the load model's entries: what the year
// end makes true of the run's report, whatever the hourly stages computed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/calendar/wether.h"
#include "engine/input/kvan64main.h"
#include "engine/loads/energy.h"
#include "runfiles.h"
#include "yrend_fixture.h"

using namespace kvtest;
namespace files = kalvano::files;

namespace {

struct RunFolder : RunBase {
  RunFolder(const std::string& name, int runType, const char* units)
      : RunBase(name, runOptionsText(runType), units) {}
};

void threeZones(kv::EngineState& s) {
  s.prjtxt.PNAME.set("Year Office");
  s.mainpg.STNID.set("23062");
  s.bldg.NZ = 3;
  s.bldg.FLRAREA = 1500;
  s.bldg.DAYSWK = 5;
  for (int k = 1; k <= 5; ++k) s.bldg.NOPROF(k, 1) = 1;
  for (int z = 1; z <= 3; ++z) {
    s.bldg.IZONE(z) = static_cast<int16_t>(z);
    s.prjtxt.ZNAME(z).set(z == 1 ? "North" : z == 2 ? "South" : "Core");
    s.bldg.FLRZ(z) = 500;
    s.bldg.ZHGT(z) = 10;
    s.bldg.LTYPE(z) = 1;
    s.bldg.ICOOL(z) = 1;
    s.bldg.IHEAT(z) = 1;
    for (int k = 1; k <= 8; ++k) s.bldg.IPROF(k, z) = 1;
  }
}

std::vector<std::string> runYear(const RunFolder& f) {
  auto s = makeState(f.temp);
  s->hooks.readProject = &threeZones;
  s->hooks.WETHER = &kv::WETHER;
  s->hooks.ENERGY = &kv::ENERGY;
  s->hooks.DAYEND = &kv::DAYEND;
  s->hooks.MONEND = &kv::MONEND;
  s->hooks.YREND = &kv::YREND;
  EXPECT_EQ(kv::KVAN64(*s), 0);
  return linesOf(slurp(f.temp / std::string(files::kEngineReport)));
}

}  // namespace

TEST(YrEndRun, a_year_closes_the_monthly_table_and_writes_the_annual_sections_in_order) {
  struct Row {
    int runType;
    const char* units;
  };
  for (const Row& row : {Row{3, "IP"}, Row{3, "SI"}, Row{2, "IP"}}) {
    RunFolder f("yrend_run", row.runType, row.units);
    const std::vector<std::string> L = runYear(f);
    const std::string tag = std::string(row.units) + " run type " + std::to_string(row.runType);
    const int mon = findLine(L, "MON");
    ASSERT_GE(mon, 0) << tag;
    const int dec = mon + 5 + 11;
    ASSERT_EQ(L[dec].substr(0, 3), "DEC") << tag;
    EXPECT_EQ(L[dec + 1], std::string(132, '=')) << tag;
    EXPECT_EQ(L[dec + 2].substr(0, 3), "TOT") << tag;
    EXPECT_EQ(L[dec + 3].substr(0, 3), "($)") << tag;
    // The TOT row is the sum of the month rows within their rounding (compressor and system
    // hours lose up to an hour a month to the rows' truncation).
    struct Col {
      int from, to;
      double perMonth;
    };
    for (const Col& c : {Col{4, 12, 0.05}, Col{22, 30, 0.05}, Col{31, 39, 0.5}, Col{40, 48, 0.5},
                         Col{49, 57, 0.5}, Col{58, 64, 1.0}, Col{65, 71, 1.0}, Col{72, 79, 0.5},
                         Col{88, 94, 0.05}, Col{95, 103, 0.5}}) {
      double sum = 0;
      for (int m = 0; m < 12; ++m) sum += fieldAt(L[mon + 5 + m], c.from, c.to);
      EXPECT_NEAR(fieldAt(L[dec + 2], c.from, c.to), sum, 12 * c.perMonth + 0.06) << tag << c.from;
    }
    EXPECT_EQ(L[dec + 5].substr(0, 15), "DISAGGREGATION:") << tag;
    EXPECT_EQ(L[dec + 6].substr(0, 4), "Site") << tag;
    EXPECT_EQ(L[dec + 7].substr(0, 10), "WHOLE-BLDG") << tag;
    // The sections after III, one page each, numbered on from III's page.
    const int iii = findLine(L, "III.");
    int page = std::stoi(L[iii].substr(123, 3));
    int prev = iii;
    for (const char* marker : {"IV. ", "V. ", "VI.", "VII."}) {
      const int i = findLine(L, marker);
      if (std::string(marker) == "VI." && row.runType != 3) {
        EXPECT_EQ(i, -1) << tag;
        continue;
      }
      ASSERT_GT(i, prev) << tag << marker;
      EXPECT_EQ(std::stoi(L[i].substr(123, 3)), ++page) << tag << marker;
      prev = i;
    }
    // One zone row per zone in section IV.
    for (const char* zone : {"   1 North", "   2 South", "   3 Core"})
      EXPECT_GT(findLine(L, zone), findLine(L, "IV. ")) << tag << zone;
    // The cost table closes the year end; the calendar's section VIII follows on a new page.
    const int viii = findLine(L, "VIII.");
    ASSERT_GT(viii, prev) << tag;
    ASSERT_EQ(L[viii - 1][0], '\f') << tag;  // VIII carries its page number on this line
    EXPECT_EQ(L[viii - 2], "                              " + std::string(24, '=')) << tag;
    const std::size_t at = L[viii - 1].find("PAGE");
    ASSERT_NE(at, std::string::npos) << tag;
    EXPECT_EQ(std::stoi(L[viii - 1].substr(at + 4, 3)), page + 1) << tag;
    // Nothing of the year end is wider than the report's 132 columns or not a number.
    for (int i = dec + 1; i < viii; ++i) {
      EXPECT_LE(L[i].size(), 132u) << tag << L[i];
      EXPECT_EQ(L[i].find("nan"), std::string::npos) << tag << L[i];
    }
  }
}

TEST(YrEndRun, one_run_file_tagged_ip_and_si_gives_reports_that_agree_after_conversion) {
  std::vector<std::string> ip, si;
  {
    RunFolder f("yrend_run_ip", 3, "IP");
    ip = runYear(f);
  }
  {
    RunFolder f("yrend_run_si", 3, "SI");
    si = runYear(f);
  }
  struct Field {
    const char* line;
    int offset, from, to;
    double factor, rounding;  // the inch-pound field's half unit, converted
  };
  const Field fields[] = {
      {"TOT", 0, 4, 12, 1.055056, 0.06},            // space heating, GJ
      {"TOT", 0, 22, 30, 1.055056, 0.06},           // water heating
      {"TOT", 0, 31, 39, 1.0, 0.0},                 // cooling kWh
      {"TOT", 0, 95, 103, 1.0, 0.0},                // electricity kWh
      {"($)", 0, 113, 121, 1.0, 0.0},               // the bill
      {"Site", 0, 16, 25, 1.055056, 0.06},          // heating site energy
      {"Site", 0, 56, 65, 1.055056, 0.06},          // lighting
      {"WHOLE-BLDG", 0, 89, 96, 1.055056, 0.6},     // source energy
      {"ROOF", 0, 43, 53, 0.2930711, 0.006},        // peak cooling, kW
      {"ROOF", 13, 26, 37, 0.2930711, 0.006},       // the central plant's peak heating
      {"   1 North", 0, 74, 82, 0.2930711, 0.03},   // zone cooling load
      {"   1 North", 0, 101, 109, 0.4719, 0.3},     // zone supply air, L/s
      {"   1 North", 0, 94, 100, 1.0, 0.0},         // tons
  };
  for (const Field& f : fields) {
    const int a = findLine(ip, f.line), b = findLine(si, f.line);
    ASSERT_GE(a, 0) << f.line;
    ASSERT_GE(b, 0) << f.line;
    const double want = fieldAt(ip[a + f.offset], f.from, f.to) * f.factor;
    EXPECT_NEAR(fieldAt(si[b + f.offset], f.from, f.to), want, f.rounding + 0.051 + 1e-5 * std::fabs(want))
        << f.line << " " << f.from;
  }
}
