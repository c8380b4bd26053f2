// The installed system data bases and light-shelf table read cleanly through the engine's
// own readers, run in the assembled base folder's temp/ as the engine runs.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "engine/core/state.h"
#include "engine/input/kvan64main.h"

namespace {

namespace fs = std::filesystem;

struct InstalledRun {
  fs::path logDir;
  std::unique_ptr<kv::EngineState> s = std::make_unique<kv::EngineState>();
  InstalledRun() {
    logDir = fs::temp_directory_path() / ("kvdata_readers_" + std::to_string(::getpid()));
    fs::remove_all(logDir);
    fs::create_directories(logDir);
    s->runDir = std::string(KALVANO_BASE_DIR) + "/temp";
    EXPECT_TRUE(s->files.monitor.open((logDir / "monitor.txt").string()));
  }
  ~InstalledRun() { fs::remove_all(logDir); }
  std::string monitor() {
    s->files.monitor.close();
    std::ifstream in(logDir / "monitor.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST(InstalledDataThroughEngine, CoolingAndHeatingDataBasesReadWithoutWarnings) {
  InstalledRun run;
  kv::ReadCoolingDb(*run.s);
  kv::ReadHeatingDb(*run.s);
  const kv::BLDG& b = run.s->bldg;
  EXPECT_EQ(b.NERR, 0);
  EXPECT_EQ(run.monitor(),
            "btype/tcool.dat read successfully.      \r\n"
            "btype/theat.dat read successfully.      \r\n");
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    EXPECT_GT(b.CSSEER(k), 0.0f);
    EXPECT_GT(b.CSTSUP(k), 40.0f);
    EXPECT_LT(b.CSTSUP(k), 75.0f);
    EXPECT_GT(b.CSFCST(2, k), 0.0f);  // electric heat, from the system line
    EXPECT_GT(b.CSMCST(2, k), 0.0f);
    if (k == 7) {
      EXPECT_EQ(b.CSFCST(1, k), 0.0f);  // the heat pump has no gas-heat variant
    } else {
      EXPECT_GE(b.CSFCST(1, k), b.CSFCST(2, k));
    }
  }
  EXPECT_EQ(b.CSSEER(10), 0.0f);
  // Gas input in kBtu, electric input in kWh.
  EXPECT_EQ(b.HTFAC(1), 1000.0f);
  EXPECT_EQ(b.HTFAC(2), 3413.0f);
  EXPECT_EQ(b.HTFAC(3), 3413.0f);
  EXPECT_FLOAT_EQ(b.HTCOP(1), 0.8f);
  EXPECT_FLOAT_EQ(b.HTCOP(2), 1.0f);
  EXPECT_GT(b.HTCOP(3), 1.5f);
  for (int j = 1; j <= 3; ++j) EXPECT_GT(b.HTTSUP(j), 72.0f);
}

TEST(InstalledDataThroughEngine, LightShelfTableFillsAllThreeBlocks) {
  InstalledRun run;
  kv::ReadLightShelves(*run.s);
  EXPECT_EQ(run.s->bldg.NERR, 0);
  EXPECT_EQ(run.monitor(), "");
  const kv::LSHELF& t = run.s->lshelf;
  EXPECT_EQ(t.LSV1(1), 0.0f);
  EXPECT_EQ(t.LSV2(1), 0.0f);
  for (int r = 2; r <= 4; ++r) {
    EXPECT_GT(t.LSV1(r), t.LSV1(r - 1));  // overhang depths, ft
    EXPECT_EQ(t.LSV2(r), 0.0f);
  }
  for (int r = 5; r <= 19; ++r) {
    EXPECT_EQ(t.LSV1(r), 0.0f);
    EXPECT_GT(t.LSV2(r), 1.0f);  // shelf values
  }
  for (int b = 1; b <= 3; ++b) {
    for (int r = 1; r <= 19; ++r) {
      for (int c = 1; c <= 5; ++c) {
        EXPECT_GT(t.LST(r, c, b), 0.0f) << r << " " << c << " " << b;
        EXPECT_LT(t.LST(r, c, b), 100.0f);
      }
      EXPECT_EQ(t.LST(r, 6, b), 0.0f);
    }
  }
  // The diffuse and overcast light of an open window falls off with depth.
  for (int b = 2; b <= 3; ++b) {
    for (int c = 2; c <= 5; ++c) EXPECT_LT(t.LST(1, c, b), t.LST(1, c - 1, b));
  }
}

TEST(InstalledDataThroughEngine, SeparatorFileIsOneTabAndTheUnitDefaultIsInchPound) {
  // The separator file holds exactly one TAB (an empty file would mean a blank).
  std::ifstream sep(std::string(KALVANO_SOURCE_DIR) + "/data/temp/tab.sym", std::ios::binary);
  ASSERT_TRUE(sep);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(sep), {}), "\t");
  InstalledRun run;
  run.s->runpar.SEPCH = ' ';
  kv::ReadSeparator(*run.s);
  EXPECT_EQ(run.s->runpar.SEPCH, '\t');
  // The unit default's one line is "1": inch-pound units preselected at start-up.
  std::ifstream units(std::string(KALVANO_SOURCE_DIR) + "/data/temp/tavik$.unt", std::ios::binary);
  ASSERT_TRUE(units);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(units), {}), "1\r\n");
}

}  // namespace
