#include "engine/core/outputs.h"

#include <unistd.h>

#include <string_view>

#include "engine/core/state.h"
#include "runfiles.h"

namespace kv {

namespace {

namespace files = kalvano::files;

struct Output {
  OutFile RunFiles::*file;
  std::string_view name;
};

// The monitor log first.
constexpr Output kOutputs[] = {
    {&RunFiles::monitor, files::kMonitorLog},       {&RunFiles::report, files::kEngineReport},
    {&RunFiles::listing, files::kWeatherListing},   {&RunFiles::comfort, files::kComfortReport},
    {&RunFiles::wsummary, files::kWeatherSummary},  {&RunFiles::hrEnergy, files::kHourlyEnergy},
    {&RunFiles::trace, files::kDebugTrace},         {&RunFiles::hrWeather, files::kHourlyWeather},
    {&RunFiles::hrTemps, files::kHourlyTemps},
};

}  // namespace

void RemoveStaleOutputs(EngineState& s) {
  // unlink, not remove: a folder in the way is the user's and stays.
  for (const Output& o : kOutputs) ::unlink(runPath(s.runDir, o.name).c_str());
}

void OpenOutputs(EngineState& s) {
  for (const Output& o : kOutputs) (s.files.*o.file).create(runPath(s.runDir, o.name));
}

void CloseOutputsButMonitor(EngineState& s) {
  for (const Output& o : kOutputs) {
    if (o.file != &RunFiles::monitor) (s.files.*o.file).close();
  }
}

void CloseOutputs(EngineState& s) {
  CloseOutputsButMonitor(s);
  s.files.monitor.close();
}

void AbandonOutputs(EngineState& s) {
  for (const Output& o : kOutputs) (s.files.*o.file).abandon();
}

}  // namespace kv
