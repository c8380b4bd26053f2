// The sketch window's file dialogs: "Load File..." replaces the drawing by a sketch file
// chosen on disk; "Save File " writes the drawing on screen as a sketch file (*.wri) or its
// picture (*.jpg). Neither touches the project's own sketch file: that changes only when the
// sketch window's "<< Back" makes the drawing the project's.
#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvano::shell {
class FilePicker;
}

namespace kalvano::sketch {

class DrawForm;

class LoadForm : public QWidget {
  Q_OBJECT
 public:
  explicit LoadForm(DrawForm* sketch);
  void OKButton_Click();
  void CancelButton_Click() { hide(); }
  shell::FilePicker* Picker() const { return picker_; }

 private:
  DrawForm* sketch_;
  shell::FilePicker* picker_;
};

class SaveForm : public QWidget {
  Q_OBJECT
 public:
  explicit SaveForm(DrawForm* sketch);
  // Shows the file list and name of the option chosen: 1 the program's sketch format, 2 a
  // picture.
  void Option1_Click(int index);
  void OKButton_Click();
  void CancelButton_Click() { hide(); }
  shell::FilePicker* Picker() const { return picker_; }
  QLineEdit* FilenameBox() const { return name_; }
  QRadioButton* Option1(int index) const { return index == 1 ? sketchFormat_ : image_; }

 private:
  DrawForm* sketch_;
  shell::FilePicker* picker_;
  QLineEdit* name_;
  QRadioButton* sketchFormat_;
  QRadioButton* image_;
};

// Shows the dialogs of a sketch window, modeless (created once per window).
LoadForm& ShowLoadForm(DrawForm* sketch);
SaveForm& ShowSaveForm(DrawForm* sketch);

}  // namespace kalvano::sketch
