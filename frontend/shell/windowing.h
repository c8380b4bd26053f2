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

// Keeps a window behind every other window: a click on it no longer raises it over them.
// The start-up window is kept so once it has handed over to the main menu.
void KeepBehind(QWidget* window);

// Fits a window into the available area of its screen (the screen less its panels, and the
// window's frame): a window larger than the area is made as small as the area, and one that
// would reach beyond an edge is moved inside, so that its buttons can be reached.
void FitOnScreen(QWidget* window);

// Fits every window of the program as it is shown (FitOnScreen); the program turns this on
// at start-up. `on` false turns it off again.
void FitWindowsOnScreen(bool on = true);

// Shows a dialog modeless while `owner` stays disabled; the owner is enabled again as soon as
// the dialog is hidden or closed.
void ShowBlocking(QWidget* dialog, QWidget* owner);

// Runs `work` on a thread of its own and waits for it while the program shows that it is
// busy: the busy pointer over its windows, which keep painting (events other than the user's
// input are handled meanwhile; the user's input waits until the work is done). `work` must
// touch nothing that a window uses. An exception of `work` is thrown again here.
void WhileBusy(const std::function<void()>& work);

// Ends the program with the given exit status once control returns to the event loop.
void EndProgram(int status = 0);

// Replaces what EndProgram does (tests record the request instead); an empty function
// restores the default.
void SetEndProgram(std::function<void(int)> end);

}  // namespace kalvano::shell
