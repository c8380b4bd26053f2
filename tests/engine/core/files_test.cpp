#include "engine/core/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path tempDir(const char* name) {
  fs::path p = fs::temp_directory_path() / (std::string("kv_files_") + name + "_" + std::to_string(::getpid()));
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(EngineFiles, writer_ends_every_line_with_crlf_and_keeps_bytes) {
  auto dir = tempDir("w");
  {
    kv::OutFile f;
    ASSERT_TRUE(f.open((dir / "a.out").string()));
    f.line("abc  ");
    f.emptyLine();
    f.line("23\xB0");
  }
  EXPECT_EQ(slurp(dir / "a.out"), "abc  \r\n\r\n23\xB0\r\n");
  fs::remove_all(dir);
}

TEST(EngineFiles, reader_accepts_lf_and_crlf_and_never_creates_a_missing_file) {
  auto dir = tempDir("r");
  {
    std::ofstream o(dir / "in.txt", std::ios::binary);
    o << "one\r\ntwo\nlast";
  }
  kv::InFile f;
  ASSERT_TRUE(f.open((dir / "in.txt").string()));
  std::string l;
  ASSERT_TRUE(f.readLine(l));
  EXPECT_EQ(l, "one");
  ASSERT_TRUE(f.readLine(l));
  EXPECT_EQ(l, "two");
  ASSERT_TRUE(f.readLine(l));
  EXPECT_EQ(l, "last");
  EXPECT_FALSE(f.readLine(l));
  kv::InFile missing;
  EXPECT_FALSE(missing.open((dir / "none.dat").string()));
  EXPECT_FALSE(fs::exists(dir / "none.dat"));
  fs::remove_all(dir);
}

}  // namespace
