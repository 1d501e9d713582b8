#include "font_loading.h"

#include "client_app.h"

namespace korvane {

// Until the bitmap fonts are built, the cell is the one asked for and every
// size of the 4 x 8 .. 15 x 30 ladder counts as available.
int LoadFonts() { return 0; }
void UnloadFontFiles() {}
void DeleteScreenFont() {}
bool SizeAvailable(int width, int height) { return width >= 4 && width <= 15 && height == 2 * width; }

void SelectFontSize(int a, int b, int /*direction*/) {
  App().cellHeight = a;
  App().cellWidth = b;
}

void UpdateFontMenus() {}

}  // namespace korvane
