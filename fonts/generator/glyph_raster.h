// Fonts rasterised by FreeType into character cells, one bit per pixel, on a
// common baseline: outline fonts hinted for the cell, bitmap fonts as drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "glyph_bitmap.h"

namespace korvane::fontgen {

class GlyphRasterizer {
 public:
  // The first font is the cell's own; the others lend glyphs it lacks.
  explicit GlyphRasterizer(const std::vector<std::string>& fontPaths);
  ~GlyphRasterizer();
  GlyphRasterizer(const GlyphRasterizer&) = delete;
  GlyphRasterizer& operator=(const GlyphRasterizer&) = delete;

  bool Ok() const;
  const std::string& Error() const { return error_; }

  // Chooses the pixel sizes of every font for a cell and the baseline.
  void SetCell(int width, int height);
  int Ascent() const { return ascent_; }

  // Draws a code point into a blank cell; false when no font has it.
  bool Draw(uint32_t codePoint, GlyphBitmap& cell);

 private:
  struct Library;
  struct Face;
  void FitFace(Face& face, int width, int height);
  void FitStrike(Face& face, int height);
  bool DrawWith(Face& face, uint32_t codePoint, GlyphBitmap& cell);

  std::unique_ptr<Library> library_;
  std::vector<std::unique_ptr<Face>> faces_;
  std::string error_;
  int ascent_ = 0;
};

}  // namespace korvane::fontgen
