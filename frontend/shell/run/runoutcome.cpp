#include "frontend/shell/run/runoutcome.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <string>
#include <vector>

#include <unistd.h>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "runfiles.h"

namespace kalvano::shell {

namespace {

bool ReportHasSectionIII(const std::string& path) {
  for (const std::string& line : model::ReadFileLinesOrNone(path)) {
    if (line.rfind("III.", 0) == 0) return true;
  }
  return false;
}

// What the engine said on standard error, at the end of the message (which it begins when
// there was none).
void AddStandardError(RunOutcome& o, const EngineEnd& end) {
  const std::string said = LastLinesOf(end.standardError, 8);
  if (said.empty()) return;
  if (!o.errorText.empty()) o.errorText += "\n";
  o.errorText += "The engine reported:\n" + said;
}

// Lines of the engine's log, Latin-1 as every file of the run, in the file system's encoding
// (UTF-8) of the rest of the box: the engine's standard error and the names in it.
std::string Latin1AsUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

std::string TimeLine(std::string_view timeText, double elapsed) {
  return std::string(timeText) + "\nTotal time = " + ElapsedText(elapsed) + " Sec.";
}

}  // namespace

std::string ElapsedText(double seconds) {
  // Two decimals with a point whatever the user's locale.
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, std::round(seconds * 100.0) / 100.0,
                                 std::chars_format::fixed, 2).ptr;
  std::string text(buf, end);
  while (text.back() == '0') text.pop_back();
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);
  return text;
}

std::string LastLines(const std::string& path, int count) {
  return LastLinesOf(model::ReadFileLinesOrNone(path), count);
}

std::string LastLinesOf(std::string_view text, int count) {
  return LastLinesOf(model::SplitLines(text), count);
}

std::string LastLinesOf(const std::vector<std::string>& lines, int count) {
  std::string text;
  const std::size_t first =
      lines.size() > static_cast<std::size_t>(count) ? lines.size() - static_cast<std::size_t>(count) : 0;
  for (std::size_t i = first; i < lines.size(); ++i) text += lines[i] + "\n";
  return text;
}

void RemoveEngineOutputs(const std::string& tempDir) {
  for (std::string_view name : {files::kEngineReport, files::kMonitorLog, files::kWeatherListing,
                                files::kComfortReport, files::kHourlyEnergy, files::kHourlyTemps,
                                files::kHourlyWeather}) {
    const std::string path = tempDir + "/" + std::string(name);
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) continue;
    // A folder in the place of one of the engine's files is told as such.
    if (errno == EISDIR) throw model::NotAFileError(path, model::NameKind::Fixed);
    throw model::FileErrorFromSystem(errno, path);
  }
  // The comfort report's per-zone pages of the last run.
  model::DeleteMatching(tempDir, ".flt");
}

std::string_view ExitStatusMeaning(int status) {
  switch (status) {
    case 2: return "an unreadable recorded-weather record";
    case 3: return "too many weather-date problems";
    case 4: return "the recorded weather file ends before the analysis period";
    case 5: return "an output file could not be written";
    case 6: return "a simulated value was not a finite number";
    case 7: return "another run is using this base folder";
    default: return {};
  }
}

std::string AbnormalEndText(const EngineEnd& end) {
  if (end.kind == EngineEnd::Kind::Crashed) {
    const std::string signal = " (signal " + std::to_string(end.signal) + ").";
    switch (end.signal) {
      case SIGTERM:
      case SIGKILL:
      case SIGINT: return "The simulation engine was stopped" + signal;
      case SIGSEGV:
      case SIGABRT:
      case SIGBUS:
      case SIGFPE:
      case SIGILL: return "The simulation engine crashed" + signal;
      default: return "The simulation engine ended on a signal" + signal;
    }
  }
  if (end.status == 0) return "The simulation engine ended without writing its report.";
  std::string text = "The simulation engine stopped with exit status " + std::to_string(end.status);
  const std::string_view meaning = ExitStatusMeaning(end.status);
  if (!meaning.empty()) text += " (" + std::string(meaning) + ")";
  return text + ".";
}

RunOutcome NotStartedOutcome() {
  RunOutcome o;
  o.statusLine = "Simulation Not Started";
  return o;
}

RunOutcome DecideRunOutcome(const EngineEnd& end, int runType, const std::string& tempDir,
                            std::string_view timeText, double elapsed) {
  const std::string monitor = tempDir + "/" + std::string(files::kMonitorLog);
  RunOutcome o;
  using Kind = EngineEnd::Kind;
  if (end.kind == Kind::NotStarted) {
    o = NotStartedOutcome();
    o.errorText = "The simulation engine could not be started: " + end.reason;
    return o;
  }
  if (end.kind == Kind::Cancelled) {
    o.statusLine = "Simulation Cancelled at " + std::string(timeText);
    return o;
  }
  const bool exited = end.kind == Kind::Exited;
  if (exited && runType == 1 && (end.status == 0 || end.status == 1)) {
    o.statusLine = "Error Check Completed at " + TimeLine(timeText, elapsed);
    o.showMonitor = true;
    if (end.status != 0) AddStandardError(o, end);
    return o;
  }
  if (exited && end.status == 1) {
    o.statusLine = "Simulation Stopped at " + std::string(timeText) +
                   "\nErrors in the input: see monitor.txt";
    o.showMonitor = true;
    AddStandardError(o, end);
    return o;
  }
  if (exited && end.status == 0 && runType != 1 &&
      ReportHasSectionIII(tempDir + "/" + std::string(files::kEngineReport))) {
    o.statusLine = "Simulation Completed at " + TimeLine(timeText, elapsed);
    o.reviewEnabled = true;
    o.cancelEnabled = false;
    o.resultsExist = true;
    return o;
  }
  o.statusLine = "Simulation Stopped at " + std::string(timeText) + "\nThe engine stopped abnormally";
  o.errorText = AbnormalEndText(end);
  const std::string tail = LastLines(monitor, 8);
  o.errorText += tail.empty() ? "\n\nmonitor.txt holds nothing."
                              : "\n\nThe last lines of monitor.txt:\n" + Latin1AsUtf8(tail);
  AddStandardError(o, end);
  return o;
}

}  // namespace kalvano::shell
