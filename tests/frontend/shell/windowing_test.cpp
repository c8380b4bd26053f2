// Window placement and the blocking of an owner while a dialog is open.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

}  // namespace
}  // namespace kalvano::shell
