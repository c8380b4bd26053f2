#include "frontend/shell/run/saveoutput.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/model/results_record.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/run/savedoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

// The file list's pattern after a run of type `lastRunType`: comfort outputs after a passive
// run; empty (kept) for an unknown type.
std::string PatternAfter(int lastRunType) {
  if (lastRunType < 4) return "*.ot*";
  if (lastRunType == 4) return "*.fl*";
  return {};
}

}  // namespace

saveoutform::saveoutform(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("saveoutform");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Save Output....");
  setStyleSheet("saveoutform { background-color: #d4d4d4; }");
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);  // typed keys are dropped
  text1_->setMaximumHeight(52);
  picker_ = new FilePicker(true, this);
  const FileDialogParts parts = FileDialogLayout(
      this, picker_,
      {"Save Previous Output As :", "outputname", "okbutton", "Save", "cancelbuttton", true});
  outputname_ = parts.name;
  ok_ = parts.ok;
  cancel_ = parts.cancel;
  nosave_ = new QPushButton("Run", this);
  nosave_->setObjectName("nosave");
  parts.buttons->addWidget(nosave_);
  parts.layout->insertWidget(0, text1_);
  setTabOrder(ok_, outputname_);
  setTabOrder(outputname_, cancel_);
  setTabOrder(cancel_, picker_);
  setTabOrder(picker_, text1_);
  setTabOrder(text1_, nosave_);
  resize(540, 420);

  connect(picker_, &FilePicker::folderChanged, this, [this] {
    LastFolders().saveOutput = picker_->Folder();
    outputname_->clear();
    // Another folder keeps the file list on the sets the dialog was opened for.
    if (!pattern_.empty()) picker_->SetPattern(pattern_);
  });
  connect(picker_, &FilePicker::fileClicked, outputname_, &QLineEdit::setText);
  connect(outputname_, &QLineEdit::returnPressed, this, &saveoutform::okbutton_Click);
  connect(ok_, &QPushButton::clicked, this, &saveoutform::okbutton_Click);
  connect(cancel_, &QPushButton::clicked, this, &saveoutform::cancelbuttton_Click);
  connect(nosave_, &QPushButton::clicked, this, &saveoutform::nosave_Click);

  // Form_Load.
  PlaceFileDialog(this);
}

void saveoutform::Open(std::string_view prompt, std::string_view pattern, bool runEnabled) {
  const model::ProjectModel& m = Model();
  if (!prompt.empty()) text1_->setPlainText(Latin1(prompt));
  pattern_ = pattern.empty() ? PatternAfter(m.Run.LastRunType) : std::string(pattern);
  nosave_->setEnabled(runEnabled && m.SaveOutOnExit != 1);
  FillOnShow();
  ShowModeless(this);
}

bool saveoutform::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void saveoutform::Form_Activate() { PlaceFileDialog(this); }

// The folder, the file list and the first name, set when the dialog is opened rather than at
// each activation, so that a name being typed stays when a message box in front closes.
void saveoutform::FillOnShow() {
  const model::ProjectModel& m = Model();
  std::string folder = m.AppDir;
  if (m.InputSaved == 1 && !LastFolders().saveInput.empty()) folder = LastFolders().saveInput;
  if (m.ProjectLoaded == 1) folder = ProjectFolder(m);
  if (!pattern_.empty()) picker_->SetPattern(pattern_);
  if (folder.empty() || !picker_->SetFolder(folder)) picker_->SetFolder(m.AppDir);
  if (!pattern_.empty()) picker_->SetPattern(pattern_);
  if (!m.LastProjectFile.empty()) {
    outputname_->setText(FromLocal(model::OutputNameFor(m.LastProjectFile)));
  } else if (!m.OutputFile.empty()) {
    outputname_->setText(FromLocal(m.OutputFile));
  } else {
    outputname_->setText("New_Project.ot1");
  }
}

void saveoutform::okbutton_Click() {
  model::ProjectModel& m = Model();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string typed = ToLocal(outputname_->text());
  if (!OutputNameValid(typed)) {
    Messages().beep();
    QApplication::restoreOverrideCursor();
    Messages().show(kOutputNameMessage, "Error", MsgIcon::Exclamation);
    outputname_->clear();
    return;
  }
  const std::string path = JoinFolder(picker_->Folder(), typed);
  if (path != typed) outputname_->setText(FromLocal(path));
  const SaveOutcome saved = SaveCurrentOutput(m, path);
  if (saved.status != SaveOutcome::kSaved) {
    QApplication::restoreOverrideCursor();
    if (saved.status == SaveOutcome::kRunInProgress && OwnRunHoldsBaseFolder()) {
      Messages().show(kSaveOwnRunWaitingText, kOwnRunWaitingTitle, MsgIcon::Exclamation);
    } else if (saved.status == SaveOutcome::kRunInProgress) {
      Messages().show(kSaveLockedText, kRunLockedTitle, MsgIcon::Exclamation);
    } else if (saved.status == SaveOutcome::kReplaced) {
      model::ReportResultsReplaced(m, Messages());
    } else {
      ReportFileFault(*saved.error);
    }
    return;
  }
  m.OutputSaved = 1;
  m.OutputFile = path;
  if (m.SaveOutOnExit == 1) {
    QApplication::restoreOverrideCursor();
    close();
    model::KillTempZoneFiles(m);
    EndProgram(0);
    return;
  }
  if (m.RunType != 0) {
    // A pending run goes on.
    model::ReadProjectHeader(m);
    ShowRunWindow();
  }
  m.ResultsExist = 0;
  m.Pages.ZonePagesSplit = 0;
  picker_->Refresh();
  hide();
  text1_->clear();
  outputname_->clear();
  QApplication::restoreOverrideCursor();
}

void saveoutform::nosave_Click() {
  model::ReadProjectHeader(Model());
  ShowRunWindow();
  text1_->clear();
  outputname_->clear();
  hide();
}

void saveoutform::cancelbuttton_Click() {
  Abandon();
  close();
}

void saveoutform::Abandon() {
  model::ProjectModel& m = Model();
  outputname_->clear();
  text1_->clear();
  m.OutputSaved = 0;
  // An exit that waited for this save is abandoned, and a run that waited for it too.
  m.SaveOutOnExit = 0;
  m.RunType = 0;
  emit cancelled();
}

void saveoutform::closeEvent(QCloseEvent* event) {
  // The window's close box acts as Cancel, and this close goes on.
  if (event->spontaneous()) Abandon();
  QWidget::closeEvent(event);
}

void OpenSaveOutput(int arg) {
  SaveOutputDialog().Open({}, arg == kSaveOutputReports ? "*.ot*" : "", arg == 0);
}

}  // namespace kalvano::shell
