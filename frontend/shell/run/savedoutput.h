// A saved output: the report of a run and its companions copied out of the run folder under
// names formed from the output name the user gives. GUI-free; the save-output dialog and the
// tabular viewer use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/atomic_file.h"

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
// were written. A failure (a missing run file, a folder in a member's place, a full disk)
// throws model::FileError naming the file and its reason, and leaves every file of an
// earlier set under that name as it was. A set saved without hourly output then removes
// the hourly copies an earlier set left under that name, so that they are never taken for
// this set's.
void CopySavedOutput(const std::string& appDir, const std::string& path, bool hourly);

inline constexpr std::string_view kOutputNameMessage =
    "The file extension name should be :  .ot + a number, Example :  trial.ot1  or   "
    "trial.ot2 .  Try again.";

}  // namespace kalvano::shell
