// The input echo: the pages at the head of the report (temp/tavik$.out) that every run
// begins with: the banner and the simulation period, the weather input, economics with the
// cooling-system table, the material and window catalogue, the light-shelf table when
// daylighting is used, and sections I (project and building) and II (zone by zone). The
// engine's report is appended after it. GUI-free: messages go through model::MessageBoxes.
#pragma once

#include <functional>
#include <string>

#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"
#include "frontend/reports/reportpage.h"

namespace kalvano::reports {

// The time of day of the page headers and of the weather page, "HH:MM:SS" (24 hours).
using TimeOfDayClock = std::function<std::string()>;
// Replaces the clock (tests fix it); an empty function restores the system clock.
void SetEchoClock(TimeOfDayClock clock);

// Number of the last report page begun: 0 whenever no echo is being written.
int ReportPageNo();

// Writes the whole echo into temp/tavik$.out, created anew. A zone whose occupancy,
// hot-water, ventilation or lighting profile is missing shows its message, sets
// Run.RunStatus to 5 and ends the echo there (the report keeps what was written). A file
// that fails (the cooling-system table, the light-shelf table, the sketch file, the report
// itself) throws model::FileError, the report keeping what was written before it. Anything
// but a regular file at the report's name (a named pipe, a device, a folder, a symbolic link)
// is refused, naming it, before anything is written; nothing waits on it.
void WriteInputEcho(model::ProjectModel& m, model::MessageBoxes& boxes);

// The title and text of the missing-profile message of kind 1..4 in a zone.
std::string ProfileMissingTitle(int kind);
std::string ProfileMissingText(int kind, const std::string& zoneCode);

// The writer of the echo's pages, one routine per page or part of a page; the driver
// above calls them in order. Public so that a test can write one part alone.
class InputEcho {
 public:
  InputEcho(const model::ProjectModel& m, ReportPage& out, TimeOfDayClock clock);

  void WriteReportBanner();
  void WriteRunHeader();
  void NewPage();
  void WritePageHeader();
  void PrintRule();
  void PrintDashLine(int kind);
  void WriteWeatherInputReport();
  void WriteEconomicsReport();
  void AppendTcoolTable();
  void WriteCatalogReport();
  void PrintMaterialRows();
  void PrintWindowRows();
  void WriteLightShelfReport();
  // Sections I and II. Returns the kind (1..4) of the first missing profile with its zone,
  // or kind 0 when every profile was found.
  struct Missing {
    int kind = 0;
    int zone = 0;
  };
  Missing WriteProjectEcho();

  int PageNo() const { return pageNo_; }

 private:
  bool SI() const { return m_.UnitSystem != model::kInchPound; }
  const char* Units(const char* ip, const char* si) const { return SI() ? si : ip; }
  void PrintTypeRows(const model::TypeColumn* const (&columns)[7]);

  const model::ProjectModel& m_;
  ReportPage& out_;
  TimeOfDayClock clock_;
  int pageNo_ = 0;
};

}  // namespace kalvano::reports
