// The zone window's type table ("WALL PROPERTIES" / "WINDOW PROPERTIES"): the catalogue
// joined with the project's own types, 15 rows on screen. A click on a row's id chooses it for
// the surface row being picked; "Undo Select" takes the last choice back; OK stores the edited
// rows and shows the zone window's surface rows again.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "frontend/envelope/typetable.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kalvano::envelope {

inline constexpr int kWallwinRows = 15;

class wallwin : public QWidget {
  Q_OBJECT
 public:
  wallwin(int kind, QWidget* parent = nullptr);

  // Loads the table, once per opening; a catalogue that cannot be read is reported and the
  // result is false.
  bool LoadPropertyTable();
  void envscroll_Change(int value);
  void id_Click(int row);
  void Undo_Click();
  // Stores the edited rows and closes; a row refused as a 21st type keeps the table open,
  // with what was typed, after the message.
  void OK_Click();
  void edit_Click(int index);
  void help_Click();

  QLabel* id(int row) const { return ids_.at(static_cast<std::size_t>(row)); }
  // Cell of column 1..6 on screen row 0..14.
  QLineEdit* Cell(int column, int row) const;
  QScrollBar* envscroll() const { return scroll_; }
  const TypeTable& Table() const { return table_; }
  bool Yellow(int row) const;  // screen row shown as a project type

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowRows();
  int TopOffset() const;
  // Gives the seven cells of table row `tableRow`, where it is on screen, a style sheet.
  void PaintRow(int tableRow, const char* style);

  int kind_;
  TypeTable table_;
  std::array<QLabel*, kWallwinRows> ids_{};
  std::array<std::array<QLineEdit*, kWallwinRows>, 7> cells_{};  // columns 1..6
  QScrollBar* scroll_ = nullptr;
  bool filling_ = false;
  int focusColumn_ = 0;
  int focusRow_ = -1;
  std::string buffer_;
};

// Opens the type table of kind 1 (walls) or 2 (windows): the opener of window::wallwin.
bool OpenTypeTable(int kind);
wallwin* TypeTableWindow();

}  // namespace kalvano::envelope
