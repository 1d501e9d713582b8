// Pixel checks of a window's client area for the UI driver: the area is
// captured from the screen (what the user sees, caret excluded only when it
// is hidden) and read back by pixel or by character cell.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kvdriver {

struct CheckResult {
  bool ok;
  std::string what, detail;
};

// Colours are written RRGGBB in hex, as in "ffff00".
uint32_t ParseColour(const std::string& text);
std::string ColourText(uint32_t rgb);

class PixelChecks {
 public:
  // Copies the client area of the window from the screen; false when the
  // window is gone or has no area. The capture before is kept.
  bool Capture(HWND window);
  // The last capture equals the one before it (or, with `changed`, has the
  // same size and differs from it).
  CheckResult ExpectUnchanged(bool changed = false) const;
  // The w x h pixels at (x, y) of the last capture are those the capture
  // before had at (x - dx, y - dy): the picture moved by (dx, dy).
  CheckResult ExpectMoved(int x, int y, int w, int h, int dx, int dy) const;
  void SetCellSize(int width, int height) { cellWidth_ = width, cellHeight_ = height; }

  // 0xRRGGBB at a client pixel of the last capture; 0xFFFFFFFF outside it.
  uint32_t At(int x, int y) const;
  CheckResult ExpectPixel(int x, int y, uint32_t rgb) const;
  // Each of `count` cells from (row, column) holds only background and ink
  // pixels; with `needInk` every cell holds ink, without none does.
  CheckResult ExpectCells(int row, int column, int count, uint32_t background, uint32_t ink, bool needInk) const;
  // The w x h pixels at (sx, sy) enlarged fx times across and fy times down
  // equal the pixels at (dx, dy).
  CheckResult ExpectScaled(int sx, int sy, int w, int h, int dx, int dy, int fx, int fy) const;
  // Some pixel of the capture has the colour (or, without `present`, none has).
  CheckResult ExpectColour(uint32_t rgb, bool present) const;
  // '1' when the cell holds a pixel of the colour, else '0'.
  char CellState(int row, int column, uint32_t ink) const;

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
  int cellWidth_ = 8, cellHeight_ = 16;
  std::vector<uint32_t> pixels_;  // 0xRRGGBB, top row first
  int previousWidth_ = 0, previousHeight_ = 0;
  std::vector<uint32_t> previous_;
};

// Walks a list of observed states (consecutive repeats already dropped)
// against a cycle of states: every step must go to the cycle's next state.
// Returns the number of steps taken, or -1 at the first wrong step.
int WalkCycle(const std::vector<std::string>& observed, const std::vector<std::string>& cycle);

}  // namespace kvdriver
