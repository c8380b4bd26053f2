// The HVAC data-base window: loading in either unit system, refusals of unreadable data bases,
// the key filter, the one-cell copy buffer, "Update Database", OK's question and the tutorial.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "envelope_test_support.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/menucore.h"
#include "frontend/shell/openers.h"
#include "frontend/zones/hvacdata.h"

namespace kalvano::envelope {
namespace {

using shell::MsgAnswer;
using shell::MsgIcon;

using HvacWindowTest = test::EnvelopeTest;

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

TEST_F(HvacWindowTest, shows_the_data_base_in_the_project_units) {
  shell::Model().ProjectFile = "office.inp";
  ASSERT_TRUE(OpenHvacWindow());
  hvac* w = HvacWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "HVAC SYSTEM SELECTIONS -- office.inp");
  EXPECT_EQ(w->id(0)->text(), " 1");
  EXPECT_EQ(w->id(8)->text(), " 9");
  EXPECT_EQ(w->Des(0)->text().trimmed(), "Variable Air Volume");
  EXPECT_EQ(Text(w->value(1, 0)), "3.5   ");
  EXPECT_EQ(zones::TrimBlanks(Text(w->value(2, 0))), "14");
  EXPECT_EQ(zones::TrimBlanks(Text(w->value(3, 0))), "55");
  EXPECT_EQ(zones::TrimBlanks(Text(w->value(4, 0))), "2400");
  EXPECT_EQ(w->Label1(2)->text(), "St. Press. (in. w.g.)");
  EXPECT_EQ(w->Label1(3)->text(), "Cooling SEER");
  EXPECT_FALSE(w->Edited());
  delete w;

  shell::Model().UnitSystem = model::kSI;
  ASSERT_TRUE(OpenHvacWindow());
  w = HvacWindow();
  EXPECT_EQ(Text(w->value(1, 0)), " 870.8");
  EXPECT_EQ(Text(w->value(2, 0)), "  4.1");
  EXPECT_EQ(zones::TrimBlanks(Text(w->value(3, 0))), "13");
  EXPECT_EQ(w->Label1(2)->text(), "St. Press. (Pa)");
  EXPECT_EQ(w->Label1(3)->text(), "Cooling COP");
  EXPECT_EQ(w->Label1(4)->text(), "Supply Temp (C)");
  EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(HvacWindowTest, a_data_base_it_cannot_read_whole_is_reported_and_no_window_opens) {
  std::vector<std::string> lines = model::SplitLines(test::InstalledHvacDatabase());
  std::string ten;
  for (const std::string& l : lines) ten += l + "\r\n";
  ten += lines[3] + "\r\n" + lines[4] + "\r\n";
  const std::vector<std::pair<std::string, int>> cases{
      {"", model::kErrFileNotFound}, {ten, model::kErrSubscript}};
  for (const auto& [bytes, error] : cases) {
    boxes.asked.clear();
    if (bytes.empty()) {
      base.remove("btype/tcool.dat");
    } else {
      base.write("btype/tcool.dat", bytes);
    }
    EXPECT_FALSE(OpenHvacWindow());
    EXPECT_EQ(HvacWindow(), nullptr);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(error));
  }
  // Nothing was written back.
  EXPECT_EQ(base.read("btype/tcool.dat"), ten);
}

TEST_F(HvacWindowTest, value_boxes_take_numbers_only_and_at_most_what_the_file_reads_back) {
  ASSERT_TRUE(OpenHvacWindow());
  hvac* w = HvacWindow();
  for (char key : {'-', 'a', ','}) {
    boxes.asked.clear();
    const int beeps = boxes.beeps;
    EXPECT_EQ(w->ValueKeyPress(1, 0, key), 0) << key;
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, "You should use numerical value.");
    EXPECT_EQ(boxes.asked[0].title, "Error");
    EXPECT_EQ(boxes.asked[0].beepsBefore, beeps + 1);
  }
  EXPECT_FALSE(w->Edited());
  for (char key : {'7', '.', ' ', char{8}}) EXPECT_EQ(w->ValueKeyPress(2, 3, key), key);
  EXPECT_TRUE(w->Edited());
  for (int c = 1; c <= 5; ++c) {
    const std::array<int, 6> widths{0, 6, 5, 4, 5, 6};
    EXPECT_EQ(w->value(c, 0)->maxLength(), widths[static_cast<std::size_t>(c)]) << c;
  }
}

TEST_F(HvacWindowTest, update_database_saves_only_after_an_edit_and_stays_open) {
  ASSERT_TRUE(OpenHvacWindow());
  hvac* w = HvacWindow();
  w->Command1_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text,
            "No new data have been entered. The HVAC System Database is not updated.");
  EXPECT_EQ(boxes.asked[0].title, "No update");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);

  // Typed through the window: the first cost of system 2.
  w->show();
  w->value(4, 1)->setFocus();
  w->value(4, 1)->clear();
  QTest::keyClicks(w->value(4, 1), "1800");
  EXPECT_TRUE(w->Edited());
  boxes.asked.clear();
  w->Command1_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "The HVAC system database has been updated.");
  EXPECT_EQ(boxes.asked[0].title, "Update HVAC System Database");
  EXPECT_EQ(boxes.asked[0].icon, MsgIcon::None);
  EXPECT_FALSE(w->Edited());
  EXPECT_EQ(HvacWindow(), w);
  const std::vector<std::string> lines = model::SplitLines(base.read("btype/tcool.dat"));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[5].substr(102, 4), "1800");
  EXPECT_EQ(lines[6].substr(102, 5), " 2000");
}

TEST_F(HvacWindowTest, a_value_the_data_base_cannot_hold_is_refused_naming_its_field) {
  struct Case {
    int16_t units;
    int column, row;  // column 0: the name
    std::string typed, message;
  };
  const std::string notUpdated = "  The HVAC system database is not updated.";
  const std::vector<Case> cases{
      {model::kInchPound, 3, 4, "  ", "System 5 (Roof Top Units): the Supply Temp (F) \"\" is not a number." + notUpdated},
      {model::kInchPound, 1, 0, "1 2", "System 1 (Variable Air Volume): the St. Press. (in. w.g.) \"1 2\" is not a number." + notUpdated},
      {model::kInchPound, 1, 1, "10000", "System 2 (Double Duct): the St. Press. (in. w.g.) \"10000\" is too large for its column of the data base." + notUpdated},
      {model::kInchPound, 3, 2, "80", "System 3 (Multizone): the Supply Temp (F) \"80\" is too warm: the simulation needs a cooling supply below 75 F." + notUpdated},
      {model::kInchPound, 2, 3, "0", "System 4 (Fan Coil Units): the Cooling SEER \"0\" gives no cooling SEER above 0, which the simulation needs." + notUpdated},
      {model::kSI, 3, 0, "55", "System 1 (Variable Air Volume): the Supply Temp (C) \"55\" is too large for its column of the data base." + notUpdated},
      {model::kSI, 2, 8, "30", "System 9 (Evaporative Cooling): the Cooling COP \"30\" is too large for its column of the data base." + notUpdated},
      {model::kSI, 3, 5, "23.7", "System 6 (DX Residential): the Supply Temp (C) \"23.7\" is too warm: the simulation needs a cooling supply below 75 F (23.6 C)." + notUpdated},
      {model::kInchPound, 0, 6, "Owner's Heat Pump", "System 7 (Owner's Heat Pump): the name must not contain digits, signs or quotes (')." + notUpdated},
  };
  const std::string before = base.read("btype/tcool.dat");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    shell::Model().UnitSystem = c.units;
    boxes.asked.clear();
    ASSERT_TRUE(OpenHvacWindow());
    hvac* w = HvacWindow();
    if (c.column == 0) {
      w->Des(c.row)->setText(QString::fromLatin1(c.typed.c_str()));
    } else {
      w->value(c.column, c.row)->setText(QString::fromLatin1(c.typed.c_str()));
    }
    w->value(1, 0)->textEdited(w->value(1, 0)->text());
    w->Command1_Click();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, c.message);
    EXPECT_EQ(boxes.asked[0].title, "Update HVAC System Database");
    EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(w->Edited());
    EXPECT_EQ(base.read("btype/tcool.dat"), before);
    delete w;
  }
}

TEST_F(HvacWindowTest, copy_and_paste_use_the_window_buffer_even_in_a_cell) {
  ASSERT_TRUE(OpenHvacWindow());
  hvac* w = HvacWindow();
  QGuiApplication::clipboard()->setText("clipboard");
  w->show();
  QLineEdit* from = w->value(5, 2);  // maintenance cost of system 3
  QLineEdit* to = w->value(5, 6);
  from->setFocus();
  QTest::keyClick(from, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(w->CopyBuffer(), Text(from));
  to->setFocus();
  QTest::keyClick(to, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(to), Text(from));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "clipboard");
  EXPECT_TRUE(w->Edited());

  // A digit in a name to be pasted is refused; a description pasted as a name renames.
  w->value(4, 0)->setFocus();
  w->edit_Click(1);  // "2400 "
  w->Des_MouseDown(3);
  w->edit_Click(2);
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, kHvacNameDigit);
  EXPECT_EQ(w->Des(3)->text().trimmed(), "Fan Coil Units");
  w->Des_MouseDown(8);
  w->edit_Click(1);
  w->Des_MouseDown(3);
  w->edit_Click(2);
  EXPECT_EQ(w->Des(3)->text().trimmed(), "Evaporative Cooling");
}

TEST_F(HvacWindowTest, ok_asks_to_save_an_edit_yes_saves_and_stays_no_closes) {
  const std::string before = base.read("btype/tcool.dat");
  ASSERT_TRUE(OpenHvacWindow());
  hvac* w = HvacWindow();
  w->Des_MouseDown(8);
  w->edit_Click(1);
  w->Des_MouseDown(0);
  w->edit_Click(2);
  boxes.answers.push_back(MsgAnswer::No);
  w->OK_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text,
            "The data you have just edited have not been saved.  Update the database now?");
  EXPECT_EQ(boxes.asked[0].title, "Update Database");
  EXPECT_EQ(boxes.asked[0].buttons, shell::MsgButtons::YesNo);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(HvacWindow(), nullptr);
  EXPECT_EQ(base.read("btype/tcool.dat"), before);

  ASSERT_TRUE(OpenHvacWindow());
  w = HvacWindow();
  w->Des_MouseDown(8);
  w->edit_Click(1);
  w->Des_MouseDown(0);
  w->edit_Click(2);
  boxes.asked.clear();
  boxes.answers.push_back(MsgAnswer::Yes);
  w->OK_Click();
  ASSERT_EQ(boxes.asked.size(), 2u);
  EXPECT_EQ(boxes.asked[1].text, "The HVAC system database has been updated.");
  EXPECT_EQ(HvacWindow(), w);
  const std::vector<std::string> lines = model::SplitLines(base.read("btype/tcool.dat"));
  EXPECT_EQ(lines[3].substr(10, 19), "Evaporative Cooling");
  w->OK_Click();  // nothing left to save: closes
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(HvacWindow(), nullptr);
}

TEST_F(HvacWindowTest, tutorial_shows_help9_or_reports_its_absence) {
  ASSERT_TRUE(OpenHvacWindow());
  HvacWindow()->help_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].title, model::FileErrorTitle(model::kErrFileNotFound));
  EXPECT_FALSE(shell::LearningWindow().isVisible());
  base.write("helpinfo/help9.txt", "HVAC help.\r\n");
  HvacWindow()->help_Click();
  EXPECT_TRUE(shell::LearningWindow().isVisible());
  EXPECT_EQ(shell::LearningWindow().windowTitle(), "HVAC SYSTEM SELECTIONS -- New_Project");
}

TEST_F(HvacWindowTest, the_database_menu_opens_it_through_its_opener) {
  shell::ClearWindowOpeners();
  EXPECT_FALSE(shell::ItemWindowBuilt(shell::MenuItem::dbase3));
  // As the program does: the opener is registered before the main menu is made.
  shell::RegisterWindowOpener(shell::window::hvac, [](int) { OpenHvacWindow(); });
  auto* item = qobject_cast<QAction*>(shell::MainMenu().Control(shell::MenuItem::dbase3));
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  item->trigger();
  EXPECT_NE(HvacWindow(), nullptr);
  shell::ClearWindowOpeners();
}

}  // namespace
}  // namespace kalvano::envelope
