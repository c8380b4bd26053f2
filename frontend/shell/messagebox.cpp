#include "frontend/shell/messagebox.h"
#include "frontend/shell/widgets.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <string>

namespace kalvano::shell {

namespace {

MessageBoxes* g_installed = nullptr;

QMessageBox::Icon ToQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::Ok: break;
  }
  return QMessageBox::Ok;
}

MsgAnswer Ask(const QString& text, std::string_view title, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(ToQt(icon), Latin1(title), text, ToQt(buttons), QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Ok:
      if (buttons == MsgButtons::OkCancel) return MsgAnswer::Ok;
      break;
    default: break;
  }
  return ClosedAnswer(buttons);
}

}  // namespace

MsgAnswer ClosedAnswer(MsgButtons buttons) {
  if (buttons == MsgButtons::YesNoCancel || buttons == MsgButtons::OkCancel) return MsgAnswer::Cancel;
  if (buttons == MsgButtons::YesNo) return MsgAnswer::No;
  return MsgAnswer::Ok;
}

void QtMessageBoxes::beep() { QApplication::beep(); }

void QtMessageBoxes::show(std::string_view text, std::string_view title, MsgIcon icon) {
  Ask(Latin1(text), title, icon, MsgButtons::Ok);
}

MsgAnswer QtMessageBoxes::ask(std::string_view text, std::string_view title, MsgIcon icon,
                              MsgButtons buttons) {
  return Ask(Latin1(text), title, icon, buttons);
}

void QtMessageBoxes::showNaming(std::string_view text, std::string_view title, MsgIcon icon) {
  Ask(FromLocal(text), title, icon, MsgButtons::Ok);
}

void PrintedMessageBoxes::show(std::string_view text, std::string_view title, MsgIcon icon) {
  ask(text, title, icon, MsgButtons::Ok);
}

MsgAnswer PrintedMessageBoxes::ask(std::string_view text, std::string_view title, MsgIcon,
                                   MsgButtons buttons) {
  std::string line = "box " + std::string(title) + ": ";
  for (char c : text) line += c == '\n' ? '|' : c;
  std::fprintf(out_, "%s\n", line.c_str());
  std::fflush(out_);
  return ClosedAnswer(buttons);
}

MessageBoxes& Messages() {
  static QtMessageBoxes qtBoxes;
  return g_installed != nullptr ? *g_installed : qtBoxes;
}

MessageBoxes* SetMessages(MessageBoxes* boxes) {
  MessageBoxes* previous = g_installed;
  g_installed = boxes;
  return previous;
}

}  // namespace kalvano::shell
