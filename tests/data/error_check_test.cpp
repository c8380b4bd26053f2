// Projects made from the installed data pass the engine's error check: a one-zone project of
// every building type, in inch-pound and in SI units, and the installed samples. Each is
// written by the project writer, read back and written as the run file by the model's
// writers, and checked by the engine's own reader and set-up (run type 1).
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "engine_run.h"
#include "project_builder.h"

using namespace kalvano::datatest;
namespace km = kalvano::model;

namespace {

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

// The error check ends without errors and says so.
void expectCleanErrorCheck(const EngineRun& run) {
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors().size(), 0u) << joined(run.errors());
  EXPECT_EQ(run.linesWith("RUN ABORTED").size(), 0u) << run.monitor;
  EXPECT_EQ(run.linesWith("Calling Energy Set Up.").size(), 1u) << run.monitor;
}

// A zone value of building type n as its defaults file holds it (inch-pound).
double typeValue(int n, int field) {
  RawLines f = readRaw(dataPath("btype/bdtype" + std::to_string(n) + ".dat"));
  if (f.lines.size() < 57) return -1;
  const std::string& l = f.lines[static_cast<std::size_t>(field + 23)];
  auto v = number(field == 9 ? l.substr(2) : l);
  return v ? *v : -1;
}

// The engine holds the one zone with the type's defaults, its systems and profiles; values
// that went through the SI conversion of the loader and back agree within its rounding.
void expectTypeDefaultsInEngine(const EngineRun& run, int n, bool si) {
  ASSERT_TRUE(run.state);
  const kv::BLDG& b = run.state->bldg;
  ASSERT_EQ(b.NZ, 1);
  const double tol = si ? 0.03 : 1e-4;  // relative
  auto near = [&](double got, double want, const char* what) {
    EXPECT_NEAR(got, want, tol * std::abs(want) + 1e-6) << what;
  };
  near(b.ZIN(4, 1), typeValue(n, 13), "lighting W/ft2");
  near(b.EQUIP(1) * 1000.0 / b.FLRZ(1), typeValue(n, 14), "equipment W/ft2");
  near(b.ZIN(2, 1), typeValue(n, 7), "hot water per person");
  EXPECT_GT(b.ZIN(1, 1), 0.0f);  // people
  // Outdoor air: the type's code and rate.
  RawLines f = readRaw(dataPath("btype/bdtype" + std::to_string(n) + ".dat"));
  ASSERT_GE(f.lines.size(), 57u);
  EXPECT_EQ(std::string(run.state->chtab.OACODE(1).view()), f.lines[32].substr(0, 2) + " ");
  near(b.ZIN(3, 1), typeValue(n, 9), "outdoor-air rate");
  EXPECT_GT(b.ZLOAD(3, 1), 0.0f) << "outdoor air";
  EXPECT_EQ(b.LTYPE(1), static_cast<int16_t>(typeValue(n, 11)));
  // The systems are entries of the data bases the engine read.
  const int cool = b.ICOOL(1), heat = b.IHEAT(1);
  ASSERT_GE(cool, 1);
  ASSERT_LE(cool, 9);
  ASSERT_GE(heat, 1);
  ASSERT_LE(heat, 3);
  EXPECT_GT(b.CSSEER(cool), 0.0f);
  near(b.COOLEF(1) / 1000.0, typeValue(n, 27), "SEER");  // the set-up holds Btu per kWh
  near(b.HCOP(1), typeValue(n, 28), "heating COP");
  EXPECT_FLOAT_EQ(b.HCOP(1), b.HTCOP(heat)) << "the heating type's default efficiency";
  // Every profile the zone names is in the file, as fractions (percentages divided by 100),
  // and its ventilation profile is a schedule, not the demand-control mark.
  const int kinds[8] = {1, 2, 3, 4, 5, 5, 5, 5};
  for (int k = 1; k <= 8; ++k) {
    const int kind = kinds[k - 1];
    // The set-up has replaced the zone's profile number by its position in the kind's list.
    const int slot = b.IPROF(k, 1);
    ASSERT_GE(slot, 1);
    ASSERT_LE(slot, kv::kProfiles);
    EXPECT_NE(b.NOPROF(kind, slot), 0);
    for (int h = 1; h <= 24; ++h) {
      const float v = b.PROF(kind, slot, h);
      if (kind < 5) {
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        if (kind == 3) {
          EXPECT_NE(v, 0.016f);
        }
      } else {
        EXPECT_GT(v, 50.0f);  // set points, F
        EXPECT_LT(v, 90.0f);
      }
    }
  }
}

const char* const kCities[] = {"Chicago", "Miami", "Denver", "San Francisco", "Greensboro",
                               "Sand Point"};

TEST(ErrorCheck, OneZoneProjectOfEveryBuildingTypePassesInBothUnitSystems) {
  namespace fs = std::filesystem;
  for (int n = 1; n <= 42; ++n) {
    for (int16_t units : {km::kInchPound, km::kSI}) {
      const bool si = units == km::kSI;
      SCOPED_TRACE("building type " + std::to_string(n) + (si ? " SI" : " IP"));
      Sample s{"TypeProject.inp", units, n, kCities[n % 6], "TypeProject", "One zone",
               si ? 1.0 : 2.0, si ? 3.0 : 10.0, 20, 15, {"Main zone", ""}, 1};
      const fs::path base = freshBase("type");
      const fs::path project = writeProject(s, base);
      ASSERT_FALSE(project.empty());
      const EngineRun run = runProject(base, project, RunSetup{});
      expectCleanErrorCheck(run);
      expectTypeDefaultsInEngine(run, n, si);
      fs::remove_all(base);
    }
  }
}

TEST(ErrorCheck, InstalledSamplesPass) {
  namespace fs = std::filesystem;
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    const fs::path base = freshBase("samplecheck");
    const fs::path project = base / s.file;
    fs::copy_file(dataPath(std::string("sample/") + s.file), project);
    const EngineRun run = runProject(base, project, RunSetup{});
    expectCleanErrorCheck(run);
    fs::remove_all(base);
  }
}

// What the README's main command does with the sample office, for both samples: a whole year
// of generated weather with air conditioning.
TEST(SampleRuns, InstalledSamplesSimulateAWholeYear) {
  namespace fs = std::filesystem;
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    const fs::path base = freshBase("samplerun");
    const fs::path project = base / s.file;
    fs::copy_file(dataPath(std::string("sample/") + s.file), project);
    RunSetup setup;
    setup.runType = 3;
    const EngineRun run = runProject(base, project, setup);
    fs::remove_all(base);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errors().size(), 0u) << joined(run.errors());
    EXPECT_EQ(run.linesWith("RUN ABORTED").size(), 0u) << run.monitor;
    EXPECT_EQ(run.linesWith("$$ Program ended successfully $$").size(), 1u) << run.monitor;
    // Twelve months of the year were simulated.
    std::size_t months = 0;
    for (std::size_t at = run.listing.find("VALIDATION CHECK OF WEATHER STATISTICS FOR");
         at != std::string::npos;
         at = run.listing.find("VALIDATION CHECK OF WEATHER STATISTICS FOR", at + 1)) {
      ++months;
    }
    EXPECT_EQ(months, 12u);
  }
}

}  // namespace
