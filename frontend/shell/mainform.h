// The start-up window: initialises the shared state, lets the user choose the unit system
// and opens the main menu.
#pragma once

#include <QWidget>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace kalvano::shell {

class mainform : public QWidget {
  Q_OBJECT
 public:
  explicit mainform(QWidget* parent = nullptr);

  // The start-up initialisation; runs once, when the window first becomes active (or is
  // first shown). False when an installed file was missing: the program then ends.
  bool Form_Activate();
  // Whether the start-up initialisation ran and found every installed file.
  bool Started() const { return initOk_; }
  void unitnum_MouseDown(int index);
  void unitnum_MouseUp(int index);
  void continue_Click();

  QRadioButton* unitnum(int index) const;
  QPushButton* continueButton() const { return continue_; }
  QGroupBox* Frame1() const { return frame1_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // the window is about to close

 private:
  QGroupBox* frame1_;
  QRadioButton* unitnum1_;
  QRadioButton* unitnum2_;
  QPushButton* continue_;
  bool initialised_ = false;
  bool initOk_ = false;
};

}  // namespace kalvano::shell
