// Mouse selection: a rectangle dragged over the grid (drawn inverted),
// copied as text to the clipboard when the button is released.
#pragma once

#include <windows.h>

namespace korvane {

void OnSelectionButtonDown(HWND window, POINT at);
void OnSelectionMouseMove(HWND window, POINT at);
void OnSelectionButtonUp(HWND window, POINT at);
bool IsSelecting();
// Esc while selecting: the rectangle goes and nothing is copied.
void CancelSelection(HWND window);
// Draws the rectangle again into a device context whose pixels were just
// painted from the model (inside the given clip), so it stays shown.
void RedrawSelection(HDC dc);

// The text of the cells in the pixel rectangle to the clipboard (CF_TEXT).
void CopySelectionText(int x1, int y1, int x2, int y2);

}  // namespace korvane
