// Damaged run files of the installed samples: values of any line replaced by zeros, negative,
// huge or non-numeric texts. Every run ends with status 0 or 1, never a crash, a stopped run
// or a NaN in the report (the sanitizer build also checks every access on the way).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "../engine/core/testutil.h"
#include "engine_run.h"
#include "project_builder.h"

using namespace kalvano::datatest;

namespace {

TEST(MalformedRuns, damaged_values_end_in_a_report_or_in_input_errors) {
  namespace fs = std::filesystem;
  const char* const values[] = {"0", "-1", "1E9", "-1E9", ".001", "99999", "x", "", "1E30", "-0.5", "25", "76"};
  for (const char* sample : {"SampleProject.inp", "SampleSchool.inp"}) {
    const fs::path base = freshBase("malformed");
    installEngineData(base);
    fs::copy_file(dataPath(std::string("sample/") + sample), base / sample);
    RunSetup setup;
    setup.runType = 3;
    setup.endDay = 62;  // two months keep the case count high and the run short
    writeRunFiles(base, base / sample, setup);
    const fs::path input = base / "temp" / std::string(kalvano::files::kRunInput);
    const std::vector<std::string> original = kvtest::linesOf(slurpFile(input));
    int completed = 0, rejected = 0;
    for (unsigned seed = 1; seed <= 120; ++seed) {
      std::mt19937 rng(seed);
      std::vector<std::string> lines = original;
      const int changes = 1 + static_cast<int>(rng() % 5);
      for (int k = 0; k < changes; ++k) {
        std::string& l = lines[1 + rng() % (lines.size() - 1)];
        if (l.size() > 10) l = l.substr(0, 10) + values[rng() % std::size(values)];
      }
      std::string text;
      for (const std::string& l : lines) text += l + "\r\n";
      std::ofstream(input, std::ios::binary) << text;
      const EngineRun run = runEngine(base);
      SCOPED_TRACE(std::string(sample) + " seed " + std::to_string(seed));
      ASSERT_TRUE(run.status == 0 || run.status == 1) << run.status << "\n" << run.monitor;
      EXPECT_EQ(run.monitor.find("RUN ABORTED"), std::string::npos) << run.monitor;
      EXPECT_EQ(run.report.find("nan"), std::string::npos);
      (run.status == 0 ? completed : rejected) += 1;
    }
    // Both outcomes occur: the damage is neither always fatal nor always harmless.
    EXPECT_GT(completed, 10);
    EXPECT_GT(rejected, 10);
    fs::remove_all(base);
  }
}

}  // namespace
