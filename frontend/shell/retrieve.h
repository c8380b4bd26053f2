// The retrieve dialog (any project file, picked with folder and file lists or typed) and
// the sample dialog (one of the installed sample projects). Both read the chosen file into
// the project model and return to the main menu, which stays disabled while they are open.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvano::shell {

class FilePicker;

class oldfileform : public QWidget {
  Q_OBJECT
 public:
  explicit oldfileform(QWidget* parent = nullptr);

  void okbutton_Click();
  void cancelbutton_Click();

  FilePicker* Picker() const { return picker_; }
  QLineEdit* retrievefile() const { return retrievefile_; }
  QPushButton* okbutton() const { return ok_; }
  QPushButton* cancelbutton() const { return cancel_; }

 private:
  FilePicker* picker_;
  QLineEdit* retrievefile_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

class SampleFileForm : public QWidget {
  Q_OBJECT
 public:
  explicit SampleFileForm(QWidget* parent = nullptr);

  void okbutton_Click();
  void cancelbutton_Click();

  FilePicker* Picker() const { return picker_; }
  QLineEdit* retrievefile() const { return retrievefile_; }
  QPushButton* okbutton() const { return ok_; }
  QPushButton* cancelbutton() const { return cancel_; }

 private:
  FilePicker* picker_;
  QLineEdit* retrievefile_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

// The dialogs, created at their first use and hidden afterwards.
oldfileform& RetrieveDialog();
bool RetrieveDialogExists();
SampleFileForm& SampleDialog();

inline constexpr const char* kSampleReady = "Sample Project is ready for review and/or Execution";
inline constexpr const char* kSampleReadyTitle = "Sample Project Retrieved";

}  // namespace kalvano::shell
