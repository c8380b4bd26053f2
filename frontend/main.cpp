// kalvano-ec: the front-end. It starts in its base folder with the start-up window.
#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "frontend/envelope/catalog.h"
#include "frontend/envelope/economics.h"
#include "frontend/envelope/hvacwin.h"
#include "frontend/envelope/wallwin.h"
#include "frontend/reports/charts.h"
#include "frontend/reports/inputecho.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/baselock.h"
#include "frontend/shell/endsignal.h"
#include "frontend/shell/mainform.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/windowing.h"
#include "frontend/weather/selectweth.h"
#include "frontend/weather/weatherwin.h"
#include "frontend/sketch/drawform.h"
#include "frontend/zones/zoneform.h"
#include "frontend/zones/zonename.h"

namespace {

int RunFrontEnd(int argc, char** argv) {
  // A file-size limit then fails the write (a full disk, with its message) instead of
  // ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  // The base folder is this front-end's alone until it ends: taken before anything there is
  // read or written, and before the first window.
  std::error_code ec;
  kalvano::shell::BaseFolderHold hold(std::filesystem::current_path(ec).string());
  QApplication app(argc, argv);
  // A program that drives the front-end reads its boxes on standard error, each answered as
  // closing it would.
  kalvano::shell::PrintedMessageBoxes printed(stderr);
  if (const char* print = std::getenv("KALVANO_PRINT_MESSAGES"); print != nullptr && *print != 0) {
    kalvano::shell::SetMessages(&printed);
  }
  if (!hold.Held()) return hold.Refuse();
  // A kill, Ctrl+C or a logout ends the program through its own end, not in the middle of a
  // save.
  kalvano::shell::EndOnSignals();
  // The program ends only through its own exit paths, never because a window closed.
  QApplication::setQuitOnLastWindowClosed(false);
  // No window opens larger than the screen, with its buttons out of reach.
  kalvano::shell::FitWindowsOnScreen();
  // The windows that lower libraries open by name.
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::zonename,
                                       &kalvano::zones::OpenZoneList);
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::zoneform,
                                       [](int row) { return kalvano::zones::OpenZoneForm(row); });
  kalvano::shell::SetInputEchoWriter([](kalvano::model::ProjectModel& m) {
    kalvano::reports::WriteInputEcho(m, kalvano::shell::Messages());
  });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::tabular,
                                       &kalvano::reports::OpenTabularViewer);
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::graphs,
                                       [](int chart) { return kalvano::reports::ShowChart(chart); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::saveoutput,
                                       &kalvano::shell::OpenSaveOutput);
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::economics,
                                       [](int) { kalvano::envelope::OpenEconomics(); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::hvac,
                                       [](int) { return kalvano::envelope::OpenHvacWindow(); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::sketch,
                                       [](int) { return kalvano::sketch::OpenSketchWindow(); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::weather,
                                       [](int) { kalvano::weather::OpenWeatherWindow(); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::selectweth,
                                       [](int) { kalvano::weather::OpenSelectWeather(); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::catalog,
                                       [](int item) { return kalvano::envelope::OpenCatalog(item); });
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::wallwin,
                                       [](int kind) { return kalvano::envelope::OpenTypeTable(kind); });
  auto* startup = new kalvano::shell::mainform;
  kalvano::shell::SetStartupWindow(startup);
  startup->showMaximized();
  const int status = QApplication::exec();
  // Started outside a base folder, the program leaves nothing there.
  if (const auto* shown = kalvano::shell::StartupWindow(); shown != nullptr && !shown->Started()) {
    hold.Withdraw();
  }
  kalvano::shell::ResetSession();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = RunFrontEnd(argc, argv);
  // The application, the windows and the base folder's locks are gone: a signal that ended
  // the program now ends the process.
  kalvano::shell::EndAsSignalled();
  return status;
}
