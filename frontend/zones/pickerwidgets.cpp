#include "frontend/zones/pickerwidgets.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>

#include "frontend/shell/widgets.h"

namespace kalvano::zones {

namespace {

// The last two windows of the program that had the focus (null: another program had it).
struct FocusTrail {
  QPointer<QWindow> current;
  QPointer<QWindow> previous;
  bool following = false;
};

FocusTrail& Trail() {
  static FocusTrail trail;
  return trail;
}

QWidget* WidgetOf(const QWindow* window) {
  if (window == nullptr) return nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->windowHandle() == window) return w;
  }
  return nullptr;
}

// The blank-separated words of a text: where each begins and how long it is.
std::vector<std::pair<int, int>> Words(const QString& text) {
  std::vector<std::pair<int, int>> words;
  for (int i = 0; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    const int start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    words.emplace_back(start, i - start);
  }
  return words;
}

// Where a line edit draws the first character of its text, in its own pixels (as it draws
// it: inside its frame and text margins, two pixels in, not scrolled).
int TextLeft(const QLineEdit* box) {
  QStyleOptionFrame opt;
  opt.initFrom(box);
  opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
  opt.midLineWidth = 0;
  const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &opt, box);
  return contents.marginsRemoved(box->textMargins()).x() + 2;
}

}  // namespace

HourHeader::HourHeader(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setTextFormat(Qt::PlainText);
}

void HourHeader::Follow(const QLineEdit* box) {
  box_ = box;
  connect(box, &QLineEdit::textChanged, this, [this] { update(); });
  update();
}

std::vector<double> HourHeader::HourCentres() const {
  if (box_.isNull()) return {};
  const QString values = box_->text();
  const auto words = Words(values);
  if (words.size() != Words(text()).size()) return {};
  const QFontMetricsF fm(box_->font());
  const double left = mapFromGlobal(box_->mapToGlobal(QPoint(TextLeft(box_), 0))).x();
  // The values are right-aligned in columns as wide as the widest of them: an hour stands
  // over the middle of its column.
  double widest = 0;
  for (const auto& [start, length] : words) widest = std::max(widest, fm.horizontalAdvance(values.mid(start, length)));
  std::vector<double> centres;
  for (const auto& [start, length] : words) {
    centres.push_back(left + fm.horizontalAdvance(values.left(start + length)) - widest / 2);
  }
  return centres;
}

void HourHeader::paintEvent(QPaintEvent* event) {
  const std::vector<double> centres = HourCentres();
  if (centres.empty()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter p(this);
  p.setPen(palette().color(QPalette::WindowText));
  const QFontMetricsF fm(font());
  const QRectF area = contentsRect();
  const QString caption = text();
  const auto hours = Words(caption);
  for (std::size_t k = 0; k < hours.size(); ++k) {
    const QString hour = caption.mid(hours[k].first, hours[k].second);
    const double width = fm.horizontalAdvance(hour);
    p.drawText(QRectF(centres[k] - width / 2, area.top(), width + 1, area.height()), Qt::AlignLeft | Qt::AlignVCenter, hour);
  }
}

QColor RowColourValue(RowColour colour) {
  switch (colour) {
    case RowColour::Yellow: return QColor(255, 255, 0);
    case RowColour::White: return QColor(255, 255, 255);
    case RowColour::Plain: break;
  }
  return QApplication::palette().color(QPalette::Base);
}

void SetRowColour(QLineEdit* box, RowColour colour) {
  QPalette p = box->palette();
  p.setColor(QPalette::Base, RowColourValue(colour));
  box->setPalette(p);
}

void SetRowColour(QLabel* label, RowColour colour) {
  label->setAutoFillBackground(true);
  QPalette p = label->palette();
  p.setColor(QPalette::Window, RowColourValue(colour));
  label->setPalette(p);
}

bool IsYellow(const QLineEdit* box) {
  return box->palette().color(QPalette::Base) == RowColourValue(RowColour::Yellow);
}

bool IsYellow(const QLabel* label) {
  return label->palette().color(QPalette::Window) == RowColourValue(RowColour::Yellow);
}

void SetTextColour(QLineEdit* box, const QColor& colour) {
  QPalette p = box->palette();
  p.setColor(QPalette::Text, colour);
  box->setPalette(p);
}

QColor TextColour(const QLineEdit* box) { return box->palette().color(QPalette::Text); }

QColor WindowTextColour() { return QApplication::palette().color(QPalette::Text); }

void ShowValues(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(0);
}

void FollowWindowFocus() {
  FocusTrail& trail = Trail();
  if (trail.following || qApp == nullptr) return;
  trail.following = true;
  trail.current = QGuiApplication::focusWindow();
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, qApp, [](QWindow* now) {
    FocusTrail& t = Trail();
    t.previous = t.current;
    t.current = now;
  });
}

bool ReturnsFromOwnWindow(const QWidget* window) {
  const FocusTrail& trail = Trail();
  const QWindow* mine = window->windowHandle();
  // The activation is delivered before the focus change is announced: the window that had
  // the focus is still the current one then, unless the announcement came first.
  const QWindow* before = trail.current == mine ? trail.previous.data() : trail.current.data();
  const QWidget* from = WidgetOf(before);
  if (from == nullptr || from == window) return false;
  // A box, menu or dialog that this window raised.
  for (const QWidget* p = from->parentWidget(); p != nullptr; p = p->parentWidget()) {
    if (p == window) return false;
  }
  if (const QWindow* parent = before->transientParent(); parent != nullptr && parent == mine) {
    return false;
  }
  return true;
}

bool AcceptedValueKey(char key) {
  return key == 8 || key == 9 || key == 13 || key == ' ' || key == '.' ||
         (key >= '0' && key <= '9');
}

bool FilterValueBoxEvent(const QLineEdit* box, QEvent* event, const ValueBoxHandlers& handlers) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const char32_t typed = shell::KeyCharacter(static_cast<QKeyEvent*>(event));
      if (typed == 0) return false;
      // A character beyond Latin-1 is refused like any other wrong key.
      const char code = typed > 0xFF ? char{127} : static_cast<char>(typed);
      return handlers.keyPress(code) == 0;
    }
    case QEvent::MouseButtonPress:
      handlers.mouseDown();
      return false;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && box->rect().contains(mouse->position().toPoint())) {
        handlers.click();
      }
      return false;
    }
    default:
      return false;
  }
}

void ValueClipboard::Copy(const QLineEdit* box) {
  text_ = box->selectedText().toLatin1().toStdString();
}

void ValueClipboard::Cut(QLineEdit* box) {
  Copy(box);
  if (box->hasSelectedText()) box->insert(QString());
}

void ValueClipboard::Paste(QLineEdit* box) const { box->insert(shell::Latin1(text_)); }

}  // namespace kalvano::zones
