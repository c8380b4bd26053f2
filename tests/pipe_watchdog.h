// A guard for tests of code that must never wait on a named pipe. When the code under test has
// not returned within the guard's patience (it waits on one of the pipes, in an open, a read or
// a write), the guard opens the pipes for reading and keeps them open, draining them, and opens
// them for writing and closes them again, over and over, until the code goes on: the test then
// fails on Fired() instead of hanging. The patience is generous; it is no measure of speed.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace kalvano::test {

class PipeWatchdog {
 public:
  explicit PipeWatchdog(std::vector<std::string> pipes,
                        std::chrono::milliseconds patience = std::chrono::seconds(30))
      : pipes_(std::move(pipes)), thread_([this, patience] { Watch(patience); }) {}
  ~PipeWatchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    woken_.notify_all();
    thread_.join();
  }
  PipeWatchdog(const PipeWatchdog&) = delete;
  PipeWatchdog& operator=(const PipeWatchdog&) = delete;

  // Whether the code under test waited on a pipe and had to be let go.
  bool Fired() {
    std::lock_guard<std::mutex> lock(mutex_);
    return fired_;
  }

 private:
  void Watch(std::chrono::milliseconds patience) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (woken_.wait_for(lock, patience, [this] { return done_; })) return;
    fired_ = true;
    // A reader that stays lets a writer waiting in its open or its write go on. A writer that
    // comes and goes lets a reader waiting in its open go on, and its read then ends at once.
    std::vector<int> readers;
    for (const std::string& pipe : pipes_) {
      const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) readers.push_back(fd);
    }
    do {
      for (const std::string& pipe : pipes_) {
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
      }
      char buf[4096];
      for (const int fd : readers) {
        while (::read(fd, buf, sizeof buf) > 0) {
        }
      }
    } while (!woken_.wait_for(lock, std::chrono::milliseconds(100), [this] { return done_; }));
    for (const int fd : readers) ::close(fd);
  }

  std::vector<std::string> pipes_;
  std::mutex mutex_;
  std::condition_variable woken_;
  bool done_ = false;
  bool fired_ = false;
  std::thread thread_;
};

}  // namespace kalvano::test
