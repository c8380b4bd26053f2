#include "frontend/shell/run/selectview.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <filesystem>
#include <string>
#include <system_error>

#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/results_record.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/viewoutput.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

QPointer<selectview>& ThePicker() {
  static QPointer<selectview> picker;
  return picker;
}

bool IsFolder(const std::string& folder) {
  std::error_code ec;
  return !folder.empty() && std::filesystem::is_directory(folder, ec);
}

// Whether the picker can list the folder (it is there and may be read).
bool Listable(const std::string& folder) {
  try {
    SubFolders(folder);
    return true;
  } catch (const model::FileError&) {
    return false;
  }
}

}  // namespace

selectview::selectview(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("selectview");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("View Output");
  picker_ = new FilePicker(true, this);
  const FileDialogParts parts =
      FileDialogLayout(this, picker_, {" Output file name:", "Text1", "OK", "OK", "Cancel"});
  text1_ = parts.name;
  ok_ = parts.ok;
  cancel_ = parts.cancel;
  resize(520, 360);

  connect(picker_, &FilePicker::fileClicked, this, &selectview::File1_Click);
  connect(picker_, &FilePicker::fileChosen, this, [this](const QString& name) {
    File1_Click(name);
    OK_Click();
  });
  connect(picker_, &FilePicker::folderChanged, this, [this] {
    // Report sets after a report run or a report item, comfort outputs after a passive run
    // or the comfort item.
    const model::ProjectModel& m = Model();
    const int v = m.ViewChoice;
    if (m.RunType == 2 || m.RunType == 3 || v == 6 || v == 10 || v == 12) {
      picker_->SetPattern("*.ot*");
    } else if (m.RunType == 4 || v == 7) {
      picker_->SetPattern("*.fl*");
    } else {
      return;
    }
    picker_->Refresh();
  });
  connect(text1_, &QLineEdit::returnPressed, this, &selectview::OK_Click);
  connect(ok_, &QPushButton::clicked, this, &selectview::OK_Click);
  connect(cancel_, &QPushButton::clicked, this, &selectview::cancel_Click);

  // Form_Load. A base folder that cannot be listed is left to the opener to report.
  PlaceFileDialog(this);
  if (Listable(Model().AppDir)) picker_->SetFolder(Model().AppDir);
}

// The lists are prepared here, when the menu opens the picker, rather than at every
// activation, so that a folder the user moved to stays when a message box in front closes.
bool selectview::Open(bool prepare) {
  if (prepare) {
    const model::ProjectModel& m = Model();
    std::string folder = m.AppDir;
    if (m.ProjectLoaded == 1 && IsFolder(LastFolders().retrieve)) folder = LastFolders().retrieve;
    if (m.OutputSaved == 0 && IsFolder(LastFolders().saveOutput)) folder = LastFolders().saveOutput;
    if (!Listable(folder)) return false;
    if (folder != picker_->Folder()) picker_->SetFolder(folder);
    picker_->SetPattern(std::string(PickerPattern(m.ViewChoice)));
    picker_->Refresh();
  }
  ShowModeless(this);
  return true;
}

void selectview::File1_Click(const QString& name) { text1_->setText(name); }

void selectview::OK_Click() {
  model::ProjectModel& m = Model();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string typed = ToLocal(text1_->text());
  const std::string folder = picker_->Folder();
  // An output may be large: it is read and restored off the GUI thread, into a copy of the
  // model that then becomes the model, so that no window meets the model half changed.
  model::ProjectModel restored = m;
  RestoreOutcome out;
  WhileBusy([&restored, &out, &folder, &typed] {
    out = RestoreSavedOutput(restored, folder, typed);
  });
  m = restored;
  if (out.status == RestoreOutcome::kNameRefused) {
    Messages().beep();
    QApplication::restoreOverrideCursor();
    Messages().show(kNoSuchOutput, kNoSuchOutputTitle, MsgIcon::Exclamation);
    text1_->clear();
    return;
  }
  if (out.status == RestoreOutcome::kRunInProgress) {
    QApplication::restoreOverrideCursor();
    Messages().show(kRestoreLockedText, kRunLockedTitle, MsgIcon::Exclamation);
    return;
  }
  if (out.status == RestoreOutcome::kReplaced) {
    QApplication::restoreOverrideCursor();
    model::ReportResultsReplaced(m, Messages());
    hide();
    return;
  }
  if (out.status == RestoreOutcome::kFailed) {
    QApplication::restoreOverrideCursor();
    ReportFileFault(model::AsSavedOutputError(*out.error));
    hide();
    return;
  }
  text1_->setText(FromLocal(out.path));
  MainMenu().EnableItems({MenuItem::view6, MenuItem::view8, MenuItem::view10, MenuItem::view12});
  text1_->clear();
  close();
  QApplication::restoreOverrideCursor();
  // Each reader reports its own failure.
  if (out.table != 0) OpenWindow(window::tabular, TabularArgFor(out.table));
  if (out.chart != 0) OpenWindow(window::graphs, out.chart);
}

void selectview::cancel_Click() { close(); }

selectview& ViewOutputPicker() {
  QPointer<selectview>& picker = ThePicker();
  if (picker.isNull()) picker = new selectview;
  return *picker;
}

bool ViewOutputPickerExists() { return !ThePicker().isNull(); }

}  // namespace kalvano::shell
