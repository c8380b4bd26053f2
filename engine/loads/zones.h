// Routines of the zone pass that tests reach directly (zones.cpp).
#pragma once

namespace kv {

// Dew point (F) of the zone air from its vapour pressure PW (psia): the ice-side curve below
// 32 F zone air or when the water-side curve gives less than 32 F.
float zoneDewPoint(float PW, float TZONE);

// The load ratio L / DESGAIN of a cooling hour. A design gain of 0 or below (a zone without
// gains before its first peak, or one whose peak came with a negative sensible load) gives 1
// for a positive load and 0 otherwise, never a division by zero.
float coolRatio(float L, float DESGAIN);

}  // namespace kv
