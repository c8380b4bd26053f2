// The file dialogs' picker: the folder shown, a folder list (the parent ".." and the
// sub-folders; a double click or Enter opens one), and a file list of the files matching a
// pattern (a click names a file, a double click chooses it).
#pragma once

#include <QWidget>

#include <string>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QListWidget;
class QListWidgetItem;

namespace kalvano::shell {

class FilePicker : public QWidget {
  Q_OBJECT
 public:
  // `withFolders` false shows only the file list (a fixed folder).
  explicit FilePicker(bool withFolders, QWidget* parent = nullptr);

  // Moves to `folder` and refills both lists; a folder that cannot be listed is reported
  // through the file-error report and the picker keeps its folder (result false).
  bool SetFolder(const std::string& folder);
  const std::string& Folder() const { return folder_; }
  void SetPattern(const std::string& pattern);
  // Lists the files of the folder again.
  void Refresh();

  QLabel* FolderLabel() const { return folderLabel_; }
  QListWidget* Dir1() const { return dir1_; }
  QListWidget* File1() const { return file1_; }
  // Opens the folder entry `row` of the folder list (0 is the parent).
  void OpenFolderRow(int row);

 signals:
  void folderChanged();
  void fileClicked(const QString& name);
  void fileChosen(const QString& name);

 private:
  void FillFiles();
  void OnFolderActivated(QListWidgetItem* item);

  std::string folder_;
  std::string pattern_ = "*";
  QLabel* folderLabel_ = nullptr;
  QListWidget* dir1_ = nullptr;
  QListWidget* file1_ = nullptr;
};

// The controls that every file dialog puts around its picker: a captioned name box, an OK
// and a Cancel button. The name row stands below the picker, or above it (`nameFirst`);
// `buttons` takes any further button of the dialog.
struct FileDialogControls {
  const char* label;       // caption of the name box
  const char* nameObject;  // object names of the name box and the two buttons
  const char* okObject;
  const char* okCaption;
  const char* cancelObject;
  bool nameFirst = false;
};
struct FileDialogParts {
  QLineEdit* name;
  QPushButton* ok;
  QPushButton* cancel;
  QHBoxLayout* buttons;
  QVBoxLayout* layout;
};
FileDialogParts FileDialogLayout(QWidget* dialog, FilePicker* picker,
                                 const FileDialogControls& controls);

}  // namespace kalvano::shell
