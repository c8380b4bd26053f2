// The recorded-weather picker offscreen: the path of a typed name, the checks before a file is
// used, the preview, the year question of a custom file, and the copy for the engine.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <string>

#include "frontend/model/atomic_file.h"
#include "frontend/shell/filepicker.h"
#include "frontend/weather/recorded.h"
#include "frontend/weather/selectweth.h"
#include "shell_test_support.h"

namespace kalvano::weather {
namespace {

namespace fs = std::filesystem;

// A weather file of `lines` lines whose records carry the two-digit year `year` in columns 4-5.
std::string WeatherFile(int lines, const std::string& year) {
  std::string text;
  for (int i = 1; i <= lines; ++i) text += "123" + year + " line " + std::to_string(i) + "\r\n";
  return text;
}

class SelectWeather : public shell::test::ShellTest {
 protected:
  void SetUp() override {
    shell::test::ShellTest::SetUp();
    shell::Model().AppDir = base.dir().string();
    shell::Model().Run.AnalysisYear = "2001";
    fs::create_directories(base.path("wx"));
    base.write("wx/site.tm2", WeatherFile(30, "01"));
    base.write("wx/custom.dat", WeatherFile(30, "99"));
    base.write("wx/short.dat", WeatherFile(12, "01"));
  }
  void TearDown() override {
    delete SelectWeatherWindow();
    shell::test::ShellTest::TearDown();
  }
  selectweth& Open() {
    OpenSelectWeather();
    selectweth& w = *SelectWeatherWindow();
    w.Picker()->SetFolder(base.path("wx").string());
    return w;
  }
};

TEST_F(SelectWeather, a_typed_name_is_a_full_path_or_a_name_in_the_folder) {
  selectweth& w = Open();
  w.Text1()->setText("/data/wx/site.tm2");
  EXPECT_EQ(w.WeatherFilePath(), "/data/wx/site.tm2");
  w.Text1()->setText("site.tm2");
  EXPECT_EQ(w.WeatherFilePath(), base.path("wx").string() + "/site.tm2");
  w.Picker()->SetFolder("/");
  EXPECT_EQ(w.WeatherFilePath(), "/site.tm2");
}

TEST_F(SelectWeather, ok_checks_the_name_then_the_format) {
  selectweth& w = Open();
  w.OK_Click();
  EXPECT_EQ(boxes.asked.back().text, "Please enter the weather data file name.");
  w.Text1()->setText("site.tm2");
  w.OK_Click();
  EXPECT_EQ(boxes.asked.back().text, "Please select the weather file format.");
  EXPECT_EQ(boxes.asked.back().title, "Weather File Format");
  w.View_Click();
  EXPECT_NE(w.Preview(), nullptr);
}

TEST_F(SelectWeather, each_option_hands_the_run_its_engine_code_once_the_file_is_copied) {
  struct Case {
    int option;
    int code;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 2}, Case{2, 4}, Case{3, 3}}) {
    SCOPED_TRACE(c.option);
    base.write("temp/tavik$.tmy", "an earlier file");
    shell::Model().Run.WeatherFormat = 0;
    shell::Model().WeatherFileChosen = 0;
    selectweth& w = Open();
    w.fileformat(c.option)->setChecked(true);
    w.Text1()->setText(c.option == 2 ? "custom.dat" : "site.tm2");
    if (c.option == 2) boxes.answers.push_back(shell::MsgAnswer::Yes);
    w.OK_Click();  // previews first
    ASSERT_NE(w.Preview(), nullptr);
    EXPECT_EQ(shell::Model().WeatherFileChosen, 0);
    if (c.option == 2) boxes.answers.push_back(shell::MsgAnswer::Yes);
    w.Preview()->OK_Click();
    QTest::qWait(5);
    EXPECT_EQ(shell::Model().Run.WeatherFormat, c.code);
    EXPECT_EQ(shell::Model().WeatherFileChosen, 1);
    EXPECT_EQ(base.read("temp/tavik$.tmy"), base.read(c.option == 2 ? "wx/custom.dat" : "wx/site.tm2"));
    EXPECT_EQ(SelectWeatherWindow(), nullptr);
  }
}

TEST_F(SelectWeather, a_custom_file_of_another_year_asks_and_no_changes_nothing) {
  base.write("temp/tavik$.tmy", "an earlier file");
  selectweth& w = Open();
  w.fileformat(2)->setChecked(true);
  w.Text1()->setText("custom.dat");
  w.OK_Click();
  EXPECT_EQ(boxes.asked.back().text, std::string(kYearQuestion));
  EXPECT_EQ(boxes.asked.back().title, "Weather Year");
  EXPECT_EQ(w.Preview(), nullptr);
  EXPECT_EQ(base.read("temp/tavik$.tmy"), "an earlier file");
  EXPECT_EQ(shell::Model().WeatherFileChosen, 0);
  // TMY2 files are never asked about.
  const std::size_t asked = boxes.asked.size();
  w.fileformat(0)->setChecked(true);
  w.Text1()->setText("custom.dat");
  w.OK_Click();
  EXPECT_EQ(boxes.asked.size(), asked);
}

TEST_F(SelectWeather, the_preview_shows_25_lines_and_leaves_no_file) {
  selectweth& w = Open();
  w.Text1()->setText("site.tm2");
  w.View_Click();
  ASSERT_NE(w.Preview(), nullptr);
  const QStringList lines = w.Preview()->Text1()->toPlainText().split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(w.Preview()->Text1()->toPlainText().count('\n'), 25);
  EXPECT_EQ(lines.back().toStdString(), "12301 line 20");
  EXPECT_FALSE(base.exists("temp/wethtemp.txt"));
  // Looked at and accepted: OK copies at once.
  w.Preview()->OK_Click();
  w.fileformat(0)->setChecked(true);
  w.OK_Click();
  QTest::qWait(5);
  EXPECT_EQ(shell::Model().WeatherFileChosen, 1);
}

TEST_F(SelectWeather, a_short_file_is_a_file_error_and_an_edited_name_is_previewed_again) {
  selectweth& w = Open();
  w.Text1()->setText("short.dat");
  w.View_Click();
  EXPECT_EQ(w.Preview(), nullptr);
  EXPECT_EQ(boxes.asked.back().title.rfind("Kalvano Error # ", 0), 0u);
  EXPECT_TRUE(w.isVisible());
  w.Text1()->setText("site.tm2");
  w.View_Click();
  w.Preview()->OK_Click();
  w.Text1()->setText("custom.dat");
  w.fileformat(0)->setChecked(true);
  w.OK_Click();
  EXPECT_TRUE(w.Preview()->isVisible());  // previewed again, nothing copied yet
  EXPECT_EQ(shell::Model().WeatherFileChosen, 0);
  // Cancel leaves the run's choice as it was.
  w.Preview()->cancel_Click();
  w.Cancel_Click();
  QTest::qWait(5);
  EXPECT_EQ(shell::Model().WeatherFileChosen, 0);
  EXPECT_EQ(shell::Model().Run.WeatherFormat, 0);
}

}  // namespace
}  // namespace kalvano::weather

namespace kalvano::weather {
namespace {

TEST_F(SelectWeather, pictures_of_the_picker_and_the_preview) {
  const fs::path folder = shell::test::PictureFolder();
  fs::create_directories(folder);
  selectweth& w = Open();
  w.Text1()->setText("site.tm2");
  w.fileformat(0)->setChecked(true);
  w.grab().save(QString::fromStdString((folder / "selectweth.png").string()));
  w.View_Click();
  ASSERT_NE(w.Preview(), nullptr);
  w.Preview()->grab().save(QString::fromStdString((folder / "viewweather.png").string()));
  EXPECT_TRUE(fs::exists(folder / "viewweather.png"));
}

}  // namespace
}  // namespace kalvano::weather
