// A saved output: the report of a run and its companions copied out of the run folder under
// names formed from the output name the user gives. GUI-free; the save-output dialog and the
// tabular viewer use it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"

namespace kalvano::shell {

// Whether a typed output name passes the save-output check: at least four characters, the
// three before the last exactly ".OT", ".ot", ".FL" or ".fl", and the last a digit.
bool OutputNameValid(std::string_view typed);

// A member: `from` a file of the run folder, `to` its copy.
using SavedMember = model::FileCopy;

// The members of the set named by the full path `path` (a name that passed the check), in
// the order they are written: the report S.ot<d>, the comfort report S-ot<d>.flt and, with
// hourly output, S-ot<d>-Energy.hry, S-ot<d>-Temp.hry and S-ot<d>-Weth.hry (S is the path
// without its last four characters, d its last character).
std::vector<SavedMember> SavedOutputSet(const std::string& appDir, const std::string& path,
                                        bool hourly);

// The names of the hourly copies of the set named by `path`, in the set's order.
std::vector<std::string> HourlyCopies(const std::string& path);

// Saves the set named by `path` whole, or nothing: every member is copied to a temporary
// file in the target folder, and the copies replace the files of that name only when all
// were written. A failure (a missing run file, anything but a regular file in a member's
// place or at the end of its links, a full disk) throws model::FileError naming the file and
// its reason, and leaves every file of an earlier set under that name as it was. A set saved
// without hourly output then removes the hourly copies an earlier set left under that name,
// so that they are never taken for this set's: files and links of those names go, anything
// else of those names stays.
void CopySavedOutput(const std::string& appDir, const std::string& path, bool hourly);

// The outcome of Save Output.
struct SaveOutcome {
  enum Status { kSaved, kRunInProgress, kReplaced, kFailed };
  Status status = kFailed;
  std::optional<model::FileError> error;  // with kFailed
};

// Saves the current results as the set named by `path` (CopySavedOutput), with the hourly
// files when the model says the results have them. The base folder's lock is held while the
// set is checked and copied, so that no run replaces temp/ in the middle: while a run holds
// it, nothing is written and the status is kRunInProgress. Every member is checked against
// the record of the current results first: when temp/ no longer holds them (another run or
// a hand replaced them), nothing is written and the status is kReplaced. A report that is not
// whole fails with the wrong-format file error naming it.
SaveOutcome SaveCurrentOutput(const model::ProjectModel& m, const std::string& path);

inline constexpr std::string_view kSaveLockedText =
    "Another run is using this base folder. One base folder runs one simulation at a time: "
    "press Save again when the other run has ended.";
// Save Output while this front-end's own run, ended, still holds the base folder: after a
// completed run Cancel is off, and the window's close box gives the run up.
inline constexpr std::string_view kOwnRunWaitingTitle = "Run waiting for review";
inline constexpr std::string_view kSaveOwnRunWaitingText =
    "Your last run is waiting in the run window. One base folder runs one simulation at a "
    "time: press Review Results there first, or close the run window to give that run up.";

inline constexpr std::string_view kOutputNameMessage =
    "The file extension name should be :  .ot + a number, Example :  trial.ot1  or   "
    "trial.ot2 .  Try again.";

}  // namespace kalvano::shell
