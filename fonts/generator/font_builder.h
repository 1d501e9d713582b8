// Builds one font file's glyphs: line graphics drawn geometrically, every
// other character rasterised from the family's outline fonts.
#pragma once

#include "code_pages.h"
#include "fnt_file.h"
#include "glyph_raster.h"

namespace korvane::fontgen {

// `raster` must already be set to the cell (GlyphRasterizer::SetCell).
FntFont BuildFont(GlyphRasterizer& raster, int width, int height, int typeface, CodePage page);

// A picture of fonts for checking them by eye: one block of 16 x 16 glyphs
// per font, side by side, as a binary PGM image.
std::vector<uint8_t> PreviewSheet(const std::vector<FntFont>& fonts, int scale);

}  // namespace korvane::fontgen
