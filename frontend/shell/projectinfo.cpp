#include "frontend/shell/projectinfo.h"

#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/projinfocore.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

constexpr std::array<const char*, model::kProjectItems> kCaptions{
    "Building Type        :", "Project  Name       :", "Project Description:",
    "Location               :", "Design Stage        :", "Scheme Number    :  ",
    "Evaluation Year     :", "Orientation            :", "Floor Area             :",
    "Construction Cost  :", "Occ. Days /week :", "Annual Holidays   :"};
// The caption controls of the boxes: project(0..10), and Label1 for box 7.
constexpr std::array<const char*, model::kProjectItems> kCaptionNames{
    "project(0)", "project(1)", "project(2)", "project(3)", "project(4)", "project(5)",
    "project(6)", "Label1", "project(7)", "project(8)", "project(9)", "project(10)"};

constexpr const char* kHints =
    "Hints:\n(1)  Begin a new project by clicking the \nBuilding Type pulldown menu.\n"
    "(2) Initially, do not enter any further \ninformation.  Just click OK.\n"
    "(3) The sketch routing will automatically \nadd the floor area and the orientation.\n"
    "(4) You may add project descriptors, occupancy and holidays later.";

void ShowRefusal(const Refusal& r) {
  if (r.beep) Messages().beep();
  if (!r.text.empty()) {
    const MsgIcon icon = r.beep ? MsgIcon::Exclamation : MsgIcon::Information;
    Messages().show(r.text, r.title, icon);
  }
}

}  // namespace

projectinfo::projectinfo(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("projectinfo");

  auto* bar = new QMenuBar(this);
  btype_ = bar->addMenu("Building Type");
  btype_->setObjectName("btype");
  const auto& captions = BuildingTypeCaptions();
  for (int n = 1; n <= kBuildingTypes; ++n) {
    QAction* item = btype_->addAction(Latin1(captions[static_cast<std::size_t>(n)]));
    item->setObjectName(QString("building(%1)").arg(n));
    building_[static_cast<std::size_t>(n)] = item;
    connect(item, &QAction::triggered, this, [this, n] { building_Click(n); });
  }
  QMenu* help = bar->addMenu("Help");
  help->setObjectName("helpmenu");
  QAction* tutorial = help->addAction("Tutorial");
  tutorial->setObjectName("tutorial");
  connect(tutorial, &QAction::triggered, this, &projectinfo::tutorial_Click);

  auto* frame = new QGroupBox("General Project Data", this);
  auto* grid = new QGridLayout(frame);
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    auto* box = new QLineEdit(frame);
    box->setObjectName(QString("projectid(%1)").arg(i));
    InstallKeyFilter(box, this);
    box->setValidator(new Latin1Validator(box));
    boxes_[i] = box;
    const int index = static_cast<int>(i);
    connect(box, &QLineEdit::textChanged, this, [this, index] {
      lastEditedBox_ = index;
      if (index == 7) Model().OrientEdited = 1;
    });
  }
  auto caption = [frame](std::size_t i) {
    auto* label = new QLabel(kCaptions[i], frame);
    label->setObjectName(kCaptionNames[i]);
    return label;
  };
  getweather_ = new QPushButton("Get Weather", frame);
  getweather_->setObjectName("getweather");
  getweather_->setEnabled(HasWindowOpener(window::weather));
  for (int i = 0; i <= 7; ++i) {
    grid->addWidget(caption(static_cast<std::size_t>(i)), i, 0);
    grid->addWidget(boxes_[static_cast<std::size_t>(i)], i, 1, 1, 3);
  }
  grid->addWidget(getweather_, 3, 4);
  auto* fromNorth = new QLabel("from North", frame);
  fromNorth->setObjectName("Label3");
  grid->addWidget(fromNorth, 7, 4);
  label12_ = new QLabel(frame);
  label12_->setObjectName("Label12");
  label13_ = new QLabel(frame);
  label13_->setObjectName("Label13");
  auto* days10 = new QLabel("days", frame);
  days10->setObjectName("Label14");
  auto* days11 = new QLabel("days", frame);
  days11->setObjectName("Label15");
  auto pair = [&](int row, int left, QLabel* leftUnit, int right, QLabel* rightUnit) {
    auto* line = new QHBoxLayout;
    line->addWidget(boxes_[static_cast<std::size_t>(left)]);
    line->addWidget(leftUnit);
    line->addSpacing(12);
    line->addWidget(caption(static_cast<std::size_t>(right)));
    line->addWidget(boxes_[static_cast<std::size_t>(right)]);
    line->addWidget(rightUnit);
    grid->addWidget(caption(static_cast<std::size_t>(left)), row, 0);
    grid->addLayout(line, row, 1, 1, 4);
  };
  pair(8, 8, label12_, 10, days10);
  pair(9, 9, label13_, 11, days11);

  text1_ = new QPlainTextEdit(kHints, this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setMaximumHeight(150);

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("ok");
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("cancel");
  undo_ = new QPushButton("Undo Last", this);
  undo_->setObjectName("undobutton");
  connect(ok_, &QPushButton::clicked, this, &projectinfo::OK_Click);
  connect(cancel_, &QPushButton::clicked, this, &projectinfo::cancel_Click);
  connect(undo_, &QPushButton::clicked, this, &projectinfo::undobutton_Click);
  connect(getweather_, &QPushButton::clicked, this, &projectinfo::getweather_Click);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addWidget(undo_);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(bar);
  layout->addWidget(frame);
  layout->addWidget(text1_);
  layout->addLayout(buttons);

  setWindowTitle(FromLocal("Project Information -- " + Model().ProjectFile));
  label12_->setText(Latin1(AreaUnit(Model().UnitSystem)));
  label13_->setText(Latin1(CostUnit(Model().UnitSystem)));
  lastEditedBox_ = 0;
}

std::string projectinfo::BoxText(int i) const {
  return projectid(i)->text().toLatin1().toStdString();
}

void projectinfo::SetBoxText(int i, const std::string& text) { projectid(i)->setText(Latin1(text)); }

ProjectBoxes projectinfo::Boxes() const {
  ProjectBoxes texts;
  for (int i = 0; i < model::kProjectItems; ++i) texts[static_cast<std::size_t>(i)] = BoxText(i);
  return texts;
}

bool projectinfo::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowDeactivate:
      // A message box of this window takes the focus for a moment; coming back from it is
      // no activation of the window.
      reactivationFromBox_ = QApplication::activeModalWidget() != nullptr;
      break;
    case QEvent::WindowActivate:
      if (!reactivationFromBox_) Form_Activate();
      reactivationFromBox_ = false;
      break;
    case QEvent::Resize:
    case QEvent::Show: CentreOnScreen(this); break;
    default: break;
  }
  return QWidget::event(event);
}

bool projectinfo::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < model::kProjectItems; ++i) {
    if (watched != projectid(i)) continue;
    if (event->type() == QEvent::MouseButtonPress) {
      projectid_Click(i);
    } else if (event->type() == QEvent::KeyPress) {
      const char32_t key = KeyCharacter(static_cast<QKeyEvent*>(event));
      if (key != 0 && !projectid_KeyPress(i, key)) return true;
    } else if (event->type() == QEvent::KeyRelease) {
      lastEditedBox_ = i;
    }
    break;
  }
  return QWidget::eventFilter(watched, event);
}

void projectinfo::closeEvent(QCloseEvent* event) {
  event->ignore();
  cancel_Click();
}

void projectinfo::Form_Activate() {
  model::ProjectModel& m = Model();
  label12_->setText(Latin1(AreaUnit(m.UnitSystem)));
  label13_->setText(Latin1(CostUnit(m.UnitSystem)));
  btype_->setEnabled(m.ProjectLoaded != 1);
  btype_->menuAction()->setEnabled(m.ProjectLoaded != 1);
  if (m.Resketched == 1) {
    m.ProjectData[7] = m.BldOrient;
    m.ProjectData[8] = model::NumberText(m.FloorArea);
  }
  for (int i = 0; i < model::kProjectItems; ++i) {
    SetBoxText(i, m.ProjectData[static_cast<std::size_t>(i)]);
  }
}

void projectinfo::building_Click(int index) {
  model::ProjectModel& m = Model();
  ProjectBoxes texts = Boxes();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    LoadBuildingType(m, index, texts);
  } catch (const model::FileError& error) {
    for (int i = 0; i < model::kProjectItems; ++i) SetBoxText(i, texts[static_cast<std::size_t>(i)]);
    QApplication::restoreOverrideCursor();
    ReportFileFault(error);
    return;
  }
  for (int i = 0; i < model::kProjectItems; ++i) SetBoxText(i, texts[static_cast<std::size_t>(i)]);
  QApplication::restoreOverrideCursor();
}

void projectinfo::projectid_Click(int index) {
  if (index == 0 && Model().ProjectLoaded == 0) ShowRefusal(RefusalMessage(KeyRefusal::SelectType));
}

bool projectinfo::projectid_KeyPress(int index, char32_t key) {
  model::ProjectModel& m = Model();
  const KeyRefusal refusal = FilterKey(index, key, BoxText(index), m.ProjectLoaded);
  if (refusal == KeyRefusal::SelectType) {
    ShowRefusal(RefusalMessage(refusal));
    return false;
  }
  lastEditedBox_ = index;
  if (refusal != KeyRefusal::None) {
    ShowRefusal(RefusalMessage(refusal));
    return false;
  }
  if (index == 7) m.OrientEdited = 1;
  return true;
}


void projectinfo::undobutton_Click() {
  const int box = lastEditedBox_;
  SetBoxText(box, Model().ProjectData[static_cast<std::size_t>(box)]);
  lastEditedBox_ = NextUndoBox(box);
}

void projectinfo::OK_Click() {
  model::ProjectModel& m = Model();
  const ProjectBoxes texts = Boxes();
  const OkRefusal refusal = CheckProjectInfo(texts);
  if (refusal != OkRefusal::None) {
    ShowRefusal(RefusalMessage(refusal));
    return;
  }
  m.StepFlags[1] = 1;
  for (std::size_t i = 0; i < texts.size(); ++i) m.ProjectData[i] = texts[i];
  ReturnToMainMenu();
}

void projectinfo::cancel_Click() {
  const model::ProjectModel& m = Model();
  for (int i = 0; i < model::kProjectItems; ++i) SetBoxText(i, m.ProjectData[static_cast<std::size_t>(i)]);
  ReturnToMainMenu();
}

void projectinfo::ReturnToMainMenu() {
  mainmenu& menu = MainMenu();
  menu.EnableLaterSteps();
  ShowModeless(&menu);
  UnloadProjectInfo();
}

void projectinfo::getweather_Click() {
  OpenWindow(window::weather);
  Model().WeatherFromProjInfo = 1;
}

void projectinfo::tutorial_Click() {
  ShowHelpFile("help2.txt", "PROJECT INFORMATION -- " + Model().ProjectFile);
}

}  // namespace kalvano::shell
