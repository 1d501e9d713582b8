// Screen fonts: the font files, the available sizes and the cell size.
#pragma once

namespace korvane {

int LoadFonts();                 // start-up: 0 or 1001
void UnloadFontFiles();
void DeleteScreenFont();         // the current screen font object, at program end
bool SizeAvailable(int width, int height);
// Picks the cell for the wanted area (height a, width b) and makes the plain
// attribute current.
void SelectFontSize(int a, int b, int direction);
void UpdateFontMenus();

}  // namespace korvane
