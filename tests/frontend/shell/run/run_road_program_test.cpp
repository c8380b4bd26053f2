// The run road as a whole program, under faults: the real front-end code (the run window,
// Review Results, the save-output dialog and the saved-output picker, with the real input
// echo) and the real kvan64 in scratch base folders, a second front-end in a process of its
// own, and full disks made by a file-size limit in a child process. One table of cases, each
// checking what the user is told and the bytes of every file that must not change.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <variant>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "frontend/model/atomic_file.h"
#include "../../reports/report_runs.h"
#include "frontend/model/results_record.h"
#include "frontend/model/whole_report.h"
#include "frontend/reports/chartdata.h"
#include "frontend/reports/charts.h"
#include "frontend/reports/inputecho.h"
#include "frontend/reports/tabular.h"
#include "frontend/shell/filepicker.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/retrieve.h"
#include "frontend/shell/run/runfolderlock.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/run/savedoutput.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/run/selectview.h"
#include "frontend/shell/run/viewoutput.h"
#include "frontend/weather/selectweth.h"
#include "processes.h"
#include "runlock.h"
#include "shell_test_support.h"
#include "tests/pipe_watchdog.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

using test::Child;
using test::Finish;
using test::ReadLine;
using test::Spawn;
using test::WaitFor;

// A line as the user reads it: line breaks as "|".
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n') c = '|';
  }
  return text;
}

// Every file under `folder` (recursively) with its bytes, by its path relative to `folder`.
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (const auto& e : fs::recursive_directory_iterator(folder, ec)) {
    if (!e.is_regular_file()) continue;
    std::ifstream in(e.path(), std::ios::binary);
    files[fs::relative(e.path(), folder).string()] = {std::istreambuf_iterator<char>(in),
                                                      std::istreambuf_iterator<char>()};
  }
  return files;
}

// Lets a second front-end that has loaded its project and said "ready" go on.
void Go(const Child& c) {
  std::string line;
  while (ReadLine(c, line) && line != "ready") {
  }
  EXPECT_EQ(::write(c.in, "go\n", 3), 3);
}

// Runs `body` in a child process of this one, whose files cannot grow beyond `limit` bytes
// (a full disk): the lines it returns, or none when it did not end by itself.
std::vector<std::string> WithFullDisk(rlim_t limit, const std::function<std::vector<std::string>()>& body) {
  int pipeFd[2];
  if (::pipe(pipeFd) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFd[0]);
    std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending us
    rlimit rl{};
    ::getrlimit(RLIMIT_FSIZE, &rl);
    rl.rlim_cur = limit;
    if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(97);
    std::string text;
    for (const std::string& line : body()) text += line + "\n";
    ssize_t written = ::write(pipeFd[1], text.data(), text.size());
    ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 96);
  }
  ::close(pipeFd[1]);
  Child c{pid, pipeFd[0]};
  std::vector<std::string> lines;
  const int status = Finish(c, lines);
  EXPECT_EQ(status, 0) << "the child with the file-size limit";
  return lines;
}

class RunRoadProgram : public test::ShellTest {
 protected:
  // What one case told the user, and the files it must leave as they were.
  struct Outcome {
    std::vector<std::string> told;
    std::map<fs::path, std::map<std::string, std::string>> kept;  // by folder
  };

  void SetUp() override {
    test::ShellTest::SetUp();
    test::InstallRealEngine(base);
    fs::create_directories(base.path("out"));
  }
  void TearDown() override {
    test::StopRunWindowEngine();
    UnloadResultWindows();
    ClearWindowOpeners();
    test::ShellTest::TearDown();
  }
  // The result windows, as the program registers them (again at each Load, which clears the
  // openers, until the next case).
  void RegisterResultWindows() {
    resultWindows_ = true;
    RegisterWindowOpener(window::graphs, [](int chart) { return reports::ShowChart(chart); });
    RegisterWindowOpener(window::tabular, &reports::OpenTabularViewer);
    RegisterWindowOpener(window::saveoutput, &OpenSaveOutput);
  }
  bool resultWindows_ = false;
  static void UnloadResultWindows() {
    reports::UnloadCharts();
    reports::UnloadTabularViewer();
    if (SaveOutputDialogExists()) SaveOutputDialog().hide();
  }
  // The school sample grown to 98 zones, written as base/school98.inp.
  std::string School98() {
    base.write("school98.inp", reports::test::School98());
    return base.path("school98.inp").string();
  }
  // Presses a results window's "Save Output" (when it is not pressed already) and saves the
  // output as out/<name> in the dialog it opened.
  void SaveFrom(QPushButton* save, const std::string& name) {
    RegisterResultWindows();
    if (save->isEnabled()) QTest::mouseClick(save, Qt::LeftButton);
    ASSERT_TRUE(SaveOutputDialogExists() && SaveOutputDialog().isVisible());
    saveoutform& dialog = SaveOutputDialog();
    dialog.Picker()->SetFolder(base.path("out").string());
    dialog.outputname()->setText(QString::fromStdString(name));
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
  }

  model::ProjectModel& Load(const std::string& sample) {
    model::ProjectModel& m = test::RunnableSample(base, sample);
    SetInputEchoWriter([](model::ProjectModel& model) { reports::WriteInputEcho(model, Messages()); });
    m.ProjectLoaded = 1;
    m.InputSaved = 1;
    m.LastProjectFile = m.ProjectFile;
    if (resultWindows_) RegisterResultWindows();
    return m;
  }
  // Opens the run window for a run of `runType` and presses Execute Run.
  runsim& Start(int runType, bool hourly) {
    MainMenu().runenergy_Click(runType);
    EXPECT_TRUE(RunWindowLoaded());
    runsim& w = RunWindow();
    w.hourlyoutput()->setChecked(hourly);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
    return w;
  }
  // The engine that Execute Run has just started, stopped at once (it ends its run when it
  // is let go on).
  pid_t StopEngine() {
    const std::vector<pid_t> engines = test::ChildProcesses(::getpid());
    EXPECT_EQ(engines.size(), 1u);
    if (engines.size() != 1) return -1;
    ::kill(engines[0], SIGSTOP);
    return engines[0];
  }
  void WaitForEnd(runsim& w) {
    EXPECT_TRUE(WaitFor([&w] { return !w.IsEngineRunning(); }));
    QTest::qWait(50);
  }
  // A whole run of `sample` up to Review Results, which is pressed when `review`.
  runsim& Run(const std::string& sample, bool hourly, bool review) {
    Load(sample);
    runsim& w = Start(3, hourly);
    WaitForEnd(w);
    EXPECT_EQ(Status(w).rfind("Simulation Completed at ", 0), 0u) << Status(w);
    if (review) QTest::mouseClick(w.Command3(), Qt::LeftButton);
    return w;
  }
  std::string Status(runsim& w) { return w.runstatus()->text().toStdString(); }
  // The sample, with a second wall type given the first one's I.D.: the engine stops on it.
  void LoadFailing() {
    model::ProjectModel& m = Load("SampleProject.inp");
    int first = 0;
    for (int id = 1; id <= model::kFileTypeIds && first == 0; ++id) {
      if (!m.WallId[id].empty()) first = id;
    }
    for (int id = first + 1; id <= model::kFileTypeIds; ++id) {
      if (!m.WallId[id].empty()) {
        m.WallId[id] = m.WallId[first];
        break;
      }
    }
  }
  // A fresh front-end in a fresh base folder.
  void FreshProgram() {
    UnloadResultWindows();
    resultWindows_ = false;
    ResetSession();
    boxes.asked.clear();
    for (const char* folder : {"out", "temp"}) {
      for (const auto& e : fs::directory_iterator(base.path(folder))) fs::remove_all(e.path());
    }
    test::InstallRealEngine(base);
  }
  // The title of the last message box, or "".
  std::string LastTitle() const { return boxes.asked.empty() ? std::string() : boxes.asked.back().title; }

  // What the user was told through this process's boxes since the last call (after `when`).
  void Heard(Outcome& o, const std::string& when = {}) {
    for (const auto& box : boxes.asked) o.told.push_back(when + "box " + box.title + ": " + OneLine(box.text));
    boxes.asked.clear();
  }
  // Files that must not change from now on, until Unchanged.
  void Keep(Outcome& o, const std::string& folder) { o.kept[base.path(folder)] = FilesUnder(base.path(folder)); }
  void Unchanged(Outcome& o) {
    for (const auto& [folder, files] : o.kept) {
      const auto now = FilesUnder(folder);
      EXPECT_EQ(now.size(), files.size()) << folder;
      for (const auto& [name, bytes] : files) {
        const auto at = now.find(name);
        if (at == now.end()) {
          ADD_FAILURE() << (folder / name) << " is gone";
        } else {
          EXPECT_TRUE(at->second == bytes) << (folder / name) << " changed";
        }
      }
      for (const auto& [name, bytes] : now) {
        EXPECT_TRUE(files.count(name)) << (folder / name) << " was written";
      }
    }
    o.kept.clear();
  }

  // Saves the current output as out/<name> through the save-output dialog.
  saveoutform& SaveAs(const std::string& name) {
    saveoutform& dialog = SaveOutputDialog();
    dialog.Open({}, {}, false);
    dialog.Picker()->SetFolder(base.path("out").string());
    dialog.outputname()->setText(QString::fromStdString(name));
    QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
    return dialog;
  }
  // Retrieves `path` through the saved-output picker, as "Retrieve Previous Output File".
  void Retrieve(const std::string& path) {
    Model().ViewChoice = 12;
    selectview& picker = ViewOutputPicker();
    picker.Open(true);
    picker.Text1()->setText(QString::fromStdString(path));
    QTest::mouseClick(picker.OK(), Qt::LeftButton);
    QTest::qWait(20);
  }
  // Execute Run, View Output and kvan64 started by hand in a base folder where `make` put
  // something other than a file in the lock file's place: what each says, whether anything
  // waited on a named pipe, and the files kept (temp/ and out/, where links lead).
  void LockNameTaken(Outcome& o, const std::function<void()>& make) {
    fs::create_directories(base.path("out/elsewhere"));
    base.write("out/any.ot1", "a saved output");
    Load("SampleProject.inp");
    make();
    Keep(o, "temp");
    Keep(o, "out");
    kalvano::test::PipeWatchdog watchdog(
        {base.path("temp/run.lock").string(), base.path("out/elsewhere/pipe").string()});
    runsim& w = Start(3, false);
    Heard(o, "Execute Run: ");
    o.told.push_back("status " + OneLine(Status(w)));
    o.told.push_back("engines " + std::to_string(test::ChildProcesses(::getpid()).size()));
    Retrieve(base.path("out/any.ot1").string());
    Heard(o, "View Output: ");
    Child k = Spawn({base.path("kvan64").string()}, base.path("temp"));
    std::vector<std::string> said;
    const int status = Finish(k, said);
    o.told.push_back("kvan64 status " + std::to_string(status) + (said.empty() ? "" : ": " + said[0]));
    o.told.push_back(watchdog.Fired() ? "waited on the pipe" : "waited on nothing");
  }
  // Picks the named pipe out/<name> as a saved output, a project or recorded weather through
  // `pick`: what the user is told, whether it waited, and whether the base folder is free.
  void PipePicked(Outcome& o, const std::string& name,
                  const std::function<void(const std::string&)>& pick) {
    Load("SampleProject.inp");
    const std::string pipe = base.path("out/" + name).string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    auto folderFree = [this] { return RunFolderLock().Take(base.path("temp").string()); };
    ASSERT_TRUE(folderFree());  // the lock file is there before, as after any run
    Keep(o, "temp");
    {
      kalvano::test::PipeWatchdog watchdog({pipe});
      pick(pipe);
      o.told.push_back(watchdog.Fired() ? "waited on the pipe" : "waited on nothing");
    }
    Heard(o);
    o.told.push_back(folderFree() ? "base folder free" : "base folder held");
  }
  std::string Temp(const std::string& name) { return base.read("temp/" + name); }
  std::string Joined() {
    return test::AsReportLines(Temp("sim$.out")) + test::AsReportLines(Temp("tavik$.wth")) +
           test::AsReportLines(Temp("tavik$.flt"));
  }
};

bool Says(const std::vector<std::string>& told, const std::string& part) {
  for (const std::string& line : told) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

TEST_F(RunRoadProgram, every_fault_is_told_and_leaves_what_must_not_change) {
  struct Case {
    const char* what;
    std::function<void(Outcome&)> act;
    std::vector<std::string> told;     // parts of what the user is told
    std::vector<std::string> notTold;  // parts the user must never read
  };
  const std::string locked = "box Run in progress: " + std::string(kRunLockedText);
  const Case cases[] = {
      {"a second front-end while a run holds the base folder",
       [this](Outcome& o) {
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         const pid_t engine = StopEngine();
         Child b = Spawn({KALVANO_FRONTEND_DRIVER, base.dir().string(),
                          std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleSchool.inp", "3"},
                         base.dir());
         // Its project read (which writes its zone files), it presses Execute Run.
         std::string line;
         while (ReadLine(b, line) && line != "ready") {
         }
         Keep(o, "temp");
         EXPECT_EQ(::write(b.in, "go\n", 3), 3);
         std::vector<std::string> said;
         EXPECT_EQ(Finish(b, said), 0);
         for (const std::string& line : said) o.told.push_back("second front-end " + line);
         Unchanged(o);  // no run file, no echo, no engine of the second
         ::kill(engine, SIGCONT);
         WaitForEnd(w);
         o.told.push_back("status " + Status(w));
         QTest::mouseClick(w.Command3(), Qt::LeftButton);
         // The first run's own results: its project in the chart data, its zones in the report.
         const auto chart = reports::ReadSourceEnergy(Model(), boxes);
         ASSERT_TRUE(chart.has_value());
         EXPECT_NE(chart->head.projectName.find("SampleProject"), std::string::npos) << chart->head.projectName;
         EXPECT_NE(chart->head.location.find("Chicago"), std::string::npos) << chart->head.location;
         const std::string report = Temp("tavik$.out");
         EXPECT_NE(report.find("Office East"), std::string::npos);
         EXPECT_EQ(report.find("Classrooms"), std::string::npos);
         EXPECT_EQ(report.find("SampleSchool"), std::string::npos);
       },
       {"second front-end " + std::string("box Run in progress: ") + std::string(kRunLockedText),
        "second front-end status Run Status Indicator...  Time=", "status Simulation Completed at "},
       {"second front-end status Simulation"}},

      {"kvan64 started by hand while a run holds the base folder",
       [this](Outcome& o) {
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         const pid_t engine = StopEngine();
         auto byHand = [this, &o] {
           Child k = Spawn({base.path("kvan64").string()}, base.path("temp"));
           std::vector<std::string> said;
           const int status = Finish(k, said);
           o.told.push_back("kvan64 status " + std::to_string(status) + (said.empty() ? "" : ": " + said[0]));
         };
         Keep(o, "temp");
         byHand();  // while the engine runs
         Unchanged(o);
         ::kill(engine, SIGCONT);
         WaitForEnd(w);
         Keep(o, "temp");
         byHand();  // while the results wait for Review Results
         Unchanged(o);
         QTest::mouseClick(w.Command3(), Qt::LeftButton);
         byHand();  // the run is over: the base folder is free
       },
       {"kvan64 status 7: kvan64: another run is using this run folder (run.lock is locked); nothing was changed",
        "kvan64 status 7: kvan64: another run", "kvan64 status 0"},
       {}},

      {"the front-end killed during a run",
       [this](Outcome& o) {
         Child a = Spawn({KALVANO_FRONTEND_DRIVER, base.dir().string(),
                          std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleProject.inp", "3",
                          "--stop-engine"},
                         base.dir());
         Go(a);
         std::string line;
         while (ReadLine(a, line) && line.rfind("engine ", 0) != 0) {
         }
         if (line.rfind("engine ", 0) != 0) {
           ::kill(a.pid, SIGKILL);
           FAIL() << "the front-end started no engine: " << line;
         }
         const pid_t engine = static_cast<pid_t>(std::stol(line.substr(7)));
         EXPECT_TRUE(test::ProcessRuns(engine));
         ::kill(a.pid, SIGTERM);
         std::vector<std::string> said;
         Finish(a, said);
         EXPECT_TRUE(WaitFor([engine] { return !test::ProcessRuns(engine); }, 5000)) << "the engine outlived its front-end";
         if (test::ProcessRuns(engine)) ::kill(engine, SIGKILL);
         // Nothing holds the base folder any more.
         RunFolderLock lock;
         EXPECT_TRUE(lock.Take(base.path("temp").string()));
         o.told = said;
       },
       {},
       {}},

      {"Review Results on a full disk, then again with room",
       [this](Outcome& o) {
         runsim& w = Run("SampleProject.inp", false, false);
         const std::string echo = Temp("tavik$.out");
         const std::string whole = echo + Joined();
         ASSERT_GT(whole.size(), echo.size() + 20000);
         const auto before = FilesUnder(base.path("temp"));
         const auto child = WithFullDisk(echo.size() + 10000, [this, &w, &before] {
           std::vector<std::string> said;
           QTest::mouseClick(w.Command3(), Qt::LeftButton);
           for (const auto& box : boxes.asked) said.push_back("box " + box.title + ": " + OneLine(box.text));
           boxes.asked.clear();
           const model::ProjectModel& m = Model();
           said.push_back("window " + std::to_string(RunWindowLoaded() && w.isVisible()) + " review " +
                          std::to_string(w.Command3()->isEnabled()) + " flags " +
                          std::to_string(m.ResultsExist) + std::to_string(m.ResultsViewable) +
                          std::to_string(m.OutputSaved) + " run type " + std::to_string(m.RunType));
           // The report is as the echo wrote it, and nothing else in temp changed either.
           said.push_back(std::string("temp ") + (FilesUnder(base.path("temp")) == before ? "unchanged" : "changed"));
           // Room again: the second press appends the whole report.
           rlimit rl{};
           ::getrlimit(RLIMIT_FSIZE, &rl);
           rl.rlim_cur = rl.rlim_max;
           ::setrlimit(RLIMIT_FSIZE, &rl);
           QTest::mouseClick(w.Command3(), Qt::LeftButton);
           said.push_back("again: window " + std::to_string(RunWindowLoaded()) + " flags " +
                          std::to_string(m.ResultsExist) + std::to_string(m.ResultsViewable) +
                          " boxes " + std::to_string(boxes.asked.size()));
           return said;
         });
         o.told.insert(o.told.end(), child.begin(), child.end());
         EXPECT_EQ(Temp("tavik$.out"), whole);
         for (const auto& [name, bytes] : FilesUnder(base.path("temp"))) EXPECT_NE(name[0], '.') << name;
       },
       {"box Kalvano Error #  61: File is larger than this program may write: the system limits the "
        "size of its files.  Raise the limit, then try again.||",
        "tavik$.out",
        "window 1 review 1 flags 000 run type 3", "temp unchanged", "again: window 0 flags 11 boxes 0"},
       {}},

      {"Save Output over an earlier set with a full disk part-way",
       [this](Outcome& o) {
         Run("SampleProject.inp", true, true);
         SaveAs("trial.ot1");
         Heard(o);
         ASSERT_EQ(FilesUnder(base.path("out")).size(), 5u);
         // A second run's results, under the same name: the hourly copies do not fit.
         Run("SampleSchool.inp", true, true);
         const std::size_t energy = Temp("tavik$.hry").size();
         ASSERT_GT(energy, 200000u);
         Keep(o, "out");
         const auto child = WithFullDisk(energy / 2, [this] {
           saveoutform& dialog = SaveAs("trial.ot1");
           std::vector<std::string> said;
           for (const auto& box : boxes.asked) said.push_back("box " + box.title + ": " + OneLine(box.text));
           said.push_back("saved " + std::to_string(Model().OutputSaved) + " dialog " +
                          std::to_string(dialog.isVisible()));
           return said;
         });
         o.told.insert(o.told.end(), child.begin(), child.end());
       },
       {"box Kalvano Error #  61: File is larger than this program may write: the system limits the "
        "size of its files.  Raise the limit, then try again.||",
        "trial-ot1-Energy.hry",
        "saved 0 dialog 1"},
       {}},

      {"Save Output onto a name taken by a folder",
       [this](Outcome& o) {
         Run("SampleProject.inp", true, true);
         fs::create_directories(base.path("out/taken-ot1-Temp.hry"));
         base.write("out/taken-ot1-Temp.hry/inside", "the user's");
         base.write("out/taken.ot1", "an earlier report");
         Keep(o, "out");
         SaveAs("taken.ot1");
         Heard(o);
         o.told.push_back("saved " + std::to_string(Model().OutputSaved));
       },
       {"box Kalvano Error #  75: Path not found or path/file access error.||", "taken-ot1-Temp.hry",
        "saved 0"},
       {"Disk is full", "Disk error"}},

      {"a set saved again without hourly output",
       [this](Outcome& o) {
         Run("SampleProject.inp", true, true);
         SaveAs("trial.ot2");
         ASSERT_EQ(FilesUnder(base.path("out")).size(), 5u);
         Run("SampleProject.inp", false, true);
         SaveAs("trial.ot2");
         Heard(o);
         const auto out = FilesUnder(base.path("out"));
         EXPECT_EQ(out.size(), 2u);
         EXPECT_EQ(out.at("trial.ot2"), Temp("tavik$.out"));
         EXPECT_EQ(out.at("trial-ot2.flt"), Temp("tavik$.flt"));
         // Retrieved, it comes without hourly files.
         Retrieve(base.path("out/trial.ot2").string());
         Heard(o);
         EXPECT_EQ(Model().HourlyOutput, 0);
       },
       {},
       {"box"}},

      {"View Output of files that are no report",
       [this](Outcome& o) {
         Run("SampleProject.inp", false, true);
         SaveAs("real.ot1");
         const std::string report = Temp("tavik$.out");
         base.write("out/notes.ot1", "Meeting notes\r\nIX. Next steps\r\n- the roof\r\n- the boiler\r\n");
         base.write("out/empty.ot1", "");
         base.write("out/cut.ot1", report.substr(0, report.find("\nVII.")));
         Heard(o);
         Keep(o, "temp");
         for (const char* name : {"notes.ot1", "empty.ot1", "cut.ot1"}) Retrieve(base.path(std::string("out/") + name).string());
         Heard(o);
         Unchanged(o);
         // The real report is taken.
         Retrieve(base.path("out/real.ot1").string());
         Heard(o);
         EXPECT_EQ(Model().OutputFile, base.path("out/real.ot1").string());
         EXPECT_EQ(Temp("tavik$.out"), report);
       },
       {"box Kalvano Error #  62: KAL-VANO is unable to open your saved output because it has a wrong format.",
        "out/notes.ot1", "out/empty.ot1", "out/cut.ot1"},
       {"out/real.ot1"}},

      {"View Output of a named pipe",
       [this](Outcome& o) { PipePicked(o, "pipe.ot1", [this](const std::string& pipe) { Retrieve(pipe); }); },
       {"box Kalvano Error #  75: This name is a named pipe, not a file.  Choose another name.||", "out/pipe.ot1",
        "waited on nothing", "base folder free"},
       {"wrong format"}},

      {"a named pipe picked as a project",
       [this](Outcome& o) {
         PipePicked(o, "pipe.inp", [](const std::string& pipe) {
           oldfileform& dialog = RetrieveDialog();
           dialog.retrievefile()->setText(QString::fromStdString(pipe));
           QTest::mouseClick(dialog.okbutton(), Qt::LeftButton);
         });
         o.told.push_back("project " + Model().ProjectFile);
       },
       {"box Kalvano Error #  75: This name is a named pipe, not a file.  Choose another name.||", "out/pipe.inp",
        "waited on nothing", "base folder free",
        "project " + std::string(KALVANO_SOURCE_DIR) + "/data/sample/SampleProject.inp"},
       {"wrong format"}},

      {"a named pipe picked as recorded weather",
       [this](Outcome& o) {
         PipePicked(o, "pipe.tm2", [](const std::string& pipe) {
           weather::selectweth picker;  // the run window's "Recorded Weather:"
           picker.Text1()->setText(QString::fromStdString(pipe));
           picker.fileformat(0)->setChecked(true);
           picker.OK_Click();
         });
         o.told.push_back("weather chosen " + std::to_string(Model().WeatherFileChosen));
       },
       {"box Kalvano Error #  75: This name is a named pipe, not a file.  Choose another name.||", "out/pipe.tm2",
        "waited on nothing", "base folder free", "weather chosen 0"},
       {"wrong format"}},

      {"the lock file a named pipe",
       [this](Outcome& o) {
         LockNameTaken(o, [this] { ::mkfifo(base.path("temp/run.lock").c_str(), 0644); });
       },
       {"Execute Run: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a named pipe, not a file.  Remove it, then try again.||",
        "View Output: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a named pipe, not a file.  Remove it, then try again.||",
        "status Simulation Not Started", "engines 0",
        "kvan64 status 5: kvan64: CANNOT CREATE run.lock: it is a named pipe, not a file; remove it and "
        "run again (nothing was changed)",
        "waited on nothing"},
       {}},

      {"the lock file a symbolic link to a named pipe",
       [this](Outcome& o) {
         LockNameTaken(o, [this] {
           ::mkfifo(base.path("out/elsewhere/pipe").c_str(), 0644);
           fs::create_symlink(base.path("out/elsewhere/pipe"), base.path("temp/run.lock"));
         });
       },
       {"Execute Run: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a symbolic link, not a file.  Remove it, then try again.||",
        "View Output: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a symbolic link, not a file.  Remove it, then try again.||",
        "status Simulation Not Started", "engines 0",
        "kvan64 status 5: kvan64: CANNOT CREATE run.lock: it is a symbolic link, not a file; remove it and "
        "run again (nothing was changed)",
        "waited on nothing"},
       {}},

      {"the lock file a symbolic link that leads out of the base folder to nothing",
       [this](Outcome& o) {
         LockNameTaken(o, [this] {
           fs::create_symlink(base.path("out/elsewhere/run.lock"), base.path("temp/run.lock"));
         });
       },
       {"Execute Run: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a symbolic link, not a file.  Remove it, then try again.||",
        "View Output: box Kalvano Error #  75: temp/run.lock",
        "status Simulation Not Started", "engines 0",
        "kvan64 status 5: kvan64: CANNOT CREATE run.lock: it is a symbolic link, not a file; remove it and "
        "run again (nothing was changed)"},
       {}},

      {"the lock file a folder",
       [this](Outcome& o) {
         LockNameTaken(o, [this] { fs::create_directories(base.path("temp/run.lock")); });
       },
       {"Execute Run: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a folder, not a file.  Remove that folder, then try again.||",
        "View Output: box Kalvano Error #  75: temp/run.lock, the lock file that keeps one run at a time "
        "in this base folder, is a folder, not a file.  Remove that folder, then try again.||",
        "status Simulation Not Started", "engines 0",
        "kvan64 status 5: kvan64: CANNOT CREATE run.lock: it is a folder, not a file; remove it and run "
        "again (nothing was changed)"},
       {"Path not found"}},

      {"the lock file removed during a run",
       [this](Outcome& o) {
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         const pid_t engine = StopEngine();
         base.remove("temp/run.lock");
         // The run still holds its folder: a kvan64 started there by hand ends at once,
         // making no lock file of its own and touching no file of the run.
         Keep(o, "temp");
         Child k = Spawn({base.path("kvan64").string()}, base.path("temp"));
         std::vector<std::string> said;
         const int status = Finish(k, said);
         o.told.push_back("kvan64 status " + std::to_string(status) + (said.empty() ? "" : ": " + said[0]));
         Unchanged(o);
         ::kill(engine, SIGCONT);
         WaitForEnd(w);
         o.told.push_back("status " + OneLine(Status(w)));
         Keep(o, "temp");
         QTest::mouseClick(w.Command3(), Qt::LeftButton);
         Heard(o);
         const model::ProjectModel& m = Model();
         o.told.push_back("review " + std::to_string(w.Command3()->isEnabled()) + " cancel " +
                          std::to_string(w.Command2()->isEnabled()) + " flags " +
                          std::to_string(m.ResultsExist) + std::to_string(m.ResultsViewable));
       },
       {"kvan64 status 7: kvan64: another run is using this run folder (run.lock is locked); nothing was changed",
        "status Simulation Completed at ",
        "box Review Results: This run's results cannot be trusted: the base folder's lock file "
        "temp/run.lock was removed or replaced while the run ran, so another run may have written over "
        "its files in temp.  Nothing was added to the report.  Press Cancel and run the project again.",
        "review 0 cancel 1 flags 00"},
       {}},

      {"A's results windows after B ran and reviewed the 98-zone project in the same base folder",
       [this](Outcome& o) {
         RegisterResultWindows();
         Run("SampleProject.inp", true, true);
         ASSERT_NE(reports::SourceWindow(), nullptr);
         const QPointer<reports::source> chart = reports::SourceWindow();
         const std::string aChart =
             reports::ChartText(std::get<reports::SourceChartData>(chart->canvas()->data()));
         ASSERT_TRUE(reports::OpenTabularViewer(3));
         const std::string aTable = reports::TabularViewer().PageText();
         ASSERT_NE(aTable.find("SampleProject"), std::string::npos);
         Heard(o);
         const std::string school98 = School98();
         Keep(o, "out");
         // While B's run holds the base folder, A's Save Output waits for it.
         Child b = Spawn({KALVANO_FRONTEND_DRIVER, base.dir().string(), school98, "3", "--stop-engine"}, base.dir());
         Go(b);
         std::string line;
         while (ReadLine(b, line) && line.rfind("engine ", 0) != 0) {
         }
         ASSERT_EQ(line.rfind("engine ", 0), 0u) << line;
         const pid_t engine = static_cast<pid_t>(std::stol(line.substr(7)));
         SaveFrom(chart->save(), "SampleProject.ot1");
         ::kill(b.pid, SIGTERM);
         std::vector<std::string> said;
         Finish(b, said);
         EXPECT_TRUE(WaitFor([engine] { return !test::ProcessRuns(engine); }, 5000));
         // B runs and reviews the 98-zone project, with its hourly files.
         Child b2 = Spawn({KALVANO_FRONTEND_DRIVER, base.dir().string(), school98, "3", "--hourly", "--review"},
                          base.dir());
         Go(b2);
         said.clear();
         EXPECT_EQ(Finish(b2, said), 0);
         for (const std::string& l : said) o.told.push_back("B " + l);
         ASSERT_NE(Temp("tavik$.out").find("Room 423"), std::string::npos) << "B's results are in temp";
         Keep(o, "temp");
         // A's Save Output saves nothing of B's under A's name.
         SaveFrom(chart->save(), "SampleProject.ot1");
         o.told.push_back("saved " + std::to_string(Model().OutputSaved));
         // A's chart keeps A's numbers; the charts and tables it leads to read nothing of B's.
         QTest::mouseClick(chart->button("peakheat"), Qt::LeftButton);
         EXPECT_EQ(reports::PeakWindow(), nullptr);
         ASSERT_FALSE(chart.isNull());
         EXPECT_EQ(reports::ChartText(std::get<reports::SourceChartData>(chart->canvas()->data())), aChart);
         for (int view : {2, 0, 1}) {
           reports::TabularViewer().Summary_Click(view);
           EXPECT_EQ(reports::TabularViewer().PageText(), aTable) << view;
         }
         EXPECT_EQ(reports::TabularViewer().PageText().find("Room "), std::string::npos);
       },
       {"B status Simulation Completed at ", "B reviewed 11",
        "box Run in progress: " + std::string(kSaveLockedText),
        "box Results replaced: " + OneLine(std::string(model::kResultsReplacedText)), "saved 0"},
       {"Kalvano Error", "B box"}},

      {"a results window left from an earlier run, after a later run was cancelled and after one failed",
       [this](Outcome& o) {
         RegisterResultWindows();
         Run("SampleProject.inp", true, true);
         const QPointer<reports::source> earlier = reports::SourceWindow();
         ASSERT_FALSE(earlier.isNull());
         SaveAs("good.ot1");
         ASSERT_EQ(FilesUnder(base.path("out")).size(), 5u);
         Heard(o);
         Keep(o, "out");
         // A later run, cancelled while its engine runs.
         Load("SampleSchool.inp");
         runsim& w = Start(3, true);
         StopEngine();
         QTest::mouseClick(w.Command2(), Qt::LeftButton);
         WaitForEnd(w);
         o.told.push_back("status " + OneLine(Status(w)));
         ASSERT_FALSE(earlier.isNull());
         SaveFrom(earlier->save(), "good.ot1");
         o.told.push_back("after the cancelled run: " + LastTitle());
         QTest::mouseClick(w.Command2(), Qt::LeftButton);
         // A later run that fails.
         LoadFailing();
         runsim& failed = Start(3, true);
         WaitForEnd(failed);
         o.told.push_back("status " + OneLine(Status(failed)));
         ASSERT_FALSE(earlier.isNull());
         SaveFrom(earlier->save(), "good.ot1");
         o.told.push_back("after the failed run: " + LastTitle());
         QTest::mouseClick(failed.Command2(), Qt::LeftButton);
       },
       {"status Simulation Cancelled at ", "after the cancelled run: Results replaced",
        "status Simulation Stopped at ", "|Errors in the input", "after the failed run: Results replaced",
        "box Results replaced: " + OneLine(std::string(model::kResultsReplacedByOwnRunText))},
       {"Kalvano Error"}},

      {"View Output of a report cut inside section IX, and of the banner and the section titles alone",
       [this](Outcome& o) {
         Run("SampleProject.inp", false, true);
         SaveAs("real.ot1");
         const std::string report = Temp("tavik$.out");
         const std::vector<std::string> lines = model::SplitLines(report);
         std::string cut, marks;
         std::size_t nine = 0;
         while (!lines[nine].starts_with("IX.")) ++nine;
         for (std::size_t i = 0; i < nine + 27; ++i) cut += lines[i] + "\r\n";
         for (std::size_t i = 0; i < lines.size(); ++i) {
           bool mark = i < 4;
           for (std::string_view t : {"I.", "II.", "III.", "IV. ", "V. ", "VII.", "VIII", "IX."}) mark = mark || lines[i].starts_with(t);
           if (mark) marks += lines[i] + "\r\n";
         }
         ASSERT_NE(marks.find(std::string(model::kReportBanner)), std::string::npos);
         base.write("out/cutnine.ot1", cut);
         base.write("out/marks.ot1", marks);
         Heard(o);
         Keep(o, "temp");
         for (const char* name : {"cutnine.ot1", "marks.ot1"}) Retrieve(base.path(std::string("out/") + name).string());
         Heard(o);
         Unchanged(o);
         o.told.push_back("output " + Model().OutputFile);
       },
       {"box Kalvano Error #  62: KAL-VANO is unable to open your saved output because it has a wrong format.",
        "out/cutnine.ot1", "out/marks.ot1", "output " + base.path("out/real.ot1").string()},
       {}},

      {"a stand-in engine that ends with 0 without writing",
       [this](Outcome& o) {
         Run("SampleProject.inp", false, false);  // an earlier run's outputs stay in temp
         delete &RunWindow();
         fs::copy_file(KALVANO_STANDIN_ENGINE, base.path("kvan64"), fs::copy_options::overwrite_existing);
         base.write("temp/standin.txt", "silent\n");
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         WaitForEnd(w);
         o.told.push_back("status " + OneLine(Status(w)));
         Heard(o);
         EXPECT_FALSE(w.Command3()->isEnabled());
         EXPECT_FALSE(base.exists("temp/sim$.out"));
       },
       {"status Simulation Stopped at ", "box Simulation Error: The simulation engine ended without writing its report."},
       {"Simulation Completed"}},

      {"status 5, with what the engine said",
       [this](Outcome& o) {
         fs::create_directories(base.path("temp/tavik$.tst"));
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         WaitForEnd(w);
         o.told.push_back("status " + OneLine(Status(w)));
         Heard(o);
       },
       {"status Simulation Stopped at ",
        "exit status 5 (an output file could not be written).",
        "The engine reported:|kvan64: CANNOT CREATE tavik$.tst: Is a directory|"},
       {"Simulation Completed"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FreshProgram();
    Outcome o;
    c.act(o);
    Heard(o);
    Unchanged(o);
    std::string all;
    for (const std::string& line : o.told) all += "  " + line + "\n";
    for (const std::string& part : c.told) EXPECT_TRUE(Says(o.told, part)) << "not told: " << part << "\n" << all;
    for (const std::string& part : c.notTold) EXPECT_FALSE(Says(o.told, part)) << "told: " << part << "\n" << all;
    test::StopRunWindowEngine();
  }
}

// Save Output from the energy breakdown chart of an earlier run, after what came later in
// the same front-end: the words the user reads name this front-end's own run where it is
// the cause, and another program where that is the cause. Nothing is saved.
TEST_F(RunRoadProgram, save_output_from_an_earlier_chart_names_what_came_between) {
  const std::string byOwnRun =
      "These results are no longer in the temp folder of this base folder: your last run has "
      "replaced them there. Nothing was shown or saved.\n\n"
      "To see these results again, retrieve their saved output through View Output, or run the "
      "project again.";
  const std::string byAnother =
      "These results are no longer in the temp folder of this base folder: another run, or "
      "another program, has replaced them there. Nothing was shown or saved.\n\n"
      "To see these results again, retrieve their saved output through View Output, or run the "
      "project again.";
  auto anotherProgram = [this] { base.write("temp/tavik$.out", "written by another program\r\n"); };
  struct Case {
    const char* what;
    std::function<void()> between;
    std::string title, text;
  };
  const Case cases[] = {
      {"a later run completed, waiting for Review Results",
       [this] {
         Load("SampleProject.inp");
         WaitForEnd(Start(3, false));
       },
       "Run waiting for review",
       "Your last run is waiting in the run window. One base folder runs one simulation at a time: "
       "press Review Results there first, or close the run window to give that run up."},
      {"a later run completed, then given up with the run window's close box",
       [this] {
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         WaitForEnd(w);
         w.close();
       },
       "Results replaced", byOwnRun},
      {"a later run that failed",
       [this] {
         LoadFailing();
         WaitForEnd(Start(3, false));
       },
       "Results replaced", byOwnRun},
      {"a later run cancelled while its engine ran",
       [this] {
         Load("SampleProject.inp");
         runsim& w = Start(3, false);
         StopEngine();
         QTest::mouseClick(w.Command2(), Qt::LeftButton);
         WaitForEnd(w);
       },
       "Results replaced", byOwnRun},
      {"another program changed the report in temp", anotherProgram, "Results replaced", byAnother},
      {"a later run refused for its year before it wrote anything, then another program",
       [this, anotherProgram] {
         Load("SampleProject.inp");
         MainMenu().runenergy_Click(3);
         RunWindow().Text1(2)->setText("abc");
         QTest::mouseClick(RunWindow().Command1(), Qt::LeftButton);
         ASSERT_EQ(LastTitle(), kYearTitle);
         anotherProgram();
       },
       "Results replaced", byAnother},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FreshProgram();
    RegisterResultWindows();
    Run("SampleProject.inp", false, true);
    const QPointer<reports::source> earlier = reports::SourceWindow();
    ASSERT_FALSE(earlier.isNull());
    c.between();
    Outcome o;
    Keep(o, "out");
    boxes.asked.clear();
    ASSERT_FALSE(earlier.isNull());
    SaveFrom(earlier->save(), "earlier.ot1");
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, c.title);
    EXPECT_EQ(boxes.asked[0].text, c.text);
    EXPECT_EQ(Model().OutputSaved, 0);
    Unchanged(o);
    test::StopRunWindowEngine();
    if (RunWindowLoaded()) delete &RunWindow();
  }
}

}  // namespace
}  // namespace kalvano::shell
