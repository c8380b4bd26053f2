// The HVAC data base's reader and writer: the columns of every value in both unit systems,
// the derived columns and the gas-heat lines, short and overfull files, and the atomic
// rewrite.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <locale>

#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"
#include "frontend/zones/hvacdata.h"
#include "tests/unprivileged.h"

namespace kalvano::zones {
namespace {

namespace fs = std::filesystem;
using model::kInchPound;
using model::kSI;

// Nine systems with the same values: inch-pound 0.5 in, SEER 10, 55 F, $2000 and $40 per ton;
// SI 125 Pa, COP 2.93, 13 C.
std::vector<HvacSystem> NineSystems(int16_t units) {
  std::vector<HvacSystem> s(kHvacSystems);
  for (std::size_t i = 0; i < s.size(); ++i) {
    s[i].name = "System " + std::string(1, static_cast<char>('A' + i));
    s[i].stpres = units == kSI ? "125" : "0.5";
    s[i].seer = units == kSI ? "2.93" : "10";
    s[i].temp = units == kSI ? "13" : "55";
    s[i].fcost = "2000";
    s[i].mcost = "40";
  }
  return s;
}

std::string Cols(const std::string& line, std::size_t col, std::size_t width) {
  return line.size() < col ? std::string() : line.substr(col - 1, width);
}

struct ColumnCase {
  int16_t units;
  int system;     // 1..9
  bool gasLine;   // the second line of the pair
  std::size_t col;
  std::string text;
};

const std::vector<ColumnCase>& ColumnCases() {
  static const std::vector<ColumnCase> cases{
      {kInchPound, 1, false, 6, " 1"},
      {kInchPound, 1, false, 11, "System A"},
      {kInchPound, 1, false, 65, "0.5 "},
      {kInchPound, 1, false, 71, "  124.4 "},       // columns 72-77
      {kInchPound, 1, false, 80, "10     2.93  "},  // COP in 86-90
      {kInchPound, 1, false, 93, "55   13 "},       // 13 from column 97
      {kInchPound, 1, false, 103, "2000    40      ELEC. HEAT"},
      {kInchPound, 1, true, 101, "   2200    47.4   GAS HEAT"},
      {kInchPound, 4, true, 103, " 2200      48   GAS HEAT"},
      {kInchPound, 6, true, 103, " 2200      49   GAS HEAT"},
      {kInchPound, 7, true, 1, std::string(118, ' ') + "GAS HEAT"},
      {kInchPound, 8, true, 101, "   2000   40      GAS HEAT"},
      {kInchPound, 9, true, 103, " 2000"},
      {kSI, 1, false, 65, "  .5   125"},           // .5 in 65-68, Pa from 72
      {kSI, 1, false, 80, "   10 2.93"},           // SEER ends in 84, COP from 86
      {kSI, 1, false, 93, " 55 13"},               // 55 F from 93, 13 C from 97
      {kSI, 2, true, 103, " 2200    47.4   GAS HEAT"},
  };
  return cases;
}

void CheckColumns() {
  for (const ColumnCase& c : ColumnCases()) {
    const std::vector<std::string> lines = HvacDatabaseLines(NineSystems(c.units), c.units);
    ASSERT_EQ(lines.size(), 3u + 2u * kHvacSystems);
    const std::string& line = lines[2 + 2 * static_cast<std::size_t>(c.system) - (c.gasLine ? 0 : 1)];
    EXPECT_EQ(Cols(line, c.col, c.text.size()), c.text)
        << (c.units == kSI ? "SI" : "IP") << " system " << c.system << (c.gasLine ? " gas" : "")
        << " column " << c.col << "\n" << line;
  }
}

TEST(HvacDatabaseWriter, puts_typed_and_derived_values_in_their_columns) { CheckColumns(); }

TEST(HvacDatabaseWriter, writes_the_same_texts_under_a_german_locale) {
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
      << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
  const std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
  CheckColumns();
  std::locale::global(previous);
  std::setlocale(LC_ALL, "C");
}

TEST(HvacDatabaseWriter, writes_the_three_headers_verbatim_and_no_trailing_blanks) {
  for (int16_t units : {kInchPound, kSI}) {
    std::vector<HvacSystem> systems = NineSystems(units);
    systems[2].mcost = "40    ";  // a value read with the blanks of its column
    const std::vector<std::string> lines = HvacDatabaseLines(systems, units);
    EXPECT_EQ(lines[0], std::string(63, ' ') +
                            "FAN STATIC PRESS.  SYSTEM   SUPPLY TEMP  SYSTEM COST PER TON");
    EXPECT_EQ(lines[1],
              "     I.D.  NAME OF SYSTEM                                      (INCH)   (Pa)    "
              "SEER  COP    F   C      1ST...MAINT.");
    EXPECT_EQ(lines[1].size(), 116u);
    EXPECT_EQ(lines[2], std::string(5, ' ') + std::string(135, '-'));
    for (const std::string& line : lines) {
      ASSERT_FALSE(line.empty());
      EXPECT_NE(line.back(), ' ') << line;
    }
  }
}

TEST(HvacDatabaseWriter, cuts_a_long_name_and_long_values_to_what_the_reader_takes_back) {
  std::vector<HvacSystem> systems = NineSystems(kInchPound);
  systems[0].name = std::string(60, 'N');
  systems[0].stpres = "1.234567";
  systems[0].fcost = "1234567";
  const std::vector<std::string> lines = HvacDatabaseLines(systems, kInchPound);
  const std::vector<HvacSystem> back = ParseHvacDatabase(lines, kInchPound);
  EXPECT_EQ(back[0].name, std::string(51, 'N'));
  EXPECT_EQ(back[0].stpres, "1.2345");
  EXPECT_EQ(TrimBlanks(back[0].fcost), "12345");
  EXPECT_EQ(TrimBlanks(back[0].mcost), "40");
}

TEST(HvacDatabaseReader, reads_as_many_systems_as_the_file_holds_and_writes_them_back) {
  std::vector<HvacSystem> seven = NineSystems(kInchPound);
  seven.resize(7);
  const std::vector<std::string> lines = HvacDatabaseLines(seven, kInchPound);
  EXPECT_EQ(lines.size(), 3u + 14u);
  const std::vector<HvacSystem> read = ParseHvacDatabase(lines, kInchPound);
  ASSERT_EQ(read.size(), 7u);
  EXPECT_EQ(TrimBlanks(read[6].name), "System G");
  EXPECT_EQ(HvacDatabaseLines(read, kInchPound), lines);
  // Blank lines after the last system add none.
  std::vector<std::string> padded = lines;
  padded.insert(padded.end(), {"", "   "});
  EXPECT_EQ(ParseHvacDatabase(padded, kInchPound).size(), 7u);
}

TEST(HvacDatabaseReader, shows_a_file_written_in_one_unit_system_in_the_other) {
  // Written from SI, read in inch-pound: the derived inch-pound values.
  const std::vector<HvacSystem> ip =
      ParseHvacDatabase(HvacDatabaseLines(NineSystems(kSI), kSI), kInchPound);
  ASSERT_EQ(ip.size(), 9u);
  EXPECT_EQ(ip[0].stpres, "  .5  ");  // from column 65, with its leading blanks
  EXPECT_EQ(ip[0].seer, "   10");
  EXPECT_EQ(TrimBlanks(ip[0].temp), "55");
  EXPECT_EQ(TrimBlanks(ip[0].fcost), "2000");
  // Written from inch-pound, read in SI.
  const std::vector<HvacSystem> si =
      ParseHvacDatabase(HvacDatabaseLines(NineSystems(kInchPound), kInchPound), kSI);
  EXPECT_EQ(si[0].stpres, " 124.4");
  EXPECT_EQ(si[0].seer, " 2.93");
  EXPECT_EQ(TrimBlanks(si[0].temp), "13");
  // A SEER of five characters is read back whole.
  std::vector<HvacSystem> odd = NineSystems(kSI);
  odd[0].seer = "3.28";  // SEER 11.2
  EXPECT_EQ(ParseHvacDatabase(HvacDatabaseLines(odd, kSI), kInchPound)[0].seer, " 11.2");
}

TEST(HvacDatabaseReader, refuses_short_and_overfull_files_and_takes_either_line_end) {
  const std::vector<std::string> nine = HvacDatabaseLines(NineSystems(kInchPound), kInchPound);
  const auto errorOf = [](const std::vector<std::string>& lines) {
    try {
      ParseHvacDatabase(lines, kInchPound);
    } catch (const model::FileError& e) {
      return e.number();
    }
    return 0;
  };
  std::vector<std::string> ten = nine;
  ten.push_back(nine[3]);
  ten.push_back(nine[4]);
  EXPECT_EQ(errorOf(ten), model::kErrSubscript);
  EXPECT_EQ(errorOf({nine.begin(), nine.end() - 1}), model::kErrPastEndOfFile);
  EXPECT_EQ(errorOf({nine.begin(), nine.begin() + 2}), model::kErrPastEndOfFile);
  EXPECT_EQ(errorOf({nine.begin(), nine.begin() + 3}), 0);

  const fs::path dir = fs::temp_directory_path() / ("hvacdata_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string crlf, lf;
  for (const std::string& l : nine) crlf += l + "\r\n", lf += l + "\n";
  for (const std::string& bytes : {crlf, lf}) {
    std::ofstream(dir / "tcool.dat", std::ios::binary) << bytes;
    const std::vector<HvacSystem> read = ReadHvacDatabase((dir / "tcool.dat").string(), kInchPound);
    ASSERT_EQ(read.size(), 9u);
    EXPECT_EQ(read[8].mcost, "40    ");
  }
  try {
    ReadHvacDatabase((dir / "missing.dat").string(), kInchPound);
    ADD_FAILURE() << "a missing file was read";
  } catch (const model::FileError& e) {
    EXPECT_EQ(e.number(), model::kErrFileNotFound);
  }
  fs::remove_all(dir);
}

// The error number of `action` run by an ordinary user (tests/unprivileged.h).
int ErrorAsUser(const std::function<void()>& action) {
  const auto run = [&] {
    try {
      action();
    } catch (const model::FileError& e) {
      return e.number();
    }
    return 0;
  };
  return kalvano::test::AsUnprivileged(run);
}

TEST(HvacDatabaseWriter, a_failed_rewrite_leaves_the_file_as_it_was) {
  const fs::path dir = fs::temp_directory_path() / ("hvacsave_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::permissions(dir, fs::perms::all);
  const std::string path = (dir / "tcool.dat").string();
  WriteHvacDatabase(path, NineSystems(kInchPound), kInchPound);
  std::ifstream in(path, std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(before.substr(before.size() - 10), "GAS HEAT\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int error = ErrorAsUser([&] { WriteHvacDatabase(path, NineSystems(kSI), kSI); });
  ASSERT_NE(error, 255) << "cannot become an ordinary user";
  EXPECT_EQ(error, model::kErrPermissionDenied);
  std::ifstream again(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), before);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kalvano::zones
