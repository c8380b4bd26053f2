// The zone description window: one zone's 30 fields, its three Yes/No switches and its
// surface table of 11 visible lines over the 33 editing rows, with OK (check and store) and
// Cancel, the AC Type menu, the daylighting and economiser switches and the copy frames.
#pragma once

#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "frontend/zones/zonecore.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace kalvano::zones {

class zoneform : public QWidget {
  Q_OBJECT
 public:
  explicit zoneform(QWidget* parent = nullptr);

  // Writes the current zone of the model into the window (what the zone list does before it
  // shows the window) and draws the surface table from the top.
  void LoadZone();
  void Form_Activate();  // the unit system's captions
  void envscroll_Change();
  void okey_Click();
  void cancel_Click();
  void wallid_Click(int index);
  void windowid_Click(int index);
  // A double click on a surface row's wall or window id opens the type table for that row;
  // the Properties menu (1 walls and roofs, 2 windows and skylights) opens it for no row.
  void wallid_DblClick(int index);
  void windowid_DblClick(int index);
  void wprof_Click(int index);
  void surf_Click(int index);
  void surf_GotFocus(int index) { surf_Click(index); }
  // The key filter of a surface cell; returns the key that reaches the box, 0 for none.
  char SurfaceKeyPress(int column, int index, char key);
  // A user's edit of a surface cell: written into the row that its line shows.
  void SurfaceChange(int column, int index, const QString& text);

  // The zone fields: a click, a key going down (before the key filter) and the key filter,
  // which returns the key that reaches the box (0 for none).
  void zone_Click(int index);
  void zone_KeyDown(int index);
  char32_t zone_KeyPress(int index, char32_t key);
  // Heating Type item 1..3, Lighting item 1..6, Surface Exp. item 0..6, Profiles item 1..5.
  void heat_Click(int index);
  void light_Click(int index);
  void surface_Click(int index);
  void profile_Click(int index);
  void natvent_Click();
  void Undo_Click();
  void tutorial_Click();
  // The field "Undo Last" restores, 0 for none.
  int UndoFieldIndex() const { return undoFieldIndex_; }
  // The ventilation-rate dialog while it is open, nullptr otherwise.
  class venrate* VentilationDialog() const;

  // The system and option commands: AC Type item n (1..9), the daylighting and economiser
  // switches, and the copy frames' buttons (0 changed fields, 1 window sizer).
  void ac_Click(int n);
  void dayt_Click();
  void Econcycle_Click();
  void copyzone_Click(int index);
  void copyall_Click(int index);
  // The four glazing fractions (north, east, south, west) as typed.
  std::array<std::string, 4> ElevAreaTexts() const;
  // Draws the surface table again from the editing rows (after the window sizer).
  void ShowWindowAreas() { RenderSurfaceTable(); }
  // The window sizer for the zones of `targets` and the current zone: checks the fractions,
  // stores the zone as typed (so that no typed row is lost and the walls typed are the ones
  // sized), sizes the windows and shows the new areas. False, with nothing changed, when a
  // check refused.
  bool ApplyWindowSizer(const std::vector<int>& targets);
  QLineEdit* ElevArea(int e) const { return elevArea_.at(static_cast<std::size_t>(e)); }
  QPushButton* copyzone(int i) const { return copyzone_.at(static_cast<std::size_t>(i)); }
  QPushButton* copyall(int i) const { return copyall_.at(static_cast<std::size_t>(i)); }
  QAction* ac(int n) const { return ac_.at(static_cast<std::size_t>(n)); }

  QLineEdit* zone(int i) const { return zone_.at(static_cast<std::size_t>(i)); }
  // Cell of a surface column (SurfaceColumn) on visible line 1..11.
  QLineEdit* cell(int column, int line) const;
  // The heading over a surface column.
  QLabel* heading(int column) const { return headings_.at(static_cast<std::size_t>(column)); }
  QScrollBar* envscroll() const { return envscroll_; }
  QLabel* natvent() const { return natvent_; }
  QLabel* dayt() const { return dayt_; }
  QLabel* Econcycle() const { return econcycle_; }
  QLabel* builtype() const { return builtype_; }
  QLabel* builname() const { return builname_; }
  QLabel* builloc() const { return builloc_; }
  QPushButton* okey() const { return okey_; }
  QPushButton* cancel() const { return cancel_; }
  QPushButton* undo() const { return undo_; }
  // Heading labels of the table and the unit captions, by their control names ("Label33").
  QLabel* caption(const char* name) const;
  QMenu* menu(int i) const { return menus_.at(static_cast<std::size_t>(i)); }
  int menuCount() const { return static_cast<int>(menus_.size()); }
  QGroupBox* Frame1() const { return frame1_; }
  QGroupBox* Frame2() const { return frame2_; }

  // Shows the zone again after a profile picker's OK: the building captions, the 30 fields
  // from the stored zone (a field typed in after the picker opened keeps its text), the switches' fields enabled by the stored switches and the surface
  // rows at the window's own scroll position. Unless `noPick` is 1, the use-profile field
  // `field` (6, 8, 10 or 15; 0 for none) gets " " and the digits of PickerProfileNo, and
  // each temperature slot s (1..4) chosen in `slotChoice` writes its profile number as plain
  // digits into field 15 + s and into the stored zone at once. A field whose text changes
  // that way is flagged as changed.
  void RefreshZoneForm(int field, int16_t noPick, const std::array<int16_t, 5>& slotChoice = {});

  int TopOffset() const { return topOffset_; }
  int TableScrolled() const { return tableScrolled_; }
  int FractionAlertShown() const { return fractionAlertShown_; }
  ZoneFormTexts Texts() const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // closing acts as "Cancel"

 private:
  void RenderSurfaceTable();
  void ShowProfilePicker();
  void LoadTemperatureProfiles();
  void OpenVentilationDialog();
  void SetField(int field, const std::string& text);
  // Sets the zone fields from texts without marking them changed.
  void ShowFields(const std::array<std::string, model::kZoneFields + 1>& texts);
  int FieldOf(QObject* watched) const;
  void SetCellColour(int column, int line, CellColour colour);
  void ResetScroll();
  void BackToZoneList();
  bool FindCell(QObject* watched, int& column, int& line) const;

  std::array<QLineEdit*, model::kZoneFields + 1> zone_{};
  std::array<std::array<QLineEdit*, kVisibleLines + 1>, kSurfaceColumns> cells_{};
  std::array<QLabel*, kSurfaceColumns> headings_{};
  QScrollBar* envscroll_ = nullptr;
  QLabel* natvent_ = nullptr;
  QLabel* dayt_ = nullptr;
  QLabel* econcycle_ = nullptr;
  QLabel* builtype_ = nullptr;
  QLabel* builname_ = nullptr;
  QLabel* builloc_ = nullptr;
  QPushButton* okey_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* undo_ = nullptr;
  QGroupBox* frame1_ = nullptr;
  QGroupBox* frame2_ = nullptr;
  std::array<QMenu*, 6> menus_{};
  std::array<QAction*, 10> ac_{};            // AC Type items 1..9
  std::array<QLineEdit*, 4> elevArea_{};
  std::array<QPushButton*, 2> copyzone_{};
  std::array<QPushButton*, 2> copyall_{};
  int topOffset_ = 0;
  int tableScrolled_ = 0;
  int16_t fractionAlertShown_ = 0;
  bool unloading_ = false;
  bool loadingFields_ = false;  // fields are being filled from the model: no change flags
  int undoFieldIndex_ = 0;
  // The field texts as a picker found them when it opened: a refresh keeps what the user
  // typed in the zone window after that.
  std::array<std::string, model::kZoneFields + 1> pickerOpenedWith_{};

  friend void UnloadZoneForm();
};

// The zone window while it is loaded, nullptr otherwise.
zoneform* ZoneFormWindow();
// Opens zone-list row `row`: the zone is opened in the model and shown in a newly loaded
// zone window. A row without a zone is refused with its message; returns false then.
bool OpenZoneForm(int row);
// Unloads the zone window (it is deleted once control returns to the event loop).
void UnloadZoneForm();

}  // namespace kalvano::zones
