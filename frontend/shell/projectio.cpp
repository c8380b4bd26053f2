#include "frontend/shell/projectio.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <new>
#include <set>
#include <system_error>

#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "runfiles.h"

namespace kalvano::shell {

namespace fs = std::filesystem;

namespace {

// Deletes temp/*.zon except the files of the zones of `kept`; errors are ignored.
void DeleteOtherZoneFiles(const model::ProjectModel& kept) {
  std::set<std::string> names;
  for (int z = 1; z <= model::kMaxZones; ++z) {
    if (!kept.ZoneCode[z].empty()) names.insert("temp" + kept.ZoneCode[z] + ".zon");
  }
  std::error_code ec;
  const fs::path folder = model::AppPath(kept, files::kTempDir);
  std::vector<fs::path> doomed;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".zon") == 0 && !names.contains(name))
      doomed.push_back(it->path());
  }
  for (const fs::path& p : doomed) fs::remove(p, ec);
}

}  // namespace

void RetrieveProject(model::ProjectModel& m, const std::string& path, std::string_view typed) {
  std::unique_ptr<model::ProjectModel> trial;
  try {
    trial = std::make_unique<model::ProjectModel>(m);
  } catch (const std::bad_alloc&) {
    throw model::FileError::OnFile(model::kErrOutOfMemory, path);
  }
  if (trial->ProjectLoaded == 1) {
    const int rows = std::clamp<int>(trial->DemChgCount, 0, model::kMaxDemandRows);
    for (int i = 1; i <= rows; ++i) trial->DemChgKw[i].clear(), trial->DemChgCost[i].clear();
  }
  model::ReadInputFile(*trial, path);
  if (m.ProjectLoaded == 1) DeleteOtherZoneFiles(*trial);
  trial->ProjectFileName = std::string(typed);
  trial->ProjectFile = path;
  trial->LastProjectFile = path;
  std::swap(m, *trial);
}

SaveWriter ChooseSaveWriter(int unitSystem, bool saveAsSI) {
  if (unitSystem == model::kInchPound) {
    return saveAsSI ? SaveWriter{"SI", model::BodyWriter::ToSI}
                    : SaveWriter{"IP", model::BodyWriter::AsHeld};
  }
  return saveAsSI ? SaveWriter{"SI", model::BodyWriter::AsHeld}
                  : SaveWriter{"IP", model::BodyWriter::ToInchPound};
}

std::string NewWeatherSeed(double random) {
  return model::NumberText(model::RoundTo(std::clamp(random, 0.0, 1.0), 7));
}

bool SaveProject(model::ProjectModel& m, const std::string& path, bool saveAsSI, double random) {
  if (m.ProjectLoaded == 0 && m.ResultsExist == 0) {
    m.LastRandom = static_cast<float>(random);
    m.WeatherSeed = NewWeatherSeed(random);
  }
  const SaveWriter writer = ChooseSaveWriter(m.UnitSystem, saveAsSI);
  const bool endRequested = model::WriteProjectFile(m, path, writer.tag, writer.body);
  const int16_t pendingRun = m.RunType;
  model::ReadInputFile(m, path);
  m.RunType = pendingRun;
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  m.ProjectFile = m.LastProjectFile = m.ProjectFileName = path;
  return endRequested;
}

}  // namespace kalvano::shell
