#include "screen_window.h"

namespace korvane {

// The screen model and its display messages are not wired in yet.
bool HandleScreenMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

}  // namespace korvane
