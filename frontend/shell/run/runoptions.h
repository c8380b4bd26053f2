// The run-choice window of step 6: a run with heating and air conditioning, or a passive
// comfort analysis. Either button closes the window and hands the choice to the run
// dispatch of the main menu.
#pragma once

#include <QWidget>

class QPushButton;

namespace kalvano::shell {

class RunOptions : public QWidget {
  Q_OBJECT
 public:
  explicit RunOptions(QWidget* parent = nullptr);

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  QPushButton* Command3() const { return command3_; }

 private:
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
};

// Shows the run-choice window, loading it when it is not loaded (it lives until one of its
// buttons is pressed or it is closed).
RunOptions& ShowRunOptions();

}  // namespace kalvano::shell
