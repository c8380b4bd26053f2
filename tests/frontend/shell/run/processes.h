// Processes as the run road's program tests see them through /proc: the children of a
// process, and whether one still runs.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kalvano::shell::test {

// The state letter and the parent of process `pid` from /proc/<pid>/stat; false when there
// is no such process.
inline bool ProcessStat(pid_t pid, char& state, pid_t& parent) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::size_t name = stat.rfind(')');  // the command name may hold blanks and brackets
  if (name == std::string::npos || name + 4 > stat.size()) return false;
  state = stat[name + 2];
  parent = static_cast<pid_t>(std::stol(stat.substr(name + 4)));
  return true;
}

// Whether process `pid` still runs (a zombie has ended).
inline bool ProcessRuns(pid_t pid) {
  char state = 0;
  pid_t parent = 0;
  return ProcessStat(pid, state, parent) && state != 'Z' && state != 'X';
}

// The live children of process `parent` whose program is called `program` (empty: any).
inline std::vector<pid_t> ChildProcesses(pid_t parent, const std::string& program = {}) {
  std::vector<pid_t> children;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(name));
    char state = 0;
    pid_t of = 0;
    if (!ProcessStat(pid, state, of) || of != parent || state == 'Z') continue;
    std::ifstream comm(entry.path() / "comm");
    std::string command;
    std::getline(comm, command);
    if (program.empty() || command == program) children.push_back(pid);
  }
  return children;
}

}  // namespace kalvano::shell::test
