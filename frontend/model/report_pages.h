// The pages that the tabular viewer cuts the zone data (section II of the report) and the
// comfort report (section IX) into. The viewer and the whole report check count them by the
// same rules, so that a report the check takes is one the viewer can page through. GUI-free,
// header-only.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kalvano::model {

// The viewer shows pages 1 to 99.
inline constexpr std::size_t kMaxViewerPages = 99;

// Where each zone page of section II's lines begins. A page takes the line it begins with
// and then five chunks, each running up to and including the next line that begins "***";
// the "***" line that would end the fifth chunk begins the next page instead, and the last
// page runs to the last line, so every line lands on exactly one page. In section II each
// zone block begins with one "***" page header and holds one zone heading ("ZONE" in columns
// 5 to 8), so the pages made are the section's start and its zone headings counted in fives,
// rounded up. What follows the last zone (the engine's banner, whose lines begin "***", and
// its end-of-preprocessing line) stays on the last zone page: no page is left without a zone.
template <typename Line>
std::vector<std::size_t> ZonePageStarts(const std::vector<Line>& lines) {
  const auto begins = [&lines](std::size_t i) { return std::string_view(lines[i]).starts_with("***"); };
  std::vector<std::size_t> starts;
  std::size_t cur = 0;
  while (cur < lines.size()) {
    starts.push_back(cur);
    ++cur;
    for (int j = 1; j <= 5 && cur < lines.size(); ++j) {
      while (cur < lines.size() && !begins(cur)) ++cur;
      if (cur < lines.size() && j < 5) ++cur;
    }
  }
  const auto holdsZone = [&lines](std::size_t from) {
    for (std::size_t i = from; i < lines.size(); ++i) {
      const std::string_view line(lines[i]);
      if (line.size() >= 8 && line.substr(4, 4) == "ZONE") return true;
    }
    return false;
  };
  while (starts.size() > 1 && !holdsZone(starts.back())) starts.pop_back();
  return starts;
}

// Where each page of the comfort report's lines begins. A page ends before a project page
// header, or before a zone heading once it holds more than 448 lines; the first page begins
// with the report's four head lines.
template <typename Line>
std::vector<std::size_t> ComfortPageStarts(const std::vector<Line>& lines) {
  std::vector<std::size_t> starts{0};
  std::size_t count = 4;
  for (std::size_t i = 4; i < lines.size(); ++i) {
    const std::string_view line(lines[i]);
    if (line.starts_with("*** PROJ") || (line.starts_with(" ZONE") && count > 448)) {
      starts.push_back(i);
      count = 0;
    }
    ++count;
  }
  return starts;
}

}  // namespace kalvano::model
