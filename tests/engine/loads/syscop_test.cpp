// The cooling efficiency of the hour by system type at its operating points.
#include <gtest/gtest.h>

#include "engine/loads/stages.h"

namespace {

TEST(Syscop, efficiency_by_system_type_and_operating_point) {
  constexpr float kRated = 10000.0f;
  const float fplLow = (1.68984f - 0.190203f + 0.010904f) / 0.87821f;  // part load 0.1
  struct Row {
    const char* what;
    int type;
    float db, wb, tday, load, cap;
    float ratio;  // EFF / RATED
  };
  const Row rows[] = {
      {"evaporative: rated as is", 9, 95, 78, 80, 5000, 10000, 1.0f},
      {"central, full load, warm day, wet bulb 78", 1, 95, 78, 80, 10000, 10000, 0.89f / (1.0195f * 0.99249f)},
      {"central types 2-4 alike", 4, 95, 78, 80, 10000, 10000, 0.89f / (1.0195f * 0.99249f)},
      {"central, load above the peak counts as full", 2, 95, 78, 80, 20000, 10000, 0.89f / (1.0195f * 0.99249f)},
      {"central, zero load: part load 0.1", 3, 95, 78, 80, 0, 10000, 0.89f / (fplLow * 1.0195f * 0.99249f)},
      {"central, no peak yet: part load 0.1", 1, 95, 78, 80, 5000, 0, 0.89f / (fplLow * 1.0195f * 0.99249f)},
      {"central, cool day: 46 F chilled water, 50 F condenser water", 1, 60, 30, 50, 10000, 10000,
       0.89f / ((1.3527f - 0.00833f * 46) * (2.577516f - 0.050054f * 50 + 0.00036949f * 2500))},
      {"rooftop at 95 F on a cool day", 5, 95, 78, 50, 5000, 10000, 1.06f * 0.89f * (2 - 0.010526f * 95)},
      {"rooftop at 95 F on a warm day", 5, 95, 78, 80, 5000, 10000, 0.89f * (2 - 0.010526f * 95)},
      {"rooftop at 80 F", 5, 80, 70, 80, 5000, 10000, 0.89f * (2 - 0.010526f * 80)},
      {"DX residential at 95 F", 6, 95, 78, 80, 5000, 10000, 1.005f * 0.89f},
      {"DX heat pump at 95 F", 7, 95, 78, 80, 5000, 10000, 1.005f * 0.89f},
      {"DX window unit at 70 F", 8, 70, 60, 80, 5000, 10000, (2.24f - 0.013f * 70) * 0.89f},
  };
  for (const Row& r : rows) {
    float eff = -1;
    kv::SYSCOP(r.db, r.wb, r.tday, r.load, r.cap, r.type, kRated, eff);
    EXPECT_NEAR(eff / kRated, r.ratio, 2e-4) << r.what;
  }
  // The worked figure: about 0.8796 of the rating at full load.
  float eff = 0;
  kv::SYSCOP(95, 78, 80, 1, 1, 1, kRated, eff);
  EXPECT_NEAR(eff / kRated, 0.8796f, 1e-4);
}

}  // namespace
