// Saves pictures of the start-up window and the main menu, so that they can be looked at:
// <build>/screens/startup.png and mainmenu.png, with content.png and exit.png (or in the
// folder named by KALVANO_SCREENS_DIR).
#include <gtest/gtest.h>

#include <QPixmap>

#include <cstdlib>
#include <filesystem>

#include "frontend/shell/mainform.h"
#include "frontend/shell/content.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/warning.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

using WindowPictures = test::ShellTest;

TEST_F(WindowPictures, start_up_window_and_main_menu_are_saved_as_png) {
  const std::filesystem::path folder = test::PictureFolder();
  std::filesystem::create_directories(folder);

  auto* startup = new mainform;
  SetStartupWindow(startup);
  startup->resize(1000, 640);
  startup->show();
  ASSERT_TRUE(startup->Form_Activate());
  const QPixmap startupPicture = startup->grab();
  ASSERT_FALSE(startupPicture.isNull());
  EXPECT_TRUE(startupPicture.save(QString::fromStdString((folder / "startup.png").string())));

  startup->continue_Click();
  mainmenu& menu = MainMenu();
  menu.Form_Activate();
  menu.adjustSize();
  const QPixmap menuPicture = menu.grab();
  ASSERT_FALSE(menuPicture.isNull());
  EXPECT_TRUE(menuPicture.save(QString::fromStdString((folder / "mainmenu.png").string())));

  // The help contents window and the exit dialog, for a look at them too.
  ShowContent();
  EXPECT_TRUE(ContentWindow().grab().save(
      QString::fromStdString((folder / "content.png").string())));
  menu.exititem_Click();
  EXPECT_TRUE(ExitDialog().grab().save(QString::fromStdString((folder / "exit.png").string())));
}

TEST_F(WindowPictures, project_windows_are_saved_as_png) {
  const std::filesystem::path folder = test::PictureFolder();
  std::filesystem::create_directories(folder);
  Model().AppDir = base.dir().string();
  std::filesystem::create_directories(base.path("sample"));
  base.write("sample/SampleProject.inp", "KAL-VANO\r\n");
  const auto save = [&folder](QWidget& window, const char* name) {
    window.show();
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
  };
  MainMenu().projectinformation_Click();
  save(ProjectInfoWindow(), "projectinfo.png");
  save(RetrieveDialog(), "retrieve.png");
  save(SampleDialog(), "sample.png");
  save(SaveDialog(), "saveinput.png");
}

}  // namespace
}  // namespace kalvano::shell
