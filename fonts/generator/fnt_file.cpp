#include "fnt_file.h"

#include <algorithm>

namespace korvane::fontgen {

namespace {

constexpr int kHeaderSize = 148;  // version 3.00 header
constexpr int kEntrySize = 6;     // width (16 bits) + offset (32 bits)
constexpr int kGlyphCount = 256;
constexpr int kEntryCount = kGlyphCount + 1;  // a trailing blank, as the format wants
constexpr uint16_t kVersion3 = 0x0300;
constexpr uint32_t kFlagFixed = 0x0001, kFlagMonochrome = 0x0010;

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  void U8(size_t at, uint8_t v) { out_.at(at) = v; }
  void U16(size_t at, uint32_t v) {
    U8(at, v & 0xFF);
    U8(at + 1, (v >> 8) & 0xFF);
  }
  void U32(size_t at, uint32_t v) {
    U16(at, v & 0xFFFF);
    U16(at + 2, v >> 16);
  }
  void Text(size_t at, const std::string& s, size_t room) {
    for (size_t i = 0; i < s.size() && i < room; ++i) U8(at + i, static_cast<uint8_t>(s[i]));
  }

 private:
  std::vector<uint8_t>& out_;
};

int BytesPerRow(int width) { return (width + 7) / 8; }

// Glyph bits are stored in columns of bytes: all rows of the leftmost eight
// pixels, then all rows of the next eight, the leftmost pixel in bit 7.
void PutGlyph(std::vector<uint8_t>& out, size_t at, const GlyphBitmap& g, int width, int height) {
  for (int column = 0; column < BytesPerRow(width); ++column)
    for (int y = 0; y < height; ++y) {
      uint8_t byte = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (g.Get(column * 8 + bit, y)) byte |= static_cast<uint8_t>(0x80 >> bit);
      out[at + static_cast<size_t>(column) * height + y] = byte;
    }
}

void WriteHeader(Writer& w, const FntFont& f, uint32_t size, uint32_t bitsOffset, uint32_t faceOffset) {
  w.U16(0, kVersion3);
  w.U32(2, size);
  w.Text(6, f.copyright, 60);
  w.U16(66, 0);  // raster font
  w.U16(68, static_cast<uint32_t>(f.points));
  w.U16(70, 96);
  w.U16(72, 96);
  w.U16(74, static_cast<uint32_t>(f.ascent));
  w.U16(76, 0);  // internal leading: the whole cell is the character height
  w.U16(78, 0);
  w.U16(83, 400);  // normal weight
  w.U8(85, f.charset);
  w.U16(86, static_cast<uint32_t>(f.width));
  w.U16(88, static_cast<uint32_t>(f.height));
  w.U8(90, f.family);  // low bit clear: fixed pitch
  w.U16(91, static_cast<uint32_t>(f.width));
  w.U16(93, static_cast<uint32_t>(f.width));
  w.U8(95, 0);     // first character
  w.U8(96, 255);   // last character
  w.U8(97, '?');   // default character (relative to the first)
  w.U8(98, ' ');   // break character
  w.U16(99, static_cast<uint32_t>(BytesPerRow(f.width) * kEntryCount + 1) & ~1u);
  w.U32(105, faceOffset);
  w.U32(113, bitsOffset);
  w.U32(118, kFlagFixed | kFlagMonochrome);
}

uint32_t Le(const std::vector<uint8_t>& in, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | in[at + static_cast<size_t>(i)];
  return v;
}

}  // namespace

std::vector<uint8_t> WriteFnt(const FntFont& f) {
  size_t glyphBytes = static_cast<size_t>(BytesPerRow(f.width)) * f.height;
  size_t bitsOffset = kHeaderSize + static_cast<size_t>(kEntrySize) * kEntryCount;
  size_t faceOffset = bitsOffset + glyphBytes * kEntryCount;
  size_t size = faceOffset + f.faceName.size() + 1;
  std::vector<uint8_t> out(size, 0);
  Writer w(out);
  WriteHeader(w, f, static_cast<uint32_t>(size), static_cast<uint32_t>(bitsOffset),
              static_cast<uint32_t>(faceOffset));
  GlyphBitmap blank(f.width, f.height);
  for (int i = 0; i < kEntryCount; ++i) {
    size_t at = bitsOffset + glyphBytes * i;
    w.U16(kHeaderSize + static_cast<size_t>(kEntrySize) * i, static_cast<uint32_t>(f.width));
    w.U32(kHeaderSize + static_cast<size_t>(kEntrySize) * i + 2, static_cast<uint32_t>(at));
    PutGlyph(out, at, i < kGlyphCount ? f.glyphs.at(i) : blank, f.width, f.height);
  }
  w.Text(faceOffset, f.faceName, f.faceName.size());
  return out;
}

std::optional<FntFont> ReadFnt(const std::vector<uint8_t>& in) {
  if (in.size() < kHeaderSize + static_cast<size_t>(kEntrySize) * kEntryCount) return std::nullopt;
  if (Le(in, 0, 2) != kVersion3 || Le(in, 2, 4) != in.size() || in[95] != 0 || in[96] != 255) return std::nullopt;
  FntFont f;
  f.width = static_cast<int>(Le(in, 86, 2));
  f.height = static_cast<int>(Le(in, 88, 2));
  if (f.width < 1 || f.width > 64 || f.height < 1 || f.height > 128) return std::nullopt;
  f.ascent = static_cast<int>(Le(in, 74, 2));
  f.points = static_cast<int>(Le(in, 68, 2));
  f.charset = in[85];
  f.family = in[90];
  size_t faceOffset = Le(in, 105, 4);
  for (size_t i = faceOffset; i < in.size() && in[i]; ++i) f.faceName += static_cast<char>(in[i]);
  size_t glyphBytes = static_cast<size_t>(BytesPerRow(f.width)) * f.height;
  for (int c = 0; c < kGlyphCount; ++c) {
    size_t entry = kHeaderSize + static_cast<size_t>(kEntrySize) * c;
    size_t at = Le(in, entry + 2, 4);
    if (Le(in, entry, 2) != static_cast<uint32_t>(f.width) || at > in.size() || in.size() - at < glyphBytes)
      return std::nullopt;
    GlyphBitmap g(f.width, f.height);
    for (int y = 0; y < f.height; ++y)
      for (int x = 0; x < f.width; ++x)
        g.Set(x, y, (in[at + static_cast<size_t>(x / 8) * f.height + y] & (0x80 >> (x % 8))) != 0);
    f.glyphs.push_back(std::move(g));
  }
  return f;
}

}  // namespace korvane::fontgen
