// The project information window (main-menu step 1): the twelve general project items, the
// "Building Type" menu that starts a new project from a type's defaults, "OK" and "Cancel".
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "frontend/shell/bldtype.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace kalvano::shell {

class projectinfo : public QWidget {
  Q_OBJECT
 public:
  explicit projectinfo(QWidget* parent = nullptr);

  void Form_Activate();
  void building_Click(int index);
  void projectid_Click(int index);
  // The key filter (`key` is the typed character's code); returns whether the key reaches
  // the box.
  bool projectid_KeyPress(int index, char32_t key);
  void undobutton_Click();
  void OK_Click();
  void cancel_Click();
  void getweather_Click();
  void tutorial_Click();

  QLineEdit* projectid(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }
  std::string BoxText(int i) const;
  void SetBoxText(int i, const std::string& text);
  ProjectBoxes Boxes() const;
  int LastEditedBox() const { return lastEditedBox_; }

  QLabel* Label12() const { return label12_; }
  QLabel* Label13() const { return label13_; }
  QPushButton* ok() const { return ok_; }
  QPushButton* cancel() const { return cancel_; }
  QPushButton* undobutton() const { return undo_; }
  QPushButton* getweather() const { return getweather_; }
  QMenu* btype() const { return btype_; }
  QAction* building(int n) const { return building_.at(static_cast<std::size_t>(n)); }
  QPlainTextEdit* Text1() const { return text1_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // closing acts as "Cancel"

 private:
  void ReturnToMainMenu();

  std::array<QLineEdit*, model::kProjectItems> boxes_{};
  std::array<QAction*, kBuildingTypes + 1> building_{};
  QLabel* label12_ = nullptr;
  QLabel* label13_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* undo_ = nullptr;
  QPushButton* getweather_ = nullptr;
  QMenu* btype_ = nullptr;
  QPlainTextEdit* text1_ = nullptr;
  int lastEditedBox_ = 0;
  bool reactivationFromBox_ = false;  // activation that only ends a message box
};

// The window, created at its first use after it was last unloaded.
projectinfo& ProjectInfoWindow();
// Whether the window is loaded now.
bool ProjectInfoLoaded();
// Unloads the window: it is deleted, and the next use loads it afresh.
void UnloadProjectInfo();

}  // namespace kalvano::shell
