#include "frontend/weather/selectweth.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/filepickcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/filesamp.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/weather/recorded.h"

namespace kalvano::weather {

namespace {

using shell::MsgAnswer;
using shell::MsgButtons;
using shell::MsgIcon;

QPointer<selectweth>& ThePicker() {
  static QPointer<selectweth> picker;
  return picker;
}

// The engine codes of the option buttons TMY2, WYEC2, Custom, IWEC.
constexpr std::array<int, 4> kOptionCodes{kTmy2, kWyec2, kCustom, kIwec};

// Asks about a custom file whose year is not the project's; true to go on.
bool YearAccepted(const std::string& path, int line) {
  if (!YearDiffers(path, line, shell::Model().Run.AnalysisYear)) return true;
  shell::Messages().beep();
  return shell::Messages().ask(kYearQuestion, "Weather Year", MsgIcon::Exclamation, MsgButtons::YesNo) ==
         MsgAnswer::Yes;
}

}  // namespace

selectweth::selectweth(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("selectweth");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Select Weather File");
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  QMenu* samples = bar->addMenu("View Sample Format");
  samples->setObjectName("LookAtSample");
  const std::array<const char*, 4> sampleCaptions{"TMY2", "WYEC2", "IWEC", "Custom"};
  for (int i = 1; i <= 4; ++i) {
    QAction* a = samples->addAction(sampleCaptions[static_cast<std::size_t>(i - 1)]);
    a->setObjectName(QString("fileform(%1)").arg(i));
    connect(a, &QAction::triggered, this, [this, i] { fileform_Click(i); });
  }
  picker_ = new shell::FilePicker(true, this);
  picker_->SetPattern("*");
  layout->addWidget(picker_, 1);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(new QLabel("Enter weather file:", this));
  text1_ = new QLineEdit(this);
  text1_->setObjectName("Text1");
  nameRow->addWidget(text1_, 1);
  layout->addLayout(nameRow);
  auto* formatRow = new QHBoxLayout;
  formatRow->addWidget(new QLabel("Format:", this));
  const std::array<const char*, 4> captions{"TMY2", "WYEC2", "Custom", "IWEC"};
  auto* group = new QButtonGroup(this);
  for (std::size_t i = 0; i < 4; ++i) {
    formats_[i] = new QRadioButton(captions[i], this);
    formats_[i]->setObjectName(QString("fileformat(%1)").arg(i));
    group->addButton(formats_[i]);
    formatRow->addWidget(formats_[i]);
  }
  formatRow->addStretch(1);
  layout->addLayout(formatRow);
  auto* buttons = new QHBoxLayout;
  auto* view = new QPushButton("View", this);
  view->setObjectName("View");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OK");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Cancel");
  buttons->addWidget(view);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  resize(560, 420);

  connect(picker_, &shell::FilePicker::fileClicked, text1_, &QLineEdit::setText);
  connect(text1_, &QLineEdit::textChanged, this, [this] { viewed_ = false; });
  connect(text1_, &QLineEdit::returnPressed, this, &selectweth::OK_Click);
  connect(view, &QPushButton::clicked, this, &selectweth::View_Click);
  connect(ok, &QPushButton::clicked, this, &selectweth::OK_Click);
  connect(cancel, &QPushButton::clicked, this, &selectweth::Cancel_Click);

  // Browsing starts where the project came from, once per opening.
  const model::ProjectModel& m = shell::Model();
  std::string folder = m.AppDir;
  std::error_code ec;
  if (m.ProjectLoaded == 1 && std::filesystem::is_directory(shell::LastFolders().retrieve, ec)) {
    folder = shell::LastFolders().retrieve;
  }
  if (!picker_->SetFolder(folder)) picker_->SetFolder(m.AppDir);
  shell::PlaceFileDialog(this);
}

selectweth::~selectweth() {
  if (shell::RunWindowLoaded()) shell::RunWindow().setEnabled(true);
}

int selectweth::Format() const {
  for (std::size_t i = 0; i < 4; ++i) {
    if (formats_[i]->isChecked()) return kOptionCodes[i];
  }
  return 0;
}

std::string selectweth::WeatherFilePath() const {
  return shell::JoinFolder(picker_->Folder(), shell::ToLocal(text1_->text()));
}

void selectweth::fileform_Click(int index) { shell::ShowFormatExample(index == 4 ? kCustom : index, this); }

bool selectweth::ShowPreview(const std::string& path) {
  const model::ProjectModel& m = shell::Model();
  const std::string previewFile = model::AppPath(m, kPreviewFile);
  std::string text;
  try {
    model::AtomicFile file(previewFile, model::NameKind::Fixed);
    file.text(PreviewText(path));
    file.commit();
    text = model::ReadWholeFile(previewFile, model::NameKind::Fixed);
    std::filesystem::remove(previewFile);
  } catch (const model::FileError& error) {
    std::error_code ec;
    std::filesystem::remove(previewFile, ec);
    shell::ReportFileFault(error);
    return false;
  }
  delete preview_;
  preview_ = new viewweather(this, path + m.ProgramTitle, text);
  shell::CentreOnScreen(preview_);
  shell::ShowModeless(preview_);
  return true;
}

void selectweth::View_Click() {
  if (text1_->text().isEmpty()) {
    shell::Messages().beep();
    shell::Messages().show("Please enter the weather file name.", "Weather File Name", MsgIcon::Exclamation);
    return;
  }
  const std::string path = WeatherFilePath();
  text1_->blockSignals(true);
  text1_->setText(shell::FromLocal(path));
  text1_->blockSignals(false);
  okStarted_ = false;
  ShowPreview(path);
}

bool selectweth::Accept(const std::string& path) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    CopyRecordedWeather(shell::Model(), path);
  } catch (const model::FileError& error) {
    QApplication::restoreOverrideCursor();
    shell::ReportFileFault(error);
    return false;
  }
  QApplication::restoreOverrideCursor();
  model::ProjectModel& m = shell::Model();
  m.Run.WeatherFormat = static_cast<int16_t>(Format());
  m.WeatherFileChosen = 1;
  close();
  return true;
}

void selectweth::OK_Click() {
  if (text1_->text().isEmpty()) {
    shell::Messages().show("Please enter the weather data file name.", "Weather Data File", MsgIcon::Exclamation);
    return;
  }
  if (Format() == 0) {
    shell::Messages().show("Please select the weather file format.", "Weather File Format", MsgIcon::Exclamation);
    return;
  }
  const std::string path = WeatherFilePath();
  const bool viewed = viewed_;
  text1_->blockSignals(true);
  text1_->setText(shell::FromLocal(path));
  text1_->blockSignals(false);
  try {
    if (Format() == kCustom && !YearAccepted(path, 10)) return;
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return;
  }
  if (!viewed) {
    okStarted_ = true;
    ShowPreview(path);
    return;
  }
  Accept(path);
}

bool selectweth::PreviewAccepted() {
  const std::string path = WeatherFilePath();
  try {
    if (Format() == kCustom && !YearAccepted(path, 5)) return false;
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return false;
  }
  if (okStarted_) return Accept(path);
  viewed_ = true;
  return true;
}

viewweather::viewweather(selectweth* picker, const std::string& caption, const std::string& text)
    : QWidget(picker, Qt::Window), picker_(picker) {
  setObjectName("viewweather");
  setWindowTitle(shell::FromLocal(caption));
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(shell::FixedPitchFont());
  text1_->setPlainText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).remove('\r'));
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OK");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("cancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_, 1);
  layout->addLayout(buttons);
  resize(760, 460);
  connect(ok, &QPushButton::clicked, this, &viewweather::OK_Click);
  connect(cancel, &QPushButton::clicked, this, &viewweather::cancel_Click);
}

void viewweather::OK_Click() {
  if (!picker_->PreviewAccepted()) return;
  hide();
}

void viewweather::cancel_Click() {
  picker_->PreviewCancelled();
  hide();
}

void OpenSelectWeather() {
  QPointer<selectweth>& picker = ThePicker();
  if (picker.isNull()) picker = new selectweth;
  if (shell::RunWindowLoaded()) shell::RunWindow().setEnabled(false);
  shell::ShowModeless(picker.data());
}

selectweth* SelectWeatherWindow() { return ThePicker().data(); }

}  // namespace kalvano::weather
