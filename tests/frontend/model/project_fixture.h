// The small project used by the project-file tests: 2 wall types, 1 window type, one edited
// profile of each kind, 2 demand-charge rows, 2 zones with surfaces and a one-level sketch.
#pragma once

#include "frontend/model/project_model.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace kalvano::model::test {

inline std::string FixturePath(const std::string& name) {
  return std::string(KALVANO_TEST_DIR) + "/data/" + name;
}

inline std::string Hours(const std::string& value) {
  std::string out;
  for (int h = 0; h < 24; ++h) out += (h ? " " : "") + value;
  return out;
}

inline void FillSmallProject(ProjectModel& m) {
  m.WeatherSeed = " .7055475";
  m.WeeksPerMonth = 2;
  const char* items[] = {"OF Office", "Test House", "Two zones, one level", "MIAMI, FL",
                         "Schematic", "1", "2005", "0", "1120", "95", "5", ""};
  for (int i = 0; i < 12; ++i) m.ProjectData[i] = items[i];
  m.WeatherBlock[1] = "WMO#  Lat. Long.  STM.  Elev  MIAMI, FL";
  m.WeatherBlock[2] =
      "722020                                                  25.8  80.3   5.0      7";
  m.WeatherBlock[3] =
      "          Jan   Feb   Mar   Apr   May   Jun   Jul   Aug   Sep   Oct   Nov   Dec";
  const char* rows[] = {
      "DB Ave   67.2  68.5  71.7  75.2  78.7  81.4  82.6  82.8  81.9  78.3  73.6  69.1",
      "Ave std   4.1   4.0   3.5   2.6   1.9   1.4   1.2   1.2   1.3   2.3   3.4   4.0",
      "DB Max   75.2  76.5  79.1  82.4  85.3  87.6  89.0  89.0  87.8  84.5  80.4  76.7",
      "Max std   3.6   3.5   3.0   2.4   1.9   1.6   1.4   1.4   1.5   2.1   2.9   3.5",
      "DP Ave   58.6  59.4  61.6  64.3  68.4  72.0  72.9  73.5  73.2  69.6  65.1  60.3",
      "DP std   7.2   6.8   6.6   5.3   3.9   2.2   1.6   1.5   1.8   3.9   5.6   6.9",
      "SOLAR   1180  1430  1710  1980  2040  1890  1930  1820  1610  1470  1240  1100",
      "WIND     9.5  10.0  10.5  10.4   9.4   8.1   7.6   7.5   8.3   9.4   9.6   9.2"};
  for (int i = 0; i < 8; ++i) m.WeatherBlock[i + 4] = rows[i];
  m.DesTemps = {"", " 91.9", " 79.4", " 45.8"};
  m.DesTempsValid = 1;
  const char* econ[] = {"25", "20", "20", "3", "1.5", ".08", "2", ".6", "2", "2.5", ""};
  for (int i = 0; i < 11; ++i) m.EconData[i] = econ[i];
  m.DemChgSwitch = "Y";
  m.DemChgCount = 2;
  m.DemChgKw = {"", "100", "200", ""};
  m.DemChgCost = {"", "5.5", "6.5", ""};
  auto wall = [&](int id, const char* desc, const char* u, const char* lag) {
    m.WallId[id] = " " + std::to_string(id);
    m.WallDesc[id] = desc;
    m.WallU[id] = u;
    m.WallAbs[id] = ".7";
    m.WallLag[id] = lag;
    m.WallDecr[id] = "0";
    m.WallCost[id] = "12.5";
  };
  wall(1, "8 in. concrete block, R-5", " .121", "5");
  wall(8, "Built-up roof, R-19", " .048", "3");
  m.WallId[30] = " 30";  // ids above 26 never go into the file
  m.WinId[1] = " 1";
  m.WinDesc[1] = "Double clear, aluminium frame";
  m.WinU[1] = ".62";
  m.WinShgc[1] = ".7";
  m.WinEmiss[1] = ".84";
  m.WinDlTrans[1] = ".78";
  m.WinCost[1] = "25";
  m.OccProfNo[3] = "3";
  m.OccProfile[3] = "0 0 0 0 0 0 .1 .2 .95 .95 .95 .95 .5 .95 .95 .95 .95 .3 .1 .1 .1 .05 .05 .05";
  m.HwProfNo[3] = "3";
  m.HwProfile[3] = Hours(".5");
  m.VentProfNo[3] = "3";
  m.VentProfile[3] = Hours("1");
  m.LiteProfNo[3] = "3";
  m.LiteProfile[3] = Hours(".9");
  m.LiteProfile[4] = Hours(".1");  // a library profile without a mark stays out
  m.TempProfNo[1] = "1";
  m.TempProfile[1] = Hours("75");

  m.ZoneCount = 2;
  const char* z1[] = {"", "11", "Office", "640", "20", "8", "3", "1", "3", "20", "3", "1",
                      "1.2", "1.5", ".75", "3", "1", "1", "1", "1", "5", "1", "0", ".5",
                      "0", "0", "1", "12", "2.5", "1000", "50"};
  const char* z2[] = {"", "12", "Store", "480", "10", "4", "3", "2", "3", "cs.15", "3", "1",
                      "1.1", "2", "1", "3", "1", "1", "1", "1", "1", "2", ".2", ".4",
                      "10", "50", ".8", "10", "3", "900", "40"};
  for (int f = 1; f <= 30; ++f) {
    m.ZoneData[1][f] = z1[f];
    m.ZoneData[2][f] = z2[f];
  }
  m.ZoneCode[1] = "11";
  m.ZoneCode[2] = "12";
  m.ZoneNatVent[1] = "No";
  m.ZoneNatVent[2] = "Yes";
  m.ZoneDaylight[1] = "No";
  m.ZoneDaylight[2] = " Yes";
  m.ZoneEconCycle[1] = "No";
  m.ZoneEconCycle[2] = "Yes";
  auto surface = [&](int z, int r, int16_t wallId, float area, int16_t orient, int16_t exposure,
                     const char* shade, int16_t window, float glass, float slope) {
    m.SurfWallId[z][r] = wallId;
    m.SurfWallArea[z][r] = area;
    m.SurfOrient[z][r] = orient;
    m.SurfExposure[z][r] = exposure;
    m.SurfShade[z][r] = shade;
    m.SurfWindowId[z][r] = window;
    m.SurfWinArea[z][r] = glass;
    m.SurfSlope[z][r] = slope;
    m.SurfSWB[z][r] = "S";
    m.SurfBlind[z][r] = 0;
    m.SurfDiffTrans[z][r] = 0;
    m.SurfSillHt[z][r] = 3;
    m.SurfWinTop[z][r] = 7;
    m.SurfGrndRefl[z][r] = 0.2f;
  };
  surface(1, 1, 1, 320, 180, 1, " T0.5", 1, 64.5f, 90);
  surface(1, 2, 8, 640, 0, 6, "N", 0, 0, 0);
  m.SurfaceCount[1] = 2;
  surface(2, 1, 1, 240, 270, 2, "F.25", 1, 40.25f, 90);
  m.SurfBlind[2][1] = 5;
  m.SurfDiffTrans[2][1] = 2.5f;
  m.SurfaceCount[2] = 1;
}

}  // namespace kalvano::model::test
