#include "frontend/zones/temperature.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "frontend/model/helpers.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/zones/zoneform.h"

namespace kalvano::zones {

namespace {

using shell::FromLocal;
using shell::Latin1;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

constexpr std::string_view kWrongCount =
    "The profile you selected has less or more than 24 values. Please make necessary "
    "corrections";
constexpr std::string_view kNotSelected =
    "The profile you have just editted is not selected.  Save the new data before leaving?";
constexpr const char* kHours =
    "  1   2   3   4   5   6  7  8   9  10 11 12  1   2   3   4   5   6  7  8  9  10  11 12";
constexpr std::array<const char*, model::kTempProfiles + 1> kProfileNames{
    "",
    " 1 Summer - Occupied",
    " 2 Winter - Occupied",
    " 3 Summer - Unoccupied",
    " 4 Winter - Unoccupied",
    " 5 User's Summer - Occ.",
    " 6 User's Winter - Occ.",
    " 7 User's Summer - Unocc",
    " 8 User's Winter - Unocc.",
    " 9 User's Summer - Occ.",
    "10 User's Winter - Occ.",
    "11 User's Summer - Unocc",
    "12 User's Winter - Unocc."};

const QColor kOrangeRedText(255, 15, 0);

QPointer<temperature>& Loaded() {
  static QPointer<temperature> window;
  return window;
}

std::string Bytes(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

}  // namespace

temperature::temperature(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("temperature");
  const model::ProjectModel& m = shell::Model();
  setWindowTitle(FromLocal(std::string(m.UnitSystem == model::kSI
                                           ? "Temperature Profiles (degree C)"
                                           : "Temperature Profiles (degree F)") +
                           " -- " + m.ProjectFile));
  auto* bar = new QMenuBar(this);
  QMenu* edit = bar->addMenu(Latin1("Edit"));
  edit->setObjectName("Editmenu");
  copy_ = edit->addAction(Latin1("Copy"));
  copy_->setObjectName("copy");
  cut_ = edit->addAction(Latin1("Cut"));
  cut_->setObjectName("cut");
  paste_ = edit->addAction(Latin1("Paste"));
  paste_->setObjectName("paste");
  connect(copy_, &QAction::triggered, this, &temperature::copy_Click);
  connect(cut_, &QAction::triggered, this, &temperature::cut_Click);
  connect(paste_, &QAction::triggered, this, &temperature::paste_Click);

  auto* outer = new QVBoxLayout(this);
  outer->setMenuBar(bar);
  btype_ = new QLabel(this);
  btype_->setObjectName("btype");
  btype_->setTextFormat(Qt::PlainText);
  outer->addWidget(btype_);

  // Fixed pitch, so that 24 values line up under the hour header.
  const QFont fixed = shell::FixedPitchFont();
  const QFontMetrics fm(fixed);
  // Room for 24 values of four characters (a sign position, two digits, a blank), as the
  // values in degrees C are written.
  const int valueWidth = fm.horizontalAdvance(QString(24 * 4 + 1, '0')) + 8;
  const int rowHeight = std::max(18, fm.height() + 6);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(1);
  auto* halves = new QHBoxLayout;
  auto* am = new QLabel(Latin1("A. M."), this);
  am->setObjectName("Label2");
  auto* pm = new QLabel(Latin1("P. M."), this);
  pm->setObjectName("Label3");
  halves->addStretch(1);
  halves->addWidget(am);
  halves->addStretch(2);
  halves->addWidget(pm);
  halves->addStretch(1);
  grid->addLayout(halves, 0, 1);
  // The hours stand over the values of the first row, whatever the unit system writes.
  label1_ = new HourHeader(Latin1(kHours), this);
  label1_->setObjectName("Label1");
  label1_->setFont(fixed);
  grid->addWidget(label1_, 1, 1);
  for (int k = 1; k <= model::kTempProfiles; ++k) {
    auto* name = new shell::ClickLabel(Latin1(kProfileNames[At(k)]), this);
    name->setObjectName(QString("temp(%1)").arg(k));
    name->setTextFormat(Qt::PlainText);
    name->setMinimumHeight(rowHeight);
    SetRowColour(name, RowColour::Plain);
    connect(name, &shell::ClickLabel::clicked, this, [this, k] { temp_Click(k); });
    temp_[At(k)] = name;
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("Text1(%1)").arg(k));
    box->setFont(fixed);
    box->setFixedSize(valueWidth, rowHeight);
    box->setValidator(new shell::Latin1Validator(box));
    shell::InstallKeyFilter(box, this);
    SetRowColour(box, RowColour::Plain);
    connect(box, &QLineEdit::textEdited, this, [this, k](const QString&) { Text1_Change(k); });
    text1_[At(k)] = box;
    grid->addWidget(name, k + 1, 0);
    grid->addWidget(box, k + 1, 1);
  }
  label1_->Follow(Text1(1));
  outer->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  okey_ = new QPushButton(Latin1("OK"), this);
  okey_->setObjectName("okey");
  undo_ = new QPushButton(Latin1("Undo"), this);
  undo_->setObjectName("Undo");
  buttons->addStretch(1);
  buttons->addWidget(okey_);
  buttons->addWidget(undo_);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  connect(okey_, &QPushButton::clicked, this, &temperature::okey_Click);
  connect(undo_, &QPushButton::clicked, this, &temperature::Undo_Click);

  adjustSize();
  shell::CentreOnScreen(this);
}

void temperature::PaintRow(int row, RowColour colour) {
  SetRowColour(temp(row), colour);
  SetRowColour(Text1(row), colour);
}

void temperature::LoadRows(const TemperatureRows& rows) {
  model::ProjectModel& m = shell::Model();
  btype_->setText(Latin1(m.ProjectData[1]));
  for (int k = 1; k <= model::kTempProfiles; ++k) {
    ShowValues(Text1(k), Latin1(rows.text[At(k)]));
    m.ZoneEdit.TempProfUndoCopy[At(k)] = rows.text[At(k)];
    PaintRow(k, rows.yellow[At(k)] ? RowColour::Yellow : RowColour::Plain);
  }
}

void temperature::temp_Click(int index) {
  if (!IsYellow(temp(index))) PaintRow(index, RowColour::Yellow);
  slotChoice_[At(TemperatureSlot(index))] = static_cast<int16_t>(index);
  selRow_ = index;
  noPick_ = 0;
}

void temperature::Text1_Change(int index) { selRow_ = index; }

void temperature::Text1_MouseDown(int index) { editRow_ = index; }

void temperature::WarnOnce(int row) {
  std::array<int16_t, 21>& warned = shell::Model().ZoneEdit.SharedWarned;
  if (IsYellow(Text1(row)) && warned[At(row)] == 0) model::WarnSharedProfile(shell::Messages());
  warned[At(row)] = 1;
}

void temperature::Text1_Click(int index) { WarnOnce(index); }

char temperature::Text1_KeyPress(int index, char key) {
  WarnOnce(index);
  if (AcceptedValueKey(key)) {
    edited_[At(index)] = 1;
    return key;
  }
  model::RefuseNotNumeric(shell::Messages());
  return 0;
}

void temperature::copy_Click() {
  if (editRow_ != 0) clip_.Copy(Text1(editRow_));
}

void temperature::cut_Click() {
  if (editRow_ == 0) return;
  clip_.Cut(Text1(editRow_));
}

void temperature::paste_Click() {
  if (editRow_ == 0) return;
  clip_.Paste(Text1(editRow_));
}

void temperature::Undo_Click() {
  if (selRow_ != 0) {
    ShowValues(Text1(selRow_), Latin1(shell::Model().ZoneEdit.TempProfUndoCopy[At(selRow_)]));
    PaintRow(selRow_, RowColour::Plain);
  }
  noPick_ = 1;
}

void temperature::okey_Click() {
  model::ProjectModel& m = shell::Model();
  shell::MessageBoxes& boxes = shell::Messages();
  const auto refuse = [&boxes] {
    boxes.beep();
    boxes.show(kWrongCount, "Error...", model::MsgIcon::Exclamation);
  };
  for (int k = 1; k <= model::kTempProfiles; ++k) {
    if (IsYellow(Text1(k)) && !ValidProfileText(Bytes(Text1(k)), ProfileRule::Temperature)) {
      refuse();
      return;
    }
  }
  std::vector<int> savedRows;
  for (int k = 1; k <= model::kTempProfiles; ++k) {
    if (edited_[At(k)] != 1 || IsYellow(Text1(k))) continue;
    SetTextColour(Text1(k), kOrangeRedText);
    const shell::MsgAnswer answer = boxes.ask(kNotSelected, kSelectProfileTitle,
                                              model::MsgIcon::Exclamation,
                                              shell::MsgButtons::YesNo);
    SetTextColour(Text1(k), WindowTextColour());
    if (answer == shell::MsgAnswer::Yes) {
      PaintRow(k, RowColour::Yellow);
      slotChoice_[At(TemperatureSlot(k))] = static_cast<int16_t>(k);
      savedRows.push_back(k);
    } else {
      edited_[At(k)] = 0;
    }
  }
  // A profile saved by that answer is checked like the others before it is stored.
  for (int k : savedRows) {
    if (!ValidProfileText(Bytes(Text1(k)), ProfileRule::Temperature)) {
      refuse();
      return;
    }
  }
  edited_.fill(0);
  for (int k = 1; k <= model::kTempProfiles; ++k) {
    if (!IsYellow(Text1(k))) continue;
    m.TempProfNo[At(k)] = ProfileMark(k);
    m.TempProfile[At(k)] = Bytes(Text1(k));
  }
  m.ProfKindEdited[5] = 1;
  const int16_t noPick = noPick_;
  const std::array<int16_t, 5> chosen = slotChoice_;
  UnloadTemperature();
  if (zoneform* zone = ZoneFormWindow(); zone != nullptr) zone->RefreshZoneForm(0, noPick, chosen);
}

int temperature::RowOf(QObject* watched) const {
  for (int k = 1; k <= model::kTempProfiles; ++k) {
    if (text1_[At(k)] == watched) return k;
  }
  return 0;
}

bool temperature::eventFilter(QObject* watched, QEvent* event) {
  const int row = RowOf(watched);
  if (row == 0) return QWidget::eventFilter(watched, event);
  const ValueBoxHandlers handlers{[this, row](char key) { return Text1_KeyPress(row, key); },
                                  [this, row] { Text1_MouseDown(row); },
                                  [this, row] { Text1_Click(row); }};
  if (FilterValueBoxEvent(Text1(row), event, handlers)) return true;
  return QWidget::eventFilter(watched, event);
}

void temperature::closeEvent(QCloseEvent* event) {
  // Closed from the window manager: nothing is stored.
  event->accept();
  if (!closing_ && Loaded() == this) {
    Loaded() = nullptr;
    deleteLater();
  }
}

bool OpenTemperature() {
  model::ProjectModel& m = shell::Model();
  std::vector<std::string> library;
  try {
    library = ReadTemperatureLibrary(m);
  } catch (const model::FileError& error) {
    model::ReportFileError(shell::Messages(), error);
    return false;
  }
  const TemperatureRows rows = TemperaturePickerRows(m, library);
  UnloadTemperature();
  auto* window = new temperature;
  Loaded() = window;
  window->LoadRows(rows);
  shell::ShowModeless(window);
  return true;
}

temperature* TemperatureWindow() { return Loaded().data(); }

void UnloadTemperature() {
  temperature* window = Loaded().data();
  if (window == nullptr) return;
  Loaded() = nullptr;
  window->closing_ = true;
  window->close();
  window->deleteLater();
}

}  // namespace kalvano::zones
