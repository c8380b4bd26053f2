#include "frontend/weather/recorded.h"

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"
#include "runfiles.h"

namespace kalvano::weather {

std::string PreviewText(const std::string& path) {
  const std::vector<std::string> lines = model::ReadFileLines(path);
  if (lines.size() < 20) throw model::FileError::OnFile(model::kErrPastEndOfFile, path);
  model::AtomicFile text({});
  text.line("");
  text.line("                           THIS IS ONLY PART OF YOUR WEATHER FILE.");
  text.line("           PLEASE MAKE SURE THAT THIS IS THE RIGHT WEATHER FILE YOU ARE GOING TO USE.");
  text.line("");
  text.line(std::string(86, '-'));
  for (std::size_t i = 0; i < 20; ++i) text.line(lines[i]);
  return text.content();
}

int CustomFileYear(const std::string& path, int line) {
  const std::vector<std::string> lines = model::ReadFileLines(path);
  if (lines.size() < static_cast<std::size_t>(line)) throw model::FileError::OnFile(model::kErrPastEndOfFile, path);
  const std::string& l = lines[static_cast<std::size_t>(line - 1)];
  return static_cast<int>(model::Val(l.size() > 3 ? l.substr(3, 2) : std::string()));
}

bool YearDiffers(const std::string& path, int line, std::string_view analysisYear) {
  const std::string_view tail =
      analysisYear.size() > 2 ? analysisYear.substr(analysisYear.size() - 2) : analysisYear;
  return CustomFileYear(path, line) != static_cast<int>(model::Val(tail));
}

void CopyRecordedWeather(const model::ProjectModel& m, const std::string& path) {
  model::AtomicFile copy(model::AppPath(m, std::string(files::kTempDir) + "/" + std::string(files::kRecordedWeather)),
                        model::NameKind::Fixed);
  copy.text(model::ReadWholeFile(path));
  copy.commit();
}

}  // namespace kalvano::weather
