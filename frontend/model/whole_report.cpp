#include "frontend/model/whole_report.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <optional>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"

namespace kalvano::model {

namespace {

using Lines = std::vector<std::string_view>;

bool Blank(std::string_view line) { return line.find_first_not_of(" \t\r\f") == std::string_view::npos; }

// Columns from.. (1-based) of a line hold `word`.
bool ColumnsHold(std::string_view line, std::size_t from, std::string_view word) {
  return line.size() >= from - 1 + word.size() && line.substr(from - 1, word.size()) == word;
}

// The whole number that follows the blanks from column `from` on; none when there is none.
std::optional<int> NumberFrom(std::string_view line, std::size_t from) {
  if (line.size() < from) return std::nullopt;
  std::string_view rest = line.substr(from - 1);
  const std::size_t first = rest.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  rest.remove_prefix(first);
  int value = 0;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  if (ec != std::errc() || end == rest.data()) return std::nullopt;
  return value;
}

constexpr std::array<std::string_view, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                      "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// The month 0..11 whose name begins the line; none when no month does.
std::optional<std::size_t> MonthOf(std::string_view line) {
  for (std::size_t m = 0; m < kMonths.size(); ++m)
    if (line.starts_with(kMonths[m])) return m;
  return std::nullopt;
}

// A section: its title line and the line after its last.
struct Section {
  std::string_view title;
  std::size_t at = 0, end = 0;
};

// Each section I to VIII holds its page header and something after the header's three lines.
bool HoldsContent(const Lines& lines, const Section& s) {
  for (std::size_t i = s.at + 1; i < s.end; ++i) {
    if (!lines[i].starts_with("*** PROJECT")) continue;
    for (std::size_t j = i + 3; j < s.end; ++j)
      if (!Blank(lines[j])) return true;
    return false;
  }
  return false;
}

// The comfort report's section IX, walked as the engine writes it.
class ComfortWalk {
 public:
  ComfortWalk(const Lines& lines, std::size_t from, std::size_t end) : lines_(lines), at_(from), end_(end) {}

  // The quarter page of month `m` with the block of every zone of `zones`, in that order, and
  // of no other zone.
  std::string QuarterPage(std::size_t m, const std::vector<int>& zones) {
    const std::string month(kMonths[m]);
    const std::string heading = "*** COMFORT CONDITIONS FOR " + month + " ***";
    if (!NextMarked() || lines_[at_] != heading) return "section IX has no zone page for " + month;
    // The hour captions come before the first zone; only blank lines between the others.
    ++at_;
    while (at_ < end_ && !lines_[at_].starts_with(" ZONE") && !Marked(lines_[at_])) ++at_;
    for (int zone : zones) {
      SkipBlank();
      if (at_ == end_ || !lines_[at_].starts_with(" ZONE") || !SameZone(lines_[at_], zone)) {
        return "section IX has no block of zone " + std::to_string(zone) + " for " + month;
      }
      // The zone's heading, its hottest and coldest days (a caption and five rows each), the
      // comfort criteria and its hours.
      static constexpr std::pair<std::size_t, std::string_view> kBlock[] = {
          {1, " HOTTEST Day"}, {7, " COLDEST Day"}, {13, " COMFORT Criteria:"}, {14, "         Hrs This Month"}};
      for (const auto& [offset, begins] : kBlock) {
        if (at_ + offset >= end_ || !lines_[at_ + offset].starts_with(begins)) {
          return "section IX ends inside the block of zone " + std::to_string(zone) + " for " + month;
        }
      }
      at_ += 15;
    }
    SkipBlank();
    if (at_ < end_ && !Marked(lines_[at_])) return "section IX has a zone block of no listed zone for " + month;
    return {};
  }

  // The all-zone block of month `m`, to its degree-hour line.
  std::string Cumulative(std::size_t m) {
    const std::string heading =
        " AVERAGE Indoor Comfort Conditions For All Zones Through" + std::string(kMonths[m]) + ":";
    if (!NextMarked() || lines_[at_] != heading) {
      return "section IX has no all-zone block for " + std::string(kMonths[m]);
    }
    static constexpr std::pair<std::size_t, std::string_view> kBlock[] = {
        {1, "  Cumulative Hours This Year:"}, {4, "  Cumulative Degree-Hours:"}};
    for (const auto& [offset, begins] : kBlock) {
      if (at_ + offset >= end_ || !lines_[at_ + offset].starts_with(begins)) {
        return "section IX ends inside the all-zone block for " + std::string(kMonths[m]);
      }
    }
    if (at_ + 5 >= end_ || Blank(lines_[at_ + 5]) || Blank(lines_[at_ + 2])) {
      return "section IX ends inside the all-zone block for " + std::string(kMonths[m]);
    }
    at_ += 6;
    return {};
  }

  // Whether only blank lines remain.
  bool AtEnd() const {
    for (std::size_t i = at_; i < end_; ++i)
      if (!Blank(lines_[i])) return false;
    return true;
  }

 private:
  // The zone heading names `zone` in its three columns (6 to 8); a number too wide for
  // them is written as asterisks, which stand for the zone in its place.
  static bool SameZone(std::string_view heading, int zone) {
    if (ColumnsHold(heading, 6, "***")) return true;
    return NumberFrom(heading, 6) == zone;
  }
  static bool Marked(std::string_view line) {
    return line.starts_with("*** COMFORT CONDITIONS FOR") || line.starts_with(" AVERAGE Indoor");
  }
  void SkipBlank() {
    while (at_ < end_ && Blank(lines_[at_])) ++at_;
  }
  // Moves to the next quarter page or all-zone block; false at the end.
  bool NextMarked() {
    while (at_ < end_ && !Marked(lines_[at_])) ++at_;
    return at_ < end_;
  }

  const Lines& lines_;
  std::size_t at_, end_;
};

}  // namespace

std::string WholeReportFault(std::string_view bytes) {
  const Lines lines = SplitLineViews(bytes);
  // The banner follows the rule and a blank line at the head.
  static constexpr std::size_t kBannerWithin = 4;
  bool banner = false;
  for (std::size_t i = 0; i < lines.size() && i < kBannerWithin && !banner; ++i) {
    banner = lines[i].find(kReportBanner) != std::string_view::npos;
  }
  if (!banner) return "no banner at its head";

  std::array<Section, 8> sections = {Section{"I."},   Section{"II."},  Section{"III."}, Section{"IV. "},
                                     Section{"V. "},  Section{"VII."}, Section{"VIII"}, Section{"IX."}};
  std::size_t from = 0;
  for (Section& s : sections) {
    while (from < lines.size() && !lines[from].starts_with(s.title)) ++from;
    if (from == lines.size()) return "no section " + std::string(s.title);
    s.at = from++;
  }
  for (std::size_t k = 0; k < sections.size(); ++k) {
    sections[k].end = k + 1 < sections.size() ? sections[k + 1].at : lines.size();
  }
  for (std::size_t k = 0; k + 1 < sections.size(); ++k) {
    if (!HoldsContent(lines, sections[k])) return "section " + std::string(sections[k].title) + " is empty";
  }

  // The zones that the project data list.
  const Section& two = sections[1];
  std::vector<int> zones;
  for (std::size_t i = two.at + 1; i < two.end; ++i) {
    if (!ColumnsHold(lines[i], 5, "ZONE")) continue;
    const std::optional<int> number = NumberFrom(lines[i], 9);
    if (!number) return "section II has a zone heading without a number";
    zones.push_back(*number);
  }
  if (zones.empty()) return "section II lists no zone";

  // The months run: the rows of the monthly table, from the fifth line below its heading to
  // its "=" rule.
  const Section& three = sections[2];
  std::size_t mon = three.at + 1;
  while (mon < three.end && !lines[mon].starts_with("MON")) ++mon;
  std::vector<std::size_t> months;
  std::size_t row = mon + 5;
  for (; row < three.end && !lines[row].starts_with("="); ++row) {
    const std::optional<std::size_t> m = MonthOf(lines[row]);
    if (!m || (!months.empty() && *m <= months.back())) return "section III has no monthly table";
    months.push_back(*m);
  }
  if (row >= three.end || months.empty()) return "section III has no monthly table";

  const Section& nine = sections[7];
  ComfortWalk walk(lines, nine.at + 1, nine.end);
  for (std::size_t m : months) {
    if (m % 3 == 0) {
      if (std::string fault = walk.QuarterPage(m, zones); !fault.empty()) return fault;
    }
    if (std::string fault = walk.Cumulative(m); !fault.empty()) return fault;
  }
  if (!walk.AtEnd()) return "lines follow the end of the comfort report";
  // The engine ends every line, the last one too.
  if (bytes.back() != '\n') return "the report ends inside a line";
  return {};
}

void RequireWholeReport(std::string_view bytes, const std::string& path) {
  if (!IsWholeReport(bytes)) throw FileError::OnFile(kErrPastEndOfFile, path);
}

}  // namespace kalvano::model
