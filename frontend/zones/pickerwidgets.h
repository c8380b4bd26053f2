// What the two profile pickers' windows share: the row colours, the value boxes' clipboard,
// and how a window learns that the user came back to it from another window of the program.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QEvent;
class QLineEdit;
class QWidget;

namespace kalvano::zones {

// Background of a picker row (name box and value box).
enum class RowColour { Plain, White, Yellow };

QColor RowColourValue(RowColour colour);
// Colours a value box or a name box; a name box fills its background.
void SetRowColour(QLineEdit* box, RowColour colour);
void SetRowColour(QLabel* label, RowColour colour);
// The box's background is the highlight colour.
bool IsYellow(const QLineEdit* box);
bool IsYellow(const QLabel* label);
// The colour of a value box's text.
void SetTextColour(QLineEdit* box, const QColor& colour);
QColor TextColour(const QLineEdit* box);
// The system's window-text colour.
QColor WindowTextColour();

// A key a value box takes: Backspace, Tab, Enter, blank, point and digits.
bool AcceptedValueKey(char key);

// What a value box's events mean to its picker: a typed key (refused when `keyPress` returns
// 0), a mouse press and a click (press and release inside the box).
struct ValueBoxHandlers {
  std::function<char(char)> keyPress;
  std::function<void()> mouseDown;
  std::function<void()> click;
};
// Routes one event of a value box; true when the event is consumed (a refused key).
bool FilterValueBoxEvent(const QLineEdit* box, QEvent* event, const ValueBoxHandlers& handlers);

// A picker's own one-text clipboard over its value boxes.
class ValueClipboard {
 public:
  void Copy(const QLineEdit* box);
  void Cut(QLineEdit* box);
  void Paste(QLineEdit* box) const;

 private:
  std::string text_;
};

// Shows a text in a value box from its first character.
void ShowValues(QLineEdit* box, const QString& text);

// The hour header over a picker's value boxes. Its text is the caption as it stands; each of
// its hour numbers is drawn centred over the matching value's column in the box it follows
// (the program writes every row's values right-aligned in the same columns, as wide as the
// widest value), so that the header stays over the values whatever their width: two digits in
// degrees F, a sign position more in degrees C, up to three digits for a use profile. Where
// the box does not hold 24 values, the caption is drawn as it stands.
class HourHeader : public QLabel {
 public:
  HourHeader(const QString& caption, QWidget* parent);
  void Follow(const QLineEdit* box);
  // The x of each hour number's middle in the header, one per hour; empty when the caption is
  // drawn as it stands.
  std::vector<double> HourCentres() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPointer<const QLineEdit> box_;
};

// Starts following which window of the program has the focus (once per program).
void FollowWindowFocus();
// The activation of `window` that is now being handled comes back from another top-level
// window of this program: not from a message box, menu or dialog that `window` itself
// raised, and not from another program.
bool ReturnsFromOwnWindow(const QWidget* window);

}  // namespace kalvano::zones
