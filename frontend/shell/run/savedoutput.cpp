#include "frontend/shell/run/savedoutput.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

#include "frontend/model/file_error.h"
#include "frontend/model/results_record.h"
#include "frontend/shell/run/runfolderlock.h"
#include "runfiles.h"

namespace kalvano::shell {

bool OutputNameValid(std::string_view typed) {
  if (typed.size() < 4) return false;
  const std::string_view x = typed.substr(typed.size() - 4, 3);
  const char last = typed.back();
  return (x == ".OT" || x == ".ot" || x == ".FL" || x == ".fl") && last >= '0' && last <= '9';
}

std::vector<std::string> HourlyCopies(const std::string& path) {
  const std::string named = path.substr(0, path.size() - 4) + "-ot" + path.back();
  return {named + "-Energy.hry", named + "-Temp.hry", named + "-Weth.hry"};
}

std::vector<SavedMember> SavedOutputSet(const std::string& appDir, const std::string& path,
                                        bool hourly) {
  const std::string stem = path.substr(0, path.size() - 4);
  const std::string tag = std::string("ot") + path.back();
  const std::string temp = appDir + "/" + std::string(files::kTempDir) + "/";
  // Each copied from the program's own file in the run folder to the name the user chose.
  auto member = [&temp](std::string_view name, const std::string& to) {
    return SavedMember{temp + std::string(name), to, model::NameKind::Chosen, model::NameKind::Fixed};
  };
  std::vector<SavedMember> set{
      member(files::kUserReport, stem + "." + tag),
      member(files::kComfortReport, stem + "-" + tag + ".flt"),
  };
  if (hourly) {
    const std::vector<std::string> copies = HourlyCopies(path);
    set.push_back(member(files::kHourlyEnergy, copies[0]));
    set.push_back(member(files::kHourlyTemps, copies[1]));
    set.push_back(member(files::kHourlyWeather, copies[2]));
  }
  return set;
}

void CopySavedOutput(const std::string& appDir, const std::string& path, bool hourly) {
  model::CopyAll(SavedOutputSet(appDir, path, hourly));
  if (hourly) return;
  for (const std::string& old : HourlyCopies(path)) {
    // Only a file (or a link) of that name can be an earlier copy: a folder, a named pipe, a
    // device or a socket of that name is the user's and stays.
    struct stat st {};
    if (::lstat(old.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) continue;
    if (::unlink(old.c_str()) != 0 && errno != ENOENT) throw model::FileErrorFromSystem(errno, old);
  }
}

SaveOutcome SaveCurrentOutput(const model::ProjectModel& m, const std::string& path) {
  SaveOutcome out;
  const bool hourly = m.HourlyOutput == 1;
  RunFolderLock lock;
  try {
    if (!lock.Take(model::AppPath(m, files::kTempDir))) {
      out.status = SaveOutcome::kRunInProgress;
      return out;
    }
    model::ReadCurrentReport(m);
    const std::vector<std::string_view> members = model::SavedResultNames(hourly);
    for (auto name = members.begin() + 1; name != members.end(); ++name) {
      model::CheckResultFile(m, model::ResultPath(m, *name));
    }
    CopySavedOutput(m.AppDir, path, hourly);
  } catch (const model::ResultsReplaced&) {
    out.status = SaveOutcome::kReplaced;
    return out;
  } catch (const model::FileError& error) {
    out.status = SaveOutcome::kFailed;
    out.error = error;
    return out;
  }
  out.status = SaveOutcome::kSaved;
  return out;
}

}  // namespace kalvano::shell
