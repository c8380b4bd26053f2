// The wall and window catalogues: the file layout read and written in both unit systems, the
// refusals that keep a catalogue whole, what the editor saves read back by every reader, and
// the catalogue window offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>

#include <unistd.h>

#include <clocale>
#include <cmath>
#include <functional>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <optional>
#include <utility>

#include "envelope_test_support.h"
#include "frontend/envelope/catalog.h"
#include "frontend/envelope/catalogfile.h"
#include "frontend/envelope/typetable.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/menucore.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/zoneentry.h"
#include "tests/frontend/model/file_read_cases.h"
#include "tests/unprivileged.h"

namespace kalvano::envelope {
namespace {

namespace fs = std::filesystem;

std::string Entries(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) {
    text += std::to_string(k) + "\r\nWall type " + std::to_string(k) + "\r\n0.1\r\n.7\r\n3\r\n.5\r\n1\r\n";
  }
  return text;
}

std::string Installed(const char* name) {
  std::ifstream in(std::string(KALVANO_SOURCE_DIR) + "/data/profiles/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(CatalogFile, inch_pound_catalogues_are_written_back_byte_for_byte) {
  EXPECT_EQ(CatalogText(ReadCatalog(Entries(3), model::kInchPound), model::kInchPound), Entries(3));
  for (const char* name : {"bprof6.dat", "bprof7.dat"}) {
    const std::string installed = Installed(name);
    ASSERT_FALSE(installed.empty()) << name;
    EXPECT_EQ(CatalogText(ReadCatalog(installed, model::kInchPound), model::kInchPound), installed) << name;
  }
}

TEST(CatalogFile, si_shows_converted_values_and_writes_inch_pound) {
  CatalogTable t = ReadCatalog(Entries(3), model::kSI);
  EXPECT_EQ(t[2][0], "  .568");
  EXPECT_EQ(t[6][0], " 10.76");
  EXPECT_EQ(t[3][0], ".7");
  const std::vector<std::string> lines = model::SplitLines(CatalogText(t, model::kSI));
  EXPECT_EQ(lines[2], "    .1");
  EXPECT_EQ(lines[6], "     1");
  // The same texts under a German locale.
  const char* set = std::setlocale(LC_ALL, "de_DE.UTF-8");
  ASSERT_NE(set, nullptr) << "the de_DE.UTF-8 locale is missing: run scripts/setup.sh";
  std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
  const CatalogTable german = ReadCatalog(Entries(3), model::kSI);
  const std::string text = CatalogText(german, model::kSI);
  std::locale::global(previous);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(german, t);
  EXPECT_EQ(text, CatalogText(t, model::kSI));
}

TEST(CatalogFile, an_empty_id_ends_the_catalogue_and_a_wrong_id_is_refused) {
  CatalogTable t = ReadCatalog(Entries(6), model::kInchPound);
  t[0][4].clear();
  EXPECT_EQ(CatalogText(t, model::kInchPound), Entries(4));
  t[0][4] = "5";
  t[0][6] = "7";  // a new entry after the last
  t[1][6] = "New wall";
  EXPECT_EQ(model::SplitLines(CatalogText(t, model::kInchPound)).size(), 49u);
  EXPECT_TRUE(CatalogRefusal(t).empty());
  t[0][2] = "12";
  EXPECT_NE(CatalogRefusal(t).find("entry 3"), std::string::npos);
  t[0][2] = "x";
  EXPECT_FALSE(CatalogRefusal(t).empty());
  // Emptying the first ID would save a file of no entry, which no window opens again.
  CatalogTable none = ReadCatalog(Entries(2), model::kInchPound);
  none[0][0].clear();
  EXPECT_NE(CatalogRefusal(none).find("entry 1"), std::string::npos);
}

// A catalogue file that holds nothing, or whose last entry has fewer than its 7 lines, is
// refused naming the file; whole entries, and blank lines after them, read.
TEST(CatalogFile, an_empty_or_cut_catalogue_file_is_told_as_such_naming_it) {
  using model::test::ReadOutcome;
  const std::string three = Entries(3);
  const std::vector<model::test::FileReadCase> cases{
      {"zero bytes", "", ReadOutcome::Empty},
      {"only blank lines", "\r\n  \r\n\r\n", ReadOutcome::Empty},
      {"the last entry cut after its description", Entries(2) + "3\r\nWall type 3\r\n", ReadOutcome::Cut},
      {"the last entry cut inside its time lag", three.substr(0, three.size() - 9), ReadOutcome::Cut},
      {"whole", three, ReadOutcome::Reads},
      // A value line has no fixed width: without its line end it cannot be told whole.
      {"whole, the last line without its line end", three.substr(0, three.size() - 2), ReadOutcome::Cut},
      {"whole, the last line without its LF", three.substr(0, three.size() - 1), ReadOutcome::Reads},
      {"whole, blank lines after it", three + "\r\n\r\n", ReadOutcome::Reads},
      {"more than 31 entries", Entries(32), ReadOutcome::WrongFormat},
  };
  const fs::path dir = fs::temp_directory_path() / ("catalog_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  model::test::ExpectFileReads(dir / "bprof6.dat", cases,
                               [](const std::string& path) { return ReadCatalogFile(path, model::kInchPound); });
  fs::remove_all(dir);
}

TEST(CatalogFile, catalogues_cut_short_or_too_long_are_refused_and_crs_never_kept) {
  EXPECT_THROW(ReadCatalog(Entries(3).substr(0, Entries(3).size() - 3), model::kInchPound), model::FileError);
  EXPECT_THROW(ReadCatalog(Entries(32), model::kInchPound), model::FileError);
  EXPECT_NO_THROW(ReadCatalog(Entries(31), model::kInchPound));
  std::string lf;
  for (char c : Entries(2)) {
    if (c != '\r') lf += c;
  }
  EXPECT_EQ(ReadCatalog(lf, model::kInchPound), ReadCatalog(Entries(2), model::kInchPound));
}

// A catalogue saved by its editor opens again in every reader of it: the catalogue window,
// the zone window's type table and the first zone description after a sketch. Each row is
// one edit of the last entry made as the catalogue window makes it (its table, its refusal,
// its file text), then the saved file is read by all three.
std::string Trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

struct Edit {
  const char* what;
  int16_t units;
  int kind;  // 1 the wall and roof catalogue, 2 the window and skylight catalogue
  std::size_t column;  // 0 id .. 6 cost, of the last entry
  std::string typed;
  // What the catalogue window shows for that cell after the save; the typed text when unset.
  std::optional<std::string> shownAfter;
};

const std::vector<Edit>& Edits() {
  static const std::vector<Edit> edits{
      {"emptied id: the entry is no longer written", model::kInchPound, 1, 0, "", std::nullopt},
      {"emptied description", model::kInchPound, 1, 1, "", std::nullopt},
      {"emptied U-factor", model::kInchPound, 1, 2, "", std::nullopt},
      {"emptied absorptance", model::kInchPound, 1, 3, "", std::nullopt},
      {"emptied time lag", model::kInchPound, 1, 4, "", std::nullopt},
      {"emptied decrement factor", model::kInchPound, 1, 5, "", std::nullopt},
      {"emptied cost, the last line of the file", model::kInchPound, 1, 6, "", std::nullopt},
      {"emptied cost of a window", model::kInchPound, 2, 6, "", std::nullopt},
      {"emptied emissivity of a window", model::kInchPound, 2, 4, "", std::nullopt},
      {"blank cost", model::kInchPound, 1, 6, "   ", std::nullopt},
      {"a U-factor typed", model::kInchPound, 1, 2, ".25", std::nullopt},
      {"SI: emptied description", model::kSI, 1, 1, "", std::nullopt},
      {"SI: emptied cost is saved as 0", model::kSI, 1, 6, "", "     0"},
      {"SI: a cost typed shows again with its sign blank", model::kSI, 1, 6, "21.53", " 21.53"},
  };
  return edits;
}

struct Base {
  fs::path dir = fs::temp_directory_path() / ("catalog_roundtrip_" + std::to_string(::getpid()));
  Base() {
    fs::remove_all(dir);
    fs::create_directories(dir / "profiles");
  }
  ~Base() { fs::remove_all(dir); }
};

TEST(CatalogRoundTrip, what_the_editor_saves_every_reader_reads_back) {
  constexpr std::size_t kEntries = 3;
  for (const Edit& e : Edits()) {
    SCOPED_TRACE(e.what);
    Base base;
    model::ProjectModel m;
    m.AppDir = base.dir.string();
    m.UnitSystem = e.units;
    const std::string file =
        model::AppPath(m, e.kind == 1 ? "profiles/bprof6.dat" : "profiles/bprof7.dat");

    // The catalogue window: load, edit a cell of the last entry, save.
    CatalogTable shown = ReadCatalog(Entries(kEntries), e.units);
    shown[e.column][kEntries - 1] = e.typed;
    ASSERT_EQ(CatalogRefusal(shown), "");
    model::AtomicFile out(file);
    out.text(CatalogText(shown, e.units));
    out.commit();
    if (e.shownAfter) shown[e.column][kEntries - 1] = *e.shownAfter;
    const std::size_t entries = shown[0][kEntries - 1].empty() ? kEntries - 1 : kEntries;

    // The catalogue window opened again shows what it saved.
    const std::string text = model::ReadWholeFile(file);
    CatalogTable again;
    ASSERT_NO_THROW(again = ReadCatalog(text, e.units));
    for (std::size_t k = 0; k < kEntries; ++k) {
      for (std::size_t c = 0; c < kCatalogColumns; ++c) {
        EXPECT_EQ(again[c][k], k < entries ? shown[c][k] : std::string()) << "entry " << k << " column " << c;
      }
    }

    // The zone window's type table.
    model::ProjectModel project = m;
    TypeTable table;
    ASSERT_NO_THROW(table = LoadPropertyTable(project, e.kind, text));
    for (std::size_t k = 0; k < entries; ++k) {
      for (std::size_t c = 1; c < kCatalogColumns; ++c) {
        EXPECT_EQ(table.Cell(static_cast<int>(c), static_cast<int>(k) + 1), shown[c][k]) << "row " << k + 1;
      }
    }

    // The first zone description after a sketch: the types by their ids, values trimmed, an
    // SI U-factor and cost converted with its own rounded factors.
    ASSERT_NO_THROW(shell::ReadTypeCatalogue(project, e.kind));
    const model::TypeColumn& desc = e.kind == 1 ? project.WallDesc : project.WinDesc;
    const model::TypeColumn& u = e.kind == 1 ? project.WallU : project.WinU;
    const model::TypeColumn& cost = e.kind == 1 ? project.WallCost : project.WinCost;
    const model::TypeColumn& c3 = e.kind == 1 ? project.WallLag : project.WinEmiss;
    for (std::size_t k = 0; k < kEntries; ++k) {
      SCOPED_TRACE(k + 1);
      if (k >= entries) {
        EXPECT_EQ(desc[k + 1], "");
        continue;
      }
      EXPECT_EQ(desc[k + 1], shown[1][k]);
      EXPECT_EQ(c3[k + 1], Trimmed(shown[4][k]));
      for (const auto& [column, value] : {std::pair{2, &u}, std::pair{6, &cost}}) {
        const std::string& cell = shown[static_cast<std::size_t>(column)][k];
        if (e.units == model::kInchPound) {
          EXPECT_EQ((*value)[k + 1], Trimmed(cell));
        } else {
          const double want = model::Val(cell);
          EXPECT_NEAR(model::Val((*value)[k + 1]), want, 0.01 * std::fabs(want) + 0.01);
        }
      }
    }
  }
}

// The installed wall catalogue, and its first three entries, cut at every byte of their last
// line (cut at byte 176, entry 3's cost "16.00" would read "1"): every reader of a catalogue,
// the catalogue window, the type table and the zone-description start-up, reads it whole or
// refuses it as cut short, in either unit system.
TEST(CatalogFile, a_catalogue_cut_inside_its_last_line_is_read_whole_or_refused_as_cut) {
  const std::string installed = Installed("bprof6.dat");
  const std::string three = model::test::FirstLines(installed, 21);
  ASSERT_EQ(three.substr(175), "16.00\r\n");  // byte 176 is its "1"
  Base base;
  const fs::path path = base.dir / "profiles/bprof6.dat";
  for (const std::string& whole : {three, installed}) {
    for (const int units : {model::kInchPound, model::kSI}) {
      SCOPED_TRACE(std::to_string(whole.size()) + " bytes, units " + std::to_string(units));
      const auto window = [units](const std::string& p) { return ReadCatalogFile(p, units); };
      const auto start = [&base, units](const std::string&) {
        model::ProjectModel m;
        m.AppDir = base.dir.string();
        m.UnitSystem = static_cast<int16_t>(units);
        shell::ReadTypeCatalogue(m, 1);
        return std::make_pair(m.WallDesc, m.WallCost);
      };
      const auto table = [units](const std::string& p) {
        model::ProjectModel m;
        m.UnitSystem = static_cast<int16_t>(units);
        return ReadPropertyTable(m, 1, p).rows;
      };
      // Only the cut after the CR, which leaves the value and the CR of its line end, reads.
      EXPECT_EQ(model::test::ExpectEveryCutOfLastLine(path, whole, window), 2);
      EXPECT_EQ(model::test::ExpectEveryCutOfLastLine(path, whole, start), 2);
      EXPECT_EQ(model::test::ExpectEveryCutOfLastLine(path, whole, table), 2);
    }
  }
}

TEST(CatalogRoundTrip, entries_are_counted_by_their_seven_lines_in_every_reader) {
  // An emptied last field, blank lines after the last entry, and one line too few.
  const std::string emptiedLast = Entries(2).substr(0, Entries(2).size() - 3) + "\r\n";
  struct Case {
    std::string text;
    std::optional<std::size_t> entries;  // none: the wrong format
  };
  const std::vector<Case> cases{
      {emptiedLast, 2},
      {Entries(2) + "\r\n\r\n   \r\n", 2},
      {Entries(2) + std::string(7 * 2, '\n'), 2},
      {Entries(2).substr(0, Entries(2).size() - 3), std::nullopt},
      {Entries(2) + "3\r\nType 3\r\n", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    Base base;
    model::ProjectModel m;
    m.AppDir = base.dir.string();
    std::ofstream(base.dir / "profiles/bprof7.dat", std::ios::binary) << c.text;
    if (!c.entries) {
      EXPECT_THROW(ReadCatalog(c.text, model::kInchPound), model::FileError);
      EXPECT_THROW(LoadPropertyTable(m, 2, c.text), model::FileError);
      EXPECT_THROW(shell::ReadTypeCatalogue(m, 2), model::FileError);
      continue;
    }
    const CatalogTable t = ReadCatalog(c.text, model::kInchPound);
    EXPECT_EQ(t[0][*c.entries - 1], std::to_string(*c.entries));
    EXPECT_EQ(t[0][*c.entries], "");
    ASSERT_NO_THROW(shell::ReadTypeCatalogue(m, 2));
    EXPECT_EQ(m.WinDesc[*c.entries], "Wall type " + std::to_string(*c.entries));
    EXPECT_EQ(m.WinDesc[*c.entries + 1], "");
  }
}


class CatalogWindowTest : public test::EnvelopeTest {
 protected:
  void TearDown() override {
    delete CatalogWindow();
    test::EnvelopeTest::TearDown();
  }
};

TEST_F(CatalogWindowTest, edits_are_saved_on_update_and_asked_about_on_ok) {
  base.write("profiles/bprof6.dat", Entries(3));
  ASSERT_TRUE(OpenCatalog(1));
  catalog& w = *CatalogWindow();
  EXPECT_TRUE(w.windowTitle().startsWith("WALL AND ROOF CATALOG -- "));
  EXPECT_EQ(w.Cell(1, 2)->text(), "Wall type 3");
  // Nothing typed: no message, nothing written.
  w.Command1_Click();
  EXPECT_TRUE(boxes.asked.empty());
  // A letter in a numeric cell is refused with the warning; a digit is taken.
  w.Cell(2, 0)->setFocus();
  QTest::keyClicks(w.Cell(2, 0), "a");
  EXPECT_EQ(boxes.asked.back().text, "You should use numerical value.");
  QTest::keyClicks(w.Cell(2, 0), "5");
  EXPECT_EQ(w.Cell(2, 0)->text(), "0.15");
  w.Command1_Click();
  EXPECT_EQ(boxes.asked.back().text, "The wall catalog has been updated.");
  EXPECT_EQ(model::SplitLines(base.read("profiles/bprof6.dat"))[2], "0.15");
  // Copy a description and paste it: OK asks, No leaves the file.
  const std::string saved = base.read("profiles/bprof6.dat");
  QTest::keyClick(w.Cell(1, 0), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(w.Cell(1, 1), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.Cell(1, 1)->text(), "Wall type 1");
  EXPECT_TRUE(w.Edited());
  w.OK_Click();
  EXPECT_EQ(boxes.asked.back().text,
            "The wall data you have just editted have not been saved.  Update the database now?");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(CatalogWindow(), nullptr);
  EXPECT_EQ(base.read("profiles/bprof6.dat"), saved);
}

TEST_F(CatalogWindowTest, scrolling_shows_later_entries_and_a_wrong_id_saves_nothing) {
  base.write("profiles/bprof7.dat", Entries(20));
  ASSERT_TRUE(OpenCatalog(2));
  catalog& w = *CatalogWindow();
  EXPECT_EQ(w.Label1(3)->text(), "SHGC");
  w.envscroll()->setValue(12);
  EXPECT_EQ(w.Cell(0, 0)->text(), "12");
  EXPECT_EQ(w.Cell(0, 8)->text(), "20");
  w.Cell(1, 8)->setFocus();
  QTest::keyClicks(w.Cell(1, 8), "x");
  EXPECT_EQ(w.Table()[1][19], "Wall type 20x");
  w.Cell(0, 0)->setText("99");
  w.Command1_Click();
  EXPECT_NE(boxes.asked.back().text.find("entry 12"), std::string::npos);
  EXPECT_EQ(base.read("profiles/bprof7.dat"), Entries(20));
}

// An empty or cut catalogue opens no empty window: the box says what the file is and names
// it, and the file stays as it was.
TEST_F(CatalogWindowTest, an_empty_or_cut_catalogue_says_so_naming_the_file_and_opens_no_window) {
  const std::string path = base.path("profiles/bprof6.dat").string();
  for (const auto& [bytes, said] : {std::pair<std::string, std::string>{"", "because it is empty"},
                                    {Entries(2) + "3\r\nWall type 3\r\n", "because it is cut short"}}) {
    SCOPED_TRACE(said);
    base.write("profiles/bprof6.dat", bytes);
    boxes.asked.clear();
    EXPECT_FALSE(OpenCatalog(1));
    EXPECT_EQ(CatalogWindow(), nullptr);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_NE(boxes.asked[0].text.find(said), std::string::npos) << boxes.asked[0].text;
    EXPECT_NE(boxes.asked[0].text.find(model::BoxName(path)), std::string::npos) << boxes.asked[0].text;
    EXPECT_EQ(base.read("profiles/bprof6.dat"), bytes);
  }
}

TEST_F(CatalogWindowTest, a_catalogue_that_cannot_be_read_opens_no_window) {
  base.write("profiles/bprof6.dat", Entries(32));
  EXPECT_FALSE(OpenCatalog(1));
  EXPECT_EQ(CatalogWindow(), nullptr);
  EXPECT_EQ(boxes.asked.back().title.rfind("Kalvano Error # ", 0), 0u);
}

// The result of `action`, run as an ordinary user (tests/unprivileged.h), so that a read-only
// file stays read-only: what it does to the window stays in the child when run as root, what
// it does to files is seen here.
int ErrorAsUser(const std::function<int()>& action) { return kalvano::test::AsUnprivileged(action); }

TEST_F(CatalogWindowTest, a_failed_write_is_reported_and_leaves_the_catalogue_as_it_was) {
  base.write("profiles/bprof6.dat", Entries(3));
  ASSERT_TRUE(OpenCatalog(1));
  catalog& w = *CatalogWindow();
  w.Cell(1, 0)->setFocus();
  QTest::keyClicks(w.Cell(1, 0), "x");
  ASSERT_TRUE(w.Edited());
  for (const fs::path& folder : {base.dir(), base.path("profiles")}) fs::permissions(folder, fs::perms::all);
  fs::permissions(base.path("profiles/bprof6.dat"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const int error = ErrorAsUser([&] {
    w.Command1_Click();
    if (boxes.asked.size() != 1 || !w.Edited()) return 1;
    return boxes.asked[0].title == model::FileErrorTitle(model::kErrPermissionDenied) ? 0 : 2;
  });
  ASSERT_NE(error, 255) << "cannot become an ordinary user";
  EXPECT_EQ(error, 0);
  EXPECT_EQ(base.read("profiles/bprof6.dat"), Entries(3));
  for (const auto& entry : fs::directory_iterator(base.path("profiles"))) {
    EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();  // no temporary file left
  }
}

// Database items 1 and 2 of the main menu open their catalogue; the tutorial of each shows
// its help text or reports its absence without a viewer. IDs take digits only.
TEST_F(CatalogWindowTest, the_database_menu_opens_each_catalogue_with_its_tutorial) {
  base.write("profiles/bprof6.dat", Entries(3));
  base.write("profiles/bprof7.dat", Entries(4));
  shell::ClearWindowOpeners();
  EXPECT_FALSE(shell::ItemWindowBuilt(shell::MenuItem::dbase1));
  // As the program does: the opener is registered before the main menu is made.
  shell::RegisterWindowOpener(shell::window::catalog, [](int item) { OpenCatalog(item); });
  struct Case {
    shell::MenuItem item;
    const char* caption;
    const char* entry4;
    const char* help;
    const char* helpCaption;
  };
  const Case cases[] = {
      {shell::MenuItem::dbase1, "WALL AND ROOF CATALOG -- New_Project", "", "helpinfo/help7.txt",
       "WALL AND ROOF PROPERTIES -- New_Project"},
      {shell::MenuItem::dbase2, "WINDOW AND SKYLIGHT CATALOG -- New_Project", "Wall type 4",
       "helpinfo/help8.txt", "WINDOW AND SKYLIGHT PROPERTIES -- New_Project"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    boxes.asked.clear();
    auto* item = qobject_cast<QAction*>(shell::MainMenu().Control(c.item));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    catalog* w = CatalogWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle().toStdString(), c.caption);
    EXPECT_EQ(w->Cell(1, 3)->text().toStdString(), c.entry4);
    w->Cell(0, 3)->setFocus();
    const int beeps = boxes.beeps;
    QTest::keyClicks(w->Cell(0, 3), "4a");
    EXPECT_EQ(w->Cell(0, 3)->text().toStdString(), std::string(c.entry4).empty() ? "4" : "44");
    EXPECT_EQ(boxes.beeps, beeps + 1);
    EXPECT_TRUE(boxes.asked.empty());  // the letter only beeps
    w->help_Click();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
    EXPECT_FALSE(shell::LearningWindow().isVisible());
    base.write(c.help, "Help text.\r\n");
    w->help_Click();
    EXPECT_TRUE(shell::LearningWindow().isVisible());
    EXPECT_EQ(shell::LearningWindow().windowTitle().toStdString(), c.helpCaption);
    shell::LearningWindow().close();
    delete w;
  }
  shell::ClearWindowOpeners();
}

TEST_F(CatalogWindowTest, pictures_in_both_unit_systems) {
  const fs::path folder = shell::test::PictureFolder();
  fs::create_directories(folder);
  base.write("profiles/bprof6.dat", Installed("bprof6.dat"));
  for (int units : {model::kInchPound, model::kSI}) {
    shell::Model().UnitSystem = static_cast<int16_t>(units);
    ASSERT_TRUE(OpenCatalog(1));
    CatalogWindow()->grab().save(QString::fromStdString(
        (folder / (units == model::kSI ? "catalog_si.png" : "catalog_ip.png")).string()));
    delete CatalogWindow();
  }
}

}  // namespace
}  // namespace kalvano::envelope
