// Zone tags and the heads that the set-up writes into the hourly spreadsheets tavik$.hry and
// etemp$.hry (the main program writes the first lines of etemp$.hry before them).
#pragma once

#include <cstdint>

#include "engine/core/arrays.h"

namespace kv {

struct EngineState;

// Three-character zone tag: the zone number's last three decimal digits right-aligned, the
// unused leading positions "-" (5 -> "--5", 12 -> "-12", 0 -> "--0").
void CHRMOD(int16_t N, Chars<3>& TEXT);

// Detail level 0: project block, title, column heads and units row of tavik$.hry (with
// ENACC's SEP as separator and IORNT as the solar column heads).
void writeEnergyHeads(EngineState& s);
// Detail level 0: the two head lines of etemp$.hry (zone names and column heads with ZTAG).
void writeTempHeads(EngineState& s);
// Detail levels 1 and above: the "#" key header of tavik$.hry.
void writeEnergyKeyHeader(EngineState& s);

}  // namespace kv
