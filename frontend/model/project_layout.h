// Labels and line order of the project file, shared by its writers and its reader.
#pragma once

#include <array>
#include <string_view>

namespace kalvano::model::layout {

inline constexpr std::string_view kFileLabel = "KAL-VANO  ";

inline constexpr std::array<std::string_view, 12> kProjectLabels{
    "Bld. Type ", "Proj.Name ", "Proj.Desc ", "Location  ", "Dsgn. Stg ", "Schm. Num ",
    "Con. Year ", "Orient.   ", "FloorArea ", "Con. Cost ", "Occ. Days ", "An Hldays "};

inline constexpr std::array<std::string_view, 11> kEconLabels{
    "Econ.Life ", "Mech.Life ", "SolarLife ", "Disc.Rate ", "Cost Esc. ", "Elec.Cost ",
    "Elec.Esc. ", "Gas  Cost ", "Gas  Esc. ", "WaterCost ", "WaterEsc. "};

inline constexpr std::array<std::string_view, 7> kWallLabels{
    "ID. #     ", "Descript. ", "U-Factor  ", "Solar Abs ", "Time Lag  ", "Dec. Fact ",
    "Ins. Cost "};
inline constexpr std::array<std::string_view, 7> kWindowLabels{
    "ID. #     ", "Descript. ", "U-Factor  ", "S.H.G.C.  ", "Emissiv.  ", "DL. Trans ",
    "Ins. Cost "};

// The 33 lines of a zone: a zone field 1..30, or one of the three yes/no switches.
inline constexpr int kNatVent = -1, kDaylight = -2, kEconCycle = -3;
struct ZoneLine {
  std::string_view label;
  int field;
};
inline constexpr std::array<ZoneLine, 33> kZoneLines{{
    {"Zone No.  ", 1},   {"Zone Name ", 2},  {"Flr. Area ", 3},  {"Int. Mass ", 4},
    {"No.People ", 5},   {"Occ. Prof ", 6},  {"HW/person ", 7},  {"HW.  Prof ", 8},
    {"OA CFM    ", 9},   {"Vent Prof ", 10}, {"Lite Type ", 11}, {"Cost/sqft ", 12},
    {"Watt/sqft ", 13},  {"EquipLoad ", 14}, {"Lite Prof ", 15}, {"S-Occ.    ", 16},
    {"W-Occ.    ", 17},  {"S-Unocc.  ", 18}, {"W-Unocc.  ", 19}, {"Cool.Type ", 20},
    {"Heat.Type ", 21},  {"Nat. Vent ", kNatVent}, {"CFM/sqft. ", 22}, {"Inf. Rate ", 23},
    {"Daylight  ", kDaylight}, {"DL Depth  ", 24}, {"Target FC ", 25},
    {"Econ.Cycle", kEconCycle}, {"Stat.Pres ", 26}, {"Cool SEER ", 27}, {"Heat COP  ", 28},
    {"1st Cost  ", 29},  {"Maint Cost", 30},
}};
inline constexpr int kOutdoorAirField = 9;
inline constexpr int kFirstSwitchLine = 21;  // index of "Nat. Vent " in kZoneLines

inline constexpr std::array<std::string_view, 14> kSurfaceLabels{
    "Wall ID.  ", "Wall Area ", "WallOrien ", "Surf Exp. ", "Ext. Shd. ",
    "Window ID ", "Win. Area ", "Rf/Wl Slp ", "S/W/B     ", "Ven. Blnd ",
    "DiffTrans ", "Sill High ", "Window Ht ", "Grnd Refl "};

inline constexpr std::array<std::string_view, 6> kProfileKindLines{"", "Occ", "HW", "Vent",
                                                                   "Lite", "Temp"};

inline constexpr std::string_view kEndOfList = "9999";
inline constexpr std::string_view kEndOfProfiles = "99";

}  // namespace kalvano::model::layout
