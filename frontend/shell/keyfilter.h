// Text boxes with a key filter: text that reaches such a box without being typed passes the
// same filter as typed keys. Every window installs its key filter on a box through here, so
// that no window can leave a way round its filter open.
#pragma once

class QLineEdit;
class QObject;
class QString;

namespace kalvano::shell {

// Installs a window's key filter on a text box, together with the one route of text that
// arrives without being typed: pasted (Ctrl+V, Shift+Insert, the box's context menu, the
// middle button of the mouse) or dropped on the box. Such text is typed into the box key by
// key (TypeIn). The window's filter sees each event first, so a window that gives Ctrl+V a
// meaning of its own (the Edit menu's Paste of its one-cell buffer) still takes it.
void InstallKeyFilter(QLineEdit* box, QObject* keyFilter);

// Types `text` into `box` key by key through the box's filters, exactly as the user would
// type it: what the filters keep is what typing keeps, and each refused character is left
// out. Line breaks, tabs and other control characters type nothing. The user hears of the
// refusals once: one beep and each message once, however many characters were refused. An
// empty text removes the selection, as pasting nothing does.
void TypeIn(QLineEdit* box, const QString& text);

}  // namespace kalvano::shell
