#include "frontend/shell/saveinput.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>
#include <random>

#include "frontend/model/file_error.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/projectio.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/warning.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

std::function<double()>& SeedSource() {
  static std::function<double()> source;
  return source;
}

double NextRandom() {
  if (SeedSource()) return SeedSource()();
  static std::mt19937 engine{std::random_device{}()};
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
}

}  // namespace

void SetSeedSource(std::function<double()> source) { SeedSource() = std::move(source); }

saveinputform::saveinputform(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("saveinputform");
  setWindowTitle("Save Input File....");
  picker_ = new FilePicker(true, this);
  picker_->SetPattern("*.inp");
  auto* label = new QLabel("Save Input File As :", this);
  label->setObjectName("Label1");
  inputname_ = new QLineEdit(this);
  inputname_->setObjectName("inputname");
  ip_ = new QRadioButton("I-P Units", this);
  ip_->setObjectName("savetype(1)");
  si_ = new QRadioButton("S-I Units", this);
  si_->setObjectName("savetype(2)");
  auto* group = new QButtonGroup(this);
  group->addButton(ip_, 1);
  group->addButton(si_, 2);
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("okbutton");
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("cancelbuttton");
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setMaximumHeight(48);
  text1_->setReadOnly(true);  // typed, pasted and dropped text is discarded

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(label);
  nameRow->addWidget(inputname_, 1);
  auto* units = new QHBoxLayout;
  units->addWidget(ip_);
  units->addWidget(si_);
  units->addStretch(1);
  units->addWidget(ok_);
  units->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_);
  layout->addWidget(picker_, 1);
  layout->addLayout(nameRow);
  layout->addLayout(units);
  resize(540, 400);

  connect(group, &QButtonGroup::idClicked, this, &saveinputform::savetype_Click);
  connect(picker_, &FilePicker::folderChanged, inputname_, &QLineEdit::clear);
  connect(picker_, &FilePicker::folderChanged, this,
          [this] { LastFolders().saveInput = picker_->Folder(); });
  connect(picker_, &FilePicker::fileClicked, inputname_, &QLineEdit::setText);
  connect(inputname_, &QLineEdit::returnPressed, this, &saveinputform::okbutton_Click);
  connect(ok_, &QPushButton::clicked, this, &saveinputform::okbutton_Click);
  connect(cancel_, &QPushButton::clicked, this, &saveinputform::cancelbuttton_Click);

  // Form_Load.
  PlaceFileDialog(this);
  const model::ProjectModel& m = Model();
  std::string start = std::filesystem::current_path().string();
  if (m.ProjectLoaded == 1) start = ProjectFolder(m);
  if (!picker_->SetFolder(start)) picker_->SetFolder("/");
  if (m.ProjectLoaded == 1) inputname_->setText(FromLocal(m.ProjectFile));
  Form_Activate();
}

bool saveinputform::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void saveinputform::closeEvent(QCloseEvent* event) {
  cancelbuttton_Click();
  QWidget::closeEvent(event);
}

void saveinputform::Form_Activate() {
  const model::ProjectModel& m = Model();
  if (m.ProjectLoaded == 1) {
    const std::string folder = ProjectFolder(m);
    if (folder != picker_->Folder()) picker_->SetFolder(folder);
    else picker_->Refresh();
    inputname_->setText(FromLocal(m.ProjectFile));
  }
  savetype_Click(m.UnitSystem == model::kInchPound ? 1 : 2);
}

void saveinputform::savetype_Click(int index) {
  saveAsSI_ = index == 2;
  ip_->setChecked(!saveAsSI_);
  si_->setChecked(saveAsSI_);
}

void saveinputform::okbutton_Click() {
  model::ProjectModel& m = Model();
  const std::string typed = ToLocal(inputname_->text());
  if (typed.find_first_not_of(' ') == std::string::npos) {
    // No name: nothing to save to.
    ReportFileFault(model::FileError(model::kErrBadFileName));
    inputname_->setText(FromLocal(m.ProjectFile));
    return;
  }
  const std::string path = SavePath(picker_->Folder(), typed);
  inputname_->setText(FromLocal(path));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool endRequested = false;
  try {
    endRequested = SaveProject(m, path, saveAsSI_, NextRandom());
  } catch (const model::FileError& error) {
    QApplication::restoreOverrideCursor();
    ReportFileFault(error);
    inputname_->setText(FromLocal(m.ProjectFile));
    return;
  }
  QApplication::restoreOverrideCursor();
  picker_->Refresh();
  hide();

  mainmenu& menu = MainMenu();
  menu.setEnabled(true);
  menu.EnableItems({MenuItem::runmenu, MenuItem::Image6, MenuItem::executerun});
  if (m.RunType != 0) menu.EnableItems({MenuItem::viewmenu});
  menu.setWindowTitle(FromLocal("-- " + path));

  if (endRequested) {
    // Saved on the way out: the exit goes on with its results question.
    ExitDialog().Command1_Click();
    return;
  }
  if (m.RunType != 0) {
    if (m.ResultsExist != 1) {
      // A requested run goes on from the saved file's header.
      model::ReadProjectHeader(m);
      ShowRunWindow();
    } else {
      // First the previous results, or on to the run with the save-output dialog's Run.
      SaveOutputDialog().Open(kSaveBeforeRunning, "*.ot*", true);
    }
  }
  text1_->clear();
  // The results stay unsaved until the save-output dialog has saved them: a Cancel there
  // leaves them to be asked about again.
  if (m.ResultsExist == 1 && Messages().ask(kResultsUnsaved, "Save output", MsgIcon::Information,
                                            MsgButtons::YesNo) == MsgAnswer::Yes) {
    SaveOutputDialog().Open({}, "*.ot*", false);
  }
}

void saveinputform::cancelbuttton_Click() {
  model::ProjectModel& m = Model();
  text1_->setPlainText(FromLocal(m.ProjectFile));
  // Leaving the save also leaves the exit that asked for it.
  m.EndAfterSave = 0;
  m.SaveOutOnExit = 0;
  MainMenu().setEnabled(true);
  hide();
}

}  // namespace kalvano::shell
