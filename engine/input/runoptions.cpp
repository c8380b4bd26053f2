// The main program's small input files: tab.sym, the run options tavik$.tmp, the system data
// bases tcool.dat and theat.dat, the project file's first line and ltshlf.dat. Every input
// is opened read-only; a missing file is reported in the monitor log, never created.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "engine/core/fixfmt.h"
#include "engine/core/fread.h"
#include "engine/core/random.h"
#include "engine/core/state.h"
#include "engine/input/kvan64main.h"
#include "runcalendar.h"
#include "runfiles.h"

namespace kv {

namespace calendar = kalvano::calendar;
namespace files = kalvano::files;

namespace {

// A monitor line of the data-base family, at least 40 columns wide.
void monitorLine40(EngineState& s, std::string_view text) {
  Line ln;
  ln.text(text);
  if (ln.length() < 40) ln.T(40).ch(' ');
  s.files.monitor.line(ln.view());
}

// INT() of a scanned number; false when it is too large to be any index.
bool truncToInt(double x, int32_t& out) {
  if (!(std::fabs(x) < 1.0e9)) return false;
  out = static_cast<int32_t>(x);
  return true;
}

// A scanned number as the user wrote it, for a message.
void putNumber(Line& ln, double x) {
  char buf[32];
  int32_t i = 0;
  const auto r = truncToInt(x, i) && static_cast<double>(i) == x
                     ? std::to_chars(buf, buf + sizeof buf, i)
                     : std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 3);
  ln.text(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

std::string path(const EngineState& s, std::string_view name) { return runPath(s.runDir, name); }

}  // namespace

void LogInputError(EngineState& s, std::string_view text) {
  Line ln;
  ln.text("   ** ERROR ** ").text(text);
  s.files.monitor.line(ln.view());
  s.bldg.NERR += 1;
}

void LogWarning(EngineState& s, std::string_view text) {
  Line ln;
  ln.text("   ** WARNING ** ").text(text);
  s.files.monitor.line(ln.view());
}

void ReadSeparator(EngineState& s) {
  s.runpar.SEPCH = '\t';
  InFile f;
  if (!f.open(path(s, files::kSeparator))) return;
  std::string line;
  if (f.readLine(line)) s.runpar.SEPCH = line.empty() ? ' ' : line[0];
}

void LogMissingRunOptions(EngineState& s) {
  LogInputError(s, "RUN OPTIONS FILE " + std::string(files::kRunOptions) + " IS MISSING.");
}

void ReadRunOptions(EngineState& s) {
  RUNPAR& r = s.runpar;
  const std::string name(files::kRunOptions);
  InFile f;
  if (!f.open(path(s, files::kRunOptions))) {
    LogMissingRunOptions(s);
    return;
  }
  std::string line;
  int n = 1;
  try {
    for (; n <= 8; ++n) {
      if (!f.readLine(line)) break;
      switch (n) {
        case 1:
          // The error check alone is written as the bare run type, without its label.
          r.IRUN = line.size() < 12 ? parseI(line) : readI(line, 12, 10);
          break;
        case 2: r.IWFMT = readI(line, 12, 10); break;
        case 3: r.IDOW1 = readI(line, 12, 10); break;
        case 4: r.IDAY1 = readI(line, 12, 10); break;
        case 5: r.IDAY2 = readI(line, 12, 10); break;
        case 6: r.IHRLY = readI(line, 12, 10); break;
        case 7: {
          FREAD(s, line);
          const MAINPG& m = s.mainpg;
          for (int i = 1; i <= m.NNUM; ++i) {
            int32_t mon = 0;
            if (truncToInt(m.NUM(i), mon) && mon >= 1 && mon <= 12) {
              r.MONFLG(mon) = 0;
            } else {
              Line ln;
              ln.text("SKIP MONTH ");
              putNumber(ln, m.NUM(i));
              ln.text(" IS NOT A MONTH 1..12; IGNORED.");
              LogWarning(s, ln.view());
            }
          }
          break;
        }
        default:
          s.wxmon.TCOMF(1) = readF(line, 12, 10);
          s.wxmon.TCOMF(2) = readF(line, 22, 10);
          break;
      }
    }
  } catch (const FieldError& e) {
    LogInputError(s, "RUN OPTIONS FILE " + name + " LINE " + std::to_string(n) + ": " + e.what());
    return;
  }
  // An error check needs nothing beyond the run type.
  if (n <= 8 && !(r.IRUN == 1 && n > 1)) {
    LogInputError(s, "RUN OPTIONS FILE " + name + " ENDS BEFORE LINE " + std::to_string(n) + ".");
    return;
  }
  // Codes with no meaning would reach the calendar and the load model unchecked.
  if (r.IRUN < 1 || r.IRUN > 4) {
    LogInputError(s, "RUN TYPE " + std::to_string(r.IRUN) + " IN " + name + " IS NOT 1..4.");
    return;
  }
  if (r.IWFMT < 0 || r.IWFMT > 4) {
    LogInputError(s, "WEATHER FORMAT CODE " + std::to_string(r.IWFMT) + " IN " + name + " IS NOT 0..4.");
    return;
  }
  s.files.monitor.line("tavik$.tmp read successfully.           ");
}

void ReadCoolingDb(EngineState& s) {
  BLDG& b = s.bldg;
  const std::string name(files::kCoolingDbFromBase);  // the log names it from the base folder
  InFile f;
  if (!f.open(path(s, files::kCoolingDb))) {
    monitorLine40(s, name + " is missing.");
    return;
  }
  std::string line;
  bool complete = true;
  int pairs = 0;
  for (int i = 0; i < 3 && complete; ++i) complete = f.readLine(line);
  for (int pair = 1; complete && pair <= kCoolSystems; ++pair) {
    if (!f.readLine(line)) {
      complete = pairs > 0;  // the end after a complete pair is normal
      break;
    }
    FREAD(s, line);
    const MAINPG& m = s.mainpg;
    int32_t k = 0;
    const bool valid = truncToInt(m.NUM(1), k) && k >= 1 && k <= kCoolSystems;
    if (valid) {
      b.CSSEER(k) = static_cast<float>(m.NUM(4));
      b.CSTSUP(k) = static_cast<float>(m.NUM(6));
      b.CSFCST(2, k) = static_cast<float>(m.NUM(8));
      b.CSMCST(2, k) = static_cast<float>(m.NUM(9));
    } else {
      Line ln;
      ln.text(name).text(" SYSTEM NUMBER ");
      putNumber(ln, m.NUM(1));
      ln.text(" IS NOT 1..20; ITS ENTRY IS IGNORED.");
      LogWarning(s, ln.view());
    }
    if (!f.readLine(line)) {
      complete = false;  // the file ends inside an entry
      break;
    }
    FREAD(s, line);
    if (valid) {
      b.CSFCST(1, k) = static_cast<float>(m.NUM(1));
      b.CSMCST(1, k) = static_cast<float>(m.NUM(2));
    }
    ++pairs;
  }
  monitorLine40(s, name + (complete ? " read successfully." : " is incomplete."));
}

void ReadHeatingDb(EngineState& s) {
  BLDG& b = s.bldg;
  const std::string name(files::kHeatingDbFromBase);
  InFile f;
  if (!f.open(path(s, files::kHeatingDb))) {
    monitorLine40(s, name + " is missing.");
    return;
  }
  std::string line;
  bool complete = true;
  for (int i = 0; i < 2 && complete; ++i) complete = f.readLine(line);
  for (int j = 1; complete && j <= kHeatTypes; ++j) {
    if (!f.readLine(line)) {
      complete = j > 1;  // the end after a complete entry is normal
      break;
    }
    FREAD(s, line);
    b.HTCOP(j) = static_cast<float>(s.mainpg.NUM(1));
    b.HTFAC(j) = static_cast<float>(s.mainpg.NUM(2));
    b.HTTSUP(j) = static_cast<float>(s.mainpg.NUM(3));
  }
  monitorLine40(s, name + (complete ? " read successfully." : " is incomplete."));
}

void ApplyRunOptionChecks(EngineState& s, int32_t weeks) {
  RUNPAR& r = s.runpar;
  r.IDAY1 = calendar::RunBeginDay(r.IDAY1);
  r.IDAY2 = calendar::RunEndDay(r.IDAY2, r.IWFMT);
  weeks = calendar::RunWeeks(weeks, r.IHRLY, r.IWFMT);
  s.mainpg.NWEEKS = weeks;
  s.wxmon.NDPM = calendar::DaysPerMonth(weeks);
}

void ReadHeaderLine(EngineState& s) {
  std::string line;
  if (!s.files.project.readLine(line)) throw InputFault("THE PROJECT FILE tavik$.inp IS EMPTY.");
  // Columns 11 on: the seed, the weeks per month and the unit tag.
  FREAD(s, std::string_view(line).substr(std::min<std::size_t>(10, line.size())));
  MAINPG& m = s.mainpg;
  s.chtab.UNITS.set(m.TXT(1).first(2));
  m.SEED = m.NUM(1);
  int32_t weeks = 0;
  if (!truncToInt(m.NUM(2), weeks)) weeks = 0;
  ApplyRunOptionChecks(s, weeks);
  RAND1(s, m.SEED > 0.0 ? -m.SEED : m.SEED);
}

void ReadLightShelves(EngineState& s) {
  LSHELF& t = s.lshelf;
  const std::string name(files::kLightShelf);
  InFile f;
  if (!f.open(path(s, files::kLightShelf))) {
    LogInputError(s, "LIGHT-SHELF TABLE " + name + " IS MISSING.");
    return;
  }
  std::string line;
  for (int b = 1; b <= 3; ++b) {
    for (int r = -2; r <= 19; ++r) {  // three header lines, then rows 1..19
      if (!f.readLine(line)) {
        LogInputError(s, "LIGHT-SHELF TABLE " + name + " ENDS BEFORE LINE " + std::to_string(f.lineNumber() + 1) + ".");
        return;
      }
      if (r < 1) continue;
      try {
        float v[7];
        for (int c = 0; c < 7; ++c) v[c] = readF(line, 9 + 8 * c, 8, 1);
        t.LSLBL(r).set(fieldString(line, 1, 8));
        t.LSV1(r) = v[0];
        t.LSV2(r) = v[1];
        for (int c = 1; c <= 5; ++c) t.LST(r, c, b) = v[c + 1];
        t.LST(r, 6, b) = 0.0f;
      } catch (const FieldError& e) {
        LogInputError(s, "LIGHT-SHELF TABLE " + name + " LINE " + std::to_string(f.lineNumber()) + ": " + e.what());
        return;
      }
    }
  }
}

}  // namespace kv
