#include "engine/input/readproject.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/fixfmt.h"
#include "engine/core/fread.h"
#include "engine/core/report.h"
#include "engine/input/decfac.h"
#include "runcalendar.h"
#include "stationrange.h"

namespace kv {

namespace {

constexpr std::string_view kErr = "   ** ERROR ** ";

// Columns col.. of a line as a text of exactly w bytes (blank-padded past its end).
std::string columns(std::string_view line, int col, int w) { return fieldString(line, col, w); }


// Truncation of a scanned or read value to an integer of the given range; false when it has
// no place there (never an out-of-range conversion).
bool truncTo(double v, double lo, double hi, int32_t& out) {
  if (!std::isfinite(v)) return false;
  const double t = std::trunc(v);
  if (t < lo || t > hi) return false;
  out = static_cast<int32_t>(t);
  return true;
}

int32_t floorDiv(int32_t a, int32_t b) {
  int32_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int32_t floorMod(int32_t a, int32_t b) { return a - floorDiv(a, b) * b; }

// The range a stored number can take: generous for real buildings, and small enough that
// no product of the load model leaves single precision. `what` is the error's "... EXPECTED".
struct Range {
  double lo, hi;
  std::string_view what;
};

constexpr double kLowest = -1e30;  // no lower bound of its own (another check has it)

constexpr Range kYearsOfLife{0, 100, "A LIFE OF 0 TO 100 YEARS"};
constexpr Range kPercentRate{-100, 100, "A RATE OF -100 TO 100 PERCENT"};
constexpr Range kPrice{0, 1e6, "A PRICE OF 0 TO 1000000"};
constexpr Range kCost{-1e9, 1e9, "A COST OF -1000000000 TO 1000000000"};
constexpr Range kOrientation{-360, 720, "AN ORIENTATION OF -360 TO 720 DEGREES"};
constexpr Range kArea{0, 1e7, "AN AREA OF 0 TO 10000000 SQ FT"};
constexpr Range kHeight{0, 1000, "A HEIGHT OF 0 TO 1000 FT"};
constexpr Range kTemperature{kalvano::station::kTemperature.lo, kalvano::station::kTemperature.hi,
                             kalvano::station::kTemperature.what};
constexpr Range kFraction{0, 1, "A FRACTION OF 0 TO 1"};
constexpr Range kProfileValue{0, 100, "A PROFILE VALUE OF 0 TO 100 PERCENT (OR A FRACTION)"};
constexpr Range kLoadPerArea{0, 1000, "A LOAD OF 0 TO 1000 W/SQFT"};
constexpr Range kUFactor{0.001, 10, "A U-FACTOR OF 0.001 TO 10 BTU/HR-SQFT-F"};

// Economics items 1-11 in file order: three lives, the discount rate, the cost escalation,
// then electricity, gas and water, each with its price and its escalation.
constexpr Range kEconomics[11] = {kYearsOfLife, kYearsOfLife, kYearsOfLife, kPercentRate, kPercentRate, kPrice,
                                  kPercentRate, kPrice,       kPercentRate, kPrice,       kPercentRate};

// The "... EXPECTED" of a weather value's range, with what a run reported in SI adds to it.
std::string expected(const kalvano::station::ValueRange& range, bool si) {
  return std::string(range.what) + std::string(si ? range.si : "");
}

// A field of a line without the blanks around it.
std::string_view trimmed(std::string_view field) {
  const std::size_t from = field.find_first_not_of(' ');
  if (from == std::string_view::npos) return {};
  return field.substr(from, field.find_last_not_of(' ') + 1 - from);
}

// The fields of the station values as the scan read them: the blank-separated words of the
// scanned text when they are its numbers one for one, otherwise (a value that the scan pulled
// apart or ran together) the whole scanned text for each, trimmed.
std::vector<std::string_view> StationFields(std::string_view scanned, int32_t numbers, int32_t texts) {
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < scanned.size();) {
    const auto separator = [](char c) { return static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) > '~'; };
    while (i < scanned.size() && separator(scanned[i])) ++i;
    const std::size_t start = i;
    while (i < scanned.size() && !separator(scanned[i])) ++i;
    if (i > start) words.push_back(scanned.substr(start, i - start));
  }
  if (texts == 0 && static_cast<int32_t>(words.size()) == numbers && words.size() >= 4) return words;
  std::string_view whole = scanned;
  if (!words.empty()) {
    const std::size_t from = static_cast<std::size_t>(words.front().data() - scanned.data());
    const std::size_t to = static_cast<std::size_t>(words.back().data() + words.back().size() - scanned.data());
    whole = scanned.substr(from, to - from);
  }
  return std::vector<std::string_view>(4, whole);
}

// The reader of one project file. It lives for one call of RDPROJ; its sections share the
// current line and the one line that a capacity check may hand back to the next section.
class ProjectReader {
 public:
  explicit ProjectReader(EngineState& s) : s_(s), b_(s.bldg), m_(s.mainpg) {}

  void run();

 private:
  // --- lines -------------------------------------------------------------------------
  const std::string& next();  // the next line; ProjectFileEnded at the end of the file
  bool tryNext();             // false at the end of the file
  void handBack() { handedBack_ = true; }
  std::string_view key() const { return std::string_view(key_, 4); }
  long lineNo() const { return s_.files.project.lineNumber(); }

  // --- reading forms -----------------------------------------------------------------
  float number();                                  // number line: columns 11-20
  float number(const Range& r);                    // the same within its range
  float inRange(double v, const Range& r);         // v, or 0 and an error when outside r
  float inRange(double v, const Range& r, std::string_view found);  // the same quoting `found`
  int32_t integer();                               // integer line: columns 11-20
  int16_t integer16();                             // the same into an INTEGER*2
  float fieldReal(int col, int w);                 // a real field of the current line
  float fieldReal(int col, int w, std::string_view found);  // the same quoting `found`
  template <int N>
  void text(Chars<N>& out) {                       // text line: from column 11
    next();
    out.set(columns(line_, 11, N));
  }
  void scanned();                                  // scanned line: columns 11-142 by FREAD
  void scan(std::string_view text);                // FREAD of one text into MAINPG
  char firstLetter(int t) const;                   // UPCASE of TXT(t)'s first character
  int32_t freeInteger();                           // a line read in free form for one integer
  int32_t parseFreeInteger();                      // the same of the current line

  // --- messages ----------------------------------------------------------------------
  void error(const Line& ln);
  std::string lineStart() const;          // columns 1-60 of the current line
  void badValue(std::string_view what);  // quoting lineStart()
  void badValue(std::string_view what, std::string_view found);
  void wrongKeyword(std::string_view expected);
  void endSection(int k);  // total += NERR; FORM (2, k, NERR); NERR = 0

  // --- sections ----------------------------------------------------------------------
  void head();
  void comfortTitle();
  void walls();
  void windows();
  void profiles();
  void zones();
  bool zone(int i);  // false when the zone line was "BUIL"
  void surface(int i);
  void matrix();
  void overflowTypes(std::string_view section, std::string_view nextKey);
  bool typeId(int16_t& id);
  float uFactor(std::string_view kind, int16_t id);
  float outdoorAir();

  EngineState& s_;
  BLDG& b_;
  MAINPG& m_;
  std::string line_;
  char key_[4] = {' ', ' ', ' ', ' '};
  bool handedBack_ = false;
  int section_ = 1;
  int surfaces_ = 0;           // s, the surface count over all zones
  bool surfaceOverflow_ = false;
  bool zoneKept_ = true;       // the zone being read has a floor area
};

const std::string& ProjectReader::next() {
  if (!tryNext()) {
    Line ln;
    ln.text(kErr).text("THE PROJECT FILE ENDS TOO EARLY: INPUT SECTION").I(section_, 2)
        .text(" IS INCOMPLETE AFTER LINE").I(s_.files.project.lineNumber(), 7).text(".");
    error(ln);
    throw ProjectFileEnded("THE PROJECT FILE ENDS TOO EARLY.", true);
  }
  return line_;
}

bool ProjectReader::tryNext() {
  if (handedBack_) {
    handedBack_ = false;
    return true;
  }
  if (!s_.files.project.readLine(line_)) return false;
  const std::string k = columns(line_, 1, 4);
  for (int i = 0; i < 4; ++i) key_[i] = k[static_cast<std::size_t>(i)];
  return true;
}

void ProjectReader::error(const Line& ln) {
  s_.files.monitor.line(ln.view());
  ++b_.NERR;
}

std::string ProjectReader::lineStart() const {
  return columns(line_, 1, std::min<int>(60, static_cast<int>(line_.size())));
}

void ProjectReader::badValue(std::string_view what) {
  badValue(what, lineStart());
}

void ProjectReader::badValue(std::string_view what, std::string_view found) {
  Line ln;
  ln.text(kErr).text("LINE").I(lineNo(), 7).text(" OF THE PROJECT FILE: ").text(what)
      .text(" EXPECTED, FOUND \"").text(found).text("\".");
  error(ln);
}

void ProjectReader::wrongKeyword(std::string_view expected) {
  Line ln;
  ln.text(kErr).text(key()).text(" IS WRONG KEYWORD;  SHOULD BE ").text(expected);
  error(ln);
}

void ProjectReader::endSection(int k) {
  m_.NERRT += b_.NERR;
  FORM(s_, 2, k, b_.NERR);
  b_.NERR = 0;
}

float ProjectReader::fieldReal(int col, int w) {
  return fieldReal(col, w, lineStart());
}

float ProjectReader::fieldReal(int col, int w, std::string_view found) {
  try {
    const float v = readF(line_, col, w, 0);
    if (std::isfinite(v)) return v;
  } catch (const FieldError&) {
  }
  badValue("A NUMBER", found);
  return 0.0f;
}

float ProjectReader::number() {
  next();
  return fieldReal(11, 10);
}

float ProjectReader::number(const Range& r) { return inRange(number(), r); }

float ProjectReader::inRange(double v, const Range& r) {
  if (v >= r.lo && v <= r.hi) return static_cast<float>(v);
  badValue(r.what);
  return 0.0f;
}

float ProjectReader::inRange(double v, const Range& r, std::string_view found) {
  if (v >= r.lo && v <= r.hi) return static_cast<float>(v);
  badValue(r.what, found);
  return 0.0f;
}

int32_t ProjectReader::integer() {
  next();
  try {
    return readI(line_, 11, 10);
  } catch (const FieldError&) {
    badValue("A WHOLE NUMBER");
    return 0;
  }
}

int16_t ProjectReader::integer16() {
  const int32_t v = integer();
  if (v < INT16_MIN || v > INT16_MAX) {
    badValue("A WHOLE NUMBER OF AT MOST 5 DIGITS");
    return 0;
  }
  return static_cast<int16_t>(v);
}

void ProjectReader::scan(std::string_view text) {
  FREAD(s_, text);
}

void ProjectReader::scanned() {
  next();
  scan(columns(line_, 11, 132));
}

char ProjectReader::firstLetter(int t) const { return UPCASE(m_.TXT(t)[1]); }

int32_t ProjectReader::freeInteger() {
  next();
  return parseFreeInteger();
}

int32_t ProjectReader::parseFreeInteger() {
  std::size_t i = 0;
  while (i < line_.size() && (line_[i] == ' ' || line_[i] == '\t' || line_[i] == ',')) ++i;
  std::size_t j = i;
  if (j < line_.size() && (line_[j] == '-' || line_[j] == '+')) ++j;
  const std::size_t digits = j;
  while (j < line_.size() && line_[j] >= '0' && line_[j] <= '9') ++j;
  const bool ends = j == line_.size() || line_[j] == ' ' || line_[j] == '\t' || line_[j] == ',' ||
                    line_[j] == '/';
  int32_t v = 0;
  if (j == digits || !ends || j - digits > 5) {
    badValue("A PROFILE NUMBER");
    return 0;
  }
  for (std::size_t k = digits; k < j; ++k) v = v * 10 + (line_[k] - '0');
  if (line_[i] == '-') v = -v;
  if (v < INT16_MIN || v > INT16_MAX) {
    badValue("A PROFILE NUMBER");
    return 0;
  }
  return v;
}

// ------------------------------------------------------------------------------------------
// Project header, weather and economics (input sections 1 to 3).

void ProjectReader::head() {
  section_ = 1;
  PRJTXT& t = s_.prjtxt;
  WXMON& w = s_.wxmon;
  RUNPAR& r = s_.runpar;

  text(t.PTYPE);
  text(t.PNAME);
  text(t.PDESC);
  text(t.PLOC);
  text(t.PPHASE);
  text(t.PSCHM);

  b_.WYEAR = number();
  int32_t year = 0;
  if (!truncTo(b_.WYEAR, -99999.0, 99999.0, year)) badValue("A YEAR");
  r.IYEAR = year;
  r.IDAY2 = kalvano::calendar::LeapYearEndDay(r.IDAY2, r.IYEAR);
  if (r.IDOW1 < 1 || r.IDOW1 > 7)
    r.IDOW1 = floorMod(floorDiv(r.IYEAR - 1977, 4) + r.IYEAR - 1978, 7) + 1;

  m_.BORIENT = number(kOrientation);
  b_.FLRAREA = number(kArea);
  b_.BCOST = number(kCost);
  b_.DAYSWK = number({kLowest, 7, "AT MOST 7 OCCUPIED DAYS PER WEEK"});
  // Occupied days per week divide the holidays in the load model's set-up.
  if (b_.DAYSWK < 1.0f) {
    Line ln;
    ln.text(kErr).text("OCCUPIED DAYS PER WEEK").F(b_.DAYSWK, 8, 2).text(" ARE FEWER THAN 1.");
    error(ln);
  }
  b_.HOLDYS = number({0, 366, "0 TO 366 HOLIDAYS"});

  // The "WEATHER" line and the column heads are copied to the weather summary as read.
  for (int n = 0; n < 2; ++n) {
    next();
    Line ln;
    ln.X(10).text(columns(line_, 11, 132));
    s_.files.wsummary.line(ln.view());
  }

  next();  // station line
  t.PLOC.set(columns(line_, 1, 42));
  m_.STNID.set(columns(line_, 51, 5));
  const std::string stationValues = columns(line_, 56, 50);
  scan(stationValues);
  // A value out of range is quoted as its field of the line, which may stand past column 60.
  const std::vector<std::string_view> fields = StationFields(stationValues, m_.NNUM, m_.NTXT);
  const bool si = s_.chtab.UNITS.view() == "SI";
  float* station[4] = {&w.XLAT, &w.XLONG, &w.XMER, &w.ELEV};
  for (std::size_t k = 0; k < 4; ++k) {
    const kalvano::station::ValueRange& range = kalvano::station::kRanges[k];
    const std::string what = expected(range, si);
    *station[k] = inRange(m_.NUM(static_cast<int>(k) + 1), {range.lo, range.hi, what}, fields[k]);
  }

  next();  // month heads

  comfortTitle();

  Arr1<float, 12>* rows[8] = {&w.TDBM, &w.TDBS, &w.TMXM, &w.TMXS,
                              &w.TDPM, &w.TDPS, &w.SOLM, &w.WNDM};
  for (int row = 1; row <= 8; ++row) {
    next();
    w.WXLBL(row).set(columns(line_, 1, 7));
    const kalvano::station::ValueRange& range = kalvano::station::kMonthRanges[static_cast<std::size_t>(row - 1)];
    const std::string what = expected(range, si);
    for (int mo = 1; mo <= 12; ++mo) {
      // A value refused is quoted as its field, which for the later months stands past column 60.
      const int col = 8 + 6 * (mo - 1);
      const std::string field = columns(line_, col, 6);
      const std::string_view found = trimmed(field);
      (*rows[row - 1])(mo) = inRange(fieldReal(col, 6, found), {range.lo, range.hi, what}, found);
    }
  }

  scanned();  // "DesTemps  "
  w.TDSMX = inRange(m_.NUM(1), kTemperature);
  w.TDSWB = inRange(m_.NUM(2), kTemperature);
  w.TDSMN = inRange(m_.NUM(3), kTemperature);

  m_.NERRT += b_.NERR;
  FORM(s_, 2, 1, b_.NERR);
  {
    Line ln;
    ln.T(10).text("WEATHER DATA READ FOR ").A(t.PLOC.view(), 42);
    s_.files.monitor.line(ln.view());
  }
  b_.NERR = 0;
  section_ = 2;
  FORM(s_, 1, 2, b_.NERR);
  r.NPAGE += 1;

  next();  // "ECONOMICS"
  for (int k = 1; k <= 11; ++k) b_.ECON(k) = number(kEconomics[k - 1]);

  scanned();  // "DemCharge "
  m_.DEMSW = firstLetter(1);
  endSection(2);

  if (m_.DEMSW == 'Y') {
    section_ = 3;
    FORM(s_, 1, 3, b_.NERR);
    scanned();  // "DemChgRate"
    b_.NDEM = m_.NNUM / 2;
    for (int j = 1; j <= b_.NDEM; ++j) {
      b_.DEMKW(j) = inRange(m_.NUM(2 * j - 1), {0, 1e7, "A DEMAND LIMIT OF 0 TO 10000000 KW"});
      b_.DEMCST(j) = inRange(m_.NUM(2 * j), kPrice);
    }
    endSection(3);
  }
  b_.NASM = 0;
  b_.NGLS = 0;
}

// Title of the comfort report and its project block, on tavik$.flt.
void ProjectReader::comfortTitle() {
  OutFile& f = s_.files.comfort;
  Line ln;
  if (s_.runpar.IRUN == 4) {
    ln.text("IX.   F L O A T I N G   S P A C E   T E M P E R A T U R E S  (w/o  A/C):");
    f.line(ln.view());
    ln.clear();
    ln.T(7).rep('-', 66);
  } else {
    ln.text("IX.   S P A C E   T E M P E R A T U R E S   &   RH:");
    f.line(ln.view());
    ln.clear();
    ln.T(7).rep('-', 45);
  }
  f.line(ln.view());
  PageHeaderBlock(s_, f);
}

// ------------------------------------------------------------------------------------------
// Wall/roof types, window types and profiles (input sections 4 to 6).

// The I.D. of a type from columns 11-20 of its keyword line; false (and 0) when it cannot
// be read, so that the unreadable I.D. is not reported once more as a repeated 0.
bool ProjectReader::typeId(int16_t& id) {
  id = 0;
  try {
    const int32_t v = readI(line_, 11, 10);
    if (v < INT16_MIN || v > INT16_MAX) {
      badValue("A WHOLE NUMBER OF AT MOST 5 DIGITS");
      return false;
    }
    id = static_cast<int16_t>(v);
    return true;
  } catch (const FieldError&) {
    badValue("A WHOLE NUMBER");
    return false;
  }
}

// A type's U-factor: a blank reads as 0, which is no U-factor (its decrement factor would be
// 0/0), nor is one below 0.
float ProjectReader::uFactor(std::string_view kind, int16_t id) {
  const float u = number();
  if (u >= kUFactor.lo && u <= kUFactor.hi) return u;
  Line what;
  what.text(kUFactor.what).text(" FOR ").text(kind).text(" TYPE I.D.").I(id, 6);
  badValue(what.view());
  return 0.0f;
}

// The outdoor-air field, scanned: a code of letters ("CP", "CS", "PA" or none) and a rate.
// The rate is the scanner's number once the text after the code reads as one number within
// the range (the scanner alone would take "1E38" for 138).
float ProjectReader::outdoorAir() {
  constexpr Range kOutdoorAir{0, 1e5, "AN OUTDOOR AIR RATE OF 0 TO 100000 (CFM OR PERCENT)"};
  const std::string field = columns(line_, 11, 132);
  std::size_t k = field.find_first_not_of(' ');
  while (k < field.size() && std::isalpha(static_cast<unsigned char>(field[k]))) ++k;
  const std::string_view rest = std::string_view(field).substr(std::min(k, field.size()));
  float v = std::numeric_limits<float>::quiet_NaN();
  try {
    v = readF(rest, 1, static_cast<int>(rest.size()), 0);
  } catch (const FieldError&) {
  }
  if (!(v >= kOutdoorAir.lo && v <= kOutdoorAir.hi)) {
    badValue(kOutdoorAir.what);
    return 0.0f;
  }
  return inRange(m_.NUM(1), kOutdoorAir);
}

void ProjectReader::overflowTypes(std::string_view section, std::string_view nextKey) {
  // After a full table: the list's end line, or the entries that have no slot left.
  if (!tryNext()) return;
  if (key() == "9999") return;
  {
    Line ln;
    ln.text(kErr).text("MORE THAN 20 TYPES IN ").text(section)
        .text(" SECTION; THE TYPES AFTER THE 20TH ARE LEFT OUT.");
    error(ln);
  }
  for (;;) {
    if (key() == nextKey) {  // the list lacks its end line
      handBack();
      return;
    }
    for (int n = 0; n < 6; ++n) next();  // the rest of the 7-line entry
    if (!tryNext() || key() == "9999") return;
  }
}

void ProjectReader::walls() {
  section_ = 4;
  FORM(s_, 1, 4, b_.NERR);
  s_.runpar.NPAGE += 1;
  do next();
  while (key() == "DemC");
  if (key() != "WALL") wrongKeyword("WALL");

  int i = 1;
  for (; i <= kWallTypes; ++i) {
    next();
    if (key() == "9999") break;
    const bool idRead = typeId(b_.IDWAL(i));
    text(m_.WALDSC(i));
    b_.UWAL(i) = uFactor("WALL", b_.IDWAL(i));
    b_.ABSWAL(i) = number(kFraction);
    const float lag = number();
    b_.LAGWAL(i) = std::trunc(lag + 0.5f);
    if (!(lag >= 0.0f && b_.LAGWAL(i) <= 24.0f)) {
      Line ln;
      ln.text(kErr).text("TIME LAG").F(lag, 10, 2).text(" OF WALL TYPE I.D.").I(b_.IDWAL(i), 6)
          .text(" IS OUTSIDE 0 TO 24 HOURS.");
      error(ln);
    }
    b_.DECWAL(i) = number(kFraction);
    if (b_.DECWAL(i) == 0.0f) DECFAC(b_.UWAL(i), b_.DECWAL(i), b_.LAGWAL(i));
    b_.CSTWAL(i) = number(kCost);
    for (int j = 1; idRead && j <= kWallTypes; ++j) {
      if (j != i && b_.IDWAL(j) == b_.IDWAL(i)) {
        s_.files.monitor.emptyLine();
        Line ln;
        ln.T(5).text("** ERROR **  I.D. NUMBER ").F(b_.IDWAL(i), 5, 0).text(" IS A DUPLICATE ")
            .text("IN ").text("WALL").text(" SECTION.");
        error(ln);
        break;
      }
    }
    b_.NASM += 1;
  }
  if (i > kWallTypes) overflowTypes("WALL", "WIND");
  endSection(4);
}

void ProjectReader::windows() {
  section_ = 5;
  FORM(s_, 1, 5, b_.NERR);
  do next();
  while (key() == "9999");
  if (key() != "WIND") wrongKeyword("WIND");

  int i = 1;
  for (; i <= kWindowTypes; ++i) {
    next();
    if (key() == "9999") break;
    const bool idRead = typeId(b_.IDWIN(i));
    text(m_.WINDSC(i));
    b_.UWIN(i) = uFactor("WINDOW", b_.IDWIN(i));
    b_.SHGC(i) = number(kFraction);
    b_.EMWIN(i) = number({0, 100, "AN EMISSIVITY OF 0 TO 1 (ABOVE 0.84 TAKEN AS 0.84)"});
    if (b_.EMWIN(i) == 0.0f || b_.EMWIN(i) > 0.84f) b_.EMWIN(i) = 0.84f;
    b_.VTWIN(i) = number(kFraction);
    if (b_.VTWIN(i) == 0.0f) b_.VTWIN(i) = b_.SHGC(i);
    b_.CSTWIN(i) = number(kCost);
    for (int j = 1; idRead && j <= kWindowTypes; ++j) {
      if (j != i && b_.IDWIN(j) == b_.IDWIN(i)) {
        s_.files.monitor.emptyLine();
        Line ln;
        ln.T(5).text("** ERROR **  I.D. NUMBER ").F(b_.IDWIN(i), 5, 0).text(" IS A DUPLICATE ")
            .text("IN ").text("WIND").text(" SECTION.");
        error(ln);
        break;
      }
    }
    b_.NGLS += 1;
  }
  if (i > kWindowTypes) overflowTypes("WIND", "PROF");
  endSection(5);
}

void ProjectReader::profiles() {
  section_ = 6;
  FORM(s_, 1, 6, b_.NERR);
  do next();
  while (key() == "9999");
  if (key() != "PROF") wrongKeyword("PROF");

  for (int k = 1; k <= kProfileKinds; ++k) {
    next();
    s_.prjtxt.PKIND(k).set(columns(line_, 1, 4));
    int p = 1;
    for (; p <= kProfiles; ++p) {
      const int32_t no = freeInteger();
      b_.NOPROF(k, p) = static_cast<int16_t>(no);
      if (no == 99) break;
      next();
      scan(columns(line_, 1, 132));
      const int n = m_.NNUM;
      for (int h = 1; h <= 24; ++h) {
        float v = (k == 3 && n < 24) ? 0.016f : static_cast<float>(m_.NUM(h));
        if (k != 5 && n >= 24 && v > 1.0f) v = v / 100.0f;
        b_.PROF(k, p, h) = inRange(v, k == 5 ? kTemperature : kProfileValue);
      }
    }
    if (p > kProfiles) {
      // After 20 profiles: the kind's end line, or profiles that have no slot left.
      next();
      if (key() == "99  ") continue;
      Line ln;
      ln.text(kErr).text("MORE THAN 20 PROFILES OF KIND ").text(s_.prjtxt.PKIND(k).view())
          .text("; THE PROFILES AFTER THE 20TH ARE LEFT OUT.");
      error(ln);
      for (;;) {
        if (key() == "ZONE") {  // the kind lacks its end line
          handBack();
          break;
        }
        if (parseFreeInteger() == 99) break;
        next();  // its values line
        next();  // the next profile-number line
      }
    }
  }
  endSection(6);
}

// ------------------------------------------------------------------------------------------
// Zones and surfaces (input section 7).

void ProjectReader::zones() {
  section_ = 7;
  FORM(s_, 1, 7, b_.NERR);
  do next();
  while (key() == "99  ");
  if (key() != "ZONE") wrongKeyword("ZONE");
  b_.NZ = 0;
  surfaces_ = 0;
  FORM(s_, 2, 7, b_.NERR);

  for (int i = 1; i <= kZones; ++i) {
    s_.runpar.NPAGE += 1;
    bool kept = false;
    while (!kept) {
      if (!zone(i)) return;
      kept = b_.FLRZ(i) != 0.0f;
      if (kept) {
        b_.NZ = i;
        b_.LASTSURF(i) = static_cast<int16_t>(surfaces_);
      } else {
        surfaces_ = i > 1 ? b_.LASTSURF(i - 1) : 0;
      }
    }
  }
  // Every zone slot is taken: what follows must be the building matrix.
  next();
  if (key() == "BUIL") return;
  {
    Line ln;
    int32_t no = 0;
    handBack();
    scanned();
    truncTo(m_.NUM(1), -99999.0, 99999.0, no);
    ln.text(kErr).text("MORE THAN 98 ZONES: ZONE").I(no, 6)
        .text(" AND THE ZONES AFTER IT HAVE NO PLACE AND ARE NOT ANALYSED.");
    error(ln);
  }
  do next();
  while (key() != "BUIL");
}

bool ProjectReader::zone(int i) {
  next();
  if (key() == "BUIL") return false;
  scan(columns(line_, 11, 132));
  int32_t no = 0;
  if (!truncTo(m_.NUM(1), INT16_MIN, INT16_MAX, no)) badValue("A ZONE NUMBER");
  b_.IZONE(i) = static_cast<int16_t>(no);
  text(s_.prjtxt.ZNAME(i));
  b_.FLRZ(i) = number(kArea);
  b_.XMASS(i) = number({0, 10000, "AN INTERNAL MASS OF 0 TO 10000 LB/SQFT"});
  b_.ZIN(1, i) = number({0, 1e6, "0 TO 1000000 PEOPLE"});
  b_.IPROF(1, i) = integer16();
  b_.ZIN(2, i) = number({0, 10000, "A HOT WATER USE OF 0 TO 10000 PER PERSON"});
  b_.IPROF(2, i) = integer16();
  scanned();  // "OA CFM    "
  b_.ZIN(3, i) = outdoorAir();
  s_.chtab.OACODE(i).set(m_.TXT(1).first(3));
  b_.IPROF(3, i) = integer16();
  b_.LTYPE(i) = integer16();
  b_.CSTSF(i) = number(kCost);
  b_.ZIN(4, i) = number(kLoadPerArea);
  b_.EQUIP(i) = number(kLoadPerArea);
  for (int k = 4; k <= 8; ++k) b_.IPROF(k, i) = integer16();
  b_.ICOOL(i) = integer16();
  b_.IHEAT(i) = integer16();
  scanned();  // "Nat. Vent "
  b_.NVFLG(i) = firstLetter(1);
  b_.VNAT(i) = number({0, 1000, "A NATURAL VENTILATION RATE OF 0 TO 1000 CFM/SQFT"});
  b_.XINF(i) = number({0, 100, "AN INFILTRATION RATE OF 0 TO 100 AIR CHANGES PER HOUR"});
  scanned();  // "Daylight  "
  b_.DLFLG(i) = firstLetter(1);
  if (b_.DLFLG(i) == 'Y') m_.IDAYLT = 1;
  b_.DLDEP(i) = number(kHeight);
  b_.FCTGT(i) = number({0, 10000, "A TARGET ILLUMINANCE OF 0 TO 10000 FC"});
  scanned();  // "Econ.Cycle"
  b_.ECFLG(i) = firstLetter(1);
  b_.SPRES(i) = number({0, 100, "A STATIC PRESSURE OF 0 TO 100 IN. WATER"});
  b_.COOLEF(i) = number({0, 100, "A SEER OF 0 TO 100"});
  b_.HCOP(i) = number({0, 100, "A COP OF 0 TO 100"});
  b_.CST1(i) = number(kCost);
  b_.CSTM(i) = number(kCost);

  zoneKept_ = b_.FLRZ(i) != 0.0f;
  const float people = b_.ZIN(1, i);
  const float flr = b_.FLRZ(i);
  b_.ZLOAD(1, i) = people;
  b_.ZLOAD(2, i) = b_.ZIN(2, i) * people;
  const auto& oa = s_.chtab.OACODE(i);
  if (oa == "CP " || oa == "   ") b_.ZLOAD(3, i) = b_.ZIN(3, i) * people;
  else if (oa == "CS ") b_.ZLOAD(3, i) = b_.ZIN(3, i) * flr;
  else if (oa == "PA ") b_.ZLOAD(3, i) = b_.ZIN(3, i) / 100.0f;
  else b_.ZLOAD(3, i) = 0.0f;
  b_.ZLOAD(4, i) = flr * b_.ZIN(4, i) / 1000.0f;
  b_.EQUIP(i) = flr * b_.EQUIP(i) / 1000.0f;

  {
    Line ln;
    ln.text("zone ").I(i, 3).text(" read successfully.      ");
    s_.files.monitor.line(ln.view());
  }
  if (!zoneKept_) {
    Line ln;
    ln.X(5).text("*** WARNING; zone").I(i, 4).text(" has no floor area and is left out.");
    s_.files.monitor.line(ln.view());
  } else if (b_.LTYPE(i) < 1 || b_.LTYPE(i) > 6) {
    Line ln;
    ln.text(kErr).text("LIGHTING TYPE").I(b_.LTYPE(i), 6).text(" OF ZONE").I(b_.IZONE(i), 6)
        .text(" IS NOT 1 TO 6.");
    error(ln);
  }

  for (;;) {
    next();
    if (key() == "9999") break;
    handBack();
    surface(i);
  }
  return true;
}

void ProjectReader::surface(int i) {
  // One surface: read in full, then kept in slot s when it has an area and a place.
  struct {
    int16_t iwall = 0, iwind = 0, iblnd = 0;
    float awall = 0, orient = 0, expos = 0, awind = 0, slope = 0, tdiff = 0, hsill = 0,
          htop = 0, grefl = 0;
    char shdc[3] = {' ', ' ', ' '};
    float shdv[3] = {0, 0, 0};
    char swb = ' ';
  } u;
  u.iwall = integer16();
  u.awall = number(kArea);
  u.orient = number(kOrientation);
  u.expos = number({kLowest, 100, "AN EXPOSURE CODE OF AT MOST 100"});
  scanned();  // "Ext. Shd. "
  for (int k = 0; k < 3; ++k) {
    u.shdc[k] = firstLetter(k + 1);
    u.shdv[k] = inRange(m_.NUM(k + 1), {0, 1000, "A SHADING VALUE OF 0 TO 1000"});
  }
  u.iwind = integer16();
  u.awind = number(kArea);
  u.slope = number({-360, 360, "A SLOPE OF -360 TO 360 DEGREES"});
  scanned();  // "S/W/B     "
  u.swb = firstLetter(1);
  u.iblnd = integer16();
  u.tdiff = number({0, 1000, "A DIFFUSE TRANSMITTANCE (OR SHELF DEPTH) OF 0 TO 1000"});
  if (u.tdiff == 0.0f) u.tdiff = 1.0f;
  u.hsill = number(kHeight);
  u.htop = number(kHeight);
  u.grefl = number(kFraction);

  surfaces_ += 1;
  {
    Line ln;
    ln.text("wall ").I(surfaces_, 3).text(" read successfully.      ");
    s_.files.monitor.line(ln.view());
  }
  if (u.awall == 0.0f && u.awind == 0.0f) {
    surfaces_ -= 1;
    return;
  }
  if (surfaces_ > kSurfaces) {
    // Only a kept zone's surfaces need a place: a zone left out gives its slots back.
    if (zoneKept_ && !surfaceOverflow_) {
      surfaceOverflow_ = true;
      Line ln;
      ln.text(kErr).text("MORE THAN 400 SURFACES: THE SURFACES FROM ZONE").I(b_.IZONE(i), 6)
          .text(" ON HAVE NO PLACE AND ARE NOT ANALYSED.");
      error(ln);
    }
    surfaces_ -= 1;
    return;
  }
  const int s = surfaces_;
  b_.IWALL(s) = u.iwall;
  b_.AWALL(s) = u.awall;
  b_.ORIENT(s) = u.orient;
  b_.EXPOS(s) = u.expos;
  for (int k = 1; k <= 3; ++k) {
    b_.SHDC(k, s) = u.shdc[k - 1];
    b_.SHDV(k, s) = u.shdv[k - 1];
  }
  b_.IWIND(s) = u.iwind;
  b_.AWIND(s) = u.awind;
  b_.SWBFLG(s) = u.swb;
  b_.IBLND(s) = u.iblnd;
  b_.TDIFF(s) = u.tdiff;
  b_.HSILL(s) = u.hsill;
  b_.HTOP(s) = u.htop;
  b_.GREFL(s) = u.grefl;

  if (zoneKept_ && !(u.expos >= 1.0f)) {
    Line ln;
    ln.text(kErr).text("EXPOSURE CODE").F(u.expos, 8, 1).text(" OF WALL NO.").I(s, 4)
        .text(" IS BELOW 1.");
    error(ln);
  }

  // Overhang and daylighting device.
  b_.DOVH(s) = 0.0f;
  b_.IDEV(s) = ' ';
  for (int k = 1; k <= 3; ++k) {
    if (b_.SHDC(k, s) == 'T') {
      b_.DOVH(s) = (b_.HTOP(s) - b_.HSILL(s)) * b_.SHDV(k, s);
      b_.IDEV(s) = 'H';
    }
  }
  b_.DSHD(s) = b_.DOVH(s);
  b_.DSHLF(s) = 0.0f;
  b_.RSHLF(s) = 0.0f;
  b_.TSHLF(s) = 0.0f;
  if (b_.IBLND(s) == 5) {
    b_.IDEV(s) = 'L';
    b_.RSHLF(s) = 0.9f;
    int slot = 0;
    for (int g = 1; g <= b_.NGLS && slot == 0; ++g)
      if (b_.IDWIN(g) == b_.IWIND(s)) slot = g;
    if (slot > 0) {
      b_.TSHLF(s) = b_.VTWIN(slot);
    } else if (zoneKept_) {
      Line ln;
      ln.text(kErr).text("LIGHT SHELF ON WALL NO.").I(s, 4).text(": WINDOW TYPE I.D.")
          .I(b_.IWIND(s), 6).text(" CANNOT BE FOUND.");
      error(ln);
    }
    b_.DOVH(s) = 0.0f;
    if (b_.TDIFF(s) > 1.0f) {
      b_.DSHLF(s) = b_.TDIFF(s);
      b_.TDIFF(s) = 1.0f;
    }
  }

  float slope = u.slope;
  if (slope == 0.0f && b_.EXPOS(s) < 6.0f) slope = 90.0f;
  b_.SINTLT(s) = std::sin(slope / 57.3f);
  b_.COSTLT(s) = std::cos(slope / 57.3f);
  if (slope != 0.0f) {
    float o = b_.ORIENT(s) + m_.BORIENT;
    if (o < 0.0f) o += 360.0f;
    if (o >= 360.0f) o -= 360.0f;
    b_.ORIENT(s) = o;
  }
}

// ------------------------------------------------------------------------------------------
// Building matrix (end of section 7): the zone heights.

void ProjectReader::matrix() {
  {
    Line ln;
    ln.text("Completed zone input for ").I(b_.NZ, 3).text(" zones. ");
    s_.files.monitor.line(ln.view());
  }
  if (!tryNext() || key() != "Grid" || b_.NZ == 0) return;
  // Every level block to the end of the file: its header (the "Grid" line is read),
  // its zone-name lines, its grid rows.
  for (int64_t level = 1;; ++level) {
    if (!tryNext() || !tryNext() || !tryNext()) return;
    float height = 0.0f;
    try {
      height = readF(line_, 14, 10, 0);
      height = inRange(height, kHeight);
    } catch (const FieldError&) {
      badValue("A ROOM HEIGHT");
    }
    if (!tryNext() || !tryNext()) return;
    bool atNextLevel = false;
    for (int n = 1; n <= 25; ++n) {
      if (!tryNext()) return;
      if (key() != "Zone") {
        atNextLevel = key() == "Grid";
        break;
      }
      scan(columns(line_, 10, 2));
      int32_t nn = 0;
      if (!truncTo(m_.NUM(1), 0.0, 99.0, nn)) continue;
      const int64_t zoneNo = nn < 10 ? 10 * level + nn : 100 * level + nn;
      for (int i = 1; i <= b_.NZ; ++i) {
        if (b_.IZONE(i) == zoneNo) {
          b_.ZHGT(i) = height;
          break;
        }
      }
    }
    while (!atNextLevel) {
      if (!tryNext()) return;
      atNextLevel = key() == "Grid";
    }
  }
}

void ProjectReader::run() {
  head();
  walls();
  windows();
  profiles();
  zones();
  matrix();
}

}  // namespace

void RDPROJ(EngineState& s) {
  // A file that ends too early throws ProjectFileEnded, already logged and counted where the
  // file ended: the main program closes the input phase without counting it again.
  ProjectReader r(s);
  r.run();
}

}  // namespace kv
