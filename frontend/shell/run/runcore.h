// The two run files that the engine reads at start: the project in the engine's input
// layout (temp/tavik$.inp, always inch-pound values, tagged with the units of the reports)
// and the run options (temp/tavik$.tmp, eight labelled lines). GUI-free: the run window
// gathers its controls into a RunRequest and PrepareRunFiles checks them, sets the run data
// of the model and writes both files; the command-line tool and the tests write the files
// from RunChoices directly.
#pragma once

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
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

// Weekday of 1 January of `year` in the civil calendar, 1 = Sunday .. 7 = Saturday (1980
// gives 3, 2001 gives 2, 1975 gives 4, 2101 gives 7).
int Jan1Weekday(int year);

// The printed number of a comfort limit, rounded to as many decimals as let it fit 9
// characters, so that the lower limit ends by column 21 and the upper one starts at 23.
std::string ComfortField(float value);

// The eight lines of the run options file, each ended by CR LF.
std::string RunOptionsText(const RunChoices& c);

// The run types, 1 to kLastRunType.
inline constexpr int kLastRunType = 4;

// The two run files: temp/tavik$.inp (line 1 with the model's seed and weeks and the unit tag
// of the model, then the body in inch-pound values, with `matrix` as its building matrix) and
// temp/tavik$.tmp, built but not yet written.
struct RunFiles {
  model::AtomicFile input;
  model::AtomicFile options;
};
RunFiles BuildRunFiles(model::ProjectModel& m, const RunChoices& c,
                       const std::vector<std::string>& matrix);

// Writes both run files, with the building matrix of sketch/bld_mtx.all, together: either
// both are replaced or neither is. Throws FileError.
void WriteRunFiles(model::ProjectModel& m, const RunChoices& c);

// The analysis year of the run, as the year box sets it: the project's year item (which the
// engine reports as the weather year) and AnalysisYear.
void SetAnalysisYear(model::ProjectModel& m, int year);

// The seed text of a draw in [0, 1): a blank, a point and at most 8 digits of the draw,
// trailing zeros dropped (never exponent form, never reading as 0: a draw below 1e-8 gives
// " .00000001").
std::string SeedText(double draw);
// The seed of "Repeat previously run weather sequence".
inline constexpr std::string_view kRepeatSeed = ".83774665";

// The analysis year of the year box: a whole number, blanks around it ignored; below 100 it
// is taken in the 2000s (5 gives 2005, 98 gives 2098). Nothing for a box that holds no whole
// number or a year outside kFirstRunYear..kLastRunYear, the years of four digits in which
// the engine's calendar (every fourth year a leap year) is the civil one.
std::optional<int> RunYear(std::string_view yearText);
inline constexpr int kFirstRunYear = 1901;
inline constexpr int kLastRunYear = 2099;

// Whether a recorded weather file of format `weatherFormat` (1..4) holds a record of
// 29 February. A file that cannot be read holds none.
bool RecordedHasLeapDay(const std::string& path, int weatherFormat);

// The engine's limits, checked before any run file is written: one line per overflow
// naming the count and its limit, empty when the project fits.
std::string CapacityOverflows(const model::ProjectModel& m);
inline constexpr std::string_view kCapacityTitle = "Project too large";

// What the run window's controls hold when Execute Run is pressed.
struct RunRequest {
  bool recordedWeather = false;        // "Recorded Weather:" chosen
  std::string beginText = "1-Jan";     // period boxes, as typed
  std::string endText = "31-Dec";
  std::string yearText = "2026";       // analysis year box
  int weeks = 4;                       // the highlighted week label (1..4), 0 when none
  std::array<bool, 13> skipped{};      // months 1..12 highlighted
  std::array<std::string, 4> desTemps;  // design temperature boxes 1..3
  std::string lowerText = "68";        // comfort band boxes
  std::string upperText = "79";
  bool repeatSequence = false;         // "Repeat previously run weather sequence"
  bool hourly = false;                 // "Produce Hourly Output File"
  double draw = 0.5;                   // the seed generator's next value
};

// How preparing the run ended.
enum class RunFault {
  None,        // both run files written: the echo comes next
  Validation,  // a choice is missing or the year refused: the message, nothing written
  Capacity,    // the project holds more than the engine takes: the message, nothing written
  Dates,       // a period text is no date of the year: the date message
  Period,      // the engine would simulate no day of the period: the period message, nothing written
  File         // a run file could not be written: the file-error report
};
struct RunPrepared {
  RunFault fault = RunFault::None;
  std::string title, text;     // the message of Validation, Capacity, Dates and Period
  model::FileError error{0};   // the error of File
  std::string yearBox;         // the year box after the year was read (empty before)
};

// The run window's checks and run files, from Execute Run up to the input echo: validates
// the request, then sets LastRunType, clears the weather page split, sets HourlyOutput, the design temperatures (valid when all
// three boxes hold numbers), the year, the period with its day numbers in the engine's
// calendar (refused when the engine would simulate none of its days), the seed, the weeks,
// the skipped months, the comfort band and the weekday of 1 January, writes both run files,
// and sets DesTempsValid and RunStatus for the echo.
RunPrepared PrepareRunFiles(model::ProjectModel& m, const RunRequest& r);

// Texts of the run window's messages.
inline constexpr std::string_view kPeriodTitle = "Simulation period";
inline constexpr std::string_view kPeriodText =
    "Please enter the simulation period in: dd-mmm format.  Example: 15-Oct";
inline constexpr std::string_view kWeatherFileTitle = "Weather data file";
inline constexpr std::string_view kWeatherFileText =
    "You will use recorded weather data but you have not picked the weather data file. Please "
    "click the Recorded Weather button and enter the correct weather data file. ";
inline constexpr std::string_view kLengthTitle = "Simulation length";
inline constexpr std::string_view kLengthText = "Please select the simulation length (week/month).";
inline constexpr std::string_view kYearTitle = "Analysis year";
inline constexpr std::string_view kYearText =
    "Please enter the analysis year as a whole number from 1901 to 2099 (two digits stand for "
    "2000 to 2099).  Example: 2026";
inline constexpr std::string_view kDatesTitle = "Error";
inline constexpr std::string_view kDatesText =
    "Please check the dates of the simulation period and enter the dates in: dd-mmm format.  "
    "Example: 15-Oct";

// A period in which the engine simulates no day: it ends before it begins, or (with fewer
// than 4 weeks a month, `weeks`) none of the days the engine samples falls in it.
inline constexpr std::string_view kPeriodEndsFirstText =
    "The simulation period ends before it begins. Please enter an end date on or after the "
    "begin date: the period lies within one analysis year.  Example: 15-Oct to 31-Dec";
std::string NoSimulatedDayText(int weeks);

}  // namespace kalvano::shell
