#include "textio.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using kalvano::text::readLine;
using kalvano::text::writeLine;

namespace {
std::vector<std::string> lines(const std::string& bytes) {
  std::istringstream in(bytes);
  std::vector<std::string> out;
  std::string line;
  while (readLine(in, line)) out.push_back(line);
  return out;
}
}  // namespace

TEST(TextIo, reads_lf_crlf_and_an_unterminated_last_line_alike) {
  const std::vector<std::string> want{"ab", "", "c d", "last"};
  EXPECT_EQ(lines("ab\n\nc d\nlast"), want);
  EXPECT_EQ(lines("ab\r\n\r\nc d\r\nlast\r\n"), want);
  EXPECT_EQ(lines("ab\r\n\nc d\r\nlast\n"), want);
}

TEST(TextIo, keeps_latin1_bytes_and_inner_carriage_returns) {
  std::string degree = "23\xB0" "F";
  EXPECT_EQ(lines(degree + "\r\n"), std::vector<std::string>{degree});
  EXPECT_EQ(lines("a\rb\r\n"), std::vector<std::string>{"a\rb"});
}

TEST(TextIo, writes_crlf_line_ends) {
  std::ostringstream out;
  writeLine(out, "x");
  writeLine(out, "");
  EXPECT_EQ(out.str(), "x\r\n\r\n");
}
