// The weather window offscreen: choosing a state and a city, deriving deviations from
// extremes, the numeric key filter, saving into the library and accepting the weather into the
// project.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <filesystem>
#include <string>

#include "frontend/model/numtext.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/weather/weatherlib.h"
#include "frontend/weather/weatherwin.h"
#include "shell_test_support.h"

namespace kalvano::weather {
namespace {

namespace fs = std::filesystem;

std::string Rows(int base) {
  std::string rows;
  for (int row = 0; row < 8; ++row) {
    for (int m = 0; m < 12; ++m) {
      std::string f = std::to_string(base + row + m);
      if (row == 7) f = "10.1";
      rows += std::string(6 - f.size(), ' ') + f;
    }
    rows += "\r\n";
  }
  return rows;
}

std::string Library() {
  return "\"AL\",\"Alabama\"\r\n\"Anniston, Alabama *                   \" \"72228\" 33.58  85.85  90  610 \r\n" +
         Rows(40) +
         "\"AL\",\"Alabama\"\r\n\"Auburn, Alabama *                     \" \"72229\" 32.6  85.4  90  774 \r\n" +
         Rows(45) +
         "\"CO\",\"Colorad\"\r\n\"Denver, Colorado *                    \" \"72565\" 39.8  104.9  105  5285 \r\n" +
         Rows(30);
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
};

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
  // City and state boxes keep the library's quotes, commas and marks out.
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "ab,\"!c");
  EXPECT_EQ(w.citytext()->text(), "ABC");
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
  // An empty month box: nothing is written.
  const std::string before = base.read("weather/weth.asc");
  w.citytext()->clear();
  QTest::keyClicks(w.citytext(), "Selma");
  w.Month(5, 7)->clear();
  w.savenew_Click();
  EXPECT_EQ(base.read("weather/weth.asc"), before);
}

TEST_F(WeatherWindowTest, ok_makes_the_weather_the_projects) {
  model::ProjectModel& m = shell::Model();
  weather& w = Open();
  w.Combo1_Click(1);
  w.mainmenu_Click();
  QTest::qWait(10);
  EXPECT_EQ(kalvano::weather::WeatherWindow(), nullptr);
  EXPECT_EQ(m.ProjectData[3], "Denver, Colorado *");
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

TEST_F(WeatherWindowTest, a_missing_library_is_reported_and_no_window_opens) {
  base.remove("weather/weth.asc");
  OpenWeatherWindow();
  EXPECT_EQ(kalvano::weather::WeatherWindow(), nullptr);
  ASSERT_FALSE(boxes.asked.empty());
  EXPECT_EQ(boxes.asked.back().title.rfind("Kalvano Error # ", 0), 0u);
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
