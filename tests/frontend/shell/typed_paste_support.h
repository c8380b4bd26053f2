// Pasted text against typed text, for the tables of filtered boxes of every window: a text
// pasted into a box, by any way a user can paste, must leave what typing it leaves, and the
// user must hear of the refused characters as typing tells, once.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QTest>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/frontend/shell/shell_test_support.h"

namespace kalvano::shell::test {

// How a text reaches a box: typed key by key, or in one piece by one of the ways to paste.
enum class Entry { Typed, CtrlV, ShiftInsert, ContextMenu, Drop };

inline const char* EntryName(Entry e) {
  switch (e) {
    case Entry::Typed: return "typed";
    case Entry::CtrlV: return "Ctrl+V";
    case Entry::ShiftInsert: return "Shift+Insert";
    case Entry::ContextMenu: return "context menu";
    case Entry::Drop: return "drop";
  }
  return "";
}

// The texts of the tables: letters, a minus sign, and a number too long for any box.
inline const std::vector<std::string>& PasteTexts() {
  static const std::vector<std::string> texts{"abc", "-", "12345678901234567890"};
  return texts;
}

// What a box holds and what the user heard after a text reached it.
struct Outcome {
  std::string text;
  std::vector<std::string> messages;  // each message once, in the order first shown
  bool beeped = false;
  int shown = 0;                      // messages shown in all
};

// Ctrl+V as a keyboard gives it: the key V with its control character as text.
inline void PressCtrlV(QWidget* box) {
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
}

// Right-clicks the box and chooses Paste in the menu that opens.
inline void PasteFromContextMenu(QLineEdit* box) {
  const QPoint at = box->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
  QApplication::sendEvent(box, &event);
  const QList<QMenu*> menus = box->findChildren<QMenu*>();
  ASSERT_FALSE(menus.isEmpty()) << "no context menu";
  QMenu* menu = menus.back();
  QAction* paste = nullptr;
  for (QAction* a : menu->actions()) {
    if (a->text().startsWith("&Paste")) paste = a;
  }
  // A read-only box offers no Paste.
  if (paste != nullptr && paste->isEnabled()) paste->trigger();
  menu->close();
  delete menu;
}

inline void DropOn(QLineEdit* box, const QString& text) {
  QMimeData mime;
  mime.setText(text);
  const QPointF at(box->rect().center());
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                        Qt::NoModifier);
  QApplication::sendEvent(box, &enter);
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &drop);
}

// Puts a text where the window's paste takes it from: the system clipboard unless the window
// has a buffer of its own.
using PutOnClipboard = std::function<void(const QString&)>;
inline void SystemClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

// Lets `text` reach the emptied `box` by `how`, and tells what came of it.
inline Outcome Enter(QLineEdit* box, Entry how, const std::string& text, ScriptedBoxes& boxes,
                     const PutOnClipboard& put = SystemClipboard) {
  const QString q = QString::fromLatin1(text.c_str());
  SystemClipboard(QString());
  if (how == Entry::CtrlV || how == Entry::ShiftInsert) put(q);
  if (how == Entry::ContextMenu) SystemClipboard(q);
  boxes.asked.clear();
  boxes.beeps = 0;
  const QPointer<QLineEdit> target(box);
  // From an empty box: a drop inserts where it lands, whatever is selected.
  box->clear();
  switch (how) {
    case Entry::Typed: QTest::keyClicks(box, q); break;
    case Entry::CtrlV: PressCtrlV(box); break;
    case Entry::ShiftInsert: QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); break;
    case Entry::ContextMenu: PasteFromContextMenu(box); break;
    case Entry::Drop: DropOn(box, q); break;
  }
  Outcome o;
  if (!target.isNull()) o.text = target->text().toLatin1().toStdString();
  for (const auto& a : boxes.asked) {
    if (std::find(o.messages.begin(), o.messages.end(), a.text) == o.messages.end()) {
      o.messages.push_back(a.text);
    }
  }
  o.shown = static_cast<int>(boxes.asked.size());
  o.beeped = boxes.beeps > 0;
  return o;
}

// One filtered box of a window: `open` opens the window afresh and gives the box, `close`
// closes what `open` and the entries opened; `put` fills the window's own paste buffer;
// `ways` are the ways to paste that the box offers.
struct FilteredBox {
  std::string name;
  std::function<QLineEdit*()> open;
  PutOnClipboard put = SystemClipboard;
  std::vector<Entry> ways{Entry::CtrlV, Entry::ShiftInsert, Entry::ContextMenu, Entry::Drop};
};

// For every text of the table and every way to paste: the pasted text leaves the box as
// typing leaves it, the user hears the same messages (each once) and a beep when typing
// beeps.
inline void ExpectPasteAsTyped(const FilteredBox& row, const std::function<void()>& close,
                               ScriptedBoxes& boxes) {
  for (const std::string& text : PasteTexts()) {
    QLineEdit* box = row.open();
    ASSERT_NE(box, nullptr) << row.name;
    EXPECT_TRUE(box->isEnabled()) << row.name << " takes no key";
    const Outcome typed = Enter(box, Entry::Typed, text, boxes);
    close();
    for (const Entry how : row.ways) {
      SCOPED_TRACE(row.name + ", \"" + text + "\" by " + EntryName(how));
      box = row.open();
      ASSERT_NE(box, nullptr);
      const Outcome pasted = Enter(box, how, text, boxes, row.put);
      close();
      EXPECT_EQ(pasted.text, typed.text);
      EXPECT_EQ(pasted.messages, typed.messages);
      EXPECT_EQ(pasted.beeped, typed.beeped);
      EXPECT_EQ(pasted.shown, static_cast<int>(pasted.messages.size())) << "a message repeated";
    }
  }
}

}  // namespace kalvano::shell::test
