// Drawing one run of cells with GDI, and the fonts of attribute words.
// Text is drawn opaque on the cell grid; double-width and double-height
// text is drawn at the cell size and enlarged (GDI under Wine does not
// enlarge bitmap fonts itself, and the enlarged pixels are the ones
// Windows' own doubling gives).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "screen_painter.h"

namespace korvane {

// The font of an attribute word in the current face and family at the
// current cell: italic, underline and strike-out from the word, and with
// `doubled` twice as high and wide as the word's double bits ask.
HFONT CreateCellFont(uint32_t word, bool doubled);

class GdiRunDrawer {
 public:
  GdiRunDrawer() = default;
  GdiRunDrawer(const GdiRunDrawer&) = delete;
  GdiRunDrawer& operator=(const GdiRunDrawer&) = delete;
  ~GdiRunDrawer() { Release(); }

  void Draw(HDC dc, const PaintedRun& run);
  // The cell size, face or family changed: fonts made here are dropped.
  void FontsChanged();
  void Release();

 private:
  HFONT TableFont(const PaintedRun& run);
  HFONT NormalSizeFont(uint32_t word);
  void DrawCellText(HDC dc, const RECT& area, const PaintedRun& run, HFONT font);
  HDC Scratch(HDC like, int width, int height);

  // Normal-size fonts for doubled text, by italic, underline and strike-out.
  HFONT normalSize_[8] = {};
  HDC scratch_ = nullptr;
  HBITMAP scratchBitmap_ = nullptr;
  HGDIOBJ scratchOld_ = nullptr;
  int scratchWidth_ = 0, scratchHeight_ = 0;
  std::vector<INT> advances_;
};

// A RunCanvas that draws into one device context.
class DcCanvas : public RunCanvas {
 public:
  DcCanvas(GdiRunDrawer& drawer, HDC dc) : drawer_(drawer), dc_(dc) {}
  void PaintRun(const PaintedRun& run) override { drawer_.Draw(dc_, run); }

 private:
  GdiRunDrawer& drawer_;
  HDC dc_;
};

}  // namespace korvane
