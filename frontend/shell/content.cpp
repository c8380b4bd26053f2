#include "frontend/shell/content.h"

#include <QCloseEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/shell/helpcore.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

namespace {

QLabel* Rule(QWidget* parent, const char* name) {
  auto* rule = new QLabel(QString(48, QChar('_')), parent);
  rule->setObjectName(name);
  return rule;
}

}  // namespace

Content::Content(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Content");
  setWindowTitle("KALVANOec Help");
  auto* label1 = new QLabel("Contents :", this);
  label1->setObjectName("Label1");
  QFont heading = label1->font();
  heading.setBold(true);
  heading.setPointSize(heading.pointSize() + 4);
  label1->setFont(heading);
  auto* label8 = new QLabel("(Click your choice : )", this);
  label8->setObjectName("Label8");

  label2_ = new ClickLabel("  - Introducing KAL-VANO (VOLTIMAR for WINDOWS)", this);
  label2_->setObjectName("Label2");
  label3_ = new ClickLabel("- Learning KALVANO (VOLTIMAR for WINDOWS)", this);
  label3_->setObjectName("Label3");
  label4_ = new ClickLabel("- About the Program", this);
  label4_->setObjectName("Label4");
  picture1_ = new ClickLabel({}, this);
  picture1_->setObjectName("Picture1");
  picture1_->setPixmap(TilePicture(36, QColor(0, 96, 160), "i"));
  learn_ = new ClickLabel({}, this);
  learn_->setObjectName("learn");
  learn_->setPixmap(TilePicture(36, QColor(0, 128, 64), "?"));
  abouticon_ = new ClickLabel({}, this);
  abouticon_->setObjectName("abouticon");
  abouticon_->setPixmap(TilePicture(36, QColor(128, 64, 0), "A"));
  okey_ = new QPushButton("<< Main Menu", this);
  okey_->setObjectName("okey");

  auto* grid = new QGridLayout;
  grid->addWidget(picture1_, 0, 0);
  grid->addWidget(label2_, 0, 1);
  grid->addWidget(Rule(this, "Label5"), 1, 1);
  grid->addWidget(learn_, 2, 0);
  grid->addWidget(label3_, 2, 1);
  grid->addWidget(Rule(this, "Label6"), 3, 1);
  grid->addWidget(abouticon_, 4, 0);
  grid->addWidget(label4_, 4, 1);
  grid->addWidget(Rule(this, "Label7"), 5, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1);
  layout->addWidget(label8);
  layout->addLayout(grid);
  layout->addWidget(okey_, 0, Qt::AlignRight);

  connect(label2_, &ClickLabel::clicked, this, &Content::Label2_Click);
  connect(label3_, &ClickLabel::clicked, this, &Content::Label3_Click);
  connect(label4_, &ClickLabel::clicked, this, &Content::Label4_Click);
  connect(picture1_, &ClickLabel::clicked, this, &Content::Picture1_Click);
  connect(learn_, &ClickLabel::clicked, this, &Content::learn_Click);
  connect(abouticon_, &ClickLabel::clicked, this, &Content::abouticon_Click);
  connect(okey_, &QPushButton::clicked, this, &Content::okey_Click);
}

void Content::Form_Load() {
  adjustSize();
  CentreOnScreen(this);
  const std::string caption = ContentCaption(Model().ProjectFile);
  setWindowTitle(FromLocal(caption));
  loaded_ = true;
}

void Content::ShowTopic(int topic) {
  const HelpTopic& t = ContentTopics().at(static_cast<std::size_t>(topic - 1));
  ShowHelpFile(t.file, HelpCaption(t.title, Model().ProjectFile));
}

void Content::Label2_Click() { ShowTopic(1); }
void Content::Label3_Click() { ShowTopic(2); }
void Content::Label4_Click() { ShowTopic(3); }

void Content::okey_Click() {
  ShowModeless(&MainMenu());
  hide();
}

void Content::closeEvent(QCloseEvent* event) {
  // Closed, not hidden: the next opening loads the window again.
  loaded_ = false;
  QWidget::closeEvent(event);
}

void ShowContent() {
  Content& window = ContentWindow();
  if (!window.Loaded()) window.Form_Load();
  ShowModeless(&window);
}

}  // namespace kalvano::shell
