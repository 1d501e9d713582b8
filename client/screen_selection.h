// A mouse selection over the screen: the rectangle the drag marks, snapped
// to the cell grid, and the text of the rows shown under it as it goes to
// the clipboard.
#pragma once

#include <string>

#include "screen_model.h"
#include "window_placement.h"

namespace korvane {

// A press point moved down onto the cell grid.
Point SnapToCell(Point p, int cellWidth, int cellHeight);

// The selection when the button is released: the smaller coordinates of
// anchor and release point, and the larger ones moved up to the next cell
// boundary (a whole cell more when they lie on one).
Rect SelectionRectangle(Point anchor, Point release, int cellWidth, int cellHeight);

// The text of the cells in the pixel rectangle (start corner x1, y1, end
// corner x2, y2) of the rows as displayed at the scrollback position: each
// row without its trailing spaces and ended by LF, the 0 fillers of double
// width as spaces, and trailing line feeds and white space removed. Empty
// when the rectangle is narrower or lower than one cell. Parts outside the
// grid contribute nothing.
std::string SelectionText(const ScreenModel& model, int x1, int y1, int x2, int y2, int cellWidth, int cellHeight);

}  // namespace korvane
