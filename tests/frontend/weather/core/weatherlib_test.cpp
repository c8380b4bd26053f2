// The weather library and the project's weather block: reading the library's records and
// keys, writing records (new states, insertions into a state, updates) in both unit systems,
// and the fixed columns of the weather block.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_model.h"
#include "frontend/model/weather_stats.h"
#include "frontend/weather/weatherlib.h"
#include "tests/frontend/model/file_read_cases.h"
#include "tests/frontend/weather/weather_test_support.h"

namespace kalvano::weather {
namespace {

using test::Rows;

// Two states, three records.
std::string Fixture() { return test::Library(); }

std::vector<std::string> Lines(const std::string& text) { return model::SplitLines(text); }

WeatherEntry Entry(const std::string& state, const std::string& city) {
  WeatherEntry e;
  e.state = state;
  e.city = city;
  e.station = "12345";
  e.latitude = "40";
  e.longitude = "100";
  e.meridian = "90";
  e.elevation = "1000";
  for (auto& row : e.months) row.fill("10");
  return e;
}

TEST(WeatherLibrary, records_keys_and_state_blocks) {
  const std::vector<LibraryRecord> records = ParseLibrary(Fixture());
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].station, "72228");
  EXPECT_DOUBLE_EQ(records[0].latitude, 33.58);
  EXPECT_DOUBLE_EQ(records[2].elevation, 5285);
  EXPECT_DOUBLE_EQ(records[1].months[7][11], 45 + 7 + 11);
  EXPECT_EQ(CityKey(records[0].cityString), "Anniston");
  EXPECT_EQ(StateName(records[0].cityString), "Alabama");
  EXPECT_EQ(StateKey(records[0].cityString), "Alabama");
  EXPECT_EQ(Mark(records[0].cityString), "*");
  EXPECT_EQ(Mark("X, Y ## "), "##");
  const std::vector<StateBlock> blocks = StateBlocks(records);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].name, "Alabama");
  EXPECT_EQ(blocks[0].first, 1);
  EXPECT_EQ(blocks[0].extra, 1);
  EXPECT_EQ(blocks[1].first, 3);
  EXPECT_EQ(blocks[1].extra, 0);
  EXPECT_EQ(CitiesOf(records, "Alabama"), (std::vector<std::string>{"Anniston", "Auburn"}));
  // A leading part of the state finds the city; the state list compares whole names.
  EXPECT_EQ(FindCityRecord(records, "Denver", "Col"), std::optional<std::size_t>(2));
  EXPECT_FALSE(FindCityRecord(records, "Denver", "Alabama").has_value());
  // Line ends do not matter.
  std::string lf;
  for (char c : Fixture()) {
    if (c != '\r') lf += c;
  }
  EXPECT_EQ(ParseLibrary(lf).size(), 3u);
  EXPECT_EQ(ParseLibrary(lf)[2].cityString, records[2].cityString);
}

TEST(WeatherLibrary, a_malformed_library_is_a_wrong_format) {
  std::string shortRecord = Fixture();
  shortRecord.resize(shortRecord.size() - 80);
  for (const std::string& bad : {shortRecord, std::string("\"AL\"\r\nnot a record\r\n") + Rows(1),
                                 Fixture() + "\"XX\",\"Xx     \"\r\n\"A, B\" \"1\" x 2 3 4\r\n" + Rows(1)}) {
    EXPECT_THROW(ParseLibrary(bad), model::FileError);
  }
}

// A library file that holds nothing, or that ends in the middle of a record, is refused
// naming the file; whole records, however the file ends, read.
TEST(WeatherLibrary, an_empty_or_cut_library_file_is_told_as_such_naming_it) {
  using model::test::FirstLines;
  using model::test::ReadOutcome;
  const std::string whole = Fixture();
  const std::string unended = whole.substr(0, whole.size() - 2);  // no line end after the last row
  const std::vector<model::test::FileReadCase> cases{
      {"zero bytes", "", ReadOutcome::Empty},
      {"only blank lines", "\r\n  \r\n", ReadOutcome::Empty},
      {"the third record cut after five lines", FirstLines(whole, 25), ReadOutcome::Cut},
      {"the first record cut after its station line", FirstLines(whole, 2), ReadOutcome::Cut},
      {"the last row cut inside its eighth value", unended.substr(0, unended.size() - 25), ReadOutcome::Cut},
      {"a last row of eleven values ended as a line", unended.substr(0, unended.size() - 6) + "\r\n",
       ReadOutcome::WrongFormat},
      {"whole", whole, ReadOutcome::Reads},
      {"whole, the last line without its line end", unended, ReadOutcome::Reads},
      {"whole, blank lines after it", whole + "\r\n\r\n", ReadOutcome::Reads},
  };
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("weth_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  model::test::ExpectFileReads(dir / "weth.asc", cases, [](const std::string& path) { return ReadLibraryFile(path); });
  EXPECT_EQ(ReadLibraryFile((dir / "weth.asc").string()), ParseLibrary(Fixture()));
  std::filesystem::remove_all(dir);
}

// The installed library, and its first record alone, cut at every byte of their last line:
// each reads whole or is refused as cut short, never with a wind cut short (the first
// record's December wind, "   5.8", cut to "   5." would read 5.0).
TEST(WeatherLibrary, a_library_cut_inside_its_last_line_is_read_whole_or_refused_as_cut) {
  std::ifstream in(std::string(KALVANO_SOURCE_DIR) + "/data/weather/weth.asc", std::ios::binary);
  const std::string installed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string first = model::test::FirstLines(installed, 10);
  ASSERT_TRUE(first.ends_with("   5.8\r\n"));
  std::string lf;
  for (char c : first) {
    if (c != '\r') lf += c;
  }
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("weth_cut_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / "weth.asc";
  for (const std::string& whole : {first, lf, installed}) {
    SCOPED_TRACE(std::to_string(whole.size()) + " bytes");
    const std::size_t lineEnd = whole.ends_with("\r\n") ? 2 : 1;
    // The row without any of its line end, with its CR, and whole.
    EXPECT_EQ(model::test::ExpectEveryCutOfLastLine(path, whole, [](const std::string& p) { return ReadLibraryFile(p); }),
              static_cast<int>(lineEnd) + 1);
  }
  std::filesystem::remove_all(dir);
}

TEST(WeatherLibrary, the_installed_library_reads_whole) {
  std::ifstream in(std::string(KALVANO_SOURCE_DIR) + "/data/weather/weth.asc", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::vector<LibraryRecord> records = ParseLibrary(text);
  EXPECT_EQ(records.size(), 1013u);
  // Every state, Guam, Puerto Rico and the Virgin Islands; each state's city list, as the
  // window fills it, names every city once.
  const std::vector<StateBlock> blocks = StateBlocks(records);
  EXPECT_EQ(blocks.size(), 53u);
  std::size_t counted = 0;
  for (const StateBlock& b : blocks) {
    counted += static_cast<std::size_t>(b.extra + 1);
    EXPECT_FALSE(b.name.empty());
    const std::vector<std::string> cities = CitiesOf(records, b.name);
    EXPECT_EQ(cities.size(), static_cast<std::size_t>(b.extra + 1)) << b.name;
    EXPECT_EQ(std::set<std::string>(cities.begin(), cities.end()).size(), cities.size()) << b.name;
  }
  EXPECT_EQ(counted, records.size());
  for (const LibraryRecord& r : records) {
    EXPECT_FALSE(CityKey(r.cityString).empty());
    EXPECT_EQ(r.station.size(), 5u) << r.cityString;
  }
}

TEST(WeatherRecord, a_new_state_gets_its_code_name_and_mark) {
  const std::vector<std::string> lines = RecordLines(Entry("Ontario", "Ottawa"), {}, model::kInchPound);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "\"On\",\"Ontario\"");
  EXPECT_EQ(lines[1], "\"Ottawa, Ontario !                    \" \"12345\" 40  100  90  1000 ");
  EXPECT_EQ(lines[1].find('"', 1), 38u);  // column 39
  EXPECT_EQ(RecordLines(Entry("Ont", "X"), {}, model::kInchPound)[0], "\"On\",\"Ont    \"");
  // City and state of 34 characters: column 39; of 35: column 41 (inserted into a state).
  const std::string c34(34 - 9, 'c');
  EXPECT_EQ(RecordLines(Entry("Alabama", c34), "AL", model::kInchPound)[1].find('"', 1), 38u);
  EXPECT_EQ(RecordLines(Entry("Alabama", c34 + "c"), "AL", model::kInchPound)[1].find('"', 1), 40u);
  // A new-state text of 50 characters is cut to 37.
  const std::string line = RecordLines(Entry("Alabama", std::string(41, 'c')), {}, model::kInchPound)[1];
  EXPECT_EQ(line.substr(0, 41), "\"" + std::string(37, 'c') + " !\"");
}

TEST(WeatherRecord, si_values_are_written_in_inch_pound_and_read_back) {
  WeatherEntry e = Entry("Colorado", "Boulder");
  e.months[7].fill("4.5");   // wind, m/s
  e.months[6].fill("20000"); // solar, kJ/sq.m day
  e.months[0].fill("-4.44");
  const std::vector<std::string> lines = RecordLines(e, "CO", model::kSI);
  EXPECT_EQ(lines[9].substr(0, 6), "  10.1");
  EXPECT_EQ(lines[8].substr(0, 6), "  1761");  // no decimals
  EXPECT_EQ(lines[2].substr(0, 6), "    24");  // -4.44 C
  const std::string library = std::string("\"CO\",\"Colorad\"\r\n") + "\"Boulder, Colorado *\" \"1\" 1 2 3 4\r\n" +
                              lines[2] + "\r\n" + lines[3] + "\r\n" + lines[4] + "\r\n" + lines[5] + "\r\n" +
                              lines[6] + "\r\n" + lines[7] + "\r\n" + lines[8] + "\r\n" + lines[9] + "\r\n";
  const WeatherEntry back = EntryOf(ParseLibrary(library)[0], model::kSI);
  EXPECT_EQ(back.months[7][0], "  4.5");
  // The same texts under a German locale.
  const char* set = std::setlocale(LC_ALL, "de_DE.UTF-8");
  ASSERT_NE(set, nullptr) << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
  std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
  const std::vector<std::string> german = RecordLines(e, "CO", model::kSI);
  const std::vector<LibraryRecord> readInGerman = ParseLibrary(Fixture());
  std::locale::global(previous);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(german, lines);
  // Read under it, the library's decimals keep their points.
  EXPECT_DOUBLE_EQ(readInGerman[0].latitude, 33.58);
  EXPECT_DOUBLE_EQ(readInGerman[0].longitude, 85.85);
}

TEST(WeatherRecord, insertions_land_after_their_state_block_and_updates_in_place) {
  bool newState = true;
  const std::string once = InsertRecord(Fixture(), Entry("Alabama", "Mobile"), model::kInchPound, newState);
  EXPECT_FALSE(newState);
  std::vector<LibraryRecord> r = ParseLibrary(once);
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(CityKey(r[2].cityString), "Mobile");
  EXPECT_EQ(r[2].stateCode, "AL");
  EXPECT_EQ(StateBlocks(r).size(), 2u);
  // A second insertion without reloading still lands in the block.
  const std::string twice = InsertRecord(once, Entry("Alabama", "Selma"), model::kInchPound, newState);
  r = ParseLibrary(twice);
  EXPECT_EQ(CityKey(r[3].cityString), "Selma");
  EXPECT_EQ(CityKey(r[4].cityString), "Denver");
  // The whole files: each record right after its state's block, the others byte for byte.
  std::string tens;
  for (int row = 0; row < 8; ++row) {
    for (int m = 0; m < 12; ++m) tens += "    10";
    tens += "\r\n";
  }
  const std::string mobile =
      "\"AL\",\"Alabama\"\r\n\"Mobile, Alabama                      \" \"12345\" 40  100  90  1000 \r\n" + tens;
  const std::string selma =
      "\"AL\",\"Alabama\"\r\n\"Selma, Alabama                       \" \"12345\" 40  100  90  1000 \r\n" + tens;
  const std::string fixture = Fixture();
  const std::size_t colorado = fixture.find("\"CO\"");
  EXPECT_EQ(once, fixture.substr(0, colorado) + mobile + fixture.substr(colorado));
  EXPECT_EQ(twice, fixture.substr(0, colorado) + mobile + selma + fixture.substr(colorado));
  // A new state ends the file.
  const std::string added = InsertRecord(Fixture(), Entry("Ontario", "Ottawa"), model::kInchPound, newState);
  EXPECT_TRUE(newState);
  EXPECT_EQ(ParseLibrary(added).back().stateCode, "On");
  // An update of the last record.
  const std::string updated = ReplaceRecord(Fixture(), 2, Entry("Colorado", "Denver"), model::kInchPound);
  r = ParseLibrary(updated);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[2].station, "12345");
  EXPECT_EQ(Lines(updated)[20], "\"CO\",\"Colorad\"");
}

TEST(WeatherBlock, station_line_and_rows_keep_their_columns) {
  WeatherEntry e = Entry("Florida", "Miami");
  e.latitude = "26";
  e.longitude = "80.";
  e.meridian = "75";
  e.elevation = "  11";
  e.months[0][0] = "7.25";
  e.months[0][1] = "-4.44";
  e.months[6][0] = "1234.6";
  std::string location, refusal;
  const auto block = WeatherBlockLines(e, "!", model::kInchPound, location, refusal);
  ASSERT_TRUE(refusal.empty()) << refusal;
  EXPECT_EQ(location, "Miami, Florida !");
  EXPECT_EQ(block[1], std::string(51, ' ') + "WMO#  Lat. Long.  STM.  Elev");
  EXPECT_EQ(block[2].size(), 79u);
  EXPECT_EQ(block[2].substr(50, 5), "12345");
  EXPECT_EQ(block[2].substr(73), "    11");
  EXPECT_EQ(block[2].substr(55, 6), "    26");
  EXPECT_EQ(block[4].substr(0, 19), "DB Ave    7.3  -4.4");
  EXPECT_EQ(block[10].substr(7, 6), "  1235");
  // Shown again in the window: the project's own block.
  std::string mark;
  const WeatherEntry back = EntryOfBlock(block, mark);
  EXPECT_EQ(back.city, "Miami");
  EXPECT_EQ(back.state, "Florida");
  EXPECT_EQ(mark, "!");
  EXPECT_EQ(back.months[0][0], "  7.3");
  // A long location keeps its mark by column 50; a short station number is padded.
  e.city = std::string(60, 'x');
  e.station = "123";
  const auto longBlock = WeatherBlockLines(e, "*", model::kInchPound, location, refusal);
  EXPECT_EQ(location.size(), 50u);
  EXPECT_EQ(location.substr(48), " *");
  EXPECT_EQ(longBlock[2].substr(50, 5), "123  ");
  // A location without a mark ends the state at column 50.
  e.city = "Paris";
  e.state = "France";
  const auto plain = WeatherBlockLines(e, "", model::kInchPound, location, refusal);
  EXPECT_EQ(EntryOfBlock(plain, mark).state, "France");
  // Refused: a six-character station number, an empty or long value.
  for (auto change : {+[](WeatherEntry& x) { x.station = "123456"; }, +[](WeatherEntry& x) { x.latitude = ""; },
                      +[](WeatherEntry& x) { x.elevation = "1234567"; }}) {
    WeatherEntry bad = Entry("Florida", "Miami");
    change(bad);
    EXPECT_EQ(WeatherBlockLines(bad, "", model::kInchPound, location, refusal)[2], "");
    EXPECT_FALSE(refusal.empty());
  }
}

// A month value typed in either unit system, through the block writer and back through its
// readers: either it is refused with its box named, or it reads back as typed (rounded to the
// block's one decimal) and no other box of the block moves. The readers: the window, which
// takes five columns of each six-character field; for an SI project also the inch-pound copy
// that the run file and an inch-pound save hold in the same columns.
TEST(WeatherBlock, a_typed_month_value_reads_back_as_typed_or_is_refused_naming_its_box) {
  struct Case {
    const char* typed;
    bool refusedIP, refusedSI;  // SI: as degrees C, and as the degrees F of the inch-pound copy
  };
  const Case cases[] = {
      // A whole number beyond the limits is refused though its text fits five columns.
      {"-100.5", true, true},  {"1000.5", true, true}, {"12345", true, true}, {"1000", true, true},
      {"5000", true, true},    {"999.9", true, true},  // 1831.8 F
      {"-73.3", false, false},                         // -99.9 F
      {"-9999", true, true},
      {"123456", true, true},  {"99.94", false, true},  // 211.9 F
      {"-73.6", false, true},  // -100.5 F
      {"-45.5", false, false}, {"104.5", false, true},  // 220.1 F
      {"65.54", false, false},                          // 149.9 F
  };
  for (const int units : {model::kInchPound, model::kSI}) {
    const bool si = units == model::kSI;
    for (const Case& c : cases) {
      for (const std::size_t month : {std::size_t{0}, std::size_t{5}}) {
        SCOPED_TRACE(testing::Message() << (si ? "SI " : "IP ") << c.typed << " in month " << month + 1);
        // A dew-point mean, which moves no design temperature that OK derives from the block.
        WeatherEntry e = Entry("Florida", "Miami");  // every other month 10
        e.months[4][month] = c.typed;
        std::string location, refusal;
        const auto block = WeatherBlockLines(e, "*", units, location, refusal);
        if (si ? c.refusedSI : c.refusedIP) {
          const std::string box = "Row 5, month " + std::to_string(month + 1) + ": " + c.typed;
          EXPECT_EQ(refusal, box + " does not fit the project's weather data, " +
                                 (si ? "whose values in this row run from -73.3 to 65.5 (Deg. C)."
                                     : "whose values in this row run from -99.9 to 150 (Deg. F).") +
                                 "  Please correct the value.");
          EXPECT_EQ(block[4], "");
          continue;
        }
        ASSERT_EQ(refusal, "");
        const float typed = model::RoundTo(model::Val(c.typed), 1);
        std::string mark;
        const WeatherEntry back = EntryOfBlock(block, mark);
        for (std::size_t row = 0; row < kRows; ++row) {
          for (std::size_t m = 0; m < 12; ++m) {
            EXPECT_EQ(static_cast<float>(model::Val(back.months[row][m])), row == 4 && m == month ? typed : 10.0f)
                << "row " << row + 1 << " month " << m + 1;
          }
        }
        if (!si) continue;
        // The inch-pound copy: each value within its rounding of the degrees F of the value
        // shown, and its digits, sign and point in the five columns the block's readers take.
        auto project = std::make_unique<model::ProjectModel>();
        project->UnitSystem = model::kSI;
        for (int i = 1; i <= model::kWeatherLines; ++i) project->WeatherBlock[i] = block[static_cast<std::size_t>(i)];
        model::WeatherStatsToIP(*project);
        for (std::size_t m = 1; m <= 12; ++m) {
          const float ip = model::RoundTo(project->Wx.WxDpAve[m], 1);
          EXPECT_NEAR(ip, (m == month + 1 ? typed : 10.0f) * 1.8 + 32, 0.051) << "month " << m;
          std::string text = model::NumberText(ip);
          if (text.front() == ' ') text.erase(0, 1);
          EXPECT_LE(text.size(), 5u) << "month " << m << ": " << text;
        }
      }
    }
  }
}

// An SI window's refusal of a month value quotes the limits of the box's row in its SI unit:
// the lowest and highest values of the row's decimals whose fields, the library's and, for the
// project's weather, the block's as shown, hold them (and, for the project's weather, whose
// inch-pound copy lies in the range that a run accepts): the check takes them and refuses the
// next value beyond each.
TEST(WeatherBlock, an_si_refusal_quotes_the_rows_limits_in_si) {
  struct Case {
    int row;  // 0-based
    const char* library;
    const char* block;
  };
  const Case cases[] = {
      {0, "-73.3 to 537.7 (Deg. C)", "-73.3 to 65.5 (Deg. C)"},
      {3, "-55.5 to 555.5 (Deg. C)", "0 to 55.5 (Deg. C)"},
      {6, "-113559 to 1135647 (kJ/sq.m.)", "-6 to 56787 (kJ/sq.m.)"},
      {7, "-44.6 to 447 (m/sec.)", "0 to 67 (m/sec.)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row + 1);
    const auto row = static_cast<std::size_t>(c.row);
    const std::string box = "Row " + std::to_string(c.row + 1) + ", month 4: 9999999";
    WeatherEntry e = Entry("Illinois", "Chicago");
    e.months[row][3] = "9999999";
    EXPECT_EQ(RecordRefusal(e, model::kSI), box + " does not fit the weather library, whose values in this row run from " +
                                                c.library + ".  Nothing has been saved.");
    std::string location, refusal;
    WeatherBlockLines(e, "*", model::kSI, location, refusal);
    EXPECT_EQ(refusal, box + " does not fit the project's weather data, whose values in this row run from " +
                           c.block + ".  Please correct the value.");
    // The limits quoted are values the check takes.
    for (const auto& [quoted, blockOnly] : {std::make_pair(std::string(c.library), false),
                                            std::make_pair(std::string(c.block), true)}) {
      const std::string low = quoted.substr(0, quoted.find(' '));
      const std::string high = quoted.substr(quoted.find(" to ") + 4, quoted.find(" (") - quoted.find(" to ") - 4);
      const float step = c.row == 6 ? 1.0f : 0.1f;
      const auto beyond = [](double v) {
        const std::string text = model::NumberText(model::RoundTo(v, 1));
        return text.front() == ' ' ? text.substr(1) : text;
      };
      for (const auto& [limit, taken] : {std::make_pair(low, true), std::make_pair(high, true),
                                         std::make_pair(beyond(model::Val(low) - step), false),
                                         std::make_pair(beyond(model::Val(high) + step), false)}) {
        SCOPED_TRACE(limit);
        e.months[row][3] = limit;
        if (blockOnly) {
          // Taken by the month check (a design temperature that follows may be refused).
          WeatherBlockLines(e, "*", model::kSI, location, refusal);
          EXPECT_EQ(refusal.rfind("Row ", 0) != 0, taken) << refusal;
        } else {
          EXPECT_EQ(RecordRefusal(e, model::kSI).empty(), taken);
        }
      }
    }
  }
}

// The project's weather takes a month value only within the range that a run accepts for its
// row, quoted in the window's unit: inch-pound the engine's own (bounded by the field's -99.9
// for a temperature), SI the lowest and highest values of the row's decimals whose inch-pound
// copy, as the run file holds it, lies in it. A library save keeps to the library's field
// limits only: what lies beyond a run's range but within them is saved.
TEST(WeatherBlock, a_month_value_beyond_a_runs_range_is_refused_quoting_the_rows_range) {
  struct Case {
    int units;
    int row;  // 0-based
    const char* range;
    std::array<const char*, 2> inside;   // the range's ends
    std::array<const char*, 2> outside;  // the next values of the row's decimals beyond them
  };
  const int ip = model::kInchPound, si = model::kSI;
  const Case cases[] = {
      {ip, 0, "-99.9 to 150 (Deg. F)", {"-99.9", "150"}, {"-100", "150.1"}},
      {ip, 1, "0 to 100 (Deg. F)", {"0", "100"}, {"-0.1", "100.1"}},
      {ip, 2, "-99.9 to 150 (Deg. F)", {"-99.9", "150.04"}, {"-100", "150.1"}},
      {ip, 3, "0 to 100 (Deg. F)", {"0", "100"}, {"-0.1", "100.1"}},
      {ip, 4, "-99.9 to 150 (Deg. F)", {"-99.9", "150"}, {"-100", "150.1"}},
      {ip, 5, "0 to 100 (Deg. F)", {"0", "100"}, {"-0.1", "100.1"}},
      {ip, 6, "0 to 5000 (Btu/sq.ft.)", {"0", "5000"}, {"-1", "5001"}},
      {ip, 7, "0 to 150 (Miles/hr.)", {"0", "150"}, {"-0.1", "150.1"}},
      {si, 0, "-73.3 to 65.5 (Deg. C)", {"-73.3", "65.5"}, {"-73.4", "65.6"}},
      {si, 1, "0 to 55.5 (Deg. C)", {"0", "55.5"}, {"-0.1", "55.6"}},
      {si, 2, "-73.3 to 65.5 (Deg. C)", {"-73.3", "65.5"}, {"-73.4", "65.6"}},
      {si, 3, "0 to 55.5 (Deg. C)", {"0", "55.5"}, {"-0.1", "55.6"}},
      {si, 4, "-73.3 to 65.5 (Deg. C)", {"-73.3", "65.54"}, {"-73.4", "65.6"}},
      {si, 5, "0 to 55.5 (Deg. C)", {"0", "55.5"}, {"-0.1", "55.6"}},
      // -6 kJ/sq.m. is -0.5 Btu/sq.ft., which the run file holds as a whole 0.
      {si, 6, "-6 to 56787 (kJ/sq.m.)", {"-6", "56787"}, {"-7", "56788"}},
      {si, 7, "0 to 67 (m/sec.)", {"0", "67"}, {"-0.1", "67.1"}},
  };
  for (const Case& c : cases) {
    const auto row = static_cast<std::size_t>(c.row);
    for (const bool taken : {true, false}) {
      for (const char* typed : taken ? c.inside : c.outside) {
        SCOPED_TRACE(testing::Message() << (c.units == si ? "SI" : "IP") << " row " << c.row + 1 << ": " << typed);
        WeatherEntry e = Entry("Illinois", "Chicago");
        e.months[row][6] = typed;
        std::string location, refusal;
        const auto block = WeatherBlockLines(e, "*", c.units, location, refusal);
        if (taken) {
          // Taken by the month check; a design temperature that follows may be refused (below).
          EXPECT_NE(refusal.rfind("Row ", 0), 0u) << refusal;
          EXPECT_EQ(refusal.empty(), block[4] != "");
        } else {
          EXPECT_EQ(refusal, "Row " + std::to_string(c.row + 1) + ", month 7: " + typed +
                                 " does not fit the project's weather data, whose values in this row run from " +
                                 c.range + ".  Please correct the value.");
          EXPECT_EQ(block[4], "");
        }
        // The library holds them all but a temperature below its field's -99.9 F.
        const bool belowTheField = c.row % 2 == 0 && c.row < 6 && typed == c.outside[0];
        EXPECT_EQ(RecordRefusal(e, c.units).empty(), !belowTheField);
      }
    }
  }
}

// OK derives the project's design temperatures from the block, and a run refuses one beyond
// its temperature range as it refuses a month value: OK refuses the block then, naming the
// design temperature with its value and the range in the window's unit. Every other value 10.
TEST(WeatherBlock, a_design_temperature_beyond_a_runs_range_is_refused_quoting_the_range) {
  struct Case {
    int units;
    int row;  // 0-based; month 7
    const char* typed;
    const char* refused;  // the design temperature and its value; empty: taken
  };
  const int ip = model::kInchPound, si = model::kSI;
  const Case cases[] = {
      // Summer: the highest dry-bulb maximum (10) plus 2.11 of its deviations.
      {ip, 3, "66.3", ""},
      {ip, 3, "66.4", "summer design dry bulb that follows from the monthly values, 150.1 (Deg. F)"},
      // Winter: twice the dry-bulb mean less 2.11 deviations, less the maximum less 2.11 of its.
      {ip, 0, "-34.4", ""},
      {ip, 0, "-34.5", "winter design dry bulb that follows from the monthly values, -100.1 (Deg. F)"},
      // SI: the degrees C that OK derives, converted to F for the run.
      {si, 3, "26.3", ""},
      {si, 3, "26.4", "summer design dry bulb that follows from the monthly values, 65.7 (Deg. C)"},
      {si, 0, "-21.1", ""},
      {si, 0, "-21.2", "winter design dry bulb that follows from the monthly values, -73.6 (Deg. C)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.units == si ? "SI" : "IP") << " row " << c.row + 1 << ": " << c.typed);
    WeatherEntry e = Entry("Illinois", "Chicago");
    e.months[static_cast<std::size_t>(c.row)][6] = c.typed;
    std::string location, refusal;
    const auto block = WeatherBlockLines(e, "*", c.units, location, refusal);
    if (std::string(c.refused).empty()) {
      EXPECT_EQ(refusal, "");
      EXPECT_NE(block[4], "");
      continue;
    }
    EXPECT_EQ(refusal, std::string("The ") + c.refused +
                           ", is outside the range that the simulation accepts, which runs from " +
                           (c.units == si ? "-73.3 to 65.5 (Deg. C)" : "-100 to 150 (Deg. F)") +
                           ".  Please correct the monthly values.");
    EXPECT_EQ(block[4], "");
  }
}

}  // namespace
}  // namespace kalvano::weather
