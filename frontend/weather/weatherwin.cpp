#include "frontend/weather/weatherwin.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/model/weather_stats.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/projectinfo.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::weather {

namespace {

using shell::MsgAnswer;
using shell::MsgButtons;
using shell::MsgIcon;

constexpr const char* kLibrary = "weather/weth.asc";
constexpr std::array<const char*, 10> kRowNames{"dbave", "avestd", "dbmax", "mxstd", "dpave",
                                                "dpstd", "solar", "wind", "annext", "extdb"};
constexpr std::array<const char*, 10> kRowCaptions{
    "Bry Bulb Ave:", "Ave. Std. Dev:", "Bry Bulb Max:", "Max. Std. Dev:", "Dewpoint Ave:",
    "DP Std. Dev:", "Solar Radiation:", "Wind Speed:", "Mean Ann. Extreme", "Extreme Dry Bulb:"};

QPointer<weather>& TheWindow() {
  static QPointer<weather> window;
  return window;
}

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

// Int(v x 10 + 0.5) / 10 as text with its sign position.
QString Tenths(double v) {
  return shell::Latin1(model::NumberText(static_cast<float>(std::floor(v * 10 + 0.5) / 10)));
}

}  // namespace

weather::weather(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("weather");
  setAttribute(Qt::WA_DeleteOnClose);
  const model::ProjectModel& m = shell::Model();
  const bool si = m.UnitSystem == model::kSI;
  setWindowTitle(shell::FromLocal("Weather Data -- " + m.ProjectFile));
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  QMenu* hlp = bar->addMenu("Help");
  hlp->setObjectName("hlp");
  QAction* help = hlp->addAction("Tutorial");
  help->setObjectName("help");
  connect(help, &QAction::triggered, this, &weather::help_Click);

  auto line = [this](const char* name, int width = 0) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    if (width > 0) box->setMaximumWidth(width);
    shell::InstallKeyFilter(box, this);
    return box;
  };
  sttext_ = line("sttext");
  citytext_ = line("citytext");
  wmo_ = line("WMO", 80);
  combo1_ = new QComboBox(this);
  combo1_->setObjectName("Combo1");
  combo3_ = new QComboBox(this);
  combo3_->setObjectName("Combo3");
  const std::array<const char*, 4> stationNames{"latitude", "longitude", "timezone", "elev"};
  for (std::size_t k = 0; k < 4; ++k) station_[k] = line(stationNames[k], 70);

  auto* top = new QGridLayout;
  top->addWidget(new QLabel("U.S. State Name or \nCountry Name", this), 0, 0);
  top->addWidget(sttext_, 0, 1);
  top->addWidget(combo1_, 0, 2);
  top->addWidget(new QLabel("City Name", this), 1, 0);
  top->addWidget(citytext_, 1, 1);
  top->addWidget(combo3_, 1, 2);
  auto* stationRow = new QHBoxLayout;
  stationRow->addWidget(new QLabel("WMO or WBAN #", this));
  stationRow->addWidget(wmo_);
  const std::array<const char*, 4> stationCaptions{"Latitude", "Longitude", "Time Meridian", "Elevation"};
  for (std::size_t k = 0; k < 4; ++k) {
    stationRow->addWidget(new QLabel(stationCaptions[k], this));
    stationRow->addWidget(station_[k]);
  }
  stationRow->addStretch(1);
  layout->addLayout(top);
  layout->addLayout(stationRow);

  const QFont fixed = shell::FixedPitchFont();
  auto* frame2 = new QGroupBox("Climatic Data Summary", this);
  frame2->setObjectName("Frame2");
  auto* grid = new QGridLayout(frame2);
  auto* frame3 = new QGroupBox("For New Entries or Revisions Only", this);
  frame3->setObjectName("Frame3");
  auto* grid3 = new QGridLayout(frame3);
  static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m2 = 0; m2 < 12; ++m2) grid->addWidget(new QLabel(kMonths[static_cast<std::size_t>(m2)], frame2), 0, m2 + 1, Qt::AlignCenter);
  const std::array<const char*, 10> ipUnits{kIPRowUnits[0], kIPRowUnits[1], kIPRowUnits[2], kIPRowUnits[3],
                                            kIPRowUnits[4], kIPRowUnits[5], kIPRowUnits[6], kIPRowUnits[7],
                                            kIPRowUnits[0], kIPRowUnits[0]};
  const std::array<const char*, 10> siUnits{kSIRowUnits[0], kSIRowUnits[1], kSIRowUnits[2], kSIRowUnits[3],
                                            kSIRowUnits[4], kSIRowUnits[5], kSIRowUnits[6], kSIRowUnits[7],
                                            kSIRowUnits[0], kSIRowUnits[0]};
  for (int row = 0; row < 10; ++row) {
    QGroupBox* owner = row < 8 ? frame2 : frame3;
    QGridLayout* g = row < 8 ? grid : grid3;
    const int gr = row < 8 ? row + 1 : row - 8 + 1;
    g->addWidget(new QLabel(kRowCaptions[static_cast<std::size_t>(row)], owner), gr, 0);
    for (int month = 0; month < 12; ++month) {
      auto* box = new QLineEdit(owner);
      box->setObjectName(QString("%1(%2)").arg(kRowNames[static_cast<std::size_t>(row)]).arg(month + 1));
      box->setFont(fixed);
      box->setMaximumWidth(56);
      shell::InstallKeyFilter(box, this);
      months_[static_cast<std::size_t>(row)][static_cast<std::size_t>(month)] = box;
      g->addWidget(box, gr, month + 1);
      if (row >= 8) {
        box->setText("0.0");
        const bool annual = row == 8;
        connect(box, &QLineEdit::textEdited, this, [this, annual, month] { extreme_Change(annual, month + 1); });
      }
    }
    auto* unit = new QLabel((si ? siUnits : ipUnits)[static_cast<std::size_t>(row)], owner);
    unit->setObjectName(QString("unt(%1)").arg(row + 1));
    units_[static_cast<std::size_t>(row)] = unit;
    g->addWidget(unit, gr, 13);
  }
  grid3->addWidget(new QLabel("OR:", frame3), 3, 0);
  grid3->addWidget(new QLabel("Use when Std. Deviations are unknown.  Enter monthly extreme DB's ever "
                              "recorded or monthly means of annual extremes.", frame3), 4, 0, 1, 14);
  layout->addWidget(frame2);
  layout->addWidget(frame3);

  auto* buttons = new QHBoxLayout;
  auto button = [this, buttons](const char* name, const char* caption, void (weather::*slot)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
  };
  button("savenew", "Save As New", &weather::savenew_Click);
  button("saveupdate", "Save As Update", &weather::saveupdate_Click);
  buttons->addStretch(1);
  button("mainmenu", "OK >>", &weather::mainmenu_Click);
  button("Command1", "Cancel", &weather::Command1_Click);
  layout->addLayout(buttons);

  connect(combo1_, qOverload<int>(&QComboBox::activated), this, &weather::Combo1_Click);
  connect(combo3_, qOverload<int>(&QComboBox::activated), this, &weather::Combo3_Click);
  connect(sttext_, &QLineEdit::editingFinished, this, &weather::sttext_LostFocus);

  // The lists and the project's weather, once per opening.
  if (!ReadLibrary()) return;
  loaded_ = true;
  LoadStateList();
  if (m.StepFlags[2] == 1 || m.ProjectLoaded == 1) {
    std::string mark;
    ShowEntry(EntryOfBlock(m.WeatherBlock, mark));
    sourceMark_ = mark;
  }
  dataEdited_ = false;
}

// A window deleted while its state box has the focus (the program ending) loses that focus
// while it is taken apart, after its library records are gone: no refill then.
weather::~weather() { disconnect(sttext_, nullptr, this, nullptr); }

QLineEdit* weather::Month(int row, int month) const {
  return months_.at(static_cast<std::size_t>(row - 1)).at(static_cast<std::size_t>(month - 1));
}

bool weather::ReadLibrary() {
  try {
    records_ = ReadLibraryFile(model::AppPath(shell::Model(), kLibrary));
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return false;
  }
  return true;
}

void weather::LoadStateList() {
  combo1_->clear();
  for (const StateBlock& b : StateBlocks(records_)) combo1_->addItem(shell::Latin1(b.name));
  combo1_->setCurrentIndex(-1);
}

WeatherEntry weather::Entry() const {
  WeatherEntry e;
  e.state = Text(sttext_);
  e.city = Text(citytext_);
  e.station = Text(wmo_);
  e.latitude = Text(station_[0]);
  e.longitude = Text(station_[1]);
  e.meridian = Text(station_[2]);
  e.elevation = Text(station_[3]);
  e.source = sourceRecord_;
  for (int row = 0; row < kRows; ++row)
    for (int m = 0; m < 12; ++m)
      e.months[static_cast<std::size_t>(row)][static_cast<std::size_t>(m)] =
          Text(months_[static_cast<std::size_t>(row)][static_cast<std::size_t>(m)]);
  return e;
}

void weather::ShowEntry(const WeatherEntry& e) {
  sttext_->setText(shell::Latin1(e.state));
  citytext_->setText(shell::Latin1(e.city));
  wmo_->setText(shell::Latin1(e.station));
  const std::array<const std::string*, 4> values{&e.latitude, &e.longitude, &e.meridian, &e.elevation};
  for (std::size_t k = 0; k < 4; ++k) station_[k]->setText(shell::Latin1(*values[k]));
  for (int row = 0; row < kRows; ++row)
    for (int m = 0; m < 12; ++m)
      months_[static_cast<std::size_t>(row)][static_cast<std::size_t>(m)]->setText(
          shell::Latin1(e.months[static_cast<std::size_t>(row)][static_cast<std::size_t>(m)]));
}

void weather::LoadCityRecord() {
  const std::string city = Text(citytext_);
  std::optional<std::size_t> found = FindLoaded(records_, city, selectedState_);
  if (!found) found = FindLoaded(records_, combo3_->currentText().toLatin1().toStdString(), selectedState_);
  if (!found) return;
  const LibraryRecord& r = records_[*found];
  WeatherEntry e = EntryOf(r, shell::Model().UnitSystem);
  e.state = Text(sttext_);
  ShowEntry(e);
  sourceRecord_ = r;
  sourceMark_ = Mark(r.cityString);
  for (int row = 8; row < 10; ++row)
    for (QLineEdit* box : months_[static_cast<std::size_t>(row)]) box->setText("0.0");
}

void weather::Combo1_Click(int index) {
  if (index < 0) return;
  if (stateListStale_) {
    stateListStale_ = false;
  }
  std::string state = combo1_->itemText(index).toLatin1().toStdString();
  std::string key = state;
  while (!key.empty() && (key.back() == ' ' || std::string_view("!*#@").find(key.back()) != std::string_view::npos)) {
    key.pop_back();
  }
  selectedState_ = key;
  sttext_->setText(shell::Latin1(key));
  combo3_->clear();
  stateChosen_ = true;
  const std::vector<std::string> cities = CitiesOf(records_, state);
  for (const std::string& c : cities) combo3_->addItem(shell::Latin1(c));
  if (!cities.empty()) citytext_->setText(shell::Latin1(cities.front()));
  LoadCityRecord();
}

void weather::Combo3_Click(int index) {
  if (index < 0) return;
  citytext_->setText(combo3_->itemText(index));
  LoadCityRecord();
}

void weather::sttext_LostFocus() {
  const std::string typed = Text(sttext_);
  combo3_->clear();
  for (const LibraryRecord& r : records_) {
    if (typed == StateName(r.cityString) || typed == r.stateField || typed == r.stateCode) {
      combo3_->addItem(shell::Latin1(CityKey(r.cityString)));
    }
  }
}

void weather::extreme_Change(bool annual, int month) {
  const double extreme = model::Val(Text(Month(annual ? 9 : 10, month)));
  const double maximum = model::Val(Text(Month(3, month)));
  const QString mx = Tenths((extreme - maximum) / (annual ? 2.11 : 3.1));
  Month(4, month)->setText(mx);
  const QString avg = Tenths(0.87 * model::Val(mx.toLatin1().toStdString()));
  Month(2, month)->setText(avg);
  Month(6, month)->setText(avg);
}

bool weather::MonthsAreNumbers() {
  if (const auto bad = FirstNonNumeric(Entry())) {
    shell::Messages().show("Every monthly value must be a number.  Please complete row " +
                               std::to_string(bad->first) + ", month " + std::to_string(bad->second) + ".",
                           "Error", MsgIcon::Exclamation);
    return false;
  }
  return true;
}

bool weather::RecordFits() {
  const std::string refusal = RecordRefusal(Entry(), shell::Model().UnitSystem);
  if (refusal.empty()) return true;
  shell::Messages().show(refusal, "Error", MsgIcon::Exclamation);
  return false;
}

bool weather::WriteLibrary(const std::string& text) {
  try {
    model::AtomicFile file(model::AppPath(shell::Model(), kLibrary));
    file.text(text);
    file.commit();
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return false;
  }
  return ReadLibrary();
}

void weather::savenew_Click() {
  if (!dataEdited_) {
    shell::Messages().show(kNoNewData, "Message", MsgIcon::Exclamation);
    return;
  }
  if (!MonthsAreNumbers() || !RecordFits()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    const std::string library = ReadLibraryText(model::AppPath(shell::Model(), kLibrary));
    bool newState = false;
    const std::string text = InsertRecord(library, Entry(), shell::Model().UnitSystem, newState);
    if (WriteLibrary(text)) {
      stateListStale_ = newState;
      if (newState) LoadStateList();
      dataEdited_ = false;
    }
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
  }
  QApplication::restoreOverrideCursor();
}

void weather::saveupdate_Click() {
  if (!dataEdited_) {
    shell::Messages().show(kNoNewData, "Message", MsgIcon::Exclamation);
    return;
  }
  // The record of the city and state typed is the one replaced.
  const std::optional<std::size_t> found = FindCityRecord(records_, Text(citytext_), Text(sttext_));
  if (!found) {
    shell::Messages().show(kNotInLibrary, kNotInLibraryTitle, MsgIcon::Exclamation);
    return;
  }
  if (!MonthsAreNumbers() || !RecordFits()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    const std::string library = ReadLibraryText(model::AppPath(shell::Model(), kLibrary));
    if (WriteLibrary(ReplaceRecord(library, *found, Entry(), shell::Model().UnitSystem))) dataEdited_ = false;
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
  }
  QApplication::restoreOverrideCursor();
}

void weather::mainmenu_Click() {
  model::ProjectModel& m = shell::Model();
  if (sttext_->text().isEmpty()) {
    close();
    return;
  }
  if (dataEdited_) {
    if (shell::Messages().ask("You have edited some values of the weather data.  Click 'Save As New' to save the data into a new record, or 'Save As Update' to update the weather file.  Save new data now?",
                              "Save Weather Data", MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes) {
      return;
    }
    dataEdited_ = false;
  }
  std::string location, refusal;
  const std::array<std::string, 12> block = WeatherBlockLines(Entry(), sourceMark_, m.UnitSystem, location, refusal);
  if (!refusal.empty()) {
    shell::Messages().show(refusal, "Error", MsgIcon::Exclamation);
    return;
  }
  m.ProjectData[3] = location;
  if (m.WeatherFromProjInfo == 1) {
    if (shell::ProjectInfoLoaded()) shell::ProjectInfoWindow().SetBoxText(3, location);
    m.WeatherFromProjInfo = 0;
  }
  for (int i = 1; i <= model::kWeatherLines; ++i) m.WeatherBlock[static_cast<std::size_t>(i)] = block[static_cast<std::size_t>(i)];
  stateListStale_ = false;
  stateChosen_ = false;
  m.StepFlags[2] = 1;
  m.WeatherEntered = 1;
  model::WeatherStatsToIP(m);
  model::ComputeDesignTemps(m);
  close();
}

void weather::Command1_Click() { close(); }

void weather::help_Click() {
  shell::ShowHelpFile("help5.txt", "WEATHER DATA -- " + shell::Model().ProjectFile);
}

bool weather::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const int k = key->key();
  if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Home || k == Qt::Key_End || k == Qt::Key_Delete) {
    if (box == sttext_ || box == citytext_) dataEdited_ = true;
    return false;
  }
  const QString t = key->text();
  const QChar c = t.isEmpty() ? QChar() : t.front();
  const bool control = k == Qt::Key_Tab || k == Qt::Key_Backspace || k == Qt::Key_Return || k == Qt::Key_Enter;
  if (box == sttext_ || box == citytext_ || box == wmo_) {
    // Texts the library keeps in quotes and keys by their commas and marks.
    if (!control && !c.isNull()) {
      const bool refused = c == '"' || c.unicode() > 0xFF ||
                           (box != wmo_ && QString("!#*@").contains(c)) || (box == citytext_ && c == ',');
      if (refused) {
        shell::Messages().beep();
        return true;
      }
    }
    dataEdited_ = true;
    if (box != wmo_ && c >= 'a' && c <= 'z') {
      box->insert(c.toUpper());
      return true;
    }
    return false;
  }
  // The numeric boxes. Keys that type nothing (Ctrl+V, Ctrl+C and the like) act as the box
  // does; a paste then comes through here key by key.
  if (!control && shell::KeyCharacter(key) == 0) return false;
  if (control || c == '-' || c == '.' || (c >= '0' && c <= '9')) {
    dataEdited_ = true;
    return false;
  }
  if (c.isNull()) return false;
  shell::Messages().show(kNumbersOnly, "Error", MsgIcon::Exclamation);
  return true;
}

weather* WeatherWindow() { return TheWindow().data(); }

void OpenWeatherWindow() {
  QPointer<weather>& window = TheWindow();
  if (!window.isNull()) window->close();
  auto* w = new weather;
  if (!w->Loaded()) {
    delete w;
    return;
  }
  window = w;
  w->adjustSize();
  shell::CentreOnScreen(w);
  shell::ShowModeless(w);
}

}  // namespace kalvano::weather
