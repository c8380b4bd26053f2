#include "frontend/model/zone_file.h"

#include "frontend/model/atomic_file.h"
#include "runfiles.h"

namespace kalvano::model {

std::string ZoneFilePath(const ProjectModel& m, std::string_view code) {
  return AppPath(m, std::string(files::kTempDir) + "/temp" + std::string(code) + ".zon");
}

std::string ZoneFileText(const std::vector<std::string>& values, bool lastOfSketch) {
  AtomicFile text({});
  for (const std::string& v : values) text.line(v);
  text.line(kZoneFileEnd);
  if (lastOfSketch) text.line(kSketchEnd);
  return text.content();
}

}  // namespace kalvano::model
