// The front-end's project model: one object that holds the project the user works on, in
// the unit system the user chose, with the progress flags that the windows share. Every
// table keeps its fixed capacity; an entry exists when its key text is not empty. Index 0
// of each 1-based table is unused.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "frontend/model/results_record.h"

namespace kalvano::model {

inline constexpr int kMaxTypeId = 50;       // wall/roof and window type ids 0..50
inline constexpr int kFileTypeIds = 26;     // ids 1..26 go into the project file
inline constexpr int kMaxProfileNo = 50;    // profile numbers 0..50
inline constexpr int kTempProfiles = 12;    // temperature profiles 1..12 go into the file
inline constexpr int kMaxZones = 100;       // zones 1..100
inline constexpr int kMaxSurfaces = 33;     // surface rows 1..33 per zone
inline constexpr int kZoneFields = 30;      // zone fields 1..30
inline constexpr int kProjectItems = 12;    // project items 0..11
inline constexpr int kEconItems = 11;       // economics items 0..10
inline constexpr int kWeatherLines = 11;    // weather lines 1..11
inline constexpr int kMaxDemandRows = 3;    // demand-charge rows 1..3

enum : int16_t { kInchPound = 1, kSI = 2 };

using TypeColumn = std::array<std::string, kMaxTypeId + 1>;
using ProfileColumn = std::array<std::string, kMaxProfileNo + 1>;
template <class T>
using PerZone = std::array<T, kMaxZones + 1>;
template <class T>
using PerSurface = std::array<std::array<T, kMaxSurfaces + 1>, kMaxZones + 1>;

// The monthly weather statistics cut from the weather block, and the station elevation.
struct WeatherStats {
  using Months = std::array<std::string, 13>;  // months 1..12
  Months WxDbAve, WxDbAveStd, WxDbMax, WxDbMaxStd, WxDpAve, WxDpStd, WxSolar, WxWind;
  float WxElevation = 0;
};

// What the run window sets for a run and the input echo and the run files read: the period
// as typed ((0) begin and (1) end text of the last run) and with the year ((1) begin and
// (2) end date once the run was started: "15-Oct-2005"), the analysis year, the weekday of
// 1 January, the months left out, the weather source and the comfort band.
struct RunData {
  std::array<std::string, 3> RunPeriod;
  std::string AnalysisYear;
  int16_t Jan1Weekday = 1;     // 1 = Sunday .. 7 = Saturday
  // Names of the months left out, elements 1..SkippedMonthCount; every month may be.
  std::array<std::string, 13> SkippedMonths;
  int16_t SkippedMonthCount = 0;
  int16_t WeatherFormat = 0;   // 0 generated; 1 TMY2, 2 WYEC2, 3 IWEC, 4 custom
  int16_t RunStatus = 0;       // 5 = a zone lacks a profile: the engine is not started
  int16_t LastRunType = 0;     // run type of the last run started (4 = passive)
  float ComfortLower = 68;     // comfort band in the project's units
  float ComfortUpper = 79;
};

// What the zone editor's windows share while zones are edited: the per-field edited flags of
// every zone, the field edited last, the editing copy of the current zone's surface rows
// (rows 1..33, one text per cell, in the column order of the surface rows) and the rows and
// kinds that the type tables and the exposure menu act on.
struct ZoneEditState {
  using RowTexts = std::array<std::string, kMaxSurfaces + 1>;
  PerZone<std::array<int16_t, kZoneFields + 1>> FieldChanged{};  // fields 1..30 of a zone
  int16_t LastEditedField = 0;  // 1..30, 31 = a Yes/No switch, 0 = none
  RowTexts RowWallId, RowWallArea, RowOrient, RowExposure, RowShade, RowWindowId, RowWinArea;
  RowTexts RowSlope, RowSWB, RowBlind, RowDiffTrans, RowSillHt, RowWinTop, RowGrndRefl;
  int16_t PickRowWall = 0;    // row whose wall id the type table fills
  int16_t PickRowWindow = 0;  // row whose window id the type table fills
  int16_t CatalogKind = 0;    // 1 walls and roofs, 2 windows and skylights
  int16_t SurfFocusRow = 0;   // visible line of the exposure box in use, 0 = none
  // The zone's daylighting and economiser switches were toggled in the zone window.
  PerZone<int16_t> DaylightChanged{}, EconChanged{};
  // The zone's natural-ventilation switch was toggled in the zone window.
  PerZone<int16_t> NatVentChanged{};
  int16_t CopyKind = 0;       // copy-to-zones: 0 changed zone fields, 1 window sizer
  // The profile pickers: the kind open (1 occupancy, 2 hot water, 3 ventilation, 4 lighting,
  // 5 temperature), the profile number a use-profile OK writes into the zone field, the
  // texts each picker loaded (its undo source) and, per temperature profile, whether the
  // shared-profile warning was shown in this program run.
  int16_t ProfPickerKind = 0;
  int16_t PickerProfileNo = 0;
  std::array<std::string, kMaxProfileNo + 1> ProfUndoCopy;
  std::array<std::string, kTempProfiles + 1> TempProfUndoCopy;
  std::array<int16_t, 21> SharedWarned{};
};

// How the tabular viewer's long views were cut into page files: section II into zone pages
// (made once per report), the weather listing into two pages and the comfort report into
// pages. A run and a change of the current output clear the two split flags.
struct ReportPages {
  int16_t ZonePagesSplit = 0;     // 1 once section II is cut: only page ZonePageNo is shown
  int16_t ZonePageNo = 1;         // zone page shown, 1..ZonePageCount
  int16_t ZonePageCount = 0;      // zone pages made by the last split
  int16_t WeatherPagesSplit = 0;  // 1 after each weather split
  int16_t ComfortPageCount = 0;   // comfort pages made by the last comfort split
};

struct ProjectModel {
  // Unit system and file state.
  int16_t UnitSystem = kInchPound;
  std::string AppDir;  // base folder; every file name is relative to it
  std::string ProjectFile = "New_Project";
  std::string LastProjectFile;
  std::string ProjectFileName;  // the name as the user typed it
  std::string OutputFile = "Untitled.ot1";
  std::string ExcelPath;
  std::string WeatherSeed;
  int16_t WeeksPerMonth = 4;
  int16_t EndAfterSave = 0;
  float LastRandom = 0;  // the most recent number drawn for a weather seed

  // Project items 0..11 (item 12 holds nothing) and the values derived from them.
  std::array<std::string, kProjectItems + 1> ProjectData;
  std::string BldOrient;
  float FloorArea = 0;

  // Weather lines 1..11, design temperatures 1..3.
  std::array<std::string, kWeatherLines + 1> WeatherBlock;
  std::array<std::string, 4> DesTemps;
  int16_t DesTempsValid = 0;
  WeatherStats Wx;

  // Economics.
  std::array<std::string, kEconItems> EconData;
  std::string DemChgSwitch;
  int16_t DemChgCount = 0;
  std::array<std::string, kMaxDemandRows + 1> DemChgKw, DemChgCost;

  // Wall/roof and window types, indexed by type id.
  TypeColumn WallId, WallDesc, WallU, WallAbs, WallLag, WallDecr, WallCost;
  TypeColumn WinId, WinDesc, WinU, WinShgc, WinEmiss, WinDlTrans, WinCost;

  // Hourly profiles: mark (non-empty = edited for this project) and 24 values per number.
  ProfileColumn OccProfNo, OccProfile, HwProfNo, HwProfile, VentProfNo, VentProfile;
  ProfileColumn LiteProfNo, LiteProfile, TempProfNo, TempProfile;
  std::array<int16_t, 6> ProfKindEdited{}, ProfKindOpened{}, PropTableOpened{};

  // Zones 1..100.
  int16_t ZoneCount = 0;
  PerZone<std::string> ZoneCode;
  PerZone<std::array<std::string, kZoneFields + 1>> ZoneData;  // fields 1..30
  PerZone<std::string> ZoneNatVent, ZoneDaylight, ZoneEconCycle, ZoneSketchName;
  PerZone<float> ZoneFloorArea{}, ZonePeople{};
  PerZone<int16_t> SurfaceCount{}, ZoneOpened{}, ZoneLoaded{};

  // Surface rows 1..33 of each zone, in the column order of the project file.
  PerSurface<int16_t> SurfWallId{};
  PerSurface<float> SurfWallArea{};
  PerSurface<int16_t> SurfOrient{}, SurfExposure{};
  PerSurface<std::string> SurfShade;
  PerSurface<int16_t> SurfWindowId{};
  PerSurface<float> SurfWinArea{}, SurfSlope{};
  PerSurface<std::string> SurfSWB;
  PerSurface<int16_t> SurfBlind{};
  PerSurface<float> SurfDiffTrans{}, SurfSillHt{}, SurfWinTop{}, SurfGrndRefl{};

  // Building sketch matrix size.
  int16_t GridRows = 60;
  int16_t GridCols = 80;

  // Set at start-up: the building-type labels 1..42 (elements 0..50), today's year and date
  // text ("5 Mar 2026"), and the suffix that the About box and the weather-file preview
  // append to their captions.
  std::array<std::string, 51> BldTypeName;
  int16_t CurrentYear = 0;
  std::string TodayText;
  std::string ProgramTitle;

  // Progress flags (0 = no, 1 = yes).
  std::array<int16_t, 6> StepFlags{};
  int16_t ProjectLoaded = 0, InputSaved = 0, ZonesEntered = 0, WeatherEntered = 0;
  int16_t WeatherFromProjInfo = 0, Resketched = 0, SketchOpenCount = 0, RunType = 0;
  int16_t ResultsExist = 0, ResultsViewable = 0, DaylightUsed = 0, ProjectIdEdited = 0;
  int16_t BldTypeChosen = 0, WeatherFileChosen = 0, OutputSaved = 0, SaveOutOnExit = 0;
  int16_t OrientEdited = 0;  // the orientation box of the project information was typed in
  int16_t HourlyOutput = 0;  // the run writes the hourly spreadsheet files
  int16_t BldTypeNo = 0;     // building type 1..42 whose defaults were loaded last
  int16_t CurrentZone = 0;   // zone being edited, 0 when none
  ZoneEditState ZoneEdit;
  int16_t PaintZone = 0;     // zone last chosen for painting in the sketch, 0 when none
  int16_t NewSketch = 0;     // the blank sketch was just copied for a new sketch
  // What the View Output menu asked for, kept for the saved-output picker: ViewChoice 6 a
  // table (TableChoice 1..8), 10 a chart (GraphChoice 1..7), 12 a retrieve, 7 comfort outputs.
  int16_t ViewChoice = 0, GraphChoice = 0, TableChoice = 0;

  // The run data of the current or last run.
  RunData Run;

  // The page files of the tabular viewer's paged views.
  ReportPages Pages;

  // What the current results in temp/ are: every reader checks them against this first.
  ResultsRecord Results;
};

// The mark and values columns of profile kind 1..5 (occupancy, hot water, ventilation,
// lighting, temperature).
struct ProfileKindRef {
  ProfileColumn& marks;
  ProfileColumn& values;
};
ProfileKindRef ProfileKind(ProjectModel& m, int kind);

// A file path under the base folder: "temp/x" -> AppDir + "/temp/x".
std::string AppPath(const ProjectModel& m, std::string_view relative);

// Resets the model for a new project (File menu, new project). Leaves the zones, surfaces,
// type tables, profiles, demand-charge rows, unit system and step flags as they are.
void NewProject(ProjectModel& m);

}  // namespace kalvano::model
