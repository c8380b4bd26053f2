// Saves pictures of the zone description window beside those of the shell's windows:
// <build>/screens/zoneform.png (inch-pound) and zoneform_si.png (SI, table scrolled), and the
// ventilation-rate dialog venrate.png and venrate_si.png, or in the folder named by
// KALVANO_SCREENS_DIR.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollBar>

#include <cstdlib>
#include <filesystem>

#include "frontend/shell/session.h"
#include "frontend/zones/venrate.h"
#include "frontend/zones/zoneform.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

using ZonePictures = shell::test::ShellTest;

TEST_F(ZonePictures, zone_window_is_saved_as_png_in_both_unit_systems) {
  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  const auto save = [&folder](const char* name) {
    zoneform* window = ZoneFormWindow();
    ASSERT_NE(window, nullptr);
    const QPixmap picture = window->grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
  };
  shell::Model() = test::ThreeZoneProject(16);
  // Shade codes as the sketch writes them.
  const char* codes[] = {" N0. N0. N0.", " R1. L1. F1.", " T   T   N0.", " N0. R1. F.5"};
  for (int r = 1; r <= 16; ++r) shell::Model().SurfShade[2][r] = codes[(r - 1) % 4];
  shell::Model().ProjectData[0] = "Office";
  shell::Model().ProjectData[1] = "Small office";
  shell::Model().ProjectData[3] = "Chicago, IL";
  ASSERT_TRUE(OpenZoneForm(2));
  save("zoneform.png");
  UnloadZoneForm();

  shell::Model().UnitSystem = model::kSI;
  ASSERT_TRUE(OpenZoneForm(2));
  ZoneFormWindow()->envscroll()->setValue(8);
  save("zoneform_si.png");
  UnloadZoneForm();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(ZonePictures, ventilation_rate_dialog_is_saved_as_png_in_both_unit_systems) {
  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  shell::Model() = test::ThreeZoneProject();
  for (const auto& [units, name] : {std::pair{model::kInchPound, "venrate.png"},
                                    std::pair{model::kSI, "venrate_si.png"}}) {
    shell::Model().UnitSystem = units;
    ASSERT_TRUE(OpenZoneForm(1));
    ZoneFormWindow()->zone(9)->setText("CS0.15");
    ZoneFormWindow()->zone_Click(9);
    venrate* dialog = ZoneFormWindow()->VentilationDialog();
    ASSERT_NE(dialog, nullptr);
    const QPixmap picture = dialog->grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
    UnloadZoneForm();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

}  // namespace
}  // namespace kalvano::zones
