// Keyboard input of the main window: the translation tables built from the
// active layout at start-up, the modifier state and the key messages.
#pragma once

#include <windows.h>

namespace korvane {

void BuildKeyTables();  // once at start-up
// Shift, Ctrl and Caps Lock from the thread's keyboard state.
void RefreshModifiers();
// A key press: 1 when the client's table gave a character (sent as
// WUM_SENDCHAR), otherwise what the module's dll_Key returns.
int TranslateKey(int virtualKey);
// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP and the focus changes;
// false leaves the message to default processing.
bool HandleKeyboardMessage(HWND window, UINT message, WPARAM wParam, LRESULT& result);

}  // namespace korvane
