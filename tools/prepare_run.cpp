// Prepares a simulation of a project file without the desktop: writes the engine's run
// files into BASE/temp for a whole year of generated weather, as the run window does.
//   kalvano-prepare-run BASE PROJECT.inp [YEAR] [--hourly] [--run-type N]
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/run/runcore.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace {
bool parseInt(std::string_view text, int& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}
}  // namespace

int main(int argc, char** argv) {
  using namespace kalvano;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s BASE PROJECT.inp [YEAR] [--hourly] [--run-type N]\n", argv[0]);
    return 2;
  }
  model::ProjectModel m;
  m.AppDir = argv[1];
  int year = 2026;
  shell::RunChoices choices;
  for (int i = 3; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--hourly") {
      choices.hourlyOutput = 1;
    } else if (arg == "--run-type" && i + 1 < argc && parseInt(argv[i + 1], choices.runType)) {
      ++i;
    } else if (!parseInt(arg, year)) {
      std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
      return 2;
    }
  }
  try {
    m.ProjectFile = argv[2];
    model::ReadInputFile(m, m.ProjectFile);
    model::ReadProjectHeader(m);
    choices.jan1Weekday = shell::Jan1Weekday(year);
    choices.beginDay = model::DayOfYear("1-Jan-", year);
    choices.endDay = model::DayOfYear("31-Dec-", year);
    if (m.UnitSystem == model::kSI) {
      choices.comfortLower = 20;
      choices.comfortUpper = 27;
    }
    shell::WriteRunFiles(m, choices);
  } catch (const model::FileError& e) {
    std::fprintf(stderr, "%s: %s (error %d)\n", argv[2], model::FileErrorMessage(e.number()).c_str(),
                 e.number());
    return 1;
  }
  std::printf("Run files written to %s/temp\n", argv[1]);
  return 0;
}
