// A stand-in for the simulation engine, installed as kvan64 in a test base folder. It reads
// what to do from the word in standin.txt of its working folder and records its arguments,
// its working folder and its process id in standin.log there:
//   ok        writes a report with section III, the weather and comfort reports and a
//             monitor log, sleeps about 1.5 s and exits with 0
//   whole     writes the sections III to VIII and the comfort report of the small whole
//             report of the chart tests (WholeEchoPart holds its echo's part) and exits with 0
//   exit N    writes a monitor log with an error line and exits with N
//   noreport  writes a report without section III and exits with 0
//   silent    writes nothing and exits with 0
//   chatter N writes 200 numbered lines (about 6 KB) to standard error and exits with N
//   named N   writes a monitor log whose last line names a zone in Latin-1 ("Entr\xE9e"), names
//             its working folder on standard error and exits with N
//   abort     aborts
//   hang      never ends
//   stubborn  never ends, and takes no notice of a request to terminate
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/frontend/reports/chart_report_builder.h"

namespace {
void Write(const char* name, const std::string& text) {
  std::ofstream(name, std::ios::binary) << text;
}
}  // namespace

int main(int argc, char** argv) {
  (void)argv;
  std::string mode;
  int status = 0;
  {
    std::ifstream in("standin.txt");
    in >> mode >> status;
  }
  char cwd[4096] = {};
  if (getcwd(cwd, sizeof cwd) == nullptr) cwd[0] = '\0';
  std::ostringstream log;
  log << "args=" << (argc - 1) << "\ncwd=" << cwd << "\npid=" << getpid() << "\n";
  Write("standin.log", log.str());
  if (mode == "ok") {
    Write("monitor.txt", "Input read.\r\nSimulation completed.\r\n");
    Write("sim$.out", "\f\r\nIII.  MONTHLY SUMMARIES\r\nrow 1\r\n");
    Write("tavik$.wth", "\f\r\nVIII. WEATHER\r\n");
    Write("tavik$.flt", "\f\r\nIX.  COMFORT\r\nzone 1\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    return 0;
  }
  if (mode == "whole") {
    const std::string report = kalvano::reports::test::ReadableYear().bytes();
    const std::size_t three = report.find("\r\nIII.") + 2;
    const std::size_t nine = report.find("\r\nIX.") + 2;
    Write("monitor.txt", "Input read.\r\nSimulation completed.\r\n");
    Write("sim$.out", report.substr(three, nine - three));
    Write("tavik$.wth", "");
    Write("tavik$.flt", report.substr(nine));
    return 0;
  }
  if (mode == "exit") {
    Write("monitor.txt", "Input read.\r\n** ERROR ** A STAND-IN FAILURE\r\n");
    return status;
  }
  if (mode == "noreport") {
    Write("monitor.txt", "Input read.\r\n");
    Write("sim$.out", "\f\r\nI.  INPUT ONLY\r\n");
    return 0;
  }
  if (mode == "silent") return 0;
  if (mode == "chatter") {
    for (int i = 1; i <= 200; ++i) std::fprintf(stderr, "kvan64 stand-in: line %d of its complaint\n", i);
    return status;
  }
  if (mode == "named") {
    Write("monitor.txt", "Input read.\r\n  *** PREPROCESSING ZONE  1  Entr\xE9" "e\r\n");
    std::fprintf(stderr, "kvan64 stand-in: cannot write %s/sim$.out\n", cwd);
    return status;
  }
  if (mode == "stubborn") std::signal(SIGTERM, SIG_IGN);
  if (mode == "abort") std::abort();
  if (mode == "hang" || mode == "stubborn") {
    for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return 9;
}
