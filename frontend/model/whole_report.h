// A whole report: the user's report temp/tavik$.out as the input echo begins it and Review
// Results completes it, with everything the tabular views and the charts read. View Output,
// Save Output and the report readers take a report only when it is whole. GUI-free.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalvano::model {

// The title of the banner that the input echo writes at the head of the user's report.
inline constexpr std::string_view kReportBanner =
    "KAL-VANO-ec   (B U I L D I N G   E N E R G Y   C O D E   C O M P L I A N C E   S O F "
    "T W A R E)";

// Where the parts of a whole report stand that its readers take their figures from, as
// line numbers (from 0) in its lines as SplitLines gives them. The readers take them from
// here and from nowhere else, so that they read exactly what the check has validated.
struct ReportLayout {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // A section: its title line and the line after its last.
  struct Span {
    std::size_t at = 0, end = 0;
  };
  // The sections I, II, III, IV, V (with VI when the run wrote it), VII, VIII and IX.
  std::array<Span, 8> sections{};
  // The echoed weather page's solar caption, 13 lines below the page's title ("WEATHER" in
  // columns 4 to 10), and the unit system it names: 1 inch-pound ("SQ.FT. OF HORIZONTAL
  // SURFACE" from column 11), 2 SI ("SQ.M. OF HORIZONTAL SURFACE" from column 12).
  std::size_t units = kNone;
  int unitSystem = 0;
  std::size_t project = 0;     // section III's project line, two lines below its title
  std::size_t firstMonth = 0;  // the monthly table's first row
  std::size_t monthRule = 0;   // the "=" rule under its last row; "TOT" and "($)" follow it
  std::size_t site = 0;        // the site end-use row; the whole-building line follows it
  std::size_t roof = 0;        // the "ROOF" row of the load table
  std::vector<std::size_t> months;  // the months run, 0 (January) to 11, one after another
};

// What a check of `bytes` found: the fault that keeps them from being a whole report (empty
// when they are one) and, for a whole report, where its parts stand.
struct WholeReportCheck {
  std::string fault;
  ReportLayout layout;
};

// Checks `bytes` as a whole report. A whole report
//  - holds no control byte but the line ends (CR, LF) and the form feeds that the echo and
//    the engine write;
//  - has the echo's banner in its first lines, and before section III its weather page,
//    whose solar caption stands 13 lines below its title;
//  - has the section titles that the views cut at, each beginning a line, in this order:
//    "I.", "II.", "III.", "IV. ", "V. ", "VII.", "VIII", "IX.";
//  - holds the content of every section: each section I to VIII holds its page header
//    ("*** PROJECT") and lines after it; section II lists the project's zones (a zone
//    heading, "ZONE" in columns 5 to 8, with its number, for each);
//  - holds in section III what the charts read, each figure a number as the engine prints
//    it in its field (or the field's asterisks, the engine's mark of a number too wide for
//    it): the monthly table, a row for each month run, one month after another, closed by
//    its "=" rule, with its "TOT" and "($)" lines; the site end-use row ("Site") with the
//    whole-building line after it; the load table from its "ROOF" row, its twelve load
//    categories in order, the central-plant line and the design-day and peak-time lines;
//    the site row and the central-plant line in the unit system of the weather page;
//  - when its head states the run period (the echo's "Simulation period is: ..." or "for the
//    period of ...", with its "Year ... begins on" line), has in the monthly table exactly the
//    months that the engine simulates of that period, at the days a month that section VIII
//    states ("SIMULATION PERIOD: ... DAYS PER MONTH");
//  - holds in section IV the total line of all zones, in section V the four peak-day
//    profiles in order and the plot's time axis, in section VII the total present worth,
//    and in section VIII the daily weather summary of every month run, in order;
//  - holds in section IX the comfort report of those months: for the first month of each
//    quarter (January, April, July, October) its page "*** COMFORT CONDITIONS FOR <MON> ***"
//    with the whole block of every zone that section II lists, in that order, and for every
//    month its all-zone block "AVERAGE ... Through<MON>:" up to its degree-hour line;
//  - makes no more pages than the tabular viewer shows (kMaxViewerPages) of section II's zone
//    data and of the comfort report;
//  - ends where the engine ends it: after the last month's degree-hour line only blank
//    lines follow, and the last line has its end.
// Lines may end with LF or CR LF.
WholeReportCheck CheckWholeReport(std::string_view bytes);

// What keeps `bytes` from being a whole report; empty when they are one.
inline std::string WholeReportFault(std::string_view bytes) { return CheckWholeReport(bytes).fault; }

inline bool IsWholeReport(std::string_view bytes) { return WholeReportFault(bytes).empty(); }

// Throws the wrong-format file error (62) naming `path` when `bytes`, read from it, are not
// a whole report; returns where the parts of the whole report stand.
ReportLayout RequireWholeReport(std::string_view bytes, const std::string& path);

}  // namespace kalvano::model
