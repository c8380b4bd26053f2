// Text pasted into the sketch window's level fields passes their key filter as typed text
// does: grid size, number of floors (whole numbers), ceiling height and rotation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <filesystem>
#include <string>
#include <vector>

#include "frontend/shell/session.h"
#include "frontend/sketch/drawform.h"
#include "tests/frontend/shell/typed_paste_support.h"

namespace kalvano::sketch {
namespace {

namespace fs = std::filesystem;
using shell::test::FilteredBox;

class PastedText : public shell::test::ShellTest {
 protected:
  void TearDown() override {
    Close();
    ShellTest::TearDown();
  }
  static void Close() {
    delete SketchWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // The sketch window on the installed sketch, afresh.
  DrawForm* Open() {
    const fs::path installed(KALVANO_BASE_DIR);
    for (const char* copy : {"sketch/bld_mtx2.000", "sketch/bld_mtx.all"}) {
      fs::copy_file(installed / "sketch/bld_mtx2.000", base.path(copy),
                    fs::copy_options::overwrite_existing);
    }
    shell::Model() = model::ProjectModel();
    shell::Model().AppDir = base.dir().string();
    shell::Model().ProjectFile = "office.inp";
    OpenSketchWindow();
    return SketchWindow();
  }
  FilteredBox Row(const std::string& name, QLineEdit* (*box)(const DrawForm&)) {
    return {name, [this, box]() -> QLineEdit* {
              DrawForm* w = Open();
              return w != nullptr ? box(*w) : nullptr;
            }};
  }
};

TEST_F(PastedText, every_level_field_of_the_sketch_takes_a_paste_as_typed_text) {
  const std::vector<FilteredBox> rows{
      Row("grid size", [](const DrawForm& w) { return w.gridsize(); }),
      Row("floors", [](const DrawForm& w) { return w.num_floors(); }),
      Row("ceiling height", [](const DrawForm& w) { return w.ceiling_ht(); }),
      Row("rotation", [](const DrawForm& w) { return w.Orientation(); }),
  };
  for (const FilteredBox& row : rows) ExpectPasteAsTyped(row, &Close, boxes);
}

// The floors take a whole number: "2.5" pasted gives 2 floors, as typed, never 25.
TEST_F(PastedText, a_pasted_fraction_of_floors_keeps_the_whole_number) {
  DrawForm* w = Open();
  ASSERT_NE(w, nullptr);
  const shell::test::Outcome o =
      shell::test::Enter(w->num_floors(), shell::test::Entry::CtrlV, "2.5", boxes);
  EXPECT_EQ(o.text, "2");
  EXPECT_TRUE(o.beeped);
}

}  // namespace
}  // namespace kalvano::sketch
