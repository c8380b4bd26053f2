// What the exit dialog decides without a widget.
#pragma once

#include <functional>
#include <string_view>

#include "frontend/shell/messagebox.h"

namespace kalvano::shell {

inline constexpr std::string_view kUnsavedResultsQuestion =
    "The last simulation results has not been saved.  Do you wish to save them?";
inline constexpr std::string_view kUnsavedResultsTitle = "Save output";

// Where the exit dialog's "No" leads.
enum class ExitOutcome {
  EndProgram,  // delete the temporary zone files and end the program
  SaveOutput,  // save the results first: the save-output dialog ends the program
  StayRunning  // the user backed out: the program goes on
};

// "No": when a run's results exist and are not saved, `askResults` puts the question and
// its answer decides (Yes save, No end, Cancel stay); otherwise the program ends at once.
ExitOutcome DecideExitNo(int resultsExist, int outputSaved,
                         const std::function<MsgAnswer()>& askResults);

// Whether the exit dialog's "OK" can act: a project with a file of its own is written back
// to it; a project without one needs the save-input dialog.
bool ExitOkAvailable(int projectLoaded);

}  // namespace kalvano::shell
