// The help texts without a widget: the contents window's topics, the format examples, and
// reading a help file whole.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace kalvano::shell {

// A help file under the help folder and the title of its viewer caption.
struct HelpTopic {
  std::string_view file;
  std::string_view title;
};

// The contents window's three topics, 1..3 at index 0..2.
const std::array<HelpTopic, 3>& ContentTopics();

// A viewer caption: the topic title, " -- " and the project file.
std::string HelpCaption(std::string_view title, std::string_view projectFile);

// The contents window's caption.
std::string ContentCaption(std::string_view projectFile);

// The example file and caption of a weather-file format: 1 TMY2, 2 WYEC2, 3 IWEC, any other
// number Custom.
HelpTopic FormatExample(int format);

// "helpinfo/<name>" under the base folder.
std::filesystem::path HelpFile(const std::filesystem::path& appDir, std::string_view name);

}  // namespace kalvano::shell
