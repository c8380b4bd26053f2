#include "frontend/model/helpers.h"

#include "runcalendar.h"

#include "frontend/model/atomic_file.h"
#include "frontend/model/numtext.h"
#include "runfiles.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>
#include <unistd.h>

namespace kalvano::model {
namespace fs = std::filesystem;

float RoundTo(double x, double n) {
  double p = std::pow(10.0, n);
  double r = std::floor(x * p + 0.5) / p;
  // Beyond the range of a float the result is infinite (the writers refuse to write it).
  constexpr float kInf = std::numeric_limits<float>::infinity();
  if (std::fabs(r) > std::numeric_limits<float>::max()) return r > 0 ? kInf : -kInf;
  return static_cast<float>(r);
}

float RoundTo(std::string_view x, double n) {
  double v = 0;
  if (!ParseNumber(x, v)) throw FileError(kErrTypeMismatch, std::string(x));
  return RoundTo(v, n);
}

namespace {

int monthNumber(std::string_view word) {
  static constexpr std::array<std::string_view, 12> names{
      "january", "february", "march",     "april",   "may",      "june",
      "july",    "august",   "september", "october", "november", "december"};
  std::string w;
  for (char c : word) w.push_back(AsciiLower(c));
  if (w.size() < 3) return 0;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i].substr(0, w.size()) == w && (w.size() == 3 || w == names[i]))
      return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace

namespace {

// Day and month of a day-month text such as "15-Oct-" in `year` (separated by hyphens,
// slashes or blanks); a text that is no day and month is a type mismatch (13).
struct DayMonth {
  int day = 0, month = 0;
  std::string text;  // the date with its year, for the error
};
DayMonth ParseDayMonth(std::string_view dayMonth, int year) {
  DayMonth d;
  d.text = std::string(dayMonth) + std::to_string(year);
  const std::vector<std::string> parts = SplitOn(d.text, "-/ ");
  auto mismatch = [&] { return FileError(kErrTypeMismatch, d.text); };
  if (parts.size() != 3) throw mismatch();
  auto allDigits = [](const std::string& s) {
    return !s.empty() && s.size() <= 4 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!allDigits(parts[0])) throw mismatch();
  d.day = std::stoi(parts[0]);
  d.month = allDigits(parts[1]) ? std::stoi(parts[1]) : monthNumber(parts[1]);
  if (d.month < 1 || d.month > 12 || d.day < 1) throw mismatch();
  return d;
}

}  // namespace

int DayOfYear(std::string_view dayMonth, int year) {
  const DayMonth d = ParseDayMonth(dayMonth, year);
  using namespace std::chrono;
  year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(d.month)},
                      std::chrono::day{static_cast<unsigned>(d.day)}};
  if (!date.ok()) throw FileError(kErrTypeMismatch, d.text);
  year_month_day lastOfYearBefore{std::chrono::year{year - 1}, December, std::chrono::day{31}};
  return static_cast<int>((sys_days{date} - sys_days{lastOfYearBefore}).count());
}

int DayOfYear(std::string_view dayMonth, int year, int februaryDays) {
  const DayMonth d = ParseDayMonth(dayMonth, year);
  const int n = calendar::DayNumber(d.month, d.day, februaryDays);
  if (n == 0) throw FileError(kErrTypeMismatch, d.text);
  return n;
}

void WarnNotNumeric(MessageBoxes& boxes) {
  boxes.show("You should use numerical value.", "Error", MsgIcon::Exclamation);
}

void RefuseNotNumeric(MessageBoxes& boxes) {
  boxes.beep();
  WarnNotNumeric(boxes);
}

void WarnSharedProfile(MessageBoxes& boxes) {
  boxes.beep();
  boxes.show(
      "The profile / property has been used.  If you change its value, you will also change "
      "the value of the profile / property you have previously used.",
      "Warning", MsgIcon::Exclamation);
}

std::string FileErrorMessage(int number) {
  switch (number) {
    case 7: return "File is too big to open.";
    case 52: return "Bad file name or number.";
    case 53:
      return "Bad file name, or some files are missing, or your input is not complete. "
             "Re-check your program input data.";
    case 55: return "Error. File already open.";
    case 57:
    case 68:
    case 71:
    case 72: return "Disk error. Please check the disk and try again.";
    case 61: return "Disk is full.  Save to another disk.";
    case 62:
      return "KAL-VANO is unable to open your input file because it has a wrong format.  "
             "Check your input file.";
    case 70: return "Permission denied.  Check the disk.";
    case 75:
    case 76: return "Path not found or path/file access error.";
    default: return StandardErrorText(number);
  }
}

std::string FileErrorTitle(int number) {
  return "Kalvano Error # " + NumberText(static_cast<float>(number));
}

std::string FileErrorMessage(const FileError& error) {
  return error.message().empty() ? FileErrorMessage(error.number()) : error.message();
}

void ReportFileError(MessageBoxes& boxes, const FileError& error) {
  boxes.show(FileErrorMessage(error), FileErrorTitle(error.number()), MsgIcon::Exclamation);
}

FileError AsSavedOutputError(const FileError& error) {
  if (error.number() != kErrPastEndOfFile || !error.message().empty()) return error;
  const std::string message(kSavedOutputWrongFormat);
  return error.namesFile() ? FileError::OnFile(error.number(), error.detail(), message)
                           : FileError(error.number(), error.detail(), message);
}

namespace {
constexpr std::size_t kShownCharacters = 60;  // of an error's detail in its box
}  // namespace

std::string BoxDetail(std::string_view detail) {
  std::string out;
  for (char c : detail.substr(0, std::min(detail.size(), kShownCharacters))) {
    const auto b = static_cast<unsigned char>(c);
    const bool printable = (b >= 0x20 && b < 0x7F) || b >= 0xA0;
    out.push_back(printable ? c : '?');
  }
  if (detail.size() > kShownCharacters) out += "...";
  return out;
}

std::string BoxName(std::string_view name) {
  std::string out;
  std::size_t characters = 0;
  for (char c : name) {
    const auto b = static_cast<unsigned char>(c);
    // A byte 10xxxxxx continues the character before it.
    if ((b & 0xC0) != 0x80 && ++characters > kShownCharacters) return out + "...";
    out.push_back(b < 0x20 || b == 0x7F ? '?' : c);
  }
  return out;
}

std::string FileErrorBoxText(const FileError& error) {
  std::string text = FileErrorMessage(error);
  if (!error.detail().empty()) {
    text += "\n\n" + (error.namesFile() ? BoxName(error.detail()) : BoxDetail(error.detail()));
  }
  if (!error.otherName().empty()) text += "\n" + BoxName(error.otherName());
  return text;
}

std::vector<std::string> SplitOn(std::string_view text, std::string_view separators) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : text) {
    if (separators.find(c) != std::string_view::npos) {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    std::size_t e = text.find(' ', i);
    if (e == std::string_view::npos) e = text.size();
    out.emplace_back(text.substr(i, e - i));
    i = e;
  }
  return out;
}

std::size_t CatalogueEntries(const std::vector<std::string>& lines, std::size_t entryLines) {
  const auto blank = [](const std::string& l) { return l.find_first_not_of(" \t") == std::string::npos; };
  std::size_t entries = 0;
  for (std::size_t at = 0; at < lines.size(); at += entryLines, ++entries) {
    if (std::all_of(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.end(), blank)) break;
    if (lines.size() - at < entryLines) {
      throw FileError(kErrPastEndOfFile, "a catalogue entry ends early");
    }
  }
  return entries;
}

std::size_t CatalogueFileEntries(std::string_view bytes, std::size_t entryLines, const std::string& path) {
  const std::vector<std::string> lines = SplitLines(bytes);
  std::size_t entries = 0;
  try {
    entries = CatalogueEntries(lines, entryLines);
  } catch (const FileError&) {
    throw CutFileError(path);  // lines left over that make no whole entry
  }
  // The last line is the last entry's own unless blank lines follow the entries.
  if (entries > 0 && entries * entryLines == lines.size() && EndsInsideLastLine(bytes, kFreeWidth)) {
    throw CutFileError(path);
  }
  return entries;
}

void DeleteMatching(const std::string& folder, std::string_view suffix) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(),
                                                     suffix.size(), suffix) == 0) {
      std::error_code rm;
      if (it->is_regular_file(rm)) fs::remove(it->path(), rm);
    }
  }
}

void KillTempZoneFiles(ProjectModel& m) {
  bool editorsOpened = false;
  for (int k = 1; k <= 5; ++k)
    if (m.ProfKindOpened[k] == 1 || m.PropTableOpened[k] == 1) editorsOpened = true;
  if (m.ProjectLoaded == 1 || m.InputSaved == 1 || m.SketchOpenCount > 0 || editorsOpened)
    DeleteMatching(AppPath(m, files::kTempDir), ".zon");
}

std::string SpreadsheetProgramsText() {
  std::string text;
  for (const SpreadsheetProgram& program : kSpreadsheetPrograms) {
    if (!text.empty()) text += ", else ";
    text += std::string(program.name) + " (" + std::string(program.file) + ")";
  }
  return text;
}

void FindExcelPath(ProjectModel& m, std::string_view searchPath) {
  std::vector<std::string> folders;
  std::string cur;
  for (char c : searchPath) {
    if (c == ':') {
      folders.push_back(cur.empty() ? "." : cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!searchPath.empty()) folders.push_back(cur.empty() ? "." : cur);
  for (const SpreadsheetProgram& program : kSpreadsheetPrograms) {
    for (const std::string& folder : folders) {
      fs::path candidate = fs::path(folder) / program.file;
      std::error_code ec;
      if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0) {
        m.ExcelPath = candidate.string();
        return;
      }
    }
  }
}

void FindExcelPath(ProjectModel& m) {
  const char* path = std::getenv("PATH");
  FindExcelPath(m, path ? std::string_view(path) : std::string_view());
}

std::string OutputNameFor(std::string_view projectName) {
  std::string name(projectName);
  std::size_t slash = name.find_last_of('/');
  std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > start) name.erase(dot);
  return name + ".ot1";
}

SaveOutputProposal PrepareSaveOutput(const ProjectModel& m, std::string_view inputName,
                                     std::string_view outputName) {
  std::string name = m.ProjectLoaded == 1 ? m.ProjectFileName : std::string("New_Project");
  if (m.InputSaved == 1) name = std::string(inputName);
  if (m.OutputSaved == 1) name = std::string(outputName);
  SaveOutputProposal p;
  p.name = OutputNameFor(name);
  fs::path folder = fs::path(p.name).parent_path();
  if (folder.empty()) folder = m.AppDir.empty() ? fs::path(".") : fs::path(m.AppDir);
  p.folder = folder.string();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string file = it->path().filename().string();
    if (file.find(".ot") != std::string::npos) p.files.push_back(file);
  }
  std::sort(p.files.begin(), p.files.end());
  p.runEnabled = m.SaveOutOnExit != 1;
  return p;
}

}  // namespace kalvano::model
