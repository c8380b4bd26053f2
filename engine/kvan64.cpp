// kvan64: the simulation engine. No arguments and no console output (but --help and the
// reasons of a run that cannot go on); it runs in the current folder (the base folder's
// temp/) and returns the exit status of its run.
#include <csignal>
#include <memory>

#include "engine/calendar/wether.h"
#include "engine/calendar/wthrd.h"
#include "engine/core/state.h"
#include "engine/input/kvan64main.h"
#include "engine/input/readproject.h"
#include "engine/loads/energy.h"

namespace {

// The upward calls of the engine's layers: each layer's entry is wired here once it exists.
void wireHooks(kv::EngineState& s) {
  s.hooks.readProject = kv::RDPROJ;
  s.hooks.WETHER = kv::WETHER;
  s.hooks.februaryDays = kv::simulatedFebruaryDays;
  s.hooks.ENERGY = kv::ENERGY;
  s.hooks.DAYEND = kv::DAYEND;
  s.hooks.MONEND = kv::MONEND;
  s.hooks.YREND = kv::YREND;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto status = kv::CommandLine(argc, argv)) return *status;
  // A file-size limit then fails the write (status 5 with its reason) instead of killing
  // the process.
  std::signal(SIGXFSZ, SIG_IGN);
  auto s = std::make_unique<kv::EngineState>();
  wireHooks(*s);
  return kv::KVAN64(*s);
}
