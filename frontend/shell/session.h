// The front-end's shared state: the one project model that every window reads and writes,
// and the windows that live for the whole run of the program.
#pragma once

#include <string>

#include "frontend/model/project_model.h"

namespace kalvano::shell {

class mainform;
class mainmenu;
class Content;
class Learning;

// The project model of the running front-end.
model::ProjectModel& Model();

// The windows that are created once and then shown and hidden: each is created at its first
// use. The start-up window is the one that the program created first.
mainform* StartupWindow();
void SetStartupWindow(mainform* window);
mainmenu& MainMenu();
Content& ContentWindow();
Learning& LearningWindow();

// The folders the file dialogs last showed, kept while the program runs so that a dialog can
// start where another one was; empty while that dialog has not been used.
struct DialogFolders {
  std::string retrieve;    // the retrieve dialog
  std::string saveInput;   // the save-input dialog
  std::string saveOutput;  // the save-output dialog
};
DialogFolders& LastFolders();

// Closes and deletes the shared windows and gives the model its start-up state again, so
// that each test starts from a fresh program.
void ResetSession();

}  // namespace kalvano::shell
