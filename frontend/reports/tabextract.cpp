#include "frontend/reports/tabextract.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/report_pages.h"
#include "frontend/model/results_record.h"
#include "runfiles.h"

namespace kalvano::reports {

namespace {

using Lines = std::vector<std::string>;

// Columns a..b (1-based) of a line hold `word`.
bool ColumnsHold(std::string_view line, std::size_t from, std::string_view word) {
  return line.size() >= from - 1 + word.size() && line.substr(from - 1, word.size()) == word;
}

std::string TempPath(const model::ProjectModel& m, std::string_view name) {
  std::string rel(files::kTempDir);
  rel += '/';
  rel += name;
  return model::AppPath(m, rel);
}

// The current report, checked against the record of the current results and whole.
model::CurrentReport ReadReport(const model::ProjectModel& m) { return model::ReadCurrentReportLines(m); }

// The parts of a whole report that the extracts hold, by their titles: the report's head
// with section I (up to "II."), the sections II, III, IV, V with VI, VII, and VIII with the
// weather listing (up to "IX.").
enum class Part : std::size_t { Head, Two, Three, Four, FiveSix, Seven, Eight };

// The lines of a part, from its title (the report's first line for the head) up to, not
// including, the next title, as the whole report check found them.
Lines Cut(const model::CurrentReport& report, Part part) {
  const auto k = static_cast<std::size_t>(part);
  const model::ReportLayout::Span span =
      part == Part::Head ? model::ReportLayout::Span{0, report.layout.sections[1].at} : report.layout.sections[k];
  if (span.at >= span.end || span.end > report.lines.size()) throw model::FileError(model::kErrPastEndOfFile);
  return {report.lines.begin() + static_cast<std::ptrdiff_t>(span.at),
          report.lines.begin() + static_cast<std::ptrdiff_t>(span.end)};
}

// Writes an extract or a page, noted as part of the current results.
void WriteLines(model::ProjectModel& m, const std::string& path, const Lines& lines, std::size_t from,
                std::size_t to) {
  // Every extract and page is one of the program's own files in the run folder.
  model::AtomicFile file(path, model::NameKind::Fixed);
  for (std::size_t i = from; i < to; ++i) file.line(lines[i]);
  file.commit();
  model::NoteResultFile(m, path, file.content());
}

void WriteLines(model::ProjectModel& m, const std::string& path, const Lines& lines) {
  WriteLines(m, path, lines, 0, lines.size());
}

// Reads a page back, checked against the record: only this front-end's own pages are shown.
TabView Page(const model::ProjectModel& m, const std::string& path, std::string_view title) {
  TabView view;
  view.text = model::ReadResultFile(m, path);
  view.caption = ViewCaption(title, m);
  view.shown = true;
  return view;
}

TabView Failed(model::ProjectModel& m, model::MessageBoxes& boxes, const model::FileError& e) {
  model::ReportFileError(boxes, e);
  m.ResultsViewable = 0;
  return {};
}

// The current results are no longer in temp/: said once, and nothing is shown.
TabView Replaced(model::ProjectModel& m, model::MessageBoxes& boxes) {
  model::ReportResultsReplaced(m, boxes);
  m.ResultsViewable = 0;
  return {};
}

// One extract without pages, shown whole.
TabView SingleExtract(model::ProjectModel& m, model::MessageBoxes& boxes, std::string_view file, Part part,
                      std::string_view title) {
  try {
    const std::string path = TempPath(m, file);
    WriteLines(m, path, Cut(ReadReport(m), part));
    return Page(m, path, title);
  } catch (const model::FileError& e) {
    return Failed(m, boxes, e);
  } catch (const model::ResultsReplaced&) {
    return Replaced(m, boxes);
  }
}

// A report that would need more pages than the viewer shows is not one this program wrote
// (the whole report check refuses it), and is refused as the wrong format before any page
// is written.
std::vector<std::size_t> ViewerPages(std::vector<std::size_t> starts) {
  if (starts.size() > model::kMaxViewerPages) {
    throw model::FileError(model::kErrPastEndOfFile, "a report of more than 99 pages");
  }
  return starts;
}

void WritePages(model::ProjectModel& m, const Lines& lines, const std::vector<std::size_t>& starts,
                const std::function<std::string(int)>& pagePath) {
  for (std::size_t p = 0; p < starts.size(); ++p) {
    const std::size_t to = p + 1 < starts.size() ? starts[p + 1] : lines.size();
    WriteLines(m, pagePath(static_cast<int>(p) + 1), lines, starts[p], to);
  }
}

TabView ShowZonePage(model::ProjectModel& m) {
  TabView view = Page(m, ZonePagePath(m, m.Pages.ZonePageNo), kZoneDataTitle);
  view.previous = m.Pages.ZonePageNo != 1;
  view.next = m.Pages.ZonePageNo != m.Pages.ZonePageCount;
  return view;
}

}  // namespace

std::string ViewCaption(std::string_view title, const model::ProjectModel& m) {
  std::string caption(title);
  caption += " -- ";
  caption += m.ProjectFile;
  return caption;
}

std::string ZonePagePath(const model::ProjectModel& m, int page) {
  return TempPath(m, std::to_string(page) + ".txt");
}
std::string WeatherPagePath(const model::ProjectModel& m, int page) {
  return TempPath(m, std::to_string(page) + "wth.txt");
}
std::string ComfortPagePath(const model::ProjectModel& m, int page) {
  return TempPath(m, std::to_string(page) + ".flt");
}

TabView WriteTabProj(model::ProjectModel& m, model::MessageBoxes& boxes) {
  return SingleExtract(m, boxes, kProjExtract, Part::Head, kProjectDataTitle);
}
TabView WriteTabSum(model::ProjectModel& m, model::MessageBoxes& boxes) {
  return SingleExtract(m, boxes, kSumExtract, Part::Three, kSummariesTitle);
}
TabView WriteTabHvac(model::ProjectModel& m, model::MessageBoxes& boxes) {
  return SingleExtract(m, boxes, kHvacExtract, Part::Four, kHvacTitle);
}
TabView WriteTabProf(model::ProjectModel& m, model::MessageBoxes& boxes) {
  return SingleExtract(m, boxes, kProfExtract, Part::FiveSix, kProfilesTitle);
}
TabView WriteTabCost(model::ProjectModel& m, model::MessageBoxes& boxes) {
  return SingleExtract(m, boxes, kCostExtract, Part::Seven, kCostTitle);
}

TabView WriteTabZone(model::ProjectModel& m, model::MessageBoxes& boxes) {
  try {
    if (m.Pages.ZonePagesSplit == 0) {
      const Lines lines = Cut(ReadReport(m), Part::Two);
      WriteLines(m, TempPath(m, kZoneExtract), lines);
      const std::vector<std::size_t> starts = ViewerPages(model::ZonePageStarts(lines));
      WritePages(m, lines, starts, [&m](int page) { return ZonePagePath(m, page); });
      m.Pages.ZonePageCount = static_cast<int16_t>(starts.size());
      m.Pages.ZonePageNo = 1;
      m.Pages.ZonePagesSplit = 1;
    }
    return ShowZonePage(m);
  } catch (const model::FileError& e) {
    return Failed(m, boxes, e);
  } catch (const model::ResultsReplaced&) {
    return Replaced(m, boxes);
  }
}

TabView WriteTabWeather(model::ProjectModel& m, model::MessageBoxes& boxes) {
  try {
    const Lines lines = Cut(ReadReport(m), Part::Eight);
    WriteLines(m, TempPath(m, kWeatherExtract), lines);
    // The second page begins at the seventh month's daily summary heading: "DAILY" in
    // columns 2 to 6, which no other line of the extract holds there.
    std::size_t second = lines.size();
    int headings = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
      if (ColumnsHold(lines[i], 2, "DAILY") && ++headings == 7) {
        second = i;
        break;
      }
    }
    WriteLines(m, WeatherPagePath(m, 1), lines, 0, second);
    if (second < lines.size()) WriteLines(m, WeatherPagePath(m, 2), lines, second, lines.size());
    m.Pages.WeatherPagesSplit = 1;
    TabView view = Page(m, WeatherPagePath(m, 1), kWeatherTitle);
    view.next = second < lines.size();
    view.previous = false;
    return view;
  } catch (const model::FileError& e) {
    return Failed(m, boxes, e);
  } catch (const model::ResultsReplaced&) {
    return Replaced(m, boxes);
  }
}

TabView ShowComfortReport(model::ProjectModel& m, model::MessageBoxes& boxes) {
  try {
    // The comfort report is section IX of the current report, which must be whole.
    model::ReadCurrentReport(m);
    const Lines lines = model::SplitLines(model::ReadResultFile(m, TempPath(m, files::kComfortReport)));
    if (lines.empty()) throw model::FileError(model::kErrPastEndOfFile);
    const std::vector<std::size_t> starts = ViewerPages(model::ComfortPageStarts(lines));
    WritePages(m, lines, starts, [&m](int page) { return ComfortPagePath(m, page); });
    m.Pages.ComfortPageCount = static_cast<int16_t>(starts.size());
    TabView view = Page(m, ComfortPagePath(m, 1), kComfortTitle);
    view.next = starts.size() > 1;
    view.previous = false;
    return view;
  } catch (const model::FileError&) {
    // No page of an earlier report stays reachable.
    m.Pages.ComfortPageCount = 0;
    boxes.show(kComfortErrorText, kComfortErrorTitle, model::MsgIcon::Exclamation);
    return {};
  } catch (const model::ResultsReplaced&) {
    m.Pages.ComfortPageCount = 0;
    return Replaced(m, boxes);
  }
}

TabView PageClick(model::ProjectModel& m, ViewerPaging& viewer, std::string_view caption,
                  bool next, model::MessageBoxes& boxes) {
  model::ReportPages& pages = m.Pages;
  if (next && pages.ZonePageNo < pages.ZonePageCount) ++pages.ZonePageNo;
  if (!next && pages.ZonePageNo > 1) --pages.ZonePageNo;

  if (caption.starts_with(kZoneDataTitle)) return WriteTabZone(m, boxes);

  if (caption.starts_with(kWeatherTitle)) {
    try {
      TabView view = Page(m, WeatherPagePath(m, next ? 2 : 1), kWeatherTitle);
      view.caption = std::string(caption);
      view.next = !next;
      view.previous = next;
      view.enableViews = true;
      return view;
    } catch (const model::FileError& e) {
      model::ReportFileError(boxes, e);
      return {};
    } catch (const model::ResultsReplaced&) {
      return Replaced(m, boxes);
    }
  }

  if (caption.starts_with(kComfortTitle)) {
    // The index stays within the pages made: "Next >>" only while a later page exists.
    int16_t& index = viewer.ComfortPageIndex;
    if (next && index + 1 < pages.ComfortPageCount) ++index;
    if (!next && index > 0) --index;
    try {
      TabView view = Page(m, ComfortPagePath(m, index + 1), kComfortTitle);
      view.caption = std::string(caption);
      view.next = index + 1 < pages.ComfortPageCount;
      view.previous = index > 0;
      view.enableViews = m.ResultsExist == 1;
      return view;
    } catch (const model::ResultsReplaced&) {
      return Replaced(m, boxes);
    } catch (const model::FileError&) {
      // The missing page becomes the end.
      TabView view;
      view.previous = true;
      view.next = false;
      pages.ComfortPageCount = static_cast<int16_t>(index);
      if (index > 0) --index;
      return view;
    }
  }
  return {};
}

TabView ShowTableChoice(model::ProjectModel& m, ViewerPaging& viewer, int choice,
                        model::MessageBoxes& boxes) {
  switch (choice) {
    case 1: return WriteTabProj(m, boxes);
    case 2: return WriteTabZone(m, boxes);
    case 3: return WriteTabSum(m, boxes);
    case 4: return WriteTabHvac(m, boxes);
    case 5: return WriteTabProf(m, boxes);
    case 6: return WriteTabCost(m, boxes);
    case 7: return WriteTabWeather(m, boxes);
    case 8: viewer.ComfortPageIndex = 0; return ShowComfortReport(m, boxes);
    default: return {};
  }
}

}  // namespace kalvano::reports
