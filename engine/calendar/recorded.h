// Recorded hourly weather: the four record layouts of tavik$.tmy and the station header of
// the TMY2 and Custom files, each turned into the engine's inch-pound units. Everything here
// works on one line (or one run of lines) and touches no file, so a test can feed it text.
//
// Weather format codes: 1 TMY2, 2 WYEC2, 3 IWEC (free format, eight numbers per record),
// 4 Custom (the TMY2 record two columns to the right); any other code reads as TMY2.
//
// Which malformed records are skipped and which stop the run:
//   - skipped (the next line is read in its place): a line that is empty or holds only
//     blanks;
//   - stop the run (stop code 2500, the record's error number after " Error #"):
//       1  a numeric field holds something that is not a number,
//       2  the line ends before the last column that its layout reads,
//       3  the date is out of range (month 1..12, day 1..31, hour 0..24, or 100..2400 in
//          the free format's hours-times-100; the free format's year -9999..9999),
//       4  a WYEC2-family record with a 4-digit year in columns 7-10: the WYEC2 layout
//          reads a 2-digit year in columns 7-8, so every later field would be taken two
//          columns off,
//       5  a value outside the range of its field: dry bulb and dew point -100 to 150 F,
//          global horizontal irradiance 0 to 1500 W/m2, wind speed 0 to 150 mph.
//   A free-format value must be a finite number ("nan" and "inf" are error 1), and every
//   value is checked against its range before it is converted to an integer.
//   The end of the file is not an error of the record; the caller decides what it means.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

// Error numbers printed after " Error #" in the bad-record message.
inline constexpr int kWxNotNumeric = 1;
inline constexpr int kWxShortRecord = 2;
inline constexpr int kWxDateRange = 3;
inline constexpr int kWxFourDigitYear = 4;
inline constexpr int kWxValueRange = 5;

// A value of a record as an integer for a message: truncated, 0 when it has none.
std::int32_t recordInt(double v);

// One hourly record in the engine's units. The date is as the file writes it (the year with
// the digits the file gives; hour 0 is left as 0 for the calendar to place).
struct WeatherRecord {
  std::int32_t year = 0, month = 0, day = 0, hour = 0;
  float dn = 0.0f;   // direct normal, Btu/h ft2
  float dfh = 0.0f;  // diffuse horizontal, Btu/h ft2
  float dh = 0.0f;   // total horizontal, Btu/h ft2
  float pb = 0.0f;   // station pressure, inHg
  float db = 0.0f;   // dry bulb, F
  float dp = 0.0f;   // dew point, F
  float wv = 0.0f;   // wind speed, mph
  float cc = 0.0f;   // cloud cover, 0..1
};

// The layout that a weather format code selects (unknown codes read as TMY2).
int weatherLayout(int code);

// True for a line that is no record at all: empty or blanks only.
bool isBlankRecord(std::string_view line);

// Layouts 1, 2 and 4. Reads the record's fields into rec in file order: the date first, so
// that on an error rec holds the date as far as it was read. `sinalt` is the sine of the sun
// altitude of the hour; `etr` receives the file's extraterrestrial horizontal value turned
// into a normal irradiance (the value the file gives in place of the day's). Layout 2 also
// gives the 5-character station identifier in `station` (left as it is otherwise).
// Returns 0 or an error number above.
int readFixedRecord(std::string_view line, int code, float sinalt, WeatherRecord& rec, float& etr,
                    char (&station)[5]);

// Layout 3. Free-format values of one line (blanks, tabs and commas separate them), appended
// to vals[n..7]; values past the eighth are ignored. Returns 0, or kWxNotNumeric when a value
// that is needed is not a finite number.
int readFreeValues(std::string_view line, double (&vals)[8], int& n);

// Layout 3, the eight values of a record (year, month, day, hour, dry bulb F, dew point F,
// global horizontal W/m2, wind mph) completed into rec: the dew point kept below the dry bulb,
// hours written as hundreds, the project's station pressure `pb`, and the sky split from the
// day's extraterrestrial normal irradiance `etr` and the hour's `sinalt` (cloud cover carried
// in `prevCC`; at night the irradiances are 0 and rec.cc is left as it is).
// Returns 0, kWxDateRange or kWxValueRange (checked before anything is converted).
int completeIwecRecord(const double (&vals)[8], float pb, float etr, float sinalt, float& prevCC,
                       WeatherRecord& rec);

// Month and day of a record line of the layout, for a look over the whole file (leap day):
// false when the line is no record of that layout.
bool recordMonthDay(std::string_view line, int code, int& month, int& day);

// The station header line of TMY2 (code 1) and Custom (code 4) files.
struct StationHeader {
  char station[5]{};     // WBAN identifier
  char location[25]{};   // city and state as written
  float latitude = 0.0f;   // degrees, south negative
  float longitude = 0.0f;  // degrees, east negative
  float meridian = 0.0f;   // degrees, west positive
  float elevation = 0.0f;  // ft
};
// Returns 0 or kWxNotNumeric.
int readStationHeader(std::string_view line, int code, StationHeader& h);

}  // namespace kv
