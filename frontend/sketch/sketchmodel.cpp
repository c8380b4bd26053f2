#include "frontend/sketch/sketchmodel.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"

namespace kalvano::sketch {

namespace {

constexpr std::size_t kMaxSplitLines = 10000;
constexpr int kNameColumn = 14;  // names and header values start here (1-based)

std::string FromColumn14(const std::string& line) {
  return line.size() >= kNameColumn ? line.substr(kNameColumn - 1) : std::string();
}

bool KeyIs(const std::string& line, std::string_view lower) {
  if (line.size() < 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    if (model::AsciiLower(line[i]) != lower[i]) return false;
  }
  // Only the first letter may be a capital ("Grid", "grid"; "Zone", "zone").
  for (std::size_t i = 1; i < 4; ++i) {
    if (line[i] != lower[i]) return false;
  }
  return true;
}

// A header value as a level file holds it from column 14: one number that the sketch holds as
// a single-precision value, not negative except the orientation. Anything else (" Inf" of an
// overflowed value, a number beyond single precision, a text) is the wrong format.
float HeaderFromFile(int item, const std::string& text) {
  double value = 0;
  if (!model::ParseNumber(text, value) || !(std::fabs(value) <= std::numeric_limits<float>::max()) ||
      (item != kOrientation && value < 0)) {
    throw model::FileError(model::kErrPastEndOfFile,
                           "sketch level: " + std::string(HeaderLabel(item)) + " :" + text);
  }
  return static_cast<float>(value);
}

void CheckZone(int zone) {
  if (zone < 0 || zone > kZones) throw std::out_of_range("zone " + std::to_string(zone));
}

}  // namespace

std::string LevelText(int n) {
  if (n < 1 || n > kMaxLevels) return {};
  return std::to_string(n);
}

std::string_view HeaderLabel(int item) {
  static constexpr std::array<std::string_view, 7> kLabels{
      "", "Grid Size", "Orientation", "No. of Flrs", "Room Height", "Floor Area", "Section Area"};
  return kLabels.at(static_cast<std::size_t>(item));
}

std::string_view ShadeCode(int k) {
  static constexpr std::array<std::string_view, 5> kCodes{" N0.", " R1.", " L1.", " F", " T  "};
  return kCodes.at(static_cast<std::size_t>(k));
}

Rgb ZoneColour(int zone) {
  static constexpr std::array<Rgb, 26> kColours{{
      {255, 255, 255},  // empty
      {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0},
      {128, 0, 128},   {128, 128, 0},   {192, 192, 192}, {128, 128, 128}, {0, 0, 255},
      {0, 255, 0},     {0, 255, 255},   {255, 0, 0},     {255, 0, 255},   {255, 255, 0},
      {160, 0, 0},     {160, 0, 128},   {160, 128, 0},   {224, 192, 192}, {160, 128, 128},
      {32, 0, 255},    {32, 255, 0},    {32, 255, 255},  {223, 0, 0},     {223, 0, 255},
  }};
  CheckZone(zone);
  return kColours[static_cast<std::size_t>(zone)];
}

char EncodeCell(int zone) {
  CheckZone(zone);
  if (zone < 10) return static_cast<char>('0' + zone);
  return static_cast<char>(55 + zone);
}

int DecodeCell(char c) {
  const int zone = c >= '0' && c <= '9' ? c - '0' : static_cast<unsigned char>(c) - 55;
  return zone >= 0 && zone <= kZones ? zone : 0;
}

const SketchLevel& Sketch::Level(int n) const {
  if (n < 1 || n > LevelCount()) {
    throw std::out_of_range("sketch level " + std::to_string(n) + " of " + std::to_string(LevelCount()));
  }
  return levels[static_cast<std::size_t>(n - 1)];
}

SketchLevel& Sketch::Level(int n) { return const_cast<SketchLevel&>(std::as_const(*this).Level(n)); }

SketchLevel::SketchLevel(int rows, int cols)
    : rows_(rows), cols_(cols),
      cells_(static_cast<std::size_t>(rows > 0 && cols > 0 ? rows * cols : 0), 0) {
  if (rows < 1 || cols < 1) throw std::invalid_argument("sketch grid size");
}

std::size_t SketchLevel::Index(int row, int col) const {
  if (row < 1 || row > rows_ || col < 1 || col > cols_) {
    throw std::out_of_range("sketch cell " + std::to_string(row) + "," + std::to_string(col));
  }
  return static_cast<std::size_t>((row - 1) * cols_ + (col - 1));
}

int SketchLevel::Cell(int row, int col) const { return cells_[Index(row, col)]; }

void SketchLevel::SetCell(int row, int col, int zone) {
  CheckZone(zone);
  cells_[Index(row, col)] = static_cast<std::uint8_t>(zone);
}

float SketchLevel::Header(int item) const { return header_.at(static_cast<std::size_t>(item)); }

void SketchLevel::SetHeader(int item, float value) {
  if (item < 1) throw std::out_of_range("header item");
  header_.at(static_cast<std::size_t>(item)) = value;
}

const std::string& SketchLevel::Name(int zone) const {
  if (zone < 1) throw std::out_of_range("zone name");
  return names_.at(static_cast<std::size_t>(zone));
}

void SketchLevel::SetName(int zone, std::string name) {
  if (zone < 1) throw std::out_of_range("zone name");
  names_.at(static_cast<std::size_t>(zone)) = std::move(name);
}

int SketchLevel::CellCount(int zone) const {
  int count = 0;
  for (std::uint8_t c : cells_) count += c == zone ? 1 : 0;
  return count;
}

float ZoneArea(const SketchLevel& level, int zone, float gridSize) {
  const float cell = gridSize * gridSize;
  float area = 0;
  for (int r = 1; r <= level.Rows(); ++r) {
    for (int c = 1; c <= level.Cols(); ++c) {
      if (level.Cell(r, c) == zone) area = model::RoundTo(area + cell, 1);
    }
  }
  return area;
}

float ZoneFloorArea(const SketchLevel& level, int zone, float gridSize) {
  const double sq = double(gridSize) * gridSize;
  return model::RoundTo(double(level.CellCount(zone)) * sq * level.Header(kFloors), 1);
}

float SketchFloorArea(const Sketch& sketch, float gridSize) {
  float area = 0;
  for (const SketchLevel& level : sketch.levels) {
    for (int z = 1; z <= kZones; ++z) area += ZoneFloorArea(level, z, gridSize);
  }
  return area;
}

float SketchStories(const Sketch& sketch) {
  float stories = 0;
  for (const SketchLevel& level : sketch.levels) stories += level.Header(kFloors);
  return stories;
}

SketchLevel BlankLevel(int rows, int cols) {
  SketchLevel level(rows, cols);
  level.SetHeader(kGridSize, 2);
  level.SetHeader(kOrientation, 0);
  level.SetHeader(kFloors, 1);
  level.SetHeader(kRoomHeight, 10);
  for (int n = 1; n <= kZones; ++n) level.SetName(n, "Zone 1-" + LevelText(n));
  return level;
}

std::string LevelFileText(const SketchLevel& level) {
  model::AtomicFile text({});
  for (int i = 1; i <= kHeaderLines; ++i) {
    if (!std::isfinite(level.Header(i))) {
      throw model::FileError(model::kErrOverflow, "sketch level: " + std::string(HeaderLabel(i)));
    }
    std::string line(HeaderLabel(i));
    line.resize(12, ' ');
    text.line(line + ":" + model::NumberText(level.Header(i)));
  }
  for (int n = 1; n <= kNameLines; ++n) {
    std::string line = "ZoneName[" + LevelText(n);
    line.resize(11, ' ');
    text.line(line + "]:" + level.Name(n));
  }
  std::string row;
  for (int r = level.Rows(); r >= 1; --r) {
    row.clear();
    for (int c = 1; c <= level.Cols(); ++c) row += EncodeCell(level.Cell(r, c));
    row += ' ';
    text.line(row);
  }
  return text.content();
}

SketchLevel ParseLevel(const std::vector<std::string>& lines, int rows, int cols) {
  if (lines.size() < static_cast<std::size_t>(rows + kHeaderLines + kNameLines)) {
    throw model::FileError(model::kErrPastEndOfFile, "a sketch level ends early");
  }
  SketchLevel level(rows, cols);
  for (int i = 1; i <= kHeaderLines; ++i) {
    level.SetHeader(i, HeaderFromFile(i, FromColumn14(lines[static_cast<std::size_t>(i - 1)])));
  }
  for (int n = 1; n <= kNameLines; ++n) {
    level.SetName(n, FromColumn14(lines[static_cast<std::size_t>(kHeaderLines + n - 1)]));
  }
  for (int i = 0; i < rows; ++i) {
    const std::string& line = lines[static_cast<std::size_t>(kHeaderLines + kNameLines + i)];
    const int row = rows - i;
    for (int c = 1; c <= cols && static_cast<std::size_t>(c) <= line.size(); ++c) {
      level.SetCell(row, c, DecodeCell(line[static_cast<std::size_t>(c - 1)]));
    }
  }
  return level;
}

namespace {

// The level sections of a sketch file's text, each completed to a level's lines, as the
// split takes them. `cut` tells whether the text ends in the middle of its last level: that
// level has fewer lines than a level holds, or its last line, left without a line end, is a
// grid row narrower than its section's rows: the grid's width, or an older layout's.
std::vector<std::vector<std::string>> SplitSections(std::string_view text, int rows, int cols,
                                                    bool newSiSketch, bool& cut) {
  const std::size_t perLevel = static_cast<std::size_t>(rows + kHeaderLines + kNameLines);
  std::vector<std::string> lines = model::SplitLines(text);
  // A file longer than the split reads goes on past its last line read: it is not cut there.
  bool toTheEnd = lines.size() <= kMaxSplitLines;
  if (!toTheEnd) lines.resize(kMaxSplitLines);
  const std::string blankRow(static_cast<std::size_t>(cols), '0');
  const std::string legacyPad(cols > 48 ? static_cast<std::size_t>(cols - 48) : 0, '0');

  std::vector<std::vector<std::string>> sections;
  std::string suffix;
  int namesSeen = 0;
  bool rowsWide = true;          // the section's grid rows so far are of the grid's width
  std::size_t lastRowWidth = 0;  // the width of the last line read, when it is a grid row
  auto padSection = [&] {
    if (sections.empty()) return;
    std::vector<std::string>& s = sections.back();
    while (s.size() < perLevel) s.push_back(blankRow);
  };
  for (std::size_t k = 0; k < lines.size(); ++k) {
    std::string line = lines[k];
    const int level = static_cast<int>(sections.size());
    if (namesSeen == 10 && !KeyIs(line, "zone") && !sections.empty()) {
      // The old layout named 10 zones: the others get their default names.
      for (int j = 11; j <= kZones; ++j) {
        sections.back().push_back("ZoneName[" + LevelText(j) + "]: Zone " + LevelText(level) +
                                  "-" + LevelText(j));
      }
      namesSeen = 0;
      suffix = "0000";
    }
    if (KeyIs(line, "zone")) ++namesSeen;
    if (KeyIs(line, "grid")) {
      padSection();
      if (sections.size() == static_cast<std::size_t>(kMaxLevels)) {
        toTheEnd = false;
        break;
      }
      sections.emplace_back();
      suffix.clear();
    }
    if (sections.empty()) continue;  // nothing before the first section belongs to a level
    if (newSiSketch && k == 0) line = line.substr(0, 13) + " 1";
    if (newSiSketch && k == 3) line = line.substr(0, 13) + " 3.5";
    std::vector<std::string>& s = sections.back();
    lastRowWidth = 0;
    const std::size_t firstRow = static_cast<std::size_t>(kHeaderLines + kNameLines);
    if (s.size() >= firstRow && s.size() < perLevel) {
      // A grid row is as wide as the rows before it in its section: the grid's width, or that
      // of an older layout (the 48-column one, or the old 44-column one) when they were narrower.
      const std::size_t legacyWidth = 48 - suffix.size();
      const bool wide = line.size() >= static_cast<std::size_t>(cols);
      if (s.size() == firstRow) rowsWide = wide;
      lastRowWidth = rowsWide ? static_cast<std::size_t>(cols) : legacyWidth;
      rowsWide = wide;
    }
    if (s.size() >= firstRow && line.size() < static_cast<std::size_t>(cols)) {
      // Rows of the 48-column layout, and of the old 44-column one, are widened.
      line = line.substr(0, 48 - suffix.size()) + legacyPad;
    }
    s.push_back(line + suffix);
  }
  cut = toTheEnd && !sections.empty() &&
        (sections.back().size() < perLevel ||
         (lastRowWidth > 0 && model::EndsInsideLastLine(text, lastRowWidth)));
  padSection();
  return sections;
}

Sketch SketchOfSections(const std::vector<std::vector<std::string>>& sections, int rows, int cols) {
  Sketch sketch;
  sketch.gridRows = rows;
  sketch.gridCols = cols;
  for (const std::vector<std::string>& s : sections) sketch.levels.push_back(ParseLevel(s, rows, cols));
  return sketch;
}

}  // namespace

Sketch SplitSketchFile(std::string_view text, int rows, int cols, bool newSiSketch) {
  bool cut = false;
  return SketchOfSections(SplitSections(text, rows, cols, newSiSketch, cut), rows, cols);
}

Sketch ReadSketchFile(const std::string& path, int rows, int cols, bool newSiSketch) {
  const std::string text = model::ReadWholeFile(path);
  if (model::HoldsNothing(text)) throw model::EmptyFileError(path);
  bool cut = false;
  const std::vector<std::vector<std::string>> sections = SplitSections(text, rows, cols, newSiSketch, cut);
  if (cut) throw model::CutFileError(path);
  if (sections.empty()) throw model::FileError::OnFile(model::kErrPastEndOfFile, path);
  return SketchOfSections(sections, rows, cols);
}

std::string SketchFileText(const Sketch& sketch) {
  std::string text;
  for (const SketchLevel& level : sketch.levels) text += LevelFileText(level);
  return text;
}

std::string DefaultZoneName(int level, int zone) {
  return " Zone " + LevelText(level) + "-" + LevelText(zone);
}

bool IsDefaultZoneName(std::string_view name) {
  if (name.rfind(" Zone", 0) == 0 || name == " ") return true;
  if (name.rfind("Zone ", 0) != 0) return false;
  // "Zone " digits "-" digits, trailing blanks allowed.
  std::size_t i = 5;
  auto digits = [&name, &i] {
    const std::size_t start = i;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
    return i > start;
  };
  if (!digits() || i >= name.size() || name[i] != '-') return false;
  ++i;
  if (!digits()) return false;
  while (i < name.size() && name[i] == ' ') ++i;
  return i == name.size();
}

float FieldValue(std::string_view text, bool points) {
  std::string kept;
  for (char c : text) {
    if (!points && c == '.') break;
    if ((c >= '0' && c <= '9') || (points && c == '.')) kept += c;
  }
  // A value beyond single precision is infinite, which no sketch file takes.
  const double value = model::Val(kept);
  return value > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                   : static_cast<float>(value);
}

std::string SketchFileBase(std::string_view projectFile) {
  const std::size_t slash = projectFile.find_last_of("/:");
  std::string name(slash == std::string_view::npos ? projectFile : projectFile.substr(slash + 1));
  if (name.size() >= 4) {
    const std::string tail = name.substr(name.size() - 4);
    if (tail == ".inp" || tail == ".INP") name.resize(name.size() - 4);
  }
  return name;
}

}  // namespace kalvano::sketch
