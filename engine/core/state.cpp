#include "engine/core/state.h"

#include <ctime>

namespace kv {

PRJTXT::PRJTXT() {
  PLOC.blank();
  PSCHM.blank();
  PTYPE.blank();
  PNAME.blank();
  PDESC.blank();
  PPHASE.blank();
  for (auto& k : PKIND) k.blank();
  for (auto& z : ZNAME) z.blank();
}

CHTAB::CHTAB() {
  const char* rslt[] = {"HT PUMP", "kBtuh", "kW", "kW"};
  for (int i = 1; i <= 4; ++i) RSLT(i).set(rslt[i - 1]);
  const char* keyw[] = {"WALL", "WIND", "PROF", "ZONE", "DAYL", "99", "NO", "YES", "A.M.", "P.M."};
  for (int i = 1; i <= 10; ++i) KEYW(i).set(keyw[i - 1]);
  const char* mon[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  for (int i = 1; i <= 12; ++i) MONNAM(i).set(mon[i - 1]);
  const char shd[] = {' ', 'R', 'L', 'F', 'T', 'S', 'W'};
  for (int i = 1; i <= 7; ++i) SHDLET(i) = shd[i - 1];
}

ClockReading readClock(const EngineState& s) {
  if (s.hooks.clock) return s.hooks.clock();
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm tm{};
  localtime_r(&ts.tv_sec, &tm);
  ClockReading c;
  c.year = static_cast<int16_t>(tm.tm_year + 1900);
  c.month = static_cast<int16_t>(tm.tm_mon + 1);
  c.day = static_cast<int16_t>(tm.tm_mday);
  c.hour = static_cast<int16_t>(tm.tm_hour);
  c.minute = static_cast<int16_t>(tm.tm_min);
  c.second = static_cast<int16_t>(tm.tm_sec);
  c.hundredths = static_cast<int16_t>(ts.tv_nsec / 10000000);
  return c;
}

}  // namespace kv
