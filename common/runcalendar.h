// The simulation calendar that both programs must agree on: which years give February 29
// days, the day number of a date in the year the engine simulates, the run period as the
// engine takes it from the run options, and the days of each month that it simulates. The
// engine's year is not the civil one: every year divisible by 4 is a leap year (no century
// rule), and with recorded weather February has 29 days only when the weather file holds a
// 29 February record.
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

// ------------------------------------------------------------------------------------------
// The run period as the engine takes it. The run options give the first and last day and
// the hourly-output switch, the project's first line the weeks per month, its weather block
// the year.

// The first day of the period: a day before 1 is day 1.
inline int RunBeginDay(int day) { return day <= 0 ? 1 : day; }

// The last day of the period: a day outside 1..366 is day 365, and TMY2, WYEC2 and Custom
// files (codes 1, 2 and 4) end by day 365.
inline int RunEndDay(int day, int weatherFormat) {
  if (day <= 0 || day > 366) day = 365;
  if ((weatherFormat == 1 || weatherFormat == 2 || weatherFormat == 4) && day > 365) day = 365;
  return day;
}

// Once the year is known: in a year divisible by 4 a period that reaches day 365 runs to the
// year's end, day 366.
inline int LeapYearEndDay(int day, int year) { return year % 4 == 0 && day >= 365 ? 366 : day; }

// The weeks simulated per month: outside 1..4 it is 4, and hourly output or recorded weather
// simulates 4 weeks (every day) whatever was chosen.
inline int RunWeeks(int weeks, int hourlyOutput, int weatherFormat) {
  if (weeks < 1 || weeks > 4) weeks = 4;
  if (hourlyOutput == 1 || weatherFormat > 0) weeks = 4;
  return weeks;
}

// Days simulated per month: 7 a week, and every day (31) with 4 weeks.
inline int DaysPerMonth(int weeks) { return weeks == 4 ? 31 : 7 * weeks; }

// A simulated day of year `jday`, which stands for `weight` calendar days, ends the run when
// the period's last day comes before the next day it does not stand for.
inline bool EndsRun(int endDay, int jday, float weight) {
  return static_cast<float>(endDay) < static_cast<float>(jday) + weight;
}

// The days the engine computes, month by month. A month of L days has min(L, daysPerMonth)
// day indexes; each stands for `Weight` = L / daysPerMonth calendar days (exactly 1 with 31
// days per month), and they fall at the rounded positions -int(Weight/2) + k Weight. A day
// before the period's first day is passed over (computed, not simulated). The run ends after
// the simulated day that EndsRun, or after a month whose last computed day EndsRun, or after
// December. The arithmetic is single precision, step by step as the engine has always done
// it, so that every run samples the same days.
class DaySampler {
 public:
  // `daysPerMonth` 0 or less samples every day.
  DaySampler(int beginDay, int endDay, int daysPerMonth, int februaryDays)
      : begin_(beginDay), end_(endDay), perMonth_(daysPerMonth > 0 ? daysPerMonth : 31),
        february_(februaryDays) {}

  // Moves to the next month: false after December or once the run has ended.
  bool NextMonth() {
    if (month_ > 0 && EndsRun(end_, jday_, weight_)) ended_ = true;
    if (ended_ || month_ == 12) return false;
    if (month_ > 0) daysBefore_ += static_cast<float>(length_);
    ++month_;
    length_ = MonthDays(month_, february_);
    days_ = length_ < perMonth_ ? length_ : perMonth_;
    weight_ = perMonth_ == 31 ? 1.0f : static_cast<float>(length_) / static_cast<float>(perMonth_);
    position_ = -static_cast<float>(static_cast<int>(weight_ / 2.0f));
    index_ = 0;
    anySimulated_ = false;
    return true;
  }

  // Moves to the month's next computed day: false once the month's days are done, or once
  // the simulated day before ended the run.
  bool NextDay() {
    if (index_ > 0 && Simulated() && EndsRun(end_, jday_, weight_)) ended_ = true;
    if (ended_ || index_ == days_) return false;
    ++index_;
    position_ += weight_;
    dayOfMonth_ = static_cast<int>(position_ + 0.5f);
    dayOfYear_ = static_cast<float>(dayOfMonth_) + daysBefore_;
    jday_ = static_cast<int>(dayOfYear_);
    if (Simulated()) anySimulated_ = true;
    return true;
  }

  int Month() const { return month_; }
  int Length() const { return length_; }          // calendar days of the month
  int Days() const { return days_; }              // day indexes of the month
  float Weight() const { return weight_; }        // calendar days a simulated day stands for
  float DaysBefore() const { return daysBefore_; }  // days of the year before the month

  int Index() const { return index_; }            // 1..Days()
  float Position() const { return position_; }    // before rounding; -int(Weight/2) before day 1
  int DayOfMonth() const { return dayOfMonth_; }
  float DayOfYear() const { return dayOfYear_; }
  int Jday() const { return jday_; }              // the day of the year of the last computed day
  bool Simulated() const { return jday_ >= begin_; }
  bool LastOfMonth() const { return index_ == days_; }
  bool MonthSimulated() const { return anySimulated_; }  // a day of this month was simulated

 private:
  int begin_, end_, perMonth_, february_;
  int month_ = 0, length_ = 0, days_ = 0, index_ = 0;
  float weight_ = 1.0f, daysBefore_ = 0.0f, position_ = 0.0f, dayOfYear_ = 0.0f;
  int dayOfMonth_ = 0, jday_ = 0;
  bool anySimulated_ = false, ended_ = false;
};

// Whether the engine simulates any day of the period.
inline bool HoldsSimulatedDay(int beginDay, int endDay, int daysPerMonth, int februaryDays) {
  DaySampler days(beginDay, endDay, daysPerMonth, februaryDays);
  while (days.NextMonth()) {
    while (days.NextDay()) {
      if (days.Simulated()) return true;
    }
  }
  return false;
}

// The period of a run as the engine will simulate it, from what the front-end writes: the
// first and last day numbers, the weeks per month, the hourly-output switch, the weather
// format, the year and whether a recorded file holds 29 February.
struct RunPeriod {
  int beginDay = 1, endDay = 365, daysPerMonth = 31, februaryDays = 28;
  bool HoldsSimulatedDay() const {
    return calendar::HoldsSimulatedDay(beginDay, endDay, daysPerMonth, februaryDays);
  }
};
inline RunPeriod EngineRunPeriod(int beginDay, int endDay, int weeks, int hourlyOutput,
                                 int weatherFormat, int year, bool fileHasLeapDay) {
  RunPeriod p;
  p.beginDay = RunBeginDay(beginDay);
  p.endDay = LeapYearEndDay(RunEndDay(endDay, weatherFormat), year);
  p.daysPerMonth = DaysPerMonth(RunWeeks(weeks, hourlyOutput, weatherFormat));
  p.februaryDays = FebruaryDays(weatherFormat, year, fileHasLeapDay);
  return p;
}

}  // namespace kalvano::calendar
