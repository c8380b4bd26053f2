#include "frontend/shell/widgets.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <array>
#include <string>

namespace kalvano::shell {

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      isEnabled()) {
    emit clicked();
  }
}

char32_t KeyCharacter(const QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    default: break;
  }
  const QList<uint> codes = key->text().toUcs4();
  if (codes.isEmpty() || codes.front() < 32 || codes.front() == 127) return 0;
  return codes.front();
}

int CellClipboardKey(QEvent* event) {
  const bool check = event->type() == QEvent::ShortcutOverride;
  if (!check && event->type() != QEvent::KeyPress) return 0;
  const auto* key = static_cast<QKeyEvent*>(event);
  const int edit = key->matches(QKeySequence::Copy) ? 1 : (key->matches(QKeySequence::Paste) ? 2 : 0);
  if (edit == 0) return 0;
  if (check) {
    event->accept();
    return -1;
  }
  return edit;
}

char KeyAscii(const QKeyEvent* key) {
  const char32_t code = KeyCharacter(key);
  return code > 0xFF ? 0 : static_cast<char>(code);
}

QPixmap TilePicture(int size, const QColor& colour, const QString& glyph) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(colour.darker(150));
  painter.setBrush(colour);
  painter.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(size / 2);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
  return picture;
}

QValidator::State Latin1Validator::validate(QString& input, int& pos) const {
  QString kept;
  kept.reserve(input.size());
  int keptPos = 0;
  for (int i = 0; i < input.size(); ++i) {
    if (input.at(i).unicode() <= 0xFF) {
      kept.append(input.at(i));
      if (i < pos) ++keptPos;
    }
  }
  input = kept;
  pos = keptPos;
  return Acceptable;
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromLocal(std::string_view name) {
  return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
}

std::string ToLocal(const QString& name) { return name.toLocal8Bit().toStdString(); }

QString DisplayText(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  return Latin1(text);
}

namespace {

bool EvenAdvance(const QFont& font) {
  const QFontMetricsF metrics(font);
  return metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W'));
}

}  // namespace

QFont FixedPitchFont(double pointSize) {
  QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const double size = pointSize > 0 ? pointSize : system.pointSizeF();
  static constexpr std::array<const char*, 5> kFamilies{
      "Courier New", "DejaVu Sans Mono", "Liberation Mono", "Nimbus Mono PS", "Noto Sans Mono"};
  for (const char* family : kFamilies) {
    // A missing family would resolve to some other face: only an installed one counts.
    if (!QFontDatabase::hasFamily(QString::fromLatin1(family))) continue;
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (size > 0) font.setPointSizeF(size);
    if (EvenAdvance(font)) return font;
  }
  if (size > 0) system.setPointSizeF(size);
  return system;
}

int LineEditWidth(const QLineEdit* box, std::initializer_list<QString> texts) {
  const QFontMetrics metrics(box->font());
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
  // As the line edit sizes itself: two pixels of margin on either side, its text and contents
  // margins, the cursor, then the style's frame around that.
  const QMargins text = box->textMargins();
  const QMargins contents = box->contentsMargins();
  const int inner = widest + 2 * 2 + text.left() + text.right() + contents.left() + contents.right() + 1;
  QStyleOptionFrame opt;
  opt.initFrom(box);
  opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
  return box->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(inner, box->sizeHint().height()), box).width();
}

}  // namespace kalvano::shell
