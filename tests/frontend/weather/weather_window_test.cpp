// The weather window offscreen: choosing a state and a city, deriving deviations from
// extremes, the numeric key filter, saving into the library and accepting the weather into the
// project.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "frontend/model/atomic_file.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/session.h"
#include "frontend/weather/weatherlib.h"
#include "frontend/weather/weatherwin.h"
#include "tests/frontend/weather/weather_test_support.h"
#include "shell_test_support.h"

namespace kalvano::weather {
namespace {

namespace fs = std::filesystem;

std::string Library() { return test::Library("10.1"); }

// Types `text` into `box` key by key; characters beyond ASCII come as key presses that carry
// only their text, as an input method gives them.
void Type(QLineEdit* box, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClick(box, c.toLatin1());
    } else {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
    }
  }
}

class WeatherWindowTest : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    fs::create_directories(base.path("weather"));
    base.write("weather/weth.asc", Library());
    shell::Model().AppDir = base.dir().string();
  }
  void TearDown() override {
    if (WeatherWindowOpen()) delete kalvano::weather::WeatherWindow();
    shell::ClearWindowOpeners();
    shell::test::ShellTest::TearDown();
  }
  static bool WeatherWindowOpen() { return kalvano::weather::WeatherWindow() != nullptr; }
  weather& Open() {
    OpenWeatherWindow();
    EXPECT_NE(kalvano::weather::WeatherWindow(), nullptr);
    return *kalvano::weather::WeatherWindow();
  }
  // With Denver accepted as the project's weather in `units`, the window opened again and
  // `change`d, then OK: one message `message` says why, the window stays open and the project
  // keeps its weather.
  void ExpectOkRefused(int16_t units, const std::function<void(weather&)>& change, const std::string& message) {
    model::ProjectModel& m = shell::Model();
    m.UnitSystem = units;
    weather& w = Open();
    w.Combo1_Click(1);
    w.mainmenu_Click();  // the library's record as it stands is accepted
    QTest::qWait(10);
    ASSERT_EQ(kalvano::weather::WeatherWindow(), nullptr);
    const auto before = m.WeatherBlock;
    weather& again = Open();
    change(again);
    boxes.asked.clear();
    again.mainmenu_Click();
    QTest::qWait(10);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, message);
    EXPECT_EQ(boxes.asked[0].title, "Error");
    EXPECT_EQ(kalvano::weather::WeatherWindow(), &again);
    EXPECT_EQ(m.WeatherBlock, before);
    delete &again;
  }
};

TEST_F(WeatherWindowTest, opens_centred_on_the_screen) {
  EXPECT_TRUE(shell::test::CentredOnScreen(Open()));
}

TEST_F(WeatherWindowTest, choosing_a_state_shows_its_first_city_and_values) {
  weather& w = Open();
  ASSERT_EQ(w.Combo1()->count(), 2);
  w.Combo1_Click(0);
  EXPECT_EQ(w.sttext()->text(), "Alabama");
  EXPECT_EQ(w.Combo3()->count(), 2);
  EXPECT_EQ(w.citytext()->text(), "Anniston");
  EXPECT_EQ(w.WMO()->text(), "72228");
  EXPECT_EQ(w.Station(0)->text(), " 33.6");
  EXPECT_EQ(w.Month(1, 1)->text(), "   40");
  EXPECT_EQ(w.Month(9, 5)->text(), "0.0");
  EXPECT_EQ(w.SourceMark(), "*");
  w.Combo3_Click(1);
  EXPECT_EQ(w.WMO()->text(), "72229");
  // A typed state does not choose one: a city of another state is not loaded.
  w.sttext()->setText("Colorado");
  w.citytext()->setText("Denver");
  w.Combo3()->clear();
  w.Combo3()->addItem("Denver");
  w.Combo3_Click(0);
  EXPECT_EQ(w.WMO()->text(), "72229");
}

TEST_F(WeatherWindowTest, si_shows_library_values_converted) {
  shell::Model().UnitSystem = model::kSI;
  weather& w = Open();
  EXPECT_EQ(w.Unit(8)->text(), "m/sec.");
  w.Combo1_Click(1);
  EXPECT_EQ(w.Month(8, 1)->text(), "  4.5");
}

TEST_F(WeatherWindowTest, extremes_give_the_deviations) {
  weather& w = Open();
  w.Combo1_Click(0);
  w.Month(3, 2)->setText("90");
  w.Month(9, 2)->clear();
  QTest::keyClicks(w.Month(9, 2), "100");
  EXPECT_EQ(w.Month(4, 2)->text(), " 4.7");
  EXPECT_EQ(w.Month(2, 2)->text(), " 4.1");
  EXPECT_EQ(w.Month(6, 2)->text(), " 4.1");
  w.Month(10, 2)->clear();
  QTest::keyClicks(w.Month(10, 2), "100");
  EXPECT_EQ(w.Month(4, 2)->text(), " 3.2");
}

TEST_F(WeatherWindowTest, month_boxes_take_numbers_only) {
  weather& w = Open();
  w.Month(1, 1)->setText("5");
  QTest::keyClicks(w.Month(1, 1), "a");
  EXPECT_EQ(w.Month(1, 1)->text(), "5");
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().text, "Please use numerical values.");
  EXPECT_EQ(boxes.asked.back().title, "Error");
  QTest::keyClicks(w.Month(1, 1), "-.");
  EXPECT_EQ(w.Month(1, 1)->text(), "5-.");
  // The texts that the library keeps in quotes, keys by the city's first comma and ends at
  // the state's mark refuse those characters; the station number takes marks and commas.
  struct Case {
    QLineEdit* box;
    QString typed, kept;
  };
  const Case cases[] = {
      {w.citytext(), "ab,\"!c#*@d", "ABCD"},
      {w.sttext(), "ne\"w!#*@ york, ny", "NEW YORK, NY"},
      {w.WMO(), "72\"5!#, 3", "725!#, 3"},
      {w.citytext(), QString("k") + QChar(0x0141) + QChar(0xE9) + "z", QString("K") + QChar(0xE9) + "Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    c.box->clear();
    Type(c.box, c.typed);
    EXPECT_EQ(c.box->text(), c.kept);
  }
}

TEST_F(WeatherWindowTest, saves_write_the_library_and_refuse_what_they_cannot_save) {
  weather& w = Open();
  w.Combo1_Click(0);
  w.savenew_Click();
  EXPECT_EQ(boxes.asked.back().text, kNoNewData);
  // An edited city saved as new lands in its state's block.
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "Mobile");
  w.savenew_Click();
  std::vector<LibraryRecord> r = ParseLibrary(base.read("weather/weth.asc"));
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(CityKey(r[2].cityString), "MOBILE");
  // An update replaces the record of the city typed, not the one loaded.
  w.Combo1_Click(0);  // Anniston loaded
  w.citytext()->setText("Auburn");
  w.WMO()->clear();
  QTest::keyClicks(w.WMO(), "99999");
  w.saveupdate_Click();
  r = ParseLibrary(base.read("weather/weth.asc"));
  EXPECT_EQ(r[0].station, "72228");
  EXPECT_EQ(r[1].station, "99999");
  // A city the library lacks.
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "Nowhere");
  w.saveupdate_Click();
  EXPECT_EQ(boxes.asked.back().text, kNotInLibrary);
  // An empty month box, or one holding only the marks the key filter lets through: a
  // message names the box and nothing is written.
  const std::string before = base.read("weather/weth.asc");
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "Selma");
  for (const char* typed : {"", "-.", "5-"}) {
    SCOPED_TRACE(typed);
    w.Month(5, 7)->clear();
    QTest::keyClicks(w.Month(5, 7), typed);
    boxes.asked.clear();
    w.savenew_Click();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked.back().text,
              "Every monthly value must be a number.  Please complete row 5, month 7.");
    EXPECT_EQ(base.read("weather/weth.asc"), before);
    EXPECT_TRUE(w.DataEdited());
  }
}

// A city saved with one box changed, in either unit system: the library holds inch-pound values,
// which the window shows rounded to one decimal and, in SI, converted. Every value whose box the
// user did not change, the station values too, is saved as the library held it, byte for byte,
// however often the city is loaded, changed and saved again.
TEST_F(WeatherWindowTest, a_saved_city_keeps_the_values_the_user_did_not_change) {
  const std::string installed = model::ReadWholeFile(std::string(KALVANO_SOURCE_DIR) + "/data/weather/weth.asc");
  struct Case {
    int16_t units;
    const char* typed;  // into January's dry-bulb mean
    const char* field;  // as the library then holds it
  };
  const Case cases[] = {{model::kInchPound, "23.5", "  23.5"}, {model::kSI, "-4.9", "  23.2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    base.write("weather/weth.asc", installed);
    shell::Model().UnitSystem = c.units;
    weather& w = Open();
    const int state = w.Combo1()->findText("Illinois");
    ASSERT_GE(state, 0);
    w.Combo1_Click(state);
    const int city = w.Combo3()->findText("Chicago");
    ASSERT_GE(city, 0);
    // The library as it was, but for Chicago's January dry-bulb mean; the city string written
    // from the city and state boxes holds no mark.
    const std::size_t record = installed.find("\"Chicago, Illinois *");
    ASSERT_NE(record, std::string::npos);
    std::string expected = installed;
    expected.replace(record, 20, "\"Chicago, Illinois  ");
    expected.replace(installed.find('\n', record) + 1, 6, c.field);
    for (int save = 1; save <= 3; ++save) {
      SCOPED_TRACE(save);
      w.Combo3_Click(city);  // loaded as the library now holds it
      ASSERT_EQ(w.citytext()->text(), "Chicago");
      w.Month(1, 1)->clear();
      QTest::keyClicks(w.Month(1, 1), c.typed);
      w.saveupdate_Click();
      EXPECT_FALSE(w.DataEdited());
      // Where the library first differs, if it does (the whole text is too long to print).
      const std::string saved = base.read("weather/weth.asc");
      const auto at = static_cast<std::size_t>(
          std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end()).first - saved.begin());
      EXPECT_EQ(saved.substr(at < 80 ? 0 : at - 80, 160), expected.substr(at < 80 ? 0 : at - 80, 160));
      EXPECT_EQ(saved.size(), expected.size());
    }
    delete &w;
  }
}

// A value the library cannot hold as entered: a message names the box and the library stays
// as it was, so the window can always load it again.
TEST_F(WeatherWindowTest, a_value_the_library_cannot_hold_is_refused_naming_its_box) {
  struct Case {
    int16_t units;
    int row, month;  // a month box; row 0: the station number
    const char* typed;
    std::string message;
  };
  const std::string nothing = "  Nothing has been saved.";
  const std::string range =
      " does not fit the weather library, whose monthly values run from -99.9 to 999.9 (solar "
      "from -9999 to 99999) in inch-pound units." + nothing;
  // An SI window quotes the limits of the box's row, converted, in its unit.
  const std::string siRange =
      " does not fit the weather library, whose values in this row run from -73.3 to 537.7 (Deg. C)." + nothing;
  const std::vector<Case> cases{
      {model::kInchPound, 1, 2, "-100.5", "Row 1, month 2: -100.5" + range},
      // A whole number beyond the limits is refused though its text would fit the field.
      {model::kInchPound, 1, 2, "1000", "Row 1, month 2: 1000" + range},
      {model::kSI, 1, 2, "999.9", "Row 1, month 2: 999.9" + siRange},
      {model::kSI, 1, 2, "5000", "Row 1, month 2: 5000" + siRange},
      {model::kSI, 1, 2, "-73.6", "Row 1, month 2: -73.6" + siRange},
      {model::kSI, 3, 6, "190000000000000000000000000000000000000",
       "Row 3, month 6: 190000000000000000000000000000000000000" + siRange},
      {model::kInchPound, 0, 0, "-72228\"", "The station number must not contain a double quote (\")." + nothing},
  };
  const std::string before = base.read("weather/weth.asc");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    shell::Model().UnitSystem = c.units;
    weather& w = Open();
    w.Combo1_Click(0);
    QLineEdit* box = c.row == 0 ? w.WMO() : w.Month(c.row, c.month);
    box->setText(c.typed);  // a paste passes the key filter
    QTest::keyClick(w.Month(8, 1), '1');
    boxes.asked.clear();
    w.saveupdate_Click();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, c.message);
    EXPECT_EQ(boxes.asked[0].title, "Error");
    EXPECT_EQ(base.read("weather/weth.asc"), before);
    EXPECT_TRUE(w.DataEdited());
    delete &w;
  }
}

// A write that fails part way leaves the library whole: the failure is reported, no work
// file is left beside it, and the edits stay to be saved again.
TEST_F(WeatherWindowTest, a_failed_write_leaves_the_library_as_it_was) {
  const std::string before = base.read("weather/weth.asc");
  struct Case {
    const char* what;
    void (weather::*save)();
  };
  for (const Case& c : {Case{"save as new", &weather::savenew_Click}, Case{"save as update", &weather::saveupdate_Click}}) {
    SCOPED_TRACE(c.what);
    weather& w = Open();
    w.Combo1_Click(0);
    w.WMO()->clear();
    QTest::keyClicks(w.WMO(), "99999");
    // Files of this process may not grow beyond 512 bytes while it saves.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 512;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    boxes.asked.clear();
    (w.*c.save)();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked.back().title.rfind("Kalvano Error # ", 0), 0u) << boxes.asked.back().title;
    EXPECT_EQ(base.read("weather/weth.asc"), before);
    for (const auto& entry : fs::directory_iterator(base.path("weather"))) {
      EXPECT_EQ(entry.path().filename().string(), "weth.asc");
    }
    EXPECT_TRUE(w.DataEdited());
    // Saved again once the write can succeed.
    (w.*c.save)();
    EXPECT_FALSE(w.DataEdited());
    EXPECT_EQ(ParseLibrary(base.read("weather/weth.asc"))[c.save == &weather::savenew_Click ? 2 : 0].station, "99999");
    base.write("weather/weth.asc", before);
    delete kalvano::weather::WeatherWindow();
  }
}

// Deleting the window while its state box has the focus (the program ending, a test tearing
// down): the focus leaves the box while the window is taken apart, and the box's lost-focus
// refill must not run on the window's library records, already gone by then.
TEST_F(WeatherWindowTest, deleting_the_window_with_the_focus_in_the_state_box_runs_no_refill) {
  weather& w = Open();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.sttext()->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(w.sttext()->hasFocus());
  bool refilled = false;
  QObject::connect(w.Combo3(), &QComboBox::currentIndexChanged, [&refilled] { refilled = true; });
  w.Combo1_Click(0);  // a city list that a refill would empty
  refilled = false;
  delete &w;
  EXPECT_FALSE(refilled);
}

// The state list holds one entry per state block at every load, and the blocks' first
// records and counts are those of the library as it is now.
TEST_F(WeatherWindowTest, the_state_list_is_rebuilt_at_every_load) {
  delete &Open();
  weather& w = Open();
  ASSERT_EQ(w.Combo1()->count(), 2);
  // Into Alabama, then a state of its own, which reloads the list.
  w.Combo1_Click(0);
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "Mobile");
  w.savenew_Click();
  w.sttext()->clear();
  QTest::keyClicks(w.sttext(), "Ontario");
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "Ottawa");
  w.savenew_Click();
  ASSERT_EQ(w.Combo1()->count(), 3);
  EXPECT_EQ(w.Combo1()->itemText(0), "Alabama");
  EXPECT_EQ(w.Combo1()->itemText(1), "Colorado");
  EXPECT_EQ(w.Combo1()->itemText(2), "ONTARIO");
  w.Combo1_Click(0);
  EXPECT_EQ(w.Combo3()->count(), 3);
  EXPECT_EQ(w.Combo3()->itemText(2), "MOBILE");
  w.Combo1_Click(1);
  EXPECT_EQ(w.Combo3()->count(), 1);
  EXPECT_EQ(w.citytext()->text(), "Denver");
  EXPECT_EQ(w.WMO()->text(), "72565");
  w.Combo1_Click(2);
  EXPECT_EQ(w.citytext()->text(), "OTTAWA");
  EXPECT_EQ(w.SourceMark(), "!");
}

TEST_F(WeatherWindowTest, ok_makes_the_weather_the_projects) {
  model::ProjectModel& m = shell::Model();
  // Opened by the project information window's "Get Weather".
  shell::RegisterWindowOpener(shell::window::weather, [](int) { OpenWeatherWindow(); });
  shell::projectinfo& info = shell::ProjectInfoWindow();
  info.show();
  info.getweather_Click();
  ASSERT_NE(kalvano::weather::WeatherWindow(), nullptr);
  weather& w = *kalvano::weather::WeatherWindow();
  w.Combo1_Click(1);
  w.mainmenu_Click();
  QTest::qWait(10);
  EXPECT_EQ(kalvano::weather::WeatherWindow(), nullptr);
  EXPECT_EQ(m.ProjectData[3], "Denver, Colorado *");
  EXPECT_EQ(info.projectid(3)->text().toStdString(), m.ProjectData[3]);
  EXPECT_EQ(m.WeatherFromProjInfo, 0);
  EXPECT_EQ(m.StepFlags[2], 1);
  EXPECT_EQ(m.WeatherEntered, 1);
  EXPECT_EQ(m.WeatherBlock[2].substr(50, 5), "72565");
  EXPECT_FALSE(m.DesTemps[1].empty());
  // Opened again, the window shows the project's own block.
  weather& again = Open();
  EXPECT_EQ(again.citytext()->text(), "Denver");
  EXPECT_EQ(again.WMO()->text(), "72565");
  // Edited values: Yes keeps the window open and the project's weather as it was.
  const std::string block = m.WeatherBlock[4];
  again.Month(1, 1)->clear();
  QTest::keyClicks(again.Month(1, 1), "99");
  boxes.answers.push_back(shell::MsgAnswer::Yes);
  again.mainmenu_Click();
  EXPECT_NE(kalvano::weather::WeatherWindow(), nullptr);
  EXPECT_EQ(m.WeatherBlock[4], block);
}

// OK with a month value that the project's weather block would not read back as typed, or that
// lies beyond what a run accepts for its row: a message names the box and quotes the row's
// range in the unit shown, the window stays open and the project keeps its weather.
TEST_F(WeatherWindowTest, ok_refuses_a_value_the_block_would_not_read_back_naming_its_box) {
  struct Case {
    int16_t units;
    int row, month;
    const char* typed;
    std::string range;
  };
  const std::string range = " does not fit the project's weather data, whose ";
  const std::string ipTemperature = "values in this row run from -99.9 to 150 (Deg. F).";
  const std::string siTemperature = "values in this row run from -73.3 to 65.5 (Deg. C).";
  const std::string correct = "  Please correct the value.";
  // The window quotes the limits of the box's row in its unit: within what the block's five
  // columns hold as shown and what a run accepts (in SI, of the inch-pound values converted).
  const std::vector<Case> cases{
      {model::kInchPound, 1, 1, "-100.5", ipTemperature},
      {model::kInchPound, 1, 6, "1000.5", ipTemperature},
      {model::kInchPound, 1, 6, "1000", ipTemperature},
      {model::kInchPound, 1, 6, "150.1", ipTemperature},
      {model::kInchPound, 7, 6, "5001", "values in this row run from 0 to 5000 (Btu/sq.ft.)."},
      {model::kInchPound, 8, 6, "-1", "values in this row run from 0 to 150 (Miles/hr.)."},
      {model::kSI, 1, 6, "999.9", siTemperature},
      {model::kSI, 1, 6, "1000", siTemperature},
      {model::kSI, 1, 6, "5000", siTemperature},
      {model::kSI, 1, 6, "-73.6", siTemperature},
      {model::kSI, 1, 6, "65.6", siTemperature},
      {model::kSI, 2, 6, "55.6", "values in this row run from 0 to 55.5 (Deg. C)."},
      {model::kSI, 7, 1, "123456", "values in this row run from -6 to 56787 (kJ/sq.m.)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ExpectOkRefused(
        c.units,
        [&c](weather& w) { w.Month(c.row, c.month)->setText(c.typed); },  // a paste passes the key filter
        "Row " + std::to_string(c.row) + ", month " + std::to_string(c.month) + ": " + c.typed + range + c.range +
            correct);
  }
}

// OK with a station value that the engine would read otherwise than the window shows it: a
// message names the box, the window stays open and the project keeps its weather.
TEST_F(WeatherWindowTest, ok_refuses_a_station_value_the_engine_would_read_otherwise) {
  struct Case {
    int16_t units;
    const char* meridian;
    int box;  // 0 latitude .. 3 elevation
    const char* typed;
    const char* name;
  };
  const Case cases[] = {
      {model::kInchPound, "90", 0, "33-", "latitude"},
      {model::kSI, "90", 0, "4.2.1", "latitude"},
      {model::kInchPound, "82.5", 3, "1234.5", "elevation"},
      {model::kSI, "90", 3, "600-", "elevation"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ExpectOkRefused(c.units,
                    [&c](weather& w) {
                      w.Station(2)->setText(c.meridian);
                      w.Station(c.box)->setText(c.typed);  // a paste passes the key filter
                    },
                    std::string("The ") + c.name + " " + c.typed +
                        " would not be read as entered in the project's weather data, where the station values "
                        "stand side by side.  Please enter a number with any minus sign in front, at most one "
                        "decimal point and at most five characters unless it begins with a minus sign.");
  }
}

// OK with a station value beyond what a run accepts: the message names the box and the range
// in the unit shown, and the project keeps its weather.
TEST_F(WeatherWindowTest, ok_refuses_a_station_value_beyond_what_a_run_accepts_in_the_unit_shown) {
  ExpectOkRefused(model::kSI, [](weather& w) { w.Station(3)->setText("123456"); },
                  "The elevation 123456 is outside the range that the simulation accepts, which runs from -609.6 "
                  "to 9144.3 (m).  Please correct the value.");
  ExpectOkRefused(model::kInchPound, [](weather& w) { w.Station(3)->setText("30001"); },
                  "The elevation 30001 is outside the range that the simulation accepts, which runs from -2000 "
                  "to 30000 (ft).  Please correct the value.");
  ExpectOkRefused(model::kInchPound, [](weather& w) { w.Station(0)->setText("91"); },
                  "The latitude 91 is outside the range that the simulation accepts, which runs from -90 to 90 "
                  "(degrees).  Please correct the value.");
}

// The lists and the project's weather are loaded once per opening: coming back from the
// tutorial keeps what the user chose, and OK accepts it.
TEST_F(WeatherWindowTest, back_from_the_tutorial_the_boxes_keep_the_choice) {
  model::ProjectModel& m = shell::Model();
  base.write("helpinfo/help5.txt", "How to use the weather window.\r\n");
  // Auburn with standard deviations of 2 F, whose design temperatures a run accepts.
  std::vector<std::string> auburn = model::SplitLines(test::Rows(45, "10.1"));
  for (const std::size_t row : {1, 3, 5}) {
    auburn[row].clear();
    for (int month = 0; month < 12; ++month) auburn[row] += "   2.0";
  }
  std::string library = Library();
  std::string rows;
  for (const std::string& line : auburn) rows += line + "\r\n";
  const std::string held = test::Rows(45, "10.1");
  library.replace(library.find(held), held.size(), rows);
  base.write("weather/weth.asc", library);
  weather& first = Open();
  first.Combo1_Click(1);
  first.mainmenu_Click();
  QTest::qWait(10);
  ASSERT_EQ(m.ProjectData[3], "Denver, Colorado *");
  weather& w = Open();
  ASSERT_EQ(w.citytext()->text(), "Denver");
  w.Combo1_Click(0);
  w.Combo3_Click(1);
  ASSERT_EQ(w.citytext()->text(), "Auburn");
  w.help_Click();
  ASSERT_TRUE(shell::LearningWindow().isVisible());
  EXPECT_EQ(shell::LearningWindow().windowTitle().toStdString().rfind("WEATHER DATA -- ", 0), 0u);
  shell::LearningWindow().close();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&w, &activate);
  w.activateWindow();
  QTest::qWait(10);
  EXPECT_EQ(w.citytext()->text(), "Auburn");
  EXPECT_EQ(w.sttext()->text(), "Alabama");
  EXPECT_EQ(w.WMO()->text(), "72229");
  EXPECT_EQ(w.Combo1()->count(), 2);
  w.mainmenu_Click();
  QTest::qWait(10);
  EXPECT_EQ(m.ProjectData[3], "Auburn, Alabama *");
  EXPECT_EQ(m.WeatherBlock[2].substr(50, 5), "72229");
}

TEST_F(WeatherWindowTest, a_missing_library_is_reported_and_no_window_opens) {
  base.remove("weather/weth.asc");
  OpenWeatherWindow();
  EXPECT_EQ(kalvano::weather::WeatherWindow(), nullptr);
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().title.rfind("Kalvano Error # ", 0), 0u);
}

// An empty or cut library opens no empty window: the box says what the file is and names it,
// and the project's weather, the library and the steps stay as they were.
TEST_F(WeatherWindowTest, an_empty_or_cut_library_says_so_naming_the_file_and_changes_nothing) {
  shell::RegisterWindowOpener(shell::window::weather, [](int) { OpenWeatherWindow(); });
  model::ProjectModel& m = shell::Model();
  m.WeatherBlock[2] = "the project's weather";
  m.ProjectData[3] = "Auburn, Alabama *";
  const std::string path = base.path("weather/weth.asc").string();
  const std::string whole = Library();
  for (const auto& [bytes, said] :
       {std::pair<std::string, std::string>{"", "because it is empty"},
        {whole.substr(0, whole.size() / 2), "because it is cut short"}}) {
    SCOPED_TRACE(said);
    base.write("weather/weth.asc", bytes);
    boxes.asked.clear();
    shell::MainMenu().weatherdata_Click();
    EXPECT_FALSE(WeatherWindowOpen());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_NE(boxes.asked[0].text.find(said), std::string::npos) << boxes.asked[0].text;
    EXPECT_NE(boxes.asked[0].text.find(model::BoxName(path)), std::string::npos) << boxes.asked[0].text;
    EXPECT_EQ(base.read("weather/weth.asc"), bytes);
    EXPECT_EQ(m.WeatherBlock[2], "the project's weather");
    EXPECT_EQ(m.ProjectData[3], "Auburn, Alabama *");
    EXPECT_EQ(m.StepFlags[2], 0);
  }
}

TEST_F(WeatherWindowTest, pictures_in_both_unit_systems) {
  const fs::path folder = shell::test::PictureFolder();
  fs::create_directories(folder);
  for (int units : {model::kInchPound, model::kSI}) {
    shell::Model().UnitSystem = static_cast<int16_t>(units);
    weather& w = Open();
    w.Combo1_Click(0);
    w.resize(1100, 560);
    w.grab().save(QString::fromStdString((folder / (units == model::kSI ? "weather_si.png" : "weather_ip.png")).string()));
    delete kalvano::weather::WeatherWindow();
  }
}

}  // namespace
}  // namespace kalvano::weather
