// The saved-output picker ("View Output"): the user picks an output saved earlier, which
// becomes the current output again, and the table or chart asked for in the View Output
// menu opens on it.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace kalvano::shell {

class FilePicker;

class selectview : public QWidget {
  Q_OBJECT
 public:
  explicit selectview(QWidget* parent = nullptr);

  // Shows the picker, modeless. `prepare` moves its lists as the View Output menu does
  // (the folder of the retrieve dialog when the project has a file, that of the save-output
  // dialog while the last results are unsaved, else the base folder, with the pattern of
  // the ViewChoice); without it the lists stay as they are. False, with nothing shown, when
  // the folder to start in cannot be listed.
  bool Open(bool prepare);

  void File1_Click(const QString& name);
  void OK_Click();
  void cancel_Click();

  FilePicker* Picker() const { return picker_; }
  QLineEdit* Text1() const { return text1_; }
  QPushButton* OK() const { return ok_; }
  QPushButton* Cancel() const { return cancel_; }

 private:
  FilePicker* picker_;
  QLineEdit* text1_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// The picker, created at its first use; a successful OK or Cancel unloads it.
selectview& ViewOutputPicker();
bool ViewOutputPickerExists();

}  // namespace kalvano::shell
