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

// Over the main window when the window has a parent and the result stays
// on the screen; otherwise on the screen. The size is kept.
void CentreWindow(HWND window);

}  // namespace korvane
