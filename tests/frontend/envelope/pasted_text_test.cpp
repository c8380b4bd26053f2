// Text pasted into the envelope editors' filtered boxes passes their key filters as typed
// text does: the economics window, the two catalogues, the type table and the HVAC data base.
// The windows with a one-cell buffer of their own paste it with Ctrl+V and Shift+Insert.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

#include "envelope_test_support.h"
#include "frontend/envelope/catalog.h"
#include "frontend/envelope/economics.h"
#include "frontend/envelope/hvacwin.h"
#include "frontend/envelope/wallwin.h"
#include "frontend/shell/openers.h"
#include "tests/frontend/shell/typed_paste_support.h"

namespace kalvano::envelope {
namespace {

using shell::test::Entry;
using shell::test::FilteredBox;

std::string Entries(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) {
    text += std::to_string(k) + "\r\nType " + std::to_string(k) + "\r\n0.5\r\n.7\r\n3\r\n.5\r\n1.0\r\n";
  }
  return text;
}

// Copies a text into a window's buffer as the user does: the text in another cell, then
// Ctrl+C there.
void CopyFromCell(QLineEdit* source, const QString& text) {
  source->setText(text);
  QTest::sendKeyEvent(QTest::Click, source, Qt::Key_C, QString(QChar(0x03)), Qt::ControlModifier);
}

class PastedText : public test::EnvelopeTest {
 protected:
  void SetUp() override {
    EnvelopeTest::SetUp();
    base.write("profiles/bprof6.dat", Entries(12));
    base.write("profiles/bprof7.dat", Entries(5));
  }
  void TearDown() override {
    Close();
    EnvelopeTest::TearDown();
  }
  static void Close() {
    delete CatalogWindow();
    delete TypeTableWindow();
    delete HvacWindow();
    delete EconomicsWindow();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void FreshModel() {
    model::ProjectModel& m = shell::Model() = model::ProjectModel();
    m.AppDir = base.dir().string();
    const char* items[] = {"25", "20", "20", ".05", ".02", ".08", ".01", ".6", ".02", "2", ".03"};
    for (int i = 0; i < 11; ++i) m.EconData[static_cast<std::size_t>(i)] = items[i];
    m.DemChgSwitch = "N";
  }
};

TEST_F(PastedText, every_filtered_box_of_the_envelope_editors_takes_a_paste_as_typed_text) {
  std::vector<FilteredBox> rows;
  for (int i = 0; i < 11; ++i) {
    rows.push_back({"economics(" + std::to_string(i) + ")", [this, i]() -> QLineEdit* {
                      FreshModel();
                      OpenEconomics();
                      return EconomicsWindow() != nullptr ? EconomicsWindow()->economics(i) : nullptr;
                    }});
  }
  const std::vector<Entry> windowBuffer{Entry::CtrlV, Entry::ShiftInsert, Entry::ContextMenu,
                                        Entry::Drop};
  for (int item : {1, 2}) {
    for (int c = 0; c < kCatalogColumns; ++c) {
      FilteredBox row{"catalogue " + std::to_string(item) + " column " + std::to_string(c),
                      [this, item, c]() -> QLineEdit* {
                        FreshModel();
                        return OpenCatalog(item) ? CatalogWindow()->Cell(c, 0) : nullptr;
                      },
                      [](const QString& text) { CopyFromCell(CatalogWindow()->Cell(1, 1), text); },
                      windowBuffer};
      // The ID is neither copied nor pasted through the window's buffer.
      if (c == 0) row.ways = {Entry::ContextMenu, Entry::Drop};
      rows.push_back(row);
    }
  }
  for (int kind : {1, 2}) {
    for (int c = 1; c < 7; ++c) {
      rows.push_back({"type table " + std::to_string(kind) + " column " + std::to_string(c),
                      [this, kind, c]() -> QLineEdit* {
                        FreshModel();
                        return OpenTypeTable(kind) ? TypeTableWindow()->Cell(c, 0) : nullptr;
                      },
                      [](const QString& text) { CopyFromCell(TypeTableWindow()->Cell(1, 1), text); },
                      windowBuffer});
    }
  }
  for (int c = 1; c <= 5; ++c) {
    // The values have no context menu; the buffer is filled from a description.
    rows.push_back({"HVAC column " + std::to_string(c),
                    [this, c]() -> QLineEdit* {
                      FreshModel();
                      return OpenHvacWindow() ? HvacWindow()->value(c, 0) : nullptr;
                    },
                    [](const QString& text) {
                      hvac* w = HvacWindow();
                      w->Des(1)->setText(text);
                      QTest::mousePress(w->Des(1), Qt::LeftButton);
                      w->editAction(1)->trigger();
                    },
                    {Entry::CtrlV, Entry::ShiftInsert, Entry::Drop}});
  }
  for (const FilteredBox& row : rows) ExpectPasteAsTyped(row, &Close, boxes);
}

// The Edit menu's Paste of a window's own buffer passes the cell's filter too: a description
// pasted into a number cell keeps only what typing it keeps.
TEST_F(PastedText, the_edit_menus_paste_a_description_into_a_number_cell_as_typed) {
  FreshModel();
  ASSERT_TRUE(OpenTypeTable(1));
  wallwin& w = *TypeTableWindow();
  CopyFromCell(w.Cell(1, 1), "R 13 batts");
  w.Cell(2, 0)->setFocus();
  QTest::sendKeyEvent(QTest::Click, w.Cell(2, 0), Qt::Key_V, QString(QChar(0x16)),
                      Qt::ControlModifier);
  EXPECT_EQ(w.Cell(2, 0)->text(), " 13 ");
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "You should use numerical value.");
}

}  // namespace
}  // namespace kalvano::envelope
