// Text pasted into the run window's boxes (the analysis period and year) leaves what typing
// it leaves: the boxes check their texts when the run starts, not key by key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <string>
#include <vector>

#include "frontend/shell/mainmenu.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/runsim.h"
#include "frontend/shell/session.h"
#include "typed_paste_support.h"

namespace kalvano::shell {
namespace {

using test::FilteredBox;

class PastedText : public test::ShellTest {
 protected:
  void TearDown() override {
    Close();
    ClearWindowOpeners();
    ShellTest::TearDown();
  }
  static void Close() {
    if (RunWindowLoaded()) delete &RunWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QLineEdit* Box(int i) {
    model::ProjectModel& m = test::RunnableSample(base, "SampleProject.inp");
    m.ProjectLoaded = 1;
    m.InputSaved = 1;
    m.StepFlags = {0, 1, 1, 1, 1, 1};
    MainMenu().runenergy_Click(3);
    return RunWindowLoaded() ? RunWindow().Text1(i) : nullptr;
  }
};

TEST_F(PastedText, every_box_of_the_run_window_takes_a_paste_as_typed_text) {
  for (int i = 0; i < 3; ++i) {
    ExpectPasteAsTyped({"Text1(" + std::to_string(i) + ")", [this, i] { return Box(i); }},
                       &Close, boxes);
  }
}

}  // namespace
}  // namespace kalvano::shell
