// Text pasted into the shell's filtered boxes passes their key filters as typed text does:
// the project information boxes; the save dialog's prompt takes no pasted text, as it takes
// no typed key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/shell/mainmenu.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/saveinput.h"
#include "frontend/shell/session.h"
#include "typed_paste_support.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;
using test::FilteredBox;

class PastedText : public test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (const auto& entry : fs::directory_iterator(std::string(KALVANO_SOURCE_DIR) + "/data/btype")) {
      fs::copy_file(entry.path(), base.dir() / "btype" / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    }
  }
  void TearDown() override {
    Close();
    ShellTest::TearDown();
  }
  static void Close() {
    UnloadProjectInfo();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // The project information window of a new project (`loaded` 0) or of a retrieved one.
  QLineEdit* ProjectBox(int i, int16_t loaded) {
    Model() = model::ProjectModel();
    Model().AppDir = base.dir().string();
    Model().CurrentYear = 2026;
    Model().ProjectFile = "New_Project";
    Model().ProjectLoaded = loaded;
    MainMenu().projectinformation_Click();
    QApplication::processEvents();
    ProjectInfoWindow().Form_Activate();
    return ProjectInfoWindow().projectid(i);
  }
};

TEST_F(PastedText, every_project_information_box_takes_a_paste_as_typed_text) {
  std::vector<FilteredBox> rows;
  for (int16_t loaded : {0, 1}) {
    for (int i = 0; i < model::kProjectItems; ++i) {
      rows.push_back({"projectid(" + std::to_string(i) + ") loaded " + std::to_string(loaded),
                      [this, i, loaded] { return ProjectBox(i, loaded); }});
    }
  }
  for (const FilteredBox& row : rows) ExpectPasteAsTyped(row, &Close, boxes);
}

TEST_F(PastedText, the_save_dialogs_prompt_takes_no_dropped_or_pasted_text) {
  QPlainTextEdit* prompt = SaveDialog().Text1();
  prompt->setPlainText("Save the project first.");
  QMimeData mime;
  mime.setText("abc");
  QDropEvent drop(QPointF(prompt->viewport()->rect().center()), Qt::CopyAction, &mime,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(prompt->viewport(), &drop);
  QGuiApplication::clipboard()->setText("abc");
  test::PressCtrlV(prompt);
  prompt->paste();
  EXPECT_EQ(prompt->toPlainText().toStdString(), "Save the project first.");
}

}  // namespace
}  // namespace kalvano::shell
