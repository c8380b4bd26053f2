#include "frontend/zones/zonename.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/shell/zoneentry.h"
#include "frontend/zones/zonelistcore.h"
#include "frontend/zones/zonecore.h"

namespace kalvano::zones {

namespace {

QPointer<zonename>& TheZoneList() {
  static QPointer<zonename> window;
  return window;
}

}  // namespace

zonename::zonename(QWidget* parent) : QWidget(parent) {
  setObjectName("zonename");
  proname_ = new QLabel(this);
  proname_->setObjectName("proname");
  proloc_ = new QLabel(this);
  proloc_->setObjectName("proloc");
  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label2_ = new QLabel(shell::Latin1(kZoneListNote), this);
  label2_->setObjectName("Label2");
  label2_->setWordWrap(true);

  grid_ = new QTableWidget(this);
  grid_->setObjectName("MSFlexGrid1");
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  // Tab leaves the list for the buttons.
  grid_->setTabKeyNavigation(false);
  grid_->installEventFilter(this);
  grid_->viewport()->installEventFilter(this);
  connect(grid_, &QTableWidget::cellClicked, this, [this] { MSFlexGrid1_Click(); });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { MSFlexGrid1_DblClick(); });

  ok_ = new QPushButton("OK >>", this);
  ok_->setObjectName("OK");
  back_ = new QPushButton("<< Menu", this);
  back_->setObjectName("back");
  connect(ok_, &QPushButton::clicked, this, &zonename::OK_Click);
  connect(back_, &QPushButton::clicked, this, &zonename::back_Click);

  auto* project = new QHBoxLayout;
  project->addWidget(proname_);
  project->addStretch(1);
  project->addWidget(proloc_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(project);
  layout->addWidget(label1_, 0, Qt::AlignHCenter);
  layout->addWidget(grid_, 1);
  layout->addWidget(label2_);
  layout->addLayout(buttons);
  resize(580, 520);
  Form_Load();
}

void zonename::Form_Load() {
  grid_->setColumnCount(3);
  grid_->setRowCount(shell::kZoneGridRows);
}

std::string zonename::Cell(int row, int col) const {
  const QTableWidgetItem* item = grid_->item(row, col);
  return item == nullptr ? std::string() : item->text().toLatin1().toStdString();
}

void zonename::ShowGridRows() {
  const shell::ZoneGrid& rows = shell::ZoneListGrid();
  for (int r = 1; r < shell::kZoneGridRows; ++r) {
    for (int c = 0; c < 3; ++c) {
      grid_->setItem(r, c, new QTableWidgetItem(shell::Latin1(rows.at(r, c))));
    }
  }
}

void zonename::Form_Activate() {
  const model::ProjectModel& m = shell::Model();
  shell::CentreOnScreen(this);
  setWindowTitle(shell::FromLocal(ZoneListCaption(m.ProjectFile)));
  proname_->setText(shell::Latin1(m.ProjectData[1]));
  proloc_->setText(shell::Latin1(m.ProjectData[3]));
  Form_Load();
  const QFontMetrics metrics(grid_->font());
  for (int c = 0; c < 3; ++c) {
    const ZoneGridColumn& column = ZoneGridColumns()[static_cast<std::size_t>(c)];
    auto* heading = new QTableWidgetItem(shell::Latin1(column.heading));
    heading->setBackground(palette().button());
    grid_->setItem(0, c, heading);
    // The sizing text's width, and the cell's own margins.
    grid_->setColumnWidth(c, metrics.horizontalAdvance(shell::Latin1(column.sizingText)) + 8);
  }
  ShowGridRows();
  // Opening a zone needs the zone description window.
  ok_->setEnabled(shell::HasWindowOpener(shell::window::zoneform));
}

bool zonename::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

namespace {

// The keys that move through the list or out of it: they work as in any list.
bool NavigationKey(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool zonename::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == grid_ || watched == grid_->viewport()) &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (NavigationKey(key)) return false;
    // Enter opens the selected zone, as "OK >>" does.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (event->type() == QEvent::KeyPress && ok_->isEnabled()) OK_Click();
      event->accept();
      return true;
    }
    // The list cannot be edited: every other key typed into the grid is discarded.
    event->accept();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void zonename::MSFlexGrid1_Click() {
  grid_->setFocus();
  Form_Load();
}

void zonename::MSFlexGrid1_DblClick() {
  if (ok_->isEnabled()) OK_Click();
}

void zonename::OK_Click() {
  model::ProjectModel& m = shell::Model();
  const int row = grid_->currentRow() < 0 ? 0 : grid_->currentRow();
  // Only rows 1..ZoneCount are zones: a code left above a smaller sketch opens nothing.
  if (!CheckZoneRow(m, row, shell::Messages())) return;
  m.CurrentZone = static_cast<int16_t>(row);
  // The zone description window fills itself from the model's current zone.
  shell::OpenWindow(shell::window::zoneform, row);
  Unload();
}

void zonename::back_Click() {
  model::ProjectModel& m = shell::Model();
  const std::string unopened = TotalZoneFloorAreas(m);
  shell::ProjectInfoWindow().SetBoxText(8, m.ProjectData[8]);
  if (!MayLeaveZoneList(m, unopened, shell::Messages())) return;
  shell::mainmenu& menu = shell::MainMenu();
  menu.EnableItems({shell::MenuItem::zonedescription, shell::MenuItem::Image5});
  shell::ShowModeless(&menu);
  Unload();
}

void zonename::Unload() {
  hide();
  deleteLater();
  if (TheZoneList() == this) TheZoneList() = nullptr;
}

void OpenZoneList(int row) {
  QPointer<zonename>& window = TheZoneList();
  if (window.isNull()) window = new zonename;
  window->Form_Activate();
  if (row >= 1 && row < shell::kZoneGridRows) window->MSFlexGrid1()->setCurrentCell(row, 0);
  shell::ShowModeless(window.data());
}

zonename* ZoneListWindow() { return TheZoneList().data(); }

void UnloadZoneList() {
  QPointer<zonename>& window = TheZoneList();
  delete window.data();
  window = nullptr;
}

}  // namespace kalvano::zones
