// The format example viewer: an example of a weather-file layout in a fixed-pitch font.
#pragma once

#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace kalvano::shell {

class filesamp : public QWidget {
  Q_OBJECT
 public:
  explicit filesamp(QWidget* parent = nullptr);

  void Form_Load();
  void SetText(const std::string& bytes);
  void OK_Click();

  QPlainTextEdit* Text1() const { return text1_; }
  QPushButton* OK() const { return ok_; }

 private:
  QPlainTextEdit* text1_;
  QPushButton* ok_;
};

// Shows the example of weather-file format `format` (1 TMY2, 2 WYEC2, 3 IWEC, any other
// number Custom) in a newly loaded viewer, modeless. A missing or unreadable example file is
// reported through the file-error report and no viewer is shown: the result is then null.
filesamp* ShowFormatExample(int format, QWidget* caller = nullptr);

}  // namespace kalvano::shell
