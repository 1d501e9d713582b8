// Windows bitmap font files (.FNT, version 3.00): one fixed-pitch face at one
// cell size, 256 glyphs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "glyph_bitmap.h"

namespace korvane::fontgen {

constexpr uint8_t kOemCharset = 255;
constexpr uint8_t kFamilyRoman = 0x10, kFamilyModern = 0x30;  // FF_ROMAN (serif), FF_MODERN

struct FntFont {
  std::string faceName;
  std::string copyright;
  int width = 0, height = 0;  // the cell
  int ascent = 0;             // baseline, rows from the top
  uint8_t charset = kOemCharset;
  uint8_t family = kFamilyModern;
  int points = 0;             // nominal size at 96 dpi
  std::vector<GlyphBitmap> glyphs;  // 256, each width x height
};

// The file image. The font must have 256 glyphs of its cell size.
std::vector<uint8_t> WriteFnt(const FntFont& font);

// Reads a fixed-pitch version 3.00 file as WriteFnt writes it; nothing when
// the image is not one (checked against its own size, never trusted).
std::optional<FntFont> ReadFnt(const std::vector<uint8_t>& image);

}  // namespace korvane::fontgen
