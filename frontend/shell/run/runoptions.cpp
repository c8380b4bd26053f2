#include "frontend/shell/run/runoptions.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/shell/mainmenu.h"
#include "frontend/shell/session.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

RunOptions::RunOptions(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("RunOptions");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Kalvano run Options");
  auto* label1 = new QLabel("Specify if you want to:", this);
  label1->setObjectName("Label1");
  command1_ = new QPushButton("Run with conventional Heating and Air Conditioning", this);
  command1_->setObjectName("Command1");
  auto* label2 = new QLabel("-- or --", this);
  label2->setObjectName("Label2");
  label2->setAlignment(Qt::AlignCenter);
  command2_ = new QPushButton("Comfort analysis with no HVAC (Passive Analysis)", this);
  command2_->setObjectName("Command2");
  command3_ = new QPushButton("Cancel", this);
  command3_->setObjectName("Command3");
  // Room around each caption: two average characters on either side of it.
  for (QPushButton* button : {command1_, command2_, command3_}) {
    button->setMinimumWidth(button->sizeHint().width() + 4 * button->fontMetrics().averageCharWidth());
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1);
  layout->addWidget(command1_);
  layout->addWidget(label2);
  layout->addWidget(command2_);
  layout->addSpacing(8);
  layout->addWidget(command3_, 0, Qt::AlignRight);
  connect(command1_, &QPushButton::clicked, this, &RunOptions::Command1_Click);
  connect(command2_, &QPushButton::clicked, this, &RunOptions::Command2_Click);
  connect(command3_, &QPushButton::clicked, this, &RunOptions::Command3_Click);
  // Form_Load: 2800 and 6000 twips from the screen's top-left corner.
  move(2800 * logicalDpiX() / 1440, 6000 * logicalDpiY() / 1440);
}

void RunOptions::Command1_Click() {
  close();
  MainMenu().runenergy_Click(3);
}

void RunOptions::Command2_Click() {
  close();
  MainMenu().runenergy_Click(4);
}

void RunOptions::Command3_Click() { close(); }

RunOptions& ShowRunOptions() {
  // One window: a second step 6 while it is open shows it again.
  static QPointer<RunOptions> window;
  if (window.isNull()) window = new RunOptions;
  ShowModeless(window.data());
  return *window;
}

}  // namespace kalvano::shell
