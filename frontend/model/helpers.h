// Small shared routines of the front-end: rounding, day of year, the shared warning boxes,
// the file-error report, deletion of the temporary zone files, the spreadsheet-program
// lookup and the proposal of the save-output window.
#pragma once

#include "frontend/model/file_error.h"
#include "frontend/model/project_model.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalvano::model {

// Message boxes go through this interface: the GUI shows them, tests answer them.
enum class MsgIcon { None, Exclamation, Information, Question, Critical };
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void beep() = 0;
  virtual void show(std::string_view text, std::string_view title, MsgIcon icon) = 0;
};

// x rounded to n decimals as Int(x * 10^n + 0.5) / 10^n, the product in double precision
// and Int rounding towards minus infinity; the result is single precision.
float RoundTo(double x, double n);
// The same for a text that holds a number; a text without one is a type mismatch (13).
float RoundTo(std::string_view x, double n);

// Day number 1..366 of a day-month text such as "15-Oct-" in `year`; a text that is no
// date is a type mismatch (13).
int DayOfYear(std::string_view dayMonth, int year);
// The same in the simulation calendar, whose February has `februaryDays` days: the day
// number the engine gives that date (a date the calendar lacks is a type mismatch).
int DayOfYear(std::string_view dayMonth, int year, int februaryDays);

void WarnNotNumeric(MessageBoxes& boxes);
// A refused key of a number box: a beep, then the not-numeric warning.
void RefuseNotNumeric(MessageBoxes& boxes);
void WarnSharedProfile(MessageBoxes& boxes);

// The fixed message shown for an error number (the standard description for the others),
// and the title of its box.
std::string FileErrorMessage(int number);
std::string FileErrorTitle(int number);
// The message shown for `error`: its own message when it carries one, else its number's.
std::string FileErrorMessage(const FileError& error);
void ReportFileError(MessageBoxes& boxes, const FileError& error);

// The wrong-format message of a saved output (the number's own message speaks of an input
// file).
inline constexpr std::string_view kSavedOutputWrongFormat =
    "KAL-VANO is unable to open your saved output because it has a wrong format.  Check the "
    "file, or choose another saved output.";
// `error` as met on a saved output: a wrong format is told as the saved output's.
FileError AsSavedOutputError(const FileError& error);

// The part of an error's detail (a file name, a line of a file) that an error box shows:
// its first 60 characters, each one that is not printable Latin-1 shown as "?", and "..."
// after a detail that was cut.
std::string BoxDetail(std::string_view detail);
// The same for a file or folder name, kept in the file system's encoding (UTF-8): its first
// 60 characters, never cut inside one, each control character shown as "?", and "..." after
// a name that was cut.
std::string BoxName(std::string_view name);
// The text of the error box for `error`: the fixed message of its number, then, when the
// error carries a detail, a blank line and the detail as BoxDetail gives it, or as BoxName
// gives it when the detail names a file; an error about two files names the other on the
// next line.
std::string FileErrorBoxText(const FileError& error);

// The words of a text separated by runs of blanks (leading and trailing blanks give none).
std::vector<std::string> SplitWords(std::string_view text);
// The fields of a text separated by runs of any of the `separators` characters.
std::vector<std::string> SplitOn(std::string_view text, std::string_view separators);

// The number of entries in the lines of a catalogue of `entryLines` lines per entry. An entry
// is its lines whatever they hold, so an emptied field is an empty line of it; blank lines
// after the last entry make no entry. Lines left over that make no whole entry are the wrong
// format (FileError 62, "a catalogue entry ends early").
std::size_t CatalogueEntries(const std::vector<std::string>& lines, std::size_t entryLines);
// The number of entries of a catalogue file's `bytes`, counted as CatalogueEntries counts
// them. A file that ends in the middle of an entry is refused as cut short, naming `path`
// (CutFileError): lines left over that make no whole entry, or a last entry whose last line
// lost its line end (its value has no fixed width, so without its end it cannot be told whole).
std::size_t CatalogueFileEntries(std::string_view bytes, std::size_t entryLines, const std::string& path);

// Deletes the files of `folder` whose names end in `suffix`; errors are ignored.
void DeleteMatching(const std::string& folder, std::string_view suffix);

// Deletes temp/*.zon when a project was loaded or saved, the sketch was opened, or a
// profile editor or property table was opened; otherwise deletes nothing.
void KillTempZoneFiles(ProjectModel& m);

// The programs that open the hourly spreadsheet files (tab-separated text), in the order
// FindExcelPath looks for them: the file it looks for, and the program as the user knows it.
struct SpreadsheetProgram {
  std::string_view file;
  std::string_view name;
};
inline constexpr std::array<SpreadsheetProgram, 3> kSpreadsheetPrograms{{
    {"localc", "LibreOffice Calc"},
    {"gnumeric", "Gnumeric"},
    {"xdg-open", "the desktop's own opener for the file"},
}};
// Those programs as a text names them, in their order, each with its file:
// "LibreOffice Calc (localc), else Gnumeric (gnumeric), else ... (xdg-open)".
std::string SpreadsheetProgramsText();

// Looks for one of kSpreadsheetPrograms in the folders of `searchPath` (a PATH value), in
// their order. Sets ExcelPath to the first one found; when none is found ExcelPath keeps its
// value.
void FindExcelPath(ProjectModel& m, std::string_view searchPath);
void FindExcelPath(ProjectModel& m);  // searches the process's PATH

// What the save-output window shows when it opens.
struct SaveOutputProposal {
  std::string name;                // proposed output name, "<name>.ot1"
  std::string folder;              // folder of the folder list
  std::vector<std::string> files;  // files of that folder matching "*.ot*"
  bool runEnabled = true;          // the window's "Run" button
};
// `inputName` and `outputName` are the texts of the save-project and save-output windows'
// name boxes.
SaveOutputProposal PrepareSaveOutput(const ProjectModel& m, std::string_view inputName,
                                     std::string_view outputName);

// The output name proposed for a project name: its extension (in the file-name part only)
// replaced by ".ot1", or ".ot1" appended when it has none.
std::string OutputNameFor(std::string_view projectName);

}  // namespace kalvano::model
