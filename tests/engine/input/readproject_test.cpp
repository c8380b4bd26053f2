#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "engine/input/decfac.h"
#include "project_fixture.h"

namespace kv::testing {
namespace {

// ---------------------------------------------------------------------------------------
// A clean project file: what lands where.

class OfficeProject : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { r_ = new ReadResult(readProject(loadFixture("office.inp"))); }
  static void TearDownTestSuite() {
    delete r_;
    r_ = nullptr;
  }
  static const EngineState& s() { return *r_->s; }
  static ReadResult* r_;
};
ReadResult* OfficeProject::r_ = nullptr;

TEST_F(OfficeProject, reads_without_any_error) {
  EXPECT_EQ(r_->errors, 0);
  EXPECT_EQ(r_->count("** ERROR **"), 0) << r_->monitor;
  EXPECT_EQ(r_->count("WARNING"), 0);
}

TEST_F(OfficeProject, project_texts_and_numbers) {
  EXPECT_EQ(s().prjtxt.PTYPE.trimmed(), "Office");
  EXPECT_EQ(s().prjtxt.PNAME.trimmed(), "Test Office Building");
  EXPECT_EQ(s().prjtxt.PSCHM.trimmed(), "A-1");
  EXPECT_EQ(s().prjtxt.PLOC.trimmed(), "MIAMI, FL");  // from the station line
  EXPECT_EQ(s().bldg.WYEAR, 1997.0f);
  EXPECT_EQ(s().runpar.IYEAR, 1997);
  EXPECT_EQ(s().runpar.IDAY2, 365);
  EXPECT_EQ(s().runpar.IDOW1, 4);  // 1 January 1997 was a Wednesday
  EXPECT_EQ(s().mainpg.BORIENT, 45.0f);
  EXPECT_EQ(s().bldg.FLRAREA, 3000.0f);
  EXPECT_EQ(s().bldg.BCOST, 250000.0f);
  EXPECT_EQ(s().bldg.DAYSWK, 5.0f);
  EXPECT_EQ(s().bldg.HOLDYS, 10.0f);
}

TEST_F(OfficeProject, weather_block_station_and_design_temperatures) {
  const WXMON& w = s().wxmon;
  EXPECT_EQ(s().mainpg.STNID.view(), "12839   ");
  EXPECT_FLOAT_EQ(w.XLAT, 25.8f);
  EXPECT_FLOAT_EQ(w.XLONG, 80.3f);
  EXPECT_FLOAT_EQ(w.XMER, 75.0f);
  EXPECT_FLOAT_EQ(w.ELEV, 7.0f);
  EXPECT_FLOAT_EQ(w.TDBM(1), 67.2f);
  EXPECT_FLOAT_EQ(w.TDBS(2), 4.0f);
  EXPECT_FLOAT_EQ(w.TMXM(12), 76.7f);
  EXPECT_FLOAT_EQ(w.TMXS(3), 3.2f);
  EXPECT_FLOAT_EQ(w.TDPM(8), 73.0f);
  EXPECT_FLOAT_EQ(w.TDPS(1), 7.5f);
  EXPECT_FLOAT_EQ(w.SOLM(5), 2072.0f);
  EXPECT_FLOAT_EQ(w.WNDM(12), 9.2f);
  EXPECT_EQ(w.WXLBL(7).view(), "SOLAR   ");
  EXPECT_FLOAT_EQ(w.TDSMX, 91.4f);
  EXPECT_FLOAT_EQ(w.TDSWB, 77.2f);
  EXPECT_FLOAT_EQ(w.TDSMN, 46.8f);
}

TEST_F(OfficeProject, economics_and_demand_charges) {
  EXPECT_EQ(s().bldg.ECON(1), 25.0f);
  EXPECT_FLOAT_EQ(s().bldg.ECON(6), 0.085f);
  EXPECT_FLOAT_EQ(s().bldg.ECON(11), 1.5f);
  EXPECT_EQ(s().mainpg.DEMSW, 'Y');
  ASSERT_EQ(s().bldg.NDEM, 2);
  EXPECT_EQ(s().bldg.DEMKW(1), 100.0f);
  EXPECT_FLOAT_EQ(s().bldg.DEMCST(1), 5.5f);
  EXPECT_EQ(s().bldg.DEMKW(2), 200.0f);
  EXPECT_FLOAT_EQ(s().bldg.DEMCST(2), 6.5f);
}

TEST_F(OfficeProject, wall_and_window_types) {
  const BLDG& b = s().bldg;
  ASSERT_EQ(b.NASM, 2);
  EXPECT_EQ(b.IDWAL(1), 1);
  EXPECT_EQ(s().mainpg.WALDSC(1).trimmed(), "Brick cavity wall");
  EXPECT_EQ(b.LAGWAL(1), 5.0f);  // 4.5 rounds up
  float dec = 0.0f;
  DECFAC(0.1f, dec, 5.0f);
  EXPECT_EQ(b.DECWAL(1), dec);   // given as 0: computed
  EXPECT_FLOAT_EQ(b.DECWAL(2), 0.35f);  // given: kept
  EXPECT_FLOAT_EQ(b.CSTWAL(1), 12.5f);
  ASSERT_EQ(b.NGLS, 2);
  EXPECT_FLOAT_EQ(b.EMWIN(1), 0.84f);  // 0.9 is capped
  EXPECT_FLOAT_EQ(b.EMWIN(2), 0.84f);  // 0 means the default
  EXPECT_FLOAT_EQ(b.VTWIN(1), 0.78f);
  EXPECT_FLOAT_EQ(b.VTWIN(2), 0.4f);   // 0 copies the SHGC
}

TEST_F(OfficeProject, profiles_in_percent_become_fractions_and_temperatures_stay) {
  const BLDG& b = s().bldg;
  EXPECT_EQ(s().prjtxt.PKIND(1).view(), "Occ ");
  EXPECT_EQ(s().prjtxt.PKIND(5).view(), "Temp");
  EXPECT_EQ(b.NOPROF(1, 1), 1);
  EXPECT_EQ(b.NOPROF(1, 2), 99);
  EXPECT_FLOAT_EQ(b.PROF(1, 1, 8), 0.5f);
  EXPECT_FLOAT_EQ(b.PROF(1, 1, 9), 1.0f);
  EXPECT_FLOAT_EQ(b.PROF(2, 1, 24), 1.0f);
  for (int h = 1; h <= 24; ++h) EXPECT_FLOAT_EQ(b.PROF(3, 1, h), 0.016f);  // 12 values only
  EXPECT_FLOAT_EQ(b.PROF(4, 1, 1), 0.05f);
  EXPECT_FLOAT_EQ(b.PROF(4, 1, 24), 0.5f);
  EXPECT_EQ(b.PROF(5, 1, 1), 70.0f);
  EXPECT_EQ(b.PROF(5, 1, 24), 78.0f);
  EXPECT_EQ(b.NOPROF(5, 2), 2);
  EXPECT_EQ(b.NOPROF(5, 3), 99);
}

TEST_F(OfficeProject, zones_and_their_derived_loads) {
  const BLDG& b = s().bldg;
  ASSERT_EQ(b.NZ, 3);
  EXPECT_EQ(b.IZONE(1), 11);
  EXPECT_EQ(b.IZONE(3), 21);
  EXPECT_EQ(s().prjtxt.ZNAME(2).trimmed(), "Office South");
  EXPECT_FLOAT_EQ(b.ZLOAD(1, 1), 10.0f);
  EXPECT_FLOAT_EQ(b.ZLOAD(2, 1), 15.0f);   // 1.5 gal per person
  EXPECT_FLOAT_EQ(b.ZLOAD(3, 1), 200.0f);  // CP20 with 10 people
  EXPECT_FLOAT_EQ(b.ZLOAD(3, 2), 300.0f);  // CS.15 on 2,000 ft2
  EXPECT_FLOAT_EQ(b.ZLOAD(3, 3), 0.3f);    // PA30
  EXPECT_FLOAT_EQ(b.ZLOAD(4, 2), 3.0f);    // 1.5 W/ft2 on 2,000 ft2
  EXPECT_FLOAT_EQ(b.EQUIP(2), 1.5f);       // 0.75 W/ft2 on 2,000 ft2
  EXPECT_EQ(s().chtab.OACODE(2).view(), "CS ");
  EXPECT_EQ(b.LTYPE(2), 3);
  EXPECT_EQ(b.IPROF(6, 1), 2);
  EXPECT_EQ(b.DLFLG(1), 'Y');
  EXPECT_EQ(b.NVFLG(1), 'N');
  EXPECT_EQ(b.ECFLG(1), 'Y');
  EXPECT_EQ(s().mainpg.IDAYLT, 1);
  EXPECT_EQ(b.LASTSURF(1), 2);
  EXPECT_EQ(b.LASTSURF(2), 4);  // its surface without area is dropped
  EXPECT_EQ(b.LASTSURF(3), 5);
}

TEST_F(OfficeProject, surfaces_geometry_and_devices) {
  const BLDG& b = s().bldg;
  // A wall written with slope 0 is vertical; 330 + 45 comes round to 15.
  EXPECT_FLOAT_EQ(b.SINTLT(1), 1.0f);
  EXPECT_NEAR(b.COSTLT(1), 0.0f, 1e-3);
  EXPECT_FLOAT_EQ(b.ORIENT(1), 15.0f);
  EXPECT_EQ(b.IDEV(1), 'H');
  EXPECT_FLOAT_EQ(b.DOVH(1), 2.0f);  // T0.5 on a 4 ft window
  EXPECT_EQ(b.SHDC(1, 1), 'T');
  EXPECT_EQ(b.SHDC(2, 1), 'N');
  EXPECT_FLOAT_EQ(b.TDIFF(1), 1.0f);  // 0 means no shade
  // A roof with slope 0 stays horizontal and is not turned.
  EXPECT_EQ(b.SINTLT(2), 0.0f);
  EXPECT_EQ(b.ORIENT(2), 0.0f);
  // The light shelf takes the transmittance of the window type whose I.D. it names.
  EXPECT_EQ(b.IDEV(3), 'L');
  EXPECT_EQ(b.DOVH(3), 0.0f);
  EXPECT_FLOAT_EQ(b.DSHD(3), 2.0f);
  EXPECT_FLOAT_EQ(b.DSHLF(3), 2.5f);
  EXPECT_FLOAT_EQ(b.TDIFF(3), 1.0f);
  EXPECT_FLOAT_EQ(b.RSHLF(3), 0.9f);
  EXPECT_FLOAT_EQ(b.TSHLF(3), 0.4f);
  EXPECT_FLOAT_EQ(b.ORIENT(3), 195.0f);
  // The next kept surface of zone 2 took the dropped one's slot.
  EXPECT_FLOAT_EQ(b.ORIENT(4), 315.0f);
  EXPECT_FLOAT_EQ(b.EXPOS(4), 7.0f);
  EXPECT_FLOAT_EQ(b.TDIFF(4), 0.8f);
  EXPECT_EQ(b.DSHLF(4), 0.0f);
  EXPECT_EQ(b.SWBFLG(4), 'W');
  EXPECT_FLOAT_EQ(b.ORIENT(5), 75.0f);  // a tilted roof is turned
}

TEST_F(OfficeProject, zone_heights_come_from_the_level_and_never_from_a_name) {
  const BLDG& b = s().bldg;
  EXPECT_EQ(b.ZHGT(1), 10.0f);
  EXPECT_EQ(b.ZHGT(2), 10.0f);  // its sketch name holds "12" in columns 35-36
  EXPECT_EQ(b.ZHGT(3), 12.0f);  // level 2
}

TEST_F(OfficeProject, monitor_progress_lines) {
  const auto& r = *r_;
  EXPECT_TRUE(r.hasLine("zone   1 read successfully.      "));
  EXPECT_TRUE(r.hasLine("zone   3 read successfully.      "));
  EXPECT_EQ(r.count("wall   4 read successfully.      "), 2);  // the dropped one and its successor
  EXPECT_TRUE(r.hasLine("Completed zone input for   3 zones. "));
  EXPECT_TRUE(r.hasLine("         WEATHER DATA READ FOR MIAMI, FL" + std::string(33, ' ')));
  EXPECT_TRUE(r.hasLine("    **** Processing Input For KW Demand Rate Schedule  "));
  EXPECT_TRUE(r.hasLine("         Input Completed for Use Profiles Data        "));
  EXPECT_EQ(r.count("Results:     0 ERRORS DETECTED."), 7);
  // One page for the weather, one for the walls, one per zone pass (the last meets "BUIL"):
  // the front-end's report holds section I on a page of its own before the zone pages.
  EXPECT_EQ(s().runpar.NPAGE, 1 + 1 + 1 + 4);
}

TEST_F(OfficeProject, weather_summary_gets_the_two_head_lines_from_column_11) {
  const Lines l = splitLines(r_->summary);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], std::string(142, ' '));
  EXPECT_EQ(l[1], std::string(10, ' ') + std::string(" Long.  STM.  Elev  MIAMI, FL").append(103, ' '));
}

TEST_F(OfficeProject, comfort_report_title_and_project_block) {
  const Lines l = splitLines(r_->comfort);
  ASSERT_EQ(l.size(), 5u);
  EXPECT_EQ(l[0], "IX.   S P A C E   T E M P E R A T U R E S   &   RH:");
  EXPECT_EQ(l[1], std::string(6, ' ') + std::string(45, '-'));
  EXPECT_EQ(l[2].substr(0, 33), "*** PROJECT: Test Office Building");
  EXPECT_EQ(l[2].substr(87), "LOCATION: MIAMI, FL" + std::string(21, ' '));
  EXPECT_EQ(l[4].substr(4, 16), "SCHEME: A-1     ");
  EXPECT_EQ(l[4].substr(62), "Weather Year: 1997       Date of Run: 10 DEC  2026,  9: 5");
}

// The building matrix: heights by level, every level to the end of the file.
struct MatrixCase {
  const char* name;
  std::function<void(Lines&)> change;
  int zones;                   // NZ
  std::vector<float> heights;  // ZHGT(1..NZ)
};

// The lines of the second level block, from its "Grid" line to the end of the file.
Lines secondLevel(const Lines& l) {
  return Lines(l.begin() + static_cast<long>(find(l, "Grid Size", 2)), l.end());
}

class Matrix : public ::testing::TestWithParam<MatrixCase> {};

TEST_P(Matrix, gives_each_zone_the_height_of_its_level) {
  const auto& c = GetParam();
  Lines l = loadFixture("office.inp");
  c.change(l);
  const auto r = readProject(l);
  EXPECT_EQ(r.errors, 0) << r.monitor;
  ASSERT_EQ(r.s->bldg.NZ, c.zones);
  for (int i = 1; i <= c.zones; ++i)
    EXPECT_EQ(r.s->bldg.ZHGT(i), c.heights[static_cast<std::size_t>(i - 1)]) << "zone " << i;
}

const MatrixCase kMatrixCases[] = {
    {"as_written", [](Lines&) {}, 3, {10, 10, 12}},
    {"more_levels_than_kept_zones",
     [](Lines& l) {
       setValue(l, "Flr. Area ", " 0 ", 1);
       setValue(l, "Flr. Area ", " 0 ", 2);
     },
     1, {12}},
    {"a_third_level",
     [](Lines& l) {
       setValue(l, "Zone No.  ", " 31 ", 3);
       Lines third = secondLevel(l);
       third[find(third, "Room Height")] = "Room Height : 14 ";
       l.insert(l.end(), third.begin(), third.end());
     },
     3, {10, 10, 14}},
    {"a_level_of_more_than_200_grid_rows",
     [](Lines& l) {
       const std::size_t at = find(l, "Grid Size", 2);
       l.insert(l.begin() + static_cast<long>(at), 250, "1111122222 ");
     },
     3, {10, 10, 12}},
    {"zone_slot_12_of_level_2_is_zone_212",
     [](Lines& l) {
       setValue(l, "Zone No.  ", " 212 ", 3);
       l[find(l, "ZoneName[12]", 2)] = "ZoneName[12]:Upper store";
     },
     3, {10, 10, 12}},
    {"a_zone_of_a_level_the_sketch_lacks_keeps_0",
     [](Lines& l) { setValue(l, "Zone No.  ", " 41 ", 3); }, 3, {10, 10, 0}},
    {"no_grid_line_after_the_matrix_line",
     [](Lines& l) { l.resize(findExact(l, "BUILDING MATRIX") + 1); l.push_back("Something else"); },
     3, {0, 0, 0}},
    {"the_file_ends_at_the_matrix_line",
     [](Lines& l) { l.resize(findExact(l, "BUILDING MATRIX") + 1); }, 3, {0, 0, 0}},
    {"the_file_ends_inside_a_level",
     [](Lines& l) { l.resize(find(l, "ZoneName[3 ]", 2)); }, 3, {10, 10, 12}},
};
INSTANTIATE_TEST_SUITE_P(ProjectReader, Matrix, ::testing::ValuesIn(kMatrixCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectReader, a_passive_run_titles_the_comfort_report_as_floating) {
  const auto r = readProject(loadFixture("office.inp"), 4);
  const Lines l = splitLines(r.comfort);
  ASSERT_GE(l.size(), 2u);
  EXPECT_EQ(l[0], "IX.   F L O A T I N G   S P A C E   T E M P E R A T U R E S  (w/o  A/C):");
  EXPECT_EQ(l[1], std::string(6, ' ') + std::string(66, '-'));
}

TEST(ProjectReader, reads_lf_files_like_crlf_files) {
  const auto r = readProject(loadFixture("office.inp"), 3, false);
  EXPECT_EQ(r.errors, 0);
  EXPECT_EQ(r.s->bldg.NZ, 3);
  EXPECT_EQ(r.s->prjtxt.ZNAME(1).trimmed(), "Office North");
}

}  // namespace
}  // namespace kv::testing
