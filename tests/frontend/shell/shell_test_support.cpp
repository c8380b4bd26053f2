#include "shell_test_support.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "frontend/model/atomic_file.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"

namespace kalvano::shell::test {

namespace {

// The one QApplication of the test program.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_frontend_shell";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override {
    ResetSession();
    delete app_;
  }

 private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

BaseFolder::BaseFolder(const std::string& under) {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kvshellXXXXXX").string();
  root_ = ::mkdtemp(tmpl.data());
  dir_ = under.empty() ? root_ : root_ / under;
  for (const char* folder : {"temp", "btype", "profiles", "helpinfo", "sketch"}) {
    std::filesystem::create_directories(dir_ / folder);
  }
  for (int n = 1; n <= 42; ++n) {
    char code[3];
    code[0] = static_cast<char>('0' + n / 10);
    code[1] = static_cast<char>('0' + n % 10);
    code[2] = '\0';
    write("btype/bdtype" + std::to_string(n) + ".dat",
          "Building type " + std::to_string(n) + " " + code + "\r\nsecond line\r\n");
  }
  for (int k = 1; k <= 4; ++k) {
    std::string lines = "Profile library " + std::to_string(k) + "\r\n";
    for (int n = 1; n <= 42; ++n) lines += ProfileLine(k, n) + "\r\n";
    write("profiles/bprof" + std::to_string(k) + ".dat", lines);
  }
  write("helpinfo/mainhlp1.txt", "About the program.\r\nSecond line.\r\n");
  write("helpinfo/mainhlp2.txt", "Introduction text.\r\n");
  write("helpinfo/help1.txt", "Learning text.\r\n");
  write("helpinfo/license.txt", "License text.\r\n");
  write("helpinfo/tmy2.txt", "TMY2 example\r\n 12345 6789\r\n");
  write("helpinfo/custom.txt", "Custom example\r\n");
}

BaseFolder::~BaseFolder() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

void BaseFolder::write(const std::string& rel, const std::string& bytes) const {
  std::ofstream(path(rel), std::ios::binary) << bytes;
}

void BaseFolder::install(const std::string& rel) const {
  std::filesystem::copy_file(std::string(KALVANO_SOURCE_DIR) + "/data/" + rel, path(rel),
                             std::filesystem::copy_options::overwrite_existing);
}

std::string BaseFolder::read(const std::string& rel) const {
  std::ifstream in(path(rel), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string BaseFolder::ProfileLine(int kind, int type) {
  return " " + std::to_string(kind) + " " + std::to_string(type) + " .5 1 1 .5";
}

std::filesystem::path PictureFolder() {
  if (const char* dir = std::getenv("KALVANO_SCREENS_DIR"); dir != nullptr && *dir != '\0') {
    return dir;
  }
  return std::filesystem::path(KALVANO_BASE_DIR).parent_path() / "screens";
}

void ShellTest::SetUp() {
  ResetSession();
  previousDir_ = std::filesystem::current_path();
  std::filesystem::current_path(base.dir());
  SetMessages(&boxes);
  SetEndProgram([this](int status) { endRequests.push_back(status); });
}

void ShellTest::TearDown() {
  ResetSession();
  SetEndProgram({});
  SetMessages(nullptr);
  std::filesystem::current_path(previousDir_);
}

QString FirstQtBoxText(const std::function<void()>& act) {
  MessageBoxes* scripted = SetMessages(nullptr);
  QString text;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (text.isEmpty()) text = box->text();
      box->done(QMessageBox::Ok);
    }
  });
  poll.start(10);
  act();
  poll.stop();
  SetMessages(scripted);
  return text;
}

bool CentredOnScreen(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return false;
  const QRect frame = window.frameGeometry();
  const QRect area = screen->geometry();
  // Centred along each direction in which the frame fits; against the screen's edge in one
  // in which it does not.
  auto centred = [](int start, int length, int areaStart, int areaLength) {
    if (length >= areaLength) return std::abs(start - areaStart) <= 2;
    return std::abs(2 * (start - areaStart) + length - areaLength) <= 4;
  };
  return centred(frame.left(), frame.width(), area.left(), area.width()) &&
         centred(frame.top(), frame.height(), area.top(), area.height());
}

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited < ms && !done(); waited += 20) QTest::qWait(20);
  return done();
}

void StopRunWindowEngine() {
  if (!RunWindowLoaded() || !RunWindow().IsEngineRunning()) return;
  RunWindow().Command2_Click();
  WaitFor([] { return !RunWindow().IsEngineRunning(); });
}

void InstallRealEngine(const BaseFolder& base) {
  const std::filesystem::path installed(KALVANO_BASE_DIR);
  for (const char* f : {"kvan64", "btype/tcool.dat", "btype/theat.dat", "temp/tab.sym",
                        "temp/ltshlf.dat"}) {
    std::filesystem::copy_file(installed / f, base.path(f),
                               std::filesystem::copy_options::overwrite_existing);
  }
}

std::string AsReportLines(const std::string& bytes) {
  std::string out;
  for (const std::string& line : model::SplitLines(bytes)) out += line + "\r\n";
  return out;
}

model::ProjectModel& RunnableSample(const BaseFolder& base, const std::string& name) {
  ClearWindowOpeners();
  model::ProjectModel& m = Model();
  m.AppDir = base.dir().string();
  m.ProjectFile = std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + name;
  model::ReadInputFile(m, m.ProjectFile);
  return m;
}

}  // namespace kalvano::shell::test
