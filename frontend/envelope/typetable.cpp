#include "frontend/envelope/typetable.h"

#include "frontend/envelope/catalogfile.h"
#include "frontend/model/atomic_file.h"
#include "frontend/model/numtext.h"

namespace kalvano::envelope {

namespace {

std::string Trim(std::string_view s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  return std::string(s.substr(a, s.find_last_not_of(' ') - a + 1));
}

}  // namespace

const std::string& TypeTable::Cell(int column, int row) const {
  return rows.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
}
std::string& TypeTable::Cell(int column, int row) {
  return rows.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
}

std::array<model::TypeColumn*, 7> KindColumns(model::ProjectModel& m, int kind) {
  if (kind == 1) return {&m.WallId, &m.WallDesc, &m.WallU, &m.WallAbs, &m.WallLag, &m.WallDecr, &m.WallCost};
  return {&m.WinId, &m.WinDesc, &m.WinU, &m.WinShgc, &m.WinEmiss, &m.WinDlTrans, &m.WinCost};
}

TypeTable LoadPropertyTable(model::ProjectModel& m, int kind, std::string_view catalogText) {
  TypeTable t;
  t.kind = kind;
  const CatalogTable catalog = ReadCatalog(catalogText, m.UnitSystem);
  for (int k = 0; k < kTypeRows; ++k) {
    for (int c = 0; c < 7; ++c) t.Cell(c, k + 1) = catalog[static_cast<std::size_t>(c)][static_cast<std::size_t>(k)];
  }
  const auto columns = KindColumns(m, kind);
  for (int r = 1; r <= kShownRows; ++r) {
    if ((*columns[0])[static_cast<std::size_t>(r)].empty()) continue;
    for (int c = 0; c < 7; ++c) t.Cell(c, r) = (*columns[static_cast<std::size_t>(c)])[static_cast<std::size_t>(r)];
  }
  for (int r = 1; r <= kShownRows; ++r) {
    if (t.Cell(0, r).empty()) t.Cell(0, r) = model::NumberText(static_cast<float>(r));
  }
  return t;
}

TypeTable ReadPropertyTable(model::ProjectModel& m, int kind, const std::string& path) {
  const std::string text = model::ReadWholeFile(path);
  model::CatalogueFileEntries(text, kCatalogColumns, path);
  return LoadPropertyTable(m, kind, text);
}

bool IsProjectRow(model::ProjectModel& m, const TypeTable& t, int r) {
  const std::string& desc = t.Cell(1, r);
  return !desc.empty() && !t.Cell(0, r).empty() &&
         desc == (*KindColumns(m, t.kind)[1])[static_cast<std::size_t>(r)];
}

int ProjectTypeCount(model::ProjectModel& m, int kind) {
  int n = 0;
  const model::TypeColumn& ids = *KindColumns(m, kind)[0];
  for (int p = 1; p <= model::kMaxTypeId; ++p) n += ids[static_cast<std::size_t>(p)].empty() ? 0 : 1;
  return n;
}

std::string KindWord(int kind) { return kind == 1 ? "wall" : "window"; }

std::string TooManyTypes(int kind) {
  return "The project already holds 20 " + KindWord(kind) +
         " types, the most a simulation can take.  Choose one of the yellow types.";
}

namespace {

// Whether storing at position r would add a type beyond the 20 a simulation holds.
bool WouldOverflow(model::ProjectModel& m, int kind, int r) {
  const model::TypeColumn& ids = *KindColumns(m, kind)[0];
  return ids[static_cast<std::size_t>(r)].empty() && ProjectTypeCount(m, kind) >= kMaxProjectTypes;
}

void Store(model::ProjectModel& m, const TypeTable& t, int r) {
  const auto columns = KindColumns(m, t.kind);
  for (int c = 0; c < 7; ++c) (*columns[static_cast<std::size_t>(c)])[static_cast<std::size_t>(r)] = t.Cell(c, r);
}

}  // namespace

Choice ChooseRow(model::ProjectModel& m, TypeTable& t, int r, model::MessageBoxes& boxes) {
  if (r < 1 || r > kShownRows || t.Cell(0, r).empty()) return Choice::kNone;
  if (WouldOverflow(m, t.kind, r)) {
    boxes.show(TooManyTypes(t.kind), "Select " + KindWord(t.kind) + " ID", model::MsgIcon::Exclamation);
    return Choice::kRefused;
  }
  model::ZoneEditState& e = m.ZoneEdit;
  const std::string id = " " + Trim(t.Cell(0, r));
  if (t.kind == 1) {
    e.RowWallId.at(static_cast<std::size_t>(e.PickRowWall)) = id;
  } else {
    e.RowWindowId.at(static_cast<std::size_t>(e.PickRowWindow)) = id;
  }
  t.choiceMade = t.kind;
  t.chosenRow = r;
  const auto columns = KindColumns(m, t.kind);
  for (int c = 0; c < 7; ++c) t.beforeChoice[static_cast<std::size_t>(c)] = (*columns[static_cast<std::size_t>(c)])[static_cast<std::size_t>(r)];
  if (IsProjectRow(m, t, r)) model::WarnSharedProfile(boxes);
  Store(m, t, r);
  return Choice::kChosen;
}

void UndoSelect(model::ProjectModel& m, TypeTable& t) {
  if (t.choiceMade == 0) return;
  const auto columns = KindColumns(m, t.kind);
  for (int c = 0; c < 7; ++c) {
    (*columns[static_cast<std::size_t>(c)])[static_cast<std::size_t>(t.chosenRow)] = t.beforeChoice[static_cast<std::size_t>(c)];
  }
  t.choiceMade = 0;
}

KeyVerdict FilterKey(TypeTable& t, int column, int r, char key) {
  if (t.Cell(0, r).empty()) return KeyVerdict::kDrop;
  t.edited.at(static_cast<std::size_t>(r)) = 1;
  if (column == 1) return KeyVerdict::kTake;
  const bool control = key == '\b' || key == '\t' || key == '\r' || key == '\n';
  const bool blank = key == ' ' && column != 4;
  if (control || blank || key == '.' || (key >= '0' && key <= '9')) return KeyVerdict::kTake;
  return KeyVerdict::kWarn;
}

bool StoreRow(model::ProjectModel& m, TypeTable& t, int r, model::MessageBoxes& boxes) {
  if (WouldOverflow(m, t.kind, r)) {
    boxes.show(TooManyTypes(t.kind), "Select " + KindWord(t.kind) + " ID", model::MsgIcon::Exclamation);
    return false;
  }
  Store(m, t, r);
  return true;
}

}  // namespace kalvano::envelope
