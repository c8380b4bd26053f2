// Processes as the run road's program tests see them through /proc: the children of a
// process, and whether one still runs; and programs started by the tests, read through pipes.
#pragma once

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
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

// A program started with its standard output (and error) read through a pipe, and its
// standard input written through another.
struct Child {
  pid_t pid = -1;
  int out = -1;
  int in = -1;
};

// Starts `argv` in `folder` without a display, with the variables `environment` set too.
inline Child Spawn(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                   const std::vector<std::pair<std::string, std::string>>& environment = {}) {
  int pipeFd[2];
  int inFd[2];
  if (::pipe2(pipeFd, O_CLOEXEC) != 0) return {};
  if (::pipe2(inFd, O_CLOEXEC) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(inFd[0], 0);
    ::dup2(pipeFd[1], 1);
    ::dup2(pipeFd[1], 2);
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(pipeFd[1]);
  ::close(inFd[0]);
  return {pid, pipeFd[0], inFd[1]};
}

// Reads one line of a child's output (without its end); false at its end.
inline bool ReadLine(const Child& c, std::string& line) {
  line.clear();
  char ch = 0;
  while (::read(c.out, &ch, 1) == 1) {
    if (ch == '\n') return true;
    line += ch;
  }
  return !line.empty();
}

// Reads a child's output to its end and waits for it: its exit status (-1 when a signal
// ended it).
inline int Finish(Child& c, std::vector<std::string>& lines) {
  for (std::string line; ReadLine(c, line);) lines.push_back(line);
  ::close(c.out);
  if (c.in >= 0) ::close(c.in);
  int status = 0;
  ::waitpid(c.pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kalvano::shell::test
