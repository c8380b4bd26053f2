// The temporary zone files temp/temp<code>.zon: a zone's surface rows, 14 lines per row in
// the surface table's column order, then "end"; the last zone file of a sketch export also
// ends with "9999". The project reader and the sketch export write them; the zone-description
// step reads them back (every reader stops at "end").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontend/model/project_model.h"

namespace kalvano::model {

inline constexpr int kZoneFileFields = 14;
inline constexpr std::string_view kZoneFileEnd = "end";
inline constexpr std::string_view kSketchEnd = "9999";

// The path of a zone's file: AppDir/temp/temp<code>.zon.
std::string ZoneFilePath(const ProjectModel& m, std::string_view code);

// The text of a zone file: `values` holds 14 texts per surface row, written one per line;
// then "end", and "9999" when `lastOfSketch`. Lines end with CR LF.
std::string ZoneFileText(const std::vector<std::string>& values, bool lastOfSketch);

}  // namespace kalvano::model
