// The project's weather shown in the weather window after a save in either unit system: the
// unit-converting writers put the station elevation further right than the window writes it,
// and the window, its design temperatures and the simulation must still take the same value.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/freescan.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_file.h"
#include "frontend/model/project_model.h"
#include "frontend/model/weather_stats.h"
#include "frontend/weather/weatherlib.h"
#include "tests/frontend/model/test_support.h"

namespace kalvano::weather {
namespace {

// The elevation as the station line holds it: its last number, wherever it stands.
float StoredElevation(const std::string& line) {
  const std::vector<std::string> words = model::SplitWords(line);
  return words.empty() ? -1.0f : static_cast<float>(model::Val(words.back()));
}

// The elevation in feet that the simulation reads from the project's run file: the fourth
// number scanned from column 56 of the station line.
double RunElevation(model::ProjectModel m) {
  model::AtomicFile run("");
  model::BuildInputBody(m, run, m.UnitSystem == model::kSI ? model::BodyWriter::ToInchPound : model::BodyWriter::AsHeld,
                        {});
  const std::vector<std::string> lines = model::SplitLines(run.content());
  std::size_t station = 0;
  while (station < lines.size() && lines[station] != "WEATHER") ++station;
  station += 2;
  std::vector<double> values;
  if (station < lines.size() && lines[station].size() > 55) {
    freescan::Scan(std::string_view(lines[station]).substr(55, freescan::kStationWidth),
                   [&values](double v) { values.push_back(v); }, [](std::string_view) {});
  }
  return values.size() == 4 ? values[3] : -1.0;
}

// The design temperatures the program derives from the model's weather block.
std::array<std::string, 4> DesignTemps(model::ProjectModel m) {
  model::WeatherStatsToIP(m);
  model::ComputeDesignTemps(m);
  return m.DesTemps;
}

// Each sample saved as held and in the other unit system, and saved back again, then reopened
// as the save dialog reopens it: the weather window shows the elevation that the file holds,
// and accepting the window unchanged keeps that elevation and the design temperatures.
TEST(WeatherUnits, a_project_saved_in_either_unit_system_shows_its_elevation_and_keeps_it) {
  struct Case {
    const char* sample;
    std::vector<bool> savesAsSI;  // the saves made one after the other
  };
  const Case cases[] = {
      {"SampleSchool.inp", {true}},         {"SampleSchool.inp", {false}},
      {"SampleSchool.inp", {false, true}},  {"SampleProject.inp", {false}},
      {"SampleProject.inp", {true}},        {"SampleProject.inp", {true, false}},
  };
  for (const Case& c : cases) {
    for (std::size_t saves = 1; saves <= c.savesAsSI.size(); ++saves) {
      SCOPED_TRACE(testing::Message() << c.sample << ", save " << saves << (c.savesAsSI[saves - 1] ? " as SI" : " as IP"));
      const model::test::TempBase base;
      auto m = model::test::NewModel(base.dir());
      model::ReadInputFile(*m, std::string(KALVANO_SOURCE_DIR) + "/data/sample/" + c.sample);
      for (std::size_t s = 0; s < saves; ++s) {
        // The save dialog's writers: as held in the model's units, converted in the other.
        const bool toSI = c.savesAsSI[s];
        const bool held = toSI == (m->UnitSystem == model::kSI);
        const model::BodyWriter body = held ? model::BodyWriter::AsHeld
                                            : toSI ? model::BodyWriter::ToSI : model::BodyWriter::ToInchPound;
        const std::string saved = base.path("saved" + std::to_string(s) + ".inp");
        model::WriteProjectFile(*m, saved, toSI ? "SI" : "IP", body);
        model::ReadInputFile(*m, saved);
        ASSERT_EQ(m->UnitSystem, toSI ? model::kSI : model::kInchPound);
      }
      const float stored = StoredElevation(m->WeatherBlock[2]);

      std::string mark;
      const WeatherEntry shown = EntryOfBlock(m->WeatherBlock, mark);
      EXPECT_FLOAT_EQ(static_cast<float>(model::Val(shown.elevation)), model::RoundTo(stored, 1))
          << m->WeatherBlock[2];

      // OK >> with nothing edited.
      std::string location, refusal;
      const auto block = WeatherBlockLines(shown, mark, m->UnitSystem, location, refusal);
      ASSERT_EQ(refusal, "");
      model::ProjectModel accepted = *m;
      for (int i = 1; i <= model::kWeatherLines; ++i) accepted.WeatherBlock[i] = block[static_cast<std::size_t>(i)];
      EXPECT_EQ(RunElevation(accepted), RunElevation(*m)) << accepted.WeatherBlock[2];
      EXPECT_EQ(DesignTemps(accepted), DesignTemps(*m));
    }
  }
}

}  // namespace
}  // namespace kalvano::weather
