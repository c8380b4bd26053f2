#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "project_fixture.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kalvano::model {
namespace {
using test::FillSmallProject;
using test::FixturePath;
using test::Hours;
using test::NewModel;
using test::TempBase;

// The n-th line (from 0) that begins with `prefix`.
std::string lineWith(const std::vector<std::string>& lines, const std::string& prefix,
                     int nth = 0) {
  for (const std::string& l : lines)
    if (l.rfind(prefix, 0) == 0 && nth-- == 0) return l;
  return "<no line " + prefix + ">";
}

// A monthly row of 12 equal values in 6-character fields.
std::string row(const std::string& label, const std::string& value) {
  std::string r = label;
  for (int i = 0; i < 12; ++i) r += RightAlign(value, 6);
  return r;
}

void setRows(ProjectModel& m, const std::array<std::string, 8>& values) {
  const char* labels[] = {"DB Ave ", "Ave Std", "DB Max ", "Max Std",
                          "DP Ave ", "DP Std ", "SOLAR  ", "WIND   "};
  for (int r = 0; r < 8; ++r) m.WeatherBlock[r + 4] = row(labels[r], values[r]);
}

struct Expect {
  std::string prefix;
  int nth;
  std::string line;
};

class ConvertingWriter : public ::testing::Test {
 protected:
  ConvertingWriter() : m(NewModel(base.dir())) {
    base.write("sketch/bld_mtx.all", TempBase::slurp(FixturePath("bld_mtx_one_level.all")));
    FillSmallProject(*m);
  }
  std::vector<std::string> write(BodyWriter body, std::string_view tag) {
    EXPECT_FALSE(WriteProjectFile(*m, "out.inp", tag, body));
    return SplitLines(base.read("out.inp"));
  }
  void check(const std::vector<std::string>& lines, const std::vector<Expect>& table) {
    for (const Expect& e : table) EXPECT_EQ(lineWith(lines, e.prefix, e.nth), e.line);
  }
  void setZone(int z, const std::vector<std::pair<int, std::string>>& fields) {
    for (const auto& [f, v] : fields) m->ZoneData[z][f] = v;
  }
  TempBase base;
  std::unique_ptr<ProjectModel> m;
};

TEST_F(ConvertingWriter, si_model_is_written_in_inch_pound_units) {
  m->UnitSystem = kSI;
  m->ProjectData[8] = "1000";
  m->ProjectData[9] = "100";
  m->WeatherBlock[2] = std::string(50, ' ') + "722020  25.8  80.3   5.0  1000";
  setRows(*m, {"7.3", "2.5", "7.2", "-1", "0", ".5", "17034", "4.5"});
  m->DesTemps = {"", "35", "33.3", "-5"};
  m->EconData[7] = "9.478181";
  m->EconData[9] = ".264172";
  m->WallU[1] = "2.839";
  m->WallCost[1] = "10.76391";
  m->WinU[1] = "3.4";
  m->TempProfile[1] = Hours("20");
  setZone(1, {{3, "100"}, {4, "100"}, {7, "10"}, {9, "CP10"}, {12, "10.76391"},
              {13, "10.76391"}, {14, "21.52782"}, {22, "5.0799972"}, {24, "3"}, {25, "500"},
              {26, "248.8"}, {27, "3"}, {28, "2.5"}});
  setZone(2, {{9, "cs1"}, {3, ""}, {27, ""}});
  m->SurfWallArea[1][1] = 10;
  m->SurfWinArea[1][1] = 2;
  m->SurfSillHt[1][1] = 1;
  m->SurfWinTop[1][1] = 2;
  base.write("sketch/bld_mtx.all",
             "Grid Size   : .6096 \r\nOrientation : 30 \r\nNo. of Flrs : 1 \r\n"
             "Room Height : 3 \r\nFloor Area  : 92.90304 \r\nSection Area: 9.290304 \r\n"
             "ZoneName[1 ]:Office\r\nrow-1 \r\n");
  auto lines = write(BodyWriter::ToInchPound, "SI");
  EXPECT_EQ(lines[0], "KAL-VANO   .7055475  2  SI");
  check(lines, {
      {"FloorArea ", 0, "FloorArea   10763.9"},
      {"Con. Cost ", 0, "Con. Cost   9.3"},
      {"DB Ave ", 0, row("DB Ave ", "45.1")},
      {"Ave std", 0, row("Ave std", "4.5")},
      {"DB Max ", 0, row("DB Max ", "45")},
      {"Max std", 0, row("Max std", "-1.8")},
      {"DP Ave ", 0, row("DP Ave ", "32")},
      {"DP std ", 0, row("DP std ", ".9")},
      {"SOLAR  ", 0, row("SOLAR  ", "1500")},
      {"WIND   ", 0, row("WIND   ", "10.1")},
      {"DesTemps  ", 0, "DesTemps      95   91.9     23 "},
      {"Gas  Cost ", 0, "Gas  Cost   1"},
      {"Gas  Esc. ", 0, "Gas  Esc. 2"},
      {"WaterCost ", 0, "WaterCost   1"},
      {"Elec.Cost ", 0, "Elec.Cost .08"},
      {"U-Factor  ", 0, "U-Factor    .5"},
      {"Ins. Cost ", 0, "Ins. Cost   1"},
      {"U-Factor  ", 2, "U-Factor    .599"},
      {"Solar Abs ", 0, "Solar Abs .7"},
      {"Flr. Area ", 0, "Flr. Area  1076.4"},
      {"Int. Mass ", 0, "Int. Mass  20.5"},
      {"No.People ", 0, "No.People 8"},
      {"HW/person ", 0, "HW/person  2.6"},
      {"OA CFM    ", 0, "OA CFM    CP21.2"},
      {"Cost/sqft ", 0, "Cost/sqft  1"},
      {"Watt/sqft ", 0, "Watt/sqft  1"},
      {"EquipLoad ", 0, "EquipLoad  2"},
      {"CFM/sqft. ", 0, "CFM/sqft.  1"},
      {"DL Depth  ", 0, "DL Depth   9.8"},
      {"Target FC ", 0, "Target FC  46"},
      {"Stat.Pres ", 0, "Stat.Pres  1"},
      {"Cool SEER ", 0, "Cool SEER  10.2"},
      {"Heat COP  ", 0, "Heat COP  2.5"},
      {"Inf. Rate ", 0, "Inf. Rate .5"},
      {"OA CFM    ", 1, "OA CFM    CS.197"},
      {"Flr. Area ", 1, "Flr. Area  0"},
      {"Cool SEER ", 1, "Cool SEER  0"},
      {"Wall Area ", 0, "Wall Area  107.6"},
      {"Win. Area ", 0, "Win. Area  21.5"},
      {"Sill High ", 0, "Sill High  3.3"},
      {"Window Ht ", 0, "Window Ht  6.6"},
      {"Rf/Wl Slp ", 0, "Rf/Wl Slp  90 "},
      {"WallOrien ", 0, "WallOrien  180 "},
      {"Grid Size", 0, "Grid Size   : 2 "},
      {"Orientation", 0, "Orientation : 30 "},
      {"Room Height", 0, "Room Height : 9.8 "},
      {"Floor Area ", 0, "Floor Area  : 1000 "},
      {"Section Area", 0, "Section Area: 100 "},
      {"ZoneName[1 ]", 0, "ZoneName[1 ]:Office"},
      {"row-1", 0, "row-1 "},
  });
  std::string station = lineWith(lines, "WMO#", 0);
  std::size_t at = 0;
  while (lines[at] != "WEATHER") ++at;
  EXPECT_EQ(lines[at + 2].size(), 75u + 6u);
  EXPECT_EQ(lines[at + 2].substr(0, 74), m->WeatherBlock[2].substr(0, 74));
  EXPECT_EQ(lines[at + 2].substr(75), "  3280");
  EXPECT_EQ(lineWith(lines, "Temp") , "Temp");
  std::string temp;
  for (int h = 0; h < 24; ++h) temp += "  68";
  EXPECT_EQ(lineWith(lines, "  68"), temp);
  // The model is not changed by a converting writer.
  EXPECT_EQ(m->ZoneData[1][9], "CP10");
  EXPECT_EQ(m->ZoneData[2][9], "cs1");
  EXPECT_EQ(m->UnitSystem, kSI);
}

TEST_F(ConvertingWriter, inch_pound_model_is_written_in_si_units) {
  m->ProjectData[8] = "10763.9";
  m->ProjectData[9] = "9.29";
  m->WeatherBlock[2] = std::string(50, ' ') + "722020  25.8  80.3   5.0  3280";
  setRows(*m, {"50", "9", "45", "1", "33", "2", "1500", "10"});
  m->DesTemps = {"", "95", "77", "-4"};
  m->EconData[7] = "1";
  m->EconData[9] = "1";
  m->WallU[1] = ".5";
  m->WallCost[1] = "1";
  m->TempProfile[1] = " " + Hours("68") + " ";
  setZone(1, {{3, "1000"}, {4, "20"}, {7, "10"}, {9, "20"}, {12, "1"}, {13, "1"}, {14, "2"},
              {22, "1"}, {24, "10"}, {25, "50"}, {26, "1"}, {27, "10"}});
  setZone(2, {{9, "PA30"}});
  m->SurfWallArea[1][1] = 1000;
  m->SurfSillHt[1][1] = 3;
  m->SurfWinTop[1][1] = 7;
  auto lines = write(BodyWriter::ToSI, "SI");
  check(lines, {
      {"FloorArea ", 0, "FloorArea   1000"},
      {"Con. Cost ", 0, "Con. Cost   100"},
      {"DB Ave ", 0, row("DB Ave ", "10")},
      {"Ave std", 0, row("Ave std", "5")},
      {"DB Max ", 0, row("DB Max ", "7.2")},
      {"Max std", 0, row("Max std", ".6")},
      {"DP Ave ", 0, row("DP Ave ", ".6")},
      {"DP std ", 0, row("DP std ", "1.1")},
      {"SOLAR  ", 0, row("SOLAR  ", "17034")},
      {"WIND   ", 0, row("WIND   ", "4.5")},
      {"DesTemps  ", 0, "DesTemps     35    25   -20 "},
      {"Gas  Cost ", 0, "Gas  Cost   9.48"},
      {"WaterCost ", 0, "WaterCost   .26"},
      {"U-Factor  ", 0, "U-Factor   2.839"},
      {"Ins. Cost ", 0, "Ins. Cost  10.76"},
      {"Flr. Area ", 0, "Flr. Area  93"},
      {"Int. Mass ", 0, "Int. Mass  97.6"},
      {"HW/person ", 0, "HW/person  37.9"},
      {"OA CFM    ", 0, "OA CFM    CP9.4"},
      {"OA CFM    ", 1, "OA CFM    PA30"},
      {"Cost/sqft ", 0, "Cost/sqft  10.76"},
      {"Watt/sqft ", 0, "Watt/sqft  10.76"},
      {"EquipLoad ", 0, "EquipLoad  21.53"},
      {"Litre/sec ", 0, "Litre/sec  5.1"},
      {"DL Depth  ", 0, "DL Depth   3"},
      {"Target FC ", 0, "Target FC  538"},
      {"Stat.Pres ", 0, "Stat.Pres  248.8"},
      {"Cool SEER ", 0, "Cool SEER  2.9"},
      {"Wall Area ", 0, "Wall Area  92.9"},
      {"Sill High ", 0, "Sill High  .9"},
      {"Window Ht ", 0, "Window Ht  2.1"},
      {"Grid Size", 0, "Grid Size   : .61 "},
      {"Room Height", 0, "Room Height : 3.05 "},
      {"Floor Area ", 0, "Floor Area  : 104.1 "},
  });
  std::size_t at = 0;
  while (lines[at] != "WEATHER") ++at;
  EXPECT_EQ(lines[at + 2].substr(75), "  1000");
  std::string temp;
  for (int h = 0; h < 24; ++h) temp += "   20";
  EXPECT_EQ(lineWith(lines, "   20"), temp);
  // The grid rows follow the sketch's size: 60 rows, then the end of the file.
  EXPECT_EQ(lines.size(), 1 + 197 + 91 - 0u);
}

TEST_F(ConvertingWriter, cs_rate_and_empty_outdoor_air_follow_their_rules) {
  setZone(1, {{9, "CS.1"}});
  setZone(2, {{9, ""}});
  auto lines = write(BodyWriter::ToSI, "SI");
  EXPECT_EQ(lineWith(lines, "OA CFM    ", 0), "OA CFM    CS.508");
  EXPECT_EQ(lineWith(lines, "OA CFM    ", 1), "OA CFM    CP0");
  // An empty project or economics item stays "0.0" and is not converted.
  m->ProjectData[8].clear();
  m->EconData[7].clear();
  lines = write(BodyWriter::ToSI, "SI");
  EXPECT_EQ(lineWith(lines, "FloorArea "), "FloorArea 0.0");
  EXPECT_EQ(lineWith(lines, "Gas  Cost "), "Gas  Cost 0.0");
}

TEST_F(ConvertingWriter, design_temperatures_are_recomputed_only_when_missing) {
  // SI writer: valid design temperatures are kept (converted), stale ones recomputed.
  m->DesTemps = {"", "95", "77", "-4"};
  m->DesTempsValid = 1;
  write(BodyWriter::ToSI, "SI");
  EXPECT_EQ(m->DesTemps[1], "95");
  m->DesTempsValid = 0;
  auto lines = write(BodyWriter::ToSI, "SI");
  // Recomputed in inch-pound units from the Miami statistics: 89.0 + 2.11 x 1.4 = 92.0 F.
  EXPECT_EQ(m->DesTemps[1], " 92");
  EXPECT_EQ(lineWith(lines, "DesTemps  ").substr(0, 15), "DesTemps   33.3");
  // IP writer: an edited value is kept; a missing one is computed (in the model's units).
  m->UnitSystem = kSI;
  m->DesTemps = {"", "30", "20", "5"};
  m->DesTempsValid = 0;
  EXPECT_EQ(lineWith(write(BodyWriter::ToInchPound, "SI"), "DesTemps  "),
            "DesTemps      86     68     41 ");
  m->DesTemps[1].clear();
  write(BodyWriter::ToInchPound, "SI");
  EXPECT_FALSE(m->DesTemps[1].empty());
}

TEST_F(ConvertingWriter, inch_pound_writer_keeps_every_surface_row) {
  m->UnitSystem = kSI;
  m->SurfWindowId[1][1] = 0;  // a wall without a window comes first
  m->SurfExposure[1][2] = 0;
  auto lines = write(BodyWriter::ToInchPound, "SI");
  int rows = 0;
  for (const auto& l : lines) rows += l.rfind("Wall ID.  ", 0) == 0;
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(lineWith(lines, "Window ID ", 0), "Window ID  0 ");
}

TEST_F(ConvertingWriter, grid_rows_per_level_follow_the_zone_name_count) {
  auto level = [](int names, int rows) {
    std::string s = "Grid Size   : 2 \r\nOrientation : 0 \r\nNo. of Flrs : 1 \r\n"
                    "Room Height : 10 \r\nFloor Area  : 100 \r\nSection Area: 100 \r\n";
    for (int n = 1; n <= names; ++n) s += "ZoneName[" + std::to_string(n) + "]:\r\n";
    for (int r = 0; r < rows; ++r) s += "0000 \r\n";
    return s;
  };
  struct Case {
    int names, rows;
    int16_t gridRows;
    BodyWriter body;
  };
  const Case cases[] = {{10, 31, 60, BodyWriter::ToSI},
                        {10, 31, 60, BodyWriter::ToInchPound},
                        {25, 40, 40, BodyWriter::ToSI},
                        {25, 60, 40, BodyWriter::ToInchPound}};
  for (const auto& c : cases) {
    base.write("sketch/bld_mtx.all", level(c.names, c.rows) + level(c.names, c.rows));
    m->GridRows = c.gridRows;
    auto lines = write(c.body, "IP");
    std::size_t at = 0;
    while (lines[at] != "BUILDING MATRIX") ++at;
    std::vector<std::string> matrix(lines.begin() + static_cast<long>(at) + 1, lines.end());
    ASSERT_EQ(matrix.size(), 2u * (6 + c.names + c.rows)) << c.names << " " << c.rows;
    EXPECT_EQ(matrix[static_cast<std::size_t>(6 + c.names + c.rows)].substr(0, 9), "Grid Size");
  }
}

// A window area of 1.0 or less is a fraction of its wall: both converting writers keep it,
// so an SI project's glazing fractions reach the engine as fractions.
TEST_F(ConvertingWriter, window_fractions_are_not_converted) {
  struct Case {
    int16_t units;
    BodyWriter writer;
    const char* tag;
  };
  for (const Case& c : {Case{kSI, BodyWriter::ToInchPound, "SI"}, Case{kInchPound, BodyWriter::ToSI, "SI"}}) {
    m->UnitSystem = c.units;
    m->SurfWallArea[1][1] = 100;
    m->SurfWinArea[1][1] = .3f;
    auto lines = write(c.writer, c.tag);
    EXPECT_EQ(lineWith(lines, "Win. Area ", 0).substr(0, 13), "Win. Area  .3") << c.tag;
    m->SurfWinArea[1][1] = 1.5f;  // an area
    lines = write(c.writer, c.tag);
    EXPECT_NE(lineWith(lines, "Win. Area ", 0), "Win. Area  1.5 ");
  }
}

}  // namespace
}  // namespace kalvano::model
