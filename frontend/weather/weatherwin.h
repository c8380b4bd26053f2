// The weather statistics window: a state and a city picked from the weather library, their
// station data and monthly statistics shown and edited in the project's units, saved back to
// the library as a new record or as an update, and accepted as the project's weather.
#pragma once

#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "frontend/weather/weatherlib.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kalvano::weather {

class weather : public QWidget {
  Q_OBJECT
 public:
  explicit weather(QWidget* parent = nullptr);
  ~weather() override;

  // Whether the library could be read (the window is not shown otherwise).
  bool Loaded() const { return loaded_; }

  void Combo1_Click(int index);
  void Combo3_Click(int index);
  void sttext_LostFocus();
  void extreme_Change(bool annual, int month);
  void savenew_Click();
  void saveupdate_Click();
  void mainmenu_Click();
  void Command1_Click();
  void help_Click();

  // The boxes as one entry, and back.
  WeatherEntry Entry() const;
  void ShowEntry(const WeatherEntry& entry);

  QLineEdit* sttext() const { return sttext_; }
  QLineEdit* citytext() const { return citytext_; }
  QComboBox* Combo1() const { return combo1_; }
  QComboBox* Combo3() const { return combo3_; }
  QLineEdit* WMO() const { return wmo_; }
  QLineEdit* Station(int k) const { return station_.at(static_cast<std::size_t>(k)); }  // 0 lat .. 3 elev
  // Month box `month` (1..12) of row 1..10 (the eight statistics, then the two extremes).
  QLineEdit* Month(int row, int month) const;
  QLabel* Unit(int index) const { return units_.at(static_cast<std::size_t>(index - 1)); }
  bool DataEdited() const { return dataEdited_; }
  const std::string& SourceMark() const { return sourceMark_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool ReadLibrary();
  void LoadStateList();
  void LoadCityRecord();
  bool WriteLibrary(const std::string& text);
  bool MonthsAreNumbers();
  // The boxes hold a record the library can keep as entered; otherwise says which box does not.
  bool RecordFits();

  bool loaded_ = false;
  bool dataEdited_ = false;
  bool stateListStale_ = false;
  bool stateChosen_ = false;
  std::string selectedState_;
  std::string sourceMark_;
  // The library record last loaded into the boxes (none while they show the project's block).
  std::optional<LibraryRecord> sourceRecord_;
  std::vector<LibraryRecord> records_;

  QLineEdit* sttext_;
  QLineEdit* citytext_;
  QComboBox* combo1_;
  QComboBox* combo3_;
  QLineEdit* wmo_;
  std::array<QLineEdit*, 4> station_{};
  std::array<std::array<QLineEdit*, 12>, 10> months_{};
  std::array<QLabel*, 10> units_{};
};

// Opens a new weather window (the opener of the shell's window::weather).
void OpenWeatherWindow();
// The window open now, if any.
weather* WeatherWindow();

}  // namespace kalvano::weather
