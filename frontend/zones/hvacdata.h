// The HVAC system data base btype/tcool.dat: three header lines, then per system a system
// line and a gas-heat line in fixed columns. The HVAC data-base window and the zone window's
// cooling-system choice both read it through this one codec; the data-base window rewrites
// it. The file holds both unit systems on each line: a project shows (and its user types)
// the values of its own unit system, and the writer derives the other ones. The engine reads
// the same file by counting the numbers on each line, so a system name holds no digit and
// every value is a number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/project_model.h"

namespace kalvano::zones {

inline constexpr int kHvacSystems = 9;

// The characters each value of a system line is read back with (and the most a value box
// takes): name, static pressure, SEER or COP, supply temperature, first and maintenance cost.
inline constexpr std::size_t kHvacNameWidth = 51;
inline constexpr std::size_t kStaticPressureWidth = 6;
inline constexpr std::size_t kEfficiencyWidth = 5;
inline constexpr std::size_t kSupplyTempWidth = 4;
inline constexpr std::size_t kFirstCostWidth = 5;
inline constexpr std::size_t kMaintCostWidth = 6;

// One system as a project shows it: texts in the project's unit system, as read (with the
// blanks of their columns) or typed. Inch-pound: static pressure in inches of water, SEER,
// supply temperature in F; SI: static pressure in Pa, COP, supply temperature in C. Costs are
// per ton in both.
struct HvacSystem {
  std::string name;
  std::string stpres, seer, temp, fcost, mcost;
};

// The three header lines.
extern const std::string_view kHvacHeader1;
extern const std::string_view kHvacHeader2;
extern const std::string_view kHvacHeader3;

// AppDir/btype/tcool.dat.
std::string HvacDatabasePath(const model::ProjectModel& m);

// The systems of the data base's lines (ends already taken off) for a project in
// `unitSystem`. Blank lines at the end are ignored. Throws model::FileError: a file that
// ends before its headers or inside a system (62), or one of more than nine systems (9).
std::vector<HvacSystem> ParseHvacDatabase(const std::vector<std::string>& lines,
                                          int16_t unitSystem);
// Reads the file; a missing or unreadable file is its FileError.
std::vector<HvacSystem> ReadHvacDatabase(const std::string& path, int16_t unitSystem);

// What keeps a system from being written as the engine reads it back. The engine counts the
// numbers of each line in order, so every value must be one number standing apart from its
// neighbours, and a name must hold nothing the engine takes for part of a number.
struct HvacFault {
  enum Kind {
    kNameReadAsNumber,  // the name holds a digit, a sign or a quote (')
    kNotANumber,        // a value is empty, or more or less than one plain number
    kTooWide,           // a value, or a value derived from it, runs into the next field
    kOutOfRange,        // a SEER the engine reads as 0, or a supply temperature of 75 F or more
  };
  int system = 0;  // index from 0
  int field = 0;   // 0 the name, 1..5 static pressure, SEER or COP, supply temperature,
                   // first cost, maintenance cost (the window's columns)
  Kind kind = kNotANumber;
};

// The first fault of `systems` written from a project in `unitSystem`, or none.
std::optional<HvacFault> FindHvacFault(const std::vector<HvacSystem>& systems, int16_t unitSystem);

// The lines of the data base written from a project in `unitSystem` (no line ends), system
// i from systems[i - 1]. A name is cut to its 51 characters and a value to its width. A
// system that the engine would read wrongly (any fault but a value out of range) throws
// model::FileError: overflow (6) for a value too wide, type mismatch (13) otherwise.
std::vector<std::string> HvacDatabaseLines(const std::vector<HvacSystem>& systems,
                                           int16_t unitSystem);
// Rewrites the file whole (CR LF line ends) or, on a failure, not at all; throws FileError.
void WriteHvacDatabase(const std::string& path, const std::vector<HvacSystem>& systems,
                       int16_t unitSystem);

// Whether a text holds a digit: a system name must not (the engine would count it as a
// number).
bool HasDigit(std::string_view text);

// Text without its leading and trailing blanks.
std::string TrimBlanks(std::string_view text);

}  // namespace kalvano::zones
