// The values of the project's weather block and the range the engine accepts for each, as the
// run file holds them: the station values (latitude, longitude, time meridian, elevation) in
// degrees and the elevation in feet, and the eight monthly rows in inch-pound units (F, Btu/sq.ft
// a day, mph). Shared so that the weather window refuses what a run would stop on.
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

// A temperature of the weather block (the monthly means and maxima, the design temperatures)
// and a monthly standard deviation.
inline constexpr ValueRange kTemperature{-100, 150, "A TEMPERATURE OF -100 TO 150 F", ""};
inline constexpr ValueRange kDeviation{0, 100, "A STANDARD DEVIATION OF 0 TO 100", ""};

// The monthly rows in the block's order: dry-bulb mean and its deviation, dry-bulb maximum and
// its deviation, dew-point mean and its deviation, daily solar radiation, wind speed.
inline constexpr std::array<ValueRange, 8> kMonthRanges{{
    kTemperature,
    kDeviation,
    kTemperature,
    kDeviation,
    kTemperature,
    kDeviation,
    {0, 5000, "A DAILY SOLAR RADIATION OF 0 TO 5000 BTU/SQFT", ""},
    {0, 150, "A WIND SPEED OF 0 TO 150 MPH", ""},
}};

}  // namespace kalvano::station
