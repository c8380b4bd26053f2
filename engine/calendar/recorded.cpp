#include "engine/calendar/recorded.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "engine/core/fixfmt.h"

namespace kv {

namespace {

// Columns of the fixed layouts: first column and width of each field the engine reads.
struct Field {
  int col, w;
};
struct FixedLayout {
  Field year, month, day, hour, etr, global, direct, diffuse, illum1, illum2, illum3, sky, db,
      dp, pb, wv;
  int lastColumn;
};

constexpr FixedLayout kTmy2{{2, 2},   {4, 2},   {6, 2},  {8, 2},  {10, 4}, {18, 4},
                            {24, 4},  {30, 4},  {36, 4}, {42, 4}, {48, 4}, {60, 2},
                            {68, 4},  {74, 4},  {85, 4}, {96, 3}, 98};
constexpr FixedLayout kCustom{{4, 2},   {6, 2},   {8, 2},  {10, 2}, {12, 4}, {20, 4},
                              {26, 4},  {32, 4},  {38, 4}, {44, 4}, {50, 4}, {62, 2},
                              {70, 4},  {76, 4},  {87, 4}, {98, 3}, 100};
constexpr FixedLayout kWyec2{{7, 2},   {9, 2},   {11, 2}, {13, 2},  {15, 4}, {19, 4},
                             {25, 4},  {31, 4},  {37, 4}, {42, 4},  {47, 4}, {109, 2},
                             {90, 4},  {95, 4},  {84, 5}, {104, 4}, 110};

const FixedLayout& layoutOf(int code) {
  switch (weatherLayout(code)) {
    case 2: return kWyec2;
    case 4: return kCustom;
    default: return kTmy2;
  }
}

std::int32_t field(std::string_view line, Field f) { return readI(line, f.col, f.w); }

bool dateInRange(std::int32_t month, std::int32_t day, std::int32_t hour) {
  return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 24;
}

// Digits only (no blanks) in columns col..col+w-1, as a number; -1 otherwise.
int digitsAt(std::string_view line, int col, int w) {
  if (col - 1 + w > static_cast<int>(line.size())) return -1;
  int v = 0;
  for (int i = 0; i < w; ++i) {
    const char c = line[static_cast<std::size_t>(col - 1 + i)];
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

// A WYEC2-family record that writes the year with four digits: a plausible year in columns
// 7-10 followed by a valid month, day and hour in 11-16.
bool fourDigitYear(std::string_view line) {
  const int year = digitsAt(line, 7, 4);
  return year >= 1800 && year <= 2199 &&
         dateInRange(digitsAt(line, 11, 2), digitsAt(line, 13, 2), digitsAt(line, 15, 2));
}

// The ranges of the weather values, in the engine's units (F, W/m2, mph).
constexpr float kLowestTemperature = -100.0f, kHighestTemperature = 150.0f;
constexpr float kHighestGlobal = 1500.0f;
constexpr float kHighestWind = 150.0f;

bool valuesInRange(double db, double dp, double globalWm2, double wind) {
  auto within = [](double v, double lo, double hi) { return v >= lo && v <= hi; };
  return within(db, kLowestTemperature, kHighestTemperature) &&
         within(dp, kLowestTemperature, kHighestTemperature) && within(globalWm2, 0.0, kHighestGlobal) &&
         within(wind, 0.0, kHighestWind);
}

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// One free-format value: an optional sign, digits with an optional point, an optional
// exponent (E or D). False when the token is anything else.
bool parseFreeNumber(std::string_view tok, double& v) {
  std::size_t i = 0;
  bool neg = false;
  if (i < tok.size() && (tok[i] == '+' || tok[i] == '-')) {
    neg = tok[i] == '-';
    ++i;
  }
  char buf[64];
  std::size_t o = 0;
  if (tok.size() - i >= sizeof buf) return false;
  for (; i < tok.size(); ++i) {
    const char c = tok[i];
    buf[o++] = (c == 'D' || c == 'd') ? 'e' : c;
  }
  if (o == 0 || buf[0] == '+' || buf[0] == '-') return false;
  const auto res = std::from_chars(buf, buf + o, v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != buf + o) return false;
  if (neg) v = -v;
  return std::isfinite(v);  // "nan" and "inf" are no weather values
}

}  // namespace

std::int32_t recordInt(double v) {
  return v > -1e9 && v < 1e9 ? static_cast<std::int32_t>(v) : 0;
}

int weatherLayout(int code) { return (code == 2 || code == 3 || code == 4) ? code : 1; }

bool isBlankRecord(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

int readFixedRecord(std::string_view line, int code, float sinalt, WeatherRecord& rec, float& etr,
                    char (&station)[5]) {
  const int layout = weatherLayout(code);
  const FixedLayout& L = layoutOf(code);
  auto failed = [&](int err) {
    return (layout == 2 && fourDigitYear(line)) ? kWxFourDigitYear : err;
  };
  try {
    rec.year = field(line, L.year);
    rec.month = field(line, L.month);
    rec.day = field(line, L.day);
    rec.hour = field(line, L.hour);
    if (static_cast<int>(line.size()) < L.lastColumn) return failed(kWxShortRecord);
    const std::int32_t ext = field(line, L.etr);
    const std::int32_t glo = field(line, L.global);
    const std::int32_t dir = field(line, L.direct);
    const std::int32_t dif = field(line, L.diffuse);
    field(line, L.illum1);  // read, not used
    field(line, L.illum2);
    field(line, L.illum3);
    const std::int32_t sky = field(line, L.sky);
    const std::int32_t db = field(line, L.db);
    const std::int32_t dp = field(line, L.dp);
    const std::int32_t pb = field(line, L.pb);
    const std::int32_t wv = field(line, L.wv);
    const bool wyec2 = layout == 2;
    if (!dateInRange(rec.month, rec.day, rec.hour)) return failed(kWxDateRange);
    const double wm2 = wyec2 ? glo / 3.6 : glo;  // Wh/m2 (kJ/m2) in the hour
    if (!valuesInRange(db * 0.18 + 32.0, dp * 0.18 + 32.0, wm2, wv / 4.47)) return failed(kWxValueRange);

    // Irradiances in Wh/m2 (WYEC2 kJ/m2) to Btu/h ft2; tenths of C to F; mbar (WYEC2 tenths)
    // to inHg; tenths of m/s to mph.
    auto irr = [&](std::int32_t v) {
      float x = static_cast<float>(v) / 3.152585f;
      if (wyec2) x = x / 3.6f;
      return x;
    };
    rec.dh = irr(glo);
    rec.dn = irr(dir);
    rec.dfh = irr(dif);
    etr = static_cast<float>(ext) / (3.152585f * std::max(sinalt, 0.01f));
    if (wyec2) etr = etr / 3.6f;
    rec.cc = static_cast<float>(sky) / 10.0f;
    rec.db = static_cast<float>(db) * 1.8f / 10.0f + 32.0f;
    rec.dp = static_cast<float>(dp) * 1.8f / 10.0f + 32.0f;
    rec.pb = static_cast<float>(pb) / 33.864f;
    if (wyec2) rec.pb = rec.pb / 10.0f;
    rec.wv = static_cast<float>(wv) / 4.47f;
    if (wyec2) {
      for (int i = 0; i < 5; ++i)
        station[i] = i < static_cast<int>(line.size()) ? line[static_cast<std::size_t>(i)] : ' ';
    }
    return 0;
  } catch (const FieldError&) {
    return failed(kWxNotNumeric);
  }
}

int readFreeValues(std::string_view line, double (&vals)[8], int& n) {
  std::size_t i = 0;
  while (n < 8) {
    while (i < line.size() && isSeparator(line[i])) ++i;
    if (i >= line.size()) return 0;
    const std::size_t start = i;
    while (i < line.size() && !isSeparator(line[i])) ++i;
    if (!parseFreeNumber(line.substr(start, i - start), vals[n])) return kWxNotNumeric;
    ++n;
  }
  return 0;
}

int completeIwecRecord(const double (&vals)[8], float pb, float etr, float sinalt, float& prevCC,
                       WeatherRecord& rec) {
  // Every value within its field's range before it is converted.
  auto within = [](double v, double lo, double hi) { return v >= lo && v <= hi; };
  const double h = vals[3];
  const bool dateFits = within(vals[0], -9999, 9999) && within(vals[1], 1, 12) && within(vals[2], 1, 31) &&
                        (within(h, 0, 24) || within(h, 100, 2400));
  rec.year = recordInt(vals[0]);
  rec.month = recordInt(vals[1]);
  rec.day = recordInt(vals[2]);
  rec.hour = recordInt(h >= 100 ? h / 100 : h);
  if (!dateFits) return kWxDateRange;
  if (!valuesInRange(vals[4], vals[5], vals[6], vals[7])) return kWxValueRange;
  rec.db = static_cast<float>(vals[4]);
  rec.dp = static_cast<float>(vals[5]);
  rec.dh = static_cast<float>(vals[6]);
  rec.wv = static_cast<float>(vals[7]);
  if (!(rec.dp < rec.db)) rec.dp = rec.db - 0.5f;
  if (rec.hour >= 100) rec.hour = rec.hour / 100;
  if (!dateInRange(rec.month, rec.day, rec.hour)) return kWxDateRange;
  rec.pb = pb;
  rec.dh = rec.dh * 0.317f;
  if (rec.dh > 1.0f && sinalt > 0.05f) {
    const float kt = std::clamp(rec.dh / (etr * sinalt), 0.0f, 0.85f);
    const float x = std::clamp(1.83f - 2.8f * kt, 0.0f, 1.0f);
    rec.cc = (x + prevCC) / 2.0f;
    prevCC = rec.cc;
    float fd;
    if (kt <= 0.22f) {
      fd = 1.0f - 0.09f * kt;
    } else if (kt <= 0.8f) {
      fd = 0.9511f - 0.1604f * kt + 4.388f * (kt * kt) - 16.638f * (kt * kt * kt) +
           12.336f * (kt * kt * kt * kt);
    } else {
      fd = 0.165f;
    }
    rec.dfh = fd * rec.dh;
    rec.dn = (rec.dh - rec.dfh) / sinalt;
  } else {
    rec.dh = 0.0f;
    rec.dn = 0.0f;
    rec.dfh = 0.0f;
  }
  return 0;
}

bool recordMonthDay(std::string_view line, int code, int& month, int& day) {
  if (weatherLayout(code) == 3) {
    double vals[8];
    int n = 0;
    if (readFreeValues(line, vals, n) != 0 || n < 8) return false;
    if (!(vals[1] >= 1 && vals[1] <= 12 && vals[2] >= 1 && vals[2] <= 31)) return false;
    month = static_cast<int>(vals[1]);
    day = static_cast<int>(vals[2]);
    return true;
  }
  const FixedLayout& L = layoutOf(code);
  try {
    month = field(line, L.month);
    day = field(line, L.day);
  } catch (const FieldError&) {
    return false;
  }
  return !isBlankRecord(line);
}

int readStationHeader(std::string_view line, int code, StationHeader& h) {
  const bool custom = weatherLayout(code) == 4;
  char scratch[32];
  const std::string_view station = fieldText(line, custom ? 7 : 2, 5, scratch);
  std::copy(station.begin(), station.end(), h.station);
  const std::string_view location = fieldText(line, custom ? 14 : 8, 25, scratch);
  std::copy(location.begin(), location.end(), h.location);
  try {
    const std::int32_t tz = custom ? readI(line, 46, 4) : readI(line, 34, 3);
    const char latLetter = fieldText(line, custom ? 54 : 38, 1, scratch)[0];
    const std::int32_t latDeg = custom ? readI(line, 55, 3) : readI(line, 39, 3);
    const std::int32_t latMin = custom ? readI(line, 58, 3) : readI(line, 42, 3);
    const char lonLetter = fieldText(line, custom ? 62 : 46, 1, scratch)[0];
    const std::int32_t lonDeg = custom ? readI(line, 63, 4) : readI(line, 47, 4);
    const std::int32_t lonMin = custom ? readI(line, 67, 3) : readI(line, 51, 3);
    const std::int32_t elev = custom ? readI(line, 71, 6) : readI(line, 54, 6);
    h.latitude = static_cast<float>(latDeg) + static_cast<float>(latMin) / 60.0f;
    if (latLetter == 'S') h.latitude = -h.latitude;
    h.longitude = static_cast<float>(lonDeg) + static_cast<float>(lonMin) / 60.0f;
    if (lonLetter == 'E') h.longitude = -h.longitude;
    h.meridian = -15.0f * static_cast<float>(tz);
    h.elevation = static_cast<float>(elev) * 3.281f;
  } catch (const FieldError&) {
    return kWxNotNumeric;
  }
  return 0;
}

}  // namespace kv
