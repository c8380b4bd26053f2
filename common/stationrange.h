// The station values of the project's weather block (latitude, longitude, time meridian,
// elevation) and the range the engine accepts for each, as the run file holds them: degrees,
// and the elevation in feet. Shared so that the weather window refuses what a run would stop on.
#pragma once

#include <array>
#include <string_view>

namespace kalvano::station {

struct ValueRange {
  double lo, hi;
  std::string_view what;  // the engine's "... EXPECTED"
  std::string_view si;    // what the engine adds to it in a run reported in SI units
};

inline constexpr std::size_t kLatitude = 0, kLongitude = 1, kMeridian = 2, kElevation = 3;

inline constexpr std::array<ValueRange, 4> kRanges{{
    {-90, 90, "A LATITUDE OF -90 TO 90 DEGREES", ""},
    {-360, 360, "A LONGITUDE OF -360 TO 360 DEGREES", ""},
    {-360, 360, "A TIME-ZONE MERIDIAN OF -360 TO 360 DEGREES", ""},
    {-2000, 30000, "AN ELEVATION OF -2000 TO 30000 FT", " (-609.6 TO 9144 M)"},
}};

}  // namespace kalvano::station
