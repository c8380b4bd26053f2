#include "frontend/shell/learning.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "frontend/model/atomic_file.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/helpcore.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

Learning::Learning(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Learning");
  auto* picture1 = new QLabel(this);
  picture1->setObjectName("Picture1");
  picture1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  label2_ = new QLabel("Use the scroll bar to read the entire Tutorial:", this);
  label2_->setObjectName("Label2");
  okey_ = new QPushButton("<< Back", this);
  okey_->setObjectName("okey");
  text2_ = new QPlainTextEdit(this);
  text2_->setObjectName("Text2");
  // Shown read-only: typed characters, Backspace included, change nothing.
  text2_->setReadOnly(true);
  text2_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text2_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  text2_->setFont(font);

  auto* top = new QHBoxLayout;
  top->addWidget(picture1);
  top->addWidget(label2_, 1);
  top->addWidget(okey_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(text2_, 1);

  connect(okey_, &QPushButton::clicked, this, &Learning::okey_Click);
}

void Learning::SetText(const std::string& bytes) { text2_->setPlainText(DisplayText(bytes)); }

QString Learning::Text() const { return text2_->toPlainText(); }

void Learning::okey_Click() { hide(); }

void ShowLearning(Learning& viewer) {
  viewer.setWindowState(viewer.windowState() | Qt::WindowMaximized);
  ShowModeless(&viewer);
}

bool ShowHelpFile(std::string_view name, const std::string& caption) {
  std::string text;
  try {
    text = model::ReadWholeFile(HelpFile(Model().AppDir, name).string());
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return false;
  }
  Learning& viewer = LearningWindow();
  viewer.SetText(text);
  viewer.setWindowTitle(FromLocal(caption));
  ShowLearning(viewer);
  return true;
}

}  // namespace kalvano::shell
