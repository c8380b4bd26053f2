// What the file dialogs decide without a widget: how a typed name becomes a path, which
// folders and files the lists show, and the names that the project dialogs give a file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalvano::shell {

// A typed name starting with "/" is a full path; any other is appended to the folder, with
// "/" between them unless the folder already ends with one.
std::string JoinFolder(std::string_view folder, std::string_view name);

// Whether a file name matches a pattern of "*" (any run) and "?" (any one character);
// letters match in either case ("*.inp" finds "BANK.INP").
bool PatternMatch(std::string_view pattern, std::string_view name);

// The sub-folders of a folder, sorted; hidden ones (leading ".") left out. Throws
// model::FileError when the folder cannot be listed.
std::vector<std::string> SubFolders(const std::string& folder);

// The plain files of a folder whose names match `pattern`, sorted. Throws
// model::FileError when the folder cannot be listed.
std::vector<std::string> MatchingFiles(const std::string& folder, std::string_view pattern);

// The parent of a folder ("/" stays "/").
std::string ParentFolder(const std::string& folder);

// The retrieve dialog's path for a typed name: a full path is used as typed; otherwise the
// name is appended to the folder and ".inp" added unless it ends in ".inp" or ".INP".
std::string RetrievePath(std::string_view folder, std::string_view typed);

// The save dialog's path for a typed name: joined to the folder, then the extension rule
// on the file-name part only: no point gives ".inp" appended; a point with a name not
// ending in "inp" or "INP" gives the part before the name's first point and ".inp".
std::string SavePath(std::string_view folder, std::string_view typed);

}  // namespace kalvano::shell
