// Lines of the 132-column report as the front-end writes them: items placed at a column,
// texts right-aligned by "@" masks, printed numbers, rules and form-feed lines. Every line
// ends in CR LF; the bytes are Latin-1 and a column is one byte.
#pragma once

#include <string>
#include <string_view>

namespace kalvano::reports {

inline constexpr int kReportWidth = 132;

class ReportPage {
 public:
  // At column n (1-based): pads the current line with blanks so that the next item stands
  // in column n; a line that already reaches column n is ended first.
  ReportPage& At(int column);
  // Writes a text directly after what the line holds.
  ReportPage& Put(std::string_view text);
  // A text right-aligned in a mask of `width` "@" characters; a longer text is written whole.
  ReportPage& Masked(std::string_view text, int width);
  // A printed number: sign position, shortest decimal form, one trailing blank (4 -> " 4 ").
  ReportPage& Number(float value);
  // Ends the current line.
  ReportPage& End();
  // Ends the current line when it holds anything, then writes `count` empty lines.
  ReportPage& Blank(int count = 1);
  // A line of 132 "=".
  ReportPage& Rule();
  // From column 5, 126 characters: "-" for kind 1, "=" for kind 2; any other kind leaves
  // the four blanks.
  ReportPage& DashLine(int kind);
  // A line that holds only the form-feed character.
  ReportPage& FormFeed();

  // Everything written so far; a line not yet ended is left out.
  const std::string& Bytes() const { return done_; }
  // The line being written.
  const std::string& CurrentLine() const { return line_; }

 private:
  std::string done_;
  std::string line_;
};

}  // namespace kalvano::reports
