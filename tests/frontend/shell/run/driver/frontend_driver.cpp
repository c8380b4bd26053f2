// A second front-end for the run road's program tests: the real run window, in a process of
// its own, on a base folder that a test prepared. It loads a project, presses Execute Run as
// a user does and writes what the user was told to standard output, one line each:
//   box <title>: <text>   every message box (line breaks in the text written as "|")
//   status <text>         the run window's status line (the same)
//   engine <pid>          with --stop-engine: the engine it started, stopped at once
// Before it presses Execute Run it says "ready" and waits for a line on standard input.
// Usage: kalvano_frontend_driver BASE PROJECT RUNTYPE [--hourly] [--stop-engine | --review]
//                                [--save-output NAME]
// With --hourly the run writes the hourly files. Without --stop-engine it waits for the
// engine's end and exits with 0, after pressing Review Results with --review (then it says
// "reviewed" and the flags ResultsExist and ResultsViewable). With --stop-engine it waits
// (at most a minute) to be killed, its engine stopped, as a front-end in the middle of a run.
// With --save-output it is a whole front-end as kalvano-ec is: it holds its base folder and
// ends on a signal as kalvano-ec does; after the review it saves the output as NAME through
// the Save Output dialog, says "saved" and ResultsExist, and runs on until it is ended.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <csignal>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "frontend/model/project_file.h"
#include "frontend/reports/inputecho.h"
#include "frontend/shell/baselock.h"
#include "frontend/shell/endsignal.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "processes.h"

namespace {

using namespace kalvano;

void Say(std::string_view what, std::string_view text) {
  std::string line(what);
  if (!text.empty()) line += ' ';
  for (char c : text) line += c == '\n' ? '|' : c;
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void Wait(int ms) {
  for (int waited = 0; waited < ms; waited += 10) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    ::usleep(10000);
  }
}

// Saves the reviewed output as `name` through the Save Output dialog once the event loop runs,
// and runs that loop until the program is ended; the front-end's end follows.
int SaveOutputAndRun(const std::string& name) {
  QTimer::singleShot(0, [name] {
    shell::saveoutform& dialog = shell::SaveOutputDialog();
    dialog.Open({}, {}, false);
    dialog.outputname()->setText(QString::fromLocal8Bit(name));
    dialog.okbutton()->click();
    Say("saved", std::to_string(shell::Model().ResultsExist == 0 && shell::Model().OutputSaved == 1));
  });
  const int status = QApplication::exec();
  shell::ResetSession();
  return status;
}

int Drive(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: %s BASE PROJECT RUNTYPE [--hourly] [--stop-engine | --review] "
                 "[--save-output NAME]\n",
                 argv[0]);
    return 2;
  }
  const std::string baseFolder = argv[1];
  bool stopEngine = false, review = false, hourly = false;
  std::string saveAs;
  for (int i = 4; i < argc; ++i) {
    const std::string_view flag(argv[i]);
    stopEngine = stopEngine || flag == "--stop-engine";
    review = review || flag == "--review";
    hourly = hourly || flag == "--hourly";
    if (flag == "--save-output" && i + 1 < argc) saveAs = argv[++i];
  }
  if (::chdir(baseFolder.c_str()) != 0) return 2;
  std::optional<shell::BaseFolderHold> hold;
  if (!saveAs.empty() && !hold.emplace(baseFolder).Held()) return 7;
  QApplication app(argc, argv);
  if (!saveAs.empty()) shell::EndOnSignals();
  QApplication::setQuitOnLastWindowClosed(false);
  // Boxes that the user reads: written out, every question answered No (or Cancel).
  shell::PrintedMessageBoxes boxes(stdout);
  shell::SetMessages(&boxes);
  shell::SetInputEchoWriter([](model::ProjectModel& m) { reports::WriteInputEcho(m, shell::Messages()); });

  model::ProjectModel& m = shell::Model();
  m.AppDir = baseFolder;
  m.ProjectFile = argv[2];
  model::ReadInputFile(m, m.ProjectFile);
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  m.LastProjectFile = m.ProjectFile;
  // Ready to press Execute Run: it waits for a line on standard input first.
  Say("ready", "");
  char go[8];
  if (std::fgets(go, sizeof go, stdin) == nullptr) return 6;
  shell::MainMenu().runenergy_Click(std::atoi(argv[3]));
  if (!shell::RunWindowLoaded()) return 3;
  shell::runsim& window = shell::RunWindow();
  window.hourlyoutput()->setChecked(hourly);
  window.Command1()->click();
  if (stopEngine) {
    const auto engines = shell::test::ChildProcesses(::getpid());
    if (engines.size() != 1) return 4;
    ::kill(engines[0], SIGSTOP);
    Say("engine", std::to_string(engines[0]));
    Wait(60000);
    return 5;
  }
  for (int waited = 0; window.IsEngineRunning() && waited < 60000; waited += 10) Wait(10);
  Wait(50);
  Say("status", window.runstatus()->text().toStdString());
  if (review && window.Command3()->isEnabled()) {
    window.Command3()->click();
    Wait(50);
    Say("reviewed", std::to_string(m.ResultsExist) + std::to_string(m.ResultsViewable));
  }
  if (!saveAs.empty()) return SaveOutputAndRun(saveAs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = Drive(argc, argv);
  shell::EndAsSignalled();
  return status;
}
