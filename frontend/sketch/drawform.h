// The building sketch window: one level of the building at a time on a grid of cells, each
// cell painted with one of 25 zones as rectangles or cell by cell. The picture is what counts:
// after each gesture the zones are read back from the colours of the picture. "<< Back" makes
// the drawing the project's zones; "Cancel Changes, Return" leaves everything as it was.
#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QScrollBar>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "frontend/sketch/sketchmodel.h"

class QAction;
class QPainter;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace kalvano::sketch {

// The drawing: x from -100 (the strip of controls) to 800, y from 0 at the bottom to 600,
// one image pixel per drawing unit.
inline constexpr int kDrawLeft = -100, kDrawWidth = 800, kDrawHeight = 600;
inline constexpr int kCellDrawSize = 10;

// The drawing point under a pixel of a canvas of `canvas` pixels that shows the drawing
// scaled to fit.
QPointF DrawingPoint(QSize canvas, QPointF pixel);

class DrawForm;

// Where a control of the strip left of the drawing stands, in drawing units (y upward).
struct StripPlace {
  QWidget* widget;
  double left, top, width, height;
};

// The level selector; its value is the level on screen. A press on an arrow or on the bar,
// a key, or a drag of the thumb is one step up or down, handed on only when the scroll bar
// has finished with the event: a held button never repeats the step, and a question that
// the step brings up is never asked inside the scroll bar's own mouse handling.
class LevelScrollBar : public QScrollBar {
 public:
  LevelScrollBar(QWidget* parent, std::function<void(int direction)> step);
  // Shows `level` without a step.
  void ShowLevel(int level);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Action(int action);
  void Step();

  std::function<void(int)> step_;
  int level_ = 1;
  int pending_ = 0;  // the step waiting to be handed on: -1, +1, or 0 for none
};

// The canvas: the picture scaled to the widget, the rubber band and north arrow over it,
// and the controls of the strip at their drawing positions.
class DrawCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit DrawCanvas(DrawForm* form);
  double Scale() const;
  // A widget rectangle for a control at drawing position `left`, `top` (y upward).
  QRect Place(double left, double top, double width, double height) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  DrawForm* form_;
};

class DrawForm : public QWidget {
  Q_OBJECT
 public:
  explicit DrawForm(QWidget* parent = nullptr);

  // Whether the window set itself up (a sketch file that cannot be read is reported and
  // the window is not shown).
  bool Loaded() const { return loaded_; }

  // Mouse handlers in drawing coordinates; button 1 is the left button.
  void Form_MouseDown(int button, int shift, double x, double y);
  void Form_MouseMove(int button, int shift, double x, double y);
  void Form_MouseUp(int button, int shift, double x, double y);

  void boxbutton_Click();
  void MatrixButton_Click();
  void Guidelines_Click();
  void Erase_area_Click();
  void erase_dwg_Click();
  void Refresh_grid_Click();
  void Redraw_Click() { Redraw(); }
  void PrintItem_Click();
  void ToItem_Click();
  void SaveItem_Click();
  void LoadItem_Click();
  void tutorial_Click();
  void finish_Click();
  void Exit_Click();
  void znname_Click(int index);
  // The level scroll bar moved to `value` (the level it would show).
  void HScroll1_Change(int value);
  void gridsize_Click();
  void Orientation_Click();

  // Shows level `to`: below level 1 nothing moves; above the top level the user is asked
  // whether to add a level, a copy of the top one. Whether another level is now shown.
  bool ChangeLevel(int to);
  void RecountZoneAreas();
  void Redraw();
  void DrawGrid();
  // Puts the level on screen (cells, names, header values) into the sketch.
  void WriteLevelFile();
  // Replaces the sketch by another one (a loaded sketch file) and shows its first level.
  void OpenSketch(Sketch sketch);

  const QImage& Picture() const { return image_; }
  const Sketch& CurrentSketch() const { return sketch_; }
  int CurrentLevel() const { return currentLevel_; }
  int LevelCount() const { return sketch_.LevelCount(); }
  int PaintZone() const;
  int Cell(int row, int col) const { return cells_.Cell(row, col); }
  float ZoneArea(int zone) const { return zoneArea_.at(static_cast<std::size_t>(zone)); }
  bool Rubber(QRect& band) const;
  float ArrowAngle() const;
  // Paints the picture, the rubber band and the north arrow onto a painter that counts in
  // picture pixels; `hairline` is the width of one screen pixel there.
  void PaintDrawing(QPainter& p, double hairline) const;
  // The controls of the strip and where they stand.
  std::vector<StripPlace> StripPlaces() const;

  QLineEdit* gridsize() const { return gridsize_; }
  QLineEdit* num_floors() const { return numFloors_; }
  QLineEdit* ceiling_ht() const { return ceilingHt_; }
  QLineEdit* Orientation() const { return orientation_; }
  QLineEdit* zone_area() const { return zoneAreaBox_; }
  QLineEdit* znname(int index) const { return names_.at(static_cast<std::size_t>(index)); }
  QLabel* BldgArea() const { return bldgArea_; }
  QLabel* Stories() const { return stories_; }
  QLabel* Level() const { return level_; }
  QLabel* Coordinates(int index) const { return coordinates_.at(static_cast<std::size_t>(index)); }
  LevelScrollBar* HScroll1() const { return hscroll_; }
  QPushButton* Exit() const { return exit_; }
  DrawCanvas* Canvas() const { return canvas_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Mode { Box, Guide, Fill };
  void BuildMenus(QVBoxLayout* layout);
  void BuildStrip();
  void Form_Load();
  void ShowLevel();
  // Asks whether to add a level above the top one and adds it on Yes; whether one was added.
  bool AddLevel();
  void SetMode(Mode mode);
  QColor ColourAt(double x, double y) const;
  int ZoneOfColour(QColor colour) const;  // 1..25, 0 for none
  void FillCell(double x, double y, QColor colour);
  void FillBox(QPoint a, QPoint b, QColor colour);
  void ShowZoneArea();
  void ShowFloorArea();
  // The zone areas of the level on screen, counted from its cells, and the zone-area read-out.
  void CountZoneAreas();
  // "FlrArea=" and "Stories=": the floor area and the story count of the whole sketch, the
  // level on screen as it is drawn.
  void ShowSketchCounts();
  // The level on screen: its cells, its header values as the window holds them, its names.
  SketchLevel LevelOnScreen() const;
  // Paints the strip's captions and boxes with their texts, as the window shows them, onto a
  // painter that counts in picture pixels (for the printer).
  void PaintStrip(QPainter& p) const;
  void FieldChanged(QLineEdit* box);
  // Asks whether the drawing may revert to what it was when the window opened; on OK the
  // project is as before the window opened. Whether the user agreed.
  bool Revert();
  void Unload();

  Sketch sketch_;
  SketchLevel cells_;
  QImage image_;
  DrawCanvas* canvas_ = nullptr;
  bool loaded_ = false;
  bool leaving_ = false;
  int currentLevel_ = 0;
  bool asking_ = false;  // the add-a-level question is open
  Mode mode_ = Mode::Box;
  QColor pen_;
  QColor fill_;
  bool erasing_ = false;  // "Erase Window": rectangles paint empty cells
  bool dragging_ = false;
  QPoint anchor_;   // drawing units, a grid point
  QPoint current_;  // drawing units, the nearest grid point under the pointer
  int zonePainted_ = 0;
  std::array<float, kZones + 2> zoneArea_{};
  float gridSize_ = 2;
  float orientAngle_ = 0;
  float floors_ = 1;
  float roomHeight_ = 10;
  float sketchFloorArea_ = 0;
  // The project's Resketched flag before this window opened: "Cancel Changes, Return" gives
  // it back, "<< Back" leaves the flag the opening set.
  int16_t resketchedBefore_ = 0;
  QString pendingKey_;
  // Where a point was refused in the floors box (its text and cursor): the digits of the
  // fraction typed right after it are refused too.
  std::optional<std::pair<QString, int>> floorsPoint_;

  QLineEdit* gridsize_ = nullptr;
  QLineEdit* numFloors_ = nullptr;
  QLineEdit* ceilingHt_ = nullptr;
  QLineEdit* orientation_ = nullptr;
  QLineEdit* zoneAreaBox_ = nullptr;
  std::array<QLineEdit*, kZones> names_{};
  std::array<QLabel*, 5> stripLabels_{};
  QLabel* bldgArea_ = nullptr;
  QLabel* stories_ = nullptr;
  QLabel* level_ = nullptr;
  std::array<QLabel*, 2> coordinates_{};
  LevelScrollBar* hscroll_ = nullptr;
  QPushButton* exit_ = nullptr;

  friend class DrawCanvas;
};

// The sketch window of the running program, if one is open.
DrawForm* SketchWindow();
// Opens the sketch window on sketch/bld_mtx.all (the opener of the shell's window::sketch).
bool OpenSketchWindow();
// Where "Print" writes its PDF when no printer is set up.
std::string SketchPrintFile();

}  // namespace kalvano::sketch
