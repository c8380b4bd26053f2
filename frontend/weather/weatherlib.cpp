#include "frontend/weather/weatherlib.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/freescan.h"
#include "common/stationrange.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "frontend/model/weather_stats.h"

namespace kalvano::weather {

namespace {

constexpr int kLinesPerRecord = 10;
constexpr std::size_t kRowWidth = 72;  // a monthly row: 12 fields of six columns
constexpr std::string_view kMarks = "#*@!";
constexpr std::array<const char*, kRows> kBlockLabels{"DB Ave ", "Ave Std", "DB Max ", "Max Std",
                                                      "DP Ave ", "DP Std ", "SOLAR  ", "WIND   "};
constexpr int kSolarRow = 6;  // 0-based
constexpr int kWindRow = 7;
using freescan::kStationNames;

model::FileError WrongFormat(std::size_t line) {
  return model::FileError(model::kErrPastEndOfFile,
                          "weather library, line " + std::to_string(line + 1));
}

bool ParseNumber(const std::string& field, double& value) { return model::ParseNumber(field, value); }

std::string Trim(std::string_view s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  const std::size_t b = s.find_last_not_of(' ');
  return std::string(s.substr(a, b - a + 1));
}

// Library value (inch-pound) in the window's units.
double ToWindow(int row, double x, int unitSystem) {
  if (unitSystem != model::kSI) return x;
  switch (row) {
    case 0: case 2: case 4: return (x - 32) / 1.8;
    case 1: case 3: case 5: return x / 1.8;
    case kSolarRow: return x * 11.3565295;
    default: return x * 0.44704;
  }
}

// Window value to the library's inch-pound units.
double ToLibrary(int row, double x, int unitSystem) {
  if (unitSystem != model::kSI) return x;
  switch (row) {
    case 0: case 2: case 4: return x * 1.8 + 32;
    case 1: case 3: case 5: return x * 1.8;
    case kSolarRow: return x * 0.08805507;
    default: return x * 2.236936;
  }
}

int Decimals(int row) { return row == kSolarRow ? 0 : 1; }

std::string Field(double value, int decimals, std::size_t width) {
  return model::RightAlign(model::NumberText(model::RoundTo(value, decimals)), width);
}

std::vector<std::string> Lines(std::string_view text) { return model::SplitLines(text); }

std::string Joined(const std::vector<std::string>& lines) {
  model::AtomicFile text({});
  for (const std::string& l : lines) text.line(l);
  return text.content();
}

// A value in single precision, or none when it is beyond it.
std::optional<float> Single(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return std::nullopt;
  return static_cast<float>(value);
}

// A monthly value in a six-character field of a row of twelve, as the library and the weather
// block hold it: rounded, right-aligned, a blank before it (the block's readers take the last
// five columns of each field); none when it does not fit.
std::optional<std::string> SixColumnField(int row, double value) {
  const float rounded = model::RoundTo(value, Decimals(row));
  if (!std::isfinite(rounded)) return std::nullopt;
  std::string field = model::RightAlign(model::NumberText(rounded), 6);
  if (field.size() != 6 || field.front() != ' ') return std::nullopt;
  return field;
}

// A month box's value as its field of the library holds it: converted to inch-pound.
std::optional<std::string> MonthField(int row, std::string_view text, int unitSystem) {
  return SixColumnField(row, ToLibrary(row, model::Val(text), unitSystem));
}

// The limits of a month field as the library and the block hold it, in inch-pound units (the
// block's five columns hold the same limits in the window's units).
std::pair<double, double> FieldLimits(int row) {
  return row == kSolarRow ? std::make_pair(-9999.0, 99999.0) : std::make_pair(-99.9, 999.9);
}

// A month box's field of the project's weather block, in the window's units. Its inch-pound
// value, which the run file and an inch-pound copy of the project hold in the same columns,
// must fit a field too.
std::optional<std::string> BlockField(int row, std::string_view text, int unitSystem) {
  std::optional<std::string> field = SixColumnField(row, model::Val(text));
  if (field && !MonthField(row, *field, unitSystem)) return std::nullopt;
  return field;
}

// The first month box, as (row, month) from 0, that `fits` gives no field for.
template <class Fits>
std::optional<std::pair<int, std::size_t>> FirstMisfit(Fits fits) {
  for (int row = 0; row < kRows; ++row) {
    for (std::size_t m = 0; m < 12; ++m) {
      if (!fits(row, m)) return std::make_pair(row, m);
    }
  }
  return std::nullopt;
}

// The box and its value as a refusal names them: "Row 1, month 2: -100.5".
std::string BoxAndValue(const WeatherEntry& e, std::pair<int, std::size_t> box) {
  return "Row " + std::to_string(box.first + 1) + ", month " + std::to_string(box.second + 1) + ": " +
         Trim(e.months[static_cast<std::size_t>(box.first)][box.second]);
}

constexpr std::string_view kMonthRange = "whose monthly values run from -99.9 to 999.9 (solar from -9999 to 99999)";

// The fields that a month box's value must fit: the library's (its value in inch-pound units)
// or the project's weather block's (its value as shown and, for SI, in inch-pound units).
enum class MonthTarget { Library, Block };

// Whether a month value's text fits the target's six-column field, a blank before it.
bool FitsField(int row, const std::string& text, int unitSystem, MonthTarget target) {
  return target == MonthTarget::Block ? BlockField(row, text, unitSystem).has_value()
                                      : MonthField(row, text, unitSystem).has_value();
}

// The first and last of the steps that `fits` takes, counted from the guesses `low` and `high`
// near them: a guess outside moves in (by at most 100 steps), one inside moves out.
template <class Fits>
std::pair<long, long> EndsTaken(long low, long high, Fits fits) {
  for (int n = 0; n < 100 && !fits(low); ++n) ++low;
  while (fits(low - 1)) --low;
  for (int n = 0; n < 100 && !fits(high); ++n) --high;
  while (fits(high + 1)) ++high;
  return {low, high};
}

// Whether a month value `v` of `row` in the window's units, rounded to the row's decimals as
// its field holds it, lies within the limits of every field it is written to: the library's
// (in inch-pound units) or the block's (as shown and, for SI, in inch-pound units too).
bool WithinFieldLimits(int row, double v, int unitSystem, MonthTarget target) {
  const auto [low, high] = FieldLimits(row);
  const auto within = [low, high](double x) { return x >= float(low) && x <= float(high); };
  const float shown = model::RoundTo(v, Decimals(row));
  return within(model::RoundTo(ToLibrary(row, shown, unitSystem), Decimals(row))) &&
         (target == MonthTarget::Library || within(shown));
}

// Whether a month value `v` of `row` in the window's units, as the project's weather block
// holds it, reaches a run within the range that the engine accepts: the block's own field in an
// inch-pound project; in an SI one the field's inch-pound copy as the run file holds it, rounded
// to the row's decimals.
bool WithinRunRange(int row, double v, int unitSystem) {
  const std::optional<std::string> field = SixColumnField(row, v);
  if (!field) return false;
  const double shown = model::Val(*field);
  const double run =
      unitSystem == model::kSI ? model::RoundTo(model::Val(model::MonthValueToIP(row, shown)), Decimals(row)) : shown;
  const station::ValueRange& range = station::kMonthRanges[static_cast<std::size_t>(row)];
  return run >= range.lo && run <= range.hi;
}

// Whether a month value lies within what the target takes: the limits of its fields and, for
// the project's weather, the range that a run accepts.
bool WithinMonthLimits(int row, double v, int unitSystem, MonthTarget target) {
  return WithinFieldLimits(row, v, unitSystem, target) &&
         (target == MonthTarget::Library || WithinRunRange(row, v, unitSystem));
}

// The limits of a month box of `row`, in the window's units, that the check applies and a
// refusal quotes. For the library, in inch-pound units those of every field, whose five columns
// after a blank hold any value from -99.9 to 999.9 with its decimal (solar -9999 to 99999); for
// the project's weather, those within the range that a run accepts as well. In an SI window the
// lowest and highest values of the row's decimals whose values, converted as each target holds
// them, lie within them. A whole number beyond the field limits that happens to fit five
// columns ("1000") is outside them all the same.
std::pair<double, double> MonthLimitValues(int row, int unitSystem, MonthTarget target) {
  const auto [ipLow, ipHigh] = FieldLimits(row);
  if (unitSystem != model::kSI && target == MonthTarget::Library) return {ipLow, ipHigh};
  const double step = Decimals(row) == 0 ? 1 : 0.1;
  const auto fits = [row, unitSystem, target, step](long n) {
    return WithinMonthLimits(row, static_cast<double>(n) * step, unitSystem, target);
  };
  // Counted in steps of the row's decimals, from the converted limits.
  long low = std::lround(ToWindow(row, ipLow, unitSystem) / step);
  long high = std::lround(ToWindow(row, ipHigh, unitSystem) / step);
  if (target == MonthTarget::Block) {
    const station::ValueRange& run = station::kMonthRanges[static_cast<std::size_t>(row)];
    low = std::max({low, std::lround(ipLow / step), std::lround(ToWindow(row, run.lo, unitSystem) / step)});
    high = std::min({high, std::lround(ipHigh / step), std::lround(ToWindow(row, run.hi, unitSystem) / step)});
  }
  const auto [first, last] = EndsTaken(low, high, fits);
  return {static_cast<double>(first) * step, static_cast<double>(last) * step};
}

// The limits of a month box of `row` as a refusal quotes them.
std::string MonthLimits(int row, int unitSystem, MonthTarget target) {
  if (unitSystem != model::kSI && target == MonthTarget::Library) {
    return std::string(kMonthRange) + " in inch-pound units.";
  }
  const auto [low, high] = MonthLimitValues(row, unitSystem, target);
  const auto text = [row](double v) { return Trim(model::NumberText(model::RoundTo(v, Decimals(row)))); };
  const auto& units = unitSystem == model::kSI ? kSIRowUnits : kIPRowUnits;
  return "whose values in this row run from " + text(low) + " to " + text(high) + " (" +
         units[static_cast<std::size_t>(row)] + ").";
}

// Whether a month box's text, its value rounded to the row's decimals as its field holds it,
// lies within the limits of its row and fits the target's field.
class MonthCheck {
 public:
  MonthCheck(int unitSystem, MonthTarget target) : unitSystem_(unitSystem), target_(target) {}
  bool operator()(int row, const std::string& text) {
    std::optional<std::pair<float, float>>& limits = limits_[static_cast<std::size_t>(row)];
    if (!limits) {
      const auto [low, high] = MonthLimitValues(row, unitSystem_, target_);
      limits = std::make_pair(model::RoundTo(low, Decimals(row)), model::RoundTo(high, Decimals(row)));
    }
    const float value = model::RoundTo(model::Val(text), Decimals(row));
    return value >= limits->first && value <= limits->second && FitsField(row, text, unitSystem_, target_);
  }

 private:
  int unitSystem_;
  MonthTarget target_;
  std::array<std::optional<std::pair<float, float>>, kRows> limits_{};
};

// Whether a box still holds the text that the window showed for its value of the record it
// was filled from; blanks around the number do not count.
bool Unchanged(std::string_view text, std::string_view shown) { return Trim(text) == Trim(shown); }

// A record's values as written from the boxes, in inch-pound units: each box whose text is
// still the one shown for the source record keeps that record's value; the others are the
// boxes' values converted from the window's units.
struct LibraryValues {
  // latitude, longitude, time meridian and elevation (feet); none beyond single precision
  std::array<std::optional<float>, 4> station;
  std::array<std::array<double, 12>, kRows> months{};
  // whether month box (row, month) keeps its source record's value
  std::array<std::array<bool, 12>, kRows> kept{};
};

LibraryValues ValuesToWrite(const WeatherEntry& e, int unitSystem) {
  const std::optional<WeatherEntry> shown =
      e.source ? std::optional<WeatherEntry>(EntryOf(*e.source, unitSystem)) : std::nullopt;
  LibraryValues out;
  const auto stationTexts = [](const WeatherEntry& x) {
    return std::array<const std::string*, 4>{&x.latitude, &x.longitude, &x.meridian, &x.elevation};
  };
  const std::array<const std::string*, 4> texts = stationTexts(e);
  for (std::size_t k = 0; k < 4; ++k) {
    double value = model::Val(*texts[k]);
    if (shown && Unchanged(*texts[k], *stationTexts(*shown)[k])) {
      const LibraryRecord& r = *e.source;
      value = std::array<double, 4>{r.latitude, r.longitude, r.meridian, r.elevation}[k];
    } else if (k == 3 && unitSystem == model::kSI) {
      value = std::floor(value * 3.2808 + 0.5);
    }
    out.station[k] = Single(value);
  }
  for (std::size_t row = 0; row < kRows; ++row) {
    for (std::size_t m = 0; m < 12; ++m) {
      const std::string& text = e.months[row][m];
      out.kept[row][m] = shown && Unchanged(text, shown->months[row][m]);
      out.months[row][m] = out.kept[row][m] ? e.source->months[row][m]
                                            : ToLibrary(static_cast<int>(row), model::Val(text), unitSystem);
    }
  }
  return out;
}

// A limit or a value as a refusal quotes it.
std::string LimitText(double value) { return Trim(model::NumberText(static_cast<float>(value))); }

// The range of station value `k` (0 latitude .. 3 elevation) that a run accepts, in the
// window's units: the engine's own, and for an SI elevation the metres, to 0.1 m, whose feet,
// as the project's weather is converted for the run, lie in the engine's range.
std::pair<double, double> StationLimits(std::size_t k, int unitSystem) {
  const station::ValueRange& range = station::kRanges[k];
  if (k != station::kElevation || unitSystem != model::kSI) return {range.lo, range.hi};
  const auto runs = [&range](long tenths) {
    const float feet = model::ElevationToFeet(static_cast<float>(static_cast<double>(tenths) / 10));
    return feet >= range.lo && feet <= range.hi;
  };
  const auto [low, high] = EndsTaken(static_cast<long>(std::floor(range.lo / 3.28084 * 10)) - 2,
                                     static_cast<long>(std::ceil((range.hi + 1) / 3.28084 * 10)) + 2,  // feet are rounded down
                                     runs);
  return {static_cast<double>(low) / 10, static_cast<double>(high) / 10};
}

// A design temperature of a project in the window's units as a run reads it, in degrees F.
double DesignTempInRun(double value, int unitSystem) {
  return model::Val(model::DesignTempForRun(value, unitSystem));
}

// The range of a design temperature that a run accepts, in the window's units: the engine's
// own, and in SI the tenths of a degree C whose degrees F, as the run file holds them, lie in it.
std::pair<double, double> DesignTempLimits(int unitSystem) {
  const station::ValueRange& range = station::kTemperature;
  if (unitSystem != model::kSI) return {range.lo, range.hi};
  const auto runs = [&range](long tenths) {
    const double f = DesignTempInRun(static_cast<double>(tenths) / 10, model::kSI);
    return f >= range.lo && f <= range.hi;
  };
  const auto [low, high] = EndsTaken(std::lround((range.lo - 32) / 1.8 * 10), std::lround((range.hi - 32) / 1.8 * 10), runs);
  return {static_cast<double>(low) / 10, static_cast<double>(high) / 10};
}

constexpr std::array<const char*, 3> kDesignTempNames{"summer design dry bulb", "summer design wet bulb",
                                                      "winter design dry bulb"};

// Why the design temperatures that OK derives from the project's weather block would stop a
// run, or empty: the first that lies outside the range that the engine accepts, quoted with
// that range in the window's units.
std::string DesignTempRefusal(const std::array<std::string, 12>& block, int unitSystem) {
  model::WeatherStats wx;
  model::WeatherStatsToIP(block, unitSystem, wx);
  const std::array<double, 3> temps = model::DesignTemps(wx, unitSystem);
  const station::ValueRange& range = station::kTemperature;
  const std::string unit = (unitSystem == model::kSI ? kSIRowUnits : kIPRowUnits)[0];
  for (std::size_t k = 0; k < temps.size(); ++k) {
    const double run = DesignTempInRun(temps[k], unitSystem);
    if (run >= range.lo && run <= range.hi) continue;
    const auto [low, high] = DesignTempLimits(unitSystem);
    return "The " + std::string(kDesignTempNames[k]) + " that follows from the monthly values, " +
           LimitText(temps[k]) + " (" + unit + "), is outside the range that the simulation accepts, which runs from " +
           LimitText(low) + " to " + LimitText(high) + " (" + unit + ").  Please correct the monthly values.";
  }
  return {};
}

std::string StationUnit(std::size_t k, int unitSystem) {
  if (k != station::kElevation) return "degrees";
  return unitSystem == model::kSI ? "m" : "ft";
}

// The first station box whose value lies outside the range that a run accepts, or none.
std::optional<std::size_t> StationOutOfRange(const std::array<std::string, 4>& values, int unitSystem) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    const auto [low, high] = StationLimits(k, unitSystem);
    const double value = model::Val(values[k]);
    if (!(value >= low && value <= high)) return k;
  }
  return std::nullopt;
}

// Why a record cannot be written, with the file error its writer gives.
struct Refusal {
  int error = 0;
  std::string message;
};

Refusal RefusalOf(const WeatherEntry& e, int unitSystem) {
  const std::string nothingSaved = "  Nothing has been saved.";
  const std::array<std::pair<const std::string*, const char*>, 3> texts{
      {{&e.state, "state"}, {&e.city, "city"}, {&e.station, "station number"}}};
  for (const auto& [text, name] : texts) {
    if (text->find('"') != std::string::npos) {
      return {model::kErrTypeMismatch,
              "The " + std::string(name) + " must not contain a double quote (\")." + nothingSaved};
    }
  }
  const std::array<const std::string*, 4> stationTexts{&e.latitude, &e.longitude, &e.meridian, &e.elevation};
  const LibraryValues values = ValuesToWrite(e, unitSystem);
  for (std::size_t k = 0; k < 4; ++k) {
    if (!values.station[k]) {
      return {model::kErrOverflow, "The " + std::string(kStationNames[k]) + " " + Trim(*stationTexts[k]) +
                                       " is too large for the weather library." + nothingSaved};
    }
  }
  // A box that keeps its stored value keeps it as the library holds it; a box the user changed
  // holds a value within the limits that a refusal quotes.
  MonthCheck within(unitSystem, MonthTarget::Library);
  const auto misfit = FirstMisfit([&values, &e, &within](int row, std::size_t m) {
    const auto r = static_cast<std::size_t>(row);
    return SixColumnField(row, values.months[r][m]).has_value() && (values.kept[r][m] || within(row, e.months[r][m]));
  });
  if (misfit) {
    return {model::kErrOverflow, BoxAndValue(e, *misfit) + " does not fit the weather library, " +
                                     MonthLimits(misfit->first, unitSystem, MonthTarget::Library) + nothingSaved};
  }
  return {};
}

// The library's lines of the records its readers see, and the rest of its text as it stands:
// the lines past the 3000th record. Blank lines after fewer records end the library.
struct LibraryParts {
  std::vector<std::string> seen;
  std::string_view rest;
};

LibraryParts PartsOf(std::string_view library, std::size_t records) {
  LibraryParts parts{Lines(library), {}};
  const std::size_t seenLines = records * kLinesPerRecord;
  if (records >= static_cast<std::size_t>(kMaxRecords)) {
    std::size_t at = 0;
    for (std::size_t k = 0; k < seenLines && at < library.size(); ++k) {
      const std::size_t end = library.find('\n', at);
      at = end == std::string_view::npos ? library.size() : end + 1;
    }
    parts.rest = library.substr(at);
  }
  parts.seen.resize(seenLines);
  return parts;
}

// The new library text, verified: it must read back as `expected` (as far as the readers
// see), else it is not the library's format and nothing is to be written.
std::string Verified(const LibraryParts& parts, std::vector<LibraryRecord> expected) {
  std::string text = Joined(parts.seen);
  text.append(parts.rest);
  if (expected.size() > static_cast<std::size_t>(kMaxRecords)) expected.resize(kMaxRecords);
  bool same = false;
  try {
    same = ParseLibrary(text) == expected;
  } catch (const model::FileError&) {
  }
  if (!same) {
    throw model::FileError(model::kErrPastEndOfFile, "weather library: the saved records would not read back");
  }
  return text;
}

}  // namespace

std::vector<std::string> DelimitedFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size()) break;
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? line.size() : close;
      fields.emplace_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
      while (i < line.size() && line[i] == ' ') ++i;
      if (i < line.size() && line[i] == ',') ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != ',' && line[end] != '\t') ++end;
    fields.emplace_back(line.substr(i, end - i));
    i = end;
    while (i < line.size() && line[i] == ' ') ++i;
    if (i < line.size() && line[i] == ',') ++i;
  }
  return fields;
}

namespace {

// The records of a library text. A text that ends in the middle of a record (its last record
// has fewer than 10 lines, or its last line, left without a line end, does not hold the
// fields of its line) is cut short: `cut` is the error then, else the wrong format.
std::vector<LibraryRecord> ParseRecords(std::string_view text, const std::optional<model::FileError>& cut) {
  const std::vector<std::string> lines = Lines(text);
  const bool lastLineEnded = !text.empty() && text.back() == '\n';
  const auto wrongFormat = [&](std::size_t line) {
    return cut && line + 1 >= lines.size() && !lastLineEnded ? *cut : WrongFormat(line);
  };
  std::vector<LibraryRecord> records;
  for (std::size_t at = 0; at + 1 <= lines.size() && records.size() < kMaxRecords;
       at += kLinesPerRecord) {
    if (at + kLinesPerRecord > lines.size()) {
      // Blank lines at the end are no record.
      bool blank = true;
      for (std::size_t k = at; k < lines.size(); ++k) blank = blank && Trim(lines[k]).empty();
      if (blank) break;
      if (cut) throw *cut;
      throw WrongFormat(lines.size());
    }
    LibraryRecord r;
    const std::vector<std::string> head = DelimitedFields(lines[at]);
    if (head.size() != 2 || lines[at].find('"') != 0) throw wrongFormat(at);
    r.stateCode = head[0];
    r.stateField = head[1];
    const std::vector<std::string> station = DelimitedFields(lines[at + 1]);
    if (station.size() != 6 || lines[at + 1].find('"') != 0) throw wrongFormat(at + 1);
    r.cityString = station[0];
    r.station = station[1];
    double* values[] = {&r.latitude, &r.longitude, &r.meridian, &r.elevation};
    for (std::size_t k = 0; k < 4; ++k) {
      if (!ParseNumber(station[k + 2], *values[k])) throw wrongFormat(at + 1);
    }
    for (int row = 0; row < kRows; ++row) {
      const std::size_t n = at + 2 + static_cast<std::size_t>(row);
      const std::vector<std::string> fields = DelimitedFields(lines[n]);
      if (fields.size() != 12) throw wrongFormat(n);
      for (std::size_t m = 0; m < 12; ++m) {
        if (!ParseNumber(fields[m], r.months[static_cast<std::size_t>(row)][m])) throw wrongFormat(n);
      }
    }
    records.push_back(std::move(r));
  }
  // The last line, when it is the last record's wind row, is whole only with its line end or
  // its full width: a value cut inside it still reads as a number.
  if (cut && records.size() * kLinesPerRecord == lines.size() && model::EndsInsideLastLine(text, kRowWidth)) {
    throw *cut;
  }
  return records;
}

}  // namespace

std::vector<LibraryRecord> ParseLibrary(std::string_view text) { return ParseRecords(text, std::nullopt); }

std::string ReadLibraryText(const std::string& path) {
  std::string text = model::ReadWholeFile(path);
  if (model::HoldsNothing(text)) throw model::EmptyFileError(path);
  ParseRecords(text, model::CutFileError(path));
  return text;
}

std::vector<LibraryRecord> ReadLibraryFile(const std::string& path) { return ParseLibrary(ReadLibraryText(path)); }

std::string CityKey(std::string_view s) { return std::string(s.substr(0, s.find(','))); }

std::string StateText(std::string_view s) {
  const std::size_t comma = s.find(',');
  if (comma == std::string_view::npos || comma + 2 > s.size()) return {};
  return std::string(s.substr(comma + 2));
}

std::string StateName(std::string_view s) {
  std::string state = StateText(s);
  const std::size_t mark = state.find_first_of(kMarks);
  if (mark != std::string::npos) state.resize(mark);
  if (!state.empty()) state.pop_back();
  return state;
}

std::string StateKey(std::string_view s) {
  std::string state = StateText(s);
  while (!state.empty() && (state.back() == ' ' || kMarks.find(state.back()) != std::string_view::npos)) {
    state.pop_back();
  }
  return state;
}

std::string Mark(std::string_view s) {
  const std::size_t at = s.find_first_of(kMarks);
  if (at == std::string_view::npos) return {};
  if (s[at] == '#' && at + 1 < s.size() && s[at + 1] == '#') return "##";
  return std::string(1, s[at]);
}

std::vector<StateBlock> StateBlocks(const std::vector<LibraryRecord>& records) {
  std::vector<StateBlock> blocks;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i == 0 || records[i].stateField != records[i - 1].stateField) {
      blocks.push_back({StateName(records[i].cityString), static_cast<int>(i + 1), 0});
    } else {
      ++blocks.back().extra;
    }
  }
  return blocks;
}

std::vector<std::string> CitiesOf(const std::vector<LibraryRecord>& records, std::string_view state) {
  std::vector<std::string> cities;
  for (const StateBlock& b : StateBlocks(records)) {
    if (b.name != state) continue;
    for (int k = 0; k <= b.extra; ++k) {
      cities.push_back(CityKey(records[static_cast<std::size_t>(b.first - 1 + k)].cityString));
    }
    break;
  }
  return cities;
}

std::optional<std::size_t> FindCityRecord(const std::vector<LibraryRecord>& records,
                                          std::string_view city, std::string_view state) {
  if (state.empty()) return std::nullopt;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (CityKey(records[i].cityString) != city) continue;
    std::string text = StateText(records[i].cityString);
    const std::size_t mark = text.find_first_of(kMarks);
    if (mark != std::string::npos) text.resize(mark);
    if (text.compare(0, state.size(), state) == 0 && text.size() >= state.size()) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> FindLoaded(const std::vector<LibraryRecord>& records,
                                      std::string_view city, std::string_view stateKey) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (StateKey(records[i].cityString) == stateKey && CityKey(records[i].cityString) == city) return i;
  }
  return std::nullopt;
}

WeatherEntry EntryOf(const LibraryRecord& r, int unitSystem) {
  WeatherEntry e;
  e.source = r;
  e.state = StateKey(r.cityString);
  e.city = CityKey(r.cityString);
  e.station = r.station;
  e.latitude = Field(r.latitude, 1, 5);
  e.longitude = Field(r.longitude, 1, 5);
  e.meridian = Field(r.meridian, 1, 5);
  e.elevation = unitSystem == model::kSI
                    ? model::NumberText(static_cast<float>(std::floor(r.elevation * 0.3048 * 10 + 0.5) / 10))
                    : model::NumberText(static_cast<float>(r.elevation));
  for (int row = 0; row < kRows; ++row) {
    for (std::size_t m = 0; m < 12; ++m) {
      e.months[static_cast<std::size_t>(row)][m] =
          Field(ToWindow(row, r.months[static_cast<std::size_t>(row)][m], unitSystem), Decimals(row), 5);
    }
  }
  return e;
}

std::optional<std::pair<int, int>> FirstNonNumeric(const WeatherEntry& e) {
  for (int row = 0; row < kRows; ++row) {
    for (int m = 0; m < 12; ++m) {
      double v = 0;
      if (!model::ParseNumber(e.months[static_cast<std::size_t>(row)][static_cast<std::size_t>(m)], v)) {
        return std::make_pair(row + 1, m + 1);
      }
    }
  }
  return std::nullopt;
}

std::string RecordRefusal(const WeatherEntry& entry, int unitSystem) {
  return RefusalOf(entry, unitSystem).message;
}

namespace {

// A record's 10 lines as written from the window, and the record they are meant to hold: the
// texts and the values of the number texts written, each as it stands on its line.
struct BuiltRecord {
  std::vector<std::string> lines;
  LibraryRecord record;
};

double ValueOf(std::string_view number) {
  double value = 0;
  model::ParseNumber(number, value);
  return value;
}

BuiltRecord BuildRecord(const WeatherEntry& e, const std::string& stateCode, int unitSystem) {
  if (const Refusal r = RefusalOf(e, unitSystem); r.error != 0) throw model::FileError(r.error, r.message);
  BuiltRecord out;
  LibraryRecord& r = out.record;
  const bool newState = stateCode.empty();
  r.stateCode = newState ? e.state.substr(0, 2) : stateCode;
  r.stateField = e.state.substr(0, 7);
  r.stateField.resize(7, ' ');
  out.lines.push_back("\"" + r.stateCode + "\",\"" + r.stateField + "\"");
  std::string s = e.city + ", " + e.state;
  s = s.substr(0, newState ? 37 : 39);
  const std::size_t column = s.size() < 35 ? 39 : 41;
  std::string line = "\"" + s + (newState ? " !" : "");
  if (line.size() < column - 1) line.resize(column - 1, ' ');
  r.cityString = line.substr(1);
  r.station = e.station;
  line += "\" \"" + e.station + "\"";
  const LibraryValues stored = ValuesToWrite(e, unitSystem);
  double* values[] = {&r.latitude, &r.longitude, &r.meridian, &r.elevation};
  std::size_t k = 0;
  for (const std::optional<float>& v : stored.station) {
    const std::string text = model::PrintedNumber(*v);
    *values[k++] = ValueOf(text);
    line += text;
  }
  out.lines.push_back(line);
  for (int row = 0; row < kRows; ++row) {
    const auto ri = static_cast<std::size_t>(row);
    std::string fields;
    for (std::size_t m = 0; m < 12; ++m) {
      const std::string field = *SixColumnField(row, stored.months[ri][m]);
      r.months[ri][m] = ValueOf(field);
      fields += field;
    }
    out.lines.push_back(fields);
  }
  return out;
}

}  // namespace

std::vector<std::string> RecordLines(const WeatherEntry& e, const std::string& stateCode, int unitSystem) {
  return BuildRecord(e, stateCode, unitSystem).lines;
}

std::string InsertRecord(std::string_view library, const WeatherEntry& entry, int unitSystem,
                         bool& newState) {
  // The blocks are found in the file itself at every insertion.
  const std::vector<LibraryRecord> records = ParseLibrary(library);
  LibraryParts parts = PartsOf(library, records.size());
  std::size_t at = records.size();
  std::string code;
  newState = true;
  for (const StateBlock& b : StateBlocks(records)) {
    if (b.name != entry.state) continue;
    at = static_cast<std::size_t>(b.first + b.extra);
    code = records[static_cast<std::size_t>(b.first - 1)].stateCode;
    newState = false;
    break;
  }
  if (at >= static_cast<std::size_t>(kMaxRecords)) {
    throw model::FileError(model::kErrSubscript, "weather library: a record past the 3000th is never read");
  }
  const BuiltRecord built = BuildRecord(entry, code, unitSystem);
  parts.seen.insert(parts.seen.begin() + static_cast<std::ptrdiff_t>(at * kLinesPerRecord),
                    built.lines.begin(), built.lines.end());
  std::vector<LibraryRecord> expected = records;
  expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), built.record);
  return Verified(parts, std::move(expected));
}

std::string ReplaceRecord(std::string_view library, std::size_t index, const WeatherEntry& entry,
                          int unitSystem) {
  const std::vector<LibraryRecord> records = ParseLibrary(library);
  LibraryParts parts = PartsOf(library, records.size());
  const BuiltRecord built = BuildRecord(entry, records.at(index).stateCode, unitSystem);
  std::copy(built.lines.begin(), built.lines.end(),
            parts.seen.begin() + static_cast<std::ptrdiff_t>(index * kLinesPerRecord));
  std::vector<LibraryRecord> expected = records;
  expected[index] = built.record;
  return Verified(parts, std::move(expected));
}

std::array<std::string, 12> WeatherBlockLines(const WeatherEntry& e, const std::string& mark, int unitSystem,
                                              std::string& location, std::string& refusal) {
  std::array<std::string, 12> block{};
  refusal.clear();
  const std::string station = Trim(e.station);
  if (station.size() > 5) {
    refusal = "The station number has more than five characters.  Please enter the WMO or WBAN number.";
    return {};
  }
  std::array<std::string, 4> values{Trim(e.latitude), Trim(e.longitude), Trim(e.meridian), Trim(e.elevation)};
  for (const std::string& v : values) {
    if (v.empty() || v.size() > 6) {
      refusal = "Please enter the latitude, longitude, time meridian and elevation, each in at most six characters.";
      return {};
    }
  }
  // The station values as the station line that the engine reads holds them from column 56
  // on, read back as the engine reads them: the block's own line, for an inch-pound project;
  // for an SI one, the run file's, which holds the elevation converted to feet, set apart by
  // a blank.
  std::array<std::string, 4> fields;
  for (std::size_t k = 0; k < 4; ++k) fields[k] = model::RightAlign(values[k], 6);
  std::string stationValues = fields[0] + fields[1] + fields[2] + fields[3];
  if (unitSystem == model::kSI) fields[3] = " " + fields[3];
  std::array<double, 4> shown{};
  for (std::size_t k = 0; k < 4; ++k) shown[k] = model::Val(values[k]);
  if (const std::optional<std::size_t> box = freescan::StationMisread(shown, fields)) {
    refusal = "The " + std::string(kStationNames[*box]) + " " + values[*box] +
              " would not be read as entered in the project's weather data, where the station values stand "
              "side by side.  Please enter a number with any minus sign in front, at most one decimal point and "
              "at most five characters unless it begins with a minus sign.";
    return {};
  }
  if (const std::optional<std::size_t> box = StationOutOfRange(values, unitSystem)) {
    const auto [low, high] = StationLimits(*box, unitSystem);
    refusal = "The " + std::string(kStationNames[*box]) + " " + values[*box] +
              " is outside the range that the simulation accepts, which runs from " + LimitText(low) + " to " +
              LimitText(high) + " (" + StationUnit(*box, unitSystem) + ").  Please correct the value.";
    return {};
  }
  MonthCheck within(unitSystem, MonthTarget::Block);
  const auto misfit = FirstMisfit([&e, &within](int row, std::size_t m) {
    return within(row, e.months[static_cast<std::size_t>(row)][m]);
  });
  if (misfit) {
    refusal = BoxAndValue(e, *misfit) + " does not fit the project's weather data, " +
              MonthLimits(misfit->first, unitSystem, MonthTarget::Block) + "  Please correct the value.";
    return {};
  }
  // The location ends by column 50, keeping its mark.
  const std::string tail = " " + mark;
  std::string head = e.city + ", " + e.state;
  if (head.size() + tail.size() > 50) head.resize(50 - tail.size());
  location = head + tail;
  block[1] = std::string(51, ' ') + "WMO#  Lat. Long.  STM.  Elev";
  std::string line2 = location;
  line2.resize(50, ' ');
  std::string paddedStation = station;
  paddedStation.resize(5, ' ');
  line2 += paddedStation + stationValues;
  block[2] = line2;
  block[3] = "          Jan   Feb   Mar   Apr   May   Jun   Jul   Aug   Sep   Oct   Nov   Dec";
  for (int row = 0; row < kRows; ++row) {
    std::string line = kBlockLabels[static_cast<std::size_t>(row)];
    for (std::size_t m = 0; m < 12; ++m) {
      line += *BlockField(row, e.months[static_cast<std::size_t>(row)][m], unitSystem);
    }
    block[static_cast<std::size_t>(row + 4)] = line;
  }
  refusal = DesignTempRefusal(block, unitSystem);
  if (!refusal.empty()) return {};
  return block;
}

WeatherEntry EntryOfBlock(const std::array<std::string, 12>& block, std::string& mark) {
  WeatherEntry e;
  const std::string& line2 = block[2];
  auto cut = [](const std::string& s, std::size_t from, std::size_t n) {
    return from < s.size() ? s.substr(from, n) : std::string();
  };
  const std::string location = cut(line2, 0, 50);
  e.city = location.substr(0, location.find(','));
  std::string state = StateText(location);
  const std::size_t at = state.find_first_of(kMarks);
  mark = Mark(state);
  if (at != std::string::npos) state.resize(at);
  while (!state.empty() && state.back() == ' ') state.pop_back();
  e.state = state;
  e.station = cut(line2, 50, 5);
  // The station values where the simulation reads them: the elevation stands from column 74
  // in the block this window builds, from column 76 in a project saved in the other units.
  using freescan::StationField;
  e.latitude = Field(model::Val(StationField(line2, station::kLatitude)), 1, 5);
  e.longitude = Field(model::Val(StationField(line2, station::kLongitude)), 1, 5);
  e.meridian = Field(model::Val(StationField(line2, station::kMeridian)), 1, 5);
  e.elevation = Field(model::Val(StationField(line2, station::kElevation)), 1, 6);
  for (int row = 0; row < kRows; ++row) {
    for (std::size_t m = 0; m < 12; ++m) {
      e.months[static_cast<std::size_t>(row)][m] =
          Field(model::Val(cut(block[static_cast<std::size_t>(row + 4)], 8 + 6 * m, 5)), Decimals(row), 5);
    }
  }
  return e;
}

}  // namespace kalvano::weather
