// Saves pictures of the HVAC data-base window (inch-pound and SI), the economics window and
// the demand-charge window beside those of the other windows: <build>/screens, or the folder
// named by KALVANO_SCREENS_DIR.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPixmap>

#include <filesystem>

#include "envelope_test_support.h"

namespace kalvano::envelope {
namespace {

using EnvelopePictures = test::EnvelopeTest;

void Save(QWidget* window, const char* name) {
  ASSERT_NE(window, nullptr) << name;
  const std::filesystem::path folder = shell::test::PictureFolder();
  std::filesystem::create_directories(folder);
  const QPixmap picture = window->grab();
  ASSERT_FALSE(picture.isNull()) << name;
  EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
}

TEST_F(EnvelopePictures, hvac_economics_and_demand_charge_windows_are_saved_as_png) {
  shell::Model().ProjectFile = "SampleProject.inp";
  ASSERT_TRUE(OpenHvacWindow());
  Save(HvacWindow(), "hvac.png");
  delete HvacWindow();
  shell::Model().UnitSystem = model::kSI;
  ASSERT_TRUE(OpenHvacWindow());
  Save(HvacWindow(), "hvac_si.png");
  shell::Model().UnitSystem = model::kInchPound;

  model::ProjectModel& m = shell::Model();
  const char* items[] = {"25", "20", "20", ".05", ".02", ".08", ".01", ".6", ".02", "2", ".03"};
  for (int i = 0; i < 11; ++i) m.EconData[static_cast<std::size_t>(i)] = items[i];
  m.DemChgSwitch = "N";
  m.DemChgCount = 2;
  m.DemChgKw = {"", "100", "200", ""};
  m.DemChgCost = {"", "5.5", "7", ""};
  OpenEconomics();
  Save(EconomicsWindow(), "economics.png");
  EconomicsWindow()->demand_Click();
  Save(DemandchargeWindow(), "demandcharge.png");
}

}  // namespace
}  // namespace kalvano::envelope
