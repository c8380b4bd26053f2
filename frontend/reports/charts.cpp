#include "frontend/reports/charts.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>

#include "frontend/reports/tabular.h"
#include "frontend/shell/mainmenu.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/openers.h"
#include "frontend/shell/run/saveoutput.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"

namespace kalvano::reports {

namespace {

// The bar colours of the load and breakdown charts, by bar.
const std::array<QColor, 9> kBarColour = {QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
                                          QColor(128, 0, 0),   QColor(128, 0, 128), QColor(128, 128, 0),
                                          QColor(255, 0, 0),   QColor(128, 128, 128), QColor(0, 0, 255)};
// The monthly charts' line colours.
const std::array<QColor, 3> kLineColour = {QColor(255, 0, 0), QColor(0, 0, 192), QColor(0, 64, 0)};

constexpr const char* kCategories[] = {"Roof",          "Walls",         "Window Trans.",
                                       "Window Solar",  "Lights/ Equip.", "People Sens.",
                                       "People Latent", "Infil./ Vent.", "Mass Effect"};
constexpr const char* kEndUses[] = {"Space Heating", "Water Heating", "Space Cooling",
                                    "Fan Motors",    "Lighting",      "Equipment"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QString Q(const std::string& text) { return shell::Latin1(text); }

// A caption on two lines, broken at its first blank.
std::string TwoLines(std::string text) {
  if (const std::size_t blank = text.find(' '); blank != std::string::npos) text[blank] = '\n';
  return text;
}

// Text with its left end (align left), right end (right) or centre (centre) at x, its
// baseline near y, in drawing units.
void Text(QPainter& p, double x, double y, const std::string& text, Qt::Alignment align,
          const QColor& colour = Qt::black) {
  p.setPen(colour);
  const double w = 2400;
  QRectF box(align & Qt::AlignRight ? x - w : align & Qt::AlignHCenter ? x - w / 2 : x, y - 200, w, 260);
  p.drawText(box, static_cast<int>(align | Qt::AlignVCenter) | Qt::TextDontClip, Q(text));
}

void Head(QPainter& p, const ChartHead& h) {
  Text(p, 400, 300, "Project Name: " + h.projectName, Qt::AlignLeft);
  Text(p, 400, 600, "Location:        " + h.location, Qt::AlignLeft);
}

void DrawLoads(QPainter& p, const LoadChartData& d) {
  Head(p, d.head);
  const double base = 3500, full = 1900;
  p.setPen(QPen(Qt::gray, 0, Qt::DotLine));
  for (int i = -2; i <= 2; ++i) p.drawLine(QLineF(1400, base - i * full / 2, 8800, base - i * full / 2));
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(QLineF(1400, base - full, 1400, base + full));
  p.drawLine(QLineF(1400, base, 8800, base));
  for (std::size_t i = 0; i < 2; ++i) {
    Text(p, 1350, base - (i + 1) * full / 2, d.plus[i], Qt::AlignRight);
    Text(p, 1350, base + (i + 1) * full / 2, d.minus[i], Qt::AlignRight);
  }
  Text(p, 400, base - full / 2 + 300, "Gains", Qt::AlignLeft);
  Text(p, 400, base + full / 2 + 300, "Losses", Qt::AlignLeft);
  Text(p, 1350, base - full - 250, d.unitsLabel, Qt::AlignRight);
  for (std::size_t b = 0; b < 9; ++b) {
    const double x = 1500 + 800.0 * static_cast<double>(b);
    const double h = (1900 / d.scale) * d.bar[b];
    p.fillRect(QRectF(QPointF(x, base), QPointF(x + 400, base - h)).normalized(), kBarColour[b]);
    Text(p, x + 200, base + full + 330, TwoLines(kCategories[b]), Qt::AlignHCenter, kBarColour[b]);
    Text(p, x + 200, base + full + 720, d.valcat[b], Qt::AlignHCenter, kBarColour[b]);
  }
  Text(p, 1500, 6450, d.totalCaption, Qt::AlignLeft);
}

void DrawMonthly(QPainter& p, const MonthlyChartData& d) {
  Head(p, d.head);
  const double base = 5000, full = 3500;
  p.setPen(QPen(Qt::gray, 0, Qt::DotLine));
  for (int i = 1; i <= 4; ++i) p.drawLine(QLineF(1350, base - i * full / 4, 8150, base - i * full / 4));
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(QLineF(1350, base - full, 1350, base));
  p.drawLine(QLineF(1350, base, 8150, base));
  for (std::size_t i = 0; i < 4; ++i) Text(p, 1300, base - (i + 1) * full / 4, d.axis[i], Qt::AlignRight);
  Text(p, 1300, base - full - 250, d.unitLabel, Qt::AlignRight);
  for (int m = 1; m <= 12; ++m) Text(p, 1450 + 600 * (m - 1), base + 250, kMonths[m - 1], Qt::AlignHCenter);
  const double f = full / d.scale;
  for (int c = 0; c < d.lines; ++c) {
    p.setPen(QPen(kLineColour[static_cast<std::size_t>(c)], 30));
    const auto& v = d.point[static_cast<std::size_t>(c)];
    for (int m = d.first; m <= d.last - 1; ++m) {
      const double x = 1450 + 600.0 * (m - 1);
      p.drawLine(QLineF(x, base - v[static_cast<std::size_t>(m)] * f, x + 600,
                        base - v[static_cast<std::size_t>(m + 1)] * f));
    }
  }
  // Legend and totals.
  for (std::size_t c = 0; c < 2; ++c) {
    const double y = 5700 + 300.0 * static_cast<double>(c);
    p.setPen(QPen(kLineColour[c], 30));
    p.drawLine(QLineF(1450, y, 1950, y));
    Text(p, 2050, y, d.legend[c], Qt::AlignLeft);
    Text(p, 4600, y, d.totalCaptions[c], Qt::AlignLeft);
    Text(p, 6400, y, c == 0 ? d.totheat : d.totcool, Qt::AlignLeft);
  }
  if (d.line5) {
    p.setPen(QPen(kLineColour[2], 30));
    p.drawLine(QLineF(1450, 6300, 1950, 6300));
  }
  Text(p, 2050, 6300, d.label8, Qt::AlignLeft);
}

void DrawSource(QPainter& p, const SourceChartData& d) {
  Head(p, d.head);
  const double base = 5000, full = 3500;
  p.setPen(QPen(Qt::gray, 0, Qt::DotLine));
  for (int i = 1; i <= 4; ++i) p.drawLine(QLineF(1900, base - i * full / 4, 7700, base - i * full / 4));
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(QLineF(1900, base - full, 1900, base));
  p.drawLine(QLineF(1900, base, 7700, base));
  for (std::size_t i = 0; i < 4; ++i) Text(p, 1850, base - (i + 1) * full / 4, d.axis[i], Qt::AlignRight);
  Text(p, 1850, base - full - 250, d.valueUnit, Qt::AlignRight);
  const double factor = full / d.scale;
  for (std::size_t i = 0; i < 6; ++i) {
    const double x = 2000 + 1000.0 * static_cast<double>(i);
    p.fillRect(QRectF(QPointF(x, base), QPointF(x + 500, base - d.bar[i] * factor)).normalized(), kBarColour[i]);
    Text(p, x + 250, base + 300, TwoLines(kEndUses[i]), Qt::AlignHCenter);
    Text(p, x + 250, base + 680, d.value[i + 1], Qt::AlignHCenter, kBarColour[i]);
    if (i >= 2) Text(p, x + 250, base + 950, d.kwh[i - 2], Qt::AlignHCenter, kBarColour[i]);
  }
  Text(p, 1850, base + 680, d.valueUnit, Qt::AlignRight);
  Text(p, 1850, base + 950, d.kwhUnit, Qt::AlignRight);
  Text(p, 2000, 6400, "Source E.U.F.:" + d.euf, Qt::AlignLeft);
}

QPointer<peak>& ThePeak() {
  static QPointer<peak> w;
  return w;
}
QPointer<monthly>& TheMonthly() {
  static QPointer<monthly> w;
  return w;
}
QPointer<source>& TheSource() {
  static QPointer<source> w;
  return w;
}

template <typename W>
W& Window(QPointer<W>& w) {
  if (w.isNull()) {
    w = new W;
    w->Form_Load();
  }
  return *w;
}

template <typename W>
void Unload(QPointer<W>& w) {
  if (w.isNull()) return;
  w->hide();
  w->deleteLater();
  w = nullptr;
}

}  // namespace

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent) {
  setMinimumSize(640, 430);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void ChartCanvas::SetData(Data data) {
  data_ = std::move(data);
  update();
}

QPointF ChartCanvas::ToPixels(double x, double y) const {
  const double s = std::min(width() / kDesignWidth, height() / kDesignHeight);
  return {x * s, y * s};
}

void ChartCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const double s = std::min(width() / kDesignWidth, height() / kDesignHeight);
  p.scale(s, s);
  QFont font = p.font();
  font.setPixelSize(130);
  p.setFont(font);
  if (const auto* d = std::get_if<LoadChartData>(&data_)) DrawLoads(p, *d);
  else if (const auto* d2 = std::get_if<MonthlyChartData>(&data_)) DrawMonthly(p, *d2);
  else if (const auto* d3 = std::get_if<SourceChartData>(&data_)) DrawSource(p, *d3);
}

ChartWindow::ChartWindow(int firstChart, int lastChart, std::initializer_list<ButtonSpec> buttons)
    : first_(firstChart), last_(lastChart) {
  auto* layout = new QVBoxLayout(this);
  canvas_ = new ChartCanvas(this);
  canvas_->setObjectName("chart");
  layout->addWidget(canvas_, 1);
  output_ = new QLabel(this);
  output_->setObjectName("OutputFile");
  layout->addWidget(output_);
  auto* grid = new QGridLayout;
  int column = 0;
  for (const ButtonSpec& b : buttons) {
    auto* button = new QPushButton(b.caption, this);
    button->setObjectName(b.name);
    buttons_[b.name] = button;
    grid->addWidget(button, column / 5, column % 5);
    ++column;
    const int chart = b.chart;
    connect(button, &QPushButton::clicked, this, [this, chart] {
      if (chart == kSave) save_Click();
      else if (chart == kTabular) Tabular_Click();
      else if (chart == kMainMenu) Command1_Click();
      else Chart_Click(chart);
    });
  }
  layout->addLayout(grid);
}

QPushButton* ChartWindow::button(const std::string& name) const {
  const auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

void ChartWindow::Form_Load() {
  resize(900, 640);
  shell::CentreOnScreen(this);
  output_->setText(shell::FromLocal(shell::Model().OutputFile));
}

void ChartWindow::Form_Activate() {
  Command1()->setEnabled(true);
  output_->setText(shell::FromLocal(shell::Model().OutputFile));
}

bool ChartWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return QWidget::event(event);
}

void ChartWindow::closeEvent(QCloseEvent* event) {
  // The window unloads itself when it goes back to the main menu; an answer that keeps it
  // (a save first, or Cancel) keeps it open.
  event->ignore();
  Command1_Click();
}

void ChartWindow::EnableCharts(int shown) {
  for (int chart = first_; chart <= last_; ++chart)
    for (const auto& [name, b] : buttons_)
      if (b->property("chart").isValid() && b->property("chart").toInt() == chart) b->setEnabled(chart != shown);
}

void ChartWindow::Chart_Click(int chart) {
  // A chart of another window replaces this one only when it opened: a reader that refuses
  // has shown its message, and this chart stays.
  if (ShowChart(chart) && (chart < first_ || chart > last_)) Unload();
}

void ChartWindow::Tabular_Click() {
  if (OpenTabularViewer(3)) Unload();  // the monthly summaries
}

void ChartWindow::save_Click() {
  save()->setEnabled(false);
  OpenSaveOutput();
}

void ChartWindow::OpenSaveOutput() {
  // From a results window the dialog's "Run" is disabled; its Cancel gives this window its
  // "Main Menu" and "Save Output" back.
  if (!shell::OpenWindow(shell::window::saveoutput, 1) || !shell::SaveOutputDialogExists()) return;
  connect(&shell::SaveOutputDialog(), &shell::saveoutform::cancelled, this, [this] {
    Command1()->setEnabled(true);
    save()->setEnabled(true);
  });
}

void ChartWindow::Command1_Click() {
  const model::ProjectModel& m = shell::Model();
  if (m.ResultsExist == 1 && m.OutputSaved == 0) {
    const shell::MsgAnswer answer = shell::Messages().ask(
        kUnsavedResultsText, kUnsavedResultsTitle, model::MsgIcon::Information, shell::MsgButtons::YesNoCancel);
    if (answer == shell::MsgAnswer::Yes) {
      OpenSaveOutput();
      return;
    }
    if (answer != shell::MsgAnswer::No) {
      Command1()->setEnabled(true);
      return;
    }
  }
  shell::ShowModeless(&shell::MainMenu());
  Unload();
}

peak::peak()
    : ChartWindow(kPeakHeatingChart, kAnnualCoolingChart,
                  {{"save", "Save Output", kSave},
                   {"Command2", "Tabular", kTabular},
                   {"source", "Breakdown", kSourceEnergyChart},
                   {"utility", "Utility Costs", kMonthlyCostChart},
                   {"monenergy", "Monthly HC", kMonthlyEnergyChart},
                   {"annucool", "Ann. Cooling", kAnnualCoolingChart},
                   {"annuheat", "Ann. Heating", kAnnualHeatingChart},
                   {"peakcool", "Peak Cooling", kPeakCoolingChart},
                   {"peakheat", "Peak Heating", kPeakHeatingChart},
                   {"Command1", "Main Menu", kMainMenu}}) {
  button("annucool")->setProperty("chart", kAnnualCoolingChart);
  button("annuheat")->setProperty("chart", kAnnualHeatingChart);
  button("peakcool")->setProperty("chart", kPeakCoolingChart);
  button("peakheat")->setProperty("chart", kPeakHeatingChart);
}

void peak::Show(const LoadChartData& d) {
  canvas()->SetData(d);
  setWindowTitle(shell::FromLocal(d.caption));
  EnableCharts(d.chart);
  shell::ShowModeless(this);
}

void peak::Unload() { reports::Unload(ThePeak()); }

monthly::monthly()
    : ChartWindow(kMonthlyEnergyChart, kMonthlyCostChart,
                  {{"save", "Save Output", kSave},
                   {"Command2", "Tabular", kTabular},
                   {"utility", "Utility Costs", kMonthlyCostChart},
                   {"source", "Breakdown", kSourceEnergyChart},
                   {"monenergy", "Monthly HC", kMonthlyEnergyChart},
                   {"anncool", "Ann. Cooling", kAnnualCoolingChart},
                   {"annheat", "Ann. Heating", kAnnualHeatingChart},
                   {"peakcool", "Peak Cooling", kPeakCoolingChart},
                   {"peakheat", "Peak Heating", kPeakHeatingChart},
                   {"Command1", "Main Menu", kMainMenu}}) {
  button("utility")->setProperty("chart", kMonthlyCostChart);
  button("monenergy")->setProperty("chart", kMonthlyEnergyChart);
}

void monthly::Show(const MonthlyChartData& d) {
  canvas()->SetData(d);
  setWindowTitle(shell::FromLocal(d.caption));
  EnableCharts(d.chart);
  shell::ShowModeless(this);
}

void monthly::Unload() { reports::Unload(TheMonthly()); }

source::source()
    : ChartWindow(kSourceEnergyChart, kSourceEnergyChart,
                  {{"save", "Save Output", kSave},
                   {"Command5", "Tabular", kTabular},
                   {"Command4", "Breakdown", kSourceEnergyChart},
                   {"Command3", "Utility Costs", kMonthlyCostChart},
                   {"Command2", "Monthly HC", kMonthlyEnergyChart},
                   {"annucool", "Ann. Cooling", kAnnualCoolingChart},
                   {"annuheat", "Ann. Heating", kAnnualHeatingChart},
                   {"peakcool", "Peak Cooling", kPeakCoolingChart},
                   {"peakheat", "Peak Heating", kPeakHeatingChart},
                   {"Command1", "Main Menu", kMainMenu}}) {
  button("Command4")->setProperty("chart", kSourceEnergyChart);
}

void source::Show(const SourceChartData& d) {
  canvas()->SetData(d);
  setWindowTitle(shell::FromLocal(d.caption));
  EnableCharts(kSourceEnergyChart);
  shell::ShowModeless(this);
}

void source::Unload() { reports::Unload(TheSource()); }

bool ShowChart(int chart) {
  model::ProjectModel& m = shell::Model();
  model::MessageBoxes& boxes = shell::Messages();
  if (chart >= kPeakHeatingChart && chart <= kAnnualCoolingChart) {
    const auto d = ReadLoadChart(m, boxes, chart);
    if (d) Window(ThePeak()).Show(*d);
    return d.has_value();
  }
  if (chart == kMonthlyEnergyChart || chart == kMonthlyCostChart) {
    const auto d = ReadMonthlyChart(m, boxes, chart);
    if (d) Window(TheMonthly()).Show(*d);
    return d.has_value();
  }
  const auto d = ReadSourceEnergy(m, boxes);
  if (d) Window(TheSource()).Show(*d);
  return d.has_value();
}

void ShowPeakHeatingLoads() { ShowChart(kPeakHeatingChart); }
void ShowPeakCoolingLoads() { ShowChart(kPeakCoolingChart); }
void ShowAnnualHeatingLoads() { ShowChart(kAnnualHeatingChart); }
void ShowAnnualCoolingLoads() { ShowChart(kAnnualCoolingChart); }
void ShowMonthlyEnergy() { ShowChart(kMonthlyEnergyChart); }
void ShowMonthlyUtilityCosts() { ShowChart(kMonthlyCostChart); }
void ShowSourceEnergy() { ShowChart(kSourceEnergyChart); }

peak* PeakWindow() { return ThePeak().data(); }
monthly* MonthlyWindow() { return TheMonthly().data(); }
source* SourceWindow() { return TheSource().data(); }

void UnloadCharts() {
  Unload(ThePeak());
  Unload(TheMonthly());
  Unload(TheSource());
}

}  // namespace kalvano::reports
