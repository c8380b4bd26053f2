// The shell's way to report a failed file operation to the user.
#pragma once

#include "frontend/model/file_error.h"

namespace kalvano::shell {

// Shows the file-error report for `error` (its fixed message and "Kalvano Error # " title)
// through the front-end's message boxes, naming the file when the error names one.
void ReportFileFault(const model::FileError& error);

}  // namespace kalvano::shell
