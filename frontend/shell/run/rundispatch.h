// Where a request for a run leads (the Analysis menu and the run-choice window), decided
// without a widget: a refusal, the run window, or first the save-input or save-output
// dialog. The questions go through the message-box interface.
#pragma once

#include <string>
#include <string_view>

#include "frontend/model/project_model.h"
#include "frontend/shell/messagebox.h"

namespace kalvano::shell {

enum class RunStep {
  Nothing,     // refused or given up: no window opens
  RunWindow,   // the run window opens
  SaveInput,   // the save-input dialog opens; it goes on to the run window after the save
  SaveOutput   // the save-output dialog opens with its Run button enabled
};

struct RunDecision {
  RunStep step = RunStep::Nothing;
  bool readHeader = false;   // the seed and weeks are read from the project file first
  std::string pattern;       // save-output file list pattern ("*.ot*", "*.fl*"; empty: kept)
  std::string prompt;        // save-output prompt (empty: kept)
};

// Run request with Analysis item `index` (1 error check, 2 abbreviated, 3 with air
// conditioning, 4 passive). Sets RunType to the index unless the building was re-sketched;
// a request that leads nowhere leaves no run pending (RunType 0).
RunDecision RunDispatch(model::ProjectModel& m, int index, MessageBoxes& boxes);

inline constexpr std::string_view kResketchedBeforeRun =
    "The building has been re-sketched. Please examine the zone descriptions before executing.";
inline constexpr std::string_view kSketchedZonesQuestion =
    "If you have added or changed particular zone(s) with building sketch, you have to make "
    "sure that you have opened the related zone form(s) before you run the energy simulation.  "
    "Otherwise, the old data will be used.  Do you still want to run the energy simulation?";
inline constexpr std::string_view kRunWithoutSavingQuestion =
    "If you changed your input, you should save it under the same name or under a new file "
    "name.  Do you want to run the simulation without saving the input?";
inline constexpr std::string_view kSavePreviousResults =
    "Before running, you should save the previous results -- otherwise, click the Run Button.";
inline constexpr std::string_view kSavePreviousPassive =
    "Before running, you should save the previous results. An energy output file with .ot* "
    "extension will also be saved.";

}  // namespace kalvano::shell
