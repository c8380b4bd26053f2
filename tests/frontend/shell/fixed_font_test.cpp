// The one fixed-pitch font of the viewers, the printout and the pickers' value boxes.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetricsF>

#include "frontend/shell/widgets.h"

namespace kalvano::shell {
namespace {

// Measured, since a face's fixed-pitch flag is not to be trusted.
void ExpectEvenAdvance(const QFont& font) {
  const QFontMetricsF metrics(font);
  EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W')) << font.family().toStdString();
  EXPECT_EQ(metrics.horizontalAdvance("iiiii"), metrics.horizontalAdvance("WWWWW")) << font.family().toStdString();
}

TEST(FixedPitchFont, each_size_asked_for_lines_up_its_columns) {
  const double systemSize = QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF();
  struct Case {
    double asked;
    double size;
  };
  // The format examples and pickers (the system size), the printout and the report viewer.
  for (const Case& c : {Case{0, systemSize}, Case{7, 7}, Case{8.25, 8.25}}) {
    SCOPED_TRACE(c.asked);
    const QFont font = FixedPitchFont(c.asked);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), c.size);
    ExpectEvenAdvance(font);
  }
}

TEST(FixedPitchFont, courier_new_when_installed_else_a_known_monospace_family_before_the_systems) {
  // Where "Courier New" is missing, fontconfig's stand-in for it and the system's fixed font
  // may be any face; a known family comes first (DejaVu Sans Mono is always set up).
  const QString expected = QFontDatabase::hasFamily("Courier New") ? "Courier New" : "DejaVu Sans Mono";
  if (!QFontDatabase::hasFamily(expected)) GTEST_SKIP() << "neither Courier New nor DejaVu Sans Mono is installed";
  EXPECT_EQ(FixedPitchFont().family().toStdString(), expected.toStdString());
}

}  // namespace
}  // namespace kalvano::shell
