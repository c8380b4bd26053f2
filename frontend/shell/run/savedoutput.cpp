#include "frontend/shell/run/savedoutput.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "frontend/model/file_error.h"
#include "runfiles.h"

namespace kalvano::shell {

bool OutputNameValid(std::string_view typed) {
  if (typed.size() < 4) return false;
  const std::string_view x = typed.substr(typed.size() - 4, 3);
  const char last = typed.back();
  return (x == ".OT" || x == ".ot" || x == ".FL" || x == ".fl") && last >= '0' && last <= '9';
}

std::vector<SavedMember> SavedOutputSet(const std::string& appDir, const std::string& path,
                                        bool hourly) {
  const std::string stem = path.substr(0, path.size() - 4);
  const std::string tag = std::string("ot") + path.back();
  const std::string temp = appDir + "/" + std::string(files::kTempDir) + "/";
  std::vector<SavedMember> set{
      {temp + std::string(files::kUserReport), stem + "." + tag},
      {temp + std::string(files::kComfortReport), stem + "-" + tag + ".flt"},
  };
  if (hourly) {
    set.push_back({temp + std::string(files::kHourlyEnergy), stem + "-" + tag + "-Energy.hry"});
    set.push_back({temp + std::string(files::kHourlyTemps), stem + "-" + tag + "-Temp.hry"});
    set.push_back({temp + std::string(files::kHourlyWeather), stem + "-" + tag + "-Weth.hry"});
  }
  return set;
}

void CopySavedOutput(const std::vector<SavedMember>& members) {
  namespace fs = std::filesystem;
  for (const SavedMember& m : members) {
    std::error_code ec;
    if (!fs::is_regular_file(m.from, ec)) throw model::FileErrorFromSystem(ENOENT, m.from);
    fs::copy_file(m.from, m.to, fs::copy_options::overwrite_existing, ec);
    if (ec) throw model::FileErrorFromSystem(ec.value(), m.to);
  }
}

}  // namespace kalvano::shell
