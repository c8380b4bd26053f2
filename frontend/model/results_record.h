// The record of the current results: what the files of the run folder (temp/) held when
// Review Results gathered a run's reports or View Output restored a saved output, and the
// pages the tabular viewer cut from them since. Every reader of the current results (the
// charts, the tabular viewer and its pages, the hourly window, Save Output) checks the bytes
// it takes against this record first: results that another run (another front-end's, in the
// same base folder) or a hand put into temp/ since are never shown or saved as this
// front-end's. A file is recorded by its size and a 64-bit hash of its bytes: the same bytes
// are the same results, whoever wrote them. GUI-free.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/whole_report.h"

namespace kalvano::model {

struct ProjectModel;
class MessageBoxes;

// One file as recorded.
struct FileMark {
  enum Kind { kMissing, kRegular, kOther };  // kOther: a folder, a pipe, a device, unreadable
  Kind kind = kMissing;
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
  bool operator==(const FileMark&) const = default;
};

// The mark of bytes read from a file.
FileMark MarkOf(std::string_view bytes);
// The mark of the file at `path` as it is now, read in pieces whatever its size. Opening it
// never waits: what is not a regular file is marked kOther without being read.
FileMark MarkOfFile(const std::string& path);

class ResultsRecord {
 public:
  void Clear() {
    files_.clear();
    ownRun_ = false;
  }
  bool Empty() const { return files_.empty(); }
  // Notes the file `path` as holding what `mark` says.
  void Note(const std::string& path, const FileMark& mark) { files_[path] = mark; }
  // Whether `path` was noted with `mark`; never for a file that was not noted, nor for one
  // that is not a regular file now.
  bool Holds(std::string_view path, const FileMark& mark) const;

  // This front-end's own run has begun writing its files into temp/ since the results were
  // recorded: from then on, recorded results no longer found there were replaced by it.
  void OwnRunStarted() { ownRun_ = true; }
  bool OwnRunStartedSince() const { return ownRun_; }

 private:
  std::map<std::string, FileMark, std::less<>> files_;
  bool ownRun_ = false;
};

// The results in temp/ are no longer those recorded.
class ResultsReplaced : public std::runtime_error {
 public:
  ResultsReplaced() : std::runtime_error("the results in temp/ are not the recorded ones") {}
};

inline constexpr std::string_view kResultsReplacedTitle = "Results replaced";
inline constexpr std::string_view kResultsReplacedText =
    "These results are no longer in the temp folder of this base folder: another run, or "
    "another program, has replaced them there. Nothing was shown or saved.\n\n"
    "To see these results again, retrieve their saved output through View Output, or run the "
    "project again.";
// The same when this front-end's own later run has written over them.
inline constexpr std::string_view kResultsReplacedByOwnRunText =
    "These results are no longer in the temp folder of this base folder: your last run has "
    "replaced them there. Nothing was shown or saved.\n\n"
    "To see these results again, retrieve their saved output through View Output, or run the "
    "project again.";

// Says that the current results are no longer in temp/: kResultsReplacedByOwnRunText after
// a run of this front-end began, kResultsReplacedText otherwise. When the files that Save
// Output copies are gone too, nothing is left to save, and the questions about unsaved
// results stop (ResultsExist := 0), as after a save.
void ReportResultsReplaced(ProjectModel& m, MessageBoxes& boxes);

// The files of the current results, in temp/ of the model's base folder: the report, the
// comfort report and the three hourly files.
std::string ResultPath(const ProjectModel& m, std::string_view name);

// The names of the files in temp/ that Save Output copies, in its order: the report, the
// comfort report and, with `hourly`, the three hourly files.
std::vector<std::string_view> SavedResultNames(bool hourly);

// Whether every file that Save Output would copy is still as recorded.
bool SavedResultsInTemp(const ProjectModel& m);

// Records the results now in temp/ as the current results (the report, the comfort report
// and the hourly files, each as it is, present or not); pages noted earlier are forgotten.
// Review Results and View Output call it while they hold the base folder's lock.
void RecordResults(ProjectModel& m);

// Notes the file `path` of temp/, just written by this front-end with `bytes` (a page or
// an extract of the current report, a rebuilt comfort report), as part of the current results.
void NoteResultFile(ProjectModel& m, const std::string& path, std::string_view bytes);

// Throws ResultsReplaced unless `bytes`, read from `path`, are what the record holds for it.
void CheckResultBytes(const ProjectModel& m, const std::string& path, std::string_view bytes);
// The same for the file at `path` as it is now.
void CheckResultFile(const ProjectModel& m, const std::string& path);

// Reads a file of the current results (a page, the comfort report), checked against the
// record. Throws FileError when it cannot be read (a file that is gone is the file error of
// a missing file, as for any file), ResultsReplaced when its bytes are not the recorded ones.
std::string ReadResultFile(const ProjectModel& m, const std::string& path);

// Reads the current report temp/tavik$.out for a reader: checked against the record, then
// required to be a whole report (the wrong-format file error naming it otherwise).
std::string ReadCurrentReport(const ProjectModel& m);

// The current report as its readers take it: its lines, and where the parts that the whole
// report check validated stand in them.
struct CurrentReport {
  std::vector<std::string> lines;
  ReportLayout layout;
};
CurrentReport ReadCurrentReportLines(const ProjectModel& m);

}  // namespace kalvano::model
