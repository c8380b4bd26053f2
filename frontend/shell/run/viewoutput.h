// The View Output menu without a widget: what each of its items does with or without
// current results, and the restore of an output saved earlier, which makes its report,
// comfort report and hourly files current again and says which views to show.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"

namespace kalvano::shell {

// What a View Output item leads to.
struct ViewAction {
  enum Kind {
    kNothing,        // a submenu heading
    kTable,          // the tabular viewer with table `index` (1..8) of the current results
    kChart,          // chart `index` (1..7) of the current results
    kPicker,         // the saved-output picker, its file list on "*.ot*"
    kPickerAsIs,     // the saved-output picker with its lists unchanged
    kAskSaveFirst,   // offer to save the unsaved results, then the save dialog or the picker
  };
  Kind kind = kNothing;
  int index = 0;
  bool operator==(const ViewAction&) const = default;
};

// The tabular items 1..8 ("Project Data" .. "Space Comfort Conditions"): sets TableChoice
// and ViewChoice 6.
ViewAction TableItem(model::ProjectModel& m, int index);
// The chart items 1..7 ("Peak Heating Load" .. "Breakdown of Annual Energy"): sets
// GraphChoice and ViewChoice 10.
ViewAction ChartItem(model::ProjectModel& m, int index);
// The other items by index (6 and 10 the submenu headings, 7 "Space Comfort Conditions",
// 8 "Weather Summary", 12 "Retrieve Previous Output File"): sets ViewChoice.
ViewAction ViewItem(model::ProjectModel& m, int index);

// The tabular viewer's opener argument for table choice 1..8 (the opener numbers the
// weather summary 8 and the comfort pages 7, the menu the other way round).
int TabularArgFor(int tableChoice);

// The picker's file pattern for a ViewChoice: comfort outputs for 7, report sets otherwise.
std::string_view PickerPattern(int viewChoice);

// The message of a name that is not a saved output's name.
inline constexpr std::string_view kNoSuchOutput = "File does not exist.  Check your directory again.";
inline constexpr std::string_view kNoSuchOutputTitle = "Error";
// The message of a failure outside the report readers.
inline constexpr std::string_view kOutputMissing = "Output file does not exist";
inline constexpr std::string_view kOutputMissingTitle = "Error";
inline constexpr std::string_view kUnsavedRunQuestion =
    "The last run has not been saved.  Do you wish to save it?";
inline constexpr std::string_view kUnsavedRunTitle = "Save output";

// Whether `typed` names an output the picker may take for `viewChoice`: for 6, 10 and 12
// the two characters before the last are "OT" or "ot" and the last is a digit, for 7 "FL" or
// "fl" and a digit; any other choice takes any name of three characters or more. A name
// shorter than three characters never passes.
bool SavedOutputNameValid(int viewChoice, std::string_view typed);

// The outcome of a restore.
struct RestoreOutcome {
  enum Status { kRestored, kNameRefused, kFailed, kRunInProgress, kReplaced };
  Status status = kFailed;
  std::string path;                        // the full path used
  std::optional<model::FileError> error;   // with kFailed
  int table = 0;                           // table choice to show (0: none)
  int chart = 0;                           // chart to show (0: none)
};

// Restores the output named `typed` (a full path when it starts with "/", else a name in
// `folder`) as ViewChoice says: for 6, 10 and 12 its report replaces temp/tavik$.out and its
// hourly files (when all three come with it) the hourly files of temp; for every choice the
// comfort report temp/tavik$.flt is rebuilt from the report's section IX. The chosen file is
// checked first: one that cannot be read or is not a whole report (model::IsWholeReport)
// fails with nothing in temp changed. For 7 the report in temp must be this front-end's
// current results (model::ResultsRecord): when it is not, nothing is rebuilt and the status
// is kReplaced. A restored output is recorded as the current results. When the typed report is missing but the save wrote it with its tag in
// lower case ("trial.OT2" saved as trial.ot2), that file is used. On success OutputFile names
// the output, HourlyOutput tells whether hourly files came with it, the report's page splits
// start afresh, and `table`/`chart` say what to show (the energy breakdown chart when no
// table or chart was asked for). The run folder's lock is held while temp is written: while
// a run holds it (another front-end's), nothing is replaced and the status is kRunInProgress.
RestoreOutcome RestoreSavedOutput(model::ProjectModel& m, std::string_view folder,
                                  std::string_view typed);

}  // namespace kalvano::shell
