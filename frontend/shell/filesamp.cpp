#include "frontend/shell/filesamp.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/model/atomic_file.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/helpcore.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::shell {

filesamp::filesamp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("filesamp");
  setAttribute(Qt::WA_DeleteOnClose);
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Fixed pitch, so that the columns of a weather-file layout line up.
  text1_->setFont(FixedPitchFont());
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("OK");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_, 1);
  layout->addWidget(ok_, 0, Qt::AlignHCenter);
  resize(760, 420);
  connect(ok_, &QPushButton::clicked, this, &filesamp::OK_Click);
}

void filesamp::Form_Load() { CentreOnScreen(this); }

void filesamp::SetText(const std::string& bytes) { text1_->setPlainText(DisplayText(bytes)); }

void filesamp::OK_Click() { close(); }

filesamp* ShowFormatExample(int format, QWidget* caller) {
  const HelpTopic example = FormatExample(format);
  std::string text;
  try {
    text = model::ReadWholeFile(HelpFile(Model().AppDir, example.file).string());
  } catch (const model::FileError& error) {
    ReportFileFault(error);
    return nullptr;
  }
  auto* viewer = new filesamp(caller);
  viewer->SetText(text);
  viewer->setWindowTitle(Latin1(example.title));
  viewer->Form_Load();
  ShowModeless(viewer);
  return viewer;
}

}  // namespace kalvano::shell
