// The result chart windows: `peak` (the four load charts), `monthly` (monthly energy and
// utility costs) and `source` (the energy breakdown). Each draws its chart in its own paint
// from the struct its reader left (chartdata.h); activation and repaint never read the
// report again.
#pragma once

#include <QWidget>

#include <initializer_list>
#include <map>
#include <string>
#include <variant>

#include "frontend/reports/chartdata.h"

class QLabel;
class QPushButton;

namespace kalvano::reports {

// The chart drawing area: the chart's drawing units (1/1440 inch) scaled to the area.
class ChartCanvas : public QWidget {
  Q_OBJECT
 public:
  using Data = std::variant<std::monostate, LoadChartData, MonthlyChartData, SourceChartData>;
  explicit ChartCanvas(QWidget* parent = nullptr);
  void SetData(Data data);
  const Data& data() const { return data_; }
  // The design size of the drawing, in drawing units.
  static constexpr double kDesignWidth = 9600, kDesignHeight = 6700;
  // A point of the drawing in the area's pixels.
  QPointF ToPixels(double x, double y) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Data data_;
};

// What the three windows share: the button row, the output-set label, saving and the way
// back to the main menu.
class ChartWindow : public QWidget {
  Q_OBJECT
 public:
  ChartCanvas* canvas() const { return canvas_; }
  QPushButton* button(const std::string& name) const;
  QPushButton* save() const { return button("save"); }
  QPushButton* Command1() const { return button("Command1"); }
  QLabel* OutputLabel() const { return output_; }

  void Form_Load();
  void Form_Activate();
  void save_Click();
  void Command1_Click();
  // Opens chart `chart` (ChartKind): in this window when it draws it, else in its own
  // window, after which this one is unloaded.
  void Chart_Click(int chart);
  void Tabular_Click();

 protected:
  // A button of the row: object name, caption, and the chart it opens (kSave, kTabular,
  // kMainMenu for the others).
  struct ButtonSpec {
    const char* name;
    const char* caption;
    int chart;
  };
  static constexpr int kSave = -1, kTabular = -2, kMainMenu = -3;
  // The window draws charts firstChart..lastChart itself.
  ChartWindow(int firstChart, int lastChart, std::initializer_list<ButtonSpec> buttons);
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // the close box acts as "Main Menu"
  void EnableCharts(int shown);
  virtual void Unload() = 0;

 private:
  void OpenSaveOutput();
  int first_, last_;
  ChartCanvas* canvas_;
  QLabel* output_;
  std::map<std::string, QPushButton*> buttons_;
};

class peak : public ChartWindow {
  Q_OBJECT
 public:
  peak();
  void Show(const LoadChartData& d);
  void annucool_Click() { Chart_Click(kAnnualCoolingChart); }
  void annuheat_Click() { Chart_Click(kAnnualHeatingChart); }
  void peakcool_Click() { Chart_Click(kPeakCoolingChart); }
  void peakheat_Click() { Chart_Click(kPeakHeatingChart); }

 protected:
  void Unload() override;
};

class monthly : public ChartWindow {
  Q_OBJECT
 public:
  monthly();
  void Show(const MonthlyChartData& d);
  void monenergy_Click() { Chart_Click(kMonthlyEnergyChart); }
  void utility_Click() { Chart_Click(kMonthlyCostChart); }

 protected:
  void Unload() override;
};

class source : public ChartWindow {
  Q_OBJECT
 public:
  source();
  void Show(const SourceChartData& d);

 protected:
  void Unload() override;
};

// Reads chart `chart` (ChartKind) from the report and shows it in its window; on failure
// the error is shown, ResultsViewable is 0 and no window is shown by this call. The opener
// of the shell's window::graphs.
bool ShowChart(int chart);
void ShowPeakHeatingLoads();
void ShowPeakCoolingLoads();
void ShowAnnualHeatingLoads();
void ShowAnnualCoolingLoads();
void ShowMonthlyEnergy();
void ShowMonthlyUtilityCosts();
void ShowSourceEnergy();

// The windows while loaded (nullptr otherwise), and their unloading (tests).
peak* PeakWindow();
monthly* MonthlyWindow();
source* SourceWindow();
void UnloadCharts();

}  // namespace kalvano::reports
