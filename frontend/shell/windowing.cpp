#include "frontend/shell/windowing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <utility>

namespace kalvano::shell {

namespace {

std::function<void(int)>& EndHook() {
  static std::function<void(int)> hook;
  return hook;
}

// Enables the owner again when the watched dialog is hidden or closed, then removes itself.
class EnableOwnerOnClose final : public QObject {
 public:
  EnableOwnerOnClose(QWidget* dialog, QWidget* owner) : QObject(dialog), owner_(owner) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
      if (owner_ != nullptr) owner_->setEnabled(true);
      watched->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  QPointer<QWidget> owner_;
};

}  // namespace

namespace {

// Centres the window across its screen; `top` gives its top edge from the screen's height
// and the window's frame height.
void PlaceOnScreen(QWidget* window, int (*top)(int screenHeight, int frameHeight)) {
  QScreen* screen = window->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QRect frame = window->frameGeometry();
  window->move(area.left() + (area.width() - frame.width()) / 2,
               area.top() + top(area.height(), frame.height()));
}

}  // namespace

void CentreOnScreen(QWidget* window) {
  PlaceOnScreen(window, [](int h, int fh) { return (h - fh) / 2; });
}

void PlaceFileDialog(QWidget* window) {
  PlaceOnScreen(window, [](int h, int fh) { return static_cast<int>(h * 1.05 / 2) - fh / 2; });
}

void ShowModeless(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

void ShowBlocking(QWidget* dialog, QWidget* owner) {
  if (owner != nullptr) {
    owner->setEnabled(false);
    dialog->installEventFilter(new EnableOwnerOnClose(dialog, owner));
  }
  ShowModeless(dialog);
}

void EndProgram(int status) {
  if (EndHook()) {
    EndHook()(status);
    return;
  }
  // Queued, so that a request made before the event loop runs still ends it.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
      Qt::QueuedConnection);
}

void SetEndProgram(std::function<void(int)> end) { EndHook() = std::move(end); }

}  // namespace kalvano::shell
