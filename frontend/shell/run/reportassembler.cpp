#include "frontend/shell/run/reportassembler.h"

#include <cerrno>
#include <cstdio>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "runfiles.h"

namespace kalvano::shell {

void AppendEngineReports(const std::string& appDir) {
  const std::string temp = appDir + "/" + std::string(files::kTempDir) + "/";
  std::string tail;
  for (std::string_view name : {files::kEngineReport, files::kWeatherListing, files::kComfortReport}) {
    for (const std::string& line : model::SplitLines(model::ReadWholeFile(temp + std::string(name)))) {
      tail += line;
      tail += "\r\n";
    }
  }
  const std::string report = temp + std::string(files::kUserReport);
  std::FILE* out = std::fopen(report.c_str(), "ab");
  if (out == nullptr) throw model::FileErrorFromSystem(errno, report);
  const bool written = std::fwrite(tail.data(), 1, tail.size(), out) == tail.size();
  const int err = errno;
  const bool closed = std::fclose(out) == 0;
  if (!written || !closed) throw model::FileErrorFromSystem(written ? errno : err, report);
}

}  // namespace kalvano::shell
