// Monthly weather statistics cut from the project's weather block, their conversion between
// inch-pound and SI, and the design temperatures derived from them.
#pragma once

#include "frontend/model/project_model.h"

#include <array>
#include <string>
#include <string_view>

namespace kalvano::model {

// Cuts one monthly row (a 7-character label, then values in 6-character fields) into at most
// 12 field texts, leading blanks kept; returns how many it found. `convert` maps a value to
// its stored text; when it is null the field text is stored as cut.
using FieldConverter = std::string (*)(double);
int CutWeatherRow(std::string_view row, WeatherStats::Months& out, FieldConverter convert);

// The value's decimal text: sign position, 15 significant digits, no exponent.
std::string DecimalText(double value);

// round1(w) = Int(w * 10 + 0.5) / 10.
double Round1(double w);

// An SI elevation in feet as the statistics take it: metres x 3.28084, rounded down.
float ElevationToFeet(float metres);

// A value of monthly row `row` (0-based: dry-bulb mean, its deviation, dry-bulb maximum, its
// deviation, dew-point mean, its deviation, solar, wind) of an SI weather block as its
// inch-pound copy holds it, the copy that the run file takes.
std::string MonthValueToIP(int row, double value);

// Fills the statistics in inch-pound units from the weather block (converting an SI model).
void WeatherStatsToIP(ProjectModel& m);
// The same from weather block lines 1..11 in `unitSystem`.
void WeatherStatsToIP(const std::array<std::string, kWeatherLines + 1>& block, int unitSystem, WeatherStats& wx);
// Converts inch-pound statistics (after WeatherStatsToIP on an inch-pound model) to SI.
void WeatherStatsToSI(ProjectModel& m);

// Saturation pressure of water vapour over water at t degrees F, in inches of mercury.
float Psychrometrics(float t);

// Fills DesTemps 1..3 (summer dry bulb, wet bulb, winter dry bulb) from the inch-pound
// statistics, in the model's unit system.
void ComputeDesignTemps(ProjectModel& m);
// The design temperatures (summer dry bulb, wet bulb, winter dry bulb) that ComputeDesignTemps
// gives for inch-pound statistics `wx`, in `unitSystem`.
std::array<double, 3> DesignTemps(const WeatherStats& wx, int unitSystem);

}  // namespace kalvano::model
