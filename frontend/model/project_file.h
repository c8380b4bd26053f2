// The project file: a labelled, line-oriented text file that holds a whole project and is
// the engine's input. Its first line carries the weather seed, the simulated weeks per
// month and the unit tag; the body follows in a fixed order of sections. Every line ends
// with CR LF; a label fills columns 1-10 and its value starts in column 11.
#pragma once

#include "frontend/model/atomic_file.h"
#include "frontend/model/project_model.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvano::model {

// Line 1: "KAL-VANO  ", the seed in columns 11-20, the weeks in integer form in 21-23, one
// blank, the unit tag ("IP" or "SI"). A seed longer than 10 characters is cut.
std::string InputHeaderLine(std::string_view seed, int weeksPerMonth, std::string_view tag);

// Body writers. `out` holds line 1 already; each writes the rest of the file from the model,
// commits it (the earlier file stays intact when any step fails) and returns true when the
// caller must end the program (a save made while leaving it, EndAfterSave = 1).
// WriteInputFile writes the values as held; WriteInputFileIP writes an SI model in
// inch-pound units and WriteInputFileSI an inch-pound model in SI units.
bool WriteInputFile(ProjectModel& m, AtomicFile& out);
bool WriteInputFileIP(ProjectModel& m, AtomicFile& out);
bool WriteInputFileSI(ProjectModel& m, AtomicFile& out);

enum class BodyWriter { AsHeld, ToInchPound, ToSI };
// Writes a whole project file: line 1 from WeatherSeed and WeeksPerMonth with `tag`, then
// the chosen body. Returns the body writer's "end requested".
bool WriteProjectFile(ProjectModel& m, const std::string& path, std::string_view tag,
                      BodyWriter body);

// A design temperature of a project in `unitSystem` as the file that a run reads holds it: as
// held for an inch-pound project, converted to degrees F as the inch-pound writer converts it
// for an SI one.
std::string DesignTempForRun(double value, int unitSystem);

// The body as the writer `body` writes it, added to `out` without writing the file, with
// `matrix` (the lines of sketch/bld_mtx.all) as the building matrix: for a caller that
// writes the file together with others.
void BuildInputBody(ProjectModel& m, AtomicFile& out, BodyWriter body,
                    const std::vector<std::string>& matrix);

// Reads line 1 of ProjectFile into WeatherSeed and WeeksPerMonth; when the file cannot be
// read, the seed becomes the text of the last random number and the weeks 4.
void ReadProjectHeader(ProjectModel& m);

// Rebuilds the model from a project file, writes temp/temp<code>.zon for every zone and
// sketch/bld_mtx.all from the file's building matrix. The file is parsed into a copy of
// the model; a failure (FileError) leaves the model and those files as they were. A UTF-8
// byte-order mark before line 1 is skipped. Refused: a file too big to read, or memory
// running out (7); weeks per month that are not a number 1 to 4 (62); a number stored in
// the model that is not finite or that its type cannot hold (6); a type id or profile
// number outside 0..50 (9); a station line whose values the engine would read otherwise
// than this program (62, naming the value and the line).
void ReadInputFile(ProjectModel& m, const std::string& path);

// The files that reading a project file writes besides the model: temp/temp<code>.zon of
// each zone, then sketch/bld_mtx.all, built but not yet written.
struct WorkingFiles {
  std::vector<AtomicFile> zones;
  AtomicFile matrix{""};
  std::vector<const AtomicFile*> all() const;
};
// Reads the project file as ReadInputFile does, but writes none of its files: they are
// returned, for the caller to write together with files of its own (CommitAll). A failure
// (FileError) leaves the model as it was; on success the model holds the project.
WorkingFiles ReadInputFileUnwritten(ProjectModel& m, const std::string& path);

// A file name under the base folder unless it is already absolute.
std::string ResolvePath(const ProjectModel& m, const std::string& name);

// The outdoor-air field as it is stored and written: a code "CP", "CS" or "PA" (any case)
// is upper-cased; any other text gets "CP" in front.
std::string NormalizeOutdoorAir(std::string_view field);
// The outdoor-air field of an inch-pound model as WriteInputFileSI writes it: "CP" (or no
// code) rates in litres per second per person, "CS" rates in litres per second per square
// metre, "PA" percentages unchanged; the code stays in characters 1-2.
std::string OutdoorAirInSI(std::string_view field);

// The floor area (project item 8) of an inch-pound model as WriteInputFileSI writes it.
std::string FloorAreaInSI(std::string_view area);

// A yes/no switch is on when its first non-blank character, upper-cased, is "Y".
bool SwitchOn(std::string_view text);

}  // namespace kalvano::model
