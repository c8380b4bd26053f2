// The weather reports of the calendar: listing tavik$.wth, hourly weather eweth$.hry,
// report section VIII, eweth$.sum and the monitor's closing box.
#include <cmath>

#include "engine/calendar/wether.h"
#include "engine/core/fixfmt.h"
#include "engine/core/outputs.h"
#include "engine/core/report.h"
#include "engine/core/units.h"

namespace kv {

namespace {

constexpr std::string_view kMonthNames[12] = {"JANUARY  ", "FEBRUARY ", "MARCH    ", "APRIL    ",
                                              "MAY      ", "JUNE     ", "JULY     ", "AUGUST   ",
                                              "SEPTEMBER", "OCTOBER  ", "NOVEMBER ", "DECEMBER "};
constexpr std::string_view kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

std::string_view monthName(int32_t m) {
  if (m < 1 || m > 12) throw IndexError(m, 1, 12);
  return kMonthNames[m - 1];
}
std::string_view month3(int32_t m) { return monthName(m).substr(0, 3); }
// The year's extremes carry month 0 when no day was simulated: a blank name.
std::string_view month3OrBlank(int32_t m) { return m >= 1 && m <= 12 ? month3(m) : "   "; }
// Blank when no day end has named the day (the load model not wired).
std::string_view weekday(int32_t dow) { return dow >= 1 && dow <= 7 ? kWeekdays[dow - 1] : "   "; }

// Conversions for the SI forms.
float dC(float f) { return f / 1.8f; }
constexpr float kMjPerBtuFt2 = 0.01135653f;
constexpr float kWPerBtuhFt2 = 3.1545911f;
constexpr float kMsPerMph = 0.44704f;
constexpr float kMPerFt = 0.3048f;

struct Units {
  bool si;
  float temp(float f) const { return si ? toC(f) : f; }
  float dtemp(float f) const { return si ? dC(f) : f; }
  float insol(float btu) const { return si ? btu * kKJm2PerBtuFt2 : btu; }
  float wind(float mph) const { return si ? mph * kMsPerMph : mph; }
  float press(float inHg) const { return si ? inHg * kKPaPerInHg : inHg; }
};

void put(OutFile& f, Line& ln) {
  f.line(ln.view());
  ln.clear();
}

void monthlyRow(OutFile& f, std::string_view label, int col, const Arr1<float, 12>& v, float (*conv)(float),
                bool si) {
  Line ln;
  ln.T(col).text(label).T(48);
  for (int i = 1; i <= 12; ++i) ln.F(si ? conv(v(i)) : v(i), 6, 1);
  put(f, ln);
}

float percent(float part, float whole) { return whole != 0.0f ? 100.0f * part / whole : 0.0f; }

}  // namespace

float monthDeviation(float sum, float sumSquares, int32_t D) {
  if (D <= 1) return 0.0f;
  const float d = static_cast<float>(D);
  const float mean = sum / d;
  const float var = (sumSquares - d * mean * mean) / (d - 1.0f);
  return var > 0.0f ? std::sqrt(var) : 0.0f;
}

void writeListingHead(EngineState& s, const CalendarRun& run, const Chars<8>& STNID) {
  OutFile& f = s.files.listing;
  const WXMON& wx = s.wxmon;
  const RUNPAR& rp = s.runpar;
  const bool si = run.si;
  Line ln;
  f.emptyLine();
  f.emptyLine();
  ln.T(4).text("D E T A I L E D   W E A T H E R   S U M M A R Y :").text("   Weather Year:").I(rp.IYEAR, 5);
  ln.text("   Date of Run:").I(rp.IRDA, 3).X(1).A(s.chtab.MONNAM(rp.IRMO).view()).I(rp.IRYR, 5);
  ln.text(", ").I(run.clockHour, 2).text(":").I(run.clockMinute, 2);
  put(f, ln);
  put(f, ln.T(4).rep(si ? '=' : '-', 49));
  f.emptyLine();
  put(f, ln.T(15).text("LOCATION: ").T(25).A(s.prjtxt.PLOC.first(40), 40).text("    WBAN Station: ").A(STNID.first(5), 5));
  put(f, ln.T(15).F(wx.XLAT, 9, 1).text(" DEG. NORTH LATITUDE"));
  put(f, ln.T(15).F(wx.XLONG, 9, 1).text(" DEG. LONGITUDE"));
  put(f, ln.T(15).F(wx.XMER, 9, 1).text(" DEG. LOCAL STANDARD TIME MERIDIAN"));
  put(f, ln.T(15).F(si ? wx.ELEV * kMPerFt : wx.ELEV, 9, 1).text(si ? " METERS ABOVE" : " FEET ABOVE").text(" SEA LEVEL."));
  f.emptyLine();
  put(f, ln.T(6).text("SIMULATION PERIOD:").T(24).I(wx.NDPM, 5).text(" DAYS PER MONTH"));
  f.emptyLine();
  put(f, ln.T(6).text("WEATHER CONDITIONS...."));
  f.emptyLine();
  const Units u{si};
  put(f, ln.T(10).text("THE TEMPERATURE RANGE SHOULD BE ").text("FROM ").F(u.temp(wx.TDSMN), 4, 0).text(" TO ")
             .F(u.temp(wx.TDSMX), 4, 0).text(si ? " DEGREES C." : " DEGREES F."));
  f.emptyLine();
  for (int i = 1; i <= 12; ++i) ln.T(50 + 6 * (i - 1)).text(month3(i));
  put(f, ln);
  for (int i = 1; i <= 12; ++i) ln.T(50 + 6 * (i - 1)).text("---");
  put(f, ln);
  const std::string_view unit = si ? "(C)" : "(F)";
  char label[64];
  auto with = [&](std::string_view a, std::string_view b) {
    std::size_t n = 0;
    for (char c : a) label[n++] = c;
    for (char c : b) label[n++] = c;
    return std::string_view(label, n);
  };
  monthlyRow(f, with("AVERAGE DRY-BULB TEMPERATURES.", unit), 10, wx.TDBM, toC, si);
  monthlyRow(f, with("STANDARD DEVIATIONS.", unit), 20, wx.TDBS, dC, si);
  f.emptyLine();
  monthlyRow(f, with("AVERAGE DAILY MAX TEMPERATURES", unit), 10, wx.TMXM, toC, si);
  monthlyRow(f, with("STANDARD DEVIATIONS.", unit), 20, wx.TMXS, dC, si);
  f.emptyLine();
  monthlyRow(f, with("AVERAGE DEW POINT TEMPERATURES.", unit), 10, wx.TDPM, toC, si);
  monthlyRow(f, with("STANDARD DEVIATIONS.", unit), 20, wx.TDPS, dC, si);
  f.emptyLine();
  ln.T(10).text("GLOBAL ").text(si ? "INSOLATION (kJ/SQ.M./DAY)..." : "INSOLATION (BTU/SQ.FT./DAY).").T(48);
  for (int i = 1; i <= 12; ++i) {
    if (si) {
      ln.I(static_cast<int64_t>(wx.SOLM(i) * kKJm2PerBtuFt2 + 0.5f), 6);
    } else {
      ln.F(wx.SOLM(i), 6, 0);
    }
  }
  put(f, ln);
  f.emptyLine();
  ln.T(10).text(si ? "AVERAGE WIND VELOCITY, IN M/S ......" : "AVERAGE WIND VELOCITY, IN M.P.H. ...").T(48);
  for (int i = 1; i <= 12; ++i) ln.F(u.wind(wx.WNDM(i)), 6, 1);
  put(f, ln);
  put(f, ln.T(2).rep('=', 126));
  f.emptyLine();
  f.line("\f");
}

void writeHourlyWeatherHead(EngineState& s, const CalendarRun& run, const Chars<8>& STNID) {
  OutFile& f = s.files.hrWeather;
  const char sep = s.runpar.SEPCH;
  Line ln;
  put(f, ln.text("WBAN Station I.D.: ").A(STNID.first(5), 5));
  put(f, ln.rep(sep, 5).text("*Solar Angles, Radiation").text(" & Sky Cover*"));
  const char* heads1[] = {"Time", "DB", "WB", "DP", "Sun", "Sun", "Direct", "Direct", "Diff.", "Total", "Cloud", "Wind", "Stn"};
  ln.text("  Date");
  for (const char* h : heads1) ln.ch(sep).text(h);
  put(f, ln);
  const char* heads2[] = {"temp", "temp", "temp", "alt.", "azimuth", "normal", "horiz", "horiz", "horiz", "cover", "speed", "PB"};
  ln.ch(sep);
  for (const char* h : heads2) ln.ch(sep).text(h);
  put(f, ln);
  // Units. The SI labels go with the SI values: only the unit code "SI" selects both.
  const bool si = run.si;
  const std::string_view deg = si ? "(\xB0" "C)" : "(\xB0" "F)";
  ln.rep(sep, 2).text(deg).ch(sep).text(deg).ch(sep).text(deg).rep(sep, 3);
  ln.text(si ? "(Whr per sq m.)" : "(Btu per sq ft)").rep(sep, 4).text("(%)").ch(sep);
  ln.text(si ? "(m/s)" : "(mph)").ch(sep).text(si ? "(kPa)" : "(\"Hg)");
  put(f, ln);
}

void writeHourRow(EngineState& s, const CalendarRun& run) {
  const HRWTHR& w = s.hrwthr;
  const char sep = s.runpar.SEPCH;
  const bool si = run.si;
  const float irr = si ? 3.155f : 1.0f;
  Line ln;
  ln.I(run.dayOfMonth, 3).text("-").text(month3(run.MONTH)).ch(sep).I(static_cast<int64_t>(w.HOUR), 2);
  ln.ch(sep).F(si ? toC(w.DB) : w.DB, 6, 1);
  ln.ch(sep).F(si ? toC(w.WB) : w.WB, 6, 1);
  ln.ch(sep).F(si ? toC(w.DP) : w.DP, 6, 1);
  ln.ch(sep).F(w.ALT, 6, 1);
  ln.ch(sep).F(w.AZM, 6, 0);
  ln.ch(sep).F(w.DN * irr, 6, 0);
  ln.ch(sep).F(w.DN * w.SINALT * irr, 6, 0);
  ln.ch(sep).F(w.DFH * irr, 6, 0);
  ln.ch(sep).F(w.DH * irr, 6, 0);
  ln.ch(sep).I(static_cast<int64_t>(100.0f * w.CC + 0.49f), 5);
  ln.ch(sep).F(si ? w.WV * 0.447f : w.WV, 7, 1);
  ln.ch(sep).F(si ? w.PB * kKPaPerInHg : w.PB, 8, 2);
  s.files.hrWeather.line(ln.view());
}

void writeMonthHead(EngineState& s, const CalendarRun& run) {
  OutFile& f = s.files.listing;
  Line ln;
  put(f, ln.text(" DAILY WEATHER SUMMARIES FOR ").A(monthName(run.MONTH), 9).I(s.runpar.IYEAR, 5)
             .T(49).text("LOCATION: ").A(s.prjtxt.PLOC.view(), 42));
  f.emptyLine();
  put(f, ln.T(14).text("SUN").T(22).text("DRY-BULB TEMPERATURES").T(49).text("DEW POINT").text(" TEMPERATURES")
             .T(90).text("HORIZONTAL").T(106).text("SKY").T(114).text("CLOUD").T(122).text("AVE"));
  put(f, ln.T(14).text("RISE").text("    MIN.            3:00   ").text("    MIN.            3:00   ")
             .T(74).text("AVE.").T(81).text("AVERAGE").T(90).text("DAILY SOLAR").T(106).text("CLR.")
             .T(114).text("COVER").T(122).text("WIND"));
  put(f, ln.text(" DAY  DATE").T(14).text("TIME").text("    A.M.  AVERAGE   P.M.   ")
             .text("    A.M.  AVERAGE   P.M.   ").T(74).text("RH(%)").T(81).text("PRESSURE")
             .T(90).text("DIRECT  DIFF.").T(106).text("INDEX").T(114).text("FRACT").T(122).text("SPEED"));
  put(f, ln.text(" --- -----").T(13).text("-----").T(22).rep('-', 21).T(49).rep('-', 22).T(74).text("-----")
             .T(81).text("--------").T(90).text("-------------").T(106).text("-----").T(114).text("-----")
             .T(122).text("-----"));
}

void writeDayRow(EngineState& s, const CalendarRun& run, const DayRow& d) {
  const Units u{run.si};
  Line ln;
  ln.X(1).text(weekday(d.dow)).I(d.month, 3).text("/").I(d.dayOfMonth, 2);
  ln.I(d.sunriseHhmm, 7).T(13).I(d.sunriseHhmm / 100, 2).text(":").T(18);
  ln.F(u.temp(d.tmin), 8, 1).F(u.temp(d.tmean), 8, 1).F(u.temp(d.tmax), 8, 1).X(3);
  ln.F(u.temp(d.dpLow), 8, 1).F(u.temp(d.dpMean), 8, 1).F(u.temp(d.dpHigh), 8, 1);
  ln.F(d.rh, 9, 0).F(u.press(d.pb), 9, 2).F(u.insol(d.direct), 9, 0).F(u.insol(d.diffuse), 7, 0);
  ln.F(d.clearness, 8, 2).F(d.cc, 7, 1).F(u.wind(d.wind), 8, 1);
  s.files.listing.line(ln.view());
}

void writeMonthSummary(EngineState& s, CalendarRun& run) {
  OutFile& f = s.files.listing;
  const WXMON& wx = s.wxmon;
  const MonthSums& m = run.m;
  const int32_t month = run.MONTH;
  const Units u{run.si};
  Line ln;
  put(f, ln.T(2).rep('-', 125));

  const int32_t D = static_cast<int32_t>(m.days + 0.5f);
  const float dd = D > 0 ? static_cast<float>(D) : 1.0f;
  const float tday = m.tday / dd, tmax = m.tmax / dd, dp = m.dp / dd;
  const float tdaySd = monthDeviation(m.tday, m.tday2, D);
  const float tmaxSd = monthDeviation(m.tmax, m.tmax2, D);
  const float dpSd = monthDeviation(m.dp, m.dp2, D);
  const float pb = m.pb / dd, direct = m.direct / dd, diffuse = m.diffuse / dd, total = m.total / dd;
  const float wind = m.wind / dd;
  const float clearness = m.h0 > 0.0f ? m.total / m.h0 : 0.0f;

  put(f, ln.T(78).text("Ave Solr=").T(87).F(u.insol(direct), 9, 0).F(u.insol(diffuse), 7, 0).text(" (or")
             .F(percent(diffuse, total), 5, 1).text(" % Diffuse)"));
  put(f, ln.text(" VALIDATION CHECK OF WEATHER STATISTICS FOR ").A(monthName(month), 9).I(s.runpar.IYEAR, 5));
  f.emptyLine();
  put(f, ln.T(13).text("DRY-BULB AVERAGES").T(35).text("DRY-BULB MAXIMUMS").T(56).text("DEW POINT AVERAGES")
             .T(80).text("AVERAGE").T(94).text("AVE SOLAR").T(106).text("AVE CLRNS").T(117).text("AVERAGE"));
  put(f, ln.T(15).text("AVE").T(21).text("STD DEV").T(37).text("AVE").T(43).text("STD DEV").T(59).text("AVE")
             .T(65).text("STD DEV").T(80).text("PRESSURE").T(96).text("RAD.").T(108).text("INDEX").T(118).text("WIND"));
  put(f, ln.T(13).rep('-', 17).T(35).rep('-', 17).T(56).rep('-', 18).T(80).rep('-', 8).T(94).rep('-', 9)
             .T(106).rep('-', 9).T(117).rep('-', 7));
  const float input[10] = {u.temp(wx.TDBM(month)), u.dtemp(wx.TDBS(month)), u.temp(wx.TMXM(month)),
                           u.dtemp(wx.TMXS(month)), u.temp(wx.TDPM(month)), u.dtemp(wx.TDPS(month)),
                           u.press(run.pressure),    u.insol(wx.SOLM(month)), run.ktm,
                           u.wind(wx.WNDM(month))};
  const float year[10] = {u.temp(tday), u.dtemp(tdaySd), u.temp(tmax), u.dtemp(tmaxSd), u.temp(dp),
                          u.dtemp(dpSd), u.press(pb), u.insol(total), clearness, u.wind(wind)};
  float diff[10];
  for (int i = 0; i < 10; ++i) diff[i] = year[i] - input[i];
  const int widths[10] = {6, 8, 14, 8, 14, 8, 16, 14, 12, 9};
  const int decimals[10] = {1, 2, 1, 2, 1, 2, 2, 0, 3, 1};
  auto row = [&](std::string_view label, const float* v) {
    ln.text(label);
    for (int i = 0; i < 10; ++i) ln.F(v[i], widths[i], decimals[i]);
    put(f, ln);
  };
  row(" INPUT VAL =", input);
  row(" THIS YEAR =", year);
  row(" DIFFERENCE=", diff);

  f.emptyLine();
  const int32_t possible = static_cast<int32_t>(m.possibleSun + 0.5f);
  put(f, ln.text(run.si ? " HEATING DEGREE DAYS (SUM < 18 DEGREES) =" : " HEATING DEGREE DAYS (SUM < 65 DEGREES) =")
             .F(m.hdd, 7, 0).T(60).text("POSSIBLE SUN =").I(possible, 4).text(" HRS.;  ACTUAL SUN =")
             .I(m.sunshine, 4).text(" HRS. OR").F(percent(static_cast<float>(m.sunshine), m.possibleSun), 5, 0)
             .text(" % SUNSHINE"));
  put(f, ln.text(run.si ? " COOLING DEGREE DAYS (SUM > 18 DEGREES) =" : " COOLING DEGREE DAYS (SUM > 65 DEGREES) =")
             .F(m.cdd, 7, 0).T(60).text("AVERAGE DAY HOURLY TEMPERATURE & RH SHOWN BELOW:"));
  f.emptyLine();
  ln.text(" TIME= ");
  for (int h = 1; h <= 24; ++h) ln.I(h, 5);
  put(f, ln);
  put(f, ln.T(2).rep('-', 127));
  const float perDay = D > 0 ? run.WEIGHT / static_cast<float>(D) : 0.0f;
  ln.text(" AVE DB=");
  for (int h = 1; h <= 24; ++h) ln.F(u.temp(m.hourDb(h) * perDay), 5, 0);
  put(f, ln);
  ln.text(" AVE RH=");
  for (int h = 1; h <= 24; ++h) ln.F(m.hourRh(h) * perDay, 5, 0);
  put(f, ln);
  put(f, ln.T(2).rep('=', 127));
  f.emptyLine();
  f.line("\f");

  // Statistics of the month for eweth$.sum, inch-pound.
  Arr2<float, 8, 12>& st = run.y.stats;
  st(1, month) = tday;
  st(2, month) = tdaySd;
  st(3, month) = tmax;
  st(4, month) = tmaxSd;
  st(5, month) = dp;
  st(6, month) = dpSd;
  st(7, month) = total;
  st(8, month) = wind;
  run.y.monthDone(month) = 1;
}

namespace {
void section8Title(EngineState& s, OutFile& f, bool monitor) {
  Line ln;
  const std::string_view title = "VIII.  E N D   O F   Y E A R   W E A T H E R   S U M M A R Y :";
  if (monitor) {
    f.line("\f");
    put(f, ln.text(title).T(115).text(".... PAGE").I(s.runpar.NPAGE, 3).text(" ...."));
  } else {
    put(f, ln.text("\f").T(115).text("....PAGE").I(s.runpar.NPAGE, 3).text(" ...."));
    put(f, ln.text(title));
  }
  put(f, ln.T(8).rep('-', 55));
  f.emptyLine();
  PageHeaderBlock(s, f);
}
}  // namespace

void writeSection8(EngineState& s, const CalendarRun& run) {
  OutFile& f = s.files.report;
  const YearSums& y = run.y;
  const Units u{run.si};
  section8Title(s, f, false);
  f.emptyLine();
  Line ln;
  put(f, ln.text("   TEMPERATURES****"));
  put(f, ln.T(6).text("THE MAXIMUM TEMPERATURE FOR THIS YEAR WAS").F(u.temp(y.tmax), 5, 0).text(" DEGREES").X(7)
             .text("DATE: ").text(month3OrBlank(y.tmaxMonth)).I(y.tmaxDay, 3));
  put(f, ln.T(6).text("THE MINIMUM TEMPERATURE FOR THIS YEAR WAS").F(u.temp(y.tmin), 5, 0).text(" DEGREES").X(7)
             .text("DATE: ").text(month3OrBlank(y.tminMonth)).I(y.tminDay, 3));
  f.emptyLine();
  put(f, ln.text("   SOLAR****"));
  put(f, ln.T(6).text("THE MAXIMUM SOLAR INSOLATION ON A HORIZONTAL SURFACE WAS ")
             .F(run.si ? y.dhMax * kWPerBtuhFt2 : y.dhMax, 5, 0).text(run.si ? " Watts/sq.m." : " Btus/hr/sq.ft."));
  put(f, ln.T(8).text("TIME: ").I(y.dhHour, 3).text(" ON ").text(month3OrBlank(y.dhMonth)).I(y.dhDay, 3));
  f.emptyLine();
  const std::string_view per = run.si ? " MJ/sq.m." : " Btus/sq.ft.";
  const float k = run.si ? kMjPerBtuFt2 : 1.0f;
  put(f, ln.text("     THE TOTAL SOLAR INSOLATION ON A HORIZONTAL SURFACE WAS").F(y.measured * k, 12, 0).text(per));
  put(f, ln.T(6).text("LONG TERM AVERAGE SOLAR INSOLATION").text(" IS").F(y.longTerm * k, 12, 0).text(per));
  put(f, ln.T(6).text("TOTAL HOURS OF SUNSHINE =").I(y.sunshine, 5));
  f.emptyLine();
  put(f, ln.text("   WIND****"));
  auto windOf = [&](int32_t m) { return m >= 1 && m <= 12 ? u.wind(s.wxmon.WNDM(m)) : 0.0f; };
  const std::string_view wunit = run.si ? " m/s" : " mph";
  put(f, ln.T(6).text("WINTER DESIGN CONDITIONS  ").F(windOf(y.tminMonth), 5, 0).text(wunit));
  put(f, ln.T(6).text("SUMMER DESIGN CONDITIONS  ").F(windOf(y.tmaxMonth), 5, 0).text(wunit));
  f.emptyLine();
  f.emptyLine();
  put(f, ln.text(run.si ? "   DEGREE DAYS (Celcius)****" : "   DEGREE DAYS (Fahrenheit)****"));
  ln.T(4).text("BASE=");
  for (int i = 1; i <= 20; ++i) ln.I(run.si ? 4 + i : 39 + 2 * i, 6);
  put(f, ln);
  put(f, ln.T(4).rep('-', 126));
  ln.T(4).text("HTG = ");
  for (int i = 1; i <= 20; ++i) ln.F(y.hdd(i), 6, 0);
  put(f, ln);
  ln.T(4).text("CLG = ");
  for (int i = 1; i <= 20; ++i) ln.F(y.cdd(i), 6, 0);
  put(f, ln);
  put(f, ln.T(4).rep('=', 126));

  section8Title(s, s.files.monitor, true);
}

void writeWeatherSummary(EngineState& s, const CalendarRun& run, const Chars<8>& STNID) {
  OutFile& f = s.files.wsummary;
  const WXMON& wx = s.wxmon;
  const Units u{run.si};
  Line ln;
  put(f, ln.A(s.prjtxt.PLOC.view(), 42).T(51).A(STNID.first(5), 5).F(wx.XLAT, 6, 1).F(wx.XLONG, 6, 1)
             .F(wx.XMER, 6, 1).F(run.si ? wx.ELEV * kMPerFt : wx.ELEV, 6, 0));
  ln.text("       ");
  for (int i = 1; i <= 12; ++i) ln.text("   ").text(month3(i));
  put(f, ln);
  const Arr2<float, 8, 12>& st = run.y.stats;
  for (int r = 1; r <= 8; ++r) {
    ln.A(wx.WXLBL(r).first(7), 7);
    for (int m = 1; m <= 12; ++m) {
      const float v = st(r, m);
      if (run.y.monthDone(m) == 0) {  // months without simulated days keep zeros
        if (r == 7) ln.I(0, 6); else ln.F(0.0f, 6, 1);
        continue;
      }
      switch (r) {
        case 1: case 3: case 5: ln.F(u.temp(v), 6, 1); break;
        case 2: case 4: case 6: ln.F(u.dtemp(v), 6, 1); break;
        case 7: ln.I(static_cast<int64_t>(u.insol(v) + 0.5f), 6); break;
        default: ln.F(u.wind(v), 6, 1); break;
      }
    }
    put(f, ln);
  }
}

void writeClosingBox(EngineState& s) {
  // Success is claimed only once every other output is written and closed.
  CloseOutputsButMonitor(s);
  OutFile& f = s.files.monitor;
  const ClockReading c = readClock(s);
  const RUNPAR& rp = s.runpar;
  Line ln;
  f.emptyLine();
  f.emptyLine();
  put(f, ln.T(24).rep('*', 32));
  put(f, ln.T(24).text("$$ Program ended successfully $$"));
  put(f, ln.T(24).text("Close this window to see results"));
  put(f, ln.T(31).text("Date:").I(rp.IRDA, 3).X(1).A(s.chtab.MONNAM(rp.IRMO).view()).I(rp.IRYR, 5).text(", ")
             .I(c.hour, 2).text(":").I(c.minute, 2));
  put(f, ln.T(24).rep('*', 32));
}

}  // namespace kv
