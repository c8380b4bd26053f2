// The save-project dialog: writes the project to a file chosen with folder and file lists
// or typed, in inch-pound or SI units, and reads the file back so that model and file agree.
#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kalvano::shell {

class FilePicker;

class saveinputform : public QWidget {
  Q_OBJECT
 public:
  explicit saveinputform(QWidget* parent = nullptr);

  void Form_Activate();
  void savetype_Click(int index);
  void okbutton_Click();
  void cancelbuttton_Click();

  FilePicker* Picker() const { return picker_; }
  QLineEdit* inputname() const { return inputname_; }
  QRadioButton* savetype(int index) const { return index == 1 ? ip_ : si_; }
  QPushButton* okbutton() const { return ok_; }
  QPushButton* cancelbuttton() const { return cancel_; }
  QPlainTextEdit* Text1() const { return text1_; }
  bool SaveAsSI() const { return saveAsSI_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // closing acts as "Cancel"

 private:
  FilePicker* picker_;
  QLineEdit* inputname_;
  QRadioButton* ip_;
  QRadioButton* si_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPlainTextEdit* text1_;
  bool saveAsSI_ = false;
};

// The dialog, created at its first use and hidden afterwards.
saveinputform& SaveDialog();
bool SaveDialogExists();

// The source of the new weather seeds: uniform numbers in [0, 1). Tests may replace it;
// an empty function restores the default.
void SetSeedSource(std::function<double()> source);

inline constexpr const char* kSaveBeforeRunning =
    "Before running, you may wish to save the previous results -- otherwise, click the Run "
    "Button.";
inline constexpr const char* kResultsUnsaved =
    "The last simulation results has not been saved.  Do you want to save them?";

}  // namespace kalvano::shell
