// Saves pictures of the zone window's profile pickers beside those of the other windows:
// <build>/screens/occupprof.png and occupprof_si.png (the use-profile picker, scrolled in the
// second), temperature.png (degrees F) and temperature_si.png (degrees C), or in the folder
// named by KALVANO_SCREENS_DIR.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/model/atomic_file.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"
#include "frontend/shell/startupcore.h"
#include "frontend/zones/occupprof.h"
#include "frontend/zones/profilepickers.h"
#include "frontend/zones/temperature.h"
#include "frontend/zones/zoneform.h"
#include "tests/frontend/shell/shell_test_support.h"
#include "zones_test_support.h"

namespace kalvano::zones {
namespace {

using ProfilePictures = shell::test::ShellTest;

TEST_F(ProfilePictures, profile_pickers_are_saved_as_png_in_both_unit_systems) {
  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  const auto save = [&folder](QWidget* window, const char* name) {
    ASSERT_NE(window, nullptr) << name;
    const QPixmap picture = window->grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
  };
  shell::ClearWindowOpeners();
  model::ProjectModel& m = shell::Model() = test::ThreeZoneProject();
  m.AppDir = base.dir().string();
  m.ProjectFile = "office.inp";
  m.ProjectData[1] = "Small office";
  base.install("profiles/bprof5.dat");
  // The installed occupancy library.
  const std::vector<std::string> library =
      model::ReadFileLines(std::string(KALVANO_SOURCE_DIR) + "/data/profiles/bprof1.dat");
  for (int n = 1; n <= 42; ++n) {
    // The names as start-up reads them from the installed building-type files.
    m.BldTypeName[n] = shell::BuildTypeLabel(
        model::ReadFileLines(std::string(KALVANO_SOURCE_DIR) + "/data/btype/bdtype" + std::to_string(n) + ".dat").at(0));
    m.OccProfile[n] = library.at(static_cast<std::size_t>(n));
  }
  m.OccProfNo[4] = " 4";
  m.OccProfNo[12] = " 12";
  m.ZoneData[2][16] = " 1";
  m.ZoneData[2][17] = " 2";
  m.ZoneData[2][18] = " 3";
  m.ZoneData[2][19] = " 4";
  ASSERT_TRUE(OpenZoneForm(2));

  m.ZoneEdit.ProfPickerKind = 1;
  ShowUseProfilePicker();
  save(OccupProfWindow(), "occupprof.png");
  m.UnitSystem = model::kSI;
  ShowUseProfilePicker();
  OccupProfWindow()->profscroll()->setValue(8);
  save(OccupProfWindow(), "occupprof_si.png");
  UnloadOccupProf();

  m.UnitSystem = model::kInchPound;
  m.ZoneEdit.ProfPickerKind = 5;
  ASSERT_TRUE(ShowTemperaturePicker());
  save(TemperatureWindow(), "temperature.png");
  m.UnitSystem = model::kSI;
  ASSERT_TRUE(ShowTemperaturePicker());
  save(TemperatureWindow(), "temperature_si.png");
  UnloadTemperature();
  UnloadZoneForm();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace kalvano::zones
