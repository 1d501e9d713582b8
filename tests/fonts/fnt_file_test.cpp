#include "fnt_file.h"

#include <gtest/gtest.h>

namespace korvane::fontgen {
namespace {

FntFont Pattern(int width, int height) {
  FntFont f;
  f.faceName = "Korvane Ascii";
  f.width = width;
  f.height = height;
  f.ascent = height * 3 / 4;
  f.points = 9;
  for (int c = 0; c < 256; ++c) {
    GlyphBitmap g(width, height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) g.Set(x, y, (x * 7 + y * 3 + c) % 5 == 0);
    f.glyphs.push_back(g);
  }
  return f;
}

uint32_t Le(const std::vector<uint8_t>& v, size_t at, int n) {
  uint32_t r = 0;
  for (int i = n - 1; i >= 0; --i) r = r << 8 | v.at(at + i);
  return r;
}

TEST(FntFile, HeaderDescribesAFixedPitchOemFontOfTheCell) {
  auto image = WriteFnt(Pattern(10, 20));
  EXPECT_EQ(0x0300u, Le(image, 0, 2));
  EXPECT_EQ(image.size(), Le(image, 2, 4));
  EXPECT_EQ(255, image[85]);            // OEM character set
  EXPECT_EQ(10u, Le(image, 86, 2));     // pixel width
  EXPECT_EQ(20u, Le(image, 88, 2));     // pixel height
  EXPECT_EQ(0, image[90] & 1);          // fixed pitch
  EXPECT_EQ(10u, Le(image, 91, 2));     // average width
  EXPECT_EQ(10u, Le(image, 93, 2));     // maximum width
  EXPECT_EQ(0, image[95]);
  EXPECT_EQ(255, image[96]);
  EXPECT_EQ(15u, Le(image, 74, 2));     // ascent
  EXPECT_EQ(0u, Le(image, 76, 2));      // no internal leading
  size_t face = Le(image, 105, 4);
  EXPECT_STREQ("Korvane Ascii", reinterpret_cast<const char*>(&image.at(face)));
  EXPECT_EQ(0, image.back());
}

TEST(FntFile, GlyphBitsAreStoredInByteColumnsLeftmostPixelHigh) {
  FntFont f = Pattern(10, 20);
  for (auto& g : f.glyphs) g = GlyphBitmap(10, 20);
  f.glyphs['A'].Set(0, 0);
  f.glyphs['A'].Set(9, 1);  // second byte column, bit 6
  auto image = WriteFnt(f);
  size_t entry = 148 + 6 * 'A';
  EXPECT_EQ(10u, Le(image, entry, 2));
  size_t bits = Le(image, entry + 2, 4);
  EXPECT_EQ(0x80, image.at(bits));
  EXPECT_EQ(0x40, image.at(bits + 20 + 1));
}

TEST(FntFile, ReadsBackWhatItWrote) {
  for (int w : {4, 8, 9, 15}) {
    FntFont f = Pattern(w, 2 * w);
    auto back = ReadFnt(WriteFnt(f));
    ASSERT_TRUE(back) << w;
    EXPECT_EQ(f.faceName, back->faceName);
    EXPECT_EQ(f.ascent, back->ascent);
    ASSERT_EQ(256u, back->glyphs.size());
    for (int c = 0; c < 256; ++c) EXPECT_EQ(f.glyphs[c].pixels, back->glyphs[c].pixels) << w << " " << c;
  }
}

TEST(FntFile, RejectsDamagedImages) {
  auto image = WriteFnt(Pattern(8, 16));
  auto truncated = image;
  truncated.resize(image.size() / 2);
  EXPECT_FALSE(ReadFnt(truncated));
  auto badOffset = image;
  badOffset[148 + 6 * 66 + 5] = 0x7F;  // glyph 'B' points far past the end
  EXPECT_FALSE(ReadFnt(badOffset));
  auto badVersion = image;
  badVersion[1] = 2;
  EXPECT_FALSE(ReadFnt(badVersion));
  EXPECT_FALSE(ReadFnt({}));
}

}  // namespace
}  // namespace korvane::fontgen
