// The HVAC data base between its editor and the engine: the installed file survives a load
// and save unchanged, and a data base written from either unit system gives the engine, for
// every system, the SEER, supply temperature and costs that the editor shows.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "engine/core/state.h"
#include "engine/input/kvan64main.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_model.h"
#include "frontend/zones/hvacdata.h"

namespace {

namespace fs = std::filesystem;
using kalvano::model::kInchPound;
using kalvano::model::kSI;
using kalvano::model::RoundTo;
using kalvano::model::Val;
using kalvano::zones::HvacSystem;

const std::string kInstalled = std::string(KALVANO_SOURCE_DIR) + "/data/btype/tcool.dat";

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct TempBase {
  fs::path dir = fs::temp_directory_path() / ("hvac_contract_" + std::to_string(::getpid()));
  TempBase() {
    fs::remove_all(dir);
    fs::create_directories(dir / "btype");
    fs::create_directories(dir / "temp");
  }
  ~TempBase() { fs::remove_all(dir); }
};

TEST(HvacDatabaseContract, the_installed_data_base_is_saved_back_byte_for_byte) {
  TempBase base;
  const std::vector<HvacSystem> systems = kalvano::zones::ReadHvacDatabase(kInstalled, kInchPound);
  ASSERT_EQ(systems.size(), 9u);
  const fs::path out = base.dir / "btype/tcool.dat";
  kalvano::zones::WriteHvacDatabase(out.string(), systems, kInchPound);
  EXPECT_EQ(Slurp(out), Slurp(kInstalled));
}

TEST(HvacDatabaseContract, the_engine_reads_what_the_editor_shows_in_either_unit_system) {
  for (int16_t units : {kInchPound, kSI}) {
    SCOPED_TRACE(units == kSI ? "SI" : "IP");
    TempBase base;
    // The installed systems as the editor shows them in this unit system.
    const std::vector<HvacSystem> shown = kalvano::zones::ReadHvacDatabase(kInstalled, units);
    ASSERT_EQ(shown.size(), 9u);
    kalvano::zones::WriteHvacDatabase((base.dir / "btype/tcool.dat").string(), shown, units);

    auto s = std::make_unique<kv::EngineState>();
    s->runDir = (base.dir / "temp").string();
    ASSERT_TRUE(s->files.monitor.open((base.dir / "monitor.txt").string()));
    kv::ReadCoolingDb(*s);
    s->files.monitor.close();
    EXPECT_EQ(Slurp(base.dir / "monitor.txt"), "btype\\tcool.dat read successfully.      \r\n");

    const kv::BLDG& b = s->bldg;
    for (int k = 1; k <= 9; ++k) {
      SCOPED_TRACE(k);
      const HvacSystem& w = shown[static_cast<std::size_t>(k - 1)];
      const float seer = units == kSI ? RoundTo(Val(w.seer) * 3.412, 1) : static_cast<float>(Val(w.seer));
      const float supplyF =
          units == kSI ? RoundTo(Val(w.temp) * 1.8 + 32, 0) : static_cast<float>(Val(w.temp));
      const float first = static_cast<float>(Val(w.fcost));
      const float maint = static_cast<float>(Val(w.mcost));
      EXPECT_FLOAT_EQ(b.CSSEER(k), seer);
      EXPECT_FLOAT_EQ(b.CSTSUP(k), supplyF);
      EXPECT_FLOAT_EQ(b.CSFCST(2, k), first);  // electric heat
      EXPECT_FLOAT_EQ(b.CSMCST(2, k), maint);
      const float gasFirst = k <= 6 ? RoundTo(first + 200.0, 0) : (k == 7 ? 0 : RoundTo(first, 0));
      const double extra = k <= 3 ? 7.4 : (k == 4 ? 8.0 : 9.0);
      const float gasMaint = k <= 6 ? RoundTo(maint + extra, 2) : (k == 7 ? 0 : maint);
      EXPECT_FLOAT_EQ(b.CSFCST(1, k), gasFirst);  // gas heat
      EXPECT_FLOAT_EQ(b.CSMCST(1, k), gasMaint);
    }
    EXPECT_EQ(b.CSSEER(10), 0.0f);
  }
}

}  // namespace
