// The reads of the installed and user files that must say, naming the file, that it is empty
// or cut short: one table shape for all of them. Each case's bytes are written to a file and
// read by the reader under test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"

namespace kalvano::model::test {

enum class ReadOutcome { Reads, Empty, Cut, WrongFormat };

struct FileReadCase {
  const char* what;
  std::string bytes;
  ReadOutcome want;
};

// The first `count` lines of `text`, each ended by CR LF: a file cut after a line.
inline std::string FirstLines(std::string_view text, std::size_t count) {
  std::string out;
  for (const std::string& line : SplitLines(text)) {
    if (count-- == 0) break;
    out += line + "\r\n";
  }
  return out;
}

// Writes each case to `path`, reads it with `read(path)` and checks the outcome: a read that
// is refused as empty or cut is the wrong-format error naming the file, and its box says so
// and names the file; any other wrong format is neither.
template <class Read>
void ExpectFileReads(const std::filesystem::path& path, const std::vector<FileReadCase>& cases, Read read) {
  for (const FileReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
    if (c.want == ReadOutcome::Reads) {
      EXPECT_NO_THROW(read(path.string()));
      continue;
    }
    try {
      read(path.string());
      ADD_FAILURE() << "read without a word";
    } catch (const FileError& e) {
      EXPECT_EQ(e.number(), kErrPastEndOfFile);
      const std::string box = FileErrorBoxText(e);
      const bool empty = box.find("because it is empty") != std::string::npos;
      const bool cut = box.find("because it is cut short") != std::string::npos;
      EXPECT_EQ(empty, c.want == ReadOutcome::Empty) << box;
      EXPECT_EQ(cut, c.want == ReadOutcome::Cut) << box;
      if (c.want != ReadOutcome::WrongFormat) {
        EXPECT_TRUE(e.namesFile());
        EXPECT_EQ(e.detail(), path.string());
        EXPECT_TRUE(box.ends_with("\n\n" + BoxName(path.string()))) << box;
      }
    }
  }
}

// Writes `whole` cut at every byte of its last line (from its first character to its line end,
// the whole file last) to `path` and reads each with `read(path)`: each must read as the whole
// file does, or be refused as cut short naming the file; never read with a value cut short.
// Returns how many of the cuts read whole.
template <class Read>
int ExpectEveryCutOfLastLine(const std::filesystem::path& path, const std::string& whole, Read read) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << whole;
  const auto expected = read(path.string());
  const std::size_t lineStart = whole.rfind('\n', whole.size() - 2) + 1;  // npos + 1 = 0: one line
  int readWhole = 0;
  for (std::size_t size = lineStart; size <= whole.size(); ++size) {
    SCOPED_TRACE("cut after byte " + std::to_string(size) + " of " + std::to_string(whole.size()));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << whole.substr(0, size);
    try {
      const auto got = read(path.string());
      EXPECT_TRUE(got == expected) << "read with a value cut short";
      ++readWhole;
    } catch (const FileError& e) {
      EXPECT_EQ(e.message(), kCutFileMessage) << FileErrorBoxText(e);
      EXPECT_EQ(e.detail(), path.string());
    }
  }
  return readWhole;
}

}  // namespace kalvano::model::test
