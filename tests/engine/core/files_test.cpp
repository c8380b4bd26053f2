#include "engine/core/files.h"

#include <gtest/gtest.h>

#include <cerrno>

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

// Every failure of a write, a flush or a close is the file's first error, thrown with the
// file's name and the system's reason; the file is closed and takes no more lines.
TEST(EngineFiles, writer_failures_throw_with_the_file_and_the_reason) {
  auto dir = tempDir("fail");
  fs::create_directory(dir / "taken");
  kv::OutFile folder;
  EXPECT_FALSE(folder.open((dir / "taken").string()));
  EXPECT_EQ(folder.error(), EISDIR);
  try {
    folder.create((dir / "taken").string());
    ADD_FAILURE() << "a folder was opened for writing";
  } catch (const kv::OutputFault& e) {
    EXPECT_EQ(std::string(e.what()), "CANNOT CREATE " + (dir / "taken").string() + ": Is a directory");
  }
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
  const std::string big(70000, 'x');  // more than the buffer: written at once
  const struct {
    const char* name;
    void (*use)(kv::OutFile&, const std::string&);
  } cases[] = {
      {"close", [](kv::OutFile& f, const std::string&) { f.line("a"); f.close(); }},
      {"flush", [](kv::OutFile& f, const std::string&) { f.line("a"); f.flush(); }},
      {"long line", [](kv::OutFile& f, const std::string& l) { f.line(l); }},
      {"full buffer", [](kv::OutFile& f, const std::string&) { for (int i = 0; i < 10000; ++i) f.line("0123456789"); }},
  };
  for (const auto& c : cases) {
    kv::OutFile f;
    ASSERT_TRUE(f.open("/dev/full"));
    try {
      c.use(f, big);
      ADD_FAILURE() << c.name << ": no failure";
    } catch (const kv::OutputFault& e) {
      EXPECT_EQ(std::string(e.what()), "CANNOT WRITE /dev/full: No space left on device") << c.name;
      EXPECT_EQ(e.path(), "/dev/full");
    }
    EXPECT_FALSE(f.isOpen()) << c.name;
    EXPECT_EQ(f.error(), ENOSPC) << c.name;
    f.line("more");  // nothing more happens, and closing says nothing again
    EXPECT_NO_THROW(f.close()) << c.name;
  }
  fs::remove_all(dir);
}

}  // namespace
