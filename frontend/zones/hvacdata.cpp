#include "frontend/zones/hvacdata.h"

#include <algorithm>

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
// filled with blanks. A field that would start inside the one before it keeps one blank
// after it, so that the numbers of a line stay apart.
class PrintLine {
 public:
  PrintLine& At(std::size_t col, std::string_view text) {
    if (text_.size() < col - 1) {
      text_.resize(col - 1, ' ');
    } else if (text_.size() > col - 1) {
      text_ += ' ';
    }
    text_ += text;
    return *this;
  }
  std::string str() const {
    std::string s = text_;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }

 private:
  std::string text_;
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

std::vector<std::string> HvacDatabaseLines(const std::vector<HvacSystem>& systems,
                                           int16_t unitSystem) {
  std::vector<std::string> out{std::string(kHvacHeader1), std::string(kHvacHeader2),
                               std::string(kHvacHeader3)};
  const bool si = unitSystem == model::kSI;
  for (std::size_t k = 0; k < systems.size(); ++k) {
    const HvacSystem& s = systems[k];
    const int i = static_cast<int>(k) + 1;
    const std::string stpres = Limited(s.stpres, kStaticPressureWidth);
    const std::string seer = Limited(s.seer, kEfficiencyWidth);
    const std::string temp = Limited(s.temp, kSupplyTempWidth);
    const std::string fcost = Limited(s.fcost, kFirstCostWidth);
    const std::string mcost = Limited(s.mcost, kMaintCostWidth);
    PrintLine sys;
    sys.At(kColNumber, model::NumberText(static_cast<float>(i)));
    sys.At(kColName, Limited(s.name, kHvacNameWidth));
    if (si) {
      sys.At(kColInch, Derived(model::Val(stpres) / 248.8, 1, 4)).At(kColPa, stpres);
      // The SEER ends in column 84 whatever its length, so that the five characters read
      // from column 80 hold it whole.
      sys.At(kColSeer, Derived(model::Val(seer) * 3.412, 1, 5)).At(kColCop, seer);
      sys.At(kColF, Derived(model::Val(temp) * 1.8 + 32, 0, 2)).At(kColC, temp);
    } else {
      sys.At(kColInch, stpres).At(kColPa, Derived(model::Val(stpres) * 248.8, 1, 6));
      sys.At(kColSeer, seer).At(kColCop, Derived(model::Val(seer) / 3.412, 2, 5));
      sys.At(kColF, temp).At(kColC, Derived((model::Val(temp) - 32) / 1.8, 0, 2));
    }
    sys.At(kColFirst, fcost).At(kColMaint, mcost).At(kColTag, "ELEC. HEAT");
    out.push_back(sys.str());

    PrintLine gas;
    gas.At(1, std::string(102, ' '));
    const double first = model::Val(fcost);
    const double maint = model::Val(mcost);
    if (i <= 6) {
      const double extra = i <= 3 ? 7.4 : (i == 4 ? 8.0 : 9.0);
      gas.At(kColFirst, Derived(first + 200, 0, 3)).At(kColMaint, Derived(maint + extra, 2, 5));
    } else if (i == 7) {
      gas.At(kColFirst, "   ").At(kColMaint, "   ");
    } else {
      gas.At(kColFirst, Derived(first, 0, 3)).At(kColMaint, mcost);
    }
    gas.At(kColTag, "GAS HEAT");
    out.push_back(gas.str());
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

int SystemWithoutNumber(const std::vector<HvacSystem>& systems) {
  for (std::size_t k = 0; k < systems.size(); ++k) {
    const HvacSystem& s = systems[k];
    for (const std::string* v : {&s.stpres, &s.seer, &s.temp, &s.fcost, &s.mcost}) {
      if (!HasDigit(*v)) return static_cast<int>(k);
    }
  }
  return -1;
}

std::string TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace kalvano::zones
