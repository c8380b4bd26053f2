// The year-end report's last sections and the values YREND hands to them: the seasonal
// average working-day profiles (section VI), the life-cycle cost analysis (section VII) and
// the present-worth factor of an escalating annual series.
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

struct EngineState;

// First-cost and maintenance sums over the zones, worked out with the design data of
// section IV (inch-pound tons, $).
struct ZoneCostSums {
  float lighting = 0;  // sum of lighting cost per ft2 x zone floor area
  float hvac = 0;      // sum of zone tons x first cost per ton
  float maint = 0;     // sum of zone tons x maintenance cost per ton, per year
};

// Present worth of a series of YEARS yearly amounts that start at 1 and escalate by ESC per
// year, discounted at DISC: YEARS when ESC equals DISC, else
// (1 + ESC) / (DISC - ESC) x (1 - ((1 + ESC) / (1 + DISC))^YEARS). A factor that is not a
// finite number (a discount rate of -1 or below) is 0.
float PWIF(float ESC, float DISC, float YEARS);

// The title of a year-end section that starts a page: the page counter + 1, the page-break
// line, the title with ".... PAGE nnn ...." from column 115, its underline of "-" in columns
// dashFrom..dashTo, an empty line when asked, the project block (yrend.cpp).
void AnnualPageTitle(EngineState& s, std::string_view title, int dashFrom, int dashTo,
                     bool blankBeforeBlock);

// Section VI: seasonal profiles (the caller writes it for run type 3 only).
void SEASONS(EngineState& s);
// Section VII: first costs and present worth of energy and maintenance.
void COSTAN(EngineState& s, const ZoneCostSums& sums);

}  // namespace kv
