// Prepares a simulation of a project file without the desktop: writes the engine's run
// files into BASE/temp for a whole year of generated weather, as the run window does.
//   kalvano-prepare-run BASE PROJECT.inp [YEAR] [--hourly] [--run-type N]
// BASE and PROJECT are taken from the folder the command is started in. The base folder is
// held as a front-end holds it, and its run folder as a run holds it, while the files are
// written; every file of the base folder is replaced together with the others or stays as
// it was.
#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/project_file.h"
#include "frontend/shell/baselock.h"
#include "frontend/shell/run/runcore.h"
#include "frontend/shell/run/runfolderlock.h"
#include "runfiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace kalvano;
namespace fs = std::filesystem;

constexpr const char* kProgram = "kalvano-prepare-run";

// Exit statuses.
constexpr int kWritten = 0;
constexpr int kFileFault = 1;     // a file could not be read or written, or the project is refused:
                                  // nothing changed
constexpr int kBadArguments = 2;  // nothing read or written
constexpr int kInUse = 3;         // a front-end or a run holds the base folder: nothing changed

constexpr int kDefaultYear = 2026;

bool parseInt(std::string_view text, int& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

struct Arguments {
  fs::path base, project;
  int year = kDefaultYear;
  shell::RunChoices choices;
};

int usage() {
  std::fprintf(stderr, "usage: %s BASE PROJECT.inp [YEAR] [--hourly] [--run-type N]\n", kProgram);
  return kBadArguments;
}

// Reads the command line; nothing when it is refused (said on standard error).
std::optional<Arguments> readArguments(int argc, char** argv) {
  std::vector<std::string_view> positional;
  Arguments a;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--hourly") {
      a.choices.hourlyOutput = 1;
    } else if (arg == "--run-type") {
      if (i + 1 == argc) {
        std::fprintf(stderr, "%s: --run-type needs a run type, 1 to %d\n", kProgram, shell::kLastRunType);
        return std::nullopt;
      }
      const std::string_view value = argv[++i];
      if (!parseInt(value, a.choices.runType) || a.choices.runType < 1 ||
          a.choices.runType > shell::kLastRunType) {
        std::fprintf(stderr,
                     "%s: run type %.*s refused: the run type is 1 (error check), 2 (abbreviated "
                     "run), 3 (run with air conditioning) or 4 (passive run)\n",
                     kProgram, static_cast<int>(value.size()), value.data());
        return std::nullopt;
      }
    } else if (arg.rfind("--", 0) == 0) {
      std::fprintf(stderr, "%s: unknown option %s\n", kProgram, argv[i]);
      usage();
      return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() < 2 || positional.size() > 3 || positional[0].empty() || positional[1].empty()) {
    if (positional.size() > 3) std::fprintf(stderr, "%s: one argument too many: %s\n", kProgram, positional[3].data());
    usage();
    return std::nullopt;
  }
  if (positional.size() == 3) {
    const std::string_view year = positional[2];
    if (!parseInt(year, a.year) || a.year < shell::kFirstRunYear || a.year > shell::kLastRunYear) {
      std::fprintf(stderr, "%s: year %.*s refused: the analysis year is a whole number from %d to %d\n",
                   kProgram, static_cast<int>(year.size()), year.data(), shell::kFirstRunYear,
                   shell::kLastRunYear);
      return std::nullopt;
    }
  }
  // Both names are taken from the folder the command is started in.
  std::error_code ec;
  a.base = fs::absolute(fs::path(positional[0]), ec).lexically_normal();
  a.project = fs::absolute(fs::path(positional[1]), ec).lexically_normal();
  if (ec) {
    std::fprintf(stderr, "%s: the current folder cannot be found: %s\n", kProgram, ec.message().c_str());
    return std::nullopt;
  }
  return a;
}

// A base folder is a folder that holds its run folder temp/; anything else is refused before
// anything is made in it.
void checkBaseFolder(const fs::path& base) {
  struct stat st {};
  if (::stat(base.c_str(), &st) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) throw model::FileErrorFromSystem(errno, base);
    throw model::FileError::OnFile(model::kErrPathNotFound, base,
                                   "There is no such base folder.  Give the base folder that holds "
                                   "kvan64 and its data (build/base in the checkout).");
  }
  const fs::path temp = base / files::kTempDir;
  if (!S_ISDIR(st.st_mode) || ::stat(temp.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    throw model::FileError::OnFile(model::kErrPathNotFound, temp,
                                   "This is no base folder: it has no run folder temp.  Give the "
                                   "base folder that holds kvan64 and its data (build/base in the "
                                   "checkout).");
  }
}

// The failure `e`, met while preparing the run of `project`: the file it names, or the
// project file when it names none, with the error's own message.
void printFault(const model::FileError& e, const fs::path& project) {
  const std::string message = model::FileErrorMessage(e);
  if (e.namesFile()) {
    std::fprintf(stderr, "%s: %s: %s (error %d)\n", kProgram, e.detail().c_str(), message.c_str(), e.number());
  } else if (!e.detail().empty()) {
    std::fprintf(stderr, "%s: %s: %s (%s) (error %d)\n", kProgram, project.c_str(), message.c_str(),
                 e.detail().c_str(), e.number());
  } else {
    std::fprintf(stderr, "%s: %s: %s (error %d)\n", kProgram, project.c_str(), message.c_str(), e.number());
  }
}

int prepare(Arguments& a) {
  checkBaseFolder(a.base);
  // Held until the program ends: no front-end and no run may use the base folder meanwhile.
  const shell::BaseFolderHold frontEnd(a.base.string());
  if (!frontEnd.Held()) {
    if (frontEnd.Fault()) throw *frontEnd.Fault();
    std::fprintf(stderr, "%s: a front-end is using this base folder (%s); nothing was changed\n", kProgram,
                 a.base.c_str());
    return kInUse;
  }
  shell::RunFolderLock run;
  if (!run.Take((a.base / files::kTempDir).string())) {
    std::fprintf(stderr, "%s: a run is using this run folder (%s); nothing was changed\n", kProgram,
                 (a.base / files::kTempDir).c_str());
    return kInUse;
  }

  model::ProjectModel m;
  m.AppDir = a.base.string();
  m.ProjectFile = a.project.string();
  const model::WorkingFiles working = model::ReadInputFileUnwritten(m, m.ProjectFile);
  // The run window's check of the engine's limits, before any file is written.
  if (const std::string over = shell::CapacityOverflows(m); !over.empty()) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, a.project.c_str(), over.c_str());
    return kFileFault;
  }
  shell::SetAnalysisYear(m, a.year);
  shell::RunChoices& c = a.choices;
  c.jan1Weekday = shell::Jan1Weekday(a.year);
  c.beginDay = model::DayOfYear("1-Jan-", a.year);
  c.endDay = model::DayOfYear("31-Dec-", a.year);
  if (m.UnitSystem == model::kSI) {
    c.comfortLower = 20;
    c.comfortUpper = 27;
  }
  const shell::RunFiles runFiles = shell::BuildRunFiles(m, c, model::SplitLines(working.matrix.content()));
  // The run files and the project's working files (its zone files and sketch) together:
  // every one of them is written before any replaces its earlier file.
  std::vector<const model::AtomicFile*> all{&runFiles.input, &runFiles.options};
  for (const model::AtomicFile* f : working.all()) all.push_back(f);
  model::CommitAll(all);
  std::printf("Run files written to %s\n", (a.base / files::kTempDir).c_str());
  return kWritten;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<Arguments> a = readArguments(argc, argv);
  if (!a) return kBadArguments;
  try {
    return prepare(*a);
  } catch (const model::FileError& e) {
    printFault(e, a->project);
    return kFileFault;
  }
}
