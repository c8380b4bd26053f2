// The texts that the engine's main program writes to the report sim$.out, the monitor log
// and the heads of the hourly spreadsheets, and the input progress log (FORM, UPCASE).
// Every line goes through the fixed-column Line; the run date is RUNPAR's IRDA, IRMO, IRYR
// with MAINPG's IHOUR and IMIN.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

struct EngineState;
class OutFile;

// Progress line of input section K (1..8) in the monitor log: MODE 2 = completed (with the
// section's error count NERR), any other MODE = started.
void FORM(EngineState& s, int32_t MODE, int32_t K, int32_t NERR);
// Upper case of a lower-case letter; every other character unchanged.
void UPCASE(char CIN, char& COUT);
char UPCASE(char CIN);

// Banner at the top of sim$.out.
void WriteBanner(EngineState& s);
// The three-line project block under a report section's title.
void PageHeaderBlock(EngineState& s, OutFile& f);
// The four end-of-input lines with a 70-column text field (the project name in the monitor
// log, the scheme in the report) and the total error count.
void WriteEndOfInput(EngineState& s, OutFile& f, std::string_view textField, int32_t errors);
// The end-of-preprocessing lines (report and monitor log).
void WriteEndOfPreprocessing(OutFile& f);
// The head of report section III: form feed, title with the page number, project block,
// column heads in the units of CHTAB's UNITS.
void WriteSection3Head(EngineState& s);
// "  *** PREPROCESSING ZONE" line of zone i in the monitor log.
void WritePreprocessingZone(EngineState& s, int i);
// The monitor's lines before the simulation starts.
void WriteBeginSimulation(EngineState& s);
// The three header lines of the hourly weather (eweth$.hry) and temperature (etemp$.hry)
// spreadsheets.
void WriteHourlyHeaders(EngineState& s);
// True when the unit code selects the SI texts (exactly "SI").
bool reportsInSI(const EngineState& s);

}  // namespace kv
