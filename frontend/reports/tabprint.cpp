#include "frontend/reports/tabprint.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include "frontend/model/atomic_file.h"
#include "frontend/shell/widgets.h"

namespace kalvano::reports {

namespace {

constexpr double kMargin = 10;     // mm, as a sheet is set up by default
constexpr double kMinMargin = 3;   // mm, the narrowest margin used to fit a line

}  // namespace

std::vector<std::vector<std::string>> FormFeedSheets(const std::string& bytes) {
  std::vector<std::vector<std::string>> sheets(1);
  for (std::string& line : model::SplitLines(bytes)) {
    if (line.starts_with('\f')) {
      sheets.emplace_back();
      line.erase(0, 1);
      if (line.find_first_not_of(' ') == std::string::npos) continue;
    }
    sheets.back().push_back(std::move(line));
  }
  std::erase_if(sheets, [](const std::vector<std::string>& sheet) { return sheet.empty(); });
  return sheets;
}

int PrintPageText(QPrinter& printer, const std::string& bytes) {
  const auto sheets = FormFeedSheets(bytes);
  if (sheets.empty()) return 0;
  QFont font = shell::FixedPitchFont(7);
  const auto widest = [&](const QFont& f) {
    const QFontMetricsF metrics(f, &printer);
    double width = 0;
    for (const auto& sheet : sheets)
      for (const std::string& line : sheet)
        width = std::max(width, metrics.horizontalAdvance(QString::fromLatin1(line)));
    return width;  // device pixels
  };
  // Fit the widest line: first narrow the side margins, then scale the font down.
  printer.setPageMargins(QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter);
  const double dotsPerMm = printer.resolution() / 25.4;
  const double sheetWidth = printer.pageLayout().fullRectPixels(printer.resolution()).width();
  double needed = widest(font);
  if (needed > sheetWidth - 2 * kMargin * dotsPerMm) {
    const double side = std::max(kMinMargin, (sheetWidth - needed) / 2 / dotsPerMm - 0.5);
    printer.setPageMargins(QMarginsF(side, kMargin, side, kMargin), QPageLayout::Millimeter);
    const double room = sheetWidth - 2 * side * dotsPerMm;
    for (int tries = 0; needed > room && tries < 20; ++tries) {
      font.setPointSizeF(font.pointSizeF() * std::min(0.98, room / needed));
      needed = widest(font);
    }
  }

  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const double height = printer.pageLayout().paintRectPixels(printer.resolution()).height();
  int printed = 1;
  double y = metrics.ascent();
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    if (s > 0) {
      printer.newPage();
      ++printed;
      y = metrics.ascent();
    }
    for (const std::string& line : sheets[s]) {
      if (y + metrics.descent() > height) {  // a full sheet goes on to the next
        printer.newPage();
        ++printed;
        y = metrics.ascent();
      }
      painter.drawText(QPointF(0, y), QString::fromLatin1(line));
      y += metrics.lineSpacing();
    }
  }
  painter.end();
  return printed;
}

int PrintWithDialog(const std::string& bytes, const std::string& pdfPath, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  if (!shell::ChoosePrinter(printer, pdfPath, parent)) return 0;
  return PrintPageText(printer, bytes);
}

}  // namespace kalvano::reports
