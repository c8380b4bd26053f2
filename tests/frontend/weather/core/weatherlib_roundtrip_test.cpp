// The weather library stays readable and whole: every edit the weather window saves reads back
// as the window showed it, or is refused with the library unchanged; the lines past the 3000
// records the readers see are kept byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_model.h"
#include "frontend/weather/weatherlib.h"
#include "tests/frontend/weather/weather_test_support.h"

namespace kalvano::weather {
namespace {

// A library whose second record's station field holds a quote, as a damaged library can: the
// reader takes the unquoted field up to its blank.
std::string DamagedLibrary() {
  std::string text = test::Library();
  const std::string quoted = "\"72229\"";
  return text.replace(text.find(quoted), quoted.size(), "-72228\"");
}

// One edit of a record as the weather window makes it: the record shown in the window's units,
// a change to its boxes, then "save as update" of that record or "save as new".
struct Edit {
  const char* what;
  std::string library;
  int units;
  std::size_t record;  // the record loaded
  bool asNew;
  void (*change)(WeatherEntry&);
  std::optional<int> refused;  // the writer's file error; none when saved
  bool windowRefuses = true;   // the window's own check refuses it first
};

std::vector<Edit> Edits() {
  const std::string library = test::Library();
  return {
      {"a month value of -100.5 F", library, model::kInchPound, 0, false,
       [](WeatherEntry& e) { e.months[0][1] = "-100.5"; }, model::kErrOverflow},
      {"a month value of -73.6 C, -100.5 F", library, model::kSI, 0, false,
       [](WeatherEntry& e) { e.months[0][1] = "-73.6"; }, model::kErrOverflow},
      {"a month value of 1.9e38 C overflows in F", library, model::kSI, 2, false,
       [](WeatherEntry& e) { e.months[2][5] = "190000000000000000000000000000000000000"; },
       model::kErrOverflow},
      {"a month value of 1000.1 F", library, model::kInchPound, 1, true,
       [](WeatherEntry& e) {
         e.city = "Selma";
         e.months[2][11] = "1000.1";
       },
       model::kErrOverflow},
      {"a solar value of 100000", library, model::kInchPound, 2, false,
       [](WeatherEntry& e) { e.months[6][0] = "100000"; }, model::kErrOverflow},
      {"a station quote from a damaged library", DamagedLibrary(), model::kInchPound, 1, false,
       [](WeatherEntry&) {}, model::kErrTypeMismatch},
      {"a city holding a quote", library, model::kInchPound, 0, true,
       [](WeatherEntry& e) { e.city = "Fort \"Mac\""; }, model::kErrTypeMismatch},
      {"a latitude beyond single precision", library, model::kInchPound, 0, false,
       [](WeatherEntry& e) { e.latitude = "4" + std::string(39, '0'); }, model::kErrOverflow},
      {"an SI elevation beyond single precision", library, model::kSI, 0, false,
       [](WeatherEntry& e) { e.elevation = "2" + std::string(38, '0'); }, model::kErrOverflow},
      {"a city holding a line break would not read back", library, model::kInchPound, 0, true,
       [](WeatherEntry& e) { e.city = "Gad\nsden"; }, model::kErrPastEndOfFile, false},
      // Saved.
      {"the widest values a field holds", library, model::kInchPound, 0, false,
       [](WeatherEntry& e) {
         e.months[0].fill("-99.9");
         e.months[1].fill("999.9");
         e.months[6].fill("99999");
         e.months[6][0] = "-9999";
       },
       std::nullopt, false},
      {"an SI wind of 4.5 m/s", library, model::kSI, 2, false,
       [](WeatherEntry& e) { e.months[7].fill("4.5"); }, std::nullopt, false},
      {"an SI month value of -73.2 C, -99.8 F", library, model::kSI, 1, false,
       [](WeatherEntry& e) { e.months[0][1] = "-73.2"; }, std::nullopt, false},
      {"a new state", library, model::kInchPound, 0, true,
       [](WeatherEntry& e) {
         e.state = "Ontario";
         e.city = "Ottawa";
       },
       std::nullopt, false},
      {"a new city in its state", library, model::kSI, 2, true,
       [](WeatherEntry& e) { e.city = "Boulder"; }, std::nullopt, false},
  };
}

TEST(WeatherLibraryRoundTrip, a_saved_edit_reads_back_as_shown_or_is_refused) {
  for (const Edit& e : Edits()) {
    SCOPED_TRACE(e.what);
    const std::vector<LibraryRecord> before = ParseLibrary(e.library);
    WeatherEntry shown = EntryOf(before.at(e.record), e.units);
    e.change(shown);
    const std::string refusal = RecordRefusal(shown, e.units);
    bool newState = false;
    const auto save = [&] {
      return e.asNew ? InsertRecord(e.library, shown, e.units, newState)
                     : ReplaceRecord(e.library, e.record, shown, e.units);
    };
    if (e.refused) {
      EXPECT_EQ(!refusal.empty(), e.windowRefuses) << refusal;
      try {
        save();
        ADD_FAILURE() << "saved";
      } catch (const model::FileError& error) {
        EXPECT_EQ(error.number(), *e.refused);
      }
      continue;
    }
    ASSERT_EQ(refusal, "");
    const std::string saved = save();
    const std::vector<LibraryRecord> after = ParseLibrary(saved);
    ASSERT_EQ(after.size(), before.size() + (e.asNew ? 1 : 0));
    const auto found = FindLoaded(after, shown.city, shown.state);
    ASSERT_TRUE(found.has_value());
    // The window loading the record again shows the values it saved.
    const WeatherEntry again = EntryOf(after[*found], e.units);
    EXPECT_EQ(again.station, shown.station);
    for (std::size_t row = 0; row < 8; ++row) {
      for (std::size_t m = 0; m < 12; ++m) {
        const double typed = model::Val(shown.months[row][m]);
        EXPECT_NEAR(model::Val(again.months[row][m]), typed, row == 6 ? 0.5 + 0.001 * std::fabs(typed) : 0.051)
            << "row " << row + 1 << " month " << m + 1;
      }
    }
    // The other records read back unchanged.
    std::size_t other = 0;
    for (std::size_t k = 0; k < after.size(); ++k) {
      if (k == *found) continue;
      if (!e.asNew && other == e.record) ++other;
      EXPECT_EQ(after[k], before.at(other)) << k;
      ++other;
    }
  }
}

// The first 40 cities of the installed library, each loaded in either unit system, one box
// changed and saved as an update: every value of the city the user did not change reads back
// exactly as the library held it, and so does every other record.
TEST(WeatherLibraryRoundTrip, an_update_keeps_the_stored_values_of_the_boxes_not_changed) {
  const std::string library = model::ReadWholeFile(std::string(KALVANO_SOURCE_DIR) + "/data/weather/weth.asc");
  const std::vector<LibraryRecord> before = ParseLibrary(library);
  ASSERT_GE(before.size(), 40u);
  for (const int units : {model::kInchPound, model::kSI}) {
    for (std::size_t k = 0; k < 40; ++k) {
      SCOPED_TRACE(testing::Message() << (units == model::kSI ? "SI " : "IP ") << before[k].cityString);
      WeatherEntry e = EntryOf(before[k], units);
      e.months[2][6] = "30";
      std::vector<LibraryRecord> after = ParseLibrary(ReplaceRecord(library, k, e, units));
      ASSERT_EQ(after.size(), before.size());
      EXPECT_DOUBLE_EQ(after[k].months[2][6], units == model::kSI ? 86 : 30);
      after[k].months[2][6] = before[k].months[2][6];
      // The city string is written from the boxes, which hold no mark.
      after[k].cityString = before[k].cityString;
      EXPECT_EQ(after, before);
    }
  }
}

// A library of `records` records in blocks of ten per state, CR LF ends.
std::string LargeLibrary(int records) {
  std::string text;
  for (int k = 1; k <= records; ++k) {
    const std::string state = "S" + std::to_string((k - 1) / 10 + 100);
    std::string city = "City" + std::to_string(k) + ", " + state + " *";
    city.resize(38, ' ');
    text += "\"" + state.substr(0, 2) + "\",\"" + state + "   \"\r\n\"" + city + "\" \"" +
            std::to_string(10000 + k) + "\" 40  100  90  1000 \r\n" + test::Rows(k % 50);
  }
  return text;
}

TEST(WeatherLibraryRoundTrip, insert_and_update_keep_the_3001st_record_byte_for_byte) {
  // The 3001st record as a hand-edited file may hold it: LF ends, odd spacing, no last end.
  const std::string tail =
      "\"ZZ\",\"Zzz    \"\n\"Last, Zzz\"   \"99999\"  1 2  3   4\n" + test::Rows(7) + "trailing words";
  const std::string library = LargeLibrary(3000) + tail;
  ASSERT_EQ(ParseLibrary(library).size(), 3000u);
  WeatherEntry e = EntryOf(ParseLibrary(library)[4], model::kInchPound);
  e.months[3][3] = "12.3";

  const std::string updated = ReplaceRecord(library, 4, e, model::kInchPound);
  EXPECT_TRUE(updated.ends_with(tail));
  EXPECT_DOUBLE_EQ(ParseLibrary(updated)[4].months[3][3], 12.3);

  // Into the first state's block: the new record is the 11th, the old 3000th is pushed past
  // the readers' 3000 and the 3001st follows it unchanged.
  e.city = "Newtown";
  bool newState = true;
  const std::string inserted = InsertRecord(library, e, model::kInchPound, newState);
  EXPECT_FALSE(newState);
  EXPECT_TRUE(inserted.ends_with(tail));
  const std::vector<LibraryRecord> seen = ParseLibrary(inserted);
  ASSERT_EQ(seen.size(), 3000u);
  EXPECT_EQ(CityKey(seen[10].cityString), "Newtown");
  const std::string old3000 = "\"City3000, S399 *";
  EXPECT_LT(inserted.find(old3000), inserted.size() - tail.size());

  // A new state would stand past the 3000th record: no reader would ever show it.
  e.state = "Ontario";
  try {
    InsertRecord(library, e, model::kInchPound, newState);
    ADD_FAILURE() << "a record no reader sees was saved";
  } catch (const model::FileError& error) {
    EXPECT_EQ(error.number(), model::kErrSubscript);
  }
}

TEST(WeatherLibraryRoundTrip, blank_lines_after_fewer_records_end_the_library) {
  WeatherEntry e = EntryOf(ParseLibrary(test::Library())[2], model::kInchPound);
  e.state = "Ontario";
  bool newState = false;
  const std::string added = InsertRecord(test::Library() + "\r\n  \r\n", e, model::kInchPound, newState);
  EXPECT_TRUE(newState);
  EXPECT_EQ(ParseLibrary(added).size(), 4u);
}

}  // namespace
}  // namespace kalvano::weather
