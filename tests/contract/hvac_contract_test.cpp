// The HVAC data base between its editor and the engine: the installed file survives a load
// and save unchanged, a data base written from either unit system gives the engine, for
// every system, the SEER, supply temperature and costs that the editor shows, and every value
// the editor accepts, at the widest its column takes, is a number of its own for the engine's
// line reader; one that would run into its neighbour is refused and nothing is written.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "engine/core/fread.h"
#include "engine/core/state.h"
#include "frontend/model/file_error.h"
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

// The engine's state after its reader of the data base ran in `base`, which it read whole.
std::unique_ptr<kv::EngineState> EngineReading(const TempBase& base) {
  auto s = std::make_unique<kv::EngineState>();
  s->runDir = (base.dir / "temp").string();
  EXPECT_TRUE(s->files.monitor.open((base.dir / "monitor.txt").string()));
  kv::ReadCoolingDb(*s);
  s->files.monitor.close();
  EXPECT_EQ(Slurp(base.dir / "monitor.txt"), "btype/tcool.dat read successfully.      \r\n");
  return s;
}

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

    const std::unique_ptr<kv::EngineState> s = EngineReading(base);

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

// The numbers the engine's line reader finds on a line.
std::vector<double> EngineNumbers(const std::string& line) {
  int32_t nnum = 0, ntxt = 0;
  kv::FreadTexts txt;
  kv::FreadNums num;
  kv::FREAD(line, nnum, ntxt, txt, num);
  std::vector<double> out;
  for (int k = 1; k <= nnum; ++k) out.push_back(num(k));
  return out;
}

using Fault = kalvano::zones::HvacFault;

// The engine's number `read` is what the editor shows as `shown`: the same number where the
// value was typed, else the same digits with at most some of its last decimals cut.
void ExpectShown(double read, const std::string& shown, bool typed) {
  if (typed) {
    EXPECT_FLOAT_EQ(static_cast<float>(read), static_cast<float>(Val(shown))) << "shown " << shown;
    return;
  }
  const std::string digits = kalvano::zones::TrimBlanks(kalvano::model::NumberText(static_cast<float>(read)));
  const std::string cut = kalvano::zones::TrimBlanks(shown);
  EXPECT_TRUE(digits.starts_with(cut) && (digits == cut || cut.find('.') != std::string::npos))
      << "the engine reads " << digits << ", the editor shows " << cut;
}

// One value typed into every system of the installed data base, then saved as the window
// saves: refused with a message (and nothing written) when the data base cannot hold it.
struct EditCase {
  const char* what;
  int16_t units;
  int field;  // 1..5: static pressure, SEER or COP, supply temperature, first, maintenance cost
  std::string typed;
  std::optional<Fault::Kind> refused;  // none: accepted
};

const std::vector<EditCase>& EditCases() {
  static const std::vector<EditCase> cases{
      // Static pressure, inch-pound: the Pa derived from it fills columns 72-78 at most.
      {"IP static pressure, six characters", kInchPound, 1, "40.125", std::nullopt},
      {"IP static pressure, Pa of seven characters", kInchPound, 1, "40.1", std::nullopt},
      {"IP static pressure, Pa of five digits", kInchPound, 1, "400", std::nullopt},
      {"IP static pressure, Pa of six digits, cut by the SI editor", kInchPound, 1, "4015", Fault::kTooWide},
      {"IP static pressure, Pa of eight characters", kInchPound, 1, "401", Fault::kTooWide},
      {"IP static pressure 10000 (248800014)", kInchPound, 1, "10000", Fault::kTooWide},
      // SEER, inch-pound: the COP derived from it ends by column 91.
      {"IP SEER, COP of six characters", kInchPound, 2, "341.1", std::nullopt},
      {"IP SEER, COP of seven characters", kInchPound, 2, "341.3", Fault::kTooWide},
      {"IP SEER, COP of four digits", kInchPound, 2, "3412", std::nullopt},
      {"IP SEER, COP of five digits, cut by the SI editor", kInchPound, 2, "34120", Fault::kTooWide},
      {"IP SEER of five digits", kInchPound, 2, "99999", Fault::kTooWide},
      {"IP SEER 0", kInchPound, 2, "0", Fault::kOutOfRange},
      // Supply temperature, inch-pound: four characters touch the C from column 97 unless
      // the C begins with its sign blank.
      {"IP supply temperature just below 75 F", kInchPound, 3, "74.9", std::nullopt},
      {"IP supply temperature of 0 F", kInchPound, 3, "0", std::nullopt},
      {"IP supply temperature of four characters, C negative", kInchPound, 3, "0.01", Fault::kTooWide},
      {"IP supply temperature 75 F", kInchPound, 3, "75", Fault::kOutOfRange},
      // Costs: the gas-heat line's derived costs end by columns 109 and 117.
      {"first cost of five digits", kInchPound, 4, "99999", std::nullopt},
      {"maintenance cost, gas cost of seven characters", kInchPound, 5, "9990", std::nullopt},
      {"maintenance cost of six characters", kInchPound, 5, "99.999", std::nullopt},
      {"maintenance cost, gas cost of eight characters", kInchPound, 5, "9999", Fault::kTooWide},
      {"maintenance cost 999.99, gas cost 1007.39", kInchPound, 5, "999.99", Fault::kTooWide},
      {"static pressure of two numbers", kInchPound, 1, "1 2", Fault::kNotANumber},
      {"empty SEER", kInchPound, 2, "  ", Fault::kNotANumber},
      {"SEER of two points", kInchPound, 2, "1.2.3", Fault::kNotANumber},
      // SI: the inch, SEER and F values derived from the typed ones.
      {"SI static pressure of five digits", kSI, 1, "99999", std::nullopt},
      {"SI static pressure, inch of six characters", kSI, 1, "248800", std::nullopt},
      {"SI static pressure, inch of seven characters", kSI, 1, "249000", Fault::kTooWide},
      {"SI COP, SEER of four characters", kSI, 2, "29.3", std::nullopt},
      {"SI COP, SEER of five characters", kSI, 2, "29.4", Fault::kTooWide},
      {"SI COP 30 (102.430)", kSI, 2, "30", Fault::kTooWide},
      {"SI COP giving a SEER of 0", kSI, 2, ".01", Fault::kOutOfRange},
      {"SI supply temperature just below 75 F", kSI, 3, "23.6", std::nullopt},
      {"SI supply temperature of -72 C, F of three characters", kSI, 3, "-72", std::nullopt},
      {"SI supply temperature of -100 C, F of four characters", kSI, 3, "-100", Fault::kTooWide},
      {"SI supply temperature 23.7 C, 75 F", kSI, 3, "23.7", Fault::kOutOfRange},
      {"SI supply temperature 55 (13155)", kSI, 3, "55", Fault::kTooWide},
      {"SI first cost of five digits", kSI, 4, "99999", std::nullopt},
      {"SI maintenance cost, gas cost of seven characters", kSI, 5, "9990", std::nullopt},
      {"SI maintenance cost, gas cost of eight characters", kSI, 5, "9999", Fault::kTooWide},
  };
  return cases;
}

template <typename System>  // HvacSystem, const or not
auto& FieldOf(System& s, int field) {
  switch (field) {
    case 1: return s.stpres;
    case 2: return s.seer;
    case 3: return s.temp;
    case 4: return s.fcost;
    default: return s.mcost;
  }
}

// The gas-heat costs of system k written from the electric-heat costs shown.
std::vector<double> GasCosts(int k, double first, double maint) {
  if (k == 7) return {};
  if (k >= 8) return {RoundTo(first, 0), maint};
  const double extra = k <= 3 ? 7.4 : (k == 4 ? 8.0 : 9.0);
  return {RoundTo(first + 200.0, 0), RoundTo(maint + extra, 2)};
}

TEST(HvacDatabaseContract, every_accepted_value_is_one_number_for_the_engine_and_others_are_refused) {
  for (const EditCase& c : EditCases()) {
    SCOPED_TRACE(c.what);
    TempBase base;
    const fs::path file = base.dir / "btype/tcool.dat";
    std::filesystem::copy_file(kInstalled, file);
    const std::string before = Slurp(file);
    // The window's save: its check, then the writer.
    std::vector<HvacSystem> shown = kalvano::zones::ReadHvacDatabase(file.string(), c.units);
    for (HvacSystem& s : shown) FieldOf(s, c.field) = c.typed;
    const std::optional<Fault> fault = kalvano::zones::FindHvacFault(shown, c.units);
    if (c.refused) {
      ASSERT_TRUE(fault.has_value());
      EXPECT_EQ(fault->kind, *c.refused);
      EXPECT_EQ(fault->system, 0);
      EXPECT_EQ(fault->field, c.field);
      // The writer itself never writes numbers that run together or a value that is no
      // number; a value out of range reads back as written.
      if (*c.refused == Fault::kOutOfRange) continue;
      try {
        kalvano::zones::WriteHvacDatabase(file.string(), shown, c.units);
        ADD_FAILURE() << "written";
      } catch (const kalvano::model::FileError& e) {
        EXPECT_EQ(e.number(), *c.refused == Fault::kTooWide ? kalvano::model::kErrOverflow
                                                            : kalvano::model::kErrTypeMismatch);
      }
      EXPECT_EQ(Slurp(file), before);
      continue;
    }
    ASSERT_FALSE(fault.has_value()) << "system " << fault->system << " field " << fault->field;
    kalvano::zones::WriteHvacDatabase(file.string(), shown, c.units);

    // Every reader: the editor in both unit systems and the engine's line reader, line by
    // line, and the engine's reader of the whole data base.
    const std::vector<HvacSystem> ip = kalvano::zones::ReadHvacDatabase(file.string(), kInchPound);
    const std::vector<HvacSystem> si = kalvano::zones::ReadHvacDatabase(file.string(), kSI);
    const std::vector<HvacSystem> again = kalvano::zones::ReadHvacDatabase(file.string(), c.units);
    const std::vector<std::string> lines = kalvano::model::ReadFileLines(file.string());
    ASSERT_EQ(lines.size(), 21u);
    const std::unique_ptr<kv::EngineState> s = EngineReading(base);
    for (int k = 1; k <= 9; ++k) {
      SCOPED_TRACE(k);
      const auto i = static_cast<std::size_t>(k - 1);
      // What the window shows after the save is what it saved.
      EXPECT_EQ(Val(FieldOf(again[i], c.field)), Val(FieldOf(shown[i], c.field)));
      const std::vector<double> sys = EngineNumbers(lines[2 + 2 * i + 1]);
      ASSERT_EQ(sys.size(), 9u) << lines[2 + 2 * i + 1];
      // The numbers typed in the window's unit system are read as shown; those derived for
      // the other one are shown there with at most their last decimals cut.
      const bool siTyped = c.units == kSI;
      EXPECT_EQ(sys[0], double(k));
      ExpectShown(sys[1], ip[i].stpres, !siTyped);
      ExpectShown(sys[2], si[i].stpres, siTyped);
      ExpectShown(sys[3], ip[i].seer, !siTyped);
      ExpectShown(sys[4], si[i].seer, siTyped);
      ExpectShown(sys[5], ip[i].temp, !siTyped);
      ExpectShown(sys[6], si[i].temp, siTyped);
      ExpectShown(sys[7], ip[i].fcost, true);
      ExpectShown(sys[8], ip[i].mcost, true);
      const std::vector<double> gas = EngineNumbers(lines[2 + 2 * i + 2]);
      const std::vector<double> gasExpected = GasCosts(k, Val(ip[i].fcost), Val(ip[i].mcost));
      ASSERT_EQ(gas.size(), gasExpected.size()) << lines[2 + 2 * i + 2];
      for (std::size_t n = 0; n < gas.size(); ++n) {
        EXPECT_FLOAT_EQ(static_cast<float>(gas[n]), static_cast<float>(gasExpected[n]));
      }
      const kv::BLDG& b = s->bldg;
      EXPECT_FLOAT_EQ(b.CSSEER(k), static_cast<float>(Val(ip[i].seer)));
      EXPECT_FLOAT_EQ(b.CSTSUP(k), static_cast<float>(Val(ip[i].temp)));
      EXPECT_FLOAT_EQ(b.CSFCST(2, k), static_cast<float>(Val(ip[i].fcost)));
      EXPECT_FLOAT_EQ(b.CSMCST(2, k), static_cast<float>(Val(ip[i].mcost)));
    }
  }
}

TEST(HvacDatabaseContract, a_name_the_engine_would_read_as_a_number_is_refused) {
  for (const char* name : {"Owner's VAV", "Roof top - packaged", "Unit+", "System 2"}) {
    SCOPED_TRACE(name);
    std::vector<HvacSystem> shown = kalvano::zones::ReadHvacDatabase(kInstalled, kInchPound);
    shown[3].name = name;
    const std::optional<Fault> fault = kalvano::zones::FindHvacFault(shown, kInchPound);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->kind, Fault::kNameReadAsNumber);
    EXPECT_EQ(fault->system, 3);
    EXPECT_EQ(fault->field, 0);
    EXPECT_THROW(kalvano::zones::HvacDatabaseLines(shown, kInchPound), kalvano::model::FileError);
  }
}

}  // namespace
