// Shared pieces of the project-model tests: a temporary base folder and message boxes that
// record what they were asked to show.
#pragma once

#include "frontend/model/helpers.h"
#include "frontend/model/project_model.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <stdlib.h>

namespace kalvano::model::test {

// A fresh base folder with temp/ and sketch/, removed at the end of the test.
class TempBase {
 public:
  TempBase() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "kvmodelXXXXXX").string();
    dir_ = ::mkdtemp(tmpl.data());
    std::filesystem::create_directories(dir_ + "/temp");
    std::filesystem::create_directories(dir_ + "/sketch");
  }
  ~TempBase() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempBase(const TempBase&) = delete;
  TempBase& operator=(const TempBase&) = delete;
  const std::string& dir() const { return dir_; }
  std::string path(const std::string& rel) const { return dir_ + "/" + rel; }
  void write(const std::string& rel, const std::string& bytes) const {
    std::ofstream(path(rel), std::ios::binary) << bytes;
  }
  std::string read(const std::string& rel) const { return slurp(path(rel)); }
  bool exists(const std::string& rel) const { return std::filesystem::exists(path(rel)); }

  static std::string slurp(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::string dir_;
};

inline std::unique_ptr<ProjectModel> NewModel(const std::string& appDir = {}) {
  auto m = std::make_unique<ProjectModel>();
  m->AppDir = appDir;
  return m;
}

struct RecordingBoxes : MessageBoxes {
  struct Shown {
    std::string text, title;
    MsgIcon icon;
  };
  std::vector<Shown> shown;
  int beeps = 0;
  void beep() override { ++beeps; }
  void show(std::string_view text, std::string_view title, MsgIcon icon) override {
    shown.push_back({std::string(text), std::string(title), icon});
  }
};

}  // namespace kalvano::model::test
