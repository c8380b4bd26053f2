// The use-profile picker: the 42 profiles of one use kind (occupancy, hot water,
// ventilation, lighting) in 21 rows over a scroll bar. The user picks the zone's profile by
// its name and edits the 24 hourly values of any profile; OK stores the highlighted profiles
// as the project's own, marks them used and writes the picked number into the zone window's
// field. The model follows a value box after every change, so that OK checks what it stores.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

#include "frontend/model/project_model.h"
#include "frontend/zones/pickerwidgets.h"
#include "frontend/zones/profilecore.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kalvano::zones {

class occupprof : public QWidget {
  Q_OBJECT
 public:
  explicit occupprof(QWidget* parent = nullptr);

  // The user comes back to the window: the warnings are armed again, the rows show profiles
  // 1..21 of the kind from the model with the used ones highlighted, the list at its top.
  void Form_Activate();
  void profscroll_Change();
  void occ_Click(int index);
  void Text1_Click(int index);
  // The key filter of a value box; returns the key that reaches the box, 0 for none.
  char Text1_KeyPress(int index, char key);
  void Text1_MouseDown(int index);
  // A change of a value box's text by the user: carried into the profile it shows.
  void Text1_Change(int index);
  void copy_Click();
  void cut_Click();
  void paste_Click();
  void Undo_Click();
  void okey_Click();

  QLabel* occ(int i) const { return occ_.at(static_cast<std::size_t>(i)); }
  QLineEdit* Text1(int i) const { return text1_.at(static_cast<std::size_t>(i)); }
  QScrollBar* profscroll() const { return profscroll_; }
  QPushButton* okey() const { return okey_; }
  QPushButton* undo() const { return undo_; }
  QLabel* Label1() const { return label1_; }
  QAction* copy() const { return copy_; }
  QAction* cut() const { return cut_; }
  QAction* paste() const { return paste_; }
  int ListOffset() const { return listOffset_; }
  int WindowKind() const { return windowKind_; }
  int16_t NoPick() const { return noPick_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  int ProfileOfRow(int row) const { return listOffset_ + row; }
  void PaintRow(int row, RowColour colour);
  void WarnOnce(int row);
  void CarryToModel(int row);
  bool CheckProfiles();
  int RowOf(QObject* watched) const;

  std::array<QLabel*, kUsePickerRows + 1> occ_{};
  std::array<QLineEdit*, kUsePickerRows + 1> text1_{};
  QScrollBar* profscroll_ = nullptr;
  QPushButton* okey_ = nullptr;
  QPushButton* undo_ = nullptr;
  HourHeader* label1_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* paste_ = nullptr;

  int listOffset_ = 0;
  int selRow_ = 0;
  int editRow_ = 0;
  ValueClipboard clip_;
  std::array<int16_t, model::kMaxProfileNo + 1> warned_{};
  std::array<int16_t, model::kMaxProfileNo + 1> edited_{};
  int16_t noPick_ = 0;
  int windowKind_ = 1;
  bool closing_ = false;

  friend void UnloadOccupProf();
};

// Opens the picker afresh for the model's ProfPickerKind (1..4): caption, rows, shown.
void OpenOccupProf();
// The picker while it is open, nullptr otherwise.
occupprof* OccupProfWindow();
void UnloadOccupProf();

}  // namespace kalvano::zones
