// The one spelling of every file that both programs touch. Names are relative to the
// folder named in each group's comment; all are lower case.
#pragma once

#include <array>
#include <string_view>

namespace kalvano::files {

// Folders of the base folder (the front-end's current folder at start-up).
inline constexpr std::string_view kTempDir = "temp";
inline constexpr std::string_view kBtypeDir = "btype";
inline constexpr std::string_view kProfilesDir = "profiles";
inline constexpr std::string_view kWeatherDir = "weather";
inline constexpr std::string_view kSketchDir = "sketch";
inline constexpr std::string_view kHelpDir = "helpinfo";
inline constexpr std::string_view kSampleDir = "sample";

// Files in temp/, the engine's run folder.
inline constexpr std::string_view kRunInput = "tavik$.inp";     // project file of the run
inline constexpr std::string_view kRunOptions = "tavik$.tmp";   // run options
inline constexpr std::string_view kRecordedWeather = "tavik$.tmy";
inline constexpr std::string_view kUserReport = "tavik$.out";   // input echo + engine report
inline constexpr std::string_view kEngineReport = "sim$.out";
inline constexpr std::string_view kMonitorLog = "monitor.txt";
inline constexpr std::string_view kWeatherListing = "tavik$.wth";
inline constexpr std::string_view kComfortReport = "tavik$.flt";
inline constexpr std::string_view kWeatherSummary = "eweth$.sum";
inline constexpr std::string_view kHourlyEnergy = "tavik$.hry";
inline constexpr std::string_view kHourlyTemps = "etemp$.hry";
inline constexpr std::string_view kHourlyWeather = "eweth$.hry";
inline constexpr std::string_view kDebugTrace = "tavik$.tst";
inline constexpr std::string_view kSeparator = "tab.sym";
inline constexpr std::string_view kDetailLevel = "detail.hry";
inline constexpr std::string_view kLightShelf = "ltshlf.dat";
inline constexpr std::string_view kDefaultUnits = "tavik$.unt";
inline constexpr std::string_view kRunLock = "run.lock";       // held by the run in progress

// System data bases, relative to the run folder (temp/).
inline constexpr std::string_view kCoolingDb = "../btype/tcool.dat";
inline constexpr std::string_view kHeatingDb = "../btype/theat.dat";

// The same data bases relative to the base folder (front-end side).
inline constexpr std::string_view kCoolingDbFromBase = "btype/tcool.dat";
inline constexpr std::string_view kHeatingDbFromBase = "btype/theat.dat";

// Sketch matrix of the whole building, relative to the base folder.
inline constexpr std::string_view kBuildingMatrix = "sketch/bld_mtx.all";
inline constexpr std::string_view kBlankSketch = "sketch/bld_mtx2.000";

// The engine program, in the base folder.
inline constexpr std::string_view kEngineProgram = "kvan64";

inline constexpr std::array kRunFolderFiles{
    kRunInput,      kRunOptions,     kRecordedWeather, kUserReport,     kEngineReport,
    kMonitorLog,    kWeatherListing, kComfortReport,   kWeatherSummary, kHourlyEnergy,
    kHourlyTemps,   kHourlyWeather,  kDebugTrace,      kSeparator,      kDetailLevel,
    kLightShelf,    kDefaultUnits,   kRunLock,
};

}  // namespace kalvano::files
