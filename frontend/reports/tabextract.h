// The tabular viewer's pages: the finished report temp/tavik$.out is cut at its section
// titles into extract files in temp/, the long sections are split into page files, and the
// page to show is read back with its caption and the states of the two paging buttons.
// GUI-free: the viewer window shows what these return.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"

namespace kalvano::reports {

// Titles of the views; the viewer knows its paged views by these caption beginnings.
inline constexpr std::string_view kProjectDataTitle = "Project Data";
inline constexpr std::string_view kZoneDataTitle = "Zone Data";
inline constexpr std::string_view kSummariesTitle = "Monthly Summaries";
inline constexpr std::string_view kHvacTitle = "Design Data for HVAC Zones";
inline constexpr std::string_view kProfilesTitle = "Peak Demand Profiles";
inline constexpr std::string_view kCostTitle = "Cost Analysis";
inline constexpr std::string_view kWeatherTitle = "Weather Summary";
inline constexpr std::string_view kComfortTitle = "Space Comfort Conditions";

inline constexpr std::string_view kComfortErrorText = "No space temperature file available";
inline constexpr std::string_view kComfortErrorTitle = "Space Temp Error";

// What a view or paging step leaves in the viewer. When `shown` is false the viewer keeps
// its text and caption. An unset button state leaves that button as it was.
struct TabView {
  bool shown = false;
  std::string text;     // the page, bytes as in the file
  std::string caption;  // title " -- " ProjectFile
  std::optional<bool> next, previous;  // "Next >>", "<< Previous"
  bool enableViews = false;            // the view buttons 0..6 are enabled again
};

// The caption of a view: title, " -- ", the project file.
std::string ViewCaption(std::string_view title, const model::ProjectModel& m);

// The extracts. Each reads the current report only when it is this front-end's current
// results (model::ReadCurrentReport: recorded and whole), and every page it shows only when
// it is the page this front-end wrote; otherwise model::ReportResultsReplaced says so and
// ResultsViewable is 0. A file error (report or extract missing or unwritable, a section
// title not found, a report that is not whole) is shown through ReportFileError and sets
// ResultsViewable to 0.
TabView WriteTabProj(model::ProjectModel& m, model::MessageBoxes& boxes);
TabView WriteTabZone(model::ProjectModel& m, model::MessageBoxes& boxes);
TabView WriteTabSum(model::ProjectModel& m, model::MessageBoxes& boxes);
TabView WriteTabHvac(model::ProjectModel& m, model::MessageBoxes& boxes);
TabView WriteTabProf(model::ProjectModel& m, model::MessageBoxes& boxes);
TabView WriteTabCost(model::ProjectModel& m, model::MessageBoxes& boxes);
TabView WriteTabWeather(model::ProjectModel& m, model::MessageBoxes& boxes);
// Cuts temp/tavik$.flt into comfort pages and shows the first; a file error (a report that
// is not whole too) shows "No space temperature file available".
TabView ShowComfortReport(model::ProjectModel& m, model::MessageBoxes& boxes);

// The viewer's own state: the comfort page shown, counted from 0.
struct ViewerPaging {
  int16_t ComfortPageIndex = 0;
};

// "Next >>" (next = true) or "<< Previous" in the view named by `caption`.
TabView PageClick(model::ProjectModel& m, ViewerPaging& viewer, std::string_view caption,
                  bool next, model::MessageBoxes& boxes);

// The view of a tabular choice 1..8 (project, zones, summaries, HVAC, profiles, cost,
// weather, comfort); nothing shown for another number. The comfort view puts the viewer's
// comfort page back to the first.
TabView ShowTableChoice(model::ProjectModel& m, ViewerPaging& viewer, int choice,
                        model::MessageBoxes& boxes);

// Page files of the temp folder: "<n>.txt" (zone pages), "<n>wth.txt" (weather pages),
// "<n>.flt" (comfort pages).
std::string ZonePagePath(const model::ProjectModel& m, int page);
std::string WeatherPagePath(const model::ProjectModel& m, int page);
std::string ComfortPagePath(const model::ProjectModel& m, int page);

// Extract files of the temp folder.
inline constexpr std::string_view kProjExtract = "tabproj.txt";
inline constexpr std::string_view kZoneExtract = "tabzone.txt";
inline constexpr std::string_view kSumExtract = "tabsum.txt";
inline constexpr std::string_view kHvacExtract = "tabhvac.txt";
inline constexpr std::string_view kProfExtract = "tabprof.txt";
inline constexpr std::string_view kCostExtract = "tabcost.txt";
inline constexpr std::string_view kWeatherExtract = "tabweat.txt";

}  // namespace kalvano::reports
