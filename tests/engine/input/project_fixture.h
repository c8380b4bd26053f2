// Runs the project reader on a project file given as lines, in a fresh folder, and hands
// back the state and the texts of the files it wrote.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "engine/core/state.h"

namespace kv::testing {

using Lines = std::vector<std::string>;

inline std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// The lines of a file, without their CR LF.
inline Lines splitLines(const std::string& text) {
  Lines out;
  std::string cur;
  for (char c : text) {
    if (c == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      out.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

inline Lines loadFixture(const std::string& name) {
  return splitLines(slurp(std::filesystem::path(KALVANO_TEST_DIR) / "fixtures" / name));
}

// A new, empty folder of its own (tests run in parallel processes).
inline std::filesystem::path freshDir() {
  const auto root = std::filesystem::temp_directory_path() / "kalvano-input-tests";
  std::filesystem::create_directories(root);
  std::string tmpl = (root / "runXXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("cannot make a folder under " + root.string());
  return tmpl;
}

inline void writeFile(const std::filesystem::path& p, const Lines& lines, bool crlf = true) {
  std::ofstream out(p, std::ios::binary);
  for (const auto& l : lines) out << l << (crlf ? "\r\n" : "\n");
}

// The line index of the n-th line (from 1) that begins with label.
inline std::size_t find(const Lines& lines, const std::string& label, int n = 1) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].compare(0, label.size(), label) == 0 && --n == 0) return i;
  throw std::runtime_error("fixture has no line " + label);
}

// The line index of the n-th line that is exactly text.
inline std::size_t findExact(const Lines& lines, const std::string& text, int n = 1) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == text && --n == 0) return i;
  throw std::runtime_error("fixture has no line " + text);
}

// Replaces the value (from column 11) of the n-th line with this label.
inline void setValue(Lines& lines, const std::string& label, const std::string& value, int n = 1) {
  auto& l = lines[find(lines, label, n)];
  l = l.substr(0, 10) + value;
}

}  // namespace kv::testing

#include "engine/input/readproject.h"

namespace kv::testing {

struct ReadResult {
  std::unique_ptr<EngineState> s;
  std::string monitor;
  Lines monitorLines;
  std::string comfort;
  std::string summary;
  int errors = 0;  // the run's total after the reader
  bool ended = false;  // the reading stopped early (the file ended where a line was needed)
  int count(const std::string& text) const {
    int n = 0;
    for (const auto& l : monitorLines)
      if (l.find(text) != std::string::npos) ++n;
    return n;
  }
  bool hasLine(const std::string& line) const {
    for (const auto& l : monitorLines)
      if (l == line) return true;
    return false;
  }
};

// Reads the header line as the main program does, then the rest through RDPROJ.
inline ReadResult readProject(const Lines& lines, int runType = 3, bool crlf = true,
                              const std::function<void(EngineState&)>& before = {}) {
  ReadResult r;
  r.s = std::make_unique<EngineState>();
  EngineState& s = *r.s;
  const auto dir = freshDir();
  writeFile(dir / "tavik$.inp", lines, crlf);
  s.runpar.IRUN = runType;
  s.runpar.IDAY1 = 1;
  s.runpar.IDAY2 = 365;
  s.runpar.NPAGE = 1;
  s.runpar.IRYR = 2026;
  s.runpar.IRMO = 12;
  s.runpar.IRDA = 10;
  s.mainpg.IHOUR = 9;
  s.mainpg.IMIN = 5;
  if (before) before(s);
  s.files.project.open((dir / "tavik$.inp").string());
  s.files.monitor.open((dir / "monitor.txt").string());
  s.files.comfort.open((dir / "tavik$.flt").string());
  s.files.wsummary.open((dir / "eweth$.sum").string());
  std::string header;
  s.files.project.readLine(header);
  try {
    RDPROJ(s);
  } catch (const InputFault& e) {
    // As the main program does: a fault not yet written is one more error.
    r.ended = true;
    if (!e.alreadyLogged()) ++s.bldg.NERR;
  }
  s.files.project.close();
  s.files.monitor.close();
  s.files.comfort.close();
  s.files.wsummary.close();
  r.monitor = slurp(dir / "monitor.txt");
  r.monitorLines = splitLines(r.monitor);
  r.comfort = slurp(dir / "tavik$.flt");
  r.summary = slurp(dir / "eweth$.sum");
  r.errors = s.mainpg.NERRT + s.bldg.NERR;
  std::filesystem::remove_all(dir);
  return r;
}

}  // namespace kv::testing
