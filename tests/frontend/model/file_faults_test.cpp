// Saving and retrieving under hostile conditions: protected and linked targets, files too
// big to read, numbers that no field holds, damaged header lines, and error boxes that must
// stay short whatever a damaged file holds.
#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "project_fixture.h"
#include "test_support.h"
#include "tests/pipe_watchdog.h"
#include "tests/unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace kalvano::model {
namespace {
namespace fs = std::filesystem;
using test::FillSmallProject;
using test::FixturePath;
using test::NewModel;
using test::TempBase;

int errorOf(auto&& action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.number();
  }
  return 0;
}

// The error number of `action` run by an ordinary user (tests/unprivileged.h): its effects
// on the model stay in the child when run as root, its effects on files are seen here.
int errorAsUser(auto&& action) {
  return kalvano::test::AsUnprivileged([&] { return errorOf(action); });
}

mode_t modeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Names of the files a folder holds (the temporary files of a save start with ".").
std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// A socket bound to the name `path` (which it makes); -1 when that fails.
int boundSocket(const std::string& path) {
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (sock < 0 || path.size() >= sizeof addr.sun_path) return -1;
  path.copy(addr.sun_path, path.size());
  if (::bind(sock, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(sock);
    return -1;
  }
  return sock;
}

class FileFaults : public ::testing::Test {
 protected:
  FileFaults() : m(NewModel(base.dir())) {
    base.write("sketch/bld_mtx.all", TempBase::slurp(FixturePath("bld_mtx_one_level.all")));
    FillSmallProject(*m);
    EXPECT_FALSE(WriteProjectFile(*m, "good.inp", "IP", BodyWriter::AsHeld));
    good = SplitLines(base.read("good.inp"));
  }
  // The saved small project with `edit` applied, as `name`.
  void variant(const std::string& name, auto edit) {
    std::vector<std::string> l = good;
    edit(l);
    std::string bytes;
    for (const auto& s : l) bytes += s + "\r\n";
    base.write(name, bytes);
  }
  std::size_t lineOf(const std::string& start) const {
    for (std::size_t i = 0; i < good.size(); ++i)
      if (good[i].rfind(start, 0) == 0) return i;
    ADD_FAILURE() << "no line " << start;
    return 0;
  }
  // Marks the model so that a read which changed it shows.
  void mark() {
    m->ProjectData[1] = "Before";
    m->WeeksPerMonth = 3;
    m->ProjectLoaded = 0;
  }
  void expectUnchanged() {
    EXPECT_EQ(m->ProjectData[1], "Before");
    EXPECT_EQ(m->WeeksPerMonth, 3);
    EXPECT_EQ(m->ProjectLoaded, 0);
  }
  TempBase base;
  std::unique_ptr<ProjectModel> m;
  std::vector<std::string> good;
};

TEST_F(FileFaults, a_read_only_target_is_refused_and_left_as_it_was) {
  // Folders that anyone may write: only the protection of the file itself stops a save.
  for (const char* folder : {"", "temp", "sketch"})
    fs::permissions(base.path(folder), fs::perms::all);
  const std::string before = base.read("good.inp");
  fs::permissions(base.path("good.inp"), fs::perms::owner_read | fs::perms::group_read |
                                             fs::perms::others_read);
  m->ProjectData[1] = "Changed";
  auto saved = [&](std::string_view tag, BodyWriter body) {
    return errorAsUser([&] { WriteProjectFile(*m, "good.inp", tag, body); });
  };
  ASSERT_NE(saved("IP", BodyWriter::AsHeld), 255) << "cannot become an ordinary user";
  EXPECT_EQ(saved("IP", BodyWriter::AsHeld), kErrPermissionDenied);
  EXPECT_EQ(base.read("good.inp"), before);
  EXPECT_EQ(modeOf(base.path("good.inp")), 0444u);
  EXPECT_EQ(FileErrorMessage(kErrPermissionDenied), "Permission denied.  Check the disk.");
  // The converting writers go through the same check.
  EXPECT_EQ(saved("SI", BodyWriter::ToSI), kErrPermissionDenied);
  EXPECT_EQ(base.read("good.inp"), before);
  EXPECT_EQ(namesIn(base.dir()), (std::vector<std::string>{"good.inp", "sketch", "temp"}));

  // A protected zone file or sketch stops a retrieve before anything is replaced.
  base.write("temp/temp11.zon", "old\r\n");
  fs::permissions(base.path("temp/temp11.zon"), fs::perms::owner_read);
  mark();
  EXPECT_EQ(errorAsUser([&] { ReadInputFile(*m, "good.inp"); }), kErrPermissionDenied);
  expectUnchanged();
  EXPECT_EQ(base.read("temp/temp11.zon"), "old\r\n");
  EXPECT_EQ(namesIn(base.path("temp")), std::vector<std::string>{"temp11.zon"});

  // Several files at once: none is replaced when one of them is protected.
  AtomicFile open(base.path("open.txt")), locked(base.path("temp/temp11.zon"));
  open.line("new");
  locked.line("new");
  EXPECT_EQ(errorAsUser([&] { CommitAll({&open, &locked}); }), kErrPermissionDenied);
  EXPECT_FALSE(base.exists("open.txt"));
}

// A folder in a target's place: refused before anything is written, so that no other file of
// the same save is replaced; copies go the same way, and a missing source writes nothing.
TEST_F(FileFaults, a_folder_in_a_targets_place_is_refused_before_anything_is_written) {
  base.write("first.txt", "old first\r\n");
  fs::create_directories(base.path("second.txt"));
  AtomicFile first(base.path("first.txt")), second(base.path("second.txt"));
  first.line("new");
  second.line("new");
  EXPECT_EQ(errorOf([&] { CommitAll({&first, &second}); }), kErrPathFileAccess);
  EXPECT_EQ(base.read("first.txt"), "old first\r\n");
  EXPECT_TRUE(fs::is_directory(base.path("second.txt")));

  base.write("source.txt", "source\r\n");
  const std::string src = base.path("source.txt"), missing = base.path("missing.txt");
  const std::string to1 = base.path("first.txt"), to2 = base.path("second.txt"), to3 = base.path("third.txt");
  EXPECT_EQ(errorOf([&] { CopyAll({{src, to1}, {src, to2}}); }), kErrPathFileAccess);
  EXPECT_EQ(errorOf([&] { CopyAll({{src, to1}, {missing, to3}}); }), kErrFileNotFound);
  EXPECT_EQ(base.read("first.txt"), "old first\r\n");
  EXPECT_EQ(namesIn(base.dir()), (std::vector<std::string>{"first.txt", "good.inp", "second.txt", "sketch",
                                                           "source.txt", "temp"}));
  CopyAll({{src, to1}, {src, to3}});
  EXPECT_EQ(base.read("first.txt"), "source\r\n");
  EXPECT_EQ(base.read("third.txt"), "source\r\n");
}

TEST_F(FileFaults, a_linked_target_stays_a_link_and_its_file_gets_the_new_bytes) {
  fs::create_directories(base.path("real/deeper"));
  base.write("real/deeper/target.inp", "old\r\n");
  fs::create_symlink("real/deeper/target.inp", base.path("link.inp"));  // relative
  fs::create_symlink(base.path("link.inp"), base.path("chain.inp"));    // a link to a link
  fs::permissions(base.path("real/deeper/target.inp"), fs::perms::owner_read |
                                                           fs::perms::owner_write);
  m->ProjectData[1] = "Through the link";
  WriteProjectFile(*m, "chain.inp", "IP", BodyWriter::AsHeld);
  WriteProjectFile(*m, "plain.inp", "IP", BodyWriter::AsHeld);
  EXPECT_TRUE(fs::is_symlink(base.path("link.inp")));
  EXPECT_TRUE(fs::is_symlink(base.path("chain.inp")));
  EXPECT_EQ(fs::read_symlink(base.path("link.inp")), "real/deeper/target.inp");
  EXPECT_EQ(base.read("real/deeper/target.inp"), base.read("plain.inp"));
  EXPECT_EQ(modeOf(base.path("real/deeper/target.inp")), 0600u);
  // The new file was made beside the real target: no temporary file is left anywhere.
  EXPECT_EQ(namesIn(base.path("real/deeper")), std::vector<std::string>{"target.inp"});
  for (const std::string& name : namesIn(base.dir())) EXPECT_NE(name.front(), '.') << name;

  // The sketch file that a retrieve writes follows links too (the zone files, the program's
  // own in its run folder, take none).
  fs::remove(base.path("sketch/bld_mtx.all"));
  fs::create_symlink("../real/matrix.all", base.path("sketch/bld_mtx.all"));  // not there yet
  ReadInputFile(*m, "link.inp");
  EXPECT_EQ(m->ProjectData[1], "Through the link");
  EXPECT_TRUE(fs::is_symlink(base.path("sketch/bld_mtx.all")));
  EXPECT_EQ(base.read("real/matrix.all"), TempBase::slurp(FixturePath("bld_mtx_one_level.all")));

  // A link that leads nowhere but to itself is an error, not a hang.
  fs::create_symlink("loop.inp", base.path("loop.inp"));
  EXPECT_NE(errorOf([&] { WriteProjectFile(*m, "loop.inp", "IP", BodyWriter::AsHeld); }), 0);
}

TEST_F(FileFaults, a_file_over_the_bound_is_too_big_before_it_is_read) {
  // A sparse file: its size is past the bound, its blocks are never written.
  {
    std::ofstream(base.path("huge.inp")) << "KAL-VANO  .5         4  IP\r\n";
  }
  fs::resize_file(base.path("huge.inp"), kMaxReadBytes + 1);
  mark();
  EXPECT_EQ(errorOf([&] { ReadInputFile(*m, "huge.inp"); }), kErrOutOfMemory);
  expectUnchanged();
  EXPECT_EQ(FileErrorMessage(kErrOutOfMemory), "File is too big to open.");
  m->ProjectFile = base.path("huge.inp");
  ReadProjectHeader(*m);  // the header falls back to its defaults
  EXPECT_EQ(m->WeeksPerMonth, 4);
  // The bound itself is still read; one byte more is not.
  base.write("small.txt", "0123456789");
  EXPECT_EQ(ReadWholeFile(base.path("small.txt"), 10), "0123456789");
  EXPECT_EQ(errorOf([&] { ReadWholeFile(base.path("small.txt"), 9); }), kErrOutOfMemory);
}

#if !defined(__SANITIZE_ADDRESS__)
// Reads `path` with 16 MB of address space left to the process; ends the process with 0
// when the read gave the out-of-memory file error.
[[noreturn]] void readWithLittleMemory(ProjectModel& m, const std::string& path) {
  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) +
                       (rlim_t{16} << 20);
  const rlimit rl{limit, limit};
  ::setrlimit(RLIMIT_AS, &rl);
  std::_Exit(errorOf([&] { ReadInputFile(m, path); }) == kErrOutOfMemory ? 0 : 1);
}

// Memory that runs out while a file is read is the same error, not the end of the program.
// (Not under the address sanitizer, which needs far more address space than it uses.)
TEST_F(FileFaults, running_out_of_memory_while_reading_is_too_big_as_well) {
  {
    std::ofstream(base.path("big.inp")) << "KAL-VANO  .5         4  IP\r\n";
  }
  fs::resize_file(base.path("big.inp"), std::uintmax_t{48} << 20);  // under the bound
  EXPECT_EXIT(readWithLittleMemory(*m, base.path("big.inp")), ::testing::ExitedWithCode(0), "");
}
#endif

TEST(ErrorBox, shows_the_message_and_a_short_printable_detail) {
  std::string longLine(2'000'000, 'x');
  longLine[3] = '\x01';
  longLine[4] = '\x7F';
  longLine[5] = '\x85';
  longLine[6] = '\xE9';  // Latin-1 e acute is printable
  const std::string text = FileErrorBoxText(FileError(kErrSubscript, "ID. #" + longLine));
  EXPECT_LT(text.size(), 200u);
  EXPECT_EQ(text, "Subscript out of range\n\nID. #xxx???\xE9" + std::string(48, 'x') + "...");
  struct Case {
    std::string detail, shown;
  } cases[] = {
      {std::string(60, 'a'), std::string(60, 'a')},  // 60 characters: not cut
      {std::string(61, 'a'), std::string(60, 'a') + "..."},
      {"tab\there\r\n", "tab?here??"},
      {"/home/u/Proj \xA0\xFF.inp", "/home/u/Proj \xA0\xFF.inp"},
  };
  for (const Case& c : cases) EXPECT_EQ(BoxDetail(c.detail), c.shown);
  EXPECT_EQ(FileErrorBoxText(FileError(kErrPastEndOfFile)), FileErrorMessage(kErrPastEndOfFile));
  EXPECT_EQ(FileErrorBoxText(FileError(kErrFileNotFound, "a.inp")),
            FileErrorMessage(kErrFileNotFound) + "\n\na.inp");
}

// A file or folder name keeps its spelling in the box: the bytes of its letters are never
// taken for unprintable Latin-1, and a long name is cut between two letters, not inside one.
TEST(ErrorBox, shows_a_file_name_as_the_file_system_spells_it) {
  const std::string accents = "gw \xC3\xA9 \xC3\x81 x";  // "gw é Á x": Á ends in byte 0x81
  const std::string sixtyLetters = std::string(59, 'a') + "\xC3\xA9";
  struct Case {
    std::string name, shown;
  } cases[] = {
      {"/tmp/" + accents + "/base/sample/SampleProject.inp", "/tmp/" + accents + "/base/sample/SampleProject.inp"},
      {sixtyLetters, sixtyLetters},                                   // 60 letters in 61 bytes: whole
      {sixtyLetters + "\xC3\x81", sixtyLetters + "..."},              // the 61st letter is cut whole
      {std::string(59, 'a') + "\xE2\x82\xAC" + "b", std::string(59, 'a') + "\xE2\x82\xAC..."},
      {"tab\there\r\n\x7F.inp", "tab?here???.inp"},
  };
  for (const Case& c : cases) EXPECT_EQ(BoxName(c.name), c.shown) << c.name;

  // Every error met on a file names it so; an error about a text of a file does not.
  const std::string missing = "/tmp/" + accents + "/no folder/a.inp";
  const FileError notFound = FileErrorFromSystem(ENOENT, missing);
  EXPECT_TRUE(notFound.namesFile());
  EXPECT_EQ(FileErrorBoxText(notFound), FileErrorMessage(kErrPathNotFound) + "\n\n" + missing);
  EXPECT_TRUE(FileError::OnFile(kErrPastEndOfFile, missing).namesFile());
  EXPECT_FALSE(FileError(kErrTypeMismatch, "\xC3\x81").namesFile());
  EXPECT_EQ(FileErrorBoxText(FileError(kErrTypeMismatch, "\xC3\x81")), FileErrorMessage(kErrTypeMismatch) + "\n\n\xC3?");
}

// A number that no field can hold is refused by the reader: overflow (6) for a value
// stored as a number, subscript out of range (9) for a type id or profile number.
TEST_F(FileFaults, numbers_that_no_field_holds_are_refused) {
  struct Place {
    const char* name;
    std::string label;  // the line that gets the number
    std::size_t offset;  // lines after it
    int want;
  } places[] = {
      {"wall area", "Wall Area ", 0, kErrOverflow},
      {"window area", "Win. Area ", 0, kErrOverflow},
      {"surface wall id", "Wall ID.  ", 0, kErrOverflow},
      {"floor area", "FloorArea ", 0, kErrOverflow},
      {"zone floor area", "Flr. Area ", 0, kErrOverflow},
      {"type id", "ID. #", 0, kErrSubscript},
      {"profile number", "PROFILES", 2, kErrSubscript},
  };
  for (const Place& p : places) {
    for (const char* number : {"1e39", "1e300", "-1e300", "1e400"}) {
      SCOPED_TRACE(std::string(p.name) + " " + number);
      const std::size_t at = lineOf(p.label) + p.offset;
      variant("bad.inp", [&](auto& l) {
        l[at] = p.offset == 0 ? l[at].substr(0, 10) + " " + number : std::string(number);
      });
      mark();
      EXPECT_EQ(errorOf([&] { ReadInputFile(*m, "bad.inp"); }), p.want);
      expectUnchanged();
    }
  }
  // Values inside their range are still read.
  variant("ok.inp", [&](auto& l) { l[lineOf("Wall Area ")] = "Wall Area  3e38"; });
  ReadInputFile(*m, "ok.inp");
  EXPECT_FLOAT_EQ(m->SurfWallArea[1][1], 3e38f);
}

TEST_F(FileFaults, no_writer_puts_an_infinite_value_into_a_file) {
  const std::string before = base.read("good.inp");
  // A held value that overflows when it is converted.
  m->ZoneData[1][4] = "1e38";  // internal mass, times 4.88 in SI
  for (BodyWriter body : {BodyWriter::ToSI, BodyWriter::AsHeld}) {
    m->SurfWallArea[1][1] = body == BodyWriter::AsHeld ? std::numeric_limits<float>::infinity()
                                                       : 320.0f;
    EXPECT_EQ(errorOf([&] { WriteProjectFile(*m, "good.inp", "IP", body); }), kErrOverflow);
    EXPECT_EQ(base.read("good.inp"), before);
  }
  m->SurfWallArea[1][1] = 320.0f;
  m->ZoneData[1][4] = "20";
  m->ProjectData[8] = "1e300";  // floor area, converted to square metres
  EXPECT_EQ(errorOf([&] { WriteProjectFile(*m, "good.inp", "SI", BodyWriter::ToSI); }),
            kErrOverflow);
  EXPECT_EQ(base.read("good.inp"), before);
}

TEST_F(FileFaults, a_byte_order_mark_before_the_header_is_skipped) {
  base.write("bom.inp", "\xEF\xBB\xBF" + base.read("good.inp"));
  ReadInputFile(*m, "bom.inp");
  auto plain = NewModel(base.dir());
  ReadInputFile(*plain, "good.inp");
  EXPECT_EQ(m->WeatherSeed, plain->WeatherSeed);
  EXPECT_EQ(m->WeeksPerMonth, 2);
  EXPECT_EQ(m->UnitSystem, kInchPound);
  EXPECT_EQ(m->ProjectData[1], plain->ProjectData[1]);
  // Saved again, it is the file saved from the project read without the mark.
  WriteProjectFile(*m, "again.inp", "IP", BodyWriter::AsHeld);
  WriteProjectFile(*plain, "plain.inp", "IP", BodyWriter::AsHeld);
  EXPECT_EQ(base.read("again.inp"), base.read("plain.inp"));
  m->ProjectFile = base.path("bom.inp");
  m->WeatherSeed.clear();
  ReadProjectHeader(*m);
  EXPECT_EQ(m->WeatherSeed, plain->WeatherSeed);
  EXPECT_EQ(m->WeeksPerMonth, 2);
}

TEST_F(FileFaults, weeks_per_month_outside_one_to_four_are_the_wrong_format) {
  auto header = [](const char* weeks) {
    return "KAL-VANO   .7055475 " + std::string(weeks) + " IP";  // weeks in columns 21-23
  };
  EXPECT_EQ(header(" 2 "), good[0]);
  // ".5" is a half, taken to the even neighbour 0.
  for (const char* weeks : {" 0 ", " 5 ", "ab ", "   ", "-1 ", "1e9", " .5", "4.6"}) {
    SCOPED_TRACE(weeks);
    variant("weeks.inp", [&](auto& l) { l[0] = header(weeks); });
    mark();
    EXPECT_EQ(errorOf([&] { ReadInputFile(*m, "weeks.inp"); }), kErrPastEndOfFile);
    expectUnchanged();
    m->ProjectFile = base.path("weeks.inp");
    ReadProjectHeader(*m);
    EXPECT_EQ(m->WeeksPerMonth, 4);
  }
  struct Case {
    const char* weeks;
    int want;
  } accepted[] = {{" 1 ", 1}, {" 4 ", 4}, {"4.5", 4}, {"1.5", 2}, {"+3 ", 3}};
  for (const Case& c : accepted) {
    SCOPED_TRACE(c.weeks);
    variant("weeks.inp", [&](auto& l) { l[0] = header(c.weeks); });
    ReadInputFile(*m, "weeks.inp");
    EXPECT_EQ(m->WeeksPerMonth, c.want);
  }
}

// A file the user picks may be anything that has a name. Only a regular file is read or
// copied: a named pipe (which would make the program wait for a writer, for ever), a device, a
// socket or a folder is refused as the path/file access error naming it, and nothing waits.
TEST(ReadingUserFiles, only_a_regular_file_is_read_and_nothing_waits) {
  TempBase base;
  ASSERT_EQ(::mkfifo(base.path("pipe.ot1").c_str(), 0644), 0);
  fs::create_symlink("pipe.ot1", base.path("link-to-pipe.ot1"));
  fs::create_directories(base.path("folder.ot1"));
  base.write("report.ot1", "REPORT\r\n");
  fs::create_symlink("report.ot1", base.path("link-to-report.ot1"));
  const std::string sockPath = base.path("socket.ot1");
  const int sock = boundSocket(sockPath);
  ASSERT_GE(sock, 0);
  struct Case {
    const char* what;
    std::string path;
    bool read;  // read whole; else refused with error 75 naming the file
    std::string_view message = "Path not found or path/file access error.";
  };
  const Case cases[] = {
      {"a named pipe", base.path("pipe.ot1"), false, "This name is a named pipe, not a file.  Choose another name."},
      {"a symbolic link to a named pipe", base.path("link-to-pipe.ot1"), false,
       "This name is a named pipe, not a file.  Choose another name."},
      {"a folder", base.path("folder.ot1"), false},
      {"a device", "/dev/null", false, "This name is a device, not a file.  Choose another name."},
      {"a socket", sockPath, false, "This name is a socket, not a file.  Choose another name."},
      {"a regular file", base.path("report.ot1"), true},
      {"a symbolic link to a regular file", base.path("link-to-report.ot1"), true},
  };
  kalvano::test::PipeWatchdog watchdog({base.path("pipe.ot1")});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string copy = base.path("temp/copy");
    try {
      EXPECT_EQ(ReadWholeFile(c.path), "REPORT\r\n");
      CopyAll({{c.path, copy}});
      EXPECT_EQ(base.read("temp/copy"), "REPORT\r\n");
      EXPECT_TRUE(c.read);
    } catch (const FileError& e) {
      EXPECT_FALSE(c.read) << e.what();
      EXPECT_EQ(e.number(), kErrPathFileAccess);
      EXPECT_EQ(e.detail(), c.path);
      EXPECT_EQ(FileErrorBoxText(e), std::string(c.message) + "\n\n" + BoxDetail(c.path));
    }
    if (!c.read) {
      EXPECT_EQ(errorOf([&] { CopyAll({{c.path, copy}}); }), kErrPathFileAccess);
      EXPECT_FALSE(fs::exists(copy));
      EXPECT_EQ(namesIn(base.path("temp")), std::vector<std::string>{});
    }
    fs::remove(copy);
  }
  EXPECT_FALSE(watchdog.Fired()) << "a read waited on the named pipe";
  ::close(sock);
}

}  // namespace
}  // namespace kalvano::model

namespace kalvano::model {
namespace {
namespace fs = std::filesystem;
using test::TempBase;

// What stands at a name, as the file system tells it: the name itself (not followed) and,
// where it leads anywhere, the node at the end of its links.
struct NodeAt {
  struct Node {
    bool there = false;
    mode_t mode = 0;
    dev_t rdev = 0;
    ino_t ino = 0;
    bool operator==(const Node&) const = default;
  };
  Node name, end;
  bool operator==(const NodeAt&) const = default;
};
NodeAt nodeAt(const std::string& path) {
  NodeAt at;
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) at.name = {true, st.st_mode, st.st_rdev, st.st_ino};
  if (::stat(path.c_str(), &st) == 0) at.end = {true, st.st_mode, st.st_rdev, st.st_ino};
  return at;
}

// Every name of the tree under `folder`, the temporary files of a save (".name.XXXXXX")
// among them.
std::vector<std::string> treeOf(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(folder)) names.push_back(e.path().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A save onto a name that is, at the end of its links, no regular file: a device, a named
// pipe, a socket, or a loop of links. Every way a file is saved refuses it before anything is
// written, naming the name as given, and leaves the node as it was; a save together with
// other files replaces none of them. A link to a file is still followed.
TEST(SavingOntoNoFile, a_device_a_pipe_a_socket_or_a_loop_is_refused_and_left_as_it_was) {
  TempBase base;
  fs::create_directories(base.path("nodes"));
  const bool root = ::geteuid() == 0;
  if (root) {  // a node of the null device, in the scratch folder
    ASSERT_EQ(::mknod(base.path("nodes/char.dev").c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    fs::create_symlink("nodes/char.dev", base.path("link-to-device.ot1"));
  }
  ASSERT_EQ(::mkfifo(base.path("pipe.ot1").c_str(), 0644), 0);
  fs::create_symlink("pipe.ot1", base.path("link-to-pipe.ot1"));
  fs::create_symlink("loop-b.ot1", base.path("loop-a.ot1"));
  fs::create_symlink("loop-a.ot1", base.path("loop-b.ot1"));
  base.write("nodes/report.ot1", "OLD\r\n");
  fs::create_symlink("nodes/report.ot1", base.path("link-to-file.ot1"));
  const std::string sockPath = base.path("socket.ot1");
  const int sock = boundSocket(sockPath);
  ASSERT_GE(sock, 0);
  base.write("source.txt", "NEW\r\n");
  base.write("other.txt", "OTHER\r\n");

  struct Case {
    const char* what;
    std::string name;
    bool rootOnly = false;
    std::string_view message = {};  // empty: saved; else the message of the refusal
    std::string written = {};       // where a save goes, relative to the base folder
  };
  // Each is told what it is, not a file, so that the user chooses another name.
  const Case cases[] = {
      {"a link to a character device", "link-to-device.ot1", true,
       "This name is a device, not a file.  Choose another name."},
      {"a named pipe", "pipe.ot1", false, "This name is a named pipe, not a file.  Choose another name."},
      {"a socket", "socket.ot1", false, "This name is a socket, not a file.  Choose another name."},
      {"a link to a named pipe", "link-to-pipe.ot1", false,
       "This name is a named pipe, not a file.  Choose another name."},
      {"a loop of links", "loop-a.ot1", false, kLinkLoopMessage},
      {"a link to a regular file", "link-to-file.ot1", false, {}, "nodes/report.ot1"},
      {"a new file", "new.ot1", false, {}, "new.ot1"},
  };
  kalvano::test::PipeWatchdog watchdog({base.path("pipe.ot1")});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.rootOnly && !root) continue;  // mknod needs root
    const std::string path = base.path(c.name);
    AtomicFile text(path), other(base.path("other.txt"));
    text.line("NEW");
    other.line("CHANGED");
    const std::vector<std::function<void()>> saves{
        [&] { CheckSaveTarget(path); },
        [&] { text.commit(); },
        [&] { CommitAll({&other, &text}); },  // the other file is not replaced either
        [&] { CopyAll({{base.path("source.txt"), path}}); },
    };
    for (std::size_t way = 0; way < saves.size(); ++way) {
      SCOPED_TRACE("way " + std::to_string(way));
      base.write("other.txt", "OTHER\r\n");
      const NodeAt before = nodeAt(path);
      const std::vector<std::string> tree = treeOf(base.dir());
      try {
        saves[way]();
        EXPECT_TRUE(c.message.empty()) << "saved";
      } catch (const FileError& e) {
        EXPECT_FALSE(c.message.empty()) << e.what();
        EXPECT_EQ(e.number(), kErrPathFileAccess);
        EXPECT_EQ(e.detail(), path);
        EXPECT_EQ(FileErrorBoxText(e), std::string(c.message) + "\n\n" + BoxName(path));
      }
      if (c.message.empty()) {
        if (way > 0) {  // written through
          EXPECT_EQ(base.read(c.written), "NEW\r\n");
          EXPECT_TRUE(fs::is_regular_file(base.path(c.written)));
        }
        continue;
      }
      EXPECT_EQ(nodeAt(path), before);
      EXPECT_EQ(treeOf(base.dir()), tree) << "a file was left or removed";
      EXPECT_EQ(base.read("other.txt"), "OTHER\r\n");
    }
  }
  EXPECT_TRUE(fs::is_symlink(base.path("link-to-file.ot1")));
  // A loop picked to be read is told the same way.
  try {
    ReadWholeFile(base.path("loop-a.ot1"));
    ADD_FAILURE() << "a loop of links was read";
  } catch (const FileError& e) {
    EXPECT_EQ(FileErrorBoxText(e), std::string(kLinkLoopMessage) + "\n\n" + BoxName(base.path("loop-a.ot1")));
  }
  EXPECT_FALSE(watchdog.Fired()) << "a save waited on the named pipe";
  ::close(sock);
}

}  // namespace
}  // namespace kalvano::model

namespace kalvano::model {
namespace {
namespace fs = std::filesystem;
using test::TempBase;

// The program's own files in its run folder have fixed names that no one chooses: nothing
// but a regular file may stand there. A named pipe, a folder, a socket and any symbolic link
// (to a device, to a file elsewhere, to nothing) are refused, naming the name and saying what
// stands there; every way a file is written leaves the node and every other file as they were,
// and nothing waits. A chosen name still follows a link to a file.
TEST(FixedNames, anything_but_a_regular_file_is_refused_and_nothing_waits) {
  TempBase base;
  fs::create_directories(base.path("temp"));
  fs::create_directories(base.path("scratch"));
  ASSERT_EQ(::mkfifo(base.path("temp/pipe.out").c_str(), 0644), 0);
  fs::create_symlink("/dev/null", base.path("scratch/null"));
  fs::create_symlink(base.path("scratch/null"), base.path("temp/device.out"));
  fs::create_directories(base.path("temp/folder.out"));
  base.write("scratch/users.txt", "THE USER'S\r\n");
  fs::create_symlink(base.path("scratch/users.txt"), base.path("temp/linked.out"));
  fs::create_symlink(base.path("scratch/nothing.txt"), base.path("temp/dangling.out"));
  const int sock = boundSocket(base.path("temp/socket.out"));
  ASSERT_GE(sock, 0);
  base.write("temp/own.out", "OLD\r\n");
  base.write("source.txt", "NEW\r\n");

  const std::string remove = ", not a file, where the program keeps a file of its own.  Remove it, then try again.";
  struct Case {
    const char* name;
    std::string message;  // empty: written
  };
  const Case cases[] = {
      {"pipe.out", "This name is a named pipe" + remove},
      {"device.out", "This name is a symbolic link" + remove},
      {"folder.out",
       "This name is a folder, not a file, where the program keeps a file of its own.  Remove that folder, "
       "then try again."},
      {"linked.out", "This name is a symbolic link" + remove},
      {"dangling.out", "This name is a symbolic link" + remove},
      {"socket.out", "This name is a socket" + remove},
      {"own.out", ""},
      {"new.out", ""},
  };
  kalvano::test::PipeWatchdog watchdog({base.path("temp/pipe.out")});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = base.path(std::string("temp/") + c.name);
    AtomicFile text(path, NameKind::Fixed), other(base.path("temp/other.out"), NameKind::Fixed);
    text.line("NEW");
    other.line("CHANGED");
    const std::vector<std::function<void()>> writes{
        [&] { CheckSaveTarget(path, NameKind::Fixed); },
        [&] { text.commit(); },
        [&] { CommitAll({&other, &text}); },
        [&] { CopyAll({{base.path("source.txt"), path, NameKind::Fixed}}); },
    };
    for (std::size_t way = 0; way < writes.size(); ++way) {
      SCOPED_TRACE("way " + std::to_string(way));
      base.write("temp/other.out", "OTHER\r\n");
      const NodeAt before = nodeAt(path);
      const std::vector<std::string> tree = treeOf(base.dir());
      try {
        writes[way]();
        EXPECT_TRUE(c.message.empty()) << "written";
      } catch (const FileError& e) {
        EXPECT_FALSE(c.message.empty()) << e.what();
        EXPECT_EQ(e.number(), kErrPathFileAccess);
        EXPECT_EQ(FileErrorBoxText(e), c.message + "\n\n" + BoxName(path));
      }
      if (c.message.empty()) {
        if (way > 0) {
          EXPECT_EQ(base.read(std::string("temp/") + c.name), "NEW\r\n");
        }
        continue;
      }
      EXPECT_EQ(nodeAt(path), before);
      EXPECT_EQ(treeOf(base.dir()), tree) << "a file was left or removed";
      EXPECT_EQ(base.read("temp/other.out"), "OTHER\r\n");
    }
  }
  EXPECT_EQ(base.read("scratch/users.txt"), "THE USER'S\r\n");
  EXPECT_FALSE(fs::exists(base.path("scratch/nothing.txt")));
  // The same link at a name the user chose is followed, as every save does.
  AtomicFile chosen(base.path("temp/linked.out"));
  chosen.line("CHOSEN");
  chosen.commit();
  EXPECT_EQ(base.read("scratch/users.txt"), "CHOSEN\r\n");
  EXPECT_FALSE(watchdog.Fired()) << "a write waited on the named pipe";
  ::close(sock);
}

// One save writes several files: a name that leads to the same file as another name of the
// save (a link to it, a link to it that does not exist yet, the same name through a linked
// folder), or to a file the save copies from, would make one member be written over the
// other, and a save told as done would have lost a file. Such a save is refused before
// anything is written, naming both names, and changes no file. Names that merely share a file
// by a hard link each get their own file, and nothing is lost.
TEST(OneFileTwoMembers, two_names_of_one_file_in_a_save_are_refused_naming_both) {
  TempBase base;
  fs::create_directories(base.path("temp"));
  fs::create_directories(base.path("out"));
  base.write("temp/tavik$.out", "REPORT\r\n");
  base.write("temp/tavik$.flt", "COMFORT\r\n");
  const std::string report = base.path("temp/tavik$.out"), comfort = base.path("temp/tavik$.flt");
  const std::string ot1 = base.path("out/x.ot1"), flt = base.path("out/x-ot1.flt");
  struct Case {
    const char* what;
    std::function<void()> make;
    std::vector<FileCopy> copies;
    std::string first, second;  // empty: saved
  };
  const Case cases[] = {
      {"the comfort copy a link to the report copy",
       [&] {
         base.write("out/x.ot1", "EARLIER REPORT\r\n");
         fs::create_symlink("x.ot1", flt);
       },
       {{report, ot1}, {comfort, flt}}, ot1, flt},
      {"the comfort copy a link to a report copy not yet there",
       [&] { fs::create_symlink("x.ot1", flt); }, {{report, ot1}, {comfort, flt}}, ot1, flt},
      {"the report copy a link to the comfort copy",
       [&] {
         base.write("out/x-ot1.flt", "EARLIER COMFORT\r\n");
         fs::create_symlink("x-ot1.flt", ot1);
       },
       {{report, ot1}, {comfort, flt}}, ot1, flt},
      {"one name through a linked folder",
       [&] {
         base.write("out/x.ot1", "EARLIER REPORT\r\n");
         fs::create_symlink(base.path("out"), base.path("also"));
       },
       {{report, ot1}, {comfort, base.path("also/x.ot1")}}, ot1, base.path("also/x.ot1")},
      {"a copy that is a link to the file copied from",
       [&] { fs::create_symlink(report, flt); }, {{report, ot1}, {comfort, flt}}, report, flt},
      {"names sharing a file by a hard link",
       [&] {
         base.write("out/x.ot1", "EARLIER REPORT\r\n");
         fs::create_hard_link(ot1, flt);
       },
       {{report, ot1}, {comfort, flt}}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(base.path("out"));
    fs::remove_all(base.path("also"));
    fs::create_directories(base.path("out"));
    c.make();
    const std::vector<std::string> tree = treeOf(base.dir());
    std::map<std::string, std::string> bytes;
    for (const std::string& name : tree) {
      if (fs::is_regular_file(name)) bytes[name] = TempBase::slurp(name);
    }
    try {
      CopyAll(c.copies);
      EXPECT_TRUE(c.first.empty()) << "saved";
    } catch (const FileError& e) {
      ASSERT_FALSE(c.first.empty()) << e.what();
      EXPECT_EQ(e.number(), kErrPathFileAccess);
      EXPECT_EQ(FileErrorBoxText(e),
                std::string(kSameFileMessage) + "\n\n" + BoxName(c.first) + "\n" + BoxName(c.second));
    }
    if (c.first.empty()) {
      EXPECT_EQ(base.read("out/x.ot1"), "REPORT\r\n");
      EXPECT_EQ(base.read("out/x-ot1.flt"), "COMFORT\r\n");
      continue;
    }
    EXPECT_EQ(treeOf(base.dir()), tree) << "a file was left or removed";
    for (const auto& [name, was] : bytes) EXPECT_EQ(TempBase::slurp(name), was) << name;
  }
  // Files written from memory are held to the same rule.
  fs::remove_all(base.path("out"));
  fs::create_directories(base.path("out"));
  fs::create_symlink("x.ot1", flt);
  AtomicFile a(ot1), b(flt);
  a.line("A");
  b.line("B");
  try {
    CommitAll({&a, &b});
    ADD_FAILURE() << "saved";
  } catch (const FileError& e) {
    EXPECT_EQ(e.detail(), ot1);
    EXPECT_EQ(e.otherName(), flt);
  }
  EXPECT_FALSE(fs::exists(ot1));
}

}  // namespace
}  // namespace kalvano::model
