// The installed sample projects are written by the project model's own writer from the
// installed data: building-type defaults, weather library, catalogues and profile libraries,
// with a one-level sketch. The test builds both samples again and compares them byte for
// byte with the installed files; with KALVANO_WRITE_SAMPLES=1 in the environment it writes
// them into data/sample instead (after a change of the data or of the writer).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data_files.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "project_builder.h"

using namespace kalvano::datatest;
namespace km = kalvano::model;

namespace {

TEST(SampleProjects, InstalledSamplesAreWhatTheProjectWriterWritesFromTheInstalledData) {
  const char* regenerate = std::getenv("KALVANO_WRITE_SAMPLES");
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    const std::string bytes = buildSample(s);
    ASSERT_FALSE(bytes.empty());
    const std::string installed = dataPath(std::string("sample/") + s.file);
    if (regenerate && std::string(regenerate) == "1") {
      std::ofstream(installed, std::ios::binary) << bytes;
      continue;
    }
    std::ifstream in(installed, std::ios::binary);
    ASSERT_TRUE(in) << "missing; run the test with KALVANO_WRITE_SAMPLES=1";
    std::ostringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), bytes);
  }
}

TEST(SampleProjects, SamplesReadBackThroughTheProjectReader) {
  namespace fs = std::filesystem;
  for (const Sample& s : kSamples) {
    SCOPED_TRACE(s.file);
    const fs::path base = fs::temp_directory_path() / "kvsample_read";
    fs::remove_all(base);
    fs::create_directories(base / "sketch");
    fs::create_directories(base / "temp");
    auto m = std::make_unique<km::ProjectModel>();
    m->AppDir = base.string();
    ASSERT_NO_THROW(km::ReadInputFile(*m, dataPath(std::string("sample/") + s.file)));
    EXPECT_EQ(m->UnitSystem, s.units);
    EXPECT_EQ(m->ZoneCount, 2);
    EXPECT_EQ(m->SurfaceCount[1], 5);
    EXPECT_EQ(m->SurfaceCount[2], 5);
    EXPECT_EQ(m->ProjectData[1], s.name);
    EXPECT_NE(m->ProjectData[3].find(s.city), std::string::npos);
    EXPECT_TRUE(fs::exists(base / "sketch" / "bld_mtx.all"));
    fs::remove_all(base);
  }
}

}  // namespace
