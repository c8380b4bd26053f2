// The recorded-weather picker of the run window ("Select Weather File") and its preview
// ("viewweather"): a weather file chosen anywhere, its layout stated, its head looked at, and
// the file copied for the engine. The run's format and chosen-file flag change only once the
// copy has been made.
#pragma once

#include <QWidget>

#include <array>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kalvano::shell {
class FilePicker;
}

namespace kalvano::weather {

class viewweather;

class selectweth : public QWidget {
  Q_OBJECT
 public:
  explicit selectweth(QWidget* parent = nullptr);
  ~selectweth() override;

  void View_Click();
  void OK_Click();
  void Cancel_Click() { close(); }
  void fileform_Click(int index);  // 1 TMY2, 2 WYEC2, 3 IWEC, 4 Custom

  // The engine code of the option set (1 TMY2, 2 WYEC2, 3 IWEC, 4 Custom), 0 when none.
  int Format() const;
  // The full path of the name typed (a name starting with "/" is one already).
  std::string WeatherFilePath() const;
  // The preview's OK: after OK the file is copied and the picker closes; after View the file
  // counts as looked at. False when the choice goes no further (a year refused, a failed copy).
  bool PreviewAccepted();
  void PreviewCancelled() { viewed_ = false; }

  shell::FilePicker* Picker() const { return picker_; }
  QLineEdit* Text1() const { return text1_; }
  QRadioButton* fileformat(int index) const { return formats_.at(static_cast<std::size_t>(index)); }
  viewweather* Preview() const { return preview_; }

 private:
  bool Accept(const std::string& path);
  bool ShowPreview(const std::string& path);

  shell::FilePicker* picker_;
  QLineEdit* text1_;
  std::array<QRadioButton*, 4> formats_{};
  viewweather* preview_ = nullptr;
  bool viewed_ = false;      // the file named has been previewed and accepted
  bool okStarted_ = false;   // the preview open was started by OK
};

class viewweather : public QWidget {
  Q_OBJECT
 public:
  viewweather(selectweth* picker, const std::string& caption, const std::string& text);
  void OK_Click();
  void cancel_Click();
  QPlainTextEdit* Text1() const { return text1_; }

 private:
  selectweth* picker_;
  QPlainTextEdit* text1_;
};

// Opens the picker over the run window (the opener of the shell's window::selectweth).
void OpenSelectWeather();
selectweth* SelectWeatherWindow();

}  // namespace kalvano::weather
