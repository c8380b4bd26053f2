// The sketch file holds only finite numbers: an edit made as the sketch window makes it is
// saved (the save dialog's sketch file, the export's zones and sketch matrix) and read back by
// the window's loader as the window showed it, or refused with nothing written; a level file
// whose header holds no such number is the wrong format when it is loaded.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"
#include "frontend/sketch/sketchexport.h"
#include "frontend/sketch/sketchmodel.h"

namespace kalvano::sketch {
namespace {

constexpr int kRows = 6, kCols = 8;

struct Edit {
  const char* what;
  int item;          // the header value typed: kGridSize, kFloors, kRoomHeight, kOrientation
  std::string typed;  // as typed into its box
  bool fileRefused;   // the sketch file cannot hold the value
  bool exportRefused;
};

const std::vector<Edit>& Edits() {
  static const std::vector<Edit> edits{
      {"a grid size of 2.5", kGridSize, "2.5", false, false},
      {"three floors", kFloors, "3", false, false},
      {"a rotation of 45", kOrientation, "45", false, false},
      {"a room height beyond single precision", kRoomHeight, "1" + std::string(39, '0'), true, true},
      {"a grid size beyond single precision", kGridSize, "4" + std::string(38, '0'), true, true},
      {"a grid size whose areas overflow", kGridSize, "1" + std::string(38, '0'), false, true},
      {"floors whose areas need an exponent", kFloors, "1" + std::string(20, '0'), false, true},
  };
  return edits;
}

TEST(SketchRoundTrip, an_edit_is_read_back_as_shown_or_refused_with_nothing_written) {
  for (const Edit& e : Edits()) {
    SCOPED_TRACE(e.what);
    // The window's level on screen: one zone painted, renamed, and the value typed.
    SketchLevel level = BlankLevel(kRows, kCols);
    for (int c = 2; c <= 4; ++c) level.SetCell(3, c, 1);
    level.SetName(1, "Lobby");
    level.SetHeader(e.item, FieldValue(e.typed, e.item != kFloors));
    Sketch shown;
    shown.gridRows = kRows;
    shown.gridCols = kCols;
    shown.levels = {level, BlankLevel(kRows, kCols)};

    // The save dialog's sketch file, read back by the window's loader.
    if (e.fileRefused) {
      try {
        SketchFileText(shown);
        ADD_FAILURE() << "written";
      } catch (const model::FileError& error) {
        EXPECT_EQ(error.number(), model::kErrOverflow);
      }
    } else {
      const Sketch back = SplitSketchFile(SketchFileText(shown), kRows, kCols);
      EXPECT_EQ(back, shown);
      EXPECT_EQ(back.levels[0].Header(e.item), level.Header(e.item));
    }

    // The export: zone areas and surfaces, the listings and the sketch matrix.
    const ExportResult r = ExportSketchZones(shown, level.Header(kGridSize), " 0", model::kInchPound);
    if (e.exportRefused) {
      EXPECT_EQ(r.status, ExportResult::kRefused);
      EXPECT_EQ(r.message, kSketchTooLarge);
      EXPECT_TRUE(r.zones.empty());
      EXPECT_TRUE(r.matrixText.empty());
      EXPECT_TRUE(r.zareaText.empty());
      continue;
    }
    ASSERT_EQ(r.status, ExportResult::kDone) << r.message;
    ASSERT_EQ(r.zones.size(), 1u);
    EXPECT_EQ(r.zones[0].name, "Lobby");
    for (const SurfaceRecord& s : r.zones[0].records) {
      EXPECT_EQ(s[1].find_first_not_of(" .0123456789"), std::string::npos) << s[1];
    }
    EXPECT_EQ(SplitSketchFile(r.matrixText, kRows, kCols), shown);
  }
}

TEST(SketchRoundTrip, a_header_value_that_is_no_number_the_sketch_holds_is_the_wrong_format) {
  const std::vector<std::string> blank = model::SplitLines(LevelFileText(BlankLevel(kRows, kCols)));
  struct Case {
    std::size_t line;  // 0..5
    std::string value;  // from column 14
    bool refused;
  };
  for (const Case& c : {Case{3, " 1e39", true}, Case{3, " Inf", true}, Case{4, "-Inf", true},
                        Case{0, " nan", true}, Case{2, " abc", true}, Case{5, "", true},
                        Case{0, "-2", true}, Case{2, "-1", true}, Case{1, "-15", false},
                        Case{3, " 3.5 ", false}, Case{4, " 1E+20", false},
                        Case{3, " 3.4e38", false}}) {
    SCOPED_TRACE(c.value);
    std::vector<std::string> lines = blank;
    lines[c.line] = lines[c.line].substr(0, 13) + c.value;
    if (c.refused) {
      try {
        ParseLevel(lines, kRows, kCols);
        ADD_FAILURE() << "read";
      } catch (const model::FileError& error) {
        EXPECT_EQ(error.number(), model::kErrPastEndOfFile);
      }
      std::string text;
      for (const std::string& l : lines) text += l + "\r\n";
      EXPECT_THROW(SplitSketchFile(text, kRows, kCols), model::FileError);
    } else {
      EXPECT_TRUE(std::isfinite(ParseLevel(lines, kRows, kCols).Header(static_cast<int>(c.line) + 1)));
    }
  }
}

}  // namespace
}  // namespace kalvano::sketch
