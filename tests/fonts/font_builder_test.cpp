#include "font_builder.h"

#include <gtest/gtest.h>

namespace korvane::fontgen {
namespace {

// The fonts the build draws from (Debian packages installed by bootstrap).
const std::vector<std::string> kSerif = {"/usr/share/fonts/fonts-go/Go-Mono.ttf",
                                         "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
const std::vector<std::string> kSans = {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
                                        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};

bool RowHasInk(const GlyphBitmap& g, int y) {
  for (int x = 0; x < g.width; ++x)
    if (g.Get(x, y)) return true;
  return false;
}

// Every byte that shows a character has ink, and the letters share one
// baseline with descenders below it and capitals above it, inside the cell.
TEST(FontBuilder, EveryCharacterIsDrawnOnACommonBaseline) {
  for (const auto* fonts : {&kSerif, &kSans}) {
    GlyphRasterizer raster(*fonts);
    ASSERT_TRUE(raster.Ok()) << raster.Error();
    for (int w : {6, 9, 12, 15}) {
      raster.SetCell(w, 2 * w);
      for (CodePage page : {CodePage::Oem437, CodePage::Windows1252}) {
        FntFont font = BuildFont(raster, w, 2 * w, page == CodePage::Windows1252 ? 1 : 0, page);
        ASSERT_EQ(256u, font.glyphs.size());
        for (int c = 0; c < 256; ++c) {
          uint32_t cp = CodePointOf(page, static_cast<uint8_t>(c));
          bool blank = cp == 0 || cp == ' ' || cp == 0xA0;
          EXPECT_EQ(blank, font.glyphs[c].Empty()) << w << " byte " << c;
        }
        EXPECT_GT(font.ascent, w / 2);
        EXPECT_LT(font.ascent, 2 * w);
        EXPECT_TRUE(RowHasInk(font.glyphs['g'], font.ascent)) << w;      // descender below the baseline
        EXPECT_FALSE(RowHasInk(font.glyphs['x'], font.ascent)) << w;     // x sits on it
        EXPECT_TRUE(RowHasInk(font.glyphs['x'], font.ascent - 1)) << w;
        EXPECT_TRUE(RowHasInk(font.glyphs['H'], font.ascent - w)) << w;  // capitals well above it
      }
    }
  }
}

TEST(FontBuilder, ReportsAFontItCannotOpen) {
  GlyphRasterizer raster({"/nonexistent/font.ttf"});
  EXPECT_FALSE(raster.Ok());
  EXPECT_NE(std::string::npos, raster.Error().find("/nonexistent/font.ttf"));
}

}  // namespace
}  // namespace korvane::fontgen
