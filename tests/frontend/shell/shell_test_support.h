// Shared pieces of the shell tests: the Qt application, message boxes that answer from a
// script and record what they were asked, and a small installed base folder.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/windowing.h"

class QString;
class QWidget;

namespace kalvano::shell::test {

// Answers every box from a queue (Yes/No questions default to No, three-button questions to
// Cancel, when the queue is empty) and records each one.
struct ScriptedBoxes : MessageBoxes {
  struct Asked {
    std::string text, title;
    MsgIcon icon;
    MsgButtons buttons;
    int beepsBefore;
  };
  std::vector<Asked> asked;
  std::deque<MsgAnswer> answers;
  int beeps = 0;

  void beep() override { ++beeps; }
  void show(std::string_view text, std::string_view title, MsgIcon icon) override {
    ask(text, title, icon, MsgButtons::Ok);
  }
  MsgAnswer ask(std::string_view text, std::string_view title, MsgIcon icon,
                MsgButtons buttons) override {
    asked.push_back({std::string(text), std::string(title), icon, buttons, beeps});
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (!answers.empty()) {
      const MsgAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
  }
};

// A temporary base folder holding the installed files that start-up reads (42 building-type
// files, four profile libraries of 43 lines) and a few help files; removed at the end. With
// `under` (a relative path, "gw é x/base"), the base folder is that path in the temporary
// folder.
class BaseFolder {
 public:
  explicit BaseFolder(const std::string& under = {});
  ~BaseFolder();
  BaseFolder(const BaseFolder&) = delete;
  BaseFolder& operator=(const BaseFolder&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path path(const std::string& rel) const { return dir_ / rel; }
  void write(const std::string& rel, const std::string& bytes) const;
  // Copies the installed data file data/<rel> of the source tree to <rel>.
  void install(const std::string& rel) const;
  std::string read(const std::string& rel) const;
  bool exists(const std::string& rel) const { return std::filesystem::exists(path(rel)); }
  void remove(const std::string& rel) const { std::filesystem::remove(path(rel)); }

  // The profile line that the fixture holds for kind k (1..4) and type n (1..42).
  static std::string ProfileLine(int kind, int type);

 private:
  std::filesystem::path root_;  // the temporary folder, removed at the end
  std::filesystem::path dir_;
};

// The folder that the window-pictures tests write to: KALVANO_SCREENS_DIR when set, else
// <build>/screens.
std::filesystem::path PictureFolder();

// A fresh front-end for each test: a base folder as the current folder, the session reset,
// scripted message boxes, and the end of the program recorded instead of done.
class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  BaseFolder base;
  ScriptedBoxes boxes;
  std::vector<int> endRequests;

 private:
  std::filesystem::path previousDir_;
};

// Whether the window's frame stands in the middle of its screen (within 2 pixels), along each
// direction in which it fits the screen.
bool CentredOnScreen(const QWidget& window);

// The text of the first box that Qt's own message boxes show while `act` runs (the box is
// closed with its OK); empty when none showed. The scripted boxes record texts only: what the
// user reads is what Qt's box decodes.
QString FirstQtBoxText(const std::function<void()>& act);

// Processes events until `done` holds or `ms` milliseconds have passed; the result is `done`.
bool WaitFor(const std::function<bool()>& done, int ms = 60000);

// Stops the engine that the run window still runs, as Cancel does, and waits for its end.
void StopRunWindowEngine();

// Copies the built engine and the installed files it reads (the system tables, the
// separator and the light-shelf table) into `base`.
void InstallRealEngine(const BaseFolder& base);

// Bytes as the user's report holds them: every line ended by CR LF.
std::string AsReportLines(const std::string& bytes);

// Reads the installed sample `name` into the session's model with `base` as the base folder,
// and starts from an empty registry of window openers: a project ready to be run.
model::ProjectModel& RunnableSample(const BaseFolder& base, const std::string& name);

}  // namespace kalvano::shell::test
