// kalvano-ec: the front-end. It starts in its base folder with the start-up window.
#include <QApplication>

#include "frontend/reports/tabular.h"
#include "frontend/shell/mainform.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The program ends only through its own exit paths, never because a window closed.
  QApplication::setQuitOnLastWindowClosed(false);
  kalvano::shell::RegisterWindowOpener(kalvano::shell::window::tabular,
                                       &kalvano::reports::OpenTabularViewer);
  auto* startup = new kalvano::shell::mainform;
  kalvano::shell::SetStartupWindow(startup);
  startup->showMaximized();
  const int status = QApplication::exec();
  kalvano::shell::ResetSession();
  return status;
}
