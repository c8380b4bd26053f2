#include "frontend/shell/run/enginerunner.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "runfiles.h"
#include "runlock.h"

namespace kalvano::shell {

EngineRunner::EngineRunner(QObject* parent) : QObject(parent), process_(new QProcess(this)) {
  connect(process_, &QProcess::readyReadStandardError, this, &EngineRunner::KeepStandardError);
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

void EngineRunner::Start(const std::string& appDir, const runlock::Lock& lock) {
  program_ = appDir + "/" + std::string(files::kEngineProgram);
  cancelled_ = false;
  done_ = false;
  standardError_.clear();
  process_->setProgram(QString::fromLocal8Bit(program_));
  process_->setArguments({});
  process_->setWorkingDirectory(QString::fromLocal8Bit(appDir + "/" + std::string(files::kTempDir)));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(runlock::kHandOverVariable);
  const std::string handOver = lock.HandOver();
  if (!handOver.empty()) environment.insert(runlock::kHandOverVariable, QString::fromStdString(handOver));
  process_->setProcessEnvironment(environment);
  // In the child, between fork and exec: only calls that are safe there.
  const pid_t frontEnd = ::getpid();
  const int lockFd = handOver.empty() ? -1 : lock.File();
  const int folderFd = handOver.empty() ? -1 : lock.Folder();
  process_->setChildProcessModifier([frontEnd, lockFd, folderFd] {
    // The engine ends with its front-end, also when the front-end is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != frontEnd) ::_exit(127);  // the front-end ended before the line above
    // The run folder's locks pass to the engine; the front-end's descriptors stay closed on
    // exec, so that no other program it starts holds them.
    if (lockFd >= 0) ::fcntl(lockFd, F_SETFD, 0);
    if (folderFd >= 0) ::fcntl(folderFd, F_SETFD, 0);
  });
  process_->setStandardInputFile(QProcess::nullDevice());
  process_->setStandardOutputFile(QProcess::nullDevice());
  process_->setProcessChannelMode(QProcess::SeparateChannels);
  process_->setReadChannel(QProcess::StandardError);
  process_->start(QIODevice::ReadOnly);
}

void EngineRunner::KeepStandardError() {
  standardError_ += process_->readAllStandardError().toStdString();
  if (standardError_.size() > kStandardErrorKept) {
    // The last whole lines.
    standardError_.erase(0, standardError_.size() - kStandardErrorKept);
    const std::size_t lineEnd = standardError_.find('\n');
    if (lineEnd != std::string::npos) standardError_.erase(0, lineEnd + 1);
  }
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

void EngineRunner::Finish(EngineEnd end) {
  if (done_) return;
  done_ = true;
  KeepStandardError();
  end.standardError = standardError_;
  if (onEnded_) onEnded_(end);
}

}  // namespace kalvano::shell
