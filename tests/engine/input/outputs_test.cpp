// The built program when its outputs cannot be written: a full disk, a name taken by a
// folder, a read-only run folder, and the outputs an earlier run left behind. Every such run
// ends with status 5 and the file and the reason on standard error, and no output claims
// a success.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "../core/testutil.h"
#include "runfiles.h"

namespace {

using namespace kvtest;
namespace files = kalvano::files;

constexpr std::string_view kOutputs[] = {
    files::kEngineReport,  files::kMonitorLog,   files::kWeatherListing, files::kComfortReport, files::kWeatherSummary,
    files::kHourlyEnergy,  files::kDebugTrace,   files::kHourlyWeather,  files::kHourlyTemps,
};

constexpr const char* kSuccess = "Program ended successfully";

// A base folder with the office project ready for a run of `runType`.
struct OfficeRun : RunBase {
  explicit OfficeRun(const std::string& name, int runType = 1, int hourly = 0)
      : RunBase(name, runOptionsText(runType, 0, hourly)) {
    spit(temp / std::string(files::kRunInput), officeProject());
    spit(temp / std::string(files::kLightShelf), lightShelfTable());
  }
};

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

TEST(Kvan64Outputs, a_name_taken_by_a_folder_ends_the_run_with_status_5) {
  for (std::string_view name : kOutputs) {
    SCOPED_TRACE(std::string(name));
    OfficeRun b("out-folder", 3, 1);
    fs::create_directory(b.temp / std::string(name));
    const ProgramRun run = runProgramIn(b.temp);
    EXPECT_EQ(run.status, 5);
    EXPECT_EQ(run.err, "kvan64: CANNOT CREATE " + std::string(name) + ": Is a directory\n");
    EXPECT_TRUE(fs::is_directory(b.temp / std::string(name)));  // the user's folder stays
    if (name != files::kMonitorLog) {
      const std::string mon = b.file(files::kMonitorLog);
      EXPECT_TRUE(holds(mon, " ** OUTPUT ERROR ** CANNOT CREATE " + std::string(name) + ": Is a directory\r\n")) << mon;
      EXPECT_FALSE(holds(mon, kSuccess));
    }
  }
}

// A disk that fills during a year's run: the first file that cannot be written to its end
// (the log while the input is read, the weather listing during the year, or the hourly
// spreadsheet) is the one named.
TEST(Kvan64Outputs, a_full_disk_ends_the_run_with_status_5_and_the_reason) {
  const struct {
    long limit;
    int hourly;
    std::string_view file;
  } cases[] = {
      {2000, 0, files::kMonitorLog},
      {20000, 0, files::kWeatherListing},
      {70000, 0, files::kWeatherListing},  // fails as it is closed, before the closing box
      {300000, 1, files::kHourlyEnergy},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limit);
    OfficeRun b("out-full", 3, c.hourly);
    const ProgramRun run = runProgramIn(b.temp, c.limit);
    if (run.limitRefused) GTEST_SKIP() << "this system refuses a file-size limit (setrlimit RLIMIT_FSIZE)";
    EXPECT_EQ(run.status, 5) << run.err;
    EXPECT_EQ(run.err, "kvan64: CANNOT WRITE " + std::string(c.file) + ": File too large\n");
    const std::string mon = b.file(files::kMonitorLog);
    EXPECT_FALSE(holds(mon, kSuccess));
    if (c.file != files::kMonitorLog) {
      EXPECT_TRUE(holds(mon, " ** OUTPUT ERROR ** CANNOT WRITE ")) << mon;
    }
  }
}

// A read-only run folder: nothing can be created. Outputs an earlier run left there are
// emptied when they can be, never kept as this run's.
TEST(Kvan64Outputs, a_read_only_run_folder_ends_the_run_with_status_5) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: folder permissions do not hold";
  for (bool stale : {false, true}) {
    SCOPED_TRACE(stale);
    OfficeRun b("out-readonly", 3);
    const std::string old = "EARLIER RUN\r\n$$ Program ended successfully $$\r\n";
    if (stale) {
      spit(b.temp / std::string(files::kMonitorLog), old);
      spit(b.temp / std::string(files::kEngineReport), old);
    }
    fs::permissions(b.temp, fs::perms::owner_read | fs::perms::owner_exec);
    const ProgramRun run = runProgramIn(b.temp);
    fs::permissions(b.temp, fs::perms::owner_all);
    EXPECT_EQ(run.status, 5);
    if (stale) {
      // The old files could be emptied, but no new file created.
      EXPECT_EQ(run.err, "kvan64: CANNOT CREATE " + std::string(files::kWeatherListing) + ": Permission denied\n");
      EXPECT_FALSE(holds(b.file(files::kEngineReport), "EARLIER RUN"));
      const std::string mon = b.file(files::kMonitorLog);
      EXPECT_FALSE(holds(mon, "EARLIER RUN")) << mon;
      EXPECT_TRUE(holds(mon, " ** OUTPUT ERROR ** CANNOT CREATE tavik$.wth: Permission denied")) << mon;
    } else {
      EXPECT_EQ(run.err, "kvan64: CANNOT CREATE " + std::string(files::kMonitorLog) + ": Permission denied\n");
      EXPECT_FALSE(fs::exists(b.temp / std::string(files::kMonitorLog)));
    }
  }
}

// A run that stops at its input errors leaves none of an earlier run's outputs.
TEST(Kvan64Outputs, outputs_of_an_earlier_run_are_removed_at_start) {
  OfficeRun b("out-stale");
  spit(b.temp / std::string(files::kRunInput), "KAL-VANO  .83774665  4  IP\r\n");  // ends too early
  for (std::string_view name : kOutputs) spit(b.temp / std::string(name), "EARLIER RUN\r\n");
  const ProgramRun run = runProgramIn(b.temp);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  for (std::string_view name : kOutputs) EXPECT_FALSE(holds(b.file(name), "EARLIER RUN")) << name;
  EXPECT_TRUE(holds(b.file(files::kMonitorLog), "** ERROR **"));
  EXPECT_FALSE(holds(b.file(files::kMonitorLog), kSuccess));
}

// A number the reader cannot take stops the program at the end of the input: status 1, the
// error counted in the report, and no simulation.
TEST(Kvan64Program, numbers_outside_their_range_never_reach_the_simulation) {
  const struct {
    const char* from;
    const char* to;
  } cases[] = {
      {"U-Factor   .1 ", "U-Factor   0 "},     {"U-Factor   .06 ", "U-Factor  "},
      {"U-Factor   .49 ", "U-Factor  "},       {"OA CFM    CP20", "OA CFM    CP1E38"},
      {"Inf. Rate  .5 ", "Inf. Rate  32767 "}, {"WallOrien  330 ", "WallOrien  -1E38 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    OfficeRun b("range", 3);
    std::string project = officeProject();
    const std::size_t at = project.find(c.from);
    ASSERT_NE(at, std::string::npos);
    project.replace(at, std::string(c.from).size(), c.to);
    spit(b.temp / std::string(files::kRunInput), project);
    EXPECT_EQ(runProgramIn(b.temp).status, 1);
    EXPECT_TRUE(holds(b.file(files::kEngineReport), "      1 ERRORS EXIST IN INPUT DATA."));
    EXPECT_FALSE(holds(b.file(files::kMonitorLog), "ENERGY SIMULATIONS BEGINNING"));
  }
}

}  // namespace
