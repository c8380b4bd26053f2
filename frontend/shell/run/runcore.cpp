#include "frontend/shell/run/runcore.h"

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "runcalendar.h"
#include "runfiles.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace kalvano::shell {

namespace {

// Pads with blanks so that the next character stands in column `column` (1-based).
void tab(std::string& line, std::size_t column) {
  if (line.size() < column - 1) line.resize(column - 1, ' ');
}

std::string TempFile(const model::ProjectModel& m, std::string_view name) {
  return model::AppPath(m, std::string(files::kTempDir) + "/" + std::string(name));
}

// The number in columns col..col+w-1 of a line, blanks ignored; -1 when there is none.
int FixedNumber(std::string_view line, std::size_t col, std::size_t w) {
  if (line.size() < col - 1 + w) return -1;
  int v = 0;
  bool any = false;
  for (char c : line.substr(col - 1, w)) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
    any = true;
  }
  return any ? v : -1;
}

// Month and day of a record of a recorded weather file: the fixed columns of TMY2 (1),
// WYEC2 (2) and Custom (4), the second and third free numbers of IWEC (3).
bool RecordDate(std::string_view line, int format, int& month, int& day) {
  if (format == 3) {
    const std::vector<std::string> words = model::SplitOn(line, " \t,");
    double v[3];
    if (words.size() < 8) return false;
    for (int i = 0; i < 3; ++i) {
      if (!model::ParseNumber(words[static_cast<std::size_t>(i)], v[i])) return false;
    }
    month = static_cast<int>(v[1]);
    day = static_cast<int>(v[2]);
    return true;
  }
  const std::size_t monthCol = format == 2 ? 9 : format == 4 ? 6 : 4;
  month = FixedNumber(line, monthCol, 2);
  day = FixedNumber(line, monthCol + 2, 2);
  return month >= 0 && day >= 0;
}

}  // namespace

int Jan1Weekday(int year) {
  using namespace std::chrono;
  const weekday w{sys_days{std::chrono::year{year} / January / 1}};
  return static_cast<int>(w.c_encoding()) + 1;
}

std::string ComfortField(float value) {
  std::string text = model::PrintedNumber(value);
  for (int decimals = 6; text.size() > 9 && decimals >= 0; --decimals) {
    text = model::PrintedNumber(model::RoundTo(static_cast<double>(value), decimals));
  }
  return text;
}

std::string RunOptionsText(const RunChoices& c) {
  using model::NumberText;
  using model::PrintedNumber;
  model::AtomicFile out("");
  out.line("Run type  : " + NumberText(static_cast<float>(c.runType)));
  std::string weather = "Wthr type : " + NumberText(static_cast<float>(c.weatherFormat));
  if (c.weatherFormat > 0) {
    tab(weather, 29);
    weather += PrintedNumber(1);
  }
  out.line(weather);
  out.line("1st day   : " + PrintedNumber(static_cast<float>(c.jan1Weekday)));
  out.line("Run begin : " + NumberText(static_cast<float>(c.beginDay)));
  out.line("Run end   : " + NumberText(static_cast<float>(c.endDay)));
  out.line("Hourly out: " + PrintedNumber(static_cast<float>(c.hourlyOutput)));
  std::string skip = "Skip month: ";
  for (int month : c.skippedMonths) skip += PrintedNumber(static_cast<float>(month)) + " ";
  out.line(skip);
  std::string comfort = "Comfort   : " + ComfortField(c.comfortLower);
  tab(comfort, 23);
  comfort += ComfortField(c.comfortUpper);
  out.line(comfort);
  return out.content();
}

RunFiles BuildRunFiles(model::ProjectModel& m, const RunChoices& c,
                       const std::vector<std::string>& matrix) {
  const bool si = m.UnitSystem == model::kSI;
  RunFiles out{model::AtomicFile(TempFile(m, files::kRunInput), model::NameKind::Fixed),
               model::AtomicFile(TempFile(m, files::kRunOptions), model::NameKind::Fixed)};
  out.input.line(model::InputHeaderLine(m.WeatherSeed, m.WeeksPerMonth, si ? "SI" : "IP"));
  model::BuildInputBody(m, out.input, si ? model::BodyWriter::ToInchPound : model::BodyWriter::AsHeld,
                        matrix);
  out.options.text(RunOptionsText(c));
  return out;
}

void WriteRunFiles(model::ProjectModel& m, const RunChoices& c) {
  // A missing sketch fails the run before anything is replaced.
  const RunFiles run =
      BuildRunFiles(m, c, model::ReadFileLines(model::AppPath(m, files::kBuildingMatrix)));
  model::CommitAll({&run.input, &run.options});
}

void SetAnalysisYear(model::ProjectModel& m, int year) {
  m.Run.AnalysisYear = std::to_string(year);
  m.ProjectData[6] = m.Run.AnalysisYear;
}

std::string SeedText(double draw) {
  long long digits = static_cast<long long>(std::floor(draw * 1e8));
  if (digits < 1) digits = 1;
  if (digits > 99999999) digits = 99999999;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08lld", digits);
  std::string text(buf);
  while (text.back() == '0') text.pop_back();
  return " ." + text;
}

std::optional<int> RunYear(std::string_view yearText) {
  const std::size_t first = yearText.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::string_view digits = yearText.substr(first, yearText.find_last_not_of(' ') - first + 1);
  if (digits.size() > 4) return std::nullopt;
  int y = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    y = y * 10 + (c - '0');
  }
  if (y < 100) y += 2000;
  if (y < kFirstRunYear || y > kLastRunYear) return std::nullopt;
  return y;
}

bool RecordedHasLeapDay(const std::string& path, int weatherFormat) {
  const std::vector<std::string> lines = model::ReadFileLinesOrNone(path);
  // TMY2 and Custom files open with the station header.
  const std::size_t first = weatherFormat == 1 || weatherFormat == 4 ? 1 : 0;
  for (std::size_t i = first; i < lines.size(); ++i) {
    int month = 0, day = 0;
    if (RecordDate(lines[i], weatherFormat, month, day) && month == 2 && day == 29) return true;
  }
  return false;
}

std::string CapacityOverflows(const model::ProjectModel& m) {
  int zones = 0, surfaces = 0;
  for (int z = 1; z <= std::min<int>(m.ZoneCount, model::kMaxZones); ++z) {
    if (m.ZoneCode[z].empty()) continue;
    ++zones;
    for (int r = 1; r <= std::min<int>(m.SurfaceCount[z], model::kMaxSurfaces); ++r) {
      if (m.SurfWallArea[z][r] != 0.0f || m.SurfWinArea[z][r] != 0.0f) ++surfaces;
    }
  }
  auto typesOf = [](const model::TypeColumn& ids) {
    int n = 0;
    for (int id = 1; id <= model::kFileTypeIds; ++id) n += ids[id].empty() ? 0 : 1;
    return n;
  };
  std::string text;
  auto check = [&text](int count, int limit, std::string_view what) {
    if (count <= limit) return;
    text += std::to_string(count) + " " + std::string(what) + " (at most " +
            std::to_string(limit) + ")\n";
  };
  check(zones, 98, "zones");
  check(surfaces, 400, "exterior surfaces in all zones");
  check(typesOf(m.WallId), 20, "wall and roof types");
  check(typesOf(m.WinId), 20, "window types");
  static constexpr std::array<std::string_view, 6> kKinds{
      "", "occupancy profiles", "hot water profiles", "ventilation profiles",
      "lighting profiles", "temperature profiles"};
  for (int kind = 1; kind <= 5; ++kind) {
    model::ProfileKindRef p = model::ProfileKind(const_cast<model::ProjectModel&>(m), kind);
    const int last = kind == 5 ? model::kTempProfiles : model::kMaxProfileNo;
    int n = 0;
    for (int k = 1; k <= last; ++k) n += p.marks[k].empty() ? 0 : 1;
    check(n, 20, kKinds[static_cast<std::size_t>(kind)]);
  }
  if (text.empty()) return text;
  return "The simulation cannot take this project. It holds:\n" + text +
         "Please reduce the project before running it.";
}

std::string NoSimulatedDayText(int weeks) {
  const std::string n = std::to_string(weeks);
  return "No simulated day falls in the simulation period with " + n +
         (weeks == 1 ? " week" : " weeks") + " a month: the simulation then computes " +
         std::to_string(7 * weeks) +
         " days spread over each month, and none of them lies in this period. Please enter a "
         "longer period, or choose more weeks per month.";
}

RunPrepared PrepareRunFiles(model::ProjectModel& m, const RunRequest& r) {
  RunPrepared out;
  auto stop = [&out](RunFault fault, std::string_view title, std::string_view text) {
    out.fault = fault;
    out.title = std::string(title);
    out.text = std::string(text);
    return out;
  };
  // Checks, in this order.
  auto blank = [](const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; };
  if (r.recordedWeather && (blank(r.beginText) || blank(r.endText))) {
    return stop(RunFault::Validation, kPeriodTitle, kPeriodText);
  }
  if (r.recordedWeather && m.WeatherFileChosen == 0) {
    return stop(RunFault::Validation, kWeatherFileTitle, kWeatherFileText);
  }
  if (r.weeks < 1 || r.weeks > 4) return stop(RunFault::Validation, kLengthTitle, kLengthText);
  const std::optional<int> runYear = RunYear(r.yearText);
  if (!runYear) return stop(RunFault::Validation, kYearTitle, kYearText);
  if (const std::string over = CapacityOverflows(m); !over.empty()) {
    return stop(RunFault::Capacity, kCapacityTitle, over);
  }

  model::RunData& run = m.Run;
  run.LastRunType = m.RunType;
  m.Pages.WeatherPagesSplit = 0;
  m.HourlyOutput = r.hourly ? 1 : 0;
  bool allNumbers = true;
  for (int i = 1; i <= 3; ++i) {
    m.DesTemps[static_cast<std::size_t>(i)] = r.desTemps[static_cast<std::size_t>(i)];
    double v = 0;
    allNumbers = allNumbers && model::ParseNumber(r.desTemps[static_cast<std::size_t>(i)], v);
  }
  // Edited design temperatures reach the run file only when the writer keeps them.
  if (allNumbers) m.DesTempsValid = 1;

  // The period, in the engine's calendar.
  std::string b = r.beginText, e = r.endText;
  if (b.empty() || b.back() != '-') b += "-";
  if (e.empty() || e.back() != '-') e += "-";
  const int year = *runYear;
  SetAnalysisYear(m, year);
  out.yearBox = run.AnalysisYear;
  run.RunPeriod[1] = b + run.AnalysisYear;
  run.RunPeriod[2] = e + run.AnalysisYear;
  // Generated weather is format 0 whatever file was picked before, so that the echo, the run
  // files and the model agree.
  if (!r.recordedWeather) run.WeatherFormat = 0;
  const int format = run.WeatherFormat;
  const bool leapDay =
      format != 0 && RecordedHasLeapDay(TempFile(m, files::kRecordedWeather), format);
  const int february = calendar::FebruaryDays(format, year, leapDay);
  RunChoices c;
  try {
    c.beginDay = model::DayOfYear(b, year, february);
    c.endDay = model::DayOfYear(e, year, february);
  } catch (const model::FileError&) {
    return stop(RunFault::Dates, kDatesTitle, kDatesText);
  }
  // The engine's own sampling decides whether any day of the period is simulated.
  const calendar::RunPeriod period = calendar::EngineRunPeriod(
      c.beginDay, c.endDay, r.weeks, m.HourlyOutput, format, year, leapDay);
  if (!period.HoldsSimulatedDay()) {
    return stop(RunFault::Period, kPeriodTitle,
                period.endDay < period.beginDay ? std::string(kPeriodEndsFirstText)
                                                : NoSimulatedDayText(r.weeks));
  }

  m.WeatherSeed = r.repeatSequence ? std::string(kRepeatSeed) : SeedText(r.draw);
  m.WeeksPerMonth = static_cast<int16_t>(r.weeks);
  c.runType = m.RunType;
  c.weatherFormat = format;
  run.Jan1Weekday = static_cast<int16_t>(Jan1Weekday(year));
  c.jan1Weekday = run.Jan1Weekday;
  c.hourlyOutput = m.HourlyOutput;
  run.SkippedMonthCount = 0;
  static constexpr std::array<std::string_view, 13> kMonths{
      "", "January", "February", "March", "April", "May", "June", "July", "August",
      "September", "October", "November", "December"};
  for (int month = 1; month <= 12; ++month) {
    run.SkippedMonths[static_cast<std::size_t>(month)].clear();
  }
  for (int month = 1; month <= 12; ++month) {
    if (!r.skipped[static_cast<std::size_t>(month)]) continue;
    c.skippedMonths.push_back(month);
    ++run.SkippedMonthCount;
    run.SkippedMonths[static_cast<std::size_t>(run.SkippedMonthCount)] =
        std::string(kMonths[static_cast<std::size_t>(month)]);
  }
  run.ComfortLower = static_cast<float>(model::Val(r.lowerText));
  run.ComfortUpper = static_cast<float>(model::Val(r.upperText));
  c.comfortLower = run.ComfortLower;
  c.comfortUpper = run.ComfortUpper;
  try {
    WriteRunFiles(m, c);
  } catch (const model::FileError& error) {
    out.fault = RunFault::File;
    out.error = error;
    return out;
  }
  m.DesTempsValid = 1;
  run.RunStatus = 0;
  return out;
}

}  // namespace kalvano::shell
