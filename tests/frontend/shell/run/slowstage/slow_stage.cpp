// A library that the program tests preload (LD_PRELOAD) into a front-end to slow its saves
// down: each fsync of a staged copy, the hidden file ".NAME.XXXXXX" that a save fills before
// it renames it into place, first waits KALVANO_SLOW_STAGE_MS milliseconds, whatever signals
// arrive meanwhile. A test thus reaches the program in the middle of a save.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

bool IsStagedCopy(int fd) {
  char link[64];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  char target[4096];
  const ssize_t n = ::readlink(link, target, sizeof target - 1);
  if (n <= 0) return false;
  target[n] = 0;
  const char* name = std::strrchr(target, '/');
  return name != nullptr && name[1] == '.';
}

void Pause() {
  const char* ms = std::getenv("KALVANO_SLOW_STAGE_MS");
  if (ms == nullptr) return;
  const long wait = std::atol(ms);
  timespec left{wait / 1000, (wait % 1000) * 1000000};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace

extern "C" int fsync(int fd) {
  using Fsync = int (*)(int);
  static const auto real = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
  const int saved = errno;
  if (IsStagedCopy(fd)) Pause();
  errno = saved;
  return real(fd);
}
