// The weather window over the installed library of the base folder (about 1,000 cities in 53
// state blocks): its opening (reading and parsing the library, building the boxes, filling the
// state list, showing and painting the window) and the choice of a state in the state list
// (filling the city list, loading the first city's record into the boxes and painting them).
// The library's reading and parsing alone are measured too.
//
// The window draws offscreen unless QT_QPA_PLATFORM names another platform (for example xcb,
// with DISPLAY set, to measure on a real X server). Build a release tree for figures that
// mean something:
//   bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release
//   build-release/bench/weather_window_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frontend/model/atomic_file.h"
#include "frontend/shell/session.h"
#include "frontend/weather/weatherlib.h"
#include "frontend/weather/weatherwin.h"

namespace {

namespace kw = kalvano::weather;

std::string Library() {
  return kalvano::model::ReadWholeFile(std::string(KALVANO_BASE_DIR) + "/weather/weth.asc");
}

void UseInstalledLibrary() { kalvano::shell::Model().AppDir = KALVANO_BASE_DIR; }

void BM_LibraryRead(benchmark::State& state) {
  std::size_t records = 0;
  for (auto _ : state) {
    const std::vector<kw::LibraryRecord> r = kw::ParseLibrary(Library());
    records = r.size();
    benchmark::DoNotOptimize(records);
  }
  state.counters["records"] = static_cast<double>(records);
}
BENCHMARK(BM_LibraryRead)->Unit(benchmark::kMillisecond);

// From the click on the main menu's step to the painted window with its state list.
void BM_WeatherWindowOpen(benchmark::State& state) {
  UseInstalledLibrary();
  int states = 0;
  for (auto _ : state) {
    auto* w = new kw::weather;
    w->show();
    QApplication::processEvents();
    states = w->Combo1()->count();
    state.PauseTiming();
    delete w;
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["states"] = states;
}
BENCHMARK(BM_WeatherWindowOpen)->Unit(benchmark::kMillisecond);

// A state picked in the open window's state list: its city list filled, its first city's
// record in the boxes, the window painted. The states with the fewest and the most cities, and
// the last one of the list.
void BM_WeatherStateChange(benchmark::State& state, const char* name) {
  UseInstalledLibrary();
  kw::weather w;
  w.show();
  QApplication::processEvents();
  const int index = w.Combo1()->findText(name);
  if (index < 0) {
    state.SkipWithError("state not in the library");
    return;
  }
  // Another state between two picks, so that every pick changes the lists.
  const int other = index == 0 ? 1 : 0;
  int cities = 0;
  for (auto _ : state) {
    w.Combo1_Click(index);
    QApplication::processEvents();
    state.PauseTiming();
    cities = w.Combo3()->count();
    w.Combo1_Click(other);
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["cities"] = cities;
}
BENCHMARK_CAPTURE(BM_WeatherStateChange, Delaware, "Delaware")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WeatherStateChange, Alaska, "Alaska")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WeatherStateChange, California, "California")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WeatherStateChange, Wyoming, "Wyoming")->Unit(benchmark::kMillisecond);

// The offscreen platform says at every showing that it cannot pass size hints on.
void QuietOffscreen(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.contains("does not support propagateSizeHints")) return;
  fprintf(stderr, "%s\n", qPrintable(text));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietOffscreen);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
