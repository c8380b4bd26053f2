// The catalogue editor: the installation's wall/roof (Database item 1) or window/skylight
// (item 2) catalogue, 15 entries on screen with a scroll bar, edited in the project's units
// and rewritten whole by "Update Database". The Edit menu copies and pastes one cell through
// the window's own buffer.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "frontend/envelope/catalogfile.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace kalvano::envelope {

inline constexpr int kCatalogRows = 15;

class catalog : public QWidget {
  Q_OBJECT
 public:
  // `item` 1 the wall and roof catalogue, 2 the window and skylight catalogue.
  catalog(int item, QWidget* parent = nullptr);

  // Reads the catalogue; a file that cannot be read, is empty, is cut short or holds more
  // than 31 entries is reported and the result is false (the window is not shown).
  bool LoadCatalog();
  void envscroll_Change(int value);
  void edit_Click(int index);  // 1 Copy, 2 Paste
  void Command1_Click();       // Update Database
  void Command2_Click();       // Cancel
  void OK_Click();
  void help_Click();

  // Cell of column 0..6 (ID, description, U-factor, 3 properties, cost) on visible row 0..14.
  QLineEdit* Cell(int column, int row) const;
  QLabel* Label1(int column) const { return label1_.at(static_cast<std::size_t>(column)); }
  QScrollBar* envscroll() const { return scroll_; }
  const CatalogTable& Table() const { return table_; }
  bool Edited() const { return edited_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool SaveCatalog();
  bool FindCell(QObject* watched, int& column, int& row) const;
  void ShowRows();
  std::string Kind() const { return item_ == 1 ? "wall" : "window"; }
  std::string FilePath() const;

  int item_;
  CatalogTable table_{};
  std::array<std::array<QLineEdit*, kCatalogRows>, kCatalogColumns> cells_{};
  std::array<QLabel*, kCatalogColumns> label1_{};
  QScrollBar* scroll_ = nullptr;
  bool edited_ = false;
  bool filling_ = false;
  int selColumn_ = -1;
  int selRow_ = -1;
  std::string buffer_;
};

// Opens the catalogue of Database item 1 or 2 (the opener of the shell's window::catalog).
bool OpenCatalog(int item);
catalog* CatalogWindow();

}  // namespace kalvano::envelope
