// Builds projects from the installed data as the front-end's steps do: a building type's
// defaults as the project information window loads them (SI conversions included), a city's
// record of the weather library as the weather window takes it, the catalogues and default
// profiles of the first zone description, and a one-level sketch whose footprint is one zone
// or two zones side by side. The project is written by the project model's own writer.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "data_files.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "frontend/model/weather_stats.h"

namespace kalvano::datatest {

namespace km = kalvano::model;

// Number text of a value rounded to d decimals, right-aligned in w characters.
inline std::string converted(double value, int d, std::size_t w, bool signPosition = true) {
  std::string t = km::NumberText(km::RoundTo(value, d));
  if (!signPosition && !t.empty() && t[0] == ' ') t.erase(0, 1);
  return km::RightAlign(t, w);
}

// The value text of a building-type line: at most its first 20 characters, without the
// blanks after them.
inline std::string valueText(const std::string& line) {
  if (line.size() < 20) return line;
  return trim(line.substr(0, 20)).empty() ? std::string() : line.substr(0, 20);
}

struct Sample {
  const char* file;
  int16_t units;
  int type;
  const char* city;  // city key of the weather-library record
  const char* name;
  const char* description;
  double gridSize, roomHeight;
  int cols, rows;  // building footprint in cells; two zones split it east-west
  const char* zoneNames[2];
  int zones = 2;  // 1: one zone over the whole footprint
};

// Loads building type n as the project information window does (SI conversions included).
inline void loadBuildingType(km::ProjectModel& m, int n) {
  RawLines f = readRaw(dataPath("btype/bdtype" + std::to_string(n) + ".dat"));
  ASSERT_TRUE(f.opened);
  ASSERT_GE(f.lines.size(), 57u);
  const bool si = m.UnitSystem == km::kSI;
  m.ProjectData[0] = f.lines[0];
  for (int i = 1; i <= 11; ++i) m.ProjectData[i] = valueText(f.lines[static_cast<std::size_t>(i)]);
  if (si) m.ProjectData[9] = converted(km::Val(m.ProjectData[9]) * 10.76391, 2, 6);
  for (int i = 0; i <= 10; ++i) m.EconData[i] = valueText(f.lines[static_cast<std::size_t>(12 + i)]);
  if (si) {
    m.EconData[7] = converted(km::Val(m.EconData[7]) / 0.1055054762, 2, 6);
    m.EconData[9] = converted(km::Val(m.EconData[9]) / 3.7854125, 2, 6);
  }
  m.DemChgSwitch = f.lines[23].substr(0, 1);
  struct Rule {
    int field;
    double factor;
    int d;
    std::size_t w;
  };
  // The natural-ventilation rate (field 22) goes into litres/s per m2, the SI unit of the
  // project writers (every installed type holds 0 there).
  const Rule rules[] = {{4, 4.882428, 1, 5},       {5, 0.09290304, 1, 5},   {7, 3.7854125, 1, 5},
                        {12, 1 / 0.09290304, 1, 5}, {13, 1 / 0.09290304, 1, 5},
                        {14, 1 / 0.09290304, 1, 5}, {22, 5.0799972, 1, 5}, {24, 0.3048, 1, 5},
                        {25, 10.7639104, 0, 4},     {26, 248.8, 1, 6},       {27, 1 / 3.412141, 1, 6}};
  for (int field = 4; field <= 30; ++field) {
    std::string v = valueText(f.lines[static_cast<std::size_t>(field + 23)]);
    if (si) {
      for (const Rule& r : rules) {
        if (r.field == field) v = converted(km::Val(v) * r.factor, r.d, r.w);
      }
      if (field == 9) {
        // The code directly followed by the rate without its sign position. The rate is
        // converted into the SI unit that the project writers and the zone form use for its
        // code (litres/s per person for "CP", litres/s per m2 for "CS"; "PA" is a percentage)
        // and nothing is put before the code: a blank there would make the writer take the
        // whole text for a bare rate and put "CP" in front of it, and the outdoor air would
        // reach the engine as 0.
        const std::string code = v.substr(0, 2);
        const double factor = code == "CS" ? 5.0799972 : code == "PA" ? 1.0 : 0.47194744;
        v = code + converted(km::Val(v.substr(2)) * factor, 3, 0, false);
      }
    }
    for (int z = 1; z <= 98; ++z) {
      if (field == 5) {
        m.ZonePeople[z] = static_cast<float>(km::Val(v));
      } else {
        m.ZoneData[z][field] = v;
      }
    }
  }
  for (int z = 1; z <= 99; ++z) {
    m.ZoneNatVent[z] = f.lines[54].substr(0, 5);
    m.ZoneDaylight[z] = f.lines[55].substr(0, 5);
    m.ZoneEconCycle[z] = f.lines[56].substr(0, 5);
  }
  m.BldTypeChosen = 1;
  m.StepFlags[1] = 1;
}

// Takes a city's record of the weather library as the weather window builds its block.
inline void loadWeather(km::ProjectModel& m, const std::string& city) {
  RawLines f = readRaw(dataPath("weather/weth.asc"));
  ASSERT_TRUE(f.opened);
  const bool si = m.UnitSystem == km::kSI;
  for (std::size_t k = 0; k + 10 <= f.lines.size(); k += 10) {
    const std::string& l2 = f.lines[k + 1];
    if (l2.rfind("\"" + city + ",", 0) != 0) continue;
    const std::size_t close = l2.find('"', 1);
    const std::string cityString = l2.substr(1, close - 1);
    const std::size_t s1 = l2.find('"', close + 1);
    const std::size_t s2 = l2.find('"', s1 + 1);
    const std::string station = l2.substr(s1 + 1, s2 - s1 - 1);
    std::vector<double> v = numbersOf(l2.substr(s2 + 1));
    const std::string text = trim(cityString);
    const std::size_t mark = text.find_first_of("#*@!");
    const std::string location = trim(text.substr(0, mark)) + " " + text.substr(mark, 1);
    auto box = [](double x) { return km::RightAlign(km::NumberText(km::RoundTo(x, 1)), 5); };
    auto pad6 = [](const std::string& s) { return km::RightAlign(s, 6); };
    std::string elevation = si ? km::NumberText(static_cast<float>(
                                     std::floor(v[3] * 0.3048 * 10 + 0.5) / 10))
                               : km::NumberText(static_cast<float>(v[3]));
    m.ProjectData[3] = location;
    m.WeatherBlock[1] = std::string(51, ' ') + "WMO#  Lat. Long.  STM.  Elev";
    m.WeatherBlock[2] = location + std::string(50 - location.size(), ' ') + station +
                        pad6(box(v[0])) + pad6(box(v[1])) + pad6(box(v[2])) + pad6(elevation);
    m.WeatherBlock[3] =
        "          Jan   Feb   Mar   Apr   May   Jun   Jul   Aug   Sep   Oct   Nov   Dec";
    const char* labels[] = {"DB Ave ", "Ave Std", "DB Max ", "Max Std",
                            "DP Ave ", "DP Std ", "SOLAR  ", "WIND   "};
    for (int r = 0; r < 8; ++r) {
      std::string line = labels[r];
      const std::string& row = f.lines[k + 2 + static_cast<std::size_t>(r)];
      for (std::size_t mo = 0; mo < 12; ++mo) {
        double x = km::Val(cols(row, 1 + 6 * mo, 6));
        if (si) {
          if (r == 0 || r == 2 || r == 4) x = (x - 32) / 1.8;
          if (r == 1 || r == 3 || r == 5) x = x / 1.8;
          if (r == 6) x = x * 11.3565295;
          if (r == 7) x = x * 0.44704;
        }
        const int d = r == 6 ? 0 : 1;
        const double shown = km::Val(km::NumberText(km::RoundTo(x, d)));
        line += km::RightAlign(km::NumberText(km::RoundTo(shown, d)), 6);
      }
      m.WeatherBlock[static_cast<std::size_t>(4 + r)] = line;
    }
    m.StepFlags[2] = 1;
    m.WeatherEntered = 1;
    km::WeatherStatsToIP(m);
    km::ComputeDesignTemps(m);
    m.DesTempsValid = 1;
    return;
  }
  FAIL() << "no weather record for " << city;
}

// The catalogues and default profiles of the first zone description.
inline void loadCataloguesAndProfiles(km::ProjectModel& m, int type) {
  const bool si = m.UnitSystem == km::kSI;
  for (int kind : {6, 7}) {
    RawLines f = readRaw(dataPath("profiles/bprof" + std::to_string(kind) + ".dat"));
    ASSERT_TRUE(f.opened);
    ASSERT_GE(f.lines.size(), 105u);
    for (int e = 0; e < 15; ++e) {
      const std::string* l = &f.lines[static_cast<std::size_t>(7 * e)];
      const int k = static_cast<int>(km::Val(l[0]));
      std::string u = l[2], cost = l[6];
      if (si) {
        u = converted(5.678 * km::Val(u), 3, 6);
        cost = converted(10.764 * km::Val(cost), 2, 6);
      }
      if (kind == 6) {
        m.WallId[k] = km::NumberText(static_cast<float>(k));
        m.WallDesc[k] = l[1];
        m.WallU[k] = u;
        m.WallAbs[k] = l[3];
        m.WallLag[k] = l[4];
        m.WallDecr[k] = l[5];
        m.WallCost[k] = cost;
        if (k != 1 && k != 8 && k != 14) m.WallId[k].clear();
      } else {
        m.WinId[k] = km::NumberText(static_cast<float>(k));
        m.WinDesc[k] = l[1];
        m.WinU[k] = u;
        m.WinShgc[k] = l[3];
        m.WinEmiss[k] = l[4];
        m.WinDlTrans[k] = l[5];
        m.WinCost[k] = cost;
      }
    }
  }
  for (int kind = 1; kind <= 5; ++kind) {
    RawLines f = readRaw(dataPath("profiles/bprof" + std::to_string(kind) + ".dat"));
    ASSERT_TRUE(f.opened);
    km::ProfileKindRef p = km::ProfileKind(m, kind);
    if (kind < 5) {
      p.marks[type] = km::NumberText(static_cast<float>(type));
      p.values[type] = f.lines[static_cast<std::size_t>(type)];
    } else {
      for (int j = 1; j <= 4; ++j) {
        std::string line = f.lines[static_cast<std::size_t>(j)];
        if (si) {
          std::string out;
          for (double t : numbersOf(line)) {
            out += km::RightAlign(km::NumberText(km::RoundTo((t - 32) / 1.8, 0)), 2) + " ";
          }
          line = out;
        }
        p.marks[j] = km::NumberText(static_cast<float>(j));
        p.values[j] = line;
      }
    }
    m.ProfKindEdited[kind] = 1;
    m.ProfKindOpened[kind] = 1;
  }
}

// A one-level sketch: the footprint split into a west zone 1 and an east zone 2.
inline std::string sketchFile(const Sample& s, double floorArea) {
  std::ostringstream out;
  auto line = [&](const std::string& l) { out << l << "\r\n"; };
  auto header = [&](const char* label, const std::string& value) {
    line(std::string(label) + std::string(12 - std::string(label).size(), ' ') + ":" + value);
  };
  header("Grid Size", km::NumberText(static_cast<float>(s.gridSize)));
  header("Orientation", km::NumberText(0));
  header("No. of Flrs", km::NumberText(1));
  header("Room Height", km::NumberText(static_cast<float>(s.roomHeight)));
  header("Floor Area", km::NumberText(static_cast<float>(floorArea)));
  header("Section Area", km::NumberText(static_cast<float>(floorArea)));
  for (int n = 1; n <= 25; ++n) {
    std::string num = std::to_string(n);
    std::string name = n <= s.zones ? s.zoneNames[n - 1] : "Zone 1-" + num;
    line("ZoneName[" + num + std::string(2 - num.size(), ' ') + "]:" + name);
  }
  for (int row = 60; row >= 1; --row) {
    std::string cells(80, '0');
    if (row <= s.rows) {
      for (int c = 1; c <= s.cols; ++c) {
        cells[static_cast<std::size_t>(c - 1)] = s.zones == 1 || c <= s.cols / 2 ? '1' : '2';
      }
    }
    line(cells + " ");
  }
  return out.str();
}

inline void addSurface(km::ProjectModel& m, int z, int16_t wallId, float area, int16_t orient,
                int16_t exposure, int16_t window, float glass, float slope, float sill,
                float top) {
  const int r = ++m.SurfaceCount[z];
  m.SurfWallId[z][r] = wallId;
  m.SurfWallArea[z][r] = area;
  m.SurfOrient[z][r] = orient;
  m.SurfExposure[z][r] = exposure;
  m.SurfShade[z][r] = "N";
  m.SurfWindowId[z][r] = window;
  m.SurfWinArea[z][r] = glass;
  m.SurfSlope[z][r] = slope;
  m.SurfSWB[z][r] = "B";  // every surface counts in summer and winter
  m.SurfBlind[z][r] = 0;
  m.SurfDiffTrans[z][r] = 1;
  m.SurfSillHt[z][r] = sill;
  m.SurfWinTop[z][r] = top;
  m.SurfGrndRefl[z][r] = 0.2f;
}

// Builds the project from the installed data in `base` (a folder with sketch/ and temp/)
// and writes it there as s.file with the project writer; returns the file's path.
inline std::filesystem::path writeProject(const Sample& s, const std::filesystem::path& base) {
  auto m = std::make_unique<km::ProjectModel>();
  m->AppDir = base.string();
  m->UnitSystem = s.units;
  m->WeatherSeed = " .5";
  m->WeeksPerMonth = 4;
  loadBuildingType(*m, s.type);
  loadWeather(*m, s.city);
  if (::testing::Test::HasFatalFailure()) return {};
  m->ProjectData[1] = s.name;
  m->ProjectData[2] = s.description;
  m->ProjectData[6] = "2026";
  const double side = s.gridSize;
  const double zoneWidth = s.cols / s.zones * side, depth = s.rows * side;
  const double zoneArea = zoneWidth * depth;
  const double floorArea = s.zones * zoneArea;
  m->FloorArea = static_cast<float>(floorArea);
  m->ProjectData[8] = km::NumberText(static_cast<float>(floorArea));
  m->ProjectData[7] = km::NumberText(0);
  m->BldOrient = m->ProjectData[7];
  loadCataloguesAndProfiles(*m, s.type);
  if (::testing::Test::HasFatalFailure()) return {};
  const float h = static_cast<float>(s.roomHeight);
  const bool si = s.units == km::kSI;
  const float sill = si ? 0.9f : 3.0f, top = si ? 2.4f : 8.0f;
  m->ZoneCount = static_cast<int16_t>(s.zones);
  for (int z = 1; z <= s.zones; ++z) {
    m->ZoneCode[z] = "1" + std::to_string(z);
    m->ZoneSketchName[z] = s.zoneNames[z - 1];
    m->ZoneFloorArea[z] = static_cast<float>(zoneArea);
    m->ZoneData[z][1] = m->ZoneCode[z];
    m->ZoneData[z][2] = s.zoneNames[z - 1];
    m->ZoneData[z][3] = km::NumberText(static_cast<float>(zoneArea));
    m->ZoneData[z][5] = km::NumberText(
        static_cast<float>(std::floor(zoneArea / m->ZonePeople[z] + 0.7)));
    const float ns = static_cast<float>(zoneWidth) * h, ew = static_cast<float>(depth) * h;
    addSurface(*m, z, 1, ns, 0, 3, 1, 0.3f, 90, sill, top);
    if (s.zones == 1) {
      addSurface(*m, z, 1, ew, 90, 3, 1, 0.2f, 90, sill, top);
      addSurface(*m, z, 1, ew, 270, 3, 1, 0.2f, 90, sill, top);
    } else {
      addSurface(*m, z, 1, ew, z == 1 ? 270 : 90, 3, 1, 0.2f, 90, sill, top);
    }
    addSurface(*m, z, 1, ns, 180, 3, 1, 0.3f, 90, sill, top);
    addSurface(*m, z, 8, static_cast<float>(zoneArea), 0, 6, 0, 0, 0, 0, 0);
    addSurface(*m, z, 14, static_cast<float>(zoneArea), 0, 7, 0, 0, 0, 0, 0);
    m->ZoneOpened[z] = 1;
    m->ZoneLoaded[z] = 1;
  }
  for (int z = s.zones + 1; z <= 98; ++z) m->ZonePeople[z] = 0;
  m->ZonesEntered = 1;
  m->StepFlags[3] = m->StepFlags[4] = m->StepFlags[5] = 1;
  {
    std::ofstream sketch(base / "sketch" / "bld_mtx.all", std::ios::binary);
    sketch << sketchFile(s, floorArea);
  }
  const std::filesystem::path out = base / s.file;
  km::WriteProjectFile(*m, out.string(), si ? "SI" : "IP", km::BodyWriter::AsHeld);
  return out;
}

// A fresh, empty base folder of its own with sketch/ and temp/ (tests run in parallel
// processes).
inline std::filesystem::path freshBase(const std::string& stem) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / "kalvano-data-tests";
  fs::create_directories(root);
  std::string tmpl = (root / (stem + "XXXXXX")).string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a folder under " + root.string());
  fs::create_directories(fs::path(tmpl) / "sketch");
  fs::create_directories(fs::path(tmpl) / "temp");
  return tmpl;
}

// Builds the project in a fresh base folder and returns the written file's bytes.
inline std::string buildSample(const Sample& s) {
  const std::filesystem::path base = freshBase("sample");
  const std::filesystem::path out = writeProject(s, base);
  std::ifstream in(out, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  in.close();
  std::filesystem::remove_all(base);
  return bytes.str();
}

// The installed samples: a small office in inch-pound units and a school in SI units.
inline const Sample kSamples[] = {
    {"SampleProject.inp", km::kInchPound, 24, "Chicago", "SampleProject",
     "Small office", 2, 10, 40, 20, {"Office West", "Office East"}},
    {"SampleSchool.inp", km::kSI, 36, "Denver", "SampleSchool",
     "Elementary school", 1, 3.5, 60, 24, {"Classrooms W", "Classrooms E"}},
};

}  // namespace kalvano::datatest
