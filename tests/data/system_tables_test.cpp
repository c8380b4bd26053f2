// The installed heating-type data base, the light-shelf table and the blank sketch: the
// layouts their readers (engine input phase, zone editor, input echo, sketch window) take
// them in.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "data_files.h"

using namespace kalvano::datatest;

namespace {

// The cooling-system data base's layout is proved by its editor's contract test
// (tests/contract/hvac_contract_test.cpp): the installed file is saved back byte for byte.

TEST(HeatingTypeTable, GasResistanceHeatPumpWithCopInColumns16To19) {
  RawLines f = readRaw(dataPath("btype/theat.dat"));
  ASSERT_TRUE(f.opened);
  EXPECT_TRUE(f.allCrlf);
  ASSERT_EQ(f.lines.size(), 5u);
  struct Row {
    double factor;
    double copMin, copMax;
  };
  const Row rows[] = {{1000.0, 0.5, 1.0}, {3413.0, 1.0, 1.0}, {3413.0, 1.5, 5.0}};
  for (int j = 0; j < 3; ++j) {
    SCOPED_TRACE(j + 1);
    const std::string& line = f.lines[2 + j];
    EXPECT_FALSE(hasDigitOrPeriod(trim(cols(line, 1, 15))));
    auto cop = number(cols(line, 16, 4));
    ASSERT_TRUE(cop);
    EXPECT_GE(*cop, rows[j].copMin);
    EXPECT_LE(*cop, rows[j].copMax);
    std::vector<double> n = numbersOf(line);
    ASSERT_EQ(n.size(), 3u);
    EXPECT_EQ(n[0], *cop);
    EXPECT_EQ(n[1], rows[j].factor);
    EXPECT_GT(n[2], 72.0);
  }
}

TEST(LightShelfTable, ThreeBlocksOfNineteenRowsWithPointedFields) {
  RawLines f = readRaw(dataPath("temp/ltshlf.dat"));
  ASSERT_TRUE(f.opened);
  EXPECT_TRUE(f.allCrlf);
  ASSERT_EQ(f.lines.size(), 66u);
  for (int b = 0; b < 3; ++b) {
    for (int r = 1; r <= 19; ++r) {
      SCOPED_TRACE(testing::Message() << "block " << b + 1 << " row " << r);
      const std::string& line = f.lines[static_cast<std::size_t>(b * 22 + 2 + r)];
      EXPECT_LE(line.size(), 64u);
      double v[7];
      for (int k = 0; k < 7; ++k) {
        std::string fld = cols(line, static_cast<std::size_t>(9 + 8 * k), 8);
        // A field without a point would have an implied decimal.
        EXPECT_NE(fld.find('.'), std::string::npos) << fld;
        auto x = number(fld);
        ASSERT_TRUE(x) << fld;
        v[k] = *x;
      }
      const std::string& first = f.lines[static_cast<std::size_t>(2 + r)];
      EXPECT_EQ(number(cols(line, 9, 8)), number(cols(first, 9, 8)));
      EXPECT_EQ(number(cols(line, 17, 8)), number(cols(first, 17, 8)));
      if (r == 1) {
        EXPECT_EQ(v[0], 0.0);
        EXPECT_EQ(v[1], 0.0);
      } else if (r <= 4) {
        EXPECT_GT(v[0], 0.0);
        EXPECT_EQ(v[1], 0.0);
      } else {
        EXPECT_EQ(v[0], 0.0);
        EXPECT_GT(v[1], 1.0);  // the shelf value comes in where a transmittance above 1 stands
      }
      for (int k = 2; k < 7; ++k) {
        EXPECT_GE(v[k], 0.0);
        EXPECT_LT(v[k], 100.0);
      }
    }
  }
}

TEST(BlankSketch, OneEmptyLevelInTheLevelFileLayout) {
  RawLines f = readRaw(dataPath("sketch/bld_mtx2.000"));
  ASSERT_TRUE(f.opened);
  EXPECT_TRUE(f.allCrlf);
  ASSERT_EQ(f.lines.size(), 60u + 31u);
  const char* labels[] = {"Grid Size", "Orientation", "No. of Flrs",
                          "Room Height", "Floor Area", "Section Area"};
  for (int i = 0; i < 6; ++i) {
    const std::string& line = f.lines[static_cast<std::size_t>(i)];
    EXPECT_EQ(trim(cols(line, 1, 12)), labels[i]);
    EXPECT_EQ(line[12], ':');
    EXPECT_EQ(line[13], ' ');
    EXPECT_TRUE(number(line.substr(13)));
  }
  EXPECT_EQ(number(f.lines[0].substr(13)), 2.0);
  EXPECT_GT(*number(f.lines[3].substr(13)), 0.0);
  for (int n = 1; n <= 25; ++n) {
    const std::string& line = f.lines[static_cast<std::size_t>(5 + n)];
    std::string num = std::to_string(n);
    EXPECT_EQ(cols(line, 1, 13), "ZoneName[" + num + std::string(2 - num.size(), ' ') + "]:");
    EXPECT_GT(line.size(), 13u);
  }
  for (std::size_t k = 31; k < f.lines.size(); ++k) {
    EXPECT_EQ(f.lines[k], std::string(80, '0') + " ");
  }
}

}  // namespace
