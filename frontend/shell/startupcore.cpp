#include "frontend/shell/startupcore.h"

#include <charconv>
#include <vector>
#include <system_error>

#include "common/runfiles.h"
#include "frontend/model/atomic_file.h"

namespace kalvano::shell {

namespace fs = std::filesystem;

std::string BuildTypeLabel(std::string_view firstLine) {
  if (firstLine.size() < 3) return {};
  const std::string_view code = firstLine.substr(firstLine.size() - 2);
  const std::string_view name = firstLine.substr(0, firstLine.size() - 3);
  std::string label(code);
  label += ' ';
  label += name;
  return label;
}

fs::path BuildTypeFile(const fs::path& appDir, int type) {
  return appDir / files::kBtypeDir / ("bdtype" + std::to_string(type) + ".dat");
}

fs::path ProfileLibraryFile(const fs::path& appDir, int kind) {
  return appDir / files::kProfilesDir / ("bprof" + std::to_string(kind) + ".dat");
}

std::optional<StartupFileFault> LoadStartupTables(const fs::path& appDir,
                                                  StartupTables& tables) {
  for (int n = 1; n <= kBuildingTypes; ++n) {
    const fs::path file = BuildTypeFile(appDir, n);
    const std::vector<std::string> lines = model::ReadFileLinesOrNone(file.string());
    if (lines.empty() || lines[0].size() < 3) return StartupFileFault{file};
    tables.typeNames[static_cast<std::size_t>(n - 1)] = BuildTypeLabel(lines[0]);
  }
  for (int k = 1; k <= kLibraryProfileKinds; ++k) {
    const fs::path file = ProfileLibraryFile(appDir, k);
    const std::vector<std::string> lines = model::ReadFileLinesOrNone(file.string());
    auto& kind = tables.profiles[static_cast<std::size_t>(k - 1)];
    // A heading line, then the profiles.
    if (lines.size() < kind.size() + 1) return StartupFileFault{file};
    for (std::size_t i = 0; i < kind.size(); ++i) kind[i] = lines[i + 1];
  }
  return std::nullopt;
}

std::string TodayText(int year, int month, int day) {
  static constexpr std::array<std::string_view, 12> kMonths{
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string out = std::to_string(day);
  out += ' ';
  out += kMonths.at(static_cast<std::size_t>(month - 1));
  out += ' ';
  out += std::to_string(year);
  return out;
}

int UnitsFromDefaultLine(std::string_view line) {
  // The leading decimal number of the line, 0 when there is none.
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  std::size_t start = i;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
  const bool digitFollows =
      i < line.size() && ((line[i] >= '0' && line[i] <= '9') || line[i] == '.');
  if (!digitFollows) return 2;
  if (line[start] == '+') ++start;  // from_chars takes no plus sign
  double value = 0.0;
  const auto [end, ec] = std::from_chars(line.data() + start, line.data() + line.size(), value);
  (void)end;
  return ec == std::errc() && value == 1.0 ? 1 : 2;
}

fs::path DefaultUnitsFile(const fs::path& appDir) {
  return appDir / files::kTempDir / files::kDefaultUnits;
}

int ReadDefaultUnits(const fs::path& file) {
  const std::vector<std::string> lines = model::ReadFileLinesOrNone(file.string());
  return lines.empty() ? 2 : UnitsFromDefaultLine(lines[0]);
}

void WriteDefaultUnits(const fs::path& file, int unitSystem) {
  model::AtomicFile out(file.string(), model::NameKind::Fixed);
  out.line(unitSystem == 1 ? "1" : "2");
  out.commit();
}

std::string UnitDefaultQuestion(int index) {
  return std::string("Set ") + (index == 1 ? "I-P Units" : "SI Units") + " as the default?";
}

}  // namespace kalvano::shell
