#include "frontend/envelope/economics.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/envelope/demandcharge.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
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

QPointer<Economicsform>& Loaded() {
  static QPointer<Economicsform> window;
  return window;
}

bool IsLifeItem(int i) { return i >= 0 && i <= 2; }
bool IsRateItem(int i) { return i == 3 || i == 4 || i == 6 || i == 8 || i == 10; }

QLabel* Caption(QWidget* parent, const char* text) {
  auto* label = new QLabel(Latin1(text), parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

Economicsform::Economicsform(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Economicsform");
  setAttribute(Qt::WA_DeleteOnClose);

  auto* bar = new QMenuBar(this);
  QMenu* life = bar->addMenu(Latin1("&Econ./Mech./Solar Life"));
  life->setObjectName("emsLife");
  const std::array<const char*, 6> years{"", "10", "20", "30", "40", "50"};
  for (int k = 1; k <= 5; ++k) {
    csm_[At(k)] = life->addAction(Latin1(years[At(k)]));
    csm_[At(k)]->setObjectName(QString("csm(%1)").arg(k));
    connect(csm_[At(k)], &QAction::triggered, this, [this, k] { csm_Click(k); });
  }
  QMenu* rates = bar->addMenu(Latin1("Esc./Disc. Rate"));
  rates->setObjectName("Escdisc");
  const std::array<const char*, 7> fractions{"", "0.05", "0.06", "0.07", "0.08", "0.09", "0.10"};
  for (int k = 1; k <= 6; ++k) {
    ed_[At(k)] = rates->addAction(Latin1(fractions[At(k)]));
    ed_[At(k)]->setObjectName(QString("ed(%1)").arg(k));
    connect(ed_[At(k)], &QAction::triggered, this, [this, k] { ed_Click(k); });
  }
  QMenu* help = bar->addMenu(Latin1("Help"));
  help->setObjectName("helpmenu");
  QAction* tutorial = help->addAction(Latin1("Tutorial"));
  tutorial->setObjectName("tutorial");
  connect(tutorial, &QAction::triggered, this, &Economicsform::tutorial_Click);

  for (int i = 0; i < 11; ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("economics(%1)").arg(i));
    box->setFixedWidth(80);
    box->setValidator(new shell::Latin1Validator(box));
    shell::InstallKeyFilter(box, this);
    connect(box, &QLineEdit::textChanged, this, [this, i] { economics_Change(i); });
    economics_[At(i)] = box;
  }

  auto* outer = new QVBoxLayout(this);
  outer->setMenuBar(bar);
  QLabel* title = Caption(this, "ECONOMIC PARAMETERS");
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 3);
  title->setFont(bold);
  outer->addWidget(title, 0, Qt::AlignHCenter);

  auto* grid = new QGridLayout;
  const std::array<std::pair<const char*, const char*>, 5> general{{
      {" Economic Life     :", " years"},
      {" Mech. System Life:", " years"},
      {" Solar System Life :", " years"},
      {" Discount Rate     :", " fraction"},
      {" Building Cost          Escalation          :", " fraction"},
  }};
  int row = 0;
  for (int i = 0; i < 5; ++i) {
    grid->addWidget(Caption(this, general[At(i)].first), row, 0);
    grid->addWidget(economics(i), row, 1);
    grid->addWidget(Caption(this, general[At(i)].second), row, 2);
    ++row;
  }
  grid->addWidget(Caption(this, " ENERGY COSTS:"), row++, 0);
  gasUnit_ = Caption(this, " $/Therm");
  gasUnit_->setObjectName("Label29(9)");
  waterUnit_ = Caption(this, " $/1000 G");
  waterUnit_->setObjectName("Label29(12)");
  const std::array<std::tuple<const char*, QLabel*, int>, 3> energy{{
      {" Electric:", Caption(this, "$/kWh"), 5},
      {" Gas / Oil:", gasUnit_, 7},
      {" Water :", waterUnit_, 9},
  }};
  for (const auto& [name, unit, i] : energy) {
    grid->addWidget(Caption(this, name), row, 0);
    grid->addWidget(economics(i), row, 1);
    grid->addWidget(unit, row, 2);
    grid->addWidget(Caption(this, "Escalation"), row, 3);
    grid->addWidget(economics(i + 1), row, 4);
    ++row;
  }
  grid->addWidget(Caption(this, " Demand Charge  Schedule       :"), row, 0);
  demand_ = new shell::ClickLabel(QString(), this);
  demand_->setObjectName("demand");
  demand_->setFrameShape(QFrame::Panel);
  demand_->setFrameShadow(QFrame::Sunken);
  demand_->setMinimumWidth(40);
  connect(demand_, &shell::ClickLabel::clicked, this, &Economicsform::demand_Click);
  grid->addWidget(demand_, row, 1);
  grid->setColumnStretch(5, 1);
  outer->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  okey_ = new QPushButton(Latin1("OK"), this);
  okey_->setObjectName("okey");
  cancel_ = new QPushButton(Latin1("Cancel"), this);
  cancel_->setObjectName("cancel");
  undo_ = new QPushButton(Latin1("Undo Last"), this);
  undo_->setObjectName("Undo");
  buttons->addStretch(1);
  for (QPushButton* b : {okey_, cancel_, undo_}) buttons->addWidget(b);
  buttons->addStretch(1);
  outer->addLayout(buttons);
  connect(okey_, &QPushButton::clicked, this, &Economicsform::okey_Click);
  connect(cancel_, &QPushButton::clicked, this, &Economicsform::cancel_Click);
  connect(undo_, &QPushButton::clicked, this, &Economicsform::Undo_Click);

  setWindowTitle(FromLocal("Economics Data -- " + shell::Model().ProjectFile));  // Form_Load
  adjustSize();
  shell::CentreOnScreen(this);
}

QLabel* Economicsform::demand() const { return demand_; }

QLabel* Economicsform::Label29(int i) const {
  return i == 9 ? gasUnit_ : (i == 12 ? waterUnit_ : nullptr);
}

void Economicsform::FillFromModel() {
  const model::ProjectModel& m = shell::Model();
  for (int i = 0; i < 11; ++i) economics(i)->setText(Latin1(m.EconData[At(i)]));
  demand_->setText(Latin1(m.DemChgSwitch));
  selected_ = -1;
  lastChanged_ = -1;
}

void Economicsform::Form_Activate() {
  if (shell::Model().UnitSystem == model::kSI) {
    gasUnit_->setText(Latin1("$/GJoule"));
    waterUnit_->setText(Latin1("$/1000 L"));
  }
}

void Economicsform::economics_Click(int index) { selected_ = index; }

char Economicsform::economics_KeyPress(int index, char key) {
  selected_ = index;
  if (key == 13 || key == 8 || key == '.' || key == 9 || (key >= '0' && key <= '9')) return key;
  model::RefuseNotNumeric(shell::Messages());
  return 0;
}

void Economicsform::economics_Change(int index) { lastChanged_ = index; }

void Economicsform::csm_Click(int index) {
  if (!IsLifeItem(selected_) || index < 1 || index > 5) return;
  economics(selected_)->setText(csm(index)->text());
}

void Economicsform::ed_Click(int index) {
  if (!IsRateItem(selected_) || index < 1 || index > 6) return;
  economics(selected_)->setText(ed(index)->text());
}

void Economicsform::Undo_Click() {
  if (lastChanged_ < 0 || lastChanged_ > 10) return;
  economics(lastChanged_)->setText(Latin1(shell::Model().EconData[At(lastChanged_)]));
}

void Economicsform::demand_Click() {
  const QString caption = demand_->text();
  if (caption == "Y" || caption == " Y") {
    demand_->setText("N");
    return;
  }
  if (caption != "N" && caption != " N") return;
  demand_->setText("Y");
  Demandcharge& schedule = LoadDemandcharge();
  const model::ProjectModel& m = shell::Model();
  for (int j = 1; j <= m.DemChgCount && j <= model::kMaxDemandRows; ++j) {
    schedule.demandtext(j - 1)->setText(Latin1(m.DemChgKw[At(j)]));
    schedule.charge(j - 1)->setText(Latin1(m.DemChgCost[At(j)]));
  }
  shell::ShowModeless(&schedule);
}

void Economicsform::okey_Click() {
  model::ProjectModel& m = shell::Model();
  const QString caption = demand_->text();
  if ((caption == "Y" || caption == " Y") && m.DemChgCount == 0) {
    shell::Messages().show(kEnterDemandSchedule, kEnterDemandScheduleTitle, MsgIcon::Exclamation);
    return;
  }
  for (int i = 0; i < 11; ++i) m.EconData[At(i)] = economics(i)->text().toLatin1().toStdString();
  m.DemChgSwitch = caption.toLatin1().toStdString();
  m.StepFlags[3] = 1;
  ReturnToMainMenu();
}

void Economicsform::cancel_Click() {
  FillFromModel();
  ReturnToMainMenu();
}

void Economicsform::ReturnToMainMenu() {
  ShowMainMenu();
  leaving_ = true;
  close();
}

void Economicsform::ShowMainMenu() {
  shell::mainmenu& menu = shell::MainMenu();
  menu.EnableLaterSteps();
  shell::ShowModeless(&menu);
}

void Economicsform::tutorial_Click() {
  shell::ShowHelpFile("help3.txt", "ECONOMICS -- " + shell::Model().ProjectFile);
}

bool Economicsform::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < 11; ++i) {
    if (watched != economics_[At(i)]) continue;
    if (event->type() == QEvent::MouseButtonPress) economics_Click(i);
    if (event->type() == QEvent::KeyPress) {
      const char32_t typed = shell::KeyCharacter(static_cast<QKeyEvent*>(event));
      if (typed == 0) {
        selected_ = i;
        break;
      }
      const char code = typed > 0xFF ? char{127} : static_cast<char>(typed);
      if (economics_KeyPress(i, code) == 0) return true;
    }
    break;
  }
  return QWidget::eventFilter(watched, event);
}

bool Economicsform::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void Economicsform::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  shell::CentreOnScreen(this);  // Form_Resize
}

void Economicsform::closeEvent(QCloseEvent* event) {
  if (leaving_) {
    event->accept();
    return;
  }
  // Closed by its title bar: as "Cancel".
  FillFromModel();
  ShowMainMenu();
  event->accept();
}

Economicsform* EconomicsWindow() { return Loaded().data(); }

void OpenEconomics() {
  if (Loaded().isNull()) Loaded() = new Economicsform;
  Economicsform* window = Loaded().data();
  window->FillFromModel();
  window->Form_Activate();
  shell::ShowModeless(window);
}

}  // namespace kalvano::envelope
