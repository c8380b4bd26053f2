// Saves pictures of the start-up window and the main menu, so that they can be looked at:
// <build>/screens/startup.png and mainmenu.png, with content.png and exit.png, the project
// dialogs, the run-choice window, the run window before a run, after a completed and after a
// stopped run, and the save-output dialog (or in the folder named by KALVANO_SCREENS_DIR).
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
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runoptions.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/warning.h"
#include "shell_test_support.h"

#include <QPushButton>
#include <QTest>
#include <fstream>

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

TEST_F(WindowPictures, run_windows_are_saved_as_png) {
  const std::filesystem::path folder = test::PictureFolder();
  std::filesystem::create_directories(folder);
  model::ProjectModel& m = test::RunnableSample(base, "SampleProject.inp");
  m.ProjectLoaded = 1;
  m.InputSaved = 1;
  SetInputEchoWriter([](model::ProjectModel& model) {
    std::ofstream(model.AppDir + "/temp/tavik$.out", std::ios::binary) << "ECHO\r\n";
  });
  std::filesystem::copy_file(KALVANO_STANDIN_ENGINE, base.path("kvan64"));
  const auto save = [&folder](QWidget& window, const char* name) {
    const QPixmap picture = window.grab();
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / name).string()))) << name;
  };
  RunOptions& choice = ShowRunOptions();
  save(choice, "runoptions.png");
  choice.close();
  for (const char* mode : {"ok", "exit 2"}) {
    base.write("temp/standin.txt", std::string(mode) + "\n");
    MainMenu().runenergy_Click(3);
    runsim& w = RunWindow();
    w.mon_Click(6);
    if (std::string(mode) == "ok") save(w, "runsim.png");
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    for (int waited = 0; waited < 20000 && w.IsEngineRunning(); waited += 20) QTest::qWait(20);
    QTest::qWait(50);
    save(w, std::string(mode) == "ok" ? "runsim-completed.png" : "runsim-stopped.png");
    delete &w;
  }
  m.ResultsExist = 1;
  SaveOutputDialog().Open("Before running, you should save the previous results -- otherwise, "
                          "click the Run Button.", "*.ot*", true);
  save(SaveOutputDialog(), "saveoutput.png");
  ClearWindowOpeners();
}

}  // namespace
}  // namespace kalvano::shell
