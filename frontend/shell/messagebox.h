// The front-end's one message-box interface. The model's routines show their boxes through
// model::MessageBoxes; the windows also ask questions through this extension of it. Every
// window goes through Messages(), so that a test can install its own answerer and check each
// text, title, icon and button set.
#pragma once

#include <cstdio>
#include <string_view>

#include "frontend/model/helpers.h"

namespace kalvano::shell {

using model::MsgIcon;
enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageBoxes : public model::MessageBoxes {
 public:
  // A box with the given buttons; waits for and returns the user's answer.
  virtual MsgAnswer ask(std::string_view text, std::string_view title, MsgIcon icon,
                        MsgButtons buttons) = 0;
  // A box whose text names a file or folder. The texts of show and ask are Latin-1, as the
  // files hold them; this text is the program's words (ASCII) and a name spelt as the file
  // system holds it, so it reads in the file system's encoding. An answerer that only
  // records texts takes it as show.
  virtual void showNaming(std::string_view text, std::string_view title, MsgIcon icon) {
    show(text, title, icon);
  }
};

// Qt's modal message boxes, over the active window.
class QtMessageBoxes final : public MessageBoxes {
 public:
  void beep() override;
  void show(std::string_view text, std::string_view title, MsgIcon icon) override;
  MsgAnswer ask(std::string_view text, std::string_view title, MsgIcon icon,
                MsgButtons buttons) override;
  void showNaming(std::string_view text, std::string_view title, MsgIcon icon) override;
};

// Boxes written as lines to `out` instead of shown, "box <title>: <text>" (line breaks in the
// text written as "|"), each answered as closing it would answer: No, or Cancel. For a
// front-end driven by another program: kalvano-ec with KALVANO_PRINT_MESSAGES set writes its
// boxes to standard error.
class PrintedMessageBoxes final : public MessageBoxes {
 public:
  explicit PrintedMessageBoxes(std::FILE* out) : out_(out) {}
  void beep() override {}
  void show(std::string_view text, std::string_view title, MsgIcon icon) override;
  MsgAnswer ask(std::string_view text, std::string_view title, MsgIcon icon,
                MsgButtons buttons) override;

 private:
  std::FILE* out_;
};

// The answer of a box with `buttons` closed from the window manager: the one that changes
// nothing.
MsgAnswer ClosedAnswer(MsgButtons buttons);

// The answerer in use: Qt's message boxes unless a test installed another one.
MessageBoxes& Messages();
// Installs an answerer (not owned); nullptr restores Qt's message boxes. Returns the answerer
// installed before (nullptr for Qt's), so that a caller can put it back.
MessageBoxes* SetMessages(MessageBoxes* boxes);

}  // namespace kalvano::shell
