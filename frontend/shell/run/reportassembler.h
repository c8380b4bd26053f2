// Review Results' gathering of a run's reports: the engine's report, weather listing and
// comfort report are appended, in this order, to the user's report that the input echo
// began (temp/tavik$.out). GUI-free.
#pragma once

#include <string>
#include <string_view>

#include "frontend/model/whole_report.h"

namespace kalvano::shell {

// The title of the banner that the input echo writes at the head of the user's report.
inline constexpr std::string_view kReportBanner = model::kReportBanner;

// Appends temp/sim$.out, temp/tavik$.wth and temp/tavik$.flt of `appDir` to
// temp/tavik$.out, every line ended by CR LF. The joined report is written whole to a new
// file and renamed over the old one: a missing report or a write that fails (a full disk)
// throws model::FileError naming the file, and the report stays as it was.
void AppendEngineReports(const std::string& appDir);

}  // namespace kalvano::shell
