#include "frontend/shell/openers.h"

#include <map>
#include <string>

namespace kalvano::shell {

namespace {

std::map<std::string, WindowOpener, std::less<>>& Registry() {
  static std::map<std::string, WindowOpener, std::less<>> openers;
  return openers;
}

InputEchoWriter& EchoWriter() {
  static InputEchoWriter write;
  return write;
}

}  // namespace

void RegisterWindowOpener(std::string_view name, WindowOpener open) {
  auto& openers = Registry();
  if (!open) {
    if (auto it = openers.find(name); it != openers.end()) openers.erase(it);
    return;
  }
  openers.insert_or_assign(std::string(name), std::move(open));
}

bool HasWindowOpener(std::string_view name) { return Registry().contains(name); }

bool OpenWindow(std::string_view name, int arg) {
  const auto& openers = Registry();
  const auto it = openers.find(name);
  if (it == openers.end()) return false;
  // A copy, so that an opener may replace itself while it runs.
  const WindowOpener open = it->second;
  return open(arg);
}

void ClearWindowOpeners() {
  Registry().clear();
  EchoWriter() = nullptr;
}

void SetInputEchoWriter(InputEchoWriter write) { EchoWriter() = std::move(write); }

const InputEchoWriter& InputEcho() { return EchoWriter(); }

}  // namespace kalvano::shell
