#include "frontend/shell/menucore.h"

#include "frontend/shell/openers.h"

namespace kalvano::shell {

std::string_view MenuItemName(MenuItem item) {
  static constexpr std::array<std::string_view, kMenuItemCount> kNames{
      "projectinformation", "Image1", "weatherdata", "Image2", "economicsdata", "Image3",
      "buildingsketch", "Image4", "zonedescription", "Image5", "executerun", "Image6",
      "Picture1", "Picture2",
      "filemenu", "newitem", "retrieveitem", "saveinput", "exititem",
      "runmenu", "runenergy(1)", "runenergy(2)", "runenergy(3)", "runenergy(4)",
      "viewmenu", "view(6)", "view(7)", "view(8)", "view(10)", "view(12)",
      "dtbase", "dbase(1)", "dbase(2)", "dbase(3)",
      "Helpmenu", "contentitem", "introductionitem", "learningitem", "Licenseitem",
      "aboutitem"};
  return kNames.at(static_cast<std::size_t>(item));
}

MenuEnabling CreatedEnabling() {
  MenuEnabling state;
  for (std::size_t i = 0; i < kMenuItemCount; ++i) state.Set(static_cast<MenuItem>(i), true);
  for (MenuItem off : {MenuItem::zonedescription, MenuItem::Image5, MenuItem::executerun,
                       MenuItem::Image6, MenuItem::runmenu, MenuItem::view7, MenuItem::view8}) {
    state.Set(off, false);
  }
  return state;
}

MenuEnabling OnActivation(MenuEnabling state, const StepDone& steps) {
  if (steps[1] == 1 && steps[2] == 1 && steps[4] == 1 && steps[5] == 1) {
    state.Set(MenuItem::runmenu, true);
    state.Set(MenuItem::Image6, true);
    state.Set(MenuItem::executerun, true);
  }
  return state;
}

MenuEnabling OnSketchOpened(MenuEnabling state) {
  state.Set(MenuItem::zonedescription, true);
  state.Set(MenuItem::Image5, true);
  return state;
}

MenuEnabling OnNewProject(MenuEnabling state) {
  for (MenuItem off : {MenuItem::zonedescription, MenuItem::Image5, MenuItem::runmenu,
                       MenuItem::Image6, MenuItem::executerun}) {
    state.Set(off, false);
  }
  return state;
}

bool ItemWindowBuilt(MenuItem item) {
  switch (item) {
    // Menus that only hold items.
    case MenuItem::filemenu:
    case MenuItem::runmenu:
    case MenuItem::viewmenu:
    case MenuItem::dtbase:
    case MenuItem::Helpmenu:
    // Items whose work is here: a question, the exit dialog, the help windows.
    case MenuItem::newitem:
    case MenuItem::exititem:
    // The project information window and the project file dialogs.
    case MenuItem::projectinformation:
    case MenuItem::Image1:
    case MenuItem::retrieveitem:
    case MenuItem::saveinput:
    case MenuItem::Picture1:
    case MenuItem::contentitem:
    case MenuItem::introductionitem:
    case MenuItem::learningitem:
    case MenuItem::Licenseitem:
    case MenuItem::aboutitem:
    // Step 6, the run-choice window, and the Analysis menu's shown runs.
    case MenuItem::executerun:
    case MenuItem::Image6:
    case MenuItem::runenergy3:
    case MenuItem::runenergy4:
      return true;
    // Step 5 ends in the zone list, which a higher library provides.
    case MenuItem::zonedescription:
    case MenuItem::Image5:
      return HasWindowOpener(window::zonename);
    // Step 3 and the HVAC data base are windows of a higher library too.
    case MenuItem::economicsdata:
    case MenuItem::Image3:
      return HasWindowOpener(window::economics);
    case MenuItem::dbase1:
    case MenuItem::dbase2:
      return HasWindowOpener(window::catalog);
    case MenuItem::dbase3:
      return HasWindowOpener(window::hvac);
    case MenuItem::weatherdata:
    case MenuItem::Image2:
      return HasWindowOpener(window::weather);
    case MenuItem::buildingsketch:
    case MenuItem::Image4:
      return HasWindowOpener(window::sketch);
    // The View Output menu shows the current results, or a saved output, in the tabular
    // viewer and the result charts.
    case MenuItem::view6:
    case MenuItem::view7:
    case MenuItem::view8:
      return HasWindowOpener(window::tabular);
    case MenuItem::view10:
    case MenuItem::view12:
    case MenuItem::Picture2:
      return HasWindowOpener(window::graphs);
    default:
      return false;
  }
}

bool ShownEnabled(const MenuEnabling& state, MenuItem item) {
  return state[item] && ItemWindowBuilt(item);
}

bool ItemHidden(MenuItem item) {
  return item == MenuItem::runenergy1 || item == MenuItem::runenergy2 ||
         item == MenuItem::view7 || item == MenuItem::view8;
}

bool AnyStepDone(const StepDone& steps) {
  for (std::size_t i = 1; i <= 5; ++i) {
    if (steps[i] == 1) return true;
  }
  return false;
}

std::string MainMenuCaption(int projectLoaded, std::string_view projectFile) {
  std::string caption = "-- ";
  caption += projectLoaded == 1 ? projectFile : std::string_view("New_Project.inp");
  return caption;
}

ExitLabels ExitQuestion(int inputSaved, int projectLoaded, std::string_view lastProjectFile,
                        std::string_view secondBefore) {
  if (inputSaved == 0 || projectLoaded == 1) {
    return {"Save input changes to:", std::string(lastProjectFile) + " ?"};
  }
  return {"Do you want to save your input ?", std::string(secondBefore)};
}

const std::array<HelpItem, 4>& HelpMenuItems() {
  static const std::array<HelpItem, 4> kItems{{
      {MenuItem::introductionitem, "mainhlp2.txt", "INTRODUCTION TO KAL-VANO EC"},
      {MenuItem::learningitem, "help1.txt", "Learning KAL-VANO"},
      {MenuItem::Licenseitem, "license.txt", "License agreement for KAL-VANO"},
      {MenuItem::aboutitem, "mainhlp1.txt", "KAL-VANO EC"},
  }};
  return kItems;
}

}  // namespace kalvano::shell
