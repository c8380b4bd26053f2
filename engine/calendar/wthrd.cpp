#include "engine/calendar/wthrd.h"

#include <algorithm>
#include <string>

#include "engine/core/fixfmt.h"
#include "engine/core/fread.h"
#include "runcalendar.h"

namespace kv {

namespace {

const char* errorText(int err) {
  switch (err) {
    case kWxNotNumeric: return "a field that must be a number is not one";
    case kWxShortRecord: return "the record ends before its last field";
    case kWxDateRange: return "the date is out of range";
    case kWxFourDigitYear:
      return "a 4-digit year in columns 7-10; the WYEC2 layout reads a 2-digit year in 7-8";
    case kWxValueRange: return "a value is outside the range of its field";
    default: return "unreadable record";
  }
}

// Ends the run: the main program writes " STOP " and the reason to the monitor log and exits
// with the status. A reason starts with the stop code where there is one.
[[noreturn]] void stopRun(EngineState& s, int status, const std::string& reason) {
  s.files.listing.flush();
  throw EngineStop(status, reason);
}

// The end of the weather file where a record or the header was due: status 4. A file that
// the main program could not open (missing) says so.
[[noreturn]] void weatherEnded(EngineState& s, std::string_view listingLine, const std::string& reason) {
  if (!s.files.weather.isOpen()) {
    s.files.listing.line(" Weather file tavik$.tmy is missing");
    stopRun(s, 4, "weather file tavik$.tmy is missing: recorded weather cannot be read.");
  }
  s.files.listing.line(listingLine);
  stopRun(s, 4, reason);
}

// The bad-record message of the listing, and stop code 2500.
[[noreturn]] void badRecord(EngineState& s, const WeatherRecord& rec, const WeatherRecord& prev,
                            int err) {
  const long lineNo = s.files.weather.lineNumber();
  Line ln;
  ln.text(" Weather file has bad record at ")
      .I(rec.year, 4)
      .I(rec.month, 4)
      .I(rec.day, 4)
      .I(rec.hour, 4)
      .text(" Error #")
      .I(err, 5);
  s.files.listing.line(ln.view());
  ln.clear();
  ln.text(" Previous good data were from ")
      .I(prev.year, 4)
      .I(prev.month, 4)
      .I(prev.day, 4)
      .I(prev.hour, 4)
      .text(" on line ")
      .I(lineNo, 4);
  s.files.listing.line(ln.view());
  stopRun(s, 2,
          "2500: weather file tavik$.tmy has a bad record on line " + std::to_string(lineNo) +
              " (error " + std::to_string(err) + ": " + errorText(err) + ")");
}

// The next line that is a record (blank lines are passed over); false at the end of the file.
bool nextRecordLine(EngineState& s, std::string& line) {
  while (s.files.weather.readLine(line)) {
    if (!isBlankRecord(line)) return true;
  }
  return false;
}

// IWEC, first record: the first line on which the scanner finds eight numbers.
bool firstIwecValues(EngineState& s, double (&vals)[8], std::string& line) {
  int32_t nnum = 0, ntxt = 0;
  FreadTexts txt;
  FreadNums num;
  while (s.files.weather.readLine(line)) {
    FREAD(line, nnum, ntxt, txt, num);
    if (nnum >= 8) {
      for (int i = 0; i < 8; ++i) vals[i] = num(i + 1);
      return true;
    }
  }
  return false;
}

// IWEC, later records: eight values, continuing on the next line when a record is short.
// Returns false at the end of the file; err is set for a value that is not a number.
bool nextIwecValues(EngineState& s, double (&vals)[8], int& n, int& err, std::string& line) {
  n = 0;
  err = 0;
  while (n < 8) {
    if (!s.files.weather.readLine(line)) return false;
    err = readFreeValues(line, vals, n);
    if (err != 0) return true;
  }
  return true;
}

}  // namespace

bool WTHRD(EngineState& s, WeatherRecord& rec, float P, float& etr, float SINALT, int32_t code,
           Chars<8>& STNID, WthrdWork& work) {
  const WeatherRecord prev = rec;  // the previous good record, for the message
  ++work.recordCount;
  if (work.line.capacity() < 256) work.line.reserve(256);
  const int layout = weatherLayout(code);
  if (layout == 3) {
    double vals[8];
    if (work.firstRecord == 0) {
      if (!firstIwecValues(s, vals, work.line)) {
        weatherEnded(s, " Weather file holds no record: no line has eight numbers separated by blanks",
                     "weather file tavik$.tmy (IWEC) holds no line with eight numbers separated "
                     "by blanks: no weather record found.");
      }
      work.firstRecord = 1;
    } else {
      int n = 0, err = 0;
      if (!nextIwecValues(s, vals, n, err, work.line)) return false;
      if (err != 0) {  // the date as far as it was read
        std::int32_t* date[4] = {&rec.year, &rec.month, &rec.day, &rec.hour};
        for (int i = 0; i < n && i < 4; ++i) *date[i] = recordInt(vals[i]);
        badRecord(s, rec, prev, err);
      }
    }
    const int err = completeIwecRecord(vals, P, etr, SINALT, work.prevCC, rec);
    if (err != 0) badRecord(s, rec, prev, err);
    return true;
  }

  if (!nextRecordLine(s, work.line)) return false;
  char station[5];
  float etrFile = etr;
  const int err = readFixedRecord(work.line, code, SINALT, rec, etrFile, station);
  if (err != 0) badRecord(s, rec, prev, err);
  etr = etrFile;
  if (layout == 2) STNID.set(std::string_view(station, 5));
  return true;
}

void readRecordedHeader(EngineState& s, Chars<8>& STNID) {
  std::string line;
  if (!s.files.weather.readLine(line)) {
    weatherEnded(s, " Weather file is empty: no station header line",
                 "weather file tavik$.tmy is empty: no station header line.");
  }
  StationHeader h;
  if (readStationHeader(line, s.runpar.IWFMT, h) != 0) {
    s.files.listing.line(" Weather file has bad header line: a number field holds text");
    stopRun(s, 2,
            "2500: weather file tavik$.tmy has a bad station header line (a number field "
            "holds text).");
  }
  STNID.set(std::string_view(h.station, 5));
  s.prjtxt.PLOC.set(std::string_view(h.location, 25));
  s.wxmon.XLAT = h.latitude;
  s.wxmon.XLONG = h.longitude;
  s.wxmon.XMER = h.meridian;
  s.wxmon.ELEV = h.elevation;
}

bool recordedFileHasLeapDay(const EngineState& s) {
  InFile in;
  if (!in.open(s.files.weather.path())) return false;
  const int32_t code = s.runpar.IWFMT;
  const int layout = weatherLayout(code);
  std::string line;
  if (layout == 1 || layout == 4) in.readLine(line);  // the station header
  int month = 0, day = 0;
  while (in.readLine(line)) {
    if (recordMonthDay(line, code, month, day) && month == 2 && day == 29) return true;
  }
  return false;
}

int februaryDays(int32_t code, int32_t year, bool fileHasLeapDay) {
  return kalvano::calendar::FebruaryDays(code, year, fileHasLeapDay);
}

int simulatedFebruaryDays(const EngineState& s) {
  const RUNPAR& r = s.runpar;
  return februaryDays(r.IWFMT, r.IYEAR, r.IWFMT != 0 && recordedFileHasLeapDay(s));
}

namespace {

int32_t dateKey(int32_t month, int32_t day, int32_t hour) { return (month * 100 + day) * 100 + hour; }

void putHour(EngineState& s, const WeatherRecord& r) {
  HRWTHR& w = s.hrwthr;
  w.DN = r.dn;
  w.DFH = r.dfh;
  w.DH = r.dh;
  w.PB = r.pb;
  w.DB = r.db;
  w.DP = r.dp;
  w.WV = r.wv;
  w.CC = r.cc;
}

}  // namespace

void recordedHour(EngineState& s, RecordedWeather& rw, int32_t MONTH, int32_t day, int32_t hour,
                  float P, float etrDay, Chars<8>& STNID) {
  const int32_t expected = dateKey(MONTH, day, hour);
  const int32_t yy = s.runpar.IYEAR % 100;
  for (;;) {
    WeatherRecord r;
    if (rw.haveHeld) {
      r = rw.held;
    } else {
      rw.etr = etrDay;
      if (!WTHRD(s, rw.cur, P, rw.etr, s.hrwthr.SINALT, s.runpar.IWFMT, STNID, rw.work)) {
        Line ln;
        ln.text("## Weather file ended before the analysis period: Expected Date=")
            .I(yy, 3)
            .I(MONTH, 3)
            .I(day, 3)
            .I(hour, 3);
        weatherEnded(s, ln.view(),
                     "weather file tavik$.tmy ended before the end of the analysis period "
                     "(expected month " + std::to_string(MONTH) + ", day " + std::to_string(day) +
                         ", hour " + std::to_string(hour) + ").");
      }
      r = rw.cur;
      if (!rw.skipChecked) {
        rw.skipChecked = true;
        if (r.hour == 0) continue;  // the first record of the run at hour 0 is skipped
      }
      if (r.hour == 0) {  // hour 24 of the previous record's day
        if (r.day == 1) r.month = rw.prevMonth;
        r.day = rw.prevDay;
        r.hour = 24;
      }
      rw.prevMonth = r.month;
      rw.prevDay = r.day;
    }

    const int32_t key = dateKey(r.month, r.day, r.hour);
    if (key < expected) {  // passed over (days before the run, repeated records)
      rw.haveHeld = false;
      continue;
    }
    if (key == expected) {
      rw.haveHeld = false;
      rw.inGap = false;
      rw.last = r;
      rw.haveLast = true;
      putHour(s, r);
      return;
    }
    // A record later than this hour: kept for its own hour; this hour repeats the last good
    // values (the first record's when there is none yet).
    rw.held = r;
    rw.haveHeld = true;
    putHour(s, rw.haveLast ? rw.last : r);
    if (!rw.inGap) {
      rw.inGap = true;
      Line ln;
      ln.text("## Problem in Weather Data: Expected Date=")
          .I(yy, 3)
          .I(MONTH, 3)
          .I(day, 3)
          .I(hour, 3)
          .text(" Actual Date=")
          .I(r.year, 3)
          .I(r.month, 3)
          .I(r.day, 3)
          .I(r.hour, 3);
      s.files.listing.line(ln.view());
      if (++rw.problems >= 20) {
        stopRun(s, 3,
                "3030: 20 problems with the dates of weather file tavik$.tmy (see the "
                "weather listing).");
      }
    }
    return;
  }
}

void recordedExtremes(EngineState& s, DayExtremes& day, int32_t hour, bool monthStart) {
  const float db = s.hrwthr.DB, dp = s.hrwthr.DP;
  if (hour == 1) day = DayExtremes{db, db, dp, dp};
  RUNPAR& r = s.runpar;
  if (monthStart) {
    r.TMAXH.fill(db - 99.0f);
    r.TMINH.fill(db + 99.0f);
  }
  if (db > r.TMAXH(hour)) r.TMAXH(hour) = db;
  if (db < r.TMINH(hour)) r.TMINH(hour) = db;
  day.dbMax = std::max(day.dbMax, db);
  day.dbMin = std::min(day.dbMin, db);
  day.dpMax = std::max(day.dpMax, dp);
  day.dpMin = std::min(day.dpMin, dp);
}

}  // namespace kv
