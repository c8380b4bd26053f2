// The sketch's level files: the cell characters, the header and name lines, the split of the
// whole-building file (with its older layouts) and the round trip through the text.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/sketch/sketchmodel.h"
#include "tests/frontend/model/file_read_cases.h"

namespace kalvano::sketch {
namespace {

std::vector<std::string> Lines(const std::string& text) { return model::SplitLines(text); }

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A small level: 4 rows of 6 cells, painted from a picture whose first string is the top
// row of the drawing.
SketchLevel Painted(const std::vector<std::string>& picture, int rows = 4, int cols = 6) {
  SketchLevel level = BlankLevel(rows, cols);
  for (std::size_t i = 0; i < picture.size(); ++i) {
    for (std::size_t c = 0; c < picture[i].size(); ++c) {
      level.SetCell(rows - static_cast<int>(i), static_cast<int>(c) + 1, DecodeCell(picture[i][c]));
    }
  }
  return level;
}

TEST(SketchCells, zones_are_written_as_one_character_and_read_back) {
  struct Case {
    int zone;
    char c;
  };
  for (const Case& k : {Case{0, '0'}, Case{9, '9'}, Case{10, 'A'}, Case{15, 'F'}, Case{16, 'G'},
                        Case{25, 'P'}}) {
    EXPECT_EQ(EncodeCell(k.zone), k.c);
    EXPECT_EQ(DecodeCell(k.c), k.zone);
  }
  // Characters outside the zones are empty cells, never a zone out of range.
  for (char c : {'a', 'p', 'Q', 'Z', '\r', ' ', '-', '/'}) EXPECT_EQ(DecodeCell(c), 0) << int(c);
  EXPECT_THROW(EncodeCell(26), std::out_of_range);
  EXPECT_THROW(SketchLevel(4, 6).SetCell(5, 1, 1), std::out_of_range);
}

TEST(SketchTables, level_texts_labels_shades_and_colours) {
  EXPECT_EQ(LevelText(1), "1");
  EXPECT_EQ(LevelText(12), "12");
  EXPECT_EQ(LevelText(98), "98");
  EXPECT_EQ(LevelText(99), "");
  EXPECT_EQ(HeaderLabel(kSectionArea), "Section Area");
  EXPECT_EQ(ShadeCode(0), " N0.");
  EXPECT_EQ(ShadeCode(3), " F");
  EXPECT_EQ(ZoneColour(1), (Rgb{0, 0, 0}));
  EXPECT_EQ(ZoneColour(16), (Rgb{160, 0, 0}));
  EXPECT_EQ(ZoneColour(25), (Rgb{223, 0, 255}));
  EXPECT_EQ(ZoneColour(0), (Rgb{255, 255, 255}));
}

TEST(LevelFile, lines_keep_their_columns) {
  SketchLevel level = Painted({"00A000", "0GP000", "000000", "100000"});
  level.SetHeader(kOrientation, -15);
  level.SetName(3, "Lobby");
  const std::vector<std::string> lines = Lines(LevelFileText(level));
  ASSERT_EQ(lines.size(), 4u + 31u);
  EXPECT_EQ(lines[0], "Grid Size   : 2");  // ":" in 13, blank in 14, digit in 15
  EXPECT_EQ(lines[1], "Orientation :-15");
  EXPECT_EQ(lines[3], "Room Height : 10");
  EXPECT_EQ(lines[5], "Section Area: 0");
  EXPECT_EQ(lines[6 + 2], "ZoneName[3 ]:Lobby");
  EXPECT_EQ(lines[6 + 9], "ZoneName[10]:Zone 1-10");
  EXPECT_EQ(lines[31], "00A000 ");  // the top row of the drawing first
  EXPECT_EQ(lines[32], "0GP000 ");
  EXPECT_EQ(lines[34], "100000 ");
  // Every line ends with CR LF.
  const std::string text = LevelFileText(level);
  std::size_t crlf = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++crlf;
  EXPECT_EQ(crlf, 35u);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(LevelFile, write_split_and_read_give_back_the_same_sketch) {
  Sketch sketch;
  sketch.gridRows = 4;
  sketch.gridCols = 6;
  sketch.levels.push_back(Painted({"00A000", "0GP000", "000000", "100000"}));
  SketchLevel second = Painted({"000000", "011100", "011100", "000000"});
  second.SetHeader(kGridSize, 2.5f);
  second.SetHeader(kFloors, 3);
  second.SetName(1, " Zone 2- 1");
  sketch.levels.push_back(second);
  const std::string text = SketchFileText(sketch);
  EXPECT_EQ(SplitSketchFile(text, 4, 6), sketch);
  EXPECT_EQ(Lines(text)[35], "Grid Size   : 2.5");
}

TEST(LevelFile, numbers_are_written_with_a_point_under_a_german_locale) {
  SketchLevel level = BlankLevel(4, 6);
  level.SetHeader(kGridSize, 2.5f);
  const char* set = std::setlocale(LC_ALL, "de_DE.UTF-8");
  ASSERT_NE(set, nullptr) << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
  std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
  const std::string text = LevelFileText(level);
  const SketchLevel back = ParseLevel(Lines(text), 4, 6);
  std::locale::global(previous);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(Lines(text)[0], "Grid Size   : 2.5");
  EXPECT_EQ(back.Header(kGridSize), 2.5f);
}

// A section of the older layouts: `names` name lines and rows of `width` cells.
std::string LegacySection(int names, int width, int rows, char fill) {
  std::string text = "Grid Size   : 2\r\nOrientation : 0\r\nNo. of Flrs : 1\r\nRoom Height : 10\r\n"
                     "Floor Area  : 0\r\nSection Area: 0\r\n";
  for (int n = 1; n <= names; ++n) {
    std::string line = "ZoneName[" + LevelText(n);
    line.resize(11, ' ');
    text += line + "]:Old " + LevelText(n) + "\r\n";
  }
  for (int r = 1; r <= rows; ++r) {
    std::string row(static_cast<std::size_t>(width), '0');
    row[0] = r == rows ? '2' : fill;
    text += row + "\r\n";
  }
  return text;
}

TEST(SplitSketch, older_layouts_become_full_levels) {
  // Ten names and 44-column rows (60 x 80 grid).
  Sketch old = SplitSketchFile(LegacySection(10, 44, 60, '1'), 60, 80);
  ASSERT_EQ(old.levels.size(), 1u);
  const SketchLevel& a = old.levels[0];
  EXPECT_EQ(a.Name(10), "Old 10");
  EXPECT_EQ(a.Name(11), " Zone 1-11");
  EXPECT_EQ(a.Name(25), " Zone 1-25");
  EXPECT_EQ(a.Cell(60, 1), 1);   // the file's first row is the top of the drawing
  EXPECT_EQ(a.Cell(1, 1), 2);
  for (int c = 2; c <= 80; ++c) EXPECT_EQ(a.Cell(30, c), 0);
  // 25 names and 48-column rows are widened with "0"; a short last section is padded and its
  // last line kept.
  const Sketch two = SplitSketchFile(LegacySection(25, 48, 60, '3') + LegacySection(25, 80, 12, '4'), 60, 80);
  ASSERT_EQ(two.levels.size(), 2u);
  EXPECT_EQ(two.levels[0].Cell(60, 1), 3);
  EXPECT_EQ(two.levels[0].CellCount(3), 59);
  EXPECT_EQ(two.levels[1].Cell(60, 1), 4);
  EXPECT_EQ(two.levels[1].Cell(49, 1), 2);  // the section's last line
  EXPECT_EQ(two.levels[1].CellCount(4), 11);
  EXPECT_EQ(two.levels[1].Cell(1, 1), 0);
  // A new sketch in SI: grid size 1 and room height 3.5 on level 1 only.
  const Sketch si = SplitSketchFile(LegacySection(25, 80, 60, '0') + LegacySection(25, 80, 60, '0'), 60, 80, true);
  EXPECT_EQ(si.levels[0].Header(kGridSize), 1.0f);
  EXPECT_EQ(si.levels[0].Header(kRoomHeight), 3.5f);
  EXPECT_EQ(si.levels[1].Header(kGridSize), 2.0f);
  EXPECT_EQ(si.levels[1].Header(kRoomHeight), 10.0f);
}

TEST(SplitSketch, line_ends_do_not_matter) {
  std::string crlf = LegacySection(25, 80, 60, '5');
  std::string lf;
  for (char c : crlf) {
    if (c != '\r') lf += c;
  }
  const Sketch a = SplitSketchFile(crlf, 60, 80);
  EXPECT_EQ(SplitSketchFile(lf, 60, 80), a);
  EXPECT_EQ(SketchFileText(a), SketchFileText(SplitSketchFile(lf, 60, 80)));
  EXPECT_EQ(a.levels[0].Name(1), "Old 1");  // no CR kept in a name
}

TEST(SplitSketch, the_installed_blank_sketch_is_one_blank_level) {
  const std::string installed = Slurp(std::string(KALVANO_SOURCE_DIR) + "/data/sketch/bld_mtx2.000");
  ASSERT_FALSE(installed.empty());
  const Sketch blank = SplitSketchFile(installed, 60, 80);
  ASSERT_EQ(blank.levels.size(), 1u);
  EXPECT_EQ(blank.levels[0], BlankLevel(60, 80));
  EXPECT_EQ(LevelFileText(BlankLevel(60, 80)), installed);
}

// A whole sketch file is its levels of rows + 31 lines each (6 header lines, 25 names, the
// grid rows), its rows of the grid's width or of an older layout's: a file that ends before
// its last level does, or inside its last row, is cut short, and the window and its load
// dialog say so naming the file instead of padding it into half a drawing.
TEST(SketchFile, an_empty_or_cut_sketch_file_is_told_as_such_naming_it) {
  using model::test::FirstLines;
  using model::test::ReadOutcome;
  Sketch two;
  two.levels = {Painted({"1111", "22"}, 60, 80), Painted({"33", "", "44"}, 60, 80)};
  const std::string whole = SketchFileText(two);  // 182 lines
  const std::string unended = whole.substr(0, whole.size() - 2);
  const std::string legacy = LegacySection(25, 48, 60, '3');
  const std::vector<model::test::FileReadCase> cases{
      {"zero bytes", "", ReadOutcome::Empty},
      {"only blank lines", "\r\n \r\n", ReadOutcome::Empty},
      {"one level cut in half", FirstLines(whole, 45), ReadOutcome::Cut},
      {"the second level cut in its names", FirstLines(whole, 91 + 20), ReadOutcome::Cut},
      {"the second level cut in its header", FirstLines(whole, 91 + 3), ReadOutcome::Cut},
      {"the last row cut in the middle", unended.substr(0, unended.size() - 40), ReadOutcome::Cut},
      {"an older layout's last row cut in the middle", legacy.substr(0, legacy.size() - 20), ReadOutcome::Cut},
      {"whole", whole, ReadOutcome::Reads},
      {"whole, the last row without its line end", unended, ReadOutcome::Reads},
      {"whole, the last row without its blank", unended.substr(0, unended.size() - 1), ReadOutcome::Reads},
      {"an older layout, the last row without its line end", legacy.substr(0, legacy.size() - 2),
       ReadOutcome::Reads},
      {"no level at all", "not a sketch\r\n", ReadOutcome::WrongFormat},
  };
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("sketch_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  model::test::ExpectFileReads(dir / "plan.wri", cases,
                               [](const std::string& path) { return ReadSketchFile(path, 60, 80); });
  std::ofstream(dir / "plan.wri", std::ios::binary | std::ios::trunc) << unended;
  EXPECT_EQ(ReadSketchFile((dir / "plan.wri").string(), 60, 80), two);
  std::filesystem::remove_all(dir);
}

// A sketch whose bottom row is painted across the grid, in the grid's width and in the older
// 48-column layout, cut at every byte of its last line: each reads whole or is refused as cut
// short, never with the drawn cells of the row lost.
TEST(SketchFile, a_sketch_cut_inside_its_last_row_is_read_whole_or_refused_as_cut) {
  Sketch two;
  two.levels = {Painted({"1111"}, 60, 80), Painted({"33"}, 60, 80)};
  for (int c = 1; c <= 80; ++c) two.levels[1].SetCell(1, c, 1 + c % 25);
  std::string legacy = LegacySection(25, 48, 60, '3');
  legacy.replace(legacy.size() - 50, 48, "123456789ABCDEFGHIJKLMNOP123456789ABCDEFGHIJKLMN");
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("sketch_cut_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto read = [](const std::string& p) { return ReadSketchFile(p, 60, 80); };
  // Whole: the row with its blank and any part of its line end; without its blank.
  EXPECT_EQ(model::test::ExpectEveryCutOfLastLine(dir / "plan.wri", SketchFileText(two), read), 4);
  // Whole: the row with any part of its line end.
  EXPECT_EQ(model::test::ExpectEveryCutOfLastLine(dir / "plan.wri", legacy, read), 3);
  std::filesystem::remove_all(dir);
}

TEST(LevelFields, values_and_default_names) {
  struct ValueCase {
    const char* text;
    bool points;
    float value;
  };
  for (const ValueCase& c : {ValueCase{"12a.5", true, 12.5f}, ValueCase{"1.05", true, 1.05f},
                             ValueCase{"", true, 0}, ValueCase{"2.5", false, 2},
                             ValueCase{"1a2.9", false, 12}, ValueCase{".5", false, 0}}) {
    EXPECT_EQ(FieldValue(c.text, c.points), c.value) << c.text << " " << c.points;
  }
  struct NameCase {
    const char* name;
    bool isDefault;
  };
  for (const NameCase& c : {NameCase{" Zone 2-5", true}, NameCase{" ", true}, NameCase{"Zone 1-3", true},
                            NameCase{"Zone 12-25  ", true}, NameCase{"Zone north", false},
                            NameCase{"Zone 1-", false}, NameCase{"Zone 1-3a", false},
                            NameCase{"Lobby", false}, NameCase{"", false}}) {
    EXPECT_EQ(IsDefaultZoneName(c.name), c.isDefault) << "[" << c.name << "]";
  }
}

// A level number outside the sketch is a clear error naming it, never a read past the levels.
TEST(SketchLevels, a_level_outside_the_sketch_is_a_clear_error) {
  Sketch sketch;
  sketch.levels = {Painted({"1"}), Painted({"2"})};
  EXPECT_EQ(sketch.Level(2).Cell(4, 1), 2);
  sketch.Level(1).SetCell(4, 2, 3);
  EXPECT_EQ(sketch.levels[0].Cell(4, 2), 3);
  for (int n : {0, -1, 3, 99}) {
    try {
      (void)std::as_const(sketch).Level(n);
      ADD_FAILURE() << n;
    } catch (const std::out_of_range& e) {
      EXPECT_EQ(std::string(e.what()), "sketch level " + std::to_string(n) + " of 2");
    }
  }
}

TEST(ParseLevel, a_level_that_ends_early_is_a_wrong_format) {
  std::vector<std::string> lines = Lines(LevelFileText(BlankLevel(4, 6)));
  lines.pop_back();
  EXPECT_THROW(ParseLevel(lines, 4, 6), model::FileError);
}

}  // namespace
}  // namespace kalvano::sketch
