// FREAD: the free-format line scanner. Splits one 132-column line into up to 32 numbers and
// 20 texts of 42 characters, in order of appearance; letters and digits of one token are
// pulled apart (CP20 gives the text CP and the number 20). Never fails; allocates nothing.
// The scan itself is common/freescan.h, which the front-end checks its written lines with.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/core/arrays.h"

namespace kv {

struct EngineState;

using FreadTexts = Arr1<Chars<42>, 20>;
using FreadNums = Arr1<double, 32>;

// LINE is taken as 132 columns: a shorter line is blank-padded, a longer one cut.
void FREAD(std::string_view LINE, int32_t& NNUM, int32_t& NTXT, FreadTexts& TXT, FreadNums& NUM);

// The main program's shared form: scans LINE into s.mainpg (LINE, NNUM, NTXT, TXT, NUM).
void FREAD(EngineState& s, std::string_view LINE);

}  // namespace kv
