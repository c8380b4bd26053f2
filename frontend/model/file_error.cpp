#include "frontend/model/file_error.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "runlock.h"

namespace kalvano::model {

std::string StandardErrorText(int number) {
  switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 54: return "Bad file mode";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 67: return "Too many files";
    case 68: return "Device unavailable";
    case 70: return "Permission denied";
    case 71: return "Disk not ready";
    case 72: return "Disk-media error";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    default: return "Application-defined or object-defined error";
  }
}

FileError::FileError(int number, const std::string& detail, const std::string& message)
    : std::runtime_error((message.empty() ? StandardErrorText(number) : message) +
                         (detail.empty() ? "" : ": " + detail)),
      number_(number),
      detail_(detail),
      message_(message) {}

FileError FileError::OnFile(int number, const std::string& name, const std::string& message) {
  FileError error(number, name, message);
  error.namesFile_ = true;
  return error;
}

FileError FileError::OnFiles(int number, const std::string& name, const std::string& other,
                             const std::string& message) {
  FileError error(number, name + "\n" + other, message);
  error.detail_ = name;
  error.namesFile_ = true;
  error.otherName_ = other;
  return error;
}

FileError FileErrorFromSystem(int err, const std::string& path) {
  switch (err) {
    case ENOENT: {
      std::error_code ec;
      std::filesystem::path parent = std::filesystem::path(path).parent_path();
      bool folderExists = parent.empty() || std::filesystem::is_directory(parent, ec);
      return FileError::OnFile(folderExists ? kErrFileNotFound : kErrPathNotFound, path);
    }
    case ENOTDIR: return FileError::OnFile(kErrPathNotFound, path);
    case EACCES:
    case EPERM:
    case EROFS: return FileError::OnFile(kErrPermissionDenied, path);
    case ENOSPC:
    case EDQUOT: return FileError::OnFile(kErrDiskFull, path);
    case EFBIG: return FileError::OnFile(kErrDiskFull, path, std::string(kFileTooLargeMessage));
    case EISDIR: return FileError::OnFile(kErrPathFileAccess, path);
    case ENAMETOOLONG: return FileError::OnFile(kErrBadFileName, path);
    case EMFILE:
    case ENFILE: return FileError::OnFile(kErrTooManyFiles, path);
    case ENOMEM: return FileError::OnFile(kErrOutOfMemory, path);
    case ENXIO:
    case ENODEV: return FileError::OnFile(kErrDeviceUnavailable, path);
    case ELOOP: return FileError::OnFile(kErrPathFileAccess, path, std::string(kLinkLoopMessage));
    default: return FileError::OnFile(kErrDeviceIo, path);
  }
}

FileError NotAFileError(const std::string& path, NameKind kind) {
  // What stands at the name now: the name itself for a fixed name, the end of its links for a
  // chosen one.
  const bool fixed = kind == NameKind::Fixed;
  std::error_code ec;
  const std::string node = fixed ? path : std::filesystem::canonical(path, ec).string();
  const std::string_view what = ec ? std::string_view("something else") : runlock::NotAFileKind(node);
  const bool told = what == "a named pipe" || what == "a device" || what == "a socket" ||
                    (fixed && (what == "a folder" || what == "a symbolic link"));
  if (!told) return FileError::OnFile(kErrPathFileAccess, path);
  const std::string message =
      "This name is " + std::string(what) + ", not a file" +
      (fixed ? ", where the program keeps a file of its own.  Remove " +
                   std::string(what == "a folder" ? "that folder" : "it") + ", then try again."
             : std::string(".  Choose another name."));
  return FileError::OnFile(kErrPathFileAccess, path, message);
}

FileError SameFileError(const std::string& name, const std::string& other) {
  return FileError::OnFiles(kErrPathFileAccess, name, other, std::string(kSameFileMessage));
}

FileError EmptyFileError(const std::string& path) {
  return FileError::OnFile(kErrPastEndOfFile, path, std::string(kEmptyFileMessage));
}

FileError CutFileError(const std::string& path) {
  return FileError::OnFile(kErrPastEndOfFile, path, std::string(kCutFileMessage));
}

bool IsEmptyOrCut(const FileError& error) {
  return error.number() == kErrPastEndOfFile &&
         (error.message() == kEmptyFileMessage || error.message() == kCutFileMessage);
}

bool HoldsNothing(std::string_view bytes) { return bytes.find_first_not_of(" \t\r\n") == std::string_view::npos; }

bool EndsInsideLastLine(std::string_view bytes, std::size_t width) {
  if (bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r') return false;
  const std::size_t end = bytes.rfind('\n');
  const std::size_t last = end == std::string_view::npos ? bytes.size() : bytes.size() - end - 1;
  return last < width;
}

}  // namespace kalvano::model
