// The two run files that the engine reads at start: the project in the engine's input
// layout (temp/tavik$.inp, always inch-pound values, tagged with the units of the reports)
// and the run options (temp/tavik$.tmp, eight labelled lines). GUI-free: the run window
// gathers the choices and calls these.
#pragma once

#include "frontend/model/project_model.h"

#include <string>
#include <vector>

namespace kalvano::shell {

struct RunChoices {
  int runType = 3;           // 1 error check, 2 abbreviated, 3 with air conditioning, 4 passive
  int weatherFormat = 0;     // 0 generated; 1 TMY2, 2 WYEC2, 3 IWEC, 4 custom
  int jan1Weekday = 1;       // weekday of 1 January, 1 = Sunday
  int beginDay = 1;          // first and last day of the analysis period, day of the year
  int endDay = 365;
  int hourlyOutput = 0;      // 1 = write the hourly spreadsheets
  std::vector<int> skippedMonths;  // 1..12, in month order
  float comfortLower = 68;   // comfort band in the model's units
  float comfortUpper = 79;
};

// Weekday of 1 January of `year`, 1 = Sunday .. 7 = Saturday (1980 gives 3, 2001 gives 2).
int Jan1Weekday(int year);

// The eight lines of the run options file, each ended by CR LF.
std::string RunOptionsText(const RunChoices& c);

// Writes temp/tavik$.inp (line 1 with the model's seed and weeks and the unit tag of the
// model, then the body in inch-pound values) and temp/tavik$.tmp. Throws FileError.
void WriteRunFiles(model::ProjectModel& m, const RunChoices& c);

}  // namespace kalvano::shell
