#include "box_drawing.h"

#include <algorithm>

namespace korvane::fontgen {

namespace {

// Weight of each arm from the centre to an edge: 0 none, 1 light, 2 double.
struct Arms {
  int up, down, left, right;
};

struct BoxChar {
  uint32_t codePoint;
  Arms arms;
};

// The box-drawing characters of code page 437.
constexpr BoxChar kBoxChars[] = {
    {0x2500, {0, 0, 1, 1}}, {0x2502, {1, 1, 0, 0}}, {0x250C, {0, 1, 0, 1}}, {0x2510, {0, 1, 1, 0}},
    {0x2514, {1, 0, 0, 1}}, {0x2518, {1, 0, 1, 0}}, {0x251C, {1, 1, 0, 1}}, {0x2524, {1, 1, 1, 0}},
    {0x252C, {0, 1, 1, 1}}, {0x2534, {1, 0, 1, 1}}, {0x253C, {1, 1, 1, 1}}, {0x2550, {0, 0, 2, 2}},
    {0x2551, {2, 2, 0, 0}}, {0x2552, {0, 1, 0, 2}}, {0x2553, {0, 2, 0, 1}}, {0x2554, {0, 2, 0, 2}},
    {0x2555, {0, 1, 2, 0}}, {0x2556, {0, 2, 1, 0}}, {0x2557, {0, 2, 2, 0}}, {0x2558, {1, 0, 0, 2}},
    {0x2559, {2, 0, 0, 1}}, {0x255A, {2, 0, 0, 2}}, {0x255B, {1, 0, 2, 0}}, {0x255C, {2, 0, 1, 0}},
    {0x255D, {2, 0, 2, 0}}, {0x255E, {1, 1, 0, 2}}, {0x255F, {2, 2, 0, 1}}, {0x2560, {2, 2, 0, 2}},
    {0x2561, {1, 1, 2, 0}}, {0x2562, {2, 2, 1, 0}}, {0x2563, {2, 2, 2, 0}}, {0x2564, {0, 1, 2, 2}},
    {0x2565, {0, 2, 1, 1}}, {0x2566, {0, 2, 2, 2}}, {0x2567, {1, 0, 2, 2}}, {0x2568, {2, 0, 1, 1}},
    {0x2569, {2, 0, 2, 2}}, {0x256A, {1, 1, 2, 2}}, {0x256B, {2, 2, 1, 1}}, {0x256C, {2, 2, 2, 2}},
};

// One axis of a box character: the arms along it ("before" is up or left),
// the crossing arms ("side" 0 is left or up), and how to fill a band.
struct Axis {
  GlyphBitmap& cell;
  bool vertical;
  int length;  // cell extent along the axis
  int before, after, side0, side1;
  int across;   // start of the light band across the axis
  int crossAt;  // start of the light crossing band along the axis
  int t, g;     // light thickness, offset of each line of a double pair

  void Band(int acrossStart, int from, int to) const {
    if (vertical)
      cell.Fill(acrossStart, from, acrossStart + t, to);
    else
      cell.Fill(from, acrossStart, to, acrossStart + t);
  }

  // Light arms run to the crossing line they meet: the near line of a double
  // pair that passes straight through, the far one when it turns a corner.
  void LightArms() const {
    if (before == 1 && after == 1) return Band(across, 0, length);
    bool throughDouble = side0 == 2 && side1 == 2;
    bool anyDouble = side0 == 2 || side1 == 2;
    int m = crossAt;
    if (before == 1) Band(across, 0, throughDouble ? m - g + t : anyDouble ? m + g + t : m + t);
    if (after == 1) Band(across, throughDouble ? m + g : anyDouble ? m - g : m, length);
  }

  // Each line of a double arm stops at the crossing line on its own side, runs
  // through when the opposite arm continues it, or turns a corner.
  void DoubleArms() const {
    int m = crossAt;
    for (int k = 0; k < 2; ++k) {
      int own = k == 0 ? side0 : side1, other = k == 0 ? side1 : side0;
      int at = across + (k == 0 ? -g : g);
      bool through = own != 2 && before == 2 && after == 2;
      if (through) {
        Band(at, 0, length);
        continue;
      }
      if (before == 2) Band(at, 0, own == 2 ? m - g + t : own == 0 && other == 2 ? m + g + t : m + t);
      if (after == 2) Band(at, own == 2 ? m + g : own == 0 && other == 2 ? m - g : m, length);
    }
  }
};

const Arms* FindBoxChar(uint32_t codePoint) {
  for (const BoxChar& c : kBoxChars)
    if (c.codePoint == codePoint) return &c.arms;
  return nullptr;
}

int DoubleOffset(int cellWidth, int t) { return std::max(t, cellWidth / 5); }

void DrawBox(const Arms& a, GlyphBitmap& cell) {
  int t = LineThickness(cell.width);
  int g = DoubleOffset(cell.width, t);
  int cx = (cell.width - t) / 2, cy = (cell.height - t) / 2;
  Axis vertical{cell, true, cell.height, a.up, a.down, a.left, a.right, cx, cy, t, g};
  Axis horizontal{cell, false, cell.width, a.left, a.right, a.up, a.down, cy, cx, t, g};
  for (const Axis* axis : {&vertical, &horizontal}) {
    axis->LightArms();
    axis->DoubleArms();
  }
}

// Shades are patterns in cell coordinates; the cell height is even, so they
// tile downwards without a seam.
bool ShadeOn(uint32_t codePoint, int x, int y) {
  bool light = y % 2 == 0 && (x + y / 2) % 2 == 0;
  switch (codePoint) {
    case 0x2591: return light;
    case 0x2592: return (x + y) % 2 == 0;
    default: return !light;  // 0x2593, dark shade
  }
}

bool DrawBlock(uint32_t codePoint, GlyphBitmap& cell) {
  int w = cell.width, h = cell.height;
  switch (codePoint) {
    case 0x2588: cell.Fill(0, 0, w, h); return true;
    case 0x2580: cell.Fill(0, 0, w, h / 2); return true;
    case 0x2584: cell.Fill(0, h / 2, w, h); return true;
    case 0x258C: cell.Fill(0, 0, w / 2, h); return true;
    case 0x2590: cell.Fill(w / 2, 0, w, h); return true;
    case 0x2591:
    case 0x2592:
    case 0x2593:
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) cell.Set(x, y, ShadeOn(codePoint, x, y));
      return true;
    default: return false;
  }
}

}  // namespace

int LineThickness(int cellWidth) { return cellWidth >= 12 ? 2 : 1; }

bool DrawLineGraphic(uint32_t codePoint, GlyphBitmap& cell) {
  if (const Arms* arms = FindBoxChar(codePoint)) {
    DrawBox(*arms, cell);
    return true;
  }
  return DrawBlock(codePoint, cell);
}

}  // namespace korvane::fontgen
