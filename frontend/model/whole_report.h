// A whole report: the user's report temp/tavik$.out as the input echo begins it and Review
// Results completes it, with everything the tabular views and the charts read. View Output,
// Save Output and the report readers take a report only when it is whole. GUI-free.
#pragma once

#include <string>
#include <string_view>

namespace kalvano::model {

// The title of the banner that the input echo writes at the head of the user's report.
inline constexpr std::string_view kReportBanner =
    "KAL-VANO-ec   (B U I L D I N G   E N E R G Y   C O D E   C O M P L I A N C E   S O F "
    "T W A R E)";

// What keeps `bytes` from being a whole report; empty when they are one. A whole report
//  - has the echo's banner in its first lines;
//  - has the section titles that the views cut at, each beginning a line, in this order:
//    "I.", "II.", "III.", "IV. ", "V. ", "VII.", "VIII", "IX.";
//  - holds the content of every section: each section I to VIII holds its page header
//    ("*** PROJECT") and lines after it; section II lists the project's zones (a zone
//    heading, "ZONE" in columns 5 to 8, with its number, for each); section III holds the
//    monthly table, a row for each month run, in calendar order, closed by its "=" rule;
//  - holds in section IX the comfort report of those months: for the first month of each
//    quarter (January, April, July, October) its page "*** COMFORT CONDITIONS FOR <MON> ***"
//    with the whole block of every zone that section II lists, in that order, and for every
//    month its all-zone block "AVERAGE ... Through<MON>:" up to its degree-hour line;
//  - ends where the engine ends it: after the last month's degree-hour line only blank
//    lines follow, and the last line has its end.
// Lines may end with LF or CR LF.
std::string WholeReportFault(std::string_view bytes);

inline bool IsWholeReport(std::string_view bytes) { return WholeReportFault(bytes).empty(); }

// Throws the wrong-format file error (62) naming `path` when `bytes`, read from it, are not
// a whole report.
void RequireWholeReport(std::string_view bytes, const std::string& path);

}  // namespace kalvano::model
