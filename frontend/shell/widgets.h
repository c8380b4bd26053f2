// Small widgets that the front-end's windows share.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QColor>
#include <QString>

class QKeyEvent;

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
// Latin-1 code of a typed character; 0 for keys that type nothing (Tab, arrows, Delete).
char KeyAscii(const QKeyEvent* key);

// A square picture of the given size: a rounded tile in `colour` with `glyph` in its middle.
QPixmap TilePicture(int size, const QColor& colour, const QString& glyph);

// A Latin-1 text (a caption or message of the system) for a widget.
QString Latin1(std::string_view text);

// Text of a Latin-1 byte string for a widget; carriage returns before line feeds dropped.
QString DisplayText(const std::string& bytes);

}  // namespace kalvano::shell
