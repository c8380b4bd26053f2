// The ventilation-rate dialog of the zone window: field 9 as a rate per person, per floor
// area or a percentage of outside air. The zone window stays disabled while it is shown.
#pragma once

#include <QDialog>

#include <array>
#include <string>

class QLineEdit;
class QPushButton;

namespace kalvano::zones {

class zoneform;

class venrate : public QDialog {
  Q_OBJECT
 public:
  // `form` is the zone window whose field 9 the dialog fills.
  explicit venrate(zoneform* form);

  // Fills the dialog from field 9's text: the box its code selects becomes the active one.
  void Prepare(const std::string& field);
  void Form_Activate();  // the unit captions
  void Form_GotFocus();
  void ven_Click(int index);
  // The key filter of a rate box; returns the key that reaches the box, 0 for none. Enter
  // runs OK.
  char32_t ven_KeyPress(int index, char32_t key);
  void Command1_Click();  // OK
  void Command2_Click();  // Cancel

  QLineEdit* ven(int i) const { return ven_.at(static_cast<std::size_t>(i)); }
  QLineEdit* Text3(int i) const { return text3_.at(static_cast<std::size_t>(i)); }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  // The box whose text is shown in the window-text colour, -1 when all are grey.
  int ActiveBox() const { return active_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void SetActive(int index);

  zoneform* form_;
  std::array<QLineEdit*, 3> ven_{};
  std::array<QLineEdit*, 3> text3_{};
  std::array<QLineEdit*, 5> text1_{};
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  int active_ = -1;
};

}  // namespace kalvano::zones
