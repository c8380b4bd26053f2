#include "frontend/shell/filepickcore.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "frontend/model/file_error.h"
#include "frontend/model/numtext.h"

namespace kalvano::shell {

namespace fs = std::filesystem;

std::string JoinFolder(std::string_view folder, std::string_view name) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path + std::string(name);
}

bool PatternMatch(std::string_view pattern, std::string_view name) {
  // Iterative matching with one back-track point for the last "*".
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || model::AsciiLower(pattern[p]) == model::AsciiLower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

namespace {

template <class Keep>
std::vector<std::string> Listing(const std::string& folder, Keep keep) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  // A folder that is not there is a path not found, whatever its parent.
  if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
    throw model::FileError::OnFile(model::kErrPathNotFound, folder);
  if (ec) throw model::FileErrorFromSystem(ec.value(), folder);
  std::vector<std::string> names;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) throw model::FileErrorFromSystem(ec.value(), folder);
    std::error_code typeEc;
    const std::string name = it->path().filename().string();
    if (keep(*it, name, typeEc)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<std::string> SubFolders(const std::string& folder) {
  return Listing(folder, [](const fs::directory_entry& e, const std::string& name,
                            std::error_code& ec) {
    return !name.empty() && name.front() != '.' && e.is_directory(ec);
  });
}

std::vector<std::string> MatchingFiles(const std::string& folder, std::string_view pattern) {
  return Listing(folder, [pattern](const fs::directory_entry& e, const std::string& name,
                                   std::error_code& ec) {
    return PatternMatch(pattern, name) && e.is_regular_file(ec);
  });
}

std::string ParentFolder(const std::string& folder) {
  std::string f = folder;
  while (f.size() > 1 && f.back() == '/') f.pop_back();
  const std::size_t slash = f.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : f.substr(0, slash);
}

std::string RetrievePath(std::string_view folder, std::string_view typed) {
  if (!typed.empty() && typed.front() == '/') return std::string(typed);
  std::string path = JoinFolder(folder, typed);
  const auto endsWith = [&path](std::string_view tail) {
    return path.size() >= tail.size() && path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
  };
  if (!endsWith(".inp") && !endsWith(".INP")) path += ".inp";
  return path;
}

std::string SavePath(std::string_view folder, std::string_view typed) {
  std::string path = JoinFolder(folder, typed);
  const std::size_t nameStart = path.find_last_of('/') + 1;  // npos + 1 == 0
  const std::size_t point = path.find('.', nameStart);
  if (point == std::string::npos) return path + ".inp";
  const std::string_view last3 =
      std::string_view(path).substr(path.size() >= 3 ? path.size() - 3 : 0);
  if (last3 == "INP" || last3 == "inp") return path;
  return path.substr(0, point) + ".inp";
}

}  // namespace kalvano::shell
