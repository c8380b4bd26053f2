#include "frontend/shell/run/runsim.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>
#include <random>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/weather_stats.h"
#include "frontend/shell/run/enginerunner.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/reportassembler.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "runfiles.h"

namespace kalvano::shell {

namespace {

QPointer<runsim>& TheRunWindow() {
  static QPointer<runsim> window;
  return window;
}

QString TimeText() { return QTime::currentTime().toString("HH:mm:ss"); }

std::string BoxText(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

std::string TempDir(const model::ProjectModel& m) {
  return model::AppPath(m, std::string(files::kTempDir));
}

// The engine's log, whole, in the help viewer.
void ShowMonitorLog() {
  const model::ProjectModel& m = Model();
  std::string text;
  try {
    text = model::ReadWholeFile(TempDir(m) + "/" + std::string(files::kMonitorLog), model::NameKind::Fixed);
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return;
  }
  Learning& viewer = LearningWindow();
  viewer.SetText(text);
  viewer.setWindowTitle(FromLocal("monitor.txt -- " + m.ProjectFile));
  ShowLearning(viewer);
}

constexpr const char* kChosen = "background-color: #ffff80;";

}  // namespace

runsim& RunWindow() {
  QPointer<runsim>& window = TheRunWindow();
  if (window.isNull()) window = new runsim;
  return *window;
}

bool RunWindowLoaded() { return !TheRunWindow().isNull(); }

bool OwnRunHoldsBaseFolder() { return RunWindowLoaded() && RunWindow().HoldsBaseFolder(); }

void ShowRunWindow() { ShowModeless(&RunWindow()); }

namespace {

struct SeedSequence {
  std::mt19937 engine{19800101u};
  std::optional<double> next;  // drawn, not yet taken by a run
};

SeedSequence& Seeds() {
  static SeedSequence seeds;
  return seeds;
}

}  // namespace

double runsim::SeedDraw() {
  SeedSequence& s = Seeds();
  if (!s.next) s.next = std::uniform_real_distribution<double>(0.0, 1.0)(s.engine);
  return *s.next;
}

void runsim::SeedDrawTaken() { Seeds().next.reset(); }

runsim::runsim(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("runsim");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Run Energy Simulation ....");
  auto* bar = new QMenuBar(this);
  QMenu* hlp = bar->addMenu("Help");
  hlp->setObjectName("hlp");
  QAction* tutorial = hlp->addAction("Tutorial");
  tutorial->setObjectName("help");
  connect(tutorial, &QAction::triggered, this, &runsim::help_Click);

  // Weather and period.
  auto* weatherBox = new QGroupBox("Weather", this);
  auto* wl = new QGridLayout(weatherBox);
  const char* weatherCaptions[] = {"Simulated Weather (Default Option):", "Recorded Weather:"};
  for (int i = 0; i < 2; ++i) {
    weather_[static_cast<std::size_t>(i)] = new QRadioButton(weatherCaptions[i], weatherBox);
    weather_[static_cast<std::size_t>(i)]->setObjectName(QString("weather(%1)").arg(i));
    wl->addWidget(weather_[static_cast<std::size_t>(i)], i, 0, 1, 2);
    connect(weather_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
            [this, i] { weather_MouseDown(i); });
  }
  for (int i = 0; i < 3; ++i) {
    text1_[static_cast<std::size_t>(i)] = new QLineEdit(this);
    text1_[static_cast<std::size_t>(i)]->setObjectName(QString("Text1(%1)").arg(i));
    connect(text1_[static_cast<std::size_t>(i)], &QLineEdit::returnPressed, this,
            [this] { command1_->setFocus(); });
    connect(text1_[static_cast<std::size_t>(i)], &QLineEdit::textEdited, this, &runsim::Text1_KeyUp);
  }
  wl->addWidget(new QLabel("Analysis Period: (day-month)", weatherBox), 2, 0);
  auto* period = new QHBoxLayout;
  period->addWidget(text1_[0]);
  period->addWidget(new QLabel("to:", weatherBox));
  period->addWidget(text1_[1]);
  wl->addLayout(period, 2, 1);
  wl->addWidget(new QLabel("Analysis Year:", weatherBox), 3, 0);
  wl->addWidget(text1_[2], 3, 1);

  // Weeks per month.
  auto* weeks = new QGroupBox("Simulated weeks per month:", this);
  auto* weekRow = new QHBoxLayout(weeks);
  const char* weekCaptions[] = {" 1", "2", "3", "4"};
  for (int i = 0; i < 4; ++i) {
    auto* label = new ClickLabel(weekCaptions[i], weeks);
    label->setObjectName(QString("week(%1)").arg(i));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(28);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    week_[static_cast<std::size_t>(i)] = label;
    weekRow->addWidget(label);
    connect(label, &ClickLabel::clicked, this, [this, i] { week_Click(i); });
  }

  // Months to skip.
  auto* months = new QGroupBox("The months you want to skip :", this);
  auto* monthGrid = new QGridLayout(months);
  const char* monthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                              "July",    "August",   "September", "October", "November", "December"};
  for (int i = 0; i < 12; ++i) {
    auto* label = new ClickLabel(monthNames[i], months);
    label->setObjectName(QString("mon(%1)").arg(i));
    label->setFixedHeight(28);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    mon_[static_cast<std::size_t>(i)] = label;
    monthGrid->addWidget(label, i / 4, i % 4);
    connect(label, &ClickLabel::clicked, this, [this, i] { mon_Click(i); });
  }

  // Design temperatures and comfort band.
  auto* design = new QGroupBox("Design Temperatures:", this);
  auto* dl = new QGridLayout(design);
  const char* designCaptions[] = {"", "Summer Dry Bulb:", "Summer Wet Bulb:", "Winter Dry Bulb:"};
  for (int i = 1; i <= 3; ++i) {
    auto* box = new QLineEdit(design);
    box->setObjectName(QString("destemp(%1)").arg(i));
    destemp_[static_cast<std::size_t>(i)] = box;
    dl->addWidget(new QLabel(designCaptions[i], design), i - 1, 0);
    dl->addWidget(box, i - 1, 1);
  }
  auto* comfort = new QGroupBox("Comfort Zone Temperature Limits: ", this);
  auto* cl = new QHBoxLayout(comfort);
  tlower_ = new QLineEdit("68.", comfort);
  tlower_->setObjectName("Tlower");
  tupper_ = new QLineEdit("79.", comfort);
  tupper_->setObjectName("Tupper");
  cl->addWidget(new QLabel("Lower:", comfort));
  cl->addWidget(tlower_);
  cl->addWidget(new QLabel("Upper:", comfort));
  cl->addWidget(tupper_);

  weatherseq_ = new QCheckBox("Repeat previously run weather sequence", this);
  weatherseq_->setObjectName("weatherseq");
  hourlyoutput_ = new QCheckBox("Produce Hourly Output File", this);
  hourlyoutput_->setObjectName("hourlyoutput");

  command1_ = new QPushButton("Execute Run", this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton("Cancel", this);
  command2_->setObjectName("Command2");
  command3_ = new QPushButton("Review Results", this);
  command3_->setObjectName("Command3");
  // A click, by the mouse's release or from the keyboard, starts the run.
  connect(command1_, &QPushButton::clicked, this, &runsim::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &runsim::Command2_Click);
  connect(command3_, &QPushButton::clicked, this, &runsim::Command3_Click);

  runstatus_ = new QLabel("Run Progress", this);
  runstatus_->setObjectName("runstatus");
  runstatus_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  runstatus_->setMinimumHeight(40);
  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, 100);
  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  connect(timer1_, &QTimer::timeout, this, &runsim::Timer1_Timer);
  poll_ = new QTimer(this);
  connect(poll_, &QTimer::timeout, this, &runsim::ProgressTick);
  engine_ = new EngineRunner(this);
  engine_->SetOnEnded([this](const EngineEnd& end) { EngineEnded(end); });

  auto* left = new QVBoxLayout;
  left->addWidget(weatherBox);
  left->addWidget(weeks);
  left->addWidget(months);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(design);
  right->addWidget(comfort);
  right->addWidget(weatherseq_);
  right->addWidget(hourlyoutput_);
  right->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command1_);
  buttons->addWidget(command2_);
  buttons->addWidget(command3_);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addLayout(right, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(bar);
  layout->addLayout(columns);
  layout->addWidget(runstatus_);
  layout->addWidget(progress_);
  layout->addLayout(buttons);

  // Form_Load.
  model::ProjectModel& m = Model();
  command1_->setEnabled(true);
  command3_->setEnabled(false);
  timer1_->setInterval(1000);
  timer1_->start();
  progress_->hide();
  runstatus_->setText(Latin1(kRunStatusIdle) + TimeText());
  const bool results = m.ResultsExist == 1;
  text1_[0]->setText(results ? Latin1(m.Run.RunPeriod[0]) : QString("1-Jan"));
  text1_[1]->setText(results ? Latin1(m.Run.RunPeriod[1]) : QString("31-Dec"));
  text1_[2]->setText(Latin1(m.ProjectData[6]));
  for (ClickLabel* label : week_) SetHighlight(label, false);
  for (ClickLabel* label : mon_) SetHighlight(label, false);
  if (m.WeatherFileChosen == 1) {
    weather_[1]->setChecked(true);
    SetHighlight(week_[3], true);
  } else {
    weather_[0]->setChecked(true);
    if (m.WeeksPerMonth >= 1 && m.WeeksPerMonth <= 4) {
      SetHighlight(week_[static_cast<std::size_t>(m.WeeksPerMonth - 1)], true);
    }
  }
  // The recorded-weather picker is a window of its own; without it the choice is not offered.
  weather_[1]->setEnabled(HasWindowOpener(window::selectweth));
  if (!results) {
    const bool si = m.UnitSystem == model::kSI;
    tlower_->setText(si ? "20" : "68");
    tupper_->setText(si ? "27" : "79");
  } else {
    tlower_->setText(Latin1(model::NumberText(m.Run.ComfortLower)));
    tupper_->setText(Latin1(model::NumberText(m.Run.ComfortUpper)));
  }
  // The design temperatures are set when the window opens, not at each activation, so that
  // the user's edits stay when a message box or the help viewer in front of it closes.
  if ((m.DesTemps[1].empty() && m.ProjectLoaded == 1) || m.DesTempsValid == 0) {
    model::WeatherStatsToIP(m);
    model::ComputeDesignTemps(m);
  }
  for (int i = 1; i <= 3; ++i) {
    destemp_[static_cast<std::size_t>(i)]->setText(Latin1(m.DesTemps[static_cast<std::size_t>(i)]));
    destemp_[static_cast<std::size_t>(i)]->setEnabled(m.WeatherFileChosen != 1);
  }
  resize(760, 560);
  loaded_ = true;
}

runsim::~runsim() = default;

bool runsim::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void runsim::closeEvent(QCloseEvent* event) {
  if (!unloading_) {
    // The close box acts as Cancel does at that moment. While the engine runs it stops the
    // engine, and the window goes back to the main menu once the engine has stopped.
    if (IsEngineRunning()) {
      event->ignore();
      closeWhenStopped_ = true;
      StopEngine();
      return;
    }
    BackToMainMenu();
  }
  // A run whose results were not appended ends without them.
  ReleaseRunLock();
  QWidget::closeEvent(event);
  // Unloaded: the next showing loads a new window, even before this one is deleted.
  if (TheRunWindow() == this) TheRunWindow() = nullptr;
}

void runsim::Form_Activate() {
  model::ProjectModel& m = Model();
  if (MainMenu().isVisible()) MainMenu().hide();
  CentreOnScreen(this);
  setWindowTitle(FromLocal("Run Energy Simulation -- " + m.ProjectFile));
  Text1_KeyUp();
}

void runsim::SetHighlight(ClickLabel* label, bool on) {
  label->setProperty("chosen", on);
  label->setStyleSheet(on ? kChosen : "");
}

bool runsim::Highlighted(const ClickLabel* label) const {
  return label->property("chosen").toBool();
}

void runsim::week_Click(int index) {
  if (!weather_[0]->isChecked()) return;
  ClickLabel* label = week_[static_cast<std::size_t>(index)];
  if (Highlighted(label)) {
    SetHighlight(label, false);
    return;
  }
  for (ClickLabel* other : week_) SetHighlight(other, other == label);
}

void runsim::mon_Click(int index) {
  ClickLabel* label = mon_[static_cast<std::size_t>(index)];
  SetHighlight(label, !Highlighted(label));
}

void runsim::weather_MouseDown(int index) {
  model::ProjectModel& m = Model();
  if (index == 1) {
    weather_[1]->setChecked(true);
    for (int i = 0; i < 4; ++i) SetHighlight(week_[static_cast<std::size_t>(i)], i == 3);
    for (int i = 1; i <= 3; ++i) destemp_[static_cast<std::size_t>(i)]->setEnabled(false);
    OpenWindow(window::selectweth);
  } else {
    m.WeatherFileChosen = 0;
    m.Run.WeatherFormat = 0;
    for (int i = 1; i <= 3; ++i) destemp_[static_cast<std::size_t>(i)]->setEnabled(true);
  }
  Text1_KeyUp();
}

void runsim::Text1_KeyUp() {
  model::ProjectModel& m = Model();
  m.Run.AnalysisYear = BoxText(text1_[2]);
  m.ProjectData[6] = m.Run.AnalysisYear;
}

void runsim::Timer1_Timer() { runstatus_->setText(Latin1(kRunStatusIdle) + TimeText()); }

void runsim::help_Click() {
  ShowHelpFile("help6.txt", "RUN ENERGY SIMULATION -- " + Model().ProjectFile);
}

void runsim::Command1_Click() {
  if (!command1_->isEnabled()) return;
  Command1_MouseUp();
}

void runsim::Command1_MouseUp() {
  command1_->setEnabled(false);
  command3_->setEnabled(false);
  // The status line now tells the run's own story: it keeps the time of the press until the
  // engine has started, and says nothing of a start while a check refuses the run.
  timer1_->stop();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Simulate();
}

RunRequest runsim::Request() const {
  RunRequest r;
  r.recordedWeather = weather_[1]->isChecked();
  r.beginText = BoxText(text1_[0]);
  r.endText = BoxText(text1_[1]);
  r.yearText = BoxText(text1_[2]);
  r.weeks = 0;
  for (int i = 0; i < 4; ++i) {
    if (Highlighted(week_[static_cast<std::size_t>(i)])) {
      r.weeks = i + 1;
      break;
    }
  }
  for (int i = 0; i < 12; ++i) r.skipped[static_cast<std::size_t>(i + 1)] = Highlighted(mon_[static_cast<std::size_t>(i)]);
  for (int i = 1; i <= 3; ++i) r.desTemps[static_cast<std::size_t>(i)] = BoxText(destemp_[static_cast<std::size_t>(i)]);
  r.lowerText = BoxText(tlower_);
  r.upperText = BoxText(tupper_);
  r.repeatSequence = weatherseq_->isChecked();
  r.hourly = hourlyoutput_->isChecked();
  r.draw = r.repeatSequence ? 0.0 : SeedDraw();
  return r;
}

void runsim::Simulate() {
  model::ProjectModel& m = Model();
  // One run at a time per base folder: the lock is held from before the first run file until
  // the results are appended or the run ends without them.
  try {
    if (!lock_.Take(TempDir(m))) return RefuseRun();
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return StopBeforeEngine();
  }
  start_ = std::chrono::steady_clock::now();
  const RunPrepared prepared = PrepareRunFiles(m, Request());
  if (!prepared.yearBox.empty()) text1_[2]->setText(Latin1(prepared.yearBox));
  switch (prepared.fault) {
    case RunFault::None:
      break;
    case RunFault::File:
      ReportFileFault(prepared.error);
      return StopBeforeEngine();
    default:
      Messages().beep();
      Messages().show(prepared.text, prepared.title, MsgIcon::Exclamation);
      return StopBeforeEngine();
  }

  // The echo begins the report afresh: until this run's results are gathered there are none,
  // and the results recorded before are replaced by this run from here on.
  m.Results.OwnRunStarted();
  m.ResultsExist = 0;
  m.ResultsViewable = 0;
  // The viewer cuts the new report into pages afresh.
  m.Pages.ZonePagesSplit = 0;
  m.Pages.WeatherPagesSplit = 0;
  if (const InputEchoWriter& echo = InputEcho()) {
    try {
      echo(m);
    } catch (const model::FileError& error) {
      ReportFileFault(error);
      return StopBeforeEngine();
    }
  }
  if (m.Run.RunStatus == 5) {
    // A zone lacks a profile: the echo has said so; back to the main menu.
    QApplication::restoreOverrideCursor();
    BackToMainMenu();
    Unload();
    return;
  }
  m.Run.RunPeriod[0] = BoxText(text1_[0]);
  m.Run.RunPeriod[1] = BoxText(text1_[1]);
  m.Pages.ZonePagesSplit = 0;
  // No output of an earlier run may be taken for this one's.
  try {
    RemoveEngineOutputs(TempDir(m));
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return StopBeforeEngine();
  }
  SetRunning(true);
  seedDrawn_ = !weatherseq_->isChecked();
  engine_->Start(m.AppDir, lock_.Handed());
  if (IsEngineRunning()) runstatus_->setText("Simulation Started at " + TimeText() + "   Please Stand By");
}

// Another process holds the base folder's lock: nothing was written or started, and the
// window is as it was before Execute Run.
void runsim::RefuseRun() {
  QApplication::restoreOverrideCursor();
  runstatus_->setText(Latin1(kRunStatusIdle) + TimeText());
  command1_->setEnabled(true);
  timer1_->start();
  Messages().beep();
  Messages().show(kRunLockedText, kRunLockedTitle, MsgIcon::Exclamation);
}

void runsim::StopEngine() {
  runstatus_->setText("Stopping the simulation at " + TimeText());
  engine_->Cancel();
}

void runsim::ReleaseRunLock() { lock_.Release(); }

void runsim::SetRunning(bool running) {
  // While the engine runs the window is application-modal; the change takes effect when the
  // window is shown again.
  const bool shown = isVisible();
  if (shown) hide();
  setWindowModality(running ? Qt::ApplicationModal : Qt::NonModal);
  if (shown) show();
  progress_->setVisible(running);
  progressValue_ = 30;
  progress_->setValue(progressValue_);
  if (running) {
    poll_->start(1000);
  } else {
    poll_->stop();
  }
}

void runsim::ProgressTick() {
  progressValue_ += 10;
  if (progressValue_ > 100) progressValue_ = 30;
  progress_->setValue(progressValue_);
}

bool runsim::IsEngineRunning() const { return engine_->IsEngineRunning(); }

void runsim::EngineEnded(const EngineEnd& end) {
  SetRunning(false);
  // The run started (its engine ran, to any end): the next run takes the next seed.
  if (end.kind != EngineEnd::Kind::NotStarted && seedDrawn_) SeedDrawTaken();
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  const model::ProjectModel& m = Model();
  EndAttempt(DecideRunOutcome(end, m.RunType, TempDir(m), TimeText().toStdString(), elapsed));
  if (closeWhenStopped_) Command2_Click();
}

// A refusal before the engine: the run is still pending, and Execute Run is offered again so
// that the user corrects the box and presses it once more.
void runsim::StopBeforeEngine() {
  RunOutcome o = NotStartedOutcome();
  QApplication::restoreOverrideCursor();
  runstatus_->setText(Latin1(o.statusLine));
  command1_->setEnabled(true);
  command3_->setEnabled(false);
  command2_->setEnabled(true);
  ReleaseRunLock();
}

void runsim::EndAttempt(const RunOutcome& outcome) {
  model::ProjectModel& m = Model();
  Messages().beep();
  QApplication::restoreOverrideCursor();
  runstatus_->setText(Latin1(outcome.statusLine));
  command3_->setEnabled(outcome.reviewEnabled);
  command2_->setEnabled(outcome.cancelEnabled);
  // Results to gather keep the base folder until Review Results has appended them.
  if (!outcome.resultsExist) {
    m.RunType = 0;
    ReleaseRunLock();
  }
  if (outcome.showMonitor) ShowMonitorLog();
  if (!outcome.errorText.empty()) {
    Messages().showNaming(outcome.errorText, kSimulationErrorTitle, MsgIcon::Exclamation);
  }
}

// The run's lock file was removed or replaced while the run ran: another run may have taken
// the base folder and written its files into temp, so nothing is gathered. The run is over;
// Cancel leads back to the main menu.
void runsim::RefuseReview() {
  command3_->setEnabled(false);
  command2_->setEnabled(true);
  Model().RunType = 0;
  ReleaseRunLock();
  Messages().beep();
  Messages().show(kLockLostText, kLockLostTitle, MsgIcon::Exclamation);
}

void runsim::Command2_Click() {
  if (IsEngineRunning()) {
    StopEngine();
    return;
  }
  BackToMainMenu();
  Unload();
}

void runsim::BackToMainMenu() {
  model::ProjectModel& m = Model();
  // A cancelled run is no longer pending, and results that Review Results could still have
  // gathered are given up with the window.
  m.RunType = 0;
  if (command3_->isEnabled()) m.ResultsExist = 0;
  ShowModeless(&MainMenu());
}

void runsim::Unload() {
  unloading_ = true;
  close();
}

void runsim::Command3_Click() {
  model::ProjectModel& m = Model();
  mainmenu& menu = MainMenu();
  if (!lock_.StillTheFolders()) return RefuseReview();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    AppendEngineReports(m.AppDir);
    // What the results are, while the run still holds the base folder: every reader checks
    // temp/ against this before it reads.
    model::RecordResults(m);
  } catch (const model::FileError& error) {
    // The report is as the echo wrote it and no flag is set: the window stays, so that the
    // user can make room and press Review Results again, or give the run up with Cancel.
    QApplication::restoreOverrideCursor();
    ReportFileFault(error);
    command3_->setEnabled(true);
    command2_->setEnabled(true);
    return;
  }
  ReleaseRunLock();
  menu.EnableItems({MenuItem::viewmenu});
  Unload();
  m.ResultsExist = 1;
  m.OutputSaved = 0;
  m.ResultsViewable = 1;
  m.InputSaved = 0;
  m.LastProjectFile = m.ProjectFile;
  // The first view of the results: the comfort pages after a passive run, the energy
  // breakdown chart after any other (the arguments are documented in openers.h).
  const bool opened = m.RunType == 4 ? OpenWindow(window::tabular, kTabularComfortPages)
                                     : OpenWindow(window::graphs, kGraphEnergyBreakdown);
  m.RunType = 0;
  if (!opened) ShowModeless(&menu);
  QApplication::restoreOverrideCursor();
}

}  // namespace kalvano::shell
