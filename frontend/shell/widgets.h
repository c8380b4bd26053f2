// Small widgets that the front-end's windows share.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QValidator>

class QEvent;
class QKeyEvent;
class QLineEdit;

#include <initializer_list>
#include <string>
#include <string_view>

namespace kalvano::shell {

// A label or picture that acts on a click, as the windows' clickable captions and icons do.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(const QString& text = {}, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The character code of a typed key as the key filters see it: Backspace 8, Enter 13, the
// code of a typed character (beyond Latin-1 too, so that a filter can refuse it); 0 for
// keys that type nothing (Tab, arrows, Delete).
char32_t KeyCharacter(const QKeyEvent* key);
// The Edit menu's Copy (1) or Paste (2) typed in a cell of a window with its own one-cell
// buffer; a focused line edit would take these shortcuts itself. The shortcut check of
// either is accepted here (-1: consumed, so that the key press reaches the cell's filter);
// their key press gives 1 or 2; any other event 0.
int CellClipboardKey(QEvent* event);

// The same for filters that take Latin-1 only: 0 also for a character beyond Latin-1.
char KeyAscii(const QKeyEvent* key);

// A square picture of the given size: a rounded tile in `colour` with `glyph` in its middle.
QPixmap TilePicture(int size, const QColor& colour, const QString& glyph);

// Keeps a text box to Latin-1, the characters that the files hold: any other character of
// a change (pasted or dropped text) is left out, the rest of the change stays.
class Latin1Validator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// A Latin-1 text (a caption or message of the system) for a widget.
QString Latin1(std::string_view text);

// A file or folder name as the file system spells it, for a widget: its bytes read in the
// file system's encoding. A caption or message that names a file goes through here whole,
// since the program's own words in it are ASCII, which that encoding reads alike. File
// contents are Latin-1 and go through Latin1 or DisplayText instead.
QString FromLocal(std::string_view name);
// A name typed or shown in a box, as the file system takes it: the reverse of FromLocal.
std::string ToLocal(const QString& name);

// Text of a Latin-1 byte string for a widget; carriage returns before line feeds dropped.
QString DisplayText(const std::string& bytes);

// The fixed-pitch font of every viewer and value box whose columns must line up: "Courier
// New" where it is installed, else the first installed of "DejaVu Sans Mono", "Liberation
// Mono", "Nimbus Mono PS" and "Noto Sans Mono", else the system's fixed font. A family counts
// only when "i" and "W" have the same advance in it (the fixed-pitch flag of a face is not to
// be trusted). `pointSize` 0 keeps the size of the system's fixed font.
QFont FixedPitchFont(double pointSize = 0);

// The width a line edit needs to show each of `texts` whole in its font: the widest text,
// the box's frame, margins and cursor included.
int LineEditWidth(const QLineEdit* box, std::initializer_list<QString> texts);

}  // namespace kalvano::shell
