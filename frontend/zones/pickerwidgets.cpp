#include "frontend/zones/pickerwidgets.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace kalvano::zones {

namespace {

// The last two windows of the program that had the focus (null: another program had it).
struct FocusTrail {
  QPointer<QWindow> current;
  QPointer<QWindow> previous;
  bool following = false;
};

FocusTrail& Trail() {
  static FocusTrail trail;
  return trail;
}

QWidget* WidgetOf(const QWindow* window) {
  if (window == nullptr) return nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->windowHandle() == window) return w;
  }
  return nullptr;
}

}  // namespace

QColor RowColourValue(RowColour colour) {
  switch (colour) {
    case RowColour::Yellow: return QColor(255, 255, 0);
    case RowColour::White: return QColor(255, 255, 255);
    case RowColour::Plain: break;
  }
  return QApplication::palette().color(QPalette::Base);
}

void SetRowColour(QLineEdit* box, RowColour colour) {
  QPalette p = box->palette();
  p.setColor(QPalette::Base, RowColourValue(colour));
  box->setPalette(p);
}

void SetRowColour(QLabel* label, RowColour colour) {
  label->setAutoFillBackground(true);
  QPalette p = label->palette();
  p.setColor(QPalette::Window, RowColourValue(colour));
  label->setPalette(p);
}

bool IsYellow(const QLineEdit* box) {
  return box->palette().color(QPalette::Base) == RowColourValue(RowColour::Yellow);
}

bool IsYellow(const QLabel* label) {
  return label->palette().color(QPalette::Window) == RowColourValue(RowColour::Yellow);
}

void SetTextColour(QLineEdit* box, const QColor& colour) {
  QPalette p = box->palette();
  p.setColor(QPalette::Text, colour);
  box->setPalette(p);
}

QColor TextColour(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

QColor WindowTextColour() { return QApplication::palette().color(QPalette::Text); }

void ShowValues(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(0);
}

QFont FixedPitchFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

void FollowWindowFocus() {
  FocusTrail& trail = Trail();
  if (trail.following || qApp == nullptr) return;
  trail.following = true;
  trail.current = QGuiApplication::focusWindow();
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* now) {
    FocusTrail& t = Trail();
    t.previous = t.current;
    t.current = now;
  });
}

bool ReturnsFromOwnWindow(const QWidget* window) {
  const FocusTrail& trail = Trail();
  const QWindow* mine = window->windowHandle();
  // The activation is delivered before the focus change is announced: the window that had
  // the focus is still the current one then, unless the announcement came first.
  const QWindow* before = trail.current == mine ? trail.previous.data() : trail.current.data();
  const QWidget* from = WidgetOf(before);
  if (from == nullptr || from == window) return false;
  // A box, menu or dialog that this window raised.
  for (const QWidget* p = from->parentWidget(); p != nullptr; p = p->parentWidget()) {
    if (p == window) return false;
  }
  if (const QWindow* parent = before->transientParent(); parent != nullptr && parent == mine) {
    return false;
  }
  return true;
}

}  // namespace kalvano::zones
