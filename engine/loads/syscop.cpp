// The cooling system's efficiency of the hour, by air-conditioning type, in Btu per kWh.
#include <algorithm>

#include "engine/loads/stages.h"

namespace kv {

void SYSCOP(float DB, float WB, float TDAY, float LOAD, float CAP, int32_t ITYPE, float RATED, float& EFF) {
  // Evaporative cooling: the rated value as it is.
  if (ITYPE == 9) {
    EFF = RATED;
    return;
  }
  const float E = 0.89f * RATED;
  if (ITYPE < 5) {
    // Central plant with chilled water and a cooling tower.
    float plr = CAP > 0.0f ? LOAD / CAP : 0.1f;
    plr = std::clamp(plr, 0.1f, 1.0f);
    const float tchw = TDAY > 55.0f ? 40.0f : 46.0f;
    const float fchw = 1.3527f - 0.00833f * tchw;
    const float tcw = std::max(WB + 7.0f, 50.0f);
    const float fcw = 2.577516f - 0.050054f * tcw + 0.00036949f * tcw * tcw;
    const float fpl = (1.68984f - 1.90203f * plr + 1.0904f * plr * plr) / 0.87821f;
    EFF = E / (fpl * fchw * fcw);
  } else if (ITYPE == 5) {
    // Rooftop units.
    const float ft = TDAY > 55.0f ? 1.0f : 1.06f;
    EFF = E * ft * (2.0f - 0.010526f * DB);
  } else {
    // Direct expansion.
    EFF = (2.24f - 0.013f * DB) * E;
  }
}

}  // namespace kv
