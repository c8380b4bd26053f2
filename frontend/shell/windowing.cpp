#include "frontend/shell/windowing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <exception>
#include <thread>
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

QScreen* ScreenOf(const QWidget* window) {
  QScreen* screen = window->screen();
  return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// The window's frame: its own once the window system has framed it, before that the largest
// frame of the program's shown windows.
QMargins FrameMargins(const QWidget* window) {
  if (const QWindow* own = window->windowHandle(); own != nullptr && !own->frameMargins().isNull()) {
    return own->frameMargins();
  }
  QMargins frame;
  for (const QWindow* other : QGuiApplication::topLevelWindows()) {
    if (!other->isVisible()) continue;
    const QMargins m = other->frameMargins();
    frame = QMargins(std::max(frame.left(), m.left()), std::max(frame.top(), m.top()),
                     std::max(frame.right(), m.right()), std::max(frame.bottom(), m.bottom()));
  }
  return frame;
}

// The top-left corner that keeps a frame of `size` inside `area`, as near `at` as it can.
QPoint Inside(const QRect& area, QPoint at, QSize size) {
  return {std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width())),
          std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()))};
}

// Centres the window across its screen; `top` gives its top edge from the screen's height
// and the window's frame height. The frame stays inside the screen's available area.
void PlaceOnScreen(QWidget* window, int (*top)(int screenHeight, int frameHeight)) {
  QScreen* screen = ScreenOf(window);
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QSize frame = window->size().grownBy(FrameMargins(window));
  const QPoint centred(area.left() + (area.width() - frame.width()) / 2,
                       area.top() + top(area.height(), frame.height()));
  window->move(Inside(screen->availableGeometry(), centred, frame));
}

// Fits each window of the program as it is shown, before the window system maps it.
class FitOnShow final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      const Qt::WindowType type = widget->windowType();
      if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog)) FitOnScreen(widget);
    }
    return false;
  }
};

QPointer<FitOnShow>& Fitter() {
  static QPointer<FitOnShow> fitter;
  return fitter;
}

}  // namespace

void KeepBehind(QWidget* window) {
  window->overrideWindowFlags(window->windowFlags() | Qt::WindowStaysOnBottomHint);
  if (QWindow* handle = window->windowHandle()) handle->setFlag(Qt::WindowStaysOnBottomHint, true);
}

void FitOnScreen(QWidget* window) {
  if (window->isMaximized() || window->isFullScreen()) return;
  QScreen* screen = ScreenOf(window);
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QMargins frame = FrameMargins(window);
  const QSize room = area.size().shrunkBy(frame);
  const QSize size = window->size();
  const bool tooLarge = size.width() > room.width() || size.height() > room.height();
  if (tooLarge) window->resize(size.boundedTo(room));
  // A window placed by the program, or made smaller, is moved inside the area; the window
  // system places the others.
  if (tooLarge || window->testAttribute(Qt::WA_Moved)) {
    const QPoint at = Inside(area, window->pos(), window->size().grownBy(frame));
    if (at != window->pos()) window->move(at);
  }
}

void FitWindowsOnScreen(bool on) {
  QPointer<FitOnShow>& fitter = Fitter();
  if (on && fitter.isNull() && QCoreApplication::instance() != nullptr) {
    fitter = new FitOnShow(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(fitter);
  } else if (!on && !fitter.isNull()) {
    delete fitter.data();
  }
}

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

void WhileBusy(const std::function<void()>& work) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  QEventLoop loop;
  std::exception_ptr failed;
  std::thread worker([&work, &failed, &loop] {
    try {
      work();
    } catch (...) {
      failed = std::current_exception();
    }
    // Queued to the waiting loop, which quits once it runs it (even when it has not begun).
    QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  QGuiApplication::restoreOverrideCursor();
  if (failed) std::rethrow_exception(failed);
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
