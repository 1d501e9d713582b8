// What the client's small informational windows share: the four Arial
// fonts and centring a window over the main window or the screen.
#pragma once

#include <windows.h>

namespace korvane {

struct InfoFonts {
  HFONT large = nullptr;       // -32, bold
  HFONT small = nullptr;       // -12
  HFONT medium = nullptr;      // -18, bold
  HFONT smallBold = nullptr;   // -12, bold
};

void CreateInfoFonts(InfoFonts& fonts);
void DeleteInfoFonts(InfoFonts& fonts);

// Text at a point in one of the fonts (the dialog font when it is missing),
// on a transparent background.
void DrawInfoText(HDC dc, HFONT font, int x, int y, const char* text);

// One line horizontally centred in the window's client area, its top at `y`.
void DrawCentredText(HWND window, HDC dc, HFONT font, int y, const char* text);

// Over the main window when the window has a parent and the result stays
// on the screen; otherwise on the screen. The size is kept.
void CentreWindow(HWND window);

}  // namespace korvane
