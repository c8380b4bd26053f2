#include "frontend/shell/mainform.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDate>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/baselock.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/menucore.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/startupcore.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

constexpr const char* kTitle = "KAL-VANO  ec";

// The program title, drawn twice: a shadow label behind the lettering.
QWidget* TitleLettering(QWidget* parent) {
  auto* box = new QWidget(parent);
  QFont font("Arial Black");
  font.setStyleHint(QFont::SansSerif);
  font.setWeight(QFont::Black);
  font.setPointSize(30);
  auto* label6 = new QLabel(kTitle, box);
  label6->setObjectName("Label6");
  label6->setFont(font);
  label6->setStyleSheet("color: #9aa4b0;");
  auto* label4 = new QLabel(kTitle, box);
  label4->setObjectName("Label4");
  label4->setFont(font);
  label4->setStyleSheet("color: #123c78;");
  label4->adjustSize();
  label6->adjustSize();
  label6->move(3, 3);
  label4->move(0, 0);
  box->setFixedSize(label4->width() + 4, label4->height() + 4);
  return box;
}

}  // namespace

mainform::mainform(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("mainform");
  setWindowTitle("KAL-VANO EC (Energy Compliance)");

  frame1_ = new QGroupBox("Start-up Menu", this);
  frame1_->setObjectName("Frame1");
  auto* picture1 = new QLabel(frame1_);
  picture1->setObjectName("Picture1");
  picture1->setPixmap(TilePicture(64, QColor(18, 60, 120), "ec"));
  auto* label1 = new QLabel("[90.1-2007 ASHRAE Standard Defaults]", frame1_);
  label1->setObjectName("Label1");
  auto* label7 =
      new QLabel("(Energy Compliance for Buildings, Professional Edition 6.5)", frame1_);
  label7->setObjectName("Label7");
  unitnum1_ = new QRadioButton("I-P Units", frame1_);
  unitnum1_->setObjectName("unitnum1");
  unitnum2_ = new QRadioButton("SI Units", frame1_);
  unitnum2_->setObjectName("unitnum2");
  continue_ = new QPushButton("Continue >>", frame1_);
  continue_->setObjectName("continue");
  // One group: exactly one option is selected once the start-up has run.
  auto* group = new QButtonGroup(this);
  group->addButton(unitnum1_, 1);
  group->addButton(unitnum2_, 2);

  auto* head = new QHBoxLayout;
  head->addWidget(picture1);
  head->addSpacing(12);
  head->addWidget(TitleLettering(frame1_));
  head->addStretch(1);
  auto* units = new QHBoxLayout;
  units->addStretch(1);
  units->addWidget(unitnum1_);
  units->addSpacing(24);
  units->addWidget(unitnum2_);
  units->addStretch(1);
  auto* inner = new QVBoxLayout(frame1_);
  inner->setContentsMargins(24, 24, 24, 24);
  inner->addLayout(head);
  inner->addWidget(label1, 0, Qt::AlignHCenter);
  inner->addWidget(label7, 0, Qt::AlignHCenter);
  inner->addSpacing(16);
  inner->addLayout(units);
  inner->addSpacing(8);
  inner->addWidget(continue_, 0, Qt::AlignHCenter);

  // Frame1 stays centred in the window whatever its size.
  auto* outer = new QGridLayout(this);
  outer->setRowStretch(0, 1);
  outer->setRowStretch(2, 1);
  outer->setColumnStretch(0, 1);
  outer->setColumnStretch(2, 1);
  outer->addWidget(frame1_, 1, 1);

  connect(unitnum1_, &QRadioButton::pressed, this, [this] { unitnum_MouseDown(1); });
  connect(unitnum2_, &QRadioButton::pressed, this, [this] { unitnum_MouseDown(2); });
  connect(unitnum1_, &QRadioButton::released, this, [this] { unitnum_MouseUp(1); });
  connect(unitnum2_, &QRadioButton::released, this, [this] { unitnum_MouseUp(2); });
  connect(continue_, &QPushButton::clicked, this, &mainform::continue_Click);
}

QRadioButton* mainform::unitnum(int index) const { return index == 1 ? unitnum1_ : unitnum2_; }

bool mainform::event(QEvent* event) {
  if (!initialised_ && (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)) {
    Form_Activate();
  }
  return QWidget::event(event);
}

bool mainform::Form_Activate() {
  if (initialised_) return initOk_;
  initialised_ = true;
  model::ProjectModel& m = Model();

  std::error_code ec;
  m.AppDir = std::filesystem::current_path(ec).string();
  model::FindExcelPath(m);

  m.ProjectFile = "New_Project";
  m.OutputFile = "Untitled.ot1";
  m.WeeksPerMonth = 4;
  m.ZonesEntered = 0;
  m.Resketched = 0;
  m.GridRows = 60;
  m.GridCols = 80;
  for (int i = 1; i <= 50; ++i) {
    m.OccProfNo[i].clear();
    m.HwProfNo[i].clear();
    m.VentProfNo[i].clear();
    m.LiteProfNo[i].clear();
    m.TempProfNo[i].clear();
  }

  StartupTables tables;
  if (const auto fault = LoadStartupTables(m.AppDir, tables)) {
    // The rest of the front-end needs every type label and library profile.
    ReportFileFault(model::FileError::OnFile(model::kErrFileNotFound, fault->file.string()));
    EndProgram(kStartFileFaultStatus);
    return false;
  }
  for (int n = 1; n <= kBuildingTypes; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    m.BldTypeName[n] = tables.typeNames[i];
    m.OccProfile[n] = tables.profiles[0][i];
    m.HwProfile[n] = tables.profiles[1][i];
    m.VentProfile[n] = tables.profiles[2][i];
    m.LiteProfile[n] = tables.profiles[3][i];
  }

  const QDate today = QDate::currentDate();
  m.CurrentYear = static_cast<int16_t>(today.year());
  m.TodayText = TodayText(today.year(), today.month(), today.day());

  m.UnitSystem = static_cast<int16_t>(ReadDefaultUnits(DefaultUnitsFile(m.AppDir)));
  unitnum(m.UnitSystem)->setChecked(true);
  m.ProgramTitle.clear();
  initOk_ = true;
  return true;
}

void mainform::unitnum_MouseDown(int index) {
  Model().UnitSystem = static_cast<int16_t>(index);
  unitnum(index)->setChecked(true);
  unitnum(index == 1 ? 2 : 1)->setChecked(false);
}

void mainform::unitnum_MouseUp(int index) {
  if (Messages().ask(UnitDefaultQuestion(index), "Set Units", MsgIcon::Question,
                     MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  int chosen = 0;
  if (unitnum1_->isChecked()) chosen = 1;
  else if (unitnum2_->isChecked()) chosen = 2;
  if (chosen == 0) return;
  const std::filesystem::path file = DefaultUnitsFile(Model().AppDir);
  try {
    WriteDefaultUnits(file, chosen);
  } catch (const model::FileError& error) {
    ReportFileFault(error);
  }
}

void mainform::continue_Click() {
  model::ProjectModel& m = Model();
  bool chosen = false;
  for (int i = 1; i <= 2; ++i) {
    if (unitnum(i)->isChecked()) {
      m.UnitSystem = static_cast<int16_t>(i);
      chosen = true;
    }
  }
  if (!chosen) {
    Messages().show("Please select Units", "Select Units", MsgIcon::Exclamation);
    return;
  }
  mainmenu& menu = MainMenu();
  menu.setWindowTitle(FromLocal("-- " + m.ProjectFile));
  ShowModeless(&menu);
  setEnabled(false);
  // Disabled and maximised behind the main menu: a click on it must not hide the main menu
  // and the step windows.
  KeepBehind(this);
}

void mainform::closeEvent(QCloseEvent* event) {
  if (AnyStepDone(Model().StepFlags)) {
    event->ignore();
    Messages().show("You may only exit from the File menu on the Main menu screen, press OK",
                    "Exit Warning", MsgIcon::Exclamation);
    ShowModeless(&MainMenu());
    return;
  }
  event->accept();
  EndProgram(0);
}

}  // namespace kalvano::shell
