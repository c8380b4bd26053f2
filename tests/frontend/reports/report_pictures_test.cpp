// Saves pictures of the tabular viewer on a real report, so that they can be looked at:
// <build>/screens/tabular-zones.png, tabular-weather.png, hourly.png and the monthly
// summaries printed, tabular-summaries.pdf (or in the folder named by KALVANO_SCREENS_DIR).
#include <gtest/gtest.h>

#include <QPixmap>
#include <QPrinter>

#include <cstdlib>
#include <filesystem>

#include "frontend/reports/hourly.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/session.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

std::filesystem::path PictureFolder() {
  if (const char* dir = std::getenv("KALVANO_SCREENS_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return std::filesystem::path(KALVANO_BASE_DIR).parent_path() / "screens";
}

using ReportPictures = ReportsTest;

TEST_F(ReportPictures, the_viewer_on_zone_data_and_weather_is_saved_as_png) {
  const std::filesystem::path folder = PictureFolder();
  std::filesystem::create_directories(folder);
  model::ProjectModel m;
  ASSERT_EQ(RunSample(m, base.path("run"), SampleRun{}), 0);
  m.HourlyOutput = 1;
  shell::Model() = m;
  const auto save = [&folder](QWidget& window, const char* name) {
    window.show();
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
  };
  tabular& viewer = TabularViewer();
  viewer.resize(1200, 800);
  viewer.Summary_Click(1);
  save(viewer, "tabular-zones.png");
  viewer.Summary_Click(6);
  save(viewer, "tabular-weather.png");
  // The monthly summaries printed, as a PDF file to look at.
  viewer.Summary_Click(2);
  const std::filesystem::path pdf = folder / "tabular-summaries.pdf";
  SetPrinterChooser([&pdf](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return true;
  });
  viewer.Summary_Click(7);
  EXPECT_TRUE(std::filesystem::exists(pdf));
  viewer.Summary_Click(9);
  save(HourlyWindow(), "hourly.png");
  EXPECT_TRUE(boxes.asked.empty());
}

}  // namespace
}  // namespace kalvano::reports::test
