// The help text viewer that the whole front-end shares, and the one way to show a help file
// in it.
#pragma once

#include <QWidget>

#include <string>
#include <string_view>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kalvano::shell {

class Learning : public QWidget {
  Q_OBJECT
 public:
  explicit Learning(QWidget* parent = nullptr);

  // Replaces the help text (Latin-1 bytes as read from the file).
  void SetText(const std::string& bytes);
  QString Text() const;

  void okey_Click();

  QPlainTextEdit* Text2() const { return text2_; }
  QPushButton* okey() const { return okey_; }

 private:
  QPlainTextEdit* text2_;
  QLabel* label2_;
  QPushButton* okey_;
};

// Shows the viewer as every use of it does: maximized and modeless; the caller stays open and
// enabled.
void ShowLearning(Learning& viewer);

// Reads the whole help file "helpinfo/<name>" under the base folder into the viewer, sets
// the viewer's caption and shows it modeless; the caller stays open and enabled. A file that
// cannot be read is reported through the file-error report and no viewer is shown; the
// result is then false.
bool ShowHelpFile(std::string_view name, const std::string& caption);

}  // namespace kalvano::shell
