#include "frontend/shell/keyfilter.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

#include <set>
#include <string>
#include <utility>

#include "frontend/shell/messagebox.h"

namespace kalvano::shell {

namespace {

// Stands in for the message boxes while a text is typed in: the first beep and the first
// showing of each message reach the user, the repeats of the same refusal do not.
// Questions always reach the user, since their answer counts.
class TellOnce final : public MessageBoxes {
 public:
  TellOnce() : inner_(Messages()), previous_(SetMessages(this)) {}
  ~TellOnce() override { SetMessages(previous_); }
  TellOnce(const TellOnce&) = delete;
  TellOnce& operator=(const TellOnce&) = delete;

  void beep() override {
    if (beeped_) return;
    beeped_ = true;
    inner_.beep();
  }
  void show(std::string_view text, std::string_view title, MsgIcon icon) override {
    if (!shown_.emplace(std::string(text), std::string(title)).second) return;
    inner_.show(text, title, icon);
  }
  MsgAnswer ask(std::string_view text, std::string_view title, MsgIcon icon,
                MsgButtons buttons) override {
    return inner_.ask(text, title, icon, buttons);
  }
  void showNaming(std::string_view text, std::string_view title, MsgIcon icon) override {
    if (!shown_.emplace(std::string(text), std::string(title)).second) return;
    inner_.showNaming(text, title, icon);
  }

 private:
  MessageBoxes& inner_;
  MessageBoxes* previous_;
  bool beeped_ = false;
  std::set<std::pair<std::string, std::string>> shown_;
};

// The key code that a keyboard gives with a character (the capital's code for a letter).
int KeyOf(char32_t c) {
  const char32_t upper = QChar::toUpper(c);
  return static_cast<int>(c <= 0xFF && upper > 0xFF ? c : upper);
}

// Sends one key, press and release, through the box's filters; false when the box is gone.
bool SendKey(const QPointer<QLineEdit>& box, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(box.data(), &press);
  if (box.isNull()) return false;
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(box.data(), &release);
  return !box.isNull();
}

QString ClipboardText(QClipboard::Mode mode = QClipboard::Clipboard) {
  return QGuiApplication::clipboard()->text(mode);
}

// The box's own context menu, whose Paste types the clipboard's text in.
void ShowContextMenu(QLineEdit* box, const QContextMenuEvent* event) {
  QMenu* menu = box->createStandardContextMenu();
  if (menu == nullptr) return;
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's Paste is the action that pastes into the box (connected by name or by
  // member, as Qt's versions do).
  for (QAction* action : menu->actions()) {
    const bool paste = QObject::disconnect(action, &QAction::triggered, box, &QLineEdit::paste) ||
                       QObject::disconnect(action, SIGNAL(triggered()), box, SLOT(paste()));
    if (!paste) continue;
    action->setObjectName(QStringLiteral("edit-paste"));
    QObject::connect(action, &QAction::triggered, box, [box] { TypeIn(box, ClipboardText()); });
  }
  menu->popup(event->globalPos());
}

// Text dropped on the box is typed in where it was dropped; the text dragged stays where it
// came from.
bool Drop(QLineEdit* box, QDropEvent* drop) {
  if (box->isReadOnly() || !drop->mimeData()->hasText()) return false;
  box->setCursorPosition(box->cursorPositionAt(drop->position().toPoint()));
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  // Ends the box's drag feedback, as its own drop would.
  QDragLeaveEvent leave;
  QCoreApplication::sendEvent(box, &leave);
  TypeIn(box, drop->mimeData()->text());
  return true;
}

// Routes the text that arrives without being typed; installed before the window's filter,
// so it sees each event after that filter.
class PastedText final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* box = static_cast<QLineEdit*>(watched);
    switch (event->type()) {
      case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) return false;
        if (!box->isReadOnly()) TypeIn(box, ClipboardText());
        return true;
      case QEvent::ContextMenu:
        ShowContextMenu(box, static_cast<QContextMenuEvent*>(event));
        return true;
      case QEvent::Drop:
        return Drop(box, static_cast<QDropEvent*>(event));
      case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection of systems that have one.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::MiddleButton || box->isReadOnly() ||
            !QGuiApplication::clipboard()->supportsSelection()) {
          return false;
        }
        box->deselect();
        TypeIn(box, ClipboardText(QClipboard::Selection));
        return true;
      }
      default:
        return false;
    }
  }
};

}  // namespace

void InstallKeyFilter(QLineEdit* box, QObject* keyFilter) {
  // The filter installed last sees an event first.
  box->installEventFilter(new PastedText(box));
  box->installEventFilter(keyFilter);
}

void TypeIn(QLineEdit* box, const QString& text) {
  const QPointer<QLineEdit> target(box);
  TellOnce tell;
  bool typed = false;
  for (const char32_t c : text.toUcs4()) {
    if (c < 32 || c == 127) continue;
    typed = true;
    if (!SendKey(target, KeyOf(c), QString::fromUcs4(&c, 1))) return;
  }
  if (!typed && box->hasSelectedText()) SendKey(target, Qt::Key_Delete, QString());
}

}  // namespace kalvano::shell
