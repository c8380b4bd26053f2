#include "frontend/shell/warning.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/exitcore.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

warning::warning(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("warning");
  setWindowTitle("KALVANOec");
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label2_ = new QLabel(this);
  label2_->setObjectName("Label2");
  okey_ = new QPushButton("OK", this);
  okey_->setObjectName("okey");
  command1_ = new QPushButton("No", this);
  command1_->setObjectName("Command1");
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("cancel");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(okey_);
  buttons->addWidget(command1_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addWidget(label2_);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setMinimumWidth(360);

  connect(okey_, &QPushButton::clicked, this, &warning::okey_Click);
  connect(command1_, &QPushButton::clicked, this, &warning::Command1_Click);
  connect(cancel_, &QPushButton::clicked, this, &warning::cancel_Click);
}

bool warning::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  if (event->type() == QEvent::Show) {
    okey_->setEnabled(ExitOkAvailable(Model().ProjectLoaded));
  }
  return QWidget::event(event);
}

void warning::Form_Activate() { CentreOnScreen(this); }

void warning::closeEvent(QCloseEvent* event) {
  // Closing unloads the dialog: the next Exit fills its labels afresh.
  label1_->clear();
  label2_->clear();
  QWidget::closeEvent(event);
}

void warning::okey_Click() {
  model::ProjectModel& m = Model();
  if (!ExitOkAvailable(m.ProjectLoaded)) return;
  if (m.ProjectLoaded != 1) {
    // A project without a file of its own is saved through the save dialog, which then
    // goes on with the exit; this dialog stays open behind it.
    m.EndAfterSave = 1;
    ShowModeless(&SaveDialog());
    return;
  }
  bool endRequested = false;
  try {
    endRequested = model::WriteProjectFile(m, m.ProjectFile, m.UnitSystem == 1 ? "IP" : "SI",
                                           model::BodyWriter::AsHeld);
  } catch (const model::FileError& error) {
    // The project file keeps its earlier content; the program goes on.
    ReportFileFault(error);
    return;
  }
  if (endRequested) {
    close();
    EndProgram(0);
    return;
  }
  model::KillTempZoneFiles(m);
  close();
  Command1_Click();
}

void warning::Command1_Click() {
  model::ProjectModel& m = Model();
  const ExitOutcome outcome = DecideExitNo(m.ResultsExist, m.OutputSaved, [this] {
    close();
    return Messages().ask(kUnsavedResultsQuestion, kUnsavedResultsTitle, MsgIcon::None,
                          MsgButtons::YesNoCancel);
  });
  switch (outcome) {
    case ExitOutcome::EndProgram:
      model::KillTempZoneFiles(m);
      close();
      EndProgram(0);
      break;
    case ExitOutcome::SaveOutput:
      // The save-output dialog ends the program once the results are saved. Results exist
      // only after a run, which comes with that dialog.
      m.SaveOutOnExit = 1;
      SaveOutputDialog().Open({}, {}, false);
      break;
    case ExitOutcome::StayRunning:
      // Backing out of the exit: a later save is an ordinary one again.
      m.EndAfterSave = 0;
      m.SaveOutOnExit = 0;
      break;
  }
}

void warning::cancel_Click() {
  // Backing out of the exit: a save dialog it opened saves as usual from now on.
  Model().EndAfterSave = 0;
  close();
}

}  // namespace kalvano::shell
