// The main window's size and place: the font fitted to the client area,
// Bigger, Smaller and Center, rows, columns and the label line, the font
// commands, tiling all client windows and starting a further copy.
#pragma once

#include <windows.h>

namespace korvane {

// WM_SIZE: the cell that fills the new client area.
void FitFontToWindow(HWND window, WPARAM sizeType, int clientWidth, int clientHeight);
void OnBiggerCommand(HWND window);
void OnSmallerCommand(HWND window);
void OnCenterCommand(HWND window);
// Rows and Cols submenus and Label Line.
void OnGridCommand(int id);
// A&NSI / ASC&II / SERI&F / S&ANS Font: the marked item does nothing.
void OnFontCommand(HWND window, int id);
// The Tile command: every client window is sent its tile.
void OnTileCommand(HWND window);
// WUM_TILE: this window into tile `position` of `count`.
void TileWindow(HWND window, int position, int count);
// WM_LBUTTONDBLCLK: a further copy, cascaded below this one.
void StartFurtherCopy(HWND window);

}  // namespace korvane
