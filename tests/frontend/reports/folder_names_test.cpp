// A base folder whose name holds letters beyond ASCII: every caption, label and error box
// that names a file shows the name as it is, and names read back from a window's text find
// the same file.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <string>

#include "chart_report_builder.h"
#include "frontend/model/results_record.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/session.h"
#include "frontend/shell/warning.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

class FolderNames : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    fs::current_path(named.dir());
    fs::copy(std::string(KALVANO_SOURCE_DIR) + "/data/sample", named.path("sample"));
    model::ProjectModel& m = shell::Model();
    m.AppDir = named.dir().string();
    m.ProjectFile = "New_Project";
  }
  // A sample retrieved through the sample dialog under the typed name.
  static void RetrieveSample(const QString& typed) {
    shell::SampleFileForm& dialog = shell::SampleDialog();
    dialog.retrievefile()->setText(typed);
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
  }
  // A path under the base folder as the user reads it.
  QString Shown(const std::string& rel) const { return QString::fromUtf8(named.path(rel).string()); }
  // Texts compared in UTF-8, so that a failure prints them readably.
  static std::string U(const QString& text) { return text.toStdString(); }

  shell::test::BaseFolder named{"gw \xC3\xA9 \xC3\x81 x/base"};  // "gw é Á x/base"
};

TEST_F(FolderNames, captions_labels_and_error_boxes_name_the_folder_as_it_is) {
  ASSERT_TRUE(QString::fromUtf8(named.dir().string()).contains(QString::fromUtf8("/gw é Á x/base")));
  shell::MainMenu().Picture1_Click();
  RetrieveSample("SampleProject.inp");
  ASSERT_EQ(shell::Model().ProjectFile, named.path("sample/SampleProject.inp").string());
  const QString project = Shown("sample/SampleProject.inp");
  EXPECT_EQ(U(shell::MainMenu().windowTitle()), U("-- " + project));

  // The exit question names the project, and its label is read back as the same name.
  shell::MainMenu().exititem_Click();
  EXPECT_EQ(U(shell::ExitDialog().Label2()->text()), U(project + " ?"));
  shell::ExitDialog().hide();

  // A chart's caption and the output file it shows.
  model::ProjectModel& m = shell::Model();
  m.ResultsViewable = 1;
  m.OutputFile = named.path("sample/Office \xC3\x81.ot1").string();
  named.write("temp/tavik$.out", ReadableYear().bytes());
  model::RecordResults(m);
  ASSERT_TRUE(ShowChart(kSourceEnergyChart));
  ASSERT_NE(SourceWindow(), nullptr);
  EXPECT_EQ(U(SourceWindow()->windowTitle()), U("Breakdown of Annual Energy -- " + project));
  const auto* output = SourceWindow()->findChild<QLabel*>("OutputFile");
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(U(output->text()), U(Shown("sample/Office Á.ot1")));

  // A file-error box names the missing file in the folder, as Qt's box shows it.
  const QString missing = Shown("sample/Missing Á.inp");
  ASSERT_LE(missing.size(), 60) << "the box shows the first 60 characters of a name";
  const QString text = shell::test::FirstQtBoxText([] { RetrieveSample(QString::fromUtf8("Missing Á.inp")); });
  EXPECT_TRUE(text.endsWith("\n\n" + missing)) << text.toStdString();
  EXPECT_EQ(shell::Model().ProjectFile, named.path("sample/SampleProject.inp").string());
}

// The viewer knows a paged view by its caption, which it reads back from its title.
TEST_F(FolderNames, the_tabular_viewer_pages_a_view_whose_caption_names_the_folder) {
  model::ProjectModel m;
  ASSERT_EQ(RunSample(m, named.path("run"), SampleRun{}), 0);
  m.ResultsViewable = 1;
  m.ProjectFile = named.path("sample/SampleProject.inp").string();
  shell::Model() = m;
  tabular& viewer = TabularViewer();
  viewer.Summary_Click(6);  // weather: two pages
  const std::string caption = U("Weather Summary -- " + Shown("sample/SampleProject.inp"));
  EXPECT_EQ(U(viewer.windowTitle()), caption);
  ASSERT_TRUE(viewer.zone(1)->isEnabled());
  QTest::mouseClick(viewer.zone(1), Qt::LeftButton);
  EXPECT_TRUE(viewer.PageText().starts_with(" DAILY WEATHER SUMMARIES FOR JULY"));
  EXPECT_EQ(U(viewer.windowTitle()), caption);
  EXPECT_TRUE(boxes.asked.empty());
}

}  // namespace
}  // namespace kalvano::reports::test
