// The economics window (main menu step 3): the project's 11 economic parameters, the demand-
// charge switch that opens the demand-charge schedule, quick-pick menus for lives and rates,
// and "Undo Last". Its boxes are the edit buffer: OK stores them and marks the step done.
#pragma once

#include <QWidget>

#include <array>
#include <string_view>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvano::shell {
class ClickLabel;
}

namespace kalvano::envelope {

inline constexpr std::string_view kEnterDemandSchedule = "Please enter the demand charge schedule.";
inline constexpr std::string_view kEnterDemandScheduleTitle = "Demand Charge";

class Economicsform : public QWidget {
  Q_OBJECT
 public:
  explicit Economicsform(QWidget* parent = nullptr);

  // Puts the model's economics and demand-charge switch into the boxes (what the main menu
  // does before it shows the window).
  void FillFromModel();
  void Form_Activate();
  void economics_Click(int index);
  // The key filter of box `index`; returns the key that reaches the box, 0 when refused.
  char economics_KeyPress(int index, char key);
  void economics_Change(int index);
  void csm_Click(int index);  // 1..5: 10 to 50 years
  void ed_Click(int index);   // 1..6: 0.05 to 0.10
  void demand_Click();
  void okey_Click();
  void cancel_Click();
  void Undo_Click();
  void tutorial_Click();

  QLineEdit* economics(int i) const { return economics_.at(static_cast<std::size_t>(i)); }
  QLabel* demand() const;
  QLabel* Label29(int i) const;
  QPushButton* okey() const { return okey_; }
  QPushButton* cancel() const { return cancel_; }
  QPushButton* Undo() const { return undo_; }
  QAction* csm(int i) const { return csm_.at(static_cast<std::size_t>(i)); }
  QAction* ed(int i) const { return ed_.at(static_cast<std::size_t>(i)); }
  int SelectedItem() const { return selected_; }
  int LastChangedItem() const { return lastChanged_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // closing acts as "Cancel"

 private:
  void ReturnToMainMenu();
  void ShowMainMenu();  // with the later steps made available

  std::array<QLineEdit*, 11> economics_{};
  shell::ClickLabel* demand_ = nullptr;
  QLabel* gasUnit_ = nullptr;    // Label29(9)
  QLabel* waterUnit_ = nullptr;  // Label29(12)
  QPushButton* okey_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* undo_ = nullptr;
  std::array<QAction*, 6> csm_{};
  std::array<QAction*, 7> ed_{};
  int selected_ = -1;
  int lastChanged_ = -1;
  bool leaving_ = false;
};

// The window while it is loaded, nullptr otherwise.
Economicsform* EconomicsWindow();
// Step 3 of the main menu: loads the window when needed, fills it from the model and shows it.
void OpenEconomics();

}  // namespace kalvano::envelope
