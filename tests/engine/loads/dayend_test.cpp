#include <gtest/gtest.h>

#include <memory>

#include "engine/core/state.h"
#include "engine/loads/energy.h"

TEST(DayEnd, weekday_starts_from_first_of_january_and_the_first_day_and_advances) {
  struct Row {
    int dow1, day1, firstIdow;  // IDOW1: 1 = Sunday; IDOW: 1 = Monday
  };
  const Row rows[] = {{1, 1, 7}, {3, 10, 4}, {2, 1, 1}, {7, 366, 7}};
  for (const Row& r : rows) {
    auto s = std::make_unique<kv::EngineState>();
    s->runpar.IDOW1 = r.dow1;
    s->runpar.IDAY1 = r.day1;
    kv::ENERGY(*s, 1, 1.0f);
    EXPECT_EQ(s->enacc.IDOW, r.firstIdow) << r.dow1 << " " << r.day1;
    s->hrwthr.HOUR = 1.0f;  // a later call is an hour of the simulation
    s->hrwthr.DAY = 1.0f;
    s->enacc.IHR = 1;
    kv::ENERGY(*s, 1, 1.0f);  // later calls leave the set-up alone
    EXPECT_EQ(s->enacc.IDOW, r.firstIdow);
    int32_t dow = 0;
    kv::DAYEND(*s, 1, dow);
    EXPECT_EQ(dow, r.firstIdow % 7 + 1);
  }
}
