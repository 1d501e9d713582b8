#include "box_drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "code_pages.h"

namespace korvane::fontgen {
namespace {

GlyphBitmap Draw(uint32_t cp, int w) {
  GlyphBitmap g(w, 2 * w);
  EXPECT_TRUE(DrawLineGraphic(cp, g)) << std::hex << cp;
  return g;
}

// The pixels of one edge: 0 top, 1 bottom, 2 left, 3 right.
std::vector<int> Edge(const GlyphBitmap& g, int side) {
  std::vector<int> out;
  int n = side < 2 ? g.width : g.height;
  for (int i = 0; i < n; ++i) {
    int x = side == 2 ? 0 : side == 3 ? g.width - 1 : i;
    int y = side == 0 ? 0 : side == 1 ? g.height - 1 : i;
    out.push_back(g.Get(x, y));
  }
  return out;
}

int Components(const GlyphBitmap& g) {
  std::vector<int> seen(g.pixels.size(), 0);
  int count = 0;
  std::function<void(int, int)> fill = [&](int x, int y) {
    if (!g.Get(x, y) || seen[y * g.width + x]) return;
    seen[y * g.width + x] = 1;
    fill(x + 1, y), fill(x - 1, y), fill(x, y + 1), fill(x, y - 1);
  };
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      if (g.Get(x, y) && !seen[y * g.width + x]) ++count, fill(x, y);
  return count;
}

// Reference edges: a straight light or double line crossing the cell.
struct Straight {
  std::vector<int> light, dbl;
};

// Every box character of code page 437 meets its neighbours: an edge with an
// arm shows exactly the straight line's cross-section there, an edge without
// one is blank, so lines join across cells. (In a 4-pixel cell the left line
// of a vertical double pair lies on the edge itself.)
TEST(BoxDrawing, ArmsMeetTheNeighbouringCellsAtEverySize) {
  for (int w = 5; w <= 15; ++w) {
    Straight horizontal{Edge(Draw(0x2500, w), 2), Edge(Draw(0x2550, w), 2)};
    Straight vertical{Edge(Draw(0x2502, w), 0), Edge(Draw(0x2551, w), 0)};
    std::vector<int> blankRow(w, 0), blankColumn(2 * w, 0);
    for (int byte = 0xB3; byte <= 0xDA; ++byte) {
      uint32_t cp = CodePointOf(CodePage::Oem437, static_cast<uint8_t>(byte));
      GlyphBitmap g = Draw(cp, w);
      for (int side = 0; side < 4; ++side) {
        auto edge = Edge(g, side);
        const Straight& ref = side < 2 ? vertical : horizontal;
        bool ok = edge == ref.light || edge == ref.dbl || edge == (side < 2 ? blankRow : blankColumn);
        EXPECT_TRUE(ok) << "width " << w << " byte " << std::hex << byte << " side " << side;
      }
    }
  }
}

TEST(BoxDrawing, LinesJoinInsideTheCell) {
  struct Case {
    uint32_t cp;
    int parts;
  } cases[] = {
      {0x253C, 1},  // light cross
      {0x2554, 2},  // double corner: an outer and an inner line
      {0x2566, 3},  // double tee down
      {0x256C, 4},  // double cross: four corners
      {0x256B, 1},  // double vertical crossed by a light line
      {0x256A, 1},
      {0x2552, 1},  // light down, double right: both lines meet the light one
      {0x2553, 1},
      {0x255F, 2},  // double vertical, light right from the inner line
      {0x2567, 2},  // light up onto a double horizontal
  };
  for (int w = 4; w <= 15; ++w)
    for (const Case& c : cases) EXPECT_EQ(c.parts, Components(Draw(c.cp, w))) << w << " " << std::hex << c.cp;
}

TEST(BoxDrawing, BlocksAndShadesTileTheCell) {
  for (int w = 4; w <= 15; ++w) {
    GlyphBitmap upper = Draw(0x2580, w), lower = Draw(0x2584, w);
    GlyphBitmap left = Draw(0x258C, w), right = Draw(0x2590, w);
    for (size_t i = 0; i < upper.pixels.size(); ++i) {
      EXPECT_EQ(1, upper.pixels[i] + lower.pixels[i]) << w;
      EXPECT_EQ(1, left.pixels[i] + right.pixels[i]) << w;
    }
    int cells = 2 * w * w, shades[3] = {};
    for (int k = 0; k < 3; ++k)
      for (uint8_t p : Draw(0x2591 + k, w).pixels) shades[k] += p;
    EXPECT_NEAR(cells / 4, shades[0], cells / 10) << w;
    EXPECT_NEAR(cells / 2, shades[1], cells / 10) << w;
    EXPECT_NEAR(3 * cells / 4, shades[2], cells / 10) << w;
  }
  GlyphBitmap g(8, 16);
  EXPECT_FALSE(DrawLineGraphic('A', g));
  EXPECT_TRUE(g.Empty());
}

}  // namespace
}  // namespace korvane::fontgen
