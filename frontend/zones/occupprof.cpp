#include "frontend/zones/occupprof.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
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
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
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

constexpr std::string_view kInvalidProfile =
    "The profile you selected has an invalid entry or an insufficient number of values. "
    "Please make necessary corrections";
constexpr std::string_view kNotSelected =
    "The profile you have just edited is not selected.  Save the new data before leaving?";
constexpr const char* kHours =
    " 1  2  3  4  5  6  7  8  9 10 11 12  1  2  3  4  5  6  7  8  9 10 11 12";

// Design sizes, in pixels at 15 twips a pixel.
constexpr int kWindowWidth = 662;
constexpr int kWindowHeight = 493;
constexpr int kNameWidth = 123;
constexpr int kValueWidth = 503;

const QColor kRedText(255, 0, 0);
const QColor kBlackText(0, 0, 0);
const QColor kWhiteText(255, 255, 255);

QPointer<occupprof>& Loaded() {
  static QPointer<occupprof> window;
  return window;
}

std::string Bytes(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

}  // namespace

occupprof::occupprof(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("occupprof");
  auto* bar = new QMenuBar(this);
  QMenu* edit = bar->addMenu(Latin1("Edit"));
  edit->setObjectName("editmenu");
  copy_ = edit->addAction(Latin1("Copy"));
  copy_->setObjectName("copy");
  cut_ = edit->addAction(Latin1("Cut"));
  cut_->setObjectName("cut");
  paste_ = edit->addAction(Latin1("Paste"));
  paste_->setObjectName("paste");
  connect(copy_, &QAction::triggered, this, &occupprof::copy_Click);
  connect(cut_, &QAction::triggered, this, &occupprof::cut_Click);
  connect(paste_, &QAction::triggered, this, &occupprof::paste_Click);

  auto* outer = new QVBoxLayout(this);
  outer->setMenuBar(bar);
  // Fixed pitch, so that 24 values line up under the hour header.
  const QFont fixed = shell::FixedPitchFont();
  const QFontMetrics fm(fixed);
  const int valueWidth = std::max(kValueWidth, fm.horizontalAdvance(QString(100, '0')) + 8);
  const int rowHeight = std::max(16, fm.height() + 4);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(0);
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
  // The hours stand over the values of the first row.
  label1_ = new HourHeader(Latin1(kHours), this);
  label1_->setObjectName("Label1");
  label1_->setFont(fixed);
  grid->addWidget(label1_, 1, 1);
  // The names are as wide as the longest building-type name.
  const QFontMetrics nameMetrics(font());
  int nameWidth = kNameWidth;
  for (const std::string& typeName : shell::Model().BldTypeName) {
    nameWidth = std::max(nameWidth, nameMetrics.horizontalAdvance(Latin1(typeName)) + 8);
  }
  for (int i = 1; i <= kUsePickerRows; ++i) {
    auto* name = new shell::ClickLabel(QString(), this);
    name->setObjectName(QString("occ(%1)").arg(i));
    name->setFixedSize(nameWidth, rowHeight);
    name->setTextFormat(Qt::PlainText);
    SetRowColour(name, RowColour::Plain);
    connect(name, &shell::ClickLabel::clicked, this, [this, i] { occ_Click(i); });
    occ_[At(i)] = name;
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("Text1(%1)").arg(i));
    box->setFont(fixed);
    box->setFixedSize(valueWidth, rowHeight);
    box->setValidator(new shell::Latin1Validator(box));
    shell::InstallKeyFilter(box, this);
    SetRowColour(box, RowColour::Plain);
    connect(box, &QLineEdit::textEdited, this, [this, i](const QString&) { Text1_Change(i); });
    text1_[At(i)] = box;
    grid->addWidget(name, i + 1, 0);
    grid->addWidget(box, i + 1, 1);
  }
  label1_->Follow(Text1(1));
  profscroll_ = new QScrollBar(Qt::Vertical, this);
  profscroll_->setObjectName("profscroll");
  profscroll_->setRange(0, kMaxListOffset);
  profscroll_->setSingleStep(1);
  profscroll_->setPageStep(5);
  connect(profscroll_, &QScrollBar::valueChanged, this, [this](int) { profscroll_Change(); });
  grid->addWidget(profscroll_, 2, 2, kUsePickerRows, 1);
  outer->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  okey_ = new QPushButton(Latin1("OK"), this);
  okey_->setObjectName("okey");
  undo_ = new QPushButton(Latin1("Undo Last"), this);
  undo_->setObjectName("undo");
  buttons->addStretch(1);
  buttons->addWidget(okey_);
  buttons->addWidget(undo_);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  connect(okey_, &QPushButton::clicked, this, &occupprof::okey_Click);
  connect(undo_, &QPushButton::clicked, this, &occupprof::Undo_Click);

  adjustSize();
  resize(std::max(width(), kWindowWidth), std::max(height(), kWindowHeight));
  shell::CentreOnScreen(this);
}

void occupprof::PaintRow(int row, RowColour colour) {
  SetRowColour(occ(row), colour);
  SetRowColour(Text1(row), colour);
}

void occupprof::Form_Activate() {
  model::ProjectModel& m = shell::Model();
  warned_.fill(0);
  if (m.ZoneEdit.ProfPickerKind >= 1 && m.ZoneEdit.ProfPickerKind <= 4) {
    windowKind_ = m.ZoneEdit.ProfPickerKind;
  }
  const model::ProfileKindRef p = model::ProfileKind(m, windowKind_);
  for (int i = 1; i <= kUsePickerRows; ++i) {
    occ(i)->setText(Latin1(m.BldTypeName[At(i)]));
    ShowValues(Text1(i), Latin1(p.values[At(i)]));
    // Rows of unused profiles are drawn plain, so that no highlight of a scrolled list stays
    // on a row that now shows another profile. The building type's profile is used, unless
    // the kind had no room left for it.
    const bool used = IsMarked(p.marks, i) ||
                      (i == m.BldTypeNo && !WouldExceedProfileLimit(p.marks, windowKind_, i));
    PaintRow(i, used ? RowColour::Yellow : RowColour::Plain);
  }
  listOffset_ = 0;
  const QSignalBlocker block(profscroll_);
  profscroll_->setValue(0);
}

void occupprof::profscroll_Change() {
  model::ProjectModel& m = shell::Model();
  listOffset_ = profscroll_->value();
  const model::ProfileKindRef p = model::ProfileKind(m, windowKind_);
  for (int i = 1; i <= kUsePickerRows; ++i) {
    const int j = ProfileOfRow(i);
    occ(i)->setText(Latin1(m.BldTypeName[At(j)]));
    ShowValues(Text1(i), Latin1(p.values[At(j)]));
    PaintRow(i, IsMarked(p.marks, j) ? RowColour::Yellow : RowColour::White);
  }
}

void occupprof::occ_Click(int index) {
  model::ProjectModel& m = shell::Model();
  const int j = ProfileOfRow(index);
  const model::ProfileKindRef p = model::ProfileKind(m, windowKind_);
  if (WouldExceedProfileLimit(p.marks, windowKind_, j)) {
    shell::Messages().show(kProfileLimitText, kSelectProfileTitle, model::MsgIcon::Exclamation);
    return;
  }
  selRow_ = index;
  PaintRow(index, RowColour::Yellow);
  m.ZoneEdit.PickerProfileNo = static_cast<int16_t>(j);
  noPick_ = 0;
  p.marks[At(j)] = ProfileMark(j);
}

void occupprof::Text1_MouseDown(int index) { editRow_ = index; }

void occupprof::WarnOnce(int row) {
  const int j = ProfileOfRow(row);
  if (IsYellow(Text1(row)) && warned_[At(j)] == 0) model::WarnSharedProfile(shell::Messages());
  warned_[At(j)] = 1;
}

void occupprof::CarryToModel(int row) {
  model::ProfileKind(shell::Model(), windowKind_).values[At(ProfileOfRow(row))] = Bytes(Text1(row));
}

void occupprof::Text1_Click(int index) {
  WarnOnce(index);
  CarryToModel(index);
}

char occupprof::Text1_KeyPress(int index, char key) {
  WarnOnce(index);
  edited_[At(ProfileOfRow(index))] = 1;
  if (AcceptedValueKey(key)) return key;
  model::RefuseNotNumeric(shell::Messages());
  return 0;
}

void occupprof::Text1_Change(int index) { CarryToModel(index); }

void occupprof::copy_Click() {
  if (editRow_ != 0) clip_.Copy(Text1(editRow_));
}

void occupprof::cut_Click() {
  if (editRow_ == 0) return;
  clip_.Cut(Text1(editRow_));
  CarryToModel(editRow_);
}

void occupprof::paste_Click() {
  if (editRow_ == 0) return;
  clip_.Paste(Text1(editRow_));
  CarryToModel(editRow_);
}

void occupprof::Undo_Click() {
  if (selRow_ != 0) {
    ShowValues(Text1(selRow_),
               Latin1(shell::Model().ZoneEdit.ProfUndoCopy[At(ProfileOfRow(selRow_))]));
    PaintRow(selRow_, RowColour::Plain);
  }
  noPick_ = 1;
}

bool occupprof::CheckProfiles() {
  const model::ProfileKindRef p = model::ProfileKind(shell::Model(), windowKind_);
  for (int j = 1; j <= kUseProfiles; ++j) {
    const int row = j - listOffset_;
    const bool shownYellow = row >= 1 && row <= kUsePickerRows && IsYellow(Text1(row));
    if (!shownYellow && p.marks[At(j)].empty()) continue;
    const std::string text = shownYellow ? Bytes(Text1(row)) : p.values[At(j)];
    if (ValidProfileText(text, ProfileRule::UseProfile)) continue;
    shell::Messages().beep();
    shell::Messages().show(kInvalidProfile, "Error...", model::MsgIcon::None);
    return false;
  }
  return true;
}

void occupprof::okey_Click() {
  model::ProjectModel& m = shell::Model();
  shell::MessageBoxes& boxes = shell::Messages();
  const int kind = windowKind_;
  const model::ProfileKindRef p = model::ProfileKind(m, kind);
  if (!CheckProfiles()) return;

  // The profiles this OK leaves marked: those marked already and those of highlighted rows.
  const auto markedAfter = [&] {
    int n = MarkedProfileCount(p.marks, kind);
    for (int i = 1; i <= kUsePickerRows; ++i) {
      if (IsYellow(Text1(i)) && p.marks[At(ProfileOfRow(i))].empty()) ++n;
    }
    return n;
  };
  std::vector<int> savedRows;
  for (int i = 1; i <= kUsePickerRows; ++i) {
    const int j = ProfileOfRow(i);
    if (edited_[At(j)] != 1 || IsYellow(Text1(i))) continue;
    SetTextColour(Text1(i), kRedText);
    const shell::MsgAnswer answer = boxes.ask(kNotSelected, kSelectProfileTitle,
                                              model::MsgIcon::Exclamation,
                                              shell::MsgButtons::YesNo);
    if (answer == shell::MsgAnswer::Yes && p.marks[At(j)].empty() &&
        markedAfter() >= kProfilesPerKind) {
      // Saving it would give the kind a 21st profile: the OK is refused, the row stays as
      // it was, and the next OK asks again.
      SetTextColour(Text1(i), kBlackText);
      boxes.show(kProfileLimitText, kSelectProfileTitle, model::MsgIcon::Exclamation);
      return;
    }
    if (answer == shell::MsgAnswer::Yes) {
      SetTextColour(Text1(i), kBlackText);
      PaintRow(i, RowColour::Yellow);
      m.ZoneEdit.PickerProfileNo = static_cast<int16_t>(j);
      savedRows.push_back(i);
      continue;
    }
    SetTextColour(Text1(i), kWhiteText);
    edited_[At(j)] = 0;
  }
  // A profile saved by that answer is checked like the others before it is stored.
  for (int i : savedRows) {
    if (ValidProfileText(Bytes(Text1(i)), ProfileRule::UseProfile)) continue;
    boxes.beep();
    boxes.show(kInvalidProfile, "Error...", model::MsgIcon::None);
    return;
  }
  // Only new marks are refused: a project that holds more already can still be stored.
  if (markedAfter() > std::max(kProfilesPerKind, MarkedProfileCount(p.marks, kind))) {
    boxes.show(kProfileLimitText, kSelectProfileTitle, model::MsgIcon::Exclamation);
    return;
  }
  edited_.fill(0);
  for (int i = 1; i <= kUsePickerRows; ++i) {
    if (!IsYellow(Text1(i))) continue;
    const int j = ProfileOfRow(i);
    p.marks[At(j)] = ProfileMark(j);
    p.values[At(j)] = Bytes(Text1(i));
  }
  m.ProfKindEdited[At(kind)] = 1;
  for (int i = 1; i <= kUsePickerRows; ++i) {
    Text1(i)->clear();
    PaintRow(i, RowColour::Plain);
  }
  const int16_t noPick = noPick_;
  UnloadOccupProf();
  if (zoneform* zone = ZoneFormWindow(); zone != nullptr) {
    zone->RefreshZoneForm(UseProfileField(kind), noPick);
  }
}

int occupprof::RowOf(QObject* watched) const {
  for (int i = 1; i <= kUsePickerRows; ++i) {
    if (text1_[At(i)] == watched) return i;
  }
  return 0;
}

bool occupprof::eventFilter(QObject* watched, QEvent* event) {
  const int row = RowOf(watched);
  if (row == 0) return QWidget::eventFilter(watched, event);
  const ValueBoxHandlers handlers{[this, row](char key) { return Text1_KeyPress(row, key); },
                                  [this, row] { Text1_MouseDown(row); },
                                  [this, row] { Text1_Click(row); }};
  if (FilterValueBoxEvent(Text1(row), event, handlers)) return true;
  return QWidget::eventFilter(watched, event);
}

bool occupprof::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && ReturnsFromOwnWindow(this)) Form_Activate();
  return QWidget::event(event);
}

void occupprof::closeEvent(QCloseEvent* event) {
  // Closed from the window manager: nothing is stored.
  event->accept();
  if (!closing_ && Loaded() == this) {
    Loaded() = nullptr;
    deleteLater();
  }
}

void OpenOccupProf() {
  const model::ProjectModel& m = shell::Model();
  const int kind = m.ZoneEdit.ProfPickerKind;
  if (kind < 1 || kind > 4) return;
  UnloadOccupProf();
  FollowWindowFocus();
  auto* window = new occupprof;
  Loaded() = window;
  window->setWindowTitle(FromLocal(std::string(UseProfileTitle(kind)) + " -- " + m.ProjectFile));
  window->Form_Activate();
  shell::ShowModeless(window);
}

occupprof* OccupProfWindow() { return Loaded().data(); }

void UnloadOccupProf() {
  occupprof* window = Loaded().data();
  if (window == nullptr) return;
  Loaded() = nullptr;
  window->closing_ = true;
  window->close();
  window->deleteLater();
}

}  // namespace kalvano::zones
