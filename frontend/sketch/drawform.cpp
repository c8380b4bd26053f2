#include "frontend/sketch/drawform.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

#include "frontend/model/atomic_file.h"
#include "frontend/model/file_error.h"
#include "frontend/model/helpers.h"
#include "frontend/model/numtext.h"
#include "frontend/shell/filefault.h"
#include "frontend/shell/keyfilter.h"
#include "frontend/shell/learning.h"
#include "frontend/shell/messagebox.h"
#include "frontend/shell/printing.h"
#include "frontend/shell/session.h"
#include "frontend/shell/widgets.h"
#include "frontend/shell/windowing.h"
#include "frontend/sketch/sketchdialogs.h"
#include "frontend/sketch/sketchexport.h"
#include "runfiles.h"

namespace kalvano::sketch {

namespace {

using shell::MsgAnswer;
using shell::MsgButtons;
using shell::MsgIcon;

const QColor kStripColour(212, 208, 200);  // no zone's colour
const QColor kGridDotColour(16, 0, 0);     // zone 1's colour value plus 16

QColor Colour(int zone) {
  const Rgb c = ZoneColour(zone);
  return QColor(c.red, c.green, c.blue);
}

QColor White() { return Colour(0); }

std::string Text(const QLineEdit* box) { return box->text().toLatin1().toStdString(); }

QPointer<DrawForm>& TheWindow() {
  static QPointer<DrawForm> window;
  return window;
}

// The nearest grid point of a drawing point.
QPoint NearestGridPoint(double x, double y) {
  return {static_cast<int>(std::floor(x / kCellDrawSize + 0.5)) * kCellDrawSize,
          static_cast<int>(std::floor(y / kCellDrawSize + 0.5)) * kCellDrawSize};
}

bool InDrawing(double x, double y) { return x >= 0 && x < kDrawWidth && y >= 0 && y < kDrawHeight; }

// Top of the name box of zone n (1..25) in drawing units.
double NameTop(int n) { return 496 - 16.0 * (n - 1); }

}  // namespace

QPointF DrawingPoint(QSize canvas, QPointF pixel) {
  const double scale = std::min(canvas.width() / double(kDrawWidth - kDrawLeft),
                                canvas.height() / double(kDrawHeight));
  return {pixel.x() / scale + kDrawLeft, kDrawHeight - pixel.y() / scale};
}

// ---------------------------------------------------------------------------------------
// The level scroll bar

LevelScrollBar::LevelScrollBar(QWidget* parent, std::function<void(int)> step)
    : QScrollBar(Qt::Horizontal, parent), step_(std::move(step)) {
  setRange(1, kMaxLevels);
  setSingleStep(1);
  setPageStep(1);
  // A drag of the thumb is one change, when the thumb is let go.
  setTracking(false);
  connect(this, &QAbstractSlider::actionTriggered, this, &LevelScrollBar::Action);
  connect(this, &QAbstractSlider::sliderReleased, this, [this] { Action(SliderMove); });
}

void LevelScrollBar::ShowLevel(int level) {
  level_ = level;
  const QSignalBlocker block(this);
  setValue(level);
  setSliderPosition(level);
}

void LevelScrollBar::mousePressEvent(QMouseEvent* event) {
  QScrollBar::mousePressEvent(event);
  // One press, one step: the arrow held down does not repeat it.
  setRepeatAction(SliderNoAction);
}

void LevelScrollBar::Action(int action) {
  int direction = 0;
  switch (action) {
    case SliderSingleStepAdd:
    case SliderPageStepAdd:
    case SliderToMaximum:
      direction = 1;
      break;
    case SliderSingleStepSub:
    case SliderPageStepSub:
    case SliderToMinimum:
      direction = -1;
      break;
    case SliderMove:
      // The wheel, or a dragged thumb let go (not while it is still dragged).
      if (!isSliderDown()) direction = sliderPosition() > level_ ? 1 : (sliderPosition() < level_ ? -1 : 0);
      break;
    default:
      break;
  }
  if (direction == 0) return;
  if (pending_ == 0) QTimer::singleShot(0, this, &LevelScrollBar::Step);
  pending_ = direction;
}

void LevelScrollBar::Step() {
  const int direction = std::exchange(pending_, 0);
  ShowLevel(level_);  // the bar's own move is undone; the step decides the level
  if (direction != 0 && step_) step_(direction);
  // A question the step asked may have taken the button's release: the arrow is let go.
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(-1, -1), mapToGlobal(QPointF(-1, -1)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QScrollBar::mouseReleaseEvent(&release);
  }
}

// ---------------------------------------------------------------------------------------
// The canvas

DrawCanvas::DrawCanvas(DrawForm* form) : QWidget(form), form_(form) {
  setObjectName("canvas");
  setMouseTracking(true);
  setMinimumSize(450, 300);
}

double DrawCanvas::Scale() const {
  return std::min(width() / double(kDrawWidth - kDrawLeft), height() / double(kDrawHeight));
}

QRect DrawCanvas::Place(double left, double top, double width, double height) const {
  const double s = Scale();
  return QRect(static_cast<int>((left - kDrawLeft) * s), static_cast<int>((kDrawHeight - top) * s),
               std::max(1, static_cast<int>(width * s)), std::max(1, static_cast<int>(height * s)));
}

void DrawCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  const double s = Scale();
  p.scale(s, s);
  form_->PaintDrawing(p, 1 / s);
}

void DrawCanvas::resizeEvent(QResizeEvent*) {
  for (const StripPlace& place : form_->StripPlaces()) {
    place.widget->setGeometry(Place(place.left, place.top, place.width, place.height));
  }
}

void DrawCanvas::mousePressEvent(QMouseEvent* e) {
  const QPointF d = DrawingPoint(size(), e->position());
  form_->Form_MouseDown(e->button() == Qt::LeftButton ? 1 : 2, 0, d.x(), d.y());
}

void DrawCanvas::mouseMoveEvent(QMouseEvent* e) {
  const QPointF d = DrawingPoint(size(), e->position());
  form_->Form_MouseMove((e->buttons() & Qt::LeftButton) ? 1 : 0, 0, d.x(), d.y());
}

void DrawCanvas::mouseReleaseEvent(QMouseEvent* e) {
  const QPointF d = DrawingPoint(size(), e->position());
  form_->Form_MouseUp(e->button() == Qt::LeftButton ? 1 : 2, 0, d.x(), d.y());
}

// ---------------------------------------------------------------------------------------
// The window

DrawForm::DrawForm(QWidget* parent)
    : QWidget(parent, Qt::Window),
      cells_(shell::Model().GridRows, shell::Model().GridCols),
      image_(kDrawWidth - kDrawLeft, kDrawHeight, QImage::Format_RGB32) {
  setObjectName("DrawForm");
  setAttribute(Qt::WA_DeleteOnClose);
  const model::ProjectModel& m = shell::Model();
  resketchedBefore_ = m.Resketched;
  setWindowTitle(shell::FromLocal("KAL-VANO -- Building Sketch -- " + m.ProjectFile));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  BuildMenus(layout);
  canvas_ = new DrawCanvas(this);
  layout->addWidget(canvas_, 1);
  BuildStrip();
  auto* row = new QHBoxLayout;
  bldgArea_ = new QLabel(this);
  bldgArea_->setObjectName("BldgArea");
  stories_ = new QLabel(this);
  stories_->setObjectName("Stories");
  for (int i = 0; i < 2; ++i) {
    auto* label = new QLabel(i == 0 ? "Local" : "Global", this);
    label->setObjectName(QString("Coordinates(%1)").arg(i));
    label->setMinimumWidth(150);
    coordinates_[static_cast<std::size_t>(i)] = label;
  }
  exit_ = new QPushButton("<< Back", this);
  exit_->setObjectName("Exit");
  connect(exit_, &QPushButton::clicked, this, &DrawForm::Exit_Click);
  row->addWidget(bldgArea_);
  row->addWidget(stories_);
  row->addWidget(coordinates_[0]);
  row->addWidget(coordinates_[1]);
  row->addStretch(1);
  row->addWidget(exit_);
  layout->addLayout(row);
  resize(1080, 760);
  Form_Load();
}

void DrawForm::BuildMenus(QVBoxLayout* layout) {
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  auto add = [this](QMenu* menu, const char* name, const char* caption, void (DrawForm::*slot)()) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setObjectName(name);
    if (slot != nullptr) connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* file = bar->addMenu("&File");
  add(file, "SaveItem", "&Save Dwg...", &DrawForm::SaveItem_Click);
  add(file, "LoadItem", "&Load Dwg...", &DrawForm::LoadItem_Click);
  add(file, "PrintItem", "&Print", &DrawForm::PrintItem_Click);
  add(file, "ToItem", "Copy To Clip&board", &DrawForm::ToItem_Click);
  add(file, "finish", "&Cancel Changes, Return", &DrawForm::finish_Click);
  QMenu* mode = bar->addMenu("&Draw Mode");
  add(mode, "boxbutton", "&Rectangular Zones", &DrawForm::boxbutton_Click);
  add(mode, "MatrixButton", "&Grid Fill/Erase", &DrawForm::MatrixButton_Click);
  add(mode, "Guidelines", "&Dashed Guidelines", &DrawForm::Guidelines_Click);
  QMenu* edit = bar->addMenu("&Edit");
  add(edit, "Erase_area", "Erase &Window", &DrawForm::Erase_area_Click);
  add(edit, "erase_dwg", "Erase &All", &DrawForm::erase_dwg_Click);
  QMenu* view = bar->addMenu("&View");
  add(view, "Refresh_grid", "&Refresh Grid", &DrawForm::Refresh_grid_Click);
  add(view, "Redraw", "&Cleanup", &DrawForm::Redraw_Click);
  QMenu* units = view->addMenu("Drawing &Units");
  const bool si = shell::Model().UnitSystem == model::kSI;
  QAction* ip = add(units, "draw_unit(0)", "I-P Units", nullptr);
  QAction* siItem = add(units, "draw_unit(1)", "SI Units", nullptr);
  ip->setCheckable(true);
  siItem->setCheckable(true);
  ip->setChecked(!si);
  siItem->setChecked(si);
  (si ? ip : siItem)->setEnabled(false);
  QMenu* help = bar->addMenu("&Help");
  add(help, "tutorial", "Drawing &Tutorial", &DrawForm::tutorial_Click);
}

void DrawForm::BuildStrip() {
  const std::array<const char*, 5> captions{"Grid Size", "Num.Flrs.", "CeilingHt.", "Rotation", ""};
  for (std::size_t i = 0; i < 4; ++i) {
    auto* label = new QLabel(captions[i], canvas_);
    label->setObjectName(QString("Text%1").arg(i + 1));
    stripLabels_[i] = label;
  }
  auto box = [this](const char* name) {
    auto* b = new QLineEdit(canvas_);
    b->setObjectName(name);
    shell::InstallKeyFilter(b, this);
    connect(b, &QLineEdit::textEdited, this, [this, b] { FieldChanged(b); });
    return b;
  };
  gridsize_ = box("gridsize");
  numFloors_ = box("num_floors");
  ceilingHt_ = box("ceiling_ht");
  orientation_ = box("Orientation");
  level_ = new QLabel(canvas_);
  level_->setObjectName("Level");
  hscroll_ = new LevelScrollBar(canvas_, [this](int direction) { HScroll1_Change(currentLevel_ + direction); });
  hscroll_->setObjectName("HScroll1");
  zoneAreaBox_ = new QLineEdit(canvas_);
  zoneAreaBox_->setObjectName("zone_area");
  zoneAreaBox_->setReadOnly(true);
  for (int n = 1; n <= kZones; ++n) {
    auto* name = new QLineEdit(canvas_);
    name->setObjectName(QString("znname(%1)").arg(n - 1));
    name->installEventFilter(this);
    names_[static_cast<std::size_t>(n - 1)] = name;
  }
}

void DrawForm::Form_Load() {
  model::ProjectModel& m = shell::Model();
  try {
    sketch_ = ReadSketchFile(model::AppPath(m, files::kBuildingMatrix), m.GridRows, m.GridCols,
                             m.UnitSystem == model::kSI && m.NewSketch == 1);
  } catch (const model::FileError& error) {
    shell::ReportFileFault(error);
    return;
  }
  const SketchLevel& first = sketch_.Level(1);
  gridSize_ = first.Header(kGridSize);
  orientAngle_ = first.Header(kOrientation);
  for (int n = 1; n <= kZones; ++n) {
    names_[static_cast<std::size_t>(n - 1)]->setText(shell::Latin1(" Zone 1-" + model::NumberText(float(n))));
  }
  gridsize_->setText(shell::Latin1(model::NumberText(gridSize_)));
  orientation_->setText(shell::Latin1(model::NumberText(orientAngle_)));
  m.PaintZone = 1;
  pen_ = fill_ = Colour(1);
  zoneArea_.fill(0);
  zoneAreaBox_->setText("Zn area= 0");
  m.NewSketch = 0;
  currentLevel_ = 0;
  loaded_ = true;
  ChangeLevel(1);
  RecountZoneAreas();
}

int DrawForm::PaintZone() const { return shell::Model().PaintZone; }

void DrawForm::OpenSketch(Sketch sketch) {
  sketch_ = std::move(sketch);
  const SketchLevel& first = sketch_.Level(1);
  gridSize_ = first.Header(kGridSize);
  orientAngle_ = first.Header(kOrientation);
  gridsize_->setText(shell::Latin1(model::NumberText(gridSize_)));
  orientation_->setText(shell::Latin1(model::NumberText(orientAngle_)));
  currentLevel_ = 0;
  ChangeLevel(1);
  RecountZoneAreas();
}

// --- drawing ------------------------------------------------------------------------

QColor DrawForm::ColourAt(double x, double y) const {
  const int px = static_cast<int>(std::floor(x)) - kDrawLeft;
  const int py = kDrawHeight - 1 - static_cast<int>(std::floor(y));
  if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return kStripColour;
  return image_.pixelColor(px, py);
}

int DrawForm::ZoneOfColour(QColor colour) const {
  for (int z = 1; z <= kZones; ++z) {
    if (Colour(z) == colour) return z;
  }
  return 0;
}

void DrawForm::FillBox(QPoint a, QPoint b, QColor colour) {
  const int x0 = std::clamp(std::min(a.x(), b.x()), 0, kDrawWidth);
  const int x1 = std::clamp(std::max(a.x(), b.x()), 0, kDrawWidth);
  const int y0 = std::clamp(std::min(a.y(), b.y()), 0, kDrawHeight);
  const int y1 = std::clamp(std::max(a.y(), b.y()), 0, kDrawHeight);
  if (x1 <= x0 || y1 <= y0) return;
  QPainter p(&image_);
  p.fillRect(QRect(x0 - kDrawLeft, kDrawHeight - y1, x1 - x0, y1 - y0), colour);
}

void DrawForm::FillCell(double x, double y, QColor colour) {
  const int cx = static_cast<int>(std::floor(x / kCellDrawSize)) * kCellDrawSize;
  const int cy = static_cast<int>(std::floor(y / kCellDrawSize)) * kCellDrawSize;
  FillBox(QPoint(cx, cy), QPoint(cx + kCellDrawSize, cy + kCellDrawSize), colour);
}

void DrawForm::Redraw() {
  image_.fill(kStripColour);
  {
    QPainter p(&image_);
    p.fillRect(QRect(-kDrawLeft, 0, kDrawWidth, kDrawHeight), White());
  }
  for (int r = 1; r <= cells_.Rows(); ++r) {
    for (int c = 1; c <= cells_.Cols(); ++c) {
      const int z = cells_.Cell(r, c);
      if (z > 0) {
        FillBox(QPoint((c - 1) * kCellDrawSize, (r - 1) * kCellDrawSize),
                QPoint(c * kCellDrawSize, r * kCellDrawSize), Colour(z));
      }
    }
  }
  pendingKey_.clear();
  DrawGrid();
}

void DrawForm::DrawGrid() {
  QPainter p(&image_);
  for (int n = 1; n <= kZones; ++n) {
    const double top = NameTop(n);
    p.fillRect(QRect(-99 - kDrawLeft, static_cast<int>(kDrawHeight - top) + 1, 13, 14), Colour(n));
  }
  for (int x = 0; x <= cells_.Cols() * kCellDrawSize; x += kCellDrawSize) {
    for (int y = 0; y <= cells_.Rows() * kCellDrawSize; y += kCellDrawSize) {
      const int size = x % (4 * kCellDrawSize) == 0 && y % (4 * kCellDrawSize) == 0 ? 2 : 1;
      const int px = x - kDrawLeft, py = kDrawHeight - y;
      for (int dx = 0; dx < size; ++dx) {
        for (int dy = 0; dy < size; ++dy) {
          const int qx = px - dx, qy = py - dy;
          if (qx >= -kDrawLeft && qx < image_.width() && qy >= 0 && qy < image_.height()) {
            image_.setPixelColor(qx, qy, kGridDotColour);
          }
        }
      }
    }
  }
  canvas_->update();
}

void DrawForm::PaintDrawing(QPainter& p, double hairline) const {
  p.save();
  p.drawImage(0, 0, image_);
  // Drawing units from here on: x from -100, y upward.
  p.translate(-kDrawLeft, kDrawHeight);
  p.scale(1, -1);
  QRect band;
  if (Rubber(band)) {
    p.setPen(QPen(Qt::black, hairline, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(band);
  }
  // The north arrow and its marker.
  const double theta = ArrowAngle() * 3.141593 / 180;
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(255, 0, 0), 2));
  p.drawLine(QPointF(20, 20), QPointF(20 - 20 * std::sin(theta), 20 + 20 * std::cos(theta)));
  p.setPen(QPen(Colour(2), 1));
  p.drawEllipse(QPointF(20, 20), 12, 12);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(20, 20), QPointF(20, 42));
  p.drawLine(QPointF(20, 42), QPointF(17, 36));
  p.scale(1, -1);
  QFont font = canvas_->font();
  font.setPixelSize(11);
  p.setFont(font);
  p.drawText(QPointF(23, -44), "N");
  p.restore();
}

std::vector<StripPlace> DrawForm::StripPlaces() const {
  std::vector<StripPlace> places;
  const std::array<QWidget*, 4> boxes{gridsize_, numFloors_, ceilingHt_, orientation_};
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const double top = 600 - 17.0 * static_cast<double>(i);
    places.push_back({stripLabels_[i], -100, top, 62, 16});
    places.push_back({boxes[i], -37, top, 37, 16});
  }
  places.push_back({level_, -100, 532, 62, 16});
  places.push_back({hscroll_, -35, 532, 35, 16});
  places.push_back({zoneAreaBox_, -100, 515, 100, 16});
  for (int n = 1; n <= kZones; ++n) places.push_back({names_[static_cast<std::size_t>(n - 1)], -85, NameTop(n), 85, 17});
  return places;
}

void DrawForm::PaintStrip(QPainter& p) const {
  p.save();
  QFont font = canvas_->font();
  font.setPixelSize(11);
  p.setFont(font);
  for (const StripPlace& place : StripPlaces()) {
    const QRectF box(place.left - kDrawLeft, kDrawHeight - place.top, place.width, place.height);
    QString text;
    if (const auto* edit = qobject_cast<const QLineEdit*>(place.widget)) {
      p.setPen(QPen(Qt::gray, 0.5));
      p.setBrush(Qt::white);
      p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
      text = edit->text();
    } else if (const auto* label = qobject_cast<const QLabel*>(place.widget)) {
      text = label->text();
    }
    p.setPen(Qt::black);
    p.drawText(box.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  p.restore();
}

bool DrawForm::Rubber(QRect& band) const {
  if (!dragging_ || mode_ == Mode::Fill) return false;
  band = QRect(QPoint(std::min(anchor_.x(), current_.x()), std::min(anchor_.y(), current_.y())),
               QPoint(std::max(anchor_.x(), current_.x()), std::max(anchor_.y(), current_.y())));
  return true;
}

float DrawForm::ArrowAngle() const {
  return static_cast<float>(model::Val((orientation_->text() + pendingKey_).toLatin1().toStdString()));
}

void DrawForm::ShowZoneArea() {
  zoneAreaBox_->setText(shell::Latin1("Zn area=" + model::NumberText(zoneArea_[static_cast<std::size_t>(PaintZone())])));
}

void DrawForm::ShowFloorArea() {
  bldgArea_->setText(shell::Latin1("FlrArea=" + model::NumberText(sketchFloorArea_)));
}

// --- mouse ------------------------------------------------------------------------------

void DrawForm::Form_MouseDown(int button, int, double x, double y) {
  zonePainted_ = static_cast<int>(std::lround(x));
  coordinates_[1]->setText("Dim: 0., 0.");
  model::ProjectModel& m = shell::Model();
  const float cell = gridSize_ * gridSize_;
  if (button == 1 && InDrawing(x, y)) {
    anchor_ = current_ = NearestGridPoint(x, y);
    dragging_ = true;
    if (mode_ == Mode::Fill) {
      const int under = ZoneOfColour(ColourAt(x, y));
      if (under > 0) {
        fill_ = White();
        zoneArea_[static_cast<std::size_t>(under)] =
            model::RoundTo(zoneArea_[static_cast<std::size_t>(under)] - cell, 1);
        sketchFloorArea_ -= floors_ * cell;
      } else {
        fill_ = Colour(m.PaintZone);
        zoneArea_[static_cast<std::size_t>(m.PaintZone)] =
            model::RoundTo(cell + zoneArea_[static_cast<std::size_t>(m.PaintZone)], 1);
        sketchFloorArea_ += floors_ * cell;
      }
      FillCell(x, y, fill_);
      ShowZoneArea();
      ShowFloorArea();
    }
  } else if (button == 1 && x < -85 && y >= 0 && y < kDrawHeight) {
    // A press on a colour swatch picks its zone.
    const QColor colour = ColourAt(x, y);
    const int zone = ZoneOfColour(colour);
    if (zone > 0) {
      pen_ = fill_ = colour;
      m.PaintZone = static_cast<int16_t>(zone);
      ShowZoneArea();
    }
  }
  canvas_->update();
}

void DrawForm::Form_MouseMove(int button, int, double x, double y) {
  if (!InDrawing(x, y)) return;
  const double scale = gridSize_ / kCellDrawSize;
  const QPoint g = NearestGridPoint(x, y);
  auto units = [scale](double drawing) {
    return static_cast<float>(std::floor(drawing * scale * 10 + 0.5) / 10);
  };
  coordinates_[0]->setText(shell::Latin1("X,Y=" + model::NumberText(units(g.x())) + "," +
                                         model::NumberText(units(g.y()))));
  if (button != 1 || !dragging_) return;
  coordinates_[1]->setText(shell::Latin1(
      std::string("Dim: ") + (g.x() > anchor_.x() ? ">" : "<") +
      model::NumberText(units(std::abs(g.x() - anchor_.x()))) + ", " +
      (g.y() > anchor_.y() ? "^" : "v") + model::NumberText(units(std::abs(g.y() - anchor_.y())))));
  if (mode_ != Mode::Fill) {
    current_ = g;
    canvas_->update();
    return;
  }
  const QColor under = ColourAt(x, y);
  if (under == fill_) return;
  const float cell = gridSize_ * gridSize_;
  model::ProjectModel& m = shell::Model();
  if (const int lost = ZoneOfColour(under); lost > 0) {
    zoneArea_[static_cast<std::size_t>(lost)] = model::RoundTo(zoneArea_[static_cast<std::size_t>(lost)] - cell, 1);
    sketchFloorArea_ -= floors_ * cell;
  }
  if (fill_ != White()) {
    zoneArea_[static_cast<std::size_t>(m.PaintZone)] =
        model::RoundTo(zoneArea_[static_cast<std::size_t>(m.PaintZone)] + cell, 1);
    sketchFloorArea_ += floors_ * cell;
  }
  FillCell(x, y, fill_);
  ShowZoneArea();
  ShowFloorArea();
  canvas_->update();
}

void DrawForm::Form_MouseUp(int button, int, double x, double y) {
  if (button == 1 && dragging_ && InDrawing(x, y)) {
    const QPoint end = NearestGridPoint(x, y);
    if (mode_ == Mode::Guide) {
      QPainter p(&image_);
      p.setPen(QPen(pen_, 1, Qt::DotLine));
      p.drawRect(QRect(QPoint(std::min(anchor_.x(), end.x()) - kDrawLeft, kDrawHeight - std::max(anchor_.y(), end.y())),
                       QPoint(std::max(anchor_.x(), end.x()) - kDrawLeft, kDrawHeight - std::min(anchor_.y(), end.y()))));
    } else if (mode_ == Mode::Box) {
      FillBox(anchor_, end, pen_);
      const double scale = gridSize_ / kCellDrawSize;
      const double added = scale * scale * std::abs(end.x() - anchor_.x()) * std::abs(end.y() - anchor_.y());
      const auto pz = static_cast<std::size_t>(PaintZone());
      zoneArea_[pz] = model::RoundTo(zoneArea_[pz] + added, 1);
      ShowZoneArea();
    }
  }
  dragging_ = false;
  RecountZoneAreas();
  canvas_->update();
}

// --- commands ---------------------------------------------------------------------------

void DrawForm::SetMode(Mode mode) {
  mode_ = mode;
  dragging_ = false;
}

void DrawForm::boxbutton_Click() { SetMode(Mode::Box); }
void DrawForm::MatrixButton_Click() { SetMode(Mode::Fill); }
void DrawForm::Guidelines_Click() { SetMode(Mode::Guide); }

void DrawForm::Erase_area_Click() {
  SetMode(Mode::Box);
  pen_ = White();
}

void DrawForm::Refresh_grid_Click() {
  pendingKey_.clear();
  DrawGrid();
}

void DrawForm::znname_Click(int index) {
  pen_ = fill_ = Colour(index + 1);
  shell::Model().PaintZone = static_cast<int16_t>(index + 1);
  ShowZoneArea();
}

void DrawForm::RecountZoneAreas() {
  for (int r = 1; r <= cells_.Rows(); ++r) {
    for (int c = 1; c <= cells_.Cols(); ++c) {
      const QColor colour = ColourAt((c - 0.5) * kCellDrawSize, (r - 0.75) * kCellDrawSize);
      if (colour == White()) {
        cells_.SetCell(r, c, 0);
        continue;
      }
      const int z = ZoneOfColour(colour);
      if (z == 0) continue;  // a guideline or a dot: the cell keeps its zone
      cells_.SetCell(r, c, z);
    }
  }
  CountZoneAreas();
  if (zonePainted_ > 0) {
    for (int z = 1; z <= kZones; ++z) {
      if (zoneArea_[static_cast<std::size_t>(z)] == 0) {
        names_[static_cast<std::size_t>(z - 1)]->setText(shell::Latin1(DefaultZoneName(currentLevel_, z)));
      }
    }
  }
  ShowSketchCounts();
}

void DrawForm::CountZoneAreas() {
  zoneArea_.fill(0);
  float total = 0;
  for (int z = 1; z <= kZones; ++z) {
    zoneArea_[static_cast<std::size_t>(z)] = sketch::ZoneArea(cells_, z, gridSize_);
    total += zoneArea_[static_cast<std::size_t>(z)];
  }
  cells_.SetHeader(kFloorArea, total);
  cells_.SetHeader(kSectionArea, floors_ * total);
  ShowZoneArea();
}

void DrawForm::ShowSketchCounts() {
  Sketch sketch = sketch_;
  if (currentLevel_ >= 1 && currentLevel_ <= LevelCount()) sketch.Level(currentLevel_) = LevelOnScreen();
  sketchFloorArea_ = SketchFloorArea(sketch, gridSize_);
  ShowFloorArea();
  stories_->setText(shell::Latin1("Stories=" + model::NumberText(SketchStories(sketch))));
}

SketchLevel DrawForm::LevelOnScreen() const {
  SketchLevel level = cells_;
  level.SetHeader(kGridSize, gridSize_);
  level.SetHeader(kOrientation, orientAngle_);
  level.SetHeader(kFloors, floors_);
  level.SetHeader(kRoomHeight, roomHeight_);
  for (int n = 1; n <= kZones; ++n) level.SetName(n, Text(names_[static_cast<std::size_t>(n - 1)]));
  return level;
}

void DrawForm::WriteLevelFile() {
  if (currentLevel_ < 1 || currentLevel_ > LevelCount()) return;
  sketch_.Level(currentLevel_) = LevelOnScreen();
}

bool DrawForm::ChangeLevel(int to) {
  if (to > LevelCount()) {
    if (!AddLevel()) to = currentLevel_;
    to = std::min(to, LevelCount());
  }
  if (to < 1 || to == currentLevel_) {
    hscroll_->ShowLevel(currentLevel_);
    return false;
  }
  currentLevel_ = to;
  ShowLevel();
  return true;
}

bool DrawForm::AddLevel() {
  shell::MessageBoxes& boxes = shell::Messages();
  asking_ = true;
  const MsgAnswer answer = boxes.ask("Maximum number of floors exceeded!  Do you wish to add another floor?",
                                     "Maximum Levels Exceeded", MsgIcon::Exclamation, MsgButtons::YesNo);
  asking_ = false;
  if (answer != MsgAnswer::Yes) return false;
  if (LevelCount() >= kMaxLevels) {
    boxes.show("The sketch already has 98 levels, the most it can hold.", "Maximum Levels Exceeded",
               MsgIcon::Exclamation);
    return false;
  }
  // The new level is a copy of the top one: header, names and cells.
  sketch_.levels.push_back(sketch_.Level(LevelCount()));
  return true;
}

void DrawForm::ShowLevel() {
  const SketchLevel& level = sketch_.Level(currentLevel_);
  cells_ = level;
  for (int n = 1; n <= kZones; ++n) {
    std::string name = level.Name(n);
    if (IsDefaultZoneName(name)) name = DefaultZoneName(currentLevel_, n);
    names_[static_cast<std::size_t>(n - 1)]->setText(shell::Latin1(name));
  }
  if (currentLevel_ == 1) {
    gridSize_ = level.Header(kGridSize);
    orientAngle_ = level.Header(kOrientation);
  }
  floors_ = level.Header(kFloors);
  roomHeight_ = level.Header(kRoomHeight);
  numFloors_->setText(shell::Latin1(model::NumberText(floors_)));
  ceilingHt_->setText(shell::Latin1(model::NumberText(roomHeight_)));
  level_->setText(shell::Latin1("Level= " + LevelText(currentLevel_)));
  hscroll_->ShowLevel(currentLevel_);
  Redraw();
  CountZoneAreas();
  ShowSketchCounts();
}

void DrawForm::HScroll1_Change(int value) {
  // A change that arrives while the question of an earlier one is open is no step.
  if (asking_ || value == currentLevel_) {
    hscroll_->ShowLevel(currentLevel_);
    return;
  }
  WriteLevelFile();
  ChangeLevel(value > currentLevel_ ? currentLevel_ + 1 : currentLevel_ - 1);
}

void DrawForm::erase_dwg_Click() {
  shell::MessageBoxes& boxes = shell::Messages();
  if (boxes.ask("Are you sure?", "Warning - Drawing will be lost", MsgIcon::Exclamation,
                MsgButtons::OkCancel) != MsgAnswer::Ok) {
    return;
  }
  MsgAnswer top = MsgAnswer::No;
  if (currentLevel_ == LevelCount()) {
    top = boxes.ask("Click YES to remove this floor; Click NO to erase and revise this floor; Click CANCEL to keep drawing as is.",
                    "Remove Top Floor?  Building Height to be Reduced!", MsgIcon::Exclamation,
                    MsgButtons::YesNoCancel);
    if (top == MsgAnswer::Cancel) return;
  }
  zoneArea_.fill(0);
  cells_.SetHeader(kFloorArea, 0);
  cells_.SetHeader(kSectionArea, 0);
  zoneAreaBox_->setText(shell::Latin1("Zn area=" + model::NumberText(zoneArea_[1])));
  for (int r = 1; r <= cells_.Rows(); ++r) {
    for (int c = 1; c <= cells_.Cols(); ++c) cells_.SetCell(r, c, 0);
  }
  ShowSketchCounts();
  Redraw();
  // The only level is cleared, never removed.
  if (top == MsgAnswer::Yes && LevelCount() > 1) {
    sketch_.levels.pop_back();
    ChangeLevel(currentLevel_ - 1);
  }
}

void DrawForm::gridsize_Click() {
  if (currentLevel_ > 1) {
    shell::Messages().show("Grid size change can only be made from first level", "Grid Size Change",
                           MsgIcon::Question);
  }
}

void DrawForm::Orientation_Click() {
  if (currentLevel_ > 1) {
    shell::Messages().show("Orientation can only be changed from first level", "Orientation Change",
                           MsgIcon::Question);
  }
}

void DrawForm::FieldChanged(QLineEdit* box) {
  const std::string text = Text(box);
  if (box == gridsize_) {
    gridSize_ = FieldValue(text, true);
    if (gridSize_ > 0) {
      RecountZoneAreas();
    } else {
      ShowSketchCounts();
    }
  } else if (box == ceilingHt_) {
    roomHeight_ = FieldValue(text, true);
  } else if (box == numFloors_) {
    floors_ = FieldValue(text, false);
    ShowSketchCounts();
  } else if (box == orientation_) {
    orientAngle_ = FieldValue(text, true);
    pendingKey_.clear();
    canvas_->update();
  }
}

bool DrawForm::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::MouseButtonPress) {
    if (box == gridsize_) gridsize_Click();
    if (box == orientation_) Orientation_Click();
    for (int i = 0; i < kZones; ++i) {
      if (box == names_[static_cast<std::size_t>(i)]) znname_Click(i);
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  if (box != gridsize_ && box != numFloors_ && box != ceilingHt_ && box != orientation_) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString t = key->text();
  const QChar c = t.isEmpty() ? QChar() : t.front();
  const bool backspace = key->key() == Qt::Key_Backspace;
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  const bool navigation = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                          key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                          key->key() == Qt::Key_Tab || key->key() == Qt::Key_Delete;
  // Other keys that type nothing (Ctrl+V, Shift+Insert, Ctrl+C and the like) act as the box
  // does; a paste then comes through here key by key.
  if (!navigation && !backspace && !enter && shell::KeyCharacter(key) == 0) return false;
  if (box == orientation_) {
    // The arrow follows each key at once.
    pendingKey_ = backspace ? QString() : t;
    canvas_->update();
  }
  if (navigation) return false;
  if (backspace && box != orientation_ && box->text().endsWith('=')) return true;
  const bool digit = c >= '0' && c <= '9';
  if (box == numFloors_) {
    // Floors are a whole number: a typed point is refused with a beep, and so are the
    // digits of the fraction after it, so "2.5" gives 2 floors, never 25.
    if (c == '.') {
      floorsPoint_ = {box->text(), box->cursorPosition()};
      shell::Messages().beep();
      return true;
    }
    const bool inFraction = floorsPoint_.has_value() && floorsPoint_->first == box->text() &&
                            floorsPoint_->second == box->cursorPosition();
    if (digit && inFraction) return true;
    floorsPoint_.reset();
  }
  const bool point = c == '.' && box != numFloors_;
  const bool kept = digit || backspace || point || c == ' ' || enter;
  return !kept;
}

// --- leaving ----------------------------------------------------------------------------

void DrawForm::Unload() {
  leaving_ = true;
  close();
}

bool DrawForm::Revert() {
  if (shell::Messages().ask("Are you sure?  Drawing will revert to original status!  New sketching will not be added!",
                            "Warning - Drawing update will not occur", MsgIcon::Exclamation,
                            MsgButtons::OkCancel) != MsgAnswer::Ok) {
    return false;
  }
  // Nothing of this sketch reaches the project: the zones need no new look before a run or a
  // save unless they needed one before it opened.
  shell::Model().Resketched = resketchedBefore_;
  return true;
}

void DrawForm::finish_Click() {
  if (Revert()) Unload();
}

void DrawForm::Exit_Click() {
  model::ProjectModel& m = shell::Model();
  WriteLevelFile();
  const ExportResult result = ExportSketchZones(sketch_, gridSize_, Text(orientation_), m.UnitSystem);
  if (result.status == ExportResult::kRefused) {
    shell::Messages().show(result.message, "Building Sketch", MsgIcon::Exclamation);
    return;
  }
  try {
    if (result.status != ExportResult::kDone) throw model::FileError(model::kErrSubscript);
    CommitExport(m, result);
  } catch (const model::FileError&) {
    shell::Messages().show(kDrawError, kDrawErrorTitle, MsgIcon::None);
    return;
  }
  Unload();
}

void DrawForm::closeEvent(QCloseEvent* event) {
  if (!leaving_ && event->spontaneous() && !Revert()) {
    // The window's close box asks as "Cancel Changes, Return" does; OK lets this close go on.
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

// --- picture ----------------------------------------------------------------------------

void DrawForm::PrintItem_Click() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!shell::ChoosePrinter(printer, SketchPrintFile(), this)) return;
  QPainter p;
  if (!p.begin(&printer)) {
    shell::ReportFileFault(model::FileError::OnFile(model::kErrDeviceUnavailable, SketchPrintFile()));
    return;
  }
  // What the window shows of the drawing: the cells, the grid, the north arrow, and the strip
  // with the level fields and the zone names, scaled to the page; the texts as text.
  const QRect page = p.viewport();
  const double scale = std::min(page.width() / double(image_.width()), page.height() / double(image_.height()));
  p.scale(scale, scale);
  PaintDrawing(p, 1 / scale);
  PaintStrip(p);
  p.end();
}

void DrawForm::ToItem_Click() { QGuiApplication::clipboard()->setImage(image_); }

void DrawForm::tutorial_Click() {
  shell::ShowHelpFile("help10.txt", "BUILDING SKETCH -- " + shell::Model().ProjectFile);
}

void DrawForm::SaveItem_Click() { ShowSaveForm(this); }
void DrawForm::LoadItem_Click() { ShowLoadForm(this); }

DrawForm* SketchWindow() { return TheWindow().data(); }

bool OpenSketchWindow() {
  QPointer<DrawForm>& window = TheWindow();
  if (window.isNull()) {
    auto* form = new DrawForm;
    if (!form->Loaded()) {
      delete form;
      return false;
    }
    window = form;
  }
  shell::ShowModeless(window.data());
  return true;
}

std::string SketchPrintFile() { return model::AppPath(shell::Model(), "temp/sketch.pdf"); }

}  // namespace kalvano::sketch
