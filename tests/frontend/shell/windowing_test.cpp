// Window placement and the blocking of an owner while a dialog is open.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "frontend/shell/windowing.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

TEST(Windowing, a_blocking_dialog_disables_its_owner_until_it_is_hidden_or_closed) {
  QWidget owner;
  owner.show();
  for (bool byClose : {false, true}) {
    QWidget dialog(nullptr, Qt::Window);
    ShowBlocking(&dialog, &owner);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(owner.isEnabled());
    if (byClose) dialog.close();
    else dialog.hide();
    EXPECT_TRUE(owner.isEnabled()) << byClose;
    // Shown again without an owner, it leaves the former owner alone.
    owner.setEnabled(false);
    ShowModeless(&dialog);
    dialog.hide();
    EXPECT_FALSE(owner.isEnabled());
    owner.setEnabled(true);
  }
}

// Long work runs while the program stays alive: the event loop serves the windows (here a
// timer due at once) before the work is done, under the busy pointer; the user's input waits.
TEST(Windowing, the_windows_are_served_while_long_work_runs_under_the_busy_pointer) {
  std::atomic<bool> served{false};
  bool busy = false;
  QTimer::singleShot(0, [&served, &busy] {
    const QCursor* pointer = QGuiApplication::overrideCursor();
    busy = pointer != nullptr && pointer->shape() == Qt::WaitCursor;
    served = true;
  });
  bool servedDuringWork = false;
  WhileBusy([&served, &servedDuringWork] {
    // The work lasts until the windows were served (a minute at most: never, without them).
    for (int i = 0; i < 6000 && !served; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    servedDuringWork = served;
  });
  EXPECT_TRUE(servedDuringWork);
  EXPECT_TRUE(busy);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // A failure of the work reaches the caller, with the pointer back to normal.
  EXPECT_THROW(WhileBusy([] { throw std::runtime_error("failed"); }), std::runtime_error);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Windowing, centring_puts_the_window_in_the_middle_of_its_screen) {
  QWidget window(nullptr, Qt::Window);
  window.resize(300, 200);
  window.show();
  CentreOnScreen(&window);
  const QRect screen = window.screen()->geometry();
  const QPoint centre = window.frameGeometry().center();
  EXPECT_LE(std::abs(centre.x() - screen.center().x()), 1);
  EXPECT_LE(std::abs(centre.y() - screen.center().y()), 1);
}

// Windows larger than the screen's available area are fitted into it as they are shown, their
// bottom-right corner with it; a window that fits keeps its size, one placed beyond an edge
// comes back inside. A window whose contents cannot shrink that far keeps its top-left corner
// on the screen.
TEST(Windowing, windows_are_fitted_into_the_screen_as_they_are_shown) {
  FitWindowsOnScreen();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    const char* what;
    QSize size;
    QPoint at;  // where the program put it; (-1, -1) for nowhere
  };
  const Case cases[] = {
      {"fits", {300, 200}, {-1, -1}},
      {"too high", {400, area.height() + 150}, {-1, -1}},
      {"too wide and high", area.size() + QSize(280, 160), {-1, -1}},
      {"beyond the bottom right", {300, 200}, area.bottomRight() - QPoint(100, 50)},
      {"above the top left", {300, 200}, area.topLeft() - QPoint(40, 30)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QWidget window(nullptr, Qt::Window);
    window.resize(c.size);
    if (c.at != QPoint(-1, -1)) window.move(c.at);
    window.show();
    // As large as it was, or as the area less the window's frame allows.
    const QSize room = area.size().shrunkBy(window.windowHandle()->frameMargins());
    EXPECT_EQ(window.size(), c.size.boundedTo(room));
    if (c.at != QPoint(-1, -1) || c.size != window.size()) {
      EXPECT_TRUE(area.contains(window.frameGeometry()))
          << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
          << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    }
  }
  {
    SCOPED_TRACE("contents larger than the screen");
    QWidget window(nullptr, Qt::Window);
    window.setMinimumSize(area.size() + QSize(100, 100));
    window.move(area.topLeft() - QPoint(20, 20));
    window.show();
    EXPECT_EQ(window.frameGeometry().topLeft(), area.topLeft());
  }
  FitWindowsOnScreen(false);
  QWidget later(nullptr, Qt::Window);
  later.resize(area.size() + QSize(50, 50));
  later.show();
  EXPECT_EQ(later.size(), area.size() + QSize(50, 50));
}

TEST(Windowing, a_window_kept_behind_stays_below_the_others) {
  QWidget window(nullptr, Qt::Window);
  window.show();
  KeepBehind(&window);
  EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnBottomHint));
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnBottomHint));
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace kalvano::shell
