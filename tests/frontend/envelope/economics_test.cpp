// The economics window and the demand-charge schedule, offscreen: the schedule check of OK,
// the rows the schedule stores, the quick-pick menus, "Undo Last", Cancel and the main menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "envelope_test_support.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/menucore.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/widgets.h"

namespace kalvano::envelope {
namespace {

using shell::MenuItem;

class EconomicsTest : public test::EnvelopeTest {
 protected:
  void SetUp() override {
    EnvelopeTest::SetUp();
    model::ProjectModel& m = shell::Model();
    const char* items[] = {"25", "20", "20", ".05", ".02", ".08", ".01", ".6", ".02", "2", ".03"};
    for (int i = 0; i < 11; ++i) m.EconData[static_cast<std::size_t>(i)] = items[i];
    m.DemChgSwitch = "N";
    shell::RegisterWindowOpener(shell::window::economics, [](int) { OpenEconomics(); });
  }
  void TearDown() override {
    shell::ClearWindowOpeners();
    EnvelopeTest::TearDown();
  }
  Economicsform& Open() {
    // The step's picture, as enabled by the main menu once the window has an opener.
    auto* picture = qobject_cast<shell::ClickLabel*>(shell::MainMenu().Control(MenuItem::Image3));
    EXPECT_TRUE(picture != nullptr && picture->isEnabled());
    if (picture != nullptr) emit picture->clicked();
    EXPECT_NE(EconomicsWindow(), nullptr);
    return *EconomicsWindow();
  }
  static std::string Box(const Economicsform& w, int i) {
    return w.economics(i)->text().toLatin1().toStdString();
  }
};

TEST_F(EconomicsTest, the_main_menu_fills_the_window_from_the_model) {
  EXPECT_TRUE(shell::ItemWindowBuilt(MenuItem::economicsdata));
  shell::Model().ProjectFile = "office.inp";
  Economicsform& w = Open();
  EXPECT_EQ(w.windowTitle(), "Economics Data -- office.inp");
  EXPECT_EQ(Box(w, 0), "25");
  EXPECT_EQ(Box(w, 10), ".03");
  EXPECT_EQ(w.demand()->text(), "N");
  EXPECT_EQ(w.Label29(9)->text(), " $/Therm");
  EXPECT_EQ(w.Label29(12)->text(), " $/1000 G");
}

TEST_F(EconomicsTest, si_projects_show_their_gas_and_water_units) {
  shell::Model().UnitSystem = model::kSI;
  Economicsform& w = Open();
  EXPECT_EQ(w.Label29(9)->text(), "$/GJoule");
  EXPECT_EQ(w.Label29(12)->text(), "$/1000 L");
}

TEST_F(EconomicsTest, yes_without_schedule_rows_is_refused_and_stores_nothing) {
  Economicsform& w = Open();
  w.economics(5)->setText(".11");
  w.demand_Click();  // N -> Y, the schedule window opens empty
  ASSERT_NE(DemandchargeWindow(), nullptr);
  EXPECT_EQ(w.demand()->text(), "Y");
  DemandchargeWindow()->cancel_Click();
  w.okey_Click();
  ASSERT_EQ(boxes.asked.size(), 1u);
  EXPECT_EQ(boxes.asked[0].text, "Please enter the demand charge schedule.");
  EXPECT_EQ(boxes.asked[0].title, "Demand Charge");
  EXPECT_EQ(boxes.asked[0].icon, shell::MsgIcon::Exclamation);
  EXPECT_EQ(shell::Model().EconData[5], ".08");
  EXPECT_EQ(shell::Model().DemChgSwitch, "N");
  EXPECT_EQ(shell::Model().StepFlags[3], 0);
  EXPECT_TRUE(EconomicsWindow()->isVisible());
}

TEST_F(EconomicsTest, the_schedule_stores_rows_up_to_the_first_empty_kw_step) {
  model::ProjectModel& m = shell::Model();
  Economicsform& w = Open();
  struct Case {
    std::array<const char*, 3> kw, cost;
    int count;
  };
  const std::vector<Case> cases{
      {{"100", "", "300"}, {"5", "6", "7"}, 1},
      {{"100", "200", "300"}, {"5", "", "7"}, 3},  // a step with an empty cost
      {{"", "200", "300"}, {"5", "6", "7"}, 0},    // even after earlier rows
  };
  for (const Case& c : cases) {
    w.demand()->setText("N");
    w.demand_Click();
    Demandcharge* d = DemandchargeWindow();
    ASSERT_NE(d, nullptr);
    for (int j = 0; j < 3; ++j) {
      d->demandtext(j)->setText(c.kw[static_cast<std::size_t>(j)]);
      d->charge(j)->setText(c.cost[static_cast<std::size_t>(j)]);
    }
    d->back_Click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(DemandchargeWindow(), nullptr);
    EXPECT_EQ(m.DemChgCount, c.count) << c.kw[0] << c.kw[1];
  }
  EXPECT_EQ(m.DemChgKw[2], "200");
  EXPECT_EQ(m.DemChgCost[2], "");
  EXPECT_EQ(m.DemChgKw[3], "300");
}

TEST_F(EconomicsTest, the_switch_shows_stored_rows_and_turning_it_off_keeps_them) {
  model::ProjectModel& m = shell::Model();
  m.DemChgCount = 2;
  m.DemChgKw = {"", "50", "150", ""};
  m.DemChgCost = {"", "4.5", "6", ""};
  Economicsform& w = Open();
  w.demand_Click();
  Demandcharge* d = DemandchargeWindow();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->demandtext(1)->text(), "150");
  EXPECT_EQ(d->charge(0)->text(), "4.5");
  EXPECT_EQ(d->demandtext(2)->text(), "");
  d->cancel_Click();
  EXPECT_EQ(m.DemChgCount, 2);
  w.demand_Click();  // Y -> N
  EXPECT_EQ(w.demand()->text(), "N");
  w.okey_Click();
  EXPECT_EQ(m.DemChgSwitch, "N");
  EXPECT_EQ(m.DemChgCount, 2);
  EXPECT_EQ(m.DemChgKw[2], "150");
}

TEST_F(EconomicsTest, quick_pick_menus_act_only_on_their_own_items) {
  Economicsform& w = Open();
  const auto pick = [&](int selected, bool life, int item) {
    w.economics_Click(selected);
    if (life) {
      w.csm(item)->trigger();
    } else {
      w.ed(item)->trigger();
    }
  };
  for (int rate : {3, 4, 6, 8, 10}) {
    const std::string before = Box(w, rate);
    pick(rate, true, 2);
    EXPECT_EQ(Box(w, rate), before) << rate;
    pick(rate, false, 6);
    EXPECT_EQ(Box(w, rate), "0.10") << rate;
  }
  for (int other : {0, 1, 2, 5, 7, 9}) {
    const std::string before = Box(w, other);
    pick(other, false, 1);
    EXPECT_EQ(Box(w, other), before) << other;
  }
  pick(1, true, 5);
  EXPECT_EQ(Box(w, 1), "50");
  EXPECT_EQ(w.economics_KeyPress(7, ' '), 0);  // the blank is refused here
  EXPECT_EQ(boxes.asked.back().text, "You should use numerical value.");
  EXPECT_EQ(w.SelectedItem(), 7);
}

TEST_F(EconomicsTest, undo_last_restores_the_value_held_in_the_model) {
  Economicsform& w = Open();
  w.show();
  w.economics(5)->setFocus();
  w.economics(5)->clear();
  QTest::keyClicks(w.economics(5), ".12");
  EXPECT_EQ(Box(w, 5), ".12");
  EXPECT_EQ(w.LastChangedItem(), 5);
  w.Undo_Click();
  EXPECT_EQ(Box(w, 5), ".08");  // not ".1", the text before the last key
}

TEST_F(EconomicsTest, ok_stores_and_marks_the_step_cancel_keeps_the_model) {
  model::ProjectModel& m = shell::Model();
  m.ProjectLoaded = 1;
  shell::mainmenu& menu = shell::MainMenu();
  EXPECT_FALSE(menu.Enabling()[MenuItem::runmenu]);
  Economicsform* w = &Open();
  w->economics(0)->setText("30");
  w->demand_Click();
  DemandchargeWindow()->demandtext(0)->setText("100");
  DemandchargeWindow()->charge(0)->setText("9");
  DemandchargeWindow()->back_Click();
  w->cancel_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m.EconData[0], "25");
  EXPECT_EQ(m.DemChgSwitch, "N");
  EXPECT_EQ(m.DemChgCount, 1);  // the schedule's own OK stored it
  EXPECT_EQ(m.StepFlags[3], 0);
  EXPECT_TRUE(menu.Enabling()[MenuItem::runmenu]);

  m.ProjectLoaded = 0;
  m.StepFlags[4] = 1;
  w = &Open();
  EXPECT_EQ(Box(*w, 0), "25");
  w->economics(0)->setText("30");
  w->demand_Click();
  DemandchargeWindow()->back_Click();
  w->okey_Click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(EconomicsWindow(), nullptr);
  EXPECT_EQ(m.EconData[0], "30");
  EXPECT_EQ(m.DemChgSwitch, "Y");
  EXPECT_EQ(m.StepFlags[3], 1);
  EXPECT_TRUE(menu.Enabling()[MenuItem::zonedescription]);
  EXPECT_TRUE(menu.isVisible());
}

TEST_F(EconomicsTest, closing_by_the_title_bar_acts_as_cancel) {
  Economicsform& w = Open();
  w.economics(0)->setText("30");
  EXPECT_TRUE(w.close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(EconomicsWindow(), nullptr);
  EXPECT_EQ(shell::Model().EconData[0], "25");
  EXPECT_EQ(shell::Model().StepFlags[3], 0);
  EXPECT_TRUE(shell::MainMenu().isVisible());
}

TEST_F(EconomicsTest, tutorial_shows_help3) {
  Economicsform& w = Open();
  base.write("helpinfo/help3.txt", "Economics help.\r\n");
  w.tutorial_Click();
  EXPECT_TRUE(shell::LearningWindow().isVisible());
  EXPECT_EQ(shell::LearningWindow().windowTitle(), "ECONOMICS -- New_Project");
}

}  // namespace
}  // namespace kalvano::envelope
