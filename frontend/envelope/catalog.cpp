#include "frontend/envelope/catalog.h"

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
#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::envelope {

namespace {

using shell::MsgAnswer;
using shell::MsgButtons;
using shell::MsgIcon;

QPointer<catalog>& Loaded() {
  static QPointer<catalog> window;
  return window;
}

constexpr std::array<const char*, kCatalogColumns> kNames{"id", "Des", "UF", "Absp", "lag", "decr", "cost"};

}  // namespace

catalog::catalog(int item, QWidget* parent) : QWidget(parent, Qt::Window), item_(item) {
  setObjectName("catalog");
  setAttribute(Qt::WA_DeleteOnClose);
  const model::ProjectModel& m = shell::Model();
  const bool si = m.UnitSystem == model::kSI;
  setWindowTitle(shell::FromLocal((item_ == 1 ? "WALL AND ROOF CATALOG -- " : "WINDOW AND SKYLIGHT CATALOG -- ") +
                                  m.ProjectFile));
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
  bar->addMenu("")->setObjectName("blank");
  QMenu* hlp = bar->addMenu("Help");
  hlp->setObjectName("hlp");
  QAction* help = hlp->addAction("Tutorial");
  help->setObjectName("help");
  connect(help, &QAction::triggered, this, &catalog::help_Click);

  std::array<std::string, kCatalogColumns> captions{
      "ID #", "Description", si ? "U-Factor (Watt/sq.m.C)" : "U-Factor (Btu/sq.ft.F)",
      "Solar Absorption Coeff.", "Time Lag (Hours)", "Decrement Factor",
      si ? "Installed Cost ($/sq.m.)" : "Installed Cost ($/sq.ft.)"};
  if (item_ != 1) {
    captions[3] = "SHGC";
    captions[4] = "Emissivity";
    captions[5] = "DL Trans.";
  }
  auto* grid = new QGridLayout;
  for (int c = 0; c < kCatalogColumns; ++c) {
    auto* label = new QLabel(shell::Latin1(captions[static_cast<std::size_t>(c)]), this);
    label->setObjectName(QString("Label1(%1)").arg(c));
    label->setWordWrap(true);
    label1_[static_cast<std::size_t>(c)] = label;
    grid->addWidget(label, 0, c);
    for (int r = 0; r < kCatalogRows; ++r) {
      auto* box = new QLineEdit(this);
      box->setObjectName(QString("%1(%2)").arg(kNames[static_cast<std::size_t>(c)]).arg(r));
      shell::InstallKeyFilter(box, this);
      if (c == 0) box->setMaximumWidth(44);
      if (c >= 2) box->setMaximumWidth(90);
      connect(box, &QLineEdit::textChanged, this, [this, c, r](const QString& text) {
        if (filling_) return;
        table_[static_cast<std::size_t>(c)][static_cast<std::size_t>(scroll_->value() - 1 + r)] =
            text.toLatin1().toStdString();
      });
      cells_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] = box;
      grid->addWidget(box, r + 1, c);
    }
  }
  grid->setColumnStretch(1, 1);
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("envscroll");
  scroll_->setRange(1, 12);
  connect(scroll_, &QScrollBar::valueChanged, this, &catalog::envscroll_Change);
  auto* body = new QHBoxLayout;
  body->addLayout(grid, 1);
  body->addWidget(scroll_);
  layout->addLayout(body);
  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](const char* name, const char* caption, void (catalog::*slot)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
  };
  button("Command1", "Update Database", &catalog::Command1_Click);
  buttons->addStretch(1);
  button("OK", "OK", &catalog::OK_Click);
  button("Command2", "Cancel", &catalog::Command2_Click);
  layout->addLayout(buttons);
  resize(900, 560);
}

std::string catalog::FilePath() const {
  return model::AppPath(shell::Model(), item_ == 1 ? "profiles/bprof6.dat" : "profiles/bprof7.dat");
}

QLineEdit* catalog::Cell(int column, int row) const {
  return cells_.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
}

bool catalog::LoadCatalog() {
  try {
    table_ = ReadCatalogFile(FilePath(), shell::Model().UnitSystem);
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return false;
  }
  scroll_->setValue(1);
  ShowRows();
  return true;
}

void catalog::ShowRows() {
  filling_ = true;
  const int offset = scroll_->value() - 1;
  for (int c = 0; c < kCatalogColumns; ++c)
    for (int r = 0; r < kCatalogRows; ++r)
      Cell(c, r)->setText(shell::Latin1(table_[static_cast<std::size_t>(c)][static_cast<std::size_t>(offset + r)]));
  filling_ = false;
}

void catalog::envscroll_Change(int) { ShowRows(); }

void catalog::edit_Click(int index) {
  if (selColumn_ < 1 || selRow_ < 0) return;  // the ID is neither copied nor pasted
  QLineEdit* box = Cell(selColumn_, selRow_);
  if (index == 1) {
    buffer_ = box->text().toLatin1().toStdString();
  } else {
    // The buffer's text replaces the cell's as if typed over it, through the column's filter.
    box->selectAll();
    shell::TypeIn(box, shell::Latin1(buffer_));
    edited_ = true;
  }
}

bool catalog::SaveCatalog() {
  const std::string refusal = CatalogRefusal(table_);
  if (!refusal.empty()) {
    shell::Messages().show(refusal, "Update Catalog", MsgIcon::Exclamation);
    return false;
  }
  try {
    model::AtomicFile file(FilePath());
    file.text(CatalogText(table_, shell::Model().UnitSystem));
    file.commit();
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return false;
  }
  shell::Messages().show("The " + Kind() + " catalog has been updated.", "Update Catalog", MsgIcon::None);
  edited_ = false;
  return true;
}

void catalog::Command1_Click() {
  if (edited_) SaveCatalog();
}

void catalog::OK_Click() {
  if (edited_) {
    if (shell::Messages().ask("The " + Kind() + " data you have just editted have not been saved.  Update the database now?",
                              "Update Database", MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes) {
      SaveCatalog();
      return;
    }
  }
  close();
}

void catalog::Command2_Click() { close(); }

void catalog::help_Click() {
  const std::string& project = shell::Model().ProjectFile;
  if (item_ == 1) {
    shell::ShowHelpFile("help7.txt", "WALL AND ROOF PROPERTIES -- " + project);
  } else {
    shell::ShowHelpFile("help8.txt", "WINDOW AND SKYLIGHT PROPERTIES -- " + project);
  }
}

bool catalog::FindCell(QObject* watched, int& column, int& row) const {
  for (int c = 0; c < kCatalogColumns; ++c)
    for (int r = 0; r < kCatalogRows; ++r)
      if (Cell(c, r) == watched) {
        column = c;
        row = r;
        return true;
      }
  return false;
}

bool catalog::eventFilter(QObject* watched, QEvent* event) {
  int column = 0, row = 0;
  if (!FindCell(watched, column, row)) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn) {
    selColumn_ = column;
    selRow_ = row;
    return false;
  }
  // Copy and Paste of the Edit menu act on the window's buffer, also in a cell.
  if (const int edit = shell::CellClipboardKey(event); edit != 0) {
    if (edit > 0) {
      selColumn_ = column;
      selRow_ = row;
      edit_Click(edit);
    }
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QString t = key->text();
  if (t.isEmpty()) return false;
  const QChar c = t.front();
  const bool control = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab ||
                       key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (column == 0) {
    // IDs are entry numbers: digits only.
    if (control || (c >= '0' && c <= '9')) return false;
    shell::Messages().beep();
    return true;
  }
  if (column == 1) {
    edited_ = true;
    return false;
  }
  if (control || c == ' ' || c == '.' || (c >= '0' && c <= '9')) {
    edited_ = true;
    return false;
  }
  model::RefuseNotNumeric(shell::Messages());
  return true;
}

bool OpenCatalog(int item) {
  if (catalog* open = Loaded().data()) {
    open->close();
    Loaded() = nullptr;
  }
  auto* window = new catalog(item);
  if (!window->LoadCatalog()) {
    delete window;
    return false;
  }
  Loaded() = window;
  shell::CentreOnScreen(window);
  shell::ShowModeless(window);
  return true;
}

catalog* CatalogWindow() { return Loaded().data(); }

}  // namespace kalvano::envelope
