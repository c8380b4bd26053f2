// The run window: the user picks the weather, the period, the year, the weeks per month, the
// months to skip, the design temperatures, the comfort band and the hourly output, then
// Execute Run writes the run files and the input echo and runs the engine, and Review
// Results gathers the reports.
#pragma once

#include <QWidget>

#include <array>
#include <chrono>

#include "frontend/shell/run/runcore.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/runoutcome.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;

namespace kalvano::shell {

class ClickLabel;
class EngineRunner;

class runsim : public QWidget {
  Q_OBJECT
 public:
  explicit runsim(QWidget* parent = nullptr);
  ~runsim() override;

  void Form_Activate();
  void Simulate();
  bool IsEngineRunning() const;
  // Whether this window's run holds the base folder: from Execute Run until its results are
  // appended or the run ends without them (a completed run waiting for Review Results too).
  bool HoldsBaseFolder() const { return lock_.Held(); }
  void Command1_MouseUp();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void week_Click(int index);
  void mon_Click(int index);
  void weather_MouseDown(int index);
  void Text1_KeyUp();
  void Timer1_Timer();
  void help_Click();

  // Controls, by the window's names.
  QRadioButton* weather(int i) const { return weather_[static_cast<std::size_t>(i)]; }
  QLineEdit* Text1(int i) const { return text1_[static_cast<std::size_t>(i)]; }
  ClickLabel* week(int i) const { return week_[static_cast<std::size_t>(i)]; }
  ClickLabel* mon(int i) const { return mon_[static_cast<std::size_t>(i)]; }
  QLineEdit* destemp(int i) const { return destemp_[static_cast<std::size_t>(i)]; }
  QLineEdit* Tlower() const { return tlower_; }
  QLineEdit* Tupper() const { return tupper_; }
  QCheckBox* weatherseq() const { return weatherseq_; }
  QCheckBox* hourlyoutput() const { return hourlyoutput_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  QPushButton* Command3() const { return command3_; }
  QLabel* runstatus() const { return runstatus_; }
  QProgressBar* ProgressBar1() const { return progress_; }
  QTimer* Timer1() const { return timer1_; }
  bool Highlighted(const ClickLabel* label) const;
  // The progress value of the running engine (30 to 100).
  int ProgressValue() const { return progressValue_; }

  // The source of the weather seeds: one generator with a fixed start for the whole program.
  // SeedDraw is the value that the next run to start takes; only a run whose engine started
  // moves the sequence on (SeedDrawTaken), so a refused attempt shifts no later seed.
  static double SeedDraw();
  static void SeedDrawTaken();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetHighlight(ClickLabel* label, bool on);
  void EndAttempt(const RunOutcome& outcome);
  void StopBeforeEngine();
  void EngineEnded(const EngineEnd& end);
  void ProgressTick();
  void SetRunning(bool running);
  RunRequest Request() const;
  void RefuseRun();
  void RefuseReview();
  void StopEngine();
  // The one way the run's hold on its base folder ends: Cancel, a failure, the results
  // appended, the window closed.
  void ReleaseRunLock();
  // Cancel's way out when no engine runs: no run pending, the main menu shown again.
  void BackToMainMenu();
  // Closes the window from its own handlers (the close box acts as Cancel instead).
  void Unload();

  std::array<QRadioButton*, 2> weather_{};
  std::array<QLineEdit*, 3> text1_{};
  std::array<ClickLabel*, 4> week_{};
  std::array<ClickLabel*, 12> mon_{};
  std::array<QLineEdit*, 4> destemp_{};
  QLineEdit* tlower_;
  QLineEdit* tupper_;
  QCheckBox* weatherseq_;
  QCheckBox* hourlyoutput_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
  QLabel* runstatus_;
  QProgressBar* progress_;
  QTimer* timer1_;
  QTimer* poll_;
  EngineRunner* engine_;
  RunFolderLock lock_;
  int progressValue_ = 30;
  bool loaded_ = false;
  bool unloading_ = false;        // the window's own handlers are closing it
  bool closeWhenStopped_ = false;  // the close box was used while the engine ran
  bool seedDrawn_ = false;         // the run's seed is the sequence's next value
  std::chrono::steady_clock::time_point start_;
};

// The run window: created when it is shown, unloaded by Cancel and Review Results.
runsim& RunWindow();
bool RunWindowLoaded();
// Shows the run window, loading it first when it is not loaded.
void ShowRunWindow();
// Whether the base folder's lock is held by this front-end's own run window, not by another
// run: its run has ended and waits there for Review Results.
bool OwnRunHoldsBaseFolder();

// Texts of the run window.
inline constexpr std::string_view kRunStatusIdle = "Run Status Indicator...  Time=";

}  // namespace kalvano::shell
