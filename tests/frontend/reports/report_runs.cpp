#include "report_runs.h"

#include <QProcess>
#include <QString>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/model/results_record.h"
#include "frontend/reports/inputecho.h"
#include "frontend/shell/run/runcore.h"
#include "runfiles.h"
#include "../model/whole_report_fixture.h"

namespace kalvano::reports::test {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> LinesOf(const std::string& bytes) { return model::SplitLines(bytes); }

std::string EchoFixture(int zones, bool si) {
  std::string out = model::test::Crlf(model::test::ReportHead());
  out += model::test::Crlf(model::test::WeatherPage(si));
  const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  const auto header = [&line] {
    line("*** PROJECT: Fixture office" + std::string(62, ' ') + "LOCATION: Chicago, IL");
    line("    DESCRIPTION: fixture" + std::string(64, ' ') + "Design Phase: test");
    line("    SCHEME: 1");
  };
  int page = 3;
  line(std::string(49, ' ') + "*** Simulation Engine Version 64 ***");
  line("");
  line("\f");
  line(std::string(114, ' ') + "... PAGE  " + std::to_string(++page) + " ...");
  line("");
  line("I.  P R O J E C T   A N D   B U I L D I N G   D A T A");
  line("    -------------------------------------------------");
  header();
  line("");
  line("    BUILDING DATA .....");
  line("");
  line("II.  Z O N E - B Y - Z O N E   P R O P E R T I E S");
  line("     ---------------------------------------------");
  for (int z = 1; z <= zones; ++z) {
    line(std::string(114, ' ') + "... PAGE  " + std::to_string(++page) + " ...");
    line("");
    header();
    line("");
    line("    " + std::string(126, '='));
    line("    ZONE  " + std::to_string(z) + "   Zone number " + std::to_string(z));
    line("    " + std::string(126, '='));
    line("");
    line("        **** 24 HOUR ZONE PROFILES ****");
    line("        OCCUPANCY   0 0 0 0 0 0 .1 .2 .95 .95 .95 .95 .5 .95 .95 .95 .95 .3 .1 .1 0 0 0 0");
    line("\f");
    line("    CODE COMPLIANCE CHECKING INFORMATION:");
    line("");
    line("    Zone Floor Area  =  " + std::to_string(1000 * z));
  }
  return out;
}

std::string School98() {
  const std::vector<std::string> school =
      model::ReadFileLines(std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleSchool.inp");
  const auto at = [&school](std::string_view line) {
    return static_cast<std::size_t>(std::find(school.begin(), school.end(), line) - school.begin());
  };
  const std::size_t zone = at("Zone No.  12"), matrix = at("BUILDING MATRIX");
  constexpr std::size_t kZoneLines = 33, kSurfaceLines = 14;
  std::vector<std::string> copy(school.begin() + static_cast<std::ptrdiff_t>(zone),
                                school.begin() + static_cast<std::ptrdiff_t>(zone + kZoneLines + 4 * kSurfaceLines));
  copy.push_back("9999");
  std::vector<std::string> out(school.begin(), school.begin() + static_cast<std::ptrdiff_t>(matrix));
  int zones = 2;
  for (int level = 1; level <= 4; ++level) {
    for (int n = 1; n <= 25 && zones < 98; ++n) {
      const int number = n < 10 ? 10 * level + n : 100 * level + n;
      if (number == 11 || number == 12) continue;
      copy[0] = "Zone No.  " + std::to_string(number);
      copy[1] = "Zone Name Room " + std::to_string(number);
      out.insert(out.end(), copy.begin(), copy.end());
      ++zones;
    }
  }
  for (int level = 1; level <= 4; ++level) {
    out.insert(out.end(), school.begin() + static_cast<std::ptrdiff_t>(matrix + (level == 1 ? 0 : 1)), school.end());
  }
  std::string text;
  for (const std::string& line : out) text += line + "\r\n";
  return text;
}

std::string DayMonthText(int day) {
  static constexpr const char* kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int month = 0;
  while (month < 11 && day > kDays[month]) day -= kDays[month++];
  return std::to_string(day) + "-" + kNames[month] + "-";
}

int RunSample(model::ProjectModel& m, const fs::path& base, const SampleRun& run, int zones) {
  const fs::path installed = KALVANO_BASE_DIR;
  fs::remove_all(base);
  fs::create_directories(base / "temp");
  fs::create_directories(base / "sketch");
  fs::copy(installed / "btype", base / "btype", fs::copy_options::recursive);
  for (std::string_view name : {files::kLightShelf, files::kSeparator, files::kDefaultUnits}) {
    if (fs::exists(installed / "temp" / name)) fs::copy_file(installed / "temp" / name, base / "temp" / name);
  }
  if (run.project.empty()) {
    fs::copy_file(installed / "sample" / run.sample, base / run.sample);
  } else {
    std::ofstream(base / run.sample, std::ios::binary) << run.project;
  }

  m = model::ProjectModel{};
  m.AppDir = base.string();
  m.ProjectFile = (base / run.sample).string();
  model::ReadInputFile(m, m.ProjectFile);
  model::ReadProjectHeader(m);
  m.ProjectFile = run.sample;
  m.TodayText = "10 Dec 2026";  // start-up's date of the page headers
  if (run.weeksPerMonth > 0) m.WeeksPerMonth = static_cast<int16_t>(run.weeksPerMonth);
  shell::RunChoices choices;
  choices.runType = run.runType;
  choices.jan1Weekday = shell::Jan1Weekday(2026);
  choices.beginDay = run.beginDay;
  choices.skippedMonths = run.skippedMonths;
  choices.endDay = run.endDay;
  choices.hourlyOutput = run.hourly ? 1 : 0;
  if (m.UnitSystem == model::kSI) {
    choices.comfortLower = 20;
    choices.comfortUpper = 27;
  }
  shell::WriteRunFiles(m, choices);
  // The period, the year and its first weekday as the run window gives them to the echo.
  m.Run.AnalysisYear = "2026";
  m.Run.RunPeriod[1] = DayMonthText(run.beginDay) + m.Run.AnalysisYear;
  m.Run.RunPeriod[2] = DayMonthText(run.endDay) + m.Run.AnalysisYear;
  m.Run.Jan1Weekday = static_cast<int16_t>(choices.jan1Weekday);
  m.HourlyOutput = choices.hourlyOutput;
  m.RunType = static_cast<int16_t>(run.runType);

  QProcess engine;
  engine.setWorkingDirectory(QString::fromStdString((base / "temp").string()));
  engine.start(QString::fromStdString((installed / files::kEngineProgram).string()), {});
  if (!engine.waitForStarted() || !engine.waitForFinished(-1)) return -1;

  std::string report;
  if (zones > 0) {
    report = EchoFixture(zones, m.UnitSystem == model::kSI);
  } else {
    struct Silent : model::MessageBoxes {
      void beep() override {}
      void show(std::string_view, std::string_view, model::MsgIcon) override {}
    } silent;
    WriteInputEcho(m, silent);
    if (m.Run.RunStatus == 5) return -1;
    report = Slurp(base / "temp" / files::kUserReport);
  }
  for (std::string_view name : {files::kEngineReport, files::kWeatherListing, files::kComfortReport}) {
    if (zones > 0 && name == files::kComfortReport) {
      // The comfort report of the fixture's zones, for the months the engine ran, in the
      // report and as the comfort report: the engine's lists the sample's own zones.
      std::vector<int> months;
      const std::vector<std::string> sim = LinesOf(Slurp(base / "temp" / files::kEngineReport));
      std::size_t row = 0;
      while (row < sim.size() && !sim[row].starts_with("MON")) ++row;
      for (row += 5; row < sim.size() && !sim[row].starts_with("="); ++row)
        for (int m = 0; m < 12; ++m)
          if (sim[row].starts_with(model::test::kMonthNames[static_cast<std::size_t>(m)])) months.push_back(m);
      const std::string comfort = model::test::Crlf(model::test::ComfortSection(model::test::ZonesUpTo(zones), months));
      std::ofstream(base / "temp" / name, std::ios::binary) << comfort;
      report += comfort;
      continue;
    }
    for (const std::string& l : LinesOf(Slurp(base / "temp" / name))) report += l + "\r\n";
  }
  std::ofstream(base / "temp" / files::kUserReport, std::ios::binary) << report;
  // What Review Results records as the current results.
  model::RecordResults(m);
  return engine.exitCode();
}

}  // namespace kalvano::reports::test
