// What the main menu decides without a widget: which of its items are enabled after each of
// the moments that change them, and which items have a window to open yet.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kalvano::shell {

// Every control and menu entry of the main menu whose enabled state matters.
enum class MenuItem : std::size_t {
  projectinformation, Image1, weatherdata, Image2, economicsdata, Image3,
  buildingsketch, Image4, zonedescription, Image5, executerun, Image6,
  Picture1, Picture2,
  filemenu, newitem, retrieveitem, saveinput, exititem,
  runmenu, runenergy1, runenergy2, runenergy3, runenergy4,
  viewmenu, view6, view7, view8, view10, view12,
  dtbase, dbase1, dbase2, dbase3,
  Helpmenu, contentitem, introductionitem, learningitem, Licenseitem, aboutitem,
  Count
};

inline constexpr std::size_t kMenuItemCount = static_cast<std::size_t>(MenuItem::Count);

// The control or menu entry's name, for messages of tests.
std::string_view MenuItemName(MenuItem item);

// Enabled state of every item, as the main menu itself sets it.
class MenuEnabling {
 public:
  bool operator[](MenuItem item) const { return on_[static_cast<std::size_t>(item)]; }
  void Set(MenuItem item, bool enabled) { on_[static_cast<std::size_t>(item)] = enabled; }
  bool operator==(const MenuEnabling&) const = default;

 private:
  std::array<bool, kMenuItemCount> on_{};
};

// Main-menu steps done, elements 1..5 (element 0 is never set).
using StepDone = std::array<std::int16_t, 6>;

// The state when the window is created: steps 1-4, the pictures and every menu but the
// Analysis menu enabled; step 5, step 6 and the Analysis menu disabled. "Space Comfort
// Conditions" and "Weather Summary" are hidden and disabled.
MenuEnabling CreatedEnabling();

// Activation: when steps 1, 2, 4 and 5 are all done (economics is not required), the Analysis
// menu and step 6 become enabled. Activation never disables anything.
MenuEnabling OnActivation(MenuEnabling state, const StepDone& steps);

// The building sketch was opened: step 5 becomes enabled.
MenuEnabling OnSketchOpened(MenuEnabling state);

// New Project was confirmed: steps 5 and 6 and the Analysis menu become disabled.
MenuEnabling OnNewProject(MenuEnabling state);

// Whether the window that an item opens is part of the program yet. Items without their
// window stay visible and disabled. Menus that only hold other items count as built; an
// item whose window is opened through the registry of window openers counts as built when
// that window's opener is registered.
bool ItemWindowBuilt(MenuItem item);

// The enabled state shown: the main menu's own state, restricted to items with a window.
bool ShownEnabled(const MenuEnabling& state, MenuItem item);

// Items that start hidden ("Error Check Only", "Abbreviated Run", "Space Comfort
// Conditions", "Weather Summary").
bool ItemHidden(MenuItem item);

// Whether any of steps 1..5 is done.
bool AnyStepDone(const StepDone& steps);

// The main menu's caption at activation: "-- " and the project file when the project has a
// file of its own, else "-- New_Project.inp".
std::string MainMenuCaption(int projectLoaded, std::string_view projectFile);

// The exit dialog's two labels as the File menu's Exit sets them. `secondBefore` is the
// second label's current text, which the second form keeps.
struct ExitLabels {
  std::string first;
  std::string second;
};
ExitLabels ExitQuestion(int inputSaved, int projectLoaded, std::string_view lastProjectFile,
                        std::string_view secondBefore);

// The four help items of the Help menu: file under the help folder and viewer caption.
struct HelpItem {
  MenuItem item;
  std::string_view file;
  std::string_view caption;
};
const std::array<HelpItem, 4>& HelpMenuItems();

// Texts of the main menu's questions.
inline constexpr std::string_view kNewProjectQuestion =
    "Your current data will be lost if you have not saved it.  Do you still want to start a "
    "new project?";
inline constexpr std::string_view kNewProjectTitle = "Warning...";
inline constexpr std::string_view kResketchedBeforeSave =
    "The building has been re-sketched.  Please examine the zone descriptions before saving.";
inline constexpr std::string_view kWeatherBeforeSave =
    "Please enter the weather data before saving the input file.";
inline constexpr std::string_view kSketchBeforeSave =
    "Please sketch your building before saving the input file.";

}  // namespace kalvano::shell
