#include "frontend/model/project_model.h"

#include "frontend/model/helpers.h"
#include "runfiles.h"

#include <stdexcept>

namespace kalvano::model {

ProfileKindRef ProfileKind(ProjectModel& m, int kind) {
  switch (kind) {
    case 1: return {m.OccProfNo, m.OccProfile};
    case 2: return {m.HwProfNo, m.HwProfile};
    case 3: return {m.VentProfNo, m.VentProfile};
    case 4: return {m.LiteProfNo, m.LiteProfile};
    case 5: return {m.TempProfNo, m.TempProfile};
    default: throw std::out_of_range("profile kind must be 1..5");
  }
}

std::string AppPath(const ProjectModel& m, std::string_view relative) {
  std::string base = m.AppDir.empty() ? std::string(".") : m.AppDir;
  if (base.back() != '/') base += '/';
  return base + std::string(relative);
}

void NewProject(ProjectModel& m) {
  m.LastProjectFile = m.ProjectFile;
  m.ProjectFile = "NewProject.inp";
  // The run options and the sketch's zone-name and zone-area lists.
  if (m.SketchOpenCount > 0) DeleteMatching(AppPath(m, files::kTempDir), ".tmp");
  for (int16_t* flag :
       {&m.ProjectLoaded, &m.WeatherFromProjInfo, &m.SketchOpenCount, &m.Resketched,
        &m.ZonesEntered, &m.WeatherEntered, &m.RunType, &m.ResultsExist, &m.ResultsViewable,
        &m.InputSaved, &m.DaylightUsed, &m.ProjectIdEdited, &m.BldTypeChosen,
        &m.WeatherFileChosen, &m.DesTempsValid})
    *flag = 0;
  for (int i = 1; i <= 3; ++i) m.DesTemps[i].clear();
  for (int k = 1; k <= 5; ++k) m.ProfKindEdited[k] = m.ProfKindOpened[k] = 0;
  m.PropTableOpened[1] = m.PropTableOpened[2] = 0;
  for (int z = 1; z <= kMaxZones; ++z) m.ZoneLoaded[z] = m.ZoneOpened[z] = 0;
  for (int i = 0; i < kProjectItems; ++i) m.ProjectData[i].clear();
  for (int i = 1; i <= kWeatherLines; ++i) m.WeatherBlock[i].clear();
  for (auto& e : m.EconData) e.clear();
  m.DemChgSwitch.clear();
  m.WeeksPerMonth = 4;
}

}  // namespace kalvano::model
