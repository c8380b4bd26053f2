// A recorded weather file for a run, without a widget: the path of a typed name, the head
// shown before the file is used, the two-digit year of a custom-layout file, and the copy
// that the engine reads (temp/tavik$.tmy).
#pragma once

#include <string>
#include <string_view>

#include "frontend/model/project_model.h"

namespace kalvano::weather {

// Engine format codes of the four layouts offered.
inline constexpr int kTmy2 = 1, kWyec2 = 2, kIwec = 3, kCustom = 4;

// The preview text: five banner lines and the first 20 lines of the file, CR LF ended.
// Throws model::FileError when the file cannot be read or holds fewer than 20 lines.
std::string PreviewText(const std::string& path);

// The year of a custom-layout file: columns 4-5 of line `line` (1-based) read as a number.
// Throws model::FileError when the file cannot be read or is shorter.
int CustomFileYear(const std::string& path, int line);

// Whether a custom file's year (line `line`) differs from the last two digits of the
// analysis year.
bool YearDiffers(const std::string& path, int line, std::string_view analysisYear);

// Copies the file to temp/tavik$.tmy, replacing it whole or not at all (throws FileError).
void CopyRecordedWeather(const model::ProjectModel& m, const std::string& path);

inline constexpr std::string_view kPreviewFile = "temp/wethtemp.txt";
inline constexpr std::string_view kYearQuestion =
    "The year of your weather data file is not the same as the project evaluation year.  Do you want to continue?";

}  // namespace kalvano::weather
