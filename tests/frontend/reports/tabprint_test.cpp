// Printing the viewer's page: a real report's pages printed through the printer seam to PDF
// files, read back with pdfinfo, pdftotext and pdffonts (poppler-utils).
#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/reports/tabextract.h"
#include "frontend/reports/tabprint.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "report_runs.h"
#include "reports_test_support.h"

namespace kalvano::reports::test {
namespace {

namespace fs = std::filesystem;

std::string Tool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000)) return {};
  return p.readAllStandardOutput().toStdString();
}

int PdfPages(const fs::path& pdf) {
  std::istringstream info(Tool("pdfinfo", {QString::fromStdString(pdf.string())}));
  for (std::string line; std::getline(info, line);)
    if (line.starts_with("Pages:")) return std::stoi(line.substr(6));
  return -1;
}

// Blanks runs folded to one, ends trimmed: pdftotext's layout keeps columns only roughly.
std::string Folded(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '\f' || c == '\r') {
      if (!out.empty() && out.back() != ' ') out += ' ';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

class TabPrint : public ReportsTest {
 protected:
  void SetUp() override {
    ReportsTest::SetUp();
    ASSERT_EQ(RunSample(m, base.path("run"), SampleRun{}), 0);
    shell::Model() = m;
  }
  // Prints `text` through the seam to a PDF file; checks pages and text against the sheets.
  void CheckPrinted(const std::string& text, const fs::path& pdf) {
    SetPrinterChooser([&pdf](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf.string()));
      return true;
    });
    const int printed = PrintWithDialog(text, "", nullptr);
    const auto sheets = FormFeedSheets(text);
    ASSERT_FALSE(sheets.empty());
    EXPECT_EQ(printed, PdfPages(pdf));
    EXPECT_GE(printed, static_cast<int>(sheets.size()));
    // More sheets only where one overflows a page (about 90 lines of 7 pt on A4).
    std::size_t longest = 0;
    std::string widest;
    for (const auto& sheet : sheets) {
      for (const std::string& l : sheet) {
        if (l.size() > longest) {
          longest = l.size();
          widest = l;
        }
      }
    }
    if (std::all_of(sheets.begin(), sheets.end(), [](const auto& s) { return s.size() < 80; })) {
      EXPECT_EQ(printed, static_cast<int>(sheets.size()));
    }
    const std::string words =
        Folded(Tool("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"}));
    for (const auto& sheet : sheets) {
      for (const std::string* l : {&sheet.front(), &sheet.back()}) {
        if (Folded(*l).empty()) continue;
        EXPECT_NE(words.find(Folded(*l)), std::string::npos) << *l;
      }
    }
    EXPECT_GT(longest, 120u);
    EXPECT_NE(words.find(Folded(widest)), std::string::npos) << widest;
    // Printed in the viewers' fixed-pitch font (embedded under its name without blanks).
    const std::string fonts = Tool("pdffonts", {QString::fromStdString(pdf.string())});
    const std::string family = shell::FixedPitchFont().family().remove(' ').toStdString();
    EXPECT_NE(fonts.find(family), std::string::npos) << fonts;
  }
  model::ProjectModel m;
};

TEST_F(TabPrint, monthly_summaries_and_a_zone_page_print_whole_one_sheet_per_form_feed_page) {
  const TabView summaries = WriteTabSum(shell::Model(), boxes);
  ASSERT_TRUE(summaries.shown);
  CheckPrinted(summaries.text, base.path("summaries.pdf"));
  const TabView zones = WriteTabZone(shell::Model(), boxes);
  ASSERT_TRUE(zones.shown);
  CheckPrinted(zones.text, base.path("zones.pdf"));
}

TEST_F(TabPrint, the_print_button_prints_the_page_shown_and_a_cancel_prints_nothing) {
  tabular& viewer = TabularViewer();
  viewer.Summary_Click(2);
  int asked = 0;
  const fs::path pdf = base.path("viewer.pdf");
  SetPrinterChooser([&](QPrinter& printer, QWidget*) {
    ++asked;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return false;  // cancelled
  });
  viewer.Summary_Click(7);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_FALSE(viewer.Summary(7)->isEnabled());
  EXPECT_TRUE(viewer.Summary(2)->isEnabled());

  SetPrinterChooser([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return true;
  });
  viewer.Summary_Click(7);
  EXPECT_EQ(PdfPages(pdf), static_cast<int>(FormFeedSheets(viewer.PageText()).size()));
  EXPECT_NE(viewer.PageText().find("M O N T H L Y"), std::string::npos);
}

}  // namespace
}  // namespace kalvano::reports::test
