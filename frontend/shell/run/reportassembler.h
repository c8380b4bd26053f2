// Review Results' gathering of a run's reports: the engine's report, weather listing and
// comfort report are appended, in this order, to the user's report that the input echo
// began (temp/tavik$.out). GUI-free.
#pragma once

#include <string>

namespace kalvano::shell {

// Appends temp/sim$.out, temp/tavik$.wth and temp/tavik$.flt of `appDir` to
// temp/tavik$.out, every line ended by CR LF. The three are read before anything is
// written, so a missing one (model::FileError) leaves the report as it was.
void AppendEngineReports(const std::string& appDir);

}  // namespace kalvano::shell
