// The zone window's fields without a widget: which keys and clicks each of the 30 fields
// takes, the ventilation-rate texts of field 9, the number of people that follows the floor
// area, the fields that "Undo Last" restores and the natural-ventilation switch.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/project_model.h"

namespace kalvano::zones {

inline constexpr std::string_view kSelectProfile = "Select Profile from Pull-down Menu";
inline constexpr std::string_view kProfilesTitle = "Profiles";
inline constexpr std::string_view kSelectLighting = "Select Lighting type from Pull-down Menu";
inline constexpr std::string_view kLightingTitle = "Lighting Type";
inline constexpr std::string_view kSelectHvac = "Select HVAC system from Pull-down Menu";
inline constexpr std::string_view kHvacTitle = "HVAC System";
inline constexpr std::string_view kEnterVentilation = "Please enter the ventilation rate";
inline constexpr std::string_view kZoneHelpFile = "help4.txt";
inline constexpr std::string_view kZoneHelpCaption = "ZONE DESCRIPTION";

// How a zone field is filled.
enum class FieldEntry {
  Locked,       // 1: no key is taken, silently
  Text,         // 2: any key
  Numeric,      // digits, point, Backspace, Enter, Tab
  Profile,      // 6, 8, 10, 15..19: through a profile picker
  Ventilation,  // 9: through the ventilation-rate dialog
  Lighting,     // 11: the Lighting menu
  Hvac,         // 20, 21: the HVAC System menu
};
FieldEntry EntryOf(int field);

// Whether a key is one of the numeric keys (digits, point, Backspace 8, Tab 9, Enter 13).
bool NumericKey(char32_t key);

// The use-profile kind (1 occupancy, 2 hot water, 3 ventilation, 4 lighting) of field 6, 8,
// 10 or 15, 0 for any other field; and the field of a kind.
int ProfileKindOfField(int field);
int FieldOfProfileKind(int kind);

// The profile number a profile field holds: its value rounded to a whole number (halves to
// the even one); 0 for a value beyond the 16-bit range.
int16_t ProfileNumberOf(std::string_view field);

// Field 9's text as the ventilation-rate dialog shows it: the box (0 per person, 1 per floor
// area, 2 percent outside air) and its text. "CP", "CS" and "PA" select the box and are cut
// off; any other text goes whole into the per-person box.
struct VentilationBox {
  int box = 0;
  std::string text;
};
VentilationBox SplitVentilation(std::string_view field);
// The rate of a box's text: what follows its last blank that precedes a non-blank (a text
// without such a blank is taken whole).
std::string VentilationRate(std::string_view box);
// The text of field 9 for a rate typed in box 0, 1 or 2: its code and the rate.
std::string VentilationField(int box, std::string_view rate);

// Field 5 after a key in field 3: the floor area over the area per person, rounded as the
// zone editor always has (+0.7, then down), when the zone has more than 1.0 area per person;
// the stored number of people otherwise.
std::string PeopleAfterAreaKey(const model::ProjectModel& m);

// The fields that "Undo Last" restores after field `k` was edited: k itself, and with the
// cooling system (20) its pressure, efficiency and costs, with the heating type (21) its
// efficiency. Empty for 0.
std::vector<int> UndoFields(int k);

// Field 22 when natural ventilation is switched on: 4 cfm/sq.ft. or 20 L/s/sq.m.
std::string NaturalVentilationDefault(int16_t unitSystem);

}  // namespace kalvano::zones
