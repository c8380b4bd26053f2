// The installed building-type defaults, profile libraries and construction catalogues, in the
// layouts their loaders (start-up, project information, zone description, catalogue editor)
// take them in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <utility>

#include "data_files.h"

using namespace kalvano::datatest;

namespace {

// The "Building Type" menu captions, in menu order: type n reads bdtype<n>.dat.
const char* const kTypeNames[42] = {
    "Auditorium", "Automotive facility", "Bank building", "Convention center", "Court house",
    "Dining: bar lounge/ leisure", "Dining: Cafeteria/ fast food", "Dining: Family",
    "Dormitory", "Exercise center", "Fire station", "Grocery store", "Gymnasium",
    "Healthcare/ clinic/ nursing home", "Hospital", "Hotel", "Laundromat", "Library",
    "Manufacturing facility/ plant", "Motel", "Motion picture theater", "Museum",
    "Nursing Home", "Office building", "Parking garage", "Penitentiary",
    "Performing arts theater", "Police station", "Post office", "Religious building",
    "Residential: single/ multi-family", "Restaurant: Bar lounge/ leisure",
    "Restaurant: Cafeteria/ fast food", "Restaurant: Family", "Retail store/ showroom",
    "School/ Elementary", "School/ Secondary/ University", "Sports arena", "Town hall",
    "Transportation/ bus/ airport", "Warehouse", "Workshop"};

std::string typeFile(int n) { return dataPath("btype/bdtype" + std::to_string(n) + ".dat"); }

TEST(BuildingTypeDefaults, FortyTwoFilesOfFiftySevenLinesInTheLoadersLayout) {
  for (int n = 1; n <= 42; ++n) {
    SCOPED_TRACE(n);
    RawLines f = readRaw(typeFile(n));
    ASSERT_TRUE(f.opened);
    EXPECT_TRUE(f.allCrlf);
    ASSERT_EQ(f.lines.size(), 57u);
    const auto& L = f.lines;  // L[i] is line i + 1
    // Line 1: the caption, a blank and the two-character type number, which the start-up
    // turns into "<nn> <caption>".
    const std::string code = (n < 10 ? "0" : "") + std::to_string(n);
    EXPECT_EQ(L[0], std::string(kTypeNames[n - 1]) + " " + code);
    EXPECT_EQ(L[0].substr(L[0].size() - 2) + " " + L[0].substr(0, L[0].size() - 3),
              code + " " + kTypeNames[n - 1]);
    for (std::size_t i = 1; i < 54; ++i) {
      EXPECT_LE(L[i].size(), 20u) << "line " << i + 1;  // the loader keeps 20 characters
      EXPECT_EQ(L[i], trim(L[i])) << "line " << i + 1;
    }
    for (std::size_t i : {8u, 9u, 10u, 11u}) EXPECT_TRUE(number(L[i])) << "line " << i + 1;
    EXPECT_GT(*number(L[8]), 0.0);  // floor area
    auto days = number(L[10]);
    ASSERT_TRUE(days);
    EXPECT_GE(*days, 1.0);
    EXPECT_LE(*days, 7.0);
    // Economics: lives in years, rates and escalations as fractions, costs.
    for (std::size_t i = 12; i <= 22; ++i) {
      auto v = number(L[i]);
      ASSERT_TRUE(v) << "line " << i + 1;
      EXPECT_GT(*v, 0.0);
      if (i == 15 || i == 16 || i == 18 || i == 20 || i == 22) {
        EXPECT_LT(*v, 1.0);
      }
    }
    EXPECT_GT(*number(L[19]), 0.3);  // gas per therm, not per kBtu
    EXPECT_TRUE(L[23] == "Y" || L[23] == "N");
    // Zone fields 4 to 30 on lines 28 to 54: field f on line f + 24.
    auto field = [&](int f) { return L[static_cast<std::size_t>(f + 23)]; };
    for (int f = 4; f <= 30; ++f) {
      if (f == 9) continue;
      EXPECT_TRUE(number(field(f))) << "field " << f << ": " << field(f);
    }
    auto perPerson = number(field(5));
    ASSERT_TRUE(perPerson);
    EXPECT_GT(*perPerson, 1.0);  // floor area per person, not a head count
    for (int f : {6, 8, 10, 15}) EXPECT_EQ(number(field(f)), n) << "field " << f;
    for (int f = 16; f <= 19; ++f) EXPECT_EQ(number(field(f)), f - 15) << "field " << f;
    const std::string oa = field(9);
    ASSERT_GE(oa.size(), 3u);
    EXPECT_TRUE(oa.rfind("CP", 0) == 0 || oa.rfind("CS", 0) == 0 || oa.rfind("PA", 0) == 0) << oa;
    EXPECT_TRUE(number(oa.substr(2))) << oa;
    EXPECT_GE(*number(field(11)), 1.0);
    EXPECT_LE(*number(field(11)), 6.0);
    EXPECT_GE(*number(field(20)), 1.0);
    EXPECT_LE(*number(field(20)), 9.0);
    EXPECT_GE(*number(field(21)), 1.0);
    EXPECT_LE(*number(field(21)), 3.0);
    EXPECT_GT(*number(field(27)), 0.0);
    EXPECT_GT(*number(field(28)), 0.0);
    for (std::size_t i = 54; i < 57; ++i) {
      EXPECT_TRUE(L[i] == "Yes" || L[i] == "No") << "line " << i + 1 << ": [" << L[i] << "]";
    }
  }
}

struct ProfileLibrary {
  const char* file;
  const char* kind;
};

TEST(ProfileLibraries, HeadingThenOneProfileOfTwentyFourPercentagesPerType) {
  const ProfileLibrary libs[] = {{"profiles/bprof1.dat", "occupancy"},
                                 {"profiles/bprof2.dat", "hot water"},
                                 {"profiles/bprof3.dat", "ventilation"},
                                 {"profiles/bprof4.dat", "lighting"}};
  for (const ProfileLibrary& lib : libs) {
    SCOPED_TRACE(lib.kind);
    RawLines f = readRaw(dataPath(lib.file));
    ASSERT_TRUE(f.opened);
    EXPECT_TRUE(f.allCrlf);
    ASSERT_GE(f.lines.size(), 43u);
    for (std::size_t n = 1; n <= 42; ++n) {
      std::vector<double> v = numbersOf(f.lines[n]);
      // Fewer than 24 numbers would turn a ventilation profile into the demand-control mark.
      ASSERT_EQ(v.size(), 24u) << "type " << n;
      double sum = 0;
      for (double x : v) {
        // The engine divides only values above 1 by 100: a 1 would read as 100 %.
        EXPECT_NE(x, 1.0) << "type " << n;
        EXPECT_TRUE(x == 0.0 || x >= 2.0) << "type " << n << " value " << x;
        EXPECT_LE(x, 100.0);
        sum += x;
      }
      EXPECT_GT(sum, 0.0) << "type " << n;
    }
  }
}

TEST(TemperatureProfiles, HeadingThenTwelveDayProfilesInDegreesF) {
  RawLines f = readRaw(dataPath("profiles/bprof5.dat"));
  ASSERT_TRUE(f.opened);
  EXPECT_TRUE(f.allCrlf);
  ASSERT_GE(f.lines.size(), 13u);
  std::vector<double> p[13];
  for (std::size_t i = 1; i <= 12; ++i) {
    p[i] = numbersOf(f.lines[i]);
    ASSERT_EQ(p[i].size(), 24u) << "profile " << i;
    for (double t : p[i]) {
      EXPECT_GE(t, 50.0);
      EXPECT_LE(t, 90.0);
    }
  }
  // 1 summer occupied, 2 winter occupied, 3 summer unoccupied, 4 winter unoccupied.
  for (std::size_t h = 0; h < 24; ++h) {
    EXPECT_GT(p[1][h], p[2][h]);
    EXPECT_GE(p[3][h], p[1][h]);
    EXPECT_LE(p[4][h], p[2][h]);
  }
}

// The mapping of the 42 types to the published schedule sets, as data/SOURCES.md lists it:
// rows "| n | type name | set |".
std::map<int, std::pair<std::string, std::string>> listedScheduleSets() {
  std::map<int, std::pair<std::string, std::string>> out;
  RawLines f = readRaw(dataPath("SOURCES.md"));
  for (const std::string& l : f.lines) {
    if (l.rfind("| ", 0) != 0) continue;
    std::vector<std::string> cells;
    std::size_t at = 1;
    for (std::size_t bar = l.find('|', at); bar != std::string::npos; bar = l.find('|', at)) {
      cells.push_back(trim(l.substr(at, bar - at)));
      at = bar + 1;
    }
    if (cells.size() != 3) continue;
    if (auto n = number(cells[0])) out[static_cast<int>(*n)] = {cells[1], cells[2]};
  }
  return out;
}

TEST(ProfileLibraries, TypesShareTheProfilesOfTheScheduleSetTheSourcesListForThem) {
  const auto sets = listedScheduleSets();
  ASSERT_EQ(sets.size(), 42u);
  std::vector<std::string> lines[5];
  for (int k = 1; k <= 4; ++k) {
    lines[k] = readRaw(dataPath("profiles/bprof" + std::to_string(k) + ".dat")).lines;
    ASSERT_GE(lines[k].size(), 43u);
    EXPECT_LT(numbersOf(lines[k][0]).size(), 24u) << "heading line of bprof" << k;
  }
  for (int n = 1; n <= 42; ++n) {
    ASSERT_EQ(sets.count(n), 1u) << n;
    EXPECT_EQ(sets.at(n).first, kTypeNames[n - 1]);
    for (int m = 1; m < n; ++m) {
      bool same = true;
      for (int k = 1; k <= 4; ++k) {
        same = same && lines[k][static_cast<std::size_t>(n)] == lines[k][static_cast<std::size_t>(m)];
      }
      // One set, one day of profiles; two sets, two different days.
      EXPECT_EQ(same, sets.at(n).second == sets.at(m).second) << "types " << m << " and " << n;
    }
  }
}

struct Catalogue {
  const char* file;
  bool windows;
};

TEST(ConstructionCatalogues, FifteenToThirtyEntriesOfSevenLinesNumberedInOrder) {
  for (const Catalogue& c : {Catalogue{"profiles/bprof6.dat", false},
                             Catalogue{"profiles/bprof7.dat", true}}) {
    SCOPED_TRACE(c.file);
    RawLines f = readRaw(dataPath(c.file));
    ASSERT_TRUE(f.opened);
    EXPECT_TRUE(f.allCrlf);
    ASSERT_EQ(f.lines.size() % 7, 0u);
    const std::size_t entries = f.lines.size() / 7;
    EXPECT_GE(entries, 15u);  // the zone step reads exactly 15
    EXPECT_LE(entries, 30u);
    for (std::size_t k = 0; k < entries; ++k) {
      SCOPED_TRACE(k + 1);
      const std::string* e = &f.lines[7 * k];
      EXPECT_EQ(number(e[0]), static_cast<double>(k + 1));
      EXPECT_FALSE(trim(e[1]).empty());
      double v[5];
      for (int i = 0; i < 5; ++i) {
        auto x = number(e[2 + i]);
        ASSERT_TRUE(x) << e[2 + i];
        v[i] = *x;
      }
      EXPECT_GT(v[0], 0.0);  // U-factor
      EXPECT_LT(v[0], 2.0);
      EXPECT_GE(v[1], 0.0);  // absorptance or SHGC
      EXPECT_LE(v[1], 1.0);
      if (c.windows) {
        EXPECT_GT(v[2], 0.0);  // emissivity
        EXPECT_LE(v[2], 0.84);
        EXPECT_GT(v[3], 0.0);  // daylight transmittance
        EXPECT_LT(v[3], 1.0);
      } else {
        EXPECT_EQ(v[2], std::floor(v[2]));  // whole-hour time lag
        EXPECT_GE(v[2], 0.0);
        EXPECT_LE(v[2], 24.0);
        EXPECT_GT(v[3], 0.0);  // decrement factor
        EXPECT_LE(v[3], 1.0);
      }
      EXPECT_GT(v[4], 0.0);  // cost
    }
    if (!c.windows) {
      // The sketch assigns I.D. 1 to exterior walls, 8 to roofs and 14 to floors on the ground.
      auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        return s;
      };
      EXPECT_NE(lower(f.lines[7 * 0 + 1]).find("wall"), std::string::npos);
      EXPECT_NE(lower(f.lines[7 * 7 + 1]).find("roof"), std::string::npos);
      EXPECT_NE(lower(f.lines[7 * 13 + 1]).find("floor"), std::string::npos);
    }
  }
}

}  // namespace
