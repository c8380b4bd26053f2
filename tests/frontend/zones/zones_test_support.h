// A small project for the zone editor's tests: three zones with their fields and switches,
// a few wall and window types, zone 2 with `zone2Rows` stored surfaces and zone 3 with two.
#pragma once

#include <string>

#include "frontend/model/project_model.h"

namespace kalvano::zones::test {

// Stored surface `row` of zone `zone`: wall 3, window 2, exposure 1, shade "N N N", wall
// area 100 + row in zone 2 and 50 + row elsewhere, window area 10, orientation 90 x (row mod 4).
inline void SetStoredRow(model::ProjectModel& m, int zone, int row) {
  m.SurfWallId[zone][row] = 3;
  m.SurfWindowId[zone][row] = 2;
  m.SurfExposure[zone][row] = 1;
  m.SurfShade[zone][row] = "N N N";
  m.SurfWallArea[zone][row] = static_cast<float>((zone == 2 ? 100 : 50) + row);
  m.SurfWinArea[zone][row] = 10;
  m.SurfOrient[zone][row] = static_cast<int16_t>(90 * (row % 4));
  m.SurfSWB[zone][row] = "S";
  m.SurfSlope[zone][row] = 90;
}

inline model::ProjectModel ThreeZoneProject(int zone2Rows = 12) {
  model::ProjectModel m;
  m.BldTypeNo = 4;
  m.ZoneCount = 3;
  for (int z = 1; z <= 3; ++z) {
    m.ZoneCode[z] = std::to_string(10 + z);
    m.ZoneSketchName[z] = "Zone " + std::to_string(z);
    for (int f = 1; f <= model::kZoneFields; ++f) m.ZoneData[z][f] = " " + std::to_string(f);
    m.ZoneData[z][2] = m.ZoneSketchName[z];
    m.ZoneNatVent[z] = m.ZoneDaylight[z] = m.ZoneEconCycle[z] = "No";
  }
  m.WallId[1] = " 1";
  m.WallId[2] = " 3";
  m.WallId[30] = " 7";  // past the 26 types the zone window uses
  m.WinId[1] = " 2";
  m.WinId[4] = " 12";
  m.SurfaceCount[2] = static_cast<int16_t>(zone2Rows);
  for (int r = 1; r <= zone2Rows; ++r) SetStoredRow(m, 2, r);
  m.SurfaceCount[3] = 2;
  for (int r = 1; r <= 2; ++r) SetStoredRow(m, 3, r);
  return m;
}

}  // namespace kalvano::zones::test
