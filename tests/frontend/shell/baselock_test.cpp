// The front-end's hold on its base folder: one front-end per base folder, by whatever path it
// is reached and whatever became of its lock file; the hold lasts while its holder does, no
// program that the front-end starts inherits it, and the probe that other programs use makes
// nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "frontend/shell/baselock.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

namespace fs = std::filesystem;

using BaseFolderLock = test::ShellTest;

// The descriptors of this process that are open on `file`, with their close-on-exec flags.
std::vector<bool> OpenOn(const fs::path& file) {
  std::vector<bool> closedOnExec;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator("/proc/self/fd", ec)) {
    std::error_code linkEc;
    if (fs::read_symlink(e.path(), linkEc) != file) continue;
    const int fd = std::stoi(e.path().filename().string());
    closedOnExec.push_back((::fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0);
  }
  return closedOnExec;
}

TEST_F(BaseFolderLock, one_front_end_holds_a_base_folder_by_any_path_until_it_ends) {
  const fs::path folder = fs::canonical(base.dir());
  const test::BaseFolder scratch;  // a folder of its own, for the link
  const fs::path link = scratch.path("link");
  fs::create_directory_symlink(folder, link);
  struct Case {
    const char* what;
    fs::path path;
  };
  const Case cases[] = {
      {"the same path", folder},
      {"a symbolic link to the folder", link},
      {"a path through the folder's parent", folder / ".." / folder.filename()},
  };
  auto first = std::make_unique<BaseFolderHold>(folder.string());
  ASSERT_TRUE(first->Held());
  // Held by one descriptor on the folder and one on its lock file, which no program started
  // from here inherits.
  EXPECT_EQ(OpenOn(folder), std::vector<bool>{true});
  EXPECT_EQ(OpenOn(folder / "frontend.lock"), std::vector<bool>{true});
  EXPECT_TRUE(FrontEndHolds(link.string()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.asked.clear();
    const BaseFolderHold second(c.path.string());
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(second.Refuse(), 2);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, "Base folder in use");
    EXPECT_EQ(boxes.asked[0].text,
              "Another front-end is using this base folder:\n\n" + c.path.string() +
                  "\n\nOne base folder serves one front-end at a time: use that front-end, or "
                  "start this one from a copy of the base folder.");
    EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
  }
  // Its holder gone, the next front-end holds the folder at once.
  first.reset();
  EXPECT_TRUE(OpenOn(folder).empty());
  EXPECT_TRUE(OpenOn(folder / "frontend.lock").empty());
  EXPECT_FALSE(FrontEndHolds(folder.string()));
  EXPECT_TRUE(BaseFolderHold(link.string()).Held());
}

TEST_F(BaseFolderLock, a_hold_withdrawn_leaves_only_what_it_found) {
  const test::BaseFolder scratch;
  const fs::path empty = scratch.path("empty");
  fs::create_directory(empty);
  // Asking whether a front-end holds a folder makes nothing there.
  EXPECT_FALSE(FrontEndHolds(empty.string()));
  EXPECT_TRUE(fs::is_empty(empty));
  // A hold that made the lock file takes it away when withdrawn; one that found it leaves it.
  BaseFolderHold made(empty.string());
  ASSERT_TRUE(made.Held());
  EXPECT_TRUE(fs::exists(empty / "frontend.lock"));
  made.Withdraw();
  EXPECT_FALSE(made.Held());
  EXPECT_TRUE(fs::is_empty(empty));
  std::ofstream(empty / "frontend.lock") << "";
  BaseFolderHold found(empty.string());
  ASSERT_TRUE(found.Held());
  found.Withdraw();
  EXPECT_TRUE(fs::exists(empty / "frontend.lock"));
  // A lock file put in the place of the one it made is not its own.
  fs::remove(empty / "frontend.lock");
  BaseFolderHold replaced(empty.string());
  ASSERT_TRUE(replaced.Held());
  fs::remove(empty / "frontend.lock");
  std::ofstream(empty / "frontend.lock") << "";
  replaced.Withdraw();
  EXPECT_TRUE(fs::exists(empty / "frontend.lock"));
}

}  // namespace
}  // namespace kalvano::shell
