#include "frontend/zones/hvacdata.h"

#include <algorithm>
#include <array>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_model.h"
#include "runfiles.h"

namespace kalvano::zones {

const std::string_view kHvacHeader1 =
    "                                                               "
    "FAN STATIC PRESS.  SYSTEM   SUPPLY TEMP  SYSTEM COST PER TON";
const std::string_view kHvacHeader2 =
    "     I.D.  NAME OF SYSTEM                                      (INCH)   (Pa)    SEER  COP"
    "    F   C      1ST...MAINT.";
const std::string_view kHvacHeader3 =
    "     -----------------------------------------------------------------------------------"
    "----------------------------------------------------";

namespace {

// Columns of a system line (counted from 1).
constexpr std::size_t kColNumber = 6, kColName = 11, kColInch = 65, kColPa = 72, kColSeer = 80,
                      kColCop = 86, kColF = 93, kColC = 97, kColFirst = 103, kColMaint = 111,
                      kColTag = 119;

// `width` characters of a line from column `col`; columns past its end read as nothing.
std::string Cut(const std::string& line, std::size_t col, std::size_t width) {
  if (line.size() < col) return {};
  return line.substr(col - 1, width);
}

// A line built by print positions: each field starts at its column, the space before it
// filled with blanks. The engine reads the numbers of a line in order, so a field is placed
// only when the text before it ends before its column and stands apart from it by a blank;
// otherwise the field before it (the one that ran too far) is the line's fault. A derived
// value is read back by the editor of the other unit system through `readWidth` characters
// from its column: its whole-number part must lie within them (only decimals may be cut).
class PrintLine {
 public:
  PrintLine& At(std::size_t col, std::string_view text, int field,
                std::size_t readWidth = std::string_view::npos) {
    const std::size_t last = text_.find_last_not_of(' ');
    const std::size_t used = last == std::string::npos ? 0 : last + 1;
    const bool touches = used > 0 && used == col - 1 && !text.empty() && text.front() != ' ';
    if ((used > col - 1 || touches) && fault_ < 0) fault_ = field_;
    if (std::min(text.find('.'), text.size()) > readWidth && fault_ < 0) fault_ = field;
    text_.resize(std::max(used, col - 1), ' ');
    text_ += text;
    field_ = field;
    return *this;
  }
  std::string str() const {
    std::string s = text_;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }
  // The field that ran into the next one, or -1.
  int fault() const { return fault_; }

 private:
  std::string text_;
  int field_ = -1;
  int fault_ = -1;
};

// A derived value: the value of a text, converted, rounded and right-aligned.
std::string Derived(double value, int decimals, std::size_t width) {
  return model::RightAlign(model::NumberText(model::RoundTo(value, decimals)), width);
}

std::string Limited(const std::string& text, std::size_t width) { return text.substr(0, width); }

bool IsBlank(const std::string& line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::vector<HvacSystem> ParseHvacDatabase(const std::vector<std::string>& lines,
                                          int16_t unitSystem) {
  std::size_t end = lines.size();
  while (end > 3 && IsBlank(lines[end - 1])) --end;
  if (end < 3) throw model::FileError(model::kErrPastEndOfFile, "btype/tcool.dat");
  std::vector<HvacSystem> systems;
  const bool si = unitSystem == model::kSI;
  for (std::size_t i = 3; i < end; i += 2) {
    if (i + 1 >= end) throw model::FileError(model::kErrPastEndOfFile, "btype/tcool.dat");
    if (systems.size() == kHvacSystems) {
      throw model::FileError(model::kErrSubscript, "btype/tcool.dat: more than 9 systems");
    }
    const std::string& line = lines[i];
    HvacSystem s;
    s.name = Cut(line, kColName, kHvacNameWidth);
    s.stpres = Cut(line, si ? kColPa : kColInch, kStaticPressureWidth);
    s.seer = Cut(line, si ? kColCop : kColSeer, kEfficiencyWidth);
    s.temp = Cut(line, si ? kColC : kColF, kSupplyTempWidth);
    s.fcost = Cut(line, kColFirst, kFirstCostWidth);
    s.mcost = Cut(line, kColMaint, kMaintCostWidth);
    systems.push_back(std::move(s));
  }
  return systems;
}

std::string HvacDatabasePath(const model::ProjectModel& m) {
  return model::AppPath(m, files::kCoolingDbFromBase);
}

std::vector<HvacSystem> ReadHvacDatabase(const std::string& path, int16_t unitSystem) {
  return ParseHvacDatabase(model::ReadFileLines(path), unitSystem);
}

namespace {

// The fields of a system line by the window's columns.
enum Field : int { kName = 0, kStpres = 1, kSeer = 2, kTemp = 3, kFirst = 4, kMaint = 5 };

// A text the engine reads as exactly the one number the editor shows: an optional minus,
// digits with at most one point, blanks only around it.
bool IsOneNumber(std::string_view text) {
  const std::string t = TrimBlanks(text);
  std::size_t i = !t.empty() && t[0] == '-' ? 1 : 0;
  bool digit = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      digit = true;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

// A name the engine reads as text only: a digit would be a number, a sign could carry over
// to the next number, and a quote (') would make the rest of the line text.
bool NameReadAsNumber(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == '\'' || c == '+' || c == '-';
  });
}

// One system's two lines and the first thing that keeps them from being written.
struct SystemLines {
  std::string system, gas;
  std::optional<HvacFault> fault;
};

SystemLines BuildSystem(const HvacSystem& s, int i, bool si) {
  SystemLines out;
  const auto fail = [&out, i](int field, HvacFault::Kind kind) {
    if (!out.fault) out.fault = HvacFault{i - 1, field, kind};
  };
  const std::string name = Limited(s.name, kHvacNameWidth);
  const std::string stpres = Limited(s.stpres, kStaticPressureWidth);
  const std::string seer = Limited(s.seer, kEfficiencyWidth);
  const std::string temp = Limited(s.temp, kSupplyTempWidth);
  const std::string fcost = Limited(s.fcost, kFirstCostWidth);
  const std::string mcost = Limited(s.mcost, kMaintCostWidth);
  if (NameReadAsNumber(name)) fail(kName, HvacFault::kNameReadAsNumber);
  const std::array<const std::string*, 6> values{nullptr, &stpres, &seer, &temp, &fcost, &mcost};
  for (int f = kStpres; f <= kMaint; ++f) {
    if (!IsOneNumber(*values[static_cast<std::size_t>(f)])) fail(f, HvacFault::kNotANumber);
  }

  PrintLine sys;
  sys.At(kColNumber, model::NumberText(static_cast<float>(i)), -1);
  sys.At(kColName, name, kName);
  // The SEER and the supply temperature as the engine reads them (the fourth and sixth
  // numbers of the line), whichever unit system typed them.
  float engineSeer = 0, engineSupply = 0;
  if (si) {
    sys.At(kColInch, Derived(model::Val(stpres) / 248.8, 1, 4), kStpres, kStaticPressureWidth)
        .At(kColPa, stpres, kStpres);
    // The SEER ends in column 84 whatever its length, so that the five characters read
    // from column 80 hold it whole.
    engineSeer = model::RoundTo(model::Val(seer) * 3.412, 1);
    sys.At(kColSeer, Derived(model::Val(seer) * 3.412, 1, 5), kSeer, kEfficiencyWidth)
        .At(kColCop, seer, kSeer);
    engineSupply = model::RoundTo(model::Val(temp) * 1.8 + 32, 0);
    sys.At(kColF, Derived(model::Val(temp) * 1.8 + 32, 0, 2), kTemp, kSupplyTempWidth)
        .At(kColC, temp, kTemp);
  } else {
    sys.At(kColInch, stpres, kStpres)
        .At(kColPa, Derived(model::Val(stpres) * 248.8, 1, 6), kStpres, kStaticPressureWidth);
    engineSeer = static_cast<float>(model::Val(seer));
    sys.At(kColSeer, seer, kSeer)
        .At(kColCop, Derived(model::Val(seer) / 3.412, 2, 5), kSeer, kEfficiencyWidth);
    engineSupply = static_cast<float>(model::Val(temp));
    sys.At(kColF, temp, kTemp)
        .At(kColC, Derived((model::Val(temp) - 32) / 1.8, 0, 2), kTemp, kSupplyTempWidth);
  }
  sys.At(kColFirst, fcost, kFirst).At(kColMaint, mcost, kMaint).At(kColTag, "ELEC. HEAT", -1);
  out.system = sys.str();

  PrintLine gas;
  gas.At(1, std::string(102, ' '), -1);
  const double first = model::Val(fcost);
  const double maint = model::Val(mcost);
  if (i <= 6) {
    const double extra = i <= 3 ? 7.4 : (i == 4 ? 8.0 : 9.0);
    gas.At(kColFirst, Derived(first + 200, 0, 3), kFirst).At(kColMaint, Derived(maint + extra, 2, 5), kMaint);
  } else if (i == 7) {
    gas.At(kColFirst, "   ", kFirst).At(kColMaint, "   ", kMaint);
  } else {
    gas.At(kColFirst, Derived(first, 0, 3), kFirst).At(kColMaint, mcost, kMaint);
  }
  gas.At(kColTag, "GAS HEAT", -1);
  out.gas = gas.str();

  for (const PrintLine* line : {&sys, &gas}) {
    if (line->fault() >= 0) fail(line->fault(), HvacFault::kTooWide);
  }
  // The engine refuses a cooling SEER of 0 and a cooling supply of 75 F or more.
  if (!(engineSeer > 0)) fail(kSeer, HvacFault::kOutOfRange);
  if (!(engineSupply < 75)) fail(kTemp, HvacFault::kOutOfRange);
  return out;
}

}  // namespace

std::optional<HvacFault> FindHvacFault(const std::vector<HvacSystem>& systems, int16_t unitSystem) {
  for (std::size_t k = 0; k < systems.size(); ++k) {
    SystemLines lines = BuildSystem(systems[k], static_cast<int>(k) + 1, unitSystem == model::kSI);
    if (lines.fault) return lines.fault;
  }
  return std::nullopt;
}

std::vector<std::string> HvacDatabaseLines(const std::vector<HvacSystem>& systems,
                                           int16_t unitSystem) {
  std::vector<std::string> out{std::string(kHvacHeader1), std::string(kHvacHeader2),
                               std::string(kHvacHeader3)};
  for (std::size_t k = 0; k < systems.size(); ++k) {
    SystemLines lines = BuildSystem(systems[k], static_cast<int>(k) + 1, unitSystem == model::kSI);
    if (lines.fault && lines.fault->kind != HvacFault::kOutOfRange) {
      static constexpr std::array<const char*, 6> kFields{
          "name", "static pressure", "efficiency", "supply temperature", "first cost",
          "maintenance cost"};
      const std::string what = "btype/tcool.dat: the " +
                               std::string(kFields[static_cast<std::size_t>(lines.fault->field)]) +
                               " of system " + std::to_string(k + 1);
      throw model::FileError(lines.fault->kind == HvacFault::kTooWide ? model::kErrOverflow
                                                                      : model::kErrTypeMismatch,
                             what);
    }
    out.push_back(std::move(lines.system));
    out.push_back(std::move(lines.gas));
  }
  return out;
}

void WriteHvacDatabase(const std::string& path, const std::vector<HvacSystem>& systems,
                       int16_t unitSystem) {
  model::AtomicFile file(path);
  for (const std::string& line : HvacDatabaseLines(systems, unitSystem)) file.line(line);
  file.commit();
}

bool HasDigit(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace kalvano::zones
