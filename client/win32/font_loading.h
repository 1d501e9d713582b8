// Screen fonts: the font files, the available sizes and the cell size. The
// decisions are FontSizing's (client core); this adds and removes the files
// and asks GDI what it offers.
#pragma once

namespace korvane {

int LoadFonts();                 // start-up: 0 or 1001
void UnloadFontFiles();
void DeleteScreenFont();         // the current screen font object, at program end
bool SizeAvailable(int width, int height);
// Picks the cell for the wanted area (height a, width b) and adds that
// size's files; ends the program when they cannot be added.
void SelectFontSize(int a, int b, int direction);
// A new cell for the wanted height and width, searching downwards when the
// area is smaller than the current cell's.
void ResizeFonts(int height, int width);
void UpdateFontMenus();

}  // namespace korvane
