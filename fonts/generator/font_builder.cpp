#include "font_builder.h"

#include <algorithm>
#include <string>

#include "box_drawing.h"
#include "font_files.h"

namespace korvane::fontgen {

FntFont BuildFont(GlyphRasterizer& raster, int width, int height, int typeface, CodePage page) {
  FntFont font;
  font.faceName = kTypefaceNames[typeface == 1 ? 1 : 0];
  font.copyright = "Korvane terminal font";
  font.width = width;
  font.height = height;
  font.ascent = raster.Ascent();
  font.points = (height * 72 + 48) / 96;
  for (int byte = 0; byte < 256; ++byte) {
    GlyphBitmap cell(width, height);
    uint32_t cp = CodePointOf(page, static_cast<uint8_t>(byte));
    if (cp > ' ' && !DrawLineGraphic(cp, cell)) raster.Draw(cp, cell);
    font.glyphs.push_back(std::move(cell));
  }
  return font;
}

std::vector<uint8_t> PreviewSheet(const std::vector<FntFont>& fonts, int scale) {
  constexpr int kGap = 4;
  int sheetW = kGap, sheetH = 0;
  for (const FntFont& f : fonts) {
    sheetW += 16 * (f.width + 1) * scale + kGap;
    sheetH = std::max(sheetH, 16 * (f.height + 1) * scale + 2 * kGap);
  }
  std::string header = "P5\n" + std::to_string(sheetW) + " " + std::to_string(sheetH) + "\n255\n";
  std::vector<uint8_t> image(header.begin(), header.end());
  size_t base = image.size();
  image.resize(base + static_cast<size_t>(sheetW) * sheetH, 160);  // grey between cells
  auto put = [&](int x, int y, uint8_t v) { image[base + static_cast<size_t>(y) * sheetW + x] = v; };
  int originX = kGap;
  for (const FntFont& f : fonts) {
    for (int c = 0; c < 256 && c < static_cast<int>(f.glyphs.size()); ++c) {
      int cellX = originX + (c % 16) * (f.width + 1) * scale, cellY = kGap + (c / 16) * (f.height + 1) * scale;
      for (int y = 0; y < f.height * scale; ++y)
        for (int x = 0; x < f.width * scale; ++x)
          put(cellX + x, cellY + y, f.glyphs[c].Get(x / scale, y / scale) ? 0 : 255);
    }
    originX += 16 * (f.width + 1) * scale + kGap;
  }
  return image;
}

}  // namespace korvane::fontgen
