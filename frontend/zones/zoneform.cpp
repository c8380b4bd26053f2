#include "frontend/zones/zoneform.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "frontend/shell/keyfilter.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/shell/zoneentry.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/learning.h"
#include "frontend/zones/copytozone.h"
#include "frontend/zones/profilecore.h"
#include "frontend/zones/profilepickers.h"
#include "frontend/zones/venrate.h"
#include "frontend/zones/zonefields.h"
#include "frontend/zones/zonesystems.h"

namespace kalvano::zones {

namespace {

using shell::FromLocal;
using shell::Latin1;

constexpr std::size_t At(int i) { return static_cast<std::size_t>(i); }

// A caption that depends on the unit system; `si` is null when both systems show `ip`.
struct UnitCaption {
  const char* name;
  const char* ip;
  const char* si;
};

// The headings of the surface columns, in column order.
constexpr std::array<UnitCaption, kSurfaceColumns> kHeadings{{
    {"Label32", "Wall  ID.   No.", nullptr},
    {"Label33", "  Wall     Area    (sq.ft)", "  Wall     Area    (sq.m.)"},
    {"Label34", "   Orient. fromNorth    (deg)", nullptr},
    {"Label35", " Surface Exposure   (1 to 7)", nullptr},
    {"Label36", "    Exterior         Shade      RLTF fract. ", nullptr},
    {"Label37", "Window     ID.        No.", nullptr},
    {"Label38", " Glass  Area (sq.ft.)", " Glass  Area (sq.m.)"},
    {"Label39", "Roof-  wall slope", nullptr},
    {"Label57", " S/ W/    B", nullptr},
    {"Label40", " Ven.   Blind 0 or 1", nullptr},
    {"Label41", "  Diff. Shade Trans.", nullptr},
    {"Label42", "   Sill      Ht.      (ft)", "   Sill      Ht.      (m.)"},
    {"Label43", " Ht. of  window    top", nullptr},
    {"Label45", "Ground Reflec. (fract.)", nullptr},
}};

// The unit captions of the zone fields.
constexpr std::array<UnitCaption, 8> kFieldUnits{{
    {"Label3", "psf", "kg/sq.m."},
    {"Label13", "Gal/day /person", "Ltr/day /person"},
    {"Label48", " Cost  $/sq.ft.", " Cost  $/sq.m."},
    {"Label17", "Watt/sq.ft.", "Watt/ sq.m."},
    {"Label50", "Nat. Vent.  cfm/sq.ft.", "Nat. Vent. L/s/sq.m."},
    {"Label49", "Daylighting   Depth (ft)", "Daylighting   Depth (m)"},
    {"Label53", "Target Ft  Candles", "  Target       Lux"},
    {"Label54", " Cool. SEER", " Cool.  COP"},
}};

// Control-array names of the surface columns.
constexpr std::array<const char*, kSurfaceColumns> kColumnNames{
    "wallid", "wallarea", "orient", "surf",  "shade", "windowid", "winarea",
    "slope",  "swb",      "blind",  "diff",  "sill",  "topwin",   "reflect"};

// Text colours of the table's boxes: red for a refused value, dark blue for entry.
const QColor kRed(255, 0, 0);
const QColor kDarkBlue(0, 0, 128);

QPointer<zoneform>& Loaded() {
  static QPointer<zoneform> window;
  return window;
}

QLabel* Caption(QWidget* parent, const char* text, const char* name = nullptr) {
  auto* label = new QLabel(Latin1(text), parent);
  label->setTextFormat(Qt::PlainText);
  if (name != nullptr) label->setObjectName(name);
  return label;
}

}  // namespace

zoneform::zoneform(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("zoneform");
  setWindowTitle(FromLocal("Zone Description -- " + shell::Model().ProjectFile));

  auto* bar = new QMenuBar(this);
  const auto addMenu = [&](std::size_t i, const char* title, const char* name,
                           std::initializer_list<const char*> items) {
    QMenu* menu = bar->addMenu(Latin1(title));
    menu->setObjectName(name);
    for (const char* item : items) menu->addAction(Latin1(item));
    menu->menuAction()->setEnabled(false);
    menus_[i] = menu;
  };
  addMenu(0, "Profiles", "Profilemenu",
          {"Occupancy", "Hot Water", "Ventilation", "Lights & Equipment", "Temperature"});
  addMenu(1, "HVAC System", "hvac", {"AC Type", "Heating Type"});
  addMenu(2, "Lighting", "lightingmenu",
          {"1. Fluorescent", "2. Incandescent", "3. High Pressure Sodium",
           "4. Low Pressure Sodium", "5. Halogen", "6. Mercury"});
  addMenu(3, "Surface Exp.", "surfacemenu",
          {"1. Asphalt", "2. Concrete", "3. Grass", "4. Trees", "5. Water", "6. Roof",
           "7. Underground"});
  addMenu(4, "Properties", "properties", {"Wall & Roof", "Window & Skylight"});
  addMenu(5, "Help", "helpitem", {"Tutorial"});

  auto* outer = new QVBoxLayout(this);
  outer->setMenuBar(bar);

  for (int i = 1; i <= model::kZoneFields; ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("zone(%1)").arg(i));
    box->setMaximumWidth(i == 2 ? 260 : (i == 9 ? 90 : 70));
    box->setValidator(new shell::Latin1Validator(box));
    shell::InstallKeyFilter(box, this);
    // A field whose text changes, by the user or by a menu, picker or dialog, is marked
    // changed in the current zone.
    connect(box, &QLineEdit::textChanged, this, [this, i] {
      if (loadingFields_) return;
      model::ProjectModel& m = shell::Model();
      m.ZoneEdit.FieldChanged[At(m.CurrentZone)][At(i)] = 1;
    });
    if (i == 1) box->setReadOnly(true);  // the zone number takes no key
    zone_[At(i)] = box;
  }

  // Zone and building.
  auto* head = new QHBoxLayout;
  head->addWidget(Caption(this, "Zone No:"));
  head->addWidget(zone(1));
  head->addWidget(zone(2));
  head->addWidget(Caption(this, "Floor Area:"));
  head->addWidget(zone(3));
  head->addWidget(Caption(this, "Internal Floor Mass:"));
  head->addWidget(zone(4));
  head->addWidget(Caption(this, "psf", "Label3"));
  head->addSpacing(16);
  head->addWidget(Caption(this, "Bldg. Type:"));
  builtype_ = Caption(this, "", "builtype");
  builname_ = Caption(this, "", "builname");
  builloc_ = Caption(this, "", "builloc");
  head->addWidget(builtype_);
  head->addWidget(builname_);
  head->addWidget(builloc_);
  head->addStretch(1);
  outer->addLayout(head);

  // The zone fields in their groups: caption above box.
  const auto group = [this](const char* title,
                            std::initializer_list<std::pair<QWidget*, QWidget*>> cols,
                            int perRow = 8) {
    auto* g = new QGroupBox(Latin1(title), this);
    auto* grid = new QGridLayout(g);
    int c = 0;
    for (const auto& [cap, box] : cols) {
      grid->addWidget(cap, 2 * (c / perRow), c % perRow);
      grid->addWidget(box, 2 * (c / perRow) + 1, c % perRow);
      ++c;
    }
    return g;
  };
  natvent_ = new shell::ClickLabel(QString(), this);
  natvent_->setObjectName("natvent");
  dayt_ = new shell::ClickLabel(QString(), this);
  dayt_->setObjectName("dayt");
  econcycle_ = new shell::ClickLabel(QString(), this);
  econcycle_->setObjectName("Econcycle");
  for (QLabel* sw : {natvent_, dayt_, econcycle_}) {
    sw->setFrameShape(QFrame::Panel);
    sw->setFrameShadow(QFrame::Sunken);
    sw->setMinimumWidth(40);
  }
  auto* groups = new QHBoxLayout;
  groups->addWidget(group(" Occupancy", {{Caption(this, "No. of  people"), zone(5)},
                                         {Caption(this, "Prof. No."), zone(6)}}));
  groups->addWidget(group("   Hot Water", {{Caption(this, "Gal/day /person", "Label13"), zone(7)},
                                           {Caption(this, "Prof.  No."), zone(8)}}));
  groups->addWidget(group("  Ventilation", {{Caption(this, "Rate"), zone(9)},
                                            {Caption(this, "Prof. No."), zone(10)}}));
  groups->addWidget(group("         Lights + Equipment",
                          {{Caption(this, "Light. Type"), zone(11)},
                           {Caption(this, " Cost  $/sq.ft.", "Label48"), zone(12)},
                           {Caption(this, "Watt/sq.ft.", "Label17"), zone(13)},
                           {Caption(this, "Equip"), zone(14)},
                           {Caption(this, "Prof. No."), zone(15)}}));
  groups->addWidget(group(" Temp. Profiles", {{Caption(this, " Normal"), zone(16)},
                                              {Caption(this, " Normal"), zone(17)},
                                              {Caption(this, "Holiday"), zone(18)},
                                              {Caption(this, "Holiday"), zone(19)}}));
  groups->addStretch(1);
  outer->addLayout(groups);
  auto* hvacRow = new QHBoxLayout;
  hvacRow->addWidget(group("  HVAC System",
                           {{Caption(this, "AC type"), zone(20)},
                            {Caption(this, " 1 to 9"), new QWidget(this)},
                            {Caption(this, "Heating"), zone(21)},
                            {Caption(this, " 1 to 3"), new QWidget(this)},
                            {Caption(this, "Static  Pres."), zone(26)},
                            {Caption(this, " Cool. SEER", "Label54"), zone(27)},
                            {Caption(this, "Heat  COP"), zone(28)},
                            {Caption(this, "First  Cost ($/ton)"), zone(29)},
                            {Caption(this, " Maint.  Cost"), zone(30)},
                            {Caption(this, " Econ  Cycle"), econcycle_},
                            {Caption(this, " Nat. Vent.   (Yes/No)"), natvent_},
                            {Caption(this, "Nat. Vent.  cfm/sq.ft.", "Label50"), zone(22)},
                            {Caption(this, " Infiltration Rate (ACH)"), zone(23)},
                            {Caption(this, " Daylight (Yes/No)"), dayt_},
                            {Caption(this, "Daylighting   Depth (ft)", "Label49"), zone(24)},
                            {Caption(this, "Target Ft  Candles", "Label53"), zone(25)}},
                           10));
  hvacRow->addStretch(1);
  outer->addLayout(hvacRow);

  // The surface table: headings, 11 lines of 14 boxes, the scroll bar beside them.
  auto* headingRow = new QHBoxLayout;
  headingRow->setSpacing(2);
  auto* table = new QGridLayout;
  table->setHorizontalSpacing(2);
  table->setVerticalSpacing(1);
  for (int c = 0; c < kSurfaceColumns; ++c) {
    QLabel* heading = Caption(this, kHeadings[At(c)].ip, kHeadings[At(c)].name);
    heading->setWordWrap(true);
    heading->setFixedSize(64, heading->fontMetrics().lineSpacing() * 4);
    QSizePolicy fixed(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fixed.setHeightForWidth(false);
    heading->setSizePolicy(fixed);
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    headings_[At(c)] = heading;
    headingRow->addWidget(heading, 0, Qt::AlignBottom);
    for (int k = 1; k <= kVisibleLines; ++k) {
      auto* box = new QLineEdit(this);
      box->setObjectName(QString("%1(%2)").arg(kColumnNames[At(c)]).arg(k));
      box->setFixedWidth(64);
      QPalette p = box->palette();
      p.setColor(QPalette::Text, kDarkBlue);
      box->setPalette(p);
      box->setValidator(new shell::Latin1Validator(box));
      shell::InstallKeyFilter(box, this);
      connect(box, &QLineEdit::textEdited, this,
              [this, c, k](const QString& text) { SurfaceChange(c, k, text); });
      cells_[At(c)][At(k)] = box;
      table->addWidget(box, k - 1, c);
    }
  }
  // The exterior-shade column is as wide as the longest codes the sketch writes, three
  // pieces of four characters.
  const int shadeWidth = std::max(64, shell::LineEditWidth(cells_[At(colShade)][1],
                                                           {" N0. N0. N0.", " R1. L1. F1.", " T   T   N0."}));
  headings_[At(colShade)]->setFixedWidth(shadeWidth);
  for (int k = 1; k <= kVisibleLines; ++k) cells_[At(colShade)][At(k)]->setFixedWidth(shadeWidth);
  envscroll_ = new QScrollBar(Qt::Vertical, this);
  envscroll_->setObjectName("envscroll");
  envscroll_->setRange(kScrollTop, kScrollBottom);
  envscroll_->setPageStep(kScrollPage);
  envscroll_->setSingleStep(1);
  envscroll_->setValue(kScrollTop);
  connect(envscroll_, &QScrollBar::valueChanged, this, [this](int) { envscroll_Change(); });
  table->addWidget(envscroll_, 0, kSurfaceColumns, kVisibleLines, 1);
  headingRow->addStretch(1);
  outer->addLayout(headingRow);
  auto* tableRow = new QHBoxLayout;
  tableRow->addLayout(table);
  tableRow->addStretch(1);
  outer->addLayout(tableRow);

  // The copy frames and the buttons.
  auto* bottom = new QHBoxLayout;
  frame1_ = new QGroupBox(Latin1("E-Z Parameter Copy"), this);
  frame1_->setObjectName("Frame1");
  {
    auto* v = new QVBoxLayout(frame1_);
    v->addWidget(Caption(frame1_, "After changes, copy changes to:", "Label63"));
    copyzone_[0] = new QPushButton(Latin1("Selected Zones ..."), frame1_);
    copyall_[0] = new QPushButton(Latin1("All Zones"), frame1_);
    v->addWidget(copyzone_[0]);
    v->addWidget(copyall_[0]);
  }
  frame2_ = new QGroupBox(Latin1("E-Z Window Sizer"), this);
  frame2_->setObjectName("Frame2");
  {
    auto* grid = new QGridLayout(frame2_);
    QLabel* hint = Caption(frame2_,
                           "To set same glazing fraction on all walls, set fractional value for "
                           "each elevation, then click correct box below...",
                           "Label65");
    hint->setWordWrap(true);
    grid->addWidget(hint, 0, 0, 1, 4);
    const std::array<const char*, 4> elevations{"North", "East", "South", "West"};
    for (int e = 0; e < 4; ++e) {
      grid->addWidget(Caption(frame2_, elevations[At(e)]), 1, e);
      auto* area = new QLineEdit(frame2_);
      area->setObjectName(QString("ElevArea(%1)").arg(e));
      area->setFixedWidth(56);
      area->setValidator(new shell::Latin1Validator(area));
      elevArea_[At(e)] = area;
      grid->addWidget(area, 2, e);
    }
    grid->addWidget(Caption(frame2_, "Apply new window areas to:", "Label66"), 3, 0, 1, 2);
    copyzone_[1] = new QPushButton(Latin1("Selected Zones ..."), frame2_);
    copyall_[1] = new QPushButton(Latin1("All Zones"), frame2_);
    grid->addWidget(copyzone_[1], 3, 2);
    grid->addWidget(copyall_[1], 3, 3);
  }
  for (int i : {0, 1}) {
    copyzone_[At(i)]->setObjectName(QString("copyzone(%1)").arg(i));
    copyall_[At(i)]->setObjectName(QString("copyall(%1)").arg(i));
    connect(copyzone_[At(i)], &QPushButton::clicked, this, [this, i] { copyzone_Click(i); });
    connect(copyall_[At(i)], &QPushButton::clicked, this, [this, i] { copyall_Click(i); });
  }
  bottom->addWidget(frame1_);
  bottom->addWidget(frame2_);
  bottom->addStretch(1);
  auto* buttons = new QVBoxLayout;
  okey_ = new QPushButton(Latin1("OK"), this);
  okey_->setObjectName("okey");
  cancel_ = new QPushButton(Latin1("Cancel"), this);
  cancel_->setObjectName("cancel");
  undo_ = new QPushButton(Latin1("Undo Last"), this);
  undo_->setObjectName("undo");
  buttons->addWidget(okey_);
  buttons->addWidget(cancel_);
  buttons->addWidget(undo_);
  buttons->addStretch(1);
  bottom->addLayout(buttons);
  outer->addLayout(bottom);
  connect(okey_, &QPushButton::clicked, this, &zoneform::okey_Click);
  connect(undo_, &QPushButton::clicked, this, &zoneform::Undo_Click);
  // The Profiles, Lighting, Surface Exp. and Help menus.
  const auto wire = [this](QMenu* menu, const char* name, int first, auto handler) {
    const QList<QAction*> items = menu->actions();
    for (int i = 0; i < items.size(); ++i) {
      const int index = first + i;
      items[i]->setObjectName(QString("%1(%2)").arg(name).arg(index));
      connect(items[i], &QAction::triggered, this, [this, handler, index] { (this->*handler)(index); });
    }
    menu->menuAction()->setEnabled(true);
  };
  wire(menus_[0], "profile", 1, &zoneform::profile_Click);
  wire(menus_[2], "light", 1, &zoneform::light_Click);
  wire(menus_[3], "surface", 0, &zoneform::surface_Click);
  menus_[5]->actions().value(0)->setObjectName("tutorial");
  connect(menus_[5]->actions().value(0), &QAction::triggered, this, &zoneform::tutorial_Click);
  menus_[5]->menuAction()->setEnabled(true);
  // The Properties menu opens the type tables.
  if (shell::HasWindowOpener(shell::window::wallwin)) {
    const QList<QAction*> items = menus_[4]->actions();
    for (int i = 0; i < items.size() && i < 2; ++i) {
      items[i]->setObjectName(QString("wprof(%1)").arg(i + 1));
      connect(items[i], &QAction::triggered, this, [this, i] { wprof_Click(i + 1); });
    }
    menus_[4]->menuAction()->setEnabled(true);
  }
  // The AC Type menu of the HVAC System menu and the two switches.
  {
    QMenu* hvacMenu = menus_[1];
    QAction* acTypes = hvacMenu->actions().value(0);
    auto* acMenu = new QMenu(Latin1("AC Type"), this);
    acMenu->setObjectName("actypesitem");
    acTypes->setMenu(acMenu);
    const std::array<const char*, 10> systems{
        "", "1. Variable Air Volume", "2. Double Duct", "3. Multizone", "4. Fan Coil Units",
        "5. Roof Top Units", "6. DX Residential", "7. DX Res Heat Pump", "8. DX Window Unit",
        "9. Evaporative Cooling"};
    for (int n = 1; n <= 9; ++n) {
      ac_[At(n)] = acMenu->addAction(Latin1(systems[At(n)]));
      ac_[At(n)]->setObjectName(QString("ac(%1)").arg(n));
      connect(ac_[At(n)], &QAction::triggered, this, [this, n] { ac_Click(n); });
    }
    auto* heatMenu = new QMenu(Latin1("Heating Type"), this);
    heatMenu->setObjectName("heatingitem");
    hvacMenu->actions().value(1)->setMenu(heatMenu);
    for (const char* item : {"1. Gas", "2. Elec. Resistance", "3. Heat Pump"}) {
      heatMenu->addAction(Latin1(item));
    }
    wire(heatMenu, "heat", 1, &zoneform::heat_Click);
    hvacMenu->menuAction()->setEnabled(true);
  }
  connect(static_cast<shell::ClickLabel*>(natvent_), &shell::ClickLabel::clicked, this,
          &zoneform::natvent_Click);
  connect(static_cast<shell::ClickLabel*>(dayt_), &shell::ClickLabel::clicked, this,
          &zoneform::dayt_Click);
  connect(static_cast<shell::ClickLabel*>(econcycle_), &shell::ClickLabel::clicked, this,
          &zoneform::Econcycle_Click);
  connect(cancel_, &QPushButton::clicked, this, &zoneform::cancel_Click);

  adjustSize();
  shell::CentreOnScreen(this);
}

QLineEdit* zoneform::cell(int column, int line) const {
  return cells_.at(At(column)).at(At(line));
}

QLabel* zoneform::caption(const char* name) const { return findChild<QLabel*>(name); }

void zoneform::LoadZone() {
  const model::ProjectModel& m = shell::Model();
  const std::size_t z = At(m.CurrentZone);
  builtype_->setText(Latin1(m.ProjectData[0]));
  builname_->setText(Latin1(m.ProjectData[1]));
  builloc_->setText(Latin1(m.ProjectData[3]));
  ShowFields(m.ZoneData[z]);
  pickerOpenedWith_ = m.ZoneData[z];
  undoFieldIndex_ = 0;
  zone(22)->setEnabled(m.ZoneNatVent[z] == "Yes");
  zone(24)->setEnabled(m.ZoneDaylight[z] == "Yes");
  zone(25)->setEnabled(m.ZoneDaylight[z] == "Yes");
  natvent_->setText(Latin1(m.ZoneNatVent[z]));
  dayt_->setText(Latin1(m.ZoneDaylight[z]));
  econcycle_->setText(Latin1(m.ZoneEconCycle[z]));
  fractionAlertShown_ = 0;
  ResetScroll();
  RenderSurfaceTable();
  Form_Activate();
}

void zoneform::RefreshZoneForm(int field, int16_t noPick,
                               const std::array<int16_t, 5>& slotChoice) {
  model::ProjectModel& m = shell::Model();
  const std::size_t z = At(m.CurrentZone);
  builtype_->setText(Latin1(m.ProjectData[0]));
  builname_->setText(Latin1(m.ProjectData[1]));
  builloc_->setText(Latin1(m.ProjectData[3]));
  std::array<std::string, model::kZoneFields + 1> shown = m.ZoneData[z];
  for (int i = 1; i <= model::kZoneFields; ++i) {
    const std::string now = zone(i)->text().toLatin1().toStdString();
    if (now != pickerOpenedWith_[At(i)]) shown[At(i)] = now;
  }
  ShowFields(shown);
  if (noPick != 1) {
    if (field != 0) SetField(field, " " + std::to_string(m.ZoneEdit.PickerProfileNo));
    for (int s = 1; s <= 4; ++s) {
      const int16_t k = slotChoice[At(s)];
      if (k == 0) continue;
      const std::string digits = std::to_string(k);
      SetField(15 + s, digits);
      m.ZoneData[z][At(15 + s)] = digits;
    }
  }
  natvent_->setText(Latin1(m.ZoneNatVent[z]));
  if (SwitchOn(m.ZoneNatVent[z])) zone(22)->setEnabled(true);
  dayt_->setText(Latin1(m.ZoneDaylight[z]));
  if (SwitchOn(m.ZoneDaylight[z])) {
    zone(24)->setEnabled(true);
    zone(25)->setEnabled(true);
  }
  econcycle_->setText(Latin1(m.ZoneEconCycle[z]));
  RenderSurfaceTable();
  pickerOpenedWith_ = Texts().zone;
}

void zoneform::Form_Activate() {
  const bool si = shell::Model().UnitSystem == model::kSI;
  for (const auto& list : {std::vector<UnitCaption>(kHeadings.begin(), kHeadings.end()),
                           std::vector<UnitCaption>(kFieldUnits.begin(), kFieldUnits.end())}) {
    for (const UnitCaption& c : list) {
      if (QLabel* label = caption(c.name); label != nullptr) {
        label->setText(Latin1(si && c.si != nullptr ? c.si : c.ip));
      }
    }
  }
}

void zoneform::RenderSurfaceTable() {
  const model::ZoneEditState& e = shell::Model().ZoneEdit;
  for (int c = 0; c < kSurfaceColumns; ++c) {
    const auto& rows = RowColumn(e, c);
    for (int k = 1; k <= kVisibleLines; ++k) {
      const int row = RowOfLine(topOffset_, k);
      cell(c, k)->setText(Latin1(row <= model::kMaxSurfaces ? rows[At(row)] : std::string()));
    }
  }
}

void zoneform::ResetScroll() {
  const QSignalBlocker block(envscroll_);
  envscroll_->setValue(kScrollTop);
  topOffset_ = 0;
  tableScrolled_ = 0;
}

void zoneform::envscroll_Change() {
  tableScrolled_ = 1;
  topOffset_ = envscroll_->value() - 1;
  RenderSurfaceTable();
}

void zoneform::SurfaceChange(int column, int index, const QString& text) {
  const int row = RowOfLine(topOffset_, index);
  if (row < 1 || row > model::kMaxSurfaces) return;
  RowColumn(shell::Model().ZoneEdit, column)[At(row)] = text.toLatin1().toStdString();
}

void zoneform::SetCellColour(int column, int line, CellColour colour) {
  QLineEdit* box = cell(column, line);
  QPalette p = box->palette();
  p.setColor(QPalette::Text, colour == CellColour::Red ? kRed : kDarkBlue);
  box->setPalette(p);
}

char zoneform::SurfaceKeyPress(int column, int index, char key) {
  if (column == colWallId || column == colWindowId || column == colShade) {
    SetCellColour(column, index, CellColour::Blue);
  }
  const std::string text = cell(column, index)->text().toLatin1().toStdString();
  const char passed =
      FilterSurfaceKey(ColumnKeys(column), key, text, shell::Model(), shell::Messages());
  if (column == colWallArea) SetCellColour(colWallArea, index, CellColour::Blue);
  if (column == colWinArea) {
    SetCellColour(colWinArea, index, CellColour::Blue);
    SetCellColour(colWallArea, index, CellColour::Blue);
    fractionAlertShown_ = 0;
  }
  return passed;
}

void zoneform::wallid_Click(int index) {
  shell::Model().ZoneEdit.PickRowWall =
      static_cast<int16_t>(PickRow(topOffset_, tableScrolled_, index));
}

void zoneform::windowid_Click(int index) {
  shell::Model().ZoneEdit.PickRowWindow =
      static_cast<int16_t>(PickRow(topOffset_, tableScrolled_, index));
}

void zoneform::wallid_DblClick(int index) {
  wallid_Click(index);
  wprof_Click(1);
}

void zoneform::windowid_DblClick(int index) {
  windowid_Click(index);
  wprof_Click(2);
}

void zoneform::wprof_Click(int index) {
  model::ProjectModel& m = shell::Model();
  // The zone as typed is stored, so that the type table sees it.
  if (!StoreZoneInputs(m, Texts(), shell::Messages())) return;
  ResetScroll();
  RenderSurfaceTable();
  const int kind = index == 1 ? 1 : 2;
  m.ZoneEdit.CatalogKind = static_cast<int16_t>(kind);
  m.PropTableOpened[static_cast<std::size_t>(kind)] = 1;
  shell::OpenWindow(shell::window::wallwin, kind);
}

void zoneform::surf_Click(int index) {
  shell::Model().ZoneEdit.SurfFocusRow = static_cast<int16_t>(index);
}

void zoneform::ShowFields(const std::array<std::string, model::kZoneFields + 1>& texts) {
  loadingFields_ = true;
  for (int i = 1; i <= model::kZoneFields; ++i) zone(i)->setText(Latin1(texts[At(i)]));
  loadingFields_ = false;
}

void zoneform::SetField(int field, const std::string& text) {
  if (zone(field)->text() != Latin1(text)) zone(field)->setText(Latin1(text));
}

int zoneform::FieldOf(QObject* watched) const {
  for (int i = 1; i <= model::kZoneFields; ++i) {
    if (zone_[At(i)] == watched) return i;
  }
  return 0;
}

void zoneform::zone_Click(int index) {
  model::ProjectModel& m = shell::Model();
  m.ZoneEdit.LastEditedField = static_cast<int16_t>(index);
  if (const int kind = ProfileKindOfField(index); kind != 0) {
    m.ZoneEdit.ProfPickerKind = static_cast<int16_t>(kind);
    m.ZoneEdit.PickerProfileNo = ProfileNumberOf(zone(index)->text().toLatin1().toStdString());
    ShowProfilePicker();
  } else if (index >= 16 && index <= 19) {
    LoadTemperatureProfiles();
  } else if (index == 9) {
    OpenVentilationDialog();
  } else if (index == 11) {
    shell::Messages().beep();
    shell::Messages().show(kSelectLighting, kLightingTitle, model::MsgIcon::Information);
  } else if (index == 20 || index == 21) {
    shell::Messages().beep();
    shell::Messages().show(kSelectHvac, kHvacTitle, model::MsgIcon::Information);
  }
}

void zoneform::zone_KeyDown(int index) {
  model::ProjectModel& m = shell::Model();
  undoFieldIndex_ = index;
  m.ZoneEdit.LastEditedField = static_cast<int16_t>(index);
  if (index == 3) SetField(5, PeopleAfterAreaKey(m));
}

char32_t zoneform::zone_KeyPress(int index, char32_t key) {
  shell::MessageBoxes& boxes = shell::Messages();
  switch (EntryOf(index)) {
    case FieldEntry::Locked:
      return 0;
    case FieldEntry::Text:
      return key;
    case FieldEntry::Profile:
      boxes.beep();
      boxes.show(kSelectProfile, kProfilesTitle, model::MsgIcon::Information);
      return 0;
    case FieldEntry::Ventilation:
      OpenVentilationDialog();
      return 0;
    case FieldEntry::Hvac:
      boxes.beep();
      boxes.show(kSelectHvac, kHvacTitle, model::MsgIcon::Information);
      return 0;
    case FieldEntry::Lighting:
      boxes.beep();
      boxes.show(kSelectLighting, kLightingTitle, model::MsgIcon::Information);
      return 0;
    case FieldEntry::Numeric:
      if (NumericKey(key)) return key;
      model::RefuseNotNumeric(boxes);
      return 0;
  }
  return 0;
}

void zoneform::ShowProfilePicker() {
  model::ProjectModel& m = shell::Model();
  // The picker sees the zone as typed.
  if (!StoreZoneInputs(m, Texts(), shell::Messages())) return;
  const int kind = m.ZoneEdit.ProfPickerKind;
  if (kind < 1 || kind > 4) return;
  pickerOpenedWith_ = Texts().zone;
  m.ProfKindOpened[At(kind)] = 1;
  const model::ProfileKindRef profiles = model::ProfileKind(m, kind);
  // The building type's own profile is part of the project once its picker was opened,
  // unless the kind holds as many profiles as a run takes already.
  const bool typeRefused = WouldExceedProfileLimit(profiles.marks, kind, m.BldTypeNo);
  for (int j = 1; j <= 42; ++j) {
    m.ZoneEdit.ProfUndoCopy[At(j)] = profiles.values[At(j)];
    if (j == m.BldTypeNo && !typeRefused) {
      profiles.marks[At(j)] = model::NumberText(static_cast<float>(j));
    }
  }
  ShowUseProfilePicker();
  // A zone on the building type's profile must pick one of the project's.
  if (typeRefused && m.ZoneEdit.PickerProfileNo == m.BldTypeNo) {
    shell::Messages().show(kProfileLimitText, kSelectProfileTitle, model::MsgIcon::Exclamation);
  }
}

void zoneform::LoadTemperatureProfiles() {
  model::ProjectModel& m = shell::Model();
  if (!StoreZoneInputs(m, Texts(), shell::Messages())) return;
  pickerOpenedWith_ = Texts().zone;
  m.ProfKindOpened[5] = 1;
  m.ZoneEdit.ProfPickerKind = 5;
  ShowTemperaturePicker();
}

void zoneform::profile_Click(int index) {
  if (index == 5) {
    LoadTemperatureProfiles();
    return;
  }
  const int field = FieldOfProfileKind(index);
  if (field == 0) return;
  shell::Model().ZoneEdit.LastEditedField = static_cast<int16_t>(field);
  zone_Click(field);
}

venrate* zoneform::VentilationDialog() const { return findChild<venrate*>("venrate"); }

void zoneform::OpenVentilationDialog() {
  if (VentilationDialog() != nullptr) return;
  auto* dialog = new venrate(this);
  dialog->Prepare(zone(9)->text().toLatin1().toStdString());
  shell::CentreOnScreen(dialog);
  // Window-modal: the zone window waits for OK or Cancel, or for the dialog to be closed.
  dialog->setWindowModality(Qt::WindowModal);
  shell::ShowModeless(dialog);
}

void zoneform::heat_Click(int index) {
  ZoneFieldTexts texts;
  for (int i = 1; i <= model::kZoneFields; ++i) {
    texts[At(i)] = zone(i)->text().toLatin1().toStdString();
  }
  if (!ChooseHeating(shell::Model(), index, texts, shell::Messages())) return;
  undoFieldIndex_ = 21;
  for (int f : {21, 28, 29, 30}) SetField(f, texts[At(f)]);
}

void zoneform::light_Click(int index) {
  shell::Model().ZoneEdit.LastEditedField = 11;
  SetField(11, " " + model::NumberText(static_cast<float>(index)));
}

void zoneform::natvent_Click() {
  model::ProjectModel& m = shell::Model();
  const std::string caption = natvent_->text().toLatin1().toStdString();
  const std::string toggled = ToggledSwitch(caption);
  if (toggled != caption) {
    natvent_->setText(Latin1(toggled));
    if (SwitchOn(toggled)) {
      zone(22)->setEnabled(true);
      SetField(22, NaturalVentilationDefault(m.UnitSystem));
    } else {
      zone(22)->setEnabled(false);
    }
  }
  m.ZoneEdit.NatVentChanged[At(m.CurrentZone)] = 1;
  m.ZoneEdit.LastEditedField = 31;
}

void zoneform::surface_Click(int index) {
  const int line = shell::Model().ZoneEdit.SurfFocusRow;
  if (line < 1 || line > kVisibleLines) return;
  const QString text = Latin1(model::NumberText(static_cast<float>(index + 1)));
  cell(colExposure, line)->setText(text);
  SurfaceChange(colExposure, line, text);
}

void zoneform::Undo_Click() {
  const model::ProjectModel& m = shell::Model();
  for (int f : UndoFields(undoFieldIndex_)) SetField(f, m.ZoneData[At(m.CurrentZone)][At(f)]);
}

void zoneform::tutorial_Click() {
  shell::ShowHelpFile(kZoneHelpFile,
                      std::string(kZoneHelpCaption) + " -- " + shell::Model().ProjectFile);
}

ZoneFormTexts zoneform::Texts() const {
  ZoneFormTexts f;
  for (int i = 1; i <= model::kZoneFields; ++i) {
    f.zone[At(i)] = zone(i)->text().toLatin1().toStdString();
  }
  f.natvent = natvent_->text().toLatin1().toStdString();
  f.dayt = dayt_->text().toLatin1().toStdString();
  f.econcycle = econcycle_->text().toLatin1().toStdString();
  return f;
}

void zoneform::okey_Click() {
  OkState state{topOffset_, fractionAlertShown_};
  const OkResult result = OkeyClick(shell::Model(), Texts(), state, shell::Messages());
  fractionAlertShown_ = state.fractionAlertShown;
  if (result.stored) {
    ResetScroll();
    RenderSurfaceTable();
    BackToZoneList();
    return;
  }
  if (result.rowsChanged) RenderSurfaceTable();
  for (const CellMark& mark : result.marks) SetCellColour(mark.column, mark.line, mark.colour);
}

void zoneform::ac_Click(int n) {
  ZoneFieldTexts texts;
  for (int i = 1; i <= model::kZoneFields; ++i) {
    texts[At(i)] = zone(i)->text().toLatin1().toStdString();
  }
  if (!ChooseCoolingSystem(shell::Model(), n, texts, shell::Messages())) return;
  undoFieldIndex_ = 20;
  for (int f : {20, 26, 27, 29, 30}) {
    const QString text = Latin1(texts[At(f)]);
    if (zone(f)->text() != text) zone(f)->setText(text);
  }
}

void zoneform::dayt_Click() {
  model::ProjectModel& m = shell::Model();
  const std::string caption = ToggledSwitch(dayt_->text().toLatin1().toStdString());
  dayt_->setText(Latin1(caption));
  if (caption == "No" || caption == " No" || SwitchOn(caption)) {
    zone(24)->setEnabled(SwitchOn(caption));
    zone(25)->setEnabled(SwitchOn(caption));
  }
  m.ZoneEdit.DaylightChanged[At(m.CurrentZone)] = 1;
  m.ZoneEdit.LastEditedField = 31;
}

void zoneform::Econcycle_Click() {
  model::ProjectModel& m = shell::Model();
  econcycle_->setText(Latin1(ToggledSwitch(econcycle_->text().toLatin1().toStdString())));
  m.ZoneEdit.EconChanged[At(m.CurrentZone)] = 1;
  m.ZoneEdit.LastEditedField = 31;
}

std::array<std::string, 4> zoneform::ElevAreaTexts() const {
  std::array<std::string, 4> texts;
  for (int e = 0; e < 4; ++e) texts[At(e)] = ElevArea(e)->text().toLatin1().toStdString();
  return texts;
}

void zoneform::copyzone_Click(int index) {
  model::ProjectModel& m = shell::Model();
  m.ZoneEdit.CopyKind = static_cast<int16_t>(index);
  if (index == 0 && !HasFieldsToCopy(m)) {
    shell::Messages().show(kNoValuesChanged, kCopyDataTitle, model::MsgIcon::Exclamation);
    return;
  }
  if (index == 1 && !CheckWindowFractions(ElevAreaTexts(), shell::Messages())) return;
  OpenCopyToZone();
}

void zoneform::copyall_Click(int index) {
  model::ProjectModel& m = shell::Model();
  if (index == 0) {
    if (!HasFieldsToCopy(m)) {
      shell::Messages().show(kNoValuesChanged, kCopyDataTitle, model::MsgIcon::Exclamation);
      return;
    }
    CopyZoneFields(m, Texts(), AllZones(m));
    return;
  }
  ApplyWindowSizer(AllZones(m));
}

bool zoneform::ApplyWindowSizer(const std::vector<int>& targets) {
  model::ProjectModel& m = shell::Model();
  const std::optional<WindowFractions> f = CheckWindowFractions(ElevAreaTexts(), shell::Messages());
  if (!f) return false;
  if (!StoreZoneInputs(m, Texts(), shell::Messages())) return false;
  SizeWindows(m, *f, targets);
  RenderSurfaceTable();
  return true;
}

void zoneform::cancel_Click() {
  ClearSurfaceRows(shell::Model().ZoneEdit);
  ResetScroll();
  RenderSurfaceTable();
  BackToZoneList();
}

void zoneform::BackToZoneList() {
  shell::WriteZoneGridRows(shell::Model(), shell::ZoneListGrid());
  shell::OpenWindow(shell::window::zonename, shell::Model().CurrentZone);
  UnloadZoneForm();
}

bool zoneform::FindCell(QObject* watched, int& column, int& line) const {
  for (int c = 0; c < kSurfaceColumns; ++c) {
    for (int k = 1; k <= kVisibleLines; ++k) {
      if (cells_[At(c)][At(k)] == watched) {
        column = c;
        line = k;
        return true;
      }
    }
  }
  return false;
}

bool zoneform::eventFilter(QObject* watched, QEvent* event) {
  if (const int field = FieldOf(watched); field != 0) {
    if (event->type() == QEvent::MouseButtonPress) zone_Click(field);
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      zone_KeyDown(field);
      const char32_t typed = shell::KeyCharacter(key);
      // Keys that type nothing (arrows, Delete, Tab) move or edit as the box does; the
      // zone number's box is read-only.
      if (typed == 0) return QWidget::eventFilter(watched, event);
      if (zone_KeyPress(field, typed) == 0) return true;
    }
    return QWidget::eventFilter(watched, event);
  }
  int column = 0;
  int line = 0;
  if (!FindCell(watched, column, line)) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      const char32_t typed = shell::KeyCharacter(key);
      if (typed == 0) break;
      // A character beyond Latin-1 is refused like any other wrong key.
      const char code = typed > 0xFF ? char{127} : static_cast<char>(typed);
      const char passed = SurfaceKeyPress(column, line, code);
      if (passed == 0) return true;
      if (passed != code) {
        // The upper-case form is typed in place of the key.
        QKeyEvent upper(QEvent::KeyPress, key->key(), Qt::NoModifier, QString(QChar(passed)));
        QCoreApplication::sendEvent(watched, &upper);
        return true;
      }
      break;
    }
    case QEvent::MouseButtonDblClick:
      if (column == colWallId) wallid_DblClick(line);
      if (column == colWindowId) windowid_DblClick(line);
      break;
    case QEvent::MouseButtonPress:
      if (column == colWallId) wallid_Click(line);
      if (column == colWindowId) windowid_Click(line);
      if (column == colExposure) surf_Click(line);
      break;
    case QEvent::FocusIn:
      if (column == colExposure) surf_GotFocus(line);
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool zoneform::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void zoneform::closeEvent(QCloseEvent* event) {
  if (unloading_) {
    event->accept();
    return;
  }
  event->ignore();
  cancel_Click();
}

zoneform* ZoneFormWindow() { return Loaded().data(); }

bool OpenZoneForm(int row) {
  if (!OpenZone(shell::Model(), row, shell::Messages())) return false;
  UnloadZoneForm();
  auto* window = new zoneform;
  Loaded() = window;
  window->LoadZone();
  shell::ShowModeless(window);
  return true;
}

void UnloadZoneForm() {
  zoneform* window = Loaded().data();
  if (window == nullptr) return;
  Loaded() = nullptr;
  window->unloading_ = true;
  window->close();
  window->deleteLater();
}

}  // namespace kalvano::zones
