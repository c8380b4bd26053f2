#include "frontend/shell/run/reportassembler.h"

#include "frontend/model/atomic_file.h"
#include "runfiles.h"

namespace kalvano::shell {

void AppendEngineReports(const std::string& appDir) {
  const std::string temp = appDir + "/" + std::string(files::kTempDir) + "/";
  const std::string report = temp + std::string(files::kUserReport);
  model::AtomicFile joined(report, model::NameKind::Fixed);
  joined.text(model::ReadWholeFile(report, model::NameKind::Fixed));
  for (std::string_view name : {files::kEngineReport, files::kWeatherListing, files::kComfortReport}) {
    for (const std::string& line : model::SplitLines(model::ReadWholeFile(temp + std::string(name), model::NameKind::Fixed))) {
      joined.line(line);
    }
  }
  joined.commit();
}

}  // namespace kalvano::shell
