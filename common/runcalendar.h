// The simulation calendar that both programs must agree on: which years give February 29
// days, and the day number of a date in the year the engine simulates. The engine's year is
// not the civil one: every year divisible by 4 is a leap year (no century rule), and with
// recorded weather February has 29 days only when the weather file holds a 29 February
// record.
#pragma once

namespace kalvano::calendar {

// Days of February in `year`: generated weather (format code 0) follows the year alone;
// recorded weather (codes 1 to 4) also needs the file to hold 29 February.
inline int FebruaryDays(int weatherFormat, int year, bool fileHasLeapDay) {
  const bool leapYear = year % 4 == 0;
  if (weatherFormat == 0) return leapYear ? 29 : 28;
  return leapYear && fileHasLeapDay ? 29 : 28;
}

// Days of month 1..12 with February's days given.
inline int MonthDays(int month, int februaryDays) {
  static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 ? februaryDays : kDays[month];
}

// Day number 1..366 of (month, day), or 0 when the date does not exist in that calendar.
inline int DayNumber(int month, int day, int februaryDays) {
  if (month < 1 || month > 12 || day < 1 || day > MonthDays(month, februaryDays)) return 0;
  int n = day;
  for (int m = 1; m < month; ++m) n += MonthDays(m, februaryDays);
  return n;
}

}  // namespace kalvano::calendar
