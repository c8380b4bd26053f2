// The engine process of a run: kvan64 of the base folder, started without arguments in the
// run folder temp, its output sent nowhere. The front-end never waits for it: the end
// arrives through the event loop, so the windows stay live while it runs.
#pragma once

#include <QObject>

#include <functional>
#include <string>

#include "frontend/shell/run/runoutcome.h"

class QProcess;

namespace kalvano::shell {

class EngineRunner : public QObject {
  Q_OBJECT
 public:
  explicit EngineRunner(QObject* parent = nullptr);
  ~EngineRunner() override;  // an engine still running is killed

  // Called once when the engine has ended, could not be started, or was cancelled.
  void SetOnEnded(std::function<void(const EngineEnd&)> ended) { onEnded_ = std::move(ended); }

  // Starts `appDir`/kvan64 in `appDir`/temp. The front-end's own current folder is not
  // changed.
  void Start(const std::string& appDir);

  // Whether the process still exists.
  bool IsEngineRunning() const;

  // Stops a running engine: terminate, then kill after a short grace.
  void Cancel();

  // The grace between terminate and kill, in milliseconds.
  static constexpr int kKillGraceMs = 2000;

 private:
  void Finish(const EngineEnd& end);

  QProcess* process_;
  std::string program_;
  bool cancelled_ = false;
  bool done_ = true;
  std::function<void(const EngineEnd&)> onEnded_;
};

}  // namespace kalvano::shell
