#include "frontend/zones/profilepickers.h"

namespace kalvano::zones {

void ShowUseProfilePicker() {}

bool ShowTemperaturePicker() { return false; }

}  // namespace kalvano::zones
