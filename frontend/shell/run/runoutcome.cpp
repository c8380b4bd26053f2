#include "frontend/shell/run/runoutcome.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "runfiles.h"

namespace kalvano::shell {

namespace {

bool ReportHasSectionIII(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("III.", 0) == 0) return true;
  }
  return false;
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
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  std::string text;
  const std::size_t first =
      lines.size() > static_cast<std::size_t>(count) ? lines.size() - static_cast<std::size_t>(count) : 0;
  for (std::size_t i = first; i < lines.size(); ++i) text += lines[i] + "\n";
  return text;
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
    return o;
  }
  if (exited && end.status == 1) {
    o.statusLine = "Simulation Stopped at " + std::string(timeText) +
                   "\nErrors in the input: see monitor.txt";
    o.showMonitor = true;
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
  if (!exited) {
    o.errorText = "The simulation engine crashed (signal " + std::to_string(end.signal) + ").";
  } else if (end.status == 0) {
    o.errorText = "The simulation engine ended without writing its report.";
  } else {
    o.errorText = "The simulation engine stopped with exit status " + std::to_string(end.status);
    if (end.status == 5) o.errorText += " (an output file could not be written)";
    if (end.status == 6) o.errorText += " (a simulated value was not a finite number)";
    o.errorText += ".";
  }
  const std::string tail = LastLines(monitor, 8);
  o.errorText += tail.empty() ? "\n\nmonitor.txt holds nothing."
                              : "\n\nThe last lines of monitor.txt:\n" + tail;
  return o;
}

}  // namespace kalvano::shell
