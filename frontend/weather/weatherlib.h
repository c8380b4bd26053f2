// The weather library weather/weth.asc and the project's weather block, without a widget.
// A library record is 10 lines: the state line ("code","name  "), the station line (the
// quoted "city, state mark" string, the quoted station number, latitude, longitude, time
// meridian, elevation) and eight rows of 12 monthly values, always in inch-pound units. The
// weather block is the project's fixed-column copy of one record, in the project's units.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvano::weather {

inline constexpr int kMaxRecords = 3000;
inline constexpr int kRows = 8;  // dry-bulb mean and deviation, maximum and deviation,
                                 // dew-point mean and deviation, solar, wind

// The fields of one quoted-text-or-number line, as delimited input reads them: a quoted
// text up to its closing quote, or a number ended by a blank or a comma.
std::vector<std::string> DelimitedFields(std::string_view line);

struct LibraryRecord {
  std::string stateCode;   // line 1, field 1
  std::string stateField;  // line 1, field 2 (seven characters)
  std::string cityString;  // "City, State *"
  std::string station;
  double latitude = 0, longitude = 0, meridian = 0, elevation = 0;  // elevation in feet
  std::array<std::array<double, 12>, kRows> months{};               // inch-pound
  bool operator==(const LibraryRecord&) const = default;
};

// Reads the library (LF or CR LF); at most 3000 records. A record that ends early or whose
// lines do not hold their fields throws model::FileError (wrong format).
std::vector<LibraryRecord> ParseLibrary(std::string_view text);

// The text of the library file `path`, read as the weather window reads it. A file that holds
// nothing is refused as empty, and one that ends in the middle of a record (its last record
// has fewer than 10 lines, or its last line, left without a line end, lacks fields of its line
// or is narrower than a monthly row's 72 columns) as cut short, each naming the file
// (model::FileError, wrong format); one that ParseLibrary refuses is the wrong format.
std::string ReadLibraryText(const std::string& path);

// The records of the library file `path`: its text as ReadLibraryText gives it, then as
// ParseLibrary.
std::vector<LibraryRecord> ReadLibraryFile(const std::string& path);

// Keys of a city string: the city (before the first comma), the state text (from two
// characters after it), the state name (the state text up to the first mark, less its last
// character), the state key (the state text without trailing blanks and marks) and the mark
// ("!", "#", "##", "*", "@" or empty).
std::string CityKey(std::string_view cityString);
std::string StateText(std::string_view cityString);
std::string StateName(std::string_view cityString);
std::string StateKey(std::string_view cityString);
std::string Mark(std::string_view cityString);

struct StateBlock {
  std::string name;      // the state name of its first record
  int first = 0;         // number of its first record, from 1
  int extra = 0;         // its further records
};
// One entry per run of records with equal state name fields.
std::vector<StateBlock> StateBlocks(const std::vector<LibraryRecord>& records);

// The cities of the block whose state name is `state` (the first such block).
std::vector<std::string> CitiesOf(const std::vector<LibraryRecord>& records, std::string_view state);

// The record (index from 0) whose city key equals `city` and whose state text begins with
// `state` (before any mark); none when there is no such record.
std::optional<std::size_t> FindCityRecord(const std::vector<LibraryRecord>& records,
                                          std::string_view city, std::string_view state);
// The record of `city` in the state whose key is `stateKey`.
std::optional<std::size_t> FindLoaded(const std::vector<LibraryRecord>& records,
                                      std::string_view city, std::string_view stateKey);

// What the weather window shows: texts of its boxes, in the window's units.
struct WeatherEntry {
  std::string state, city, station, latitude, longitude, meridian, elevation;
  std::array<std::array<std::string, 12>, kRows> months{};
  // The library record the boxes were filled from, if any. A record written from the boxes
  // keeps this record's inch-pound value for every value box whose text is still the one
  // shown for it (blanks aside), which a conversion of the shown decimals would move; only
  // the boxes the user changed are converted.
  std::optional<LibraryRecord> source;
};

// A record shown in the window's units (unitSystem 1 inch-pound, 2 SI): values rounded to
// one decimal (solar to none) and right-aligned in five characters; the record is its source.
WeatherEntry EntryOf(const LibraryRecord& record, int unitSystem);

// The unit labels of the eight monthly rows in an inch-pound and in an SI window.
inline constexpr std::array<const char*, kRows> kIPRowUnits{"Deg. F", "Deg. F", "Deg. F",     "Deg. F",
                                                            "Deg. F", "Deg. F", "Btu/sq.ft.", "Miles/hr."};
inline constexpr std::array<const char*, kRows> kSIRowUnits{"Deg. C", "Deg. C", "Deg. C",   "Deg. C",
                                                            "Deg. C", "Deg. C", "kJ/sq.m.", "m/sec."};

// The first month box that holds no number, as "row month" (1-based), or empty when every
// box holds one.
std::optional<std::pair<int, int>> FirstNonNumeric(const WeatherEntry& entry);

// Why the boxes cannot be saved as a library record, naming the box, or empty: a double quote
// in the state, city or station number (the library keeps them in quotes), a station value
// that is not finite in inch-pound units, or a month value the user changed that lies beyond
// the limits its field holds with its decimal (-99.9 to 999.9, solar -9999 to 99999, in
// inch-pound units; in an SI window the lowest and highest values of the row's decimals whose
// inch-pound values lie within them), the limits that the refusal quotes.
std::string RecordRefusal(const WeatherEntry& entry, int unitSystem);

// The 10 lines of a record written from the window (unitSystem as above). A record of a new
// state (`stateCode` empty) takes the first two characters of the state as its code, its
// city string is cut to 37 characters and marked " !"; one inserted into an existing state
// takes that state's code and is cut to 39 characters.
std::vector<std::string> RecordLines(const WeatherEntry& entry, const std::string& stateCode,
                                     int unitSystem);

// The library text after saving `entry` as a new record: after the last record of its
// state's block, or at the end as a new state. `newState` tells which. The lines past the
// 3000 records the readers see are kept byte for byte. The text returned is verified: it
// reads back as the records of `library` with the new one in its place. A record that the
// library could not hold as entered (RecordRefusal) throws model::FileError (overflow, or a
// type mismatch for a quote), and so does a new state that would stand past the 3000th
// record, where no reader sees it (subscript out of range), or a text that would not read
// back (wrong format).
std::string InsertRecord(std::string_view library, const WeatherEntry& entry, int unitSystem,
                         bool& newState);
// The library text with record `index` (from 0) replaced by `entry`; kept, verified and
// refused as InsertRecord's.
std::string ReplaceRecord(std::string_view library, std::size_t index, const WeatherEntry& entry,
                          int unitSystem);

// The project's weather block (lines 1..11, element 0 unused) built from the window's
// boxes, in the window's units (unitSystem as above). The location (city, state and mark) is
// cut to end by column 50, the station number padded to five characters, and latitude,
// longitude, meridian and elevation right-aligned in six. Empty when a station number is
// longer than five characters, a station value is empty or longer than six, a station value
// would not be read by the engine's free-format scan as the value the window takes from its
// box (between other values, whose reading it must leave alone, and in the station line as
// the run file holds it: in SI with the elevation converted to feet and set apart), a station
// value lies outside the range that the engine accepts (quoted in the unit shown: for an SI
// elevation the metres whose whole feet lie in it), or a month value lies beyond the limits
// its field holds with its decimal (-99.9 to 999.9, solar -9999 to 99999, in the window's units
// and, for SI, in inch-pound units too) or outside the range that the engine accepts for its
// row (common/stationrange.h; for SI, its inch-pound copy as the run file holds it):
// `refusal` then says why, naming the box and quoting the limits of its row that the check
// applies, in the row's unit (for SI, the lowest and highest values of the row's decimals
// that it takes). The design temperatures that OK derives from the block must lie in the
// range the engine accepts for a temperature too, as the run file holds them: else `refusal`
// names the first beyond it, with its value and that range in the window's unit.
std::array<std::string, 12> WeatherBlockLines(const WeatherEntry& entry, const std::string& mark, int unitSystem,
                                              std::string& location, std::string& refusal);

// The project's block shown in the window (its own units); the station values are taken where
// the simulation reads them, the elevation also when a save in the other units moved it right.
WeatherEntry EntryOfBlock(const std::array<std::string, 12>& block, std::string& mark);

inline constexpr std::string_view kNoNewData =
    "No new data have been entered.  Current data will not be saved into the database.";
inline constexpr std::string_view kNotInLibrary =
    "The current database does not include the state or city name you enter.  Save the data As New.";
inline constexpr std::string_view kNotInLibraryTitle = "State or city name not found";
inline constexpr std::string_view kNumbersOnly = "Please use numerical values.";

}  // namespace kalvano::weather
