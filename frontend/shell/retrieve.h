// The retrieve dialog (any project file, picked with folder and file lists or typed) and
// the sample dialog (one of the installed sample projects). Both read the chosen file into
// the project model and return to the main menu, which stays disabled while they are open.
#pragma once

#include <QWidget>

#include <string>

#include "frontend/model/project_model.h"

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvano::shell {

class FilePicker;

// What the two retrieve windows share: a picker of project files (*.inp), the name box
// and the OK and Cancel buttons, wired so that a double click or Enter means OK.
class RetrieveWindow : public QWidget {
 public:
  FilePicker* Picker() const { return picker_; }
  QLineEdit* retrievefile() const { return retrievefile_; }
  QPushButton* okbutton() const { return ok_; }
  QPushButton* cancelbutton() const { return cancel_; }

  void cancelbutton_Click();

 protected:
  RetrieveWindow(bool folders, const char* name, const char* title, QWidget* parent);
  // Connects the controls to OK; call once the derived window exists.
  void WireOk(std::function<void()> ok);
  std::string TypedName() const;

  FilePicker* picker_;
  QLineEdit* retrievefile_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

class oldfileform : public RetrieveWindow {
  Q_OBJECT
 public:
  explicit oldfileform(QWidget* parent = nullptr);

  void okbutton_Click();
};

class SampleFileForm : public RetrieveWindow {
  Q_OBJECT
 public:
  explicit SampleFileForm(QWidget* parent = nullptr);

  void okbutton_Click();
};

// The dialogs, created at their first use and hidden afterwards.
oldfileform& RetrieveDialog();
bool RetrieveDialogExists();
SampleFileForm& SampleDialog();

// The folder the file dialogs take for a project with a file: the retrieve dialog's, or the
// project file's own when that dialog was never opened.
std::string ProjectFolder(const model::ProjectModel& m);

inline constexpr const char* kSampleReady = "Sample Project is ready for review and/or Execution";
inline constexpr const char* kSampleReadyTitle = "Sample Project Retrieved";

}  // namespace kalvano::shell
