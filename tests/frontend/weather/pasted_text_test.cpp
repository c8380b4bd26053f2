// Text pasted into the weather window's filtered boxes passes their key filters as typed text
// does: the state, city and station texts, the station values and the monthly values.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/shell/session.h"
#include "frontend/weather/weatherwin.h"
#include "tests/frontend/shell/typed_paste_support.h"
#include "tests/frontend/weather/weather_test_support.h"

namespace kalvano::weather {
namespace {

using shell::test::FilteredBox;

class PastedText : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    std::filesystem::create_directories(base.path("weather"));
    base.write("weather/weth.asc", test::Library("10.1"));
  }
  void TearDown() override {
    Close();
    ShellTest::TearDown();
  }
  static void Close() {
    delete WeatherWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // The weather window of a fresh project.
  weather* Open() {
    shell::Model() = model::ProjectModel();
    shell::Model().AppDir = base.dir().string();
    OpenWeatherWindow();
    return WeatherWindow();
  }
  // A box of the window once it is open.
  FilteredBox Row(const std::string& name, QLineEdit* (*box)(weather&)) {
    return {name, [this, box]() -> QLineEdit* {
              weather* w = Open();
              return w != nullptr ? box(*w) : nullptr;
            }};
  }
};

TEST_F(PastedText, every_filtered_box_of_the_weather_window_takes_a_paste_as_typed_text) {
  std::vector<FilteredBox> rows{
      Row("state", [](weather& w) { return w.sttext(); }),
      Row("city", [](weather& w) { return w.citytext(); }),
      Row("station number", [](weather& w) { return w.WMO(); }),
      Row("latitude", [](weather& w) { return w.Station(0); }),
      Row("longitude", [](weather& w) { return w.Station(1); }),
      Row("time meridian", [](weather& w) { return w.Station(2); }),
      Row("elevation", [](weather& w) { return w.Station(3); }),
  };
  for (int row = 1; row <= 10; ++row) {
    rows.push_back({"month row " + std::to_string(row), [this, row]() -> QLineEdit* {
                      weather* w = Open();
                      return w != nullptr ? w->Month(row, 3) : nullptr;
                    }});
  }
  for (const FilteredBox& row : rows) ExpectPasteAsTyped(row, &Close, boxes);
}

}  // namespace
}  // namespace kalvano::weather
