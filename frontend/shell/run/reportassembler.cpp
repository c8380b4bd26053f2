#include "frontend/shell/run/reportassembler.h"

#include <iterator>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "runfiles.h"

namespace kalvano::shell {

void AppendEngineReports(const std::string& appDir) {
  const std::string temp = appDir + "/" + std::string(files::kTempDir) + "/";
  const std::string report = temp + std::string(files::kUserReport);
  model::AtomicFile joined(report);
  joined.text(model::ReadWholeFile(report));
  for (std::string_view name : {files::kEngineReport, files::kWeatherListing, files::kComfortReport}) {
    for (const std::string& line : model::SplitLines(model::ReadWholeFile(temp + std::string(name)))) {
      joined.line(line);
    }
  }
  joined.commit();
}

bool HasReportStructure(std::string_view bytes) {
  static constexpr std::string_view kMarks[] = {"I.", "II.", "III.", "IV. ", "V. ", "VII.", "VIII", "IX."};
  // The banner follows the rule and a blank line at the head.
  static constexpr std::size_t kBannerWithin = 4;
  const std::vector<std::string> lines = model::SplitLines(bytes);
  bool banner = false;
  for (std::size_t i = 0; i < lines.size() && i < kBannerWithin && !banner; ++i) {
    banner = lines[i].find(kReportBanner) != std::string::npos;
  }
  if (!banner) return false;
  std::size_t mark = 0;
  for (const std::string& line : lines) {
    if (mark < std::size(kMarks) && line.starts_with(kMarks[mark])) ++mark;
  }
  return mark == std::size(kMarks);
}

}  // namespace kalvano::shell
