// The shell's registry of window openers. A window of a lower library that must open a
// window of a higher one (the main menu opens the zone list, the run window opens the
// recorded-weather picker and the charts) asks this registry by the window's name. The
// program fills it at start-up; a test fills it with stand-ins. No library links upward.
#pragma once

#include <functional>
#include <string_view>
#include <type_traits>
#include <utility>

#include "frontend/model/project_model.h"

namespace kalvano::shell {

// Names of the windows that are opened through the registry.
namespace window {
inline constexpr std::string_view zonename = "zonename";      // zone list
inline constexpr std::string_view zoneform = "zoneform";      // zone description
inline constexpr std::string_view runwindow = "runwindow";    // run window
inline constexpr std::string_view selectweth = "selectweth";  // recorded-weather picker
// The tabular results viewer; arg = the view it shows first: 1 project data, 2 zone data,
// 3 monthly summaries, 4 HVAC design, 5 peak profiles, 6 cost analysis (the View Output
// menu's tabular items 1 to 6), 7 the space comfort pages, 8 the weather summary; 0 shows
// it as it is.
inline constexpr std::string_view tabular = "tabular";
// The result charts; arg = the chart: 1 peak heating, 2 peak cooling, 3 annual heating,
// 4 annual cooling, 5 monthly heating & cooling, 6 monthly utility costs, 7 energy breakdown.
inline constexpr std::string_view graphs = "graphs";
// The save-output dialog; arg 1 shows it with its "Run" button disabled (from a results
// window), 0 as the run dispatch shows it, kSaveOutputReports as the View Output menu's
// retrieve item shows it.
inline constexpr std::string_view saveoutput = "saveoutput";
inline constexpr std::string_view sketch = "sketch";          // building sketch
inline constexpr std::string_view weather = "weather";        // weather data
inline constexpr std::string_view economics = "economics";    // economics data
inline constexpr std::string_view hvac = "hvac";              // HVAC system data base
// The catalogue editor; arg 1 the wall and roof catalogue, 2 the window and skylight one.
inline constexpr std::string_view catalog = "catalog";
// The zone window's type table; arg 1 the wall and roof types, 2 the window and skylight
// types (the surface row it fills is the zone editor's PickRowWall or PickRowWindow).
inline constexpr std::string_view wallwin = "wallwin";
}  // namespace window

// Arguments of the windows that Review Results opens after a run (the report is complete
// in temp/tavik$.out):
//   tabular 7: the comfort pages (View Output "Space Comfort Conditions"), after a passive run;
//   graphs 7:  the energy breakdown chart (graph item 7, "Breakdown of Annual Energy").
inline constexpr int kTabularComfortPages = 7;
inline constexpr int kGraphEnergyBreakdown = 7;
// The tabular viewer's weather summary (the View Output menu's tabular item 7).
inline constexpr int kTabularWeather = 8;
// The save-output dialog with its "Run" button disabled and its file list on the saved
// report sets ("*.ot*") whatever the last run was.
inline constexpr int kSaveOutputReports = 2;

// Opens (shows) a window and tells whether it opened: false when it showed its own message
// instead (a report that cannot be read) and no window of it is on screen. `arg` carries the
// one number some windows take (a zone row, a chart or page choice); 0 when the window takes
// none.
using WindowOpener = std::function<bool(int arg)>;

// Registers `open` under `name`, replacing an earlier opener of that name. An empty
// function removes the name.
void RegisterWindowOpener(std::string_view name, WindowOpener open);
// The same for an opener whose window always opens (it returns nothing).
template <typename Open>
  requires std::is_void_v<std::invoke_result_t<Open&, int>>
void RegisterWindowOpener(std::string_view name, Open open) {
  RegisterWindowOpener(name, WindowOpener([open = std::move(open)](int arg) mutable {
                         open(arg);
                         return true;
                       }));
}

// Whether a window of that name can be opened in this program.
bool HasWindowOpener(std::string_view name);

// Opens the named window; false when no opener is registered (nothing happens) or when the
// window did not open. A caller that hid a window to open this one shows a way back when
// nothing opened.
bool OpenWindow(std::string_view name, int arg = 0);

// Removes every opener and the input-echo writer (tests start from an empty registry).
void ClearWindowOpeners();

// The input echo that begins the report (temp/tavik$.out) before a run, provided by the
// reports library and set at start-up like the openers. It shows its own messages; it
// returns with `Run.RunStatus` = 5 when a zone lacks a profile (the engine must not start)
// and throws model::FileError when a file fails.
using InputEchoWriter = std::function<void(model::ProjectModel&)>;
void SetInputEchoWriter(InputEchoWriter write);
// The writer set, or an empty function when none is.
const InputEchoWriter& InputEcho();

}  // namespace kalvano::shell
