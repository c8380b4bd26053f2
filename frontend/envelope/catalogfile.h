// The wall/roof and window/skylight catalogues (profiles/bprof6.dat, profiles/bprof7.dat),
// without a widget: 7 lines per entry (ID, description, U-factor, three properties, cost),
// always in inch-pound units; in an SI project the U-factor and the cost are shown converted.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kalvano::envelope {

inline constexpr int kCatalogEntries = 31;  // entries 0..30
inline constexpr int kCatalogColumns = 7;   // ID, description, U-factor, 3 properties, cost

// The catalogue as the window holds it: column c (0..6) of entry k (0..30), in the project's
// units.
using CatalogTable = std::array<std::array<std::string, kCatalogEntries>, kCatalogColumns>;

// Reads a catalogue (LF or CR LF; no CR kept in a value). An entry cut short, or more than 31
// entries, throws model::FileError (wrong format), so that a save can never drop entries.
CatalogTable ReadCatalog(std::string_view text, int unitSystem);

// The text of the catalogue file `path`. A file that holds nothing is refused as empty, and one
// that ends in the middle of an entry (its last entry has fewer than its 7 lines, or its last
// line lost its line end, which a value of free width cannot be told whole without) as cut
// short, each naming the file (model::FileError, wrong format).
std::string ReadCatalogText(const std::string& path);

// Reads the catalogue file `path` as the catalogue window does: its text as ReadCatalogText
// gives it, then as ReadCatalog.
CatalogTable ReadCatalogFile(const std::string& path, int unitSystem);

// The file text of the table: entries up to the first empty ID, 7 CR LF lines each; in an
// SI project the U-factor and cost converted back to inch-pound.
std::string CatalogText(const CatalogTable& table, int unitSystem);

// Why the table cannot be saved, or empty: an entry whose ID is not its entry number (the
// projects use the ID as the type's position), named by its number; an empty ID of entry 1,
// which would save no entry at all, among them.
std::string CatalogRefusal(const CatalogTable& table);

// The SI texts of an inch-pound U-factor and cost, and back.
std::string UFactorToSI(std::string_view ip);
std::string CostToSI(std::string_view ip);
std::string UFactorToIP(std::string_view si);
std::string CostToIP(std::string_view si);

}  // namespace kalvano::envelope
