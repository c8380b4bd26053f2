// The engine's state: every shared area of kvan64 and the run's open files, in one object
// that every routine receives by reference as its first argument (no globals).
//
// For the other engine layers:
// - Each area is a plain struct of fixed-size arrays; indexing is 1-based and checked
//   (NAME(i) or NAME(i, j), see arrays.h): an index outside the bounds throws IndexError.
//   Texts are Chars<n> (CHARACTER*n): set() stores blank-padded, view() gives all n bytes.
// - Need a field that is not here yet? Append it at the end of the area it belongs to, with
//   a one-line comment (unit, meaning, writer), in the type of the layouts (float for REAL*4,
//   int32_t for INTEGER*4, int16_t for INTEGER*2, double for REAL*8). Never reorder or rename
//   existing fields. The load model fills ENACC as it likes.
// - Nothing is allocated after start-up: no std::vector or std::string members in the areas.
// - Upward calls (the rest of the project reader, the calendar, the load model) go through
//   Hooks, which engine/kvan64.cpp wires; an unset hook means that part is not built and the
//   run stops cleanly after the input phase.
// - EngineState is large (file buffers): create it with std::make_unique.
#pragma once

#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>

#include "engine/core/arrays.h"
#include "engine/core/enacc.h"
#include "engine/core/files.h"

namespace kv {

// Capacities.
inline constexpr int kSurfaces = 400;
inline constexpr int kZones = 98;
inline constexpr int kWallTypes = 20;
inline constexpr int kWindowTypes = 20;
inline constexpr int kProfileKinds = 5;
inline constexpr int kProfiles = 20;
inline constexpr int kDemandSlots = 30;
inline constexpr int kDemandPairs = 16;
inline constexpr int kCoolSystems = 20;
inline constexpr int kHeatTypes = 10;

// The building model (inch-pound units).
struct BLDG {
  // Counts and building values.
  int32_t NASM = 0;  // wall/roof types read, 0..20
  int32_t NGLS = 0;  // window types read, 0..20
  int32_t NZ = 0;    // zones kept, 0..98
  int32_t NERR = 0;  // input errors of the section being read
  float DAYSWK = 0;  // occupied days per week
  float HOLDYS = 0;  // annual holidays
  float FLRAREA = 0; // building floor area, ft2
  Arr1<float, 11> ECON;  // economics items in file order
  float BCOST = 0;   // construction cost
  float WYEAR = 0;   // weather year as read
  int32_t NDEM = 0;  // demand-charge pairs, 0..16
  Arr1<float, kDemandSlots> DEMKW;   // demand limit, kW
  Arr1<float, kDemandSlots> DEMCST;  // charge

  // Wall/roof and window types, slot n = n-th type in file order.
  Arr1<int16_t, kWallTypes> IDWAL;
  Arr1<float, kWallTypes> UWAL;
  Arr1<float, kWallTypes> DECWAL;
  Arr1<float, kWallTypes> ABSWAL;
  Arr1<float, kWallTypes> LAGWAL;
  Arr1<float, kWallTypes> CSTWAL;
  Arr1<int16_t, kWindowTypes> IDWIN;
  Arr1<float, kWindowTypes> UWIN;
  Arr1<float, kWindowTypes> SHGC;
  Arr1<float, kWindowTypes> EMWIN;
  Arr1<float, kWindowTypes> CSTWIN;
  Arr1<float, kWindowTypes> VTWIN;

  // Profiles: (kind, position) and (kind, position, hour).
  Arr2<int16_t, kProfileKinds, kProfiles> NOPROF;
  Arr3<float, kProfileKinds, kProfiles, 24> PROF;

  // Zones, zone i = i-th kept zone.
  Arr1<char, kZones> ECFLG;
  Arr1<char, kZones> DLFLG;
  Arr1<char, kZones> NVFLG;
  Arr1<int16_t, kZones> IZONE;
  Arr2<int16_t, 8, kZones> IPROF;
  Arr1<int16_t, kZones> ICOOL;
  Arr1<int16_t, kZones> IHEAT;
  Arr1<int16_t, kZones> LTYPE;
  Arr1<int16_t, kZones> LASTSURF;
  Arr2<float, 4, kZones> ZLOAD;
  Arr1<float, kZones> VNAT;
  Arr1<float, kZones> FLRZ;
  Arr1<float, kZones> XMASS;
  Arr1<float, kZones> SPRES;
  Arr1<float, kZones> COOLEF;
  Arr1<float, kZones> HCOP;
  Arr1<float, kZones> CST1;
  Arr1<float, kZones> CSTM;
  Arr1<float, kZones> XINF;
  Arr2<float, 4, kZones> ZIN;
  Arr1<float, kZones> DLDEP;
  Arr1<float, kZones> ZHGT;
  Arr1<float, kZones> FCTGT;
  Arr1<float, kZones> EQUIP;
  Arr1<float, kZones> CSTSF;

  // Surfaces, numbered across zones in file order.
  Arr1<float, kSurfaces> DOVH;
  Arr1<float, kSurfaces> DSHLF;
  Arr1<float, kSurfaces> RSHLF;
  Arr1<float, kSurfaces> TSHLF;
  Arr2<char, 3, kSurfaces> SHDC;
  Arr1<char, kSurfaces> SWBFLG;
  Arr1<char, kSurfaces> IDEV;
  Arr1<int16_t, kSurfaces> IWALL;
  Arr1<int16_t, kSurfaces> IWIND;
  Arr1<int16_t, kSurfaces> IBLND;
  Arr1<float, kSurfaces> AWALL;
  Arr1<float, kSurfaces> ORIENT;
  Arr1<float, kSurfaces> EXPOS;
  Arr2<float, 3, kSurfaces> SHDV;
  Arr1<float, kSurfaces> AWIND;
  Arr1<float, kSurfaces> SINTLT;
  Arr1<float, kSurfaces> COSTLT;
  Arr1<float, kSurfaces> DSHD;
  Arr1<float, kSurfaces> TDIFF;
  Arr1<float, kSurfaces> HSILL;
  Arr1<float, kSurfaces> HTOP;
  Arr1<float, kSurfaces> GREFL;

  // Cooling-system table of tcool.dat, by system number 1..20. Heating class 1 = gas heat,
  // 2 = electric heat.
  Arr1<float, kCoolSystems> CSSEER;          // default SEER
  Arr1<float, kCoolSystems> CSTSUP;          // default supply-air temperature, F
  Arr2<float, 2, kCoolSystems> CSFCST;       // (class, system) first cost per ton
  Arr2<float, 2, kCoolSystems> CSMCST;       // (class, system) maintenance cost per ton
  // Heating-type table of theat.dat, by line 1..10.
  Arr1<float, kHeatTypes> HTCOP;             // default heating COP
  Arr1<float, kHeatTypes> HTFAC;             // heating factor
  Arr1<float, 20> HTTSUP;                    // heating supply-air temperature, F
};

// Project texts (blank until read, so that an early stop never prints binary zeros).
struct PRJTXT {
  PRJTXT();
  Chars<42> PLOC;
  Chars<8> PSCHM;
  Chars<20> PTYPE;
  Chars<70> PNAME;
  Chars<70> PDESC;
  Chars<70> PPHASE;
  Arr1<Chars<4>, kProfileKinds> PKIND;
  Arr1<Chars<20>, kZones> ZNAME;
};

// Monthly weather statistics and station data.
struct WXMON {
  Arr1<float, 12> TDBM;
  Arr1<float, 12> TDPM;
  Arr1<float, 12> TDBS;
  Arr1<float, 12> TDPS;
  Arr1<float, 12> TMXM;
  Arr1<float, 12> TMXS;
  Arr1<float, 12> WNDM;
  Arr1<float, 12> SOLM;
  float TCORR = 0;     // time correction: (longitude - meridian) / 15, hours (calendar)
  float XLAT = 0;
  float XLONG = 0;
  float XMER = 0;
  int32_t NDPM = 0;    // days per month: 7, 14, 21 or 31 (31 = whole months)
  float ELEV = 0;
  float TDSMX = 0;
  float TDSWB = 0;
  float TDSMN = 0;
  Arr1<float, 2> TCOMF;  // comfort band, lower and upper, F
  Arr1<Chars<8>, 8> WXLBL;
};

// Run control values.
struct RUNPAR {
  Arr1<int16_t, 12> MONFLG;
  Arr1<float, 24> TMAXH;
  Arr1<float, 24> TMINH;
  int32_t IRUN = 0;
  int32_t NPAGE = 0;
  int32_t IWFMT = 0;   // weather format code: 0 generated, 1 TMY2, 2 WYEC2, 3 IWEC, 4 custom
  int32_t IDOW1 = 0;
  int32_t IDAY1 = 0;
  int32_t IDAY2 = 0;
  int32_t IYEAR = 0;
  int32_t IHRLY = 0;
  int16_t IRYR = 0;
  int16_t IRMO = 0;
  int16_t IRDA = 0;
  char SEPCH = '\t';
};

// The current simulated hour (inch-pound), 27 four-byte fields in this order.
struct HRWTHR {
  float DB = 0, WB = 0, DP = 0, PB = 0, W = 0, H = 0, V = 0, RH = 0, WV = 0, DAY = 0, HOUR = 0,
        SINALT = 0, DN = 0, DH = 0, DFH = 0, SINAZM = 0, COSAZM = 0, COSALT = 0, ALTRAD = 0,
        ALT = 0, TDAY = 0, AZM = 0, TANALT = 0, CC = 0;
  int32_t DAYRANK = 0, NIGHT = 0, JDAY = 0;
};

// The light-shelf table of ltshlf.dat.
struct LSHELF {
  Arr1<float, 19> LSV1;
  Arr1<float, 19> LSV2;
  Arr3<float, 19, 6, 3> LST;  // (row, column, block)
  Arr1<Chars<8>, 19> LSLBL;
};

// Initialised text tables.
struct CHTAB {
  CHTAB();
  Arr1<Chars<8>, 4> RSLT;
  Arr1<Chars<4>, 10> KEYW;
  Chars<4> PKTAM;  // peak-time texts of the load model
  Chars<4> PKTPM;
  Arr1<Chars<3>, 12> MONNAM;
  Arr1<Chars<3>, kZones> OACODE;
  Chars<2> UNITS;
  Arr1<char, 7> SHDLET;
};

// The main program's private state that the input sections share.
struct MAINPG {
  int32_t NERRT = 0;     // the run's total input error count
  int32_t IDAYLT = 0;    // 1 when a zone uses daylighting
  int16_t IHOUR = 0;     // clock hour and minute of the run, for every "Date of Run" field
  int16_t IMIN = 0;
  float BORIENT = 0;     // building orientation, degrees (project line 8)
  Chars<8> STNID;        // station identifier, passed to WETHER
  char DEMSW = ' ';      // demand-charge switch
  int32_t NWEEKS = 0;    // weeks per month from the header line, after its checks
  double SEED = 0;       // the seed of the header line as scanned
  Arr1<Chars<34>, kWallTypes> WALDSC;    // wall/roof type descriptions
  Arr1<Chars<34>, kWindowTypes> WINDSC;  // window type descriptions
  // The line buffer and results of FREAD shared by every free-format read.
  Chars<132> LINE;
  int32_t NNUM = 0;
  int32_t NTXT = 0;
  Arr1<Chars<42>, 20> TXT;
  Arr1<double, 32> NUM;
};

// The state of the random generator RAND1.
struct RANDST {
  double S = 0;
};

// The run's files (units of the main program).
struct RunFiles {
  InFile weather;       // unit 4, tavik$.tmy (only for recorded weather)
  InFile project;       // unit 5, tavik$.inp
  OutFile report;       // unit 6, sim$.out
  OutFile monitor;      // unit 7, monitor.txt
  OutFile listing;      // unit 8, tavik$.wth
  OutFile comfort;      // unit 9, tavik$.flt
  OutFile wsummary;     // unit 10, eweth$.sum
  OutFile hrEnergy;     // unit 11, tavik$.hry
  OutFile trace;        // unit 12, tavik$.tst
  OutFile hrWeather;    // unit 13, eweth$.hry
  OutFile hrTemps;      // unit 14, etemp$.hry
};

// Date and time of day from the clock (or a test's fixed clock).
struct ClockReading {
  int16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, hundredths = 0;
};

struct EngineState;

// Upward calls, wired by engine/kvan64.cpp. nullptr = not built yet.
struct Hooks {
  // Reads the project file (files.project, open) from its second line to its end. The main
  // program has already written FORM(1, 1) and read the first line (UNITS, NDPM, the seed),
  // and afterwards closes the file, adds NERR to NERRT and writes FORM(2, 7) and the
  // end-of-input lines. The reader adds NERR to MAINPG.NERRT at each section's end, sets
  // MAINPG.IDAYLT and STNID, and may throw InputFault (or FieldError) for a file that ends
  // too early or holds a number it cannot read: the main program logs it as one error
  // (an InputFault made with alreadyLogged = true is only counted as written).
  void (*readProject)(EngineState& s) = nullptr;
  void (*ENERGY)(EngineState& s, int32_t MONTH, float WEIGHT) = nullptr;
  void (*DAYEND)(EngineState& s, int32_t MONTH, int32_t& DOW) = nullptr;
  void (*MONEND)(EngineState& s, int32_t MONTH) = nullptr;
  void (*YREND)(EngineState& s) = nullptr;
  void (*WETHER)(EngineState& s, Chars<8>& STNID, const Chars<2>& UNITS) = nullptr;
  // Days of the run's February as the calendar will simulate it (a recorded file decides
  // too); nullptr = by the year alone.
  int (*februaryDays)(const EngineState& s) = nullptr;
  // The clock; nullptr = the system's local time. Tests fix it here.
  ClockReading (*clock)() = nullptr;
  // Tests only: called after the zone pass of every simulated hour, before the hour's check.
  void (*afterZones)(EngineState& s) = nullptr;
};

struct EngineState {
  BLDG bldg;
  PRJTXT prjtxt;
  WXMON wxmon;
  RUNPAR runpar;
  HRWTHR hrwthr;
  LSHELF lshelf;
  CHTAB chtab;
  ENACC enacc;
  MAINPG mainpg;
  RANDST randst;
  RunFiles files;
  Hooks hooks;
  std::string runDir;  // the run folder; empty = the current folder (set before the run)
};

// A run that ends before its normal end, with the exit status of the process
// (2 unreadable weather record, 3 too many weather-date problems, 4 recorded weather file
// shorter than the analysis period, 6 a simulated quantity that is not a finite number). Thrown by the calendar; the main program writes
// " STOP " and the reason (which starts with the stop code, e.g. "2500 ...") to the monitor
// log, closes the files and returns the status.
inline constexpr int kStatusOutputFailed = 5;  // an output cannot be created or written
inline constexpr int kStatusNotFinite = 6;     // a simulated quantity is NaN or infinite
inline constexpr int kStatusRunLocked = 7;     // another run holds the run folder's lock

class EngineStop : public std::exception {
 public:
  EngineStop(int status, std::string reason) : status_(status), reason_(std::move(reason)) {}
  int status() const { return status_; }
  const char* what() const noexcept override { return reason_.c_str(); }

 private:
  int status_;
  std::string reason_;
};

// An input file that ends too early or holds a field that is not a number: the run ends
// after the input phase with an error in the monitor log (exit status 1). The main program
// writes what() as one "** ERROR **" line and counts it, unless the thrower has already
// written and counted its own message (alreadyLogged).
class InputFault : public std::runtime_error {
 public:
  explicit InputFault(const std::string& what, bool alreadyLogged = false)
      : std::runtime_error(what), logged_(alreadyLogged) {}
  bool alreadyLogged() const { return logged_; }

 private:
  bool logged_;
};

// The clock through the test seam.
ClockReading readClock(const EngineState& s);

}  // namespace kv
