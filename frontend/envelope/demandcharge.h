// The demand-charge schedule window: up to three rows of a kW increment and its cost. Its OK
// ("Back") writes the rows into the project at once, up to the first row without a kW step.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;

namespace kalvano::envelope {

class Demandcharge : public QWidget {
  Q_OBJECT
 public:
  explicit Demandcharge(QWidget* parent = nullptr);

  void back_Click();
  void cancel_Click();

  QLineEdit* demandtext(int i) const { return demandtext_.at(static_cast<std::size_t>(i)); }
  QLineEdit* charge(int i) const { return charge_.at(static_cast<std::size_t>(i)); }
  QPushButton* Back() const { return back_; }
  QPushButton* Cancel() const { return cancel_; }

 private:
  void Leave();

  std::array<QLineEdit*, 3> demandtext_{};
  std::array<QLineEdit*, 3> charge_{};
  QPushButton* back_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

// The window while it is loaded, nullptr otherwise.
Demandcharge* DemandchargeWindow();
// The window, loaded (empty) when it is not.
Demandcharge& LoadDemandcharge();

}  // namespace kalvano::envelope
