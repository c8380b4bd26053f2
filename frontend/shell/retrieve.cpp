#include "frontend/shell/retrieve.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>

#include "frontend/model/file_error.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/projectio.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

std::string NameText(const QLineEdit* box) { return ToLocal(box->text()); }

// What both dialogs do once a project was read: the main menu offers every step again,
// names the project and takes the input back.
void ReturnWithProject(QWidget* dialog) {
  model::ProjectModel& m = Model();
  mainmenu& menu = MainMenu();
  menu.EnableItems({MenuItem::projectinformation, MenuItem::weatherdata,
                    MenuItem::economicsdata, MenuItem::buildingsketch,
                    MenuItem::zonedescription, MenuItem::Image5, MenuItem::saveinput,
                    MenuItem::runmenu, MenuItem::Image6, MenuItem::executerun,
                    MenuItem::viewmenu});
  menu.setEnabled(true);
  dialog->hide();
  menu.setWindowTitle(FromLocal("-- " + m.ProjectFile));
  m.LastProjectFile = m.ProjectFile;
}

// Reads `path` with the hourglass shown; a failure is reported and the result is false.
bool Retrieve(const std::string& path, const std::string& typed) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    RetrieveProject(Model(), path, typed);
  } catch (const model::FileError& error) {
    QApplication::restoreOverrideCursor();
    ReportFileFault(error);
    return false;
  }
  QApplication::restoreOverrideCursor();
  return true;
}

}  // namespace

RetrieveWindow::RetrieveWindow(bool folders, const char* name, const char* title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(name);
  setWindowTitle(title);
  picker_ = new FilePicker(folders, this);
  const FileDialogParts parts = FileDialogLayout(
      this, picker_, {"Retrieved file name :", "retrievefile", "okbutton", "OK", "cancelbutton"});
  retrievefile_ = parts.name;
  ok_ = parts.ok;
  cancel_ = parts.cancel;
  resize(520, 360);
  picker_->SetPattern("*.inp");
  connect(picker_, &FilePicker::fileClicked, retrievefile_, &QLineEdit::setText);
  connect(cancel_, &QPushButton::clicked, this, &RetrieveWindow::cancelbutton_Click);
  PlaceFileDialog(this);
}

void RetrieveWindow::WireOk(std::function<void()> ok) {
  connect(picker_, &FilePicker::fileChosen, this, [this, ok](const QString& name) {
    retrievefile_->setText(name);
    ok();
  });
  connect(retrievefile_, &QLineEdit::returnPressed, this, ok);
  connect(ok_, &QPushButton::clicked, this, ok);
}

std::string RetrieveWindow::TypedName() const { return NameText(retrievefile_); }

void RetrieveWindow::cancelbutton_Click() {
  MainMenu().setEnabled(true);
  hide();
}

oldfileform::oldfileform(QWidget* parent) : RetrieveWindow(true, "oldfileform", "Retrieve....", parent) {
  WireOk([this] { okbutton_Click(); });
  connect(picker_, &FilePicker::folderChanged, this,
          [this] { LastFolders().retrieve = picker_->Folder(); });
  // Opens where the project was saved, else in the current folder.
  std::string start = std::filesystem::current_path().string();
  if (Model().InputSaved == 1 && !LastFolders().saveInput.empty()) start = LastFolders().saveInput;
  if (!picker_->SetFolder(start)) picker_->SetFolder("/");
}

void oldfileform::okbutton_Click() {
  const std::string typed = TypedName();
  if (!Retrieve(RetrievePath(picker_->Folder(), typed), typed)) return;
  Model().HourlyOutput = 0;
  ReturnWithProject(this);
}

SampleFileForm::SampleFileForm(QWidget* parent)
    : RetrieveWindow(false, "SampleFileForm", "Retrieve a Sample Project", parent) {
  WireOk([this] { okbutton_Click(); });
  picker_->SetFolder(model::AppPath(Model(), "sample"));
}

void SampleFileForm::okbutton_Click() {
  const std::string typed = TypedName();
  if (!Retrieve(model::AppPath(Model(), "sample/") + typed, typed)) return;
  ReturnWithProject(this);
  Messages().show(kSampleReady, kSampleReadyTitle, MsgIcon::Information);
}

std::string ProjectFolder(const model::ProjectModel& m) {
  if (!LastFolders().retrieve.empty()) return LastFolders().retrieve;
  return ParentFolder(m.ProjectFile);
}

}  // namespace kalvano::shell
