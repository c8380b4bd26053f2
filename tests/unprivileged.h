// Permissions for tests that run as root. Root may write into every folder and file, so a
// read-only folder binds only an ordinary user: as root, such a test does its part in a child
// process that has become the user "nobody" (65534) and owns the files it is meant to own.
// What the child changes in memory stays in the child; what it does to files is seen by the
// caller.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kalvano::test {

inline constexpr uid_t kUnprivilegedUser = 65534;  // nobody
inline constexpr gid_t kUnprivilegedGroup = 65534;  // nogroup

// The exit status of a child that could not become the ordinary user.
inline constexpr int kCannotDropPrivileges = 255;

// Whether this process runs as root, so that permissions bind only an ordinary user.
inline bool RunningAsRoot() { return ::geteuid() == 0; }

// In a child process of a root test: becomes the user "nobody", with no supplementary group.
// False when the system refuses.
inline bool BecomeUnprivileged() {
  return ::setgroups(0, nullptr) == 0 && ::setgid(kUnprivilegedGroup) == 0 && ::setuid(kUnprivilegedUser) == 0;
}

// As root: gives `tree` and everything under it to the user "nobody", so that its owner's
// permissions bind the child. Links themselves, never their targets. False when that fails.
inline bool GiveToUnprivileged(const std::filesystem::path& tree) {
  if (::lchown(tree.c_str(), kUnprivilegedUser, kUnprivilegedGroup) != 0) return false;
  if (!std::filesystem::is_directory(std::filesystem::symlink_status(tree))) return true;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(tree, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (::lchown(it->path().c_str(), kUnprivilegedUser, kUnprivilegedGroup) != 0) return false;
  }
  return !ec;
}

// The result (0 to 254) of `action` run by an ordinary user: at once when this process is not
// root, else in a child that has become "nobody" (kCannotDropPrivileges when it cannot).
template <class Action>
int AsUnprivileged(Action&& action) {
  if (!RunningAsRoot()) return action();
  const pid_t child = ::fork();
  if (child < 0) return kCannotDropPrivileges;
  if (child == 0) {
    if (!BecomeUnprivileged()) std::_Exit(kCannotDropPrivileges);
    std::_Exit(action());
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return kCannotDropPrivileges;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kalvano::test
