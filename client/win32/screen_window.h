// The terminal screen behind the main window: the display messages the
// modules send, painting and the caret.
#pragma once

#include <windows.h>

namespace korvane {

// Main-window creation: the screen model for the start-up geometry, the
// colour table and the default colours. Choosing the font size then makes
// the plain attribute current.
void AllocateScreen();

// Handles the messages of the screen; false leaves the message to others.
bool HandleScreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace korvane
