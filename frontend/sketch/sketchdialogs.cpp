#include "frontend/sketch/sketchdialogs.h"

#include <QBuffer>
#include <QByteArray>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/sketch/drawform.h"

#include <cstddef>
#include <string_view>

namespace kalvano::sketch {

namespace {

template <class Dialog>
Dialog& Shown(DrawForm* sketch, const char* name) {
  auto* dialog = sketch->findChild<Dialog*>(name);
  if (dialog == nullptr) dialog = new Dialog(sketch);
  shell::CentreOnScreen(dialog);
  shell::ShowModeless(dialog);
  return *dialog;
}

}  // namespace

LoadForm::LoadForm(DrawForm* sketch) : QWidget(sketch, Qt::Window), sketch_(sketch) {
  setObjectName("LoadForm");
  setWindowTitle("Load File...");
  picker_ = new shell::FilePicker(true, this);
  picker_->SetPattern("*.wri");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelButton");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(picker_, 1);
  layout->addLayout(buttons);
  resize(480, 320);
  connect(ok, &QPushButton::clicked, this, &LoadForm::OKButton_Click);
  connect(cancel, &QPushButton::clicked, this, &LoadForm::CancelButton_Click);
  connect(picker_, &shell::FilePicker::fileChosen, this, &LoadForm::OKButton_Click);
  picker_->SetFolder(shell::Model().AppDir);
}

void LoadForm::OKButton_Click() {
  const model::ProjectModel& m = shell::Model();
  const QListWidgetItem* item = picker_->File1()->currentItem();
  try {
    if (item == nullptr) throw model::FileError(model::kErrBadFileName);
    const std::string path = shell::JoinFolder(picker_->Folder(), shell::ToLocal(item->text()));
    sketch_->OpenSketch(ReadSketchFile(path, m.GridRows, m.GridCols));
  } catch (const model::FileError& error) {
    // An empty or cut file is told as such, naming it; any other failure is the dialog's own
    // error.
    if (model::IsEmptyOrCut(error)) {
      shell::ReportFileFault(error);
    } else {
      shell::Messages().show("File Error", "Editor", shell::MsgIcon::Exclamation);
    }
  }
  shell::ShowModeless(sketch_);
  close();
  deleteLater();
}

SaveForm::SaveForm(DrawForm* sketch) : QWidget(sketch, Qt::Window), sketch_(sketch) {
  setObjectName("SaveForm");
  setWindowTitle("Save File ");
  picker_ = new shell::FilePicker(true, this);
  picker_->SetPattern("*.wri");
  const shell::FileDialogParts parts = shell::FileDialogLayout(
      this, picker_, {"Save File As:", "FilenameBox", "OKButton", "OK", "CancelButton"});
  name_ = parts.name;
  sketchFormat_ = new QRadioButton("KAL-VANO format", this);
  sketchFormat_->setObjectName("Option1(1)");
  image_ = new QRadioButton("Image", this);
  image_->setObjectName("Option1(2)");
  sketchFormat_->setChecked(true);
  auto* options = new QHBoxLayout;
  options->addWidget(sketchFormat_);
  options->addWidget(image_);
  options->addStretch(1);
  parts.layout->insertLayout(2, options);
  resize(520, 380);
  connect(sketchFormat_, &QRadioButton::clicked, this, [this] { Option1_Click(1); });
  connect(image_, &QRadioButton::clicked, this, [this] { Option1_Click(2); });
  connect(picker_, &shell::FilePicker::fileClicked, name_, &QLineEdit::setText);
  connect(parts.ok, &QPushButton::clicked, this, &SaveForm::OKButton_Click);
  connect(parts.cancel, &QPushButton::clicked, this, &SaveForm::CancelButton_Click);
  picker_->SetFolder(shell::Model().AppDir);
  Option1_Click(1);
}

void SaveForm::Option1_Click(int index) {
  const std::string base = SketchFileBase(shell::Model().ProjectFile);
  const bool picture = index == 2;
  (picture ? image_ : sketchFormat_)->setChecked(true);
  picker_->SetPattern(picture ? "*.jpg" : "*.wri");
  picker_->Refresh();
  name_->setText(shell::FromLocal(base + (picture ? ".jpg" : ".wri")));
}

void SaveForm::OKButton_Click() {
  const std::string target = shell::JoinFolder(picker_->Folder(), shell::ToLocal(name_->text()));
  try {
    if (name_->text().isEmpty()) throw model::FileError(model::kErrBadFileName);
    model::AtomicFile file(target);
    if (sketchFormat_->isChecked()) {
      // The drawing on screen, level by level, as the project's sketch file would hold it.
      sketch_->WriteLevelFile();
      file.text(SketchFileText(sketch_->CurrentSketch()));
    } else {
      // The picture is made in memory and saved as every other file is.
      QByteArray picture;
      QBuffer buffer(&picture);
      if (!buffer.open(QIODevice::WriteOnly) || !sketch_->Picture().save(&buffer, "JPG"))
        throw model::FileError::OnFile(model::kErrPathFileAccess, target);
      file.text(std::string_view(picture.constData(), static_cast<std::size_t>(picture.size())));
    }
    file.commit();
  } catch (const model::FileError& error) {
    // The dialog's own error, with the name refused under it once one was typed, and under
    // the name why, as every save says it.
    if (name_->text().isEmpty()) {
      shell::Messages().show("File Error", "Paint", shell::MsgIcon::Exclamation);
    } else {
      shell::Messages().showNaming(
          "File Error\n\n" + model::BoxName(target) + "\n\n" + model::FileErrorMessage(error), "Paint",
          shell::MsgIcon::Exclamation);
    }
    return;
  }
  close();
  deleteLater();
}

LoadForm& ShowLoadForm(DrawForm* sketch) { return Shown<LoadForm>(sketch, "LoadForm"); }
SaveForm& ShowSaveForm(DrawForm* sketch) {
  SaveForm& dialog = Shown<SaveForm>(sketch, "SaveForm");
  // Every showing offers the name of the project as it is now, for the option that is set.
  dialog.Option1_Click(dialog.Option1(2)->isChecked() ? 2 : 1);
  return dialog;
}

}  // namespace kalvano::sketch
