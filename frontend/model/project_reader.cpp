#include "common/freescan.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/zone_file.h"
#include "frontend/model/project_layout.h"
#include "runfiles.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace kalvano::model {
namespace L = layout;

namespace {

// Line 1 without the UTF-8 byte-order mark that some editors put before it.
std::string headerLine(const std::vector<std::string>& lines) {
  if (lines.empty()) throw FileError(kErrPastEndOfFile, "the file is empty");
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const std::string& first = lines.front();
  return first.rfind(kBom, 0) == 0 ? first.substr(kBom.size()) : first;
}

// The lines of a project file read one after the other; reading past the end is the
// wrong-format error.
class Lines {
 public:
  explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  const std::string& next() {
    if (pos_ >= lines_.size()) throw FileError(kErrPastEndOfFile, "the file ends early");
    return lines_[pos_++];
  }
  std::string value() { return ValueText(next()); }
  std::string header() {
    std::string head = headerLine(lines_);
    ++pos_;
    return head;
  }
  bool atEnd() const { return pos_ >= lines_.size(); }
  // The number of lines read so far: the number of the last line read, counted from 1.
  std::size_t read() const { return pos_; }
  static std::string ValueText(const std::string& line) {
    return line.size() > 10 ? line.substr(10) : std::string();
  }

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

bool isLine(const std::string& line, std::string_view what) {
  std::size_t end = line.find_last_not_of(' ');
  return std::string_view(line).substr(0, end == std::string::npos ? 0 : end + 1) == what;
}

// A type id or profile number taken from a text: 0..50, else subscript out of range.
std::size_t tableIndex(std::string_view text) {
  double v = Val(text);
  if (!(v > -0.5 && v <= kMaxTypeId + 0.5)) throw FileError(kErrSubscript, std::string(text));
  long n = ValRoundEven(text);
  if (n < 0 || n > kMaxTypeId) throw FileError(kErrSubscript, std::string(text));
  return static_cast<std::size_t>(n);
}

// A whole-number column of a surface row: a value that no int16_t holds is an overflow.
int16_t integerValue(std::string_view text) {
  long n = ValRoundEven(text);
  if (n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
    throw FileError(kErrOverflow, std::string(text));
  return static_cast<int16_t>(n);
}

// A value stored as a single-precision real: one that is not finite or that no float
// holds is an overflow (`text` names it in the error).
float realValue(double v, std::string_view text) {
  if (!(std::fabs(v) <= std::numeric_limits<float>::max()))
    throw FileError(kErrOverflow, std::string(text));
  return static_cast<float>(v);
}
float realValue(std::string_view text) { return realValue(Val(text), text); }

std::string trimmed(std::string_view text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  std::size_t e = text.find_last_not_of(' ');
  return std::string(text.substr(b, e - b + 1));
}

// Line 1: the seed is the 10 characters from column 11, the weeks the number in 21-23,
// which must be a whole number of weeks 1 to 4 (else the wrong-format error).
void readSeedAndWeeks(ProjectModel& m, const std::string& head) {
  std::string weeks = head.size() > 20 ? head.substr(20, 3) : std::string();
  double v = 0;
  if (!ParseNumber(weeks, v) || !(v >= 0.5 && v <= 4.5))
    throw FileError(kErrPastEndOfFile, "weeks per month '" + weeks + "'");
  long n = ValRoundEven(weeks);
  if (n < 1 || n > 4) throw FileError(kErrPastEndOfFile, "weeks per month '" + weeks + "'");
  m.WeatherSeed = head.size() > 10 ? head.substr(10, 10) : std::string();
  m.WeeksPerMonth = static_cast<int16_t>(n);
}

// The station line of the weather block, line `number` of the file, as the engine scans it:
// each station value must be read there as the value that this program takes from its six
// columns, else the file is refused naming the value. An SI project's run file holds the
// elevation converted, set apart by a blank.
void checkStationLine(const std::string& line, std::size_t number, int unitSystem) {
  namespace fsc = freescan;
  std::array<std::string, 4> fields;
  std::array<double, 4> values{};
  for (std::size_t k = 0; k < 4; ++k) {
    // The elevation runs to the end of what the engine scans: anything after it is read too.
    fields[k] = std::string(fsc::StationField(line, k));
    values[k] = Val(fields[k]);
  }
  if (unitSystem == kSI) fields[3] = " " + fields[3];
  const std::optional<std::size_t> field = fsc::StationMisread(values, fields);
  if (!field) return;
  const std::string value = trimmed(unitSystem == kSI && *field == 3 ? fields[3].substr(1) : fields[*field]);
  throw FileError(kErrPastEndOfFile, "station line, line " + std::to_string(number),
                  "KAL-VANO is unable to open your input file: the simulation would not read the " +
                      std::string(fsc::kStationNames[*field]) + " \"" + value +
                      "\" on its station line as written, where the station values stand side by side "
                      "from column 56 on.  Write each with any minus sign in front, at most one "
                      "decimal point and at most five characters unless it begins with a minus sign.  "
                      "Check your input file.");
}

void readTypes(Lines& in, const std::array<TypeColumn*, 7>& columns) {
  for (;;) {
    const std::string& idLine = in.next();
    if (isLine(idLine, L::kEndOfList)) return;
    std::string id = Lines::ValueText(idLine);
    std::size_t n = tableIndex(id);
    (*columns[0])[n] = id;
    for (std::size_t k = 1; k < 7; ++k) (*columns[k])[n] = in.value();
  }
}

struct ZoneFile {
  std::string code;
  std::vector<std::string> values;  // 14 per row
};

void readZones(ProjectModel& m, Lines& in, std::vector<ZoneFile>& zoneFiles) {
  int z = 0;
  for (;;) {
    const std::string& first = in.next();
    if (isLine(first, "BUILDING MATRIX")) break;
    if (++z > kMaxZones) throw FileError(kErrPastEndOfFile, "more than 100 zones");
    m.ZoneLoaded[z] = m.ZoneOpened[z] = 1;
    auto& data = m.ZoneData[z];
    data[1] = Lines::ValueText(first);
    for (std::size_t f = 2; f <= 21; ++f) data[f] = in.value();
    m.ZonePeople[z] = Val(data[5]) > 0 ? realValue(Val(data[3]) / Val(data[5]), data[5]) : 1.0f;
    const std::string& code = data[1];
    if (code.empty() || !std::all_of(code.begin(), code.end(),
                                     [](char c) { return c >= '0' && c <= '9'; }))
      throw FileError(kErrPastEndOfFile, "zone code '" + code + "' is not a number");
    m.ZoneCode[z] = code;
    m.ZoneSketchName[z] = data[2];
    m.ZoneFloorArea[z] = realValue(data[3]);
    for (std::size_t k = L::kFirstSwitchLine; k < L::kZoneLines.size(); ++k) {
      std::string value = in.value();
      switch (L::kZoneLines[k].field) {
        case L::kNatVent: m.ZoneNatVent[z] = value; break;
        case L::kDaylight:
          m.ZoneDaylight[z] = value;
          if (SwitchOn(value)) m.DaylightUsed = 1;
          break;
        case L::kEconCycle: m.ZoneEconCycle[z] = value; break;
        default: data[static_cast<std::size_t>(L::kZoneLines[k].field)] = value;
      }
    }
    ZoneFile file{code, {}};
    int rows = 0;
    for (;;) {
      const std::string& rowFirst = in.next();
      if (isLine(rowFirst, L::kEndOfList)) break;
      if (++rows > kMaxSurfaces) throw FileError(kErrPastEndOfFile, "more than 33 surfaces");
      file.values.push_back(Lines::ValueText(rowFirst));
      for (int k = 1; k < 14; ++k) file.values.push_back(in.value());
      const std::string* v = &file.values[file.values.size() - 14];
      auto real = [](const std::string& t) { return realValue(t); };
      m.SurfWallId[z][rows] = integerValue(v[0]);
      m.SurfWallArea[z][rows] = real(v[1]);
      m.SurfOrient[z][rows] = integerValue(v[2]);
      m.SurfExposure[z][rows] = integerValue(v[3]);
      m.SurfShade[z][rows] = trimmed(v[4]);
      m.SurfWindowId[z][rows] = integerValue(v[5]);
      m.SurfWinArea[z][rows] = real(v[6]);
      m.SurfSlope[z][rows] = real(v[7]);
      m.SurfSWB[z][rows] = trimmed(v[8]);
      m.SurfBlind[z][rows] = integerValue(v[9]);
      m.SurfDiffTrans[z][rows] = real(v[10]);
      m.SurfSillHt[z][rows] = real(v[11]);
      m.SurfWinTop[z][rows] = real(v[12]);
      m.SurfGrndRefl[z][rows] = real(v[13]);
    }
    m.SurfaceCount[z] = static_cast<int16_t>(rows);
    zoneFiles.push_back(std::move(file));
  }
  m.ZoneCount = static_cast<int16_t>(z);
}

void parse(ProjectModel& m, Lines& in, std::vector<ZoneFile>& zoneFiles) {
  for (int i = 1; i <= 5; ++i) m.StepFlags[i] = m.ProfKindEdited[i] = m.ProfKindOpened[i] = 1;
  for (int kind = 1; kind <= 5; ++kind) {
    ProfileKindRef p = ProfileKind(m, kind);
    for (int n = 1; n <= kMaxProfileNo; ++n) p.marks[n].clear();
  }
  for (int16_t* flag : {&m.ResultsViewable, &m.Resketched, &m.WeatherFromProjInfo, &m.RunType,
                        &m.InputSaved, &m.DaylightUsed, &m.BldTypeChosen,
                        &m.WeatherFileChosen, &m.DesTempsValid})
    *flag = 0;
  m.ZonesEntered = m.ProjectLoaded = m.WeatherEntered = 1;
  for (int k = 1; k <= 3; ++k) m.DesTemps[k].clear();

  // Line 1: seed, weeks per month, unit tag.
  const std::string head = in.header();
  readSeedAndWeeks(m, head);
  for (std::size_t c = 22; c + 1 < head.size(); ++c) {
    if (head.compare(c, 2, "SI") == 0) {
      m.UnitSystem = kSI;
      break;
    }
    m.UnitSystem = kInchPound;
  }

  for (int i = 0; i < kProjectItems; ++i) m.ProjectData[i] = in.value();
  m.BldOrient = m.ProjectData[7];
  m.FloorArea = realValue(m.ProjectData[8]);

  in.next();  // "WEATHER"
  const std::size_t stationLine = in.read() + 2;
  for (int i = 1; i <= kWeatherLines; ++i) m.WeatherBlock[i] = in.next();
  checkStationLine(m.WeatherBlock[2], stationLine, m.UnitSystem);

  const std::string& des = in.next();
  if (des.rfind("DesTemps", 0) == 0) {
    std::vector<std::string> w = SplitWords(des.size() > 9 ? std::string_view(des).substr(9) : "");
    for (std::size_t k = 0; k < 3 && k < w.size(); ++k) m.DesTemps[k + 1] = w[k];
    in.next();  // "ECONOMICS"
  }
  m.DesTempsValid = m.DesTemps[1].empty() ? 0 : 1;

  for (int i = 0; i < kEconItems; ++i) m.EconData[i] = in.value();
  m.DemChgSwitch = in.value();
  const std::string& rate = in.next();
  if (rate.rfind("DemChgRate", 0) == 0) {
    std::vector<std::string> w = SplitWords(rate.size() > 11 ? std::string_view(rate).substr(11) : "");
    if (w.size() > 2 * kMaxDemandRows) w.resize(2 * kMaxDemandRows);
    m.DemChgCount = static_cast<int16_t>(w.size() / 2);
    for (std::size_t j = 1; j <= static_cast<std::size_t>(m.DemChgCount); ++j) {
      m.DemChgKw[j] = w[2 * j - 2];
      m.DemChgCost[j] = w[2 * j - 1];
    }
    in.next();  // "WALL AND ROOF PROPERTIES"
  } else {
    m.DemChgCount = 0;
  }

  readTypes(in, {&m.WallId, &m.WallDesc, &m.WallU, &m.WallAbs, &m.WallLag, &m.WallDecr,
                 &m.WallCost});
  in.next();  // "WINDOW PROPERTIES"
  readTypes(in, {&m.WinId, &m.WinDesc, &m.WinU, &m.WinShgc, &m.WinEmiss, &m.WinDlTrans,
                 &m.WinCost});

  in.next();  // "PROFILES"
  in.next();  // "Occ"
  bool zonesSeen = false;
  for (int kind = 1; kind <= 5 && !zonesSeen; ++kind) {
    ProfileKindRef p = ProfileKind(m, kind);
    for (;;) {
      const std::string& mark = in.next();
      if (isLine(mark, L::kEndOfProfiles)) break;
      std::size_t n = tableIndex(mark);
      p.marks[n] = mark;
      p.values[n] = in.next();
    }
    zonesSeen = isLine(in.next(), "ZONES");
  }
  while (!zonesSeen) zonesSeen = isLine(in.next(), "ZONES");

  readZones(m, in, zoneFiles);
}

// Reads the project file at `path` into a copy of the model and builds the files that the
// project brings (see ReadInputFileUnwritten); the model itself is left as it is.
std::unique_ptr<ProjectModel> readInputFile(const ProjectModel& m, const std::string& path,
                                            WorkingFiles& working) {
  Lines in(ReadFileLines(ResolvePath(m, path)));
  auto copy = std::make_unique<ProjectModel>(m);
  // A retrieved project never carries the previous project's types.
  for (TypeColumn* column : {&copy->WallId, &copy->WallDesc, &copy->WallU, &copy->WallAbs,
                             &copy->WallLag, &copy->WallDecr, &copy->WallCost, &copy->WinId,
                             &copy->WinDesc, &copy->WinU, &copy->WinShgc, &copy->WinEmiss,
                             &copy->WinDlTrans, &copy->WinCost})
    column->fill(std::string());
  std::vector<ZoneFile> zoneFiles;
  parse(*copy, in, zoneFiles);

  working.zones.reserve(zoneFiles.size());
  for (const ZoneFile& zf : zoneFiles) {
    working.zones.emplace_back(ZoneFilePath(m, zf.code), NameKind::Fixed).text(ZoneFileText(zf.values, false));
  }
  working.matrix = AtomicFile(AppPath(m, files::kBuildingMatrix));
  while (!in.atEnd()) working.matrix.line(in.next());
  return copy;
}

}  // namespace

std::vector<const AtomicFile*> WorkingFiles::all() const {
  std::vector<const AtomicFile*> files;
  for (const AtomicFile& f : zones) files.push_back(&f);
  files.push_back(&matrix);
  return files;
}

void ReadInputFile(ProjectModel& m, const std::string& path) {
  try {
    WorkingFiles working;
    std::unique_ptr<ProjectModel> copy = readInputFile(m, path, working);
    CommitAll(working.all());
    std::swap(m, *copy);
  } catch (const std::bad_alloc&) {
    throw FileError::OnFile(kErrOutOfMemory, path);
  }
}

WorkingFiles ReadInputFileUnwritten(ProjectModel& m, const std::string& path) {
  try {
    WorkingFiles working;
    std::unique_ptr<ProjectModel> copy = readInputFile(m, path, working);
    std::swap(m, *copy);
    return working;
  } catch (const std::bad_alloc&) {
    throw FileError::OnFile(kErrOutOfMemory, path);
  }
}

void ReadProjectHeader(ProjectModel& m) {
  try {
    readSeedAndWeeks(m, headerLine(ReadFileLines(ResolvePath(m, m.ProjectFile))));
  } catch (const FileError&) {
    std::string last = NumberText(m.LastRandom);
    m.WeatherSeed = last.front() == ' ' ? last.substr(1) : last;
    m.WeeksPerMonth = 4;
  }
}

}  // namespace kalvano::model
