// How the front-end's windows are placed, opened and how the program ends. Every window
// goes through these, so that placement and the blocking of the main menu are one rule.
#pragma once

#include <functional>

class QWidget;

namespace kalvano::shell {

// Places a window in the middle of its screen: left = (screen width - window width) / 2,
// top = (screen height - window height) / 2.
void CentreOnScreen(QWidget* window);

// Places a file dialog horizontally centred and slightly below the middle: top = screen
// height x 1.05 / 2 - window height / 2.
void PlaceFileDialog(QWidget* window);

// Shows a window without waiting for it (modeless) and brings it to the front.
void ShowModeless(QWidget* window);

// Shows a dialog modeless while `owner` stays disabled; the owner is enabled again as soon as
// the dialog is hidden or closed.
void ShowBlocking(QWidget* dialog, QWidget* owner);

// Ends the program with the given exit status once control returns to the event loop.
void EndProgram(int status = 0);

// Replaces what EndProgram does (tests record the request instead); an empty function
// restores the default.
void SetEndProgram(std::function<void(int)> end);

}  // namespace kalvano::shell
