#include "runfiles.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

using namespace kalvano::files;

TEST(RunFiles, every_run_folder_name_is_lower_case_and_unique) {
  std::set<std::string> seen;
  for (std::string_view name : kRunFolderFiles) {
    for (char c : name) EXPECT_FALSE(std::isupper(static_cast<unsigned char>(c))) << name;
    EXPECT_TRUE(seen.insert(std::string(name)).second) << "twice: " << name;
    EXPECT_EQ(name.find('/'), std::string_view::npos) << name;
  }
}
