#include "frontend/shell/run/enginerunner.h"

#include <QProcess>
#include <QTimer>

#include "runfiles.h"

namespace kalvano::shell {

EngineRunner::EngineRunner(QObject* parent) : QObject(parent), process_(new QProcess(this)) {
  connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    EngineEnd end;
    end.kind = cancelled_ ? EngineEnd::Kind::Cancelled : EngineEnd::Kind::NotStarted;
    end.reason = program_ + ": " + process_->errorString().toLocal8Bit().toStdString();
    Finish(end);
  });
  connect(process_, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
    EngineEnd end;
    if (cancelled_) {
      end.kind = EngineEnd::Kind::Cancelled;
    } else if (status == QProcess::CrashExit) {
      end.kind = EngineEnd::Kind::Crashed;
      end.signal = exitCode;  // the signal that ended it
    } else {
      end.kind = EngineEnd::Kind::Exited;
      end.status = exitCode;
    }
    Finish(end);
  });
}

EngineRunner::~EngineRunner() {
  if (process_->state() != QProcess::NotRunning) {
    done_ = true;
    process_->kill();
    process_->waitForFinished(3000);
  }
}

void EngineRunner::Start(const std::string& appDir) {
  program_ = appDir + "/" + std::string(files::kEngineProgram);
  cancelled_ = false;
  done_ = false;
  process_->setProgram(QString::fromLocal8Bit(program_));
  process_->setArguments({});
  process_->setWorkingDirectory(QString::fromLocal8Bit(appDir + "/" + std::string(files::kTempDir)));
  process_->setStandardInputFile(QProcess::nullDevice());
  process_->setStandardOutputFile(QProcess::nullDevice());
  process_->setStandardErrorFile(QProcess::nullDevice());
  process_->start(QIODevice::NotOpen);
}

bool EngineRunner::IsEngineRunning() const { return process_->state() != QProcess::NotRunning; }

void EngineRunner::Cancel() {
  if (!IsEngineRunning()) return;
  cancelled_ = true;
  process_->terminate();
  QTimer::singleShot(kKillGraceMs, this, [this] {
    if (IsEngineRunning()) process_->kill();
  });
}

void EngineRunner::Finish(const EngineEnd& end) {
  if (done_) return;
  done_ = true;
  if (onEnded_) onEnded_(end);
}

}  // namespace kalvano::shell
