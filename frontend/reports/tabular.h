// The tabular viewer: one page of the run's report at a time, with the buttons that switch
// views, page through the long ones, print the page shown, save the output, open the
// charts or the hourly spreadsheets, and go back to the main menu.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "frontend/reports/tabextract.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kalvano::reports {

inline constexpr std::string_view kUnsavedResultsText =
    "The simulation results have not been saved.  Do you want to save them?";
inline constexpr std::string_view kUnsavedResultsTitle = "Save Output";

class tabular : public QWidget {
  Q_OBJECT
 public:
  explicit tabular(QWidget* parent = nullptr);

  void Form_Load();
  void Form_Activate();
  void Summary_Click(int index);
  void zone_Click(int index);  // 1 "Next >>", 2 "<< Previous"
  void save_Click(int index);
  void graphical_Click();

  // Puts a view's page, caption and button states into the window.
  void ShowView(const TabView& view);

  ViewerPaging& Paging() { return paging_; }
  QPushButton* Summary(int index) const { return summary_[static_cast<std::size_t>(index)]; }
  QPushButton* zone(int index) const { return index == 1 ? next_ : previous_; }
  QPushButton* save() const { return save_; }
  QPushButton* graphical() const { return graphical_; }
  QPlainTextEdit* Text1() const { return text1_; }
  QLabel* Label2() const { return label2_; }
  // The page shown, bytes as read.
  const std::string& PageText() const { return page_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // the close box acts as "Main Menu"

 private:
  void EnableViews();
  void OpenSaveOutput();
  void SaveOutputCancelled();
  // "Main Menu" once its button states are set: asks about unsaved results, then empties
  // and unloads the viewer and shows the main menu; false when the viewer stays.
  bool BackToMainMenu();

  std::array<QPushButton*, 11> summary_{};
  QPushButton* next_;
  QPushButton* previous_;
  QPushButton* save_;
  QPushButton* graphical_;
  QPlainTextEdit* text1_;
  QLabel* label2_;
  ViewerPaging paging_;
  std::string page_;
};

// The one viewer of the program, created (and loaded) at its first use.
tabular& TabularViewer();
bool TabularViewerLoaded();
// Empties, hides and deletes the viewer.
void UnloadTabularViewer();
// Shows the viewer without waiting.
void ShowTabularViewer();
// Runs a view and shows the viewer: the opener of the shell's window::tabular, whose
// numbering of the views `view` follows (shell::kTabularComfortPages the comfort pages,
// shell::kTabularWeather the weather summary; 0 runs none). A view that fails has shown its
// message; a viewer not on screen then stays off it (result false).
bool OpenTabularViewer(int view);

}  // namespace kalvano::reports
