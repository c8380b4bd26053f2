// What a folder holds, entry by entry, to show that something changed no file there: each
// entry's kind and mode, the bytes of a file and the target of a link (links not followed),
// and, where asked, its size and time of last change too. Empty for a folder that is not there.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include <sys/stat.h>

namespace kalvano::test {

enum class ListTimes { No, Yes };

inline std::map<std::string, std::string> FolderListing(const std::filesystem::path& folder,
                                                        ListTimes times = ListTimes::No) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> listing;
  std::error_code ec;
  for (const auto& e : fs::recursive_directory_iterator(folder, ec)) {
    struct stat st {};
    if (::lstat(e.path().c_str(), &st) != 0) continue;
    std::ostringstream entry;
    entry << std::oct << st.st_mode << std::dec << ' ';
    if (times == ListTimes::Yes) {
      entry << st.st_size << ' ' << st.st_mtim.tv_sec << '.' << st.st_mtim.tv_nsec << ' ';
    }
    if (S_ISREG(st.st_mode)) {
      std::ifstream in(e.path(), std::ios::binary);
      entry << std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else if (S_ISLNK(st.st_mode)) {
      entry << fs::read_symlink(e.path(), ec).string();
    }
    listing[fs::relative(e.path(), folder).string()] = entry.str();
  }
  return listing;
}

}  // namespace kalvano::test
