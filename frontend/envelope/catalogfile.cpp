#include "frontend/envelope/catalogfile.h"

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/project_model.h"

namespace kalvano::envelope {

namespace {

constexpr double kUFactor = 5.6782628;   // Btu/(h ft2 F) to W/(m2 C)
constexpr double kSquareFoot = 0.09290304;

std::string Converted(double value, int decimals) {
  return model::RightAlign(model::NumberText(model::RoundTo(value, decimals)), 6);
}

}  // namespace

std::string UFactorToSI(std::string_view ip) { return Converted(model::Val(ip) * kUFactor, 3); }
std::string CostToSI(std::string_view ip) { return Converted(model::Val(ip) / kSquareFoot, 2); }
std::string UFactorToIP(std::string_view si) { return Converted(model::Val(si) / kUFactor, 3); }
std::string CostToIP(std::string_view si) { return Converted(model::Val(si) * kSquareFoot, 2); }

CatalogTable ReadCatalog(std::string_view text, int unitSystem) {
  const std::vector<std::string> lines = model::SplitLines(text);
  const std::size_t entries = model::CatalogueEntries(lines, kCatalogColumns);
  if (entries > static_cast<std::size_t>(kCatalogEntries)) {
    throw model::FileError(model::kErrPastEndOfFile, "more than 31 catalogue entries");
  }
  CatalogTable table;
  for (std::size_t k = 0; k < entries; ++k) {
    for (std::size_t c = 0; c < kCatalogColumns; ++c) table[c][k] = lines[k * kCatalogColumns + c];
    if (unitSystem == model::kSI) {
      table[2][k] = UFactorToSI(table[2][k]);
      table[6][k] = CostToSI(table[6][k]);
    }
  }
  return table;
}

std::string ReadCatalogText(const std::string& path) {
  std::string text = model::ReadWholeFile(path);
  if (model::HoldsNothing(text)) throw model::EmptyFileError(path);
  model::CatalogueFileEntries(text, kCatalogColumns, path);
  return text;
}

CatalogTable ReadCatalogFile(const std::string& path, int unitSystem) {
  return ReadCatalog(ReadCatalogText(path), unitSystem);
}

std::string CatalogText(const CatalogTable& table, int unitSystem) {
  model::AtomicFile text({});
  for (std::size_t k = 0; k < kCatalogEntries && !table[0][k].empty(); ++k) {
    for (std::size_t c = 0; c < kCatalogColumns; ++c) {
      std::string value = table[c][k];
      if (unitSystem == model::kSI && c == 2) value = UFactorToIP(value);
      if (unitSystem == model::kSI && c == 6) value = CostToIP(value);
      text.line(value);
    }
  }
  return text.content();
}

std::string CatalogRefusal(const CatalogTable& table) {
  // The first entry always: a catalogue of no entry would be an empty file, which no window
  // opens.
  for (std::size_t k = 0; k < kCatalogEntries && (k == 0 || !table[0][k].empty()); ++k) {
    double id = 0;
    if (!model::ParseNumber(table[0][k], id) || id != double(k + 1)) {
      return "The ID of entry " + std::to_string(k + 1) + " must be " + std::to_string(k + 1) +
             ", its place in the catalog.  Nothing has been saved.";
    }
  }
  return {};
}

}  // namespace kalvano::envelope
