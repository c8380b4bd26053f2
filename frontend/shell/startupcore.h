// What the start-up window does without a widget: the building-type labels, the library
// profiles, today's date text and the default unit system.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kalvano::shell {

inline constexpr int kBuildingTypes = 42;
inline constexpr int kLibraryProfileKinds = 4;  // occupancy, hot water, ventilation, lighting

// The tables that start-up reads from the installed data, indexed 0..41 for types 1..42.
struct StartupTables {
  std::array<std::string, kBuildingTypes> typeNames;
  // [kind 0..3][type 0..41]: one profile values line each, stored whole.
  std::array<std::array<std::string, kBuildingTypes>, kLibraryProfileKinds> profiles;
};

// An installed file that start-up could not use: missing, unreadable or too short.
struct StartupFileFault {
  std::filesystem::path file;
};

// The label of a building type from the first line of its defaults file: its last two
// characters (the type's code), one blank, then the line without its last three characters.
// "Office building 24" gives "24 Office building". Empty for a line shorter than three.
std::string BuildTypeLabel(std::string_view firstLine);

// "btype/bdtype<n>.dat" and "profiles/bprof<k>.dat" under the base folder.
std::filesystem::path BuildTypeFile(const std::filesystem::path& appDir, int type);
std::filesystem::path ProfileLibraryFile(const std::filesystem::path& appDir, int kind);

// Reads the 42 type labels and the 42 library profiles of each of the four kinds. A missing
// or unreadable file, a type file whose first line is shorter than three characters, or a
// profile library with fewer than 43 lines stops the reading and is returned.
std::optional<StartupFileFault> LoadStartupTables(const std::filesystem::path& appDir,
                                                  StartupTables& tables);

// Today's date as day, three-letter month and year: 5 March 2026 gives "5 Mar 2026".
std::string TodayText(int year, int month, int day);

// The unit system that the first line of the unit default file selects: 1 when its leading
// number equals 1, else 2.
int UnitsFromDefaultLine(std::string_view line);

// "temp/tavik$.unt" under the base folder.
std::filesystem::path DefaultUnitsFile(const std::filesystem::path& appDir);

// The unit system preselected at start-up: 2 when the file is missing, empty or unreadable.
int ReadDefaultUnits(const std::filesystem::path& file);

// Creates or overwrites the unit default file with the single line "1" or "2", written whole.
// Throws model::FileError naming the file when it cannot be written, and when anything but a
// regular file stands at its name (a named pipe, a device, a folder, a symbolic link): nothing
// waits on it.
void WriteDefaultUnits(const std::filesystem::path& file, int unitSystem);

// The question asked on a click of unit option `index` (1 I-P, otherwise SI).
std::string UnitDefaultQuestion(int index);

}  // namespace kalvano::shell
