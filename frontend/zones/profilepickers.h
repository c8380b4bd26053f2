// The zone window's profile pickers as the zone window opens them: the use-profile picker
// (occupancy, hot water, ventilation, lighting) and the temperature picker. Both are
// modeless; their OK writes back through zoneform::RefreshZoneForm.
#pragma once

namespace kalvano::zones {

// Shows the use-profile picker for the model's ZoneEdit.ProfPickerKind (1..4). The zone
// window has stored its inputs, set PickerProfileNo and LastEditedField, marked the kind
// opened, taken ProfUndoCopy and marked the building type's profile before it calls this.
void ShowUseProfilePicker();

// Fills the temperature picker from profiles/bprof5.dat and the model and shows it (the
// zone window has stored its inputs and set ProfPickerKind 5 and ProfKindOpened(5)). A
// library that cannot be read, or has fewer than 13 lines, is reported through
// ReportFileError and the picker is left as it was; the result is false then.
bool ShowTemperaturePicker();

}  // namespace kalvano::zones
