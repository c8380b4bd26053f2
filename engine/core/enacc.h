// The load model's own state between its calls (ENERGY, DAYEND, MONEND, YREND): set up by
// ENERGY's first call, advanced hour by hour, reported at the ends of day, month and year.
//
// All values are inch-pound (F, Btu, Btuh, ft, ft2, ft3, cfm, lb, kW, kWh); SI exists only in
// the written lines. Arrays are 1-based and checked (arrays.h); per-zone arrays are indexed by
// the zone's slot 1..NZ, per-surface ones by the surface number 1..LASTSURF(NZ).
//
// The stages of an hour and what each leaves for the next:
//   set-up (first ENERGY call)  -> the "set-up" block below
//   hour preparation            -> the "hour" block; zeroes the surface sums and the hour's
//                                  building sums
//   surface pass                -> the per-zone surface sums QOPZ .. FCDLZ, IDIRV/IDIFV
//   zone pass                   -> zone state, the hour's building sums, QCAT, energy sums
//   hourly rows, hourly sums    -> monthly sums, peaks, day profiles, SEASPR
//   DAYEND / MONEND / YREND     -> reports
// A stage that needs a value nobody defines yet appends it to its own block with a one-line
// comment (unit, meaning, writer). Never reorder or rename fields.
#pragma once

#include <cstdint>

#include "engine/core/arrays.h"

namespace kv {

inline constexpr int kLoadZones = 98;
inline constexpr int kLoadSurfaces = 400;
inline constexpr int kLoadCategories = 11;

struct ENACC {
  // ---- set-up ---------------------------------------------------------------------------
  int32_t IFIRST = 0;   // 1 once the set-up has run
  int32_t IDETL = 0;    // detail level from detail.hry, 0 when absent
  Arr1<Chars<3>, kLoadZones> ZTAG;  // zone tags from CHRMOD
  char SEP = '\t';      // separator of the hourly spreadsheets (copy of RUNPAR.SEPCH)
  Arr1<int32_t, 4> IORNT;  // up to four distinct orientations of non-horizontal surfaces, ascending
  float TCMFLO = 0, TCMFHI = 0;     // comfort band, F
  int32_t ICMFLO = 0, ICMFHI = 0;   // comfort band in report units, whole degrees
  float QPSENS = 0, QPLAT = 0;      // 250 and 200 Btuh per person
  float GRNDMEAN = 0, GRNDAMP = 0;  // ground temperature mean and amplitude, F
  int32_t MCOLD = 1;                // coldest month
  int32_t MLAST = 0;                // month of the previous hourly call, 0 before the first
  int32_t IDOW = 0;                 // day of the week 1..7, 1 = Monday
  int32_t NONWRK = 0;               // 1 in a non-working hour
  int32_t NWDAYS = 0;               // whole occupied days per week
  float WDFRAC = 0;                 // fractional occupied day per week
  float HOLFAC = 0;                 // holiday factor 1 - holidays / (NWDAYS x 52)
  int32_t CPKHR = 3, CPKDAY = 1, CPKMON = 1;  // building cooling peak: clock hour, day, month
  Chars<4> CPKAMPM;                           // "A.M." / "P.M."
  int32_t HPKHR = 7, HPKDAY = 1, HPKMON = 1;  // building heating peak: clock hour, day, month
  Chars<4> HPKAMPM;
  float CPKLOAD = 0;  // building cooling peak, Btuh (seeded with the design gains)
  float HPKLOAD = 0;  // building heating peak, Btuh (negative)
  float CPKDB = 0, HPKDB = 0;       // outdoor dry bulb at the peaks, F
  int32_t CPKNEW = 1, HPKNEW = 1;   // the current day set a new cooling / heating peak
  float GASPR = 0;     // gas price per million Btu (gas cost per therm x 10)
  float ELECPR = 0;    // electricity price per kWh
  float WALLCOST = 0, GLASCOST = 0;  // envelope first costs
  int32_t MSTART = 1;  // first month of the run
  float TDESIN = 0;    // indoor reference temperature, F (mean zone temperature of last hour)
  float ZAREA = 0;     // sum of the zone floor areas, ft2
  Arr2<float, 3, 6> EMFAC;  // environmental-impact factors (pollutant, row)
  int16_t CLKHR = 0, CLKMIN = 0;  // clock at the set-up, for "Date of Run" texts
  // per surface
  Arr1<float, kLoadSurfaces> TSURF;             // running mean of the sol-air temperature, F
  Arr2<float, 24, kLoadSurfaces> TSAHIST;       // (slot, surface) sol-air history, F
  Arr1<float, kLoadSurfaces> COSOR, SINOR;      // cosine and sine of the orientation
  Arr1<float, kLoadSurfaces> GLFAC;             // glass factor
  Arr1<float, kLoadSurfaces> EXPF1, EXPF2;      // solar and daylight ground reflectance
  // per zone
  Arr1<float, kLoadZones> VOLUME;   // ft3
  Arr1<float, kLoadZones> AREAS;    // summer wall area ("S" or "B"), ft2
  Arr1<float, kLoadZones> AREAW;    // winter wall area ("W" or "B"), ft2
  Arr1<float, kLoadZones> AEXT;     // exterior wall and glass area (exposure below 6), ft2
  Arr1<float, kLoadZones> AENCL;    // estimated enclosure area, ft2
  Arr1<float, kLoadZones> AINT;     // mass area, ft2 (at least 0.1)
  Arr1<float, kLoadZones> UAGLAS;   // window conductance, Btuh/F
  Arr1<float, kLoadZones> DLFRAC;   // daylit fraction of the floor
  Arr1<float, kLoadZones> TSUPC;    // cooling supply-air temperature, F
  Arr1<float, kLoadZones> TSUPH;    // heating supply-air temperature, F
  Arr1<float, kLoadZones> HEFF1;    // hot-water heater efficiency (heating factor x COP)
  Arr1<float, kLoadZones> HEFF2;    // space-heating efficiency (heating factor x COP)
  Arr1<float, kLoadZones> TZONE;    // zone air temperature, F
  Arr1<float, kLoadZones> TZONE2;   // copy of the first TZONE (set-up: TDESIN); no stage reads
                                    // it: the zone's second temperature is TMASS
  Arr1<float, kLoadZones> DPZONE;   // zone dew point, F
  Arr1<float, kLoadZones> WMASS;    // moisture in the zone air, lb
  Arr1<float, kLoadZones> MASSCAP;  // mass capacitance, Btu/F
  Arr1<float, kLoadZones> ZCAP;     // air capacitance, Btu/F
  Arr1<float, kLoadZones> INFCFM;   // infiltration base flow, cfm
  Arr1<float, kLoadZones> DESGAIN;  // design sensible gain, Btuh (sensible load at the peak)
  Arr1<float, kLoadZones> CFMMAX;   // design supply air, cfm
  Arr1<float, kLoadZones> ZMARK;    // peak heating load without gains, Btuh (most negative)
  Arr1<float, kLoadZones> ECONT;    // economiser limit, F (55 or 0)
  int32_t NWHRS = 0;  // working-day hours added to SEASPR

  // ---- hour ----------------------------------------------------------------------------
  int32_t IHR = 0;      // hour 1..24
  int32_t IDAY = 0;     // day of the month
  int32_t IHRC = 0;     // history slot 1..24, advanced every hourly call
  float GRNDDAY = 0;    // day from the coldest month's start
  float WDENS = 0;      // outdoor moisture density, lb/ft3
  float INFMULT = 0;    // infiltration multiplier
  float TEVAP = 0;      // evaporative supply temperature, F
  float DTHW = 0;       // hot-water temperature rise, F
  float RFILM1 = 0, RFILM2 = 0, GFILM = 0;  // exterior films
  float QHTG = 0;       // the hour's heating, kBtu
  float ECLG = 0;       // the hour's cooling electricity, kWh
  float ELTG = 0;       // the hour's lighting electricity, kWh
  float ERCP = 0;       // the hour's receptacle electricity, kWh
  float QHW = 0;        // the hour's hot-water heating, kBtu
  Arr1<int32_t, 4> IDIRV, IDIFV;  // largest beam and diffuse on the IORNT orientations
  Arr1<float, kLoadCategories> QCAT;  // the hour's building load by category, Btuh (5 in kW)
  float DAYWT = 0;      // days one simulated day stands for, times HOLFAC
  int32_t ISEAS = 1;    // quarter 1..4
  float DAYWT6 = 0;     // DAYWT / 1 000 000
  Arr1<float, kLoadZones> TZLAST;  // zone temperature at the start of the hour; operative after

  // ---- surface pass: per-zone sums of the hour, zeroed by the hour preparation ----------
  Arr1<float, kLoadZones> QOPZ;    // opaque conduction of walls and roofs, Btuh
  Arr1<float, kLoadZones> QROOFZ;  // roof conduction, Btuh
  Arr1<float, kLoadZones> QTSZ;    // window transmitted solar, Btuh
  Arr1<float, kLoadZones> QWAZ;    // window absorbed-inward solar plus window conduction, Btuh
  Arr1<float, kLoadZones> QWSZ;    // window solar total (transmitted + absorbed-inward), Btuh
  Arr1<float, kLoadZones> SOPZ;    // sum of area x inside temperature, opaque, ft2 F
  Arr1<float, kLoadZones> SALLZ;   // the same over all surfaces and windows, ft2 F
  Arr1<float, kLoadZones> FCDLZ;   // daylight illuminance of the hour, fc

  // ---- zone pass: per-zone state ---------------------------------------------------------
  Arr1<float, kLoadZones> TMASS;    // lumped mass temperature, F
  Arr1<float, kLoadZones> RHZONE;   // zone relative humidity, percent
  Arr1<float, kLoadZones> TMRT;     // mean radiant temperature of the hour, F
  Arr1<float, kLoadZones> OACFM;    // outdoor or natural-ventilation air of the hour, cfm
  Arr1<float, kLoadZones> GAINMAX;  // largest total sensible gain so far, Btuh
  Arr1<float, kLoadZones> GAINMIN;  // smallest total sensible gain so far, Btuh
  Arr1<float, kLoadZones> ZPKCLG;   // peak total cooling load, Btuh
  Arr1<float, kLoadZones> SHRZ;     // coil sensible heat ratio at the cooling peak
  Arr1<float, kLoadZones> RSHRZ;    // room sensible ratio at the cooling peak
  Arr1<float, kLoadZones> ZPKHV;    // smallest heating load with ventilation, Btuh (negative)
  Arr1<float, kLoadZones> CFMHTG;   // heating airflow at the heating peak, cfm
  Arr1<float, kLoadZones> QZTOT;    // the hour's total load, Btuh (negative = heating)
  Arr1<float, kLoadZones> QZSENS;   // the hour's sensible load, Btuh
  Arr1<float, kLoadZones> FCHRS;    // weighted free-cooling (economiser) hours
  // comfort counters of the month (occupied working hours, weighted)
  Arr1<float, kLoadZones> CDHHI;    // degree-hours above the band
  Arr1<float, kLoadZones> CDHLO;    // degree-hours below the band
  Arr1<float, kLoadZones> CHRHI;    // hours above
  Arr1<float, kLoadZones> CHRLO;    // hours below
  Arr1<float, kLoadZones> CHROK;    // hours within
  // the month's hot-day and cold-day snapshots (hour, zone) and the outdoor dry bulb (hour)
  Arr2<float, 24, kLoadZones> HOTTZ, HOTMRT, HOTTOP, HOTRH;
  Arr2<float, 24, kLoadZones> COLDTZ, COLDMRT, COLDTOP, COLDRH;
  Arr1<float, 24> HOTDB, COLDDB;

  // ---- zone pass: building sums of the hour (zeroed before the zone loop) ----------------
  float QCLOAD = 0;   // building cooling load, Btuh (>= 0)
  float QCPEAK = 0;   // building cooling load for the peak, Btuh (>= 0)
  float QHLOAD = 0;   // building heating load, Btuh (<= 0)
  float QHPEAK = 0;   // building heating load with ventilation, net of gains, Btuh (<= 0)
  float QHEAT = 0;    // heating input (loads / COP), Btuh (<= 0)
  float EFAN = 0;     // fan power of the hour, kW (= kWh)
  float SYSON = 0;    // system operation measure: the hour's fan power, kW
  float CFMSUM = 0;   // fan airflow of the hour, cfm
  float ELKW = 0;     // electric demand of the hour, kW (HVAC part until the hourly sums)
  float FUELHR = 0;   // gas use of the hour, kBtu
  float ELTEQ = 0;    // lights and equipment demand of the hour, kW
  float ELTEQW = 0;   // weighted lights and equipment kWh of the hour

  // ---- zone pass: energy sums (weighted by DAYWT unless said) ----------------------------
  // monthly, zeroed at each new month
  Arr1<float, kLoadCategories> QCLGM;  // cooling load by category, MBtu
  Arr1<float, kLoadCategories> QHTGM;  // heating load by category, MBtu (negative)
  float SOLARM = 0;   // useful passive solar, Btu
  float ECLGM = 0;    // cooling electricity, kWh
  float GASM = 0;     // gas use, kBtu, unweighted
  float ELECM = 0;    // electricity other than lights, equipment and fans, kWh, unweighted
  float ELTKWHM = 0;  // interior lighting electricity, kWh
  float ERCPKWHM = 0; // receptacle (equipment) electricity, kWh
  // annual
  float ECLGY = 0;    // cooling electricity, kWh
  float ELTKWHY = 0;  // interior lighting electricity, kWh
  float ERCPKWHY = 0; // receptacle electricity, kWh
  float DLSAVE = 0;   // daylighting savings, kWh
  float SHSITE = 0, WHSITE = 0;  // site energy of space and water heating, MBtu
  float SHSRC = 0, WHSRC = 0;    // source energy of space and water heating, MBtu
  float SHCOST = 0, WHCOST = 0, CLCOST = 0;  // costs of space heating, water heating, cooling
  float HWFUEL = 0;   // hot-water heating input, kBtu (the hours' QHW, weighted)
  float HTHRSUM = 0;  // space-heating input of the run, kBtu, unweighted (the hours' QHTG)

  // ---- hourly sums and peaks -------------------------------------------------------------
  Arr3<float, 24, 4, 4> SEASPR;  // (hour, kind, quarter) working-day profiles
  float PKKWM = 0, PKKWY = 0;    // electric demand peak of the month and the year, kW
  float PKFUM = 0, PKFUY = 0;    // fuel peak of the month and the year
  Arr1<float, 24> ELDAY1, ELDAY2, FUDAY1, FUDAY2;  // the current day's demand by hour
  float SYSHRS = 0;   // weighted hours of the month with SYSON > 0.1
  float CFLHRS = 0;   // cooling equivalent full-load hours of the month
  float FANKWH = 0;   // fan energy of the month, kWh
  float LTEQKWH = 0;  // working-day lights and equipment energy of the month, kWh
  float HWMON = 0;    // hot-water heat of the month, kBtu
  float HLOADM = 0;   // heating load of the month, Btu (positive)
  float HEATM = 0;    // heating input of the month, Btu (positive)
  float CLOADM = 0;   // cooling load of the month, Btu
  Arr1<float, kLoadCategories> QCATH;  // the hour's categories, 5 in Btuh
  Arr1<float, kLoadCategories> QCATC;  // components at the cooling peak, kBtuh
  Arr1<float, kLoadCategories> QCATW;  // components at the heating peak, kBtuh
  float SHRPK = 0;    // sensible heat ratio of the building cooling peak

  // ---- end of day, month and year --------------------------------------------------------
  Arr1<float, 24> SPKEL, SPKGAS, WPKEL, WPKGAS;  // peak-day profiles: summer/winter kW, kBtu/h
  // Outdoor lighting (written by the set-up / DAYEND; read by MONEND and YREND).
  float OLKWHD = 0;   // outdoor-lighting energy of one day, kWh (set-up; 0 while none is given)
  float OLKWHM = 0;   // outdoor lighting of the month, kWh (DAYEND adds OLKWHD x DAYWT; the
                      // hour preparation zeroes it at each new month; YREND reads the last one)
  // Annual sums of the monthly rows, added by MONEND after each month (inch-pound, before
  // any SI conversion and before the row's truncation), read by YREND and the cost analysis.
  float SHEATY = 0;   // space-heating energy (heating input), MBtu
  float HLOADY = 0;   // heating load, MBtu (positive)
  float SOLARY = 0;   // useful passive solar, MBtu
  float HWY = 0;      // water-heating energy, MBtu
  float CLOADY = 0;   // cooling load, MBtu
  float FANKWHY = 0;  // fan energy, kWh
  float ELECY = 0;    // total electricity (all end uses, outdoor lighting included), kWh
  float ECOSTY = 0;   // electricity cost including the demand charges, $
  float GASY = 0;     // gas use, MBtu
  float CMPHRSY = 0;  // compressor hours (cooling equivalent full-load hours)
  float SYSHRSY = 0;  // system operating hours
  float PKKWSUM = 0;  // sum of the monthly peak demands, kW
  float DEMCHGY = 0;  // demand charges of the year, $
  // Cumulative comfort over all zones (each zone's monthly counters / NZ, summed every month).
  float CUMHLO = 0, CUMHOK = 0, CUMHHI = 0;  // too-cold, comfortable, too-hot occupied hours
  float CUMDHLO = 0, CUMDHHI = 0;            // too-cold and too-hot degree-hours, F h
  float CUMDHTOT = 0;                        // total discomfort degree-hours, F h
  // The last month's closed values (MONEND), for readers after the month row.
  float GASCSTM = 0;  // gas cost of the month, $
  float ECOSTM = 0;   // electricity cost of the month including its demand charge, $
  float DEMCHGM = 0;  // demand charge of the month, $

  // ---- year end (YREND and the cost analysis) --------------------------------------------
  // Annual load by category, MBtu: MONEND adds each month's QCLGM / QHTGM here (step 8 of its
  // annual sums) before the next month clears them; YREND reports them with the mass effect.
  Arr1<float, kLoadCategories> QCLGY;  // cooling load by category, MBtu
  Arr1<float, kLoadCategories> QHTGY;  // heating load by category, MBtu (losses negative)
};

}  // namespace kv
