// The main window's own behaviour: menu commands, menu marks, closing,
// keys, the scrollback bar, mouse selection, sizing and tiling.
#pragma once

#include <windows.h>

namespace korvane {

// False leaves the message to the main window procedure's own switch.
bool HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// WM_CLOSE: the question, the connection shut, the window's place and
// size stored, then destroyed now or half a second later.
void CloseMainWindow(HWND window);

}  // namespace korvane
