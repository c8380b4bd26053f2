// Review Results' gathering of a run's reports: the engine's report, weather listing and
// comfort report are appended, in this order, to the user's report that the input echo
// began (temp/tavik$.out). GUI-free.
#pragma once

#include <string>
#include <string_view>

namespace kalvano::shell {

// The title of the banner that the input echo writes at the head of the user's report.
inline constexpr std::string_view kReportBanner =
    "KAL-VANO-ec   (B U I L D I N G   E N E R G Y   C O D E   C O M P L I A N C E   S O F "
    "T W A R E)";

// Whether `bytes` have the user's report's own structure: the echo's banner in the first
// lines, then the marks of the sections that the extracts and charts cut at ("I.", "II.",
// "III.", "IV. ", "V. ", "VII.", "VIII", "IX."), each beginning a line, in this order.
bool HasReportStructure(std::string_view bytes);

// Appends temp/sim$.out, temp/tavik$.wth and temp/tavik$.flt of `appDir` to
// temp/tavik$.out, every line ended by CR LF. The joined report is written whole to a new
// file and renamed over the old one: a missing report or a write that fails (a full disk)
// throws model::FileError naming the file, and the report stays as it was.
void AppendEngineReports(const std::string& appDir);

}  // namespace kalvano::shell
