// The temperature picker: the 12 set-point profiles (1..4 standard, 5..12 the user's), each
// belonging to one of the zone's four set-point slots (summer and winter, occupied and
// unoccupied: zone fields 16..19). The user picks the zone's profiles by name and edits the
// 24 hourly set points of any profile; OK stores the highlighted profiles as the project's
// own and writes the picked numbers into the zone.
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

namespace kalvano::zones {

class temperature : public QWidget {
  Q_OBJECT
 public:
  // Centred, captioned in the project's unit of temperature, no slot chosen.
  explicit temperature(QWidget* parent = nullptr);

  // Fills the rows as the picker opens: texts (also the undo source) and highlights.
  void LoadRows(const TemperatureRows& rows);

  void temp_Click(int index);
  void Text1_Change(int index);
  void Text1_Click(int index);
  // The key filter of a value box; returns the key that reaches the box, 0 for none.
  char Text1_KeyPress(int index, char key);
  void Text1_MouseDown(int index);
  void copy_Click();
  void cut_Click();
  void paste_Click();
  void Undo_Click();
  void okey_Click();

  QLabel* temp(int i) const { return temp_.at(static_cast<std::size_t>(i)); }
  QLineEdit* Text1(int i) const { return text1_.at(static_cast<std::size_t>(i)); }
  QLabel* btype() const { return btype_; }
  QLabel* Label1() const { return label1_; }
  QPushButton* okey() const { return okey_; }
  QPushButton* Undo() const { return undo_; }
  QAction* copy() const { return copy_; }
  QAction* cut() const { return cut_; }
  QAction* paste() const { return paste_; }
  int16_t SlotChoice(int slot) const { return slotChoice_.at(static_cast<std::size_t>(slot)); }
  int16_t NoPick() const { return noPick_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PaintRow(int row, RowColour colour);
  void WarnOnce(int row);
  int RowOf(QObject* watched) const;

  std::array<QLabel*, model::kTempProfiles + 1> temp_{};
  std::array<QLineEdit*, model::kTempProfiles + 1> text1_{};
  QLabel* btype_ = nullptr;
  HourHeader* label1_ = nullptr;
  QPushButton* okey_ = nullptr;
  QPushButton* undo_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* paste_ = nullptr;

  std::array<int16_t, 5> slotChoice_{};
  int selRow_ = 0;
  int editRow_ = 0;
  ValueClipboard clip_;
  std::array<int16_t, model::kTempProfiles + 1> edited_{};
  int16_t noPick_ = 0;
  bool closing_ = false;

  friend void UnloadTemperature();
};

// Reads the temperature library and opens the picker afresh, filled from the library and the
// model. A library that cannot be read (or holds fewer than 13 lines) is reported and the
// picker is left as it was; the result is false then.
bool OpenTemperature();
// The picker while it is open, nullptr otherwise.
temperature* TemperatureWindow();
void UnloadTemperature();

}  // namespace kalvano::zones
