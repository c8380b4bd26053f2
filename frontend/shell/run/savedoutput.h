// A saved output: the report of a run and its companions copied out of the run folder under
// names formed from the output name the user gives. GUI-free; the save-output dialog and the
// tabular viewer use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvano::shell {

// Whether a typed output name passes the save-output check: at least four characters, the
// three before the last exactly ".OT", ".ot", ".FL" or ".fl", and the last a digit.
bool OutputNameValid(std::string_view typed);

struct SavedMember {
  std::string from;  // file of the run folder
  std::string to;    // copy
};

// The members of the set named by the full path `path` (a name that passed the check), in
// the order they are written: the report S.ot<d>, the comfort report S-ot<d>.flt and, with
// hourly output, S-ot<d>-Energy.hry, S-ot<d>-Temp.hry and S-ot<d>-Weth.hry (S is the path
// without its last four characters, d its last character).
std::vector<SavedMember> SavedOutputSet(const std::string& appDir, const std::string& path,
                                        bool hourly);

// Copies the members in order, replacing existing files. The first failure throws
// model::FileError; the copies made before it stay.
void CopySavedOutput(const std::vector<SavedMember>& members);

inline constexpr std::string_view kOutputNameMessage =
    "The file extension name should be :  .ot + a number, Example :  trial.ot1  or   "
    "trial.ot2 .  Try again.";

}  // namespace kalvano::shell
