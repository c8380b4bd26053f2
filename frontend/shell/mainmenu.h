// The main menu: the six steps, the menus, and their enabling.
#pragma once

#include <QMainWindow>

#include <array>
#include <initializer_list>

#include "frontend/shell/menucore.h"

class QAction;
class QMenu;

namespace kalvano::shell {

class ClickLabel;
struct ViewAction;

class mainmenu : public QMainWindow {
  Q_OBJECT
 public:
  explicit mainmenu(QWidget* parent = nullptr);

  void Form_Activate();
  void projectinformation_Click();
  // Step 3 (caption and picture): the economics window, filled from the model by its opener.
  void economicsdata_Click();
  void Image3_Click();
  // The Database menu; item 3 shows the HVAC data-base window.
  void dbase_Click(int index);
  // Step 4 (caption and picture): the building sketch; the first sketch of a project without
  // a file starts from the blank sketch.
  void buildingsketch_Click();
  void Image4_Click();
  // Step 2 (caption and picture): the weather library window.
  void weatherdata_Click();
  void Image2_Click();
  void zonedescription_Click();
  void Image5_Click();
  void newitem_Click();
  void retrieveitem_Click();
  void Picture1_Click();
  void saveinput_Click();
  // Step 6 (caption and picture): the run-choice window.
  void executerun_Click();
  // The Analysis menu's items 1..4, and the run-choice window's two runs (3 and 4).
  void runenergy_Click(int index);
  void exititem_Click();
  // The View Output menu: the tabular items 1..8, the chart items 1..7, the other items
  // (6, 7, 8, 10, 12) and the picture that retrieves a previous output (as item 12).
  void Table_Click(int index);
  void graph_Click(int index);
  void view_Click(int index);
  void Picture2_Click();
  void contentitem_Click();
  void introductionitem_Click();
  void learningitem_Click();
  void Licenseitem_Click();
  void aboutitem_Click();

  // The enabled state that the window itself keeps (before items without a window are
  // taken out), and the state that a control actually shows.
  const MenuEnabling& Enabling() const { return enabling_; }
  bool ControlEnabled(MenuItem item) const;
  bool ControlVisible(MenuItem item) const;
  // Enables items, as the windows that return to the main menu do.
  void EnableItems(std::initializer_list<MenuItem> items);
  // What a step window enables on its way back: steps 5 and 6 and the Analysis menu when the
  // project has a file, step 5 when the building was sketched.
  void EnableLaterSteps();
  // The control of an item: a caption, a picture, a menu entry or a menu.
  QObject* Control(MenuItem item) const { return controls_[static_cast<std::size_t>(item)]; }

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // closing acts as File, Exit

 private:
  void BuildMenus();
  QWidget* BuildSteps();
  QAction* AddItem(QMenu* menu, MenuItem item, const char* caption, const char* shortcut = nullptr);
  void Register(MenuItem item, QObject* control);
  void ApplyEnabling(const MenuEnabling& state);
  void ShowHelpItem(MenuItem item);
  // The New Project question before a retrieve, when any step is done; false for "No".
  bool MayDropProject();
  // Carries out what a View Output item leads to.
  void RunViewAction(const ViewAction& action);

  std::array<QObject*, kMenuItemCount> controls_{};
  MenuEnabling enabling_;
};

}  // namespace kalvano::shell
