#include "frontend/model/helpers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace kalvano::model {
namespace {
using test::NewModel;
using test::RecordingBoxes;
using test::TempBase;

TEST(RoundTo, rounds_halves_up_in_double_precision) {
  struct Case {
    double x, n;
    float want;
  };
  const Case cases[] = {
      {2.3456, 2, 2.35f}, {-1.25, 1, -1.2f}, {7, 0, 7.0f},     {1.005, 2, 1.0f},
      {-2.5, 0, -2.0f},   {2.5, 0, 3.0f},    {1000 * 10.76391, 1, 10763.9f}, {0.0004, 3, 0.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundTo(c.x, c.n), c.want) << c.x << " " << c.n;
  EXPECT_EQ(RoundTo(" 2.3456", 2), 2.35f);
}

TEST(RoundTo, a_text_without_a_number_is_a_type_mismatch) {
  for (const char* bad : {"abc", "", "1,5"}) {
    try {
      RoundTo(std::string_view(bad), 1);
      ADD_FAILURE() << bad;
    } catch (const FileError& e) {
      EXPECT_EQ(e.number(), kErrTypeMismatch);
    }
  }
}

TEST(DayOfYear, a_text_that_is_no_date_is_a_type_mismatch) {
  for (const char* bad : {"29-Feb-", "32-Jan-", "15-Foo-", "Oct-", "x-Oct-"}) {
    try {
      DayOfYear(bad, 2005);
      ADD_FAILURE() << bad;
    } catch (const FileError& e) {
      EXPECT_EQ(e.number(), kErrTypeMismatch) << bad;
    }
  }
}

TEST(ReportFileError, shows_the_fixed_message_and_title_for_each_error_number) {
  const std::string disk = "Disk error. Please check the disk and try again.";
  const std::string path = "Path not found or path/file access error.";
  struct Case {
    int number;
    std::string message, title;
  };
  const Case cases[] = {
      {7, "File is too big to open.", "Kalvano Error #  7"},
      {52, "Bad file name or number.", "Kalvano Error #  52"},
      {53,
       "Bad file name, or some files are missing, or your input is not complete. Re-check your "
       "program input data.",
       "Kalvano Error #  53"},
      {55, "Error. File already open.", "Kalvano Error #  55"},
      {57, disk, "Kalvano Error #  57"},
      {61, "Disk is full.  Save to another disk.", "Kalvano Error #  61"},
      {62,
       "KAL-VANO is unable to open your input file because it has a wrong format.  Check your "
       "input file.",
       "Kalvano Error #  62"},
      {68, disk, "Kalvano Error #  68"},
      {70, "Permission denied.  Check the disk.", "Kalvano Error #  70"},
      {71, disk, "Kalvano Error #  71"},
      {72, disk, "Kalvano Error #  72"},
      {75, path, "Kalvano Error #  75"},
      {76, path, "Kalvano Error #  76"},
      {9, "Subscript out of range", "Kalvano Error #  9"},
      {13, "Type mismatch", "Kalvano Error #  13"},
  };
  for (const auto& c : cases) {
    RecordingBoxes boxes;
    ReportFileError(boxes, FileError(c.number));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, c.message) << c.number;
    EXPECT_EQ(boxes.shown[0].title, c.title);
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Exclamation);
  }
}

TEST(ReportFileError, system_failures_map_to_the_model_error_numbers) {
  TempBase base;
  struct Case {
    int err;
    std::string path;
    int number;
    std::string text;  // what the box says, when it is not the number's fixed message
  };
  const Case cases[] = {
      {ENOENT, base.path("temp/missing.inp"), 53, {}}, {ENOENT, base.path("nofolder/x.inp"), 76, {}},
      {ENOTDIR, base.path("a/b"), 76, {}},           {EACCES, base.path("x"), 70, {}},
      {EPERM, base.path("x"), 70, {}},               {EROFS, base.path("x"), 70, {}},
      {ENOSPC, base.path("x"), 61, {}},              {EIO, base.path("x"), 57, {}},
      {EISDIR, base.path("temp"), 75, {}},           {EDQUOT, base.path("x"), 61, {}},
      // A file-size limit is no full disk.
      {EFBIG, base.path("x"), 61,
       "File is larger than this program may write: the system limits the size of its files.  "
       "Raise the limit, then try again."},
  };
  for (const auto& c : cases) {
    FileError e = FileErrorFromSystem(c.err, c.path);
    EXPECT_EQ(e.number(), c.number) << c.err << " " << c.path;
    RecordingBoxes boxes;
    ReportFileError(boxes, e);
    EXPECT_EQ(boxes.shown.at(0).text, c.text.empty() ? FileErrorMessage(c.number) : c.text) << c.err;
    EXPECT_EQ(FileErrorBoxText(e), boxes.shown.at(0).text + "\n\n" + BoxDetail(c.path)) << c.err;
  }
}

TEST(SharedWarnings, show_their_texts) {
  RecordingBoxes boxes;
  WarnNotNumeric(boxes);
  EXPECT_EQ(boxes.beeps, 0);
  WarnSharedProfile(boxes);
  EXPECT_EQ(boxes.beeps, 1);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "You should use numerical value.");
  EXPECT_EQ(boxes.shown[0].title, "Error");
  EXPECT_EQ(boxes.shown[1].text,
            "The profile / property has been used.  If you change its value, you will also "
            "change the value of the profile / property you have previously used.");
  EXPECT_EQ(boxes.shown[1].title, "Warning");
  EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Exclamation);
}

TEST(NewProject, resets_the_project_and_leaves_zones_types_and_profiles) {
  TempBase base;
  auto m = NewModel(base.dir());
  m->ProjectFile = "/p/house.inp";
  m->ProjectLoaded = m->ResultsExist = m->InputSaved = m->DaylightUsed = m->RunType = 1;
  m->DesTempsValid = 1;
  m->DesTemps[1] = " 95";
  m->ProfKindEdited[3] = m->ProfKindOpened[5] = m->PropTableOpened[2] = 1;
  m->ZoneLoaded[7] = m->ZoneOpened[100] = 1;
  m->ProjectData[11] = "10";
  m->WeatherBlock[11] = "WIND";
  m->EconData[10] = "3";
  m->DemChgSwitch = "Y";
  m->WeeksPerMonth = 2;
  m->ZoneCount = 2;
  m->ZoneCode[2] = "12";
  m->WallId[3] = " 3";
  m->OccProfNo[4] = "4";
  m->DemChgCount = 2;
  m->UnitSystem = kSI;
  m->StepFlags[3] = 1;
  base.write("temp/tavik$.tmp", "1\r\n");
  base.write("temp/temp11.zon", "end\r\n");

  NewProject(*m);
  EXPECT_EQ(m->ProjectFile, "NewProject.inp");
  EXPECT_EQ(m->LastProjectFile, "/p/house.inp");
  EXPECT_EQ(m->ProjectLoaded + m->ResultsExist + m->InputSaved + m->DaylightUsed + m->RunType +
                m->DesTempsValid,
            0);
  EXPECT_EQ(m->DesTemps[1], "");
  EXPECT_EQ(m->ProfKindEdited[3] + m->ProfKindOpened[5] + m->PropTableOpened[2], 0);
  EXPECT_EQ(m->ZoneLoaded[7] + m->ZoneOpened[100], 0);
  EXPECT_EQ(m->ProjectData[11] + m->WeatherBlock[11] + m->EconData[10] + m->DemChgSwitch, "");
  EXPECT_EQ(m->WeeksPerMonth, 4);
  // Left as they are.
  EXPECT_EQ(m->ZoneCount, 2);
  EXPECT_EQ(m->ZoneCode[2], "12");
  EXPECT_EQ(m->WallId[3], " 3");
  EXPECT_EQ(m->OccProfNo[4], "4");
  EXPECT_EQ(m->DemChgCount, 2);
  EXPECT_EQ(m->UnitSystem, kSI);
  EXPECT_EQ(m->StepFlags[3], 1);
  // The sketch was never opened: no file is deleted.
  EXPECT_TRUE(base.exists("temp/tavik$.tmp"));
  EXPECT_TRUE(base.exists("temp/temp11.zon"));

  NewProject(*m);
  EXPECT_EQ(m->LastProjectFile, "NewProject.inp");
}

TEST(NewProject, deletes_the_temp_lists_only_after_the_sketch_was_opened) {
  TempBase base;
  auto m = NewModel(base.dir());
  m->SketchOpenCount = 2;
  base.write("temp/tavik$.tmp", "1\r\n");
  base.write("temp/zname.tmp", "x\r\n");
  base.write("temp/temp11.zon", "end\r\n");
  NewProject(*m);
  EXPECT_FALSE(base.exists("temp/tavik$.tmp"));
  EXPECT_FALSE(base.exists("temp/zname.tmp"));
  EXPECT_TRUE(base.exists("temp/temp11.zon"));
  EXPECT_EQ(m->SketchOpenCount, 0);
}

TEST(KillTempZoneFiles, deletes_zone_files_only_under_its_conditions) {
  struct Case {
    const char* what;
    void (*set)(ProjectModel&);
    bool deletes;
  };
  const Case cases[] = {
      {"right after start-up", [](ProjectModel&) {}, false},
      {"results only", [](ProjectModel& m) { m.ResultsExist = 1; m.ZonesEntered = 1; }, false},
      {"kind 0 flags do not count",
       [](ProjectModel& m) { m.ProfKindOpened[0] = 1; m.PropTableOpened[0] = 1; }, false},
      {"project loaded", [](ProjectModel& m) { m.ProjectLoaded = 1; }, true},
      {"input saved", [](ProjectModel& m) { m.InputSaved = 1; }, true},
      {"sketch opened", [](ProjectModel& m) { m.SketchOpenCount = 1; }, true},
      {"occupancy editor opened", [](ProjectModel& m) { m.ProfKindOpened[1] = 1; }, true},
      {"temperature editor opened", [](ProjectModel& m) { m.ProfKindOpened[5] = 1; }, true},
      {"wall table opened", [](ProjectModel& m) { m.PropTableOpened[1] = 1; }, true},
      {"window table opened", [](ProjectModel& m) { m.PropTableOpened[2] = 1; }, true},
      {"property table 5 opened", [](ProjectModel& m) { m.PropTableOpened[5] = 1; }, true},
  };
  for (const auto& c : cases) {
    TempBase base;
    auto m = NewModel(base.dir());
    c.set(*m);
    base.write("temp/temp11.zon", "end\r\n");
    base.write("temp/temp212.zon", "end\r\n");
    base.write("temp/tavik$.inp", "x\r\n");
    KillTempZoneFiles(*m);
    EXPECT_EQ(!base.exists("temp/temp11.zon"), c.deletes) << c.what;
    EXPECT_EQ(!base.exists("temp/temp212.zon"), c.deletes) << c.what;
    EXPECT_TRUE(base.exists("temp/tavik$.inp")) << c.what;
  }
  // Nothing to delete, or no temp folder at all: no error.
  TempBase base;
  auto m = NewModel(base.path("nowhere"));
  m->ProjectLoaded = 1;
  EXPECT_NO_THROW(KillTempZoneFiles(*m));
}

TEST(FindExcelPath, finds_a_spreadsheet_program_on_the_search_path) {
  TempBase base;
  namespace fs = std::filesystem;
  auto program = [&](const std::string& folder, const std::string& name, bool executable) {
    fs::create_directories(base.path(folder));
    base.write(folder + "/" + name, "#!/bin/sh\n");
    fs::permissions(base.path(folder + "/" + name),
                    executable ? fs::perms::owner_all : fs::perms::owner_read);
  };
  program("a", "xdg-open", true);
  program("b", "gnumeric", true);
  program("c", "localc", true);
  program("d", "localc", false);
  program("e", "notes", true);
  struct Case {
    std::string path, want;
  };
  const Case cases[] = {
      {base.path("a") + ":" + base.path("b") + ":" + base.path("c"), base.path("c/localc")},
      {base.path("a") + ":" + base.path("b"), base.path("b/gnumeric")},
      {base.path("d") + ":" + base.path("a"), base.path("a/xdg-open")},
  };
  for (const auto& c : cases) {
    auto m = NewModel(base.dir());
    FindExcelPath(*m, c.path);
    EXPECT_EQ(m->ExcelPath, c.want) << c.path;
  }
  // None found: ExcelPath keeps its value, nothing is reported.
  auto m = NewModel(base.dir());
  FindExcelPath(*m, base.path("d") + ":" + base.path("e") + ":" + base.path("missing"));
  EXPECT_EQ(m->ExcelPath, "");
  m->ExcelPath = "/old/program";
  FindExcelPath(*m, "");
  EXPECT_EQ(m->ExcelPath, "/old/program");
}

TEST(PrepareSaveOutput, proposes_the_output_name_from_the_project_name) {
  struct Case {
    const char* name;
    const char* want;
  };
  const Case cases[] = {
      {"New_Project", "New_Project.ot1"},
      {"house.inp", "house.ot1"},
      {"/p/house.inp", "/p/house.ot1"},
      {"/p.v2/house", "/p.v2/house.ot1"},
      {"a.b.inp", "a.b.ot1"},
  };
  for (const auto& c : cases) EXPECT_EQ(OutputNameFor(c.name), c.want) << c.name;
}

TEST(PrepareSaveOutput, takes_the_name_by_the_saved_flags_and_lists_output_files) {
  TempBase base;
  base.write("old.ot1", "");
  base.write("old.ot2", "");
  base.write("house.inp", "");
  auto m = NewModel(base.dir());
  SaveOutputProposal p = PrepareSaveOutput(*m, "in.inp", "out.ot3");
  EXPECT_EQ(p.name, "New_Project.ot1");
  EXPECT_EQ(p.folder, base.dir());
  EXPECT_EQ(p.files, (std::vector<std::string>{"old.ot1", "old.ot2"}));
  EXPECT_TRUE(p.runEnabled);
  m->ProjectLoaded = 1;
  m->ProjectFileName = base.path("house.inp");
  EXPECT_EQ(PrepareSaveOutput(*m, "in.inp", "out.ot3").name, base.path("house.ot1"));
  m->InputSaved = 1;
  EXPECT_EQ(PrepareSaveOutput(*m, "in.inp", "out.ot3").name, "in.ot1");
  m->OutputSaved = 1;
  m->SaveOutOnExit = 1;
  p = PrepareSaveOutput(*m, "in.inp", "out.ot3");
  EXPECT_EQ(p.name, "out.ot1");
  EXPECT_FALSE(p.runEnabled);
}

}  // namespace
}  // namespace kalvano::model
