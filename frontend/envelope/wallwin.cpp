#include "frontend/envelope/wallwin.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/zones/zoneform.h"

namespace kalvano::envelope {

namespace {

using shell::MsgAnswer;
using shell::MsgButtons;
using shell::MsgIcon;

QPointer<wallwin>& Loaded() {
  static QPointer<wallwin> window;
  return window;
}

constexpr std::array<const char*, 7> kNames{"id", "Des", "UF", "Absp", "lag", "decr", "cost"};
const char* kYellow = "background-color: rgb(255,255,0);";
const char* kRedText = "color: rgb(255,0,0);";

}  // namespace

wallwin::wallwin(int kind, QWidget* parent) : QWidget(parent, Qt::Window), kind_(kind) {
  setObjectName("wallwin");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(shell::FromLocal((kind_ == 1 ? "WALL PROPERTIES -- " : "WINDOW PROPERTIES -- ") +
                                  shell::Model().ProjectFile));
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  QMenu* ed = bar->addMenu("Edit");
  ed->setObjectName("ed");
  for (int i = 1; i <= 2; ++i) {
    QAction* a = ed->addAction(i == 1 ? "Copy" : "Paste");
    a->setObjectName(QString("edit(%1)").arg(i));
    a->setShortcut(QKeySequence(i == 1 ? Qt::CTRL | Qt::Key_C : Qt::CTRL | Qt::Key_V));
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, [this, i] { edit_Click(i); });
  }
  QMenu* hlp = bar->addMenu("Help");
  hlp->setObjectName("hlp");
  QAction* help = hlp->addAction("Tutorial");
  help->setObjectName("help");
  connect(help, &QAction::triggered, this, &wallwin::help_Click);

  const std::array<const char*, 7> headings{
      "ID #", "Description", "U-Factor", kind_ == 1 ? "Solar Abs." : "SHGC",
      kind_ == 1 ? "Time Lag" : "Emissivity", kind_ == 1 ? "Decr. Fac." : "DL Trans", "Installed Cost"};
  auto* grid = new QGridLayout;
  for (int c = 0; c < 7; ++c) {
    auto* label = new QLabel(headings[static_cast<std::size_t>(c)], this);
    label->setObjectName(QString("Label1(%1)").arg(c));
    grid->addWidget(label, 0, c);
  }
  for (int r = 0; r < kWallwinRows; ++r) {
    auto* idLabel = new QLabel(this);
    idLabel->setObjectName(QString("id(%1)").arg(r));
    idLabel->setAutoFillBackground(true);
    idLabel->setMinimumWidth(36);
    idLabel->installEventFilter(this);
    ids_[static_cast<std::size_t>(r)] = idLabel;
    grid->addWidget(idLabel, r + 1, 0);
    for (int c = 1; c < 7; ++c) {
      auto* box = new QLineEdit(this);
      box->setObjectName(QString("%1(%2)").arg(kNames[static_cast<std::size_t>(c)]).arg(r));
      shell::InstallKeyFilter(box, this);
      if (c >= 2) box->setMaximumWidth(80);
      connect(box, &QLineEdit::textChanged, this, [this, c, r](const QString& text) {
        if (filling_) return;
        table_.Cell(c, TopOffset() + r + 1) = text.toLatin1().toStdString();
      });
      cells_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] = box;
      grid->addWidget(box, r + 1, c);
    }
  }
  grid->setColumnStretch(1, 1);
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("envscroll");
  scroll_->setRange(1, 12);
  scroll_->setPageStep(1);
  connect(scroll_, &QScrollBar::valueChanged, this, &wallwin::envscroll_Change);
  auto* body = new QHBoxLayout;
  body->addLayout(grid, 1);
  body->addWidget(scroll_);
  layout->addLayout(body);
  auto* buttons = new QHBoxLayout;
  auto* undo = new QPushButton("Undo Select", this);
  undo->setObjectName("Undo");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OK");
  buttons->addWidget(undo);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(undo, &QPushButton::clicked, this, &wallwin::Undo_Click);
  connect(ok, &QPushButton::clicked, this, &wallwin::OK_Click);
  resize(860, 560);
}

QLineEdit* wallwin::Cell(int column, int row) const {
  return cells_.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
}

int wallwin::TopOffset() const { return scroll_->value() - 1; }

bool wallwin::LoadPropertyTable() {
  model::ProjectModel& m = shell::Model();
  try {
    const std::string file = model::AppPath(m, kind_ == 1 ? "profiles/bprof6.dat" : "profiles/bprof7.dat");
    table_ = envelope::ReadPropertyTable(m, kind_, file);
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return false;
  }
  scroll_->setValue(1);
  ShowRows();
  return true;
}

void wallwin::PaintRow(int tableRow, const char* style) {
  const int k = tableRow - TopOffset() - 1;
  if (k < 0 || k >= kWallwinRows) return;  // not on screen
  ids_[static_cast<std::size_t>(k)]->setStyleSheet(style);
  for (int c = 1; c < 7; ++c) Cell(c, k)->setStyleSheet(style);
}

bool wallwin::Yellow(int row) const { return ids_.at(static_cast<std::size_t>(row))->styleSheet() == kYellow; }

void wallwin::ShowRows() {
  filling_ = true;
  model::ProjectModel& m = shell::Model();
  for (int k = 0; k < kWallwinRows; ++k) {
    const int r = TopOffset() + k + 1;
    ids_[static_cast<std::size_t>(k)]->setText(shell::Latin1(table_.Cell(0, r)));
    const bool yellow = IsProjectRow(m, table_, r);
    ids_[static_cast<std::size_t>(k)]->setStyleSheet(yellow ? kYellow : "");
    for (int c = 1; c < 7; ++c) {
      Cell(c, k)->setText(shell::Latin1(table_.Cell(c, r)));
      Cell(c, k)->setStyleSheet(yellow ? kYellow : "");
    }
  }
  filling_ = false;
}

void wallwin::envscroll_Change(int) { ShowRows(); }

void wallwin::id_Click(int row) {
  const int r = TopOffset() + row + 1;
  if (ChooseRow(shell::Model(), table_, r, shell::Messages()) == Choice::kChosen) {
    Cell(1, row)->setFocus();
    ShowRows();
  }
}

void wallwin::Undo_Click() {
  UndoSelect(shell::Model(), table_);
  ShowRows();
}

void wallwin::OK_Click() {
  model::ProjectModel& m = shell::Model();
  shell::MessageBoxes& boxes = shell::Messages();
  const auto columns = KindColumns(m, kind_);
  for (int r = 1; r <= kShownRows; ++r) {
    if (table_.edited[static_cast<std::size_t>(r)] != 1) continue;
    if ((*columns[0])[static_cast<std::size_t>(r)].empty()) {
      // The row in question shows its text in red while it is asked about.
      PaintRow(r, kRedText);
      if (boxes.ask("The " + KindWord(kind_) + " data you have just editted are not selected.  Save the new data before leaving?",
                    "Select " + KindWord(kind_) + " ID", MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes) {
        table_.edited[static_cast<std::size_t>(r)] = 0;
        continue;
      }
      PaintRow(r, kYellow);
    }
    // A refused row keeps its mark: the table stays open with what was typed.
    if (StoreRow(m, table_, r, boxes)) table_.edited[static_cast<std::size_t>(r)] = 0;
  }
  for (int r = 1; r <= kShownRows; ++r) {
    if (table_.edited[static_cast<std::size_t>(r)] == 1) return;
  }
  table_.edited.fill(0);
  table_.choiceMade = 0;
  close();
  // The zone window shows its surface rows again, where it is scrolled to now.
  if (zones::zoneform* zone = zones::ZoneFormWindow()) zone->ShowWindowAreas();
}

void wallwin::edit_Click(int index) {
  if (focusColumn_ < 1 || focusRow_ < 0) return;
  QLineEdit* box = Cell(focusColumn_, focusRow_);
  if (index == 1) {
    buffer_ = box->text().toLatin1().toStdString();
  } else {
    // The buffer's text replaces the cell's as if typed over it, through the column's filter.
    box->selectAll();
    shell::TypeIn(box, shell::Latin1(buffer_));
    table_.edited[static_cast<std::size_t>(TopOffset() + focusRow_ + 1)] = 1;
  }
}

void wallwin::help_Click() {
  const std::string& project = shell::Model().ProjectFile;
  shell::ShowHelpFile(kind_ == 1 ? "help7.txt" : "help8.txt",
                      (kind_ == 1 ? "WALL AND ROOF PROPERTIES -- " : "WINDOW AND SKYLIGHT PROPERTIES -- ") + project);
}

bool wallwin::eventFilter(QObject* watched, QEvent* event) {
  for (int k = 0; k < kWallwinRows; ++k) {
    if (watched == ids_[static_cast<std::size_t>(k)] && event->type() == QEvent::MouseButtonPress) {
      id_Click(k);
      return true;
    }
  }
  int column = 0, row = -1;
  for (int c = 1; c < 7 && row < 0; ++c)
    for (int k = 0; k < kWallwinRows; ++k)
      if (Cell(c, k) == watched) {
        column = c;
        row = k;
        break;
      }
  if (row < 0) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn) {
    focusColumn_ = column;
    focusRow_ = row;
    return false;
  }
  // Copy and Paste of the Edit menu act on the window's buffer, also in a cell.
  if (const int edit = shell::CellClipboardKey(event); edit != 0) {
    if (edit > 0) {
      focusColumn_ = column;
      focusRow_ = row;
      edit_Click(edit);
    }
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QString t = key->text();
  if (t.isEmpty()) return false;
  char c = t.front().toLatin1();
  if (key->key() == Qt::Key_Backspace) c = '\b';
  if (key->key() == Qt::Key_Tab) c = '\t';
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) c = '\r';
  switch (FilterKey(table_, column, TopOffset() + row + 1, c)) {
    case KeyVerdict::kTake:
      return false;
    case KeyVerdict::kDrop:
      return true;
    case KeyVerdict::kWarn:
      break;
  }
  model::RefuseNotNumeric(shell::Messages());
  return true;
}

bool OpenTypeTable(int kind) {
  if (wallwin* open = Loaded().data()) {
    open->close();
    Loaded() = nullptr;
  }
  auto* window = new wallwin(kind);
  if (!window->LoadPropertyTable()) {
    delete window;
    return false;
  }
  Loaded() = window;
  shell::CentreOnScreen(window);
  shell::ShowModeless(window);
  return true;
}

wallwin* TypeTableWindow() { return Loaded().data(); }

}  // namespace kalvano::envelope
