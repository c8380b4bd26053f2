// The engine process of a run: kvan64 of the base folder, started without arguments in the
// run folder temp, its standard output sent nowhere and the end of its standard error kept
// for the outcome. It inherits the run folder's lock that the run window holds, and it ends
// with the front-end (a parent-death signal). The front-end never waits for it: the end
// arrives through the event loop, so the windows stay live while it runs.
#pragma once

#include <QObject>

#include <cstddef>
#include <functional>
#include <string>

#include "frontend/shell/run/runoutcome.h"
#include "runlock.h"

class QProcess;

namespace kalvano::shell {

class EngineRunner : public QObject {
  Q_OBJECT
 public:
  explicit EngineRunner(QObject* parent = nullptr);
  ~EngineRunner() override;  // an engine still running is killed

  // Called once when the engine has ended, could not be started, or was cancelled.
  void SetOnEnded(std::function<void(const EngineEnd&)> ended) { onEnded_ = std::move(ended); }

  // Starts `appDir`/kvan64 in `appDir`/temp, handing down the run folder's locks held by
  // `lock` (none when it holds none): the engine alone inherits their descriptors. The
  // front-end's own current folder is not changed.
  void Start(const std::string& appDir, const runlock::Lock& lock);

  // Whether the process still exists.
  bool IsEngineRunning() const;

  // Stops a running engine: terminate, then kill after a short grace.
  void Cancel();

  // The grace between terminate and kill, in milliseconds.
  static constexpr int kKillGraceMs = 2000;
  // How much of the end of the engine's standard error is kept.
  static constexpr std::size_t kStandardErrorKept = 4096;

 private:
  void Finish(EngineEnd end);
  void KeepStandardError();

  QProcess* process_;
  std::string program_;
  bool cancelled_ = false;
  bool done_ = true;
  std::string standardError_;
  std::function<void(const EngineEnd&)> onEnded_;
};

}  // namespace kalvano::shell
