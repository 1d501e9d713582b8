// Line graphics drawn geometrically rather than taken from an outline font,
// so that lines meet exactly at the cell edges and join across cells.
#pragma once

#include <cstdint>

#include "glyph_bitmap.h"

namespace korvane::fontgen {

// Draws the box-drawing, block or shade character `codePoint` into `cell`
// (which must be blank). Returns false for characters it does not draw.
bool DrawLineGraphic(uint32_t codePoint, GlyphBitmap& cell);

// Stroke thickness of a light line in a cell of this width.
int LineThickness(int cellWidth);

}  // namespace korvane::fontgen
