// Retrieving and saving a whole project as the project dialogs do, without a widget.
#pragma once

#include <string>
#include <string_view>

#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"

namespace kalvano::shell {

// Reads the project file `path` into the model. The file is read into a copy of the model
// (with the demand-charge rows of a project from a file emptied); only when the whole read
// succeeds does the copy become the model, the temporary zone files of a project from a
// file that the new project does not have are deleted, ProjectFileName becomes `typed` and
// ProjectFile and LastProjectFile `path`. A failure throws model::FileError and leaves the
// model and the temporary files as they were.
void RetrieveProject(model::ProjectModel& m, const std::string& path, std::string_view typed);

// The unit tag and body writer of a save: the tag names the chosen units; the body is
// written as held when they are the model's units, converted otherwise.
struct SaveWriter {
  std::string_view tag;
  model::BodyWriter body;
};
SaveWriter ChooseSaveWriter(int unitSystem, bool saveAsSI);

// A new weather seed for a random number in [0, 1): the number rounded to 7 decimals in
// number form (" .1234567"), never longer than 10 characters.
std::string NewWeatherSeed(double random);

// Saves the project to `path` (already a full name with its extension) in the chosen units
// and reads the file back, so that the model is the file's content (in the units of the
// file). A project without a file and without results gets a new seed from `random`. A run
// requested before the save stays requested. Returns true when the save was made on the
// way out of the program (EndAfterSave). A failure throws model::FileError; a failed write
// leaves the earlier file intact, and a failed read-back leaves the model as it was.
bool SaveProject(model::ProjectModel& m, const std::string& path, bool saveAsSI, double random);

}  // namespace kalvano::shell
