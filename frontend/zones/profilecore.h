// The profile pickers without a widget: the check of a profile's 24 hourly values, the
// temperature library profiles/bprof5.dat with its conversion to degrees C, what the
// temperature picker shows when it opens, and the limit of marked profiles per kind.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/project_model.h"

namespace kalvano::zones {

inline constexpr int kUseProfiles = 42;          // profiles 1..42 of a use kind, one per building type
inline constexpr int kUsePickerRows = 21;        // rows of the use-profile picker
inline constexpr int kMaxListOffset = 21;        // its scroll bar runs 0..21
inline constexpr int kProfilesPerKind = 20;      // marked profiles of one kind a run takes
inline constexpr int kProfileValues = 24;        // hourly values of a profile

// Which characters a profile may hold besides blanks, digits and points: set points may be
// negative, use profiles may not.
enum class ProfileRule { UseProfile, Temperature };

// A profile text holds only blanks, digits and points (and minus signs for a temperature
// profile) and exactly 24 values, a value being a run of non-blank characters.
bool ValidProfileText(std::string_view text, ProfileRule rule);

// The mark of a used profile: one blank followed by its number (" 7").
std::string ProfileMark(int number);
// The profile's mark is the one a used profile carries.
bool IsMarked(const model::ProfileColumn& marks, int number);

// The marked profiles of a kind as the project file holds them (1..50, temperature 1..12).
int MarkedProfileCount(const model::ProfileColumn& marks, int kind);
// Marking `number` would give the kind more marked profiles than a run takes.
bool WouldExceedProfileLimit(const model::ProfileColumn& marks, int kind, int number);
inline constexpr std::string_view kProfileLimitText =
    "The project already uses 20 profiles of this kind, the most a simulation can take.  "
    "Please pick one of the yellow profiles.";
inline constexpr std::string_view kSelectProfileTitle = "Select Profile";

// The zone field that the use-profile kind 1..4 fills (6, 8, 10, 15), and the title of its
// picker; 0 and an empty title for another kind.
int UseProfileField(int kind);
std::string_view UseProfileTitle(int kind);

// A library line of 24 set points in degrees F in degrees C: each value v becomes the number
// text of RoundTo((v - 32) / 1.8, 0), padded on the left to 2 characters and followed by one
// blank (at most 24 values are taken).
std::string SiTemperatureLine(std::string_view fahrenheitLine);

// The lines of profiles/bprof5.dat: a header, then the 12 temperature profiles in picker
// order. Throws FileError when the file cannot be read, or (past end of file, 62) when it
// holds fewer than 13 lines.
std::vector<std::string> ReadTemperatureLibrary(const model::ProjectModel& m);
inline constexpr std::string_view kTemperatureLibrary = "profiles/bprof5.dat";

// What the temperature picker shows when it opens, rows 1..12: a marked profile of an edited
// kind keeps the project's text and is highlighted, the others take the library line (in
// degrees C in an SI project); the zone's four set-point profiles are highlighted too.
struct TemperatureRows {
  std::array<std::string, model::kTempProfiles + 1> text;
  std::array<bool, model::kTempProfiles + 1> yellow{};
};
TemperatureRows TemperaturePickerRows(const model::ProjectModel& m,
                                      const std::vector<std::string>& library);

// The set-point slot 1..4 of temperature profile 1..12; slot s is zone field 15 + s.
inline int TemperatureSlot(int profile) { return (profile - 1) % 4 + 1; }

}  // namespace kalvano::zones
