// The retrieve, sample and save dialogs: every installed sample, a damaged file, save and
// retrieve again, saving in the other unit system, and the save on the way out.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <set>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/exitcore.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/warning.h"
#include "shell_test_support.h"
#include "../model/whole_report_fixture.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;
using M = MenuItem;

const std::string kSampleDir = std::string(KALVANO_SOURCE_DIR) + "/data/sample";

std::vector<std::string> InstalledSamples() {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(kSampleDir)) {
    if (e.path().extension() == ".inp") names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The differences between two models in what a project file holds.
std::vector<std::string> ProjectDifferences(const model::ProjectModel& a,
                                            const model::ProjectModel& b) {
  std::vector<std::string> d;
  auto same = [&d](const std::string& what, const auto& x, const auto& y) {
    if (!(x == y)) d.push_back(what);
  };
  same("UnitSystem", a.UnitSystem, b.UnitSystem);
  same("WeatherSeed", a.WeatherSeed, b.WeatherSeed);
  same("WeeksPerMonth", a.WeeksPerMonth, b.WeeksPerMonth);
  same("ProjectData", a.ProjectData, b.ProjectData);
  same("WeatherBlock", a.WeatherBlock, b.WeatherBlock);
  same("DesTemps", a.DesTemps, b.DesTemps);
  same("EconData", a.EconData, b.EconData);
  same("DemChgSwitch", a.DemChgSwitch, b.DemChgSwitch);
  same("DemChgCount", a.DemChgCount, b.DemChgCount);
  same("WallId", a.WallId, b.WallId);
  same("WallU", a.WallU, b.WallU);
  same("WinId", a.WinId, b.WinId);
  same("WinShgc", a.WinShgc, b.WinShgc);
  same("OccProfile", a.OccProfile, b.OccProfile);
  same("TempProfile", a.TempProfile, b.TempProfile);
  same("ZoneCount", a.ZoneCount, b.ZoneCount);
  same("ZoneCode", a.ZoneCode, b.ZoneCode);
  same("ZoneData", a.ZoneData, b.ZoneData);
  same("ZonePeople", a.ZonePeople, b.ZonePeople);
  same("ZoneNatVent", a.ZoneNatVent, b.ZoneNatVent);
  same("SurfaceCount", a.SurfaceCount, b.SurfaceCount);
  same("SurfWallArea", a.SurfWallArea, b.SurfWallArea);
  same("SurfOrient", a.SurfOrient, b.SurfOrient);
  same("SurfWinArea", a.SurfWinArea, b.SurfWinArea);
  same("SurfShade", a.SurfShade, b.SurfShade);
  same("StepFlags", a.StepFlags, b.StepFlags);
  return d;
}

std::set<std::string> ZoneFiles(const test::BaseFolder& base) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(base.path("temp"))) {
    if (e.path().extension() == ".zon") names.insert(e.path().filename().string());
  }
  return names;
}

class ProjectDialogs : public test::ShellTest {
 protected:
  void SetUp() override {
    test::ShellTest::SetUp();
    fs::copy(kSampleDir, base.path("sample"));
    fs::create_directories(base.path("work"));
    Model().AppDir = base.dir().string();
    Model().ProjectFile = "New_Project";
    SetSeedSource([] { return 0.25; });
  }
  void TearDown() override {
    SetSeedSource({});
    test::ShellTest::TearDown();
  }
  // Retrieves an installed sample through the main menu's sample picture.
  void RetrieveSample(const std::string& name) {
    MainMenu().Picture1_Click();
    SampleFileForm& dialog = SampleDialog();
    dialog.retrievefile()->setText(QString::fromStdString(name));
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
  }
  // Retrieves a file through the retrieve dialog from `folder`.
  void RetrieveFile(const std::string& folder, const std::string& typed) {
    MainMenu().retrieveitem_Click();
    oldfileform& dialog = RetrieveDialog();
    dialog.Picker()->SetFolder(folder);
    dialog.retrievefile()->setText(QString::fromStdString(typed));
    QTest::keyClick(dialog.retrievefile(), Qt::Key_Return);
  }
  // Saves through the save dialog into `folder` under the typed name.
  saveinputform& Save(const std::string& folder, const std::string& typed, bool asSI) {
    saveinputform& dialog = SaveDialog();
    ShowModeless(&dialog);
    dialog.Form_Activate();
    dialog.Picker()->SetFolder(folder);
    dialog.inputname()->setText(QString::fromStdString(typed));
    dialog.savetype_Click(asSI ? 2 : 1);
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
    return dialog;
  }
  std::string FirstLine(const std::string& rel) const {
    const std::string text = base.read(rel);
    return text.substr(0, text.find("\r\n"));
  }
  std::vector<std::string> Asked() const {
    std::vector<std::string> texts;
    for (const auto& a : boxes.asked) texts.push_back(a.text);
    return texts;
  }
};

TEST_F(ProjectDialogs, sample_dialog_lists_and_retrieves_every_installed_sample) {
  const std::vector<std::string> samples = InstalledSamples();
  ASSERT_GE(samples.size(), 2U);
  for (const std::string& name : samples) {
    SCOPED_TRACE(name);
    boxes.asked.clear();
    Model().HourlyOutput = 1;
    MainMenu().Picture1_Click();
    SampleFileForm& dialog = SampleDialog();
    EXPECT_EQ(dialog.windowTitle(), "Retrieve a Sample Project");
    EXPECT_FALSE(MainMenu().isEnabled());
    EXPECT_EQ(dialog.retrievefile()->text(), "");
    QListWidget* files = dialog.Picker()->File1();
    std::vector<std::string> listed;
    for (int r = 0; r < files->count(); ++r) listed.push_back(files->item(r)->text().toStdString());
    EXPECT_EQ(listed, samples);
    const auto found = files->findItems(QString::fromStdString(name), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    emit dialog.Picker()->fileClicked(found.front()->text());
    EXPECT_EQ(dialog.retrievefile()->text().toStdString(), name);
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);

    const model::ProjectModel& m = Model();
    EXPECT_EQ(Asked(), std::vector<std::string>{kSampleReady});
    EXPECT_EQ(boxes.asked.back().title, kSampleReadyTitle);
    EXPECT_EQ(boxes.asked.back().icon, MsgIcon::Information);
    EXPECT_EQ(m.ProjectFile, base.path("sample/" + name).string());
    EXPECT_EQ(m.LastProjectFile, m.ProjectFile);
    EXPECT_EQ(m.ProjectFileName, name);
    EXPECT_EQ(m.ProjectLoaded, 1);
    EXPECT_EQ(m.HourlyOutput, 1);  // the sample dialog leaves it
    EXPECT_GT(m.ZoneCount, 0);
    for (int z = 1; z <= m.ZoneCount; ++z) {
      EXPECT_TRUE(base.exists("temp/temp" + m.ZoneCode[z] + ".zon")) << m.ZoneCode[z];
    }
    EXPECT_TRUE(MainMenu().isEnabled());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(MainMenu().windowTitle().toStdString(), "-- " + m.ProjectFile);
    for (M item : {M::projectinformation, M::saveinput, M::zonedescription, M::runmenu,
                   M::executerun, M::viewmenu}) {
      EXPECT_TRUE(MainMenu().Enabling()[item]) << MenuItemName(item);
    }
    EXPECT_TRUE(MainMenu().ControlEnabled(M::saveinput));
    Model().StepFlags = {};  // no question before the next sample
  }
}

TEST_F(ProjectDialogs, a_sample_name_is_taken_exactly_and_a_missing_one_keeps_the_dialog_open) {
  RetrieveSample("SampleProject");
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text.rfind("Bad file name, or some files are missing, or your input "
                                      "is not complete. Re-check your program input data.", 0),
            0U);
  EXPECT_TRUE(SampleDialog().isVisible());
  EXPECT_FALSE(MainMenu().isEnabled());
  EXPECT_EQ(Model().ProjectFile, "New_Project");  // named only after a successful read
  EXPECT_EQ(Model().ProjectLoaded, 0);
  QTest::mouseClick(SampleDialog().cancelbutton(), Qt::LeftButton);
  EXPECT_FALSE(SampleDialog().isVisible());
  EXPECT_TRUE(MainMenu().isEnabled());
}

TEST_F(ProjectDialogs, retrieve_asks_first_when_a_step_is_done) {
  Model().StepFlags[2] = 1;
  boxes.answers = {MsgAnswer::No};
  MainMenu().retrieveitem_Click();
  EXPECT_FALSE(RetrieveDialogExists() && RetrieveDialog().isVisible());
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, kNewProjectQuestion);
  EXPECT_EQ(boxes.beeps, 1);
  boxes.answers = {MsgAnswer::Yes};
  MainMenu().retrieveitem_Click();
  EXPECT_TRUE(RetrieveDialog().isVisible());
  EXPECT_EQ(RetrieveDialog().windowTitle(), "Retrieve....");
  EXPECT_FALSE(MainMenu().isEnabled());
  RetrieveDialog().cancelbutton_Click();
  EXPECT_TRUE(MainMenu().isEnabled());
}

TEST_F(ProjectDialogs, retrieve_completes_the_name_from_the_folder_and_clears_hourly_output) {
  fs::copy_file(base.path("sample/SampleSchool.inp"), base.path("work/school.inp"));
  struct Case {
    std::string typed, want;
  } cases[] = {
      {"school", "work/school.inp"},
      {"school.inp", "work/school.inp"},
  };
  for (const Case& c : cases) {
    Model().HourlyOutput = 1;
    Model().StepFlags = {};
    RetrieveFile(base.path("work").string(), c.typed);
    EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
    EXPECT_EQ(Model().ProjectFile, base.path(c.want).string());
    EXPECT_EQ(Model().ProjectFileName, c.typed);
    EXPECT_EQ(Model().HourlyOutput, 0);
    EXPECT_EQ(Model().UnitSystem, model::kSI);  // from the file's tag
    EXPECT_FALSE(RetrieveDialog().isVisible());
  }
  // The folder list moves through the parent entry and a sub-folder.
  FilePicker* picker = RetrieveDialog().Picker();
  picker->SetFolder(base.path("work").string());
  picker->OpenFolderRow(0);
  EXPECT_EQ(picker->Folder(), base.dir().string());
  const auto work = picker->Dir1()->findItems("work", Qt::MatchExactly);
  ASSERT_EQ(work.size(), 1);
  picker->OpenFolderRow(picker->Dir1()->row(work.front()));
  EXPECT_EQ(picker->Folder(), base.path("work").string());
  ASSERT_EQ(picker->File1()->count(), 1);
  EXPECT_EQ(picker->File1()->item(0)->text(), "school.inp");

  // A double click in the file list retrieves at once.
  Model().ProjectData[1] = "Changed";
  MainMenu().retrieveitem_Click();
  emit picker->fileChosen("school.inp");
  EXPECT_EQ(RetrieveDialog().retrievefile()->text(), "school.inp");
  EXPECT_EQ(Model().ProjectData[1], "SampleSchool");
  EXPECT_FALSE(RetrieveDialog().isVisible());
}

TEST_F(ProjectDialogs, a_damaged_file_leaves_project_menus_and_zone_files_as_they_were) {
  // A project from a file, with its zone files and demand-charge rows.
  Model().ProjectLoaded = 1;
  Model().ProjectFile = Model().LastProjectFile = base.path("work/old.inp").string();
  Model().ProjectData[1] = "Old project";
  Model().DemChgCount = 1;
  Model().DemChgKw[1] = "100";
  base.write("temp/temp11.zon", "old zone\r\n");
  base.write("temp/temp77.zon", "other zone\r\n");
  const std::string sample = base.read("sample/SampleProject.inp");
  base.write("work/damaged.inp", sample.substr(0, sample.size() / 2));
  const MenuEnabling before = MainMenu().Enabling();
  const auto kept = std::make_unique<model::ProjectModel>(Model());

  RetrieveFile(base.path("work").string(), "damaged");
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text.rfind("KAL-VANO is unable to open your input file because it "
                                      "has a wrong format.  Check your input file.", 0),
            0U);
  EXPECT_EQ(ProjectDifferences(Model(), *kept), std::vector<std::string>{});
  EXPECT_EQ(Model().ProjectFile, kept->ProjectFile);
  EXPECT_EQ(Model().DemChgKw[1], "100");
  EXPECT_TRUE(MainMenu().Enabling() == before);
  EXPECT_EQ(base.read("temp/temp11.zon"), "old zone\r\n");
  EXPECT_EQ(base.read("temp/temp77.zon"), "other zone\r\n");
  EXPECT_TRUE(RetrieveDialog().isVisible());
  EXPECT_FALSE(MainMenu().isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // A good file then replaces the project, its zone files and its demand-charge rows.
  boxes.asked.clear();
  fs::copy_file(base.path("sample/SampleProject.inp"), base.path("work/good.inp"));
  RetrieveDialog().retrievefile()->setText("good");
  RetrieveDialog().okbutton_Click();
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(Model().ProjectData[1], "SampleProject");
  EXPECT_EQ(Model().DemChgKw[1], "");
  EXPECT_FALSE(base.exists("temp/temp77.zon"));
  EXPECT_NE(base.read("temp/temp11.zon"), "old zone\r\n");
  EXPECT_TRUE(MainMenu().isEnabled());
}

// A project file edited by hand whose station line the engine would read otherwise: each is
// refused with one box naming the value and the line, and the project, its zone files and its
// sketch stay as they were.
TEST_F(ProjectDialogs, a_station_line_read_otherwise_is_refused_naming_the_value) {
  RetrieveSample("SampleProject.inp");
  const auto kept = std::make_unique<model::ProjectModel>(Model());
  const std::string zone = base.read("temp/temp11.zon");
  const std::string sketch = base.read("sketch/bld_mtx.all");
  const std::string sample = base.read("sample/SampleProject.inp");
  const std::string station = "72530    42  87.9    90   659";
  ASSERT_NE(sample.find(station), std::string::npos);
  struct Case {
    const char* values;  // from column 51 on
    const char* named;
  } cases[] = {
      {"72530   33-  87.9    90   659", "latitude \"33-\""},
      {"72530    42 4.2.1    90   659", "longitude \"4.2.1\""},
      {"72530  41.987.900    90   659", "longitude \"87.900\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.values);
    std::string edited = sample;
    edited.replace(edited.find(station), station.size(), c.values);
    base.write("work/edited.inp", edited);
    boxes.asked.clear();
    boxes.answers = {MsgAnswer::Yes};  // a new project, as the steps are done
    RetrieveFile(base.path("work").string(), "edited");
    ASSERT_EQ(boxes.asked.size(), 2U);
    const std::string& text = boxes.asked[1].text;
    EXPECT_EQ(text.rfind("KAL-VANO is unable to open your input file: the simulation would not read "
                         "the " + std::string(c.named) + " on its station line as written",
                         0),
              0U)
        << text;
    EXPECT_NE(text.find("station line, line 16"), std::string::npos) << text;
    EXPECT_EQ(boxes.asked[1].title, "Kalvano Error #  62");
    EXPECT_EQ(ProjectDifferences(Model(), *kept), std::vector<std::string>{});
    EXPECT_EQ(base.read("temp/temp11.zon"), zone);
    EXPECT_EQ(base.read("sketch/bld_mtx.all"), sketch);
    RetrieveDialog().cancelbutton_Click();
  }
}

// A file too big to read, and a damaged line of two million characters: each is one short
// error box, and the project stays as it was.
TEST_F(ProjectDialogs, a_huge_file_or_line_is_one_short_error_box) {
  RetrieveSample("SampleProject.inp");
  const auto kept = std::make_unique<model::ProjectModel>(Model());
  base.write("work/huge.inp", "KAL-VANO  .5         4  IP\r\n");
  fs::resize_file(base.path("work/huge.inp"), model::kMaxReadBytes + 1);  // sparse
  std::string sample = base.read("sample/SampleProject.inp");
  const std::size_t id = sample.find("ID. #");
  sample.insert(id + 10, "99" + std::string(2'000'000, '\x01'));
  base.write("work/longline.inp", sample);
  struct Case {
    const char* file;
    std::string message, title;
  } cases[] = {
      {"huge", "File is too big to open.", "Kalvano Error #  7"},
      {"longline", "Subscript out of range", "Kalvano Error #  9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    boxes.asked.clear();
    boxes.answers = {MsgAnswer::Yes};  // a new project, as the steps are done
    RetrieveFile(base.path("work").string(), c.file);
    ASSERT_EQ(boxes.asked.size(), 2U);
    EXPECT_EQ(boxes.asked[0].text, kNewProjectQuestion);
    EXPECT_EQ(boxes.asked[1].text.rfind(c.message, 0), 0U) << boxes.asked[1].text;
    EXPECT_EQ(boxes.asked[1].title, c.title);
    EXPECT_LT(boxes.asked[1].text.size(), 200U);
    EXPECT_EQ(ProjectDifferences(Model(), *kept), std::vector<std::string>{});
    RetrieveDialog().cancelbutton_Click();
  }
}

TEST_F(ProjectDialogs, a_saved_project_retrieved_again_gives_the_same_model) {
  RetrieveSample("SampleProject.inp");
  boxes.asked.clear();
  MainMenu().saveinput_Click();
  saveinputform& dialog = SaveDialog();
  EXPECT_EQ(dialog.windowTitle(), "Save Input File....");
  EXPECT_EQ(dialog.Picker()->Folder(), base.path("sample").string());
  EXPECT_EQ(dialog.inputname()->text().toStdString(), Model().ProjectFile);
  EXPECT_TRUE(dialog.savetype(1)->isChecked());
  Save(base.path("work").string(), "copy", false);
  EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text;
  const std::string saved = base.path("work/copy.inp").string();
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_EQ(FirstLine("work/copy.inp"), model::InputHeaderLine(" .5", 4, "IP"));  // seed kept
  EXPECT_FALSE(dialog.isVisible());
  const model::ProjectModel& m = Model();
  EXPECT_EQ(m.ProjectFile, saved);
  EXPECT_EQ(m.LastProjectFile, saved);
  EXPECT_EQ(m.ProjectFileName, saved);
  EXPECT_EQ(m.InputSaved, 1);
  EXPECT_EQ(m.ProjectLoaded, 1);
  EXPECT_EQ(MainMenu().windowTitle().toStdString(), "-- " + saved);
  const auto afterSave = std::make_unique<model::ProjectModel>(m);

  Model().ProjectData[1] = "Changed";
  Model().StepFlags = {};
  RetrieveFile(base.path("work").string(), "copy");
  EXPECT_EQ(ProjectDifferences(Model(), *afterSave), std::vector<std::string>{});
  EXPECT_EQ(Model().ProjectData[1], "SampleProject");
}

TEST_F(ProjectDialogs, saving_in_the_other_unit_system_writes_converted_values_and_reads_them_back) {
  RetrieveSample("SampleProject.inp");
  const float area = static_cast<float>(model::Val(Model().ProjectData[8]));
  ASSERT_EQ(Model().ZoneData[1][9], "CP17");
  Save(base.path("work").string(), "si.inp", true);
  EXPECT_EQ(FirstLine("work/si.inp").substr(24), "SI");
  EXPECT_EQ(Model().UnitSystem, model::kSI);
  EXPECT_NEAR(model::Val(Model().ProjectData[8]), area * 0.09290304, 0.5);
  EXPECT_EQ(Model().ZoneData[1][9], "CP8");  // litres per second per person
  EXPECT_NE(base.read("work/si.inp").find("OA CFM    CP8\r\n"), std::string::npos);

  // The next activation follows the model's units; back to inch-pound.
  Save(base.path("work").string(), "ip.inp", false);
  EXPECT_EQ(FirstLine("work/ip.inp").substr(24), "IP");
  EXPECT_EQ(Model().UnitSystem, model::kInchPound);
  EXPECT_NEAR(model::Val(Model().ProjectData[8]), area, 6.0);
  EXPECT_TRUE(boxes.asked.size() == 1U) << boxes.asked.size();  // the sample's notice only
}

TEST_F(ProjectDialogs, a_new_project_gets_a_new_seed_and_the_name_rule_of_the_file_part) {
  RetrieveSample("SampleProject.inp");
  Model().ProjectLoaded = 0;
  fs::create_directories(base.path("work/my.dir"));
  Save(base.path("work/my.dir").string(), "house.old.dat", false);
  ASSERT_TRUE(base.exists("work/my.dir/house.inp"));
  EXPECT_EQ(FirstLine("work/my.dir/house.inp"), model::InputHeaderLine(" .25", 4, "IP"));
  EXPECT_EQ(SaveDialog().inputname()->text().toStdString(), base.path("work/my.dir/house.inp").string());
}

TEST_F(ProjectDialogs, a_failed_save_is_reported_and_the_dialog_stays_open) {
  RetrieveSample("SampleProject.inp");
  boxes.asked.clear();
  const std::string before = Model().ProjectFile;
  Model().InputSaved = 0;
  Save(base.path("work").string(), base.path("no/such/folder/x").string(), false);
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].title.rfind("Kalvano Error # ", 0), 0U);
  Save(base.path("work").string(), "  ", false);  // no name at all
  ASSERT_EQ(boxes.asked.size(), 2U);
  EXPECT_EQ(boxes.asked[1].text, "Bad file name or number.");
  EXPECT_FALSE(base.exists("work/.inp"));
  EXPECT_TRUE(SaveDialog().isVisible());
  EXPECT_EQ(SaveDialog().inputname()->text().toStdString(), before);
  EXPECT_EQ(Model().InputSaved, 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A project saved onto a name that is, at the end of its links, no regular file: refused
// naming the name, the node left as it was, nothing written, and the dialog still open.
TEST_F(ProjectDialogs, a_save_onto_a_device_or_a_pipe_is_refused_and_leaves_it_as_it_was) {
  RetrieveSample("SampleProject.inp");
  const bool root = ::geteuid() == 0;
  if (root) {  // a node of the null device, in the scratch folder
    ASSERT_EQ(::mknod(base.path("char.dev").c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    fs::create_symlink(base.path("char.dev"), base.path("work/device.inp"));
  }
  ASSERT_EQ(::mkfifo(base.path("work/pipe.inp").c_str(), 0644), 0);
  const std::string before = Model().ProjectFile;
  Model().InputSaved = 0;
  for (const char* typed : {"device.inp", "pipe.inp"}) {
    SCOPED_TRACE(typed);
    if (std::string(typed) == "device.inp" && !root) continue;  // mknod needs root
    const fs::path node = base.path("work") / typed;
    struct stat was {}, is {};
    ASSERT_EQ(::stat(node.c_str(), &was), 0);
    boxes.asked.clear();
    Save(base.path("work").string(), typed, false);
    ASSERT_EQ(boxes.asked.size(), 1U);
    const bool device = std::string(typed) == "device.inp";
    EXPECT_EQ(boxes.asked[0].text, std::string(device ? "This name is a device" : "This name is a named pipe") +
                                       ", not a file.  Choose another name.\n\n" + node.string());
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrPathFileAccess));
    ASSERT_EQ(::stat(node.c_str(), &is), 0);
    EXPECT_EQ(is.st_mode, was.st_mode);
    EXPECT_EQ(is.st_rdev, was.st_rdev);
    EXPECT_EQ(is.st_ino, was.st_ino);
    EXPECT_TRUE(SaveDialog().isVisible());
    EXPECT_EQ(SaveDialog().inputname()->text().toStdString(), before);
    EXPECT_EQ(Model().InputSaved, 0);
    EXPECT_EQ(Model().ProjectFile, before);
  }
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(base.path("work"))) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (root ? std::set<std::string>{"device.inp", "pipe.inp"} : std::set<std::string>{"pipe.inp"}));
}

TEST_F(ProjectDialogs, save_checks_resketch_weather_and_sketch_before_opening) {
  struct Case {
    int16_t resketched, weather, loaded, sketch;
    const char* text;
    const char* title;
  } cases[] = {
      {1, 1, 0, 1, "The building has been re-sketched.  Please examine the zone descriptions "
                   "before saving.", "Error"},
      {0, 0, 0, 1, "Please enter the weather data before saving the input file.", "Weather Data"},
      {0, 1, 0, 0, "Please sketch your building before saving the input file.", "Building Sketch"},
      {0, 0, 1, 1, nullptr, nullptr},  // a project from a file needs no weather step
  };
  for (const Case& c : cases) {
    boxes.asked.clear();
    Model().Resketched = c.resketched;
    Model().StepFlags[2] = c.weather;
    Model().ProjectLoaded = c.loaded;
    Model().StepFlags[4] = c.sketch;
    Model().RunType = 3;
    MainMenu().saveinput_Click();
    if (c.text != nullptr) {
      ASSERT_EQ(boxes.asked.size(), 1U);
      EXPECT_EQ(boxes.asked[0].text, c.text);
      EXPECT_EQ(boxes.asked[0].title, c.title);
      EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
      EXPECT_FALSE(SaveDialogExists() && SaveDialog().isVisible());
    } else {
      EXPECT_TRUE(boxes.asked.empty());
      EXPECT_TRUE(SaveDialog().isVisible());
      EXPECT_EQ(Model().RunType, 0);
    }
  }
}

TEST_F(ProjectDialogs, unsaved_results_are_asked_about_and_stay_unsaved_until_the_output_is_saved) {
  RetrieveSample("SampleProject.inp");
  // The results of a run, gathered.
  const std::string report = model::test::WholeReport();
  base.write("temp/tavik$.out", report);
  base.write("temp/tavik$.flt", model::test::SectionNineOf(report));
  boxes.asked.clear();
  model::ProjectModel& m = Model();
  model::RecordResults(m);
  m.ResultsExist = 1;
  m.OutputSaved = 0;
  boxes.answers = {MsgAnswer::Yes};
  Save(base.path("work").string(), "r", false);
  ASSERT_EQ(boxes.asked.size(), 1U);
  EXPECT_EQ(boxes.asked[0].text, kResultsUnsaved);
  EXPECT_EQ(boxes.asked[0].title, "Save output");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Information);
  EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::YesNo);
  // Yes: the save-output dialog opens without its Run button; nothing is saved yet.
  EXPECT_EQ(m.ResultsExist, 1);
  ASSERT_TRUE(SaveOutputDialogExists());
  EXPECT_TRUE(SaveOutputDialog().isVisible());
  EXPECT_FALSE(SaveOutputDialog().nosave()->isEnabled());
  EXPECT_TRUE(endRequests.empty());

  // Cancel in the save-output dialog, then Exit and No: the results question is asked
  // (answered Cancel: the program goes on).
  SaveOutputDialog().cancelbuttton_Click();
  EXPECT_EQ(m.ResultsExist, 1);
  boxes.asked.clear();
  boxes.answers = {MsgAnswer::Cancel};
  MainMenu().exititem_Click();
  QTest::mouseClick(ExitDialog().Command1(), Qt::LeftButton);
  EXPECT_EQ(Asked(), std::vector<std::string>{std::string(kUnsavedResultsQuestion)});
  EXPECT_TRUE(endRequests.empty());

  // No to the question: the results stay unsaved.
  boxes.asked.clear();
  boxes.answers = {MsgAnswer::No};
  Save(base.path("work").string(), "r", false);
  EXPECT_EQ(Asked(), std::vector<std::string>{kResultsUnsaved});
  EXPECT_EQ(m.ResultsExist, 1);

  // Yes, and the output saved: no question any more.
  boxes.answers = {MsgAnswer::Yes};
  Save(base.path("work").string(), "r", false);
  saveoutform& output = SaveOutputDialog();
  output.Picker()->SetFolder(base.path("work").string());
  output.outputname()->setText("r.ot1");
  QTest::mouseClick(output.okbutton(), Qt::LeftButton);
  EXPECT_TRUE(base.exists("work/r.ot1"));
  EXPECT_EQ(m.ResultsExist, 0);
  EXPECT_EQ(m.OutputSaved, 1);
  boxes.asked.clear();
  Save(base.path("work").string(), "r", false);
  EXPECT_TRUE(boxes.asked.empty());
}

// Exit, "OK" on a project without a file: the save dialog saves, then the exit goes on.
class SaveOnExit : public ProjectDialogs {
 protected:
  void SetUp() override {
    ProjectDialogs::SetUp();
    RetrieveSample("SampleProject.inp");
    boxes.asked.clear();
    Model().ProjectLoaded = 0;
    MainMenu().exititem_Click();
    QTest::mouseClick(ExitDialog().okey(), Qt::LeftButton);
  }
};

TEST_F(SaveOnExit, ok_opens_the_save_dialog_and_the_saved_project_ends_the_program) {
  EXPECT_EQ(Model().EndAfterSave, 1);
  EXPECT_TRUE(SaveDialog().isVisible());
  EXPECT_TRUE(ExitDialog().isVisible());
  EXPECT_TRUE(endRequests.empty());
  Save(base.path("work").string(), "leaving", false);
  EXPECT_TRUE(base.exists("work/leaving.inp"));
  EXPECT_TRUE(boxes.asked.empty());
  EXPECT_EQ(endRequests, std::vector<int>{0});
  EXPECT_TRUE(ZoneFiles(base).empty());
}

TEST_F(SaveOnExit, unsaved_results_are_still_asked_about_after_the_save) {
  Model().ResultsExist = 1;
  boxes.answers = {MsgAnswer::No};
  Save(base.path("work").string(), "leaving", false);
  EXPECT_EQ(Asked(), std::vector<std::string>{std::string(kUnsavedResultsQuestion)});
  EXPECT_EQ(endRequests, std::vector<int>{0});
}

TEST_F(SaveOnExit, backing_out_of_the_results_question_makes_later_saves_ordinary) {
  Model().ResultsExist = 1;
  boxes.answers = {MsgAnswer::Cancel};
  Save(base.path("work").string(), "leaving", false);
  EXPECT_TRUE(endRequests.empty());
  EXPECT_EQ(Model().EndAfterSave, 0);
  EXPECT_EQ(Model().SaveOutOnExit, 0);
  EXPECT_FALSE(ExitDialog().isVisible());
  Model().ResultsExist = 0;
  Save(base.path("work").string(), "again", false);
  EXPECT_TRUE(base.exists("work/again.inp"));
  EXPECT_TRUE(endRequests.empty());
}

TEST_F(SaveOnExit, cancelling_the_exit_under_the_save_dialog_makes_the_save_ordinary) {
  QTest::mouseClick(ExitDialog().cancel(), Qt::LeftButton);
  EXPECT_EQ(Model().EndAfterSave, 0);
  EXPECT_TRUE(SaveDialog().isVisible());
  Save(base.path("work").string(), "stay", false);
  EXPECT_TRUE(base.exists("work/stay.inp"));
  EXPECT_TRUE(endRequests.empty());
}

TEST_F(SaveOnExit, cancelling_the_save_makes_later_saves_ordinary) {
  SaveDialog().cancelbuttton_Click();
  EXPECT_FALSE(SaveDialog().isVisible());
  EXPECT_EQ(Model().EndAfterSave, 0);
  EXPECT_EQ(SaveDialog().Text1()->toPlainText().toStdString(), Model().ProjectFile);
  Save(base.path("work").string(), "later", false);
  EXPECT_TRUE(base.exists("work/later.inp"));
  EXPECT_TRUE(endRequests.empty());
}

}  // namespace
}  // namespace kalvano::shell
