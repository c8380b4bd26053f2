#include "frontend/shell/openers.h"

#include <gtest/gtest.h>

#include <vector>

namespace kalvano::shell {
namespace {

class WindowOpeners : public ::testing::Test {
 protected:
  void SetUp() override { ClearWindowOpeners(); }
  void TearDown() override { ClearWindowOpeners(); }
};

TEST_F(WindowOpeners, an_unregistered_window_is_not_opened) {
  EXPECT_FALSE(HasWindowOpener(window::zonename));
  EXPECT_FALSE(OpenWindow(window::zonename));
}

TEST_F(WindowOpeners, opens_by_name_with_its_argument_and_the_last_registration_wins) {
  std::vector<int> first, second;
  RegisterWindowOpener(window::zoneform, [&](int arg) { first.push_back(arg); });
  ASSERT_TRUE(OpenWindow(window::zoneform, 7));
  RegisterWindowOpener(window::zoneform, [&](int arg) { second.push_back(arg); });
  ASSERT_TRUE(OpenWindow(window::zoneform));
  EXPECT_EQ(first, std::vector<int>{7});
  EXPECT_EQ(second, std::vector<int>{0});
  EXPECT_FALSE(OpenWindow(window::tabular)) << "another name stays unregistered";
}

TEST_F(WindowOpeners, an_empty_opener_removes_the_name) {
  RegisterWindowOpener(window::graphs, [](int) {});
  RegisterWindowOpener(window::graphs, {});
  EXPECT_FALSE(HasWindowOpener(window::graphs));
}

TEST_F(WindowOpeners, an_opener_may_replace_itself_while_it_runs) {
  int calls = 0;
  RegisterWindowOpener(window::runwindow, [&](int) {
    ++calls;
    RegisterWindowOpener(window::runwindow, {});
  });
  EXPECT_TRUE(OpenWindow(window::runwindow));
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(OpenWindow(window::runwindow));
}

TEST_F(WindowOpeners, the_input_echo_writer_is_set_and_cleared_with_the_openers) {
  EXPECT_FALSE(InputEcho());
  model::ProjectModel m;
  SetInputEchoWriter([](model::ProjectModel& pm) { pm.Run.RunStatus = 5; });
  ASSERT_TRUE(InputEcho());
  InputEcho()(m);
  EXPECT_EQ(m.Run.RunStatus, 5);
  ClearWindowOpeners();
  EXPECT_FALSE(InputEcho());
}

}  // namespace
}  // namespace kalvano::shell
