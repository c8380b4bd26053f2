// The temperature picker's hour header over its values, measured on the window's picture.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"
#include "frontend/zones/profilepickers.h"
#include "frontend/zones/temperature.h"
#include "frontend/zones/zoneform.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

using HourHeaderTest = shell::test::ShellTest;

// The middle of each run of dark columns in a strip of a picture; runs less than `gap`
// pixels apart are one (the two digits of "11").
std::vector<double> DarkRuns(const QImage& picture, const QRect& strip, int gap) {
  std::vector<std::pair<int, int>> runs;
  for (int x = strip.left(); x <= strip.right(); ++x) {
    bool dark = false;
    for (int y = strip.top(); y <= strip.bottom() && !dark; ++y) dark = qGray(picture.pixel(x, y)) < 128;
    if (!dark) continue;
    if (!runs.empty() && x - runs.back().second < gap) {
      runs.back().second = x;
    } else {
      runs.emplace_back(x, x);
    }
  }
  std::vector<double> middles;
  for (const auto& [from, to] : runs) middles.push_back((from + to) / 2.0);
  return middles;
}

// Each of the 24 hour numbers of the header is drawn over the middle of the matching value of
// the first row, as the value box itself places its characters, and every value is inside its
// box: in degrees F as the library holds them and in degrees C as they are converted.
TEST_F(HourHeaderTest, temperature_hours_stand_over_their_values_in_both_unit_systems) {
  shell::ClearWindowOpeners();
  model::ProjectModel& m = shell::Model() = test::ThreeZoneProject();
  m.AppDir = base.dir().string();
  m.ProjectFile = "office.inp";
  base.install("profiles/bprof5.dat");
  ASSERT_TRUE(OpenZoneForm(2));
  m.ZoneEdit.ProfPickerKind = 5;
  for (int units : {model::kInchPound, model::kSI}) {
    SCOPED_TRACE(units == model::kSI ? "degrees C" : "degrees F");
    m.UnitSystem = static_cast<int16_t>(units);
    ASSERT_TRUE(ShowTemperaturePicker());
    temperature& w = *TemperatureWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QLineEdit* box = w.Text1(1);
    const QImage picture = w.grab().toImage();
    // The values' middles, from the box's own cursor positions.
    const QString text = box->text();
    std::vector<double> values;
    for (int i = 0; i < text.size();) {
      if (text[i] == ' ') {
        ++i;
        continue;
      }
      const int start = i;
      while (i < text.size() && text[i] != ' ') ++i;
      box->setCursorPosition(start);
      const int from = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
      box->setCursorPosition(i);
      const int to = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
      EXPECT_LT(to, box->width() - 2) << "value " << values.size() + 1 << " beyond its box";
      values.push_back(box->mapTo(&w, QPoint((from + to) / 2, 0)).x());
    }
    ASSERT_EQ(values.size(), 24u) << text.toStdString();
    const QRect header(w.Label1()->mapTo(&w, QPoint(0, 0)), w.Label1()->size());
    const std::vector<double> hours =
        DarkRuns(picture, header, QFontMetrics(w.Label1()->font()).horizontalAdvance('0'));
    ASSERT_EQ(hours.size(), 24u);
    for (std::size_t k = 0; k < 24; ++k) EXPECT_NEAR(hours[k], values[k], 2.5) << "hour " << k + 1;
    UnloadTemperature();
  }
  UnloadZoneForm();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace kalvano::zones
