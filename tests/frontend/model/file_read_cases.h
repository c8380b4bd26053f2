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

}  // namespace kalvano::model::test
