// The recorded-weather picker offscreen: the path of a typed name, the checks before a file is
// used, the preview, the year question of a custom file, and the copy for the engine.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/filesamp.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
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

// A custom-layout file of 30 lines whose records carry the year 01, except line `odd`, which
// carries 99.
std::string CustomFile(int odd) {
  std::string text;
  for (int i = 1; i <= 30; ++i) text += std::string(i == odd ? "12399" : "12301") + " line " + std::to_string(i) + "\r\n";
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
    shell::ClearWindowOpeners();
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
  // The same file of another year (99 on every line) for each layout: only Custom is asked
  // about, at OK and again at the preview's OK.
  for (const Case& c : {Case{0, 1}, Case{1, 2}, Case{2, 4}, Case{3, 3}}) {
    SCOPED_TRACE(c.option);
    base.write("temp/tavik$.tmy", "an earlier file");
    shell::Model().Run.WeatherFormat = 0;
    shell::Model().WeatherFileChosen = 0;
    boxes.asked.clear();
    selectweth& w = Open();
    w.fileformat(c.option)->setChecked(true);
    w.Text1()->setText("custom.dat");
    if (c.option == 2) boxes.answers.push_back(shell::MsgAnswer::Yes);
    w.OK_Click();  // previews first
    ASSERT_NE(w.Preview(), nullptr);
    EXPECT_EQ(shell::Model().WeatherFileChosen, 0);
    if (c.option == 2) boxes.answers.push_back(shell::MsgAnswer::Yes);
    w.Preview()->OK_Click();
    QTest::qWait(5);
    EXPECT_EQ(shell::Model().Run.WeatherFormat, c.code);
    EXPECT_EQ(shell::Model().WeatherFileChosen, 1);
    EXPECT_EQ(base.read("temp/tavik$.tmy"), base.read("wx/custom.dat"));
    EXPECT_EQ(SelectWeatherWindow(), nullptr);
    std::size_t questions = 0;
    for (const auto& a : boxes.asked) questions += a.text == kYearQuestion ? 1 : 0;
    EXPECT_EQ(questions, c.option == 2 ? 2u : 0u);
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

// The year of a custom file is read from line 10 at OK and from line 5 at the preview's OK.
TEST_F(SelectWeather, the_year_check_reads_line_10_at_ok_and_line_5_at_the_previews_ok) {
  struct Case {
    int odd;               // the line that carries another year
    bool askedAtOk, askedAtPreview;
  };
  for (const Case& c : {Case{10, true, false}, Case{5, false, true}, Case{4, false, false}}) {
    SCOPED_TRACE(c.odd);
    base.write("wx/year.dat", CustomFile(c.odd));
    base.write("temp/tavik$.tmy", "an earlier file");
    shell::Model().WeatherFileChosen = 0;
    boxes.asked.clear();
    selectweth& w = Open();
    w.fileformat(2)->setChecked(true);
    w.Text1()->setText("year.dat");
    boxes.answers.push_back(shell::MsgAnswer::Yes);  // for the question at OK, when asked
    w.OK_Click();
    EXPECT_EQ(!boxes.asked.empty() && boxes.asked.back().text == kYearQuestion, c.askedAtOk);
    if (c.askedAtOk) {
      EXPECT_EQ(boxes.asked.back().title, "Weather Year");
    }
    ASSERT_NE(w.Preview(), nullptr);
    boxes.answers.clear();
    boxes.asked.clear();
    w.Preview()->OK_Click();  // No, when asked
    QTest::qWait(5);
    EXPECT_EQ(boxes.asked.size(), c.askedAtPreview ? 1u : 0u);
    if (c.askedAtPreview) {
      // Refused: both windows stay and nothing is copied.
      EXPECT_EQ(boxes.asked.back().text, std::string(kYearQuestion));
      ASSERT_EQ(SelectWeatherWindow(), &w);
      EXPECT_TRUE(w.Preview()->isVisible());
      EXPECT_EQ(base.read("temp/tavik$.tmy"), "an earlier file");
      EXPECT_EQ(shell::Model().WeatherFileChosen, 0);
      delete SelectWeatherWindow();
    } else {
      EXPECT_EQ(SelectWeatherWindow(), nullptr);
      EXPECT_EQ(base.read("temp/tavik$.tmy"), base.read("wx/year.dat"));
      EXPECT_EQ(shell::Model().WeatherFileChosen, 1);
    }
  }
}

// "View Sample Format" shows each layout's example, and the picker keeps the folder, the
// name and the layout chosen when it is in front again: browsing starts in the project's
// folder once per opening.
TEST_F(SelectWeather, the_examples_are_shown_and_the_picker_keeps_its_choices) {
  const char* examples[] = {"tmy2.txt", "wyec2.txt", "iwec.txt", "custom.txt"};
  for (const char* name : examples) base.write(std::string("helpinfo/") + name, std::string("example of ") + name + "\r\n");
  fs::create_directories(base.path("projects"));
  shell::Model().ProjectLoaded = 1;
  shell::LastFolders().retrieve = base.path("projects").string();
  OpenSelectWeather();
  selectweth& w = *SelectWeatherWindow();
  EXPECT_EQ(fs::path(w.Picker()->Folder()), base.path("projects"));
  w.Picker()->SetFolder(base.path("wx").string());
  w.Text1()->setText("site.tm2");
  w.fileformat(1)->setChecked(true);
  struct Case {
    int item;
    const char* caption;
    const char* file;
  };
  for (const Case& c : {Case{1, "Example of TMY2 format", "tmy2.txt"}, Case{2, "Example of WYEC2 format", "wyec2.txt"},
                        Case{3, "Example of IWEC format", "iwec.txt"}, Case{4, "Example of Custom format", "custom.txt"}}) {
    SCOPED_TRACE(c.item);
    QAction* item = w.findChild<QAction*>(QString("fileform(%1)").arg(c.item));
    ASSERT_NE(item, nullptr);
    item->trigger();
    shell::filesamp* shown = nullptr;
    for (shell::filesamp* viewer : w.findChildren<shell::filesamp*>()) {
      if (viewer->isVisible()) shown = viewer;
    }
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle().toStdString(), c.caption);
    EXPECT_EQ(shown->Text1()->toPlainText().toStdString(), std::string("example of ") + c.file + "\n");
    shown->OK_Click();
    QTest::qWait(5);
  }
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&w, &activate);
  w.activateWindow();
  QTest::qWait(5);
  EXPECT_EQ(fs::path(w.Picker()->Folder()), base.path("wx"));
  EXPECT_EQ(w.Text1()->text(), "site.tm2");
  EXPECT_EQ(w.Format(), 2);
}

TEST_F(SelectWeather, the_preview_shows_25_lines_and_leaves_no_file) {
  selectweth& w = Open();
  w.Text1()->setText("site.tm2");
  w.View_Click();
  ASSERT_NE(w.Preview(), nullptr);
  const QStringList lines = w.Preview()->Text1()->toPlainText().split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(w.Preview()->Text1()->toPlainText().count('\n'), 25);
  EXPECT_EQ(lines.back().toStdString(), "12301 line 20");
  EXPECT_EQ(w.Preview()->Text1()->font().family().toStdString(), shell::FixedPitchFont().family().toStdString());
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

// The reference Miami year, picked as TMY2 from the run window's "Recorded Weather:", is the
// weather the engine runs on: its station, and its first day's dry bulbs in the daily summary.
TEST_F(SelectWeather, the_miami_tmy2_file_picked_for_a_run_is_the_year_the_engine_reads) {
  shell::test::InstallRealEngine(base);
  model::ProjectModel& m = shell::test::RunnableSample(base, "SampleProject.inp");
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  m.LastProjectFile = m.ProjectFile;
  shell::RegisterWindowOpener(shell::window::selectweth, [](int) { OpenSelectWeather(); });
  shell::MainMenu().runenergy_Click(3);
  ASSERT_TRUE(shell::RunWindowLoaded());
  shell::runsim& run = shell::RunWindow();
  run.weather_MouseDown(1);
  ASSERT_NE(SelectWeatherWindow(), nullptr);
  selectweth& w = *SelectWeatherWindow();
  EXPECT_FALSE(run.isEnabled());
  const std::string tm2 = std::string(KALVANO_REFERENCE_DIR) + "/weather/12839.tm2";
  w.Text1()->setText(QString::fromStdString(tm2));
  w.fileformat(0)->setChecked(true);
  w.OK_Click();
  ASSERT_NE(w.Preview(), nullptr);
  w.Preview()->OK_Click();
  QTest::qWait(5);
  EXPECT_EQ(SelectWeatherWindow(), nullptr);
  EXPECT_TRUE(run.isEnabled());
  EXPECT_EQ(base.read("temp/tavik$.tmy"), base.read(tm2));

  QTest::mouseClick(run.Command1(), Qt::LeftButton);
  ASSERT_TRUE(shell::test::WaitFor([&run] { return !run.IsEngineRunning(); }));
  QTest::qWait(50);
  const std::string status = run.runstatus()->text().toStdString();
  EXPECT_EQ(status.rfind("Simulation Completed at ", 0), 0u) << status << base.read("temp/monitor.txt");
  EXPECT_EQ(model::SplitLines(base.read("temp/tavik$.tmp")).at(1).substr(0, 15), "Wthr type :  1 ");
  const std::string listing = base.read("temp/tavik$.wth");
  EXPECT_NE(listing.find("LOCATION: MIAMI                  FL                   WBAN Station: 12839"),
            std::string::npos);
  EXPECT_NE(listing.find("25.8 DEG. NORTH LATITUDE"), std::string::npos);
  // 1 January: the lowest and highest of the file's first 24 dry bulbs (tenths of a degree C
  // in columns 68-71), in F.
  const std::vector<std::string> records = model::SplitLines(base.read(tm2));
  double low = 1e9, high = -1e9;
  for (std::size_t h = 1; h <= 24; ++h) {
    const double f = model::Val(records.at(h).substr(67, 4)) / 10 * 1.8 + 32;
    low = std::min(low, f);
    high = std::max(high, f);
  }
  char expected[64];
  std::snprintf(expected, sizeof expected, "%.1f", low);
  const std::string lowText = expected;
  std::snprintf(expected, sizeof expected, "%.1f", high);
  const std::string highText = expected;
  std::string firstDay;
  for (const std::string& line : model::SplitLines(listing)) {
    if (line.find(" 1/ 1 ") != std::string::npos) {
      firstDay = line;
      break;
    }
  }
  const std::vector<std::string> fields = model::SplitWords(firstDay);
  // "Mon", "1/", "1", the sunrise, the lowest, the mean, the highest.
  ASSERT_GE(fields.size(), 7u) << firstDay;
  EXPECT_EQ(fields[4], lowText) << firstDay;
  EXPECT_EQ(fields[6], highText) << firstDay;
  EXPECT_NE(listing.find("12/31"), std::string::npos);
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
