// The last guard of the hour: the building sums and the zones' state after the zone pass are
// finite numbers. No valid input reaches a NaN or an infinity (the readers' ranges see to
// that); should one appear all the same, the run stops (status 6) before it reaches a report
// or a spreadsheet, naming where it appeared. Allocates nothing unless it fires.
#include <cmath>
#include <string>

#include "engine/core/state.h"
#include "engine/loads/stages.h"

namespace kv {

namespace {

[[noreturn]] void notFinite(const EngineState& s, int32_t MONTH, int zone, const char* quantity, float v) {
  const ENACC& e = s.enacc;
  std::string where = zone > 0 ? "zone " + std::to_string(s.bldg.IZONE(zone)) : std::string("the building");
  throw EngineStop(kStatusNotFinite, "the hourly " + std::string(quantity) + " of " + where + " is " +
                          (std::isnan(v) ? "not a number" : "infinite") + " on month " + std::to_string(MONTH) +
                          ", day " + std::to_string(e.IDAY) + ", hour " + std::to_string(e.IHR) +
                          ": the simulation cannot go on.");
}

}  // namespace

void HOURCHECK(EngineState& s, int32_t MONTH) {
  const ENACC& e = s.enacc;
  const struct {
    const char* name;
    float v;
  } building[] = {
      {"heating energy", e.QHTG},        {"cooling electricity", e.ECLG}, {"fan electricity", e.EFAN},
      {"lighting electricity", e.ELTG},  {"receptacle electricity", e.ERCP},
      {"cooling load", e.QCLOAD},        {"heating load", e.QHLOAD},     {"heating input", e.QHEAT},
      {"electric demand", e.ELKW},       {"gas use", e.FUELHR},          {"lights and equipment demand", e.ELTEQ},
  };
  for (const auto& q : building) {
    if (!std::isfinite(q.v)) notFinite(s, MONTH, 0, q.name, q.v);
  }
  for (int j = 1; j <= kLoadCategories; ++j) {
    if (!std::isfinite(e.QCAT(j))) {
      const std::string name = "load of category " + std::to_string(j);
      notFinite(s, MONTH, 0, name.c_str(), e.QCAT(j));
    }
  }
  for (int z = 1; z <= s.bldg.NZ; ++z) {
    if (!std::isfinite(e.TZONE(z))) notFinite(s, MONTH, z, "air temperature", e.TZONE(z));
    if (!std::isfinite(e.TMASS(z))) notFinite(s, MONTH, z, "mass temperature", e.TMASS(z));
    if (!std::isfinite(e.QZTOT(z))) notFinite(s, MONTH, z, "total load", e.QZTOT(z));
  }
}

}  // namespace kv
