// The model's file-error codes and the one place where system failures map onto them.
// Every failure of a project-file routine reaches its caller as a FileError, which the
// caller shows through ReportFileError.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvano::model {

enum FileErrorCode : int {
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,          // index out of range
  kErrTypeMismatch = 13,      // a text that holds no number or date
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrFileAlreadyOpen = 55,
  kErrDeviceIo = 57,
  kErrDiskFull = 61,
  kErrPastEndOfFile = 62,     // early end of file or wrong format
  kErrTooManyFiles = 67,
  kErrDeviceUnavailable = 68,
  kErrPermissionDenied = 70,
  kErrDiskNotReady = 71,
  kErrDiskMedia = 72,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
};

// The standard description of an error number ("Subscript out of range").
std::string StandardErrorText(int number);

class FileError : public std::runtime_error {
 public:
  // An error whose detail, if any, is a text (a line or value of a file, a note). `message`,
  // when given, is what the user is told instead of the fixed message of the number (a
  // failure that the number's own message would misname).
  explicit FileError(int number, const std::string& detail = {}, const std::string& message = {});
  // An error met on the file or folder `name`, spelt as the file system holds it.
  static FileError OnFile(int number, const std::string& name, const std::string& message = {});
  int number() const { return number_; }
  const std::string& detail() const { return detail_; }
  const std::string& message() const { return message_; }
  // True when the detail is a file or folder name (in the file system's encoding) rather
  // than a text of a file (Latin-1).
  bool namesFile() const { return namesFile_; }
  // A second name that the error is about, beside the detail's (empty for most errors).
  const std::string& otherName() const { return otherName_; }
  // The same error about the two files `name` and `other`.
  static FileError OnFiles(int number, const std::string& name, const std::string& other,
                           const std::string& message);

 private:
  int number_;
  std::string detail_;
  std::string message_;
  bool namesFile_ = false;
  std::string otherName_;
};

// Maps a system failure (errno) met on `path` to the model's error, which names the path. A
// missing file whose folder exists is "file not found" (53); a missing folder is "path not
// found" (76); a write beyond the file-size limit is a full disk (61) told as such a limit; a
// name that is a loop of symbolic links is the path/file access error (75) told as such.
FileError FileErrorFromSystem(int err, const std::string& path);

inline constexpr std::string_view kFileTooLargeMessage =
    "File is larger than this program may write: the system limits the size of its files.  "
    "Raise the limit, then try again.";
inline constexpr std::string_view kLinkLoopMessage =
    "This name is a loop of symbolic links: it leads to no file.  Mend the links, or choose "
    "another name.";

// Whose name a file bears: one that the user chose (a save, a file picked to be read, a file
// to print to), or one of the program's own fixed names in its run folder. A fixed name is no
// one's choice, so nothing but the program's own regular file may stand there: a symbolic link
// in its place is refused too, and the user is told to remove what stands there.
enum class NameKind { Chosen, Fixed };

// A path that names something other than a regular file (a folder, a named pipe, a device,
// a socket), refused by a read or a save: the path/file access error (75) naming it. The
// message says what the name is, as it stands now: "This name is a named pipe, not a file.
// Choose another name." (a device, a socket likewise); a folder at a chosen name keeps the
// error's own message. At a fixed name a folder and a symbolic link are told as well, and the
// user is asked to remove it.
FileError NotAFileError(const std::string& path, NameKind kind = NameKind::Chosen);

// Two names of one save that lead to the same file, so that one member would be written over
// the other (or over a file the save copies): the path/file access error (75) naming both.
inline constexpr std::string_view kSameFileMessage =
    "These two names lead to one and the same file: one file of this save would be written "
    "over the other.  Mend the links, or choose another name.";
FileError SameFileError(const std::string& name, const std::string& other);

// A file that holds nothing, or that ends in the middle of one of its records (a file cut
// short), refused by its read: the wrong-format error (62) naming the file, told as what it
// is rather than as a wrong format.
inline constexpr std::string_view kEmptyFileMessage =
    "KAL-VANO is unable to open this file because it is empty.  Check the file.";
inline constexpr std::string_view kCutFileMessage =
    "KAL-VANO is unable to open this file because it is cut short: it ends in the middle of a "
    "record.  Check the file.";
FileError EmptyFileError(const std::string& path);
FileError CutFileError(const std::string& path);
// Whether `error` is one of these two.
bool IsEmptyOrCut(const FileError& error);
// Whether a file's bytes hold nothing: none at all, or only blanks, tabs and line ends.
bool HoldsNothing(std::string_view bytes);

// The width that a line's layout gives it: none, for a line of free width.
inline constexpr std::size_t kFreeWidth = std::string_view::npos;
// Whether `bytes` end inside their last line, the one that holds their last record's last
// field: that line has no line end (neither LF nor CR follows it) and holds fewer than `width`
// bytes, the width its layout gives it. Every writer ends its last line, so a line without its
// end was cut or edited by hand: it is whole when it holds its full width; a line of free
// width (kFreeWidth) cannot be told whole without its end, and counts as cut. The caller
// tells whether the last line holds a record's field at all (blank lines after the last
// record hold none).
bool EndsInsideLastLine(std::string_view bytes, std::size_t width);

}  // namespace kalvano::model
