#include "glyph_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace korvane::fontgen {

struct GlyphRasterizer::Library {
  FT_Library handle = nullptr;
  ~Library() {
    if (handle) FT_Done_FreeType(handle);
  }
};

struct GlyphRasterizer::Face {
  FT_Face handle = nullptr;
  ~Face() {
    if (handle) FT_Done_Face(handle);
  }
};

namespace {

// FreeType's own hinter: the fonts' instructions give stems of uneven weight
// in one-bit output.
constexpr FT_Int32 kLoadFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME | FT_LOAD_FORCE_AUTOHINT;

// Glyphs whose extents decide the vertical size: the tallest accented
// capitals and brackets and the deepest descenders.
constexpr uint32_t kTallGlyphs[] = {'|', '[', ']', '(', ')', 'g', 'j', 'p', 'y', 0xC9, 0xC5};

struct Extent {
  int top = 0, bottom = 0;  // rows above and below the baseline
};

bool HintedAdvance(FT_Face face, int& advance) {
  if (FT_Load_Char(face, 'M', kLoadFlags & ~FT_LOAD_RENDER)) return false;
  advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  return true;
}

Extent TallExtent(FT_Face face) {
  Extent e;
  for (uint32_t c : kTallGlyphs) {
    if (!FT_Get_Char_Index(face, c) || FT_Load_Char(face, c, kLoadFlags)) continue;
    e.top = std::max(e.top, face->glyph->bitmap_top);
    e.bottom = std::max(e.bottom, static_cast<int>(face->glyph->bitmap.rows) - face->glyph->bitmap_top);
  }
  return e;
}

// Where a glyph of `size` pixels wants to start, moved inside the cell when
// it fits, centred on the cell when it does not.
int Place(int wanted, int size, int cell) {
  if (size > cell) return (cell - size) / 2;
  return std::clamp(wanted, 0, cell - size);
}

}  // namespace

GlyphRasterizer::GlyphRasterizer(const std::vector<std::string>& fontPaths) : library_(new Library) {
  if (FT_Init_FreeType(&library_->handle)) {
    library_->handle = nullptr;
    error_ = "FreeType did not start";
    return;
  }
  for (const std::string& path : fontPaths) {
    auto face = std::make_unique<Face>();
    if (FT_New_Face(library_->handle, path.c_str(), 0, &face->handle)) {
      face->handle = nullptr;
      error_ = "cannot open font " + path;
      return;
    }
    faces_.push_back(std::move(face));
  }
  if (faces_.empty()) error_ = "no font given";
}

GlyphRasterizer::~GlyphRasterizer() {
  faces_.clear();  // faces before the library that owns them
}

bool GlyphRasterizer::Ok() const { return error_.empty(); }

// The widest size whose hinted advance fits the cell width; then the tallest
// vertical size (up to a fifth taller, to fill the 1:2 cell) whose
// ascenders and descenders fit the cell height.
void GlyphRasterizer::FitFace(Face& face, int width, int height) {
  FT_Face f = face.handle;
  if (!FT_IS_SCALABLE(f)) return FitStrike(face, height);
  int px = 3 * width, advance = 0;
  while (px > 1) {
    FT_Set_Pixel_Sizes(f, static_cast<FT_UInt>(px), static_cast<FT_UInt>(px));
    if (HintedAdvance(f, advance) && advance <= width) break;
    --px;
  }
  for (int py = px * 6 / 5; py >= 1; --py) {
    FT_Set_Pixel_Sizes(f, static_cast<FT_UInt>(px), static_cast<FT_UInt>(py));
    Extent e = TallExtent(f);
    if (e.top + e.bottom <= height || py == 1) {
      if (&face == faces_.front().get()) ascent_ = e.top + (height - e.top - e.bottom) / 2;
      return;
    }
  }
}

// A bitmap font drawn for small cells is used as it is, centred vertically.
void GlyphRasterizer::FitStrike(Face& face, int height) {
  FT_Face f = face.handle;
  if (f->num_fixed_sizes < 1 || FT_Select_Size(f, 0)) return;
  int above = static_cast<int>(f->size->metrics.ascender >> 6);
  int below = static_cast<int>(-f->size->metrics.descender >> 6);
  if (&face == faces_.front().get()) ascent_ = above + (height - above - below) / 2;
}

void GlyphRasterizer::SetCell(int width, int height) {
  for (auto& face : faces_) FitFace(*face, width, height);
}

bool GlyphRasterizer::DrawWith(Face& face, uint32_t codePoint, GlyphBitmap& cell) {
  FT_Face f = face.handle;
  if (!FT_Get_Char_Index(f, codePoint) || FT_Load_Char(f, codePoint, kLoadFlags)) return false;
  const FT_Bitmap& bm = f->glyph->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_MONO) return false;
  int w = static_cast<int>(bm.width), h = static_cast<int>(bm.rows);
  int left = Place(f->glyph->bitmap_left, w, cell.width);
  int top = Place(ascent_ - f->glyph->bitmap_top, h, cell.height);
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
    for (int x = 0; x < w; ++x)
      if (row[x / 8] & (0x80 >> (x % 8))) cell.Set(left + x, top + y);
  }
  return true;
}

bool GlyphRasterizer::Draw(uint32_t codePoint, GlyphBitmap& cell) {
  for (auto& face : faces_)
    if (DrawWith(*face, codePoint, cell)) return true;
  return false;
}

}  // namespace korvane::fontgen
