#include "frontend/shell/run/viewoutput.h"

#include <filesystem>
#include <system_error>

#include "frontend/model/atomic_file.h"
#include "frontend/model/results_record.h"
#include "frontend/model/whole_report.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/run/runfolderlock.h"
#include "runfiles.h"

namespace kalvano::shell {

namespace {

bool ReportChoice(int viewChoice) { return viewChoice == 6 || viewChoice == 10 || viewChoice == 12; }

bool Digit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The typed report, or the same name with its tag in lower case when only that exists (the
// save-output dialog writes the tag in lower case whatever was typed).
std::string ExistingReport(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  std::string lower = path;
  for (std::size_t i = lower.size() - 3; i < lower.size(); ++i) lower[i] = Lower(lower[i]);
  if (lower != path && fs::exists(lower, ec)) return lower;
  return path;
}

// Where the report's section IX begins: the first line whose first three characters are
// "IX.". A file that is not a whole report is not taken for one: it throws the wrong-format
// file error naming it.
std::size_t SectionNine(const std::string& bytes, const std::string& path) {
  model::RequireWholeReport(bytes, path);
  static constexpr std::string_view kMark = "IX.";
  if (bytes.compare(0, kMark.size(), kMark) == 0) return 0;
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    if (bytes.compare(at + 1, kMark.size(), kMark) == 0) return at + 1;
  }
  throw model::FileError::OnFile(model::kErrPastEndOfFile, path);
}

// Copies the three hourly files of the output whose report is `path` into the run folder,
// in order, stopping at the first that cannot be copied. True when all three came. A report
// whose name is shorter than four characters was not written by a save and has none: its
// stem would reach into the folder's own name and find another output's hourly files beside
// the folder.
bool CopyHourlyFiles(const model::ProjectModel& m, const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  if (path.size() - nameStart < 4) return false;
  const std::string stem =
      path.substr(0, path.size() - 4) + "-ot" + std::string(1, path.back());
  const std::pair<std::string_view, std::string_view> files[] = {
      {"-Energy.hry", files::kHourlyEnergy},
      {"-Temp.hry", files::kHourlyTemps},
      {"-Weth.hry", files::kHourlyWeather},
  };
  for (const auto& [suffix, target] : files) {
    try {
      model::CopyAll({{stem + std::string(suffix),
                       model::AppPath(m, std::string(files::kTempDir) + "/" + std::string(target)),
                       model::NameKind::Fixed}});
    } catch (const model::FileError&) {
      return false;
    }
  }
  return true;
}

}  // namespace

ViewAction TableItem(model::ProjectModel& m, int index) {
  m.TableChoice = static_cast<int16_t>(index);
  m.ViewChoice = 6;
  if (m.ResultsViewable != 0) return {ViewAction::kTable, index};
  return {ViewAction::kPicker, 0};
}

ViewAction ChartItem(model::ProjectModel& m, int index) {
  m.GraphChoice = static_cast<int16_t>(index);
  m.ViewChoice = 10;
  if (m.ResultsViewable != 0) return {ViewAction::kChart, index};
  return {ViewAction::kPicker, 0};
}

ViewAction ViewItem(model::ProjectModel& m, int index) {
  m.ViewChoice = static_cast<int16_t>(index);
  switch (index) {
    case 6:
    case 10:
      return {ViewAction::kNothing, 0};
    case 12:
      if (m.ResultsExist == 1 && m.OutputSaved == 0) return {ViewAction::kAskSaveFirst, 0};
      return {ViewAction::kPicker, 0};
    case 7:
      return {ViewAction::kTable, 8};  // the comfort pages of the current report
    default:
      return {ViewAction::kPickerAsIs, 0};
  }
}

int TabularArgFor(int tableChoice) {
  if (tableChoice == 7) return 8;
  if (tableChoice == 8) return 7;
  return tableChoice;
}

std::string_view PickerPattern(int viewChoice) { return viewChoice == 7 ? "*.fl*" : "*.ot*"; }

bool SavedOutputNameValid(int viewChoice, std::string_view typed) {
  if (typed.size() < 3) return false;
  const std::string_view tag = typed.substr(typed.size() - 3, 2);
  const bool digit = Digit(typed.back());
  if (ReportChoice(viewChoice)) return (tag == "OT" || tag == "ot") && digit;
  if (viewChoice == 7) return (tag == "FL" || tag == "fl") && digit;
  return true;
}

RestoreOutcome RestoreSavedOutput(model::ProjectModel& m, std::string_view folder,
                                  std::string_view typed) {
  RestoreOutcome out;
  if (!SavedOutputNameValid(m.ViewChoice, typed)) {
    out.status = RestoreOutcome::kNameRefused;
    return out;
  }
  out.path = JoinFolder(folder, typed);
  const bool report = ReportChoice(m.ViewChoice);
  const std::string tempReport =
      model::AppPath(m, std::string(files::kTempDir) + "/" + std::string(files::kUserReport));
  const std::string tempComfort =
      model::AppPath(m, std::string(files::kTempDir) + "/" + std::string(files::kComfortReport));
  RunFolderLock lock;
  try {
    if (!lock.Take(model::AppPath(m, std::string(files::kTempDir)))) {
      out.status = RestoreOutcome::kRunInProgress;
      return out;
    }
    if (report) out.path = ExistingReport(out.path);
    // Everything is read and checked before anything in the run folder is replaced. The
    // comfort report of the current report is rebuilt only from this front-end's results.
    const std::string source = report ? out.path : tempReport;
    const std::string bytes = report ? model::ReadWholeFile(source) : model::ReadResultFile(m, source);
    const std::size_t nine = SectionNine(bytes, source);
    model::AtomicFile comfort(tempComfort, model::NameKind::Fixed);
    comfort.text(std::string_view(bytes).substr(nine));
    if (report) {
      model::AtomicFile current(tempReport, model::NameKind::Fixed);
      current.text(bytes);
      model::CommitAll({&current, &comfort});
    } else {
      comfort.commit();
      model::NoteResultFile(m, tempComfort, comfort.content());
    }
  } catch (const model::FileError& error) {
    out.status = RestoreOutcome::kFailed;
    out.error = error;
    return out;
  } catch (const model::ResultsReplaced&) {
    out.status = RestoreOutcome::kReplaced;
    return out;
  }
  m.OutputFile = out.path;
  m.Pages.WeatherPagesSplit = 0;
  out.status = RestoreOutcome::kRestored;
  if (!report) return out;
  // A new report: its zone and weather pages are cut afresh.
  m.Pages.ZonePagesSplit = 0;
  m.HourlyOutput = CopyHourlyFiles(m, out.path) ? 1 : 0;
  // The restored output is the current results from now on (the lock is still held).
  model::RecordResults(m);
  if (m.ViewChoice == 12) {
    m.TableChoice = 0;
    m.GraphChoice = 0;
  }
  out.table = m.TableChoice >= 1 && m.TableChoice <= 8 ? m.TableChoice : 0;
  out.chart = m.GraphChoice >= 1 && m.GraphChoice <= 7 ? m.GraphChoice : 0;
  if (m.TableChoice == 0 && m.GraphChoice == 0) out.chart = 7;  // the energy breakdown
  return out;
}

}  // namespace kalvano::shell
