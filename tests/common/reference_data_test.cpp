// The test helpers' way into the recorded reference weather: a missing file must fail the
// test that needs it with the file's name, not reach the code under test as an empty file.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/reference_data.h"

using kalvano::testref::referenceFile;

TEST(ReferenceData, PresentFilesAreFoundInTheRepository) {
  for (const char* rel : {"weather/12839.tm2", "weather/cweed_sample.WY2",
                          "climate/USA_CO_Denver.Intl.AP.725650_TMY3.epw", "climate/723170TYA.CSV"}) {
    SCOPED_TRACE(rel);
    const std::string path = referenceFile(rel);
    EXPECT_EQ(path, std::string(KALVANO_SOURCE_DIR) + "/data/reference/" + rel);
    EXPECT_GT(std::filesystem::file_size(path), 0u);
  }
}

TEST(ReferenceData, AMissingFileThrowsNamingIt) {
  try {
    referenceFile("weather/no_such_station.tm2");
    FAIL() << "a missing reference file was handed out";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("data/reference/weather/no_such_station.tm2"), std::string::npos)
        << e.what();
  }
}
