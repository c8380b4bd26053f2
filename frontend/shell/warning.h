// The exit dialog: save the input, exit without saving it, or go on working.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kalvano::shell {

class warning : public QWidget {
  Q_OBJECT
 public:
  explicit warning(QWidget* parent = nullptr);

  void Form_Activate();
  void okey_Click();
  void Command1_Click();
  void cancel_Click();

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  QPushButton* okey() const { return okey_; }
  QPushButton* Command1() const { return command1_; }
  QPushButton* cancel() const { return cancel_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label1_;
  QLabel* label2_;
  QPushButton* okey_;
  QPushButton* command1_;
  QPushButton* cancel_;
};

// The exit dialog, created at its first use.
warning& ExitDialog();

}  // namespace kalvano::shell
