// The HVAC system data-base window: the nine system types of btype/tcool.dat, one row each,
// with their fan static pressure, SEER (COP in SI), supply temperature and costs per ton in
// the project's unit system. "Update Database" rewrites the file; the Edit menu copies and
// pastes one cell through the window's own buffer.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "frontend/zones/hvacdata.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvano::envelope {

inline constexpr std::string_view kHvacUpdated = "The HVAC system database has been updated.";
inline constexpr std::string_view kHvacUpdatedTitle = "Update HVAC System Database";
inline constexpr std::string_view kHvacNotUpdated =
    "No new data have been entered. The HVAC System Database is not updated.";
inline constexpr std::string_view kHvacNotUpdatedTitle = "No update";
inline constexpr std::string_view kHvacSaveQuestion =
    "The data you have just edited have not been saved.  Update the database now?";
inline constexpr std::string_view kHvacSaveQuestionTitle = "Update Database";
inline constexpr std::string_view kHvacNameDigit =
    "A system name must not contain digits.  The name is not changed.";
inline constexpr std::string_view kHvacNameDigitTitle = "System Name";
// The refusal of a save with a value the data base cannot hold as the engine reads it; it
// names the system (`id`, `name`), the field (`fault.field`, shown by its column caption)
// and the value.
std::string HvacValueRefused(std::string_view id, std::string_view name, const zones::HvacFault& fault,
                             std::string_view caption, std::string_view value, bool si);

class hvac : public QWidget {
  Q_OBJECT
 public:
  explicit hvac(QWidget* parent = nullptr);

  // Fills the rows from the data base and sets the caption; a data base that cannot be
  // read is reported and the result is false.
  bool LoadHvacDatabase();
  void Form_Activate();
  void edit_Click(int index);  // 1 Copy, 2 Paste
  void Command1_Click();       // Update Database
  void Command2_Click();       // Cancel
  void OK_Click();
  void help_Click();
  // A key typed into a value box of `column` (1..5) on row `row`: the key that reaches the
  // box, 0 when it is refused.
  char ValueKeyPress(int column, int row, char key);
  void Des_MouseDown(int row);

  QLabel* id(int row) const { return id_.at(static_cast<std::size_t>(row)); }
  QLabel* Des(int row) const { return des_.at(static_cast<std::size_t>(row)); }
  // Value box of column 1..5 (static pressure, SEER/COP, supply temperature, first cost,
  // maintenance cost) on row 0..8.
  QLineEdit* value(int column, int row) const;
  QLabel* Label1(int i) const { return label1_.at(static_cast<std::size_t>(i)); }
  QPushButton* Command1() const { return command1_; }
  QPushButton* Command2() const { return command2_; }
  QPushButton* OK() const { return ok_; }
  QAction* editAction(int index) const { return edit_.at(static_cast<std::size_t>(index)); }
  bool Edited() const { return edited_; }
  int SelectedColumn() const { return selColumn_; }
  int SelectedRow() const { return selRow_; }
  const std::string& CopyBuffer() const { return buffer_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool SaveHvacDatabase();
  bool FindValue(QObject* watched, int& column, int& row) const;
  void Save();  // save and say so; the edited flag is cleared on success

  std::array<QLabel*, zones::kHvacSystems> id_{};
  std::array<QLabel*, zones::kHvacSystems> des_{};
  std::array<std::array<QLineEdit*, zones::kHvacSystems>, 6> values_{};  // columns 1..5
  std::array<QLabel*, 7> label1_{};
  std::array<QAction*, 3> edit_{};
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool edited_ = false;
  int selColumn_ = -1;
  int selRow_ = -1;
  std::string buffer_;
};

// The window while it is loaded, nullptr otherwise.
hvac* HvacWindow();
// Loads and shows the window (Database menu, item 3); an open window is brought to the
// front. A data base that cannot be read is reported and no window opens: false.
bool OpenHvacWindow();

}  // namespace kalvano::envelope
