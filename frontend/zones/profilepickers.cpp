#include "frontend/zones/profilepickers.h"

#include "frontend/zones/occupprof.h"
#include "frontend/zones/temperature.h"

namespace kalvano::zones {

void ShowUseProfilePicker() { OpenOccupProf(); }

bool ShowTemperaturePicker() { return OpenTemperature(); }

}  // namespace kalvano::zones
