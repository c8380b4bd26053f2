// Shared pieces of the input-echo tests: a base folder with the installed tables, a fixed
// clock, the golden-file check and the lines of a CR LF report.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "frontend/model/project_file.h"
#include "frontend/reports/inputecho.h"
#include "shell_test_support.h"

namespace kalvano::reports::test {

namespace fs = std::filesystem;

inline std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// KV_UPDATE_GOLDEN=1 rewrites the golden file from the output; review the diff.
inline void ExpectGolden(const std::string& got, const std::string& name) {
  const fs::path file = fs::path(KALVANO_TEST_DIR) / "golden" / name;
  if (std::getenv("KV_UPDATE_GOLDEN")) std::ofstream(file, std::ios::binary) << got;
  EXPECT_TRUE(got == Slurp(file)) << name << " differs from its golden file";
}

// Lines of a CR LF text without their ends.
inline std::vector<std::string> LinesOf(const std::string& bytes) {
  std::vector<std::string> out;
  std::size_t p = 0;
  while (p < bytes.size()) {
    std::size_t e = bytes.find("\r\n", p);
    if (e == std::string::npos) e = bytes.size();
    out.push_back(bytes.substr(p, e - p));
    p = e + 2;
  }
  return out;
}

inline fs::path Installed(const std::string& rel) {
  return fs::path(KALVANO_SOURCE_DIR) / "data" / rel;
}

// A shell test whose base folder also holds the installed cooling-system and light-shelf
// tables, with the echo's clock fixed at 09:05:00 and today "10 Dec 2026".
class EchoTest : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    for (const char* rel : {"btype/tcool.dat", "temp/ltshlf.dat"}) {
      fs::copy_file(Installed(rel), base.path(rel), fs::copy_options::overwrite_existing);
    }
    SetEchoClock([] { return std::string("09:05:00"); });
  }
  void TearDown() override {
    SetEchoClock({});
    shell::test::ShellTest::TearDown();
  }

  // Reads a project file into `m` as the retrieve dialog does.
  void Retrieve(model::ProjectModel& m, const fs::path& file) {
    m.AppDir = base.dir().string();
    model::ReadInputFile(m, file.string());
    m.TodayText = "10 Dec 2026";
  }

  // The run data of a whole year of generated weather in 2026 (1 January a Thursday).
  static void SetRun(model::ProjectModel& m) {
    m.Run.RunPeriod = {"", "1-Jan-2026", "31-Dec-2026"};
    m.Run.AnalysisYear = "2026";
    m.Run.Jan1Weekday = 5;
    m.Run.WeatherFormat = 0;
  }

  std::string Report() const { return base.read("temp/tavik$.out"); }
};

}  // namespace kalvano::reports::test
