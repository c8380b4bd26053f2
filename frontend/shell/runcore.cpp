#include "frontend/shell/runcore.h"

#include "frontend/model/atomic_file.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "runfiles.h"

namespace kalvano::shell {

namespace {
// Pads with blanks so that the next character stands in column `column` (1-based).
void tab(std::string& line, std::size_t column) {
  if (line.size() < column - 1) line.resize(column - 1, ' ');
}
}  // namespace

int Jan1Weekday(int year) {
  const int y = year - 1980;
  // Whole-number division rounded down and a remainder with the dividend's sign.
  const int q = (y + 3) >= 0 ? (y + 3) / 4 : -((-(y + 3) + 3) / 4);
  return (y + q + 2) % 7 + 1;
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
  std::string comfort = "Comfort   : " + PrintedNumber(c.comfortLower);
  tab(comfort, 23);
  comfort += PrintedNumber(c.comfortUpper);
  out.line(comfort);
  return out.content();
}

void WriteRunFiles(model::ProjectModel& m, const RunChoices& c) {
  const bool si = m.UnitSystem == model::kSI;
  model::AtomicFile input(model::AppPath(m, std::string(files::kTempDir) + "/" +
                                               std::string(files::kRunInput)));
  input.line(model::InputHeaderLine(m.WeatherSeed, m.WeeksPerMonth, si ? "SI" : "IP"));
  if (si) {
    model::WriteInputFileIP(m, input);
  } else {
    model::WriteInputFile(m, input);
  }
  model::AtomicFile options(model::AppPath(m, std::string(files::kTempDir) + "/" +
                                                 std::string(files::kRunOptions)));
  options.text(RunOptionsText(c));
  options.commit();
}

}  // namespace kalvano::shell
