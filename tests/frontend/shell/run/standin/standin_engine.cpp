// A stand-in for the simulation engine, installed as kvan64 in a test base folder. It reads
// what to do from the word in standin.txt of its working folder and records its arguments,
// its working folder and its process id in standin.log there:
//   ok        writes a report with section III, the weather and comfort reports and a
//             monitor log, sleeps about 1.5 s and exits with 0
//   exit N    writes a monitor log with an error line and exits with N
//   noreport  writes a report without section III and exits with 0
//   abort     aborts
//   hang      never ends
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

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
  if (mode == "exit") {
    Write("monitor.txt", "Input read.\r\n** ERROR ** A STAND-IN FAILURE\r\n");
    return status;
  }
  if (mode == "noreport") {
    Write("monitor.txt", "Input read.\r\n");
    Write("sim$.out", "\f\r\nI.  INPUT ONLY\r\n");
    return 0;
  }
  if (mode == "abort") std::abort();
  if (mode == "hang") {
    for (;;) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return 9;
}
