#include "frontend/envelope/demandcharge.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/envelope/economics.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::envelope {

namespace {

using shell::Latin1;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

QPointer<Demandcharge>& Loaded() {
  static QPointer<Demandcharge> window;
  return window;
}

}  // namespace

Demandcharge::Demandcharge(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Demandcharge");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Latin1("Demand Charge"));
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(Latin1("KW Increment"), this), 0, 0);
  grid->addWidget(new QLabel(Latin1("Cost ($)"), this), 0, 1);
  for (int i = 0; i < 3; ++i) {
    demandtext_[At(i)] = new QLineEdit(this);
    demandtext_[At(i)]->setObjectName(QString("demandtext(%1)").arg(i));
    charge_[At(i)] = new QLineEdit(this);
    charge_[At(i)]->setObjectName(QString("charge(%1)").arg(i));
    for (QLineEdit* box : {demandtext_[At(i)], charge_[At(i)]}) {
      box->setValidator(new shell::Latin1Validator(box));
      box->setFixedWidth(100);
    }
    grid->addWidget(demandtext_[At(i)], i + 1, 0);
    grid->addWidget(charge_[At(i)], i + 1, 1);
  }
  outer->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  back_ = new QPushButton(Latin1("OK"), this);
  back_->setObjectName("Back");
  cancel_ = new QPushButton(Latin1("Cancel"), this);
  cancel_->setObjectName("Cancel");
  buttons->addWidget(back_);
  buttons->addWidget(cancel_);
  outer->addLayout(buttons);
  connect(back_, &QPushButton::clicked, this, &Demandcharge::back_Click);
  connect(cancel_, &QPushButton::clicked, this, &Demandcharge::cancel_Click);
  adjustSize();
  shell::CentreOnScreen(this);  // Form_Load
}

void Demandcharge::back_Click() {
  model::ProjectModel& m = shell::Model();
  int16_t count = 0;
  for (int j = 1; j <= model::kMaxDemandRows; ++j) {
    const std::string kw = demandtext(j - 1)->text().toLatin1().toStdString();
    if (kw.empty()) break;
    m.DemChgKw[At(j)] = kw;
    m.DemChgCost[At(j)] = charge(j - 1)->text().toLatin1().toStdString();
    count = static_cast<int16_t>(j);
  }
  m.DemChgCount = count;
  Leave();
}

void Demandcharge::cancel_Click() { Leave(); }

void Demandcharge::Leave() {
  close();
  if (Economicsform* economics = EconomicsWindow()) shell::ShowModeless(economics);
}

Demandcharge* DemandchargeWindow() { return Loaded().data(); }

Demandcharge& LoadDemandcharge() {
  if (Loaded().isNull()) Loaded() = new Demandcharge;
  return *Loaded().data();
}

}  // namespace kalvano::envelope
