// Section III of a whole year of each installed sample, the office in inch-pound units and
// the school in SI, with generated weather of the samples' fixed seed and the clock fixed:
// the title, the heads and the twelve month rows are kept as golden files, and so are the
// whole annual sections III to VII.
// KV_UPDATE_GOLDEN=1 rewrites them from the current output (review the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "whole_run.h"

using namespace kalvano::datatest;
using kvtest::expectGolden;

namespace {

// From the section III title to the December row, line ends kept.
std::string sectionThree(const std::string& report) {
  const std::size_t from = report.find("III.  M O N T H L Y");
  if (from == std::string::npos) return {};
  const std::size_t dec = report.find("\r\nDEC", from);
  if (dec == std::string::npos) return {};
  const std::size_t end = report.find("\r\n", dec + 2);
  return report.substr(from, end == std::string::npos ? std::string::npos : end + 2 - from);
}

// Sections III to VII: from the section III title to the page of section VIII.
std::string annualSections(const std::string& report) {
  const std::size_t from = report.find("III.  M O N T H L Y");
  const std::size_t viii = report.find("VIII.  E N D", from);
  if (from == std::string::npos || viii == std::string::npos) return {};
  const std::size_t end = report.rfind("\r\n", viii);
  return report.substr(from, end + 2 - from);
}

}  // namespace

TEST(WholeRunGolden, section_three_month_rows_of_the_office_sample_in_inch_pound_units) {
  auto r = runSampleYear("SampleProject.inp", 3);
  ASSERT_EQ(r->run.status, 0);
  const std::string got = sectionThree(r->run.report);
  ASSERT_FALSE(got.empty()) << r->run.report;
  EXPECT_NE(got.find("(MBtu)"), std::string::npos);
  expectGolden(got, "office_ip_section3.out");
}

TEST(WholeRunGolden, section_three_month_rows_of_the_school_sample_in_si_units) {
  auto r = runSampleYear("SampleSchool.inp", 3);
  ASSERT_EQ(r->run.status, 0);
  const std::string got = sectionThree(r->run.report);
  ASSERT_FALSE(got.empty()) << r->run.report;
  EXPECT_NE(got.find("(GJ)"), std::string::npos);
  expectGolden(got, "school_si_section3.out");
}

// The annual sections of both samples: totals, load tables, zone design data, peak-day
// profiles, seasonal profiles and the cost analysis, with the run year of the fixed clock.
TEST(WholeRunGolden, annual_sections_of_both_samples) {
  struct Case {
    const char* sample;
    const char* golden;
  };
  for (const Case& c : {Case{"SampleProject.inp", "office_ip_annual.out"}, Case{"SampleSchool.inp", "school_si_annual.out"}}) {
    SCOPED_TRACE(c.sample);
    auto r = runSampleYear(c.sample, 3);
    ASSERT_EQ(r->run.status, 0);
    const std::string got = annualSections(r->run.report);
    ASSERT_FALSE(got.empty()) << r->run.report;
    for (const char* marker : {"IV.  D E S I G N", "V.  P E A K", "VI.  S E A S O N A L", "VII."})
      EXPECT_NE(got.find(marker), std::string::npos) << marker;
    EXPECT_EQ(got.find("nan"), std::string::npos);
    expectGolden(got, c.golden);
  }
}
