#include "frontend/model/results_record.h"

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"
#include "frontend/model/whole_report.h"
#include "regularfile.h"
#include "runfiles.h"

namespace kalvano::model {

namespace {

// FNV-1a, 64 bits.
constexpr std::uint64_t kHashStart = 14695981039346656037ull;
constexpr std::uint64_t kHashPrime = 1099511628211ull;

std::uint64_t HashOn(std::uint64_t hash, std::string_view bytes) {
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kHashPrime;
  }
  return hash;
}

// The files that make up a run's results in temp/.
constexpr std::array<std::string_view, 5> kResultFiles = {files::kUserReport, files::kComfortReport,
                                                          files::kHourlyEnergy, files::kHourlyTemps,
                                                          files::kHourlyWeather};

}  // namespace

FileMark MarkOf(std::string_view bytes) {
  return {FileMark::kRegular, bytes.size(), HashOn(kHashStart, bytes)};
}

FileMark MarkOfFile(const std::string& path) {
  const int fd = regularfile::Open(path, O_RDONLY);
  if (fd < 0) return {errno == ENOENT ? FileMark::kMissing : FileMark::kOther};
  FileMark mark{FileMark::kRegular, 0, kHashStart};
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      mark = {FileMark::kOther};
      break;
    }
    if (got == 0) break;
    mark.size += static_cast<std::uint64_t>(got);
    mark.hash = HashOn(mark.hash, std::string_view(buffer.data(), static_cast<std::size_t>(got)));
  }
  ::close(fd);
  return mark;
}

bool ResultsRecord::Holds(std::string_view path, const FileMark& mark) const {
  if (mark.kind == FileMark::kOther) return false;
  const auto at = files_.find(path);
  return at != files_.end() && at->second == mark;
}

void ReportResultsReplaced(ProjectModel& m, MessageBoxes& boxes) {
  if (!SavedResultsInTemp(m)) m.ResultsExist = 0;
  boxes.show(m.Results.OwnRunStartedSince() ? kResultsReplacedByOwnRunText : kResultsReplacedText,
             kResultsReplacedTitle, MsgIcon::Exclamation);
}

std::string ResultPath(const ProjectModel& m, std::string_view name) {
  std::string rel(files::kTempDir);
  rel += '/';
  rel += name;
  return AppPath(m, rel);
}

std::vector<std::string_view> SavedResultNames(bool hourly) {
  std::vector<std::string_view> names{files::kUserReport, files::kComfortReport};
  if (hourly) names.insert(names.end(), {files::kHourlyEnergy, files::kHourlyTemps, files::kHourlyWeather});
  return names;
}

bool SavedResultsInTemp(const ProjectModel& m) {
  for (std::string_view name : SavedResultNames(m.HourlyOutput == 1)) {
    const std::string path = ResultPath(m, name);
    if (!m.Results.Holds(path, MarkOfFile(path))) return false;
  }
  return true;
}

void RecordResults(ProjectModel& m) {
  m.Results.Clear();
  for (std::string_view name : kResultFiles) {
    const std::string path = ResultPath(m, name);
    m.Results.Note(path, MarkOfFile(path));
  }
}

void NoteResultFile(ProjectModel& m, const std::string& path, std::string_view bytes) {
  m.Results.Note(path, MarkOf(bytes));
}

void CheckResultBytes(const ProjectModel& m, const std::string& path, std::string_view bytes) {
  if (!m.Results.Holds(path, MarkOf(bytes))) throw ResultsReplaced();
}

void CheckResultFile(const ProjectModel& m, const std::string& path) {
  if (!m.Results.Holds(path, MarkOfFile(path))) throw ResultsReplaced();
}

std::string ReadResultFile(const ProjectModel& m, const std::string& path) {
  std::string bytes = ReadWholeFile(path, NameKind::Fixed);
  CheckResultBytes(m, path, bytes);
  return bytes;
}

std::string ReadCurrentReport(const ProjectModel& m) {
  const std::string path = ResultPath(m, files::kUserReport);
  std::string bytes = ReadResultFile(m, path);
  RequireWholeReport(bytes, path);
  return bytes;
}

CurrentReport ReadCurrentReportLines(const ProjectModel& m) {
  const std::string path = ResultPath(m, files::kUserReport);
  const std::string bytes = ReadResultFile(m, path);
  CurrentReport report;
  report.layout = RequireWholeReport(bytes, path);
  report.lines = SplitLines(bytes);
  return report;
}

}  // namespace kalvano::model
