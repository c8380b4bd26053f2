// Real reports for the report tests: the built kvan64 runs an installed sample project in a
// fresh base folder, and the user's report temp/tavik$.out is assembled as Review Results
// does: the input echo (the real one, or a small fixture of sections I and II laid out as
// the echo lays them out, for a chosen number of zones), then sim$.out, tavik$.wth and
// tavik$.flt.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/project_model.h"

namespace kalvano::reports::test {

// The echo's head with its banner and sections I and II as the input echo writes them:
// section I on its own page, then one block per zone 1..zones, each beginning with a page
// caption and the "*** PROJECT" page header and holding the "ZONE" heading in columns 5 to 8
// and a form-feed line. Its weather page names SI units with `si`, inch-pound otherwise.
std::string EchoFixture(int zones, bool si = false);

// Day `day` of 2026 as the run window's period boxes hold it, with the dash that the run
// joins the year to: "15-Feb-".
std::string DayMonthText(int day);

struct SampleRun {
  std::string sample = "SampleProject.inp";  // installed sample
  int runType = 3;                           // 1 error check, 2 abbreviated, 3 with air conditioning, 4 passive
  int endDay = 365;                          // last day of the analysis period (2026)
  bool hourly = false;
  int beginDay = 1;                          // first day of the analysis period
  std::vector<int> skippedMonths = {};  // 1..12
  int weeksPerMonth = 0;           // simulated weeks a month, 1 to 4; 0 keeps the sample's
  std::string project = {};        // the project file's text, when not the installed sample's
};

// The school sample grown to 98 zones: copies of its second zone carry the zone numbers of
// four sketch levels of 25 zones each (with four of its surfaces, to stay within the 400
// surfaces a run takes).
std::string School98();

// Copies the installed base folder's data into `base`, writes the run files of the sample
// as the run window does, runs kvan64 in base/temp and assembles temp/tavik$.out after the
// input echo (`zones` 0) or the echo fixture of `zones` zones, and records temp's results as
// Review Results does. With the echo fixture, the comfort report (in the report and as
// temp/tavik$.flt) is laid out for the fixture's zones, so that the report is whole. Returns kvan64's exit status. The model is left holding the sample as
// read, with AppDir = base.
int RunSample(model::ProjectModel& m, const std::filesystem::path& base, const SampleRun& run,
              int zones = 0);

// Reads a file whole (empty when missing).
std::string Slurp(const std::filesystem::path& path);
// Its lines without line ends.
std::vector<std::string> LinesOf(const std::string& bytes);

}  // namespace kalvano::reports::test
