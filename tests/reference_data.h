// The recorded reference weather the tests compare against, carried in the source tree under
// data/reference (see data/SOURCES.md). Every test reaches a reference file through
// referenceFile(), so that a missing or unreadable file fails that test with the file's
// name instead of handing an empty file to the code under test.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvano::testref {

// The reference file REL (for example "weather/12839.tm2"), checked readable. When it is not,
// throws; GoogleTest reports the exception's text as the running test's failure.
inline std::string referenceFile(std::string_view rel) {
  std::string path = std::string(KALVANO_REFERENCE_DIR) + "/" + std::string(rel);
  if (!std::ifstream(path, std::ios::binary)) {
    throw std::runtime_error("reference file missing or unreadable: " + path);
  }
  return path;
}

}  // namespace kalvano::testref
