// The building sketch in memory and its level-file text. A sketch is a stack of levels; each
// level holds six header values (grid size, orientation, floors it stands for, room height,
// floor area, section area), the names of its 25 zones and a matrix of cells, each empty or
// painted with one of the zones. The whole-building file sketch/bld_mtx.all is the levels'
// texts one after the other. GUI-free.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvano::sketch {

inline constexpr int kZones = 25;       // zones 1..25 per level
inline constexpr int kMaxLevels = 98;   // levels 1..98
inline constexpr int kHeaderLines = 6;
inline constexpr int kNameLines = 25;

// Header values by position 1..6.
enum HeaderItem : int {
  kGridSize = 1, kOrientation = 2, kFloors = 3, kRoomHeight = 4, kFloorArea = 5, kSectionArea = 6
};

// The text of 1..98 without a sign blank ("1", "12"): level-file names, default zone names
// and zone codes. Outside 1..98: an empty text.
std::string LevelText(int n);
// "Grid Size", "Orientation", "No. of Flrs", "Room Height", "Floor Area", "Section Area".
std::string_view HeaderLabel(int item);
// The exterior-shade code pieces 0..4: " N0.", " R1.", " L1.", " F", " T  ".
std::string_view ShadeCode(int k);

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};
// The paint colour of zone 1..25; 0 gives white, the colour of an empty cell.
Rgb ZoneColour(int zone);

// A cell's character in a level file: zones 0..15 as a hexadecimal digit, 16..25 as "G".."P".
char EncodeCell(int zone);
// The zone of a cell character: "0".."9" by value, others by code - 55; anything outside
// 0..25 (a lower-case letter, "Q" and beyond) is an empty cell.
int DecodeCell(char c);

class SketchLevel {
 public:
  SketchLevel(int rows, int cols);

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  // Cell (row, col), row 1 at the bottom of the drawing, col 1 at its left; checked.
  int Cell(int row, int col) const;
  void SetCell(int row, int col, int zone);
  // Header value 1..6 and zone name 1..25 (the name as the level file holds it from column
  // 14 on); checked.
  float Header(int item) const;
  void SetHeader(int item, float value);
  const std::string& Name(int zone) const;
  void SetName(int zone, std::string name);
  // Floors x room height: the height of the level.
  float LevelHeight() const { return Header(kFloors) * Header(kRoomHeight); }
  // Cells painted with `zone`.
  int CellCount(int zone) const;
  bool operator==(const SketchLevel&) const = default;

 private:
  std::size_t Index(int row, int col) const;

  int rows_, cols_;
  std::array<float, kHeaderLines + 1> header_{};
  std::array<std::string, kNameLines + 1> names_{};
  std::vector<std::uint8_t> cells_;
};

struct Sketch {
  int gridRows = 60;
  int gridCols = 80;
  std::vector<SketchLevel> levels;  // level L at levels[L - 1]
  // Level 1..levels.size(); any other number throws std::out_of_range naming it.
  SketchLevel& Level(int n);
  const SketchLevel& Level(int n) const;
  int LevelCount() const { return static_cast<int>(levels.size()); }
  bool operator==(const Sketch&) const = default;
};

// The areas and the story count of a sketch, as its window shows them and its export writes
// them; `gridSize` is the side of one cell (the first level's grid size).
// Zone `zone`'s area on one floor of `level`: grid size squared per cell, rounded to 0.1 after
// each cell, so 3 cells of size 1.05 give 3.3.
float ZoneArea(const SketchLevel& level, int zone, float gridSize);
// Zone `zone`'s floor area in the building: its cells x grid size squared x the floors the
// level stands for, rounded to 0.1.
float ZoneFloorArea(const SketchLevel& level, int zone, float gridSize);
// The building's floor area: the floor areas of the zones of every level, level 1 first.
float SketchFloorArea(const Sketch& sketch, float gridSize);
// The building's story count: the floors every level stands for, summed.
float SketchStories(const Sketch& sketch);

// The empty level of the installed blank sketch: grid size 2, orientation 0, one floor, room
// height 10, no area, zones named "Zone 1-1" .. "Zone 1-25", no painted cell.
SketchLevel BlankLevel(int rows, int cols);

// The level file of a level: 6 header lines (label to column 12, ":" in 13, the value with
// its sign position from 14), 25 "ZoneName[" lines (the number, blanks to column 11, "]:",
// the name from column 14), then the grid rows, top row of the drawing first, each cell's
// character followed by one blank; every line ended by CR LF. Numbers in the C locale. A
// header value that is not finite is never written: it throws model::FileError (overflow, 6).
std::string LevelFileText(const SketchLevel& level);

// Reads a level from the lines of its level-file layout (header values from column 14,
// names from column 14, cells decoded by DecodeCell; a row shorter than the grid leaves its
// remaining cells empty). Throws model::FileError (wrong format) when fewer than rows + 31
// lines are given, or when a header value is not one number the sketch holds: finite in
// single precision and, but for the orientation, not negative.
SketchLevel ParseLevel(const std::vector<std::string>& lines, int rows, int cols);

// Splits the text of a sketch matrix file into levels, as the sketch window does when it
// opens: a section begins at a "Grid"/"grid" line; a section of the old 10-zone layout gets
// the default names of zones 11 to 25 and its 44-column rows are widened with "0"; rows of
// the 48-column layout are widened with "0"; a short section is padded with empty rows. A
// new sketch in SI (`newSiSketch`) gets grid size 1 and room height 3.5 on level 1. At most
// 10000 lines and 98 levels are read; LF and CR LF line ends are both accepted.
Sketch SplitSketchFile(std::string_view text, int rows, int cols, bool newSiSketch = false);

// Reads the sketch file `path` as the sketch window and its load dialog do: split as above,
// refusing (model::FileError, wrong format, naming the file) a file that holds nothing as
// empty, one that ends in the middle of its last level as cut short (that level has fewer
// lines than rows + 31, or its last line, left without a line end, is a grid row narrower
// than the rows before it: the grid's width, or an older layout's), and one that holds no
// level.
Sketch ReadSketchFile(const std::string& path, int rows, int cols, bool newSiSketch = false);

// The whole-building file: every level's text, level 1 first.
std::string SketchFileText(const Sketch& sketch);

// The default name of zone `zone` on level `level`: " Zone 2-5".
std::string DefaultZoneName(int level, int zone);

// Whether a zone name is a default name, which follows the level it is shown on: one that
// begins " Zone" or is a single blank, as the window writes them, or "Zone <level>-<zone>"
// without the leading blank, as the installed blank sketch and the samples hold them.
bool IsDefaultZoneName(std::string_view name);

// The value of a level field's text: its digits and, when `points`, its "." characters,
// wherever they stand, read as a number ("12a.5" -> 12.5). Without points (the floors, a
// whole number) only the digits before the first "." count: "2.5" -> 2, never 25. Digits
// beyond single precision give an infinite value.
float FieldValue(std::string_view text, bool points);

// The name the sketch save dialog offers: the file-name part of the project file without a
// final ".inp" or ".INP" ("/home/ann/proj/office.inp" -> "office", "office.dat" ->
// "office.dat").
std::string SketchFileBase(std::string_view projectFile);

}  // namespace kalvano::sketch
