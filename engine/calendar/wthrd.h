// Recorded weather: WTHRD reads the next hourly record of tavik$.tmy (s.files.weather), and
// the calendar's recorded path around it: the station header of TMY2 and Custom files, the
// leap-day rule, and the date check that hands the calendar the record of each hour.
//
// Every way the run ends here is an EngineStop thrown after a message in the weather listing;
// its reason (led by the stop code where there is one) goes to the monitor log through the
// main program:
//   status 2 (stop code 2500) an unreadable record or header (recorded.h lists the kinds),
//   status 3 (stop code 3030) the twentieth weather-date problem,
//   status 4 the file ends before the analysis period does, or an IWEC file holds no line
//            with eight numbers.
#pragma once

#include <cstdint>
#include <string>

#include "engine/calendar/recorded.h"
#include "engine/core/state.h"

namespace kv {

// WTHRD's private work values, started at 0 by the calendar and handed back on every call.
struct WthrdWork {
  float prevCC = 0.0f;        // previous cloud cover (IWEC)
  int32_t recordCount = 0;    // calls so far
  int32_t firstRecord = 0;    // 1 once the first IWEC record has been found
  std::string line;           // line buffer: its capacity stays, so an hour allocates nothing
};

// Reads the next record into rec, which holds the previous record on entry (what a record
// leaves unread keeps its value). P is the project's station pressure (IWEC), etr the day's
// extraterrestrial normal irradiance (in for IWEC; replaced by the file's value otherwise),
// SINALT the hour's sine of the sun altitude, code the weather format code; STNID takes the
// WYEC2 station identifier. Returns false at the end of the file (rec unchanged).
bool WTHRD(EngineState& s, WeatherRecord& rec, float P, float& etr, float SINALT, int32_t code,
           Chars<8>& STNID, WthrdWork& work);

// The calendar's state of the recorded path, for the whole run.
struct RecordedWeather {
  WthrdWork work;
  WeatherRecord cur;          // WTHRD's record variables
  WeatherRecord last;         // the last accepted record: the values of a gap's hours
  WeatherRecord held;         // a record later than the expected hour, kept for its own hour
  bool haveLast = false;
  bool haveHeld = false;
  bool inGap = false;         // the gap before `held` has been reported
  bool skipChecked = false;   // the first record of the run has been looked at (hour 0 rule)
  int32_t prevMonth = 0;      // date of the previous record read, for an hour-0 record
  int32_t prevDay = 0;
  int32_t problems = 0;       // weather-date problems of the run
  float etr = 0.0f;           // WTHRD's extraterrestrial irradiance argument
};

// Set-up, weather format codes 1 and 4: reads the station header line into STNID, PLOC and the
// station values of WXMON (latitude, longitude, meridian, elevation).
void readRecordedHeader(EngineState& s, Chars<8>& STNID);

// True when tavik$.tmy holds a record of 29 February (the file is read through a second,
// read-only handle; the calendar's position in it does not move).
bool recordedFileHasLeapDay(const EngineState& s);

// Days of February: generated weather follows the year alone; recorded weather also needs
// the file to hold 29 February.
int februaryDays(int32_t code, int32_t year, bool fileHasLeapDay);
// The February of this run: its weather format code and year, and for recorded weather
// whether tavik$.tmy holds 29 February.
int simulatedFebruaryDays(const EngineState& s);

// One simulated hour of recorded weather for (MONTH, day of month, hour): reads on to the
// record of that hour and puts its DN, DFH, DH, PB, DB, DP, WV and CC into HRWTHR. Records
// earlier than the hour are passed over; a later record is kept for its own hour, and the
// hours before it repeat the last accepted values (one date problem for the whole gap).
// etrDay is the day's extraterrestrial normal irradiance; P the station pressure of the set-up.
void recordedHour(EngineState& s, RecordedWeather& rw, int32_t MONTH, int32_t day, int32_t hour,
                  float P, float etrDay, Chars<8>& STNID);

// The day's extremes of recorded weather, kept hour by hour.
struct DayExtremes {
  float dbMin = 0.0f, dbMax = 0.0f;  // dry bulb, F
  float dpMin = 0.0f, dpMax = 0.0f;  // dew point, F
};

// Recorded weather, after the hour's values are in HRWTHR: at hour 1 the day's extremes start
// at this hour's dry bulb and dew point; at the first hour of the month's first simulated day
// (monthStart) RUNPAR's 24 hourly maxima are set to DB - 99 and the minima to DB + 99, once;
// then TMAXH(hour) and TMINH(hour) take DB when it passes them, and the day's extremes are
// updated.
void recordedExtremes(EngineState& s, DayExtremes& day, int32_t hour, bool monthStart);

}  // namespace kv
