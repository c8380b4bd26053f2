#include "frontend/zones/zonelistcore.h"

#include "frontend/model/numtext.h"

namespace kalvano::zones {

std::string ZoneListCaption(std::string_view projectFile) {
  return "ZONE NAMES -- " + std::string(projectFile);
}

const std::array<ZoneGridColumn, 3>& ZoneGridColumns() {
  static const std::array<ZoneGridColumn, 3> kColumns{{
      {"Zone Number", "Zone Number  "},
      {"Zone Name", std::string_view("                                                  "
                                     "                                  ")},
      {"Zone Sequence", "Zone Sequence   "},
  }};
  return kColumns;
}

std::string UnopenedZonesQuestion(std::string_view list) {
  return "You have just sketched your building, but you have not opened zone(s) :  " +
         std::string(list) + ".   Do you really want to go to Main Menu ?";
}

std::string TotalZoneFloorAreas(model::ProjectModel& m) {
  m.FloorArea = 0;
  std::string list;
  for (int i = 1; i <= m.ZoneCount; ++i) {
    const auto z = static_cast<std::size_t>(i);
    m.FloorArea += m.ZoneFloorArea[z];
    if (m.ZoneOpened[z] == 0) list += m.ZoneCode[z] + ", ";
    m.ZoneLoaded[z] = 1;
  }
  m.ProjectData[8] = model::NumberText(m.FloorArea);
  if (list.size() >= 2) list.resize(list.size() - 2);
  return list;
}

bool MayLeaveZoneList(model::ProjectModel& m, std::string_view unopened,
                      shell::MessageBoxes& boxes) {
  for (int i = 1; i <= m.ZoneCount; ++i) {
    if (m.ZoneOpened[static_cast<std::size_t>(i)] == 1) continue;
    boxes.beep();
    if (boxes.ask(UnopenedZonesQuestion(unopened), "Warning", model::MsgIcon::Exclamation,
                  shell::MsgButtons::YesNo) != shell::MsgAnswer::Yes) {
      return false;
    }
    break;
  }
  m.StepFlags[5] = 1;
  return true;
}

}  // namespace kalvano::zones
