// The calendar's sun against an independent one: every sunlit hour of a generated year at
// three latitudes against the published NOAA solar position equations.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "calendar_fixture.h"
#include "sun_reference.h"

namespace {

struct HourSun {
  int jday;
  float hour, alt, azm;
  int night;
};
std::vector<HourSun>& seen() {
  static std::vector<HourSun> v;
  return v;
}
void recordSun(kv::EngineState& s, int32_t, float) {
  const kv::HRWTHR& w = s.hrwthr;
  seen().push_back({w.JDAY, w.HOUR, w.ALT, w.AZM, w.NIGHT});
}

double angleBetween(double a, double b) {
  double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180.0 ? 360.0 - d : d;
}

TEST(SunReference, every_sunlit_hour_of_a_year_has_the_reference_altitude_and_azimuth) {
  // The engine's declination is a one-cosine fit (within about 1 degree); its altitude and
  // azimuth stay close to the reference all day, through solar noon. Where the sun stands
  // near the zenith a small offset of its position is a large angle of azimuth, so there the
  // azimuth's arc on the sky (its angle times the cosine of the altitude) is held instead.
  struct Place {
    float lat, lonWest, meridianWest;
  };
  const Place places[] = {{25.0f, 80.3f, 75.0f}, {40.0f, 105.0f, 105.0f}, {65.0f, 147.9f, 135.0f}};
  for (const Place& p : places) {
    SCOPED_TRACE(testing::Message() << "latitude " << p.lat);
    kvtest::Site site = kvtest::kHot;
    site.lat = p.lat;
    site.lon = p.lonWest;
    site.mer = p.meridianWest;
    kvtest::Options o;
    o.year = 2025;
    kvtest::CalendarRun run(site, o);
    run.s->hooks.ENERGY = recordSun;
    seen().clear();
    run.run();
    ASSERT_EQ(seen().size(), 8760u);

    int sunlit = 0, nearNoon = 0;
    for (const HourSun& h : seen()) {
      if (h.night == 1 || h.alt <= 0.0f) continue;
      ++sunlit;
      const kvtest::RefSun ref =
          kvtest::noaaSun(2025, h.jday, h.hour, p.lat, -p.lonWest, -p.meridianWest / 15.0);
      SCOPED_TRACE(testing::Message() << "day " << h.jday << " hour " << h.hour << " altitude " << h.alt
                                      << " azimuth " << h.azm << " reference " << ref.altitude << " "
                                      << ref.azimuth);
      EXPECT_NEAR(h.alt, ref.altitude, 1.1);
      const double dAzm = angleBetween(h.azm, ref.azimuth);
      EXPECT_LE(dAzm * std::cos(ref.altitude * M_PI / 180.0), 1.1);
      if (ref.altitude < 75.0) {
        EXPECT_LE(dAzm, 1.5);
      }
      if (angleBetween(ref.azimuth, 180.0) < 10.0) ++nearNoon;
    }
    EXPECT_GT(sunlit, 4000);
    EXPECT_GT(nearNoon, 100);  // the hours around solar noon are among them
  }
}

}  // namespace
