#include "frontend/shell/endsignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe from the handler to the event loop, and the first signal noted.
int g_pipe[2] = {-1, -1};
volatile std::sig_atomic_t g_signal = 0;

// Only what is safe in a signal handler: the signal is written into the pipe, which the event
// loop reads.
void Note(int signal) {
  const int saved = errno;
  if (g_signal == 0) g_signal = signal;
  const char byte = static_cast<char>(signal);
  // A full pipe already wakes the loop.
  [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

void EndOnSignals() {
  if (g_pipe[0] >= 0) return;
  // Without the pipe, the signals keep their usual action.
  if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
    char bytes[64];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    notifier->setEnabled(false);  // the end is asked for once
    EndProgram(EndStatusOfSignal(g_signal));
  });
  struct sigaction action {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // A write or a wait that the signal interrupts goes on.
  action.sa_flags = SA_RESTART;
  for (const int signal : kEndSignals) {
    struct sigaction before {};
    if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

void EndAsSignalled() {
  const int signal = g_signal;
  if (signal == 0) return;
  struct sigaction usual {};
  usual.sa_handler = SIG_DFL;
  sigemptyset(&usual.sa_mask);
  ::sigaction(signal, &usual, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
  ::raise(signal);
}

}  // namespace kalvano::shell
