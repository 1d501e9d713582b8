// One character cell as a one-bit-per-pixel picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::fontgen {

struct GlyphBitmap {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // row-major, 0 or 1

  GlyphBitmap() = default;
  GlyphBitmap(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, 0) {}

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool Get(int x, int y) const { return Inside(x, y) && pixels[static_cast<size_t>(y) * width + x]; }
  // Pixels outside the cell are dropped, so callers may draw past the edges.
  void Set(int x, int y, bool on = true) {
    if (Inside(x, y)) pixels[static_cast<size_t>(y) * width + x] = on ? 1 : 0;
  }
  // Fills the half-open rectangle [x0, x1) x [y0, y1).
  void Fill(int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Set(x, y);
  }
  bool Empty() const {
    for (uint8_t p : pixels)
      if (p) return false;
    return true;
  }
};

}  // namespace korvane::fontgen
