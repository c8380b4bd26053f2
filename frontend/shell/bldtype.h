// The building-type defaults: 42 installed files btype/bdtype<n>.dat, in inch-pound units,
// each holding a type's default project items, economics and zone values. Choosing a type
// in the project information window starts a new project from its file.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "frontend/model/project_model.h"

namespace kalvano::shell {

inline constexpr int kBuildingTypes = 42;
inline constexpr int kTypeFileLines = 57;

// The twelve boxes of the project information window, items 0..11.
using ProjectBoxes = std::array<std::string, model::kProjectItems>;

// The captions of the "Building Type" menu, types 1..42 (element 0 is empty).
const std::array<std::string_view, kBuildingTypes + 1>& BuildingTypeCaptions();

// File name of type n under the base folder: "btype/bdtype<n>.dat".
std::string BuildingTypeFile(int n);

// The value that a line of the file gives: a line shorter than 20 characters whole, a longer
// one cut to 20 characters and then to its last non-blank character.
std::string TypeValueText(std::string_view line);

// A value converted for an SI project: the number at the start of `value` multiplied by
// (or divided by) `factor`, rounded to `decimals`, written in number form and right-aligned
// in `width`.
std::string ConvertedValue(std::string_view value, double factor, int decimals,
                           std::size_t width, bool divide = false);

// The outdoor-air field of the file in SI: "CP" (or no code) rates in litres per second
// per person to 1 decimal, "CS" rates in litres per second per square metre to 3 decimals,
// written directly after the code; "PA" percentages unchanged.
std::string OutdoorAirToSI(std::string_view value);

// Loads building type n (1..42) into the model and the boxes. Values are stored line by
// line as they are read; a failure (FileError: missing file, file ending early, a people
// value that is no number) stops the load there and leaves what was stored, with
// ProjectLoaded 0 and BldTypeNo, BldTypeChosen and the current zone's profile numbers
// unchanged.
void LoadBuildingType(model::ProjectModel& m, int n, ProjectBoxes& boxes);

}  // namespace kalvano::shell
