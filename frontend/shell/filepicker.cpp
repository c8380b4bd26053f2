#include "frontend/shell/filepicker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "frontend/model/file_error.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/widgets.h"

namespace kalvano::shell {

namespace {
constexpr const char* kParentEntry = "..";
}  // namespace

FilePicker::FilePicker(bool withFolders, QWidget* parent) : QWidget(parent) {
  file1_ = new QListWidget(this);
  file1_->setObjectName("File1");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (withFolders) {
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName("folder");
    folderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    dir1_ = new QListWidget(this);
    dir1_->setObjectName("Dir1");
    auto* left = new QVBoxLayout;
    left->addWidget(folderLabel_);
    left->addWidget(dir1_);
    layout->addLayout(left, 1);
    connect(dir1_, &QListWidget::itemActivated, this, &FilePicker::OnFolderActivated);
  }
  layout->addWidget(file1_, 1);
  connect(file1_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit fileClicked(item->text()); });
  connect(file1_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { emit fileChosen(item->text()); });
}

bool FilePicker::SetFolder(const std::string& folder) {
  std::vector<std::string> folders;
  std::vector<std::string> files;
  try {
    if (dir1_ != nullptr) folders = SubFolders(folder);
    files = MatchingFiles(folder, pattern_);
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return false;
  }
  folder_ = folder;
  if (dir1_ != nullptr) {
    folderLabel_->setText(FromLocal(folder_));
    dir1_->clear();
    if (folder_ != "/") dir1_->addItem(kParentEntry);
    for (const std::string& f : folders) dir1_->addItem(FromLocal(f));
  }
  file1_->clear();
  for (const std::string& f : files) file1_->addItem(FromLocal(f));
  emit folderChanged();
  return true;
}

void FilePicker::SetPattern(const std::string& pattern) { pattern_ = pattern; }

void FilePicker::Refresh() { FillFiles(); }

void FilePicker::FillFiles() {
  std::vector<std::string> files;
  try {
    files = MatchingFiles(folder_, pattern_);
  } catch (const model::FileError& error) {
    ReportFileFault(error);
  }
  file1_->clear();
  for (const std::string& f : files) file1_->addItem(FromLocal(f));
}

void FilePicker::OpenFolderRow(int row) {
  if (dir1_ == nullptr || row < 0 || row >= dir1_->count()) return;
  OnFolderActivated(dir1_->item(row));
}

void FilePicker::OnFolderActivated(QListWidgetItem* item) {
  const std::string name = ToLocal(item->text());
  SetFolder(name == kParentEntry ? ParentFolder(folder_) : JoinFolder(folder_, name));
}

FileDialogParts FileDialogLayout(QWidget* dialog, FilePicker* picker,
                                 const FileDialogControls& controls) {
  auto* label = new QLabel(QString::fromLatin1(controls.label), dialog);
  label->setObjectName("Label1");
  FileDialogParts parts{};
  parts.name = new QLineEdit(dialog);
  parts.name->setObjectName(controls.nameObject);
  parts.ok = new QPushButton(QString::fromLatin1(controls.okCaption), dialog);
  parts.ok->setObjectName(controls.okObject);
  parts.cancel = new QPushButton("Cancel", dialog);
  parts.cancel->setObjectName(controls.cancelObject);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(label);
  nameRow->addWidget(parts.name, 1);
  parts.buttons = new QHBoxLayout;
  parts.buttons->addStretch(1);
  parts.buttons->addWidget(parts.ok);
  parts.buttons->addWidget(parts.cancel);
  parts.layout = new QVBoxLayout(dialog);
  if (controls.nameFirst) parts.layout->addLayout(nameRow);
  parts.layout->addWidget(picker, 1);
  if (!controls.nameFirst) parts.layout->addLayout(nameRow);
  parts.layout->addLayout(parts.buttons);
  return parts;
}

}  // namespace kalvano::shell
