// The main menu's enabling, caption and exit question, without a window.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "frontend/shell/exitcore.h"
#include "frontend/shell/helpcore.h"
#include "frontend/shell/menucore.h"

namespace kalvano::shell {
namespace {

using Event = std::function<MenuEnabling(MenuEnabling)>;

Event Activate(std::initializer_list<int> done) {
  StepDone steps{};
  for (int i : done) steps[static_cast<std::size_t>(i)] = 1;
  return [steps](MenuEnabling s) { return OnActivation(s, steps); };
}
const Event Sketch = [](MenuEnabling s) { return OnSketchOpened(s); };
const Event NewProj = [](MenuEnabling s) { return OnNewProject(s); };

MenuEnabling AllBut(std::initializer_list<MenuItem> off) {
  MenuEnabling state;
  for (std::size_t i = 0; i < kMenuItemCount; ++i) state.Set(static_cast<MenuItem>(i), true);
  for (MenuItem item : off) state.Set(item, false);
  return state;
}

std::string Differences(const MenuEnabling& got, const MenuEnabling& want) {
  std::string out;
  for (std::size_t i = 0; i < kMenuItemCount; ++i) {
    const auto item = static_cast<MenuItem>(i);
    if (got[item] != want[item]) {
      out += std::string(MenuItemName(item)) + (got[item] ? " enabled" : " disabled") + "; ";
    }
  }
  return out;
}

using M = MenuItem;

TEST(MenuEnabling, follows_the_moments_that_change_it_for_every_item) {
  const auto created = AllBut({M::zonedescription, M::Image5, M::executerun, M::Image6,
                               M::runmenu, M::view7, M::view8});
  const auto runReady = AllBut({M::zonedescription, M::Image5, M::view7, M::view8});
  const auto sketched = AllBut({M::executerun, M::Image6, M::runmenu, M::view7, M::view8});
  const auto everything = AllBut({M::view7, M::view8});
  const struct {
    const char* name;
    std::vector<Event> events;
    MenuEnabling want;
  } cases[] = {
      {"created", {}, created},
      {"activation with nothing done", {Activate({})}, created},
      {"activation with steps 1 2 4 5 (economics not needed)", {Activate({1, 2, 4, 5})}, runReady},
      {"activation with step 5 missing", {Activate({1, 2, 3, 4})}, created},
      {"activation with step 1 missing", {Activate({2, 3, 4, 5})}, created},
      {"activation with step 2 missing", {Activate({1, 3, 4, 5})}, created},
      {"activation with step 4 missing", {Activate({1, 2, 3, 5})}, created},
      {"sketch opened", {Sketch}, sketched},
      {"sketch then all steps", {Sketch, Activate({1, 2, 3, 4, 5})}, everything},
      {"activation never disables", {Sketch, Activate({1, 2, 4, 5}), Activate({})}, everything},
      {"new project after everything", {Sketch, Activate({1, 2, 4, 5}), NewProj}, created},
      {"new project with nothing done", {NewProj}, created},
      {"new project then steps done", {Sketch, NewProj, Activate({1, 2, 4, 5})}, runReady},
      {"steps done again after new project", {NewProj, Sketch, Activate({1, 2, 4, 5})},
       everything},
  };
  for (const auto& c : cases) {
    MenuEnabling state = CreatedEnabling();
    for (const Event& e : c.events) state = e(state);
    EXPECT_TRUE(state == c.want) << c.name << ": " << Differences(state, c.want);
  }
}

TEST(MenuEnabling, items_without_their_window_stay_disabled_whatever_the_menu_enables) {
  const MenuEnabling all = AllBut({});
  for (M item : {M::weatherdata, M::Image2, M::economicsdata,
                 M::Image3, M::buildingsketch, M::Image4, M::zonedescription, M::Image5,
                 M::Picture2, M::view6, M::view10, M::view12,
                 M::dbase1, M::dbase2, M::dbase3}) {
    EXPECT_FALSE(ShownEnabled(all, item)) << MenuItemName(item);
  }
  for (M item : {M::filemenu, M::newitem, M::exititem, M::Helpmenu, M::contentitem,
                 M::introductionitem, M::learningitem, M::Licenseitem, M::aboutitem,
                 M::projectinformation, M::Image1, M::Picture1, M::retrieveitem,
                 M::saveinput, M::executerun, M::Image6, M::runenergy3, M::runenergy4}) {
    EXPECT_TRUE(ShownEnabled(all, item)) << MenuItemName(item);
    EXPECT_FALSE(ShownEnabled(AllBut({item}), item)) << MenuItemName(item);
  }
}

TEST(MenuEnabling, hides_the_two_hidden_runs_and_the_two_hidden_views) {
  for (std::size_t i = 0; i < kMenuItemCount; ++i) {
    const auto item = static_cast<M>(i);
    const bool hidden = item == M::runenergy1 || item == M::runenergy2 || item == M::view7 ||
                        item == M::view8;
    EXPECT_EQ(ItemHidden(item), hidden) << MenuItemName(item);
  }
}

TEST(AnyStepDone, looks_at_steps_one_to_five_only) {
  EXPECT_FALSE(AnyStepDone(StepDone{}));
  EXPECT_FALSE(AnyStepDone(StepDone{1, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(AnyStepDone(StepDone{0, 1, 0, 0, 0, 0}));
  EXPECT_TRUE(AnyStepDone(StepDone{0, 0, 0, 0, 0, 1}));
  EXPECT_FALSE(AnyStepDone(StepDone{0, 2, 0, 0, 0, 0}));
}

TEST(MainMenuCaption, names_the_project_file_only_for_a_project_with_a_file) {
  EXPECT_EQ(MainMenuCaption(0, "New_Project"), "-- New_Project.inp");
  EXPECT_EQ(MainMenuCaption(0, "NewProject.inp"), "-- New_Project.inp");
  EXPECT_EQ(MainMenuCaption(1, "/home/u/house.inp"), "-- /home/u/house.inp");
}

TEST(ExitQuestion, asks_about_the_last_project_file_unless_the_input_was_saved_without_file) {
  const struct {
    int inputSaved, projectLoaded;
    const char* last;
    const char* before;
    const char* first;
    const char* second;
  } cases[] = {
      {0, 0, "", "old", "Save input changes to:", " ?"},
      {0, 1, "/p/house.inp", "old", "Save input changes to:", "/p/house.inp ?"},
      {1, 1, "/p/house.inp", "old", "Save input changes to:", "/p/house.inp ?"},
      {1, 0, "/p/house.inp", "old", "Do you want to save your input ?", "old"},
  };
  for (const auto& c : cases) {
    const ExitLabels labels = ExitQuestion(c.inputSaved, c.projectLoaded, c.last, c.before);
    EXPECT_EQ(labels.first, c.first);
    EXPECT_EQ(labels.second, c.second);
  }
}

TEST(DecideExitNo, asks_about_unsaved_results_and_follows_the_answer) {
  const struct {
    int resultsExist, outputSaved;
    MsgAnswer answer;
    bool asked;
    ExitOutcome outcome;
  } cases[] = {
      {0, 0, MsgAnswer::Yes, false, ExitOutcome::EndProgram},
      {0, 1, MsgAnswer::Yes, false, ExitOutcome::EndProgram},
      {1, 1, MsgAnswer::Yes, false, ExitOutcome::EndProgram},
      {1, 0, MsgAnswer::Yes, true, ExitOutcome::SaveOutput},
      {1, 0, MsgAnswer::No, true, ExitOutcome::EndProgram},
      {1, 0, MsgAnswer::Cancel, true, ExitOutcome::StayRunning},
  };
  for (const auto& c : cases) {
    bool asked = false;
    const ExitOutcome outcome = DecideExitNo(c.resultsExist, c.outputSaved, [&] {
      asked = true;
      return c.answer;
    });
    EXPECT_EQ(asked, c.asked) << c.resultsExist << c.outputSaved;
    EXPECT_EQ(outcome, c.outcome) << c.resultsExist << c.outputSaved;
  }
}

TEST(ExitOkAvailable, writes_back_a_project_with_a_file_and_opens_the_save_dialog_otherwise) {
  EXPECT_TRUE(ExitOkAvailable(1));
  EXPECT_TRUE(ExitOkAvailable(0));
}

TEST(HelpTexts, topics_help_items_and_format_examples_name_their_files_and_captions) {
  ASSERT_EQ(ContentTopics().size(), 3U);
  EXPECT_EQ(ContentTopics()[0].file, "mainhlp2.txt");
  EXPECT_EQ(ContentTopics()[1].file, "help1.txt");
  EXPECT_EQ(ContentTopics()[2].file, "mainhlp1.txt");
  EXPECT_EQ(HelpCaption(ContentTopics()[0].title, "New_Project"),
            "INTRODUCTION TO KAL-VANO 6 -- New_Project");
  EXPECT_EQ(HelpCaption(ContentTopics()[1].title, "x.inp"), "Learning KAL-VANO -- x.inp");
  EXPECT_EQ(HelpCaption(ContentTopics()[2].title, "New_Project"),
            "ABOUT KAL-VANO 6 -- New_Project");
  EXPECT_EQ(ContentCaption("New_Project"), "KAL-VANO 6 Help -- New_Project");

  const struct {
    int format;
    const char* file;
    const char* caption;
  } formats[] = {
      {1, "tmy2.txt", "Example of TMY2 format"},   {2, "wyec2.txt", "Example of WYEC2 format"},
      {3, "iwec.txt", "Example of IWEC format"},   {4, "custom.txt", "Example of Custom format"},
      {0, "custom.txt", "Example of Custom format"}, {9, "custom.txt", "Example of Custom format"},
  };
  for (const auto& f : formats) {
    EXPECT_EQ(FormatExample(f.format).file, f.file);
    EXPECT_EQ(FormatExample(f.format).title, f.caption);
  }
}

}  // namespace
}  // namespace kalvano::shell
