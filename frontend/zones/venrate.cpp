#include "frontend/zones/venrate.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "frontend/model/helpers.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/zones/zonefields.h"
#include "frontend/zones/zoneform.h"

namespace kalvano::zones {

namespace {

using shell::Latin1;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

const QColor kGrey(192, 192, 192);  // the dialog's light grey, and an inactive box's text

struct BoxCaption {
  const char* ip;
  const char* si;
};
constexpr std::array<BoxCaption, 3> kUnits{{
    {"CFM/person", "L/s per person"},
    {"CFM/sq.ft", "L/s per sq.m."},
    {"% outside air", "% outside air"},
}};

QLineEdit* ReadOnlyBox(QWidget* parent, const char* text, const QString& name) {
  auto* box = new QLineEdit(Latin1(text), parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFrame(false);
  box->setFocusPolicy(Qt::NoFocus);
  QPalette p = box->palette();
  p.setColor(QPalette::Base, kGrey);
  box->setPalette(p);
  return box;
}

}  // namespace

venrate::venrate(zoneform* form) : QDialog(form), form_(form) {
  setObjectName("venrate");
  setWindowTitle(Latin1("Ventilation Rate"));
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette back = palette();
  back.setColor(QPalette::Window, kGrey);
  setPalette(back);
  setAutoFillBackground(true);

  auto* grid = new QGridLayout(this);
  auto* prompt = ReadOnlyBox(this, "Enter the ventilation rate below:", "Text2");
  grid->addWidget(prompt, 0, 0, 1, 3);
  const std::array<const char*, 3> codes{"CP", "CS", "PA"};
  for (int i = 0; i < 3; ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("ven(%1)").arg(i));
    box->setValidator(new shell::Latin1Validator(box));
    shell::InstallKeyFilter(box, this);
    ven_[At(i)] = box;
    text3_[At(i)] = ReadOnlyBox(this, kUnits[At(i)].ip, QString("Text3(%1)").arg(i));
    text1_[At(2 + i)] = ReadOnlyBox(this, codes[At(i)], QString("text1(%1)").arg(2 + i));
    text1_[At(2 + i)]->setFixedWidth(text1_[At(2 + i)]->fontMetrics().horizontalAdvance("MMM"));
    const int row = 1 + 2 * i;
    grid->addWidget(text1_[At(2 + i)], row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(text3_[At(i)], row, 2);
    if (i < 2) {
      text1_[At(i)] = ReadOnlyBox(this, "or:", QString("text1(%1)").arg(i));
      grid->addWidget(text1_[At(i)], row + 1, 1);
    }
  }
  command1_ = new QPushButton(Latin1("OK"), this);
  command1_->setObjectName("Command1");
  command1_->setAutoDefault(false);
  command2_ = new QPushButton(Latin1("Cancel"), this);
  command2_->setObjectName("Command2");
  command2_->setAutoDefault(false);
  grid->addWidget(command1_, 7, 1);
  grid->addWidget(command2_, 7, 2);
  connect(command1_, &QPushButton::clicked, this, &venrate::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &venrate::Command2_Click);
  Form_Activate();
  adjustSize();
}

void venrate::Prepare(const std::string& field) {
  const VentilationBox split = SplitVentilation(field);
  for (QLineEdit* box : ven_) box->clear();
  ven(split.box)->setText(Latin1(split.text));
  SetActive(split.box);
}

void venrate::SetActive(int index) {
  active_ = index;
  for (int i = 0; i < 3; ++i) {
    QPalette p = ven(i)->palette();
    p.setColor(QPalette::Text, i == index ? palette().color(QPalette::WindowText) : kGrey);
    ven(i)->setPalette(p);
  }
}

void venrate::Form_Activate() {
  const bool si = shell::Model().UnitSystem == model::kSI;
  for (int i = 0; i < 3; ++i) Text3(i)->setText(Latin1(si ? kUnits[At(i)].si : kUnits[At(i)].ip));
}

void venrate::Form_GotFocus() {
  for (QLineEdit* box : ven_) {
    if (!box->text().isEmpty()) {
      box->setFocus();
      return;
    }
  }
}

void venrate::ven_Click(int index) {
  SetActive(ven(index)->text().isEmpty() ? -1 : index);
}

char32_t venrate::ven_KeyPress(int index, char32_t key) {
  const bool accepted = (key >= U'0' && key <= U'9') || key == U'.' || key == 8 || key == 9 ||
                        key == 13;
  if (!accepted) {
    model::RefuseNotNumeric(shell::Messages());
    key = 0;
  }
  SetActive(index);
  if (key == 13) {
    Command1_Click();
    return 0;
  }
  return key;
}

void venrate::Command1_Click() {
  for (int k = 0; k < 3; ++k) {
    if (k != active_ || ven(k)->text().isEmpty()) continue;
    const std::string rate = VentilationRate(ven(k)->text().toLatin1().toStdString());
    form_->zone(9)->setText(Latin1(VentilationField(k, rate)));
    close();
    return;
  }
  shell::Messages().beep();
  shell::Messages().show(kEnterVentilation, "Error", model::MsgIcon::Exclamation);
}

void venrate::Command2_Click() { close(); }

void venrate::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Form_Activate();
  Form_GotFocus();
}

bool venrate::eventFilter(QObject* watched, QEvent* event) {
  int index = -1;
  for (int i = 0; i < 3; ++i) {
    if (ven_[At(i)] == watched) index = i;
  }
  if (index < 0) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress) ven_Click(index);
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const char32_t typed = shell::KeyCharacter(key);
    if (typed == 0) return QDialog::eventFilter(watched, event);
    const char32_t passed = ven_KeyPress(index, typed);
    if (passed == 0 || passed == 13) return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kalvano::zones
