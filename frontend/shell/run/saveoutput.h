// The save-output dialog: copies the results of the last run out of the run folder into a
// saved output set named by the user (SavedOutputSet). It is also where a pending run goes
// on ("Run") and where the program ends when the exit dialog asked to save the results
// first. The run dispatch, the save-input and exit dialogs open it through Open; the result
// windows (tables, charts) open it with the Run button disabled and re-enable their own
// buttons when it is cancelled (signal cancelled).
#pragma once

#include <QWidget>

#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kalvano::shell {

class FilePicker;

class saveoutform : public QWidget {
  Q_OBJECT
 public:
  explicit saveoutform(QWidget* parent = nullptr);

  // Shows the dialog modeless with `prompt` in its read-only box (empty: none), its file
  // list on `pattern` ("*.ot*", "*.fl*"; empty: by the last run's type) and its Run button
  // enabled when `runEnabled` and the program is not on its way out (SaveOutOnExit).
  void Open(std::string_view prompt, std::string_view pattern, bool runEnabled);

  void Form_Activate();
  void okbutton_Click();
  void nosave_Click();
  void cancelbuttton_Click();

  FilePicker* Picker() const { return picker_; }
  QLineEdit* outputname() const { return outputname_; }
  QPlainTextEdit* Text1() const { return text1_; }
  QPushButton* okbutton() const { return ok_; }
  QPushButton* cancelbuttton() const { return cancel_; }
  QPushButton* nosave() const { return nosave_; }

 signals:
  // Cancel was pressed: the result windows enable their "Main Menu" and "Save Output" again.
  void cancelled();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FillOnShow();
  // What Cancel and the close box give up: the typed name, the saved state, and the exit or
  // run that waited for this save.
  void Abandon();

  FilePicker* picker_;
  QLineEdit* outputname_;
  QPlainTextEdit* text1_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* nosave_;
  std::string pattern_;
};

// The dialog, created at its first use; Cancel unloads it.
saveoutform& SaveOutputDialog();
bool SaveOutputDialogExists();

// The opener of window::saveoutput: arg 1 opens the dialog from a results window (its Run
// button disabled), 0 as the run dispatch opens it (Run enabled), kSaveOutputReports with Run
// disabled on the report sets ("*.ot*").
void OpenSaveOutput(int arg);

}  // namespace kalvano::shell
