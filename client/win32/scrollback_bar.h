// The scrollback bar at the right edge of the grid and the scrollback view
// it opens: rows from the ring above the live screen, the cursor hidden.
#pragma once

#include <windows.h>

namespace korvane {

// The bar's width when it is shown, else 0.
int ScrollbackBarWidth();
// After every paint: the bar exists exactly when the setting asks for it
// and sits at the right edge of the grid.
void SyncScrollbackBar(HWND window);
// The ScrollBack command: the setting, its mark and the window's width.
void ToggleScrollbackBar(HWND window);
// WM_VSCROLL from the bar.
void OnScrollbackScroll(HWND window, int code, int thumb);
// WUM_ENDSCROLLBACK: back to the live screen.
void EndScrollbackView();

}  // namespace korvane
