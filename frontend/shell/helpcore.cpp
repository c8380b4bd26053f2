#include "frontend/shell/helpcore.h"


#include "common/runfiles.h"

namespace kalvano::shell {

const std::array<HelpTopic, 3>& ContentTopics() {
  static constexpr std::array<HelpTopic, 3> kTopics{{
      {"mainhlp2.txt", "INTRODUCTION TO KAL-VANO 6"},
      {"help1.txt", "Learning KAL-VANO"},
      {"mainhlp1.txt", "ABOUT KAL-VANO 6"},
  }};
  return kTopics;
}

std::string HelpCaption(std::string_view title, std::string_view projectFile) {
  std::string caption(title);
  caption += " -- ";
  caption += projectFile;
  return caption;
}

std::string ContentCaption(std::string_view projectFile) {
  return HelpCaption("KAL-VANO 6 Help", projectFile);
}

HelpTopic FormatExample(int format) {
  switch (format) {
    case 1: return {"tmy2.txt", "Example of TMY2 format"};
    case 2: return {"wyec2.txt", "Example of WYEC2 format"};
    case 3: return {"iwec.txt", "Example of IWEC format"};
    default: return {"custom.txt", "Example of Custom format"};
  }
}

std::filesystem::path HelpFile(const std::filesystem::path& appDir, std::string_view name) {
  return appDir / files::kHelpDir / std::filesystem::path(std::string(name));
}

}  // namespace kalvano::shell
