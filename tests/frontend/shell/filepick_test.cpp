// The file dialogs' path rules and listings.
#include <gtest/gtest.h>

#include "frontend/model/file_error.h"
#include "frontend/shell/filepickcore.h"
#include "shell_test_support.h"

namespace kalvano::shell {
namespace {

TEST(FilePaths, join_typed_names_to_the_folder_unless_they_are_full_paths) {
  EXPECT_EQ(JoinFolder("/p", "house"), "/p/house");
  EXPECT_EQ(JoinFolder("/", "house"), "/house");  // a folder ending in "/": no doubled separator
  EXPECT_EQ(JoinFolder("/p/", "house"), "/p/house");
  EXPECT_EQ(JoinFolder("/p", "/q/house.inp"), "/q/house.inp");
  EXPECT_EQ(ParentFolder("/p/q"), "/p");
  EXPECT_EQ(ParentFolder("/p/q/"), "/p");
  EXPECT_EQ(ParentFolder("/p"), "/");
  EXPECT_EQ(ParentFolder("/"), "/");
}

TEST(FilePaths, retrieve_adds_the_extension_only_to_names_without_it) {
  struct Case {
    std::string folder, typed, want;
  } cases[] = {
      {"/p", "bank", "/p/bank.inp"},
      {"/p", "bank.inp", "/p/bank.inp"},
      {"/p", "BANK.INP", "/p/BANK.INP"},
      {"/p", "bank.dat", "/p/bank.dat.inp"},
      {"/", "bank", "/bank.inp"},
      {"/p", "/q/bank", "/q/bank"},  // a full path is used as typed
  };
  for (const Case& c : cases) EXPECT_EQ(RetrievePath(c.folder, c.typed), c.want) << c.typed;
}

TEST(FilePaths, save_applies_the_extension_rule_to_the_file_name_only) {
  struct Case {
    std::string folder, typed, want;
  } cases[] = {
      {"/p", "house", "/p/house.inp"},
      {"/p", "house.INP", "/p/house.INP"},
      {"/p", "house.inp", "/p/house.inp"},
      {"/p", "house.dat", "/p/house.inp"},
      {"/p", "house.old.dat", "/p/house.inp"},   // the part before the first point
      {"/p", "houseinp", "/p/houseinp.inp"},     // no point: the extension is added
      {"/p", "house.xinp", "/p/house.xinp"},     // ends in "inp": stays
      {"/my.dir", "house", "/my.dir/house.inp"}, // a point in a folder name is no extension
      {"/my.dir", "house.dat", "/my.dir/house.inp"},
      {"/p", "/q.d/house", "/q.d/house.inp"},
  };
  for (const Case& c : cases) EXPECT_EQ(SavePath(c.folder, c.typed), c.want) << c.typed;
}

TEST(FilePatterns, match_stars_and_question_marks_in_either_case) {
  struct Case {
    std::string pattern, name;
    bool match;
  } cases[] = {
      {"*.inp", "bank.inp", true},   {"*.inp", "BANK.INP", true}, {"*.inp", "bank.inp.bak", false},
      {"*.inp", "inp", false},       {"*.ot*", "a.ot1", true},    {"*.ot*", "a.fl1", false},
      {"*.fl*", "x.flt", true},      {"?.inp", "a.inp", true},    {"?.inp", "ab.inp", false},
      {"*", "", true},               {"a*b*c", "aXbYbZc", true},  {"a*b*c", "aXbYc!", false},
  };
  for (const Case& c : cases) EXPECT_EQ(PatternMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(FileListings, list_sorted_sub_folders_and_matching_files) {
  test::BaseFolder base;
  base.write("b.inp", "x");
  base.write("A.INP", "x");
  base.write("c.txt", "x");
  base.write(".hidden.inp", "x");
  std::filesystem::create_directories(base.path("zeta.inp"));  // a folder is no file
  std::filesystem::create_directories(base.path(".git"));
  EXPECT_EQ(MatchingFiles(base.dir().string(), "*.inp"),
            (std::vector<std::string>{".hidden.inp", "A.INP", "b.inp"}));
  EXPECT_EQ(SubFolders(base.dir().string()),
            (std::vector<std::string>{"btype", "helpinfo", "profiles", "sketch", "temp", "zeta.inp"}));
  try {
    MatchingFiles(base.path("missing").string(), "*.inp");
    ADD_FAILURE() << "no error";
  } catch (const model::FileError& e) {
    EXPECT_EQ(e.number(), model::kErrPathNotFound);
  }
}

}  // namespace
}  // namespace kalvano::shell
