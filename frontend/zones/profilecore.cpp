#include "frontend/zones/profilecore.h"

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"

namespace kalvano::zones {

namespace {

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

}  // namespace

bool ValidProfileText(std::string_view text, ProfileRule rule) {
  int values = 0;
  bool inValue = false;
  for (const char c : text) {
    const bool allowed = c == ' ' || c == '.' || (c >= '0' && c <= '9') ||
                         (c == '-' && rule == ProfileRule::Temperature);
    if (!allowed) return false;
    if (c == ' ') {
      inValue = false;
    } else if (!inValue) {
      inValue = true;
      ++values;
    }
  }
  return values == kProfileValues;
}

std::string ProfileMark(int number) { return " " + std::to_string(number); }

bool IsMarked(const model::ProfileColumn& marks, int number) {
  return number >= 1 && number <= model::kMaxProfileNo && marks[At(number)] == ProfileMark(number);
}

int MarkedProfileCount(const model::ProfileColumn& marks, int kind) {
  const int last = kind == 5 ? model::kTempProfiles : model::kMaxProfileNo;
  int n = 0;
  for (int k = 1; k <= last; ++k) n += marks[At(k)].empty() ? 0 : 1;
  return n;
}

bool WouldExceedProfileLimit(const model::ProfileColumn& marks, int kind, int number) {
  if (number >= 1 && number <= model::kMaxProfileNo && !marks[At(number)].empty()) return false;
  return MarkedProfileCount(marks, kind) >= kProfilesPerKind;
}

int UseProfileField(int kind) {
  static constexpr std::array<int, 5> kFields{0, 6, 8, 10, 15};
  return kind >= 1 && kind <= 4 ? kFields[At(kind)] : 0;
}

std::string_view UseProfileTitle(int kind) {
  static constexpr std::array<std::string_view, 5> kTitles{
      "", "Occupancy Profiles (percentage)", "Hot Water Profiles (percentage)",
      "Ventilation Profiles (ON/OFF)", "Lighting Profiles (percentage)"};
  return kind >= 1 && kind <= 4 ? kTitles[At(kind)] : std::string_view();
}

std::string SiTemperatureLine(std::string_view fahrenheitLine) {
  std::string line;
  int taken = 0;
  for (const std::string& word : model::SplitWords(fahrenheitLine)) {
    if (++taken > kProfileValues) break;
    const double v = model::Val(word);
    std::string t = model::NumberText(model::RoundTo((v - 32) / 1.8, 0));
    if (t.size() < 2) t.insert(0, 2 - t.size(), ' ');
    line += t;
    line += ' ';
  }
  return line;
}

std::vector<std::string> ReadTemperatureLibrary(const model::ProjectModel& m) {
  const std::string path = model::AppPath(m, kTemperatureLibrary);
  std::vector<std::string> lines = model::ReadFileLines(path);
  if (lines.size() < At(model::kTempProfiles + 1)) {
    throw model::FileError::OnFile(model::kErrPastEndOfFile, path);
  }
  return lines;
}

TemperatureRows TemperaturePickerRows(const model::ProjectModel& m,
                                      const std::vector<std::string>& library) {
  TemperatureRows rows;
  if (m.ProfKindEdited[5] != 0) {
    for (int i = 1; i <= model::kTempProfiles; ++i) {
      if (m.TempProfNo[At(i)].empty()) continue;
      rows.text[At(i)] = m.TempProfile[At(i)];
      rows.yellow[At(i)] = true;
    }
  }
  for (int i = 1; i <= model::kTempProfiles; ++i) {
    if (rows.yellow[At(i)]) continue;
    const std::string& line = library.at(At(i));
    rows.text[At(i)] = m.UnitSystem == model::kSI ? SiTemperatureLine(line) : line;
  }
  if (m.CurrentZone >= 1 && m.CurrentZone <= model::kMaxZones) {
    const auto& fields = m.ZoneData[At(m.CurrentZone)];
    for (int f = 16; f <= 19; ++f) {
      const double p = model::Val(fields[At(f)]);
      if (p >= 1 && p <= model::kTempProfiles && p == static_cast<int>(p)) {
        rows.yellow[At(static_cast<int>(p))] = true;
      }
    }
  }
  return rows;
}

}  // namespace kalvano::zones
