#include "frontend/model/whole_report.h"

#include <array>
#include <charconv>
#include <initializer_list>
#include <iterator>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "common/runcalendar.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/report_pages.h"

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

// The control bytes the echo and the engine write: the line ends, the form feed, and a TAB
// that a project's own texts may carry into the echo (a project file edited by hand). A TAB
// where a figure stands is still refused by the figure's own check.
std::optional<std::size_t> ForeignControlByte(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if ((b < 0x20 || b == 0x7F) && b != '\r' && b != '\n' && b != '\f' && b != '\t') return i;
  }
  return std::nullopt;
}

// A field of `width` columns from column `from` holds a number as the engine prints it
// with `decimals` decimals: blanks, a minus sign when negative, the digits before the
// point (none, or a 0, when there is no room), the point and the decimals; or, for a
// number too wide for the field, as many asterisks as the field is wide.
bool EngineNumber(std::string_view line, std::size_t from, std::size_t width, std::size_t decimals) {
  if (line.size() < from - 1 + width) return false;
  const std::string_view field = line.substr(from - 1, width);
  if (field.find_first_not_of('*') == std::string_view::npos) return true;
  std::size_t i = field.find_first_not_of(' ');
  if (i == std::string_view::npos) return false;
  if (field[i] == '-') ++i;
  std::size_t digits = 0;
  while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i, ++digits;
  if (i == field.size() || field[i] != '.') return false;
  const std::size_t point = i++;
  while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i;
  return i == field.size() && i - point - 1 == decimals && digits + decimals > 0;
}

// A field as the readers cut it: its first column, width and decimals.
struct NumberField {
  std::size_t from, width, decimals;
};

bool EngineNumbers(std::string_view line, std::initializer_list<NumberField> fields) {
  for (const NumberField& f : fields)
    if (!EngineNumber(line, f.from, f.width, f.decimals)) return false;
  return true;
}

// The first line from `from` up to `end` that begins with `mark`; `end` when none does.
std::size_t FirstBeginning(const Lines& lines, std::size_t from, std::size_t end, std::string_view mark) {
  while (from < end && !lines[from].starts_with(mark)) ++from;
  return from;
}

// Section III after its monthly table: the closing lines, the site end-use row and the load
// table, every figure that the charts read a number as the engine prints it.
std::string SectionThree(const Lines& lines, const Section& three, ReportLayout& layout) {
  const std::size_t rule = layout.monthRule;
  if (rule + 2 >= three.end || !lines[rule + 1].starts_with("TOT") || !lines[rule + 2].starts_with("($)")) {
    return "section III has no totals under its monthly table";
  }
  for (std::size_t row = layout.firstMonth; row < rule; ++row) {
    if (!EngineNumbers(lines[row], {{4, 9, 1}, {31, 9, 0}, {80, 8, 0}, {104, 9, 0}, {113, 9, 0}})) {
      return "section III has a month row that is not as the engine writes it";
    }
  }
  if (!EngineNumbers(lines[rule + 1], {{4, 9, 1}, {31, 9, 0}}) ||
      !EngineNumbers(lines[rule + 2], {{80, 8, 0}, {104, 9, 0}, {113, 9, 0}})) {
    return "section III has totals that are not as the engine writes them";
  }
  layout.site = FirstBeginning(lines, rule + 3, three.end, "Site");
  const std::size_t site = layout.site;
  if (site + 1 >= three.end || !lines[site + 1].starts_with("WHOLE-BLDG PERFORMANCE:")) {
    return "section III has no site energy";
  }
  // The engine's figures are in the unit system that the echo's weather page names, which
  // the charts read them in.
  const bool si = layout.unitSystem == 2;
  if (!lines[site].starts_with(si ? "Site GJoules =" : "Site MBtus =")) {
    return si ? "section III has site energy in inch-pound units under an SI echo"
              : "section III has site energy in SI units under an inch-pound echo";
  }
  if (!EngineNumbers(lines[site], {{16, 10, 1}, {26, 10, 1}, {36, 10, 1}, {46, 10, 1}, {56, 10, 1}, {66, 10, 1}}) ||
      !EngineNumber(lines[site + 1], 104, 7, 1)) {
    return "section III has site energy that is not as the engine writes it";
  }
  static constexpr std::string_view kCategories[] = {
      "ROOF", "WALLS", "WINDOWS TRANSMISSION", "WINDOWS SOLAR", "LIGHTS AND EQUIPMENT", "PEOPLE SENSIBLE",
      "PEOPLE LATENT", "VENTILATION (SENSIBLE)", "VENTILATION (LATENT)", "INFILTRATION (SENSIBLE)",
      "INFILTRATION (LATENT)", "MASS EFFECT"};
  layout.roof = FirstBeginning(lines, site + 2, three.end, "ROOF");
  const std::size_t roof = layout.roof;
  // The twelve categories, the rule, the central plant, and 7 lines down to the peak times.
  if (roof + 21 >= three.end) return "section III has no load table";
  for (std::size_t c = 0; c < std::size(kCategories); ++c) {
    const std::string_view row = lines[roof + c];
    if (!row.starts_with(kCategories[c]) ||
        !EngineNumbers(row, {{26, 11, 2}, {43, 11, 2}, {97, 11, 2}, {114, 11, 2}})) {
      return "section III has a load table that is not as the engine writes it";
    }
  }
  // The central-plant line of an inch-pound report stands one column further right in its
  // peak block.
  const std::string_view plant = lines[roof + 13];
  const std::size_t shift = si ? 0 : 1;
  if (!plant.starts_with(si ? "CENTRAL PLANT LOAD" : " CENTRAL PLANT LOAD") ||
      !EngineNumbers(plant, {{26 + shift, 11, 2}, {43 + shift, 11, 2}, {97, 11, 2}, {114, 11, 2}}) ||
      !lines[roof + 20].starts_with("  OUTDOOR DESIGN DB") || !lines[roof + 21].starts_with("  PEAK LOAD DATE/TIME")) {
    return "section III has a load table that is not as the engine writes it";
  }
  return {};
}

// Sections IV to VIII: the lines their views are read for, in order.
std::string SectionsFourToEight(const Lines& lines, const std::array<Section, 8>& sections,
                                const ReportLayout& layout) {
  const auto holds = [&lines](const Section& s, std::initializer_list<std::string_view> marks) {
    std::size_t at = s.at + 1;
    for (std::string_view mark : marks) {
      at = FirstBeginning(lines, at, s.end, mark);
      if (at == s.end) return false;
      ++at;
    }
    return true;
  };
  if (!holds(sections[3], {"TOTAL OF ALL ZONES:"})) return "section IV has no total of all zones";
  if (!holds(sections[4], {"         SUMMER ELECTRIC", "         SUMMER GAS", "         WINTER ELECTRIC",
                           "         WINTER GAS", "      PLOTS FOR ENERGY DEMAND",
                           "                                                 TIME OF DAY"})) {
    return "section V has no peak demand profiles";
  }
  if (!holds(sections[5], {"         TOTAL PRESENT WORTH"})) return "section VII has no total present worth";
  const Section& eight = sections[6];
  std::size_t at = eight.at + 1;
  for (std::size_t m : layout.months) {
    const std::string heading = " DAILY WEATHER SUMMARIES FOR " + std::string(kMonths[m]);
    at = FirstBeginning(lines, at, eight.end, heading);
    if (at == eight.end) return "section VIII has no daily weather summary for " + std::string(kMonths[m]);
    ++at;
  }
  return {};
}

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

// The text after `prefix` at column 50 of the head's lines (those before section I); none
// when no line holds it there.
std::optional<std::string_view> HeadStatement(const Lines& lines, std::size_t end, std::string_view prefix) {
  for (std::size_t i = 0; i < end; ++i)
    if (ColumnsHold(lines[i], 50, prefix)) return lines[i].substr(49 + prefix.size());
  return std::nullopt;
}

// Whether `months` (0..11), the months of the monthly table, are those that the run period
// stated at the report's head simulates, as the engine samples them: the echo's period
// ("Simulation period is: 15-Feb-2026 to 20-Nov-2026." for generated weather, "for the
// period of ..." for recorded weather) and year ("Year 2026 begins on ..."), and the days a
// month that the engine states it simulated in section VIII ("SIMULATION PERIOD:   31 DAYS
// PER MONTH"). The fault when they are not, or when what the head states is not a period the
// engine ran; nothing when the head states no period.
std::string PeriodFault(const Lines& lines, const std::array<Section, 8>& sections,
                        const std::vector<std::size_t>& months) {
  const std::size_t head = sections[0].at;
  std::optional<std::string_view> period = HeadStatement(lines, head, "Simulation period is: ");
  const bool recorded = !period;
  if (recorded) period = HeadStatement(lines, head, "for the period of ");
  if (!period) return {};
  static const std::string kFault = "the run period at its head is not one the engine ran";
  std::string_view text = *period;
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
  const std::size_t to = text.find(" to ");
  if (!text.ends_with('.') || to == std::string_view::npos) return kFault;
  const std::string_view first = text.substr(0, to), last = text.substr(to + 4, text.size() - to - 5);
  const std::optional<std::string_view> yearLine = HeadStatement(lines, head, "Year ");
  const std::size_t begins = yearLine ? yearLine->find(" begins on ") : std::string_view::npos;
  if (begins == std::string_view::npos) return kFault;
  const std::string_view yearText = yearLine->substr(0, begins);
  int year = 0;
  const auto [yearEnd, ec] = std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
  if (ec != std::errc() || yearEnd != yearText.data() + yearText.size() || !first.ends_with(yearText) ||
      !last.ends_with(yearText)) {
    return kFault;
  }
  std::optional<int> daysPerMonth;
  for (std::size_t i = sections[6].at; i < sections[6].end && !daysPerMonth; ++i)
    if (ColumnsHold(lines[i], 6, "SIMULATION PERIOD:")) daysPerMonth = NumberFrom(lines[i], 24);
  if (!daysPerMonth || (*daysPerMonth != 31 && *daysPerMonth != 7 && *daysPerMonth != 14 && *daysPerMonth != 21)) {
    return "section VIII does not state the days it simulated a month";
  }
  // Recorded weather simulates every day, so its months do not depend on whether its file
  // holds 29 February.
  const int format = recorded ? 3 : 0;
  const int february = calendar::FebruaryDays(format, year, true);
  calendar::RunPeriod run;
  try {
    const int weeks = *daysPerMonth == 31 ? 4 : *daysPerMonth / 7;
    run = calendar::EngineRunPeriod(DayOfYear(first.substr(0, first.size() - yearText.size()), year, february),
                                    DayOfYear(last.substr(0, last.size() - yearText.size()), year, february),
                                    weeks, 0, format, year, true);
  } catch (const FileError&) {
    return kFault;
  }
  std::vector<std::size_t> simulated;
  calendar::DaySampler days(run.beginDay, run.endDay, run.daysPerMonth, run.februaryDays);
  while (days.NextMonth()) {
    while (days.NextDay()) {
    }
    if (days.MonthSimulated()) simulated.push_back(static_cast<std::size_t>(days.Month() - 1));
  }
  if (simulated.empty()) return kFault;
  if (simulated != months) {
    return "section III has the months " + std::string(kMonths[months.front()]) + " to " +
           std::string(kMonths[months.back()]) + ", not those of the run period at its head";
  }
  return {};
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

WholeReportCheck CheckWholeReport(std::string_view bytes) {
  WholeReportCheck check;
  check.fault = [&bytes](ReportLayout& layout) -> std::string {
    if (const std::optional<std::size_t> at = ForeignControlByte(bytes)) {
      return "a control byte (" + std::to_string(static_cast<unsigned char>(bytes[*at])) + ") at byte " +
             std::to_string(*at + 1);
    }
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
      layout.sections[k] = {sections[k].at, sections[k].end};
    }
    for (std::size_t k = 0; k + 1 < sections.size(); ++k) {
      if (!HoldsContent(lines, sections[k])) return "section " + std::string(sections[k].title) + " is empty";
    }

    // The echoed weather page, whose solar caption, 13 lines below its title, names the
    // unit system that the charts read the report in.
    const std::size_t weather = [&] {
      for (std::size_t i = 0; i < sections[2].at; ++i)
        if (ColumnsHold(lines[i], 4, "WEATHER")) return i;
      return sections[2].at;
    }();
    if (weather == sections[2].at) return "no weather page in its input echo";
    if (weather + 13 < sections[2].at) {
      const std::string_view caption = lines[weather + 13];
      if (ColumnsHold(caption, 11, "SQ.FT. OF HORIZONTAL SURFACE")) layout.unitSystem = 1;
      if (ColumnsHold(caption, 12, "SQ.M. OF HORIZONTAL SURFACE")) layout.unitSystem = 2;
    }
    if (layout.unitSystem == 0) return "no solar caption 13 lines below the title of its weather page";
    layout.units = weather + 13;

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

    // The months run: the rows of the monthly table, from the fifth line below its heading
    // to its "=" rule.
    const Section& three = sections[2];
    layout.project = three.at + 2;
    const std::size_t mon = FirstBeginning(lines, three.at + 1, three.end, "MON");
    std::vector<std::size_t>& months = layout.months;
    std::size_t row = mon + 5;
    layout.firstMonth = row;
    for (; row < three.end && !lines[row].starts_with("="); ++row) {
      const std::optional<std::size_t> m = MonthOf(lines[row]);
      if (!m) return "section III has no monthly table";
      // The engine writes a row for every month from the first it simulated to the last.
      if (!months.empty() && *m != months.back() + 1) {
        return "section III has " + std::string(kMonths[*m]) + " after " + std::string(kMonths[months.back()]) +
               " in its monthly table";
      }
      months.push_back(*m);
    }
    if (row >= three.end || months.empty()) return "section III has no monthly table";
    layout.monthRule = row;
    if (std::string fault = PeriodFault(lines, sections, months); !fault.empty()) return fault;
    if (std::string fault = SectionThree(lines, three, layout); !fault.empty()) return fault;
    if (std::string fault = SectionsFourToEight(lines, sections, layout); !fault.empty()) return fault;

    const Section& nine = sections[7];
    ComfortWalk walk(lines, nine.at + 1, nine.end);
    for (std::size_t m : months) {
      if (m % 3 == 0) {
        if (std::string fault = walk.QuarterPage(m, zones); !fault.empty()) return fault;
      }
      if (std::string fault = walk.Cumulative(m); !fault.empty()) return fault;
    }
    if (!walk.AtEnd()) return "lines follow the end of the comfort report";
    // The tabular viewer pages through the zone data and the comfort report.
    const Lines zoneData(lines.begin() + static_cast<std::ptrdiff_t>(two.at),
                         lines.begin() + static_cast<std::ptrdiff_t>(two.end));
    if (ZonePageStarts(zoneData).size() > kMaxViewerPages) return "section II makes more than 99 zone pages";
    const Lines comfort(lines.begin() + static_cast<std::ptrdiff_t>(nine.at), lines.end());
    if (ComfortPageStarts(comfort).size() > kMaxViewerPages) return "section IX makes more than 99 comfort pages";
    // The engine ends every line, the last one too.
    if (bytes.back() != '\n') return "the report ends inside a line";
    return {};
  }(check.layout);
  if (!check.fault.empty()) check.layout = {};
  return check;
}

ReportLayout RequireWholeReport(std::string_view bytes, const std::string& path) {
  WholeReportCheck check = CheckWholeReport(bytes);
  if (!check.fault.empty()) throw FileError::OnFile(kErrPastEndOfFile, path);
  return std::move(check.layout);
}

}  // namespace kalvano::model
