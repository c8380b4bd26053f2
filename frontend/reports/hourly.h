// The hourly spreadsheet window: opens one of the run's three hourly files in the
// spreadsheet program found at start-up, and leads back to the tabular viewer.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/model/project_model.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kalvano::reports {

inline constexpr std::string_view kNoDisplayOptionText = "You must first select a display option";
inline constexpr std::string_view kNoDisplayOptionTitle = "Display Option";
inline constexpr std::string_view kExcelErrorTitle = "EXCEL Access Error";
// The text of the box shown when no spreadsheet program could be started: it names the
// programs looked for and, on a line of its own at its end, the real temp/ folder that holds
// the hourly files (in the file system's encoding).
std::string ExcelErrorText(const model::ProjectModel& m);

// The hourly file of choice 1, 2 or 3 (tavik$.hry, etemp$.hry, eweth$.hry); empty for
// another number.
std::string_view HourlyFileName(int choice);

// Whether the hourly file of choice 1, 2 or 3 in temp/ is still the one of the current
// results (model::ResultsRecord), so that no other run's hours are opened under this
// project's title.
bool HourlyFileIsCurrent(const model::ProjectModel& m, int choice);

// Starts the spreadsheet program ExcelPath detached, never through a shell, with the full
// path of the chosen file in temp/ as its one argument and temp/ as its working folder.
// False when there is no program or it cannot be started.
bool StartSpreadsheet(const model::ProjectModel& m, int choice);

class Hourly : public QWidget {
  Q_OBJECT
 public:
  explicit Hourly(QWidget* parent = nullptr);

  void Form_Activate();
  void HryDisplay_Click(int index);
  void Action_Click(int index);

  int16_t HourlyFileChoice() const { return choice_; }
  QRadioButton* HryDisplay(int index) const { return options_[static_cast<std::size_t>(index)]; }
  QPushButton* Action(int index) const { return actions_[static_cast<std::size_t>(index)]; }
  QLabel* Note() const { return note_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // the close box returns to the viewer

 private:
  void ClearChoice();

  QGroupBox* frame1_;
  QButtonGroup* group_;
  std::array<QRadioButton*, 3> options_{};
  std::array<QPushButton*, 3> actions_{};
  QLabel* note_;
  int16_t choice_ = 0;
};

// The one hourly window of the program, created at its first use.
Hourly& HourlyWindow();
// Closes and deletes it (the viewer's "Return" and tests).
void UnloadHourly();

// The note beside the options; its first sentence names, once, the programs that open the
// hourly file, in the order they are looked for at start-up.
std::string HourlyNote();

}  // namespace kalvano::reports
