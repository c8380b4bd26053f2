// The zone list (main-menu step 5): the zones of the sketch in a grid, "OK >>" (or a double
// click) to open the chosen zone's description, "<< Menu" to go back to the main menu. The
// main menu fills the grid's rows (shell::ZoneListGrid) before it opens the list.
#pragma once

#include <QWidget>

#include <string>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kalvano::zones {

class zonename : public QWidget {
  Q_OBJECT
 public:
  explicit zonename(QWidget* parent = nullptr);

  void Form_Load();
  void Form_Activate();
  void MSFlexGrid1_Click();
  void MSFlexGrid1_DblClick();
  void OK_Click();
  void back_Click();

  QTableWidget* MSFlexGrid1() const { return grid_; }
  QPushButton* OK() const { return ok_; }
  QPushButton* back() const { return back_; }
  QLabel* proname() const { return proname_; }
  QLabel* proloc() const { return proloc_; }
  // The text of a grid cell, row 0 the headings.
  std::string Cell(int row, int col) const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowGridRows();
  void Unload();

  QTableWidget* grid_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* back_ = nullptr;
  QLabel* proname_ = nullptr;
  QLabel* proloc_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
};

// Shows the zone list, loading it first when it is not loaded, with grid row `row`
// selected when it is a zone row (the zone description returns to its zone's row).
void OpenZoneList(int row = 0);
// The loaded zone list, or nullptr.
zonename* ZoneListWindow();
// Unloads the zone list now (it is deleted; the next opening loads it afresh).
void UnloadZoneList();

}  // namespace kalvano::zones
