// A year's simulation by the whole kvan64 process: generated weather at Denver, run type 3,
// whole months, detail level 0, with and without the hourly spreadsheets, for a 10-zone and a
// 98-zone building made from the zones of the installed school sample. Reports the wall time
// of the process, its peak resident memory and the time per zone-hour and surface-hour.
//
// Build a release tree for figures that mean something:
//   bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release
//   build-release/bench/kvan64_bench
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "frontend/shell/run/runcore.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> ReadLines(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  std::vector<std::string> lines;
  std::string l;
  while (std::getline(in, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
  }
  return lines;
}

bool StartsWith(const std::string& s, std::string_view p) { return s.compare(0, p.size(), p) == 0; }

// A project of `zones` copies of the template's first zone with `surfaces` surfaces in all,
// spread over levels of 25 zones each.
std::string MakeProject(const std::vector<std::string>& t, int zones, int surfaces) {
  size_t zonesAt = 0;
  while (zonesAt < t.size() && t[zonesAt] != "ZONES") ++zonesAt;
  size_t firstWall = zonesAt + 3;
  while (firstWall < t.size() && !StartsWith(t[firstWall], "Wall ID.")) ++firstWall;
  std::vector<std::vector<std::string>> surf;
  for (size_t i = firstWall; i < t.size() && t[i] != "9999"; i += 14)
    surf.emplace_back(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(i) + 14);
  float height = 3.5f;
  for (const std::string& l : t)
    if (StartsWith(l, "Room Height : ")) height = std::stof(l.substr(14));
  if (zonesAt == t.size() || surf.empty()) throw std::runtime_error("template has no zone");

  std::ostringstream out;
  for (size_t i = 0; i <= zonesAt; ++i) out << t[i] << "\r\n";
  int written = 0;
  const int levels = (zones + 24) / 25;
  for (int z = 1; z <= zones; ++z) {
    const int level = (z - 1) / 25 + 1, n = (z - 1) % 25 + 1;
    const int number = n < 10 ? 10 * level + n : 100 * level + n;
    out << "Zone No.  " << number << "\r\nZone Name Zone " << level << '-' << n << "\r\n";
    for (size_t i = zonesAt + 3; i < firstWall; ++i) out << t[i] << "\r\n";
    const int mine = surfaces / zones + (z <= surfaces % zones ? 1 : 0);
    for (int k = 0; k < mine; ++k, ++written)
      for (const std::string& l : surf[static_cast<size_t>(written) % surf.size()]) out << l << "\r\n";
    out << "9999\r\n";
  }
  out << "BUILDING MATRIX\r\n";
  for (int level = 1; level <= levels; ++level) {
    out << "Grid Size   : 1\r\nOrientation : 0\r\nNo. of Flrs : 1\r\nRoom Height : " << height
        << "\r\nFloor Area  : 0\r\nSection Area: 0\r\n";
    for (int n = 1; n <= 25; ++n) {
      char name[40];
      std::snprintf(name, sizeof name, "ZoneName[%-2d]:Zone %d-%d", n, level, n);
      out << name << "\r\n";
    }
    for (int r = 0; r < 60; ++r) out << std::string(80, '0') << " \r\n";
  }
  return out.str();
}

// A private copy of the base folder holding the run files of one case.
struct RunFolder {
  fs::path base;
  RunFolder(int zones, int surfaces, bool hourly) {
    base = fs::temp_directory_path() /
           ("kvan64_bench_" + std::to_string(::getpid()) + "_" + std::to_string(zones) + "_" +
            std::to_string(surfaces) + (hourly ? "_h" : ""));
    fs::remove_all(base);
    fs::copy(KALVANO_BASE_DIR, base, fs::copy_options::recursive);
    const std::string text =
        MakeProject(ReadLines(fs::path(KALVANO_BASE_DIR) / "sample" / "SampleSchool.inp"), zones,
                    surfaces);
    const fs::path project = base / "bench.inp";
    std::ofstream(project, std::ios::binary) << text;
    kalvano::model::ProjectModel m;
    m.AppDir = base.string();
    m.ProjectFile = project.string();
    kalvano::model::ReadInputFile(m, m.ProjectFile);
    kalvano::model::ReadProjectHeader(m);
    kalvano::shell::RunChoices c;
    c.runType = 3;
    c.hourlyOutput = hourly ? 1 : 0;
    c.jan1Weekday = kalvano::shell::Jan1Weekday(2026);
    c.comfortLower = 20;
    c.comfortUpper = 27;
    kalvano::shell::WriteRunFiles(m, c);
  }
  ~RunFolder() {
    std::error_code ec;
    fs::remove_all(base, ec);
  }
};

// Runs kvan64 in the folder's temp/; returns the exit status and the peak resident set (kB).
int RunEngine(const fs::path& base, long& maxRssKb) {
  const std::string exe = (base / "kvan64").string();
  const std::string dir = (base / "temp").string();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (::chdir(dir.c_str()) != 0) ::_exit(127);
    ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage ru{};
  if (::wait4(pid, &status, 0, &ru) < 0) throw std::runtime_error("wait failed");
  maxRssKb = ru.ru_maxrss;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

void BM_kvan64_year(benchmark::State& state) {
  const int zones = static_cast<int>(state.range(0));
  const int surfaces = static_cast<int>(state.range(1));
  const bool hourly = state.range(2) != 0;
  RunFolder folder(zones, surfaces, hourly);
  long rss = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const int status = RunEngine(folder.base, rss);
    const double dt = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (status != 0) {
      state.SkipWithError(("kvan64 ended with status " + std::to_string(status)).c_str());
      return;
    }
    state.SetIterationTime(dt);
    seconds += dt;
  }
  const double perRun = seconds / static_cast<double>(state.iterations());
  state.counters["peak_MB"] = static_cast<double>(rss) / 1024.0;
  state.counters["us_per_zone_hour"] = perRun * 1e6 / (zones * 8760.0);
  state.counters["us_per_surface_hour"] = perRun * 1e6 / (surfaces * 8760.0);
}

}  // namespace

BENCHMARK(BM_kvan64_year)
    ->ArgNames({"zones", "surfaces", "hourly"})
    ->Args({10, 60, 0})
    ->Args({10, 60, 1})
    ->Args({98, 400, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

BENCHMARK_MAIN();
