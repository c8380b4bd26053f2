#include "frontend/reports/hourly.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

#include "frontend/reports/tabular.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "runfiles.h"

namespace kalvano::reports {

std::string HourlyNote() {
  return "NOTE:  This feature will function only if you have a program installed on your "
         "computer that opens the hourly file: " +
         model::SpreadsheetProgramsText() +
         ", the first of them found on the program path at start-up.  Choose one of the display "
         "options and press \"Display it Now\": that program shows the hourly data of the last "
         "run, ready for plotting.  When the output is saved, the hourly files are saved with it "
         "under unique names in the project's folder.  Close the program after use: each use "
         "starts another copy of it.";
}

namespace {

QPointer<Hourly>& TheWindow() {
  static QPointer<Hourly> window;
  return window;
}

// The run's temp/ folder, where the hourly files are, as a full path.
std::filesystem::path HourlyFolder(const model::ProjectModel& m) {
  return std::filesystem::absolute(model::AppPath(m, files::kTempDir)).lexically_normal();
}

}  // namespace

std::string ExcelErrorText(const model::ProjectModel& m) {
  return "This function cannot be performed.  Either no program that opens the hourly file could "
         "be started (those looked for on the program path: " +
         model::SpreadsheetProgramsText() +
         ") or the previous run had a file creation error.  You may still access these three "
         "files in the folder below if you can start a spreadsheet program by another method.  "
         "The hourly spreadsheet files have the '.hry' extension.\n\n" +
         HourlyFolder(m).string();
}

std::string_view HourlyFileName(int choice) {
  switch (choice) {
    case 1: return files::kHourlyEnergy;
    case 2: return files::kHourlyTemps;
    case 3: return files::kHourlyWeather;
    default: return {};
  }
}

bool HourlyFileIsCurrent(const model::ProjectModel& m, int choice) {
  const std::string_view name = HourlyFileName(choice);
  if (name.empty()) return true;
  try {
    model::CheckResultFile(m, model::ResultPath(m, name));
    return true;
  } catch (const model::ResultsReplaced&) {
    return false;
  }
}

bool StartSpreadsheet(const model::ProjectModel& m, int choice) {
  const std::string_view name = HourlyFileName(choice);
  if (m.ExcelPath.empty() || name.empty()) return false;
  const std::filesystem::path temp = HourlyFolder(m);
  const QString file = shell::FromLocal((temp / name).string());
  return QProcess::startDetached(shell::FromLocal(m.ExcelPath), {file},
                                 shell::FromLocal(temp.string()));
}

Hourly::Hourly(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Hourly");
  setWindowTitle("Hourly Data Output");
  auto* heading = new QLabel("DISPLAY OPTION", this);
  heading->setObjectName("Label5");
  frame1_ = new QGroupBox("EXCEL Display of Hourly Data ", this);
  frame1_->setObjectName("Frame1");
  group_ = new QButtonGroup(this);
  static constexpr std::array<const char*, 3> kLabels{
      "(tavik$.hry)  Spreadsheet for  abbreviated hourly weather and whole-building energy "
      "data.",
      "[etemp$.hry)  Spreadsheet for hourly outdoor/indoor temperatures and RH by zones.  "
      "(This could be an extremely large file.)",
      "[eweth$.hry) Spreadsheet for only hourly weather data."};
  auto* choices = new QVBoxLayout(frame1_);
  choices->addWidget(heading);
  for (int i = 0; i < 3; ++i) {
    auto* row = new QHBoxLayout;
    auto* option = new QRadioButton(frame1_);
    option->setObjectName(QString("HryDisplay(%1)").arg(i));
    group_->addButton(option, i);
    auto* label = new QLabel(kLabels[static_cast<std::size_t>(i)], frame1_);
    label->setObjectName(QString("Label%1").arg(i + 2));
    label->setWordWrap(true);
    label->setBuddy(option);
    row->addWidget(option);
    row->addWidget(label, 1);
    choices->addLayout(row);
    options_[static_cast<std::size_t>(i)] = option;
  }
  note_ = new QLabel(QString::fromLatin1(HourlyNote()), frame1_);
  note_->setObjectName("Label1");
  note_->setWordWrap(true);
  choices->addWidget(note_);
  auto* frame2 = new QGroupBox("Display Controls ", frame1_);
  frame2->setObjectName("Frame2");
  auto* buttons = new QHBoxLayout(frame2);
  static constexpr std::array<const char*, 3> kActions{"Display it Now", "Return to Tabular Menu",
                                                       "Cancel"};
  for (int i = 0; i < 3; ++i) {
    auto* action = new QPushButton(kActions[static_cast<std::size_t>(i)], frame2);
    action->setObjectName(QString("Action(%1)").arg(i));
    buttons->addWidget(action);
    connect(action, &QPushButton::clicked, this, [this, i] { Action_Click(i); });
    actions_[static_cast<std::size_t>(i)] = action;
  }
  choices->addWidget(frame2);
  frame1_->setFixedWidth(620);
  frame1_->adjustSize();
  connect(group_, &QButtonGroup::idClicked, this, &Hourly::HryDisplay_Click);
  resize(760, frame1_->height() + 80);
}

void Hourly::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Form_Activate();
}

void Hourly::closeEvent(QCloseEvent* event) {
  // The viewer was hidden for this window: the close box goes back to it as "Return to
  // Tabular Menu" does.
  event->ignore();
  Action_Click(1);
}

void Hourly::Form_Activate() {
  shell::CentreOnScreen(this);
  setWindowTitle(shell::FromLocal("KALVANO Hourly Data Output -- " + shell::Model().ProjectFile));
  ClearChoice();
}

void Hourly::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  frame1_->move((width() - frame1_->width()) / 2, (height() - frame1_->height()) / 2);
}

void Hourly::HryDisplay_Click(int index) { choice_ = static_cast<int16_t>(index + 1); }

void Hourly::ClearChoice() {
  group_->setExclusive(false);
  for (QRadioButton* option : options_) option->setChecked(false);
  group_->setExclusive(true);
  choice_ = 0;
}

void Hourly::Action_Click(int index) {
  if (index == 0) {
    if (choice_ == 0) {
      shell::Messages().show(kNoDisplayOptionText, kNoDisplayOptionTitle,
                             model::MsgIcon::Information);
    } else if (!HourlyFileIsCurrent(shell::Model(), choice_)) {
      model::ReportResultsReplaced(shell::Model(), shell::Messages());
    } else if (!StartSpreadsheet(shell::Model(), choice_)) {
      shell::Messages().showNaming(ExcelErrorText(shell::Model()), kExcelErrorTitle,
                                   model::MsgIcon::Critical);
    }
  } else if (index == 1) {
    ClearChoice();
    UnloadHourly();
    ShowTabularViewer();
    return;
  }
  ClearChoice();
}

Hourly& HourlyWindow() {
  QPointer<Hourly>& window = TheWindow();
  if (window.isNull()) window = new Hourly;
  return *window;
}

void UnloadHourly() {
  QPointer<Hourly>& window = TheWindow();
  if (window.isNull()) return;
  window->hide();
  window->deleteLater();
  window = nullptr;
}

}  // namespace kalvano::reports
