// The terminal screen behind the main window: the display messages the
// modules send, painting and the caret.
#pragma once

#include <windows.h>

namespace korvane {

// Handles the messages of the screen; false leaves the message to others.
bool HandleScreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace korvane
