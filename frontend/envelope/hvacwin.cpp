#include "frontend/envelope/hvacwin.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::envelope {

namespace {

using shell::FromLocal;
using shell::Latin1;
using shell::MsgIcon;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

constexpr std::array<const char*, 6> kValueNames{"", "stpres", "seer", "temp", "fcost", "mcost"};
constexpr std::array<std::size_t, 6> kValueWidths{0, zones::kStaticPressureWidth,
                                                  zones::kEfficiencyWidth, zones::kSupplyTempWidth,
                                                  zones::kFirstCostWidth, zones::kMaintCostWidth};

QPointer<hvac>& Loaded() {
  static QPointer<hvac> window;
  return window;
}

std::string Text(const QLabel* label) { return label->text().toLatin1().toStdString(); }
std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string HvacValueRefused(std::string_view id, std::string_view name, const zones::HvacFault& fault,
                             std::string_view caption, std::string_view value, bool si) {
  std::string text = "System" + std::string(id) + " (" + zones::TrimBlanks(name) + "): ";
  using Kind = zones::HvacFault::Kind;
  if (fault.kind == Kind::kNameReadAsNumber) {
    text += "the name must not contain digits, signs or quotes (').";
  } else {
    text += "the " + std::string(caption) + " \"" + std::string(value) + "\" ";
    switch (fault.kind) {
      case Kind::kNotANumber: text += "is not a number."; break;
      case Kind::kTooWide: text += "is too large for its column of the data base."; break;
      default:
        text += fault.field == 2
                    ? std::string("gives no cooling SEER above 0, which the simulation needs.")
                    : std::string("is too warm: the simulation needs a cooling supply below 75 F") +
                          (si ? " (23.6 C)." : ".");
        break;
    }
  }
  return text + "  The HVAC system database is not updated.";
}

hvac::hvac(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("hvac");
  setAttribute(Qt::WA_DeleteOnClose);

  auto* bar = new QMenuBar(this);
  QMenu* ed = bar->addMenu(Latin1("Edit"));
  ed->setObjectName("ed");
  edit_[1] = ed->addAction(Latin1("Copy"));
  edit_[1]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  edit_[2] = ed->addAction(Latin1("Paste"));
  edit_[2]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  for (int i : {1, 2}) {
    edit_[At(i)]->setObjectName(QString("edit(%1)").arg(i));
    edit_[At(i)]->setShortcutContext(Qt::WindowShortcut);
    connect(edit_[At(i)], &QAction::triggered, this, [this, i] { edit_Click(i); });
  }
  QAction* blank = bar->addAction(QString());
  blank->setObjectName("blank");
  blank->setEnabled(false);
  QMenu* hlp = bar->addMenu(Latin1("Help"));
  hlp->setObjectName("hlp");
  QAction* help = hlp->addAction(Latin1("Tutorial"));
  help->setObjectName("help");
  connect(help, &QAction::triggered, this, &hvac::help_Click);

  auto* outer = new QVBoxLayout(this);
  outer->setMenuBar(bar);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  const std::array<const char*, 7> captions{"ID No.", "Description", "St. Press. (in. w.g.)",
                                            "Cooling SEER", "Supply Temp (F)",
                                            "First Cost ($/ton)", "Maint. Cost ($/ton)"};
  for (int c = 0; c < 7; ++c) {
    auto* label = new QLabel(Latin1(captions[At(c)]), this);
    label->setObjectName(QString("Label1(%1)").arg(c));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 2 + 4);
    label1_[At(c)] = label;
    grid->addWidget(label, 0, c);
  }
  for (int r = 0; r < zones::kHvacSystems; ++r) {
    auto* idLabel = new QLabel(this);
    idLabel->setObjectName(QString("id(%1)").arg(r));
    idLabel->setFixedWidth(40);
    id_[At(r)] = idLabel;
    auto* des = new QLabel(this);
    des->setObjectName(QString("Des(%1)").arg(r));
    des->setTextFormat(Qt::PlainText);
    des->setFrameShape(QFrame::Panel);
    des->setFrameShadow(QFrame::Sunken);
    des->setMinimumWidth(260);
    des->installEventFilter(this);
    des_[At(r)] = des;
    grid->addWidget(idLabel, r + 1, 0);
    grid->addWidget(des, r + 1, 1);
    for (int c = 1; c <= 5; ++c) {
      auto* box = new QLineEdit(this);
      box->setObjectName(QString("%1(%2)").arg(kValueNames[At(c)]).arg(r));
      box->setMaxLength(static_cast<int>(kValueWidths[At(c)]));
      box->setFixedWidth(80);
      box->setValidator(new shell::Latin1Validator(box));
      box->setContextMenuPolicy(Qt::NoContextMenu);
      shell::InstallKeyFilter(box, this);
      connect(box, &QLineEdit::textEdited, this, [this] { edited_ = true; });
      values_[At(c)][At(r)] = box;
      grid->addWidget(box, r + 1, c + 1);
    }
  }
  outer->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  command1_ = new QPushButton(Latin1("Update Database"), this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton(Latin1("Cancel"), this);
  command2_->setObjectName("Command2");
  ok_ = new QPushButton(Latin1("OK"), this);
  ok_->setObjectName("OK");
  buttons->addStretch(1);
  for (QPushButton* b : {command1_, command2_, ok_}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  connect(command1_, &QPushButton::clicked, this, &hvac::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &hvac::Command2_Click);
  connect(ok_, &QPushButton::clicked, this, &hvac::OK_Click);

  if (shell::Model().UnitSystem == model::kSI) {
    label1_[2]->setText(Latin1("St. Press. (Pa)"));
    label1_[3]->setText(Latin1("Cooling COP"));
    label1_[4]->setText(Latin1("Supply Temp (C)"));
  }
  adjustSize();
}

QLineEdit* hvac::value(int column, int row) const { return values_.at(At(column)).at(At(row)); }

bool hvac::LoadHvacDatabase() {
  const model::ProjectModel& m = shell::Model();
  std::vector<zones::HvacSystem> systems;
  try {
    systems = zones::ReadHvacDatabase(zones::HvacDatabasePath(m), m.UnitSystem);
  } catch (const model::FileError& e) {
    shell::ReportFileFault(e);
    return false;
  }
  for (int r = 0; r < zones::kHvacSystems; ++r) {
    const bool present = r < static_cast<int>(systems.size());
    const zones::HvacSystem s = present ? systems[At(r)] : zones::HvacSystem{};
    id_[At(r)]->setText(present ? Latin1(model::NumberText(static_cast<float>(r + 1))) : QString());
    des_[At(r)]->setText(Latin1(s.name));
    const std::array<const std::string*, 6> texts{nullptr, &s.stpres, &s.seer, &s.temp, &s.fcost,
                                                  &s.mcost};
    for (int c = 1; c <= 5; ++c) value(c, r)->setText(Latin1(*texts[At(c)]));
  }
  setWindowTitle(FromLocal("HVAC SYSTEM SELECTIONS -- " + m.ProjectFile));
  edited_ = false;
  return true;
}

void hvac::Form_Activate() { shell::CentreOnScreen(this); }

bool hvac::SaveHvacDatabase() {
  std::vector<zones::HvacSystem> systems;
  std::vector<std::string> ids;
  for (int r = 0; r < zones::kHvacSystems; ++r) {
    if (id_[At(r)]->text().isEmpty()) continue;
    zones::HvacSystem s;
    s.name = Text(des_[At(r)]);
    s.stpres = Text(value(1, r));
    s.seer = Text(value(2, r));
    s.temp = Text(value(3, r));
    s.fcost = Text(value(4, r));
    s.mcost = Text(value(5, r));
    systems.push_back(s);
    ids.push_back(Text(id_[At(r)]));
  }
  const model::ProjectModel& m = shell::Model();
  if (const auto fault = zones::FindHvacFault(systems, m.UnitSystem)) {
    const zones::HvacSystem& s = systems[At(fault->system)];
    const std::array<const std::string*, 6> texts{&s.name, &s.stpres, &s.seer, &s.temp, &s.fcost, &s.mcost};
    shell::Messages().show(
        HvacValueRefused(ids[At(fault->system)], s.name, *fault, Text(label1_[At(fault->field + 1)]),
                         zones::TrimBlanks(*texts[At(fault->field)]), m.UnitSystem == model::kSI),
        kHvacUpdatedTitle, MsgIcon::Exclamation);
    return false;
  }
  try {
    zones::WriteHvacDatabase(zones::HvacDatabasePath(m), systems, m.UnitSystem);
  } catch (const model::FileError& e) {
    shell::ReportFileFault(e);
    return false;
  }
  return true;
}

void hvac::Save() {
  if (!SaveHvacDatabase()) return;
  shell::Messages().show(kHvacUpdated, kHvacUpdatedTitle, MsgIcon::None);
  edited_ = false;
}

char hvac::ValueKeyPress(int column, int row, char key) {
  selColumn_ = column;
  selRow_ = row;
  if (key == 8 || key == 9 || key == 13 || key == ' ' || key == '.' || IsDigit(key)) {
    edited_ = true;
    return key;
  }
  model::RefuseNotNumeric(shell::Messages());
  return 0;
}

void hvac::Des_MouseDown(int row) {
  selColumn_ = 0;
  selRow_ = row;
}

void hvac::edit_Click(int index) {
  if (selRow_ < 0 || selRow_ >= zones::kHvacSystems || selColumn_ < 0) return;
  if (index == 1) {
    buffer_ = selColumn_ == 0 ? Text(des_[At(selRow_)]) : Text(value(selColumn_, selRow_));
    return;
  }
  if (index != 2) return;
  if (selColumn_ == 0) {
    // The engine counts the numbers of a line from its start: a name holds no digit.
    if (zones::HasDigit(buffer_)) {
      shell::Messages().show(kHvacNameDigit, kHvacNameDigitTitle, MsgIcon::Exclamation);
      return;
    }
    des_[At(selRow_)]->setText(Latin1(buffer_.substr(0, zones::kHvacNameWidth)));
  } else {
    // The buffer's text replaces the box's as if typed over it, through the column's filter
    // and cut to the box's length.
    value(selColumn_, selRow_)->selectAll();
    shell::TypeIn(value(selColumn_, selRow_), Latin1(buffer_));
  }
  edited_ = true;
}

void hvac::Command1_Click() {
  if (edited_) {
    Save();
  } else {
    shell::Messages().show(kHvacNotUpdated, kHvacNotUpdatedTitle, MsgIcon::Exclamation);
  }
}

void hvac::Command2_Click() { close(); }

void hvac::OK_Click() {
  if (!edited_) {
    close();
    return;
  }
  if (shell::Messages().ask(kHvacSaveQuestion, kHvacSaveQuestionTitle, MsgIcon::Exclamation,
                            shell::MsgButtons::YesNo) == shell::MsgAnswer::Yes) {
    Save();
    return;
  }
  close();
}

void hvac::help_Click() {
  shell::ShowHelpFile("help9.txt", "HVAC SYSTEM SELECTIONS -- " + shell::Model().ProjectFile);
}

bool hvac::FindValue(QObject* watched, int& column, int& row) const {
  for (int c = 1; c <= 5; ++c) {
    for (int r = 0; r < zones::kHvacSystems; ++r) {
      if (values_[At(c)][At(r)] == watched) {
        column = c;
        row = r;
        return true;
      }
    }
  }
  return false;
}

bool hvac::eventFilter(QObject* watched, QEvent* event) {
  for (int r = 0; r < zones::kHvacSystems; ++r) {
    if (watched == des_[At(r)] && event->type() == QEvent::MouseButtonPress) Des_MouseDown(r);
  }
  int column = 0;
  int row = 0;
  if (!FindValue(watched, column, row)) return QWidget::eventFilter(watched, event);
  // Copy and Paste of the Edit menu act on the window's buffer, also in a cell.
  if (const int edit = shell::CellClipboardKey(event); edit != 0) {
    if (edit > 0) {
      selColumn_ = column;
      selRow_ = row;
      edit_Click(edit);
    }
    return true;
  }
  switch (event->type()) {
    case QEvent::FocusIn:
      selColumn_ = column;
      selRow_ = row;
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const char32_t typed = shell::KeyCharacter(key);
      if (typed == 0) break;
      const char code = typed > 0xFF ? char{127} : static_cast<char>(typed);
      if (ValueKeyPress(column, row, code) == 0) return true;
      break;
    }
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool hvac::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

hvac* HvacWindow() { return Loaded().data(); }

bool OpenHvacWindow() {
  if (hvac* open = Loaded().data()) {
    shell::ShowModeless(open);
    return true;
  }
  auto* window = new hvac;
  if (!window->LoadHvacDatabase()) {
    delete window;
    return false;
  }
  Loaded() = window;
  shell::CentreOnScreen(window);
  shell::ShowModeless(window);
  return true;
}

}  // namespace kalvano::envelope
